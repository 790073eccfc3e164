// Audio items read from WAV and MPEG headers, marker corrections, the
// playable check and the WAV header rewrite.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <lame/lame.h>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "audio/cbAudioFileRead.h"
#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestDysk2.h"
#include "platform/AudioFixtures.h"
#include "platform/Cp1250.h"

namespace {

QByteArray bajty(std::initializer_list<int> b) {
    QByteArray out;
    for (int v : b) out.append(char(v));
    return out;
}

// An MPEG file: frames of silence from `przy` on (the header, then zeros)
// up to `rozmiar`, after `poczatek`.
QByteArray plikMPEG(qint64 rozmiar, const QByteArray& naglowek, qint64 przy = 0,
                    const QByteArray& poczatek = {}) {
    QByteArray b(rozmiar, '\0');
    b.replace(0, poczatek.size(), poczatek);
    const int ramka = DlugoscRamkiMPEG(reinterpret_cast<const unsigned char*>(naglowek.constData()));
    for (qint64 p = przy; ramka > 0 && p + 4 <= rozmiar; p += ramka) b.replace(p, naglowek.size(), naglowek);
    return b;
}

QByteArray id3(int b6, int b7, int b8, int b9) { return bajty({'I', 'D', '3', 4, 0, 0, b6, b7, b8, b9}); }

const QByteArray kMp3_128 = bajty({0xFF, 0xFB, 0x90, 0x44});  // MPEG-1 L3 128k 44.1k joint stereo
const QByteArray kMp3_192 = bajty({0xFF, 0xFB, 0xB0, 0x44});  // MPEG-1 L3 192k
const QByteArray kMp3_32 = bajty({0xFF, 0xFB, 0x10, 0x44});   // MPEG-1 L3 32k
const QByteArray kMp2_256m = bajty({0xFF, 0xFD, 0xC4, 0xC0}); // MPEG-1 L2 256k 48k mono

class AudioTest : public ::testing::Test {
protected:
    TempProgramFolder dir;
    DialogiSkrypt dialogi;

