// The "#AKT" label of the real main window: shown with the news insertion,
// a click asks and switches the mode, and the news timer runs the unit.
#include <gtest/gtest.h>

#include "console/support/KonsolaTestPomoc.h"
#include "console/support/OknoTestPomoc.h"
#include "console/window/EtykietaOkna.h"
#include "console/window/TTolv.h"
#include "foundation/DialogiSkrypt.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class SerwisOkno : public StanowiskoOkna {
protected:
    void TearDown() override { okno.reset(); }
    void klik() {
        QTest::mouseClick(okno->SerwisLabel, Qt::LeftButton);
    }
};

TEST_F(SerwisOkno, TheLabelAsksAndSwitchesTheMode) {
    okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s, u"OknoStanStart=0"_s, u"[Emisja MIX]"_s, u"SERWISJest=1"_s});
    ASSERT_TRUE(okno->SerwisLabel->isVisible());
    LogDoFolderu(folder);
    EXPECT_FALSE(okno->Serwisy().TrybAKT);

    dialogi.Odpowiedz(OdpowiedzNie);
    klik();
    EXPECT_FALSE(okno->Serwisy().TrybAKT);
    dialogi.Odpowiedz(OdpowiedzTak);
    klik();
    EXPECT_TRUE(okno->Serwisy().TrybAKT);
    EXPECT_TRUE(okno->SerwisLabel->styleSheet().contains(u"red"_s));
    dialogi.Odpowiedz(OdpowiedzTak);
    klik();
    EXPECT_FALSE(okno->Serwisy().TrybAKT);

    const auto pytania = dialogi.Zapisy(RodzajDialogu::Decyzja);
    ASSERT_EQ(pytania.size(), 3);
    EXPECT_EQ(pytania[0].teksty.value(0), u"Czy włączyć tryb autoodczytu i grania Serwisów i Audycji?"_s);
    EXPECT_EQ(pytania[2].teksty.value(0), u"Czy wyłączyć tryb autoodczytu i grania Serwisów i Audycji?"_s);
    const QStringList logi = Logi();
    EXPECT_EQ(logi.filter(u"Tryb #AKT włączony"_s).size(), 1);
    EXPECT_EQ(logi.filter(u"Tryb #AKT wyłączony"_s).size(), 1);
}

TEST_F(SerwisOkno, WithoutTheNewsNothingShowsOrAsks) {
    okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s, u"OknoStanStart=0"_s});
    EXPECT_FALSE(okno->SerwisLabel->isVisible());
    okno->SerwisLabelClick();
    EXPECT_FALSE(okno->Serwisy().TrybAKT);
    EXPECT_TRUE(dialogi.Zapisy().isEmpty());
}

}  // namespace
