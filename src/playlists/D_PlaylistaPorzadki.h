#pragma once
// Passes over the whole playlist that bring a freshly read or merged list
// into a playable state: descriptions and categories from the recordings,
// air times recomputed from lengths and crossfades, advert lengths checked,
// empty advert and promo placeholders removed, runs of like placeholders
// collapsed. Each works element by element through ElemPListyRob and
// validates the marks before writing the element back.
#include <QString>
#include <QtGlobal>

#include <functional>

struct StanListy;
struct TElemPListy;
class TablicaPlaylisty;
class NagraniaPrzebiegu;

// Descriptions, lengths and categories after a load. Imported lists (.SEL,
// .PRG) take what the settings ask for from the recordings; native ones are
// only validated. BladIO is left as the read set it.
void PrzypiszOpisyNagraniom(StanListy& stan);
// Air times from lengths and crossfades; with the operator's yes, songs
// that spill past the full hour are removed.
void UsunPozaGodzine(StanListy& stan);
// Removes advert (kind 5) or promo (kind 9) placeholders after element
// `start` that nothing was merged into; in bar mode (`belka`) those whose
// hour has no time-list entry, which only the program's thread may ask.
void UsunPusteZaslepki(TablicaPlaylisty& lista, qint32& ilosc, int start, quint8 rodzaj, bool belka);
// Collapses runs of like placeholders of the kind after element `start`
// into one zero-length placeholder.
void ScalPowtorzoneElementy(TablicaPlaylisty& lista, qint32& ilosc, int start, quint8 rodzaj);

// The passes on elements of a list of the caller's own (one read on a
// worker): they touch no shared record and show nothing; `postep` hears
// each element; the files are looked at and opened through the read's
// `nagrania`, each once. The description pass starts at element `od`;
// lengths and a few description fields are refreshed from the recordings;
// the advert check (.MIX lists) takes a bar's length from `dlugoscBloku`
// when given (bar mode), else the file's.
void PrzypiszOpisyNagraniom(TablicaPlaylisty& lista, int od, int ilosc, bool zewnetrzna, NagraniaPrzebiegu& nagrania,
                            const std::function<void(int)>& postep = {});
void OdswiezOpisyElementow(TablicaPlaylisty& lista, int ilosc, NagraniaPrzebiegu& nagrania,
                           const std::function<void(int)>& postep = {});
void SprawdzCzasyReklam(TablicaPlaylisty& lista, int ilosc, bool mix, NagraniaPrzebiegu& nagrania,
                        const std::function<qint64(const TElemPListy&)>& dlugoscBloku = {},
                        const std::function<void(int)>& postep = {});
// Whether a playlist file is a scheduler's export (.SEL, .PRG), whose
// elements take their texts and marks from the recordings.
bool ListaZewnetrzna(const QString& zbior);

// Whether the element is an advert ("Reklama o ", kind 5) or promo
// ("Promos o ", kind 9) placeholder of that kind.
bool CzyZaslepka(const struct TElemPListy& e, quint8 rodzaj);
// Removes element i: its followers move up, the last is reset.
void UsunElementPlaylisty(StanListy& stan, int i);
