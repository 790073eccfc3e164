// The database file and the counters file: read in one pass over the file's
// bytes, written through a temporary file that replaces the old one only
// when complete.
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <cerrno>
#include <functional>
#include <vector>

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "foundation/Zdarzenie.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaWewn.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 MaksRozmiarZbioru = 512LL * 1024 * 1024;
constexpr int KodZlegoFormatu = 215;
const QByteArray Separator = QByteArrayLiteral("; -------------------------");

// Fields of a block, by key.
enum Pole {
    PTyt, PWyk, PKod, PTot, PAdr, PNas, PNar, PJak, PGen, PTyp, PKat, PEra, PBPM, PTem, PKey, PFil, PZaa,
    PTyx, PWyx, PKox, PCzx, PEmC, PEmD, PEmT, PEmM, PEmR, PEmO, PInne
};

// Keys are compared in upper case; only ASCII keys are known, so other
// bytes can stay as they are.
constexpr char DuzaAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// A three-letter key packed into one number: a line's field is one switch,
// with no text made for it (a 60 000-record file has some 900 000 lines).
constexpr quint32 Kod3(char a, char b, char c) {
    return quint32(quint8(DuzaAscii(a))) << 16 | quint32(quint8(DuzaAscii(b))) << 8 | quint8(DuzaAscii(c));
}
constexpr quint32 Kod3(const char (&k)[4]) { return Kod3(k[0], k[1], k[2]); }

Pole PoleKlucza(QByteArrayView k) {
    if (k.size() != 3)
        return PInne;
    switch (Kod3(k[0], k[1], k[2])) {
    case Kod3("TYT"): return PTyt;
    case Kod3("WYK"): return PWyk;
    case Kod3("KOD"): return PKod;
    case Kod3("TOT"): return PTot;
    case Kod3("ADR"): return PAdr;
    case Kod3("NAS"): return PNas;
    case Kod3("NAR"): return PNar;
    case Kod3("JAK"): return PJak;
    case Kod3("GEN"): return PGen;
    case Kod3("TYP"): return PTyp;
    case Kod3("KAT"): return PKat;
    case Kod3("ERA"): return PEra;
    case Kod3("BPM"): return PBPM;
    case Kod3("TEM"): return PTem;
    case Kod3("KEY"): return PKey;
    case Kod3("FIL"): return PFil;
    case Kod3("ZAA"): return PZaa;
    case Kod3("TYX"): return PTyx;
    case Kod3("WYX"): return PWyx;
    case Kod3("KOX"): return PKox;
    case Kod3("CZX"): return PCzx;
    case Kod3("EMC"): return PEmC;
    case Kod3("EMD"): return PEmD;
    case Kod3("EMT"): return PEmT;
    case Kod3("EMM"): return PEmM;
    case Kod3("EMR"): return PEmR;
    case Kod3("EMO"): return PEmO;
    default: return PInne;
    }
}

// Whether a key is the upper-case name, compared in upper case.
bool KluczJest(QByteArrayView k, const char* nazwa) {
    for (char c : k)
        if (*nazwa == 0 || DuzaAscii(c) != *nazwa++)
            return false;
    return *nazwa == 0;
}

QByteArrayView ObetnijPrawo(QByteArrayView v) {
    while (!v.empty() && v.back() == ' ')
        v.chop(1);
    return v;
}

// One line split by the settings-line rules: a comment or a line without "="
// has an empty key. The key is left as written (see KluczJest, PoleKlucza).
struct LiniaKlucza {
    QByteArrayView klucz;
    QByteArrayView wartosc;
};

LiniaKlucza Rozbij(QByteArrayView l) {
    LiniaKlucza w;
    if (l.startsWith(';'))
        return w;
    const qsizetype rowna = l.indexOf('=');
    if (rowna < 0)
        return w;
    w.klucz = ObetnijPrawo(l.first(rowna));
    w.wartosc = ObetnijPrawo(l.sliced(rowna + 1));
    return w;
}

// The code page's bytes as characters: as read, in Polish upper case (the
// paths) and with ASCII letters upper-cased (the categories). Made from the
// program's own converters, so a value reads as it always did.
using TablicaZnakow = std::array<char16_t, 256>;

template <typename F>
TablicaZnakow ZbudujTablice(F znak) {
    TablicaZnakow t{};
    for (int b = 0; b < 256; ++b)
        t[size_t(b)] = znak(platform::cp1250Char(uchar(b)));
    return t;
}

const TablicaZnakow& ZnakiWprost() {
    static const TablicaZnakow t = ZbudujTablice([](QChar c) { return c.unicode(); });
    return t;
}

const TablicaZnakow& ZnakiDuzePL() {
    static const TablicaZnakow t = ZbudujTablice([](QChar c) { return upperPL(QString(c)).at(0).unicode(); });
    return t;
}

