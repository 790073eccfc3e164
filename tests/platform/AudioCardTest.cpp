// Real PortAudio streams on ALSA file sinks: what reaches the card, cards
// that refuse a rate, will not open or stop calling back.
#include "AlsaSink.h"
#include "platform/Clock.h"
#include "platform/audio/Channel.h"
#include "platform/audio/VirtualDevice.h"

#include <gtest/gtest.h>

#include <QDir>

#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>

using namespace platform;

namespace {

// What the hub told, kept for the test.
class Notices {
public:
    Notices() {
        DeviceHub::instance().setNoticeHandler([this](const DeviceNotice& n) {
            std::lock_guard lock(m_);
            list_.push_back(n);
        });
    }
    ~Notices() { DeviceHub::instance().setNoticeHandler(nullptr); }
    std::vector<DeviceNotice> of(DeviceNotice::Kind kind) {
        std::lock_guard lock(m_);
        std::vector<DeviceNotice> out;
        for (const auto& n : list_)
            if (n.kind == kind) out.push_back(n);
        return out;
    }

private:
    std::mutex m_;
    std::vector<DeviceNotice> list_;
};

// A 1 kHz cosine (so the first sample is loud), right channel inverted.
std::vector<int16_t> tone(int frames) {
    std::vector<int16_t> s(size_t(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        s[size_t(2 * i)] = int16_t(std::lround(16000 * std::cos(2 * M_PI * 1000.0 * i / 44100)));
        s[size_t(2 * i + 1)] = int16_t(-s[size_t(2 * i)]);
    }
    return s;
}

std::vector<int16_t> samples(const QByteArray& b) {
    std::vector<int16_t> s(size_t(b.size()) / 2);
    std::memcpy(s.data(), b.constData(), s.size() * 2);
    return s;
}

const PcmFormat kFile{44100, 2, 16};

// Moves the test's clock on and lets the hub look, once the stream has
// called back since the last look: the clock jumps where the stream's
// thread only had microseconds.
void watchLater(ManualClock& clock, const OutputDevice& dev, int64_t ms) {
    const int64_t frames = dev.framesRendered();
    EXPECT_TRUE(eventually([&] { return dev.framesRendered() > frames; }));
    clock.advance(ms);
    DeviceHub::instance().watch();
}

// Waits until the stream's callback has stopped moving (a hung card's
// stream may take a block or two before it hangs).
void settled(const OutputDevice& dev) {
    int64_t before = -1;
    EXPECT_TRUE(eventually([&] {
        const int64_t now = dev.framesRendered();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const bool still = now > 0 && now == before && now == dev.framesRendered();
        before = now;
        return still;
    }));
}

// Out of the mix, and no pass of the stream holds it any more: the channel
// on the test's stack may go.
void detachForGood(OutputDevice& dev, Channel& ch) {
    const uint64_t mark = dev.detach(&ch);
    EXPECT_TRUE(eventually([&] { return dev.renderedSince(mark); }));
}

}  // namespace

TEST(AudioCard, ToneArrivesSampleExactAndACardRefusing44kHzPlaysAtItsOwnRate) {
    DeviceHub& hub = DeviceHub::instance();
    for (const bool refuses44k : {false, true}) {
        SCOPED_TRACE(refuses44k ? "card refuses 44.1 kHz" : "card takes 44.1 kHz");
        AlsaSink sink;
        // ALSA's file plugin takes any rate; the hub's gate plays a card
        // that does not.
        if (refuses44k)
            hub.setStreamGate([](const QString& device, int rate) { return device != AlsaSink::kName || rate != 44100; });
        const int index = sink.index();
        ASSERT_GT(index, 0) << hub.outputNames().join(", ").toStdString();
        auto dev = hub.openOutput(index, kFile);
        ASSERT_FALSE(dev->isVirtual());
        EXPECT_EQ(dev->name(), AlsaSink::kName);
        EXPECT_EQ(dev->format(), (PcmFormat{refuses44k ? 48000 : 44100, 2, 16}));
        // The virtual device is there only for settings that name it.
        const QStringList names = hub.outputNames();
        EXPECT_EQ(names.first(), "default");
        EXPECT_EQ(names.last(), "Virtual device");
        EXPECT_TRUE(hub.openOutput(int(names.size()) - 1, kFile)->isVirtual());
        EXPECT_FALSE(hub.isVirtual());

        const std::vector<int16_t> t = tone(4410);  // 100 ms
        const int64_t bytes = int64_t(t.size()) * 2;
        Channel ch(kFile, 44100 * 4, dev->format(), OutputDevice::kMaxBlockFrames);
        ASSERT_EQ(ch.write(t.data(), bytes), bytes);
        ASSERT_TRUE(dev->attach(&ch));
        // Played, and the resampler's tail and some silence after it too.
        int64_t after = -1;
        const bool played = eventually([&] {
            if (after < 0 && ch.consumed() >= bytes) after = dev->framesRendered() + 8000;
            return after >= 0 && dev->framesRendered() >= after;
        });
        detachForGood(*dev, ch);
        ASSERT_TRUE(played);
        sink.close();

        // The tone starts at its crest; the resampler's ringing before it
        // stays well below half of that.
        const std::vector<int16_t> out = samples(sink.played());
        size_t first = 0;
        while (first < out.size() && std::abs(out[first]) < 8000) ++first;
        first -= first % 2;
        ASSERT_LT(first + 2 * 6000, out.size());
        if (!refuses44k) {
            for (size_t i = 0; i < t.size(); ++i) ASSERT_EQ(out[first + i], t[i]) << i;
            EXPECT_EQ(out[first + t.size()], 0);
            continue;
        }
        // At 48 kHz the same 100 ms are 4 800 frames of a 1 kHz tone.
        size_t last = first;
        for (size_t i = first; i < first + 2 * 6000; i += 2)
            if (std::abs(out[i]) >= 8000) last = i;
        int crossings = 0;
        for (size_t i = first + 2; i <= last; i += 2) crossings += (out[i - 2] < 0) != (out[i] < 0);
        EXPECT_NEAR(double(last - first) / 2, 4800, 30);
        EXPECT_NEAR(crossings, 200, 2);
        EXPECT_NEAR(out[first + 2 * 1200], 16000, 1000);  // 25 ms in: a crest, as in the file
        EXPECT_NEAR(out[first + 2 * 1200 + 1], -16000, 1000);
    }
}

TEST(AudioCard, ACardThatWillNotOpenIsToldAndTriedAgainNeverReplacedByTheVirtualDevice) {
    ManualClock clock;
    ScopedClock useClock(&clock);
    DeviceHub& hub = DeviceHub::instance();
    AlsaSink sink;
    Notices notices;
    const int index = sink.index();
    ASSERT_GT(index, 0);
    sink.writeConfig(false);  // still listed, but gone

    auto dev = hub.openOutput(index, kFile);
    EXPECT_FALSE(dev->isVirtual());
    EXPECT_EQ(dev->name(), AlsaSink::kName);
    EXPECT_FALSE(hub.openVirtual(index));
    auto failed = notices.of(DeviceNotice::OpenFailed);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].device, AlsaSink::kName);
    EXPECT_FALSE(failed[0].detail.isEmpty());  // PortAudio's own words
    EXPECT_EQ(hub.openOutput(index, kFile), dev);  // the same card waits; it is not opened again

    // Its channels wait on it: nothing is consumed while it is down.
    Channel ch(kFile, 44100 * 4, dev->format(), OutputDevice::kMaxBlockFrames);
    const std::vector<int16_t> t = tone(4410);
    ch.write(t.data(), int64_t(t.size()) * 2);
    ASSERT_TRUE(dev->attach(&ch));

    // Tried again every few seconds, quietly while it stays away.
    clock.advance(DeviceHub::kRetryMs);
    hub.watch();
    EXPECT_EQ(notices.of(DeviceNotice::OpenFailed).size(), 1u);
    sink.writeConfig(true);  // plugged in again
    clock.advance(DeviceHub::kRetryMs - 1);
    hub.watch();
    EXPECT_TRUE(notices.of(DeviceNotice::Playing).empty());
    EXPECT_EQ(ch.consumed(), 0);
    clock.advance(1);
    hub.watch();
    EXPECT_TRUE(notices.of(DeviceNotice::Playing).empty()) << "told when it plays, not when it opens";
    ASSERT_TRUE(eventually([&] { return ch.consumed() == int64_t(t.size()) * 2; }));

    // The ring is dry now: told with the count, at most once a minute.
    ASSERT_TRUE(eventually([&] { return dev->underruns() > 0; }));
    watchLater(clock, *dev, 0);
    ASSERT_EQ(notices.of(DeviceNotice::Underruns).size(), 1u);
    EXPECT_GT(notices.of(DeviceNotice::Underruns)[0].count, 0u);
    watchLater(clock, *dev, DeviceHub::kUnderrunReportMs - 1);
    EXPECT_EQ(notices.of(DeviceNotice::Underruns).size(), 1u);
    const auto playing = notices.of(DeviceNotice::Playing);
    ASSERT_EQ(playing.size(), 1u) << "its stream has called back since";
    EXPECT_EQ(playing[0].detail, "44100");
    watchLater(clock, *dev, 1);
    EXPECT_EQ(notices.of(DeviceNotice::Underruns).size(), 2u);
    EXPECT_TRUE(notices.of(DeviceNotice::Stalled).empty());
    detachForGood(*dev, ch);
}

