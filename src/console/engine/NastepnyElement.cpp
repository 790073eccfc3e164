// The next element to play and its one way in. Every change of the next mark
// (a start, a pass-over, an edit, an undo, a read going on air, Automat
// switched on) comes here: one walk picks the element that may air, one rule
// times it, one announcement tells the monitors. A path that moved the mark
// by itself would be found by the tick and brought here too.
#include "console/engine/SilnikEmisji.h"

#include "console/engine/EdycjaPlaylisty.h"
#include "console/engine/PozycjeListy.h"
#include "console/engine/SerwisyEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/KestSter2.h"
#include "playlists/D_Crossfade.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

using namespace pozycje;

// An element the next mark may stop at: a sound with its file, or an advert
// placeholder whose block stands in the time list.
bool SilnikEmisji::ElementGrywalny(qint32 numer) const {
    if (!wLiscie(numer))
        return false;
    const TElemPListy& e = Playlista[numer];
    if (RodzajDzwiekowy(RodzajElemPListy(e.Typ)) && PlikElementu(numer, e.Adr))
        return true;
    return placeholderReklamy(e) && ZnajdzGodzineTListy(e.Tyt) > 0;
}

bool SilnikEmisji::Zagrany(const TElemPListy& e) {
    // A list played in a loop airs again what it played.
    return (e.Typ & TypZagrany) != 0 && !Emisja.CzyPlaylistaZapetlona;
}

