// The main window's labels of the upper-right panel: the dates, which open
// the operator's RDS texts, the RDS ticker, the traffic indicator and the
// #AKT mode of the news insertion.
#include "console/window/EtykietaOkna.h"
#include "console/window/TTolv.h"

#include "console/engine/SilnikEmisji.h"
#include "console/engine/TrybyEmisji.h"
#include "playlists/NastawyEmisji.h"

namespace {

EtykietaOkna* etykieta(QWidget* okno, const char* nazwa, const QString& kolory) {
    auto* e = new EtykietaOkna(okno);
    e->setObjectName(QString::fromLatin1(nazwa));
    e->setStyleSheet(kolory);
    e->setAlignment(Qt::AlignCenter);
    return e;
}

void uloz(QLabel* e, int lewy, int gorny, int szerokosc, int wysokosc, int piksele = 11) {
    TRect r;
    ProstokatSkalaWH(r, lewy, gorny, szerokosc, wysokosc);
    e->setGeometry(NaQRect(r));
    QFont f = e->font();
    f.setPixelSize(qMax(9, SkalaY(piksele)));
    f.setBold(piksele > 11);
    e->setFont(f);
}

// Text and style are set only when they change: a label repaints on each set.
void pisz(QLabel* e, const QString& tekst) {
    if (e->text() != tekst) e->setText(tekst);
}

void styl(QLabel* e, const QString& kolory) {
    if (e->styleSheet() != kolory) e->setStyleSheet(kolory);
}

QString kolorOdchylenia(KolorOdchylenia k) {
    switch (k) {
    case KolorOdchylenia::Green: return QStringLiteral("color: green; background: black;");
    case KolorOdchylenia::Lime: return QStringLiteral("color: lime; background: black;");
    case KolorOdchylenia::Maroon: return QStringLiteral("color: maroon; background: black;");
    case KolorOdchylenia::Red: return QStringLiteral("color: red; background: black;");
    case KolorOdchylenia::Silver: break;
    }
    return QStringLiteral("color: silver; background: black;");
}

// The 24-hour clock tells the operator at a glance: red while Automat waits
// with nothing on players 1-3, yellow while the microphone ducks, green
// while the satellite input fades out, white otherwise.
QString kolorZegara(KolorZegara k) {
    switch (k) {
    case KolorZegara::Czerwony: return QStringLiteral("color: red; background: black;");
    case KolorZegara::Zolty: return QStringLiteral("color: yellow; background: black;");
    case KolorZegara::Zielony: return QStringLiteral("color: lime; background: black;");
    case KolorZegara::Bialy: break;
    }
    return QStringLiteral("color: white; background: black;");
}

QString kolorTrybu(bool czerwona) {
    return czerwona ? QStringLiteral("color: white; background: red;")
                    : QStringLiteral("color: black; background: silver;");
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

    const QString zegar = QStringLiteral("color: lime; background: black;");
    Czas24Label = etykieta(this, "Czas24Label", zegar);
    Czas12Label = etykieta(this, "Czas12Label", zegar);
    AmPmLabel = etykieta(this, "AmPmLabel", zegar);
    Czas2Label = etykieta(this, "Czas2Label", QStringLiteral("color: aqua; background: black;"));
    DeltaTLabel = etykieta(this, "DeltaTLabel", kolorOdchylenia(KolorOdchylenia::Silver));
    DeltaTLabel->setText(QStringLiteral("+00:00"));
    APlistaLabel = etykieta(this, "APlistaLabel", kolorTrybu(false));
    APlistaLabel->setText(QStringLiteral("AP"));
    ATlistaLabel = etykieta(this, "ATlistaLabel", kolorTrybu(false));
    ATlistaLabel->setText(QStringLiteral("AT"));
    AutoStopLabel = etykieta(this, "AutoStopLabel", kolorTrybu(false));
    AutoStopLabel->setText(QStringLiteral("AS"));
    // The 12-hour clock stays hidden: the console shows 24 hours.
    Czas12Label->hide();
    AmPmLabel->hide();
    Czas24Label->Klik = [this] { edycja_.KursorNaTeraz(timery_.TerazMS); };
    const auto poKliku = [this](auto zmiana) {
        return [this, zmiana] {
            zmiana();
            timery_.OdswiezZegary();
            OdswiezZegary();
        };
    };
    APlistaLabel->Klik = poKliku([] { EtykietaAP(); });
    ATlistaLabel->Klik = poKliku([] { EtykietaAT(); });
    AutoStopLabel->Klik = poKliku([this] { EtykietaAS(silnik_); });
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
    // The clocks and the mode labels fill the free part below the profile
    // buttons, above the RDS row.
    uloz(Czas24Label, 456, 21, 90, 19, 16);
    uloz(Czas12Label, 456, 21, 70, 19, 16);
    uloz(AmPmLabel, 526, 21, 20, 19);
    uloz(DeltaTLabel, 548, 21, 88, 19, 16);
    uloz(APlistaLabel, 456, 41, 24, 16);
    uloz(ATlistaLabel, 482, 41, 24, 16);
    uloz(AutoStopLabel, 508, 41, 24, 16);
    uloz(Czas2Label, 536, 41, 62, 16);
    uloz(SerwisLabel, 600, 41, 36, 16);
}

void TTolv::OdswiezZegary() {
    const WskazaniaZegarow& z = timery_.Zegar;
    pisz(Czas24Label, z.Czas24);
    styl(Czas24Label, kolorZegara(silnik_.KolorZegaraEmisji));
    pisz(Czas12Label, z.Czas12);
    pisz(AmPmLabel, z.AmPm);
    pisz(Czas2Label, z.Czas2);
    pisz(DataLabel, z.Data);
    pisz(DataUSALabel, z.Data);
    const QString data = timery_.DataCzerwona ? QStringLiteral("color: white; background: red;")
                                              : QStringLiteral("color: white; background: black;");
    styl(DataLabel, data);
    styl(DataUSALabel, data);
    pisz(DeltaTLabel, z.Odchylenie);
    styl(DeltaTLabel, kolorOdchylenia(z.Kolor));
    styl(APlistaLabel, kolorTrybu(z.APCzerwona));
    styl(ATlistaLabel, kolorTrybu(z.ATCzerwona));
    styl(AutoStopLabel, kolorTrybu(z.ASCzerwona));
    OdswiezEtykieteSerwisu();
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
