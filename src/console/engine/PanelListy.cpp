#include "console/engine/PanelListy.h"

#include "foundation/KestPods2.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

#include <algorithm>

void UstawProstokatyListy(StanListy& stan, const TRect& panel, int naglowek, int wiersz) {
    UstawPanelListy(stan, panel, naglowek);
    stan.Wierszy = wiersz > 0 ? std::max(1, (stan.Lista.Bottom - stan.Lista.Top) / wiersz) : 1;
}

int GoraWiersza(const StanListy& stan, qint32 n, int wiersz) {
    return stan.Lista.Top + (n - stan.Pierwszy) * wiersz;
}

qint32 ElementWPunkcie(const StanListy& stan, QPoint p, int wiersz) {
    if (wiersz <= 0 || p.x() < stan.Lista.Left || p.x() > stan.Lista.Right || p.y() < stan.Lista.Top) return 0;
    const int i = (p.y() - stan.Lista.Top) / wiersz;
    if (i >= stan.Wierszy) return 0;
    const qint32 n = stan.Pierwszy + i;
    return n >= 1 && n <= stan.Ilosc ? n : 0;
}

void PrzewinDoKursora(StanListy& stan, bool srodek) {
    const qint32 p = std::max(1, stan.Wierszy);
    qint32& f = stan.Pierwszy;
    const qint32 c = stan.Kursor;
    if (c == f - 1)
        f = c;
    else if (c == f + p)
        f = f + 1;
    else if (c < f - 1 || c > f + p)
        f = ((c - 1) / p) * p + 1;
    if (srodek) f = c - 3;
    f = std::min(f, stan.Ilosc);
    f = std::max(f, 1);
}

void RuchKursora(StanListy& stan, KrokKursora krok) {
    const qint32 p = std::max(1, stan.Wierszy);
    qint32 c = stan.Kursor;
    switch (krok) {
    case KrokKursora::Gora: --c; break;
    case KrokKursora::Dol: ++c; break;
    case KrokKursora::StronaGora: c -= p; break;
    case KrokKursora::StronaDol: c += p; break;
    case KrokKursora::Poczatek: c = 1; break;
    case KrokKursora::Koniec: c = stan.Ilosc; break;
    }
    stan.Kursor = stan.Ilosc <= 0 ? 0 : std::clamp(c, 1, stan.Ilosc);
    PrzewinDoKursora(stan);
}

Suwak SuwakListy(const StanListy& stan, int h, int minimum) {
    if (stan.Ilosc <= 0 || h <= 0) return {0, std::max(h, 0)};
    const qint64 n = stan.Ilosc;
    Suwak s;
    s.Od = int(qint64(stan.Pierwszy - 1) * h / n);
    s.Do = stan.Pierwszy + stan.Wierszy - 1 >= n ? h : int(qint64(stan.Pierwszy + stan.Wierszy - 1) * h / n);
    if (s.Do - s.Od < minimum) {
        s.Do = std::min(h, s.Od + minimum);
        s.Od = std::max(0, s.Do - minimum);
    }
    return s;
}

qint32 PierwszyDlaSuwaka(const StanListy& stan, int y, int h) {
    if (stan.Ilosc <= 0 || h <= 0) return 1;
    return std::clamp<qint32>(qint32(qint64(std::clamp(y, 0, h)) * stan.Ilosc / h) + 1, 1, stan.Ilosc);
}

