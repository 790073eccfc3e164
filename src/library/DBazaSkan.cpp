// Building and updating the database by scanning folders or drives.
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaWewn.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int MaksTypow = 6;

QString TekstSzukania(const QString& katalog) { return u"Szukanie nagrań w:  "_s + charsAt(katalog, 1, 50); }

// The progress text changes with every folder; reopening the window must not
// forget that the operator pressed "Przerwij".
void PokazSzukanie(const QString& katalog) {
    const bool przerwij = StanPrzerwij;
    PokazStan(TekstSzukania(katalog), u"Przerwij"_s, false);
    StanPrzerwij = przerwij;
    PompujZdarzenia();
}

QString ZUkosnikiem(const QString& katalog) {
    return (katalog.endsWith(u'\\') || katalog.endsWith(u'/')) ? katalog : katalog + u'\\';
}

// At most six extensions of BazaTypy, in list order; an empty one would
// take every file, so it is left out.
QStringList Typy() {
    QStringList typy;
    const QStringList czesci = BazaNagran.BazaTypy.split(u':');
    for (int i = 0; i < czesci.size() && i < MaksTypow; ++i)
        if (!czesci[i].isEmpty())
            typy << upperPL(czesci[i]);
    return typy;
}

// Search places as stored-form folders ending in a separator.
QStringList Miejsca() {
    const auto& B = BazaNagran;
    QStringList miejsca;
    if (B.BAZAKatalogiSzukajJest) {
        for (const QString& k : B.BAZAKatalogSzukaj)
            if (!k.isEmpty())
                miejsca << k;
        return miejsca;
    }
    const QString d = upperPL(B.BazaDyski);
    if (d.isEmpty())
        return miejsca;
    if (!d.contains(u';') && !d.contains(u':')) {
        for (QChar l = u'C'; l <= u'Z'; l = QChar(l.unicode() + 1))
            if (d.contains(l))
                miejsca << QString(l) + u":\\"_s;
        return miejsca;
    }
    // One drive and the path on it.
    const QChar l = d[0];
    if (l < u'C' || l > u'Z')
        return miejsca;
    QString reszta = d.mid(1);
    if (reszta.startsWith(u':') || reszta.startsWith(u';'))
        reszta = reszta.mid(1);
    if (!reszta.startsWith(u'\\'))
        reszta.prepend(u'\\');
    miejsca << QString(l) + u':' + reszta;
    return miejsca;
}

class Skaner {
public:
    Skaner() : typy_(Typy()) {}

    void Miejsce(const QString& miejsce) {
        const QString katalog = ZUkosnikiem(miejsce);
        PokazSzukanie(katalog);
        Katalog(katalog);
    }

private:
    void Katalog(const QString& katalog) {
        const QString fs = platform::resolvePath(katalog);
        // A link back up the tree would be walked for ever.
        const QString kanon = QFileInfo(fs).canonicalFilePath();
        if (kanon.isEmpty() || odwiedzone_.contains(kanon))
            return;
        odwiedzone_.insert(kanon);
        QDir dir(fs);
        Pliki(katalog, dir);
        const QStringList podkatalogi =
            dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString& p : podkatalogi) {
            if (StanPrzerwij)
                return;
            const QString pelny = katalog + p + u'\\';
            PokazSzukanie(pelny);
            Katalog(pelny);
        }
    }

    void Pliki(const QString& katalog, const QDir& dir) {
        const QStringList pliki = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString& typ : typy_) {
            for (const QString& nazwa : pliki) {
                if (BazaLiczba >= BazaMaks)
                    return;
                if (!upperPL(nazwa).endsWith(typ))
                    continue;
                const QString adres = katalog + nazwa;
                if (BazaAktualizacja && BazaJestAdres(adres))
                    continue;
                Dodaj(adres);
            }
        }
    }

    void Dodaj(const QString& adres) {
        SygnalType s;
        s.Adres = adres;
        OpisNagraniaTyp opis;
        const int blad = OtworzSygnal(s, true, opis);
        const qint32 ms = blad ? 0 : DlugoscSygnaluMs(s);
        BAZARekordTyp& r = *BazaRekordy.Dodaj();
        r.Tyt = opis.Tyt;
        r.Wyk = opis.Wyk;
        r.Kod = opis.Kod;
        r.Nas = opis.Nas;
        r.Nar = opis.Nar;
        r.Jak = opis.Jak;
        r.Gen = opis.Gen;
        r.Typ = opis.Typ;
        r.Kat = opis.Ktg;
        r.Era = opis.Era;
        r.BPM = opis.BPM;
        r.Tem = opis.Tmc;
        r.Key = opis.Klu;
        r.Fil = opis.Fil;
        r.Zaa = opis.Zaa;
        r.Dlugosc = ms;
        r.Tot = BazaTotTekst(ms);
        r.Adr = adres;
        BazaDopiszDoIndeksu(BazaLiczba);
    }

    QStringList typy_;
    QSet<QString> odwiedzone_;
};

