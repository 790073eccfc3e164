// The player slots over both back-ends on stepped virtual devices.
#include "AudioTestRig.h"
#include "audio/PlayerSloty.h"
#include "audio/cbDSMixer.h"
#include "foundation/KestSter2.h"
#include "platform/AlsaSink.h"
#include "platform/CaptureVolume.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"
#include "platform/audio/Decoder.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

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
    // The interface's range is -10 000..0: nothing louder than full level.
    sloty.UstawGlosnoscOdtwarzacza(1, 500);
    EXPECT_EQ(sloty.GlosnoscOdtwarzacza(1), 0);
    sloty.UstawGlosnoscOdtwarzacza(1, -20000);
    EXPECT_EQ(sloty.GlosnoscOdtwarzacza(1), -10000);

    // End of an element: the file is closed, the player freed.
    sloty.OtworzPlikOdtwarzacza(1, QString());
    EXPECT_EQ(sloty.DlugoscOdtwarzacza(1), 0);
    sloty.ZwolnijOdtwarzacz(1);
    EXPECT_FALSE(sloty.OdtwarzaczIstnieje(1));
    sloty.ZwolnijOdtwarzacz(1);  // an empty slot: nothing
    EXPECT_EQ(sloty.StanOdtwarzacza(1), 0);
    EXPECT_EQ(sloty.PlikOdtwarzacza(1), QString());

    // The next element on the slot starts as on a new player: from the
    // start, at full level, its own file.
    sloty.UtworzOdtwarzacz(1);
    EXPECT_EQ(sloty.PlikOdtwarzacza(1), QString());
    EXPECT_EQ(sloty.GlosnoscOdtwarzacza(1), 0);
    sloty.OtworzPlikOdtwarzacza(1, rig.wav("b.wav", 44100, 2, 1000, 440));
    EXPECT_EQ(sloty.DlugoscOdtwarzacza(1), 1000);
    EXPECT_EQ(sloty.PozycjaOdtwarzacza(1), 0);
    sloty.GrajOdtwarzacz(1);
    rig.clear(2);
    urzadzenie->stepMs(100);
    EXPECT_NEAR(sloty.PozycjaOdtwarzacza(1), 100, 5);
    const auto b = samplesOf(fixtures::tone16(44100, 2, 440, 100));
    EXPECT_EQ(rig.captured(2), b);

    // A file opened and positioned ahead on another thread plays from there.
    sloty.ZwolnijOdtwarzacz(1);
    sloty.UtworzOdtwarzacz(1);
    ASSERT_TRUE(sloty.OtworzPrzygotowany(1, PrepareAudioFile(plik, 1000)));
    EXPECT_EQ(sloty.PlikOdtwarzacza(1), plik);
    EXPECT_EQ(sloty.DlugoscOdtwarzacza(1), 3000);
    EXPECT_NEAR(sloty.PozycjaOdtwarzacza(1), 1000, 5);
    sloty.GrajOdtwarzacz(1);
    urzadzenie->stepMs(100);
    EXPECT_NEAR(sloty.PozycjaOdtwarzacza(1), 1100, 15);
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

// The decoder of a file, telling which thread closes it.
class Zamykany final : public platform::Decoder {
public:
    Zamykany(std::unique_ptr<platform::Decoder> d, std::function<void()> przyZamknieciu)
        : d_(std::move(d)), przyZamknieciu_(std::move(przyZamknieciu)) {}
    ~Zamykany() override { przyZamknieciu_(); }
    platform::PcmFormat format() const override { return d_->format(); }
    int64_t lengthFrames() const override { return d_->lengthFrames(); }
    int64_t read(void* dst, int64_t maxBytes) override { return d_->read(dst, maxBytes); }
    bool seekFrame(int64_t frame) override { return d_->seekFrame(frame); }

private:
    std::unique_ptr<platform::Decoder> d_;
    std::function<void()> przyZamknieciu_;
};

