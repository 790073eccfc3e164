#pragma once
// Settings section "Baza nagran", the unrestricted hour bands and the
// counting of one play.
#include <QString>
#include <QtGlobal>

#include <array>

#include "foundation/TabelaNastaw.h"

struct NastawyBazyNagran {
    QString BazaZbior = QStringLiteral("BAZA.BAZ");  // full path, or "NIE_MA" when the file is missing
    QString BazaTypy = QStringLiteral(".WAV:.MP2:.MP3");
    QString BazaDyski = QStringLiteral("C,D");
    bool BAZAKatalogiSzukajJest = false;
    std::array<QString, 10> BAZAKatalogSzukaj;  // keys BAZAKatalogSzukaj1..10
    bool BazaStartKopiuj = false;
    QString BAZAKatalogSiec;
    bool BazaUtworzJest = true;
    bool BazaAktualizujJest = true;
    bool BazaKopiujJest = false;
    bool BazaKopiujPytaj = true;
    bool BazaKopiujStarszaPytaj = true;
    bool BazaOdczytJest = false;
    bool BazaLicznikJest = false;
    bool BazaLicznikDodaj = false;
    bool BazaLicznikZerujJest = false;
    bool BazaBrakKopiuj = false;
    bool BazaBrakKopiujPytaj = true;
    bool BazaFiltrJest = false;
    QString BazaFiltr;
    qint32 BazaSort = 1;     // 1 performer, 2 title, 3 length, 4 code; 0 none
    qint32 BazaLitera = 1;   // 1..26 for A..Z
    bool BazaWielkoscLiter = true;
    qint32 BazaPasmo1Poczatek = 0, BazaPasmo1Koniec = 0;
    qint32 BazaPasmo2Poczatek = 0, BazaPasmo2Koniec = 0;
    qint32 BazaPasmoDzien1 = 0, BazaPasmoDzien1Poczatek = 0, BazaPasmoDzien1Koniec = 0;
    qint32 BazaPasmoDzien2 = 0, BazaPasmoDzien2Poczatek = 0, BazaPasmoDzien2Koniec = 0;
    bool BazaPrzeslijJest = false;
    QString BAZAPrzeslijKatalog;
    bool BazaPrzeslijZmienNazwe = false;
};

extern NastawyBazyNagran BazaNagran;

// The section's key table (for the settings dialog and the whole-file save).
const OpisSekcji& SekcjaBazyNagran();

void BazaNastawyDomyslne();
void BazaNastawyZapisz(const QString& plik);
void BazaNastawyCzytaj(const QString& plik);
void BazaNastawyCzytaj(const ZbiorNastaw& zbior);

// The configured network folder of the database when BAZAKatalogSiec holds
// the program folder only in its place (it was not there when the settings
// were read); "" otherwise.
QString BazaKatalogSieciNiedostepny();

// True when the current hour lies in one of the unrestricted bands.
bool BazaPasmoBezOgraniczen();
// Counts one play of the recording; `tekst` begins with the play's date as
// yyyy-mm-dd (a text that does not is counted with today's date). While the
// table is being read, written or rebuilt the play is held back and counted
// right after.
void BazaDodajOdegranie(const QString& sciezka, const QString& tekst);