    QString zapisz(const QString& nazwa, const QByteArray& b) {
        dir.write(nazwa, b);
        return dir.file(nazwa);
    }
    SygnalType otworz(const QString& sciezka, bool zOpisem = true) {
        SygnalType s;
        PustySygnal(s);
        s.Adres = sciezka;
        OtworzSygnal(s, zOpisem);
        return s;
    }
};

TEST_F(AudioTest, PcmWavHeaders) {
    auto s = otworz(zapisz("a.wav", fixtures::wavFile(44100, 2, 16, QByteArray(441000, '\1'))));
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(s.Rodzaj, 12);
    EXPECT_EQ(s.Start, 22);
    EXPECT_EQ(s.Dlugosc, 220500);
    EXPECT_EQ(s.Koniec, 220522);
    EXPECT_EQ(s.Pozycja, 22);
    EXPECT_EQ(s.Tot, 2500);
    EXPECT_EQ(s.Przeplywnosc, 1411);
    EXPECT_EQ(s.Tytul, QStringLiteral("Nie ma opisu"));

    s = otworz(zapisz("m8.wav", fixtures::wavFile(22050, 1, 8, QByteArray(22050, '\x80'))));
    EXPECT_EQ(s.Bity, 8);
    EXPECT_EQ(s.Kanaly, 1);
    EXPECT_EQ(s.Tot, 1000);
    EXPECT_EQ(s.Przeplywnosc, 176);

    // An odd-sized chunk before "data" is padded; the data starts after it.
    s = otworz(zapisz("c.wav", fixtures::wavFile(48000, 2, 16, QByteArray(192000, '\0'),
                                                   {{"LIST", QByteArray(33, 'x')}, {"fact", QByteArray(4, '\0')}},
                                                   {{"LIST", QByteArray(10, 'y')}})));
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(s.Start, (12 + 24 + 8 + 34 + 8 + 4 + 8) / 2);
    EXPECT_EQ(s.Tot, 1000);

    qint64 pos = -1;
    EXPECT_EQ(ZnajdzChunk(dir.file("c.wav"), "fact", pos), 4);
    EXPECT_EQ(pos, 12 + 24 + 8 + 34 + 8);
    EXPECT_EQ(ZnajdzChunk(dir.file("c.wav"), "bext", pos), 0);
    EXPECT_EQ(pos, 0);

    // A few bytes after the last chunk, too few for a chunk header, end the
    // list without an error.
    const QString ogon = zapisz("ogon.wav", fixtures::wavFile(44100, 2, 16, QByteArray(4000, '\0')) + "\1\2\3");
    EXPECT_EQ(ZnajdzChunk(ogon, "bext", pos), 0);
    EXPECT_EQ(BladIO, 0);
    s = otworz(ogon);
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(s.Dlugosc, 2000);
}

TEST_F(AudioTest, MpegHeaders) {
    auto s = otworz(zapisz("a.mp3", plikMPEG(1600000, kMp3_128)));
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(s.Rodzaj, 31);
    EXPECT_EQ(s.Przeplywnosc, 128);
    EXPECT_EQ(s.Probkowanie, 44100);
    EXPECT_EQ(s.Start, 0);
    EXPECT_EQ(s.Dlugosc, 800000);
    EXPECT_EQ(s.Tot, 100000);
    EXPECT_EQ(s.Tytul, QString());  // an .MP3 without description has no title

    // The ID3 size is synchsafe: 00 00 02 01 is 257 bytes, plus the 10 of the
    // tag's own header. The header there wins over a later one.
    s = otworz(zapisz("t.mp3", plikMPEG(240000, kMp3_192, 267, id3(0, 0, 2, 1) + kMp3_128)));
    EXPECT_EQ(s.Przeplywnosc, 192);
    EXPECT_EQ(s.Tot, 10000);

    // Padding after the tag: the first frame a little further on is found.
    s = otworz(zapisz("p.mp3", plikMPEG(240000, kMp3_192, 1500, id3(0, 0, 2, 1))));
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(s.Przeplywnosc, 192);

    s = otworz(zapisz("a.mp2", plikMPEG(320000, kMp2_256m)));
    EXPECT_EQ(s.Rodzaj, 21);
    EXPECT_EQ(s.Probkowanie, 48000);
    EXPECT_EQ(s.Kanaly, 1);
    EXPECT_EQ(s.Tot, 10000);
    EXPECT_EQ(s.Tytul, QStringLiteral("Nie ma opisu"));

    // MPEG-2 Layer III uses the low-rate tables: index 8 is 64 kbit/s.
    s = otworz(zapisz("lsf.mp3", plikMPEG(80000, bajty({0xFF, 0xF3, 0x80, 0xC4}))));
    EXPECT_EQ(s.Probkowanie, 22050);
    EXPECT_EQ(s.Przeplywnosc, 64);
    EXPECT_EQ(s.Tot, 10000);

    // .S48 never reads a description, even when one lies beside it.
    zapisz("a.dat", "Tyt=Opis\r\n");
    s = otworz(zapisz("a.s48", plikMPEG(320000, kMp2_256m)));
    EXPECT_EQ(s.Rodzaj, 22);
    EXPECT_EQ(s.Tytul, QString());

    // MPEG in a WAV container (format tag 0x50).
    QByteArray wav = fixtures::wavFile(48000, 1, 16, plikMPEG(320000, kMp2_256m));
    wav[20] = 0x50;
    s = otworz(zapisz("mp.wav", wav));
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(s.Rodzaj, 21);
    EXPECT_EQ(s.Format, 0x50);
    EXPECT_EQ(s.Start, 22);
    EXPECT_EQ(s.Tot, 10000);
}

TEST_F(AudioTest, RealMp3FromLame) {
    const QByteArray pcm = fixtures::tone16(44100, 2, 440, 2000);
    lame_t gf = lame_init();
    lame_set_in_samplerate(gf, 44100);
    lame_set_num_channels(gf, 2);
    lame_set_brate(gf, 128);
    ASSERT_GE(lame_init_params(gf), 0);
    QByteArray mp3(200000, '\0');
    const int frames = int(pcm.size() / 4);
    int n = lame_encode_buffer_interleaved(gf, reinterpret_cast<short*>(const_cast<char*>(pcm.constData())),
                                           frames, reinterpret_cast<unsigned char*>(mp3.data()), int(mp3.size()));
    ASSERT_GE(n, 0);
    const int m = lame_encode_flush(gf, reinterpret_cast<unsigned char*>(mp3.data()) + n, int(mp3.size()) - n);
    lame_close(gf);
    mp3.truncate(n + m);

    auto s = otworz(zapisz("lame.mp3", id3(0, 0, 0, 20) + QByteArray(20, '\0') + mp3));
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(s.Przeplywnosc, 128);
    EXPECT_EQ(s.Probkowanie, 44100);
    EXPECT_GE(s.Tot, 2000);
    EXPECT_LE(s.Tot, 2150);
}

TEST_F(AudioTest, MarkerCorrections) {
    // 32 kbit/s, 800 000 bytes: 200 000 ms.
    const QString mp2 = zapisz("m.mp2", plikMPEG(800000, kMp3_32));
    zapisz("m.dat", "Out=00:05.000\r\nNwP=00:10.000\r\nNwK=00:10.000\r\nFIn=00:20.000\r\n"
                    "FOu=59:00.000\r\nMix=7\r\nMik=10:00.000\r\nInt=-00:01.000\r\n");
    auto s = otworz(mp2);
    ASSERT_EQ(s.Tot, 200000);
    EXPECT_EQ(s.Out, 195000);  // below half the length: a distance from the end
    EXPECT_EQ(s.NwP, 10000);
    EXPECT_EQ(s.NwK, 200000);  // not after the new start
    EXPECT_EQ(s.FIn, 20000);
    EXPECT_EQ(s.FOu, 200000);  // beyond the new end
    EXPECT_EQ(s.Int, 0);
    EXPECT_EQ(s.Mix, 7000);    // whole seconds, not corrected
    EXPECT_EQ(s.Mik, 600000);   // past the end, not corrected
    EXPECT_EQ(s.LpP, -1);

    zapisz("m.dat", "Out=02:30.000\r\nFIn=00:01.000\r\nNwP=00:02.000\r\nMix=12\r\n");
    s = otworz(mp2);
    EXPECT_EQ(s.Out, 150000);
    EXPECT_EQ(s.FIn, 2000);  // before the new start
    EXPECT_EQ(s.Mix, 12000);

    // Nothing set: the whole file.
    QFile::remove(dir.file("m.dat"));
    s = otworz(mp2);
    EXPECT_EQ(s.Int, 0);
    EXPECT_EQ(s.NwP, 0);
    EXPECT_EQ(s.FIn, 0);
    EXPECT_EQ(s.NwK, 200000);
    EXPECT_EQ(s.FOu, 200000);
    EXPECT_EQ(s.Out, 200000);

    // A missing file: length 0 and the end markers with it.
    s = otworz(dir.file("brak.wav"));
    EXPECT_EQ(BladIO, 2);
    EXPECT_EQ(s.Tot, 0);
    EXPECT_EQ(s.Out, 0);
    EXPECT_EQ(s.NwK, 0);
    EXPECT_EQ(s.FOu, 0);
    EXPECT_EQ(CzasTrwaniaPliku(dir.file("brak.wav")), 0);
}

TEST_F(AudioTest, LengthsAndOffsets) {
    SygnalType s;
    PustySygnal(s);
    EXPECT_EQ(s.Nazwa, QStringLiteral("Nie_ma"));
    EXPECT_EQ(DlugoscSygnaluMs(s), 0);
    s.Dlugosc = 220500;
    EXPECT_EQ(MsNaSlowa(1000, s), 88200);
    s.Bity = 0;
    EXPECT_EQ(DlugoscSygnaluMs(s), 0);
    s.Rodzaj = RodzajMP3;
    s.Przeplywnosc = 128;
    EXPECT_EQ(MsNaSlowa(1000, s), 8000);
    s.Przeplywnosc = 0;
    EXPECT_EQ(DlugoscSygnaluMs(s), 0);
    // Lengths far beyond a day clamp instead of overflowing.
    s.Przeplywnosc = 8;
    s.Dlugosc = std::numeric_limits<qint32>::max();
    EXPECT_EQ(DlugoscSygnaluMs(s), std::numeric_limits<qint32>::max());
}

TEST_F(AudioTest, CorruptFilesGiveAnErrorNeverACrash) {
    const QByteArray dobry = fixtures::wavFile(44100, 2, 16, QByteArray(4000, '\0'));
    auto ustaw32 = [](QByteArray b, int pos, quint32 v) {
        qToLittleEndian(v, b.data() + pos);
        return b;
    };
    struct Przypadek {
        const char* nazwa;
        QByteArray bajty;
    };
    const Przypadek zle[] = {
        {"pusty.wav", {}},
        {"riff.wav", "RIFF\1\0"},
        {"bezdanych.wav", dobry.left(36)},
        {"polchunk.wav", dobry.left(40)},
        {"wielkifmt.wav", ustaw32(dobry, 16, 0xFFFFFFFF)},
        {"list.wav", fixtures::wavFile(44100, 2, 16, QByteArray(100, '\0'), {{"LIST", QByteArray(8, 'a')}})
                         .replace(40, 4, bajty({0xF0, 0xFF, 0xFF, 0x7F}))},
        {"zera.wav", QByteArray(44, '\0')},
        {"pusty.mp3", {}},
        {"smieci.mp3", id3(0, 0, 0, 10) + QByteArray(100000, '\x55')},
        {"zadaleko.mp3", id3(0x7F, 0x7F, 0x7F, 0x7F) + QByteArray(1000, '\0') + kMp3_128},
        {"krotki.mp2", "\xFF\xFD"},
        {"pusty.s48", {}},
    };
    for (const Przypadek& p : zle) {
        SCOPED_TRACE(p.nazwa);
        auto s = otworz(zapisz(p.nazwa, p.bajty));
        EXPECT_NE(BladIO, 0);
        EXPECT_EQ(s.Tot, 0);
        EXPECT_FALSE(SprawdzOdtwarzalny(dir.file(p.nazwa)));
    }
    QDir().mkpath(dir.file("katalog.wav"));
    auto s = otworz(dir.file("katalog.wav"));
    EXPECT_NE(BladIO, 0);
    EXPECT_FALSE(SprawdzOdtwarzalny(dir.file("katalog.wav")));
    EXPECT_EQ(CzasTrwaniaPliku(dir.file("katalog.wav")), 0);

    // A data chunk that claims more than the file holds is cut to what is
    // there: a recording cut short still plays.
    s = otworz(zapisz("urwany.wav", ustaw32(dobry, 40, 0xFFFFFFFF)));
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(s.Dlugosc, 2000);

    // Random headers: whatever they hold, opening ends and stays in bounds.
    QRandomGenerator los(4);
    const char* const rozszerzenia[] = {"wav", "mp3", "mp2"};
    for (int i = 0; i < 300; ++i) {
        QByteArray b = i % 2 ? dobry.left(int(los.bounded(200))) : QByteArray(int(los.bounded(300)), '\0');
        for (int k = 0; k < 6 && !b.isEmpty(); ++k) b[int(los.bounded(int(b.size())))] = char(los.bounded(256));
        const QString n = QStringLiteral("los%1.").arg(i) + QLatin1String(rozszerzenia[i % 3]);
        s = otworz(zapisz(n, b), false);
        EXPECT_GE(s.Tot, 0);
        EXPECT_LE(qint64(s.Koniec) * 2, b.size() + 1);
    }
}

TEST_F(AudioTest, PlayableCheckTellsWhy) {
    EXPECT_FALSE(SprawdzOdtwarzalny(dir.file("brak.wav")));
    EXPECT_TRUE(dialogi.Zapisy().isEmpty());

    EXPECT_TRUE(SprawdzOdtwarzalny(zapisz("a.wav", fixtures::wavFile(44100, 2, 16, QByteArray(400, '\0')))));
    EXPECT_TRUE(SprawdzOdtwarzalny(zapisz("a.mp3", plikMPEG(1000, kMp3_128))));
    EXPECT_TRUE(dialogi.Zapisy().isEmpty());

    QByteArray zmienny = fixtures::wavFile(44100, 2, 32, QByteArray(800, '\0'));
    zmienny[20] = 3;
    EXPECT_FALSE(SprawdzOdtwarzalny(zapisz("f.wav", zmienny)));
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 1);
    EXPECT_EQ(dialogi.Zapisy()[0].teksty.value(0), QStringLiteral("Program obsługuje tylko zbiory w formacie PCM"));

