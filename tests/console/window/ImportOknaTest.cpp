// The scheduler's day file loaded by the running window: the midnight load
// reads it, finds the recordings through the database, takes their
// descriptions and plays it in Automat.
#include <gtest/gtest.h>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "common/WavWriter.h"
#include "console/engine/OdczytPlaylisty.h"
#include "console/support/OknoTestPomoc.h"
#include "foundation/KestDysk2.h"
#include "library/DBaza.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/VirtualDevice.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_PlaylistaPorzadki.h"
#include "playlists/NastawyEmisji.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 H = 3'600'000;

class ImportOkna : public StanowiskoOkna {
public:
    void TearDown() override {
        okno.reset();
        BazaCzyscWszystko();
        BazaWczytana = false;
        WyczyscPlayliste();
    }
    // A described recording on drive C; the database knows it on the network drive H.
    void nagranie(const QString& nazwa, const QString& tytul) {
        folder.drive(u'c');
        folder.write(u"drives/c/MUZ/"_s + nazwa, fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 3000)));
        SygnalType s;
        s.Adres = u"C:\\MUZ\\"_s + nazwa;
        OtworzSygnal(s, false);
        OpisNagraniaTyp opis;
        KasujOpis(opis);
        opis.Tyt = tytul;
        opis.Wyk = u"Wykonawca"_s;
        ZapiszDAT(s, opis);
        BAZARekordTyp r;
        r.Adr = u"H:\\MUZ\\"_s + nazwa;
        r.Tyt = tytul;
        BazaRekordy.Dodaj(r);
    }
    void graj(int ms) {
        if (auto d = platform::DeviceHub::instance().openVirtual(0)) d->stepMs(ms);
        zegar.advance(ms);
        okno->Silnik().Pliki.Oproznij();
        okno->Silnik().OproznijPrzygotowania();
        okno->Timer1Timer();
        okno->TimerWyswietlaczTimer();
    }
};

}  // namespace

TEST_F(ImportOkna, MidnightLoadImportsResolvesDescribesAndPlays) {
    okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s, u"OknoStanStart=0"_s, u"[Emisja MIX]"_s, u"CzyHST=0"_s,
                                u"CzySzukacNagran=1"_s, u"CzySzukacWBazie=1"_s, u"CzyOpisyInneZListy=1"_s, u"[Satelita]"_s,
                                u"SatPLJest=1"_s, u"SatPLNazwaFormat=RRRRMMDD"_s});
    EXPECT_EQ(PrzypiszOpisyPoOdczycie, static_cast<void (*)(StanListy&)>(&PrzypiszOpisyNagraniom));
    // Folder settings are read upper-cased, as the stations' Windows paths;
    // the test's Linux folder is given back as it is.
    Satelita.SatPLKatalog = folder.file(u"PL"_s);
    LogDoFolderu(folder);

    // The database file holds the recordings; the window has not read it yet.
    nagranie(u"A1.WAV"_s, u"Pierwsza opisana"_s);
    nagranie(u"A2.WAV"_s, u"Druga opisana"_s);
    BazaKompletna = true;
    BazaZmieniona = true;
    BazaZapisz(false);
    BazaCzyscWszystko();
    BazaWczytana = false;

    QStringList sel{u"WERSJA=1"_s, u"POZYCJI=2"_s};
    for (const char16_t* id : {u"A1", u"A2"})
        sel << u"TYP=SND"_s << u"TEMISJA=00:00:00"_s << u"TTRWA=00:02.500"_s << u"ID="_s + QString::fromUtf16(id)
            << u"TYTUL=z listy"_s << u"ARTYSTA=z listy"_s << u"ADRES="_s;
    ASSERT_TRUE(platform::writeTextFileAtomic(folder.file(u"PL/20261207.SEL"_s), sel));

    zegar.set(QDate(2026, 12, 6), 24 * H - 300);
    okno->Timery().PListaAutoodczytTimerTimer();
    zegar.advance(600);
    okno->Timery().PListaAutoodczytTimerTimer();
    okno->Silnik().Odczyt.Oproznij();

    ASSERT_EQ(StanPlaylisty.Ilosc, 2) << Logi().join(u"\n"_s).toStdString();
    EXPECT_TRUE(BazaWczytana);
    EXPECT_TRUE(PlaylistaZbior.endsWith(u"20261207.SEL"_s));
    EXPECT_EQ(Playlista[1].Adr, u"C:\\MUZ\\A1.WAV"_s);
    EXPECT_EQ(Playlista[2].Adr, u"C:\\MUZ\\A2.WAV"_s);
    EXPECT_EQ(Playlista[1].Tyt, u"Pierwsza opisana"_s);
    EXPECT_EQ(Playlista[2].Wyk, u"Wykonawca"_s);
    EXPECT_EQ(Playlista[1].Trw, 3000);  // the recording's own length
    EXPECT_TRUE(okno->Silnik().Stan.TrybAutomat);
    graj(30);
    EXPECT_EQ(okno->Silnik().Odtwarzacze().PlikOdtwarzacza(1), u"C:\\MUZ\\A1.WAV"_s);
    EXPECT_EQ(Logi().filter(u"Autoodczyt playlisty: "_s).size(), 1);

    // A native list read later passes the same hook: its marks are validated.
    Playlista[1].NwK = 99'000;
    ASSERT_EQ(ZapiszPlaylisteMIX(folder.file(u"N.MIX"_s), 1, 1), WynikZapisuMIX::Zapisano);
    CzyscPlayliste(okno->Silnik());
    CzytajPrzezWatek(okno->Silnik(), folder.file(u"N.MIX"_s));
    ASSERT_EQ(StanPlaylisty.Ilosc, 1);
    EXPECT_EQ(Playlista[1].NwK, 3000);
}
