// The day's XML schedule: creation, event insertion, the media ID rule and a
// file that is not ours.
#include <gtest/gtest.h>

#include <QFile>

#include <csignal>

#include <sys/resource.h>

#include "common/Fifo.h"
#include "common/TempFolder.h"
#include "console/engine/HistoriaEmisji.h"
#include "console/support/FolderBezTworzenia.h"
#include "foundation/KestSter2.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "playlists/NastawyEmisji.h"

using namespace Qt::StringLiterals;

namespace {

const QByteArray Naglowek =
    "<GSSchedule schemaVersion=\"2.0.0.0\" xmlns:gs_pe=\"PEContentSchemaGS\" xmlns:gs_sl=\"SLContentSchemaGS\" "
    "xmlns:gs_s=\"SongSchemaGS\" xmlns:gs_l=\"LinkSchemaGS\" xmlns:gs_b=\"BreakSchemaGS\" "
    "xmlns:gs_err=\"OperationStatusSchemaGS\" xmlns=\"ScheduleSchemaGS\">\r\n"
    "<Day scheduledDate=\"2026-12-06\">\r\n"
    "<Hour scheduledTime=\"0:00:00\" />\r\n";
const QByteArray Koniec = "</Day></GSSchedule>\r\n";

class XmlScheduleTest : public ::testing::Test {
protected:
    void SetUp() override {
        NastawyDomyslne();
        DomyslneNastawyEmisji();
        Emisja.CzyHSTXML = true;
        Emisja.KatHST = folder.path() + u"/HST"_s;
        Nastawy.LOGZbiorJest = true;
        Nastawy.LOGKatalog = folder.path() + u"/LOG"_s;
        folder.file(u"HST/x"_s);
        folder.file(u"LOG/x"_s);
    }
    QByteArray xml() const { return folder.read(u"HST/26_12_06.XML"_s); }
    QString log() const {
        OproznijLog();
        return platform::fromCp1250(folder.read(u"LOG/Tolvane_2026-12-06.LOG"_s));
    }

    static ZdarzenieXML zdarzenie(bool piosenka, const QString& czas, qint64 trwanie, const QString& id) {
        ZdarzenieXML z;
        z.Piosenka = piosenka;
        z.DataEmisji = u"2026-12-06"_s;
        z.CzasEmisji = czas;
        z.CzasTrwania = trwanie;
        z.Identyfikator = id;
        return z;
    }

