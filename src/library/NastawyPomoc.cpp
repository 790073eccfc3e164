#include "library/NastawyPomoc.h"

#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"

namespace {
const LinieNastaw* otwarte = nullptr;
}

LinieNastaw::LinieNastaw(const QString& plik)
    : linie_(ustawienia::czytajPlik(plik)), plik_(plik), poprzednie_(otwarte) {
    otwarte = this;
}

LinieNastaw::~LinieNastaw() { otwarte = poprzednie_; }

QStringList LinieNastaw::Dla(const QString& plik) {
    if (otwarte && otwarte->plik_ == plik)
        return otwarte->linie_;
    return ustawienia::czytajPlik(plik);
}

OpisKlucza KluczKatalogZapamietany(const QString& klucz, QString* v, WartoscCzytana* pamiec, const QString& komentarz,
                                   bool domyslnieStartowy) {
    OpisKlucza k = KluczKatalog(klucz, v, komentarz, domyslnieStartowy);
    k.domyslna = [v, pamiec, domyslnieStartowy] {
        *v = domyslnieStartowy ? KatalogStartowy : QString();
        pamiec->Zapomnij();
    };
    k.czytaj = [klucz, v, pamiec](const QString& plik, const QString& sekcja) {
        const QStringList linie = LinieNastaw::Dla(plik);
        QString tekst;
        if (!ustawienia::wartosc(linie, sekcja, klucz, tekst) || tekst.isEmpty())
            return;
        ustawienia::katalog(linie, sekcja, klucz, KatalogStartowy, *v);
        pamiec->Zapamietaj(tekst, *v);
    };
    k.zapisz = [v, pamiec] { return pamiec->DoZapisu(*v); };
    return k;
}

void ZapiszSekcjeGrupami(const QString& plik, const OpisSekcji& sekcja) {
    PiszSekcje(plik, sekcja.tytul, sekcja.nazwa);
    for (const OpisKlucza& k : sekcja.klucze) {
        if (k.tylkoCzytany)
            continue;
        if (!k.komentarz.isEmpty())
            PiszKomentarz(plik, k.komentarz);
        PiszKlucz(plik, k.klucz, WartoscKlucza(k));
    }
}
