#include "audio/cbDSMixer.h"

#include "platform/SerialWorker.h"
#include "platform/audio/Channel.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/OutputDevice.h"
#include "platform/audio/ReleaseWorker.h"
#include "platform/audio/WakeEvent.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

namespace {

using namespace std::chrono_literals;
constexpr auto kLockWait = 250ms;
constexpr auto kPositionWait = 5ms;

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
    // A free lock is taken without reading the clock: the on-air tick asks
    // for every deck's position this way 33 times a second.
    if (held_) {
        ++waiting_;
        const bool got = free_.wait_for(lock, wait, [this] { return !held_; });
        --waiting_;
        if (!got) return false;
    }
    held_ = true;
    return true;
}

void TChannelLock::lock() {
    std::unique_lock lock(m_);
    ++waiting_;
    free_.wait(lock, [this] { return !held_; });
    --waiting_;
    held_ = true;
}

void TChannelLock::unlock() {
    bool someone = false;
    {
        std::lock_guard lock(m_);
        held_ = false;
        someone = waiting_ > 0;
    }
    if (someone) free_.notify_one();
}

namespace {
// Unlocks on every path, exceptions included.
struct Unlocker {
    TChannelLock& m;
    ~Unlocker() { m.unlock(); }
};
}  // namespace

// ---------------------------------------------------------------- refill job

void TRefillJob::Run(unsigned char* scratch) {
    got = 0;
    try {
        if (seekTo >= 0) reader->Seek(seekTo);
        got = reader->Read(scratch, want);
    } catch (...) {
        got = 0;  // what cannot be read ends the data here
    }
    sampleStart = reader->SampleStart();
    sampleEnd = reader->SampleEnd();
}

// ---------------------------------------------------------------- refill thread

// Shared by the thread and its owner, so that a thread left behind in a slow
// read still has somewhere to look when it comes back.
struct TcbUpdateChannelThread::Core {
    // Set by Enable and Terminate. A batch thread preempted while holding a
    // lock would hold up a start that had to take it: waking takes none.
    platform::WakeEvent event;
    std::atomic<bool> terminated{false};
    std::atomic<bool> enabled{false};
    std::mutex exitMutex;  // only Terminate waits on it
    bool exited = false;
    std::condition_variable exitedCv;
    // Held while the thread touches the channel, never across a read; the
    // channel is null once its owner has gone.
    std::mutex alive;
    TcbDSMixerChannel* channel = nullptr;
    std::vector<unsigned char> scratch;  // the thread's own reads
};

TcbUpdateChannelThread::TcbUpdateChannelThread(TcbDSMixerChannel* channel, int periodMs)
    : period_(std::max(1, periodMs)), core_(std::make_shared<Core>()) {
    core_->channel = channel;
    thread_ = std::thread(&TcbUpdateChannelThread::Execute, core_);
}

TcbUpdateChannelThread::~TcbUpdateChannelThread() { Terminate(); }

void TcbUpdateChannelThread::Terminate() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard alive(core_->alive);
        core_->channel = nullptr;
    }
    core_->terminated.store(true);
    core_->event.set();
    std::unique_lock lock(core_->exitMutex);
    const bool done = core_->exitedCv.wait_for(lock, kTerminateWait, [this] { return core_->exited; });
    lock.unlock();
    // A thread held up in a read finishes it on its own, then finds no
    // channel and ends; what it reads it frees itself.
    if (done)
        thread_.join();
    else
        thread_.detach();
}

bool TcbUpdateChannelThread::Abandon() {
    if (!thread_.joinable()) return false;
    {
        // A thread that holds it is not in a read: it is about to hand one
        // in, or to take the next, and needs no replacing.
        std::unique_lock alive(core_->alive, std::try_to_lock);
        if (!alive.owns_lock()) return false;
        core_->channel = nullptr;
    }
    core_->terminated.store(true);
    core_->event.set();
    thread_.detach();
    return true;
}

void TcbUpdateChannelThread::Enable() {
    core_->enabled.store(true);
    core_->event.set();
}

void TcbUpdateChannelThread::Disable() { core_->enabled.store(false); }

bool TcbUpdateChannelThread::Enabled() const { return core_->enabled.load(); }

