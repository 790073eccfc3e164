#pragma once
// Settings-file primitives, path splitting and file tests.
// Paths given to these functions are in the program's stored form
// (D:\MUZYKA\A.WAV) and are resolved through platform::resolvePath.
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

#include "platform/Paths.h"

// The I/O result code of the last file operation of the procedural units
// (0 none, 2 file not found, 3 path not found, 4 too many open files,
// 5 access denied, 100 read error, 101 write error, 103 file not open,
// 104 not open for reading, 105 not open for writing, 150 write-protected,
// 152 drive not ready, ...). Callers test it and report through PokazBladKod.
// Each thread has its own: a worker that reads files (a playlist read in the
// background) never changes the word the program's thread tests.
extern thread_local int BladIO;
// The program's code for an errno value.
int KodBleduZErrno(int err);
// BladIO set from errno (0 when errno is 0).
void UstawBladIOZErrno(int err);

// ---- writer primitives: append lines to an existing settings file ----
// A failure does not stop the section being written, but the first one is
// kept in BladIO so that the caller can report it.
void DopiszLinie(const QString& plik, const QString& tekst);
void PiszKomentarz(const QString& plik, const QString& tekst);
void PiszSekcje(const QString& plik, const QString& tytul, const QString& sekcja);
void PiszKlucz(const QString& plik, const QString& klucz, const QString& wartosc);
void PiszKluczZKomentarzem(const QString& plik, const QString& komentarz, const QString& klucz, const QString& wartosc);
void PiszKluczBool(const QString& plik, const QString& komentarz, const QString& klucz, bool flaga);
// While one lives, the writer primitives given `plik` add their lines to it
// instead of appending each to the file, so that a file made of sections is
// written once, whole (the settings save). GUI thread only.
class LinieZbioru {
public:
    explicit LinieZbioru(const QString& plik);
    ~LinieZbioru();
    LinieZbioru(const LinieZbioru&) = delete;
    LinieZbioru& operator=(const LinieZbioru&) = delete;
    const QStringList& Linie() const { return linie_; }

private:
    friend void DopiszDoZbioru(const QString&, const QString&);
    QString plik_;
    QStringList linie_;
    LinieZbioru* poprzedni_;
};
// The banner line of a section (exposed for tests and the whole-file save).
QString LiniaBanera(const QString& tytul);

// ---- reader primitives ----
// A settings file read once: its lines, the first line of every section
// header and the last line of every key, so that a key is found by two
// probes however large the file is. Every reader rule is applied here; the
// Czytaj... procedures below read the file and ask it.
class ZbiorNastaw {
public:
    ZbiorNastaw() = default;
    explicit ZbiorNastaw(QStringList linie);
    // The settings file (stored-form path). One that cannot be read has no
    // lines; Blad() then says why.
    static ZbiorNastaw Wczytaj(const QString& plik);
    const QString& Blad() const { return blad_; }
    const QStringList& Linie() const { return linie_; }

    // The value of the last line with the key after the section's header,
    // trailing blanks removed unless `doslownie`; false when no line there
    // has the key.
    bool Wartosc(const QString& sekcja, const QString& klucz, QString& v, bool doslownie = false) const;
    // As CzytajKlucz, CzytajBool ... below.
    QString Klucz(const QString& sekcja, const QString& klucz) const;
    void Bool(const QString& sekcja, const QString& klucz, bool& flaga) const;
    void Bajt(const QString& sekcja, const QString& klucz, quint8& b, int min, int max, int zastepcza) const;
    void Liczba(const QString& sekcja, const QString& klucz, qint32& l, qint32 min, qint32 max, qint32 zastepcza) const;
    void Katalog(const QString& sekcja, const QString& klucz, const QString& domyslny, QString& kat) const;
    // Whether the key stands (with a value) after the section header.
    bool Jest(const QString& sekcja, const QString& klucz) const;

private:
    QStringList linie_;
    QHash<QString, qsizetype> naglowki_;  // upper-cased header line -> its first line
    QHash<QString, qsizetype> klucze_;    // upper-cased key -> its last line
    QString blad_;
};

