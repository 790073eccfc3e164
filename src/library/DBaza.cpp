// The table, its path index, lookups and the four sort orders.
#include "library/DBaza.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <stdexcept>
#include <string>

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaWewn.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

TablicaBazy BazaRekordy;
// Bound before any code runs, so it is never read unbound.
constinit const int& BazaLiczba = BazaRekordy.Liczba();
bool BazaZmieniona = false;
bool BazaWczytana = false;
bool BazaAktualizacja = false;
QString BazaDzis = u"2000-00-00"_s;
bool BazaKompletna = false;
std::function<bool()> BazaOdtwarzaczeGraja;

// ------------------------------------------------------------------ table

namespace {
const BAZARekordTyp pustyRekord{};
}

BAZARekordTyp& TablicaBazy::operator[](int nr) {
    if (nr < 1 || nr > liczba_)
        throw std::out_of_range("record " + std::to_string(nr) + " of " + std::to_string(liczba_));
    return r_[size_t(nr - 1)];
}

const BAZARekordTyp& TablicaBazy::operator[](int nr) const {
    if (nr < 1 || nr > liczba_)
        return pustyRekord;
    return r_[size_t(nr - 1)];
}

BAZARekordTyp* TablicaBazy::Dodaj(BAZARekordTyp r) {
    if (liczba_ >= BazaMaks)
        return nullptr;
    r_.push_back(std::move(r));
    liczba_ = int(r_.size());
    ++wersja_;
    return &r_.back();
}

void TablicaBazy::Wyczysc() {
    std::vector<BAZARekordTyp>().swap(r_);
    liczba_ = 0;
    ++wersja_;
}

void TablicaBazy::Przejmij(TablicaBazy& t) {
    r_.swap(t.r_);
    std::vector<BAZARekordTyp>().swap(t.r_);
    liczba_ = int(r_.size());
    t.liczba_ = 0;
    wersja_ = std::max(wersja_, t.wersja_) + 1;
    ++t.wersja_;
}

void TablicaBazy::Przytnij(int liczba) {
    if (liczba >= 0 && liczba < liczba_) {
        r_.resize(size_t(liczba));
        liczba_ = liczba;
        ++wersja_;
    }
}

// ------------------------------------------------------------------ plays held back

namespace {
int zajeta = 0;
std::vector<std::pair<QString, QString>> odlozone;
}  // namespace

BazaWUzyciu::BazaWUzyciu() { ++zajeta; }

BazaWUzyciu::~BazaWUzyciu() {
    if (--zajeta > 0)
        return;
    std::vector<std::pair<QString, QString>> teraz;
    teraz.swap(odlozone);
    for (const auto& [sciezka, tekst] : teraz)
        BazaPoliczOdegranie(sciezka, tekst);
}

bool BazaZajeta() { return zajeta > 0; }

void BazaOdlozOdegranie(const QString& sciezka, const QString& tekst) { odlozone.emplace_back(sciezka, tekst); }

void BazaWyczyscRekord(BAZARekordTyp& r) { r = BAZARekordTyp{}; }

void BazaCzyscWszystko() {
    BazaRekordy.Wyczysc();
    BazaKompletna = false;
    BazaAdresyZmienione();
}

// ------------------------------------------------------------------ paths

QString BazaSciezka() {
    const QString& z = BazaNagran.BazaZbior;
    if (z == u"NIE_MA"_s || z.isEmpty())
        return joinPath(KatalogStartowy, u"BAZA.BAZ"_s);
    // A relative name (the default "BAZA.BAZ") lives in the program folder,
    // wherever the process happens to stand.
    if (!platform::hasDriveLetter(z) && !z.startsWith(u'/') && !z.startsWith(u'\\'))
        return joinPath(KatalogStartowy, z);
    return z;
}

QString BazaSciezkaLicznikow() { return ZmienRozszerzenie(BazaSciezka(), u".LIC"_s); }

QString BazaSciezkaSieciowa() {
    QString k, n, r;
    RozbijSciezke(BazaSciezka(), k, n, r);
    return joinPath(BazaNagran.BAZAKatalogSiec, upperPL(n) + upperPL(r));
}

// ------------------------------------------------------------------ path index

namespace {

IndeksAdresow indeks;

// The identifier of a path: its file name up to the first dot, "" without one.
QString IdentyfikatorSciezki(const QString& adrDuze) {
    const qsizetype sep = std::max(adrDuze.lastIndexOf(u'\\'), adrDuze.lastIndexOf(u'/'));
    const qsizetype kropka = adrDuze.indexOf(u'.', sep + 1);
    if (kropka < 0)
        return QString();
    return adrDuze.mid(sep + 1, kropka - sep - 1);
}

void Aktualny() {
    if (indeks.nieaktualny || indeks.liczba != BazaLiczba)
        indeks = BazaZbudujIndeks(BazaRekordy);
}

}  // namespace

