#pragma once
// The standard dialogs as the rest of the program calls them: plain
// procedures over a few shared results. Each one keeps the program's rules
// (answers, one report at a time, the gauges' memory) and reaches the screen
// only through the installed dialog service (UslugaDialogow.h), so tests can
// answer from a script.
//
// Every answer is also left in the input-event record as kind 256 with the
// answer code, where the callers look for it.
#include <QString>
#include <QtGlobal>

#include <functional>

#include "foundation/Zdarzenie.h"  // the answer codes (KodOdpowiedzi)

// Modal results returned by the procedures.
constexpr int WynikTak = 6;      // Tak, accept
constexpr int WynikNie = 7;      // Nie, Kasuj RDS
constexpr int WynikTakWsz = 8;
constexpr int WynikAnuluj = 2;

// ---- shared results, live for the whole run ----
extern QString TekstPodany;      // text input: initial text in, typed text out, "" on cancel
extern bool StanPrzerwij;        // set by the progress dialog's abort button; polled by long loops
extern float StanMaksimum;       // maximum of the first gauge
extern float StanMaksimum2;      // maximum of the second gauge
extern QString RDSTytul;
extern QString RDSWykonawca;
extern QString RDSInformacja;
extern qint32 KodWybrany;        // element kind chosen in the kind dialog (0 none)
extern QString CzasWybrany;      // "HH:MM" of the time entry

// ---- error ("Błąd") ----
// Ignored while an error report is shown.
void PokazBlad(const QString& tekst, const QString& szczegol = {});
// An empty text becomes the message of the I/O result code.
void PokazBladKod(int kod, const QString& tekst = {}, const QString& szczegol = {});
// Codes 301..305 have messages of their own; others as PokazBladKod.
void PokazBlad2(int kod, const QString& szczegol = {});
// The message of an I/O result code ("Przepraszamy, nie ma komentarza" when unknown).
QString TekstBleduIO(int kod);
// The message of codes 301..305, "" for any other.
QString TekstBledu2(int kod);

// ---- information ("Informacja") ----
void PokazInfo(const QString& linia1, const QString& linia2 = {});

// ---- text input ("Wpisz") ----
// Width code: |code| / 100 characters at most, 0 gives 16 (10 in mode 9).
// Mode 9: password field; mode 6: texts with blanks are refused.
// Returns WynikTak (text in TekstPodany) or WynikAnuluj.
int PodajTekst(const QString& zacheta, int kodSzerokosci = 0, int tryb = 0);
// The longest text the input takes for a width code and mode.
int DlugoscTekstu(int kodSzerokosci, int tryb);

// ---- progress ("Stan pracy"), shown without waiting ----
// A button caption "Przerwij" shows the abort button. Clears StanPrzerwij.
void PokazStan(const QString& tekst, const QString& przycisk, bool wskaznik);
void UstawStan(double wartosc);
void PokazStan2(const QString& tekst, const QString& przycisk, bool wskaznik);
void UstawStan2(qint64 pozycja, double wartosc);
void ZamknijStan();
// Lets the window system work (repaints, the abort button) during a long loop.
void PompujZdarzenia();
// The audio unit's abort question; it answers false.
bool StanPrzerwany();
// The percent a gauge would show for a value against a maximum: truncated,
// 0 when the maximum is 0 or less, within 0..100.
int ProcentStanu(double wartosc, double maksimum);

// ---- question ("Decyzja") ----
// Button sets: 2 Tak/Nie (Tak default), 12 Tak/Nie (Nie default),
// 3 Tak/Nie/Anuluj, 4 Tak Wsz./Tak/Nie/Anuluj; any other acts as 2.
// Returns the modal result: 6, 7, 8 or 2.
int Decyzja(const QString& linia1, const QString& linia2 = {}, int zestaw = 2);

// ---- report viewer ("Raport: " + file name) ----
int PokazRaport(const QString& plik);

// ---- screen lock ----
void PokazBlokadeEkranu();

// ---- RDS texts ("Komunikaty RDS") ----
// OK copies the fields back to RDSTytul... (6), Kasuj RDS gives 7, Anuluj 2.
int PokazRDS();

// ---- element kind ("Kod pozycji playlisty") ----
qint32 PodajKod();
qint32 PodajKod(qint32& kod);

// ---- time entry ----
// Limit "24:00" allows at most 23 hours. Returns 6 (CzasWybrany set) or 2.
int PodajCzas(const QString& tytul, const QString& limit);

// ---- nested event loops ----
// Every dialog, progress pump and copy loop lets the window system (and the
// on-air timers) run inside its caller. Work that holds a half-made state in
// place of the live one (a playlist being read) installs a pair that puts the
// live state back for that time; the pair is called once, for the outermost
// loop opened after it was installed.
class StrazPetli {
public:
    StrazPetli();
    ~StrazPetli();
    StrazPetli(const StrazPetli&) = delete;
    StrazPetli& operator=(const StrazPetli&) = delete;
};
// Empty functions remove the pair.
void UstawStrazPetli(std::function<void()> przed, std::function<void()> po);

// ---- work that holds the on-air list across its windows ----
// An edit keeps element numbers while its questions and pickers are open: a
// finished read must not replace the list under it. A read that finds the
// list held asks the holder to give way: the windows opened since the hold
// began close with their cancel answer, any opened until it ends gives that
// answer at once, and the read goes on air once the holder has unwound.
class TrzymanieListy {
public:
    TrzymanieListy();
    ~TrzymanieListy();
    TrzymanieListy(const TrzymanieListy&) = delete;
    TrzymanieListy& operator=(const TrzymanieListy&) = delete;
};
bool ListaTrzymana();
void UstapListy();
// A window opened now gives its cancel answer without showing.
bool OknoUstepuje();
