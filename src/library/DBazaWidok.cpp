#include "library/DBazaWidok.h"

#include <algorithm>

#include "foundation/KestPods2.h"
#include "foundation/Text.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaWewn.h"

using namespace Qt::StringLiterals;

const QString BazaDowolny = u"<<< DOWOLNY >>>"_s;
WidokBazy BazaWidok;
QString BazaWynikAdres;
QString BazaWynikDodatkowy;

namespace {

const char* const SlowaKategorii[] = {"MUZYKA", "JINGIEL", "REKLAMA", "DJ",     "WHISPER", "SPONSOR",
                                      "PROMOS", "AUDYCJA", "SWEEPER", "LOOP",   "EFEKT"};

char16_t DuzaAscii(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; }

// The text in ASCII upper case equals the word (itself upper case ASCII).
bool RowneAsciiDuze(const QString& tekst, QLatin1StringView slowo) {
    if (tekst.size() != slowo.size())
        return false;
    for (qsizetype i = 0; i < tekst.size(); ++i)
        if (DuzaAscii(tekst[i].unicode()) != char16_t(slowo[i].unicode()))
            return false;
    return true;
}

// The text holding a non-empty fragment (case-sensitive).
bool Zawiera(const QString& tekst, const QString& fragment) {
    return !fragment.isEmpty() && tekst.contains(fragment);
}

QString Liczba(quint16 v, int miejsc) { return v == 0 ? QString(miejsc, u' ') : padLeft(QString::number(v), miejsc); }

// The rank field of a view order (1 performer, 2 title, 3 length, 4 code)
// walks through that order's inverse entry.
int IndeksOdw(int sort) {
    switch (sort) {
    case 1: return BazaWgWykonawcy - 1;
    case 2: return BazaWgTytulu - 1;
    case 3: return BazaWgCzasu - 1;
    case 4: return BazaWgKodu - 1;
    default: return -1;
    }
}

const QString& PoleLitery(const BAZARekordTyp& r, int sort) {
    return sort == 1 ? r.Wyk : sort == 2 ? r.Tyt : r.Kod;
}

// Length bounds read as mm:ss; an unreadable bound counts as 0.
qint32 Sekundy(const QString& mmss) { return std::max(CzytajCzas(mmss, 3), 0); }

// A recording's length in seconds from its Tot text (" 3:05", "100:00"),
// -1 when it is not one: the form's mm:ss parser would stop at 59:59.
qint64 SekundyTot(const QString& tot) {
    const qint32 ms = BazaTotNaMs(tot);
    if (ms == 0 && !tot.contains(u':'))
        return -1;
    return ms / 1000;
}

}  // namespace

QString BazaTekstLicznikow(const BAZARekordTyp& r) {
    return Liczba(r.EmD, 2) + u'.' + Liczba(r.EmT, 2) + u'.' + Liczba(r.EmM, 3) + u'.' + Liczba(r.EmR, 3) + u'.' +
           Liczba(r.EmC, 3);
}

int BazaLiteraTekstu(const QString& tekst) {
    const char16_t c = DuzaAscii(tekst.isEmpty() ? u' ' : tekst[0].unicode());
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 1;
    if (c >= u'0' && c <= u'9')
        return BazaLiteraCyfry;
    return BazaLiteraInna;
}

QString BazaSlowoKategorii(int kategoria) {
    if (kategoria < 1 || kategoria > 11)
        return QString();
    return QString::fromLatin1(SlowaKategorii[kategoria - 1]);
}

void WidokBazy::ZNastaw() {
    BazaSort = BazaNagran.BazaSort;
    BazaLitera = BazaNagran.BazaLitera;
    Porzadek = BazaSort >= 1 && BazaSort <= 4 ? BazaSort : 0;
}

WidokBazy::Klucz WidokBazy::KluczTeraz() const {
    Klucz k;
    k.wersja = BazaRekordy.Wersja();
    k.sort = BazaSort;
    k.litera = BazaLitera;
    k.kategoria = BazaKategoria;
    k.filtr = BazaNagran.BazaFiltrJest && BazaFiltrWlaczony;
    if (k.filtr)
        k.slowo = BazaNagran.BazaFiltr;
    k.preselekcjaKod = Formularz.PreselekcjaKod;
    if (k.preselekcjaKod)
        k.kod = Formularz.Kod;
    k.zaakceptowany = Formularz.PreselekcjaOpisZaakceptowany;
    k.bezAkceptacji = Formularz.PreselekcjaOpisBezAkceptacji;
    if (BazaSort == BazaWidokWynikow)
        k.szukanie = szukanie_;
    return k;
}

