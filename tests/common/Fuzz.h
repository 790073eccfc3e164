#pragma once
// Damaged inputs for the readers: seeded mutations of good files, fed to a
// reader for a bounded time. The same seed gives the same inputs, so a
// failure is repeated by its seed and input number.
#include <QByteArray>
#include <QString>

#include <functional>
#include <random>
#include <vector>

namespace fuzz {

class Mutator {
public:
    explicit Mutator(quint64 seed) : rng_(seed) {}
    // A copy of `good` with one to four damages: bits and bytes changed,
    // little-endian numbers at their edges, ranges cut, repeated or
    // inserted, a cut end, lines repeated, lengthened or moved, numbers
    // made huge or negative.
    QByteArray mutate(const QByteArray& good);
    // 0..n-1 (0 when n is 0).
    quint32 below(quint32 n);

private:
    void once(QByteArray& b);
    std::mt19937_64 rng_;
};

// What one run of a reader came to.
struct Wynik {
    int inputs = 0;
    quint64 seed = 0;
};

// Writes damaged copies of the seeds (in turn) to `file` and calls
// `czytaj` after each: `wejsc` inputs, the same on every run, chosen to
// take a few seconds in the sanitizer build (a loaded machine stops at 15 s
// and says so). By hand, TOLVANE_FUZZ_SECONDS runs for that long instead
// and TOLVANE_FUZZ_SEED gives other inputs. Checks made inside `czytaj` are
// reported with the input's number; the run stops at the first failure, and
// at an input that takes over 5 s. When a reader crashes, the input stays in
// `file`. Qt's warnings are silenced for the run. The number of inputs is
// printed and recorded as the test's property.
Wynik run(const char* reader, const QString& file, const std::vector<QByteArray>& seeds,
          const std::function<void()>& czytaj, int wejsc);

}  // namespace fuzz