void TcbUpdateChannelThread::Execute(std::shared_ptr<Core> core) {
    // Woken by a start inside the on-air tick: the ring holds the first
    // blocks already, so the read can wait for the tick to end.
    platform::becomeBackgroundThread();
    auto refill = [&core]() -> bool {  // false: the channel is gone
        for (;;) {
            TRefillJob job;
            {
                std::lock_guard alive(core->alive);
                if (!core->channel) return false;
                if (!core->enabled.load() || !core->channel->BeginRefill(job)) return true;
            }
            if (core->scratch.size() < size_t(job.want)) core->scratch.resize(size_t(job.want));
            job.Run(core->scratch.data());
            std::lock_guard alive(core->alive);
            if (!core->channel) return false;
            core->channel->EndRefill(job, core->scratch.data());
        }
    };
    for (;;) {
        int wait = 0;
        {
            std::lock_guard alive(core->alive);
            if (core->channel) wait = core->channel->NextWaitMs();
        }
        if (core->terminated.load()) break;
        // Woken by Enable (a play just started: fill the ring now) or, while
        // enabled, at the end of the period.
        if (core->enabled.load())
            core->event.waitFor(wait);
        else
            core->event.wait();
        if (core->terminated.load()) break;
        if (!refill()) break;
    }
    std::lock_guard lock(core->exitMutex);
    core->exited = true;
    core->exitedCv.notify_all();
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
    // The refill thread goes first: it must never see the ring or the
    // channel being freed under it. A read of its under way keeps its reader.
    thread_->Terminate();
    thread_.reset();
    ReleaseBufferLocked();
    ReleaseReaderLocked();
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

int64_t TcbDSMixerChannel::StarvedMs() {
    // Read on the GUI thread, as Underruns.
    if (state_.load() != 1 || !buffer_ || buffer_->starvedMs() == 0) return 0;
    // A device stepped by a test runs ahead of any thread: a ring it played
    // dry before the refill thread had its turn is filled now; one whose
    // read is held up by the disk stays dry.
    if (output_ && output_->stepped()) {
        for (TRefillJob job; BeginRefill(job); job = TRefillJob{}) {
            std::vector<unsigned char> data(size_t(job.want));
            job.Run(data.data());
            EndRefill(job, data.data());
        }
    }
    // Data came since the device last asked: it plays again.
    return buffer_ && buffer_->freeBytes() == buffer_->ringBytes() ? buffer_->starvedMs() : 0;
}

bool TcbDSMixerChannel::TryLock() { return lock_.try_lock_for(kLockWait); }
void TcbDSMixerChannel::Unlock() { lock_.unlock(); }

bool TcbDSMixerChannel::TryLockIdleReader() {
    const auto limit = std::chrono::steady_clock::now() + kLockWait;
    while (TryLock()) {
        if (!ReaderBusy()) return true;
        Unlock();
        if (std::chrono::steady_clock::now() >= limit) return false;
        std::this_thread::sleep_for(1ms);
    }
    return false;
}

namespace {
// What a channel cannot play, as Open refuses it.
void checkPlayable(const TcbAudioFileReader& reader) {
    if (reader.Duration() / 10000 == 0) throw std::runtime_error("Audio file is empty.");
    const TWaveFormatPcm& f = reader.Format();
    if (f.nChannels != 1 && f.nChannels != 2) throw std::runtime_error("Invalid number of channels.");
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) throw std::runtime_error("Invalid number of bits per sample.");
}
}  // namespace

std::shared_ptr<TPreparedFile> PrepareAudioFile(const QString& fileName, int64_t startMs, int prefillMs) {
    auto p = std::make_shared<TPreparedFile>();
    p->fileName = fileName;
    p->reader = std::make_shared<TcbAudioFileReader>(fileName);
    checkPlayable(*p->reader);
    p->startMs = std::max<int64_t>(0, startMs);
    if (p->startMs > 0) p->reader->Seek(p->startMs * 10000);
    const TWaveFormatPcm& f = p->reader->Format();
    const int align = std::max<int>(1, f.nBlockAlign);
    p->want = int(int64_t(f.nSamplesPerSec) * align * prefillMs / 1000 / align * align);
    p->data.resize(size_t(p->want));
    const int got = std::max(0, p->reader->Read(p->data.data(), p->want));
    p->data.resize(size_t(got));
    p->sampleStart = got > 0 ? p->reader->SampleStart() : p->reader->Position();
    p->sampleEnd = got > 0 ? p->reader->SampleEnd() : p->sampleStart;
    return p;
}

