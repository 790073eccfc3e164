#pragma once
// The on-air engine: the five player records, the 30 ms on-air loop, cueing
// and starting playlist elements, and the state the modes set. It knows no
// widgets: the main window owns it, connects Timer1 and the display timer to
// Timer1Timer and OdswiezOdtwarzacze, draws the deck panels from its records
// and shows the dialogs it queues. A test builds it with a manual clock, its
// own players and the scripted dialog service and calls the ticks itself.
//
// Time comes from platform::clock(); the playlist (Playlista, StanPlaylisty)
// and the settings (Emisja, Satelita, Wgrywanie) are the program's globals.
#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "audio/PlayerSloty.h"
#include "console/engine/HistoriaEmisji.h"
#include "foundation/KestSter2.h"
#include "console/engine/ObecnoscPlikow.h"
#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/OdtwarzaczeRekordy.h"
#include "audio/OdtwarzaczeSlotow.h"
#include "console/engine/StanKonsoli.h"
#include "platform/CaptureVolume.h"
#include "platform/SerialWorker.h"

class SerwisyEmisji;
class WyjsciaEmisji;
struct TElemPListy;
struct PrzygotowanyStart;
struct OpisNagraniaTyp;

// Start sources: the word written into the START line.
enum : quint8 {
    ZrodloProg = 0,
    ZrodloMysz = 1,
    ZrodloKlaw = 2,
    ZrodloStol = 4,
    ZrodloTone = 5,
    ZrodloCisz = 6,
    ZrodloUndo = 11,
};
// Modes of GrajKolejny.
enum : quint8 {
    TrybKursor = 1,    // the cursor element
    TrybRoboczy = 2,   // the element the caller put into ElemPListyRob
    TrybNastepny = 4,  // the next element to play
};
// Why the next mark changes; each comes to UstalNastepny.
enum class ZmianaNastepnego : quint8 {
    Start,       // an element started: the mark goes on past the decks
    Pominiecie,  // the next element cannot play (missing, refused)
    Edycja,      // an edit, an undo, a move, Ctrl+P
    Odczyt,      // a read went on air (the operator's, the next day's, the emergency list)
    Automat,     // Automat switched on
    Zegar,       // a timer chose it (the satellite re-join, a timed item)
};
// Stop reasons the loop and the buttons use (the ending writes their words).
enum : quint8 { PowodProg = 0, PowodMysz = 1, PowodKlaw = 2, PowodFade = 3, PowodStol = 4 };

// "PROG ", "MYSZ " ... for a start source; "" for 3 and above 11.
QString SlowoStartu(quint8 zrodlo);

// The advert kind of the advert path (promos instead when the lists say so).
bool RodzajReklamy(quint8 rodzaj);

// What the 24-hour clock's font shows.
enum class KolorZegara : quint8 { Bialy, Czerwony, Zolty, Zielony };

// The meaning of a deck's time colour.
enum class StanCzasuOdtwarzacza : quint8 {
    Zatrzymany,   // the slot's player does not play
    Intro,        // intro countdown
    Normalny,     // remaining time
    Ostrzezenie,  // remaining time within the warning time
    Blok,         // a time-list block plays on the slot
};

// What the display refresh found for one deck; the window draws it.
struct WidokOdtwarzacza {
    StanCzasuOdtwarzacza Stan = StanCzasuOdtwarzacza::Zatrzymany;
    qint64 Czas = 0;       // the time shown, ms
    qint64 Zagrano = 0;    // the level bar: played ...
    qint64 Dlugosc = 0;    // ... of this
    bool FOutWcisniety = false;
    int VuLewy = 0;        // 0..100
    int VuPrawy = 0;
};

// A dialog the engine wants shown; never opened inside a tick.
struct KomunikatEmisji {
    enum Rodzaj : quint8 { Informacja, PytaniePaleta, BrakZbioruPalety, PytanieSerwis };
    Rodzaj rodzaj = Informacja;
    QString linia1;
    QString linia2;
    qint32 element = 0;  // the marker a news question is about
};

