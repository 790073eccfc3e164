#include "console/window/PanelPlaylisty.h"

#include "console/engine/PanelListy.h"
#include "foundation/KestPods2.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

namespace {

constexpr TColor KolorCienia = 0x808080;
constexpr TColor KolorSrebrny = 0xC0C0C0;
constexpr TColor KolorZolty = 0x00FFFF;
constexpr TColor KolorZielony = 0x008000;
constexpr TColor KolorNiebieski = 0xFF0000;
constexpr TColor KolorFiolet = 0x800080;
constexpr TColor KolorGranat = 0x800000;
constexpr TColor KolorLimonka = 0x00FF00;

int wiersz() { return std::max(1, SkalaY(WierszPlaylistyJ)); }
int wierszTL() { return std::max(1, SkalaY(WierszTimelistyJ)); }

TColor kolorPolaCzasu(const TElemPListy& e) {
    if (QString(e.Tyt).contains(QStringLiteral("GRAJ O"))) return KolorLimonka;
    const quint8 rodzaj = RodzajElemPListy(e.Typ);
    // An advert placeholder has no duration until its block is read.
    if (rodzaj == RodzajREK && e.Trw == 0) return KolorTlaPrzycisku;
    return KolorRodzaju(rodzaj, KolorGranat);
}

TColor kolorGornego(quint8 rodzaj) {
    switch (rodzaj) {
    case RodzajINF: return KolorCzarny;
    case RodzajBRK: return KolorBialy;
    case RodzajALR:
    case RodzajREK:
    case RodzajSPO: return KolorCzerwony;
    case RodzajPRO: return KolorFiolet;
    default: return KolorNiebieski;
    }
}

// Seconds of an information box: two characters at most.
QString sekundy(qint64 ms) {
    const qint64 s = ms / 1000;
    if (s > 99 || s < -9) return QStringLiteral("^^");
    return QString::number(s);
}

// The element on deck 1..3, 0 when none.
int deckElementu(const SilnikEmisji& s, qint32 n) {
    for (int d = 1; d <= 3; ++d)
        if (s.Odtwarzacz[size_t(d)].Element == n && s.Stan.OdtwarzaczZajety[size_t(d)] != 0) return d;
    return 0;
}

// The element playing on deck 1 or 2 (the time correction counts from it).
qint32 grany(const SilnikEmisji& s) {
    qint32 n = 0;
    for (int d = 1; d <= 2; ++d)
        if (s.Stan.OdtwarzaczZajety[size_t(d)] != 0) n = std::max(n, s.Odtwarzacz[size_t(d)].Element);
    return n;
}

// The scroll bar: a raised thumb on a black track.
void rysujSuwak(TRForm& f, const StanListy& st) {
    const int h = st.Pasek.Bottom - st.Pasek.Top;
    f.PoleKolorE(st.Pasek, KolorCzarny);
    // The shortest thumb is 6 grid units, whatever the scale.
    const Suwak w = SuwakListy(st, h, SkalaY(6));
    TRect kciuk;
    Prostokat(kciuk, st.Pasek.Left, st.Pasek.Top + w.Od, st.Pasek.Right, st.Pasek.Top + w.Do);
    f.PoleWypukleE(kciuk, KolorTlaPrzycisku, KolorCienia, KolorBialy);
}

bool dluga_ = false;

}  // namespace

TRect ProstokatPudelka(int i, int top) {
    const PudelkoInformacji& p = PudelkaInformacji[i];
    TRect r;
    ProstokatWH(r, StanPlaylisty.Lista.Right - SkalaX(p.odPrawej), top + SkalaY(PudelkoInformacjiGoraJ),
                SkalaX(p.szerokosc), SkalaY(PudelkoInformacjiWysokoscJ));
    return r;
}

bool UstawDlugaPlayliste(bool dluga) {
    if (dluga_ == dluga) return false;
    dluga_ = dluga;
    UstawPanele();
    return true;
}

