// Mode commands, the playlist loader's entry and the emergency start.
#include "console/engine/TrybyEmisji.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Zdarzenie.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/NastawyEmisji.h"

namespace {

ZegaryKonsoli* zainstalowane = nullptr;

ZegaryKonsoli& zwykle() {
    static ZegaryKonsoli z;
    return z;
}

}  // namespace

ZegaryKonsoli& Zegary() {
    return zainstalowane ? *zainstalowane : zwykle();
}

void UstawZegary(ZegaryKonsoli* zegary) {
    zainstalowane = zegary;
}

void UstawTimer(QTimer& timer, int ms, bool wlacz) {
    if (ms <= 0 || !wlacz) {
        timer.stop();
        return;
    }
    timer.setInterval(ms);
    if (!timer.isActive())
        timer.start();
}

// ---- reading ----

QString PowodBrakuPozycji(const QString& plik, int bladIO) {
    if (bladIO != 0)
        return TekstBleduIO(bladIO);
    QStringList linie;
    if (!platform::readTextLines(platform::resolvePath(plik), linie))
        return TekstBleduIO(100);
    bool tresc = false;
    for (const QString& linia : linie) {
        const QString l = linia.trimmed();
        if (l.isEmpty())
            continue;
        tresc = true;
        const QString k = KluczLinii(l);
        if (l == QLatin1String("KONIEC OPISU") || k == QLatin1String("WERSJA") || k == QLatin1String("POZYCJI") ||
            k == QLatin1String("TYP") || k == QLatin1String("ME") || k == QLatin1String("ADR"))
            return QStringLiteral("brak pozycji w playliście");
    }
    return tresc ? QStringLiteral("zbiór nie jest playlistą") : QStringLiteral("pusty zbiór");
}

// ---- the engine's mode switches ----

void SilnikEmisji::PrzelaczAutomat() {
    if (!Stan.TrybAutomat) {
        // Automat with a single element would stop at once.
        if (StanPlaylisty.Ilosc > 1) {
            Stan.TrybAutomat = true;
            // It starts from an element that may air: at the end of a list
            // the mark stands on one that aired, and with nothing after it
            // Automat goes off again and says why.
            const qint32 n = StanPlaylisty.DoGrania;
            if (n >= 1 && n <= StanPlaylisty.Ilosc && (Zagrany(Playlista[n]) || NaDeku(n)) &&
                !UstalNastepny(n, ZmianaNastepnego::Automat))
                wyjscia_->UstawStatus(QStringLiteral("Automat: brak pozycji do zagrania"), KolorStatusu::Czarny);
        }
    } else {
        Stan.TrybAutomat = false;
        CzasAntenowy = 0;
    }
    KasujZdarzenie();
}

void SilnikEmisji::PrzelaczSat() {
    if (!SatWlaczony) {
        if (Stan.TrybAutomat)
            PrzelaczAutomat();
        for (quint8 s = 1; s <= 3; ++s)
            ZadanieFade(s);
        SatWlaczony = true;
        Zegary().Wlacz(TimerKonsoli::SatPlus, true);
        SatWejscieStart = true;
        Log(QStringLiteral("SAT ON"));
    } else {
        SatWlaczony = false;
        Zegary().Wlacz(TimerKonsoli::SatPlus, false);
        SatWyjscieStart = true;
        Log(QStringLiteral("SAT OFF"));
    }
    KasujZdarzenie();
}

