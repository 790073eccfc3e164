#include "playlists/D_PlaylistaPorzadki.h"

#include <QHash>
#include <algorithm>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "platform/Paths.h"
#include "playlists/D_Crossfade.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_Timelista.h"
#include "playlists/NagraniaPrzebiegu.h"
#include "playlists/NastawyEmisji.h"

namespace {

constexpr qint64 GodzinaMs = 3'600'000;

qint32 wDobie(qint64 v) {
    return qint32(((v % DobaMs) + DobaMs) % DobaMs);
}

// Later elements move earlier by d (ms, modulo the day); elements without
// an air time keep none.
void przesunOd(TablicaPlaylisty& lista, int od, int doElementu, qint64 d) {
    for (int j = od; j <= doElementu; ++j)
        if (lista[size_t(j)].Emi != -1)
            lista[size_t(j)].Emi = wDobie(qint64(lista[size_t(j)].Emi) + DobaMs - d);
}

QString rozszerzenie(const QString& plik) {
    return DuzeLiteryPL(RozszerzenieSciezki(plik));
}

// The progress dialog of a pass: opened with its text, moved per element,
// closed however the pass ends.
class Postep {
public:
    Postep(const QString& tekst, int maksimum) {
        PokazStan(tekst, QString(), true);
        StanMaksimum = float(maksimum);
    }
    ~Postep() { ZamknijStan(); }
    void krok(int i) { UstawStan(i); }
};

// A pass opens recordings, which leaves its result in BladIO; the caller of
// a read tests BladIO for the playlist file's own result.
class ZachowajBladIO {
public:
    ~ZachowajBladIO() { BladIO = blad_; }

private:
    int blad_ = BladIO;
};

void zapiszRob(int i) {
    PoprawCzasyElemPListy(ElemPListyRob);
    Playlista[i] = ElemPListyRob;
}

// The kind a description's category names; 0 for any other category.
quint8 rodzajKategorii(const QString& kategoria) {
    static const struct {
        const char* kod;
        const char* nazwa;
        quint8 rodzaj;
    } kategorie[] = {
        {"JNG", "JINGIEL", RodzajJNG}, {"DJ_", "DJ", RodzajDJ_},      {"PRO", "PROMOS", RodzajPRO},
        {"SPO", "SPONSOR", RodzajSPO}, {"AUD", "AUDYCJA", RodzajAUD}, {"WHI", "WHISPER", RodzajWHI},
        {"SWE", "SWEEPER", RodzajSWE}, {"LOP", "LOOP", RodzajLOP},    {"EFE", "EFEKT", RodzajEFE},
    };
    const QString k = DuzeLiteryPL(kategoria.trimmed());
    for (const auto& w : kategorie)
        if (k == QLatin1String(w.kod) || k == QLatin1String(w.nazwa))
            return w.rodzaj;
    return 0;
}

// The album and production fields both passes take from a description.
void polaWydania(TElemPListy& e, const OpisNagraniaTyp& o) {
    e.Pta = o.Pta;
    e.Pro = o.Pro;
    e.Rok = o.Rok;
    e.BPM = o.BPM;
    e.PS1 = o.PS1;
    e.PS2 = o.PS2;
    e.PS3 = o.PS3;
    e.PS4 = o.PS4;
    e.ZAA = o.Zaa;
}

void opisyZNagrania(TElemPListy& e, const OpisNagraniaTyp& o, const SygnalType& s) {
    const NastawyEmisjiMIX& n = Emisja;
    e.Trw = s.Tot > 0 ? s.Tot : DlugoscSygnaluMs(s);
    if (n.CzyOpisyInneZListy) {
        if (o.Tyt.trimmed().size() > 2 && o.Tyt != QLatin1String("Nie ma opisu"))
            e.Tyt = o.Tyt;
        if (o.Wyk.trimmed().size() > 2)
            e.Wyk = o.Wyk;
        polaWydania(e, o);
        if (!CzyElemReklama(e))
            e.Kom = o.Kom;
        e.Sol = o.Sol;
        e.Atr = o.Aut;
        e.Wyd = o.Wyd;
        e.Zak = o.Zak;
        e.Mix = MixZOpisu(o.Mix);
    }
    if (n.CzyCzasyZNagran) {
        e.Int = s.Int;
        e.Out = s.Out;
        e.NwP = s.NwP;
        e.NwK = s.NwK;
        e.FIn = s.FIn;
        e.FOu = s.FOu;
        e.Mix = s.Mik > -1 ? e.Trw - s.Mik : s.Mix;
    }
    if (n.CzyKategorieZNagran) {
        if (const quint8 r = rodzajKategorii(o.Ktg))
            e.Typ = r;
    }
}

bool opisywany(quint8 rodzaj) {
    return rodzaj == RodzajSND || rodzaj == RodzajREK || rodzaj == RodzajDJ_ || (rodzaj >= RodzajJNG && rodzaj <= RodzajEFE);
}

bool odswiezany(quint8 rodzaj) {
    switch (rodzaj) {
    case RodzajSND: case RodzajREK: case RodzajDJ_: case RodzajJNG: case RodzajPRO:
    case RodzajSPO: case RodzajAUD: case RodzajWHI: case RodzajEFE:
        return true;
    default:
        return false;
    }
}

// Kinds after which the previous element's own crossfade decides the overlap.
bool bierzeMiksPoprzedniego(quint8 rodzaj) {
    switch (rodzaj) {
    case RodzajSND: case RodzajBRK: case RodzajREK: case RodzajDJ_: case RodzajJNG:
    case RodzajAUD: case RodzajWHI: case RodzajSWE: case RodzajLOP: case RodzajEFE:
        return true;
    default:
        return false;
    }
}

bool pelnaGodzina(qint32 emi) {
    return emi >= 0 && emi % GodzinaMs == 0;
}

// Element i goes: its followers move up, the last is reset.
void usunElement(TablicaPlaylisty& lista, qint32& ilosc, int i) {
    if (i < 1 || i > ilosc)
        return;
    for (int j = i; j < ilosc; ++j)
        lista[size_t(j)] = std::move(lista[size_t(j + 1)]);
    InitElemPListy(lista[size_t(ilosc)]);
    --ilosc;
}

}  // namespace

