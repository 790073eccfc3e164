// Voice tracks compressed to MP3 and decoded back by the program's own
// decoder: the frame headers the stations' players expect, the take's rate
// and channels honoured, only the data chunk heard, and never a partial file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cstring>

#include "AudioTestRig.h"
#include "audio/MP3export.h"
#include "common/Goertzel.h"
#include "platform/audio/Decoder.h"

namespace {

struct Zdekodowane {
    platform::PcmFormat format;
    std::vector<int16_t> probki;
    qint64 ramki() const { return qint64(probki.size()) / format.channels; }
};

Zdekodowane dekoduj(const QString& mp3) {
    Zdekodowane z;
    auto d = platform::openDecoder(mp3);
    if (!d) return z;
    z.format = d->format();
    QByteArray pcm;
    char blok[65536];
    while (const auto n = d->read(blok, sizeof blok)) pcm.append(blok, int(n));
    z.probki = samplesOf(pcm);
    return z;
}

struct MP3Test : ::testing::Test {
    TempProgramFolder dir;
    QString wav(const QString& name, const QByteArray& bytes) {
        dir.write(name, bytes);
        return dir.file(name);
    }
    int kompresuj(const QString& we, const QString& wy, int kbits, int tryb) {
        int kod = -12345;
        KompresujMP3(we, wy, kbits, kod, tryb);
        return kod;
    }
};

// Delay of the encoder and decoder plus the padding of the last frame: the
// decoded file is longer than the take by less than three frames.
void dlugoscJakWziecie(const Zdekodowane& z, qint64 ramkiWziecia) {
    EXPECT_GE(z.ramki(), ramkiWziecia);
    EXPECT_LT(z.ramki(), ramkiWziecia + 3 * 1152);
}

TEST_F(MP3Test, FrameHeadersAndChannelsByMode) {
    struct Przypadek {
        int kanalyWe, tryb, kanalyWy;
        unsigned char bajt4;
    };
    for (const auto& p : {Przypadek{2, 0, 2, 0x0C}, Przypadek{2, 1, 1, 0xCC}, Przypadek{1, 1, 1, 0xCC}}) {
        SCOPED_TRACE(testing::Message() << p.kanalyWe << " channels, mode " << p.tryb);
        const QString we = wav("t.wav", fixtures::wavFile(44100, p.kanalyWe, 16, fixtures::tone16(44100, p.kanalyWe, 440, 1000)));
        const QString wy = dir.file("t.mp3");
        ASSERT_EQ(kompresuj(we, wy, 128, p.tryb), 0);
        QFile f(wy);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        ASSERT_GT(b.size(), 4);
        const auto* u = reinterpret_cast<const unsigned char*>(b.constData());
        // No ID3 tag in front: the file starts with a frame.
        EXPECT_EQ(u[0], 0xFF);
        EXPECT_EQ(u[1], 0xFB);
        EXPECT_TRUE(u[2] == 0x90 || u[2] == 0x92) << std::hex << int(u[2]);
        EXPECT_EQ(u[3], p.bajt4);
        // No Info/Xing frame: the first frame carries sound.
        EXPECT_FALSE(b.left(417).contains("Info"));
        EXPECT_FALSE(b.left(417).contains("Xing"));
        EXPECT_FALSE(b.contains("TAG"));
        const auto z = dekoduj(wy);
        EXPECT_EQ(z.format.rate, 44100);
        EXPECT_EQ(z.format.channels, p.kanalyWy);
        dlugoscJakWziecie(z, 44100);
    }
}

TEST_F(MP3Test, TakeAtItsOwnRateKeepsPitchAndDuration) {
    const QString we = wav("16k.wav", fixtures::wavFile(16000, 1, 16, fixtures::tone16(16000, 1, 1000, 2000)));
    const QString wy = dir.file("16k.mp3");
    ASSERT_EQ(kompresuj(we, wy, 128, 0), 0);
    const auto z = dekoduj(wy);
    EXPECT_EQ(z.format.rate, 44100);
    dlugoscJakWziecie(z, 2 * 44100);
    const double ton = poziomTonuDb(z.probki, z.format.channels, 0, 44100, 1000);
    EXPECT_NEAR(ton, 20 * std::log10(0.5), 1.0);
    // Played too fast the tone would sit at 2 756 Hz.
    EXPECT_LT(poziomTonuDb(z.probki, z.format.channels, 0, 44100, 2756.25), ton - 30);
}

TEST_F(MP3Test, OnlyTheDataChunkWholeIsEncoded) {
    // A take a little longer than a whole number of the encoder's reads,
    // with an odd trailing byte, then a large LIST chunk after the data.
    const int ramki = 3 * 8 * 1152 + 777;
    const QByteArray dane = fixtures::tone16(44100, 2, 440, 1000).left(ramki * 4);
    ASSERT_EQ(dane.size(), ramki * 4);
    QByteArray szum(200000, '\0');
    for (int i = 0; i < szum.size(); ++i) szum[i] = char((i * 7919) ^ (i >> 3));
    const QString we = wav("list.wav", fixtures::wavFile(44100, 2, 16, dane + QByteArray(1, '\x11'), {}, {{"LIST", szum}}));
    const QString wy = dir.file("list.mp3");
    ASSERT_EQ(kompresuj(we, wy, 128, 0), 0);
    const auto z = dekoduj(wy);
    dlugoscJakWziecie(z, ramki);
    // The last samples of the take are there: the tone still sounds in the
    // last tenth of a second before the encoder's padding.
    const qint64 koniec = 1105 + ramki;
    std::vector<int16_t> ogon(z.probki.begin() + (koniec - 4410) * 2, z.probki.begin() + koniec * 2);
    EXPECT_NEAR(poziomTonuDb(ogon, 2, 0, 44100, 440), 20 * std::log10(0.5), 1.5);
}

TEST_F(MP3Test, TheWindowStaysAliveWhileItWorks) {
    // Three seconds of take take far longer than the 10 ms between two
    // rounds of pending events.
    const QString we = wav("dlugi.wav", fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, 440, 3000)));
    bool obsluzone = false;
    QMetaObject::invokeMethod(qApp, [&] { obsluzone = true; }, Qt::QueuedConnection);
    ASSERT_EQ(kompresuj(we, dir.file("dlugi.mp3"), 128, 0), 0);
    EXPECT_TRUE(obsluzone);
    QCoreApplication::processEvents();
}