// Under the lock: the channel takes a reader and its format. A ring of the
// same format is kept for the next file: no allocation, no new resampler.
void TcbDSMixerChannel::TakeReaderLocked(std::shared_ptr<TcbAudioFileReader> reader) {
    const TWaveFormatPcm& f = reader->Format();
    if (buffer_ && (rate_ != int(f.nSamplesPerSec) || channels_ != f.nChannels || bits_ != f.wBitsPerSample))
        ReleaseBufferLocked();
    rate_ = int(f.nSamplesPerSec);
    channels_ = f.nChannels;
    bits_ = f.wBitsPerSample;
    blockAlign_ = f.nBlockAlign;
    reader_ = std::move(reader);
    durationTime_ = reader_->Duration();
    length_.store(durationTime_ / 10000);
}

// Closing a file can take a network share's round trip, or hang with it: the
// reader goes to the release worker (or stays with a refill read under way,
// whose thread then lets it go).
void TcbDSMixerChannel::ReleaseReaderLocked() {
    platform::releaseLater(std::move(reader_));
    prepared_.reset();
}

TPreparedFile::~TPreparedFile() { platform::releaseLater(std::move(reader)); }

void TcbDSMixerChannel::OpenPrepared(std::shared_ptr<TPreparedFile> prepared) {
    if (!prepared || !prepared->reader) return Open(QString());
    if (!TryLock()) return;
    Unlocker u{lock_};
    StopLocked();
    ++generation_;
    ReleaseReaderLocked();
    volume_.store(0);
    if (buffer_) buffer_->setVolume(0);
    pan_ = 0;
    startMs_ = endMs_ = 0;
    TakeReaderLocked(prepared->reader);
    startTime_ = reader_->StartPos();
    endTime_ = reader_->EndPos();
    // The reader stands after the decoded blocks; play starts where they do.
    pendingSeek_ = -1;
    idleTime_ = prepared->sampleStart;
    lastPosition_.store((idleTime_ + 5000) / 10000);
    prepared_ = std::move(prepared);
    std::lock_guard lock(nameMutex_);
    fileName_ = prepared_->fileName;
}

