// The console's timers other than the on-air loop.
#include <QDir>
#include <QFileInfo>

#include <memory>

#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/PrzebiegiOdczytu.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/TestyPlaylisty.h"
#include "console/engine/TrybyEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/A1761DRIVER.h"
#include "foundation/DDecyzjaCzas.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

namespace {

constexpr qint64 PolDoby = DobaMs / 2;

// Releases a re-entry guard however the handler ends.
struct Straznik {
    bool& flaga;
    explicit Straznik(bool& f) : flaga(f) { flaga = true; }
    ~Straznik() { flaga = false; }
    Straznik(const Straznik&) = delete;
    Straznik& operator=(const Straznik&) = delete;
};

// A timer that stops itself while its handler works and runs again after.
struct Wstrzymanie {
    TimerKonsoli timer;
    explicit Wstrzymanie(TimerKonsoli t) : timer(t) { Zegary().Wlacz(timer, false); }
    ~Wstrzymanie() { Zegary().Wlacz(timer, true); }
    Wstrzymanie(const Wstrzymanie&) = delete;
    Wstrzymanie& operator=(const Wstrzymanie&) = delete;
};

bool tenSam(const QString& a, const QString& b) { return TenSamPlik(a, b); }
QString wFolderze(const QString& folder, const QString& nazwa) { return WFolderze(folder, nazwa); }

// The clock label's time: whole seconds.
qint64 terazMS() {
    return platform::clock().msOfDay() / 1000 * 1000;
}

bool wPlayliscie(qint32 n) {
    return n >= 1 && n <= StanPlaylisty.Ilosc;
}

}  // namespace

bool PrzejscieCzasu::Minal(QDate data, qint64 msDoby) {
    const qint64 teraz = data.toJulianDay() * DobaMs + msDoby;
    const qint64 przed = poprzedni_;
    poprzedni_ = teraz;
    if (przed < 0 || teraz <= przed || teraz - przed >= PolDoby)
        return false;
    // The last moment at or before now that the clock showed the time.
    qint64 ostatni = teraz - ((teraz - cel_) % DobaMs + DobaMs) % DobaMs;
    return ostatni > przed;
}

TimeryKonsoli::TimeryKonsoli(SilnikEmisji& silnik) : silnik_(silnik) {}

void TimeryKonsoli::WlaczTimeryStartowe() {
    Zegary().Wlacz(TimerKonsoli::AutomatTimer, Satelita.SatPListAutoJest);
    Zegary().Wlacz(TimerKonsoli::PListaAutoodczyt, Satelita.SatPLJest || Satelita.SatTLJest);
}

// ---- display refresh ----

void TimeryKonsoli::OdswiezZegary() {
    TerazMS = terazMS();
    Zegar = ::OdswiezZegary(silnik_, platform::clock().date(), TerazMS);
}

void TimeryKonsoli::TimerWyswietlaczTimer() {
    if (TimerWyswietlaczZajety || silnik_.Timer1Zajety)
        return;
    Straznik straznik(TimerWyswietlaczZajety);
    OdswiezZegary();
    OdczytNaWyswietlaczu(silnik_);
    const bool jedynaDI = godzinaDI_.Minal(platform::clock().date(), TerazMS);

    if (MiksZmiana) {
        silnik_.Wyjscia().OdswiezPlayliste();
        MiksZmiana = false;
    }
    silnik_.OdswiezOdtwarzacze();

    // RDS end files; a slot without marker bits has nothing to clear. Only
    // a player that plays has a remaining time: one that has not reported
    // playing yet reads 0 and would empty what its start just wrote.
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) {
        if (silnik_.Odtwarzacz[s].Znaczniki == 0 || !silnik_.SlotGra[s])
            continue;
        const qint64 pozostalo = silnik_.PozostaloOdtwarzacza(s);
        if (pozostalo / 1000 <= Emisja.RDSStopS)
            silnik_.ZapalPlikiZnacznikow(s, 1);
        if (silnik_.Odtwarzacz[s].Znaczniki != 0 && pozostalo <= 1000)
            silnik_.ZapalPlikiZnacznikow(s, 0);
    }

    DataCzerwona = silnik_.Stan.PauzaJest;

    if (!RDSEtykieta.isEmpty() && ++odswiezenia_ % 5 == 0) {
        ++RDSPozycja;
        if (RDSPozycja > RDSEtykieta.size())
            RDSPozycja = 1;
    }

    if (jedynaDI && Emisja.CzyRDSZbiorDIJest && !RDSInformacja.isEmpty()) {
        RDSInformacja.clear();
        silnik_.Wyjscia().ZapiszPlikDI();
        Log(QStringLiteral("Kasowanie informacji RDS (DI)"));
    }
}

