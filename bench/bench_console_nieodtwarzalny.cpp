// A start in Automat past a file the players cannot play (a 24-bit WAV in an
// extensible header, as common tools write it), with every deck idle, on the
// real player slots and the virtual device playing in real time: the tick
// that meets the file refuses it, and the next element must be on air by the
// next tick. Counters: ticks from the refusal to the next element on air
// (1 = within one tick period; 100 = never), and the wall time of those
// ticks (median, p99, max).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <vector>

#include "GlownaQt.h"
#include "audio/OdtwarzaczeSlotow.h"
#include "audio/PlayerSloty.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/StanKonsoli.h"
#include "foundation/KestSter2.h"
#include "platform/Clock.h"
#include "platform/audio/DeviceHub.h"
#include "playlists/D_Playlista.h"
#include "settings/Konfiguracja.h"

namespace {

void le(QByteArray& b, quint32 v, int n) {
    for (int i = 0; i < n; ++i) b.append(char((v >> (8 * i)) & 0xFF));
}

// tag 1 (16-byte fmt) or 0xFFFE (40-byte fmt and a fact chunk).
QByteArray wav(int tag, int rate, int bits, int ms) {
    const int channels = 2;
    const quint32 frames = quint32(qint64(rate) * ms / 1000);
    QByteArray data(int(frames * channels * bits / 8), '\0');
    for (int i = 0; i + 1 < data.size(); i += 2) data[i + 1] = char((i / 64) % 32);
    QByteArray fmt;
    le(fmt, quint32(tag), 2);
    le(fmt, channels, 2);
    le(fmt, quint32(rate), 4);
    le(fmt, quint32(rate * channels * bits / 8), 4);
    le(fmt, quint32(channels * bits / 8), 2);
    le(fmt, quint32(bits), 2);
    QByteArray extra;
    if (tag == 0xFFFE) {
        le(fmt, 22, 2);
        le(fmt, quint32(bits), 2);
        le(fmt, 3, 4);
        le(fmt, 1, 2);
        fmt += QByteArray::fromHex("000000001000800000aa00389b71");
        extra = "fact";
        le(extra, 4, 4);
        le(extra, frames, 4);
    }
    QByteArray body = "WAVEfmt ";
    le(body, quint32(fmt.size()), 4);
    body += fmt + extra + "data";
    le(body, quint32(data.size()), 4);
    body += data;
    QByteArray r = "RIFF";
    le(r, quint32(body.size()), 4);
    return r + body;
}

void zapisz(const QString& plik, const QByteArray& b) {
    QFile f(plik);
    if (f.open(QIODevice::WriteOnly)) f.write(b);
}

double percentyl(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

// range(0): 1 streaming back-end, 0 file players.
void BM_StartZaNieodtwarzalnym(benchmark::State& state) {
    platform::DeviceHub::instance().useVirtualDevices({"Bench"}, false);
    platform::ManualClock zegar(QDate(2026, 12, 6), 12 * 3'600'000);
    platform::ScopedClock zakres(&zegar);
    DomyslneKonfiguracji();
    Nastawy.LOGZbiorJest = false;
    QTemporaryDir dir;
    const QString zly = dir.filePath(QStringLiteral("ext24.wav"));
    const QString dobry = dir.filePath(QStringLiteral("dobry.wav"));
    zapisz(zly, wav(0xFFFE, 48000, 24, 20'000));
    zapisz(dobry, wav(1, 44100, 16, 3'000));
    WyczyscPlayliste();
    const qint32 h12 = 12 * 3'600'000;
    for (int i = 1; i <= 2; ++i) {
        TElemPListy& e = Playlista[i];
        InitElemPListy(e);
        e.Typ = RodzajSND;
        e.Ide = QStringLiteral("E%1").arg(i);
        e.Adr = i == 1 ? zly : dobry;
        e.Emi = i == 1 ? h12 : h12 + 20'000;
        e.Trw = e.NwK = e.FOu = i == 1 ? 20'000 : 3'000;
    }
    StanPlaylisty.Ilosc = 2;

    PlayerSloty sloty;
    OpcjeOdtwarzaczy o;
    o.CzyPlayerZgodnoscWinXP = state.range(0) != 0;
    sloty.UstawOpcje(o);
    sloty.UtworzMiksery();
    OdtwarzaczeZPlayerSloty gracze(sloty);
    std::vector<double> czasy;
    int najwiecejTikow = 0;
    for (auto _ : state) {
        state.PauseTiming();
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
        auto stan = std::make_unique<StanKonsoli>();
        auto silnik = std::make_unique<SilnikEmisji>(*stan, gracze);
        stan->TrybAutomat = true;
        QElapsedTimer t;
        t.start();
        state.ResumeTiming();
        int tiki = 0;
        while (silnik->Odtwarzacz[1].Element != 2 && silnik->Odtwarzacz[2].Element != 2 && tiki < 100) {
            zegar.advance(SilnikEmisji::InterwalTimer1);
            silnik->Timer1Timer();
            ++tiki;
        }
        state.PauseTiming();
        czasy.push_back(double(t.nsecsElapsed()) / 1e6);
        // The first tick meets the file; the ones after it until the next is on air.
        najwiecejTikow = std::max(najwiecejTikow, tiki - 1);
        for (quint8 s = 1; s <= 3; ++s) gracze.ZatrzymajOdtwarzacz(s);
        silnik.reset();
        stan.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["tikow_po_odmowie_max"] = najwiecejTikow;
    state.counters["mediana_ms"] = percentyl(czasy, 0.5);
    state.counters["p99_ms"] = percentyl(czasy, 0.99);
    state.counters["max_ms"] = percentyl(czasy, 1.0);
}
BENCHMARK(BM_StartZaNieodtwarzalnym)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

int main(int argc, char** argv) { return GlownaQt<QCoreApplication>(argc, argv); }
