#include "audio/Sygnaly2.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "audio/OpisNagrania.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "platform/Paths.h"
#include "platform/audio/AudioFormat.h"
#include "platform/audio/Decoder.h"

qint32 SygnalType::* const Znaczniki[LiczbaZnacznikow] = {
    &SygnalType::Tot, &SygnalType::Int, &SygnalType::Out, &SygnalType::Mix, &SygnalType::Mik,
    &SygnalType::NwP, &SygnalType::NwK, &SygnalType::FIn, &SygnalType::FOu, &SygnalType::LpP,
    &SygnalType::LpK, &SygnalType::FrP, &SygnalType::FrK,
};

namespace {

constexpr int kBladFormatu = 215;  // "Nieprawidłowy format zbioru"
constexpr int kBladOdczytu = 100;
constexpr int kBladZapisu = 101;
// How far past the stated place a frame header is looked for. ID3 tags with
// padding or a little junk before the first frame are common; a file with no
// frame in the first 64 KiB is not MPEG audio.
constexpr qint64 kZasiegSzukaniaRamki = 64 * 1024;

struct TekstZnacznika {
    QString OpisNagraniaTyp::* tekst;
    int szerokosc;
};
const TekstZnacznika kTekstyZnacznikow[LiczbaZnacznikow] = {
    {&OpisNagraniaTyp::Tot, 12}, {&OpisNagraniaTyp::Int, 12}, {&OpisNagraniaTyp::Out, 12},
    {&OpisNagraniaTyp::Mix, 14}, {&OpisNagraniaTyp::Mik, 12}, {&OpisNagraniaTyp::NwP, 12},
    {&OpisNagraniaTyp::NwK, 12}, {&OpisNagraniaTyp::FIn, 12}, {&OpisNagraniaTyp::FOu, 12},
    {&OpisNagraniaTyp::LpP, 12}, {&OpisNagraniaTyp::LpK, 12}, {&OpisNagraniaTyp::FrP, 12},
    {&OpisNagraniaTyp::FrK, 12},
};

qint32 doInt32(long double v) {
    if (!(v == v)) return 0;
    if (v >= static_cast<long double>(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (v <= static_cast<long double>(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(v);
}
qint32 doInt32(qint64 v) {
    return qint32(std::clamp<qint64>(v, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}
// Nearest, halves to even (the default rounding mode).
long double zaokraglij(long double v) { return std::nearbyintl(v); }

quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }

// Why a file could not be opened, as an I/O result code.
int kodOtwarcia(const QString& plik) {
    const QFileInfo f(plik);
    if (f.isDir()) return 5;
    if (!f.exists()) return QFileInfo(f.absolutePath()).isDir() ? 2 : 3;
    return 5;
}

// A file opened read-only for the header readers. On a network share each
// call is a round trip: the file is opened, its size asked and its head
// read once, and the chunk walk and the frame search look at that copy.
class PlikOdczyt {
public:
    explicit PlikOdczyt(const QString& adres) {
        const QString plik = platform::resolvePath(adres);
        // Non-blocking, so that opening a FIFO does not wait for a writer.
        fd_ = ::open(QFile::encodeName(plik).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        struct stat st;
        if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            blad_ = kodOtwarcia(plik);
            return;
        }
        rozmiar_ = st.st_size;
    }
    ~PlikOdczyt() {
        if (fd_ >= 0) ::close(fd_);
    }
    PlikOdczyt(const PlikOdczyt&) = delete;
    PlikOdczyt& operator=(const PlikOdczyt&) = delete;
    int Blad() const { return blad_; }
    qint64 Rozmiar() const { return rozmiar_; }
    // Up to n bytes from pos (fewer at the end of the file).
    QByteArray Czytaj(qint64 pos, qint64 n) {
        if (blad_ || pos < 0 || pos >= rozmiar_ || n <= 0) return {};
        n = std::min(n, rozmiar_ - pos);
        if (!glowaCzytana_) {
            glowa_ = czytaj(0, std::min(rozmiar_, kGlowa));
            glowaCzytana_ = true;
        }
        if (pos + n <= glowa_.size()) return glowa_.mid(qsizetype(pos), qsizetype(n));
        return czytaj(pos, n);
    }

private:
    // The head: the chunks of a WAV and a frame search from near the start.
    static constexpr qint64 kGlowa = kZasiegSzukaniaRamki + 16 * 1024;
    QByteArray czytaj(qint64 pos, qint64 n) {
        QByteArray b(qsizetype(n), Qt::Uninitialized);
        qint64 jest = 0;
        while (jest < n) {
            const ssize_t r = ::pread(fd_, b.data() + jest, size_t(n - jest), off_t(pos + jest));
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) break;
            jest += r;
        }
        b.truncate(qsizetype(jest));
        return b;
    }
    int fd_ = -1;
    qint64 rozmiar_ = 0;
    int blad_ = 0;
    QByteArray glowa_;
    bool glowaCzytana_ = false;
};

struct Chunk {
    qint64 rozmiar = 0;
    qint64 pozycja = 0;
};

// Walks the RIFF chunk list for `id`. The walk is bounded by the file: every
// step moves on by at least 8 bytes, sizes are taken as 64-bit and a chunk
// that claims more bytes than the file holds ends the walk as a format
// error, so a broken file can neither loop nor send us seeking far past its
// end. The chunk asked for is clamped to the bytes present instead: a
// recording cut short (or streamed with an unknown size) still plays.
// `czytaj(pos, n)` gives up to n bytes from pos.
template <class Czytnik>
int szukajChunka(Czytnik&& czytaj, qint64 rozmiarPliku, const QByteArray& id, Chunk& wynik) {
    wynik = {};
    if (czytaj(0, 4) != QByteArrayLiteral("RIFF")) return 0;
    qint64 pos = 12;
    // A few bytes after the last chunk, too few for a chunk header, are
    // common (padding written by some editors) and end the list.
    while (rozmiarPliku - pos >= 8) {
        const QByteArray h = czytaj(pos, 8);
        if (h.size() != 8) return kBladOdczytu;
        const qint64 rozmiar = le32(h.constData() + 4);
        const qint64 dane = pos + 8;
        const qint64 dostepne = rozmiarPliku - dane;
        if (h.left(4) == id) {
            wynik.rozmiar = std::min(rozmiar, dostepne);
            wynik.pozycja = dane;
            return 0;
        }
        if (rozmiar > dostepne) return kBladFormatu;
        pos = dane + rozmiar + (rozmiar & 1);
    }
    return 0;
}
int szukajChunka(PlikOdczyt& f, const QByteArray& id, Chunk& wynik) {
    return szukajChunka([&f](qint64 pos, qint64 n) { return f.Czytaj(pos, n); }, f.Rozmiar(), id, wynik);
}
int szukajChunka(QFile& f, qint64 rozmiarPliku, const QByteArray& id, Chunk& wynik) {
    const auto czytaj = [&f](qint64 pos, qint64 n) { return f.seek(pos) ? f.read(n) : QByteArray(); };
    return szukajChunka(czytaj, rozmiarPliku, id, wynik);
}

// Whether `b` can follow the frame header `a` in one stream: a usable
// header of the same version, layer and sample rate.
bool ciagDalszy(const unsigned char a[4], const unsigned char b[4]) {
    return JestNaglowekMPEG(b) && (a[1] & 0xFE) == (b[1] & 0xFE) && ((a[2] >> 2) & 3) == ((b[2] >> 2) & 3);
}

// The first usable frame header at `od` or after it, within the bound and
// below `do_` (exclusive), that is followed by a second header where its
// frame ends. Four bytes that merely look like a header turn up in any
// large file; two in a row at the right distance do not. -1 when there is
// none.
qint64 szukajRamki(PlikOdczyt& f, qint64 od, qint64 do_, unsigned char naglowek[4]) {
    if (od < 0) return -1;
    do_ = std::min(do_, f.Rozmiar());
    const qint64 koniecSzukania = std::min(do_, od + kZasiegSzukaniaRamki + 4);
    if (koniecSzukania - od < 4) return -1;
    const QByteArray buf = f.Czytaj(od, koniecSzukania - od);
    const auto* b = reinterpret_cast<const unsigned char*>(buf.constData());
    for (qsizetype i = 0; i + 4 <= buf.size(); ++i) {
        if (!JestNaglowekMPEG(b + i)) continue;
        const qint64 nastepny = i + DlugoscRamkiMPEG(b + i);
        unsigned char dalej[4];
        if (nastepny + 4 <= buf.size()) {
            std::copy(b + nastepny, b + nastepny + 4, dalej);
        } else {
            if (od + nastepny + 4 > do_) continue;
            const QByteArray d = f.Czytaj(od + nastepny, 4);
            if (d.size() != 4) continue;
            std::copy(d.begin(), d.end(), dalej);
        }
        if (!ciagDalszy(b + i, dalej)) continue;
        std::copy(b + i, b + i + 4, naglowek);
        return od + i;
    }
    return -1;
}

// Fills the header fields of a WAV item; the result is a BladIO code.
int czytajWAV(SygnalType& s) {
    PlikOdczyt f(s.Adres);
    if (f.Blad()) return f.Blad();

    Chunk fmt, data;
    int blad = szukajChunka(f, QByteArrayLiteral("fmt "), fmt);
    if (!blad) blad = szukajChunka(f, QByteArrayLiteral("data"), data);

    // The fmt fields past a short chunk read as zero, never as the next chunk.
    char pola[16] = {};
    if (fmt.pozycja > 0) {
        const QByteArray b = f.Czytaj(fmt.pozycja, std::min<qint64>(fmt.rozmiar, 16));
        std::copy(b.begin(), b.end(), pola);
    }
    const quint16 tag = le16(pola);
    const quint16 kanaly = le16(pola + 2);
    const quint32 probkowanie = le32(pola + 4);
    const quint16 bity = le16(pola + 14);

    if (!blad && (fmt.pozycja == 0 || data.pozycja == 0)) blad = kBladFormatu;

    s.Start = doInt32(data.pozycja / 2);
    if (tag == 0x50) {
        unsigned char h[4];
        const qint64 przy = szukajRamki(f, data.pozycja, data.pozycja + data.rozmiar, h);
        if (data.pozycja > 0 && przy >= 0) {
            CzytajNaglowekMPEG(h, s);
        } else {
            s.Rodzaj = RodzajMPEG;
            s.Przeplywnosc = 0;
            if (!blad) blad = kBladFormatu;
        }
    } else if (tag == 1) {
        s.Rodzaj = RodzajWAV;
        s.Kanaly = kanaly;
        s.Bity = bity;
        s.Probkowanie = doInt32(qint64(probkowanie));
        // Unsigned: a damaged header's rate x bits x channels still fits 64 bits.
        s.Przeplywnosc = doInt32(qint64(quint64(probkowanie) * bity * kanaly / 1000));
    }
    s.Format = tag;
    s.RozmiarFmt = doInt32(fmt.rozmiar);
    s.Tytul = QStringLiteral("Bez opisu");
    // Koniec must still fit in 32 bits.
    const long double slowa = zaokraglij(static_cast<long double>(data.rozmiar) / 2);
    s.Dlugosc = doInt32(std::min<long double>(slowa, std::numeric_limits<qint32>::max() - s.Start));
    s.Koniec = s.Start + s.Dlugosc;
    s.Pozycja = s.Start;
    return blad;
}

void czytajOpisWAV(SygnalType& s, OpisNagraniaTyp& opis) {
    KasujOpis(opis);
    CzytajDAT(s, opis);
    s.Tytul = cutTo(opis.Tyt, SzerokoscTytuluSygnalu);
}

bool jestWAV(const QString& rozszerzenie) { return rozszerzenie == QLatin1String(".WAV"); }
bool jestAudio(const QString& rozszerzenie) {
    return jestWAV(rozszerzenie) || rozszerzenie == QLatin1String(".MP2") ||
           rozszerzenie == QLatin1String(".MP3") || rozszerzenie == QLatin1String(".S48");
}

void poprawZnaczniki(SygnalType& s) {
    const qint64 tot = s.Tot;
    if (s.Out < tot / 2) s.Out = doInt32(tot - s.Out);
    if (s.NwP < 0 || s.NwP > tot) s.NwP = 0;
    if (s.Int < 0 || s.Int > tot) s.Int = 0;
    if (s.FIn < s.NwP || s.FIn > tot) s.FIn = s.NwP;
    if (s.NwK <= s.NwP || s.NwK > tot) s.NwK = s.Tot;
    if (s.FOu < s.FIn || s.FOu > s.NwK) s.FOu = s.NwK;
    if (s.Out < 1 || s.Out > tot) s.Out = s.Tot;
}

// Rewrites the sizes of a PCM WAV's header. Only a file laid out exactly as
// the 44-byte header (or the zeroed place for one that a recording starts
// with) gets the whole header; in any other file only the RIFF size and the
// data chunk's own size field change, so that fmt extensions, bext, LIST or
// fact chunks are never overwritten.
int przepiszNaglowekWAV(const SygnalType& s) {
    QFile f(platform::resolvePath(s.Adres));
    if (QFileInfo(f.fileName()).isDir() || !f.open(QIODevice::ReadWrite))
        return kodOtwarcia(f.fileName());
    const qint64 rozmiar = f.size();
    const QByteArray poczatek = f.read(SygnalWAVType::Rozmiar);
    const bool zastepczy = poczatek.size() == SygnalWAVType::Rozmiar &&
                           std::all_of(poczatek.begin(), poczatek.end(), [](char c) { return c == 0; });
    const quint32 rozmiarRIFF = quint32(std::min<qint64>(rozmiar - 8, 0xFFFFFFFFLL));
    auto zapisz = [&](qint64 pos, const QByteArray& b) {
        return f.seek(pos) && f.write(b) == b.size();
    };
    auto bajty32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    const qint64 dlugoscBajtow = qint64(std::max(s.Dlugosc, 0)) * 2;

    bool kanoniczny = zastepczy;
    Chunk data;
    if (!zastepczy) {
        if (!poczatek.startsWith("RIFF")) return kBladFormatu;
        Chunk fmt;
        int blad = szukajChunka(f, rozmiar, QByteArrayLiteral("fmt "), fmt);
        if (!blad) blad = szukajChunka(f, rozmiar, QByteArrayLiteral("data"), data);
        if (blad) return blad;
        if (data.pozycja == 0) return kBladFormatu;
        kanoniczny = fmt.pozycja == 20 && fmt.rozmiar == 16 && data.pozycja == 44 &&
                     le16(poczatek.constData() + 34) == 16;
    }
    bool ok;
    if (kanoniczny) {
        SygnalWAVType h = BudujNaglowekWAV(s);
        h.RozmiarDanych = quint32(std::min(dlugoscBajtow, std::max<qint64>(rozmiar - 44, 0)));
        h.RozmiarRIFF = std::max(rozmiarRIFF, h.RozmiarDanych + 36);
        ok = zapisz(0, h.Bajty());
    } else {
        const qint64 dane = std::min(dlugoscBajtow, rozmiar - data.pozycja);
        ok = zapisz(4, bajty32(rozmiarRIFF)) &&
             zapisz(data.pozycja - 4, bajty32(quint32(std::min<qint64>(dane, 0xFFFFFFFFLL))));
    }
    ok = ok && f.flush();
    f.close();
    return ok && f.error() == QFileDevice::NoError ? 0 : kBladZapisu;
}

}  // namespace

QByteArray SygnalWAVType::Bajty() const {
    QByteArray b(Rozmiar, '\0');
    char* p = b.data();
    std::copy(Riff, Riff + 4, p);
    qToLittleEndian(RozmiarRIFF, p + 4);
    std::copy(Wave, Wave + 4, p + 8);
    std::copy(Fmt, Fmt + 4, p + 12);
    qToLittleEndian(RozmiarFmt, p + 16);
    qToLittleEndian(FormatTag, p + 20);
    qToLittleEndian(Kanaly, p + 22);
    qToLittleEndian(Probkowanie, p + 24);
    qToLittleEndian(BajtowNaSekunde, p + 28);
    qToLittleEndian(WyrownanieBloku, p + 32);
    qToLittleEndian(Bity, p + 34);
    std::copy(Data, Data + 4, p + 36);
    qToLittleEndian(RozmiarDanych, p + 40);
    return b;
}

void PustySygnal(SygnalType& s) {
    s = SygnalType{};
    s.Nazwa = QStringLiteral("Nie_ma");
    s.Adres = QStringLiteral("Nie_ma.WAV");
    s.Tytul = QStringLiteral("Bez opisu");
}

SygnalType SygnalPliku(const QString& sciezka) {
    SygnalType s;
    PustySygnal(s);
    s.Adres = sciezka;
    s.Nazwa = NazwaSciezki(sciezka);
    return s;
}

bool JestNaglowekMPEG(const unsigned char b[4]) {
    const int wersja = (b[1] >> 3) & 3;
    const int warstwa = (b[1] >> 1) & 3;
    const int przeplywnosc = b[2] >> 4;
    const int probkowanie = (b[2] >> 2) & 3;
    return b[0] == 0xFF && (b[1] & 0xE0) == 0xE0 && wersja != 1 && warstwa != 0 &&
           przeplywnosc != 0 && przeplywnosc != 15 && probkowanie != 3;
}

int DlugoscRamkiMPEG(const unsigned char b[4]) {
    static const qint16 kMpeg1L1[15] = {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448};
    if (!JestNaglowekMPEG(b)) return 0;
    const int wersja = (b[1] >> 3) & 3;
    const int warstwa = (b[1] >> 1) & 3;
    const int wypelnienie = (b[2] >> 1) & 1;
    SygnalType s;
    CzytajNaglowekMPEG(b, s);
    const qint64 kbps = warstwa == 3 && wersja == 3 ? kMpeg1L1[b[2] >> 4] : s.Przeplywnosc;
    if (warstwa == 3) return int((12000 * kbps / s.Probkowanie + wypelnienie) * 4);
    // Layer III of MPEG-2 and 2.5 has half as many samples in a frame.
    const int mnoznik = warstwa == 1 && wersja != 3 ? 72000 : 144000;
    return int(mnoznik * kbps / s.Probkowanie + wypelnienie);
}

void CzytajNaglowekMPEG(const unsigned char b[4], SygnalType& s) {
    static const qint16 kMpeg1L2[15] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
    static const qint16 kMpeg1L3[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const qint16 kMpeg2L1[15] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256};
    static const qint16 kMpeg2L23[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static const qint32 kCzestMpeg1[3] = {44100, 48000, 32000};
    static const qint32 kCzestMpeg2[3] = {22050, 24000, 16000};
    static const qint32 kCzestMpeg25[3] = {11025, 12000, 8000};

    const int wersja = (b[1] >> 3) & 3;   // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const int warstwa = (b[1] >> 1) & 3;  // 3 Layer I, 2 Layer II, 1 Layer III
    const int indeks = std::min(b[2] >> 4, 14);
    const int czest = (b[2] >> 2) & 3;

    // MPEG-2.5 is the low-rate extension of MPEG-2: same bit-rate rows, a
    // quarter of MPEG-1's sample rates. Read with MPEG-1's tables its length
    // would come out several times too short.
    const bool niskie = wersja == 2 || wersja == 0;
    if (czest != 3) s.Probkowanie = (wersja == 2 ? kCzestMpeg2 : wersja == 0 ? kCzestMpeg25 : kCzestMpeg1)[czest];
    if (warstwa == 0) {
        s.Przeplywnosc = 0;
    } else if (niskie) {
        s.Przeplywnosc = (warstwa == 3 ? kMpeg2L1 : kMpeg2L23)[indeks];
    } else {
        s.Przeplywnosc = (warstwa == 1 ? kMpeg1L3 : kMpeg1L2)[indeks];
    }
    s.Kanaly = (b[3] >> 6) == 3 ? 1 : 2;
    s.Rodzaj = RodzajMPEG;
}

qint64 ZnajdzChunk(const QString& sciezka, const QByteArray& id, qint64& pozycja) {
    pozycja = 0;
    PlikOdczyt f(sciezka);
    if (f.Blad()) {
        BladIO = f.Blad();
        return 0;
    }
    Chunk c;
    BladIO = szukajChunka(f, id.left(4), c);
    pozycja = c.pozycja;
    return c.rozmiar;
}

int OtworzWAV(SygnalType& s, bool zOpisem, OpisNagraniaTyp& opis) {
    const int blad = czytajWAV(s);
    if (zOpisem) czytajOpisWAV(s, opis);
    return blad;
}

int OtworzMPEG(quint8 rodzaj, SygnalType& s, bool zOpisem, OpisNagraniaTyp& opis) {
    int blad = 0;
    {
        PlikOdczyt f(s.Adres);
        const QByteArray poczatek = f.Czytaj(0, 10);
        if (f.Blad()) {
            blad = f.Blad();
        } else if (poczatek.startsWith("RIFF")) {
            blad = czytajWAV(s);
        } else {
            qint64 przy = 0;
            if (poczatek.size() == 10 && poczatek.startsWith("ID3")) {
                const auto* b = reinterpret_cast<const unsigned char*>(poczatek.constData());
                przy = (qint64(b[6]) << 21) + (qint64(b[7]) << 14) + (qint64(b[8]) << 7) + b[9] + 10;
            }
            unsigned char h[4];
            if (szukajRamki(f, przy, f.Rozmiar(), h) >= 0) {
                CzytajNaglowekMPEG(h, s);
            } else {
                // No frame: not MPEG audio, or not from here on. A bit rate of
                // 0 gives length 0 and the error code says why.
                s.Przeplywnosc = 0;
                blad = kBladFormatu;
            }
            s.Rodzaj = rodzaj;
            s.Tytul = QStringLiteral("Bez opisu");
            // The whole file, tag included, counts as data.
            s.Start = 0;
            s.Pozycja = 0;
            s.Dlugosc = doInt32(zaokraglij(static_cast<long double>(f.Rozmiar()) / 2));
            s.Koniec = s.Dlugosc;
        }
    }
    if (zOpisem) {
        KasujOpis(opis);
        if (rodzaj == RodzajMPEG ||
            (rodzaj == RodzajMP3 && platform::fileExists(ZbiorOpisu(s.Adres))))
            CzytajDAT(s, opis);
        s.Tytul = cutTo(opis.Tyt, SzerokoscTytuluSygnalu);
    }
    return blad;
}

namespace {

// The reader of the file's kind; an unknown extension reads nothing (0).
int otworzWgRozszerzenia(SygnalType& s, bool zOpisem, OpisNagraniaTyp& opis) {
    const QString rozszerzenie = RozszerzenieSciezki(s.Adres);
    if (jestWAV(rozszerzenie)) return OtworzWAV(s, zOpisem, opis);
    if (rozszerzenie == QLatin1String(".MP2")) return OtworzMPEG(RodzajMPEG, s, zOpisem, opis);
    if (rozszerzenie == QLatin1String(".S48")) return OtworzMPEG(RodzajS48, s, zOpisem, opis);
    if (rozszerzenie == QLatin1String(".MP3")) return OtworzMPEG(RodzajMP3, s, zOpisem, opis);
    return 0;
}

}  // namespace

int CzytajNaglowekSygnalu(SygnalType& s) {
    OpisNagraniaTyp opis;
    return otworzWgRozszerzenia(s, false, opis);
}

int OtworzSygnal(SygnalType& s, bool zOpisem, OpisNagraniaTyp& opis) {
    const QString nazwa = s.Nazwa;
    const QString adres = s.Adres;
    PustySygnal(s);
    s.Nazwa = nazwa;
    s.Adres = adres;
    KasujOpis(opis);

    BladIO = 0;
    const int blad = otworzWgRozszerzenia(s, zOpisem, opis);
    const int bladOpisu = BladIO;

    s.Tot = DlugoscSygnaluMs(s);
    poprawZnaczniki(s);
    BladIO = blad ? blad : bladOpisu;
    return blad;
}

void OtworzSygnal(SygnalType& s, bool zOpisem) { OtworzSygnal(s, zOpisem, OpisNagrania); }

qint32 DlugoscSygnaluMs(const SygnalType& s) {
    using LD = long double;
    // A WAV of a format the program does not play (24-bit in an extensible
    // header, float, ...) has no 16-bit words to count: its length is not
    // guessed from the file size.
    if (s.Rodzaj == RodzajWAV && (s.Format != 1 || s.Bity == 0)) return 0;
    if (s.Rodzaj == RodzajMPEG || s.Rodzaj == RodzajS48 || s.Rodzaj == RodzajMP3) {
        if (s.Przeplywnosc < 1) return 0;
        return doInt32(zaokraglij(LD(s.Dlugosc) * 16 / s.Przeplywnosc));
    }
    const LD probki = s.Bity ? zaokraglij(LD(s.Dlugosc) * 16 / s.Bity) : 0;
    const LD ramki = s.Kanaly ? zaokraglij(probki / s.Kanaly) : 0;
    if (s.Probkowanie == 0) return 0;
    return doInt32(zaokraglij(ramki / s.Probkowanie * 1000));
}

qint32 MsNaSlowa(qint32 ms, const SygnalType& s) {
    using LD = long double;
    if (s.Rodzaj == RodzajMPEG || s.Rodzaj == RodzajS48 || s.Rodzaj == RodzajMP3)
        return doInt32(zaokraglij(LD(ms) * s.Przeplywnosc / 16));
    return doInt32(zaokraglij(LD(ms) * s.Probkowanie * s.Kanaly * LD(0.001)));
}

namespace {

const QString TylkoPCM = QStringLiteral("Program obsługuje tylko zbiory w formacie PCM");
const QString Tylko16 = QStringLiteral("Program obsługuje tylko zbiory 16 bitowe");
const QString Osmiosladowy = QStringLiteral("Zbiór 8-śladowy");
const QString Pusty = QStringLiteral("Zbiór jest pusty");

// MPEG audio inside a WAV file plays through the same decoder as an .MP2.
bool mpegWWAV(const SygnalType& s) { return s.Format == 0x50 || s.Format == 0x55; }

QString powodDekodera(platform::ProbeResult p) {
    switch (p) {
    case platform::ProbeResult::Plays: return {};
    case platform::ProbeResult::CannotOpen: return QStringLiteral("nie można otworzyć zbioru");
    case platform::ProbeResult::NotAudio: return QStringLiteral("zbiór uszkodzony lub nie jest dźwiękiem");
    case platform::ProbeResult::Unsupported: return QStringLiteral("nieobsługiwany format zbioru");
    case platform::ProbeResult::Empty: return QStringLiteral("zbiór uszkodzony - brak dźwięku");
    }
    return {};
}

}  // namespace

QString PowodNieodtwarzalnosciNaglowka(const SygnalType& s, int blad) {
    if (s.Kanaly == 8) return Osmiosladowy;
    if (jestWAV(RozszerzenieSciezki(s.Adres))) {
        QStringList p;
        if (s.Format != 1 && !mpegWWAV(s)) p << TylkoPCM;
        if (!mpegWWAV(s) && s.Bity != 16) p << Tylko16;
        if (!p.isEmpty()) return p.join(QStringLiteral("; "));
    }
    if (blad) return QStringLiteral("nagłówek nieczytelny (błąd %1)").arg(blad);
    // A rate or channel count no sound card plays is a damaged header: the
    // element would hold the air for hours (1 Hz) or not play at all.
    if (s.Rodzaj == RodzajWAV && !platform::cardCanPlay(s.Probkowanie, s.Kanaly))
        return QStringLiteral("uszkodzony nagłówek: %1 Hz, %2 kan.").arg(s.Probkowanie).arg(s.Kanaly);
    return {};
}

QString PowodPustegoZbioru(const QString& sciezka) {
    return QFileInfo(platform::resolvePath(sciezka)).size() == 0 ? Pusty : QString();
}

QString PowodNieodtwarzalnosci(const QString& sciezka) {
    if (!platform::fileExists(sciezka)) return QStringLiteral("nie ma zbioru");
    if (const QString pusty = PowodPustegoZbioru(sciezka); !pusty.isEmpty()) return pusty;
    SygnalType s;
    PustySygnal(s);
    s.Adres = sciezka;
    OpisNagraniaTyp opis;
    const int blad = OtworzSygnal(s, false, opis);
    const QString naglowek = PowodNieodtwarzalnosciNaglowka(s, blad);
    if (!naglowek.isEmpty()) return naglowek;
    return powodDekodera(platform::probeDecoder(platform::resolvePath(sciezka)));
}

bool SprawdzOdtwarzalny(const QString& sciezka) {
    if (!platform::fileExists(sciezka)) return false;
    const QString powod = PowodNieodtwarzalnosci(sciezka);
    const int blad = BladIO;
    if (powod.isEmpty()) return true;
    Log(QStringLiteral("Zbiór nieodtwarzalny: ") + sciezka + QStringLiteral(" - ") + powod);
    if (powod == Osmiosladowy) {
        PokazInfo(Osmiosladowy, QStringLiteral("(odtwarzany tylko z katalogu)"));
    } else if (powod == Pusty) {
        PokazBlad(Pusty, sciezka);
    } else if (powod.startsWith(TylkoPCM) || powod == Tylko16) {
        // Both tests run: a file can raise both messages.
        if (powod.startsWith(TylkoPCM)) PokazBlad(TylkoPCM);
        if (powod.endsWith(Tylko16)) PokazBlad(Tylko16);
    } else {
        // A header that cannot be read, or audio the decoder refuses.
        PokazBladKod(blad ? blad : kBladFormatu, QString(), sciezka);
    }
    return false;
}

qint32 CzasTrwaniaPliku(const QString& sciezka) {
    if (!platform::fileExists(sciezka)) return 0;
    SygnalType s;
    PustySygnal(s);
    s.Adres = sciezka;
    OpisNagraniaTyp opis;
    OtworzSygnal(s, true, opis);
    return DlugoscSygnaluMs(s);
}

void ZapiszSygnal(SygnalType& s) {
    switch (s.Rodzaj) {
    case RodzajWAV: {
        const int blad = przepiszNaglowekWAV(s);
        if (blad) Log(QStringLiteral("Zapis nagłówka nieudany: ") + s.Adres);
        ZapiszDAT(s, OpisNagrania);
        if (blad) BladIO = blad;
        break;
    }
    case RodzajMPEG:
    case RodzajMP3:
        ZapiszDAT(s, OpisNagrania);
        break;
    default:
        break;
    }
}

void ZapiszPustyNaglowek(const SygnalType& s) {
    QFile f(platform::resolvePath(s.Adres));
    if (QFileInfo(f.fileName()).isDir() || !f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        BladIO = kodOtwarcia(f.fileName());
        return;
    }
    const QByteArray zera(SygnalWAVType::Rozmiar, '\0');
    const bool ok = f.write(zera) == zera.size();
    f.close();
    BladIO = ok && f.error() == QFileDevice::NoError ? 0 : kBladZapisu;
}

SygnalWAVType BudujNaglowekWAV(const SygnalType& s) {
    SygnalWAVType h;
    h.Nazwa = s.Nazwa;
    h.Adres = s.Adres;
    const quint32 dane = quint32(qint64(std::max(s.Dlugosc, 0)) * 2);
    h.RozmiarRIFF = dane + 36;
    h.RozmiarFmt = quint32(s.RozmiarFmt);
    h.FormatTag = s.Format;
    h.Kanaly = s.Kanaly;
    h.Probkowanie = quint32(s.Probkowanie);
    h.BajtowNaSekunde = quint32(s.Probkowanie) * 2 * s.Kanaly;
    h.WyrownanieBloku = quint16(s.Kanaly * 2);
    h.Bity = 16;
    h.RozmiarDanych = dane;
    return h;
}

void ZnacznikiNaTekst(const SygnalType& s, OpisNagraniaTyp& opis) {
    for (int i = 0; i < LiczbaZnacznikow; ++i) {
        const TekstZnacznika& t = kTekstyZnacznikow[i];
        // A text that already means this time keeps its own form, so a save
        // leaves the markers nobody moved as they were written.
        const QString& stary = opis.*t.tekst;
        const qint32 v = s.*Znaczniki[i];
        if (stary.isEmpty() ? v == -1 : CzytajCzas(stary, 4) == v && v != -1)
            continue;
        opis.*t.tekst = cutTo(PiszCzas(4, v), t.szerokosc);
    }
}

void TekstNaZnaczniki(const OpisNagraniaTyp& opis, SygnalType& s) {
    for (int i = 0; i < LiczbaZnacznikow; ++i) {
        QString tekst = opis.*kTekstyZnacznikow[i].tekst;
        // The description editor writes the mix distance as whole seconds.
        if (Znaczniki[i] == &SygnalType::Mix) {
            if (tekst.size() == 1)
                tekst = QStringLiteral("00:0") + tekst + QStringLiteral(".000");
            else if (tekst.size() == 2)
                tekst = QStringLiteral("00:") + tekst + QStringLiteral(".000");
        }
        s.*Znaczniki[i] = tekst.isEmpty() ? -1 : CzytajCzas(tekst, 4);
    }
}

namespace {

// The title of an audio file, with its performer when its description has one.
struct TytulIWykonawca {
    QString Tytul, Wyk;
};

TytulIWykonawca tytulIWykonawca(const QString& sciezka) {
    if (!jestAudio(RozszerzenieSciezki(sciezka))) return {};
    SygnalType s;
    PustySygnal(s);
    s.Adres = sciezka;
    OpisNagraniaTyp opis;
    OtworzSygnal(s, true, opis);
    return {s.Tytul, opis.Wyk};
}

}  // namespace

QString TytulPliku(const QString& sciezka) { return tytulIWykonawca(sciezka).Tytul; }

QString WykonawcaITytulPliku(const QString& sciezka) {
    const TytulIWykonawca t = tytulIWykonawca(sciezka);
    if (t.Wyk.isEmpty()) return t.Tytul;
    return t.Wyk + QStringLiteral(" - ") + t.Tytul;
}

OpisFormatuTyp OpisFormatu(const QString& sciezka) {
    OpisFormatuTyp o;
    const QString rozszerzenie = RozszerzenieSciezki(sciezka);
    if (!jestAudio(rozszerzenie) || rozszerzenie == QLatin1String(".S48")) return o;
    SygnalType s;
    PustySygnal(s);
    s.Adres = sciezka;
    OpisNagraniaTyp opis;
    OtworzSygnal(s, true, opis);
    o.Probkowanie = padLeft(QString::number(s.Probkowanie), 5) + QStringLiteral(" Hz");
    o.Kanaly = s.Kanaly == 1 ? QStringLiteral("  mono") : s.Kanaly == 2 ? QStringLiteral("stereo") : QStringLiteral("?");
    o.Bity = QString::number(s.Bity) + QStringLiteral(" bit");
    o.Przeplywnosc = QString::number(s.Przeplywnosc) + QStringLiteral(" kb/s");
    const qint32 sekundy = DlugoscSygnaluMs(s) / 1000;
    o.Czas = QString::number(sekundy / 60) + QLatin1Char('m') + zeroPad(sekundy % 60, 2) + QLatin1Char('s');
    return o;
}
