// The player slots over both back-ends on stepped virtual devices.
#include "AudioTestRig.h"
#include "audio/PlayerSloty.h"
#include "platform/CaptureVolume.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// Device 0 is the default; slots are routed to "Studio B" by number or name.
const QStringList kUrzadzenia{"Default", "Studio A", "Studio B"};

OpcjeOdtwarzaczy opcje(bool strumien) {
    OpcjeOdtwarzaczy o;
    o.CzyPlayerZgodnoscWinXP = strumien;
    for (int s = 1; s <= 5; ++s) {
        o.Kanal[s] = 2;
        o.KanalNazwa[s] = QStringLiteral("Studio B");
    }
    return o;
}

int szczyt(const std::vector<int16_t>& probki) {
    int m = 0;
    for (int16_t p : probki) m = std::max(m, std::abs(int(p)));
    return m;
}

class PlayerSlot : public ::testing::TestWithParam<bool> {
protected:
    bool strumien() const { return GetParam(); }
    AudioRig rig{kUrzadzenia};
};

TEST_P(PlayerSlot, EveryOperationOnTheSlotsDevice) {
    PlayerSloty sloty;
    sloty.UstawOpcje(opcje(strumien()));
    sloty.UtworzMiksery();
    sloty.UtworzOdtwarzacz(1);
    ASSERT_TRUE(sloty.OdtwarzaczIstnieje(1));
    EXPECT_FALSE(sloty.OdtwarzaczIstnieje(2));

    const QString plik = rig.wav("a.wav", 44100, 2, 3000);
    sloty.OtworzPlikOdtwarzacza(1, plik);
    EXPECT_EQ(sloty.PlikOdtwarzacza(1), plik);
    EXPECT_EQ(sloty.DlugoscOdtwarzacza(1), 3000);
    sloty.UstawPozycjeOdtwarzacza(1, 1000);
    EXPECT_NEAR(sloty.PozycjaOdtwarzacza(1), 1000, 5);
    sloty.UstawGlosnoscOdtwarzacza(1, -600);
    EXPECT_EQ(sloty.GlosnoscOdtwarzacza(1), -600);
    EXPECT_EQ(sloty.StanOdtwarzacza(1), 0);

    sloty.GrajOdtwarzacz(1);
    EXPECT_EQ(sloty.StanOdtwarzacza(1), 1);
    sloty.GrajOdtwarzacz(1);  // already playing: nothing happens
    auto urzadzenie = rig.device(2);
    ASSERT_TRUE(urzadzenie) << "the slot did not open the device it was routed to";
    urzadzenie->stepMs(500);
    EXPECT_NEAR(sloty.PozycjaOdtwarzacza(1), 1500, 15);
    EXPECT_GT(szczyt(rig.captured(2)), 2000);
    EXPECT_FALSE(platform::DeviceHub::instance().openVirtual(0));  // nothing on the default device

    sloty.ZatrzymajOdtwarzacz(1);
    EXPECT_EQ(sloty.StanOdtwarzacza(1), 0);
    EXPECT_EQ(sloty.GlosnoscOdtwarzacza(1), -600);

    // End of an element: the file is closed, the player freed.
    sloty.OtworzPlikOdtwarzacza(1, QString());
    EXPECT_EQ(sloty.DlugoscOdtwarzacza(1), 0);
    sloty.ZwolnijOdtwarzacz(1);
    EXPECT_FALSE(sloty.OdtwarzaczIstnieje(1));
    sloty.ZwolnijOdtwarzacz(1);  // an empty slot: nothing
    EXPECT_EQ(sloty.StanOdtwarzacza(1), 0);
    EXPECT_EQ(sloty.PlikOdtwarzacza(1), QString());
}

TEST_P(PlayerSlot, LengthOfALongFileInMilliseconds) {
    PlayerSloty sloty;
    sloty.UstawOpcje(opcje(strumien()));
    sloty.UtworzMiksery();
    sloty.UtworzOdtwarzacz(5);
    // 100 s: more milliseconds than 16 bits hold.
    rig.dir.write("long.wav", fixtures::wavFile(8000, 1, 16, QByteArray(8000 * 2 * 100, '\0')));
    sloty.OtworzPlikOdtwarzacza(5, rig.dir.file("long.wav"));
    EXPECT_EQ(sloty.DlugoscOdtwarzacza(5), 100000);
    sloty.UstawPozycjeOdtwarzacza(5, 90000);
    EXPECT_NEAR(sloty.PozycjaOdtwarzacza(5), 90000, 5);
}

