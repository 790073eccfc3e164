#pragma once
// The native playlist file (.MIX): Windows-1250 key=value lines, a header
// and one block per element closed by "KONIEC OPISU".
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <functional>

struct StanListy;
class TablicaPlaylisty;
class NagraniaPrzebiegu;
class PlikTekstowy;

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

// What a read found beside its elements, for its caller to act on.
struct WynikOdczytuListy {
    bool Otwarty = false;   // the file was opened and read
    int BladIO = 0;
    int Ilosc = 0;          // the last element stored
    int Zapowiedziane = 2000;  // the count the file announces (the gauge's end)
    QStringList Informacja; // the information dialog to show after the read (lines), when any
    QString LST1Adres = QStringLiteral(" ");
    QString LST1Data = QStringLiteral(" ");
    QStringList Logi;       // lines for the event log
};
// Opens a playlist file for a reader that fills `wynik` (its count starts
// at `start`, kept within the playlist); false when the file cannot be
// read, its code in wynik.BladIO.
bool OtworzListe(const QString& plik, int& start, PlikTekstowy& f, WynikOdczytuListy& wynik);
// The reader itself, on the caller's list only: it shows nothing, logs
// nothing and sets no shared word, so a worker thread may run it on a list
// of its own while the on-air list plays. Element `start` of `lista` is the
// one an append follows. `postep` hears each element stored (0 once the
// file opened) with the count announced; `przerwij` ends the read early. An
// element without a length takes its file's, through `nagrania` when given.
WynikOdczytuListy CzytajMIX(const QString& plik, int start, TablicaPlaylisty& lista,
                          const std::function<void(int, int)>& postep = {},
                          const std::atomic<bool>* przerwij = nullptr, NagraniaPrzebiegu* nagrania = nullptr);


// Called after a read to give the elements their recordings' descriptions
// and categories; the clean-up unit installs it. Not called while unset.
extern void (*PrzypiszOpisyPoOdczycie)(StanListy& stan);
