#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QStorageInfo>
#include <QStringList>

#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>

#include "platform/SerialWorker.h"

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

// The names of one folder as they were when the folder had the change time
// `mtime`. A folder's change time moves with every name created, removed or
// renamed in it, so an index whose time still matches the folder's is
// complete, except for what changed within the same tick of the file
// system's clock as the listing: until the listing is that far behind the
// change, a miss lists the folder again.
struct FolderIndex {
    enum Type : quint8 { Unknown, Regular, Other };
    struct Entry {
        QString real;
        bool ambiguous = false;  // more than one name differs from it only in case
        Type type = Unknown;     // as the listing said (a link is Unknown)
    };
    QHash<QString, Entry> names;  // case-folded name -> real name
    timespec mtime{};
    bool settled = false;
};
using IndexPtr = std::shared_ptr<const FolderIndex>;

// How far apart two changes of a folder may be and still give it the same
// change time. A file system that keeps whole seconds (FAT keeps 2 s) shows a
// change time without a fraction; one with a finer clock (ext4, tmpfs, SMB)
// still stamps from the kernel's coarse clock, a few milliseconds a step.
constexpr qint64 kCoarseTickNs = 2'000'000'000;
constexpr qint64 kFineTickNs = 50'000'000;
qint64 tickOf(const timespec& mtime) { return mtime.tv_nsec == 0 ? kCoarseTickNs : kFineTickNs; }

std::atomic<quint64> listings{0};
std::atomic<int> delayUs{0};
// Why the last folder looked at on this thread could not be used: the
// errno of its stat or listing (ENOTDIR: it is no folder); 0 when it could.
thread_local int folderError = 0;
thread_local int noWaitDepth = 0;
thread_local quint64 looks = 0;
thread_local quint64 listingsHere = 0;

// The injected slowness of a network share, before every look at the disk.
void slowShare() {
    ++looks;
    if (const int us = delayUs.load(std::memory_order_relaxed); us > 0) ::usleep(useconds_t(us));
}

QHash<QString, IndexPtr>& indexes() {
    static QHash<QString, IndexPtr> c;
    return c;
}

qint64 nanoseconds(const timespec& t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }
bool sameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// What FolderLooksOnce keeps: each folder's change time, or why it is not
// a folder, and the drive letters.
struct FolderLook {
    timespec mtime{};
    int error = 0;
};
struct LookMemo {
    QHash<QByteArray, FolderLook> folders;
    std::optional<QString> letters;
};
thread_local LookMemo* lookMemo = nullptr;

bool folderTime(const QByteArray& folder, timespec& mtime) {
    if (lookMemo) {
        const auto known = lookMemo->folders.constFind(folder);
        if (known != lookMemo->folders.cend()) {
            folderError = known->error;
            if (!known->error) mtime = known->mtime;
            return !known->error;
        }
    }
    slowShare();
    struct stat st;
    folderError = ::stat(folder.constData(), &st) != 0 ? errno : S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    if (!folderError) mtime = st.st_mtim;
    if (lookMemo) lookMemo->folders.insert(folder, {folderError ? timespec{} : st.st_mtim, folderError});
    return !folderError;
}

// The index's key of a name. Stored names are mostly ASCII, whose case
// folding is a plain lower-casing that needs no Unicode tables.
QString foldedName(QStringView name) {
    QString key(name.size(), Qt::Uninitialized);
    QChar* out = key.data();
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 0x80) return name.toString().toCaseFolded();
        out[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
    }
    return key;
}

// Null when the folder could not be listed whole (folderError says why): an
// index short of names would call files missing that are there.
IndexPtr listFolder(const QByteArray& folder, const timespec& mtime) {
    auto index = std::make_shared<FolderIndex>();
    index->mtime = mtime;
    // The clock is read before the listing: a name created after it either
    // moves the folder's time or falls within the tick that keeps the index
    // unsettled.
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    index->settled = nanoseconds(now) - nanoseconds(mtime) >= tickOf(mtime);
    slowShare();
    DIR* d = ::opendir(folder.constData());
    folderError = d ? 0 : errno;
    if (d) {
        while (true) {
            errno = 0;
            const dirent* e = ::readdir(d);
            if (!e) {
                folderError = errno;
                break;
            }
            const char* n = e->d_name;
            if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
            const QString real = QFile::decodeName(n);
            FolderIndex::Entry& entry = index->names[foldedName(real)];
            if (entry.real.isEmpty()) {
                entry.real = real;
                entry.type = e->d_type == DT_REG                              ? FolderIndex::Regular
                             : e->d_type == DT_LNK || e->d_type == DT_UNKNOWN ? FolderIndex::Unknown
                                                                              : FolderIndex::Other;
            } else {
                entry.ambiguous = true;
            }
        }
        ::closedir(d);
    }
    listings.fetch_add(1, std::memory_order_relaxed);
    ++listingsHere;
    return folderError ? nullptr : index;
}

