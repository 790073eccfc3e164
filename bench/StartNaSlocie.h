#pragma once
// What the console does to slot 1 on the tick that starts an element, from
// the file's beginning at -3 dB.
#include "audio/PlayerSloty.h"

inline void StartNaSlocie(PlayerSloty& sloty, const QString& plik) {
    sloty.ZwolnijOdtwarzacz(1);
    sloty.UtworzOdtwarzacz(1);
    sloty.OtworzPlikOdtwarzacza(1, plik);
    sloty.UstawPozycjeOdtwarzacza(1, 0);
    sloty.UstawGlosnoscOdtwarzacza(1, -300);
    sloty.GrajOdtwarzacz(1);
}