void UstawPanele() {
    TRect r;
    if (dluga_) {
        ProstokatSkalaWH(r, 0, 78, 453, 402);
        UstawProstokatyListy(StanPlaylisty, r, SkalaY(NaglowekDlugiejJ), wiersz());
        // Twelve rows to a page; the last one may reach the panel's
        // bottom frame rather than be left out.
        StanListy& st = StanPlaylisty;
        st.Wierszy = WierszeDlugiej;
        st.Lista.Bottom = std::max(st.Lista.Bottom, st.Lista.Top + WierszeDlugiej * wiersz());
        st.Pasek.Bottom = st.Lista.Bottom;
    } else {
        ProstokatSkalaWH(r, 0, 78, 453, 236);
        UstawProstokatyListy(StanPlaylisty, r, SkalaY(NaglowekPlaylistyJ), wiersz());
    }
    ProstokatSkalaWH(r, 454, 315, 186, 123);
    UstawProstokatyListy(StanTimelisty, r, SkalaY(NaglowekTimelistyJ), wierszTL());
}

TRect ProstokatPolaKomunikatu() {
    TRect r;
    Prostokat(r, StanPlaylisty.Panel.Left + SkalaX(82), StanPlaylisty.Lista.Top - SkalaY(22),
              StanPlaylisty.Panel.Left + SkalaX(82 + 182), StanPlaylisty.Lista.Top - SkalaY(2));
    return r;
}

void MalujPoleKomunikatu(TRForm& f, const QString& tekst, bool miga) {
    const TRect r = ProstokatPolaKomunikatu();
    if (tekst.isEmpty()) {
        f.PoleKolorE(r, KolorTlaPrzycisku);
        return;
    }
    const TColor tlo = miga ? KolorTlaPrzycisku : KolorBialy;
    f.PiszPoleWklesleKolorE(r, tlo, miga ? KolorCzarny : KolorCzerwony, tekst, KolorCienia, KolorBialy);
}

void RysujPlayliste(TRForm& f, const SilnikEmisji& s) {
    StanListy& st = StanPlaylisty;
    // An undo may bring back rectangles of an earlier window size.
    UstawPanele();
    f.PoleWypukleE(st.Panel, KolorTlaPrzycisku, KolorCienia, KolorBialy);
    // The header line between the hour buttons and the rows.
    const int yNaglowka = st.Lista.Top - SkalaY(2) - f.WysokoscTekstu();
    f.PiszxyKolorE(st.Panel.Left + SkalaX(8), yNaglowka, QString(st.Nazwa), KolorCzarny);
    const QString licznik = QString::number(st.Kursor) + QStringLiteral("/") + QString::number(st.Ilosc);
    const int prawy = st.Panel.Right - 3;
    f.PiszxyKolorE(prawy - f.SzerokoscTekstu(licznik), yNaglowka, licznik, KolorCzarny);
    if (st.Ilosc > 0) {
        const QString czasy = DlugoscPlaylisty() + QStringLiteral(" - ") +
                              KoniecPlaylisty(s.Stan.KorektaCzasuJest ? s.PrzesuniecieCzasu : 0);
        const int x = prawy - f.SzerokoscTekstu(QStringLiteral("00:00:00.000 - 00:00:00.000  0000/0000"));
        f.PiszxyKolorE(x, yNaglowka, czasy, KolorCzarny);
    }
    MalujPoleKomunikatu(f, s.Komunikat, false);

    f.PoleWklesleE(st.Lista, KolorCienia, KolorCienia, KolorBialy);
    if (st.Ilosc <= 0)
        f.PiszxyKolorE(st.Lista.Left + SkalaX(11), st.Lista.Top + SkalaY(5), QStringLiteral("Nie ma elementów"),
                       KolorBialy);
    for (qint32 n = st.Pierwszy; n < st.Pierwszy + st.Wierszy && n <= st.Ilosc; ++n) RysujWierszPlaylisty(f, s, n);
    rysujSuwak(f, st);
}

