#include "console/commands/ProfilOperatora.h"

#include <cerrno>

#include "audio/Sygnaly2.h"
#include "console/commands/ScianaSingli.h"
#include "console/engine/SilnikEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestGrafTypy.h"
#include "foundation/KestKopia.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "foundation/Zdarzenie.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/NastawyEmisji.h"

namespace {

const QString SekcjaProgramu = QStringLiteral("PROGRAM");
const QString SekcjaSingli = QStringLiteral("SINGLE");
const QString DomyslnaNazwa = QStringLiteral("BezNazwy");

QString zeroJeden(bool flaga) { return flaga ? QStringLiteral("1") : QStringLiteral("0"); }

QString kluczPalety(int p, const char* co) { return QStringLiteral("Zestaw") + QString::number(p) + QLatin1String(co); }
QString kluczSingla(int p, const char* co, int s) { return kluczPalety(p, co) + QString::number(s); }

void sekcja(QStringList& l, const QString& tytul, const QString& nazwa) {
    l << QString() << LiniaBanera(tytul) << QLatin1Char('[') + nazwa + QLatin1Char(']');
}
void klucz(QStringList& l, const QString& k, const QString& v) { l << k + QLatin1Char('=') + oneLine(v); }

bool jestSekcja(const ZbiorNastaw& zbior, const QString& nazwa) {
    const QString naglowek = QLatin1Char('[') + nazwa + QLatin1Char(']');
    for (const QString& l : zbior.Linie())
        if (upperPL(l) == naglowek) return true;
    return false;
}

}  // namespace

QStringList LinieProfilu(const SilnikEmisji& silnik, const ScianaSingli& sciana) {
    QStringList l;
    sekcja(l, QStringLiteral("KONFIGURACJA PROGRAMU"), SekcjaProgramu);
    klucz(l, QStringLiteral("AutostopJest"), zeroJeden(silnik.AutostopJest));
    sekcja(l, QStringLiteral("KONFIGURACJA SINGLI"), SekcjaSingli);
    klucz(l, QStringLiteral("SingleAutostopJest"), zeroJeden(silnik.SingleAutostopJest));
    klucz(l, QStringLiteral("SingleKaczkaJest"), zeroJeden(silnik.SingleKaczkaJest));
    for (int p = 1; p <= LiczbaPalet; ++p) {
        const auto i = size_t(p);
        l << QStringLiteral("; Zestaw singli nr ") + QString::number(p);
        klucz(l, kluczPalety(p, "Tytul"), sciana.SingleNazwa[i]);
        klucz(l, kluczPalety(p, "Zapytaj"), zeroJeden(sciana.SingleZestawFlaga[i]));
        klucz(l, kluczPalety(p, "Kolejno"), zeroJeden(sciana.SingleKolejnoPaleta[i]));
        for (int s = 1; s <= SlotowPalety; ++s) klucz(l, kluczSingla(p, "SingielTytul", s), sciana.Single[i][size_t(s)].Tyt);
        for (int s = 1; s <= SlotowPalety; ++s) klucz(l, kluczSingla(p, "SingielAdres", s), sciana.Single[i][size_t(s)].Adr);
    }
    klucz(l, QStringLiteral("CzyDomyslneCzasySEL"), zeroJeden(Emisja.CzyDomyslneCzasySEL));
    return l;
}

bool ZapiszPlikPRO(const QString& plik, const SilnikEmisji& silnik, const ScianaSingli& sciana) {
    errno = 0;
    QString blad;
    if (!platform::writeTextFileAtomic(platform::resolvePath(plik), LinieProfilu(silnik, sciana), &blad)) {
        BladIO = errno ? KodBleduZErrno(errno) : 101;
        Log(QStringLiteral("Zapis profilu nieudany: ") + plik + QStringLiteral(" (") + blad + QLatin1Char(')'));
        return false;
    }
    BladIO = 0;
    return true;
}

