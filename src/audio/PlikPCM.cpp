#include "audio/PlikPCM.h"

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "platform/Paths.h"

#include <QFile>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kBladOdczytu = 100;
constexpr int kBladZapisu = 101;
constexpr qint64 kPompujCoMs = 10;
}  // namespace

PlikPCM::~PlikPCM() {
    if (fd_ >= 0) ::close(fd_);
}

int PlikPCM::Otworz(const QString& adres, bool doZapisu) {
    Zamknij();
    const QByteArray sciezka = QFile::encodeName(platform::resolvePath(adres));
    fd_ = ::open(sciezka.constData(), (doZapisu ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd_ < 0) return KodBleduZErrno(errno);
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int kod = S_ISDIR(st.st_mode) ? 5 : kBladOdczytu;
        Zamknij();
        return kod;
    }
    zapis_ = doZapisu;
    rozmiar_ = st.st_size;
    return 0;
}

int PlikPCM::Czytaj(qint64 pos, void* bufor, qint64 n) {
    auto* p = static_cast<char*>(bufor);
    while (n > 0) {
        const ssize_t r = ::pread(fd_, p, size_t(n), off_t(pos));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return KodBleduZErrno(errno);
        if (r == 0) return kBladOdczytu;
        p += r;
        pos += r;
        n -= r;
    }
    return 0;
}

int PlikPCM::Pisz(qint64 pos, const void* bufor, qint64 n) {
    const auto* p = static_cast<const char*>(bufor);
    while (n > 0) {
        const ssize_t r = ::pwrite(fd_, p, size_t(n), off_t(pos));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return r < 0 ? KodBleduZErrno(errno) : kBladZapisu;
        p += r;
        pos += r;
        n -= r;
    }
    return 0;
}

int PlikPCM::Zamknij() {
    if (fd_ < 0) return 0;
    const int r = ::close(fd_);
    fd_ = -1;
    return r == 0 || !zapis_ ? 0 : kBladZapisu;
}

PostepPracy::PostepPracy(qint64 maksimum) {
    StanMaksimum = float(maksimum);
    zegar_.start();
}

void PostepPracy::Krok(qint64 krok) {
    UstawStan(double(krok));
    const int procent = ProcentStanu(double(krok), StanMaksimum);
    if (procent != procent_ || zegar_.hasExpired(kPompujCoMs)) {
        procent_ = procent;
        PompujZdarzenia();
        zegar_.restart();
    }
}

void PrzestawSlowa(qint16* p, qint64 n) {
    if constexpr (Q_BYTE_ORDER == Q_BIG_ENDIAN) {
        for (qint64 i = 0; i < n; ++i) p[i] = qFromLittleEndian(p[i]);
    } else {
        Q_UNUSED(p);
        Q_UNUSED(n);
    }
}
