#pragma once
// A sound card for tests of real PortAudio streams on any machine, sound
// card or none: an ALSA configuration written by the test routes the PCM
// devices "default" and "tolvane_sink" to files (type file over a null
// device), and the device hub lists PortAudio's devices again. The null
// device takes samples as fast as they come, so such a stream runs much
// faster than real time. The sink's file may be a named pipe that the test
// reads (or leaves full, which stops the stream).
#include "platform/audio/DeviceHub.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

class AlsaSink {
public:
    static constexpr const char* kName = "tolvane_sink";

    explicit AlsaSink(bool pipe = false) {
        savedConfig_ = qgetenv("ALSA_CONFIG_PATH");
        savedAudio_ = qgetenv("TOLVANE_AUDIO");
        if (pipe) {
            mkfifo(QFile::encodeName(sinkFile()).constData(), 0600);
            // Open before any writer, so that the stream's open never waits
            // for a reader.
            pipe_ = ::open(QFile::encodeName(sinkFile()).constData(), O_RDONLY | O_NONBLOCK);
        }
        QFile(captureFile()).open(QIODevice::WriteOnly);  // empty until a test fills it
        writeConfig(true);
        qputenv("ALSA_CONFIG_PATH", QFile::encodeName(dir_.filePath("asound.conf")));
        qunsetenv("TOLVANE_AUDIO");
        platform::DeviceHub::instance().usePortAudio();
    }
    ~AlsaSink() {
        close();
        if (pipe_ >= 0) ::close(pipe_);
        if (savedConfig_.isNull()) qunsetenv("ALSA_CONFIG_PATH");
        else qputenv("ALSA_CONFIG_PATH", savedConfig_);
        if (!savedAudio_.isNull()) qputenv("TOLVANE_AUDIO", savedAudio_);
    }
    AlsaSink(const AlsaSink&) = delete;
    AlsaSink& operator=(const AlsaSink&) = delete;

    QString sinkFile() const { return dir_.filePath("sink.raw"); }
    // What the sink's capture side reads (raw PCM in the stream's format).
    QString captureFile() const { return dir_.filePath("capture.raw"); }
    int inputIndex() const {
        const QStringList names = platform::DeviceHub::instance().inputNames();
        for (int i = int(names.size()) - 1; i >= 0; --i)
            if (names[i].contains(kName)) return i;
        return -1;
    }
    int index() const { return platform::DeviceHub::instance().lastOutputContaining(kName); }

    // With the sink or without it (a card unplugged): ALSA reads its
    // configuration again at the next open, a new file being a change.
    void writeConfig(bool withSink) {
        auto pcm = [this](const char* name, const QString& file) {
            // The sink also captures: what captureFile() holds, read raw.
            return QStringLiteral("pcm.%1 {\n    type file\n    slave.pcm { type null }\n    file \"%2\"\n"
                                  "    infile \"%3\"\n    format \"raw\"\n}\n")
                .arg(QLatin1String(name), file, captureFile());
        };
        QString text = pcm("!default", dir_.filePath("default.raw"));
        if (withSink) text += pcm(kName, sinkFile());
        QSaveFile f(dir_.filePath("asound.conf"));
        f.open(QIODevice::WriteOnly);
        f.write(text.toUtf8());
        f.commit();
    }

    // The system's own ALSA configuration, listed afresh: on a machine
    // without a sound card, no device. writeConfig() plugs the sink in.
    void noDevices() {
        QSaveFile f(dir_.filePath("asound.conf"));
        f.open(QIODevice::WriteOnly);
        f.write("</usr/share/alsa/alsa.conf>\n");
        f.commit();
        platform::DeviceHub::instance().usePortAudio();
    }

    // Closes every stream (and PortAudio): the sink's file is complete.
    void close() {
        platform::DeviceHub::instance().setStreamGate(nullptr);
        platform::DeviceHub::instance().useVirtualDevices({"Virtual"}, true);
    }
    QByteArray played() const {
        QFile f(sinkFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The pipe: reads what is there now (nothing blocks).
    qint64 drain() {
        char buf[65536];
        qint64 total = 0;
        for (ssize_t n; (n = ::read(pipe_, buf, sizeof buf)) > 0;) total += n;
        return total;
    }

private:
    QTemporaryDir dir_;
    QByteArray savedConfig_, savedAudio_;
    int pipe_ = -1;
};

// Waits, bounded, for something another thread makes true.
inline bool eventually(const std::function<bool()>& done, int ms = 10000) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
