#include <gtest/gtest.h>

#include <QMap>
#include <QNetworkDatagram>
#include <QThread>
#include <QUdpSocket>

#include <atomic>

#include "console/support/KonsolaTestPomoc.h"
#include "console/links/Datagramy.h"
#include "foundation/KestWej.h"
#include "platform/Clock.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

namespace {

// The console as a test sets it up: labels, player records and a playlist.
struct ZrodloTestowe : ZrodloPakietow {
    QString Data = QStringLiteral("2026-12-06");
    QString Czas = QStringLiteral("12:00:00");
    QString Delta = QStringLiteral("+00:05");
    QString Magnet[3];
    KolorCzasuOdtwarzacza Kolor[3]{};
    OdtwarzaczPakietu Gracze[6];
    bool Automat = false, Autostop = false, Stol = false;
    QList<ElementPakietu> Lista;  // element n at n - 1
    qint32 Kursor = 0, DoGrania = 0;

    QString DataLabel() const override { return Data; }
    QString Czas24Label() const override { return Czas; }
    QString DeltaTLabel() const override { return Delta; }
    QString MagnetLabel(int deck) const override { return Magnet[deck]; }
    KolorCzasuOdtwarzacza MagnetKolor(int deck) const override { return Kolor[deck]; }
    OdtwarzaczPakietu Odtwarzacz(int slot) const override {
        return slot >= 1 && slot <= 5 ? Gracze[slot] : OdtwarzaczPakietu{};
    }
    bool AutomatJest() const override { return Automat; }
    bool AutostopJest() const override { return Autostop; }
    bool StolSterowanie() const override { return Stol; }
    qint32 IloscPlaylisty() const override { return qint32(Lista.size()); }
    qint32 KursorPlaylisty() const override { return Kursor; }
    qint32 DoGraniaPlaylisty() const override { return DoGrania; }
    ElementPakietu ElementPlaylisty(qint32 n) const override { return Lista.at(n - 1); }
    WierszPaneluPakietu WierszPlaylisty(qint32 n) const override {
        const ElementPakietu& e = Lista.at(n - 1);
        return {QStringLiteral("12:0%1:00").arg(n), e.Tyt, e.Wyk, QStringLiteral("trzecia %1").arg(n)};
    }
};

// The lines of a packet before its blanks, as key -> value in order.
QList<QPair<QString, QString>> Linie(const QByteArray& pakiet) {
    QList<QPair<QString, QString>> wynik;
    const QString tekst = platform::fromCp1250(pakiet);
    const QStringList linie = tekst.split(QStringLiteral("\r\n"));
    for (int i = 0; i + 1 < linie.size(); ++i) {
        const int r = linie[i].indexOf(QLatin1Char('='));
        wynik.append({linie[i].left(r + 1), linie[i].mid(r + 1)});
    }
    return wynik;
}

QMap<QString, QString> Pola(const QByteArray& pakiet) {
    QMap<QString, QString> m;
    for (const auto& [k, v] : Linie(pakiet)) m.insert(k, v);
    return m;
}

struct DatagramTest : ::testing::Test {
    TempProgramFolder folder;
    platform::ManualClock zegar;
    platform::ScopedClock zakres{&zegar};
    ZrodloTestowe zrodlo;
    QUdpSocket odbiornik;

    void SetUp() override {
        LogDoFolderu(folder);
        Nastawy.Id = QStringLiteral("STUDIO1");
        DomyslneNastawySatelity();
        SlowoGPI = SlowoGPISpoczynek;
        ASSERT_TRUE(odbiornik.bind(QHostAddress::LocalHost, 0));
        const qint32 port = odbiornik.localPort();
        Satelita.UDPBroadcastPort = Satelita.UDPBroadcast2Port = Satelita.UDPBroadcastMonitorPort = port;
    }
    void TearDown() override { Nastawy.LOGZbiorJest = false; }

