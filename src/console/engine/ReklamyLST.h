#pragma once
// Advert and promo blocks merged from the traffic department's lists
// (.LST: a time and a text, then the audio file's path) into the
// placeholders of a freshly read playlist, or, in bar mode, into the time
// list. Reading never fails the air: a missing list or file is reported
// and the playlist stays playable.
#include <QString>
#include <QtGlobal>

#include <map>
#include <utility>

class SilnikEmisji;

// Whether each list slot is read this time (set by the questions).
extern bool CzytajLista1;
extern bool CzytajLista2;
// The name (no folder, no extension) of the advert list the operator picked
// by hand for the playlist last read; "" when the list was found by name.
extern QString ListaLSTWybrana;

// After a read or append (interactive) or an automatic load (not).
void WczytajReklamyDoPlaylisty(SilnikEmisji& silnik, qint32 start, bool interaktywnie);
// Reads the lists into the playlist, or into the time list in bar mode.
void CzytajListeLST(SilnikEmisji& silnik, const QString& lista1, const QString& lista2, bool zCzasami,
                    bool interaktywnie, qint32 start);
// The blocks filled so far by (kind, block time in ms): the last element
// placed in each. Both lists of one read share it, so the second list's
// entries follow the first one's in a block the first already filled.
using WypelnioneBloki = std::map<std::pair<quint8, qint64>, qint32>;
// Every entry of the list goes to the placeholder of its block (kind 5 or 9).
void WstawBlokiZPlikuLST(SilnikEmisji& silnik, const QString& lista, quint8 rodzaj, bool zCzasami, qint32 start,
                         WypelnioneBloki* bloki = nullptr);
// Every placeholder takes the entries of its block from the list it names.
void WstawBlokiReklamLST(SilnikEmisji& silnik, qint32 start);
