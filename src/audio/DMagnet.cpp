#include "audio/DMagnet.h"

#include "audio/OpisNagrania.h"
#include "audio/PeakTools.h"
#include "audio/Obwiednia.h"
#include "audio/uDirectShowPlayer.h"
#include "foundation/DDecyzjaCzas.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "platform/Paths.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>

OpcjePFLType OpcjePFL;

namespace {

QPointer<TDMagnetofon> oknoProgramu;

// Layout on a 4-pixel grid of rows.
constexpr int kOdstep = 4;
constexpr int kSzerokosc = 600;
constexpr int kWysokoscGrafu = 100;
constexpr int kRamkaGrafu = 2;
constexpr int kWysokoscCzasu = 44;
constexpr int kWysokoscWiersza = 18;
constexpr int kWysokoscPrzycisku = 24;
constexpr int kSzerokoscPrzycisku = 90;
constexpr int kTick = 100;
const QString kPiecSpacji = QStringLiteral("     ");

// The waveform: the envelope's bitmap, painted whole when its size is new.
class PoleFali final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        if (Peak.Bitmap.size() != size()) DrawPeaks(width(), height());
        QPainter(this).drawImage(0, 0, Peak.Bitmap);
    }
};

QString mmss(qint64 ms) { return PiszCzas(3, std::max<qint64>(ms, 0) / 1000); }

void Koloruj(QLabel* l, TColor kolor) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, KolorQt(kolor));
    l->setPalette(p);
}

QLabel* Czas(QWidget* rodzic, TColor kolor) {
    auto* l = new QLabel(rodzic);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, KolorQt(KolorCzarny));
    l->setPalette(p);
    Koloruj(l, kolor);
    QFont f = l->font();
    f.setPixelSize(30);
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setText(mmss(0));
    return l;
}

// The file name of a stored path, as written.
QString NazwaZbioru(const QString& sciezka) {
    const qsizetype i = std::max(sciezka.lastIndexOf(u'\\'), sciezka.lastIndexOf(u'/'));
    return sciezka.mid(i + 1);
}

}  // namespace

TDMagnetofon* DMagnetofon() { return oknoProgramu.data(); }

TDMagnetofon::TDMagnetofon(QWidget* oknoGlowne)
    : OknoDialogu(QStringLiteral("Odsłuch nagrania"), kSzerokosc, 100) {
    if (oknoGlowne) setParent(oknoGlowne, windowFlags());
    if (!oknoProgramu) oknoProgramu = this;

    GrafPanel = new QWidget(this);
    GrafPanel->setAutoFillBackground(true);
    QPalette czarne = GrafPanel->palette();
    czarne.setColor(QPalette::Window, KolorQt(KolorCzarny));
    GrafPanel->setPalette(czarne);
    PaintBox = new PoleFali(GrafPanel);
    CaloscLabel = Czas(this, KolorFali::White);
    OdPoczatkuLabel = Czas(this, KolorFali::Teal);
    DoKoncaLabel = Czas(this, KolorFali::Aqua);
    AdresLabel = new QLabel(this);
    Opis1Label = new QLabel(this);
    Opis2Label = new QLabel(this);
    for (QWidget* w : {GrafPanel, PaintBox, static_cast<QWidget*>(CaloscLabel), static_cast<QWidget*>(OdPoczatkuLabel),
                       static_cast<QWidget*>(DoKoncaLabel), static_cast<QWidget*>(AdresLabel),
                       static_cast<QWidget*>(Opis1Label), static_cast<QWidget*>(Opis2Label)})
        w->installEventFilter(this);

    przycisk_ = DodajPrzycisk(TRect{}, QStringLiteral("~Anuluj"), OdpowiedzOpusc);
    UstawDomyslny(przycisk_);
    UstawAnuluj(OdpowiedzOpusc);

    MagnetPFLTimer = new QTimer(this);
    MagnetPFLTimer->setInterval(kTick);
    QObject::connect(MagnetPFLTimer, &QTimer::timeout, this, [this] { MagnetPFLTimerTimer(); });
    Rozmiesc(kSzerokosc);
}

TDMagnetofon::~TDMagnetofon() = default;

