#include "console/commands/KomendyEdycji.h"

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "console/commands/PanelTimelisty.h"
#include "console/commands/PrzyciskiKonsoli.h"
#include "console/engine/EdycjaPlaylisty.h"
#include "console/engine/PanelListy.h"
#include "console/engine/ZegaryEmisji.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

#include <QHash>

#include <algorithm>

namespace {

constexpr qint32 GodzinaMs = 3'600'000;

const QString NaNagraniuInne = QStringLiteral("(na nagraniu znajdują się inne dźwięki)");

quint8 rodzaj(qint32 n) { return RodzajElemPListy(Playlista[n].Typ); }

bool glos(quint8 r) { return r == RodzajDJ_ || r == RodzajWHI; }

// The kind a recording's category names; 0 keeps the recording kind.
quint8 rodzajKategorii(const QString& kategoria) {
    static const std::pair<const char*, quint8> nazwy[] = {
        {"JNG", RodzajJNG}, {"JINGIEL", RodzajJNG}, {"DJ_", RodzajDJ_}, {"DJ", RodzajDJ_},
        {"REK", RodzajREK}, {"REKLAMA", RodzajREK}, {"WHI", RodzajWHI}, {"WHISPER", RodzajWHI},
        {"SWE", RodzajSWE}, {"SWEEPER", RodzajSWE}, {"LOP", RodzajLOP}, {"LOOP", RodzajLOP},
        {"AUD", RodzajAUD}, {"AUDYCJA", RodzajAUD}, {"PRO", RodzajPRO}, {"PROMOS", RodzajPRO},
        {"SPO", RodzajSPO}, {"SPONSOR", RodzajSPO}, {"EFE", RodzajEFE}, {"EFEKT", RodzajEFE},
    };
    const QString k = DuzeLiteryPL(kategoria.trimmed());
    for (const auto& [nazwa, r] : nazwy)
        if (k == QLatin1String(nazwa)) return r;
    return 0;
}

// "mm:ss" of the time entry in ms; -1 when cancelled.
qint32 podajCzasTrwania(const QString& tytul) {
    if (PodajCzas(tytul, QStringLiteral("99:99")) != WynikTak) return -1;
    const qint32 m = CzasWybrany.left(2).toInt();
    const qint32 s = CzasWybrany.mid(3, 2).toInt();
    return (m * 60 + s) * 1000;
}

// A text of up to 64 characters ("" typed becomes " "); false when cancelled.
bool podajTekst(const QString& zacheta, QString& tekst) {
    TekstPodany = tekst;
    if (PodajTekst(zacheta, 6400) != WynikTak) return false;
    tekst = TekstPodany.left(64);
    if (tekst.isEmpty()) tekst = QStringLiteral(" ");
    return true;
}

bool rodzajNagrania(qint32 kod) { return kod == 1 || kod == 5 || kod == 6 || (kod >= 8 && kod <= 12); }

// Keeps the next mark on the element at `n` across a change that takes it
// out and puts another in its place.
struct NastepnyNaMiejscu {
    qint32 n;
    // A change leaves every element where it was: the mark stays at its
    // place (on the changed element when that was the next one).
    qint32 mark = StanPlaylisty.DoGrania;
    ~NastepnyNaMiejscu() {
        if (mark >= 1 && mark <= StanPlaylisty.Ilosc) StanPlaylisty.DoGrania = mark;
    }
};

// While an edit waits in its dialogs (which keep the air going), the cursor
// does not follow the next mark and no manual start comes in between.
struct Edycja {
    SilnikEmisji& s;
    bool wstawienie = s.FlagaWstawienia, nastepny = s.FlagaNastepnego;
    explicit Edycja(SilnikEmisji& silnik) : s(silnik) { s.FlagaWstawienia = s.FlagaNastepnego = false; }
    ~Edycja() {
        s.FlagaWstawienia = wstawienie;
        s.FlagaNastepnego = nastepny;
    }
};

}  // namespace

void KomendyEdycji::odswiez() {
    // Every edit ends here: the next element is settled before the redraw.
    silnik_.UstalNastepny(StanPlaylisty.DoGrania, ZmianaNastepnego::Edycja);
    silnik_.Wyjscia().OdswiezPlayliste();
}

