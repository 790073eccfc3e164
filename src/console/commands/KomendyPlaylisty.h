#pragma once
// The operator's playlist file commands: read, append and save, with the
// order check after a read and the file check before a save. A read runs
// while the current playlist plays: it never stops a deck, and a file that
// cannot be read leaves the playlist on air as it was.
#include <QHash>
#include <QString>
#include <QtGlobal>

#include <functional>

class SilnikEmisji;
class ListaNaBoku;

class KomendyPlaylisty {
public:
    explicit KomendyPlaylisty(SilnikEmisji& silnik) : silnik_(silnik) {}

    // The window's picks through the folder browser: a playlist file with
    // the given filter ("" when the operator left), and a folder to save
    // into (false when left; the folder is the start and the answer).
    std::function<QString(const QString& filtr)> WybierzPlayliste;
    std::function<bool(QString& folder)> WybierzFolder;

    // The read and the append run on the read worker while the list on air
    // plays; each command lasts until its list is on air or has failed,
    // then `koniec` runs (its button goes out). Another read or append
    // asked meanwhile is refused, and says so.
    // 3011. Does nothing while a time-list block plays or a deck carries an advert.
    void KomendaCzytajPlayliste(std::function<void()> koniec = {});
    // The read: asks `pytanie` unless `bezPytania`; with an empty `plik` the
    // browser picks the file. `gotowe` hears whether a list went on air.
    void OdczytPlaylisty(bool bezPytania, const QString& nazwa, const QString& plik, bool reklamy,
                         const QString& pytanie, std::function<void(bool)> gotowe);
    // 3012: the file's elements after the current ones; the name stays.
    void DoklejPlayliste(std::function<void()> koniec = {});
    // 3013.
    void ZapiszPlayliste();

private:
    // The last steps of a read with the new list in place, then on air.
    void dokonczOdczyt(ListaNaBoku& nowa, bool tenSam, const QHash<QString, bool>& obecnosc);
    SilnikEmisji& silnik_;
};

// Pulls an air time that steps back by less than 12 hours up to the one
// before it (a larger step back is midnight passing); reports when it did.
void SprawdzKolejnosc();
// The first recording, DJ, jingle or effect element whose file is missing
// (the cursor goes there), 0 when every file exists.
qint32 SprawdzPlikiPrzedZapisem();
