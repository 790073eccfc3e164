// The INFO file and the RDS files byte for byte, from the engine's records
// and through its start, display-refresh and end paths, and a folder that
// cannot be written.
#include "console/support/SilnikRig.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <future>
#include <map>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "console/engine/TrybyEmisji.h"
#include "console/links/PlikiRDS.h"
#include "foundation/Dialogi.h"

namespace {

// The engine's INFO and RDS calls go to the unit, as the window's do.
class WyjsciaRDS final : public WyjsciaEmisji {
public:
    explicit WyjsciaRDS(PlikiRDS& rds) : rds_(rds) {}
    quint8 ZapiszPlikiRDS(quint8 slot) override { return rds_.ZapiszPlikiRDS(slot); }
    quint8 ZapalPlikiZnacznikow(quint8 slot, quint8 z, quint8 f) override { return rds_.ZapalPlikiZnacznikow(slot, z, f); }
    void ZapiszPlikInfo(quint8 slot) override { rds_.PiszOpisNaAntenie(slot); }
    void ZapiszPlikDI() override { rds_.ZapiszPlikDI(); }
    void WyslijStanOdtwarzacza(quint8, const QString&) override {}
    void WyslijInfoElementu(quint8, const QString&, qint32) override {}
    void OdswiezPlayliste() override {}
    void OdswiezOdtwarzacze() override {}

private:
    PlikiRDS& rds_;
};

QByteArray linie(const QStringList& l) {
    QByteArray b;
    for (const QString& s : l) b += platform::toCp1250(s) + "\r\n";
    return b;
}

// A test stand with the RDS folder inside the test's folder.
struct RigRDS : SilnikRig {
    RigRDS() {
        QDir(dir.path()).mkpath(QStringLiteral("RDS"));
        Emisja.KatRDSZbior = dir.path() + QStringLiteral("/RDS");
        silnik->UstawWyjscia(&wyjsciaRDS);
        RDSTytul.clear();
        RDSWykonawca.clear();
        RDSInformacja.clear();
    }
    ~RigRDS() { silnik->UstawWyjscia(nullptr); }
    // The file's bytes once the writer is done, or "<none>" when it is not there.
    QByteArray plik(const QString& nazwa) const {
        silnik->Historia.Oproznij();
        return plikTeraz(nazwa);
    }
    QByteArray plikTeraz(const QString& nazwa) const {
        QFile f(dir.path() + QStringLiteral("/RDS/") + nazwa);
        if (!f.open(QIODevice::ReadOnly)) return "<none>";
        return f.readAll();
    }
    QStringList pliki() const {
        silnik->Historia.Oproznij();
        return QDir(dir.path() + QStringLiteral("/RDS")).entryList(QDir::Files);
    }
    // Slot 1 as a start leaves it, for the unit's own calls.
    MIXMagnetType& rekord(quint8 rodzaj, const char* ide, const char* wyk, const char* tyt) {
        MIXMagnetType& r = silnik->Odtwarzacz[1];
        ::ZerujOdtwarzacz(r);
        r.RodzajElementu = rodzaj;
        r.SygnalSlotu.Nazwa = QString::fromUtf8(ide);
        r.Wyk = QString::fromUtf8(wyk);
        r.Tyt = QString::fromUtf8(tyt);
        return r;
    }

