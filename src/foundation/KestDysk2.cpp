#include "foundation/KestDysk2.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "foundation/Text.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

thread_local int BladIO = 0;

int KodBleduZErrno(int err) {
    switch (err) {
    case 0: return 0;
    case ENOENT: return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
    case ETXTBSY: return 5;
    case EBADF: return 103;
    case EROFS: return 150;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return 152;
    case ENOSPC:
    case EFBIG:
    case EDQUOT: return 101;
    case EEXIST: return 212;
    case EBUSY: return 210;
    case EIO: return 100;
    default: return 100;
    }
}

void UstawBladIOZErrno(int err) { BladIO = KodBleduZErrno(err); }

// ------------------------------------------------------------------ writers

namespace {
LinieZbioru* zbierane = nullptr;
}  // namespace

LinieZbioru::LinieZbioru(const QString& plik) : plik_(plik), poprzedni_(zbierane) { zbierane = this; }
LinieZbioru::~LinieZbioru() { zbierane = poprzedni_; }

void DopiszDoZbioru(const QString& plik, const QString& line) {
    for (LinieZbioru* z = zbierane; z; z = z->poprzedni_) {
        if (z->plik_ == plik) {
            z->linie_ << line;
            return;
        }
    }
    errno = 0;
    if (!platform::appendTextLines(platform::resolvePath(plik), {line})) {
        if (BladIO == 0) BladIO = errno ? KodBleduZErrno(errno) : 101;
    }
}

namespace {

void append(const QString& plik, const QString& line) { DopiszDoZbioru(plik, line); }

qint64 mod65536(qint64 n) { return ((n % 65536) + 65536) % 65536; }

}  // namespace

QString LiniaBanera(const QString& tytul) {
    QString l = QStringLiteral("; ###  ") + tytul + QStringLiteral("  ");
    while (l.size() < 81) l += QLatin1Char('#');
    return l;
}

void DopiszLinie(const QString& plik, const QString& tekst) { append(plik, tekst); }
void PiszKomentarz(const QString& plik, const QString& tekst) { append(plik, QStringLiteral("; ") + tekst); }

void PiszSekcje(const QString& plik, const QString& tytul, const QString& sekcja) {
    append(plik, QString());
    append(plik, LiniaBanera(tytul));
    append(plik, QLatin1Char('[') + sekcja + QLatin1Char(']'));
}

void PiszKlucz(const QString& plik, const QString& klucz, const QString& wartosc) {
    append(plik, klucz + QLatin1Char('=') + wartosc);
}

void PiszKluczZKomentarzem(const QString& plik, const QString& komentarz, const QString& klucz, const QString& wartosc) {
    PiszKomentarz(plik, komentarz);
    PiszKlucz(plik, klucz, wartosc);
}

void PiszKluczBool(const QString& plik, const QString& komentarz, const QString& klucz, bool flaga) {
    PiszKluczZKomentarzem(plik, komentarz, klucz, flaga ? QStringLiteral("1") : QStringLiteral("0"));
}

// ------------------------------------------------------------------ readers

namespace {
// A settings file is a few hundred lines; anything near this is not one.
constexpr qint64 kNajwiekszyZbiorNastaw = 64LL * 1024 * 1024;
}  // namespace

ZbiorNastaw::ZbiorNastaw(QStringList linie) : linie_(std::move(linie)) {
    // A header is found by its first line, a key by its last: the last line
    // with the key after the header wins, across later headers too.
    for (qsizetype i = 0; i < linie_.size(); ++i) {
        const QString& l = linie_[i];
        if (l.startsWith(QLatin1Char('['))) {
            const QString naglowek = upperPL(l);
            if (!naglowki_.contains(naglowek)) naglowki_.insert(naglowek, i);
        }
        if (l.startsWith(QLatin1Char(';'))) continue;
        const qsizetype eq = l.indexOf(QLatin1Char('='));
        if (eq >= 0) klucze_.insert(upperPL(trimRight(l.left(eq))), i);
    }
}

ZbiorNastaw ZbiorNastaw::Wczytaj(const QString& plik) {
    QByteArray dane;
    errno = 0;
    switch (platform::readWholeFile(platform::resolvePath(plik), dane, kNajwiekszyZbiorNastaw)) {
    case platform::FileRead::Ok: return ZbiorNastaw(platform::splitTextLines(dane));
    case platform::FileRead::CannotOpen: {
        ZbiorNastaw z;
        z.blad_ = errno == ENOENT ? QStringLiteral("nie ma takiego zbioru") : QStringLiteral("nie można go otworzyć");
        return z;
    }
    case platform::FileRead::NotRegular: {
        ZbiorNastaw z;
        z.blad_ = QStringLiteral("to nie jest zwykły zbiór");
        return z;
    }
    case platform::FileRead::TooLarge: {
        ZbiorNastaw z;
        z.blad_ = QStringLiteral("zbiór jest za duży");
        return z;
    }
    case platform::FileRead::ReadError: break;
    }
    ZbiorNastaw z;
    z.blad_ = QStringLiteral("błąd w odczycie zbioru");
    return z;
}

