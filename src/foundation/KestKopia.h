#pragma once
// File copy with progress and abort, and the question for a free file name.
// Paths are in the program's stored form and resolved through
// platform::resolvePath.
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <sys/types.h>

// Asks for a file name (at most 16 characters) until it is free in `katalog`
// with `rozszerzenie`, or may be overwritten, or the operator leaves.
// Returns and leaves in the input-event record OdpowiedzAkceptuj (the name
// taken into `nazwa`) or OdpowiedzOpusc.
quint16 WolnaNazwa(const QString& zacheta, const QString& katalog, QString& nazwa, const QString& rozszerzenie);
// Whether a typed name is a plain file name: no folder separators, drive
// colons, wildcards or "..".
bool NazwaZbioruDozwolona(const QString& nazwa);

// Copies one file with the progress window and its abort button. The old
// target is replaced only by a complete copy; an aborted or failed copy
// leaves it as it was, and a read-only target is refused (5). The copy keeps
// the source's modification time unless `bezDaty`. Returns the I/O result
// code (also in BladIO; 0 for success, and for an abort).
// The reading and writing run on a worker thread while the caller's thread
// keeps its event loop (timers, repaints, the abort button); the call
// returns when the copy has ended.
int KopiujZbior(const QString& zrodlo, const QString& cel, bool& przerwane, bool bezDaty, int& wynikIO);
// The same copy on the calling thread, without a window and without
// pumping events: a worker's. `przerwij`, when given, stops it after a block.
int KopiujZbiorTu(const QString& zrodlo, const QString& cel, bool bezDaty, const std::atomic<bool>* przerwij,
                  bool& przerwane);
// The same for one file of a batch: with `pokaz` the two-gauge window, the
// second gauge showing `pozycja` against StanMaksimum2; without it no window.
int KopiujZbior2(qint64 pozycja, const QString& zrodlo, const QString& cel, bool pokaz, bool bezDaty,
                 int& wynikIO, bool& przerwane);

// How a copy shows itself: KopiujZbior's window, a batch's two-gauge window
// (KopiujZbior2 with `pokaz`), or nothing.
enum class OknoKopii { Jedno, Dwa, Brak };
// A copy whose failure the operator hears of: one log line, `coNieUdane`
// followed by "source -> target (code)", and the error dialog by code naming
// both files. True when the file was copied; false after a failure or an
// abort (`przerwane` tells which; an abort is not reported).
bool KopiujZglaszajac(const QString& zrodlo, const QString& cel, const QString& coNieUdane, bool& przerwane,
                      OknoKopii okno = OknoKopii::Jedno, qint64 pozycja = 0);

// The copy's block size.
constexpr qint64 BlokKopii = 8192;

// Writes one piece of the target as write(2) does (bytes written, or -1 with
// errno). The copies use write(2) itself unless one is installed here; tests
// put a slow or failing disk in its place. Called on the copy's worker thread.
using ZapisKopii = std::function<ssize_t(int fd, const char* bufor, size_t n)>;
// An empty function puts write(2) back. Takes effect from the next copy.
void UstawZapisKopii(ZapisKopii zapis);
