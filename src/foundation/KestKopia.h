#pragma once
// File copy with progress and abort, and the question for a free file name.
// Paths are in the program's stored form and resolved through
// platform::resolvePath.
#include <QString>
#include <QtGlobal>

// Asks for a file name (at most 16 characters) until it is free in `katalog`
// with `rozszerzenie`, or may be overwritten, or the operator leaves.
// Returns and leaves in the input-event record OdpowiedzAkceptuj (the name
// taken into `nazwa`) or OdpowiedzOpusc.
quint16 WolnaNazwa(const QString& zacheta, const QString& katalog, QString& nazwa, const QString& rozszerzenie);
// Whether a typed name is a plain file name: no folder separators, drive
// colons or wildcards.
bool NazwaZbioruDozwolona(const QString& nazwa);

// Copies one file with the progress window and its abort button. The old
// target is replaced only by a complete copy; an aborted or failed copy
// leaves it as it was. The copy keeps the source's modification time unless
// `bezDaty`. Returns the I/O result code (also in BladIO; 0 for success,
// and for an abort).
int KopiujZbior(const QString& zrodlo, const QString& cel, bool& przerwane, bool bezDaty, int& wynikIO);
// The same for one file of a batch: with `pokaz` the two-gauge window, the
// second gauge showing `pozycja` against StanMaksimum2; without it no window.
int KopiujZbior2(qint64 pozycja, const QString& zrodlo, const QString& cel, bool pokaz, bool bezDaty,
                 int& wynikIO, bool& przerwane);

// The copy's block size.
constexpr qint64 BlokKopii = 8192;
