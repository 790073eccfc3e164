// The database read at start-up by a worker: the file lives on a share that
// may be slow, and the window and the on-air loop must not wait for it.
#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "foundation/KestSter2.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaWewn.h"
#include "platform/SerialWorker.h"

using namespace Qt::StringLiterals;

namespace {

// One read, shared with its worker: the operator or the close may give up
// on it while it still waits for the share.
struct Odczyt {
    OdczytBazyApart wynik;  // the worker's until `gotowe`
    std::mutex m;
    std::condition_variable cv;
    bool gotowe = false;
};

// The GUI thread's: the read still awaited, with the hold that keeps the
// plays ending meanwhile for the table it brings.
struct Oczekiwanie {
    std::shared_ptr<Odczyt> odczyt;
    QString sciezka;
    std::optional<BazaWUzyciu> wstrzymanie;
};

// Never destroyed: the program's end must not count plays.
Oczekiwanie& oczekiwanie() {
    static auto* o = new Oczekiwanie;
    return *o;
}

void Przejmij(const std::shared_ptr<Odczyt>& o) {
    Oczekiwanie& c = oczekiwanie();
    if (c.odczyt != o)
        return;  // given up: the table is another read's
    c.odczyt.reset();
    OdczytBazyApart& w = o->wynik;
    const bool jest = !w.brak && w.kod == 0;
    if (w.brak) {
        Log(u"Baza nagrań nie wczytana przy starcie - nie znaleziono: "_s + w.sciezka);
    } else if (w.kod != 0) {
        Log(u"Odczyt bazy nagrań przy starcie: błąd "_s + QString::number(w.kod) + u' ' + w.sciezka);
    } else {
        BazaPrzejmijTablice(w.tablica, w.indeks);
        BazaWczytana = true;
        BazaKompletna = !w.ucieta && !w.zaDuzo;
        BazaZmieniona = w.licznikiNowsze;
        if (w.licznikiNowsze)
            Log(u"Liczniki odegrań wzięte ze zbioru liczników nowszego od bazy: "_s + w.sciezkaLicznikow);
        if (w.licznikiUciete)
            Log(u"Odczyt liczników bazy nagrań (niepełny opis): błąd 215 "_s + w.sciezkaLicznikow);
    }
    // The plays held meanwhile are counted now, or logged one line each.
    c.wstrzymanie.reset();
    if (jest)
        BazaZglosOdczyt(w.sciezka, w.ucieta, w.zaDuzo, w.zapowiedziane);
}

}  // namespace

void BazaCzytajPrzyStarcie() {
    Oczekiwanie& c = oczekiwanie();
    if (!BazaNagran.BazaLicznikJest || BazaWczytana || BazaLiczba > 0 || c.odczyt)
        return;
    auto o = std::make_shared<Odczyt>();
    o->wynik.sciezka = BazaSciezka();
    o->wynik.sciezkaLicznikow = BazaSciezkaLicznikow();
    o->wynik.liczniki = true;
    c.odczyt = o;
    c.sciezka = o->wynik.sciezka;
    c.wstrzymanie.emplace();
    std::thread([o] {
        // Parsing 60 000 records must not take the processor from the loop.
        platform::becomeBackgroundThread();
        BazaCzytajApart(o->wynik);
        {
            const std::lock_guard l(o->m);
            o->gotowe = true;
        }
        o->cv.notify_all();
        if (QCoreApplication* a = QCoreApplication::instance())
            QMetaObject::invokeMethod(a, [o] { Przejmij(o); }, Qt::QueuedConnection);
    }).detach();
    // A share that does not answer holds no play for long: past this, what
    // ends is logged as not counted while the read still waits.
    if (QCoreApplication* a = QCoreApplication::instance())
        QTimer::singleShot(BazaOdczytStartowyCzekanieMs, a, [o] {
            Oczekiwanie& c = oczekiwanie();
            if (c.odczyt != o || !c.wstrzymanie)
                return;
            Log(u"Baza nagrań nie wczytana przy starcie - brak odpowiedzi: "_s + c.sciezka);
            c.wstrzymanie.reset();
        });
}

void BazaOdczytStartowyOproznij(int ms) {
    Oczekiwanie& c = oczekiwanie();
    const std::shared_ptr<Odczyt> o = c.odczyt;
    if (!o)
        return;
    bool gotowe = true;
    {
        std::unique_lock l(o->m);
        const auto jest = [&o] { return o->gotowe; };
        if (ms < 0)
            o->cv.wait(l, jest);
        else
            gotowe = o->cv.wait_for(l, std::chrono::milliseconds(ms), jest);
    }
    if (gotowe) {
        Przejmij(o);
        return;
    }
    Log(u"Baza nagrań nie wczytana przy starcie - brak odpowiedzi: "_s + c.sciezka);
    BazaPorzucOdczytStartowy();
}

void BazaPorzucOdczytStartowy() {
    Oczekiwanie& c = oczekiwanie();
    if (!c.odczyt)
        return;
    c.odczyt.reset();
    c.wstrzymanie.reset();
}
