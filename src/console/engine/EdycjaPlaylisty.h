#pragma once
// The playlist edits that keep the on-air state in step: an element goes in
// after the cursor, the elements after it are re-timed, and the next mark
// and the decks' element numbers follow the elements they carried. The
// operator's editing commands and the news insertion share them.
#include <QString>
#include <QtGlobal>

class SilnikEmisji;
struct TElemPListy;

// The playlist holds as many elements as it can.
bool PlaylistaPelna();
// Its limit, for the "Brak pamięci" message.
qint32 PojemnoscPlaylisty();
// A deck (1 to 3) carries a playlist element after the cursor: an insertion
// there would go before what is on air. MIXPLEdycjaPrzedGranaJest allows it.
bool KursorPrzedGranaPozycja(const SilnikEmisji& silnik);

// Inserts `element` after the cursor (air time 0 into an empty playlist),
// works out its air time from the element before it unless it has one,
// moves the following elements by its length less the crossfade (earlier
// only for news and programmes), renumbers the next mark and the decks, and
// makes it the cursor. The caller checks the refusals above, takes the undo
// snapshot and redraws; a full playlist is left as it is (false).
bool WstawRekordPlaylisty(SilnikEmisji& silnik, TElemPListy element);