const TablicaZnakow& ZnakiDuzeAscii() {
    static const TablicaZnakow t = ZbudujTablice([](QChar c) {
        const char16_t u = c.unicode();
        return u >= u'a' && u <= u'z' ? char16_t(u - u'a' + u'A') : u;
    });
    return t;
}

// One value turned into text in one pass over its bytes.
QString Tekst(QByteArrayView v, const TablicaZnakow& t = ZnakiWprost()) {
    QString s(v.size(), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(s.data());
    for (char c : v)
        *d++ = t[uchar(c)];
    return s;
}

// Values that many records share (a category, a genre, a length, a
// performer, the date of the last play) are kept once: a value read again
// is the same text, not another copy of it. 60 000 records of a dozen short
// texts each would otherwise hold hundreds of thousands of equal copies.
class WspolneTeksty {
public:
    const QString& Tekst(QByteArrayView v, const TablicaZnakow& t) {
        if (v.size() > MaksBajtow) {
            inny_ = ::Tekst(v, t);
            return inny_;
        }
        Wpis& w = wpisy_[(qHash(v) ^ size_t(&t == &ZnakiWprost() ? 0 : 1)) & (Wpisow - 1)];
        if (w.tablica != &t || QByteArrayView(w.bajty, w.dlugosc) != v) {
            w.tablica = &t;
            w.dlugosc = quint8(v.size());
            std::copy(v.begin(), v.end(), w.bajty);
            w.tekst = ::Tekst(v, t);
        }
        return w.tekst;
    }

private:
    static constexpr qsizetype MaksBajtow = 40;
    static constexpr size_t Wpisow = 4096;
    struct Wpis {
        const TablicaZnakow* tablica = nullptr;
        quint8 dlugosc = 0;
        char bajty[MaksBajtow];
        QString tekst;
    };
    std::vector<Wpis> wpisy_ = std::vector<Wpis>(Wpisow);
    QString inny_;
};

// A word from its decimal text, read straight from the bytes by the
// program's number rules (leading blanks, a sign, digits and nothing else);
// 0 when it is not a number or does not fit in a word.
quint16 Slowo(QByteArrayView v) {
    qsizetype i = 0;
    while (i < v.size() && v[i] == ' ')
        ++i;
    bool ujemna = false;
    if (i < v.size() && (v[i] == '-' || v[i] == '+'))
        ujemna = v[i++] == '-';
    if (i >= v.size())
        return 0;
    quint32 n = 0;
    for (; i < v.size(); ++i) {
        if (v[i] < '0' || v[i] > '9')
            return 0;
        n = n * 10 + quint32(v[i] - '0');
        if (n > 65535)
            return 0;
    }
    return ujemna ? 0 : quint16(n);
}

// The whole file in memory, read line by line.
class ZbiorLinii {
public:
    // False with BladIO set when it cannot be read.
    bool Otworz(const QString& sciezka) {
        errno = 0;
        switch (platform::readWholeFile(platform::resolvePath(sciezka), dane_, MaksRozmiarZbioru)) {
        case platform::FileRead::Ok: poz_ = 0; return true;
        case platform::FileRead::CannotOpen: BladIO = errno ? KodBleduZErrno(errno) : 2; return false;
        case platform::FileRead::NotRegular:
        case platform::FileRead::TooLarge: BladIO = KodZlegoFormatu; return false;
        case platform::FileRead::ReadError: break;
        }
        BladIO = 100;
        return false;
    }
    // The same without a word to anyone, for the worker thread.
    bool OtworzCicho(const QString& sciezkaLinux) {
        poz_ = 0;
        return platform::readWholeFile(sciezkaLinux, dane_, MaksRozmiarZbioru) == platform::FileRead::Ok;
    }
    bool Koniec() const { return poz_ >= dane_.size(); }
    QByteArrayView Linia() {
        const qsizetype nl = dane_.indexOf('\n', poz_);
        const qsizetype koniec = nl < 0 ? dane_.size() : nl;
        QByteArrayView l(dane_.constData() + poz_, koniec - poz_);
        poz_ = nl < 0 ? dane_.size() : nl + 1;
        if (l.endsWith('\r'))
            l.chop(1);
        return l;
    }
    // Reads on to the line with the key; false at the end of the file.
    bool SzukajKlucza(const char* klucz, QByteArrayView& wartosc) {
        while (!Koniec()) {
            const LiniaKlucza k = Rozbij(Linia());
            if (KluczJest(k.klucz, klucz)) {
                wartosc = k.wartosc;
                return true;
            }
        }
        return false;
    }
    // Whether a block with a path follows (the limit was reached before it).
    bool JestDalejAdres() const {
        ZbiorLinii kopia = *this;
        while (!kopia.Koniec()) {
            const LiniaKlucza k = Rozbij(kopia.Linia());
            if (KluczJest(k.klucz, "ADR") && !k.wartosc.empty())
                return true;
        }
        return false;
    }

private:
    QByteArray dane_;
    qsizetype poz_ = 0;
};

bool LiniaKonca(QByteArrayView l) {
    l = ObetnijPrawo(l);
    return l == "KONIEC OPISU" || l == "KONIEC" || l == Separator;
}

// The header keys WERSJA and POZYCJI (and POCZCZSINDX in version 1); the
// gauge's maximum from POZYCJI, and the count it states (0 when it is not a
// number). False when the header is not there.
bool CzytajNaglowek(ZbiorLinii& z, bool wersja1MaIndeks, float& maksimum, qint64* zapowiedziane = nullptr) {
    QByteArrayView w;
    if (!z.SzukajKlucza("WERSJA", w))
        return false;
    qint64 wersja = 0;
    parseInteger(Tekst(w), wersja);
    QByteArrayView p;
    if (!z.SzukajKlucza("POZYCJI", p))
        return false;
    qint64 pozycji = 0;
    maksimum = (parseInteger(Tekst(p), pozycji) && pozycji > 0) ? float(pozycji) : float(BazaMaks);
    if (zapowiedziane)
        *zapowiedziane = pozycji > 0 ? pozycji : 0;
    if (wersja1MaIndeks && wersja == 1 && !z.SzukajKlucza("POCZCZSINDX", w))
        return false;
    return true;
}

enum class KoniecBloku { Linia, Zbior, Ucieta };

// Reads one block: `pole` gets each key line. A block that reaches the end
// of the file after some key line was cut short. `klucze` tells whether the
// block had any key line.
template <typename F>
KoniecBloku CzytajBlok(ZbiorLinii& z, F pole, bool* klucze = nullptr) {
    bool cos = false;
    while (!z.Koniec()) {
        const QByteArrayView l = z.Linia();
        if (LiniaKonca(l)) {
            if (klucze)
                *klucze = cos;
            return KoniecBloku::Linia;
        }
        const LiniaKlucza k = Rozbij(l);
        if (k.klucz.isEmpty())
            continue;
        cos = true;
        pole(PoleKlucza(k.klucz), k.wartosc);
    }
    return cos ? KoniecBloku::Ucieta : KoniecBloku::Zbior;
}

// One block of the counters file; `l` is cleared first.
KoniecBloku CzytajBlokLicznikow(ZbiorLinii& z, LicznikiNagrania& l) {
    l = LicznikiNagrania{};
    return CzytajBlok(z, [&l](Pole p, QByteArrayView v) {
        switch (p) {
        case PAdr: l.Adr = Tekst(v); break;
        case PEmC: l.EmC = Slowo(v); break;
        case PEmD: l.EmD = Slowo(v); break;
        case PEmT: l.EmT = Slowo(v); break;
        case PEmM: l.EmM = Slowo(v); break;
        case PEmR: l.EmR = Slowo(v); break;
        case PEmO: l.EmO = Tekst(v); break;
        default: break;
        }
    });
}

bool Liczony(const LicznikiNagrania& l) { return l.EmC || l.EmD || l.EmT || l.EmM || l.EmR || !l.EmO.isEmpty(); }

}  // namespace

