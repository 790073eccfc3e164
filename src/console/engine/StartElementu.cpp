// Cueing and starting playlist elements on the player slots.
#include "console/engine/SilnikEmisji.h"

#include <QFile>

#include <algorithm>
#include <atomic>

#include "audio/OpisNagrania.h"
#include "audio/OdtwarzaczeSlotow.h"
#include "audio/Sygnaly2.h"
#include "audio/cbDSMixer.h"
#include "console/engine/PozycjeListy.h"
#include "console/engine/SerwisyEmisji.h"
#include "console/engine/TrybyEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "foundation/Zdarzenie.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "playlists/D_Crossfade.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

namespace {

using namespace pozycje;

QString bezSrednikow(const QString& t) {
    QString w = t;
    w.replace(QLatin1Char(';'), QLatin1Char(':'));
    return w;
}

// Where in its file an element starts: its resume point for a start from
// there, else its new start.
qint32 startWPliku(const TElemPListy& w, quint8 zrodlo) {
    if (zrodlo == ZrodloUndo && w.Wznow > 0 && w.Wznow < w.Trw - 1000)
        return w.Wznow;
    return qMax(0, w.NwP);
}

// The planned time of day of an element's start, for the START and DO
// GRANIA lines: its air time and start point, moved by the air's present
// deviation from the plan. A work element (a time-list entry played now) is
// timed by the clock already, so the deviation would count twice; one with
// no air time (a single) is planned for the moment it starts; "" when none.
QString planowanyStart(const TElemPListy& e, bool roboczy, qint32 przesuniecie, bool start) {
    if (e.Emi < 0)
        return start ? PiszCzas(6, modDoby(platform::clock().msOfDay())) : QStringLiteral("--:--:--.---");
    return PiszCzas(6, modDoby(qint64(e.Emi) + e.NwP + (roboczy ? 0 : przesuniecie)));
}

}  // namespace

// An element opened, positioned and decoded ahead by the read-ahead thread;
// what it found is read once `gotowe` says it is done.
struct PrzygotowanyStart {
    qint32 numer = 0;
    QString adres;
    QString ide;
    qint32 startMs = 0;    // asked for; -1: the file's own start marker
    qint32 odMs = 0;       // where it was positioned (set before `gotowe`)
    std::atomic<bool> gotowe{false};
    int wynikSygnalu = 0;
    QString pusty;         // why an unreadable header is: a file of no bytes
    bool jest = false;     // a regular file stands there
    qint32 dlugoscMs = 0;  // as the header says
    SygnalType sygnal;
    OpisNagraniaTyp opis;
    std::shared_ptr<TPreparedFile> plik;
    QString blad;
};

namespace {

// Opens, positions and decodes ahead on the calling worker.
void przygotujNaWatku(PrzygotowanyStart& p) {
    PustySygnal(p.sygnal);
    p.sygnal.Nazwa = p.ide;
    p.sygnal.Adres = p.adres;
    p.wynikSygnalu = OtworzSygnal(p.sygnal, true, p.opis);
    p.jest = platform::fileExists(p.adres);
    p.dlugoscMs = p.jest ? DlugoscSygnaluMs(p.sygnal) : 0;
    if (p.wynikSygnalu != 0) {
        p.blad = QStringLiteral("nagłówek nieczytelny");
        if (p.jest)
            p.pusty = PowodPustegoZbioru(p.adres);
    } else {
        try {
            p.odMs = p.startMs >= 0 ? p.startMs : qMax(0, p.sygnal.NwP);
            p.plik = PrepareAudioFile(p.adres, p.odMs);
        } catch (const std::exception& ex) {
            p.blad = QString::fromUtf8(ex.what());
        } catch (...) {
            p.blad = QStringLiteral("nieznany błąd");
        }
    }
    p.gotowe.store(true, std::memory_order_release);
}

// Why a prepared element cannot play, as its start would say; "" when it can.
QString powodPrzygotowania(const PrzygotowanyStart& p) {
    if (p.wynikSygnalu != 0)
        return !p.pusty.isEmpty() ? p.pusty : QStringLiteral("nagłówek nieczytelny (błąd %1)").arg(p.wynikSygnalu);
    if (p.blad.isEmpty())
        return {};
    const QString naglowek = PowodNieodtwarzalnosciNaglowka(p.sygnal, 0);
    return naglowek.isEmpty() ? p.blad : naglowek + QStringLiteral(" (") + p.blad + QLatin1Char(')');
}

}  // namespace

void SilnikEmisji::Przygotuj(qint32 numer, qint32 startMs) {
    if (!wLiscie(numer) || !RodzajDzwiekowy(RodzajElemPListy(Playlista[numer].Typ)))
        return;
    const TElemPListy& e = Playlista[numer];
    Przygotuj(numer, e.Adr, e.Ide, startMs);
}

std::shared_ptr<PrzygotowanyStart> SilnikEmisji::Przygotuj(qint32 numer, const QString& adres, const QString& ide,
                                                           qint32 startMs) {
    // The singles of the wall have a list and a thread of their own: a
    // palette read from a slow share never delays the next element.
    const bool singiel = numer == 0 && startMs < 0;
    {
        std::lock_guard blokada(przygotowaniaMutex_);
        for (const auto& p : singiel ? przygotowaniaSingli_ : przygotowania_)
            if (p->numer == numer && p->startMs == startMs && p->adres == adres && p->ide == ide)
                return p;
    }
    auto p = std::make_shared<PrzygotowanyStart>();
    p->numer = numer;
    p->adres = adres;
    p->ide = ide;
    p->startMs = startMs;
    {
        std::lock_guard blokada(przygotowaniaMutex_);
        auto& lista = singiel ? przygotowaniaSingli_ : przygotowania_;
        lista.push_back(p);
        // The next element, the one after, the time list's next two
        // entries, and a start from elsewhere; the singles of one palette.
        if (lista.size() > (singiel ? size_t(MaksPrzygotowanychSingli) : 6u))
            lista.erase(lista.begin());
    }
    (singiel ? odczytSingli_ : odczytWprzod_).post([p] { przygotujNaWatku(*p); });
    return p;
}

