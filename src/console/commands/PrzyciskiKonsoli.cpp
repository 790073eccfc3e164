#include "console/commands/PrzyciskiKonsoli.h"

#include "console/commands/Komendy.h"

// Nothing is hit before it is laid out: a fresh record would otherwise be a
// visible button at (0, 0) with command 0.
PrzyciskiKonsoli::PrzyciskiKonsoli() {
    for (auto& b : Pasek) b.Widoczny = 0;
    for (auto& b : Godziny) b.Widoczny = 0;
    for (auto& b : Wieloslad) b.Widoczny = 0;
    for (auto& b : Single) b.Widoczny = 0;
    for (auto& b : Timelista) b.Widoczny = 0;
}

void UstawPrzycisk(BUTTONType& b, const TRect& r, const QString& tytul, quint16 kod) {
    b.Rect = r;
    b.Tytul = tytul.left(DlugoscTytuluPrzycisku);
    b.Klawisz = KlawiszTytulu(b.Tytul);
    b.Kod = kod;
    b.Widoczny = 1;
}

bool PrzyciskWybrany(const BUTTONType& b) {
    if (b.Widoczny != 1) return false;
    const bool klawisz = Zdarzenie.Rodzaj == ZdarzenieKlawisz && b.Klawisz != 0 && Zdarzenie.Kod == b.Klawisz;
    const bool mysz = Zdarzenie.Rodzaj == ZdarzenieMysz && MyszPunkt.x() >= b.Rect.Left &&
                      MyszPunkt.x() <= b.Rect.Right && MyszPunkt.y() >= b.Rect.Top &&
                      MyszPunkt.y() <= b.Rect.Bottom;
    if (!klawisz && !mysz) return false;
    Zdarzenie.Rodzaj = ZdarzenieKomenda;
    Zdarzenie.Kod = b.Kod;
    return true;
}

namespace {

void ustaw(BUTTONType& b, int lewy, int gorny, int szer, int wys, const QString& tytul, quint16 kod) {
    TRect r;
    ProstokatSkalaWH(r, lewy, gorny, szer, wys);
    UstawPrzycisk(b, r, tytul, kod);
    b.Kolor = KolorSzary;
}

}  // namespace

void UstawPasekPrzyciskow(PrzyciskiKonsoli& p, const UkladPaska& u) {
    auto& b = p.Pasek;
    ustaw(b[PKonfiguracja], 456, 3, 24, 17, QStringLiteral("Konf."), KomKonfiguracja);
    ustaw(b[PCzytajProfil], 486, 3, 24, 17, QStringLiteral("Czyt."), KomCzytajProfil);
    ustaw(b[PZapiszProfil], 519, 3, 24, 17, QStringLiteral("Zap."), KomZapiszProfil);

    if (u.SatTrybJest) {
        ustaw(b[PSterowanie], 456, 81, 24, 23, QStringLiteral(" Ster."), KomSterowanie);
        ustaw(b[PSat], 486, 81, 24, 23, QStringLiteral("SAT"), KomSat);
    } else {
        ustaw(b[PSterowanie], 456, 81, 54, 23, QStringLiteral(" Sterowanie"), KomSterowanie);
        ustaw(b[PSat], 486, 81, 24, 23, QStringLiteral("SAT"), KomSat);
        b[PSat].Widoczny = 0;
    }
    if (!u.PanelPrzyciskSterowanieJest) b[PSterowanie].Widoczny = 0;
    ustaw(b[PAutoStop], 519, 81, 54, 23, QStringLiteral("~AutoStop"), KomAutoStop);
    if (u.CiszaJest) {
        ustaw(b[PAutomat], 582, 81, 24, 23, QStringLiteral("Au~to."), KomAutomat);
        ustaw(b[PCisza], 610, 81, 26, 23, QStringLiteral("Cisza"), KomCisza);
    } else {
        ustaw(b[PAutomat], 582, 81, 54, 23, QStringLiteral("Au~tomat"), KomAutomat);
        ustaw(b[PCisza], 610, 81, 26, 23, QStringLiteral("Cisza"), KomCisza);
        b[PCisza].Widoczny = 0;
    }

    ustaw(b[PUstawStart], 456, 114, 24, 17, QStringLiteral("U~st."), KomUstawStart);
    ustaw(b[PAktualizacja], 486, 114, 24, 17, QStringLiteral("Akt."), KomAktualizacja);
    ustaw(b[PUsunPlayliste], 519, 114, 22, 17, QStringLiteral("~x"), KomUsunPlayliste);

    ustaw(b[PDoklej], 456, 134, 54, 20, QStringLiteral("~Doklej"), KomDoklej);
    ustaw(b[PCzytaj], 519, 134, 54, 20, QStringLiteral("~Czytaj"), KomCzytaj);
    ustaw(b[PZapisz], 582, 134, 54, 20, QStringLiteral("~Zapisz"), KomZapisz);

    const int wysWstaw = u.CzyTrybEmisja ? 43 : 20;
    ustaw(b[PWstaw], 456, 164, 54, wysWstaw, QStringLiteral("~Wstaw"), KomWstaw);
    ustaw(b[PUsun], 519, 164, 54, wysWstaw, QStringLiteral("~Usuń"), KomUsun);
    ustaw(b[PInfo], 582, 164, 54, wysWstaw, QStringLiteral("~Info"), KomInfo);

    ustaw(b[PPrzesun], 456, 186, 26, 20, QStringLiteral("Przes."), KomPrzesun);
    ustaw(b[PBlok], 484, 186, 26, 20, QStringLiteral("Blok"), KomBlok);
    ustaw(b[PKod], 519, 186, 54, 20, QStringLiteral("~Kod"), KomKod);
    ustaw(b[PZmien], 582, 186, 54, 20, QStringLiteral("Zmi~eń"), KomZmien);

    ustaw(b[POpis], 456, 214, 54, 20, QStringLiteral("~Opis"), KomPanelOpis);
    ustaw(b[PDluga], 519, 214, 54, 20, QStringLiteral("Dłu~ga"), KomPanelDluga);
    ustaw(b[PWieloslad], 582, 214, 54, 20, QStringLiteral("Wie~loślad"), KomPanelWieloslad);

    ustaw(b[PMiksy], 456, 242, 54, 20, QStringLiteral("Miks~y"), KomMiksy);
    ustaw(b[PUndo], 519, 242, 54, 20, QStringLiteral("U~ndo"), KomUndo);
    ustaw(b[PBazaKat], 582, 242, 54, 20, QStringLiteral("~Baza/Kat."), KomBazaKat);

    if (u.CzyTrybEmisja) {
        for (int i : {PPrzesun, PUstawStart, PKod, PZmien, PBlok}) b[i].Widoczny = 0;
        ustaw(b[PAktualizacja], 456, 114, 54, 17, QStringLiteral("Akt."), KomAktualizacja);
    }
    if (u.CzyDodatkowaKlawiatura)
        for (int i : {PAutoStop, PAutomat, PInfo, PWstaw, PCzytaj, PKod, PBazaKat}) b[i].Kolor = KolorBordowy;
}

