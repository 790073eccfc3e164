#include "foundation/Dialogi.h"

#include "foundation/DialogiQt.h"  // the windows a holder of the list gives up
#include "foundation/Text.h"
#include "foundation/UslugaDialogow.h"
#include "foundation/Zdarzenie.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QFileInfo>

QString TekstPodany;
bool StanPrzerwij = false;
float StanMaksimum = 0;
float StanMaksimum2 = 0;
QString RDSTytul;
QString RDSWykonawca;
QString RDSInformacja;
qint32 KodWybrany = 0;
QString CzasWybrany;

namespace {

// One report at a time: a timer firing inside a shown report must not stack
// a second window over it.
bool bladOtwarty = false;
bool infoOtwarte = false;

// The progress window and what its gauges last showed; a gauge never moves
// back within one run.
bool stanOtwarty = false;
int ostatniProcent1 = 0;
int ostatniProcent2 = 0;

void ZapiszOdpowiedz(quint16 kod) {
    Zdarzenie.Rodzaj = ZdarzenieKomenda;
    Zdarzenie.Kod = kod;
}

int WynikOdpowiedzi(quint16 odp) {
    switch (odp) {
    case OdpowiedzTak:
    case OdpowiedzAkceptuj: return WynikTak;
    case OdpowiedzNie: return WynikNie;
    case OdpowiedzTakWszystkie: return WynikTakWsz;
    default: return WynikAnuluj;
    }
}

// Clears a flag when the scope ends, however it ends.
class Flaga {
public:
    explicit Flaga(bool& f) : f_(f) { f_ = true; }
    ~Flaga() { f_ = false; }
    Flaga(const Flaga&) = delete;
    Flaga& operator=(const Flaga&) = delete;

private:
    bool& f_;
};

}  // namespace

QString TekstBleduIO(int kod) {
    switch (kod) {
    case 2: return QStringLiteral("Nie odnaleziono zbioru");
    case 3: return QStringLiteral("Nie odnaleziono scieżki");
    case 4: return QStringLiteral("Zbyt wiele otwartych zbiorów");
    case 5: return QStringLiteral("Dostęp do zbioru zabroniony");
    case 6: return QStringLiteral("Błędna operacja na zbiorze");
    case 12: return QStringLiteral("Błędny kod dostępu do zbioru");
    case 15: return QStringLiteral("Błędne oznaczenie napędu");
    case 16: return QStringLiteral("Nie można usunąć katalogu");
    case 17: return QStringLiteral("Nie można zmienić nazwy zbioru");
    case 100: return QStringLiteral("Błąd w odczycie dysku");
    case 101: return QStringLiteral("Błąd w zapisie dysku");
    case 102: return QStringLiteral("Zbiór nie skojarzony");
    case 103: return QStringLiteral("Nie odnaleziono zbioru");
    case 104: return QStringLiteral("Plik nie jest otwarty do odczytu");
    case 105: return QStringLiteral("Plik nie jest otwarty do zapisu");
    case 106: return QStringLiteral("Błędna postać numeryczna");
    case 150: return QStringLiteral("Dysk zabezpieczony przed zapisem");
    case 152: return QStringLiteral("Napęd nie jest gotowy");
    case 156: return QStringLiteral("Błąd podczas przeszukiwania dysku");
    case 158: return QStringLiteral("Nie odnaleziono sektora");
    case 160: return QStringLiteral("Błąd podczas zapisu");
    case 161: return QStringLiteral("Błąd podczas odczytu");
    case 201: return QStringLiteral("Liczba mniejsza od dopuszczalnej");
    case 202: return QStringLiteral("Liczba większa od dopuszczalnej");
    case 210: return QStringLiteral("Nie można skasować - zbiór używany");
    case 211: return QStringLiteral("Nie można zmienić nazwy - zbiór używany");
    case 212: return QStringLiteral("Zbiór o tej nazwie już istnieje");
    case 213: return QStringLiteral("Nie można skasować katalogu");
    case 214: return QStringLiteral("Nie można zmienić nazwy katalogu");
    case 215: return QStringLiteral("Nieprawidłowy format zbioru");
    default: return QStringLiteral("Przepraszamy, nie ma komentarza");
    }
}

QString TekstBledu2(int kod) {
    switch (kod) {
    case 301: return QStringLiteral("Niejednakowe nastawy sygnałów");
    case 302: return QStringLiteral("Należy podać nazwę zbioru");
    case 303: return QStringLiteral("Zbiór obecnie edytowany - nie można go skasować");
    case 304: return QStringLiteral("Należy podać inną nazwę");
    case 305: return QStringLiteral("Operacja niemożliwa do wykonania - źle ustawione kanały");
    default: return {};
    }
}

