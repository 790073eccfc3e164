// Cost of one sound-card block: the device's render pass over 14 playing
// channels, each converted and resampled (48 kHz and 22.05 kHz files on a
// 44.1 kHz device), with a volume ramp under way.
#include "platform/audio/Channel.h"
#include "platform/audio/VirtualDevice.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace platform;

namespace {

std::vector<int16_t> tone(int rate, int channels, int frames) {
    std::vector<int16_t> s(size_t(frames) * channels);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            s[size_t(i) * channels + c] = int16_t(12000 * std::sin(2 * M_PI * 440.0 * i / rate));
    return s;
}

void topUp(Channel& ch, const std::vector<int16_t>& data) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    const int64_t size = int64_t(data.size()) * 2;
    while (ch.freeBytes() > size / 2) {
        const int64_t at = ch.written() % size;
        ch.write(bytes + at, std::min(size - at, ch.freeBytes()));
    }
}

void BM_RenderBlock14Channels(benchmark::State& state) {
    const bool resample = state.range(0) != 0;
    const PcmFormat dev{44100, 2, 16};
    VirtualDevice device("bench", dev, false);
    std::vector<std::unique_ptr<Channel>> channels;
    std::vector<std::vector<int16_t>> data;
    for (int i = 0; i < 14; ++i) {
        PcmFormat f{44100, 2, 16};
        if (resample) f = i % 3 == 2 ? PcmFormat{22050, 1, 16} : PcmFormat{48000, 2, 16};
        data.push_back(tone(f.rate, f.channels, f.rate));  // 1 s, looped
        auto ch = std::make_unique<Channel>(f, int64_t(f.bytesPerSecond()) * 4, dev, OutputDevice::kMaxBlockFrames);
        topUp(*ch, data.back());
        ch->setVolume(-300);
        device.attach(ch.get());
        channels.push_back(std::move(ch));
    }
    int n = 0;
    for (auto _ : state) {
        device.step(441);  // 10 ms
        if (++n % 100 == 0) {
            state.PauseTiming();
            for (size_t i = 0; i < channels.size(); ++i) {
                topUp(*channels[i], data[i]);
                channels[i]->setVolume(n % 200 == 0 ? -300 : -900);  // keep the ramps busy
            }
            state.ResumeTiming();
        }
    }
    for (auto& ch : channels) device.detach(ch.get());
    state.counters["block_share_%"] = benchmark::Counter(
        double(state.iterations()) / 10000.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RenderBlock14Channels)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
