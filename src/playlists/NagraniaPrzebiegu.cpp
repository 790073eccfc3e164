#include "playlists/NagraniaPrzebiegu.h"

#include "foundation/KestDysk2.h"
#include "platform/Paths.h"

#include <algorithm>

namespace {

bool pusty(const QString& adres) {
    return std::all_of(adres.cbegin(), adres.cend(), [](QChar c) { return c.isSpace(); });
}

}  // namespace

void NagraniaPrzebiegu::Sprawdz(const QStringList& adresy) {
    QStringList nowe;
    for (const QString& a : adresy)
        if (!pusty(a) && !jest_.contains(a)) nowe << a;
    nowe.removeDuplicates();
    if (nowe.isEmpty()) return;
    std::vector<int> bez;
    const std::vector<bool> jest = platform::regularFiles(nowe, nullptr, &bez);
    for (qsizetype i = 0; i < nowe.size(); ++i) {
        jest_.insert(nowe[i], jest[size_t(i)]);
        if (bez[size_t(i)] != 0) bezOdpowiedzi_.insert(nowe[i]);
    }
}

bool NagraniaPrzebiegu::Jest(const QString& adres) {
    if (pusty(adres)) return false;
    auto j = jest_.constFind(adres);
    if (j == jest_.cend()) {
        Sprawdz({adres});
        j = jest_.constFind(adres);
    }
    return j != jest_.cend() && *j;
}

const NagraniaPrzebiegu::Nagranie& NagraniaPrzebiegu::Otworz(const QString& adres) {
    auto n = nagrania_.find(adres);
    if (n == nagrania_.end()) {
        Nagranie nowe;
        PustySygnal(nowe.s);
        nowe.s.Adres = adres;
        KasujOpis(nowe.opis);
        nowe.wynik = OtworzSygnal(nowe.s, true, nowe.opis);
        nowe.blad = BladIO;
        n = nagrania_.insert(adres, std::move(nowe));
    }
    return *n;
}

qint32 NagraniaPrzebiegu::Trwanie(const QString& adres) {
    if (!Jest(adres)) return 0;
    return DlugoscSygnaluMs(Otworz(adres).s);
}

void NagraniaPrzebiegu::Zapisany(const QString& adres) {
    jest_.insert(adres, true);
    nagrania_.remove(adres);
}