TekstyWierszaType TekstyWiersza(const TElemPListy& e) {
    TekstyWierszaType w;
    const QString tyt = e.Tyt, wyk = e.Wyk;
    const auto albo = [](const QString& a, const QString& b, int ile) { return a.isEmpty() ? b : a.left(ile); };
    const quint8 rodzaj = RodzajElemPListy(e.Typ);
    switch (rodzaj) {
    case RodzajSND: {
        QString plik = QString(e.Adr).section(QLatin1Char('\\'), -1).section(QLatin1Char('/'), -1);
        // Only the extension goes: "A.B. BAND.MP3" is "A.B. BAND".
        const qsizetype kropka = plik.lastIndexOf(QLatin1Char('.'));
        plik = DuzeLiteryPL(kropka > 0 ? plik.left(kropka) : plik);
        w.Gorny = wyk.isEmpty() ? plik : wyk;
        w.Dolny = tyt;
        break;
    }
    case RodzajINF: w.Gorny = QStringLiteral("INFO"); w.Dolny = tyt.left(32); break;
    case RodzajBRK: w.Gorny = QStringLiteral("BREAK"); w.Dolny = tyt.left(32); break;
    case RodzajALR: w.Gorny = QStringLiteral("ALARM"); w.Dolny = tyt.left(32); break;
    case RodzajREK: w.Gorny = e.Ide.left(22) + QStringLiteral("    ") + tyt.left(15); break;
    case RodzajDJ_: w.Gorny = e.Ide; w.Dolny = tyt.left(32); break;
    case RodzajPRO: w.Gorny = e.Ide; break;
    case RodzajWHI: w.Gorny = QStringLiteral("WHISPER - ") + albo(wyk, e.Ide, 25); w.Dolny = tyt.left(32); break;
    case RodzajSWE: w.Gorny = QStringLiteral("SWEEPER - ") + albo(wyk, e.Ide, 25); w.Dolny = tyt.left(32); break;
    case RodzajLOP: w.Gorny = QStringLiteral("LOOP - ") + albo(wyk, e.Ide, 25); w.Dolny = tyt.left(32); break;
    default: w.Gorny = albo(wyk, e.Ide, 25); w.Dolny = tyt.left(32); break;
    }
    if (e.BrakZbioru != 0 && CzyElemDzwiekowy(e)) w.Dolny = QStringLiteral("!!! Nie ma nagrania !!!");
    if (w.Dolny.isEmpty() && rodzaj != RodzajREK && rodzaj != RodzajPRO) w.Dolny = e.Ide;
    w.Dlugosc = PiszCzas(4, (e.NwK != 0 ? e.NwK : e.Trw) - e.NwP);
    return w;
}

namespace {

qint64 doDoby(qint64 ms) { return ((ms % DobaMs) + DobaMs) % DobaMs; }

// The end of the last element that has a time (untimed end elements, a
// closing BREAK say, carry none).
const TElemPListy* ostatniZCzasem() {
    for (qint32 i = std::min(StanPlaylisty.Ilosc, qint32(MaksPlaylisty)); i >= 1; --i)
        if (Playlista[size_t(i)].Emi >= 0) return &Playlista[size_t(i)];
    return nullptr;
}

}  // namespace

QString DlugoscPlaylisty() {
    const TElemPListy* ostatni = ostatniZCzasem();
    if (!ostatni || Playlista[1].Emi < 0) return PiszCzas(6, 0);
    const qint64 koniec = doDoby(qint64(ostatni->Emi) + ostatni->NwK);
    // A list that runs over midnight ends "earlier" than it starts.
    return PiszCzas(6, doDoby(koniec - doDoby(Playlista[1].Emi)));
}

QString KoniecPlaylisty(qint32 przesuniecie) {
    const TElemPListy* ostatni = ostatniZCzasem();
    if (!ostatni) return PiszCzas(6, 0);
    return PiszCzas(6, doDoby(qint64(ostatni->Emi) + ostatni->NwK + przesuniecie));
}

QString CzasWiersza(qint64 msDoby, bool zegar12h) {
    if (msDoby < 0) return QStringLiteral("--:--:--");
    const qint64 t = doDoby(msDoby);
    if (!zegar12h) return CzasZegara24(t);
    const int h = int(t / 3'600'000);
    const int h12 = h % 12 == 0 ? 12 : h % 12;
    return QStringLiteral("%1%2 %3")
        .arg(h12, 2, 10, QLatin1Char('0'))
        .arg(CzasZegara24(t).mid(2))
        .arg(h < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

TekstCzasuTL TekstCzasuTimelisty(qint32 n, bool zegar12h) {
    const qint32 ilosc = std::min<qint32>(StanTimelisty.Ilosc, MaksTimelisty);
    if (n < 1 || n > ilosc) return {};
    const TElemTListy& e = Timelista[size_t(n)];
    const bool jakPoprzedni = n > 1 && e.Czas >= 0 && Timelista[size_t(n - 1)].Czas == e.Czas;
    const bool jakNastepny = n < ilosc && e.Czas >= 0 && Timelista[size_t(n + 1)].Czas == e.Czas;
    if (jakPoprzedni && !jakNastepny) {
        qint64 suma = 0;
        for (qint32 i = n; i >= 1 && Timelista[size_t(i)].Czas == e.Czas; --i)
            suma += Timelista[size_t(i)].Trw + Satelita.SatRLOfsLiczMS;
        return {PiszCzas(6, doDoby(suma)).mid(4, 7).rightJustified(9, QLatin1Char(' ')), true};
    }
    if (jakPoprzedni) return {QString(13, QLatin1Char(' ')), false};
    const int jednostki = e.Stan % 10;
    const QString znak = jednostki == StanZagrany     ? QStringLiteral("+")
                         : jednostki == StanOdrzucony ? QStringLiteral("-")
                                                      : QStringLiteral(" ");
    return {znak + CzasWiersza(e.Czas < 0 ? -1 : qint64(e.Czas) * 1000, zegar12h), false};
}
