#include "library/DKatalogNastawy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "library/DKatalog.h"
#include "library/NastawyPomoc.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

NastawyKatalogow Katalogi;
const QString TypyAktualizacji = u".MP2:.MP3:.WAV:.DAT:.SEL:.LST:.MIX:.OBW:.SIN:"_s;

namespace {

const QString Sekcja = u"Katalogi"_s;

WartoscCzytana czytanyOpis[LiczbaKatalogowPrzyciskowych];
WartoscCzytana czytanyAdres[LiczbaKatalogowPrzyciskowych];

// A drive letter: upper-cased; anything but one character gives `zastepcza`.
OpisKlucza KluczLitery(const QString& klucz, QString* v, const QString& domyslna, const QString& zastepcza,
                       const QString& komentarz) {
    OpisKlucza k = KluczTekst(klucz, v, domyslna, komentarz);
    k.czytaj = [klucz, v, zastepcza](const ZbiorNastaw& zbior, const QString& s) {
        QString w;
        if (!zbior.Wartosc(s, klucz, w))
            return;
        *v = w.size() == 1 ? upperPL(w) : zastepcza;
    };
    return k;
}

void DodajPare(std::vector<OpisKlucza>& k, int i) {
    auto& K = Katalogi;
    const QString nr = QString::number(i + 1);
    QString* opis = &K.KatOpis[size_t(i)];
    QString* adres = &K.KatAdres[size_t(i)];
    WartoscCzytana* pOpis = &czytanyOpis[i];
    WartoscCzytana* pAdres = &czytanyAdres[i];

    OpisKlucza o = KluczTekst(u"KatOpis"_s + nr, opis, u"PROGRAM"_s,
                              i == 0 ? u"Katalogi przyciskowe (14 par: nazwa (do 8 liter), pełny adres)"_s : QString());
    o.domyslna = [opis, pOpis] {
        *opis = u"PROGRAM"_s;
        pOpis->Zapomnij();
    };
    o.czytaj = [klucz = o.klucz, opis, pOpis](const ZbiorNastaw& zbior, const QString& s) {
        QString w;
        if (!zbior.Wartosc(s, klucz, w))
            return;
        *opis = w;
        pOpis->Zapamietaj(w, w);
    };
    o.zapisz = [opis, pOpis] { return pOpis->DoZapisu(*opis); };
    k.push_back(o);

    OpisKlucza a = KluczKatalog(u"KatAdres"_s + nr, adres, QString(), true);
    a.domyslna = [adres, pAdres] {
        *adres = KatalogDomyslny();
        pAdres->Zapomnij();
    };
    // The address decides for the pair: a folder that is not there (or
    // "PROGRAM") makes the button the program folder's, caption included.
    a.czytaj = [klucz = a.klucz, opis, adres, pOpis, pAdres](const ZbiorNastaw& zbior, const QString& s) {
        QString w;
        if (!zbior.Wartosc(s, klucz, w))
            return;
        const QString duzy = upperPL(w);
        if (duzy == u"PROGRAM"_s || !JestKatalog(duzy)) {
            *opis = u"PROGRAM"_s;
            *adres = KatalogStartowy;
            if (pOpis->jest)
                pOpis->przyjeta = *opis;
        } else {
            *adres = duzy;
        }
        pAdres->Zapamietaj(w, *adres);
    };
    a.zapisz = [adres, pAdres] { return pAdres->DoZapisu(*adres); };
    k.push_back(a);
}

OpisSekcji Zbuduj() {
    auto& K = Katalogi;
    OpisSekcji s;
    s.nazwa = Sekcja;
    s.tytul = u"OKIENKO DIALOGOWE KATALOG"_s;
    auto& k = s.klucze;
    k.push_back(KluczBool(u"Czy14Katalogow"_s, &K.Czy14Katalogow, false,
                          u"Czy widoczne 7 czy 14 przycisków katalogów (0 - 7, 1 - 14)?"_s));
    k.push_back(KluczBool(u"CzyDyski"_s, &K.CzyDyski, true, u"Czy widoczne dyski w oknie katalogu (0 - nie, 1 - tak)?"_s));
    k.push_back(KluczBool(u"CzyNadkatalog"_s, &K.CzyNadkatalog, true,
                          u"Czy widoczny nadkatalog w okienku katalogu (0 - nie, 1 - tak)?"_s));
    k.push_back(KluczBool(u"CzyPodkatalogi"_s, &K.CzyPodkatalogi, true,
                          u"Czy widoczne podkatalogi w okienku katalogu (0 - nie, 1 - tak)?"_s));
    k.push_back(KluczLiczba(u"Tryb"_s, &K.Tryb, 1, 5, 1, 1,
                            u"Początkowy tryb wyświetlania (1 - nazwa, 2 - nazwa|ekst|rozmiar|data|godz., "
                            u"3 - nazwa|ekst|opis|data, 4 - nazwa|ekst|param., 5 - wyk|tytuł)"_s));
    k.push_back(KluczLiczba(u"Sortowanie"_s, &K.Sortowanie, 1, 4, 1, 1,
                            u"Początkowy sposób sortowania (wg: 1 - nazwy, 2 - typu, 3 - daty, 4 - rozm.)"_s));
    k.push_back(KluczBool(u"CzyKatalogFiltr"_s, &K.CzyKatalogFiltr, false, u"Czy filtrowanie zbiorów (0 - nie, 1 - tak)?"_s));
    k.push_back(KluczBool(u"CzyKatalogFiltrWlaczony"_s, &K.CzyKatalogFiltrWlaczony, false,
                          u"Czy domyślnie włączone filtrowanie (0 - nie, 1 - tak)?"_s));
    {
        OpisKlucza f = KluczTekst(u"KatalogFiltr"_s, &K.KatalogFiltr, QString(), u"Filtr - początkowe znaki"_s);
        f.czytaj = [&K](const ZbiorNastaw& zbior, const QString& s) {
            QString w;
            if (zbior.Wartosc(s, u"KatalogFiltr"_s, w))
                K.KatalogFiltr = upperPL(w);
        };
        k.push_back(f);
    }
    k.push_back(KluczBool(u"CzyKasZmien"_s, &K.CzyKasZmien, true,
                          u"Czy dostępne opcje Kasuj, Zmień w okienku katalogu (0 - nie, 1 - tak)?"_s));
    k.push_back(KluczBool(u"CzyKasZmienSiec"_s, &K.CzyKasZmienSiec, false,
                          u"Czy dostępne opcje Kasuj, Zmień w okienku katalogu dla d.sieciowego (0 - nie, 1 - tak)?"_s));
    k.push_back(KluczBool(u"CzyGranieSiec"_s, &K.CzyGranieSiec, false,
                          u"Czy możliwe granie w okienku katalogu z dysku sieciowego (0 - nie, 1 - tak)?"_s));
    k.push_back(KluczLiczba(u"MinRozm"_s, &K.MinRozm, 0, 2147483647, 0, 0,
                            u"Minimalny wolny rozmiar dysku lokalnego (MB) (0 - nie sprawdzane)"_s));
    k.push_back(KluczLiczba(u"MaxNum"_s, &K.MaxNum, 0, 1024, 0, 0,
                            u"Maksymalna liczba zbiorów w katalogu dysku lokalnego (0 - nie sprawdzane)"_s));
    k.push_back(KluczLiczba(u"MaxDni"_s, &K.MaxDni, 0, 1024, 0, 0,
                            u"Najstarsze zbiory w katalogu dysku lokalnego (dni) (0 - nie sprawdzane)"_s));
    k.push_back(KluczLitery(u"DyskOstatni"_s, &K.DyskOstatni, u"Z"_s, u"C"_s, u"Litera ostatniego dysku lokalnego (duza)"_s));
    k.push_back(KluczLitery(u"KatSiecStart"_s, &K.KatSiecStart, u"H"_s, u"H"_s, u"Litera pierwszego dysku sieciowego (duza)"_s));
    for (int i = 0; i < LiczbaKatalogowPrzyciskowych; ++i)
        DodajPare(k, i);
    k.push_back(KluczBool(u"CzyAktUsun"_s, &K.CzyAktUsun, false, u"Czy usuwanie zbiorow podczas aktualizacji (0 - nie, 1 - tak)?"_s));
    k.push_back(KluczBool(u"CzyAktFolderUsun"_s, &K.CzyAktFolderUsun, false,
                          u"Czy usuwanie folderow podczas aktualizacji (0 - nie, 1 - tak)?"_s));
    k.push_back(KluczBool(u"CzyAktFolderDodaj"_s, &K.CzyAktFolderDodaj, false,
                          u"Czy dodawanie folderow podczas aktualizacji (0 - nie, 1 - tak)?"_s));
    k.push_back(KluczBool(u"KatalogSiecNaLokalJest"_s, &K.KatalogSiecNaLokalJest, false,
                          u"Czy kopiowanie katalogow sieciowych na dysk lokalny (0 - nie, 1 - tak)?"_s));
    {
        OpisKlucza l = KluczTekst(u"KatalogSiecNaLokal"_s, &K.KatalogSiecNaLokal, QString(), QString());
        l.domyslna = [&K] { K.KatalogSiecNaLokal = KatalogStartowy; };
        l.czytaj = [&K](const ZbiorNastaw& zbior, const QString& s) {
            QString w;
            K.KatalogSiecNaLokal = zbior.Wartosc(s, u"KatalogSiecNaLokal"_s, w) ? w : QString();
        };
        k.push_back(l);
    }
    return s;
}

QStringList Typy() {
    QStringList t;
    for (const QString& e : TypyAktualizacji.split(u':'))
        if (!e.isEmpty())  // the list's trailing ":" must not match every file
            t << e;
    return t;
}

bool JestTypu(const QString& nazwa, const QStringList& typy) {
    const QString d = upperPL(nazwa);
    for (const QString& t : typy)
        if (d.endsWith(t))
            return true;
    return false;
}

// The files of the types in the folder; false when it cannot be listed.
bool PlikiTypow(const QString& katalog, const QStringList& typy, QStringList& wynik) {
    wynik.clear();
    const QDir dir(platform::resolvePath(katalog));
    if (!dir.exists() || !dir.isReadable())
        return false;
    for (const QString& p : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (JestTypu(p, typy))
            wynik << p;
    // A share that dropped while it was listed gives a short list.
    return dir.exists();
}

bool Starszy(const QString& a, const QString& b) {
    return QFileInfo(platform::resolvePath(a)).lastModified() < QFileInfo(platform::resolvePath(b)).lastModified();
}

void Blad(int kod, const QString& sciezka) {
    Log(u"Aktualizacja katalogu: błąd "_s + QString::number(kod) + u" "_s + sciezka);
    PokazBladKod(kod, QString(), sciezka);
}

}  // namespace

const OpisSekcji& SekcjaKatalogow() {
    static const OpisSekcji s = Zbuduj();
    return s;
}

void KatalogNastawyDomyslne() { UstawDomyslne(SekcjaKatalogow()); }

QString KatalogDomyslny() {
    const QString od = KatalogStartowy.isEmpty() ? platform::programFolder() : KatalogStartowy;
    return PamietanaOdpowiedz(u"domyślny:"_s + od, [&] {
        const QString start = platform::storedPath(od);
        if (platform::hasDriveLetter(start))
            return start;
        for (const QChar d : platform::driveLetters())
            if (d >= u'C')
                return QString(d) + u":\\"_s;
        return start;
    });
}

void KatalogNastawyZapisz(const QString& plik) { ZapiszSekcjeGrupami(plik, SekcjaKatalogow()); }

void KatalogNastawyCzytaj(const QString& plik) { KatalogNastawyCzytaj(ZbiorNastaw::Wczytaj(plik)); }
void KatalogNastawyCzytaj(const ZbiorNastaw& zbior) { CzytajSekcje(zbior, SekcjaKatalogow()); }

bool SciezkaSieciowa(const QString& lokalna, QString& siec) {
    siec.clear();
    if (!platform::hasDriveLetter(lokalna) || Katalogi.KatSiecStart.size() != 1)
        return false;
    const QChar litera = upperPL(lokalna.left(1))[0];
    const QChar start = upperPL(Katalogi.KatSiecStart)[0];
    if (litera < u'C' || litera > u'Z' || start < u'A' || start > u'Z')
        return false;
    const int n = start.unicode() + (litera.unicode() - u'C');
    if (n > u'Z')
        return false;
    siec = QChar(n) + lokalna.mid(1);
    return true;
}

bool OdsluchDozwolony(const QString& sciezka) {
    if (Katalogi.CzyGranieSiec || DyskLokalny(sciezka))
        return true;
    PokazInfo(u"Można słuchać nagrań tylko z dysku lokalnego"_s);
    return false;
}

void KatalogAktualizuj(const QString& katalog) {
    QString siec;
    if (!SciezkaSieciowa(katalog, siec) || !JestKatalog(siec)) {
        PokazInfo(u"Nie ma katalogu sieciowego:"_s, siec.isEmpty() ? katalog : siec);
        return;
    }
    const QStringList typy = Typy();

    // The network folder is listed once, before the question, so that the
    // question can say how much goes. A share that drops part way must not
    // make every local file look vanished from the network.
    QStringList sieciowe, lokalne;
    if (!PlikiTypow(siec, typy, sieciowe)) {
        Log(u"Aktualizacja katalogu przerwana - nie można odczytać katalogu sieciowego "_s + siec);
        PokazInfo(u"Nie ma katalogu sieciowego:"_s, siec);
        return;
    }
    PlikiTypow(katalog, typy, lokalne);
    if (sieciowe.isEmpty() && !lokalne.isEmpty()) {
        Log(u"Aktualizacja katalogu przerwana - pusty katalog sieciowy "_s + siec);
        PokazInfo(u"Pusty katalog sieciowy:"_s, siec);
        return;
    }
    // A file on a deck or due in the playlist is never deleted.
    const auto wUzyciu = [&](const QString& nazwa) {
        return KatalogZbiorWUzyciu && KatalogZbiorWUzyciu(joinPath(katalog, nazwa));
    };
    QSet<QString> doUsuniecia;
    if (Katalogi.CzyAktUsun) {
        QSet<QString> naSieci;
        for (const QString& nazwa : sieciowe)
            naSieci.insert(upperPL(nazwa));
        for (const QString& nazwa : lokalne)
            if (!naSieci.contains(upperPL(nazwa)) && !wUzyciu(nazwa))
                doUsuniecia.insert(nazwa);
    }
    const QString ile = doUsuniecia.isEmpty()
                            ? QString()
                            : u"Zbiorów do usunięcia: "_s + QString::number(doUsuniecia.size());
    if (Decyzja(u"Czy aktualizować katalog?"_s, ile) != WynikTak)
        return;
    StanPrzerwij = false;

    if (Katalogi.CzyAktUsun) {
        for (const QString& nazwa : lokalne) {
            PompujZdarzenia();
            if (StanPrzerwij)
                return;
            // A deck may have taken the file while the question was open.
            if (!doUsuniecia.contains(nazwa) || wUzyciu(nazwa))
                continue;
            if (!JestKatalog(siec)) {
                Log(u"Aktualizacja katalogu przerwana - brak katalogu sieciowego "_s + siec);
                PokazInfo(u"Nie ma katalogu sieciowego:"_s, siec);
                return;
            }
            const QString lokalny = joinPath(katalog, nazwa);
            errno = 0;
            if (!QFile::remove(platform::resolvePath(lokalny))) {
                Blad(errno ? KodBleduZErrno(errno) : 5, lokalny);
                return;
            }
            Log(u"Usunięto zbiór "_s + lokalny);
        }
    }

    for (const QString& nazwa : sieciowe) {
        if (StanPrzerwij)
            return;
        const QString zrodlo = joinPath(siec, nazwa);
        const QString cel = joinPath(katalog, nazwa);
        if (platform::fileExists(cel) && TeSameRozmiary(zrodlo, cel) && !Starszy(cel, zrodlo))
            continue;
        bool przerwane = false;
        if (!KopiujZglaszajac(zrodlo, cel, u"Aktualizacja katalogu: błąd kopiowania "_s, przerwane))
            return;
    }
}
