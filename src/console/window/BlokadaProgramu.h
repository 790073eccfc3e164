#pragma once
// One console per program folder: two would write the same logs, history
// and playlists. A lock file in the folder stands for the named mutex of
// other systems; it is released when its owner ends, even by a crash.
#include <QLockFile>
#include <QString>

class BlokadaProgramu {
public:
    explicit BlokadaProgramu(const QString& folder);
    // False when another running program holds the folder.
    bool Zajmij();

private:
    QLockFile plik_;
};
