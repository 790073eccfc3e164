#include "console/links/PlikiRDS.h"

#include <QFile>

#include "console/engine/SilnikEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

namespace {

constexpr int DlugoscPS = 8;
constexpr int DlugoscRT = 64;

const QString TytulTraffic = QStringLiteral("RDSTraffic");
const QString TytulNews = QStringLiteral("RDSNews");

// The INFO file's times: mm:ss.mmm.
QString czas(qint64 ms) { return PiszCzas(4, ms); }

void dopisz(QStringList& l, const char* klucz, const QString& wartosc) {
    if (!wartosc.isEmpty()) l << QLatin1String(klucz) + oneLine(wartosc);
}

void dopiszCzas(QStringList& l, const char* klucz, qint32 wartosc) {
    if (wartosc != 0) l << QLatin1String(klucz) + czas(wartosc);
}

void opisElementu(QStringList& l, const TElemPListy& e, qint32 przesuniecie) {
    l << QStringLiteral("; ----------------------------------");
    if (e.Emi < 0) {
        l << QStringLiteral("Emi=--------");
    } else {
        const qint64 emi = (qint64(e.Emi) + DobaMs + e.NwP + przesuniecie) % DobaMs;
        l << QStringLiteral("Emi=") + PiszCzas(6, emi < 0 ? emi + DobaMs : emi);
    }
    dopisz(l, "Sel=", e.Sel);
    dopisz(l, "Typ=", KodRodzaju(RodzajElemPListy(e.Typ)));
    l << QStringLiteral("Trw=") + czas(e.Trw);
    l << QStringLiteral("Cal=") + czas(qint64(e.NwK != 0 ? e.NwK : e.Trw) - e.NwP);
    dopiszCzas(l, "Int=", e.Int);
    dopiszCzas(l, "Out=", e.Out);
    if (e.Mix != -1) l << QStringLiteral("Mix=") + czas(e.Mix);
    dopiszCzas(l, "NwP=", e.NwP);
    dopiszCzas(l, "FIn=", e.FIn);
    dopiszCzas(l, "NwK=", e.NwK);
    dopiszCzas(l, "FOu=", e.FOu);
    dopisz(l, "Ide=", e.Ide);
    dopisz(l, "Tyt=", e.Tyt);
    dopisz(l, "Pta=", e.Pta);
    dopisz(l, "Wyk=", e.Wyk);
    dopisz(l, "Sol=", e.Sol);
    dopisz(l, "Kom=", e.Kom);
    dopisz(l, "Aut=", e.Atr);
    dopisz(l, "Pro=", e.Pro);
    dopisz(l, "Wyd=", e.Wyd);
    dopisz(l, "Rok=", e.Rok);
    dopisz(l, "BPM=", e.BPM);
    dopisz(l, "Zak=", e.Zak);
    dopisz(l, "Adr=", e.Adr);
    if (e.Wzm != 0) l << QStringLiteral("Wzm=") + QString::number(e.Wzm);
    if (e.Kac != 0) l << QStringLiteral("Kac=") + QString::number(e.Kac);
    dopiszCzas(l, "KFI=", e.KFI);
    dopiszCzas(l, "KFO=", e.KFO);
    if (e.Aut) l << QStringLiteral("Aut=1");
    dopisz(l, "PS1=", e.PS1);
    dopisz(l, "PS2=", e.PS2);
    dopisz(l, "PS3=", e.PS3);
    dopisz(l, "PS4=", e.PS4);
    l << QStringLiteral("KONIEC OPISU");
}

// The PS file from a performer and a title, in the layout the switches ask for.
QStringList liniePS(const QString& wykonawca, const QString& tytul) {
    if (Emisja.CzyRDSZbiorPSJednaLinia) {
        return {(Emisja.CzyRDSZbiorPSWykon ? wykonawca : QString()) + QStringLiteral("  ") +
                (Emisja.CzyRDSZbiorPSTytul ? tytul : QString()) + QLatin1Char(' ')};
    }
    QStringList l;
    if (Emisja.CzyRDSZbiorPSWykon && !wykonawca.isEmpty()) l << wykonawca;
    if (Emisja.CzyRDSZbiorPSTytul && !tytul.isEmpty()) l << tytul;
    return l;
}

bool psZTekstow() { return !Emisja.CzyRDSZbiorPSWykon && !Emisja.CzyRDSZbiorPSTytul; }

// The RT file's performer and title lines.
QStringList linieRT(const QString& wykonawca, const QString& tytul) {
    QStringList l;
    if (Emisja.CzyRDSZbiorRTWykon && !wykonawca.isEmpty()) l << wykonawca;
    if (Emisja.CzyRDSZbiorRTTytul && !tytul.isEmpty()) l << tytul;
    return l;
}

// One line of the now-and-next RT: the word, then "performer - title".
QString liniaTerazNastepny(const QString& slowo, const QString& wykonawca, const QString& tytul) {
    if (wykonawca.isEmpty() && tytul.isEmpty()) return QString();
    QString t = Emisja.CzyRDSZbiorRTWykon ? wykonawca : QString();
    if (Emisja.CzyRDSZbiorRTTytul) t += QStringLiteral(" - ") + tytul;
    QString linia = slowo + QLatin1Char(' ') + t;
    if (linia.size() > DlugoscRT) linia = linia.left(DlugoscRT - 3) + QStringLiteral("...");
    return linia;
}

// A text of the element or of the operator, or nothing when it only repeats
// the identifier (an element without a description).
QString bezIdentyfikatora(const QString& tekst, const QString& ide1, const QString& ide2 = QString()) {
    return (tekst == ide1 || (!ide2.isEmpty() && tekst == ide2)) ? QString() : tekst;
}

QStringList liniaDI() {
    if (RDSInformacja.isEmpty()) return {};
    return {oneLine(RDSInformacja)};
}

}  // namespace