void KomendyEdycji::podswietl(int przycisk, bool wcisniety) {
    if (Podswietl) Podswietl(przycisk, wcisniety);
}

void KomendyEdycji::tryb(bool StanKonsoli::*flaga, int przycisk, const QString& status) {
    const bool wlaczony = !status.isEmpty();
    if (wlaczony)
        silnik_.Wyjscia().UstawStatus(status, KolorStatusu::Czarny);
    else
        silnik_.Wyjscia().KasujPoleStatusu();
    silnik_.Stan.*flaga = wlaczony;
    // The operator walks the cursor to the target: a start meanwhile must
    // not take it to the next mark, or the drop lands somewhere else.
    silnik_.FlagaNastepnego = !wlaczony;
    podswietl(przycisk, wlaczony);
}

bool KomendyEdycji::przedGrana(const QString& tekst) {
    if (!silnik_.KursorPrzedGranaPozycja()) return false;
    PokazInfo(tekst);
    return true;
}

bool KomendyEdycji::pelna() {
    if (!PlaylistaPelna()) return false;
    PokazBlad(QStringLiteral("Brak pamięci"),
              QStringLiteral("Dopuszczalna liczba elementów: ") + QString::number(PojemnoscPlaylisty()));
    return true;
}

bool KomendyEdycji::wybierz(Wybor& w) {
    w = Wybor{};
    if (silnik_.Stan.TrybWstawiania == 2) {
        if (!Zrodla.NagranieZBazy) {
            Log(QStringLiteral("Funkcja niedostępna: okno bazy nagrań"));
            return false;
        }
        return Zrodla.NagranieZBazy(w.Nazwa, w.Plik);
    }
    if (!Zrodla.NagranieZPrzegladarki) {
        Log(QStringLiteral("Funkcja niedostępna: okno katalogu nagrań"));
        return false;
    }
    return Zrodla.NagranieZPrzegladarki(w);
}

bool KomendyEdycji::zNagrania(const QString& nazwa, const QString& plik, quint8 r, TElemPListy& e) {
    InitElemPListy(e);
    e.Typ = r == 0 ? quint8(RodzajSND) : r;
    e.Ide = nazwa;
    e.Adr = plik;
    // A file the players cannot play never goes into the playlist; the
    // check tells the operator why (a missing file is told below).
    if (platform::fileExists(plik) && !SprawdzOdtwarzalny(plik)) {
        Log(QStringLiteral("Nie wstawiono nagrania: ") + plik);
        return false;
    }
    SygnalType s;
    s.Nazwa = nazwa;
    s.Adres = plik;
    OpisNagraniaTyp opis;
    const int wynik = OtworzSygnal(s, true, opis);
    if (wynik != 0) {
        // A file that does not open never goes into the playlist.
        PokazBladKod(wynik, QString(), plik);
        Log(QStringLiteral("Nie wstawiono nagrania: ") + plik);
        return false;
    }
    if (r == 0) {
        if (const quint8 k = rodzajKategorii(opis.Ktg)) e.Typ = k;
    }
    WypelnijElemZOpisu(e, opis, s);
    PoprawCzasyElemPListy(e);
    return true;
}

void KomendyEdycji::KomendaWstaw() {
    if (przedGrana(QStringLiteral("Nie można wstawiać elementu przed graną pozycją"))) return;
    WstawZBazy();
}

bool KomendyEdycji::wstawWolno() {
    return !przedGrana(QStringLiteral("Nie można wstawiać elementu przed graną pozycją")) && !pelna();
}

