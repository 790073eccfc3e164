// The singles wall through the real main window offscreen: keys and clicks
// of QTest, the stepped virtual sound device, scripted dialogs, and the
// library windows' callbacks filled as those windows will fill them.
#include <gtest/gtest.h>

#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "console/support/KonsolaTestPomoc.h"
#include "console/support/OknoTestPomoc.h"
#include "console/window/PanelSingli.h"
#include "console/window/TTolv.h"
#include "audio/DMagnet.h"
#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "audio/uDirectShowPlayer.h"
#include "foundation/A1761DRIVER.h"
#include "library/DBaza.h"
#include "library/DBazaOkno.h"
#include "library/DBazaWidok.h"
#include "library/DKatalog.h"
#include "library/OknoTestPomoc.h"
#include "foundation/DDecyzjaCzas.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/DyskDoPrzerwania.h"
#include "foundation/KestWej.h"
#include "platform/Clock.h"
#include "platform/RelayCard.h"
#include "platform/TextFile.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/VirtualDevice.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <map>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr TColor Aqua = 0xFFFF00, Zolty = 0x00FFFF, Turkus = 0x808000, Fuksja = 0xFF00FF;

class Sciana : public StanowiskoOkna {
public:
    // The desk inputs come from the simulated card's file in the program folder.
    void SetUp() override { UstawKartePrzekaznikow(std::make_unique<platform::SimulatedRelayCard>(folder.path())); }
    void TearDown() override {
        okno.reset();
        BazaCzyscWszystko();  // the database table lives for the run: leave none behind
        UstawKartePrzekaznikow(nullptr);
        OpcjeGPI = {};
        GPIWlaczone = 0;
        TekstGPI.clear();
        SlowoGPI = SlowoGPIPoprzednie = 0;
        WyczyscPlayliste();
        UstawSkale(SzerokoscSiatki, WysokoscSiatki);
    }

    // The window on settings of its own ("Emisja MIX" keys, then any other sections).
    void otworz(const QStringList& emisja = {}, const QStringList& inne = {}) {
        QStringList l{u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s, u"LOGZbiorJest=1"_s,
                      u"LOGKatalog="_s + folder.path(), u"OknoStanStart=0"_s, u"[Emisja MIX]"_s, u"CzyHST=0"_s};
        okno = OknoDoTestu(folder, l + emisja + inne);
    }
    // A recording of `ms` on drive C (or another), by its stored path.
    QString nagranie(const QString& nazwa, int ms = 500, QChar dysk = u'C') {
        folder.drive(dysk);
        folder.write(u"drives/%1/SINGLE/%2"_s.arg(dysk.toLower()).arg(nazwa),
                     fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, ms)));
        return u"%1:\\SINGLE\\%2"_s.arg(dysk).arg(nazwa);
    }
    // A set of (title, file) pairs read into the palette shown through "Czytaj".
    void zestaw(const QString& nazwa, const QList<std::pair<QString, QString>>& sloty) {
        QStringList linie;
        for (const auto& [tytul, plik] : sloty) linie << tytul << plik;
        ASSERT_TRUE(platform::writeTextFileAtomic(folder.file(nazwa), linie));
        czytaj(folder.file(nazwa));
        // The display shows it and the singles' read-ahead reads it.
        okno->TimerWyswietlaczTimer();
        silnik().OproznijPrzygotowania();
    }
    void czytaj(const QString& plik) {
        sc().Biblioteka.ZestawZKatalogu = [plik](const QString&) { return plik; };
        klik(4012);
    }
    void klik(quint16 id, Qt::MouseButton przycisk = Qt::LeftButton, int dx = 0) {
        const BUTTONType& b = okno->Przyciski().Single[size_t(IndeksPrzyciskuSingli(id))];
        QTest::mouseClick(okno.get(), przycisk, Qt::NoModifier,
                          QPoint((b.Rect.Left + b.Rect.Right) / 2 + dx, (b.Rect.Top + b.Rect.Bottom) / 2));
    }
    void klawisz(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(okno.get(), k, m); }
    ScianaSingli& sc() { return okno->Sciana(); }
    SilnikEmisji& silnik() { return okno->Silnik(); }
    QString grany(quint8 odtwarzacz) {
        return silnik().SlotZajety(odtwarzacz) ? silnik().Odtwarzacze().PlikOdtwarzacza(odtwarzacz) : QString();
    }
    int ileLogow(const QString& fragment) const { return int(Logi().filter(fragment).size()); }
    // `ms` of sound played, then the loop's and the display's ticks.
    void graj(int ms) {
        if (auto d = platform::DeviceHub::instance().openVirtual(0)) d->stepMs(ms);
        zegar.advance(ms);
        okno->Silnik().Pliki.Oproznij();
        okno->Silnik().OproznijPrzygotowania();
        okno->Timer1Timer();
        okno->TimerWyswietlaczTimer();
    }
    TColor pole(int s, int x = 2) {
        const TRect r = okno->Przyciski().Single[size_t(PSingielF1 + s - 1)].Rect;
        return okno->KolorPiksela(r.Left + 30 + x, (r.Top + r.Bottom) / 2);
    }
};

