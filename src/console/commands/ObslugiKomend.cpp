#include "console/commands/ObslugiKomend.h"

#include "console/commands/Komendy.h"
#include "console/commands/KomendyEdycji.h"
#include "console/commands/KomendyPlaylisty.h"
#include "console/commands/PanelTimelisty.h"
#include "console/commands/ScianaSingli.h"
#include "console/engine/PanelListy.h"
#include "console/engine/TrybyEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "playlists/D_Timelista.h"
#include "foundation/Dialogi.h"
#include "foundation/KestSter2.h"

const std::vector<KomendaCzekajaca>& KomendyCzekajace() {
    static const std::vector<KomendaCzekajaca> lista = {
        {KomPlayL, KomRekL, "listy trybu emisji"},
    };
    return lista;
}

QString TekstKomendyCzekajacej(quint16 id, const char* co) {
    return QStringLiteral("Komenda ") + QString::number(id) + QStringLiteral(" niedostępna: ") + QString::fromUtf8(co);
}

void ZarejestrujObslugi(Dyspozytor& d, SilnikEmisji& silnik) {
    for (const auto& k : KomendyCzekajace()) {
        const char* co = k.Co;
        d.UstawObsluge(k.Od, k.Do, [co](quint16 id) { Log(TekstKomendyCzekajacej(id, co)); });
    }

    // The lower panel, the insertion source and the gates of Enter, keypad -
    // and keypad + are the dispatcher's own.

    SilnikEmisji* s = &silnik;
    d.UstawObsluge(KomAutoStop, KomAutoStop, [s](quint16) { PrzelaczAutoStop(*s); });
    d.UstawObsluge(KomSterowanie, KomSterowanie, [s](quint16) { PrzelaczSterowanie(*s); });
    d.UstawObsluge(KomSat, KomSat, [s](quint16) { s->PrzelaczSat(); });
    d.UstawObsluge(KomAutomat, KomAutomat, [s](quint16) { s->PrzelaczAutomat(); });
    d.UstawObsluge(KomCisza, KomCisza, [s](quint16) { PrzelaczCisza(*s); });
    d.UstawObsluge(KomMiksy, KomMiksy, [s](quint16) { Miksy(*s); });
    d.UstawObsluge(KomBlokadaEkranu, KomBlokadaEkranu, [s](quint16) {
        if (s->Stan.TrybAutomat) PokazBlokadeEkranu();
    });

    d.UstawObsluge(KomStop, KomStop, [s](quint16) { s->StopWszystko(); });
    d.UstawObsluge(KomStopSpacja, KomStopSpacja, [s](quint16) { s->StopKlawiszemSpacji(); });
    // Enter is the editing commands' (it confirms in move and block mode).
    // Keypad + and a click on the current time-list row.
    d.UstawObsluge(KomTimelistaGrajTeraz, KomTimelistaGrajTeraz,
                   [s](quint16) { s->Wyjscia().EmitujPozycjeTimelisty(0, ZrodloKlaw); });
    // The cursor keys of both lists: up, down, page up, page down, first, last.
    d.UstawObsluge(KomKursorGora, KomKursorKoniec, [s](quint16 id) {
        RuchKursora(StanPlaylisty, KrokKursora(id - KomKursorGora));
        if (Nastawy.ZgodnoscDOS) s->UstalNastepny(StanPlaylisty.Kursor, ZmianaNastepnego::Edycja);
        s->Wyjscia().OdswiezPlayliste();
    });
    d.UstawObsluge(KomTimelistaKursorOd, KomTimelistaKursorDo, [s](quint16 id) {
        RuchKursora(StanTimelisty, KrokKursora(id - KomTimelistaKursorOd));
        s->Wyjscia().OdswiezTimeliste();
    });
    d.UstawObsluge(KomWznow, KomWznow, [s](quint16) { s->GrajOdWznowienia(); });
    d.UstawObsluge(KomKolejny, KomKolejny, [s](quint16) { s->KursorNaNastepny(); });
    // A click on the message field while it shows a text.
    d.UstawObsluge(KomStatus, KomStatus, [s](quint16) {
        const QString tekst = s->Komunikat;
        if (Decyzja(QStringLiteral("Czy skasować pole statusu?"), tekst) != WynikTak) return;
        Log(QStringLiteral("Skasowanie statusu: ") + tekst);
        s->Komunikat.clear();
        s->Wyjscia().OdswiezKomunikat();
    });
    d.UstawObsluge(KomUsunPlayliste, KomUsunPlayliste, [s, &d](quint16) {
        // The button stays pressed while the question is open; a read
        // finishing meanwhile closes it, or its yes would empty the new list.
        const TrzymanieListy trzymanie;
        d.WcisnijPrzycisk(PUsunPlayliste, true);
        s->KasujPlayliste();
        d.WcisnijPrzycisk(PUsunPlayliste, false);
    });
}

