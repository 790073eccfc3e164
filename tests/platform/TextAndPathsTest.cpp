#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#include "common/Fifo.h"
#include "common/TempFolder.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

using namespace platform;

TEST(Cp1250, AllBytesRoundTripAndPolishLettersMap) {
    QByteArray all;
    for (int i = 0; i < 256; ++i) all.append(char(i));
    const QString text = fromCp1250(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1250(text), all);
    // Every byte decodes to a distinct character.
    QSet<QChar> seen(text.begin(), text.end());
    EXPECT_EQ(seen.size(), 256);

    const QString polish = QStringLiteral("ĄĆĘŁŃÓŚŹŻąćęłńóśźż");
    EXPECT_EQ(toCp1250(polish), QByteArray("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"));
    EXPECT_EQ(fromCp1250(toCp1250(polish)), polish);
    EXPECT_EQ(toCp1250(QStringLiteral("€")), QByteArray("\x80"));
    // A character outside the code page cannot be stored: it becomes "?".
    EXPECT_EQ(toCp1250(QStringLiteral("日")), QByteArray("?"));
}

TEST(TextFile, ReadsCrLfAndLfAndWritesCrLfAtomically) {
    TempProgramFolder home;
    const QString f = home.file(QStringLiteral("a.txt"));
    home.write(QStringLiteral("a.txt"), QByteArray("one\r\ntwo\nthree\r\n\r\nlast"));
    QStringList lines;
    ASSERT_TRUE(readTextLines(f, lines));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"), QString(), QStringLiteral("last")}));

    ASSERT_TRUE(writeTextFileAtomic(f, {QStringLiteral("Zażółć"), QStringLiteral("x")}));
    EXPECT_EQ(home.read(QStringLiteral("a.txt")), QByteArray("Za\xBF\xF3\xB3\xE6\r\nx\r\n"));
    EXPECT_TRUE(appendTextLines(f, {QStringLiteral("y")}));
    EXPECT_EQ(home.read(QStringLiteral("a.txt")), QByteArray("Za\xBF\xF3\xB3\xE6\r\nx\r\ny\r\n"));

    // A folder that does not exist: nothing written, old file untouched, failure reported.
    QString err;
    EXPECT_FALSE(writeTextFileAtomic(home.path() + QStringLiteral("/no/such/b.txt"), {QStringLiteral("z")}, &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_FALSE(readTextLines(home.path() + QStringLiteral("/missing.txt"), lines));
}

TEST(TextFile, WholeFileReadersTakeOnlyRegularFiles) {
    TempProgramFolder home;
    QStringList lines;
    QByteArray data;
    // A FIFO, a device, a folder: refused before a byte is read; nothing waits.
    const QString fifo = home.file(QStringLiteral("fifo.txt"));
    FifoFeeder feeder(fifo);
    EXPECT_FALSE(readTextLines(fifo, lines));
    EXPECT_FALSE(feeder.wasRead());
    EXPECT_FALSE(readTextLines(QStringLiteral("/dev/null"), lines));
    const std::pair<QString, FileRead> cases[] = {
        {fifo, FileRead::NotRegular},
        {QStringLiteral("/dev/zero"), FileRead::NotRegular},
        {home.path(), FileRead::NotRegular},
        {home.path() + QStringLiteral("/none.txt"), FileRead::CannotOpen},
        // The kernel's files say size 0 until read: the limit holds after the read.
        {QStringLiteral("/proc/self/status"), FileRead::TooLarge},
    };
    for (const auto& [path, want] : cases) {
        EXPECT_EQ(readWholeFile(path, data, 64), want) << path.toStdString();
        EXPECT_TRUE(data.isEmpty());
    }
    home.write(QStringLiteral("a.txt"), QByteArray(64, 'x'));
    EXPECT_EQ(readWholeFile(home.file(QStringLiteral("a.txt")), data, 64), FileRead::Ok);
    EXPECT_EQ(data, QByteArray(64, 'x'));
    EXPECT_EQ(readWholeFile(home.file(QStringLiteral("a.txt")), data, 63), FileRead::TooLarge);
    EXPECT_EQ(readWholeFile(QStringLiteral("/proc/self/status"), data, 1 << 20), FileRead::Ok);
    EXPECT_TRUE(data.startsWith("Name:"));
}

TEST(Paths, DriveLettersMapIntoTheProgramFolderCaseInsensitively) {
    TempProgramFolder home;
    const QString d = home.drive(QLatin1Char('d'));
    QDir().mkpath(d + QStringLiteral("/Muzyka/Pop"));
    QFile(d + QStringLiteral("/Muzyka/Pop/Song.wav")).open(QIODevice::WriteOnly);

    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\POP\\SONG.WAV")), d + QStringLiteral("/Muzyka/Pop/Song.wav"));
    EXPECT_EQ(resolvePath(QStringLiteral("d:/muzyka/pop/song.WAV")), d + QStringLiteral("/Muzyka/Pop/Song.wav"));
    // A missing file keeps its name, so it can be created.
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\NOWY.WAV")), d + QStringLiteral("/Muzyka/NOWY.WAV"));
    // ".." never climbs out of the drive's folder.
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\..\\..\\etc\\passwd")), d + QStringLiteral("/etc/passwd"));
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\..\\MUZYKA\\POP")), d + QStringLiteral("/Muzyka/Pop"));
    // Separators doubled or left out, "." and Polish letters in either case.
    QFile(d + QStringLiteral("/Muzyka/Pop/Żółw.wav")).open(QIODevice::WriteOnly);
    for (const char* stored : {"D:MUZYKA\\POP\\SONG.WAV", "D:\\\\MUZYKA\\\\POP\\SONG.WAV", "D:\\MUZYKA\\.\\POP\\SONG.WAV"})
        EXPECT_EQ(resolvePath(QString::fromUtf8(stored)), d + QStringLiteral("/Muzyka/Pop/Song.wav")) << stored;
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\POP\\ŻÓŁW.WAV")), d + QStringLiteral("/Muzyka/Pop/Żółw.wav"));
    // A drive that does not exist still resolves under drives/.
    EXPECT_EQ(resolvePath(QStringLiteral("Q:\\X.WAV")), home.path() + QStringLiteral("/drives/q/X.WAV"));
    // Linux paths pass through.
    EXPECT_EQ(resolvePath(home.path() + QStringLiteral("/drives")), home.path() + QStringLiteral("/drives"));
    // A file created after a listing was cached is still found.
    resolvePath(QStringLiteral("D:\\MUZYKA\\POP\\LATER.WAV"));
    QFile(d + QStringLiteral("/Muzyka/Pop/Later.wav")).open(QIODevice::WriteOnly);
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\POP\\LATER.WAV")), d + QStringLiteral("/Muzyka/Pop/Later.wav"));

    // Back to the stored form (what a folder picker chose): only paths in a
    // drive's folder change.
    EXPECT_EQ(storedPath(d + QStringLiteral("/Muzyka/Pop/")), QStringLiteral("D:\\Muzyka\\Pop"));
    EXPECT_EQ(storedPath(d), QStringLiteral("D:\\"));
    EXPECT_EQ(storedPath(home.path() + QStringLiteral("/drives/dd/x")), home.path() + QStringLiteral("/drives/dd/x"));
    EXPECT_EQ(storedPath(home.path() + QStringLiteral("/drives")), home.path() + QStringLiteral("/drives"));
    EXPECT_EQ(storedPath(QStringLiteral("/srv/muzyka")), QStringLiteral("/srv/muzyka"));
    // Outside every drive "/" only; a drive whose folder is a link is found
    // through the folder it leads to; a stored path gets "\" only.
    EXPECT_EQ(storedPath(home.path() + QStringLiteral("/demo\\audio\\R01.WAV")),
              home.path() + QStringLiteral("/demo/audio/R01.WAV"));
    QDir().mkpath(home.path() + QStringLiteral("/muzyka/Rock"));
    ASSERT_TRUE(QFile::link(home.path() + QStringLiteral("/muzyka"), home.path() + QStringLiteral("/drives/m")));
    EXPECT_EQ(storedPath(home.path() + QStringLiteral("/muzyka/Rock\\NOWY.WAV")), QStringLiteral("M:\\Rock\\NOWY.WAV"));
    EXPECT_EQ(storedPath(home.path() + QStringLiteral("/muzyka")), QStringLiteral("M:\\"));
    EXPECT_EQ(storedPath(QStringLiteral("D:\\MUZYKA/POP/A.WAV")), QStringLiteral("D:\\MUZYKA\\POP\\A.WAV"));
}

namespace {
void setFolderTime(const QString& folder, time_t seconds, long nanoseconds = 0) {
    const timespec t[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), t, 0), 0);
}
timespec folderTime(const QString& folder) {
    struct stat st {};
    stat(QFile::encodeName(folder).constData(), &st);
    return st.st_mtim;
}
void touch(const QString& file) { QFile(file).open(QIODevice::WriteOnly); }
}  // namespace

