#pragma once
// Playing the time-list entry under the time list's cursor at once on a
// free on-air player: the block of entries that share its time is measured,
// the operator is asked when the time list asks first, and the entry goes
// out through the ordinary start of a work element.
#include <QtGlobal>

class SilnikEmisji;

struct EmisjaTeraz {
    qint64 EmisjaTerazStart = 0;    // the whole block's length, ms
    qint64 EmisjaTerazKorekta = 0;  // the block's entries before this one, ms
};

// The block around time-list entry k.
EmisjaTeraz BlokTimelisty(qint32 k);

// Player 0 chooses; `zrodlo` is the start source written into the START
// line; `pytaj` is the time list's "?" option. Inside the on-air tick it
// runs right after the tick instead (it may ask the operator).
void EmitujPozycjeTimelisty(SilnikEmisji& silnik, quint8 odtwarzacz, quint8 zrodlo, bool pytaj);