    dialogi.Wyczysc();
    EXPECT_FALSE(SprawdzOdtwarzalny(zapisz("b8.wav", fixtures::wavFile(44100, 2, 8, QByteArray(800, '\0')))));
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 1);
    EXPECT_EQ(dialogi.Zapisy()[0].teksty.value(0), QStringLiteral("Program obsługuje tylko zbiory 16 bitowe"));

    dialogi.Wyczysc();
    EXPECT_FALSE(SprawdzOdtwarzalny(zapisz("8.wav", fixtures::wavFile(44100, 8, 16, QByteArray(1600, '\0')))));
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Info).size(), 1);
    EXPECT_EQ(dialogi.Zapisy()[0].teksty.value(0), QStringLiteral("Zbiór 8-śladowy"));

    dialogi.Wyczysc();
    EXPECT_FALSE(SprawdzOdtwarzalny(zapisz("zle.mp3", QByteArray(5000, '\x11'))));
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 1);
    EXPECT_EQ(dialogi.Zapisy()[0].teksty.value(0), QStringLiteral("Nieprawidłowy format zbioru"));

    // One lucky header among random bytes is not an MPEG stream: the next
    // frame must start where the first one ends.
    dialogi.Wyczysc();
    QByteArray jedna(20000, '\x11');
    jedna.replace(100, 4, kMp3_128);
    EXPECT_FALSE(SprawdzOdtwarzalny(zapisz("jedna.mp3", jedna)));
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 1);
    jedna.replace(100 + 417, 4, kMp3_128);  // 128 kbit/s at 44.1 kHz: 417 bytes a frame
    EXPECT_TRUE(SprawdzOdtwarzalny(zapisz("dwie.mp3", jedna)));

    // Rates and channel counts no sound card plays are refused as a broken
    // header, before such an element can hold the air for hours.
    const struct {
        int probkowanie, kanaly;
        bool dobry;
    } formaty[] = {{1, 2, false},     {100, 2, false},   {7999, 1, false}, {8000, 1, true},
                   {192000, 2, true}, {192001, 2, false}, {44100, 0, false}, {44100, 9, false}};
    for (const auto& f : formaty) {
        SCOPED_TRACE(QStringLiteral("%1 Hz, %2 kanałów").arg(f.probkowanie).arg(f.kanaly).toStdString());
        dialogi.Wyczysc();
        const QString n = zapisz(QStringLiteral("f%1_%2.wav").arg(f.probkowanie).arg(f.kanaly),
                                 fixtures::wavFile(f.probkowanie, f.kanaly, 16, QByteArray(1600, '\0')));
        EXPECT_EQ(SprawdzOdtwarzalny(n), f.dobry);
        EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), f.dobry ? 0 : 1);
        if (!f.dobry) {
            EXPECT_EQ(dialogi.Zapisy()[0].teksty.value(0), QStringLiteral("Nieprawidłowy format zbioru"));
        }
    }
}

