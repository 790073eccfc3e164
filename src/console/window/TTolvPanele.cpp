// The playlist and time-list panels of the main window: their pictures and
// the clicks on their rows and scroll bars.
#include "console/window/TTolv.h"

#include "audio/DMagnet.h"
#include "audio/Sygnaly2.h"
#include "console/commands/Komendy.h"
#include "console/engine/PanelListy.h"
#include "console/window/PanelPlaylisty.h"
#include "foundation/KestSter2.h"
#include "platform/Paths.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

namespace {

int wierszPL() { return std::max(1, SkalaY(WierszPlaylistyJ)); }
int wierszTL() { return std::max(1, SkalaY(WierszTimelistyJ)); }

bool wProstokacie(const TRect& r, QPoint p) {
    return p.x() >= r.Left && p.x() <= r.Right && p.y() >= r.Top && p.y() <= r.Bottom;
}

TRect pudelkoWiersza(int odLewej, int odPrawej, int gora, int szerokosc, int wysokosc, qint32 n) {
    const StanListy& st = StanPlaylisty;
    const int top = GoraWiersza(st, n, wierszPL());
    TRect r;
    const int lewy = odPrawej > 0 ? st.Lista.Right - SkalaX(odPrawej) : st.Lista.Left + SkalaX(odLewej);
    ProstokatWH(r, lewy, top + SkalaY(gora), SkalaX(szerokosc), SkalaY(wysokosc));
    return r;
}

bool grywalnyRodzaj(quint8 rodzaj) {
    return rodzaj == RodzajSND || rodzaj == RodzajREK || rodzaj == RodzajDJ_ || (rodzaj >= 8 && rodzaj <= 15);
}

void komenda(quint16 id) {
    Zdarzenie.Rodzaj = ZdarzenieKomenda;
    Zdarzenie.Kod = id;
}

}  // namespace

void TTolv::RysujPanelPlaylisty() {
    RysujPlayliste(*this, silnik_);
    RysujNazwePlaylisty(*this);  // an undo brings an earlier name back
    komunikatNaEkranie_.reset();
    for (const auto& b : przyciski_.Godziny) BUTTON_Draw(b);
    // The description and the timeline follow the cursor.
    if (silnik_.Stan.PanelDolny != PanelSingle) RysujWidokDolny();
}

void TTolv::OdswiezPlayliste() {
    PrzewinDoKursora(StanPlaylisty);
    RysujPanelPlaylisty();
}

void TTolv::OdswiezTimeliste() {
    PrzewinDoKursora(StanTimelisty);
    RysujTimeliste(*this, silnik_.Stan.Zegar12h);
    RysujNazweTimelisty(*this);
    RysujSynchLabel(*this, timery_.DoNastepnejTL, timery_.TimelistaSynchroJest);
    synchNaEkranie_.reset();
}

bool TTolv::KlikWierszyPlaylisty(quint8 przycisk) {
    StanListy& st = StanPlaylisty;
    if (!wProstokacie(st.Lista, MyszPunkt)) return false;
    const qint32 n = ElementWPunkcie(st, MyszPunkt, wierszPL());
    // A click below the last element is on the rows but changes nothing.
    if (n == 0) return true;
    TElemPListy& e = Playlista[size_t(n)];
    const TRect czas = pudelkoWiersza(3, 0, 2, 74, 26, n);
    switch (przycisk) {
    case 1: {
        if (wProstokacie(pudelkoWiersza(0, 24, 6, 21, 21, n), MyszPunkt)) {
            // The list being read replaces this row: the change would be lost.
            if (silnik_.Stan.CzytaniePlaylisty) {
                ::OdmowaPodczasCzytania(silnik_);
                return true;
            }
            e.Aut = e.Aut ? 0 : 1;
            Log((e.Aut ? QStringLiteral("SEMIAUTOMAT ON ") : QStringLiteral("SEMIAUTOMAT OFF ")) + e.Ide);
            RysujWierszPlaylisty(*this, silnik_, n);
            return true;
        }
        if (n == st.Kursor && Emisja.PListPlayMysz) {
            komenda(KomStart);
            return true;
        }
        st.Kursor = n;
        if (Nastawy.ZgodnoscDOS) silnik_.UstalNastepny(n, ZmianaNastepnego::Edycja);
        OdswiezPlayliste();
        return true;
    }
    case 3:
        if (wProstokacie(czas, MyszPunkt)) {
            st.Kursor = n;
            OdswiezPlayliste();
            // One click confirms the mode that is on (a move drops at the
            // cursor, a block ends there); else it starts moving.
            komenda(silnik_.Stan.TrybPrzesuwania || silnik_.Stan.TrybBloku ? KomStart : KomPrzesun);
            return true;
        }
        // The next mark's own command decides from what the presence worker
        // knows: a click never looks at the music folder.
        if (grywalnyRodzaj(RodzajElemPListy(e.Typ))) {
            st.Kursor = n;
            komenda(KomKolejny);
        }
        return true;
    case 2:
        if (n == st.Kursor) OdsluchWiersza(n);
        return true;
    default:
        return true;
    }
}

