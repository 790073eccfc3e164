#pragma once
// The recording-description editor ("Dane o nagraniu"): the description's
// texts and vocabularies on the page "Opisy", and on the page "Czasy" the
// waveform of the whole recording, of its start and of its end with the
// markers (intro, outro, mix, new start and end, fades, loop, hook) that the
// operator drags or sets while hearing the recording on the preview output
// as it will sound on air. The callers read OpisNagrania afterwards.
#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QtGlobal>

#include <array>
#include <memory>
#include <vector>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "foundation/DialogiQt.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QTimer;
class TBasicPlayer;

// The markers the editor moves, in ms from the start of the file; the mix
// point is -1 when not set. Mix is the mix distance before the new end that
// the description holds (-1 when not set): shown while no mix point is set.
struct ZnacznikiOpisu {
    qint32 Int = 0, Out = 0, Mik = -1, NwP = 0, NwK = 0, FIn = 0, FOu = 0, LpP = 0, LpK = 0, FrP = 0, FrK = 0;
    qint32 Mix = -1;
    bool operator==(const ZnacznikiOpisu&) const = default;
};

enum ZnacznikEdytora : int {
    ZIntro, ZOutro, ZMix, ZNowyPoczatek, ZNowyKoniec, ZFadeIn, ZFadeOut, ZLoopP, ZLoopK, ZHookP, ZHookK,
    LiczbaZnacznikowEdytora
};

// The waveform panes: the whole recording, its start, its end.
enum PanelEdytora : int { PCalosc, PPoczatek, PKoniec, LiczbaPaneli };

// One level byte of the envelope is 10 ms; a pane shows `Zoom` level bytes
// per pixel from `Offset` ms at x = 0.
struct GeometriaPanelu {
    int Szerokosc = 0;
    int Zoom = 1;
    qint64 Offset = 0;
    qint64 Czas(int x) const { return Offset + qint64(x) * Zoom * 10; }
    int X(qint64 czas) const { return int((czas - Offset) / (qint64(Zoom) * 10)); }
    qint64 Rozpietosc() const { return 10LL * Szerokosc * Zoom + 1; }
};
// The whole-recording pane: zoom (length / 10) / (width - 20) + 1 and the
// recording centred. A pane of 20 pixels or less is taken as 21 wide.
GeometriaPanelu GeometriaCalosci(int szerokosc, qint64 dlugosc);
// The preview's volume (hundredths of a dB, -10 000 .. 0) at a position:
// silent outside the new start and end, fading in up to FIn and out from
// FOu. A fade of no length is no fade.
int GlosnoscPodgladu(qint64 pozycja, const ZnacznikiOpisu& z);
// A length as "m:ss.m" (minutes as many as there are, tenths); "0:00.0"
// when negative.
QString CzasMSSM(qint64 ms);

// The envelope bytes the editor reads: the .OBW's first 600 000 bytes.
constexpr int RozmiarBuforaObwiedni = 600000;

class TDlgOpisNagr final : public OknoDialogu {
public:
    // Made once, by the main window at start-up (its parent).
    explicit TDlgOpisNagr(QWidget* oknoGlowne = nullptr);
    ~TDlgOpisNagr() override;

    // Opens the item with its description into OpisNagrania, shows the
    // dialog modally and returns when it closes: true when the description
    // was saved. Left without saving, OpisNagrania holds the description as
    // it was opened.
    bool ShowOpisNagr(const SygnalType& s, bool edytowalny);

    // ---- the timers' ticks (tests call them themselves) ----
    void WykresTimerTimer();
    void PlayTimerTimer();

    // ---- what the controls do ----
    void PrzyciskZnacznika(int znacznik);
    void Graj();     // "P L A Y"
    void Zatrzymaj();  // "S T O P"
    // A press in a pane at x: the preview stops and the position moves
    // there; with the right button the preview starts from there.
    void NacisnijPanel(int panel, int x, bool prawy);
    // A marker's shape dragged to x of a pane.
    void PrzeciagnijZnacznik(int panel, int znacznik, int x);
    void Zoom(int panel, int zmiana);  // +1 closer, -1 farther, 0 back to 1
    // The pane shows the time in its middle.
    void Przewin(int panel, qint64 czas);

    // ---- state, for the panes and tests ----
    const ZnacznikiOpisu& Znaczniki() const { return m_; }
    qint32& Znacznik(int znacznik);
    qint64 Pozycja() const { return pozycja_; }
    qint32 Dlugosc() const { return dlugosc_; }
    bool Podglad() const { return podglad_; }
    const GeometriaPanelu& Geometria(int panel) const { return geometria_[size_t(panel)]; }
    const QByteArray& Obwiednia() const { return obwiednia_; }
    // The middle of a marker's handle in its pane, (-1, -1) when the pane
    // does not show it.
    QPoint Uchwyt(int panel, int znacznik) const;
    TBasicPlayer* Player() const { return player_.get(); }

