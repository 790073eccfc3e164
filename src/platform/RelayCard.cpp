#include "platform/RelayCard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace platform {

QString bitsToText(quint8 bits) {
    QString t;
    for (int i = 0; i < 8; ++i) t += (bits & (1u << i)) ? QLatin1Char('1') : QLatin1Char('0');
    return t;
}

quint8 textToBits(const QString& text) {
    quint8 bits = 0;
    for (int i = 0; i < 8 && i < text.size(); ++i)
        if (text.at(i) == QLatin1Char('1')) bits |= quint8(1u << i);
    return bits;
}

namespace {
// The first line of a small file; "" when it cannot be read.
QString firstLine(const QString& path) {
    QStringList lines;
    if (!readTextLines(path, lines, 4096) || lines.isEmpty()) return QString();
    return lines.first().trimmed();
}
}  // namespace

SimulatedRelayCard::SimulatedRelayCard(const QString& folder) : folder_(folder) {}

QString SimulatedRelayCard::outputsFile() const {
    return QDir(folder_.isEmpty() ? programFolder() : folder_).filePath(QStringLiteral("relay-outputs.txt"));
}

QString SimulatedRelayCard::inputsFile() const {
    return QDir(folder_.isEmpty() ? programFolder() : folder_).filePath(QStringLiteral("relay-inputs.txt"));
}

bool SimulatedRelayCard::open() {
    open_ = false;
    if (!writeTextFileAtomic(outputsFile(), {bitsToText(0)})) return false;
    if (!QFileInfo::exists(inputsFile()) && !writeTextFileAtomic(inputsFile(), {bitsToText(0)})) return false;
    open_ = true;
    return true;
}

bool SimulatedRelayCard::writeOutputs(quint8 bits) {
    if (!open_) return false;
    error_.clear();
    return writeTextFileAtomic(outputsFile(), {bitsToText(bits)}, &error_);
}

QString SimulatedRelayCard::description() const {
    return QStringLiteral("symulowana, wyjścia ") + outputsFile() + QStringLiteral(", wejścia ") + inputsFile();
}

std::unique_ptr<RelayCard> relayCardFromEnvironment() {
    if (qgetenv("TOLVANE_RELAY") == "simulated") return std::make_unique<SimulatedRelayCard>();
    return std::make_unique<NullRelayCard>();
}

quint8 SimulatedRelayCard::readOutputs() { return open_ ? textToBits(firstLine(outputsFile())) : 0; }

quint8 SimulatedRelayCard::readInputs() { return open_ ? textToBits(firstLine(inputsFile())) : 0; }

}  // namespace platform
