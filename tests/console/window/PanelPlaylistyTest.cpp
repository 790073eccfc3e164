// The playlist and time-list panels in the real main window offscreen: a
// playlist of every kind with deck A on air, keys, clicks and the pictures
// at the smallest and a large size (saved beside the test program).
#include <gtest/gtest.h>

#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "console/engine/PanelListy.h"
#include "console/support/OknoTestPomoc.h"
#include "console/window/PanelPlaylisty.h"
#include "console/commands/PanelTimelisty.h"
#include "console/commands/PrzyciskiKonsoli.h"
#include "foundation/Dialogi.h"
#include "foundation/KestSter2.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

#include "audio/DMagnet.h"
#include "audio/uDirectShowPlayer.h"
#include "platform/Paths.h"

#include <QDir>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 H = 3'600'000;

class Panele : public StanowiskoOkna {
public:
    void SetUp() override {
        folder.write(u"E1.WAV"_s, fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 5000)));
        okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s,
                                    u"LOGZbiorJest=1"_s, u"LOGKatalog="_s + folder.path(), u"OknoStanStart=0"_s,
                                    u"[Emisja MIX]"_s, u"StartEnter=1"_s, u"CzyHST=0"_s});
    }
    void TearDown() override {
        okno.reset();
        WyczyscPlayliste();
        StanTimelisty.Ilosc = StanTimelisty.Kursor = 0;
        UstawSkale(SzerokoscSiatki, WysokoscSiatki);
    }

    // Elements of every kind, the third one's file missing, the first on deck A.
    void playlistaKazdegoRodzaju() {
        const quint8 rodzaje[] = {RodzajSND, RodzajINF, RodzajSND, RodzajREK, RodzajDJ_, RodzajJNG, RodzajPRO,
                                  RodzajSPO, RodzajAUD, RodzajWHI, RodzajSWE, RodzajLOP, RodzajEFE,
                                  RodzajALR, RodzajBRK};
        int n = 0;
        for (quint8 r : rodzaje) {
            TElemPListy& e = Playlista[size_t(++n)];
            InitElemPListy(e);
            e.Typ = r;
            e.Ide = u"ID%1"_s.arg(n);
            e.Adr = n == 3 ? folder.file(u"BRAK.WAV"_s) : folder.file(u"E1.WAV"_s);
            e.BrakZbioru = n == 3 ? 1 : 0;
            e.Wyk = u"Wykonawca %1"_s.arg(n);
            e.Tyt = u"Tytuł utworu numer %1 zażółć gęślą jaźń"_s.arg(n);
            e.Emi = 12 * H + (n - 1) * 5000;
            e.Trw = e.NwK = 5000;
            e.Int = 2000;
            e.Out = 3000;
            e.Mix = 1500;
            e.Zak = u"F"_s;
        }
        Playlista[1].Typ |= TypZagrany;
        Playlista[4].Typ |= TypGrajO;
        Playlista[6].Aut = 1;
        StanPlaylisty.Ilosc = n;
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 2;
        okno->Silnik().Odtwarzacz[1].Element = 1;
        okno->Silnik().Stan.OdtwarzaczZajety[1] = 1;
        okno->Silnik().Komunikat = u"Brak reklamy: R3"_s;
        for (int i = 1; i <= 9; ++i) {
            Timelista[size_t(i)] = TElemTListy{};
            Timelista[size_t(i)].Tyt = u"Reklama %1"_s.arg(i);
            Timelista[size_t(i)].Czas = 14 * 3600 + (i / 3) * 1800;
            Timelista[size_t(i)].Trw = 30'000;
            Timelista[size_t(i)].Stan = i == 1 ? StanZagrany : i == 5 ? 200 : i == 7 ? StanDoklejony : 0;
        }
        StanTimelisty.Ilosc = 9;
        StanTimelisty.Kursor = 2;
        TimelistaNazwa = u"PONIEDZ"_s;
        okno->RysujOkno();
    }

    int wiersz() const { return SkalaY(WierszPlaylistyJ); }
    // A point in row k of the playlist, `x` pixels from the rows' left.
    QPoint wWierszu(qint32 k, int x) const {
        return {StanPlaylisty.Lista.Left + x, GoraWiersza(StanPlaylisty, k, wiersz()) + wiersz() / 2};
    }
    QStringList noweLogi(qsizetype przed) const { return Logi().mid(przed); }
};

