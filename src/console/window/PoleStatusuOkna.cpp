#include "console/window/PoleStatusuOkna.h"

#include "foundation/Dialogi.h"
#include "foundation/KestGraf2.h"

#include <QMouseEvent>

void EtykietaStatusu::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && Klik) {
        event->accept();
        Klik();
        return;
    }
    QLabel::mousePressEvent(event);
}

void EtykietaStatusu::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && PodwojnyKlik) {
        event->accept();
        PodwojnyKlik();
        return;
    }
    QLabel::mouseDoubleClickEvent(event);
}

namespace {

// The state's colour fills the done part of the gauge and, darker, the
// rest: a full gauge still shows green or red.
QString kolorPostepu(KolorStatusu k) {
    switch (k) {
    case KolorStatusu::Zielony: return QStringLiteral("green");
    case KolorStatusu::Czerwony: return QStringLiteral("red");
    case KolorStatusu::Czarny: break;
    }
    return QStringLiteral("black");
}

QString tlo(KolorStatusu k) {
    switch (k) {
    case KolorStatusu::Zielony: return QStringLiteral("#004000");
    case KolorStatusu::Czerwony: return QStringLiteral("maroon");
    case KolorStatusu::Czarny: break;
    }
    return QStringLiteral("black");
}

}  // namespace

PoleStatusuOkna::PoleStatusuOkna(QWidget* okno)
    : StatusBevel(new QFrame(okno)), StatusGauge(new QProgressBar(okno)), StatusLabel(new EtykietaStatusu(okno)) {
    StatusBevel->setObjectName(QStringLiteral("StatusBevel"));
    StatusBevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusGauge->setObjectName(QStringLiteral("StatusGauge"));
    StatusGauge->setRange(0, 100);
    StatusGauge->setTextVisible(false);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    KasujStatus();
}

void PoleStatusuOkna::UstawStatus(const QString& tekst, KolorStatusu kolor) {
    kolor_ = kolor;
    StatusGauge->setStyleSheet(QStringLiteral("QProgressBar { background: %1; border: none; }"
                                              " QProgressBar::chunk { background: %2; }")
                                   .arg(tlo(kolor), kolorPostepu(kolor)));
    StatusLabel->setText(tekst);
    StatusLabel->adjustSize();
    wysrodkuj();
}

void PoleStatusuOkna::UstawPostepStatusu(qint64 n) {
    StatusGauge->setValue(ProcentStanu(double(n), double(StanMaksimum1)));
    StatusGauge->repaint();
}

void PoleStatusuOkna::KasujStatus() {
    StatusGauge->setValue(0);
    UstawStatus(QStringLiteral("OK"), KolorStatusu::Czarny);
}

void PoleStatusuOkna::Rozmiesc(int lewy, int gorny, int szerokosc, int wysokosc) {
    TRect r;
    ProstokatSkalaWH(r, lewy, gorny, szerokosc, wysokosc);
    const QRect q = NaQRect(r);
    StatusBevel->setGeometry(q);
    StatusGauge->setGeometry(q.adjusted(2, 2, -2, -2));
    QFont f = StatusLabel->font();
    f.setPixelSize(qMax(9, SkalaY(11)));
    StatusLabel->setFont(f);
    StatusLabel->adjustSize();
    wysrodkuj();
    StatusGauge->raise();
    StatusLabel->raise();
}

void PoleStatusuOkna::wysrodkuj() {
    // A text wider than the bevel gets a negative offset and stays centred
    // (the halving rounds toward zero).
    const QRect b = StatusBevel->geometry();
    const int lewy = b.left() + (b.width() - StatusLabel->width()) / 2;
    StatusLabel->move(lewy, b.top() + (b.height() - StatusLabel->height()) / 2);
}
