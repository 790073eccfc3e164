#pragma once
// The main window of the console. It owns the on-air engine, turns the
// window system's input into input events for the command dispatcher,
// draws the panels from the engine's state and holds the timers that will
// drive the engine's ticks.
#include "console/links/Datagramy.h"
#include "console/commands/Wieloslad.h"
#include "console/commands/Dyspozytor.h"
#include "console/window/PolaczeniaOkna.h"
#include "console/commands/PrzyciskiKonsoli.h"
#include "console/commands/KomendyEdycji.h"
#include "console/commands/KomendyPlaylisty.h"
#include "console/commands/PanelTimelisty.h"
#include "console/commands/ProfilOperatora.h"
#include "console/commands/ScianaSingli.h"
#include "console/window/KatalogiKonsoli.h"
#include "console/window/PanelOdtwarzacza.h"
#include "console/window/ZegarNaTiku.h"
#include "console/engine/SerwisyEmisji.h"
#include "console/engine/SilnikEmisji.h"
#include "console/links/TelnetGPI.h"
#include "console/engine/TrybyEmisji.h"
#include "foundation/KestGraf2.h"
#include "mixeditor/NagrywarkaDJ.h"
#include "mixeditor/OdtwarzaczeEdytora.h"
#include "mixeditor/TEdycjaMiksow.h"
#include "playlists/D_Playlista.h"

#include <functional>
#include <QList>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>
#include <utility>

class EtykietaOkna;

class TTolv : public TRForm, private CelDyspozytora, private WidokSciany {
public:
    // The window is not made smaller than this where the screen has room;
    // everything is laid out on the 648 x 507 grid scaled to the window.
    static constexpr int MinimalnaSzerokosc = 1030;
    static constexpr int MinimalnaWysokosc = 746;
    // Where the window opens (its client area): within the screen's free
    // area `dostepny` (the taskbar and panels left out) less the window
    // manager's frame `ramka`; a normal window keeps the grid's proportions,
    // a maximised one takes the whole free area and full screen (mode 2) the
    // whole screen `ekran`. The minimum holds only where it fits: on a
    // smaller screen the grid scales down, so the status field and the
    // clocks stay in view.
    static QRect GeometriaStartowa(quint8 tryb, const QRect& dostepny, const QRect& ekran, const QMargins& ramka = {});
    // The least size of the window on a screen whose room is `miejsce`.
    static QSize NajmniejszyRozmiar(const QSize& miejsce);
    // Once a window manager has framed the window (`ramka` around `okno`),
    // normal or maximised: the client area that brings the frame within the
    // free area; a null rectangle when it is there already or has no frame.
    static QRect Dopasowanie(Qt::WindowStates stan, const QRect& dostepny, const QRect& ekran, const QRect& ramka,
                             const QRect& okno);

    explicit TTolv(QWidget* parent = nullptr);
    ~TTolv() override;

    // Qt's own Polish translation (the folder picker, the standard buttons
    // of Qt's dialogs), installed once; false when it is not on the machine.
    static bool TlumaczeniaQt();

    // The version shown in the caption after the program's name.
    static const QString WersjaProgramu;

    // ---- start-up and shutdown ----
    // Defaults, the settings file (`argumenty`: the command line without the
    // program's name), devices, caption, day files, the I/O node link, the
    // first log lines, the slots, the relay card, the capture control and the
    // window mode. Runs before the window is shown.
    void FormCreate(const QStringList& argumenty);
    // Before FormCreate: the program folder's lock could not be made (a full
    // or read-only folder); the caption and the log say so.
    void UstawBrakBlokady(const QString& powod) { brakBlokady_ = powod; }
    // Desk check and timers; runs once, on the first showing.
    void FormShow();
    // The close action: 2 free (the window closes), 0 none.
    quint8 FormClose();
    // A signal to end (a service stop, a shutdown): the close a forced
    // Alt+F4 makes, without its question and whatever plays. What is on air
    // ends with its history line, the close's work runs, and every event
    // loop ends (a modal window's too), so that FormDestroy follows.
    void ZamknijNaSygnal(int sygnal);
    // Called when the close begins (main starts its bounded countdown).
    std::function<void()> PrzedZakonczeniem;
    // The close has begun or is done.
    bool Zakonczony() const { return zamyka_; }
    // Players stopped and freed, "Prawidłowy koniec pracy". Runs once; the
    // destructor calls it when the program did not.
    void FormDestroy();
    // Linux has no taskbar window to hide; the state is kept so that every
    // way out shows it again.
    void UkryjPasekZadan() { pasekZadanUkryty_ = true; }
    void PokazPasekZadan() { pasekZadanUkryty_ = false; }
    bool PasekZadanUkryty() const { return pasekZadanUkryty_; }
    // The timers by name in the order FormClose stops them: the window's
    // QTimers and the datagram timers of Datagramy.
    QStringList ZegaryWKolejnosciZatrzymania() const;
    // Whether the timer of that name runs.
    bool ZegarDziala(const QString& nazwa) const;
    // The emergency playlist's flag file (program folder).
    QString AwariaFlagaZbior;

