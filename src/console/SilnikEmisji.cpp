#include "console/SilnikEmisji.h"

#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

OpcjeOdtwarzaczy OpcjeOdtwarzaczyZNastaw() {
    OpcjeOdtwarzaczy o;
    o.CzyPlayerZgodnoscWinXP = Emisja.CzyPlayerZgodnoscWinXP;
    o.Kanal = {0, Emisja.Kanal1, Emisja.Kanal2, Emisja.Kanal3, Emisja.Kanal4, Emisja.Kanal5};
    o.KanalNazwa = {QString(), Emisja.Kanal1Nazwa, Emisja.Kanal2Nazwa, Emisja.Kanal3Nazwa,
                    Emisja.Kanal4Nazwa, Emisja.Kanal5Nazwa};
    return o;
}

qint32 KursorPlaylistyEmisji() { return StanPlaylisty.Kursor; }
