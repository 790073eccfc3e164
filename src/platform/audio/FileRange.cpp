#include "platform/audio/FileRange.h"

#include <QFile>
#include <algorithm>

namespace platform {

FileRange::~FileRange() { close(); }

bool FileRange::open(const QString& fsPath) {
    close();
    f_ = std::fopen(QFile::encodeName(fsPath).constData(), "rb");
    if (!f_) return false;
    if (fseeko(f_, 0, SEEK_END) != 0) {
        close();
        return false;
    }
    fileSize_ = ftello(f_);
    if (fileSize_ < 0) fileSize_ = 0;
    osPos_ = -1;
    limit(0, fileSize_);
    return true;
}

void FileRange::close() {
    if (f_) std::fclose(f_);
    f_ = nullptr;
    fileSize_ = begin_ = end_ = pos_ = 0;
    osPos_ = -1;
}

void FileRange::limit(int64_t begin, int64_t end) {
    begin_ = std::clamp<int64_t>(begin, 0, fileSize_);
    end_ = std::clamp<int64_t>(end, begin_, fileSize_);
    pos_ = 0;
}

int64_t FileRange::read(void* dst, int64_t bytes) {
    if (!f_ || bytes < 0) return -1;
    const int64_t n = std::min(bytes, end_ - begin_ - pos_);
    if (n <= 0) return 0;
    const int64_t at = begin_ + pos_;
    if (osPos_ != at) {
        if (fseeko(f_, at, SEEK_SET) != 0) return -1;
        osPos_ = at;
    }
    const size_t got = std::fread(dst, 1, size_t(n), f_);
    osPos_ += int64_t(got);
    pos_ += int64_t(got);
    if (got == 0 && std::ferror(f_)) {
        std::clearerr(f_);
        osPos_ = -1;
        return -1;
    }
    return int64_t(got);
}

int64_t FileRange::seek(int64_t offset, int whence) {
    int64_t base = 0;
    if (whence == SEEK_CUR) base = pos_;
    else if (whence == SEEK_END) base = end_ - begin_;
    else if (whence != SEEK_SET) return -1;
    const int64_t p = base + offset;
    if (p < 0) return -1;
    pos_ = p;  // past the end is allowed, as with lseek; reads then give 0
    return pos_;
}

bool FileRange::readAt(int64_t offset, void* dst, int64_t bytes) {
    if (!f_ || offset < 0 || bytes < 0 || offset + bytes > fileSize_) return false;
    if (fseeko(f_, offset, SEEK_SET) != 0) return false;
    osPos_ = -1;
    return std::fread(dst, 1, size_t(bytes), f_) == size_t(bytes);
}

}  // namespace platform