QString ZbiorRDS(const QString& nazwa) {
    const QString rozszerzenie =
        Emisja.CzyRDSZbiorExt ? QLatin1Char('.') + QString::number(Nastawy.Numer) : QString();
    return joinPath(Emisja.KatRDSZbior, nazwa + rozszerzenie);
}

QString ZbiorInfo() { return joinPath(Emisja.KatRDSZbior, Emisja.InfoZbiorNazwa); }

QString TekstRDS(const QString& tekst) {
    QString t = tekst;
    if (!Emisja.CzyRDSZbiorPolskieLiteryJest) Transliteruj(3, 0, tekst, t);
    if (Emisja.CzyRDSZbiorDuzeLiteryJest) DuzeLiteryPL(t);
    return oneLine(t);
}

QStringList LinieOpisuNaAntenie(qint32 element, int dalszych, qint32 przesuniecie) {
    QStringList l;
    if (element < 1 || element > StanPlaylisty.Ilosc) return l;
    const qint32 ostatni = qMin<qint32>(StanPlaylisty.Ilosc, element + qBound(0, dalszych, 15));
    for (qint32 i = element; i <= ostatni; ++i) opisElementu(l, Playlista[i], przesuniecie);
    return l;
}

QString TekstEtykietyRDS() { return RDSTytul + QLatin1Char(' ') + RDSWykonawca + QLatin1Char(' ') + RDSInformacja; }

QString TickerRDS(const QString& tekst, int pozycja) {
    return QStringLiteral("RDS:") + charsAt(tekst, pozycja, 8);
}

// ------------------------------------------------------------------ files

void PlikiRDS::zapisz(const QString& zbior, const QStringList& linie, ZbiorStacji rodzaj) {
    silnik_.Historia.Zlec([zbior, linie, rodzaj] {
        QString powod;
        platform::writeTextFileAtomic(platform::resolvePath(zbior), linie, &powod);
        ZglosZapis(rodzaj, zbior, powod);
        return QString();
    });
}

void PlikiRDS::usun(const QString& zbior) {
    silnik_.Historia.Zlec([zbior] {
        QFile f(platform::resolvePath(zbior));
        ZglosZapis(ZbiorStacji::RDS, zbior, !f.exists() || f.remove() ? QString() : f.errorString());
        return QString();
    });
}

// ------------------------------------------------------------------ INFO