class SilnikEmisji {
    // Owned by the program's engine only; declared first so that they stand
    // before the references below are bound to them.
    std::unique_ptr<StanKonsoli> stanWlasny_;

public:
    static constexpr int InterwalTimer1 = 30;

    // The program's engine: its own console state, capture control and the
    // player slots on the configured back-end.
    SilnikEmisji();
    // An engine on given state and players (tests, tools); Sloty stay unused.
    SilnikEmisji(StanKonsoli& stan, OdtwarzaczeSlotow& odtwarzacze, WyjsciaEmisji* wyjscia = nullptr);
    virtual ~SilnikEmisji();
    SilnikEmisji(const SilnikEmisji&) = delete;
    SilnikEmisji& operator=(const SilnikEmisji&) = delete;

    void UstawWyjscia(WyjsciaEmisji* wyjscia);
    // Hands the event log's lines to the log's own writer (the constructors
    // call it; the destructor writes what is queued and takes it back).
    void PodlaczLog();
    // A file the station depends on that cannot be written, or can again:
    // the log's line and the status field (each tick, costs nothing when
    // nothing changed); XML events kept while their file could not be
    // written are tried again.
    void PokazZapisy();
    WyjsciaEmisji& Wyjscia() { return *wyjscia_; }
    OdtwarzaczeSlotow& Odtwarzacze() { return odtwarzacze_; }

    // ---- the ticks ----
    // The on-air loop (Timer1, 30 ms).
    void Timer1Timer();
    // The deck refreshes of the display timer (skipped while the loop runs).
    void OdswiezOdtwarzacze();
    // A deck whose player has had nothing to play for this long (its file's
    // data held up by a share that does not answer) is silent on air: it
    // says so in the log and the status field, and its element ends, so
    // the next one starts as soon as it is prepared.
    static constexpr qint64 BrakDanychMs = 1000;
    void OdtwarzaczeBezDanych();

    // ---- player records ----
    void ZerujOdtwarzacz(quint8 slot);
    qint64 ZagranoOdtwarzacza(quint8 slot);
    qint64 PozostaloOdtwarzacza(quint8 slot);
    // The deck refresh of one slot; fills Widok[slot].
    void OdswiezOdtwarzacz(quint8 slot);
    // The deck buttons: "STOP" (1001) and "FOut" (1002).
    void PrzyciskStop(quint8 slot);
    void PrzyciskFOut(quint8 slot);
    qint32 MagnetofonA() const { return Odtwarzacz[1].Element; }
    qint32 MagnetofonB() const { return Odtwarzacz[2].Element; }
    qint32 MagnetofonC() const { return Odtwarzacz[3].Element; }

    // ---- cueing and starting ----
    // Reads nothing itself: an element the read-ahead has not prepared yet
    // is late (one log line) and starts on the first tick after it is.
    void GrajKolejny(quint8 odtwarzacz, quint8 tryb, quint8 zrodlo);
    void ZapowiedzNastepny(quint8 zrodlo);
    // The one way into the next element. From element `od` on, the first
    // that may air (a sound whose file is there, not yet known or on a share
    // that cannot tell, or an advert placeholder with its block; never one
    // that aired, unless the list loops, nor one on a deck) becomes the next
    // mark. After a start the element planned to follow keeps its planned
    // time; any other is timed at the crossfade point of the element on air,
    // and its planned time and those after it follow. A new next element is announced (DO
    // GRANIA). `jest` answers for files a read has just looked at that the
    // presence worker has not. False when nothing is left: the mark stays
    // and Automat goes off.
    bool UstalNastepny(qint32 od, ZmianaNastepnego zmiana, const std::function<bool(const QString&)>& jest = {});
    void PokazBlokNastepnego(const TElemPListy& element);
    bool ZnajdzBlokReklamy(const QString& tytul);
    void KursorNaNastepny();
    void GrajOdWznowienia();
    // Returns true when the playlist was cleared.
    bool KasujPlayliste();
    // The log line's seven state words: desk control, SAT, AutoStop,
    // Automat, then "P "/"S " for players 1 to 3.
    QString FlagiLogu() const;

