// The voice-track recorder: one captured block handled while a take is
// written (goal: well under 1 ms, a block is 93 ms of 44.1 kHz stereo), and
// the chain that runs when a 60 s take stops: header, normalising, envelope
// and placing (goal 1 s), with the MP3 at 256 kbit/s (goal 5 s).
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>

#include "GlownaQt.h"
#include "foundation/KestSter2.h"
#include "foundation/UslugaDialogow.h"
#include "mixeditor/EdycjaPL.h"
#include "mixeditor/NagrywarkaDJ.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/InputDevice.h"

namespace {

constexpr int kBlokiMinuty = 60 * 176400 / NagrywarkaDJ::RozmiarBufora + 1;

struct Stanowisko {
    QTemporaryDir dir;
    DialogiCiche dialogi;
    NagrywarkaDJ rec;
    explicit Stanowisko(bool mp3) {
        UstawDialogi(&dialogi);
        WgrywanieDomyslne();
        NastawyDomyslne();
        Wgrywanie.WgrajKatalogLok = dir.path();
        Wgrywanie.WgrajKompresujJest = mp3;
        Wgrywanie.WgrajKompresujPytaj = false;
        Wgrywanie.WgrajKopiujJest = false;
        platform::DeviceHub::instance().useVirtualDevices({QStringLiteral("Default")}, true);
        platform::DeviceHub::instance().setCaptureFile({});
        Zakresy.PoczatekWgrania = 36'000'000;
        rec.OtworzWejscie();
        rec.NastepnaNazwaWgrania();
    }
    ~Stanowisko() { UstawDialogi(nullptr); }
    void start() {
        SladyMiksu = {};
        rec.WgrajDJ();
        rec.StartWgrywania();
    }
};

// A voice at a speaking level, so normalising has work to do.
QByteArray blokGlosu(int n) {
    QByteArray b(NagrywarkaDJ::RozmiarBufora, Qt::Uninitialized);
    auto* s = reinterpret_cast<qint16*>(b.data());
    for (int i = 0; i < b.size() / 2; ++i) s[i] = qint16(8000 * std::sin((n * 8192 + i) * 0.031));
    return b;
}

void BM_BlokWejscia(benchmark::State& state) {
    Stanowisko st(false);
    st.start();
    const QByteArray blok = blokGlosu(0);
    int wTakeu = 0;
    for (auto _ : state) {
        st.rec.ObsluzBuforWejscia(blok.constData());
        // A new take every minute keeps the file at a take's size.
        if (++wTakeu == kBlokiMinuty) {
            state.PauseTiming();
            st.rec.ZakonczWgrywanie();
            st.start();
            wTakeu = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_BlokWejscia)->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_KoniecWgrania60s(benchmark::State& state) {
    Stanowisko st(state.range(0) != 0);
    std::vector<QByteArray> bloki;
    for (int i = 0; i < kBlokiMinuty; ++i) bloki.push_back(blokGlosu(i));
    for (auto _ : state) {
        state.PauseTiming();
        st.start();
        for (const QByteArray& b : bloki) st.rec.ObsluzBuforWejscia(b.constData());
        state.ResumeTiming();
        st.rec.ZakonczWgrywanie();
    }
}
BENCHMARK(BM_KoniecWgrania60s)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return GlownaQt<QCoreApplication>(argc, argv); }
