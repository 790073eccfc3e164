#include "audio/PeakTools.h"

#include "audio/Obwiednia.h"
#include "foundation/KestGraf2.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

TPEAK Peak;

namespace {

// An envelope of 64 MiB is 186 hours of audio; anything larger is not one.
constexpr qint64 kNajwiekszaObwiednia = qint64(64) << 20;

QRgb rgb(TColor kolor) { return KolorQt(kolor).rgb(); }

void pion(QImage& obraz, int x, int y1, int y2, QRgb kolor) {
    if (x < 0 || x >= obraz.width()) return;
    y1 = std::max(y1, 0);
    y2 = std::min(y2, obraz.height() - 1);
    for (int y = y1; y <= y2; ++y) reinterpret_cast<QRgb*>(obraz.scanLine(y))[x] = kolor;
}

void przygotuj(int szerokosc, int wysokosc) {
    szerokosc = std::max(szerokosc, 0);
    wysokosc = std::max(wysokosc, 0);
    Peak.Scale = szerokosc > 0 ? std::max(0.0f, float(Peak.Count) / float(szerokosc)) : 0.0f;
    if (Peak.Bitmap.width() != szerokosc || Peak.Bitmap.height() != wysokosc)
        Peak.Bitmap = QImage(szerokosc, wysokosc, QImage::Format_RGB32);
    Peak.Bitmap.fill(rgb(KolorCzarny));
}

// Columns 1 .. width, each a vertical line around the middle as tall as its
// level (at least the middle pixel), in the colour `kolor(x)` gives.
template <typename Kolor>
void rysujKolumny(int szerokosc, int wysokosc, Kolor kolor) {
    if (Peak.Scale <= 0) return;
    const int y0 = wysokosc / 2 + 1;
    const float wspolczynnik = float(wysokosc) / 260.0f;
    const auto* poziomy = reinterpret_cast<const unsigned char*>(Peak.Levels.constData());
    for (int x = 1; x <= szerokosc; ++x) {
        const qint64 i = qint64(std::nearbyint(float(x) * Peak.Scale));
        const int v = i < Peak.Count ? int(std::nearbyint(float(poziomy[i]) * wspolczynnik)) : 0;
        pion(Peak.Bitmap, x, y0 - v, y0 + v, kolor(x));
    }
}

}  // namespace

void LoadPeaks(const QString& sciezka) {
    FreePeaks();
    QFile f(platform::resolvePath(sciezka));
    // A FIFO would wait for a writer for ever, a device never end.
    if (!QFileInfo(f.fileName()).isFile() || !f.open(QIODevice::ReadOnly)) return;
    const qint64 n = std::min(f.size() - RozmiarNaglowkaObwiedni, kNajwiekszaObwiednia);
    if (n <= 0 || !f.seek(RozmiarNaglowkaObwiedni)) return;
    Peak.Levels = f.read(n);
    // The count is what was read, never what the size promised.
    Peak.Count = qint32(Peak.Levels.size());
}

void DrawPeaks(int szerokosc, int wysokosc) {
    przygotuj(szerokosc, wysokosc);
    const QRgb teal = rgb(KolorFali::Teal);
    rysujKolumny(szerokosc, wysokosc, [teal](int) { return teal; });
}

void DrawPeaksPos(int szerokosc, int wysokosc, int poczatek, int pozycja, int koniec) {
    przygotuj(szerokosc, wysokosc);
    if (koniec == 0) koniec = szerokosc;
    if (Peak.Count <= 0) {
        const QRgb aqua = rgb(KolorFali::Aqua);
        for (int x = std::max(pozycja, 0); x < szerokosc; ++x) pion(Peak.Bitmap, x, 0, wysokosc - 1, aqua);
        return;
    }
    const QRgb zagrane[3] = {rgb(KolorFali::Green), rgb(KolorFali::Teal), rgb(KolorFali::Maroon)};
    const QRgb doZagrania[3] = {rgb(KolorFali::Lime), rgb(KolorFali::Aqua), rgb(KolorFali::Red)};
    auto obszar = [&](int x) { return x < poczatek ? 0 : x < koniec ? 1 : 2; };
    rysujKolumny(szerokosc, wysokosc,
                 [&](int x) { return x <= pozycja ? zagrane[obszar(x)] : doZagrania[obszar(x)]; });
    pion(Peak.Bitmap, pozycja, 0, wysokosc - 1, doZagrania[obszar(pozycja + 1)]);
}

void FreePeaks() {
    Peak.Levels.clear();
    Peak.Count = 0;
    Peak.Scale = 0;
    Peak.Bitmap = QImage();
}
