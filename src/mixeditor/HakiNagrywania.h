#pragma once
// What the mix editor window and the voice-track recorder ask of each other.
// Both live on the GUI thread; the recorder takes its captured blocks on a
// GUI timer of its own, so neither side ever waits on the other.
//
// The window is made once at start-up; the recorder, when the program has
// one, is handed to it then (`Nagrywanie*` may be null: the window's
// recorder commands then do nothing and closing ends the window at once).
#include <QString>
#include <QtGlobal>

// The window's side, used by the recorder.
class OknoNagrywania {
public:
    virtual ~OknoNagrywania() = default;
    virtual bool PodgladTrwa() const = 0;
    // Stop then start the preview from the model's KursorPodgladu.
    virtual void RestartPodgladu() = 0;
    // Place every mark and box again from the model.
    virtual void RozmiescZnaczniki() = 0;
    // Repaint track n (3 or 4) with its labels and handles.
    virtual void OdswiezSlad(int n) = 0;
    // Preview player n opens a file (an empty path closes it); a file the
    // back-end refuses leaves the track without a file, logged once.
    virtual void OtworzPlikSladu(int n, const QString& sciezka) = 0;
    virtual void ZatrzymajOdtwarzaczSladu(int n) = 0;
    // The duck control shows a depth in dB (0..30).
    virtual void PokazKaczke(int dB) = 0;
    // The closing flag (set by accept, cancel and close): no captured block
    // is queued again once it is set.
    virtual bool Zamykanie() const = 0;
    // End the modal window with the result cancel (the input has drained).
    virtual void ZakonczOkno() = 0;
};

// The recorder's side, used by the window.
class Nagrywanie {
public:
    virtual ~Nagrywanie() = default;
    // The window, once it is made (null when it goes).
    virtual void Podlacz(OknoNagrywania* okno) = 0;

    // ---- state the window shows and the preview tick reads ----
    virtual bool WgrywanieTrwa() const = 0;     // blocks are appended to the take
    virtual bool WgranieUzbrojone() const = 0;  // waits for the cursor to reach PoczatekWgrania
    virtual int SladWgrania() const = 0;        // target voice track 3 or 4, 0 none
    virtual qint32 PrzedbiegWgrania() const = 0;  // pre-roll, ms
    virtual void UstawPrzedbiegWgrania(qint32 ms) = 0;
    virtual int PoziomWejscia() const = 0;      // peak sample of the last block
    virtual bool WejscieOtwarte() const = 0;

    // ---- commands ----
    virtual void WgrajDJ() = 0;          // arm a take ("Wgraj DJ", Insert, desk input)
    virtual void StartWgrywania() = 0;   // the preview cursor passed PoczatekWgrania
    virtual void ZakonczWgrywanie() = 0; // stop: finish a written take, drop an armed one
    virtual void WstawDJ() = 0;          // insert a recording as a voice track
    virtual void UsunDJ() = 0;           // delete the selected voice track

    // The window just set its closing flag: the recorder drains its input and
    // then calls OknoNagrywania::ZakonczOkno, at once when nothing is queued.
    virtual void Zamknij() = 0;
};
