#include "audio/Obwiednia.h"

#include "audio/OpisNagrania.h"
#include "audio/PlikPCM.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Bytes read at once: about a megabyte of whole blocks.
constexpr qint64 kOdczyt = 1 << 20;
// No 16-bit recording has a hundredth of a second this large (768 kHz with
// 64 channels is under 1 MiB); a header that says so is corrupt.
constexpr qint64 kNajwiekszyBlok = 1 << 20;

// max |sample| / 256 to the nearest, halves to even.
char poziom(qint16 min, qint16 maks) {
    const int m = std::max(int(maks), -int(min));
    int q = m >> 8;
    const int r = m & 255;
    if (r > 128 || (r == 128 && (q & 1))) ++q;
    return char(q);
}

QByteArray naglowek(qint32 liczba, qint32 probkowanie, qint32 kanaly, qint64 dane) {
    QByteArray h(RozmiarNaglowkaObwiedni, '\0');
    char* p = h.data();
    auto pisz = [p](int pos, qint32 v) { qToLittleEndian(v, p + pos); };
    std::copy_n("levl", 4, p);
    pisz(4, liczba);
    pisz(12, 1);
    pisz(16, 1);
    pisz(20, probkowanie / 100);
    pisz(24, 1);
    // Length in seconds over the frames per level byte, plus one; read by
    // nothing, written as the files of other stations have it.
    const double sekundy = double(dane) / (double(probkowanie) * 2 * kanaly);
    pisz(28, qint32(std::nearbyint(sekundy / (probkowanie / 100))) + 1);
    pisz(32, -1);
    pisz(36, RozmiarNaglowkaObwiedni);
    return h;
}

void pominieta(const QString& sciezka, const QString& powod) {
    Log(QStringLiteral("Obwiednia nie utworzona: ") + sciezka + QStringLiteral(" (") + powod + QLatin1Char(')'));
}

void buduj(const QString& sciezka, const QString& nazwa) {
    if (!platform::fileExists(sciezka)) return;
    SygnalType s;
    PustySygnal(s);
    s.Adres = sciezka;
    OpisNagraniaTyp opis;
    if (OtworzSygnal(s, false, opis) != 0) return pominieta(sciezka, QStringLiteral("błędny nagłówek"));
    if (s.Rodzaj != RodzajWAV || s.Format != 1 || s.Bity != 16)
        return pominieta(sciezka, QStringLiteral("nie jest 16-bitowym PCM"));
    // Where the samples are: a bext or LIST chunk before them is no audio.
    qint64 start = 0;
    const qint64 dane = ZnajdzChunk(sciezka, QByteArrayLiteral("data"), start);
    if (BladIO != 0 || start == 0) return pominieta(sciezka, QStringLiteral("brak danych"));
    // A hundredth of a second in whole frames (441 at 44.1 kHz, 110 at 11 025 Hz).
    const qint64 ramka = 2 * qint64(s.Kanaly);
    const qint64 blok = qint64(s.Probkowanie / 100) * ramka;
    if (blok <= 0 || blok > kNajwiekszyBlok) return pominieta(sciezka, QStringLiteral("błędny nagłówek"));
    const qint64 bloki = dane / blok;

    PlikPCM f;
    if (const int kod = f.Otworz(sciezka, false)) return pominieta(sciezka, TekstBleduIO(kod));
    QByteArray obwiednia =
        naglowek(qint32(std::min<qint64>(bloki, 0x7FFFFFFF)), s.Probkowanie, s.Kanaly, dane);
    obwiednia.resize(RozmiarNaglowkaObwiedni + bloki);
    char* poziomy = obwiednia.data() + RozmiarNaglowkaObwiedni;

    PokazStan(QStringLiteral("Tworzenie obwiedni zbioru ") + nazwa + QStringLiteral(".WAV"), QString(), true);
    PostepPracy postep(bloki);
    const qint64 naOdczyt = std::max<qint64>(1, kOdczyt / blok);
    std::vector<qint16> bufor(size_t(std::min(naOdczyt, bloki) * blok / 2));
    for (qint64 b = 0; b < bloki;) {
        const qint64 n = std::min(naOdczyt, bloki - b);
        if (const int kod = f.Czytaj(start + b * blok, bufor.data(), n * blok)) {
            // The old envelope stays rather than one cut short.
            ZamknijStan();
            return pominieta(sciezka, TekstBleduIO(kod));
        }
        PrzestawSlowa(bufor.data(), n * blok / 2);
        for (qint64 i = 0; i < n; ++i, ++b) {
            qint16 min = 0, maks = 0;
            ZakresProbek(bufor.data() + i * blok / 2, blok / 2, min, maks);
            poziomy[b] = poziom(min, maks);
            postep.Krok(b + 1);
        }
    }
    ZamknijStan();

    QString blad;
    if (!platform::writeWholeFile(platform::resolvePath(ZbiorObwiedni(sciezka)), obwiednia, &blad))
        return pominieta(sciezka, blad);
}

}  // namespace

QString ZbiorObwiedni(const QString& adresAudio) { return ZmienRozszerzenie(adresAudio, QStringLiteral(".OBW")); }

void TworzObwiednie(const QString& sciezka) { buduj(sciezka, NazwaSciezki(sciezka)); }

void TworzObwiednieSygnalu(const SygnalType& s) {
    buduj(s.Adres, s.Nazwa.isEmpty() ? NazwaSciezki(s.Adres) : s.Nazwa);
}
