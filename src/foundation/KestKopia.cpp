#include "foundation/KestKopia.h"

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "foundation/Zdarzenie.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

bool NazwaZbioruDozwolona(const QString& nazwa) {
    for (const QChar c : nazwa) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char(':') || c == QLatin1Char('*') ||
            c == QLatin1Char('?'))
            return false;
    }
    // ".." would lead out of the folder.
    return !nazwa.contains(QStringLiteral(".."));
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

// An error of writing the target: never reported as a read error, whatever
// errno the disk gave (EIO and the unknown ones read as 100 elsewhere).
int KodBleduZapisu(int err) {
    const int kod = KodBledu(err, 101);
    return kod == 100 ? 101 : kod;
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

int PiszCaly(const ZapisKopii& zapis, int fd, const char* bufor, qint64 n) {
    qint64 jest = 0;
    while (jest < n) {
        errno = 0;
        const ssize_t r = zapis ? zapis(fd, bufor + jest, size_t(n - jest)) : ::write(fd, bufor + jest, size_t(n - jest));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return errno ? errno : EIO;
        }
        if (r == 0)  // a write that takes nothing would loop for ever
            return ENOSPC;
        jest += r;
    }
    return 0;
}

ZapisKopii& zapisKopii() {
    static ZapisKopii z;
    return z;
}

QString NazwaDoPokazania(const QString& zrodlo) {
    QString nazwa = zrodlo;
    const qsizetype k = qMax(nazwa.lastIndexOf(QLatin1Char('\\')), nazwa.lastIndexOf(QLatin1Char('/')));
    if (k >= 0)
        nazwa = nazwa.mid(k + 1);
    return upperPL(nazwa);
}

// One copy as the worker thread runs it. It touches nothing of the GUI
// thread's: paths come resolved, progress and the abort go through atomics.
struct PracaKopii {
    QByteArray zrodlo;
    QByteArray cel;
    bool bezDaty = false;
    ZapisKopii zapis;

    std::atomic<qint64> bloki{-1};    // whole blocks, once the source's size is known
    std::atomic<qint64> zrobione{0};  // whole blocks written
    std::atomic<bool> przerwij{false};
    const std::atomic<bool>* przerwijZ = nullptr;  // a worker's own stop, besides
    // Read by the GUI thread only after the worker was joined.
    bool przerwane = false;
    int wynik = 0;

    void Wykonaj() { wynik = Kopiuj(); }

private:
    // The target is written under a temporary name in its own folder and
    // renamed over the old one only when complete, so an abort, a full disk
    // or a read error never destroys what was there.
    int Kopiuj() {
        Deskryptor we(::open(zrodlo.constData(), O_RDONLY | O_CLOEXEC));
        if (we.fd() < 0)
            return KodBledu(errno, 2);
        struct stat zs {};
        if (::fstat(we.fd(), &zs) != 0)
            return KodBledu(errno, 100);
        if (S_ISDIR(zs.st_mode))
            return KodBledu(EISDIR, 5);

        struct stat cs {};
        const bool celJest = ::stat(cel.constData(), &cs) == 0;
        if (celJest && cs.st_dev == zs.st_dev && cs.st_ino == zs.st_ino)
            return 0;  // copying a file onto itself changes nothing
        if (celJest && S_ISDIR(cs.st_mode))
            return KodBledu(EISDIR, 5);
        // The rename needs only the folder's permission: a target that is
        // read-only (as JestTylkoDoOdczytu sees it) must be refused here.
        if (celJest && !(cs.st_mode & S_IWUSR))
            return 5;

        const QFileInfo celInfo(QFile::decodeName(cel));
        QByteArray tymczasowy = QFile::encodeName(celInfo.absolutePath() + QStringLiteral("/.") + celInfo.fileName() +
                                                  QStringLiteral(".kopia-XXXXXX"));
        Deskryptor wy(::mkostemp(tymczasowy.data(), O_CLOEXEC));
        if (wy.fd() < 0)  // the source is there, so a missing name is the target's folder
            return errno == ENOENT ? 3 : KodBleduZapisu(errno);
        auto porzuc = [&](int kod) {
            wy.Zamknij();
            ::unlink(tymczasowy.constData());
            return kod;
        };
        // The replaced file keeps its permissions; a new one gets the source's.
        ::fchmod(wy.fd(), celJest ? (cs.st_mode & 07777) : (zs.st_mode & 0666));

        const qint64 rozmiar = zs.st_size;
        const qint64 n = rozmiar / BlokKopii;
        const qint64 reszta = rozmiar % BlokKopii;
        bloki.store(n, std::memory_order_release);
        std::vector<char> bufor(static_cast<size_t>(BlokKopii));

        for (qint64 i = 0; i < n && !przerwane; ++i) {
            if (const int e = CzytajCaly(we.fd(), bufor.data(), BlokKopii))
                return porzuc(KodBledu(e, 100));
            if (const int e = PiszCaly(zapis, wy.fd(), bufor.data(), BlokKopii))
                return porzuc(KodBleduZapisu(e));
            zrobione.store(i + 1, std::memory_order_relaxed);
            if (przerwij.load() || (przerwijZ && przerwijZ->load()))
                przerwane = true;
        }
        if (przerwane)
            return porzuc(0);
        if (reszta > 0) {
            if (const int e = CzytajCaly(we.fd(), bufor.data(), reszta))
                return porzuc(KodBledu(e, 100));
            if (const int e = PiszCaly(zapis, wy.fd(), bufor.data(), reszta))
                return porzuc(KodBleduZapisu(e));
        }
        // On disk before it takes the old file's place.
        if (::fsync(wy.fd()) != 0)
            return porzuc(KodBleduZapisu(errno));
        if (!bezDaty) {
            const struct timespec czasy[2] = {{0, UTIME_OMIT}, zs.st_mtim};
            // A file system that keeps no times still gets the copy.
            ::futimens(wy.fd(), czasy);
        }
        if (const int e = wy.Zamknij())
            return porzuc(KodBleduZapisu(e));
        if (::rename(tymczasowy.constData(), cel.constData()) != 0)
            return porzuc(KodBledu(errno, 17));
        return 0;
    }
};

