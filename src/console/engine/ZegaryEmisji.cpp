#include "console/engine/ZegaryEmisji.h"

#include "console/engine/SilnikEmisji.h"
#include "console/engine/TrybyEmisji.h"
#include "console/links/DatagramySilnika.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

namespace {

constexpr qint64 GodzinaMs = 3'600'000;

qint64 godzina(qint64 ms) { return ms / GodzinaMs; }

bool wPlayliscie(qint32 n) { return n >= 1 && n <= StanPlaylisty.Ilosc; }

// The scheduler's full-hour mark: `Sel` reads "hh:00:00".
bool znakGodziny(const TElemPListy& e, qint64& sel) {
    const qint32 s = CzytajCzas(e.Sel.str(), 1);  // seconds
    sel = s < 0 ? -1 : qint64(s) * 1000;
    return sel >= 0 && sel % GodzinaMs == 0;
}

// The date changes once a day and the clock texts once a second, while the
// display asks ten times a second: each text is made again only when what it
// shows changed.
struct TekstyZegarow {
    QDate data;
    QString formatDaty;
    QString tekstDaty;
    qint64 sekunda = -1;
    qint64 strefa = 0;
    QString czas24, czas2, czas12, amPm;
};

TekstyZegarow& tekstyZegarow() {
    static TekstyZegarow t;
    return t;
}

}  // namespace

