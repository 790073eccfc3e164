#pragma once
// The waveform envelope beside a recording: the audio file's path with the
// extension ".OBW", a 128-byte header and one level byte (0 .. 128) per
// hundredth of a second, so that a waveform can be drawn without reading the
// audio. Built for 16-bit PCM WAV files.
#include <QString>

#include "audio/Sygnaly2.h"

constexpr int RozmiarNaglowkaObwiedni = 128;

// Builds the envelope of a file, with a progress window. Nothing happens
// when the file does not exist; a file that is not 16-bit PCM WAV, or whose
// header makes no sense, gets no envelope and one line in the event log.
// The old envelope is replaced only by a complete new one.
void TworzObwiednie(const QString& sciezka);
// The same for an audio item's file, shown under the item's name.
void TworzObwiednieSygnalu(const SygnalType& s);

// The envelope file of an audio file.
QString ZbiorObwiedni(const QString& adresAudio);
