#include "console/engine/TestyPlaylisty.h"

#include "audio/OpisNagrania.h"
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
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString BezIdentyfikatora = QStringLiteral("--------");

bool wRodzajachTestu(quint8 r) {
    return r == RodzajSND || r == 6 || (r >= 8 && r <= 15);
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
        if (!platform::fileExists(plik)) continue;
        const qint32 t = CzasTrwaniaPliku(plik);
        if (t > 0 && t != e.Trw) e.Trw = t;
    }
}

// A recording found without its description gets one made from what the
// playlist knows of it.
void opisyZPlaylisty(SilnikEmisji& s, qint32 start) {
    WyjsciaEmisji& w = s.Wyjscia();
    w.UstawStatus(QStringLiteral("Zbiory DAT"), KolorStatusu::Zielony);
    for (qint32 n = start + 1; n <= StanPlaylisty.Ilosc; ++n) {
        PompujZdarzenia();
        w.UstawPostepStatusu(n);
        const TElemPListy& e = Playlista[size_t(n)];
        const quint8 r = RodzajElemPListy(e.Typ);
        if (!(r == RodzajSND || (r >= 8 && r <= 15))) continue;
        const QString plik = QString(e.Adr);
        if (!platform::fileExists(plik) || platform::fileExists(ZbiorOpisu(plik))) continue;
        SygnalType sygnal = SygnalPliku(plik);
        OpisNagraniaTyp opis;
        if (OtworzSygnal(sygnal, false, opis) != 0) continue;
        NowyOpis(opis);
        opis.Tyt = QString(e.Tyt).left(64);
        opis.Wyk = QString(e.Wyk).left(64);
        opis.Aut = QString(e.Atr).left(60);
        opis.Kom = QString(e.Kom).left(60);
        ZapiszDAT(sygnal, opis);
    }
}

}  // namespace

void KoniecStatusu(SilnikEmisji& s) {
    if (s.Komunikat.isEmpty())
        s.Wyjscia().UstawStatus(QStringLiteral("OK"), KolorStatusu::Czarny);
    else
        s.Wyjscia().UstawStatus(s.Komunikat, KolorStatusu::Czerwony);
}

QString LiniaRaportuBraku(qint32 numer, const TElemPListy& e) {
    return QString::number(numer).rightJustified(4, QLatin1Char(' ')) + QLatin1Char(';') + e.Ide +
           QLatin1Char(';') + QString(e.Adr);
}

void CzasyNagran(SilnikEmisji& s) {
    if (StanPlaylisty.Ilosc <= 0) return;
    s.Komunikat.clear();
    czasy(s, 0);
    KoniecStatusu(s);
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
        if (testowany && !platform::fileExists(e.Adr)) {
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
    if (Emisja.CzyDATZPlayListy) opisyZPlaylisty(s, start);
    if (!przerwany) czasy(s, start);
    KoniecStatusu(s);
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

// One run of copies: the "yes to all" answer, the stop and the first
// failure, which the run reports once at its end.
struct Kopiowanie {
    bool nazwanyLog = true;
    bool takWszystkie = false;
    bool stop = false;
    int blad = 0;
    QString celBledu;

    // `dzisiaj`: the copy gets the time of the copy instead of the source's.
    void kopiuj(const QString& zrodlo, const QString& cel, bool dzisiaj = false) {
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
        if (nazwanyLog) LogNazwany(QStringLiteral("Kopiowanie zbioru ") + zrodlo);
        QDir().mkpath(c.absolutePath());
        bool przerwane = false;
        int wynikIO = 0;
        const int wynik = KopiujZbior(zrodlo, cel, przerwane, dzisiaj, wynikIO);
        if (przerwane) {
            stop = true;
            return;
        }
        if (wynik != 0) {
            const QString tekst = QStringLiteral("Błąd kopiowania zbioru ") + zrodlo + QStringLiteral(" (") +
                                  QString::number(wynik) + QLatin1Char(')');
            Log(tekst);
            if (nazwanyLog) LogNazwany(tekst);
            if (blad == 0) {
                blad = wynik;
                celBledu = cel;
            }
        }
    }
    // One dialog for the run however many copies failed: a dead network
    // drive must not bury the operator in dialogs while on air.
    void zglosBlad() const {
        if (blad == 0) return;
        PokazBladKod(blad, QString(), celBledu);
        BladIO = blad;
    }
    // The audio file and the files beside it with these extensions.
    void kopiujZ(const QString& zrodlo, const QString& cel, std::initializer_list<const char*> obok, bool dzisiaj) {
        kopiuj(zrodlo, cel, dzisiaj);
        for (const char* rozsz : obok) {
            if (stop) return;
            kopiuj(ZmienRozszerzenie(zrodlo, QLatin1String(rozsz)), ZmienRozszerzenie(cel, QLatin1String(rozsz)));
        }
    }
};

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
        k.kopiujZ(zrodlo, cel, {".DAT", ".OBW"}, r == 6 && Emisja.CzyPlayListaZmienDateDJ);
        if (StanPrzerwij) {
            if (Decyzja(QStringLiteral("Czy przerwać kopiowanie?")) == WynikTak) break;
            StanPrzerwij = false;
        }
    }
    w.UstawStatus(QStringLiteral("OK"), KolorStatusu::Czarny);
    k.zglosBlad();
}

void KopiujNaDyskLokalnyCicho() {
    if (!Emisja.CzyKopiowacNagraniaTimelisty || StanTimelisty.Ilosc <= 0) return;
    if (Emisja.CzyPytacOKopiowanieNagranTimelisty &&
        Decyzja(QStringLiteral("Czy skopiować nagrania na dysk lokalny ?")) != WynikTak)
        return;
    Kopiowanie k;
    k.nazwanyLog = false;
    StanPrzerwij = false;
    const qint32 ile = std::min<qint32>(StanTimelisty.Ilosc, MaksTimelisty);
    for (qint32 n = 1; n <= ile && !k.stop; ++n) {
        QString zrodlo, cel;
        if (!ParaKopii(QString(Timelista[size_t(n)].Adr), zrodlo, cel)) continue;
        k.kopiujZ(zrodlo, cel, {".DAT"}, false);
    }
    k.zglosBlad();
}
