#include "console/window/PolaczeniaOkna.h"

#include "console/commands/ScianaSingli.h"
#include "console/engine/EdycjaPlaylisty.h"
#include "mixeditor/EdycjaPL.h"

#include "console/window/PanelOdtwarzacza.h"

#include <QTimer>

QString ZrodloPakietowOkna::MagnetLabel(int deck) const {
    if (deck < 1 || deck > 2) return {};
    return TekstCzasuOdtwarzacza(silnik_.Widok[size_t(deck)].Czas);
}

void WyjsciaOkna::WyslijStanOdtwarzacza(quint8 odtwarzacz, const QString& zdarzenie) {
    datagramy_.WyslijStanOdtwarzacza(odtwarzacz, zdarzenie);
}

void WyjsciaOkna::WyslijInfoElementu(quint8 odtwarzacz, const QString& zdarzenie, qint32 element) {
    datagramy_.WyslijInfoElementu(odtwarzacz, zdarzenie, element);
}

void WyjsciaOkna::OdswiezOdtwarzacze() {
    if (odswiezOdtwarzacze_) odswiezOdtwarzacze_();
}

void WyjsciaOkna::CzytajZestawSingli(const QString& plik) {
    if (sciana_) sciana_->CzytajZestawSingli(plik);
    else WyjsciaEmisji::CzytajZestawSingli(plik);
}

void WyjsciaOkna::SingleKolejno() {
    if (sciana_) sciana_->SingleKolejno();
    else WyjsciaEmisji::SingleKolejno();
}

void ZegaryOkna::Wlacz(TimerKonsoli t, bool wlacz) {
    if (zamkniete_) wlacz = false;
    ZegaryKonsoli::Wlacz(t, wlacz);
    QTimer* timer = timery_[size_t(t)];
    if (timer) UstawTimer(*timer, timer->interval(), wlacz);
}

void ZegaryOkna::Zamknij() {
    // The window stops the QTimers themselves in its own order.
    for (size_t i = 0; i < timery_.size(); ++i) ZegaryKonsoli::Wlacz(TimerKonsoli(i), false);
    zamkniete_ = true;
}

void WyjsciaOkna::EdytorMiksow() { EdytujMiksy(); }

