// The end of an element and the mode switches the loop calls. What stands
// here is the least that keeps the day going: a stopped slot, a cleared
// record, Automat's flag. The ending (history, XML schedule, counters,
// STOP datagram, the fade engine) and the modes' own work replace these.
#include "console/SilnikEmisji.h"

#include "console/OdtwarzaczeSlotow.h"
#include "console/WyjsciaEmisji.h"
#include "foundation/KestSter2.h"
#include "foundation/Zdarzenie.h"
#include "playlists/D_Playlista.h"

void SilnikEmisji::KoniecEmisji(quint8 slot, quint8 powod) {
    (void)powod;
    if (slot < 1 || slot > LiczbaOdtwarzaczy)
        return;
    if (odtwarzacze_.OdtwarzaczIstnieje(slot)) {
        odtwarzacze_.ZatrzymajOdtwarzacz(slot);
        odtwarzacze_.OtworzPlikOdtwarzacza(slot, QString());
    }
    Odtwarzacz[slot].FadeZadanie = 0;
    Odtwarzacz[slot].FadeTrwa = 0;
    Stan.OdtwarzaczZajety[slot] = 0;
    // Ended now: the next tick must not see a fresh stop and end it again.
    SlotGra[slot] = 0;
    SlotGralo[slot] = 0;
    ZerujOdtwarzacz(slot);
    KasujZdarzenie();
}

void SilnikEmisji::ZadanieFade(quint8 slot) {
    if (slot >= 1 && slot <= LiczbaOdtwarzaczy && Stan.OdtwarzaczZajety[slot])
        Odtwarzacz[slot].FadeZadanie = 1;
    KasujZdarzenie();
}

void SilnikEmisji::SilnikFade() {
    // The fade-out engine of the ending serves the requests.
}

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
