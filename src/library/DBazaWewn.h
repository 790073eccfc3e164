#pragma once
// Between the database's own files; not for other units.
#include <QHash>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

#include "library/DBaza.h"

// The path index of a table: its upper-cased paths and identifiers (file
// name before the first dot), each to the first physical position holding it.
struct IndeksAdresow {
    QHash<QString, int> adresy;
    QHash<QString, int> nazwy;
    int liczba = -1;
    bool nieaktualny = true;
};
// The index of a table apart; touches nothing shared, so a worker may make it.
IndeksAdresow BazaZbudujIndeks(const TablicaBazy& t);
// The inverse entries of a table apart, likewise.
void BazaBudujIndeksy(TablicaBazy& t);
// The program's table becomes `t`, indexed by `i` (both are left empty).
void BazaPrzejmijTablice(TablicaBazy& t, IndeksAdresow& i);

// A record just appended at position nr joins the path index (the scan asks
// for every file whether its path is known, so the index must keep up).
void BazaDopiszDoIndeksu(int nr);

// While one lives the table is being read, written, sorted, built or
// replaced. Its progress dialogs pump events, so the on-air tick runs and may
// end an element: the play it counts then is held back and counted when the
// last one ends, never into a half-read table or behind a save that would
// then mark it saved.
class BazaWUzyciu {
public:
    BazaWUzyciu();
    ~BazaWUzyciu();
    BazaWUzyciu(const BazaWUzyciu&) = delete;
    BazaWUzyciu& operator=(const BazaWUzyciu&) = delete;
};
bool BazaZajeta();
// The table is read or built another way: the start-up read is not waited
// for any more and its table is dropped when it comes.
void BazaPorzucOdczytStartowy();
void BazaOdlozOdegranie(const QString& sciezka, const QString& tekst);
// Counts the play at once (the hour was already tested).
void BazaPoliczOdegranie(const QString& sciezka, const QString& tekst);

// The counters of one record apart from the table: kept across a network
// copy, or a snapshot for the counters file written in the background.
struct LicznikiNagrania {
    QString Adr;
    quint16 EmC = 0, EmD = 0, EmT = 0, EmM = 0, EmR = 0;
    QString EmO;
};
// Records 1 to the count, in order.
std::vector<LicznikiNagrania> BazaMigawkaLicznikow();
// The record with that path (Polish upper case compared) takes the
// counters; false when no record has it.
bool BazaDolaczLiczniki(const LicznikiNagrania& l);
// Writes the counters file from a snapshot through a temporary file that
// replaces the old one only when complete; the I/O result code (0 when
// written). An entry of the snapshot that holds no counts keeps those the
// old file has for its path; the counted entries of the old file that the
// snapshot lacks follow the snapshot's, up to BazaMaks entries in all, so a
// recording that a rebuild left out gets its counts back when it returns,
// and no write replaces kept counts with an empty record's. `postep` hears
// every 1024th entry written. Touches nothing shared, so a worker thread may
// call it (without `postep`).
int BazaZapiszZbiorLicznikow(const QString& sciezkaLinux, const std::vector<LicznikiNagrania>& liczniki,
                             const std::function<void(int)>& postep = {});

// The counters file written in the background (DBazaLicznikiTlo.cpp).
// A play was counted: the counters file is due within the delay.
void BazaLicznikiDoZapisu();
// Before the counters file is read: the saves queued and in flight finish.
void BazaLicznikiTloCzekaj();
// Before the counters file is written from the table on this thread: what
// waits is dropped (the table holds more) and the save in flight finishes.
void BazaLicznikiTloWstrzymaj();
// That write ended: nothing is pending when it succeeded; otherwise the
// counters are due again.
void BazaLicznikiZapisane(bool zapisane);

// The counted entries of a counters file (a counter or a last play), the
// first of each path (Polish upper case compared), in the file's order.
// `ucieta` tells a block cut short, where the reading ends. Touches nothing
// shared.
std::vector<LicznikiNagrania> BazaLicznikiZbioru(const QString& sciezkaLinux, bool* ucieta = nullptr);

// One read of the database file apart from the program's table, by the
// start-up worker: it touches nothing shared and shows nothing.
struct OdczytBazyApart {
    // Given: stored-form paths, and whether the counters are on.
    QString sciezka, sciezkaLicznikow;
    bool liczniki = false;
    // Found: nothing under the name, or the I/O result of a read that gave
    // no table; else the table, indexed, as the window's read leaves it.
    bool brak = false;
    int kod = 0;
    TablicaBazy tablica;
    IndeksAdresow indeks;
    bool ucieta = false, zaDuzo = false;
    qint64 zapowiedziane = 0;
    // A counters file newer than the database was attached (cut short).
    bool licznikiNowsze = false, licznikiUciete = false;
};
void BazaCzytajApart(OdczytBazyApart& o);
// What a read that took the table says in the log and to the operator: a
// cut file or more records than the table holds.
void BazaZglosOdczyt(const QString& sciezka, bool ucieta, bool zaDuzo, qint64 zapowiedziane);
