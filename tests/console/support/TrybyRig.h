#pragma once
// A console without a window for the modes' and timers' tests: a fresh
// program folder and settings, a stepped clock, the scripted dialogs, the
// engine over players that play by the clock, and the timers' handlers.
#include <QDir>
#include <QFile>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "console/support/GraczeNaZegarze.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/StanKonsoli.h"
#include "console/engine/TrybyEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestSter2.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

// Outputs that record what the engine asked for.
class WyjsciaTrybow final : public WyjsciaEmisji {
public:
    int emisjeTimelisty = 0;
    std::function<void()> przyEmisjiTimelisty;
    void EmitujPozycjeTimelisty(quint8, int) override {
        ++emisjeTimelisty;
        if (przyEmisjiTimelisty)
            przyEmisjiTimelisty();
    }
    int zapisyDI = 0;
    void ZapiszPlikDI() override { ++zapisyDI; }
};

struct TrybyRig {
    TempProgramFolder folder;
    platform::ManualClock zegar{QDate(2024, 3, 4), 12 * 3'600'000};
    platform::ScopedClock zakres{&zegar};
    DialogiSkrypt dialogi;
    ZegaryKonsoli zegary;
    StanKonsoli stan;
    GraczeNaZegarze gracze{zegar};
    WyjsciaTrybow wyjscia;
    std::unique_ptr<SilnikEmisji> silnik;
    std::unique_ptr<TimeryKonsoli> timery;

    TrybyRig() {
        NastawyDomyslne();
        DomyslneNastawyEmisji();
        DomyslneNastawySatelity();
        Nastawy.LOGZbiorJest = true;
        Nastawy.LOGKatalog = folder.path();
        Nastawy.RoboczyKatalog = folder.path();
        Emisja.KatHST = folder.path();
        WyczyscPlayliste();
        CzyscTimeliste();
        StanTimelisty.Ilosc = 0;
        TimelistaZbior.clear();
        AutoodczytZbior.clear();
        PlaylistaWczytana = false;
        UstawZegary(&zegary);
        silnik = std::make_unique<SilnikEmisji>(stan, gracze, &wyjscia);
        // As the window does it: what the tick leaves for after it runs
        // once the tick's event is done.
        silnik->ZaplanujPoTiku = [this] { poTiku = true; };
        for (quint8 s = 1; s <= 5; ++s)
            gracze.UtworzOdtwarzacz(s);
        timery = std::make_unique<TimeryKonsoli>(*silnik);
    }
    ~TrybyRig() {
        UstawZegary(nullptr);
    }

    // A short tone in the program folder; returns its path.
    QString dzwiek(const QString& nazwa, int ms = 4000) {
        const QString p = folder.file(nazwa);
        fixtures::writeFile(p, fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, ms)));
        return p;
    }
    // A .MIX of `n` sound elements of 4 s each from `emi` on, in `plik`.
    void playlista(const QString& plik, int n, qint32 emi = 0, const QString& prefiks = QStringLiteral("E")) {
        WyczyscPlayliste();
        for (int i = 1; i <= n; ++i) {
            TElemPListy& e = Playlista[i];
            InitElemPListy(e);
            e.Typ = RodzajSND;
            e.Ide = prefiks + QString::number(i);
            e.Tyt = prefiks + QString::number(i);
            e.Adr = dzwiek(prefiks + QString::number(i) + QStringLiteral(".WAV"));
            e.Emi = emi + (i - 1) * 4000;
            e.Trw = 4000;
            e.NwK = 4000;
            e.FOu = 4000;
        }
        StanPlaylisty.Ilosc = n;
        ASSERT_EQ(ZapiszPlaylisteMIX(plik, 1, n), WynikZapisuMIX::Zapisano);
        WyczyscPlayliste();
    }
    // Elements in memory only.
    void wPamieci(int n) {
        for (int i = 1; i <= n; ++i) {
            InitElemPListy(Playlista[i]);
            Playlista[i].Typ = RodzajSND;
            Playlista[i].Emi = i * 4000;
            Playlista[i].Trw = 4000;
        }
        StanPlaylisty.Ilosc = n;
        StanPlaylisty.Kursor = 1;
    }
    QStringList log() const {
        QStringList l;
        OproznijLog();
        QFile f(platform::resolvePath(LogZbior()));
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray& b : f.readAll().split('\n'))
                if (!b.trimmed().isEmpty())
                    l << platform::fromCp1250(b.trimmed());
        return l;
    }
    bool wLogu(const QString& tekst) const {
        for (const QString& l : log())
            if (l.contains(tekst))
                return true;
        return false;
    }
    // Steps the clock by `ms` in on-air ticks of 30 ms, each followed by
    // what it left for after it.
    void graj(qint64 ms) {
        for (qint64 t = 0; t < ms; t += 30) {
            zegar.advance(30);
            silnik->Pliki.Oproznij();  // the workers keep up with the tick
            silnik->OproznijPrzygotowania();
            silnik->Timer1Timer();
            if (poTiku) {
                poTiku = false;
                silnik->PoTiku();
            }
            silnik->Odczyt.Oproznij();
        }
    }
    bool poTiku = false;
};
