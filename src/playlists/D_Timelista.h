#pragma once
// The time list: up to 1 000 items played at given times of day beside the
// playlist, kept in list files (.LST) of two lines per entry.
#include <QString>
#include <QtGlobal>

#include <array>

#include "playlists/D_Playlista.h"

struct TElemTListy {
    QString Tyt = QStringLiteral("--------");  // " " when the file line had none
    QString Adr;                               // " " when none
    qint32 Czas = -1;                          // time of day in SECONDS; -1 none
    qint32 Trw = 0;                            // length of the audio file, ms
    quint8 Stan = 0;  // hundreds: 100 from an appended list; units: 1 played, 2 refused
};

constexpr int MaksTimelisty = 1000;
constexpr quint8 StanDoklejony = 100;
constexpr quint8 StanZagrany = 1;
constexpr quint8 StanOdrzucony = 2;

extern std::array<TElemTListy, MaksTimelisty + 1> Timelista;
extern StanListy StanTimelisty;
extern QString TimelistaZbior;
extern QString TimelistaNazwa;

void WyczyscElemTListy(int i);
void ZamienElemTListy(int i, int j);
void InitTimelista(StanListy& stan, const QString& nazwa, const TRect& panel, qint32 pojemnosc, qint32 wierszy);
void CzyscTimeliste();

// The file result goes to BladIO. Writing replaces the old file only once the
// new one is complete.
bool ZapiszTimeliste(const QString& plik);
void WczytajTimeliste(const QString& plik);
void DoklejTimeliste(const QString& plik);

// The hour of a block title ("Reklama o 09:00"): the five characters from two
// before its first ":", as seconds of the day; -1 when there is none.
qint32 GodzinaTytulu(const QString& tekst);
// Index of the first entry at that hour, 0 when none.
int ZnajdzGodzineTListy(const QString& tekst);
int SzukajGodzinyTListy(const QString& tekst);
// Total duration (ms) of the entries at that hour; 0 when none.
qint64 SumaCzasowGodzinyTListy(const QString& tekst);
// Clears the played/refused mark of the entries at the cursor entry's time.
void ZerujStanGodzinyTListy();