IndexPtr currentIndex(const QString& folder, const QByteArray& fsFolder, const timespec& mtime, bool forceList) {
    if (!forceList) {
        QMutexLocker guard(&lock());
        const IndexPtr index = indexes().value(folder);
        if (index && sameTime(index->mtime, mtime)) return index;
    }
    // Listed outside the lock: a slow network folder holds up no other lookup.
    IndexPtr index = listFolder(fsFolder, mtime);
    if (!index) return nullptr;
    QMutexLocker guard(&lock());
    indexes().insert(folder, index);
    return index;
}

SerialWorker& lister() {
    static SerialWorker w;
    return w;
}
QSet<QString>& pendingListings() {  // under lock()
    static QSet<QString> s;
    return s;
}

// Lists a folder on the background thread, once however often it is asked.
void listInBackground(const QString& callersFolder, const QByteArray& callersFsFolder) {
    // Copies of their own: a text shared with the caller's would be freed by
    // the background thread while the caller's copy-on-write, inside Qt,
    // still reads it.
    const QString folder(callersFolder.constData(), callersFolder.size());
    const QByteArray fsFolder(callersFsFolder.constData(), callersFsFolder.size());
    {
        QMutexLocker guard(&lock());
        if (pendingListings().contains(folder)) return;
        pendingListings().insert(folder);
    }
    lister().post([folder, fsFolder] {
        timespec mtime;
        const IndexPtr index = folderTime(fsFolder, mtime) ? listFolder(fsFolder, mtime) : nullptr;
        IndexPtr old;  // freed here, after the lock: a large folder's index takes a while
        QMutexLocker guard(&lock());
        pendingListings().remove(folder);
        if (index) {
            old = indexes().value(folder);
            indexes().insert(folder, index);
        }
        guard.unlock();
    });
}

// An index replaced meanwhile whose last holder is this lookup is freed by
// the background thread, not by the tick.
void letGoInBackground(IndexPtr index) {
    if (index && index.use_count() == 1) lister().post([i = std::move(index)] {});
}

// Where a NoListingWait stands: the index as it is, a listing asked of the
// background thread when it is out of date, and a name it does not hold
// tried exactly as written.
QString matchWithoutListing(const QString& folder, QStringView name, const QByteArray& fsFolder,
                            const timespec& mtime) {
    IndexPtr index;
    {
        QMutexLocker guard(&lock());
        index = indexes().value(folder);
    }
    if (!index || !sameTime(index->mtime, mtime)) listInBackground(folder, fsFolder);
    const auto hit = index ? index->names.constFind(foldedName(name)) : QHash<QString, FolderIndex::Entry>::const_iterator();
    if (!index || hit == index->names.cend()) {
        if (index && sameTime(index->mtime, mtime) && !index->settled) listInBackground(folder, fsFolder);
        QString exact = folder + QLatin1Char('/');
        exact.append(name);
        struct stat st;
        slowShare();
        const bool there = ::lstat(QFile::encodeName(exact).constData(), &st) == 0;
        letGoInBackground(std::move(index));
        return there ? name.toString() : QString();
    }
    const QString real = hit->real;
    letGoInBackground(std::move(index));
    return real;
}

