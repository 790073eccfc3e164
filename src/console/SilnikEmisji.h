#pragma once
// The on-air engine: what the console does on air, without a window. The
// main window owns it, turns Qt events into input events for the
// dispatcher and drives its ticks from timers; a test builds it alone.
// For now it holds the console's state and the player slots; the on-air
// loop, cueing, ending and the outputs join it as they are built.
#include "audio/PlayerSloty.h"
#include "console/StanKonsoli.h"
#include "platform/CaptureVolume.h"

#include <memory>

class SilnikEmisji {
public:
    SilnikEmisji() = default;
    SilnikEmisji(const SilnikEmisji&) = delete;
    SilnikEmisji& operator=(const SilnikEmisji&) = delete;

    StanKonsoli Stan;
    // The capture control of the satellite fade; opened at start-up. Kept
    // before the slots so that it outlives them (they hold a plain pointer).
    std::unique_ptr<platform::CaptureVolume> Wejscie;
    PlayerSloty Sloty;
};

// The slots' back-end choice and output devices from the emission settings.
OpcjeOdtwarzaczy OpcjeOdtwarzaczyZNastaw();

// The on-air playlist's cursor (0 none). Kept out of the window's own unit:
// the playlist header's rectangle type and the form base's rectangle
// function share a name and cannot meet in one unit.
qint32 KursorPlaylistyEmisji();
