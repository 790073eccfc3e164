#include "platform/audio/Channel.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/VirtualDevice.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cmath>
#include <cstring>
#include <vector>

using namespace platform;

namespace {

const PcmFormat kDev{44100, 2, 16};

std::vector<int16_t> samples(const QByteArray& b) {
    std::vector<int16_t> s(size_t(b.size()) / 2);
    std::memcpy(s.data(), b.constData(), s.size() * 2);
    return s;
}

QByteArray constant16(int frames, int channels, int16_t v) {
    QByteArray b;
    for (int i = 0; i < frames * channels; ++i) b.append(reinterpret_cast<const char*>(&v), 2);
    return b;
}

struct Rig {
    VirtualDevice dev{"test", kDev, false};
    Rig() { dev.startCapture(); }
};

}  // namespace

TEST(AudioChannel, RingHandsOverWholeFramesAndPlaysSilenceWhenDry) {
    Rig r;
    Channel ch(PcmFormat{44100, 2, 16}, 1000 * 4 + 3, kDev, OutputDevice::kMaxBlockFrames);
    EXPECT_EQ(ch.ringBytes(), 4000);
    const QByteArray data = constant16(800, 2, 1000);
    EXPECT_EQ(ch.write(data.constData(), data.size() + 2), data.size());  // half a frame is never taken
    EXPECT_EQ(ch.freeBytes(), 800);
    EXPECT_EQ(ch.write(data.constData(), data.size()), 800);  // only what is free
    ASSERT_TRUE(r.dev.attach(&ch));
    r.dev.step(1100);  // 100 frames more than the ring holds
    EXPECT_EQ(ch.consumed(), 4000);
    EXPECT_EQ(ch.underruns(), 1u);
    const auto s = samples(r.dev.capture());
    ASSERT_EQ(s.size(), 2200u);
    EXPECT_EQ(s[0], 1000);
    EXPECT_EQ(s[1999], 1000);
    EXPECT_EQ(s[2000], 0);  // never the ring's stale contents
    EXPECT_EQ(s[2199], 0);

    // Across the wrap, and after a discard nothing old is heard.
    EXPECT_EQ(ch.write(constant16(700, 2, -5).constData(), 2800), 2800);
    r.dev.detach(&ch);
    ch.discard();
    EXPECT_EQ(ch.freeBytes(), 4000);
    r.dev.attach(&ch);
    r.dev.clearCapture();
    r.dev.step(10);
    for (int16_t v : samples(r.dev.capture())) EXPECT_EQ(v, 0);
}

TEST(AudioChannel, VolumeIsAppliedWithAShortRamp) {
    EXPECT_FLOAT_EQ(Channel::gainOf(0), 1.0f);
    EXPECT_NEAR(Channel::gainOf(-600), 0.501, 0.001);
    EXPECT_EQ(Channel::gainOf(-10000), 0.0f);
    EXPECT_EQ(Channel::gainOf(-12000), 0.0f);

    Rig r;
    Channel ch(PcmFormat{44100, 2, 16}, 44100 * 4, kDev, OutputDevice::kMaxBlockFrames);
    ch.setVolume(-600);
    ch.discard();  // snaps to the new level while detached
    ch.write(constant16(44100, 2, 20000).constData(), 44100 * 4);
    r.dev.attach(&ch);
    r.dev.step(441);
    auto s = samples(r.dev.capture());
    EXPECT_NEAR(s[0], 10024, 2);

    // A change while playing is heard within one 10 ms block, without a jump.
    ch.setVolume(-10000);
    r.dev.clearCapture();
    r.dev.step(441);
    s = samples(r.dev.capture());
    EXPECT_LT(s[0], 10024);
    EXPECT_GT(s[0], 9000);
    EXPECT_EQ(s[2 * 440], 0);
    for (size_t i = 2; i < s.size(); i += 2) EXPECT_LE(std::abs(s[i] - s[i - 2]), 10024 / 200 + 2);
}

TEST(AudioChannel, FormatsAreConvertedAndChannelsSummed) {
    // 8-bit mono into a 16-bit stereo device, plus a 16-bit channel; the sum clamps.
    Rig r;
    Channel a(PcmFormat{44100, 1, 8}, 1000, kDev, OutputDevice::kMaxBlockFrames);
    Channel b(PcmFormat{44100, 2, 16}, 4000, kDev, OutputDevice::kMaxBlockFrames);
    a.write(QByteArray(100, char(0xC0)).constData(), 100);  // +64/128 = 0.5
    b.write(constant16(100, 2, 30000).constData(), 400);
    r.dev.attach(&a);
    r.dev.attach(&b);
    r.dev.step(100);
    auto s = samples(r.dev.capture());
    EXPECT_EQ(s[0], 32767);
    EXPECT_EQ(s[1], 32767);
    r.dev.detach(&b);
    a.write(QByteArray(100, char(0x40)).constData(), 100);  // -0.5
    r.dev.clearCapture();
    r.dev.step(100);
    s = samples(r.dev.capture());
    EXPECT_EQ(s[0], -16384);
    EXPECT_EQ(s[1], -16384);

    // A stereo file on a mono 8-bit device is averaged.
    VirtualDevice mono("mono", PcmFormat{44100, 1, 8}, false);
    mono.startCapture();
    Channel c(PcmFormat{44100, 2, 16}, 4000, mono.format(), OutputDevice::kMaxBlockFrames);
    QByteArray lr;
    for (int i = 0; i < 10; ++i) {
        const int16_t v[2] = {16384, 0};
        lr.append(reinterpret_cast<const char*>(v), 4);
    }
    c.write(lr.constData(), lr.size());
    mono.attach(&c);
    mono.step(10);
    EXPECT_EQ(uint8_t(mono.capture()[0]), 128 + 32);
}