// The real name of `name` inside `folder`, or an empty string.
// `known`: the folder's change time when the caller has just read it.
// `fsFolder`: the folder's encoded name when the caller has it already.
QString matchComponent(const QString& folder, QStringView name, const timespec* known = nullptr,
                       const QByteArray* encoded = nullptr) {
    const QByteArray fsFolder = encoded ? *encoded : QFile::encodeName(folder);
    timespec mtime;
    if (known)
        mtime = *known;
    else if (!folderTime(fsFolder, mtime))
        return QString();
    if (noWaitDepth > 0) return matchWithoutListing(folder, name, fsFolder, mtime);
    const QString key = foldedName(name);
    IndexPtr index = currentIndex(folder, fsFolder, mtime, false);
    if (!index) return QString();
    auto hit = index->names.constFind(key);
    if (hit == index->names.cend() && !index->settled) {
        if (!folderTime(fsFolder, mtime)) return QString();
        index = currentIndex(folder, fsFolder, mtime, true);
        if (!index) return QString();
        hit = index->names.constFind(key);
    }
    if (hit == index->names.cend()) return QString();
    // Of names that differ only in case, the one written exactly wins.
    if (hit->ambiguous && hit->real != name) {
        struct stat st;
        QString exact = folder + QLatin1Char('/');
        exact.append(name);
        slowShare();
        if (::lstat(QFile::encodeName(exact).constData(), &st) == 0) return name.toString();
    }
    return hit->real;
}

}  // namespace

QString programFolder() {
    {
        QMutexLocker guard(&lock());
        if (!overrideFolder().isEmpty()) return overrideFolder();
    }
    // Read once: every stored path with a drive letter asks for the folder.
    static const QString zeSrodowiska = [] {
        const QByteArray env = qgetenv("TOLVANE_HOME");
        return env.isEmpty() ? QString() : QDir::cleanPath(QString::fromLocal8Bit(env));
    }();
    if (!zeSrodowiska.isEmpty()) return zeSrodowiska;
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void setProgramFolder(const QString& folder) {
    QMutexLocker guard(&lock());
    overrideFolder() = folder;
}

void clearPathCache() {
    QMutexLocker guard(&lock());
    indexes().clear();
}

quint64 folderListings() { return listings.load(std::memory_order_relaxed); }
quint64 folderListingsOnThisThread() { return listingsHere; }

FolderLooksOnce::FolderLooksOnce() : first_(lookMemo == nullptr) {
    if (first_) lookMemo = new LookMemo;
}

FolderLooksOnce::~FolderLooksOnce() {
    if (!first_) return;
    delete lookMemo;
    lookMemo = nullptr;
}

QString driveLetters() {
    if (lookMemo && lookMemo->letters) return *lookMemo->letters;
    QString letters;
    const QDir drives(programFolder() + QStringLiteral("/drives"));
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        // Named in lower case, as the resolution looks them up.
        if (QFileInfo(drives.filePath(QString(QChar(c).toLower()))).isDir()) letters += QChar(c);
    }
    if (lookMemo) lookMemo->letters = letters;
    return letters;
}

bool driveSpace(QChar letter, qint64& used, qint64& free) {
    used = free = 0;
    const QString root = resolvePath(QString(letter) + QStringLiteral(":"));
    if (!QFileInfo(root).isDir()) return false;
    const QStorageInfo info(root);
    if (!info.isValid()) return false;
    free = info.bytesAvailable();
    used = info.bytesTotal() - info.bytesFree();
    return true;
}

bool hasDriveLetter(const QString& path) {
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter() && path[0].unicode() < 128;
}

namespace {
// Whether a relative path (with '/' separators) is a list of names: no empty,
// "." or ".." component, so its folder is everything before the last '/'.
bool plainComponents(QStringView rest) {
    if (rest.isEmpty()) return false;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= rest.size(); ++i) {
        if (i < rest.size() && rest[i] != QLatin1Char('/')) continue;
        const qsizetype len = i - start;
        if (len == 0) return false;
        if (rest[start] == QLatin1Char('.') && (len == 1 || (len == 2 && rest[start + 1] == QLatin1Char('.'))))
            return false;
        start = i + 1;
    }
    return true;
}