QString folderArtefaktow() {
    const QString folder = QCoreApplication::applicationDirPath() + u"/artifacts"_s;
    QDir().mkpath(folder);
    return folder;
}

}  // namespace

TEST_F(Panele, PicturesAtBothSizes) {
    for (const QSize rozmiar : {QSize(1030, 746), QSize(1296, 1014)}) {
        okno->resize(rozmiar);
        QCoreApplication::processEvents();
        playlistaKazdegoRodzaju();
        EXPECT_EQ(StanPlaylisty.Wierszy, 6) << "whole rows below the header";
        EXPECT_EQ(StanTimelisty.Wierszy, 7);
        const QString plik = folderArtefaktow() + u"/Panele-%1x%2.png"_s.arg(rozmiar.width()).arg(rozmiar.height());
        EXPECT_TRUE(okno->Plotno().save(plik));
        // The cursor row red, the played element's time box in the window
        // colour, the advert's red, the Auto box of element 6 red.
        EXPECT_EQ(okno->KolorPiksela(wWierszu(2, SkalaX(78)).x(), wWierszu(2, 0).y()), KolorCzerwony);
        EXPECT_EQ(okno->KolorPiksela(wWierszu(3, SkalaX(78)).x(), wWierszu(3, 0).y()), KolorSzary);
        EXPECT_EQ(okno->KolorPiksela(StanPlaylisty.Lista.Left + SkalaX(70), wWierszu(1, 0).y() + SkalaY(10)),
                  KolorTlaPrzycisku);
        EXPECT_EQ(okno->KolorPiksela(StanPlaylisty.Lista.Left + SkalaX(70), wWierszu(4, 0).y() + SkalaY(10)),
                  KolorCzerwony);
        EXPECT_EQ(okno->KolorPiksela(StanPlaylisty.Lista.Right - SkalaX(14), wWierszu(6, 0).y() + SkalaY(3)),
                  KolorCzerwony);
        // The message field lies between the hour buttons and the rows.
        const TRect pole = ProstokatPolaKomunikatu();
        EXPECT_GT(pole.Top, okno->Przyciski().Godziny[0].Rect.Bottom);
        EXPECT_LT(pole.Bottom, StanPlaylisty.Lista.Top);
        // The time list's rows stay above "Wstaw", "Usuń" and "Info".
        EXPECT_LE(StanTimelisty.Lista.Top + StanTimelisty.Wierszy * SkalaY(WierszTimelistyJ), SkalaY(452));
    }
}

