#pragma once
// The level of one frequency in interleaved 16-bit PCM, in dB relative to a
// full-scale sine, by the Goertzel filter over the whole block.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

inline double poziomTonuDb(const std::vector<int16_t>& s, int kanaly, int kanal, int probkowanie, double hz) {
    const size_t n = s.size() / size_t(kanaly);
    if (n == 0) return -200.0;
    const double w = 2 * M_PI * hz / probkowanie;
    const double k = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (size_t i = 0; i < n; ++i) {
        const double s0 = s[i * size_t(kanaly) + size_t(kanal)] / 32768.0 + k * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double moc = s1 * s1 + s2 * s2 - k * s1 * s2;
    const double amplituda = 2 * std::sqrt(std::max(moc, 0.0)) / double(n);
    return 20 * std::log10(std::max(amplituda, 1e-10));
}