QString TytulGodziny(int godzina, bool zegar12h) {
    if (!zegar12h) return QString::number(godzina);
    const int h = godzina % 12 == 0 ? 12 : godzina % 12;
    const bool rano = godzina < 12;
    if (h < 10) return QString::number(h) + (rano ? QStringLiteral("AM") : QStringLiteral("PM"));
    return QString::number(h) + (rano ? QStringLiteral("A") : QStringLiteral("P"));
}

void UstawPrzyciskiGodzin(PrzyciskiKonsoli& p, bool zegar12h) {
    for (int godzina = 0; godzina < 24; ++godzina) {
        const int h = godzina + 1;
        const int lewy = h <= 12 ? 18 * h - 8 : 18 * h - 5;
        ustaw(p.Godziny[godzina], lewy, 78, 16, 7, TytulGodziny(godzina, zegar12h), quint16(KomGodzina0 + godzina));
    }
}

void UstawPrzyciskiTimelisty(PrzyciskiKonsoli& p, bool czyTrybEmisja, bool pytaj) {
    auto& b = p.Timelista;
    const int szerokosc = czyTrybEmisja ? 85 : 54;
    ustaw(b[PTSynchro], 456, 291, szerokosc, 20, QStringLiteral("Sync~h."), KomTimelistaSynchro);
    ustaw(b[PTCzytaj], czyTrybEmisja ? 551 : 519, 291, szerokosc, 20, QStringLiteral("Czytaj"), KomTimelistaCzytaj);
    ustaw(b[PTZapisz], 582, 291, 54, 20, QStringLiteral("Zapisz"), KomTimelistaZapisz);
    ustaw(b[PTCzysc], 550, 270, 22, 17, QStringLiteral("x"), KomTimelistaMinus);
    ustaw(b[PTPytaj], 456, 270, 22, 17, QStringLiteral("?"), KomTimelistaPytaj);
    ustaw(b[PTKolejno], 488, 270, 22, 17, QStringLiteral("^"), KomTimelistaKolejno);
    ustaw(b[PTWczesniejsze], 519, 270, 22, 17, QStringLiteral("-"), KomTimelistaWczesniejsze);
    ustaw(b[PTWstaw], 456, 452, 54, 20, czyTrybEmisja ? QStringLiteral("PlayL") : QStringLiteral("Wstaw"),
          czyTrybEmisja ? KomPlayL : KomTimelistaWstaw);
    ustaw(b[PTUsun], 519, 452, 54, 20, czyTrybEmisja ? QStringLiteral("TerazL") : QStringLiteral("Usuń"),
          czyTrybEmisja ? KomTerazL : KomTimelistaUsun);
    ustaw(b[PTInfo], 582, 452, 54, 20, czyTrybEmisja ? QStringLiteral("RekL") : QStringLiteral("Info"),
          czyTrybEmisja ? KomRekL : KomTimelistaInfo);
    if (czyTrybEmisja) b[PTZapisz].Widoczny = b[PTCzysc].Widoczny = 0;
    if (!pytaj) b[PTPytaj].Widoczny = 0;
}

void UstawPrzyciskiWielosladu(PrzyciskiKonsoli& p) {
    struct Przycisk {
        quint16 kod;
        int lewy, szerokosc;
        const char* tytul;
    };
    static const Przycisk przyciski[] = {
        {KomWielosladOd + 1, 10, 40, "Zoom-"}, {KomWielosladOd, 54, 40, "Zoom+"},
        {KomWielosladOd + 2, 98, 40, "Norm."}, {KomWielosladOd + 3, 150, 50, "<- Break"},
        {KomWielosladOd + 4, 204, 50, "Break ->"}, {KomWielosladOd + 5, 264, 30, "<- DJ"},
        {KomWielosladOd + 6, 298, 30, "DJ ->"}, {KomWielosladOd + 7, 340, 30, "Poprz."},
        {KomWielosladOd + 8, 374, 30, "Nast."}, {KomWielosladDo, 410, 40, "Kolejny"},
    };
    for (size_t i = 0; i < p.Wieloslad.size(); ++i) {
        const Przycisk& w = przyciski[i];
        ustaw(p.Wieloslad[i], w.lewy, 452, w.szerokosc, 20, QString::fromUtf8(w.tytul), w.kod);
    }
}