std::shared_ptr<PrzygotowanyStart> PrzygotujStart(qint32 numer, const QString& adres, const QString& ide,
                                                  qint32 startMs) {
    auto p = std::make_shared<PrzygotowanyStart>();
    p->numer = numer;
    p->adres = adres;
    p->ide = ide;
    p->startMs = startMs;
    przygotujNaWatku(*p);
    return p;
}

void SilnikEmisji::PrzyjmijPrzygotowany(const std::shared_ptr<PrzygotowanyStart>& p) {
    if (!p || !p->gotowe.load(std::memory_order_acquire))
        return;
    // Found where it stands in the list now: what went on air with it may
    // have put elements before it.
    qint32 n = 0;
    for (qint32 i = 1; i <= StanPlaylisty.Ilosc && n == 0; ++i)
        if (Playlista[i].Adr == p->adres && Playlista[i].Ide == p->ide)
            n = i;
    if (n == 0)
        return;
    p->numer = n;
    std::lock_guard blokada(przygotowaniaMutex_);
    for (const auto& q : przygotowania_)
        if (q->numer == n && q->startMs == p->startMs && q->adres == p->adres && q->ide == p->ide)
            return;
    przygotowania_.push_back(p);
    if (przygotowania_.size() > 6u)
        przygotowania_.erase(przygotowania_.begin());
}

std::shared_ptr<PrzygotowanyStart> SilnikEmisji::Przygotowany(qint32 numer, const QString& adres, qint32 startMs,
                                                             const QString* ideRobocze) {
    // The element as it stands now: the same place may hold another one.
    const QString ide = ideRobocze ? *ideRobocze : wLiscie(numer) ? QString(Playlista[numer].Ide) : QString();
    std::lock_guard blokada(przygotowaniaMutex_);
    for (const auto& p : przygotowania_)
        if (p->numer == numer && p->startMs == startMs && p->adres == adres && p->ide == ide)
            return p;
    // A single starts at its file's own start marker, known once it is read.
    if (numer == 0)
        for (const auto& p : przygotowaniaSingli_)
            if (p->adres == adres && p->ide == ide && p->gotowe.load(std::memory_order_acquire) && p->odMs == startMs)
                return p;
    return nullptr;
}

bool SilnikEmisji::PrzygotowanySingiel(const QString& adres, const QString& ide, SygnalType* sygnal,
                                       OpisNagraniaTyp* opis) {
    std::lock_guard blokada(przygotowaniaMutex_);
    for (const auto& p : przygotowaniaSingli_) {
        if (p->adres != adres || p->ide != ide || !p->gotowe.load(std::memory_order_acquire))
            continue;
        *sygnal = p->sygnal;
        *opis = p->opis;
        return p->wynikSygnalu == 0;
    }
    return false;
}

// Each tick: a start that waited for its element makes it once it is
// ready, and the next element is asked for.
void SilnikEmisji::PrzygotujNastepne() {
    if (!oczekujace_.empty()) {
        std::vector<std::function<void()>> gotowe;
        for (auto it = oczekujace_.begin(); it != oczekujace_.end();) {
            if (it->plik->gotowe.load(std::memory_order_acquire)) {
                gotowe.push_back(std::move(it->ponow));
                it = oczekujace_.erase(it);
            } else {
                ++it;
            }
        }
        for (const auto& ponow : gotowe)
            ponow();
    }
    // The one after is looked for by the display refresh: a walk past a
    // long run of missing files stays out of the tick.
    const qint32 n = StanPlaylisty.DoGrania;
    if (wLiscie(n))
        Przygotuj(n, qMax(0, Playlista[n].NwP));
}

bool SilnikEmisji::GotowyDoStartu(qint32 numer, const QString& adres, const QString& ide, qint32 startMs,
                                  quint8 zrodlo, std::function<void()> ponow) {
    // A single is looked for as the wall prepared it (its own start marker).
    std::shared_ptr<PrzygotowanyStart> p;
    if (startMs >= 0)
        p = Przygotowany(numer, adres, startMs, &ide);
    if (!p)
        p = Przygotuj(numer, adres, ide, startMs);
    if (p->gotowe.load(std::memory_order_acquire))
        return true;
    oczekujace_.erase(std::remove_if(oczekujace_.begin(), oczekujace_.end(),
                                     [&p](const OczekujacyStart& o) { return o.plik == p; }),
                      oczekujace_.end());
    oczekujace_.push_back({p, std::move(ponow), zrodlo, adres});
    if (spoznienieZalogowane_.lock() != p) {
        spoznienieZalogowane_ = p;
        Log(FlagiLogu() + SlowoStartu(zrodlo) + QStringLiteral("START ") + adres +
            QStringLiteral(" !!! NAGRANIE NIEGOTOWE - START OPÓŹNIONY !!!"));
    }
    return false;
}

void SilnikEmisji::OproznijPrzygotowania() {
    ZamowNastepne();
    odczytWprzod_.flush();
    odczytSingli_.flush();
}

