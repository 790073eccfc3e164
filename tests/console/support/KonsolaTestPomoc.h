#pragma once
// Helpers of the console tests: the event log in a temporary folder and
// waiting, with a time-out, for a socket round trip on 127.0.0.1.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>

#include "common/TempFolder.h"
#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/PrzebiegiOdczytu.h"
#include "console/engine/SilnikEmisji.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"
#include "platform/audio/DeviceHub.h"

// Processes events until `warunek` holds or `ms` pass.
inline bool CzekajNa(const std::function<bool()>& warunek, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!warunek()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// A start outside the tick whose file was not read yet: the workers finish
// and a tick, the clock standing, puts it on air.
inline void StartPoPrzygotowaniu(SilnikEmisji& silnik) {
    silnik.Pliki.Oproznij();
    silnik.OproznijPrzygotowania();
    silnik.Timer1Timer();
}

// A playlist file read by the engine's read worker and put in place as a
// read puts it, from the top (a test's load); its result in BladIO. With
// `przebiegi` it goes through them first, as an automatic load's list does,
// and becomes the playlist.
inline void CzytajPrzezWatek(SilnikEmisji& silnik, const QString& plik,
                             std::optional<PrzebiegiListy> przebiegi = std::nullopt) {
    CzytajWTle(silnik, plik, 0, [&silnik, plik, przebiegi](OdczytanaLista& r) {
        ZglosOdczyt(r);
        BladIO = r.Jest ? r.Wynik.BladIO : 2;
        if (!r.Wynik.Otwarty) return;
        auto nowa = std::make_shared<ListaNaBoku>(silnik, r, false);
        const auto naMiejsce = [nowa] {
            nowa->Zatwierdz();
            StanPlaylisty.Kursor = StanPlaylisty.Pierwszy = 1;
            StanPlaylisty.DoGrania = 0;
        };
        if (!przebiegi) return naMiejsce();
        PlaylistaZbior = plik;
        PlaylistaNazwa = r.Nazwa;
        PrzebiegiPoOdczycie(silnik, nowa, r.Nagrania, *przebiegi, naMiejsce);
    });
    silnik.Odczyt.Oproznij();
}

// The window's tests stand where the program stands: the program folder is
// the current folder (as main makes it) and sound goes to a stepped virtual
// device. The previous folder comes back at the end.
class StanowiskoWFolderze {
public:
    explicit StanowiskoWFolderze(const TempProgramFolder& folder) : poprzedni_(QDir::currentPath()) {
        QDir::setCurrent(folder.path());
        platform::DeviceHub::instance().useVirtualDevices({QStringLiteral("Wirtualne")}, true);
    }
    ~StanowiskoWFolderze() { QDir::setCurrent(poprzedni_); }
    StanowiskoWFolderze(const StanowiskoWFolderze&) = delete;
    StanowiskoWFolderze& operator=(const StanowiskoWFolderze&) = delete;

private:
    QString poprzedni_;
};

// Turns the event log on into the test's program folder.
inline void LogDoFolderu(const TempProgramFolder& folder) {
    Nastawy.LOGZbiorJest = true;
    Nastawy.IdZbioryJest = false;
    Nastawy.LOGKatalog = folder.path();
}

inline QString TekstLogu() {
    OproznijLog();
    QFile f(platform::resolvePath(LogZbior()));
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return platform::fromCp1250(f.readAll());
}

// The event log's texts, without the time and "->  " of each line.
inline QStringList TekstyLogu() {
    QStringList t;
    for (const QString& l : TekstLogu().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        t << l.mid(l.indexOf(QStringLiteral("->  ")) + 4);
    return t;
}

// Readable failures for texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE
