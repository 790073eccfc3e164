#pragma once
// The main window's status field of the long playlist checks: a gauge in a
// bevel with a label over it. Green while a check runs, red for a fault
// found, black when idle. A click on the label and a double click are the
// window's to handle (the report, the abort of the running check).
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

    void UstawStatus(const QString& tekst, KolorStatusu kolor);
    // n x 100 / StanMaksimum1, truncated; 0 with no maximum; within 0..100.
    void UstawPostepStatusu(qint64 n);
    void KasujStatus();
    // Lays the field out on the window's grid.
    void Rozmiesc(int lewy, int gorny, int szerokosc, int wysokosc);

    int Postep() const { return StatusGauge->value(); }
    QString Tekst() const { return StatusLabel->text(); }
    KolorStatusu Kolor() const { return kolor_; }

    QFrame* StatusBevel;
    QProgressBar* StatusGauge;
    EtykietaStatusu* StatusLabel;

private:
    void wysrodkuj();
    KolorStatusu kolor_ = KolorStatusu::Czarny;
};
