#include "console/engine/ReklamyLST.h"

#include "console/engine/SilnikEmisji.h"
#include "console/engine/TestyPlaylisty.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/Text.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_PlaylistaPorzadki.h"
#include "playlists/D_Timelista.h"
#include "playlists/NagraniaPrzebiegu.h"
#include "playlists/NastawyEmisji.h"

#include <map>

bool CzytajLista1 = false;
bool CzytajLista2 = false;
QString ListaLSTWybrana;

namespace {

constexpr qint64 DobaMs = 24LL * 3600 * 1000;

// The blocks filled so far by (kind, block time in ms): the last element
// placed in each. Both lists of one read share it, so the second list's
// entries follow the first one's in a block the first already filled.
using WypelnioneBloki = std::map<std::pair<quint8, qint64>, qint32>;

quint8 rodzajSlotu(int slot) {
    const bool promo = slot == 1 ? Emisja.CzyLista2LSTPromosy : Emisja.CzyLista22LSTPromosy;
    return promo ? RodzajPRO : RodzajREK;
}
bool slotWlaczony(int slot) { return slot == 1 ? Emisja.CzyListaLST : Emisja.CzyLista2LST; }
QString katalogSlotu(int slot) { return slot == 1 ? Emisja.KatLista1 : Emisja.KatLista2; }

QString tekstZaslepki(quint8 rodzaj) {
    return rodzaj == RodzajPRO ? QStringLiteral("Promos o ") : QStringLiteral("Reklama o");
}

bool wypelnionyBlok(const TElemPListy& e) {
    const QString t = e.Tyt;
    return (t.startsWith(QStringLiteral("Reklama o")) || t.startsWith(QStringLiteral("Promos o"))) &&
           QString(e.Adr).size() > 1;
}

// The block's time from a placeholder's title, ms of the day; -1 when none.
qint64 czasBloku(const QString& tytul) {
    const qint32 s = GodzinaTytulu(tytul);
    return s < 0 ? -1 : qint64(s) * 1000;
}

qint32 modDoby(qint64 t) { return qint32(((t % DobaMs) + DobaMs) % DobaMs); }

// One list entry: the time line and the path line.
struct WpisLST {
    qint64 czas = -1;  // ms of the day
    QString tekst, adres;
};
bool czytajWpis(PlikTekstowy& f, WpisLST& w) {
    while (!f.Koniec()) {
        const QString linia = f.CzytajLinie();
        if (linia.trimmed().isEmpty()) continue;
        const QString czas = charsFromTo(linia, 1, 8);
        w.czas = czas == QLatin1String("--:--:--") ? -1 : qint64(CzytajCzas(czas, 1)) * 1000;
        w.tekst = charsFromTo(linia, 10, int(linia.size()));
        w.adres = f.CzytajLinie().left(250);
        if (w.tekst.isEmpty()) w.tekst = QStringLiteral(" ");
        if (w.adres.isEmpty()) w.adres = QStringLiteral(" ");
        return true;
    }
    return false;
}

void komunikatLimitu() {
    PokazInfo(QStringLiteral("Brak pamięci na wczytanie całej listy !"),
              QStringLiteral("(Maksymalnie ") + QString::number(MaksPlaylisty) + QStringLiteral(" pozycji)"));
}

QString nazwaPlaylisty() {
    QString kat, nazwa, rozsz;
    RozbijSciezke(PlaylistaZbior, kat, nazwa, rozsz);
    return nazwa;
}

// One merge into a list of its own, on the worker: the lists and the
// adverts' recordings are read through the read's look at the disk.
struct Scalanie {
    const PlanReklam& p;
    TablicaPlaylisty& l;
    qint32& ilosc;
    NagraniaPrzebiegu& nagrania;
    WynikReklam& wynik;