bool CzytajPlikPRO(const QString& plik, SilnikEmisji& silnik, ScianaSingli& sciana) {
    const ZbiorNastaw zbior = ZbiorNastaw::Wczytaj(plik);
    if (!zbior.Blad().isEmpty()) {
        BladIO = platform::fileExists(plik) ? 100 : 2;
        return false;
    }
    // Without its singles section the file is no profile (a playlist picked
    // by mistake): taken as read it would empty every palette on air.
    if (!jestSekcja(zbior, SekcjaSingli)) {
        BladIO = 215;
        return false;
    }
    zbior.Bool(SekcjaProgramu, QStringLiteral("AutostopJest"), silnik.AutostopJest);
    zbior.Bool(SekcjaSingli, QStringLiteral("SingleAutostopJest"), silnik.SingleAutostopJest);
    zbior.Bool(SekcjaSingli, QStringLiteral("SingleKaczkaJest"), silnik.SingleKaczkaJest);
    StanMaksimum = 100;
    for (int p = 1; p <= LiczbaPalet; ++p) {
        const auto i = size_t(p);
        UstawStan(10 * p);
        sciana.SingleNazwa[i] = zbior.Klucz(SekcjaSingli, kluczPalety(p, "Tytul")).left(DlugoscTytuluPrzycisku);
        bool zapytaj = sciana.SingleZestawFlaga[i], kolejno = sciana.SingleKolejnoPaleta[i];
        zbior.Bool(SekcjaSingli, kluczPalety(p, "Zapytaj"), zapytaj);
        zbior.Bool(SekcjaSingli, kluczPalety(p, "Kolejno"), kolejno);
        sciana.SingleZestawFlaga[i] = zapytaj;
        sciana.SingleKolejnoPaleta[i] = kolejno;
        for (int s = 1; s <= SlotowPalety; ++s) {
            TSingiel& g = sciana.Single[i][size_t(s)];
            g.Tyt = zbior.Klucz(SekcjaSingli, kluczSingla(p, "SingielTytul", s)).left(DlugoscTytuluSingla);
            g.Adr = zbior.Klucz(SekcjaSingli, kluczSingla(p, "SingielAdres", s)).left(DlugoscAdresuSingla);
            g.Trw = g.Adr.isEmpty() ? 0 : CzasTrwaniaPliku(g.Adr);
            g.Stan = 0;
        }
    }
    zbior.Bool(SekcjaSingli, QStringLiteral("CzyDomyslneCzasySEL"), Emisja.CzyDomyslneCzasySEL);
    BladIO = 0;
    return true;
}

QString ProfilOperatora::katalog() const { return Katalog.isEmpty() ? KatalogStartowy : Katalog; }

void ProfilOperatora::CzytajProfil() {
    if (!WybierzProfil) {
        Log(QStringLiteral("Odczyt profilu: okno katalogu niedostępne"));
        return;
    }
    // Nothing picked: the current name and path stay.
    const QString plik = WybierzProfil();
    if (plik.isEmpty()) return;
    PokazStan(QStringLiteral("Odczyt profilu użytkownika"), QString(), true);
    const bool odczytany = CzytajPlikPRO(plik, silnik_, sciana_);
    ZamknijStan();
    if (!odczytany) {
        PokazBladKod(BladIO, QString(), plik);
        return;
    }
    Sciezka = plik;
    Nazwa = NazwaSciezki(plik);
    sciana_.PoProfilu();
}

void ProfilOperatora::ZapiszProfil() {
    QString nazwa = Nazwa.size() < 2 ? DomyslnaNazwa : Nazwa;
    const QString folder = katalog();
    if (WolnaNazwa(QStringLiteral("Nazwę zbioru profilu"), folder, nazwa, QStringLiteral(".PRO")) != OdpowiedzAkceptuj)
        return;
    if (NazwaZestawuZastrzezona(nazwa)) {
        PokazBlad2(302, QStringLiteral(" Inną od \"Nie_ma\" )"));
        return;
    }
    const QString plik = joinPath(folder, nazwa + QStringLiteral(".PRO"));
    PokazStan(QStringLiteral("Zapis profilu"), QString(), false);
    const bool zapisany = ZapiszPlikPRO(plik, silnik_, sciana_);
    ZamknijStan();
    if (!zapisany) {
        // The old profile stays, and so do the current name and path.
        PokazBladKod(BladIO, QString(), plik);
        return;
    }
    Nazwa = nazwa;
    Sciezka = plik;
}