    // ---- the ending ----
    // Ends the element on the slot: resume point, stop, RDS clear, played
    // mark, play count, history line and XML event, then the record's reset.
    virtual void KoniecEmisji(quint8 slot, quint8 powod);
    // Stops the slot's player, sends "STOP" and writes the STOP line.
    void ZatrzymajSlot(quint8 slot, quint8 powod);
    void ZapiszWznowienie(quint8 slot);
    void OznaczZagrany(quint8 slot);
    // Clears the RDS files the slot's start wrote; flag 1 leaves the TA files.
    void ZapalPlikiZnacznikow(quint8 slot, quint8 flaga);
    // Opens (creates) today's history and XML files; start-up calls it.
    void OtworzPlikiHistorii();
    // After the playlist was cleared, re-read or restored: each record keeps
    // its element number only where that element is still the one it plays,
    // else finds it again or forgets it.
    void PrzemapujElementyOdtwarzaczy();
    // Lets the playlist's undo carry the records' element numbers (the
    // constructor installs it, the destructor takes it away).
    void PodlaczNumeryUndo(bool podlacz);
    // A fade-out request (FOut button, AutoStop).
    virtual void ZadanieFade(quint8 slot);
    // Advances the fade-outs of players 1 and 2 each tick.
    virtual void SilnikFade();
    // The day's history and XML files, written by their own thread; a test
    // waits for them with Historia.Oproznij().
    HistoriaWTle Historia;
    // The event log's lines, on a thread of their own (OproznijLog waits
    // for them and for the day files).
    PisarzLogu Dziennik;
    // Presence of the playlist's files as a worker found it; the tick reads
    // only this (the display refresh hands it the list; a test calls
    // Pliki.Oproznij() before it ticks).
    ObecnoscPlikow Pliki;
    // Playlists are read by a worker of their own while the loop ticks on;
    // the display refresh takes a finished read (a test calls
    // Odczyt.Oproznij()).
    OdczytWTle Odczyt;
    // Automat on (only with more than one element) or off (CzasAntenowy 0).
    virtual void PrzelaczAutomat();
    // SAT mode; the modes' work fills it.
    virtual void PrzelaczSat();
    // The emergency playlist start, once per run (PoTiku runs it).
    virtual void StartAwaryjny();
    // STOP (Ctrl+Space): players 1 to 3 end with "KLAW ", Automat goes off,
    // the semiautomatic, advert and time-list flags are cleared and the
    // one-shot fade timer stops.
    void StopWszystko();
    // The Space key's STOP: only with StopSpacja, after "Czy STOP
    // odtwarzania?" when StopSpacjapotwierdzenie asks for it.
    void StopKlawiszemSpacji();
    // The slot carries an element or its player plays.
    bool SlotZajety(quint8 slot) const;
    // How long a started player may stand at its start position while it
    // says it plays: a real card moves it within one buffer, and a card
    // whose stream stopped is reported (and waited for) well before this.
    static constexpr qint64 ZastojStartuMs = 600;
    // Whether one of players 1 to 3 carries or plays an element after the
    // cursor: an edit or insertion there would go before what is on air.
    // MIXPLEdycjaPrzedGranaJest allows it.
    bool KursorPrzedGranaPozycja() const;
    // The modes as the settings ask for them at start-up: AutoStop, the
    // mixing without AutoStop in Automat, desk control, the singles' AutoStop.
    void TrybyStartowe();

