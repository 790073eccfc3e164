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

// The 44-byte header of a 44.1 kHz 16-bit stereo PCM WAV holding `bajty`
// bytes of samples.
inline QByteArray NaglowekWavDoPomiaru(quint32 bajty) {
    constexpr quint32 kRate = 44100;
    QByteArray h(44, '\0');
    char* p = h.data();
    std::memcpy(p, "RIFF", 4);
    qToLittleEndian<quint32>(36 + bajty, p + 4);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, p + 16);
    qToLittleEndian<quint16>(1, p + 20);
    qToLittleEndian<quint16>(2, p + 22);
    qToLittleEndian<quint32>(kRate, p + 24);
    qToLittleEndian<quint32>(kRate * 4, p + 28);
    qToLittleEndian<quint16>(4, p + 32);
    qToLittleEndian<quint16>(16, p + 34);
    std::memcpy(p + 36, "data", 4);
    qToLittleEndian<quint32>(bajty, p + 40);
    return h;
}

inline QString WavDoPomiaru(int sekundy) {
    constexpr int kRate = 44100;
    const QString path = QDir::temp().filePath(QStringLiteral("tolvane-bench-%1s.wav").arg(sekundy));
    if (QFile::exists(path)) return path;
    const qint64 frames = qint64(kRate) * sekundy;
    QByteArray b = NaglowekWavDoPomiaru(quint32(frames * 4));
    b.resize(44 + frames * 4);
    char* p = b.data();
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
