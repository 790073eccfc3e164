// The timed airing decision: its end clock, the desk inputs that answer it,
// and the answers of its buttons, through the script and the real window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "foundation/A1761DRIVER.h"
#include "foundation/DDecyzjaCzas.h"
#include "foundation/Dialogi.h"
#include "foundation/DialogiQt.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestWej.h"
#include "foundation/Zdarzenie.h"
#include "platform/Clock.h"

namespace {

constexpr qint64 H = 3'600'000;

struct DecyzjaCzasTest : ::testing::Test {
    void SetUp() override {
        OpcjeGPI = {};
        OpcjeGPI.GPI1Jest = true;  // the I/O node's text drives the player inputs
        OpcjeGPI.GPIPlayer1 = QStringLiteral("GPI1,1,0");
        OpcjeGPI.GPIPlayer2 = QStringLiteral("GPI1,2,0");
        GPIWlaczone = 1;
        TekstGPI = QStringLiteral("GPO 1 HH");
        SlowoGPIZapisane = SlowoGPI = SlowoGPIPoprzednie = SlowoGPISpoczynek;
        OknoGlowneAktywne = 1;
        DecyzjaGPI = 0;
    }
    void TearDown() override {
        OpcjeGPI = {};
        GPIWlaczone = 0;
        TekstGPI.clear();
        SlowoGPIZapisane = SlowoGPI = SlowoGPIPoprzednie = SlowoGPISpoczynek;
        OknoGlowneAktywne = 1;
    }
    platform::ManualClock zegar{QDate(2024, 3, 5), 10 * H};
    platform::ScopedClock zakres{&zegar};
};

}  // namespace

