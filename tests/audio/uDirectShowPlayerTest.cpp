#include "AudioTestRig.h"
#include "audio/uDirectShowPlayer.h"

#include <gtest/gtest.h>

#include <QThread>
#include <chrono>

TEST(uDirectShowPlayer, ChoosesTheLastDeviceContainingTheName) {
    AudioRig rig({"Default", "Speakers (USB)", "Line", "Speakers (PCI)"});
    EXPECT_EQ(RendererNames().size(), 4);
    EXPECT_EQ(TBasicPlayer("Speakers").DeviceIndex(), 3);
    EXPECT_EQ(TBasicPlayer("USB").DeviceIndex(), 1);
    EXPECT_EQ(TBasicPlayer("").DeviceIndex(), 0);
    EXPECT_EQ(TBasicPlayer("Headphones").DeviceIndex(), 0);
}

TEST(uDirectShowPlayer, PlaysAndStandsAtTheEndUntilStopped) {
    AudioRig rig({"Default", "Studio"});
    TBasicPlayer p("Studio");
    p.SetFileName(rig.wav("a.wav", 44100, 2, 300));
    EXPECT_EQ(p.Duration(), 300);
    p.SetVolume(-600);
    p.SetPosition(100);
    EXPECT_EQ(p.GetPosition(), 100);
    p.Play();
    EXPECT_EQ(p.State(), 1);
    auto dev = rig.device(1);
    ASSERT_TRUE(dev);
    dev->stepMs(100);
    EXPECT_NEAR(p.GetPosition(), 200, 10);

    // Past the end the player still runs and stands at the end. Ending is
    // noticed by the channel's own refill thread, which runs on real time.
    dev->stepMs(400);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (p.GetPosition() != 300 && std::chrono::steady_clock::now() < limit) QThread::msleep(2);
    EXPECT_EQ(p.GetPosition(), 300);
    EXPECT_EQ(p.State(), 1);
    p.Stop();
    EXPECT_EQ(p.State(), 0);
    EXPECT_EQ(p.GetPosition(), 0);

    // A file that cannot be played leaves a duration of 0 and no exception.
    rig.dir.write("bad.wav", QByteArray("not audio"));
    p.SetFileName(rig.dir.file("bad.wav"));
    EXPECT_EQ(p.Duration(), 0);
    p.Play();
    p.SetFileName(QString());
    EXPECT_EQ(p.State(), 0);
}

TEST(uDirectShowPlayer, ANewFileOnARunningPlayerPlaysAtOnce) {
    AudioRig rig({"Default"});
    TBasicPlayer p("");
    p.SetFileName(rig.wav("a.wav", 44100, 2, 1000, 1000));
    p.SetVolume(300);  // above full level: full level
    EXPECT_EQ(p.Volume(), 0);
    p.Play();
    auto dev = rig.device(0);
    dev->stepMs(200);
    p.SetFileName(rig.wav("b.wav", 44100, 2, 1000, 440));
    EXPECT_EQ(p.State(), 1);
    rig.clear();
    dev->stepMs(100);
    EXPECT_EQ(rig.captured(), samplesOf(fixtures::tone16(44100, 2, 440, 100)));
    EXPECT_NEAR(p.GetPosition(), 100, 5);
}
