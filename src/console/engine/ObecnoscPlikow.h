#pragma once
// What the on-air loop knows of the files of the playlist without asking the
// disk. A worker of its own checks every element's file a folder at a time,
// then watches those folders (one look at each folder's change time a
// second) and checks again when one changed or the list did; the loop reads
// only what the worker published. A slow network share makes the knowledge
// late, never the tick. A folder that does not answer (an I/O error, a stale
// handle, the folder itself gone) says nothing of its files: they are
// BezOdpowiedzi, never Brak, and the worker looks again every period until
// it answers.
#include <QHash>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// What the program's thread takes of a file no worker has looked at yet:
// there when its address is not blank. Its preparation finds out; a look
// from here would hold the on-air loop on a network share.
inline bool ObecnyBezSprawdzenia(const QString& adres) { return !adres.trimmed().isEmpty(); }

class ObecnoscPlikow {
public:
    enum Stan : quint8 { Nieznany, Jest, Brak, BezOdpowiedzi };

    explicit ObecnoscPlikow(int okresMs = 1000);
    ~ObecnoscPlikow();
    ObecnoscPlikow(const ObecnoscPlikow&) = delete;
    ObecnoscPlikow& operator=(const ObecnoscPlikow&) = delete;

    // Program's thread: hands the worker the playlist when it differs from
    // what the worker watches. `Obserwuj` compares every stored address.
    // `ObserwujCzesc`, called by the display refresh ten times a second,
    // sees a change of length at once and compares the addresses a tenth
    // of the list at a time, in turn: a list of 10 000 would otherwise cost
    // every refresh a pass over it, the larger part of the program's idle
    // cost. An element changed in place is then seen within a second; until
    // then the loop finds its address differs from the one checked and asks
    // as for an element not yet known.
    void Obserwuj();
    void ObserwujCzesc();
    // Program's thread: what is known of element `numer` whose address is
    // `adres`; Nieznany while the worker has not seen that address there.
    Stan StanElementu(qint32 numer, const QString& adres) const;
    // Program's thread: the first folder (as stored) that did not answer at
    // the worker's last look, and the system's reason; false when every
    // folder answered.
    bool Awaria(QString* katalog, QString* powod) const;

private:
    struct Obraz {
        std::vector<QString> adresy;  // [0..count], as checked
        std::vector<quint8> stany;
        QString awaria, powod;        // the first folder that did not answer, and why
    };
    static Stan stan(const Obraz* obraz, qint32 numer, const QString& adres) {
        if (!obraz || numer < 1 || size_t(numer) >= obraz->adresy.size()) return Nieznany;
        const QString& znany = obraz->adresy[size_t(numer)];
        // The same text shared with the list costs two comparisons.
        if (!(znany.constData() == adres.constData() && znany.size() == adres.size()) && znany != adres)
            return Nieznany;
        return Stan(obraz->stany[size_t(numer)]);
    }

public:
    // What the worker published, looked at once for a walk over many
    // elements: each element then costs its comparisons, not a look at the
    // version or a lock. A look kept across a walk answers as StanElementu
    // did when it was taken.
    class Widok {
    public:
        Stan operator()(qint32 numer, const QString& adres) const { return stan(obraz_.get(), numer, adres); }
        // The addresses as the worker checked them ([numer]; never changed
        // once published, so another thread may read them); null before
        // the first check.
        std::shared_ptr<const std::vector<QString>> Adresy() const {
            if (!obraz_) return nullptr;
            return std::shared_ptr<const std::vector<QString>>(obraz_, &obraz_->adresy);
        }

    private:
        friend class ObecnoscPlikow;
        std::shared_ptr<const Obraz> obraz_;
    };
    // Program's thread.
    Widok Zobacz() const;
    // Hands over the playlist and returns once the worker has checked it
    // and looked at the advert list (tests, benchmarks, and a fresh start).
    void Oproznij();
    // Program's thread: the file date text of the advert list `adres` as the
    // worker saw it at its last look; false when it has not looked at that
    // file yet or found none. The worker looks once a period at the list
    // Obserwuj handed it (LST1Adres), so a start compares without the disk.
    // `spojrzenie` numbers the look, so that a caller can wait for one made
    // after a moment of its own.
    bool DataListy(const QString& adres, QString* data, quint64* spojrzenie) const;
    quint64 Spojrzenia() const;

private:
    void odswiezWidziany() const;
    void praca();
    void sprawdz(std::vector<QString> adresy);
    void spojrzNaListe(const QString& adres);
    void obserwuj(qint32 porcja);

    const int okresMs_;
    // The program's thread's.
    std::vector<QString> wyslane_;
    qint32 kursor_ = 0;  // the last element ObserwujCzesc compared
    mutable std::shared_ptr<const Obraz> widziany_;
    mutable quint64 wersjaWidziana_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable budzik_;
    std::condition_variable gotowe_;
    std::shared_ptr<const Obraz> obraz_;     // published
    std::atomic<quint64> wersja_{0};         // of obraz_
    std::shared_ptr<std::vector<QString>> nowaLista_;  // waiting for the worker
    quint64 zlecone_ = 0, sprawdzone_ = 0;
    bool koniec_ = false;
    QHash<QString, qint64> foldery_;         // the worker's: watched folders and their times
    bool bezOdpowiedzi_ = false;             // the worker's: a folder did not answer
    QString lista_;                          // the advert list to look at
    QString listaWidziana_, dataListy_;      // what the last look found (empty date: none)
    quint64 spojrzenia_ = 0;                 // looks at the advert list so far
    std::thread watek_;
};
