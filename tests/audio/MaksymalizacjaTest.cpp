// Normalisation of generated WAVs through the scripted dialogs: what the
// operator is told, and the bytes of the file afterwards.
#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

#include <vector>

#include "audio/Maksymalizacja.h"
#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "foundation/DialogiSkrypt.h"

namespace {

using Probki = std::vector<qint16>;

QByteArray pcm(const Probki& p) {
    QByteArray b(qsizetype(p.size() * 2), '\0');
    for (size_t i = 0; i < p.size(); ++i) qToLittleEndian(p[i], b.data() + 2 * i);
    return b;
}

Probki probki(const QByteArray& b, qsizetype od = 44) {
    Probki p;
    for (qsizetype i = od; i + 1 < b.size(); i += 2) p.push_back(qFromLittleEndian<qint16>(b.constData() + i));
    return p;
}

// `n` words repeating 1, -2, 3 ... up to a peak of 16 383 in the first word.
Probki rampa(qint64 n) {
    Probki p(static_cast<size_t>(n), 0);
    for (qint64 i = 0; i < n; ++i) p[size_t(i)] = qint16((i % 2 ? -1 : 1) * (i % 1000 + 1));
    p[0] = 16383;
    return p;
}
Probki razy2(Probki p) {
    for (auto& v : p) v = qint16(v * 2);
    return p;
}

class Maksymalizacja : public ::testing::Test {
protected:
    TempProgramFolder dir;
    DialogiSkrypt dialogi;
    OpcjeMaksymalizacji opcje;

    QString zapisz(const QString& nazwa, const QByteArray& b) {
        dir.write(nazwa, b);
        return dir.file(nazwa);
    }
    QString wav(const QString& nazwa, const Probki& p, int kanaly = 1) {
        return zapisz(nazwa, fixtures::wavFile(44100, kanaly, 16, pcm(p)));
    }
    QByteArray czytaj(const QString& sciezka) {
        QFile f(sciezka);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    SygnalType otworz(const QString& sciezka) {
        SygnalType s;
        PustySygnal(s);
        s.Adres = sciezka;
        OtworzSygnal(s, false);
        return s;
    }
    QStringList teksty(RodzajDialogu r) {
        QStringList t;
        for (const auto& z : dialogi.Zapisy(r)) t << z.teksty;
        return t;
    }
};

TEST_F(Maksymalizacja, MeasuresThenAmplifiesOrTellsWhy) {
    const QString pelny = QStringLiteral("Nagranie jest w pełni wysterowane");
    const QString cisza = QStringLiteral("Nie ma nagrania - cisza");
    const QString przester = QStringLiteral("Nagranie jest przesterowane !");
    struct P {
        const char* nazwa;
        int kanaly;
        Probki przed;
        QString info;  // empty: amplified without a word
        Probki po;     // expected when amplified
    };
    const P przypadki[] = {
        {"peak 16383: gain 2", 1, {0, 16383, -100, 3, -16383, 7}, {}, {0, 32766, -200, 6, -32766, 14}},
        {"halves to even at gain 1.5", 1, {21844, 1, 3, -1, 5, -3, 0}, {}, {32766, 2, 4, -2, 8, -4, 0}},
        {"the minimum is the peak", 1, {10000, -20000, 5}, {}, {16383, -32766, 8}},
        {"stereo, peak on the right", 2, {10, 16383, -1000, -5}, {}, {20, 32766, -2000, -10}},
        {"32766 is full", 1, {32766, -5, 100}, pelny, {}},
        {"lone full-scale samples", 1, {32767, 0, 32767, -32768, 0, -32768}, pelny, {}},
        {"silence", 2, {0, 0, 0, 0}, cisza, {}},
        {"no data", 1, {}, cisza, {}},
        {"three clipped in a row", 1, {0, 32767, 32767, 32767, 0}, przester, {}},
        {"three clipped in one channel", 2, {-32768, 0, -32768, 5, -32768, 0}, przester, {}},
        {"clipped across channels is no run", 2, {32767, 32767, 0, 32767, 0, 0}, pelny, {}},
    };
    for (const P& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        dialogi.Wyczysc();
        const QString plik = wav(QStringLiteral("a.wav"), p.przed, p.kanaly);
        const QByteArray przed = czytaj(plik);
        MaksymalizujPlik(plik, opcje);
        EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Blad).isEmpty());
        if (p.info.isEmpty()) {
            EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Info).isEmpty());
            EXPECT_EQ(probki(czytaj(plik)), p.po);
            EXPECT_EQ(czytaj(plik).left(44), przed.left(44));
            // Both passes showed their progress with the abort button.
            EXPECT_EQ(teksty(RodzajDialogu::Stan),
                      QStringList({QStringLiteral("Szukanie maksymalnego poziomu nagrania"),
                                   QStringLiteral("Wzmacnianie nagrania")}));
            EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Stan).front().liczba, 11);
        } else {
            EXPECT_EQ(teksty(RodzajDialogu::Info), QStringList({p.info, QString()}));
            EXPECT_EQ(czytaj(plik), przed);
        }
        EXPECT_FALSE(dialogi.StanWidoczny());
    }

    // Normalised once, the recording is full the second time.
    const QString plik = wav(QStringLiteral("b.wav"), rampa(100000));
    MaksymalizujPlik(plik, opcje);
    EXPECT_EQ(probki(czytaj(plik)), razy2(rampa(100000)));
    dialogi.Wyczysc();
    MaksymalizujPlik(plik, opcje);
    EXPECT_EQ(teksty(RodzajDialogu::Info), QStringList({pelny, QString()}));
    // 12 whole blocks of 8 192 words; the gauge reached 100 %.
    EXPECT_EQ(dialogi.Procenty1().back(), 100);
}

