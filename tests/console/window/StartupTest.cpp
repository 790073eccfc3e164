// Start-up and shutdown of the main window: the settings it reads, the log
// lines it writes, the close rules and the order the timers stop in.
#include <gtest/gtest.h>

#include "common/DyskStojacy.h"
#include "common/Fifo.h"
#include "audio/DMagnet.h"
#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "console/support/KonsolaTestPomoc.h"
#include "console/support/OknoTestPomoc.h"
#include "console/window/BlokadaProgramu.h"
#include "console/window/TTolv.h"
#include "console/window/ZamykanieProgramu.h"
#include "foundation/A1761DRIVER.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestSter2.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaOkno.h"
#include "library/DOpisNagr.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/RelayCard.h"
#include "platform/TextFile.h"
#include "platform/audio/VirtualDevice.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"
#include "settings/TDlgNastawy.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

#include <sys/inotify.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

// What the program writes to standard error while it lives.
class WyjscieBledow {
public:
    WyjscieBledow() : plik_(std::tmpfile()), poprzedni_(::dup(STDERR_FILENO)) {
        std::fflush(stderr);
        ::dup2(::fileno(plik_), STDERR_FILENO);
    }
    ~WyjscieBledow() {
        przywroc();
        std::fclose(plik_);
    }
    QString Tekst() {
        przywroc();
        std::rewind(plik_);
        QByteArray b;
        char buf[1024];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, plik_)) > 0;) b.append(buf, qsizetype(n));
        return QString::fromLocal8Bit(b);
    }

private:
    void przywroc() {
        if (poprzedni_ < 0) return;
        std::fflush(stderr);
        ::dup2(poprzedni_, STDERR_FILENO);
        ::close(poprzedni_);
        poprzedni_ = -1;
    }
    std::FILE* plik_;
    int poprzedni_;
};

const QString Podpis = QStringLiteral("Tolvane v.21.08.27           Stanowisko nr: ");

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        UstawKartePrzekaznikow(std::make_unique<platform::SimulatedRelayCard>(folder_.path()));
    }
    void TearDown() override {
        UstawKartePrzekaznikow(nullptr);
        OpcjeGPI = {};
        OpcjePFL = {};
    }

    // A settings file of the program with these lines after its sections.
    void nastawy(const QStringList& nastawyProgramu, const QStringList& inne = {},
                 const QString& nazwa = QStringLiteral("Tolvane")) {
        QStringList l{QStringLiteral("; plik testowy"), QStringLiteral("[Nazwa programu]"),
                      QStringLiteral("Nazwa=") + nazwa, QStringLiteral("[Nastawy programu]")};
        l << nastawyProgramu << inne;
        ASSERT_TRUE(platform::writeTextFileAtomic(folder_.file(QStringLiteral("TOLVANE.INI")), l));
    }

    QStringList log() {
        QStringList linie;
        OproznijLog();
        platform::readTextLines(platform::resolvePath(LogZbior()), linie);
        return linie;
    }

    platform::ManualClock zegar_{QDate(2026, 12, 6), 9 * 3600 * 1000};
    platform::ScopedClock zakres_{&zegar_};
    TempProgramFolder folder_;
    StanowiskoWFolderze stanowisko_{folder_};
    DialogiSkrypt dialogi_;
};

TEST_F(Startup, CaptionAndFirstLogLinesComeFromTheSettingsFile) {
    nastawy({QStringLiteral("Numer=7"), QStringLiteral("Id=Studio"), QStringLiteral("LOGZbiorJest=1")});
    {
        TTolv okno;
        okno.FormCreate({});
        EXPECT_EQ(okno.windowTitle(), Podpis + QStringLiteral("7 - Studio"));
        const QStringList l = log();
        ASSERT_GE(l.size(), 3);
        EXPECT_EQ(l[0], QStringLiteral("09:00:00->  ") + QString(60, QLatin1Char('#')));
        EXPECT_EQ(l[1], QStringLiteral("09:00:00->  Uruchomienie programu ") + Podpis + QStringLiteral("7 - Studio"));
        EXPECT_EQ(l[2], QStringLiteral("09:00:00->  Katalog początkowy: ") + QDir::currentPath());
        zegar_.advance(5000);
    }
    // The window going away ends the log.
    EXPECT_EQ(log().last(), QStringLiteral("09:00:05->  Prawidłowy koniec pracy"));
}

