// The main window offscreen: its size rules, its timers, a picture of the
// button bar, and real Qt input reaching the dispatcher.
#include <gtest/gtest.h>

#include "console/commands/Komendy.h"
#include "console/window/TTolv.h"
#include "playlists/NastawyEmisji.h"

#include <QDir>
#include <QTest>
#include <QWheelEvent>

namespace {

QString folderArtefaktow() {
    const QByteArray env = qgetenv("TOLVANE_ARTIFACTS");
    // Beside the test program (in the build tree) unless a folder is named.
    const QString folder = env.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts")
                                         : QString::fromLocal8Bit(env);
    QDir().mkpath(folder);
    return folder;
}

QPoint srodek(const BUTTONType& b) { return QPoint((b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2); }

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        DomyslneNastawyEmisji();
        DomyslneNastawySatelity();
        KasujZdarzenie();
    }
    void TearDown() override { UstawSkale(SzerokoscSiatki, WysokoscSiatki); }

    void pokaz(TTolv& okno, int szer, int wys) {
        okno.resize(szer, wys);
        okno.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&okno));
    }
};

TEST_F(MainWindow, PictureOfTheButtonBarAt1296x1014) {
    Emisja.CzyDodatkowaKlawiatura = true;
    TTolv okno;
    okno.UstawPanelStartowy(2);  // the description panel: "~Opis" lit
    pokaz(okno, 1296, 1014);
    EXPECT_EQ(okno.size(), QSize(1296, 1014));
    EXPECT_FLOAT_EQ(SkalaPozioma, 2.0f);
    EXPECT_FLOAT_EQ(SkalaPionowa, 2.0f);

    const QString plik = folderArtefaktow() + QStringLiteral("/TTolv-1296x1014.png");
    EXPECT_TRUE(okno.Plotno().save(plik)) << plik.toStdString();

    const auto& pasek = okno.Przyciski().Pasek;
    const BUTTONType& czytaj = pasek[PCzytaj];  // 519, 134 on the grid
    EXPECT_EQ(czytaj.Rect.Left, 1038);
    EXPECT_EQ(czytaj.Rect.Top, 268);
    EXPECT_EQ(okno.KolorPiksela(czytaj.Rect.Left + 3, czytaj.Rect.Top + 3), KolorBordowy);
    const BUTTONType& zapisz = pasek[PZapisz];
    EXPECT_EQ(okno.KolorPiksela(zapisz.Rect.Left + 3, zapisz.Rect.Top + 3), KolorSzary);
    EXPECT_EQ(okno.KolorPiksela(zapisz.Rect.Left, zapisz.Rect.Top), KolorBialy);      // raised edge
    EXPECT_EQ(okno.KolorPiksela(zapisz.Rect.Right, zapisz.Rect.Bottom), KolorCzarny);
    const BUTTONType& opis = pasek[POpis];
    EXPECT_EQ(okno.KolorPiksela(opis.Rect.Left + 3, opis.Rect.Top + 3), KolorCzerwony);
    EXPECT_EQ(okno.KolorPiksela(opis.Rect.Left, opis.Rect.Top), KolorCzarny);  // pressed edge
    const BUTTONType& godzina = okno.Przyciski().Godziny[12];
    EXPECT_EQ(okno.KolorPiksela(godzina.Rect.Left + 2, godzina.Rect.Top + 2), KolorSzary);
    // Between the bar's buttons the panel shows.
    EXPECT_EQ(okno.KolorPiksela(1030, 290), KolorTlaPrzycisku);
}

TEST_F(MainWindow, NeverSmallerThanItsMinimumAndLaidOutAgainOnResize) {
    TTolv okno;
    pokaz(okno, 800, 600);
    EXPECT_EQ(okno.size(), QSize(TTolv::MinimalnaSzerokosc, TTolv::MinimalnaWysokosc));
    okno.resize(1944, 1521);
    QCoreApplication::processEvents();
    EXPECT_FLOAT_EQ(SkalaPozioma, 3.0f);
    EXPECT_EQ(okno.Przyciski().Pasek[PBazaKat].Rect.Left, 582 * 3);
    EXPECT_EQ(okno.Przyciski().Godziny[0].Rect.Top, 78 * 3);
}