// A place gives "far fewer" recordings than the table held there when the
// scan finds less than half of them. An unmounted share (on Linux an empty
// folder) gives none, a share that drops part way or a listing cut short
// gives a fraction; a station's folders lose half of a place's recordings at
// once only by a deliberate clean-up, which one "Tak" lets through.
bool DalekoMniej(int znalezione, int bylo) { return bylo > 0 && qint64(znalezione) * 2 < bylo; }

// Upper-cased paths of a table's records; "/" counts as a "\" separator.
QStringList AdresyDuze(const TablicaBazy& t) {
    QStringList a;
    a.reserve(t.Liczba());
    for (int i = 1; i <= t.Liczba(); ++i)
        a << upperPL(t[i].Adr).replace(u'/', u'\\');
    return a;
}

int WMiejscu(const QStringList& adresy, const QString& miejsce) {
    const QString m = upperPL(ZUkosnikiem(miejsce)).replace(u'/', u'\\');
    return int(std::count_if(adresy.cbegin(), adresy.cend(), [&](const QString& a) { return a.startsWith(m); }));
}

// The places where the new table holds far fewer recordings than the old,
// each with the counts: D:\ (0 z 87).
QStringList Ubytki(const QStringList& miejsca, const TablicaBazy& stara, const TablicaBazy& nowa) {
    const QStringList przed = AdresyDuze(stara), po = AdresyDuze(nowa);
    QStringList u;
    for (const QString& m : miejsca) {
        const int bylo = WMiejscu(przed, m), jest = WMiejscu(po, m);
        if (DalekoMniej(jest, bylo))
            u << ZUkosnikiem(m) + u" ("_s + QString::number(jest) + u" z "_s + QString::number(bylo) + u')';
    }
    return u;
}

// After an update, a record that holds no counts (a recording a short scan
// had left out, back now) takes those the counters file kept for it.
void LicznikiPowracajacych() {
    if (!BazaNagran.BazaLicznikJest)
        return;
    BazaLicznikiTloCzekaj();
    bool ucieta = false;
    const QString sciezka = BazaSciezkaLicznikow();
    int wziete = 0;
    for (const LicznikiNagrania& l : BazaLicznikiZbioru(platform::resolvePath(sciezka), &ucieta)) {
        const int nr = BazaPozycjaAdresu(l.Adr);
        if (nr == 0)
            continue;
        const BAZARekordTyp& r = BazaRekordy[nr];
        if (!r.EmC && !r.EmD && !r.EmT && !r.EmM && !r.EmR && r.EmO.isEmpty() && BazaDolaczLiczniki(l))
            ++wziete;
    }
    if (ucieta)
        Log(u"Odczyt liczników bazy nagrań (niepełny opis): błąd 215 "_s + sciezka);
    if (wziete == 0)
        return;
    BazaZmieniona = true;
    Log(u"Liczniki odegrań wzięte ze zbioru liczników dla "_s + QString::number(wziete) + u" nagrań: "_s + sciezka);
}

}  // namespace

