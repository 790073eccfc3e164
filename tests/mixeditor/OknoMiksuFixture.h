#pragma once
// The mix editor window on the model tests' playlists, with eight preview
// players on the manual clock (a player's position is what the clock moved
// on since it started) and a stand-in recorder.
#include <QApplication>
#include <QMouseEvent>

#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

#include "mixeditor/MiksFixture.h"
#include "mixeditor/OdtwarzaczeEdytora.h"
#include "mixeditor/TEdycjaMiksow.h"
#include "mixeditor/WykresMiksu.h"
#include "platform/Clock.h"

class GraczePodgladu final : public OdtwarzaczeSlotow {
public:
    struct Gracz {
        bool istnieje = false;
        QString plik;
        qint64 dlugosc = 0;
        qint64 poz0 = 0;
        qint64 mono0 = 0;
        bool gra = false;
        int glosnosc = 0;
        std::vector<int> glosnosci;
        std::vector<qint64> pozycje;  // every seek
    };
    explicit GraczePodgladu(platform::ManualClock& zegar) : zegar_(zegar) {}

    void UtworzOdtwarzacz(quint8 s) override {
        if (ok(s)) gr_[s] = Gracz{true};
    }
    void ZwolnijOdtwarzacz(quint8 s) override {
        if (ok(s)) gr_[s] = Gracz{};
    }
    bool OdtwarzaczIstnieje(quint8 s) const override { return ok(s) && gr_[s].istnieje; }
    void OtworzPlikOdtwarzacza(quint8 s, const QString& sciezka) override {
        if (!ok(s)) return;
        Gracz& x = gr_[s];
        x.gra = false;
        x.poz0 = 0;
        x.plik.clear();
        if (sciezka.isEmpty()) return;
        if (rzucaj.count(sciezka)) throw std::runtime_error("Audio file is empty.");
        x.plik = sciezka;
        x.dlugosc = dlugosci.count(sciezka) ? dlugosci.at(sciezka) : 3'600'000;
    }
    QString PlikOdtwarzacza(quint8 s) const override { return ok(s) ? gr_[s].plik : QString(); }
    void UstawPozycjeOdtwarzacza(quint8 s, qint64 ms) override {
        if (!ok(s)) return;
        gr_[s].poz0 = ms;
        gr_[s].mono0 = zegar_.monotonicMs();
        gr_[s].pozycje.push_back(ms);
    }
    qint64 PozycjaOdtwarzacza(quint8 s) override { return ok(s) ? pozycja(gr_[s]) : 0; }
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
    void UstawGlosnoscSystemowa(int) override {}

    Gracz& operator[](quint8 s) { return gr_[s]; }
    std::set<QString> rzucaj;
    std::map<QString, qint64> dlugosci;

private:
    static bool ok(quint8 s) { return s >= 1 && s <= 8; }
    qint64 pozycja(const Gracz& x) const {
        if (!x.gra) return x.poz0;
        return std::min(x.dlugosc, x.poz0 + zegar_.monotonicMs() - x.mono0);
    }
    bool gra(const Gracz& x) const { return x.gra && pozycja(x) < x.dlugosc; }

    platform::ManualClock& zegar_;
    Gracz gr_[9];
};

// What the window asks of the recorder, and the state it reads back.
class NagrywanieNaProbe final : public Nagrywanie {
public:
    void Podlacz(OknoNagrywania* o) override { okno = o; }
    bool WgrywanieTrwa() const override { return pisze; }
    bool WgranieUzbrojone() const override { return uzbrojone; }
    int SladWgrania() const override { return slad; }
    qint32 PrzedbiegWgrania() const override { return przedbieg; }
    void UstawPrzedbiegWgrania(qint32 ms) override { przedbieg = ms; }
    int PoziomWejscia() const override { return szczyt; }
    bool WejscieOtwarte() const override { return true; }
    void WgrajDJ() override {
        komendy << QStringLiteral("WgrajDJ");
        uzbrojone = true;
        if (slad == 0) slad = SladGlosu1;
    }
    void StartWgrywania() override {
        komendy << QStringLiteral("Start");
        uzbrojone = false;
        pisze = true;
    }
    void ZakonczWgrywanie() override {
        komendy << QStringLiteral("Koniec");
        uzbrojone = pisze = false;
    }
    void WstawDJ() override { komendy << QStringLiteral("WstawDJ"); }
    void UsunDJ() override { komendy << QStringLiteral("UsunDJ"); }
    void Zamknij() override {
        komendy << QStringLiteral("Zamknij");
        if (!kolejka && okno) okno->ZakonczOkno();
    }

    OknoNagrywania* okno = nullptr;
    bool pisze = false, uzbrojone = false, kolejka = false;
    int slad = 0, szczyt = 0;
    qint32 przedbieg = 3000;
    QStringList komendy;
};

class OknoMiksuTest : public MiksTest {
protected:
    void SetUp() override {
        MiksTest::SetUp();
        TEdycjaMiksow::Granice = {220, 60, 645, 550};
        Emisja.Poziom0SND = 0;
    }
    void TearDown() override {
        okno.reset();
        MiksTest::TearDown();
    }
    // Builds the mix of the elements and shows the window over it.
    void pokaz(const std::vector<Elem>& elementy, qint32 kursor = 1, bool zNagrywaniem = true) {
        czytaj(elementy, kursor);
        UstawMiks();
        okno = std::make_unique<TEdycjaMiksow>(odtwarzacze, zNagrywaniem ? &nagr : nullptr);
        okno->show();
    }
    WykresMiksu& wykres() { return *okno->Wykres(); }
    QPoint srodek(const QString& nazwa) { return wykres().Prostokat(nazwa).center(); }
    void mysz(QEvent::Type t, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        const Qt::MouseButtons wcisniete = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
        QMouseEvent e(t, p, wykres().mapToGlobal(p), b, wcisniete, Qt::NoModifier);
        QApplication::sendEvent(&wykres(), &e);
    }
    void ciagnij(const QString& nazwa, QPoint o) {
        const QPoint p = srodek(nazwa);
        mysz(QEvent::MouseButtonPress, p);
        mysz(QEvent::MouseMove, p + o);
        mysz(QEvent::MouseButtonRelease, p + o);
    }
    // Steps the clock and the preview's tick together.
    void tik(int ile = 1) {
        for (int i = 0; i < ile; ++i) {
            zegar.advance(30);
            okno->MixyTimerTick();
        }
    }

    platform::ManualClock zegar;
    platform::ScopedClock zegarProgramu{&zegar};
    GraczePodgladu gracze{zegar};
    OdtwarzaczeEdytora odtwarzacze{gracze};
    NagrywanieNaProbe nagr;
    std::unique_ptr<TEdycjaMiksow> okno;
};
