#include "platform/CaptureVolume.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>

namespace platform {

bool SimulatedCaptureVolume::setLevel(double scalar) {
    level_ = std::clamp(scalar, 0.0, 1.0);
    ++changes_;
    return true;
}

namespace {

class AlsaCaptureVolume final : public CaptureVolume {
public:
    ~AlsaCaptureVolume() override {
        if (mixer_) snd_mixer_close(mixer_);
    }

    bool open() {
        if (snd_mixer_open(&mixer_, 0) < 0) return false;
        if (snd_mixer_attach(mixer_, "default") < 0 || snd_mixer_selem_register(mixer_, nullptr, nullptr) < 0 ||
            snd_mixer_load(mixer_) < 0)
            return false;
        // The first element with a capture volume: "Capture" on most cards.
        for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer_); e; e = snd_mixer_elem_next(e)) {
            if (snd_mixer_selem_is_active(e) && snd_mixer_selem_has_capture_volume(e)) {
                elem_ = e;
                name_ = QString::fromLocal8Bit(snd_mixer_selem_get_name(e));
                snd_mixer_selem_get_capture_volume_range(e, &min_, &max_);
                return max_ > min_;
            }
        }
        return false;
    }

    bool setLevel(double scalar) override {
        scalar = std::clamp(scalar, 0.0, 1.0);
        const long v = min_ + std::lround(scalar * double(max_ - min_));
        return snd_mixer_selem_set_capture_volume_all(elem_, v) == 0;
    }

    double level() const override {
        long v = min_;
        if (snd_mixer_selem_get_capture_volume(elem_, SND_MIXER_SCHN_FRONT_LEFT, &v) < 0) return 0;
        return double(v - min_) / double(max_ - min_);
    }

    QString description() const override { return QStringLiteral("ALSA: ") + name_; }

private:
    snd_mixer_t* mixer_ = nullptr;
    snd_mixer_elem_t* elem_ = nullptr;
    long min_ = 0;
    long max_ = 0;
    QString name_;
};

// ALSA prints its own complaints to stderr when there is no card; the
// program reports the fallback itself.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

std::unique_ptr<CaptureVolume> openCaptureVolume() {
    if (qgetenv("TOLVANE_AUDIO") != "virtual") {
        snd_lib_error_set_handler(quietAlsa);
        auto alsa = std::make_unique<AlsaCaptureVolume>();
        const bool ok = alsa->open();
        snd_lib_error_set_handler(nullptr);
        if (ok) return alsa;
    }
    return std::make_unique<SimulatedCaptureVolume>();
}

}  // namespace platform
