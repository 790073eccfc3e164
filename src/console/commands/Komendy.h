#pragma once
// Command identifiers of the main window and the key table that turns key
// codes into them. Every operator action that means something on air ends
// up as one of these numbers in the input-event record (kind 256).
#include <QtGlobal>
#include <array>

class SilnikEmisji;

enum Komenda : quint16 {
    KomBrak = 0,
    KomWyjdz = 10,              // Esc: leaves move or block mode
    KomAutoStop = 3001,
    KomSterowanie = 3002,       // desk control
    KomSat = 3003,
    KomBlokadaEkranu = 3004,    // Ctrl+Q, in Automat only
    KomCzytaj = 3011,           // read a playlist
    KomDoklej = 3012,           // append a playlist
    KomZapisz = 3013,           // save the playlist
    KomUsunPlayliste = 3014,
    KomAutomat = 3021,
    KomCisza = 3022,
    KomStop = 3100,             // Ctrl+Space
    KomStopSpacja = 3101,       // Space, only with StopSpacja
    KomStart = 3102,            // Enter
    KomWznow = 3103,            // Backspace: again from the resume point
    KomUsun = 3105,
    KomWstaw = 3106,
    KomInfo = 3107,
    KomUstawStart = 3109,       // playlist start time
    KomKod = 3110,
    KomZmien = 3111,
    KomMiksy = 3113,
    KomBazaKat = 3114,          // insertion source: folder browser or database
    KomUndo = 3118,
    KomPrzesun = 3119,          // move mode
    KomKolejny = 3120,          // cue the cursor element
    KomKonfiguracja = 3121,
    KomCzytajProfil = 3122,
    KomZapiszProfil = 3123,
    KomPanelOpis = 3124,
    KomPanelDluga = 3125,
    KomPanelWieloslad = 3126,
    KomAktualizacja = 3127,     // time-correction mode
    KomBlok = 3128,             // block mode
    KomKursorGora = 3201,
    KomKursorDol = 3202,
    KomKursorStronaGora = 3203,
    KomKursorStronaDol = 3204,
    KomKursorPoczatek = 3205,
    KomKursorKoniec = 3206,
    KomSingleOd = 4010,         // singles wall: 4010..4020, 4101, 4102, 4201..4212, 4301..4306
    KomSingleDo = 4020,
    KomSingleLewo = 4101,
    KomSinglePrawo = 4102,
    KomSingielF1 = 4201,        // ..4212
    KomSingielF12 = 4212,
    KomPaletaCtrlF1 = 4301,     // ..4306
    KomPaletaCtrlF6 = 4306,
    KomTimelistaOd = 5001,      // time-list buttons and keypad keys 5001..5010
    KomTimelistaSynchro = 5001,
    KomTimelistaCzytaj = 5002,
    KomTimelistaZapisz = 5003,
    KomTimelistaMinus = 5004,   // keypad -, "x": clear
    KomTimelistaWstaw = 5005,
    KomTimelistaUsun = 5006,
    KomTimelistaGrajTeraz = 5007,
    KomTimelistaInfo = 5008,
    KomTimelistaPytaj = 5009,
    KomTimelistaDo = 5010,
    KomTimelistaWczesniejsze = 5010,
    KomTimelistaKolejno = 5011,  // "^": shows SynchroKolejnoJest, no command behind it
    // On-air mode's list buttons: lists from the KatTrybEmisja... folders.
    KomPlayL = 5021,
    KomTerazL = 5022,
    KomRekL = 5023,
    KomTimelistaKursorOd = 5201,  // keypad 8, 2, 9, 3, 7, 1
    KomTimelistaKursorDo = 5206,
    KomGodzina0 = 6000,         // 6000 + h: playlist cursor to hour h
    KomGodzina23 = 6023,
    KomWielosladOd = 7001,
    KomWielosladDo = 7010,
    KomStatus = 8001,           // clear the status text
};

struct WierszKlawisza {
    quint16 Klawisz;  // KodBIOS
    quint16 Komenda;
};

// Every key that means a command; any other key means none.
extern const std::array<WierszKlawisza, 53> TabelaKlawiszy;

// The command of a key code, KomBrak when it has none.
quint16 KomendaKlawisza(quint16 klawisz);

// An identifier of the main window's command table (others are ignored).
bool KomendaZnana(quint16 id);
// What still acts in move or block mode: leave, Enter and the playlist cursor.
bool KomendaWTrybiePrzesuwania(quint16 id);
// What still acts while the folder browser waits for a slow listing: the
// modes, the stops, starting and cueing, and the playlist cursor.
bool KomendaPodczasCzekania(quint16 id);
// What still acts while a playlist is being read: those, the hour buttons,
// the singles' keys and the time list's.
bool KomendaPodczasCzytania(quint16 id);
// Tells the operator in the status field that a command (or a click that
// edits a row) waits for the read to end.
void OdmowaPodczasCzytania(SilnikEmisji& silnik);
