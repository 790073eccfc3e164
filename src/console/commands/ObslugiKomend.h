#pragma once
// The handlers behind the dispatcher: one place that says which command
// does what, and which commands are still waiting for their operation.
#include "console/commands/Dyspozytor.h"
#include "console/engine/SilnikEmisji.h"

#include <QtGlobal>
#include <vector>

struct KomendaCzekajaca {
    quint16 Od;
    quint16 Do;
    const char* Co;  // what it will do
};

// Commands that are taken and do nothing until their operation is built.
const std::vector<KomendaCzekajaca>& KomendyCzekajace();

// Installs every handler into the dispatcher.
void ZarejestrujObslugi(Dyspozytor& dyspozytor, SilnikEmisji& silnik);
