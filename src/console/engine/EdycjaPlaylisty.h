#pragma once
// The playlist edits that keep the on-air state in step: an element goes in
// after the cursor or out at the cursor, the elements after it are
// re-timed, and the next mark and the decks' element numbers follow the
// elements they carried. The operator's editing commands and the news
// insertion share them.
#include <QString>
#include <QtGlobal>

#include <functional>

class SilnikEmisji;
struct TElemPListy;

// The playlist holds as many elements as it can.
bool PlaylistaPelna();
// Its limit, for the "Brak pamięci" message.
qint32 PojemnoscPlaylisty();
// The cursor element is on one of decks 1 to 3 that carries or plays it.
bool CzyWOdtwarzaczu(const SilnikEmisji& silnik);
// Element i is a song that a DJ or whisper element following it talks over
// (it starts before the song's middle).
bool CzyNakladka(qint32 i);

// Keeps PlaylistaZmieniona on while elements move, so that the on-air
// loop's guard starts nothing in between; off again however the work ends.
class ZmianaPlaylisty {
public:
    explicit ZmianaPlaylisty(SilnikEmisji& silnik);
    ~ZmianaPlaylisty();
    ZmianaPlaylisty(const ZmianaPlaylisty&) = delete;
    ZmianaPlaylisty& operator=(const ZmianaPlaylisty&) = delete;

private:
    SilnikEmisji& silnik_;
    bool poprzednio_;
};

// A shift of air times taken the nearer way round the clock, in
// (-12 h, 12 h], so that a playlist running past midnight moves the right way.
qint64 PrzesuniecieDoby(qint64 d);

// Inserts `element` after the cursor (air time 0 into an empty playlist),
// works out its air time from the element before it unless it has one,
// moves the following elements by its length less the crossfade (earlier
// only for news and programmes), renumbers the next mark and the decks, and
// makes it the cursor. The caller checks the refusals above, takes the undo
// snapshot and redraws; a full playlist is left as it is (false).
bool WstawRekordPlaylisty(SilnikEmisji& silnik, TElemPListy element);
// Deletes the cursor element; with `zamknijLuke` the following elements
// move up into its time. The next mark and the decks follow their elements
// (a deck on the deleted element keeps none) and the cursor stays in the
// list. These edits only renumber the next mark: the command that made them
// settles the next element (SilnikEmisji::UstalNastepny) once it is done.
void UsunRekordPlaylisty(SilnikEmisji& silnik, bool zamknijLuke);
// Keeps elements od..do_ only, in one pass: the decks, the next mark and
// the cursor (on the last kept) follow. False when the range is empty.
bool ZostawZakresPlaylisty(SilnikEmisji& silnik, qint32 od, qint32 do_);
// Moves element `zrodlo` so that it lands after the element at `cel` - 1
// once it is out: after the old `cel` moving down, before it moving up,
// re-timed from its new predecessor. A next mark on it passes to the element
// that followed it: moved down, it must not skip the elements it jumped, and
// moved up it must not bring back what is already on air.
void PrzesunRekordPlaylisty(SilnikEmisji& silnik, qint32 zrodlo, qint32 cel);
// Whether the insertion of `adres` may go on: a recording already within
// MIXPLTestObecnosciMarginesH hours of the cursor is asked about.
bool SprawdzDuplikat(const QString& adres);

// "WSTAW      Zakończenie playlisty o 10:07:54.000": the word padded to 11.
void LogEdycji(const QString& slowo);
