#pragma once
// Stored paths keep their Windows form (D:\MUZYKA\A123.MP3): playlists,
// databases and other stations' files rely on it. Only when the program
// touches the file system is a path resolved to a Linux one.
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace platform {

// The program folder: $TOLVANE_HOME when set, else the executable's folder.
QString programFolder();
// Tests point the program at a temporary folder.
void setProgramFolder(const QString& folder);

// A path in the program's form to a Linux path:
// - "X:" maps to <program folder>/drives/<x> (a directory or a link);
// - "\" and "/" both separate;
// - each component is matched without regard to case, through an index of
//   the folder's names kept while the folder's change time stays the same
//   (a name created or removed since is seen at once);
// - "." and ".." are folded without ever leaving a drive's folder;
// - a path without a drive letter is an ordinary Linux path.
// Components that do not exist are kept as given, so the result can name a
// file about to be created.
QString resolvePath(const QString& path);
// Whether a stored path names a regular file. A name the folder's index
// does not hold answers without another look at the disk.
bool isRegularFile(const QString& path);
// The program's one answer to "is this stored file there to be used":
// false for a blank name (a placeholder), else whether it names a regular
// file, links followed. A folder or a device is not a file. Answered like
// isRegularFile, through the folder's index. Each answer looks at the disk
// (its folder's time at least), which on a network share is a round trip
// or no answer at all: the on-air loop's thread leaves it to workers.
bool fileExists(const QString& storedPath);

// Whether each stored path names a regular file, answered a folder at a
// time: every distinct folder is looked at once (one stat; its index of names
// listed again only when it changed) and a name's type is taken from the
// listing. For a worker that watches many files (the elements ahead of the
// on-air loop): `folders` gets each folder looked at (Linux path) with its
// change time in ns, to be compared later with folderChangeTime.
// A file reported false is not there only when its folder answered (it was
// listed and the name is not in it, or it is not a regular file):
// `unanswered` gets, for each path, the errno of the look that could not
// tell (an I/O error, a stale handle, the folder itself gone), 0 where the
// answer stands. A share that fails must not make a playlist missing.
std::vector<bool> regularFiles(const QStringList& paths, QHash<QString, qint64>* folders = nullptr,
                               std::vector<int>* unanswered = nullptr);
// A folder's change time in ns; -1 when it is not a folder.
qint64 folderChangeTime(const QString& fsFolder);

// While one stands on a thread, no lookup there waits for a folder to be
// listed: a folder whose index is out of date is listed again by a
// background thread, and the lookup answers from the index it has, trying
// the name exactly as written when the index does not hold it. The on-air
// loop puts one up for its tick.
class NoListingWait {
public:
    NoListingWait();
    ~NoListingWait();
    NoListingWait(const NoListingWait&) = delete;
    NoListingWait& operator=(const NoListingWait&) = delete;
};
// While one stands on a thread, each folder's state and the drive letters
// are looked at once there, and later lookups answer from that look: the
// start-up checks the same few folders of a share again and again, and on a
// network share each look is a round trip. One made while another stands
// shares its looks.
class FolderLooksOnce {
public:
    FolderLooksOnce();
    ~FolderLooksOnce();
    FolderLooksOnce(const FolderLooksOnce&) = delete;
    FolderLooksOnce& operator=(const FolderLooksOnce&) = delete;

private:
    bool first_;
};
// Returns once every listing handed to the background thread is done.
void flushBackgroundListings();

// Every look at the file system made by this layer (a folder's time, a
// listing, a file's type) first waits this long: a test or benchmark stands
// a slow network share in front of a local folder. 0: none.
void setFileSystemDelay(int microseconds);
// How many looks at the disk this layer made on the calling thread so far.
quint64 fileSystemLooks();

// Forgets every folder's index of names.
void clearPathCache();
// How many times a folder has been listed so far (the cost a lookup avoids).
quint64 folderListings();
// The same, made by the calling thread.
quint64 folderListingsOnThisThread();

// A path back in the program's form: where it lies in a drive's folder,
// however it was reached (<program folder>/drives/d/MUZYKA, or the folder
// drives/d links to, gives D:\MUZYKA; the drive's folder itself D:\), with
// "\" only; any other absolute path as a Linux path with "/" only; a
// relative one as given.
QString storedPath(const QString& path);

// True when the path starts with a drive letter and a colon.
bool hasDriveLetter(const QString& path);

// The drive letters present (upper case, in letter order): the one-letter
// lower-case entries of the program folder's drives/ that lead to a folder.
QString driveLetters();
// Used and free bytes of the file system that holds a drive's folder;
// false (both 0) when the drive is missing. Labels are not kept: there is
// nothing on Linux to read them from.
bool driveSpace(QChar letter, qint64& used, qint64& free);

}  // namespace platform
