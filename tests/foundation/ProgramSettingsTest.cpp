#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "common/TempFolder.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"

namespace {
struct ProgramSettings : ::testing::Test {
    TempProgramFolder home;
    QString ini;
    void SetUp() override {
        ini = home.file(QStringLiteral("TOLVANE.INI"));
        KatalogStartowy = home.path();
        NastawyDomyslne();
        BladIO = 0;
    }
};
// How many of the process's open files are this one.
int descriptorsTo(const QString& path) {
    int n = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (QFile::symLinkTarget(fds.filePath(fd)) == path) ++n;
    return n;
}
}  // namespace

TEST_F(ProgramSettings, DefaultsWrittenThenReadBackGiveTheSameBytes) {
    EXPECT_EQ(Nastawy.Id, QStringLiteral("Użytkownik?"));
    EXPECT_EQ(Nastawy.OknoStanStart, 1);
    EXPECT_TRUE(Nastawy.CzyGlosnik);
    EXPECT_EQ(Nastawy.LOGKatalog, home.path());
    EXPECT_EQ(Nastawy.Katalog, QString());

    home.write(QStringLiteral("TOLVANE.INI"), QByteArray());
    ZapiszNastawy(ini);
    const QByteArray first = home.read(QStringLiteral("TOLVANE.INI"));
    const QList<QByteArray> lines = first.split('\n');
    EXPECT_EQ(lines[0], "; " + QByteArray(79, '#') + "\r");
    EXPECT_EQ(lines[1], "; ###" + QByteArray(48, ' ') + QByteArray(28, '#') + "\r");
    EXPECT_EQ(lines[2], "; ###    Zbior konfiguracyjny programu Tolvane" + QByteArray(7, ' ') + QByteArray(28, '#') + "\r");
    EXPECT_EQ(lines[3], "; ###  dla komentarzy w pierwszej kolumnie znak ';'  ############################\r");
    EXPECT_EQ(lines[6], "\r");
    EXPECT_EQ(lines[8], "[Nazwa programu]\r");
    EXPECT_EQ(lines[9], "; Nazwa programu\r");
    EXPECT_EQ(lines[10], "Nazwa=Tolvane\r");
    EXPECT_EQ(lines[13], "[Nastawy programu]\r");
    EXPECT_EQ(lines[14], "; Numer stanowiska\r");
    EXPECT_EQ(lines[15], "Numer=0\r");
    EXPECT_EQ(lines[16], "; Identyfikator u\xBFytkownika (do 12 znak\xF3w, np. imi\xEA)\r");
    EXPECT_EQ(lines[17], "Id=U\xBFytkownik?\r");
    EXPECT_TRUE(first.endsWith("OknoStanStart=1\r\n"));

    QString name = ini;
    EXPECT_TRUE(SprawdzZbiorKonfig(name, NazwaProgramu, {}));
    NastawyDomyslne();
    CzytajNastawy(ini);
    home.write(QStringLiteral("TOLVANE.INI"), QByteArray());
    ZapiszNastawy(ini);
    const QByteArray second = home.read(QStringLiteral("TOLVANE.INI"));
    // Linux folders keep their case; everything comes back unchanged.
    EXPECT_EQ(second, first);
    CzytajNastawy(ini);
    home.write(QStringLiteral("TOLVANE.INI"), QByteArray());
    ZapiszNastawy(ini);
    EXPECT_EQ(home.read(QStringLiteral("TOLVANE.INI")), second);
}

TEST_F(ProgramSettings, ReaderRules) {
    home.write(QStringLiteral("TOLVANE.INI"),
               "[Nastawy programu]\r\nNumer=10\r\nId=" + QByteArray(20, 'x') + "\r\nOknoStanStart=3\r\n"
               "Panel2StrefaRoznicaH=-13\r\nHasloINITekst=\r\nLOGKatalog=PROGRAM\r\n");
    CzytajNastawy(ini);
    EXPECT_EQ(Nastawy.Numer, 0);
    EXPECT_EQ(Nastawy.Id, QString(15, QLatin1Char('x')));
    EXPECT_EQ(Nastawy.OknoStanStart, 2);
    EXPECT_EQ(Nastawy.Panel2StrefaRoznicaH, 0);
    EXPECT_EQ(Nastawy.HasloINITekst, QStringLiteral("WQXE"));
    EXPECT_EQ(Nastawy.LOGKatalog, KatalogStartowy);

    home.write(QStringLiteral("TOLVANE.INI"), "[Nastawy programu]\r\nId=\r\nNumer=7\r\nPanel2StrefaRoznicaH=-12\r\n");
    Nastawy.Id = QStringLiteral("Anna");
    CzytajNastawy(ini);
    EXPECT_EQ(Nastawy.Id, QStringLiteral("Użytkownik?"));
    EXPECT_EQ(Nastawy.Numer, 7);
    EXPECT_EQ(Nastawy.Panel2StrefaRoznicaH, -12);
    EXPECT_EQ(Nastawy.OknoStanStart, 2);  // kept from the earlier read
}

