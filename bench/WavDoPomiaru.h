#pragma once
// A 44.1 kHz stereo WAV of music-like tones at about -8 dB (so that there is
// something to gain), made once in the temporary folder for the audio
// benchmarks and kept there for the next run.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <cmath>
#include <cstring>

inline QString WavDoPomiaru(int sekundy) {
    constexpr int kRate = 44100;
    const QString path = QDir::temp().filePath(QStringLiteral("tolvane-bench-%1s.wav").arg(sekundy));
    if (QFile::exists(path)) return path;
    const qint64 frames = qint64(kRate) * sekundy;
    QByteArray b(44 + frames * 4, '\0');
    char* p = b.data();
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, p + at); };
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, p + at); };
    std::memcpy(p, "RIFF", 4);
    put32(4, quint32(b.size() - 8));
    std::memcpy(p + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 2);
    put32(24, kRate);
    put32(28, kRate * 4);
    put16(32, 4);
    put16(34, 16);
    std::memcpy(p + 36, "data", 4);
    put32(40, quint32(frames * 4));
    for (qint64 i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        const auto l = qint16(7000 * std::sin(2 * M_PI * 220 * t) + 4000 * std::sin(2 * M_PI * 1375 * t));
        const auto r = qint16(6000 * std::sin(2 * M_PI * 330 * t) + 5000 * std::sin(2 * M_PI * 2750 * t));
        qToLittleEndian(l, p + 44 + i * 4);
        qToLittleEndian(r, p + 46 + i * 4);
    }
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(b);
    return path;
}
