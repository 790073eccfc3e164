// The recordings database at full size: 60 000 generated records.
#include <benchmark/benchmark.h>

#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "foundation/DialogiSkrypt.h"
#include "foundation/KestSter2.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaWewn.h"
#include "platform/Paths.h"

namespace {

struct Stacja {
    QTemporaryDir dir;
    DialogiSkrypt dialogi;
    Stacja() {
        platform::setProgramFolder(dir.path());
        KatalogStartowy = dir.path();
        BazaNastawyDomyslne();
        BazaNagran.BazaZbior = dir.path() + QStringLiteral("/BAZA.BAZ");
        BazaNagran.BazaPasmo1Koniec = -1;  // count at any hour
    }
};

Stacja& stacja() {
    static Stacja s;
    return s;
}

void Wypelnij() {
    BazaCzyscWszystko();
    for (int i = 1; i <= BazaMaks; ++i) {
        BAZARekordTyp& r = *BazaRekordy.Dodaj();
        const qint64 j = i;
        const QString n = QString::number((j * 7919) % BazaMaks);
        r.Tyt = QStringLiteral("Tytuł nagrania ") + n;
        r.Wyk = QStringLiteral("Wykonawca ") + QString::number((j * 104729) % 5000);
        r.Kod = QStringLiteral("K") + n;
        r.Dlugosc = qint32(60000 + (j * 31337) % 400000);
        r.Tot = BazaTotTekst(r.Dlugosc);
        r.Adr = QStringLiteral("D:\\MUZYKA\\KATALOG") + QString::number(i % 100) + QStringLiteral("\\A") +
                QString::number(i) + QStringLiteral(".MP3");
        r.Kat = QStringLiteral("MUZYKA");
        r.Gen = QStringLiteral("Pop");
        r.EmC = quint16(i % 50);
        r.EmO = QStringLiteral("2024-01-05 12:00:00");
    }
    BazaAdresyZmienione();
    for (int p = 1; p <= 4; ++p)
        BazaSortuj(p);
    BazaKompletna = true;
}

void BM_Zapisz(benchmark::State& state) {
    stacja();
    Wypelnij();
    for (auto _ : state) {
        BazaZmieniona = true;
        BazaZapisz(false);
    }
    stacja().dialogi.Wyczysc();
}
BENCHMARK(BM_Zapisz)->Unit(benchmark::kMillisecond);

void BM_Czytaj(benchmark::State& state) {
    stacja();
    Wypelnij();
    BazaZmieniona = true;
    BazaZapisz(false);
    for (auto _ : state) {
        BazaCzyscWszystko();
        BazaCzytaj();
    }
    if (BazaLiczba != BazaMaks)
        state.SkipWithError("not every record read");
    stacja().dialogi.Wyczysc();
}
BENCHMARK(BM_Czytaj)->Unit(benchmark::kMillisecond);

// One run of mawk splitting every line of the file at "=" (what any reader
// of the file must at least do); false when it did not run.
bool Mawk(const QByteArray& mawk, const QByteArray& plik) {
    const char* argv[] = {mawk.constData(), "-F=", "{ n += NF } END { print n }", plik.constData(), nullptr};
    posix_spawn_file_actions_t akcje;
    posix_spawn_file_actions_init(&akcje);
    posix_spawn_file_actions_addopen(&akcje, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int blad = posix_spawn(&pid, argv[0], &akcje, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&akcje);
    int stan = 0;
    return blad == 0 && waitpid(pid, &stan, 0) == pid && WIFEXITED(stan) && WEXITSTATUS(stan) == 0;
}

double Percentyl(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

// The load against mawk's split of the same file, paired: every round times
// one of each back to back, so that a busy machine slows both alike. The
// iteration time is the load's; the counters give both sides' median, p99
// and max in ms and the ratio of the medians (the goal is at most 2).
void BM_CzytajObokMawk(benchmark::State& state) {
    const QString mawk = QStandardPaths::findExecutable(QStringLiteral("mawk"));
    if (mawk.isEmpty()) {
        state.SkipWithError("mawk is not installed (apt-get install mawk): nothing to compare with");
        return;
    }
    stacja();
    Wypelnij();
    BazaZmieniona = true;
    BazaZapisz(false);
    const QByteArray plik = platform::resolvePath(BazaSciezka()).toLocal8Bit();
    const QByteArray program = mawk.toLocal8Bit();
    std::vector<double> nasze, awk;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        BazaCzyscWszystko();
        BazaCzytaj();
        const auto t1 = std::chrono::steady_clock::now();
        if (!Mawk(program, plik)) {
            state.SkipWithError("mawk failed");
            return;
        }
        const auto t2 = std::chrono::steady_clock::now();
        nasze.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        awk.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
        state.SetIterationTime(nasze.back() / 1000.0);
    }
    if (BazaLiczba != BazaMaks) {
        state.SkipWithError("not every record read");
        return;
    }
    state.counters["load_median_ms"] = Percentyl(nasze, 0.5);
    state.counters["load_p99_ms"] = Percentyl(nasze, 0.99);
    state.counters["load_max_ms"] = Percentyl(nasze, 1.0);
    state.counters["mawk_median_ms"] = Percentyl(awk, 0.5);
    state.counters["mawk_p99_ms"] = Percentyl(awk, 0.99);
    state.counters["mawk_max_ms"] = Percentyl(awk, 1.0);
    state.counters["ratio"] = Percentyl(nasze, 0.5) / Percentyl(awk, 0.5);
    stacja().dialogi.Wyczysc();
}
BENCHMARK(BM_CzytajObokMawk)->UseManualTime()->Iterations(31)->Unit(benchmark::kMillisecond);

void BM_Sortuj(benchmark::State& state) {
    stacja();
    Wypelnij();
    const int porzadek = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        BazaSortuj(porzadek == 1 ? 2 : 1);  // start from another order each time
        state.ResumeTiming();
        BazaSortuj(porzadek);
    }
    stacja().dialogi.Wyczysc();
}
BENCHMARK(BM_Sortuj)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

void BM_SzukajAdresu(benchmark::State& state) {
    stacja();
    Wypelnij();
    BazaJestAdres(QStringLiteral("D:\\MUZYKA\\KATALOG0\\A100.MP3"));  // index built once
    int i = 0;
    for (auto _ : state) {
        i = (i + 7) % BazaMaks;
        benchmark::DoNotOptimize(BazaJestAdres(QStringLiteral("d:\\muzyka\\katalog%1\\a%2.mp3").arg(i % 100).arg(i)));
    }
}
BENCHMARK(BM_SzukajAdresu)->Unit(benchmark::kMicrosecond);

void BM_SzukajIdentyfikatora(benchmark::State& state) {
    stacja();
    Wypelnij();
    int i = 0;
    for (auto _ : state) {
        i = (i + 7) % BazaMaks;
        benchmark::DoNotOptimize(BazaSzukajAdres(QStringLiteral("A%1").arg(i)));
    }
}
BENCHMARK(BM_SzukajIdentyfikatora)->Unit(benchmark::kMicrosecond);

void BM_DodajOdegranie(benchmark::State& state) {
    stacja();
    Wypelnij();
    BazaJestAdres(QStringLiteral("D:\\MUZYKA\\KATALOG0\\A100.MP3"));
    int i = 0;
    for (auto _ : state) {
        i = (i + 13) % BazaMaks;
        BazaDodajOdegranie(QStringLiteral("D:\\MUZYKA\\KATALOG%1\\A%2.MP3").arg(i % 100).arg(i),
                           QStringLiteral("2024-01-06 10:00:00"));
    }
}
BENCHMARK(BM_DodajOdegranie)->Unit(benchmark::kMicrosecond);

}  // namespace

