#pragma once
// A playlist of `ilosc` three-minute songs with every text filled, one after
// another around the clock (10 000 of them span 23 days), for the benchmarks
// of everything that walks a full playlist.
#include <QString>

#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

inline void WypelnijPlayliste(int ilosc = MaksPlaylisty) {
    WyczyscPlayliste();
    DomyslneNastawyEmisji();
    for (int i = 1; i <= ilosc; ++i) {
        TElemPListy& e = Playlista[i];
        e.Typ = RodzajSND;
        e.Emi = (i * 200'000) % DobaMs;
        e.Trw = 200'000 + i;
        e.NwK = 195'000;
        e.FOu = 190'000;
        e.Mix = 4000;
        e.Int = 12'000;
        e.Out = 180'000;
        e.Ide = QStringLiteral("A%1").arg(i);
        e.Tyt = QStringLiteral("Tytuł nagrania numer %1").arg(i);
        e.Wyk = QStringLiteral("Wykonawca %1").arg(i % 500);
        e.Pta = QStringLiteral("Płyta %1").arg(i % 800);
        e.Kom = QStringLiteral("Kompozytor");
        e.Rok = QStringLiteral("1999");
        e.Adr = QStringLiteral("D:\\MUZYKA\\A%1.MP3").arg(i);
    }
    StanPlaylisty.Ilosc = ilosc;
}
