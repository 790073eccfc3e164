#include "console/engine/TestyPlaylisty.h"

#include "audio/Sygnaly2.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/Zdarzenie.h"
#include "library/DKatalogNastawy.h"
#include "foundation/KestSter2.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString BezIdentyfikatora = QStringLiteral("--------");

bool istnieje(const QString& plik) {
    return plik.trimmed().size() >= 3 && QFileInfo(platform::resolvePath(plik)).isFile();
}

bool wRodzajachTestu(quint8 r) {
    return r == RodzajSND || r == 6 || (r >= 8 && r <= 15);
}

// The status after a pass: the message in red when there is one, else "OK".
void koniecStatusu(SilnikEmisji& s) {
    if (s.Komunikat.isEmpty())
        s.Wyjscia().UstawStatus(QStringLiteral("OK"), KolorStatusu::Czarny);
    else
        s.Wyjscia().UstawStatus(s.Komunikat, KolorStatusu::Czerwony);
}

void czasy(SilnikEmisji& s, qint32 start) {
    WyjsciaEmisji& w = s.Wyjscia();
    w.UstawStatus(QStringLiteral("Czasy nagrań"), KolorStatusu::Zielony);
    w.UstawMaksimumStatusu(StanPlaylisty.Ilosc);
    for (qint32 n = start + 1; n <= StanPlaylisty.Ilosc; ++n) {
        TElemPListy& e = Playlista[size_t(n)];
        w.UstawPostepStatusu(n);
        const quint8 r = RodzajElemPListy(e.Typ);
        if (e.Ide == BezIdentyfikatora || !(r == RodzajSND || r == 6 || CzyElemReklama(e))) continue;
        const QString plik = QString(e.Adr);
        if (!istnieje(plik)) continue;
        const qint32 t = CzasTrwaniaPliku(plik);
        if (t > 0 && t != e.Trw) e.Trw = t;
    }
}

}  // namespace

QString LiniaRaportuBraku(qint32 numer, const TElemPListy& e) {
    return QString::number(numer).rightJustified(4, QLatin1Char(' ')) + QLatin1Char(';') + e.Ide +
           QLatin1Char(';') + QString(e.Adr);
}

void CzasyNagran(SilnikEmisji& s) {
    if (StanPlaylisty.Ilosc <= 0) return;
    s.Komunikat.clear();
    czasy(s, 0);
    koniecStatusu(s);
    s.Wyjscia().OdswiezKomunikat();
}

bool TestObecnosci(SilnikEmisji& s, qint32 start, bool reklamy) {
    if (StanPlaylisty.Ilosc <= 0) return true;
    WyjsciaEmisji& w = s.Wyjscia();
    s.Komunikat.clear();
    w.UstawStatus(QStringLiteral("Obecność nagrań"), KolorStatusu::Zielony);
    w.UstawMaksimumStatusu(StanPlaylisty.Ilosc);
    const bool raport = Emisja.CzyTestRaport;
    QStringList linie;
    if (raport) {
        LogNazwany(QStringLiteral("TEST OBECNOSCI NAGRAN"));
        LogNazwany(QStringLiteral("====================="));
    }
    StanPrzerwij = false;
    bool przerwany = false, brak = false;
    for (qint32 n = start + 1; n <= StanPlaylisty.Ilosc; ++n) {
        PompujZdarzenia();
        w.UstawPostepStatusu(n);
        TElemPListy& e = Playlista[size_t(n)];
        const quint8 r = RodzajElemPListy(e.Typ);
        const bool testowany = (e.Ide != BezIdentyfikatora && wRodzajachTestu(r)) || (reklamy && CzyElemReklama(e));
        if (testowany && !istnieje(QString(e.Adr))) {
            brak = true;
            s.Komunikat = QStringLiteral("Nie ma nagrań");
            e.BrakZbioru = 1;
            if (raport) {
                linie << LiniaRaportuBraku(n, e);
                LogNazwany(QStringLiteral("brak pozycji ") + QString::number(n).rightJustified(4, QLatin1Char(' ')) +
                           QStringLiteral(" -> ") + QString(e.Adr));
            }
        }
        if (StanPrzerwij) {
            if (Decyzja(QStringLiteral("Czy przerwać testy?")) == WynikTak) {
                StanPlaylisty.Kursor = n;
                przerwany = true;
                break;
            }
            StanPrzerwij = false;
        }
    }
    if (brak)
        w.UstawStatus(QStringLiteral("Brak nagrania"), KolorStatusu::Czerwony);
    else
        linie << QStringLiteral("OK");
    if (raport) {
        const QString katalog = Emisja.KatTestRaport.isEmpty() ? KatalogStartowy : Emisja.KatTestRaport;
        const QString plik = katalog + QLatin1Char('\\') + PlaylistaNazwa + QStringLiteral(".TXT");
        BladIO = platform::writeTextFileAtomic(platform::resolvePath(plik), linie) ? 0 : 101;
        if (BladIO != 0) Log(QStringLiteral("Błąd zapisu raportu: ") + plik);
    }
    if (brak && Emisja.CzyWyswWynikTestuPlaylisty) PokazBlad(QStringLiteral("Nie ma nagrań!"));
    if (!przerwany) czasy(s, start);
    koniecStatusu(s);
    w.OdswiezKomunikat();
    return !brak;
}

