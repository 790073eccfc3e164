#include "console/commands/Komendy.h"

#include <algorithm>

#include "console/engine/SilnikEmisji.h"
#include "console/engine/WyjsciaEmisji.h"

const std::array<WierszKlawisza, 53> TabelaKlawiszy = {{
    {0x011B, KomWyjdz},          // Esc
    {0x0E08, KomWznow},          // Backspace
    {0x1011, KomBlokadaEkranu},  // Ctrl+Q
    {0x1100, 4014},              // Alt+W
    {0x1910, KomKolejny},        // Ctrl+P
    {0x1C0A, KomKolejny},        // Ctrl+Enter
    {0x1C0D, KomStart},          // Enter
    {0x2E00, 4012},              // Alt+C
    {0x320D, KomPrzesun},        // Ctrl+M
    {0x3920, KomStopSpacja},     // Space
    {0x3922, KomStop},           // Ctrl+Space
    {0x3B00, 4201}, {0x3C00, 4202}, {0x3D00, 4203}, {0x3E00, 4204}, {0x3F00, 4205},  // F1..F5
    {0x4000, 4206}, {0x4100, 4207}, {0x4200, 4208}, {0x4300, 4209}, {0x4400, 4210},  // F6..F10
    {0x4500, 4211},              // F11
    {0x8600, 4212},              // F12
    {0x4700, KomKursorPoczatek},  // Home
    {0x4737, 5205},              // keypad 7
    {0x5E00, 4301}, {0x5F00, 4302}, {0x6000, 4303}, {0x6100, 4304}, {0x6200, 4305}, {0x6300, 4306},  // Ctrl+F1..F6
    {0x6600, 4018},              // Ctrl+F9
    {0x6700, 4017},              // Ctrl+F10
    {0x6702, 4020},              // Ctrl+F12
    {0x4800, KomKursorGora},     // Up
    {0x4838, 5201},              // keypad 8
    {0x4900, KomKursorStronaGora},  // PgUp
    {0x4939, 5203},              // keypad 9
    {0x4A2D, KomTimelistaMinus},  // keypad -
    {0x4B00, KomSingleLewo},     // Left
    {0x4D00, KomSinglePrawo},    // Right
    {0x4E2B, KomTimelistaGrajTeraz},  // keypad +
    {0x4F00, KomKursorKoniec},   // End
    {0x4F31, 5206},              // keypad 1
    {0x5000, KomKursorDol},      // Down
    {0x5032, 5202},              // keypad 2
    {0x5100, KomKursorStronaDol},  // PgDn
    {0x5133, 5204},              // keypad 3
    {0x5200, KomWstaw},          // Ins
    {0x5230, 5005},              // keypad 0
    {0x5300, KomUsun},           // Del
    {0x532E, 5006},              // keypad .
    {0x6701, 4019},              // Ctrl+F11
}};

quint16 KomendaKlawisza(quint16 klawisz) {
    const auto it = std::find_if(TabelaKlawiszy.begin(), TabelaKlawiszy.end(),
                                 [klawisz](const WierszKlawisza& w) { return w.Klawisz == klawisz; });
    return it == TabelaKlawiszy.end() ? quint16(KomBrak) : it->Komenda;
}

namespace {
bool miedzy(quint16 id, quint16 od, quint16 do_) { return id >= od && id <= do_; }
}  // namespace

bool KomendaZnana(quint16 id) {
    switch (id) {
    case KomWyjdz:
    case KomAutoStop: case KomSterowanie: case KomSat: case KomBlokadaEkranu:
    case KomCzytaj: case KomDoklej: case KomZapisz: case KomUsunPlayliste:
    case KomAutomat: case KomCisza:
    case KomStop: case KomStopSpacja: case KomStart: case KomWznow:
    case KomUsun: case KomWstaw: case KomInfo:
    case KomUstawStart: case KomKod: case KomZmien:
    case KomMiksy: case KomBazaKat: case KomUndo:
    case KomPrzesun: case KomKolejny: case KomKonfiguracja: case KomCzytajProfil: case KomZapiszProfil:
    case KomPanelOpis: case KomPanelDluga: case KomPanelWieloslad: case KomAktualizacja: case KomBlok:
    case KomSingleLewo: case KomSinglePrawo:
    case KomStatus:
        return true;
    default:
        break;
    }
    return miedzy(id, KomKursorGora, KomKursorKoniec) || miedzy(id, KomSingleOd, KomSingleDo) ||
           miedzy(id, KomSingielF1, KomSingielF12) || miedzy(id, KomPaletaCtrlF1, KomPaletaCtrlF6) ||
           miedzy(id, KomTimelistaOd, KomTimelistaDo) || miedzy(id, KomPlayL, KomRekL) || miedzy(id, KomTimelistaKursorOd, KomTimelistaKursorDo) ||
           miedzy(id, KomGodzina0, KomGodzina23) || miedzy(id, KomWielosladOd, KomWielosladDo);
}

bool KomendaWTrybiePrzesuwania(quint16 id) {
    return id == KomWyjdz || id == KomStart || miedzy(id, KomKursorGora, KomKursorKoniec);
}

bool KomendaPodczasCzekania(quint16 id) {
    switch (id) {
    case KomAutoStop: case KomSterowanie: case KomSat: case KomAutomat: case KomCisza:
    case KomStop: case KomStopSpacja: case KomStart: case KomWznow: case KomKolejny:
        return true;
    default:
        return miedzy(id, KomKursorGora, KomKursorKoniec);
    }
}

bool KomendaPodczasCzytania(quint16 id) {
    switch (id) {
    // The time list's keys and "Synch." touch the time list, not the playlist.
    case KomTimelistaSynchro: case KomTimelistaMinus: case KomTimelistaWstaw: case KomTimelistaUsun:
    case KomTimelistaGrajTeraz:
        return true;
    default:
        return KomendaPodczasCzekania(id) || miedzy(id, KomSingielF1, KomSingielF12) ||
               miedzy(id, KomTimelistaKursorOd, KomTimelistaKursorDo) || miedzy(id, KomGodzina0, KomGodzina23);
    }
}

void OdmowaPodczasCzytania(SilnikEmisji& s) {
    s.Wyjscia().UstawStatus(QStringLiteral("Trwa odczyt playlisty - polecenie można powtórzyć po jego końcu"),
                            KolorStatusu::Czerwony);
    // The field goes back to OK (or the list's message) when the read ends.
    if (s.Odczyt.Trwa()) s.Odczyt.StatusPokazany = true;
}