void SilnikEmisji::StartAwaryjny() {
    if (AwariaWykonana)
        return;
    AwariaWykonana = true;
    const QString folder = platform::programFolder();
    const QString plik = QDir(folder).filePath(QStringLiteral("AWARIA.MIX"));
    const QString flaga = QDir(folder).filePath(QStringLiteral("TolvaneAwaria.FLG"));
    if (!QFileInfo(platform::resolvePath(flaga)).isFile())
        return;
    // The list is read by the read worker: the window and the loop run
    // meanwhile, and it goes on air once it is read.
    CzytajWTle(*this, plik, 0, [this, plik, zbior = PlaylistaZbior](OdczytanaLista& r) {
        ZglosOdczyt(r, true);
        // The flag asks for the emergency list: one that is missing, a folder
        // or anything but a plain file is refused aloud like a list that
        // reads badly.
        if (!r.Przeczytana()) {
            Log(QStringLiteral("Błąd odczytu playlisty awaryjnej: ") + plik + QStringLiteral(" (") + r.Powod +
                QLatin1Char(')'));
            return;
        }
        // The operator reads (or has read) a playlist meanwhile: the
        // emergency list does not replace it.
        if (Stan.CzytaniePlaylisty || PlaylistaZbior != zbior) {
            Log(QStringLiteral("Playlista awaryjna pominięta: ") + plik);
            return;
        }
        ListaNaBoku(*this, r, false).Zatwierdz();
        PlaylistaZbior = plik;
        PlaylistaNazwa = QFileInfo(plik).completeBaseName();
        if (StanPlaylisty.Kursor == 0)
            StanPlaylisty.Kursor = 1;
        UstalNastepny(StanPlaylisty.Kursor, ZmianaNastepnego::Odczyt, ObecnoscZOdczytu(r.Obecnosc));
        wyjscia_->OdswiezPlayliste();
        wyjscia_->OdswiezNazwe();
        GrajKolejny(0, TrybKursor, ZrodloProg);
        if (!Stan.TrybAutomat)
            PrzelaczAutomat();
        // What the read has to say waits until the list plays.
        if (!r.Wynik.Informacja.isEmpty())
            PokazInfo(r.Wynik.Informacja.value(0), r.Wynik.Informacja.value(1));
    });
}

void SilnikEmisji::TrybyStartowe() {
    AutostopJest = Emisja.AutoStop;
    EmisjaFlagaStartu = Emisja.AutomatBezAutoStop;
    StolSterowanie = Emisja.StolSterowanie;
    SingleAutostopJest = Emisja.SingleInitAutostopJest;
    SingleKaczkaJest = Emisja.SingleInitKaczkaJest;
}

void SilnikEmisji::StopWszystko() {
    // A start still waiting for its file does not air after a STOP.
    for (const OczekujacyStart& o : oczekujace_)
        OdwolanyStart(o.zrodlo, o.adres, QStringLiteral("STOP"));
    oczekujace_.clear();
    for (quint8 slot = 1; slot <= 3; ++slot)
        if (SlotZajety(slot))
            KoniecEmisji(slot, PowodKlaw);
    if (Stan.TrybAutomat)
        PrzelaczAutomat();
    SemiAutomatGotowy = false;
    SemiAutomatJest = false;
    ReklamaNaOdtwarzaczu = false;
    Stan.PauzaJest = false;
    Zegary().Wlacz(TimerKonsoli::SATPLMWycisz, false);
}

void SilnikEmisji::StopKlawiszemSpacji() {
    if (!Emisja.StopSpacja)
        return;
    if (Emisja.StopSpacjapotwierdzenie && Decyzja(QStringLiteral("Czy STOP odtwarzania?"), QString(), 2) != WynikTak)
        return;
    StopWszystko();
}

// ---- commands ----

void PrzelaczAutoStop(SilnikEmisji& silnik) {
    silnik.AutostopJest = !silnik.AutostopJest;
    if (Emisja.AutoStopWspolnyJest)
        silnik.SingleAutostopJest = silnik.AutostopJest;
    KasujZdarzenie();
}

void PrzelaczSterowanie(SilnikEmisji& silnik) {
    silnik.StolSterowanie = !silnik.StolSterowanie;
    KasujZdarzenie();
}

void PrzelaczCisza(SilnikEmisji&) {
    Emisja.CiszaGra = !Emisja.CiszaGra;
    KasujZdarzenie();
}

void PrzelaczTrybWstawiania(StanKonsoli& stan) {
    stan.TrybWstawiania = stan.TrybWstawiania == 1 ? 2 : 1;
    KasujZdarzenie();
}

