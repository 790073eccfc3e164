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
    // The relays drive the studio's lamps and channels: an output the card
    // did not take is a fault the operator sees, until a write works.
    const bool ok = karta()->writeOutputs(bajt);
    if (ok) KartaWyjsciaTekst = platform::bitsToText(bajt);
    const QString powod = karta()->lastError();
    ZglosZapis(ZbiorStacji::Przekazniki, karta()->outputsTarget(),
               ok ? QString() : powod.isEmpty() ? QStringLiteral("karta nie przyjęła wyjść") : powod);
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