// Each reads the file once for the one key.
QString CzytajKlucz(const QString& plik, const QString& sekcja, const QString& klucz);
void CzytajKlucz(const QString& plik, const QString& sekcja, const QString& klucz, QString& wartosc);
void CzytajBool(const QString& plik, const QString& sekcja, const QString& klucz, bool& flaga);
void CzytajBajt(const QString& plik, const QString& sekcja, const QString& klucz, quint8& bajt, int minimum, int maksimum, int zastepcza);
void CzytajLiczbe(const QString& plik, const QString& sekcja, const QString& klucz, qint32& liczba, qint32 minimum, qint32 maksimum, qint32 zastepcza);
void CzytajKatalog(const QString& plik, const QString& sekcja, const QString& klucz, const QString& domyslny, QString& katalog);
bool JestKlucz(const QString& plik, const QString& sekcja, const QString& klucz);

// ---- sequential reading of key=value blocks ----
QString ObetnijSpacje(const QString& tekst);
QString KluczLinii(const QString& linia);   // Polish upper case, trailing blanks removed, "" when none
QString WartoscLinii(const QString& linia); // trailing blanks removed

// An open text file read line by line (Windows-1250, CR LF or LF).
class PlikTekstowy {
public:
    bool Otworz(const QString& plik);  // stored-form path; sets BladIO
    bool Koniec() const { return pozycja_ >= linie_.size(); }
    QString CzytajLinie();             // "" at the end
    qsizetype Pozycja() const { return pozycja_; }
    void UstawPozycje(qsizetype p) { pozycja_ = p; }
    const QStringList& Linie() const { return linie_; }

private:
    QStringList linie_;
    qsizetype pozycja_ = 0;
};
// Reads on to the next line whose key equals `klucz` (already upper-cased):
// its value, " " when that value is empty, "" at the end of the file.
QString SzukajKluczaDalej(PlikTekstowy& plik, const QString& klucz);

// ---- settings-file check ----
// args: the program's command-line arguments without the program name.
bool SprawdzZbiorKonfig(QString& plik, const QString& nazwaProgramu, const QStringList& args);
// The file the program's settings come from: a first argument of at least
// 5 characters names it, otherwise `plik` stays.
void ZbiorKonfigZArgumentow(QString& plik, const QStringList& args);
// The same check on a file already read; when the file is not the
// program's, `powod` says why, for the operator.
bool SprawdzZbiorKonfig(const ZbiorNastaw& zbior, const QString& nazwaProgramu, QString& powod);

// ---- paths and files ----
void RozbijSciezke(const QString& sciezka, QString& katalog, QString& nazwa, QString& rozszerzenie);
QString KatalogSciezki(const QString& sciezka);
QString NazwaSciezki(const QString& sciezka);
QString RozszerzenieSciezki(const QString& sciezka);
QString ZmienRozszerzenie(const QString& sciezka, const QString& rozszerzenie);
QChar LiteraDysku(const QString& sciezka);
QString EtykietaDysku(QChar litera);
QString DataZbioruTekst(const QString& plik);
bool JestNiepustyZbior(const QString& plik);
bool JestTylkoDoOdczytu(const QString& plik);
bool JestKatalog(const QString& sciezka);
// While one stands on a thread, a question about the disk asked there again
// (JestKatalog, PamietanaOdpowiedz) is answered from the first look: reading
// the settings asks about the same few folders dozens of times, and on a
// network share each look is a round trip that holds the start-up. One made
// while another stands shares its answers. The paths' folders are looked at
// once meanwhile too (platform::FolderLooksOnce).
class JednoSpojrzenie {
public:
    JednoSpojrzenie();
    ~JednoSpojrzenie();
    JednoSpojrzenie(const JednoSpojrzenie&) = delete;
    JednoSpojrzenie& operator=(const JednoSpojrzenie&) = delete;

private:
    platform::FolderLooksOnce foldery_;
    QHash<QString, QString> odpowiedzi_;
    bool pierwsze_;
    friend QString PamietanaOdpowiedz(const QString&, const std::function<QString()>&);
};
// `pytanie`'s answer about `klucz`, asked once while a JednoSpojrzenie stands.
QString PamietanaOdpowiedz(const QString& klucz, const std::function<QString()>& pytanie);
qint64 RozmiarZbioru(const QString& plik);  // -1 and BladIO 2 when missing
bool TeSameRozmiary(const QString& a, const QString& b);
bool NowszyZbior(const QString& a, const QString& b);
// Last-write time in the 32-bit packed DOS date-and-time form, -1 when missing.
qint32 DataZbioruDOS(const QString& plik);

// A folder and a name joined with the folder's own separator ("\" for the
// program's stored paths, "/" for Linux ones); no separator is doubled.
QString joinPath(const QString& folder, const QString& name);
