#include "Melodie.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace demo {

namespace {

constexpr double Pi = 3.14159265358979323846;

double czestotliwosc(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

class Sciezka {
public:
    explicit Sciezka(int ms) : s_(size_t(std::max(ms, 1)) * Probkowanie / 1000, 0.0f) {}

    size_t Dlugosc() const { return s_.size(); }

    // One note: a soft attack, an exponential decay, a short release, and a
    // few harmonics so that it sounds like an instrument and not a test tone.
    void Nuta(int midi, double odSekundy, double sekund, double glosnosc, double jasnosc = 0.35) {
        const double f = czestotliwosc(midi);
        const size_t start = size_t(odSekundy * Probkowanie);
        const size_t n = size_t(sekund * Probkowanie);
        const double atak = 0.012 * Probkowanie, wybrzmienie = 0.04 * Probkowanie;
        for (size_t i = 0; i < n && start + i < s_.size(); ++i) {
            const double t = double(i) / Probkowanie;
            double obwiednia = std::exp(-2.2 * t / std::max(sekund, 0.05));
            if (i < atak) obwiednia *= i / atak;
            if (n - i < wybrzmienie) obwiednia *= (n - i) / wybrzmienie;
            const double w = 2 * Pi * f * t;
            const double ton = std::sin(w) + jasnosc * std::sin(2 * w) + jasnosc * 0.4 * std::sin(3 * w);
            s_[start + i] += float(glosnosc * obwiednia * ton);
        }
    }

    // Fades in and out over the given lengths, then scales to a calm peak.
    QByteArray Pcm(double wejscieS, double wyjscieS) {
        const size_t we = size_t(wejscieS * Probkowanie), wy = size_t(wyjscieS * Probkowanie);
        for (size_t i = 0; i < s_.size(); ++i) {
            double g = 1.0;
            if (i < we) g = double(i) / we;
            const size_t doKonca = s_.size() - i;
            if (doKonca < wy) g = std::min(g, double(doKonca) / wy);
            s_[i] *= float(g);
        }
        float szczyt = 0;
        for (float v : s_) szczyt = std::max(szczyt, std::abs(v));
        const double skala = szczyt > 0 ? 0.6 / szczyt : 0;
        QByteArray out(qsizetype(s_.size() * 2), Qt::Uninitialized);
        for (size_t i = 0; i < s_.size(); ++i) {
            const auto v = qint16(std::lround(std::clamp(s_[i] * skala, -1.0, 1.0) * 32767));
            qToLittleEndian(v, out.data() + i * 2);
        }
        return out;
    }

private:
    std::vector<float> s_;
};

// Degrees of the major pentatonic scale, in semitones above the key note.
constexpr int Pentatonika[] = {0, 2, 4, 7, 9};

int stopien(int tonika, int st) {
    const int oktawa = st >= 0 ? st / 5 : (st - 4) / 5;
    return tonika + 12 * oktawa + Pentatonika[st - oktawa * 5];
}

}  // namespace

QByteArray Piosenka(int ziarno, int ms) {
    std::mt19937 los(quint32(ziarno) * 7919u + 17u);
    Sciezka s(ms);
    const double dlugosc = double(ms) / 1000;
    const int tonika = 55 + int(los() % 10);              // G3 .. E4
    const double bit = 60.0 / (88 + int(los() % 40));     // 88 .. 127 beats per minute
    // Four chords of the pentatonic key, one bar each, repeated.
    const int akordy[4][3] = {{0, 2, 3}, {3, 5, 6}, {1, 3, 4}, {2, 4, 5}};
    std::vector<int> motyw;  // a two-bar motif varied on every pass
    for (int i = 0; i < 8; ++i) motyw.push_back(int(los() % 7) + 3);

    int takt = 0;
    for (double t = 0; t < dlugosc; t += 4 * bit, ++takt) {
        const int* akord = akordy[takt % 4];
        s.Nuta(stopien(tonika, akord[0] - 5) , t, 2 * bit, 0.45, 0.15);          // bass
        s.Nuta(stopien(tonika, akord[0] - 5), t + 2 * bit, 2 * bit, 0.4, 0.15);
        for (int k = 0; k < 3; ++k) s.Nuta(stopien(tonika, akord[k]), t, 4 * bit, 0.10, 0.1);  // pad
        for (int n = 0; n < 4; ++n) {
            int st = motyw[size_t((takt % 2) * 4 + n)];
            if (takt >= 4 && los() % 3 == 0) st += int(los() % 3) - 1;
            const bool osemki = los() % 4 == 0;
            if (osemki) {
                s.Nuta(stopien(tonika, st), t + n * bit, bit / 2, 0.30);
                s.Nuta(stopien(tonika, st + 1), t + (n + 0.5) * bit, bit / 2, 0.28);
            } else {
                s.Nuta(stopien(tonika, st), t + n * bit, bit, 0.32);
            }
        }
    }
    return s.Pcm(std::min(1.0, dlugosc / 8), std::min(4.0, dlugosc / 6));
}

QByteArray Dzingiel(int ziarno, int ms) {
    std::mt19937 los(quint32(ziarno) * 104729u + 3u);
    Sciezka s(ms);
    const double dlugosc = double(ms) / 1000;
    const int tonika = 60 + int(los() % 7);
    const double krok = std::min(0.12, dlugosc / 14);
    for (int i = 0; i < 6; ++i) s.Nuta(stopien(tonika, i), i * krok, krok * 2, 0.35, 0.5);
    const double akord = 6 * krok;
    for (int k : {0, 2, 4, 5}) s.Nuta(stopien(tonika, k + 5), akord, dlugosc - akord, 0.25, 0.45);
    s.Nuta(stopien(tonika, -5), akord, dlugosc - akord, 0.4, 0.2);
    return s.Pcm(0.005, std::min(0.5, dlugosc / 4));
}

QByteArray Reklama(int ziarno, int ms) {
    std::mt19937 los(quint32(ziarno) * 15485863u + 11u);
    Sciezka s(ms);
    const double dlugosc = double(ms) / 1000;
    const int tonika = 62 + int(los() % 5);
    const double gong = std::min(0.6, dlugosc / 6);
    s.Nuta(tonika + 7, 0, gong * 2, 0.5, 0.6);  // ding
    s.Nuta(tonika, gong, gong * 2, 0.5, 0.6);   // dong
    const double bit = 60.0 / 140;
    int i = 0;
    for (double t = 2 * gong; t < dlugosc; t += bit / 2, ++i) {
        const int wzor[8] = {0, 2, 4, 2, 5, 4, 2, 0};
        s.Nuta(stopien(tonika, wzor[i % 8]), t, bit / 2, 0.28, 0.5);
        if (i % 2 == 0) s.Nuta(stopien(tonika, (i / 8) % 2 ? -2 : -5), t, bit, 0.35, 0.15);
    }
    return s.Pcm(0.005, std::min(1.0, dlugosc / 5));
}

}  // namespace demo
