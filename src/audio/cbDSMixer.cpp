#include "audio/cbDSMixer.h"

#include "platform/audio/Channel.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/OutputDevice.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <chrono>
#include <set>

namespace {

using namespace std::chrono_literals;
constexpr auto kLockWait = 250ms;

// The channels' lock names: "cbDSMCUpd" + the lowest number not in use, so
// each channel has its own.
std::mutex namesMutex;
std::set<int>& namesInUse() {
    static std::set<int> s;
    return s;
}
int takeMutexNumber() {
    std::lock_guard lock(namesMutex);
    int n = 0;
    while (namesInUse().count(n)) ++n;
    namesInUse().insert(n);
    return n;
}
void giveMutexNumber(int n) {
    std::lock_guard lock(namesMutex);
    namesInUse().erase(n);
}

}  // namespace

EDirectXError::EDirectXError(const QString& message, uint32_t code)
    : std::runtime_error(message.toStdString()), ErrorCode(code) {}

// ---------------------------------------------------------------- mixer

TcbDSMixer::TcbDSMixer(QObject*) {}

TcbDSMixer::~TcbDSMixer() {
    Close();
    // Channels still registered belong to the mixer now.
    const auto left = channels_;
    for (auto* ch : left) delete ch;
    channels_.clear();
}

void TcbDSMixer::SetFrequency(int v) { frequency_ = std::clamp(v, 100, 100000); }

void TcbDSMixer::SetDevice(int index) {
    if (index >= 0 && index < int(platform::DeviceHub::instance().outputNames().size())) device_ = index;
}

void TcbDSMixer::Open() {
    if (!enabled_ || output_) return;
    platform::PcmFormat want{frequency_, stereo_ ? 2 : 1, bitsPerSample_ == bs8Bit ? 8 : 16};
    output_ = platform::DeviceHub::instance().openOutput(device_, want);
    if (!output_) throw EDirectXError(QStringLiteral("The sound device could not be opened."), kDSErrUninitialized);
    if (level_ != lNormal) {
        // What the device runs at (a shared device keeps its first format).
        const platform::PcmFormat got = output_->format();
        stereo_ = got.channels == 2;
        bitsPerSample_ = got.bits == 8 ? bs8Bit : bs16Bit;
        frequency_ = got.rate;
    }
    DeviceCreated();
}

void TcbDSMixer::Close() {
    for (auto* ch : channels_) ch->ReleaseBuffer();
    if (output_) {
        output_.reset();
        DeviceReleased();
    }
}

void TcbDSMixer::AddChannel(TcbDSMixerChannel* ch) {
    if (std::find(channels_.begin(), channels_.end(), ch) == channels_.end()) channels_.push_back(ch);
}

void TcbDSMixer::RemoveChannel(TcbDSMixerChannel* ch) {
    channels_.erase(std::remove(channels_.begin(), channels_.end(), ch), channels_.end());
}

QStringList TcbDSMixer::DeviceDescriptions() { return platform::DeviceHub::instance().outputNames(); }

QStringList TcbDSMixer::DeviceIds() {
    QStringList ids = DeviceDescriptions();
    for (int i = 0; i < ids.size(); ++i) ids[i] = i == 0 ? QString() : ids[i];
    return ids;
}

QStringList TcbDSMixer::CaptureDescriptions() { return platform::DeviceHub::instance().inputNames(); }

QStringList TcbDSMixer::CaptureIds() {
    QStringList ids = CaptureDescriptions();
    if (!ids.isEmpty()) ids[0] = QString();
    return ids;
}

// ---------------------------------------------------------------- position ring

void TPositionTimes::Add(int64_t bufStart, int64_t bufEnd, int64_t streamStart, int64_t streamEnd) {
    items_[size_t(next_)] = TPositionTime{bufStart, bufEnd, streamStart, streamEnd};
    next_ = (next_ + 1) % kSlots;
    count_ = std::min(count_ + 1, kSlots);
}

void TPositionTimes::Clear() {
    next_ = 0;
    count_ = 0;
}

bool TPositionTimes::Lookup(int64_t cursor, int64_t& time) const {
    if (count_ == 0) return false;
    const int newest = (next_ + kSlots - 1) % kSlots;
    for (int k = 0; k < count_; ++k) {
        const TPositionTime& s = items_[size_t((newest - k + kSlots) % kSlots)];
        if (s.BufStart <= cursor && cursor < s.BufEnd) {
            time = s.StreamStart + (cursor - s.BufStart) * (s.StreamEnd - s.StreamStart) / (s.BufEnd - s.BufStart);
            return true;
        }
    }
    time = items_[size_t(newest)].StreamEnd;
    return true;
}

// ---------------------------------------------------------------- channel lock

