// Singles sets: the .SIN files a palette is read from and saved to, the
// presence check after a read and the copy of network singles to the local
// disk.
#include "console/commands/ScianaSingli.h"

#include <QFileInfo>

#include <cerrno>

#include "audio/Sygnaly2.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "library/DKatalogNastawy.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/NastawyEmisji.h"

namespace {

// A set is 24 short lines; a file this large is not one, and is never read whole.
constexpr qint64 NajwiekszyZestaw = 1 << 20;

bool czytajZestaw(const QString& plik, PaletaSingli& paleta) {
    const QString fs = platform::resolvePath(plik);
    const QFileInfo fi(fs);
    if (!fi.isFile()) {
        BladIO = QFileInfo(fi.absolutePath()).isDir() ? 2 : 3;
        return false;
    }
    QByteArray dane;
    errno = 0;
    if (platform::readWholeFile(fs, dane, NajwiekszyZestaw) != platform::FileRead::Ok) {
        BladIO = errno ? KodBleduZErrno(errno) : 100;
        return false;
    }
    const QStringList linie = platform::splitTextLines(dane);
    for (TSingiel& g : paleta) WyczyscSingiel(g);
    // Pairs of title and file; a title without its file line is no slot.
    for (int s = 1; s <= SlotowPalety && 2 * s <= linie.size(); ++s) {
        TSingiel& g = paleta[size_t(s)];
        g.Tyt = linie[2 * s - 2].left(DlugoscTytuluSingla);
        g.Adr = linie[2 * s - 1].left(DlugoscAdresuSingla);
        g.Trw = g.Adr.isEmpty() ? 0 : CzasTrwaniaPliku(g.Adr);
    }
    BladIO = 0;
    return true;
}

// Where a network single goes on the local disk: the same path on the local
// twin of its drive, or the copy folder; "" when its drive has no local twin.
QString sciezkaLokalna(const QString& adres) {
    if (!Emisja.SingleKopiowanieStrukturaJest) return joinPath(Emisja.SingleKatalogKopiowanie, QFileInfo(adres).fileName());
    const QString start = upperPL(Katalogi.KatSiecStart.left(1));
    if (start.isEmpty()) return QString();
    const int litera = u'C' + (upperPL(adres.left(1))[0].unicode() - start[0].unicode());
    if (litera < u'C' || litera > u'Z') return QString();
    return QChar(litera) + adres.mid(1);
}

QString katalogPliku(const QString& sciezka) {
    QString katalog, nazwa, rozszerzenie;
    RozbijSciezke(sciezka, katalog, nazwa, rozszerzenie);
    return katalog;
}

}  // namespace

bool ScianaSingli::CzytajPlikSIN(const QString& plik) {
    PaletaSingli paleta;
    if (!czytajZestaw(plik, paleta)) return false;
    Single[SinglePaleta] = paleta;
    return true;
}

bool ScianaSingli::ZapiszPlikSIN(const QString& plik) const {
    QStringList linie;
    for (int s = 1; s <= SlotowPalety; ++s) {
        const TSingiel& g = Single[SinglePaleta][size_t(s)];
        linie << oneLine(g.Tyt) << oneLine(g.Adr);
    }
    errno = 0;
    QString blad;
    if (!platform::writeTextFileAtomic(platform::resolvePath(plik), linie, &blad)) {
        BladIO = errno ? KodBleduZErrno(errno) : 101;
        Log(QStringLiteral("Zapis zestawu singli nieudany: ") + plik + QStringLiteral(" (") + blad + QLatin1Char(')'));
        return false;
    }
    BladIO = 0;
    return true;
}

void ScianaSingli::ZapiszZestawSingli() {
    QString katalog = katalogZestawow();
    if (Emisja.CzySingleFolderZapis) {
        if (Biblioteka.KatalogZapisu) {
            const QString wybrany = Biblioteka.KatalogZapisu(katalog);
            if (!wybrany.isEmpty()) katalog = wybrany;
        } else {
            brak("okno katalogu zestawów singli");
        }
    }
    QString nazwa = SingleNazwa[SinglePaleta];
    if (WolnaNazwa(QStringLiteral("Podaj nazwę zestawu singli "), katalog, nazwa, QStringLiteral(".SIN")) !=
        OdpowiedzAkceptuj)
        return;
    if (NazwaZestawuZastrzezona(nazwa)) {
        PokazBlad2(302, QStringLiteral(" Inną od \"Nie_ma\" )"));
        return;
    }
    PokazStan(QStringLiteral("Zapis zestawu singli"), QString(), false);
    const bool zapisany = ZapiszPlikSIN(joinPath(katalog, nazwa + QStringLiteral(".SIN")));
    ZamknijStan();
    if (!zapisany) {
        // The old file stays, and so does the palette's name.
        PokazBladKod(BladIO);
        return;
    }
    SingleNazwa[SinglePaleta] = nazwa;
    PodswietlPrzyciski();
}

