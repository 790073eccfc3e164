#pragma once
// The passes a read's list goes through before it goes on air: the advert
// lists merged, its recordings copied to the local disk, their descriptions
// and the adverts' lengths refreshed, the presence test or the durations.
// Each runs on the read's worker over the new list set aside (the on-air
// list stays in place for the loop meanwhile), and every file is looked at
// and opened through the read's own NagraniaPrzebiegu, once for the whole
// read. The program's thread asks the operator's questions between the
// pieces (the lists to read, a local file to replace, whether to stop),
// shows what each found, and the status field follows the worker.
#include <QtGlobal>

#include <functional>
#include <memory>

class SilnikEmisji;
class ListaNaBoku;
class NagraniaPrzebiegu;

struct PrzebiegiListy {
    qint32 Od = 0;               // the passes look at elements after this one (an append's old count)
    bool Reklamy = false;        // the advert lists merged
    bool Interaktywnie = false;  // with the operator's questions and picks
    bool Kopie = false;          // the recordings copied to the local disk (as CzyKopiowac says)
    bool Opisy = false;          // durations and descriptions again, and the adverts' lengths of a .MIX
    bool Obecnosc = false;       // the presence test (with durations)
    bool ObecnoscReklam = false; // the test takes adverts whatever their identifier
    bool Czasy = false;          // the durations only
};

// Runs the passes in turn; `dalej` runs on the program's thread, with the
// new list in place, once they are done.
void PrzebiegiPoOdczycie(SilnikEmisji& silnik, std::shared_ptr<ListaNaBoku> nowa,
                         std::shared_ptr<NagraniaPrzebiegu> nagrania, const PrzebiegiListy& co,
                         std::function<void()> dalej);
