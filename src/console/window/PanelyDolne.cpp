#include "console/window/PanelyDolne.h"

#include "playlists/D_Playlista.h"

namespace {

constexpr TColor KolorNiebieski = 0xFF0000;

// Written twice, one unit apart, for weight.
void piszGrubo(TRForm& f, int x, int y, const QString& tekst, TColor kolor) {
    f.PiszxyKolorE(x, y, tekst, kolor);
    f.PiszxyKolorE(x + 1, y, tekst, kolor);
}

}  // namespace

TRect ProstokatPaneluDolnego() {
    TRect r;
    ProstokatSkala(r, 0, 315, 453, 480);
    return r;
}

void RysujOpisElementu(TRForm& f, qint32 n) {
    f.PoleWypukleE(ProstokatPaneluDolnego(), KolorTlaPrzycisku, KolorSzary, KolorBialy);
    f.PiszxyKolorE(SkalaX(6), SkalaY(316), QStringLiteral("Dodatkowa informacja o elemencie playlisty:"), KolorCzarny);
    TRect pole;
    ProstokatSkala(pole, 3, 330, 450, 477);
    f.PoleWklesleE(pole, KolorTlaPrzycisku, KolorSzary, KolorBialy);
    if (n < 1 || n > StanPlaylisty.Ilosc || n > MaksPlaylisty) return;
    const TElemPListy& e = Playlista[size_t(n)];
    if (RodzajElemPListy(e.Typ) != RodzajSND) return;
    struct Linia {
        const char* etykieta;
        const QString& tekst;
        int y;
        TColor kolor;
    };
    const Linia linie[] = {
        {"Tytuł: ", e.Tyt.str(), 330, KolorCzarny},    {"Płyta: ", e.Pta.str(), 355, KolorCzerwony},
        {"Wykonawca: ", e.Wyk.str(), 380, KolorNiebieski}, {"Kompozytor: ", e.Kom.str(), 410, KolorCzarny},
        {"Autor: ", e.Atr.str(), 430, KolorCzarny},     {"Producent:  ", e.Pro.str(), 450, KolorCzarny},
    };
    for (const Linia& l : linie)
        piszGrubo(f, SkalaX(8), SkalaY(l.y) + 2, QString::fromUtf8(l.etykieta) + l.tekst, l.kolor);
}