    QByteArray Odbierz() {
        if (!odbiornik.hasPendingDatagrams()) odbiornik.waitForReadyRead(3000);
        return odbiornik.hasPendingDatagrams() ? odbiornik.receiveDatagram().data() : QByteArray();
    }
    bool Pusto() {
        QCoreApplication::processEvents();
        return !odbiornik.hasPendingDatagrams();
    }
    static OdtwarzaczPakietu GraczGrajacy() {
        OdtwarzaczPakietu o;
        o.Istnieje = o.Zaladowany = o.Gra = true;
        o.RodzajElementu = 1;
        o.Ide = QStringLiteral("A123");
        o.Tyt = QStringLiteral("Łąka");
        o.Wyk = QStringLiteral("Ewa");
        o.CzasStartu = QStringLiteral("12:00:00");
        o.Emi = 43'199'500;  // the file starts 500 ms before its new start
        o.StartMS = 43'200'300;
        o.NwP = 43'200'000;
        o.NwK = 43'410'000;
        o.Int = 15'000;
        o.Out = 10'000;
        o.PS1 = QStringLiteral("X");
        return o;
    }
};

TEST_F(DatagramTest, IdleStanOfPlayer2IsTheLinesThenBlanks) {
    Satelita.UDPBroadcastJest = true;
    SlowoGPI = 0x38;  // player 1's signal active, so status datagrams go out
    Datagramy d(zrodlo);
    d.UstawNadawcow();
    d.WyslijStanOdtwarzacza(2, QStringLiteral("STAN"));

    QByteArray linie = "STA=STUDIO1\r\nCZA=2026-12-06 12:00:00\r\nAKC=STAN\r\nPLA=2\r\n";
    for (const char* k : {"EMI", "TYP", "TRW", "IDE", "TYT", "WYK", "NWP", "NWK", "POZ", "INT", "OUT", "PMS", "PS1",
                          "PS2", "PS3", "PS4"})
        linie += QByteArray(k) + "=\r\n";
    ASSERT_EQ(linie.size(), 151);
    EXPECT_EQ(Odbierz(), linie + QByteArray(353, ' '));
}

TEST_F(DatagramTest, StartOfALoadedPlayerIsExactAndKeepsTheStartCorrection) {
    Satelita.UDPBroadcastJest = true;
    SlowoGPI = 0x30;
    zrodlo.Gracze[1] = GraczGrajacy();
    Datagramy d(zrodlo);
    d.UstawNadawcow();
    d.WyslijStanOdtwarzacza(1, QStringLiteral("START"));

    const QByteArray linie = QByteArray("STA=STUDIO1\r\nCZA=2026-12-06 12:00:00\r\nAKC=START\r\nPLA=1\r\n") +
                             "EMI=12:00:00.000\r\nTYP=SND\r\nTRW=00:03:30.000\r\nIDE=A123\r\nTYT=\xA3\xB9ka\r\n"
                             "WYK=Ewa\r\nNWP=00:00:00.500\r\nNWK=00:03:30.500\r\nPOZ=00:00:00.000\r\n"
                             "INT=00:00:15.000\r\nOUT=00:00:10.000\r\nPMS=0\r\nPS1=X\r\nPS2=\r\nPS3=\r\nPS4=\r\n";
    ASSERT_EQ(linie.size(), 252);
    EXPECT_EQ(Odbierz(), linie + QByteArray(252, ' '));
    EXPECT_EQ(d.KorektaStartu, 800);
}

TEST_F(DatagramTest, IdleInputWordHoldsBackAllButStopAndEveryCallRestartsTheStatusPeriod) {
    Satelita.UDPBroadcastJest = true;
    Satelita.UDPBroadcastInterwalS = 15;
    ASSERT_EQ(SlowoGPI, 0x78);
    zrodlo.Gracze[1] = GraczGrajacy();
    Datagramy d(zrodlo);
    d.UstawNadawcow();
    d.WlaczZegary();

    zegar.advance(10'000);
    d.WyslijStanOdtwarzacza(1, QStringLiteral("START"));
    EXPECT_EQ(d.BroadcastTimer.Termin, zegar.monotonicMs() + 15'000);
    zegar.advance(10'000);
    d.Takt();  // the period was restarted: no "STAN" yet
    d.WyslijStanOdtwarzacza(1, QStringLiteral("FADE"));
    EXPECT_EQ(d.BroadcastTimer.Termin, zegar.monotonicMs() + 15'000);
    d.WyslijStanOdtwarzacza(1, QStringLiteral("STOP"));

    EXPECT_EQ(Pola(Odbierz()).value(QStringLiteral("AKC=")), QStringLiteral("STOP"));
    EXPECT_TRUE(Pusto());

    // Player 2's signal active: "START" goes out again.
    SlowoGPI = 0x70;
    d.WyslijStanOdtwarzacza(1, QStringLiteral("START"));
    EXPECT_EQ(Pola(Odbierz()).value(QStringLiteral("AKC=")), QStringLiteral("START"));
}

TEST_F(DatagramTest, StatusTimerSendsPlayers1To3AfterAFullQuietPeriod) {
    Satelita.UDPBroadcastJest = true;
    Satelita.UDPBroadcastInterwalS = 15;
    SlowoGPI = 0x30;
    Datagramy d(zrodlo);
    d.UstawNadawcow();
    d.WlaczZegary();
    zegar.advance(14'999);
    d.Takt();
    EXPECT_TRUE(Pusto());
    zegar.advance(1);
    d.Takt();
    for (const char* g : {"1", "2", "3"}) {
        const auto p = Pola(Odbierz());
        EXPECT_EQ(p.value(QStringLiteral("AKC=")), QStringLiteral("STAN"));
        EXPECT_EQ(p.value(QStringLiteral("PLA=")), QLatin1String(g));
    }
    EXPECT_TRUE(Pusto());
}

TEST_F(DatagramTest, SwitchedOffSendersSendNothing) {
    SlowoGPI = 0x30;
    Datagramy d(zrodlo);
    d.UstawNadawcow();
    d.WlaczZegary();
    d.WyslijStanOdtwarzacza(1, QStringLiteral("STOP"));
    d.WyslijInfoElementu(0, QStringLiteral("DO GRANIA"), ElementPakietu{});
    d.WyslijStanStanowiska();
    d.WyslijPakietMonitora();
    zegar.advance(60'000);
    d.Takt();
    EXPECT_TRUE(Pusto());
    EXPECT_EQ(d.CyklMonitora, 0);
}

TEST_F(DatagramTest, ItemDatagramCorrectsTheAirTimeAcrossMidnightAndFallsBackToTheFileLength) {
    ElementPakietu e;
    e.Rodzaj = 3;  // a break has no kind code
    e.Ide = QStringLiteral("B7");
    e.Emi = 86'399'000;
    e.Trw = 200'000;
    e.NwP = 1'000;
    e.NwK = 0;
    e.Int = 5'000;
    e.Tyt = QString(70, QLatin1Char('t'));
    auto p = Pola(PakietElementu(zrodlo, 0, QStringLiteral("DO GRANIA2"), e, 2'000));
    EXPECT_EQ(p.value(QStringLiteral("AKC=")), QStringLiteral("DO GRANIA2"));
    EXPECT_EQ(p.value(QStringLiteral("PLA=")), QStringLiteral("0"));
    EXPECT_EQ(p.value(QStringLiteral("EMI=")), QStringLiteral("00:00:01.000"));
    EXPECT_EQ(p.value(QStringLiteral("TYP=")), QString());
    EXPECT_EQ(p.value(QStringLiteral("TRW=")), QStringLiteral("00:03:19.000"));
    EXPECT_EQ(p.value(QStringLiteral("TYT=")), QString(50, QLatin1Char('t')));
    EXPECT_EQ(p.value(QStringLiteral("POZ=")), QStringLiteral("00:00:00.000"));
    EXPECT_EQ(p.value(QStringLiteral("PMS=")), QStringLiteral("0"));

    // A correction that puts the time before midnight wraps back into the day.
    EXPECT_EQ(Pola(PakietElementu(zrodlo, 0, QString(), e, -86'400'000)).value(QStringLiteral("EMI=")),
              QStringLiteral("23:59:59.000"));
    e.Emi = -1;
    EXPECT_EQ(Pola(PakietElementu(zrodlo, 0, QString(), e, 2'000)).value(QStringLiteral("EMI=")), QString());
}

TEST_F(DatagramTest, PacketTextCutsFieldsAndTheWholeToSize) {
    const QByteArray p = TekstPakietu({{QStringLiteral("AB="), 3, QStringLiteral("żółwie")}}, 12);
    EXPECT_EQ(p, QByteArray("AB=\xBF\xF3\xB3\r\n    "));
    EXPECT_EQ(TekstPakietu({{QStringLiteral("AB="), 10, QStringLiteral("0123456789")}}, 8), QByteArray("AB=01234"));
}

TEST_F(DatagramTest, HeartbeatCarriesModesFiguresAndTheLastPlayingTitle) {
    Satelita.UDPBroadcast2Jest = true;
    zrodlo.Automat = true;
    zrodlo.Stol = true;
    zrodlo.Gracze[1] = GraczGrajacy();
    zrodlo.Gracze[2] = GraczGrajacy();
    zrodlo.Gracze[2].Tyt = QStringLiteral("Drugi");
    // The figures are measured off the program's thread, at start-up and
    // then after each heartbeat for the next one.
    std::atomic<int> pomiary{0};
    std::atomic<bool> naWatkuProgramu{false};
    const auto watek = QThread::currentThread();
    Datagramy d(zrodlo);
    d.Zasoby = [&] {
        naWatkuProgramu = naWatkuProgramu || QThread::currentThread() == watek;
        return ZasobyStanowiska{123'456, 36 + ++pomiary, -5};
    };
    d.UstawNadawcow();
    d.Pomiar.Czekaj();
    d.WyslijStanStanowiska();
    const QByteArray pakiet = Odbierz();
    ASSERT_EQ(pakiet.size(), RozmiarPakietu);
    const auto linie = Linie(pakiet);
    QStringList klucze;
    for (const auto& l : linie) klucze << l.first;
    EXPECT_EQ(klucze.join(QLatin1Char(' ')),
              QStringLiteral("STA= WER= CZA= CPU= RAM= HD1= HD2= SAT= STR= AUT= AST= PLM= VTM= RLM= PL1= PL2= TYT= WYK="));
    const auto p = Pola(pakiet);
    EXPECT_EQ(p.value(QStringLiteral("WER=")), QStringLiteral("10.02.22"));
    EXPECT_EQ(p.value(QStringLiteral("RAM=")), QStringLiteral("9999"));
    EXPECT_EQ(p.value(QStringLiteral("HD1=")), QStringLiteral("  37"));
    EXPECT_EQ(p.value(QStringLiteral("HD2=")), QStringLiteral("   0"));
    EXPECT_EQ(p.value(QStringLiteral("STR=")) + p.value(QStringLiteral("AUT=")) + p.value(QStringLiteral("AST=")),
              QStringLiteral("110"));
    EXPECT_EQ(p.value(QStringLiteral("PL1=")) + p.value(QStringLiteral("PL2=")), QStringLiteral("11"));
    EXPECT_EQ(p.value(QStringLiteral("TYT=")), QStringLiteral("Drugi"));
    d.Pomiar.Czekaj();
    d.WyslijStanStanowiska();
    EXPECT_EQ(Pola(Odbierz()).value(QStringLiteral("HD1=")), QStringLiteral("  38"));
    EXPECT_FALSE(naWatkuProgramu);

    // Linux gives real figures: some memory is always available.
    EXPECT_GT(ZasobyZSystemu().PamiecMiB, 0);
}

TEST_F(DatagramTest, HeartbeatWithIntervalZeroHasNoTimer) {
    Satelita.UDPBroadcast2Jest = true;
    Satelita.UDPBroadcast2InterwalS = 0;
    Datagramy d(zrodlo);
    d.UstawNadawcow();
    d.WlaczZegary();
    EXPECT_FALSE(d.BroadcastTimer2.Dziala());
    EXPECT_FALSE(d.IdUDPClient2.Aktywny());
}

struct MonitorTest : DatagramTest {
    void SetUp() override {
        DatagramTest::SetUp();
        for (int n = 1; n <= 12; ++n) {
            ElementPakietu e;
            e.Rodzaj = n == 2 ? 8 : 1;
            e.Tyt = QStringLiteral("Tytuł %1").arg(n);
            e.Wyk = QStringLiteral("Wyk %1").arg(n);
            e.Trw = 200'000;
            e.NwP = 1'000;
            e.NwK = 181'000;
            e.Int = 6'000;
            e.Out = 171'000;
            e.Mix = 5'000;
            e.Zak = QStringLiteral("F");
            zrodlo.Lista.append(e);
        }
    }
};

TEST_F(MonitorTest, FourDatagramsCycleThroughTheRowDetailsOnePerIntervalTenth) {
    Satelita.UDPBroadcastMonitorJest = true;
    Satelita.UDPBroadcastMonitorInterwalS = 10;
    zrodlo.DoGrania = 1;
    Datagramy d(zrodlo);
    d.UstawNadawcow();
    d.WlaczZegary();

    const QStringList grupy{QStringLiteral("T="), QStringLiteral("W="), QStringLiteral("3="),
                            QStringLiteral("C= I= O= M= Z="), QStringLiteral("T=")};
    for (int i = 0; i < 5; ++i) {
        for (int krok = 0; krok < 9; ++krok) {
            zegar.advance(100);
            d.Takt();
        }
        EXPECT_TRUE(Pusto()) << "before " << i;
        zegar.advance(100);
        d.Takt();
        const QByteArray pakiet = Odbierz();
        ASSERT_EQ(pakiet.size(), RozmiarPakietuMonitora);
        QStringList wiersz3;
        for (const auto& [k, v] : Linie(pakiet))
            if (k.startsWith(QLatin1String("P3"))) wiersz3 << k.mid(2);
        EXPECT_EQ(wiersz3.join(QLatin1Char(' ')), QStringLiteral("S= K= E= P= A= ") + grupy[i]) << i;
    }
}

TEST_F(MonitorTest, RowsStartTwoBeforeTheNextToPlayAndCarryItsState) {
    zrodlo.DoGrania = 1;
    zrodlo.Kursor = 2;
    zrodlo.Magnet[1] = QStringLiteral("03:25");
    zrodlo.Kolor[1] = KolorCzasuOdtwarzacza::Red;
    zrodlo.Kolor[2] = KolorCzasuOdtwarzacza::Inny;
    auto p = Pola(PakietMonitora(zrodlo, 0));
    EXPECT_EQ(p.value(QStringLiteral("M1K=")), QStringLiteral("03:25"));
    EXPECT_EQ(p.value(QStringLiteral("M1C=")), QStringLiteral("3"));
    EXPECT_EQ(p.value(QStringLiteral("M2C=")), QString());
    EXPECT_EQ(p.value(QStringLiteral("STG=")), QStringLiteral("12:00:00"));
    EXPECT_EQ(p.value(QStringLiteral("STR=")), QStringLiteral("+00:05"));
    for (const char* pusty : {"P1", "P2"})
        for (const char* k : {"S=", "K=", "E=", "P=", "A=", "T="})
            EXPECT_EQ(p.value(QLatin1String(pusty) + QLatin1String(k)), QString()) << pusty << k;
    EXPECT_EQ(p.value(QStringLiteral("P3S=")), QStringLiteral("3"));
    EXPECT_EQ(p.value(QStringLiteral("P3T=")), QStringLiteral("Tytuł 1"));
    EXPECT_EQ(p.value(QStringLiteral("P3E=")), QStringLiteral("12:01:00"));
    EXPECT_EQ(p.value(QStringLiteral("P4S=")), QStringLiteral("2"));
    EXPECT_EQ(p.value(QStringLiteral("P4K=")), QStringLiteral("8"));
    EXPECT_EQ(p.value(QStringLiteral("PAT=")), QStringLiteral("Tytuł 8"));

    // Element 5 plays on player 2, element 6 is loaded on player 1 but idle.
    zrodlo.Gracze[2] = GraczGrajacy();
    zrodlo.Gracze[2].Element = 5;
    zrodlo.Gracze[2].Udzial = 420;
    zrodlo.Gracze[1].Istnieje = zrodlo.Gracze[1].Zaladowany = true;
    zrodlo.Gracze[1].Element = 6;
    zrodlo.Gracze[1].Udzial = 7;
    zrodlo.Kursor = zrodlo.DoGrania = 7;
    zrodlo.Lista[4].Aut = 1;
    p = Pola(PakietMonitora(zrodlo, 0));
    EXPECT_EQ(p.value(QStringLiteral("P1T=")), QStringLiteral("Tytuł 4"));
    EXPECT_EQ(p.value(QStringLiteral("P2P=")), QStringLiteral("420"));
    EXPECT_EQ(p.value(QStringLiteral("P2A=")), QStringLiteral("1"));
    EXPECT_EQ(p.value(QStringLiteral("P3P=")), QString());
    EXPECT_EQ(p.value(QStringLiteral("P4S=")), QStringLiteral("4"));
    EXPECT_EQ(p.value(QStringLiteral("M1P=")), QStringLiteral("7"));
    // Past the playlist's end the rows are empty but still there.
    EXPECT_TRUE(p.contains(QStringLiteral("PAT=")));
    EXPECT_EQ(p.value(QStringLiteral("PAT=")), QString());
}

TEST_F(MonitorTest, LengthAndSecondFieldsKeepToTwoCharacters) {
    zrodlo.DoGrania = 3;  // rows P1..PA show elements 1..10
    auto ustaw = [&](int n, qint32 nwp, qint32 nwk, qint32 trw, qint32 in, qint32 out, qint32 mix, QString zak) {
        ElementPakietu& e = zrodlo.Lista[n - 1];
        e.NwP = nwp, e.NwK = nwk, e.Trw = trw, e.Int = in, e.Out = out, e.Mix = mix, e.Zak = zak;
    };
    ustaw(1, 0, 0, 3'599'999, 5'000, 0, 5'000, QStringLiteral("F"));          // length from Trw, below an hour
    ustaw(2, 0, 3'600'000, 0, 120'000, 3'599'000, 120'000, QString());       // an hour, "^^"
    ustaw(3, 2'000, 60'000, 0, 0, 50'500, -1, QStringLiteral("K"));          // intro before NwP, no mix
    ustaw(4, 0, 60'000, 0, 0, 60'000, -3'000, QStringLiteral("K"));
    ustaw(5, 0, 60'000, 0, 0, 60'000, -12'000, QStringLiteral("K"));
    const auto p = Pola(PakietMonitora(zrodlo, 3));
    auto wiersz = [&](int r) {
        const QString k = QStringLiteral("P%1").arg(r);
        QStringList w;
        for (const char* f : {"C=", "I=", "O=", "M=", "Z="}) w << p.value(k + QLatin1String(f));
        return w.join(QLatin1Char('|'));
    };
    EXPECT_EQ(wiersz(1), QStringLiteral("59:59|05|00|05|F"));
    EXPECT_EQ(wiersz(2), QStringLiteral("01:00:00|^^|01|^^|?"));
    EXPECT_EQ(wiersz(3), QStringLiteral("00:58|-2|09||K"));
    EXPECT_EQ(wiersz(4), QStringLiteral("01:00|00|00|-3|K"));
    EXPECT_EQ(wiersz(5), QStringLiteral("01:00|00|00|^^|K"));
}

// The rows and items of the program's own playlist: the kind is the low
// five bits of the element's type, whatever its flags.
TEST_F(DatagramTest, TheProgramsPlaylistFeedsRowsAndItems) {
    struct ZrodloProgramu final : ZrodloTestowe {
        qint32 IloscPlaylisty() const override { return ZrodloPakietow::IloscPlaylisty(); }
        qint32 KursorPlaylisty() const override { return ZrodloPakietow::KursorPlaylisty(); }
        qint32 DoGraniaPlaylisty() const override { return ZrodloPakietow::DoGraniaPlaylisty(); }
        ElementPakietu ElementPlaylisty(qint32 n) const override { return ZrodloPakietow::ElementPlaylisty(n); }
        WierszPaneluPakietu WierszPlaylisty(qint32) const override { return {}; }
    } z;
    WyczyscPlayliste();
    TElemPListy& e = Playlista[1];
    e.Typ = TypGrajO | TypZagrany | RodzajREK;
    e.Aut = 1;
    e.Emi = 43'200'000;
    e.Zak = QStringLiteral("F");
    StanPlaylisty.Ilosc = 1;
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;

    const auto wiersze = Pola(PakietMonitora(z, 3));
    EXPECT_EQ(wiersze.value(QStringLiteral("P3S=")), QStringLiteral("4"));
    EXPECT_EQ(wiersze.value(QStringLiteral("P3K=")), QStringLiteral("5"));
    EXPECT_EQ(wiersze.value(QStringLiteral("P3A=")), QStringLiteral("1"));
    EXPECT_EQ(wiersze.value(QStringLiteral("P3Z=")), QStringLiteral("F"));
    const auto p = Pola(PakietElementu(z, 0, QStringLiteral("DO GRANIA"), ElementPakietuZ(e), 0));
    EXPECT_EQ(p.value(QStringLiteral("TYP=")), QStringLiteral("REK"));
    EXPECT_EQ(p.value(QStringLiteral("EMI=")), QStringLiteral("12:00:00.000"));
    WyczyscPlayliste();
}

TEST_F(DatagramTest, FailedSendIsLoggedOnceAndTheNextDatagramsStillGo) {
    Satelita.UDPBroadcastMonitorJest = true;
    Satelita.UDPBroadcastMonitorPort = 0;  // nothing can be sent to port 0
    Datagramy d(zrodlo);
    d.UstawNadawcow();
    for (int i = 0; i < 3; ++i) d.WyslijPakietMonitora();
    EXPECT_EQ(TekstLogu().count(QStringLiteral("Błąd wysyłania UDP")), 1);
    EXPECT_EQ(d.CyklMonitora, 3);
}

}  // namespace