    TempProgramFolder folder;
    platform::ManualClock zegar{QDate(2026, 12, 6), 14 * 3600 * 1000};
    platform::ScopedClock scoped{&zegar};
};

TEST_F(XmlScheduleTest, CreatedThenEventsInsertedBeforeTheClosingLine) {
    PlikiHistorii pliki;
    pliki.OtworzPlikiHistorii(QDate(2026, 12, 6));
    EXPECT_EQ(xml(), Naglowek + Koniec);
    EXPECT_EQ(pliki.OstatniaGodzina, u"0"_s);

    const QDate dzien(2026, 12, 6);
    EXPECT_TRUE(pliki.DopiszZdarzenie(dzien, zdarzenie(true, u"14:03:27"_s, 225, u"T1"_s)));
    EXPECT_TRUE(pliki.DopiszZdarzenie(dzien, zdarzenie(false, u"14:07:12"_s, 8, u"JINGIEL1"_s)));
    EXPECT_TRUE(pliki.DopiszZdarzenie(dzien, zdarzenie(true, u"15:00:01"_s, 180, u"abc09XYZ"_s)));

    EXPECT_EQ(xml(), Naglowek +
                         "<Hour scheduledTime=\"14:00:00\" />\r\n"
                         "<Event entryType=\"Song\" status=\"Happened\" airDate=\"2026-12-06\" airTime=\"14:03:27\" "
                         "duration=\"225\" editCode=\"0\" failureCode=\"0\">\r\n"
                         "<ProgramElement><gs_s:Song><gs_pe:Media ID=\"T1\" /></gs_s:Song></ProgramElement>\r\n"
                         "</Event>\r\n"
                         "<Event entryType=\"Link\" status=\"Happened\" airDate=\"2026-12-06\" airTime=\"14:07:12\" "
                         "duration=\"8\" editCode=\"0\" failureCode=\"0\">\r\n"
                         "<ProgramElement><gs_l:Link><gs_pe:Media ID=\"JINGIEL1\" /></gs_l:Link></ProgramElement>\r\n"
                         "</Event>\r\n"
                         "<Hour scheduledTime=\"15:00:00\" />\r\n"
                         "<Event entryType=\"Song\" status=\"Happened\" airDate=\"2026-12-06\" airTime=\"15:00:01\" "
                         "duration=\"180\" editCode=\"0\" failureCode=\"0\">\r\n"
                         "<ProgramElement><gs_s:Song><gs_pe:Media ID=\"abc09XYZ\" /></gs_s:Song></ProgramElement>\r\n"
                         "</Event>\r\n" +
                         Koniec);
}

TEST_F(XmlScheduleTest, AReopenedFileGoesOnFromItsLastHour) {
    folder.write(u"HST/26_12_06.XML"_s, Naglowek + "<Hour scheduledTime=\"9:00:00\" />\r\n" + Koniec);
    PlikiHistorii pliki;
    pliki.OtworzPlikiHistorii(QDate(2026, 12, 6));
    EXPECT_EQ(pliki.OstatniaGodzina, u"9"_s);
    EXPECT_TRUE(pliki.DopiszZdarzenie(QDate(2026, 12, 6), zdarzenie(true, u"09:59:59"_s, 1, u"A1"_s)));
    EXPECT_FALSE(xml().contains("<Hour scheduledTime=\"9:00:00\" />\r\n<Hour"));
    EXPECT_EQ(xml().count("scheduledTime=\"9:00:00\""), 1);
}

TEST_F(XmlScheduleTest, AFileThatIsNotOursIsNeverCut) {
    PlikiHistorii pliki;
    pliki.OtworzPlikiHistorii(QDate(2026, 12, 6));

    // Hand-edited: the closing line without CR LF, then a file shorter than it.
    for (const QByteArray& obcy : {Naglowek + "</Day></GSSchedule>", QByteArray("</Day>\r\n"),
                                   Naglowek + Koniec + "<!-- note -->\r\n"}) {
        folder.write(u"HST/26_12_06.XML"_s, obcy);
        EXPECT_FALSE(pliki.DopiszZdarzenie(QDate(2026, 12, 6), zdarzenie(true, u"14:03:27"_s, 225, u"T1"_s)));
        EXPECT_EQ(xml(), obcy);
    }
    EXPECT_EQ(log().count(u"nie kończy się zamknięciem dnia"_s), 3);

    QFile::remove(folder.path() + u"/HST/26_12_06.XML"_s);
    EXPECT_FALSE(pliki.DopiszZdarzenie(QDate(2026, 12, 6), zdarzenie(true, u"14:03:27"_s, 225, u"T1"_s)));
    EXPECT_FALSE(QFile::exists(folder.path() + u"/HST/26_12_06.XML"_s));
    EXPECT_TRUE(log().contains(u"XML: brak zbioru"_s));

    // A FIFO or a device in its place: refused unread, nothing waits.
    FifoFeeder fifo(folder.path() + u"/HST/26_12_06.XML"_s);
    pliki.OtworzPlikiHistorii(QDate(2026, 12, 6));
    EXPECT_FALSE(pliki.DopiszZdarzenie(QDate(2026, 12, 6), zdarzenie(true, u"14:03:27"_s, 225, u"T1"_s)));
    EXPECT_FALSE(fifo.wasRead());
    EXPECT_EQ(log().count(u"nie kończy się zamknięciem dnia"_s), 4);
}

TEST_F(XmlScheduleTest, WhereNoFileCanBeCreatedTheEventIsWrittenInPlaceAndThatIsSaid) {
    // The same events into a day file in a free folder and into one in a
    // folder where its temporary file cannot be made: the same bytes.
    folder.write(u"WOLNY/26_12_06.XML"_s, Naglowek + Koniec);
    PlikiHistorii pliki;
    pliki.OtworzPlikiHistorii(QDate(2026, 12, 6));
    FolderBezTworzenia zamkniety(folder.path() + u"/HST"_s);
    if (!zamkniety.Dziala()) GTEST_SKIP() << "no way to forbid creating files here";

    const QDate dzien(2026, 12, 6);
    QString godzina = u"0"_s;
    for (const auto& z : {zdarzenie(true, u"14:03:27"_s, 225, u"T1"_s), zdarzenie(false, u"14:07:12"_s, 8, u"J1"_s),
                          zdarzenie(true, u"15:00:01"_s, 180, u"T2"_s)}) {
        EXPECT_EQ(DopiszZdarzenieXML(folder.path() + u"/WOLNY/26_12_06.XML"_s, z, godzina),
                  WynikZdarzeniaXML::Zapisano);
        EXPECT_TRUE(pliki.DopiszZdarzenie(dzien, z));
    }
    EXPECT_EQ(xml(), folder.read(u"WOLNY/26_12_06.XML"_s));
    EXPECT_EQ(pliki.OstatniaGodzina, u"15"_s);
    EXPECT_EQ(log().count(u"XML: bezpieczny zapis zbioru "_s + Emisja.KatHST + u"/26_12_06.XML niemożliwy"_s), 1);

    // The history file is appended to as ever.
    EXPECT_TRUE(pliki.DopiszLinie(dzien, u"15:00:01"_s, u"T2.WAV"_s, u"100%"_s));
    EXPECT_EQ(folder.read(u"HST/26_12_06.HST"_s), QByteArray("15:00:01; T2.WAV; 100%\r\n"));
}

// A folder full for a while: the events that aired meanwhile are kept, and
// once writing works again (tried every few seconds) they are written in
// the order they aired, to the bytes of a file that never failed.
TEST_F(XmlScheduleTest, EventsThatCouldNotBeWrittenAreKeptAndWrittenInOrderLater) {
    QByteArray dzien = Naglowek;
    for (int i = 0; i < 600; ++i) dzien += "<Hour scheduledTime=\"9:00:00\" />\r\n";
    folder.write(u"HST/26_12_06.XML"_s, dzien + Koniec);
    folder.write(u"WOLNY/26_12_06.XML"_s, dzien + Koniec);
    HistoriaWTle historia;
    historia.OtworzPlikiHistorii(QDate(2026, 12, 6));
    rlimit stary{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &stary), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit maly = stary;
    maly.rlim_cur = 16 * 1024;  // less than the day file
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &maly), 0);
    const QList<ZdarzenieXML> zdarzenia = {zdarzenie(true, u"14:03:27"_s, 225, u"T1"_s),
                                           zdarzenie(false, u"14:07:12"_s, 8, u"J1"_s),
                                           zdarzenie(true, u"15:00:01"_s, 180, u"T2"_s)};
    for (const auto& z : zdarzenia) historia.DopiszZdarzenie(QDate(2026, 12, 6), z);
    historia.Oproznij();
    setrlimit(RLIMIT_FSIZE, &stary);
    std::signal(SIGXFSZ, handler);
    QString godzina = u"9"_s;
    for (const auto& z : zdarzenia) DopiszZdarzenieXML(folder.path() + u"/WOLNY/26_12_06.XML"_s, z, godzina);
    EXPECT_EQ(xml(), dzien + Koniec);
    EXPECT_EQ(log().count(u"zachowane do ponownego zapisu"_s), 3);

    historia.PonowZalegle();  // too soon after the last try
    historia.Oproznij();
    EXPECT_EQ(xml(), dzien + Koniec);
    zegar.advance(HistoriaWTle::PonowienieMs);
    historia.PonowZalegle();
    historia.Oproznij();
    EXPECT_EQ(xml(), folder.read(u"WOLNY/26_12_06.XML"_s));
    EXPECT_TRUE(log().contains(u"XML: zachowane zdarzenia zapisane (3)"_s));
}