// The slots' stop as the end of an element makes it: a close on a network
// share is a round trip, so the files go to the release worker, in the
// order of the stops, and the tick's thread closes none.
TEST_P(PlayerSlot, AStopClosesItsFileOnTheReleaseWorkerInOrder) {
    std::mutex m;
    int otwarte = 0;
    std::vector<std::pair<int, std::thread::id>> zamkniete;
    platform::setDecoderWrapper([&](std::unique_ptr<platform::Decoder> d) -> std::unique_ptr<platform::Decoder> {
        std::lock_guard lock(m);
        return std::make_unique<Zamykany>(std::move(d), [&m, &zamkniete, n = ++otwarte] {
            std::lock_guard lock(m);
            zamkniete.emplace_back(n, std::this_thread::get_id());
        });
    });
    struct Odwin {
        ~Odwin() { platform::setDecoderWrapper(nullptr); }
    } odwin;
    PlayerSloty sloty;
    sloty.UstawOpcje(opcje(strumien()));
    sloty.UtworzMiksery();
    for (quint8 s : {1, 2}) {
        sloty.UtworzOdtwarzacz(s);
        sloty.OtworzPlikOdtwarzacza(s, rig.wav(QStringLiteral("%1.wav").arg(s), 44100, 2, 500));
        sloty.GrajOdtwarzacz(s);
    }
    for (quint8 s : {2, 1}) {
        sloty.ZatrzymajOdtwarzacz(s);
        sloty.OtworzPlikOdtwarzacza(s, QString());
    }
    platform::flushReleases();
    std::lock_guard lock(m);
    ASSERT_EQ(zamkniete.size(), 2u);
    EXPECT_EQ(zamkniete[0].first, 2);
    EXPECT_EQ(zamkniete[1].first, 1);
    for (const auto& z : zamkniete) EXPECT_NE(z.second, std::this_thread::get_id());
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

namespace {

// The event log in the test's folder; its lines without the time.
struct LogTestu {
    explicit LogTestu(const TempProgramFolder& dir) {
        Nastawy.LOGZbiorJest = true;
        Nastawy.IdZbioryJest = false;
        Nastawy.LOGKatalog = dir.path();
    }
    ~LogTestu() { Nastawy.LOGZbiorJest = false; }
    QStringList linie(const QString& fragment) const {
        QStringList linie;
        platform::readTextLines(platform::resolvePath(LogZbior()), linie);
        QStringList t;
        for (const QString& l : linie)
            if (l.contains(fragment)) t << l.mid(l.indexOf(QStringLiteral("->  ")) + 4);
        return t;
    }
};

}  // namespace

TEST(PlayerSlotDevices, ANameThatMatchesNoDeviceIsLoggedOnceAndPlaysOnTheDefault) {
    AudioRig rig{kUrzadzenia};
    LogTestu log(rig.dir);
    PlayerSloty sloty;
    OpcjeOdtwarzaczy o = opcje(false);
    o.KanalNazwa[1] = o.KanalNazwa[2] = QStringLiteral("Studio C");
    sloty.UstawOpcje(o);
    sloty.UstawPokazAwarii([](const QString&) {});
    sloty.UtworzOdtwarzacz(1);
    sloty.UtworzOdtwarzacz(2);
    sloty.OtworzPlikOdtwarzacza(1, rig.wav("a.wav", 44100, 2, 500));
    sloty.GrajOdtwarzacz(1);
    EXPECT_TRUE(platform::DeviceHub::instance().openVirtual(0));
    QCoreApplication::processEvents();
    EXPECT_EQ(log.linie(QStringLiteral("Nie ma urządzenia")),
              QStringList{QStringLiteral("Nie ma urządzenia dźwiękowego \"Studio C\" - gra urządzenie domyślne \"Default\"")});
}

// A real PortAudio stream on an ALSA file sink, chosen by the slot's
// settings: by name for the file players, by number for the mixers.
TEST_P(PlayerSlot, ToneThroughTheSettingsDeviceArrivesSampleExact) {
    AlsaSink sink;
    PlayerSloty sloty;
    OpcjeOdtwarzaczy o;
    o.CzyPlayerZgodnoscWinXP = strumien();
    o.Kanal[4] = sink.index();
    o.KanalNazwa[4] = QString::fromLatin1(AlsaSink::kName);
    sloty.UstawOpcje(o);
    sloty.UtworzMiksery();
    sloty.UtworzOdtwarzacz(4);
    // 150 ms of a cosine: loud from its first sample, all in the first fill.
    QByteArray ton(44100 * 4 * 150 / 1000, '\0');
    auto* p = reinterpret_cast<int16_t*>(ton.data());
    for (int i = 0; i < ton.size() / 4; ++i) p[2 * i] = p[2 * i + 1] = int16_t(std::lround(12000 * std::cos(i * 0.1)));
    rig.dir.write("ton.wav", fixtures::wavFile(44100, 2, 16, ton));
    sloty.OtworzPlikOdtwarzacza(4, rig.dir.file("ton.wav"));
    sloty.GrajOdtwarzacz(4);
    auto karta = platform::DeviceHub::instance().openOutput(sink.index(), {});
    ASSERT_FALSE(karta->isVirtual());
    // Played to its end (the mixer's channel stops, the file player stands
    // at the end), and some silence after it too.
    auto skonczone = [&] { return strumien() ? sloty.StanOdtwarzacza(4) == 0 : sloty.PozycjaOdtwarzacza(4) >= 150; };
    int64_t potem = -1;
    ASSERT_TRUE(eventually([&] {
        if (potem < 0 && skonczone()) potem = karta->framesRendered() + 44100;
        return potem >= 0 && karta->framesRendered() >= potem;
    }));
    sloty.ZwolnijOdtwarzacz(4);
    sloty.ZwolnijMiksery();
    karta.reset();
    sink.close();
    const auto zagrane = samplesOf(sink.played());
    const auto wzor = samplesOf(ton);
    size_t od = 0;
    while (od < zagrane.size() && zagrane[od] == 0) ++od;
    ASSERT_LE(od + wzor.size(), zagrane.size());
    for (size_t i = 0; i < wzor.size(); ++i) ASSERT_EQ(zagrane[od + i], wzor[i]) << i;
}

TEST(PlayerSlotCard, ACardThatWillNotOpenIsLoggedShownAndTriedAgain) {
    platform::ManualClock zegar;
    platform::ScopedClock zegarZakres(&zegar);
    AudioRig rig;
    AlsaSink sink;
    LogTestu log(rig.dir);
    PlayerSloty sloty;
    OpcjeOdtwarzaczy o;
    o.KanalNazwa[1] = QString::fromLatin1(AlsaSink::kName);
    sloty.UstawOpcje(o);
    QStringList pokazane;
    sloty.UstawPokazAwarii([&](const QString& t) { pokazane << t; });
    sink.writeConfig(false);  // unplugged after the devices were listed

    sloty.UtworzOdtwarzacz(1);
    sloty.OtworzPlikOdtwarzacza(1, rig.wav("a.wav", 44100, 2, 500));
    sloty.GrajOdtwarzacz(1);
    // The element waits on its card, at its start; no virtual device plays it.
    EXPECT_EQ(sloty.StanOdtwarzacza(1), 1);
    EXPECT_EQ(sloty.PozycjaOdtwarzacza(1), 0);
    EXPECT_FALSE(platform::DeviceHub::instance().openVirtual(sink.index()));
    QCoreApplication::processEvents();
    const QStringList nieOtwarte = log.linie(QStringLiteral("Nie można otworzyć"));
    ASSERT_EQ(nieOtwarte.size(), 1);
    EXPECT_TRUE(nieOtwarte[0].startsWith(QStringLiteral("!!! Nie można otworzyć urządzenia dźwiękowego \"tolvane_sink\": ")));
    EXPECT_TRUE(nieOtwarte[0].endsWith(QStringLiteral(" - ponowna próba co 3 s")));
    EXPECT_EQ(pokazane, QStringList{QStringLiteral("BRAK DŹWIĘKU: tolvane_sink")});

    // Plugged in again: the next try opens it and the element plays on; it
    // is told to play once its stream has called back a while.
    sink.writeConfig(true);
    zegar.advance(platform::DeviceHub::kRetryMs);
    platform::DeviceHub::instance().watch();
    QCoreApplication::processEvents();
    EXPECT_EQ(pokazane, QStringList{QStringLiteral("BRAK DŹWIĘKU: tolvane_sink")});
    const auto karta = platform::DeviceHub::instance().openOutput(sink.index(), {});
    for (int i = 0; i < 2; ++i) {
        const int64_t klatki = karta->framesRendered();
        ASSERT_TRUE(eventually([&] { return karta->framesRendered() > klatki; }));
        zegar.advance(platform::DeviceHub::kStallMs);
        platform::DeviceHub::instance().watch();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(log.linie(QStringLiteral("odtwarza")),
              QStringList{QStringLiteral("Urządzenie dźwiękowe \"tolvane_sink\" odtwarza (44100 Hz)")});
    EXPECT_EQ(pokazane, (QStringList{QStringLiteral("BRAK DŹWIĘKU: tolvane_sink"), QString()}));
    EXPECT_TRUE(eventually([&] { return sloty.PozycjaOdtwarzacza(1) > 0; }));
    sloty.ZwolnijOdtwarzacz(1);
}

// A machine without any sound card: the virtual device plays, the caption
// says no sound reaches the air, and the devices are looked for again; a
// card that comes takes the slot's next element.
TEST(PlayerSlotCard, WithoutAnyCardItShowsAndACardThatComesTakesTheNextElement) {
    platform::ManualClock zegar;
    platform::ScopedClock zegarZakres(&zegar);
    AudioRig rig;
    AlsaSink sink;
    sink.noDevices();
    if (!platform::DeviceHub::instance().isCardless())
        GTEST_SKIP() << "this machine has a sound card: " << platform::DeviceHub::instance().outputNames().join(u',').toStdString();
    LogTestu log(rig.dir);
    PlayerSloty sloty;
    OpcjeOdtwarzaczy o;
    o.KanalNazwa[1] = QString::fromLatin1(AlsaSink::kName);
    sloty.UstawOpcje(o);
    QStringList pokazane;
    sloty.UstawPokazAwarii([&](const QString& t) { pokazane << t; });
    EXPECT_EQ(pokazane, QStringList{QStringLiteral("BRAK DŹWIĘKU")});
    const QString wav = rig.wav("a.wav", 44100, 2, 500);
    sloty.UtworzOdtwarzacz(1);
    sloty.OtworzPlikOdtwarzacza(1, wav);
    sloty.GrajOdtwarzacz(1);
    EXPECT_TRUE(eventually([&] { return sloty.PozycjaOdtwarzacza(1) > 0; })) << "the virtual device plays it";

    sink.writeConfig(true);
    zegar.advance(platform::DeviceHub::kRetryMs);
    platform::DeviceHub::instance().watch();
    QCoreApplication::processEvents();
    EXPECT_EQ(log.linie(QStringLiteral("Znaleziono urządzenie")).size(), 1);
    EXPECT_EQ(pokazane, (QStringList{QStringLiteral("BRAK DŹWIĘKU"), QString()}));

    sloty.UtworzOdtwarzacz(1);
    sloty.OtworzPlikOdtwarzacza(1, wav);
    sloty.GrajOdtwarzacz(1);
    EXPECT_TRUE(eventually([&] { return !sink.played().isEmpty(); })) << "the next element plays on the card";
    sloty.ZwolnijOdtwarzacz(1);
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
