// The real preview window offscreen, driven with QTest while its modal loop
// runs, on a stepped virtual preview output.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <functional>

#include "AudioTestRig.h"
#include "audio/DMagnet.h"
#include "audio/Obwiednia.h"
#include "audio/OpisNagrania.h"
#include "audio/PeakTools.h"
#include "audio/uDirectShowPlayer.h"
#include "foundation/DDecyzjaCzas.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestGraf2.h"

namespace {

// As for the foundation's windows: Qt paints with worker threads of its own
// that ThreadSanitizer cannot see into, so shown windows are not tested there.
#if defined(__SANITIZE_THREAD__)
#define BEZ_TSAN() GTEST_SKIP() << "a shown window under ThreadSanitizer"
#else
#define BEZ_TSAN() (void)0
#endif

class Magnetofon : public ::testing::Test {
protected:
    AudioRig rig{{QStringLiteral("Default"), QStringLiteral("PFL")}};
    DialogiSkrypt dialogi;
    // The one window, as the main window makes it; every showing reuses it.
    TDMagnetofon okno;

    void SetUp() override {
        OpcjePFL = {};
        OpcjePFL.KanalPFLNazwa = QStringLiteral("PFL");
        OknoGlowneAktywne = 1;
    }
    void TearDown() override {
        OpcjePFL = {};
        OknoGlowneAktywne = 1;
    }

    // 2 s of 44.1 kHz stereo with its envelope; with `int_`/`out` a
    // description with those marks.
    QString nagranie(const QString& nazwa, qint32 int_ = -1, qint32 out = -1) {
        const QString sciezka = rig.wav(nazwa, 44100, 2, 2000);
        TworzObwiednie(sciezka);
        if (int_ >= 0) {
            SygnalType s;
            PustySygnal(s);
            s.Adres = sciezka;
            OtworzSygnal(s, false);
            s.Int = int_;
            s.Out = out;
            OpisNagraniaTyp o;
            NowyOpis(o);
            o.Tyt = QStringLiteral("Żurawie");
            o.Wyk = QStringLiteral("Duet Fala");
            o.Era = QStringLiteral("90");
            o.Jak = QStringLiteral("A");
            o.Typ = QStringLiteral("Pop");
            o.Nar = QStringLiteral("PL");
            o.Gen = QStringLiteral("K");
            o.BPM = QStringLiteral("120");
            ZapiszDAT(s, o);
        }
        return sciezka;
    }

