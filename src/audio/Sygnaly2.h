#pragma once
// Audio items: what the program knows about one audio file (kind, format,
// length, title and the 13 time markers), read from the file's own header.
// Plain procedures over records; nothing here throws. File errors leave their
// code in BladIO (0 = success), which callers test.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

struct OpisNagraniaTyp;

// Kinds of audio item.
enum : quint8 {
    RodzajWAV = 12,   // PCM WAV
    RodzajMPEG = 21,  // .MP2, or a WAV whose format tag is 0x50
    RodzajS48 = 22,   // .S48
    RodzajMP3 = 31,   // .MP3
};

struct SygnalType {
    QString Nazwa;
    QString Adres;
    quint8 Rodzaj = RodzajWAV;
    quint16 Format = 1;
    qint32 RozmiarFmt = 16;
    QString Tytul;  // at most 62 characters
    qint32 Probkowanie = 44100;
    quint16 Kanaly = 2;
    quint16 Bity = 16;
    // Positions and lengths in 16-bit words from the start of the file.
    qint32 Start = 22;
    qint32 Dlugosc = 0;
    qint32 Koniec = 22;
    qint32 Pozycja = 22;
    qint32 Przeplywnosc = 1;  // kbit/s
    // Time markers in ms, -1 = not set. All but Mix count from the start of
    // the file; Mix is the mix distance before the new end.
    qint32 Tot = -1, Int = -1, Out = -1, Mix = -1, Mik = -1, NwP = -1, NwK = -1,
           FIn = -1, FOu = -1, LpP = -1, LpK = -1, FrP = -1, FrK = -1;
};

constexpr int SzerokoscTytuluSygnalu = 62;

// The 13 markers in their fixed order (Tot first), for code that walks them.
constexpr int LiczbaZnacznikow = 13;
extern qint32 SygnalType::* const Znaczniki[LiczbaZnacznikow];

// The canonical 44-byte WAV header, with the file it belongs to.
struct SygnalWAVType {
    QString Nazwa;
    QString Adres;
    char Riff[4] = {'R', 'I', 'F', 'F'};
    quint32 RozmiarRIFF = 36;
    char Wave[4] = {'W', 'A', 'V', 'E'};
    char Fmt[4] = {'f', 'm', 't', ' '};
    quint32 RozmiarFmt = 16;
    quint16 FormatTag = 1;
    quint16 Kanaly = 2;
    quint32 Probkowanie = 44100;
    quint32 BajtowNaSekunde = 176400;
    quint16 WyrownanieBloku = 4;
    quint16 Bity = 16;
    char Data[4] = {'d', 'a', 't', 'a'};
    quint32 RozmiarDanych = 0;

    static constexpr int Rozmiar = 44;
    QByteArray Bajty() const;  // little-endian, 44 bytes
};

void PustySygnal(SygnalType& s);
// The empty item of the file at `sciezka`: its address and its name.
SygnalType SygnalPliku(const QString& sciezka);

// Opens the file named by s.Adres (keeping s.Nazwa and s.Adres). With
// `zOpisem` the recording's description is read into OpisNagrania and its
// markers and title are taken over. Every opening clears OpisNagrania.
void OtworzSygnal(SygnalType& s, bool zOpisem);
// The same with the description going to `opis` instead of OpisNagrania, so
// that a look at a file never disturbs a description someone is filling.
// Returns the result of reading the audio header alone (BladIO also holds
// the description's result when the header was fine).
int OtworzSygnal(SygnalType& s, bool zOpisem, OpisNagraniaTyp& opis);
// The audio header alone, by the file's extension, into the item's header
// fields; the result is an I/O result code. It touches no shared state (not
// even BladIO), so a worker thread may read ahead with it.
int CzytajNaglowekSygnalu(SygnalType& s);

// Readers behind OtworzSygnal; they fill the item's header fields only (the
// markers are corrected by OtworzSygnal). Results are BladIO codes.
int OtworzWAV(SygnalType& s, bool zOpisem, OpisNagraniaTyp& opis);
int OtworzMPEG(quint8 rodzaj, SygnalType& s, bool zOpisem, OpisNagraniaTyp& opis);

// Length of the item in ms (0 when it cannot be worked out).
qint32 DlugoscSygnaluMs(const SygnalType& s);
// Data offset in 16-bit words of a time in ms.
qint32 MsNaSlowa(qint32 ms, const SygnalType& s);
// Whether the file may go on air; tells the operator why not.
bool SprawdzOdtwarzalny(const QString& sciezka);
// Why the file may not go on air ("" when it may): the playable check's
// tests without its dialogs. The file is also opened and its first audio
// decoded by the players' own decoder, so what passes here plays.
QString PowodNieodtwarzalnosci(const QString& sciezka);
// The header's part of that for an item already opened (no file access):
// `blad` is what OtworzSygnal returned.
QString PowodNieodtwarzalnosciNaglowka(const SygnalType& s, int blad);
// "Zbiór jest pusty" for a file of no bytes at all (its header cannot say
// anything of its format), else "".
QString PowodPustegoZbioru(const QString& sciezka);
// Length of a file in ms, 0 when it does not exist. Leaves OpisNagrania alone.
qint32 CzasTrwaniaPliku(const QString& sciezka);

// Saves the item by kind: PCM WAV header and description; MPEG and MP3 the
// description only; S48 nothing.
void ZapiszSygnal(SygnalType& s);
// Creates (or truncates) s.Adres with 44 zero bytes: room for the header of
// a recording about to be written.
void ZapiszPustyNaglowek(const SygnalType& s);

// The first RIFF chunk `id` of the file: its size (clamped to the bytes
// present) and, in `pozycja`, the file position of its data. 0 and 0 when
// there is none. A broken chunk list stops the search with BladIO 215.
qint64 ZnajdzChunk(const QString& sciezka, const QByteArray& id, qint64& pozycja);

SygnalWAVType BudujNaglowekWAV(const SygnalType& s);

// Markers to the description's marker texts and back.
void ZnacznikiNaTekst(const SygnalType& s, OpisNagraniaTyp& opis);
void TekstNaZnaczniki(const OpisNagraniaTyp& opis, SygnalType& s);

// For the folder browser's file list; empty texts for other extensions.
QString TytulPliku(const QString& sciezka);
QString WykonawcaITytulPliku(const QString& sciezka);
struct OpisFormatuTyp {
    QString Probkowanie;   // "44100 Hz"
    QString Kanaly;        // "  mono", "stereo" or "?"
    QString Bity;          // "16 bit"
    QString Przeplywnosc;  // "1411 kb/s"
    QString Czas;          // "3m25s"
};
OpisFormatuTyp OpisFormatu(const QString& sciezka);

// MPEG audio frame header (4 bytes in file order) into rate, channels and
// bit rate of the item; sets the kind to 21.
void CzytajNaglowekMPEG(const unsigned char b[4], SygnalType& s);
// Whether 4 bytes are a frame header the program can use (sync, known
// version, layer, rates and a bit rate that is not free format).
bool JestNaglowekMPEG(const unsigned char b[4]);
// Bytes of the frame that starts with a usable header (0 for any other).
int DlugoscRamkiMPEG(const unsigned char b[4]);
