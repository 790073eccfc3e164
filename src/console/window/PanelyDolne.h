#pragma once
// The lower-left views other than the singles wall: the description of the
// cursor element and the multitrack timeline. What they show comes from
// the playlist (and, for the timeline, from the engine's blocks); these only
// paint it.
#include "foundation/KestGraf2.h"

class OsCzasu;
struct PrzyciskiKonsoli;

// The raised panel of the lower views, (0, 315)-(453, 480) on the grid.
TRect ProstokatPaneluDolnego();

// The description of element n: six lines for a recording, an empty box
// for anything else.
void RysujOpisElementu(TRForm& f, qint32 n);

// The timeline: the panel with its buttons, then the lanes.
void RysujWieloslad(TRForm& f, const OsCzasu& os, const PrzyciskiKonsoli& przyciski, qint32 kursor, qint64 terazMS);
// The lanes area alone: separators, the blocks around the cursor and the
// now-line (the display tick redraws it).
void RysujPasyWielosladu(TRForm& f, const OsCzasu& os, qint32 kursor, qint64 terazMS);
