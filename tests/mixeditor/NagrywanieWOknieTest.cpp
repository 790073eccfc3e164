// The mix editor window with the real voice-track recorder: a take recorded
// from a file-fed input stepped block by block while the preview walks on
// the manual clock, as the operator drives it with keys and buttons.
#include "mixeditor/OknoMiksuFixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "foundation/KestGraf2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "mixeditor/NagrywarkaDJ.h"
#include "mixeditor/PodgladMiksu.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/InputDevice.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int Blok = NagrywarkaDJ::RozmiarBufora;
constexpr qint64 BajtyNaSekunde = 44100 * 2 * 2;

}  // namespace

class NagrywanieWOknieTest : public OknoMiksuTest {
protected:
    void SetUp() override {
        OknoMiksuTest::SetUp();
        Nastawy.Numer = 3;
        QDir(folder.path()).mkpath(u"dj"_s);
        Wgrywanie.WgrajKatalogLok = folder.path() + u"/dj"_s;
        Wgrywanie.WgrajKopiujJest = false;
        Wgrywanie.KaczkaPoziomdB = 6;
        // Six seconds of a tone at a quarter of full scale.
        folder.write(u"feed.wav"_s, fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, 440, 6000, 0.25)));
        hub().useVirtualDevices({u"Default"_s}, true);
        hub().setCaptureFile(folder.file(u"feed.wav"_s));
        rec.Zainstaluj();
        rec.Przegladarka = [this](KatStan& k) { przegladarka = k; };
    }
    void TearDown() override {
        OknoMiksuTest::TearDown();
        hub().setCaptureFile({});
        NastawyDomyslne();
    }
    static platform::DeviceHub& hub() { return platform::DeviceHub::instance(); }
    QString dj(const QString& nazwa) const { return folder.path() + u"/dj/"_s + nazwa; }
    QLabel* wgrajLabel() const { return okno->findChild<QLabel*>(u"WgrajLabel"_s); }

    // The preview walks as the clock does; a block comes in every third tick
    // (93 ms of sound every 90 ms) and the window's display follows.
    int tiki = 0;
    int wgrane = 0;  // blocks handed over while the take was written
    void graj(int ile) {
        for (int i = 0; i < ile; ++i) {
            tik();
            if (++tiki % 3 != 0) continue;
            hub().openVirtualInput()->stepBlocks(1);
            wgrane += rec.WgrywanieTrwa();
            rec.Tik();
            okno->WykresTimerTick();
        }
    }
    // Walks until the armed take is being written (bounded).
    void doStartu() {
        for (int i = 0; i < 400 && !rec.WgrywanieTrwa(); ++i) graj(1);
        ASSERT_TRUE(rec.WgrywanieTrwa());
    }
    void klawisz(Qt::Key k) { QTest::keyClick(okno.get(), k); }

    NagrywarkaDJ rec;
    KatStan przegladarka;
};