// `found`: false when a component is known not to be there.
QString resolve(const QString& path, bool* found) {
    if (found) *found = true;
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
    qsizetype lead = 0;  // "D:\MUZYKA" and "D:MUZYKA" name the same folder
    while (lead < rest.size() && rest[lead] == QLatin1Char('/')) ++lead;
    rest.remove(0, lead);
    const QString base = root == QLatin1String("/") ? QString() : root;

    // Most paths are stored with their folders as they stand on the disk:
    // one stat of the folder and a probe of its index then answer for the
    // file, there or missing, without walking every component (the on-air
    // loop checks files far down the playlist, so this path makes no list
    // of components).
    if (plainComponents(rest)) {
        const qsizetype slash = rest.lastIndexOf(QLatin1Char('/'));
        QString parent = base.isEmpty() && slash < 0 ? QStringLiteral("/") : base;
        if (slash >= 0) parent.append(QLatin1Char('/')).append(QStringView(rest).left(slash));
        const QByteArray fsParent = QFile::encodeName(parent);
        timespec mtime;
        if (folderTime(fsParent, mtime)) {
            const QStringView name = QStringView(rest).mid(slash + 1);
            const QString real = matchComponent(parent, name, &mtime, &fsParent);
            if (found && real.isEmpty()) *found = false;
            return (slash < 0 ? base : parent) + QLatin1Char('/') + (real.isEmpty() ? name.toString() : real);
        }
    }
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

    // A folder written in another case, or a missing one: walk the
    // components. A component that is not there ends the matching: what
    // follows it cannot exist either and is kept as given.
    QString current = base;
    bool exists = true;
    for (const QString& p : clean) {
        QString real;
        if (exists) real = matchComponent(current.isEmpty() ? QStringLiteral("/") : current, p);
        if (real.isEmpty()) {
            real = p;
            exists = false;
            if (found) *found = false;
        }
        current += QLatin1Char('/') + real;
    }
    if (current.isEmpty()) current = QStringLiteral("/");
    return current;
}

}  // namespace

namespace {
// The path with its links followed; a part that does not exist yet is kept
// as given after its nearest existing folder.
QString followed(const QString& p) {
    QString head = p, tail;
    while (head.size() > 1) {
        const QString real = QFileInfo(head).canonicalFilePath();
        if (!real.isEmpty()) return real + tail;
        const qsizetype i = head.lastIndexOf(QLatin1Char('/'));
        if (i < 0) break;
        tail = head.mid(i) + tail;
        head = head.left(std::max<qsizetype>(i, 1));
    }
    return p;
}

QString onDrive(QChar letter, QString tail) {
    tail.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return letter.toUpper() + QLatin1Char(':') + (tail.isEmpty() ? QStringLiteral("\\") : tail);
}
}  // namespace

QString storedPath(const QString& path) {
    // A stored path separates with "\" only.
    if (hasDriveLetter(path)) {
        QString p = path;
        p.replace(QLatin1Char('/'), QLatin1Char('\\'));
        return p;
    }
    QString linux = path;
    linux.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!linux.startsWith(QLatin1Char('/'))) return path;
    const QString p = QDir::cleanPath(linux);
    const QString drives = QDir::cleanPath(programFolder() + QStringLiteral("/drives"));
    if (p.startsWith(drives + QLatin1Char('/'))) {
        const QString rest = p.mid(drives.size() + 1);  // "d/MUZYKA/ROCK" or "d"
        if (!rest.isEmpty() && rest[0].isLetter() && rest[0].unicode() < 128 &&
            (rest.size() == 1 || rest[1] == QLatin1Char('/')))
            return onDrive(rest[0], rest.mid(1));
        return p;
    }
    // Reached another way (the folder a drive's link leads to, a link to
    // it): the file system decides whether it lies in a drive.
    const QString real = followed(p);
    for (const QChar c : driveLetters()) {
        const QString target = QFileInfo(drives + QLatin1Char('/') + c.toLower()).canonicalFilePath();
        if (target.isEmpty()) continue;
        if (real == target) return onDrive(c, QString());
        if (real.startsWith(target + QLatin1Char('/'))) return onDrive(c, real.mid(target.size()));
    }
    return p;
}

QString resolvePath(const QString& path) { return resolve(path, nullptr); }

