#pragma once
// Players for the engine's and the mix editor's tests that play on the manual
// clock: a player's position is what the clock moved on since it started, so
// a test steps time and the engine together, an hour in a second. They record
// what they were asked (files opened, seeks, volumes set, satellite levels).
#include <QStringList>

#include <map>
#include <set>
#include <stdexcept>
#include <vector>

#include "audio/OdtwarzaczeSlotow.h"
#include "audio/Sygnaly2.h"
#include "platform/Clock.h"

class GraczeNaZegarze final : public OdtwarzaczeSlotow {
public:
    struct Gracz {
        bool istnieje = false;
        QString plik;
        qint64 dlugosc = 0;
        qint64 poz0 = 0;   // position at the last play, stop or seek
        qint64 mono0 = 0;  // monotonic ms of the last play or seek
        bool gra = false;
        int glosnosc = 0;
        std::vector<int> glosnosci;  // every volume set, in order
        std::vector<qint64> pozycje;  // every seek, in order
    };

    explicit GraczeNaZegarze(platform::ManualClock& zegar) : zegar_(zegar) {}

    void UtworzOdtwarzacz(quint8 s) override {
        if (!ok(s)) return;
        gr_[s] = Gracz{};
        gr_[s].istnieje = true;
    }
    void ZwolnijOdtwarzacz(quint8 s) override {
        if (ok(s)) gr_[s] = Gracz{};
    }
    bool OdtwarzaczIstnieje(quint8 s) const override { return ok(s) && gr_[s].istnieje; }
    void OtworzPlikOdtwarzacza(quint8 s, const QString& sciezka) override {
        if (!ok(s) || !gr_[s].istnieje) return;
        Gracz& x = gr_[s];
        x.gra = false;
        x.poz0 = 0;
        x.plik = sciezka;
        x.dlugosc = 0;
        if (sciezka.isEmpty()) return;
        otwarte << sciezka;
        if (rzucaj.count(sciezka)) throw std::runtime_error("Audio file is empty.");
        x.dlugosc = dlugosci.count(sciezka) ? dlugosci.at(sciezka)
                    : dlugoscStala > 0      ? dlugoscStala
                                            : CzasTrwaniaPliku(sciezka);
        x.glosnosc = 0;
    }
    QString PlikOdtwarzacza(quint8 s) const override { return ok(s) ? gr_[s].plik : QString(); }
    void UstawPozycjeOdtwarzacza(quint8 s, qint64 ms) override {
        if (!ok(s)) return;
        gr_[s].poz0 = ms;
        gr_[s].mono0 = zegar_.monotonicMs();
        gr_[s].pozycje.push_back(ms);
    }
    qint64 PozycjaOdtwarzacza(quint8 s) override {
        if (rzucajPozycja.count(s)) throw std::runtime_error("position lost");
        return ok(s) ? pozycja(gr_[s]) : 0;
    }
    qint64 DlugoscOdtwarzacza(quint8 s) const override { return ok(s) ? gr_[s].dlugosc : 0; }
    void GrajOdtwarzacz(quint8 s) override {
        if (!ok(s) || gr_[s].plik.isEmpty() || gra(gr_[s])) return;
        gr_[s].poz0 = pozycja(gr_[s]);
        gr_[s].gra = true;
        gr_[s].mono0 = zegar_.monotonicMs();
    }
    void ZatrzymajOdtwarzacz(quint8 s) override {
        if (!ok(s)) return;
        gr_[s].poz0 = pozycja(gr_[s]);
        gr_[s].gra = false;
    }
    quint8 StanOdtwarzacza(quint8 s) const override { return ok(s) && gra(gr_[s]) ? 1 : 0; }
    void UstawGlosnoscOdtwarzacza(quint8 s, int v) override {
        if (!ok(s)) return;
        gr_[s].glosnosc = v;
        gr_[s].glosnosci.push_back(v);
    }
    int GlosnoscOdtwarzacza(quint8 s) const override { return ok(s) ? gr_[s].glosnosc : 0; }
    void UstawGlosnoscSystemowa(int poziom) override { systemowe.push_back(poziom); }

    const Gracz& operator[](quint8 s) const { return gr_[s]; }

    std::set<QString> rzucaj;  // paths whose opening throws
    std::set<quint8> rzucajPozycja;  // slots whose position throws
    std::vector<int> systemowe;  // satellite input levels set, in order
    QStringList otwarte;         // files opened, in order
    std::map<QString, qint64> dlugosci;  // lengths that stand in for these files' own
    qint64 dlugoscStala = 0;             // > 0: every other file lasts this long

private:
    // The engine's five slots, or the mix editor's eight preview players.
    static bool ok(quint8 s) { return s >= 1 && s <= 8; }
    qint64 pozycja(const Gracz& x) const {
        if (!x.gra) return x.poz0;
        return qMin(x.dlugosc, x.poz0 + zegar_.monotonicMs() - x.mono0);
    }
    bool gra(const Gracz& x) const { return x.gra && pozycja(x) < x.dlugosc; }

    platform::ManualClock& zegar_;
    Gracz gr_[9];
};
