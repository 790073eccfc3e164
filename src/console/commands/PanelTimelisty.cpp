#include "console/commands/PanelTimelisty.h"

#include "audio/Sygnaly2.h"
#include "console/commands/Komendy.h"
#include "console/engine/PanelListy.h"
#include "console/engine/TestyPlaylisty.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "platform/Paths.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

#include <QFile>

namespace {

const QString NieMa = QStringLiteral("Nie_ma");

QByteArray tresc(const QString& adres) {
    QFile f(platform::resolvePath(adres));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Holds the synchronous timer off for the length of a command.
struct PauzaSynchro {
    explicit PauzaSynchro(bool& zajeta) : zajeta_(zajeta), bylo_(zajeta) { zajeta_ = true; }
    ~PauzaSynchro() { zajeta_ = bylo_; }
    bool& zajeta_;
    bool bylo_;
};

}  // namespace

qint32 CzytajCzasHMS(const QString& tekst) {
    if (tekst.size() < 5) return -1;
    bool okG = false, okM = false, okS = false;
    const int g = tekst.mid(0, 2).toInt(&okG);
    const int m = tekst.mid(3, 2).toInt(&okM);
    int s = tekst.mid(6, 2).toInt(&okS);
    if (!okS) s = 0;
    if (!okG || !okM || g < 0 || m < 0 || s < 0 || g > 24 || m > 59 || s > 59) return -1;
    return g * 3600 + m * 60 + s;
}

bool PodajCzasHMS(const QString& zacheta, const QString& nazwa, qint32& sekundy) {
    const qint32 t = std::max(0, sekundy);
    TekstPodany = QString::asprintf("%02d:%02d:%02d", t / 3600, t / 60 % 60, t % 60);
    if (PodajTekst(zacheta + nazwa, 800) != WynikTak) return false;
    const qint32 w = CzytajCzasHMS(TekstPodany.trimmed());
    if (w < 0) {
        PokazBlad(QStringLiteral("Błędnie podany czas"));
        return false;
    }
    sekundy = w;
    return true;
}

PanelTimelisty::PanelTimelisty(SilnikEmisji& silnik, TimeryKonsoli& timery) : silnik_(silnik), timery_(timery) {}

void PanelTimelisty::odswiez() { silnik_.Wyjscia().OdswiezTimeliste(); }

bool PanelTimelisty::pauzaBloku() const { return silnik_.Stan.PauzaJest; }

void PanelTimelisty::Komenda(quint16 id) {
    switch (id) {
    case KomTimelistaSynchro: Synchro(); break;
    case KomTimelistaCzytaj: Czytaj(); break;
    case KomTimelistaZapisz: Zapisz(); break;
    case KomTimelistaMinus: Czysc(); break;
    case KomTimelistaWstaw: if (!Emisja.CzyTrybEmisja) Wstaw(); break;
    case KomTimelistaUsun: if (!Emisja.CzyTrybEmisja) Usun(); break;
    case KomTimelistaInfo: if (!Emisja.CzyTrybEmisja) Info(); break;
    case KomTimelistaPytaj: TimelistaOpcja = !TimelistaOpcja; break;
    case KomTimelistaWczesniejsze: OznaczWczesniejsze(); break;
    default: break;
    }
}

void PanelTimelisty::Synchro() {
    if (timery_.TimelistaSynchroJest) {
        timery_.TimelistaSynchroJest = false;
    } else if (StanTimelisty.Ilosc > 0) {
        timery_.TimelistaSynchroJest = true;
    } else {
        timery_.DoNastepnejTL = 0;
        PokazInfo(QStringLiteral("Nie ma nagrań na liście"));
    }
    odswiez();
}

void PanelTimelisty::SprawdzPlikiTimelisty(bool pytania) {
    const qint32 n = std::min<qint32>(StanTimelisty.Ilosc, MaksTimelisty);
    for (qint32 i = 1; i <= n; ++i) {
        TElemTListy& e = Timelista[size_t(i)];
        if (e.Tyt == QStringLiteral("--------")) continue;
        if (platform::fileExists(e.Adr)) {
            e.Trw = CzasTrwaniaPliku(e.Adr);
            continue;
        }
        e.Stan = 200;
        silnik_.Komunikat = QStringLiteral("Brak reklamy: ") + e.Tyt;
        silnik_.Wyjscia().OdswiezKomunikat();
        if (pytania) {
            PokazBladKod(2, {}, e.Tyt);
            if (Decyzja(QStringLiteral("Czy kontynuować testy ?")) != WynikTak) break;
        }
    }
    odswiez();
}

void PanelTimelisty::Czytaj() {
    PauzaSynchro pauza(timery_.TimelistaZajeta);
    if (pauzaBloku()) return;
    for (int d = 1; d <= 2; ++d)
        if (silnik_.Widok[size_t(d)].Stan == StanCzasuOdtwarzacza::Blok) return;
    QString plik;
    // Nothing picked changes nothing: the list keeps its marks.
    if (!Zrodla.WybierzListe) {
        Log(QStringLiteral("Funkcja niedostępna: przeglądarka list"));
        return;
    }
    if (!Zrodla.WybierzListe(plik) || plik.isEmpty()) return;
    TimelistaZbior = plik;
    TimelistaNazwa = NazwaSciezki(plik);
    CzyscTimeliste();
    StanTimelisty.Ilosc = StanTimelisty.Kursor = 0;
    if (Emisja.CzyReklamaJakoBelka) {
        wczytajZDrugaLista(plik);
    } else {
        PokazStan(QStringLiteral("Odczyt listy"), {}, false);
        WczytajTimeliste(plik);
        ZamknijStan();
        if (BladIO != 0) {
            PokazBladKod(BladIO, {}, plik);
        } else if (Emisja.PlaylistaZapisPoOdczycieJest) {
            ZapiszTimeliste(joinPath(Nastawy.RoboczyKatalog, TimelistaNazwa + RozszerzenieSciezki(plik)));
        }
    }
    KopiujNaDyskLokalnyCicho();
    SprawdzPlikiTimelisty(true);
    odswiez();
}

void PanelTimelisty::wczytajZDrugaLista(const QString& plik) {
    QString nazwa = DuzeLiteryPL(QString(TimelistaNazwa));
    if (Emisja.CzyPorownanie8Znakow) nazwa = nazwa.left(8);
    const QString druga = joinPath(Emisja.KatLista2, nazwa + QStringLiteral(".LST"));
    WczytajTimeliste(plik);
    if (BladIO != 0) {
        PokazBladKod(BladIO, {}, plik);
        return;
    }
    if (!Emisja.CzyLista2LST) return;
    if (!platform::fileExists(druga)) {
        PokazBlad(QStringLiteral("Nie odnaleziono drugiej listy LST"), druga);
    } else if (platform::resolvePath(druga) == platform::resolvePath(plik) || tresc(druga) == tresc(plik)) {
        PokazBlad(QStringLiteral("Druga lista LST zgodna z pierwszą listą LST"));
    } else {
        DoklejTimeliste(druga);
        if (BladIO != 0) PokazBladKod(BladIO, {}, druga);
    }
}

void PanelTimelisty::Zapisz() {
    PauzaSynchro pauza(timery_.TimelistaZajeta);
    QString folder = KatalogSciezki(TimelistaZbior);
    if (TimelistaZbior == NieMa || folder.isEmpty()) folder = Nastawy.RoboczyKatalog;
    if (Emisja.CzyTimelistaFolderZapis && Zrodla.WybierzFolder) {
        QString wybrany = folder;
        if (Zrodla.WybierzFolder(wybrany)) folder = wybrany;
    }
    // The name is proposed; the path stays whole in TimelistaZbior.
    QString nazwa = TimelistaNazwa;
    const QString rozszerzenie = QStringLiteral(".LST");
    if (WolnaNazwa(QStringLiteral("Nazwę zbioru listy"), folder, nazwa, rozszerzenie) != OdpowiedzAkceptuj) return;
    if (nazwa == NieMa) {
        PokazBlad2(302, QStringLiteral(" Inną od \"Nie_ma\" "));
        return;
    }
    const QString plik = joinPath(folder, nazwa + rozszerzenie);
    PokazStan(QStringLiteral("Zapis listy"), {}, false);
    const bool dobrze = ZapiszTimeliste(plik);
    ZamknijStan();
    if (!dobrze) {
        PokazBladKod(BladIO, {}, plik);
        return;
    }
    TimelistaZbior = plik;
    TimelistaNazwa = nazwa;
    odswiez();
}

void PanelTimelisty::Czysc() {
    if (pauzaBloku() || StanTimelisty.Ilosc <= 0) return;
    if (Decyzja(QStringLiteral("Czy skasować listę ?")) != WynikTak) return;
    CzyscTimeliste();
    TimelistaZbior = TimelistaNazwa = NieMa;
    StanTimelisty.Ilosc = StanTimelisty.Kursor = 0;
    StanTimelisty.Pierwszy = 1;
    odswiez();
}

void PanelTimelisty::Wstaw() {
    if (pauzaBloku()) return;
    StanListy& st = StanTimelisty;
    if (st.Ilosc >= MaksTimelisty) {
        PokazBlad(QStringLiteral("Brak pamięci"));
        return;
    }
    const auto& zrodlo = silnik_.Stan.TrybWstawiania == 2 ? Zrodla.NagranieZBazy : Zrodla.NagranieZPrzegladarki;
    QString nazwa, plik;
    if (!zrodlo) {
        Log(QStringLiteral("Funkcja niedostępna: wybór nagrania do listy"));
        return;
    }
    if (!zrodlo(nazwa, plik) || plik.isEmpty()) return;
    const qint32 propozycja = st.Kursor >= 1 && st.Kursor <= st.Ilosc ? Timelista[size_t(st.Kursor)].Czas : -1;
    qint32 czas = propozycja;
    if (!PodajCzasHMS(QStringLiteral("Czas emisji (gg:mm:ss) nagrania "), nazwa, czas)) return;
    if (czas != propozycja) {
        st.Kursor = 0;
        for (qint32 i = 1; i <= st.Ilosc; ++i)
            if (Timelista[size_t(i)].Czas <= czas) st.Kursor = i;
    }
    const qint32 po = std::clamp(st.Kursor, 0, st.Ilosc);
    for (qint32 i = st.Ilosc; i > po; --i) Timelista[size_t(i + 1)] = Timelista[size_t(i)];
    TElemTListy& e = Timelista[size_t(po + 1)];
    e = TElemTListy{};
    e.Tyt = nazwa;
    e.Adr = plik;
    e.Czas = czas;
    e.Trw = CzasTrwaniaPliku(plik);
    ++st.Ilosc;
    st.Kursor = po + 1;
    odswiez();
}

void PanelTimelisty::Usun() {
    StanListy& st = StanTimelisty;
    if (pauzaBloku() || st.Ilosc <= 0 || st.Kursor < 1 || st.Kursor > st.Ilosc) return;
    if (Decyzja(QStringLiteral("Czy usunąć element z listy ?")) != WynikTak) return;
    for (qint32 i = st.Kursor; i < st.Ilosc; ++i) Timelista[size_t(i)] = Timelista[size_t(i + 1)];
    WyczyscElemTListy(st.Ilosc);
    --st.Ilosc;
    st.Kursor = std::clamp(st.Kursor, st.Ilosc > 0 ? 1 : 0, st.Ilosc);
    odswiez();
}

void PanelTimelisty::Info() {
    const StanListy& st = StanTimelisty;
    if (st.Kursor < 1 || st.Kursor > st.Ilosc) return;
    const TElemTListy& e = Timelista[size_t(st.Kursor)];
    if (e.Adr.trimmed().isEmpty() || !Zrodla.EdytujOpis) return;
    SygnalType s;
    s.Nazwa = e.Tyt;
    s.Tytul = e.Tyt.left(62);
    s.Adres = e.Adr;
    Zrodla.EdytujOpis(s);
}

void PanelTimelisty::OznaczWczesniejsze() {
    StanListy& st = StanTimelisty;
    if (st.Ilosc <= 0) return;
    if (Decyzja(QStringLiteral("Czy zaznaczyć '-' wcześniejsze pozycje?")) != WynikTak) return;
    for (qint32 i = 1; i <= st.Ilosc; ++i) {
        TElemTListy& e = Timelista[size_t(i)];
        if (qint64(e.Czas) * 1000 >= timery_.TerazMS) break;
        e.Stan = quint8(e.Stan / 100 * 100 + StanOdrzucony);
    }
    odswiez();
}
