// Damaged WAV and MPEG files and descriptions fed to the header readers and
// to the decoder the players read from: nothing may crash or hang, an item's
// markers always lie where the players expect them, and the decoder gives
// whole frames or refuses the file with its own error.
#include <gtest/gtest.h>

#include <QFile>

#include <iostream>

#include <lame/lame.h>

#include <vector>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "audio/cbAudioFileRead.h"
#include "common/Fuzz.h"
#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestDysk2.h"
#include "platform/Paths.h"

namespace {

QByteArray bajty(std::initializer_list<int> b) {
    QByteArray out;
    for (int v : b) out.append(char(v));
    return out;
}

// An MP3 of `ms` milliseconds of a tone, behind an ID3v2 tag.
QByteArray mp3(int ms) {
    const QByteArray pcm = fixtures::tone16(44100, 2, 440, ms);
    lame_t gf = lame_init();
    lame_set_in_samplerate(gf, 44100);
    lame_set_num_channels(gf, 2);
    lame_set_brate(gf, 128);
    lame_init_params(gf);
    QByteArray out(pcm.size() + 8192, '\0');
    auto* dane = reinterpret_cast<unsigned char*>(out.data());
    const int n = lame_encode_buffer_interleaved(gf, reinterpret_cast<short*>(const_cast<char*>(pcm.constData())),
                                                 int(pcm.size() / 4), dane, int(out.size()));
    const int m = lame_encode_flush(gf, dane + std::max(n, 0), int(out.size()) - std::max(n, 0));
    lame_close(gf);
    out.truncate(std::max(n, 0) + std::max(m, 0));
    return bajty({'I', 'D', '3', 4, 0, 0, 0, 0, 0, 10}) + QByteArray(10, '\0') + out;
}

// The bounds the marker corrections give every opened item.
void sprawdzZnaczniki(const SygnalType& s) {
    ASSERT_GE(s.Tot, 0);
    EXPECT_TRUE(s.NwP >= 0 && s.NwP <= s.Tot) << s.NwP << " of " << s.Tot;
    EXPECT_TRUE(s.Int >= 0 && s.Int <= s.Tot) << s.Int;
    EXPECT_TRUE(s.FIn >= s.NwP && s.FIn <= s.Tot) << s.FIn;
    EXPECT_TRUE((s.NwK > s.NwP && s.NwK <= s.Tot) || s.NwK == s.Tot) << s.NwK;
    EXPECT_TRUE((s.FOu >= s.FIn && s.FOu <= s.NwK) || s.FOu == s.NwK) << s.FOu;
    EXPECT_TRUE((s.Out >= 1 && s.Out <= s.Tot) || s.Out == s.Tot) << s.Out;
    EXPECT_LE(s.Tytul.size(), SzerokoscTytuluSygnalu);
}

class FuzzAudioTest : public ::testing::Test {
protected:
    TempProgramFolder dir;
    DialogiSkrypt dialogi;

    SygnalType otworz(const QString& sciezka) {
        SygnalType s;
        PustySygnal(s);
        s.Adres = sciezka;
        OtworzSygnal(s, true);
        return s;
    }
    // A description with markers beside the file, so the corrections have
    // something to correct.
    void opis(const QString& audio) {
        SygnalType s;
        PustySygnal(s);
        s.Adres = audio;
        s.Tot = 200'000;
        s.NwP = 1500;
        s.NwK = 190'000;
        s.Out = 5000;
        s.Mix = 7000;
        OpisNagraniaTyp o;
        NowyOpis(o);
        ZapiszDAT(s, o);
    }

