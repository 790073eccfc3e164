#include "console/commands/ObslugiKomend.h"

#include "console/commands/Komendy.h"
#include "console/engine/TrybyEmisji.h"
#include "foundation/Dialogi.h"

const std::vector<KomendaCzekajaca>& KomendyCzekajace() {
    static const std::vector<KomendaCzekajaca> lista = {
        {KomWyjdz, KomWyjdz, "leave move or block mode"},
        {KomCzytaj, KomUsunPlayliste, "read, append, save and delete the playlist"},
        {KomStop, KomStop, "STOP of players 1 to 3"},
        {KomStart, KomWznow, "start the cursor element, again from its resume point; drop or delete in move and block mode"},
        {KomUsun, KomInfo, "delete and insert elements, the description editor"},
        {KomUstawStart, KomZmien, "playlist start time, code element, change element"},
        {KomUndo, KomPrzesun, "undo, move mode"},
        {KomKolejny, KomKolejny, "cue the cursor element"},
        {KomKonfiguracja, KomZapiszProfil, "settings dialog, read and save a profile"},
        {KomAktualizacja, KomBlok, "time-correction mode, block mode"},
        {KomKursorGora, KomKursorKoniec, "playlist cursor"},
        {KomSingleOd, KomSingleDo, "singles wall"},
        {KomSingleLewo, KomSinglePrawo, "singles wall"},
        {KomSingielF1, KomSingielF12, "singles wall"},
        {KomPaletaCtrlF1, KomPaletaCtrlF6, "singles wall"},
        {KomTimelistaOd, KomTimelistaDo, "time list (keypad +: play the current entry now)"},
        {KomTimelistaKursorOd, KomTimelistaKursorDo, "time-list cursor"},
        {KomGodzina0, KomGodzina23, "playlist cursor to an hour"},
        {KomWielosladOd, KomWielosladDo, "timeline"},
        {KomStatus, KomStatus, "clear the status text"},
    };
    return lista;
}

void ZarejestrujObslugi(Dyspozytor& d, SilnikEmisji& silnik) {
    for (const auto& k : KomendyCzekajace()) d.UstawObsluge(k.Od, k.Do, [](quint16) {});

    // The lower panel, the insertion source, the Space stop and the gates
    // of Enter, keypad - and keypad + are the dispatcher's own.

    SilnikEmisji* s = &silnik;
    d.UstawObsluge(KomAutoStop, KomAutoStop, [s](quint16) { PrzelaczAutoStop(*s); });
    d.UstawObsluge(KomSterowanie, KomSterowanie, [s](quint16) { PrzelaczSterowanie(*s); });
    d.UstawObsluge(KomSat, KomSat, [s](quint16) { s->PrzelaczSat(); });
    d.UstawObsluge(KomAutomat, KomAutomat, [s](quint16) { s->PrzelaczAutomat(); });
    d.UstawObsluge(KomCisza, KomCisza, [s](quint16) { PrzelaczCisza(*s); });
    d.UstawObsluge(KomMiksy, KomMiksy, [s](quint16) { Miksy(*s); });

    d.UstawObsluge(KomBlokadaEkranu, KomBlokadaEkranu, [&silnik](quint16) {
        if (silnik.Stan.TrybAutomat) PokazBlokadeEkranu();
    });
}
