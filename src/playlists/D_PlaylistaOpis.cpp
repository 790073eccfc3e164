#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "foundation/Text.h"
#include "playlists/D_Crossfade.h"
#include "playlists/D_Playlista.h"

// The description editor writes a short mix as bare seconds ("7"), which
// the audio item reads the same way.
qint32 MixZOpisu(const QString& tekst) {
    QString sekundy = tekst.size() <= 2 ? tekst : charsFromTo(tekst, 4, 5);
    qint64 s = 0;
    if (sekundy.isEmpty() || !parseInteger(sekundy, s) || s < 0 || s > 99)
        return -1;
    return qint32(s * 1000);
}

void WypelnijElemZOpisu(TElemPListy& e, const OpisNagraniaTyp& opis, const SygnalType& sygnal) {
    e.Tyt = opis.Tyt;
    e.Pta = opis.Pta;
    e.Wyk = opis.Wyk;
    e.Sol = opis.Sol;
    e.Kom = opis.Kom;
    e.Atr = opis.Aut;
    e.Pro = opis.Pro;
    e.Wyd = opis.Wyd;
    e.Rok = opis.Rok;
    e.Zak = opis.Zak;
    e.BPM = opis.BPM;
    e.PTY = opis.PTY;
    e.PS1 = opis.PS1;
    e.PS2 = opis.PS2;
    e.PS3 = opis.PS3;
    e.PS4 = opis.PS4;
    e.ZAA = opis.Zaa;

    e.Trw = sygnal.Tot;
    e.NwP = sygnal.NwP;
    e.NwK = sygnal.NwK;
    e.FIn = sygnal.FIn;
    e.FOu = sygnal.FOu;
    e.Int = sygnal.Int;
    e.Out = sygnal.Out;

    e.Mix = MixZOpisu(opis.Mix);
    if (sygnal.Mik > -1)
        e.Mix = (sygnal.NwK > -1 ? sygnal.NwK : sygnal.Tot) - sygnal.Mik;
    if (e.Mix == -1)
        e.Mix = DomyslnyCrossfade(e.Typ);
}