// Whatever the playable check lets through must decode to its end (or to
// where it breaks) without a crash.
TEST_F(AudioTest, RandomAndTruncatedMp3sAreRefusedOrPlayAsFarAsTheyDecode) {
    QRandomGenerator los(21);
    const QByteArray dobry = fixtures::mp3Tone(22050, 1, 440, 1000, 32);
    std::vector<char> bufor(16384);
    auto przeczytaj = [&](const QString& n) {
        try {
            TcbAudioFileReader r(n);
            qint64 bajty = 0;
            for (int k; (k = r.Read(bufor.data(), int(bufor.size()))) > 0;) bajty += k;
            return bajty;
        } catch (const EAudioReadError&) {
            return qint64(-1);
        }
    };
    int odrzucone = 0;
    for (int i = 0; i < 300; ++i) {
        QByteArray b(int(los.bounded(1, 16384)), '\0');
        los.fillRange(reinterpret_cast<quint32*>(b.data()), b.size() / 4);
        if (i % 3 == 0) b.prepend(id3(0, 0, 0, int(los.bounded(64))));
        const QString n = zapisz(QStringLiteral("los%1.mp3").arg(i), b);
        if (!SprawdzOdtwarzalny(n)) {
            ++odrzucone;
            continue;
        }
        przeczytaj(n);
    }
    EXPECT_GE(odrzucone, 295) << "random bytes passed the playable check";

    int zagrane = 0;
    for (int i = 0; i < 300; ++i) {
        const QString n = zapisz(QStringLiteral("ciety%1.mp3").arg(i), dobry.left(int(los.bounded(dobry.size()))));
        if (!SprawdzOdtwarzalny(n)) continue;
        const qint64 bajty = przeczytaj(n);
        EXPECT_LE(bajty, 22050 * 2 + 2 * 1152 * 2) << i;
        zagrane += bajty > 0;
    }
    EXPECT_GT(zagrane, 250);
    dialogi.Wyczysc();
}

