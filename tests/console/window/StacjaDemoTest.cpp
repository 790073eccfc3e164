// The demo station as its first minute is used: the browsers open on its
// drive, Alt+C finds its singles set and the time list's "Czytaj" its
// adverts, and then F1 and keypad + play them.
#include <gtest/gtest.h>

#include "StacjaDemo.h"
#include "console/support/OknoTestPomoc.h"
#include "library/DKatalog.h"
#include "library/OknoTestPomoc.h"
#include "playlists/D_Timelista.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// Takes the entry whose name begins with `litera` in the browser shown, where
// it opened.
std::function<void(TKatalog&)> wybierz(const QString& katalog, Qt::Key litera, QString& otwarty) {
    return [katalog, litera, &otwarty](TKatalog& o) {
        otwarty = o.Lista().Katalog;
        if (otwarty != katalog) {
            QTest::keyClick(&o, Qt::Key_Escape);
            return;
        }
        QTest::keyClick(&o, litera);
        QTest::keyClick(&o, Qt::Key_Return);
    };
}

TEST_F(StanowiskoOkna, TheDemoStationsSinglesAndAdvertsAreWhereItsKeysFindThem) {
    BEZ_TSAN();
    OpcjeStacjiDemo o;
    o.Folder = folder.path();
    o.KrotkieElementy = true;
    o.OdMs = 12 * 3'600'000;
    QString blad;
    ASSERT_TRUE(ZbudujStacjeDemo(o, blad)) << blad.toStdString();
    QFile::remove(folder.file(u"TolvaneAwaria.FLG"_s));  // no emergency start under the test's feet
    okno = OknoTestowe();
    SilnikEmisji& s = okno->Silnik();

    // The recordings' browser opens on the station's first drive.
    QString otwarty;
    WModalnym<TKatalog>([&] { QTest::keyClick(okno.get(), Qt::Key_Insert); },
                        [&](TKatalog& k) {
                            otwarty = k.Lista().Katalog;
                            QTest::keyClick(&k, Qt::Key_Escape);
                        });
    EXPECT_EQ(otwarty, u"C:"_s);

    // Alt+C: the jingles' set, then F1 fires the first jingle.
    WModalnym<TKatalog>([&] { QTest::keyClick(okno.get(), Qt::Key_C, Qt::AltModifier); },
                        wybierz(u"C:\\JINGLE"_s, Qt::Key_J, otwarty));
    EXPECT_EQ(otwarty, u"C:\\JINGLE"_s);
    EXPECT_EQ(okno->Sciana().SingleNazwa[1], u"JINGLE"_s);
    // Every slot plays on the one output: a single takes a free deck.
    QTest::keyClick(okno.get(), Qt::Key_F1);
    ASSERT_TRUE(s.SlotZajety(1));
    EXPECT_EQ(s.Odtwarzacze().PlikOdtwarzacza(1), u"C:\\JINGLE\\J01.WAV"_s);

    // The time list's "Czytaj": its adverts two minutes on, then keypad +
    // airs the one under its cursor now.
    const BUTTONType& czytaj = okno->Przyciski().Timelista[PTCzytaj];
    WModalnym<TKatalog>(
        [&] {
            QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                              QPoint((czytaj.Rect.Left + czytaj.Rect.Right) / 2, (czytaj.Rect.Top + czytaj.Rect.Bottom) / 2));
        },
        wybierz(u"C:\\REKLAMY"_s, Qt::Key_R, otwarty));
    EXPECT_EQ(otwarty, u"C:\\REKLAMY"_s);
    ASSERT_GE(StanTimelisty.Ilosc, 2);
    EXPECT_EQ(Timelista[1].Czas, 12 * 3600 + 120);
    QTest::keyClick(okno.get(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(s.Odtwarzacze().PlikOdtwarzacza(2), Timelista[1].Adr);
    s.StopWszystko();
    s.Stan.PauzaJest = false;
}

}  // namespace
