#pragma once
// Between the database's own files; not for other units.
#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

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
