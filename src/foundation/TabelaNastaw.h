#pragma once
// A settings section as one table of key descriptions. Defaults, reader,
// writer (and the settings dialog) all walk the same table, so a key is
// described exactly once.
#include <QString>
#include <functional>
#include <variant>
#include <vector>

class ZbiorNastaw;

enum class TypKlucza {
    Bool,     // written 1/0
    Bajt,     // range min..max, fallback
    Liczba,   // range min..max, fallback
    Tekst,    // `maxDlugosc` > 0 cuts the value
    Katalog,  // folder rule; "PROGRAM" means KatalogStartowy
    Wlasny,   // own syntax: `czytaj` / `zapisz` / `domyslna` callbacks
};

// The variable a key binds, with its type. A text and a folder both live in
// a QString and differ in how they are read.
struct ZmiennaTekstu {
    QString* v;
};
struct ZmiennaKatalogu {
    QString* v;
};
using ZmiennaKlucza = std::variant<std::monostate, bool*, quint8*, qint32*, ZmiennaTekstu, ZmiennaKatalogu>;

struct OpisKlucza {
    QString klucz;
    ZmiennaKlucza zmienna;
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
    bool doslowny = false;          // Tekst: read as written, trailing blanks kept
    bool tylkoCzytany = false;      // read but never written
    // Written only while this flag is set: a key kept with the value read,
    // for as long as the file held it.
    const bool* zapisywanyGdy = nullptr;
    // Replace the plain rule of the type (the only rule of a Wlasny key). A
    // reader gets the settings file as read once, never its name.
    std::function<void()> domyslna;
    std::function<void(const ZbiorNastaw& zbior, const QString& sekcja)> czytaj;
    std::function<QString()> zapisz;  // the value text

    TypKlucza typ() const {
        switch (zmienna.index()) {
        case 1: return TypKlucza::Bool;
        case 2: return TypKlucza::Bajt;
        case 3: return TypKlucza::Liczba;
        case 4: return TypKlucza::Tekst;
        case 5: return TypKlucza::Katalog;
        default: return TypKlucza::Wlasny;
        }
    }
    bool Zapisywany() const { return !tylkoCzytany && (!zapisywanyGdy || *zapisywanyGdy); }
    // The variable when the key binds one of that type, else null.
    template <typename T>
    T* jako() const {
        if constexpr (std::is_same_v<T, QString>) {
            if (const auto* t = std::get_if<ZmiennaTekstu>(&zmienna)) return t->v;
            if (const auto* k = std::get_if<ZmiennaKatalogu>(&zmienna)) return k->v;
            return nullptr;
        } else {
            const auto* p = std::get_if<T*>(&zmienna);
            return p ? *p : nullptr;
        }
    }
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
void CzytajSekcje(const ZbiorNastaw& zbior, const OpisSekcji& sekcja);
// Appends the section (blank line, banner, header, comment + key per entry).
void ZapiszSekcje(const QString& plik, const OpisSekcji& sekcja);
// The value text that ZapiszSekcje writes for one key.
QString WartoscKlucza(const OpisKlucza& k);
