#pragma once
// A stand for engine tests: a fresh program folder, a manual clock, the
// scripted dialogs, default settings with the event log in the folder, an
// empty playlist, and players that play on the manual clock: a player's
// position is what the clock moved on since it started, so a test steps
// time and the engine together, an hour in a second.
#include <QStringList>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <vector>

#include "settings/Konfiguracja.h"
#include "common/TempFolder.h"
#include "console/support/KonsolaTestPomoc.h"
#include "common/WavWriter.h"
#include "console/support/GraczeNaZegarze.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/StanKonsoli.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestSter2.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"



// Records what the engine handed to its outputs.
class WyjsciaZapis final : public WyjsciaEmisji {
public:
    void WyslijStanOdtwarzacza(quint8 o, const QString& z) override { zdarzenia << QString::number(o) + " " + z; }
    void WyslijInfoElementu(quint8 o, const QString& z, qint32 e) override {
        zdarzenia << QString::number(o) + " " + z + " " + QString::number(e);
    }
    quint8 ZapiszPlikiRDS(quint8 slot) override {
        zdarzenia << "RDS " + QString::number(slot);
        return 0;
    }
    void ZapiszPlikInfo(quint8 slot) override { zdarzenia << "INFO " + QString::number(slot); }
    void UstawStatus(const QString& tekst, KolorStatusu k) override {
        zdarzenia << QString(k == KolorStatusu::Czerwony ? "STATUS czerwony " : "STATUS ") + tekst;
    }
    QStringList zdarzenia;
};

struct SilnikRig {
    SilnikRig() : zegar(QDate(2026, 12, 6), 12 * 3600 * 1000), zegarZakres(&zegar), gracze(zegar) {
        DomyslneKonfiguracji();
        Nastawy.LOGZbiorJest = true;
        Nastawy.LOGKatalog = dir.path();
        Emisja.KatHST = dir.path();  // the day files stay in the test's folder
        WyczyscPlayliste();
        CzyscTimeliste();
        LST1Adres = QStringLiteral(" ");
        LST1Data = QStringLiteral(" ");
        silnik = std::make_unique<SilnikEmisji>(stan, gracze, &wyjscia);
    }

    // A mono 8 kHz tone of `ms` (small files, long enough for any test).
    QString wav(const QString& nazwa, int ms) {
        dir.write(nazwa, fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, ms, 0.3)));
        return dir.file(nazwa);
    }

    // Appends an element of kind `rodzaj` for a file of `trw` ms at air time `emi`.
    TElemPListy& dodaj(const QString& adres, qint32 emi, qint32 trw, quint8 rodzaj = RodzajSND) {
        const int n = ++StanPlaylisty.Ilosc;
        TElemPListy& e = Playlista[n];
        InitElemPListy(e);
        e.Typ = rodzaj;
        e.Ide = QStringLiteral("E%1").arg(n);
        e.Adr = adres;
        e.Emi = emi;
        e.Trw = trw;
        e.NwK = trw;
        e.FOu = trw;
        e.Tyt = QStringLiteral("Tytuł %1").arg(n);
        return e;
    }

    // One on-air tick after the clock moved 30 ms.
    void tik(int n = 1) {
        for (int i = 0; i < n; ++i) {
            zegar.advance(SilnikEmisji::InterwalTimer1);
            silnik->Pliki.Oproznij();  // the workers keep up with the tick
            silnik->Odczyt.Oproznij();
            silnik->OproznijPrzygotowania();
            silnik->Timer1Timer();
        }
    }
    // A start outside the tick (a key, a command), on air by the next tick.
    void graj(quint8 odtwarzacz, quint8 tryb, quint8 zrodlo) {
        silnik->GrajKolejny(odtwarzacz, tryb, zrodlo);
        StartPoPrzygotowaniu(*silnik);
    }
    // Ticks until `warunek` holds (at most `maks`); returns the ticks taken or -1.
    template <class F>
    int tikDo(F warunek, int maks = 100'000) {
        for (int i = 1; i <= maks; ++i) {
            tik();
            if (warunek()) return i;
        }
        return -1;
    }

    // The event log's texts (after the time and "->  ").
    QStringList logi() const { return TekstyLogu(); }
    QStringList logiZ(const QString& fragment) const { return logi().filter(fragment); }

    TempProgramFolder dir;
    platform::ManualClock zegar;
    platform::ScopedClock zegarZakres;
    DialogiSkrypt dialogi;
    StanKonsoli stan;
    GraczeNaZegarze gracze;
    WyjsciaZapis wyjscia;
    std::unique_ptr<SilnikEmisji> silnik;
};

constexpr qint32 H12 = 12 * 3600 * 1000;