void TTolv::OdsluchWiersza(qint32 n) {
    TElemPListy& e = Playlista[size_t(n)];
    const quint8 rodzaj = RodzajElemPListy(e.Typ);
    if (!grywalnyRodzaj(rodzaj) || (rodzaj == RodzajREK && Emisja.CzyReklamaJakoBelka)) return;
    const QString plik = QString(e.Adr);
    if (!platform::fileExists(plik)) return;
    const qint32 l = CzasTrwaniaPliku(plik);
    const int top = GoraWiersza(StanPlaylisty, n, wierszPL());
    const auto pokaz = [&](qint32 start, quint8 tryb) {
        PokazMagnetofon(plik, std::max(0, start), tryb, mapToGlobal(QPoint(0, top)).y(),
                        StanPlaylisty.Lista.Right - StanPlaylisty.Lista.Left, mapToGlobal(QPoint(StanPlaylisty.Lista.Left, 0)).x());
    };
    const TRect pasmo = pudelkoWiersza(80, 0, 2, 248, 26, n);
    if (wProstokacie(pudelkoWiersza(3, 0, 2, 74, 26, n), MyszPunkt)) {
        pokaz(0, 1);
    } else if (wProstokacie(pasmo, MyszPunkt)) {
        const qint32 p = qint32(qint64(MyszPunkt.x() - pasmo.Left) * l / std::max(1, pasmo.Right - pasmo.Left));
        if (silnik_.Stan.ZdarzenieFlaga && silnik_.Stan.CzytaniePlaylisty) {
            ::OdmowaPodczasCzytania(silnik_);
        } else if (silnik_.Stan.ZdarzenieFlaga) {
            e.Wznow = p;
            RysujWierszPlaylisty(*this, silnik_, n);
        } else {
            pokaz(p, 2);
        }
    } else if (e.Int > 0 && wProstokacie(ProstokatPudelka(0, top), MyszPunkt)) {
        pokaz(e.Int, 1);
    } else if (e.Out > 0 && wProstokacie(ProstokatPudelka(1, top), MyszPunkt)) {
        pokaz(e.Out, 2);
    } else if (e.Mix > 0 && wProstokacie(ProstokatPudelka(2, top), MyszPunkt)) {
        pokaz(l - e.Mix, 2);
    } else if (!QString(e.Zak).isEmpty() && wProstokacie(ProstokatPudelka(3, top), MyszPunkt)) {
        pokaz(l - 3000, 1);
    }
}

int TTolv::KlikWierszyTimelisty() {
    StanListy& st = StanTimelisty;
    if (!wProstokacie(st.Lista, MyszPunkt)) return 0;
    const qint32 n = ElementWPunkcie(st, MyszPunkt, wierszTL());
    if (n == 0) return 1;
    if (n == st.Kursor) return 2;
    st.Kursor = n;
    OdswiezTimeliste();
    return 1;
}

bool TTolv::KlikSuwaka() {
    for (StanListy* st : {&StanPlaylisty, &StanTimelisty}) {
        if (!wProstokacie(st->Pasek, MyszPunkt)) continue;
        przeciagany_ = st;
        st->Pierwszy = PierwszyDlaSuwaka(*st, MyszPunkt.y() - st->Pasek.Top, st->Pasek.Bottom - st->Pasek.Top);
        if (st == &StanPlaylisty) {
            RysujPanelPlaylisty();
        } else {
            RysujTimeliste(*this, silnik_.Stan.Zegar12h);
            synchNaEkranie_.reset();
        }
        return true;
    }
    return false;
}

bool TTolv::PoleStatusu(TRect& r) const {
    if (silnik_.Komunikat.isEmpty()) return false;
    r = ProstokatPolaKomunikatu();
    return true;
}

bool TTolv::PunktWWierszachTimelisty(QPoint punkt) const { return wProstokacie(StanTimelisty.Lista, punkt); }
