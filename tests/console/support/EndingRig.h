#pragma once
// The engine on a manual clock for the ending's tests: players whose
// position is how far the clock moved since they started, outputs that
// record what they were handed, default settings with the event log and the
// history folder inside a fresh program folder.
#include <gtest/gtest.h>

#include <QStringList>

#include <memory>

#include "settings/Konfiguracja.h"
#include "common/TempFolder.h"
#include "console/support/KonsolaTestPomoc.h"
#include "common/WavWriter.h"
#include "console/support/GraczeNaZegarze.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/StanKonsoli.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/KestSter2.h"
#include "library/DBazaNastawy.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"


class WyjsciaZapisane final : public WyjsciaEmisji {
public:
    void WyslijStanOdtwarzacza(quint8 o, const QString& z) override { datagramy << QString::number(o) + u' ' + z; }
    QStringList datagramy;
};

struct EndingRig {
    EndingRig() : zegar(QDate(2026, 12, 6), (14 * 3600 + 3 * 60 + 27) * 1000), zakres(&zegar), gracze(zegar) {
        DomyslneKonfiguracji();
        BazaNastawyDomyslne();
        Nastawy.LOGZbiorJest = true;
        Nastawy.LOGKatalog = dir.path();
        Emisja.KatHST = dir.path() + QStringLiteral("/HST");
        dir.file(QStringLiteral("HST/x"));
        WyczyscPlayliste();
        CzyscTimeliste();
        silnik = std::make_unique<SilnikEmisji>(stan, gracze, &wyjscia);
    }

    // A mono 8 kHz 8-bit file of `ms` (silence: only its length matters).
    QString wav(const QString& nazwa, int ms) {
        dir.write(nazwa, fixtures::wavFile(8000, 1, 8, QByteArray(qsizetype(ms) * 8, char(0x80))));
        return dir.file(nazwa);
    }
    TElemPListy& dodaj(const QString& adres, qint32 emi, qint32 trw, quint8 rodzaj = RodzajSND) {
        const int n = ++StanPlaylisty.Ilosc;
        TElemPListy& e = Playlista[n];
        InitElemPListy(e);
        e.Typ = rodzaj;
        e.Ide = QStringLiteral("E%1").arg(n);
        e.Adr = adres;
        e.Emi = emi;
        e.Trw = e.NwK = e.FOu = trw;
        return e;
    }
    // One on-air tick after 30 ms, then the deck refresh as the display timer would.
    void tik(int n = 1) {
        for (int i = 0; i < n; ++i) {
            zegar.advance(SilnikEmisji::InterwalTimer1);
            silnik->Pliki.Oproznij();  // the workers keep up with the tick
            silnik->OproznijPrzygotowania();
            silnik->Timer1Timer();
            silnik->OdswiezOdtwarzacze();
        }
    }
    template <class F>
    int tikDo(F warunek, int maks = 200'000) {
        for (int i = 1; i <= maks; ++i) {
            tik();
            if (warunek()) return i;
        }
        return -1;
    }
    // The day-file writer is waited for first: what it wrote, and what it said.
    QStringList logi() const {
        silnik->Historia.Oproznij();
        return TekstyLogu();
    }
    QByteArray hst(const QString& nazwa) const {
        silnik->Historia.Oproznij();
        return dir.read(QStringLiteral("HST/") + nazwa);
    }

    TempProgramFolder dir;
    platform::ManualClock zegar;
    platform::ScopedClock zakres;
    GraczeNaZegarze gracze;
    WyjsciaZapisane wyjscia;
    StanKonsoli stan;
    std::unique_ptr<SilnikEmisji> silnik;
};