std::vector<LicznikiNagrania> BazaLicznikiZbioru(const QString& sciezkaLinux, bool* ucieta) {
    std::vector<LicznikiNagrania> w;
    if (ucieta)
        *ucieta = false;
    ZbiorLinii z;
    float maksimum = 0;
    if (!z.OtworzCicho(sciezkaLinux) || !CzytajNaglowek(z, false, maksimum))
        return w;
    QSet<QString> sa;
    LicznikiNagrania l;
    while (!z.Koniec() && qsizetype(w.size()) < BazaMaks) {
        if (CzytajBlokLicznikow(z, l) == KoniecBloku::Ucieta) {
            if (ucieta)
                *ucieta = true;
            break;
        }
        if (l.Adr.isEmpty() || !Liczony(l))
            continue;
        const QString klucz = upperPL(l.Adr);
        if (sa.contains(klucz))
            continue;
        sa.insert(klucz);
        w.push_back(std::move(l));
    }
    return w;
}

namespace {

// Titles, codes and paths are each a record's own; the other texts are
// shared between records that hold the same.
void UstawPole(BAZARekordTyp& r, Pole p, QByteArrayView v, WspolneTeksty& w) {
    switch (p) {
    case PTyt: r.Tyt = Tekst(v); break;
    case PWyk: r.Wyk = w.Tekst(v, ZnakiWprost()); break;
    case PKod: r.Kod = Tekst(v); break;
    case PTot: r.Tot = w.Tekst(v, ZnakiWprost()); break;
    case PAdr: r.Adr = Tekst(v, ZnakiDuzePL()); break;
    case PNas: r.Nas = w.Tekst(v, ZnakiWprost()); break;
    case PNar: r.Nar = w.Tekst(v, ZnakiWprost()); break;
    case PJak: r.Jak = w.Tekst(v, ZnakiWprost()); break;
    case PGen: r.Gen = w.Tekst(v, ZnakiWprost()); break;
    case PTyp: r.Typ = w.Tekst(v, ZnakiWprost()); break;
    case PKat: r.Kat = w.Tekst(v, ZnakiDuzeAscii()); break;
    case PEra: r.Era = w.Tekst(v, ZnakiWprost()); break;
    case PBPM: r.BPM = w.Tekst(v, ZnakiWprost()); break;
    case PTem: r.Tem = w.Tekst(v, ZnakiWprost()); break;
    case PKey: r.Key = w.Tekst(v, ZnakiWprost()); break;
    case PFil: r.Fil = w.Tekst(v, ZnakiWprost()); break;
    case PZaa: r.Zaa = w.Tekst(v, ZnakiWprost()); break;
    case PTyx: r.Tyx = Slowo(v); break;
    case PWyx: r.Wyx = Slowo(v); break;
    case PKox: r.Kox = Slowo(v); break;
    case PCzx: r.Czx = Slowo(v); break;
    case PEmC: r.EmC = Slowo(v); break;
    case PEmD: r.EmD = Slowo(v); break;
    case PEmT: r.EmT = Slowo(v); break;
    case PEmM: r.EmM = Slowo(v); break;
    case PEmR: r.EmR = Slowo(v); break;
    case PEmO: r.EmO = w.Tekst(v, ZnakiWprost()); break;
    case PInne: break;
    }
}

QString LiniaLimitu() { return u"(Maksymalnie "_s + QString::number(BazaMaks) + u" pozycji)"_s; }

void ZglosBlad(int kod, const QString& co, const QString& sciezka) {
    Log(co + u": błąd "_s + QString::number(kod) + u" "_s + sciezka);
    PokazBladKod(kod, QString(), sciezka);
}

// ---- writing ----

class Zapis {
public:
    // Touches nothing shared: the counters are also written on a worker thread.
    explicit Zapis(const QString& sciezkaLinux) : f_(sciezkaLinux) { bufor_.reserve(1 << 20); }
    bool Otworz() {
        if (!f_.open()) {
            Blad(f_.error(), 5);
            return false;
        }
        return true;
    }
    void Linia(const QByteArray& tekst) {
        bufor_ += tekst;
        bufor_ += "\r\n";
        Oproznij(false);
    }
    void Tekst(const char* klucz, const QString& v) {
        if (v.isEmpty())
            return;
        bufor_ += klucz;
        QByteArray b = platform::toCp1250(v);
        // A line break inside a text would start a phantom record. Looked
        // for in the bytes: nearly no text has one.
        if (std::any_of(b.cbegin(), b.cend(), [](char c) { return c == '\r' || c == '\n'; }))
            b = platform::toCp1250(oneLine(v));
        bufor_ += b;
        bufor_ += "\r\n";
    }
    void Slowo(const char* klucz, quint16 v) {
        if (v == 0)
            return;
        bufor_ += klucz;
        bufor_ += QByteArray::number(v);
        bufor_ += "\r\n";
    }
    void Liczba(const char* klucz, int v) {
        bufor_ += klucz;
        bufor_ += QByteArray::number(v);
        bufor_ += "\r\n";
    }
    // The old file is replaced only now, and only by a complete file.
    bool Zamknij() {
        Oproznij(true);
        if (kod_ != 0) {
            f_.discard();
            return false;
        }
        if (!f_.commit()) {
            Blad(f_.error(), 101);
            return false;
        }
        return true;
    }
    int Kod() const { return kod_; }

private:
    void Oproznij(bool wszystko) {
        if (kod_ != 0 || (!wszystko && bufor_.size() < (1 << 20)))
            return;
        if (!f_.write(bufor_))
            Blad(f_.error(), 101);
        bufor_.clear();
    }
    void Blad(int err, int zastepczy) {
        if (kod_ == 0)
            kod_ = err ? KodBleduZErrno(err) : zastepczy;
    }
    platform::WholeFileWriter f_;
    QByteArray bufor_;
    int kod_ = 0;
};

QString NazwaDuza(const QString& sciezka) {
    QString k, n, r;
    RozbijSciezke(sciezka, k, n, r);
    return upperPL(n);
}

// The counters of one record (a table record or one taken apart): the same
// lines in the database and the counters file.
template <typename R>
void Liczniki(Zapis& z, const R& r) {
    z.Slowo("EmC=", r.EmC);
    z.Slowo("EmD=", r.EmD);
    z.Slowo("EmT=", r.EmT);
    z.Slowo("EmM=", r.EmM);
    z.Slowo("EmR=", r.EmR);
    z.Tekst("EmO=", r.EmO);
}

// The head of both files: title, version, count, list title.
void Naglowek(Zapis& z, const QString& tytul, const char* wersja, int liczba, const char* tytulListy) {
    z.Linia(platform::toCp1250(tytul));
    z.Linia(QByteArray(wersja));
    z.Linia(platform::toCp1250(u"; Liczba nagrań w bazie:"_s));
    z.Liczba("POZYCJI=", liczba);
    z.Linia(QByteArrayLiteral(";"));
    z.Linia(QByteArray(tytulListy));
}

const QString TytulLicznikow = u"; Liczniki nagrań"_s;
constexpr const char* WersjaLicznikow = "WERSJA=1";
constexpr const char* ListaLicznikow = "; Liczniki:";

// The database file from the table: progress, the head, one block a record,
// closed only when everything was written.
template <typename Blok>
bool ZapiszPlik(const QString& sciezka, const QString& stan, const QString& tytul, const char* wersja,
                const char* tytulListy, Blok blok) {
    Zapis z(platform::resolvePath(sciezka));
    if (!z.Otworz()) {
        BladIO = z.Kod();
        return false;
    }
    PokazStan(stan, QString(), true);
    StanMaksimum = float(BazaLiczba);
    Naglowek(z, tytul, wersja, BazaLiczba, tytulListy);
    for (int i = 1; i <= BazaLiczba; ++i) {
        z.Linia(Separator);
        blok(z, std::as_const(BazaRekordy)[i]);
        z.Linia(QByteArrayLiteral("KONIEC OPISU"));
        if ((i & 1023) == 0) {
            UstawStan(double(i));
            PompujZdarzenia();
        }
    }
    UstawStan(double(BazaLiczba));
    const bool ok = z.Zamknij();
    ZamknijStan();
    BladIO = z.Kod();
    return ok;
}

bool ZapiszBaze(const QString& sciezka) {
    return ZapiszPlik(sciezka, u"Zapis bazy nagrań "_s + NazwaDuza(sciezka), u"; Baza nagrań Halvorin"_s, "WERSJA=2",
                      "; Nagrania:", [](Zapis& z, const BAZARekordTyp& r) {
        z.Tekst("Tyt=", r.Tyt);
        z.Tekst("Wyk=", r.Wyk);
        z.Tekst("Kod=", r.Kod);
        z.Tekst("Tot=", r.Tot);
        z.Tekst("Adr=", r.Adr);
        z.Tekst("Nas=", r.Nas);
        z.Tekst("Nar=", r.Nar);
        z.Tekst("Jak=", r.Jak);
        z.Tekst("Gen=", r.Gen);
        z.Tekst("Typ=", r.Typ);
        z.Tekst("Kat=", r.Kat);
        z.Tekst("Era=", r.Era);
        z.Tekst("BPM=", r.BPM);
        z.Tekst("Tem=", r.Tem);
        z.Tekst("Key=", r.Key);
        z.Tekst("Fil=", r.Fil);
        z.Tekst("Zaa=", r.Zaa);
        z.Slowo("Tyx=", r.Tyx);
        z.Slowo("Wyx=", r.Wyx);
        z.Slowo("Kox=", r.Kox);
        z.Slowo("Czx=", r.Czx);
        Liczniki(z, r);
    });
}

bool ZapiszLiczniki(const QString& sciezka) {
    PokazStan(u"Zapis liczników bazy nagrań "_s + NazwaDuza(sciezka), QString(), true);
    StanMaksimum = float(BazaLiczba);
    const int kod = BazaZapiszZbiorLicznikow(platform::resolvePath(sciezka), BazaMigawkaLicznikow(), [](int i) {
        UstawStan(double(i));
        PompujZdarzenia();
    });
    UstawStan(double(BazaLiczba));
    ZamknijStan();
    BladIO = kod;
    return kod == 0;
}

}  // namespace

