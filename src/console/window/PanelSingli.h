#pragma once
// The singles wall as the main window draws it: the raised panel, the slot
// buttons with their fields (title, remaining time, progress while on air)
// and the palette and mode buttons, all from the wall's state.
#include "console/commands/ScianaSingli.h"
#include "foundation/KestGraf2.h"

struct PrzyciskiKonsoli;

// The wall's raised area on the current scale.
TRect ProstokatPaneluSingli();
// What a slot's field shows on the right: the time still to play, " m:ss"
// (`postep` in thousandths, below 0 when not playing).
QString TekstCzasuSingla(qint32 trwa, qint32 postep);

void RysujPanelSingli(TRForm& f, const ScianaSingli& sciana, const PrzyciskiKonsoli& przyciski);
void RysujSlotSingla(TRForm& f, const ScianaSingli& sciana, const PrzyciskiKonsoli& przyciski, int slot);
// A palette button is framed in red while one of its slots is on a player.
void RysujPrzyciskSingli(TRForm& f, const ScianaSingli& sciana, const PrzyciskiKonsoli& przyciski, int indeks);