    // ---- what runs after the tick ----
    // The tick never opens a dialog and never pumps events: the dialogs it
    // wants wait in KomunikatyOczekujace, and the emergency start, which
    // reads a playlist, waits for PoTiku. The window installs a call that
    // runs PoTiku once the current event is done (QTimer::singleShot(0));
    // without one they wait for a call of PoTiku.
    std::function<void()> ZaplanujPoTiku;
    // The emergency start when it is due, run with the loop's guard held so
    // that no tick runs inside it and with its dialogs queued; then the queued
    // dialogs are shown, the ticks going on meanwhile.
    void PoTiku();
    void PokazKomunikaty();
    // Work that may ask or wait (a time-list entry played now from a start
    // inside the tick) runs right after the tick, in order.
    void ZlecPoTiku(std::function<void()> praca);
    QList<KomunikatEmisji> KomunikatyOczekujace;
    // Shows the dialog now, or queues it while the tick runs.
    void Zapytaj(const KomunikatEmisji& k);

    // ---- news and programme insertion ----
    // The unit installs itself while it stands (nullptr: none); a start of
    // a marker at the cursor goes to it.
    void UstawSerwisy(SerwisyEmisji* serwisy) { serwisy_ = serwisy; }
    SerwisyEmisji* Serwisy() const { return serwisy_; }

    // ---- state ----
    // The capture control of the satellite fade; opened at start-up. Kept
    // before the slots so that it outlives them (they hold a plain pointer).
    std::unique_ptr<platform::CaptureVolume> Wejscie;
    PlayerSloty Sloty;
private:
    // One record's number checked against the list by its file and air time.
    void PrzemapujOdtwarzacz(quint8 slot);
    OdtwarzaczeZPlayerSloty slotyEmisji_{Sloty};
public:
    RekordyOdtwarzaczy Odtwarzacz;                 // [1..5]
    std::array<WidokOdtwarzacza, LiczbaOdtwarzaczy + 1> Widok;
    StanKonsoli& Stan;  // OdtwarzaczZajety, TrybAutomat, PauzaJest, Korekta...
    bool Timer1Zajety = false;
    qint32 CzasAntenowy = 0;
    std::array<quint8, LiczbaOdtwarzaczy + 1> SlotGra{};
    std::array<quint8, LiczbaOdtwarzaczy + 1> SlotGralo{};
    bool SemiAutomatGotowy = false;
    bool SemiAutomatJest = false;
    qint32 CzasCiszy = 0;
    qint32 KaczkaPoziom = 0;
    bool KaczkaWejscieStart = false, KaczkaWejscie = false;
    bool KaczkaWyjscieStart = false, KaczkaWyjscie = false;
    qint32 SatPoziom = 0;
    bool SatWejscieStart = false, SatWejscie = false;
    bool SatWyjscieStart = false, SatWyjscie = false;
    bool StartZeStolu = false;
    bool StolStop1 = false, StolStop2 = false;
    KolorZegara KolorZegaraEmisji = KolorZegara::Bialy;
    qint32 DuckingOdtwarzacza3 = 0;  // D of the last tick (players 1 and 2 under player 3)