bool ZbiorNastaw::Wartosc(const QString& sekcja, const QString& klucz, QString& v, bool doslownie) const {
    const auto h = naglowki_.constFind(QLatin1Char('[') + upperPL(sekcja) + QLatin1Char(']'));
    if (h == naglowki_.cend()) return false;
    const auto k = klucze_.constFind(upperPL(klucz));
    if (k == klucze_.cend() || *k <= *h) return false;
    const QString& l = linie_[*k];
    v = l.mid(l.indexOf(QLatin1Char('=')) + 1);
    if (!doslownie) v = trimRight(v);
    return true;
}

QString ZbiorNastaw::Klucz(const QString& sekcja, const QString& klucz) const {
    QString v;
    Wartosc(sekcja, klucz, v);
    return v;
}

void ZbiorNastaw::Bool(const QString& sekcja, const QString& klucz, bool& flaga) const {
    QString v;
    if (!Wartosc(sekcja, klucz, v) || v.isEmpty()) return;
    qint64 n = 0;
    flaga = parseInteger(v, n) && mod65536(n) == 1;
}

void ZbiorNastaw::Bajt(const QString& sekcja, const QString& klucz, quint8& b, int min, int max, int zastepcza) const {
    QString v;
    if (!Wartosc(sekcja, klucz, v) || v.isEmpty()) return;
    qint64 n = 0;
    if (!parseInteger(v, n)) {
        b = quint8(zastepcza);
        return;
    }
    n = mod65536(n);
    b = (n < min || n > max) ? quint8(zastepcza) : quint8(n);
}

void ZbiorNastaw::Liczba(const QString& sekcja, const QString& klucz, qint32& l, qint32 min, qint32 max, qint32 zastepcza) const {
    QString v;
    if (!Wartosc(sekcja, klucz, v) || v.isEmpty()) return;
    qint64 n = 0;
    if (!parseInteger(v, n) || n < INT32_MIN || n > INT32_MAX || n < min || n > max) {
        l = zastepcza;
        return;
    }
    l = qint32(n);
}

void ZbiorNastaw::Katalog(const QString& sekcja, const QString& klucz, const QString& domyslny, QString& kat) const {
    QString v;
    if (!Wartosc(sekcja, klucz, v) || v.isEmpty()) return;
    // Windows folders compare in upper case; a Linux path keeps its case.
    const QString gorne = upperPL(v);
    if (platform::hasDriveLetter(v) || gorne == QLatin1String("PROGRAM")) v = gorne;
    kat = (v != QLatin1String("PROGRAM") && JestKatalog(v)) ? v : domyslny;
}

bool ZbiorNastaw::Jest(const QString& sekcja, const QString& klucz) const {
    QString v;
    return Wartosc(sekcja, klucz, v) && !v.isEmpty();
}

QString CzytajKlucz(const QString& plik, const QString& sekcja, const QString& klucz) {
    return ZbiorNastaw::Wczytaj(plik).Klucz(sekcja, klucz);
}
void CzytajKlucz(const QString& plik, const QString& sekcja, const QString& klucz, QString& wartosc) {
    wartosc = CzytajKlucz(plik, sekcja, klucz);
}
void CzytajBool(const QString& plik, const QString& sekcja, const QString& klucz, bool& flaga) {
    ZbiorNastaw::Wczytaj(plik).Bool(sekcja, klucz, flaga);
}
void CzytajBajt(const QString& plik, const QString& sekcja, const QString& klucz, quint8& bajt, int minimum, int maksimum, int zastepcza) {
    ZbiorNastaw::Wczytaj(plik).Bajt(sekcja, klucz, bajt, minimum, maksimum, zastepcza);
}
void CzytajLiczbe(const QString& plik, const QString& sekcja, const QString& klucz, qint32& liczba, qint32 minimum, qint32 maksimum, qint32 zastepcza) {
    ZbiorNastaw::Wczytaj(plik).Liczba(sekcja, klucz, liczba, minimum, maksimum, zastepcza);
}
void CzytajKatalog(const QString& plik, const QString& sekcja, const QString& klucz, const QString& domyslny, QString& katalog) {
    ZbiorNastaw::Wczytaj(plik).Katalog(sekcja, klucz, domyslny, katalog);
}
bool JestKlucz(const QString& plik, const QString& sekcja, const QString& klucz) {
    return ZbiorNastaw::Wczytaj(plik).Jest(sekcja, klucz);
}

