#include "console/links/Datagramy.h"

#include <QFile>
#include <QHostInfo>

#include <sys/statvfs.h>

#include <fstream>
#include <sstream>
#include <string>

#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/KestWej.h"
#include "foundation/Text.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

// ---- the packet text ----

QByteArray TekstPakietu(const QList<PolePakietu>& pola, int rozmiar) {
    QString tekst;
    for (const PolePakietu& p : pola) tekst += p.Klucz + cutTo(p.Wartosc, p.Dlugosc) + QStringLiteral("\r\n");
    // One byte per character in Windows-1250, so widths and sizes count alike.
    QByteArray bajty = platform::toCp1250(tekst);
    if (bajty.size() > rozmiar) bajty.truncate(rozmiar);
    bajty.append(rozmiar - bajty.size(), ' ');
    return bajty;
}

QString KodTypuPakietu(quint8 rodzaj) {
    switch (rodzaj) {
    case 1: return QStringLiteral("SND");
    case 5: return QStringLiteral("REK");
    case 6: return QStringLiteral("DJ_");
    case 8: return QStringLiteral("JNG");
    case 9: return QStringLiteral("PRO");
    case 10: return QStringLiteral("SPO");
    case 11: return QStringLiteral("AUD");
    case 12: return QStringLiteral("WHI");
    case 13: return QStringLiteral("SWE");
    case 14: return QStringLiteral("LOP");
    case 15: return QStringLiteral("EFE");
    default: return QString();
    }
}

QString DwaZnakiSekund(qint64 ms) {
    const qint64 s = ms / 1000;
    // A negative value keeps its sign in front of its one digit; anything
    // wider than the field would be read as a different number, so it shows
    // as "^^" instead of being cut.
    QString t = s < 0 ? QStringLiteral("-") + QString::number(-s) : QString::number(s);
    if (t.size() == 1) t.prepend(QLatin1Char('0'));
    if (t.size() > 2) t = QStringLiteral("^^");
    return t;
}

QString CzteryZnakiLiczby(qint64 wartosc) {
    return padLeft(QString::number(qBound(qint64(0), wartosc, qint64(9999))), 4);
}

QString DlugoscGraniaWiersza(qint32 trw, qint32 nwp, qint32 nwk) {
    const qint64 dlugosc = nwk != 0 ? qint64(nwk) - nwp : qint64(trw) - nwp;
    const QString t = PiszCzas(4, dlugosc);
    // From a full hour on the text carries hours: mm:ss would read 01:00
    // for an hour.
    return dlugosc < 3'600'000 ? t.left(5) : t.left(8);
}

// ---- what the datagrams read ----

ElementPakietu ElementPakietuZ(const TElemPListy& e) {
    ElementPakietu p;
    p.Rodzaj = RodzajElemPListy(e.Typ);
    p.Aut = e.Aut;
    p.Ide = e.Ide;
    p.Emi = e.Emi;
    p.Trw = e.Trw;
    p.NwP = e.NwP;
    p.NwK = e.NwK;
    p.Int = e.Int;
    p.Out = e.Out;
    p.Mix = e.Mix;
    p.Tyt = e.Tyt;
    p.Wyk = e.Wyk;
    p.Zak = e.Zak;
    p.PS1 = e.PS1;
    p.PS2 = e.PS2;
    p.PS3 = e.PS3;
    p.PS4 = e.PS4;
    return p;
}

qint32 ZrodloPakietow::IloscPlaylisty() const { return StanPlaylisty.Ilosc; }
qint32 ZrodloPakietow::KursorPlaylisty() const { return StanPlaylisty.Kursor; }
qint32 ZrodloPakietow::DoGraniaPlaylisty() const { return StanPlaylisty.DoGrania; }
ElementPakietu ZrodloPakietow::ElementPlaylisty(qint32 n) const {
    return n >= 1 && n <= MaksPlaylisty ? ElementPakietuZ(Playlista[size_t(n)]) : ElementPakietu{};
}

// ---- Linux figures ----

