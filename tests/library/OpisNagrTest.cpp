// The description editor offscreen, driven with QTest while its modal loop
// runs, its preview on a stepped virtual output: the panes' geometry, the
// marker buttons' rules and dragging, the preview's volume and end, what
// "Akceptuj" writes, clearing and restoring, and envelopes that do not fit.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <memory>

#include "OknoTestPomoc.h"
#include "audio/DMagnet.h"
#include "audio/Obwiednia.h"
#include "audio/PeakTools.h"
#include "audio/OpisNagrania.h"
#include "audio/uDirectShowPlayer.h"
#include "common/Fifo.h"
#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "foundation/DialogiSkrypt.h"
#include "library/DOpisNagr.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"
#include "platform/audio/DeviceHub.h"
#include "playlists/NastawyEmisji.h"

namespace {

using O = OpisNagraniaTyp;

class OpisNagr : public ::testing::Test {
protected:
    void SetUp() override {
        platform::DeviceHub::instance().useVirtualDevices({QStringLiteral("Default"), QStringLiteral("PFL")}, true);
        OpcjePFL = {};
        OpcjePFL.KanalPFLNazwa = QStringLiteral("PFL");
        DomyslneNastawyEmisji();
        KasujOpis(OpisNagrania);
        dlg = std::make_unique<TDlgOpisNagr>();
    }
    void TearDown() override {
        dlg.reset();
        OpcjePFL = {};
        platform::DeviceHub::instance().useVirtualDevices({QStringLiteral("Virtual")}, true);
    }