TEST(AudioChannel, ResamplingKeepsTheSpeed) {
    // 22 050 Hz mono: one second must last one second of 44 100 Hz frames.
    Rig r;
    const int inRate = 22050;
    Channel ch(PcmFormat{inRate, 1, 16}, inRate * 2 * 2, kDev, OutputDevice::kMaxBlockFrames);
    QByteArray tone;
    for (int i = 0; i < inRate; ++i) {
        const auto v = int16_t(std::lround(16000 * std::sin(2 * M_PI * 1000.0 * i / inRate)));
        tone.append(reinterpret_cast<const char*>(&v), 2);
    }
    ASSERT_EQ(ch.write(tone.constData(), tone.size()), tone.size());
    ch.discard();  // nothing written is dropped: discard only moves the read side
    EXPECT_EQ(ch.freeBytes(), ch.ringBytes());
    ch.write(tone.constData(), tone.size());
    r.dev.attach(&ch);
    r.dev.step(44100 * 3 / 2);
    const auto s = samples(r.dev.capture());
    int first = -1, last = -1;
    for (int i = 0; i < int(s.size()) / 2; ++i)
        if (std::abs(s[size_t(2 * i)]) > 2000) {
            if (first < 0) first = i;
            last = i;
        }
    ASSERT_GE(first, 0);
    EXPECT_NEAR(last - first, 44100, 100);
    EXPECT_LT(first, 882);  // the resampler delays by a little over 10 ms
    // The tone is still 1 kHz: about 2 000 zero crossings in a second.
    int crossings = 0;
    for (int i = first + 1; i < last; ++i) crossings += (s[size_t(2 * i - 2)] < 0) != (s[size_t(2 * i)] < 0);
    EXPECT_NEAR(crossings, 2000, 10);
}

TEST(AudioDeviceHub, VirtualDevicesAreSharedAndChosenByName) {
    DeviceHub& hub = DeviceHub::instance();
    hub.useVirtualDevices({"Default", "Speakers (USB)", "Line out", "Speakers (PCI)"}, true);
    EXPECT_TRUE(hub.isVirtual());
    EXPECT_EQ(hub.outputNames().size(), 4);
    EXPECT_EQ(hub.lastOutputContaining("Speakers"), 3);  // the later one wins
    EXPECT_EQ(hub.lastOutputContaining("USB"), 1);
    EXPECT_EQ(hub.lastOutputContaining("speakers"), -1);  // case matters
    EXPECT_EQ(hub.lastOutputContaining(""), -1);

    auto a = hub.openOutput(2, kDev);
    auto b = hub.openOutput(2, PcmFormat{22050, 1, 8});
    EXPECT_EQ(a, b);  // one stream per device, in the first opener's format
    EXPECT_EQ(b->format(), kDev);
    EXPECT_EQ(hub.openVirtual(2).get(), a.get());
    EXPECT_NE(hub.openOutput(9, kDev), a);  // out of range: the default device
    EXPECT_EQ(hub.openOutput(9, kDev), hub.openOutput(0, kDev));
    a.reset();
    b.reset();
    EXPECT_FALSE(hub.openVirtual(2));  // the last user closed it
}

TEST(AudioDeviceHub, VirtualDeviceSavesWhatItMixed) {
    VirtualDevice dev("v", kDev, false);
    Channel ch(PcmFormat{44100, 2, 16}, 4000, kDev, OutputDevice::kMaxBlockFrames);
    ch.write(constant16(10, 2, 1234).constData(), 40);
    dev.attach(&ch);
    dev.startCapture();
    dev.step(10);
    const QString path = QDir::temp().filePath("tolvane-capture-test.wav");
    ASSERT_TRUE(dev.saveCapture(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray wav = f.readAll();
    f.remove();
    ASSERT_EQ(wav.size(), 44 + 40);
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(wav.mid(36, 4), "data");
    EXPECT_EQ(wav.mid(44), constant16(10, 2, 1234));
}
