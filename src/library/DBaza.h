#pragma once
// The recordings database: one table of up to 60 000 recordings, kept in one
// text file (BazaZbior) with its play counters in a companion .LIC file.
// Everything runs on the GUI thread but the background writes of the
// counters file (from a snapshot); long operations show the progress dialog
// and poll StanPrzerwij.
//
// Records are numbered from 1 in physical order. Lookups by path go through
// a hash of the Polish-upper-cased path, so counting a play when an element
// ends costs a hash probe, not a walk over 60 000 records.
#include <QHash>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

constexpr int BazaMaks = 60000;

// Sort orders (and the inverse entries' places).
enum : int { BazaWgTytulu = 1, BazaWgWykonawcy = 2, BazaWgCzasu = 3, BazaWgKodu = 4 };

struct BAZARekordTyp {
    QString Tyt;
    QString Wyk;
    QString Tot;          // " 3:05": minutes, colon, seconds
    qint32 Dlugosc = 0;   // ms; from the scan, or from Tot after a load
    QString Kod;
    QString Adr;          // the key of a record
    QString Nas, Nar, Jak, Gen, Typ;
    QString Kat;          // upper case after a load
    QString Era, BPM, Tem, Key, Fil, Zaa;
    quint16 Tyx = 0, Wyx = 0, Czx = 0, Kox = 0;  // ranks, 1 = first
    // Inverse tables of the four orders (index order - 1): the physical
    // position of the record whose rank in that order equals this record's
    // physical position. Not saved.
    quint16 Odw[4] = {0, 0, 0, 0};
    quint16 EmC = 0, EmD = 0, EmT = 0, EmM = 0, EmR = 0;
    QString EmO;          // last counted play, "yyyy-mm-dd ..."
    quint8 Znaleziony = 0;  // the window's last search found it
};

// Records 1..Liczba(), at most BazaMaks. The table owns the record count:
// records are added with Dodaj and dropped with Przytnij or Wyczysc, so a
// record past the count never exists.
class TablicaBazy {
public:
    // A number outside 1..Liczba() is the caller's fault: it throws
    // std::out_of_range rather than hand out a record whose changes would
    // go nowhere.
    BAZARekordTyp& operator[](int nr);
    // Reading past the count gives an empty record.
    const BAZARekordTyp& operator[](int nr) const;
    constexpr const int& Liczba() const { return liczba_; }
    // Appends the record as number Liczba() + 1; nullptr when the table is full.
    BAZARekordTyp* Dodaj(BAZARekordTyp r = {});
    // Room for `liczba` records (at most BazaMaks), so that a load that
    // knows its count does not move the records it has taken as it goes.
    void Zarezerwuj(int liczba) { r_.reserve(size_t(qBound(0, liczba, BazaMaks))); }
    // Drops every record.
    void Wyczysc();
    // Takes the records of a table made apart (read by a worker); that one
    // is left empty. The version still grows, so no list made before
    // passes for this table's.
    void Przejmij(TablicaBazy& t);
    // Keeps records 1..liczba, drops the rest.
    void Przytnij(int liczba);
    // For the sort: the records, record 1 first. Their number must not change.
    std::vector<BAZARekordTyp>& Dane() {
        ++wersja_;
        return r_;
    }
    // Grows whenever records are added, dropped or moved, or their order
    // indexes are rebuilt: a list of positions made at one version is still
    // good while the version is the same.
    quint64 Wersja() const { return wersja_; }
    void Zmieniona() { ++wersja_; }

private:
    std::vector<BAZARekordTyp> r_;
    int liczba_ = 0;
    quint64 wersja_ = 0;
};

extern TablicaBazy BazaRekordy;
// The record count, read-only: the table's own.
extern const int& BazaLiczba;
extern bool BazaZmieniona;    // the table differs from the file
extern bool BazaWczytana;     // the file was read successfully
extern bool BazaAktualizacja; // the scan only adds new paths
extern QString BazaDzis;      // "2000-00-00" until the window reads the database
// The table holds everything the file should: set by a complete read or
// build, cleared by BazaCzyscWszystko and by a failed, cut-short or aborted
// read or build. BazaZapisz refuses an incomplete table, so a partial table
// never replaces a good file.
extern bool BazaKompletna;