TEST_F(Sciana, SetFilesAreByteExactReadBackAndDamagedOnesLoad) {
    otworz();
    // Assigned from the folder browser: the name stands for a file without description.
    const QString dzwonek = nagranie(u"DZWONEK.WAV"_s, 1500);
    sc().Biblioteka.NagranieZKatalogu = [&](QString& nazwa, QString& plik) {
        nazwa = u"DZWONEK"_s;
        plik = dzwonek;
        return true;
    };
    klik(4014);
    klik(4201);
    ASSERT_EQ(sc().Single[1][1].Tyt, u"DZWONEK"_s);
    EXPECT_EQ(sc().Single[1][1].Trw, 1500);
    EXPECT_TRUE(sc().SingleZmienione);
    EXPECT_EQ(sc().SingleTryb, 1);  // back to playing after one assignment

    dialogi.OdpowiedzTekst(u"ZESTAW"_s);
    klik(4013);
    QByteArray oczekiwany = "DZWONEK\r\nC:\\SINGLE\\DZWONEK.WAV\r\n";
    for (int i = 0; i < 11; ++i) oczekiwany += "----------\r\n\r\n";
    EXPECT_EQ(folder.read(u"ZESTAW.SIN"_s), oczekiwany);

    klik(4010);
    ASSERT_EQ(sc().Single[1][1].Adr, QString());
    czytaj(folder.file(u"ZESTAW.SIN"_s));
    EXPECT_EQ(sc().SingleNazwa[1], u"ZESTAW"_s);
    EXPECT_EQ(sc().Single[1][1].Tyt, u"DZWONEK"_s);
    EXPECT_EQ(sc().Single[1][1].Adr, dzwonek);
    EXPECT_EQ(sc().Single[1][1].Trw, 1500);
    for (int s = 2; s <= 12; ++s) EXPECT_EQ(sc().Single[1][size_t(s)].Tyt, u"----------"_s);

    // Five lines fill two slots; a title without its file line is no slot.
    folder.write(u"PIEC.SIN"_s, "A\r\n" + dzwonek.toLatin1() + "\r\nB\r\n\r\nC\r\n");
    czytaj(folder.file(u"PIEC.SIN"_s));
    EXPECT_EQ(sc().Single[1][2].Tyt, u"B"_s);
    EXPECT_EQ(sc().Single[1][2].Trw, 0);
    EXPECT_EQ(sc().Single[1][3].Tyt, u"----------"_s);

    // Binary junk: whatever reads as a missing recording is asked about and cleared.
    QByteArray smieci;
    for (int i = 0; i < 5000; ++i) smieci += char((i * 37 + i / 7) % 256);
    folder.write(u"SMIECI.SIN"_s, smieci);
    dialogi.Odpowiedz(OdpowiedzNie);  // "Czy kontynuować testy?" - the rest stay as read
    czytaj(folder.file(u"SMIECI.SIN"_s));
    EXPECT_EQ(dialogi.Pozostalo(), 0);
    EXPECT_EQ(sc().SingleNazwa[1], u"SMIECI"_s);
    for (int s = 1; s <= 12; ++s) EXPECT_LE(sc().Single[1][size_t(s)].Tyt.size(), DlugoscTytuluSingla);

    // A save that cannot be written keeps the old file and the palette's name, and says why.
    folder.write(u"ZAJETY.SIN/x"_s, "");
    dialogi.OdpowiedzTekst(u"ZAJETY"_s);
    dialogi.Odpowiedz(OdpowiedzTak);  // "Zbiór o tej nazwie już istnieje!" - overwrite
    klik(4013);
    EXPECT_EQ(sc().SingleNazwa[1], u"SMIECI"_s);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 1);
    EXPECT_EQ(folder.read(u"ZAJETY.SIN/x"_s), QByteArray());
    // "Nie_ma" is no name for a set, nor for a palette.
    dialogi.OdpowiedzTekst(u"nie_ma"_s);
    klik(4013);
    dialogi.OdpowiedzTekst(u"Nie_ma"_s);
    klik(4011);
    const auto bledy = dialogi.Zapisy(RodzajDialogu::Blad);
    ASSERT_EQ(bledy.size(), 3);
    EXPECT_EQ(bledy[1].teksty, QStringList({u"Należy podać nazwę zbioru"_s, u" ( Inną od \"Nie_ma\" ))"_s}));
    EXPECT_EQ(bledy[2].teksty, QStringList({u"Należy podać nazwę zbioru"_s, u" ( Inną od \"Nie_ma\" )"_s}));
    EXPECT_TRUE(dialogi.Bledy().isEmpty()) << dialogi.Bledy().join('\n').toStdString();
}

