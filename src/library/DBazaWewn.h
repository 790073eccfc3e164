#pragma once
// Between the database's own files; not for other units.
#include <QString>

// A record just appended at position nr joins the path index (the scan asks
// for every file whether its path is known, so the index must keep up).
void BazaDopiszDoIndeksu(int nr);

// While one lives the table is being read, written, sorted, built or
// replaced. Its progress dialogs pump events, so the on-air tick runs and may
// end an element: the play it counts then is held back and counted when the
// last one ends, never into a half-read table or behind a save that would
// then mark it saved.
class BazaWUzyciu {
public:
    BazaWUzyciu();
    ~BazaWUzyciu();
    BazaWUzyciu(const BazaWUzyciu&) = delete;
    BazaWUzyciu& operator=(const BazaWUzyciu&) = delete;
};
bool BazaZajeta();
void BazaOdlozOdegranie(const QString& sciezka, const QString& tekst);
// Counts the play at once (the hour was already tested).
void BazaPoliczOdegranie(const QString& sciezka, const QString& tekst);
