// Copying the database file from the network folder.
#include <QFileInfo>

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaWewn.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

namespace {

bool StarszyNiz(const QString& a, const QString& b) {
    const QFileInfo fa(platform::resolvePath(a)), fb(platform::resolvePath(b));
    return fa.exists() && fb.exists() && fa.lastModified() < fb.lastModified();
}

bool TenSamZbior(const QString& a, const QString& b) {
    const QString ka = QFileInfo(platform::resolvePath(a)).canonicalFilePath();
    return !ka.isEmpty() && ka == QFileInfo(platform::resolvePath(b)).canonicalFilePath();
}

// Whether there is a network file to copy over the local one. A network
// folder that only stands in for one that was not there at start-up (the
// program folder) is no network folder, nor is one that is gone now; a file
// is not copied over itself.
bool SieciowyJest(const QString& siec, const QString& lokalny) {
    const QString& katalog = BazaNagran.BAZAKatalogSiec;
    const QString niedostepny = BazaKatalogSieciNiedostepny();
    QString powod;
    if (!niedostepny.isEmpty())
        powod = u"katalog sieciowy niedostępny od uruchomienia programu: "_s + niedostepny;
    else if (!katalog.isEmpty() && !JestKatalog(katalog))
        powod = u"brak katalogu sieciowego: "_s + katalog;
    if (katalog.isEmpty() || !powod.isEmpty() || !platform::fileExists(siec)) {
        if (!powod.isEmpty())
            Log(u"Kopiowanie bazy nagrań z sieci pominięte - "_s + powod);
        QString k, n, r;
        RozbijSciezke(siec, k, n, r);
        const QString pokazany = niedostepny.isEmpty() ? siec : joinPath(niedostepny, n + r);
        PokazInfo(u"Nie znaleziono sieciowego zbioru bazy nagrań"_s, pokazany);
        return false;
    }
    if (TenSamZbior(siec, lokalny)) {
        Log(u"Kopiowanie bazy nagrań z sieci pominięte - zbiór sieciowy jest zbiorem lokalnym: "_s + siec);
        return false;
    }
    return true;
}

bool Kopiuj(const QString& siec, const QString& lokalny) {
    bool przerwane = false;
    Log(u"Kopiowanie zbioru "_s + siec);
    return KopiujZglaszajac(siec, lokalny, u"Kopiowanie bazy nagrań z sieci nieudane: "_s, przerwane);
}

}  // namespace

// The local path is BazaSciezka() throughout: "NIE_MA" keeps standing for
// the program folder's BAZA.BAZ, so the configured value is what the
// settings file gets back.
void BazaKopiujZSieciStart() {
    if (!BazaNagran.BazaStartKopiuj)
        return;
    const QString lokalny = BazaSciezka();
    const QString siec = BazaSciezkaSieciowa();
    if (!SieciowyJest(siec, lokalny))
        return;
    if (StarszyNiz(siec, lokalny) && Decyzja(u"Zbiór starszy od bazy lokalnej - czy kopiować?"_s) != WynikTak)
        return;
    Kopiuj(siec, lokalny);
}

bool BazaKopiujZSieci() {
    const auto& B = BazaNagran;
    if (!B.BazaKopiujJest)
        return false;
    const QString lokalny = BazaSciezka();
    const QString siec = BazaSciezkaSieciowa();
    if (!SieciowyJest(siec, lokalny))
        return false;
    if (B.BazaKopiujPytaj && Decyzja(u"Czy kopiować bazę nagrań?"_s) != WynikTak)
        return false;
    if (StarszyNiz(siec, lokalny) && B.BazaKopiujStarszaPytaj &&
        Decyzja(u"Zbiór starszy od bazy lokalnej - czy kopiować?"_s) != WynikTak)
        return false;
    BazaWUzyciu zajeta;
    // The counters are this station's plays: they go to the counters file,
    // which the copy does not replace, and back onto the copied table.
    const std::vector<LicznikiNagrania> liczniki = BazaMigawkaLicznikow();
    if (BazaZmieniona && BazaKompletna)
        BazaLicznikiZapisz();
    if (!Kopiuj(siec, lokalny))
        return false;
    BazaCzyscWszystko();
    BazaCzytaj();
    bool dolaczone = false;
    for (const LicznikiNagrania& l : liczniki)
        dolaczone = BazaDolaczLiczniki(l) || dolaczone;
    BazaBudujIndeksy();
    BazaDzis = DataTekst();
    if (dolaczone) {
        BazaZmieniona = true;
        BazaZapisz(false);
    }
    return true;
}
