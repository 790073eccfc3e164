#include "common/Fuzz.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QtGlobal>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <limits>

namespace fuzz {

namespace {

constexpr qsizetype kMaksRozmiar = 1 << 20;  // a damaged input never grows past this

const unsigned char bajtyGraniczne[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, '=', ';', '\r',
                                        '\n', ' ',  ':',  '.',  '-',  '0', '9'};
const quint16 slowaGraniczne[] = {0, 1, 2, 0x7FFF, 0x8000, 0xFFFF};
const quint32 liczbyGraniczne[] = {0, 1, 2, 16, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE, 0x10000, 0x100000};
const char* const teksty[] = {"9999999999", "-1", "-2147483648", "2147483647", "4294967296", "99:99:99.999", "", "="};

// A line of `b` around `pos`: its first byte and the byte after its line end.
std::pair<qsizetype, qsizetype> linia(const QByteArray& b, qsizetype pos) {
    qsizetype od = pos;
    while (od > 0 && b[od - 1] != '\n') --od;
    qsizetype doKonca = b.indexOf('\n', pos);
    doKonca = doKonca < 0 ? b.size() : doKonca + 1;
    return {od, doKonca};
}

quint64 ziarno(const char* reader) {
    quint64 s = 20240105;
    const QByteArray env = qgetenv("TOLVANE_FUZZ_SEED");
    if (!env.isEmpty()) s = env.toULongLong();
    // Each reader its own sequence, from the same seed.
    for (const char* c = reader; *c; ++c) s = s * 1099511628211ULL ^ quint8(*c);
    return s;
}

// Seconds asked for by hand; 0 when none.
double sekundy() {
    bool ok = false;
    const double s = qEnvironmentVariable("TOLVANE_FUZZ_SECONDS").toDouble(&ok);
    return ok && s > 0 ? s : 0;
}

}  // namespace

quint32 Mutator::below(quint32 n) { return n == 0 ? 0 : quint32(rng_() % n); }

QByteArray Mutator::mutate(const QByteArray& good) {
    QByteArray b = good;
    const quint32 ile = 1 + below(4);
    for (quint32 i = 0; i < ile; ++i) once(b);
    if (b.size() > kMaksRozmiar) b.truncate(kMaksRozmiar);
    return b;
}

void Mutator::once(QByteArray& b) {
    const qsizetype n = b.size();
    const qsizetype pos = qsizetype(below(quint32(std::max<qsizetype>(n, 1))));
    switch (below(12)) {
    case 0:
        if (n) b[pos] = char(b[pos] ^ (1 << below(8)));
        break;
    case 1:
        if (n) b[pos] = char(bajtyGraniczne[below(std::size(bajtyGraniczne))]);
        break;
    case 2:
        if (n >= 2) {
            const quint16 v = slowaGraniczne[below(std::size(slowaGraniczne))];
            const qsizetype p = std::min(pos, n - 2);
            b[p] = char(v & 0xFF);
            b[p + 1] = char(v >> 8);
        }
        break;
    case 3:
        if (n >= 4) {
            const quint32 v = liczbyGraniczne[below(std::size(liczbyGraniczne))];
            const qsizetype p = std::min(pos, n - 4);
            for (int i = 0; i < 4; ++i) b[p + i] = char((v >> (8 * i)) & 0xFF);
        }
        break;
    case 4:  // cut a range
        b.remove(pos, 1 + below(64));
        break;
    case 5:  // repeat a range elsewhere
        if (n) {
            const QByteArray kawalek = b.mid(pos, 1 + below(256));
            b.insert(qsizetype(below(quint32(n + 1))), kawalek);
        }
        break;
    case 6: {  // insert random bytes
        QByteArray wstawka(1 + below(32), '\0');
        for (char& c : wstawka) c = char(below(256));
        b.insert(pos, wstawka);
        break;
    }
    case 7:  // the file ends early
        b.truncate(pos);
        break;
    case 8:  // a line many times
        if (n) {
            const auto [od, doKonca] = linia(b, pos);
            const QByteArray l = b.mid(od, doKonca - od);
            b.insert(doKonca, l.repeated(1 + below(200)));
        }
        break;
    case 9:  // a very long line
        b.insert(pos, QByteArray(1 + below(5000), char("A =9;"[below(5)])));
        break;
    case 10:  // a line moved
        if (n) {
            const auto [od, doKonca] = linia(b, pos);
            const QByteArray l = b.mid(od, doKonca - od);
            b.remove(od, doKonca - od);
            b.insert(qsizetype(below(quint32(b.size() + 1))), l);
        }
        break;
    case 11: {  // a number at its edge where a value may stand
        const qsizetype eq = b.indexOf('=', pos);
        const QByteArray t = teksty[below(std::size(teksty))];
        if (eq >= 0) {
            const auto [od, doKonca] = linia(b, eq);
            qsizetype koniecWartosci = doKonca;
            while (koniecWartosci > eq + 1 && (b[koniecWartosci - 1] == '\n' || b[koniecWartosci - 1] == '\r'))
                --koniecWartosci;
            b.replace(eq + 1, koniecWartosci - eq - 1, t);
        } else {
            b.insert(pos, t);
        }
        break;
    }
    }
}

Wynik run(const char* reader, const QString& file, const std::vector<QByteArray>& seeds,
          const std::function<void()>& czytaj, int wejsc) {
    Wynik w;
    w.seed = ziarno(reader);
    if (seeds.empty()) {
        ADD_FAILURE() << reader << ": no seed inputs";
        return w;
    }
    Mutator m(w.seed);
    // Damaged inputs make Qt warn (a path with a NUL in it, say) thousands
    // of times; the run's own checks say what matters.
    const QtMessageHandler poprzedni =
        qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext&, const QString&) {
            if (typ == QtFatalMsg) std::abort();
        });
    const double zRecznie = sekundy();
    const qint64 budzet = zRecznie > 0 ? qint64(zRecznie * 1000) : 15'000;
    const int maksimum = zRecznie > 0 ? std::numeric_limits<int>::max() : wejsc;
    QElapsedTimer zegar;
    zegar.start();
    while (w.inputs < maksimum && zegar.elapsed() < budzet) {
        const QByteArray wejscie = m.mutate(seeds[size_t(w.inputs) % seeds.size()]);
        {
            QFile f(file);
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(wejscie) != wejscie.size()) {
                ADD_FAILURE() << reader << ": cannot write " << file.toStdString();
                break;
            }
        }
        const qint64 przed = zegar.elapsed();
        {
            SCOPED_TRACE(std::string(reader) + ": input " + std::to_string(w.inputs) + " of seed " +
                         std::to_string(w.seed) + " (" + std::to_string(wejscie.size()) + " bytes)");
            czytaj();
        }
        ++w.inputs;
        const qint64 trwalo = zegar.elapsed() - przed;
        if (trwalo > 5000)
            ADD_FAILURE() << reader << ": input " << w.inputs - 1 << " of seed " << w.seed << " took " << trwalo
                          << " ms";
        if (::testing::Test::HasFailure()) {
            if (wejscie.size() <= 8192)
                std::cerr << reader << ": failing input (base64) " << wejscie.toBase64().constData() << '\n';
            break;
        }
    }
    qInstallMessageHandler(poprzedni);
    std::cout << "[ fuzz     ] " << reader << ": " << w.inputs << " inputs, seed " << w.seed;
    if (zRecznie == 0 && w.inputs < wejsc && !::testing::Test::HasFailure())
        std::cout << " (stopped at " << budzet / 1000 << " s of " << wejsc << ")";
    std::cout << std::endl;
    ::testing::Test::RecordProperty(std::string("inputs_") + reader, w.inputs);
    return w;
}

}  // namespace fuzz
