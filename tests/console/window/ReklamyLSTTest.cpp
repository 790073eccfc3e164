// Advert lists merged into a playlist read by the real window's button, and
// into an automatic load through the window's outputs.
#include <gtest/gtest.h>

#include "common/WavWriter.h"
#include "console/commands/PrzyciskiKonsoli.h"
#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "console/support/OknoTestPomoc.h"
#include "foundation/Dialogi.h"
#include "foundation/DialogiSkrypt.h"
#include "library/DKatalog.h"
#include "library/DKatalogNastawy.h"
#include "library/OknoTestPomoc.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 Godzina = 3'600'000;

class AdvertLists : public StanowiskoOkna {
public:
    void SetUp() override {
        for (int i = 1; i <= 3; ++i)
            folder.write(u"drives/c/REK/A00%1.WAV"_s.arg(i),
                         fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 10'000 * i)));
        folder.write(u"drives/c/MUZ/E1.WAV"_s, fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 40'000)));
        QDir().mkpath(folder.path() + u"/drives/c/LISTY"_s);
        okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s,
                                    u"OknoStanStart=0"_s, u"[Emisja MIX]"_s, u"KatAutomat=C:\\LISTY"_s,
                                    u"KatLista1=C:\\REK"_s, u"CzyHST=0"_s});
        // A.MIX: a song, the 14:00 advert placeholder, a song after it.
        WyczyscPlayliste();
        element(1, RodzajSND, u"E1"_s, u"C:\\MUZ\\E1.WAV"_s, 14 * Godzina - 40'000, 40'000);
        element(2, RodzajREK, u"Reklama o 14:00"_s, u" "_s, 14 * Godzina, 0);
        element(3, RodzajSND, u"E1"_s, u"C:\\MUZ\\E1.WAV"_s, 14 * Godzina, 40'000);
        element(4, RodzajREK, u"Reklama o 15:00"_s, u" "_s, 14 * Godzina + 40'000, 0);
        StanPlaylisty.Ilosc = 4;
        ASSERT_EQ(ZapiszPlaylisteMIX(u"C:\\LISTY\\A.MIX"_s, 1, 4), WynikZapisuMIX::Zapisano);
        WyczyscPlayliste();
        Emisja.CzyListaLST = true;
        Emisja.CzyLista2LST = Emisja.CzyPytanieOOdczytLST = Emisja.CzyNazwaLSTZPozycji = false;
        Emisja.KatLista1 = u"C:\\REK"_s;
    }
    void TearDown() override {
        okno.reset();
        WyczyscPlayliste();
        Emisja.CzyListaLST = Emisja.CzyLista2LST = Emisja.CzyPytanieOOdczytLST = false;
        Emisja.KatLista1.clear();
    }
    static void element(int i, quint8 typ, const QString& tyt, const QString& adr, qint32 emi, qint32 trw) {
        TElemPListy& e = Playlista[size_t(i)];
        InitElemPListy(e);
        e.Typ = typ;
        e.Ide = typ == RodzajSND ? tyt : u"--------"_s;
        e.Tyt = tyt;
        e.Adr = adr;
        e.Emi = emi;
        e.Trw = e.NwK = e.FOu = trw;
    }
    // The way of an automatic load: the adverts merged without questions.
    static PrzebiegiListy automatycznie(bool interaktywnie = false) {
        PrzebiegiListy co;
        co.Reklamy = true;
        co.Interaktywnie = interaktywnie;
        return co;
    }
    void lista(const QStringList& linie) { folder.write(u"drives/c/REK/A.LST"_s, linie.join(u"\r\n"_s).toLatin1()); }
    void klik(const BUTTONType& b) {
        QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                          QPoint((b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2));
    }
    void czytaj() {
        EXPECT_EQ(wKatalogach([&] { klik(okno->Przyciski().Pasek[size_t(PCzytaj)]); }, {{u"C:\\LISTY"_s, Qt::Key_A}}), 1);
    }
    // Each folder browser that opens while `otworz` and the read it asked
    // for run gets the next pick: it must start in that folder, and the
    // letter and Enter take the file; one opened after the picks is left
    // with Esc. Returns how many opened.
    int wKatalogach(const std::function<void()>& otworz, QList<QPair<QString, Qt::Key>> wybory) {
        QTimer t;
        int otwarte = 0;
        QObject::connect(&t, &QTimer::timeout, [&] {
            auto* o = dynamic_cast<TKatalog*>(QApplication::activeModalWidget());
            if (!o) return;
            ++otwarte;
            if (wybory.isEmpty()) {
                QTest::keyClick(o, Qt::Key_Escape);
                return;
            }
            const auto [katalog, litera] = wybory.takeFirst();
            EXPECT_EQ(o->Lista().Katalog, katalog);
            QTest::keyClick(o, litera);
            QTest::keyClick(o, Qt::Key_Return);
        });
        t.start(5);
        otworz();
        okno->Silnik().Odczyt.Oproznij();  // a read's own browsers open as it ends
        EXPECT_TRUE(wybory.isEmpty());
        return otwarte;
    }
};

// A block of three adverts fills the placeholder in list order, each at
// the previous one's end, the song after the block moves by their length;
// an entry with no block is dropped; another block's entry between them
// changes nothing of that.
TEST_F(AdvertLists, ThreeEntriesFillTheBlockAndAnEntryWithoutABlockIsDropped) {
    BEZ_TSAN();
    lista({u"14:00:00 Firma A"_s, u"C:\\REK\\A001.WAV"_s, u"15:00:00 Firma P"_s, u"C:\\REK\\A001.WAV"_s,
           u"14:00:00 Firma B"_s, u"C:\\REK\\A002.WAV"_s, u"14:30:00 Firma X"_s, u"C:\\REK\\A001.WAV"_s,
           u"14:00:00 Firma C"_s, u"C:\\REK\\A003.WAV"_s});
    czytaj();
    ASSERT_EQ(StanPlaylisty.Ilosc, 6);
    const QStringList ide = {u"Firma A"_s, u"Firma B"_s, u"Firma C"_s};
    qint32 emi = 14 * Godzina;
    for (int i = 0; i < 3; ++i) {
        const TElemPListy& e = Playlista[size_t(i + 2)];
        SCOPED_TRACE(i);
        EXPECT_EQ(RodzajElemPListy(e.Typ), RodzajREK);
        EXPECT_EQ(e.Ide, ide[i]);
        EXPECT_EQ(e.Emi, emi);
        EXPECT_NEAR(e.Trw, 10'000 * (i + 1), 50);
        emi += e.Trw;
    }
    EXPECT_EQ(Playlista[5].Emi, emi);
    EXPECT_EQ(Playlista[6].Ide, u"Firma P"_s);
    EXPECT_EQ(Playlista[6].Emi, emi + 40'000);
    EXPECT_EQ(LST1Adres, u"C:\\REK\\A.LST"_s);
    EXPECT_FALSE(LST1Data.trimmed().isEmpty());
}

// Both lists' entries for one block air, the second list's after the first
// list's, each advert named by its recording; an append merges the appended
// file's own list into the appended elements.
TEST_F(AdvertLists, TwoListsFillOneBlockAndAnAppendMergesItsOwnList) {
    BEZ_TSAN();
    folder.write(u"drives/c/REK2/A.LST"_s, u"14:00:00 Firma B\r\nC:\\REK\\A002.WAV"_s.toLatin1());
    lista({u"14:00:00 Firma A"_s, u"C:\\REK\\A001.WAV"_s});
    OpiszNagranie(u"C:\\REK\\A002.WAV"_s, QString(), u"Spot B"_s);
    Emisja.CzyLista2LST = true;
    Emisja.KatLista2 = u"C:\\REK2"_s;
    // B.MIX: a song and the 16:00 placeholder, which only B.LST fills.
    WyczyscPlayliste();
    element(1, RodzajSND, u"E1"_s, u"C:\\MUZ\\E1.WAV"_s, 16 * Godzina - 40'000, 40'000);
    element(2, RodzajREK, u"Reklama o 16:00"_s, u" "_s, 16 * Godzina, 0);
    StanPlaylisty.Ilosc = 2;
    ASSERT_EQ(ZapiszPlaylisteMIX(u"C:\\LISTY\\B.MIX"_s, 1, 2), WynikZapisuMIX::Zapisano);
    WyczyscPlayliste();
    folder.write(u"drives/c/REK/B.LST"_s, u"16:00:00 Firma C\r\nC:\\REK\\A003.WAV"_s.toLatin1());

    czytaj();
    ASSERT_EQ(StanPlaylisty.Ilosc, 5);
    EXPECT_EQ(Playlista[2].Ide, u"Firma A"_s);
    EXPECT_EQ(Playlista[3].Ide, u"Firma B"_s);
    EXPECT_TRUE(QString(Playlista[3].Tyt).startsWith(u"Spot B;"_s)) << QString(Playlista[3].Tyt).toStdString();
    EXPECT_EQ(Playlista[3].Emi, Playlista[2].Emi + Playlista[2].Trw);

    EXPECT_EQ(wKatalogach([&] { klik(okno->Przyciski().Pasek[size_t(PDoklej)]); }, {{u"C:\\LISTY"_s, Qt::Key_B}}), 1);
    Emisja.CzyLista2LST = false;
    ASSERT_EQ(StanPlaylisty.Ilosc, 7);
    EXPECT_EQ(Playlista[7].Ide, u"Firma C"_s);
    EXPECT_EQ(PlaylistaNazwa, u"A"_s);
}

// What keeps the list out: slots off, a "no" to the question, a missing
// list in an automatic load (the message field says so, no dialog).
TEST_F(AdvertLists, NothingIsReadWhenTheSlotsOrTheOperatorSayNo) {
    BEZ_TSAN();
    struct Przypadek {
        const char* nazwa;
        std::function<void(AdvertLists&)> przygotuj;
        int pytan;
        QString komunikat;
    };
    const QList<Przypadek> przypadki = {
        {"both slots off", [](AdvertLists&) { Emisja.CzyListaLST = false; }, 0, {}},
        {"the question answered no",
         [](AdvertLists& t) {
             Emisja.CzyPytanieOOdczytLST = true;
             t.dialogi.Odpowiedz(OdpowiedzNie);
         },
         1, {}},
        {"a missing list in an automatic load", [](AdvertLists& t) { QFile::remove(t.folder.path() + u"/drives/c/REK/A.LST"_s); },
         0, u"Brak listy reklamowej: A.LST"_s},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        lista({u"14:00:00 Firma A"_s, u"C:\\REK\\A001.WAV"_s});
        Emisja.CzyListaLST = true;
        Emisja.CzyPytanieOOdczytLST = false;
        dialogi.Wyczysc();
        okno->Silnik().Komunikat.clear();
        p.przygotuj(*this);
        if (p.komunikat.isEmpty()) {
            czytaj();
        } else {
            CzytajPrzezWatek(okno->Silnik(), u"C:\\LISTY\\A.MIX"_s, automatycznie());
        }
        ASSERT_EQ(StanPlaylisty.Ilosc, 4);
        EXPECT_EQ(Playlista[2].Tyt, u"Reklama o 14:00"_s);
        EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).size(), p.pytan);
        EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Blad).isEmpty());
        EXPECT_EQ(okno->Silnik().Komunikat, p.komunikat);
    }
}

}  // namespace

