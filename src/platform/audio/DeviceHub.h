#pragma once
// Lists the sound devices by name and opens one output stream per physical
// device, shared (reference-counted) by every channel routed to it.
//
// Entry 0 of each list is the default device. Without any PortAudio device,
// or with TOLVANE_AUDIO=virtual in the environment, the hub offers virtual
// devices that consume samples in real time; tests install stepped ones.
#include "platform/audio/AudioFormat.h"
#include "platform/audio/OutputDevice.h"

#include <QStringList>
#include <map>
#include <memory>
#include <mutex>

namespace platform {

class VirtualDevice;

class DeviceHub {
public:
    static DeviceHub& instance();
    ~DeviceHub();

    QStringList outputNames();
    QStringList inputNames();
    // Index of the last output name containing `text` (case-sensitive);
    // -1 for an empty text or when none contains it.
    int lastOutputContaining(const QString& text);

    // The device of list entry `index` (out of range: entry 0). The first
    // opener's format is the device's; later openers share it as it is.
    // Never null: when a sound card stream cannot be opened the virtual
    // device stands in, so the program keeps running.
    std::shared_ptr<OutputDevice> openOutput(int index, PcmFormat wanted);

    // Replaces enumeration with virtual devices of these names (entry 0 the
    // first), stepped by the caller or running in real time. Devices opened
    // before keep working until their last user lets go.
    void useVirtualDevices(const QStringList& names, bool stepped);
    bool isVirtual();
    // The open virtual device of an entry (null when not open or not virtual).
    std::shared_ptr<VirtualDevice> openVirtual(int index);

private:
    DeviceHub() = default;
    void enumerate();  // under mutex_

    struct Entry {
        QString name;
        int paIndex = -1;  // -1: virtual
    };
    std::mutex mutex_;
    bool enumerated_ = false;
    bool paInitialised_ = false;
    bool virtual_ = false;
    bool stepped_ = false;
    std::vector<Entry> outputs_, inputs_;
    // Keyed by PortAudio device index, or by -1 - entry for virtual devices.
    std::map<int, std::weak_ptr<OutputDevice>> open_;
};

}  // namespace platform
