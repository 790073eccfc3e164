#include "foundation/A1761DRIVER.h"

#include "foundation/KestSter2.h"
#include "platform/RelayCard.h"

OpcjeGPIType OpcjeGPI;
QString KartaWyjsciaTekst = QStringLiteral("00000000");
QString KartaWejsciaTekst = QStringLiteral("00000000");

namespace {
std::unique_ptr<platform::RelayCard>& karta() {
    static std::unique_ptr<platform::RelayCard> k;
    if (!k) k = platform::relayCardFromEnvironment();
    return k;
}
bool otwarta = false;
}  // namespace

void UstawKartePrzekaznikow(std::unique_ptr<platform::RelayCard> nowa) {
    if (otwarta) karta()->close();
    otwarta = false;
    karta() = std::move(nowa);
}

void OtworzKarte() {
    if (!OpcjeGPI.Advantech1761Jest) return;
    if (otwarta) return;
    otwarta = karta()->open();
    if (otwarta) {
        KartaWyjsciaTekst = platform::bitsToText(0);
        KartaWejsciaTekst = platform::bitsToText(0);
    }
    Log((otwarta ? QStringLiteral("Karta I/O otwarta: ") : QStringLiteral("Karta I/O nie otwarta: ")) +
        karta()->description());
}

void ZamknijKarte() {
    if (!OpcjeGPI.Advantech1761Jest) return;
    if (otwarta) karta()->close();
    otwarta = false;
}

bool KartaOtwarta() { return otwarta; }

void ZapiszPrzekazniki(quint8 bajt) {
    if (!OpcjeGPI.Advantech1761Jest || !otwarta) return;
    if (karta()->writeOutputs(bajt)) KartaWyjsciaTekst = platform::bitsToText(bajt);
}

void CzytajPrzekazniki(quint8& bajt) {
    bajt = 0;
    if (!OpcjeGPI.Advantech1761Jest || !otwarta) return;
    bajt = karta()->readOutputs();
}

void CzytajWejscia(quint8& bajt) {
    bajt = 0;
    if (!OpcjeGPI.Advantech1761Jest || !otwarta) return;
    bajt = karta()->readInputs();
    KartaWejsciaTekst = platform::bitsToText(bajt);
}
