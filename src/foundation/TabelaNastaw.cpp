#include "foundation/TabelaNastaw.h"

#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"

namespace {
OpisKlucza klucz(const QString& nazwa, TypKlucza typ, void* v, const QString& komentarz) {
    OpisKlucza k;
    k.klucz = nazwa;
    k.typ = typ;
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
    OpisKlucza k = klucz(nazwa, TypKlucza::Bool, v, komentarz);
    k.domyslnaLiczba = domyslna ? 1 : 0;
    return k;
}

OpisKlucza KluczBajt(const QString& nazwa, quint8* v, int min, int max, int zastepcza, int domyslna, const QString& komentarz) {
    return zakres(klucz(nazwa, TypKlucza::Bajt, v, komentarz), min, max, zastepcza, domyslna);
}

OpisKlucza KluczLiczba(const QString& nazwa, qint32* v, qint32 min, qint32 max, qint32 zastepcza, qint32 domyslna, const QString& komentarz) {
    return zakres(klucz(nazwa, TypKlucza::Liczba, v, komentarz), min, max, zastepcza, domyslna);
}

OpisKlucza KluczTekst(const QString& nazwa, QString* v, const QString& domyslna, const QString& komentarz, int maxDlugosc) {
    OpisKlucza k = klucz(nazwa, TypKlucza::Tekst, v, komentarz);
    k.domyslnyTekst = domyslna;
    k.maxDlugosc = maxDlugosc;
    return k;
}

OpisKlucza KluczKatalog(const QString& nazwa, QString* v, const QString& komentarz, bool domyslnieStartowy) {
    OpisKlucza k = klucz(nazwa, TypKlucza::Katalog, v, komentarz);
    k.domyslnieStartowy = domyslnieStartowy;
    return k;
}

void UstawDomyslne(const OpisSekcji& sekcja) {
    for (const OpisKlucza& k : sekcja.klucze) {
        if (k.domyslna) {
            k.domyslna();
            continue;
        }
        switch (k.typ) {
        case TypKlucza::Bool: *static_cast<bool*>(k.zmienna) = k.domyslnaLiczba != 0; break;
        case TypKlucza::Bajt: *static_cast<quint8*>(k.zmienna) = quint8(k.domyslnaLiczba); break;
        case TypKlucza::Liczba: *static_cast<qint32*>(k.zmienna) = qint32(k.domyslnaLiczba); break;
        case TypKlucza::Tekst: *static_cast<QString*>(k.zmienna) = k.domyslnyTekst; break;
        case TypKlucza::Katalog: *static_cast<QString*>(k.zmienna) = k.domyslnieStartowy ? KatalogStartowy : QString(); break;
        case TypKlucza::Wlasny: break;
        }
    }
}

void CzytajSekcje(const QString& plik, const OpisSekcji& sekcja) {
    // One read of the file for the whole section: the same rules as the
    // single-key readers, without scanning the file once per key.
    const QStringList linie = ustawienia::czytajPlik(plik);
    const QString& s = sekcja.nazwa;
    for (const OpisKlucza& k : sekcja.klucze) {
        if (k.czytaj) {
            k.czytaj(plik, s);
            continue;
        }
        switch (k.typ) {
        case TypKlucza::Bool: ustawienia::boolean(linie, s, k.klucz, *static_cast<bool*>(k.zmienna)); break;
        case TypKlucza::Bajt:
            ustawienia::bajt(linie, s, k.klucz, *static_cast<quint8*>(k.zmienna), k.minimum, k.maksimum, k.zastepcza);
            break;
        case TypKlucza::Liczba:
            ustawienia::liczba(linie, s, k.klucz, *static_cast<qint32*>(k.zmienna), k.minimum, k.maksimum, k.zastepcza);
            break;
        case TypKlucza::Tekst: {
            // A missing key keeps the value; a key written with an empty
            // value means empty, unless the key says otherwise.
            auto* v = static_cast<QString*>(k.zmienna);
            QString t;
            if (!ustawienia::wartosc(linie, s, k.klucz, t)) break;
            if (t.isEmpty() && k.pustyZostawia) break;
            if (t.isEmpty() && k.pustyDomyslny) t = k.domyslnyTekst;
            if (k.maxDlugosc > 0) t = cutTo(t, k.maxDlugosc);
            *v = t;
            break;
        }
        case TypKlucza::Katalog:
            ustawienia::katalog(linie, s, k.klucz, KatalogStartowy, *static_cast<QString*>(k.zmienna));
            break;
        case TypKlucza::Wlasny: break;
        }
    }
}

QString WartoscKlucza(const OpisKlucza& k) {
    if (k.zapisz) return k.zapisz();
    switch (k.typ) {
    case TypKlucza::Bool: return *static_cast<const bool*>(k.zmienna) ? QStringLiteral("1") : QStringLiteral("0");
    case TypKlucza::Bajt: return QString::number(*static_cast<const quint8*>(k.zmienna));
    case TypKlucza::Liczba: return QString::number(*static_cast<const qint32*>(k.zmienna));
    case TypKlucza::Tekst:
    case TypKlucza::Katalog: return *static_cast<const QString*>(k.zmienna);
    case TypKlucza::Wlasny: return QString();
    }
    return QString();
}

void ZapiszSekcje(const QString& plik, const OpisSekcji& sekcja) {
    PiszSekcje(plik, sekcja.tytul, sekcja.nazwa);
    for (const OpisKlucza& k : sekcja.klucze) {
        if (k.tylkoCzytany) continue;
        PiszKluczZKomentarzem(plik, k.komentarz, k.klucz, WartoscKlucza(k));
    }
}
