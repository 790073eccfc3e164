#pragma once
// The console's surroundings for a benchmark that builds the main window: a
// temporary folder as program and start folder (the day's files land there),
// the virtual sound devices, the simulated relay card and a manual clock at
// 09:00 on 2026-12-06; all given back at the end.
#include <QDir>
#include <QTemporaryDir>

#include <memory>

#include "foundation/A1761DRIVER.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/RelayCard.h"
#include "platform/audio/DeviceHub.h"

struct StacjaDoPomiaru {
    QTemporaryDir folder;
    const QString poprzedni = QDir::currentPath();
    platform::ManualClock zegar{QDate(2026, 12, 6), 9 * 3600 * 1000};
    platform::ScopedClock zakres{&zegar};
    StacjaDoPomiaru() {
        QDir::setCurrent(folder.path());
        platform::setProgramFolder(folder.path());
        platform::DeviceHub::instance().useVirtualDevices({QStringLiteral("Wirtualne")}, true);
        UstawKartePrzekaznikow(std::make_unique<platform::SimulatedRelayCard>(folder.path()));
    }
    ~StacjaDoPomiaru() {
        UstawKartePrzekaznikow(nullptr);
        platform::setProgramFolder(QString());
        QDir::setCurrent(poprzedni);
    }
    StacjaDoPomiaru(const StacjaDoPomiaru&) = delete;
    StacjaDoPomiaru& operator=(const StacjaDoPomiaru&) = delete;
};