// ------------------------------------------------------- sequential reading

QString ObetnijSpacje(const QString& tekst) { return trimRight(tekst); }

QString KluczLinii(const QString& linia) {
    if (linia.startsWith(QLatin1Char(';'))) return QString();
    const qsizetype eq = linia.indexOf(QLatin1Char('='));
    if (eq < 0) return QString();
    return upperPL(trimRight(linia.left(eq)));
}

QString WartoscLinii(const QString& linia) {
    const qsizetype eq = linia.indexOf(QLatin1Char('='));
    if (eq < 0) return QString();
    return trimRight(linia.mid(eq + 1));
}

bool PlikTekstowy::Otworz(const QString& plik) {
    linie_.clear();
    pozycja_ = 0;
    const QString fs = platform::resolvePath(plik);
    QFileInfo fi(fs);
    if (!fi.exists()) {
        BladIO = QFileInfo(fi.absolutePath()).isDir() ? 2 : 3;
        return false;
    }
    errno = 0;
    if (!platform::readTextLines(fs, linie_)) {
        BladIO = errno ? KodBleduZErrno(errno) : 100;
        return false;
    }
    BladIO = 0;
    return true;
}

QString PlikTekstowy::CzytajLinie() {
    if (Koniec()) return QString();
    return linie_[pozycja_++];
}

QString SzukajKluczaDalej(PlikTekstowy& plik, const QString& klucz) {
    while (!plik.Koniec()) {
        const QString l = plik.CzytajLinie();
        if (KluczLinii(l) == klucz) {
            const QString v = WartoscLinii(l);
            return v.isEmpty() ? QStringLiteral(" ") : v;
        }
    }
    return QString();
}

// ------------------------------------------------------ settings-file check

void ZbiorKonfigZArgumentow(QString& plik, const QStringList& args) {
    if (!args.isEmpty() && args[0].size() >= 5) plik = args[0];
}

bool SprawdzZbiorKonfig(const ZbiorNastaw& zbior, const QString& nazwaProgramu, QString& powod) {
    powod.clear();
    if (!zbior.Blad().isEmpty()) {
        powod = zbior.Blad();
        return false;
    }
    QString nazwa;
    if (!zbior.Wartosc(QStringLiteral("Nazwa programu"), QStringLiteral("Nazwa"), nazwa)) {
        powod = QStringLiteral("brak klucza Nazwa w sekcji [Nazwa programu]");
        return false;
    }
    if (upperPL(nazwa) != upperPL(nazwaProgramu)) {
        powod = QStringLiteral("to zbiór programu \"") + nazwa + QStringLiteral("\", nie ") + nazwaProgramu;
        return false;
    }
    return true;
}

bool SprawdzZbiorKonfig(QString& plik, const QString& nazwaProgramu, const QStringList& args) {
    ZbiorKonfigZArgumentow(plik, args);
    QString powod;
    return SprawdzZbiorKonfig(ZbiorNastaw::Wczytaj(plik), nazwaProgramu, powod);
}

// ---------------------------------------------------------- paths and files

namespace {
bool isSep(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }
}  // namespace

void RozbijSciezke(const QString& sciezka, QString& katalog, QString& nazwa, QString& rozszerzenie) {
    qsizetype sep = -1;
    for (qsizetype i = sciezka.size() - 1; i >= 0; --i)
        if (isSep(sciezka[i])) {
            sep = i;
            break;
        }
    QString file;
    if (sep >= 0) {
        katalog = sciezka.left(sep);
        // A root keeps its separator: "C:\" and "/".
        if (katalog.isEmpty() || (katalog.size() == 2 && katalog[1] == QLatin1Char(':'))) katalog = sciezka.left(sep + 1);
        file = sciezka.mid(sep + 1);
    } else if (platform::hasDriveLetter(sciezka)) {
        katalog = sciezka.left(2);
        file = sciezka.mid(2);
    } else {
        katalog.clear();
        file = sciezka;
    }
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) {
        nazwa = file.left(dot);
        rozszerzenie = file.mid(dot);
    } else {
        nazwa = file;
        rozszerzenie.clear();
    }
}

QString KatalogSciezki(const QString& s) {
    QString k, n, r;
    RozbijSciezke(s, k, n, r);
    return upperPL(k);
}
QString NazwaSciezki(const QString& s) {
    QString k, n, r;
    RozbijSciezke(s, k, n, r);
    return upperPL(n);
}
QString RozszerzenieSciezki(const QString& s) {
    QString k, n, r;
    RozbijSciezke(s, k, n, r);
    return upperPL(r);
}

