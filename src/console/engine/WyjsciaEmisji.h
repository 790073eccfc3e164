#pragma once
// What the on-air engine hands to the console's outputs and panels: status
// datagrams, INFO and RDS files, news insertion, time-list blocks, singles
// sets and redraws. Each method does nothing here; the window and the units
// that own those outputs install a subclass (a test installs one that
// records the calls). The engine calls them from the places where the
// element's road needs them, so an output joins by overriding one method.
#include <QString>
#include <QtGlobal>

class WyjsciaEmisji {
public:
    virtual ~WyjsciaEmisji() = default;

    // UDP event datagram of a player 0..5 ("START", "STOP", "FADE").
    virtual void WyslijStanOdtwarzacza(quint8 odtwarzacz, const QString& zdarzenie) {
        (void)odtwarzacz, (void)zdarzenie;
    }
    // UDP datagram about a playlist element ("DO GRANIA" .. "DO GRANIA5", player 0).
    virtual void WyslijInfoElementu(quint8 odtwarzacz, const QString& zdarzenie, qint32 element) {
        (void)odtwarzacz, (void)zdarzenie, (void)element;
    }
    // RDS files of the element just started on the slot; returns the marker
    // bits written (1 PS, 2 RT, 4 TA, 8 PT), which the record keeps.
    virtual quint8 ZapiszPlikiRDS(quint8 slot) {
        (void)slot;
        return 0;
    }
    // Clears the RDS files of the element ending on the slot whose bits are
    // in `znaczniki` (flag 1 leaves the TA files); returns the bits left set.
    virtual quint8 ZapalPlikiZnacznikow(quint8 slot, quint8 znaczniki, quint8 flaga) {
        (void)slot, (void)flaga;
        return znaczniki;
    }
    // The INFO file of the element on air (the deck refresh calls it once
    // per element after 1 000 ms of play).
    virtual void ZapiszPlikInfo(quint8 slot) { (void)slot; }
    // A time-list block plays: relay 1 on when the outputs read back as 0.
    virtual void PrzekaznikBloku() {}
    // The service-break insertion takes a BRK element at the cursor.
    virtual void WstawSerwis(qint32 element) { (void)element; }
    // Plays the time-list block at the time-list cursor on a player.
    virtual void EmitujPozycjeTimelisty(quint8 odtwarzacz, int tryb) { (void)odtwarzacz, (void)tryb; }
    // Reads a singles set into the current palette.
    virtual void CzytajZestawSingli(const QString& plik) { (void)plik; }
    // Redraws of the window's panels.
    virtual void OdswiezPlayliste() {}
    virtual void OdswiezTimeliste() {}
    virtual void OdswiezOdtwarzacze() {}
    virtual void OdswiezKomunikat() {}
    virtual void KasujPoleStatusu() {}
    // Undo copy of the playlist was taken / a playlist was cleared.
    virtual void PlaylistaSkasowana() {}
};
