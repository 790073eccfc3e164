#include "audio/Maksymalizacja.h"

#include "audio/OpisNagrania.h"
#include "audio/PlikPCM.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/Text.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

// Words between two progress and abort points.
constexpr qint64 kBlok = 8192;
// Words read or written at once: 1 MiB, whole blocks.
constexpr qint64 kOdczyt = 64 * kBlok;
constexpr qint32 kPelnaSkala = 32766;
constexpr qint32 kMaksimumPoczatkowe = -2147483647;
constexpr qint32 kMinimumPoczatkowe = 2147483647;
// A run this long at full scale in one channel is clipping.
constexpr int kSeriaPrzesterowania = 3;

struct Zakres {
    qint64 od = 0;
    qint64 do_ = 0;
    qint64 Slowa() const { return do_ - od; }
};

Zakres zakres(const SygnalType& s, qint32 od, qint32 do_) {
    Zakres z{std::max(od, s.Start), std::min(do_, s.Koniec)};
    z.do_ = std::max(z.do_, z.od);
    return z;
}

// Largest and smallest sample, and runs of full-scale samples per channel.
// The runs are counted only in blocks that reach full scale at all, so the
// common case stays a plain min/max pass.
class Szczyt {
public:
    Szczyt(int kanaly, qint64 start) : serie_(size_t(std::max(kanaly, 1)), 0), start_(start) {}

    void Dodaj(const qint16* p, qint64 n, qint64 slowo) {
        if (n <= 0) return;
        qint16 min = 0, maks = 0;
        ZakresProbek(p, n, min, maks);
        maksimum = std::max<qint32>(maksimum, maks);
        minimum = std::min<qint32>(minimum, min);
        if (maks < std::numeric_limits<qint16>::max() && min > std::numeric_limits<qint16>::min()) {
            std::fill(serie_.begin(), serie_.end(), 0);
            return;
        }
        const qint64 kanaly = qint64(serie_.size());
        qint64 k = ((slowo - start_) % kanaly + kanaly) % kanaly;
        for (qint64 i = 0; i < n; ++i) {
            const bool pelna = p[i] == std::numeric_limits<qint16>::max() || p[i] == std::numeric_limits<qint16>::min();
            int& seria = serie_[size_t(k)];
            seria = pelna ? seria + 1 : 0;
            if (seria >= kSeriaPrzesterowania) przesterowane = true;
            if (++k == kanaly) k = 0;
        }
    }

    qint32 maksimum = kMaksimumPoczatkowe;
    qint32 minimum = kMinimumPoczatkowe;
    bool przesterowane = false;

private:
    std::vector<int> serie_;
    qint64 start_;
};

// sample x gain in single precision, to the nearest with halves to even
// (what std::nearbyint does in the default mode): adding and taking away
// 1.5 x 2^23 leaves a float of that size no fraction bits, which is exact
// for anything held within 16 bits. Written so that the loop vectorises.
void wzmocnijBlok(qint16* p, qint64 n, float g) {
    constexpr float kZaokraglenie = 12582912.0f;
    for (qint64 i = 0; i < n; ++i) {
        float x = float(p[i]) * g;
        x = std::min(std::max(x, -32768.0f), 32767.0f);
        x = (x + kZaokraglenie) - kZaokraglenie;
        p[i] = qint16(x);
    }
}

QString poziomTekst(double poziom) { return padLeft(QString::number(poziom, 'f', 1), 5); }

bool dyskSieciowy(const QString& sciezka, const OpcjeMaksymalizacji& opcje, QChar& ostatni) {
    const QString litera = opcje.DyskOstatni.trimmed().left(1).toUpper();
    ostatni = litera.isEmpty() ? QLatin1Char('Z') : litera[0];
    if (opcje.CzyGranieSiec || !platform::hasDriveLetter(sciezka)) return false;
    return LiteraDysku(sciezka) > ostatni;
}

void bladIO(int kod, const QString& adres) {
    ZamknijStan();
    PokazBladKod(kod, QString(), adres);
}

