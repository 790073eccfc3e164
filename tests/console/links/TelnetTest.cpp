#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

#include "console/support/KonsolaTestPomoc.h"
#include "console/links/TelnetGPI.h"
#include "foundation/A1761DRIVER.h"
#include "foundation/KestWej.h"
#include "platform/Clock.h"
#include "playlists/NastawyEmisji.h"

namespace {

// The I/O node: a server on 127.0.0.1 with the console's one connection.
struct TelnetTest : ::testing::Test {
    TempProgramFolder folder;
    platform::ManualClock zegar;
    platform::ScopedClock zakres{&zegar};
    QTcpServer wezel;
    QTcpSocket* konsola = nullptr;  // the node's end of the link
    QByteArray odebrane;

    void SetUp() override {
        LogDoFolderu(folder);
        DomyslneNastawySatelity();
        OpcjeGPI = {};
        OpcjeGPI.GPI1Jest = true;
        OpcjeGPI.GPIPlayer1 = Satelita.GPIPlayer1;
        OpcjeGPI.GPIPlayer2 = Satelita.GPIPlayer2;
        GPIWlaczone = 1;
        TekstGPI.clear();
        SlowoGPIZapisane = SlowoGPI = SlowoGPIPoprzednie = SlowoGPISpoczynek;
        ASSERT_TRUE(wezel.listen(QHostAddress::LocalHost, 0));
        Satelita.GPI1Jest = true;
        Satelita.GPI1Adres = QStringLiteral("127.0.0.1");
        Satelita.GPI1Port = wezel.serverPort();
    }
    void TearDown() override {
        OpcjeGPI = {};
        GPIWlaczone = 0;
        TekstGPI.clear();
        Nastawy.LOGZbiorJest = false;
    }