// When the counters file is due, the GUI thread only takes this snapshot...
void BM_MigawkaLicznikow(benchmark::State& state) {
    stacja();
    Wypelnij();
    for (auto _ : state)
        benchmark::DoNotOptimize(BazaMigawkaLicznikow());
}
BENCHMARK(BM_MigawkaLicznikow)->Unit(benchmark::kMillisecond);

// ...and the worker thread writes it.
void BM_ZapiszLicznikiZMigawki(benchmark::State& state) {
    stacja();
    Wypelnij();
    const std::vector<LicznikiNagrania> m = BazaMigawkaLicznikow();
    const QString plik = platform::resolvePath(BazaSciezkaLicznikow());
    for (auto _ : state)
        if (BazaZapiszZbiorLicznikow(plik, m) != 0)
            state.SkipWithError("not written");
}
BENCHMARK(BM_ZapiszLicznikiZMigawki)->Unit(benchmark::kMillisecond);

// A table that a rebuild left with half the recordings: the write reads the
// old file first and keeps the counters of the other half.
void BM_ZapiszLicznikiZachowujac(benchmark::State& state) {
    stacja();
    Wypelnij();
    const QString plik = platform::resolvePath(BazaSciezkaLicznikow());
    if (BazaZapiszZbiorLicznikow(plik, BazaMigawkaLicznikow()) != 0)
        state.SkipWithError("not written");
    BazaRekordy.Przytnij(BazaMaks / 2);
    const std::vector<LicznikiNagrania> m = BazaMigawkaLicznikow();
    for (auto _ : state)
        if (BazaZapiszZbiorLicznikow(plik, m) != 0)
            state.SkipWithError("not written");
}
BENCHMARK(BM_ZapiszLicznikiZachowujac)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
