// The end of an element's emission: what it leaves behind (resume point,
// played mark, play count, history line, XML event) and the slot's reset.
#include "console/engine/ZakonczenieEmisji.h"

#include <algorithm>

#include "audio/OdtwarzaczeSlotow.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/KestSter2.h"
#include "foundation/Zdarzenie.h"
#include "library/DBazaNastawy.h"
#include "platform/Clock.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

QString SlowoStopu(quint8 powod) {
    static const char* const slowa[9] = {"PROG ", "MYSZ ", "KLAW ", "FADE ", "STOL ",
                                         "SATL ", "SPLM ", "SVTM ", "SRLM "};
    return powod < 9 ? QString::fromLatin1(slowa[powod]) : QString();
}

quint8 InnyOdtwarzacz(quint8 slot) { return slot == 1 ? 2 : 1; }

namespace {

bool wLiscie(qint32 n) { return n >= 1 && n <= StanPlaylisty.Ilosc; }

PolaHistorii polaRekordu(const MIXMagnetType& r) {
    PolaHistorii p;
    p.Tyt = r.Tyt;
    p.Pta = r.Pta;
    p.Wyk = r.Wyk;
    p.Sol = r.Sol;
    p.Kom = r.Kom;
    p.Atr = r.Atr;
    p.Pro = r.Pro;
    p.Wyd = r.Wyd;
    p.Rok = r.Rok;
    p.Gen = r.Gen;
    p.Typ = r.Typ;
    p.Era = r.Era;
    p.Nar = r.Nar;
    p.KodRodzaju = r.KodRodzaju;
    p.Jak = r.Jak;
    p.Nas = r.Nas;
    p.Tmc = r.Tmc;
    return p;
}

// The playlist element is the one the record plays: same file, same air time.
bool tenSamElement(const MIXMagnetType& r, const TElemPListy& e) {
    if (QString(e.Adr) != r.SygnalSlotu.Adres || e.Emi != r.Emi) return false;
    return r.SygnalSlotu.Nazwa == NazwaPustegoSygnalu || e.Ide == r.SygnalSlotu.Nazwa;
}

}  // namespace

