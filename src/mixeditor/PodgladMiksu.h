#pragma once
// The level arithmetic of the mix preview, the same as the on-air loop's:
// volumes in hundredths of a dB, 0 full, -10 000 silence.
#include <QtGlobal>

#include "audio/TrimRodzaju.h"
#include "mixeditor/EdycjaPL.h"

constexpr int CiszaPodgladu = -10'000;

// A song's fade envelope at time t: -10 000 outside its new start..new end,
// the fades spanning 50 dB, 0 between them.
int ObwiedniaSladu(const SladMiksuTyp& s, qint64 t);
// The envelope with the kind's trim and the track's gain (kinds without a
// trim get neither), clamped.
int GlosnoscPiosenki(const SladMiksuTyp& s, qint64 t, const TrimyRodzajow& trimy);
// How far voice track s lowers the songs at time t: its duck level ramped
// over the duck-in and duck-out spans, between the level and 0.
int KaczkaSladu(const SladMiksuTyp& s, qint64 t);
// The gain of a handle `odGory` pixels below the top of a box `wysokosc` high.
int WzmocnienieUchwytu(int odGory, int wysokosc);
// The input meter's bar for a peak sample: -60..0 dB.
int PoziomMiernika(int szczyt);
// How much a track's bars shrink for its gain (1 at 0 dB, never below 0).
double CzynnikWzmocnienia(qint32 wzmocnienie);

inline int ObetnijGlosnosc(qint64 v) { return int(v < CiszaPodgladu ? CiszaPodgladu : (v > 0 ? 0 : v)); }
