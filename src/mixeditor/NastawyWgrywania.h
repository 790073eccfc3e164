#pragma once
// The section "Wgrywanie": the voice-track recorder's input, naming, folders,
// compression and copying, and the microphone ducking of the on-air loop.
// Fields are named as their keys; one table drives defaults, reader, writer
// and the settings dialog.
#include "foundation/TabelaNastaw.h"

#include <QString>

struct NastawyWgrywania {
    quint8 WgrajWejcieNr = 0;
    qint32 WgrajProbkowanieHz = 0;
    quint8 WgrajKanalyNr = 0;
    bool WgrajAutomatJest = false;
    qint32 WgrajPoziomAutomatdB = 0;
    qint32 WgrajPoziomWeKanal1dB = 0;
    qint32 WgrajPoziomWeKanal2dB = 0;
    bool WgrajPodsluchJest = false;
    quint8 WgrajNazwaTyp = 0;
    QString WgrajNazwaPrzedrostek;
    bool WgrajPrzedrostekZNazwyPL = false;
    quint8 WgrajEkstenderTyp = 0;
    QString WgrajKatalogLok;
    QString WgrajKatalogSiec;
    QString WgrajKatalogSiec2;
    bool WgrajZastapPytaj = false;
    bool WgrajMaksimumJest = false;
    bool WgrajMaksimumPytaj = false;
    bool WgrajKompresujJest = false;
    bool WgrajKompresujPytaj = false;
    QString WgrajKompresujStrumien;  // "64", "128" or "256" (kbit/s)
    bool WgrajKopiujJest = false;
    bool WgrajKopiujPytaj = false;
    bool WgrajKopiujZmienAdres = false;
    QString WgrajDJPoziomdB;         // "0" .. "90"
    qint32 KaczkaPoziomdB = 0;
    qint32 KaczkaWejscieMS = 0;
    qint32 KaczkaWyjscieMS = 0;
    bool WgrajZderzaki = false;
    bool WgrajModyfikacjaPytaj = false;
    quint8 WgrajFadeTyp = 0;         // 0 leaves the tracks' curves, 1 convex, 2 concave
};

extern NastawyWgrywania Wgrywanie;  // "Wgrywanie"

// The table, bound to Wgrywanie, in the order the keys are written.
const OpisSekcji& SekcjaWgrywania();

void WgrywanieDomyslne();
void WgrywanieCzytajINI(const QString& plik);
void WgrywanieCzytajINI(const ZbiorNastaw& zbior);
void WgrywanieZapiszINI(const QString& plik);

// A file in one of the take folders, its path formed as every stored path
// is: "\" after a folder with a drive letter, else the Linux form with "/"
// only (a drive's folder however reached as X:\...). A folder left empty
// gives the name alone.
QString ZbiorWKataloguWgrywania(const QString& katalog, const QString& nazwa);
