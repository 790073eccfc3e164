#include "foundation/TabelaNastaw.h"

#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"

namespace {

template <class... F>
struct Kazdy : F... {
    using F::operator()...;
};
template <class... F>
Kazdy(F...) -> Kazdy<F...>;

OpisKlucza klucz(const QString& nazwa, ZmiennaKlucza v, const QString& komentarz) {
    OpisKlucza k;
    k.klucz = nazwa;
    k.zmienna = v;
    k.komentarz = komentarz;
    return k;
}
OpisKlucza zakres(OpisKlucza k, qint32 min, qint32 max, qint32 zastepcza, qint64 domyslna) {
    k.minimum = min;
    k.maksimum = max;
    k.zastepcza = zastepcza;
    k.domyslnaLiczba = domyslna;
    return k;
}
}  // namespace

OpisKlucza KluczBool(const QString& nazwa, bool* v, bool domyslna, const QString& komentarz) {
    OpisKlucza k = klucz(nazwa, v, komentarz);
    k.domyslnaLiczba = domyslna ? 1 : 0;
    return k;
}

OpisKlucza KluczBajt(const QString& nazwa, quint8* v, int min, int max, int zastepcza, int domyslna, const QString& komentarz) {
    return zakres(klucz(nazwa, v, komentarz), min, max, zastepcza, domyslna);
}

OpisKlucza KluczLiczba(const QString& nazwa, qint32* v, qint32 min, qint32 max, qint32 zastepcza, qint32 domyslna, const QString& komentarz) {
    return zakres(klucz(nazwa, v, komentarz), min, max, zastepcza, domyslna);
}

OpisKlucza KluczTekst(const QString& nazwa, QString* v, const QString& domyslna, const QString& komentarz, int maxDlugosc) {
    OpisKlucza k = klucz(nazwa, ZmiennaTekstu{v}, komentarz);
    k.domyslnyTekst = domyslna;
    k.maxDlugosc = maxDlugosc;
    return k;
}

OpisKlucza KluczKatalog(const QString& nazwa, QString* v, const QString& komentarz, bool domyslnieStartowy) {
    OpisKlucza k = klucz(nazwa, ZmiennaKatalogu{v}, komentarz);
    k.domyslnieStartowy = domyslnieStartowy;
    return k;
}

void UstawDomyslne(const OpisSekcji& sekcja) {
    for (const OpisKlucza& k : sekcja.klucze) {
        if (k.domyslna) {
            k.domyslna();
            continue;
        }
        std::visit(Kazdy{
                       [](std::monostate) {},
                       [&](bool* v) { *v = k.domyslnaLiczba != 0; },
                       [&](quint8* v) { *v = quint8(k.domyslnaLiczba); },
                       [&](qint32* v) { *v = qint32(k.domyslnaLiczba); },
                       [&](ZmiennaTekstu t) { *t.v = k.domyslnyTekst; },
                       [&](ZmiennaKatalogu f) { *f.v = k.domyslnieStartowy ? KatalogStartowy : QString(); },
                   },
                   k.zmienna);
    }
}

void CzytajSekcje(const ZbiorNastaw& zbior, const OpisSekcji& sekcja) {
    const QString& s = sekcja.nazwa;
    for (const OpisKlucza& k : sekcja.klucze) {
        if (k.czytaj) {
            k.czytaj(zbior, s);
            continue;
        }
        std::visit(Kazdy{
                       [](std::monostate) {},
                       [&](bool* v) { zbior.Bool(s, k.klucz, *v); },
                       [&](quint8* v) { zbior.Bajt(s, k.klucz, *v, k.minimum, k.maksimum, k.zastepcza); },
                       [&](qint32* v) { zbior.Liczba(s, k.klucz, *v, k.minimum, k.maksimum, k.zastepcza); },
                       [&](ZmiennaTekstu t) {
                           // A missing key keeps the value; a key written with an
                           // empty value means empty, unless the key says otherwise.
                           QString w;
                           if (!zbior.Wartosc(s, k.klucz, w, k.doslowny)) return;
                           if (w.isEmpty() && k.pustyZostawia) return;
                           if (w.isEmpty() && k.pustyDomyslny) w = k.domyslnyTekst;
                           if (k.maxDlugosc > 0) w = cutTo(w, k.maxDlugosc);
                           *t.v = w;
                       },
                       [&](ZmiennaKatalogu f) { zbior.Katalog(s, k.klucz, KatalogStartowy, *f.v); },
                   },
                   k.zmienna);
    }
}

QString WartoscKlucza(const OpisKlucza& k) {
    if (k.zapisz) return k.zapisz();
    return std::visit(Kazdy{
                          [](std::monostate) { return QString(); },
                          [](bool* v) { return *v ? QStringLiteral("1") : QStringLiteral("0"); },
                          [](quint8* v) { return QString::number(*v); },
                          [](qint32* v) { return QString::number(*v); },
                          [](ZmiennaTekstu t) { return *t.v; },
                          [](ZmiennaKatalogu f) { return *f.v; },
                      },
                      k.zmienna);
}

void ZapiszSekcje(const QString& plik, const OpisSekcji& sekcja) {
    PiszSekcje(plik, sekcja.tytul, sekcja.nazwa);
    for (const OpisKlucza& k : sekcja.klucze) {
        if (!k.Zapisywany()) continue;
        PiszKluczZKomentarzem(plik, k.komentarz, k.klucz, WartoscKlucza(k));
    }
}
