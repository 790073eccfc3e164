// What the on-air tick pays for the disk, one start (or one lookup) a
// sample, reported as median, p99 and max over the samples:
// - the tick that starts an element in Automat past 3 000 or 9 999 elements
//   whose files are missing, in a folder of 10 000 names, with every look at
//   the disk made 50 ms slow (a network share) or not;
// - a lookup on the tick's thread in a folder of 10 000 names just after a
//   file was copied in;
// - the tick that starts a WAV or an MP3 in Automat on the real player slots
//   of the virtual device, with the file out of the page cache.
// The workers (presence of files, starts prepared ahead) are given the time
// an element on air gives them before the timed tick.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "GlownaQt.h"
#include "Probki.h"
#include "Mp3DoPomiaru.h"
#include "StartNaSlocie.h"
#include "WavDoPomiaru.h"
#include "audio/PlayerSloty.h"
#include "console/engine/SilnikEmisji.h"
#include "foundation/KestSter2.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/audio/DeviceHub.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"
#include "settings/Konfiguracja.h"

namespace {

using Zegarek = std::chrono::steady_clock;

double sekundy(Zegarek::time_point od) { return std::chrono::duration<double>(Zegarek::now() - od).count(); }

template <class B>
B* Rozklad(B* b, int probek) {
    return b->UseManualTime()->Iterations(probek)->Unit(benchmark::kMicrosecond);
}

constexpr int kRate = 44100;

QByteArray muzyka(int sekund) {
    QByteArray pcm(sekund * kRate * 4, '\0');
    auto* p = reinterpret_cast<short*>(pcm.data());
    for (int i = 0; i < sekund * kRate; ++i) {
        const double t = double(i) / kRate;
        p[2 * i] = p[2 * i + 1] = short(6000 * std::sin(2 * M_PI * 220 * t) + 3000 * std::sin(2 * M_PI * 1375 * t));
    }
    return pcm;
}

void zapiszWav(const QString& sciezka, int sekund) {
    const QByteArray pcm = muzyka(sekund);
    const QByteArray h = NaglowekWavDoPomiaru(quint32(pcm.size()));
    QFile f(sciezka);
    if (f.open(QIODevice::WriteOnly)) f.write(h + pcm);
}

void zapiszMp3(const QString& sciezka, int sekund) {
    const QByteArray pcm = muzyka(sekund);
    const QByteArray mp3 =
        Mp3DoPomiaru(reinterpret_cast<const short*>(pcm.constData()), int(pcm.size() / 4), kRate, 192, 7);
    QFile f(sciezka);
    if (f.open(QIODevice::WriteOnly)) f.write(mp3);
}

// The page cache forgets the file: the start reads it from the disk.
void zimny(const QString& sciezka) {
    const int fd = ::open(QFile::encodeName(sciezka).constData(), O_RDONLY);
    if (fd < 0) return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

// A station: drive D: with a folder of 10 000 names, the real engine with its
// player slots on the virtual device.
struct Stanowisko {
    QTemporaryDir dir;
    platform::ManualClock zegar{QDate(2026, 12, 6), 12 * 3'600'000};
    platform::ScopedClock zakres{&zegar};
    QString folder;

    Stanowisko() {
        DomyslneKonfiguracji();
        Nastawy.LOGZbiorJest = false;
        Emisja.CzyHST = false;
        Emisja.CzyHSTXML = false;
        Emisja.CzyPlayerZgodnoscWinXP = true;
        platform::DeviceHub::instance().useVirtualDevices({"Bench"}, false);
        platform::setProgramFolder(dir.path());
        folder = dir.filePath(QStringLiteral("drives/d/MUZYKA"));
        QDir().mkpath(folder);
        for (int i = 0; i < 10'000; ++i) QFile(folder + QStringLiteral("/N%1.WAV").arg(i)).open(QIODevice::WriteOnly);
        const timespec dzienTemu[2] = {{time(nullptr) - 86'400, 0}, {time(nullptr) - 86'400, 0}};
        utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), dzienTemu, 0);
        platform::clearPathCache();
    }
    ~Stanowisko() {
        platform::setFileSystemDelay(0);
        platform::setProgramFolder(QString());
    }
    static void element(int i, const QString& adres) {
        TElemPListy& e = Playlista[i];
        InitElemPListy(e);
        e.Typ = RodzajSND;
        e.Ide = QStringLiteral("E%1").arg(i);
        e.Adr = adres;
        e.Emi = 12 * 3'600'000;
        e.Trw = e.NwK = e.FOu = 20'000;
    }
};

// range(0): missing elements ahead; range(1): ms of delay of every look at
// the disk; range(2): the event log on (a line for each element passed over).
void BM_StartZaBrakami(benchmark::State& state) {
    Probki probki;
    const int brakow = int(state.range(0));
    Stanowisko s;
    if (state.range(2)) {
        Nastawy.LOGZbiorJest = true;
        Nastawy.LOGKatalog = s.dir.path();
    }
    zapiszWav(s.folder + QStringLiteral("/GRA.WAV"), 20);
    WyczyscPlayliste();
    for (int i = 1; i <= brakow + 1; ++i)
        Stanowisko::element(i, i <= brakow ? QStringLiteral("D:\\MUZYKA\\BRAK%1.WAV").arg(i)
                                           : QStringLiteral("D:\\MUZYKA\\GRA.WAV"));
    StanPlaylisty.Ilosc = brakow + 1;
    SilnikEmisji silnik;
    silnik.Sloty.UstawOpcje(OpcjeOdtwarzaczyZNastaw());
    silnik.Sloty.UtworzMiksery();
    platform::setFileSystemDelay(int(state.range(1)) * 1000);
    // Which of the two ticks makes the max: the walk past the missing, or the start.
    double najdluzejTik[2] = {0, 0};
    for (auto _ : state) {
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
        silnik.Pliki.Oproznij();
        silnik.OproznijPrzygotowania();
        OproznijLog();
        silnik.Stan.TrybAutomat = true;
        // The tick that finds the cursor's file missing walks past the rest;
        // the next one starts the element that plays. The slower one counts.
        double najdluzej = 0;
        Wywlaszczenia przed, po;
        for (int tik = 0; tik < 2 && silnik.Odtwarzacz[1].Element != brakow + 1; ++tik) {
            s.zegar.advance(SilnikEmisji::InterwalTimer1);
            const Wywlaszczenia w0 = Wywlaszczenia::teraz();
            const auto t0 = Zegarek::now();
            silnik.Timer1Timer();
            const double t = sekundy(t0);
            const Wywlaszczenia w1 = Wywlaszczenia::teraz();
            if (t > najdluzej) {
                przed = w0;
                po = w1;
            }
            najdluzej = std::max(najdluzej, t);
            najdluzejTik[tik] = std::max(najdluzejTik[tik], t * 1e6);
            silnik.OproznijPrzygotowania();
        }
        { const double t_ = najdluzej; state.SetIterationTime(t_); probki.dodaj(t_, przed, po); }
        if (silnik.Odtwarzacz[1].Element != brakow + 1) {
            state.SkipWithError("the playable element did not start");
            break;
        }
        silnik.KoniecEmisji(1, PowodProg);
        silnik.Stan.TrybAutomat = false;
        QCoreApplication::processEvents();
    }
    probki.zglos(state);
    state.counters["max_walk_us"] = najdluzejTik[0];
    state.counters["max_start_us"] = najdluzejTik[1];
}
BENCHMARK(BM_StartZaBrakami)->ArgNames({"brakow", "opoznienieMs", "log"})->Args({3000, 0, 0})->Args({9999, 0, 0})->Args({3000, 50, 0})->Args({9999, 50, 0})->Args({9999, 0, 1})->Args({9999, 50, 1})->Apply([](benchmark::internal::Benchmark* b) { Rozklad(b, 30); });

// Before: what the tick did in its place, each missing element's file
// looked up on the tick's own thread.
void BM_PrzedSprawdzaniePoKolei(benchmark::State& state) {
    Probki probki;
    Stanowisko s;
    const int brakow = int(state.range(0));
    QStringList adresy;
    for (int i = 1; i <= brakow; ++i) adresy << QStringLiteral("D:\\MUZYKA\\BRAK%1.WAV").arg(i);
    platform::resolvePath(adresy[0]);
    platform::setFileSystemDelay(int(state.range(1)) * 1000);
    for (auto _ : state) {
        probki.start();
        const auto t0 = Zegarek::now();
        int jest = 0;
        for (const QString& a : adresy) jest += platform::isRegularFile(a) ? 1 : 0;
        { const double t_ = sekundy(t0); state.SetIterationTime(t_); probki.dodaj(t_); }
        benchmark::DoNotOptimize(jest);
    }
    probki.zglos(state);
}
BENCHMARK(BM_PrzedSprawdzaniePoKolei)->ArgNames({"brakow", "opoznienieMs"})->Args({3000, 0})->Args({9999, 0})->Args({20, 50})->Apply([](benchmark::internal::Benchmark* b) { Rozklad(b, 10); });

// A lookup on the tick's thread right after a file was copied into the
// folder of 10 000 names (its index is out of date).
void BM_SzukanieWTikuPoKopii(benchmark::State& state) {
    Probki probki;
    Stanowisko s;
    const QString szukana = QStringLiteral("D:\\MUZYKA\\n4321.wav");
    platform::resolvePath(szukana);
    int kopia = 0;
    for (auto _ : state) {
        QFile(s.folder + QStringLiteral("/KOPIA%1.WAV").arg(kopia++)).open(QIODevice::WriteOnly);
        probki.start();
        const auto t0 = Zegarek::now();
        if (state.range(0)) {
            const platform::NoListingWait bezListowania;
            benchmark::DoNotOptimize(platform::resolvePath(szukana));
        } else {
            benchmark::DoNotOptimize(platform::resolvePath(szukana));  // before: the lookup lists the folder
        }
        { const double t_ = sekundy(t0); state.SetIterationTime(t_); probki.dodaj(t_); }
        platform::flushBackgroundListings();
    }
    probki.zglos(state);
}
BENCHMARK(BM_SzukanieWTikuPoKopii)->ArgNames({"wTiku"})->Arg(0)->Arg(1)->Apply([](benchmark::internal::Benchmark* b) { Rozklad(b, 200); });

// range(0): 0 WAV, 1 MP3. Each repetition: the previous element plays, the
// next one is prepared from a cold file, and the timed tick starts it.
void BM_TikStartu(benchmark::State& state) {
    Probki probki;
    Stanowisko s;
    const bool mp3 = state.range(0) != 0;
    WyczyscPlayliste();
    for (int i = 1; i <= 20; ++i) {
        const QString nazwa = QStringLiteral("S%1.").arg(i) + (mp3 ? QStringLiteral("MP3") : QStringLiteral("WAV"));
        if (mp3)
            zapiszMp3(s.folder + QLatin1Char('/') + nazwa, 20);
        else
            zapiszWav(s.folder + QLatin1Char('/') + nazwa, 20);
        Stanowisko::element(i, QStringLiteral("D:\\MUZYKA\\") + nazwa);
    }
    StanPlaylisty.Ilosc = 20;
    SilnikEmisji silnik;
    silnik.Sloty.UstawOpcje(OpcjeOdtwarzaczyZNastaw());
    silnik.Sloty.UtworzMiksery();
    int n = 0;
    for (auto _ : state) {
        n = n % 20 + 1;
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = n;
        zimny(s.folder + QStringLiteral("/S%1.").arg(n) + (mp3 ? QStringLiteral("MP3") : QStringLiteral("WAV")));
        silnik.Pliki.Oproznij();
        silnik.OproznijPrzygotowania();
        silnik.Stan.TrybAutomat = true;
        s.zegar.advance(SilnikEmisji::InterwalTimer1);
        probki.start();
        const auto t0 = Zegarek::now();
        silnik.Timer1Timer();
        { const double t_ = sekundy(t0); state.SetIterationTime(t_); probki.dodaj(t_); }
        if (silnik.Odtwarzacz[1].Element != n && silnik.Odtwarzacz[2].Element != n) {
            state.SkipWithError("the element did not start");
            break;
        }
        silnik.Stan.TrybAutomat = false;
        silnik.KoniecEmisji(1, PowodProg);
        silnik.KoniecEmisji(2, PowodProg);
        QCoreApplication::processEvents();
    }
    probki.zglos(state);
}
BENCHMARK(BM_TikStartu)->ArgNames({"mp3"})->Arg(0)->Arg(1)->Apply([](benchmark::internal::Benchmark* b) { Rozklad(b, 200); });

// Before: the slots' sequence the start ran on the tick (open, seek, volume,
// play with its first 200 ms read and decoded), from a cold file.
void BM_PrzedStartNaSlocie(benchmark::State& state) {
    Probki probki;
    Stanowisko s;
    const bool mp3 = state.range(0) != 0;
    const QString plik = s.folder + (mp3 ? QStringLiteral("/P.MP3") : QStringLiteral("/P.WAV"));
    if (mp3)
        zapiszMp3(plik, 20);
    else
        zapiszWav(plik, 20);
    PlayerSloty sloty;
    sloty.UstawOpcje(OpcjeOdtwarzaczyZNastaw());
    sloty.UtworzMiksery();
    sloty.UtworzOdtwarzacz(1);
    for (auto _ : state) {
        zimny(plik);
        probki.start();
        const auto t0 = Zegarek::now();
        StartNaSlocie(sloty, plik);
        { const double t_ = sekundy(t0); state.SetIterationTime(t_); probki.dodaj(t_); }
        sloty.ZatrzymajOdtwarzacz(1);
        sloty.OtworzPlikOdtwarzacza(1, QString());
        QCoreApplication::processEvents();
    }
    probki.zglos(state);
}
BENCHMARK(BM_PrzedStartNaSlocie)->ArgNames({"mp3"})->Arg(0)->Arg(1)->Apply([](benchmark::internal::Benchmark* b) { Rozklad(b, 200); });

}  // namespace

int main(int argc, char** argv) { return GlownaQt<QCoreApplication>(argc, argv); }
