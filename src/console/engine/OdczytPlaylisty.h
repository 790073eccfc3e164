#pragma once
// Reading a playlist file into the on-air playlist: the native .MIX goes to
// its own reader, anything else is a scheduler's export (with "TYP" keys, or
// the short-key form), whose identifiers are resolved to audio files through
// the recordings database or a search of the music folders.
#include <QString>
#include <QtGlobal>

#include <memory>

#include "playlists/D_Playlista.h"

class SilnikEmisji;
struct TElemPListy;

// Reads `plik` into elements start + 1 onward and sets StanPlaylisty; the
// file's result is in BladIO. A scheduler file sets its detected format in
// PlaylistaFormat for the read only.
void CzytajPlayliste(const QString& plik, qint32 start);
// Empties the playlist before a fresh read; the decks forget their numbers.
void CzyscPlayliste(SilnikEmisji& silnik);

// A playlist being read (or appended), built in an array of its own. While
// it lives the new list stands in place for the reader's own passes, and the
// on-air list is put back whenever a dialog, a progress pump or a copy lets
// the timers run: the decks and Automat carry on from the old list until the
// new one is put in place, in one step, by Zatwierdz. Dropped without it, the
// new list is gone and the on-air list was never touched.
class ListaNaBoku {
public:
    // doklejana: the new list starts as the on-air one (an append); else empty.
    ListaNaBoku(SilnikEmisji& silnik, bool doklejana);
    ~ListaNaBoku();
    ListaNaBoku(const ListaNaBoku&) = delete;
    ListaNaBoku& operator=(const ListaNaBoku&) = delete;
    // The new list goes on air. An append keeps the on-air elements it
    // started from as they are now (marks of what aired, the cursor, the
    // next to play) and adds what was read after them; a fresh read finds the
    // decks' elements again in the new list.
    void Zatwierdz();
    // The on-air list's state, whichever list stands in place now.
    const StanListy& StanNaAntenie() const { return nowaWMiejscu_ ? stanInny_ : StanPlaylisty; }

private:
    void zamien();
    SilnikEmisji& silnik_;
    bool doklejana_;
    qint32 iloscStara_ = 0;
    std::unique_ptr<TablicaPlaylisty> inna_;
    StanListy stanInny_;
    QString zbiorInny_, nazwaInna_;
    bool nowaWMiejscu_ = false;
};

// A path from an ADRES value (format 1) or an ID value (format 2), as
// PlaylistaFormat says; "" when a format 2 name without extension exists
// under none of the tried ones.
QString SciezkaNagrania(const QString& tekst);
// Fills the element's Adr from its identifier when the settings ask for a
// search; may set its kind by the folder it was found in.
void ZnajdzPlikNagrania(TElemPListy& e);
// A path found in the database or on the network folders as this station
// reaches it: network drive letters (from KatSiecStart on) become local
// ones, or the local copy of the network folders when one is set. Local
// letters, UNC and relative paths are kept.
QString MapujSciezkeSieciowa(const QString& sciezka);

// Two stored paths of the same file (Polish upper case compared).
bool TenSamPlik(const QString& a, const QString& b);
// A name in a folder, with one separator between them.
QString WFolderze(const QString& folder, const QString& nazwa);
