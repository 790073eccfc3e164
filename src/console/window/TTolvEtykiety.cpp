// The main window's labels of the upper-right panel: the dates, which open
// the operator's RDS texts, the RDS ticker, the traffic indicator and the
// #AKT mode of the news insertion.
#include "console/window/EtykietaOkna.h"
#include "console/window/TTolv.h"

#include "playlists/NastawyEmisji.h"

namespace {

EtykietaOkna* etykieta(QWidget* okno, const char* nazwa, const QString& kolory) {
    auto* e = new EtykietaOkna(okno);
    e->setObjectName(QString::fromLatin1(nazwa));
    e->setStyleSheet(kolory);
    e->setAlignment(Qt::AlignCenter);
    return e;
}

void uloz(QLabel* e, int lewy, int gorny, int szerokosc, int wysokosc) {
    TRect r;
    ProstokatSkalaWH(r, lewy, gorny, szerokosc, wysokosc);
    e->setGeometry(r.Left, r.Top, r.Right - r.Left + 1, r.Bottom - r.Top + 1);
    QFont f = e->font();
    f.setPixelSize(qMax(9, SkalaY(11)));
    e->setFont(f);
}

}  // namespace

void TTolv::UtworzEtykiety() {
    const QString data = QStringLiteral("color: white; background: black;");
    DataLabel = etykieta(this, "DataLabel", data);
    DataUSALabel = etykieta(this, "DataUSALabel", data);
    RDSLabel = etykieta(this, "RDSLabel", QStringLiteral("color: yellow; background: navy;"));
    RDSLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    RDSTALabel = etykieta(this, "RDSTALabel", QStringLiteral("color: white; background: red;"));
    RDSTALabel->setText(QStringLiteral("TA"));
    DataLabel->Klik = [this] { DataLabelClick(); };
    DataUSALabel->Klik = [this] { DataLabelClick(); };
    RDSLabel->Klik = [this] { RDSLabelClick(); };
    RDSLabel->hide();
    RDSTALabel->hide();
    SerwisLabel = etykieta(this, "SerwisLabel", QString());
    SerwisLabel->setText(QStringLiteral("#AKT"));
    SerwisLabel->Klik = [this] { SerwisLabelClick(); };
    OdswiezEtykieteSerwisu();
}

void TTolv::RozmiescEtykiety() {
    // One date shows, in the form the day's playlist names use.
    const bool usa = Satelita.SatPLNazwaFormat == QStringLiteral("MMDDRRRR");
    uloz(DataLabel, 546, 3, 92, 17);
    uloz(DataUSALabel, 546, 3, 92, 17);
    DataLabel->setVisible(!usa);
    DataUSALabel->setVisible(usa);
    uloz(RDSLabel, 456, 59, 110, 16);
    uloz(RDSTALabel, 570, 59, 66, 16);
    uloz(SerwisLabel, 600, 41, 36, 16);
}

void TTolv::DataLabelClick() {
    rds_.DataLabelClick();
    timery_.RDSPozycja = 1;
    OdswiezEtykietyRDS();
}

void TTolv::RDSLabelClick() {
    rds_.KasujRDS();
    OdswiezEtykietyRDS();
}

void TTolv::OdswiezEtykietyRDS() {
    timery_.RDSEtykieta = rds_.EtykietaRDS ? TekstEtykietyRDS() : QString();
    if (rds_.EtykietaRDS) {
        const QString tekst = TickerRDS(timery_.RDSEtykieta, timery_.RDSPozycja);
        if (RDSLabel->text() != tekst) RDSLabel->setText(tekst);
    }
    if (RDSLabel->isVisibleTo(this) != rds_.EtykietaRDS) RDSLabel->setVisible(rds_.EtykietaRDS);
    if (RDSTALabel->isVisibleTo(this) != rds_.EtykietaTA) RDSTALabel->setVisible(rds_.EtykietaTA);
}

void TTolv::SerwisLabelClick() {
    serwisy_.SerwisLabelClick();
    OdswiezEtykieteSerwisu();
}

void TTolv::OdswiezEtykieteSerwisu() {
    const QString kolory = serwisy_.TrybAKT ? QStringLiteral("color: white; background: red;")
                                            : QStringLiteral("color: black; background: silver;");
    if (SerwisLabel->styleSheet() != kolory) SerwisLabel->setStyleSheet(kolory);
    if (SerwisLabel->isVisibleTo(this) != Emisja.SERWISJest) SerwisLabel->setVisible(Emisja.SERWISJest);
}
