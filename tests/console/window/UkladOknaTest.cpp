// Where the main window and its dialogs open: within the screen, in front
// of the window that opened them, and the keyboard back there afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractProxyModel>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QRegularExpression>
#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "console/support/OknoTestPomoc.h"
#include "foundation/DialogiQt.h"
#include "settings/TDlgNastawy.h"

using namespace Qt::StringLiterals;

namespace {

TEST(OknoNaEkranie, OpensWithinTheFreeAreaNeverBelowItsMinimum) {
    const QRect duzy(0, 0, 1920, 1080), wolny(0, 40, 1920, 1040), ekran1400(0, 0, 1400, 1050);
    const QMargins ramka(4, 24, 4, 4);
    const QRect normalny = TTolv::GeometriaStartowa(0, ekran1400, ekran1400);
    EXPECT_TRUE(ekran1400.contains(normalny));
    EXPECT_NEAR(double(normalny.width()) / normalny.height(), 648.0 / 507.0, 0.01) << "the grid's proportions";
    EXPECT_TRUE(wolny.contains(TTolv::GeometriaStartowa(0, wolny, duzy, ramka).marginsAdded(ramka)));
    EXPECT_EQ(TTolv::GeometriaStartowa(1, wolny, duzy, ramka).marginsAdded(ramka), wolny);
    EXPECT_EQ(TTolv::GeometriaStartowa(2, wolny, duzy), duzy);
    // A screen smaller than the minimum: the whole free area, nothing past it.
    EXPECT_EQ(TTolv::GeometriaStartowa(0, QRect(0, 0, 1024, 740), QRect(0, 0, 1024, 768)), QRect(0, 0, 1024, 740));
    // Maximised with its frame's lower edge at 739 on a 1280 x 720 screen: the title bar comes off.
    const QRect maly(0, 0, 1280, 720);
    EXPECT_EQ(TTolv::Dopasowanie(Qt::WindowMaximized, maly, maly, QRect(0, 0, 1280, 740), QRect(0, 19, 1280, 720)),
              QRect(0, 19, 1280, 700));
    // The settings dialog, framed, on small screens: all of it and "Akceptuj" on the free area.
    TDlgNastawy nastawy({}, {});
    for (const QRect& wolny : {QRect(0, 0, 1024, 768), maly}) {
        nastawy.setGeometry(TDlgNastawy::Geometria(nastawy.minimumSizeHint(), wolny, ramka, wolny.center()));
        nastawy.layout()->setGeometry(nastawy.rect());  // laid out as shown
        const QPushButton* b = nastawy.AkceptujButton;
        EXPECT_TRUE(wolny.contains(nastawy.geometry().marginsAdded(ramka))) << wolny.width();
        EXPECT_TRUE(wolny.contains(QRect(b->mapTo(&nastawy, nastawy.pos()), b->size()))) << wolny.width();
    }
}

// The modal window in front, as it was when it opened.
struct Widziane {
    QWidget* okno = nullptr;
    QWidget* rodzic = nullptr;
    QPoint srodek;
    bool naWierzchu = false;
    void zapisz() {
        okno = QApplication::activeModalWidget();
        if (!okno) return;
        rodzic = okno->isVisible() ? okno->parentWidget() : nullptr;
        srodek = okno->frameGeometry().center();
        naWierzchu = okno->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    }
};

TEST_F(StanowiskoOkna, DialogsOpenInFrontOfTheirOpenerCentredOnItAndGiveTheKeysBack) {
    TTolv::TlumaczeniaQt();  // as the program's start does
    for (int tryb : {0, 2}) {
        SCOPED_TRACE(tryb);
        okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s,
                                    u"OknoStanStart=%1"_s.arg(tryb)});
        UstawDialogi(&DialogiProgramu());  // the drawn windows, not the script
        // A drawn question: the close command's, answered "Nie" by Esc.
        Widziane pytanie, nastawy, wybor;
        QTimer::singleShot(0, [&] {
            pytanie.zapisz();
            QTest::keyClick(pytanie.okno, Qt::Key_Escape);
        });
        okno->close();
        QCoreApplication::processEvents();  // the activation the window system reports
        EXPECT_EQ(pytanie.rodzic, okno.get());
        EXPECT_LE((pytanie.srodek - okno->frameGeometry().center()).manhattanLength(), 2);
        EXPECT_EQ(pytanie.naWierzchu, tryb == 2);
        EXPECT_EQ(QApplication::activeWindow(), okno.get());
        // The settings dialog (within the screen), the folder picker (in
        // Polish, its dates as the program writes them, whole) opened from
        // it, then Return: accepted, the console's keys work at once.
        bool poPolsku = false, dataCala = false, naEkranie = false;
        QString data;
        QTimer::singleShot(0, [&] {
            nastawy.zapisz();
            naEkranie = okno->screen()->availableGeometry().contains(nastawy.okno->frameGeometry());
            QTimer::singleShot(0, [&] {
                wybor.zapisz();
                for (const QPushButton* b : wybor.okno->findChildren<QPushButton*>()) poPolsku |= b->text() == u"Anuluj"_s;
                const auto* pliki = wybor.okno->findChild<QFileSystemModel*>();
                const QAbstractProxyModel* p = qobject_cast<QFileDialog*>(wybor.okno)->proxyModel();
                const QModelIndex i = p->mapFromSource(pliki->index(folder.path(), 3));
                const auto* d = wybor.okno->findChild<QTreeView*>(u"treeView"_s);
                data = i.data().toString();
                dataCala = d->header()->sectionSize(3) >= d->sizeHintForIndex(i).width();
                qobject_cast<QFileDialog*>(wybor.okno)->reject();
            });
            QTest::mouseClick(nastawy.okno->findChild<QWidget*>(u"KatHSTPrzycisk"_s), Qt::LeftButton);
            QTest::keyClick(nastawy.okno->findChild<QWidget*>(u"Id"_s), Qt::Key_Return);
            if (nastawy.okno->isVisible()) dynamic_cast<TDlgNastawy*>(nastawy.okno)->OpuscButton->click();
        });
        okno->Konfiguracja();
        QCoreApplication::processEvents();
        EXPECT_EQ(nastawy.rodzic, okno.get());
        EXPECT_EQ(wybor.rodzic, nastawy.okno);
        EXPECT_EQ(nastawy.naWierzchu && wybor.naWierzchu, tryb == 2);
        EXPECT_TRUE(naEkranie);
        EXPECT_EQ(dynamic_cast<TDlgNastawy*>(nastawy.okno)->result(), QDialog::Accepted) << "Return accepts";
        EXPECT_TRUE(poPolsku);
        EXPECT_TRUE(dataCala);
        EXPECT_TRUE(QRegularExpression(u"^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$"_s).match(data).hasMatch()) << data.toStdString();
        EXPECT_EQ(QApplication::activeWindow(), okno.get());
        UstawDialogi(&dialogi);
        okno.reset();
    }
}

}  // namespace
