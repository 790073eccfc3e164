// Damaged settings files fed to the settings readers: nothing may crash or
// hang, and every setting read holds a value its key allows.
#include <gtest/gtest.h>

#include <QFile>

#include "common/Fuzz.h"
#include "common/FuzzNastawy.h"
#include "common/TempFolder.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/TabelaNastaw.h"

namespace {

// A section with a key of every kind the tables know.
struct Proba {
    bool flaga = false;
    quint8 bajt = 0;
    qint32 liczba = 0;
    QString tekst;
    QString krotki;
    QString katalog;
};
Proba proba;

const OpisSekcji& sekcjaProby() {
    static const OpisSekcji s = [] {
        OpisSekcji t;
        t.nazwa = QStringLiteral("Próba");
        t.tytul = QStringLiteral("PRÓBA");
        t.klucze.push_back(KluczBool(QStringLiteral("Flaga"), &proba.flaga, true, QStringLiteral("Flaga")));
        t.klucze.push_back(KluczBajt(QStringLiteral("Bajt"), &proba.bajt, 3, 200, 7, 5, QStringLiteral("Bajt")));
        t.klucze.push_back(
            KluczLiczba(QStringLiteral("Liczba"), &proba.liczba, -5000, 5000, 100, 250, QStringLiteral("Liczba")));
        t.klucze.push_back(
            KluczTekst(QStringLiteral("Tekst"), &proba.tekst, QStringLiteral("żółw"), QStringLiteral("Tekst")));
        t.klucze.push_back(
            KluczTekst(QStringLiteral("Krotki"), &proba.krotki, QStringLiteral("abc"), QStringLiteral("Krótki"), 8));
        t.klucze.push_back(KluczKatalog(QStringLiteral("Katalog"), &proba.katalog, QStringLiteral("Katalog")));
        return t;
    }();
    return s;
}

TEST(FuzzSettings, DamagedSettingsFiles) {
    TempProgramFolder home;
    KatalogStartowy = home.path();
    const QString plik = home.file(QStringLiteral("TOLVANE.INI"));
    QFile(plik).open(QIODevice::WriteOnly);
    NastawyDomyslne();
    UstawDomyslne(sekcjaProby());
    ZapiszNastawy(plik);
    ZapiszSekcje(plik, sekcjaProby());
    const std::vector<QByteArray> seeds{home.read(QStringLiteral("TOLVANE.INI"))};

    fuzz::run("Nastawy", plik, seeds, [&] {
        NastawyDomyslne();
        UstawDomyslne(sekcjaProby());
        QString nazwa = plik;
        SprawdzZbiorKonfig(nazwa, NazwaProgramu, {});
        CzytajNastawy(plik);
        CzytajSekcje(ZbiorNastaw::Wczytaj(plik), sekcjaProby());
        fuzz::SprawdzSekcje(sekcjaProby());
        EXPECT_TRUE(Nastawy.Numer == 0 || (Nastawy.Numer >= 1 && Nastawy.Numer <= 9)) << Nastawy.Numer;
        EXPECT_LE(Nastawy.ModulStart, 9);
        EXPECT_TRUE(Nastawy.Panel2StrefaRoznicaH >= -12 && Nastawy.Panel2StrefaRoznicaH <= 12);
        EXPECT_LE(Nastawy.OknoStanStart, 2);
        EXPECT_LE(Nastawy.Id.size(), 15);
        EXPECT_FALSE(Nastawy.Id.isEmpty());

        // The single-key readers keep their bounds too (a missing key keeps
        // the value it had, here one in range).
        qint32 l = 250;
        CzytajLiczbe(plik, QStringLiteral("Próba"), QStringLiteral("Liczba"), l, -5000, 5000, 100);
        EXPECT_TRUE(l >= -5000 && l <= 5000) << l;
        quint8 b = 5;
        CzytajBajt(plik, QStringLiteral("Próba"), QStringLiteral("Bajt"), b, 3, 200, 7);
        EXPECT_TRUE(b >= 3 && b <= 200) << int(b);
        bool f = false;
        CzytajBool(plik, QStringLiteral("Próba"), QStringLiteral("Flaga"), f);
        QString k;
        CzytajKatalog(plik, QStringLiteral("Próba"), QStringLiteral("Katalog"), KatalogStartowy, k);
        CzytajKlucz(plik, QStringLiteral("Nazwa programu"), QStringLiteral("Nazwa"));
        JestKlucz(plik, QStringLiteral("Nastawy programu"), QStringLiteral("Id"));
    }, 300);
}

}  // namespace
