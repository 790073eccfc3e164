// The main window joined to the engine: mode commands from the dispatcher,
// the modes driving the window's timers, and the engine's datagrams leaving
// through the window's senders with the window's texts.
#include <gtest/gtest.h>

#include "common/TempFolder.h"
#include "console/support/KonsolaTestPomoc.h"
#include "console/window/PolaczeniaOkna.h"
#include "console/commands/Komendy.h"
#include "console/window/TTolv.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestWej.h"
#include "foundation/Zdarzenie.h"
#include "platform/Clock.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

#include <QDir>
#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>

using namespace Qt::StringLiterals;

namespace {

class Wiring : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(odbiornik_.bind(QHostAddress::LocalHost, 0));
        KasujZdarzenie();
        SlowoGPI = SlowoGPIPoprzednie = 0;  // as the program starts
    }
    void TearDown() override {
        WyczyscPlayliste();
    }

    void nastawy(const QStringList& satelita = {}) {
        QStringList l{QStringLiteral("[Nazwa programu]"), QStringLiteral("Nazwa=Tolvane"),
                      QStringLiteral("[Nastawy programu]"), QStringLiteral("Id=Studio"),
                      QStringLiteral("OknoStanStart=0"), QStringLiteral("[Satelita]")};
        l << satelita;
        ASSERT_TRUE(platform::writeTextFileAtomic(folder_.file(QStringLiteral("TOLVANE.INI")), l));
    }
    // Every datagram sender to the test's socket, each timer at one second.
    QStringList wszystkieDoTestu() const {
        const QString port = QString::number(odbiornik_.localPort());
        QStringList l;
        for (const char* k : {"UDPBroadcast", "UDPBroadcast2", "UDPBroadcastMonitor"}) {
            const QString p = QString::fromLatin1(k);
            l << p + QStringLiteral("Jest=1") << p + QStringLiteral("Adres=127.0.0.1") << p + QStringLiteral("Port=") + port
              << p + QStringLiteral("InterwalS=") + (p.endsWith(QLatin1String("Monitor")) ? u"10"_s : u"1"_s);
        }
        return l;
    }
    static void komenda(TTolv& okno, quint16 id) {
        Zdarzenie.Rodzaj = ZdarzenieKomenda;
        Zdarzenie.Kod = id;
        okno.dyspozytor().Dyspozytuj();
    }
    // Datagrams that arrived within a bounded wait, as their texts.
    QList<QByteArray> odbierz(int ile) {
        QList<QByteArray> out;
        for (int i = 0; i < 50 && out.size() < ile; ++i) {
            odbiornik_.waitForReadyRead(20);
            while (odbiornik_.hasPendingDatagrams()) out << odbiornik_.receiveDatagram().data();
        }
        return out;
    }
    static QString pole(const QByteArray& d, const char* klucz) {
        const QByteArray k = QByteArray(klucz) + '=';
        for (const QByteArray& l : d.split('\n'))
            if (l.startsWith(k)) return QString::fromLatin1(l.mid(k.size()).trimmed());
        return u"<none>"_s;
    }

    platform::ManualClock zegar_{QDate(2026, 12, 6), 9 * 3600 * 1000 + 5 * 60 * 1000 + 7000};
    platform::ScopedClock zakres_{&zegar_};
    TempProgramFolder folder_;
    StanowiskoWFolderze stanowisko_{folder_};
    DialogiSkrypt dialogi_;
    QUdpSocket odbiornik_;
};