bool ListaZewnetrzna(const QString& zbior) {
    const QString r = rozszerzenie(zbior);
    return r == QLatin1String(".SEL") || r == QLatin1String(".PRG");
}

bool CzyZaslepka(const TElemPListy& e, quint8 rodzaj) {
    if (RodzajElemPListy(e.Typ) != rodzaj)
        return false;
    if (rodzaj == RodzajREK)
        return e.Tyt.str().startsWith(QLatin1String("Reklama o"));
    if (rodzaj == RodzajPRO)
        return e.Tyt.str().startsWith(QLatin1String("Promos o"));
    return false;
}

void UsunElementPlaylisty(StanListy& stan, int i) { usunElement(Playlista, stan.Ilosc, i); }


void PrzypiszOpisyNagraniom(TablicaPlaylisty& lista, int od, int ilosc, bool zewnetrzna, NagraniaPrzebiegu& nagrania,
                            const std::function<void(int)>& postep) {
    for (int i = std::max(od, 1); i <= ilosc; ++i) {
        if (postep) postep(i);
        const TElemPListy& e = lista[size_t(i)];
        if (!opisywany(RodzajElemPListy(e.Typ)) || !nagrania.Jest(e.Adr))
            continue;
        TElemPListy rob = e;
        if (zewnetrzna) {
            const auto& n = nagrania.Otworz(rob.Adr);
            if (n.wynik != 0)
                continue;
            opisyZNagrania(rob, n.opis, n.s);
        }
        PoprawCzasyElemPListy(rob);
        lista[size_t(i)] = std::move(rob);
    }
}