void PlikiRDS::PiszOpisNaAntenie(quint8 slot) {
    if (slot < 1 || slot > LiczbaOdtwarzaczy) return;
    const MIXMagnetType& r = silnik_.Odtwarzacz[slot];
    if (Emisja.ZbioryInfoGdyStol && !silnik_.StartZeStolu) return;
    if (r.DecyzjaGPIStartu != 0 || r.Element == 0 || !Emisja.CzyInfoZbiorJest) return;
    if (r.RodzajElementu == RodzajWHI || r.RodzajElementu == RodzajDJ_) return;
    if (r.DlugoscElementu <= 2000) return;
    const QStringList linie = LinieOpisuNaAntenie(r.Element, Emisja.InfoZbiorPozycji, silnik_.PrzesuniecieCzasu);
    if (!linie.isEmpty()) zapisz(ZbiorInfo(), linie, ZbiorStacji::Info);
}

// ------------------------------------------------------------------ RDS at the start

void PlikiRDS::zapisRT(const QString& wykonawca, const QString& tytul, const QString& identyfikator,
                       qint32 element) {
    if (Emisja.RDSRTTeraz.isEmpty() || Emisja.RDSRTNastepny.isEmpty()) {
        zapisz(ZbiorRDS(Emisja.RDSRT), linieRT(wykonawca, tytul));
        return;
    }
    QStringList l{liniaTerazNastepny(Emisja.RDSRTTeraz, wykonawca, tytul)};
    // The next song: the first recording longer than the history's limit
    // from the cursor on (the element on air is not its own next).
    for (qint32 i = qMax(1, StanPlaylisty.Kursor); i <= StanPlaylisty.Ilosc; ++i) {
        const TElemPListy& e = Playlista[i];
        if (i == element || RodzajElemPListy(e.Typ) != RodzajSND || e.Trw <= qint64(Emisja.THST) * 1000) continue;
        const QString w = bezIdentyfikatora(e.Wyk, identyfikator, e.Ide);
        const QString t = bezIdentyfikatora(e.Tyt, identyfikator, e.Ide);
        if (!w.isEmpty() || !t.isEmpty()) l << liniaTerazNastepny(Emisja.RDSRTNastepny, TekstRDS(w), TekstRDS(t));
        break;
    }
    zapisz(ZbiorRDS(Emisja.RDSRT), l);
}

quint8 PlikiRDS::ZapiszPlikiRDS(quint8 slot) {
    if (slot < 1 || slot > LiczbaOdtwarzaczy) return 0;
    MIXMagnetType& r = silnik_.Odtwarzacz[slot];
    if (r.DecyzjaGPIStartu == 0 && EtykietaRDS) KasujRDS();
    quint8 bity = 0;

    const bool psRt = Emisja.CzyRDSZbiorPSJest || Emisja.CzyRDSZbiorRTJest;
    if (psRt && (r.RodzajElementu == RodzajSND || !r.PS1.isEmpty())) {
        const QString ide = r.SygnalSlotu.Nazwa;
        const QString wykonawca = TekstRDS(bezIdentyfikatora(r.Wyk, ide));
        const QString tytul = TekstRDS(bezIdentyfikatora(r.Tyt, ide));
        if (Emisja.CzyRDSZbiorPSJest) {
            QStringList l;
            if (psZTekstow()) {
                for (const QString& ps : {r.PS1.str(), r.PS2.str(), r.PS3.str(), r.PS4.str()})
                    if (!ps.isEmpty()) l << padRight(cutTo(oneLine(ps), DlugoscPS), DlugoscPS);
            } else {
                l = liniePS(wykonawca, tytul);
            }
            zapisz(ZbiorRDS(Emisja.RDSPS), l);
            bity |= ZnacznikPS;
        }
        if (Emisja.CzyRDSZbiorRTJest) {
            zapisRT(wykonawca, tytul, ide, r.Element);
            bity |= ZnacznikRT;
        }
    }

    if (Emisja.CzyRDSZbiorTAJest && r.Tyt.str().startsWith(TytulTraffic)) {
        zapisz(ZbiorRDS(Emisja.RDSTA), {});
        zapisz(ZbiorRDS(Emisja.RDSTA + QStringLiteral("_ST")),
               {QStringLiteral("[FM Transmitter]"), QStringLiteral("RDS TA=1")});
        EtykietaTA = true;
        bity |= ZnacznikTA;
    }

    if (Emisja.CzyRDSZbiorPTJest) {
        if (r.Tyt.str().startsWith(TytulNews)) r.PTY = QStringLiteral("1");
        zapisz(ZbiorRDS(Emisja.RDSPT),
               {r.PTY.isEmpty() ? QString::number(Emisja.RDSPTDomyslny) : oneLine(r.PTY)});
        bity |= ZnacznikPT;
    }
    return bity;
}

