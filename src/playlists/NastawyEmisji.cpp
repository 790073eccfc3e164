#include "playlists/NastawyEmisji.h"

#include "foundation/A1761DRIVER.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/KestWej.h"
#include "foundation/Text.h"
#include "platform/Paths.h"

#include <limits>

using namespace Qt::StringLiterals;

NastawyEmisjiMIX Emisja;
NastawySatelity Satelita;
QString AutoodczytZbior;
QString AutoodczytNazwa;
bool PlaylistaWczytana = false;

namespace {

constexpr qint32 MaksLiczba = std::numeric_limits<qint32>::max();

// Key name and the field it binds, spelled once.
#define K(pole) QStringLiteral(#pole), &E.pole

OpisKlucza TylkoCzytany(OpisKlucza k)
{
    k.tylkoCzytany = true;
    return k;
}

// Whether the last reading found the key; the defaults forget it.
bool czytanyStolSterowanie = false;
bool czytanyCzyTestPRG = false;

// A flag that no control of the program sets but the station's file may
// hold: a whole-file save writes it back with the value read, and leaves it
// out when the file did not have it.
OpisKlucza ZachowanyGdyCzytany(OpisKlucza k, bool* czytany)
{
    bool* v = k.jako<bool>();
    const bool domyslna = k.domyslnaLiczba != 0;
    k.zapisywanyGdy = czytany;
    k.domyslna = [v, domyslna, czytany] {
        *v = domyslna;
        *czytany = false;
    };
    k.czytaj = [klucz = k.klucz, v, czytany](const ZbiorNastaw& zbior, const QString& sekcja) {
        QString w;
        if (!zbior.Wartosc(sekcja, klucz, w))
            return;
        *czytany = true;
        zbior.Bool(sekcja, klucz, *v);
    };
    return k;
}

// A plain text: an empty value keeps what the variable holds, as a missing key does.
OpisKlucza Tekst(const QString& klucz, QString* v, const QString& domyslna, const QString& komentarz)
{
    OpisKlucza k = KluczTekst(klucz, v, domyslna, komentarz);
    k.pustyZostawia = true;
    k.pustyDomyslny = false;
    return k;
}

// An output device name: an empty value clears it, and the output is then
// chosen by its number.
OpisKlucza NazwaWyjscia(const QString& klucz, QString* v, const QString& domyslna, const QString& komentarz)
{
    OpisKlucza k = KluczTekst(klucz, v, domyslna, komentarz);
    k.pustyZostawia = false;
    k.pustyDomyslny = false;
    return k;
}

// A file name (RDS, INFO, sound names): a value shorter than two characters
// cannot name a file and gives the default back.
OpisKlucza NazwaZbioru(const QString& klucz, QString* v, const QString& domyslna, const QString& komentarz)
{
    OpisKlucza k = Tekst(klucz, v, domyslna, komentarz);
    k.czytaj = [klucz, v, domyslna](const ZbiorNastaw& zbior, const QString& sekcja) {
        QString w;
        if (zbior.Wartosc(sekcja, klucz, w))
            *v = w.size() < 2 ? domyslna : w;
    };
    return k;
}

// The drive of the program folder, which holds nothing worth copying.
QString LiteraDyskuProgramu()
{
    if (platform::hasDriveLetter(KatalogStartowy))
        return upperPL(KatalogStartowy.left(1));
    return u"C"_s;
}

// Drives that singles may be copied from. An empty list means the program's
// own drive; the default is that drive too, so that writing the defaults and
// reading them back changes nothing.
OpisKlucza DyskiKopiowania(const QString& klucz, QString* v, const QString& komentarz)
{
    OpisKlucza k = Tekst(klucz, v, QString(), komentarz);
    k.domyslna = [v] { *v = LiteraDyskuProgramu(); };
    k.czytaj = [klucz, v](const ZbiorNastaw& zbior, const QString& sekcja) {
        QString w;
        if (zbior.Wartosc(sekcja, klucz, w))
            *v = w.isEmpty() ? LiteraDyskuProgramu() : w;
    };
    return k;
}

// A level held in hundredths of a dB (what the fade engine steps by) but kept
// in the file in whole dB: the range, fallback and the written value are dB.
OpisKlucza PoziomWDecybelach(const QString& klucz, qint32* v, qint32 min, qint32 max, qint32 zastepcza,
                             qint32 domyslna, const QString& komentarz)
{
    OpisKlucza k = KluczLiczba(klucz, v, min, max, zastepcza, domyslna, komentarz);
    k.czytaj = [klucz, v, min, max, zastepcza](const ZbiorNastaw& zbior, const QString& sekcja) {
        constexpr qint32 brak = std::numeric_limits<qint32>::min();
        qint32 dB = brak;
        zbior.Liczba(sekcja, klucz, dB, min, max, zastepcza);
        if (dB != brak)
            *v = dB * 100;
    };
    k.zapisz = [v] { return QString::number(*v / 100); };
    return k;
}

OpisSekcji ZbudujSekcjeEmisji()
{
    auto& E = Emisja;
    OpisSekcji s;
    s.nazwa = u"Emisja MIX"_s;
    s.tytul = u"Emisja MIX"_s;
    auto& k = s.klucze;
    k.insert(k.end(), {
        KluczBajt(K(Kanal1), 0, 8, 1, 1, u"Wyjście pierwszego odtwarzacza"_s),
        KluczBajt(K(Kanal2), 0, 8, 1, 1, u"Wyjście drugiego odtwarzacza"_s),
        KluczBajt(K(Kanal3), 0, 8, 1, 1, u"Wyjście odtwarzacza DJa, Whispera w trybie Automat"_s),
        KluczBajt(K(Kanal4), 0, 8, 1, 1, u"Wyjście odtwarzacza singli"_s),
        KluczBajt(K(Kanal5), 0, 8, 1, 1, u"Wyjście odtwarzacza timelisty"_s),
        KluczBajt(K(KanalPFL), 0, 8, 1, 1, u"Wyjście PFL (odsłuch w okienku Katalog, Baza itp.)"_s),
        KluczBool(K(CzyPlayerPFLBlokuje), true, u"Czy player PFL blokuje sterowanie ze stolu (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPlayerZgodnoscWinXP), true, u"Czy tryb zgodnosci playerow z Win XP (0 - nie, 1 - tak) ?"_s),
        NazwaWyjscia(K(Kanal1Nazwa), u""_s, u"Nazwa wyjścia pierwszego odtwarzacza"_s),
        NazwaWyjscia(K(Kanal2Nazwa), u""_s, u"Nazwa wyjścia drugiego odtwarzacza"_s),
        NazwaWyjscia(K(Kanal3Nazwa), u""_s, u"Nazwa wyjścia odtwarzacza DJa, Whispera w trybie Automat"_s),
        NazwaWyjscia(K(Kanal4Nazwa), u""_s, u"Nazwa wyjścia odtwarzacza singli"_s),
        NazwaWyjscia(K(Kanal5Nazwa), u""_s, u"Nazwa wyjścia odtwarzacza timelisty"_s),
        NazwaWyjscia(K(KanalPFLNazwa), u""_s, u"Nazwa wyjścia PFL (odsłuch w okienku Katalog, Baza itp.)"_s),
        KluczBajt(K(KartaWeLin), 0, 8, 1, 1, u"Karta wejscia liniowego"_s),
        KluczBajt(K(KanalWeLin), 0, 8, 1, 4, u"Numer wejscia liniowego"_s),
        KluczBool(K(KartaZerujJest), false, u"Czy zerowanie buforów karty (0 - nie, 1 - tak) ?"_s),
        KluczBajt(K(PlayerCzasFormat), 0, 1, 0, 0, u"Format czasu odtwarzaczy (0 - mm:ss, 1 - mm:ss.t"_s),
        KluczBool(K(PlayerVUMeterJest), false, u"Czy widoczny miernik wysterowania w odtwarzaczu (0 - nie, 1 - tak) ?"_s),
        // An older name of Poziom0SND: read first, so that Poziom0SND wins when both stand.
        TylkoCzytany(KluczLiczba(u"Poziom0"_s, &E.Poziom0SND, -10, 0, 0, 0, QString())),
        KluczLiczba(K(Poziom0SND), -10, 0, 0, 0, u"Poziom (maksymalny) muzyki w dB (od -10 do 0)"_s),
        KluczLiczba(K(Poziom0JNG), -10, 0, 0, 0, u"Poziom (maksymalny) jingla w dB (od -10 do 0)"_s),
        KluczLiczba(K(Poziom0DJ_), -10, 0, 0, 0, u"Poziom (maksymalny) DJa w dB (od -10 do 0)"_s),
        KluczLiczba(K(Poziom0REK), -10, 0, 0, 0, u"Poziom (maksymalny) reklamy w dB (od -10 do 0)"_s),
        KluczLiczba(K(Poziom0SPO), -10, 0, 0, 0, u"Poziom (maksymalny) sponsora w dB (od -10 do 0)"_s),
        KluczLiczba(K(Poziom0PRO), -10, 0, 0, 0, u"Poziom (maksymalny) promosa w dB (od -10 do 0)"_s),
        KluczLiczba(K(Poziom0AUD), -10, 0, 0, 0, u"Poziom (maksymalny) audycji w dB (od -10 do 0)"_s),
        KluczLiczba(K(Poziom0WHI), -10, 0, 0, 0, u"Poziom (maksymalny) whispera w dB (od -10 do 0)"_s),
        KluczLiczba(K(Poziom0SWE), -10, 0, 0, 0, u"Poziom (maksymalny) sweepera w dB (od -10 do 0)"_s),
        KluczLiczba(K(Poziom0LOP), -10, 0, 0, 0, u"Poziom (maksymalny) loopa w dB (od -10 do 0)"_s),
        KluczBool(K(PanelPrzyciskSterowanieJest), true, u"Czy widoczny przycisk [Sterowanie] panelu (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(TimelistaPrzyciskPytajJest), true, u"Czy widoczny przycisk [?] timelisty (0 - nie, 1 - tak)?"_s),
        KluczBool(K(AutoStopWspolnyJest), false, u"Czy wspólny tryb AutoStop dla playlisty i singli (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(AutoStop), true, u"Czy po uruchomieniu tryb AutoStop (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(AutomatBezAutoStop), false, u"Czy po uruchomieniu tryb miksowania bez AutoStopu gdy Automat (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(PListaAktJest), false, u"Czy przeliczanie czasów playlisty - [Akt.] (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CiszaJest), false, u"Czy widoczny przycisk [Cisza] ?"_s),
        PoziomWDecybelach(K(PoziomStop), 0, 60, 60, 3000, u"Minimalny poziom AutoStopu (w dB od 0 do 100)"_s),
        KluczLiczba(K(CzasStop), 0, 10000, 2000, 2000, u"Czas sciszania w ms (od 0 do 30000)"_s),
        KluczLiczba(K(CzasCross), 0, 5000, 3000, 3000, u"Czas crossfadu w trybie Automat w ms (od 1 do 5000)"_s),
        KluczLiczba(K(CzasJCross), 0, 5000, 3000, 2000, u"Czas crossfadu jingla w trybie Automat w ms (od 1 do 5000)"_s),
        KluczLiczba(K(CzasSCross), 0, 5000, 2000, 1000, u"Czas crossfadu DJa w trybie Automat w ms (od 1 do 5000)"_s),
        KluczLiczba(K(CzasRCross), 0, 5000, 0, 0, u"Czas crossfadu reklamy w trybie Automat w ms (od 1 do 5000)"_s),
        KluczLiczba(K(CzasPCross), 0, 5000, 1000, 1000, u"Czas crossfadu promosa w trybie Automat w ms (od 1 do 5000)"_s),
        KluczLiczba(K(CzasOCross), 0, 5000, 1000, 1000, u"Czas crossfadu sponsora w trybie Automat w ms (od 1 do 5000)"_s),
        KluczLiczba(K(CzasACross), 0, 5000, 0, 0, u"Czas crossfadu audycji w trybie Automat w ms (od 1 do 5000)"_s),
        KluczLiczba(K(CzasWCross), 0, 5000, 1000, 1000, u"Czas crossfadu whispera w trybie Automat w ms (od 1 do 5000)"_s),
        KluczLiczba(K(CzasECross), 0, 5000, 1000, 1000, u"Czas crossfadu sweepera w trybie Automat w ms (od 1 do 5000)"_s),
        KluczLiczba(K(CzasLCross), 0, 5000, 1000, 1000, u"Czas crossfadu loopa w trybie Automat w ms (od 1 do 5000)"_s),
        KluczBool(K(CzyZnaczOutro), true, u"Czy znaczyc outro (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyWyswCzasZSEL), false, u"Czy wyświetlać czas emisji pozycji z playlisty SEL (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyWyswTrwZPListy), false, u"Czy wyświetlać czas trwania pozycji z playlisty (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(MIXPLUndoPlayWidokJest), false, u"Czy wyświetlać pozycję zakończenia grania/UndoPlay (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyCzasPrzelGodz), false, u"Czy przeliczony czas emisji do pelnej godziny (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(CzasZnacz), 0, 60, 20, 20, u"Czas do końca utworu znaczony innym kolorem w sekundach (od 1 do 60)"_s),
        KluczLiczba(K(TOfset), -1000, 1000, 0, 0, u"Współczynnik korekcji czasu trwania pozycji (w ms: -1000 - 1000)"_s),
        KluczBool(K(MIXPLAutomatKorektaJest), false, u"Czy korekta czasu grania pozycji w trybie Automat (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(MIXPLAutomatKorektaMS), 0, 1000, 100, 100, u"Różnica czasu, po którym korekta grania pozycji w trybie Automat (w ms: 0 - 1000)"_s),
        KluczLiczba(K(MIXPLTestObecnosciMarginesH), 0, 24, 0, 0, u"Margines testu obecności wstawianego do playlisty nagrania (w h: 0 - brak testu)"_s),
        KluczBool(K(MIXPLEdycjaPrzedGranaJest), false, u"Czy mozliwa edycja playlisty przed grana pozycja (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyHST), true, u"Czy tworzenie zbiorów *.HST (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyHSTXML), false, u"Czy tworzenie zbiorów *.XML (0 - nie, 1 - tak) ?"_s),
        KluczKatalog(K(KatHST), u"Katalog zbiorów *.HST (PROGRAM - katalog programu)"_s),
        KluczLiczba(K(THST), 1, MaksLiczba, 5, 5, u"Kryterium czasu odtworzenia nagrania, po którym zapis do *.HST (w sekundach)"_s),
        KluczLiczba(K(ProcHST), 0, 100, 90, 90, u"Kryterium % odtworzenia nagrania, po którym zapis do *.HST"_s),
        KluczBool(K(HSTBezKryterium), false, u"Czy pominięcie kryterium czasu i % odtworzenia nagrania (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(HSTSNDZapisJest), true, u"Czy zapis do zbioru HST informacji o emisji muzyki (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(HSTREKZapisJest), false, u"Czy zapis do zbioru HST informacji o emisji reklamy (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(HSTInneZapisJest), false, u"Czy zapis do zbioru HST informacji o emisji innych kategorii (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(HSTTylkoPLista), true, u"Czy zapis do zbioru HST informacji tylko o emisji z playlisty (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(HSTPelneInfoJest), false, u"Czy zapis do zbioru HST pelnej informacji (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSTylkoZaakceptowane), false, u"Czy tworzenie zbiorów RDS tylko dla zaakceptowanych opisów (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorPSJest), false, u"Czy tworzenie zbioru PS dla RDS (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorRTJest), false, u"Czy tworzenie zbioru RT dla RDS (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorTAJest), false, u"Czy tworzenie zbioru TA dla RDS (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorPTJest), false, u"Czy tworzenie zbioru PT dla RDS (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorDIJest), false, u"Czy tworzenie zbioru DI dla RDS (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorPolskieLiteryJest), false, u"Czy zapis polskich liter w zbiorach dla RDS (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorDuzeLiteryJest), false, u"Czy zapis tylko dużych liter w zbiorach dla RDS (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorPSTytul), false, u"Czy zapis tytulu do zbioru PS dla RDS (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorPSWykon), false, u"Czy zapis wykonawcy do zbioru PS dla RDS (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorPSJednaLinia), false, u"Czy zapis do zbioru PS dla RDS w jednej linii (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorRTTytul), false, u"Czy zapis tytulu do zbioru RT dla RDS (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyRDSZbiorRTWykon), false, u"Czy zapis wykonawcy do zbioru RT dla RDS (0 - nie, 1 - tak) ?"_s),
        NazwaZbioru(K(RDSRTTeraz), u""_s, u"Tekst przed obecnie granym w zbiorze RT"_s),
        NazwaZbioru(K(RDSRTNastepny), u""_s, u"Tekst przed nastepnym do grania w zbiorze RT"_s),
        KluczKatalog(K(KatRDSZbior), u"Katalog zbiorów RDS (PROGRAM - katalog programu)"_s),
        NazwaZbioru(K(RDSPS), u"PS1"_s, u"Nazwa zbioru PS"_s),
        NazwaZbioru(K(RDSRT), u"RT1"_s, u"Nazwa zbioru RT"_s),
        NazwaZbioru(K(RDSTA), u"TA1"_s, u"Nazwa zbioru TA"_s),
        NazwaZbioru(K(RDSPT), u"PT1"_s, u"Nazwa zbioru PT"_s),
        NazwaZbioru(K(RDSDI), u"DI1"_s, u"Nazwa zbioru DI"_s),
        KluczBool(K(CzyRDSZbiorExt), false, u"Czy nazwa zbiorów RDS z rozszerzeniem (0 - nie, 1 - tak) ?"_s),
        KluczBajt(K(RDSPTDomyslny), 0, 32, 0, 0, u"Domyslny kod PT"_s),
        KluczLiczba(K(RDSStopS), 0, MaksLiczba, 0, 0, u"Czas usuniecia zbiorow RDS przed koncem nagrania (w s: 0 - 10)"_s),
        KluczBool(K(CzyInfoZbiorJest), false, u"Czy zapis informacji o najblizszej emisji (0 - nie, 1 - tak) ?"_s),
        NazwaZbioru(K(InfoZbiorNazwa), u"INFO"_s, u"Nazwa zbioru Info"_s),
        KluczBajt(K(InfoZbiorPozycji), 0, 15, 5, 5, u"Liczba zapisywanych pozycji (0 - 15)"_s),
        KluczBool(K(CzyGracBreak), false, u"Czy grac Breaki (0 - nie, 1 - tak) ? "_s),
        KluczBool(K(CzyListaPelneGodz), false, u"Czy lista z pełnymi godzinami (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPlayListaDoklejUsun), false, u"Czy przy Doklej usuwanie pozycji zagranych (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyListaPozaGodzUsun), false, u"Czy usuwanie pozycji wykraczających poza godzinę (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPlayListaWstawRozsun), false, u"Czy rozsuwanie pozycji przy wstawianiu DJ, Break, Whisper (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPlayListaZmienAdresDJ), false, u"Czy po wgraniu DJa zmiana adresu (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPlayListaZmienDateDJ), false, u"Czy po skopiowaniu DJa zmiana daty na aktualna (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyDodatkowaKlawiatura), false, u"Czy dodatkowa klawiatura sterujaca (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyKomunikatBrakNagrania), false, u"Czy komunikat o braku nagrania (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyZawszeInfoOCzasach), false, u"Czy zawsze wyswietlane info o czasach (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(Advantech1761Jest), false, u"Czy sterowanie karta I/O Advantech (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(StartStol), false, u"Czy start wyzwalany zewnętrznym sygnałem (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(StopStol), false, u"Czy stop wyzwalany zewnętrznym sygnałem (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzySterowanieAutomat), false, u"Czy sterowanie zewnętrznym sygnałem w trybie Automat (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(StartEnter), true, u"Czy start przy pomocy klawisza Enter (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(StartEnterGra), true, u"Czy start przy pomocy klawisza Enter gdy juz gra (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(MiksyGdyGra), true, u"Czy ustawianie miksów podczas grania (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(ZbioryInfoGdyStol), false, u"Czy zapis zbiorów HST,INFO i RDS tylko gdy start ze stolu (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CiszaGra), false, u"Czy granie ciszy pomiedzy pozycjami (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(ReklamaGraNaStyk), true, u"Czy granie reklam po kolei na jednym playerze (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPlaylistaZapetlona), false, u"Czy ciągłe granie playlisty (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(StopSpacja), true, u"Czy stop przy pomocy klawisza spacji (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(StopSpacjapotwierdzenie), false, u"Czy potwierdzenie stopu przy pomocy klawisza spacji (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(NastPoPlay), true, u"Czy zaznaczenie następnej pozycji playlisty po Play (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(NastPoPlayBezp), false, u"Czy zaznaczenie bezposrenio następnej pozycji (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(PListPlayMysz), true, u"Czy emisja pozycji playlisty wyzwalana myszką (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SterDJWgraj), false, u"Czy start/stop wgrywania DJ zewn. sygnałem (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPytanieOOdczytLST), true, u"Czy pytanie o odczyt list reklamowych (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPytanieOOdczyt2LST), false, u"Czy pytanie o odczyt drugiej listy LST (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyZawszeOdczytLSTDlaMIX), false, u"Czy zawsze dla MIX odczyt LST (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPytanieOOdczytRekGdyZmiana), false, u"Czy pytanie o odczyt list reklamowych (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPytanieOOdczytProGdyZmiana), false, u"Czy pytanie o odczyt list reklamowych (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyReklamaJakoBelka), false, u"Czy reklamy jako pojedyncza belka (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPorownanie8Znakow), false, u"Czy porównanie tylko 8 znaków nazw list (0 - nie, 1 - tak) ?"_s),
        KluczBajt(K(ListaLSTSposob), 1, 2, 2, 2, u"Sposób lączenia listy reklamowej (1-Miejsce na..., 2- Reklama o"_s),
        KluczBool(K(CzyNazwaLSTZPozycji), false, u"Czy nazwa listy LST z pozycji w MIX (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyUsuwanieReklamaO), false, u"Czy usuwanie pustych zaślepek Reklama o (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyUsuwaniePromosO), false, u"Czy usuwanie pustych zaślepek Promos o (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyListaLST), false, u"Czy automatyczny odczyt listy reklamowej (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyLista2LST), false, u"Czy automatyczny odczyt drugiej listy reklamowej (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyLista2LSTPromosy), false, u"Czy w pierwszej liście LST promosy (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyLista22LSTPromosy), false, u"Czy w drugiej liście LST promosy (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyListaLSTWybor), false, u"Czy wybor listy reklamowej (0 - nie, 1 - tak) ?"_s),
        KluczKatalog(K(KatAutomat), u"Katalog konfiguracji programu (PROGRAM - katalog programu)"_s),
        KluczKatalog(K(KatLista1), u"Katalog konfiguracji pierwszej listy LST (PROGRAM - katalog programu)"_s),
        KluczKatalog(K(KatLista2), u"Katalog konfiguracji drugiej listy LST (PROGRAM - katalog programu)"_s),
        KluczBool(K(PlaylistaZapisPoOdczycieJest), false, u"Czy po odczycie playlisty zapis do kat. programu (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(PlaylistaBlokadaZapisGdyBraki), false, u"Czy blokada zapisu playlisty gdy nie ma nagrań (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyZapisLista2Komp), false, u"Czy zapis playlisty do drugiego komputera (0 - nie, 1 - tak) ?"_s),
        KluczKatalog(K(KatZapisLista2Komp), u"Katalog playlisty w drugim komputerze"_s),
        KluczBool(K(CzyTimelistaFolderZapis), false, u"Czy wybór foldera przy zapisie timelisty (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPlaylistaFolderZapis), false, u"Czy wybór foldera przy zapisie playlisty (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SingleInitAutostopJest), false, u"Czy po uruchomieniu tryb Autostop singli (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SingleInitKaczkaJest), false, u"Czy po uruchomieniu tryb kaczka singli (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SingleInitZapytajJest), false, u"Czy po uruchomieniu tryb zapytaj singli (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SingleInitKolejnoJest), false, u"Czy po uruchomieniu tryb kolejno singli (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SingleOdczytKatalogiJest), false, u"Czy odczyt zestawow z predefiniowanych katalogow (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SingleZapisKatalogiJest), false, u"Czy zapis zestawow do predefiniowanych katalogow (0 - nie, 1 - tak) ?"_s),
    });
    for (int n = 1; n <= 6; ++n)
        k.push_back(Tekst(u"SingleKatAdres%1"_s.arg(n), &E.SingleKatAdres[n - 1], QString(),
                          u"Katalog zestawu singli nr%1"_s.arg(n)));
    k.insert(k.end(), {
        KluczBool(K(SingleZapisPoOdczycieJest), false, u"Czy po odczycie konfiguracji zapis do kat. programu (0 - nie, 1 - tak) ?"_s),
        KluczKatalog(K(KatSingleZapis), u"Katalog zapisu konfiguracji singli (PROGRAM - katalog programu)"_s),
        KluczBool(K(SingleCzyPrzypominanieZapis), false, u"Czy przypominanie o zapisie zmienionego zestawu singli (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SinglePamietajTrybJest), false, u"Czy pamiętanie trybu operacji na singlach (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SingleTrybZapytajPoOdczycieJest), false, u"Czy tryb zapytaj po odczycie zestawu (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SingleKopiowanieJest), false, u"Czy kopiowanie singli na dysk lokalny (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SingleCzyPytanieOKopiowanie), false, u"Czy pytanie o kopiowanie singli (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SingleKopiowanieStrukturaJest), false, u"Czy kopiowanie singli do struktury katalogow (0 - nie, 1 - tak) ?"_s),
    });
    for (int n = 1; n <= 6; ++n)
        k.push_back(KluczBool(u"SingleCzyKopiowanieZestawu%1"_s.arg(n), &E.SingleCzyKopiowanieZestawu[n - 1], false,
                              u"Czy możliwe kopiowanie zestawu singli nr%1"_s.arg(n)));
    k.insert(k.end(), {
        DyskiKopiowania(K(SingleDyskiKopiowanie), u" Dyski, z których możliwe kopiowanie (wymienione, oddzielone ',')"_s),
        KluczKatalog(K(SingleKatalogKopiowanie), u" Katalog docelowy kopiowanych zbiorów singli (PROGRAM - katalog programu)"_s),
        KluczBool(K(CzySingleFolderZapis), false, u"Czy wybór foldera przy zapisie singli (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyKopiowac), false, u"Czy kopiowanie sygnałów z dysku sieciowego na lokalny (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPytac), true, u"Czy pytanie o kopiowanie z dysku sieciowego na lokalny (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(KopiowanieBrakujacych), false, u"Czy kopiowanie tylko brakujących nagrań (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPytacKopia), false, u"Czy pytanie o kopiowanie gdy ta sama nazwa zbioru ale różna data, rozmiar ?"_s),
        KluczBool(K(CzyKopiowacNagraniaTimelisty), false, u"Czy kopiowanie nagrań timelisty z dysku sieciowego na lokalny (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyPytacOKopiowanieNagranTimelisty), true, u"Czy pytanie o kopiowanie nagrań timelisty z dysku sieciowego na lokalny (0 - nie, 1 - tak) ?"_s),
        KluczKatalog(K(KatKopiaProgram), u" Katalog docelowy kopiowanych zbiorów programu (PROGRAM - katalog programu)"_s),
        KluczKatalog(K(KatKopiaLista), u"Katalog docelowy kopiowanych zbiorów listy (PROGRAM - katalog programu)"_s),
        KluczBool(K(CzyTestMIX), false, u"Czy test listy *.MIX po odczycie (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyTestKolejnoscMIX), false, u"Czy test kolejności elementów listy *.MIX po odczycie (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyWyswWynikTestuPlaylisty), false, u"Czy wyswietlac wyniki testu playlisty (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyTestRaport), false, u"Czy tworzony raport z testu (0 - nie, 1 - tak) ?"_s),
        KluczKatalog(K(KatTestRaport), u"Katalog zbioru raportu z testu (PROGRAM - katalog programu)"_s),
        KluczBool(K(CzyZapisKonfiguracji), true, u"Czy możliwy zapis konfiguracji (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyOdczytTylkoMIX), false, u"Czy odczyt tylko list typu .MIX (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyOpisyZListy), false, u"Czy opisy nagrań czytane z listy .SEL lub .PRG (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyOpisyInneZListy), false, u"Czy opisy innych kategorii czytane z listy .SEL lub .PRG (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyCzasyZNagran), false, u"Czy po odczycie listy .SEL lub .PRG odczyt czasów z nagrań (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyKategorieZNagran), false, u"Czy po odczycie listy .SEL lub .PRG odczyt kategorii z nagrań (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyDATZPlayListy), false, u"Czy tworzenie zbiorow DAT na podst. inf. z playlisty (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyDomyslneCzasySEL), false, u"Czy domyślne czasy FOut, NKon po odczycie listy .SEL lub .PRG (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzyTrybEmisja), false, u"Czy praca w trybie Emisja (0 - nie, 1 - tak) ?"_s),
        KluczKatalog(K(KatTrybEmisjaPlayLista), u"Katalog odczytu playlisty w trybie Emisja (PROGRAM - katalog programu)"_s),
        KluczKatalog(K(KatTrybEmisjaNewsLista), u"Katalog odczytu listy newsów w trybie Emisja (PROGRAM - katalog programu)"_s),
        KluczKatalog(K(KatTrybEmisjaSynchLista), u"Katalog odczytu listy reklam w trybie Emisja (PROGRAM - katalog programu)"_s),
        KluczBajt(K(PlaylistaFormat), 1, 3, 1, 1, u"Format zbioru playlisty (1 - Halvorin, 2 - Selector)"_s),
        KluczKatalog(K(KatJingle), u"Katalog jingli (PROGRAM - katalog programu)"_s),
        KluczBool(K(CzySzukacNagran), false, u"Czy szukanie nagrań wg nazwy w definiowanych katalogach (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzySzukacWPodkatalogach), false, u"Czy szukanie nagrań w podkatalogach (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzySzukacWBazie), false, u"Czy szukanie nagrań w bazie nagrań (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(CzySzukacNadacKod), false, u"Czy po odszukaniu nagrania wg nazwy nadać kod wg katalogu (0 - nie, 1 - tak) ?"_s),
        KluczKatalog(K(KatMuzyka1), u"Katalog muzyki - pierwszy (PROGRAM - katalog programu)"_s),
        KluczKatalog(K(KatMuzyka2), u"Katalog muzyki - drugi (PROGRAM - katalog programu)"_s),
        KluczKatalog(K(KatDJ), u"Katalog DJ (PROGRAM - katalog programu)"_s),
        KluczKatalog(K(KatAudycje), u"Katalog audycji - programów (PROGRAM - katalog programu)"_s),
        KluczKatalog(K(KatInne), u"Katalog innych nagrań (PROGRAM - katalog programu)"_s),
        KluczBool(K(SERWISJest), false, u"Czy obsluga serwisów (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(SERWISSzukajPozycjiNum), 1, MaksLiczba, 5, 5, u"Liczba przeszukiwanych pozycji(od 1 do 99)"_s),
        NazwaZbioru(K(SERWISDzwiekNazwa), u""_s, u"Nazwa dzwieku (pliku MP3) serwisu bez rozszerzenia"_s),
        KluczKatalog(K(SERWISKatalog), u"Katalog serwisow (PROGRAM - katalog programu)"_s),
        NazwaZbioru(K(AUDYCJADzwiekNazwa), u""_s, u"Nazwa dzwieku (pliku MP3) audycji bez rozszerzenia"_s),
        KluczKatalog(K(AUDYCJAKatalog), u"Katalog audycji (PROGRAM - katalog programu)"_s),
        KluczLiczba(K(SERWISGrajOMarginesS), 0, MaksLiczba, 0, 0, u"czas marginesu \"Graj o\" w s (od 0 do 999)"_s),
        KluczLiczba(K(SERWISUstawDoGraniaMarginesS), 0, MaksLiczba, 10, 10, u"Czas marginesu ustawienia pozycji \"Graj o\" do grania w s (od 0 do 999)"_s),
        KluczLiczba(K(SERWISUstawDoGraniaMarginesPozycjiNum), 0, MaksLiczba, 2, 2, u"Czas marginesu ustawienia pozycji \"Graj o\" do grania w pozycjach (od 1 do 99)"_s),
        KluczBool(K(SERWISBreakAutoodczytJest), false, u"Czy autoodczyt BREAKu serwisowego (0 - nie, 1 - tak) ?"_s),
        Tekst(K(InfoEraElementy), u"lata < 60;lata 60;lata 70;lata 80;lata 90;lata 2000-5;lata 2006-10;lata > 2010;lata > 2015"_s, u"Elementy opisu nagrania - ERA (oddzielone srednikiem)"_s),
        ZachowanyGdyCzytany(KluczBool(K(StolSterowanie), false, u"Czy po uruchomieniu sterowanie ze stołu (0 - nie, 1 - tak) ?"_s),
                            &czytanyStolSterowanie),
        ZachowanyGdyCzytany(KluczBool(K(CzyTestPRG), false, u"Czy test playlisty PRG (0 - nie, 1 - tak) ?"_s),
                            &czytanyCzyTestPRG),
        // The emergency start must survive a restart, or it could never be on
        // when the program starts.
        KluczBool(K(AwariaStartJest), false,
                  u"Automatyczne uruchomienie playlisty awaryjnej AWARIA.MIX po starcie programu (0/1)"_s),
    });
    return s;
}

OpisSekcji ZbudujSekcjeSatelity()
{
    auto& E = Satelita;
    OpisSekcji s;
    s.nazwa = u"Satelita"_s;
    s.tytul = u"Synchronizacja - rozszycia"_s;
    s.klucze = {
        KluczBool(K(SatTrybJest), false, u"Czy dostępny tryb SAT (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SatStartJest), false, u"Czy po uruchomieniu programu włączony tryb SAT (0 - nie, 1 - tak) ?"_s),
        Tekst(K(IdStacji), u""_s, u"Identyfikator stacji"_s),
        KluczBool(K(SatIdStacjiZamianaNazwJest), false, u"Czy zamiana JJJ i OOO w nazwie nagrania na IdStacji (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SatTLJest), false, u"Czy autoodczyt listy synchronicznej (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(SatPLJest), false, u"Czy autoodczyt playlisty (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(SatPLCzytMargS), 0, 300, 300, 300, u"Margines odczytu playlisty w s (0 - 300)"_s),
        KluczLiczba(K(SatPLUsunMargS), 0, 300, 300, 300, u"Margines usuwania playlisty w s (0 - 300)"_s),
        Tekst(K(SatPLNazwaFormat), u"RRRRMMDD"_s, u"Format nazwy playlisty (RRRR - rok, MM - miesiąc, DD - dzień)"_s),
        KluczKatalog(K(SatPLKatalog), u"Katalog playlisty autoodczytywanej (PROGRAM - katalog programu)"_s),
        KluczBool(K(SatPLKorektaJest), false, u"Czy korekta grania playlisty (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(SatPLKorektaMS), 0, 1000, 100, 100, u"Różnica czasu grania, po której korekta w ms (0 - 1000)"_s),
        KluczBool(K(SatPLFadeJest), false, u"czy automatyczny fade out playlisty (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(SatVTCzytMargS), 0, 86400, 300, 300, u"Margines odczytu pozycji VT z dysku w s"_s),
        KluczLiczba(K(SatVTGrajMargS), 0, 86400, 300, 300, u"Margines zagrania pozycji VT z playlisty w s"_s),
        KluczLiczba(K(SatVTUsunMargS), 0, 86400, 300, 300, u"Margines usuwania pozycji VT z playlisty w s (0 - nie usuwa)"_s),
        KluczLiczba(K(SatVTUsunMarg2S), 0, 86400, 0, 0, u"Margines usuwania pozycji pozniejszych VT z playlisty w s"_s),
        KluczKatalog(K(SatVTKatalog), u"Katalog pozycji VT (PROGRAM - katalog programu)"_s),
        KluczKatalog(K(SatVTXKatalog), u"Katalog pozycji VTXXXX_ (PROGRAM - katalog programu)"_s),
        KluczLiczba(K(SatRLCzytMargS), 0, 86400, 300, 300, u"Margines odczytu listy reklamowej z dysku w s"_s),
        KluczLiczba(K(SatRLgrajMargS), 0, 86400, 300, 300, u"Margines zagrania pozycji RL z timelisty w s"_s),
        KluczLiczba(K(SatRLUsunMargS), 0, 86400, 300, 300, u"Margines usuwania pozycji RL z timelisty w s"_s),
        KluczBool(K(SatRLReklOJest), false, u"Czy wystawiana flaga RL gdy Reklama o (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(SatRLOfsLiczMS), -10000, 10000, 0, 0, u"Poprawka w sumowaniu czasu listy reklamowej w ms"_s),
        KluczLiczba(K(SatFlagaOfsMS), -10000, 10000, 0, 0, u"Poprawka na usuniecie flagi rozszycia w ms"_s),
        KluczLiczba(K(SatStopOpoznienieMS), 0, 10000, 0, 0, u"Czas opoznienia stopu satelitarnego w ms"_s),
        KluczLiczba(K(SatFadeInMS), 0, 3000, 500, 500, u"Czas fade in sygnalu satelity w ms (0 - 3000)"_s),
        KluczLiczba(K(SatFadeOutMS), 0, 3000, 500, 500, u"Czas fade out sygnalu satelity w ms (0 - 3000)"_s),
        KluczBool(K(SatPListAutoJest), false, u"Czy autoodczyt playlisty przed polnoca (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(SatPListAutoTS), 0, 300, 0, 300, u"Czas autoodczytu playlisty przed polnoca w s (0 - 300)"_s),
        KluczKatalog(K(SatPListAutoKat), u"Katalog playlisty odczytywanej przed polnoca (PROGRAM - katalog programu)"_s),
        KluczBool(K(SatPListAutoTestJest), false, u"Czy test playlisty odczytywanej przed polnoca (0 - nie, 1 - tak) ?"_s),
        KluczBool(K(UDPBroadcastJest), false, u"Czy jest UDP broadcast (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(UDPBroadcastInterwalS), 0, 3600, 10, 15, u"Interwal UDP broadcast w s"_s),
        Tekst(K(UDPBroadcastAdres), u"127.0.0.1"_s, u"Adres UDP broadcast"_s),
        KluczLiczba(K(UDPBroadcastPort), 0, 65535, 0, 10000, u"Numer portu UDP broadcast"_s),
        KluczLiczba(K(UDPBroadcastTTL), 0, 65535, 0, 32, u"TTL UDP broadcast"_s),
        KluczBool(K(UDPBroadcast2Jest), false, u"Czy jest 2. UDP broadcast (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(UDPBroadcast2InterwalS), 0, 3600, 10, 10, u"Interwal 2. UDP broadcast w s"_s),
        Tekst(K(UDPBroadcast2Adres), u"127.0.0.1"_s, u"Adres 2. UDP broadcast"_s),
        KluczLiczba(K(UDPBroadcast2Port), 0, 65535, 0, 10001, u"Numer portu 2. UDP broadcast"_s),
        KluczLiczba(K(UDPBroadcast2TTL), 0, 65535, 0, 32, u"TTL 2. UDP broadcast"_s),
        KluczBool(K(UDPBroadcastMonitorJest), false, u"Czy jest UDP broadcast Monitor (0 - nie, 1 - tak) ?"_s),
        KluczLiczba(K(UDPBroadcastMonitorInterwalS), 0, 3600, 10, 1, u"Interwal UDP broadcast Monitor w s"_s),
        Tekst(K(UDPBroadcastMonitorAdres), u"127.0.0.1"_s, u"Adres UDP broadcast Monitor"_s),
        KluczLiczba(K(UDPBroadcastMonitorPort), 0, 65535, 0, 10005, u"Numer portu UDP broadcast Monitor"_s),
        KluczLiczba(K(UDPBroadcastMonitorTTL), 0, 65535, 0, 32, u"TTL UDP broadcast Monitor"_s),
        KluczBool(K(GPI1Jest), false, u"Czy komputer sterowany przez GPI1 (0 - nie, 1 - tak) ?"_s),
        Tekst(K(GPI1Adres), u"127.0.0.1"_s, u"Adres GPI1 (xNode)"_s),
        KluczLiczba(K(GPI1Port), 0, 65535, 0, 100, u"Numer portu GPI1 (xNode)"_s),
        Tekst(K(GPIPlayer1), u"GPI1,1,0"_s, u"Sygnal start/stop playera nr 1 (xNode) (nr GPI, nr pinu, stan wyzwalacjący"_s),
        Tekst(K(GPIPlayer2), u"GPI1,2,0"_s, u"Sygnal start/stop playera nr 2 (xNode) (nr GPI, nr pinu, stan wyzwalacjący"_s),
    };
    return s;
}

#undef K

}  // namespace

const OpisSekcji& SekcjaEmisji()
{
    static const OpisSekcji s = ZbudujSekcjeEmisji();
    return s;
}

const OpisSekcji& SekcjaSatelity()
{
    static const OpisSekcji s = ZbudujSekcjeSatelity();
    return s;
}

void UstawOpcjeGPI()
{
    OpcjeGPI.Advantech1761Jest = Emisja.Advantech1761Jest;
    OpcjeGPI.GPI1Jest = Satelita.GPI1Jest;
    OpcjeGPI.GPIPlayer1 = Satelita.GPIPlayer1;
    OpcjeGPI.GPIPlayer2 = Satelita.GPIPlayer2;
    GPIWlaczone = Emisja.StartStol ? 1 : 0;
}

void DomyslneNastawyEmisji()
{
    UstawDomyslne(SekcjaEmisji());
    AutoodczytZbior.clear();
    AutoodczytNazwa.clear();
    PlaylistaWczytana = false;
    UstawOpcjeGPI();
}

void DomyslneNastawySatelity()
{
    UstawDomyslne(SekcjaSatelity());
    UstawOpcjeGPI();
}

void WczytajNastawyEmisji(const QString& plik)
{
    WczytajNastawyEmisji(ZbiorNastaw::Wczytaj(plik));
}

void WczytajNastawyEmisji(const ZbiorNastaw& zbior)
{
    CzytajSekcje(zbior, SekcjaEmisji());
    UstawOpcjeGPI();
}

void WczytajNastawySatelity(const QString& plik)
{
    WczytajNastawySatelity(ZbiorNastaw::Wczytaj(plik));
}

void WczytajNastawySatelity(const ZbiorNastaw& zbior)
{
    CzytajSekcje(zbior, SekcjaSatelity());
    UstawOpcjeGPI();
}

void ZapiszNastawyEmisji(const QString& plik)
{
    ZapiszSekcje(plik, SekcjaEmisji());
}

void ZapiszNastawySatelity(const QString& plik)
{
    ZapiszSekcje(plik, SekcjaSatelity());
}