bool ParaKopii(const QString& adres, QString& zrodlo, QString& cel) {
    zrodlo.clear();
    cel.clear();
    if (adres.size() < 3) return false;
    const QString lokalny = Katalogi.KatalogSiecNaLokal;
    if (Katalogi.KatalogSiecNaLokalJest && !lokalny.isEmpty()) {
        if (!platform::hasDriveLetter(adres)) return false;
        const int i = adres.indexOf(lokalny, 0, Qt::CaseInsensitive);
        if (i < 0) {
            zrodlo = adres;
            cel = lokalny + QLatin1Char('\\') + adres.left(1) + adres.mid(2);
            return true;
        }
        const QString reszta = adres.mid(i + lokalny.size() + 1);
        if (reszta.isEmpty()) return false;
        cel = adres;
        zrodlo = reszta.left(1) + QLatin1Char(':') + reszta.mid(1);
        return true;
    }
    cel = adres;
    return SciezkaSieciowa(adres, zrodlo);
}

namespace {

// One run of copies: the "yes to all" answer and the stop.
struct Kopiowanie {
    bool takWszystkie = false;
    bool stop = false;

    void kopiuj(const QString& zrodlo, const QString& cel) {
        const QFileInfo z(platform::resolvePath(zrodlo)), c(platform::resolvePath(cel));
        if (!z.isFile()) return;
        if (Emisja.KopiowanieBrakujacych) {
            if (c.exists()) return;
        } else if (c.exists()) {
            if (c.size() == z.size() && c.lastModified() >= z.lastModified()) return;
            if (Emisja.CzyPytacKopia && !takWszystkie) {
                const int odp = Decyzja(QStringLiteral("Zbiór ") + cel + QStringLiteral(" już jest na dysku lokalnym"),
                                        QStringLiteral("Czy zastąpić go nowym?"), 4);
                if (odp == OdpowiedzTakWszystkie) takWszystkie = true;
                else if (odp == OdpowiedzNie) return;
                else if (odp != OdpowiedzTak) {
                    stop = true;
                    return;
                }
            }
        }
        LogNazwany(QStringLiteral("Kopiowanie zbioru ") + zrodlo);
        QDir().mkpath(c.absolutePath());
        bool przerwane = false;
        int wynikIO = 0;
        const int wynik = KopiujZbior(zrodlo, cel, przerwane, false, wynikIO);
        if (przerwane) {
            stop = true;
            return;
        }
        if (wynik != 0) {
            const QString tekst = QStringLiteral("Błąd kopiowania zbioru ") + zrodlo + QStringLiteral(" (") +
                                  QString::number(wynik) + QLatin1Char(')');
            Log(tekst);
            LogNazwany(tekst);
            PokazBladKod(wynik, QString(), cel);
        }
    }
};

QString zRozszerzeniem(const QString& plik, const QString& rozszerzenie) {
    const int kropka = plik.lastIndexOf(QLatin1Char('.'));
    const int ukosnik = std::max(plik.lastIndexOf(QLatin1Char('\\')), plik.lastIndexOf(QLatin1Char('/')));
    return (kropka > ukosnik ? plik.left(kropka) : plik) + rozszerzenie;
}

}  // namespace

void KopiujNaDyskLokalny(SilnikEmisji& s, qint32 start) {
    if (!Emisja.CzyKopiowac || StanPlaylisty.Ilosc <= start) return;
    if (Emisja.CzyPytac && Decyzja(QStringLiteral("Czy skopiować nagrania na dysk lokalny ?")) != WynikTak) return;
    WyjsciaEmisji& w = s.Wyjscia();
    StanPrzerwij = false;
    w.UstawStatus(QStringLiteral("Kopiowanie nagrań"), KolorStatusu::Zielony);
    w.UstawMaksimumStatusu(StanPlaylisty.Ilosc);
    LogNazwany(QStringLiteral("KOPIOWANIE NAGRAN"));
    LogNazwany(QStringLiteral("================="));
    Kopiowanie k;
    for (qint32 n = start + 1; n <= StanPlaylisty.Ilosc && !k.stop; ++n) {
        w.UstawPostepStatusu(n);
        const TElemPListy& e = Playlista[size_t(n)];
        const quint8 r = RodzajElemPListy(e.Typ);
        if (!(r == RodzajSND || r == RodzajREK || r == 6 || (r >= 8 && r <= 15))) continue;
        QString zrodlo, cel;
        if (!ParaKopii(QString(e.Adr), zrodlo, cel)) continue;
        for (const QString& rozsz : {QString(), QStringLiteral(".DAT"), QStringLiteral(".OBW")}) {
            if (k.stop) break;
            if (rozsz.isEmpty())
                k.kopiuj(zrodlo, cel);
            else
                k.kopiuj(zRozszerzeniem(zrodlo, rozsz), zRozszerzeniem(cel, rozsz));
        }
        if (StanPrzerwij) {
            if (Decyzja(QStringLiteral("Czy przerwać kopiowanie?")) == WynikTak) break;
            StanPrzerwij = false;
        }
    }
    w.UstawStatus(QStringLiteral("OK"), KolorStatusu::Czarny);
}