int BazaZapiszZbiorLicznikow(const QString& sciezkaLinux, const std::vector<LicznikiNagrania>& liczniki,
                             const std::function<void(int)>& postep) {
    // The counts the file keeps are never replaced by a record that holds
    // none: a recording that a short scan left out and an update brought
    // back, or one in a table that never had its counts, writes the file's.
    // The counted entries of recordings the snapshot lacks follow its own,
    // so a recording that a rebuild left out gets its counts back when it
    // returns.
    const std::vector<LicznikiNagrania> stare = BazaLicznikiZbioru(sciezkaLinux);
    QHash<QString, qsizetype> gdzie;
    gdzie.reserve(qsizetype(stare.size()));
    for (size_t i = 0; i < stare.size(); ++i)
        gdzie.insert(upperPL(stare[i].Adr), qsizetype(i));
    std::vector<bool> wziete(stare.size());
    std::vector<qsizetype> zamiast(liczniki.size(), -1);
    for (size_t j = 0; j < liczniki.size(); ++j) {
        const auto it = gdzie.constFind(upperPL(liczniki[j].Adr));
        if (it == gdzie.cend())
            continue;
        wziete[size_t(*it)] = true;
        if (!Liczony(liczniki[j]))
            zamiast[j] = *it;
    }
    std::vector<size_t> poza;
    for (size_t i = 0; i < stare.size() && liczniki.size() + poza.size() < size_t(BazaMaks); ++i)
        if (!wziete[i])
            poza.push_back(i);

    Zapis z(sciezkaLinux);
    if (!z.Otworz())
        return z.Kod();
    Naglowek(z, TytulLicznikow, WersjaLicznikow, int(liczniki.size() + poza.size()), ListaLicznikow);
    int n = 0;
    const auto blok = [&](const LicznikiNagrania& r, const QString& adr) {
        z.Linia(Separator);
        z.Tekst("Adr=", adr);
        Liczniki(z, r);
        z.Linia(QByteArrayLiteral("KONIEC OPISU"));
        if ((++n & 1023) == 0 && postep)
            postep(n);
    };
    for (size_t j = 0; j < liczniki.size(); ++j)
        blok(zamiast[j] < 0 ? liczniki[j] : stare[size_t(zamiast[j])], liczniki[j].Adr);
    for (size_t i : poza)
        blok(stare[i], stare[i].Adr);
    return z.Zamknij() ? 0 : z.Kod();
}

