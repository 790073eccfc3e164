#include "foundation/KestKopia.h"

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/Text.h"
#include "foundation/Zdarzenie.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

bool NazwaZbioruDozwolona(const QString& nazwa) {
    for (const QChar c : nazwa) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char(':') || c == QLatin1Char('*') ||
            c == QLatin1Char('?'))
            return false;
    }
    return true;
}

quint16 WolnaNazwa(const QString& zacheta, const QString& katalog, QString& nazwa, const QString& rozszerzenie) {
    QString proponowana = nazwa;
    for (;;) {
        KasujZdarzenie();
        TekstPodany = proponowana;
        if (PodajTekst(zacheta, 1600, 0) != WynikTak)
            return OdpowiedzOpusc;  // PodajTekst left the answer 10
        const QString wpisana = TekstPodany;
        proponowana = wpisana;
        // The name is joined to a folder and later overwritten: a separator
        // or a wildcard would send it somewhere else.
        if (!NazwaZbioruDozwolona(wpisana)) {
            PokazBlad2(304, wpisana);
            continue;
        }
        QString pelna = katalog;
        if (!pelna.isEmpty() && !pelna.endsWith(QLatin1Char('\\')) && !pelna.endsWith(QLatin1Char('/')))
            pelna += QLatin1Char('\\');
        pelna += wpisana + rozszerzenie;
        if (QFileInfo::exists(platform::resolvePath(pelna))) {
            if (Decyzja(QStringLiteral("Zbiór o tej nazwie już istnieje!"), QStringLiteral("Czy go skasować?"), 2) !=
                WynikTak)
                continue;
        }
        nazwa = wpisana;
        Zdarzenie.Rodzaj = ZdarzenieKomenda;
        Zdarzenie.Kod = OdpowiedzAkceptuj;
        return OdpowiedzAkceptuj;
    }
}

