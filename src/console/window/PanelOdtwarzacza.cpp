#include "console/window/PanelOdtwarzacza.h"

#include "foundation/KestPods2.h"
#include "playlists/NastawyEmisji.h"

namespace {

constexpr TColor KolorZielony = 0x00FF00;
constexpr TColor KolorCyjan = 0xFFFF00;
constexpr TColor KolorTurkus = 0x808000;
constexpr TColor KolorFuksja = 0xFF00FF;
constexpr TColor KolorTlaPola = 0x000000;
constexpr TColor KolorCienia = 0x404040;

}  // namespace

TColor KolorCzasuOdtwarzacza(StanCzasuOdtwarzacza stan) {
    switch (stan) {
    case StanCzasuOdtwarzacza::Intro: return KolorZielony;
    case StanCzasuOdtwarzacza::Normalny: return KolorCyjan;
    case StanCzasuOdtwarzacza::Ostrzezenie: return KolorCzerwony;
    case StanCzasuOdtwarzacza::Blok: return KolorFuksja;
    case StanCzasuOdtwarzacza::Zatrzymany: break;
    }
    return KolorTurkus;
}

QString TekstCzasuOdtwarzacza(qint64 ms) {
    if (ms < 0)
        ms = 0;
    if (Emisja.PlayerCzasFormat == 1) {
        const QString t = PiszCzas(4, ms);  // mm:ss.mmm
        return t.left(t.size() - 2);
    }
    return PiszCzas(3, ms / 1000);
}

void UkladOdtwarzacza(TRForm& forma, PanelOdtwarzaczaType& p, const TRect& r, int numer) {
    (void)forma;
    p.Rect = r;
    p.Numer = numer;
    p.Narysowany.reset();
    const int m = SkalaX(4);
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    const int wiersz = h / 6;
    Prostokat(p.PoleCzasu, r.Left + m, r.Top + m, r.Left + w / 2 - m / 2, r.Top + 2 * wiersz);
    Prostokat(p.PoleOpisu, r.Left + w / 2 + m / 2, r.Top + m, r.Right - m, r.Top + 2 * wiersz);
    Prostokat(p.PoleTytulu, r.Left + m, r.Top + 2 * wiersz + m, r.Right - m, r.Top + 3 * wiersz);
    Prostokat(p.PoleWykonawcy, r.Left + m, r.Top + 3 * wiersz + m, r.Right - m, r.Top + 4 * wiersz);
    TRect pasek;
    Prostokat(pasek, r.Left + m, r.Top + 4 * wiersz + m, r.Right - m, r.Top + 5 * wiersz - m / 2);
    InicjujPasek(p.Pasek, pasek, KolorCzarny, KolorCienia, KolorBialy);
    const int polowa = (w - 2 * m) / 2 - SkalaX(5);
    TRect stop, fout;
    Prostokat(stop, r.Left + m, r.Top + 5 * wiersz, r.Left + m + polowa, r.Bottom - m);
    Prostokat(fout, r.Right - m - polowa, r.Top + 5 * wiersz, r.Right - m, r.Bottom - m);
    p.Stop = BUTTONType{};
    p.FOut = BUTTONType{};
    p.Stop.Rect = stop;
    p.Stop.Tytul = QStringLiteral("STOP");
    p.Stop.Kod = KomendaStopOdtwarzacza;
    p.FOut.Rect = fout;
    p.FOut.Tytul = QStringLiteral("FOut");
    p.FOut.Kod = KomendaFOutOdtwarzacza;
}

void RysujOdtwarzacz(TRForm& f, PanelOdtwarzaczaType& p, const MIXMagnetType& rekord, const WidokOdtwarzacza& widok) {
    p.FOut.Stan = widok.FOutWcisniety ? 1 : 0;
    // Ten times a second for each deck, while the time it shows changes once
    // a second and the bar once in a while: only what changed is drawn.
    WidokPaneluOdtwarzacza w;
    w.Kolor = KolorCzasuOdtwarzacza(widok.Stan);
    w.Czas = TekstCzasuOdtwarzacza(widok.Czas);
    w.Opis = rekord.Opis.str();
    w.Tyt = rekord.Tyt.str();
    w.Wyk = rekord.Wyk.str();
    w.Pasek = WypelnieniePaska(p.Pasek, widok.Zagrano, widok.Dlugosc);
    w.Stop = p.Stop.Stan;
    w.FOut = p.FOut.Stan;
    const std::optional<WidokPaneluOdtwarzacza>& byl = p.Narysowany;
    if (byl == w) return;
    // The time and the bar stay inside their fields; the texts and buttons
    // may reach past theirs, so a change there draws the panel whole.
    const bool czasWPolu = f.WysokoscTekstu() <= p.PoleCzasu.Bottom - p.PoleCzasu.Top - 1;
    const bool calosc = !byl || !czasWPolu || byl->Opis != w.Opis || byl->Tyt != w.Tyt || byl->Wyk != w.Wyk ||
                        byl->Stop != w.Stop || byl->FOut != w.FOut;
    if (calosc) f.PoleWypukleE(p.Rect, KolorTlaPrzycisku, KolorCienia, KolorBialy);
    if (calosc || byl->Kolor != w.Kolor || byl->Czas != w.Czas)
        f.PiszPoleWklesleKolorE(p.PoleCzasu, KolorTlaPola, w.Kolor, w.Czas, KolorCienia, KolorBialy);
    if (calosc) {
        f.PiszPoleWklesleE(p.PoleOpisu, KolorBialy, w.Opis, KolorCienia, KolorBialy);
        f.PoleKolorE(p.PoleTytulu, KolorTlaPrzycisku);
        f.PiszxyKolorE(p.PoleTytulu.Left, p.PoleTytulu.Top, w.Tyt, KolorCzarny);
        f.PoleKolorE(p.PoleWykonawcy, KolorTlaPrzycisku);
        f.PiszxyKolorE(p.PoleWykonawcy.Left, p.PoleWykonawcy.Top, w.Wyk, KolorCzarny);
    }
    if (calosc || byl->Kolor != w.Kolor || byl->Pasek != w.Pasek)
        RysujPasek(f, p.Pasek, 1, widok.Zagrano, widok.Dlugosc, 1, w.Kolor, KolorTlaPola);
    if (calosc) {
        f.BUTTON_Draw(p.Stop);
        f.BUTTON_Draw(p.FOut);
    }
    p.Narysowany = std::move(w);
}

bool ObsluzPrzyciskiOdtwarzacza(TRForm& f, PanelOdtwarzaczaType& p, SilnikEmisji& silnik, quint8 slot) {
    if (Zdarzenie.Rodzaj == ZdarzenieKlawisz && Zdarzenie.Kod == 0x011B) {
        Zdarzenie.Rodzaj = ZdarzenieKomenda;
        Zdarzenie.Kod = OdpowiedzOpusc;
        return true;
    }
    if (f.BUTTON_Selected(p.Stop)) {
        silnik.PrzyciskStop(slot);
        return true;
    }
    if (f.BUTTON_Selected(p.FOut)) {
        silnik.PrzyciskFOut(slot);
        return true;
    }
    return false;
}