KolorOdchylenia KolorOdchyleniaDla(qint32 ms) {
    if (ms < -60'000) return KolorOdchylenia::Lime;
    if (ms < -10'000) return KolorOdchylenia::Green;
    if (ms > 60'000) return KolorOdchylenia::Red;
    if (ms > 10'000) return KolorOdchylenia::Maroon;
    return KolorOdchylenia::Silver;
}

qint64 RoznicaPrzezPolnoc(qint64 rzeczywisty, qint64 planowany) {
    if (godzina(planowany) >= 23 && godzina(rzeczywisty) == 0)
        rzeczywisty += DobaMs;
    else if (godzina(planowany) == 0 && godzina(rzeczywisty) >= 23)
        planowany += DobaMs;
    return rzeczywisty - planowany;
}

bool LiczPrzesuniecie(const SilnikEmisji& silnik, qint64 terazMS, qint32& wynik) {
    if (StanPlaylisty.Ilosc <= 0 || silnik.PlaylistaZmieniona) return false;
    const qint32 nastepny = StanPlaylisty.DoGrania;
    qint32 ref = 0;
    qint64 rzeczywisty = terazMS;
    for (quint8 s = 1; s <= 4; ++s) {
        const qint32 e = silnik.Odtwarzacz[s].Element;
        if (!silnik.SlotGra[s] || !wPlayliscie(e) || e > nastepny || e <= ref || silnik.Odtwarzacz[s].StartMS < 0)
            continue;
        ref = e;
        rzeczywisty = silnik.Odtwarzacz[s].StartMS;
    }
    if (ref == 0) ref = nastepny;
    // After a load next-to-play is 0: there is no element to measure by.
    if (!wPlayliscie(ref) || Playlista[ref].Emi < 0) return false;
    const TElemPListy& e = Playlista[ref];
    wynik = qint32(RoznicaPrzezPolnoc(rzeczywisty, (qint64(e.Emi) + e.NwP) % DobaMs));
    return true;
}

bool LiczOdchylenieGodziny(const SilnikEmisji& silnik, qint32 przesuniecie, bool korekta, qint32& wynik) {
    const qint32 ilosc = StanPlaylisty.Ilosc;
    if (ilosc <= 0) return false;
    qint32 start = 0;
    for (quint8 s = 1; s <= 2; ++s)
        if (silnik.SlotGra[s] && wPlayliscie(silnik.Odtwarzacz[s].Element))
            start = qMax(start, silnik.Odtwarzacz[s].Element);
    if (start == 0) start = StanPlaylisty.DoGrania;
    if (!wPlayliscie(start)) return false;
    qint32 n = start;
    qint64 sel = -1;
    bool znak = znakGodziny(Playlista[n], sel);
    while (!znak && n < ilosc) znak = znakGodziny(Playlista[++n], sel);
    const TElemPListy& e = Playlista[n];
    if (e.Emi < 0) return false;
    qint64 t = sel >= 0 ? sel : qint64(e.Emi) + e.NwP;
    if (!znak) t = (t + GodzinaMs - 1) / GodzinaMs * GodzinaMs % DobaMs;
    const qint64 koniec = znak ? e.Emi : qint64(e.Emi) + (e.NwK != 0 ? e.NwK : e.Trw);
    qint64 w = RoznicaPrzezPolnoc(koniec % DobaMs, t);
    if (korekta) w += przesuniecie;
    wynik = qint32(w);
    return true;
}

WskazaniaZegarow OdswiezZegary(SilnikEmisji& silnik, QDate data, qint64 terazMS) {
    WskazaniaZegarow z;
    TekstyZegarow& t = tekstyZegarow();
    if (t.tekstDaty.isNull() || data != t.data || Satelita.SatPLNazwaFormat != t.formatDaty) {
        t.data = data;
        t.formatDaty = Satelita.SatPLNazwaFormat;
        t.tekstDaty = TekstDaty(data);
    }
    z.Data = t.tekstDaty;
    const qint64 strefa = qint64(qBound(-12, Nastawy.Panel2StrefaRoznicaH, 12)) * GodzinaMs;
    const qint64 sekunda = terazMS >= 0 ? terazMS / 1000 : -1;
    if (sekunda < 0 || sekunda != t.sekunda || strefa != t.strefa) {
        t.sekunda = sekunda;
        t.strefa = strefa;
        t.czas24 = CzasZegara24(terazMS);
        t.czas2 = CzasZegara24(((terazMS + strefa) % DobaMs + DobaMs) % DobaMs);
        const qint64 h = godzina(terazMS);
        const qint64 h12 = h % 12 == 0 ? 12 : h % 12;
        t.czas12 = QString::number(h12) + t.czas24.mid(2);
        t.amPm = h < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    }
    z.Czas24 = t.czas24;
    z.Czas2 = t.czas2;
    z.Czas12 = t.czas12;
    z.AmPm = t.amPm;

    qint32 p = 0;
    if (LiczPrzesuniecie(silnik, terazMS, p)) silnik.PrzesuniecieCzasu = p;
    qint32 pokazane = silnik.PrzesuniecieCzasu;
    if (Emisja.CzyCzasPrzelGodz) {
        qint32 g = 0;
        if (LiczOdchylenieGodziny(silnik, silnik.PrzesuniecieCzasu, silnik.Stan.KorektaCzasuJest, g)) pokazane = g;
    }
    silnik.OdchylenieWyswietlane = pokazane;
    z.Odchylenie = TekstOdchylenia(pokazane);
    z.Kolor = KolorOdchyleniaDla(pokazane);

    z.APCzerwona = Satelita.SatPLJest;
    z.ATCzerwona = Satelita.SatTLJest;
    const bool autoodczyt = Satelita.SatPLJest || Satelita.SatTLJest;
    if (Zegary().Wlaczony(TimerKonsoli::PListaAutoodczyt) != autoodczyt)
        Zegary().Wlacz(TimerKonsoli::PListaAutoodczyt, autoodczyt);
    z.ASCzerwona = silnik.EmisjaFlagaStartu;
    z.SerwisWidoczny = Emisja.SERWISJest;
    return z;
}

bool KursorNaTeraz(qint64 terazMS) {
    for (qint32 n = 1; n <= StanPlaylisty.Ilosc; ++n) {
        if (Playlista[n].Emi > terazMS) {
            if (StanPlaylisty.Kursor == n) return false;
            StanPlaylisty.Kursor = n;
            return true;
        }
    }
    return false;
}
