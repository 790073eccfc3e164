#pragma once
// The program's own settings section and the daily event log.
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

#include "platform/SerialWorker.h"

struct NastawyProgramu {
    qint32 Numer = 0;
    QString Id;
    bool IdZbioryJest = false;
    QString Katalog;
    bool CzyGlosnik = true;
    quint8 ModulStart = 0;
    bool ZgodnoscDOS = false;
    bool HasloINIJest = false;
    QString HasloINITekst;
    bool LOGZbiorJest = false;
    QString LOGKatalog;
    QString RoboczyKatalog;
    qint32 Panel2StrefaRoznicaH = 0;
    quint8 OknoStanStart = 1;
};

extern NastawyProgramu Nastawy;      // "Nastawy programu"
extern QString NazwaProgramu;        // "Tolvane"
extern QString KatalogStartowy;      // program folder in stored form; "PROGRAM" means it
extern QString KonfiguracjaZbior;    // full name of the settings file
extern QString LogNazwa;             // full name of the current named log
// Why the settings file was not taken at the last reading, for the operator;
// empty once a settings file was taken.
extern QString KonfiguracjaOdrzucona;

class ZbiorNastaw;
struct OpisSekcji;

// The section's key table, bound to Nastawy (the settings dialog walks it too).
const OpisSekcji& SekcjaNastaw();

void NastawyDomyslne();
void ZapiszNastawy(const QString& plik);
void CzytajNastawy(const QString& plik);
void CzytajNastawy(const ZbiorNastaw& zbior);

// A text made fit for a file name: the characters that cannot stand in one
// (or would leave the folder: \ / : * ? " < > |) and control characters
// become "_". Names built from the workstation's Id go through it.
QString BezpiecznaNazwaZbioru(const QString& s);

// The day's event log file name (stored form) for the current settings.
QString LogZbior();
QString LogZbior(const QDate& dzien);
void Log(const QString& tekst);
// The event log's lines may be written by a writer thread: once a queue is
// installed, Log makes the line on the caller's thread (its time, its file
// name) and hands the queue a job that appends it, so the caller never waits
// for the disk and the lines keep their order. `oproznij` waits until what
// was queued is written. Only the installer takes its own queue away; the
// lines go straight to the file again then.
// Lines of one moment whose texts the writer makes (a long run of skipped
// elements): the caller pays only for handing over what they are made from.
// Without a queue they are made and written at once.
void LogWiele(std::function<QStringList()> teksty);
void UstawKolejkeLogu(const void* wlasciciel, std::function<void(std::function<void()>)> kolejka,
                      std::function<void()> oproznij);
void ZdejmijKolejkeLogu(const void* wlasciciel);
// Returns once every line logged so far is in the file.
void OproznijLog();

// The event log's own writer, which the on-air engine installs as the log's
// queue: the lines reach the disk on a thread of their own, in order, so a
// log folder that hangs holds up nobody (nor the writer of the day files).
// It holds at most `Miejsca` lines; lines past that are dropped and counted,
// and the count is logged once, as soon as there is room again.
class PisarzLogu {
public:
    static constexpr unsigned long long Miejsca = 10000;
    PisarzLogu() = default;
    ~PisarzLogu();  // the lines taken are written
    PisarzLogu(const PisarzLogu&) = delete;
    PisarzLogu& operator=(const PisarzLogu&) = delete;

    // Takes a line's job; never waits.
    void Zlec(std::function<void()> zapis);
    // Returns once every line taken is written.
    void Oproznij();

private:
    void zglosPominiete();
    std::atomic<unsigned long long> pominiete_{0};
    platform::SerialWorker pisarz_;
};

// ---- files the station depends on ----
// While one of them cannot be written the status field says which and why;
// the log gets one line when a fault begins and one when writing works again.
enum class ZbiorStacji : quint8 { Historia, XML, Dziennik, Liczniki, RDS, Info, Przekazniki };
// The outcome of a write of `zbior` (its stored name), from any thread:
// `powod` is the system's text of the failure, empty when the write worked.
void ZglosZapis(ZbiorStacji rodzaj, const QString& zbior, const QString& powod);
struct ZmianaZapisu {
    QString Tekst;  // for the log and the status field
    bool Blad;      // a fault began (else one ended)
};
// Whether a fault began or ended since ZmianyZapisu was last called (one
// atomic read, for the on-air tick), and what did, in order.
bool SaZmianyZapisu();
QList<ZmianaZapisu> ZmianyZapisu();
// The latest fault that still stands; empty when every file is written.
QString TrwajacyBladZapisu();

void NowyLogNazwany(const QString& nazwa);
void LogNazwany(const QString& tekst);

void StartProgramu();
void KoniecProgramu();