// ---- singles in sequence, advert block ----

void TimeryKonsoli::SingleKolejnoTimerTimer() {
    if (DecyzjaOEmisjiWidoczna())
        return;
    silnik_.Wyjscia().SingleKolejno();
}

bool TimeryKonsoli::BlokReklamCzeka() const {
    return silnik_.ReklamaNaOdtwarzaczu;
}

void TimeryKonsoli::GrajBlokReklamyTimer() {
    if (!silnik_.ReklamaNaOdtwarzaczu)
        return;
    const StanKonsoli& st = silnik_.Stan;
    if (st.OdtwarzaczZajety[1] || st.OdtwarzaczZajety[2] || st.TrybAutomat)
        return;
    const qint32 n = StanPlaylisty.DoGrania;
    if (wPlayliscie(n) && n > 1 && CzyElemReklama(Playlista[n]) && CzyElemReklama(Playlista[n - 1]))
        silnik_.GrajKolejny(silnik_.ReklamaOdtwarzacz, TrybNastepny, ZrodloProg);
    else
        silnik_.ReklamaNaOdtwarzaczu = false;
}

// ---- synchronous time list ----

bool TimeryKonsoli::TimelistaCzeka() const {
    return StanTimelisty.Ilosc > 0 && (silnik_.Stan.PauzaJest || TimelistaSynchroJest);
}

void TimeryKonsoli::TListaSynchroKolejnoTimerTimer() {
    if (StanTimelisty.Ilosc <= 0 || TimelistaZajeta)
        return;
    Straznik straznik(TimelistaZajeta);
    TerazMS = terazMS();
    StanKonsoli& st = silnik_.Stan;

    if (st.PauzaJest) {
        const quint8 slot = silnik_.SlotEmisjiTeraz;
        if (slot >= 1 && slot <= LiczbaOdtwarzaczy && silnik_.SlotGra[slot])
            return;
        const qint32 c = StanTimelisty.Kursor;
        if (StanTimelisty.Ilosc > 1 && c > 1 && c <= StanTimelisty.Ilosc) {
            const TElemTListy& e = Timelista[c];
            if (e.Czas == Timelista[c - 1].Czas && e.Czas != 0 && e.Stan % 100 == 0) {
                silnik_.Wyjscia().EmitujPozycjeTimelisty(0, 0);
                return;
            }
        }
        // The block is over. A list of one entry ends the same way, so that
        // Automat comes back after it as after any block.
        st.PauzaJest = false;
        quint8 przekazniki = 0;
        CzytajPrzekazniki(przekazniki);
        if (przekazniki == 1)
            ZapiszPrzekazniki(0);
        if (slot >= 1 && slot <= LiczbaOdtwarzaczy)
            silnik_.Odtwarzacz[slot].Element = 0;
        if (AutomatPrzedBlokiem) {
            AutomatPrzedBlokiem = false;
            if (!st.TrybAutomat)
                silnik_.PrzelaczAutomat();
        }
        return;
    }

    if (!TimelistaSynchroJest)
        return;
    qint32 i = 0;
    for (qint32 k = 1; k <= StanTimelisty.Ilosc; ++k) {
        // An entry without a time ("--:--:--") is never due by the clock.
        if (Timelista[k].Stan % 100 == 0 && Timelista[k].Czas >= 0) {
            i = k;
            break;
        }
    }
    if (i == 0)
        return;
    DoNastepnejTL = qint64(Timelista[i].Czas) * 1000 - TerazMS;
    if (DoNastepnejTL > 0)
        return;
    DoNastepnejTL = 0;
    StanTimelisty.Kursor = i;
    if (st.TrybAutomat) {
        // Automat would start the next element over the block.
        AutomatPrzedBlokiem = true;
        silnik_.PrzelaczAutomat();
    }
    if (!silnik_.AutostopJest && (silnik_.SlotGra[1] || silnik_.SlotGra[2]))
        return;
    silnik_.Wyjscia().EmitujPozycjeTimelisty(0, 0);
}

