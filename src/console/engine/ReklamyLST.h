#pragma once
// Advert and promo blocks merged from the traffic department's lists
// (.LST: a time and a text, then the audio file's path) into the
// placeholders of a freshly read playlist, or, in bar mode, into the time
// list. Reading never fails the air: a missing list or file is reported
// and the playlist stays playable.
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class SilnikEmisji;
class TablicaPlaylisty;
class NagraniaPrzebiegu;

// Whether each list slot is read this time (set by the questions).
extern bool CzytajLista1;
extern bool CzytajLista2;
// The name (no folder, no extension) of the advert list the operator picked
// by hand for the playlist last read; "" when the list was found by name.
extern QString ListaLSTWybrana;

// What a merge reads, decided on the program's thread (its questions and
// picks) with the settings it goes by, copied: the worker merges by it alone.
struct PlanReklam {
    qint32 Start = 0;  // the merge looks at elements after this one
    bool Interaktywnie = false;
    bool WgPozycji = false;  // a .MIX whose placeholders name their own lists
    bool Scal = false;       // runs of like placeholders collapsed first
    bool ZCzasami = false;   // merged adverts take their files' lengths
    bool Belka = false;      // the lists go to the time list (the program's thread reads them)
    bool UsuwanieReklamaO = false, UsuwaniePromosO = false;
    qint32 CzasJCross = 0;
    QString NazwaPlaylisty;
    // Per slot 1 and 2: switched on, read this time, its kind, folder and list.
    bool Wlaczony[3] = {}, Czytaj[3] = {};
    quint8 Rodzaj[3] = {};
    QString Katalog[3], Lista[3];
};
// What a merge found, for the program's thread to show.
struct WynikReklam {
    QString Blad;       // the first list is missing (an operator's read)
    QString Komunikat;  // the same in an automatic load: the playlist panel's message
    QString LST1Adres, LST1Data;  // the first list read and its date
    bool Druga = false;  // the second list stands there
    bool Limit = false;  // the playlist reached its limit
};

// After a read or append (interactive, with questions and picks) or an
// automatic load, on the program's thread with the new list in place:
// what is to be merged, or nothing.
std::optional<PlanReklam> PlanujReklamy(SilnikEmisji& silnik, qint32 start, bool interaktywnie);
// On a worker: the merge into a list of its own (elements 1..ilosc), its
// recordings looked at and opened through `nagrania`; `pokaz` hears what
// it does, for the status field.
WynikReklam ScalReklamy(const PlanReklam& plan, TablicaPlaylisty& lista, qint32& ilosc, NagraniaPrzebiegu& nagrania,
                        const std::function<void(const QString&)>& pokaz = {});
// Back on the program's thread with the new list in place: the messages,
// the advert list's name and date, and in bar mode the time list.
void ZglosReklamy(SilnikEmisji& silnik, const PlanReklam& plan, const WynikReklam& wynik);