TEST_F(MP3Test, EmptyTakeGivesOnlyTheFlush) {
    const QString we = wav("pusty.wav", fixtures::wavFile(44100, 2, 16, {}));
    ASSERT_EQ(QFile(we).size(), 44);
    const QString wy = dir.file("pusty.mp3");
    ASSERT_EQ(kompresuj(we, wy, 128, 0), 0);
    EXPECT_TRUE(QFile::exists(wy));
    EXPECT_LT(dekoduj(wy).ramki(), 3 * 1152);
}

TEST_F(MP3Test, FailuresLeaveNoFileAndACode) {
    const QString dobry = wav("t.wav", fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, 440, 200)));
    struct Przypadek {
        const char* co;
        QString we, wy;
        int kod;
    };
    const Przypadek przypadki[] = {
        {"unwritable target", dobry, dir.path() + "/brak/t.mp3", MP3BladZapisu},
        {"8-bit take", wav("8.wav", fixtures::wavFile(44100, 1, 8, fixtures::tone8(44100, 1, 440, 200))), dir.file("8.mp3"),
         MP3NieobslugiwanyWAV},
        {"missing take", dir.path() + "/nie-ma.wav", dir.file("nie-ma.mp3"), MP3BrakWAV},
        {"not a WAV", wav("x.wav", QByteArray(1000, 'x')), dir.file("x.mp3"), MP3BrakWAV},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.co);
        EXPECT_EQ(kompresuj(p.we, p.wy, 128, 0), p.kod);
        EXPECT_FALSE(QFile::exists(p.wy));
    }
    // Nothing of the temporary file is left behind either.
    EXPECT_EQ(QDir(dir.path()).entryList({"*.mp3*"}, QDir::Files).size(), 0);
}

}  // namespace