bool BazaUtworz() {
    if (BazaOdtwarzaczeGraja && BazaOdtwarzaczeGraja()) {
        const QString powod = u"Baza nagrań nie zmieniona - gra odtwarzacz 1 lub 2"_s;
        Log(powod);
        PokazInfo(powod, u"Tworzenie i aktualizacja bazy są możliwe, gdy odtwarzacze nie grają"_s);
        return false;
    }
    // A place that cannot be listed (a drive gone, a share down) is named in
    // the question; with none to list the table stays as it is.
    const QStringList miejsca = Miejsca();
    QStringList brak;
    for (const QString& m : miejsca)
        if (!JestKatalog(m))
            brak << m;
    const QString pytanie = BazaAktualizacja ? u"Czy aktualizować bazę nagrań?"_s : u"Czy utworzyć bazę nagrań?"_s;
    if (Decyzja(pytanie, brak.isEmpty() ? QString() : u"Brak dostępu do: "_s + brak.join(u", "_s)) != WynikTak)
        return false;
    if (brak.size() == miejsca.size()) {
        const QString ktore = miejsca.isEmpty() ? BazaNagran.BazaDyski : brak.join(u", "_s);
        Log(u"Baza nagrań nie zmieniona - brak dostępu do miejsc szukania: "_s + ktore);
        PokazInfo(u"Brak dostępu do miejsc szukania nagrań - baza nie zmieniona"_s, ktore);
        return false;
    }
    if (!brak.isEmpty())
        Log(u"Budowa bazy nagrań bez miejsc: "_s + brak.join(u", "_s));
    BazaWUzyciu zajeta;
    BazaPorzucOdczytStartowy();
    // Restored when a place vanishes while it is searched: its records would
    // be missing from what the scan leaves.
    const TablicaBazy stara = BazaRekordy;
    const bool staraKompletna = BazaKompletna, staraZmieniona = BazaZmieniona;
    // An update of an empty table where the station has no database file
    // yet finds every file: the table it builds is whole.
    const bool zNiczego = BazaLiczba == 0 && !QFileInfo::exists(platform::resolvePath(BazaSciezka()));
    PokazStan(TekstSzukania(KatalogStartowy), u"Przerwij"_s, false);
    if (!BazaAktualizacja) {
        BazaCzyscWszystko();
    }
    Skaner skaner;
    QStringList zniknely;
    for (const QString& miejsce : miejsca) {
        if (StanPrzerwij)
            break;
        if (brak.contains(miejsce))
            continue;
        skaner.Miejsce(miejsce);
        if (!JestKatalog(miejsce))
            zniknely << miejsce;
    }
    const bool przerwano = StanPrzerwij;
    ZamknijStan();
    const auto przywroc = [&] {
        BazaRekordy = stara;
        BazaAdresyZmienione();
        BazaKompletna = staraKompletna;
        BazaZmieniona = staraZmieniona;
    };

    if (!zniknely.isEmpty()) {
        przywroc();
        Log(u"Baza nagrań nie zmieniona - zniknęło miejsce szukania: "_s + zniknely.join(u", "_s));
        PokazInfo(u"Zniknęło miejsce szukania nagrań - baza nie zmieniona"_s, zniknely.join(u", "_s));
        return false;
    }
    // A new table replaces the old with its counters and texts: where it
    // holds far fewer recordings, the operator decides first.
    if (!przerwano && !BazaAktualizacja) {
        const QStringList ubytki = Ubytki(miejsca, stara, BazaRekordy);
        if (!ubytki.isEmpty()) {
            const QString ktore = ubytki.join(u", "_s);
            Log(u"Budowa bazy nagrań - znacznie mniej nagrań w: "_s + ktore);
            if (Decyzja(u"Znaleziono znacznie mniej nagrań niż w bazie - czy zastąpić bazę nagrań?"_s, ktore) !=
                WynikTak) {
                przywroc();
                Log(u"Baza nagrań nie zmieniona"_s);
                return false;
            }
        }
    }

    // Also when aborted: what it appended stays, and a later update skips it.
    if (BazaAktualizacja)
        LicznikiPowracajacych();
    if (przerwano) {
        // The partial table of an aborted creation must never replace the
        // file; an aborted update still holds every record it had.
        if (!BazaAktualizacja)
            BazaKompletna = false;
        Log(u"Przerwano tworzenie bazy nagrań"_s);
        PokazInfo(u"Przerwano tworzenie bazy nagrań"_s);
        return false;
    }
    for (int porzadek : {BazaWgKodu, BazaWgCzasu, BazaWgTytulu, BazaWgWykonawcy}) {
        if (StanPrzerwij)
            break;
        BazaSortuj(porzadek);
    }
    // Otherwise an update keeps whatever the table was: it only adds.
    if (!BazaAktualizacja || zNiczego)
        BazaKompletna = true;
    BazaZmieniona = true;
    BazaZapisz(false);
    return true;
}
