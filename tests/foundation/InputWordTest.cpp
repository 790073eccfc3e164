#include <gtest/gtest.h>

#include <QFileInfo>

#include <deque>

#include "common/TempFolder.h"
#include "foundation/A1761DRIVER.h"
#include "foundation/KestSter2.h"
#include "foundation/KestWej.h"
#include "platform/Paths.h"
#include "platform/RelayCard.h"
#include "platform/TextFile.h"

namespace {

// A card whose inputs follow a script, one byte per read (the last repeats).
class KartaSkrypt final : public platform::RelayCard {
public:
    explicit KartaSkrypt(std::deque<quint8>* skrypt) : skrypt_(skrypt) {}
    bool open() override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    bool writeOutputs(quint8) override { return true; }
    quint8 readOutputs() override { return 0; }
    quint8 readInputs() override {
        const quint8 b = skrypt_->front();
        if (skrypt_->size() > 1) skrypt_->pop_front();
        return b;
    }
    QString description() const override { return QStringLiteral("skrypt"); }

private:
    std::deque<quint8>* skrypt_;
};

struct InputWordTest : ::testing::Test {
    void SetUp() override {
        OpcjeGPI = {};
        GPIWlaczone = 1;
        TekstGPI.clear();
        SlowoGPIZapisane = SlowoGPI = SlowoGPIPoprzednie = SlowoGPISpoczynek;
    }
    void TearDown() override {
        ZamknijKarte();
        UstawKartePrzekaznikow(std::make_unique<platform::NullRelayCard>());
        OpcjeGPI = {};
        GPIWlaczone = 0;
    }
    void kartaSkrypt(std::deque<quint8> s) {
        skrypt = std::move(s);
        OpcjeGPI.Advantech1761Jest = true;
        UstawKartePrzekaznikow(std::make_unique<KartaSkrypt>(&skrypt));
        OtworzKarte();
    }
    void wezel() {
        OpcjeGPI.GPI1Jest = true;
        OpcjeGPI.GPIPlayer1 = QStringLiteral("GPI1,1,0");
        OpcjeGPI.GPIPlayer2 = QStringLiteral("GPI1,2,0");
    }
    std::deque<quint8> skrypt;
};

}  // namespace

TEST_F(InputWordTest, SimulatedCardInputsMakeTheWordAndOutputsReadBack) {
    TempProgramFolder folder;
    OpcjeGPI.Advantech1761Jest = true;
    UstawKartePrzekaznikow(std::make_unique<platform::SimulatedRelayCard>());
    OtworzKarte();
    ASSERT_TRUE(KartaOtwarta());
    EXPECT_EQ(KartaWyjsciaTekst, QStringLiteral("00000000"));
    quint8 b = 0xAA;
    CzytajPrzekazniki(b);
    EXPECT_EQ(b, 0);
    ZapiszPrzekazniki(0x06);
    CzytajPrzekazniki(b);
    EXPECT_EQ(b, 0x06);
    EXPECT_EQ(KartaWyjsciaTekst, QStringLiteral("01100000"));

    const struct {
        const char* plik;
        quint16 slowo;
    } przypadki[] = {{"11000000", 0x30}, {"10000000", 0x38}, {"01000000", 0x70}, {"00000001", 0x1078},
                     {"00000000", 0x78}, {"11111111", 0x1FB0}};
    for (const auto& p : przypadki) {
        folder.write(QStringLiteral("relay-inputs.txt"), p.plik);
        EXPECT_EQ(CzytajGPI(), p.slowo) << p.plik;
        EXPECT_EQ(KartaWejsciaTekst, QString::fromLatin1(p.plik));
    }

    // With the card off in the settings nothing is written or read.
    ZamknijKarte();
    OpcjeGPI.Advantech1761Jest = false;
    ZapiszPrzekazniki(0xFF);
    EXPECT_EQ(folder.read(QStringLiteral("relay-outputs.txt")), QByteArray("01100000\r\n"));
    EXPECT_EQ(CzytajGPI(), SlowoGPISpoczynek);
}

// The simulated card stands in only when the environment asks for it;
// otherwise the card does not open, and the log says which one did.
TEST_F(InputWordTest, SimulatedCardOnlyWhenAskedOtherwiseNoneOpensAndTheLogSays) {
    TempProgramFolder folder;
    NastawyDomyslne();
    Nastawy.LOGZbiorJest = true;
    Nastawy.LOGKatalog = folder.path();
    const QByteArray poprzednia = qgetenv("TOLVANE_RELAY");
    qunsetenv("TOLVANE_RELAY");
    OpcjeGPI.Advantech1761Jest = true;
    UstawKartePrzekaznikow(nullptr);
    OtworzKarte();
    EXPECT_FALSE(KartaOtwarta());
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("relay-outputs.txt"))));
    quint8 b = 0x55;
    CzytajWejscia(b);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(CzytajGPI(), 0x78);
    EXPECT_FALSE(SprawdzGPI());

    qputenv("TOLVANE_RELAY", "simulated");
    UstawKartePrzekaznikow(nullptr);
    OtworzKarte();
    EXPECT_TRUE(KartaOtwarta());
    EXPECT_EQ(folder.read(QStringLiteral("relay-outputs.txt")), QByteArray("00000000\r\n"));

    QStringList log;
    ASSERT_TRUE(platform::readTextLines(platform::resolvePath(LogZbior()), log));
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].endsWith(QStringLiteral("->  Karta I/O nie otwarta: brak sterownika karty w tym systemie")))
        << log[0].toStdString();
    EXPECT_TRUE(log[1].endsWith(QStringLiteral("->  Karta I/O otwarta: symulowana, wyjścia ") +
                                folder.file(QStringLiteral("relay-outputs.txt")) + QStringLiteral(", wejścia ") +
                                folder.file(QStringLiteral("relay-inputs.txt"))))
        << log[1].toStdString();
    ZamknijKarte();
    UstawKartePrzekaznikow(nullptr);
    if (poprzednia.isNull()) qunsetenv("TOLVANE_RELAY");
    else qputenv("TOLVANE_RELAY", poprzednia);
    Nastawy.LOGZbiorJest = false;
}

