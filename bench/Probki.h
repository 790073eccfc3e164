#pragma once
// Samples of a step that runs inside the on-air tick, one a repetition,
// reported as median, p99 and max (microseconds), with what the thread's
// scheduler counters say about each: a sample in which the thread was only
// preempted measures the machine's load; one in which it blocked (a lock
// held by another thread, a wait for a worker) measures the step itself,
// preempted or not; page faults are memory touched for the first time.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <vector>

struct Wywlaszczenia {
    long przelaczen = 0, oczekiwan = 0, bledowStron = 0;
    static Wywlaszczenia teraz() {
        rusage r{};
        getrusage(RUSAGE_THREAD, &r);
        return {r.ru_nivcsw, r.ru_nvcsw, r.ru_minflt + r.ru_majflt};
    }
};

struct Probki {
    std::vector<double> us;
    int wywlaszczonych = 0;
    int czekajacych = 0;
    double maxNiewywlaszczonych = 0;
    long bledowStron = 0;
    Wywlaszczenia od = Wywlaszczenia::teraz();
    // Marks the start of a sample's timed part.
    void start() { od = Wywlaszczenia::teraz(); }
    void dodaj(double sekund) { dodaj(sekund, od, Wywlaszczenia::teraz()); }
    // A sample between two readings of the counters.
    void dodaj(double sekund, const Wywlaszczenia& w0, const Wywlaszczenia& w1) {
        us.push_back(sekund * 1e6);
        bledowStron = std::max(bledowStron, w1.bledowStron - w0.bledowStron);
        const bool czekal = w1.oczekiwan != w0.oczekiwan;
        if (czekal) ++czekajacych;
        if (w1.przelaczen != w0.przelaczen && !czekal)
            ++wywlaszczonych;
        else
            maxNiewywlaszczonych = std::max(maxNiewywlaszczonych, sekund * 1e6);
    }
    void zglos(benchmark::State& state) {
        if (us.empty()) return;
        std::sort(us.begin(), us.end());
        state.counters["median_us"] = us[us.size() / 2];
        state.counters["p99_us"] = us[std::min(us.size() - 1, size_t(std::ceil(0.99 * double(us.size()))) - 1)];
        state.counters["max_us"] = us.back();
        // Only preempted: machine noise, left out of the max below.
        state.counters["preempted"] = wywlaszczonych;
        // Blocked at least once: counted in the max below even when also preempted.
        state.counters["waited"] = czekajacych;
        state.counters["max_unpreempted_us"] = maxNiewywlaszczonych;
        state.counters["max_faults"] = double(bledowStron);
    }
};