void SilnikEmisji::KoniecEmisji(quint8 slot, quint8 powod) {
    if (slot < 1 || slot > LiczbaOdtwarzaczy) return;
    MIXMagnetType& r = Odtwarzacz[slot];
    // Taken now: the played mark clears the record's number below.
    const qint32 element = r.Element;
    const bool zPlaylisty = r.ZPlaylisty || element != 0;
    const quint8 rodzaj = r.RodzajElementu;
    const bool pusty = SlotPusty(r);

    // The last measure of how far it went. The deck refresh runs only every
    // 100 ms, so without this an element played to its end would be
    // written as 99 %. The player still holds the file here.
    if (!pusty && odtwarzacze_.OdtwarzaczIstnieje(slot)) {
        try {
            if (!odtwarzacze_.PlikOdtwarzacza(slot).isEmpty()) {
                const qint64 p = odtwarzacze_.PozycjaOdtwarzacza(slot);
                const qint64 z = p - (qint64(r.NwP) - r.Emi);
                r.Pozostalo = qint32(qint64(r.NwK) - r.Emi - p);
                r.DlugoscElementu = qint32(qMax<qint64>(r.DlugoscElementu, qint64(r.NwK) - r.NwP));
                r.Zagrano = qint32(qMax<qint64>(r.Zagrano, z));
                if (r.DlugoscElementu > 0)
                    r.Udzial = qMax<qint32>(r.Udzial, qint32(qMin<qint64>(1000, qMax<qint64>(0, z) * 1000 / r.DlugoscElementu)));
            }
        } catch (const std::exception&) {
            // A player that cannot say keeps what the deck refresh saw.
        }
    }

    // 1. How far it went; a resume point for anything played at all.
    const int procent = ProcentOdegrania(r.Udzial);
    if (procent != 0) ZapiszWznowienie(slot);

    // 2. Criteria.
    const OcenaOdegrania ocena = OcenOdegranie(procent, r.Zagrano, r.DecyzjaGPIStartu, r.Wyk);

    // 3.
    ZatrzymajSlot(slot, powod);

    // 4, 5. Category and the history text. The day is the element's own
    // start date, so an element that crosses midnight stays in its day.
    const QDate dzien = DataZTekstu(r.DataStartu, platform::clock().date());
    const bool doHistorii = KategoriaDoHistorii(rodzaj, zPlaylisty);
    const QString tekst = doHistorii ? TekstHistorii(procent, r.DlugoscElementu, polaRekordu(r),
                                                     Emisja.HSTPelneInfoJest, TekstDniaHistorii(dzien))
                                     : QString();
    // 6.
    ZapalPlikiZnacznikow(slot, 0);

    // 7.
    if (ocena.Zagrany) OznaczZagrany(slot);

    // 8.
    const bool liczy = ocena.Zagrany && ocena.Dlugi;
    if (liczy && !pusty && BazaNagran.BazaLicznikJest && BazaNagran.BazaLicznikDodaj)
        BazaDodajOdegranie(r.SygnalSlotu.Adres, dzien.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
                                                    QString(r.CzasStartu));

    // 9, 10. History line and XML event.
    if (Emisja.CzyHST && liczy && doHistorii && !r.HSTZapisany && !pusty) {
        Historia.DopiszLinie(dzien, r.CzasStartu, r.SygnalSlotu.Adres, tekst);
        r.HSTZapisany = 1;
        if (Emisja.CzyHSTXML) {
            const QString id = IdentyfikatorMediow(r.MID, r.SygnalSlotu.Adres);
            if (PoprawnyIdentyfikatorMediow(id)) {
                ZdarzenieXML z;
                z.Piosenka = rodzaj == RodzajSND;
                z.DataEmisji = dzien.toString(QStringLiteral("yyyy-MM-dd"));
                z.CzasEmisji = r.CzasStartu;
                z.CzasTrwania = CzasTrwaniaZdarzenia(r.DlugoscElementu, r.Udzial);
                z.Identyfikator = id;
                Historia.DopiszZdarzenie(dzien, z);
            } else {
                Log(QStringLiteral("XML: identyfikator \"") + id + QStringLiteral("\" niepoprawny, zdarzenie ") +
                    QString(r.CzasStartu) + QStringLiteral(" pominięte"));
            }
        }
    }

    // 11.
    if (!(slot == SlotEmisjiTeraz && Stan.PauzaJest)) wyjscia_->OdswiezPlayliste();

    // 12.
    const bool wolne12 = !Stan.OdtwarzaczZajety[1] && !Stan.OdtwarzaczZajety[2];
    if (wolne12 && !Stan.TrybAutomat && !SemiAutomatJest) StartZeStolu = false;

    // 13. The satellite comes back in, unless the next element simply
    // follows the ended one with the same kind.
    if (SatWlaczony && wolne12) {
        const qint32 n = StanPlaylisty.DoGrania;
        const bool sasiedni = element > 0 && wLiscie(n) && RodzajElemPListy(Playlista[n].Typ) == rodzaj &&
                              n - element <= 1;
        if (!sasiedni) SatWejscieStart = true;
    }

    // 14. Ended now: the next tick must not see a fresh stop and end it again.
    Stan.OdtwarzaczZajety[slot] = 0;
    SlotGra[slot] = 0;
    SlotGralo[slot] = 0;
    ZerujOdtwarzacz(slot);
    KasujZdarzenie();
}

void SilnikEmisji::ZatrzymajSlot(quint8 slot, quint8 powod) {
    if (slot < 1 || slot > LiczbaOdtwarzaczy || !odtwarzacze_.OdtwarzaczIstnieje(slot)) return;
    MIXMagnetType& r = Odtwarzacz[slot];
    try {
        odtwarzacze_.ZatrzymajOdtwarzacz(slot);
        odtwarzacze_.OtworzPlikOdtwarzacza(slot, QString());
    } catch (const std::exception& e) {
        // The element still ends; a player that cannot stop is re-created at the next start.
        Log(QStringLiteral("Błąd zatrzymania odtwarzacza ") + QString::number(slot) + QStringLiteral(": ") +
            QString::fromUtf8(e.what()));
    }
    r.FadeZadanie = 0;
    r.FadeTrwa = 0;
    if (Stan.OdtwarzaczZajety[slot] && slot <= 3) wyjscia_->WyslijStanOdtwarzacza(slot, QStringLiteral("STOP"));
    Stan.OdtwarzaczZajety[slot] = 0;
    Log(FlagiLogu() + SlowoStopu(powod) + QStringLiteral("STOP  ") + QString::number(slot) + QLatin1Char(' ') +
        r.SygnalSlotu.Nazwa);
}

void SilnikEmisji::ZapiszWznowienie(quint8 slot) {
    const MIXMagnetType& r = Odtwarzacz[slot];
    if (wLiscie(r.Element)) Playlista[r.Element].Wznow = PunktWznowienia(r.Pozostalo, r.Zagrano);
}