    // Modes (toggled by the mode commands).
    bool AutostopJest = false;
    bool SingleAutostopJest = false;
    // "K A C Z K A" of the singles wall: kept, shown and toggled; nothing
    // applies it to playback yet.
    bool SingleKaczkaJest = false;
    bool StolSterowanie = false;
    bool SatWlaczony = false;
    bool EmisjaFlagaStartu = false;
    quint8 DecyzjaGPIStart = 0;
    bool PlaylistaZmieniona = false;
    bool FlagaWstawienia = true;   // false while an insert or the mix editor runs
    bool FlagaNastepnego = true;   // the cursor follows the next mark
    quint8 SlotEmisjiTeraz = 0;
    qint32 PrzesuniecieCzasu = 0;  // actual minus planned time (the clock display keeps it)
    qint32 OdchylenieWyswietlane = 0;  // what the deviation label shows (and the datagrams send)
    bool ReklamaNaOdtwarzaczu = false;
    quint8 ReklamaOdtwarzacz = 0;
    QString Komunikat;  // the playlist panel's message line
    bool AwariaWykonana = false;
    // The time-list block on SlotEmisjiTeraz (its playing fills them): its
    // length and where the element on air begins within it, ms.
    qint64 BlokDlugosc = 0;
    qint64 BlokPrzesuniecie = 0;
    // The time of day the block's day axis starts from: each of its entries
    // airs at this plus the entries before it.
    qint32 BlokPoczatekDoby = 0;
    // The desk input poll (SprawdzGPI); a test may put its own.
    std::function<bool()> SprawdzWejscia;

protected:
    explicit SilnikEmisji(std::nullptr_t);
    // The working element of the start in progress.
    TElemPListy& Robocze();
    qint32 NumerRoboczego(quint8 tryb) const;
    bool PlikRoboczego(const TElemPListy& w);
    // What a late start does once its file is ready: the same start again.
    std::function<void()> PonowStart(quint8 odtwarzacz, quint8 tryb, quint8 zrodlo, const TElemPListy& w);
    bool ElementGrywalny(qint32 numer) const;
    bool WolneGlowne() const;  // players 1 to 3 carry nothing
    bool NieGrajaGlowne() const;  // players 1 to 3 do not play
    bool NaDeku(qint32 element) const;
    // Aired, so the next mark passes it (not in a list that loops).
    static bool Zagrany(const TElemPListy& e);
    // The tick's check that the next mark is the element UstalNastepny
    // settled last: one moved by any other way onto an element that aired or
    // plays is moved on.
    void SprawdzNastepny();
    // Times element `n` at the crossfade point of the element on air (with
    // `gdyPozniej` only when its planned time falls after the end of that
    // element); true when its planned time moved.
    bool KotwiczPrzyMiksie(qint32 n, bool gdyPozniej);
    void SprawdzListeReklam(quint8 tryb);
    void ZmienDlugosc(qint32 numer, qint32 dlugoscPliku, const QString& slowa, bool serwis);
    // The next element could not start: the next mark moves past it, and
    // the element found starts in its place, at the crossfade point of the
    // element on air.
    void PominNieudany(quint8 tryb);
    // In Automat, the next element the read-ahead or the presence worker
    // already knows cannot play is passed over before its time.
    void PominZnanyNieudany();
    // The crossfade point into `nastepny` of the element on air (of what
    // plays on players 1 to 3, the one that ends last), on the axis of the
    // on-air time `t`, or with `naOsi` on that element's own day axis, where
    // `koniec` gets its end; false when nothing is on air.
    bool PunktMiksu(const TElemPListy& nastepny, qint32 t, qint64* punkt, bool naOsi = false,
                    qint64* koniec = nullptr) const;
    // A start that put nothing on air (the file would not open or decode,
    // or the player never moved): one log line with the reason, the reason
    // in red in the status field, the slot freed, and the air goes on with
    // the next element as for a missing file. Every start path, and a
    // start prepared ahead that could not be, ends here.
    void NieudanyStart(quint8 slot, quint8 tryb, quint8 zrodlo, const QString& adres, const QString& powod);
    // Its log line and status field (slot 0: passed over before its start).
    void ZglosNieudany(quint8 slot, quint8 zrodlo, const QString& adres, const QString& powod);
    // The START line of a missing file (once per element in Automat) and
    // the dialog when the settings ask for it.
    void ZglosBrak(quint8 zrodlo, const TElemPListy& w, qint32 numer, bool automatyczny);
    void UruchomElementNaMagnetofonie(quint8 slot, quint8 tryb, quint8 zrodlo,
                                      const std::shared_ptr<PrzygotowanyStart>& gotowy);
    // A slot that says it plays while its position has not moved since its
    // start for ZastojStartuMs: a failed start.
    void ZastojStartu();

    // Parts of the tick.
    void KoniecPoStanie();
    void FlagiSemiAutomatu();
    qint32 CzasDoby();
    qint32 Korekta(qint32 t);
    void AutomatycznyStart(qint32 t);
    qint32 Obwiednia(const MIXMagnetType& r) const;
    qint32 KaczkaOdtwarzacza3();
    void KaczkaMikrofonu();
    void GlosnosciGlownych(qint32 d);
    void KoniecPoPozycji();
    void FadeSatelity();
    void WejsciaStolu();
    void WejsciaStoluBezSat();
    void WejsciaStoluSat();