TEST_F(InputWordTest, WordTakenOnlyAfterNineEqualReadsAndEdgesSeenOnce) {
    // Input 0 bounces: eight equal reads after a different first one are not enough.
    kartaSkrypt({0x00, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01});
    EXPECT_FALSE(SprawdzGPI());
    EXPECT_EQ(SlowoGPI, 0x78);

    // One odd read among nine: still no change.
    kartaSkrypt({0x01, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01});
    EXPECT_FALSE(SprawdzGPI());
    EXPECT_EQ(SlowoGPI, 0x78);

    // Nine equal reads: the new word is taken, the old one kept for the edge.
    kartaSkrypt({0x01});
    EXPECT_TRUE(SprawdzGPI());
    EXPECT_EQ(SlowoGPI, 0x38);
    EXPECT_EQ(SlowoGPIPoprzednie, 0x78);
    EXPECT_TRUE((SlowoGPIPoprzednie & BitGPIPlayer1) && !(SlowoGPI & BitGPIPlayer1));  // player 1's falling edge

    // The next poll without a change shows no edge any more.
    EXPECT_FALSE(SprawdzGPI());
    EXPECT_EQ(SlowoGPI, 0x38);
    EXPECT_EQ(SlowoGPIPoprzednie, 0x38);

    // Polling off: nothing read, nothing changes.
    GPIWlaczone = 0;
    kartaSkrypt({0x80});
    EXPECT_FALSE(SprawdzGPI());
    EXPECT_EQ(SlowoGPI, 0x38);
    EXPECT_EQ(SlowoGPIPoprzednie, 0x38);
    EXPECT_EQ(skrypt.front(), 0x80);
}

TEST_F(InputWordTest, NodeRepliesSetAndClearThePlayerBits) {
    wezel();
    TekstGPI = QStringLiteral("GPO 1 L");
    EXPECT_EQ(CzytajGPI(), 0x38);  // player 1 active
    EXPECT_EQ(SlowoGPIZapisane, 0x38);
    TekstGPI = QStringLiteral("GPO 1 H");
    EXPECT_EQ(CzytajGPI(), 0x78);
    TekstGPI = QStringLiteral("gpo 1 hl");  // upper-cased; pin 2 low: player 2 active
    EXPECT_EQ(CzytajGPI(), 0x70);
    EXPECT_EQ(TekstGPI, QStringLiteral("GPO 1 HL"));

    // Malformed and short replies leave the word as it was.
    for (const char* zly : {"GPO 1 X", "GPO 2 L", "GPO 1", "GPO", "", "GPO 1 ?L", "x"}) {
        TekstGPI = QString::fromLatin1(zly);
        EXPECT_EQ(CzytajGPI(), 0x70) << zly;
    }

    // A pattern triggered by the high state works the other way round.
    OpcjeGPI.GPIPlayer1 = QStringLiteral("GPI1,1,1");
    TekstGPI = QStringLiteral("GPO 1 H");
    EXPECT_EQ(CzytajGPI() & BitGPIPlayer1, 0);
    TekstGPI = QStringLiteral("GPO 1 L");
    EXPECT_EQ(CzytajGPI() & BitGPIPlayer1, BitGPIPlayer1);

    // Patterns too short or without digits at their places never match.
    for (const char* wzorzec : {"GPI1,1", "GPI1,1,", "GPIx,1,0", "GPI1,y,0", ""}) {
        OpcjeGPI.GPIPlayer1 = QString::fromLatin1(wzorzec);
        const quint16 przed = SlowoGPIZapisane;
        TekstGPI = QStringLiteral("GPO 1 L");
        EXPECT_EQ(CzytajGPI(), przed) << wzorzec;
    }
}

TEST_F(InputWordTest, NodeWordDebouncedAndCardWinsOverNode) {
    wezel();
    TekstGPI = QStringLiteral("GPO 1 L");
    EXPECT_TRUE(SprawdzGPI());
    EXPECT_EQ(SlowoGPI, 0x38);
    EXPECT_FALSE(SprawdzGPI());

    // With the card on, the node's text is not read.
    kartaSkrypt({0x00});
    EXPECT_EQ(CzytajGPI(), 0x78);
    // With neither source: idle.
    ZamknijKarte();
    OpcjeGPI = {};
    EXPECT_EQ(CzytajGPI(), 0x78);
}