void TDMagnetofon::Rozmiesc(int szerokosc) {
    int y = kOdstep;
    const int wewnatrz = szerokosc - 2 * kOdstep;
    GrafPanel->setGeometry(kOdstep, y, wewnatrz, kWysokoscGrafu);
    PaintBox->setGeometry(kRamkaGrafu, kRamkaGrafu, wewnatrz - 2 * kRamkaGrafu, kWysokoscGrafu - 2 * kRamkaGrafu);
    y += kWysokoscGrafu + kOdstep;
    const int trzecia = (wewnatrz - 2 * kOdstep) / 3;
    QLabel* czasy[] = {CaloscLabel, OdPoczatkuLabel, DoKoncaLabel};
    for (int i = 0; i < 3; ++i)
        czasy[i]->setGeometry(kOdstep + i * (trzecia + kOdstep), y, trzecia, kWysokoscCzasu);
    y += kWysokoscCzasu + kOdstep;
    for (QLabel* l : {AdresLabel, Opis1Label, Opis2Label}) {
        l->setGeometry(kOdstep, y, wewnatrz, kWysokoscWiersza);
        y += kWysokoscWiersza + kOdstep;
    }
    TRect r;
    ProstokatWH(r, (szerokosc - kSzerokoscPrzycisku) / 2, y, kSzerokoscPrzycisku - 1, kWysokoscPrzycisku - 1);
    Przycisk(przycisk_).Rect = r;
    y += kWysokoscPrzycisku + kOdstep;

    setFixedSize(szerokosc, y);
    TRect calosc;
    Prostokat(calosc, 0, 0, szerokosc - 1, y - 1);
    PoleKolorE(calosc, KolorTlaPrzycisku);
    RysujPrzyciski();
}

void TDMagnetofon::PokazMagnetofon(const QString& sciezka, qint32 start, quint8 tryb, int gora, int szerokosc,
                                   int lewy) {
    if (player_) return;  // already previewing
    if (!platform::fileExists(sciezka)) {
        PokazBlad(QStringLiteral("Nie ma nagrania"), sciezka);
        return;
    }
    const QString zeroSekund = QStringLiteral("Czas trwania 0s");
    if (CzasTrwaniaPliku(sciezka) <= 0) {
        PokazBlad(zeroSekund, sciezka);
        return;
    }
    // The player reports a file it cannot decode as a duration of 0.
    try {
        player_ = std::make_unique<TBasicPlayer>(OpcjePFL.KanalPFLNazwa);
        player_->SetFileName(sciezka);
    } catch (...) {
        player_.reset();
    }
    if (!player_ || player_->Duration() <= 0) {
        player_.reset();
        PokazBlad(zeroSekund, sciezka);
        return;
    }
    tryb_ = tryb;
    sciezka_ = sciezka;
    setWindowTitle(QStringLiteral("Odsłuch nagrania: ") + NazwaZbioru(sciezka));
    player_->SetPosition(start);

    sygnal_ = SygnalPliku(sciezka);
    OpisNagraniaTyp opis;
    OtworzSygnal(sygnal_, true, opis);
    AdresLabel->setText(sciezka);
    Opis1Label->setText(opis.Tyt + kPiecSpacji + opis.Wyk);
    Opis2Label->setText(QStringList{opis.Era, opis.Jak, opis.Typ, opis.Nar, opis.Gen, opis.BPM}.join(kPiecSpacji));

    if (szerokosc > 0) Rozmiesc(szerokosc);
    // A caller that knows its row gives the screen top; otherwise the window
    // opens where the operator clicked, on the screen, not in the window
    // that was clicked.
    gora_ = gora != 0 ? gora : MyszPunktEkranu.y() - 12;
    lewy_ = lewy;
    CaloscLabel->setText(mmss(player_->Duration()));
    OdswiezCzas();

    // Whatever the main window had (the mix editor clears it) comes back.
    const quint8 aktywne = OknoGlowneAktywne;
    if (OpcjePFL.CzyPlayerPFLBlokuje) OknoGlowneAktywne = 0;
    player_->Play();
    gra_ = true;
    MagnetPFLTimer->start();
    PokazModalnie(parentWidget());

    MagnetPFLTimer->stop();
    gra_ = false;
    player_->Stop();
    player_->SetFileName(QString());
    OknoGlowneAktywne = aktywne;
    player_.reset();
}

