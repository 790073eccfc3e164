#include "console/window/BlokadaProgramu.h"

BlokadaProgramu::BlokadaProgramu(const QString& folder) : plik_(folder + QStringLiteral("/tolvane.lock")) {
    // A lock left by a program that died is taken over at once (QLockFile
    // checks whether its process still runs); it never goes stale by age.
    plik_.setStaleLockTime(0);
}

bool BlokadaProgramu::Zajmij() { return plik_.tryLock(0); }