namespace {

// The table after a read that did not take the whole file: nothing of it
// may later replace the file.
void OdrzucTablice() {
    BazaCzyscWszystko();
    BazaWczytana = false;
}

// Attaches the counters file to the table by path, with its progress
// dialog; false when it could not be read at all (reported).
bool DolaczLiczniki(const QString& sciezka) {
    ZbiorLinii z;
    if (!z.Otworz(sciezka)) {
        ZglosBlad(BladIO, u"Odczyt liczników bazy nagrań"_s, sciezka);
        return false;
    }
    PokazStan(u"Odczyt liczników bazy nagrań"_s, QString(), true);
    float maksimum = float(BazaMaks);
    if (!CzytajNaglowek(z, false, maksimum)) {
        ZamknijStan();
        BladIO = KodZlegoFormatu;
        ZglosBlad(KodZlegoFormatu, u"Odczyt liczników bazy nagrań (brak nagłówka)"_s, sciezka);
        return false;
    }
    StanMaksimum = maksimum;

    int wpisy = 0;
    bool ucieta = false;
    LicznikiNagrania l;
    while (!z.Koniec() && wpisy < BazaMaks) {
        if (CzytajBlokLicznikow(z, l) == KoniecBloku::Ucieta) {
            ucieta = true;
            break;
        }
        if (l.Adr.isEmpty())
            continue;
        ++wpisy;
        // Paths compared in Polish upper case: a rebuilt table (paths as the
        // file system lists them) keeps the counters of a loaded one.
        BazaDolaczLiczniki(l);
        if ((wpisy & 255) == 0) {
            UstawStan(double(wpisy));
            PompujZdarzenia();
        }
    }
    const bool zaDuzo = wpisy >= BazaMaks && z.JestDalejAdres();
    ZamknijStan();
    if (ucieta) {
        // What was attached before the cut is sound and is kept.
        ZglosBlad(KodZlegoFormatu, u"Odczyt liczników bazy nagrań (niepełny opis)"_s, sciezka);
    } else if (zaDuzo) {
        PokazInfo(u"Brak pamięci na wczytanie liczników całej bazy!"_s, LiniaLimitu());
    }
    return true;
}

// After a crash the counters file written in the background holds plays
// that the database file does not: it is newer.
bool LicznikiNowsze(const QString& baza, const QString& liczniki) {
    const QFileInfo b(platform::resolvePath(baza)), l(platform::resolvePath(liczniki));
    return l.exists() && b.exists() && l.lastModified() > b.lastModified();
}

}  // namespace

