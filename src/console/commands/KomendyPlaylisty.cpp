#include "console/commands/KomendyPlaylisty.h"
#include "console/commands/Komendy.h"

#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/PrzebiegiOdczytu.h"
#include "console/engine/ReklamyLST.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Zdarzenie.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_PlaylistaPorzadki.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

#include <QFileInfo>

#include <array>
#include <functional>
#include <memory>

namespace {

constexpr qint32 PolDobyMs = 43'200'000;

QString rozszerzenie(const QString& plik) {
    const QString nazwa = QFileInfo(QString(plik).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
    const int kropka = nazwa.lastIndexOf(QLatin1Char('.'));
    return kropka < 0 ? QString() : DuzeLiteryPL(nazwa.mid(kropka));
}

QString nazwaBezRozszerzenia(const QString& plik) {
    return QFileInfo(QString(plik).replace(QLatin1Char('\\'), QLatin1Char('/'))).completeBaseName();
}

// The cursor and first row kept over a re-read of the same file.
struct Widok {
    qint32 Kursor = 0;
    qint32 Pierwszy = 1;
};

void przywrocWidok(const Widok& w) {
    StanListy& st = StanPlaylisty;
    if (w.Kursor >= 1 && w.Kursor <= st.Ilosc) st.Kursor = w.Kursor;
    if (w.Pierwszy >= 1 && w.Pierwszy <= st.Ilosc) st.Pierwszy = w.Pierwszy;
}

}  // namespace

void SprawdzKolejnosc() {
    qint64 trwanie = 0;
    for (qint32 n = 2; n <= StanPlaylisty.Ilosc; ++n) {
        TElemPListy& poprzedni = Playlista[size_t(n - 1)];
        TElemPListy& e = Playlista[size_t(n)];
        const qint32 wstecz = poprzedni.Emi - e.Emi;
        if (poprzedni.Emi < 0 || e.Emi < 0 || wstecz <= 0 || wstecz >= PolDobyMs) continue;
        e.Emi = poprzedni.Emi;
        trwanie += poprzedni.Trw;
    }
    // A backward step between elements of no length is no fault to show.
    if (trwanie != 0)
        PokazInfo(QStringLiteral("Błędy kolejności nagrań w playliście"), QStringLiteral("Proszę poprawić w okienku miksy!"));
}

qint32 SprawdzPlikiPrzedZapisem() {
    for (qint32 n = 1; n <= StanPlaylisty.Ilosc; ++n) {
        const TElemPListy& e = Playlista[size_t(n)];
        const quint8 r = RodzajElemPListy(e.Typ);
        // recording, DJ, jingle, effect
        if (r != 1 && r != 6 && r != 8 && r != 15) continue;
        if (platform::fileExists(e.Adr)) continue;
        StanPlaylisty.Kursor = n;
        return n;
    }
    return 0;
}

void KomendyPlaylisty::KomendaCzytajPlayliste(std::function<void()> koniec) {
    StanKonsoli& st = silnik_.Stan;
    if (st.CzytaniePlaylisty) {
        OdmowaPodczasCzytania(silnik_);
        if (koniec) koniec();
        return;
    }
    // The command runs until its read has gone on air (or failed); from the
    // choice of the file on, the commands that would change the list wait
    // for it (OdczytPlaylisty, which alone raises and lowers the flag).
    const auto zakoncz = [koniec] {
        if (koniec) koniec();
    };
    if (st.PauzaJest) return zakoncz();
    for (quint8 s = 1; s <= 3; ++s)
        // An advert on air, whichever kind the first list reads.
        if (!SlotPusty(silnik_.Odtwarzacz[s]) && silnik_.Odtwarzacz[s].RodzajElementu == RodzajREK) return zakoncz();
    OdczytPlaylisty(true, QString(), QString(), true, QString(), [this, zakoncz](bool przeczytana) {
        if (przeczytana && Emisja.PlaylistaZapisPoOdczycieJest) {
            // The copy goes to the work folder as a native file: never over the file read.
            const QString kopia = WFolderze(Nastawy.RoboczyKatalog, PlaylistaNazwa + QStringLiteral(".MIX"));
            if (!TenSamPlik(kopia, PlaylistaZbior) &&
                ZapiszPlaylisteMIX(kopia, 1, StanPlaylisty.Ilosc) == WynikZapisuMIX::Blad)
                PokazBladKod(BladIO, QString(), kopia);
        }
        silnik_.PlaylistaZmieniona = false;
        zakoncz();
    });
}

void KomendyPlaylisty::OdczytPlaylisty(bool bezPytania, const QString& nazwa, const QString& plik, bool reklamy,
                                       const QString& pytanie, std::function<void(bool)> gotowe) {
    if (!bezPytania && Decyzja(pytanie) != WynikTak) {
        PokazInfo(QStringLiteral("Playlista nie uległa zmianie"));
        return gotowe(false);
    }
    QString zbior = plik, lista = nazwa;
    if (zbior.isEmpty()) {
        const QString filtr = Emisja.CzyOdczytTylkoMIX ? QStringLiteral(".MIX") : QStringLiteral(".SEL:.MIX");
        zbior = WybierzPlayliste ? WybierzPlayliste(filtr) : QString();
        lista = nazwaBezRozszerzenia(zbior);
    }
    if (zbior.isEmpty() || lista.isEmpty()) return gotowe(false);
    // The browser left open lets the midnight loads through: one that began
    // meanwhile goes first. The read runs from here, and its undo keeps the
    // list it replaces; the flag is this read's until it ends.
    if (silnik_.Stan.CzytaniePlaylisty) {
        OdmowaPodczasCzytania(silnik_);
        return gotowe(false);
    }
    silnik_.Stan.CzytaniePlaylisty = true;
    gotowe = [this, gotowe = std::move(gotowe)](bool przeczytana) {
        silnik_.Stan.CzytaniePlaylisty = false;
        gotowe(przeczytana);
    };
    ZapiszUndoPlaylisty(QStringLiteral("Czytaj playlistę"));

    const bool tenSam = TenSamPlik(zbior, PlaylistaZbior);
    silnik_.Komunikat.clear();
    silnik_.Wyjscia().OdswiezKomunikat();
    NowyLogNazwany(lista);
    Log(QStringLiteral("Odczyt playlisty ") + zbior);
    // The file, its recordings' presence and descriptions are read by the
    // worker; the old list stays on air through that and through every
    // question of the read, and is replaced only after the last one.
    CzytajWTle(silnik_, zbior, 0, [=, this](OdczytanaLista& r) {
        ZglosOdczyt(r);
        if (!r.Przeczytana()) {
            PokazBladKod(r.Wynik.BladIO != 0 ? r.Wynik.BladIO : 2, QString(), zbior);
            return gotowe(false);
        }
        auto nowa = std::make_shared<ListaNaBoku>(silnik_, r, false);
        PlaylistaZbior = zbior;
        PlaylistaNazwa = lista;
        const auto obecnosc = std::make_shared<const QHash<QString, bool>>(std::move(r.Obecnosc));
        if (Emisja.CzyTestKolejnoscMIX) SprawdzKolejnosc();
        // The adverts, the copies, the descriptions and the checks run on
        // the worker over the new list set aside; the questions are asked
        // here between them.
        const QString rozsz = rozszerzenie(zbior);
        PrzebiegiListy co;
        co.Reklamy = co.Kopie = co.Opisy = reklamy;
        co.Interaktywnie = true;
        co.Obecnosc = rozsz == QStringLiteral(".SEL") || (rozsz == QStringLiteral(".MIX") && Emisja.CzyTestMIX);
        co.ObecnoscReklam = reklamy;
        PrzebiegiPoOdczycie(silnik_, nowa, r.Nagrania, co, [=, this] {
            dokonczOdczyt(*nowa, tenSam, *obecnosc);
            gotowe(true);
        });
    });
}

void KomendyPlaylisty::dokonczOdczyt(ListaNaBoku& nowa, bool tenSam, const QHash<QString, bool>& obecnosc) {
    BladIO = 0;
    if (rozszerzenie(PlaylistaZbior) == QStringLiteral(".SEL")) UsunPozaGodzine(StanPlaylisty);

    // Re-reading the same file keeps the cursor the operator has now.
    Widok widok;
    if (tenSam) widok = {nowa.StanNaAntenie().Kursor, nowa.StanNaAntenie().Pierwszy};
    przywrocWidok(widok);
    if (StanPlaylisty.Kursor == 0 || !tenSam) StanPlaylisty.Kursor = 1;
    nowa.Zatwierdz();
    silnik_.UstalNastepny(StanPlaylisty.Kursor, ZmianaNastepnego::Odczyt, ObecnoscZOdczytu(obecnosc));
    silnik_.Wyjscia().OdswiezPlayliste();
    silnik_.Wyjscia().OdswiezNazwe();
}

void KomendyPlaylisty::DoklejPlayliste(std::function<void()> koniec) {
    StanKonsoli& st = silnik_.Stan;
    if (st.CzytaniePlaylisty) {
        OdmowaPodczasCzytania(silnik_);
        if (koniec) koniec();
        return;
    }
    const auto zakoncz = [koniec] {
        if (koniec) koniec();
    };
    if (StanPlaylisty.Ilosc <= 0) {
        PokazBlad(QStringLiteral("Nie ma aktualnej playlisty"), QStringLiteral("opcja dokleja listę na koniec aktualnej"));
        return zakoncz();
    }
    const QString plik = WybierzPlayliste ? WybierzPlayliste(QStringLiteral(".MIX")) : QString();
    if (plik.isEmpty()) return zakoncz();
    // As for a read: the browser lets the midnight loads through, and one
    // that began meanwhile goes first; from here the flag is the append's.
    if (st.CzytaniePlaylisty) {
        OdmowaPodczasCzytania(silnik_);
        return zakoncz();
    }
    st.CzytaniePlaylisty = true;
    const auto zakonczCzytanie = [this, zakoncz] {
        silnik_.Stan.CzytaniePlaylisty = false;
        zakoncz();
    };
    ZapiszUndoPlaylisty(QStringLiteral("Doklej playlistę"));

    if (Emisja.CzyPlayListaDoklejUsun && StanPlaylisty.Kursor > 1 &&
        Decyzja(QStringLiteral("Czy usunąć pozycje wcześniejsze")) == WynikTak) {
        const qint32 ile = StanPlaylisty.Kursor - 1;
        PokazStan(QStringLiteral("Usuwanie pozycji wcześniejszych"), QString(), true);
        // One range delete; the decks' element numbers move with their elements.
        for (qint32 n = 1; n + ile <= StanPlaylisty.Ilosc; ++n)
            Playlista[size_t(n)] = Playlista[size_t(n + ile)];
        for (qint32 n = StanPlaylisty.Ilosc - ile + 1; n <= StanPlaylisty.Ilosc; ++n)
            InitElemPListy(Playlista[size_t(n)]);
        StanPlaylisty.Ilosc -= ile;
        StanPlaylisty.DoGrania = StanPlaylisty.DoGrania > ile ? StanPlaylisty.DoGrania - ile : 0;
        for (quint8 s = 1; s <= 3; ++s) {
            qint32& e = silnik_.Odtwarzacz[s].Element;
            e = e > ile ? e - ile : 0;
        }
        ZamknijStan();
        StanPlaylisty.Kursor = 1;
        StanPlaylisty.Pierwszy = 1;
    }

    // The appended elements are read by the worker and join the list in one
    // step; the on-air ones carry on meanwhile, and keep the cursor and the
    // next element to play.
    Log(QStringLiteral("Doklejenie playlisty ") + plik);
    CzytajWTle(silnik_, plik, StanPlaylisty.Ilosc, [this, plik, zakoncz = zakonczCzytanie](OdczytanaLista& r) {
        ZglosOdczyt(r);
        const auto koniec = [this, plik, zakoncz](int blad) {
            BladIO = 0;
            silnik_.PlaylistaZmieniona = false;
            silnik_.Wyjscia().OdswiezPlayliste();
            silnik_.Wyjscia().OdswiezNazwe();
            if (blad != 0) PokazBladKod(blad, QString(), plik);
            zakoncz();
        };
        const int blad = r.Jest ? r.Wynik.BladIO : 2;
        if (blad != 0) return koniec(blad);
        const QString zbior = PlaylistaZbior, nazwa = PlaylistaNazwa;
        auto nowa = std::make_shared<ListaNaBoku>(silnik_, r, true);
        const auto obecnosc = std::make_shared<const QHash<QString, bool>>(std::move(r.Obecnosc));
        // The appended file's own advert lists are merged into its elements.
        PlaylistaZbior = plik;
        PlaylistaNazwa = nazwaBezRozszerzenia(plik);
        PrzebiegiListy co;
        co.Od = nowa->StanNaAntenie().Ilosc;
        co.Reklamy = co.Kopie = co.Interaktywnie = co.ObecnoscReklam = true;
        co.Obecnosc = rozszerzenie(plik) == QStringLiteral(".MIX") && Emisja.CzyTestMIX;
        PrzebiegiPoOdczycie(silnik_, nowa, r.Nagrania, co, [this, nowa, obecnosc, zbior, nazwa, koniec] {
            // The appended file does not become the playlist.
            PlaylistaZbior = zbior;
            PlaylistaNazwa = nazwa;
            nowa->Zatwierdz();
            // A mark left on the last element of a list that ran out passes
            // on to what was appended.
            silnik_.UstalNastepny(StanPlaylisty.DoGrania, ZmianaNastepnego::Odczyt, ObecnoscZOdczytu(*obecnosc));
            koniec(0);
        });
    });
}

void KomendyPlaylisty::ZapiszPlayliste() {
    if (silnik_.Stan.CzytaniePlaylisty) return;
    // A read finishing while the save's windows are open closes them: the
    // save would write the new list under the name asked for the old one.
    const TrzymanieListy trzymanie;
    if (!Emisja.CzyZapisKonfiguracji) {
        PokazInfo(QStringLiteral("Zapis konfiguracji zablokowany"));
        return;
    }
    if (Emisja.PlaylistaBlokadaZapisGdyBraki && SprawdzPlikiPrzedZapisem() != 0) {
        silnik_.Wyjscia().OdswiezPlayliste();
        PokazInfo(QStringLiteral("Nie można zapisać playlisty"), QStringLiteral("Brak nagrania!"));
        return;
    }

    QString folder = Emisja.KatAutomat;
    if (Emisja.CzyPlaylistaFolderZapis) {
        if (!WybierzFolder || !WybierzFolder(folder)) return;
        Emisja.KatAutomat = folder;
    }
    QString nazwa = PlaylistaNazwa;
    // A list picked by hand names the playlist after itself and the hour
    // the playlist starts at.
    if (Emisja.CzyListaLSTWybor && !ListaLSTWybrana.isEmpty() && StanPlaylisty.Ilosc > 0 && Playlista[1].Emi >= 0) {
        const qint32 t = ((Playlista[1].Emi + Playlista[1].NwP) % DobaMs + DobaMs) % DobaMs;
        nazwa = ListaLSTWybrana + QLatin1Char('_') + QString::asprintf("%02d%02d", t / 3'600'000, t / 60'000 % 60);
    }
    if (WolnaNazwa(QStringLiteral("Nazwę zbioru listy (do 16 znaków)"), folder, nazwa, QStringLiteral(".MIX")) !=
        OdpowiedzAkceptuj)
        return;
    nazwa = nazwa.left(16);
    if (nazwa == QStringLiteral("Nie_ma") || nazwa.isEmpty() || !NazwaZbioruDozwolona(nazwa) ||
        nazwa.contains(QStringLiteral(".."))) {
        PokazBlad2(302, QStringLiteral(" Inną od \"Nie_ma\" )"));
        return;
    }
    const QString plik = WFolderze(folder, nazwa + QStringLiteral(".MIX"));
    PokazStan(QStringLiteral("Zapis playlisty"), QString(), true);
    StanMaksimum = float(StanPlaylisty.Ilosc);
    const WynikZapisuMIX wynik = ZapiszPlaylisteMIX(plik, 1, StanPlaylisty.Ilosc);
    ZamknijStan();
    if (wynik != WynikZapisuMIX::Zapisano) {
        PokazBladKod(wynik == WynikZapisuMIX::Blad ? BladIO : 302, QString(), plik);
        return;
    }
    // The name and the file change only after a good write.
    PlaylistaNazwa = nazwa;
    PlaylistaZbior = plik;
    silnik_.Wyjscia().OdswiezNazwe();
    if (Emisja.CzyZapisLista2Komp && !Emisja.KatZapisLista2Komp.isEmpty() && !folder.isEmpty()) {
        const QString drugi =
            WFolderze(Emisja.KatZapisLista2Komp.left(1) + folder.mid(1), nazwa + QStringLiteral(".MIX"));
        PokazStan(QStringLiteral("Zapis playlisty na drugim komputerze"), QString(), true);
        const WynikZapisuMIX w2 = ZapiszPlaylisteMIX(drugi, 1, StanPlaylisty.Ilosc);
        ZamknijStan();
        if (w2 != WynikZapisuMIX::Zapisano) PokazBladKod(BladIO, QString(), drugi);
    }
}
