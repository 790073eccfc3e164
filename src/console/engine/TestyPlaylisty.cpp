#include "console/engine/TestyPlaylisty.h"

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestPods2.h"
#include "foundation/Zdarzenie.h"
#include "library/DKatalogNastawy.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_Timelista.h"
#include "playlists/NagraniaPrzebiegu.h"
#include "playlists/NastawyEmisji.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString BezIdentyfikatora = QStringLiteral("--------");

bool wRodzajachTestu(quint8 r) {
    return r == RodzajSND || r == 6 || (r >= 8 && r <= 15);
}

QStringList adresy(const TablicaPlaylisty& lista, qint32 od, qint32 ilosc) {
    QStringList a;
    for (qint32 n = od + 1; n <= ilosc; ++n) a << lista[size_t(n)].Adr.str();
    return a;
}

}  // namespace

void KoniecStatusu(SilnikEmisji& s) {
    if (s.Komunikat.isEmpty())
        s.Wyjscia().UstawStatus(QStringLiteral("OK"), KolorStatusu::Czarny);
    else
        s.Wyjscia().UstawStatus(s.Komunikat, KolorStatusu::Czerwony);
}

QString LiniaRaportuBraku(qint32 numer, const TElemPListy& e) {
    return QString::number(numer).rightJustified(4, QLatin1Char(' ')) + QLatin1Char(';') + e.Ide +
           QLatin1Char(';') + QString(e.Adr);
}

void CzasyNagran(TablicaPlaylisty& lista, qint32 od, qint32 ilosc, NagraniaPrzebiegu& nagrania,
                 const PostepPrzebiegu& postep) {
    nagrania.Sprawdz(adresy(lista, od, ilosc));
    for (qint32 n = od + 1; n <= ilosc; ++n) {
        if (postep) postep(n, ilosc);
        TElemPListy& e = lista[size_t(n)];
        const quint8 r = RodzajElemPListy(e.Typ);
        if (e.Ide == BezIdentyfikatora || !(r == RodzajSND || r == 6 || CzyElemReklama(e))) continue;
        const QString plik = QString(e.Adr);
        if (!nagrania.Jest(plik)) continue;
        const qint32 t = nagrania.Trwanie(plik);
        if (t > 0 && t != e.Trw) e.Trw = t;
    }
}

TestObecnosci NowyTestObecnosci(qint32 od, bool reklamy) {
    TestObecnosci t;
    t.Od = t.Nastepny = od;
    t.Reklamy = reklamy;
    if (Emisja.CzyTestRaport) {
        const QString katalog = Emisja.KatTestRaport.isEmpty() ? KatalogStartowy : Emisja.KatTestRaport;
        t.Raport = katalog + QLatin1Char('\\') + PlaylistaNazwa + QStringLiteral(".TXT");
        t.LogNazwany << QStringLiteral("TEST OBECNOSCI NAGRAN") << QStringLiteral("=====================");
    }
    t.DAT = Emisja.CzyDATZPlayListy;
    return t;
}

bool TestujObecnosc(TablicaPlaylisty& lista, qint32 ilosc, TestObecnosci& t, NagraniaPrzebiegu& nagrania,
                    const std::atomic<bool>& przerwij, const PostepPrzebiegu& postep) {
    nagrania.Sprawdz(adresy(lista, t.Nastepny, ilosc));
    while (t.Nastepny < ilosc) {
        const qint32 n = ++t.Nastepny;
        if (postep) postep(n, ilosc);
        TElemPListy& e = lista[size_t(n)];
        const quint8 r = RodzajElemPListy(e.Typ);
        const bool testowany = (e.Ide != BezIdentyfikatora && wRodzajachTestu(r)) || (t.Reklamy && CzyElemReklama(e));
        // A file whose folder did not answer is not known missing.
        if (testowany && !nagrania.Jest(e.Adr) && !nagrania.BezOdpowiedzi(e.Adr)) {
            t.Brak = true;
            e.BrakZbioru = 1;
            if (!t.Raport.isEmpty()) {
                t.LinieRaportu << LiniaRaportuBraku(n, e);
                t.LogNazwany << QStringLiteral("brak pozycji ") + QString::number(n).rightJustified(4, QLatin1Char(' ')) +
                                    QStringLiteral(" -> ") + QString(e.Adr);
            }
        }
        if (przerwij.load(std::memory_order_relaxed)) return false;
    }
    return true;
}