// One pass over a range: the file, the progress window with its abort
// button, and a buffer of whole blocks. Each I/O error is shown by code
// and the pass ends.
struct Przebieg {
    bool Otworz(const SygnalType& s, qint32 od, qint32 do_, bool doZapisu, const QString& tytul) {
        adres = s.Adres;
        if (const int kod = plik.Otworz(s.Adres, doZapisu)) return bladIO(kod, adres), false;
        z = zakres(s, od, do_);
        PokazStan(tytul, QStringLiteral("Przerwij"), true);
        postep.emplace(z.Slowa() / kBlok);
        bufor.resize(size_t(std::min(kOdczyt, z.Slowa())));
        return true;
    }
    // Reads the next buffer at `pos`; its words, or -1 after an error.
    qint64 Czytaj(qint64 pos) {
        const qint64 n = std::min<qint64>(qint64(bufor.size()), z.do_ - pos);
        if (const int kod = plik.Czytaj(pos * 2, bufor.data(), n * 2)) return bladIO(kod, adres), -1;
        PrzestawSlowa(bufor.data(), n);
        return n;
    }
    bool Pisz(qint64 pos, qint64 n) {
        PrzestawSlowa(bufor.data(), n);
        const int kod = plik.Pisz(pos * 2, bufor.data(), n * 2);
        if (kod) bladIO(kod, adres);
        return kod == 0;
    }
    bool Zamknij() {
        const int kod = plik.Zamknij();
        if (kod) bladIO(kod, adres);
        return kod == 0;
    }
    // A whole block done: the gauge moves; true when the operator asked to stop.
    bool Krok() {
        postep->Krok(++blok);
        return StanPrzerwij;
    }

    PlikPCM plik;
    QString adres;
    Zakres z;
    std::optional<PostepPracy> postep;
    std::vector<qint16> bufor;
    qint64 blok = 0;
};

}  // namespace

void SzukajMaksimum(const SygnalType& s, qint32 od, qint32 do_, bool& przerwane, qint32& maksimum,
                    qint32& minimum, bool* przesterowane) {
    maksimum = kMaksimumPoczatkowe;
    minimum = kMinimumPoczatkowe;
    if (przesterowane) *przesterowane = false;
    Przebieg p;
    przerwane = !p.Otworz(s, od, do_, false, QStringLiteral("Szukanie maksymalnego poziomu nagrania"));
    Szczyt szczyt(s.Kanaly, s.Start);
    for (qint64 pos = p.z.od; pos < p.z.do_ && !przerwane;) {
        const qint64 n = p.Czytaj(pos);
        // What was read so far is no peak of the recording.
        if (n < 0) return void(przerwane = true);
        for (qint64 i = 0; i < n && !przerwane; i += kBlok) {
            const qint64 m = std::min(kBlok, n - i);
            szczyt.Dodaj(p.bufor.data() + i, m, pos + i);
            if (m == kBlok) przerwane = p.Krok();
        }
        pos += n;
    }
    ZamknijStan();
    maksimum = szczyt.maksimum;
    minimum = szczyt.minimum;
    if (przesterowane) *przesterowane = szczyt.przesterowane;
}

void Wzmocnij(const SygnalType& s, qint32 od, qint32 do_, bool& przerwane, float wzmocnienie) {
    Przebieg p;
    przerwane = !p.Otworz(s, od, do_, true, QStringLiteral("Wzmacnianie nagrania"));
    for (qint64 pos = p.z.od; pos < p.z.do_ && !przerwane;) {
        const qint64 n = p.Czytaj(pos);
        if (n < 0) return void(przerwane = true);
        // Words of this read that are amplified and must go back.
        qint64 gotowe = 0;
        while (gotowe < n && !przerwane) {
            const qint64 m = std::min(kBlok, n - gotowe);
            wzmocnijBlok(p.bufor.data() + gotowe, m, wzmocnienie);
            gotowe += m;
            if (m < kBlok || !p.Krok()) continue;
            if (Decyzja(QStringLiteral("Przerwanie spowoduje, że część nagrania będzie głośniejsza !"),
                        QStringLiteral("Czy na pewno przerwać wzmacnianie ?"), 2) == WynikNie)
                StanPrzerwij = false;
            else
                przerwane = true;
        }
        if (!p.Pisz(pos, gotowe)) return void(przerwane = true);
        pos += n;
    }
    if (!p.Zamknij()) przerwane = true;
    ZamknijStan();
}