    // Starts the link and waits for the subscription.
    void Polacz(TelnetGPI& t) {
        t.Start();
        ASSERT_TRUE(CzekajNa([&] { return wezel.hasPendingConnections(); }));
        konsola = wezel.nextPendingConnection();
        ASSERT_TRUE(CzekajNa([&] {
            odebrane += konsola->readAll();
            return odebrane.size() >= 16;
        }));
    }
    void Wyslij(const QByteArray& b) {
        konsola->write(b);
        konsola->flush();
    }
    // The debounced word after the node's last report.
    quint16 Slowo() {
        SprawdzGPI();
        return SlowoGPI;
    }
};

TEST_F(TelnetTest, SubscribesAndTheNodesReportsDriveTheInputWord) {
    TelnetGPI t;
    Polacz(t);
    EXPECT_EQ(odebrane, QByteArray("LOGIN\r\nADD GPO\r\n"));

    Wyslij("GPO 1 L\r\n");
    ASSERT_TRUE(CzekajNa([] { return TekstGPI == QLatin1String("GPO 1 L"); }));
    EXPECT_EQ(Slowo(), 0x38);  // player 1's signal active
    Wyslij("GPO 1 H\r\n");
    ASSERT_TRUE(CzekajNa([] { return TekstGPI == QLatin1String("GPO 1 H"); }));
    EXPECT_EQ(Slowo(), 0x78);
}

TEST_F(TelnetTest, NegotiationIsRefusedAndStrippedFromTheReport) {
    TelnetGPI t;
    Polacz(t);
    // DO echo, WILL suppress-go-ahead, a subnegotiation, then the report.
    Wyslij(QByteArray("\xFF\xFD\x01\xFF\xFB\x03\xFF\xFA\x18\x01\xFF\xF0GPO 1 L\r\n", 20));
    QByteArray odmowa;
    ASSERT_TRUE(CzekajNa([&] {
        odmowa += konsola->readAll();
        return odmowa.size() >= 6;
    }));
    EXPECT_EQ(odmowa, QByteArray("\xFF\xFC\x01\xFF\xFE\x03", 6));
    ASSERT_TRUE(CzekajNa([] { return TekstGPI == QLatin1String("GPO 1 L"); }));
}

// Framing is fed straight to the handler, so that each case is one read.
TEST_F(TelnetTest, OnlyTheLastWholeGpoLineOfAReadCounts) {
    TelnetGPI t;
    t.IdTelnetDataAvailable("GPO 1 ");
    EXPECT_EQ(TekstGPI, QString());  // half a report changes nothing
    t.IdTelnetDataAvailable("L\r\n");
    EXPECT_EQ(TekstGPI, QStringLiteral("GPO 1 L"));
    EXPECT_EQ(Slowo(), 0x38);

    t.IdTelnetDataAvailable("GPO 1 H\r\nGPO 1 L\r\nGPO 2 ");
    EXPECT_EQ(TekstGPI, QStringLiteral("GPO 1 L"));
    t.IdTelnetDataAvailable("L\nGPI 1 H\r\n");  // LF alone ends a line too; a GPI line is ignored
    EXPECT_EQ(TekstGPI, QStringLiteral("GPO 2 L"));

    // Telnet commands split across reads are still taken out.
    t.IdTelnetDataAvailable(QByteArray("GPO 1 H\xFF", 8));
    t.IdTelnetDataAvailable(QByteArray("\xF1\r\n", 3));
    EXPECT_EQ(TekstGPI, QStringLiteral("GPO 1 H"));
}

TEST_F(TelnetTest, GarbageAndOverlongLinesLeaveTheReport) {
    TelnetGPI t;
    t.IdTelnetDataAvailable("GPO 1 L\r\n");
    ASSERT_EQ(Slowo(), 0x38);
    t.IdTelnetDataAvailable(QByteArray("\x01\x02\x7F\xFE junk\r\n\r\n\r\n", 13));
    t.IdTelnetDataAvailable("GPO" + QByteArray(1000, 'H') + "\r\n");
    EXPECT_EQ(TekstGPI, QStringLiteral("GPO 1 L"));
    EXPECT_EQ(Slowo(), 0x38);
    EXPECT_TRUE(TekstLogu().contains(QStringLiteral("pominięte za długie linie: 1")));
    // The line after an overlong one is read normally.
    t.IdTelnetDataAvailable("GPO 1 X\r\n");
    EXPECT_EQ(TekstGPI, QStringLiteral("GPO 1 X"));
    EXPECT_EQ(Slowo(), 0x38);  // a state that is neither L nor H keeps the bit
}

TEST_F(TelnetTest, DroppedLinesAreLoggedAtMostOnceAMinuteWithTheirCount) {
    TelnetGPI t;
    const QByteArray dluga = "GPO" + QByteArray(300, 'x') + "\r\n";
    t.IdTelnetDataAvailable(dluga);  // the first is said at once
    for (int i = 0; i < 1000; ++i) t.IdTelnetDataAvailable(dluga.left(150));  // one line over many reads...
    t.IdTelnetDataAvailable(dluga.mid(150) + dluga.repeated(998));
    zegar.advance(59'000);
    t.IdTelnetDataAvailable(dluga);
    EXPECT_EQ(TekstLogu().count(QStringLiteral("pominięte za długie linie")), 1);
    zegar.advance(1'000);
    t.IdTelnetDataAvailable(dluga);
    const QString log = TekstLogu();
    EXPECT_EQ(log.count(QStringLiteral("pominięte za długie linie")), 2);
    EXPECT_TRUE(log.contains(QStringLiteral("pominięte za długie linie: 1\r\n")));
    EXPECT_TRUE(log.contains(QStringLiteral("pominięte za długie linie: 1001\r\n")));
    t.IdTelnetDataAvailable("GPO 1 L\r\n");
    EXPECT_EQ(TekstGPI, QStringLiteral("GPO 1 L"));
}

TEST_F(TelnetTest, AFloodingNodeIsReadABoundedAmountAtATime) {
    TelnetGPI t;
    Polacz(t);
    // 8 MB of garbage: lines far too long, some without any end, then a report.
    QByteArray smieci;
    for (int i = 0; i < 64; ++i) smieci += QByteArray(128 * 1024, char('A' + i % 26)) + (i % 4 ? "\r\n" : "");
    Wyslij(smieci + "\r\nGPO 1 L\r\n");
    ASSERT_TRUE(CzekajNa([] { return TekstGPI == QLatin1String("GPO 1 L"); }, 30'000));
    EXPECT_GT(t.NajwiekszaPorcja(), 0);
    EXPECT_LE(t.NajwiekszaPorcja(), TelnetGPI::PorcjaOdczytu);
    EXPECT_EQ(TekstLogu().count(QStringLiteral("pominięte za długie linie")), 1);
}

// A node that repeats its option requests gets each one answered once; a
// node that stops reading is dropped (logged once) and the link is opened
// again as at start-up.
TEST_F(TelnetTest, RepeatedOptionsAreAnsweredOnceAndADeafNodeIsDroppedAndRejoined) {
    TelnetGPI t;
    Polacz(t);
    odebrane.clear();
    QByteArray opcje;
    for (int i = 0; i < 50'000; ++i) opcje += QByteArray("\xff\xfd\x18\xff\xfb\x01", 6);
    Wyslij(opcje + "GPO 1 L\r\n");
    ASSERT_TRUE(CzekajNa([] { return TekstGPI == QLatin1String("GPO 1 L"); }, 30'000));
    Wyslij("GPO 2 L\r\n");
    ASSERT_TRUE(CzekajNa([] { return TekstGPI == QLatin1String("GPO 2 L"); }));
    ASSERT_TRUE(CzekajNa([&] {
        odebrane += konsola->readAll();
        return odebrane.size() >= 6;
    }));
    EXPECT_EQ(odebrane, QByteArray("\xff\xfc\x18\xff\xfe\x01", 6));

    // From now on the node takes nothing off the wire.
    konsola->setReadBufferSize(1);
    const QString linia(4000, u'x');
    for (int i = 0; i < 2000 && t.Polaczony(); ++i) {
        t.TelnetWyslij(linia);
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(t.Polaczony()) << "the link to a node that does not read is dropped";
    ASSERT_TRUE(CzekajNa([&] { return wezel.hasPendingConnections(); }));
    QTcpSocket* ponownie = wezel.nextPendingConnection();
    QByteArray b;
    ASSERT_TRUE(CzekajNa([&] {
        b += ponownie->readAll();
        return b.size() >= 16;
    }));
    EXPECT_EQ(b, QByteArray("LOGIN\r\nADD GPO\r\n"));
    EXPECT_EQ(TekstLogu().count(QStringLiteral("nie odbiera danych")), 1);
    EXPECT_EQ(TekstLogu().count(QStringLiteral("węzłem GPI")), 0) << "the drop is not a lost link";
}

TEST_F(TelnetTest, TheNodeGoingAwayIsLoggedAndCommandsAreThenSkipped) {
    auto t = std::make_unique<TelnetGPI>();
    Polacz(*t);
    Wyslij("GPO 1 L\r\n");
    ASSERT_TRUE(CzekajNa([] { return TekstGPI == QLatin1String("GPO 1 L"); }));
    konsola->close();
    ASSERT_TRUE(CzekajNa([] { return TekstLogu().contains(QStringLiteral("Utracono połączenie z węzłem GPI")); }));
    EXPECT_FALSE(t->Polaczony());
    t->TelnetWyslij(QStringLiteral("ADD GPO"));
    EXPECT_EQ(TekstGPI, QStringLiteral("GPO 1 L"));
    t.reset();  // closing at the end is not reported again
    EXPECT_EQ(TekstLogu().count(QStringLiteral("węzłem GPI")), 1);
}

TEST_F(TelnetTest, NoLinkWhenSwitchedOffAndARefusedLinkIsLogged) {
    Satelita.GPI1Jest = false;
    TelnetGPI wylaczony;
    wylaczony.Start();
    EXPECT_FALSE(wylaczony.Polaczony());

    Satelita.GPI1Jest = true;
    wezel.close();  // nobody listens on the port now
    TelnetGPI t;
    t.Start();
    ASSERT_TRUE(CzekajNa([] { return TekstLogu().contains(QStringLiteral("Brak połączenia z węzłem GPI")); }));
    EXPECT_FALSE(t.Polaczony());
    t.TelnetWyslij(QStringLiteral("LOGIN"));  // skipped, nothing breaks
}

}  // namespace
