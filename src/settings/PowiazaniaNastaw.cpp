// The settings dialog's binding table: what each page shows and which key of
// which section every control stands for.
#include "settings/TDlgNastawy.h"

#include "foundation/KestSter2.h"
#include "library/DBazaNastawy.h"
#include "library/DKatalogNastawy.h"
#include "mixeditor/NastawyWgrywania.h"
#include "playlists/NastawyEmisji.h"

using namespace Qt::StringLiterals;

namespace {

using Sekcja = const OpisSekcji& (*)();
constexpr Sekcja P = &SekcjaNastaw;
constexpr Sekcja E = &SekcjaEmisji;
constexpr Sekcja S = &SekcjaSatelity;
constexpr Sekcja K = &SekcjaKatalogow;
constexpr Sekcja B = &SekcjaBazyNagran;
constexpr Sekcja W = &SekcjaWgrywania;

// Rows are added under the current page and group; each adder returns the
// row just added so that a caller can mark it (valid until the next add).
class Tabela {
public:
    std::vector<PowiazanieNastawy> t;

    void Strona(const QString& s) {
        strona_ = s;
        grupa_.clear();
    }
    void Grupa(const QString& g) { grupa_ = g; }

    PowiazanieNastawy& Dodaj(RodzajKontrolki r, Sekcja s, const QString& klucz, const QString& podpis) {
        PowiazanieNastawy p;
        p.strona = strona_;
        p.grupa = grupa_;
        p.podpis = podpis;
        p.kontrolka = r;
        p.sekcja = s;
        p.klucz = klucz;
        t.push_back(p);
        return t.back();
    }
    PowiazanieNastawy& Pole(Sekcja s, const QString& klucz, const QString& podpis) {
        return Dodaj(RodzajKontrolki::Pole, s, klucz, podpis);
    }
    PowiazanieNastawy& Liczba(Sekcja s, const QString& klucz, const QString& podpis, qint32 min = 0, qint32 max = -1) {
        PowiazanieNastawy& p = Dodaj(RodzajKontrolki::Liczba, s, klucz, podpis);
        p.minimum = min;
        p.maksimum = max;
        return p;
    }
    PowiazanieNastawy& Tekst(Sekcja s, const QString& klucz, const QString& podpis) {
        return Dodaj(RodzajKontrolki::Tekst, s, klucz, podpis);
    }
    PowiazanieNastawy& Katalog(Sekcja s, const QString& klucz, const QString& podpis, const QString& tytul) {
        PowiazanieNastawy& p = Dodaj(RodzajKontrolki::Katalog, s, klucz, podpis);
        p.tytul = tytul;
        return p;
    }
    PowiazanieNastawy& Suwak(Sekcja s, const QString& klucz, const QString& podpis, qint32 min, qint32 max,
                             qint32 krok = 1, qint32 skala = 1) {
        PowiazanieNastawy& p = Liczba(s, klucz, podpis, min, max);
        p.kontrolka = RodzajKontrolki::Suwak;
        p.krok = krok;
        p.skala = skala;
        return p;
    }
    PowiazanieNastawy& Opcje(Sekcja s, const QString& klucz, const QString& podpis, qint32 pierwsza,
                             const QStringList& opcje) {
        PowiazanieNastawy& p = Dodaj(RodzajKontrolki::Opcje, s, klucz, podpis);
        p.minimum = pierwsza;
        p.maksimum = pierwsza + qint32(opcje.size()) - 1;
        p.opcje = opcje;
        return p;
    }

private:
    QString strona_;
    QString grupa_;
};

void Obok(PowiazanieNastawy& p) { p.obok = true; }

void Program(Tabela& t) {
    t.Strona(u"Program"_s);
    t.Grupa(u"Informacje podstawowe"_s);
    t.Tekst(P, u"Id"_s, u"Identyfikator użytkownika"_s);
    t.Liczba(P, u"Numer"_s, u"Numer stanowiska"_s, 0, 9);
    t.Katalog(P, u"Katalog"_s, u"Katalog informacyjny"_s, u"Folder użytkownika"_s);
    t.Grupa(u"Tryb pracy"_s);
    t.Pole(E, u"CzyTrybEmisja"_s, u"Tylko emisja"_s);
    t.Pole(E, u"AutoStopWspolnyJest"_s, u"Wspólny Autostop"_s);
    t.Pole(E, u"CzyDodatkowaKlawiatura"_s, u"Dodatkowa klaw."_s);
    t.Grupa(u"Hasło"_s);
    t.Pole(P, u"HasloINIJest"_s, u"Aktywne"_s);
    t.Tekst(P, u"HasloINITekst"_s, u"Hasło:"_s);
    t.Grupa(QString());
    t.Opcje(P, u"ModulStart"_s, QString(), 0,
            {u"Single"_s, u"Długa playlista"_s, u"Informacja o nagraniu"_s, u"Wieloślad"_s});
    t.Grupa(u"Początkowe nastawy"_s);
    t.Pole(E, u"AutoStop"_s, u"Autostop Playlisty"_s);
    t.Pole(E, u"SingleInitAutostopJest"_s, u"Autostop Singli"_s);
    t.Pole(E, u"SingleInitKaczkaJest"_s, u"Kaczka"_s);
    t.Pole(E, u"SingleInitZapytajJest"_s, u"Pytanie o single"_s);
    t.Pole(E, u"SingleInitKolejnoJest"_s, u"Granie kolejno"_s);
    t.Pole(nullptr, u"PytanieOListeSynch"_s, u"Pytanie o listę synch."_s);  // kept for the run
    t.Grupa(u"Wyjścia audio"_s);
    t.Dodaj(RodzajKontrolki::Wyjscie, E, u"Kanal1Nazwa"_s, u"Odtwarzacz 1:"_s);
    t.Dodaj(RodzajKontrolki::Wyjscie, E, u"Kanal2Nazwa"_s, u"Odtwarzacz 2:"_s);
    t.Dodaj(RodzajKontrolki::Wyjscie, E, u"Kanal3Nazwa"_s, u"Odtwarzacz 3 (DJ, Whisper):"_s);
    t.Dodaj(RodzajKontrolki::Wyjscie, E, u"Kanal4Nazwa"_s, u"Single:"_s);
    t.Dodaj(RodzajKontrolki::Wyjscie, E, u"Kanal5Nazwa"_s, u"Timelista:"_s);
    t.Dodaj(RodzajKontrolki::Wyjscie, E, u"KanalPFLNazwa"_s, u"PFL:"_s);
    t.Grupa(u"Wejście audio"_s);
    t.Dodaj(RodzajKontrolki::Wejscie, W, u"WgrajWejcieNr"_s, u"Wgrywanie:"_s);
}

void Katalog(Tabela& t) {
    t.Strona(u"Katalog"_s);
    t.Grupa(u"Dyski"_s);
    t.Tekst(K, u"DyskOstatni"_s, u"Ostatni dysk lokalny:"_s).dlugosc = 1;
    t.Tekst(K, u"KatSiecStart"_s, u"Pierwszy dysk sieciowy:"_s).dlugosc = 1;
    t.Grupa(QString());
    t.Pole(K, u"Czy14Katalogow"_s, u"14 przycisków katalogów"_s);
    t.Opcje(K, u"Sortowanie"_s, u"Sortowanie:"_s, 1, {u"Nazwy"_s, u"Typu"_s, u"Daty"_s, u"Rozmiaru"_s});
    t.Grupa(u"Widoczne"_s);
    t.Pole(K, u"CzyDyski"_s, u"Dyski"_s);
    Obok(t.Pole(K, u"CzyNadkatalog"_s, u"Nadkat."_s));
    Obok(t.Pole(K, u"CzyPodkatalogi"_s, u"Podkat."_s));
    t.Grupa(u"Dostępne opcje"_s);
    t.Pole(K, u"CzyKasZmien"_s, u"Kasuj, Zmień"_s);
    Obok(t.Pole(K, u"CzyKasZmienSiec"_s, u"Kas.Zm.sieć"_s));
    Obok(t.Pole(K, u"CzyGranieSiec"_s, u"Play sieć"_s));
    t.Grupa(u"Aktualizacja"_s);
    t.Pole(K, u"CzyAktUsun"_s, u"Kasowanie zbiorów w wybranej lokalizacji podczas aktualizacji katalogów"_s);
    t.Pole(K, u"CzyAktFolderDodaj"_s, u"Dodawanie folderów w wybranej lokalizacji podczas aktualizacji katalogów"_s);
    t.Pole(K, u"CzyAktFolderUsun"_s, u"Kasowanie folderów w wybranej lokalizacji podczas aktualizacji katalogów"_s);
    // Shown but neither filled nor read.
    t.Grupa(u"Ostrzeżenia"_s);
    t.Liczba(nullptr, u"OstrzezenieZbiorow"_s, u"Maks. liczba zbiorów w katalogu"_s, 0, 2000);
    t.Liczba(nullptr, u"OstrzezenieWolneGB"_s, u"Min. wolny rozmiar dysku w GB"_s, 0, 1000);
    t.Liczba(nullptr, u"OstrzezenieDni"_s, u"Zbiory starsze niż (dni)"_s, 0, 366);
    t.Grupa(u"Kopiowanie - struktura dysków sieciowych na jednym dysku lokalnym"_s);
    t.Pole(K, u"KatalogSiecNaLokalJest"_s, u"odwzorowanie dysków w katalogu dysku lokalnego:"_s);
    t.Katalog(K, u"KatalogSiecNaLokal"_s, QString(), u"Katalog na dysku lokalnym"_s);
    t.Grupa(u"Przyciski katalogów"_s);
    for (int n = 1; n <= LiczbaKatalogowPrzyciskowych; ++n) {
        t.Tekst(K, u"KatOpis%1"_s.arg(n), u"%1."_s.arg(n));
        PowiazanieNastawy& a = t.Katalog(K, u"KatAdres%1"_s.arg(n), QString(), u"Folder wybierany przyciskiem [%1]"_s);
        a.kluczNazwy = u"KatOpis%1"_s.arg(n);
        a.obok = true;
    }
}

void Playlista(Tabela& t) {
    t.Strona(u"Playlista"_s);
    t.Grupa(u"Kopiowanie z dysku sieciowego"_s);
    t.Pole(E, u"PlaylistaZapisPoOdczycieJest"_s, u"Zapis playlisty po odczycie do kat. programu"_s);
    t.Pole(E, u"CzyKopiowac"_s, u"Kopiowanie nagrań po odczycie playlisty"_s);
    t.Pole(E, u"CzyPytac"_s, u"Pytanie o kopiowanie"_s);
    t.Pole(E, u"KopiowanieBrakujacych"_s, u"Kopiowanie tylko braków"_s);
    t.Pole(E, u"CzyPytacKopia"_s, u"Pytanie gdy różna data lub rozmiar"_s);
    t.Pole(E, u"CzyDATZPlayListy"_s, u"Tworzenie zbiorów DAT na podst. playlisty"_s);
    t.Grupa(u"Tryby przetwarzania playlisty"_s);
    t.Pole(E, u"PlaylistaBlokadaZapisGdyBraki"_s, u"Bez zapisu gdy braki"_s);
    t.Pole(E, u"CzyOdczytTylkoMIX"_s, u"Odczyt tylko MIX"_s);
    t.Pole(E, u"CzyPlayListaWstawRozsun"_s, u"Roz/zsuwanie pozycji dla DJ, Break, Whisper"_s);
    t.Pole(E, u"CzyPlayListaZmienAdresDJ"_s, u"Zm. adr. wgr. DJ (MP3)"_s);
    t.Pole(E, u"CzyPlayListaZmienDateDJ"_s, u"Akt. data po kopiow."_s);
    t.Pole(W, u"WgrajZderzaki"_s, u"Ograniczniki 3. śladu w okienku miksy"_s);
    t.Pole(E, u"CzyTestMIX"_s, u"Czy testy playlisty MIX"_s);
    Obok(t.Pole(E, u"CzyWyswWynikTestuPlaylisty"_s, u"Wynik testów"_s));
    t.Grupa(u"Odczyt list LST - zaślepki Reklama o/Promos o"_s);
    t.Pole(E, u"CzyPytanieOOdczytLST"_s, u"Czy pytać o odczyt"_s);
    Obok(t.Pole(E, u"CzyPytanieOOdczyt2LST"_s, u"Czy pytać"_s));
    t.Pole(E, u"CzyZawszeOdczytLSTDlaMIX"_s, u"Odczyt LST zawsze"_s);
    t.Pole(E, u"CzyPytanieOOdczytRekGdyZmiana"_s, u"Czy pytać: gdy zm. Rekl."_s);
    Obok(t.Pole(E, u"CzyPytanieOOdczytProGdyZmiana"_s, u"gdy zmiana Prom."_s));
    t.Pole(E, u"CzyReklamaJakoBelka"_s, u"Reklama jako belka"_s);
    Obok(t.Pole(E, u"CzyNazwaLSTZPozycji"_s, u"Nazwa LST w MIX"_s));
    t.Pole(E, u"CzyPorownanie8Znakow"_s, u"Porówn. 8 znaków nazw"_s);
    t.Pole(E, u"CzyUsuwanieReklamaO"_s, u"Usuw. pust. zaśl. Rekl."_s);
    Obok(t.Pole(E, u"CzyUsuwaniePromosO"_s, u"zaślepek Prom."_s));
    t.Pole(E, u"CzyListaLST"_s, u"Odczyt 1. listy"_s);
    Obok(t.Pole(E, u"CzyLista2LSTPromosy"_s, u"Lista promosów"_s));
    t.Katalog(E, u"KatLista1"_s, QString(), u"Folder pierwszej listy LST"_s);
    t.Pole(E, u"CzyLista2LST"_s, u"Odczyt 2. listy"_s);
    Obok(t.Pole(E, u"CzyLista22LSTPromosy"_s, u"Lista promosów"_s));
    t.Katalog(E, u"KatLista2"_s, QString(), u"Folder drugiej listy LST"_s);
    t.Pole(E, u"CzyListaLSTWybor"_s, u"Wybór listy reklamowej"_s);
    t.Grupa(u"Opisy/czasy nagrań"_s);
    t.Pole(E, u"CzyOpisyZListy"_s, u"Czasy nagrań (intro/outro/mix/z) z listy SEL"_s);
    t.Pole(E, u"CzyOpisyInneZListy"_s, u"Opisy nagrań ze zbiorów DAT - dla listy SEL"_s);
    t.Pole(E, u"CzyKategorieZNagran"_s, u"Kategorie elem. ze zb. DAT - dla listy SEL"_s);
    t.Pole(E, u"CzyCzasyZNagran"_s, u"Czasy nagrań ze zbiorów DAT - dla listy SEL"_s);
    t.Pole(E, u"CzyDomyslneCzasySEL"_s, u"Domyślne czasy FOut, Mix i NKon"_s);
    t.Grupa(u"Szukanie nagrań wg nazwy"_s);
    t.Pole(E, u"CzySzukacNagran"_s, u"Szukanie nagrań po odczycie playlisty"_s);
    t.Pole(E, u"CzySzukacWPodkatalogach"_s, u"W podkatal."_s);
    Obok(t.Pole(E, u"CzySzukacWBazie"_s, u"W bazie"_s));
    Obok(t.Pole(E, u"CzySzukacNadacKod"_s, u"Nadawanie kodu"_s));
    t.Katalog(E, u"KatMuzyka1"_s, u"Lokalizacja nagrań - pierwsza"_s, u"Folder szukanych nagrań - albumy"_s);
    t.Katalog(E, u"KatMuzyka2"_s, u"Lokalizacja nagrań - druga"_s, u"Folder szukanych nagrań - single"_s);
    t.Katalog(E, u"KatDJ"_s, u"Lokalizacja nagrań DJa"_s, u"Folder szukanych nagrań DJ"_s);
    t.Katalog(E, u"KatJingle"_s, u"Lokalizacja jingli"_s, u"Folder szukanych jingli"_s);
    t.Katalog(E, u"KatAudycje"_s, u"Lokalizacja audycji"_s, u"Folder szukanych audycji"_s);
    t.Katalog(E, u"KatInne"_s, u"Lokalizacja innych nagrań"_s, u"Folder szukanych innych dźwięków"_s);
    t.Grupa(u"Pełne godziny"_s);
    t.Pole(E, u"CzyListaPelneGodz"_s, u"Lista z pełn. godz."_s);
    Obok(t.Pole(E, u"CzyListaPozaGodzUsun"_s, u"Usuw. poz. poza godz."_s));
    t.Grupa(u"Wyświetlane informacje"_s);
    t.Pole(E, u"CzyWyswCzasZSEL"_s, u"Godz.emisji z SEL"_s);
    Obok(t.Pole(E, u"CzyCzasPrzelGodz"_s, u"Przelicz. godz.do pełnej"_s));
    t.Grupa(QString());
    t.Pole(E, u"CzyPlaylistaFolderZapis"_s, u"Pytanie o folder przy zapisie playlisty"_s);
    t.Pole(S, u"SatPLJest"_s, u"Autoodczyt playlisty o północy"_s);
    t.Pole(S, u"SatTLJest"_s, u"Autoodczyt listy synchronicznej o północy"_s);
}

void Single(Tabela& t) {
    static const QStringList ktory{u"pierwszego"_s, u"drugiego"_s, u"trzeciego"_s,
                                   u"czwartego"_s,  u"piątego"_s,  u"szóstego"_s};
    t.Strona(u"Single"_s);
    t.Grupa(u"Katalogi"_s);
    for (int n = 1; n <= 6; ++n) {
        t.Katalog(E, u"SingleKatAdres%1"_s.arg(n), u"Zestaw %1:"_s.arg(n),
                  u"Folder %1 zestawu singli"_s.arg(ktory[n - 1]));
        Obok(t.Pole(E, u"SingleCzyKopiowanieZestawu%1"_s.arg(n), u"Kopiowanie"_s));
    }
    t.Pole(E, u"SingleOdczytKatalogiJest"_s, u"Odczyt zestawów z predefiniowanych katalogów"_s);
    t.Pole(E, u"SingleZapisKatalogiJest"_s, u"Zapis zestawów do predefiniowanych katalogów"_s);
    t.Pole(E, u"SingleZapisPoOdczycieJest"_s, u"Zapis konfiguracji po odczycie do kat. programu"_s);
    t.Grupa(u"Kopiowanie nagrań"_s);
    t.Pole(E, u"SingleKopiowanieStrukturaJest"_s, u"Do struktury lub do jednego katalogu:"_s);
    t.Katalog(E, u"SingleKatalogKopiowanie"_s, QString(), u"Folder, do którego kopiowane są single"_s);
    t.Pole(E, u"SingleKopiowanieJest"_s, u"Kopiowanie na dysk lokalny"_s);
    Obok(t.Pole(E, u"SingleCzyPytanieOKopiowanie"_s, u"Pytanie o kopiowanie"_s));
    t.Tekst(E, u"SingleDyskiKopiowanie"_s, u"Dyski, z których możliwe kopiowanie"_s);
    t.Grupa(u"Konfiguracja"_s);
    t.Pole(E, u"SinglePamietajTrybJest"_s, u"Pamiętanie trybu (Wstaw, Play)"_s);
    t.Pole(E, u"SingleTrybZapytajPoOdczycieJest"_s, u"Tryb Zapytaj po odczycie zestawu singli"_s);
    t.Pole(E, u"SingleCzyPrzypominanieZapis"_s, u"Pytanie o zapis przy zmianie zestawów"_s);
    t.Pole(E, u"CzySingleFolderZapis"_s, u"Pytanie o folder przy zapisie"_s);
}

void CzasyPoziomy(Tabela& t) {
    struct Rodzaj {
        const char16_t* nazwa;
        const char16_t* czas;
        const char16_t* poziom;
    };
    static constexpr Rodzaj rodzaje[] = {
        {u"Muzyka", u"CzasCross", u"Poziom0SND"},   {u"Jingle", u"CzasJCross", u"Poziom0JNG"},
        {u"DJ", u"CzasSCross", u"Poziom0DJ_"},       {u"Reklama", u"CzasRCross", u"Poziom0REK"},
        {u"Promos", u"CzasPCross", u"Poziom0PRO"},   {u"Sponsor", u"CzasOCross", u"Poziom0SPO"},
        {u"Audycja", u"CzasACross", u"Poziom0AUD"},  {u"Whisper", u"CzasWCross", u"Poziom0WHI"},
        {u"Sweeper", u"CzasECross", u"Poziom0SWE"},  {u"Loop", u"CzasLCross", u"Poziom0LOP"},
    };
    t.Strona(u"Czasy, poziomy"_s);
    t.Grupa(u"Czas miksu (ms), maksymalny poziom (dB)"_s);
    for (const Rodzaj& r : rodzaje) {
        t.Suwak(E, QString::fromUtf16(r.czas), QString::fromUtf16(r.nazwa), 0, 5000, 10);
        Obok(t.Liczba(E, QString::fromUtf16(r.poziom), QString(), -10, 0));
    }
    t.Grupa(u"Autostop"_s);
    t.Suwak(E, u"PoziomStop"_s, u"Poziom (dB)"_s, 0, 60, 1, 100);
    t.Grupa(u"Zaznaczany koniec nagrania (s)"_s);
    t.Suwak(E, u"CzasZnacz"_s, QString(), 0, 60);
    t.Grupa(u"Czas wyciszania (ms)"_s);
    t.Suwak(E, u"CzasStop"_s, QString(), 0, 5000, 10);
    t.Grupa(u"Kaczka wgraj"_s);
    // The bars span their keys' whole ranges: a stored value past a bar's
    // end would be cut to it by the next "Akceptuj".
    t.Suwak(W, u"KaczkaPoziomdB"_s, u"Poziom kaczki (dB)"_s, 0, 90);
    t.Suwak(W, u"WgrajDJPoziomdB"_s, u"Poziom wgranego DJa (dB)"_s, 0, 90);
    t.Suwak(W, u"KaczkaWejscieMS"_s, u"Wejście kaczki (ms)"_s, 0, 2000, 10);
    t.Suwak(W, u"KaczkaWyjscieMS"_s, u"Wyjście kaczki (ms)"_s, 0, 2000, 10);
}

void Baza(Tabela& t) {
    t.Strona(u"Baza"_s);
    t.Grupa(u"Tworzenie bazy nagrań"_s);
    t.Dodaj(RodzajKontrolki::ZbiorBazy, B, u"BazaZbior"_s, u"Nazwa zbioru bazy (*.BAZ):"_s).tytul =
        u"Lokalizacja zbioru bazy nagrań:"_s;
    t.Tekst(B, u"BazaDyski"_s, u"Przeszukiwane dyski:"_s);
    Obok(t.Dodaj(RodzajKontrolki::TypyBazy, B, u"BazaTypy"_s, QString()));
    t.Pole(B, u"BAZAKatalogiSzukajJest"_s, u"Przeszukiwanie podkatalogów (zamiast dysków):"_s);
    for (int n = 1; n <= 10; ++n)
        t.Katalog(B, u"BAZAKatalogSzukaj%1"_s.arg(n), u"%1."_s.arg(n), u"Przeszukiwany katalog:"_s);
    t.Pole(B, u"BazaUtworzJest"_s, u"Możliwe tworzenie bazy"_s);
    Obok(t.Pole(B, u"BazaAktualizujJest"_s, u"Możliwa aktualizacja bazy"_s));
    t.Pole(B, u"BazaBrakKopiuj"_s, u"Kopiowanie brakujących nagrań"_s);
    Obok(t.Pole(B, u"BazaBrakKopiujPytaj"_s, u"Pytanie o kopiowanie"_s));
    t.Grupa(u"Kopiowanie bazy z dysku sieciowego"_s);
    t.Pole(B, u"BazaStartKopiuj"_s, u"Kopiowanie bazy z sieci po uruchomieniu programu"_s);
    t.Katalog(B, u"BAZAKatalogSiec"_s, u"Lokalizacja sieciowego zbioru bazy nagrań:"_s,
              u"Folder sieciowy zbioru bazy nagrań"_s);
    t.Pole(B, u"BazaKopiujJest"_s, u"Możliwe kopiowanie bazy"_s);
    Obok(t.Pole(B, u"BazaKopiujPytaj"_s, u"Pytanie o kopiowanie bazy"_s));
    t.Pole(B, u"BazaKopiujStarszaPytaj"_s, u"Pytanie o kopiowanie gdy zbiór kopiowany starszy"_s);
    t.Grupa(u"Kopiowanie nagrań z bazy"_s);
    t.Pole(B, u"BazaPrzeslijJest"_s, u"Dostępne kopiowanie"_s);
    Obok(t.Pole(B, u"BazaPrzeslijZmienNazwe"_s, u"Zmiana nazwy (Wyk_Tyt.*)"_s));
    t.Katalog(B, u"BAZAPrzeslijKatalog"_s, u"Lokalizacja kopiowanych nagrań:"_s, u"Folder kopiowanych nagrań"_s);
    t.Grupa(u"Licznik emisji"_s);
    t.Pole(B, u"BazaLicznikJest"_s, u"Widoczny licznik emisji"_s);
    t.Pole(B, u"BazaLicznikDodaj"_s, u"Zliczanie emisji nagrań"_s);
    t.Pole(B, u"BazaLicznikZerujJest"_s, u"Możliwe kasowanie licznika emisji"_s);
    t.Grupa(u"Filtrowanie bazy"_s);
    t.Pole(B, u"BazaFiltrJest"_s, u"Filtrowanie bazy nagrań"_s);
    t.Tekst(B, u"BazaFiltr"_s, u"Filtr (jeden wyraz, widoczny na przycisku):"_s);
}

void Automatyzacja(Tabela& t) {
    t.Strona(u"Automatyzacja"_s);
    t.Grupa(QString());
    t.Pole(E, u"SERWISJest"_s, u"Obsługa serwisów i audycji"_s);
    t.Tekst(E, u"SERWISDzwiekNazwa"_s, u"Nazwa dźwięku (pliku MP3) serwisu bez rozszerzenia"_s);
    t.Katalog(E, u"SERWISKatalog"_s, u"Katalog serwisów:"_s, u"Katalog dźwięków serwisowych:"_s);
    t.Tekst(E, u"AUDYCJADzwiekNazwa"_s, u"Nazwa dźwięku (pliku MP3) audycji bez rozszerzenia"_s);
    t.Katalog(E, u"AUDYCJAKatalog"_s, u"Katalog audycji:"_s, u"Katalog dźwięków audycji:"_s);
    t.Liczba(E, u"SERWISGrajOMarginesS"_s, u"Margines \"Graj o\" (s)"_s, 0, 999);
    t.Liczba(E, u"SERWISUstawDoGraniaMarginesS"_s, u"Margines ustawienia do grania (s)"_s, 0, 999);
    t.Liczba(E, u"SERWISSzukajPozycjiNum"_s, u"Liczba przeszukiwanych pozycji"_s, 1, 99);
    t.Pole(E, u"SERWISBreakAutoodczytJest"_s, u"Autoodczyt BREAKu serwisowego"_s);
}

void Sterowanie(Tabela& t) {
    t.Strona(u"Sterowanie, HST, RDS"_s);
    t.Grupa(u"Sterowanie"_s);
    t.Pole(E, u"StartStol"_s, u"Start ze stołu"_s);
    Obok(t.Pole(E, u"StopStol"_s, u"Stop ze stołu"_s));
    t.Pole(E, u"CzySterowanieAutomat"_s, u"Ster. stół gdy Automat"_s);
    t.Pole(E, u"StartEnter"_s, u"Start Enterem"_s);
    Obok(t.Pole(E, u"StartEnterGra"_s, u"Start Enterem gdy gra"_s));
    t.Pole(E, u"MiksyGdyGra"_s, u"Ustaw. miksów gdy gra"_s);
    t.Pole(E, u"ZbioryInfoGdyStol"_s, u"Zbiory RDS - start stół"_s);
    t.Pole(E, u"StopSpacja"_s, u"Stop spacją"_s);
    Obok(t.Pole(E, u"StopSpacjapotwierdzenie"_s, u"Potw."_s));
    t.Pole(E, u"PListPlayMysz"_s, u"Play myszką"_s);
    t.Pole(E, u"SterDJWgraj"_s, u"Start/stop wgraj DJ"_s);
    t.Pole(E, u"NastPoPlay"_s, u"Po play zazn. nast. poz."_s);
    t.Pole(E, u"CzyPlaylistaZapetlona"_s, u"Granie playlisty w pętli"_s);
    t.Grupa(u"Inne"_s);
    t.Pole(E, u"CiszaGra"_s, u"Granie ciszy"_s);
    t.Pole(E, u"CzyZnaczOutro"_s, u"Zaznaczanie outro"_s);
    t.Pole(E, u"CzyKomunikatBrakNagrania"_s, u"Info o braku nagrania"_s);
    t.Pole(E, u"CzyZawszeInfoOCzasach"_s, u"Zawsze intro/outro"_s);
    t.Pole(E, u"KartaZerujJest"_s, u"Zerowanie bufora"_s);
    t.Grupa(u"Zbiory HST"_s);
    t.Pole(E, u"CzyHST"_s, u"Tworzenie"_s);
    Obok(t.Pole(E, u"HSTPelneInfoJest"_s, u"Pełna informacja"_s));
    t.Pole(E, u"HSTSNDZapisJest"_s, u"Zapis muzyki"_s);
    Obok(t.Pole(E, u"HSTREKZapisJest"_s, u"Zapis reklamy"_s));
    Obok(t.Pole(E, u"HSTInneZapisJest"_s, u"Zapis innych"_s));
    t.Pole(E, u"HSTTylkoPLista"_s, u"Zapis informacji tylko o pozycji z playlisty"_s);
    t.Liczba(E, u"THST"_s, u"Kryterium czasu (s)"_s, 0, 60);
    Obok(t.Liczba(E, u"ProcHST"_s, u"Kryterium (%)"_s, 0, 100));
    t.Katalog(E, u"KatHST"_s, u"Lokalizacja zbioru:"_s, u"Folder zbiorów dokumentacji emisji"_s);
    t.Grupa(u"Zbiory dla RDS i Internetu"_s);
    t.Pole(E, u"CzyRDSZbiorPSJest"_s, u"PS:"_s);
    Obok(t.Tekst(E, u"RDSPS"_s, QString()));
    Obok(t.Pole(E, u"CzyRDSZbiorPSTytul"_s, u"Tytuł"_s));
    Obok(t.Pole(E, u"CzyRDSZbiorPSWykon"_s, u"Wykon."_s));
    t.Pole(E, u"CzyRDSZbiorRTJest"_s, u"RT:"_s);
    Obok(t.Tekst(E, u"RDSRT"_s, QString()));
    Obok(t.Pole(E, u"CzyRDSZbiorRTTytul"_s, u"Tytuł"_s));
    Obok(t.Pole(E, u"CzyRDSZbiorRTWykon"_s, u"Wykon."_s));
    t.Pole(E, u"CzyRDSZbiorTAJest"_s, u"TA:"_s);
    Obok(t.Tekst(E, u"RDSTA"_s, QString()));
    t.Pole(E, u"CzyRDSZbiorPTJest"_s, u"PT:"_s);
    Obok(t.Tekst(E, u"RDSPT"_s, QString()));
    Obok(t.Liczba(E, u"RDSPTDomyslny"_s, u"Kod PT"_s));
    t.Pole(E, u"CzyInfoZbiorJest"_s, u"Info:"_s);
    Obok(t.Tekst(E, u"InfoZbiorNazwa"_s, QString()));
    Obok(t.Liczba(E, u"InfoZbiorPozycji"_s, u"Pozycji"_s, 0, 15));
    t.Pole(E, u"CzyRDSZbiorPolskieLiteryJest"_s, u"Polskie litery"_s);
    Obok(t.Pole(E, u"CzyRDSZbiorDuzeLiteryJest"_s, u"Duże litery"_s));
    Obok(t.Pole(E, u"CzyRDSZbiorExt"_s, u"Ext. = nr stanowiska"_s));
    t.Pole(E, u"CzyRDSTylkoZaakceptowane"_s, u"Zapis do RDS tylko zaakceptowanych opisów"_s);
    t.Liczba(E, u"RDSStopS"_s, u"Usunięcie przed końcem nagrania (s)"_s);
    t.Katalog(E, u"KatRDSZbior"_s, u"Lokalizacja zbiorów:"_s, u"Folder zbiorów RDS"_s);
    t.Grupa(u"Autouruchomienie"_s);
    t.Pole(E, u"AwariaStartJest"_s, u"Aktywne"_s);
    t.Pole(nullptr, u"AwariaPlaylista"_s, u"Playlista:"_s);  // kept for the run
    Obok(t.Liczba(nullptr, u"AwariaPlaylistaNr"_s, QString(), 0, 30));
}

}  // namespace

