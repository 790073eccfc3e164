#pragma once
// The mix editor window ("Edycja playlisty"): the transition of the mix
// model on a time line, the preview through the eight preview players every
// 30 ms with the on-air fade arithmetic, the voice-track recorder's commands,
// and accepting or dropping the result. Made once at start-up; shown modally.
//
// Every tick is a public method: the window's QTimers call them, and tests
// call them between steps of a manual clock.
#include <QDialog>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>

#include "audio/TrimRodzaju.h"
#include "mixeditor/HakiNagrywania.h"

class OdtwarzaczeEdytora;
class WykresMiksu;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QProgressBar;

// What the window reads from the console, which installs it.
struct HakiKonsoliMiksu {
    std::function<bool()> KorektaCzasuJest;    // the time correction is on
    std::function<qint32()> PrzesuniecieCzasu;  // actual minus planned time, ms
};

// Commands of the window (the console's command record, kind 256).
enum KomendaMiksu : quint16 {
    KomendaOpusc = 1001,
    KomendaAkceptuj = 1002,
    KomendaPlay = 1008,
    KomendaWgrajDJ = 1011,
    KomendaUsunDJ = 1012,
    KomendaKursorMinus10 = 1024,
    KomendaKursorMinus1000 = 1025,
    KomendaKursorPlus10 = 1026,
    KomendaKursorPlus1000 = 1027,
    KomendaZoomPlus = 1031,
    KomendaZoomMinus = 1032,
    KomendaPoczatekWgrania = 1041,
    KomendaKoniecWgrania = 1042,
    KomendaFOut = 1043,
    KomendaPocz = 1044,
    KomendaNastepnyMiks = 1051,
};

class TEdycjaMiksow : public QDialog, public OknoNagrywania {
public:
    // `nagrywanie` may be null: the recorder commands then do nothing.
    TEdycjaMiksow(OdtwarzaczeEdytora& gracze, Nagrywanie* nagrywanie, QWidget* parent = nullptr);
    ~TEdycjaMiksow() override;

    HakiKonsoliMiksu Haki;
    // The debounced desk-input poll; SprawdzGPI unless a test puts its own.
    std::function<bool()> SprawdzWejscia;

    // Shown modally (the console's "Miksy"); returns when it closes.
    void PokazModalnie();

    // ---- input ----
    // A command code of the table above (or a button's); ignored when the
    // state does not allow it.
    void Komenda(quint16 kod);
    // A key code (KodBIOS) through the key table; false when it is not there.
    bool Klawisz(quint16 kod);
    static quint16 KomendaKlawisza(quint16 kod);

    void Opusc();
    void Akceptuj();
    void PoprzedniMiksOkna();
    void NastepnyMiksOkna();
    void WstawDJ();
    void PoczRownaFOut();
    void PoczRownaKon();
    void Zoom1();
    void Reset();
    // Moves the cursor to time `t`; the left button also restarts the preview.
    void KlikTla(qint32 t, bool lewy);
    // Double click on voice track n (or a single click on a break there).
    void OknoWgraniaZeSladu(int n);
    // The duck control's position 0..30.
    void UstawKaczke(int p);
    void UstawPrzedbieg(int s);
    // A press on voice track n selects it.
    void WybierzGlos(int n);
    // A right click on a fade handle cycles its curve.
    void CyklKrzywej(int n);
    // A gain handle was dragged: voice tracks take it at once.
    void GlosnoscGlosuTeraz(int n);

    // ---- preview ----
    void StartPodgladu();
    void ZatrzymajPodglad();
    void ZatrzymajWszystko();

    // ---- ticks ----
    void MixyTimerTick();
    void WykresTimerTick();
    void SterowanieTimerTick();

    // ---- OknoNagrywania ----
    bool PodgladTrwa() const override { return mixy_.isActive(); }
    void RestartPodgladu() override;
    void RozmiescZnaczniki() override;
    void OdswiezSlad(int n) override;
    void OtworzPlikSladu(int n, const QString& sciezka) override;
    void ZatrzymajOdtwarzaczSladu(int n) override;
    void PokazKaczke(int dB) override;
    bool Zamykanie() const override { return zamykanie_; }
    void ZakonczOkno() override;

    // ---- for the time line and tests ----
    WykresMiksu* Wykres() const { return wykres_; }
    QTimer& MixyTimer() { return mixy_; }
    QTimer& WykresTimer() { return wykresT_; }
    QTimer& SterowanieTimer() { return sterowanie_; }
    // Window bounds restored on showing and saved on closing, for the run.
    static std::array<int, 4> Granice;
    // Whether player n's file is open (a track left without one is not).
    bool MaPlik(int n) const;
    // The voice track a take is armed for or written to, 0 when none: its
    // box shows (and grows) before the track is marked used.
    int SladNagrywany() const;
    // A model change from the time line: changes marked, marks placed.
    void Zmieniono();

    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void przygotuj();
    void zamknij();
    void OtworzPlikiSladow();
    void ZamknijPlikiSladow();
    void ukladaj();
    void przyciskiEdycji(bool wlaczone);
    void ustawTekst(QLabel* l, const QString& t);
    // Track n's air-time label.
    void ustawCzas(int n, qint32 t);
    void wgrajLabel();
    void poStepieMiksu();
    // The duck control shows the selected voice track's depth, 0 without one.
    void pokazKaczkeMiksu();
    // The closing flag set; the recorder drains its input and ends the window.
    void zamknijPoNagrywaniu();
    void zatrzymajWgranie();
    qint32 przesuniecie() const;
    bool korekta() const;
    bool nagrywaniePrzerwane();
    // Runs a back-end call for player n; when it throws, the track is left
    // without a file (logged once) and false returned.
    template <class F>
    bool bezpiecznie(int n, const QString& sciezka, F&& f);

    OdtwarzaczeEdytora& g_;
    Nagrywanie* nagr_;
    WykresMiksu* wykres_;
    QTimer mixy_, wykresT_, sterowanie_, timer1_;

    QPushButton *play_, *wstawDJ_, *wgrajDJ_, *usunDJ_, *poprzedni_, *nastepny_;
    QSlider* kaczka_;
    QSpinBox* przedbieg_;
    QProgressBar* poziom_;
    QLabel* wgraj_;
    QLabel *pozycja_, *calosc_, *koniecListy_, *czasBloku_;

    bool zamykanie_ = false;
    bool przygotowany_ = false;
    quint8 oknoGlowneBylo_ = 1;
    bool ustawiamKaczke_ = false;
    TrimyRodzajow trimy_;
    std::array<int, 9> ostatnia_{};     // the last volume set per player
    std::array<bool, 9> gral_{};        // started in this preview run
    std::array<bool, 9> bladZgloszony_{};
};