namespace {

class Deskryptor {
public:
    explicit Deskryptor(int fd) : fd_(fd) {}
    ~Deskryptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Deskryptor(const Deskryptor&) = delete;
    Deskryptor& operator=(const Deskryptor&) = delete;
    int fd() const { return fd_; }
    // Closes now and reports the error of close itself (0 when none).
    int Zamknij() {
        if (fd_ < 0)
            return 0;
        const int r = ::close(fd_);
        fd_ = -1;
        return r == 0 ? 0 : errno;
    }

private:
    int fd_;
};

constexpr int KrotszyNizRozmiar = -1;  // the source ended before its size

int KodBledu(int err, int domyslny) {
    if (err == KrotszyNizRozmiar)
        return 100;
    const int kod = KodBleduZErrno(err);
    return kod != 0 ? kod : domyslny;
}

// 0, or errno / KrotszyNizRozmiar.
int CzytajCaly(int fd, char* bufor, qint64 n) {
    qint64 jest = 0;
    while (jest < n) {
        const ssize_t r = ::read(fd, bufor + jest, size_t(n - jest));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (r == 0)
            return KrotszyNizRozmiar;
        jest += r;
    }
    return 0;
}

int PiszCaly(int fd, const char* bufor, qint64 n) {
    qint64 jest = 0;
    while (jest < n) {
        const ssize_t r = ::write(fd, bufor + jest, size_t(n - jest));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        jest += r;
    }
    return 0;
}

QString NazwaDoPokazania(const QString& zrodlo) {
    QString nazwa = zrodlo;
    const qsizetype k = qMax(nazwa.lastIndexOf(QLatin1Char('\\')), nazwa.lastIndexOf(QLatin1Char('/')));
    if (k >= 0)
        nazwa = nazwa.mid(k + 1);
    return upperPL(nazwa);
}

// The copy itself. The target is written under a temporary name in its own
// folder and renamed over the old one only when complete, so an abort, a
// full disk or a read error never destroys what was there.
int Kopiuj(const QString& zrodlo, const QString& cel, bool bezDaty, bool pokaz, bool dwa, qint64 pozycja,
           bool& przerwane) {
    const QByteArray sciezkaZrodla = QFile::encodeName(platform::resolvePath(zrodlo));
    const QByteArray sciezkaCelu = QFile::encodeName(platform::resolvePath(cel));

    Deskryptor we(::open(sciezkaZrodla.constData(), O_RDONLY | O_CLOEXEC));
    if (we.fd() < 0)
        return KodBledu(errno, 2);
    struct stat zs {};
    if (::fstat(we.fd(), &zs) != 0)
        return KodBledu(errno, 100);
    if (S_ISDIR(zs.st_mode))
        return KodBledu(EISDIR, 5);

    struct stat cs {};
    const bool celJest = ::stat(sciezkaCelu.constData(), &cs) == 0;
    if (celJest && cs.st_dev == zs.st_dev && cs.st_ino == zs.st_ino)
        return 0;  // copying a file onto itself changes nothing
    if (celJest && S_ISDIR(cs.st_mode))
        return KodBledu(EISDIR, 5);

    const QFileInfo celInfo(QFile::decodeName(sciezkaCelu));
    QByteArray tymczasowy =
        QFile::encodeName(celInfo.absolutePath() + QStringLiteral("/.") + celInfo.fileName() + QStringLiteral(".kopia-XXXXXX"));
    Deskryptor wy(::mkostemp(tymczasowy.data(), O_CLOEXEC));
    if (wy.fd() < 0)  // the source is there, so a missing name is the target's folder
        return errno == ENOENT ? 3 : KodBledu(errno, 101);
    auto porzuc = [&](int kod) {
        wy.Zamknij();
        ::unlink(tymczasowy.constData());
        return kod;
    };
    // The replaced file keeps its permissions; a new one gets the source's.
    ::fchmod(wy.fd(), celJest ? (cs.st_mode & 07777) : (zs.st_mode & 0666));

    const qint64 rozmiar = zs.st_size;
    const qint64 bloki = rozmiar / BlokKopii;
    const qint64 reszta = rozmiar % BlokKopii;
    if (pokaz)
        StanMaksimum = float(bloki + 1);
    std::vector<char> bufor(static_cast<size_t>(BlokKopii));

    for (qint64 i = 0; i < bloki && !przerwane; ++i) {
        if (const int e = CzytajCaly(we.fd(), bufor.data(), BlokKopii))
            return porzuc(KodBledu(e, 100));
        if (const int e = PiszCaly(wy.fd(), bufor.data(), BlokKopii))
            return porzuc(KodBledu(e, 101));
        if (pokaz) {
            if (dwa)
                UstawStan2(pozycja, double(i + 2));
            else
                UstawStan(double(i + 2));
        }
        PompujZdarzenia();
        if (StanPrzerwij)
            przerwane = true;
    }
    if (przerwane)
        return porzuc(0);
    if (reszta > 0) {
        if (const int e = CzytajCaly(we.fd(), bufor.data(), reszta))
            return porzuc(KodBledu(e, 100));
        if (const int e = PiszCaly(wy.fd(), bufor.data(), reszta))
            return porzuc(KodBledu(e, 101));
    }
    // On disk before it takes the old file's place.
    if (::fsync(wy.fd()) != 0)
        return porzuc(KodBledu(errno, 101));
    if (!bezDaty) {
        const struct timespec czasy[2] = {{0, UTIME_OMIT}, zs.st_mtim};
        // A file system that keeps no times still gets the copy.
        ::futimens(wy.fd(), czasy);
    }
    if (const int e = wy.Zamknij())
        return porzuc(KodBledu(e, 101));
    if (::rename(tymczasowy.constData(), sciezkaCelu.constData()) != 0)
        return porzuc(KodBledu(errno, 17));
    return 0;
}

int KopiujZPostepem(qint64 pozycja, const QString& zrodlo, const QString& cel, bool pokaz, bool dwa, bool bezDaty,
                    int& wynikIO, bool& przerwane) {
    przerwane = false;
    if (pokaz) {
        const QString tekst =
            QStringLiteral("Kopiowanie zbioru ") + NazwaDoPokazania(zrodlo) + QStringLiteral(" - proszę czekać");
        if (dwa)
            PokazStan2(tekst, QStringLiteral("Przerwij"), true);
        else
            PokazStan(tekst, QStringLiteral("Przerwij"), true);
    }
    wynikIO = Kopiuj(zrodlo, cel, bezDaty, pokaz, dwa, pozycja, przerwane);
    if (pokaz)
        ZamknijStan();
    BladIO = wynikIO;
    return wynikIO;
}

}  // namespace

int KopiujZbior(const QString& zrodlo, const QString& cel, bool& przerwane, bool bezDaty, int& wynikIO) {
    return KopiujZPostepem(0, zrodlo, cel, true, false, bezDaty, wynikIO, przerwane);
}

int KopiujZbior2(qint64 pozycja, const QString& zrodlo, const QString& cel, bool pokaz, bool bezDaty, int& wynikIO,
                 bool& przerwane) {
    return KopiujZPostepem(pozycja, zrodlo, cel, pokaz, true, bezDaty, wynikIO, przerwane);
}