const std::vector<PowiazanieNastawy>& PowiazaniaNastaw() {
    static const std::vector<PowiazanieNastawy> t = [] {
        Tabela b;
        Program(b);
        Katalog(b);
        Playlista(b);
        Single(b);
        CzasyPoziomy(b);
        Baza(b);
        Automatyzacja(b);
        Sterowanie(b);
        return b.t;
    }();
    return t;
}

const OpisKlucza* KluczPowiazania(const PowiazanieNastawy& p) {
    if (!p.sekcja) return nullptr;
    for (const OpisKlucza& k : p.sekcja().klucze) {
        if (k.klucz != p.klucz) continue;
        const bool liczba = k.jako<qint32>() || k.jako<quint8>();
        bool pasuje = false;
        switch (p.kontrolka) {
        case RodzajKontrolki::Pole: pasuje = k.jako<bool>() != nullptr; break;
        case RodzajKontrolki::Liczba:
        case RodzajKontrolki::Opcje:
        case RodzajKontrolki::Wejscie: pasuje = liczba; break;
        case RodzajKontrolki::Suwak: pasuje = liczba || k.jako<QString>(); break;
        case RodzajKontrolki::Tekst:
        case RodzajKontrolki::Katalog:
        case RodzajKontrolki::Wyjscie:
        case RodzajKontrolki::ZbiorBazy:
        case RodzajKontrolki::TypyBazy: pasuje = k.jako<QString>() != nullptr; break;
        }
        return pasuje ? &k : nullptr;
    }
    return nullptr;
}
