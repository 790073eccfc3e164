#pragma once
// The folder browser: the operator picks a file (or, in folder mode, a
// folder) from the local and network drives, sorts and views the listing in
// five ways, searches, filters, deletes and renames recordings with their
// description and envelope files. Each caller keeps its own KatStan, so the
// browser reopens where that caller left it.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <vector>

#include "audio/Sygnaly2.h"
#include "foundation/DialogiQt.h"
#include "library/DKatalogOdczyt.h"

constexpr int KatalogPozycje = 20000;
constexpr quint32 AtrybutKatalogu = 16;

// One listed entry: a drive ("C:"), a folder, ".." or a file.
struct TInfoZb {
    QString Nazwa;
    QString Rozszerzenie;  // with its dot; empty for folders and drives
    qint32 Data = 0;       // packed date and time
    qint64 Rozmiar = 0;
    quint32 Atrybuty = 0;  // AtrybutKatalogu for a folder or drive, 1 read-only
    quint8 Znak = 0;       // found by the last search or marked
    bool Katalog() const { return (Atrybuty & AtrybutKatalogu) != 0; }
};

// A caller's state; the browser copies it in on entry and back on exit.
struct KatStan {
    QString Tytul;           // caption, up to 27 characters
    QString KatalogStart;    // shown on entry; after an accept the chosen file's folder
    QString Typy;            // ".WAV:.MP2:.MP3"; ".KAT" selects folder mode
    quint8 Sortowanie = 1;   // 1 name, 2 type, 3 date, 4 size
    quint8 Tryb = 0;         // display mode 1..5
    bool KasujZmien = false; // "~Kasuj" and "~Zmień" allowed
    QString WybranyZRozszerzeniem;
    QString Wybrany;         // without the extension
    QString WybranaSciezka;  // folder \ name.ext; in folder mode the folder
    // Button 1511: the cursor file's name and path; true when it changed
    // something the list shows.
    QString Przycisk1;
    std::function<bool(const QString& nazwa, const QString& sciezka)> Akcja1;
    // Button 1512: name, path and the rectangle under the cursor row.
    QString Przycisk2;
    std::function<void(const QString& nazwa, const QString& sciezka, const TRect& r)> Akcja2;
    // Button 1513: the current folder.
    QString Przycisk3;
    std::function<void(const QString& katalog)> Akcja3;
    // Display modes 3 to 5 are permitted by a non-empty text; the routine
    // gives an entry's text from its path.
    QString Tryb3Tekst;
    std::function<QString(const QString& sciezka)> Tryb3;
    QString Tryb4Tekst;
    std::function<OpisFormatuTyp(const QString& sciezka)> Tryb4;
    QString Tryb5Tekst;
    std::function<QString(const QString& sciezka)> Tryb5;
};

// The marked files of the last accept (at most 10).
constexpr int KatalogWynikMaks = 10;
extern QStringList KatalogWynikZbiory;  // names without extension
extern QStringList KatalogWynikTeksty;  // full paths
extern int KatalogWynikLiczba;

// Whether a file is open on a player slot or in the preview; delete and
// rename refuse such a file. The console installs it.
extern std::function<bool(const QString& sciezka)> KatalogZbiorWUzyciu;

// ---- the listing, without a window ----

// The table (index 0 unused) and its groups: drives 1..KatDyski, folders to
// KatKoniecKatalogow, files to KatLiczba.
struct ListaKatalogu {
    QString Katalog;  // current folder in the program's form ("C:" or "C:\MUZYKA")
    std::vector<TInfoZb> Pozycje = std::vector<TInfoZb>(1);
    int Dyski = 0;
    int KoniecKatalogow = 0;
    int Liczba = 0;
    bool FiltrWlaczony = false;
    QString Filtr;
};

// Reads the current folder: drives at a drive root (with CzyDyski), folders,
// then the files of up to six types (with the filter when on), each group
// sorted (`sortowanie` 1 name, 2 type, 3 date, 4 size). A long listing
// calls `postep` with true before sorting and false after. False and BladIO
// set when the folder cannot be listed.
bool KatalogCzytaj(ListaKatalogu& lista, const QString& typy, int sortowanie,
                   const std::function<void(bool)>& postep = {});
// The same touching no shared state (a worker thread may call it): the I/O
// code goes to `kod` instead of BladIO.
bool KatalogCzytajKod(ListaKatalogu& lista, const QString& typy, int sortowanie, int& kod,
                      const std::function<void(bool)>& postep = {});
