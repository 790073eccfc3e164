#include "console/engine/EdycjaPlaylisty.h"

#include "console/engine/PanelListy.h"
#include "console/engine/SilnikEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "platform/Paths.h"
#include "playlists/D_Crossfade.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr qint32 GodzinaMs = 3'600'000;

qint64 koniec(const TElemPListy& e) {
    return qint64(e.Emi) + e.NwK;
}

// A break with its own sound plays whole and mixes into nothing.
TElemPListy doCzasu(const TElemPListy& e) {
    TElemPListy k = e;
    if (CzyBreakZDzwiekiem(k)) {
        k.NwK = k.Trw;
        k.Mix = 0;
    }
    return k;
}

bool serwisLubAudycja(const TElemPListy& e) {
    const QString t = e.Tyt;
    return t.startsWith(QStringLiteral("#SERWIS")) || t.startsWith(QStringLiteral("#AUDYCJA"));
}

qint32 naDobe(qint64 t) {
    return qint32(((t % DobaMs) + DobaMs) % DobaMs);
}

void przesunCzasy(qint32 od, qint32 do_, qint64 d) {
    if (d == 0) return;
    for (qint32 i = od; i <= do_; ++i) Playlista[i].Emi = naDobe(qint64(Playlista[i].Emi) + d);
}

bool glosNaPiosence(const TElemPListy& e) {
    const quint8 r = RodzajElemPListy(e.Typ);
    return r == RodzajDJ_ || r == RodzajWHI;
}

}  // namespace

ZmianaPlaylisty::ZmianaPlaylisty(SilnikEmisji& silnik) : silnik_(silnik), poprzednio_(silnik.PlaylistaZmieniona) {
    silnik_.PlaylistaZmieniona = true;
}

ZmianaPlaylisty::~ZmianaPlaylisty() { silnik_.PlaylistaZmieniona = poprzednio_; }

qint64 PrzesuniecieDoby(qint64 d) {
    const qint64 pol = DobaMs / 2;
    qint64 r = ((d % DobaMs) + DobaMs) % DobaMs;  // [0, 24 h)
    if (r > pol) r -= DobaMs;                     // (-12 h, 12 h]
    return r;
}

qint32 PojemnoscPlaylisty() {
    const qint32 p = StanPlaylisty.Pojemnosc;
    return p > 0 && p < MaksPlaylisty ? p : MaksPlaylisty;
}

bool PlaylistaPelna() {
    return StanPlaylisty.Ilosc >= PojemnoscPlaylisty();
}

bool CzyWOdtwarzaczu(const SilnikEmisji& silnik) {
    const qint32 c = StanPlaylisty.Kursor;
    if (c < 1) return false;
    for (quint8 s = 1; s <= 3; ++s)
        if (silnik.SlotZajety(s) && silnik.Odtwarzacz[s].Element == c) return true;
    return false;
}

bool CzyNakladka(qint32 i) {
    if (i < 1 || i >= StanPlaylisty.Ilosc) return false;
    const TElemPListy& e = Playlista[i];
    const TElemPListy& n = Playlista[i + 1];
    return RodzajElemPListy(e.Typ) == RodzajSND && glosNaPiosence(n) && n.Emi < qint64(e.Emi) + e.Trw / 2;
}

