#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "platform/AudioFixtures.h"
#include "platform/audio/Decoder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cstring>
#include <vector>

using namespace platform;

namespace {

QByteArray readAll(Decoder& d, int block = 10000) {
    QByteArray out;
    std::vector<char> buf(static_cast<size_t>(block), 0);
    for (int guard = 0; guard < 1000000; ++guard) {
        const int64_t n = d.read(buf.data(), block);
        if (n <= 0) break;
        out.append(buf.data(), int(n));
    }
    return out;
}

std::unique_ptr<Decoder> openBytes(const TempProgramFolder& dir, const QString& name, const QByteArray& bytes,
                                   DecoderError* err = nullptr) {
    dir.write(name, bytes);
    return openDecoder(dir.file(name), err);
}

}  // namespace

TEST(AudioDecoder, PcmWavReadsExactlyTheDataChunk) {
    TempProgramFolder dir;
    const QByteArray pcm = fixtures::tone16(22050, 1, 1000, 100);
    // A chunk after the data must never be played as audio.
    auto d = openBytes(dir, "a.wav",
                       fixtures::wavFile(22050, 1, 16, pcm, {{"bext", QByteArray(10, 'x')}},
                                         {{"LIST", QByteArray(333, '\x7f')}}));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->format(), (PcmFormat{22050, 1, 16}));
    EXPECT_EQ(d->lengthFrames(), 2205);
    EXPECT_EQ(readAll(*d, 1001), pcm);  // odd block: still whole frames

    ASSERT_TRUE(d->seekFrame(2000));
    std::vector<char> buf(4);
    ASSERT_EQ(d->read(buf.data(), 4), 4);
    EXPECT_EQ(0, std::memcmp(buf.data(), pcm.constData() + 4000, 4));
    EXPECT_TRUE(d->seekFrame(1 << 30));  // clamped to the end
    EXPECT_EQ(d->read(buf.data(), 4), 0);
}

TEST(AudioDecoder, TruncatedWavPlaysWhatItHolds) {
    TempProgramFolder dir;
    QByteArray file = fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, 440, 50));
    file.chop(3);  // cut inside the last frame; the header still claims it all
    auto d = openBytes(dir, "t.wav", file);
    ASSERT_TRUE(d);
    const QByteArray got = readAll(*d);
    EXPECT_EQ(got.size() % 4, 0);
    EXPECT_EQ(got.size(), (44100 * 50 / 1000 - 1) * 4);
}

TEST(AudioDecoder, FilesThatAreNotPlayableAreRefused) {
    TempProgramFolder dir;
    DecoderError err{};
    EXPECT_FALSE(openDecoder(dir.file("missing.wav"), &err));
    EXPECT_EQ(err, DecoderError::CannotOpen);
    EXPECT_FALSE(openBytes(dir, "empty.mp3", QByteArray(), &err));
    EXPECT_EQ(err, DecoderError::NotAudio);
    EXPECT_FALSE(openBytes(dir, "text.mp3", QByteArray("just some text, not audio at all\r\n").repeated(50), &err));
    EXPECT_EQ(err, DecoderError::NotAudio);
    EXPECT_FALSE(openBytes(dir, "c3.wav", fixtures::wavFile(44100, 3, 16, QByteArray(600, '\0')), &err));
    EXPECT_EQ(err, DecoderError::Unsupported);
    EXPECT_FALSE(openBytes(dir, "b24.wav", fixtures::wavFile(44100, 2, 24, QByteArray(600, '\0')), &err));
    EXPECT_EQ(err, DecoderError::Unsupported);
    QByteArray noData = fixtures::wavFile(44100, 2, 16, QByteArray());
    noData.chop(8);  // no data chunk at all
    EXPECT_FALSE(openBytes(dir, "nodata.wav", noData, &err));
    EXPECT_EQ(err, DecoderError::NotAudio);
}

TEST(AudioDecoder, Mp3DecodesTo16BitAtItsOwnRateWithoutTrimming) {
    TempProgramFolder dir;
    const QByteArray mp3 = fixtures::mp3Tone(44100, 2, 1000, 1000);
    auto d = openBytes(dir, "t.mp3", mp3);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->format(), (PcmFormat{44100, 2, 16}));
    const QByteArray pcm = readAll(*d);
    const int64_t frames = pcm.size() / 4;
    // Gapless trimming off: whole MPEG frames of 1 152 samples, encoder
    // delay and padding included.
    EXPECT_EQ(frames % 1152, 0);
    EXPECT_GE(frames, 44100);
    EXPECT_LE(frames, 44100 + 3 * 1152);
    // The length is estimated from the file size, without a scan, to within a frame.
    EXPECT_NEAR(double(d->lengthFrames()), double(frames), 1152);

    // Back to the start gives the same samples again.
    ASSERT_TRUE(d->seekFrame(0));
    EXPECT_EQ(readAll(*d).left(40000), pcm.left(40000));
}

TEST(AudioDecoder, BrokenMp3EndsCleanly) {
    TempProgramFolder dir;
    const QByteArray mp3 = fixtures::mp3Tone(44100, 2, 1000, 1000);
    auto cut = openBytes(dir, "cut.mp3", mp3.left(mp3.size() / 2 + 77));
    ASSERT_TRUE(cut);
    const int64_t cutFrames = readAll(*cut).size() / 4;
    EXPECT_GT(cutFrames, 44100 / 3);
    EXPECT_LT(cutFrames, 44100 * 2 / 3);

    QByteArray garbled = mp3;
    for (int i = mp3.size() / 3; i < mp3.size() / 3 + 3000; ++i) garbled[i] = char((i * 7919) & 0xFF);
    auto bad = openBytes(dir, "bad.mp3", garbled);
    ASSERT_TRUE(bad);
    const int64_t badFrames = readAll(*bad).size() / 4;
    EXPECT_GT(badFrames, 44100 / 4);       // it played up to the damage at least
    EXPECT_LE(badFrames, 44100 + 3 * 1152);  // and never more than the file holds
}

TEST(AudioDecoder, Mp2AndMpegInWavStayInsideTheirData) {
    TempProgramFolder dir;
    auto mp2 = openBytes(dir, "s.mp2", fixtures::mp2Silence48k(40));
    ASSERT_TRUE(mp2);
    EXPECT_EQ(mp2->format(), (PcmFormat{48000, 2, 16}));
    EXPECT_EQ(mp2->lengthFrames(), 40 * 1152);
    EXPECT_EQ(readAll(*mp2).size(), 40 * 1152 * 4);

    // More MPEG frames in a chunk after the data must not be decoded.
    auto wav = openBytes(dir, "m.wav",
                         fixtures::mpegInWav(fixtures::mp2Silence48k(10), "LIST", fixtures::mp2Silence48k(5)));
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->format(), (PcmFormat{48000, 2, 16}));
    EXPECT_EQ(readAll(*wav).size(), 10 * 1152 * 4);
}
