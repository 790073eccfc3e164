#include "console/window/PanelSingli.h"

#include "console/commands/PrzyciskiKonsoli.h"

namespace {

constexpr TColor KolorAqua = 0xFFFF00;
constexpr TColor KolorTurkus = 0x808000;
constexpr TColor KolorZolty = 0x00FFFF;
constexpr TColor KolorFuksja = 0xFF00FF;
constexpr TColor KolorCienia = 0x808080;
const QString Siec = QStringLiteral("sieć");

}  // namespace

TRect ProstokatPaneluSingli() {
    TRect r;
    ProstokatSkala(r, 0, 315, 453, 480);
    return r;
}

QString TekstCzasuSingla(qint32 trwa, qint32 postep) {
    const qint64 reszta = qint64(qMax(0, trwa)) * (1000 - qBound(0, postep, 1000)) / 1000 / 1000;
    return QString::asprintf("%2lld:%02lld", reszta / 60, reszta % 60);
}

void RysujPanelSingli(TRForm& f, const ScianaSingli& sciana, const PrzyciskiKonsoli& przyciski) {
    f.PoleWypukleE(ProstokatPaneluSingli(), KolorTlaPrzycisku, KolorCienia, KolorBialy);
    for (int s = 1; s <= SlotowPalety; ++s) RysujSlotSingla(f, sciana, przyciski, s);
    for (int i = PPaleta1; i < LiczbaPrzyciskowSingli; ++i) RysujPrzyciskSingli(f, sciana, przyciski, i);
}

void RysujSlotSingla(TRForm& f, const ScianaSingli& sciana, const PrzyciskiKonsoli& przyciski, int s) {
    const BUTTONType& b = przyciski.Single[size_t(PSingielF1 + s - 1)];
    if (b.Widoczny != 1) return;
    const TSingiel& g = sciana.Slot(s);
    const qint32 postep = sciana.Postep(s);
    const bool czerwony = sciana.Wcisniety() == s || g.Stan == 1;
    f.PoleWypukleE(b.Rect, czerwony ? KolorCzerwony : b.Kolor, KolorCzarny, KolorBialy);
    const int y = b.Rect.Top + (b.Rect.Bottom - b.Rect.Top + 1 - f.WysokoscTekstu()) / 2 - 1;
    f.PiszxyCienE(b.Rect.Left + 4, y, b.Tytul);

    TRect pole;
    Prostokat(pole, b.Rect.Left + 30, b.Rect.Top + 3, b.Rect.Right - 3, b.Rect.Bottom - 3);
    if (pole.Right - pole.Left < 4) return;
    const bool gra = postep >= 0;
    f.PoleWklesleE(pole, gra ? KolorAqua : g.Stan == 2 ? KolorZolty : KolorCzarny, KolorCienia, KolorBialy);
    if (gra) {
        // The part already played takes the window's colour.
        TRect zagrane;
        Prostokat(zagrane, pole.Left + 1, pole.Top + 1, pole.Left + 1 + (pole.Right - pole.Left - 2) * postep / 1000 - 1,
                  pole.Bottom - 1);
        if (zagrane.Right >= zagrane.Left) f.PoleKolorE(zagrane, KolorTlaPrzycisku);
    }
    int x = pole.Left + 3;
    if (ScianaSingli::Sieciowy(g.Adr)) {
        f.PiszxyKolorE(x, y, Siec, KolorFuksja);
        x += f.SzerokoscTekstu(Siec + QLatin1Char(' '));
    }
    f.PiszxyKolorE(x, y, f.PrzytnijDoSzerokosci(g.Tyt, (pole.Right - pole.Left) - 40 - (x - pole.Left)), KolorBialy);
    const QString czas = TekstCzasuSingla(g.Trw, postep);
    const TColor kolor = czas == QStringLiteral(" 0:00") ? KolorTurkus : gra ? KolorCzarny : KolorAqua;
    f.PiszxyKolorE(pole.Right - 3 - f.SzerokoscTekstu(czas), y, czas, kolor);
}

void RysujPrzyciskSingli(TRForm& f, const ScianaSingli& sciana, const PrzyciskiKonsoli& przyciski, int indeks) {
    if (indeks < PSingielF1 + SlotowPalety) {
        RysujSlotSingla(f, sciana, przyciski, indeks - PSingielF1 + 1);
        return;
    }
    const BUTTONType& b = przyciski.Single[size_t(indeks)];
    if (b.Widoczny != 1) return;
    f.BUTTON_Draw(b);
    if (indeks >= PPaleta1 && indeks < PPaleta1 + LiczbaPalet) {
        const TColor ramka = sciana.PaletaNaAntenie(indeks - PPaleta1 + 1) ? KolorCzerwony : KolorTlaPrzycisku;
        for (int d = 1; d <= 2; ++d) {
            TRect r;
            Prostokat(r, b.Rect.Left - d, b.Rect.Top - d, b.Rect.Right + d, b.Rect.Bottom + d);
            f.ProstokatKolorE(r, ramka);
        }
    }
}
