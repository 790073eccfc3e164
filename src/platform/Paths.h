#pragma once
// Stored paths keep their Windows form (D:\MUZYKA\A123.MP3): playlists,
// databases and other stations' files rely on it. Only when the program
// touches the file system is a path resolved to a Linux one.
#include <QString>

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
// does not hold answers without another look at the disk (the on-air loop
// checks files far down the playlist).
bool isRegularFile(const QString& path);

// Forgets every folder's index of names.
void clearPathCache();
// How many times a folder has been listed so far (the cost a lookup avoids).
quint64 folderListings();

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
