#pragma once
// Status datagrams for the monitoring computers: fixed-size packets of
// "KEY=value" CR LF lines in Windows-1250, padded with blanks. Other
// stations' programs read these bytes by position, so every width and key
// here is fixed.
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUdpSocket>

#include <functional>
#include <mutex>

#include "platform/SerialWorker.h"

struct TElemPListy;

constexpr int RozmiarPakietu = 504;
constexpr int RozmiarPakietuMonitora = 1400;
constexpr qint32 DobaMsPakietu = 86'400'000;

// ---- the packet text ----

// One field of the packet record: its key with the "=", its width in
// characters and its value (cut to the width when the text is made).
struct PolePakietu {
    QString Klucz;
    int Dlugosc = 0;
    QString Wartosc;
};

// Every field as one line "KEY=" + value + CR LF, then blanks up to `rozmiar`
// bytes; a longer text is cut at `rozmiar`.
QByteArray TekstPakietu(const QList<PolePakietu>& pola, int rozmiar);

// The three-letter kind code of TYP ("" for information, break, alarm and unknown kinds).
QString KodTypuPakietu(quint8 rodzaj);
// Whole seconds of `ms` in two characters: "05", "-3", "^^" when they do not fit.
QString DwaZnakiSekund(qint64 ms);
// A count right-aligned in four characters, held within 0..9999.
QString CzteryZnakiLiczby(qint64 wartosc);
// The row's playing length: mm:ss below an hour, hh:mm:ss from an hour on.
QString DlugoscGraniaWiersza(qint32 trw, qint32 nwp, qint32 nwk);

// ---- what the datagrams read ----

// The fields of a playlist element that the item datagram and the monitor rows carry.
struct ElementPakietu {
    quint8 Rodzaj = 0;  // kind, the low five bits of the element's type
    quint8 Aut = 0;
    QString Ide;
    qint32 Emi = -1;  // air time, ms of day; -1 none
    qint32 Trw = 0;
    qint32 NwP = 0;
    qint32 NwK = 0;
    qint32 Int = 0;
    qint32 Out = 0;
    qint32 Mix = -1;
    QString Tyt;
    QString Wyk;
    QString Zak;
    QString PS1, PS2, PS3, PS4;
};

ElementPakietu ElementPakietuZ(const TElemPListy& e);

// The fields of one player record. NwP and NwK are on the slot's day axis
// (Emi plus the element's own marks).
struct OdtwarzaczPakietu {
    bool Istnieje = false;    // the slot has a player object
    bool Zaladowany = false;  // ... with a file open
    bool Gra = false;         // ... that plays
    qint32 Element = 0;       // playlist element carried, 0 none
    quint8 RodzajElementu = 0;
    QString Ide;  // name of the slot's audio item
    QString Tyt;
    QString Wyk;
    QString CzasStartu;  // hh:mm:ss at the start
    qint32 StartMS = -1;
    qint32 Emi = 0;
    qint32 NwP = 0;
    qint32 NwK = 0;
    qint32 Zagrano = 0;
    qint32 Int = 0;
    qint32 Out = 0;
    qint32 Udzial = 0;
    QString PS1, PS2, PS3, PS4;
};

// Colour of a deck's time label, as the monitor codes it.
enum class KolorCzasuOdtwarzacza { Inny, Teal, Aqua, Lime, Red };

// What the playlist panel shows in one row.
struct WierszPaneluPakietu {
    QString Emisja;     // air-time text
    QString Tytul;      // title column
    QString Wykonawca;  // performer column
    QString Trzecia;    // third text column
};

// The console's state as the datagrams see it. The main window and the
// on-air engine implement it: the label texts are the window's, the player
// records and the playlist the engine's.
class ZrodloPakietow {
public:
    virtual ~ZrodloPakietow() = default;
    virtual QString DataLabel() const = 0;
    virtual QString Czas24Label() const = 0;
    virtual QString DeltaTLabel() const = 0;
    // Decks 1 and 2.
    virtual QString MagnetLabel(int deck) const = 0;
    virtual KolorCzasuOdtwarzacza MagnetKolor(int deck) const = 0;
    // Slots 1..5; any other number is an empty record.
    virtual OdtwarzaczPakietu Odtwarzacz(int slot) const = 0;
    virtual bool AutomatJest() const = 0;
    virtual bool AutostopJest() const = 0;
    virtual bool StolSterowanie() const = 0;
    // The on-air playlist, elements numbered from 1: by default the
    // program's playlist and its state.
    virtual qint32 IloscPlaylisty() const;
    virtual qint32 KursorPlaylisty() const;
    virtual qint32 DoGraniaPlaylisty() const;
    virtual ElementPakietu ElementPlaylisty(qint32 n) const;
    // The row's texts as the playlist panel shows them.
    virtual WierszPaneluPakietu WierszPlaylisty(qint32 n) const = 0;
};

