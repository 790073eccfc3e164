// The main window offscreen: its size rules, its timers and a picture of the
// button bar (real input through it: KlawiszePaskaTest).
#include <gtest/gtest.h>

#include "console/window/EtykietaOkna.h"
#include "console/window/TTolv.h"
#include "playlists/NastawyEmisji.h"

#include <QDir>
#include <QScreen>
#include <QTest>

namespace {

QString folderArtefaktow() {
    const QByteArray env = qgetenv("TOLVANE_ARTIFACTS");
    // Beside the test program (in the build tree) unless a folder is named.
    const QString folder = env.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts")
                                         : QString::fromLocal8Bit(env);
    QDir().mkpath(folder);
    return folder;
}

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
    pokaz(okno, 700, 500);
    // The offscreen screen is narrower: the window and its status field and clock stay on it.
    EXPECT_EQ(okno.size(), QSize(TTolv::MinimalnaSzerokosc, TTolv::MinimalnaWysokosc)
                               .boundedTo(okno.screen()->availableGeometry().size()));
    for (const QWidget* w : {static_cast<QWidget*>(okno.Status().StatusLabel), static_cast<QWidget*>(okno.Czas24Label)})
        EXPECT_TRUE(okno.rect().contains(QRect(w->mapTo(&okno, QPoint()), w->size()))) << w->objectName().toStdString();
    okno.resize(1944, 1521);
    QCoreApplication::processEvents();
    EXPECT_FLOAT_EQ(SkalaPozioma, 3.0f);
    EXPECT_EQ(okno.Przyciski().Pasek[PBazaKat].Rect.Left, 582 * 3);
    EXPECT_EQ(okno.Przyciski().Godziny[0].Rect.Top, 78 * 3);
}

TEST_F(MainWindow, TimersAreCreatedStoppedWithTheirPeriods) {
    TTolv okno;
    const std::pair<const char*, int> zegary[] = {
        {"Timer1", 30}, {"TListaSynchroKolejnoTimer", 31}, {"GrajBlokReklamy", 100},
        {"SingleKolejnoTimer", 300}, {"AutomatTimer", 311}, {"PListaAutoodczytTimer", 300}, {"SERWISTimer", 500},
        {"SatPlusTimer", 5000}, {"SATPLMWyciszTimer", 1000}};
    EXPECT_EQ(okno.findChildren<QTimer*>().size(), qsizetype(std::size(zegary)));
    for (const auto& [nazwa, ms] : zegary) {
        auto* t = okno.findChild<QTimer*>(QString::fromLatin1(nazwa));
        ASSERT_TRUE(t) << nazwa;
        EXPECT_EQ(t->interval(), ms) << nazwa;
        EXPECT_FALSE(t->isActive()) << nazwa;
    }
    EXPECT_EQ(okno.TimerWyswietlacz->interval(), 100);  // on Timer1's wake
    EXPECT_FALSE(okno.TimerWyswietlacz->isActive());
    for (const char* nazwa : {"BroadcastTimer", "BroadcastTimer2", "BroadcastMonitorTimer"})
        EXPECT_FALSE(okno.ZegarDziala(QString::fromLatin1(nazwa))) << nazwa;
    EXPECT_EQ(okno.Timer1, okno.findChild<QTimer*>("Timer1"));
}

}  // namespace
