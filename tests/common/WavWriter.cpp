#include "common/WavWriter.h"

#include <QFile>
#include <QtEndian>
#include <cmath>

namespace fixtures {
namespace {

void put32(QByteArray& b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}
void put16(QByteArray& b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
void putChunk(QByteArray& b, const QByteArray& id, const QByteArray& body) {
    b.append(id.left(4));
    put32(b, quint32(body.size()));
    b.append(body);
    if (body.size() % 2) b.append('\0');
}

}  // namespace

QByteArray wavFile(int rate, int channels, int bits, const QByteArray& data,
                   const std::vector<Chunk>& before, const std::vector<Chunk>& after) {
    QByteArray fmt;
    put16(fmt, 1);
    put16(fmt, quint16(channels));
    put32(fmt, quint32(rate));
    const int align = channels * bits / 8;
    put32(fmt, quint32(rate * align));
    put16(fmt, quint16(align));
    put16(fmt, quint16(bits));

    QByteArray body = "WAVE";
    putChunk(body, "fmt ", fmt);
    for (const auto& c : before) putChunk(body, c.first, c.second);
    putChunk(body, "data", data);
    for (const auto& c : after) putChunk(body, c.first, c.second);

    QByteArray out = "RIFF";
    put32(out, quint32(body.size()));
    out.append(body);
    return out;
}

QByteArray tone16(int rate, int channels, double frequency, int ms, double amplitude) {
    const qint64 frames = qint64(rate) * ms / 1000;
    QByteArray out;
    out.reserve(frames * channels * 2);
    for (qint64 i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(2 * M_PI * frequency * double(i) / rate);
        const auto s = qint16(std::lround(v * 32767));
        for (int c = 0; c < channels; ++c) put16(out, quint16(s));
    }
    return out;
}

QByteArray tone8(int rate, int channels, double frequency, int ms, double amplitude) {
    const qint64 frames = qint64(rate) * ms / 1000;
    QByteArray out;
    out.reserve(frames * channels);
    for (qint64 i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(2 * M_PI * frequency * double(i) / rate);
        const auto s = char(quint8(128 + std::lround(v * 127)));
        for (int c = 0; c < channels; ++c) out.append(s);
    }
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    return f.write(bytes) == bytes.size();
}

}  // namespace fixtures
