#pragma once
// The real main window for the window tests: made from a settings file of
// the given lines, shown offscreen at twice the design grid, its timers
// stopped so that the test runs the ticks itself.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include <memory>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "common/TempFolder.h"
#include "console/support/KonsolaTestPomoc.h"
#include "console/window/TTolv.h"
#include "foundation/DialogiSkrypt.h"
#include "platform/Clock.h"
#include "platform/TextFile.h"

// A description beside a recording (its performer, and its title when
// given): the database window lists it under its performer's letter.
inline void OpiszNagranie(const QString& plik, const QString& wykonawca, const QString& tytul = {}) {
    SygnalType s;
    PustySygnal(s);
    s.Adres = plik;
    OtworzSygnal(s, false);
    OpisNagraniaTyp o;
    NowyOpis(o);
    o.Wyk = wykonawca;
    if (!tytul.isEmpty()) o.Tyt = tytul;
    ZapiszDAT(s, o);
}

// The window made from the settings file already in the current folder.
inline std::unique_ptr<TTolv> OknoTestowe() {
    auto okno = std::make_unique<TTolv>();
    okno->FormCreate({});
    okno->resize(1296, 1014);
    okno->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(okno.get()));
    for (QTimer* t : okno->findChildren<QTimer*>()) t->stop();
    return okno;
}

// The window made from a settings file of these lines.
inline std::unique_ptr<TTolv> OknoDoTestu(const TempProgramFolder& folder, const QStringList& nastawy) {
    EXPECT_TRUE(platform::writeTextFileAtomic(folder.file(QStringLiteral("TOLVANE.INI")), nastawy));
    return OknoTestowe();
}

// What a window test stands on: the manual clock at noon, the program
// folder with its stepped virtual device, the scripted dialogs and the
// window, which goes first.
class StanowiskoOkna : public ::testing::Test {
public:
    // The event log's lines without their times.
    static QStringList Logi() { return TekstyLogu(); }

    platform::ManualClock zegar{QDate(2026, 12, 6), 12 * 3'600'000};
    platform::ScopedClock zakres{&zegar};
    TempProgramFolder folder;
    StanowiskoWFolderze stanowisko{folder};
    DialogiSkrypt dialogi;
    std::unique_ptr<TTolv> okno;
};
