// Envelope files built from generated WAVs, and the waveform drawn from
// them, checked by bytes and by pixels.
#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

#include "audio/Obwiednia.h"
#include "audio/PeakTools.h"
#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestGraf2.h"
#include "foundation/KestSter2.h"
#include "platform/Cp1250.h"

namespace {

qint32 le32(const QByteArray& b, int at) { return qFromLittleEndian<qint32>(b.constData() + at); }

// 10 s of 44.1 kHz stereo: the first blocks hold the given loudest sample
// (on the right channel of their middle frame), the rest a quiet tone.
QByteArray dziesiecSekund(const std::vector<qint16>& szczyty) {
    QByteArray pcm = fixtures::tone16(44100, 2, 440, 10000, 0.002);
    for (size_t i = 0; i < szczyty.size(); ++i)
        qToLittleEndian(szczyty[i], pcm.data() + i * 1764 + 882 + 2);
    return pcm;
}

class Obwiednie : public ::testing::Test {
protected:
    TempProgramFolder dir;
    DialogiSkrypt dialogi;

    void SetUp() override {
        NastawyDomyslne();
        Nastawy.LOGZbiorJest = true;
        Nastawy.LOGKatalog = dir.path();
    }
    void TearDown() override {
        NastawyDomyslne();
        FreePeaks();
    }
    QString zapisz(const QString& nazwa, const QByteArray& b) {
        dir.write(nazwa, b);
        return dir.file(nazwa);
    }
    QByteArray obw(const QString& nazwa) { return dir.read(nazwa); }
    QStringList log() { return platform::fromCp1250(dir.read(QFileInfo(LogZbior()).fileName())).split(u'\n', Qt::SkipEmptyParts); }
};

TEST_F(Obwiednie, HeaderAndLevelBytes) {
    const std::vector<qint16> szczyty = {-32768, 384, 128, 127, 383, 640, 896, -32767};
    const QString wav = zapisz(QStringLiteral("a.wav"), fixtures::wavFile(44100, 2, 16, dziesiecSekund(szczyty)));
    TworzObwiednie(wav);
    const QByteArray b = obw(QStringLiteral("a.OBW"));
    ASSERT_EQ(b.size(), 1128);
    EXPECT_EQ(b.left(4), QByteArray("levl"));
    const qint32 pola[] = {1000, 0, 1, 1, 441, 1, 1, -1, 128};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(le32(b, 4 + 4 * i), pola[i]) << "offset " << 4 + 4 * i;
    EXPECT_EQ(b.mid(40, 88), QByteArray(88, '\0'));
    // -32768 and 32767 reach 128; 1.5 and 2.5 go to the even neighbour.
    EXPECT_EQ(b.mid(128, 9), QByteArray("\x80\x02\x00\x00\x01\x02\x04\x80\x00", 9));
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Stan).front().teksty,
              QStringList{QStringLiteral("Tworzenie obwiedni zbioru A.WAV")});
    EXPECT_EQ(dialogi.Procenty1().back(), 100);
    EXPECT_FALSE(dialogi.StanWidoczny());

    // A bext chunk before the data and a LIST after it are not samples.
    const QString bext = zapisz(QStringLiteral("b.wav"),
                                fixtures::wavFile(44100, 2, 16, dziesiecSekund(szczyty), {{"bext", QByteArray(602, '\x7F')}},
                                                  {{"LIST", QByteArray(300, '\x7F')}}));
    SygnalType s;
    s.Adres = bext;
    s.Nazwa = QStringLiteral("Wywiad");
    TworzObwiednieSygnalu(s);
    EXPECT_EQ(obw(QStringLiteral("b.OBW")), b);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Stan).back().teksty,
              QStringList{QStringLiteral("Tworzenie obwiedni zbioru Wywiad.WAV")});

    // 11 025 Hz mono: 110 frames per hundredth, the odd bytes left over.
    const QString mono = zapisz(QStringLiteral("m.wav"), fixtures::wavFile(11025, 1, 16, QByteArray(220 * 7 + 219, '\x01')));
    TworzObwiednie(mono);
    const QByteArray m = obw(QStringLiteral("m.OBW"));
    EXPECT_EQ(m.size(), 128 + 7);
    EXPECT_EQ(le32(m, 20), 110);
    EXPECT_EQ(m.mid(128), QByteArray(7, '\x01'));
}