bool SilnikEmisji::PrzygotowanyWpis(const QString& adres, const QString& ide, qint32* dlugoscMs) {
    const auto p = Przygotowany(0, adres, 0, &ide);
    if (!p || !p->gotowe.load(std::memory_order_acquire))
        return false;
    *dlugoscMs = p->jest ? p->dlugoscMs : -1;
    return true;
}

// A work element's file: what its preparation found when it was prepared;
// one not prepared yet counts as there, and its preparation finds out.
bool SilnikEmisji::PlikRoboczego(const TElemPListy& w) {
    qint32 dlugosc = 0;
    if (PrzygotowanyWpis(w.Adr, w.Ide, &dlugosc))
        return dlugosc >= 0;
    return ObecnyBezSprawdzenia(w.Adr);
}

void SilnikEmisji::ZamowNastepne() {
    // The time list's entry at its cursor and the one after: a block's
    // entries start one after another as each ends.
    const qint32 iloscT = std::clamp<qint32>(StanTimelisty.Ilosc, 0, MaksTimelisty);
    for (qint32 k = qMax(1, StanTimelisty.Kursor); k <= qMin(iloscT, StanTimelisty.Kursor + 1); ++k)
        if (!Timelista[k].Adr.trimmed().isEmpty())
            Przygotuj(0, Timelista[k].Adr, Timelista[k].Tyt, 0);
    const qint32 n = StanPlaylisty.DoGrania;
    if (!wLiscie(n))
        return;
    Przygotuj(n, qMax(0, Playlista[n].NwP));
    if (n == przygotowanyNastepny_)
        return;
    przygotowanyNastepny_ = n;
    // Only what the presence worker knows: an element it has not seen yet
    // counts as there, and its preparation finds out.
    const auto widok = Pliki.Zobacz();
    const TablicaPlaylisty& elementy = Playlista;
    for (qint32 i = n + 1; i <= StanPlaylisty.Ilosc; ++i) {
        wprzod(elementy, i + NaprzodMarszu);
        if (!znanyBrak(widok, elementy[size_t(i)], i) && ElementGrywalny(i)) {
            Przygotuj(i, qMax(0, Playlista[i].NwP));
            break;
        }
    }
}

qint32 SilnikEmisji::NumerRoboczego(quint8 tryb) const {
    if (tryb == TrybKursor)
        return StanPlaylisty.Kursor;
    if (tryb == TrybNastepny)
        return StanPlaylisty.DoGrania;
    return 0;
}

bool SilnikEmisji::ZnajdzBlokReklamy(const QString& tytul) {
    const qint32 sekundy = CzytajCzas(charsFromTo(tytul, 11, 15) + QStringLiteral(":00"), 1);
    if (sekundy < 0)
        return false;
    for (int i = 1; i <= StanTimelisty.Ilosc; ++i) {
        if (Timelista[i].Czas == sekundy) {
            StanTimelisty.Kursor = i;
            wyjscia_->OdswiezTimeliste();
            return true;
        }
    }
    return false;
}

void SilnikEmisji::PokazBlokNastepnego(const TElemPListy& element) {
    if (Stan.PauzaJest || !Emisja.CzyReklamaJakoBelka || RodzajElemPListy(element.Typ) != RodzajREK)
        return;
    const int i = ZnajdzGodzineTListy(element.Tyt);
    if (i > 0) {
        StanTimelisty.Kursor = i;
        wyjscia_->OdswiezTimeliste();
    }
}

void SilnikEmisji::SprawdzListeReklam(quint8 tryb) {
    // The presence worker looks at the list's date; a start only compares.
    // A list read since the last start holds the date of the file it read:
    // a look made before that reading (the next one may be under way) says
    // nothing about it.
    if (LST1Data != lst1DataPorownana_) {
        lst1DataPorownana_ = LST1Data;
        spojrzenieListy_ = Pliki.Spojrzenia() + 2;
    }
    QString data;
    quint64 spojrzenie = 0;
    if (tryb == TrybRoboczy || LST1Adres.trimmed().isEmpty() || !Pliki.DataListy(LST1Adres, &data, &spojrzenie) ||
        spojrzenie < spojrzenieListy_)
        return;
    if (data != LST1Data) {
        LST1Data = data;
        lst1DataPorownana_ = data;
        Komunikat = QStringLiteral("Dostępna nowsza lista reklamowa");
        wyjscia_->OdswiezKomunikat();
        Log(QStringLiteral("INFO: Dostępna jest nowsza lista reklam LST"));
    }
}

std::function<void()> SilnikEmisji::PonowStart(quint8 odtwarzacz, quint8 tryb, quint8 zrodlo,
                                                const TElemPListy& w) {
    if (tryb == TrybRoboczy)
        return [this, odtwarzacz, zrodlo, e = std::make_shared<TElemPListy>(w)] {
            ElemPListyRob = *e;
            GrajKolejny(odtwarzacz, TrybRoboczy, zrodlo);
        };
    const qint32 numer = NumerRoboczego(tryb);
    const quint64 tozsamosc = wLiscie(numer) ? NumerujElement(Playlista[numer]) : 0;
    return [this, odtwarzacz, tryb, zrodlo, tozsamosc, adres = w.Adr.str()] {
        // The element it was asked for, wherever an edit moved it meanwhile;
        // a start that cannot be made any more says why.
        const qint32 n = ElementOTozsamosci(tozsamosc);
        QString powod;
        if (n == 0)
            powod = QStringLiteral("pozycji nie ma już na playliście");
        else if (NaDeku(n))
            powod = QStringLiteral("pozycja jest już na odtwarzaczu");
        else if (tryb == TrybNastepny && StanPlaylisty.DoGrania != n)
            powod = QStringLiteral("do grania jest inna pozycja");
        if (!powod.isEmpty()) {
            OdwolanyStart(zrodlo, adres, powod);
            return;
        }
        if (tryb == TrybNastepny) {
            GrajKolejny(odtwarzacz, tryb, zrodlo);
            return;
        }
        // The element the operator started, wherever the cursor went since.
        const qint32 kursor = StanPlaylisty.Kursor;
        StanPlaylisty.Kursor = n;
        GrajKolejny(odtwarzacz, tryb, zrodlo);
        if (StanPlaylisty.Kursor == n)
            StanPlaylisty.Kursor = kursor;
    };
}

