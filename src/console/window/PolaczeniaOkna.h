#pragma once
// What joins the main window to the engine's outputs and timers: the
// datagrams' source completed with the deck panels' time texts, the outputs
// that forward the engine's datagram and INFO/RDS calls, and the modes'
// timer switches that drive the window's QTimers.
#include "console/links/DatagramySilnika.h"
#include "console/links/PlikiRDS.h"
#include "console/engine/TrybyEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "console/window/PoleStatusuOkna.h"

#include <array>
#include <functional>

class QTimer;
class ScianaSingli;

class ZrodloPakietowOkna final : public ZrodloPakietowSilnika {
public:
    using ZrodloPakietowSilnika::ZrodloPakietowSilnika;
    // The deck's time as its panel shows it (the last display refresh).
    QString MagnetLabel(int deck) const override;
};

class WyjsciaOkna final : public WyjsciaEmisji {
public:
    WyjsciaOkna(Datagramy& datagramy, PlikiRDS& rds, std::function<void()> odswiezOdtwarzacze)
        : datagramy_(datagramy), rds_(rds), odswiezOdtwarzacze_(std::move(odswiezOdtwarzacze)) {}
    void WyslijStanOdtwarzacza(quint8 odtwarzacz, const QString& zdarzenie) override;
    void WyslijInfoElementu(quint8 odtwarzacz, const QString& zdarzenie, qint32 element) override;
    quint8 ZapiszPlikiRDS(quint8 slot) override { return rds_.ZapiszPlikiRDS(slot); }
    quint8 ZapalPlikiZnacznikow(quint8 slot, quint8 znaczniki, quint8 flaga) override {
        return rds_.ZapalPlikiZnacznikow(slot, znaczniki, flaga);
    }
    void ZapiszPlikInfo(quint8 slot) override { rds_.PiszOpisNaAntenie(slot); }
    void ZapiszPlikDI() override { rds_.ZapiszPlikDI(); }
    // The mix model stands; its window joins it through the model's own links.
    bool EdytorMiksowJest() override { return true; }
    void EdytorMiksow() override;
    void OdswiezOdtwarzacze() override;
    // The singles wall: the "PALETA:" element's set and the sequence's tick.
    void UstawSciane(ScianaSingli* sciana) { sciana_ = sciana; }
    void CzytajZestawSingli(const QString& plik) override;
    void SingleKolejno() override;
    // Playing the time-list entry now, with the time list's own question.
    std::function<void(quint8, int)> GrajTeraz;
    void EmitujPozycjeTimelisty(quint8 odtwarzacz, int zrodlo) override {
        if (GrajTeraz) GrajTeraz(odtwarzacz, zrodlo);
        else WyjsciaEmisji::EmitujPozycjeTimelisty(odtwarzacz, zrodlo);
    }
    // The next mark past missing files after an automatic load.
    // The list panels' and the message field's redraws.
    std::function<void()> PanelPL, PanelTL, PoleKom, PoleNazwy;
    void OdswiezPlayliste() override { if (PanelPL) PanelPL(); }
    void OdswiezTimeliste() override { if (PanelTL) PanelTL(); }
    void OdswiezKomunikat() override { if (PoleKom) PoleKom(); }
    void OdswiezNazwe() override { if (PoleNazwy) PoleNazwy(); }
    // The advert list's pick and the time list's file check.
    std::function<QString(const QString&)> ListaReklam;
    QString WybierzListeReklam(const QString& katalog) override {
        return ListaReklam ? ListaReklam(katalog) : QString();
    }
    std::function<void(bool)> PlikiTimelisty;
    void SprawdzTimeliste(bool pytania) override { if (PlikiTimelisty) PlikiTimelisty(pytania); }
    // The window's status field, once it stands.
    PoleStatusuOkna* Status = nullptr;
    void KasujPoleStatusu() override { if (Status) Status->KasujStatus(); }
    void UstawStatus(const QString& tekst, KolorStatusu kolor) override {
        if (Status) Status->UstawStatus(tekst, kolor);
    }
    void UstawPostepStatusu(qint64 n) override { if (Status) Status->UstawPostepStatusu(n); }
    void UstawMaksimumStatusu(qint64 maksimum) override { if (Status) Status->StanMaksimum1 = float(maksimum); }
    void PokazBladZapisu(const QString& tekst, bool trwa) override { if (Status) Status->PokazBladZapisu(tekst, trwa); }
    void PokazBladUdzialu(const QString& tekst, bool trwa) override { if (Status) Status->PokazBladUdzialu(tekst, trwa); }

private:
    Datagramy& datagramy_;
    PlikiRDS& rds_;
    std::function<void()> odswiezOdtwarzacze_;
    ScianaSingli* sciana_ = nullptr;
};

// The modes switch the window's timers through this: a switched-on timer
// runs at its interval (an interval of 0 keeps it stopped). Once the window
// has stopped its timers for closing, nothing starts them again.
class ZegaryOkna final : public ZegaryKonsoli {
public:
    void Przypisz(TimerKonsoli t, QTimer* timer) { timery_[size_t(t)] = timer; }
    void Wlacz(TimerKonsoli t, bool wlacz) override;
    // Every switch off for good; the caller stops the QTimers.
    void Zamknij();

private:
    std::array<QTimer*, size_t(TimerKonsoli::Liczba)> timery_{};
    bool zamkniete_ = false;
};