void KomendyEdycji::WstawZBazy() {
    const Edycja edycja(silnik_);
    if (pelna()) return;
    Wybor w;
    if (!wybierz(w)) return;
    if (w.Pliki.isEmpty()) {
        if (w.Nazwa.isEmpty() || !SprawdzDuplikat(w.Plik)) return;
        TElemPListy e;
        if (!zNagrania(w.Nazwa, w.Plik, 0, e)) return;
        if (RodzajElemPListy(e.Typ) == RodzajLOP) {
            const qint32 dlugosc = e.Trw / 1000;
            TekstPodany.clear();
            if (PodajTekst(QStringLiteral("Czas trwania - maksymalnie ") + QString::number(dlugosc) +
                           QStringLiteral("s ")) == WynikTak) {
                bool ok = false;
                const qint32 n = TekstPodany.trimmed().toInt(&ok);
                if (ok && n > 0) e.NwK = e.FOu = std::min(n, dlugosc) * 1000;
            }
        }
        // The air went on during the questions.
        if (!wstawWolno()) return;
        // A song with a whisper over it stays with it.
        const qint32 c = StanPlaylisty.Kursor;
        if (c >= 1 && c < StanPlaylisty.Ilosc && rodzaj(c) == RodzajSND && rodzaj(c + 1) == RodzajWHI)
            StanPlaylisty.Kursor = c + 1;
        ZapiszUndoPlaylisty(QStringLiteral("Wstaw element"));
        WstawRekordPlaylisty(silnik_, e);
    } else {
        if (!wstawWolno()) return;
        ZapiszUndoPlaylisty(QStringLiteral("Wstaw element"));
        for (qsizetype i = 0; i < w.Pliki.size(); ++i) {
            if (pelna()) break;
            TElemPListy e;
            if (zNagrania(w.Nazwy.value(i), w.Pliki[i], 0, e)) WstawRekordPlaylisty(silnik_, e);
        }
    }
    odswiez();
    LogEdycji(QStringLiteral("WSTAW"));
}

bool KomendyEdycji::zKodu(qint32 kod, bool zmiana, QList<TElemPListy>& elementy) {
    elementy.clear();
    if (rodzajNagrania(kod)) {
        Wybor w;
        if (!wybierz(w)) return false;
        if (w.Pliki.isEmpty() && !w.Nazwa.isEmpty()) {
            w.Nazwy = {w.Nazwa};
            w.Pliki = {w.Plik};
        }
        for (qsizetype i = 0; i < w.Pliki.size(); ++i) {
            TElemPListy e;
            if (!zNagrania(w.Nazwy.value(i), w.Pliki[i], quint8(kod), e)) continue;
            if (kod == RodzajDJ_ && Wgrywanie.KaczkaPoziomdB != 0) {
                e.Kac = -100 * Wgrywanie.KaczkaPoziomdB;
                e.KFI = Wgrywanie.KaczkaWejscieMS;
                e.KFO = e.Trw - Wgrywanie.KaczkaWyjscieMS;
            }
            elementy << e;
            if (zmiana) break;
        }
        return !elementy.isEmpty();
    }

    TElemPListy e;
    InitElemPListy(e);
    e.Typ = quint8(kod == 7 ? RodzajREK : kod);
    if (kod == RodzajINF || kod == RodzajBRK || kod == RodzajALR) {
        QString tekst;
        if (!podajTekst(QStringLiteral("Komunikat"), tekst)) return false;
        if (kod == RodzajINF && tekst == QLatin1String("PALETA:")) {
            // The start offers to load the named set: the title carries its file.
            const QString zestaw = Zrodla.ZestawSingli ? Zrodla.ZestawSingli() : QString();
            if (zestaw.isEmpty()) return false;
            // A path cut to the title's width would name no set when it airs.
            if (tekst.size() + zestaw.size() > FixedText<64>::width) {
                Log(QStringLiteral("Za długa ścieżka palety: ") + zestaw);
                PokazInfo(QStringLiteral("Za długa ścieżka palety (do ") +
                              QString::number(FixedText<64>::width - tekst.size()) + QStringLiteral(" znaków)"),
                          zestaw);
                return false;
            }
            tekst += zestaw;
        }
        e.Tyt = tekst;
    }
    if (kod == RodzajBRK || kod == 7) {
        qint32 ms = 0;
        if (zmiana) {
            TekstPodany.clear();
            if (PodajTekst(QStringLiteral("Czas trwania w sekundach"), 500) != WynikTak) return false;
            ms = std::max(0, TekstPodany.trimmed().toInt()) * 1000;
        } else if ((ms = podajCzasTrwania(QStringLiteral("Czas trwania (mm:ss):"))) < 0) {
            return false;
        }
        e.Trw = e.NwK = e.FOu = ms;
    }
    if (kod == 7) {
        if (PodajCzas(zmiana ? QStringLiteral("Godzinę emisji bloku reklamowego hh:mm")
                             : QStringLiteral("Godzina (hh:mm):"),
                      QStringLiteral("24:00")) != WynikTak)
            return false;
        QString tytul = QStringLiteral("Reklama o ") + CzasWybrany.left(5);
        if (Emisja.CzyNazwaLSTZPozycji) {
            TekstPodany.clear();
            if (PodajTekst(QStringLiteral("Nazwę zbioru reklam")) == WynikTak && !TekstPodany.trimmed().isEmpty())
                tytul += QLatin1Char('@') + TekstPodany.trimmed();
        }
        e.Tyt = tytul;
    }
    elementy << e;
    return true;
}