void SilnikEmisji::OdwolanyStart(quint8 zrodlo, const QString& adres, const QString& powod) {
    Log(FlagiLogu() + SlowoStartu(zrodlo) + QStringLiteral("START ") + adres +
        QStringLiteral(" !!! START OPÓŹNIONY ODWOŁANY !!! ") + powod);
}

void SilnikEmisji::GrajKolejny(quint8 odtwarzacz, quint8 tryb, quint8 zrodlo) {
    const qint32 kursor = StanPlaylisty.Kursor;
    // Starting a break at the cursor means its news: the insertion takes it.
    // Other starts go on wherever the cursor stands (Automat must not fall
    // silent because the operator parked the cursor on a break).
    if (tryb == TrybKursor && Emisja.SERWISJest && wLiscie(kursor) &&
        RodzajElemPListy(Playlista[kursor].Typ) == RodzajBRK) {
        if (serwisy_)
            serwisy_->WstawSerwis(kursor);
        return;
    }
    const qint32 numer = NumerRoboczego(tryb);
    const bool dalej = tryb == TrybRoboczy || (tryb == TrybKursor && wLiscie(numer)) ||
                       (tryb == TrybNastepny && numer >= 1 && wLiscie(numer));
    if (dalej) {
        TElemPListy& w = Robocze();
        w = ElemPListyRob;
        if (tryb != TrybRoboczy)
            w = Playlista[numer];
        const bool automatyczny = tryb == TrybNastepny && zrodlo == ZrodloProg;

        if (Emisja.CzyReklamaJakoBelka && CzyElemReklama(w)) {
            if (w.Tyt.str().startsWith(QStringLiteral("Reklama o")) && !Stan.PauzaJest && ZnajdzBlokReklamy(w.Tyt)) {
                ZerujStanGodzinyTListy();
                wyjscia_->EmitujPozycjeTimelisty(odtwarzacz, 0);
                Stan.ElementStartowany = numer;
                if ((tryb == TrybKursor || tryb == TrybNastepny) && DecyzjaGPIStart == 0 && Emisja.NastPoPlay)
                    UstalNastepny(StanPlaylisty.DoGrania + 1, ZmianaNastepnego::Start);
            }
        } else {
            // Only what the workers found: no file is looked at or read here.
            bool jest = tryb == TrybRoboczy ? PlikRoboczego(w) : PlikElementu(numer, w.Adr);
            // With both decks playing and none named nothing starts.
            quint8 p = odtwarzacz;
            if (p == 0)
                p = odtwarzacze_.StanOdtwarzacza(1) != 1 ? 1 : odtwarzacze_.StanOdtwarzacza(2) != 1 ? 2 : 0;
            std::shared_ptr<PrzygotowanyStart> gotowy;
            if (jest && p != 0) {
                const qint32 od = startWPliku(w, zrodlo);
                const QString ide = w.Ide;
                if (!GotowyDoStartu(numer, w.Adr, ide, od, zrodlo, PonowStart(odtwarzacz, tryb, zrodlo, w))) {
                    SprawdzListeReklam(tryb);
                    KasujZdarzenie();
                    return;
                }
                gotowy = Przygotowany(numer, w.Adr, od, &ide);
                jest = gotowy && gotowy->jest;
            }
            if (jest) {
                if (p != 0) {
                    if (tryb == TrybNastepny && w.Aut && odtwarzacz == 0)
                        (p == 1 ? StolStop1 : StolStop2) = false;
                    UruchomElementNaMagnetofonie(p, tryb, zrodlo, gotowy);
                }
            } else {
                ZglosBrak(zrodlo, w, numer, automatyczny);
                // The loop would try the same element every tick: move on.
                if (automatyczny)
                    PominNieudany(tryb);
            }
        }
    }
    SprawdzListeReklam(tryb);
    KasujZdarzenie();
}

// A promo, or a news jingle or programme of the service, whose file differs
// in length from the plan takes the file's length, and every element after
// it moves by the difference. The service's elements also move their outro
// and log where the next element went; a promo does neither.
void SilnikEmisji::ZmienDlugosc(qint32 numer, qint32 t, const QString& slowa, bool serwis) {
    TElemPListy& w = Robocze();
    TElemPListy& e = Playlista[numer];
    const qint32 roznica = (e.Trw == t) ? t - e.NwK : t - e.Trw;
    for (TElemPListy* x : {&e, &w}) {
        x->Trw = t;
        x->NwK = t;
        x->FOu = t;
        if (serwis)
            x->Out = t;
    }
    const QString tekst = slowa + QLatin1Char('"') + w.Ide + QStringLiteral("\": ") +
                          (roznica < 0 ? QStringLiteral("-") : QString()) + PiszCzas(6, qAbs(roznica));
    Komunikat = tekst;
    wyjscia_->OdswiezKomunikat();
    Log(tekst);
    for (qint32 i = numer + 1; i <= StanPlaylisty.Ilosc; ++i) {
        TElemPListy& x = Playlista[i];
        const qint32 przed = x.Emi;
        x.Emi = modDoby(qint64(x.Emi) + roznica);
        if (serwis && i == numer + 1)
            Log(QStringLiteral("Dla pozycji nr ") + QString::number(i) + QStringLiteral(" emisja przed: ") +
                PiszCzas(6, przed) + QStringLiteral(" emisja po zmianie: ") + PiszCzas(6, x.Emi));
    }
}

