// The real drawn dialogs, driven offscreen with keys and clicks, give the
// same answers as the scripted ones.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

#include "foundation/Dialogi.h"
#include "foundation/DialogiQt.h"
#include "foundation/Zdarzenie.h"

namespace {

// Runs `krok` on the modal window once its own event loop is running; each
// step may queue the next one for a nested window.
void WModalnym(std::function<void(OknoDialogu&)> krok) {
    QTimer::singleShot(0, [krok] {
        auto* okno = dynamic_cast<OknoDialogu*>(QApplication::activeModalWidget());
        ASSERT_NE(okno, nullptr);
        krok(*okno);
    });
}

void Klawisz(QWidget& w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(&w, k, m);
}

void Kliknij(OknoDialogu& okno, int przycisk) {
    const TRect& r = okno.Przycisk(przycisk).Rect;
    QTest::mouseClick(&okno, Qt::LeftButton, Qt::NoModifier, QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
}

int Znajdz(OknoDialogu& okno, const QString& tytul) {
    for (int i = 0; i < okno.LiczbaPrzyciskow(); ++i)
        if (okno.Przycisk(i).Tytul == tytul)
            return i;
    return -1;
}

}  // namespace

TEST(QtDialogs, QuestionKeysAndHotLetters) {
    struct P {
        int zestaw;
        Qt::Key klawisz;
        Qt::KeyboardModifiers mod;
        int wynik;
        quint16 odp;
    };
    const P przypadki[] = {
        {2, Qt::Key_Return, Qt::NoModifier, 6, OdpowiedzTak},
        {12, Qt::Key_Return, Qt::NoModifier, 7, OdpowiedzNie},
        {3, Qt::Key_Escape, Qt::NoModifier, 2, OdpowiedzOpusc},
        {2, Qt::Key_Escape, Qt::NoModifier, 7, OdpowiedzNie},
        {3, Qt::Key_N, Qt::ControlModifier, 7, OdpowiedzNie},
        {3, Qt::Key_N, Qt::AltModifier, 7, OdpowiedzNie},
        {4, Qt::Key_W, Qt::ControlModifier, 8, OdpowiedzTakWszystkie},
        {4, Qt::Key_A, Qt::AltModifier, 2, OdpowiedzOpusc},
    };
    for (const P& p : przypadki) {
        WModalnym([p](OknoDialogu& okno) {
            EXPECT_EQ(okno.windowTitle(), QStringLiteral("Decyzja"));
            EXPECT_GE(okno.width(), 400);
            Klawisz(okno, p.klawisz, p.mod);
        });
        EXPECT_EQ(Decyzja(QStringLiteral("Czy zakończyć pracę z programem?"), QString(), p.zestaw), p.wynik)
            << p.zestaw << " " << p.klawisz;
        EXPECT_EQ(Zdarzenie.Kod, p.odp);
    }
    // Tab moves Enter on to the next button: Tak, then Nie.
    WModalnym([](OknoDialogu& okno) {
        EXPECT_EQ(okno.LiczbaPrzyciskow(), 2);  // an unknown set shows Tak and Nie
        Klawisz(okno, Qt::Key_Tab);
        Klawisz(okno, Qt::Key_Return);
    });
    EXPECT_EQ(Decyzja(QStringLiteral("Pytanie"), QStringLiteral("drugie"), 7), 7);
}

TEST(QtDialogs, ErrorOkByMouseAndWidthRule) {
    Zdarzenie.Rodzaj = ZdarzenieKlawisz;
    WModalnym([](OknoDialogu& okno) {
        EXPECT_EQ(okno.windowTitle(), QStringLiteral("Błąd"));
        EXPECT_EQ(okno.width(), 400);
        Kliknij(okno, Znajdz(okno, QStringLiteral("~OK")));
    });
    PokazBladKod(104, QString(), QStringLiteral("A.MIX"));
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieBrak);

    const QString dlugi(120, QLatin1Char('W'));
    WModalnym([](OknoDialogu& okno) {
        EXPECT_GT(okno.width(), 400);
        EXPECT_EQ(okno.windowTitle(), QStringLiteral("Informacja"));
        Klawisz(okno, Qt::Key_Return);
    });
    PokazInfo(dlugi);
}

