#pragma once
// A voice track kept as MP3 beside (or instead of) its WAV: one call that
// compresses a 16-bit PCM WAV take into a constant-bit-rate MPEG-1 layer III
// file at 44 100 Hz, whatever the take's own rate and channel count.
//
// The MP3 is written to a temporary file and put in place only when it is
// complete, so a failure never leaves a partial MP3 that could be taken for
// a finished one (the recorder erases the WAV on success).
#include <QString>

// The program's own failure codes; the encoder library's failures are its
// own negative result codes.
enum KodMP3 : int {
    MP3Dobrze = 0,
    MP3BrakWAV = 1,          // the WAV cannot be read, or has no "fmt " or "data" chunk
    MP3NieobslugiwanyWAV = 2,  // not 16-bit PCM, not 1 or 2 channels, or a bit rate MPEG-1 does not have
    MP3BladZapisu = 3,       // the MP3 cannot be created or written
    MP3BrakKodera = 4,       // the encoder cannot be started
};

// Compresses `wav` into `mp3` at `kbits` kbit/s; `tryb` 1 mono, any other
// value stereo (a stereo take in mono is mixed down, a mono take in stereo
// is heard on both sides). `kod` is 0 on success, otherwise one of the codes
// above or the encoder's negative result. Keeps the user interface alive
// while it works (pending events are processed about every 10 ms when
// called on the application's thread).
void KompresujMP3(const QString& wav, const QString& mp3, int kbits, int& kod, int tryb);