namespace {

// The records of a database file after its header, into `t`: every complete
// block with a path, at most BazaMaks. `ucieta`: the file was cut short
// (inside a block, or with fewer records than its header states);
// `zaDuzo`: records follow the last the table takes. `postep` hears every
// 256th record.
void CzytajRekordy(ZbiorLinii& z, TablicaBazy& t, float maksimum, qint64 zapowiedziane, bool& ucieta, bool& zaDuzo,
                   const std::function<void(int)>& postep) {
    t.Zarezerwuj(int(maksimum));
    BAZARekordTyp r;
    WspolneTeksty wspolne;
    ucieta = false;
    int bezAdresu = 0;  // written blocks without a path: POZYCJI counts them
    while (!z.Koniec() && t.Liczba() < BazaMaks) {
        BazaWyczyscRekord(r);
        bool klucze = false;
        const KoniecBloku k = CzytajBlok(z, [&](Pole p, QByteArrayView v) { UstawPole(r, p, v, wspolne); }, &klucze);
        if (k == KoniecBloku::Ucieta) {
            ucieta = true;
            break;
        }
        if (r.Adr.isEmpty()) {
            bezAdresu += klucze;
            continue;
        }
        // The length is not in the file; the length order needs it.
        r.Dlugosc = BazaTotNaMs(r.Tot);
        t.Dodaj(std::move(r));
        if ((t.Liczba() & 255) == 0 && postep)
            postep(t.Liczba());
    }
    // A file cut at a record boundary ends cleanly, but with fewer records
    // than its header states: it is as damaged as one cut inside a record.
    if (!ucieta && t.Liczba() + bezAdresu < std::min<qint64>(zapowiedziane, BazaMaks))
        ucieta = true;
    zaDuzo = !ucieta && t.Liczba() >= BazaMaks && z.JestDalejAdres();
}

}  // namespace

