#include "console/commands/Dyspozytor.h"

#include "console/commands/Komendy.h"
#include "library/DKatalogOdczyt.h"
#include "platform/Clock.h"
#include "playlists/NastawyEmisji.h"

Dyspozytor::Dyspozytor(StanKonsoli& stan, PrzyciskiKonsoli& przyciski, CelDyspozytora& cel)
    : stan_(stan), przyciski_(przyciski), cel_(cel) {}

void Dyspozytor::UstawObsluge(quint16 od, quint16 do_, Obsluga obsluga) {
    obslugi_.push_back({od, do_, std::move(obsluga)});
}

bool Dyspozytor::MaObsluge(quint16 id) const {
    for (const auto& z : obslugi_)
        if (id >= z.od && id <= z.do_ && z.obsluga) return true;
    return false;
}

void Dyspozytor::wywolaj(quint16 id) {
    for (auto it = obslugi_.rbegin(); it != obslugi_.rend(); ++it) {
        if (id >= it->od && id <= it->do_) {
            if (it->obsluga) it->obsluga(id);
            return;
        }
    }
}

bool Dyspozytor::trafieniePrzycisku() {
    for (const auto& b : przyciski_.Pasek)
        if (PrzyciskWybrany(b)) return true;
    for (const auto& b : przyciski_.Godziny)
        if (PrzyciskWybrany(b)) return true;
    if (stan_.PanelDolny == PanelWieloslad)
        for (const auto& b : przyciski_.Wieloslad)
            if (PrzyciskWybrany(b)) return true;
    if (stan_.PanelDolny == PanelSingle)
        for (const auto& b : przyciski_.Single)
            if (PrzyciskWybrany(b)) return true;
    for (const auto& b : przyciski_.Timelista)
        if (PrzyciskWybrany(b)) return true;
    return false;
}

// Clicks that are not buttons. True when the event was taken (it is then
// either a command or done with).
bool Dyspozytor::obszaryKlikniec() {
    if (MyszPrzycisk == 2) {
        if (cel_.KlikWierszyPlaylisty(2)) {
            MyszPrzycisk = 0;
            return true;
        }
        return false;
    }
    if (MyszPrzycisk == 3) return cel_.KlikWierszyPlaylisty(3);
    if (MyszPrzycisk != 1) return false;

    if (cel_.KlikWierszyPlaylisty(1)) return true;
    if (!stan_.PauzaJest) {
        const int wiersz = cel_.KlikWierszyTimelisty();
        if (wiersz == 2) {
            Zdarzenie.Rodzaj = ZdarzenieKomenda;
            Zdarzenie.Kod = KomTimelistaGrajTeraz;
            return true;
        }
        if (wiersz == 1) return true;
    }
    if (cel_.KlikSuwaka()) return true;
    if (stan_.PanelDolny == PanelWieloslad) {
        TRect obszar;
        ProstokatSkala(obszar, 0, 315, 453, 480);
        if (ZdarzenieWProstokacie(obszar)) {
            cel_.KlikWielosladu();
            return true;
        }
    }
    TRect pole;
    if (cel_.PoleStatusu(pole) && ZdarzenieWProstokacie(pole)) {
        Zdarzenie.Rodzaj = ZdarzenieKomenda;
        Zdarzenie.Kod = KomStatus;
        return true;
    }
    return false;
}

void Dyspozytor::Dyspozytuj() {
    if (Zdarzenie.Rodzaj == ZdarzenieKlawisz || Zdarzenie.Rodzaj == ZdarzenieMysz) trafieniePrzycisku();
    if (Zdarzenie.Rodzaj == ZdarzenieKlawisz) {
        const quint16 id = KomendaKlawisza(Zdarzenie.Kod);
        if (id != KomBrak) {
            Zdarzenie.Rodzaj = ZdarzenieKomenda;
            Zdarzenie.Kod = id;
        }
    }
    if (Zdarzenie.Rodzaj == ZdarzenieMysz) obszaryKlikniec();
    if (Zdarzenie.Rodzaj == ZdarzenieKomenda) wykonaj(Zdarzenie.Kod);
    KasujZdarzenie();
}

void Dyspozytor::Kolko(bool wDol, QPoint punkt) {
    Zdarzenie.Rodzaj = ZdarzenieKlawisz;
    Zdarzenie.X = punkt.x();
    Zdarzenie.Y = punkt.y();
    if (!stan_.PauzaJest && cel_.PunktWWierszachTimelisty(punkt))
        Zdarzenie.Kod = wDol ? 0x5032 : 0x4838;  // keypad 2 / keypad 8
    else
        Zdarzenie.Kod = wDol ? 0x5000 : 0x4800;  // Down / Up
    Dyspozytuj();
}

void Dyspozytor::wykonaj(quint16 id) {
    if (!KomendaZnana(id)) return;
    const bool tryb = stan_.TrybPrzesuwania || stan_.TrybBloku;
    if (tryb && !KomendaWTrybiePrzesuwania(id)) return;
    if (!KomendaPodczasCzytania(id) && stan_.CzytaniePlaylisty) return cel_.OdmowaPodczasCzytania();
    // While the folder browser waits for a slow listing nothing opens over it.
    if (!KomendaPodczasCzekania(id) && KatalogCzeka()) return;
    // Esc means something only while moving or marking a block.
    if (id == KomWyjdz && !tryb) return;

    switch (id) {
    case KomStart:
        if (tryb) break;  // the move or block handler drops or deletes at the cursor
        if (!Emisja.StartEnter) return;
        if (!(stan_.OdtwarzaczZajety[1] == 0 && stan_.OdtwarzaczZajety[2] == 0) && !Emisja.StartEnterGra) return;
        if (Emisja.MIXPLAutomatKorektaJest) {
            stan_.KorektaStart = platform::clock().now();
            stan_.KorektaElement = cel_.KursorPlaylisty();
        }
        break;
    case KomBazaKat:
        stan_.TrybWstawiania = stan_.TrybWstawiania == 1 ? 2 : 1;
        WcisnijPrzycisk(PBazaKat, stan_.TrybWstawiania == 2);
        break;
    case KomPanelOpis: przelaczPanel(PanelOpis); break;
    case KomPanelDluga: przelaczPanel(PanelDlugaPlaylista); break;
    case KomPanelWieloslad: przelaczPanel(PanelWieloslad); break;
    case KomTimelistaMinus:
        if (stan_.OdtwarzaczZajety[1] != 0 || stan_.OdtwarzaczZajety[2] != 0) return;
        break;
    case KomTimelistaGrajTeraz:
        if (stan_.PauzaJest) return;
        stan_.ElementStartowany = 0;
        break;
    default:
        break;
    }
    wywolaj(id);
}

void Dyspozytor::przelaczPanel(quint8 panel) {
    UstawPanelDolny(stan_.PanelDolny == panel ? quint8(PanelSingle) : panel);
    cel_.RysujPanelDolny();
}

void Dyspozytor::UstawPanelDolny(quint8 panel) {
    stan_.PanelDolny = panel;
    const std::pair<int, quint8> przyciski[] = {
        {POpis, PanelOpis}, {PDluga, PanelDlugaPlaylista}, {PWieloslad, PanelWieloslad}};
    for (const auto& [indeks, jego] : przyciski) WcisnijPrzycisk(indeks, jego == panel);
}

void Dyspozytor::WcisnijPrzycisk(int indeks, bool wcisniety) {
    auto& b = przyciski_.Pasek[size_t(indeks)];
    const quint8 stan = wcisniety ? 1 : 0;
    if (b.Stan == stan) return;
    b.Stan = stan;
    cel_.RysujPrzycisk(b);
}
