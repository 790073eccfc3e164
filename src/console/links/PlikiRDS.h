#pragma once
// The INFO file and the RDS text files: what outside equipment (the RDS
// encoder of the transmitter, studio displays) reads about the element on
// air. Each file is rewritten whole through a temporary file and a rename,
// so a reader never sees half a file; an empty file means nothing to show.
// The texts are made on the caller's thread; the writing is queued to the
// engine's day-file writer, in order with the history and the XML schedule,
// so a slow or network folder never holds up a start. A file that cannot be
// written shows as a fault of the station's files until it can be written
// again; the air goes on.
//
// No widgets here: the window forwards its outputs and label clicks to this
// unit and shows the RDS and TA labels while their flags say so.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "foundation/KestSter2.h"

class SilnikEmisji;

// Marker bits of a player record: which RDS files its start wrote.
enum : quint8 { ZnacznikPS = 1, ZnacznikRT = 2, ZnacznikTA = 4, ZnacznikPT = 8 };

// Stored-form paths in the RDS folder: an RDS file with the workstation's
// number as its extension when CzyRDSZbiorExt asks for it; the INFO file
// never has one.
QString ZbiorRDS(const QString& nazwa);
QString ZbiorInfo();

// A performer or title as the encoder gets it: plain letters for Polish ones
// unless they are kept, then upper case when asked.
QString TekstRDS(const QString& tekst);

// The INFO file's blocks: element `element` and up to `dalszych` elements
// after it (never past the playlist's end), the air times moved by
// `przesuniecie` ms.
QStringList LinieOpisuNaAntenie(qint32 element, int dalszych, qint32 przesuniecie);

// The operator's texts as the RDS label scrolls them, and what the label
// shows from 1-based place `pozycja`: "RDS:" and 8 characters.
QString TekstEtykietyRDS();
QString TickerRDS(const QString& tekst, int pozycja);

class PlikiRDS {
public:
    explicit PlikiRDS(SilnikEmisji& silnik) : silnik_(silnik) {}

    // The INFO file for the element on the slot, when everything allows it.
    void PiszOpisNaAntenie(quint8 slot);
    // The RDS files of the element just started on the slot (the engine has
    // checked whether it may write them); returns the marker bits written.
    quint8 ZapiszPlikiRDS(quint8 slot);
    // Empties what the slot's start wrote (`wczesnie` 1 leaves the TA files
    // for the real end); returns the bits left.
    quint8 ZapalPlikiZnacznikow(quint8 slot, quint8 znaczniki, quint8 wczesnie);
    // Clears the operator's title and performer and empties PS and RT.
    void KasujRDS();
    // The RDS dialog: its texts written to PS, RT and DI, or all cleared.
    void DataLabelClick();
    // The DI file from RDSInformacja.
    void ZapiszPlikDI();

    // The labels the window shows.
    bool EtykietaRDS = false;
    bool EtykietaTA = false;

private:
    // One file rewritten whole, or removed, on the writer's thread; how it
    // went is reported among the station's files.
    void zapisz(const QString& zbior, const QStringList& linie, ZbiorStacji rodzaj = ZbiorStacji::RDS);
    void usun(const QString& zbior);
    void zapisPS(const QString& wykonawca, const QString& tytul, const QStringList& teksty);
    void zapisRT(const QString& wykonawca, const QString& tytul, const QString& identyfikator, qint32 element);

    SilnikEmisji& silnik_;
};