void RysujWierszPlaylisty(TRForm& f, const SilnikEmisji& s, qint32 n) {
    const StanListy& st = StanPlaylisty;
    if (n < st.Pierwszy || n >= st.Pierwszy + st.Wierszy || n < 1 || n > st.Ilosc || n > MaksPlaylisty) return;
    const TElemPListy& e = Playlista[size_t(n)];
    const int top = GoraWiersza(st, n, wiersz());
    TRect w;
    Prostokat(w, st.Lista.Left, top, st.Lista.Right, top + wiersz() - 1);
    f.PoleWypukleE(w, n == st.Kursor ? KolorCzerwony : KolorCienia, KolorCzarny, KolorBialy);

    // The time box.
    TRect pc;
    ProstokatWH(pc, w.Left + SkalaX(3), top + SkalaY(2), SkalaX(74), SkalaY(26));
    const bool zagrany = (e.Typ & TypZagrany) != 0;
    const TColor tloCzasu = zagrany ? KolorTlaPrzycisku : kolorPolaCzasu(e);
    f.PoleWklesleE(pc, tloCzasu, KolorCzarny, KolorBialy);
    const qint32 gra = grany(s);
    QString czas;
    if (s.Stan.KorektaCzasuJest && gra > 0 && n < gra) {
        czas.clear();  // rows before the element playing show no time
    } else {
        qint64 t = e.Emi < 0 ? -1 : qint64(e.Emi) + e.NwP;
        if (t >= 0 && s.Stan.KorektaCzasuJest && gra > 0) t += s.PrzesuniecieCzasu;
        czas = ((e.Typ & TypZagrany) ? QStringLiteral("+") : (e.Typ & TypGrajO) ? QStringLiteral(">")
                                                                                : QStringLiteral(" ")) +
               CzasWiersza(t, s.Stan.Zegar12h);
    }
    // Yellow cannot be read on the light boxes (INFO, lime, an advert
    // without its length): black there.
    const bool jasne = tloCzasu == KolorTlaPrzycisku || tloCzasu == KolorLimonka;
    f.PiszxyKolorE(pc.Left + 3, pc.Top + 2, czas, jasne ? KolorCzarny : KolorZolty);
    if (Emisja.CzyWyswCzasZSEL && !QString(e.Sel).isEmpty())
        f.PiszxyKolorE(pc.Left + 3, pc.Top + 2 + f.WysokoscTekstu(), QStringLiteral(" ") + QString(e.Sel).left(9),
                       KolorSrebrny);

    // The texts in the white field, the information column at the right.
    const TekstyWierszaType t = TekstyWiersza(e);
    TRect pole;
    Prostokat(pole, w.Left + SkalaX(80), top + SkalaY(2), w.Right - SkalaX(110), top + SkalaY(28));
    f.PoleKolorE(pole, KolorBialy);
    const int szer = pole.Right - pole.Left;
    const quint8 rodzaj = RodzajElemPListy(e.Typ);
    f.PiszxyKolorE(pole.Left + 3, pole.Top + 1, f.PrzytnijDoSzerokosci(t.Gorny, szer - SkalaX(54)),
                   kolorGornego(rodzaj));
    f.PiszxyKolorE(pole.Left + 3, pole.Bottom - f.WysokoscTekstu() - 1,
                   f.PrzytnijDoSzerokosci(t.Dolny, szer - SkalaX(100)), KolorCzarny);
    f.PiszxyKolorE(pole.Right - 3 - f.SzerokoscTekstu(t.Dlugosc), pole.Top + 1, t.Dlugosc, KolorCzarny);
    if (const int d = deckElementu(s, n); d > 0) {
        const QString znak = QStringLiteral("[%1]").arg(QChar(u'A' + d - 1));
        f.PiszxyKolorE(pole.Right - 3 - f.SzerokoscTekstu(znak), pole.Bottom - f.WysokoscTekstu() - 1, znak,
                       KolorCzerwony);
    }
    if ((rodzaj == RodzajSND || rodzaj == RodzajAUD) && e.Wznow > 0 && Emisja.MIXPLUndoPlayWidokJest) {
        const qint32 dl = e.NwK != 0 ? e.NwK : e.Trw;
        if (dl > 0) {
            const int x = w.Left + int(qint64(w.Right - w.Left) * e.Wznow / dl);
            f.LiniaVKolorE(x, w.Top + 1, w.Bottom - 1, KolorCzerwony);
        }
    }

    const bool zawsze = Emisja.CzyZawszeInfoOCzasach;
    const QString zak = QString(e.Zak);
    const bool jest[4] = {e.Int > 0, e.Out > 0, e.Mix != -1 && e.Mix != 0, !zak.isEmpty()};
    const QString wartosc[4] = {sekundy(qint64(e.Int) - e.NwP), sekundy(e.Out), sekundy(e.Mix),
                                zak.isEmpty() ? QStringLiteral("?") : zak};
    for (int i = 0; i < 4; ++i) {
        if (!jest[i] && !zawsze) continue;
        const TRect r = ProstokatPudelka(i, top);
        // The caption over its box, centred on it.
        const QString podpis = QString::fromUtf16(PudelkaInformacji[i].podpis);
        f.PiszxyKolorE((r.Left + r.Right + 1 - f.SzerokoscTekstu(podpis)) / 2, top + SkalaY(2), podpis, KolorCzarny);
        f.PiszPoleWklesleCentrE(r, KolorCzarny, wartosc[i], KolorCienia, KolorBialy);
    }
    TRect aut;
    ProstokatWH(aut, w.Right - SkalaX(24), top + SkalaY(6), SkalaX(21), SkalaY(21));
    f.PoleWklesleE(aut, e.Aut ? KolorCzerwony : KolorBialy, KolorCienia, KolorBialy);
}

