#include "foundation/KestDysk2.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "foundation/Text.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

int BladIO = 0;

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

void append(const QString& plik, const QString& line) {
    errno = 0;
    if (!platform::appendTextLines(platform::resolvePath(plik), {line})) {
        if (BladIO == 0) BladIO = errno ? KodBleduZErrno(errno) : 101;
    }
}

QStringList readLines(const QString& plik) {
    QStringList lines;
    platform::readTextLines(platform::resolvePath(plik), lines);
    return lines;
}

// Index of the first line after the section header, -1 when there is none.
qsizetype afterHeader(const QStringList& lines, const QString& sekcja) {
    const QString header = QLatin1Char('[') + upperPL(sekcja) + QLatin1Char(']');
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (upperPL(lines[i]) == header) return i + 1;
    return -1;
}

// The value of the last line with the key after the header; false when there is none.
bool lastValue(const QStringList& lines, const QString& sekcja, const QString& klucz, QString& value) {
    const qsizetype start = afterHeader(lines, sekcja);
    if (start < 0) return false;
    const QString key = upperPL(klucz);
    bool found = false;
    for (qsizetype i = start; i < lines.size(); ++i) {
        const QString& l = lines[i];
        if (l.startsWith(QLatin1Char(';'))) continue;
        const qsizetype eq = l.indexOf(QLatin1Char('='));
        if (eq < 0) continue;
        if (upperPL(trimRight(l.left(eq))) != key) continue;
        value = trimRight(l.mid(eq + 1));
        found = true;
    }
    return found;
}

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
// Each reader works on the lines of the file as they are now; the
// in-memory forms below serve the section tables, which read a file once.

namespace ustawienia {

QStringList czytajPlik(const QString& plik) { return readLines(plik); }

QString klucz(const QStringList& lines, const QString& sekcja, const QString& k) {
    QString v;
    lastValue(lines, sekcja, k, v);
    return v;
}

void boolean(const QStringList& lines, const QString& sekcja, const QString& k, bool& flaga) {
    QString v;
    if (!lastValue(lines, sekcja, k, v) || v.isEmpty()) return;
    qint64 n = 0;
    flaga = parseInteger(v, n) && mod65536(n) == 1;
}

void bajt(const QStringList& lines, const QString& sekcja, const QString& k, quint8& b, int min, int max, int fallback) {
    QString v;
    if (!lastValue(lines, sekcja, k, v) || v.isEmpty()) return;
    qint64 n = 0;
    if (!parseInteger(v, n)) {
        b = quint8(fallback);
        return;
    }
    n = mod65536(n);
    b = (n < min || n > max) ? quint8(fallback) : quint8(n);
}

void liczba(const QStringList& lines, const QString& sekcja, const QString& k, qint32& l, qint32 min, qint32 max, qint32 fallback) {
    QString v;
    if (!lastValue(lines, sekcja, k, v) || v.isEmpty()) return;
    qint64 n = 0;
    if (!parseInteger(v, n) || n < INT32_MIN || n > INT32_MAX || n < min || n > max) {
        l = fallback;
        return;
    }
    l = qint32(n);
}

void katalog(const QStringList& lines, const QString& sekcja, const QString& k, const QString& domyslny, QString& kat) {
    QString v;
    if (!lastValue(lines, sekcja, k, v) || v.isEmpty()) return;
    v = upperPL(v);
    kat = (v != QLatin1String("PROGRAM") && JestKatalog(v)) ? v : domyslny;
}

bool wartosc(const QStringList& lines, const QString& sekcja, const QString& k, QString& v) {
    return lastValue(lines, sekcja, k, v);
}

bool jest(const QStringList& lines, const QString& sekcja, const QString& k) {
    QString v;
    return lastValue(lines, sekcja, k, v) && !v.isEmpty();
}

}  // namespace ustawienia

QString CzytajKlucz(const QString& plik, const QString& sekcja, const QString& klucz) {
    return ustawienia::klucz(readLines(plik), sekcja, klucz);
}
void CzytajKlucz(const QString& plik, const QString& sekcja, const QString& klucz, QString& wartosc) {
    wartosc = CzytajKlucz(plik, sekcja, klucz);
}
void CzytajBool(const QString& plik, const QString& sekcja, const QString& klucz, bool& flaga) {
    ustawienia::boolean(readLines(plik), sekcja, klucz, flaga);
}
void CzytajBajt(const QString& plik, const QString& sekcja, const QString& klucz, quint8& bajt, int minimum, int maksimum, int zastepcza) {
    ustawienia::bajt(readLines(plik), sekcja, klucz, bajt, minimum, maksimum, zastepcza);
}
void CzytajLiczbe(const QString& plik, const QString& sekcja, const QString& klucz, qint32& liczba, qint32 minimum, qint32 maksimum, qint32 zastepcza) {
    ustawienia::liczba(readLines(plik), sekcja, klucz, liczba, minimum, maksimum, zastepcza);
}
void CzytajKatalog(const QString& plik, const QString& sekcja, const QString& klucz, const QString& domyslny, QString& katalog) {
    ustawienia::katalog(readLines(plik), sekcja, klucz, domyslny, katalog);
}
bool JestKlucz(const QString& plik, const QString& sekcja, const QString& klucz) {
    return ustawienia::jest(readLines(plik), sekcja, klucz);
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

bool SprawdzZbiorKonfig(QString& plik, const QString& nazwaProgramu, const QStringList& args) {
    if (!args.isEmpty() && args[0].size() >= 5) plik = args[0];
    return upperPL(CzytajKlucz(plik, QStringLiteral("Nazwa programu"), QStringLiteral("Nazwa"))) == upperPL(nazwaProgramu);
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

bool JestZbior(const QString& sciezka) { return !sciezka.isEmpty() && QFileInfo::exists(platform::resolvePath(sciezka)); }

bool JestNiepustyZbior(const QString& plik) {
    QFile f(platform::resolvePath(plik));
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.size() > 0;
}

bool JestTylkoDoOdczytu(const QString& plik) {
    // From the permission bits, not access(): the console may run as root.
    const QFileInfo fi(platform::resolvePath(plik));
    if (!fi.exists()) return true;
    return !(fi.permissions() & QFileDevice::WriteOwner);
}

bool JestKatalog(const QString& sciezka) { return !sciezka.isEmpty() && QFileInfo(platform::resolvePath(sciezka)).isDir(); }

qint64 RozmiarZbioru(const QString& plik) {
    QFile f(platform::resolvePath(plik));
    if (!f.open(QIODevice::ReadOnly)) {
        BladIO = 2;
        return -1;
    }
    return f.size();
}

bool TeSameRozmiary(const QString& a, const QString& b) {
    QFile fa(platform::resolvePath(a)), fb(platform::resolvePath(b));
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return false;
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