void WidokBazy::Zbuduj() {
    wiersze_.clear();
    const int n = BazaLiczba;
    if (BazaSort == BazaWidokWynikow) {
        for (int k = 1; k <= n; ++k)
            if (BazaRekordy[k].Znaleziony == 1)
                wiersze_.push_back(k);
        return;
    }
    const int odw = IndeksOdw(BazaSort);
    if (odw < 0)
        return;
    const QLatin1StringView kategoria =
        BazaKategoria >= 1 && BazaKategoria <= 11 ? QLatin1StringView(SlowaKategorii[BazaKategoria - 1]) : QLatin1StringView();
    const bool kod = Formularz.PreselekcjaKod && Formularz.Kod != BazaDowolny;
    const bool filtr = BazaNagran.BazaFiltrJest && BazaFiltrWlaczony;
    for (int k = 1; k <= n; ++k) {
        const int p = BazaRekordy[k].Odw[odw];
        if (p < 1 || p > n)
            continue;
        const BAZARekordTyp& r = BazaRekordy[p];
        if (BazaSort != 3 && BazaLiteraTekstu(PoleLitery(r, BazaSort)) != BazaLitera)
            continue;
        if (BazaKategoria != 0 && !RowneAsciiDuze(r.Kat, kategoria))
            continue;
        if (kod && !Zawiera(r.Kod, Formularz.Kod))
            continue;
        if (filtr && RowneAsciiDuze(r.Kat, "MUZYKA"_L1) && !Zawiera(r.Fil, BazaNagran.BazaFiltr))
            continue;
        if (Formularz.PreselekcjaOpisBezAkceptacji && !r.Tyt.endsWith(u'<'))
            continue;
        if (Formularz.PreselekcjaOpisZaakceptowany && !r.Zaa.startsWith(u'1'))
            continue;
        wiersze_.push_back(p);
    }
}

void WidokBazy::Odswiez() {
    const Klucz k = KluczTeraz();
    if (!(k == klucz_)) {
        Zbuduj();
        klucz_ = k;
    }
    const int n = Liczba();
    kursor_ = n == 0 ? 0 : std::clamp(kursor_, 1, n);
    pierwszy_ = std::clamp(pierwszy_, 1, std::max(n - BazaWierszyStrony + 1, 1));
    if (kursor_ > 0 && kursor_ < pierwszy_)
        pierwszy_ = kursor_;
    if (kursor_ >= pierwszy_ + BazaWierszyStrony)
        pierwszy_ = kursor_ - BazaWierszyStrony + 1;
}

int WidokBazy::Pozycja(int wiersz) const {
    if (wiersz < 1 || wiersz > Liczba())
        return 0;
    const int p = wiersze_[size_t(wiersz - 1)];
    // A table changed behind the list (it is made again on the next refresh).
    return p <= BazaLiczba ? p : 0;
}

void WidokBazy::UstawKursor(int wiersz) {
    const int n = Liczba();
    kursor_ = n == 0 ? 0 : std::clamp(wiersz, 1, n);
    if (kursor_ == 0)
        return;
    if (kursor_ < pierwszy_)
        pierwszy_ = kursor_;
    else if (kursor_ >= pierwszy_ + BazaWierszyStrony)
        pierwszy_ = kursor_ - BazaWierszyStrony + 1;
}