void PrzypiszOpisyNagraniom(StanListy& stan) {
    const ZachowajBladIO blad;
    Postep postep(QStringLiteral("Przypisywanie opisów nagraniom"), stan.Ilosc);
    NagraniaPrzebiegu nagrania;
    PrzypiszOpisyNagraniom(Playlista, 1, stan.Ilosc, ListaZewnetrzna(PlaylistaZbior), nagrania,
                           [&](int i) { postep.krok(i); });
}

void OdswiezOpisyElementow(TablicaPlaylisty& lista, int ilosc, NagraniaPrzebiegu& nagrania,
                           const std::function<void(int)>& postep) {
    for (int i = 1; i <= ilosc; ++i) {
        if (postep) postep(i);
        const TElemPListy& e = lista[size_t(i)];
        if (!odswiezany(RodzajElemPListy(e.Typ)) || rozszerzenie(e.Adr) == QLatin1String(".S48") || !nagrania.Jest(e.Adr))
            continue;
        const auto& n = nagrania.Otworz(e.Adr);
        if (n.wynik != 0 || n.blad != 0)
            continue;
        TElemPListy rob = e;
        rob.Trw = n.s.Tot > 0 ? n.s.Tot : DlugoscSygnaluMs(n.s);
        polaWydania(rob, n.opis);
        PoprawCzasyElemPListy(rob);
        lista[size_t(i)] = std::move(rob);
    }
}

