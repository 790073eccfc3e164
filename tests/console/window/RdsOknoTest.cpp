// The INFO and RDS files written by the real main window: two elements in
// Automat on the stepped virtual sound card, the date label's RDS dialog,
// the RDS label's ticker and its click.
#include <gtest/gtest.h>

#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "console/support/KonsolaTestPomoc.h"
#include "console/support/OknoTestPomoc.h"
#include "console/window/EtykietaOkna.h"
#include "console/window/TTolv.h"
#include "foundation/A1761DRIVER.h"
#include "foundation/Dialogi.h"
#include "foundation/DialogiSkrypt.h"
#include "platform/Clock.h"
#include "platform/RelayCard.h"
#include "platform/TextFile.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/VirtualDevice.h"
#include "playlists/D_Playlista.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class RdsOkno : public StanowiskoOkna {
protected:
    void SetUp() override {
        RDSTytul.clear();
        RDSWykonawca.clear();
        RDSInformacja.clear();
        ASSERT_TRUE(QDir(folder.path()).mkpath(u"RDS"_s));
        ASSERT_TRUE(platform::writeTextFileAtomic(
            folder.file(u"TOLVANE.INI"_s),
            {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s, u"OknoStanStart=0"_s,
             u"LOGZbiorJest=1"_s, u"LOGKatalog="_s + folder.path(), u"[Emisja MIX]"_s, u"CzyHST=0"_s, u"KatRDSZbior="_s + folder.file(u"RDS"_s), u"CzyInfoZbiorJest=1"_s,
             u"InfoZbiorPozycji=1"_s, u"CzyRDSZbiorPSJest=1"_s, u"CzyRDSZbiorPSWykon=1"_s, u"CzyRDSZbiorPSTytul=1"_s,
             u"CzyRDSZbiorRTJest=1"_s, u"CzyRDSZbiorRTWykon=1"_s, u"CzyRDSZbiorRTTytul=1"_s,
             u"CzyRDSZbiorTAJest=1"_s, u"CzyRDSZbiorDIJest=1"_s, u"RDSStopS=1"_s}));
        okno = OknoTestowe();
    }
    void TearDown() override {
        okno.reset();
        WyczyscPlayliste();
        UstawSkale(SzerokoscSiatki, WysokoscSiatki);
    }

    QByteArray plik(const char* nazwa) const {
        okno->Silnik().Historia.Oproznij();
        QFile f(folder.file(u"RDS/"_s + QLatin1String(nazwa)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    void element(int i, const QString& wyk, const QString& tyt) {
        const QString nazwa = u"E%1.WAV"_s.arg(i);
        folder.write(nazwa, fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, 440, 3'000, 0.3)));
        TElemPListy& e = Playlista[i];
        InitElemPListy(e);
        e.Typ = RodzajSND;
        e.Ide = u"E%1"_s.arg(i);
        e.Adr = folder.file(nazwa);
        e.Emi = 12 * 3'600'000 + (i - 1) * 3'000;
        e.Trw = e.NwK = e.FOu = 3'000;
        e.Wyk = wyk;
        e.Tyt = tyt;
        StanPlaylisty.Ilosc = i;
    }
    // 30 ms of the program: the card plays, the loop ticks, and every
    // third tick the display refreshes.
    void krok() {
        if (!karta) karta = platform::DeviceHub::instance().openVirtual(0);
        if (karta) karta->stepMs(30);
        zegar.advance(30);
        okno->Silnik().Pliki.Oproznij();
        okno->Silnik().OproznijPrzygotowania();
        okno->Timer1Timer();
        if (++tiki % 3 == 0) okno->TimerWyswietlaczTimer();
    }
    // A value's successive states, each once.
    template <class T>
    static void zmiana(std::vector<T>& stany, const T& teraz) {
        if (stany.empty() || stany.back() != teraz) stany.push_back(teraz);
    }
    static QByteArray pierwszyIde(const QByteArray& info) {
        const qsizetype i = info.indexOf("Ide=");
        return i < 0 ? info : info.mid(i + 4, info.indexOf('\r', i) - i - 4);
    }

    std::shared_ptr<platform::VirtualDevice> karta;
    int tiki = 0;
};

TEST_F(RdsOkno, TwoElementsInAutomatWriteAndEmptyTheirFiles) {
    element(1, u"Wykonawca 1"_s, u"Piosenka 1"_s);
    element(2, u"Drogówka"_s, u"RDSTraffic korki"_s);
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    okno->Silnik().PrzelaczAutomat();
    ASSERT_TRUE(okno->Silnik().Stan.TrybAutomat);

    std::vector<QByteArray> ps, rt, info;
    std::vector<bool> ta;
    for (int i = 0; i < 300; ++i) {
        krok();
        zmiana(ps, plik("PS1"));
        zmiana(rt, plik("RT1"));
        zmiana(info, pierwszyIde(plik("INFO")));
        zmiana(ta, okno->RDSTALabel->isVisible());
    }
    ASSERT_EQ(okno->Silnik().Odtwarzacz[1].Element + okno->Silnik().Odtwarzacz[2].Element, 0) << "both played out";
    // Each start writes, and RDSStopS before its end the file is empty again.
    EXPECT_EQ(ps, std::vector<QByteArray>({"Wykonawca 1\r\nPiosenka 1\r\n", "", "Drogowka\r\nRDSTraffic korki\r\n", ""}));
    EXPECT_EQ(rt, ps);
    // The INFO file once the element has played a second.
    EXPECT_EQ(info, std::vector<QByteArray>({"<none>", "E1", "E2"}));
    // The traffic announcement lights its label for its element.
    EXPECT_EQ(ta, std::vector<bool>({false, true, false}));
    EXPECT_EQ(plik("TA1_ST"), "[FM Transmitter]\r\nRDS TA=0\r\n");
}

TEST_F(RdsOkno, TheDateLabelsDialogTheTickerAndTheRDSLabel) {
    // Accepted texts go to PS, RT (plain letters) and DI (as typed).
    dialogi.OdpowiedzRDS(u"Tytuł"_s, u"Wykonawca"_s, u"Info"_s);
    QTest::mouseClick(okno->DataLabel, Qt::LeftButton);
    EXPECT_EQ(plik("PS1"), "Wykonawca\r\nTytul\r\n");
    EXPECT_EQ(plik("RT1"), "Wykonawca\r\nTytul\r\n");
    EXPECT_EQ(plik("DI1"), "Info\r\n");
    ASSERT_TRUE(okno->RDSLabel->isVisible());

    // The ticker moves one character every fifth display tick.
    QStringList teksty;
    for (int i = 0; i < 10; ++i) {
        teksty << okno->RDSLabel->text();
        okno->TimerWyswietlaczTimer();
    }
    teksty << okno->RDSLabel->text();
    EXPECT_EQ(teksty, QStringList({"RDS:Tytuł Wy", "RDS:Tytuł Wy", "RDS:Tytuł Wy", "RDS:Tytuł Wy", "RDS:Tytuł Wy",
                                   "RDS:ytuł Wyk", "RDS:ytuł Wyk", "RDS:ytuł Wyk", "RDS:ytuł Wyk", "RDS:ytuł Wyk",
                                   "RDS:tuł Wyko"}));

    // "Kasuj RDS" empties all three.
    dialogi.Odpowiedz(OdpowiedzNie);
    QTest::mouseClick(okno->DataLabel, Qt::LeftButton);
    EXPECT_EQ(plik("PS1"), "");
    EXPECT_EQ(plik("RT1"), "");
    EXPECT_EQ(plik("DI1"), "");
    EXPECT_FALSE(okno->RDSLabel->isVisible());
    EXPECT_TRUE(RDSInformacja.isEmpty());

    // A click on the RDS label clears PS and RT; the information stays.
    dialogi.OdpowiedzRDS(u"T"_s, u"W"_s, u"Informacja"_s);
    QTest::mouseClick(okno->DataLabel, Qt::LeftButton);
    ASSERT_EQ(plik("PS1"), "W\r\nT\r\n");
    QTest::mouseClick(okno->RDSLabel, Qt::LeftButton);
    EXPECT_EQ(plik("PS1"), "");
    EXPECT_EQ(plik("RT1"), "");
    EXPECT_EQ(plik("DI1"), "Informacja\r\n");
    EXPECT_FALSE(okno->RDSLabel->isVisible());
    // Cancel changes nothing.
    dialogi.Odpowiedz(OdpowiedzOpusc);
    QTest::mouseClick(okno->DataLabel, Qt::LeftButton);
    EXPECT_EQ(plik("DI1"), "Informacja\r\n");
    EXPECT_TRUE(dialogi.Bledy().isEmpty()) << dialogi.Bledy().join(u'\n').toStdString();
    // At one o'clock the information text goes for the day.
    zegar.set(QDate(2026, 12, 7), 3'599'000);
    okno->TimerWyswietlaczTimer();
    EXPECT_EQ(plik("DI1"), "Informacja\r\n");
    zegar.advance(1'000);
    okno->TimerWyswietlaczTimer();
    EXPECT_EQ(plik("DI1"), "");
}

// An RDS file, then the relay outputs, that cannot be written (a folder
// stands in the file's place): the status field says which and why, in red,
// as long as it lasts (an idle "OK" does not hide it); the log has one line
// for the fault with the system's reason and one when writing works again.
TEST_F(RdsOkno, AFileThatCannotBeWrittenShowsInTheStatusFieldWhileItLasts) {
    PoleStatusuOkna& st = okno->Status();
    const auto sprawdz = [&](const QString& zbior, const std::function<void()>& zapisz) {
        SCOPED_TRACE(zbior.toStdString());
        QFile::remove(folder.file(zbior));
        ASSERT_TRUE(QDir(folder.path()).mkpath(zbior));
        zapisz();
        zapisz();
        plik("PS1");
        krok();
        EXPECT_EQ(st.Kolor(), KolorStatusu::Czerwony);
        EXPECT_TRUE(st.Tekst().endsWith(zbior + u": Is a directory"_s)) << st.Tekst().toStdString();
        okno->Silnik().Wyjscia().KasujPoleStatusu();
        EXPECT_EQ(st.Kolor(), KolorStatusu::Czerwony);
        ASSERT_TRUE(QDir(folder.file(zbior)).removeRecursively());
        zapisz();
        plik("PS1");
        krok();
        EXPECT_EQ(st.Kolor(), KolorStatusu::Czarny);
        EXPECT_TRUE(st.Tekst().endsWith(zbior + u" znów działa"_s)) << st.Tekst().toStdString();
        EXPECT_EQ(Logi().filter(zbior + u": Is a directory"_s).size(), 1) << Logi().join(u'\n').toStdString();
        EXPECT_EQ(Logi().filter(zbior + u" znów działa"_s).size(), 1);
    };
    sprawdz(u"RDS/PS1"_s, [&] {
        dialogi.OdpowiedzRDS(u"T"_s, u"W"_s, u"I"_s);
        QTest::mouseClick(okno->DataLabel, Qt::LeftButton);
    });
    OpcjeGPI.Advantech1761Jest = true;
    UstawKartePrzekaznikow(std::make_unique<platform::SimulatedRelayCard>(folder.path()));
    OtworzKarte();
    sprawdz(u"relay-outputs.txt"_s, [] { ZapiszPrzekazniki(1); });
    ZamknijKarte();
    OpcjeGPI.Advantech1761Jest = false;
    UstawKartePrzekaznikow(platform::relayCardFromEnvironment());
}

}  // namespace