void KomendyEdycji::WstawKod() {
    const Edycja edycja(silnik_);
    if (!wstawWolno()) return;
    const qint32 kod = PodajKod();
    if (kod < 1 || kod > 12) return;
    QList<TElemPListy> elementy;
    if (!zKodu(kod, false, elementy) || !wstawWolno()) return;
    ZapiszUndoPlaylisty(QStringLiteral("Wstaw Kod"));
    for (const TElemPListy& e : elementy) {
        if (pelna()) break;
        WstawRekordPlaylisty(silnik_, e);
    }
    odswiez();
    LogEdycji(QStringLiteral("KOD"));
}

bool KomendyEdycji::usunWolno() {
    if (przedGrana(QStringLiteral("Nie można usuwać elementu przed graną pozycją"))) return false;
    const qint32 c = StanPlaylisty.Kursor;
    if (c < 1 || c > StanPlaylisty.Ilosc) return false;
    if (CzyWOdtwarzaczu(silnik_)) {
        PokazInfo(QStringLiteral("Nie można usunąć elementu - obecnie odtwarzany"));
        return false;
    }
    if (CzyNakladka(c)) {
        PokazInfo(QStringLiteral("Nie można usunąć elementu"), NaNagraniuInne);
        return false;
    }
    return true;
}

void KomendyEdycji::KomendaUsun() {
    const Edycja edycja(silnik_);
    if (!usunWolno()) return;
    if (Decyzja(QStringLiteral("Czy usunąć element z playlisty ?")) != WynikTak || !usunWolno()) return;
    ZapiszUndoPlaylisty(QStringLiteral("Usuń element"));
    UsunRekordPlaylisty(silnik_, true);
    odswiez();
    LogEdycji(QStringLiteral("USUŃ"));
}

bool KomendyEdycji::zmienWolno() {
    if (przedGrana(QStringLiteral("Nie można zmieniać elementu przed graną pozycją"))) return false;
    const qint32 c = StanPlaylisty.Kursor;
    if (c < 1 || c > StanPlaylisty.Ilosc) return false;
    if (c == 1) {
        PokazInfo(QStringLiteral("Nie można zmienić pierwszego elementu"));
        return false;
    }
    if (CzyNakladka(c)) {
        PokazInfo(QStringLiteral("Nie można zmienić elementu"), NaNagraniuInne);
        return false;
    }
    if ((silnik_.SlotZajety(1) || silnik_.SlotZajety(2)) &&
        (silnik_.MagnetofonA() == c || silnik_.MagnetofonB() == c || silnik_.MagnetofonC() == c)) {
        PokazInfo(QStringLiteral("Nie można zmienić elementu - obecnie odtwarzany"));
        return false;
    }
    return true;
}

