#include "library/NastawyPomoc.h"

#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"

OpisKlucza KluczKatalogZapamietany(const QString& klucz, QString* v, WartoscCzytana* pamiec, const QString& komentarz,
                                   bool domyslnieStartowy) {
    OpisKlucza k = KluczKatalog(klucz, v, komentarz, domyslnieStartowy);
    k.domyslna = [v, pamiec, domyslnieStartowy] {
        *v = domyslnieStartowy ? KatalogStartowy : QString();
        pamiec->Zapomnij();
    };
    k.czytaj = [klucz, v, pamiec](const ZbiorNastaw& zbior, const QString& sekcja) {
        QString tekst;
        if (!zbior.Wartosc(sekcja, klucz, tekst) || tekst.isEmpty())
            return;
        zbior.Katalog(sekcja, klucz, KatalogStartowy, *v);
        pamiec->Zapamietaj(tekst, *v);
    };
    k.zapisz = [v, pamiec] { return pamiec->DoZapisu(*v); };
    return k;
}

void ZapiszSekcjeGrupami(const QString& plik, const OpisSekcji& sekcja) {
    PiszSekcje(plik, sekcja.tytul, sekcja.nazwa);
    for (const OpisKlucza& k : sekcja.klucze) {
        if (!k.Zapisywany())
            continue;
        if (!k.komentarz.isEmpty())
            PiszKomentarz(plik, k.komentarz);
        PiszKlucz(plik, k.klucz, WartoscKlucza(k));
    }
}
