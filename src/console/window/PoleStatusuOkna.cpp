#include "console/window/PoleStatusuOkna.h"

#include "foundation/Dialogi.h"
#include "foundation/KestGraf2.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QRegularExpression>

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

// The text with the folders of its paths left out: a stored path keeps its
// Windows form (D:\MUZYKA\A.WAV), a Linux one starts with "/" after a blank.
QString bezKatalogow(QString t) {
    static const QRegularExpression katalogi(
        QStringLiteral(R"((?:\b[A-Za-z]:)?\\(?:[^\\]*\\)*|(?<![^\s"(])/(?:[^/\s]+/)+)"));
    return t.replace(katalogi, QString());
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
    StatusLabel->setAlignment(Qt::AlignCenter);
    StatusLabel->setWordWrap(true);
    KasujStatus();
}

void PoleStatusuOkna::UstawStatus(const QString& tekst, KolorStatusu kolor) {
    // Idle while a file cannot be written or the share does not answer:
    // the fault shows instead.
    const QString& stoi = bladZapisu_.isEmpty() ? bladUdzialu_ : bladZapisu_;
    const bool awaria = kolor == KolorStatusu::Czarny && !stoi.isEmpty();
    kolor_ = awaria ? KolorStatusu::Czerwony : kolor;
    tekst_ = awaria ? stoi : tekst;
    StatusGauge->setStyleSheet(QStringLiteral("QProgressBar { background: %1; border: none; }"
                                              " QProgressBar::chunk { background: %2; }")
                                   .arg(tlo(kolor_), kolorPostepu(kolor_)));
    dopasuj();
}

void PoleStatusuOkna::PokazBladZapisu(const QString& tekst, bool trwa) {
    bladZapisu_ = trwa ? tekst : QString();
    UstawStatus(tekst, trwa ? KolorStatusu::Czerwony : KolorStatusu::Czarny);
}

void PoleStatusuOkna::PokazBladUdzialu(const QString& tekst, bool trwa) {
    bladUdzialu_ = trwa ? tekst : QString();
    UstawStatus(tekst, trwa ? KolorStatusu::Czerwony : KolorStatusu::Czarny);
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
    rozmiarPisma_ = qMax(9, SkalaY(11));
    dopasuj();
    StatusGauge->raise();
    StatusLabel->raise();
}

void PoleStatusuOkna::dopasuj() {
    // The label fills the box inside the bevel's edges, its text centred and
    // wrapped at blanks into as many lines as the box holds.
    const QRect r = StatusGauge->geometry();
    QFont f = StatusLabel->font();
    f.setPixelSize(rozmiarPisma_);
    const auto miesci = [&](const QString& t) {
        const QRect z = QFontMetrics(f).boundingRect(QRect(0, 0, r.width(), 1 << 16), Qt::AlignCenter | Qt::TextWordWrap, t);
        return z.width() <= r.width() && z.height() <= r.height();
    };
    QString t = tekst_;
    if (!miesci(t)) t = bezKatalogow(t);
    for (const int najmniejsze = qMax(9, rozmiarPisma_ / 2); !miesci(t) && f.pixelSize() > najmniejsze;)
        f.setPixelSize(f.pixelSize() - 1);
    if (!miesci(t)) t = QFontMetrics(f).elidedText(t, Qt::ElideMiddle, r.width());
    StatusLabel->setFont(f);
    StatusLabel->setText(t);
    StatusLabel->setToolTip(t == tekst_ ? QString() : tekst_);
    StatusLabel->setGeometry(r);
}
