#pragma once
// Operator profiles: each presenter keeps the AutoStop modes, the singles
// wall's behaviour and its six palettes in a .PRO file of the settings-file
// line format, and reads it back at the start of a shift.
#include <QString>
#include <QStringList>

#include <functional>

class SilnikEmisji;
class ScianaSingli;

// The profile's lines in file order: the two sections with their banners,
// a comment before each palette, no other comments.
QStringList LinieProfilu(const SilnikEmisji& silnik, const ScianaSingli& sciana);
// The profile written whole through a temporary file in the same folder;
// false with BladIO, the old file kept.
bool ZapiszPlikPRO(const QString& plik, const SilnikEmisji& silnik, const ScianaSingli& sciana);
// The profile read into the modes and the wall. A file that cannot be read
// or holds no [SINGLE] section changes nothing: false with BladIO. A missing
// flag key leaves its flag; a missing text is empty.
bool CzytajPlikPRO(const QString& plik, SilnikEmisji& silnik, ScianaSingli& sciana);

class ProfilOperatora {
public:
    ProfilOperatora(SilnikEmisji& silnik, ScianaSingli& sciana) : silnik_(silnik), sciana_(sciana) {}

    // The current profile, kept between commands.
    QString Nazwa;
    QString Sciezka;
    // A profile picked in the folder browser; "" when none was. The window
    // installs it.
    std::function<QString()> WybierzProfil;
    // The folder profiles are saved into; empty: the program folder.
    QString Katalog;

    // "Czyt.": a profile picked and read; the wall redrawn when shown.
    void CzytajProfil();
    // "Zap.": asks the name and writes the profile whole.
    void ZapiszProfil();

private:
    QString katalog() const;

    SilnikEmisji& silnik_;
    ScianaSingli& sciana_;
};
