#pragma once
// The mix editor window on the model tests' playlists, with eight preview
// players on the manual clock and a stand-in recorder.
#include <QApplication>
#include <QMouseEvent>

#include <memory>

#include "../console/support/GraczeNaZegarze.h"
#include "library/OknoTestPomoc.h"
#include "mixeditor/MiksFixture.h"
#include "mixeditor/OdtwarzaczeEdytora.h"
#include "mixeditor/TEdycjaMiksow.h"
#include "mixeditor/WykresMiksu.h"
#include "platform/Clock.h"

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
        // The recordings are a hundredth of a second long; the players take them as an hour.
        gracze.dlugoscStala = 3'600'000;
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
    GraczeNaZegarze gracze{zegar};
    OdtwarzaczeEdytora odtwarzacze{gracze};
    NagrywanieNaProbe nagr;
    std::unique_ptr<TEdycjaMiksow> okno;
};