void SilnikEmisji::ZglosNieudany(quint8 slot, quint8 zrodlo, const QString& adres, const QString& powod) {
    Log(FlagiLogu() + SlowoStartu(zrodlo) + QStringLiteral("START ") +
        (slot ? QString::number(slot) + QLatin1Char(' ') : QString()) + adres +
        QStringLiteral(" !!! BŁĄD ODCZYTU NAGRANIA !!! ") + powod);
    wyjscia_->UstawStatus(QStringLiteral("Nie zagrano: ") + adres + QStringLiteral(" - ") + powod,
                          KolorStatusu::Czerwony);
}

void SilnikEmisji::ZglosBrak(quint8 zrodlo, const TElemPListy& w, qint32 numer, bool automatyczny) {
    if (Emisja.CzyKomunikatBrakNagrania)
        Zapytaj({KomunikatEmisji::Informacja, QStringLiteral("Nie ma nagrania"), w.Adr});
    const QString tytul = w.Tyt;
    if (RodzajElemPListy(w.Typ) == RodzajINF && tytul.startsWith(QStringLiteral("PALETA:"))) {
        const QString plik = charsFromTo(tytul, 8, int(tytul.size()));
        if (platform::fileExists(plik))
            Zapytaj({KomunikatEmisji::PytaniePaleta, QStringLiteral("Czy wczytać paletę singli?"), plik});
        else
            Zapytaj({KomunikatEmisji::BrakZbioruPalety, QStringLiteral("Nie odnaleziono zbioru:"), plik});
    } else if (!(automatyczny && brakZalogowany_ == numer)) {
        Log(FlagiLogu() + SlowoStartu(zrodlo) + QStringLiteral("START !!! BRAK NAGRANIA !!!"));
        brakZalogowany_ = automatyczny ? numer : 0;
    }
}

void SilnikEmisji::NieudanyStart(quint8 slot, quint8 tryb, quint8 zrodlo, const QString& adres,
                                 const QString& powod) {
    ZglosNieudany(slot, zrodlo, adres, powod);
    try {
        odtwarzacze_.ZatrzymajOdtwarzacz(slot);
        odtwarzacze_.ZwolnijOdtwarzacz(slot);
    } catch (...) {
    }
    if (slot >= 1 && slot <= LiczbaOdtwarzaczy) {
        ::ZerujOdtwarzacz(Odtwarzacz[slot]);
        Stan.OdtwarzaczZajety[slot] = 0;
        SlotGra[slot] = SlotGralo[slot] = 0;
        czasStartu_[slot] = -1;
    }
    wyjscia_->OdswiezOdtwarzacze();
    if (zrodlo == ZrodloProg)
        PominNieudany(tryb);
}

void SilnikEmisji::ZastojStartu() {
    const qint64 teraz = platform::clock().monotonicMs();
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) {
        if (czasStartu_[s] < 0)
            continue;
        if (!SlotGra[s] || !Stan.OdtwarzaczZajety[s]) {
            czasStartu_[s] = -1;
            continue;
        }
        qint64 poz = -1;
        if (!ProbujSlot(s, [&] { poz = odtwarzacze_.PozycjaOdtwarzacza(s); }))
            continue;
        if (pozycjaStartu_[s] < 0) {
            pozycjaStartu_[s] = poz;
        } else if (poz != pozycjaStartu_[s]) {
            czasStartu_[s] = -1;  // it plays
            continue;
        }
        // A card that stopped holds every player still: waiting for it is
        // better than skipping the list while it is reopened.
        if (!odtwarzacze_.WyjsciaGraja())
            czasStartu_[s] = teraz;
        if (teraz - czasStartu_[s] < ZastojStartuMs)
            continue;
        const MIXMagnetType& r = Odtwarzacz[s];
        // Its start is over; the next mark has moved on past it already.
        NieudanyStart(s, TrybRoboczy, ZrodloProg, r.SygnalSlotu.Adres,
                      QStringLiteral("pozycja odtwarzacza stoi od startu (%1 ms)").arg(teraz - czasStartu_[s]));
    }
}

void SilnikEmisji::PominNieudany(quint8 tryb) {
    // As if the element passed over were not in the list.
    if (tryb == TrybNastepny)
        UstalNastepny(StanPlaylisty.DoGrania + 1, ZmianaNastepnego::Pominiecie);
}

void SilnikEmisji::PominZnanyNieudany() {
    if (!(Stan.TrybAutomat || SemiAutomatJest) || PlaylistaZmieniona || Stan.PauzaJest)
        return;
    const qint32 n = StanPlaylisty.DoGrania;
    if (!wLiscie(n) || NaDeku(n))
        return;
    const TElemPListy& e = Playlista[n];
    if (!RodzajDzwiekowy(RodzajElemPListy(e.Typ)) || (Emisja.CzyReklamaJakoBelka && CzyElemReklama(e)))
        return;
    bool brak = Pliki.StanElementu(n, e.Adr) == ObecnoscPlikow::Brak;
    QString powod;
    if (!brak) {
        const auto p = Przygotowany(n, e.Adr, qMax(0, e.NwP));
        if (!p || !p->gotowe.load(std::memory_order_acquire))
            return;
        brak = !p->jest;
        powod = powodPrzygotowania(*p);
        if (!brak && powod.isEmpty())
            return;
    }
    if (brak)
        ZglosBrak(ZrodloProg, e, n, true);
    else
        ZglosNieudany(0, ZrodloProg, e.Adr, powod);
    PominNieudany(TrybNastepny);
}