    void czytajNaglowek(const QString& sciezka) {
        dialogi.Wyczysc();
        sprawdzZnaczniki(otworz(sciezka));
        EXPECT_GE(CzasTrwaniaPliku(sciezka), 0);
        SprawdzOdtwarzalny(sciezka);
        OpisFormatu(sciezka);
    }
};

TEST_F(FuzzAudioTest, DamagedWavHeaders) {
    const QByteArray pcm = fixtures::tone16(8000, 2, 440, 40);
    QByteArray mpegWWav = fixtures::wavFile(48000, 1, 16, bajty({0xFF, 0xFD, 0xC4, 0xC0}) + QByteArray(2000, '\0'));
    mpegWWav[20] = 0x50;
    const std::vector<QByteArray> seeds{
        fixtures::wavFile(8000, 2, 16, pcm),
        fixtures::wavFile(8000, 1, 8, pcm.left(320), {{"LIST", QByteArray(30, 'x')}}, {{"bext", QByteArray(12, 'b')}}),
        mpegWWav,
    };
    const QString plik = dir.file(QStringLiteral("X.WAV"));
    opis(plik);
    fuzz::run("WAV", plik, seeds, [&] { czytajNaglowek(plik); }, 1200);
}

TEST_F(FuzzAudioTest, DamagedMpegHeaders) {
    QByteArray mp2 = bajty({0xFF, 0xFD, 0xC4, 0xC0}) + QByteArray(3000, '\0');
    const std::vector<QByteArray> seeds{
        mp3(150),
        bajty({'I', 'D', '3', 4, 0, 0, 0, 0, 2, 1}) + QByteArray(257, '\0') + bajty({0xFF, 0xF3, 0x80, 0xC4}) +
            QByteArray(500, '\0'),
        mp2,
    };
    const QString plik = dir.file(QStringLiteral("X.MP3"));
    const QString dwa = dir.file(QStringLiteral("X.MP2"));
    opis(plik);
    fuzz::run("MPEG", plik, seeds, [&] {
        czytajNaglowek(plik);
        // The same bytes as an .MP2, which reads its description always.
        QFile::remove(dwa);
        QFile::copy(plik, dwa);
        czytajNaglowek(dwa);
    }, 500);
}

TEST_F(FuzzAudioTest, DamagedDescriptions) {
    const QString audio = dir.file(QStringLiteral("Y.WAV"));
    dir.write(QStringLiteral("Y.WAV"), fixtures::wavFile(8000, 2, 16, fixtures::tone16(8000, 2, 440, 40)));
    SygnalType s;
    PustySygnal(s);
    s.Adres = audio;
    s.Tot = 40;
    s.Int = 10;
    s.Out = 35;
    s.Mix = 5000;
    s.NwP = 5;
    s.NwK = 38;
    s.FIn = 7;
    s.FOu = 30;
    OpisNagraniaTyp o;
    int n = 0;
    const PoleOpisu* pola = PolaOpisu(n);
    // Every field full to its width, with Polish letters.
    for (int i = 0; i < n; ++i)
        o.*pola[i].Pole = QString(pola[i].Szerokosc, QChar(i % 2 ? u'ł' : u'a'));
    o.Zak = QStringLiteral("F");
    ZapiszDAT(s, o);
    const QString plik = ZbiorOpisu(audio);
    const std::vector<QByteArray> seeds{dir.read(QStringLiteral("Y.DAT"))};

    fuzz::run("DAT", platform::resolvePath(plik), seeds, [&] {
        OpisNagraniaTyp d;
        KasujOpis(d);
        SygnalType t;
        PustySygnal(t);
        t.Adres = audio;
        CzytajDAT(t, d);
        for (int i = 0; i < n; ++i)
            ASSERT_LE((d.*pola[i].Pole).size(), pola[i].Szerokosc) << pola[i].Klucz;
        sprawdzZnaczniki(otworz(audio));
    }, 1500);
}

// The decoder the players read from: a file it cannot take raises its own
// error; one it takes gives whole frames and comes to an end.
TEST_F(FuzzAudioTest, DamagedFilesForTheDecoder) {
    const std::vector<QByteArray> seeds{
        fixtures::wavFile(8000, 2, 16, fixtures::tone16(8000, 2, 440, 60)),
        fixtures::wavFile(11025, 1, 8, fixtures::tone8(11025, 1, 440, 60)),
        mp3(120),
    };
    const QString wav = dir.file(QStringLiteral("Z.WAV"));
    const QString mp = dir.file(QStringLiteral("Z.MP3"));
    std::vector<char> bufor(16384);
    int n = 0;
    fuzz::run("Decoder", wav, seeds, [&] {
        // The MP3 seed is read under its own extension.
        const QString plik = n++ % 3 == 2 ? mp : wav;
        if (plik == mp) {
            QFile::remove(mp);
            QFile::copy(wav, mp);
        }
        try {
            TcbAudioFileReader r(plik);
            const int wyrownanie = r.Format().nBlockAlign;
            ASSERT_GT(wyrownanie, 0);
            ASSERT_GE(r.Duration(), 0);
            int czytan = 0;
            for (int k; czytan < 200 && (k = r.Read(bufor.data(), int(bufor.size()))) > 0; ++czytan) {
                ASSERT_LE(k, int(bufor.size()));
                ASSERT_EQ(k % wyrownanie, 0);
            }
            r.Seek(r.Duration() / 2);
            r.SetEndPos(TcbAudioFileReader::kMinEnd);
            r.Read(bufor.data(), int(bufor.size()));
        } catch (const EAudioReadError&) {
            // refused with the reader's own error: what the players expect
        }
    }, 2000);
}

}  // namespace
