#pragma once
// The mix editor's preview players: eight, one per track of the mix (player
// n plays track n), all on the preview output beside the on-air players.
// The same operations and contracts as the console's player slots (volumes
// in hundredths of a decibel, times in ms, state 1 playing), on the same
// back-end choice; numbers outside 1..8 do nothing and read as 0 / "".
//
// The editor window owns one for its whole life: EdUtworzMiksery and
// EdUtworzOdtwarzacz (1..8) when it is made, EdZwolnijOdtwarzacz (8..1) and
// EdZwolnijMiksery when it is destroyed. A track's file is opened when the
// window is shown or a take or recording is placed, and closed with an empty
// path; the player itself is never made again per recording.
//
// The preview (the window's, through PolaczeniaEdycjiPL::PodgladTrwa and
// ZatrzymajPodglad) starts a player only when EdPlikOdtwarzacza is not
// empty, seeks it to (cursor - the track's air time) just before
// EdGrajOdtwarzacz, sets a volume only when it differs from the last one
// set, and on stopping sets every player's position back to 0.
#include <QString>
#include <QtGlobal>

#include <memory>

#include "audio/OdtwarzaczeSlotow.h"
#include "audio/PlayerSloty.h"

// The preview output of the emission settings on each of the eight players:
// a streaming channel on a mixer of device `KanalPFL`, or a file player on
// the output named by `KanalPFLNazwa`, as `CzyPlayerZgodnoscWinXP` says.
OpcjeOdtwarzaczy OpcjeOdtwarzaczyPodgladu();

class OdtwarzaczeEdytora {
public:
    static constexpr int LiczbaOdtwarzaczy = 8;

    // The program's players, on the emission settings as they stand now
    // (read once: a changed back-end takes effect at the next start).
    OdtwarzaczeEdytora();
    // Players given by the caller (a test's, on the manual clock); not owned.
    explicit OdtwarzaczeEdytora(OdtwarzaczeSlotow& gracze);
    ~OdtwarzaczeEdytora();
    OdtwarzaczeEdytora(const OdtwarzaczeEdytora&) = delete;
    OdtwarzaczeEdytora& operator=(const OdtwarzaczeEdytora&) = delete;

    void EdUtworzMiksery();
    void EdZwolnijMiksery();
    void EdUtworzOdtwarzacz(quint8 n);
    void EdZwolnijOdtwarzacz(quint8 n);
    // An empty path closes the file. May throw the back-end's errors. The
    // streaming back-end resets the volume on opening.
    void EdOtworzPlikOdtwarzacza(quint8 n, const QString& sciezka);
    QString EdPlikOdtwarzacza(quint8 n) const;
    // The streaming back-end stops on a seek; it plays on after EdGrajOdtwarzacz.
    void EdUstawPozycjeOdtwarzacza(quint8 n, qint64 ms);
    qint64 EdPozycjaOdtwarzacza(quint8 n);
    void EdGrajOdtwarzacz(quint8 n);
    void EdZatrzymajOdtwarzacz(quint8 n);
    quint8 EdStanOdtwarzacza(quint8 n) const;
    void EdUstawGlosnoscOdtwarzacza(quint8 n, int glosnosc);
    int EdGlosnoscOdtwarzacza(quint8 n) const;

    // The program's slots (null with a caller's players): their mixers.
    PlayerSloty* Sloty() const { return sloty_.get(); }

private:
    static bool poprawny(quint8 n) { return n >= 1 && n <= LiczbaOdtwarzaczy; }

    std::unique_ptr<PlayerSloty> sloty_;
    std::unique_ptr<OdtwarzaczeZPlayerSloty> wlasne_;
    OdtwarzaczeSlotow& g_;
};
