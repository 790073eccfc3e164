#pragma once
// The folder browser's listing worker as the rest of the program sees it,
// without a widget: the console asks whether a listing is waited for.
#include <QString>

#include <functional>

// A listing of the browser is being waited for. The console then takes only
// the commands it takes while a playlist is read (its keys act at once, and
// nothing opens over the waiting browser).
bool KatalogCzeka();
// The listing workers' flush: waits until every one has finished, also those
// the operator stopped waiting for with Esc (a share may answer late).
void KatalogOproznij();
// Runs on the listing worker before it reads the folder; a test holds a
// listing there as a share that does not answer would.
extern std::function<void(const QString& katalog)> KatalogPrzedOdczytem;