void KomendyEdycji::KomendaZmien() {
    const Edycja edycja(silnik_);
    if (!zmienWolno()) return;
    const qint32 c = StanPlaylisty.Kursor;

    const TElemPListy stary = Playlista[c];
    quint8 r = RodzajElemPListy(stary.Typ);
    if (r == RodzajBRK && QString(stary.Tyt).startsWith(QStringLiteral("DJ"))) r = RodzajDJ_;
    TElemPListy nowy;
    switch (r) {
    case RodzajSND: case RodzajDJ_: case RodzajJNG: case RodzajPRO: case RodzajAUD: case RodzajSWE: case RodzajEFE: {
        Wybor w;
        if (!wybierz(w)) return;
        const QString nazwa = w.Pliki.isEmpty() ? w.Nazwa : w.Nazwy.value(0);
        const QString plik = w.Pliki.isEmpty() ? w.Plik : w.Pliki[0];
        if (nazwa.isEmpty() || !zNagrania(nazwa, plik, RodzajElemPListy(stary.Typ), nowy)) return;
        if (r == RodzajPRO) nowy.Tyt = stary.Tyt;
        if (Decyzja(QStringLiteral("Czy zamienić nagranie?"), stary.Ide + QStringLiteral(" na ") + nowy.Ide) != WynikTak)
            return;
        break;
    }
    case RodzajINF:
    case RodzajALR: {
        const bool inf = r == RodzajINF;
        QString tekst = stary.Tyt;
        if (!podajTekst(inf ? QStringLiteral("Tekst informacji") : QStringLiteral("Tekst alarmu"), tekst)) return;
        nowy = stary;
        nowy.Tyt = tekst;
        if (Decyzja(inf ? QStringLiteral("Czy zmienić tekst informacji?") : QStringLiteral("Czy zmienić tekst alarmu?")) !=
            WynikTak)
            return;
        break;
    }
    case RodzajBRK: {
        const qint32 kod = PodajKod();
        QList<TElemPListy> elementy;
        if (kod < 1 || kod > 12 || !zKodu(kod, true, elementy)) return;
        nowy = elementy.first();
        break;
    }
    default:
        return;
    }

    // The air went on during the questions: the element must still be there and free.
    if (!zmienWolno()) return;
    if (StanPlaylisty.Kursor != c || Playlista[c].Ide != stary.Ide || QString(Playlista[c].Adr) != QString(stary.Adr))
        return;
    ZapiszUndoPlaylisty(QStringLiteral("Zmień element"));
    // The audible starts coincide.
    nowy.Emi = qint32(((qint64(stary.Emi) + stary.NwP - nowy.NwP) % DobaMs + DobaMs) % DobaMs);
    {
        const NastepnyNaMiejscu nastepny{c};
        UsunRekordPlaylisty(silnik_, true);
        // Out of the last place the cursor stays on the count, which is c - 1 as well.
        StanPlaylisty.Kursor = c - 1;
        WstawRekordPlaylisty(silnik_, nowy);
    }
    odswiez();
    LogEdycji(QStringLiteral("ZMIEŃ"));
}

bool KomendyEdycji::ustawWolno() {
    if (StanPlaylisty.Ilosc < 1) return false;
    if (!silnik_.SlotZajety(1) && !silnik_.SlotZajety(2)) return true;
    PokazInfo(QStringLiteral("Nie można ustawić godziny emisji playlisty"),
              QStringLiteral("(obecnie odtwarzana pozycja z playlisty)"));
    return false;
}

void KomendyEdycji::UstawGodzinePlaylisty() {
    const Edycja edycja(silnik_);
    if (!ustawWolno()) return;
    qint32 sekundy = std::max(0, Playlista[1].Emi) / 1000;
    if (!PodajCzasHMS(QStringLiteral("Godzinę rozpoczęcia playlisty (gg:mm:ss) "), QString(), sekundy) || !ustawWolno())
        return;
    const qint32 ilosc = StanPlaylisty.Ilosc;
    ZapiszUndoPlaylisty(QStringLiteral("Ustaw playlistę"));
    const qint64 d = qint64(sekundy) * 1000 - std::max(0, Playlista[1].Emi);
    for (qint32 i = 1; i <= ilosc; ++i) {
        qint32& emi = Playlista[i].Emi;
        // An element without a time keeps none.
        if (emi >= 0) emi = qint32(((qint64(emi) + DobaMs + d) % DobaMs + DobaMs) % DobaMs);
    }
    odswiez();
    LogEdycji(QStringLiteral("USTAW"));
}

