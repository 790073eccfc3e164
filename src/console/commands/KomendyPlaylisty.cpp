#include "console/commands/KomendyPlaylisty.h"

#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/ReklamyLST.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/TestyPlaylisty.h"
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

// Runs its work on every way out of the scope.
struct NaKoniec {
    std::function<void()> praca;
    ~NaKoniec() { praca(); }
};

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

void KomendyPlaylisty::KomendaCzytajPlayliste() {
    StanKonsoli& st = silnik_.Stan;
    st.CzytaniePlaylisty = true;
    const NaKoniec koniec{[&st] { st.CzytaniePlaylisty = false; }};
    if (st.PauzaJest) return;
    for (quint8 s = 1; s <= 3; ++s)
        // An advert on air, whichever kind the first list reads.
        if (!SlotPusty(silnik_.Odtwarzacz[s]) && silnik_.Odtwarzacz[s].RodzajElementu == RodzajREK) return;
    ZapiszUndoPlaylisty(QStringLiteral("Czytaj playlistę"));
    if (OdczytPlaylisty(true, QString(), QString(), true, QString()) && Emisja.PlaylistaZapisPoOdczycieJest) {
        // The copy goes to the work folder as a native file: never over the file read.
        const QString kopia = WFolderze(Nastawy.RoboczyKatalog, PlaylistaNazwa + QStringLiteral(".MIX"));
        if (!TenSamPlik(kopia, PlaylistaZbior) &&
            ZapiszPlaylisteMIX(kopia, 1, StanPlaylisty.Ilosc) == WynikZapisuMIX::Blad)
            PokazBladKod(BladIO, QString(), kopia);
    }
    silnik_.PlaylistaZmieniona = false;
}

bool KomendyPlaylisty::OdczytPlaylisty(bool bezPytania, const QString& nazwa, const QString& plik, bool reklamy,
                                       const QString& pytanie) {
    if (!bezPytania && Decyzja(pytanie) != WynikTak) {
        PokazInfo(QStringLiteral("Playlista nie uległa zmianie"));
        return false;
    }
    QString zbior = plik, lista = nazwa;
    if (zbior.isEmpty()) {
        const QString filtr = Emisja.CzyOdczytTylkoMIX ? QStringLiteral(".MIX") : QStringLiteral(".SEL:.MIX");
        zbior = WybierzPlayliste ? WybierzPlayliste(filtr) : QString();
        lista = nazwaBezRozszerzenia(zbior);
    }
    if (zbior.isEmpty() || lista.isEmpty()) return false;

    const bool tenSam = TenSamPlik(zbior, PlaylistaZbior);
    silnik_.Komunikat.clear();
    silnik_.Wyjscia().OdswiezKomunikat();
    // The new list is built aside: the old one stays on air through every
    // question of the read and is replaced only after the last one.
    auto nowa = std::make_unique<ListaNaBoku>(silnik_, false);
    PlaylistaZbior = zbior;
    PlaylistaNazwa = lista;
    NowyLogNazwany(lista);
    Log(QStringLiteral("Odczyt playlisty ") + zbior);
    CzytajPlayliste(zbior, 0);
    if (BladIO != 0 || StanPlaylisty.Ilosc <= 0) {
        const int blad = BladIO;
        nowa.reset();
        PokazBladKod(blad != 0 ? blad : 2, QString(), zbior);
        return false;
    }
    if (Emisja.CzyTestKolejnoscMIX) SprawdzKolejnosc();
    if (reklamy) {
        silnik_.Wyjscia().WczytajReklamy(0, true);
        KopiujNaDyskLokalny(silnik_, 0);
        OdswiezOpisyElementow(StanPlaylisty);
        SprawdzCzasyReklam(StanPlaylisty);
    }
    BladIO = 0;
    const QString rozsz = rozszerzenie(zbior);
    if (rozsz == QStringLiteral(".SEL") || (rozsz == QStringLiteral(".MIX") && Emisja.CzyTestMIX))
        TestObecnosci(silnik_, 0, reklamy);
    if (rozsz == QStringLiteral(".SEL")) UsunPozaGodzine(StanPlaylisty);

    // Re-reading the same file keeps the cursor the operator has now.
    Widok widok;
    if (tenSam) widok = {nowa->StanNaAntenie().Kursor, nowa->StanNaAntenie().Pierwszy};
    przywrocWidok(widok);
    if (StanPlaylisty.Kursor == 0 || !tenSam) StanPlaylisty.Kursor = 1;
    StanPlaylisty.DoGrania = StanPlaylisty.Kursor;
    nowa->Zatwierdz();
    silnik_.Wyjscia().PominBraki();
    silnik_.Wyjscia().OdswiezPlayliste();
    silnik_.Wyjscia().OdswiezNazwe();
    return true;
}

void KomendyPlaylisty::DoklejPlayliste() {
    StanKonsoli& st = silnik_.Stan;
    if (st.CzytaniePlaylisty) return;
    st.CzytaniePlaylisty = true;
    const NaKoniec koniec{[&st] { st.CzytaniePlaylisty = false; }};
    if (StanPlaylisty.Ilosc <= 0) {
        PokazBlad(QStringLiteral("Nie ma aktualnej playlisty"), QStringLiteral("opcja dokleja listę na koniec aktualnej"));
        return;
    }
    const QString plik = WybierzPlayliste ? WybierzPlayliste(QStringLiteral(".MIX")) : QString();
    if (plik.isEmpty()) return;
    ZapiszUndoPlaylisty(QStringLiteral("Doklej playlistę"));
    const QString zbior = PlaylistaZbior, nazwa = PlaylistaNazwa;

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

    // The appended elements are read aside and join the list in one step;
    // the on-air ones carry on meanwhile, and keep the cursor and the next
    // element to play.
    const qint32 stara = StanPlaylisty.Ilosc;
    auto nowa = std::make_unique<ListaNaBoku>(silnik_, true);
    // The appended file's own advert lists are merged into its elements.
    PlaylistaZbior = plik;
    PlaylistaNazwa = nazwaBezRozszerzenia(plik);
    CzytajPlayliste(plik, stara);
    const int blad = BladIO;
    if (blad == 0) {
        silnik_.Wyjscia().WczytajReklamy(stara, true);
        KopiujNaDyskLokalny(silnik_, stara);
        if (rozszerzenie(plik) == QStringLiteral(".MIX") && Emisja.CzyTestMIX) TestObecnosci(silnik_, stara, true);
    }
    // The appended file does not become the playlist.
    PlaylistaZbior = zbior;
    PlaylistaNazwa = nazwa;
    nowa->Zatwierdz();
    nowa.reset();
    BladIO = 0;
    silnik_.PlaylistaZmieniona = false;
    silnik_.Wyjscia().OdswiezPlayliste();
    silnik_.Wyjscia().OdswiezNazwe();
    if (blad != 0) PokazBladKod(blad, QString(), plik);
}

void KomendyPlaylisty::ZapiszPlayliste() {
    StanKonsoli& st = silnik_.Stan;
    if (st.CzytaniePlaylisty) return;
    st.CzytaniePlaylisty = true;
    const NaKoniec koniec{[&st] { st.CzytaniePlaylisty = false; }};
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
