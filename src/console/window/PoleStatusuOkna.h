#pragma once
// The main window's status field of the long playlist checks: a gauge in a
// bevel with a label over it. Green while a check runs, red for a fault
// found, black when idle; while a file the station depends on cannot be
// written, or the music's share does not answer, that fault shows in red
// whenever the field would be idle. A
// click on the label and a double click are the window's to handle (the
// report, the abort of the running check).
#include "console/engine/WyjsciaEmisji.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>

#include <functional>

class EtykietaStatusu final : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> Klik, PodwojnyKlik;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class PoleStatusuOkna {
public:
    explicit PoleStatusuOkna(QWidget* okno);

    // The gauge's own maximum; each check sets it to its element count.
    float StanMaksimum1 = 0;

    // A text too long for the box is fitted into it: the folders of a path
    // go first, then the font shrinks, then the middle of the text goes;
    // the whole text is the label's tool tip (and in the log, by its caller).
    void UstawStatus(const QString& tekst, KolorStatusu kolor);
    void PokazBladZapisu(const QString& tekst, bool trwa);
    void PokazBladUdzialu(const QString& tekst, bool trwa);
    // n x 100 / StanMaksimum1, truncated; 0 with no maximum; within 0..100.
    void UstawPostepStatusu(qint64 n);
    void KasujStatus();
    // Lays the field out on the window's grid.
    void Rozmiesc(int lewy, int gorny, int szerokosc, int wysokosc);

    int Postep() const { return StatusGauge->value(); }
    // The whole text, as the field was given it.
    QString Tekst() const { return tekst_; }
    KolorStatusu Kolor() const { return kolor_; }

    QFrame* StatusBevel;
    QProgressBar* StatusGauge;
    EtykietaStatusu* StatusLabel;

private:
    void dopasuj();
    KolorStatusu kolor_ = KolorStatusu::Czarny;
    QString tekst_;
    QString bladZapisu_;  // the write fault that stands, or nothing
    QString bladUdzialu_;  // the share's fault that stands, or nothing
    int rozmiarPisma_ = 11;
};