TEST_F(Panele, KeysScrollAndClicksChooseRows) {
    playlistaKazdegoRodzaju();
    StanPlaylisty.Kursor = 6;
    okno->RysujOkno();
    QTest::keyClick(okno.get(), Qt::Key_Down);
    EXPECT_EQ(StanPlaylisty.Kursor, 7);
    EXPECT_EQ(StanPlaylisty.Pierwszy, 2) << "Down on the last visible row scrolls one row";
    QTest::keyClick(okno.get(), Qt::Key_End);
    EXPECT_EQ(StanPlaylisty.Kursor, 15);
    EXPECT_EQ(StanPlaylisty.Pierwszy, 13);
    QTest::keyClick(okno.get(), Qt::Key_Home);
    EXPECT_EQ(StanPlaylisty.Pierwszy, 1);

    // A left click picks the row; below the last element nothing happens.
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, wWierszu(4, SkalaX(150)));
    EXPECT_EQ(StanPlaylisty.Kursor, 4);
    StanPlaylisty.Ilosc = 3;
    okno->RysujOkno();
    const qsizetype przed = Logi().size();
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, wWierszu(5, SkalaX(150)));
    EXPECT_EQ(StanPlaylisty.Kursor, 4);
    EXPECT_TRUE(noweLogi(przed).isEmpty());
    StanPlaylisty.Ilosc = 15;

    // The Auto box toggles the semiautomatic flag and says so.
    const QPoint auto4(StanPlaylisty.Lista.Right - SkalaX(14), wWierszu(4, 0).y());
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, auto4);
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, auto4);
    EXPECT_EQ(noweLogi(przed), QStringList({u"SEMIAUTOMAT ON ID4"_s, u"SEMIAUTOMAT OFF ID4"_s}));

    // The scroll bar: a click near its bottom shows the last page.
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                      QPoint((StanPlaylisty.Pasek.Left + StanPlaylisty.Pasek.Right) / 2, StanPlaylisty.Pasek.Bottom - 1));
    EXPECT_GE(StanPlaylisty.Pierwszy, 14);
    // Dragged with the button held, the thumb takes the rows along; the
    // cursor stays where it was.
    const QPoint gora((StanPlaylisty.Pasek.Left + StanPlaylisty.Pasek.Right) / 2, StanPlaylisty.Pasek.Top + 1);
    QMouseEvent ruch(QEvent::MouseMove, gora, okno->mapToGlobal(gora), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(okno.get(), &ruch);
    EXPECT_EQ(StanPlaylisty.Pierwszy, 1);
    EXPECT_EQ(StanPlaylisty.Kursor, 4);

    // The time list: a click picks its row.
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(StanTimelisty.Lista.Left + 40, GoraWiersza(StanTimelisty, 4, SkalaY(WierszTimelistyJ)) + 3));
    EXPECT_EQ(StanTimelisty.Kursor, 4);
}

TEST_F(Panele, MiddleClickOnTheTimeBoxConfirmsTheModeThatIsOnElseStartsMoving) {
    playlistaKazdegoRodzaju();
    StanKonsoli& st = okno->Silnik().Stan;
    const auto klik = [&](qint32 wiersz) {
        QTest::mouseClick(okno.get(), Qt::MiddleButton, Qt::NoModifier, wWierszu(wiersz, SkalaX(20)));
        EXPECT_EQ(StanPlaylisty.Kursor, wiersz);
    };
    // No mode: moving starts from the clicked element.
    klik(6);
    EXPECT_TRUE(st.TrybPrzesuwania);
    // Moving: the click drops it there after the question.
    dialogi.Odpowiedz(OdpowiedzTak);
    klik(3);
    EXPECT_FALSE(st.TrybPrzesuwania);
    EXPECT_EQ(Playlista[3].Ide, u"ID6"_s);
    EXPECT_EQ(Playlista[4].Ide, u"ID3"_s);
    // Marking a block from row 2 (the decks idle): the click ends it at row
    // 5, after the question.
    st.OdtwarzaczZajety[1] = 0;
    StanPlaylisty.Kursor = 2;
    const BUTTONType& blok = okno->Przyciski().Pasek[size_t(PBlok)];
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                      QPoint((blok.Rect.Left + blok.Rect.Right) / 2, (blok.Rect.Top + blok.Rect.Bottom) / 2));
    ASSERT_TRUE(st.TrybBloku);
    dialogi.Odpowiedz(OdpowiedzTak);
    QTest::mouseClick(okno.get(), Qt::MiddleButton, Qt::NoModifier, wWierszu(5, SkalaX(20)));
    EXPECT_FALSE(st.TrybBloku);
    EXPECT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(Playlista[2].Ide, u"ID6"_s);
}

namespace {

class TimelistaOkna : public Panele {
public:
    PanelTimelisty& tl() { return okno->Timelista(); }
    void wpisy(std::initializer_list<std::pair<qint32, QString>> lista) {
        int i = 0;
        for (const auto& [czas, tytul] : lista) {
            Timelista[size_t(++i)] = TElemTListy{};
            Timelista[size_t(i)].Czas = czas;
            Timelista[size_t(i)].Tyt = tytul;
            Timelista[size_t(i)].Adr = folder.file(u"E1.WAV"_s);
        }
        StanTimelisty.Ilosc = i;
        StanTimelisty.Kursor = 1;
    }
    QStringList bledy() const {
        QStringList b;
        for (const auto& z : dialogi.Zapisy(RodzajDialogu::Blad)) b << z.teksty.join(u'|');
        return b;
    }
};

}  // namespace