TEST(AudioCard, AStreamThatStopsIsReopenedAndItsChannelsCarryOn) {
    ManualClock clock;
    ScopedClock useClock(&clock);
    DeviceHub& hub = DeviceHub::instance();
    // Nobody reads the sink's pipe: once it is full the stream's thread
    // hangs in its write and the callback stops, as on a card that is gone.
    AlsaSink sink(true);
    Notices notices;
    auto dev = hub.openOutput(sink.index(), kFile);
    ASSERT_FALSE(dev->isVirtual());
    Channel ch(kFile, 44100 * 4, dev->format(), OutputDevice::kMaxBlockFrames);
    const std::vector<int16_t> t = tone(44100);
    ch.write(t.data(), int64_t(t.size()) * 2);
    ASSERT_TRUE(dev->attach(&ch));
    settled(*dev);
    hub.watch();
    clock.advance(DeviceHub::kStallMs - 1);
    hub.watch();
    EXPECT_TRUE(notices.of(DeviceNotice::Stalled).empty());
    clock.advance(1);
    hub.watch();  // the stuck stream is let go on the side; a new one opens
    ASSERT_EQ(notices.of(DeviceNotice::Stalled).size(), 1u);

    // While nothing is read the card stays silent and shown so: told once,
    // never a close stacked on a stuck close (threads and descriptors stay).
    const auto count = [](const char* folder) { return QDir(QString::fromLatin1(folder)).count(); };
    settled(*dev);
    const uint threads = count("/proc/self/task"), descriptors = count("/proc/self/fd");
    for (int i = 0; i < 12; ++i) {
        clock.advance(DeviceHub::kStallMs);
        hub.watch();
        settled(*dev);
    }
    EXPECT_EQ(notices.of(DeviceNotice::Stalled).size(), 1u);
    EXPECT_TRUE(notices.of(DeviceNotice::Playing).empty()) << "no sound flows";
    EXPECT_LE(count("/proc/self/task"), threads + 2);
    EXPECT_LE(count("/proc/self/fd"), descriptors + 4);
    const int64_t held = ch.consumed();
    EXPECT_LT(held, int64_t(t.size()) * 2);

    // The pipe is read again: the channel carries on from where it was.
    std::atomic<bool> reading{true};
    std::thread reader([&] {
        while (reading.load()) {
            sink.drain();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    EXPECT_TRUE(eventually([&] { return ch.consumed() > held; }));
    for (int i = 0; i < 3; ++i) watchLater(clock, *dev, DeviceHub::kStallMs);
    EXPECT_EQ(notices.of(DeviceNotice::Stalled).size(), 1u);
    EXPECT_EQ(notices.of(DeviceNotice::Playing).size(), 1u);
    detachForGood(*dev, ch);
    sink.close();
    reading.store(false);
    reader.join();
}
