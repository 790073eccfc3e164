#pragma once
// Windows-1250 text files with CR LF lines, read and written whole.
// Paths here are Linux paths (resolve stored paths with resolvePath first).
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <mutex>

namespace platform {

enum class FileRead {
    Ok,
    CannotOpen,  // errno says why
    NotRegular,  // a folder, a FIFO, a device: nothing was read
    TooLarge,    // over the limit, before or while it was read
    ReadError,   // errno says why
};

// Reads a whole regular file of at most maxBytes. Anything else is refused
// before a byte is read (opening never waits for a FIFO's writer), and a file
// that grows past the limit while it is read is refused too, so a wrong file
// can never stall the caller or exhaust memory. `data` is empty unless Ok.
FileRead readWholeFile(const QString& fsPath, QByteArray& data, qint64 maxBytes);

// Reads every line (CR LF or LF; a trailing empty line is not a line) of a
// regular file of at most maxBytes. False when the file cannot be read;
// `lines` is then empty.
bool readTextLines(const QString& fsPath, QStringList& lines, qint64 maxBytes = 256LL * 1024 * 1024);
// The lines of text already in memory, by the same rules.
QStringList splitTextLines(const QByteArray& bytes);

// A file rewritten whole. The bytes go to a temporary file beside it and
// every write is checked as it is made (a full disk or a size limit shows at
// the write that meets it, never later in a buffer's flush); the temporary
// is synced to the disk and only then renamed over the old file, which keeps
// its permissions. Any failure leaves the old file as it was and no
// temporary behind; error() (also left in errno) and errorString() say why.
class WholeFileWriter {
public:
    explicit WholeFileWriter(const QString& fsPath);
    ~WholeFileWriter();  // what was not committed is thrown away
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    bool open();
    bool write(const char* data, qsizetype size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Puts the file in the old one's place; false (the old file kept) when
    // anything on the way failed.
    bool commit();
    void discard();
    int error() const { return error_; }
    QString errorString() const;

private:
    bool fail(int err);

    QByteArray target_;
    QByteArray temp_;
    int fd_ = -1;
    int error_ = 0;
};

// The whole file at once, through WholeFileWriter.
bool writeWholeFile(const QString& fsPath, const QByteArray& bytes, QString* error = nullptr);

// Writes the lines, each followed by CR LF, through WholeFileWriter.
bool writeTextFileAtomic(const QString& fsPath, const QStringList& lines, QString* error = nullptr);

// Appends whole lines (CR LF) to the file, creating it when missing. What
// is appended is there whole or not at all: a write cut short (a full disk,
// a size limit) is taken back; a file whose last line has no end (cut by a
// crash, edited by hand) gets its end first, so a new line never continues
// it. `error` says why when it fails.
bool appendTextLines(const QString& fsPath, const QStringList& lines, QString* error = nullptr);

// Removes the temporaries WholeFileWriter leaves when the program dies in a
// save (".NAME.zapis-" and a hexadecimal number) from `folder`, when they were
// last written before `before` (seconds and nanoseconds since the epoch), so
// a save that runs now is never touched. Returns how many were removed.
int removeStaleTemporaries(const QString& folder, qint64 beforeSec, long beforeNsec);

// A file kept open for appending lines: each line reaches the file with one
// write, so others read it as soon as the call returns, without an open and
// a close per line. The file is opened again under a new name, and when it
// was removed or replaced since it was opened. Lines are appended as
// appendTextLines appends them: whole, and never onto a cut line.
class LineAppender {
public:
    LineAppender() = default;
    ~LineAppender();
    LineAppender(const LineAppender&) = delete;
    LineAppender& operator=(const LineAppender&) = delete;

    bool append(const QString& fsPath, const QString& line, QString* error = nullptr);
    void close();

private:
    bool stillThere() const;
    bool fail(int err, QString* error);

    std::mutex mutex_;
    int fd_ = -1;
    QByteArray path_;
    quint64 device_ = 0;
    quint64 inode_ = 0;
    QByteArray lineEnd_;  // what the open file needs before the next line
};

}  // namespace platform