TEST_F(AudioTest, LookingAtAFileLeavesTheSharedDescriptionAlone) {
    const QString wav = zapisz("a.wav", fixtures::wavFile(44100, 2, 16, QByteArray(441000, '\0')));
    zapisz("a.dat", platform::toCp1250(QStringLiteral("Tyt=Inny\r\nWyk=Ktoś\r\n")));
    KasujOpis(OpisNagrania);
    OpisNagrania.Tyt = QStringLiteral("W edycji");
    EXPECT_EQ(CzasTrwaniaPliku(wav), 2500);
    EXPECT_TRUE(SprawdzOdtwarzalny(wav));
    EXPECT_EQ(WykonawcaITytulPliku(wav), QStringLiteral("Ktoś - Inny"));
    EXPECT_EQ(TytulPliku(wav), QStringLiteral("Inny"));
    const OpisFormatuTyp f = OpisFormatu(wav);
    EXPECT_EQ(f.Probkowanie, QStringLiteral("44100 Hz"));
    EXPECT_EQ(f.Kanaly, QStringLiteral("stereo"));
    EXPECT_EQ(f.Przeplywnosc, QStringLiteral("1411 kb/s"));
    EXPECT_EQ(f.Czas, QStringLiteral("0m02s"));
    EXPECT_EQ(OpisNagrania.Tyt, QStringLiteral("W edycji"));
    EXPECT_EQ(TytulPliku(dir.file("a.ogg")), QString());

    // The item's own opening does clear and fill it.
    otworz(wav);
    EXPECT_EQ(OpisNagrania.Tyt, QStringLiteral("Inny"));
}