// Twelve pairs of a set: the given slots hold their files, the others are empty.
QList<std::pair<QString, QString>> sloty(const std::map<int, QString>& pliki) {
    QList<std::pair<QString, QString>> l;
    for (int s = 1; s <= 12; ++s) {
        const auto it = pliki.find(s);
        l.append(it == pliki.end() ? std::pair{u"----------"_s, QString()} : std::pair{u"S%1"_s.arg(s), it->second});
    }
    return l;
}

TEST_F(Sciana, OnItsOwnOutputASingleStartsOnPlayer4AndASecondPressStopsIt) {
    otworz({u"Kanal4=2"_s});
    const QString a = nagranie(u"A.WAV"_s), k = nagranie(u"K.WAV"_s), l = nagranie(u"L.WAV"_s);
    zestaw(u"S.SIN"_s, sloty({{1, a}, {11, k}, {12, l}}));
    klawisz(Qt::Key_F1);
    EXPECT_EQ(grany(4), a);
    EXPECT_EQ(ileLogow(u"KLAW START 4 "_s + a), 1);
    klawisz(Qt::Key_F1);
    EXPECT_EQ(grany(4), QString());
    EXPECT_EQ(ileLogow(u"PROG STOP  4"_s), 1);
    // The palette shown was read ahead: a press looks only whether its file is
    // there (its folder's time, then the file itself); it opens nothing.
    graj(0);
    silnik().OproznijPrzygotowania();
    const quint64 przed = platform::fileSystemLooks();
    klawisz(Qt::Key_F11);
    EXPECT_EQ(platform::fileSystemLooks() - przed, 2u);
    EXPECT_EQ(grany(4), k);
    klawisz(Qt::Key_F12);
    EXPECT_EQ(grany(4), l);  // a single replaces a single; the main players are left alone
    EXPECT_EQ(grany(1) + grany(2), QString());
    // Another view in the lower panel: the wall's keys do nothing.
    okno->dyspozytor().UstawPanelDolny(PanelDlugaPlaylista);
    klawisz(Qt::Key_F11);
    EXPECT_EQ(grany(4), l);
}

TEST_F(Sciana, OnAMainPlayersOutputASingleTakesAnIdleMainPlayerNeverABusyOne) {
    otworz();  // Kanal4 shares player 1's output by default
    const QString a = nagranie(u"A.WAV"_s), b = nagranie(u"B.WAV"_s), c = nagranie(u"C.WAV"_s);
    zestaw(u"S.SIN"_s, sloty({{1, a}, {2, b}, {3, c}}));
    // The news break at the cursor is not what a single starts.
    Emisja.SERWISJest = true;
    InitElemPListy(Playlista[1]);
    Playlista[1].Typ = RodzajBRK;
    StanPlaylisty.Ilosc = StanPlaylisty.Kursor = 1;
    klawisz(Qt::Key_F1);
    klawisz(Qt::Key_F2);
    klawisz(Qt::Key_F3);
    EXPECT_EQ(grany(1), a);
    EXPECT_EQ(grany(2), b);
    EXPECT_EQ(grany(4), QString());
    EXPECT_EQ(ileLogow(u"KLAW START"_s), 2);
    const QString odmowa = u"Singiel nie zagrał - oba odtwarzacze grają na wyjściu singli: S3"_s;
    EXPECT_EQ(okno->Status().Tekst(), odmowa);
    EXPECT_EQ(ileLogow(odmowa), 1);
    EXPECT_EQ(sc().SingleOdtwarzacz, 2);
}

