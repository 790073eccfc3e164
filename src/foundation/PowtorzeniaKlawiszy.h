#pragma once
// A held key repeats only what moves a cursor. The system's auto-repeat
// would otherwise start, stop, answer or edit again and again: a held
// Return that answered a question went on to start the cursor element.

// Installs the one filter over the whole application (main window, mix
// editor, every dialog); a second call does nothing.
void FiltrujPowtorzeniaKlawiszy();
// Whether an auto-repeated press of this key at this widget goes through.
class QObject;
bool PowtorzenieDozwolone(int klawisz, const QObject* cel);
