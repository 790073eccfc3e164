#include "console/engine/EmisjaTimelisty.h"

#include "audio/Sygnaly2.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/DDecyzjaCzas.h"
#include "foundation/Dialogi.h"
#include "foundation/KestSter2.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_Timelista.h"


#include <algorithm>

namespace {

// As the read-ahead thread found it when it was prepared (the entry at the
// cursor and the one after are).
bool jest(SilnikEmisji& s, const TElemTListy& e) {
    qint32 dlugosc = 0;
    if (s.PrzygotowanyWpis(e.Adr, e.Tyt, &dlugosc)) return dlugosc >= 0;
    return ObecnyBezSprawdzenia(e.Adr);
}

void oznacz(TElemTListy& e, quint8 jednostki) { e.Stan = quint8(e.Stan / 100 * 100 + jednostki); }

// Whether the start put the entry on air. The start's outcome is known when
// it returns (a failed one has freed the slot and said why); a player that
// takes the file and then never moves is caught by the tick's watch of
// fresh starts. Nothing here waits on the GUI thread.
bool wystartowal(SilnikEmisji& s, quint8 slot) {
    return s.Stan.OdtwarzaczZajety[slot] && s.Odtwarzacze().StanOdtwarzacza(slot) == 1;
}

// `gpi`: the input that answered this entry's question (0 none).
quint8 wybierzOdtwarzacz(const SilnikEmisji& s, quint8 podany, quint8 gpi) {
    if (s.Stan.PauzaJest && s.SlotEmisjiTeraz >= 1 && s.SlotEmisjiTeraz <= 2) return s.SlotEmisjiTeraz;
    if (podany != 0) return podany;
    if (gpi != 0) {
        if (gpi < 2) return 1;
        if (gpi == 2) return 2;
        if (s.SlotEmisjiTeraz >= 1 && s.SlotEmisjiTeraz <= 2) return s.SlotEmisjiTeraz;
    }
    return s.SlotZajety(1) ? 2 : 1;
}

}  // namespace

EmisjaTeraz BlokTimelisty(qint32 k) {
    EmisjaTeraz b;
    const qint32 n = std::clamp<qint32>(StanTimelisty.Ilosc, 0, MaksTimelisty);
    if (k < 1 || k > n) return b;
    const qint32 czas = Timelista[k].Czas;
    for (qint32 i = k - 1; i >= 1 && Timelista[i].Czas == czas; --i) b.EmisjaTerazKorekta += Timelista[i].Trw;
    b.EmisjaTerazStart = b.EmisjaTerazKorekta + Timelista[k].Trw;
    for (qint32 i = k + 1; i <= n && Timelista[i].Czas == czas; ++i) b.EmisjaTerazStart += Timelista[i].Trw;
    return b;
}

void EmitujPozycjeTimelisty(SilnikEmisji& s, quint8 odtwarzacz, quint8 zrodlo, bool pytaj) {
    if (s.Timer1Zajety) {
        s.ZlecPoTiku([&s, odtwarzacz, zrodlo, pytaj] { EmitujPozycjeTimelisty(s, odtwarzacz, zrodlo, pytaj); });
        return;
    }
    const qint32 n = std::clamp<qint32>(StanTimelisty.Ilosc, 0, MaksTimelisty);
    const qint32 k = StanTimelisty.Kursor;
    if (n == 0 || k < 1 || k > n) return;
    // Its file as the read-ahead thread found it: asked for before it was
    // read, the entry is late and aired once it is.
    if (!s.GotowyDoStartu(0, Timelista[k].Adr, Timelista[k].Tyt, 0, zrodlo,
                          [&s, odtwarzacz, zrodlo, pytaj] { EmitujPozycjeTimelisty(s, odtwarzacz, zrodlo, pytaj); }))
        return;
    qint32 dlugoscPrzygotowana = -1;
    s.PrzygotowanyWpis(Timelista[k].Adr, Timelista[k].Tyt, &dlugoscPrzygotowana);
    if (dlugoscPrzygotowana < 0) return;

    const EmisjaTeraz blok = BlokTimelisty(k);
    const TElemTListy wpis = Timelista[k];
    bool tak = true;
    quint8 gpi = 0;
    if (!s.Stan.PauzaJest && pytaj) {
        DecyzjaGPI = 0;
        tak = DecyzjaOEmisji(QStringLiteral("Czy wyemitować nagranie?"), wpis.Tyt, blok.EmisjaTerazStart, 2) == WynikTak;
        gpi = DecyzjaGPI;
    }
    if (!tak) {
        oznacz(Timelista[k], StanOdrzucony);
        s.Wyjscia().OdswiezTimeliste();
        return;
    }
    // The dialog pumped events: the list may have changed under it.
    if (StanTimelisty.Kursor != k || k > StanTimelisty.Ilosc || Timelista[k].Adr != wpis.Adr) return;

    if (s.SlotZajety(1) && s.SlotZajety(2)) return;
    const quint8 slot = wybierzOdtwarzacz(s, odtwarzacz, gpi);
    if (s.SlotZajety(slot)) return;

    ZerujStanGodzinyTListy();
    TElemPListy& e = ElemPListyRob;
    InitElemPListy(e);
    e.Ide = wpis.Tyt;
    e.Adr = wpis.Adr;
    // The block starts now: the playlist's element that called it may have
    // no air time, and the clock is what the listener hears. Its later
    // entries keep that start, or the day axis would run ahead by the
    // entries already played.
    if (!s.Stan.PauzaJest) s.BlokPoczatekDoby = qint32(platform::clock().msOfDay() % DobaMs);
    e.Emi = qint32((s.BlokPoczatekDoby + blok.EmisjaTerazKorekta) % DobaMs);
    e.Tyt = QString();
    e.Wyk = QStringLiteral("Reklama");
    e.NwP = e.FIn = 0;
    e.NwK = e.FOu = e.Trw = dlugoscPrzygotowana;
    e.Int = 0;

    s.SlotEmisjiTeraz = slot;
    s.BlokDlugosc = blok.EmisjaTerazStart;
    s.BlokPrzesuniecie = blok.EmisjaTerazKorekta;
    s.GrajKolejny(slot, TrybRoboczy, zrodlo);
    if (wystartowal(s, slot)) {
        oznacz(Timelista[k], StanZagrany);
        s.Stan.PauzaJest = true;
    } else {
        // Not aired: marked refused so that the synchronous list does not
        // try the same file every tick.
        oznacz(Timelista[k], StanOdrzucony);
        Log(QStringLiteral("Nie wystartowała pozycja listy: ") + wpis.Tyt + QStringLiteral(" -> ") + wpis.Adr);
    }

    qint32 c = std::min(k + 1, n);
    while (c < n && !jest(s, Timelista[c])) ++c;
    StanTimelisty.Kursor = c;
    StanTimelisty.Pierwszy = std::max(1, c - 1);
    s.Wyjscia().OdswiezTimeliste();
}