    void przesunPo(qint32 i, qint64 o) {
        if (o == 0) return;
        for (qint32 k = i + 1; k <= ilosc; ++k)
            if (l[size_t(k)].Emi >= 0) l[size_t(k)].Emi = modDoby(l[size_t(k)].Emi + o);
    }
    // Makes room after element `po`. The list is not on air: no deck and
    // no next mark points into it.
    void wstawPo(qint32 po, const TElemPListy& e) {
        for (qint32 i = ilosc; i > po; --i) l[size_t(i + 1)] = l[size_t(i)];
        l[size_t(po + 1)] = e;
        ++ilosc;
    }
    qint32 trwanie(const QString& adres) { return qMax(0, nagrania.Trwanie(adres)); }
    // A merged advert is named by its recording's description; the kind's
    // word stands in when the recording has none.
    QString tytulNagrania(const QString& adres, const QString& zastepczy) {
        if (!nagrania.Jest(adres)) return zastepczy;
        const NagraniaPrzebiegu::Nagranie& n = nagrania.Otworz(adres);
        const QString t = n.opis.Tyt.trimmed();
        return n.wynik == 0 && n.blad == 0 && t.size() > 2 && t != QLatin1String("Nie ma opisu") ? t : zastepczy;
    }
    bool pelna() {
        if (ilosc < MaksPlaylisty) return false;
        wynik.Limit = true;
        return true;
    }
    // Element titles of the kind: cut before their first ";", then the list's date.
    void oznaczDate(quint8 rodzaj, const QString& data) {
        for (qint32 i = 1; i <= ilosc; ++i) {
            TElemPListy& e = l[size_t(i)];
            if (RodzajElemPListy(e.Typ) != rodzaj) continue;
            QString t = e.Tyt;
            const qsizetype sr = t.indexOf(QLatin1Char(';'));
            if (sr >= 0) t.truncate(sr);
            e.Tyt = (t + QLatin1Char(';') + data).left(64);
        }
    }
    void usunPuste() {
        if (p.Belka) return;  // the time list decides, on the program's thread
        if (p.UsuwanieReklamaO) UsunPusteZaslepki(l, ilosc, p.Start, RodzajREK, false);
        if (p.UsuwaniePromosO) UsunPusteZaslepki(l, ilosc, p.Start, RodzajPRO, false);
    }
    // Collapses runs of like placeholders of the kinds of the slots read.
    void scal(bool pierwsza, bool druga) {
        const auto czyta = [&](bool czyPromo) {
            return (pierwsza && (p.Rodzaj[1] == RodzajPRO) == czyPromo) || (druga && (p.Rodzaj[2] == RodzajPRO) == czyPromo);
        };
        if (czyta(false)) ScalPowtorzoneElementy(l, ilosc, p.Start, RodzajREK);
        if (czyta(true)) ScalPowtorzoneElementy(l, ilosc, p.Start, RodzajPRO);
    }