IndeksAdresow BazaZbudujIndeks(const TablicaBazy& t) {
    IndeksAdresow w;
    w.adresy.reserve(t.Liczba());
    w.nazwy.reserve(t.Liczba());
    for (int i = 1; i <= t.Liczba(); ++i) {
        const QString a = upperPL(t[i].Adr);
        if (a.isEmpty())
            continue;
        if (!w.adresy.contains(a)) w.adresy.insert(a, i);
        const QString n = IdentyfikatorSciezki(a);
        if (!n.isEmpty())
            if (!w.nazwy.contains(n)) w.nazwy.insert(n, i);
    }
    w.liczba = t.Liczba();
    w.nieaktualny = false;
    return w;
}

void BazaPrzejmijTablice(TablicaBazy& t, IndeksAdresow& i) {
    BazaRekordy.Przejmij(t);
    indeks = std::move(i);
    i = IndeksAdresow{};
    if (indeks.liczba != BazaLiczba)
        indeks.nieaktualny = true;
}

void BazaAdresyZmienione() { indeks.nieaktualny = true; }

// A record appended by the scan joins the index without a rebuild.
void BazaDopiszDoIndeksu(int nr) {
    if (indeks.nieaktualny || indeks.liczba != nr - 1)
        return;  // rebuilt on the next probe anyway
    const QString a = upperPL(BazaRekordy[nr].Adr);
    if (!a.isEmpty()) {
        if (!indeks.adresy.contains(a)) indeks.adresy.insert(a, nr);
        const QString n = IdentyfikatorSciezki(a);
        if (!n.isEmpty())
            if (!indeks.nazwy.contains(n)) indeks.nazwy.insert(n, nr);
    }
    indeks.liczba = nr;
}

int BazaPozycjaAdresu(const QString& sciezka) {
    if (BazaLiczba <= 0 || sciezka.isEmpty())
        return 0;
    const QString klucz = upperPL(sciezka);
    for (int proba = 0; proba < 2; ++proba) {
        Aktualny();
        const auto it = indeks.adresy.constFind(klucz);
        if (it == indeks.adresy.constEnd())
            return 0;
        const int nr = it.value();
        if (nr <= BazaLiczba && upperPL(BazaRekordy[nr].Adr) == klucz)
            return nr;
        indeks.nieaktualny = true;
    }
    return 0;
}

bool BazaJestAdres(const QString& sciezka) { return BazaPozycjaAdresu(sciezka) != 0; }

void BazaSzukajAdres(const QString& fragment, QString& sciezka) {
    sciezka.clear();
    if (BazaLiczba <= 0 || fragment.isEmpty())
        return;
    const QString klucz = upperPL(fragment);
    for (int proba = 0; proba < 2; ++proba) {
        Aktualny();
        const auto it = indeks.nazwy.constFind(klucz);
        if (it == indeks.nazwy.constEnd())
            return;
        const int nr = it.value();
        if (nr <= BazaLiczba && IdentyfikatorSciezki(upperPL(BazaRekordy[nr].Adr)) == klucz) {
            sciezka = BazaRekordy[nr].Adr;
            return;
        }
        indeks.nieaktualny = true;
    }
}

QString BazaSzukajAdres(const QString& fragment) {
    QString s;
    BazaSzukajAdres(fragment, s);
    return s;
}

QHash<QString, QString> BazaMigawkaAdresow() {
    QHash<QString, QString> m;
    if (BazaLiczba <= 0)
        return m;
    Aktualny();
    m.reserve(indeks.nazwy.size());
    // Texts of their own: the copy goes to another thread.
    for (auto it = indeks.nazwy.cbegin(); it != indeks.nazwy.cend(); ++it) {
        const QString& adr = BazaRekordy[it.value()].Adr;
        m.insert(QString(it.key().constData(), it.key().size()), QString(adr.constData(), adr.size()));
    }
    return m;
}

// ------------------------------------------------------------------ counters apart

std::vector<LicznikiNagrania> BazaMigawkaLicznikow() {
    std::vector<LicznikiNagrania> m;
    m.reserve(size_t(BazaLiczba));
    for (int i = 1; i <= BazaLiczba; ++i) {
        const BAZARekordTyp& r = BazaRekordy[i];
        m.push_back({r.Adr, r.EmC, r.EmD, r.EmT, r.EmM, r.EmR, r.EmO});
    }
    return m;
}

bool BazaDolaczLiczniki(const LicznikiNagrania& l) {
    const int nr = BazaPozycjaAdresu(l.Adr);
    if (nr == 0)
        return false;
    BAZARekordTyp& r = BazaRekordy[nr];
    r.EmC = l.EmC;
    r.EmD = l.EmD;
    r.EmT = l.EmT;
    r.EmM = l.EmM;
    r.EmR = l.EmR;
    r.EmO = l.EmO;
    return true;
}

// ------------------------------------------------------------------ Tot

QString BazaTotTekst(qint64 ms) {
    const qint64 sekundy = qint64(std::nearbyint(double(ms) / 1000.0));
    const qint64 minuty = sekundy / 60;
    return padLeft(QString::number(minuty), minuty >= 100 ? 3 : 2) + u':' + zeroPad(sekundy % 60, 2);
}