TEST_F(XmlScheduleTest, MediaIdHourAndDuration) {
    EXPECT_EQ(IdentyfikatorMediow(u"AB"_s, u"D:\\M\\x1.wav"_s), u"AB"_s);
    EXPECT_EQ(IdentyfikatorMediow(u"A"_s, u"D:\\M\\x1.wav"_s), u"X1"_s);
    EXPECT_EQ(IdentyfikatorMediow(QString(), u"/mnt/m/Ab_c.mp3"_s), u"AB_C"_s);

    EXPECT_TRUE(PoprawnyIdentyfikatorMediow(u"Az09AZ09"_s));
    EXPECT_TRUE(PoprawnyIdentyfikatorMediow(u"7"_s));
    EXPECT_FALSE(PoprawnyIdentyfikatorMediow(u"Az09AZ09x"_s));  // 9 characters
    EXPECT_FALSE(PoprawnyIdentyfikatorMediow(u"AB_C"_s));
    EXPECT_FALSE(PoprawnyIdentyfikatorMediow(u"ŁÓDŹ"_s));
    EXPECT_FALSE(PoprawnyIdentyfikatorMediow(u"A B"_s));
    EXPECT_FALSE(PoprawnyIdentyfikatorMediow(QString()));

    EXPECT_EQ(GodzinaZdarzenia(u"09:15:00"_s), u"9"_s);
    EXPECT_EQ(GodzinaZdarzenia(u"00:00:04"_s), u"0"_s);
    EXPECT_EQ(GodzinaZdarzenia(u"10:00:00"_s), u"10"_s);

    EXPECT_EQ(CzasTrwaniaZdarzenia(225'400, 1000), 225);
    EXPECT_EQ(CzasTrwaniaZdarzenia(225'999, 501), 113);  // 225 s x 0.501 = 112.7
    EXPECT_EQ(CzasTrwaniaZdarzenia(5'000, 500), 2);      // 2.5: halves to even
    EXPECT_EQ(CzasTrwaniaZdarzenia(7'000, 500), 4);      // 3.5
}

}  // namespace
