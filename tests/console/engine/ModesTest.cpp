// Operating modes: Automat, AutoStop, SAT, the AS/AP/AT labels and the
// emergency playlist, on the engine without a window.
#include <gtest/gtest.h>

#include "console/support/TrybyRig.h"

namespace {

struct ModesTest : ::testing::Test, TrybyRig {};

}  // namespace

TEST_F(ModesTest, AutomatNeedsTwoElementsAndOffResetsTheAirTime) {
    wPamieci(1);
    silnik->PrzelaczAutomat();
    EXPECT_FALSE(stan.TrybAutomat);  // one element: refused, the button stays released

    wPamieci(2);
    silnik->PrzelaczAutomat();
    EXPECT_TRUE(stan.TrybAutomat);
    silnik->CzasAntenowy = 123'456;
    silnik->PrzelaczAutomat();
    EXPECT_FALSE(stan.TrybAutomat);
    EXPECT_EQ(silnik->CzasAntenowy, 0);
}

TEST_F(ModesTest, AutoStopTakesTheSinglesAlongOnlyWhenShared) {
    PrzelaczAutoStop(*silnik);
    EXPECT_TRUE(silnik->AutostopJest);
    EXPECT_FALSE(silnik->SingleAutostopJest);
    Emisja.AutoStopWspolnyJest = true;
    PrzelaczAutoStop(*silnik);
    EXPECT_FALSE(silnik->AutostopJest);
    EXPECT_FALSE(silnik->SingleAutostopJest);
    PrzelaczAutoStop(*silnik);
    EXPECT_TRUE(silnik->SingleAutostopJest);

    PrzelaczTrybWstawiania(stan);
    EXPECT_EQ(stan.TrybWstawiania, 2);
    PrzelaczTrybWstawiania(stan);
    EXPECT_EQ(stan.TrybWstawiania, 1);
}

TEST_F(ModesTest, SatOnLogsFadesTheInputInAndStopsAutomat) {
    Satelita.SatFadeInMS = 300;
    Satelita.SatFadeOutMS = 300;
    wPamieci(3);
    silnik->PrzelaczAutomat();
    ASSERT_TRUE(stan.TrybAutomat);

    silnik->PrzelaczSat();
    EXPECT_TRUE(silnik->SatWlaczony);
    EXPECT_FALSE(stan.TrybAutomat);
    EXPECT_TRUE(zegary.Wlaczony(TimerKonsoli::SatPlus));
    EXPECT_TRUE(wLogu(QStringLiteral("SAT ON")));

    graj(1000);
    ASSERT_FALSE(gracze.systemowe.empty());
    for (size_t i = 1; i < gracze.systemowe.size(); ++i)
        EXPECT_GE(gracze.systemowe[i], gracze.systemowe[i - 1]);
    EXPECT_EQ(gracze.systemowe.back(), 65'500);

    gracze.systemowe.clear();
    silnik->PrzelaczSat();
    EXPECT_FALSE(silnik->SatWlaczony);
    EXPECT_FALSE(zegary.Wlaczony(TimerKonsoli::SatPlus));
    EXPECT_TRUE(wLogu(QStringLiteral("SAT OFF")));
    graj(1000);
    ASSERT_FALSE(gracze.systemowe.empty());
    EXPECT_EQ(gracze.systemowe.back(), 0);
}

TEST_F(ModesTest, LabelsAskBeforeSwitchingAndLog) {
    dialogi.Odpowiedz(OdpowiedzNie);
    EtykietaAS(*silnik);
    EXPECT_FALSE(silnik->EmisjaFlagaStartu);
    dialogi.Odpowiedz(OdpowiedzTak);
    EtykietaAS(*silnik);
    EXPECT_TRUE(silnik->EmisjaFlagaStartu);
    EXPECT_TRUE(wLogu(QStringLiteral("Tryb AS włączony")));
    dialogi.Odpowiedz(OdpowiedzTak);
    EtykietaAS(*silnik);
    EXPECT_FALSE(silnik->EmisjaFlagaStartu);
    EXPECT_TRUE(wLogu(QStringLiteral("Tryb AS wyłączony")));

    dialogi.Odpowiedz(OdpowiedzTak);
    EtykietaAP();
    EXPECT_TRUE(Satelita.SatPLJest);
    EXPECT_TRUE(zegary.Wlaczony(TimerKonsoli::PListaAutoodczyt));
    dialogi.Odpowiedz(OdpowiedzTak);
    EtykietaAT();
    dialogi.Odpowiedz(OdpowiedzTak);
    EtykietaAP();
    EXPECT_FALSE(Satelita.SatPLJest);
    EXPECT_TRUE(zegary.Wlaczony(TimerKonsoli::PListaAutoodczyt));  // AT still wants it
    EXPECT_TRUE(wLogu(QStringLiteral("Tryb AT włączony")));
    EXPECT_TRUE(wLogu(QStringLiteral("Tryb AP wyłączony")));

    const auto pytania = dialogi.Zapisy(RodzajDialogu::Decyzja);
    ASSERT_EQ(pytania.size(), 6);
    EXPECT_EQ(pytania[0].teksty[0], QStringLiteral("Czy włączyć tryb miksowania playlisty bez Autostopu?"));
    EXPECT_EQ(pytania[0].teksty[1], QStringLiteral("(w trybie Automat fade out wg ustawionych miksów)"));
    EXPECT_EQ(pytania[2].teksty[1], QStringLiteral("(w trybie Automat fade out wg domyślnych miksów)"));
    EXPECT_EQ(pytania[4].teksty[0], QStringLiteral("Czy włączyć tryb autoodczytu listy synchronicznej?"));
    EXPECT_EQ(pytania[5].teksty[0], QStringLiteral("Czy wyłączyć tryb autoodczytu playlisty?"));
}

TEST_F(ModesTest, EmergencyPlaylistPlaysInAutomatOnlyWithTheFlagFile) {
    const QString awaria = folder.file(QStringLiteral("AWARIA.MIX"));
    playlista(awaria, 3, 12 * 3'600'000, QStringLiteral("A"));

    // Without the flag file nothing happens, and nothing is tried again.
    Emisja.AwariaStartJest = true;
    graj(60);
    EXPECT_TRUE(silnik->AwariaWykonana);
    EXPECT_EQ(StanPlaylisty.Ilosc, 0);
    EXPECT_TRUE(gracze.otwarte.isEmpty());
}

TEST_F(ModesTest, EmergencyStartWithFlagAndSetting) {
    const QString awaria = folder.file(QStringLiteral("AWARIA.MIX"));
    playlista(awaria, 3, 12 * 3'600'000, QStringLiteral("A"));
    folder.write(QStringLiteral("TolvaneAwaria.FLG"), QByteArray());

    // The setting off: the flag file alone does nothing.
    graj(60);
    EXPECT_EQ(StanPlaylisty.Ilosc, 0);

    Emisja.AwariaStartJest = true;
    graj(30);
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_TRUE(stan.TrybAutomat);
    ASSERT_FALSE(gracze.otwarte.isEmpty());
    EXPECT_TRUE(gracze.otwarte.first().endsWith(QStringLiteral("A1.WAV")));
    EXPECT_TRUE(wLogu(QStringLiteral("PROG START 1")));
    // The program never touches the flag file.
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("TolvaneAwaria.FLG"))));

    // Automat carries the day on: the next elements follow.
    graj(9000);
    EXPECT_GE(gracze.otwarte.size(), 3);
}
