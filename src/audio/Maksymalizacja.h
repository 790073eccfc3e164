#pragma once
// Normalisation ("maksymalizowanie"): a recording's peak sample is found,
// its level reported in dB below full scale, and a recording below full
// level is multiplied in place so that its peak reaches 32 766. 16-bit PCM
// WAV on a local disk only, with a progress window and its abort button.
//
// Clipping: a recording with three consecutive samples of one channel at
// full scale (32 767 or -32 768) is reported as "Nagranie jest przesterowane !"
// and left untouched. One full-scale sample is a peak that was already
// normalised; a run of them is a waveform that was cut off.
//
// Offsets are in 16-bit words from the start of the file, as the item's
// Start and Koniec.
#include <QString>
#include <QtGlobal>

#include "audio/Sygnaly2.h"

// The library settings that decide which drives are local; the caller fills
// them (the audio layer does not see the library's settings).
struct OpcjeMaksymalizacji {
    QString DyskOstatni = QStringLiteral("Z");  // the last local drive letter
    bool CzyGranieSiec = false;                 // recordings on network drives may be worked on
};

// Checks one file (playable, on a local drive, a .WAV) and normalises it
// between its item's Start and Koniec.
void MaksymalizujPlik(const QString& sciezka, const OpcjeMaksymalizacji& opcje);

// Normalises an opened item between two offsets (kept within the item and
// the whole words of its data chunk), telling the operator the outcome.
void Maksymalizuj(const SygnalType& s, qint32 od, qint32 do_);

// The largest and smallest sample of every channel. An empty range leaves
// -2 147 483 647 and 2 147 483 647. An abort, or a read error (shown by
// code), sets `przerwane`. `przesterowane`, when given, tells whether the
// range holds a run of clipped samples.
void SzukajMaksimum(const SygnalType& s, qint32 od, qint32 do_, bool& przerwane, qint32& maksimum,
                    qint32& minimum, bool* przesterowane = nullptr);

// Multiplies every sample by the gain, rounded to the nearest (halves to
// even) and held within -32 768 .. 32 767. An abort confirmed by the
// operator leaves the blocks already done amplified and sets `przerwane`,
// as does an I/O error (shown by code).
void Wzmocnij(const SygnalType& s, qint32 od, qint32 do_, bool& przerwane, float wzmocnienie);