bool SilnikEmisji::UstalNastepny(qint32 od, ZmianaNastepnego zmiana, const std::function<bool(const QString&)>& jest) {
    const qint32 stary = StanPlaylisty.DoGrania;
    if (od < 1 || StanPlaylisty.Ilosc < 1) {
        StanPlaylisty.DoGrania = 0;
        przyMiksie_ = {};
        nastepnyUstalony_ = 0;
        return false;
    }
    // The walk costs the tick only numbers: a recording passed over because
    // its file is missing says so, one line each, made by the log's writer.
    // Its address is the one the presence worker checked (the same text), so
    // only its number is kept, unless the element holds another address.
    // One look at the worker's knowledge serves the whole walk.
    const auto widok = Pliki.Zobacz();
    const auto znane = widok.Adresy();
    const TablicaPlaylisty& elementy = Playlista;
    std::vector<qint32> pominiete;
    std::vector<std::pair<qint32, QString>> inneAdresy;
    auto zglosPominiete = [&pominiete, &inneAdresy, &znane] {
        if (pominiete.empty() || !Nastawy.LOGZbiorJest)
            return;
        LogWiele([p = std::move(pominiete), inne = std::move(inneAdresy), znane] {
            QStringList linie;
            linie.reserve(qsizetype(p.size()));
            size_t j = 0;
            for (const qint32 numer : p) {
                const bool inny = j < inne.size() && inne[j].first == numer;
                const QString& adres = inny ? inne[j++].second : (*znane)[size_t(numer)];
                linie << QStringLiteral("Pominięto pozycję nr ") + QString::number(numer) + QLatin1Char(' ') + adres +
                             QStringLiteral(" !!! BRAK NAGRANIA !!!");
            }
            return linie;
        });
    };
    qint32 n = od;
    bool zawinieto = false;
    // Sounds passed over: the element found is then not the one planned to
    // follow what is on air.
    bool pominietoDzwiek = false;
    while (true) {
        if (n > StanPlaylisty.Ilosc) {
            if (!Emisja.CzyPlaylistaZapetlona || zawinieto) {
                zglosPominiete();
                // Nothing left that may air: the mark stays where it stood and
                // Automat, which would have nothing to start, goes off.
                StanPlaylisty.DoGrania = wLiscie(stary) ? stary : 0;
                nastepnyUstalony_ = wLiscie(stary) ? NumerujElement(Playlista[stary]) : 0;
                przyMiksie_ = {};
                if (Stan.TrybAutomat)
                    PrzelaczAutomat();
                return false;
            }
            zawinieto = true;
            n = 1;
        }
        wprzod(elementy, n + NaprzodMarszu);
        const TElemPListy& e = elementy[size_t(n)];
        const bool dzwiek = RodzajDzwiekowy(RodzajElemPListy(e.Typ));
        if (Zagrany(e) || NaDeku(n)) {
            pominietoDzwiek = pominietoDzwiek || dzwiek;
            ++n;
            continue;
        }
        // Known missing: by the presence worker, or by the read that has
        // just looked at the files of a list the worker has not seen yet.
        bool brak = znanyBrak(widok, e, n);
        const bool zOdczytu = !brak && jest && dzwiek && !placeholderReklamy(e) &&
                              widok(n, e.Adr) == ObecnoscPlikow::Nieznany && !jest(e.Adr);
        brak = brak || zOdczytu;
        if (!brak && ElementGrywalny(n))
            break;
        if (dzwiek)
            pominietoDzwiek = true;
        if (Nastawy.LOGZbiorJest && (brak || dzwiek)) {
            const QString& a = e.Adr.str();
            const bool znany = (brak && !zOdczytu) || (znane && size_t(n) < znane->size() &&
                                                      (*znane)[size_t(n)].constData() == a.constData() &&
                                                      (*znane)[size_t(n)].size() == a.size());
            pominiete.push_back(n);
            if (!znany)
                inneAdresy.emplace_back(n, a);
        }
        ++n;
    }
    zglosPominiete();
    StanPlaylisty.DoGrania = n;
    const bool przebieg = zmiana == ZmianaNastepnego::Start || zmiana == ZmianaNastepnego::Pominiecie;
    if (przebieg && FlagaNastepnego)
        StanPlaylisty.Kursor = n;
    const quint64 tozsamosc = NumerujElement(Playlista[n]);
    bool inny = tozsamosc != nastepnyUstalony_;
    nastepnyUstalony_ = tozsamosc;
    // The element planned to follow what has just started keeps its planned
    // time, and so does one that stays next by its plan, unless that time
    // falls after the end of all that plays (times an edit or an undo left
    // behind would leave a hole) and silence between elements is not asked
    // for: then, as any other new next element, it starts at the crossfade
    // point of the element on air. A moved planned time is said again.
    const bool wedlugPlanu = zmiana == ZmianaNastepnego::Start && !pominietoDzwiek && !zawinieto;
    if (wedlugPlanu || !(inny || PrzyMiksie(n))) {
        if (wedlugPlanu)
            przyMiksie_ = {};
        if (!Emisja.CiszaGra && !PrzyMiksie(n) && KotwiczPrzyMiksie(n, true))
            inny = true;
    } else if (KotwiczPrzyMiksie(n, false)) {
        inny = true;
    }
    if (!inny)
        return true;
    wyjscia_->OdswiezPlayliste();
    if (zmiana != ZmianaNastepnego::Start)
        PokazBlokNastepnego(Playlista[n]);
    ZapowiedzNastepny(zmiana == ZmianaNastepnego::Edycja ? 2 : 1);
    return true;
}

void SilnikEmisji::SprawdzNastepny() {
    if (PlaylistaZmieniona)
        return;
    const qint32 n = StanPlaylisty.DoGrania;
    const quint64 t = wLiscie(n) ? Playlista[n].Tozsamosc.Numer : 0;
    if (n == 0 ? nastepnyUstalony_ == 0 : t != 0 && t == nastepnyUstalony_)
        return;
    // A mark on what aired or plays would air it twice: the walk moves it
    // on. Any other is taken as it stands; a missing file there is found and
    // passed over by its start as ever.
    if (wLiscie(n) && (Zagrany(Playlista[n]) || NaDeku(n)))
        UstalNastepny(n, ZmianaNastepnego::Edycja);
    else
        nastepnyUstalony_ = wLiscie(n) ? NumerujElement(Playlista[n]) : 0;
}