    // ---- controls ----
    QTabWidget* Strony = nullptr;
    QWidget* TabSheet1 = nullptr;  // "Czasy"
    QWidget* TabSheet2 = nullptr;  // "Opisy"
    QCheckBox* ZaakceptowanyCheckBox = nullptr;
    QTimer* WykresTimer = nullptr;
    QTimer* PlayTimer = nullptr;
    QWidget* CaloscPaintBox = nullptr;
    QWidget* PoczatekPaintBox = nullptr;
    QWidget* KoniecPaintBox = nullptr;
    QScrollBar* PoczatekScrollBar = nullptr;
    QScrollBar* KoniecScrollBar = nullptr;
    std::array<QPushButton*, LiczbaZnacznikowEdytora> PrzyciskiZnacznikow{};  // IntroButton ... HookKButton
    std::array<QLabel*, LiczbaZnacznikowEdytora> EtykietyZnacznikow{};
    QPushButton* PlayButton = nullptr;
    QPushButton* LoopPlayButton = nullptr;
    QPushButton* HookPlayButton = nullptr;
    QLabel* PozycjaLabel = nullptr;
    QLabel* IntroCzasLabel = nullptr;
    QLabel* OutroCzasLabel = nullptr;
    QLabel* MixCzasLabel = nullptr;
    QLabel* GranieCzasLabel = nullptr;
    QLineEdit* IntroEdit = nullptr;  // whole seconds
    QLineEdit* OutroEdit = nullptr;
    QLineEdit* MixEdit = nullptr;
    QComboBox* PTYComboBox = nullptr;
    // The read-only information fields.
    QLineEdit* TypInfo = nullptr;
    QLineEdit* ProbkowanieInfo = nullptr;
    QLineEdit* TrybInfo = nullptr;
    QLineEdit* AdresInfo = nullptr;
    QLineEdit* CzasInfo = nullptr;
    // The field of a description field (a QLineEdit or a QComboBox).
    QWidget* Pole(QString OpisNagraniaTyp::* pole) const;

protected:
    void Wybrano(int i) override;
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;
    void showEvent(QShowEvent* zdarzenie) override;
    void hideEvent(QHideEvent* zdarzenie) override;

private:
    void Rozmiesc();
    void WypelnijOpisy();
    void WypelnijInformacje();
    void CzytajObwiednie();
    void UstawGeometrie();
    void UstawPasek(int panel);
    void Zmiana();
    void ZastosujPolaCzasu();
    void Akceptuj();
    void Czysc();
    void Poczatkowe();
    QString TekstPola(QString OpisNagraniaTyp::* pole) const;
    void UstawTekstPola(QString OpisNagraniaTyp::* pole, const QString& tekst);

    SygnalType s_;
    OpisNagraniaTyp opis0_;
    ZnacznikiOpisu m_, m0_;
    // What the dialog showed when it opened: a save writes only what differs.
    ZnacznikiOpisu mOtwarcie_;
    std::vector<QString> polaOtwarcie_;
    QString mixOtwarcie_;
    int ptyOtwarcie_ = -1;
    bool zaaOtwarcie_ = false;
    std::array<GeometriaPanelu, LiczbaPaneli> geometria_{}, geometria0_{};
    QByteArray obwiednia_;
    qint32 dlugosc_ = 0;
    qint64 pozycja_ = 0;
    qint64 offsetGrania_ = 0;
    bool plikJest_ = false;
    bool podglad_ = false;
    bool edytowalny_ = true;
    std::unique_ptr<TBasicPlayer> player_;
    std::vector<QWidget*> pola_;  // the fields of the description, in table order
    std::array<QWidget*, LiczbaPaneli> panele_{};
    std::array<QScrollBar*, LiczbaPaneli> paski_{};
    int akceptuj_ = -1, opusc_ = -1, czysc_ = -1, poczatkowe_ = -1;
};

// The window the main window made (null before it did).
TDlgOpisNagr* DlgOpisNagr();
// The callers' way in: the main window's editor, or one of its own when
// there is none yet. True when the description was saved.
bool ShowOpisNagr(const SygnalType& s, bool edytowalny);
// The folder browser's edit hook: a playable .WAV, .MP2 or .MP3 file opens
// editable; `zmieniony` tells whether its title changed.
void EdytujOpisPliku(const QString& nazwa, const QString& sciezka, bool& zmieniony);
