#include "AudioTestRig.h"
#include "common/DyskStojacy.h"
#include "platform/AudioFixtures.h"
#include "platform/audio/Channel.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace {

const QByteArray kTone = fixtures::tone16(44100, 2, 1000, 6000);  // 6 s: longer than the ring

QString toneFile(AudioRig& rig) {
    rig.dir.write("tone.wav", fixtures::wavFile(44100, 2, 16, kTone));
    return rig.dir.file("tone.wav");
}

}  // namespace

TEST(cbDSMixer, PropertiesAndDeviceChoice) {
    AudioRig rig({"Default", "Card 2"});
    TcbDSMixer m;
    EXPECT_EQ(m.BitsPerSample(), bs16Bit);
    EXPECT_TRUE(m.Stereo());
    EXPECT_EQ(m.Frequency(), 44100);
    EXPECT_EQ(m.Level(), lPriority);
    EXPECT_EQ(m.SpeakerConfig(), 4);
    m.SetFrequency(50);
    EXPECT_EQ(m.Frequency(), 100);
    m.SetFrequency(200000);
    EXPECT_EQ(m.Frequency(), 100000);
    m.SetDevice(1);
    m.SetDevice(-1);
    m.SetDevice(2);
    EXPECT_EQ(m.Device(), 1);
    EXPECT_EQ(TcbDSMixer::DeviceDescriptions(), (QStringList{"Default", "Card 2"}));
    EXPECT_EQ(TcbDSMixer::DeviceIds(), (QStringList{"", "Card 2"}));

    // Lazy open takes the device's format back into the properties.
    m.SetFrequency(48000);
    m.Open();
    ASSERT_TRUE(m.IsOpen());
    EXPECT_EQ(m.Output()->name(), "Card 2");
    EXPECT_EQ(m.Frequency(), 48000);
    m.Close();
    EXPECT_FALSE(m.IsOpen());
}

TEST(cbDSMixer, ChannelsHaveTheirOwnLockNamesAndBufferSizes) {
    AudioRig rig;
    TcbDSMixer m;
    auto* a = new TcbDSMixerChannel(&m);
    auto* b = new TcbDSMixerChannel(&m);
    EXPECT_EQ(a->MutexName(), "cbDSMCUpd0");
    EXPECT_EQ(b->MutexName(), "cbDSMCUpd1");
    delete a;
    TcbDSMixerChannel c(&m);
    EXPECT_EQ(c.MutexName(), "cbDSMCUpd0");  // the lowest free number
    EXPECT_EQ(m.ChannelCount(), 2);

    c.Open(toneFile(rig));
    EXPECT_EQ(c.Length(), 6000);
    c.Play();
    EXPECT_EQ(c.BufferSize(), 705600);
    EXPECT_EQ(c.Threshold(), 282240);
    // b is still registered: the mixer frees it with itself.
}

TEST(cbDSMixer, OpenRefusesWhatCannotPlay) {
    AudioRig rig;
    TcbDSMixer m;
    TcbDSMixerChannel ch(&m);
    rig.dir.write("empty.wav", fixtures::wavFile(44100, 2, 16, QByteArray()));
    try {
        ch.Open(rig.dir.file("empty.wav"));
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Audio file is empty.");
    }
    EXPECT_TRUE(ch.FileName().isEmpty());
    rig.dir.write("junk.wav", QByteArray("RIFF....WAVEjunk"));
    EXPECT_THROW(ch.Open(rig.dir.file("junk.wav")), EAudioReadError);
    try {
        ch.Play();
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "No file opened");
    }
    EXPECT_EQ(ch.State(), 0);
}

