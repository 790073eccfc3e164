#pragma once
// Windows-1250 text files with CR LF lines, read and written whole.
// Paths here are Linux paths (resolve stored paths with resolvePath first).
#include <QString>
#include <QStringList>

namespace platform {

// Reads every line (CR LF or LF; a trailing empty line is not a line).
// False when the file cannot be opened or read; `lines` is then empty.
// Files larger than maxBytes are refused, so a wrong file can never exhaust memory.
bool readTextLines(const QString& fsPath, QStringList& lines, qint64 maxBytes = 256LL * 1024 * 1024);

// Writes the lines, each followed by CR LF, to a temporary file in the same
// folder and renames it over the old file only when all was written.
// On failure the old file is left as it was and `error` says why.
bool writeTextFileAtomic(const QString& fsPath, const QStringList& lines, QString* error = nullptr);

// Appends whole lines (CR LF) to the file, creating it when missing.
bool appendTextLines(const QString& fsPath, const QStringList& lines);

}  // namespace platform
