#include "console/engine/ReklamyLST.h"

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
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
#include "playlists/NastawyEmisji.h"

#include <map>

bool CzytajLista1 = false;
bool CzytajLista2 = false;
QString ListaLSTWybrana;

namespace {

constexpr qint64 DobaMs = 24LL * 3600 * 1000;

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

void przesunPo(qint32 i, qint64 o) {
    if (o == 0) return;
    for (qint32 k = i + 1; k <= StanPlaylisty.Ilosc; ++k)
        if (Playlista[size_t(k)].Emi >= 0) Playlista[size_t(k)].Emi = modDoby(Playlista[size_t(k)].Emi + o);
}

// Makes room after element `po`; the next mark and the decks follow the
// elements they carry.
void wstawPo(SilnikEmisji& s, qint32 po, const TElemPListy& e) {
    for (qint32 i = StanPlaylisty.Ilosc; i > po; --i) Playlista[size_t(i + 1)] = Playlista[size_t(i)];
    Playlista[size_t(po + 1)] = e;
    ++StanPlaylisty.Ilosc;
    if (StanPlaylisty.DoGrania > po) ++StanPlaylisty.DoGrania;
    for (quint8 o = 1; o <= LiczbaOdtwarzaczy; ++o)
        if (s.Odtwarzacz[o].Element > po) ++s.Odtwarzacz[o].Element;
}

qint32 trwaniePliku(const QString& adr) {
    if (!platform::fileExists(adr)) return 0;
    const int blad = BladIO;
    const qint32 t = CzasTrwaniaPliku(adr);
    BladIO = blad;
    return qMax(0, t);
}

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

// A merged advert is named by its recording's description; the kind's word
// stands in when the recording has none.
QString tytulNagrania(const QString& adres, const QString& zastepczy) {
    if (!platform::fileExists(adres)) return zastepczy;
    const int blad = BladIO;
    SygnalType s;
    s.Adres = adres;
    OpisNagraniaTyp o;
    KasujOpis(o);
    const bool jest = OtworzSygnal(s, true, o) == 0 && BladIO == 0;
    BladIO = blad;
    const QString t = o.Tyt.trimmed();
    return jest && t.size() > 2 && t != QLatin1String("Nie ma opisu") ? t : zastepczy;
}

void komunikatLimitu() {
    PokazInfo(QStringLiteral("Brak pamięci na wczytanie całej listy !"),
              QStringLiteral("(Maksymalnie ") + QString::number(MaksPlaylisty) + QStringLiteral(" pozycji)"));
}

// Element titles of the kind: cut before their first ";", then the list's date.
void oznaczDate(quint8 rodzaj, const QString& data) {
    for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i) {
        TElemPListy& e = Playlista[size_t(i)];
        if (RodzajElemPListy(e.Typ) != rodzaj) continue;
        QString t = e.Tyt;
        const qsizetype sr = t.indexOf(QLatin1Char(';'));
        if (sr >= 0) t.truncate(sr);
        e.Tyt = (t + QLatin1Char(';') + data).left(64);
    }
}

void usunPuste(qint32 start) {
    if (Emisja.CzyUsuwanieReklamaO) UsunPusteZaslepki(start, RodzajREK);
    if (Emisja.CzyUsuwaniePromosO) UsunPusteZaslepki(start, RodzajPRO);
}

// Collapses runs of like placeholders of the kinds of the slots read.
void scal(qint32 start, bool pierwsza, bool druga) {
    const auto rodzaj = [&](bool czyPromo) -> int {
        if (pierwsza && (rodzajSlotu(1) == RodzajPRO) == czyPromo) return 1;
        if (druga && (rodzajSlotu(2) == RodzajPRO) == czyPromo) return 1;
        return 0;
    };
    if (rodzaj(false)) ScalPowtorzoneElementy(start, RodzajREK);
    if (rodzaj(true)) ScalPowtorzoneElementy(start, RodzajPRO);
}

