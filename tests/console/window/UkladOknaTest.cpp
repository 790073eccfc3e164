// Where the main window and its dialogs open: within the screen, in front
// of the window that opened them, and the keyboard back there afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "console/support/OknoTestPomoc.h"
#include "console/window/TTolv.h"
#include "foundation/DialogiQt.h"
#include "settings/TDlgNastawy.h"

using namespace Qt::StringLiterals;

namespace {

TEST(OknoNaEkranie, OpensWithinTheFreeAreaNeverBelowItsMinimum) {
    const QSize minimum(TTolv::MinimalnaSzerokosc, TTolv::MinimalnaWysokosc);
    struct P {
        quint8 tryb;
        QRect dostepny, ekran;
        QMargins ramka;
    };
    const QRect duzy(0, 0, 1920, 1080), maly(0, 0, 1024, 768);
    const P przypadki[] = {
        {0, QRect(0, 0, 1400, 1050), QRect(0, 0, 1400, 1050), {}},
        {0, QRect(0, 0, 1920, 1040), duzy, QMargins(4, 24, 4, 4)},
        {1, QRect(0, 40, 1920, 1040), duzy, QMargins(4, 24, 4, 4)},
        {2, QRect(0, 40, 1920, 1040), duzy, {}},
        {0, QRect(0, 0, 1024, 740), maly, {}},
    };
    for (const P& p : przypadki) {
        const QRect g = TTolv::GeometriaStartowa(p.tryb, p.dostepny, p.ekran, p.ramka);
        SCOPED_TRACE(p.tryb);
        EXPECT_GE(g.width(), minimum.width());
        EXPECT_GE(g.height(), minimum.height());
        if (p.tryb == 2) {
            EXPECT_EQ(g, p.ekran);
        } else if (p.ekran == maly) {
            EXPECT_EQ(g.topLeft(), p.dostepny.topLeft()) << "too small a screen: the corner stays in view";
        } else {
            EXPECT_TRUE(p.dostepny.contains(g.marginsAdded(p.ramka)));
            if (p.tryb == 1) EXPECT_EQ(g.marginsAdded(p.ramka), p.dostepny);
            else EXPECT_NEAR(double(g.width()) / g.height(), 648.0 / 507.0, 0.01);
        }
    }
}

class DialogiOkna : public StanowiskoOkna {
protected:
    void otworz(int tryb) {
        okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s,
                                    u"OknoStanStart=%1"_s.arg(tryb)});
        okno->activateWindow();
        UstawDialogi(&DialogiProgramu());  // the drawn windows, not the script
    }
    void TearDown() override {
        UstawDialogi(&dialogi);
        okno.reset();
    }
};

// The window the modal loop shows, as it was when it opened (a dialog made
// for one showing is gone afterwards: only its address is kept).
struct Widziane {
    QWidget* okno = nullptr;
    QWidget* rodzic = nullptr;
    QPoint srodek;
    bool naWierzchu = false, widoczne = false;
    void zapisz() {
        okno = QApplication::activeModalWidget();
        if (!okno) return;
        rodzic = okno->parentWidget();
        srodek = okno->frameGeometry().center();
        naWierzchu = okno->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        widoczne = okno->isVisible();
    }
};

TEST_F(DialogiOkna, InFrontOfTheirOpenerCentredOnItAndTheKeysComeBack) {
    TTolv::TlumaczeniaQt();  // as the program's start does
    for (int tryb : {0, 2}) {
        SCOPED_TRACE(tryb);
        otworz(tryb);
        // A drawn question: the close command's "Czy zakończyć pracę z programem?".
        Widziane pytanie;
        QTimer::singleShot(0, [&] {
            pytanie.zapisz();
            if (pytanie.okno) QTest::keyClick(pytanie.okno, Qt::Key_Escape);
        });
        okno->close();
        ASSERT_TRUE(pytanie.okno);
        EXPECT_TRUE(pytanie.widoczne);
        EXPECT_EQ(pytanie.rodzic, okno.get());
        EXPECT_LE((pytanie.srodek - okno->frameGeometry().center()).manhattanLength(), 2);
        EXPECT_EQ(pytanie.naWierzchu, tryb == 2);
        EXPECT_TRUE(okno->isVisible()) << "Nie: the console stays";
        QCoreApplication::processEvents();  // the activation the window system reports
        EXPECT_EQ(QApplication::activeWindow(), okno.get());

        // The settings dialog, the folder picker opened from it (in Polish),
        // then "Akceptuj": the console's keys work at once.
        Widziane nastawy, folder;
        bool poPolsku = false;
        QTimer::singleShot(0, [&] {
            nastawy.zapisz();
            auto* dlg = dynamic_cast<TDlgNastawy*>(nastawy.okno);
            if (!dlg) return;
            QTimer::singleShot(0, [&] {
                folder.zapisz();
                auto* wybor = qobject_cast<QFileDialog*>(folder.okno);
                if (!wybor) return;
                for (const QPushButton* b : wybor->findChildren<QPushButton*>()) poPolsku |= b->text() == u"Anuluj"_s;
                wybor->reject();
            });
            QTest::mouseClick(dlg->findChild<QWidget*>(u"KatHSTPrzycisk"_s), Qt::LeftButton);
            QTest::mouseClick(dlg->AkceptujButton, Qt::LeftButton);
        });
        okno->Konfiguracja();
        ASSERT_TRUE(nastawy.okno && folder.okno);
        EXPECT_EQ(nastawy.rodzic, okno.get());
        EXPECT_EQ(folder.rodzic, nastawy.okno);
        EXPECT_EQ(nastawy.naWierzchu, tryb == 2);
        EXPECT_EQ(folder.naWierzchu, tryb == 2);
        EXPECT_TRUE(poPolsku);
        QCoreApplication::processEvents();  // the activation the window system reports
        EXPECT_EQ(QApplication::activeWindow(), okno.get());
        UstawDialogi(&dialogi);
        okno.reset();
    }
}

}  // namespace