qint32 BazaTotNaMs(const QString& tot) {
    const qsizetype dwukropek = tot.indexOf(u':');
    if (dwukropek < 0)
        return 0;
    qint64 m = 0, s = 0;
    if (!parseInteger(tot.left(dwukropek), m) || !parseInteger(tot.mid(dwukropek + 1), s) || m < 0 || s < 0 || s > 59 ||
        m > 35000)
        return 0;
    return qint32((m * 60 + s) * 1000);
}

// ------------------------------------------------------------------ sorting

namespace {

// Texts compared case-insensitively for ASCII letters only, other characters
// by their Windows-1250 code: the key is the upper-cased code-page bytes.
QByteArray KluczTekstu(const QString& t) {
    QByteArray b = platform::toCp1250(t);
    for (char& c : b)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return b;
}

bool Mniejszy(const QByteArray& a, const QByteArray& b) {
    const qsizetype n = std::min(a.size(), b.size());
    const int c = n ? std::memcmp(a.constData(), b.constData(), size_t(n)) : 0;
    return c < 0 || (c == 0 && a.size() < b.size());
}

// The physical positions (0-based) of records 1..count in the order.
std::vector<int> Permutacja(const TablicaBazy& t, int porzadek) {
    const int n = t.Liczba();
    std::vector<int> p(static_cast<size_t>(n));
    std::iota(p.begin(), p.end(), 0);
    if (porzadek == BazaWgCzasu) {
        std::stable_sort(p.begin(), p.end(), [&t](int a, int b) { return t[a + 1].Dlugosc < t[b + 1].Dlugosc; });
        return p;
    }
    std::vector<QByteArray> klucze(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const BAZARekordTyp& r = t[i + 1];
        klucze[size_t(i)] = KluczTekstu(porzadek == BazaWgTytulu ? r.Tyt : porzadek == BazaWgWykonawcy ? r.Wyk : r.Kod);
    }
    std::stable_sort(p.begin(), p.end(), [&](int a, int b) { return Mniejszy(klucze[size_t(a)], klucze[size_t(b)]); });
    return p;
}

quint16& Ranga(BAZARekordTyp& r, int porzadek) {
    switch (porzadek) {
    case BazaWgTytulu: return r.Tyx;
    case BazaWgWykonawcy: return r.Wyx;
    case BazaWgCzasu: return r.Czx;
    default: return r.Kox;
    }
}

const QString NazwySortowania[4] = {u"Sortowanie wg tytułów"_s, u"Sortowanie wg wykonawców"_s, u"Sortowanie wg czasów"_s,
                                    u"Sortowanie wg kodów"_s};

}  // namespace

void BazaSortuj(int porzadek) {
    if (porzadek < 1 || porzadek > 4)
        return;
    BazaWUzyciu zajeta;
    PokazStan(NazwySortowania[porzadek - 1], u"Przerwij"_s, true);
    StanMaksimum = float(BazaLiczba);
    // The order is found on positions and applied once: records are moved
    // once each instead of at every exchange of the sort.
    const std::vector<int> p = Permutacja(BazaRekordy, porzadek);
    std::vector<BAZARekordTyp>& dane = BazaRekordy.Dane();
    std::vector<BAZARekordTyp> nowe;
    nowe.reserve(dane.size());
    for (int i : p)
        nowe.push_back(std::move(dane[size_t(i)]));
    dane.swap(nowe);
    for (int k = 1; k <= BazaLiczba; ++k)
        Ranga(BazaRekordy[k], porzadek) = quint16(k);
    BazaAdresyZmienione();
    UstawStan(double(BazaLiczba));
    PompujZdarzenia();
    ZamknijStan();
}

void BazaBudujIndeksy() { BazaBudujIndeksy(BazaRekordy); }

void BazaBudujIndeksy(TablicaBazy& t) {
    const int n = t.Liczba();
    std::vector<int> pozycja(static_cast<size_t>(n) + 1);
    for (int porzadek = 1; porzadek <= 4; ++porzadek) {
        // Ranks that are not a permutation of 1..count (a damaged or foreign
        // file, records added by an aborted update) are never used as
        // positions: that order's ranks are worked out again.
        std::fill(pozycja.begin(), pozycja.end(), 0);
        bool dobre = true;
        for (int k = 1; k <= n && dobre; ++k) {
            const int r = Ranga(t[k], porzadek);
            if (r < 1 || r > n || pozycja[size_t(r)] != 0)
                dobre = false;
            else
                pozycja[size_t(r)] = k;
        }
        if (!dobre) {
            const std::vector<int> p = Permutacja(t, porzadek);
            for (int k = 1; k <= n; ++k) {
                Ranga(t[p[size_t(k - 1)] + 1], porzadek) = quint16(k);
                pozycja[size_t(k)] = p[size_t(k - 1)] + 1;
            }
        }
        for (int k = 1; k <= n; ++k)
            t[k].Odw[porzadek - 1] = quint16(pozycja[size_t(k)]);
    }
    t.Zmieniona();
}
