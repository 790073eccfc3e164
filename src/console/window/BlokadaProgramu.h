#pragma once
// One console per program folder: two would write the same logs, history
// and playlists. A lock file in the folder stands for the named mutex of
// other systems; it is released when its owner ends, even by a crash.
#include <QLockFile>
#include <QString>

class BlokadaProgramu {
public:
    explicit BlokadaProgramu(const QString& folder);
    // False when the folder is held by another running program, or when the
    // lock file cannot be made there.
    bool Zajmij();
    // After a failed Zajmij, which of the two it was.
    bool ZajetaPrzezInny() const;
    // What failed, as the operator reads it.
    QString Powod() const;
    // The lock file's path, and its release (the file removed) once the
    // program has written its last files.
    QString Sciezka() const { return sciezka_; }
    bool Zajeta() const { return plik_.isLocked(); }
    void Zwolnij() { plik_.unlock(); }

    // The start-up's decision: false only while another program holds the
    // folder (two consoles would write the same files). A lock that cannot
    // be made (a full or read-only folder) does not keep the station off
    // the air: true, with what failed in `brak`.
    bool MoznaStartowac(QString& brak);

private:
    QString folder_;
    QString sciezka_;
    QLockFile plik_;
};