// Free memory and disk of this computer for the heartbeat.
struct ZasobyStanowiska {
    qint64 PamiecMiB = 0;  // available physical memory
    qint64 DyskCGiB = 0;   // free space of drive C:
    qint64 DyskDGiB = 0;   // ... of D:
};
// From Linux: MemAvailable of /proc/meminfo and statvfs of the drives'
// folders; a figure that cannot be read is 0.
ZasobyStanowiska ZasobyZSystemu();

// The heartbeat's figures, measured on a worker thread: a drive that is a
// network folder can keep statvfs for seconds, and the heartbeat runs on the
// program's thread. The heartbeat sends the last figures measured and asks
// for new ones for the next.
class PomiarZasobow {
public:
    // Queues a measurement by `mierz` unless one is still running.
    void Mierz(const std::function<ZasobyStanowiska()>& mierz);
    // The last figures (zeros before any measurement ended).
    ZasobyStanowiska Ostatnie() const;
    // Returns once the queued measurement ended (tests).
    void Czekaj() { pracownik_.flush(); }

private:
    mutable std::mutex mutex_;
    ZasobyStanowiska ostatnie_;
    bool trwa_ = false;
    platform::SerialWorker pracownik_;  // last: ends before what it writes to
};

// ---- the builders (pure: they read the source and return the bytes) ----

// One player and its element. With a loaded slot `korektaStartu` becomes
// the slot's StartMS - Emi.
QByteArray PakietOdtwarzacza(const ZrodloPakietow& z, int gracz, const QString& zdarzenie, qint32& korektaStartu);
QByteArray PakietElementu(const ZrodloPakietow& z, int gracz, const QString& zdarzenie, const ElementPakietu& e,
                          qint32 korektaStartu);
QByteArray PakietStanowiska(const ZrodloPakietow& z, const ZasobyStanowiska& zasoby);
// `cykl` 0..3: which group of row details the rows carry.
QByteArray PakietMonitora(const ZrodloPakietow& z, quint8 cykl);

// ---- sending ----

// One UDP sender: a host (resolved once) and a port. A datagram that cannot
// be sent is dropped; the first failure after a success goes to the log.
class NadawcaUDP : public QObject {
    Q_OBJECT
public:
    explicit NadawcaUDP(QString nazwa, QObject* parent = nullptr);
    void Ustaw(const QString& adres, quint16 port);
    void Wylacz();
    bool Aktywny() const { return aktywny_; }
    void Wyslij(const QByteArray& pakiet);

private:
    void Blad(const QString& powod);

    QString nazwa_;
    QUdpSocket gniazdo_;
    QString adresTekst_;
    QHostAddress adres_;
    quint16 port_ = 0;
    bool aktywny_ = false;
    bool bladZgloszony_ = false;
    int wyszukiwanie_ = -1;
};

// A periodic timer on the program's clock, so that a test steps it with the
// manual clock. An interval of 0 stops it.
struct ZegarPakietow {
    qint64 Interwal = 0;
    bool Wlaczony = false;
    qint64 Termin = 0;  // monotonic ms of the next tick
    // Setting the interval restarts the period.
    void UstawInterwal(qint64 ms);
    void Wlacz(bool wlacz);
    bool Dziala() const { return Wlaczony && Interwal > 0; }
};

// The three senders of the main window, their timers and the builders'
// state (`KorektaStartu`, `CyklMonitora`).
class Datagramy : public QObject {
    Q_OBJECT
public:
    explicit Datagramy(const ZrodloPakietow& zrodlo, QObject* parent = nullptr);

    // At start-up, from the "Satelita" settings: intervals, hosts and ports.
    void UstawNadawcow();
    // When the main window is shown: each timer runs when its switch is on.
    void WlaczZegary();
    void ZatrzymajZegary();

    void WyslijStanOdtwarzacza(int gracz, const QString& zdarzenie);
    void WyslijInfoElementu(int gracz, const QString& zdarzenie, const ElementPakietu& element);
    void WyslijInfoElementu(int gracz, const QString& zdarzenie, const TElemPListy& element);
    // By the element's number in the on-air playlist; nothing for a number outside it.
    void WyslijInfoElementu(int gracz, const QString& zdarzenie, qint32 numer);
    void WyslijStanStanowiska();
    void WyslijPakietMonitora();

    // Runs the timers that are due on the program's clock. A Qt timer calls
    // it; tests call it after stepping the clock.
    void Takt();
    void BroadcastTimerTimer();
    void BroadcastTimer2Timer();
    void BroadcastMonitorTimerTimer();

    qint32 KorektaStartu = 0;
    quint8 CyklMonitora = 0;
    ZegarPakietow BroadcastTimer, BroadcastTimer2, BroadcastMonitorTimer;
    NadawcaUDP IdUDPClient1, IdUDPClient2, IdUDPMonitorClient;
    // Where the heartbeat's memory and disk figures come from; called on the
    // measuring thread.
    std::function<ZasobyStanowiska()> Zasoby = ZasobyZSystemu;
    PomiarZasobow Pomiar;

private:
    void Planuj();

    const ZrodloPakietow& zrodlo_;
    QTimer budzik_;
};
