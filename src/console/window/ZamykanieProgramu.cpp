#include "console/window/ZamykanieProgramu.h"

#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <mutex>
#include <string>
#include <thread>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> Sygnaly{SIGTERM, SIGINT, SIGHUP};

int64_t terazNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// An earlier end wins; lock-free, so a signal handler may call it.
void ustawTermin(std::atomic<int64_t>& termin, int64_t t) {
    int64_t stary = termin.load();
    while ((stary == 0 || t < stary) && !termin.compare_exchange_weak(stary, t)) {
    }
}

}  // namespace

struct ZamykanieProgramu::Stan {
    int gniazda[2] = {-1, -1};  // the handler writes [0]; the program's thread reads [1]
    int budzik = -1;            // wakes the countdown when its end moves
    std::atomic<int64_t> termin{0};  // monotonic ns; 0: no countdown
    std::atomic<bool> odwolane{false};
    std::mutex mutex;
    std::string blokada;
    std::array<struct sigaction, Sygnaly.size()> stare{};
    std::thread watek;

    void obudz() const {
        const uint64_t jeden = 1;
        (void)!::write(budzik, &jeden, sizeof jeden);
    }

    static void pilnuj(const std::shared_ptr<Stan>& s) {
        for (;;) {
            if (s->odwolane.load()) return;
            const int64_t t = s->termin.load();
            int czekaj = -1;
            if (t != 0) {
                const int64_t zostalo = t - terazNs();
                if (zostalo <= 0) break;
                czekaj = int(std::min<int64_t>(zostalo / 1'000'000 + 1, INT_MAX));
            }
            pollfd p{s->budzik, POLLIN, 0};
            if (::poll(&p, 1, czekaj) > 0) {
                uint64_t v = 0;
                (void)!::read(s->budzik, &v, sizeof v);
            }
        }
        // The close had its time: the lock goes with the process, so that
        // the next start is not refused.
        {
            std::lock_guard lock(s->mutex);
            if (!s->blokada.empty()) ::unlink(s->blokada.c_str());
        }
        ::_exit(0);
    }
};

namespace {

std::atomic<ZamykanieProgramu::Stan*> biezacy{nullptr};

void obslugaSygnalu(int sygnal) {
    const int zapamietany = errno;
    if (ZamykanieProgramu::Stan* s = biezacy.load()) {
        const unsigned char b = static_cast<unsigned char>(sygnal);
        (void)!::write(s->gniazda[0], &b, 1);
        ustawTermin(s->termin, terazNs() + int64_t(ZamykanieProgramu::ZamykanieMs) * 1'000'000);
        s->obudz();
    }
    errno = zapamietany;
}

}  // namespace

ZamykanieProgramu::ZamykanieProgramu(std::function<void(int)> naSygnal)
    : stan_(std::make_shared<Stan>()), naSygnal_(std::move(naSygnal)) {
    ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, stan_->gniazda);
    stan_->budzik = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    stan_->watek = std::thread([s = stan_] { Stan::pilnuj(s); });
    notifier_ = std::make_unique<QSocketNotifier>(stan_->gniazda[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { odbierz(); });
    biezacy.store(stan_.get());
    struct sigaction a {};
    a.sa_handler = obslugaSygnalu;
    sigemptyset(&a.sa_mask);
    a.sa_flags = SA_RESTART;
    for (size_t i = 0; i < Sygnaly.size(); ++i) ::sigaction(Sygnaly[i], &a, &stan_->stare[i]);
}

ZamykanieProgramu::~ZamykanieProgramu() {
    for (size_t i = 0; i < Sygnaly.size(); ++i) ::sigaction(Sygnaly[i], &stan_->stare[i], nullptr);
    biezacy.store(nullptr);
    notifier_.reset();
    if (doKonca_) {
        // Its descriptors stay open for it until the process ends.
        stan_->watek.detach();
        return;
    }
    stan_->odwolane.store(true);
    stan_->obudz();
    stan_->watek.join();
    for (int fd : {stan_->gniazda[0], stan_->gniazda[1], stan_->budzik})
        if (fd >= 0) ::close(fd);
}

void ZamykanieProgramu::Odliczaj(int ms) {
    ustawTermin(stan_->termin, terazNs() + int64_t(ms) * 1'000'000);
    stan_->obudz();
}

void ZamykanieProgramu::UsunPrzyKoncu(const QString& plik) {
    std::lock_guard lock(stan_->mutex);
    stan_->blokada = plik.isEmpty() ? std::string() : QFile::encodeName(plik).toStdString();
}

QString ZamykanieProgramu::NazwaSygnalu(int sygnal) {
    switch (sygnal) {
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGHUP: return QStringLiteral("SIGHUP");
    }
    return QStringLiteral("sygnał %1").arg(sygnal);
}

void ZamykanieProgramu::odbierz() {
    unsigned char b[16];
    for (ssize_t n; (n = ::read(stan_->gniazda[1], b, sizeof b)) > 0;)
        for (ssize_t i = 0; i < n; ++i)
            if (naSygnal_) naSygnal_(b[i]);
}