TEST(cbDSMixer, PlaysTheFileSamplesAtFullAndHalfLevel) {
    AudioRig rig;
    TcbDSMixer m;
    TcbDSMixerChannel ch(&m);
    const auto src = samplesOf(kTone);
    ch.Open(toneFile(rig));
    ch.Play();
    rig.run(ch, 50);
    auto out = rig.captured();
    ASSERT_EQ(out.size(), 50u * 441 * 2);
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], src[i]) << i;

    // -600 is a gain of 0.5: set before Play, it applies from the first sample.
    ch.Stop();
    ch.SetVolume(-600);
    EXPECT_EQ(ch.Volume(), -600);
    rig.clear();
    ch.Play();
    rig.run(ch, 10);
    out = rig.captured();
    for (size_t i = 0; i < out.size(); ++i) ASSERT_NEAR(out[i], src[i] * 0.50119, 1.0) << i;

    // A fade step is heard within the next block.
    ch.SetVolume(-10000);
    rig.clear();
    rig.run(ch, 1);
    out = rig.captured();
    EXPECT_GT(std::abs(out[2 * 11]), 5000);  // still ramping down, no jump
    for (size_t i = 400 * 2; i < out.size(); ++i) EXPECT_EQ(out[i], 0);
}

TEST(cbDSMixer, PositionFollowsTheSamplesPlayedAcrossStopAndSeek) {
    AudioRig rig;
    TcbDSMixer m;
    TcbDSMixerChannel ch(&m);
    const auto src = samplesOf(kTone);
    ch.Open(toneFile(rig));
    EXPECT_EQ(ch.GetPosition(), 0);
    ch.Play();
    rig.run(ch, 100);
    EXPECT_NEAR(ch.GetPosition(), 1000, 10);
    rig.run(ch, 350);  // past the first ring's worth: refills keep the mapping
    EXPECT_NEAR(ch.GetPosition(), 4500, 10);

    // A seek stops the channel; Play goes on from the new place.
    ch.SetPosition(1500);
    EXPECT_EQ(ch.State(), 0);
    EXPECT_EQ(ch.GetPosition(), 1500);
    rig.clear();
    rig.run(ch, 5);
    for (int16_t v : rig.captured()) ASSERT_EQ(v, 0);  // stopped: silence
    rig.clear();
    ch.Play();
    rig.run(ch, 10);
    const auto out = rig.captured();
    const size_t at = 1500 * 441 / 10 * 2;
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], src[at + i]) << i;
    EXPECT_NEAR(ch.GetPosition(), 1600, 10);

    // Stop and play again: on from where it was rewound to (the start).
    ch.Stop();
    EXPECT_EQ(ch.GetPosition(), 0);
    ch.SetStartPos(2000);
    EXPECT_EQ(ch.StartPos(), 2000);
    EXPECT_EQ(ch.GetPosition(), 2000);
    ch.SetEndPos(2500);
    EXPECT_EQ(ch.EndPos(), 2500);
    rig.clear();
    ch.Play();
    EXPECT_EQ(rig.run(ch, 100, true), 50);  // plays 2.0 .. 2.5 s and stops itself
}

TEST(cbDSMixer, EndOfPlayIsReportedOnceAndOnTime) {
    AudioRig rig;
    TcbDSMixer m;
    TcbDSMixerChannel ch(&m);
    int ends = 0;
    ch.OnEnd = [&] { ++ends; };

    ch.Open(toneFile(rig));
    ch.Play();
    EXPECT_EQ(rig.run(ch, 700, true), 600);
    EXPECT_EQ(ch.State(), 0);
    EXPECT_EQ(ends, 0);  // delivered on the GUI thread's event loop
    QCoreApplication::processEvents();
    rig.run(ch, 20);
    QCoreApplication::processEvents();
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(ch.GetPosition(), 0);  // rewound

    // Shorter than one refill period.
    ch.Open(rig.wav("short.wav", 44100, 2, 100));
    ch.Play();
    EXPECT_EQ(rig.run(ch, 100, true), 10);
    QCoreApplication::processEvents();
    EXPECT_EQ(ends, 2);

    // A seek close to the end stops close to the end, not a ring later.
    ch.Open(toneFile(rig));
    ch.SetPosition(5900);
    ch.Play();
    EXPECT_EQ(rig.run(ch, 700, true), 10);
    QCoreApplication::processEvents();
    EXPECT_EQ(ends, 3);
}

