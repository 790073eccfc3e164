#pragma once
// Settings section "Katalogi" (the folder browser and the split between
// local and network drives) and the update of a local folder from its
// network twin.
#include <QString>
#include <QtGlobal>

#include <array>

#include "foundation/TabelaNastaw.h"

constexpr int LiczbaKatalogowPrzyciskowych = 14;

struct NastawyKatalogow {
    bool Czy14Katalogow = false;
    bool CzyDyski = true;
    bool CzyNadkatalog = true;
    bool CzyPodkatalogi = true;
    qint32 Tryb = 1;
    qint32 Sortowanie = 1;
    bool CzyKatalogFiltr = false;
    bool CzyKatalogFiltrWlaczony = false;
    QString KatalogFiltr;
    bool CzyKasZmien = true;
    bool CzyKasZmienSiec = false;
    bool CzyGranieSiec = false;
    qint32 MinRozm = 0;
    qint32 MaxNum = 0;
    qint32 MaxDni = 0;
    QString DyskOstatni = QStringLiteral("Z");
    QString KatSiecStart = QStringLiteral("H");
    // Folder buttons 1..14 (index 0 is button 1).
    std::array<QString, LiczbaKatalogowPrzyciskowych> KatOpis;
    std::array<QString, LiczbaKatalogowPrzyciskowych> KatAdres;
    bool CzyAktUsun = false;
    bool CzyAktFolderUsun = false;
    bool CzyAktFolderDodaj = false;
    bool KatalogSiecNaLokalJest = false;
    QString KatalogSiecNaLokal;
};

extern NastawyKatalogow Katalogi;

const OpisSekcji& SekcjaKatalogow();

void KatalogNastawyDomyslne();
// Where the browser and its folder buttons go unless told: the program's
// start folder when it lies in a drive (as X:\...), else the first drive's
// root from C on ("C:\\"), so the operator sees drive letters; the start
// folder itself when there is no drive.
QString KatalogDomyslny();
void KatalogNastawyZapisz(const QString& plik);
void KatalogNastawyCzytaj(const QString& plik);
void KatalogNastawyCzytaj(const ZbiorNastaw& zbior);

// The network twin of a local path: drive C becomes KatSiecStart, D the next
// letter and so on; the rest of the path stays. False (and `siec` empty) for
// a path without a drive letter, a drive below C, or when the letter would
// pass Z.
bool SciezkaSieciowa(const QString& lokalna, QString& siec);

// Whether the preview may play the file: one on a network drive only with
// CzyGranieSiec. A refusal tells the operator why. The folder browser and
// the database window both ask it before their preview.
bool OdsluchDozwolony(const QString& sciezka);

// The types that a folder update copies and may delete.
extern const QString TypyAktualizacji;

// Refreshes the local folder from its network twin (with questions,
// progress and abort). The caller reads the folder again afterwards.
void KatalogAktualizuj(const QString& katalog);