void KomendyEdycji::CofnijOperacje() {
    if (!UndoJest) return;
    const Edycja edycja(silnik_);
    // Asked before the marks are read: the air goes on while the question
    // is open, and what starts meanwhile has gone by too.
    if (Decyzja(QStringLiteral("Ostatnia operacja:  ") + UndoOperacja, QStringLiteral("Czy przywrócić playlistę?"), 2) !=
        WynikTak)
        return;
    // Automat may have moved on since the snapshot: the next mark stays on
    // the element it points at now, so nothing that played plays again.
    // Elements are known by identity: a day's list repeats songs, and
    // another copy of a song that aired must not pass for it.
    const qint32 n = StanPlaylisty.DoGrania;
    const bool nastepny = n >= 1 && n <= StanPlaylisty.Ilosc;
    const quint64 ten = nastepny ? Playlista[n].Tozsamosc.Numer : 0;
    // What the engine marked on the elements since, and whether each has
    // gone by: before the mark now, aired, or on a deck.
    struct StanEmisji {
        quint8 zagrany;
        qint32 wznow;
        quint8 brak;
        bool minal;
    };
    QHash<quint64, StanEmisji> teraz;
    for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i) {
        const TElemPListy& e = Playlista[i];
        if (e.Tozsamosc.Numer == 0) continue;  // added since the snapshot
        bool naDeku = false;
        for (quint8 s = 1; s <= 3; ++s)
            naDeku = naDeku || (silnik_.SlotZajety(s) && silnik_.Odtwarzacz[s].Element == i);
        const quint8 zagrany = e.Typ & TypZagrany;
        teraz.insert(e.Tozsamosc.Numer, {zagrany, e.Wznow, e.BrakZbioru, (nastepny && i < n) || zagrany || naDeku});
    }
    if (!PrzywrocUndoPlaylisty(false)) return;
    const qint32 ilosc = StanPlaylisty.Ilosc;
    for (qint32 i = 1; i <= ilosc; ++i) {
        TElemPListy& e = Playlista[i];
        const auto t = teraz.constFind(e.Tozsamosc.Numer);
        if (t == teraz.cend()) continue;
        e.Typ |= t->zagrany;
        e.Wznow = t->wznow;
        e.BrakZbioru = t->brak;
    }
    const auto minal = [&](qint32 i) { return teraz.value(Playlista[i].Tozsamosc.Numer).minal; };
    const qint32 znaleziony = ElementOTozsamosci(ten);
    qint32& g = StanPlaylisty.DoGrania;
    if (znaleziony != 0 && g >= 1 && znaleziony < g) {
        // The mark's element itself may be on a deck now (the list had run
        // out under it): what had gone by is passed as below.
        g = znaleziony;
        while (g <= ilosc && minal(g)) ++g;
        if (g > ilosc) g = 0;
    } else if (g >= 1 || znaleziony != 0) {
        if (g < 1) g = 1;
        const qint32 do_ = znaleziony != 0 ? znaleziony : ilosc + 1;
        // Elements the undo brings back before some that have gone by since
        // (a deleted song restored ahead of the one that aired in its place)
        // go after the last of those, as a move would put them: played in
        // order, each comes once and nothing that aired comes again.
        qint32 ostatni = 0;
        for (qint32 i = g; i < do_ && i <= ilosc; ++i)
            if (minal(i)) ostatni = i;
        qint32 przestawione = 0;
        const qint32 kursor = StanPlaylisty.Kursor;
        for (qint32 i = g; i < ostatni;) {
            if (minal(i)) {
                ++i;
                continue;
            }
            TElemPListy e = Playlista[i];
            e.Emi = 0;  // timed again from its new predecessor
            StanPlaylisty.Kursor = i;
            UsunRekordPlaylisty(silnik_, true);
            --ostatni;
            StanPlaylisty.Kursor = ostatni + przestawione;
            WstawRekordPlaylisty(silnik_, e);
            ++przestawione;
        }
        if (przestawione > 0) {
            StanPlaylisty.Kursor = kursor;
            g = ostatni + 1;
        }
        while (g < do_ && g <= ilosc && minal(g)) ++g;
        if (g > ilosc) g = 0;
    }
    odswiez();
    LogEdycji(QStringLiteral("UNDO"));
}