void BazaZglosOdczyt(const QString& sciezka, bool ucieta, bool zaDuzo, qint64 zapowiedziane) {
    if (ucieta) {
        // The operator is told what follows: the table is used as far as it
        // goes, and nothing replaces the file until it is mended.
        const QString ile = QString::number(BazaLiczba) +
                            (zapowiedziane > 0 ? u" z "_s + QString::number(zapowiedziane) : QString());
        Log(u"Odczyt bazy nagrań (niepełny zbiór, wczytano "_s + ile + u" nagrań): błąd 215 "_s + sciezka);
        PokazBlad(TekstBleduIO(KodZlegoFormatu) + u" - baza wczytana w części ("_s + ile +
                      u" nagrań), zapis bazy zablokowany"_s,
                  sciezka);
    } else if (zaDuzo) {
        Log(u"Baza nagrań wczytana tylko w części: "_s + sciezka);
        PokazInfo(u"Brak pamięci na wczytanie całej bazy!"_s, LiniaLimitu());
    }
}

void BazaCzytajApart(OdczytBazyApart& o) {
    if (!QFileInfo::exists(platform::resolvePath(o.sciezka))) {
        o.brak = true;
        return;
    }
    ZbiorLinii z;
    if (!z.Otworz(o.sciezka)) {
        o.kod = BladIO;
        return;
    }
    float maksimum = float(BazaMaks);
    if (!CzytajNaglowek(z, true, maksimum, &o.zapowiedziane)) {
        o.kod = KodZlegoFormatu;
        return;
    }
    CzytajRekordy(z, o.tablica, maksimum, o.zapowiedziane, o.ucieta, o.zaDuzo, {});
    BazaBudujIndeksy(o.tablica);
    o.indeks = BazaZbudujIndeks(o.tablica);
    // After a crash the counters file written in the background holds plays
    // the database file does not.
    if (!o.liczniki || !LicznikiNowsze(o.sciezka, o.sciezkaLicznikow))
        return;
    o.licznikiNowsze = true;
    for (const LicznikiNagrania& l :
         BazaLicznikiZbioru(platform::resolvePath(o.sciezkaLicznikow), &o.licznikiUciete)) {
        const auto it = o.indeks.adresy.constFind(upperPL(l.Adr));
        if (it == o.indeks.adresy.cend())
            continue;
        BAZARekordTyp& r = o.tablica[*it];
        r.EmC = l.EmC, r.EmD = l.EmD, r.EmT = l.EmT, r.EmM = l.EmM, r.EmR = l.EmR, r.EmO = l.EmO;
    }
}

