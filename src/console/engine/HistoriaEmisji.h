#pragma once
// What an ended element leaves behind: how much of it was played, whether it
// counts for the history, its line in the day's history file (.HST) and its
// event in the day's XML schedule. The day files are named by the date the
// element started on, so an element that crosses midnight is written to the
// day it began.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "console/engine/HarmonogramXML.h"
#include "platform/SerialWorker.h"

// ---- how far an element was played ----

// Percent played, 0 to 100, from the played share in thousandths.
int ProcentOdegrania(qint32 udzial);
// The resume point stored when an element is ended: 0 when less than 501 ms
// were left (it was played to its end), else the furthest position reached.
qint32 PunktWznowienia(qint32 pozostaloMs, qint32 zagranoMs);

struct OcenaOdegrania {
    bool Zagrany = false;  // played long enough to be marked and counted
    bool Dlugi = false;    // played for more than THST whole seconds
};
// `wykonawca` is the element's performer field: with adverts shown as a
// block, an element whose performer is "Reklama" always counts as played.
OcenaOdegrania OcenOdegranie(int procent, qint32 zagranoMs, quint8 decyzjaGPIStartu, const QString& wykonawca);

// Whether an element of this kind goes to the history, by the category
// switches and whether it came from the playlist.
bool KategoriaDoHistorii(quint8 rodzaj, bool zPlaylisty);

// The text fields of the history line, as the player record holds them.
struct PolaHistorii {
    QString Tyt, Pta, Wyk, Sol, Kom, Atr, Pro, Wyd, Rok;
    // The full form adds these.
    QString Gen, Typ, Era, Nar, KodRodzaju, Jak, Nas, Tmc;
};
// percent%; mm:ss; title; album; ...; year (11 fields), or with the full
// form the day text yy_mm_dd in front and the description fields behind
// (20 fields).
QString TekstHistorii(int procent, qint32 dlugoscMs, const PolaHistorii& p, bool pelne, const QString& dzienTekst);

// yy_mm_dd: the day's part of the file names and of the full history line.
QString TekstDniaHistorii(const QDate& dzien);

// The date of an element's start from its date text (yyyy-mm-dd); an
// unreadable text gives `zapasowa`.
QDate DataZTekstu(const QString& tekst, const QDate& zapasowa);

// ---- the day files ----

// The names of one day's files, taken from the settings (history folder,
// Id prefix, XML switch). Empty names when history files are off.
struct NazwyDnia {
    QDate Dzien;
    QString DzienTekst;  // yy_mm_dd
    QString ZbiorHST;    // stored-form names
    QString ZbiorXML;    // empty when the XML schedule is off
};
NazwyDnia NazwyPlikowDnia(const QDate& dzien);

// The day files and what was last written to them. The calls that take
// NazwyDnia read no setting and log through `Loguj`, so the day-file writer
// runs them on its own thread; the ones that take a date are the same work
// with the names from the settings, for a caller on the program's thread.
class PlikiHistorii {
public:
    PlikiHistorii();

    // Opens (creates when missing) the history file and, with the XML switch,
    // the XML file of the day; only when history files are switched on.
    void OtworzPlikiHistorii(const QDate& dzien);
    void Otworz(const NazwyDnia& nazwy);

    // Appends "start; path; text" to the history file of the day, opening the
    // day's files first when they are not that day's. False when not written.
    bool DopiszLinie(const QDate& dzien, const QString& czasStartu, const QString& sciezka, const QString& tekst);
    bool DopiszLinie(const NazwyDnia& nazwy, const QString& czasStartu, const QString& sciezka, const QString& tekst);
    // Inserts the event into the XML file of the day; a refused or failed
    // insertion is logged with its cause. An event that could not be
    // written (a full disk, a write error) is kept, and the events kept are
    // written, in the order they aired, before any later one: false while
    // it waits.
    bool DopiszZdarzenie(const QDate& dzien, const ZdarzenieXML& z);
    bool DopiszZdarzenie(const NazwyDnia& nazwy, const ZdarzenieXML& z);
    // Tries the events kept again; true when none is left.
    bool ZapiszZalegle();
    // Events kept, most: past this the oldest go, said in the log.
    static constexpr int MaksZaleglych = 10000;
    int Zalegle() const { return int(zalegle_.size()); }

    // Where the messages go: the event log unless the owner routes them.
    std::function<void(const QString&)> Loguj;

    // State of the day files (stored-form names).
    QString ZbiorHST;
    QString ZbiorXML;
    QDate Dzien;             // the day they were opened for
    QString DzienTekst;      // yy_mm_dd
    QString OstatniaGodzina; // the last hour written to the XML file

private:
    void upewnijSieDnia(const NazwyDnia& nazwy);
    enum class Zapis { Zapisano, Zachowano, Pominieto };
    Zapis zapiszZdarzenie(const NazwyDnia& nazwy, const ZdarzenieXML& z, bool zalegle);
    QString wMiejscuZgloszony_;  // the XML file whose in-place writing was logged
    std::vector<std::pair<NazwyDnia, ZdarzenieXML>> zalegle_;  // in the order they aired
};

// The day files as the on-air loop writes them: one writer thread takes the
// lines and events in the order they came and writes each file as
// PlikiHistorii does, so an ended element costs the loop only a queued job.
// The names are taken from the settings on the caller's thread; what the
// writer had to say reaches the event log from the caller's thread too, at
// its next call or when it waits for the writer.
class HistoriaWTle {
public:
    HistoriaWTle();
    // Writes what is still queued.
    ~HistoriaWTle();
    HistoriaWTle(const HistoriaWTle&) = delete;
    HistoriaWTle& operator=(const HistoriaWTle&) = delete;

    void OtworzPlikiHistorii(const QDate& dzien);
    void DopiszLinie(const QDate& dzien, const QString& czasStartu, const QString& sciezka, const QString& tekst);
    void DopiszZdarzenie(const QDate& dzien, const ZdarzenieXML& z);
    // Another file of the console (RDS, INFO), written in turn with the day
    // files so that what a start or an end leaves reaches the disk in the
    // order it happened; a text the job returns goes to the event log.
    void Zlec(std::function<QString()> praca);

    // Returns once everything queued is written, and logs what the writer said.
    void Oproznij();
    // Logs what the writer said so far; costs nothing when it said nothing.
    void ZglosKomunikaty();
    // While events wait for their XML file, has them tried again every
    // PonowienieMs (on the program's clock); costs one read otherwise.
    static constexpr qint64 PonowienieMs = 2000;
    void PonowZalegle();

private:
    void dodaj(std::function<void(PlikiHistorii&)> praca);

    PlikiHistorii pliki_;  // the writer's alone once it runs
    std::mutex mutex_;
    QStringList komunikaty_;
    std::atomic<bool> saKomunikaty_{false};
    std::atomic<bool> saZalegle_{false};  // set by the writer
    qint64 ostatniePonowienie_ = 0;
    // A retry still queued or running: a writer stuck on its disk gets no
    // second one piled up behind it.
    std::atomic<bool> ponowienieTrwa_{false};
    // Last: it ends (writing what is queued) before the files go away.
    platform::SerialWorker pisarz_;
};