TEST_F(Startup, ASettingsFileNotTakenKeepsEveryDefaultAndSaysWhy) {
    // The defaults switch the event log and the emergency start off: an
    // unattended restart must show why nothing plays.
    const QString ini = folder_.file(QStringLiteral("TOLVANE.INI"));
    const QString znak = QStringLiteral("   [NASTAWY DOMYŚLNE - zbiór konfiguracyjny nie przyjęty]");
    std::optional<FifoFeeder> fifo;
    struct Przypadek {
        const char* co;
        std::function<void()> przygotuj;
        QString powod;
    };
    const Przypadek przypadki[] = {
        {"another program's",
         [&] {
             nastawy({QStringLiteral("Numer=7"), QStringLiteral("LOGZbiorJest=1")},
                     {QStringLiteral("[Emisja MIX]"), QStringLiteral("StopSpacja=0")}, QStringLiteral("Inny program"));
         },
         QStringLiteral("to zbiór programu \"Inny program\", nie Tolvane")},
        {"no name",
         [&] { ASSERT_TRUE(platform::writeTextFileAtomic(ini, {QStringLiteral("[Nastawy programu]"), QStringLiteral("Numer=7")})); },
         QStringLiteral("brak klucza Nazwa w sekcji [Nazwa programu]")},
        {"missing", [&] { QFile::remove(ini); }, QStringLiteral("nie ma takiego zbioru")},
        {"a FIFO", [&] { fifo.emplace(ini); }, QStringLiteral("to nie jest zwykły zbiór")},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.co);
        fifo.reset();
        QFile::remove(ini);
        p.przygotuj();
        WyjscieBledow bledy;
        {
            TTolv okno;
            okno.FormCreate({});
            EXPECT_EQ(Nastawy.Numer, 0);
            EXPECT_FALSE(Nastawy.LOGZbiorJest);
            EXPECT_TRUE(Emisja.StopSpacja);  // the default, not the file's 0
            EXPECT_EQ(okno.windowTitle(), Podpis + QStringLiteral("0 - Użytkownik?") + znak);
        }
        EXPECT_EQ(bledy.Tekst(), QStringLiteral("Tolvane: zbiór konfiguracyjny ") + ini + QStringLiteral(" nie został przyjęty (") +
                                     p.powod + QStringLiteral("); wszystkie nastawy domyślne\n"));
    }
    OproznijLog();
    EXPECT_FALSE(QFileInfo::exists(platform::resolvePath(LogZbior())));

    EXPECT_FALSE(fifo->wasRead());

    // A file taken: no mark, nothing said.
    fifo.reset();
    QFile::remove(ini);
    nastawy({QStringLiteral("Numer=7")});
    WyjscieBledow bledy;
    TTolv okno;
    okno.FormCreate({});
    EXPECT_EQ(okno.windowTitle(), Podpis + QStringLiteral("7 - Użytkownik?"));
    EXPECT_EQ(bledy.Tekst(), QString());
}

TEST_F(Startup, TheSettingsFileIsReadOnceForEverySection) {
    nastawy({QStringLiteral("Numer=7")}, {QStringLiteral("[Emisja MIX]"), QStringLiteral("StopSpacja=0"),
                                          QStringLiteral("[Satelita]"), QStringLiteral("SatFadeInMS=700")});
    const int inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(inotify, 0);
    ASSERT_GE(inotify_add_watch(inotify, QFile::encodeName(folder_.file(QStringLiteral("TOLVANE.INI"))).constData(), IN_OPEN), 0);
    {
        TTolv okno;
        okno.FormCreate({});
        EXPECT_EQ(Nastawy.Numer, 7);
        EXPECT_FALSE(Emisja.StopSpacja);
        EXPECT_EQ(Satelita.SatFadeInMS, 700);
    }
    int otwarcia = 0;
    alignas(inotify_event) char bufor[4096];
    for (ssize_t n; (n = ::read(inotify, bufor, sizeof bufor)) > 0;)
        for (char* p = bufor; p < bufor + n; p += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(p)->len)
            if (reinterpret_cast<inotify_event*>(p)->mask & IN_OPEN) ++otwarcia;
    ::close(inotify);
    EXPECT_EQ(otwarcia, 1);
}