// Installed by the on-air console: whether player 1 or 2 plays. While they
// do, the database is not rebuilt. Without a console nothing plays.
extern std::function<bool()> BazaOdtwarzaczeGraja;

void BazaWyczyscRekord(BAZARekordTyp& r);
void BazaCzyscWszystko();

// The database file as a stored-form path ("NIE_MA" and a relative name
// resolved against the program folder).
QString BazaSciezka();
// The counters file: the database file with its extension replaced by LIC.
QString BazaSciezkaLicznikow();

void BazaCzytaj();
void BazaZapisz(bool pytaj);
void BazaLicznikiZapisz();
void BazaLicznikiCzytaj();
// Clear, read and index, saving unsaved changes of a complete table first;
// a table whose save fails is kept (the window's re-read on every opening
// and the playlist reader use it).
void BazaWczytajOdNowa();

// Counted plays reach the counters file within a minute, so that a crash or
// a power cut loses at most that minute. The GUI thread takes a snapshot of
// the counters and queues it; a worker thread writes the file through a
// temporary file, the saves one after another in the order queued. A load
// attaches a counters file newer than the database file.
constexpr qint64 BazaLicznikiZwlokaMs = 30000;  // from the first play not yet saved
// The program's start: a timer on the calling thread calls BazaLicznikiSprawdz
// every second.
void BazaLicznikiTloStart();
// Shutdown: the timer stops, what is pending is written and the worker ends.
void BazaLicznikiTloStop();
// Queues a snapshot once the oldest play not yet saved is BazaLicznikiZwlokaMs
// old (by the program's clock); logs a save that failed and tries it again.
void BazaLicznikiSprawdz();
// Queues what is pending now and waits until every queued save is written.
void BazaLicznikiOproznij();

// At start-up, with the counters on, the database file (and a counters
// file newer than it) is read by a worker: the file lives on a share that
// may be slow, and neither the window nor the on-air loop waits for it. The
// table comes in through this thread's event loop. A play that ends before
// it does is held back and counted in it, or logged when no table comes (the
// file missing or unreadable); a read or build of the table meanwhile takes
// the place of this one.
void BazaCzytajPrzyStarcie();
// Waits for that read, at most `ms` (< 0: for as long as it takes), and
// takes its table in; one that does not come in time is given up, and the
// plays held for it are logged. The close (BazaLicznikiTloStop) and test
// rigs call it.
void BazaOdczytStartowyOproznij(int ms = -1);
constexpr int BazaOdczytStartowyZwlokaMs = 5000;  // how long the close waits for it
// How long the plays ending meanwhile wait for it: then they are logged as
// not counted, one line each, and the table is still taken when it comes.
constexpr int BazaOdczytStartowyCzekanieMs = 60000;

void BazaSortuj(int porzadek);
void BazaBudujIndeksy();
// True when a table was built (or updated); false when nothing was started
// (players 1 or 2 play, the operator said no) or the scan was aborted.
bool BazaUtworz();

bool BazaJestAdres(const QString& sciezka);
// The path of the first record whose file name is the identifier followed by
// an extension (A12 finds ...\A12.MP3, not ...\A123.MP3); "" when none.
void BazaSzukajAdres(const QString& fragment, QString& sciezka);
QString BazaSzukajAdres(const QString& fragment);
// What BazaSzukajAdres answers, for every identifier at once (Polish upper
// case -> path): a copy that a worker resolving a scheduler's list may ask
// while the table stays the program's thread's.
QHash<QString, QString> BazaMigawkaAdresow();
// The physical position of the first record with the path (Polish upper
// case compared), 0 when none.
int BazaPozycjaAdresu(const QString& sciezka);
// Code that changes Adr of records or moves them outside this unit calls it
// so that the path index is rebuilt on the next lookup.
void BazaAdresyZmienione();

void BazaKopiujZSieciStart();
// True when the file was copied and the table read again (the window then
// resets its search fields and redraws).
bool BazaKopiujZSieci();
// BAZAKatalogSiec + "\" + the database file's name in upper case.
QString BazaSciezkaSieciowa();

// Length in ms as the Tot text: " 3:05", "100:00".
QString BazaTotTekst(qint64 ms);
// Tot text back to ms (0 when it is not minutes:seconds).
qint32 BazaTotNaMs(const QString& tot);
