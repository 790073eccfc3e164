// The dispatcher fed with input events as the window makes them; every
// command that reaches a handler is recorded.
#include <gtest/gtest.h>


#include "console/commands/Dyspozytor.h"
#include "console/commands/Komendy.h"
#include "foundation/KestPods2.h"
#include "platform/Clock.h"
#include "playlists/NastawyEmisji.h"

#include <QFile>
#include <QKeySequence>
#include <QRegularExpression>

#include <set>

namespace {

struct CelTestowy : CelDyspozytora {
    qint32 kursor = 0;
    bool wierszePlaylisty = false;   // the point is on the playlist rows
    int wierszTimelisty = 0;         // what a click in the time list hits
    bool statusJest = false;
    TRect status;
    TRect wierszeTimelisty;
    std::vector<quint8> klikiPlaylisty;
    int klikiWielosladu = 0;
    int rysowanePanele = 0;
    int odmowy = 0;

    qint32 KursorPlaylisty() const override { return kursor; }
    bool KlikWierszyPlaylisty(quint8 przycisk) override {
        if (!wierszePlaylisty) return false;
        klikiPlaylisty.push_back(przycisk);
        return true;
    }
    int KlikWierszyTimelisty() override { return wierszTimelisty; }
    void KlikWielosladu() override { ++klikiWielosladu; }
    bool PoleStatusu(TRect& r) const override {
        r = status;
        return statusJest;
    }
    bool PunktWWierszachTimelisty(QPoint p) const override {
        return p.x() >= wierszeTimelisty.Left && p.x() <= wierszeTimelisty.Right && p.y() >= wierszeTimelisty.Top &&
               p.y() <= wierszeTimelisty.Bottom;
    }
    void RysujPanelDolny() override { ++rysowanePanele; }
    void OdmowaPodczasCzytania() override { ++odmowy; }
};

class Dispatcher : public ::testing::Test {
protected:
    void SetUp() override {
        DomyslneNastawyEmisji();
        DomyslneNastawySatelity();
        UstawSkale(SzerokoscSiatki, WysokoscSiatki);  // scale 1: grid units are pixels
        UstawPasekPrzyciskow(przyciski, uklad);
        UstawPrzyciskiGodzin(przyciski, false);
        dyspozytor.UstawObsluge(1, 0xFFFF, [this](quint16 id) { komendy.push_back(id); });
        KasujZdarzenie();
    }
    void TearDown() override { UstawSkale(SzerokoscSiatki, WysokoscSiatki); }

