#pragma once
// Test fixtures: WAV files made on the fly, so no binary is checked in.
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace fixtures {

// A chunk placed before or after "data" (bext, LIST, fact ...).
using Chunk = std::pair<QByteArray /*4-char id*/, QByteArray /*body*/>;

// A RIFF/WAVE file with a 16-byte PCM fmt chunk (format tag 1).
QByteArray wavFile(int rate, int channels, int bits, const QByteArray& data,
                   const std::vector<Chunk>& before = {}, const std::vector<Chunk>& after = {});

// 16-bit PCM of a sine tone, same sample on every channel.
QByteArray tone16(int rate, int channels, double frequency, int ms, double amplitude = 0.5);
// 8-bit unsigned PCM of a sine tone.
QByteArray tone8(int rate, int channels, double frequency, int ms, double amplitude = 0.5);

bool writeFile(const QString& path, const QByteArray& bytes);

}  // namespace fixtures