    PlikiRDS rds{*silnik};
    WyjsciaRDS wyjsciaRDS{rds};
};

// ---------------------------------------------------------------- INFO

TEST(PlikInfo, TheElementOnAirByteForByte) {
    RigRDS r;
    Emisja.CzyInfoZbiorJest = true;
    Emisja.InfoZbiorPozycji = 0;
    TElemPListy& e = r.dodaj(QStringLiteral("D:\\MUZ\\A123.MP3"), 14 * 3'600'000 + 5'000, 200'000);
    e.Sel = QStringLiteral("14:00:00");
    e.Int = 15'000;
    e.Out = 180'000;
    e.Mix = 3'000;
    e.NwK = 195'000;
    e.FOu = 190'000;
    e.Ide = QStringLiteral("A123");
    e.Tyt = QStringLiteral("Song");
    e.Wyk = QStringLiteral("Band");
    r.dodaj(QStringLiteral("D:\\MUZ\\B.MP3"), -1, 1'000);
    MIXMagnetType& m = r.rekord(RodzajSND, "A123", "", "");
    m.Element = 1;
    m.DlugoscElementu = 195'000;
    r.rds.PiszOpisNaAntenie(1);
    EXPECT_EQ(r.plik(QStringLiteral("INFO")),
              "; ----------------------------------\r\nEmi=14:00:05.000\r\nSel=14:00:00\r\nTyp=SND\r\n"
              "Trw=03:20.000\r\nCal=03:15.000\r\nInt=00:15.000\r\nOut=03:00.000\r\nMix=00:03.000\r\n"
              "NwK=03:15.000\r\nFOu=03:10.000\r\nIde=A123\r\nTyt=Song\r\nWyk=Band\r\nAdr=D:\\MUZ\\A123.MP3\r\n"
              "KONIEC OPISU\r\n");

    // The next element: unplanned, and every other key in its place.
    Emisja.InfoZbiorPozycji = 1;
    TElemPListy& n = Playlista[2];
    n.Typ = RodzajJNG | TypZagrany;
    n.Ide = QStringLiteral("J1");
    n.NwP = 500;
    n.FIn = 700;
    n.NwK = 0;
    n.FOu = 0;
    n.Pta = QStringLiteral("Płyta");
    n.Sol = QStringLiteral("Sol");
    n.Kom = QStringLiteral("Kom");
    n.Atr = QStringLiteral("Autor");
    n.Pro = QStringLiteral("Pro");
    n.Wyd = QStringLiteral("Wyd");
    n.Rok = QStringLiteral("1999");
    n.BPM = QStringLiteral("120");
    n.Zak = QStringLiteral("F");
    n.Wzm = -150;
    n.Kac = -600;
    n.KFI = 100;
    n.KFO = 900;
    n.Aut = 1;
    n.PS1 = QStringLiteral("RADIO");
    n.PS4 = QStringLiteral("FM");
    r.silnik->PrzesuniecieCzasu = 2'000;  // the air time follows the schedule's shift
    r.rds.PiszOpisNaAntenie(1);
    const QByteArray b = r.plik(QStringLiteral("INFO"));
    EXPECT_TRUE(b.startsWith("; ----------------------------------\r\nEmi=14:00:07.000\r\n"));
    EXPECT_TRUE(b.endsWith(linie({"; ----------------------------------", "Emi=--------", "Typ=JNG", "Trw=00:01.000",
                                  "Cal=00:00.500", "NwP=00:00.500", "FIn=00:00.700", "Ide=J1", "Tyt=Tytuł 2", "Pta=Płyta",
                                  "Sol=Sol", "Kom=Kom", "Aut=Autor", "Pro=Pro", "Wyd=Wyd", "Rok=1999", "BPM=120",
                                  "Zak=F", "Adr=D:\\MUZ\\B.MP3", "Wzm=-150", "Kac=-600", "KFI=00:00.100",
                                  "KFO=00:00.900", "Aut=1", "PS1=RADIO", "PS4=FM", "KONIEC OPISU"})))
        << b.toStdString();
}

TEST(PlikInfo, BlocksAndTheConditionsOfWriting) {
    const auto bloki = [](const QByteArray& b) { return int(b.count("KONIEC OPISU\r\n")); };
    struct Wiersz {
        const char* nazwa;
        std::function<void(RigRDS&, MIXMagnetType&)> przygotuj;
        int blokow;  // -1: no file
    };
    const Wiersz wiersze[] = {
        {"element 1, no more", [](RigRDS&, MIXMagnetType&) { Emisja.InfoZbiorPozycji = 0; }, 1},
        {"fifteen more", [](RigRDS&, MIXMagnetType&) { Emisja.InfoZbiorPozycji = 15; }, 16},
        {"fewer near the end", [](RigRDS&, MIXMagnetType& m) { Emisja.InfoZbiorPozycji = 15; m.Element = 18; }, 3},
        {"desk starts only, not from the desk", [](RigRDS&, MIXMagnetType&) { Emisja.ZbioryInfoGdyStol = true; }, -1},
        {"desk starts only, from the desk",
         [](RigRDS& r, MIXMagnetType&) { Emisja.ZbioryInfoGdyStol = r.silnik->StartZeStolu = true; }, 6},
        {"started by the GPI decision", [](RigRDS&, MIXMagnetType& m) { m.DecyzjaGPIStartu = 1; }, -1},
        {"no playlist element", [](RigRDS&, MIXMagnetType& m) { m.Element = 0; }, -1},
        {"whisper", [](RigRDS&, MIXMagnetType& m) { m.RodzajElementu = RodzajWHI; }, -1},
        {"DJ", [](RigRDS&, MIXMagnetType& m) { m.RodzajElementu = RodzajDJ_; }, -1},
        {"2 000 ms long", [](RigRDS&, MIXMagnetType& m) { m.DlugoscElementu = 2'000; }, -1},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.nazwa);
        RigRDS r;
        Emisja.CzyInfoZbiorJest = true;
        for (int i = 0; i < 20; ++i) r.dodaj(QStringLiteral("D:\\A%1.MP3").arg(i), -1, 60'000);
        MIXMagnetType& m = r.rekord(RodzajSND, "E1", "", "");
        m.Element = 1;
        m.DlugoscElementu = 2'001;
        w.przygotuj(r, m);
        r.rds.PiszOpisNaAntenie(1);
        const QByteArray b = r.plik(QStringLiteral("INFO"));
        if (w.blokow < 0)
            EXPECT_EQ(b, "<none>");
        else
            EXPECT_EQ(bloki(b), w.blokow);
    }
}

// ---------------------------------------------------------------- RDS at the start

TEST(PlikiRDS, TheStartsFilesByteForByte) {
    struct Wiersz {
        const char* nazwa;
        std::function<void(RigRDS&)> przygotuj;  // settings, the playlist, slot 1
        std::map<QString, QByteArray> pliki;     // every file of the folder afterwards
        quint8 bity;
    };
    const auto psWykTyt = [] { Emisja.CzyRDSZbiorPSJest = Emisja.CzyRDSZbiorPSWykon = Emisja.CzyRDSZbiorPSTytul = true; };
    const auto rtWykTyt = [] { Emisja.CzyRDSZbiorRTJest = Emisja.CzyRDSZbiorRTWykon = Emisja.CzyRDSZbiorRTTytul = true; };
    // Now and next: element 1 on air, a jingle, then what the row adds.
    const auto terazNastepny = [rtWykTyt](RigRDS& r, const char* wyk = "Band", const char* tyt = "Song") {
        rtWykTyt();
        Emisja.RDSRTTeraz = QStringLiteral("Teraz:");
        Emisja.RDSRTNastepny = QStringLiteral("Potem:");
        Emisja.THST = 5;
        r.dodaj(QStringLiteral("D:\\A.MP3"), -1, 200'000);
        r.dodaj(QStringLiteral("D:\\J.MP3"), -1, 200'000, RodzajJNG);
        r.rekord(RodzajSND, "E1", wyk, tyt).Element = StanPlaylisty.Kursor = 1;
    };
    const auto dalej = [](RigRDS& r, qint32 trw, const char* wyk, const char* tyt) -> TElemPListy& {
        TElemPListy& e = r.dodaj(QStringLiteral("D:\\N.MP3"), -1, trw);
        e.Wyk = QString::fromUtf8(wyk);
        e.Tyt = tyt ? QString::fromUtf8(tyt) : e.Ide;
        return e;
    };
    const QByteArray t30(30, 'T'), w30(30, 'W');
    const Wiersz wiersze[] = {
        {"PS texts filled to 8",
         [](RigRDS& r) {
             Emisja.CzyRDSZbiorPSJest = true;
             MIXMagnetType& m = r.rekord(RodzajINF, "I1", "Band", "Song");
             m.PS1 = QStringLiteral("ABC");
             m.PS3 = QStringLiteral("Łódź 100");
         },
         {{"PS1", "ABC     \r\n\xA3\xF3" "d\x9F 100\r\n"}}, ZnacznikPS},
        {"PS performer and title, the title is the identifier",
         [=](RigRDS& r) { psWykTyt(); r.rekord(RodzajSND, "A123", "Band", "A123"); }, {{"PS1", "Band\r\n"}}, ZnacznikPS},
        {"PS in one line",
         [=](RigRDS& r) { psWykTyt(); Emisja.CzyRDSZbiorPSJednaLinia = true; r.rekord(RodzajSND, "A1", "Band", "Song"); },
         {{"PS1", "Band  Song \r\n"}}, ZnacznikPS},
        {"plain letters, upper case",
         [=](RigRDS& r) { psWykTyt(); Emisja.CzyRDSZbiorDuzeLiteryJest = true; r.rekord(RodzajSND, "A1", "Źdźbło", "Łąka"); },
         {{"PS1", "ZDZBLO\r\nLAKA\r\n"}}, ZnacznikPS},
        {"Polish letters kept, upper case",
         [=](RigRDS& r) {
             psWykTyt();
             Emisja.CzyRDSZbiorDuzeLiteryJest = Emisja.CzyRDSZbiorPolskieLiteryJest = true;
             r.rekord(RodzajSND, "A1", "Źdźbło", "Łąka");
         },
         {{"PS1", "\x8F" "D\x8F" "B\xA3O\r\n\xA3\xA5KA\r\n"}}, ZnacznikPS},
        {"RT plain, workstation 3",
         [=](RigRDS& r) {
             rtWykTyt();
             Emisja.CzyRDSZbiorExt = true;
             Nastawy.Numer = 3;
             r.rekord(RodzajSND, "A1", "Band", "Song");
         },
         {{"RT1.3", "Band\r\nSong\r\n"}}, ZnacznikRT},
        {"RT now and next from the cursor", [=](RigRDS& r) { terazNastepny(r); dalej(r, 200'000, "Next", "Tune"); },
         {{"RT1", "Teraz: Band - Song\r\nPotem: Next - Tune\r\n"}}, ZnacznikRT},
        {"RT now and next, no later song longer than THST",
         [=](RigRDS& r) { terazNastepny(r); dalej(r, 5'000, "Short", "Tune"); }, {{"RT1", "Teraz: Band - Song\r\n"}},
         ZnacznikRT},
        {"RT now and next, the next one without a description",
         [=](RigRDS& r) { terazNastepny(r); dalej(r, 200'000, "", nullptr); dalej(r, 200'000, "Later", "Tune"); },
         {{"RT1", "Teraz: Band - Song\r\n"}}, ZnacznikRT},
        {"RT line of 70 characters", [=](RigRDS& r) { terazNastepny(r, w30.constData(), t30.constData()); },
         {{"RT1", "Teraz: " + w30 + " - " + t30.left(21) + "...\r\n"}}, ZnacznikRT},
        {"a jingle without PS texts writes no PS or RT",
         [=](RigRDS& r) { psWykTyt(); rtWykTyt(); r.rekord(RodzajJNG, "J1", "Band", "Song"); }, {}, 0},
        {"traffic and the default programme type",
         [](RigRDS& r) {
             Emisja.CzyRDSZbiorTAJest = Emisja.CzyRDSZbiorPTJest = true;
             Emisja.RDSPTDomyslny = 10;
             r.rekord(RodzajINF, "I1", "", "RDSTraffic A4");
         },
         {{"TA1", ""}, {"TA1_ST", "[FM Transmitter]\r\nRDS TA=1\r\n"}, {"PT1", "10\r\n"}}, ZnacznikTA | ZnacznikPT},
        {"news", [](RigRDS& r) { Emisja.CzyRDSZbiorPTJest = true; r.rekord(RodzajINF, "I1", "", "RDSNews 12"); },
         {{"PT1", "1\r\n"}}, ZnacznikPT},
        {"the element's programme type",
         [](RigRDS& r) { Emisja.CzyRDSZbiorPTJest = true; r.rekord(RodzajSND, "A1", "", "Song").PTY = QStringLiteral("5"); },
         {{"PT1", "5\r\n"}}, ZnacznikPT},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.nazwa);
        RigRDS r;
        w.przygotuj(r);
        EXPECT_EQ(r.rds.ZapiszPlikiRDS(1), w.bity);
        std::map<QString, QByteArray> jest;
        for (const QString& p : r.pliki()) jest[p] = r.plik(p);
        EXPECT_EQ(jest, w.pliki);
        EXPECT_EQ(r.rds.EtykietaTA, (w.bity & ZnacznikTA) != 0);
    }
}

TEST(PlikiRDS, AStartClearsTheOperatorsTextsUnlessTheGPIDecidedIt) {
    RigRDS r;
    Emisja.CzyRDSZbiorPSJest = true;
    Emisja.CzyRDSZbiorPSTytul = true;
    for (quint8 gpi : {1, 0}) {
        RDSTytul = QStringLiteral("Tytuł");
        RDSWykonawca = QStringLiteral("Ktoś");
        RDSInformacja = QStringLiteral("Info");
        r.rds.EtykietaRDS = true;
        r.rekord(RodzajSND, "A1", "", "Song").DecyzjaGPIStartu = gpi;
        r.rds.ZapiszPlikiRDS(1);
        EXPECT_EQ(r.rds.EtykietaRDS, gpi != 0);
        EXPECT_EQ(RDSTytul.isEmpty(), gpi == 0);
        EXPECT_EQ(RDSWykonawca.isEmpty(), gpi == 0);
        EXPECT_EQ(RDSInformacja, QStringLiteral("Info"));  // only the dialog or the daily reset clears it
        EXPECT_EQ(r.plik(QStringLiteral("PS1")), "Song\r\n");
    }
}

// ---------------------------------------------------------------- the engine's paths

TEST(PlikiRDS, StartEarlyAndRealEndThroughTheEngine) {
    RigRDS r;
    TimeryKonsoli timery(*r.silnik);
    Emisja.CzyRDSZbiorExt = true;
    Nastawy.Numer = 3;
    Emisja.CzyRDSZbiorPSJest = true;
    Emisja.CzyRDSZbiorPSTytul = true;
    Emisja.CzyRDSZbiorTAJest = true;
    Emisja.RDSStopS = 2;
    r.dodaj(r.wav(QStringLiteral("ta.wav"), 6'000), H12, 6'000).Tyt = QStringLiteral("RDSTraffic Most");
    StanPlaylisty.Kursor = 1;
    // The start only queues its files: a writer held up by a slow folder
    // does not hold up the start.
    std::promise<void> puscPisarza;
    r.silnik->Historia.Zlec([czekaj = puscPisarza.get_future().share()] {
        czekaj.wait();
        return QString();
    });
    r.graj(0, TrybKursor, ZrodloKlaw);
    EXPECT_TRUE(r.silnik->SlotZajety(1));
    EXPECT_EQ(r.plikTeraz(QStringLiteral("PS1.3")), "<none>");
    puscPisarza.set_value();
    const QByteArray naAntenie = "[FM Transmitter]\r\nRDS TA=1\r\n";
    EXPECT_EQ(r.plik(QStringLiteral("PS1.3")), "RDSTraffic Most\r\n");
    EXPECT_EQ(r.plik(QStringLiteral("TA1.3")), "");
    EXPECT_EQ(r.plik(QStringLiteral("TA1_ST.3")), naAntenie);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Znaczniki, ZnacznikPS | ZnacznikTA);

    // A player that has not reported playing yet has no remaining time:
    // the display refresh leaves what the start wrote.
    r.gracze.ZatrzymajOdtwarzacz(1);
    timery.TimerWyswietlaczTimer();
    EXPECT_EQ(r.plik(QStringLiteral("PS1.3")), "RDSTraffic Most\r\n");
    r.gracze.GrajOdtwarzacz(1);

    // RDSStopS before the end: PS goes, the traffic files stay.
    while (true) {
        r.tik(4);
        if (r.silnik->PozostaloOdtwarzacza(1) < 3'000) break;
        timery.TimerWyswietlaczTimer();
    }
    EXPECT_EQ(r.plik(QStringLiteral("PS1.3")), "RDSTraffic Most\r\n");
    timery.TimerWyswietlaczTimer();
    EXPECT_EQ(r.plik(QStringLiteral("PS1.3")), "");
    EXPECT_EQ(r.plik(QStringLiteral("TA1_ST.3")), naAntenie);
    EXPECT_TRUE(r.rds.EtykietaTA);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Znaczniki, ZnacznikTA);

    // The last second, still playing: the traffic announcement is over.
    while (r.silnik->Odtwarzacz[1].Znaczniki != 0 && r.silnik->SlotZajety(1)) {
        r.tik(4);
        timery.TimerWyswietlaczTimer();
    }
    EXPECT_TRUE(r.silnik->SlotZajety(1));
    EXPECT_EQ(r.plik(QStringLiteral("TA1.3")), "<none>");
    EXPECT_EQ(r.plik(QStringLiteral("TA1_ST.3")), "[FM Transmitter]\r\nRDS TA=0\r\n");
    EXPECT_FALSE(r.rds.EtykietaTA);
}

// Takes the test thread's power to write anywhere (root's), so that a folder
// without write permission is one for it too; gives it back at the end.
class BezNadpisywania {
public:
    BezNadpisywania() {
        if (::geteuid() != 0) return;
        naglowek_.version = _LINUX_CAPABILITY_VERSION_3;
        if (::syscall(SYS_capget, &naglowek_, dane_) != 0) return;
        __user_cap_data_struct nowe[2] = {dane_[0], dane_[1]};
        nowe[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_FOWNER));
        zmienione_ = ::syscall(SYS_capset, &naglowek_, nowe) == 0;
    }
    ~BezNadpisywania() {
        if (zmienione_) ::syscall(SYS_capset, &naglowek_, dane_);
    }

private:
    __user_cap_header_struct naglowek_{};
    __user_cap_data_struct dane_[2]{};
    bool zmienione_ = false;
};

TEST(PlikiRDS, AReadOnlyFolderIsLoggedOncePerFileAndAutomatPlaysOn) {
    RigRDS r;
    TimeryKonsoli timery(*r.silnik);
    Emisja.CzyInfoZbiorJest = true;
    Emisja.CzyRDSZbiorPSJest = Emisja.CzyRDSZbiorPSTytul = true;
    Emisja.CzyRDSZbiorRTJest = Emisja.CzyRDSZbiorRTWykon = true;
    Emisja.CzyRDSZbiorPTJest = true;
    for (int i = 0; i < 3; ++i) r.dodaj(r.wav(QStringLiteral("%1.wav").arg(i), 3'000), H12 + i * 3'000, 3'000);
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    const QString folder = r.dir.path() + QStringLiteral("/RDS");
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    BezNadpisywania bez;
    if (QFile f(folder + QStringLiteral("/proba")); f.open(QIODevice::WriteOnly)) {
        f.remove();
        GTEST_SKIP() << "the folder stays writable for this user";
    }
    r.silnik->PrzelaczAutomat();
    ASSERT_TRUE(r.stan.TrybAutomat);
    for (int i = 0; i < 400; ++i) {
        r.tik();
        if (i % 3 == 0) timery.TimerWyswietlaczTimer();
    }
    EXPECT_EQ(r.logiZ(QStringLiteral("START ")).size(), 3);
    EXPECT_EQ(r.logiZ(QStringLiteral("STOP ")).size(), 3);
    EXPECT_TRUE(r.pliki().isEmpty());
    QStringList bledy = r.logiZ(QStringLiteral("Błąd zapisu zbioru "));
    for (QString& b : bledy) b = b.section(QLatin1Char(':'), 0, 0).section(QLatin1Char('/'), -1);
    bledy.sort();
    EXPECT_EQ(bledy, QStringList({"INFO", "PS1", "PT1", "RT1"}));
    ::chmod(QFile::encodeName(folder).constData(), 0755);
}

}  // namespace