qint64 KoniecPlaylisty() {
    for (qint32 i = StanPlaylisty.Ilosc; i >= 1; --i) {
        const TElemPListy& e = Playlista[i];
        if (e.Emi >= 0)
            return (qint64(e.Emi) + e.NwK) % DobaMs;
    }
    return 0;
}

void Miksy(SilnikEmisji& silnik) {
    // The mix editor comes with its own unit; without it there is nothing to run.
    if (!silnik.Wyjscia().EdytorMiksowJest()) {
        KasujZdarzenie();
        return;
    }
    if (!(silnik.Stan.OdtwarzaczZajety[1] == 0 && silnik.Stan.OdtwarzaczZajety[2] == 0) && !Emisja.MiksyGdyGra) {
        KasujZdarzenie();
        return;
    }
    silnik.FlagaWstawienia = false;
    silnik.FlagaNastepnego = false;
    Log(QStringLiteral("MIKSY ON"));
    silnik.Wyjscia().EdytorMiksow();
    Log(QStringLiteral("MIKSY OFF  Zakończenie playlisty o ") + PiszCzas(1, KoniecPlaylisty() / 1000));
    silnik.FlagaWstawienia = true;
    silnik.FlagaNastepnego = true;
    silnik.Wyjscia().OdswiezPlayliste();
    KasujZdarzenie();
}

void EtykietaAS(SilnikEmisji& silnik) {
    if (silnik.EmisjaFlagaStartu) {
        if (Decyzja(QStringLiteral("Czy wyłączyć tryb miksowania playlisty bez Autostopu?"),
                    QStringLiteral("(w trybie Automat fade out wg domyślnych miksów)")) == WynikTak) {
            silnik.EmisjaFlagaStartu = false;
            Log(QStringLiteral("Tryb AS wyłączony"));
        }
    } else if (Decyzja(QStringLiteral("Czy włączyć tryb miksowania playlisty bez Autostopu?"),
                       QStringLiteral("(w trybie Automat fade out wg ustawionych miksów)")) == WynikTak) {
        silnik.EmisjaFlagaStartu = true;
        Log(QStringLiteral("Tryb AS włączony"));
    }
    KasujZdarzenie();
}

namespace {

void przelaczEtykiete(bool& flaga, const QString& tryb, const QString& wylacz, const QString& wlacz) {
    if (flaga) {
        if (Decyzja(wylacz) == WynikTak) {
            flaga = false;
            Log(QStringLiteral("Tryb ") + tryb + QStringLiteral(" wyłączony"));
        }
    } else if (Decyzja(wlacz) == WynikTak) {
        flaga = true;
        Log(QStringLiteral("Tryb ") + tryb + QStringLiteral(" włączony"));
    }
    KasujZdarzenie();
}

}  // namespace

void EtykietaAP() {
    przelaczEtykiete(Satelita.SatPLJest, QStringLiteral("AP"),
                     QStringLiteral("Czy wyłączyć tryb autoodczytu playlisty?"),
                     QStringLiteral("Czy włączyć tryb autoodczytu playlisty?"));
    Zegary().Wlacz(TimerKonsoli::PListaAutoodczyt, Satelita.SatPLJest || Satelita.SatTLJest);
}

void EtykietaAT() {
    przelaczEtykiete(Satelita.SatTLJest, QStringLiteral("AT"),
                     QStringLiteral("Czy wyłączyć tryb autoodczytu listy synchronicznej?"),
                     QStringLiteral("Czy włączyć tryb autoodczytu listy synchronicznej?"));
    Zegary().Wlacz(TimerKonsoli::PListaAutoodczyt, Satelita.SatPLJest || Satelita.SatTLJest);
}

void EtykietaOdtwarzacza(SilnikEmisji& silnik, quint8 deck) {
    // Decks 2 and 3 share deck B's label.
    const qint32 element = deck == 1 ? silnik.MagnetofonA() : silnik.MagnetofonB();
    if (element > 0 && element <= StanPlaylisty.Ilosc) {
        StanPlaylisty.Kursor = element;
        silnik.Wyjscia().OdswiezPlayliste();
    }
    KasujZdarzenie();
}
