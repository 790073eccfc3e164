#pragma once
// The handlers behind the dispatcher: one place that says which command
// does what, and which commands are still waiting for their operation.
#include "console/commands/Dyspozytor.h"
#include "console/engine/SilnikEmisji.h"

#include <QString>
#include <QtGlobal>
#include <vector>

struct KomendaCzekajaca {
    quint16 Od;
    quint16 Do;
    const char* Co;  // what it will do, as the event log names it
};

// Commands whose operation is not built yet. Each is taken, does nothing,
// and writes one event-log line naming it, so that a key that "does
// nothing" can be told from one that is broken.
const std::vector<KomendaCzekajaca>& KomendyCzekajace();
// The log line of a waiting command.
QString TekstKomendyCzekajacej(quint16 id, const char* co);

// Installs every handler into the dispatcher.
void ZarejestrujObslugi(Dyspozytor& dyspozytor, SilnikEmisji& silnik);

class ScianaSingli;
// The singles wall's keys and buttons.
void ZarejestrujObslugiSingli(Dyspozytor& dyspozytor, ScianaSingli& sciana);

class PanelTimelisty;
// The time list's buttons and keys (5007, airing an entry now, is not its own).
void ZarejestrujObslugiTimelisty(Dyspozytor& dyspozytor, PanelTimelisty& panel);

class KomendyPlaylisty;
// Read, append and save of the playlist.
void ZarejestrujObslugiPlaylisty(Dyspozytor& dyspozytor, KomendyPlaylisty& komendy);

class KomendyEdycji;
// The playlist editing commands, the move and block modes (Enter confirms
// and Esc leaves them) and the hour keys.
void ZarejestrujObslugiEdycji(Dyspozytor& dyspozytor, KomendyEdycji& komendy, SilnikEmisji& silnik);
