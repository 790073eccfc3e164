#pragma once
// The capture level of the default input, which the satellite fade moves.
// On a machine with a sound card it is ALSA's capture control of the default
// card; without one a simulated control keeps the level so that the fade
// still runs (and tests can read what it set).
#include <QString>
#include <memory>

namespace platform {

class CaptureVolume {
public:
    virtual ~CaptureVolume() = default;
    // Level as a scalar 0.0 .. 1.0; values outside are clamped.
    virtual bool setLevel(double scalar) = 0;
    virtual double level() const = 0;
    // What stands behind it ("ALSA: Capture" or "simulated").
    virtual QString description() const = 0;
};

class SimulatedCaptureVolume final : public CaptureVolume {
public:
    bool setLevel(double scalar) override;
    double level() const override { return level_; }
    QString description() const override { return QStringLiteral("simulated"); }
    int changes() const { return changes_; }

private:
    double level_ = 1.0;
    int changes_ = 0;
};

// ALSA's capture control of the default card, or the simulated control when
// there is no card or no capture control. TOLVANE_AUDIO=virtual forces the
// simulated control.
std::unique_ptr<CaptureVolume> openCaptureVolume();

}  // namespace platform