void ZarejestrujObslugiEdycji(Dyspozytor& d, KomendyEdycji& komendy, SilnikEmisji& silnik) {
    KomendyEdycji* k = &komendy;
    SilnikEmisji* s = &silnik;
    // Each button stays lit while its command runs. An edit keeps element
    // numbers across its windows: a read finishing meanwhile closes them and
    // goes on air after it.
    const auto zPrzyciskiem = [&d](quint16 id, int przycisk, std::function<void()> praca) {
        d.UstawObsluge(id, id, [&d, przycisk, praca](quint16) {
            const TrzymanieListy trzymanie;
            d.WcisnijPrzycisk(przycisk, true);
            praca();
            d.WcisnijPrzycisk(przycisk, false);
        });
    };
    zPrzyciskiem(KomWstaw, PWstaw, [k] { k->KomendaWstaw(); });
    zPrzyciskiem(KomKod, PKod, [k] { k->WstawKod(); });
    zPrzyciskiem(KomUsun, PUsun, [k] { k->KomendaUsun(); });
    zPrzyciskiem(KomZmien, PZmien, [k] { k->KomendaZmien(); });
    zPrzyciskiem(KomUstawStart, PUstawStart, [k] { k->UstawGodzinePlaylisty(); });
    zPrzyciskiem(KomUndo, PUndo, [k] { k->CofnijOperacje(); });
    zPrzyciskiem(KomInfo, PInfo, [k] { k->EdytujOpisNagrania(); });
    d.UstawObsluge(KomAktualizacja, KomAktualizacja, [k](quint16) { k->PrzelaczTrybCzasu(); });
    d.UstawObsluge(KomPrzesun, KomPrzesun, [k](quint16) { k->RozpocznijPrzesuwanie(); });
    d.UstawObsluge(KomBlok, KomBlok, [k](quint16) { k->RozpocznijBlok(); });
    d.UstawObsluge(KomWyjdz, KomWyjdz, [k](quint16) { k->Wyjdz(); });
    d.UstawObsluge(KomStart, KomStart, [k, s](quint16) {
        // A move's drop and a block's delete ask first.
        const TrzymanieListy trzymanie;
        if (!k->Potwierdz()) s->GrajKolejny(0, TrybKursor, ZrodloKlaw);
    });
    d.UstawObsluge(KomGodzina0, KomGodzina23, [k](quint16 id) { k->KursorNaGodzine(id - KomGodzina0); });
    k->Podswietl = [&d](int przycisk, bool wcisniety) { d.WcisnijPrzycisk(przycisk, wcisniety); };
}

void ZarejestrujObslugiTimelisty(Dyspozytor& d, PanelTimelisty& panel) {
    PanelTimelisty* p = &panel;
    const auto komenda = [p](quint16 id) { p->Komenda(id); };
    d.UstawObsluge(KomTimelistaSynchro, KomTimelistaUsun, komenda);
    d.UstawObsluge(KomTimelistaInfo, KomTimelistaWczesniejsze, komenda);
}

void ZarejestrujObslugiSingli(Dyspozytor& d, ScianaSingli& sciana) {
    ScianaSingli* s = &sciana;
    const auto komenda = [s](quint16 id) { s->Komenda(id); };
    for (const auto& [od, do_] : {std::pair{KomSingleOd, KomSingleDo}, std::pair{KomSingleLewo, KomSinglePrawo},
                                  std::pair{KomSingielF1, KomSingielF12}, std::pair{KomPaletaCtrlF1, KomPaletaCtrlF6}})
        d.UstawObsluge(od, do_, komenda);
}

void ZarejestrujObslugiPlaylisty(Dyspozytor& d, KomendyPlaylisty& komendy) {
    KomendyPlaylisty* k = &komendy;
    // Each button stays lit while its command runs: a read or an append
    // until its list is on air.
    const auto zPrzyciskiem = [&d](int przycisk, std::function<void(std::function<void()>)> praca) {
        return [&d, przycisk, praca](quint16) {
            d.WcisnijPrzycisk(przycisk, true);
            praca([&d, przycisk] { d.WcisnijPrzycisk(przycisk, false); });
        };
    };
    d.UstawObsluge(KomCzytaj, KomCzytaj, zPrzyciskiem(PCzytaj, [k](auto koniec) { k->KomendaCzytajPlayliste(koniec); }));
    d.UstawObsluge(KomDoklej, KomDoklej, zPrzyciskiem(PDoklej, [k](auto koniec) { k->DoklejPlayliste(koniec); }));
    d.UstawObsluge(KomZapisz, KomZapisz, zPrzyciskiem(PZapisz, [k](auto koniec) {
        k->ZapiszPlayliste();
        koniec();
    }));
}
