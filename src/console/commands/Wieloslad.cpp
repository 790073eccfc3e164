#include "console/commands/Wieloslad.h"

#include "console/commands/Komendy.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/TrybyEmisji.h"
#include "playlists/D_Playlista.h"

#include <algorithm>

namespace {

bool wPlayliscie(qint32 n) { return n >= 1 && n <= StanPlaylisty.Ilosc && n <= MaksPlaylisty; }

// The nearest element of a kind before (krok -1) or after (krok 1) the
// cursor; 0 when there is none.
qint32 szukaj(qint32 kursor, quint8 rodzaj, int krok) {
    for (qint32 n = kursor + krok; wPlayliscie(n); n += krok)
        if (RodzajElemPListy(Playlista[size_t(n)].Typ) == rodzaj) return n;
    return 0;
}

}  // namespace

int GoraPasa(qint32 n) {
    const quint8 rodzaj = RodzajElemPListy(Playlista[size_t(n)].Typ);
    switch (rodzaj) {
    case RodzajSND: {
        qint32 ktore = 0;
        for (qint32 k = 1; k <= n; ++k) ktore += RodzajElemPListy(Playlista[size_t(k)].Typ) == RodzajSND;
        return ktore % 2 == 1 ? 319 : 349;
    }
    case RodzajBRK: case RodzajALR: case RodzajDJ_: case RodzajWHI: return 409;
    default: return 379;
    }
}

bool OsCzasu::XCzasu(qint32 kursor, qint64 msDoby, int& x) const {
    if (!wPlayliscie(kursor) || Playlista[size_t(kursor)].Emi < 0) return false;
    // Within half a day either way: tomorrow's first minutes lie right of
    // tonight's last ones.
    qint64 d = ((msDoby - Playlista[size_t(kursor)].Emi) % DobaMs + DobaMs) % DobaMs;
    if (d >= DobaMs / 2) d -= DobaMs;
    x = int(std::clamp<qint64>(d / SkalaTimeline + XKursora, -100'000, 100'000));
    return true;
}

std::vector<BlokWielosladu> OsCzasu::Bloki(qint32 kursor) const {
    std::vector<BlokWielosladu> bloki;
    if (!wPlayliscie(kursor) || Playlista[size_t(kursor)].Emi < 0) return bloki;
    const qint32 od = std::max(1, kursor - 19);
    const qint32 do_ = std::min(StanPlaylisty.Ilosc, kursor + 30);
    const auto wOknie = [](int x) { return std::clamp(x, Lewy, Prawy); };
    // SND lanes alternate by the recordings' count from element 1.
    qint32 nagrania = 0;
    for (qint32 k = 1; k < od; ++k) nagrania += RodzajElemPListy(Playlista[size_t(k)].Typ) == RodzajSND;
    for (qint32 n = od; n <= do_; ++n) {
        const TElemPListy& e = Playlista[size_t(n)];
        const quint8 rodzaj = RodzajElemPListy(e.Typ);
        if (rodzaj == RodzajSND) ++nagrania;
        int x = 0;
        if (e.Emi < 0 || !XCzasu(kursor, e.Emi, x)) continue;  // untimed elements are not drawn
        if (x >= Prawy) continue;
        BlokWielosladu b;
        b.Element = n;
        b.Rodzaj = rodzaj;
        b.Gora = rodzaj == RodzajSND ? (nagrania % 2 == 1 ? 319 : 349) : GoraPasa(n);
        b.X1 = wOknie(x);
        b.X2 = wOknie(x + e.Trw / SkalaTimeline);
        if (b.X2 - b.X1 < 4) b.X2 = b.X1 + 4;
        // The fade points in order, whatever the element says.
        const qint64 trw = std::max<qint64>(e.Trw, 0);
        const qint64 nwk = std::clamp<qint64>(e.NwK != 0 ? e.NwK : trw, 0, std::max<qint64>(trw, e.NwK));
        const qint64 nwp = std::clamp<qint64>(e.NwP, 0, nwk);
        const qint64 fin = std::clamp<qint64>(e.FIn, nwp, nwk);
        const qint64 fou = std::clamp<qint64>(e.FOu != 0 ? e.FOu : trw, fin, nwk);
        const auto px = [&](qint64 t) { return wOknie(int(x + t / SkalaTimeline)); };
        b.Wielokat = {QPoint(px(nwp), b.Gora + 26), QPoint(px(fin), b.Gora + 6), QPoint(px(fou), b.Gora + 6),
                      QPoint(px(nwk), b.Gora + 26)};
        const auto linia = [&](qint32 t) {
            if (t <= 0) return -1;
            const int xl = int(x + t / SkalaTimeline);
            return xl >= Lewy && xl <= Prawy ? xl : -1;
        };
        b.XInt = linia(e.Int);
        b.XOut = linia(e.Out);
        bloki.push_back(b);
    }
    return bloki;
}

OsCzasu::Skutek OsCzasu::Komenda(quint16 id, SilnikEmisji& silnik) {
    qint32& kursor = StanPlaylisty.Kursor;
    qint32 cel = 0;
    switch (id) {
    case KomWielosladOd + 1:  // "Zoom-"
        SkalaTimeline = std::min(8000, SkalaTimeline * 2);
        return Skutek::Wieloslad;
    case KomWielosladOd:  // "Zoom+"
        SkalaTimeline = std::max(1, SkalaTimeline / 2);
        return Skutek::Wieloslad;
    case KomWielosladOd + 2:  // "Norm."
        SkalaTimeline = 1000;
        return Skutek::Wieloslad;
    case KomWielosladOd + 3: cel = szukaj(kursor, RodzajBRK, -1); break;
    case KomWielosladOd + 4: cel = szukaj(kursor, RodzajBRK, 1); break;
    case KomWielosladOd + 5: cel = szukaj(kursor, RodzajDJ_, -1); break;
    case KomWielosladOd + 6: cel = szukaj(kursor, RodzajDJ_, 1); break;
    case KomWielosladOd + 7: cel = kursor > 1 ? kursor - 1 : 0; break;
    case KomWielosladOd + 8: cel = kursor < StanPlaylisty.Ilosc ? kursor + 1 : 0; break;
    case KomWielosladDo:  // "Kolejny": the cursor element is cued as command 3120 does
        silnik.KursorNaNastepny();
        return Skutek::Playlista;
    default: return Skutek::Nic;
    }
    if (cel == 0) return Skutek::Nic;
    kursor = cel;
    return Skutek::Playlista;
}

OsCzasu::Skutek OsCzasu::Klik(QPoint punkt, SilnikEmisji& silnik) {
    const qint32 kursor = StanPlaylisty.Kursor;
    for (const BlokWielosladu& b : Bloki(kursor)) {
        if (punkt.x() < b.X1 || punkt.x() > b.X2 || punkt.y() < b.Gora || punkt.y() > b.Gora + 25) continue;
        if (b.Element == kursor) {
            // The mixes are the list's being replaced by a read.
            if (silnik.Stan.CzytaniePlaylisty)
                OdmowaPodczasCzytania(silnik);
            else
                Miksy(silnik);
            return Skutek::Nic;
        }
        StanPlaylisty.Kursor = b.Element;
        return Skutek::Playlista;
    }
    return Skutek::Nic;
}