// ---- midnight ----

void TimeryKonsoli::WczytajPlayliste(const QString& plik, std::function<void(const OdczytanaLista&)> naAntenie,
                                     std::function<void(bool jest)> inaczej, bool czasy) {
    // The day's playlist is only replaced by one that reads: it is read by
    // the worker and built aside (the loop ticks on the old list meanwhile);
    // a file that fails leaves the current playlist on air.
    CzytajWTle(silnik_, plik, 0,
               [this, plik, czasy, naAntenie = std::move(naAntenie), inaczej = std::move(inaczej)](OdczytanaLista& r) {
        const auto nieNaAntenie = [&] {
            if (inaczej) inaczej(r.Jest);
        };
        // The operator's own read goes first; the next look tries again.
        if (silnik_.Stan.CzytaniePlaylisty || !r.Jest)
            return nieNaAntenie();
        ZglosOdczyt(r);
        if (!r.Przeczytana()) {
            Log(QStringLiteral("Błąd odczytu playlisty: ") + plik + QStringLiteral(" (") + r.Powod + QLatin1Char(')'));
            return nieNaAntenie();
        }
        // Until it is on air no read of the operator's begins.
        silnik_.Stan.CzytaniePlaylisty = true;
        auto nowa = std::make_shared<ListaNaBoku>(silnik_, r, false);
        PlaylistaZbior = plik;
        PlaylistaNazwa = r.Nazwa;
        auto odczyt = std::make_shared<OdczytanaLista>(std::move(r));
        PrzebiegiListy co;
        co.Reklamy = true;
        co.Czasy = czasy;
        PrzebiegiPoOdczycie(silnik_, nowa, odczyt->Nagrania, co, [this, nowa, odczyt, naAntenie] {
            silnik_.Stan.CzytaniePlaylisty = false;
            nowa->Zatwierdz();
            naAntenie(*odczyt);
        });
    });
}

void TimeryKonsoli::OdczytNastepnegoDnia(qint64 s) {
    // Not under a read the operator has open, nor while the last look is
    // still on its way; the next second tries again.
    if (silnik_.Stan.CzytaniePlaylisty || odczytJutra_)
        return;
    if (!(DobaMs / 1000 - Satelita.SatPListAutoTS < s && s < DobaMs / 1000 - 2))
        return;
    const QString data = platform::clock().date().addDays(1).toString(QStringLiteral("yyyy-MM-dd"));
    const QString plik = wFolderze(Satelita.SatPListAutoKat, data.mid(2, 2) + data.mid(5, 2) + data.mid(8, 2) +
                                                                  QStringLiteral(".MIX"));
    // A missing next-day file leaves the current playlist playing: only a
    // playlist that was read is started at midnight.
    if (tenSam(plik, PlaylistaZbior))
        return;
    odczytJutra_ = true;
    WczytajPlayliste(plik, [this, plik](const OdczytanaLista& r) {
        odczytJutra_ = false;
        const StanKonsoli& st = silnik_.Stan;
        const bool wolne = !st.OdtwarzaczZajety[1] && !st.OdtwarzaczZajety[2] && !st.OdtwarzaczZajety[3];
        AutoodczytZbior = plik;
        AutoodczytData = r.Data;
        PlaylistaWczytana = wolne;
        if (silnik_.Stan.TrybAutomat)
            silnik_.PrzelaczAutomat();
        silnik_.Wyjscia().OdswiezPlayliste();
        if (StanPlaylisty.Kursor == 0)
            StanPlaylisty.Kursor = 1;
        silnik_.UstalNastepny(StanPlaylisty.Kursor, ZmianaNastepnego::Odczyt, ObecnoscZOdczytu(r.Obecnosc));
        silnik_.Wyjscia().OdswiezNazwe();
        Log(QStringLiteral("Odczyt playlisty następnego dnia: ") + plik);
        // Midnight came while the list was being read: it starts now.
        if (polnocPoOdczycie_)
            StartPolnocy();
    }, [this](bool) { odczytJutra_ = polnocPoOdczycie_ = false; }, Satelita.SatPListAutoTestJest);
}