    void zPliku(const QString& lista, quint8 rodzaj, WypelnioneBloki& ostatnie);
    void wgPozycji();
};

// Every entry of the list goes to the placeholder of its block (kind 5 or 9).
void Scalanie::zPliku(const QString& lista, quint8 rodzaj, WypelnioneBloki& ostatnie) {
    PlikTekstowy f;
    if (!f.Otworz(lista)) return;
    const QString zaslepka = tekstZaslepki(rodzaj);
    const QString data = DataZbioruTekst(lista);
    const auto wstawiono = [&](qint32 po) {
        for (auto& [blok, i] : ostatnie)
            if (i > po) ++i;
    };
    WpisLST w;
    while (czytajWpis(f, w)) {
        if (pelna()) break;
        TElemPListy n;
        n.Typ = rodzaj;
        n.Tyt = tytulNagrania(w.adres, rodzaj == RodzajPRO ? QStringLiteral("Promos") : QStringLiteral("Reklama"));
        n.Ide = w.tekst;
        n.Adr = w.adres;
        n.Emi = w.czas < 0 ? -1 : qint32(w.czas);
        if (const auto o = ostatnie.find({rodzaj, w.czas}); o != ostatnie.end()) {
            const qint32 po = o->second;
            const TElemPListy& z = l[size_t(po)];
            n.Emi = modDoby(qint64(z.Emi) + z.Trw);
            n.Trw = p.ZCzasami ? trwanie(w.adres) : 0;
            wstawPo(po, n);
            wstawiono(po);
            o->second = po + 1;
            przesunPo(po + 1, n.Trw);
            continue;
        }
        qint32 i = p.Start + 1;
        for (; i <= ilosc; ++i) {
            const QString t = l[size_t(i)].Tyt;
            if (t.startsWith(zaslepka) && czasBloku(t) == w.czas) break;
        }
        if (i > ilosc) continue;  // no block for this entry
        TElemPListy& z = l[size_t(i)];
        if (QString(z.Adr).trimmed().size() < 3) {
            n.Emi = z.Emi;
            n.Trw = z.Trw;
            n.Aut = z.Aut;
            const qint32 stary = z.Trw;
            if (p.ZCzasami && nagrania.Jest(w.adres)) n.Trw = trwanie(w.adres);
            z = n;
            przesunPo(i, qint64(n.Trw) - stary);
        } else {
            n.Emi = modDoby(qint64(z.Emi) + z.Trw);
            n.Trw = p.ZCzasami ? trwanie(w.adres) : 0;
            wstawPo(i, n);
            wstawiono(i);
            ++i;
            przesunPo(i, n.Trw);
        }
        ostatnie[{rodzaj, w.czas}] = i;
    }
    oznaczDate(rodzaj, data);
}

// Every placeholder takes the entries of its block from the list it names.
void Scalanie::wgPozycji() {
    for (qint32 i = p.Start + 1; i <= ilosc; ++i) {
        const QString tytul = l[size_t(i)].Tyt;
        quint8 rodzaj = 0;
        if (tytul.startsWith(QStringLiteral("Reklama o")))
            rodzaj = RodzajREK;
        else if (tytul.startsWith(QStringLiteral("Promos o ")))
            rodzaj = RodzajPRO;
        else
            continue;
        const qint64 blok = czasBloku(tytul);
        QString nazwa = p.NazwaPlaylisty;
        if (tytul.size() > 15) {
            nazwa = tytul.mid(rodzaj == RodzajREK ? 16 : 15);
            const qsizetype sr = nazwa.indexOf(QLatin1Char(';'));
            if (sr >= 0) nazwa.truncate(sr);
        }
        QString baza = tytul;
        if (baza.indexOf(QLatin1Char(';')) >= 0) baza.truncate(baza.indexOf(QLatin1Char(';')));
        qint32 ostatni = 0;  // the last element placed for this placeholder
        const qint32 emiZaslepki = l[size_t(i)].Emi;
        for (int slot = 1; slot <= 2; ++slot) {
            if (!p.Wlaczony[slot] || p.Rodzaj[slot] != rodzaj) continue;
            const QString lista = p.Katalog[slot] + QLatin1Char('\\') + nazwa + QStringLiteral(".LST");
            PlikTekstowy f;
            if (!f.Otworz(lista)) continue;
            const QString data = DataZbioruTekst(lista);
            WpisLST w;
            while (czytajWpis(f, w)) {
                if (pelna()) break;
                if (w.czas > blok) break;
                if (w.czas != blok) continue;
                TElemPListy n;
                n.Typ = rodzaj;
                n.Tyt = (baza + QLatin1Char(';') + data).left(64);
                n.Ide = w.tekst;
                n.Adr = w.adres;
                n.Trw = trwanie(w.adres);
                qint32 miejsce;
                if (ostatni == 0) {
                    miejsce = i;
                    n.Aut = l[size_t(i)].Aut;
                    const qint32 zTrw = l[size_t(i)].Trw;
                    l[size_t(i)] = n;
                    przesunPo(i, -qint64(zTrw));
                } else {
                    wstawPo(ostatni, n);
                    miejsce = ostatni + 1;
                }
                TElemPListy& e = l[size_t(miejsce)];
                const TElemPListy* poprzedni = miejsce > 1 ? &l[size_t(miejsce - 1)] : nullptr;
                qint64 przesun = e.Trw;
                e.Emi = poprzedni && CzyElemReklama(*poprzedni) ? modDoby(qint64(poprzedni->Emi) + poprzedni->Trw)
                                                               : emiZaslepki;
                if (rodzaj == RodzajPRO && poprzedni) {
                    const qint64 x = p.CzasJCross;
                    qint64 emi = qint64(e.Emi) - x;
                    if (emi < poprzedni->Emi) emi = qint64(poprzedni->Emi) + poprzedni->Trw;
                    e.Emi = modDoby(emi);
                    przesun = qMax<qint64>(0, e.Trw - 2 * x);
                }
                przesunPo(miejsce, przesun);
                ostatni = miejsce;
            }
        }
        if (ostatni > i) i = ostatni;
    }
}

}  // namespace

