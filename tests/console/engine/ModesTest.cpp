// Operating modes: Automat, AutoStop, SAT, the AS/AP/AT labels and the
// emergency playlist, on the engine without a window.
#include <gtest/gtest.h>

#include "console/commands/Komendy.h"
#include "console/commands/PrzyciskiKonsoli.h"
#include "console/commands/ScianaSingli.h"
#include "console/support/TrybyRig.h"
#include "foundation/KestPods2.h"

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

// A single's STOP line names it.
TEST_F(ModesTest, ASingleIsNamedOnAir) {
    Emisja.Kanal4 = 2;  // the singles player's own output
    PrzyciskiKonsoli przyciski;
    WidokSciany widok;
    ScianaSingli sciana(*silnik, przyciski, widok);
    sciana.Single[1][1].Adr = dzwiek(QStringLiteral("Dzwonek.wav"));
    sciana.Komenda(KomSingielF1);
    graj(30);  // pressed before its file was read: on air once it is
    EXPECT_EQ(log().filter(QStringLiteral("START 4")).size(), 1);
    sciana.Komenda(KomSingielF1);  // a press on the playing single stops it
    const QStringList stopy = log().filter(QStringLiteral("STOP  4"));
    EXPECT_TRUE(stopy.size() == 1 && stopy[0].endsWith(QStringLiteral("PROG STOP  4 DZWONEK")))
        << stopy.join('\n').toStdString();
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
    graj(60);  // read after the first tick, on air from the next
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

namespace {

// An emergency playlist of `n` elements of 4 s on one file, from 12:00:00.
QByteArray awaria(const QString& plik, int n) {
    QByteArray t = "WERSJA=2\r\n";
    for (int i = 0; i < n; ++i) {
        t += "Emi=" + PiszCzas(6, 12 * 3'600'000 + i * 4000).toLatin1() + "\r\nTyp=SND\r\nTrw=00:04.000\r\nIde=A" +
             QByteArray::number(i + 1) + "\r\nAdr=" + plik.toUtf8() + "\r\nKONIEC OPISU\r\n";
    }
    return t;
}

}  // namespace

TEST_F(ModesTest, TheEmergencyStartReadsOnTheWorkerWhileTheLoopTicksAndItsMessageWaits) {
    // One element past what the playlist holds.
    const QString dzw = dzwiek(QStringLiteral("A.WAV"));
    folder.write(QStringLiteral("AWARIA.MIX"), awaria(dzw, MaksPlaylisty + 1));
    folder.write(QStringLiteral("TolvaneAwaria.FLG"), QByteArray());
    Emisja.AwariaStartJest = true;

    // The tick itself reads nothing: the start is left for right after it,
    // which hands the read to the worker; the loop ticks on meanwhile.
    zegar.advance(30);
    silnik->Pliki.Oproznij();
    silnik->OproznijPrzygotowania();
    silnik->Timer1Timer();
    EXPECT_EQ(StanPlaylisty.Ilosc, 0);
    ASSERT_TRUE(poTiku);
    poTiku = false;
    silnik->PoTiku();
    EXPECT_TRUE(silnik->Odczyt.Trwa());
    for (int i = 0; i < 5; ++i) {
        zegar.advance(30);
        silnik->Timer1Timer();
    }
    EXPECT_EQ(StanPlaylisty.Ilosc, 0);
    silnik->Odczyt.Oproznij();

    // The first 10 000 play, from the next tick (nothing was read ahead of
    // them); the read showed no progress and pumped nothing; the message
    // came after, once.
    graj(30);
    EXPECT_EQ(StanPlaylisty.Ilosc, MaksPlaylisty);
    EXPECT_TRUE(stan.TrybAutomat);
    EXPECT_TRUE(gracze.StanOdtwarzacza(1));
    EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Stan).isEmpty());
    EXPECT_EQ(dialogi.Pompowania(), 0);
    const auto info = dialogi.Zapisy(RodzajDialogu::Info);
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(info[0].teksty[0], QStringLiteral("Brak pamięci na wczytanie całej listy !"));

    // The next element starts on time: at the first's end, 4 s on.
    const qint64 start1 = gracze[1].mono0;
    graj(4200);
    ASSERT_EQ(gracze.otwarte.size(), 2);
    const quint8 slot = silnik->Odtwarzacz[1].Element == 2 ? 1 : 2;
    ASSERT_EQ(silnik->Odtwarzacz[slot].Element, 2);
    EXPECT_NEAR(double(gracze[slot].mono0 - start1), 4015.0, 15.0);
}

TEST_F(ModesTest, AnEmergencyPlaylistThatGivesNothingSaysWhy) {
    folder.write(QStringLiteral("TolvaneAwaria.FLG"), QByteArray());
    Emisja.AwariaStartJest = true;
    const QString plik = folder.file(QStringLiteral("AWARIA.MIX"));
    const struct {
        QByteArray tresc;
        const char* powod;
        bool katalog = false;  // AWARIA.MIX is a folder
    } przypadki[] = {
        {"", "pusty zbiór"},
        {"\r\n  \r\n", "pusty zbiór"},
        {"; Lista emisyjna\r\nWERSJA=2\r\nPOZYCJI=0\r\n", "brak pozycji w playliście"},
        {"Emi=12:00:00.000\r\nTyp=XYZ\r\nKONIEC OPISU\r\n", "brak pozycji w playliście"},
        {QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) + QByteArray(200, '\xB3'), "zbiór nie jest playlistą"},
        {"Lista zakupów:\r\nchleb, masło\r\n", "zbiór nie jest playlistą"},
        {{}, "zbiór jest katalogiem", true},
    };
    for (const auto& p : przypadki) {
        if (p.katalog) {
            QFile::remove(plik);
            ASSERT_TRUE(QDir().mkpath(plik));
        } else {
            folder.write(QStringLiteral("AWARIA.MIX"), p.tresc);
        }
        silnik->AwariaWykonana = false;
        graj(30);
        EXPECT_EQ(log().filter(QStringLiteral("Błąd odczytu playlisty awaryjnej: ")).size(), 1);
        EXPECT_TRUE(wLogu(QStringLiteral("Błąd odczytu playlisty awaryjnej: ") + plik + QStringLiteral(" (") +
                          QString::fromUtf8(p.powod) + QLatin1Char(')')))
            << p.powod;
        QFile::remove(platform::resolvePath(LogZbior()));
    }
    EXPECT_FALSE(wLogu(QStringLiteral("Przepraszamy")));
    EXPECT_TRUE(gracze.otwarte.isEmpty());
}
