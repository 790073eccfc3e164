#pragma once
// How elements overlap and how their levels move: the default crossfade of
// a kind, the crossfade between two elements and the level along a fade.
#include <QtGlobal>

struct TElemPListy;

// Fade curves (TElemPListy::FIT and FOT).
enum : quint8 { KrzywaLiniowa = 0, KrzywaSinus = 1, KrzywaKwadrat = 2 };

// The default crossfade in ms of the kind in the low five bits of `typ`.
qint32 DomyslnyCrossfade(quint8 typ);
// The crossfade in ms from `poprzedni` into `nastepny`.
qint32 CrossfadeMiedzy(const TElemPListy& poprzedni, const TElemPListy& nastepny);
// The same with the next recording's length given (ms; below 0 when not
// known: no cap); looks at no file.
qint32 CrossfadeMiedzy(const TElemPListy& poprzedni, const TElemPListy& nastepny, qint32 dlugoscNastepnego);
// The level at `pozycja` of a fade `dlugosc` ms long that reaches `poziom` at
// its end; `odKonca` measures the position from the end (a falling fade).
qint64 PoziomFade(qint64 pozycja, qint64 dlugosc, qint64 poziom, bool odKonca, quint8 krzywa);
