#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>

#include "platform/Cp1250.h"

namespace platform {

bool readTextLines(const QString& fsPath, QStringList& lines, qint64 maxBytes) {
    lines.clear();
    QFile f(fsPath);
    if (!f.open(QIODevice::ReadOnly)) return false;
    if (f.size() > maxBytes) return false;
    const QByteArray all = f.readAll();
    if (f.error() != QFileDevice::NoError) return false;
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
    return true;
}

bool writeTextFileAtomic(const QString& fsPath, const QStringList& lines, QString* error) {
    QSaveFile f(fsPath);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    QByteArray buf;
    for (const QString& l : lines) {
        buf += toCp1250(l);
        buf += "\r\n";
        if (buf.size() > (1 << 20)) {
            if (f.write(buf) != buf.size()) break;
            buf.clear();
        }
    }
    if (!buf.isEmpty() && f.write(buf) != buf.size()) {
        if (error) *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

bool appendTextLines(const QString& fsPath, const QStringList& lines) {
    QFile f(fsPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    QByteArray buf;
    for (const QString& l : lines) {
        buf += toCp1250(l);
        buf += "\r\n";
    }
    const bool ok = f.write(buf) == buf.size();
    f.close();
    return ok && f.error() == QFileDevice::NoError;
}

}  // namespace platform