bool WstawRekordPlaylisty(SilnikEmisji& silnik, TElemPListy n) {
    if (PlaylistaPelna())
        return false;
    const qint32 c = qBound(0, StanPlaylisty.Kursor, StanPlaylisty.Ilosc);
    const qint32 ilosc = StanPlaylisty.Ilosc;
    const bool mowiony = CzyElemMowiony(n) && !Emisja.CzyPlayListaWstawRozsun;

    // The air time from the element before, or from the one before that
    // when it ends later (not across midnight).
    if (c == 0) {
        n.Emi = 0;
    } else {
        TElemPListy p = Playlista[c];
        const qint32 godzinaP = p.Emi / GodzinaMs;
        if (c > 1 && godzinaP != 0 && godzinaP != 23 && koniec(Playlista[c - 1]) > koniec(p))
            p = Playlista[c - 1];
        const TElemPListy pk = doCzasu(p);
        const qint32 x = CrossfadeMiedzy(pk, doCzasu(n));
        qint64 emi = n.Emi;
        if (mowiony)
            emi = qint64(p.Emi) + p.Int;
        else if (n.Emi < 1)
            emi = qint64(p.Emi) + DobaMs + pk.NwK - x;
        emi = qMax<qint64>(emi, p.Emi) % DobaMs;
        // An element in the first hour may follow one of the day before.
        if (c > 1 && emi / GodzinaMs != 0 && koniec(Playlista[c - 1]) > emi)
            emi = koniec(Playlista[c - 1]) + 20;
        n.Emi = naDobe(emi);
    }

    // The following elements move by what the new one takes.
    if (c < ilosc) {
        const TElemPListy& nastepny = Playlista[c + 1];
        qint64 y = CrossfadeMiedzy(n, nastepny);
        y = qMin<qint64>(y, (qint64(n.NwK) - n.NwP) / 2);
        const QString tytul = n.Tyt;
        if (tytul.startsWith(QStringLiteral("#SERWIS")))
            y = Emisja.CzasJCross;
        else if (tytul.startsWith(QStringLiteral("#AUDYCJA")))
            y = Emisja.CzasACross;
        qint64 d = PrzesuniecieDoby(qint64(n.NwK) - n.NwP + n.Emi - y - nastepny.Emi);
        if (mowiony || (d < 0 && !serwisLubAudycja(n)))
            d = 0;
        przesunCzasy(c + 1, ilosc, d);
    }

    // Make room; the loop starts nothing while the elements move.
    const ZmianaPlaylisty zmiana(silnik);
    std::move_backward(Playlista.begin() + c + 1, Playlista.begin() + ilosc + 1, Playlista.begin() + ilosc + 2);
    StanPlaylisty.Ilosc = ilosc + 1;
    // An element put right before the next one (after the one on air) is
    // the next one itself: Automat would pass over it otherwise.
    if (StanPlaylisty.DoGrania > c + 1)
        ++StanPlaylisty.DoGrania;
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s)
        if (silnik.Odtwarzacz[s].Element > c)
            ++silnik.Odtwarzacz[s].Element;
    StanPlaylisty.Kursor = c + 1;
    if (StanPlaylisty.DoGrania == 0 || Nastawy.ZgodnoscDOS)
        StanPlaylisty.DoGrania = StanPlaylisty.Kursor;
    Playlista[StanPlaylisty.Kursor] = std::move(n);
    return true;
}

void UsunRekordPlaylisty(SilnikEmisji& silnik, bool zamknijLuke) {
    const qint32 ilosc = StanPlaylisty.Ilosc;
    const qint32 c = StanPlaylisty.Kursor;
    if (c < 1 || c > ilosc) return;
    const TElemPListy& x = Playlista[c];

    // The gap its going leaves: its own time before the next, and the
    // crossfade a song before it gives back. An advert next keeps to the
    // end of the element before.
    qint64 g = 0;
    if (c < ilosc && !CzyElemMowiony(x)) {
        const TElemPListy& nastepny = Playlista[c + 1];
        if (c > 1 && RodzajElemPListy(Playlista[c - 1].Typ) == RodzajSND) {
            const TElemPListy& p = Playlista[c - 1];
            const qint32 dom = DomyslnyCrossfade(p.Typ);
            g += dom > p.Trw ? p.Trw / 2 : dom;
        }
        g += qint64(nastepny.Emi) - x.Emi;
        if (c > 1 && CzyElemReklama(nastepny)) {
            const TElemPListy& p = Playlista[c - 1];
            g = qint64(nastepny.Emi) - (qint64(p.Emi) + (p.NwK != 0 ? p.NwK : p.Trw));
        }
        g = PrzesuniecieDoby(g);
    }

    {
        const ZmianaPlaylisty zmiana(silnik);
        std::move(Playlista.begin() + c + 1, Playlista.begin() + ilosc + 1, Playlista.begin() + c);
        InitElemPListy(Playlista[ilosc]);
        if (zamknijLuke)
            przesunCzasy(c, ilosc - 1, -g);
        if (StanPlaylisty.DoGrania > c)
            --StanPlaylisty.DoGrania;
        for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) {
            qint32& e = silnik.Odtwarzacz[s].Element;
            // A deck must never point at the element that moved into the
            // deleted one's place.
            if (e == c)
                e = 0;
            else if (e > c)
                --e;
        }
        StanPlaylisty.Ilosc = ilosc - 1;
    }
    if (StanPlaylisty.Kursor > StanPlaylisty.Ilosc)
        StanPlaylisty.Kursor = StanPlaylisty.Ilosc;
    if (StanPlaylisty.DoGrania > StanPlaylisty.Ilosc)
        StanPlaylisty.DoGrania = 0;
}