    // A WAV of `ms` at `rate` Hz mono, its path.
    QString wav(const QString& nazwa, int rate, int ms, const std::vector<fixtures::Chunk>& przed = {}) {
        dir.write(nazwa, fixtures::wavFile(rate, 1, 16, fixtures::tone16(rate, 1, 50, ms, 0.3), przed));
        return dir.file(nazwa);
    }
    // Shows the recording and runs `krok` in the dialog; whether it saved.
    bool pokaz(const QString& sciezka, bool edytowalny, const std::function<void(TDlgOpisNagr&)>& krok) {
        SygnalType s;
        PustySygnal(s);
        s.Adres = sciezka;
        s.Nazwa = QFileInfo(sciezka).completeBaseName().toUpper();
        bool zapisano = false;
        WModalnym<TDlgOpisNagr>([&] { zapisano = ShowOpisNagr(s, edytowalny); }, krok);
        return zapisano;
    }
    static void przycisk(TDlgOpisNagr& d, const QString& tytul) {
        for (int i = 0; i < d.LiczbaPrzyciskow(); ++i) {
            const BUTTONType& b = d.Przycisk(i);
            if (b.Tytul == tytul) {
                QTest::mouseClick(&d, Qt::LeftButton, Qt::NoModifier,
                                  QPoint((b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2));
                return;
            }
        }
        ADD_FAILURE() << "no button " << tytul.toStdString();
    }
    static QLineEdit* pole(TDlgOpisNagr& d, QString O::* p) { return qobject_cast<QLineEdit*>(d.Pole(p)); }
    static void markery(TDlgOpisNagr& d, const ZnacznikiOpisu& z) {
        const qint32 t[] = {z.Int, z.Out, z.Mik, z.NwP, z.NwK, z.FIn, z.FOu, z.LpP, z.LpK, z.FrP, z.FrK};
        for (int i = 0; i < LiczbaZnacznikowEdytora; ++i)
            d.Znacznik(i) = t[i];
    }
    // The position moved to `t` by a press in the start pane, the preview
    // started there (right button) or not (left).
    static void pozycja(TDlgOpisNagr& d, qint64 t, bool grac) {
        d.Przewin(PPoczatek, t);
        const GeometriaPanelu& g = d.Geometria(PPoczatek);
        const int x = g.X(t);
        ASSERT_EQ(g.Czas(x), t);
        // Between the rows of the markers' handles.
        QTest::mouseClick(d.PoczatekPaintBox, grac ? Qt::RightButton : Qt::LeftButton, Qt::NoModifier, QPoint(x, 18));
        ASSERT_EQ(d.Pozycja(), t);
        ASSERT_EQ(d.Podglad(), grac);
    }
    static QString dat(const QString& audio) {
        QFile f(ZbiorOpisu(audio));
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        const QByteArray b = f.readAll();
        return platform::fromCp1250(b.constData(), b.size());
    }

    platform::ManualClock zegar{QDate(2024, 1, 5), 12 * 3600 * 1000};
    platform::ScopedClock zakres{&zegar};
    TempProgramFolder dir;
    DialogiSkrypt dialogi;
    std::unique_ptr<TDlgOpisNagr> dlg;
};

TEST_F(OpisNagr, OpensWithTheRecordingsGeometryAndInformation) {
    BEZ_TSAN();
    const QString trzyMinuty = wav(QStringLiteral("trzy.wav"), 8000, 180000);
    pokaz(trzyMinuty, false, [&](TDlgOpisNagr& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Dane o nagraniu: TRZY (Test ustawiania LOOP i HOOK)"));
        const GeometriaPanelu& g = d.Geometria(PCalosc);
        EXPECT_EQ(g.Szerokosc, 800);
        EXPECT_EQ(g.Zoom, 24);
        EXPECT_EQ(g.Offset, -6000);
        EXPECT_EQ(d.Geometria(PPoczatek).Zoom, 1);
        EXPECT_EQ(d.TypInfo->text(), QStringLiteral("liniowy PCM    16 bitów"));
        EXPECT_EQ(d.ProbkowanieInfo->text(), QStringLiteral(" 8000 Hz"));
        EXPECT_EQ(d.TrybInfo->text(), QStringLiteral("mono"));
        EXPECT_EQ(d.CzasInfo->text(), QStringLiteral("3m0s"));
        EXPECT_EQ(d.AdresInfo->text(), trzyMinuty);
        EXPECT_EQ(pole(d, &O::Tyt)->text(), QString());
        EXPECT_EQ(pole(d, &O::Tyt)->placeholderText(), QStringLiteral("Nie ma opisu"));
        // Read only: "Opuść" in the place of "Akceptuj", which is hidden
        // with "Czyść".
        for (int i = 0; i < d.LiczbaPrzyciskow(); ++i) {
            const BUTTONType& b = d.Przycisk(i);
            if (b.Tytul == QStringLiteral("~Akceptuj") || b.Tytul == QStringLiteral("~Czyść")) {
                EXPECT_EQ(b.Widoczny, 0);
            }
            if (b.Tytul == QStringLiteral("~Opuść")) {
                EXPECT_EQ(b.Rect.Left, 8);
            }
        }
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    // Narrow panes divide by nothing.
    EXPECT_EQ(GeometriaCalosci(20, 180000).Zoom, 18001);
    EXPECT_EQ(GeometriaCalosci(0, 180000).Zoom, 18001);
    EXPECT_EQ(GeometriaCalosci(0, 180000).Rozpietosc(), 1);
}

TEST_F(OpisNagr, MarkerButtonsFollowTheirRules) {
    BEZ_TSAN();
    const QString sciezka = wav(QStringLiteral("trzy.wav"), 8000, 180000);
    const ZnacznikiOpisu B{5000, 170000, -1, 0, 180000, 2000, 175000, 20000, 40000, 0, 0};
    const auto z = [&](auto zmien) {
        ZnacznikiOpisu m = B;
        zmien(m);
        return m;
    };
    const struct {
        const char* nazwa;
        qint64 poz;
        bool gra;
        int znacznik;
        ZnacznikiOpisu po;
        bool graPo;
    } przypadki[] = {
        {"new start pushes the fade-in", 10000, true, ZNowyPoczatek, z([](auto& m) { m.NwP = m.FIn = 10000; }), false},
        {"new start at the fade-out does nothing", 175000, true, ZNowyPoczatek, B, true},
        {"new end before the fade-in does nothing", 1000, true, ZNowyKoniec, B, true},
        {"new end pulls the fade-out", 172000, true, ZNowyKoniec, z([](auto& m) { m.NwK = m.FOu = 172000; }), false},
        {"fade-in", 4000, true, ZFadeIn, z([](auto& m) { m.FIn = 4000; }), false},
        {"fade-in past the fade-out does nothing", 176000, true, ZFadeIn, B, true},
        {"fade-out before the fade-in does nothing", 1000, true, ZFadeOut, B, true},
        {"fade-out", 160000, true, ZFadeOut, z([](auto& m) { m.FOu = 160000; }), false},
        {"intro", 12000, true, ZIntro, z([](auto& m) { m.Int = 12000; }), false},
        {"outro", 150000, true, ZOutro, z([](auto& m) { m.Out = 150000; }), false},
        {"mix while playing", 150000, true, ZMix, z([](auto& m) { m.Mik = 150000; }), false},
        {"mix while not playing", 150000, false, ZMix, z([](auto& m) { m.Mik = 150000; }), false},
        {"loop start past its end swaps", 50000, true, ZLoopP, z([](auto& m) { m.LpP = 40000, m.LpK = 50000; }), false},
        {"loop end before its start swaps", 10000, true, ZLoopK, z([](auto& m) { m.LpP = 10000, m.LpK = 20000; }), false},
        {"loop start not playing takes its end along", 45000, false, ZLoopP,
         z([](auto& m) { m.LpP = m.LpK = 45000; }), false},
        {"hook end not playing", 30000, false, ZHookK, z([](auto& m) { m.FrK = 30000; }), false},
        {"intro not playing is heard from 3 s before", 0, false, ZIntro, B, true},
    };
    pokaz(sciezka, true, [&](TDlgOpisNagr& d) {
        d.Strony->setCurrentWidget(d.TabSheet1);
        for (const auto& p : przypadki) {
            SCOPED_TRACE(p.nazwa);
            d.Zatrzymaj();
            markery(d, B);
            pozycja(d, p.poz, p.gra);
            d.PrzyciskiZnacznikow[size_t(p.znacznik)]->click();
            EXPECT_EQ(d.Znaczniki(), p.po);
            EXPECT_EQ(d.Podglad(), p.graPo);
            EXPECT_EQ(d.PlayButton->text(), p.graPo ? QStringLiteral("S T O P") : QStringLiteral("P L A Y"));
        }
        EXPECT_EQ(d.Pozycja(), B.Int - 3000);
        // The intro centred in the start pane.
        d.Zatrzymaj();
        pozycja(d, 30000, true);
        d.PrzyciskiZnacznikow[ZIntro]->click();
        const GeometriaPanelu& g = d.Geometria(PPoczatek);
        EXPECT_EQ(g.Offset + g.Rozpietosc() / 2, 30000);
        EXPECT_EQ(d.PoczatekScrollBar->value(), g.Offset);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
}

TEST_F(OpisNagr, ThePreviewStartsAtTheNewStartAndStopsPastTheNewEnd) {
    BEZ_TSAN();
    const QString sciezka = wav(QStringLiteral("krotki.wav"), 8000, 4000);
    pokaz(sciezka, true, [&](TDlgOpisNagr& d) {
        markery(d, {1200, 3000, -1, 1000, 2000, 1500, 2000, 0, 0, 0, 0});
        pozycja(d, 0, false);
        d.PrzyciskiZnacznikow[ZIntro]->click();  // from 3 s before the intro
        d.PlayTimer->stop();                      // ticked here instead
        ASSERT_TRUE(d.Podglad());
        TBasicPlayer* p = d.Player();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->FileName(), sciezka);
        int tiki = 0;
        while (p->State() == 0 && tiki < 200) {
            d.PlayTimerTimer();
            ++tiki;
        }
        // Silence until the new start, 30 ms a tick, then the player.
        EXPECT_EQ(tiki, 94);
        EXPECT_EQ(d.Pozycja(), -1800 + 94 * 30);
        EXPECT_EQ(p->Volume(), GlosnoscPodgladu(d.Pozycja(), d.Znaczniki()));
        EXPECT_LT(p->Volume(), -4000);
        // Past the new end it stops, unloads and says so.
        d.Znacznik(ZNowyKoniec) = 1010;
        d.PlayTimerTimer();
        EXPECT_FALSE(d.Podglad());
        EXPECT_EQ(p->State(), 0);
        EXPECT_TRUE(p->FileName().isEmpty());
        EXPECT_EQ(d.PlayButton->text(), QStringLiteral("P L A Y"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    // Volume: fading in from -50 dB, out to -50 dB, silent outside; a fade
    // of no length is none.
    const ZnacznikiOpisu m{0, 0, -1, 1000, 10000, 3000, 8000, 0, 0, 0, 0};
    const struct {
        qint64 poz;
        ZnacznikiOpisu z;
        int glosnosc;
    } glosnosci[] = {
        {999, m, -10000},  {1000, m, -5001}, {2000, m, -2501}, {3000, m, 0},     {8000, m, 0},
        {9000, m, -2500},  {10000, m, -5000}, {10001, m, -10000},
        {10000, {0, 0, -1, 1000, 10000, 1000, 10000, 0, 0, 0, 0}, 0},
        {1000, {0, 0, -1, 1000, 10000, 1000, 10000, 0, 0, 0, 0}, 0},
    };
    for (const auto& g : glosnosci)
        EXPECT_EQ(GlosnoscPodgladu(g.poz, g.z), g.glosnosc) << g.poz;
}

TEST_F(OpisNagr, DraggingMovesMarkersWithoutAnEnvelope) {
    BEZ_TSAN();
    const QString sciezka = wav(QStringLiteral("bez.wav"), 8000, 20000);
    pokaz(sciezka, true, [&](TDlgOpisNagr& d) {
        d.Strony->setCurrentWidget(d.TabSheet1);
        EXPECT_EQ(d.Obwiednia().count('\0'), RozmiarBuforaObwiedni);
        const QImage obraz = d.CaloscPaintBox->grab().toImage();
        const GeometriaPanelu& g = d.Geometria(PCalosc);
        for (int x = g.X(0) + 1; x < g.X(20000); x += 7)  // no waveform above the axis
            EXPECT_EQ(obraz.pixelColor(x, 20), QColor(Qt::black)) << x;
        EXPECT_EQ(d.Znaczniki().NwP, 0);
        EXPECT_EQ(d.Znaczniki().FIn, 0);
        // The new start dragged 50 pixels right pushes the fade-in along.
        const QPoint u = d.Uchwyt(PPoczatek, ZNowyPoczatek);
        ASSERT_GE(u.x(), 0);
        QTest::mousePress(d.PoczatekPaintBox, Qt::LeftButton, Qt::NoModifier, u);
        QTest::mouseMove(d.PoczatekPaintBox, u + QPoint(50, 0));
        QTest::mouseRelease(d.PoczatekPaintBox, Qt::LeftButton, Qt::NoModifier, u + QPoint(50, 0));
        const qint64 t = d.Geometria(PPoczatek).Czas(u.x() + 50);
        EXPECT_EQ(d.Znaczniki().NwP, t);
        EXPECT_EQ(d.Znaczniki().FIn, t);
        // Dragged before the file's start, it stops at 0.
        const QPoint v = d.Uchwyt(PPoczatek, ZNowyPoczatek);
        QTest::mousePress(d.PoczatekPaintBox, Qt::LeftButton, Qt::NoModifier, v);
        QTest::mouseMove(d.PoczatekPaintBox, QPoint(0, v.y()));
        QTest::mouseRelease(d.PoczatekPaintBox, Qt::LeftButton, Qt::NoModifier, QPoint(0, v.y()));
        EXPECT_EQ(d.Znaczniki().NwP, 0);
        EXPECT_EQ(d.Znaczniki().FIn, t);
        // The new end in the end pane, past the file's end: the length.
        const QPoint k = d.Uchwyt(PKoniec, ZNowyKoniec);
        QTest::mousePress(d.KoniecPaintBox, Qt::LeftButton, Qt::NoModifier, k);
        QTest::mouseMove(d.KoniecPaintBox, k + QPoint(300, 0));
        QTest::mouseRelease(d.KoniecPaintBox, Qt::LeftButton, Qt::NoModifier, k + QPoint(300, 0));
        EXPECT_EQ(d.Znaczniki().NwK, 20000);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
}

TEST_F(OpisNagr, AnEnvelopePastTheBufferIsDrawnWithoutReadingPastIt) {
    BEZ_TSAN();
    // 101 minutes: more level bytes than the editor keeps.
    const QString sciezka = wav(QStringLiteral("dlugi.wav"), 100, 101 * 60000);
    QByteArray obw(RozmiarNaglowkaObwiedni, '\0');
    obw.append(QByteArray(606000, char(100)));
    QFile f(ZbiorObwiedni(sciezka));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(obw);
    f.close();
    pokaz(sciezka, true, [&](TDlgOpisNagr& d) {
        d.Strony->setCurrentWidget(d.TabSheet1);
        EXPECT_EQ(d.Dlugosc(), 101 * 60000);
        const GeometriaPanelu& g = d.Geometria(PCalosc);
        EXPECT_LT(g.Offset, 0);
        const QImage calosc = d.CaloscPaintBox->grab().toImage();
        const int srodek = d.CaloscPaintBox->height() / 2;
        // A waveform up to 100 minutes (less the header's bytes), none after.
        EXPECT_NE(calosc.pixelColor(g.X(50 * 60000), srodek - 20), QColor(Qt::black));
        EXPECT_EQ(calosc.pixelColor(g.X(100 * 60000 + 30000), srodek - 20), QColor(Qt::black));
        // The end pane zoomed out and at the very end; the start pane before
        // the start.
        for (int i = 0; i < 8; ++i)
            d.Zoom(PKoniec, -1);
        EXPECT_EQ(d.Geometria(PKoniec).Zoom, 128);
        d.KoniecScrollBar->setValue(d.KoniecScrollBar->maximum());
        d.PoczatekScrollBar->setValue(d.PoczatekScrollBar->minimum());
        EXPECT_LT(d.Geometria(PPoczatek).Offset, 0);
        d.KoniecPaintBox->grab();
        d.PoczatekPaintBox->grab();
        QTest::keyClick(&d, Qt::Key_Escape);
    });
}

TEST_F(OpisNagr, AcceptWritesTheFieldsAndKeepsTheWavsOtherBytes) {
    BEZ_TSAN();
    const struct {
        QString mix;
        QString linia;
    } przypadki[] = {{QStringLiteral("75"), QStringLiteral("Mix=01:15.000")}, {QString(), QStringLiteral("Mix=")}};
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.mix.toStdString());
        const QString sciezka = wav(QStringLiteral("list.wav"), 8000, 120000,
                                    {{QByteArray("LIST"), QByteArray("INFOINAM\x06\0\0\0Tytul\0", 18)}});
        QFile::remove(ZbiorOpisu(sciezka));
        QFile f(sciezka);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray przed = f.readAll();
        f.close();
        dialogi.Odpowiedz(OdpowiedzNie);  // not yet: the dialog stays
        dialogi.Odpowiedz(OdpowiedzTak);
        const bool zapisano = pokaz(sciezka, true, [&](TDlgOpisNagr& d) {
            pole(d, &O::Tyt)->setText(QStringLiteral("Żurawie"));
            pole(d, &O::PS1)->setText(QStringLiteral("RADIO"));
            pole(d, &O::PS2)->setText(QStringLiteral("ZA DLUGIE"));
            qobject_cast<QComboBox*>(d.Pole(&O::Nar))->setCurrentIndex(7);  // "POL - polski"
            d.PTYComboBox->setCurrentIndex(10);
            d.MixEdit->setText(p.mix);
            d.MixEdit->setModified(true);
            przycisk(d, QStringLiteral("~Akceptuj"));
            EXPECT_TRUE(d.isVisible());
            przycisk(d, QStringLiteral("~Akceptuj"));
        });
        EXPECT_TRUE(zapisano);
        EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).value(0).teksty.value(0), QStringLiteral("Czy zapisać zmiany?"));
        const QStringList linie = dat(sciezka).split(QStringLiteral("\r\n"));
        EXPECT_TRUE(linie.contains(QStringLiteral("PS1=RADIO   ")));
        EXPECT_TRUE(linie.contains(QStringLiteral("PS2=ZA DLUGI")));
        EXPECT_TRUE(linie.contains(QStringLiteral("Nar=POL")));
        EXPECT_TRUE(linie.contains(QStringLiteral("PTY=10")));
        EXPECT_TRUE(linie.contains(p.linia));
        EXPECT_TRUE(linie.contains(QStringLiteral("Zaa=")));
        EXPECT_EQ(OpisNagrania.PS1, QStringLiteral("RADIO   "));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), przed);  // the sizes were right already
        f.close();
        dialogi.Wyczysc();
    }
}

// A save changes only what the operator changed: a mix distance without a
// mix point, unset loop and hook marks and fields the combo boxes would
// write otherwise keep their bytes.
TEST_F(OpisNagr, ASaveChangesOnlyWhatTheOperatorChanged) {
    BEZ_TSAN();
    const QString sciezka = wav(QStringLiteral("mix.wav"), 8000, 20000);
    SygnalType s;
    PustySygnal(s);
    s.Adres = sciezka;
    for (qint32 SygnalType::* z : {&SygnalType::Mik, &SygnalType::LpP, &SygnalType::LpK, &SygnalType::FrP,
                                   &SygnalType::FrK})
        s.*z = -1;
    s.Int = 1500, s.Out = 18000, s.NwP = 0, s.NwK = 20000, s.FIn = 0, s.FOu = 20000, s.Mix = 3000, s.Tot = 20000;
    OpisNagraniaTyp o;
    o.Tyt = QStringLiteral("Stary"), o.Nar = QStringLiteral("pl"), o.Gen = QStringLiteral("X"), o.PTY = QStringLiteral("07");
    o.PS1 = QStringLiteral("AB"), o.Zaa = QStringLiteral("1");
    ZapiszDAT(s, o);
    const QStringList przed = dat(sciezka).split(QStringLiteral("\r\n"));
    ASSERT_TRUE(przed.contains(QStringLiteral("Mix=00:03.000")));
    dialogi.Odpowiedz(OdpowiedzTak);
    EXPECT_TRUE(pokaz(sciezka, true, [&](TDlgOpisNagr& d) {
        d.WykresTimerTimer();
        EXPECT_EQ(d.MixEdit->text(), QStringLiteral("03"));  // the distance as stored
        pole(d, &O::Tyt)->setText(QStringLiteral("Nowy"));
        przycisk(d, QStringLiteral("~Akceptuj"));
    }));
    QStringList po = dat(sciezka).split(QStringLiteral("\r\n"));
    ASSERT_EQ(po.size(), przed.size());
    for (int i = 0; i < przed.size(); ++i)
        EXPECT_EQ(po[i], przed[i].startsWith(QStringLiteral("Tyt=")) ? QStringLiteral("Tyt=Nowy") : przed[i]);
}

// Described by its performer only, a recording gets no title: the field's
// hint is not one.
TEST_F(OpisNagr, OnlyAPerformerTypedSavesNoTitle) {
    BEZ_TSAN();
    const QString sciezka = wav(QStringLiteral("wyk.wav"), 8000, 2000);
    dialogi.Odpowiedz(OdpowiedzTak);
    EXPECT_TRUE(pokaz(sciezka, true, [](TDlgOpisNagr& d) {
        QTest::keyClicks(pole(d, &O::Wyk), QStringLiteral("Abba"));
        przycisk(d, QStringLiteral("~Akceptuj"));
    }));
    const QStringList linie = dat(sciezka).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(linie.contains(QStringLiteral("Tyt=")));
    EXPECT_TRUE(linie.contains(QStringLiteral("Wyk=Abba")));
}

// An envelope that is a FIFO is not read: the dialog and the preview's
// waveform open without waiting for a writer.
TEST_F(OpisNagr, EnvelopesThatAreNotRegularFilesAreNotRead) {
    BEZ_TSAN();
    const QString sciezka = wav(QStringLiteral("fifo.wav"), 8000, 2000);
    FifoFeeder obw(platform::resolvePath(ZbiorObwiedni(sciezka)));
    pokaz(sciezka, false, [&](TDlgOpisNagr& d) { d.Zamknij(OdpowiedzOpusc); });
    LoadPeaks(ZbiorObwiedni(sciezka));
    EXPECT_FALSE(obw.wasRead());
}

TEST_F(OpisNagr, AnS48SaysItCannotBeSaved) {
    BEZ_TSAN();
    dir.write(QStringLiteral("stary.S48"), QByteArray(4000, '\x55'));
    const QString sciezka = dir.file(QStringLiteral("stary.S48"));
    const bool zapisano = pokaz(sciezka, true, [&](TDlgOpisNagr& d) {
        pole(d, &O::Tyt)->setText(QStringLiteral("Nowy"));
        przycisk(d, QStringLiteral("~Akceptuj"));
        EXPECT_TRUE(d.isVisible());
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(zapisano);
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Info).size(), 1);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info)[0].teksty[0], QStringLiteral("Opisu nagrania S48 nie można zapisać"));
    EXPECT_FALSE(QFile::exists(ZbiorOpisu(sciezka)));
    EXPECT_NE(OpisNagrania.Tyt, QStringLiteral("Nowy"));
}

TEST_F(OpisNagr, TimesClearingAndRestoring) {
    BEZ_TSAN();
    const QString sciezka = wav(QStringLiteral("czasy.wav"), 8000, 30000);
    SygnalType s;
    PustySygnal(s);
    s.Adres = sciezka;
    OtworzSygnal(s, false);
    OpisNagraniaTyp o;
    NowyOpis(o);
    o.Tyt = QStringLiteral("Stary tytuł");
    ZapiszDAT(s, o);
    dialogi.Odpowiedz(OdpowiedzTak);  // Czy zerować ustawienia?
    dialogi.Odpowiedz(OdpowiedzTak);  // Czy przywrócić początkowe ustawienia?
    dialogi.Odpowiedz(OdpowiedzTak);  // Czy skasować pola informacji?
    dialogi.Odpowiedz(OdpowiedzNie);  // Czy przywrócić początkowe dane?
    pokaz(sciezka, true, [&](TDlgOpisNagr& d) {
        // "m:ss.m" keeps the tens of minutes; a negative length is 0.
        markery(d, {754321 + 1000, 0, 1500, 1000, 10000, 1000, 10000, 0, 0, 0, 0});
        d.WykresTimerTimer();
        EXPECT_EQ(d.IntroCzasLabel->text(), QStringLiteral("12:34.3"));
        EXPECT_EQ(d.OutroCzasLabel->text(), QStringLiteral("0:10.0"));
        EXPECT_EQ(d.MixCzasLabel->text(), QStringLiteral("0:08.5"));
        EXPECT_EQ(d.GranieCzasLabel->text(), QStringLiteral("0:09.0"));
        EXPECT_EQ(d.MixEdit->text(), QStringLiteral("08"));
        // The time fields set the markers when left.
        d.IntroEdit->setText(QStringLiteral("7"));
        d.IntroEdit->setModified(true);
        d.MixEdit->clear();
        d.MixEdit->setModified(true);
        Q_EMIT d.IntroEdit->editingFinished();
        EXPECT_EQ(d.Znaczniki().Int, 8000);
        EXPECT_EQ(d.Znaczniki().Mik, -1);
        EXPECT_EQ(d.MixCzasLabel->text(), QString());

        d.Strony->setCurrentWidget(d.TabSheet1);
        przycisk(d, QStringLiteral("~Czyść"));
        EXPECT_EQ(d.Znaczniki(), (ZnacznikiOpisu{0, 30000, -1, 0, 30000, 0, 30000, 0, 0, 0, 0}));
        przycisk(d, QStringLiteral("~Początkowe"));
        EXPECT_EQ(d.Znaczniki().NwK, 30000);
        EXPECT_EQ(d.Znaczniki().Out, 30000);
        d.Strony->setCurrentWidget(d.TabSheet2);
        przycisk(d, QStringLiteral("~Czyść"));
        EXPECT_TRUE(pole(d, &O::Tyt)->text().isEmpty());
        EXPECT_EQ(d.IntroEdit->text(), QStringLiteral("00"));
        przycisk(d, QStringLiteral("~Początkowe"));
        EXPECT_TRUE(pole(d, &O::Tyt)->text().isEmpty());
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogi.Pozostalo(), 0);
    const QStringList pytania = [&] {
        QStringList l;
        for (const auto& z : dialogi.Zapisy(RodzajDialogu::Decyzja))
            l << z.teksty[0];
        return l;
    }();
    EXPECT_EQ(pytania, QStringList({QStringLiteral("Czy zerować ustawienia?"),
                                    QStringLiteral("Czy przywrócić początkowe ustawienia?"),
                                    QStringLiteral("Czy skasować pola informacji?"),
                                    QStringLiteral("Czy przywrócić początkowe dane?")}));
    // Left without saving: the record is the description as opened.
    EXPECT_EQ(OpisNagrania.Tyt, QStringLiteral("Stary tytuł"));

    // The folder browser's hook says whether the title changed.
    const struct {
        QString tytul;
        bool akceptuj, zmieniony;
    } edycje[] = {{QStringLiteral("Nowy tytuł"), false, false}, {QStringLiteral("Nowy tytuł"), true, true}};
    for (const auto& e : edycje) {
        dialogi.Wyczysc();
        dialogi.Odpowiedz(OdpowiedzTak);
        bool zmieniony = !e.zmieniony;
        WModalnym<TDlgOpisNagr>([&] { EdytujOpisPliku(QStringLiteral("CZASY"), sciezka, zmieniony); },
                                [&](TDlgOpisNagr& d) {
                                    pole(d, &O::Tyt)->setText(e.tytul);
                                    if (e.akceptuj)
                                        przycisk(d, QStringLiteral("~Akceptuj"));
                                    else
                                        QTest::keyClick(&d, Qt::Key_Escape);
                                });
        EXPECT_EQ(zmieniony, e.zmieniony);
    }
    EXPECT_TRUE(dat(sciezka).contains(QStringLiteral("Tyt=Nowy tytuł")));
}

TEST_F(OpisNagr, PicturesOfBothPages) {
    BEZ_TSAN();
    const QString sciezka = wav(QStringLiteral("obraz.wav"), 8000, 60000);
    TworzObwiednie(sciezka);
    pokaz(sciezka, true, [&](TDlgOpisNagr& d) {
        markery(d, {8000, 52000, 50000, 1000, 58000, 3000, 55000, 20000, 30000, 35000, 40000});
        d.WykresTimerTimer();
        EXPECT_TRUE(d.grab().save(FolderArtefaktow() + QStringLiteral("/TDlgOpisNagr-Opisy.png")));
        d.Strony->setCurrentWidget(d.TabSheet1);
        d.Przewin(PKoniec, 55000);
        EXPECT_TRUE(d.grab().save(FolderArtefaktow() + QStringLiteral("/TDlgOpisNagr-Czasy.png")));
        const QImage calosc = d.CaloscPaintBox->grab().toImage();
        const GeometriaPanelu& g = d.Geometria(PCalosc);
        EXPECT_EQ(calosc.pixelColor(g.X(8000), 2), QColor(0, 255, 0));  // the intro's line
        QTest::keyClick(&d, Qt::Key_Escape);
    });
}

}  // namespace