void ScianaSingli::CzytajZestawSingli(const QString& plik) {
    const quint8 p = SinglePaleta;
    QString zbior = plik;
    if (zbior.isEmpty()) {
        const QString katalog = Emisja.SingleOdczytKatalogiJest ? Emisja.SingleKatAdres[size_t(p - 1)] : QString();
        if (Biblioteka.ZestawZKatalogu) zbior = Biblioteka.ZestawZKatalogu(katalog);
        else brak("okno katalogu zestawów singli");
    }
    // Nothing picked: the palette keeps its name, set file and singles.
    if (zbior.isEmpty()) return;

    PokazStan(QStringLiteral("Odczyt zestawu singli"), QString(), false);
    const bool odczytany = CzytajPlikSIN(zbior);
    ZamknijStan();
    if (!odczytany) {
        PokazBladKod(BladIO, QString(), zbior);
        return;
    }
    SingleZbior[p] = zbior;
    SingleNazwa[p] = NazwaSciezki(zbior);
    postep_.fill(-1);
    widok_.RysujSingle();

    sprawdzObecnosc();
    kopiujNaDyskLokalny();
    if (Emisja.SingleTrybZapytajPoOdczycieJest) SingleZestawFlaga[p] = true;
    widok_.RysujSingle();
    PodswietlPrzyciski();
    if (Emisja.SingleZapisPoOdczycieJest &&
        !ZapiszPlikSIN(joinPath(Nastawy.RoboczyKatalog, SingleNazwa[p] + RozszerzenieSciezki(zbior))))
        PokazBladKod(BladIO);
}

void ScianaSingli::sprawdzObecnosc() {
    for (TSingiel& g : Single[SinglePaleta]) {
        if (g.Adr.size() <= 3 || platform::fileExists(g.Adr)) continue;
        const int odpowiedz = Decyzja(QStringLiteral("Nie ma nagrania ") + g.Tyt, QStringLiteral("Czy kontynuować testy?"), 2);
        WyczyscSingiel(g);
        widok_.RysujSingle();
        if (odpowiedz != WynikTak) return;
    }
}

void ScianaSingli::kopiujNaDyskLokalny() {
    const quint8 p = SinglePaleta;
    if (!Emisja.SingleKopiowanieJest || !Emisja.SingleCzyKopiowanieZestawu[size_t(p - 1)]) return;
    if (Emisja.SingleCzyPytanieOKopiowanie &&
        Decyzja(QStringLiteral("Czy kopiować single na dysk lokalny?"), QString(), 2) != WynikTak)
        return;
    const QString dyski = upperPL(Emisja.SingleDyskiKopiowanie);
    StanMaksimum2 = SlotowPalety;
    for (int s = 1; s <= SlotowPalety; ++s) {
        TSingiel& g = Single[p][size_t(s)];
        if (!platform::fileExists(g.Adr) || !Sieciowy(g.Adr) || !dyski.contains(upperPL(g.Adr.left(1)))) continue;
        const QString lokalna = sciezkaLokalna(g.Adr);
        if (lokalna.isEmpty()) continue;
        const QString katalog = katalogPliku(lokalna);
        if (!JestKatalog(katalog)) {
            PokazInfo(QStringLiteral("Nie ma katalogu:"), katalog);
            continue;
        }
        if (!(platform::fileExists(lokalna) && TeSameRozmiary(g.Adr, lokalna) && NowszyZbior(g.Adr, lokalna))) {
            bool przerwane = false;
            const bool skopiowany = KopiujZglaszajac(g.Adr, lokalna, QStringLiteral("Kopiowanie singla nieudane: "),
                                                     przerwane, OknoKopii::Dwa, s);
            if (przerwane) return;
            // A copy that failed leaves the single where it was.
            if (!skopiowany) continue;
        }
        g.Adr = lokalna;
        widok_.RysujSlotSingla(s);
    }
}