void PokazBlad(const QString& tekst, const QString& szczegol) {
    if (bladOtwarty)
        return;
    Flaga otwarty(bladOtwarty);
    const QString linia2 = szczegol.isEmpty() ? QString() : QStringLiteral(" (") + szczegol + QLatin1Char(')');
    const StrazPetli straz;
    Dialogi().Blad(tekst, linia2);
    KasujZdarzenie();
}

void PokazBladKod(int kod, const QString& tekst, const QString& szczegol) {
    PokazBlad(tekst.isEmpty() ? TekstBleduIO(kod) : tekst, szczegol);
}

void PokazBlad2(int kod, const QString& szczegol) {
    PokazBladKod(kod, TekstBledu2(kod), szczegol);
}

void PokazInfo(const QString& linia1, const QString& linia2) {
    if (infoOtwarte)
        return;
    Flaga otwarte(infoOtwarte);
    const StrazPetli straz;
    Dialogi().Info(linia1, linia2);
    KasujZdarzenie();
}

int DlugoscTekstu(int kodSzerokosci, int tryb) {
    const qint64 n = qAbs(qint64(kodSzerokosci)) / 100;
    if (n == 0)
        return tryb == 9 ? 10 : 16;
    return int(n);
}

int PodajTekst(const QString& zacheta, int kodSzerokosci, int tryb) {
    const int maks = DlugoscTekstu(kodSzerokosci, tryb);
    QString tekst = cutTo(TekstPodany, maks);
    auto przyjmij = [tryb](const QString& t) {
        if (tryb == 6 && t.contains(QLatin1Char(' '))) {
            PokazInfo(QStringLiteral("Nie można wprowadzić - w tekście są spacje"), QString());
            return false;
        }
        return true;
    };
    const StrazPetli straz;
    const quint16 odp = Dialogi().Tekst(zacheta, tekst, maks, tryb == 9, przyjmij);
    if (odp == OdpowiedzAkceptuj && !tekst.isEmpty()) {
        TekstPodany = cutTo(tekst, maks);
        ZapiszOdpowiedz(OdpowiedzAkceptuj);
        return WynikTak;
    }
    KasujZdarzenie();
    ZapiszOdpowiedz(OdpowiedzOpusc);
    TekstPodany.clear();
    return WynikAnuluj;
}

int ProcentStanu(double wartosc, double maksimum) {
    if (!(maksimum > 0))
        return 0;
    const double p = 100.0 * wartosc / maksimum;
    if (!(p > 0))
        return 0;
    if (p >= 100)
        return 100;
    return int(p);
}

namespace {
void OtworzStan(const QString& tekst, const QString& przycisk, bool wskaznik, bool dwa) {
    StanPrzerwij = false;
    stanOtwarty = true;
    // A new run starts from an empty gauge; otherwise a second copy after a
    // finished one would never move.
    ostatniProcent1 = 0;
    ostatniProcent2 = 0;
    OpisStanu opis;
    opis.tekst = tekst;
    opis.przerwij = przycisk == QStringLiteral("Przerwij");
    opis.wskaznik = wskaznik;
    opis.dwa = dwa;
    const StrazPetli straz;
    Dialogi().StanOtworz(opis);
}
}  // namespace

void PokazStan(const QString& tekst, const QString& przycisk, bool wskaznik) {
    OtworzStan(tekst, przycisk, wskaznik, false);
}

void PokazStan2(const QString& tekst, const QString& przycisk, bool wskaznik) {
    OtworzStan(tekst, przycisk, wskaznik, true);
}

void UstawStan(double wartosc) {
    if (!stanOtwarty)
        return;
    const int p = ProcentStanu(wartosc, StanMaksimum);
    if (p > ostatniProcent1) {
        ostatniProcent1 = p;
        Dialogi().StanUstaw(1, p);
    }
}

void UstawStan2(qint64 pozycja, double wartosc) {
    UstawStan(wartosc);
    if (!stanOtwarty)
        return;
    const int p = ProcentStanu(double(pozycja - 1), StanMaksimum2);
    if (p > ostatniProcent2) {
        ostatniProcent2 = p;
        Dialogi().StanUstaw(2, p);
    }
}

void ZamknijStan() {
    if (stanOtwarty) {
        Dialogi().StanZamknij();
        stanOtwarty = false;
    }
    KasujZdarzenie();
}

void PompujZdarzenia() {
    const StrazPetli straz;
    Dialogi().Pompuj();
}

bool StanPrzerwany() {
    return false;
}

int Decyzja(const QString& linia1, const QString& linia2, int zestaw) {
    if (zestaw != 2 && zestaw != 12 && zestaw != 3 && zestaw != 4)
        zestaw = 2;
    const StrazPetli straz;
    const quint16 odp = Dialogi().Decyzja(linia1, linia2, zestaw);
    ZapiszOdpowiedz(odp);
    return WynikOdpowiedzi(odp);
}