TEST_F(Wiring, ModeCommandsActAndDriveTheWindowsTimers) {
    nastawy();
    TTolv okno;
    okno.FormCreate({});
    okno.FormShow();

    ASSERT_TRUE(okno.Silnik().AutostopJest);  // AutoStop=1 is the settings' default
    komenda(okno, KomAutoStop);
    EXPECT_FALSE(okno.Silnik().AutostopJest);
    komenda(okno, KomSterowanie);
    EXPECT_TRUE(okno.Silnik().StolSterowanie);

    // Automat needs more than one element.
    komenda(okno, KomAutomat);
    EXPECT_FALSE(okno.Silnik().Stan.TrybAutomat);
    for (int i = 1; i <= 2; ++i) InitElemPListy(Playlista[i]);
    StanPlaylisty.Ilosc = 2;
    komenda(okno, KomAutomat);
    EXPECT_TRUE(okno.Silnik().Stan.TrybAutomat);

    // SAT switches Automat off and runs the re-join timer while it is on.
    komenda(okno, KomSat);
    EXPECT_TRUE(okno.Silnik().SatWlaczony);
    EXPECT_FALSE(okno.Silnik().Stan.TrybAutomat);
    EXPECT_TRUE(okno.SatPlusTimer->isActive());
    komenda(okno, KomSat);
    EXPECT_FALSE(okno.SatPlusTimer->isActive());

    // Once the window closed its timers, a mode cannot start one again.
    komenda(okno, KomSat);
    ASSERT_TRUE(okno.SatPlusTimer->isActive());
    dialogi_.Odpowiedz(OdpowiedzTak);
    ASSERT_EQ(okno.FormClose(), 2);
    EXPECT_FALSE(okno.SatPlusTimer->isActive());
    Zegary().Wlacz(TimerKonsoli::SatPlus, true);
    EXPECT_FALSE(okno.SatPlusTimer->isActive());
}

TEST_F(Wiring, TheEnginesDatagramsLeaveThroughTheWindowWithItsTexts) {
    nastawy(wszystkieDoTestu());
    TTolv okno;
    okno.FormCreate({});
    okno.FormShow();
    ASSERT_TRUE(okno.datagramy().BroadcastMonitorTimer.Dziala());

    // The cueing code's item datagram goes out through the window's outputs.
    InitElemPListy(Playlista[1]);
    Playlista[1].Ide = u"S01"_s;
    Playlista[1].Typ = RodzajSND;
    StanPlaylisty.Ilosc = 1;
    okno.Silnik().Wyjscia().WyslijInfoElementu(0, QStringLiteral("DO GRANIA"), 1);
    auto d = odbierz(1);
    ASSERT_EQ(d.size(), 1);
    EXPECT_EQ(d[0].size(), RozmiarPakietu);
    EXPECT_EQ(pole(d[0], "AKC"), u"DO GRANIA"_s);
    EXPECT_EQ(pole(d[0], "IDE"), u"S01"_s);
    EXPECT_EQ(pole(d[0], "CZA"), u"2026-12-06 09:05:07"_s);

    // On the program clock: a second later the heartbeat, the monitor with
    // the deck's time text and the clock, and the players' "STAN" (without
    // desk polling the input word holds nothing back).
    zegar_.advance(1000);
    okno.datagramy().Takt();
    d = odbierz(5);
    ASSERT_EQ(d.size(), 5);
    QStringList rodzaje;
    for (const QByteArray& p : d) {
        if (p.size() == RozmiarPakietuMonitora) {
            EXPECT_EQ(pole(p, "STG"), u"09:05:08"_s);
            EXPECT_EQ(pole(p, "M1K"), u"00:00"_s);
            EXPECT_EQ(pole(p, "M1C"), u"0"_s);  // an idle deck is teal
            EXPECT_EQ(pole(p, "STR"), u"00:00"_s);
            rodzaje << u"monitor"_s;
        } else {
            rodzaje << (pole(p, "WER") != u"<none>"_s ? u"heartbeat"_s : pole(p, "AKC"));
        }
    }
    rodzaje.sort();
    EXPECT_EQ(rodzaje, QStringList({"STAN", "STAN", "STAN", "heartbeat", "monitor"}));

    // Closing stops the datagram timers with the others.
    dialogi_.Odpowiedz(OdpowiedzTak);
    ASSERT_EQ(okno.FormClose(), 2);
    zegar_.advance(5000);
    okno.datagramy().Takt();
    EXPECT_TRUE(odbierz(1).isEmpty());
}