TEST_F(MainWindow, TimersAreCreatedStoppedWithTheirPeriods) {
    TTolv okno;
    const std::pair<const char*, int> zegary[] = {
        {"Timer1", 30}, {"TimerWyswietlacz", 100}, {"TListaSynchroKolejnoTimer", 31}, {"GrajBlokReklamy", 100},
        {"SingleKolejnoTimer", 300}, {"AutomatTimer", 311}, {"PListaAutoodczytTimer", 300}, {"SERWISTimer", 500},
        {"SatPlusTimer", 5000}, {"SATPLMWyciszTimer", 1000}};
    EXPECT_EQ(okno.findChildren<QTimer*>().size(), qsizetype(std::size(zegary)));
    for (const auto& [nazwa, ms] : zegary) {
        auto* t = okno.findChild<QTimer*>(QString::fromLatin1(nazwa));
        ASSERT_TRUE(t) << nazwa;
        EXPECT_EQ(t->interval(), ms) << nazwa;
        EXPECT_FALSE(t->isActive()) << nazwa;
    }
    for (const char* nazwa : {"BroadcastTimer", "BroadcastTimer2", "BroadcastMonitorTimer"})
        EXPECT_FALSE(okno.ZegarDziala(QString::fromLatin1(nazwa))) << nazwa;
    EXPECT_EQ(okno.Timer1, okno.findChild<QTimer*>("Timer1"));
}

TEST_F(MainWindow, QtInputReachesTheDispatcher) {
    TTolv okno;
    pokaz(okno, 1296, 1014);
    std::vector<quint16> komendy;
    okno.dyspozytor().UstawObsluge(1, 0xFFFF, [&](quint16 id) { komendy.push_back(id); });

    QTest::keyClick(&okno, Qt::Key_F11);
    QTest::keyClick(&okno, Qt::Key_F10);
    QTest::keyClick(&okno, Qt::Key_Space, Qt::ControlModifier);
    QTest::mouseClick(&okno, Qt::LeftButton, Qt::NoModifier, srodek(okno.Przyciski().Godziny[7]));
    EXPECT_EQ(komendy, (std::vector<quint16>{4211, 4210, KomStop, 6007}));

    // The wheel moves the playlist cursor.
    komendy.clear();
    const QPointF p(300, 300);
    QWheelEvent dol(p, okno.mapToGlobal(p), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&okno, &dol);
    QWheelEvent gora(p, okno.mapToGlobal(p), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&okno, &gora);
    EXPECT_EQ(komendy, (std::vector<quint16>{KomKursorDol, KomKursorGora}));

    // A click on a lower-panel button lights it on the screen.
    const BUTTONType& dluga = okno.Przyciski().Pasek[PDluga];
    QTest::mouseClick(&okno, Qt::LeftButton, Qt::NoModifier, srodek(dluga));
    EXPECT_EQ(okno.Silnik().Stan.PanelDolny, PanelDlugaPlaylista);
    EXPECT_EQ(okno.KolorPiksela(dluga.Rect.Left + 3, dluga.Rect.Top + 3), KolorCzerwony);
    QTest::keyClick(&okno, Qt::Key_G, Qt::ControlModifier);  // its hot key: back to the singles wall
    EXPECT_EQ(okno.Silnik().Stan.PanelDolny, PanelSingle);
    EXPECT_EQ(okno.KolorPiksela(dluga.Rect.Left + 3, dluga.Rect.Top + 3), KolorSzary);

    // Alt with the right button is flagged for the playlist's right-click actions.
    QTest::mouseClick(&okno, Qt::RightButton, Qt::AltModifier, QPoint(200, 500));
    EXPECT_EQ(okno.Silnik().Stan.ZdarzenieFlaga, 1);
    EXPECT_EQ(MyszPrzycisk, 2);
    QTest::mouseClick(&okno, Qt::RightButton, Qt::NoModifier, QPoint(200, 500));
    EXPECT_EQ(okno.Silnik().Stan.ZdarzenieFlaga, 0);
}

}  // namespace
