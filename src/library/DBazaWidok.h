#pragma once
// What the database window lists, without the window: the view order, the
// letter, the category and the filters pick the visible records; the rows
// are a cached list of their positions, made once per change of what picks
// them (or of the table), so moving the cursor never walks the table. Also
// the search over the description fields and the counter reset.
#include <QString>
#include <QtGlobal>

#include <vector>

#include "library/DBaza.h"

constexpr int BazaWierszyStrony = 20;
constexpr int BazaLiteraCyfry = 27;
constexpr int BazaLiteraInna = 28;
constexpr int BazaWidokWynikow = 5;

// The title, performer and code fields' "any" text.
extern const QString BazaDowolny;  // "<<< DOWOLNY >>>"

// The search form as the window's controls hold it.
struct FormularzSzukania {
    QString Tytul, Wykonawca, Kod;
    QString Gender, Typ, Narodowosc, Jakosc, Klucze, Era, BPM, Tempo;
    QString CzasOd, CzasDo;  // mm:ss
    bool PreselekcjaKod = false;
    bool PreselekcjaOpisZaakceptowany = false;
    bool PreselekcjaOpisBezAkceptacji = false;
};

enum class WynikSzukania { BrakTekstu, NicNieZnaleziono, Znaleziono };

class WidokBazy {
public:
    // ---- the view, kept for the whole run ----
    qint32 BazaSort = 1;       // 1 performer, 2 title, 3 length, 4 code, 5 search results; 0 none
    qint32 BazaLitera = 1;     // 1..26 A..Z, 27 digits, 28 anything else
    qint32 BazaKategoria = 0;  // 0 all, 1..11
    bool BazaFiltrWlaczony = false;
    // The order button that is lit (1..4, 0 none): the search results keep
    // it lit, and clearing the search form goes back to it.
    qint32 Porzadek = 1;
    FormularzSzukania Formularz;

    // The view order and letter of the settings.
    void ZNastaw();

    // ---- rows ----
    // Rows for the current view (made again only when something that picks
    // them changed), the cursor kept within them and on the page.
    void Odswiez();
    int Liczba() const { return int(wiersze_.size()); }
    // Physical position of a row (1-based), 0 when there is no such row.
    int Pozycja(int wiersz) const;
    int Kursor() const { return kursor_; }
    int Pierwszy() const { return pierwszy_; }
    // Cursor to a row, clamped to 1..Liczba(); the page follows it only when
    // it leaves the page.
    void UstawKursor(int wiersz);
    void UstawPierwszy(int wiersz) { pierwszy_ = wiersz; }

    // ---- commands (8010..8014, 8031..8036, 8041, 8042, 8101..8128,
    // 8200..8211); false for another code ----
    bool Wykonaj(quint16 komenda);

    // ---- the search (8021): sets or clears every record's mark ----
    WynikSzukania Szukaj();
    // ---- the counter reset (8004) ----
    void ZerujLiczniki();

private:
    struct Klucz {
        quint64 wersja = ~0ull;
        qint32 sort = 0, litera = 0, kategoria = 0;
        bool filtr = false;
        QString slowo;
        bool preselekcjaKod = false;
        QString kod;
        bool zaakceptowany = false, bezAkceptacji = false;
        quint64 szukanie = 0;
        bool operator==(const Klucz&) const = default;
    };
    Klucz KluczTeraz() const;
    void Zbuduj();

    std::vector<int> wiersze_;
    Klucz klucz_;
    quint64 szukanie_ = 0;  // grows with every search, which changes the marks
    int kursor_ = 0;
    int pierwszy_ = 1;
};

// The window's view, the same for every opening.
extern WidokBazy BazaWidok;
// The chosen recording: its path and its file name without extension in
// Polish upper case; both empty when nothing was chosen.
extern QString BazaWynikAdres;
extern QString BazaWynikDodatkowy;

// The counters as the list shows them: EmD, EmT in two places, EmM, EmR,
// EmC in three, right-aligned, blank when 0, joined by ".".
QString BazaTekstLicznikow(const BAZARekordTyp& r);
// The letter class (1..28) of a text's first character; a blank for an
// empty text.
int BazaLiteraTekstu(const QString& tekst);
// The category word of 1..11 ("MUZYKA" ...), "" for another number.
QString BazaSlowoKategorii(int kategoria);