// ---- saving ----

class ZapisTest : public AudioTest {
protected:
    QByteArray czytaj(const QString& sciezka) {
        QFile f(sciezka);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(ZapisTest, RecordingGetsItsHeader) {
    // The recorder: a zeroed header, then the samples, then the real header.
    const QByteArray pcm = fixtures::tone16(44100, 2, 1000, 100);
    SygnalType s;
    PustySygnal(s);
    s.Adres = dir.file("nagranie.wav");
    ZapiszPustyNaglowek(s);
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(czytaj(s.Adres), QByteArray(44, '\0'));
    QFile f(s.Adres);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(pcm);
    f.close();
    s.Dlugosc = int(pcm.size() / 2);
    KasujOpis(OpisNagrania);
    ZapiszSygnal(s);
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(czytaj(s.Adres), fixtures::wavFile(44100, 2, 16, pcm));
    EXPECT_TRUE(QFile::exists(dir.file("nagranie.DAT")));
}

TEST_F(ZapisTest, RewriteNeverDamagesOtherChunks) {
    // A broadcast WAV with bext before the data and LIST after it.
    const QByteArray bwf = fixtures::wavFile(48000, 2, 16, fixtures::tone16(48000, 2, 440, 50),
                                             {{"bext", QByteArray(602, 'b')}}, {{"LIST", QByteArray(21, 'l')}});
    const QString p = zapisz("bwf.wav", bwf);
    auto s = otworz(p);
    ZapiszSygnal(s);
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(czytaj(p), bwf);

    // Sizes that are wrong (as a recorder that never finished leaves them)
    // are put right, and nothing else moves.
    const QByteArray bez = fixtures::wavFile(48000, 2, 16, fixtures::tone16(48000, 2, 440, 50),
                                             {{"bext", QByteArray(602, 'b')}});
    QByteArray zly = bez;
    qToLittleEndian<quint32>(0xFFFFFFF0u, zly.data() + 4);
    qToLittleEndian<quint32>(0xFFFFFFF0u, zly.data() + 12 + 24 + 8 + 602 + 4);
    zapisz("bwf.wav", zly);
    s = otworz(p);
    ZapiszSygnal(s);
    EXPECT_EQ(czytaj(p), bez);
}

TEST_F(ZapisTest, EighteenByteFmtAndEightBitFilesKeepTheirFmt) {
    // fmt with the 2-byte extension size: data lies at 46, not 44.
    QByteArray fmt18 = fixtures::wavFile(44100, 1, 16, QByteArray(1000, '\2'));
    fmt18.insert(36, QByteArray(2, '\0'));
    qToLittleEndian<quint32>(18, fmt18.data() + 16);
    qToLittleEndian<quint32>(quint32(fmt18.size() - 8), fmt18.data() + 4);
    const QString p = zapisz("f18.wav", fmt18);
    auto s = otworz(p);
    EXPECT_EQ(s.Start, 23);
    EXPECT_EQ(s.RozmiarFmt, 18);
    ZapiszSygnal(s);
    EXPECT_EQ(czytaj(p), fmt18);

    const QByteArray osiem = fixtures::wavFile(22050, 1, 8, QByteArray(1000, '\x80'));
    const QString p8 = zapisz("b8.wav", osiem);
    s = otworz(p8);
    ZapiszSygnal(s);
    EXPECT_EQ(czytaj(p8), osiem);

    // Not a WAV at all: left alone, and the caller learns why.
    const QString inny = zapisz("inny.wav", QByteArray(100, 'x'));
    s.Adres = inny;
    ZapiszSygnal(s);
    EXPECT_EQ(BladIO, 215);
    EXPECT_EQ(czytaj(inny), QByteArray(100, 'x'));
}

}  // namespace