std::optional<PlanReklam> PlanujReklamy(SilnikEmisji& s, qint32 start, bool interaktywnie) {
    if (start == 0) ListaLSTWybrana.clear();
    PlanReklam p;
    p.Start = start;
    p.Interaktywnie = interaktywnie;
    p.Belka = Emisja.CzyReklamaJakoBelka;
    p.UsuwanieReklamaO = Emisja.CzyUsuwanieReklamaO;
    p.UsuwaniePromosO = Emisja.CzyUsuwaniePromosO;
    p.CzasJCross = Emisja.CzasJCross;
    p.NazwaPlaylisty = nazwaPlaylisty();
    for (int slot = 1; slot <= 2; ++slot) {
        p.Wlaczony[slot] = slotWlaczony(slot);
        p.Rodzaj[slot] = rodzajSlotu(slot);
        p.Katalog[slot] = katalogSlotu(slot);
    }
    const QString rozsz = DuzeLiteryPL(RozszerzenieSciezki(PlaylistaZbior));
    if (Emisja.CzyNazwaLSTZPozycji && rozsz == QLatin1String(".MIX")) {
        p.WgPozycji = true;
        return p;
    }
    if (!Emisja.CzyZawszeOdczytLSTDlaMIX)
        for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i)
            if (wypelnionyBlok(Playlista[size_t(i)])) return std::nullopt;
    if (!Emisja.CzyListaLST && !Emisja.CzyLista2LST) return std::nullopt;
    if (rozsz != QLatin1String(".SEL") && rozsz != QLatin1String(".MIX")) return std::nullopt;
    bool* flagi[2] = {&CzytajLista1, &CzytajLista2};
    for (int slot = 1; slot <= 2; ++slot) {
        bool& flaga = *flagi[slot - 1];
        flaga = slotWlaczony(slot);
        // An automatic load (midnight, the next day) has no one to ask.
        const bool pytaj = slot == 1 ? Emisja.CzyPytanieOOdczytLST : Emisja.CzyPytanieOOdczyt2LST;
        if (!flaga || !pytaj || !interaktywnie) continue;
        const QString pytanie = rodzajSlotu(slot) == RodzajPRO ? QStringLiteral("Czy wczytać listę promosów?")
                                                               : QStringLiteral("Czy wczytać listę reklam?");
        const QString ktora =
            slot == 1 ? QStringLiteral("(pierwsza lista LST)") : QStringLiteral("(druga lista LST)");
        flaga = Decyzja(pytanie, ktora) == WynikTak;
    }
    if (!CzytajLista1 && !CzytajLista2) return std::nullopt;
    QString nazwa = p.NazwaPlaylisty;
    DuzeLiteryPL(nazwa);
    if (Emisja.CzyPorownanie8Znakow) nazwa = nazwa.left(8);
    p.Lista[1] = Emisja.KatLista1 + QLatin1Char('\\') + nazwa + QStringLiteral(".LST");
    p.Lista[2] = Emisja.KatLista2 + QLatin1Char('\\') + nazwa + QStringLiteral(".LST");
    // The operator picks each list to be read; an automatic load has no one
    // to ask and goes by the playlist's name.
    if (Emisja.CzyListaLSTWybor && interaktywnie) {
        for (int slot = 1; slot <= 2; ++slot) {
            bool& flaga = *flagi[slot - 1];
            if (!flaga) continue;
            const QString plik = s.Wyjscia().WybierzListeReklam(katalogSlotu(slot));
            if (plik.isEmpty()) {
                flaga = false;
                continue;
            }
            p.Lista[slot] = plik;
            if (ListaLSTWybrana.isEmpty()) ListaLSTWybrana = NazwaSciezki(plik);
        }
        if (!CzytajLista1 && !CzytajLista2) return std::nullopt;
    }
    p.Czytaj[1] = CzytajLista1;
    p.Czytaj[2] = CzytajLista2;
    p.Scal = Emisja.CzyZawszeOdczytLSTDlaMIX;
    p.ZCzasami = rozsz != QLatin1String(".SEL");
    return p;
}