TEST(QtDialogs, TextInputTypesAcceptsAndCancels) {
    TekstPodany = QStringLiteral("STARY");
    WModalnym([](OknoDialogu& okno) {
        auto* pole = okno.findChild<QLineEdit*>();
        ASSERT_NE(pole, nullptr);
        EXPECT_EQ(pole->text(), QStringLiteral("STARY"));
        EXPECT_EQ(pole->maxLength(), 20);
        pole->clear();
        QTest::keyClicks(pole, QStringLiteral("Nowa lista"));
        Klawisz(*pole, Qt::Key_Return);  // Enter in the field presses OK
    });
    EXPECT_EQ(PodajTekst(QStringLiteral("Nazwa:"), 2000, 0), WynikTak);
    EXPECT_EQ(TekstPodany, QStringLiteral("Nowa lista"));
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzAkceptuj);

    WModalnym([](OknoDialogu& okno) {
        auto* pole = okno.findChild<QLineEdit*>();
        ASSERT_NE(pole, nullptr);
        EXPECT_EQ(pole->echoMode(), QLineEdit::Password);
        Klawisz(*pole, Qt::Key_Escape);
    });
    EXPECT_EQ(PodajTekst(QStringLiteral("Hasło:"), 0, 9), WynikAnuluj);
    EXPECT_TRUE(TekstPodany.isEmpty());
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzOpusc);

    // Mode 6: a blank brings the information up and the input stays open.
    WModalnym([](OknoDialogu& okno) {
        auto* pole = okno.findChild<QLineEdit*>();
        QTest::keyClicks(pole, QStringLiteral("a b"));
        WModalnym([&okno, pole](OknoDialogu& info) {
            EXPECT_EQ(info.windowTitle(), QStringLiteral("Informacja"));
            Klawisz(info, Qt::Key_Return);
            QTimer::singleShot(0, [&okno, pole] {
                EXPECT_TRUE(okno.isVisible());
                pole->setText(QStringLiteral("ab"));
                Klawisz(*pole, Qt::Key_Return);
            });
        });
        Klawisz(*pole, Qt::Key_Return);
    });
    TekstPodany.clear();
    EXPECT_EQ(PodajTekst(QStringLiteral("Id:"), 0, 6), WynikTak);
    EXPECT_EQ(TekstPodany, QStringLiteral("ab"));
}

TEST(QtDialogs, KindByFunctionKeyAndTimeByClicks) {
    WModalnym([](OknoDialogu& okno) { Klawisz(okno, Qt::Key_F10); });
    EXPECT_EQ(PodajKod(), 9);
    WModalnym([](OknoDialogu& okno) { Klawisz(okno, Qt::Key_Escape); });
    EXPECT_EQ(PodajKod(), 0);

    WModalnym([](OknoDialogu& okno) {
        EXPECT_EQ(okno.windowTitle(), QStringLiteral("Początek"));
        EXPECT_EQ(okno.Przycisk(Znajdz(okno, QStringLiteral("30"))).Widoczny, 0);
        Kliknij(okno, Znajdz(okno, QStringLiteral("20")));
        Kliknij(okno, Znajdz(okno, QStringLiteral("5")));  // the first "5": hour units
        Klawisz(okno, Qt::Key_O, Qt::ControlModifier);
    });
    EXPECT_EQ(PodajCzas(QStringLiteral("Początek"), QStringLiteral("24:00")), WynikTak);
    EXPECT_EQ(CzasWybrany, QStringLiteral("05:00"));
}

TEST(QtDialogs, RdsFieldsAndProgressAbortButton) {
    RDSTytul = QStringLiteral("Stary tytuł");
    WModalnym([](OknoDialogu& okno) {
        const auto pola = okno.findChildren<QLineEdit*>();
        ASSERT_EQ(pola.size(), 3);
        EXPECT_EQ(pola[0]->text(), QStringLiteral("Stary tytuł"));
        pola[1]->setText(QStringLiteral("Wykonawca X"));
        Klawisz(okno, Qt::Key_Return);
    });
    EXPECT_EQ(PokazRDS(), WynikTak);
    EXPECT_EQ(RDSWykonawca, QStringLiteral("Wykonawca X"));
    WModalnym([](OknoDialogu& okno) { Klawisz(okno, Qt::Key_K, Qt::AltModifier); });
    EXPECT_EQ(PokazRDS(), WynikNie);

    StanMaksimum = 4;
    PokazStan(QStringLiteral("Kopiowanie"), QStringLiteral("Przerwij"), true);
    OknoDialogu* stan = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == QStringLiteral("Stan pracy"))
            stan = dynamic_cast<OknoDialogu*>(w);
    ASSERT_NE(stan, nullptr);
    EXPECT_EQ(stan->height(), 120);
    UstawStan(2);
    EXPECT_FALSE(StanPrzerwij);
    Kliknij(*stan, Znajdz(*stan, QStringLiteral("~Przerwij")));
    PompujZdarzenia();
    EXPECT_TRUE(StanPrzerwij);
    ZamknijStan();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->windowTitle() == QStringLiteral("Stan pracy"));
}

TEST(QtDialogs, ScreenLockClosesOnlyByAltF4) {
    bool zamknietaInaczej = false;
    WModalnym([&zamknietaInaczej](OknoDialogu& okno) {
        EXPECT_TRUE(okno.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_NEAR(okno.windowOpacity(), 140.0 / 255.0, 0.01);
        EXPECT_EQ(okno.LiczbaPrzyciskow(), 0);
        Klawisz(okno, Qt::Key_Escape);
        Klawisz(okno, Qt::Key_Return);
        Klawisz(okno, Qt::Key_F4);
        QTimer::singleShot(0, &okno, [&okno, &zamknietaInaczej] {
            EXPECT_TRUE(okno.isVisible());
            // No window manager here: the lock must take the key itself.
            Klawisz(okno, Qt::Key_F4, Qt::AltModifier);
            // Only when the key did not unlock it: closed another way so that the test ends.
            QTimer::singleShot(1000, &okno, [&okno, &zamknietaInaczej] {
                zamknietaInaczej = true;
                okno.close();
            });
        });
    });
    PokazBlokadeEkranu();
    EXPECT_FALSE(zamknietaInaczej);
}