bool TChannelLock::try_lock() {
    std::lock_guard lock(m_);
    if (held_) return false;
    held_ = true;
    return true;
}

bool TChannelLock::try_lock_for(std::chrono::milliseconds wait) {
    std::unique_lock lock(m_);
    if (!free_.wait_for(lock, wait, [this] { return !held_; })) return false;
    held_ = true;
    return true;
}

void TChannelLock::unlock() {
    {
        std::lock_guard lock(m_);
        held_ = false;
    }
    free_.notify_one();
}

// ---------------------------------------------------------------- refill thread

TcbUpdateChannelThread::TcbUpdateChannelThread(TcbDSMixerChannel* channel, int periodMs)
    : channel_(channel), period_(std::max(1, periodMs)) {
    thread_ = std::thread([this] { Execute(); });
}

TcbUpdateChannelThread::~TcbUpdateChannelThread() { Terminate(); }

void TcbUpdateChannelThread::Terminate() {
    {
        std::lock_guard lock(eventMutex_);
        terminated_ = true;
        signaled_ = true;
    }
    event_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void TcbUpdateChannelThread::Enable() {
    enabled_.store(true);
    {
        std::lock_guard lock(eventMutex_);
        signaled_ = true;
    }
    event_.notify_all();
}

void TcbUpdateChannelThread::Disable() { enabled_.store(false); }

void TcbUpdateChannelThread::Execute() {
    std::unique_lock lock(eventMutex_);
    while (!terminated_) {
        if (!enabled_.load()) {
            event_.wait(lock, [this] { return signaled_ || terminated_; });
            signaled_ = false;
            continue;
        }
        const auto wait = std::chrono::milliseconds(channel_->NextWaitMs());
        if (event_.wait_for(lock, wait, [this] { return signaled_ || terminated_; })) {
            signaled_ = false;
            continue;
        }
        lock.unlock();
        if (channel_->lock_.try_lock_for(kLockWait)) {
            if (enabled_.load()) channel_->Update();
            channel_->Unlock();
        }
        lock.lock();
    }
}

// ---------------------------------------------------------------- channel

TcbDSMixerChannel::TcbDSMixerChannel(TcbDSMixer* mixer) : mixer_(mixer) {
    notifier_ = std::make_unique<QObject>();
    mutexNumber_ = takeMutexNumber();
    thread_ = std::make_unique<TcbUpdateChannelThread>(this, bufferLength_ / 10);
    if (mixer_) mixer_->AddChannel(this);
}

TcbDSMixerChannel::~TcbDSMixerChannel() {
    if (mixer_) mixer_->RemoveChannel(this);
    // The refill thread goes first: it must never see the ring or the reader
    // being freed under it (nor its own object).
    thread_->Terminate();
    thread_.reset();
    ReleaseBufferLocked();
    reader_.reset();
    giveMutexNumber(mutexNumber_);
}

QString TcbDSMixerChannel::MutexName() const { return QStringLiteral("cbDSMCUpd") + QString::number(mutexNumber_); }

QString TcbDSMixerChannel::FileName() const {
    std::lock_guard lock(nameMutex_);
    return fileName_;
}

uint64_t TcbDSMixerChannel::Underruns() const {
    // Read on the GUI thread, where the ring is created and freed.
    return buffer_ ? buffer_->underruns() : 0;
}

bool TcbDSMixerChannel::TryLock() { return lock_.try_lock_for(kLockWait); }
void TcbDSMixerChannel::Unlock() { lock_.unlock(); }

namespace {
// Unlocks on every path, exceptions included.
struct Unlocker {
    TChannelLock& m;
    ~Unlocker() { m.unlock(); }
};
}  // namespace

void TcbDSMixerChannel::Open(const QString& fileName) {
    if (!TryLock()) return;
    Unlocker u{lock_};
    // Opening over a playing channel stops it first, so the refill thread
    // and the callback never see the old ring and reader go.
    if (state_.load() == 1 || buffer_) StopLocked();
    ReleaseBufferLocked();
    reader_.reset();
    volume_.store(0);
    pan_ = 0;
    startMs_ = endMs_ = 0;
    length_.store(0);
    lastPosition_.store(0);
    {
        std::lock_guard lock(nameMutex_);
        fileName_.clear();
    }
    if (fileName.isEmpty()) return;

    auto reader = std::make_unique<TcbAudioFileReader>(fileName);
    const int64_t length = reader->Duration() / 10000;
    if (length == 0) throw std::runtime_error("Audio file is empty.");
    const TWaveFormatPcm& f = reader->Format();
    if (f.nChannels != 1 && f.nChannels != 2) throw std::runtime_error("Invalid number of channels.");
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) throw std::runtime_error("Invalid number of bits per sample.");
    rate_ = int(f.nSamplesPerSec);
    channels_ = f.nChannels;
    bits_ = f.wBitsPerSample;
    blockAlign_ = f.nBlockAlign;
    reader_ = std::move(reader);
    length_.store(length);
    ApplyPositions();
    std::lock_guard lock(nameMutex_);
    fileName_ = fileName;
}

