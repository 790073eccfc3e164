// The mode switches the loop calls. What stands here is the least that
// keeps the day going: Automat's flag; the modes' own work replaces these.
#include "console/SilnikEmisji.h"

#include "console/OdtwarzaczeSlotow.h"
#include "console/WyjsciaEmisji.h"
#include "foundation/KestSter2.h"
#include "foundation/Zdarzenie.h"
#include "playlists/D_Playlista.h"

void SilnikEmisji::PrzelaczAutomat() {
    if (!Stan.TrybAutomat) {
        if (StanPlaylisty.Ilosc > 1)
            Stan.TrybAutomat = true;
    } else {
        Stan.TrybAutomat = false;
        CzasAntenowy = 0;
    }
}

void SilnikEmisji::PrzelaczSat() {
    // SAT mode with its timers and fades comes with the modes.
}

void SilnikEmisji::StartAwaryjny() {
    // The emergency playlist comes with the modes; it acts once per run.
    AwariaWykonana = true;
}