QString nazwaPlaylisty() {
    QString kat, nazwa, rozsz;
    RozbijSciezke(PlaylistaZbior, kat, nazwa, rozsz);
    return nazwa;
}

}  // namespace

void WstawBlokiZPlikuLST(SilnikEmisji& s, const QString& lista, quint8 rodzaj, bool zCzasami, qint32 start,
                         WypelnioneBloki* bloki) {
    PlikTekstowy f;
    if (!f.Otworz(lista)) return;
    const QString zaslepka = tekstZaslepki(rodzaj);
    const QString data = DataZbioruTekst(lista);
    // The last element placed in each block, so a block's later entries
    // follow it wherever they stand in the list (or the other list).
    WypelnioneBloki wlasne;
    WypelnioneBloki& ostatnie = bloki ? *bloki : wlasne;
    const auto wstawiono = [&](qint32 po) {
        for (auto& [blok, i] : ostatnie)
            if (i > po) ++i;
    };
    WpisLST w;
    while (czytajWpis(f, w)) {
        if (StanPlaylisty.Ilosc >= MaksPlaylisty) {
            komunikatLimitu();
            break;
        }
        TElemPListy n;
        n.Typ = rodzaj;
        n.Tyt = tytulNagrania(w.adres, rodzaj == RodzajPRO ? QStringLiteral("Promos") : QStringLiteral("Reklama"));
        n.Ide = w.tekst;
        n.Adr = w.adres;
        n.Emi = w.czas < 0 ? -1 : qint32(w.czas);
        if (const auto o = ostatnie.find({rodzaj, w.czas}); o != ostatnie.end()) {
            const qint32 po = o->second;
            const TElemPListy& p = Playlista[size_t(po)];
            n.Emi = modDoby(qint64(p.Emi) + p.Trw);
            n.Trw = zCzasami ? trwaniePliku(w.adres) : 0;
            wstawPo(s, po, n);
            wstawiono(po);
            o->second = po + 1;
            przesunPo(po + 1, n.Trw);
            continue;
        }
        qint32 i = start + 1;
        for (; i <= StanPlaylisty.Ilosc; ++i) {
            const QString t = Playlista[size_t(i)].Tyt;
            if (t.startsWith(zaslepka) && czasBloku(t) == w.czas) break;
        }
        if (i > StanPlaylisty.Ilosc) continue;  // no block for this entry
        TElemPListy& z = Playlista[size_t(i)];
        if (QString(z.Adr).trimmed().size() < 3) {
            n.Emi = z.Emi;
            n.Trw = z.Trw;
            n.Aut = z.Aut;
            const qint32 stary = z.Trw;
            if (zCzasami && platform::fileExists(w.adres)) n.Trw = trwaniePliku(w.adres);
            z = n;
            przesunPo(i, qint64(n.Trw) - stary);
        } else {
            n.Emi = modDoby(qint64(z.Emi) + z.Trw);
            n.Trw = zCzasami ? trwaniePliku(w.adres) : 0;
            wstawPo(s, i, n);
            wstawiono(i);
            ++i;
            przesunPo(i, n.Trw);
        }
        ostatnie[{rodzaj, w.czas}] = i;
    }
    oznaczDate(rodzaj, data);
}