void TimeryKonsoli::StartPolnocy() {
    polnocPoOdczycie_ = false;
    if (!silnik_.SatWlaczony && !AutoodczytZbior.isEmpty() && !PlaylistaWczytana) {
        for (quint8 s = 1; s <= 3; ++s)
            silnik_.ZadanieFade(s);
        if (Emisja.MIXPLAutomatKorektaJest) {
            silnik_.Stan.KorektaStart = platform::clock().now();
            silnik_.Stan.KorektaElement = StanPlaylisty.Kursor;
        }
        silnik_.GrajKolejny(0, TrybKursor, ZrodloProg);
        PlaylistaWczytana = true;
        if (!silnik_.Stan.TrybAutomat)
            silnik_.PrzelaczAutomat();
    }
    // Each night's start belongs to the playlist read for it: a file missing
    // on a later night must not start the one read before at its midnight.
    AutoodczytZbior.clear();
}

void TimeryKonsoli::AutomatTimerTimer() {
    if (!Satelita.SatPListAutoJest)
        return;
    Wstrzymanie wstrzymanie(TimerKonsoli::AutomatTimer);
    const qint64 ms = platform::clock().msOfDay();
    const bool polnoc = polnocAutomat_.Minal(platform::clock().date(), ms);
    OdczytNastepnegoDnia(ms / 1000);
    if (silnik_.SatWlaczony && silnik_.Stan.TrybAutomat)
        silnik_.PrzelaczAutomat();
    if (!polnoc)
        return;
    // The next day's list still being read starts when it is read.
    if (odczytJutra_)
        polnocPoOdczycie_ = true;
    else
        StartPolnocy();
}

