#include "foundation/KestPanl2.h"

#include <algorithm>

namespace {

// Top pixel of the i-th visible row (rows 14 pixels apart, 13 high).
int gornaKrawedzWiersza(const ListaType& lista, int i) { return lista.RectListy.Top + i * 14 - 10; }
}  // namespace

void InicjujPasek(PasekType& pasek, const TRect& r, TColor kolor1, TColor kolor2, TColor kolor3) {
    pasek.Rect = r;
    pasek.RectWew = Wciecie(r, 2);
    pasek.Kolor1 = kolor1;
    pasek.Kolor2 = kolor2;
    pasek.Kolor3 = kolor3;
}

qint64 WypelnieniePaska(const PasekType& pasek, qint64 wartosc, qint64 maksimum) {
    const TRect& w = pasek.RectWew;
    const qint64 szer = std::max<qint64>(0, w.Right - w.Left);  // inner width less 1
    if (maksimum <= 0 || szer <= 0) return 0;
    // 64 bits: positions in milliseconds times a few hundred pixels overflow 32.
    const qint64 v = std::clamp<qint64>(wartosc, 0, maksimum);
    return std::clamp<qint64>(szer * v / maksimum, 1, szer);
}

void RysujPasek(TRForm& forma, const PasekType& pasek, int tryb, qint64 wartosc, qint64 maksimum, int styl,
                TColor kolorWypelnienia, TColor kolorReszty) {
    const TRect& w = pasek.RectWew;
    const qint64 wypelnione = WypelnieniePaska(pasek, wartosc, maksimum);
    if (tryb == 1) forma.g_copyput();
    else forma.g_xorput();
    if (styl == 2) forma.g_dottedln1();
    else if (styl == 3) forma.g_solidln3();
    else forma.g_solidln1();

    const int granica = int(w.Left + wypelnione);  // last filled column
    if (tryb == 1 && styl != 2 && styl != 3) {
        // Solid rows drawn over each other are two rectangles: the same
        // pixels, two fills instead of two a row.
        if (wypelnione > 0) forma.PoleKolorE({w.Left + 1, w.Top, granica, w.Bottom}, kolorWypelnienia);
        if (granica + 1 <= w.Right) forma.PoleKolorE({granica + 1, w.Top, w.Right, w.Bottom}, kolorReszty);
        forma.g_solidln1();
        return;
    }
    for (int y = w.Top; y <= w.Bottom; ++y) {
        if (wypelnione > 0) forma.LiniaHKolorE(w.Left + 1, granica, y, kolorWypelnienia);
        if (granica + 1 <= w.Right) forma.LiniaHKolorE(granica + 1, w.Right, y, kolorReszty);
    }
    forma.g_copyput();
    forma.g_solidln1();
}

void InicjujPanel(PanelType& panel, const TRect& r, int numer, TColor kolor) {
    panel.Rect = r;
    panel.Numer = numer;
    panel.Kolor = kolor;
    panel.Flaga = 1;
    panel.Czas = 0;
}

void RysujListe(TRForm& forma, ListaType& lista) {
    forma.PoleWypukleE(lista.Rect, KolorTlaPrzycisku, KolorCzarny, KolorBialy);
    forma.PoleWklesleE(Wciecie(lista.RectListy, -1), KolorBialy, KolorCzarny, KolorBialy);
    forma.PoleWklesleE(Wciecie(lista.RectLicznika, -1), KolorTlaPrzycisku, KolorSzary, KolorBialy);
    forma.PiszxyKolorE(lista.Rect.Left + 16, lista.Rect.Top + 3, lista.Tytul, KolorCzarny);
    lista.Widocznych = std::max(0, (lista.RectListy.Bottom - lista.RectListy.Top) / 15);
}

void RysujWierszListy(TRForm& forma, const ListaType& lista, bool zaznaczony) {
    const int i = lista.Wybrany - lista.Pierwszy + 1;
    if (lista.Wybrany >= 1 && i >= 1 && i <= lista.Widocznych) {
        const int gora = gornaKrawedzWiersza(lista, i);
        forma.ProstokatKolorE({lista.RectListy.Left + 4, gora, lista.RectListy.Right - 4, gora + 12},
                              zaznaczony ? KolorCzarny : KolorBialy);
    }
    const QString licznik = QString::number(lista.Wybrany) + QLatin1Char('/') + QString::number(lista.Razem);
    const int prawa = lista.Rect.Right - 3;
    const int wys = forma.WysokoscTekstu();
    const TRect& l = lista.RectLicznika;
    const int y = l.Top + (l.Bottom - l.Top + 1 - wys) / 2;
    forma.PoleKolorE({prawa - forma.SzerokoscTekstu(QStringLiteral("1000/1000")), y, prawa, y + wys - 1},
                     KolorTlaPrzycisku);
    forma.PiszxyKolorE(prawa - forma.SzerokoscTekstu(licznik), y, licznik, KolorCzarny);
}

TRect ProstokatWierszaListy(const ListaType& lista, int i) {
    const int gora = gornaKrawedzWiersza(lista, i);
    return {lista.RectListy.Left + 6, gora, lista.RectListy.Right - 6, gora + 12};
}

bool KlikListy(TRForm& forma, ListaType& lista) {
    for (int i = 1; i <= lista.Widocznych; ++i) {
        const int wiersz = lista.Pierwszy + i - 1;
        if (wiersz > lista.Razem) break;
        if (!ZdarzenieWProstokacie(ProstokatWierszaListy(lista, i))) continue;
        RysujWierszListy(forma, lista, false);
        lista.Wybrany = wiersz;
        RysujWierszListy(forma, lista, true);
        return true;
    }
    return false;
}