void KomendyEdycji::PrzelaczTrybCzasu() {
    bool& tryb = silnik_.Stan.KorektaCzasuJest;
    tryb = !tryb;
    podswietl(PAktualizacja, tryb);
    if (!tryb) odswiez();
}

void KomendyEdycji::KursorNaGodzine(int godzina) {
    const qint64 od = qint64(godzina) * GodzinaMs;
    const qint64 do_ = od + 59 * 60'000;
    for (qint32 n = 1; n <= StanPlaylisty.Ilosc; ++n) {
        const qint32 emi = Playlista[n].Emi;
        if (emi >= od && emi < do_) {
            StanPlaylisty.Kursor = n;
            odswiez();
            return;
        }
    }
}

void KomendyEdycji::KursorNaTeraz(qint64 terazMS) {
    if (::KursorNaTeraz(terazMS)) odswiez();
}

void KomendyEdycji::EdytujOpisNagrania() {
    const Edycja edycja(silnik_);
    const qint32 c = StanPlaylisty.Kursor;
    if (c < 1 || c > StanPlaylisty.Ilosc) return;
    TElemPListy& e = Playlista[c];
    const QString adres = e.Adr;
    if (adres.trimmed().isEmpty() || CzasTrwaniaPliku(adres) <= 0) {
        PokazInfo(QStringLiteral("Nie ma nagrania"), adres);
        return;
    }
    if (!Zrodla.EdytujOpis) {
        Log(QStringLiteral("Funkcja niedostępna: edytor opisu nagrania"));
        return;
    }
    SygnalType s;
    s.Nazwa = e.Ide;
    s.Adres = adres;
    OtworzSygnal(s, true);
    Zrodla.EdytujOpis(s);
    // The editor may have run for a while: the element is found again by its file.
    if (c <= StanPlaylisty.Ilosc && QString(Playlista[c].Adr) == adres) {
        Playlista[c].Tyt = OpisNagrania.Tyt;
        Playlista[c].Wyk = OpisNagrania.Wyk;
    }
    odswiez();
}

// ---- move mode ----

void KomendyEdycji::RozpocznijPrzesuwanie() {
    StanKonsoli& st = silnik_.Stan;
    const qint32 c = StanPlaylisty.Kursor;
    if (st.TrybBloku || st.TrybPrzesuwania || c < 1 || c > StanPlaylisty.Ilosc) return;
    const quint8 r = rodzaj(c);
    if (glos(r)) {
        PokazInfo(QStringLiteral("Nie można przesunąć elementu"), QStringLiteral("(należy usunąć i wstawić ponownie)"));
        return;
    }
    if (r == RodzajREK) {
        PokazInfo(QStringLiteral("Nie można przesunąć reklamy"));
        return;
    }
    if (CzyNakladka(c)) {
        PokazInfo(QStringLiteral("Nie można przesunąć elementu"), NaNagraniuInne);
        return;
    }
    // What is on air, or before it, stays where it is.
    if (CzyWOdtwarzaczu(silnik_)) {
        PokazInfo(QStringLiteral("Nie można przesunąć elementu - obecnie odtwarzany"));
        return;
    }
    if (przedGrana(QStringLiteral("Nie można przesuwać elementu przed graną pozycją"))) return;
    zrodlo_ = c;
    zrodloIde_ = Playlista[c].Ide;
    tryb(&StanKonsoli::TrybPrzesuwania, PPrzesun, QStringLiteral("Przesuwanie elementu"));
}

void KomendyEdycji::ZakonczPrzesuwanie() { tryb(&StanKonsoli::TrybPrzesuwania, PPrzesun, QString()); }

