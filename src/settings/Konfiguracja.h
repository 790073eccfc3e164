#pragma once
// The settings file as a whole: every owner's section, in the one order in
// which the program sets their defaults, reads them and writes them
// ("Nastawy programu", "Katalogi", "Emisja MIX", "Wgrywanie", "Baza nagran",
// "Satelita").
#include <QString>
#include <QStringList>

// Every section's defaults.
void DomyslneKonfiguracji();

// The start-up reading: every default first; then KonfiguracjaZbior (the
// program folder's TOLVANE.INI, or the first argument of at least 5
// characters) is read once and, when it holds the program's name, every
// section reads its keys from it. A file that is not taken keeps every
// default, and says so: KonfiguracjaOdrzucona holds why and standard error
// gets a line naming the file. True when the file was taken.
bool CzytajKonfiguracje(const QStringList& argumenty);

// The mark the window's caption carries while no settings file was taken
// (the defaults switch the event log and the emergency start off, so an
// unattended station must show why nothing plays); empty once one was.
QString ZnakKonfiguracji();

// The whole-file save: the head and every section, in the order above,
// written into a temporary file in the same folder, which replaces `plik`
// only when complete. When it cannot be written the old file stays, the I/O
// error is shown and logged, and the answer is false.
bool ZapiszKonfiguracje(const QString& plik);
