#include "mixeditor/NastawyWgrywania.h"

#include "foundation/KestDysk2.h"
#include "foundation/Text.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

NastawyWgrywania Wgrywanie;

namespace {

#define K(pole) QStringLiteral(#pole), &W.pole

// A number kept as text: any value that is not one of the accepted numbers
// (or not a number at all) gives the fallback.
OpisKlucza LiczbaJakoTekst(const QString& klucz, QString* v, const QString& domyslna, const QString& komentarz,
                           std::function<bool(qint64)> dobra)
{
    OpisKlucza k = KluczTekst(klucz, v, domyslna, komentarz);
    k.pustyZostawia = true;
    k.pustyDomyslny = false;
    k.czytaj = [klucz, v, domyslna, dobra](const ZbiorNastaw& zbior, const QString& sekcja) {
        QString w;
        // A key left empty keeps what stands, as for any text key.
        if (!zbior.Wartosc(sekcja, klucz, w) || w.trimmed().isEmpty())
            return;
        qint64 n = 0;
        *v = parseInteger(w, n) && dobra(n) ? QString::number(n) : domyslna;
    };
    return k;
}

OpisSekcji ZbudujSekcjeWgrywania()
{
    auto& W = Wgrywanie;
    OpisSekcji s;
    s.nazwa = u"Wgrywanie"_s;
    s.tytul = u"WGRYWANIE"_s;

    OpisKlucza przedrostek = KluczTekst(K(WgrajNazwaPrzedrostek), u"DJ_"_s,
                                        u"Przedrostek nazwy wgrywanego DJa (dla typu = 3)"_s);
    przedrostek.pustyZostawia = false;
    przedrostek.pustyDomyslny = true;

    s.klucze = {
        KluczBajt(K(WgrajWejcieNr), 0, 3, 1, 1, u" Początkowy numer wejścia"_s),
        KluczLiczba(K(WgrajProbkowanieHz), 8000, 48000, 44100, 44100,
                    u"Domyślna częstotliwość próbkowania w Hz (np. 16000, 32000, 44100)"_s),
        KluczBajt(K(WgrajKanalyNr), 1, 2, 2, 2, u"Domyślna liczba kanałów (1 - mono, 2 - stereo)"_s),
        KluczBool(K(WgrajAutomatJest), false, u"Czy automatyczne nagrywanie (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(WgrajPoziomAutomatdB), -90, 0, 0, 0, u"Początkowy poziom automatycznego nagrywania (dB)"_s),
        KluczLiczba(K(WgrajPoziomWeKanal1dB), -90, 0, 0, 0, u"Początkowy poziom wejściowy - kanał 1 (dB) (i mono)"_s),
        KluczLiczba(K(WgrajPoziomWeKanal2dB), -90, 0, 0, 0, u"Początkowy poziom wejściowy - kanał 2 (dB)"_s),
        KluczBool(K(WgrajPodsluchJest), false, u"Czy podsłuch wejścia na wyjściu (0 - nie, 1 - tak) ?"_s),
        KluczBajt(K(WgrajNazwaTyp), 0, 3, 0, 0,
                  u"Domyślna nazwa nagrania (0-DJ_kolejny numer, 1-DJnrstan_mmddhhmmss, 2-mmdd(z playlisty)_hhmmss 3-przedr nrstan mmddhhmmss"_s),
        przedrostek,
        KluczBool(K(WgrajPrzedrostekZNazwyPL), false,
                  u"Czy przedrostek nazwy DJa z nazwy playlisty (0 - nie, 1 - tak) ?"_s),
        KluczBajt(K(WgrajEkstenderTyp), 0, 0, 0, 0, u"Domyślne rozszerzenie nazwy nagrania (0 - DJ_ + kolejny numer)"_s),
        KluczKatalog(K(WgrajKatalogLok), u"Katalog lokalny wgrywania DJa"_s),
        KluczKatalog(K(WgrajKatalogSiec), u"Katalog sieciowy wgrywania DJa"_s),
        KluczKatalog(K(WgrajKatalogSiec2), u"Katalog sieciowy wgrywania DJa (po kompresji)"_s),
        KluczBool(K(WgrajZastapPytaj), true, u"Czy pytać o zastąpienie BREAK wgranym DJem (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(WgrajMaksimumJest), true, u"Czy maksymalizować wgranego DJa (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(WgrajMaksimumPytaj), true, u"Czy pytać o maksymalizację wgranego DJa (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(WgrajKompresujJest), false, u"Czy kompresować wgranego DJa (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(WgrajKompresujPytaj), false, u"Czy pytać o kompresję wgranego DJa (0 - nie, 1 - tak) ?"_s),
        LiczbaJakoTekst(K(WgrajKompresujStrumien), u"256"_s, u"Strumień kompresji wgranego DJa"_s,
                        [](qint64 n) { return n == 64 || n == 128 || n == 256; }),
        KluczBool(K(WgrajKopiujJest), true, u"Czy kopiowanie wgranego DJa (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(WgrajKopiujPytaj), true, u"Czy pytać o kopiowanie wgranego DJa (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(WgrajKopiujZmienAdres), false, u"Czy zmienić adres wgranego DJa (0 - nie, 1 - tak) ?"_s),
        LiczbaJakoTekst(K(WgrajDJPoziomdB), u"0"_s, u"Poziom wgranego DJa (w dB od 0 do 90)"_s,
                        [](qint64 n) { return n >= 0 && n <= 90; }),
        KluczLiczba(K(KaczkaPoziomdB), 0, 90, 0, 0, u"Poziom kaczki (w dB od 0 do 90)"_s),
        KluczLiczba(K(KaczkaWejscieMS), 0, 2000, 0, 0, u"Czas wejscia kaczki (w ms od 0 do 1000)"_s),
        KluczLiczba(K(KaczkaWyjscieMS), 0, 2000, 0, 0, u"Czas wyjscia kaczki (w ms od 0 do 1000)"_s),
        KluczBool(K(WgrajZderzaki), true, u"Czy zderzaki na trzecim sladzie (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(WgrajModyfikacjaPytaj), true,
                  u"Czy pytać o modyfikację gdy wprowadzono zmiany (0 - nie, 1 - tak) ?"_s),
        // 3 is kept as the technician wrote it; only the curves that exist
        // (1 and 2) are given to the tracks.
        KluczBajt(K(WgrajFadeTyp), 0, 3, 0, 0,
                  u"Domyślna charakterystyka fadów (0-bez zmian, 1-\"wypukła\", 2-\"wklęsła\""_s),
    };
    return s;
}

#undef K

}  // namespace

const OpisSekcji& SekcjaWgrywania()
{
    static const OpisSekcji s = ZbudujSekcjeWgrywania();
    return s;
}

void WgrywanieDomyslne()
{
    UstawDomyslne(SekcjaWgrywania());
}

void WgrywanieCzytajINI(const QString& plik)
{
    WgrywanieCzytajINI(ZbiorNastaw::Wczytaj(plik));
}

void WgrywanieCzytajINI(const ZbiorNastaw& zbior)
{
    CzytajSekcje(zbior, SekcjaWgrywania());
}

void WgrywanieZapiszINI(const QString& plik)
{
    ZapiszSekcje(plik, SekcjaWgrywania());
}

QString ZbiorWKataloguWgrywania(const QString& katalog, const QString& nazwa) {
    if (katalog.isEmpty()) return nazwa;
    QString k = katalog;
    while (k.endsWith(u'\\') || k.endsWith(u'/')) k.chop(1);
    return platform::storedPath(k + (platform::hasDriveLetter(k) ? u'\\' : u'/') + nazwa);
}