TEST_F(Sciana, InSequenceEverySlotWithAFileFollowsAndSlot12IsTheLast) {
    otworz({u"Kanal4=2"_s});
    std::map<int, QString> pliki;
    for (int s : {1, 2, 3, 4, 12}) pliki[s] = nagranie(u"S%1.WAV"_s.arg(s), 300);
    zestaw(u"S.SIN"_s, sloty(pliki));
    QFile::remove(folder.file(u"drives/c/SINGLE/S3.WAV"_s));  // missing since it was read
    klawisz(Qt::Key_F12, Qt::ControlModifier);
    ASSERT_TRUE(okno->SingleKolejnoTimer->isActive());
    okno->SingleKolejnoTimer->stop();
    klawisz(Qt::Key_F1);
    QStringList kolejne;
    QList<int> tiki;
    for (int i = 0; i < 40; ++i) {
        if (!grany(4).isEmpty() && (kolejne.isEmpty() || kolejne.last() != grany(4))) {
            kolejne << grany(4);
            tiki << i;
        }
        graj(100);
        okno->Timery().SingleKolejnoTimerTimer();
    }
    EXPECT_EQ(kolejne, QStringList({pliki[1], pliki[2], pliki[4], pliki[12]}));
    // Each one waits for the one before to end (300 ms).
    for (int i = 1; i < tiki.size(); ++i) EXPECT_GE(tiki[i] - tiki[i - 1], 3);
    EXPECT_EQ(sc().SingleOstatni, 12);
    EXPECT_FALSE(sc().SingleGrany);
    // Another palette's sequence flag goes off when this one's goes on; a
    // change of palette stops the timer.
    klawisz(Qt::Key_F2, Qt::ControlModifier);
    klawisz(Qt::Key_F12, Qt::ControlModifier);
    EXPECT_FALSE(sc().SingleKolejnoPaleta[1]);
    EXPECT_TRUE(sc().SingleKolejnoPaleta[2]);
    klawisz(Qt::Key_Left);
    EXPECT_FALSE(okno->SingleKolejnoTimer->isActive());
}

TEST_F(Sciana, TheQuestionBeforeAiringIsAnsweredByButtonsTimeOrADeskInput) {
    struct Wiersz {
        const char* nazwa;
        bool wspolne;       // Kanal4 on player 1's output
        quint16 przycisk;   // Tak or Nie; 0: the ticks run, and a desk input may answer
        const char* wejscia;  // card inputs at the second tick ("" none)
        bool zajety1;       // player 1 airs the playlist
        quint8 gracz;       // where the single goes, 0 nowhere
    };
    const Wiersz wiersze[] = {
        {"yes", false, OdpowiedzTak, "", false, 4},
        {"no", false, OdpowiedzNie, "", false, 0},
        {"time-out", false, 0, "", false, 0},
        {"player 1 input, own output", false, 0, "10000000", false, 4},
        {"player 1 input", true, 0, "10000000", false, 1},
        {"player 1 input, player 1 busy", true, 0, "10000000", true, 2},
        {"player 2 input", true, 0, "01000000", false, 2},
        {"input 2 names no main player", true, 0, "00100000", false, 1},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.nazwa);
        okno.reset();
        SlowoGPI = SlowoGPIPoprzednie = 0;
        folder.write(u"relay-inputs.txt"_s, "00000000\r\n");
        otworz({w.wspolne ? u"Kanal4=1"_s : u"Kanal4=2"_s, u"Advantech1761Jest=1"_s, u"StartStol=1"_s});
        const QString a = nagranie(u"A.WAV"_s, 1000), e = nagranie(u"E.WAV"_s, 5000);
        zestaw(u"S.SIN"_s, sloty({{1, a}}));
        if (w.zajety1) {
            InitElemPListy(Playlista[1]);
            Playlista[1].Typ = RodzajSND;
            Playlista[1].Adr = e;
            StanPlaylisty.Ilosc = StanPlaylisty.Kursor = 1;
            silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
            StartPoPrzygotowaniu(silnik());
            ASSERT_EQ(grany(1), e);
        }
        klawisz(Qt::Key_F11, Qt::ControlModifier);  // "Zapytaj"
        ASSERT_TRUE(sc().SingleZestawFlaga[1]);
        bool zolte = false;
        if (w.przycisk != 0) {
            dialogi.Odpowiedz(w.przycisk);
        } else {
            dialogi.OdpowiedzTikami(5, [&](int n) {
                zolte = zolte || pole(1) == Zolty;
                zegar.advance(50);
                if (n == 2 && *w.wejscia) folder.write(u"relay-inputs.txt"_s, QByteArray(w.wejscia) + "\r\n");
            });
        }
        klawisz(Qt::Key_F1);
        const auto pytania = dialogi.Zapisy(RodzajDialogu::DecyzjaCzas);
        ASSERT_FALSE(pytania.isEmpty());
        EXPECT_EQ(pytania.last().teksty.mid(0, 3), QStringList({u"Czy wyemitować nagranie?"_s, u"S1"_s, u"00:01.000"_s}));
        EXPECT_EQ(pytania.last().liczba, 2);
        if (w.przycisk == 0) EXPECT_TRUE(zolte);
        for (quint8 g : {1, 2, 4}) EXPECT_EQ(grany(g) == a, g == w.gracz) << "player " << int(g);
        EXPECT_EQ(sc().SingleGrany, w.gracz != 0);
        EXPECT_TRUE(silnik().FlagaWstawienia);
        EXPECT_NE(sc().Single[1][1].Stan, 2);
    }
    EXPECT_TRUE(dialogi.Bledy().isEmpty()) << dialogi.Bledy().join('\n').toStdString();
}