bool SilnikEmisji::KotwiczPrzyMiksie(qint32 n, bool gdyPozniej) {
    TElemPListy& e = Playlista[n];
    przyMiksie_ = {};
    // An element timed to the clock keeps its time.
    if ((e.Typ & TypGrajO) || (serwisy_ && serwisy_->CzekaNaGodzine(n)))
        return false;
    qint64 punkt = 0, koniec = 0;
    if (gdyPozniej && !(e.Emi >= 0 && PunktMiksu(e, 0, &punkt, true, &koniec) &&
                        PrzesuniecieDoby(qint64(e.Emi) + e.NwP - koniec) > 0))
        return false;
    przyMiksie_.tozsamosc = e.Tozsamosc.Numer;
    // Its planned time and those after it follow, so that the list, DO
    // GRANIA and the START line say when it airs: as if what lay between were
    // not in the list. A "Graj o" element keeps its time and those after it
    // keep theirs.
    if (e.Emi < 0 || !PunktMiksu(e, 0, &punkt, true))
        return false;
    const qint64 d = PrzesuniecieDoby(punkt - (qint64(e.Emi) + e.NwP));
    if (d == 0)
        return false;
    for (qint32 i = n; i <= StanPlaylisty.Ilosc; ++i) {
        TElemPListy& x = Playlista[i];
        if (i > n && (x.Typ & TypGrajO))
            break;
        if (x.Emi >= 0)
            x.Emi = modDoby(qint64(x.Emi) + d);
    }
    return true;
}

bool SilnikEmisji::PrzyMiksie(qint32 numer) const {
    return przyMiksie_.tozsamosc != 0 && wLiscie(numer) && Playlista[numer].Tozsamosc.Numer == przyMiksie_.tozsamosc;
}

bool SilnikEmisji::PunktMiksu(const TElemPListy& nastepny, qint32 t, qint64* punkt, bool naOsi,
                              qint64* koniec) const {
    // Of what plays on players 1 to 3, the element that ends last: the song
    // started last, or a voice talking over a song's end. One started within
    // this tick counts before the tick has seen it play.
    quint8 s = 0;
    for (quint8 q = 1; q <= 3; ++q) {
        if (!Stan.OdtwarzaczZajety[q] || !(naOsi || SlotGra[q]))
            continue;
        const MIXMagnetType& r = Odtwarzacz[q];
        if (s == 0 || qint64(r.NwK) - r.Pozycja > qint64(Odtwarzacz[s].NwK) - Odtwarzacz[s].Pozycja)
            s = q;
    }
    if (s == 0)
        return false;
    const MIXMagnetType& r = Odtwarzacz[s];
    TElemPListy naAntenie;
    naAntenie.Typ = r.RodzajElementu;
    naAntenie.Mix = r.NwK - r.Miks;
    // Capped by the next element's length as the list knows it: the tick
    // reads no file.
    const qint32 x = CrossfadeMiedzy(naAntenie, nastepny, nastepny.Trw > 0 ? nastepny.Trw : -1);
    // On the day axis of that element, or moved onto the axis of the on-air
    // time `t`, which may follow another deck.
    *punkt = naOsi ? qint64(r.NwK) - x : qint64(t) + (qint64(r.NwK) - x - r.Pozycja);
    if (koniec)
        *koniec = r.NwK;
    return true;
}

void SilnikEmisji::KursorNaNastepny() {
    const qint32 k = StanPlaylisty.Kursor;
    if (!ElementGrywalny(k))
        return;
    // What aired or plays does not come again as the next element.
    if (NaDeku(k) || Zagrany(Playlista[k])) {
        wyjscia_->UstawStatus(NaDeku(k) ? QStringLiteral("Pozycja jest na odtwarzaczu")
                                        : QStringLiteral("Pozycja była już zagrana"),
                              KolorStatusu::Czarny);
        return;
    }
    UstalNastepny(k, ZmianaNastepnego::Edycja);
}