namespace {

// The other two ways a list goes in: in bar mode into the time list (the
// playlist is left alone and nothing of the previous time list stays), and
// into placeholders that name their own list.
TEST_F(AdvertLists, BarModeFillsTheTimeListAndPlaceholdersNameTheirOwnList) {
    BEZ_TSAN();
    lista({u"14:00:00 Firma A"_s, u"C:\\REK\\A001.WAV"_s, u"15:00:00 Firma B"_s, u"C:\\REK\\A002.WAV"_s});
    for (int i = 1; i <= 5; ++i) Timelista[size_t(i)].Tyt = u"STARA"_s;
    StanTimelisty.Ilosc = 5;
    Emisja.CzyReklamaJakoBelka = true;
    czytaj();
    Emisja.CzyReklamaJakoBelka = false;
    EXPECT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(Playlista[2].Tyt, u"Reklama o 14:00"_s);
    ASSERT_EQ(StanTimelisty.Ilosc, 2);
    EXPECT_EQ(Timelista[1].Tyt, u"Firma A"_s);
    EXPECT_EQ(Timelista[2].Czas, 15 * 3600);
    EXPECT_NE(Timelista[3].Tyt, u"STARA"_s);
    EXPECT_EQ(TimelistaZbior, u"C:\\REK\\A.LST"_s);

    // The read's last step runs in bar mode too: a placeholder without a bar goes.
    lista({u"14:00:00 Firma A"_s, u"C:\\REK\\A001.WAV"_s});
    Emisja.CzyReklamaJakoBelka = Emisja.CzyUsuwanieReklamaO = true;
    czytaj();
    Emisja.CzyReklamaJakoBelka = Emisja.CzyUsuwanieReklamaO = false;
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(Playlista[2].Tyt, u"Reklama o 14:00"_s);

    // A native playlist whose placeholder names list R1: only its 14:00
    // entries go in, the first in the placeholder's place.
    folder.write(u"drives/c/REK/R1.LST"_s, u"13:00:00 Wcześniej\r\nC:\\REK\\A001.WAV\r\n14:00:00 Firma R\r\n"
                                          u"C:\\REK\\A001.WAV\r\n14:00:00 Firma S\r\nC:\\REK\\A002.WAV\r\n"
                                          u"15:00:00 Później\r\nC:\\REK\\A003.WAV"_s.toLatin1());
    WyczyscPlayliste();
    element(1, RodzajSND, u"E1"_s, u"C:\\MUZ\\E1.WAV"_s, 14 * Godzina - 40'000, 40'000);
    element(2, RodzajREK, u"Reklama o 14:00@R1"_s, u" "_s, 14 * Godzina, 0);
    element(3, RodzajSND, u"E1"_s, u"C:\\MUZ\\E1.WAV"_s, 14 * Godzina, 40'000);
    StanPlaylisty.Ilosc = 3;
    ASSERT_EQ(ZapiszPlaylisteMIX(u"C:\\LISTY\\N.MIX"_s, 1, 3), WynikZapisuMIX::Zapisano);
    Emisja.CzyNazwaLSTZPozycji = true;
    CzytajPrzezWatek(okno->Silnik(), u"C:\\LISTY\\N.MIX"_s, automatycznie());
    ASSERT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(Playlista[2].Ide, u"Firma R"_s);
    EXPECT_EQ(Playlista[3].Ide, u"Firma S"_s);
    EXPECT_TRUE(QString(Playlista[2].Tyt).startsWith(u"Reklama o 14:00@R1;"_s));
    EXPECT_EQ(Playlista[2].Emi, 14 * Godzina);
    EXPECT_EQ(Playlista[3].Emi, Playlista[2].Emi + Playlista[2].Trw);
    EXPECT_EQ(Playlista[4].Emi, Playlista[3].Emi + Playlista[3].Trw);
}

}  // namespace

namespace {

// The playlist stops growing at its limit, with the limit message.
TEST_F(AdvertLists, ReadingStopsAtTheLimitWithItsMessage) {
    BEZ_TSAN();
    lista({u"14:00:00 Firma A"_s, u"C:\\REK\\A001.WAV"_s, u"14:00:00 Firma B"_s, u"C:\\REK\\A002.WAV"_s,
           u"14:00:00 Firma C"_s, u"C:\\REK\\A003.WAV"_s});
    CzytajPrzezWatek(okno->Silnik(), u"C:\\LISTY\\A.MIX"_s);
    for (int i = StanPlaylisty.Ilosc + 1; i < MaksPlaylisty; ++i)
        element(i, RodzajSND, u"E1"_s, u"C:\\MUZ\\E1.WAV"_s, 15 * Godzina, 40'000);
    ASSERT_EQ(ZapiszPlaylisteMIX(u"C:\\LISTY\\A.MIX"_s, 1, MaksPlaylisty - 1), WynikZapisuMIX::Zapisano);
    CzytajPrzezWatek(okno->Silnik(), u"C:\\LISTY\\A.MIX"_s, automatycznie(true));
    EXPECT_EQ(StanPlaylisty.Ilosc, MaksPlaylisty);
    EXPECT_EQ(Playlista[2].Ide, u"Firma A"_s);
    EXPECT_EQ(Playlista[3].Ide, u"Firma B"_s);
    const auto info = dialogi.Zapisy(RodzajDialogu::Info);
    ASSERT_FALSE(info.isEmpty());
    EXPECT_EQ(info.last().teksty.value(0), u"Brak pamięci na wczytanie całej listy !"_s);
}

}  // namespace

namespace {

// A list picked by hand in the browser, whatever its name: its entries fill
// the blocks, and the save proposes its name and the playlist's first hour.
TEST_F(AdvertLists, AListPickedByHandFillsTheBlocksAndNamesTheSave) {
    BEZ_TSAN();
    folder.write(u"drives/c/REK/PIATEK.LST"_s, QByteArray("14:00:00 Firma Q\r\nC:\\REK\\A002.WAV"));
    lista({u"14:00:00 Firma A"_s, u"C:\\REK\\A001.WAV"_s});
    Emisja.CzyListaLSTWybor = true;
    EXPECT_EQ(wKatalogach([&] { klik(okno->Przyciski().Pasek[size_t(PCzytaj)]); },
                          {{u"C:\\LISTY"_s, Qt::Key_A}, {u"C:\\REK"_s, Qt::Key_P}}),
              2);
    ASSERT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(Playlista[2].Ide, u"Firma Q"_s);
    EXPECT_EQ(LST1Adres, u"C:\\REK\\PIATEK.LST"_s);

    // The playlist starts at 13:59:20.
    dialogi.OdpowiedzTekst(u"PIATEK_1359"_s);
    klik(okno->Przyciski().Pasek[size_t(PZapisz)]);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Tekst).value(0).teksty.value(1), u"PIATEK_1359"_s);
    EXPECT_TRUE(QFileInfo(folder.path() + u"/drives/c/LISTY/PIATEK_1359.MIX"_s).isFile());

