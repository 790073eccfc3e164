#include "foundation/DDecyzjaCzas.h"

#include "foundation/Dialogi.h"
#include "foundation/KestPods2.h"
#include "foundation/KestWej.h"
#include "foundation/UslugaDialogow.h"
#include "foundation/Zdarzenie.h"

quint8 DecyzjaGPI = 0;
quint8 OknoGlowneAktywne = 1;

namespace {

bool widoczna = false;

// Puts back what the window took over, however the window ends.
class Pokazanie {
public:
    Pokazanie() : oknoGlowne_(OknoGlowneAktywne), widoczna_(widoczna) {
        OknoGlowneAktywne = 0;
        widoczna = true;
    }
    ~Pokazanie() {
        OknoGlowneAktywne = oknoGlowne_;
        widoczna = widoczna_;
    }
    Pokazanie(const Pokazanie&) = delete;
    Pokazanie& operator=(const Pokazanie&) = delete;

private:
    quint8 oknoGlowne_;
    bool widoczna_;
};

}  // namespace

QString KoniecEmisjiTekst(qint64 czasMs) {
    int g = 0, m = 0, s = 0;
    CzasCzesci(g, m, s);
    return PiszCzas(1, qint64(g) * 3600 + m * 60 + s + czasMs / 1000);
}

quint8 WejscieDecyzji(quint16 przed, quint16 teraz) {
    quint8 w = 0;
    if (!(teraz & BitGPIPlayer1) && (przed & BitGPIPlayer1))
        w = 1;
    if (!(teraz & BitGPIPlayer2) && (przed & BitGPIPlayer2))
        w = 2;
    if ((teraz & 0x80) && !(przed & 0x80))
        w = 3;
    return w;
}

bool StanDecyzjiCzas::Tik() {
    const QString teraz = KoniecEmisjiTekst(czasMs_);
    zmieniony_ = teraz != koniec_;
    if (zmieniony_)
        koniec_ = teraz;
    DecyzjaGPI = 0;
    if (SprawdzGPI() && GPIWlaczone == 1)
        DecyzjaGPI = WejscieDecyzji(SlowoGPIPoprzednie, SlowoGPI);
    return DecyzjaGPI != 0;
}

int DecyzjaOEmisji(const QString& linia, const QString& tytul, qint64 czasMs, int zestaw) {
    if (zestaw != 3 && zestaw != 4)
        zestaw = 2;
    KasujZdarzenie();
    DecyzjaGPI = 0;
    StanDecyzjiCzas stan(czasMs);
    quint16 odp;
    {
        Pokazanie pokazanie;
        const StrazPetli straz;
        odp = Dialogi().DecyzjaCzas(linia, tytul, PiszCzas(4, czasMs), zestaw, stan);
    }
    if (odp != OdpowiedzTak && odp != OdpowiedzNie)
        odp = OdpowiedzOpusc;
    if (odp != OdpowiedzTak)
        DecyzjaGPI = 0;
    Zdarzenie.Rodzaj = ZdarzenieKomenda;
    Zdarzenie.Kod = odp;
    return odp == OdpowiedzTak ? WynikTak : odp == OdpowiedzNie ? WynikNie : WynikAnuluj;
}

bool DecyzjaOEmisjiWidoczna() {
    return widoczna;
}