void TcbDSMixerChannel::Open(const QString& fileName) {
    // The file is opened before the lock is taken: a slow disk holds up the
    // caller, never the channel's refill or its sound.
    std::shared_ptr<TcbAudioFileReader> reader;
    // A file not taken (the lock not had, a file it cannot play) is closed
    // off this thread too.
    struct CloseLater {
        std::shared_ptr<TcbAudioFileReader>& r;
        ~CloseLater() { platform::releaseLater(std::move(r)); }
    } closeLater{reader};
    std::exception_ptr failure;
    if (!fileName.isEmpty()) {
        try {
            reader = std::make_shared<TcbAudioFileReader>(fileName);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (!TryLock()) return;
    Unlocker u{lock_};
    // Opening over a playing channel stops it first, so the refill thread
    // and the callback never see the old ring and reader go.
    StopLocked();
    ++generation_;
    ReleaseReaderLocked();
    pendingSeek_ = -1;
    volume_.store(0);
    if (buffer_) buffer_->setVolume(0);
    pan_ = 0;
    startMs_ = endMs_ = 0;
    length_.store(0);
    lastPosition_.store(0);
    idleTime_ = 0;
    {
        std::lock_guard lock(nameMutex_);
        fileName_.clear();
    }
    if (failure) std::rethrow_exception(failure);
    if (!reader) return;

    checkPlayable(*reader);
    TakeReaderLocked(std::move(reader));
    ApplyPositions();
    std::lock_guard lock(nameMutex_);
    fileName_ = fileName;
}

void TcbDSMixerChannel::FlushSeek() {
    if (pendingSeek_ >= 0 && reader_) reader_->Seek(pendingSeek_);
    pendingSeek_ = -1;
}

// Under the lock, with the reader idle.
void TcbDSMixerChannel::ApplyPositions() {
    if (!reader_) return;
    FlushSeek();
    const int64_t start = startMs_ * 10000;
    if (start != reader_->StartPos()) reader_->SetStartPos(start);
    startMs_ = reader_->StartPos() / 10000;
    const int64_t end = endMs_ > 0 ? std::max<int64_t>(endMs_ * 10000 - reader_->StartPos(), 1) : 0;
    reader_->SetEndPos(end);
    endMs_ = reader_->EndPos() ? reader_->EndPos() / 10000 + startMs_ : 0;
    startTime_ = reader_->StartPos();
    endTime_ = reader_->EndPos();
    if (prefilled_) return;  // playing: the position is the ring's
    idleTime_ = reader_->Position();
    lastPosition_.store((idleTime_ + 5000) / 10000);
}

int64_t TcbDSMixerChannel::ClampTime(int64_t t) const {
    t = std::min(std::max(t, startTime_), durationTime_);
    if (endTime_ != 0) t = std::min(t, startTime_ + endTime_);
    return t;
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
    scratch_.assign(size_t(int64_t(file.bytesPerSecond()) * kPrefillMs / 1000 + blockAlign_), 0);
    buffer_ = std::make_unique<platform::Channel>(file, bufferSize_, output_->format(),
                                                  platform::OutputDevice::kMaxBlockFrames);
    buffer_->setVolume(volume_.load());
}

// The ring leaves the mix at once; a pass that may still be mixing it (a
// card hung in its callback) is not waited for.
void TcbDSMixerChannel::DetachLocked() {
    if (!buffer_ || !output_ || detached_) return;
    detachMark_ = output_->detach(buffer_.get());
    detached_ = true;
}

// A ring that left the mix is emptied for the next play once no pass can
// mix it any more; while one may, the device keeps it until the pass ends
// and a new ring takes its place.
void TcbDSMixerChannel::ReadyRingLocked() {
    if (!detached_) return;
    detached_ = false;
    if (output_->renderedSince(detachMark_)) {
        buffer_->discard();
        return;
    }
    output_->retire(std::move(buffer_), detachMark_);
    CreateBuffer();
}

void TcbDSMixerChannel::ReleaseBufferLocked() {
    if (buffer_ && output_) {
        DetachLocked();
        output_->retire(std::move(buffer_), detachMark_);
    }
    detached_ = false;
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
    ++generation_;
    ReleaseBufferLocked();
}

void TcbDSMixerChannel::Play() {
    {
        if (!TryLock()) return;
        Unlocker u{lock_};
        if (state_.load() == 1) return;
        // The refill thread still held up in a read of an earlier file (a
        // share that hangs) would keep this one from its ring until the share
        // answers: it is left to that read, and a new thread serves the file.
        if (busyReader_ && busyReader_ != reader_.get() && thread_->Abandon()) {
            thread_ = std::make_unique<TcbUpdateChannelThread>(this, bufferLength_ / 10);
            busyReader_ = nullptr;
        }
        CreateBuffer();
        ReadyRingLocked();
        if (!prefilled_) Prefill();
        buffer_->snapVolume();
        if (!output_->attach(buffer_.get()))
            throw EDirectXError(QStringLiteral("The sound device has no free channel."), kDSErrOutOfMemory);
        state_.store(1);
        NoteTimeToEnd();
    }
    // Woken with the lock free: it goes straight to its read, rather than
    // wake, find the lock held and make the caller hand it over.
    thread_->Enable();
}

// Only the first blocks are read here; the refill thread, woken by Play,
// reads the rest of the ring. A reader still busy with a read of the last
// play (a slow disk) leaves even that to the refill thread.
void TcbDSMixerChannel::Prefill() {
    prefilled_ = true;
    playFrom_ = idleTime_;
    if (ReaderBusy()) return;
    if (const auto p = std::move(prepared_); p && p->reader == reader_ && pendingSeek_ < 0) {
        // Decoded ahead: the ring starts with it and nothing is read here.
        TRefillJob job;
        job.reader = reader_;
        job.generation = generation_;
        job.want = p->want;
        job.got = int(std::min<int64_t>(int64_t(p->data.size()), buffer_->freeBytes()));
        job.sampleStart = p->sampleStart;
        job.sampleEnd = p->sampleEnd;
        ApplyJob(job, p->data.data());
        // A device stepped by a test runs ahead of any thread: the rest of
        // the ring is read now, as the test expects.
        if (!output_->stepped() || job.got < job.want) return;
    }
    TRefillJob job;
    job.reader = reader_;
    job.generation = generation_;
    job.seekTo = pendingSeek_;
    pendingSeek_ = -1;
    // A device stepped by a test runs ahead of any thread: it gets the
    // whole ring now, as the test expects.
    const int64_t want = output_->stepped() ? buffer_->freeBytes() : kPrefillMs * int64_t(rate_) * blockAlign_ / 1000;
    job.want = int(std::min(buffer_->freeBytes(), want) / blockAlign_ * blockAlign_);
    if (scratch_.size() < size_t(job.want)) scratch_.resize(size_t(job.want));
    job.Run(scratch_.data());
    ApplyJob(job, scratch_.data());
}

bool TcbDSMixerChannel::BeginRefill(TRefillJob& job) {
    if (!TryLock()) return false;
    Unlocker u{lock_};
    if (!buffer_ || state_.load() != 1 || ReaderBusy()) return false;
    const int64_t heard = buffer_->heard();
    const int64_t end = endPosition_.load();
    if (end >= 0 && heard >= end) {
        // Decided by the counters, so a short file or a seek close to the
        // end stops on time rather than a whole ring later.
        StopLocked();
        PostEnd();
        return false;
    }
    if (end >= 0 && end - heard <= threshold_) ending_ = true;
    const int64_t free = buffer_->freeBytes();
    // Top up once a tenth of the ring has been played; smaller writes would
    // crowd the position ring with slots.
    if (end >= 0 || !reader_ || free < bufferSize_ / 10) {
        if (end >= 0 && free >= bufferSize_ / 10) WriteSilence(free);
        lastPosition_.store(ComputePosition());
        NoteTimeToEnd();
        return false;
    }
    job.reader = reader_;
    job.generation = generation_;
    job.seekTo = pendingSeek_;
    pendingSeek_ = -1;
    job.want = int(std::min<int64_t>(free, bufferSize_ / 10) / blockAlign_ * blockAlign_);
    busyReader_ = reader_.get();
    return true;
}

void TcbDSMixerChannel::EndRefill(const TRefillJob& job, const unsigned char* data) {
    lock_.lock();
    Unlocker u{lock_};
    if (busyReader_ == job.reader.get()) busyReader_ = nullptr;
    // A job that outlived a stop, a seek or another file is thrown away.
    if (job.generation != generation_ || job.reader != reader_ || !buffer_ || state_.load() != 1) return;
    ApplyJob(job, data);
}

void TcbDSMixerChannel::ApplyJob(const TRefillJob& job, const unsigned char* data) {
    if (job.got > 0) {
        const int64_t at = buffer_->written();
        const int64_t n = buffer_->write(data, job.got);
        positions_.Add(at, at + n, job.sampleStart, job.sampleEnd);
        lastStreamEnd_ = job.sampleEnd;
    }
    if (job.got < job.want) {
        // The end of the data: silence after it, and the reader is rewound
        // (to its start) by whoever reads next.
        endPosition_.store(buffer_->written());
        pendingSeek_ = 0;
        WriteSilence(buffer_->freeBytes());
    }
    lastPosition_.store(ComputePosition());
    NoteTimeToEnd();
}

void TcbDSMixerChannel::WriteSilence(int64_t count) {
    if (count <= 0) return;
    const int64_t at = buffer_->written();
    const int64_t n = buffer_->writeSilence(count);
    if (n > 0) positions_.Add(at, at + n, lastStreamEnd_, lastStreamEnd_);
}

namespace {
std::mutex& endHandOverMutex() {
    static std::mutex m;
    return m;
}
}  // namespace

void TcbDSMixerChannel::PostEnd() {
    // Qt's event queue locks are invisible to ThreadSanitizer; this mutex
    // makes the hand-over of the queued call visible to it.
    std::lock_guard<std::mutex> handOver(endHandOverMutex());
    QMetaObject::invokeMethod(
        notifier_.get(),
        [this] {
            { std::lock_guard<std::mutex> received(endHandOverMutex()); }
            if (OnEnd) OnEnd();
        },
        Qt::QueuedConnection);
}

void TcbDSMixerChannel::NoteTimeToEnd() {
    const int64_t end = endPosition_.load();
    const int64_t bps = int64_t(rate_) * blockAlign_;
    if (end < 0 || bps <= 0 || !buffer_) {
        msToEnd_.store(-1);
        return;
    }
    const int64_t left = end - buffer_->heard();
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
    const auto limit = std::chrono::steady_clock::now() + 1s;
    auto readerBusy = [this](bool& busy) {
        if (!TryLock()) return false;
        Unlocker u{lock_};
        busy = ReaderBusy();
        return true;
    };
    for (;;) {
        bool busy = false;
        if (!readerBusy(busy)) return;
        if (!busy) {
            TRefillJob job;
            if (BeginRefill(job)) {
                std::vector<unsigned char> data(size_t(job.want));
                job.Run(data.data());
                EndRefill(job, data.data());
                continue;
            }
            // Nothing left to read, unless the refill thread took the
            // reader in between: then its read is waited for.
            if (!readerBusy(busy) || !busy) return;
        }
        if (std::chrono::steady_clock::now() >= limit) return;
        std::this_thread::sleep_for(1ms);
    }
}

// Never touches the reader: a stop must not wait for a read. The reader is
// rewound by whoever reads next.
void TcbDSMixerChannel::StopLocked() {
    state_.store(0);
    if (!buffer_) return;
    thread_->Disable();
    DetachLocked();
    ++generation_;
    pendingSeek_ = 0;
    idleTime_ = startTime_;
    prefilled_ = false;
    endPosition_.store(-1);
    msToEnd_.store(-1);
    ending_ = false;
    positions_.Clear();
    lastPosition_.store((idleTime_ + 5000) / 10000);
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
    pendingSeek_ = ms * 10000;
    idleTime_ = ClampTime(pendingSeek_);
    lastPosition_.store((idleTime_ + 5000) / 10000);
}

// The position of the sample being heard: the ring's count of it mapped to
// stream time, less what the device still holds after the mix.
int64_t TcbDSMixerChannel::ComputePosition() {
    if (!prefilled_ || !buffer_) return (idleTime_ + 5000) / 10000;
    int64_t t = 0;
    if (!positions_.Lookup(buffer_->heard(), t)) return playFrom_ / 10000;
    if (output_ && output_->format().rate > 0) t -= output_->latencyFrames() * 10000000 / output_->format().rate;
    return std::max(t, playFrom_) / 10000;
}

int64_t TcbDSMixerChannel::GetPosition() {
    // The refill thread holds the lock only to copy a block into the ring, so
    // a short wait gives the sample heard now rather than one stored before
    // that copy; a lock held longer (a seek on a slow disk) gives the last
    // position known rather than holding up the caller.
    if (!lock_.try_lock_for(kPositionWait)) return lastPosition_.load();
    Unlocker u{lock_};
    const int64_t p = ComputePosition();
    lastPosition_.store(p);
    return p;
}

void TcbDSMixerChannel::SetVolume(int v) {
    if (!TryLock()) return;
    Unlocker u{lock_};
    // The interface's range; a gain above full level would clip.
    v = std::clamp(v, -10000, 0);
    volume_.store(v);
    if (buffer_) buffer_->setVolume(v);
}

void TcbDSMixerChannel::SetPan(int p) {
    if (!TryLock()) return;
    Unlocker u{lock_};
    pan_ = p;
}

void TcbDSMixerChannel::SetStartPos(int64_t ms) {
    if (!TryLockIdleReader()) return;
    Unlocker u{lock_};
    startMs_ = ms;
    ApplyPositions();
}

void TcbDSMixerChannel::SetEndPos(int64_t ms) {
    if (!TryLockIdleReader()) return;
    Unlocker u{lock_};
    endMs_ = ms;
    ApplyPositions();
}