TEST_F(TimelistaOkna, TimeEntryTakesHoursUpTo24AndFiveCharacters) {
    struct Wiersz {
        QString tekst;
        qint32 wynik;  // -1: refused, the value kept
    } wiersze[] = {
        {u"24:30:00"_s, 24 * 3600 + 1800}, {u"12:60:00"_s, -1}, {u"12:30"_s, 12 * 3600 + 1800},
        {u"1:30"_s, -1}, {u"25:00:00"_s, -1}, {u"08:15:xx"_s, 8 * 3600 + 900},
    };
    for (const auto& w : wiersze) {
        dialogi.Wyczysc();
        dialogi.OdpowiedzTekst(w.tekst);
        qint32 s = 3661;
        EXPECT_EQ(PodajCzasHMS(u"Czas "_s, u"R1"_s, s), w.wynik >= 0) << w.tekst.toStdString();
        EXPECT_EQ(s, w.wynik >= 0 ? w.wynik : 3661) << w.tekst.toStdString();
        EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Tekst).value(0).teksty, QStringList({u"Czas R1"_s, u"01:01:01"_s}));
        EXPECT_EQ(bledy(), w.wynik >= 0 ? QStringList() : QStringList{u"Błędnie podany czas|"_s})
            << w.tekst.toStdString();
    }
}

TEST_F(TimelistaOkna, InsertAfterTheCursorOrByTimeAndRefusedDuringABlock) {
    wpisy({{14 * 3600, u"A"_s}, {14 * 3600, u"B"_s}, {15 * 3600, u"C"_s}});
    StanTimelisty.Kursor = 1;
    tl().Zrodla.NagranieZPrzegladarki = [this](QString& nazwa, QString& plik) {
        nazwa = u"NOWA"_s;
        plik = folder.file(u"E1.WAV"_s);
        return true;
    };
    dialogi.OdpowiedzTekst(u"14:00:00"_s);  // the proposal unchanged
    tl().Wstaw();
    EXPECT_EQ(Timelista[2].Tyt, u"NOWA"_s) << "right after the cursor";
    EXPECT_EQ(Timelista[2].Trw, 5000);
    EXPECT_EQ(StanTimelisty.Ilosc, 4);
    EXPECT_EQ(StanTimelisty.Kursor, 2);
    dialogi.OdpowiedzTekst(u"14:30:00"_s);
    tl().Wstaw();
    EXPECT_EQ(Timelista[4].Tyt, u"NOWA"_s) << "after the last entry not later";
    EXPECT_EQ(Timelista[5].Tyt, u"C"_s);

    okno->Silnik().Stan.PauzaJest = true;
    tl().Wstaw();
    tl().Usun();
    tl().Czysc();
    EXPECT_EQ(StanTimelisty.Ilosc, 5) << "nothing changes while a block plays";
    EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Decyzja).isEmpty());
    okno->Silnik().Stan.PauzaJest = false;
    dialogi.Odpowiedz(OdpowiedzTak);
    StanTimelisty.Kursor = 5;
    tl().Usun();
    EXPECT_EQ(StanTimelisty.Ilosc, 4);
    EXPECT_EQ(StanTimelisty.Kursor, 4);
}

