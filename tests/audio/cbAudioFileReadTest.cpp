#include "audio/cbAudioFileRead.h"
#include "common/TempFolder.h"
#include "common/WavWriter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QString makeWav(const TempProgramFolder& dir, const QString& name, int ms, QByteArray* pcm = nullptr) {
    const QByteArray data = fixtures::tone16(44100, 2, 1000, ms);
    if (pcm) *pcm = data;
    dir.write(name, fixtures::wavFile(44100, 2, 16, data));
    return dir.file(name);
}

}  // namespace

TEST(cbAudioFileRead, ErrorMessagesComeFromTheTable) {
    EXPECT_EQ(AudioReadErrorText(0x08000001), "Invalid buffer size.");
    EXPECT_EQ(AudioReadErrorText(0x8004040A), "The IMultiMediaStream object is not in running state.");
    EXPECT_EQ(AudioReadErrorText(0x12345678), "Unrecognized error value.");
    EXPECT_NO_THROW(CheckAudioResult(0));
    try {
        CheckAudioResult(0x80040403);
        FAIL();
    } catch (const EAudioReadError& e) {
        EXPECT_EQ(e.ErrorCode, 0x80040403u);
        EXPECT_EQ(e.Message(), "No stream can be found with the specified attributes.");
    }
    TempProgramFolder dir;
    try {
        TcbAudioFileReader r(dir.file("missing.wav"));
        FAIL();
    } catch (const EAudioReadError& e) {
        EXPECT_EQ(e.ErrorCode, kAudioFileNotFound);
    }
    dir.write("junk.mp2", QByteArray(5000, 'j'));
    EXPECT_THROW(TcbAudioFileReader(dir.file("junk.mp2")), EAudioReadError);

    // A rate no sound card plays: refused, so the element is skipped rather
    // than held on air for hours.
    dir.write("1hz.wav", fixtures::wavFile(1, 2, 16, QByteArray(4000, '\0')));
    try {
        TcbAudioFileReader r(dir.file("1hz.wav"));
        FAIL();
    } catch (const EAudioReadError& e) {
        EXPECT_EQ(e.ErrorCode, kAudioUnsupportedStream);
    }
}

TEST(cbAudioFileRead, ReadsBetweenStartAndEndInWholeFrames) {
    TempProgramFolder dir;
    QByteArray pcm;
    TcbAudioFileReader r(makeWav(dir, "a.wav", 5000, &pcm));
    EXPECT_EQ(r.Duration(), 50000000);
    EXPECT_EQ(r.Format().nAvgBytesPerSec, 176400u);
    EXPECT_EQ(r.Format().nBlockAlign, 4);

    r.SetStartPos(20000000);  // 2 s
    r.SetEndPos(10000000);    // 1 s after the start
    EXPECT_EQ(r.Position(), 20000000);
    QByteArray got;
    std::vector<char> buf(10002);
    int last = 0;
    for (int n; (n = r.Read(buf.data(), int(buf.size()))) > 0;) {
        got.append(buf.data(), n);
        last = n;
    }
    EXPECT_EQ(got.size(), 176400);  // the last block is cut to the limit
    EXPECT_EQ(last % 4, 0);
    EXPECT_EQ(got, pcm.mid(2 * 176400, 176400));
    EXPECT_EQ(r.Position(), 30000000);
    EXPECT_EQ(r.SampleEnd(), 30000000);
    EXPECT_EQ(r.Read(buf.data(), 100), 0);

    // Back to the start: a seek before the start is raised to it.
    r.Seek(0);
    EXPECT_EQ(r.Position(), 20000000);
    ASSERT_EQ(r.Read(buf.data(), 8), 8);
    EXPECT_EQ(QByteArray(buf.data(), 8), pcm.mid(2 * 176400, 8));
}

TEST(cbAudioFileRead, PositionsAreClamped) {
    TempProgramFolder dir;
    TcbAudioFileReader r(makeWav(dir, "a.wav", 1000));
    std::vector<char> buf(4000);

    r.SetEndPos(50000);
    EXPECT_EQ(r.EndPos(), 100000);
    r.SetEndPos(2000000000000000LL);
    EXPECT_EQ(r.EndPos(), 1000000000000000LL);
    r.SetEndPos(0);
    r.SetStartPos(-5);
    EXPECT_EQ(r.StartPos(), 0);

    r.Seek(99000000);  // beyond the duration
    EXPECT_EQ(r.Position(), r.Duration());
    EXPECT_EQ(r.Read(buf.data(), int(buf.size())), 0);

    // An end exactly at the position reads nothing (and divides by nothing).
    r.SetStartPos(5000000);
    r.SetEndPos(100000);
    r.Seek(5100000);
    EXPECT_EQ(r.Read(buf.data(), int(buf.size())), 0);

    // A new end before the position takes it back to the start.
    r.SetEndPos(0);
    r.Seek(8000000);
    r.SetEndPos(1000000);
    EXPECT_EQ(r.Position(), 5000000);
}