void WstawBlokiReklamLST(SilnikEmisji& s, qint32 start) {
    for (qint32 i = start + 1; i <= StanPlaylisty.Ilosc; ++i) {
        const QString tytul = Playlista[size_t(i)].Tyt;
        quint8 rodzaj = 0;
        if (tytul.startsWith(QStringLiteral("Reklama o")))
            rodzaj = RodzajREK;
        else if (tytul.startsWith(QStringLiteral("Promos o ")))
            rodzaj = RodzajPRO;
        else
            continue;
        const qint64 blok = czasBloku(tytul);
        QString nazwa = nazwaPlaylisty();
        if (Emisja.CzyNazwaLSTZPozycji && tytul.size() > 15) {
            nazwa = tytul.mid(rodzaj == RodzajREK ? 16 : 15);
            const qsizetype sr = nazwa.indexOf(QLatin1Char(';'));
            if (sr >= 0) nazwa.truncate(sr);
        }
        QString baza = tytul;
        if (baza.indexOf(QLatin1Char(';')) >= 0) baza.truncate(baza.indexOf(QLatin1Char(';')));
        qint32 ostatni = 0;  // the last element placed for this placeholder
        const qint32 emiZaslepki = Playlista[size_t(i)].Emi;
        for (int slot = 1; slot <= 2; ++slot) {
            if (!slotWlaczony(slot) || rodzajSlotu(slot) != rodzaj) continue;
            const QString lista = katalogSlotu(slot) + QLatin1Char('\\') + nazwa + QStringLiteral(".LST");
            PlikTekstowy f;
            if (!f.Otworz(lista)) continue;
            const QString data = DataZbioruTekst(lista);
            WpisLST w;
            while (czytajWpis(f, w)) {
                if (StanPlaylisty.Ilosc >= MaksPlaylisty) {
                    komunikatLimitu();
                    break;
                }
                if (w.czas > blok) break;
                if (w.czas != blok) continue;
                TElemPListy n;
                n.Typ = rodzaj;
                n.Tyt = (baza + QLatin1Char(';') + data).left(64);
                n.Ide = w.tekst;
                n.Adr = w.adres;
                n.Trw = trwaniePliku(w.adres);
                qint32 miejsce;
                if (ostatni == 0) {
                    miejsce = i;
                    n.Aut = Playlista[size_t(i)].Aut;
                    const qint32 zTrw = Playlista[size_t(i)].Trw;
                    Playlista[size_t(i)] = n;
                    przesunPo(i, -qint64(zTrw));
                } else {
                    wstawPo(s, ostatni, n);
                    miejsce = ostatni + 1;
                }
                TElemPListy& e = Playlista[size_t(miejsce)];
                const TElemPListy* p = miejsce > 1 ? &Playlista[size_t(miejsce - 1)] : nullptr;
                qint64 przesun = e.Trw;
                e.Emi = p && CzyElemReklama(*p) ? modDoby(qint64(p->Emi) + p->Trw) : emiZaslepki;
                if (rodzaj == RodzajPRO && p) {
                    const qint64 x = Emisja.CzasJCross;
                    qint64 emi = qint64(e.Emi) - x;
                    if (emi < p->Emi) emi = qint64(p->Emi) + p->Trw;
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

void CzytajListeLST(SilnikEmisji& s, const QString& lista1, const QString& lista2, bool zCzasami,
                    bool interaktywnie, qint32 start) {
    if (!platform::fileExists(lista1)) {
        PokazBlad(QStringLiteral("Nie odnaleziono pierwszej listy LST"), lista1);
        return;
    }
    PokazStan(QStringLiteral("Odczyt listy reklamowej LST - proszę czekać"), QString(), false);
    LST1Adres = lista1;
    LST1Data = DataZbioruTekst(lista1);
    if (Emisja.CzyReklamaJakoBelka) {
        // Each advert becomes a bar of the time list; nothing of the
        // previous list is left.
        TimelistaZbior = lista1;
        TimelistaNazwa = NazwaSciezki(lista1);
        StanTimelisty.Nazwa = TimelistaNazwa;
        CzyscTimeliste();
        StanTimelisty.Ilosc = 0;
        WczytajTimeliste(lista1);
        if (BladIO != 0) {
            PokazBladKod(BladIO, QString(), lista1);
        } else if (Emisja.CzyLista2LST && CzytajLista2) {
            if (!platform::fileExists(lista2))
                PokazBlad(QStringLiteral("Nie odnaleziono drugiej listy LST"), lista2);
            else if (lista2.compare(lista1, Qt::CaseInsensitive) == 0)
                PokazBlad(QStringLiteral("Druga lista LST zgodna z pierwszą listą LST"), lista2);
            else {
                DoklejTimeliste(lista2);
                if (BladIO != 0) PokazBladKod(BladIO, QString(), lista2);
            }
        }
        KopiujNaDyskLokalnyCicho();
        s.Wyjscia().SprawdzTimeliste(interaktywnie);
        s.Wyjscia().OdswiezTimeliste();
    } else {
        WypelnioneBloki bloki;
        if (CzytajLista1) WstawBlokiZPlikuLST(s, lista1, rodzajSlotu(1), zCzasami, start, &bloki);
        if (CzytajLista2 && platform::fileExists(lista2)) WstawBlokiZPlikuLST(s, lista2, rodzajSlotu(2), zCzasami, start, &bloki);
    }
    usunPuste(start);
    ZamknijStan();
    OdswiezOpisyElementow(StanPlaylisty);
    s.Wyjscia().OdswiezPlayliste();
}

void WczytajReklamyDoPlaylisty(SilnikEmisji& s, qint32 start, bool interaktywnie) {
    if (start == 0) ListaLSTWybrana.clear();
    const QString rozsz = RozszerzenieSciezki(PlaylistaZbior).toUpper();
    if (Emisja.CzyNazwaLSTZPozycji && rozsz == QLatin1String(".MIX")) {
        scal(start, true, true);
        WstawBlokiReklamLST(s, start);
        usunPuste(start);
        s.Wyjscia().OdswiezPlayliste();
        return;
    }
    if (!Emisja.CzyZawszeOdczytLSTDlaMIX)
        for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i)
            if (wypelnionyBlok(Playlista[size_t(i)])) return;
    if (!Emisja.CzyListaLST && !Emisja.CzyLista2LST) return;
    if (rozsz != QLatin1String(".SEL") && rozsz != QLatin1String(".MIX")) return;
    bool* flagi[2] = {&CzytajLista1, &CzytajLista2};
    for (int slot = 1; slot <= 2; ++slot) {
        bool& flaga = *flagi[slot - 1];
        flaga = slotWlaczony(slot);
        const bool pytaj = slot == 1 ? Emisja.CzyPytanieOOdczytLST : Emisja.CzyPytanieOOdczyt2LST;
        if (!flaga || !pytaj) continue;
        const QString pytanie = rodzajSlotu(slot) == RodzajPRO ? QStringLiteral("Czy wczytać listę promosów?")
                                                               : QStringLiteral("Czy wczytać listę reklam?");
        const QString ktora =
            slot == 1 ? QStringLiteral("(pierwsza lista LST)") : QStringLiteral("(druga lista LST)");
        flaga = Decyzja(pytanie, ktora) == WynikTak;
    }
    if (!CzytajLista1 && !CzytajLista2) return;
    QString nazwa = nazwaPlaylisty().toUpper();
    if (Emisja.CzyPorownanie8Znakow) nazwa = nazwa.left(8);
    QString lista1 = Emisja.KatLista1 + QLatin1Char('\\') + nazwa + QStringLiteral(".LST");
    QString lista2 = Emisja.KatLista2 + QLatin1Char('\\') + nazwa + QStringLiteral(".LST");
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
            (slot == 1 ? lista1 : lista2) = plik;
            if (ListaLSTWybrana.isEmpty()) ListaLSTWybrana = NazwaSciezki(plik);
        }
        if (!CzytajLista1 && !CzytajLista2) return;
    }
    if (Emisja.CzyZawszeOdczytLSTDlaMIX) scal(start, CzytajLista1, CzytajLista2);
    if (!interaktywnie && !platform::fileExists(lista1)) {
        s.Komunikat = QStringLiteral("Brak listy reklamowej: ") + nazwaPlaylisty().left(8) + QStringLiteral(".LST");
        s.Wyjscia().OdswiezKomunikat();
        return;
    }
    CzytajListeLST(s, lista1, lista2, rozsz != QLatin1String(".SEL"), interaktywnie, start);
}