TEST_P(PlayerSlot, SlotsOutsideOneToFiveDoNothing) {
    PlayerSloty sloty;
    sloty.UstawOpcje(opcje(strumien()));
    sloty.UtworzMiksery();
    const QString plik = rig.wav("a.wav", 44100, 2, 500);
    for (quint8 slot : {quint8(0), quint8(6), quint8(255)}) {
        SCOPED_TRACE(int(slot));
        sloty.UtworzOdtwarzacz(slot);
        EXPECT_FALSE(sloty.OdtwarzaczIstnieje(slot));
        sloty.OtworzPlikOdtwarzacza(slot, plik);
        sloty.UstawPozycjeOdtwarzacza(slot, 100);
        sloty.UstawGlosnoscOdtwarzacza(slot, -100);
        sloty.GrajOdtwarzacz(slot);
        EXPECT_EQ(sloty.StanOdtwarzacza(slot), 0);
        EXPECT_EQ(sloty.PozycjaOdtwarzacza(slot), 0);
        EXPECT_EQ(sloty.DlugoscOdtwarzacza(slot), 0);
        EXPECT_EQ(sloty.GlosnoscOdtwarzacza(slot), 0);
        EXPECT_EQ(sloty.PlikOdtwarzacza(slot), QString());
        sloty.ZatrzymajOdtwarzacz(slot);
        sloty.ZwolnijOdtwarzacz(slot);
        EXPECT_EQ(sloty.Mikser(slot), nullptr);
    }
    for (quint8 s = 1; s <= 5; ++s) EXPECT_FALSE(sloty.OdtwarzaczIstnieje(s));
}

INSTANTIATE_TEST_SUITE_P(BothBackEnds, PlayerSlot, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Streaming" : "FilePlayer"; });

TEST(PlayerSlotDevices, MixerDevicesFromTheSettingsAndOutOfRangeIsTheDefault) {
    AudioRig rig{kUrzadzenia};
    PlayerSloty sloty;
    OpcjeOdtwarzaczy o = opcje(true);
    o.Kanal = {0, 1, 2, 9, 0, 2};
    sloty.UstawOpcje(o);
    sloty.UtworzOdtwarzacz(1);  // no mixers yet: the slot stays empty
    EXPECT_FALSE(sloty.OdtwarzaczIstnieje(1));
    sloty.UtworzMiksery();
    ASSERT_TRUE(sloty.Mikser(1) && sloty.Mikser(5));
    EXPECT_EQ(sloty.Mikser(1)->Device(), 1);
    EXPECT_EQ(sloty.Mikser(2)->Device(), 2);
    EXPECT_EQ(sloty.Mikser(3)->Device(), 0);  // 9 is not a device
    EXPECT_EQ(sloty.Mikser(5)->Device(), 2);

    // Players still on the mixers when they are freed: each freed once.
    for (quint8 s = 1; s <= 5; ++s) sloty.UtworzOdtwarzacz(s);
    sloty.OtworzPlikOdtwarzacza(3, rig.wav("a.wav", 44100, 2, 500));
    sloty.GrajOdtwarzacz(3);
    sloty.ZwolnijMiksery();
    for (quint8 s = 1; s <= 5; ++s) {
        EXPECT_FALSE(sloty.OdtwarzaczIstnieje(s));
        EXPECT_EQ(sloty.Mikser(s), nullptr);
    }
    sloty.UtworzOdtwarzacz(1);
    EXPECT_FALSE(sloty.OdtwarzaczIstnieje(1));

    // The file-player back-end creates no mixers.
    PlayerSloty pliki;
    pliki.UstawOpcje(opcje(false));
    pliki.UtworzMiksery();
    EXPECT_EQ(pliki.Mikser(1), nullptr);
}

TEST(PlayerSlotDevices, AnEmptyOutputNameIsTheDefaultDevice) {
    AudioRig rig{kUrzadzenia};
    PlayerSloty sloty;
    OpcjeOdtwarzaczy o = opcje(false);
    o.KanalNazwa[4] = QString();  // every name contains "", yet it means the default
    sloty.UstawOpcje(o);
    sloty.UtworzOdtwarzacz(4);
    sloty.OtworzPlikOdtwarzacza(4, rig.wav("a.wav", 44100, 2, 500));
    sloty.GrajOdtwarzacz(4);
    EXPECT_TRUE(platform::DeviceHub::instance().openVirtual(0));
    EXPECT_FALSE(platform::DeviceHub::instance().openVirtual(2));
    sloty.ZatrzymajOdtwarzacz(4);
}

TEST(PlayerSlotDevices, StreamingErrorsPassThrough) {
    AudioRig rig{kUrzadzenia};
    PlayerSloty sloty;
    sloty.UstawOpcje(opcje(true));
    sloty.UtworzMiksery();
    sloty.UtworzOdtwarzacz(2);
    rig.dir.write("empty.wav", fixtures::wavFile(44100, 2, 16, QByteArray()));
    try {
        sloty.OtworzPlikOdtwarzacza(2, rig.dir.file("empty.wav"));
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Audio file is empty.");
    }
}

TEST(PlayerSlotDevices, SystemVolumeMovesTheCaptureControl) {
    PlayerSloty sloty;
    sloty.UstawGlosnoscSystemowa(32750);  // no control: nothing happens
    platform::SimulatedCaptureVolume wejscie;
    sloty.UstawWejscie(&wejscie);
    sloty.UstawGlosnoscSystemowa(32750);
    EXPECT_DOUBLE_EQ(wejscie.level(), 0.5);
    sloty.UstawGlosnoscSystemowa(0);
    EXPECT_DOUBLE_EQ(wejscie.level(), 0.0);
    sloty.UstawGlosnoscSystemowa(65500);
    EXPECT_DOUBLE_EQ(wejscie.level(), 1.0);
    EXPECT_EQ(wejscie.changes(), 3);
}

}  // namespace
