#pragma once
// The checks of a freshly read playlist: are its recordings there, and are
// its durations those of the files. Each shows its progress in the status
// field and stops at the operator's double click on it.
#include <QString>
#include <QtGlobal>

class SilnikEmisji;
struct TElemPListy;

// Durations from the audio files of recordings, DJ items and adverts.
void CzasyNagran(SilnikEmisji& silnik);
// Presence test from element start + 1: the report file (KatTestRaport +
// name + ".TXT": one line per missing element, or "OK"), the named log and
// the missing mark; with CzyDATZPlayListy a recording without a .DAT gets
// one from its element's texts. False when something is missing.
bool TestObecnosci(SilnikEmisji& silnik, qint32 start, bool reklamy);
// The status field after a pass: the playlist panel's message in red when
// there is one, else "OK".
void KoniecStatusu(SilnikEmisji& silnik);
// A missing element's report line: "   7;A123;D:\MUZ\A123.MP3".
QString LiniaRaportuBraku(qint32 numer, const TElemPListy& e);

// The network source and the local target of a recording's file: the drive
// letter mapped from KatSiecStart on, or, with the local copy of the
// network folders, into and out of KatalogSiecNaLokal. False when there is
// no pair.
bool ParaKopii(const QString& adres, QString& zrodlo, QString& cel);
// Copies the recordings of elements start + 1 on (audio, .DAT and .OBW)
// from the network to the local disk, asking as the settings say; the
// named log lists the copies. An abort stops the pass. A failed copy ends
// that file only; the run logs each and shows the first once at its end,
// its code left in BladIO. A DJ item's copy is dated now with
// CzyPlayListaZmienDateDJ.
void KopiujNaDyskLokalny(SilnikEmisji& silnik, qint32 start);
// The time list's recordings (audio and .DAT) the same way, without the
// status field and the named log.
void KopiujNaDyskLokalnyCicho();