TEST_F(DecyzjaCzasTest, EndClockAddsWholeSecondsAndDoesNotWrap) {
    EXPECT_EQ(KoniecEmisjiTekst(3'725'000), QStringLiteral("11:02:05"));
    EXPECT_EQ(KoniecEmisjiTekst(3'725'999), QStringLiteral("11:02:05"));
    zegar.set(QDate(2024, 3, 5), 23 * H + 30 * 60'000);
    EXPECT_EQ(KoniecEmisjiTekst(H), QStringLiteral("24:30:00"));

    // The window redraws only when the text changes.
    StanDecyzjiCzas stan(60'000);
    stan.Tik();
    EXPECT_TRUE(stan.KoniecZmieniony());
    EXPECT_EQ(stan.Koniec(), QStringLiteral("23:31:00"));
    zegar.advance(50);
    stan.Tik();
    EXPECT_FALSE(stan.KoniecZmieniony());
    zegar.advance(950);
    stan.Tik();
    EXPECT_TRUE(stan.KoniecZmieniony());
    EXPECT_EQ(stan.Koniec(), QStringLiteral("23:31:01"));
}

TEST_F(DecyzjaCzasTest, InputEdgesAndWhichOneWins) {
    EXPECT_EQ(WejscieDecyzji(0x78, 0x38), 1);   // player 1 input falls
    EXPECT_EQ(WejscieDecyzji(0x78, 0x70), 2);   // player 2 input falls
    EXPECT_EQ(WejscieDecyzji(0x78, 0x30), 2);   // both in one poll: the later test wins
    EXPECT_EQ(WejscieDecyzji(0x38, 0xB0), 3);   // input 2 rises, over a player edge
    EXPECT_EQ(WejscieDecyzji(0x38, 0x78), 0);   // releasing is no answer
    EXPECT_EQ(WejscieDecyzji(0xF8, 0x78), 0);
    EXPECT_EQ(WejscieDecyzji(0x38, 0x38), 0);
}

TEST_F(DecyzjaCzasTest, ButtonsAnswerAndTheMainWindowGetsItsInputsBack) {
    DialogiSkrypt skrypt;
    struct P {
        int zestaw;
        quint16 odp;
        int wynik;
    };
    const P przypadki[] = {
        {2, OdpowiedzTak, 6}, {2, OdpowiedzNie, 7}, {3, OdpowiedzOpusc, 2},
        {4, OdpowiedzOpusc, 2},  // no buttons: Esc or closing still leaves
        {9, OdpowiedzNie, 7},    // an unknown set acts as 2
    };
    for (const P& p : przypadki) {
        skrypt.Odpowiedz(p.odp);
        Zdarzenie.Rodzaj = ZdarzenieKlawisz;
        Zdarzenie.Kod = 0x1C0D;
        EXPECT_EQ(DecyzjaOEmisji(QStringLiteral("Emisja singla"), QStringLiteral("TYTUŁ"), 3'725'000, p.zestaw),
                  p.wynik);
        EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieKomenda);
        EXPECT_EQ(Zdarzenie.Kod, p.odp);
        EXPECT_EQ(DecyzjaGPI, 0);
        EXPECT_EQ(OknoGlowneAktywne, 1);
    }
    const auto zapisy = skrypt.Zapisy(RodzajDialogu::DecyzjaCzas);
    ASSERT_EQ(zapisy.size(), 5);
    EXPECT_EQ(zapisy[0].teksty,
              (QStringList{QStringLiteral("Emisja singla"), QStringLiteral("TYTUŁ"), QStringLiteral("01:02:05.000"),
                           QStringLiteral("11:02:05")}));
    EXPECT_EQ(zapisy[4].liczba, 2);
    EXPECT_TRUE(skrypt.Bledy().isEmpty()) << skrypt.Bledy().join(QLatin1Char('\n')).toStdString();

    // A set without the button is a fault of the caller's script.
    skrypt.Odpowiedz(OdpowiedzTak);
    EXPECT_EQ(DecyzjaOEmisji(QString(), QString(), 1000, 4), 2);
    EXPECT_EQ(skrypt.Bledy().size(), 1);

    // What the main window had before is what it gets back.
    OknoGlowneAktywne = 0;
    skrypt.OdpowiedzTikami(1, [](int) {
        EXPECT_EQ(OknoGlowneAktywne, 0);
        EXPECT_TRUE(DecyzjaOEmisjiWidoczna());
    });
    DecyzjaOEmisji(QString(), QString(), 1000, 2);
    EXPECT_EQ(OknoGlowneAktywne, 0);
    EXPECT_FALSE(DecyzjaOEmisjiWidoczna());
}

TEST_F(DecyzjaCzasTest, DeskInputAnswersYesAndTellsWhichPlayer) {
    DialogiSkrypt skrypt;
    skrypt.OdpowiedzTikami(20, [this](int n) {
        EXPECT_EQ(OknoGlowneAktywne, 0);
        zegar.advance(50);
        if (n == 3)
            TekstGPI = QStringLiteral("GPO 1 LH");
    });
    EXPECT_EQ(DecyzjaOEmisji(QStringLiteral("Start"), QStringLiteral("A"), 60'000, 4), 6);
    EXPECT_EQ(skrypt.Tiki(), 4);
    EXPECT_EQ(DecyzjaGPI, 1);
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzTak);
    EXPECT_EQ(skrypt.Zapisy().back().teksty[3], QStringLiteral("10:01:00"));

    // Both player inputs falling in one poll answer for player 2.
    TekstGPI = QStringLiteral("GPO 1 HH");
    SprawdzGPI();
    skrypt.OdpowiedzTikami(5, [](int n) {
        if (n == 1)
            TekstGPI = QStringLiteral("GPO 1 LL");
    });
    EXPECT_EQ(DecyzjaOEmisji(QString(), QString(), 1000, 3), 6);
    EXPECT_EQ(DecyzjaGPI, 2);

    // Polling off: the inputs are ignored and the ticks never answer.
    TekstGPI = QStringLiteral("GPO 1 HH");
    SprawdzGPI();
    GPIWlaczone = 0;
    skrypt.OdpowiedzTikami(5, [](int n) {
        if (n == 1)
            TekstGPI = QStringLiteral("GPO 1 LH");
    });
    EXPECT_EQ(DecyzjaOEmisji(QString(), QString(), 1000, 4), 2);
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzOpusc);
    EXPECT_EQ(DecyzjaGPI, 0);
    EXPECT_EQ(skrypt.Tiki(), 5);
}

namespace {

void WOknieDecyzji(std::function<void(OknoDecyzjiCzas&)> krok) {
    QTimer::singleShot(0, [krok] {
        auto* okno = dynamic_cast<OknoDecyzjiCzas*>(QApplication::activeModalWidget());
        ASSERT_NE(okno, nullptr);
        krok(*okno);
    });
}

}  // namespace

TEST_F(DecyzjaCzasTest, RealWindowButtonsEscAndInput) {
    WOknieDecyzji([](OknoDecyzjiCzas& okno) {
        EXPECT_EQ(okno.windowTitle(), QStringLiteral("Decyzja o emisji"));
        EXPECT_EQ(okno.Tytul(), QStringLiteral("ŻÓŁW"));
        EXPECT_EQ(okno.Koniec(), QStringLiteral("11:02:05"));
        EXPECT_EQ(okno.LiczbaPrzyciskow(), 3);
        EXPECT_TRUE(okno.DecyzjaTimer()->isActive());
        EXPECT_EQ(OknoGlowneAktywne, 0);
        QTest::keyClick(&okno, Qt::Key_N, Qt::AltModifier);
    });
    EXPECT_EQ(DecyzjaOEmisji(QStringLiteral("Linia"), QStringLiteral("ŻÓŁW"), 3'725'000, 3), 7);
    EXPECT_EQ(OknoGlowneAktywne, 1);

    // Set 4 has no buttons; Esc leaves it.
    WOknieDecyzji([](OknoDecyzjiCzas& okno) {
        EXPECT_EQ(okno.LiczbaPrzyciskow(), 0);
        QTest::keyClick(&okno, Qt::Key_Escape);
    });
    EXPECT_EQ(DecyzjaOEmisji(QString(), QString(), 1000, 4), 2);
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzOpusc);

    // A tick of its timer sees the input and closes it with yes.
    WOknieDecyzji([this](OknoDecyzjiCzas& okno) {
        okno.Tik();
        EXPECT_TRUE(okno.isVisible());
        zegar.advance(1000);
        TekstGPI = QStringLiteral("GPO 1 HL");
        okno.Tik();
        EXPECT_EQ(okno.Koniec(), QStringLiteral("10:00:02"));
    });
    EXPECT_EQ(DecyzjaOEmisji(QString(), QString(), 1000, 4), 6);
    EXPECT_EQ(DecyzjaGPI, 2);
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzTak);
}
