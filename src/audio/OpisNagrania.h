#pragma once
// The description of one recording and its .DAT file beside the audio file.
// Fields are fixed-width texts: whoever stores into them cuts to the widths
// of PolaOpisu (the reader does it itself; PrzytnijOpis does it for a copy).
#include <QString>
#include <QtGlobal>

#include "audio/Sygnaly2.h"

struct OpisNagraniaTyp {
    QString Tyt, CRD, ENG, Klu, SFT, Pta, Wyk, Sol, Kom, Aut, Zak, Pro, Wyd, Rok, Inf, Kod, BPM,
        Ktg, Tmc, Tmi, Tmo, Gen, Era, Typ, Nas, Nar, Jak, PTY, PS1, PS2, PS3, PS4, PS5, PS6, RTT,
        OP1, OP2, OP3, Fil;
    // The 13 markers as time texts.
    QString Tot, Int, Out, Mix, Mik, NwP, NwK, FIn, FOu, LpP, LpK, FrP, FrK;
    QString Zaa;
};

// One field of the record: its key in the file (the writer's letter case),
// its width in characters and where it lives.
struct PoleOpisu {
    const char* Klucz;
    int Szerokosc;
    QString OpisNagraniaTyp::* Pole;
};
// Every field in the record's order.
const PoleOpisu* PolaOpisu(int& liczba);

// The one shared description record.
extern OpisNagraniaTyp OpisNagrania;

void KasujOpis(OpisNagraniaTyp& opis);
// Empty, then "Bez opisu", today's date, the operator and the program's name.
void NowyOpis(OpisNagraniaTyp& opis);
void UstawNowyOpis(OpisNagraniaTyp& opis);
// Every field cut to its width.
void PrzytnijOpis(OpisNagraniaTyp& opis);

// The .DAT file of an audio file (its path with the extension replaced).
QString ZbiorOpisu(const QString& adresAudio);

// Writes the item's .DAT from `opis` and the item's markers; the old file is
// replaced only once the new one is complete. A failure is logged and shown
// by code.
void ZapiszDAT(const SygnalType& s, const OpisNagraniaTyp& opis);
// The same write saying nothing, for a worker: the I/O code (0 written,
// also in BladIO), and in `powod` the system's reason of a failure.
int ZapiszPlikDAT(const SygnalType& s, const OpisNagraniaTyp& opis, QString& powod);
// Reads the item's .DAT into `opis` (which the caller clears first) and sets
// the item's markers from it. Without a file the title is "Nie ma opisu".
void CzytajDAT(SygnalType& s, OpisNagraniaTyp& opis);
