#pragma once
// Tone melodies for the demo station: pleasant enough to listen to on air
// (a pentatonic tune over a bass line, soft note envelopes), deterministic
// for a given seed so that a station rebuilt is the same station.
#include <QByteArray>

namespace demo {

constexpr int Probkowanie = 22050;  // mono 16-bit keeps a few dozen files small
constexpr int Kanaly = 1;

// 16-bit little-endian PCM samples.
QByteArray Piosenka(int ziarno, int ms);  // a song: tune, bass, fade-out at the end
QByteArray Dzingiel(int ziarno, int ms);  // a rising arpeggio and a bright chord
QByteArray Reklama(int ziarno, int ms);   // a two-tone chime, then a bouncy riff

}  // namespace demo