void TDMagnetofon::OdswiezCzas() {
    if (!player_) return;
    const qint64 pozycja = player_->GetPosition();
    const qint64 dlugosc = player_->Duration();
    OdPoczatkuLabel->setText(mmss(pozycja));
    qint64 reszta = dlugosc - pozycja;
    TColor kolor = KolorFali::Aqua;
    if (sygnal_.Int > 0 && pozycja < sygnal_.Int) {
        reszta = sygnal_.Int - pozycja;
        kolor = KolorFali::Lime;
    }
    if (sygnal_.Out > 0 && pozycja > sygnal_.Out) kolor = KolorFali::Red;
    DoKoncaLabel->setText(mmss(reszta));
    Koloruj(DoKoncaLabel, kolor);

    const qint64 w = PaintBox->width();
    const qint64 tot = sygnal_.Tot;
    DrawPeaksPos(int(w), PaintBox->height(), tot > 0 ? int(sygnal_.Int * w / tot) : 0,
                 dlugosc > 0 ? int(pozycja * w / dlugosc) : 0, tot > 0 ? int(sygnal_.Out * w / tot) : 0);
    PaintBox->update();
}

void TDMagnetofon::MagnetPFLTimerTimer() {
    if (!player_) return;
    OdswiezCzas();
    // The player runs on at the end of its file: the end is a position that
    // reached the duration.
    if (gra_ && (player_->State() != 1 || player_->GetPosition() >= player_->Duration())) {
        gra_ = false;
        Zamknij(OdpowiedzOpusc);
    }
}

void TDMagnetofon::Przewin(int x) {
    if (!player_) return;
    const int w = PaintBox->width();
    x = std::clamp(x, 0, std::max(w - 1, 0));
    // The last column is the end of the file.
    const qint64 dlugosc = player_->Duration();
    player_->Stop();
    player_->SetPosition(w > 1 ? x * dlugosc / (w - 1) : 0);
    player_->Play();
    OdswiezCzas();
}

bool TDMagnetofon::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    if (zdarzenie->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(zdarzenie)->button() == Qt::RightButton) {
        Zamknij(OdpowiedzOpusc);
        return true;
    }
    if (zdarzenie->type() == QEvent::MouseButtonPress && (obiekt == GrafPanel || obiekt == PaintBox)) {
        auto* mysz = static_cast<QMouseEvent*>(zdarzenie);
        if (mysz->button() == Qt::LeftButton) {
            const QPoint p = static_cast<QWidget*>(obiekt)->mapTo(this, mysz->position().toPoint());
            Przewin(PaintBox->mapFrom(this, p).x());
            return true;
        }
    }
    return OknoDialogu::eventFilter(obiekt, zdarzenie);
}

void TDMagnetofon::mouseReleaseEvent(QMouseEvent* zdarzenie) {
    if (zdarzenie->button() == Qt::RightButton) {
        Zamknij(OdpowiedzOpusc);
        zdarzenie->accept();
        return;
    }
    OknoDialogu::mouseReleaseEvent(zdarzenie);
}

void TDMagnetofon::showEvent(QShowEvent* zdarzenie) {
    OknoDialogu::showEvent(zdarzenie);
    LoadPeaks(ZbiorObwiedni(sciezka_));
    DrawPeaks(PaintBox->width(), PaintBox->height());
    OdswiezCzas();
    // Beside the row that was clicked, kept on the screen.
    QPoint miejsce(lewy_ != 0 ? lewy_ : x(), gora_);
    if (const QScreen* ekran = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect obszar = ekran->availableGeometry();
        miejsce.setY(std::clamp(miejsce.y(), obszar.top(), std::max(obszar.top(), obszar.bottom() - height())));
    }
    move(miejsce);
}

void TDMagnetofon::hideEvent(QHideEvent* zdarzenie) {
    FreePeaks();
    OknoDialogu::hideEvent(zdarzenie);
}

void PokazMagnetofon(const QString& sciezka, qint32 start, quint8 tryb, int gora, int szerokosc, int lewy) {
    if (TDMagnetofon* okno = DMagnetofon()) {
        okno->PokazMagnetofon(sciezka, start, tryb, gora, szerokosc, lewy);
        return;
    }
    TDMagnetofon okno;
    okno.PokazMagnetofon(sciezka, start, tryb, gora, szerokosc, lewy);
}

void OdsluchajPlik(const QString& sciezka, const TRect& r) {
    const QString rozszerzenie = RozszerzenieSciezki(sciezka);
    if (rozszerzenie != QLatin1String(".WAV") && rozszerzenie != QLatin1String(".MP2") &&
        rozszerzenie != QLatin1String(".MP3"))
        return;
    if (CzasTrwaniaPliku(sciezka) <= 0) return;
    PokazMagnetofon(sciezka, 0, 1, r.Top, SzerokoscProstokata(r), r.Left);
}
