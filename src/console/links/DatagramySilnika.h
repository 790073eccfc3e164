#pragma once
// The on-air engine's player records, modes and clock as the status
// datagrams read them. The main window completes the source with the texts
// of its deck panels (ZrodloPakietowOkna) and forwards the engine's datagram
// calls to its Datagramy.
#include "console/links/Datagramy.h"

struct MIXMagnetType;
class OdtwarzaczeSlotow;
class SilnikEmisji;
enum class StanCzasuOdtwarzacza : quint8;

OdtwarzaczPakietu OdtwarzaczPakietuZ(const MIXMagnetType& r, const OdtwarzaczeSlotow& odtwarzacze, quint8 slot);

// The monitor's colour code of a deck's time state (teal idle, lime intro,
// aqua running, red warning; a time-list block has no code).
KolorCzasuOdtwarzacza KolorCzasuPakietu(StanCzasuOdtwarzacza stan);
// The deviation label: "00:00", "+mm:ss", "-mm:ss", beyond an hour "+> 1h " / "-> 1h".
QString TekstOdchylenia(qint32 ms);
// The date label: yyyy-mm-dd, or mm/dd/yyyy when the day's playlist names
// are MMDDRRRR.
QString TekstDaty(const QDate& data);

class ZrodloPakietowSilnika : public ZrodloPakietow {
public:
    explicit ZrodloPakietowSilnika(SilnikEmisji& silnik) : silnik_(silnik) {}
    // The texts of the clock labels: the date and the time from the
    // program's clock, the deviation as the deviation label shows it.
    QString DataLabel() const override;
    QString Czas24Label() const override;
    QString DeltaTLabel() const override;
    KolorCzasuOdtwarzacza MagnetKolor(int deck) const override;
    OdtwarzaczPakietu Odtwarzacz(int slot) const override;
    bool AutomatJest() const override;
    bool AutostopJest() const override;
    bool StolSterowanie() const override;
    // The row's texts by the element's kind, as the playlist panel lays them out.
    WierszPaneluPakietu WierszPlaylisty(qint32 n) const override;

protected:
    SilnikEmisji& silnik_;
};