TEST_F(Wiring, EveryOutputIsInstalledNoneIsLoggedMissing) {
    nastawy({QStringLiteral("[Emisja MIX]"), QStringLiteral("SERWISJest=1")});
    TTolv okno;
    okno.FormCreate({});
    LogDoFolderu(folder_);
    okno.FormShow();
    // The news insertion stands: its timer runs.
    EXPECT_TRUE(okno.SERWISTimer->isActive());
    WyjsciaEmisji& w = okno.Silnik().Wyjscia();
    w.WyslijStanOdtwarzacza(1, u"STOP"_s);  // the datagrams stand
    w.OdswiezOdtwarzacze();                 // and so do the deck panels
    w.OdswiezPlayliste();                   // and the list panels
    w.OdswiezTimeliste();
    w.OdswiezKomunikat();
    w.OdswiezNazwe();                       // and the playlist's name field
    EXPECT_EQ(TekstLogu().count(u"Funkcja niedostępna: "_s), 0) << TekstLogu().toStdString();
}

TEST(DeviationLabel, SignsAndTheHourLimit) {
    EXPECT_EQ(TekstOdchylenia(0), u"00:00"_s);
    EXPECT_EQ(TekstOdchylenia(15'999), u"+00:15"_s);
    EXPECT_EQ(TekstOdchylenia(-61'000), u"-01:01"_s);
    EXPECT_EQ(TekstOdchylenia(3'600'000), u"+60:00"_s);
    EXPECT_EQ(TekstOdchylenia(7'200'000), u"+> 1h "_s);
    EXPECT_EQ(TekstOdchylenia(-7'200'000), u"-> 1h"_s);
}

TEST(MonitorRows, TextsByKind) {
    WyczyscPlayliste();
    const auto dodaj = [](quint8 typ, const char* ide, const char* tyt, const char* wyk) {
        TElemPListy& e = Playlista[++StanPlaylisty.Ilosc];
        InitElemPListy(e);
        e.Typ = typ;
        e.Ide = QString::fromUtf8(ide);
        e.Tyt = QString::fromUtf8(tyt);
        e.Wyk = QString::fromUtf8(wyk);
        e.Adr = QStringLiteral("D:\\MUZYKA\\") + QString::fromUtf8(ide) + QStringLiteral(".wav");
        e.Emi = 23 * 3'600'000 + 59 * 60'000 + 59'000;
        e.NwP = 2000;  // the air time wraps past midnight
        e.NwK = 62'000;
    };
    dodaj(RodzajSND, "żółw", "Tytuł", "");
    dodaj(RodzajREK, "R1234", "Piekarnia Pod Kłosem", "Reklama");
    dodaj(RodzajSWE, "SW1", "", "");
    SilnikEmisji silnik;
    ZrodloPakietowOkna z(silnik);
    WierszPaneluPakietu w = z.WierszPlaylisty(1);
    EXPECT_EQ(w.Emisja, u"00:00:01"_s);
    EXPECT_EQ(w.Wykonawca, u"ŻÓŁW"_s);  // no performer: the file name in upper case
    EXPECT_EQ(w.Tytul, u"Tytuł"_s);
    EXPECT_EQ(w.Trzecia, u"01:00.000"_s);
    w = z.WierszPlaylisty(2);
    EXPECT_EQ(w.Wykonawca, u"R1234    Piekarnia Pod K"_s);
    EXPECT_EQ(w.Tytul, QString());
    w = z.WierszPlaylisty(3);
    EXPECT_EQ(w.Wykonawca, u"SWEEPER - SW1"_s);
    EXPECT_EQ(w.Tytul, u"SW1"_s);  // an empty title shows the identifier
    EXPECT_EQ(z.WierszPlaylisty(4).Emisja, QString());
    WyczyscPlayliste();
}

}  // namespace
