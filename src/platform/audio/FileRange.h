#pragma once
// A read-only window [begin, end) of a file, so that a decoder can never run
// into the chunks that follow a WAV file's audio data.
#include <QString>
#include <cstdint>
#include <cstdio>

namespace platform {

class FileRange {
public:
    FileRange() = default;
    ~FileRange();
    FileRange(const FileRange&) = delete;
    FileRange& operator=(const FileRange&) = delete;

    bool open(const QString& fsPath);
    void close();
    bool isOpen() const { return f_ != nullptr; }
    int64_t fileSize() const { return fileSize_; }

    // Limits reading to [begin, end) of the file, both clamped to its size.
    void limit(int64_t begin, int64_t end);
    int64_t begin() const { return begin_; }
    int64_t size() const { return end_ - begin_; }
    int64_t tell() const { return pos_; }  // relative to begin

    // Reads at the current position; returns bytes read, 0 at the end, -1 on error.
    int64_t read(void* dst, int64_t bytes);
    // lseek-style, relative to begin; returns the new position or -1.
    int64_t seek(int64_t offset, int whence);
    // Reads at an absolute file offset, ignoring the window (header parsing).
    bool readAt(int64_t offset, void* dst, int64_t bytes);

private:
    std::FILE* f_ = nullptr;
    int64_t fileSize_ = 0;
    int64_t begin_ = 0, end_ = 0, pos_ = 0;
    int64_t osPos_ = -1;  // where the FILE stands, to skip needless seeks
};

}  // namespace platform