// The folder a path names joined with a name ("C:" + "X" is "C:\X").
QString KatalogZNazwa(const QString& katalog, const QString& nazwa);
// A drive root is two characters ("C:").
bool KatalogGlowny(const QString& katalog);
// The size as the listing writes it: a number right-aligned to 8 and a unit.
void TekstRozmiaru(qint64 bajty, QString& liczba, QString& jednostka);
// The local drives are those up to DyskOstatni.
bool DyskLokalny(const QString& sciezka);

// ---- the window ----

class TKatalog final : public OknoDialogu {
public:
    // Made once, by the main window at start-up (its parent).
    explicit TKatalog(QWidget* oknoGlowne = nullptr);
    ~TKatalog() override;

    // Copies the caller's record in, shows the window modally and copies it
    // back; the chosen path is empty when the operator left.
    void PokazKatalog(KatStan& stan);
    // One command of the window (buttons, keys and clicks end here).
    void Komenda(quint16 kod);

    // ---- what the window holds, for tests ----
    const ListaKatalogu& Lista() const { return lista_; }
    int Kursor() const { return kursor_; }
    int Pierwszy() const { return pierwszy_; }
    int WierszyStrony() const;
    int TrybWyswietlania() const { return stan_.Tryb; }
    bool Powiekszone() const { return powiekszone_; }
    const BUTTONType* PrzyciskKomendy(quint16 kod);
    QPoint PunktWiersza(int wiersz) const;
    // How many times a mode 3-5 provider ran since the window was made.
    int WywolaniaDostawcow() const { return wywolania_; }
    // A folder is being listed (the window is not shown yet on opening).
    bool Czyta() const { return czyta_; }
    // Ends the wait for a listing: the list read before stays (on opening
    // the browser does not show, as if the operator left).
    void PrzerwijCzytanie();

protected:
    void ObsluzZdarzenie() override;
    void showEvent(QShowEvent* zdarzenie) override;
    void wheelEvent(QWheelEvent* zdarzenie) override;

private:
    void Rozmiesc();
    void UstawPrzyciski();
    // By value: the name usually comes from the list the read replaces.
    // False when the folder could not be listed or the operator stopped
    // waiting (porzucone_). `zDomyslnym`: a folder that is not there gives
    // the program's default folder instead.
    bool Czytaj(QString zachowaj = QString(), bool zDomyslnym = false);
    void Rysuj();
    void RysujListe();
    void RysujStatus();
    QString TekstWiersza(int n);
    TRect ProstokatListy() const;
    TRect ProstokatPaska() const;
    int WysokoscWiersza() const;
    bool FolderMode() const;

    void UstawKursor(int n);
    void Akceptuj();
    bool Wejdz(const QString& katalog);
    void Gora();
    void NastepnyTryb();
    void SkokLitery(QChar znak);
    void Szukaj();
    void Filtr();
    void Kasuj();
    void Zmien();
    void BazaWybierz();
    void Dodatkowy(quint16 kod);
    void PrzyciskKatalogu(int numer);
    bool SprawdzPlik(bool kasowanie);
    QString SciezkaPozycji(int n) const;
    int IndeksPrzycisku(quint16 kod);

    KatStan stan_;
    ListaKatalogu lista_;
    int kursor_ = 1;
    int pierwszy_ = 1;
    // The browser's own state, common to every caller and kept for the run:
    // the mode used last (0 before the first opening), the size, the filter.
    quint8 trybOstatni_ = 0;
    bool powiekszone_ = false;
    bool uzyte_ = false;
    int wywolania_ = 0;
    std::vector<QString> teksty_;  // mode 3-5 texts of this read, filled as rows are drawn
    std::vector<bool> tekstyJest_;
    // The folder is listed on a worker (a share may take seconds, or never
    // answer); the window takes no command until the listing is in, and
    // what is typed at it meanwhile is dropped, never kept for the new list.
    bool czyta_ = false;
    bool porzucone_ = false;
    QEventLoop* petlaCzytania_ = nullptr;
    // What the list shown was read with: a wait the operator ended puts
    // back what the command changed before it read.
    struct Przeczytany {
        QString katalog, filtr;
        bool filtrWlaczony = false;
        quint8 sortowanie = 1, tryb = 1;
    } przeczytany_;
    // The current drive's space, measured with the listing.
    bool dyskJest_ = false;
    qint64 zajete_ = 0, wolne_ = 0;
};

// The window the main window made (null before it did).
TKatalog* OknoKatalogu();
// The callers' way in.
void PokazKatalog(KatStan& stan);