TEST_F(Sciana, PalettesWrapTheReminderSavesThePaletteLeftAndOnlyAssigningIsAChange) {
    otworz({u"SingleCzyPrzypominanieZapis=1"_s});
    const QString a = nagranie(u"A.WAV"_s), b = nagranie(u"B.WAV"_s);
    klawisz(Qt::Key_Left);
    EXPECT_EQ(sc().SinglePaleta, 6);
    klawisz(Qt::Key_Right);
    EXPECT_EQ(sc().SinglePaleta, 1);

    zestaw(u"S.SIN"_s, sloty({{1, a}}));
    klik(4015);  // "Usuń"
    klik(4201);
    EXPECT_EQ(sc().Single[1][1].Adr, QString());
    EXPECT_FALSE(sc().SingleZmienione);
    klawisz(Qt::Key_Right);  // nothing changed: no reminder
    EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Tekst).isEmpty());

    sc().Biblioteka.NagranieZKatalogu = [&](QString& nazwa, QString& plik) {
        nazwa = u"BE"_s;
        plik = b;
        return true;
    };
    klik(4014);  // "Wstaw"
    klik(4203);
    EXPECT_TRUE(sc().SingleZmienione);
    dialogi.OdpowiedzTekst(u"DRUGA"_s);
    klawisz(Qt::Key_Right);
    EXPECT_EQ(sc().SinglePaleta, 3);
    EXPECT_FALSE(sc().SingleZmienione);
    EXPECT_TRUE(folder.read(u"DRUGA.SIN"_s).startsWith("----------\r\n\r\n----------\r\n\r\nBE\r\n"));
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Tekst).last().teksty.value(1), u"2"_s);  // palette 2's name proposed

    // "Nowy" names the palette, and later saves propose that name.
    dialogi.OdpowiedzTekst(u"nocna"_s);
    klik(4011);
    EXPECT_EQ(sc().SingleNazwa[3], u"NOCNA"_s);
    dialogi.Odpowiedz(OdpowiedzOpusc);
    klik(4013);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Tekst).last().teksty.value(1), u"NOCNA"_s);
}

TEST_F(Sciana, APaletteElementOfThePlaylistAsksAndReadsItsSet) {
    otworz({u"StartEnter=1"_s});
    const QString a = nagranie(u"A.WAV"_s);
    folder.drive(u'C');
    ASSERT_TRUE(platform::writeTextFileAtomic(folder.file(u"drives/c/PALETY/RANO.SIN"_s), {u"Poranek"_s, a}));
    InitElemPListy(Playlista[1]);
    Playlista[1].Typ = RodzajINF;
    Playlista[1].Tyt = u"PALETA:C:\\PALETY\\RANO.SIN"_s;
    StanPlaylisty.Ilosc = StanPlaylisty.Kursor = 1;
    dialogi.Odpowiedz(OdpowiedzTak);
    klawisz(Qt::Key_Return);
    ASSERT_TRUE(CzekajNa([&] { return sc().SingleNazwa[1] == u"RANO"_s; }));
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty,
              QStringList({u"Czy wczytać paletę singli?"_s, u"C:\\PALETY\\RANO.SIN"_s}));
    EXPECT_EQ(sc().Single[1][1].Tyt, u"Poranek"_s);
    EXPECT_EQ(sc().SingleZbior[1], u"C:\\PALETY\\RANO.SIN"_s);
}