    // A pick left in the browser reads nothing and the save proposes the
    // playlist's own name again.
    dialogi.Wyczysc();
    EXPECT_EQ(wKatalogach([&] { klik(okno->Przyciski().Pasek[size_t(PCzytaj)]); }, {{u"C:\\LISTY"_s, Qt::Key_A}}), 2);
    EXPECT_EQ(Playlista[2].Tyt, u"Reklama o 14:00"_s);
    dialogi.OdpowiedzTekst(u"A"_s, OdpowiedzOpusc);
    klik(okno->Przyciski().Pasek[size_t(PZapisz)]);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Tekst).value(0).teksty.value(1), u"A"_s);
    Emisja.CzyListaLSTWybor = false;
}

// The time list's recordings come from the network twin of their drive,
// with their descriptions and without envelopes, whichever way the list got
// in: the time list's own read, or an advert list read in bar mode.
TEST_F(AdvertLists, TimeListRecordingsAreCopiedFromTheNetwork) {
    BEZ_TSAN();
    Katalogi.KatSiecStart = u"M"_s;
    Emisja.CzyKopiowacNagraniaTimelisty = true;
    const QByteArray dzwiek = fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 2000));
    struct Przypadek {
        const char* nazwa;
        bool belka;
        QList<quint16> odpowiedzi;  // the copy's question, then the file check's
    };
    const QList<Przypadek> przypadki = {
        {"the time list's read button", false, {}},
        {"an advert list in bar mode, copy asked", true, {OdpowiedzTak}},
        {"the copy declined", true, {OdpowiedzNie, OdpowiedzNie}},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        QDir(folder.path() + u"/drives/c/SIEC"_s).removeRecursively();
        folder.write(u"drives/m/SIEC/T1.WAV"_s, dzwiek);
        folder.write(u"drives/m/SIEC/T1.DAT"_s, QByteArray("opis"));
        folder.write(u"drives/m/SIEC/T1.OBW"_s, QByteArray("obwiednia"));
        lista({u"14:00:00 Firma T"_s, u"C:\\SIEC\\T1.WAV"_s});
        Emisja.CzyPytacOKopiowanieNagranTimelisty = !p.odpowiedzi.isEmpty();
        Emisja.CzyReklamaJakoBelka = p.belka;
        dialogi.Wyczysc();
        for (const quint16 o : p.odpowiedzi) dialogi.Odpowiedz(o);
        if (p.belka)
            czytaj();
        else
            EXPECT_EQ(wKatalogach([&] { klik(okno->Przyciski().Timelista[size_t(PTCzytaj)]); },
                                  {{u"C:\\REK"_s, Qt::Key_A}}),
                      1);
        Emisja.CzyReklamaJakoBelka = false;
        ASSERT_EQ(StanTimelisty.Ilosc, 1);
        const bool skopiowane = p.odpowiedzi.value(0, OdpowiedzTak) == OdpowiedzTak;
        EXPECT_EQ(folder.read(u"drives/c/SIEC/T1.WAV"_s), skopiowane ? dzwiek : QByteArray());
        EXPECT_EQ(folder.read(u"drives/c/SIEC/T1.DAT"_s), skopiowane ? QByteArray("opis") : QByteArray());
        EXPECT_FALSE(QFileInfo::exists(folder.path() + u"/drives/c/SIEC/T1.OBW"_s));
        // The file check after the copy finds the local file, or marks it.
        EXPECT_EQ(Timelista[1].Stan == 200, !skopiowane);
        if (skopiowane) EXPECT_NEAR(Timelista[1].Trw, 2000, 50);
        EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).size(), p.odpowiedzi.size());
        EXPECT_EQ(dialogi.Pozostalo(), 0);
    }
    Emisja.CzyKopiowacNagraniaTimelisty = Emisja.CzyPytacOKopiowanieNagranTimelisty = false;
    Katalogi.KatSiecStart = u"H"_s;
}

}  // namespace