TEST_F(TimelistaOkna, ReadKeepsEverythingWhenNothingIsPickedAndRefusesAnEqualSecondList) {
    wpisy({{14 * 3600, u"A"_s}});
    Timelista[1].Stan = StanZagrany;
    TimelistaZbior = u"/stara.LST"_s;
    tl().Zrodla.WybierzListe = [](QString&) { return false; };
    tl().Czytaj();
    EXPECT_EQ(Timelista[1].Stan, StanZagrany) << "a cancelled pick keeps the marks";
    EXPECT_EQ(TimelistaZbior, u"/stara.LST"_s);

    // The advert-block mode appends the second list unless it is the same list.
    const QStringList linie = {u"14:00:00 R1"_s, folder.file(u"E1.WAV"_s), u"14:00:00 R2"_s,
                               folder.file(u"BRAK.WAV"_s)};
    QDir().mkpath(folder.file(u"L2"_s));
    ASSERT_TRUE(platform::writeTextFileAtomic(folder.file(u"PON.LST"_s), linie));
    ASSERT_TRUE(platform::writeTextFileAtomic(folder.file(u"L2/PON.LST"_s), linie));
    Emisja.CzyReklamaJakoBelka = Emisja.CzyLista2LST = true;
    Emisja.KatLista2 = folder.file(u"L2"_s);
    tl().Zrodla.WybierzListe = [this](QString& plik) {
        plik = folder.file(u"PON.LST"_s);
        return true;
    };
    dialogi.Odpowiedz(OdpowiedzNie);  // "Czy kontynuować testy ?" after the missing file
    tl().Czytaj();
    EXPECT_EQ(StanTimelisty.Ilosc, 2);
    EXPECT_EQ(TimelistaNazwa, u"PON"_s);
    EXPECT_TRUE(bledy().contains(u"Druga lista LST zgodna z pierwszą listą LST|"_s)) << bledy().join(u'\n').toStdString();
    // The check: durations from the files, the missing one marked.
    EXPECT_EQ(Timelista[1].Trw, 5000);
    EXPECT_EQ(Timelista[2].Stan, 200);
    EXPECT_EQ(okno->Silnik().Komunikat, u"Brak reklamy: R2"_s);
    Emisja.CzyReklamaJakoBelka = Emisja.CzyLista2LST = false;
}

TEST_F(TimelistaOkna, SaveKeepsThePathAndRefusesNieMa) {
    wpisy({{14 * 3600, u"A"_s}});
    TimelistaZbior = folder.file(u"PON.LST"_s);
    TimelistaNazwa = u"PON"_s;
    dialogi.OdpowiedzTekst(u"Nie_ma"_s);
    tl().Zapisz();
    EXPECT_TRUE(bledy().value(0).startsWith(u"Należy podać nazwę zbioru|"_s));
    EXPECT_TRUE(bledy().value(0).endsWith(u"Inną od \"Nie_ma\" )"_s)) << bledy().value(0).toStdString();
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Tekst).value(0).teksty.value(1), u"PON"_s) << "the name is proposed";
    dialogi.OdpowiedzTekst(u"WTO"_s);
    tl().Zapisz();
    EXPECT_EQ(platform::resolvePath(TimelistaZbior), folder.file(u"WTO.LST"_s)) << "the path, not a bare name";
    EXPECT_EQ(TimelistaNazwa, u"WTO"_s);
    EXPECT_TRUE(QFileInfo::exists(folder.file(u"WTO.LST"_s)));
}

TEST_F(TimelistaOkna, SyncMarkEarlierAndClear) {
    StanTimelisty.Ilosc = 0;
    tl().Synchro();
    EXPECT_FALSE(okno->Timery().TimelistaSynchroJest);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info).value(0).teksty.value(0), u"Nie ma nagrań na liście"_s);
    wpisy({{11 * 3600, u"A"_s}, {11 * 3600 + 60, u"B"_s}, {13 * 3600, u"C"_s}});
    Timelista[2].Stan = StanDoklejony;
    tl().Synchro();
    EXPECT_TRUE(okno->Timery().TimelistaSynchroJest);
    // Its timer, resting while there was nothing to check, runs again from the next tick.
    okno->TListaSynchroKolejnoTimer->stop();
    okno->Timer1Timer();
    EXPECT_TRUE(okno->TListaSynchroKolejnoTimer->isActive());
    okno->PodswietlTryby();
    const BUTTONType& sync = okno->Przyciski().Timelista[PTSynchro];
    EXPECT_EQ(okno->KolorPiksela(sync.Rect.Left + 3, sync.Rect.Top + 3), KolorCzerwony);
    tl().Synchro();
    EXPECT_FALSE(okno->Timery().TimelistaSynchroJest);

    okno->Timery().TerazMS = 12 * 3'600'000;
    dialogi.Odpowiedz(OdpowiedzTak);
    tl().OznaczWczesniejsze();
    EXPECT_EQ(Timelista[1].Stan, StanOdrzucony);
    EXPECT_EQ(Timelista[2].Stan, StanDoklejony + StanOdrzucony);
    EXPECT_EQ(Timelista[3].Stan, 0);

    dialogi.Odpowiedz(OdpowiedzTak);
    tl().Czysc();
    EXPECT_EQ(StanTimelisty.Ilosc, 0);
    EXPECT_EQ(TimelistaZbior, u"Nie_ma"_s);
}

