#include "console/window/BlokadaProgramu.h"

#include <QFileInfo>

BlokadaProgramu::BlokadaProgramu(const QString& folder)
    : folder_(folder), sciezka_(folder + QStringLiteral("/tolvane.lock")), plik_(sciezka_) {
    // A lock left by a program that died is taken over at once (QLockFile
    // checks whether its process still runs); it never goes stale by age.
    plik_.setStaleLockTime(0);
}

bool BlokadaProgramu::Zajmij() { return plik_.tryLock(0); }

bool BlokadaProgramu::MoznaStartowac(QString& brak) {
    brak.clear();
    if (Zajmij()) return true;
    if (ZajetaPrzezInny()) return false;
    brak = Powod();
    return true;
}

bool BlokadaProgramu::ZajetaPrzezInny() const { return plik_.error() == QLockFile::LockFailedError; }

QString BlokadaProgramu::Powod() const {
    if (ZajetaPrzezInny()) return QStringLiteral("Program już pracuje w katalogu ") + folder_;
    QString przyczyna;
    const QFileInfo katalog(folder_);
    if (!katalog.isDir())
        przyczyna = QStringLiteral("katalog nie istnieje");
    else if (plik_.error() == QLockFile::PermissionError || !katalog.isWritable())
        przyczyna = QStringLiteral("brak prawa zapisu w katalogu");
    else
        przyczyna = QStringLiteral("błąd systemu plików");
    return QStringLiteral("Nie można utworzyć pliku blokady ") + sciezka_ + QStringLiteral(": ") + przyczyna;
}
