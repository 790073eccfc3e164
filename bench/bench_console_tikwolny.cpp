// The on-air tick with the real player slots while a refill thread is
// stalled on a slow reader: deck A fades out, deck B fades in under a DJ
// element on player 3 that ducks them both, and every read of the files now
// takes 200 ms (a slow disk or network share). The tick only sets volumes
// and reads positions: it must never wait for the stalled read. The goal is
// well under a millisecond on the tick's thread.
#include <benchmark/benchmark.h>

#include "settings/Konfiguracja.h"
#include "GlownaQt.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <thread>

#include "WavDoPomiaru.h"
#include "audio/OdtwarzaczeSlotow.h"
#include "audio/PlayerSloty.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/StanKonsoli.h"
#include "foundation/KestSter2.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Clock.h"
#include "platform/audio/Decoder.h"
#include "platform/audio/DeviceHub.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

namespace {

std::atomic<bool> wolnyDysk{false};

// A reader in front of a real file that, once the disk is slow, takes
// 200 ms for every read.
class WolnyOdczyt final : public platform::Decoder {
public:
    explicit WolnyOdczyt(std::unique_ptr<platform::Decoder> d) : d_(std::move(d)) {}
    platform::PcmFormat format() const override { return d_->format(); }
    int64_t lengthFrames() const override { return d_->lengthFrames(); }
    int64_t read(void* dst, int64_t maxBytes) override {
        if (wolnyDysk) std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return d_->read(dst, maxBytes);
    }
    bool seekFrame(int64_t frame) override { return d_->seekFrame(frame); }

private:
    std::unique_ptr<platform::Decoder> d_;
};

void BM_TikPrzyWolnymOdczycie(benchmark::State& state) {
    platform::DeviceHub::instance().useVirtualDevices({"Bench"}, false);
    platform::setDecoderWrapper(
        [](std::unique_ptr<platform::Decoder> d) -> std::unique_ptr<platform::Decoder> {
            return std::make_unique<WolnyOdczyt>(std::move(d));
        });
    DomyslneKonfiguracji();
    Nastawy.LOGZbiorJest = false;
    Emisja.CzyHST = Emisja.CzyHSTXML = false;
    Emisja.CzyPlayerZgodnoscWinXP = true;  // the streaming mixers

    PlayerSloty sloty;
    sloty.UstawOpcje(OpcjeOdtwarzaczyZNastaw());
    sloty.UtworzMiksery();
    OdtwarzaczeZPlayerSloty gracze(sloty);
    StanKonsoli stan;
    SilnikEmisji silnik(stan, gracze);

    const qint32 teraz = qint32(platform::clock().msOfDay());
    WyczyscPlayliste();
    const quint8 rodzaje[] = {RodzajSND, RodzajSND, RodzajDJ_};
    for (int i = 1; i <= 3; ++i) {
        TElemPListy& e = Playlista[i];
        InitElemPListy(e);
        e.Typ = rodzaje[i - 1];
        e.Ide = QStringLiteral("E%1").arg(i);
        e.Adr = WavDoPomiaru(60);
        e.Emi = teraz;
        e.Trw = e.NwK = 60'000;
        // A fades out from the start, B fades in over the minute, the DJ ducks.
        e.FIn = i == 2 ? 60'000 : 0;
        e.FOu = i == 1 ? 0 : 60'000;
        e.Kac = i == 3 ? -1200 : 0;
    }
    StanPlaylisty.Ilosc = 3;
    for (quint8 gracz = 1; gracz <= 3; ++gracz) {
        StanPlaylisty.Kursor = gracz;
        silnik.GrajKolejny(gracz, TrybKursor, ZrodloKlaw);
    }
    // Nothing was read ahead of them: once read, a tick puts them on air.
    silnik.OproznijPrzygotowania();
    silnik.Timer1Timer();
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 3;
    for (quint8 gracz = 1; gracz <= 3; ++gracz)
        if (gracze.StanOdtwarzacza(gracz) != 1) state.SkipWithError("a player does not play");
    wolnyDysk = true;  // from now on every refill waits on the disk
    for (auto _ : state) {
        // Ticks some milliseconds apart, so the fades move and volumes are set.
        state.PauseTiming();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        state.ResumeTiming();
        silnik.Timer1Timer();
    }
    state.counters["glosnoscA"] = gracze.GlosnoscOdtwarzacza(1);
    state.counters["glosnoscB"] = gracze.GlosnoscOdtwarzacza(2);
    wolnyDysk = false;
    for (quint8 gracz = 1; gracz <= 3; ++gracz) gracze.ZatrzymajOdtwarzacz(gracz);
    platform::setDecoderWrapper({});
}
BENCHMARK(BM_TikPrzyWolnymOdczycie)->Unit(benchmark::kMicrosecond)->Iterations(400);

}  // namespace

int main(int argc, char** argv) {
    return GlownaQt<QCoreApplication>(argc, argv);
}
