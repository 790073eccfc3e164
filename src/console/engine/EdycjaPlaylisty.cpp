#include "console/engine/EdycjaPlaylisty.h"

#include "console/engine/SilnikEmisji.h"
#include "foundation/KestSter2.h"
#include "playlists/D_Crossfade.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

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

}  // namespace

qint32 PojemnoscPlaylisty() {
    const qint32 p = StanPlaylisty.Pojemnosc;
    return p > 0 && p < MaksPlaylisty ? p : MaksPlaylisty;
}

bool PlaylistaPelna() {
    return StanPlaylisty.Ilosc >= PojemnoscPlaylisty();
}

bool KursorPrzedGranaPozycja(const SilnikEmisji& silnik) {
    if (Emisja.MIXPLEdycjaPrzedGranaJest)
        return false;
    for (quint8 s = 1; s <= 3; ++s)
        if (silnik.SlotZajety(s) && silnik.Odtwarzacz[s].Element > StanPlaylisty.Kursor)
            return true;
    return false;
}

bool WstawRekordPlaylisty(SilnikEmisji& silnik, TElemPListy n) {
    if (PlaylistaPelna())
        return false;
    const qint32 c = qBound(0, StanPlaylisty.Kursor, StanPlaylisty.Ilosc);
    const qint32 ilosc = StanPlaylisty.Ilosc;
    const bool mowiony = CzyElemMowiony(n) && !Emisja.CzyPlayListaWstawRozsun;

    // 1-3. The air time from the element before, or from the one before
    // that when it ends later (not across midnight).
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
        n.Emi = qint32(emi % DobaMs);
    }

    // 4-5. The following elements move by what the new one takes.
    if (c < ilosc) {
        const TElemPListy& nastepny = Playlista[c + 1];
        qint64 y = CrossfadeMiedzy(n, nastepny);
        y = qMin<qint64>(y, (qint64(n.NwK) - n.NwP) / 2);
        const QString tytul = n.Tyt;
        if (tytul.startsWith(QStringLiteral("#SERWIS")))
            y = Emisja.CzasJCross;
        else if (tytul.startsWith(QStringLiteral("#AUDYCJA")))
            y = Emisja.CzasACross;
        qint64 d = qint64(n.NwK) - n.NwP + n.Emi - y - nastepny.Emi;
        // The playlist may run past midnight: the shift is the nearer way round.
        d = ((d + DobaMs / 2) % DobaMs + DobaMs) % DobaMs - DobaMs / 2;
        if (mowiony || (d < 0 && !serwisLubAudycja(n)))
            d = 0;
        for (qint32 i = c + 1; i <= ilosc; ++i)
            Playlista[i].Emi = qint32(((qint64(Playlista[i].Emi) + DobaMs + d) % DobaMs + DobaMs) % DobaMs);
    }

    // 6. Make room; the loop starts nothing while the elements move.
    const bool zmieniona = silnik.PlaylistaZmieniona;
    silnik.PlaylistaZmieniona = true;
    for (qint32 i = ilosc; i > c; --i)
        Playlista[i + 1] = Playlista[i];
    StanPlaylisty.Ilosc = ilosc + 1;
    if (StanPlaylisty.DoGrania > c)
        ++StanPlaylisty.DoGrania;
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s)
        if (silnik.Odtwarzacz[s].Element > c)
            ++silnik.Odtwarzacz[s].Element;
    StanPlaylisty.Kursor = c + 1;
    if (StanPlaylisty.DoGrania == 0 || Nastawy.ZgodnoscDOS)
        StanPlaylisty.DoGrania = StanPlaylisty.Kursor;
    Playlista[StanPlaylisty.Kursor] = n;
    silnik.PlaylistaZmieniona = zmieniona;
    return true;
}
