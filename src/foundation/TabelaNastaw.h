#pragma once
// A settings section as one table of key descriptions. Defaults, reader,
// writer (and the settings dialog) all walk the same table, so a key is
// described exactly once.
#include <QString>
#include <functional>
#include <vector>

enum class TypKlucza {
    Bool,     // bool*, written 1/0
    Bajt,     // quint8*, range min..max, fallback
    Liczba,   // qint32*, range min..max, fallback
    Tekst,    // QString*, `maxDlugosc` > 0 cuts the value
    Katalog,  // QString*, folder rule; "PROGRAM" means KatalogStartowy
    Wlasny,   // own syntax: `czytaj` / `zapisz` / `domyslna` callbacks
};

struct OpisKlucza {
    QString klucz;
    TypKlucza typ = TypKlucza::Liczba;
    void* zmienna = nullptr;
    qint32 minimum = 0;
    qint32 maksimum = 0;
    qint32 zastepcza = 0;
    qint64 domyslnaLiczba = 0;      // Bool, Bajt, Liczba
    QString domyslnyTekst;          // Tekst
    bool domyslnieStartowy = true;  // Katalog: default KatalogStartowy (else empty)
    QString komentarz;              // the comment line written above the key
    int maxDlugosc = 0;             // Tekst: cut to this many characters (0: no limit)
    bool pustyZostawia = false;     // Tekst: an empty value read keeps the previous value
    bool pustyDomyslny = false;     // Tekst: an empty value read gives the default back
    bool tylkoCzytany = false;      // read but never written
    // Wlasny (also usable on other types to replace the plain rule):
    std::function<void()> domyslna;
    std::function<void(const QString& plik, const QString& sekcja)> czytaj;
    std::function<QString()> zapisz;   // the value text
};

struct OpisSekcji {
    QString nazwa;   // the section name in brackets
    QString tytul;   // the banner title
    std::vector<OpisKlucza> klucze;
};

// Builders that keep the tables readable.
OpisKlucza KluczBool(const QString& klucz, bool* v, bool domyslna, const QString& komentarz);
OpisKlucza KluczBajt(const QString& klucz, quint8* v, int min, int max, int zastepcza, int domyslna, const QString& komentarz);
OpisKlucza KluczLiczba(const QString& klucz, qint32* v, qint32 min, qint32 max, qint32 zastepcza, qint32 domyslna, const QString& komentarz);
OpisKlucza KluczTekst(const QString& klucz, QString* v, const QString& domyslna, const QString& komentarz, int maxDlugosc = 0);
// A folder; its default is KatalogStartowy, or empty when `domyslnieStartowy` is false.
OpisKlucza KluczKatalog(const QString& klucz, QString* v, const QString& komentarz, bool domyslnieStartowy = true);

void UstawDomyslne(const OpisSekcji& sekcja);
void CzytajSekcje(const QString& plik, const OpisSekcji& sekcja);
// Appends the section (blank line, banner, header, comment + key per entry).
void ZapiszSekcje(const QString& plik, const OpisSekcji& sekcja);
// The value text that ZapiszSekcje writes for one key.
QString WartoscKlucza(const OpisKlucza& k);