bool isRegularFile(const QString& path) {
    bool found = false;
    const QString real = resolve(path, &found);
    if (!found || real.isEmpty()) return false;
    struct stat st;
    slowShare();
    return ::stat(QFile::encodeName(real).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool fileExists(const QString& storedPath) {
    if (std::all_of(storedPath.cbegin(), storedPath.cend(), [](QChar c) { return c.isSpace(); })) return false;
    return isRegularFile(storedPath);
}

namespace {
// Why a folder that could not be used leaves its files' presence untold; 0
// when its answer is that they are not there: a path through a file, or a
// drive letter with no entry in the program's drives/ (a local folder, read
// from its listing: the entry itself may lead to a share that failed). A
// folder gone from a drive that is there may be a share that dropped.
int untold(const QString& storedFolder, int error) {
    if (error == ENOTDIR) return 0;
    if (error == ENOENT && hasDriveLetter(storedFolder)) {
        const QString drives = programFolder() + QStringLiteral("/drives");
        const QByteArray fsDrives = QFile::encodeName(drives);
        timespec mtime;
        const IndexPtr index = folderTime(fsDrives, mtime) ? currentIndex(drives, fsDrives, mtime, false) : nullptr;
        if (index && !index->names.contains(QString(storedFolder[0].toLower()))) return 0;
    }
    return error;
}
}  // namespace

std::vector<bool> regularFiles(const QStringList& paths, QHash<QString, qint64>* folders, std::vector<int>* unanswered) {
    std::vector<bool> out(size_t(paths.size()), false);
    if (unanswered) unanswered->assign(size_t(paths.size()), 0);
    struct Folder {
        IndexPtr index;
        QString fs;
        QByteArray encoded;
        bool relisted = false;
        int error = 0;  // why it gave no index
    };
    QHash<QString, Folder> seen;  // the folder as stored -> what was found there
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString& p = paths[i];
        if (std::all_of(p.cbegin(), p.cend(), [](QChar c) { return c.isSpace(); })) continue;
        const qsizetype cut = std::max(p.lastIndexOf(QLatin1Char('\\')), p.lastIndexOf(QLatin1Char('/')));
        const QStringView name = QStringView(p).mid(cut + 1);
        if (cut < 0 || name.isEmpty() || name == u"." || name == u"..") {
            out[size_t(i)] = isRegularFile(p);
            continue;
        }
        const QString parent = p.left(cut + 1);
        auto f = seen.find(parent);
        if (f == seen.end()) {
            Folder n;
            n.fs = resolvePath(parent);
            n.encoded = QFile::encodeName(n.fs);
            timespec mtime;
            if (folderTime(n.encoded, mtime)) {
                n.index = currentIndex(n.fs, n.encoded, mtime, false);
                if (folders) folders->insert(n.fs, nanoseconds(mtime));
            }
            if (!n.index) n.error = untold(parent, folderError);
            f = seen.insert(parent, n);
        }
        const auto noAnswer = [&] {
            if (unanswered) (*unanswered)[size_t(i)] = f->error;
        };
        if (!f->index) {
            noAnswer();
            continue;
        }
        const QString key = foldedName(name);
        auto hit = f->index->names.constFind(key);
        if (hit == f->index->names.cend() && !f->index->settled && !f->relisted) {
            // Listed within the file system's tick of a change: once more.
            timespec mtime;
            IndexPtr again = folderTime(f->encoded, mtime) ? currentIndex(f->fs, f->encoded, mtime, true) : nullptr;
            f->relisted = true;
            if (!again) {
                f->index = nullptr;
                f->error = untold(parent, folderError);
                noAnswer();
                continue;
            }
            f->index = std::move(again);
            hit = f->index->names.constFind(key);
        }
        if (hit == f->index->names.cend()) continue;
        if (!hit->ambiguous && hit->type != FolderIndex::Unknown) {
            out[size_t(i)] = hit->type == FolderIndex::Regular;
            continue;
        }
        // A link, or a name the listing gave no type: the file itself says.
        struct stat st;
        slowShare();
        const QString real = resolvePath(p);
        if (::stat(QFile::encodeName(real).constData(), &st) == 0)
            out[size_t(i)] = S_ISREG(st.st_mode);
        else if (unanswered && errno != ENOENT && errno != ENOTDIR)
            (*unanswered)[size_t(i)] = errno;
    }
    return out;
}

qint64 folderChangeTime(const QString& fsFolder) {
    timespec mtime;
    return folderTime(QFile::encodeName(fsFolder), mtime) ? nanoseconds(mtime) : -1;
}

NoListingWait::NoListingWait() { ++noWaitDepth; }
NoListingWait::~NoListingWait() { --noWaitDepth; }

void flushBackgroundListings() { lister().flush(); }

quint64 fileSystemLooks() { return looks; }

void setFileSystemDelay(int microseconds) { delayUs.store(microseconds, std::memory_order_relaxed); }

}  // namespace platform