void TcbDSMixerChannel::ApplyPositions() {
    if (!reader_) return;
    const int64_t start = startMs_ * 10000;
    if (start != reader_->StartPos()) reader_->SetStartPos(start);
    startMs_ = reader_->StartPos() / 10000;
    const int64_t end = endMs_ > 0 ? std::max<int64_t>(endMs_ * 10000 - reader_->StartPos(), 1) : 0;
    reader_->SetEndPos(end);
    endMs_ = reader_->EndPos() ? reader_->EndPos() / 10000 + startMs_ : 0;
    lastPosition_.store((reader_->Position() + 5000) / 10000);
}

void TcbDSMixerChannel::CreateBuffer() {
    if (buffer_) return;
    if (!reader_) throw std::runtime_error("No file opened");
    if (!mixer_) throw EDirectXError(QStringLiteral("The channel has no mixer."), kDSErrUninitialized);
    mixer_->Open();
    output_ = mixer_->Output();
    if (!output_) throw EDirectXError(QStringLiteral("The sound device is not open."), kDSErrUninitialized);
    const platform::PcmFormat file{rate_, channels_, bits_};
    bufferSize_ = int64_t(file.bytesPerSecond()) * bufferLength_ / 1000;
    bufferSize_ -= bufferSize_ % blockAlign_;
    threshold_ = bufferSize_ * 40 / 100;
    scratch_.assign(size_t(bufferSize_), 0);
    buffer_ = std::make_unique<platform::Channel>(file, bufferSize_, output_->format(),
                                                  platform::OutputDevice::kMaxBlockFrames);
    // The resampler holds back a little after the cursor; the end is reached
    // when that has been heard too.
    tailBytes_ = rate_ != output_->format().rate ? int64_t(rate_) / 50 * blockAlign_ : 0;
    buffer_->setVolume(volume_.load());
}

void TcbDSMixerChannel::ReleaseBufferLocked() {
    if (buffer_ && output_) output_->detach(buffer_.get());
    buffer_.reset();
    output_.reset();
    scratch_.clear();
    scratch_.shrink_to_fit();
    prefilled_ = false;
    ending_ = false;
    endPosition_.store(-1);
    msToEnd_.store(-1);
    positions_.Clear();
    state_.store(0);
}

void TcbDSMixerChannel::ReleaseBuffer() {
    if (!TryLock()) return;
    Unlocker u{lock_};
    if (thread_) thread_->Disable();
    ReleaseBufferLocked();
}

void TcbDSMixerChannel::Play() {
    if (!TryLock()) return;
    Unlocker u{lock_};
    if (state_.load() == 1) return;
    CreateBuffer();
    if (!prefilled_) Refill();
    buffer_->snapVolume();
    if (!output_->attach(buffer_.get()))
        throw EDirectXError(QStringLiteral("The sound device has no free channel."), kDSErrOutOfMemory);
    state_.store(1);
    NoteTimeToEnd();
    thread_->Enable();
}

void TcbDSMixerChannel::Refill() {
    CreateBuffer();
    if (!prefilled_) {
        WriteData(buffer_->freeBytes());
        prefilled_ = true;
        return;
    }
    WriteData(buffer_->freeBytes());
}

void TcbDSMixerChannel::WriteData(int64_t count) {
    unsigned char* scratch = scratch_.data();
    while (count > 0 && endPosition_.load() < 0) {
        const int want = int(std::min<int64_t>(count, int64_t(scratch_.size())));
        int got = 0;
        try {
            got = reader_->Read(scratch, want);
        } catch (...) {
            got = 0;  // a decode error is the end of the data
        }
        if (got > 0) {
            const int64_t at = buffer_->written();
            const int64_t n = buffer_->write(scratch, got);
            positions_.Add(at, at + n, reader_->SampleStart(), reader_->SampleEnd());
            lastStreamEnd_ = reader_->SampleEnd();
            count -= n;
        }
        if (got < want) {
            endPosition_.store(buffer_->written());
            try {
                reader_->Seek(0);  // raised to the start position by the reader
            } catch (...) {
            }
        }
    }
    if (count > 0 && endPosition_.load() >= 0) {
        const int64_t at = buffer_->written();
        const int64_t n = buffer_->writeSilence(count);
        if (n > 0) positions_.Add(at, at + n, lastStreamEnd_, lastStreamEnd_);
    }
}

namespace {
std::mutex& endHandOverMutex() {
    static std::mutex m;
    return m;
}
}  // namespace

