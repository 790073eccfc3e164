#include "settings/Konfiguracja.h"


#include <cerrno>
#include <cstdio>

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "library/DBazaNastawy.h"
#include "library/DKatalogNastawy.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/NastawyEmisji.h"

void DomyslneKonfiguracji() {
    NastawyDomyslne();
    KatalogNastawyDomyslne();
    DomyslneNastawyEmisji();
    WgrywanieDomyslne();
    BazaNastawyDomyslne();
    DomyslneNastawySatelity();
}

bool CzytajKonfiguracje(const QStringList& argumenty) {
    const JednoSpojrzenie raz;
    DomyslneKonfiguracji();
    KonfiguracjaZbior = joinPath(platform::programFolder(), QStringLiteral("TOLVANE.INI"));
    ZbiorKonfigZArgumentow(KonfiguracjaZbior, argumenty);
    // One reading serves the name check and every section.
    const ZbiorNastaw zbior = ZbiorNastaw::Wczytaj(KonfiguracjaZbior);
    if (!SprawdzZbiorKonfig(zbior, NazwaProgramu, KonfiguracjaOdrzucona)) {
        const QString linia = NazwaProgramu + QStringLiteral(": zbiór konfiguracyjny ") +
                              platform::resolvePath(KonfiguracjaZbior) + QStringLiteral(" nie został przyjęty (") +
                              KonfiguracjaOdrzucona + QStringLiteral("); wszystkie nastawy domyślne\n");
        std::fputs(linia.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        return false;
    }
    CzytajNastawy(zbior);
    KatalogNastawyCzytaj(zbior);
    WczytajNastawyEmisji(zbior);
    WgrywanieCzytajINI(zbior);
    BazaNastawyCzytaj(zbior);
    WczytajNastawySatelity(zbior);
    return true;
}

QString ZnakKonfiguracji() {
    return KonfiguracjaOdrzucona.isEmpty() ? QString() : QStringLiteral("   [NASTAWY DOMYŚLNE - zbiór konfiguracyjny nie przyjęty]");
}

namespace {

// A settings file that could not be written: the old file stays; the
// operator sees why and the log keeps it.
bool BladZapisu(const QString& plik) {
    Log(QStringLiteral("Zapis konfiguracji do zbioru ") + plik + QStringLiteral(": błąd ") + QString::number(BladIO));
    PokazBladKod(BladIO, QString(), plik);
    return false;
}

}  // namespace

bool ZapiszKonfiguracje(const QString& plik) {
    // Every section is made in memory, then the file is written once: a
    // failure anywhere leaves the old file whole.
    QStringList linie;
    {
        const LinieZbioru zbior(plik);
        BladIO = 0;
        ZapiszNastawy(plik);
        KatalogNastawyZapisz(plik);
        ZapiszNastawyEmisji(plik);
        WgrywanieZapiszINI(plik);
        BazaNastawyZapisz(plik);
        ZapiszNastawySatelity(plik);
        linie = zbior.Linie();
    }
    errno = 0;
    QString blad;
    if (!platform::writeTextFileAtomic(platform::resolvePath(plik), linie, &blad)) {
        BladIO = errno ? KodBleduZErrno(errno) : 101;
        return BladZapisu(plik);
    }
    BladIO = 0;
    return true;
}