TEST_F(Startup, TheCommandLineNamesAnotherSettingsFile) {
    nastawy({QStringLiteral("Numer=2")});
    ASSERT_TRUE(platform::writeTextFileAtomic(folder_.file(QStringLiteral("STUDIO2.INI")),
                                              {QStringLiteral("[Nazwa programu]"), QStringLiteral("Nazwa=TOLVANE"),
                                               QStringLiteral("[Nastawy programu]"), QStringLiteral("Numer=3")}));
    TTolv okno;
    okno.FormCreate({folder_.file(QStringLiteral("STUDIO2.INI"))});
    EXPECT_EQ(Nastawy.Numer, 3);
}

TEST_F(Startup, TheRelayCardOpensWithItsOutputsCleared) {
    folder_.write(QStringLiteral("relay-outputs.txt"), "11111111");
    nastawy({}, {QStringLiteral("[Emisja MIX]"), QStringLiteral("Advantech1761Jest=1"),
                 QStringLiteral("KanalPFLNazwa=Słuchawki"), QStringLiteral("CzyPlayerPFLBlokuje=0")});
    TTolv okno;
    okno.FormCreate({});
    EXPECT_TRUE(KartaOtwarta());
    EXPECT_EQ(folder_.read(QStringLiteral("relay-outputs.txt")), QByteArray("00000000\r\n"));
    // The preview window is made with the main window and sees its settings.
    ASSERT_NE(DMagnetofon(), nullptr);
    EXPECT_EQ(DMagnetofon()->parentWidget(), &okno);
    // So is the settings dialog, with the devices found at start-up.
    ASSERT_NE(DlgNastawy(), nullptr);
    EXPECT_EQ(DlgNastawy()->parentWidget(), &okno);
    EXPECT_EQ(DlgNastawy()->Wyjscia(), platform::DeviceHub::instance().outputNames());
    EXPECT_EQ(DlgNastawy()->Wejscia(), platform::DeviceHub::instance().inputNames());
    EXPECT_EQ(OpcjePFL.KanalPFLNazwa, QStringLiteral("Słuchawki"));
    EXPECT_FALSE(OpcjePFL.CzyPlayerPFLBlokuje);
    // Closing closes the card.
    dialogi_.Odpowiedz(OdpowiedzTak);
    EXPECT_EQ(okno.FormClose(), 2);
    EXPECT_FALSE(KartaOtwarta());
}

TEST_F(Startup, ShowingStartsTheTimersOnceAndByTheSettings) {
    nastawy({QStringLiteral("OknoStanStart=0")},
            {QStringLiteral("[Satelita]"), QStringLiteral("UDPBroadcastMonitorJest=1"),
             QStringLiteral("UDPBroadcastMonitorInterwalS=10"), QStringLiteral("UDPBroadcastMonitorAdres=127.0.0.1"),
             QStringLiteral("UDPBroadcastJest=1"), QStringLiteral("UDPBroadcastInterwalS=0")});
    TTolv okno;
    okno.FormCreate({});
    okno.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&okno));
    EXPECT_TRUE(okno.Timer1->isActive());
    EXPECT_TRUE(okno.TimerWyswietlacz->isActive());
    EXPECT_TRUE(okno.GrajBlokReklamy->isActive());
    EXPECT_TRUE(okno.TListaSynchroKolejnoTimer->isActive());
    EXPECT_FALSE(okno.AutomatTimer->isActive());
    EXPECT_FALSE(okno.SERWISTimer->isActive());
    EXPECT_EQ(okno.datagramy().BroadcastMonitorTimer.Interwal, 1000);
    EXPECT_TRUE(okno.ZegarDziala(QStringLiteral("BroadcastMonitorTimer")));
    EXPECT_FALSE(okno.ZegarDziala(QStringLiteral("BroadcastTimer")));  // a period of 0 would spin
    EXPECT_FALSE(okno.ZegarDziala(QStringLiteral("BroadcastTimer2")));
    // The display refresh comes on Timer1's wake once its period has passed.
    zegar_.advance(1000);
    okno.Timer1Timer();
    QCoreApplication::processEvents();
    EXPECT_EQ(okno.Timery().TerazMS, 9 * 3600 * 1000 + 1000);

    // Shown again, the window does not run its start a second time.
    okno.Timer1->stop();
    okno.hide();
    okno.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(okno.Timer1->isActive());
}