bool WidokBazy::Wykonaj(quint16 komenda) {
    // A new list starts at its first row.
    const auto nowaLista = [this] {
        pierwszy_ = 1;
        kursor_ = 1;
        Odswiez();
    };
    if (komenda == 8010) {
        BazaSort = BazaSort >= 1 && BazaSort < 4 ? BazaSort + 1 : 1;
        Porzadek = BazaSort;
        nowaLista();
    } else if (komenda >= 8011 && komenda <= 8014) {
        BazaSort = komenda - 8010;
        Porzadek = BazaSort;
        nowaLista();
    } else if (komenda == 8041 || komenda == 8042) {
        const int l = BazaLitera + (komenda == 8041 ? -1 : 1);
        BazaLitera = l < 1 ? BazaLiteraInna : l > BazaLiteraInna ? 1 : l;
        nowaLista();
    } else if (komenda >= 8101 && komenda <= 8128) {
        BazaLitera = komenda % 100;
        nowaLista();
    } else if (komenda >= 8200 && komenda <= 8211) {
        BazaKategoria = komenda - 8200;
        nowaLista();
    } else if (komenda == 8031 || komenda == 8032) {
        UstawKursor(kursor_ + (komenda == 8031 ? -1 : 1));
    } else if (komenda == 8033 || komenda == 8034) {
        UstawKursor(kursor_ + (komenda == 8033 ? -BazaWierszyStrony : BazaWierszyStrony));
    } else if (komenda == 8035) {
        UstawKursor(1);
    } else if (komenda == 8036) {
        UstawKursor(Liczba());
    } else {
        return false;
    }
    return true;
}

WynikSzukania WidokBazy::Szukaj() {
    const FormularzSzukania& f = Formularz;
    const QString tytul = upperPL(f.Tytul), wykonawca = upperPL(f.Wykonawca), kod = upperPL(f.Kod);
    if (tytul.isEmpty() && wykonawca.isEmpty() && kod.isEmpty())
        return WynikSzukania::BrakTekstu;
    const bool tytulDowolny = f.Tytul == BazaDowolny, wykonawcaDowolny = f.Wykonawca == BazaDowolny,
               kodDowolny = f.Kod == BazaDowolny;
    qint64 od = Sekundy(f.CzasOd), doSek = Sekundy(f.CzasDo);
    const bool kazdyCzas = od == 0 && doSek == 0;
    if (od > doSek)
        doSek = 10'000'000;
    // Polish upper case of a field only when its text is asked for.
    const auto pasuje = [](bool dowolny, const QString& szukany, const QString& pole) {
        return dowolny || (!szukany.isEmpty() && upperPL(pole).contains(szukany));
    };
    bool cos = false;
    for (int k = 1; k <= BazaLiczba; ++k) {
        BAZARekordTyp& r = BazaRekordy[k];
        bool t = pasuje(tytulDowolny, tytul, r.Tyt) && pasuje(wykonawcaDowolny, wykonawca, r.Wyk) &&
                 pasuje(kodDowolny, kod, r.Kod);
        if (t && !kazdyCzas) {
            const qint64 s = SekundyTot(r.Tot);
            t = s >= od && s <= doSek;
        }
        if (t && !f.Gender.isEmpty())
            t = !r.Gen.isEmpty() && r.Gen[0] == f.Gender[0];
        if (t && !f.Typ.isEmpty())
            t = r.Typ.contains(f.Typ[0]);
        if (t && !f.Narodowosc.isEmpty())
            t = r.Nar == f.Narodowosc.left(3);
        if (t && !f.Jakosc.isEmpty())
            t = r.Jak.startsWith(f.Jakosc);
        if (t && !f.Klucze.isEmpty())
            t = r.Key.contains(f.Klucze);
        if (t && !f.Era.isEmpty())
            t = r.Era == f.Era;
        if (t && !f.BPM.isEmpty())
            t = r.BPM == f.BPM;
        if (t && !f.Tempo.isEmpty())
            t = r.Tem == f.Tempo;
        r.Znaleziony = t ? 1 : 0;
        cos = cos || t;
    }
    ++szukanie_;
    if (cos) {
        BazaSort = BazaWidokWynikow;
        pierwszy_ = 1;
        kursor_ = 1;
    }
    Odswiez();
    return cos ? WynikSzukania::Znaleziono : WynikSzukania::NicNieZnaleziono;
}

void WidokBazy::ZerujLiczniki() {
    for (int k = 1; k <= BazaLiczba; ++k) {
        BAZARekordTyp& r = BazaRekordy[k];
        r.EmC = r.EmD = r.EmT = r.EmM = r.EmR = 0;
    }
    BazaZmieniona = true;
    // The counters file is newer than the database file and a load takes
    // its counters: it must hold the zeros too.
    if (BazaNagran.BazaLicznikJest)
        BazaLicznikiDoZapisu();
}
