#pragma once
// A digital-I/O card with 8 relay outputs and 8 inputs. Linux has no driver
// for the studio's card, so the program talks to this interface: a null card
// (no card fitted) or a simulated one that a test or a technician drives
// through two small text files. No kernel driver is installed or opened.
#include <QString>
#include <QtGlobal>

#include <memory>

namespace platform {

class RelayCard {
public:
    virtual ~RelayCard() = default;
    // True when the card can be used; the outputs are then all off.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Bit n is output n; false when the card did not take the byte.
    virtual bool writeOutputs(quint8 bits) = 0;
    // The output byte as the card holds it.
    virtual quint8 readOutputs() = 0;
    // Bit n is input n, 1 = active.
    virtual quint8 readInputs() = 0;
    // What stands behind it, for the event log.
    virtual QString description() const = 0;
    // Where the outputs go, and why the last write of them failed.
    virtual QString outputsTarget() const { return description(); }
    virtual QString lastError() const { return QString(); }
};

// No card: never opens, writes nothing, reads 0.
class NullRelayCard final : public RelayCard {
public:
    bool open() override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    bool writeOutputs(quint8) override { return false; }
    quint8 readOutputs() override { return 0; }
    quint8 readInputs() override { return 0; }
    QString description() const override { return QStringLiteral("brak sterownika karty w tym systemie"); }
};

// Outputs and inputs as 8-character texts of "0" and "1", bit 0 first, in
// the files relay-outputs.txt and relay-inputs.txt of a folder (the program
// folder by default). Opening writes "00000000" to the outputs and creates
// the inputs file when it is missing.
class SimulatedRelayCard final : public RelayCard {
public:
    explicit SimulatedRelayCard(const QString& folder = QString());
    bool open() override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool writeOutputs(quint8 bits) override;
    quint8 readOutputs() override;
    quint8 readInputs() override;
    QString description() const override;
    QString outputsTarget() const override { return outputsFile(); }
    QString lastError() const override { return error_; }

    QString outputsFile() const;
    QString inputsFile() const;

private:
    QString folder_;
    QString error_;
    bool open_ = false;
};

// The card the program uses: the simulated card in the program folder only
// when the environment asks for it (TOLVANE_RELAY=simulated), else the null
// card, so that relays that switch nothing never stand in unnoticed.
std::unique_ptr<RelayCard> relayCardFromEnvironment();

// "10000000" for 0x01; and back, a "1" at place n setting bit n. Places past
// the text's end, and characters other than "1", read as 0.
QString bitsToText(quint8 bits);
quint8 textToBits(const QString& text);

}  // namespace platform