// The drives the folder browser lists: lower-case one-letter folders or
// links to folders under drives/, with the space of their file system.
TEST(Paths, DriveLettersAreTheDriveFoldersPresent) {
    TempProgramFolder home;
    EXPECT_EQ(driveLetters(), QString());
    home.drive(u'd');
    home.drive(u'c');
    home.write(QStringLiteral("drives/e"), "a file, not a drive");
    QDir().mkpath(home.path() + QStringLiteral("/drives/xy"));
    QFile::link(home.path() + QStringLiteral("/drives/c"), home.path() + QStringLiteral("/drives/k"));
    EXPECT_EQ(driveLetters(), QStringLiteral("CDK"));
    qint64 used = -1, free = -1;
    EXPECT_TRUE(driveSpace(u'K', used, free));
    EXPECT_GT(used + free, 0);
    EXPECT_FALSE(driveSpace(u'E', used, free));
    EXPECT_EQ(used + free, 0);
}

TEST(Paths, TheIndexOfAFoldersNamesIsNeverStale) {
    TempProgramFolder home;
    const QString d = home.drive(QLatin1Char('d')) + QStringLiteral("/Muzyka");
    QDir().mkpath(d);
    touch(d + QStringLiteral("/Song.wav"));
    touch(d + QStringLiteral("/a.wav"));
    touch(d + QStringLiteral("/A.WAV"));
    setFolderTime(d, time(nullptr) - 3600);  // a folder that has not changed for an hour

    // Names that differ only in case: the one written exactly wins.
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\SONG.WAV")), d + QStringLiteral("/Song.wav"));
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\a.wav")), d + QStringLiteral("/a.wav"));
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\A.WAV")), d + QStringLiteral("/A.WAV"));
    // Missing names are answered from the index: the folder is not listed again.
    const quint64 listed = folderListings();
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\BRAK%1.WAV").arg(i)), d + QStringLiteral("/BRAK%1.WAV").arg(i));
    EXPECT_EQ(folderListings(), listed);

    // A file copied in is found at once; one deleted is missing at once.
    touch(d + QStringLiteral("/Later.wav"));
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\LATER.WAV")), d + QStringLiteral("/Later.wav"));
    QFile::remove(d + QStringLiteral("/Song.wav"));
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\SONG.WAV")), d + QStringLiteral("/SONG.WAV"));

    // Where the on-air tick runs no lookup lists a folder: one changed since
    // is listed in the background, the name written exactly is found
    // meanwhile, and every name once the listing is done.
    touch(d + QStringLiteral("/Tick.wav"));
    {
        const NoListingWait bezListowania;
        const quint64 tutaj = folderListingsOnThisThread();
        EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\Tick.wav")), d + QStringLiteral("/Tick.wav"));
        EXPECT_TRUE(isRegularFile(QStringLiteral("D:\\MUZYKA\\TICK.WAV")) ||
                    folderListingsOnThisThread() == tutaj);
        EXPECT_FALSE(isRegularFile(QStringLiteral("D:\\MUZYKA\\BRAK.WAV")));
        EXPECT_EQ(folderListingsOnThisThread(), tutaj);
        flushBackgroundListings();
        EXPECT_TRUE(isRegularFile(QStringLiteral("D:\\MUZYKA\\TICK.WAV")));
        EXPECT_EQ(folderListingsOnThisThread(), tutaj);
    }
    // Whole playlists at a time: one look at each folder, types from the
    // listing. Missing only where the folder answered: one gone from a drive
    // that is there (a share that dropped) cannot tell; a drive letter with
    // no folder of its own can.
    std::vector<int> untold;
    EXPECT_EQ(regularFiles({QStringLiteral("D:\\MUZYKA\\TICK.WAV"), QStringLiteral("D:\\MUZYKA\\BRAK.WAV"),
                            QStringLiteral("D:\\INNY\\X.WAV"), QStringLiteral("D:\\MUZYKA"), QStringLiteral("  "),
                            QStringLiteral("Q:\\MUZYKA\\X.WAV")},
                           nullptr, &untold),
              (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(untold, (std::vector<int>{0, 0, ENOENT, 0, 0, 0}));

    // A file created in the same tick of the file system's clock as the
    // listing leaves the folder's time as it was: still found.
    setFolderTime(d, time(nullptr), 0);
    const timespec tick = folderTime(d);
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\SAMETICK.WAV")), d + QStringLiteral("/SAMETICK.WAV"));
    touch(d + QStringLiteral("/SameTick.wav"));
    setFolderTime(d, tick.tv_sec, tick.tv_nsec);
    EXPECT_EQ(resolvePath(QStringLiteral("D:\\MUZYKA\\SAMETICK.WAV")), d + QStringLiteral("/SameTick.wav"));
}

TEST(Clock, ManualClockStepsAcrossMidnight) {
    ManualClock c(QDate(2026, 12, 31), 86'399'000);
    ScopedClock scoped(&c);
    EXPECT_EQ(platform::clock().msOfDay(), 86'399'000);
    c.advance(1500);
    EXPECT_EQ(platform::clock().date(), QDate(2027, 1, 1));
    EXPECT_EQ(platform::clock().msOfDay(), 500);
    EXPECT_EQ(platform::clock().monotonicMs(), 1500);
}