TEST_F(NagrywanieWOknieTest, ATakeArmedWithInsertIsRecordedPlacedDeletedAndAccepted) {
    Wgrywanie.WgrajModyfikacjaPytaj = true;
    czytaj({{u"SND"_s, EmiA, TrwA}, {u"SND"_s, EmiB, TrwB}});
    okno = std::make_unique<TEdycjaMiksow>(odtwarzacze, &rec);
    bool pokazane = false;
    qint32 czasWgrania = 0;
    PolaczeniaEdycji.PokazOkno = [&] {
        pokazane = true;
        okno->show();
        auto& S = SladyMiksu;
        auto& Z = Zakresy;
        // Song 2's air time is readable from the first showing.
        const QLabel* godzina = wykres().Etykieta(u"GodzinaEmisji2Label"_s);
        EXPECT_GE(godzina->width(), godzina->sizeHint().width());
        // Opening named the take; its file waits for the take to start.
        ASSERT_TRUE(rec.WejscieOtwarte());
        EXPECT_FALSE(QFileInfo::exists(dj(u"DJ_30001.WAV"_s)));

        // "Wstaw DJ" opens the folder browser; nothing chosen, nothing inserted.
        okno->findChild<QPushButton*>(u"WstawDJSpeedButton"_s)->click();
        EXPECT_EQ(przegladarka.Tryb, 3);
        EXPECT_EQ(przegladarka.Typy, u".WAV:.MP2:.MP3"_s);
        EXPECT_FALSE(S[SladGlosu1].Uzyty);

        // The recording window by F1 and F2 at the cursor; a second of pre-roll.
        Z.KursorPodgladu = EmiB - 2000;
        klawisz(Qt::Key_F1);
        Z.KursorPodgladu = EmiB + 4000;
        klawisz(Qt::Key_F2);
        const qint32 start = Z.PoczatekWgrania, dlugoscOkna = Z.KoniecWgrania - Z.PoczatekWgrania;
        okno->findChild<QSpinBox*>(u"SpinEdit1"_s)->setValue(1);
        EXPECT_EQ(rec.PrzedbiegWgrania(), 1000);

        // Insert arms the take on track 3: its empty box shows, the preview
        // runs from the pre-roll and the time left counts down in lime.
        klawisz(Qt::Key_Insert);
        ASSERT_TRUE(rec.WgranieUzbrojone());
        EXPECT_EQ(rec.SladWgrania(), SladGlosu1);
        EXPECT_TRUE(okno->PodgladTrwa());
        EXPECT_EQ(Z.KursorPodgladu, start - 1000);
        EXPECT_TRUE(wykres().Widoczny(u"WykresNagrania3PaintBox"_s));
        EXPECT_EQ(wykres().Prostokat(u"WykresNagrania3PaintBox"_s).left(), CzasNaPiksel(start));
        okno->WykresTimerTick();
        EXPECT_EQ(wgrajLabel()->text(), u"00:01.000"_s);
        EXPECT_EQ(wgrajLabel()->palette().color(QPalette::WindowText), QColor(0, 255, 0));

        // The preview walks to the take's start on song 1's player; the take
        // begins there and the songs are ducked by its 6 dB.
        graj(15);
        EXPECT_EQ(odtwarzacze.EdStanOdtwarzacza(1), 1);
        EXPECT_EQ(wgrajLabel()->text(), PiszCzas(4, start - Z.KursorPodgladu));
        EXPECT_EQ(okno->findChild<QProgressBar*>(u"WgrajProgressBar"_s)->value(), -12);
        EXPECT_FALSE(QFileInfo::exists(dj(u"DJ_30001.WAV"_s))) << "the pre-roll is not recorded";
        doStartu();
        EXPECT_GE(Z.KursorPodgladu, start);
        graj(3);
        EXPECT_EQ(gracze[1].glosnosc, ObetnijGlosnosc(GlosnoscPiosenki(S[SladPiosenki1], Z.KursorPodgladu, TrimyEmisji()) - 600));

        // Blocks come in: the box grows from the take's start, its end handle
        // rides on it and the time left of the window shows in red.
        const int szer0 = wykres().Prostokat(u"WykresNagrania3PaintBox"_s).width();
        graj(60);
        EXPECT_EQ(S[SladGlosu1].Czas, qint32((44 + qint64(wgrane) * Blok) * 1000 / BajtyNaSekunde));
        const QRect pudelko = wykres().Prostokat(u"WykresNagrania3PaintBox"_s);
        EXPECT_GT(pudelko.width(), szer0 + 20);
        EXPECT_EQ(pudelko.right(), CzasNaPiksel(start + S[SladGlosu1].Czas));
        EXPECT_EQ(wykres().Prostokat(u"Nagranie3NowyKoniecShape"_s).right(), pudelko.right());
        EXPECT_FALSE(wykres().Widoczny(u"GodzinaEmisji3Label"_s)) << "its air time does not fit the box yet";
        EXPECT_EQ(wgrajLabel()->text(), PiszCzas(4, std::abs(dlugoscOkna - S[SladGlosu1].Czas)));
        EXPECT_EQ(wgrajLabel()->palette().color(QPalette::WindowText), QColor(255, 0, 0));

        // A picture of the window during the take, with a few pixels checked.
        const QImage obraz = okno->grab().toImage();
        ASSERT_TRUE(obraz.save(FolderArtefaktow() + u"/edycja-miksow-wgrywanie.png"_s));
        const QPoint o = wykres().pos();
        auto piksel = [&](QPoint p) { return QColor(obraz.pixel(p)).rgb() & 0xFFFFFF; };
        EXPECT_EQ(piksel(o + QPoint(pudelko.center().x(), pudelko.center().y())), KolorQt(KolorSladuDJ).rgb() & 0xFFFFFFu)
            << "the take's box in the voice colour";
        const QRect etykieta = wgrajLabel()->geometry();
        int czerwone = 0;
        for (int y = etykieta.top(); y <= etykieta.bottom(); ++y)
            for (int x = etykieta.left(); x <= etykieta.right(); ++x) czerwone += piksel({x, y}) == 0xFF0000u;
        EXPECT_GT(czerwone, 20) << "the red time left";

        // Space stops the preview and the take: it is placed as track 3 with
        // every block captured until then, and the next take is prepared.
        hub().openVirtualInput()->stepBlocks(1);
        klawisz(Qt::Key_Space);
        EXPECT_FALSE(okno->PodgladTrwa());
        EXPECT_FALSE(rec.WgrywanieTrwa());
        const qint64 rozmiar = QFileInfo(dj(u"DJ_30001.WAV"_s)).size();
        EXPECT_EQ(rozmiar, 44 + qint64(wgrane + 1) * Blok);
        EXPECT_EQ(S[SladGlosu1].Uzyty, 1);
        EXPECT_EQ(S[SladGlosu1].Nagrany, 1);
        EXPECT_EQ(S[SladGlosu1].Emisja, start);
        EXPECT_EQ(S[SladGlosu1].Czas, qint32(rozmiar * 1000 / BajtyNaSekunde));
        czasWgrania = S[SladGlosu1].Czas;
        EXPECT_TRUE(okno->MaPlik(SladGlosu1));
        EXPECT_TRUE(rec.ZbiorWgrania().endsWith(u"DJ_30002.WAV"_s));
        okno->WykresTimerTick();
        EXPECT_EQ(wgrajLabel()->text(), PiszCzas(4, dlugoscOkna)) << "the window's length again";

        // A second take after the first goes to track 4, which is used at once.
        Z.KursorPodgladu = start + S[SladGlosu1].Czas + 1000;
        klawisz(Qt::Key_F1);
        klawisz(Qt::Key_Insert);
        EXPECT_EQ(rec.SladWgrania(), SladGlosu2);
        EXPECT_EQ(S[SladGlosu2].Uzyty, 1);
        doStartu();
        graj(9);
        okno->findChild<QPushButton*>(u"PlaySpeedButton"_s)->click();
        EXPECT_EQ(S[SladGlosu2].Nagrany, 1);
        EXPECT_TRUE(S[SladGlosu2].Wybrany);
        EXPECT_FALSE(S[SladGlosu1].Wybrany);
        ASSERT_TRUE(QFileInfo::exists(dj(u"DJ_30002.WAV"_s)));

        // Delete takes the selected one, its own file with it.
        klawisz(Qt::Key_Delete);
        EXPECT_FALSE(S[SladGlosu2].Uzyty);
        EXPECT_FALSE(wykres().Widoczny(u"WykresNagrania4PaintBox"_s));
        EXPECT_FALSE(QFileInfo::exists(dj(u"DJ_30002.WAV"_s)));
        EXPECT_TRUE(S[SladGlosu1].Wybrany);

        // Enter, "Tak": the playlist is written; the window waits for the
        // input's three blocks in flight, then ends.
        dialogi.Odpowiedz(OdpowiedzTak);
        klawisz(Qt::Key_Return);
        EXPECT_TRUE(okno->isVisible());
        hub().openVirtualInput()->stepBlocks(NagrywarkaDJ::LiczbaBuforow);
        rec.Tik();
        EXPECT_FALSE(okno->isVisible());
        EXPECT_FALSE(rec.WejscieOtwarte());
    };
    ASSERT_TRUE(EdytujMiksy());
    ASSERT_TRUE(pokazane);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty.value(0), u"Czy modyfikować playlistę?"_s);
    ASSERT_EQ(StanPlaylisty.Ilosc, 3);
    const TElemPListy& e = Playlista[2];
    EXPECT_EQ(RodzajElemPListy(e.Typ), RodzajDJ_);
    EXPECT_TRUE(e.Adr.str().endsWith(u"DJ_30001.WAV"_s));
    EXPECT_EQ(QString(e.Tyt), u"DJ_30001"_s) << "a take is titled by its name";
    EXPECT_EQ(e.Trw, czasWgrania);
    EXPECT_EQ(e.Kac, -600);
    EXPECT_TRUE(dialogi.Bledy().isEmpty()) << dialogi.Bledy().join(u'\n').toStdString();
}

