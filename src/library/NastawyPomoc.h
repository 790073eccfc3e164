#pragma once
// What the library's two settings sections share beyond the foundation's
// table: keys that share one comment line, and folder values whose fallback
// must not be written back over what the station configured.
#include <QString>

#include "foundation/TabelaNastaw.h"

// A value whose reader may replace what the file says by a fallback for the
// run ("NIE_MA", the program folder). The writer puts back what was read as
// long as the value in memory is still that fallback.
struct WartoscCzytana {
    bool jest = false;
    QString czytana;   // the text in the file
    QString przyjeta;  // what the reader made of it
    void Zapamietaj(const QString& tekst, const QString& wynik) { jest = true; czytana = tekst; przyjeta = wynik; }
    void Zapomnij() { jest = false; czytana.clear(); przyjeta.clear(); }
    QString DoZapisu(const QString& biezaca) const { return (jest && biezaca == przyjeta) ? czytana : biezaca; }
};

// A folder key read by the folder rule, remembering the text read.
OpisKlucza KluczKatalogZapamietany(const QString& klucz, QString* v, WartoscCzytana* pamiec, const QString& komentarz,
                                   bool domyslnieStartowy);

// Writes the section as ZapiszSekcje does, except that a key with an empty
// comment gets no comment line (keys grouped under one comment).
void ZapiszSekcjeGrupami(const QString& plik, const OpisSekcji& sekcja);
