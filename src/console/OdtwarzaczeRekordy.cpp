#include "console/OdtwarzaczeRekordy.h"

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

qint32 TrimRodzaju(quint8 rodzaj, bool* maTrim) {
    qint32 db = 0;
    bool jest = true;
    switch (rodzaj) {
    case RodzajSND: db = Emisja.Poziom0SND; break;
    case RodzajREK: db = Emisja.Poziom0REK; break;
    case RodzajDJ_: db = Emisja.Poziom0DJ_; break;
    case RodzajJNG:
    case RodzajEFE: db = Emisja.Poziom0JNG; break;
    case RodzajPRO: db = Emisja.Poziom0PRO; break;
    case RodzajSPO: db = Emisja.Poziom0SPO; break;
    case RodzajAUD: db = Emisja.Poziom0AUD; break;
    case RodzajWHI: db = Emisja.Poziom0WHI; break;
    case RodzajSWE: db = Emisja.Poziom0SWE; break;
    case RodzajLOP: db = Emisja.Poziom0LOP; break;
    default: jest = false; break;
    }
    if (maTrim)
        *maTrim = jest;
    return db * 100;
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
