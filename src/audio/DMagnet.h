#pragma once
// The preview (PFL) player window ("Odsłuch nagrania"): one recording heard
// on the preview output before it goes on air, never through the on-air
// players. It shows the recording's description, the elapsed and remaining
// time and the waveform with the intro and outro marks; a left click on the
// waveform jumps there, a right-button release anywhere closes it.
#include <QString>
#include <QWidget>
#include <QtGlobal>

#include <memory>

#include "audio/Sygnaly2.h"
#include "foundation/DialogiQt.h"

class QLabel;
class QTimer;
class TBasicPlayer;

// The emission settings the window needs; the main window fills them after
// reading the settings (the audio layer does not see that section).
struct OpcjePFLType {
    QString KanalPFLNazwa;             // the preview output
    bool CzyPlayerPFLBlokuje = true;   // desk inputs ignored while previewing
};
extern OpcjePFLType OpcjePFL;

class TDMagnetofon final : public OknoDialogu {
public:
    // The window is made once, by the main window at start-up (its parent).
    explicit TDMagnetofon(QWidget* oknoGlowne = nullptr);
    ~TDMagnetofon() override;

    // Plays `sciezka` from `start` ms in the window, shown modally; returns
    // when it closes. `tryb` (1 or 2) is kept for the callers. The window's
    // top is `gora` below the last mouse point (less 12); `lewy` and
    // `szerokosc` are used when not 0. A missing file, or one of no length,
    // is reported and shows no window.
    void PokazMagnetofon(const QString& sciezka, qint32 start, quint8 tryb, int gora, int szerokosc, int lewy);

    // One tick of MagnetPFLTimer (100 ms): times, waveform, and the end.
    void MagnetPFLTimerTimer();

    // ---- what the window shows, for tests ----
    QLabel* CaloscLabel = nullptr;      // total, white
    QLabel* OdPoczatkuLabel = nullptr;  // elapsed, teal
    QLabel* DoKoncaLabel = nullptr;     // remaining: lime in the intro, aqua, red past the outro
    QLabel* AdresLabel = nullptr;
    QLabel* Opis1Label = nullptr;
    QLabel* Opis2Label = nullptr;
    QWidget* GrafPanel = nullptr;
    QWidget* PaintBox = nullptr;
    QTimer* MagnetPFLTimer = nullptr;
    TBasicPlayer* Player() const { return player_.get(); }
    quint8 Tryb() const { return tryb_; }
    // The file shown last (played while the window is open).
    const QString& Plik() const { return sciezka_; }

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;
    void mouseReleaseEvent(QMouseEvent* zdarzenie) override;
    void showEvent(QShowEvent* zdarzenie) override;
    void hideEvent(QHideEvent* zdarzenie) override;

private:
    void Rozmiesc(int szerokosc);
    void OdswiezCzas();
    void Przewin(int x);

    std::unique_ptr<TBasicPlayer> player_;
    SygnalType sygnal_;
    QString sciezka_;
    quint8 tryb_ = 1;
    bool gra_ = false;
    int gora_ = 0;
    int lewy_ = 0;
    int przycisk_ = -1;
};

// The window the main window made (null before it did).
TDMagnetofon* DMagnetofon();

// The callers' way in: the main window's preview window, or a window of its
// own when there is none yet.
void PokazMagnetofon(const QString& sciezka, qint32 start, quint8 tryb, int gora, int szerokosc, int lewy);
// The folder browser's preview: a .WAV, .MP2 or .MP3 of some length plays
// from its start, placed by the rectangle's top, width and left.
void OdsluchajPlik(const QString& sciezka, const TRect& r);