QString ZmienRozszerzenie(const QString& sciezka, const QString& rozszerzenie) {
    QString k, n, r;
    RozbijSciezke(sciezka, k, n, r);
    return sciezka.left(sciezka.size() - r.size()) + rozszerzenie;
}

QChar LiteraDysku(const QString& sciezka) {
    QString k, n, r;
    RozbijSciezke(sciezka, k, n, r);
    if (k.isEmpty()) return QLatin1Char('C');
    return upperPL(k.left(1))[0];
}

QString EtykietaDysku(QChar litera) {
    // Volume labels do not exist for the folders that stand in for drives.
    Q_UNUSED(litera);
    return QString();
}

QString DataZbioruTekst(const QString& plik) {
    const QFileInfo fi(platform::resolvePath(plik));
    if (!fi.exists()) return QString();
    const QDateTime t = fi.lastModified();
    return QString::number(t.date().year()) + QLatin1Char('.') + zeroPad(t.date().month(), 2) + QLatin1Char('.') +
           zeroPad(t.date().day(), 2) + QLatin1Char('_') + t.time().toString(QStringLiteral("HH:mm:ss"));
}


namespace {
// Only a regular file is opened: opening a FIFO for reading waits for a
// writer, and a device has no size to compare.
bool otworzZwykly(QFile& f) { return QFileInfo(f.fileName()).isFile() && f.open(QIODevice::ReadOnly); }
}  // namespace

bool JestNiepustyZbior(const QString& plik) {
    QFile f(platform::resolvePath(plik));
    if (!otworzZwykly(f)) return false;
    return f.size() > 0;
}

bool JestTylkoDoOdczytu(const QString& plik) {
    // From the permission bits, not access(): the console may run as root.
    const QFileInfo fi(platform::resolvePath(plik));
    if (!fi.exists()) return true;
    return !(fi.permissions() & QFileDevice::WriteOwner);
}

namespace {
thread_local JednoSpojrzenie* spojrzenie = nullptr;
}

JednoSpojrzenie::JednoSpojrzenie() : pierwsze_(spojrzenie == nullptr) {
    if (pierwsze_) spojrzenie = this;
}
JednoSpojrzenie::~JednoSpojrzenie() {
    if (pierwsze_) spojrzenie = nullptr;
}

QString PamietanaOdpowiedz(const QString& klucz, const std::function<QString()>& pytanie) {
    if (!spojrzenie) return pytanie();
    const auto jest = spojrzenie->odpowiedzi_.constFind(klucz);
    if (jest != spojrzenie->odpowiedzi_.cend()) return *jest;
    return spojrzenie->odpowiedzi_.insert(klucz, pytanie()).value();
}

bool JestKatalog(const QString& sciezka) {
    if (sciezka.isEmpty()) return false;
    return !PamietanaOdpowiedz(QStringLiteral("katalog:") + sciezka, [&] {
                return QFileInfo(platform::resolvePath(sciezka)).isDir() ? QStringLiteral("1") : QString();
            }).isEmpty();
}

qint64 RozmiarZbioru(const QString& plik) {
    QFile f(platform::resolvePath(plik));
    if (!otworzZwykly(f)) {
        BladIO = 2;
        return -1;
    }
    return f.size();
}

bool TeSameRozmiary(const QString& a, const QString& b) {
    QFile fa(platform::resolvePath(a)), fb(platform::resolvePath(b));
    if (!otworzZwykly(fa) || !otworzZwykly(fb)) return false;
    return fa.size() == fb.size();
}

qint32 DataZbioruDOS(const QString& plik) {
    const QFileInfo fi(platform::resolvePath(plik));
    if (!fi.exists()) return -1;
    const QDateTime t = fi.lastModified();
    const QDate d = t.date();
    const QTime h = t.time();
    if (d.year() < 1980) return 0;
    const quint32 v = (quint32(d.year() - 1980) << 25) | (quint32(d.month()) << 21) | (quint32(d.day()) << 16) |
                      (quint32(h.hour()) << 11) | (quint32(h.minute()) << 5) | quint32(h.second() / 2);
    return qint32(v);
}

bool NowszyZbior(const QString& a, const QString& b) {
    // Unsigned: the packed form of years past 2043 sets the top bit.
    const qint32 ta = DataZbioruDOS(a), tb = DataZbioruDOS(b);
    if (tb == -1) return ta == -1;
    if (ta == -1) return true;
    return quint32(tb) >= quint32(ta);
}

QString joinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return name;
    if (isSep(folder.back())) return folder + name;
    const QChar sep = folder.startsWith(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('\\');
    return folder + sep + name;
}
