// The whole settings file as the program writes it with every default,
// compared byte for byte with the file kept beside this test: a changed
// range comment, default or key anywhere in ~310 keys shows here.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/TempFolder.h"
#include "foundation/KestSter2.h"
#include "platform/Cp1250.h"
#include "platform/TextFile.h"
#include "settings/Konfiguracja.h"

namespace {

class Konfiguracja : public ::testing::Test {
protected:
    void SetUp() override {
        poprzedniStart_ = KatalogStartowy;
        QDir().mkpath(folder_.drive(QLatin1Char('C')) + QStringLiteral("/TOLVANE"));
        KatalogStartowy = QStringLiteral("C:\\TOLVANE");
    }
    void TearDown() override { KatalogStartowy = poprzedniStart_; }

    TempProgramFolder folder_;
    QString poprzedniStart_;
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
}

}  // namespace