TEST(cbDSMixer, OtherRatesPlayAtTheRightSpeed) {
    AudioRig rig;
    TcbDSMixer m;
    TcbDSMixerChannel ch(&m);

    // 22 050 Hz mono, 1 s: about 44 100 frames of tone at 44 100 Hz.
    ch.Open(rig.wav("mono.wav", 22050, 1, 1000));
    ch.Play();
    const int blocks = rig.run(ch, 300, true);
    EXPECT_GE(blocks, 100);
    EXPECT_LE(blocks, 103);  // the resampler's short tail is let out
    const auto out = rig.captured();
    int first = -1, last = -1;
    for (int i = 0; i < int(out.size()) / 2; ++i)
        if (std::abs(out[size_t(2 * i)]) > 3000) {
            if (first < 0) first = i;
            last = i;
        }
    EXPECT_NEAR(last - first, 44100, 60);
    EXPECT_EQ(out[size_t(2 * last)], out[size_t(2 * last + 1)]);  // both sides

    // 48 000 Hz MP2, 42 frames of 1 152 samples (1 008 ms).
    rig.dir.write("s48.mp2", fixtures::mp2Silence48k(42));
    ch.Open(rig.dir.file("s48.mp2"));
    EXPECT_EQ(ch.Length(), 1008);
    rig.clear();
    ch.Play();
    const int mp2Blocks = rig.run(ch, 300, true);
    EXPECT_GE(mp2Blocks, 101);
    EXPECT_LE(mp2Blocks, 104);

    // 48 000 Hz MP3 tone, 1 s, through the resampler.
    rig.dir.write("t48.mp3", fixtures::mp3Tone(48000, 2, 1000, 1000));
    ch.Open(rig.dir.file("t48.mp3"));
    rig.clear();
    ch.Play();
    rig.run(ch, 300, true);
    const auto mp3 = rig.captured();
    first = last = -1;
    for (int i = 0; i < int(mp3.size()) / 2; ++i)
        if (std::abs(mp3[size_t(2 * i)]) > 3000) {
            if (first < 0) first = i;
            last = i;
        }
    EXPECT_NEAR(last - first, 44100, 200);
}

TEST(cbDSMixer, BrokenFilesEndCleanly) {
    AudioRig rig;
    TcbDSMixer m;
    TcbDSMixerChannel ch(&m);
    int ends = 0;
    ch.OnEnd = [&] { ++ends; };

    QByteArray wav = fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, 1000, 2000));
    wav.truncate(wav.size() / 2 + 1);  // header says 2 s, file holds 1 s
    rig.dir.write("cut.wav", wav);
    ch.Open(rig.dir.file("cut.wav"));
    ch.Play();
    const int wavBlocks = rig.run(ch, 400, true);
    EXPECT_GE(wavBlocks, 99);
    EXPECT_LE(wavBlocks, 101);

    QByteArray mp3 = fixtures::mp3Tone(44100, 2, 1000, 2000);
    for (int i = mp3.size() / 2; i < mp3.size() / 2 + 4000; ++i) mp3[i] = char((i * 131) & 0xFF);
    rig.dir.write("bad.mp3", mp3);
    ch.Open(rig.dir.file("bad.mp3"));
    ch.Play();
    EXPECT_LT(rig.run(ch, 400, true), 400);

    rig.dir.write("cut.mp3", mp3.left(mp3.size() / 3 + 5));
    ch.Open(rig.dir.file("cut.mp3"));
    ch.Play();
    EXPECT_LT(rig.run(ch, 400, true), 400);

    QCoreApplication::processEvents();
    EXPECT_EQ(ends, 3);
}

