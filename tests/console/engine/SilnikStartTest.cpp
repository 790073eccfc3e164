// Starting elements: by key, by Automat at the mix point, the missing and
// the broken file, the next mark and the cueing of the next element.
#include "console/support/SilnikRig.h"
#include "console/engine/TrybyEmisji.h"

#include "foundation/KestPods2.h"
#include "platform/audio/Decoder.h"

#include <QDir>

#include <cerrno>
#include <future>

TEST(SilnikStart, EnterStartsTheCursorElementOnTheFirstFreePlayer) {
    SilnikRig r;
    const QString a = r.wav("a.wav", 20'000);
    const QString b = r.wav("b.wav", 20'000);
    TElemPListy& e1 = r.dodaj(a, H12 + 5'000, 20'000);
    e1.NwP = 1'000;
    e1.FIn = 1'000;
    e1.Wzm = -300;
    e1.Tyt = QStringLiteral("Ala; ma kota");
    r.dodaj(b, H12 + 25'000, 20'000);
    Emisja.Poziom0SND = -2;
    r.silnik->AutostopJest = true;
    StanPlaylisty.Kursor = 1;

    r.graj(0, TrybKursor, ZrodloKlaw);

    EXPECT_EQ(r.gracze.StanOdtwarzacza(1), 1);
    EXPECT_EQ(r.gracze[1].poz0, 1'000);
    EXPECT_EQ(r.gracze[1].glosnosc, -300 - 200);
    EXPECT_EQ(r.stan.OdtwarzaczZajety[1], 1);
    const MIXMagnetType& m = r.silnik->Odtwarzacz[1];
    EXPECT_EQ(m.Element, 1);
    EXPECT_EQ(m.Emi, H12 + 5'000);
    EXPECT_EQ(m.NwP, H12 + 6'000);
    EXPECT_EQ(m.NwK, H12 + 25'000);
    EXPECT_EQ(m.Tyt.str(), QStringLiteral("Ala: ma kota"));
    EXPECT_EQ(m.KodRodzaju.str(), QStringLiteral("mu"));
    EXPECT_EQ(m.CzasStartu.str(), QStringLiteral("12:00:00"));
    EXPECT_EQ(m.StartMS, H12);
    const QStringList start = r.logiZ("START 1 ");
    ASSERT_EQ(start.size(), 1);
    EXPECT_EQ(start[0], "0 0 1 0 P S S KLAW START 1 " + a + " 12:00:06.000  00:00:00.000");
    // The next mark moved on and the next element was announced.
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);
    EXPECT_TRUE(r.wyjscia.zdarzenia.contains("1 START"));
    EXPECT_TRUE(r.wyjscia.zdarzenia.contains("0 DO GRANIA 2"));
    EXPECT_EQ(r.logiZ("DO GRANIA").value(0), "0 0 1 0 P S S PROG DO GRANIA E2 0 12:00:25.000");

    // A second Enter takes player 2; AutoStop asks player 1 to fade out.
    StanPlaylisty.Kursor = 2;
    r.graj(0, TrybKursor, ZrodloKlaw);
    EXPECT_EQ(r.gracze.StanOdtwarzacza(2), 1);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].FadeTrwa, 1);
    // With both playing nothing more starts.
    r.graj(0, TrybKursor, ZrodloKlaw);
    EXPECT_EQ(r.logiZ("START 1 ").size() + r.logiZ("START 2 ").size(), 2);
}

// The START and DO GRANIA lines carry the planned time of day: a playlist
// element's moved by the deviation, a time-list entry's as the clock gave
// it; an element with no air time is planned for its start, or not at all.
TEST(SilnikStart, StartLinesCarryThePlannedTimeOfDay) {
    SilnikRig r;
    r.silnik->PrzesuniecieCzasu = 2'000;
    r.dodaj(r.wav("a.wav", 5'000), H12, 5'000);
    r.dodaj(r.wav("b.wav", 5'000), -1, 5'000);
    StanPlaylisty.Kursor = 1;
    r.graj(0, TrybKursor, ZrodloKlaw);
    EXPECT_TRUE(r.logiZ("START 1").value(0).contains(" 12:00:02.000  ")) << r.logiZ("START 1").value(0).toStdString();
    EXPECT_TRUE(r.logiZ("DO GRANIA").value(0).endsWith("DO GRANIA E2 0 --:--:--.---"));
    InitElemPListy(ElemPListyRob);
    ElemPListyRob.Adr = r.wav("c.wav", 5'000);
    ElemPListyRob.Emi = H12 + 1'000;
    ElemPListyRob.NwK = ElemPListyRob.FOu = ElemPListyRob.Trw = 5'000;
    r.graj(2, TrybRoboczy, ZrodloKlaw);
    EXPECT_TRUE(r.logiZ("START 2").value(0).contains(" 12:00:01.000  ")) << r.logiZ("START 2").value(0).toStdString();
}

TEST(SilnikStart, WithoutAutoStopBothDecksPlayOn) {
    SilnikRig r;
    r.dodaj(r.wav("a.wav", 5'000), H12, 5'000);
    r.dodaj(r.wav("b.wav", 5'000), H12 + 5'000, 5'000);
    StanPlaylisty.Kursor = 1;
    r.graj(0, TrybKursor, ZrodloKlaw);
    StanPlaylisty.Kursor = 2;
    r.graj(0, TrybKursor, ZrodloKlaw);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].FadeZadanie, 0);
    EXPECT_EQ(r.gracze.StanOdtwarzacza(1) + r.gracze.StanOdtwarzacza(2), 2);
}

TEST(SilnikStart, AutomatStartsTheNextElementInsideItsMixWindowOnly) {
    SilnikRig r;
    Emisja.CiszaGra = true;  // no start "at once": only the window counts
    Emisja.TOfset = 200;
    r.dodaj(r.wav("a.wav", 10'000), H12, 10'000);
    r.dodaj(r.wav("b.wav", 10'000), H12 + 8'000, 10'000);
    r.dodaj(r.wav("c.wav", 10'000), H12 + 16'000, 10'000);
    StanPlaylisty.Kursor = 1;
    r.graj(0, TrybKursor, ZrodloKlaw);
    r.stan.TrybAutomat = true;

    // Player 1 started at position 0 of an element aired at 12:00:00, so the
    // on-air time is 12:00:00 + 30 ms per tick; the window opens at 7 800 ms.
    const int tiki = r.tikDo([&] { return r.gracze.StanOdtwarzacza(2) == 1; }, 1000);
    EXPECT_EQ(tiki, 260);  // 260 x 30 = 7 800
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 2);
    EXPECT_EQ(r.silnik->CzasAntenowy, H12 + 7'800);
    EXPECT_EQ(StanPlaylisty.DoGrania, 3);
    // The element on a deck is never started a second time.
    r.tik(10);
    EXPECT_EQ(r.logiZ("START 2").size(), 1);
    // Player 1 ends by itself and is ended once.
    r.tikDo([&] { return r.stan.OdtwarzaczZajety[1] == 0; }, 200);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 0);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].SygnalSlotu.Nazwa, QStringLiteral("Nie_ma"));
    // The third follows on player 1.
    r.tikDo([&] { return r.silnik->Odtwarzacz[1].Element == 3; }, 1000);
    // Due at 15 800 on player 2's day axis; the list ends there,
    // so Automat went off.
    EXPECT_TRUE(r.logiZ("START 1").last().endsWith("c.wav 12:00:16.000  12:00:15.800"));
    EXPECT_FALSE(r.stan.TrybAutomat);
}

TEST(SilnikStart, AutomatWithoutSilenceStartsAtOnceWhenIdle) {
    SilnikRig r;
    r.dodaj(r.wav("a.wav", 3'000), H12 + 3'600'000, 3'000);  // planned an hour later
    r.dodaj(r.wav("b.wav", 3'000), H12 + 3'603'000, 3'000);
    StanPlaylisty.Kursor = 1;
    StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;
    r.tik();
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 1);
    EXPECT_EQ(r.logiZ("START").value(0).left(17), "0 0 0 1 P S S PRO");
    // Running off the end: the last element keeps the next mark and Automat goes off.
    r.tikDo([&] { return r.silnik->Odtwarzacz[2].Element == 2 || r.silnik->Odtwarzacz[1].Element == 2; }, 1000);
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);
    EXPECT_FALSE(r.stan.TrybAutomat);
}

TEST(SilnikStart, PlannedJustBeforeMidnightStillStartsAfterIt) {
    SilnikRig r;
    Emisja.CiszaGra = true;
    Emisja.NastPoPlay = false;
    r.dodaj(r.wav("a.wav", 30'000), DobaMs - 10'000, 30'000);  // 23:59:50
    r.dodaj(r.wav("b.wav", 5'000), DobaMs - 2'000, 5'000);     // 23:59:58
    StanPlaylisty.Kursor = 1;
    r.graj(0, TrybKursor, ZrodloKlaw);
    r.stan.TrybAutomat = true;
    // The broadcast runs late: element 2 is marked next only at 00:00:01.
    r.tikDo([&] { return r.silnik->CzasAntenowy >= 1'000 && r.silnik->CzasAntenowy < 10'000; }, 1000);
    StanPlaylisty.DoGrania = 2;
    r.tik();
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 2);
}

TEST(SilnikStart, DjElementsGoToPlayerThreeInAutomat) {
    SilnikRig r;
    r.dodaj(r.wav("a.wav", 5'000), H12, 5'000, RodzajDJ_);
    r.dodaj(r.wav("b.wav", 5'000), H12 + 5'000, 5'000);
    StanPlaylisty.Kursor = 1;
    StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;
    r.tik();
    EXPECT_EQ(r.silnik->Odtwarzacz[3].Element, 1);
    EXPECT_EQ(r.gracze.StanOdtwarzacza(1), 0);
    EXPECT_EQ(r.silnik->Odtwarzacz[3].KodRodzaju.str(), QStringLiteral("dj"));
}

TEST(SilnikStart, MissingFileInAutomatIsSkippedOnceWithOneDialog) {
    SilnikRig r;
    Emisja.CzyKomunikatBrakNagrania = true;
    r.dodaj(r.dir.file("brak.wav"), H12, 5'000);
    r.dodaj(r.wav("b.wav", 5'000), H12 + 5'000, 5'000);
    StanPlaylisty.Kursor = 1;
    StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;
    int zaplanowano = 0;
    r.silnik->ZaplanujPoTiku = [&] { ++zaplanowano; };

    r.tik(20);

    EXPECT_EQ(r.logiZ("!!! BRAK NAGRANIA !!!"), QStringList{"0 0 0 1 S S S PROG START !!! BRAK NAGRANIA !!!"});
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 2);
    // Nothing was shown inside the tick; the window shows it afterwards.
    EXPECT_TRUE(r.dialogi.Zapisy().isEmpty());
    EXPECT_GE(zaplanowano, 1);
    ASSERT_EQ(r.silnik->KomunikatyOczekujace.size(), 1);
    r.silnik->PoTiku();
    const auto info = r.dialogi.Zapisy(RodzajDialogu::Info);
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(info[0].teksty, (QStringList{"Nie ma nagrania", r.dir.file("brak.wav")}));
}

TEST(SilnikStart, AFileThatFailsToOpenLeavesTheSlotFreeAndTheLoopRunning) {
    SilnikRig r;
    const QString zly = r.wav("zly.wav", 5'000);
    r.gracze.rzucaj.insert(zly);
    r.dir.write("smieci.wav", QByteArray("to nie jest dzwiek"));
    r.dodaj(zly, H12, 5'000);
    r.dodaj(r.dir.file("smieci.wav"), H12 + 5'000, 5'000);
    r.dodaj(r.wav("c.wav", 5'000), H12 + 10'000, 5'000);
    StanPlaylisty.Kursor = 1;
    StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;

    r.tik(5);

    EXPECT_FALSE(r.silnik->Timer1Zajety);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 3);
    EXPECT_EQ(r.logiZ("BŁĄD ODCZYTU NAGRANIA").size(), 2);
    // The garbage, known from its read-ahead, was passed over before its time.
    EXPECT_TRUE(r.logiZ("BŁĄD ODCZYTU NAGRANIA").value(1).contains("PROG START " + r.dir.file("smieci.wav")));
    auto startow = [&] { return r.logiZ(" START 1 ").size() - r.logiZ(" START 1 ").filter("BŁĄD").size(); };
    EXPECT_EQ(startow(), 1);
    // Opened by hand, the broken file leaves player 1 free and no START line.
    r.silnik->KoniecEmisji(1, PowodMysz);
    StanPlaylisty.Kursor = 1;
    r.graj(0, TrybKursor, ZrodloKlaw);
    EXPECT_EQ(r.stan.OdtwarzaczZajety[1], 0);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].SygnalSlotu.Nazwa, QStringLiteral("Nie_ma"));
    EXPECT_EQ(startow(), 1);
}

// The tick only reads what the workers found: a start in Automat past
// missing files, the start itself, its log lines and the look at the
// advert list's date touch no file on its thread.
TEST(SilnikStart, AStartPastMissingFilesLooksAtNoFileInTheTick) {
    SilnikRig r;
    for (int i = 0; i < 300; ++i) r.dodaj(r.dir.file(QStringLiteral("brak%1.wav").arg(i)), H12, 3'000);
    r.dodaj(r.wav("gra.wav", 3'000), H12, 3'000);
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;
    r.dir.write("REKLAMY.LST", QByteArray("12:00:00\r\n"));
    LST1Adres = r.dir.file("REKLAMY.LST");  // newer than the one read
    r.gracze.dlugoscStala = 3'000;  // the stand-in players' reading of the length is not counted
    const quint64 przed = platform::fileSystemLooks();
    r.tikDo([&] { return r.silnik->Odtwarzacz[1].Element != 0; }, 5);
    EXPECT_EQ(platform::fileSystemLooks(), przed);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 301);
    EXPECT_EQ(r.silnik->Komunikat, QStringLiteral("Dostępna nowsza lista reklamowa"));
    EXPECT_EQ(r.logiZ("INFO: Dostępna jest nowsza lista reklam LST").size(), 1);
    EXPECT_EQ(r.logiZ(" START 1 ").size(), 1);
    const QStringList pominiete = r.logiZ("Pominięto pozycję nr ");
    ASSERT_EQ(pominiete.size(), 299);  // the first is the start's own "BRAK NAGRANIA"
    EXPECT_EQ(pominiete[0], "Pominięto pozycję nr 2 " + r.dir.file("brak1.wav") + " !!! BRAK NAGRANIA !!!");
}

// What the presence worker found missing is passed over only under the
// address it looked at: an element given another file since is stopped at.
TEST(SilnikStart, AWalkStopsAtAnElementGivenAnotherFileSinceThePresenceWorkerLooked) {
    SilnikRig r;
    for (int i = 1; i <= 4; ++i) r.dodaj(r.dir.file(QStringLiteral("brak%1.wav").arg(i)), H12, 3'000);
    r.dodaj(r.wav("gra.wav", 3'000), H12, 3'000);
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;
    r.silnik->Pliki.Oproznij();
    Playlista[3].Adr = r.wav("nowy.wav", 3'000);
    r.zegar.advance(SilnikEmisji::InterwalTimer1);
    r.silnik->Timer1Timer();
    // The walk stopped at 3 (which the same tick starts when its read-ahead
    // is quick enough).
    EXPECT_TRUE(StanPlaylisty.DoGrania == 3 || r.silnik->Odtwarzacz[1].Element == 3) << StanPlaylisty.DoGrania;
    r.tikDo([&] { return r.silnik->Odtwarzacz[1].Element != 0; }, 5);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 3);
    // Its start moves the next mark past element 4 to 5.
    EXPECT_EQ(r.logiZ("Pominięto pozycję nr "),
              QStringList({"Pominięto pozycję nr 2 " + r.dir.file("brak2.wav") + " !!! BRAK NAGRANIA !!!",
                           "Pominięto pozycję nr 4 " + r.dir.file("brak4.wav") + " !!! BRAK NAGRANIA !!!"}));
    EXPECT_EQ(StanPlaylisty.DoGrania, 5);
}

// The music's share drops while a song plays (its folder is gone, so every
// call there fails): what follows is not written off and Automat stays on,
// the status field says why while it lasts, and the list plays on by itself
// within seconds of the share's return.
TEST(SilnikStart, AShareThatStopsAnsweringHoldsTheListUntilItAnswersAgain) {
    SilnikRig r;
    r.gracze.dlugoscStala = 3'000;
    const QString muzyka = r.dir.file("MUZYKA");
    for (int i = 0; i < 4; ++i)
        r.dodaj(r.wav(QStringLiteral("MUZYKA/%1.wav").arg(i), 3'000), H12 + i * 3'000, 3'000);
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;
    r.tik();
    r.silnik->OproznijPrzygotowania();  // the next two are read ahead and stay open
    ASSERT_TRUE(QDir().rename(muzyka, muzyka + "_"));
    r.tik(20'000 / SilnikEmisji::InterwalTimer1);
    EXPECT_TRUE(r.stan.TrybAutomat);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element + r.silnik->Odtwarzacz[2].Element, 0);
    EXPECT_EQ(StanPlaylisty.DoGrania, 4);
    EXPECT_EQ(r.logiZ("BRAK NAGRANIA").size() + r.logiZ("BŁĄD ODCZYTU").size(), 0);
    const QString awaria = "Błąd odczytu katalogu " + muzyka + ": " + qt_error_string(ENOENT);
    EXPECT_EQ(r.logiZ("katalogu " + muzyka), QStringList{awaria});
    EXPECT_EQ(r.wyjscia.zdarzenia.filter("STATUS").last(), "STATUS czerwony " + awaria);
    ASSERT_TRUE(QDir().rename(muzyka + "_", muzyka));
    EXPECT_GT(r.tikDo([&] { return r.silnik->Odtwarzacz[1].Element == 4; }, 10'000 / SilnikEmisji::InterwalTimer1), 0);
    EXPECT_EQ(r.logiZ("katalogu " + muzyka), (QStringList{awaria, "Odczyt katalogu " + muzyka + " znów działa"}));
}

namespace {
// A share that stopped answering: every read waits until it is let go.
class Wstrzymany final : public platform::Decoder {
public:
    Wstrzymany(std::unique_ptr<platform::Decoder> d, std::shared_future<void> pusc) : d_(std::move(d)), pusc_(pusc) {}
    platform::PcmFormat format() const override { return d_->format(); }
    int64_t lengthFrames() const override { return d_->lengthFrames(); }
    int64_t read(void* dst, int64_t n) override {
        pusc_.wait();
        return d_->read(dst, n);
    }
    bool seekFrame(int64_t f) override { return d_->seekFrame(f); }

private:
    std::unique_ptr<platform::Decoder> d_;
    std::shared_future<void> pusc_;
};
}  // namespace

// The next element's file stalls on its first read: its start is late and
// logged once, the element on air plays on and the ticks keep coming; once
// the read comes back a tick starts it.
TEST(SilnikStart, AStalledReadMakesTheNextElementLateWhileTheAirGoesOn) {
    SilnikRig r;
    r.dodaj(r.wav("a.wav", 3'000), H12, 3'000);
    r.dodaj(r.wav("b.wav", 3'000), H12 + 2'000, 3'000);
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;
    r.tik();
    ASSERT_EQ(r.silnik->Odtwarzacz[1].Element, 1);
    // The element after is another file now, on the stalled share.
    std::promise<void> pusc;
    platform::setDecoderWrapper([f = pusc.get_future().share()](std::unique_ptr<platform::Decoder> d) {
        return std::unique_ptr<platform::Decoder>(std::make_unique<Wstrzymany>(std::move(d), f));
    });
    Playlista[2].Adr = r.wav("wolny.wav", 3'000);
    r.silnik->Pliki.Oproznij();
    auto tik = [&] {
        r.zegar.advance(SilnikEmisji::InterwalTimer1);
        r.silnik->Timer1Timer();
    };
    for (int i = 0; i < 70; ++i) tik();  // past 12:00:02, while a.wav plays
    EXPECT_EQ(r.logiZ("NIEGOTOWE").size(), 1u);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 1);
    EXPECT_EQ(r.gracze.StanOdtwarzacza(1), 1);
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 0);
    pusc.set_value();
    r.silnik->OproznijPrzygotowania();
    platform::setDecoderWrapper(nullptr);
    tik();
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 2);
    EXPECT_EQ(r.logiZ(" START 2 ").size(), 1u);
}

// The first start after launch, by Enter, with nothing read ahead and the
// share stalled: the key looks at no file on its thread; the start is late,
// logged once, and airs on the first tick after the read comes back.
TEST(SilnikStart, AKeyStartWithNothingPreparedIsLateAndAirsOnceTheReadComesBack) {
    SilnikRig r;
    const QString a = r.wav("a.wav", 3'000);
    r.dodaj(a, H12, 3'000);
    StanPlaylisty.Kursor = 1;
    std::promise<void> pusc;
    platform::setDecoderWrapper([f = pusc.get_future().share()](std::unique_ptr<platform::Decoder> d) {
        return std::unique_ptr<platform::Decoder>(std::make_unique<Wstrzymany>(std::move(d), f));
    });
    const quint64 przed = platform::fileSystemLooks();
    r.silnik->GrajKolejny(0, TrybKursor, ZrodloKlaw);
    EXPECT_EQ(platform::fileSystemLooks(), przed);
    for (int i = 0; i < 10; ++i) r.silnik->Timer1Timer();
    EXPECT_EQ(r.logiZ("NIEGOTOWE"),
              QStringList{"0 0 0 0 S S S KLAW START " + a + " !!! NAGRANIE NIEGOTOWE - START OPÓŹNIONY !!!"});
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 0);
    pusc.set_value();
    platform::setDecoderWrapper(nullptr);
    StartPoPrzygotowaniu(*r.silnik);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 1);
    EXPECT_EQ(r.logiZ("KLAW START 1 ").size(), 1);
}

TEST(SilnikStart, APlayerThatKeepsThrowingIsLoggedOnceAndTheOtherSlotsTick) {
    SilnikRig r;
    r.dodaj(r.wav("a.wav", 5'000), H12, 5'000);
    r.dodaj(r.wav("b.wav", 5'000), H12, 5'000);
    for (quint8 p : {1, 2}) {
        StanPlaylisty.Kursor = p;
        r.graj(p, TrybKursor, ZrodloKlaw);
    }
    r.gracze.rzucajPozycja = {1};
    for (int i = 0; i < 33; ++i) {  // a second of ticks and deck refreshes
        r.tik();
        r.silnik->OdswiezOdtwarzacze();
    }
    EXPECT_FALSE(r.silnik->Timer1Zajety);
    EXPECT_EQ(r.logiZ("Błąd pętli emisji").size(), 0);
    EXPECT_EQ(r.logiZ("Błąd odtwarzacza").value(0), "Błąd odtwarzacza 1 E1: position lost");
    EXPECT_EQ(r.logiZ("Błąd odtwarzacza").size(), 1);
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Pozycja, H12 + 990);  // player 2 kept its day position

    // The next element on the slot is a new one: logged once more.
    r.silnik->KoniecEmisji(1, PowodMysz);
    StanPlaylisty.Kursor = 1;
    r.graj(1, TrybKursor, ZrodloKlaw);
    r.tik(10);
    EXPECT_EQ(r.logiZ("Błąd odtwarzacza 1").size(), 2);
    // A player that answers again plays on.
    r.gracze.rzucajPozycja.clear();
    r.tik();
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Pozycja, H12 + 330);
}

TEST(SilnikStart, ResumePointAndPromoLength) {
    SilnikRig r;
    const QString aud = r.wav("aud.wav", 40'000);
    TElemPListy& a = r.dodaj(aud, H12, 40'000, RodzajAUD);
    a.Wznow = 30'000;
    StanPlaylisty.Kursor = 1;
    r.silnik->GrajOdWznowienia();
    StartPoPrzygotowaniu(*r.silnik);
    EXPECT_EQ(r.gracze[1].poz0, 30'000);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Pozycja, H12 + 30'000);
    r.silnik->KoniecEmisji(1, PowodMysz);
    a.Wznow = 39'500;  // within the last second: from the start
    r.silnik->GrajOdWznowienia();
    StartPoPrzygotowaniu(*r.silnik);
    EXPECT_EQ(r.gracze[1].poz0, 0);
    r.silnik->KoniecEmisji(1, PowodMysz);

    // A promo 2 000 ms longer than planned moves everything after it.
    TElemPListy& p = r.dodaj(r.wav("pro.wav", 12'000), H12 + 40'000, 10'000, RodzajPRO);
    p.Ide = QStringLiteral("PROMO1");
    r.dodaj(r.wav("x.wav", 3'000), H12 + 50'000, 3'000);
    StanPlaylisty.Kursor = 2;
    r.graj(0, TrybKursor, ZrodloKlaw);
    EXPECT_EQ(Playlista[2].Trw, 12'000);
    EXPECT_EQ(Playlista[3].Emi, H12 + 52'000);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].NwK, H12 + 52'000);
    EXPECT_EQ(r.logiZ("Różnica długości Promosu").value(0),
              "Różnica długości Promosu \"PROMO1\": 00:00:02.000");
    EXPECT_EQ(r.logiZ("Dla pozycji nr").size(), 0);  // a promo writes no second line
    EXPECT_EQ(Playlista[2].Out, 0);                   // nor moves its outro
    r.silnik->KoniecEmisji(1, PowodMysz);

    // The service's news jingle does both.
    Emisja.SERWISJest = true;
    TElemPListy& j = r.dodaj(r.wav("ser.wav", 5'000), H12 + 60'000, 4'000, RodzajJNG);
    j.Tyt = QStringLiteral("#SERWIS 12");
    j.Ide = QStringLiteral("SER1");
    r.dodaj(r.wav("y.wav", 3'000), H12 + 64'000, 3'000);
    StanPlaylisty.Kursor = 4;
    r.graj(0, TrybKursor, ZrodloKlaw);
    EXPECT_EQ(Playlista[4].Out, 5'000);
    EXPECT_EQ(r.logiZ("Dla pozycji nr").value(0),
              "Dla pozycji nr 5 emisja przed: 12:01:04.000 emisja po zmianie: 12:01:05.000");
}

TEST(SilnikStart, ClearingThePlaylistAsksAndKeepsAnUndoCopy) {
    SilnikRig r;
    r.dodaj(r.wav("a.wav", 1'000), H12, 1'000);
    r.dodaj(r.wav("b.wav", 1'000), H12, 1'000);
    r.dialogi.Odpowiedz(OdpowiedzNie);
    EXPECT_FALSE(r.silnik->KasujPlayliste());
    EXPECT_EQ(StanPlaylisty.Ilosc, 2);
    ZegaryKonsoli zegary;
    UstawZegary(&zegary);
    zegary.Wlacz(TimerKonsoli::SATPLMWycisz, true);
    PlaylistaWczytana = true;
    r.dialogi.Odpowiedz(OdpowiedzTak);
    EXPECT_TRUE(r.silnik->KasujPlayliste());
    UstawZegary(nullptr);
    EXPECT_EQ(StanPlaylisty.Ilosc, 0);
    EXPECT_EQ(PlaylistaNazwa, QStringLiteral("Nie_ma"));
    EXPECT_FALSE(PlaylistaWczytana);                              // no playlist loaded
    EXPECT_FALSE(zegary.Wlaczony(TimerKonsoli::SATPLMWycisz));  // no fade left to come
    EXPECT_EQ(UndoOperacja, QStringLiteral("Kasuj playlistę"));
    EXPECT_EQ(r.dialogi.Zapisy(RodzajDialogu::Decyzja).value(0).teksty.value(0), "Czy skasować playlistę?");
}
