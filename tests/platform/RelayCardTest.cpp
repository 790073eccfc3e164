#include <gtest/gtest.h>

#include <QFileInfo>

#include "common/TempFolder.h"
#include "platform/RelayCard.h"

using namespace platform;

TEST(SimulatedRelayCard, OpensWithOutputsOffAndReadsBackWhatWasWritten) {
    TempProgramFolder folder;
    folder.write(QStringLiteral("relay-outputs.txt"), "11111111\r\n");  // left over from an earlier run
    SimulatedRelayCard card;
    EXPECT_FALSE(card.writeOutputs(0xFF));  // not open yet
    ASSERT_TRUE(card.open());
    EXPECT_EQ(folder.read(QStringLiteral("relay-outputs.txt")), QByteArray("00000000\r\n"));
    EXPECT_EQ(card.readOutputs(), 0);
    EXPECT_EQ(folder.read(QStringLiteral("relay-inputs.txt")), QByteArray("00000000\r\n"));  // created

    ASSERT_TRUE(card.writeOutputs(0x05));
    EXPECT_EQ(folder.read(QStringLiteral("relay-outputs.txt")), QByteArray("10100000\r\n"));  // bit 0 first
    EXPECT_EQ(card.readOutputs(), 0x05);
    ASSERT_TRUE(card.writeOutputs(0x80));
    EXPECT_EQ(card.readOutputs(), 0x80);

    card.close();
    EXPECT_FALSE(card.writeOutputs(0x01));
    EXPECT_EQ(folder.read(QStringLiteral("relay-outputs.txt")), QByteArray("00000001\r\n"));
}

TEST(SimulatedRelayCard, InputsFromTheTechniciansFileEvenWhenMalformed) {
    TempProgramFolder folder;
    folder.write(QStringLiteral("relay-inputs.txt"), "11000001\n");
    SimulatedRelayCard card(folder.path());
    ASSERT_TRUE(card.open());
    EXPECT_EQ(folder.read(QStringLiteral("relay-inputs.txt")), QByteArray("11000001\n"));  // kept
    EXPECT_EQ(card.readInputs(), 0x83);

    folder.write(QStringLiteral("relay-inputs.txt"), "1x1");  // short and junk: only the "1"s count
    EXPECT_EQ(card.readInputs(), 0x05);
    folder.write(QStringLiteral("relay-inputs.txt"), "");
    EXPECT_EQ(card.readInputs(), 0);
    QFile::remove(folder.file(QStringLiteral("relay-inputs.txt")));
    EXPECT_EQ(card.readInputs(), 0);
}

TEST(SimulatedRelayCard, FolderThatCannotBeWrittenLeavesTheCardClosed) {
    TempProgramFolder folder;
    SimulatedRelayCard card(folder.path() + QStringLiteral("/missing/deeper"));
    EXPECT_FALSE(card.open());
    EXPECT_FALSE(card.isOpen());
    EXPECT_EQ(card.readInputs(), 0);

    NullRelayCard none;
    EXPECT_FALSE(none.open());
    EXPECT_FALSE(none.writeOutputs(1));
    EXPECT_EQ(none.readInputs(), 0);
}

TEST(RelayCardFromEnvironment, SimulatedOnlyWhenAsked) {
    TempProgramFolder folder;
    const QByteArray poprzednia = qgetenv("TOLVANE_RELAY");
    for (const char* wartosc : {"", "sim", "SIMULATED"}) {
        qputenv("TOLVANE_RELAY", wartosc);
        auto card = relayCardFromEnvironment();
        EXPECT_FALSE(card->open()) << wartosc;
    }
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("relay-outputs.txt"))));
    qputenv("TOLVANE_RELAY", "simulated");
    auto card = relayCardFromEnvironment();
    EXPECT_TRUE(card->open());
    EXPECT_EQ(folder.read(QStringLiteral("relay-outputs.txt")), QByteArray("00000000\r\n"));
    if (poprzednia.isNull()) qunsetenv("TOLVANE_RELAY");
    else qputenv("TOLVANE_RELAY", poprzednia);
}

TEST(RelayCardText, BitsAndTextBothWays) {
    EXPECT_EQ(bitsToText(0x01), QStringLiteral("10000000"));
    EXPECT_EQ(bitsToText(0xFE), QStringLiteral("01111111"));
    for (int b = 0; b < 256; ++b) EXPECT_EQ(textToBits(bitsToText(quint8(b))), b);
    EXPECT_EQ(textToBits(QStringLiteral("000000001")), 0);  // a ninth place is no bit
}