TEST_F(Sciana, NetworkSinglesAreCopiedToTheLocalDiskAndStayWhereTheyWereWhenACopyFails) {
    struct Wiersz {
        const char* nazwa;
        std::function<void(Sciana&)> przygotuj;
        bool lokalnie;  // the slot plays from C: afterwards
    };
    const Wiersz wiersze[] = {
        {"copied", [](Sciana&) {}, true},
        {"already there", [](Sciana& t) { t.nagranie(u"A.WAV"_s, 2000, u'C'); }, true},
        {"aborted", [](Sciana& t) { t.dialogi.PrzerwijPrzy(0); }, false},
        {"failed", [](Sciana& t) { t.folder.write(u"drives/c/SINGLE/A.WAV/x"_s, ""); }, false},
        {"no local folder", [](Sciana& t) { QDir(t.folder.file(u"drives/c/SINGLE"_s)).removeRecursively(); }, false},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.nazwa);
        okno.reset();
        QDir(folder.file(u"drives"_s)).removeRecursively();
        otworz({u"SingleKopiowanieJest=1"_s, u"SingleCzyKopiowanieZestawu1=1"_s, u"SingleKopiowanieStrukturaJest=1"_s,
                u"SingleDyskiKopiowanie=H"_s},
               {u"[Katalogi]"_s, u"DyskOstatni=G"_s, u"KatSiecStart=H"_s});
        const QString siec = nagranie(u"A.WAV"_s, 2000, u'H');  // four blocks to copy
        folder.drive(u'C');
        QDir().mkpath(folder.file(u"drives/c/SINGLE"_s));
        dialogi.Wyczysc();
        w.przygotuj(*this);
        std::optional<DyskDoPrzerwania> dysk;
        if (QByteArray(w.nazwa) == "aborted") dysk.emplace();
        zestaw(u"S.SIN"_s, sloty({{1, siec}}));
        dysk.reset();
        dialogi.PrzerwijPrzy(-1);
        EXPECT_EQ(sc().Single[1][1].Adr, w.lokalnie ? u"C:\\SINGLE\\A.WAV"_s : siec);
        if (w.lokalnie) EXPECT_EQ(folder.read(u"drives/c/SINGLE/A.WAV"_s), folder.read(u"drives/h/SINGLE/A.WAV"_s));
    }
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info).last().teksty.value(0), u"Nie ma katalogu:"_s);
}

