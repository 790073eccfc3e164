#pragma once
// How the program ends whatever holds it. The signals a service stop or a
// shutdown sends (SIGTERM, SIGINT, SIGHUP) take the window's own close: the
// handler only notes the signal, and the close runs on the program's thread
// from its event loop (a modal window's too). Once a close has begun, the
// process ends within a bounded time: a worker stuck on a share that hangs
// (a read, a stat, a listing) is not waited for past the countdown, which
// removes the lock file and ends the process where it stands.
#include <QString>

#include <functional>
#include <memory>

class QSocketNotifier;

class ZamykanieProgramu {
public:
    // From a signal until the end: long enough for the close path and its
    // files on a disk that answers, short enough for a service manager.
    static constexpr int ZamykanieMs = 10000;
    // From the moment the program's own files are written (history, log,
    // lock removed) until the end: what is left is letting go of memory
    // and threads.
    static constexpr int PoZapisachMs = 1500;

    // Installs the handlers; `naSygnal` gets the signal's number on this
    // thread. One at a time.
    explicit ZamykanieProgramu(std::function<void(int)> naSygnal);
    // The handlers go back to the system's; a countdown still running is
    // called off, unless ZostawDoKonca said otherwise.
    ~ZamykanieProgramu();
    ZamykanieProgramu(const ZamykanieProgramu&) = delete;
    ZamykanieProgramu& operator=(const ZamykanieProgramu&) = delete;

    // The process ends at the latest `ms` from now (or at an earlier time
    // already set).
    void Odliczaj(int ms);
    // The lock file the countdown removes before it ends the process
    // (empty: none).
    void UsunPrzyKoncu(const QString& plik);
    // The countdown outlives this object: it still stands over what runs
    // after it (the destructors of the program's end).
    void ZostawDoKonca() { doKonca_ = true; }

    // "SIGTERM", "SIGINT", "SIGHUP", else "sygnał n".
    static QString NazwaSygnalu(int sygnal);

    // Shared by the object, the signal handler and the countdown's thread.
    struct Stan;

private:
    void odbierz();

    std::shared_ptr<Stan> stan_;
    std::function<void(int)> naSygnal_;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool doKonca_ = false;
};