    SilnikEmisji& Silnik() { return silnik_; }
    Dyspozytor& dyspozytor() { return dyspozytor_; }
    PrzyciskiKonsoli& Przyciski() { return przyciski_; }
    Datagramy& datagramy() { return *datagramy_; }
    TimeryKonsoli& Timery() { return timery_; }
    // News and programme insertion and the #AKT mode.
    SerwisyEmisji& Serwisy() { return serwisy_; }
    // The I/O node link; none unless GPI1Jest was on at start-up.
    TelnetGPI* Telnet() { return telnet_.get(); }
    // The singles wall. The library windows fill its Biblioteka callbacks
    // (folder browser, database window, description editor) once they stand.
    ScianaSingli& Sciana() { return sciana_; }
    // The timeline of the lower view (its scale and blocks).
    OsCzasu& Wieloslad() { return wieloslad_; }
    // The time list's commands; its pickers join as the library windows stand.
    PanelTimelisty& Timelista() { return timelista_; }
    // The folder-browser states of the window's callers.
    StanyKatalogow& StanyPrzegladarki() { return katalogi_; }
    // The operator profile read and saved by "Czyt." and "Zap.".
    ProfilOperatora& Profil() { return profil_; }
    // The status field of the long checks.
    PoleStatusuOkna& Status() { return *status_; }
    // Its label clicked: the check's report when there is one and no read
    // runs (the gauge back to 0, the text kept), else "OK".
    void StatusLabelClick();
    // Read, append and save of the playlist; its pickers are the browser's.
    KomendyPlaylisty& Playlisty() { return playlisty_; }
    // The playlist editing commands and the move and block modes.
    KomendyEdycji& Edycja() { return edycja_; }

    // The date labels (the clock display writes them) open the RDS texts;
    // the RDS label scrolls the operator's texts and clears them when
    // clicked; the TA label shows while a traffic announcement is on air.
    EtykietaOkna* DataLabel;
    EtykietaOkna* DataUSALabel;
    EtykietaOkna* RDSLabel;
    EtykietaOkna* RDSTALabel;
    // "#AKT": shown with SERWISJest, red while the mode is on; a click
    // toggles the mode.
    EtykietaOkna* SerwisLabel;
    // The clocks (a click on the 24-hour one puts the cursor at the present),
    // the deviation and the mode labels AP, AT and AS, drawn from the
    // display refresh's WskazaniaZegarow.
    EtykietaOkna* Czas24Label;
    EtykietaOkna* Czas12Label;
    EtykietaOkna* AmPmLabel;
    EtykietaOkna* Czas2Label;
    EtykietaOkna* DeltaTLabel;
    EtykietaOkna* APlistaLabel;
    EtykietaOkna* ATlistaLabel;
    EtykietaOkna* AutoStopLabel;
    void OdswiezZegary();
    void DataLabelClick();
    void RDSLabelClick();
    void SerwisLabelClick();
    void OdswiezEtykieteSerwisu();
    // The RDS and TA labels as the RDS files left them.
    void OdswiezEtykietyRDS();

    // The lower panel at start-up from the setting ModulStart (1 long
    // playlist, 2 description, 3 timeline; anything else the singles wall).
    void UstawPanelStartowy(quint8 modulStart);

    // Lays the buttons out on the current window size and settings, and
    // redraws the whole window.
    void Rozmiesc();
    void RysujOkno();
    void RysujPasekPrzyciskow();
    // Decks A and B from the engine's records and the last display refresh.
    void RysujOdtwarzacze();
    // The playlist and time-list panels with the cursor kept in view.
    void OdswiezPlayliste();
    // The panel as it stands, the hour buttons over its top line.
    void RysujPanelPlaylisty();
    void OdswiezTimeliste();
    // The display tick's rows: corrected times, advert placeholders.
    void OdswiezWierszeNaTiku();
    // The mode buttons pressed while their modes are on, whoever switched
    // them: called after every input, tick and refresh.
    void PodswietlTryby();
    // "Konf.": the settings dialog, behind its password when the lock is on.
    void Konfiguracja();

    // The on-air loop's and the display's ticks as their timers run them:
    // the engine's work, then the window's picture of it.
    void Timer1Timer();
    void TimerWyswietlaczTimer();