void TcbDSMixerChannel::Update() {
    if (!buffer_ || state_.load() != 1) return;
    try {
        const int64_t cursor = buffer_->consumed();
        const int64_t end = endPosition_.load();
        if (end >= 0 && cursor >= end + tailBytes_) {
            // Decided by the counters, so a short file or a seek close to the
            // end stops on time rather than a whole ring later.
            StopLocked();
            // Qt's event queue locks are invisible to ThreadSanitizer; this
            // mutex makes the hand-over of the queued call visible to it.
            {
                std::lock_guard<std::mutex> handOver(endHandOverMutex());
                QMetaObject::invokeMethod(
                    notifier_.get(),
                    [this] {
                        { std::lock_guard<std::mutex> received(endHandOverMutex()); }
                        if (OnEnd) OnEnd();
                    },
                    Qt::QueuedConnection);
            }
            return;
        }
        if (end >= 0 && end - cursor <= threshold_) ending_ = true;
        // Top up once a tenth of the ring has been played; smaller writes
        // would crowd the position ring with slots.
        if (buffer_->freeBytes() >= bufferSize_ / 10) Refill();
        lastPosition_.store(ComputePosition());
        NoteTimeToEnd();
    } catch (...) {
        // Nothing may escape the refill thread; what could not be read
        // ends the data here.
        if (endPosition_.load() < 0) endPosition_.store(buffer_->written());
    }
}

void TcbDSMixerChannel::NoteTimeToEnd() {
    const int64_t end = endPosition_.load();
    const int64_t bps = int64_t(rate_) * blockAlign_;
    if (end < 0 || bps <= 0 || !buffer_) {
        msToEnd_.store(-1);
        return;
    }
    const int64_t left = end + tailBytes_ - buffer_->consumed();
    msToEnd_.store(int(std::clamp<int64_t>(left * 1000 / bps, 0, 1 << 30)));
}

int TcbDSMixerChannel::NextWaitMs() const {
    // Wake early when the end of the data is due before the next period, so
    // the end is reported on time. Reads only atomics.
    const int period = bufferLength_ / 10;
    const int toEnd = msToEnd_.load();
    if (toEnd < 0) return period;
    return std::clamp(toEnd + 2, 2, period);
}

void TcbDSMixerChannel::UpdateNow() {
    if (!TryLock()) return;
    Unlocker u{lock_};
    Update();
}

void TcbDSMixerChannel::StopLocked() {
    if (!buffer_) return;
    thread_->Disable();
    if (output_) output_->detach(buffer_.get());
    state_.store(0);
    buffer_->discard();
    try {
        if (reader_) reader_->Seek(0);
    } catch (...) {
    }
    prefilled_ = false;
    endPosition_.store(-1);
    msToEnd_.store(-1);
    ending_ = false;
    positions_.Clear();
    lastPosition_.store(reader_ ? (reader_->Position() + 5000) / 10000 : 0);
}

void TcbDSMixerChannel::Stop() {
    if (!TryLock()) return;
    Unlocker u{lock_};
    StopLocked();
}

void TcbDSMixerChannel::SetPosition(int64_t ms) {
    if (!TryLock()) return;
    Unlocker u{lock_};
    if (!reader_) return;
    StopLocked();
    reader_->Seek(ms * 10000);
    lastPosition_.store((reader_->Position() + 5000) / 10000);
}

int64_t TcbDSMixerChannel::ComputePosition() {
    if (prefilled_ && buffer_) {
        int64_t t = 0;
        if (positions_.Lookup(buffer_->consumed(), t)) return t / 10000;
    }
    return reader_ ? (reader_->Position() + 5000) / 10000 : 0;
}

int64_t TcbDSMixerChannel::GetPosition() {
    // Never waits: a busy lock gives the last position known.
    if (!lock_.try_lock()) return lastPosition_.load();
    Unlocker u{lock_};
    const int64_t p = ComputePosition();
    lastPosition_.store(p);
    return p;
}

void TcbDSMixerChannel::SetVolume(int v) {
    if (!TryLock()) return;
    Unlocker u{lock_};
    volume_.store(v);
    if (buffer_) buffer_->setVolume(v);
}

void TcbDSMixerChannel::SetPan(int p) {
    if (!TryLock()) return;
    Unlocker u{lock_};
    pan_ = p;
}

void TcbDSMixerChannel::SetStartPos(int64_t ms) {
    if (!TryLock()) return;
    Unlocker u{lock_};
    startMs_ = ms;
    ApplyPositions();
}

void TcbDSMixerChannel::SetEndPos(int64_t ms) {
    if (!TryLock()) return;
    Unlocker u{lock_};
    endMs_ = ms;
    ApplyPositions();
}
