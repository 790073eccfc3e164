#pragma once
// Small questions about the on-air list's elements that the starts and the
// next element's walk both ask.
#include "console/engine/ObecnoscPlikow.h"
#include "console/engine/OdtwarzaczeRekordy.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

namespace pozycje {

inline bool wLiscie(qint32 n) {
    return n >= 1 && n <= StanPlaylisty.Ilosc;
}

inline qint32 modDoby(qint64 t) {
    t %= DobaMs;
    if (t < 0)
        t += DobaMs;
    return qint32(t);
}

// An advert placeholder whose block of the time list plays in its place.
inline bool placeholderReklamy(const TElemPListy& e) {
    return Emisja.CzyReklamaJakoBelka && CzyElemReklama(e) && e.Tyt.str().startsWith(QStringLiteral("Reklama o"));
}

// A walk past thousands of elements waits on memory, not on its few
// comparisons: the element this many places ahead is fetched into the cache
// while one is looked at.
constexpr qint32 NaprzodMarszu = 16;

inline void wprzod(const TablicaPlaylisty& elementy, qint32 numer) {
    if (numer > qMin(StanPlaylisty.Ilosc, MaksPlaylisty))
        return;
    const TElemPListy& e = elementy[size_t(numer)];
    // Its kind and its address's text, which may begin on the next line.
    __builtin_prefetch(&e);
    __builtin_prefetch(reinterpret_cast<const char*>(&e.Adr + 1) - 1);
}

// A sound whose file the presence worker found missing under the address it
// holds now, and no advert placeholder (whose block plays).
inline bool znanyBrak(const ObecnoscPlikow::Widok& widok, const TElemPListy& e, qint32 numer) {
    return RodzajDzwiekowy(RodzajElemPListy(e.Typ)) && widok(numer, e.Adr) == ObecnoscPlikow::Brak &&
           !placeholderReklamy(e);
}

}  // namespace pozycje
