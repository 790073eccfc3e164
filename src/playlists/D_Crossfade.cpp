#include "playlists/D_Crossfade.h"

#include <cmath>
#include <numbers>

#include "audio/Sygnaly2.h"
#include "foundation/KestDysk2.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

qint32 DomyslnyCrossfade(quint8 typ) {
    switch (RodzajElemPListy(typ)) {
    case RodzajSND: return Emisja.CzasCross;
    case RodzajREK: return Emisja.CzasRCross;
    case RodzajDJ_: return Emisja.CzasSCross;
    case RodzajJNG:
    case RodzajEFE: return Emisja.CzasJCross;
    case RodzajPRO: return Emisja.CzasPCross;
    case RodzajSPO: return Emisja.CzasOCross;
    case RodzajAUD: return Emisja.CzasACross;
    case RodzajWHI: return Emisja.CzasWCross;
    case RodzajSWE: return Emisja.CzasECross;
    case RodzajLOP: return Emisja.CzasLCross;
    default: return 0;
    }
}

qint32 CrossfadeMiedzy(const TElemPListy& poprzedni, const TElemPListy& nastepny) {
    // Never more than half of the next recording. Looking at the file must not
    // disturb the I/O result a caller may be about to test.
    qint32 dlugosc = -1;
    if (platform::fileExists(nastepny.Adr)) {
        const int bladIO = BladIO;
        dlugosc = CzasTrwaniaPliku(nastepny.Adr);
        BladIO = bladIO;
    }
    return CrossfadeMiedzy(poprzedni, nastepny, dlugosc);
}

qint32 CrossfadeMiedzy(const TElemPListy& poprzedni, const TElemPListy& nastepny, qint32 dlugoscNastepnego) {
    qint32 c = std::min(DomyslnyCrossfade(poprzedni.Typ), DomyslnyCrossfade(nastepny.Typ));
    if (poprzedni.Mix != -1) {
        switch (RodzajElemPListy(nastepny.Typ)) {
        case RodzajSND:
        case RodzajDJ_:
        case RodzajJNG:
        case RodzajAUD:
        case RodzajWHI:
        case RodzajSWE:
        case RodzajLOP:
        case RodzajEFE:
            c = poprzedni.Mix;
            break;
        default:
            break;
        }
    }
    if (dlugoscNastepnego >= 0 && c > dlugoscNastepnego / 2)
        c = dlugoscNastepnego / 2;
    return c;
}

qint64 PoziomFade(qint64 p, qint64 len, qint64 level, bool odKonca, quint8 krzywa) {
    if (len <= 0)
        return 0;
    if (odKonca)
        p = len - p;
    // Outside the fade the level is where the fade starts or ends; at the end
    // it is exactly the full level (a rounded sine would fall one short).
    if (p <= 0)
        return 0;
    if (p >= len)
        return krzywa <= KrzywaKwadrat ? level : 0;
    switch (krzywa) {
    case KrzywaLiniowa:
        return qint64(double(p * level) / double(len));
    case KrzywaSinus: {
        const float kat = float(std::numbers::pi * double(p) / (2.0 * double(len)));
        return qint64(double(level) * std::sin(double(kat)));
    }
    case KrzywaKwadrat: {
        const float t = float(double(p) / double(len));
        return qint64(double(level) * double(t) * double(t));
    }
    default:
        return 0;
    }
}