TEST_F(Startup, ClosingIsRefusedWhileAPlayerIsBusyAndTheWindowSaysWhy) {
    nastawy({QStringLiteral("LOGZbiorJest=1")});
    TTolv okno;
    okno.FormCreate({});
    okno.FormShow();
    okno.Silnik().Stan.OdtwarzaczZajety[4] = 1;  // the singles player
    EXPECT_FALSE(okno.close());
    EXPECT_TRUE(dialogi_.Zapisy().isEmpty());
    const QString odmowa = QStringLiteral("Zamknięcie programu odrzucone - zajęty odtwarzacz 4");
    EXPECT_EQ(okno.Status().Tekst(), odmowa);
    EXPECT_EQ(log().filter(odmowa).size(), 1);
    EXPECT_TRUE(okno.Timer1->isActive());

    okno.Silnik().Stan.OdtwarzaczZajety[4] = 0;
    dialogi_.Odpowiedz(OdpowiedzNie);
    EXPECT_EQ(okno.FormClose(), 0);
    ASSERT_EQ(dialogi_.Zapisy(RodzajDialogu::Decyzja).size(), 1);
    EXPECT_EQ(dialogi_.Zapisy(RodzajDialogu::Decyzja)[0].teksty[0], QStringLiteral("Czy zakończyć pracę z programem?"));
    EXPECT_EQ(dialogi_.Zapisy(RodzajDialogu::Decyzja)[0].liczba, 2);
    EXPECT_TRUE(okno.Timer1->isActive());

    dialogi_.Odpowiedz(OdpowiedzTak);
    EXPECT_EQ(okno.FormClose(), 2);
    for (const QString& t : okno.ZegaryWKolejnosciZatrzymania()) EXPECT_FALSE(okno.ZegarDziala(t)) << t.toStdString();
}

TEST_F(Startup, TimersStopInTheirFixedOrder) {
    TTolv okno;
    const QStringList nazwy = okno.ZegaryWKolejnosciZatrzymania();
    EXPECT_EQ(nazwy, QStringList({"Timer1", "TimerWyswietlacz", "SingleKolejnoTimer", "GrajBlokReklamy",
                                  "TListaSynchroKolejnoTimer", "AutomatTimer", "SatPlusTimer", "BroadcastTimer",
                                  "BroadcastTimer2", "SATPLMWyciszTimer", "PListaAutoodczytTimer",
                                  "BroadcastMonitorTimer", "SERWISTimer"}));
    // Every timer of the window is among them; the three datagram timers
    // are Datagramy's, and the display refresh rides on Timer1's wake.
    const auto zegary = okno.findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_EQ(zegary.size(), nazwy.size() - 4);
    for (QTimer* t : zegary) EXPECT_TRUE(nazwy.contains(t->objectName())) << t->objectName().toStdString();
}

TEST_F(Startup, FullScreenHidesTheTaskbarAndEveryWayOutShowsIt) {
    nastawy({QStringLiteral("OknoStanStart=2")});
    {
        TTolv okno;
        okno.FormCreate({});
        EXPECT_TRUE(okno.PasekZadanUkryty());
        EXPECT_TRUE(okno.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(okno.windowState() & Qt::WindowFullScreen);
        dialogi_.Odpowiedz(OdpowiedzTak);
        EXPECT_EQ(okno.FormClose(), 2);
        EXPECT_FALSE(okno.PasekZadanUkryty());
    }
    TTolv okno;
    okno.FormCreate({});
    ASSERT_TRUE(okno.PasekZadanUkryty());
    okno.FormDestroy();  // ended without the close path
    EXPECT_FALSE(okno.PasekZadanUkryty());
}

TEST_F(Startup, DeskStartWithoutADeskInputEndsTheNormalWay) {
    nastawy({QStringLiteral("OknoStanStart=0"), QStringLiteral("LOGZbiorJest=1")},
            {QStringLiteral("[Emisja MIX]"), QStringLiteral("StartStol=1")});
    TTolv okno;
    okno.FormCreate({});
    okno.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogi_.Zapisy(RodzajDialogu::Info).size(), 1);
    EXPECT_EQ(dialogi_.Zapisy(RodzajDialogu::Info)[0].teksty,
              QStringList({"Należy uruchomić program raz jeszcze", "Brak sterowania ze stołu"}));
    EXPECT_FALSE(okno.Timer1->isActive());
    EXPECT_FALSE(okno.isVisible());
    EXPECT_TRUE(dialogi_.Zapisy(RodzajDialogu::Decyzja).isEmpty());
}