void UsunPozaGodzine(StanListy& stan) {
    if (stan.Ilosc < 2 || Emisja.PlaylistaFormat == 3)
        return;
    bool usun = false;
    if (Emisja.CzyListaPozaGodzUsun)
        usun = Decyzja(QStringLiteral("Czy usunąć nagrania wykraczające poza godzinę ?"), QString(), 2) == WynikTak;

    qint64 t = std::max<qint32>(Playlista[1].Emi, 0);
    int i = 2;
    // A removal brings the next element to the same place, which is then
    // looked at again; the count is read anew on every round.
    while (i <= stan.Ilosc) {
        TElemPListy& p = Playlista[i - 1];
        ElemPListyRob = Playlista[i];
        TElemPListy& c = ElemPListyRob;
        const quint8 rp = RodzajElemPListy(p.Typ);
        const quint8 rc = RodzajElemPListy(c.Typ);

        const qint32 domyslnyP = DomyslnyCrossfade(p.Typ);
        if (p.Mix == -1 && domyslnyP != 0)
            p.Mix = domyslnyP;
        // 0 counts as no crossfade of its own.
        const qint32 m = p.Mix > 0 ? p.Mix : 0;
        if (m != 0 && Emisja.CzyDomyslneCzasySEL) {
            p.FOu = std::max(p.Trw - m, 0);
            p.NwK = std::min(domyslnyP + p.FOu, p.Trw);
        }
        qint64 x = std::min(domyslnyP, DomyslnyCrossfade(c.Typ));
        if (bierzeMiksPoprzedniego(rc) && m != 0)
            x = m;
        if (CzyBreakZDzwiekiem(c))
            x = 0;
        if (CzyElemReklama(c)) {
            x = 0;
            p.Mix = 0;
        }
        x = std::min<qint64>(x, p.Trw);
        if (rp != RodzajWHI)
            t += p.Trw - x;
        PoprawCzasyElemPListy(p);

        if (!Emisja.CzyListaPelneGodz) {
            c.Emi = wDobie(t);
        } else if (!usun) {
            if (!pelnaGodzina(c.Emi) && p.Emi != -1)
                c.Emi = qint32((((qint64(p.Emi) + p.Trw - std::max(p.Mix, 0)) / 1000) % 86'400) * 1000);
        } else if (rc == RodzajSND && !pelnaGodzina(c.Emi) && c.Emi != -1 && p.Emi != -1) {
            const qint64 koniecP = ((qint64(p.Emi) / 1000 + p.Trw / 1000) % 86'400) / 3'600;
            if (c.Emi / GodzinaMs < koniecP) {
                UsunElementPlaylisty(stan, i);
                continue;
            }
        }
        zapiszRob(i);
        ++i;
    }

    // A whisper planned with a song talks over the song's start.
    for (int j = 1; j < stan.Ilosc; ++j) {
        TElemPListy& w = Playlista[j];
        const TElemPListy& s = Playlista[j + 1];
        if (RodzajElemPListy(w.Typ) == RodzajWHI && RodzajElemPListy(s.Typ) == RodzajSND && !w.Sel.str().trimmed().isEmpty() &&
            w.Sel == s.Sel) {
            ZamienElemPListy(j, j + 1);
            Playlista[j + 1].Emi = Playlista[j].Emi == -1 ? -1 : wDobie(qint64(Playlista[j].Emi) + Playlista[j].NwP);
            ++j;  // past the pair
        }
    }
}

void SprawdzCzasyReklam(TablicaPlaylisty& lista, int ilosc, bool mix, NagraniaPrzebiegu& nagrania,
                        const std::function<qint64(const TElemPListy&)>& dlugoscBloku,
                        const std::function<void(int)>& postep) {
    for (int i = 1; i <= ilosc; ++i) {
        if (postep) postep(i);
        TElemPListy rob = lista[size_t(i)];
        if (mix && CzyElemReklama(rob)) {
            qint64 s = -1;
            if (dlugoscBloku)
                s = dlugoscBloku(rob);
            else if (nagrania.Jest(rob.Adr))
                s = nagrania.Trwanie(rob.Adr);
            if (s >= 0) {
                const qint64 d = qint64(rob.Trw) - s;
                rob.Trw = rob.NwK = rob.FOu = qint32(s);
                if (d != 0)
                    przesunOd(lista, i + 1, ilosc, d);
            }
        }
        PoprawCzasyElemPListy(rob);
        lista[size_t(i)] = std::move(rob);
    }
}

void UsunPusteZaslepki(TablicaPlaylisty& lista, qint32& ilosc, int start, quint8 rodzaj, bool belka) {
    int i = std::max(start, 0) + 1;
    while (i <= ilosc) {
        const TElemPListy& e = lista[size_t(i)];
        if (CzyZaslepka(e, rodzaj)) {
            // In bar mode a placeholder stands for its hour's time-list block:
            // without one at that hour nothing will ever fill it.
            const bool pusta = belka ? ZnajdzGodzineTListy(e.Tyt) == 0 : e.Adr.size() < 3;
            if (pusta) {
                usunElement(lista, ilosc, i);
                continue;
            }
        }
        ++i;
    }
}

void ScalPowtorzoneElementy(TablicaPlaylisty& lista, qint32& ilosc, int start, quint8 rodzaj) {
    int i = std::max(start, 0) + 1;
    while (i < ilosc) {
        TElemPListy& a = lista[size_t(i)];
        const TElemPListy& b = lista[size_t(i + 1)];
        if (!CzyZaslepka(a, rodzaj)) {
            ++i;
            continue;
        }
        if (CzyZaslepka(b, rodzaj) && a.Tyt == b.Tyt) {
            a.Adr = QStringLiteral(" ");
            const bool jestC = i + 2 <= ilosc;
            const qint32 emiC = jestC ? lista[size_t(i + 2)].Emi : -1;
            usunElement(lista, ilosc, i + 1);
            if (emiC != -1 && a.Emi != -1) {
                const qint64 d = wDobie(qint64(emiC) - a.Emi);
                if (d != 0)
                    przesunOd(lista, i + 1, ilosc, d);
            }
            continue;  // A meets its new neighbour
        }
        a.Adr = QStringLiteral(" ");
        a.Trw = 0;
        PoprawCzasyElemPListy(a);
        if (b.Emi != -1 && a.Emi != -1) {
            const qint64 d = wDobie(qint64(b.Emi) - a.Emi);
            if (d != 0)
                przesunOd(lista, i + 1, ilosc, d);
        }
        ++i;
    }
}
