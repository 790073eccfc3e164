// The capture side: whole blocks in capture order, overruns counted, the
// file-fed input and the hub's input entries.
#include "platform/audio/DeviceHub.h"
#include "platform/audio/InputDevice.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "AlsaSink.h"
#include "common/WavWriter.h"

using namespace platform;

namespace {

constexpr int kBlock = InputDevice::kBlockBytes;

// Bytes that tell their own position: a block taken out of order or twice
// does not compare equal.
QByteArray counting(int bytes) {
    QByteArray b(bytes, Qt::Uninitialized);
    for (int i = 0; i < bytes / 2; ++i) {
        const auto v = qint16(i * 7);
        b[2 * i] = char(v & 0xFF);
        b[2 * i + 1] = char((v >> 8) & 0xFF);
    }
    return b;
}

struct Feed {
    QTemporaryDir dir;
    QString path;
    QByteArray pcm;
    Feed(int rate, int channels, int bytes) : path(dir.filePath("feed.wav")), pcm(counting(bytes)) {
        fixtures::writeFile(path, fixtures::wavFile(rate, channels, 16, pcm));
    }
};

QByteArray take(InputDevice& in) {
    QByteArray b(kBlock, '\0');
    return in.takeBlock(b.data()) ? b : QByteArray();
}

}  // namespace

TEST(AudioCapture, FileInputGivesItsPcmInWholeBlocksThenSilence) {
    Feed feed(44100, 2, kBlock * 2 + 1000);
    FileInput in("v", {44100, 2, 16}, feed.path, false);
    ASSERT_TRUE(in.fileUsed());
    in.step(1000);  // 4 000 bytes: not a whole block yet
    EXPECT_EQ(in.blocksReady(), 0);
    EXPECT_TRUE(take(in).isEmpty());
    in.stepBlocks(3);
    EXPECT_EQ(in.blocksReady(), 3);
    EXPECT_EQ(take(in), feed.pcm.mid(0, kBlock));
    EXPECT_EQ(take(in), feed.pcm.mid(kBlock, kBlock));
    // The rest of the file, then zeros.
    const QByteArray third = take(in);
    EXPECT_EQ(third.left(1000), feed.pcm.mid(2 * kBlock, 1000));
    EXPECT_EQ(third.mid(1000), QByteArray(kBlock - 1000, '\0'));
    EXPECT_EQ(in.overruns(), 0u);

    // A file in another format than asked would play at the wrong speed.
    FileInput other("v", {48000, 2, 16}, feed.path, false);
    EXPECT_FALSE(other.fileUsed());
    other.stepBlocks(1);
    EXPECT_EQ(take(other), QByteArray(kBlock, '\0'));
}

TEST(AudioCapture, AFullRingDropsNewPiecesAndKeepsTheOldContiguous) {
    Feed feed(44100, 1, kBlock * (InputDevice::kRingBlocks + 4));
    FileInput in("v", {44100, 1, 16}, feed.path, false);
    in.stepBlocks(InputDevice::kRingBlocks + 2);
    // Full but for less than one 10 ms piece.
    const int ready = in.blocksReady();
    EXPECT_EQ(ready, InputDevice::kRingBlocks - 1);
    EXPECT_GT(in.overruns(), 0u);
    for (int i = 0; i < ready; ++i) ASSERT_EQ(take(in), feed.pcm.mid(i * kBlock, kBlock)) << i;
    EXPECT_TRUE(take(in).isEmpty());
}

// The feeder runs on its own thread while this one takes blocks (the
// thread sanitizer build checks the ring's hand-over).
TEST(AudioCapture, RealTimeFeedArrivesInOrderOnAnotherThread) {
    Feed feed(48000, 2, kBlock * 4);
    FileInput in("v", {48000, 2, 16}, feed.path, true);
    QByteArray got;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (got.size() < 3 * kBlock && std::chrono::steady_clock::now() < until) {
        const QByteArray b = take(in);
        if (b.isEmpty())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        else
            got += b;
    }
    ASSERT_EQ(got.size(), 3 * kBlock);
    EXPECT_EQ(got, feed.pcm.left(3 * kBlock));
}

TEST(AudioCapture, HubOffersTheVirtualInputAndAsksBeforeOpening) {
    Feed feed(44100, 2, kBlock);
    DeviceHub& hub = DeviceHub::instance();
    hub.useVirtualDevices({"Default"}, true);
    hub.setCaptureFile(feed.path);
    EXPECT_EQ(hub.inputNames(), QStringList{"Virtual input"});
    const PcmFormat f{44100, 2, 16};
    EXPECT_TRUE(hub.isInputFormatSupported(0, f));
    EXPECT_FALSE(hub.isInputFormatSupported(0, {44100, 2, 8}));  // the recorder takes 16 bits only
    {
        auto in = hub.openInput(7, f);  // out of range: the default
        ASSERT_TRUE(in);
        auto fed = hub.openVirtualInput();
        ASSERT_EQ(fed.get(), in.get());
        fed->stepBlocks(1);
        EXPECT_EQ(take(*in), feed.pcm);
    }
    EXPECT_FALSE(hub.openVirtualInput());

    hub.setStreamGate([](const QString&, int rate) { return rate != 44100; });
    QString error;
    EXPECT_FALSE(hub.isInputFormatSupported(0, f));
    EXPECT_FALSE(hub.openInput(0, f, &error));
    EXPECT_FALSE(error.isEmpty());
    hub.setStreamGate(nullptr);
    hub.setCaptureFile({});
}

// A real PortAudio capture stream: ALSA's file plugin reads the capture side
// from a file, faster than real time; what does not fit the ring is dropped
// at its end, never in the middle.
TEST(AudioCapture, CardStreamDeliversWholeBlocksInCaptureOrder) {
    AlsaSink sink;
    const QByteArray pcm = counting(kBlock * 3);
    {
        QFile f(sink.captureFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(pcm);
    }
    DeviceHub& hub = DeviceHub::instance();
    hub.usePortAudio();
    const int index = sink.inputIndex();
    ASSERT_GE(index, 0) << hub.inputNames().join(", ").toStdString();
    const PcmFormat f{44100, 2, 16};
    EXPECT_TRUE(hub.isInputFormatSupported(index, f));
    QString error;
    auto in = hub.openInput(index, f, &error);
    ASSERT_TRUE(in) << error.toStdString();
    EXPECT_FALSE(in->isVirtual());
    ASSERT_TRUE(eventually([&] { return in->blocksReady() >= 3; }));
    QByteArray got;
    for (int i = 0; i < 3; ++i) got += take(*in);
    EXPECT_EQ(got, pcm);
    in.reset();
    sink.close();
}