TEST_F(Startup, SpaceStopsOnlyWhenAllowedAndConfirmed) {
    nastawy({});
    TTolv okno;
    okno.FormCreate({});
    okno.Silnik().Stan.OdtwarzaczZajety[1] = 1;
    okno.Silnik().Stan.TrybAutomat = true;
    Emisja.StopSpacja = false;
    okno.Silnik().StopKlawiszemSpacji();
    EXPECT_EQ(okno.Silnik().Stan.OdtwarzaczZajety[1], 1);

    Emisja.StopSpacja = true;
    Emisja.StopSpacjapotwierdzenie = true;
    dialogi_.Odpowiedz(OdpowiedzNie);
    okno.Silnik().StopKlawiszemSpacji();
    EXPECT_EQ(okno.Silnik().Stan.OdtwarzaczZajety[1], 1);
    EXPECT_EQ(dialogi_.Zapisy(RodzajDialogu::Decyzja).last().teksty[0], QStringLiteral("Czy STOP odtwarzania?"));

    dialogi_.Odpowiedz(OdpowiedzTak);
    okno.Silnik().StopKlawiszemSpacji();
    EXPECT_EQ(okno.Silnik().Stan.OdtwarzaczZajety[1], 0);
    EXPECT_FALSE(okno.Silnik().Stan.TrybAutomat);
}

TEST_F(Startup, ModesStartFromTheSettingsWithTheirButtonsLit) {
    struct Wiersz {
        QStringList emisja;
        bool autostop, bezAutostopu, sterowanie, singleAutostop;
    };
    const Wiersz wiersze[] = {
        {{}, true, false, false, false},  // the defaults: AutoStop on
        {{"AutoStop=0", "AutomatBezAutoStop=1", "StolSterowanie=1", "SingleInitAutostopJest=1",
          "PanelPrzyciskSterowanieJest=1"},
         false, true, true, true},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.emisja.join(' ').toStdString());
        nastawy({QStringLiteral("OknoStanStart=0")}, QStringList{QStringLiteral("[Emisja MIX]")} + w.emisja);
        TTolv okno;
        okno.FormCreate({});
        const SilnikEmisji& s = okno.Silnik();
        EXPECT_EQ(s.AutostopJest, w.autostop);
        EXPECT_EQ(s.EmisjaFlagaStartu, w.bezAutostopu);
        EXPECT_EQ(s.StolSterowanie, w.sterowanie);
        EXPECT_EQ(s.SingleAutostopJest, w.singleAutostop);
        const auto& pasek = okno.Przyciski().Pasek;
        EXPECT_EQ(pasek[PAutoStop].Stan, w.autostop ? 1 : 0);
        EXPECT_EQ(pasek[PSterowanie].Stan, w.sterowanie ? 1 : 0);
        EXPECT_EQ(okno.KolorPiksela(pasek[PAutoStop].Rect.Left + 3, pasek[PAutoStop].Rect.Top + 3),
                  w.autostop ? KolorCzerwony : KolorSzary);
    }
}

TEST_F(Startup, TheLibraryWindowsAreMadeOnceAndNeverRebuildUnderTheDecks) {
    nastawy({});
    {
        TTolv okno;
        okno.FormCreate({});
        TBaza* baza = OknoBazy();
        ASSERT_NE(baza, nullptr);
        EXPECT_EQ(baza->parentWidget(), &okno);
        ASSERT_NE(DlgOpisNagr(), nullptr);
        EXPECT_EQ(DlgOpisNagr()->parentWidget(), &okno);
        ASSERT_TRUE(BazaOdtwarzaczeGraja);

        // "~Utwórz" (Insert) in the database window while player 1 plays:
        // not even the question; once it is free, the question.
        const auto utworz = [&] {
            QTimer::singleShot(0, [&] {
                ASSERT_EQ(QApplication::activeModalWidget(), baza);
                QTest::keyClick(baza, Qt::Key_Insert);
                QTest::keyClick(baza, Qt::Key_Escape);
            });
            Baza();
        };
        okno.Silnik().Stan.OdtwarzaczZajety[1] = 1;
        utworz();
        EXPECT_TRUE(dialogi_.Zapisy(RodzajDialogu::Decyzja).isEmpty());
        EXPECT_EQ(dialogi_.Zapisy(RodzajDialogu::Info).value(0).teksty.value(0),
                  QStringLiteral("Baza nagrań nie zmieniona - gra odtwarzacz 1 lub 2"));
        EXPECT_EQ(BazaLiczba, 0);
        okno.Silnik().Stan.OdtwarzaczZajety[1] = 0;
        dialogi_.Odpowiedz(OdpowiedzNie);  // on opening: no database file yet
        dialogi_.Odpowiedz(OdpowiedzNie);  // Insert
        utworz();
        const auto pytania = dialogi_.Zapisy(RodzajDialogu::Decyzja);
        ASSERT_EQ(pytania.size(), 2);
        EXPECT_EQ(pytania[1].teksty[0], QStringLiteral("Czy utworzyć bazę nagrań?"));
        EXPECT_EQ(dialogi_.Pozostalo(), 0);
    }
    EXPECT_EQ(OknoBazy(), nullptr);
    EXPECT_FALSE(BazaOdtwarzaczeGraja);
}