TEST_F(Maksymalizacja, OnlyTheDataWordsAreTouched) {
    // A LIST chunk after the data, and data of an odd length whose last byte
    // (and the pad byte) must stay as they are.
    const QByteArray lista("INFOISFT\x06\0\0\0Tolva\0", 18);
    QByteArray dane = pcm({16383, -3, 100});
    dane.append('\x7F');
    const QString plik = zapisz(QStringLiteral("l.wav"), fixtures::wavFile(44100, 1, 16, dane, {}, {{"LIST", lista}}));
    QByteArray oczekiwane = czytaj(plik);
    oczekiwane.replace(44, 6, pcm({32766, -6, 200}));
    MaksymalizujPlik(plik, opcje);
    EXPECT_EQ(czytaj(plik), oczekiwane);
}

TEST_F(Maksymalizacja, GatesLeaveTheFileAlone) {
    // A drive past the last local one, unless network drives are allowed.
    dir.drive(QLatin1Char('h'));
    const QString naH = QStringLiteral("H:\\V.WAV");
    wav(QStringLiteral("drives/h/V.WAV"), {16383, 1});
    const QByteArray przed = czytaj(dir.file(QStringLiteral("drives/h/V.WAV")));
    opcje.DyskOstatni = QStringLiteral("D");
    MaksymalizujPlik(naH, opcje);
    EXPECT_EQ(teksty(RodzajDialogu::Blad), QStringList({QStringLiteral("Maksymalizowanie nagrań tylko z dysku lokalnego"),
                                                        QStringLiteral(" (do D:)")}));
    EXPECT_EQ(czytaj(dir.file(QStringLiteral("drives/h/V.WAV"))), przed);
    opcje.CzyGranieSiec = true;
    MaksymalizujPlik(naH, opcje);
    EXPECT_EQ(probki(czytaj(dir.file(QStringLiteral("drives/h/V.WAV")))), Probki({32766, 2}));
    // A path without a drive letter is local.
    opcje.CzyGranieSiec = false;
    const QString lokalny = wav(QStringLiteral("x.wav"), {16383, 1});
    MaksymalizujPlik(lokalny, opcje);
    EXPECT_EQ(probki(czytaj(lokalny)), Probki({32766, 2}));

    // Read-only: measured and reported, not changed.
    dialogi.Wyczysc();
    const QString ro = wav(QStringLiteral("ro.wav"), {16383, -1});
    const QByteArray roPrzed = czytaj(ro);
    QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    MaksymalizujPlik(ro, opcje);
    EXPECT_EQ(teksty(RodzajDialogu::Info), QStringList({QStringLiteral("Maksymalny poziom nagrania:  -6.0 dB"),
                                                        QStringLiteral("Nie można wzmocnić - zbiór tylko do odczytu.")}));
    EXPECT_EQ(czytaj(ro), roPrzed);

    // Not 16-bit PCM: the playable check refuses, nothing is measured.
    QByteArray mpeg = fixtures::wavFile(44100, 2, 16, QByteArray(4000, '\0'));
    mpeg[20] = 0x50;
    mpeg.replace(44, 4, QByteArray("\xFF\xFB\x90\x44", 4));
    QByteArray ulamki = fixtures::wavFile(44100, 1, 8, QByteArray(400, '\x40'));
    const QString pliki[] = {zapisz(QStringLiteral("8.wav"), ulamki), zapisz(QStringLiteral("m.wav"), mpeg),
                             zapisz(QStringLiteral("c.mp3"), QByteArray(4000, '\x11'))};
    for (const QString& plik : pliki) {
        SCOPED_TRACE(plik.toStdString());
        dialogi.Wyczysc();
        const QByteArray b = czytaj(plik);
        MaksymalizujPlik(plik, opcje);
        EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 1);
        EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Stan).isEmpty());
        EXPECT_EQ(czytaj(plik), b);
    }
}

