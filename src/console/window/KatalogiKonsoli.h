#pragma once
// The main window's folder-browser states, one per caller, so that each
// browser reopens where that caller left it.
#include "library/DKatalog.h"

struct OknaBibliotekiSingli;
class KomendyEdycji;
class KomendyPlaylisty;
class PanelTimelisty;
class ProfilOperatora;
class WyjsciaOkna;

struct StanyKatalogow {
    KatStan Wstaw;      // recordings to insert
    KatStan Zapis;      // a folder to save into
    KatStan Playlista;  // playlists to read or append
    KatStan Lista;      // time lists
    KatStan Single;     // singles sets
    KatStan Profil;     // operator profiles
};

// Titles, types, buttons and providers; every start folder the program
// folder until the settings are read.
void PrzygotujStanyKatalogow(StanyKatalogow& s);
// The start folders the settings name.
void StanyKatalogowPoNastawach(StanyKatalogow& s);
// The singles wall's picks through the browser: a recording (insert state),
// a set (singles state) and a folder to save a set into (save state).
void PolaczScianeZKatalogiem(OknaBibliotekiSingli& b, StanyKatalogow& s);
// The time list's picks through the browser: a list (time-list state), a
// folder to save it into (save state) and a recording (insert state).
void PolaczTimelisteZKatalogiem(PanelTimelisty& t, StanyKatalogow& s);
// The operator profile's pick through the browser (profile state).
void PolaczProfilZKatalogiem(ProfilOperatora& p, StanyKatalogow& s);
// The advert list picked by hand for a freshly read playlist (time-list
// state, starting in the list slot's folder).
void PolaczReklamyZKatalogiem(WyjsciaOkna& w, StanyKatalogow& s);
// The playlist commands' picks: a playlist to read or append (playlist
// state, filtered as the command asks) and a folder to save into (save state).
void PolaczPlaylisteZKatalogiem(KomendyPlaylisty& k, StanyKatalogow& s);
// The editing commands' picks: recordings to insert (insert state, the
// marked files too) and a singles set for the "PALETA:" element (singles state).
void PolaczEdycjeZKatalogiem(KomendyEdycji& k, StanyKatalogow& s);
