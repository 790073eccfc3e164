#include "library/DBazaNastawy.h"

#include <QFileInfo>

#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "library/DBaza.h"
#include "library/DBazaWewn.h"
#include "library/NastawyPomoc.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

NastawyBazyNagran BazaNagran;

namespace {

const QString Sekcja = u"Baza nagran"_s;

WartoscCzytana czytanyZbior;
WartoscCzytana czytanaSiec;
WartoscCzytana czytanyPrzeslij;

OpisKlucza ZeZmiana(OpisKlucza k, std::function<void(const ZbiorNastaw&, const QString&)> czytaj) {
    k.czytaj = std::move(czytaj);
    return k;
}

// The database file: a relative name made absolute against the program
// folder, "NIE_MA" when it does not exist.
OpisKlucza KluczZbioru() {
    auto& B = BazaNagran;
    OpisKlucza k = KluczTekst(u"BazaZbior"_s, &B.BazaZbior, u"BAZA.BAZ"_s, u"Zbiór bazy nagrań - pełna ścieżka dostępu"_s);
    k.domyslna = [&B] {
        B.BazaZbior = u"BAZA.BAZ"_s;
        czytanyZbior.Zapomnij();
    };
    k.czytaj = [&B](const ZbiorNastaw& zbior, const QString& s) {
        QString v;
        if (!zbior.Wartosc(s, u"BazaZbior"_s, v))
            return;
        const QString czytany = v;
        // A path without a drive letter that starts at the root is an
        // ordinary Linux path: kept as written, letter case included.
        if (!v.isEmpty() && !v.startsWith(u'/')) {
            v = upperPL(v);
            if (v.size() < 2 || v[1] != u':')
                v = joinPath(KatalogStartowy, v);
        }
        // Anything under the name keeps it (reading it says what is wrong);
        // only a missing file falls back to the program folder's database.
        B.BazaZbior = !v.isEmpty() && QFileInfo::exists(platform::resolvePath(v)) ? v : u"NIE_MA"_s;
        czytanyZbior.Zapamietaj(czytany, B.BazaZbior);
    };
    k.zapisz = [&B] { return czytanyZbior.DoZapisu(B.BazaZbior); };
    return k;
}

// An hour 0..24; an end hour out of range falls back to its band's start.
OpisKlucza KluczGodziny(const QString& klucz, qint32* v, const QString& komentarz, const qint32* poczatek = nullptr) {
    OpisKlucza k = KluczLiczba(klucz, v, 0, 24, 0, 0, komentarz);
    if (poczatek)
        k.czytaj = [klucz, v, poczatek](const ZbiorNastaw& zbior, const QString& s) {
            zbior.Liczba(s, klucz, *v, 0, 24, *poczatek);
        };
    return k;
}

OpisSekcji Zbuduj() {
    auto& B = BazaNagran;
    OpisSekcji s;
    s.nazwa = Sekcja;
    s.tytul = u"BAZA NAGRAŃ"_s;
    auto& k = s.klucze;
    k.push_back(KluczZbioru());
    k.push_back(ZeZmiana(KluczTekst(u"BazaTypy"_s, &B.BazaTypy, u".WAV:.MP2:.MP3"_s,
                                    u"Typy szukanych nagrań (format: .***:.***:.***)"_s),
                         [&B](const ZbiorNastaw& zbior, const QString& s) {
                             QString v;
                             if (!zbior.Wartosc(s, u"BazaTypy"_s, v))
                                 return;
                             v = upperPL(v);
                             B.BazaTypy = (v.size() < 2 || v[0] != u'.') ? u".WAV"_s : v;
                         }));
    k.push_back(ZeZmiana(KluczTekst(u"BazaDyski"_s, &B.BazaDyski, u"C,D"_s, u"Przeszukiwane dyski (wymienione np. C,D,I,M)"_s),
                         [&B](const ZbiorNastaw& zbior, const QString& s) {
                             QString v;
                             if (!zbior.Wartosc(s, u"BazaDyski"_s, v))
                                 return;
                             B.BazaDyski = v.isEmpty() ? u"C"_s : upperPL(v);
                         }));
    k.push_back(KluczBool(u"BAZAKatalogiSzukajJest"_s, &B.BAZAKatalogiSzukajJest, false,
                          u"Czy przeszukiwanie katalogów zamiast dysków (0 - nie, 1 - tak) ?"_s));
    for (int i = 0; i < 10; ++i) {
        const QString klucz = u"BAZAKatalogSzukaj"_s + QString::number(i + 1);
        QString* v = &B.BAZAKatalogSzukaj[size_t(i)];
        // One comment above the ten lines.
        k.push_back(ZeZmiana(KluczTekst(klucz, v, QString(), i == 0 ? u"Przeszukiwane katalogi (10 pełnych adresów):"_s : QString()),
                             [klucz, v](const ZbiorNastaw& zbior, const QString& s) {
                                 QString w;
                                 *v = zbior.Wartosc(s, klucz, w) ? upperPL(w) : QString();
                             }));
    }
    k.push_back(KluczBool(u"BazaStartKopiuj"_s, &B.BazaStartKopiuj, false,
                          u"Czy kopiowanie z sieci bazy po uruchomieniu programu (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczKatalogZapamietany(u"BAZAKatalogSiec"_s, &B.BAZAKatalogSiec, &czytanaSiec,
                                        u"Katalog sieciowy zbioru bazy nagrań (PROGRAM - katalog programu)"_s, false));
    k.push_back(ZeZmiana(KluczBool(u"BazaUtworzJest"_s, &B.BazaUtworzJest, true, u"Czy możliwe tworzenie bazy (0 - nie, 1 - tak) ?"_s),
                         [&B](const ZbiorNastaw& zbior, const QString& s) {
                             // The older key first; a line of the new one wins.
                             zbior.Bool(s, u"BazaEdycjaJest"_s, B.BazaUtworzJest);
                             zbior.Bool(s, u"BazaUtworzJest"_s, B.BazaUtworzJest);
                         }));
    k.push_back(KluczBool(u"BazaAktualizujJest"_s, &B.BazaAktualizujJest, true, u"Czy możliwa aktualizacja bazy (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczBool(u"BazaKopiujJest"_s, &B.BazaKopiujJest, false, u"Czy możliwe kopiowanie bazy (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczBool(u"BazaKopiujPytaj"_s, &B.BazaKopiujPytaj, true, u"Czy pytanie o kopiowanie bazy (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczBool(u"BazaKopiujStarszaPytaj"_s, &B.BazaKopiujStarszaPytaj, true,
                          u"Czy pytanie o kopiowanie gdy zbiór kopiowany starszy (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczBool(u"BazaOdczytJest"_s, &B.BazaOdczytJest, false,
                          u"Czy odczyt bazy przy każdym wywołaniu funkcji Baza (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczBool(u"BazaLicznikJest"_s, &B.BazaLicznikJest, false, u"Czy uruchomiony licznik odegrań (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczBool(u"BazaLicznikDodaj"_s, &B.BazaLicznikDodaj, false, u"Czy zwiększanie liczników odegrań (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczBool(u"BazaLicznikZerujJest"_s, &B.BazaLicznikZerujJest, false,
                          u"Czy możliwe zerowanie liczników odegrań (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczBool(u"BazaBrakKopiuj"_s, &B.BazaBrakKopiuj, false,
                          u"Czy po wyborze kopiowanie brakującego nagrania (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczBool(u"BazaBrakKopiujPytaj"_s, &B.BazaBrakKopiujPytaj, true,
                          u"Czy pytanie o kopiowanie brakującego nagrania (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczBool(u"BazaFiltrJest"_s, &B.BazaFiltrJest, false, u"Czy filtrowanie bazy nagrań (0 - nie, 1 - tak) ?"_s));
    k.push_back(ZeZmiana(KluczTekst(u"BazaFiltr"_s, &B.BazaFiltr, QString(), u"Filtr bazy nagrań (jeden wyraz)"_s),
                         [&B](const ZbiorNastaw& zbior, const QString& s) {
                             QString v;
                             if (!zbior.Wartosc(s, u"BazaFiltr"_s, v))
                                 return;
                             B.BazaFiltr = v.size() < 2 ? QString() : upperPL(v);
                         }));
    k.push_back(KluczLiczba(u"BazaSort"_s, &B.BazaSort, 1, 4, 0, 1,
                            u"Początkowy tryb sortowania (1 - wykonawca, 2 - tytuł, 3 - czas, 4 - kod)"_s));
    {
        OpisKlucza l = KluczLiczba(u"BazaLitera"_s, &B.BazaLitera, 1, 26, 1, 1,
                                   u"Początkowa litera sortowania (pojedyncza litera z zakresu: A - Z)"_s);
        l.czytaj = [&B](const ZbiorNastaw& zbior, const QString& s) {
            QString v;
            if (!zbior.Wartosc(s, u"BazaLitera"_s, v))
                return;
            const QString d = upperPL(v);
            B.BazaLitera = (d.size() == 1 && d[0] >= u'A' && d[0] <= u'Z') ? d[0].unicode() - u'A' + 1 : 1;
        };
        l.zapisz = [&B] {
            const qint32 n = (B.BazaLitera >= 1 && B.BazaLitera <= 26) ? B.BazaLitera : 1;
            return QString(QChar(u'A' + n - 1));
        };
        k.push_back(l);
    }
    k.push_back(KluczBool(u"BazaWielkoscLiter"_s, &B.BazaWielkoscLiter, true,
                          u"Czy rozróżniane duże i małe litery (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczGodziny(u"BazaPasmo1Poczatek"_s, &B.BazaPasmo1Poczatek, u"Godzina początku 1. pasma bez ograniczeń (0 - 24)"_s));
    k.push_back(KluczGodziny(u"BazaPasmo1Koniec"_s, &B.BazaPasmo1Koniec, u"Godzina końca 1. pasma bez ograniczeń (0 - 24)"_s,
                             &B.BazaPasmo1Poczatek));
    k.push_back(KluczGodziny(u"BazaPasmo2Poczatek"_s, &B.BazaPasmo2Poczatek, u"Godzina początku 2. pasma bez ograniczeń (0 - 24)"_s));
    k.push_back(KluczGodziny(u"BazaPasmo2Koniec"_s, &B.BazaPasmo2Koniec, u"Godzina końca 2. pasma bez ograniczeń (0 - 24)"_s,
                             &B.BazaPasmo2Poczatek));
    k.push_back(KluczLiczba(u"BazaPasmoDzien1"_s, &B.BazaPasmoDzien1, 0, 7, 0, 0,
                            u"Numer pierwszego dnia specjalnego (0 - nie ma, 1 - niedziela ... 7 - sobota)"_s));
    k.push_back(KluczGodziny(u"BazaPasmoDzien1Poczatek"_s, &B.BazaPasmoDzien1Poczatek,
                             u"Godzina początku pasma bez ograniczeń 1. dnia specjalnego (0 - 24)"_s));
    k.push_back(KluczGodziny(u"BazaPasmoDzien1Koniec"_s, &B.BazaPasmoDzien1Koniec,
                             u"Godzina końca pasma bez ograniczeń 1. dnia specjalnego (0 - 24)"_s, &B.BazaPasmoDzien1Poczatek));
    k.push_back(KluczLiczba(u"BazaPasmoDzien2"_s, &B.BazaPasmoDzien2, 0, 7, 0, 0,
                            u"Numer drugiego dnia specjalnego (0 - nie ma, 1 - niedziela ... 7 - sobota)"_s));
    k.push_back(KluczGodziny(u"BazaPasmoDzien2Poczatek"_s, &B.BazaPasmoDzien2Poczatek,
                             u"Godzina początku pasma bez ograniczeń 2. dnia specjalnego (0 - 24)"_s));
    k.push_back(KluczGodziny(u"BazaPasmoDzien2Koniec"_s, &B.BazaPasmoDzien2Koniec,
                             u"Godzina końca pasma bez ograniczeń 2. dnia specjalnego (0 - 24)"_s, &B.BazaPasmoDzien2Poczatek));
    k.push_back(KluczBool(u"BazaPrzeslijJest"_s, &B.BazaPrzeslijJest, false, u"Czy dostępna opcja [Prześlij] (0 - nie, 1 - tak) ?"_s));
    k.push_back(KluczKatalogZapamietany(u"BAZAPrzeslijKatalog"_s, &B.BAZAPrzeslijKatalog, &czytanyPrzeslij,
                                        u"Katalog docelowy przesyłanych zbiorów (PROGRAM - katalog programu)"_s, false));
    k.push_back(KluczBool(u"BazaPrzeslijZmienNazwe"_s, &B.BazaPrzeslijZmienNazwe, false,
                          u"Czy zmiana nazwy przesyłanych zbiorów (0 - nie, 1 - tak) ?"_s));
    return s;
}

bool WPasmie(int h, qint32 poczatek, qint32 koniec) { return poczatek <= h && h <= koniec; }

// "yyyy-mm-dd" at the start of the text.
bool ZaczynaSieData(const QString& t) {
    if (t.size() < 10 || t[4] != u'-' || t[7] != u'-')
        return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (t[i] < u'0' || t[i] > u'9')
            return false;
    return true;
}

}  // namespace

const OpisSekcji& SekcjaBazyNagran() {
    static const OpisSekcji s = Zbuduj();
    return s;
}

void BazaNastawyDomyslne() { UstawDomyslne(SekcjaBazyNagran()); }

void BazaNastawyZapisz(const QString& plik) { ZapiszSekcjeGrupami(plik, SekcjaBazyNagran()); }

void BazaNastawyCzytaj(const QString& plik) { BazaNastawyCzytaj(ZbiorNastaw::Wczytaj(plik)); }
void BazaNastawyCzytaj(const ZbiorNastaw& zbior) { CzytajSekcje(zbior, SekcjaBazyNagran()); }

QString BazaKatalogSieciNiedostepny() {
    const WartoscCzytana& c = czytanaSiec;
    const QString czytany = upperPL(c.czytana);
    const bool zastepczy = c.jest && BazaNagran.BAZAKatalogSiec == c.przyjeta && czytany != u"PROGRAM"_s &&
                           c.przyjeta != czytany;
    return zastepczy ? c.czytana : QString();
}

bool BazaPasmoBezOgraniczen() {
    const auto& B = BazaNagran;
    int g = 0, m = 0, s = 0;
    CzasCzesci(g, m, s);
    if (WPasmie(g, B.BazaPasmo1Poczatek, B.BazaPasmo1Koniec) || WPasmie(g, B.BazaPasmo2Poczatek, B.BazaPasmo2Koniec))
        return true;
    int rok = 0, miesiac = 0, dzien = 0, dzienTygodnia = 0;
    DataIDzienTygodnia(rok, miesiac, dzien, dzienTygodnia);  // 1 = Sunday, as the settings number the days
    if (B.BazaPasmoDzien1 != 0 && B.BazaPasmoDzien1 == dzienTygodnia &&
        WPasmie(g, B.BazaPasmoDzien1Poczatek, B.BazaPasmoDzien1Koniec))
        return true;
    if (B.BazaPasmoDzien2 != 0 && B.BazaPasmoDzien2 == dzienTygodnia &&
        WPasmie(g, B.BazaPasmoDzien2Poczatek, B.BazaPasmoDzien2Koniec))
        return true;
    return false;
}

void BazaDodajOdegranie(const QString& sciezka, const QString& tekst) {
    // The hour is the play's own; a held-back play is not tested again.
    if (BazaPasmoBezOgraniczen())
        return;
    if (BazaZajeta())
        BazaOdlozOdegranie(sciezka, tekst);
    else
        BazaPoliczOdegranie(sciezka, tekst);
}

void BazaPoliczOdegranie(const QString& sciezka, const QString& tekst) {
    // No table to count in (the file missing, unreadable or not answering):
    // the play goes to the log, so that the station can add it.
    if (BazaLiczba <= 0) {
        if (!BazaWczytana)
            Log(u"Odegranie nie zapisane - baza nagrań nie wczytana: "_s + tekst + u' ' + sciezka);
        return;
    }
    // A table that holds only part of the file is never saved: a play counted
    // into it, or one of a recording it lacks, would vanish. Each goes to the
    // log, so that the station can add it.
    if (!BazaKompletna)
        Log(u"Odegranie nie zapisane - baza nagrań niepełna: "_s + tekst + u' ' + sciezka);
    const int nr = BazaPozycjaAdresu(sciezka);
    if (nr == 0)
        return;
    QString t = tekst;
    if (!ZaczynaSieData(t)) {
        // Counting by a date in another form would reset the day, month and
        // year counters at every play; today's date stands in.
        const qsizetype spacja = t.indexOf(u' ');
        t = DataTekst() + (spacja >= 0 ? t.mid(spacja) : QString());
        Log(u"Licznik odegrań: data \""_s + tekst + u"\" zastąpiona dzisiejszą"_s);
    }
    BAZARekordTyp& r = BazaRekordy[nr];
    const QString& o = r.EmO;
    ++r.EmC;
    const bool rok = charsAt(t, 1, 4) == charsAt(o, 1, 4);
    const bool miesiac = rok && charsAt(t, 6, 2) == charsAt(o, 6, 2);
    const bool dzien = miesiac && charsAt(t, 9, 2) == charsAt(o, 9, 2);
    if (!rok) {
        r.EmR = r.EmM = r.EmD = 1;
    } else {
        ++r.EmR;
        if (!miesiac) {
            r.EmM = r.EmD = 1;
        } else {
            ++r.EmM;
            if (!dzien)
                r.EmD = 1;
            else
                ++r.EmD;
        }
    }
    r.EmO = t;
    BazaZmieniona = true;
    BazaLicznikiDoZapisu();
}
