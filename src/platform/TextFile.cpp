#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/Cp1250.h"

namespace platform {

namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// What an open file needs before a new line: nothing when it is empty or its
// last line has its end, LF after a lone CR, CR LF otherwise.
QByteArray lineEndBefore(int fd) {
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_size == 0) return {};
    char last = 0;
    if (::pread(fd, &last, 1, st.st_size - 1) != 1 || last == '\n') return {};
    return last == '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

// Appends the bytes to a file opened for appending; a write cut short is
// taken back to where it began, so no part of a line stays. errno says why.
bool appendWhole(int fd, const QByteArray& bytes) {
    struct stat st;
    const off_t start = ::fstat(fd, &st) == 0 ? st.st_size : -1;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            if (done > 0 && start >= 0) (void)::ftruncate(fd, start);
            errno = err;
            return false;
        }
        done += n;
    }
    return true;
}

// Opens a regular file for appending, creating it; -1 (errno set) for
// anything else. Non-blocking, so that a FIFO never holds the writer. Read
// too where it may, to see how the file ends.
int openForAppend(const QByteArray& path) {
    const int flags = O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    int fd = ::open(path.constData(), O_RDWR | flags, 0666);
    if (fd < 0 && errno == EACCES) fd = ::open(path.constData(), O_WRONLY | flags, 0666);
    if (fd < 0) return -1;
    struct stat st;
    const bool stated = ::fstat(fd, &st) == 0;
    if (!stated || !S_ISREG(st.st_mode)) {
        const int err = stated ? EINVAL : errno;
        ::close(fd);
        errno = err;
        return -1;
    }
    return fd;
}

bool failWith(int err, QString* error) {
    if (error) *error = qt_error_string(err);
    errno = err;
    return false;
}

}  // namespace

FileRead readWholeFile(const QString& fsPath, QByteArray& data, qint64 maxBytes) {
    data.clear();
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    Descriptor f{::open(QFile::encodeName(fsPath).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
    if (f.fd < 0) return FileRead::CannotOpen;
    struct stat st;
    if (::fstat(f.fd, &st) != 0) return FileRead::ReadError;
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : 0;
        return FileRead::NotRegular;
    }
    if (st.st_size > maxBytes) return FileRead::TooLarge;
    // The size may change under the reader: read to the end, at most one
    // byte past the limit.
    QByteArray buf(qsizetype(std::min<qint64>(st.st_size, maxBytes) + 1), Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        if (got == buf.size()) {
            if (got > maxBytes) return FileRead::TooLarge;
            buf.resize(qsizetype(std::min<qint64>(maxBytes + 1, got * 2 + 4096)));
        }
        const ssize_t n = ::read(f.fd, buf.data() + got, size_t(buf.size() - got));
        if (n < 0) {
            if (errno == EINTR) continue;
            return FileRead::ReadError;
        }
        if (n == 0) break;
        got += n;
        // A regular file gives less than asked only at its end: no second
        // call (a round trip on a network share) to hear it.
        if (got < buf.size()) break;
    }
    if (got > maxBytes) return FileRead::TooLarge;
    buf.truncate(qsizetype(got));
    data = std::move(buf);
    return FileRead::Ok;
}

QStringList splitTextLines(const QByteArray& all) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = all.size();
    while (start < n) {
        qsizetype end = all.indexOf('\n', start);
        qsizetype next;
        if (end < 0) {
            end = n;
            next = n;
        } else {
            next = end + 1;
        }
        qsizetype stop = end;
        if (stop > start && all[stop - 1] == '\r') --stop;
        lines.append(fromCp1250(all.constData() + start, stop - start));
        start = next;
    }
    return lines;
}

bool readTextLines(const QString& fsPath, QStringList& lines, qint64 maxBytes) {
    lines.clear();
    QByteArray all;
    if (readWholeFile(fsPath, all, maxBytes) != FileRead::Ok) return false;
    lines = splitTextLines(all);
    return true;
}

WholeFileWriter::WholeFileWriter(const QString& fsPath) : target_(QFile::encodeName(fsPath)) {}

WholeFileWriter::~WholeFileWriter() { discard(); }

bool WholeFileWriter::fail(int err) {
    if (error_ == 0) error_ = err ? err : EIO;
    discard();
    errno = error_;
    return false;
}

void WholeFileWriter::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.isEmpty()) ::unlink(temp_.constData());
    temp_.clear();
}

bool WholeFileWriter::open() {
    discard();
    error_ = 0;
    // A link is followed: the file it names is replaced, the link stays.
    struct stat st;
    if (::lstat(target_.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        const QString real = QFileInfo(QFile::decodeName(target_)).canonicalFilePath();
        if (!real.isEmpty()) target_ = QFile::encodeName(real);
    }
    bool keepMode = false;
    mode_t mode = 0;
    if (::stat(target_.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return fail(EISDIR);
        // The rename needs only the folder's permission: a file its owner
        // made read-only is not replaced behind their back.
        if (::access(target_.constData(), W_OK) != 0) return fail(errno);
        keepMode = true;
        mode = st.st_mode & 07777;
    }
    const qsizetype slash = target_.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray() : target_.left(slash + 1);
    const QByteArray name = target_.mid(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray suffix = QByteArray::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 16);
        temp_ = folder + '.' + name + ".zapis-" + suffix;
        // 0666 under the umask, as any new file; the old file's mode below.
        fd_ = ::open(temp_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd_ >= 0) break;
        const int err = errno;
        temp_.clear();
        if (err != EEXIST) return fail(err);
    }
    if (fd_ < 0) return fail(EEXIST);
    // A file system without permissions still takes the file.
    if (keepMode) (void)::fchmod(fd_, mode);
    return true;
}

bool WholeFileWriter::write(const char* data, qsizetype size) {
    if (fd_ < 0) return fail(error_ ? error_ : EBADF);
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        if (n == 0) return fail(ENOSPC);
        data += n;
        size -= n;
    }
    return true;
}