void TimeryKonsoli::PListaAutoodczytTimerTimer() {
    // Not under a read the operator has open: midnight stays due until it ends.
    if (silnik_.Stan.CzytaniePlaylisty)
        return;
    const QDate dzis = platform::clock().date();
    if (!polnocOdczyt_.Minal(dzis, platform::clock().msOfDay()))
        return;
    const QString rrrr = dzis.toString(QStringLiteral("yyyy"));
    const QString mm = dzis.toString(QStringLiteral("MM"));
    const QString dd = dzis.toString(QStringLiteral("dd"));
    QString nazwa;
    if (Satelita.SatPLNazwaFormat == QStringLiteral("RRRRMMDD"))
        nazwa = rrrr + mm + dd;
    else if (Satelita.SatPLNazwaFormat == QStringLiteral("MMDDRRRR"))
        nazwa = mm + dd + rrrr;
    if (nazwa.isEmpty()) {
        Log(QStringLiteral("Nieznany format nazwy playlisty: ") + Satelita.SatPLNazwaFormat);
        return;
    }

    if (Satelita.SatPLJest) {
        // Nothing on air changes before the new playlist has been read: one
        // that fails is logged and leaves the station as it was. The .SEL
        // is read when no .MIX stands there, and neither when it is the
        // playlist loaded.
        const QString mix = wFolderze(Satelita.SatPLKatalog, nazwa + QStringLiteral(".MIX"));
        const QString sel = wFolderze(Satelita.SatPLKatalog, nazwa + QStringLiteral(".SEL"));
        const auto naAntenie = [this](const OdczytanaLista& r) {
            if (silnik_.Stan.TrybAutomat)
                silnik_.PrzelaczAutomat();
            for (quint8 s = 1; s <= 3; ++s)
                silnik_.ZadanieFade(s);
            if (StanPlaylisty.Kursor == 0)
                StanPlaylisty.Kursor = 1;
            silnik_.UstalNastepny(StanPlaylisty.Kursor, ZmianaNastepnego::Odczyt, ObecnoscZOdczytu(r.Obecnosc));
            silnik_.Wyjscia().OdswiezPlayliste();
            silnik_.Wyjscia().OdswiezNazwe();
            Log(QStringLiteral("Autoodczyt playlisty: ") + r.Plik);
            if (!silnik_.Stan.TrybAutomat)
                silnik_.PrzelaczAutomat();
            silnik_.GrajKolejny(0, TrybKursor, ZrodloProg);
        };
        // Without a .MIX (the worker looked) the .SEL.
        if (!tenSam(mix, PlaylistaZbior))
            WczytajPlayliste(mix, naAntenie, [this, sel, naAntenie](bool jest) {
                if (!jest && !tenSam(sel, PlaylistaZbior)) WczytajPlayliste(sel, naAntenie);
            });
    }

    if (Satelita.SatTLJest) {
        const QString plik = wFolderze(Emisja.KatLista1, nazwa + QStringLiteral(".LST"));
        if (platform::fileExists(plik) && !tenSam(plik, TimelistaZbior)) {
            Wstrzymanie wstrzymanie(TimerKonsoli::PListaAutoodczyt);
            // The current list stays until the new one has been read whole.
            const auto stara = std::make_unique<std::array<TElemTListy, MaksTimelisty + 1>>(Timelista);
            const StanListy stan = StanTimelisty;
            CzyscTimeliste();
            WczytajTimeliste(plik);
            if (BladIO != 0) {
                const int blad = BladIO;
                Timelista = *stara;
                StanTimelisty = stan;
                Log(QStringLiteral("Błąd odczytu listy synchronicznej: ") + plik + QStringLiteral(" (") +
                    TekstBleduIO(blad) + QLatin1Char(')'));
                PokazBladKod(blad, QString(), plik);
            } else {
                TimelistaZbior = plik;
                TimelistaNazwa = QFileInfo(platform::resolvePath(plik)).completeBaseName();
                Log(QStringLiteral("Autoodczyt listy synchronicznej: ") + plik);
                KopiujNaDyskLokalnyCicho();
                if (Emisja.PlaylistaZapisPoOdczycieJest &&
                    !ZapiszTimeliste(wFolderze(Nastawy.RoboczyKatalog, nazwa + QStringLiteral(".LST"))))
                    PokazBladKod(BladIO);
            }
            silnik_.Wyjscia().OdswiezTimeliste();
        }
    }
}

// ---- satellite ----

void TimeryKonsoli::SatPlusTimerTimer() {
    const StanKonsoli& st = silnik_.Stan;
    if (st.OdtwarzaczZajety[1] || st.OdtwarzaczZajety[2] || StanPlaylisty.Ilosc <= 0)
        return;
    const qint64 t = platform::clock().msOfDay() / 1000;
    qint32 znaleziony = 0;
    for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i) {
        const TElemPListy& e = Playlista[i];
        if (e.Emi < 0 || e.Typ >= 0x40)
            continue;
        const quint8 rodzaj = RodzajElemPListy(e.Typ);
        if (rodzaj != RodzajREK && rodzaj != RodzajDJ_)
            continue;
        // Distance on the circle of a day: 23:59:58 is near 00:00:01.
        qint64 d = (e.Emi / 1000 - t) % (DobaMs / 1000);
        if (d < 0)
            d += DobaMs / 1000;
        d = qMin(d, DobaMs / 1000 - d);
        if (d <= Satelita.SatVTGrajMargS) {
            StanPlaylisty.Kursor = i;
            znaleziony = i;
            break;
        }
    }
    silnik_.UstalNastepny(znaleziony, ZmianaNastepnego::Zegar);
    silnik_.Wyjscia().OdswiezPlayliste();
}

void TimeryKonsoli::SATPLMWyciszTimerTimer() {
    for (quint8 s = 1; s <= 3; ++s)
        silnik_.ZadanieFade(s);
    Zegary().Wlacz(TimerKonsoli::SATPLMWycisz, false);
}