TEST_F(Maksymalizacja, AbortsAndReadErrors) {
    // 10 whole blocks of 8 192 words and a remainder.
    const Probki przed = rampa(10 * 8192 + 100);
    const QString plik = wav(QStringLiteral("a.wav"), przed);
    const QByteArray bajty = czytaj(plik);

    // Abort during the search: nothing changes and nothing is said.
    dialogi.PrzerwijPrzy(50);
    MaksymalizujPlik(plik, opcje);
    EXPECT_EQ(czytaj(plik), bajty);
    EXPECT_EQ(dialogi.Zapisy().size(), 1);
    EXPECT_EQ(dialogi.Procenty1().back(), 50);

    // Abort during the gain: "Nie" goes on to the end.
    const SygnalType s = otworz(plik);
    bool przerwane = false;
    dialogi.Wyczysc();
    dialogi.PrzerwijPrzy(50);
    dialogi.Odpowiedz(OdpowiedzNie);
    Wzmocnij(s, s.Start, s.Koniec, przerwane, 2.0f);
    EXPECT_FALSE(przerwane);
    EXPECT_EQ(probki(czytaj(plik)), razy2(przed));
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).size(), 1);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja)[0].teksty,
              QStringList({QStringLiteral("Przerwanie spowoduje, że część nagrania będzie głośniejsza !"),
                           QStringLiteral("Czy na pewno przerwać wzmacnianie ?")}));

    // "Tak" stops: the first five blocks are louder, the rest as they were.
    fixtures::writeFile(plik, bajty);
    dialogi.Wyczysc();
    dialogi.PrzerwijPrzy(50);
    dialogi.Odpowiedz(OdpowiedzTak);
    Wzmocnij(s, s.Start, s.Koniec, przerwane, 2.0f);
    EXPECT_TRUE(przerwane);
    Probki polowa = razy2(przed);
    std::copy(przed.begin() + 5 * 8192, przed.end(), polowa.begin() + 5 * 8192);
    EXPECT_EQ(probki(czytaj(plik)), polowa);
    EXPECT_TRUE(dialogi.Bledy().isEmpty());

    // Samples are held to 16 bits whatever the gain.
    const QString glosny = wav(QStringLiteral("g.wav"), {10000, -10000, 8191, -8192});
    dialogi.Wyczysc();
    Wzmocnij(otworz(glosny), 0, 1 << 30, przerwane, 4.0f);
    EXPECT_EQ(probki(czytaj(glosny)), Probki({32767, -32768, 32764, -32768}));

    // The file shrinks under an item read before: the search stops halfway
    // with the read error and no peak; amplifying stops there as well.
    const Probki duzy = rampa(3 * 512 * 1024);
    const QString skracany = wav(QStringLiteral("s.wav"), duzy);
    const SygnalType stary = otworz(skracany);
    QFile::resize(skracany, 44 + 3 * 512 * 1024);
    for (int wzmacniaj = 0; wzmacniaj < 2; ++wzmacniaj) {
        dialogi.Wyczysc();
        qint32 maks = 0, min = 0;
        if (wzmacniaj)
            Wzmocnij(stary, stary.Start, stary.Koniec, przerwane, 2.0f);
        else
            SzukajMaksimum(stary, stary.Start, stary.Koniec, przerwane, maks, min);
        EXPECT_TRUE(przerwane);
        EXPECT_EQ(teksty(RodzajDialogu::Blad),
                  QStringList({QStringLiteral("Błąd w odczycie dysku"), QStringLiteral(" (") + skracany + ")"}));
        EXPECT_FALSE(dialogi.StanWidoczny());
    }
    // What was read before the error was amplified and written back.
    const Probki teraz = probki(czytaj(skracany));
    EXPECT_EQ(Probki(teraz.begin(), teraz.begin() + 512 * 1024), razy2(Probki(duzy.begin(), duzy.begin() + 512 * 1024)));
    EXPECT_EQ(Probki(teraz.begin() + 512 * 1024, teraz.end()), Probki(duzy.begin() + 512 * 1024, duzy.begin() + 3 * 256 * 1024));
}

}  // namespace
