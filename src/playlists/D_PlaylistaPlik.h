#pragma once
// The native playlist file (.MIX): Windows-1250 key=value lines, a header
// and one block per element closed by "KONIEC OPISU".
#include <QString>
#include <QtGlobal>

struct StanListy;

// 1 while the fade-curve keys (FIT, FOT) are written and read; set at start-up.
extern quint8 FlagaOdczytuPlaylisty;
// Path and file-date text of the first advert list a playlist was built
// with, from its header keys ADRES1LST and DATA1LST (" " when none).
extern QString LST1Adres;
extern QString LST1Data;

enum class WynikZapisuMIX {
    Zapisano,     // the file holds the elements
    InnyFormat,   // PlaylistaFormat is not 1: nothing was written (BladIO 0: nothing failed)
    Blad,         // the write failed (code in BladIO); the old file is left as it was
};

// Writes elements od..do of Playlista. The file is replaced only once the
// new one is complete. BladIO holds the file result.
WynikZapisuMIX ZapiszPlaylisteMIX(const QString& plik, int od, int doElementu);

// Reads the file into Playlista after element `start` (0: a fresh load; the
// count: an append, re-timed to follow element `start`). BladIO holds the
// file result; a file that cannot be read changes nothing.
void WczytajPlaylisteMIX(const QString& plik, int start);

// Called after a read to give the elements their recordings' descriptions
// and categories; the clean-up unit installs it. Not called while unset.
extern void (*PrzypiszOpisyPoOdczycie)(StanListy& stan);