namespace {

qint64 pamiecDostepnaMiB() {
    std::ifstream f("/proc/meminfo");
    std::string linia;
    while (std::getline(f, linia)) {
        if (linia.rfind("MemAvailable:", 0) != 0) continue;
        std::istringstream s(linia.substr(13));
        long long kb = 0;
        if (s >> kb) return kb / 1024;
        return 0;
    }
    return 0;
}

qint64 wolneGiB(const QString& dysk) {
    struct statvfs st {};
    const QByteArray sciezka = QFile::encodeName(platform::resolvePath(dysk));
    if (statvfs(sciezka.constData(), &st) != 0) return 0;
    return qint64((unsigned long long)st.f_bavail * st.f_frsize >> 30);
}

qint64 floorMod(qint64 a, qint64 b) {
    const qint64 r = a % b;
    return r < 0 ? r + b : r;
}

QString dataCzas(const ZrodloPakietow& z) { return z.DataLabel() + QLatin1Char(' ') + z.Czas24Label(); }

QString czas6(qint64 ms) { return PiszCzas(6, ms); }

QString zeroJeden(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

ZasobyStanowiska ZasobyZSystemu() {
    ZasobyStanowiska z;
    z.PamiecMiB = pamiecDostepnaMiB();
    z.DyskCGiB = wolneGiB(QStringLiteral("C:\\"));
    z.DyskDGiB = wolneGiB(QStringLiteral("D:\\"));
    return z;
}

void PomiarZasobow::Mierz(const std::function<ZasobyStanowiska()>& mierz) {
    if (!mierz) return;
    {
        std::lock_guard<std::mutex> blokada(mutex_);
        if (trwa_) return;
        trwa_ = true;
    }
    pracownik_.post([this, mierz] {
        const ZasobyStanowiska z = mierz();
        std::lock_guard<std::mutex> blokada(mutex_);
        ostatnie_ = z;
        trwa_ = false;
    });
}

ZasobyStanowiska PomiarZasobow::Ostatnie() const {
    std::lock_guard<std::mutex> blokada(mutex_);
    return ostatnie_;
}

// ---- the builders ----

QByteArray PakietOdtwarzacza(const ZrodloPakietow& z, int gracz, const QString& zdarzenie, qint32& korektaStartu) {
    const OdtwarzaczPakietu o = z.Odtwarzacz(gracz);
    const bool jest = gracz != 0 && o.Zaladowany;
    if (jest) korektaStartu = o.StartMS - o.Emi;
    auto pole = [&](const char* klucz, int dl, const QString& w) {
        return PolePakietu{QString::fromLatin1(klucz), dl, jest ? w : QString()};
    };
    const QList<PolePakietu> pola{
        {QStringLiteral("STA="), 12, Nastawy.Id},
        {QStringLiteral("CZA="), 19, dataCzas(z)},
        {QStringLiteral("AKC="), 50, zdarzenie},
        {QStringLiteral("PLA="), 1, QString::number(gracz)},
        pole("EMI=", 12, o.CzasStartu + QStringLiteral(".000")),
        pole("TYP=", 3, KodTypuPakietu(o.RodzajElementu)),
        pole("TRW=", 12, czas6(qint64(o.NwK) - o.NwP)),
        pole("IDE=", 30, o.Ide),
        pole("TYT=", 50, o.Tyt),
        pole("WYK=", 50, o.Wyk),
        pole("NWP=", 12, czas6(qint64(o.NwP) - o.Emi)),
        pole("NWK=", 12, czas6(qint64(o.NwK) - o.Emi)),
        pole("POZ=", 12, czas6(o.Zagrano)),
        pole("INT=", 12, czas6(o.Int)),
        pole("OUT=", 12, czas6(o.Out)),
        pole("PMS=", 12, QString::number(o.Zagrano)),
        pole("PS1=", 8, o.PS1),
        pole("PS2=", 8, o.PS2),
        pole("PS3=", 8, o.PS3),
        pole("PS4=", 8, o.PS4),
    };
    return TekstPakietu(pola, RozmiarPakietu);
}

QByteArray PakietElementu(const ZrodloPakietow& z, int gracz, const QString& zdarzenie, const ElementPakietu& e,
                          qint32 korektaStartu) {
    // An element with no air time has nothing to announce a time for.
    const QString emi = e.Emi == -1 ? QString() : czas6(floorMod(qint64(e.Emi) + korektaStartu, DobaMsPakietu));
    // An element without its own end plays to the end of its file.
    const qint64 trw = (e.NwK != 0 ? qint64(e.NwK) : qint64(e.Trw)) - e.NwP;
    const QList<PolePakietu> pola{
        {QStringLiteral("STA="), 12, Nastawy.Id},
        {QStringLiteral("CZA="), 19, dataCzas(z)},
        {QStringLiteral("AKC="), 50, zdarzenie},
        {QStringLiteral("PLA="), 1, QString::number(gracz)},
        {QStringLiteral("EMI="), 12, emi},
        {QStringLiteral("TYP="), 3, KodTypuPakietu(e.Rodzaj)},
        {QStringLiteral("TRW="), 12, czas6(trw)},
        {QStringLiteral("IDE="), 30, e.Ide},
        {QStringLiteral("TYT="), 50, e.Tyt},
        {QStringLiteral("WYK="), 50, e.Wyk},
        {QStringLiteral("NWP="), 12, czas6(e.NwP)},
        {QStringLiteral("NWK="), 12, czas6(e.NwK)},
        {QStringLiteral("POZ="), 12, czas6(0)},
        {QStringLiteral("INT="), 12, czas6(e.Int)},
        {QStringLiteral("OUT="), 12, czas6(e.Out)},
        {QStringLiteral("PMS="), 12, QStringLiteral("0")},
        {QStringLiteral("PS1="), 8, e.PS1},
        {QStringLiteral("PS2="), 8, e.PS2},
        {QStringLiteral("PS3="), 8, e.PS3},
        {QStringLiteral("PS4="), 8, e.PS4},
    };
    return TekstPakietu(pola, RozmiarPakietu);
}

QByteArray PakietStanowiska(const ZrodloPakietow& z, const ZasobyStanowiska& zasoby) {
    const OdtwarzaczPakietu o1 = z.Odtwarzacz(1);
    const OdtwarzaczPakietu o2 = z.Odtwarzacz(2);
    QString tyt, wyk;
    if (o1.Gra) tyt = o1.Tyt, wyk = o1.Wyk;
    if (o2.Gra) tyt = o2.Tyt, wyk = o2.Wyk;
    const QList<PolePakietu> pola{
        {QStringLiteral("STA="), 12, Nastawy.Id},
        {QStringLiteral("WER="), 8, QStringLiteral("10.02.22")},
        {QStringLiteral("CZA="), 19, dataCzas(z)},
        {QStringLiteral("CPU="), 3, QStringLiteral("000")},
        {QStringLiteral("RAM="), 4, CzteryZnakiLiczby(zasoby.PamiecMiB)},
        {QStringLiteral("HD1="), 4, CzteryZnakiLiczby(zasoby.DyskCGiB)},
        {QStringLiteral("HD2="), 4, CzteryZnakiLiczby(zasoby.DyskDGiB)},
        {QStringLiteral("SAT="), 1, QStringLiteral("0")},
        {QStringLiteral("STR="), 1, zeroJeden(z.StolSterowanie())},
        {QStringLiteral("AUT="), 1, zeroJeden(z.AutomatJest())},
        {QStringLiteral("AST="), 1, zeroJeden(z.AutostopJest())},
        {QStringLiteral("PLM="), 1, QStringLiteral("0")},
        {QStringLiteral("VTM="), 1, QStringLiteral("0")},
        {QStringLiteral("RLM="), 1, QStringLiteral("0")},
        {QStringLiteral("PL1="), 1, zeroJeden(o1.Gra)},
        {QStringLiteral("PL2="), 1, zeroJeden(o2.Gra)},
        {QStringLiteral("TYT="), 50, tyt},
        {QStringLiteral("WYK="), 50, wyk},
    };
    return TekstPakietu(pola, RozmiarPakietu);
}

namespace {

QString kodKoloru(KolorCzasuOdtwarzacza k) {
    switch (k) {
    case KolorCzasuOdtwarzacza::Teal: return QStringLiteral("0");
    case KolorCzasuOdtwarzacza::Aqua: return QStringLiteral("1");
    case KolorCzasuOdtwarzacza::Lime: return QStringLiteral("2");
    case KolorCzasuOdtwarzacza::Red: return QStringLiteral("3");
    default: return QString();
    }
}

}  // namespace

QByteArray PakietMonitora(const ZrodloPakietow& z, quint8 cykl) {
    QList<PolePakietu> pola{
        {QStringLiteral("STA="), 12, Nastawy.Id},
        {QStringLiteral("CZA="), 19, dataCzas(z)},
    };
    OdtwarzaczPakietu gracze[4];
    for (int g = 1; g <= 3; ++g) gracze[g] = z.Odtwarzacz(g);
    for (int deck = 1; deck <= 2; ++deck) {
        const QString m = QStringLiteral("M%1").arg(deck);
        const OdtwarzaczPakietu& o = gracze[deck];
        pola << PolePakietu{m + QStringLiteral("T="), 20, o.Tyt} << PolePakietu{m + QStringLiteral("W="), 20, o.Wyk}
             << PolePakietu{m + QStringLiteral("K="), 5, z.MagnetLabel(deck)}
             << PolePakietu{m + QStringLiteral("P="), 4, QString::number(o.Udzial)}
             << PolePakietu{m + QStringLiteral("C="), 1, kodKoloru(z.MagnetKolor(deck))};
    }
    pola << PolePakietu{QStringLiteral("STG="), 8, z.Czas24Label()}
         << PolePakietu{QStringLiteral("STR="), 6, z.DeltaTLabel()};

    // The rows follow the element on air: two before the highest element on
    // players 1 to 3, or before the next to play when none carries one.
    qint32 pierwszy = 0;
    for (int g = 1; g <= 3; ++g) pierwszy = qMax(pierwszy, gracze[g].Element);
    if (pierwszy == 0) pierwszy = z.DoGraniaPlaylisty();
    pierwszy -= 2;
    const qint32 ilosc = z.IloscPlaylisty();
    const qint32 kursor = z.KursorPlaylisty();
    const qint32 doGrania = z.DoGraniaPlaylisty();

    for (int r = 0; r < 10; ++r) {
        const QString p = r < 9 ? QStringLiteral("P%1").arg(r + 1) : QStringLiteral("PA");
        const qint32 n = pierwszy + r;
        const bool jest = n >= 1 && n <= ilosc;
        ElementPakietu e;
        WierszPaneluPakietu w;
        QString s, udzial;
        if (jest) {
            e = z.ElementPlaylisty(n);
            w = z.WierszPlaylisty(n);
            s = (n == kursor && n == doGrania) ? QStringLiteral("4")
                : n == kursor                  ? QStringLiteral("2")
                : n == doGrania                ? QStringLiteral("3")
                                               : QStringLiteral("1");
            for (int g = 1; g <= 3; ++g)
                if (gracze[g].Element == n && gracze[g].Istnieje && gracze[g].Gra)
                    udzial = QString::number(gracze[g].Udzial);
        }
        auto pole = [&](const char* klucz, int dl, const QString& wartosc) {
            return PolePakietu{p + QLatin1String(klucz), dl, jest ? wartosc : QString()};
        };
        pola << pole("S=", 1, s) << pole("K=", 2, QString::number(e.Rodzaj)) << pole("E=", 9, w.Emisja)
             << pole("P=", 4, udzial) << pole("A=", 1, zeroJeden(e.Aut != 0));
        switch (cykl) {
        case 0: pola << pole("T=", 50, w.Tytul); break;
        case 1: pola << pole("W=", 50, w.Wykonawca); break;
        case 2: pola << pole("3=", 60, w.Trzecia); break;
        default:
            pola << pole("C=", 8, DlugoscGraniaWiersza(e.Trw, e.NwP, e.NwK))
                 << pole("I=", 2, DwaZnakiSekund(qint64(e.Int) - e.NwP))
                 << pole("O=", 2, DwaZnakiSekund(qint64(e.NwK) - e.Out))
                 << pole("M=", 2, e.Mix == -1 ? QString() : DwaZnakiSekund(e.Mix))
                 << pole("Z=", 1, e.Zak.isEmpty() ? QStringLiteral("?") : e.Zak);
            break;
        }
    }
    return TekstPakietu(pola, RozmiarPakietuMonitora);
}

// ---- sending ----

NadawcaUDP::NadawcaUDP(QString nazwa, QObject* parent) : QObject(parent), nazwa_(std::move(nazwa)) {}

void NadawcaUDP::Ustaw(const QString& adres, quint16 port) {
    if (wyszukiwanie_ != -1) QHostInfo::abortHostLookup(wyszukiwanie_);
    wyszukiwanie_ = -1;
    adresTekst_ = adres;
    port_ = port;
    aktywny_ = true;
    bladZgloszony_ = false;
    if (adres_.setAddress(adres)) return;
    // A host name is looked up once, without holding up the console; until
    // the answer comes nothing is sent.
    adres_.clear();
    wyszukiwanie_ = QHostInfo::lookupHost(adres, this, [this](const QHostInfo& info) {
        wyszukiwanie_ = -1;
        const QList<QHostAddress> adresy = info.addresses();
        for (const QHostAddress& a : adresy)
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                adres_ = a;
                return;
            }
        if (!adresy.isEmpty()) {
            adres_ = adresy.first();
            return;
        }
        Blad(QStringLiteral("nieznany adres"));
    });
}

void NadawcaUDP::Wylacz() {
    if (wyszukiwanie_ != -1) QHostInfo::abortHostLookup(wyszukiwanie_);
    wyszukiwanie_ = -1;
    aktywny_ = false;
}

void NadawcaUDP::Wyslij(const QByteArray& pakiet) {
    if (!aktywny_ || adres_.isNull()) return;
    if (gniazdo_.writeDatagram(pakiet, adres_, port_) != pakiet.size()) {
        Blad(gniazdo_.errorString());
        return;
    }
    bladZgloszony_ = false;
}

void NadawcaUDP::Blad(const QString& powod) {
    // Monitoring must never disturb the air: one line per spell of failures.
    if (bladZgloszony_) return;
    bladZgloszony_ = true;
    Log(QStringLiteral("Błąd wysyłania UDP %1 do %2:%3 - %4").arg(nazwa_, adresTekst_).arg(port_).arg(powod));
}

void ZegarPakietow::UstawInterwal(qint64 ms) {
    Interwal = ms;
    Termin = platform::clock().monotonicMs() + ms;
}

void ZegarPakietow::Wlacz(bool wlacz) {
    if (wlacz && !Wlaczony) Termin = platform::clock().monotonicMs() + Interwal;
    Wlaczony = wlacz;
}

Datagramy::Datagramy(const ZrodloPakietow& zrodlo, QObject* parent)
    : QObject(parent),
      IdUDPClient1(QStringLiteral("1")),
      IdUDPClient2(QStringLiteral("2")),
      IdUDPMonitorClient(QStringLiteral("Monitor")),
      zrodlo_(zrodlo) {
    budzik_.setSingleShot(true);
    budzik_.setTimerType(Qt::PreciseTimer);
    connect(&budzik_, &QTimer::timeout, this, &Datagramy::Takt);
}

void Datagramy::UstawNadawcow() {
    const NastawySatelity& s = Satelita;
    if (s.UDPBroadcastJest) {
        BroadcastTimer.UstawInterwal(qint64(s.UDPBroadcastInterwalS) * 1000);
        IdUDPClient1.Ustaw(s.UDPBroadcastAdres, quint16(s.UDPBroadcastPort));
    } else {
        IdUDPClient1.Wylacz();
    }
    if (s.UDPBroadcast2Jest) {
        BroadcastTimer2.UstawInterwal(qint64(s.UDPBroadcast2InterwalS) * 1000);
        if (s.UDPBroadcast2InterwalS > 0) IdUDPClient2.Ustaw(s.UDPBroadcast2Adres, quint16(s.UDPBroadcast2Port));
        // The first heartbeat's figures are measured meanwhile.
        Pomiar.Mierz(Zasoby);
    } else {
        IdUDPClient2.Wylacz();
    }
    if (s.UDPBroadcastMonitorJest) {
        BroadcastMonitorTimer.UstawInterwal(qint64(s.UDPBroadcastMonitorInterwalS) * 100);
        if (s.UDPBroadcastMonitorInterwalS > 0)
            IdUDPMonitorClient.Ustaw(s.UDPBroadcastMonitorAdres, quint16(s.UDPBroadcastMonitorPort));
    } else {
        IdUDPMonitorClient.Wylacz();
    }
    Planuj();
}

void Datagramy::WlaczZegary() {
    BroadcastTimer.Wlacz(Satelita.UDPBroadcastJest);
    BroadcastTimer2.Wlacz(Satelita.UDPBroadcast2Jest);
    BroadcastMonitorTimer.Wlacz(Satelita.UDPBroadcastMonitorJest);
    Planuj();
}

void Datagramy::ZatrzymajZegary() {
    BroadcastTimer.Wlacz(false);
    BroadcastTimer2.Wlacz(false);
    BroadcastMonitorTimer.Wlacz(false);
    Planuj();
}

void Datagramy::WyslijStanOdtwarzacza(int gracz, const QString& zdarzenie) {
    if (!Satelita.UDPBroadcastJest) return;
    // The periodic "STAN" follows the last event by a full period.
    BroadcastTimer.UstawInterwal(qint64(Satelita.UDPBroadcastInterwalS) * 1000);
    Planuj();
    const QByteArray pakiet = PakietOdtwarzacza(zrodlo_, gracz, zdarzenie, KorektaStartu);
    const quint16 obaSpoczynek = BitGPIPlayer1 | BitGPIPlayer2;
    if (zdarzenie != QLatin1String("STOP") && (SlowoGPI & obaSpoczynek) == obaSpoczynek) return;
    IdUDPClient1.Wyslij(pakiet);
}

void Datagramy::WyslijInfoElementu(int gracz, const QString& zdarzenie, const ElementPakietu& element) {
    if (!Satelita.UDPBroadcastJest) return;
    BroadcastTimer.UstawInterwal(qint64(Satelita.UDPBroadcastInterwalS) * 1000);
    Planuj();
    IdUDPClient1.Wyslij(PakietElementu(zrodlo_, gracz, zdarzenie, element, KorektaStartu));
}

void Datagramy::WyslijInfoElementu(int gracz, const QString& zdarzenie, const TElemPListy& element) {
    WyslijInfoElementu(gracz, zdarzenie, ElementPakietuZ(element));
}

void Datagramy::WyslijInfoElementu(int gracz, const QString& zdarzenie, qint32 numer) {
    if (numer < 1 || numer > StanPlaylisty.Ilosc || numer > MaksPlaylisty) return;
    WyslijInfoElementu(gracz, zdarzenie, Playlista[size_t(numer)]);
}

void Datagramy::WyslijStanStanowiska() {
    if (!Satelita.UDPBroadcast2Jest) return;
    IdUDPClient2.Wyslij(PakietStanowiska(zrodlo_, Pomiar.Ostatnie()));
    Pomiar.Mierz(Zasoby);
}

void Datagramy::WyslijPakietMonitora() {
    if (!Satelita.UDPBroadcastMonitorJest) return;
    IdUDPMonitorClient.Wyslij(PakietMonitora(zrodlo_, CyklMonitora));
    CyklMonitora = quint8((CyklMonitora + 1) % 4);
}

void Datagramy::BroadcastTimerTimer() {
    for (int g = 1; g <= 3; ++g) WyslijStanOdtwarzacza(g, QStringLiteral("STAN"));
}

void Datagramy::BroadcastTimer2Timer() { WyslijStanStanowiska(); }

void Datagramy::BroadcastMonitorTimerTimer() { WyslijPakietMonitora(); }

void Datagramy::Takt() {
    const qint64 teraz = platform::clock().monotonicMs();
    auto czas = [teraz](ZegarPakietow& z) {
        if (!z.Dziala() || teraz < z.Termin) return false;
        // One tick however late it comes; the period keeps its phase.
        while (z.Termin <= teraz) z.Termin += z.Interwal;
        return true;
    };
    if (czas(BroadcastTimer)) BroadcastTimerTimer();
    if (czas(BroadcastTimer2)) BroadcastTimer2Timer();
    if (czas(BroadcastMonitorTimer)) BroadcastMonitorTimerTimer();
    Planuj();
}

void Datagramy::Planuj() {
    const qint64 teraz = platform::clock().monotonicMs();
    qint64 najblizszy = -1;
    for (const ZegarPakietow* z : {&BroadcastTimer, &BroadcastTimer2, &BroadcastMonitorTimer})
        if (z->Dziala() && (najblizszy < 0 || z->Termin < najblizszy)) najblizszy = z->Termin;
    if (najblizszy < 0) {
        budzik_.stop();
        return;
    }
    budzik_.start(int(qBound(qint64(0), najblizszy - teraz, qint64(24) * 3600 * 1000)));
}
