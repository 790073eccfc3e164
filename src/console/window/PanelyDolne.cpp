#include "console/window/PanelyDolne.h"

#include "console/commands/PrzyciskiKonsoli.h"
#include "console/commands/Wieloslad.h"
#include "playlists/D_Playlista.h"

#include <QPolygon>

namespace {

constexpr TColor KolorNiebieski = 0xFF0000;
constexpr TColor KolorGranatowy = 0x800000;
constexpr TColor KolorZielony = 0x008000;
constexpr TColor KolorMorski = 0x808000;

// Kind 7, nameless, is red on the timeline; other nameless kinds grey.
TColor kolorBloku(quint8 rodzaj) { return rodzaj == 7 ? KolorCzerwony : KolorRodzaju(rodzaj, KolorSzary); }

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

void RysujWieloslad(TRForm& f, const OsCzasu& os, const PrzyciskiKonsoli& przyciski, qint32 kursor, qint64 terazMS) {
    f.PoleWypukleE(ProstokatPaneluDolnego(), KolorTlaPrzycisku, KolorSzary, KolorBialy);
    for (const BUTTONType& b : przyciski.Wieloslad) f.BUTTON_Draw(b);
    RysujPasyWielosladu(f, os, kursor, terazMS);
}

void RysujPasyWielosladu(TRForm& f, const OsCzasu& os, qint32 kursor, qint64 terazMS) {
    TRect pasy;
    ProstokatSkala(pasy, OsCzasu::Lewy, 318, 450, 438);
    f.PoleWklesleE(pasy, KolorSzary, KolorSzary, KolorBialy);
    const int x1 = SkalaX(OsCzasu::Lewy);
    const int x2 = SkalaX(450);
    for (const auto& [y, kolor] : {std::pair{345, KolorGranatowy}, std::pair{375, KolorGranatowy},
                                   std::pair{405, KolorMorski}, std::pair{435, KolorCzerwony}})
        f.LiniaHKolorE(x1, x2, SkalaY(y), kolor);
    for (const BlokWielosladu& b : os.Bloki(kursor)) {
        QPolygon w;
        for (const QPoint& p : b.Wielokat) w << QPoint(SkalaX(p.x()), SkalaY(p.y()));
        // A block narrower than its fades still shows as its span.
        TRect ramka;
        ProstokatSkala(ramka, b.X1, b.Gora + 6, b.X2, b.Gora + 25);
        f.ProstokatKolorE(ramka, kolorBloku(b.Rodzaj));
        f.WielokatKolorE(w, kolorBloku(b.Rodzaj));
        if (b.XInt >= 0) f.LiniaVKolorE(SkalaX(b.XInt), SkalaY(b.Gora), SkalaY(b.Gora + 25), KolorZielony);
        if (b.XOut >= 0) f.LiniaVKolorE(SkalaX(b.XOut), SkalaY(b.Gora), SkalaY(b.Gora + 25), KolorCzerwony);
    }
    int x = 0;
    if (os.XCzasu(kursor, terazMS, x) && x >= 4 && x <= 447) {
        TRect linia;
        ProstokatSkala(linia, x, 320, x + 1, 436);
        f.PoleKolorE(linia, KolorBialy);
    }
}
