#include "playlists/PlaylistFixture.h"

#include "common/WavWriter.h"

QString PlaylistTest::wav(const QString& name, int ms) const {
    folder.drive(QLatin1Char('d'));
    QByteArray pcm(8 * ms * 2, '\0');  // 8 samples per ms, 2 bytes each
    fixtures::writeFile(folder.path() + QStringLiteral("/drives/d/") + name, fixtures::wavFile(8000, 1, 16, pcm));
    return QStringLiteral("D:\\") + name;
}
