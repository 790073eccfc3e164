#pragma once
// Shared by the mix model's building and writing, not by its users.
#include <array>

#include "playlists/D_Playlista.h"

namespace edycja_pl {

// What the mix was built from: the playlist's elements 1..LiczbaZrodlowa as
// they were, so that a write can tell whether the playlist changed meanwhile.
extern TablicaPlaylisty PlaylistaZrodlowa;
extern qint32 LiczbaZrodlowa;
// Where each element of the working copy came from. Kept through removals
// and the sort, so that a write carries the engine's marks over and
// renumbers the players, the cursor and the next-to-play element.
struct ZrodloElementu {
    qint32 Numer = 0;    // its number in the playlist the mix was built from; 0: added by the mix
    // Days after the first that its air time lies in but that were not added
    // to it (a playlist of more days than the build shifts); the sort adds them.
    qint32 DniPoza = 0;
};
extern std::array<ZrodloElementu, MaksPlaylisty + 1> Zrodla;

// The playlist's count and cursor as numbers inside the array.
qint32 IloscPlaylisty();
qint32 KursorPlaylisty();

// Spoken candidate for the voice tracks of the mix between elements a and b
// of the working copy: the first that belongs to it, searching forward from
// `od` and, when nothing was found, backward from it; `pomin` is skipped.
// 0 when none.
qint32 SzukajGlosu(qint32 a, qint32 b, qint32 od, qint32 pomin);

}  // namespace edycja_pl
