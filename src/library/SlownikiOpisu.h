#pragma once
// The vocabularies of a recording's description: what the description editor
// offers in its lists and what the database window's search form picks from.
// A stored value is the entry cut to its field's width, so a nationality
// keeps its three-letter code and a gender its letter.
#include <QStringList>

extern const QStringList SlownikGender;
extern const QStringList SlownikTyp;
extern const QStringList SlownikNastroj;
extern const QStringList SlownikTempo;
extern const QStringList SlownikNarodowosc;
extern const QStringList SlownikKategoria;
// The RDS programme types; an entry's number is the stored value.
extern const QStringList SlownikPTY;
// The eras of the setting InfoEraElementy, split at ";"; read at each use,
// as the setting may change while the program runs.
QStringList SlownikEra();
