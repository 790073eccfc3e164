// The whole settings file as the program writes it with every default,
// compared byte for byte with the file kept beside this test: a changed
// range comment, default or key anywhere in ~310 keys shows here.
#include "NastawyRig.h"

#include <QFileInfo>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "foundation/KestDysk2.h"
#include "platform/TextFile.h"

namespace {

using Konfiguracja = NastawyRig;

// A folder nobody may write into. Its mode stops an ordinary user; root
// passes modes, so the folder is then made immutable as well (an ext4-like
// file system allows it). False when neither holds.
class FolderTylkoDoOdczytu {
public:
    explicit FolderTylkoDoOdczytu(const QString& folder) : folder_(folder) {
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (Zapisywalny()) Niezmienny(true);
        ok_ = !Zapisywalny();
    }
    ~FolderTylkoDoOdczytu() {
        if (niezmienny_) Niezmienny(false);
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    bool ok() const { return ok_; }

private:
    bool Zapisywalny() const {
        QFile proba(folder_ + QStringLiteral("/proba"));
        if (!proba.open(QIODevice::WriteOnly)) return false;
        proba.remove();
        return true;
    }
    void Niezmienny(bool tak) {
        const int fd = ::open(QFile::encodeName(folder_).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) return;
        int flagi = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flagi) == 0) {
            flagi = tak ? (flagi | FS_IMMUTABLE_FL) : (flagi & ~FS_IMMUTABLE_FL);
            if (::ioctl(fd, FS_IOC_SETFLAGS, &flagi) == 0) niezmienny_ = tak;
        }
        ::close(fd);
    }
    QString folder_;
    bool ok_ = false;
    bool niezmienny_ = false;
};

TEST_F(Konfiguracja, TheDefaultFileIsTheGoldenFile) {
    const QString zbior = folder_.file(QStringLiteral("TOLVANE.INI"));
    DomyslneKonfiguracji();
    ASSERT_TRUE(ZapiszKonfiguracje(zbior));
    const QByteArray jest = folder_.read(QStringLiteral("TOLVANE.INI"));
    QFile wzor(QStringLiteral(TOLVANE_SETTINGS_TESTS_DIR "/TOLVANE.INI"));
    const QByteArray ma = wzor.open(QIODevice::ReadOnly) ? wzor.readAll() : QByteArray();
    if (jest != ma) {
        // The first line that differs, and the whole file for a diff.
        const QStringList a = platform::splitTextLines(jest), b = platform::splitTextLines(ma);
        qsizetype i = 0;
        while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
        const QString gdzie = QDir::current().absoluteFilePath(QStringLiteral("TOLVANE.INI.written"));
        QFile out(gdzie);
        if (out.open(QIODevice::WriteOnly)) out.write(jest);
        ADD_FAILURE() << "line " << i + 1 << ": written \"" << a.value(i).toStdString() << "\", golden \""
                      << b.value(i).toStdString() << "\"; the whole file written is " << gdzie.toStdString();
    }
}

TEST_F(Konfiguracja, ReadingTheFileBackChangesNothingAndFailuresLeaveTheOldFile) {
    const QString zbior = folder_.file(QStringLiteral("TOLVANE.INI"));
    DomyslneKonfiguracji();
    ASSERT_TRUE(ZapiszKonfiguracje(zbior));
    const QByteArray pierwszy = folder_.read(QStringLiteral("TOLVANE.INI"));
    EXPECT_TRUE(CzytajKonfiguracje({}));
    ASSERT_TRUE(ZapiszKonfiguracje(zbior));
    EXPECT_EQ(folder_.read(QStringLiteral("TOLVANE.INI")), pierwszy);
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList{QStringLiteral("TOLVANE.INI")}) << "no temporary file left";

    // A file that cannot be written (its folder is gone): false, nothing left behind.
    EXPECT_FALSE(ZapiszKonfiguracje(folder_.path() + QStringLiteral("/BRAK/TOLVANE.INI")));
    EXPECT_FALSE(QFileInfo::exists(folder_.path() + QStringLiteral("/BRAK")));
    EXPECT_EQ(dialogi_.Zapisy(RodzajDialogu::Blad).size(), 1);
}

TEST_F(Konfiguracja, ASaveIntoAReadOnlyFolderKeepsTheOldFileShowsTheErrorAndLogsIt) {
    Nastawy.LOGZbiorJest = true;
    Nastawy.LOGKatalog = QStringLiteral("C:\\MUZYKA");
    ASSERT_TRUE(ZapiszKonfiguracje(KonfiguracjaZbior));
    const QByteArray stary = Zbior();
    Nastawy.Numer = 5;
    {
        FolderTylkoDoOdczytu tylkoDoOdczytu(folder_.path() + QStringLiteral("/drives/c/TOLVANE"));
        if (!tylkoDoOdczytu.ok()) GTEST_SKIP() << "no folder can be made read-only here";
        EXPECT_FALSE(ZapiszKonfiguracje(KonfiguracjaZbior));
    }
    EXPECT_EQ(Zbior(), stary);
    EXPECT_EQ(QDir(folder_.path() + QStringLiteral("/drives/c/TOLVANE")).entryList(QDir::Files),
              QStringList{QStringLiteral("TOLVANE.INI")});
    const auto bledy = dialogi_.Zapisy(RodzajDialogu::Blad);
    ASSERT_EQ(bledy.size(), 1);
    EXPECT_EQ(bledy[0].teksty,
              (QStringList{TekstBleduIO(5), QStringLiteral(" (") + KonfiguracjaZbior + QLatin1Char(')')}));
    QStringList log;
    platform::readTextLines(platform::resolvePath(LogZbior()), log);
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(log.last().endsWith(QStringLiteral("Zapis konfiguracji do zbioru C:\\TOLVANE\\TOLVANE.INI: błąd 5")))
        << log.last().toStdString();
}

}  // namespace