void DokonczTestObecnosci(TablicaPlaylisty& lista, qint32 ilosc, TestObecnosci& t, NagraniaPrzebiegu& nagrania,
                          const std::function<void(const QString&)>& etap, const PostepPrzebiegu& postep) {
    if (!t.Raport.isEmpty()) {
        QStringList linie = t.LinieRaportu;
        if (!t.Brak) linie << QStringLiteral("OK");
        t.BladRaportu = platform::writeTextFileAtomic(platform::resolvePath(t.Raport), linie) ? 0 : 101;
    }
    if (t.DAT) {
        // A recording found without its description gets one made from
        // what the playlist knows of it.
        if (etap) etap(QStringLiteral("Zbiory DAT"));
        for (qint32 n = t.Od + 1; n <= ilosc; ++n) {
            if (postep) postep(n, ilosc);
            const TElemPListy& e = lista[size_t(n)];
            const quint8 r = RodzajElemPListy(e.Typ);
            if (!(r == RodzajSND || (r >= 8 && r <= 15))) continue;
            const QString plik = QString(e.Adr);
            if (!nagrania.Jest(plik) || nagrania.Jest(ZbiorOpisu(plik))) continue;
            // Opened once by the read already.
            const NagraniaPrzebiegu::Nagranie& otwarte = nagrania.Otworz(plik);
            if (otwarte.wynik != 0) continue;
            SygnalType sygnal = otwarte.s;
            OpisNagraniaTyp opis;
            NowyOpis(opis);
            opis.Tyt = QString(e.Tyt).left(64);
            opis.Wyk = QString(e.Wyk).left(64);
            opis.Aut = QString(e.Atr).left(60);
            opis.Kom = QString(e.Kom).left(60);
            QString powod;
            if (const int kod = ZapiszPlikDAT(sygnal, opis, powod); kod != 0) {
                t.Logi << QStringLiteral("Zapis opisu nieudany: ") + ZbiorOpisu(plik) + QStringLiteral(" (") + powod +
                              QLatin1Char(')');
                if (t.BladDAT == 0) {
                    t.BladDAT = kod;
                    t.PlikBleduDAT = ZbiorOpisu(plik);
                }
            }
        }
    }
    if (t.Przerwany) return;
    if (etap) etap(QStringLiteral("Czasy nagrań"));
    CzasyNagran(lista, t.Od, ilosc, nagrania, postep);
}

void ZglosTestObecnosci(SilnikEmisji& s, const TestObecnosci& t) {
    for (const QString& l : t.LogNazwany) LogNazwany(l);
    for (const QString& l : t.Logi) Log(l);
    // One dialog however many descriptions could not be written.
    if (t.BladDAT != 0) PokazBladKod(t.BladDAT, QString(), t.PlikBleduDAT);
    if (t.Brak) s.Komunikat = QStringLiteral("Nie ma nagrań");
    if (t.BladRaportu != 0) {
        BladIO = t.BladRaportu;
        Log(QStringLiteral("Błąd zapisu raportu: ") + t.Raport);
    }
    if (t.Brak && Emisja.CzyWyswWynikTestuPlaylisty) PokazBlad(QStringLiteral("Nie ma nagrań!"));
    KoniecStatusu(s);
    s.Wyjscia().OdswiezKomunikat();
}

bool ParaKopii(const QString& adres, QString& zrodlo, QString& cel) {
    zrodlo.clear();
    cel.clear();
    if (adres.size() < 3) return false;
    const QString lokalny = Katalogi.KatalogSiecNaLokal;
    if (Katalogi.KatalogSiecNaLokalJest && !lokalny.isEmpty()) {
        if (!platform::hasDriveLetter(adres)) return false;
        const int i = adres.indexOf(lokalny, 0, Qt::CaseInsensitive);
        if (i < 0) {
            zrodlo = adres;
            cel = lokalny + QLatin1Char('\\') + adres.left(1) + adres.mid(2);
            return true;
        }
        const QString reszta = adres.mid(i + lokalny.size() + 1);
        if (reszta.isEmpty()) return false;
        cel = adres;
        zrodlo = reszta.left(1) + QLatin1Char(':') + reszta.mid(1);
        return true;
    }
    cel = adres;
    return SciezkaSieciowa(adres, zrodlo);
}

// ---- copies ----

KopieNagran::KopieNagran(bool nazwanyLog)
    : pelnyLog_(nazwanyLog),
      brakujace_(Emisja.KopiowanieBrakujacych),
      pytac_(Emisja.CzyPytacKopia) {}

void KopieNagran::Dodaj(qint32 element, const QString& adres, std::initializer_list<const char*> obok, bool dzisiaj) {
    QString zrodlo, cel;
    if (!ParaKopii(adres, zrodlo, cel)) return;
    pliki_.push_back({element, zrodlo, cel, dzisiaj, true});
    for (const char* rozsz : obok)
        pliki_.push_back({element, ZmienRozszerzenie(zrodlo, QLatin1String(rozsz)),
                          ZmienRozszerzenie(cel, QLatin1String(rozsz)), false, false});
}

void KopieNagran::DodajElementy(const TablicaPlaylisty& lista, qint32 od, qint32 ilosc) {
    const bool dataDJ = Emisja.CzyPlayListaZmienDateDJ;
    for (qint32 n = od + 1; n <= ilosc; ++n) {
        const TElemPListy& e = lista[size_t(n)];
        const quint8 r = RodzajElemPListy(e.Typ);
        if (!(r == RodzajSND || r == RodzajREK || r == 6 || (r >= 8 && r <= 15))) continue;
        Dodaj(n, QString(e.Adr), {".DAT", ".OBW"}, r == 6 && dataDJ);
    }
}