// SIGTERM closes the program as a forced Alt+F4 does, whatever holds it: the
// element on air gets its history line, the log its closing line, and the
// window's end returns while the read-ahead is stuck on a share that hangs.
TEST_F(Startup, ASignalClosesAsAForcedCloseAndTheEndWaitsForNoWorkerStuckOnTheShare) {
    nastawy({QStringLiteral("LOGZbiorJest=1")}, {QStringLiteral("[Emisja MIX]"), QStringLiteral("HSTBezKryterium=1")});
    auto udzial = std::make_shared<Gate>();
    udzial->most = std::chrono::seconds(30);
    DiskOnGate naUdziale(udzial, [](const platform::PcmFormat& f) { return f.rate == 22050; });
    auto okno = std::make_unique<TTolv>();
    okno->FormCreate({});
    SilnikEmisji& silnik = okno->Silnik();
    for (const int rate : {8000, 22050}) {
        const QString nazwa = QStringLiteral("E%1.WAV").arg(rate);
        folder_.write(nazwa, fixtures::wavFile(rate, 1, 16, fixtures::tone16(rate, 1, 440, 9'000)));
        TElemPListy& e = Playlista[++StanPlaylisty.Ilosc];
        InitElemPListy(e);
        e.Typ = RodzajSND;
        e.Adr = folder_.file(nazwa);
        e.Trw = e.NwK = e.FOu = 9'000;
    }
    StanPlaylisty.Kursor = 1;
    silnik.GrajKolejny(0, TrybKursor, ZrodloKlaw);
    StartPoPrzygotowaniu(silnik);
    ASSERT_TRUE(silnik.SlotZajety(1));
    udzial->set(false);
    silnik.Przygotuj(2, 1'000);  // its start already read ahead: another one
    ASSERT_TRUE(CzekajNa([&] { return udzial->count(&Gate::reading) == 1; }));
    {
        ZamykanieProgramu zamykanie([&](int s) { okno->ZamknijNaSygnal(s); });
        std::raise(SIGTERM);
        ASSERT_TRUE(CzekajNa([&] { return !silnik.SlotZajety(1); }));
    }
    QElapsedTimer czas;
    czas.start();
    okno.reset();
    EXPECT_LT(czas.elapsed(), 3'000);
    EXPECT_EQ(udzial->count(&Gate::reading), 1);
    const QStringList linie = log();
    EXPECT_EQ(linie.filter(QStringLiteral("Sygnał SIGTERM - zamknięcie programu")).size(), 1);
    EXPECT_TRUE(linie.last().endsWith(QStringLiteral("Prawidłowy koniec pracy")));
    QStringList historia;
    platform::readTextLines(folder_.file(QStringLiteral("26_12_06.HST")), historia);
    EXPECT_EQ(historia.filter(QStringLiteral("E8000.WAV")).size(), 1);
    udzial->set(true);
    EXPECT_TRUE(CzekajNa([&] { return udzial->count(&Gate::reading) == 0; }));
    WyczyscPlayliste();
}

TEST(ProgramLock, ASecondProgramOnTheSameFolderIsRefused) {
    QTemporaryDir folder;
    auto pierwsza = std::make_unique<BlokadaProgramu>(folder.path());
    ASSERT_TRUE(pierwsza->Zajmij());
    BlokadaProgramu druga(folder.path());
    EXPECT_FALSE(druga.Zajmij());
    EXPECT_TRUE(druga.ZajetaPrzezInny());
    EXPECT_EQ(druga.Powod(), QStringLiteral("Program już pracuje w katalogu ") + folder.path());
    QTemporaryDir inny;
    EXPECT_TRUE(BlokadaProgramu(inny.path()).Zajmij());
    pierwsza.reset();
    EXPECT_TRUE(druga.Zajmij());

    // A lock that cannot be made says what failed, not that a program runs.
    BlokadaProgramu bezKatalogu(folder.path() + QStringLiteral("/nie-ma"));
    EXPECT_FALSE(bezKatalogu.Zajmij());
    EXPECT_FALSE(bezKatalogu.ZajetaPrzezInny());
    EXPECT_EQ(bezKatalogu.Powod(), QStringLiteral("Nie można utworzyć pliku blokady ") + folder.path() +
                                       QStringLiteral("/nie-ma/tolvane.lock: katalog nie istnieje"));
}

// A program folder where no lock can be made (full, read-only) does not keep
// the station off the air: the program starts, the caption and the log say
// why it runs without the lock. A folder held by another program still stops it.
TEST_F(Startup, WithoutItsLockTheProgramStartsAndSaysSo) {
    nastawy({QStringLiteral("Numer=7"), QStringLiteral("Id=Studio"), QStringLiteral("LOGZbiorJest=1")});
    BlokadaProgramu trzyma(folder_.path());
    ASSERT_TRUE(trzyma.Zajmij());
    QString brak;
    EXPECT_FALSE(BlokadaProgramu(folder_.path()).MoznaStartowac(brak));

    BlokadaProgramu bezMiejsca(folder_.path() + QStringLiteral("/nie-ma"));
    ASSERT_TRUE(bezMiejsca.MoznaStartowac(brak));
    ASSERT_FALSE(brak.isEmpty());
    TTolv okno;
    okno.UstawBrakBlokady(brak);
    okno.FormCreate({});
    EXPECT_EQ(okno.windowTitle(), Podpis + QStringLiteral("7 - Studio   [BRAK BLOKADY KATALOGU]"));
    EXPECT_TRUE(log().contains(QStringLiteral("09:00:00->  ") + brak + QStringLiteral(" - praca bez blokady katalogu")));
}

// With the counters on, a worker reads the database at start-up: a play
// ended before anyone opens the database window counts, and the close
// writes it to the counters file.
TEST_F(Startup, WithTheCountersOnTheFirstPlayCounts) {
    folder_.drive(u'c');
    folder_.write(QStringLiteral("drives/c/A.WAV"), fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 6000)));
    folder_.write(QStringLiteral("drives/c/BAZA.BAZ"), "WERSJA=2\r\nPOZYCJI=1\r\nAdr=C:\\A.WAV\r\nKONIEC OPISU\r\n");
    nastawy({QStringLiteral("OknoStanStart=0")},
            {QStringLiteral("[Emisja MIX]"), QStringLiteral("CzyHST=0"), QStringLiteral("[Baza nagran]"),
             QStringLiteral("BazaZbior=C:\\BAZA.BAZ"), QStringLiteral("BazaLicznikJest=1"),
             QStringLiteral("BazaLicznikDodaj=1")});
    const std::unique_ptr<TTolv> okno = OknoTestowe();
    SilnikEmisji& s = okno->Silnik();
    TElemPListy& e = Playlista[1];
    InitElemPListy(e);
    e.Typ = RodzajSND, e.Ide = QStringLiteral("A"), e.Adr = QStringLiteral("C:\\A.WAV");
    e.Emi = 9 * 3'600'000, e.Trw = e.NwK = e.FOu = 6000;
    StanPlaylisty.Ilosc = StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    s.GrajKolejny(0, TrybKursor, ZrodloKlaw);
    StartPoPrzygotowaniu(s);
    EXPECT_TRUE(CzekajNa([&] {
        if (auto d = platform::DeviceHub::instance().openVirtual(0)) d->stepMs(30);
        zegar_.advance(30);
        s.Pliki.Oproznij(), s.OproznijPrzygotowania(), okno->Timer1Timer();
        return !s.SlotZajety(1);
    }, 20'000));
    dialogi_.Odpowiedz(OdpowiedzTak);
    EXPECT_EQ(okno->FormClose(), 2);
    EXPECT_TRUE(folder_.read(QStringLiteral("drives/c/BAZA.LIC")).contains("Adr=C:\\A.WAV\r\nEmC=1\r\n"));
    WyczyscPlayliste();
    BazaCzyscWszystko(), BazaWczytana = false, BazaNastawyDomyslne();
}

}  // namespace