void SilnikEmisji::OznaczZagrany(quint8 slot) {
    MIXMagnetType& r = Odtwarzacz[slot];
    if (wLiscie(r.Element)) Playlista[r.Element].Typ |= TypZagrany;
    r.Element = 0;
}

void SilnikEmisji::ZapalPlikiZnacznikow(quint8 slot, quint8 flaga) {
    MIXMagnetType& r = Odtwarzacz[slot];
    if (r.Znaczniki == Odtwarzacz[InnyOdtwarzacz(slot)].Znaczniki) return;
    r.Znaczniki = wyjscia_->ZapalPlikiZnacznikow(slot, r.Znaczniki, flaga);
}

void SilnikEmisji::OtworzPlikiHistorii() { Historia.OtworzPlikiHistorii(platform::clock().date()); }

void SilnikEmisji::PrzemapujElementyOdtwarzaczy() {
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) PrzemapujOdtwarzacz(s);
}

void SilnikEmisji::PrzemapujOdtwarzacz(quint8 s) {
    MIXMagnetType& r = Odtwarzacz[s];
    if (r.Element == 0) return;
    if (wLiscie(r.Element) && tenSamElement(r, Playlista[r.Element])) return;
    qint32 znaleziony = 0;
    for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i) {
        if (!tenSamElement(r, Playlista[i])) continue;
        if (znaleziony != 0) {  // twice in the list: no telling which
            znaleziony = 0;
            break;
        }
        znaleziony = i;
    }
    r.Element = znaleziony;
}

void SilnikEmisji::PodlaczNumeryUndo(bool podlacz) {
    if (!podlacz) {
        UstawNumeryGraczyUndo({});
        return;
    }
    NumeryGraczyUndo n;
    n.pobierz = [this] {
        QList<qint32> numery;
        for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) numery << Odtwarzacz[s].Element;
        return numery;
    };
    // A number given is the record's own element, found by identity or by
    // the mix write's renumbering: its air time may have moved since the
    // start, so it is not checked by file and time; the others are.
    n.ustaw = [this](const QList<qint32>& numery) {
        for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) {
            if (Odtwarzacz[s].Element == 0) continue;
            if (s <= numery.size() && numery[s - 1] != 0) Odtwarzacz[s].Element = numery[s - 1];
            else PrzemapujOdtwarzacz(s);
        }
    };
    UstawNumeryGraczyUndo(std::move(n));
}

// ------------------------------------------------------------------ fade-outs

qint32 KrokFade(qint32 poziomStop, qint32 czasStop, qint32 interwal) {
    const qint32 poziom = std::abs(poziomStop);
    qint32 krok = (interwal > 0 && czasStop >= interwal) ? std::abs(poziom / (czasStop / interwal)) : poziom;
    if (krok == 0 && poziom > 0) krok = 1;
    return krok;
}

qint32 PoziomKoncaFade(qint32 poziomStop) { return -std::clamp(poziomStop, 0, 10'000); }

void SilnikEmisji::ZadanieFade(quint8 slot) {
    if (slot >= 1 && slot <= LiczbaOdtwarzaczy && Stan.OdtwarzaczZajety[slot]) Odtwarzacz[slot].FadeZadanie = 1;
    KasujZdarzenie();
}

void SilnikEmisji::SilnikFade() {
    // Only the two decks fade; a request on another slot is never served.
    for (quint8 s = 1; s <= 2; ++s) {
        MIXMagnetType& r = Odtwarzacz[s];
        if (!r.FadeZadanie) continue;
        if (Stan.OdtwarzaczZajety[s] && !r.FadeTrwa) {
            // From 0: the loop adds the envelope, trims and ducking on top,
            // so starting from the player's volume would count them twice.
            r.FadePoziom = 0;
            r.FadeKrok = KrokFade(Emisja.PoziomStop, Emisja.CzasStop, InterwalTimer1);
            r.FadeTrwa = 1;
        }
        r.FadeZadanie = 0;
        wyjscia_->WyslijStanOdtwarzacza(s, QStringLiteral("FADE"));
    }
    const qint32 koniec = PoziomKoncaFade(Emisja.PoziomStop);
    for (quint8 s = 1; s <= 2; ++s) {
        MIXMagnetType& r = Odtwarzacz[s];
        if (!r.FadeTrwa) continue;
        if (r.FadePoziom > koniec) {
            r.FadePoziom = std::clamp(r.FadePoziom - r.FadeKrok, -10'000, 0);
        } else {
            KoniecEmisji(s, PowodFade);
            r.FadeTrwa = 0;
        }
    }
}
