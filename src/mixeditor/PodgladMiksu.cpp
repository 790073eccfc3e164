#include "mixeditor/PodgladMiksu.h"

#include <algorithm>
#include <cmath>

#include "playlists/D_Crossfade.h"
#include "playlists/D_Playlista.h"

namespace {
// The fades span 50 dB.
constexpr qint64 ZakresFade = 5000;

qint64 fade(qint64 pozycja, qint64 dlugosc, bool odKonca, quint8 krzywa) {
    if (dlugosc <= 0) return -ZakresFade;
    return PoziomFade(pozycja, dlugosc, ZakresFade, odKonca, krzywa) - ZakresFade;
}
}  // namespace

int ObwiedniaSladu(const SladMiksuTyp& s, qint64 t) {
    if (t < s.NowyPoczatek || t > s.NowyKoniec) return CiszaPodgladu;
    if (t < s.KoniecFadeIn) return int(fade(t - s.NowyPoczatek, qint64(s.KoniecFadeIn) - s.NowyPoczatek, false, s.KrzywaFadeIn));
    if (t < s.PoczatekFadeOut) return 0;
    return int(fade(t - s.PoczatekFadeOut, qint64(s.NowyKoniec) - s.PoczatekFadeOut, true, s.KrzywaFadeOut));
}

int GlosnoscPiosenki(const SladMiksuTyp& s, qint64 t, const TrimyRodzajow& trimy) {
    qint64 v = ObwiedniaSladu(s, t);
    bool maTrim = false;
    const qint32 trim = trimy.Trim(RodzajElemPListy(s.Typ), &maTrim);
    if (maTrim) v += trim + s.Wzmocnienie;
    return ObetnijGlosnosc(v);
}

int KaczkaSladu(const SladMiksuTyp& s, qint64 t) {
    const qint64 k = std::min<qint64>(s.PoziomKaczki, 0);
    qint64 d;
    if (t < s.KoniecKaczkiWe) {
        const qint64 dl = qint64(s.KoniecKaczkiWe) - s.NowyPoczatek;
        d = dl != 0 ? k * (t - s.NowyPoczatek) / dl : 0;
    } else if (t <= s.PoczatekKaczkiWy) {
        d = k;
    } else {
        const qint64 dl = qint64(s.NowyKoniec) - s.PoczatekKaczkiWy;
        d = dl != 0 ? k * (qint64(s.NowyKoniec) - t) / dl : 0;
    }
    return int(std::clamp<qint64>(d, k, 0));
}

int WzmocnienieUchwytu(int odGory, int wysokosc) {
    if (wysokosc <= 0) return 0;
    return std::clamp(-(odGory * 3000 / wysokosc), -9000, 0);
}

int PoziomMiernika(int szczyt) {
    const double p = szczyt == 0 ? 1.0 : std::abs(double(szczyt));
    const int db = -int(20.0 * std::log10(32800.0 / p));
    return std::clamp(db, -60, 0);
}

double CzynnikWzmocnienia(qint32 wzmocnienie) {
    const qint32 q = -wzmocnienie / 100;
    if (q <= 1) return 1.0;
    // Below about -46 dB the bars would turn over; they end flat instead.
    return std::max(0.0, 1.0 - 0.6 * std::log10(double(q)));
}