void Maksymalizuj(const SygnalType& s, qint32 od, qint32 do_) {
    // Only 16-bit PCM has samples this arithmetic fits; the playable check
    // has told the operator about anything else.
    if (s.Rodzaj != RodzajWAV || s.Format != 1 || s.Bity != 16) return;
    // The data chunk's whole words only: an odd last byte, a pad byte and
    // the chunks after the data are not samples.
    qint64 pozycja = 0;
    const qint64 dane = ZnajdzChunk(s.Adres, QByteArrayLiteral("data"), pozycja);
    if (BladIO) {
        PokazBladKod(BladIO, QString(), s.Adres);
        return;
    }
    if (pozycja > 0) do_ = qint32(std::min<qint64>(do_, (pozycja + dane) / 2));

    bool przerwane = false, przesterowane = false;
    qint32 maksimum = 0, minimum = 0;
    SzukajMaksimum(s, od, do_, przerwane, maksimum, minimum, &przesterowane);
    if (przerwane) return;
    // An empty range found no sample at all: silence, not a peak.
    const qint64 szczyt = maksimum < minimum ? 0 : std::max<qint64>(maksimum, -qint64(minimum));
    const float wzmocnienie = szczyt == 0 ? 0.0f : float(kPelnaSkala) / float(szczyt);
    const double poziom = (szczyt == 0 ? 0.0 : 20.0 * std::log10(double(szczyt))) - 90.31;

    if (wzmocnienie == 0.0f) {
        PokazInfo(QStringLiteral("Nie ma nagrania - cisza"));
    } else if (przesterowane) {
        PokazInfo(QStringLiteral("Nagranie jest przesterowane !"));
    } else if (poziom > -0.01) {
        PokazInfo(QStringLiteral("Nagranie jest w pełni wysterowane"));
    } else if (JestTylkoDoOdczytu(s.Adres)) {
        PokazInfo(QStringLiteral("Maksymalny poziom nagrania: ") + poziomTekst(poziom) + QStringLiteral(" dB"),
                  QStringLiteral("Nie można wzmocnić - zbiór tylko do odczytu."));
    } else {
        Wzmocnij(s, od, do_, przerwane, wzmocnienie);
    }
}

void MaksymalizujPlik(const QString& sciezka, const OpcjeMaksymalizacji& opcje) {
    if (!SprawdzOdtwarzalny(sciezka)) return;
    QChar ostatni;
    if (dyskSieciowy(sciezka, opcje, ostatni)) {
        PokazBlad(QStringLiteral("Maksymalizowanie nagrań tylko z dysku lokalnego"),
                  QStringLiteral("do ") + ostatni + QLatin1Char(':'));
        return;
    }
    if (RozszerzenieSciezki(sciezka) != QLatin1String(".WAV")) return;
    SygnalType s = SygnalPliku(sciezka);
    // The description is not needed here; a look at the file must not
    // disturb the shared record someone may be filling.
    OpisNagraniaTyp opis;
    OtworzSygnal(s, true, opis);
    // A WAV that may go on air is not always one whose samples can be
    // multiplied (MPEG inside WAV); the operator hears why, once.
    if (s.Format != 1) return PokazBlad(QStringLiteral("Program obsługuje tylko zbiory w formacie PCM"));
    if (s.Bity != 16) return PokazBlad(QStringLiteral("Program obsługuje tylko zbiory 16 bitowe"));
    Maksymalizuj(s, s.Start, s.Koniec);
}
