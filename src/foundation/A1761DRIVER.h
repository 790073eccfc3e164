#pragma once
// The relay card: 8 relay outputs (on-air lamps, desk channels) and 8 inputs
// (fader starts and mode switches). The card itself is a platform::RelayCard.
#include <QString>
#include <QtGlobal>
#include <memory>

namespace platform {
class RelayCard;
}

// The values of the emission and satellite settings that the card and the
// input word read. Their owner fills this after reading the settings file
// (the foundation cannot see that section), so nothing here has defaults of
// its own: with it untouched there is no card and no I/O node.
struct OpcjeGPIType {
    bool Advantech1761Jest = false;  // the card is used
    bool GPI1Jest = false;           // the networked I/O node is used
    QString GPIPlayer1;              // node input of player 1: device digit at 4, pin at 6, triggering state at 8
    QString GPIPlayer2;
};
extern OpcjeGPIType OpcjeGPI;

// The last written outputs and the last read inputs: "0" or "1" per bit,
// bit 0 first; "00000000" when the card opens.
extern QString KartaWyjsciaTekst;
extern QString KartaWejsciaTekst;

// Which card OtworzKarte opens. Without one installed (or after nullptr) it
// is the card the environment names (platform::relayCardFromEnvironment):
// the simulated card only when asked for, else none, which never opens.
void UstawKartePrzekaznikow(std::unique_ptr<platform::RelayCard> karta);

// All do nothing unless OpcjeGPI.Advantech1761Jest is on; on a card that did
// not open, outputs are not written and reads give 0. OtworzKarte writes to
// the event log which card it opened, or that none opened.
void OtworzKarte();
void ZamknijKarte();
bool KartaOtwarta();
void ZapiszPrzekazniki(quint8 bajt);
void CzytajPrzekazniki(quint8& bajt);
void CzytajWejscia(quint8& bajt);