TEST_F(Panele, AltAndTheRightButtonOnTheWaveformSetTheResumePoint) {
    playlistaKazdegoRodzaju();
    StanPlaylisty.Kursor = 5;
    okno->RysujOkno();
    const int lewy = StanPlaylisty.Lista.Left + SkalaX(80);
    QTest::mouseClick(okno.get(), Qt::RightButton, Qt::AltModifier, QPoint(lewy + SkalaX(124), wWierszu(5, 0).y()));
    EXPECT_NEAR(Playlista[5].Wznow, 2500, 30) << "half the strip, half the file";
    QTest::mouseClick(okno.get(), Qt::RightButton, Qt::AltModifier, QPoint(lewy + SkalaX(124), wWierszu(6, 0).y()));
    EXPECT_EQ(Playlista[6].Wznow, 0) << "only on the cursor row";
}

// A middle click on a row makes it next with deck A on air, from what the
// presence worker knows: no look at the music folder; the deck's own row is
// refused with the reason.
TEST_F(Panele, AMiddleClickMakesARowNextWithoutALookAtTheMusicFolder) {
    playlistaKazdegoRodzaju();
    okno->RysujOkno();
    const quint64 przed = platform::fileSystemLooks();
    QTest::mouseClick(okno.get(), Qt::MiddleButton, Qt::NoModifier, wWierszu(6, SkalaX(120)));
    EXPECT_EQ(StanPlaylisty.DoGrania, 6);
    QTest::mouseClick(okno.get(), Qt::MiddleButton, Qt::NoModifier, wWierszu(1, SkalaX(120)));
    EXPECT_EQ(StanPlaylisty.DoGrania, 6);
    EXPECT_EQ(okno->Status().Tekst(), u"Pozycja jest na odtwarzaczu"_s);
    EXPECT_EQ(platform::fileSystemLooks(), przed);
}

// The information boxes wear their captions, and a right click on the outro
// box as drawn previews from the outro.
TEST_F(Panele, InformationBoxesAreCaptionedAndTheOutroBoxPreviewsWhereItIsDrawn) {
    playlistaKazdegoRodzaju();
    StanPlaylisty.Kursor = 5;  // a DJ element: its file plays
    okno->RysujOkno();
    const int top = GoraWiersza(StanPlaylisty, 5, wiersz());
    for (int i = 0; i < 4; ++i) {
        const TRect r = ProstokatPudelka(i, top);
        int czarnych = 0;
        for (int y = top + SkalaY(2); y < r.Top - 1; ++y)
            for (int x = r.Left; x <= r.Right; ++x) czarnych += okno->KolorPiksela(x, y) == KolorCzarny;
        EXPECT_GT(czarnych, 5) << i;
    }
    const TRect outro = ProstokatPudelka(1, top);
    const QPoint srodek(outro.Left + 2, (outro.Top + outro.Bottom) / 2);
    ASSERT_EQ(okno->KolorPiksela(srodek.x(), srodek.y()), KolorCzarny) << "the box is drawn there";
    qint64 od = -1;
    QTimer::singleShot(0, [&] {
        if (TDMagnetofon* m = DMagnetofon(); m && m->Player()) od = m->Player()->GetPosition();
        if (DMagnetofon()) DMagnetofon()->close();
    });
    QTest::mouseClick(okno.get(), Qt::RightButton, Qt::NoModifier, srodek);
    EXPECT_EQ(od, 3000);
}
