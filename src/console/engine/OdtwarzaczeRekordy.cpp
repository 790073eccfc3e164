#include "console/engine/OdtwarzaczeRekordy.h"

#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

void ZerujOdtwarzacz(MIXMagnetType& r) {
    r = MIXMagnetType{};
    PustySygnal(r.SygnalSlotu);
    r.SygnalSlotu.Nazwa = NazwaPustegoSygnalu;
    r.SygnalSlotu.Adres.clear();
}

bool SlotPusty(const MIXMagnetType& r) {
    return r.SygnalSlotu.Nazwa == NazwaPustegoSygnalu;
}

QString KodRodzajuOdtwarzacza(quint8 rodzaj) {
    switch (rodzaj) {
    case RodzajSND: return QStringLiteral("mu");
    case RodzajJNG: return QStringLiteral("ji");
    case RodzajDJ_: return QStringLiteral("dj");
    case RodzajREK: return QStringLiteral("re");
    case RodzajWHI: return QStringLiteral("wh");
    case RodzajSWE: return QStringLiteral("sw");
    case RodzajLOP: return QStringLiteral("lo");
    case RodzajAUD: return QStringLiteral("au");
    case RodzajPRO: return QStringLiteral("pr");
    case RodzajSPO: return QStringLiteral("sp");
    case RodzajEFE: return QStringLiteral("ef");
    default: return QStringLiteral("mu");
    }
}

bool RodzajDzwiekowy(quint8 rodzaj) {
    switch (rodzaj) {
    case RodzajSND:
    case RodzajREK:
    case RodzajDJ_:
    case RodzajJNG:
    case RodzajPRO:
    case RodzajSPO:
    case RodzajAUD:
    case RodzajWHI:
    case RodzajSWE:
    case RodzajLOP:
    case RodzajEFE:
        return true;
    default:
        return false;
    }
}
