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

// Writes the lines, each followed by CR LF, to a temporary file in the same
// folder and renames it over the old file only when all was written.
// On failure the old file is left as it was and `error` says why.
bool writeTextFileAtomic(const QString& fsPath, const QStringList& lines, QString* error = nullptr);

// Appends whole lines (CR LF) to the file, creating it when missing.
bool appendTextLines(const QString& fsPath, const QStringList& lines);

// A file kept open for appending lines: each line reaches the file with one
// write, so others read it as soon as the call returns, without an open and
// a close per line. The file is opened again under a new name, and when it
// was removed or replaced since it was opened.
class LineAppender {
public:
    LineAppender() = default;
    ~LineAppender();
    LineAppender(const LineAppender&) = delete;
    LineAppender& operator=(const LineAppender&) = delete;

    bool append(const QString& fsPath, const QString& line);
    void close();

private:
    bool stillThere() const;

    std::mutex mutex_;
    int fd_ = -1;
    QByteArray path_;
    quint64 device_ = 0;
    quint64 inode_ = 0;
};

}  // namespace platform