KopieNagran::Pytanie KopieNagran::Kopiuj(const Kopia& kopia, const std::atomic<bool>* przerwij,
                                         NagraniaPrzebiegu* nagrania, const PostepPrzebiegu& postep) {
    while (!Koniec()) {
        const Plik& p = pliki_[nastepny_];
        if (postep) postep(p.element, pliki_.back().element);
        // The operator's stop is asked about once an element's files are
        // done; the caller clears the flag when the answer is no.
        if (nastepny_ > 0 && pliki_[nastepny_ - 1].element != p.element && przerwij &&
            przerwij->load(std::memory_order_relaxed))
            return Pytanie::Przerwac;
        const QFileInfo z(platform::resolvePath(p.zrodlo)), c(platform::resolvePath(p.cel));
        bool kopiuj = z.isFile();
        if (kopiuj && c.exists()) {
            if (brakujace_ || (c.size() == z.size() && c.lastModified() >= z.lastModified())) {
                kopiuj = false;
            } else if (pytac_ && !takWszystkie_) {
                if (!zastapic_) return Pytanie::Zastapic;
                kopiuj = *zastapic_;
            }
        }
        zastapic_.reset();
        if (kopiuj) {
            if (pelnyLog_) logi_.append({true, QStringLiteral("Kopiowanie zbioru ") + p.zrodlo});
            QDir().mkpath(c.absolutePath());
            bool przerwane = false;
            const int wynik = kopia(p.zrodlo, p.cel, p.dzisiaj, przerwane);
            if (przerwane) {
                stop_ = true;
                break;
            }
            if (wynik != 0) {
                const QString tekst = QStringLiteral("Błąd kopiowania zbioru ") + p.zrodlo + QStringLiteral(" (") +
                                      QString::number(wynik) + QLatin1Char(')');
                logi_.append({false, tekst});
                if (pelnyLog_) logi_.append({true, tekst});
                if (blad_ == 0) {
                    blad_ = wynik;
                    celBledu_ = p.cel;
                }
            } else if (nagrania && p.audio) {
                nagrania->Zapisany(p.cel);
            }
        }
        ++nastepny_;
    }
    return Pytanie::Zadne;
}

void KopieNagran::Odpowiedz(Pytanie pytanie, quint16 odpowiedz) {
    if (pytanie == Pytanie::Przerwac) {
        if (odpowiedz == WynikTak) stop_ = true;
        return;
    }
    if (odpowiedz == OdpowiedzTakWszystkie) takWszystkie_ = true;
    if (odpowiedz == OdpowiedzTak || odpowiedz == OdpowiedzTakWszystkie)
        zastapic_ = true;
    else if (odpowiedz == OdpowiedzNie)
        zastapic_ = false;
    else
        stop_ = true;
}

QString KopieNagran::Cel() const { return nastepny_ < pliki_.size() ? pliki_[nastepny_].cel : QString(); }

QList<std::pair<bool, QString>> KopieNagran::WezLogi() { return std::exchange(logi_, {}); }

void KopieNagran::ZglosBlad() const {
    if (blad_ == 0) return;
    PokazBladKod(blad_, QString(), celBledu_);
    BladIO = blad_;
}

void KopiujNaDyskLokalnyCicho() {
    if (!Emisja.CzyKopiowacNagraniaTimelisty || StanTimelisty.Ilosc <= 0) return;
    if (Emisja.CzyPytacOKopiowanieNagranTimelisty &&
        Decyzja(QStringLiteral("Czy skopiować nagrania na dysk lokalny ?")) != WynikTak)
        return;
    KopieNagran k(false);
    StanPrzerwij = false;
    const qint32 ile = std::min<qint32>(StanTimelisty.Ilosc, MaksTimelisty);
    for (qint32 n = 1; n <= ile; ++n) k.Dodaj(n, QString(Timelista[size_t(n)].Adr), {".DAT"}, false);
    // The copy's own window keeps the loop ticking and has the stop button.
    const KopieNagran::Kopia kopia = [](const QString& zrodlo, const QString& cel, bool dzisiaj, bool& przerwane) {
        int wynikIO = 0;
        return KopiujZbior(zrodlo, cel, przerwane, dzisiaj, wynikIO);
    };
    for (KopieNagran::Pytanie p; (p = k.Kopiuj(kopia, nullptr, nullptr)) != KopieNagran::Pytanie::Zadne;)
        k.Odpowiedz(p, Decyzja(QStringLiteral("Zbiór ") + k.Cel() + QStringLiteral(" już jest na dysku lokalnym"),
                               QStringLiteral("Czy zastąpić go nowym?"), 4));
    for (const auto& [nazwany, tekst] : k.WezLogi()) nazwany ? LogNazwany(tekst) : Log(tekst);
    k.ZglosBlad();
}
