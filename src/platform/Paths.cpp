#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStringList>

namespace platform {
namespace {

QMutex& lock() {
    static QMutex m;
    return m;
}
QString& overrideFolder() {
    static QString f;
    return f;
}
// folder -> (lower-cased name -> real name)
QHash<QString, QHash<QString, QString>>& listingCache() {
    static QHash<QString, QHash<QString, QString>> c;
    return c;
}

QHash<QString, QString> listFolder(const QString& folder) {
    QHash<QString, QString> names;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries) {
        const QString key = e.toCaseFolded();
        if (!names.contains(key)) names.insert(key, e);
    }
    return names;
}

// The real name of `name` inside `folder`, or an empty string.
QString matchComponent(const QString& folder, const QString& name) {
    if (QFileInfo::exists(folder + QLatin1Char('/') + name)) return name;
    const QString key = name.toCaseFolded();
    QMutexLocker guard(&lock());
    auto& cache = listingCache();
    auto it = cache.find(folder);
    if (it != cache.end()) {
        auto hit = it->find(key);
        if (hit != it->end() && QFileInfo::exists(folder + QLatin1Char('/') + *hit)) return *hit;
    }
    // A miss may be a file created since the listing was taken: list again.
    QHash<QString, QString> fresh = listFolder(folder);
    const QString found = fresh.value(key);
    cache.insert(folder, std::move(fresh));
    return found;
}

}  // namespace

QString programFolder() {
    {
        QMutexLocker guard(&lock());
        if (!overrideFolder().isEmpty()) return overrideFolder();
    }
    const QByteArray env = qgetenv("TOLVANE_HOME");
    if (!env.isEmpty()) return QDir::cleanPath(QString::fromLocal8Bit(env));
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void setProgramFolder(const QString& folder) {
    QMutexLocker guard(&lock());
    overrideFolder() = folder;
}

void clearPathCache() {
    QMutexLocker guard(&lock());
    listingCache().clear();
}

bool hasDriveLetter(const QString& path) {
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter() && path[0].unicode() < 128;
}

QString resolvePath(const QString& path) {
    if (path.isEmpty()) return path;
    QString root;
    QString rest;
    if (hasDriveLetter(path)) {
        root = programFolder() + QStringLiteral("/drives/") + path[0].toLower();
        rest = path.mid(2);
    } else if (path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1Char('\\'))) {
        root = QStringLiteral("/");
        rest = path.mid(1);
    } else {
        root = QDir::currentPath();
        rest = path;
    }
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    // Fold "." and ".." first; ".." at the root stays at the root, so a
    // stored path can never climb out of its drive's folder.
    QStringList clean;
    for (const QString& p : parts) {
        if (p == QLatin1String(".")) continue;
        if (p == QLatin1String("..")) {
            if (!clean.isEmpty()) clean.removeLast();
            continue;
        }
        clean.append(p);
    }

    QString current = root == QLatin1String("/") ? QString() : root;
    bool exists = QFileInfo(root).isDir();
    for (const QString& p : clean) {
        QString real;
        if (exists) real = matchComponent(current.isEmpty() ? QStringLiteral("/") : current, p);
        if (real.isEmpty()) {
            real = p;
            exists = false;
        }
        current += QLatin1Char('/') + real;
    }
    if (current.isEmpty()) current = QStringLiteral("/");
    return current;
}

}  // namespace platform