    // Runs one call of a slot's player. A player that throws is written to
    // the log once for its element, the call counts as unanswered (false),
    // and the other slots go on.
    template <class F>
    bool ProbujSlot(quint8 slot, F&& wywolanie);
    void BladSlotu(quint8 slot, const QString& powod);

    OdtwarzaczeSlotow& odtwarzacze_;
    WyjsciaEmisji* wyjscia_;
    SerwisyEmisji* serwisy_ = nullptr;
    std::unique_ptr<WyjsciaEmisji> wyjsciaPuste_;
    std::unique_ptr<TElemPListy> robocze_;
    bool wTiku_ = false;
    bool awariaCzeka_ = false;   // the emergency start is due after the tick
    bool poTikuZaplanowane_ = false;
    QList<std::function<void()>> zlecone_;
    bool pokazuje_ = false;      // a queued dialog is open
    qint32 brakZalogowany_ = 0;  // element whose missing file was logged last
    QString lst1DataPorownana_;   // LST1Data as the last start compared it
    quint64 spojrzenieListy_ = 0; // the first look at the advert list that counts
    std::array<QString, LiczbaOdtwarzaczy + 1> bladSlotu_;  // element whose player fault was logged
    // Per slot, from its start until its position first moves: the
    // position seen at the start and the start's monotonic time (-1 once
    // the position moved, or no start is watched).
    std::array<qint64, LiczbaOdtwarzaczy + 1> pozycjaStartu_{};
    std::array<qint64, LiczbaOdtwarzaczy + 1> czasStartu_ = [] {
        std::array<qint64, LiczbaOdtwarzaczy + 1> a{};
        a.fill(-1);
        return a;
    }();
    // ---- starts prepared ahead ----
    // The next element and the one after are opened, positioned and decoded
    // ahead by the read-ahead thread; a start takes what is ready and reads
    // nothing itself. An element not ready at its time is late: the start
    // waits (logged once) and the tick goes on.
public:
    // Asks for element `numer` to be prepared from `startMs` in its file.
    void Przygotuj(qint32 numer, qint32 startMs);
    // The same for a file that is no element of the playlist (numer 0: a
    // time-list entry), named `ide` on the deck; returns its preparation.
    std::shared_ptr<PrzygotowanyStart> Przygotuj(qint32 numer, const QString& adres, const QString& ide,
                                                 qint32 startMs);
    // Whether the file is prepared (or found unplayable) for a start; if
    // not, it is asked for, the start is late (one log line with the start
    // word of `zrodlo`) and `ponow` runs on the first tick after it is ready.
    bool GotowyDoStartu(qint32 numer, const QString& adres, const QString& ide, qint32 startMs, quint8 zrodlo,
                        std::function<void()> ponow);
    // A late start waits for its file.
    bool StartCzeka() const { return !oczekujace_.empty(); }
    // Whether element `numer` (address `adres`) has its file, as far as the
    // presence worker knows; an element it has not seen yet, or whose share
    // could not tell, counts as there (its preparation finds out, or waits).
    // What the program's thread asks instead of the disk.
    bool PlikElementu(qint32 numer, const QString& adres) const;
    // A single of the wall is asked for with startMs -1: from its file's own
    // start marker. Its header and description as they were read ahead;
    // false while it is not ready or its header was unreadable.
    bool PrzygotowanySingiel(const QString& adres, const QString& ide, SygnalType* sygnal, OpisNagraniaTyp* opis);
    static constexpr int MaksPrzygotowanychSingli = 12;
    // Other disk work of the wall (the sequence's look for its next slot)
    // on the singles' read-ahead thread; OproznijPrzygotowania waits for it.
    void ZlecSinglom(std::function<void()> praca) { odczytSingli_.post(std::move(praca)); }
    // Whether the time-list entry's file was prepared from its start; its
    // length as its header says, -1 when no such file stands there.
    bool PrzygotowanyWpis(const QString& adres, const QString& ide, qint32* dlugoscMs);
    // Asks for the next element and the one after, and the time list's
    // next entries, and waits for every preparation asked so far (tests,
    // benchmarks).
    void OproznijPrzygotowania();
    // A preparation made by another worker (a read prepares the first
    // element of its list) joins the ones a start looks for, numbered where
    // its element stands now.
    void PrzyjmijPrzygotowany(const std::shared_ptr<PrzygotowanyStart>& p);
protected:
    std::shared_ptr<PrzygotowanyStart> Przygotowany(qint32 numer, const QString& adres, qint32 startMs,
                                                    const QString* ideRobocze = nullptr);
    void PrzygotujNastepne();
    // A preparation whose share could not tell is made again this long
    // after it was found so, until the share answers. Each tick, before the
    // starts that wait are made.
    static constexpr qint64 PonowienieBezOdpowiedziMs = 1000;
    void PonowBezOdpowiedzi();
    // The share's fault the field and the log were given last.
    QString awariaUdzialu_, katalogAwarii_;
    // A share that does not answer: its fault shows while it lasts, one log
    // line when it begins and one when the share answers again.
    void PokazUdzial();
    // The next element and the one after are asked for (the display refresh).
    void ZamowNastepne();
    // Starts waiting for their files to be ready; the tick makes each once
    // its file is (the same start asked again replaces its entry).
    struct OczekujacyStart {
        std::shared_ptr<PrzygotowanyStart> plik;
        std::function<void()> ponow;
        quint8 zrodlo = 0;
        QString adres;
    };
    // A late start dropped: one log line with the reason.
    void OdwolanyStart(quint8 zrodlo, const QString& adres, const QString& powod);
    std::vector<OczekujacyStart> oczekujace_;
    std::weak_ptr<PrzygotowanyStart> spoznienieZalogowane_;  // whose late start was logged last
    // The next element that starts at the crossfade point of the element on
    // air rather than by its own time (known by its identity).
    struct StartPrzyMiksie {
        quint64 tozsamosc = 0;
    };
    StartPrzyMiksie przyMiksie_;
    bool PrzyMiksie(qint32 numer) const;
    // The identity of the element UstalNastepny made the next one (0: none).
    quint64 nastepnyUstalony_ = 0;
    qint32 przygotowanyNastepny_ = -1;  // the next mark PrzygotujNastepne saw last
    std::mutex przygotowaniaMutex_;
    std::vector<std::shared_ptr<PrzygotowanyStart>> przygotowania_;
    std::vector<std::shared_ptr<PrzygotowanyStart>> przygotowaniaSingli_;
    // The next element's read-ahead, and the singles'; last, so they end
    // first. Their jobs own what they fill, so the engine's end waits for a
    // read stuck on a share that hangs only a short while.
    static constexpr std::chrono::milliseconds CzekanieNaOdczytWprzod{500};
    platform::SerialWorker odczytWprzod_{CzekanieNaOdczytWprzod};
    platform::SerialWorker odczytSingli_{CzekanieNaOdczytWprzod};
};

template <class F>
bool SilnikEmisji::ProbujSlot(quint8 slot, F&& wywolanie) {
    try {
        wywolanie();
        return true;
    } catch (const std::exception& e) {
        BladSlotu(slot, QString::fromUtf8(e.what()));
    } catch (...) {
        BladSlotu(slot, QStringLiteral("nieznany błąd"));
    }
    return false;
}

// Prepares element `numer` (`adres`, `ide`) from `startMs` on the calling
// worker and returns it done: a read prepares its list's first element so
// that it starts on time.
std::shared_ptr<PrzygotowanyStart> PrzygotujStart(qint32 numer, const QString& adres, const QString& ide,
                                                  qint32 startMs);

// The slots' back-end choice and output devices from the emission settings.
OpcjeOdtwarzaczy OpcjeOdtwarzaczyZNastaw();