void SilnikEmisji::UruchomElementNaMagnetofonie(quint8 slot, quint8 tryb, quint8 zrodlo,
                                                const std::shared_ptr<PrzygotowanyStart>& gotowy) {
    if (slot < 1 || slot > LiczbaOdtwarzaczy)
        return;
    MIXMagnetType& r = Odtwarzacz[slot];
    TElemPListy& w = Robocze();

    // 1. Whatever still stands on the slot ends first.
    if (!SlotPusty(r) && !r.HSTZapisany)
        KoniecEmisji(slot, PowodProg);
    if (odtwarzacze_.StanOdtwarzacza(slot) == 1) {
        KoniecEmisji(slot, PowodProg);
        odtwarzacze_.ZatrzymajOdtwarzacz(slot);
        odtwarzacze_.OtworzPlikOdtwarzacza(slot, QString());
    }

    // 3. The record from the working element.
    ::ZerujOdtwarzacz(r);
    r.SygnalSlotu.Nazwa = w.Ide;
    r.SygnalSlotu.Adres = w.Adr;
    r.Tyt = bezSrednikow(w.Tyt.isEmpty() ? w.Ide : QString(w.Tyt));
    r.Pta = bezSrednikow(w.Pta);
    r.Wyk = bezSrednikow(w.Wyk);
    r.Sol = bezSrednikow(w.Sol);
    r.Kom = bezSrednikow(w.Kom);
    r.Atr = bezSrednikow(w.Atr);
    r.Pro = bezSrednikow(w.Pro);
    r.Wyd = bezSrednikow(w.Wyd);
    r.Rok = w.Rok.str();
    r.Zak = w.Zak.str();
    r.BPM = w.BPM.str();
    r.PTY = w.PTY.str();
    r.PS1 = w.PS1.str();
    r.PS2 = w.PS2.str();
    r.PS3 = w.PS3.str();
    r.PS4 = w.PS4.str();
    r.ZAA = w.ZAA.str();
    r.Sel = w.Sel.str();
    r.MID = w.MID;
    // One reading: a start at 23:59:59.999 keeps its own day.
    const QDateTime teraz = platform::clock().now();
    const qint64 msStartu = teraz.time().msecsSinceStartOfDay();
    r.CzasStartu = CzasZegara24(msStartu);
    r.DataStartu = teraz.date().toString(QStringLiteral("yyyy-MM-dd"));
    r.StartMS = qint32(msStartu);

    // 4. The audio item with its description, as the read-ahead thread
    // found them (a start is made only once they are). What the header says
    // against the file names the fault when the player refuses it too; the
    // player has the last word (it plays 8-bit files, which the playable
    // check keeps out of new playlists).
    const qint32 numer = NumerRoboczego(tryb);
    const qint32 startPliku = startWPliku(w, zrodlo);
    {
        std::lock_guard blokada(przygotowaniaMutex_);
        // Its reader goes to the deck: taken once.
        for (auto* lista : {&przygotowania_, &przygotowaniaSingli_})
            lista->erase(std::remove(lista->begin(), lista->end(), gotowy), lista->end());
    }
    if (spoznienieZalogowane_.lock() == gotowy)
        spoznienieZalogowane_.reset();
    r.SygnalSlotu = gotowy->sygnal;
    const OpisNagraniaTyp opis = gotowy->opis;
    const int bladNaglowka = gotowy->wynikSygnalu;
    QString blad = powodPrzygotowania(*gotowy);
    const QString powodNaglowka = bladNaglowka == 0 ? PowodNieodtwarzalnosciNaglowka(r.SygnalSlotu, 0) : QString();
    if (bladNaglowka != 0)
        r.SygnalSlotu.Nazwa = NazwaPustegoSygnalu;

    // 5. Kind code.
    const quint8 rodzaj = RodzajElemPListy(w.Typ);
    r.KodRodzaju = KodRodzajuOdtwarzacza(rodzaj);

    // 6. Length differences against the plan.
    const qint32 t = r.SygnalSlotu.Tot;
    if (blad.isEmpty() && wLiscie(numer) && t > 0) {
        const QString tytul = w.Tyt;
        if (rodzaj == RodzajJNG && Emisja.SERWISJest &&
            (tytul.startsWith(QStringLiteral("#SERWIS")) || tytul.contains(QStringLiteral("GRAJ O"))) &&
            !(t == w.Trw && t == w.NwK))
            ZmienDlugosc(numer, t, QStringLiteral("Różnica długości Serwisu "), true);
        else if (rodzaj == RodzajAUD && Emisja.SERWISJest && tytul.startsWith(QStringLiteral("#AUDYCJA")) &&
                 !(t == w.Trw && t == w.NwK))
            ZmienDlugosc(numer, t, QStringLiteral("Różnica długości Audycji "), true);
        else if (rodzaj == RodzajPRO && t != w.Trw)
            ZmienDlugosc(numer, t, QStringLiteral("Różnica długości Promosu "), false);
    }

    // 7. Description fields.
    r.Gen = opis.Gen;
    r.Typ = opis.Typ;
    r.Era = opis.Era;
    r.Nar = opis.Nar;
    r.Jak = opis.Jak;
    r.Nas = opis.Nas;
    r.Tmc = opis.Tmc;

    // 8. The day axis.
    r.Emi = w.Emi;
    r.SygnalSlotu.Pozycja = r.SygnalSlotu.Start;
    r.Int = w.Int;
    r.Out = w.Out;
    r.NwP = w.NwP != 0 ? w.Emi + w.NwP : w.Emi;
    r.FIn = w.FIn != 0 ? w.Emi + w.FIn : w.Emi;
    r.NwK = w.NwK != 0 ? w.Emi + w.NwK : w.Emi + w.Trw;
    r.FOu = w.FOu != 0 ? w.Emi + w.FOu : w.Emi + w.Trw;
    r.FIT = w.FIT;
    r.FOT = w.FOT;
    r.Miks = r.NwK - w.Mix;
    r.Wzm = w.Wzm;
    r.Kac = w.Kac;
    r.KFI = w.Emi + w.KFI;
    r.KFO = w.KFO != 0 ? w.Emi + w.KFO : w.Emi + w.Trw;
    r.RodzajElementu = rodzaj;
    r.DecyzjaGPIStartu = DecyzjaGPIStart;
    r.UdzialPokazany = -1;

    // 9-10. Open, seek, set the volume and play; a file that will not open
    // or decode leaves the slot free and the air going.
    qint32 glosnosc = 0;
    if (blad.isEmpty()) {
        try {
            odtwarzacze_.ZwolnijOdtwarzacz(slot);
            odtwarzacze_.UtworzOdtwarzacz(slot);
            r.Pozycja = (zrodlo == ZrodloUndo && w.Wznow > 0 && w.Wznow < w.Trw - 1000) ? w.Emi + w.Wznow : r.NwP;
            if (!(gotowy->plik && odtwarzacze_.OtworzPrzygotowany(slot, gotowy->plik))) {
                odtwarzacze_.OtworzPlikOdtwarzacza(slot, w.Adr);
                odtwarzacze_.UstawPozycjeOdtwarzacza(slot, startPliku);
            }
            bool maTrim = false;
            const qint32 trim = TrimyEmisji().Trim(rodzaj, &maTrim);
            glosnosc = w.Wzm + trim;
            // Only the two decks have an envelope to bring a fade-in up.
            if (r.NwP != r.FIn && (slot == 1 || slot == 2))
                glosnosc = -10'000;
            glosnosc = qBound(-10'000, glosnosc, 0);
            odtwarzacze_.UstawGlosnoscOdtwarzacza(slot, glosnosc);
            odtwarzacze_.GrajOdtwarzacz(slot);
            // A player that swallowed the fault (the file player) has no
            // length, or does not play: nothing went on air.
            if (odtwarzacze_.DlugoscOdtwarzacza(slot) <= 0)
                blad = QStringLiteral("odtwarzacz nie odczytał nagrania");
            else if (odtwarzacze_.StanOdtwarzacza(slot) != 1)
                blad = QStringLiteral("odtwarzacz nie wystartował");
        } catch (const std::exception& e) {
            blad = QString::fromUtf8(e.what());
        } catch (...) {
            blad = QStringLiteral("nieznany błąd");
        }
        if (!blad.isEmpty() && !powodNaglowka.isEmpty())
            blad = powodNaglowka + QStringLiteral(" (") + blad + QLatin1Char(')');
    }
    if (!blad.isEmpty()) {
        NieudanyStart(slot, tryb, zrodlo, w.Adr, blad);
        return;
    }
    // Watched until its position first moves.
    czasStartu_[slot] = platform::clock().monotonicMs();
    pozycjaStartu_[slot] = -1;
    ProbujSlot(slot, [&] { pozycjaStartu_[slot] = odtwarzacze_.PozycjaOdtwarzacza(slot); });

    // 11.
    Stan.OdtwarzaczZajety[slot] = 1;
    SemiAutomatGotowy = true;
    const bool reklama = RodzajReklamy(rodzaj);
    if (reklama && !Stan.TrybAutomat) {
        ReklamaNaOdtwarzaczu = true;
        ReklamaOdtwarzacz = slot;
    }
    // 12.
    if (slot <= 3)
        wyjscia_->WyslijStanOdtwarzacza(slot, QStringLiteral("START"));
    // 13.
    if (SatWlaczony) {
        SatWyjscieStart = true;
        SatWejscieStart = false;
        SatWejscie = false;
    }
    // 14. AutoStop: the other deck fades out.
    bool autostop;
    const bool pojedynczy = tryb == TrybRoboczy;
    if (!EmisjaFlagaStartu)
        autostop = (!pojedynczy && AutostopJest && DecyzjaGPIStart == 0) || (pojedynczy && SingleAutostopJest);
    else
        autostop = (!pojedynczy && AutostopJest && !Stan.TrybAutomat && !SemiAutomatJest && DecyzjaGPIStart == 0) ||
                   (pojedynczy && SingleAutostopJest) ||
                   (!pojedynczy && AutostopJest && DecyzjaGPIStart == 0 &&
                    (zrodlo == ZrodloKlaw || zrodlo == ZrodloStol));
    if (autostop && (slot == 1 || slot == 2)) {
        const quint8 inny = slot == 1 ? 2 : 1;
        if (odtwarzacze_.OdtwarzaczIstnieje(inny) && !odtwarzacze_.PlikOdtwarzacza(inny).isEmpty())
            ZadanieFade(inny);
    }
    // 15.
    r.Element = (tryb == TrybKursor || tryb == TrybNastepny) ? numer : 0;
    r.ZPlaylisty = r.Element != 0;
    // 16. START line.
    if (!SlotPusty(r)) {
        Log(FlagiLogu() + SlowoStartu(zrodlo) + QStringLiteral("START ") + QString::number(slot) + QLatin1Char(' ') +
            w.Adr + QLatin1Char(' ') + planowanyStart(w, tryb == TrybRoboczy, PrzesuniecieCzasu, true) +
            QStringLiteral("  ") + PiszCzas(6, CzasAntenowy));
    }
    // 17. The next mark moves on past what the decks carry.
    if ((tryb == TrybKursor || tryb == TrybNastepny) && DecyzjaGPIStart == 0) {
        qint32 od = qMax(qMax(MagnetofonA(), MagnetofonB()), MagnetofonC());
        if (Emisja.NastPoPlayBezp)
            od = r.Element;
        if (Emisja.NastPoPlay)
            UstalNastepny(od + 1, ZmianaNastepnego::Start);
        wyjscia_->OdswiezPlayliste();
        PokazBlokNastepnego(w);
    }
    // 18. RDS files.
    bool rds = Emisja.ZbioryInfoGdyStol ? StartZeStolu : r.DecyzjaGPIStartu == 0;
    if (Emisja.CzyRDSTylkoZaakceptowane)
        rds = rds && !r.ZAA.isEmpty() && r.ZAA.str() != QStringLiteral("0");
    if (rds && r.Tyt.str() != QStringLiteral("Nie ma opisu"))
        r.Znaczniki = wyjscia_->ZapiszPlikiRDS(slot);
    r.InfoZapisany = 0;
}

void SilnikEmisji::ZapowiedzNastepny(quint8 zrodlo) {
    const qint32 n = StanPlaylisty.DoGrania;
    if (!wLiscie(n) || !PlikElementu(n, Playlista[n].Adr))
        return;
    const TElemPListy& e = Playlista[n];
    // Opened, positioned and decoded ahead so that the start reads nothing.
    // A slow or network drive must not hold the tick that cues it, so the
    // work is the read-ahead thread's; nothing waits for it.
    Przygotuj(n, qMax(0, e.NwP));
    wyjscia_->WyslijInfoElementu(0, QStringLiteral("DO GRANIA"), n);
    // What the worker found missing is passed on one look at its knowledge.
    const auto widok = Pliki.Zobacz();
    const TablicaPlaylisty& elementy = Playlista;
    auto zPlikiem = [&](qint32 i, const TElemPListy& x) {
        return widok(i, x.Adr) != ObecnoscPlikow::Brak && PlikElementu(i, x.Adr);
    };
    for (qint32 i = n + 1; i <= StanPlaylisty.Ilosc; ++i) {
        wprzod(elementy, i + NaprzodMarszu);
        const TElemPListy& x = elementy[size_t(i)];
        if (RodzajDzwiekowy(RodzajElemPListy(x.Typ)) && zPlikiem(i, x)) {
            wyjscia_->WyslijInfoElementu(0, QStringLiteral("DO GRANIA2"), i);
            break;
        }
    }
    int ktory = 3;
    for (qint32 i = n + 1; i <= StanPlaylisty.Ilosc && ktory <= 5; ++i) {
        wprzod(elementy, i + NaprzodMarszu);
        const TElemPListy& x = elementy[size_t(i)];
        if (RodzajElemPListy(x.Typ) == RodzajSND && zPlikiem(i, x))
            wyjscia_->WyslijInfoElementu(0, QStringLiteral("DO GRANIA") + QString::number(ktory++), i);
    }
    const QString slowo = zrodlo == 1 ? QStringLiteral("PROG ") : zrodlo == 2 ? QStringLiteral("KLAW ") : QString();
    Log(FlagiLogu() + slowo + QStringLiteral("DO GRANIA ") + e.Ide + QLatin1Char(' ') + QString::number(e.Aut ? 1 : 0) +
        QLatin1Char(' ') + planowanyStart(e, false, PrzesuniecieCzasu, false));
}

void SilnikEmisji::GrajOdWznowienia() {
    const qint32 k = StanPlaylisty.Kursor;
    if (wLiscie(k) && Playlista[k].Wznow > 0)
        GrajKolejny(0, TrybKursor, ZrodloUndo);
}

bool SilnikEmisji::KasujPlayliste() {
    if (StanPlaylisty.Ilosc <= 0)
        return false;
    if (Decyzja(QStringLiteral("Czy skasować playlistę?"), QString(), 2) != WynikTak)
        return false;
    ZapiszUndoPlaylisty(QStringLiteral("Kasuj playlistę"));
    PlaylistaNazwa = QStringLiteral("Nie_ma");
    PlaylistaZbior.clear();
    for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i)
        InitElemPListy(Playlista[i]);
    StanPlaylisty.Kursor = 0;
    StanPlaylisty.Ilosc = 0;
    UstalNastepny(0, ZmianaNastepnego::Edycja);
    PrzemapujElementyOdtwarzaczy();
    Komunikat.clear();
    PlaylistaWczytana = false;
    Zegary().Wlacz(TimerKonsoli::SATPLMWycisz, false);
    if (Emisja.CzyTestRaport)
        LogNazwa = Emisja.KatTestRaport + QStringLiteral("\\") + PlaylistaNazwa + QStringLiteral(".TXT");
    wyjscia_->OdswiezPlayliste();
    wyjscia_->OdswiezOdtwarzacze();
    wyjscia_->OdswiezKomunikat();
    wyjscia_->KasujPoleStatusu();
    return true;
}
