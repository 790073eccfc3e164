#include "console/engine/TestyPlaylisty.h"

#include "audio/Sygnaly2.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

#include <QFileInfo>

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
