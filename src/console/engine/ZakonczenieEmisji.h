#pragma once
// Small rules of the ending shared by the engine and its tests: the STOP
// line's reason words and the arithmetic of the fade-outs.
#include <QString>
#include <QtGlobal>

// "PROG ", "MYSZ ", "KLAW ", "FADE ", "STOL ", "SATL ", "SPLM ", "SVTM ",
// "SRLM " for reasons 0 to 8; a reason above 8 writes no word.
QString SlowoStopu(quint8 powod);

// 2 for slot 1, 1 for any other slot.
quint8 InnyOdtwarzacz(quint8 slot);

// The fade-out's step per tick (hundredths of a dB) for the stop level
// `poziomStop` (hundredths of a dB) reached in `czasStop` ms at ticks of
// `interwal` ms. Never 0 while there is a level to fall to, so a long fade
// of a small level still ends.
qint32 KrokFade(qint32 poziomStop, qint32 czasStop, qint32 interwal);
// The level at which a fade-out ends the element: never below silence, so a
// stop level beyond -100 dB still ends it.
qint32 PoziomKoncaFade(qint32 poziomStop);