TEST_F(Sciana, TheWallShowsWhatIsOnAirWhatIsAskedAndWhatLiesOnTheNetwork) {
    otworz({u"Kanal4=2"_s}, {u"[Katalogi]"_s, u"DyskOstatni=G"_s});
    const QString a = nagranie(u"A.WAV"_s, 2000), n = nagranie(u"N.WAV"_s, 2000, u'H');
    zestaw(u"S.SIN"_s, sloty({{1, a}, {3, n}}));
    // Idle players hold no file, and no empty slot is taken for one on air.
    okno->TimerWyswietlaczTimer();
    for (int s = 1; s <= 12; ++s) EXPECT_EQ(sc().Single[1][size_t(s)].Stan, 0);
    EXPECT_FALSE(sc().PaletaNaAntenie(1));

    klawisz(Qt::Key_F1);
    graj(1000);
    EXPECT_EQ(sc().Single[1][1].Stan, 1);
    EXPECT_NEAR(sc().Postep(1), 500, 30);
    // The played half of the field in the window's colour, the rest aqua; time to go in black.
    EXPECT_EQ(pole(1), KolorTlaPrzycisku);
    const TRect r1 = okno->Przyciski().Single[0].Rect;
    EXPECT_EQ(pole(1, (r1.Right - r1.Left - 33) * 3 / 4), Aqua);
    EXPECT_EQ(okno->KolorPiksela(r1.Left + 2, r1.Top + 2), KolorCzerwony);
    EXPECT_EQ(TekstCzasuSingla(2000, 500), u" 0:01"_s);
    EXPECT_EQ(TekstCzasuSingla(0, -1), u" 0:00"_s);
    EXPECT_EQ(TekstCzasuSingla(754'000, -1), u"12:34"_s);
    // The same file under another case on palette 2 is on air too: its button is framed red.
    zestaw(u"S.SIN"_s, sloty({{1, a}, {3, n}}));
    klawisz(Qt::Key_Right);
    zestaw(u"T.SIN"_s, sloty({{5, a.toLower()}}));
    okno->TimerWyswietlaczTimer();
    EXPECT_EQ(sc().Single[2][5].Stan, 1);
    const TRect p2 = okno->Przyciski().Single[PPaleta1 + 1].Rect;
    EXPECT_EQ(okno->KolorPiksela(p2.Left - 1, p2.Top - 1), KolorCzerwony);
    klawisz(Qt::Key_Left);
    // An empty slot: black field, the teal " 0:00"; a network one says so.
    EXPECT_EQ(pole(2), KolorCzarny);
    bool siec = false, turkus = false;
    const TRect r3 = okno->Przyciski().Single[2].Rect, r2 = okno->Przyciski().Single[1].Rect;
    for (int x = r3.Left + 31; x < r3.Left + 80; ++x)
        for (int y = r3.Top + 4; y < r3.Bottom - 3; ++y) siec = siec || okno->KolorPiksela(x, y) == Fuksja;
    for (int x = r2.Right - 50; x < r2.Right - 4; ++x)
        for (int y = r2.Top + 4; y < r2.Bottom - 3; ++y) turkus = turkus || okno->KolorPiksela(x, y) == Turkus;
    EXPECT_TRUE(siec);
    EXPECT_TRUE(turkus);
}

TEST_F(Sciana, ARightClickPreviewsAndAStartThatFailsIsShown) {
    otworz({u"Kanal4=2"_s});
    const QString a = nagranie(u"A.WAV"_s, 10'000);
    folder.write(u"drives/c/SINGLE/ZLY.WAV"_s, "RIFF\x04\0\0\0WAVEjunk");
    zestaw(u"S.SIN"_s, sloty({{1, a}, {2, u"C:\\SINGLE\\ZLY.WAV"_s}}));
    qint64 od = -1;
    QTimer::singleShot(0, [&] {
        if (TDMagnetofon* m = DMagnetofon(); m && m->Player()) {
            od = m->Player()->GetPosition();
            m->close();
        }
    });
    klik(4201, Qt::RightButton);
    EXPECT_EQ(od, 3000);  // the last seven seconds
    EXPECT_EQ(grany(4), QString());

    klawisz(Qt::Key_F2);
    EXPECT_EQ(grany(4), QString());
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).last().teksty.value(0), u"Nie można odtworzyć singla"_s);
    EXPECT_EQ(ileLogow(u"Singiel nie zagrał: C:\\SINGLE\\ZLY.WAV"_s), 1);
}

}  // namespace

// A slot assigned from the database window, as the operator does it: the
// window builds the database from its search folder and Enter takes the row.
TEST_F(Sciana, ASlotIsAssignedThroughTheDatabaseWindow) {
    otworz({}, {u"[Baza nagran]"_s, u"BazaZbior=C:\\BAZA.BAZ"_s, u"BAZAKatalogSzukaj1=C:\\SINGLE"_s});
    const QString a = nagranie(u"A.WAV"_s, 1000);
    OpiszNagranie(a, u"Abba"_s, u"Alarm"_s);  // listed under its performer's letter
    silnik().Stan.TrybWstawiania = 2;  // the database is the source
    klik(4014);                        // "Wstaw"
    dialogi.Odpowiedz(OdpowiedzTak);   // "Czy utworzyć bazę nagrań?"
    WModalnym<TBaza>([&] { klik(4201); }, [](TBaza& o) {
        ASSERT_EQ(BazaLiczba, 1);
        QTest::keyClick(&o, Qt::Key_Return);
    });
    EXPECT_EQ(sc().Single[1][1].Adr, a);
    EXPECT_EQ(sc().Single[1][1].Tyt, u"Alarm"_s);
    EXPECT_TRUE(sc().SingleZmienione);
}