TEST_F(Obwiednie, NoEnvelopeForWhatIsNotPcm16) {
    const QString stara = zapisz(QStringLiteral("x.OBW"), "stara");
    QByteArray zlyRate = fixtures::wavFile(44100, 2, 16, QByteArray(4000, '\0'));
    qToLittleEndian<quint32>(99, zlyRate.data() + 24);  // rate 99: a block of 0 bytes
    const struct {
        const char* nazwa;
        QByteArray bajty;
    } pliki[] = {
        {"x.wav", fixtures::wavFile(44100, 2, 8, QByteArray(4000, '\x80'))},
        {"x.wav", zlyRate},
        {"x.wav", QByteArray("RIFF\x04\0\0\0WAVE", 12)},
    };
    int linie = int(log().size());
    for (const auto& p : pliki) {
        TworzObwiednie(zapisz(QString::fromLatin1(p.nazwa), p.bajty));
        EXPECT_EQ(obw(QStringLiteral("x.OBW")), QByteArray("stara"));
        EXPECT_EQ(log().size(), ++linie);
        EXPECT_TRUE(log().back().contains(QStringLiteral("Obwiednia nie utworzona: ")));
    }
    // A file that is not there: nothing at all.
    TworzObwiednie(dir.file(QStringLiteral("brak.wav")));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("brak.OBW"))));
    EXPECT_EQ(log().size(), linie);
    EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Stan).isEmpty());
    Q_UNUSED(stara);
}

TEST_F(Obwiednie, DrawingByPixels) {
    // 10 level bytes: 128 then 40 each.
    QByteArray plik(128, '\0');
    plik.append('\x80');
    plik.append(QByteArray(9, '\x28'));
    LoadPeaks(zapisz(QStringLiteral("p.OBW"), plik));
    EXPECT_EQ(Peak.Count, 10);

    auto piksel = [](int x, int y) {
        const QRgb c = Peak.Bitmap.pixel(x, y);
        return TColor(qRed(c) | (qGreen(c) << 8) | (qBlue(c) << 16));
    };
    // Twice the width: column x shows byte round(x / 2); 19 and on reach the count.
    DrawPeaks(20, 26);
    EXPECT_EQ(Peak.Bitmap.size(), QSize(20, 26));
    const int y0 = 14;
    EXPECT_EQ(piksel(0, y0), KolorCzarny);
    EXPECT_EQ(piksel(1, 1), KolorFali::Teal);       // byte 0: 128 x 26 / 260 = 13 around the middle
    EXPECT_EQ(piksel(2, y0 - 4), KolorFali::Teal);  // byte 1: 40 x 0.1 = 4
    EXPECT_EQ(piksel(2, y0 - 5), KolorCzarny);
    EXPECT_EQ(piksel(18, y0 - 1), KolorFali::Teal);
    EXPECT_EQ(piksel(19, y0 - 1), KolorCzarny);  // only the middle line
    EXPECT_EQ(piksel(19, y0), KolorFali::Teal);

    // Marks at 4 and 8, position 6, on a width equal to the count.
    DrawPeaksPos(10, 26, 4, 6, 8);
    const TColor oczekiwane[10] = {KolorCzarny,     KolorFali::Green, KolorFali::Green, KolorFali::Green,
                                   KolorFali::Teal, KolorFali::Teal,  KolorFali::Aqua,  KolorFali::Aqua,
                                   KolorFali::Red,  KolorFali::Red};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(piksel(x, y0), oczekiwane[x]) << "x " << x;
    EXPECT_EQ(piksel(6, 0), KolorFali::Aqua);  // the position line, full height
    EXPECT_EQ(piksel(5, 0), KolorCzarny);
    // Past the end mark: maroon behind, the line red; end mark 0 is the width.
    DrawPeaksPos(10, 26, 0, 9, 8);
    EXPECT_EQ(piksel(8, y0), KolorFali::Maroon);
    EXPECT_EQ(piksel(9, 0), KolorFali::Red);
    DrawPeaksPos(10, 26, 0, 3, 0);
    EXPECT_EQ(piksel(2, y0), KolorFali::Teal);
    EXPECT_EQ(piksel(5, y0), KolorFali::Aqua);

    // No level bytes: black, and aqua from the position on.
    for (const QByteArray& krotki : {QByteArray(127, '\x40'), QByteArray(128, '\x40')}) {
        LoadPeaks(zapisz(QStringLiteral("k.OBW"), krotki));
        EXPECT_EQ(Peak.Count, 0);
        DrawPeaksPos(10, 8, 0, 4, 0);
        EXPECT_EQ(piksel(3, 4), KolorCzarny);
        EXPECT_EQ(piksel(4, 0), KolorFali::Aqua);
        DrawPeaks(10, 8);
        EXPECT_EQ(piksel(4, 4), KolorCzarny);
    }
    LoadPeaks(dir.file(QStringLiteral("brak.OBW")));
    EXPECT_EQ(Peak.Count, 0);
    DrawPeaks(0, 0);
    EXPECT_TRUE(Peak.Bitmap.isNull() || Peak.Bitmap.width() == 0);
}

}  // namespace