int PokazRaport(const QString& plik) {
    const QString sciezka = platform::resolvePath(plik);
    QStringList linie;
    if (!QFileInfo(sciezka).isFile() || !platform::readTextLines(sciezka, linie))
        linie = QStringList{QStringLiteral("Nie ma zbioru raportu")};
    else if (linie.isEmpty())
        linie = QStringList{QStringLiteral("OK")};
    QString nazwa = plik;
    const qsizetype k = qMax(nazwa.lastIndexOf(QLatin1Char('\\')), nazwa.lastIndexOf(QLatin1Char('/')));
    if (k >= 0)
        nazwa = nazwa.mid(k + 1);
    const StrazPetli straz;
    Dialogi().Raport(QStringLiteral("Raport: ") + nazwa, linie);
    ZapiszOdpowiedz(OdpowiedzOpusc);
    return WynikAnuluj;
}

void PokazBlokadeEkranu() {
    const StrazPetli straz;
    Dialogi().BlokadaEkranu();
}

int PokazRDS() {
    QString t = RDSTytul, w = RDSWykonawca, i = RDSInformacja;
    const StrazPetli straz;
    quint16 odp = Dialogi().RDS(t, w, i);
    if (odp != OdpowiedzAkceptuj && odp != OdpowiedzNie)
        odp = OdpowiedzOpusc;
    if (odp == OdpowiedzAkceptuj) {
        RDSTytul = t;
        RDSWykonawca = w;
        RDSInformacja = i;
    }
    ZapiszOdpowiedz(odp);
    return WynikOdpowiedzi(odp);
}

qint32 PodajKod() {
    KodWybrany = 0;
    const StrazPetli straz;
    const qint32 k = Dialogi().Kod();
    KodWybrany = (k >= 1 && k <= 12) ? k : 0;
    return KodWybrany;
}

qint32 PodajKod(qint32& kod) {
    kod = PodajKod();
    return kod;
}

int PodajCzas(const QString& tytul, const QString& limit) {
    QString hhmm;
    const StrazPetli straz;
    const quint16 odp = Dialogi().Czas(tytul, limit == QStringLiteral("24:00"), hhmm);
    if (odp == OdpowiedzAkceptuj) {
        CzasWybrany = hhmm;
        ZapiszOdpowiedz(OdpowiedzAkceptuj);
        return WynikTak;
    }
    KasujZdarzenie();
    ZapiszOdpowiedz(OdpowiedzOpusc);
    return WynikAnuluj;
}

// ---- the time entry's toggle groups ----

bool ModelCzasu::Widoczny(int grupa, int cyfra) const {
    if (cyfra < 0)
        return false;
    switch (grupa) {
    case 0: return cyfra <= (do24_ ? 2 : 9);
    case 1:
    case 3: return cyfra <= 9;
    case 2: return cyfra <= 5;
    default: return false;
    }
}

void ModelCzasu::Nacisnij(int grupa, int cyfra) {
    if (!Widoczny(grupa, cyfra))
        return;
    cyfry_[grupa] = cyfra;
    if (do24_) {
        // At most 23 hours: the later press wins, the other digit goes to 0.
        if (grupa == 0 && cyfra == 2 && cyfry_[1] >= 4)
            cyfry_[1] = 0;
        else if (grupa == 1 && cyfra >= 4 && cyfry_[0] == 2)
            cyfry_[0] = 0;
    }
}

QString ModelCzasu::Tekst() const {
    return QString::number(cyfry_[0]) + QString::number(cyfry_[1]) + QLatin1Char(':') +
           QString::number(cyfry_[2]) + QString::number(cyfry_[3]);
}

namespace {
std::function<void()> strazPrzed, strazPo;
int glebokoscPetli = 0;
int glebokoscStrazy = 0;  // the depth the pair was installed at
int trzymanie = 0;
bool ustepuje = false;
}  // namespace

StrazPetli::StrazPetli() {
    if (glebokoscPetli++ == glebokoscStrazy && strazPrzed) strazPrzed();
}

StrazPetli::~StrazPetli() {
    if (--glebokoscPetli == glebokoscStrazy && strazPo) strazPo();
}

void UstawStrazPetli(std::function<void()> przed, std::function<void()> po) {
    strazPrzed = std::move(przed);
    strazPo = std::move(po);
    glebokoscStrazy = glebokoscPetli;
}

TrzymanieListy::TrzymanieListy() { ++trzymanie; }

TrzymanieListy::~TrzymanieListy() {
    if (--trzymanie == 0) ustepuje = false;
}

bool ListaTrzymana() { return trzymanie > 0; }

void UstapListy() {
    if (trzymanie == 0 || ustepuje) return;
    ustepuje = true;
    ZamknijOknaTrzymajacych();
}

bool OknoUstepuje() { return ustepuje; }