// While a take is written the operator may drag another handle, stop the
// preview with a right click on the background and step on, or press Reset:
// the take always ends on its own track at its own air time.
TEST_F(NagrywanieWOknieTest, ATakeEndsOnItsOwnTrackWhateverTheOperatorDoesMeanwhile) {
    struct Przypadek {
        const char* nazwa;
        std::function<void()> dzialanie;
        std::function<void(qint32 start)> sprawdz;
    };
    auto& S = SladyMiksu;
    auto& Z = Zakresy;
    const std::vector<Przypadek> przypadki = {
        {"a drag of song 1's gain held while the take ends",
         [&] {
             const QPoint p = srodek(u"Wzmocnienie1Shape"_s);
             mysz(QEvent::MouseButtonPress, p);
             graj(3);
             const qint32 kursor = Z.KursorPodgladu;
             klawisz(Qt::Key_Space);
             mysz(QEvent::MouseMove, p + QPoint(0, 10));
             EXPECT_EQ(Z.KursorPodgladu, kursor) << "the cursor is not put back to the press";
             mysz(QEvent::MouseButtonRelease, p + QPoint(0, 10));
             EXPECT_LT(S[SladPiosenki1].Wzmocnienie, 0);
         },
         [&](qint32 start) {
             EXPECT_EQ(S[SladGlosu1].Uzyty, 1);
             EXPECT_EQ(S[SladGlosu1].Nagrany, 1);
             EXPECT_EQ(S[SladGlosu1].Emisja, start);
             EXPECT_TRUE(QString(S[SladGlosu1].Adres).endsWith(u"DJ_30001.WAV"_s));
         }},
        {"a right click on the background, then \"MIX >\"",
         [&] {
             mysz(QEvent::MouseButtonPress, QPoint(wykres().width() / 2, 2), Qt::RightButton);
             mysz(QEvent::MouseButtonRelease, QPoint(wykres().width() / 2, 2), Qt::RightButton);
             EXPECT_FALSE(okno->PodgladTrwa());
             okno->findChild<QPushButton*>(u"NastepnyMiksSpeedButton"_s)->click();
             EXPECT_FALSE(S[SladGlosu1].Uzyty) << "the next mix has no voice";
         },
         [&](qint32 start) {
             ASSERT_EQ(StanPlaylisty.Ilosc, 4) << "the take was written into the mix it was recorded for";
             const auto dj = std::find_if(Playlista.begin() + 1, Playlista.begin() + 5,
                                          [](const TElemPListy& e) { return RodzajElemPListy(e.Typ) == RodzajDJ_; });
             ASSERT_NE(dj, Playlista.begin() + 5);
             EXPECT_EQ(dj->Emi, start);
         }},
        {"\"Reset\"",
         [&] { okno->findChild<QPushButton*>(u"ResetSpeedButton"_s)->click(); },
         [&](qint32) {
             klawisz(Qt::Key_Space);
             EXPECT_FALSE(S[SladGlosu1].Uzyty) << "no take left at the backup's air time " << S[SladGlosu1].Emisja;
             EXPECT_FALSE(QFileInfo::exists(dj(u"DJ_30001.WAV"_s))) << "nor its file";
         }},
        {"accept answered \"Nie\"",
         [&] {
             klawisz(Qt::Key_Space);
             Wgrywanie.WgrajModyfikacjaPytaj = true;
             dialogi.Odpowiedz(OdpowiedzNie);
             klawisz(Qt::Key_Return);
         },
         [&](qint32) { EXPECT_EQ(QDir(folder.path() + u"/dj"_s).entryList(QDir::Files), QStringList()); }},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        czytaj({{u"SND"_s, EmiA, TrwA}, {u"SND"_s, EmiB, TrwB}, {u"SND"_s, EmiB + TrwB, TrwB}});
        okno = std::make_unique<TEdycjaMiksow>(odtwarzacze, &rec);
        PolaczeniaEdycji.PokazOkno = [&] {
            okno->show();
            klawisz(Qt::Key_Insert);
            const qint32 start = Z.PoczatekWgrania;
            doStartu();
            graj(30);
            p.dzialanie();
            EXPECT_FALSE(rec.WgrywanieTrwa());
            EXPECT_FALSE(rec.WgranieUzbrojone());
            p.sprawdz(start);
            okno->done(QDialog::Rejected);
        };
        ASSERT_TRUE(EdytujMiksy());
        for (const QString& f : QDir(folder.path() + u"/dj"_s).entryList(QDir::Files)) QFile::remove(dj(f));
        okno.reset();
        tiki = wgrane = 0;
    }
}
