// The counters file kept up with the plays: the GUI thread takes a snapshot
// of the counters and queues it, one worker thread writes the queued
// snapshots one after another.
#include <QTimer>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "foundation/Dialogi.h"
#include "foundation/KestSter2.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaWewn.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

namespace {

struct Zadanie {
    QString sciezka;       // stored form, for the event log
    QString sciezkaLinux;  // resolved on the GUI thread
    std::vector<LicznikiNagrania> liczniki;
};

// How one save went: 0, or the I/O result code of its failure.
struct Wynik {
    QString sciezka;
    int kod;
};

// One worker, so saves never overlap and land in the order queued. A
// snapshot queued while an older one still waits replaces it: the newer
// holds every play the older did.
class Pisarz {
public:
    ~Pisarz() { Zakoncz(); }

    void Kolejkuj(Zadanie z) {
        std::unique_lock l(m_);
        if (!watek_.joinable()) {
            koniec_ = false;
            watek_ = std::thread([this] { Petla(); });
        }
        kolejka_ = std::move(z);
        cv_.notify_all();
    }
    // Until nothing waits and nothing is being written.
    void Czekaj() {
        std::unique_lock l(m_);
        cv_.wait(l, [this] { return !kolejka_ && !wToku_; });
    }
    // What waits is dropped (returned: true when there was one); the save
    // being written is finished.
    bool Porzuc() {
        std::unique_lock l(m_);
        const bool bylo = kolejka_.has_value();
        kolejka_.reset();
        cv_.wait(l, [this] { return !wToku_; });
        return bylo;
    }
    void Zakoncz() {
        {
            std::unique_lock l(m_);
            if (!watek_.joinable())
                return;
            koniec_ = true;
            cv_.notify_all();
        }
        watek_.join();
    }
    std::vector<Wynik> Wyniki() {
        std::unique_lock l(m_);
        return std::exchange(wyniki_, {});
    }

private:
    void Petla() {
        std::unique_lock l(m_);
        for (;;) {
            cv_.wait(l, [this] { return kolejka_ || koniec_; });
            if (!kolejka_)
                return;  // ended with nothing left to write
            Zadanie z = std::move(*kolejka_);
            kolejka_.reset();
            wToku_ = true;
            l.unlock();
            const int kod = BazaZapiszZbiorLicznikow(z.sciezkaLinux, z.liczniki);
            z.liczniki.clear();
            l.lock();
            wToku_ = false;
            wyniki_.push_back({z.sciezka, kod});
            cv_.notify_all();
        }
    }

    std::mutex m_;
    std::condition_variable cv_;
    std::optional<Zadanie> kolejka_;
    bool wToku_ = false;
    bool koniec_ = false;
    std::vector<Wynik> wyniki_;
    std::thread watek_;
};

// Made on first use, so it is destroyed before the writer's own constants.
Pisarz& pisarz() {
    static Pisarz p;
    return p;
}

// GUI thread only.
bool oczekuje = false;  // a play counted after the last snapshot
qint64 odKiedy = 0;     // monotonic ms of the first such play
QTimer* zegar = nullptr;

void Oczekuje() {
    if (!oczekuje) {
        oczekuje = true;
        odKiedy = platform::clock().monotonicMs();
    }
}

// A failed save is logged (never a dialog: this runs from a timer beside the
// on-air tick) and tried again after the delay.
void ZglosNiepowodzenia() {
    for (const Wynik& n : pisarz().Wyniki()) {
        // The counters file is one the station depends on: its fault shows
        // until a save works again.
        ZglosZapis(ZbiorStacji::Liczniki, n.sciezka, n.kod == 0 ? QString() : TekstBleduIO(n.kod));
        if (n.kod == 0)
            continue;
        Log(u"Zapis liczników bazy nagrań: błąd "_s + QString::number(n.kod) + u" "_s + n.sciezka);
        oczekuje = false;
        Oczekuje();
    }
}

// Whether the table may be taken now. The counters file is written only when
// the counters are on; a table being read or rebuilt is not whole; an empty
// one has nothing to give and must not empty the file. A table that holds
// only part of the file (a damaged read, an aborted build) would drop the
// counters of every record it lacks: the plays stay pending until a whole
// table is there.
bool MoznaZrobicMigawke() {
    if (!BazaNagran.BazaLicznikJest || BazaLiczba <= 0) {
        oczekuje = false;
        return false;
    }
    return !BazaZajeta() && BazaKompletna;
}

void ZrobMigawke() {
    const QString sciezka = BazaSciezkaLicznikow();
    pisarz().Kolejkuj({sciezka, platform::resolvePath(sciezka), BazaMigawkaLicznikow()});
    oczekuje = false;
}

}  // namespace

void BazaLicznikiDoZapisu() { Oczekuje(); }

void BazaLicznikiTloCzekaj() { pisarz().Czekaj(); }

void BazaLicznikiTloWstrzymaj() { pisarz().Porzuc(); }

void BazaLicznikiZapisane(bool zapisane) {
    if (zapisane)
        oczekuje = false;
    else
        Oczekuje();
}

void BazaLicznikiSprawdz() {
    ZglosNiepowodzenia();
    if (!oczekuje || !MoznaZrobicMigawke())
        return;
    if (platform::clock().monotonicMs() - odKiedy >= BazaLicznikiZwlokaMs)
        ZrobMigawke();
}

void BazaLicznikiOproznij() {
    if (oczekuje && MoznaZrobicMigawke())
        ZrobMigawke();
    pisarz().Czekaj();
    ZglosNiepowodzenia();
}

void BazaLicznikiTloStart() {
    if (!zegar) {
        zegar = new QTimer;
        zegar->setInterval(1000);
        QObject::connect(zegar, &QTimer::timeout, [] { BazaLicznikiSprawdz(); });
    }
    zegar->start();
}

void BazaLicznikiTloStop() {
    // The plays held for the start-up read are counted (or logged) before
    // the last counters are written.
    BazaOdczytStartowyOproznij(BazaOdczytStartowyZwlokaMs);
    delete std::exchange(zegar, nullptr);
    BazaLicznikiOproznij();
    pisarz().Zakoncz();
}