// A set read and a slot assigned through the folder browser, as the operator
// does it: "Czytaj" opens it in the palette's folder, the letter jump and
// Enter take the set; "Wstaw" opens it in the music folder.
TEST_F(Sciana, ASetIsReadAndASlotAssignedThroughTheFolderBrowser) {
    BEZ_TSAN();
    const QString a = nagranie(u"A.WAV"_s, 1000);
    const QString b = nagranie(u"B.WAV"_s, 700);
    folder.write(u"drives/c/ZESTAWY/INNY.SIN"_s, QByteArray());
    ASSERT_TRUE(platform::writeTextFileAtomic(folder.file(u"drives/c/ZESTAWY/RANEK.SIN"_s), {u"Alarm"_s, a}));
    QDir().mkpath(folder.path() + u"/drives/c/ZESTAWY/NOWE"_s);
    otworz({u"SingleOdczytKatalogiJest=1"_s, u"SingleKatAdres1=C:\\ZESTAWY"_s, u"KatMuzyka1=C:\\SINGLE"_s,
            u"CzySingleFolderZapis=1"_s, u"SingleZapisKatalogiJest=1"_s});
    WModalnym<TKatalog>([&] { klik(4012); }, [](TKatalog& o) {
        EXPECT_EQ(o.windowTitle(), u" Palety singli "_s);
        EXPECT_EQ(o.Lista().Katalog, u"C:\\ZESTAWY"_s);
        QTest::keyClick(&o, Qt::Key_R);
        QTest::keyClick(&o, Qt::Key_Return);
    });
    EXPECT_EQ(sc().Single[1][1].Adr, a);
    EXPECT_EQ(sc().SingleNazwa[1], u"RANEK"_s);

    silnik().Stan.TrybWstawiania = 1;  // the folder browser is the source
    klik(4014);                        // "Wstaw"
    WModalnym<TKatalog>([&] { klik(4202); }, [](TKatalog& o) {
        EXPECT_EQ(o.Lista().Katalog, u"C:\\SINGLE"_s);
        QTest::keyClick(&o, Qt::Key_B);
        QTest::keyClick(&o, Qt::Key_Return);
    });
    EXPECT_EQ(sc().Single[1][2].Adr, b);
    EXPECT_EQ(okno->StanyPrzegladarki().Wstaw.KatalogStart, u"C:\\SINGLE"_s);

    // "Zapisz" picks the folder: into NOWE, then grey plus takes the folder.
    dialogi.OdpowiedzTekst(u"POPOLUDNIE"_s);
    WModalnym<TKatalog>([&] { klik(4013); }, [](TKatalog& o) {
        EXPECT_EQ(o.windowTitle(), u"Katalog docelowy"_s);
        EXPECT_EQ(o.Lista().Katalog, u"C:\\ZESTAWY"_s);
        QTest::keyClick(&o, Qt::Key_N);
        QTest::keyClick(&o, Qt::Key_Return);
        EXPECT_EQ(o.Lista().Katalog, u"C:\\ZESTAWY\\NOWE"_s);
        QTest::keyClick(&o, Qt::Key_Plus, Qt::KeypadModifier);
    });
    EXPECT_TRUE(QFile::exists(folder.path() + u"/drives/c/ZESTAWY/NOWE/POPOLUDNIE.SIN"_s));
}

// "~Baza" in the insert browser opens the database window; its choice closes
// the browser as an accept would.
TEST_F(Sciana, TheBrowsersDatabasePickAssignsASlot) {
    BEZ_TSAN();
    otworz({u"KatMuzyka1=C:\\SINGLE"_s}, {u"[Baza nagran]"_s, u"BazaZbior=C:\\BAZA.BAZ"_s, u"BAZAKatalogSzukaj1=C:\\SINGLE"_s});
    const QString a = nagranie(u"A.WAV"_s, 1000);
    OpiszNagranie(a, u"Abba"_s);  // listed under its performer's letter
    silnik().Stan.TrybWstawiania = 1;
    klik(4014);
    dialogi.Odpowiedz(OdpowiedzTak);  // "Czy utworzyć bazę nagrań?"
    WModalnym<TKatalog>([&] { klik(4201); }, [](TKatalog& o) {
        const BUTTONType* baza = o.PrzyciskKomendy(213);
        ASSERT_TRUE(baza && baza->Widoczny);
        // The database window opens over the browser; Enter takes its row.
        bool bazaOtwarta = false;
        QTimer::singleShot(0, [&] {
            auto* b = dynamic_cast<TBaza*>(QApplication::activeModalWidget());
            ASSERT_NE(b, nullptr);
            bazaOtwarta = true;
            QTest::keyClick(b, Qt::Key_Return);
        });
        QTest::mouseClick(&o, Qt::LeftButton, Qt::NoModifier,
                          QPoint((baza->Rect.Left + baza->Rect.Right) / 2, (baza->Rect.Top + baza->Rect.Bottom) / 2));
        EXPECT_TRUE(bazaOtwarta);
    });
    EXPECT_EQ(sc().Single[1][1].Adr, a);
    EXPECT_EQ(okno->StanyPrzegladarki().Wstaw.WybranaSciezka, a);
}