TEST(cbDSMixer, OpenOverAPlayingChannelAndFreeingWhilePlaying) {
    AudioRig rig;
    TcbDSMixer m;
    auto* ch = new TcbDSMixerChannel(&m);
    int ends = 0;
    ch->OnEnd = [&] { ++ends; };
    ch->Open(toneFile(rig));
    ch->SetVolume(-300);
    ch->Play();
    rig.run(*ch, 20);
    ch->Open(rig.wav("b.wav", 44100, 2, 500));
    EXPECT_EQ(ch->State(), 0);
    EXPECT_EQ(ch->Volume(), 0);  // opening resets the stored volume
    rig.clear();
    rig.run(*ch, 3);
    for (int16_t v : rig.captured()) ASSERT_EQ(v, 0);
    ch->Play();
    rig.run(*ch, 10);
    // Freed while playing: its thread is joined before the ring goes.
    delete ch;
    rig.run(*new TcbDSMixerChannel(&m), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(ends, 0);
    m.Close();
}

TEST(cbDSMixer, PlaysOnARealTimeDevice) {
    // The one test on real time: the device's own thread, the refill thread
    // and the GUI thread all at work, as on a machine without a sound card.
    AudioRig rig;
    platform::DeviceHub::instance().useVirtualDevices({"Real time"}, false);
    TcbDSMixer m;
    TcbDSMixerChannel ch(&m);
    int ends = 0;
    ch.OnEnd = [&] { ++ends; };
    ch.Open(rig.wav("rt.wav", 22050, 1, 500));
    const auto t0 = std::chrono::steady_clock::now();
    ch.Play();
    const auto limit = t0 + std::chrono::seconds(5);
    while (ends == 0 && std::chrono::steady_clock::now() < limit) {
        (void)ch.GetPosition();
        ch.SetVolume(-100);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(ch.State(), 0);
    EXPECT_GE(ms.count(), 500);
    EXPECT_LT(ms.count(), 1500);
    // Play read only the first blocks; the refill thread, woken by it, had
    // the rest in the ring before they were due.
    EXPECT_EQ(ch.Underruns(), 0u);
}

namespace {

bool eventually(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

template <typename F>
int64_t msTaken(F f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

TEST(cbDSMixer, AStalledReadHoldsUpNeitherVolumeNorStopNorPlayNorTheChannelsEnd) {
    AudioRig rig;
    auto gate = std::make_shared<Gate>();
    DiskOnGate disk(gate);
    const auto src = samplesOf(kTone);
    TcbDSMixer m;
    auto* ch = new TcbDSMixerChannel(&m);
    ch->Open(toneFile(rig));
    ch->Play();
    rig.run(*ch, 50);

    // The disk stops answering; the refill thread's next read (due once a
    // tenth of the ring has played) waits at the gate.
    auto stallTheRefill = [&] {
        gate->set(false);
        rig.device()->stepMs(450);
        return eventually([&] { return gate->count(&Gate::reading) == 1; });
    };
    ASSERT_TRUE(stallTheRefill());
    // Nothing the console does on a tick waits for that read (the lock wait
    // of old was 250 ms, the read itself a second), and each takes effect
    // within the next block.
    EXPECT_LT(msTaken([&] { ch->SetVolume(-10000); }), 100);
    rig.clear();
    rig.device()->stepMs(10);
    EXPECT_EQ(rig.captured().back(), 0);
    int64_t position = 0;
    EXPECT_LT(msTaken([&] { position = ch->GetPosition(); }), 100);
    EXPECT_NEAR(position, 960, 10);
    EXPECT_LT(msTaken([&] { ch->Stop(); }), 100);
    EXPECT_EQ(ch->State(), 0);
    EXPECT_EQ(ch->GetPosition(), 0);
    ch->SetVolume(0);
    EXPECT_LT(msTaken([&] { ch->Play(); }), 100);
    EXPECT_EQ(ch->State(), 1);
    EXPECT_EQ(gate->count(&Gate::reading), 1);

    // Once the disk answers, the read under way is thrown away and the ring
    // filled from the start the stop rewound to.
    gate->set(true);
    ch->UpdateNow();
    rig.clear();
    rig.run(*ch, 10);
    const auto out = rig.captured();
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], src[i]) << i;

    // Freed while a read is stuck: it waits a bounded time, and the reader
    // is freed by its thread when the read comes back.
    ASSERT_TRUE(stallTheRefill());
    EXPECT_LT(msTaken([&] { delete ch; }), 1000);
    EXPECT_EQ(gate->count(&Gate::decoders), 1);
    gate->set(true);
    EXPECT_TRUE(eventually([&] { return gate->count(&Gate::decoders) == 0; }));
}

// The position is that of the sample being heard: a 48 kHz file on a
// 44.1 kHz device, with and without a card's output latency.
TEST(cbDSMixer, PositionOfAResampledFileIsTheSampleHeard) {
    AudioRig rig;
    QByteArray pcm(48000 * 4 * 3, '\0');  // 3 s of silence, a click at 1 s
    auto* s = reinterpret_cast<int16_t*>(pcm.data());
    for (int i = 48000; i < 48000 + 48; ++i) s[2 * i] = s[2 * i + 1] = 20000;
    rig.dir.write("click.wav", fixtures::wavFile(48000, 2, 16, pcm));
    TcbDSMixer m;
    TcbDSMixerChannel ch(&m);
    for (const int latency : {0, 882}) {
        SCOPED_TRACE(latency);
        ch.Open(rig.dir.file("click.wav"));
        ch.Play();
        rig.device()->setLatency(latency);
        rig.clear();
        std::vector<int64_t> after;  // the position after each block
        for (int k = 0; k < 150; ++k) {
            rig.run(ch, 1);
            after.push_back(ch.GetPosition());
        }
        EXPECT_LE(after[0], 10);
        const auto out = rig.captured();
        size_t click = 0;
        while (click < out.size() && out[click] < 5000) ++click;
        ASSERT_LT(click, out.size());
        const int64_t frame = int64_t(click / 2);
        const int64_t block = frame / 441;
        const double heard = 1000.0 + double((block + 1) * 441 - frame) * 1000 / 44100 - latency * 1000.0 / 44100;
        EXPECT_NEAR(double(after[size_t(block)]), heard, 5.0);
        ch.Stop();
    }
}

// A card whose callback hangs inside its mix: a stop on it returns at once
// (it used to wait for the pass, up to a second, inside the tick), the
// other card plays on, and the next element on the hung card plays from a
// ring of its own, not the one the pass may still be mixing.
TEST(cbDSMixer, AStopOnACardHungInItsMixReturnsAtOnceAndTheOtherCardPlaysOn) {
    AudioRig rig({"Hung", "Other"});
    const auto src = samplesOf(kTone);
    TcbDSMixer hungMixer, otherMixer;
    otherMixer.SetDevice(1);
    TcbDSMixerChannel hung(&hungMixer), other(&otherMixer);
    for (auto* ch : {&hung, &other}) {
        ch->Open(toneFile(rig));
        ch->Play();
        rig.run(*ch, 5);
    }
    rig.device(1)->startCapture();
    rig.device(0)->holdPass();
    EXPECT_LT(msTaken([&] {
                  hung.Stop();
                  hung.Open(QString());
              }),
              100);
    hung.Open(toneFile(rig));
    hung.Play();
    rig.run(other, 10);
    auto out = rig.captured(1);
    ASSERT_EQ(out.size(), 10u * 441 * 2);
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], src[5 * 441 * 2 + i]) << i;

    rig.device(0)->endHeldPass();
    rig.clear(0);
    rig.run(hung, 10);
    out = rig.captured(0);
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], src[i]) << i;
}