WynikReklam ScalReklamy(const PlanReklam& p, TablicaPlaylisty& lista, qint32& ilosc, NagraniaPrzebiegu& nagrania,
                        const std::function<void(const QString&)>& pokaz) {
    WynikReklam w;
    Scalanie sc{p, lista, ilosc, nagrania, w};
    if (p.WgPozycji) {
        sc.scal(true, true);
        sc.wgPozycji();
        sc.usunPuste();
        return w;
    }
    if (p.Scal) sc.scal(p.Czytaj[1], p.Czytaj[2]);
    const bool pierwsza = platform::fileExists(p.Lista[1]);
    if (!pierwsza) {
        if (p.Interaktywnie)
            w.Blad = QStringLiteral("Nie odnaleziono pierwszej listy LST");
        else
            w.Komunikat = QStringLiteral("Brak listy reklamowej: ") + p.NazwaPlaylisty.left(8) + QStringLiteral(".LST");
        return w;
    }
    if (pokaz) pokaz(QStringLiteral("Odczyt listy reklamowej LST - proszę czekać"));
    w.LST1Adres = p.Lista[1];
    w.LST1Data = DataZbioruTekst(p.Lista[1]);
    w.Druga = platform::fileExists(p.Lista[2]);
    if (!p.Belka) {
        WypelnioneBloki bloki;
        if (p.Czytaj[1]) sc.zPliku(p.Lista[1], p.Rodzaj[1], bloki);
        if (p.Czytaj[2] && w.Druga) sc.zPliku(p.Lista[2], p.Rodzaj[2], bloki);
    }
    sc.usunPuste();
    OdswiezOpisyElementow(lista, ilosc, nagrania);
    return w;
}

void ZglosReklamy(SilnikEmisji& s, const PlanReklam& p, const WynikReklam& w) {
    if (!w.Komunikat.isEmpty()) {
        s.Komunikat = w.Komunikat;
        s.Wyjscia().OdswiezKomunikat();
        return;
    }
    if (!w.Blad.isEmpty()) {
        PokazBlad(w.Blad, p.Lista[1]);
        return;
    }
    if (!w.LST1Adres.isEmpty()) {
        LST1Adres = w.LST1Adres;
        LST1Data = w.LST1Data;
    }
    if (p.Belka && !p.WgPozycji) {
        // Each advert becomes a bar of the time list, the program's thread's
        // own; nothing of the previous list is left.
        const QString& lista1 = p.Lista[1];
        const QString& lista2 = p.Lista[2];
        TimelistaZbior = lista1;
        TimelistaNazwa = NazwaSciezki(lista1);
        StanTimelisty.Nazwa = TimelistaNazwa;
        CzyscTimeliste();
        StanTimelisty.Ilosc = 0;
        WczytajTimeliste(lista1);
        if (BladIO != 0) {
            PokazBladKod(BladIO, QString(), lista1);
        } else if (p.Wlaczony[2] && p.Czytaj[2]) {
            if (!w.Druga)
                PokazBlad(QStringLiteral("Nie odnaleziono drugiej listy LST"), lista2);
            else if (lista2.compare(lista1, Qt::CaseInsensitive) == 0)
                PokazBlad(QStringLiteral("Druga lista LST zgodna z pierwszą listą LST"), lista2);
            else {
                DoklejTimeliste(lista2);
                if (BladIO != 0) PokazBladKod(BladIO, QString(), lista2);
            }
        }
        KopiujNaDyskLokalnyCicho();
        s.Wyjscia().SprawdzTimeliste(p.Interaktywnie);
        s.Wyjscia().OdswiezTimeliste();
    }
    if (p.Belka) {
        if (p.UsuwanieReklamaO) UsunPusteZaslepki(Playlista, StanPlaylisty.Ilosc, p.Start, RodzajREK, true);
        if (p.UsuwaniePromosO) UsunPusteZaslepki(Playlista, StanPlaylisty.Ilosc, p.Start, RodzajPRO, true);
    }
    if (w.Limit) komunikatLimitu();
    s.Wyjscia().OdswiezPlayliste();
}