TEST_F(ProgramSettings, EventLogNamesLinesAndMidnight) {
    platform::ManualClock c(QDate(2026, 12, 6), 23 * 3'600'000 + 59 * 60'000 + 59'000);
    platform::ScopedClock scoped(&c);
    Nastawy.LOGKatalog = home.path();
    Log(QStringLiteral("off"));
    EXPECT_TRUE(QDir(home.path()).entryList({QStringLiteral("*.LOG")}).isEmpty());

    Nastawy.LOGZbiorJest = true;
    Nastawy.IdZbioryJest = true;
    Nastawy.Id = QStringLiteral("Anna");
    EXPECT_EQ(LogZbior(), home.path() + QStringLiteral("/AnnaTolvane_2026-12-06.LOG"));
    Nastawy.IdZbioryJest = false;
    Log(QStringLiteral("Zażółć"));
    c.advance(2000);
    Log(QStringLiteral("po północy"));
    EXPECT_EQ(home.read(QStringLiteral("Tolvane_2026-12-06.LOG")), QByteArray("23:59:59->  Za\xBF\xF3\xB3\xE6\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("Tolvane_2026-12-07.LOG")), QByteArray("00:00:01->  po p\xF3\xB3nocy\r\n"));

    // The default identifier and hostile ones give a file name inside the folder.
    Nastawy.IdZbioryJest = true;
    Nastawy.Id = QStringLiteral("Użytkownik?");
    EXPECT_EQ(LogZbior(), home.path() + QStringLiteral("/Użytkownik_Tolvane_2026-12-07.LOG"));
    Nastawy.Id = QStringLiteral("../../x");
    EXPECT_EQ(LogZbior(), home.path() + QStringLiteral("/.._.._xTolvane_2026-12-07.LOG"));
    Log(QStringLiteral("a"));
    EXPECT_FALSE(home.read(QStringLiteral(".._.._xTolvane_2026-12-07.LOG")).isEmpty());

    Nastawy.RoboczyKatalog = home.path();
    NowyLogNazwany(QStringLiteral("TEST"));
    LogNazwany(QStringLiteral("x"));
    EXPECT_EQ(home.read(QStringLiteral("TEST.LOG")), QByteArray("00:00:01->  x\r\n"));
    NowyLogNazwany(QStringLiteral("TEST"));
    EXPECT_EQ(home.read(QStringLiteral("TEST.LOG")), QByteArray());
}

TEST_F(ProgramSettings, EventLogStaysOpenAndFollowsItsFile) {
    platform::ManualClock c(QDate(2026, 12, 6), 23 * 3'600'000 + 59 * 60'000 + 58'000);
    platform::ScopedClock scoped(&c);
    Nastawy.LOGKatalog = home.path();
    Nastawy.LOGZbiorJest = true;
    const QString dzis = home.path() + QStringLiteral("/Tolvane_2026-12-06.LOG");
    // Open between lines, each line in the file as soon as it is logged.
    Log(QStringLiteral("a"));
    EXPECT_EQ(descriptorsTo(dzis), 1);
    Log(QStringLiteral("b"));
    EXPECT_EQ(home.read(QStringLiteral("Tolvane_2026-12-06.LOG")), QByteArray("23:59:58->  a\r\n23:59:58->  b\r\n"));
    // Removed, or moved away by another program: the next line starts a new file.
    QFile::remove(dzis);
    Log(QStringLiteral("c"));
    EXPECT_EQ(home.read(QStringLiteral("Tolvane_2026-12-06.LOG")), QByteArray("23:59:58->  c\r\n"));
    QFile::rename(dzis, home.path() + QStringLiteral("/stary.LOG"));
    Log(QStringLiteral("d"));
    EXPECT_EQ(home.read(QStringLiteral("stary.LOG")), QByteArray("23:59:58->  c\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("Tolvane_2026-12-06.LOG")), QByteArray("23:59:58->  d\r\n"));
    EXPECT_EQ(descriptorsTo(home.path() + QStringLiteral("/stary.LOG")), 0);
    // A new day: the old day's file is let go.
    c.advance(2000);
    Log(QStringLiteral("e"));
    EXPECT_EQ(home.read(QStringLiteral("Tolvane_2026-12-07.LOG")), QByteArray("00:00:00->  e\r\n"));
    EXPECT_EQ(descriptorsTo(dzis), 0);
    EXPECT_EQ(descriptorsTo(home.path() + QStringLiteral("/Tolvane_2026-12-07.LOG")), 1);
}