void KomendyEdycji::PrzesunElement(bool pytaj) {
    const qint32 t = StanPlaylisty.Kursor;
    const qint32 s = zrodlo_;
    if (t < 1 || t > StanPlaylisty.Ilosc) return;
    if (t == 1) {
        PokazInfo(QStringLiteral("Nie można zmienić pierwszego elementu"));
        return;
    }
    if (glos(rodzaj(t))) {
        PokazInfo(QStringLiteral("Nie można przesunąć na tę pozycję"));
        return;
    }
    if (przedGrana(QStringLiteral("Nie można wstawiać elementu przed graną pozycją"))) return;
    {
        const Edycja edycja(silnik_);
        const bool tak = !pytaj || Decyzja(QStringLiteral("Czy przesunąć element?")) == WynikTak;
        if (tak && przedGrana(QStringLiteral("Nie można wstawiać elementu przed graną pozycją"))) return;
        // Meanwhile the source may have gone on air or another edit moved it.
        const bool naMiejscu = s >= 1 && s <= StanPlaylisty.Ilosc && Playlista[s].Ide == zrodloIde_;
        bool naDeku = false;
        for (quint8 slot = 1; slot <= 3; ++slot)
            naDeku = naDeku || (silnik_.SlotZajety(slot) && silnik_.Odtwarzacz[slot].Element == s);
        if (tak && t != s && naMiejscu && !naDeku) {
            ZapiszUndoPlaylisty(QStringLiteral("Przesuń element"));
            PrzesunRekordPlaylisty(silnik_, s, t);
            odswiez();
            LogEdycji(QStringLiteral("PRZESUŃ"));
        } else if (tak && t != s) {
            PokazInfo(QStringLiteral("Nie można przesunąć elementu - obecnie odtwarzany"));
        }
    }
    // Only after the guard has put its flags back: leaving the mode lets the
    // cursor follow the next mark again.
    ZakonczPrzesuwanie();
}

// ---- block mode ----

void KomendyEdycji::RozpocznijBlok() {
    StanKonsoli& st = silnik_.Stan;
    if (st.TrybPrzesuwania || st.TrybBloku || StanPlaylisty.Ilosc < 1) return;
    if (silnik_.SlotZajety(1) || silnik_.SlotZajety(2)) return;
    BlokPoczatek = StanPlaylisty.Kursor;
    tryb(&StanKonsoli::TrybBloku, PBlok, QStringLiteral("Zaznaczanie bloku"));
}

void KomendyEdycji::ZakonczBlok() { tryb(&StanKonsoli::TrybBloku, PBlok, QString()); }

void KomendyEdycji::UsunPozaBlokiem(bool pytaj) {
    usunPozaBlokiem(pytaj);
    ZakonczBlok();
}

void KomendyEdycji::usunPozaBlokiem(bool pytaj) {
    const Edycja edycja(silnik_);
    const bool tak = !pytaj || Decyzja(QStringLiteral("Czy usunąć pozycje poza blokiem?")) == WynikTak;
    if (tak) {
        BlokKoniec = StanPlaylisty.Kursor;
        if (BlokKoniec != BlokPoczatek) {
            // A deck may have started while the block was marked.
            if (silnik_.SlotZajety(1) || silnik_.SlotZajety(2) || silnik_.SlotZajety(3)) {
                PokazInfo(QStringLiteral("Nie można usunąć pozycji poza blokiem"),
                          QStringLiteral("(obecnie odtwarzana pozycja z playlisty)"));
            } else {
                ZapiszUndoPlaylisty(QStringLiteral("Usuń elementy poza blokiem"));
                const qint32 od = std::min(BlokPoczatek, BlokKoniec);
                const qint32 do_ = std::max(BlokPoczatek, BlokKoniec);
                StanMaksimum = float(StanPlaylisty.Ilosc - do_ + od);
                PokazStan(QStringLiteral("Usuwanie pozycji poza blokiem"), QString(), true);
                ZostawZakresPlaylisty(silnik_, od, do_);
                UstawStan(StanMaksimum);
                ZamknijStan();
                odswiez();
                Log(QStringLiteral("USUŃ POZA BLOKIEM    Zakończenie playlisty o ") + KoniecPlaylisty(0));
            }
        }
    }
}

bool KomendyEdycji::Potwierdz() {
    if (silnik_.Stan.TrybPrzesuwania) {
        PrzesunElement(true);
        return true;
    }
    if (silnik_.Stan.TrybBloku) {
        UsunPozaBlokiem(true);
        return true;
    }
    return false;
}

void KomendyEdycji::Wyjdz() {
    if (silnik_.Stan.TrybPrzesuwania) ZakonczPrzesuwanie();
    if (silnik_.Stan.TrybBloku) ZakonczBlok();
}
