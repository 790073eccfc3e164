#pragma once
// What the long audio loops (envelopes, normalisation) share: a sample file
// read and written in large blocks at given places, and a progress gauge
// that lets the window system work without costing the loop its speed.
#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

// A file opened by its stored-form path. Results are the program's I/O
// result codes (0 success); nothing throws.
class PlikPCM {
public:
    PlikPCM() = default;
    ~PlikPCM();
    PlikPCM(const PlikPCM&) = delete;
    PlikPCM& operator=(const PlikPCM&) = delete;

    int Otworz(const QString& adres, bool doZapisu);
    qint64 Rozmiar() const { return rozmiar_; }
    // Exactly n bytes at pos: a file that ends sooner is a read error (100).
    int Czytaj(qint64 pos, void* bufor, qint64 n);
    int Pisz(qint64 pos, const void* bufor, qint64 n);
    // Closes now; a failure of close itself is a write error for a file
    // opened for writing.
    int Zamknij();

private:
    int fd_ = -1;
    bool zapis_ = false;
    qint64 rozmiar_ = 0;
};

// The first gauge of the progress window over `maksimum` steps. Pumping the
// window system after every small block would cost more than the work, and
// pumping too seldom would starve the on-air timers: it pumps when the
// percent shown changes and otherwise about every 10 ms.
class PostepPracy {
public:
    explicit PostepPracy(qint64 maksimum);
    // The gauge to step `krok` (1 .. maksimum).
    void Krok(qint64 krok);

private:
    QElapsedTimer zegar_;
    int procent_ = 0;
};

// 16-bit samples of a little-endian file in host order, in place.
void PrzestawSlowa(qint16* p, qint64 n);

// The smallest and the largest of n samples (n > 0); a plain pass that the
// compiler vectorises.
inline void ZakresProbek(const qint16* p, qint64 n, qint16& minimum, qint16& maksimum) {
    qint16 min = p[0], maks = p[0];
    for (qint64 i = 1; i < n; ++i) {
        min = p[i] < min ? p[i] : min;
        maks = p[i] > maks ? p[i] : maks;
    }
    minimum = min;
    maksimum = maks;
}