void BazaCzytaj() {
    const QString sciezka = BazaSciezka();
    // Anything standing under the database's name counts as there: a folder
    // or a FIFO is refused below as unreadable, never taken for a missing
    // database that a new one may replace.
    if (!QFileInfo::exists(platform::resolvePath(sciezka))) {
        PokazInfo(u"Nie znaleziono bazy nagrań"_s, sciezka);
        BazaWczytana = false;
        return;
    }
    BazaWUzyciu zajeta;
    // This read is the one the table gets.
    BazaPorzucOdczytStartowy();
    BazaRekordy.Wyczysc();
    BazaAdresyZmienione();
    BazaKompletna = false;

    ZbiorLinii z;
    if (!z.Otworz(sciezka)) {
        const int kod = BladIO;
        OdrzucTablice();
        ZglosBlad(kod, u"Odczyt bazy nagrań"_s, sciezka);
        return;
    }
    PokazStan(u"Odczyt bazy nagrań"_s, QString(), true);
    float maksimum = float(BazaMaks);
    qint64 zapowiedziane = 0;
    if (!CzytajNaglowek(z, true, maksimum, &zapowiedziane)) {
        ZamknijStan();
        OdrzucTablice();
        BladIO = KodZlegoFormatu;
        ZglosBlad(KodZlegoFormatu, u"Odczyt bazy nagrań (brak nagłówka)"_s, sciezka);
        return;
    }
    StanMaksimum = maksimum;
    bool ucieta = false, zaDuzo = false;
    CzytajRekordy(z, BazaRekordy, maksimum, zapowiedziane, ucieta, zaDuzo, [](int n) {
        UstawStan(double(n));
        PompujZdarzenia();
    });
    UstawStan(double(BazaLiczba));
    ZamknijStan();
    BazaBudujIndeksy();
    BazaWczytana = true;
    BazaZmieniona = false;
    // A cut last block or more records than the table holds: every complete
    // record is used, but this table never replaces the file.
    BazaKompletna = !zaDuzo && !ucieta;
    BladIO = ucieta ? KodZlegoFormatu : 0;
    BazaZglosOdczyt(sciezka, ucieta, zaDuzo, zapowiedziane);
    if (BazaNagran.BazaLicznikJest) {
        const QString liczniki = BazaSciezkaLicznikow();
        BazaLicznikiTloCzekaj();
        if (LicznikiNowsze(sciezka, liczniki) && DolaczLiczniki(liczniki)) {
            Log(u"Liczniki odegrań wzięte ze zbioru liczników nowszego od bazy: "_s + liczniki);
            BazaZmieniona = true;
        }
    }
}

void BazaZapisz(bool pytaj) {
    const bool tak = !pytaj || Decyzja(u"Czy zapisać bazę nagrań?"_s) == WynikTak;
    if (tak && BazaZmieniona) {
        BazaWUzyciu zajeta;
        const QString sciezka = BazaSciezka();
        if (!BazaKompletna) {
            Log(u"Baza nagrań nie zapisana - tablica niepełna: "_s + sciezka);
            PokazBlad(u"Nie zapisano bazy nagrań - nie została w całości wczytana ani utworzona"_s, sciezka);
        } else {
            // Cleared before the file is written: a change made meanwhile
            // sets it again and is saved next time.
            BazaZmieniona = false;
            if (!ZapiszBaze(sciezka)) {
                BazaZmieniona = true;
                ZglosBlad(BladIO, u"Zapis bazy nagrań"_s, sciezka);
            }
        }
    }
    KasujZdarzenie();
}

void BazaLicznikiZapisz() {
    if (!BazaNagran.BazaLicznikJest)
        return;
    const QString sciezka = BazaSciezkaLicznikow();
    if (!BazaKompletna) {
        Log(u"Liczniki bazy nagrań nie zapisane - tablica niepełna: "_s + sciezka);
        return;
    }
    // An empty table has no counters to give; the file keeps its own.
    if (BazaLiczba <= 0) {
        Log(u"Liczniki bazy nagrań nie zapisane - tablica pusta: "_s + sciezka);
        return;
    }
    BazaWUzyciu zajeta;
    BazaLicznikiTloWstrzymaj();
    const bool zapisane = ZapiszLiczniki(sciezka);
    BazaLicznikiZapisane(zapisane);
    if (!zapisane)
        ZglosBlad(BladIO, u"Zapis liczników bazy nagrań"_s, sciezka);
}

void BazaLicznikiCzytaj() {
    if (!BazaNagran.BazaLicznikJest)
        return;
    const QString sciezka = BazaSciezkaLicznikow();
    BazaLicznikiTloCzekaj();
    if (!QFileInfo::exists(platform::resolvePath(sciezka))) {  // anything there, as for the database
        PokazInfo(u"Nie znaleziono zbioru liczników bazy nagrań"_s, BazaSciezka());
        return;
    }
    BazaWUzyciu zajeta;
    if (!DolaczLiczniki(sciezka))
        return;
    BazaZmieniona = true;
    BazaZapisz(false);
}

void BazaWczytajOdNowa() {
    // Plays counted since the last save would vanish with the old table: the
    // counters file gets them (a load takes it back when it is newer), the
    // database file too, and a table whose save failed is kept.
    BazaLicznikiOproznij();
    BazaWUzyciu zajeta;
    if (BazaZmieniona && BazaKompletna) {
        BazaZapisz(false);
        if (BazaZmieniona) {
            Log(u"Baza nagrań nie wczytana ponownie - zmiany nie zapisane"_s);
            return;
        }
    }
    BazaCzyscWszystko();
    BazaCzytaj();
}