void RysujTimeliste(TRForm& f, bool zegar12h) {
    StanListy& st = StanTimelisty;
    UstawPanele();
    f.PoleWypukleE(st.Panel, KolorTlaPrzycisku, KolorCienia, KolorBialy);
    const int yNaglowka = st.Panel.Top + 2;
    f.PiszxyKolorE(st.Panel.Left + 6, yNaglowka, QString(st.Nazwa), KolorCzarny);
    const QString licznik = QString::number(st.Kursor) + QStringLiteral("/") + QString::number(st.Ilosc);
    f.PiszxyKolorE(st.Panel.Right - 3 - f.SzerokoscTekstu(licznik), yNaglowka, licznik, KolorCzarny);
    f.PoleWklesleE(st.Lista, KolorBialy, KolorCienia, KolorBialy);
    const int wh = wierszTL();
    if (st.Ilosc <= 0)
        f.PiszxyKolorE(st.Lista.Left + SkalaX(11), st.Lista.Top + SkalaY(5), QStringLiteral("Nie ma elementów"),
                       KolorCzarny);
    const int xTytulu = st.Lista.Left + SkalaX(zegar12h ? 104 : 84);
    for (qint32 n = st.Pierwszy; n < st.Pierwszy + st.Wierszy && n <= st.Ilosc && n <= MaksTimelisty; ++n) {
        const TElemTListy& e = Timelista[size_t(n)];
        const int top = GoraWiersza(st, n, wh);
        TRect w;
        Prostokat(w, st.Lista.Left + 1, top, st.Lista.Right - 1, top + wh - 1);
        if (n == st.Kursor) f.PoleKolorE(w, KolorZolty);
        const int setki = e.Stan / 100 % 10;
        const TColor kolor = setki == 1 ? KolorZielony : setki == 2 ? KolorCzerwony : KolorCzarny;
        const auto [tekst, szary] = TekstCzasuTimelisty(n, zegar12h);
        const int y = top + (wh - f.WysokoscTekstu()) / 2;
        f.PiszxyKolorE(w.Left + SkalaX(6), y, tekst, szary ? KolorCienia : kolor);
        f.PiszxyKolorE(xTytulu, y, f.PrzytnijDoSzerokosci(e.Tyt, w.Right - xTytulu - 2), kolor);
    }
    rysujSuwak(f, st);
}

void RysujNazweTimelisty(TRForm& f) {
    TRect r;
    ProstokatSkalaWH(r, 582, 270, 54, 18);
    f.PiszPoleWklesleE(r, KolorCzarny, TimelistaNazwa, KolorCienia, KolorBialy);
}

void RysujNazwePlaylisty(TRForm& f) {
    TRect r;
    ProstokatSkalaWH(r, 550, 114, 86, 17);
    f.PiszPoleWklesleE(r, KolorCzarny, PlaylistaNazwa, KolorCienia, KolorBialy);
}

void RysujSynchLabel(TRForm& f, qint64 ms, bool wlaczony) {
    const StanListy& st = StanTimelisty;
    TRect r;
    Prostokat(r, st.Panel.Left + SkalaX(86), st.Panel.Top + 2, st.Panel.Left + SkalaX(140), st.Lista.Top - 3);
    const TColor kolor = !wlaczony ? KolorCienia : ms <= 0 ? KolorTlaPrzycisku : ms < 60'000 ? KolorCzerwony : KolorBialy;
    f.PiszPoleWklesleKolorE(r, KolorCzarny, kolor, CzasZegara24(std::max<qint64>(0, ms) % DobaMs), KolorCienia,
                            KolorBialy);
}
