// The mix editor's eight preview players on a stepped virtual preview
// output that the console's first slot shares.
#include <gtest/gtest.h>

#include "../audio/AudioTestRig.h"
#include "common/Goertzel.h"
#include "mixeditor/OdtwarzaczeEdytora.h"
#include "playlists/NastawyEmisji.h"

namespace {

constexpr double kAmplituda = 0.2;
const double kPoziom = 20 * std::log10(kAmplituda);
// Whole cycles in the measured second, so the tones do not leak into each other.
constexpr int kTony[] = {0, 300, 500, 700, 1100, 1300, 1700, 1900, 2300};
constexpr int kTonKonsoli = 2900;

class OdtwarzaczeEdytoraTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        zapisane_ = Emisja;
        Emisja.CzyPlayerZgodnoscWinXP = GetParam();
        Emisja.KanalPFL = 1;
        Emisja.KanalPFLNazwa = QStringLiteral("Odsłuch");
    }
    void TearDown() override { Emisja = zapisane_; }

    QString ton(int hz) {
        const QString nazwa = QStringLiteral("t%1.wav").arg(hz);
        rig.dir.write(nazwa, fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, hz, 3000, kAmplituda)));
        return rig.dir.file(nazwa);
    }

    AudioRig rig{{"Antena", "Odsłuch"}};
    NastawyEmisjiMIX zapisane_;
};

TEST_P(OdtwarzaczeEdytoraTest, EightPlayersAtOnceEachAtItsLevelBesideTheConsole) {
    // The console's first slot on the same output, playing a tone of its own.
    PlayerSloty konsola;
    OpcjeOdtwarzaczy o;
    o.CzyPlayerZgodnoscWinXP = GetParam();
    o.Kanal[1] = 1;
    o.KanalNazwa[1] = QStringLiteral("Odsłuch");
    konsola.UstawOpcje(o);
    konsola.UtworzMiksery();
    konsola.UtworzOdtwarzacz(1);
    konsola.OtworzPlikOdtwarzacza(1, ton(kTonKonsoli));
    konsola.UstawGlosnoscOdtwarzacza(1, -300);
    konsola.GrajOdtwarzacz(1);

    OdtwarzaczeEdytora ed;
    ed.EdUtworzMiksery();
    for (quint8 n = 1; n <= 8; ++n) ed.EdUtworzOdtwarzacz(n);
    ed.EdUtworzOdtwarzacz(9);  // the editor has eight
    EXPECT_EQ(ed.EdPlikOdtwarzacza(9), QString());
    for (quint8 n = 1; n <= 8; ++n) {
        ed.EdOtworzPlikOdtwarzacza(n, ton(kTony[n]));
        ed.EdUstawGlosnoscOdtwarzacza(n, -600 * (n - 1));
        ed.EdUstawPozycjeOdtwarzacza(n, 0);
        EXPECT_EQ(ed.EdGlosnoscOdtwarzacza(n), -600 * (n - 1));
    }
    for (quint8 n = 1; n <= 8; ++n) ed.EdGrajOdtwarzacz(n);
    auto urzadzenie = rig.device(1);
    ASSERT_TRUE(urzadzenie);
    EXPECT_FALSE(platform::DeviceHub::instance().openVirtual(0)) << "nothing on the on-air output";
    rig.clear(1);
    urzadzenie->stepMs(1000);

    const auto mix = rig.captured(1);
    ASSERT_EQ(mix.size(), size_t(44100 * 2));
    for (quint8 n = 1; n <= 8; ++n) {
        SCOPED_TRACE(int(n));
        EXPECT_EQ(ed.EdStanOdtwarzacza(n), 1);
        EXPECT_NEAR(ed.EdPozycjaOdtwarzacza(n), 1000, 15);
        EXPECT_NEAR(poziomTonuDb(mix, 2, 0, 44100, kTony[n]), kPoziom - 6.0 * (n - 1), 0.5);
    }
    EXPECT_NEAR(poziomTonuDb(mix, 2, 1, 44100, kTonKonsoli), kPoziom - 3.0, 0.5);

    // Stopping, closing and freeing the preview leaves the console's slot as it was.
    for (quint8 n = 8; n >= 1; --n) {
        ed.EdZatrzymajOdtwarzacz(n);
        ed.EdOtworzPlikOdtwarzacza(n, QString());
        ed.EdZwolnijOdtwarzacz(n);
    }
    ed.EdZwolnijMiksery();
    rig.clear(1);
    urzadzenie->stepMs(500);
    EXPECT_EQ(konsola.StanOdtwarzacza(1), 1);
    EXPECT_EQ(konsola.GlosnoscOdtwarzacza(1), -300);
    EXPECT_NEAR(konsola.PozycjaOdtwarzacza(1), 1500, 15);
    const auto potem = rig.captured(1);
    EXPECT_NEAR(poziomTonuDb(potem, 2, 0, 44100, kTonKonsoli), kPoziom - 3.0, 0.5);
    EXPECT_LT(poziomTonuDb(potem, 2, 0, 44100, kTony[1]), kPoziom - 60);
}

TEST_P(OdtwarzaczeEdytoraTest, ClosingAndOpeningAnotherFileReusesThePlayer) {
    OdtwarzaczeEdytora ed;
    ed.EdUtworzMiksery();
    for (quint8 n = 1; n <= 8; ++n) {
        ed.EdUtworzOdtwarzacz(n);
        // Mixers only on the streaming back-end, each on the preview output.
        EXPECT_EQ(ed.Sloty()->Mikser(n) != nullptr, GetParam());
        if (GetParam()) EXPECT_EQ(ed.Sloty()->Mikser(n)->Device(), 1);
    }
    const QString a = ton(500), b = ton(700);
    ed.EdOtworzPlikOdtwarzacza(3, a);
    ed.EdUstawPozycjeOdtwarzacza(3, 800);
    ed.EdGrajOdtwarzacz(3);
    rig.device(1)->stepMs(100);
    EXPECT_NEAR(ed.EdPozycjaOdtwarzacza(3), 900, 15);
    ed.EdZatrzymajOdtwarzacz(3);
    ed.EdOtworzPlikOdtwarzacza(3, QString());
    EXPECT_EQ(ed.EdPlikOdtwarzacza(3), QString());
    EXPECT_EQ(ed.EdStanOdtwarzacza(3), 0);

    ed.EdOtworzPlikOdtwarzacza(3, b);
    EXPECT_EQ(ed.EdPlikOdtwarzacza(3), b);
    EXPECT_EQ(ed.EdPozycjaOdtwarzacza(3), 0);
    ed.EdUstawGlosnoscOdtwarzacza(3, -1200);
    ed.EdGrajOdtwarzacz(3);
    rig.clear(1);
    rig.device(1)->stepMs(1000);
    const auto mix = rig.captured(1);
    EXPECT_NEAR(poziomTonuDb(mix, 2, 0, 44100, 700), kPoziom - 12, 0.5);
    EXPECT_LT(poziomTonuDb(mix, 2, 0, 44100, 500), kPoziom - 60);
    ed.EdZwolnijMiksery();
    EXPECT_EQ(ed.Sloty()->Mikser(1), nullptr);
}

INSTANTIATE_TEST_SUITE_P(ObaTory, OdtwarzaczeEdytoraTest, ::testing::Values(true, false),
                         [](const auto& i) { return i.param ? "Strumien" : "Pliki"; });

}  // namespace
