#include "foundation/Zdarzenie.h"

ZdarzenieType Zdarzenie;
ZdarzenieType ZdarzenieOczekujace;
QPoint MyszPunkt;
QPoint MyszPunktEkranu;
quint8 MyszPrzycisk = 0;

void KasujZdarzenie() {
    Zdarzenie.Rodzaj = ZdarzenieBrak;
    Zdarzenie.Kod = 0;
}

void PobierzZdarzenie() {
    if (ZdarzenieOczekujace.Rodzaj == ZdarzenieBrak) return;
    Zdarzenie = ZdarzenieOczekujace;
    ZdarzenieOczekujace.Rodzaj = ZdarzenieBrak;
}

bool ZdarzenieWProstokacie(const TRect& r) {
    return Zdarzenie.X >= r.Left && Zdarzenie.X <= r.Right && Zdarzenie.Y >= r.Top && Zdarzenie.Y <= r.Bottom;
}