bool WholeFileWriter::commit() {
    if (fd_ < 0) return fail(error_ ? error_ : EBADF);
    if (::fsync(fd_) != 0) return fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return fail(errno);
    if (::rename(temp_.constData(), target_.constData()) != 0) return fail(errno);
    temp_.clear();
    // The rename itself reaches the disk with the folder.
    const qsizetype slash = target_.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target_.left(slash);
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return true;
}

QString WholeFileWriter::errorString() const { return error_ ? qt_error_string(error_) : QString(); }

bool writeWholeFile(const QString& fsPath, const QByteArray& bytes, QString* error) {
    WholeFileWriter f(fsPath);
    if (f.open() && f.write(bytes) && f.commit()) return true;
    if (error) *error = f.errorString();
    errno = f.error();
    return false;
}

bool writeTextFileAtomic(const QString& fsPath, const QStringList& lines, QString* error) {
    WholeFileWriter f(fsPath);
    bool ok = f.open();
    QByteArray buf;
    for (qsizetype i = 0; ok && i < lines.size(); ++i) {
        buf += toCp1250(lines[i]);
        buf += "\r\n";
        if (buf.size() > (1 << 20)) {
            ok = f.write(buf);
            buf.clear();
        }
    }
    if (ok && f.write(buf) && f.commit()) return true;
    if (error) *error = f.errorString();
    errno = f.error();
    return false;
}

bool appendTextLines(const QString& fsPath, const QStringList& lines, QString* error) {
    Descriptor f{openForAppend(QFile::encodeName(fsPath))};
    if (f.fd < 0) return failWith(errno, error);
    QByteArray buf = lineEndBefore(f.fd);
    for (const QString& l : lines) {
        buf += toCp1250(l);
        buf += "\r\n";
    }
    if (!appendWhole(f.fd, buf)) return failWith(errno, error);
    const int fd = std::exchange(f.fd, -1);
    // A network file system may report a failed write only here.
    if (::close(fd) != 0) return failWith(errno, error);
    return true;
}

int removeStaleTemporaries(const QString& folder, qint64 beforeSec, long beforeNsec) {
    const QByteArray dirPath = QFile::encodeName(folder);
    DIR* dir = ::opendir(dirPath.constData());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        // "." + the file's name + ".zapis-" + 1 to 6 hexadecimal digits, as
        // WholeFileWriter names them; nothing else is touched.
        const QByteArray name(e->d_name);
        const qsizetype mark = name.lastIndexOf(".zapis-");
        if (!name.startsWith('.') || mark < 2) continue;
        const QByteArray suffix = name.mid(mark + 7);
        if (suffix.isEmpty() || suffix.size() > 6 ||
            !std::all_of(suffix.begin(), suffix.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }))
            continue;
        const QByteArray path = dirPath + '/' + name;
        struct stat st;
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        const bool older = st.st_mtim.tv_sec < beforeSec || (st.st_mtim.tv_sec == beforeSec && st.st_mtim.tv_nsec < beforeNsec);
        if (older && ::unlink(path.constData()) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

LineAppender::~LineAppender() { close(); }

void LineAppender::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    path_.clear();
}

bool LineAppender::stillThere() const {
    struct stat st;
    return ::stat(path_.constData(), &st) == 0 && quint64(st.st_dev) == device_ && quint64(st.st_ino) == inode_;
}

bool LineAppender::fail(int err, QString* error) {
    close();
    return failWith(err, error);
}

bool LineAppender::append(const QString& fsPath, const QString& line, QString* error) {
    const std::lock_guard guard(mutex_);
    const QByteArray path = QFile::encodeName(fsPath);
    if (fd_ >= 0 && (path != path_ || !stillThere())) close();
    if (fd_ < 0) {
        fd_ = openForAppend(path);
        if (fd_ < 0) return fail(errno, error);
        struct stat st;
        if (::fstat(fd_, &st) != 0) return fail(errno, error);
        path_ = path;
        device_ = quint64(st.st_dev);
        inode_ = quint64(st.st_ino);
        lineEnd_ = lineEndBefore(fd_);
    }
    // One write per line: appended whole, never interleaved with another
    // writer's line. A failed one closes the file, so the next line looks
    // again at how the file ends.
    if (!appendWhole(fd_, lineEnd_ + toCp1250(line) + "\r\n")) return fail(errno, error);
    lineEnd_.clear();
    return true;
}

}  // namespace platform