bool ZostawZakresPlaylisty(SilnikEmisji& silnik, qint32 od, qint32 do_) {
    const qint32 ilosc = StanPlaylisty.Ilosc;
    od = std::max(od, 1);
    do_ = std::min(do_, ilosc);
    if (od > do_) return false;
    const qint32 zostaje = do_ - od + 1;
    const auto nowy = [&](qint32 n) { return n >= od && n <= do_ ? n - od + 1 : 0; };
    {
        const ZmianaPlaylisty zmiana(silnik);
        if (od > 1)
            std::move(Playlista.begin() + od, Playlista.begin() + do_ + 1, Playlista.begin() + 1);
        for (qint32 i = zostaje + 1; i <= ilosc; ++i) InitElemPListy(Playlista[i]);
        for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) {
            qint32& e = silnik.Odtwarzacz[s].Element;
            e = nowy(e);
        }
        // The next mark before the block goes to its first element, past it to none.
        qint32& g = StanPlaylisty.DoGrania;
        g = g < 1 ? 0 : g < od ? 1 : nowy(g);
        StanPlaylisty.Ilosc = zostaje;
    }
    StanPlaylisty.Kursor = zostaje;
    StanPlaylisty.Pierwszy = std::clamp(StanPlaylisty.Pierwszy, 1, zostaje);
    return true;
}

void PrzesunRekordPlaylisty(SilnikEmisji& silnik, qint32 zrodlo, qint32 cel) {
    const qint32 ilosc = StanPlaylisty.Ilosc;
    if (zrodlo < 1 || zrodlo > ilosc || cel < 2 || cel > ilosc || zrodlo == cel) return;
    TElemPListy kopia = Playlista[zrodlo];
    kopia.Emi = 0;
    // A deck playing the element moved keeps it where it lands: it is marked
    // played when it ends, and never comes again.
    std::array<bool, LiczbaOdtwarzaczy + 1> dek{};
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) dek[s] = silnik.Odtwarzacz[s].Element == zrodlo;
    StanPlaylisty.Kursor = zrodlo;
    UsunRekordPlaylisty(silnik, true);
    StanPlaylisty.Kursor = cel - 1;
    if (!WstawRekordPlaylisty(silnik, std::move(kopia))) return;
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s)
        if (dek[s]) silnik.Odtwarzacz[s].Element = StanPlaylisty.Kursor;
}

bool SprawdzDuplikat(const QString& adres) {
    if (Emisja.MIXPLTestObecnosciMarginesH == 0) return true;
    const qint32 ilosc = StanPlaylisty.Ilosc;
    const qint32 c = std::clamp(StanPlaylisty.Kursor, 1, std::max(ilosc, 1));
    if (ilosc < 1) return true;
    const qint64 w = qint64(Emisja.MIXPLTestObecnosciMarginesH) * GodzinaMs;
    const qint64 t = Playlista[c].Emi;
    // Air times near the cursor, taken the nearer way round midnight.
    const auto odleglosc = [t](qint32 i) { return PrzesuniecieDoby(qint64(Playlista[i].Emi) - t); };
    qint32 od = c;
    while (od > 1 && -odleglosc(od) <= w) --od;
    qint32 do_ = c;
    while (do_ < ilosc && odleglosc(do_) <= w) ++do_;
    const QString szukany = DuzeLiteryPL(adres.trimmed());
    for (qint32 i = od; i <= do_; ++i) {
        if (DuzeLiteryPL(QString(Playlista[i].Adr).trimmed()) != szukany) continue;
        const TElemPListy& e = Playlista[i];
        const QString linia2 = QStringLiteral("(pozycja nr ") + QString::number(i) + QStringLiteral(", emisja o ") +
                               PiszCzas(6, naDobe(qint64(e.Emi) + e.NwP)).left(8) + QLatin1Char(')');
        return Decyzja(QStringLiteral("Nagranie już jest na playliście - czy wstawić?"), linia2) == WynikTak;
    }
    return true;
}

void LogEdycji(const QString& slowo) {
    Log(slowo.leftJustified(11) + QStringLiteral("Zakończenie playlisty o ") + KoniecPlaylisty(0));
}