    // Timers of the on-air work, created stopped; start-up enables them.
    QTimer* Timer1;                     // 30 ms: the on-air loop
    ZegarNaTiku* TimerWyswietlacz;      // 100 ms: display refresh, on Timer1's wake
    QTimer* TListaSynchroKolejnoTimer;  // 31 ms: synchronous time list (rests while it has nothing to check)
    QTimer* GrajBlokReklamy;            // 100 ms: advert block on one player (rests likewise)
    QTimer* SingleKolejnoTimer;         // 300 ms: singles in sequence
    QTimer* AutomatTimer;               // 311 ms: midnight roll-over
    QTimer* PListaAutoodczytTimer;      // 300 ms: automatic loading at midnight
    QTimer* SERWISTimer;                // 500 ms: news and programme insertion
    QTimer* SatPlusTimer;               // 5 000 ms: satellite re-join
    QTimer* SATPLMWyciszTimer;          // 1 000 ms: one-shot fade of players 1 to 3
    // The datagram timers (BroadcastTimer, BroadcastTimer2,
    // BroadcastMonitorTimer) run on the program's clock inside Datagramy.

protected:
    void ObsluzZdarzenie() override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QTimer* zegar(const char* nazwa, int ms);
    // Start-up helpers.
    void NazwyUrzadzen();
    void UstawNadawcowUDP();
    // Connects the QTimers to the engine's and the modes' ticks.
    void PolaczZegary();
    void OtworzPlikiHistorii();
    void UstawTrybOkna(quint8 tryb);
    // Once the window manager has framed the window: a window whose frame
    // reaches past the free area is fitted into it.
    void DopasujDoEkranu();
    quint8 trybOkna_ = 0;
    void UtworzEtykiety();
    void RozmiescEtykiety();
    // FormClose's work after the question; also the end the desk check takes.
    void Zakoncz();
    // The deck panels see a pointer or key event before the dispatcher.
    bool PaneleOdtwarzaczy();

    // The dispatcher's window side.
    qint32 KursorPlaylisty() const override;
    bool KlikWierszyPlaylisty(quint8 przycisk) override;
    int KlikWierszyTimelisty() override;
    bool KlikSuwaka() override;
    void KlikWielosladu() override;
    void KomendaWielosladu(quint16 id);
    bool PoleStatusu(TRect& r) const override;
    bool PunktWWierszachTimelisty(QPoint punkt) const override;
    void OdmowaPodczasCzytania() override;
    // Right click on the cursor row: the preview from the box under the pointer.
    void OdsluchWiersza(qint32 n);
    // The scroll bar's thumb follows a drag (the list whose bar was pressed).
    StanListy* przeciagany_ = nullptr;
    void RysujPrzycisk(const BUTTONType& b) override;
    void RysujPanelDolny() override;
    // The lower view by PanelDolny, the long playlist's rectangles as set.
    void RysujWidokDolny();

    // The singles wall's picture, while it fills the lower panel.
    void RysujSingle() override;
    void RysujSlotSingla(int slot) override;
    void RysujPrzyciskSingli(int indeks) override;

    SilnikEmisji silnik_;
    PlikiRDS rds_{silnik_};
    TimeryKonsoli timery_{silnik_};
    SerwisyEmisji serwisy_{silnik_, timery_};
    ZegaryOkna zegary_;
    ZrodloPakietowOkna zrodloPakietow_{silnik_};
    // No QObject parent: the window's own timers are its only QTimer children.
    std::unique_ptr<Datagramy> datagramy_;
    std::unique_ptr<WyjsciaOkna> wyjscia_;
    PanelOdtwarzaczaType panelA_;
    PanelOdtwarzaczaType panelB_;
    // What the display refresh last drew in the status field (text, blink
    // phase) and the time-list synchronisation field (on, seconds left or -1):
    // it draws them again only when that changes. Whatever else draws them
    // clears these.
    std::optional<std::pair<QString, bool>> komunikatNaEkranie_;
    std::optional<std::pair<bool, qint64>> synchNaEkranie_;
    PrzyciskiKonsoli przyciski_;
    ScianaSingli sciana_{silnik_, przyciski_, *this};
    PanelTimelisty timelista_{silnik_, timery_};
    OsCzasu wieloslad_;
    StanyKatalogow katalogi_;
    ProfilOperatora profil_{silnik_, sciana_};
    KomendyPlaylisty playlisty_{silnik_};
    KomendyEdycji edycja_{silnik_};
    std::unique_ptr<PoleStatusuOkna> status_;
    Dyspozytor dyspozytor_;
    std::unique_ptr<TelnetGPI> telnet_;
    // The mix editor and its eight preview players, made once at start-up
    // (no parent either: it is a window of its own).
    std::unique_ptr<OdtwarzaczeEdytora> graczeEdytora_;
    std::unique_ptr<NagrywarkaDJ> nagrywarka_;
    std::unique_ptr<TEdycjaMiksow> edycjaMiksow_;
    // The output devices and recording inputs found at start-up.
    QStringList nazwyWyjsc_;
    QStringList brakiUrzadzen_;  // device numbers of the settings that no device has, logged at start-up
    QStringList nazwyWejsc_;
    bool pasekZadanUkryty_ = false;
    bool utworzono_ = false;
    QString brakBlokady_;
    bool pokazano_ = false;
    bool zakonczono_ = false;   // timers stopped, the window may close
    bool zamyka_ = false;       // the close has begun
    bool zniszczono_ = false;
};