// How often the waiting GUI thread moves the gauge and looks at the abort button.
constexpr int OdstepPostepuMs = 20;

// Runs the copy on a worker thread. The calling thread keeps its event loop
// running meanwhile, so the on-air timers tick, windows repaint and the abort
// button works however slow the disks are; it returns when the copy ended.
void KopiujNaWatku(PracaKopii& praca, bool pokaz, bool dwa, qint64 pozycja) {
    if (!QCoreApplication::instance()) {  // no event loop to keep
        praca.Wykonaj();
        return;
    }
    bool maksimum = false;
    qint64 pokazane = 0;
    auto postep = [&] {
        const qint64 bloki = praca.bloki.load(std::memory_order_acquire);
        if (bloki < 0)
            return;
        if (pokaz && !maksimum) {
            StanMaksimum = float(bloki + 1);
            maksimum = true;
        }
        const qint64 zrobione = praca.zrobione.load(std::memory_order_relaxed);
        if (pokaz && zrobione > pokazane) {
            pokazane = zrobione;
            // Blocks done + 1 against blocks + 1: a finished copy shows 100 %.
            if (dwa)
                UstawStan2(pozycja, double(zrobione + 1));
            else
                UstawStan(double(zrobione + 1));
        }
    };

    QEventLoop petla;
    QTimer tik;
    tik.setInterval(OdstepPostepuMs);
    QObject::connect(&tik, &QTimer::timeout, &petla, [&] {
        postep();
        PompujZdarzenia();
        if (StanPrzerwij)
            praca.przerwij.store(true);
    });
    std::thread watek([&praca, &petla] {
        praca.Wykonaj();
        QMetaObject::invokeMethod(&petla, &QEventLoop::quit, Qt::QueuedConnection);
    });
    tik.start();
    {
        const StrazPetli straz;
        petla.exec();
    }
    tik.stop();
    // Normally the copy has ended here; only an application quitting ends
    // the loop early, and then the copy is given up.
    praca.przerwij.store(true);
    watek.join();
    postep();
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
    PracaKopii praca;
    praca.zrodlo = QFile::encodeName(platform::resolvePath(zrodlo));
    praca.cel = QFile::encodeName(platform::resolvePath(cel));
    praca.bezDaty = bezDaty;
    praca.zapis = zapisKopii();
    // A batch's abort flag set before this file stops it after its first block.
    praca.przerwij.store(StanPrzerwij);
    KopiujNaWatku(praca, pokaz, dwa, pozycja);
    przerwane = praca.przerwane;
    wynikIO = praca.wynik;
    if (pokaz)
        ZamknijStan();
    BladIO = wynikIO;
    return wynikIO;
}

}  // namespace

void UstawZapisKopii(ZapisKopii zapis) { zapisKopii() = std::move(zapis); }

int KopiujZbiorTu(const QString& zrodlo, const QString& cel, bool bezDaty, const std::atomic<bool>* przerwij,
                  bool& przerwane) {
    PracaKopii praca;
    praca.zrodlo = QFile::encodeName(platform::resolvePath(zrodlo));
    praca.cel = QFile::encodeName(platform::resolvePath(cel));
    praca.bezDaty = bezDaty;
    praca.zapis = zapisKopii();
    praca.przerwijZ = przerwij;
    praca.Wykonaj();
    przerwane = praca.przerwane;
    BladIO = praca.wynik;
    return praca.wynik;
}

int KopiujZbior(const QString& zrodlo, const QString& cel, bool& przerwane, bool bezDaty, int& wynikIO) {
    return KopiujZPostepem(0, zrodlo, cel, true, false, bezDaty, wynikIO, przerwane);
}

int KopiujZbior2(qint64 pozycja, const QString& zrodlo, const QString& cel, bool pokaz, bool bezDaty, int& wynikIO,
                 bool& przerwane) {
    return KopiujZPostepem(pozycja, zrodlo, cel, pokaz, true, bezDaty, wynikIO, przerwane);
}

bool KopiujZglaszajac(const QString& zrodlo, const QString& cel, const QString& coNieUdane, bool& przerwane,
                      OknoKopii okno, qint64 pozycja) {
    int wynikIO = 0;
    const int kod = KopiujZPostepem(pozycja, zrodlo, cel, okno != OknoKopii::Brak, okno == OknoKopii::Dwa, false,
                                    wynikIO, przerwane);
    if (kod == 0) return !przerwane;
    const QString pliki = zrodlo + QStringLiteral(" -> ") + cel;
    Log(coNieUdane + pliki + QStringLiteral(" (") + QString::number(kod) + QLatin1Char(')'));
    PokazBladKod(kod, QString(), pliki);
    return false;
}
