#pragma once
// The real main window for the window's tests: made from the settings file
// of the current folder, shown offscreen at 1296 x 1014, with every timer
// stopped so that the test runs the ticks itself.
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "console/window/TTolv.h"

inline std::unique_ptr<TTolv> OknoTestowe() {
    auto okno = std::make_unique<TTolv>();
    okno->FormCreate({});
    okno->resize(1296, 1014);
    okno->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(okno.get()));
    for (QTimer* t : okno->findChildren<QTimer*>()) t->stop();
    return okno;
}