    std::vector<quint16> klawisz(quint16 kod) {
        komendy.clear();
        Zdarzenie.Rodzaj = ZdarzenieKlawisz;
        Zdarzenie.Kod = kod;
        dyspozytor.Dyspozytuj();
        return komendy;
    }
    std::vector<quint16> klik(int x, int y, quint8 przycisk = 1) {
        komendy.clear();
        MyszPunkt = QPoint(x, y);
        MyszPrzycisk = przycisk;
        Zdarzenie.Rodzaj = ZdarzenieMysz;
        Zdarzenie.Kod = 0;
        Zdarzenie.X = x;
        Zdarzenie.Y = y;
        dyspozytor.Dyspozytuj();
        return komendy;
    }
    // A click in the middle of a bar button.
    std::vector<quint16> klikPrzycisku(int indeks) {
        const TRect& r = przyciski.Pasek[indeks].Rect;
        return klik((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    std::vector<quint16> kolko(bool wDol, QPoint p) {
        komendy.clear();
        dyspozytor.Kolko(wDol, p);
        return komendy;
    }

    StanKonsoli stan;
    PrzyciskiKonsoli przyciski;
    UkladPaska uklad;
    CelTestowy cel;
    Dyspozytor dyspozytor{stan, przyciski, cel};
    std::vector<quint16> komendy;
};

using V = std::vector<quint16>;

// Every row of the key table is driven through the real window in
// KlawiszePaskaTest; here what lies outside it.
TEST_F(Dispatcher, KeysOutsideTheTableMeanNothing) {
    // Letters, Shift+F1, Alt+F1, Tab, Ctrl+0.
    for (quint16 kod : {quint16(0x1E61), quint16(0x1F73), quint16(0x6800), quint16(0x0F09), quint16(0x0B30)}) {
        EXPECT_EQ(klawisz(kod), V{}) << std::hex << kod;
        EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieBrak);
    }
    // Ctrl+Space and Space differ; Ctrl+Enter cues and does not start.
    EXPECT_EQ(klawisz(0x3922), V{KomStop});
    EXPECT_EQ(klawisz(0x3920), V{KomStopSpacja});
    EXPECT_EQ(klawisz(0x1C0A), V{KomKolejny});
}

TEST_F(Dispatcher, HotKeysAndClicksReachOnlyVisibleButtons) {
    EXPECT_EQ(klawisz(0x1E01), V{KomAutoStop});    // Ctrl+A: "~AutoStop"
    EXPECT_EQ(klawisz(0x1519), V{KomMiksy});       // Ctrl+Y: "Miks~y"
    EXPECT_EQ(klawisz(0x1F13), V{KomUstawStart});  // Ctrl+S: "U~st."
    EXPECT_EQ(klawisz(0x1414), V{KomAutomat});     // Ctrl+T: "Au~tomat"
    EXPECT_EQ(klikPrzycisku(PZmien), V{KomZmien});
    EXPECT_EQ(klikPrzycisku(PWieloslad), V{KomPanelWieloslad});
    // A press exactly on the right and bottom edge still hits.
    EXPECT_EQ(klik(przyciski.Pasek[PUndo].Rect.Right, przyciski.Pasek[PUndo].Rect.Bottom), V{KomUndo});
    // Without the desk-button setting the desk button is not there.
    EXPECT_EQ(klik(460, 90), V{});
    // Between buttons nothing.
    EXPECT_EQ(klik(515, 140), V{});

    uklad.CzyTrybEmisja = true;
    uklad.PanelPrzyciskSterowanieJest = true;
    UstawPasekPrzyciskow(przyciski, uklad);
    EXPECT_EQ(klawisz(0x1F13), V{});  // "U~st." hidden on air
    EXPECT_EQ(klawisz(0x250B), V{});  // Ctrl+K: "~Kod" hidden
    EXPECT_EQ(przyciski.Pasek[PPrzesun].Widoczny, 0);
    EXPECT_EQ(klik(460, 190), V{KomWstaw});         // the insert row is 43 high, over "Przes."
    EXPECT_EQ(klik(460, 120), V{KomAktualizacja});  // "Akt." takes the row
    EXPECT_EQ(klik(590, 200), V{KomInfo});
    EXPECT_EQ(klik(500, 90), V{KomSterowanie});     // " Sterowanie" alone, 54 wide

    uklad.SatTrybJest = true;
    uklad.CiszaJest = true;
    UstawPasekPrzyciskow(przyciski, uklad);
    EXPECT_EQ(klik(500, 90), V{KomSat});
    EXPECT_EQ(klik(620, 90), V{KomCisza});
    EXPECT_EQ(przyciski.Pasek[PAutomat].Tytul, QStringLiteral("Au~to."));
    EXPECT_EQ(klawisz(0x1414), V{KomAutomat});
}

TEST_F(Dispatcher, ExtraKeyboardButtonsAreMaroon) {
    uklad.CzyDodatkowaKlawiatura = true;
    UstawPasekPrzyciskow(przyciski, uklad);
    std::set<int> bordowe;
    for (int i = 0; i < LiczbaPrzyciskowPaska; ++i)
        if (przyciski.Pasek[i].Kolor == KolorBordowy) bordowe.insert(i);
    EXPECT_EQ(bordowe, (std::set<int>{PAutoStop, PAutomat, PInfo, PWstaw, PCzytaj, PKod, PBazaKat}));
}

TEST_F(Dispatcher, HourButtonsPlacesCaptionsAndCommands) {
    for (int g = 0; g < 24; ++g) {
        const BUTTONType& b = przyciski.Godziny[g];
        const int h = g + 1;
        const int lewy = h <= 12 ? 18 * h - 8 : 18 * h - 5;
        EXPECT_EQ(b.Rect.Left, lewy);
        EXPECT_EQ(b.Rect.Top, 78);
        EXPECT_EQ(b.Rect.Right, lewy + 16);
        EXPECT_EQ(b.Rect.Bottom, 78 + 7);
        EXPECT_EQ(b.Tytul, QString::number(g));
        EXPECT_EQ(klik(lewy + 8, 81), V{quint16(6000 + g)});
    }
    UstawPrzyciskiGodzin(przyciski, true);
    QStringList tytuly;
    for (const auto& b : przyciski.Godziny) tytuly << b.Tytul;
    EXPECT_EQ(tytuly.join(' '), QStringLiteral("12A 1AM 2AM 3AM 4AM 5AM 6AM 7AM 8AM 9AM 10A 11A "
                                               "12P 1PM 2PM 3PM 4PM 5PM 6PM 7PM 8PM 9PM 10P 11P"));

    // On the full-size window the grid doubles.
    UstawSkale(1296, 1014);
    UstawPasekPrzyciskow(przyciski, uklad);
    UstawPrzyciskiGodzin(przyciski, false);
    EXPECT_EQ(przyciski.Godziny[12].Rect.Left, 2 * (18 * 13 - 5));
    EXPECT_EQ(przyciski.Godziny[12].Rect.Top, 156);
    EXPECT_EQ(klik(2 * (18 * 13 - 5) + 16, 160), V{6012});
}

TEST_F(Dispatcher, MoveAndBlockModesLetOnlyLeaveEnterAndTheCursorThrough) {
    for (bool blok : {false, true}) {
        SCOPED_TRACE(blok ? "block" : "move");
        stan = StanKonsoli{};
        (blok ? stan.TrybBloku : stan.TrybPrzesuwania) = true;
        EXPECT_EQ(klawisz(0x5300), V{});                 // Del
        EXPECT_EQ(klawisz(0x5200), V{});                 // Ins
        EXPECT_EQ(klikPrzycisku(PUsun), V{});
        EXPECT_EQ(klik(18 * 5 - 8 + 2, 80), V{});        // an hour button
        EXPECT_EQ(klawisz(0x011B), V{KomWyjdz});         // Esc leaves
        EXPECT_EQ(klawisz(0x1C0D), V{KomStart});         // Enter drops (StartEnter does not matter)
        EXPECT_EQ(klawisz(0x5000), V{KomKursorDol});
        EXPECT_EQ(klawisz(0x4F00), V{KomKursorKoniec});
        EXPECT_EQ(klawisz(0x3922), V{});                 // not even the STOP
        EXPECT_EQ(klikPrzycisku(PBazaKat), V{});
        EXPECT_EQ(stan.TrybWstawiania, 1);
    }
}

TEST_F(Dispatcher, WhileAPlaylistIsReadOnlyWhatLeavesTheListActs) {
    stan.CzytaniePlaylisty = true;
    Emisja.StartEnter = true;
    EXPECT_EQ(klikPrzycisku(PAutoStop), V{KomAutoStop});
    EXPECT_EQ(klikPrzycisku(PAutomat), V{KomAutomat});
    EXPECT_EQ(klawisz(0x3922), V{KomStop});
    EXPECT_EQ(klawisz(0x1C0D), V{KomStart});
    EXPECT_EQ(klawisz(0x0E08), V{KomWznow});
    EXPECT_EQ(klawisz(0x1910), V{KomKolejny});
    EXPECT_EQ(klawisz(0x4900), V{KomKursorStronaGora});
    EXPECT_EQ(klikPrzycisku(PCzytaj), V{});
    EXPECT_EQ(klikPrzycisku(PUsun), V{});
    EXPECT_EQ(klikPrzycisku(PDluga), V{});
    EXPECT_EQ(stan.PanelDolny, PanelSingle);
    EXPECT_EQ(cel.odmowy, 3);  // each refusal says why
    EXPECT_EQ(klawisz(0x3B00), V{KomSingielF1});
    EXPECT_EQ(klik(18 * 3 - 8 + 2, 80), V{KomGodzina0 + 2});
    EXPECT_EQ(klawisz(0x5230), V{KomTimelistaWstaw});  // keypad 0
    EXPECT_EQ(klawisz(0x4838), V{KomTimelistaKursorOd});
}

TEST_F(Dispatcher, EnterStartsOnlyWhenAllowed) {
    platform::ManualClock zegar(QDate(2026, 12, 6), 10 * 3600 * 1000);
    platform::ScopedClock zakres(&zegar);
    Emisja.StartEnter = false;
    EXPECT_EQ(klawisz(0x1C0D), V{});
    Emisja.StartEnter = true;
    Emisja.StartEnterGra = false;
    stan.OdtwarzaczZajety[2] = 1;
    EXPECT_EQ(klawisz(0x1C0D), V{});  // player 2 plays
    Emisja.StartEnterGra = true;
    EXPECT_EQ(klawisz(0x1C0D), V{KomStart});
    EXPECT_FALSE(stan.KorektaStart.isValid());  // no correction reference without its setting

    Emisja.MIXPLAutomatKorektaJest = true;
    cel.kursor = 17;
    zegar.advance(1500);
    EXPECT_EQ(klawisz(0x1C0D), V{KomStart});
    EXPECT_EQ(stan.KorektaElement, 17);
    EXPECT_EQ(stan.KorektaStart, QDateTime(QDate(2026, 12, 6), QTime(10, 0, 1, 500)));
}

TEST_F(Dispatcher, TheWheelMovesTheTimeListCursorOverItsRowsElseThePlaylistCursor) {
    cel.wierszeTimelisty = TRect{460, 320, 640, 480};
    EXPECT_EQ(kolko(true, {100, 100}), V{KomKursorDol});
    EXPECT_EQ(kolko(false, {100, 100}), V{KomKursorGora});
    EXPECT_EQ(kolko(true, {500, 400}), V{5202});
    EXPECT_EQ(kolko(false, {500, 400}), V{5201});
    stan.PauzaJest = true;  // a block plays: the time list holds still
    EXPECT_EQ(kolko(true, {500, 400}), V{KomKursorDol});
}

TEST_F(Dispatcher, LowerPanelButtonsSwitchAndReturnToTheSinglesWall) {
    EXPECT_EQ(klikPrzycisku(PDluga), V{KomPanelDluga});
    EXPECT_EQ(stan.PanelDolny, PanelDlugaPlaylista);
    EXPECT_EQ(przyciski.Pasek[PDluga].Stan, 1);
    klikPrzycisku(PWieloslad);
    EXPECT_EQ(stan.PanelDolny, PanelWieloslad);
    EXPECT_EQ(przyciski.Pasek[PDluga].Stan, 0);
    EXPECT_EQ(przyciski.Pasek[PWieloslad].Stan, 1);
    klikPrzycisku(PWieloslad);
    EXPECT_EQ(stan.PanelDolny, PanelSingle);
    EXPECT_EQ(przyciski.Pasek[PWieloslad].Stan, 0);
    EXPECT_EQ(cel.rysowanePanele, 3);

    // Baza/Kat. flips the insertion source and lights while it is the database.
    EXPECT_EQ(klawisz(0x3002), V{KomBazaKat});  // Ctrl+B
    EXPECT_EQ(stan.TrybWstawiania, 2);
    EXPECT_EQ(przyciski.Pasek[PBazaKat].Stan, 1);
    klikPrzycisku(PBazaKat);
    EXPECT_EQ(stan.TrybWstawiania, 1);
    EXPECT_EQ(przyciski.Pasek[PBazaKat].Stan, 0);
}

TEST_F(Dispatcher, ClicksOnListsTimelineAndStatusField) {
    // Timeline area only while the timeline is shown.
    EXPECT_EQ(klik(100, 400), V{});
    stan.PanelDolny = PanelWieloslad;
    klik(100, 400);
    EXPECT_EQ(cel.klikiWielosladu, 1);

    // The time-list row under the cursor plays now, unless a block plays.
    stan.ElementStartowany = 12;
    cel.wierszTimelisty = 2;
    EXPECT_EQ(klik(500, 400), V{KomTimelistaGrajTeraz});
    EXPECT_EQ(stan.ElementStartowany, 0);
    cel.wierszTimelisty = 1;
    EXPECT_EQ(klik(500, 400), V{});
    stan.PauzaJest = true;
    cel.wierszTimelisty = 2;
    EXPECT_EQ(klik(500, 400), V{});
    EXPECT_EQ(klawisz(0x4E2B), V{});  // keypad + neither
    stan.PauzaJest = false;
    cel.wierszTimelisty = 0;

    // Playlist rows take every button; the right click is used up.
    cel.wierszePlaylisty = true;
    EXPECT_EQ(klik(100, 200, 2), V{});
    EXPECT_EQ(MyszPrzycisk, 0);
    klik(100, 200, 3);
    klik(100, 200, 1);
    EXPECT_EQ(cel.klikiPlaylisty, (std::vector<quint8>{2, 3, 1}));
    cel.wierszePlaylisty = false;

    // The status field only while it holds a text.
    cel.status = TRect{100, 280, 282, 300};
    EXPECT_EQ(klik(150, 290), V{});
    cel.statusJest = true;
    EXPECT_EQ(klik(150, 290), V{KomStatus});
    EXPECT_EQ(klik(150, 290, 2), V{});
}

TEST_F(Dispatcher, KeypadMinusOnlyWithBothOnAirPlayersIdle) {
    EXPECT_EQ(klawisz(0x4A2D), V{KomTimelistaMinus});
    stan.OdtwarzaczZajety[1] = 1;
    EXPECT_EQ(klawisz(0x4A2D), V{});
    stan.OdtwarzaczZajety[1] = 0;
    stan.OdtwarzaczZajety[3] = 1;  // player 3 does not count
    EXPECT_EQ(klawisz(0x4A2D), V{KomTimelistaMinus});
}

}  // namespace

// The README's key table is written for operators; it must say what the
// program does. Each row's keys (a range as `F1`–`F12`) pair in order with
// its command numbers (one number serves them all), and every key of the program's table and every hot
// letter of the bar and the time list stands in it.
TEST_F(Dispatcher, TheReadmeKeyTableIsTheProgramsOwn) {
    QFile plik(QStringLiteral(TOLVANE_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    const QString tekst = QString::fromUtf8(plik.readAll());
    const qsizetype od = tekst.indexOf(QStringLiteral("\n## Keys and buttons"));
    ASSERT_GE(od, 0);
    const QString sekcja = tekst.mid(od, tekst.indexOf(QStringLiteral("\n## "), od + 5) - od);

    const auto rozwin = [](const QString& komorka, const QRegularExpression& element) {
        QStringList wynik;
        for (const auto& m : element.globalMatch(komorka)) {
            if (m.captured(3).isEmpty()) {
                wynik << m.captured(1) + m.captured(2);
                continue;
            }
            for (int n = m.captured(2).toInt(); n <= m.captured(3).toInt(); ++n)
                wynik << m.captured(1) + QString::number(n);
        }
        return wynik;
    };
    const QRegularExpression klawiszRe(QStringLiteral("`([^`]*?)(\\d*)`(?:–`[^`]*?(\\d+)`)?"));
    const QRegularExpression numerRe(QStringLiteral("()(\\d+)(?:–(\\d+))?"));
    UstawPrzyciskiTimelisty(przyciski, false, false);
    std::vector<const BUTTONType*> zLitera;
    for (const auto& b : przyciski.Pasek) zLitera.push_back(&b);
    for (const auto& b : przyciski.Timelista) zLitera.push_back(&b);
    std::erase_if(zLitera, [](const BUTTONType* b) { return b->Widoczny != 1 || b->Klawisz == 0; });
    // The key table, else a button's hot letter (the dispatcher's mode gates
    // are not the table's business).
    const auto komendaKlawisza = [&](quint16 kod) -> uint {
        if (const quint16 k = KomendaKlawisza(kod)) return k;
        for (const BUTTONType* b : zLitera)
            if (b->Klawisz == kod) return b->Kod;
        return 0;
    };
    std::set<quint16> opisane;
    for (const QString& wiersz : sekcja.split(QLatin1Char('\n'))) {
        const QStringList k = wiersz.split(QLatin1Char('|'));
        if (k.size() < 4 || !k[1].contains(QLatin1Char('`'))) continue;
        const QStringList klawisze = rozwin(k[1], klawiszRe);
        QStringList numery = rozwin(k[2], numerRe);
        while (numery.size() == 1 && klawisze.size() > 1) numery << numery[0];  // one command, several keys
        ASSERT_EQ(klawisze.size(), numery.size()) << wiersz.toStdString();
        for (qsizetype i = 0; i < klawisze.size(); ++i) {
            QString nazwa = klawisze[i];
            nazwa.replace(QStringLiteral("PgDn"), QStringLiteral("PgDown"));  // Qt's name for it
            const QKeyCombination kc = QKeySequence::fromString(nazwa, QKeySequence::PortableText)[0];
            const quint16 kod = KodBIOS(int(kc.key()), kc.keyboardModifiers());
            EXPECT_EQ(komendaKlawisza(kod), numery[i].toUInt()) << nazwa.toStdString();
            opisane.insert(kod);
        }
    }
    for (const WierszKlawisza& w : TabelaKlawiszy)
        EXPECT_TRUE(opisane.count(w.Klawisz)) << "key 0x" << std::hex << w.Klawisz << " is not in the README";
    for (const BUTTONType* b : zLitera)
        EXPECT_TRUE(opisane.count(b->Klawisz)) << b->Tytul.toStdString() << " is not in the README";
}
