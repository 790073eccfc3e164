// A full playlist (10 000 elements): writing and reading its .MIX file;
// the undo snapshot that every edit takes first, for a short and a full list.
#include <benchmark/benchmark.h>

#include "GlownaQt.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include "PelnaPlaylista.h"
#include "foundation/DialogiSkrypt.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/NastawyEmisji.h"

namespace {

void wypelnij(int ilosc = MaksPlaylisty) { WypelnijPlayliste(ilosc); }

void BM_ZapiszMIX(benchmark::State& state) {
    DialogiSkrypt dialogi;
    QTemporaryDir dir;
    wypelnij();
    const QString plik = dir.filePath(QStringLiteral("LISTA.MIX"));
    for (auto _ : state) {
        ZapiszPlaylisteMIX(plik, 1, MaksPlaylisty);
        dialogi.Wyczysc();
    }
}
BENCHMARK(BM_ZapiszMIX)->Unit(benchmark::kMillisecond);

void BM_WczytajMIX(benchmark::State& state) {
    DialogiSkrypt dialogi;
    QTemporaryDir dir;
    wypelnij();
    const QString plik = dir.filePath(QStringLiteral("LISTA.MIX"));
    ZapiszPlaylisteMIX(plik, 1, MaksPlaylisty);
    for (auto _ : state) {
        WczytajPlaylisteMIX(plik, 0);
        dialogi.Wyczysc();
    }
    if (StanPlaylisty.Ilosc != MaksPlaylisty) state.SkipWithError("not all elements read");
}
BENCHMARK(BM_WczytajMIX)->Unit(benchmark::kMillisecond);

// The snapshot of a playlist of state.range(0) elements: its cost should
// follow the count, not the array's capacity.
void BM_ZapiszUndo(benchmark::State& state) {
    const int ilosc = int(state.range(0));
    wypelnij(ilosc);
    int i = 0;
    for (auto _ : state) {
        // An edit between snapshots, as in use.
        Playlista[1 + i++ % ilosc].Tyt = QStringLiteral("zmieniony");
        ZapiszUndoPlaylisty(QStringLiteral("Zmień"));
    }
}
BENCHMARK(BM_ZapiszUndo)->Arg(100)->Arg(MaksPlaylisty)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return GlownaQt<QCoreApplication>(argc, argv);
}