// ------------------------------------------------------------------ RDS at the end

quint8 PlikiRDS::ZapalPlikiZnacznikow(quint8 slot, quint8 znaczniki, quint8 wczesnie) {
    if (slot < 1 || slot > LiczbaOdtwarzaczy) return znaczniki;
    const MIXMagnetType& r = silnik_.Odtwarzacz[slot];
    quint8 bity = znaczniki;
    if ((bity & (ZnacznikPS | ZnacznikRT)) && (r.RodzajElementu == RodzajSND || !r.PS1.isEmpty())) {
        if (Emisja.CzyRDSZbiorPSJest) {
            zapisz(ZbiorRDS(Emisja.RDSPS), {});
            bity &= ~ZnacznikPS;
        }
        if (Emisja.CzyRDSZbiorRTJest) {
            zapisz(ZbiorRDS(Emisja.RDSRT), {});
            bity &= ~ZnacznikRT;
        }
    }
    if (wczesnie == 0 && Emisja.CzyRDSZbiorTAJest && r.Tyt.str().startsWith(TytulTraffic) && (bity & ZnacznikTA)) {
        usun(ZbiorRDS(Emisja.RDSTA));
        zapisz(ZbiorRDS(Emisja.RDSTA + QStringLiteral("_ST")),
               {QStringLiteral("[FM Transmitter]"), QStringLiteral("RDS TA=0")});
        EtykietaTA = false;
        bity &= ~ZnacznikTA;
    }
    if (Emisja.CzyRDSZbiorPTJest && (bity & ZnacznikPT)) {
        zapisz(ZbiorRDS(Emisja.RDSPT), {QString::number(Emisja.RDSPTDomyslny)});
        bity &= ~ZnacznikPT;
    }
    return bity;
}

// ------------------------------------------------------------------ the operator's texts

void PlikiRDS::KasujRDS() {
    RDSTytul.clear();
    RDSWykonawca.clear();
    EtykietaRDS = false;
    if (Emisja.CzyRDSZbiorPSJest) zapisz(ZbiorRDS(Emisja.RDSPS), {});
    if (Emisja.CzyRDSZbiorRTJest) zapisz(ZbiorRDS(Emisja.RDSRT), {});
}

void PlikiRDS::ZapiszPlikDI() {
    if (Emisja.CzyRDSZbiorDIJest) zapisz(ZbiorRDS(Emisja.RDSDI), liniaDI());
}

void PlikiRDS::DataLabelClick() {
    const int wynik = PokazRDS();
    if (wynik == WynikTak) {
        if (!Emisja.CzyRDSZbiorPSJest && !Emisja.CzyRDSZbiorRTJest && !Emisja.CzyRDSZbiorDIJest) return;
        EtykietaRDS = true;
        const QString wykonawca = TekstRDS(RDSWykonawca);
        const QString tytul = TekstRDS(RDSTytul);
        if (Emisja.CzyRDSZbiorPSJest && !psZTekstow()) zapisz(ZbiorRDS(Emisja.RDSPS), liniePS(wykonawca, tytul));
        if (Emisja.CzyRDSZbiorRTJest) zapisz(ZbiorRDS(Emisja.RDSRT), linieRT(wykonawca, tytul));
        ZapiszPlikDI();
    } else if (wynik == WynikNie) {
        EtykietaRDS = false;
        RDSTytul.clear();
        RDSWykonawca.clear();
        RDSInformacja.clear();
        if (Emisja.CzyRDSZbiorPSJest) zapisz(ZbiorRDS(Emisja.RDSPS), {});
        if (Emisja.CzyRDSZbiorRTJest) zapisz(ZbiorRDS(Emisja.RDSRT), {});
        ZapiszPlikDI();
    }
}
