#pragma once
// A playlist file read by the engine's read worker and put in place from the
// top, as a read puts it before its passes; the calling thread waits for it.
#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/SilnikEmisji.h"

inline void CzytajDoPomiaru(SilnikEmisji& silnik, const QString& plik) {
    CzytajWTle(silnik, plik, 0, [&silnik](OdczytanaLista& r) {
        if (r.Wynik.Otwarty) ListaNaBoku(silnik, r, false).Zatwierdz();
    });
    silnik.Odczyt.Oproznij();
}