    // Shows the preview and runs `krok` inside its modal loop. A window
    // still open after 5 s is a failure and is closed, so nothing hangs.
    void pokaz(const QString& sciezka, qint32 start, std::function<void(TDMagnetofon&)> krok, int gora = 0,
               int szerokosc = 0, int lewy = 0) {
        QTimer bezpiecznik;
        bezpiecznik.setSingleShot(true);
        QObject::connect(&bezpiecznik, &QTimer::timeout, [] {
            ADD_FAILURE() << "the preview did not close";
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        bezpiecznik.start(5000);
        QTimer::singleShot(0, [krok] {
            auto* okno = dynamic_cast<TDMagnetofon*>(QApplication::activeModalWidget());
            ASSERT_NE(okno, nullptr);
            krok(*okno);
        });
        PokazMagnetofon(sciezka, start, 2, gora, szerokosc, lewy);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    static QColor kolor(QLabel* l) { return l->palette().color(QPalette::WindowText); }
    static void kliknij(TDMagnetofon& o, int x) {
        QTest::mouseClick(o.PaintBox, Qt::LeftButton, Qt::NoModifier, QPoint(x, 10));
        o.MagnetPFLTimerTimer();
    }
};

TEST_F(Magnetofon, RefusesWhatCannotBePlayed) {
    const QString brak = rig.dir.file(QStringLiteral("brak.wav"));
    const QString pusty = rig.dir.file(QStringLiteral("pusty.wav"));
    fixtures::writeFile(pusty, fixtures::wavFile(44100, 2, 16, {}));
    // A length by its header, but nothing the player can decode.
    const QString trzy = rig.dir.file(QStringLiteral("trzy.wav"));
    fixtures::writeFile(trzy, fixtures::wavFile(44100, 3, 16, QByteArray(26460, '\0')));
    const struct {
        QString sciezka, tekst;
    } przypadki[] = {{brak, QStringLiteral("Nie ma nagrania")},
                     {pusty, QStringLiteral("Czas trwania 0s")},
                     {trzy, QStringLiteral("Czas trwania 0s")}};
    for (const auto& p : przypadki) {
        dialogi.Wyczysc();
        PokazMagnetofon(p.sciezka, 0, 1, 0, 0, 0);
        EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 1);
        EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).value(0).teksty,
                  QStringList({p.tekst, QStringLiteral(" (") + p.sciezka + QLatin1Char(')')}));
        EXPECT_EQ(OknoGlowneAktywne, 1);
    }
    // The folder browser's hook passes by other files and empty ones.
    dialogi.Wyczysc();
    fixtures::writeFile(rig.dir.file(QStringLiteral("a.txt")), "tekst");
    OdsluchajPlik(rig.dir.file(QStringLiteral("a.txt")), TRect{});
    OdsluchajPlik(pusty, TRect{});
    EXPECT_TRUE(dialogi.Zapisy().isEmpty());
}

TEST_F(Magnetofon, ShowsTimesMarksAndDescription) {
    BEZ_TSAN();
    const QString sciezka = nagranie(QStringLiteral("Zurawie.wav"), 500, 1500);
    // The press was at y 200 in its window, 230 on the screen; the caller
    // gives no row: the window opens at the press on the screen.
    MyszPunkt = QPoint(10, 200);
    MyszPunktEkranu = QPoint(10, 230);
    pokaz(
        sciezka, 0,
        [&](TDMagnetofon& o) {
            EXPECT_TRUE(o.isVisible());
            EXPECT_EQ(o.windowTitle(), QStringLiteral("Odsłuch nagrania: Zurawie.wav"));
            EXPECT_EQ(o.width(), 500);
            EXPECT_EQ(o.pos(), QPoint(40, 230 - 12));
            EXPECT_EQ(o.Tryb(), 2);
            EXPECT_EQ(OknoGlowneAktywne, 0);
            ASSERT_NE(o.Player(), nullptr);
            EXPECT_EQ(o.Player()->DeviceIndex(), 1);
            EXPECT_EQ(Peak.Count, 200);

            EXPECT_EQ(o.AdresLabel->text(), sciezka);
            EXPECT_EQ(o.Opis1Label->text(), QStringLiteral("Żurawie     Duet Fala"));
            EXPECT_EQ(o.Opis2Label->text(), QStringLiteral("90     A     Pop     PL     K     120"));
            EXPECT_EQ(o.CaloscLabel->text(), QStringLiteral("00:02"));
            EXPECT_EQ(kolor(o.CaloscLabel), KolorQt(KolorFali::White));
            EXPECT_EQ(kolor(o.OdPoczatkuLabel), KolorQt(KolorFali::Teal));
            // In the intro: time to its end, lime.
            o.MagnetPFLTimerTimer();
            EXPECT_EQ(o.DoKoncaLabel->text(), QStringLiteral("00:00"));
            EXPECT_EQ(kolor(o.DoKoncaLabel), KolorQt(KolorFali::Lime));

            // Clicks on the waveform: the middle, then past the outro.
            const int w = o.PaintBox->width();
            kliknij(o, (w - 1) / 2);
            EXPECT_NEAR(o.Player()->GetPosition(), 1000, 5);
            EXPECT_EQ(o.OdPoczatkuLabel->text(), QStringLiteral("00:00"));
            EXPECT_EQ(o.DoKoncaLabel->text(), QStringLiteral("00:01"));
            EXPECT_EQ(kolor(o.DoKoncaLabel), KolorQt(KolorFali::Aqua));
            kliknij(o, (w - 1) * 4 / 5);
            EXPECT_NEAR(o.Player()->GetPosition(), 1600, 5);
            EXPECT_EQ(kolor(o.DoKoncaLabel), KolorQt(KolorFali::Red));
            // The waveform: played part before the mark, the line, what is left.
            const QImage fala = o.PaintBox->grab().toImage();
            EXPECT_EQ(fala.pixelColor(5, fala.height() / 2 + 1), KolorQt(KolorFali::Green));
            EXPECT_EQ(fala.pixelColor(w - 5, fala.height() / 2 + 1), KolorQt(KolorFali::Red));

            // A right-button release on a label closes the window.
            QTest::mouseRelease(o.AdresLabel, Qt::RightButton);
        },
        0, 500, 40);
    EXPECT_EQ(OknoGlowneAktywne, 1);
    EXPECT_EQ(Peak.Count, 0);
    EXPECT_EQ(DMagnetofon(), &okno);
    EXPECT_EQ(okno.Player(), nullptr);
}

TEST_F(Magnetofon, ClosesAtTheEndAndKeepsTheDeskFlag) {
    BEZ_TSAN();
    // No description, no intro: aqua from the start. The mix editor had the
    // desk inputs off; they stay off after the preview.
    const QString sciezka = nagranie(QStringLiteral("bez.wav"));
    OknoGlowneAktywne = 0;
    pokaz(sciezka, 0, [&](TDMagnetofon& o) {
        EXPECT_EQ(o.Opis1Label->text(), QStringLiteral("Nie ma opisu     "));
        o.MagnetPFLTimerTimer();
        EXPECT_EQ(kolor(o.DoKoncaLabel), KolorQt(KolorFali::Aqua));
        EXPECT_EQ(o.DoKoncaLabel->text(), QStringLiteral("00:02"));
        // A click at the right edge goes to the end; the window's own timer
        // then closes it.
        QTest::mouseClick(o.PaintBox, Qt::LeftButton, Qt::NoModifier, QPoint(o.PaintBox->width() - 1, 5));
        EXPECT_EQ(o.Player()->GetPosition(), o.Player()->Duration());
    });
    EXPECT_EQ(OknoGlowneAktywne, 0);

    // Played to its end on the preview output, with the desk left alone.
    OknoGlowneAktywne = 1;
    OpcjePFL.CzyPlayerPFLBlokuje = false;
    pokaz(sciezka, 1900, [&](TDMagnetofon& o) {
        EXPECT_EQ(OknoGlowneAktywne, 1);
        rig.device(1)->stepMs(300);
    });
    EXPECT_EQ(OknoGlowneAktywne, 1);

    // The folder browser's hook: from the start, placed by its rectangle; Esc closes.
    TRect r;
    ProstokatWH(r, 30, 50, 400, 20);
    QTimer::singleShot(0, [] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->width(), 401);
        EXPECT_EQ(w->x(), 30);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    OdsluchajPlik(sciezka, r);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
