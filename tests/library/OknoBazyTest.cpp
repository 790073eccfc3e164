// The database window offscreen, driven with QTest while its modal loop
// runs: what it lists, its keys and clicks, the search, the counter reset,
// accepting a recording (with the network copy of a missing one) and
// sending one to another folder.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include <memory>
#include <optional>

#include "BazaFixture.h"
#include "OknoTestPomoc.h"
#include "audio/Obwiednia.h"
#include "audio/OpisNagrania.h"
#include "foundation/DyskDoPrzerwania.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "library/DBazaOkno.h"
#include "library/DBazaWidok.h"
#include "library/DOpisNagr.h"
#include "playlists/NastawyEmisji.h"

namespace {

QPoint Srodek(const BUTTONType& b) { return QPoint((b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2); }

class OknoBazy : public BazaTest {
protected:
    void SetUp() override {
        BazaTest::SetUp();
        Katalogi.KatSiecStart = QStringLiteral("H");
        BazaWidok = WidokBazy{};
        BazaWynikAdres = BazaWynikDodatkowy = QString();
        Nastawy.HasloINIJest = false;
        Nastawy.HasloINITekst.clear();
        LogNazwa.clear();
        DomyslneNastawyEmisji();
        put(BazaSciezka(), QByteArray("; baza"));
    }
    void TearDown() override {
        okno_.reset();
        BazaWidok = WidokBazy{};
        Nastawy.HasloINIJest = false;
        BazaTest::TearDown();
    }

    // The table as read: indexes built, nothing to read again.
    void gotowa() {
        BazaBudujIndeksy();
        BazaWczytana = true;
        BazaKompletna = true;
    }

    // The window made as at start-up (from the settings), opened with `krok`
    // running inside it.
    void otworz(const std::function<void(TBaza&)>& krok) {
        if (!okno_)
            okno_ = std::make_unique<TBaza>();
        WModalnym<TBaza>([this] { okno_->Baza(); }, krok);
    }

    // The listed records' paths, in order.
    static QStringList lista() {
        QStringList l;
        for (int n = 1; n <= BazaWidok.Liczba(); ++n)
            l << BazaRekordy[BazaWidok.Pozycja(n)].Adr;
        return l;
    }
    static void klik(TBaza& o, quint16 kod) {
        const BUTTONType* b = o.PrzyciskKomendy(kod);
        ASSERT_NE(b, nullptr) << kod;
        QTest::mouseClick(&o, Qt::LeftButton, Qt::NoModifier, Srodek(*b));
    }
    static void klawisz(TBaza& o, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(&o, k, m); }

    // Five recordings whose first letters, lengths, categories and marks
    // pick them into different lists.
    static void Piec();

    std::unique_ptr<TBaza> okno_;
};

void OknoBazy::Piec() {
    struct R {
        const char16_t *wyk, *tyt, *kod, *kat, *fil, *zaa;
        qint32 ms;
    };
    const R r[] = {
        {u"Abba", u"Śpiew", u"K1", u"MUZYKA", u"POP", u"", 180000},
        {u"", u"Zorba", u"7X", u"Jingiel", u"", u"", 10000},
        {u"ace", u"ala", u"K2", u"MUZYKA", u"ROCK", u"", 120000},
        {u"Bob", u"1999", u"", u"REKLAMA", u"", u"", 30000},
        {u"Żuk", u"Ala ma kota<", u"K3", u"MUZYKA", u"POP", u"1", 240000},
    };
    int i = 1;
    for (const R& x : r) {
        BAZARekordTyp& b = add(QStringLiteral("D:\\M\\R%1.WAV").arg(i++), QString::fromUtf16(x.tyt),
                                         QString::fromUtf16(x.wyk), QString::fromUtf16(x.kod), x.ms);
        b.Kat = QString::fromUtf16(x.kat);
        b.Fil = QString::fromUtf16(x.fil);
        b.Zaa = QString::fromUtf16(x.zaa);
    }
}

QStringList R(std::initializer_list<int> nr) {
    QStringList l;
    for (int n : nr)
        l << QStringLiteral("D:\\M\\R%1.WAV").arg(n);
    return l;
}

TEST_F(OknoBazy, ListsByOrderLetterCategoryAndFilters) {
    BEZ_TSAN();
    Piec();
    gotowa();
    BazaNagran.BazaFiltrJest = true;
    BazaNagran.BazaFiltr = QStringLiteral("POP");
    using Krok = std::function<void(TBaza&)>;
    const struct {
        const char* nazwa;
        Krok krok;
        QStringList lista;
    } przypadki[] = {
        {"performers under A by default", [](TBaza&) {}, R({1, 3})},
        {"an empty performer and Ż under __", [](TBaza& o) { klik(o, 8128); }, R({2, 5})},
        {"a title with Ś under __", [](TBaza& o) { klik(o, 8012); klik(o, 8128); }, R({1})},
        {"titles under A, shorter first", [](TBaza& o) { klik(o, 8012); }, R({3, 5})},
        {"titles under digits", [](TBaza& o) { klik(o, 8012); klik(o, 8127); }, R({4})},
        {"the length view ignores the letter", [](TBaza& o) { klik(o, 8013); klik(o, 8125); }, R({2, 4, 3, 1, 5})},
        {"codes under K", [](TBaza& o) { klik(o, 8014); klik(o, 8111); }, R({1, 3, 5})},
        {"category Muzyka", [](TBaza& o) { klik(o, 8013); klik(o, 8201); }, R({3, 1, 5})},
        {"category Jingiel whatever its case", [](TBaza& o) { klik(o, 8013); klik(o, 8202); }, R({2})},
        {"descriptions not accepted", [](TBaza& o) {
             klik(o, 8013);
             o.PreselekcjaOpisBezAkceptacjiCheckBox->setChecked(true);
         }, R({5})},
        {"descriptions accepted", [](TBaza& o) {
             klik(o, 8013);
             o.PreselekcjaOpisZaakceptowanyCheckBox->setChecked(true);
         }, R({5})},
        {"the filter word limits music only", [](TBaza& o) { klik(o, 8013); klik(o, 8005); }, R({2, 4, 1, 5})},
        {"the code preselection", [](TBaza& o) {
             klik(o, 8013);
             o.PreselekcjaKodCheckBox->setChecked(true);
             o.KodSzukajEdit->setText(QStringLiteral("K"));
             klik(o, 8200);
         }, R({3, 1, 5})},
        {"search results ignore category and check boxes", [](TBaza& o) {
             o.WykonawcaSzukajEdit->setText(QStringLiteral("B"));
             klik(o, 8021);
             klik(o, 8203);
             o.PreselekcjaOpisZaakceptowanyCheckBox->setChecked(true);
         }, R({1, 4})},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        BazaWidok = WidokBazy{};
        okno_.reset();
        QStringList widziane, edit;
        otworz([&](TBaza& o) {
            p.krok(o);
            widziane = lista();
            edit << o.Edit1->text();
            klawisz(o, Qt::Key_Escape);
        });
        EXPECT_EQ(widziane, p.lista);
        EXPECT_EQ(edit, QStringList{QString::number(p.lista.size())});
        EXPECT_TRUE(BazaWynikAdres.isEmpty());
    }
    // A view order outside 1..4 in the settings lists nothing until an
    // order is chosen.
    BazaNagran.BazaSort = 0;
    BazaWidok = WidokBazy{};
    okno_.reset();
    otworz([&](TBaza& o) {
        EXPECT_EQ(BazaWidok.Liczba(), 0);
        klawisz(o, Qt::Key_QuoteLeft);  // next view order: 1
        EXPECT_EQ(lista(), R({1, 3}));
        klawisz(o, Qt::Key_Escape);
    });
}

TEST_F(OknoBazy, KeysWheelAndClicksMoveTheCursorAndTheLetter) {
    BEZ_TSAN();
    for (int i = 1; i <= 45; ++i)
        add(QStringLiteral("D:\\M\\A%1.WAV").arg(i), QStringLiteral("T"), QStringLiteral("W"), QString(), i * 1000);
    gotowa();
    BazaNagran.BazaSort = 3;  // the length view: every record, shortest first
    const struct {
        Qt::Key klawisz;
        Qt::KeyboardModifiers mod;
        int kursor, pierwszy, litera;
    } klawisze[] = {
        {Qt::Key_Down, Qt::NoModifier, 2, 1, 1},      {Qt::Key_PageDown, Qt::NoModifier, 22, 3, 1},
        {Qt::Key_Up, Qt::NoModifier, 21, 3, 1},       {Qt::Key_PageUp, Qt::NoModifier, 1, 1, 1},
        {Qt::Key_End, Qt::NoModifier, 45, 26, 1},     {Qt::Key_Home, Qt::NoModifier, 1, 1, 1},
        {Qt::Key_Left, Qt::NoModifier, 1, 1, 28},     {Qt::Key_Right, Qt::NoModifier, 1, 1, 1},
        {Qt::Key_C, Qt::NoModifier, 1, 1, 3},         {Qt::Key_5, Qt::NoModifier, 1, 1, 27},
        {Qt::Key_Right, Qt::NoModifier, 1, 1, 28},    {Qt::Key_Right, Qt::NoModifier, 1, 1, 1},
    };
    otworz([&](TBaza& o) {
        for (const auto& k : klawisze) {
            SCOPED_TRACE(k.klawisz);
            klawisz(o, k.klawisz, k.mod);
            EXPECT_EQ(BazaWidok.Kursor(), k.kursor);
            EXPECT_EQ(BazaWidok.Pierwszy(), k.pierwszy);
            EXPECT_EQ(BazaWidok.BazaLitera, k.litera);
        }
        // The wheel gives Down and Up.
        QWheelEvent w(QPointF(100, 200), o.mapToGlobal(QPointF(100, 200)), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&o, &w);
        EXPECT_EQ(BazaWidok.Kursor(), 2);
        // A click on a row moves the cursor there; on the scroll bar's
        // bottom, to the last row.
        QTest::mouseClick(&o, Qt::LeftButton, Qt::NoModifier, o.PunktWiersza(5));
        EXPECT_EQ(BazaWidok.Kursor(), 5);
        const TRect pasek = o.ProstokatPaska();
        QTest::mouseClick(&o, Qt::LeftButton, Qt::NoModifier, QPoint(pasek.Left + 5, pasek.Bottom));
        EXPECT_EQ(BazaWidok.Kursor(), 45);
        EXPECT_EQ(BazaWidok.Pierwszy(), 26);
        // A click on the row with the cursor accepts it.
        QTest::mouseClick(&o, Qt::LeftButton, Qt::NoModifier, o.PunktWiersza(20));
    });
    // The file is missing: with BazaBrakKopiuj off the choice is dropped.
    EXPECT_EQ(infos(), QStringList{QStringLiteral("Brak nagrania na dysku | ")});
    EXPECT_TRUE(BazaWynikAdres.isEmpty() && BazaWynikDodatkowy.isEmpty());
    // The view survives to the next opening.
    otworz([&](TBaza& o) {
        EXPECT_EQ(BazaWidok.Kursor(), 45);
        EXPECT_EQ(BazaWidok.BazaSort, 3);
        klawisz(o, Qt::Key_Escape);
    });
}

TEST_F(OknoBazy, SearchMarksWhatEveryFieldAsks) {
    BEZ_TSAN();
    Piec();
    BazaRekordy[1].Gen = QStringLiteral("F - Female");
    BazaRekordy[1].Typ = QStringLiteral("PE");
    BazaRekordy[1].Nar = QStringLiteral("ANG");
    BazaRekordy[1].Jak = QStringLiteral("A+");
    BazaRekordy[1].Key = QStringLiteral("lato;plaża");
    BazaRekordy[1].Era = QStringLiteral("lata 80");
    BazaRekordy[1].BPM = QStringLiteral("120");
    BazaRekordy[1].Tem = QStringLiteral("szybkie");
    gotowa();
    using Krok = std::function<void(TBaza&)>;
    const struct {
        const char* nazwa;
        Krok formularz;
        QStringList znalezione;
    } przypadki[] = {
        {"title in Polish upper case", [](TBaza& o) { o.TytulSzukajEdit->setText(QStringLiteral("śpie")); }, R({1})},
        {"performer", [](TBaza& o) { o.WykonawcaSzukajEdit->setText(QStringLiteral("B")); }, R({1, 4})},
        {"code", [](TBaza& o) { o.KodSzukajEdit->setText(QStringLiteral("x")); }, R({2})},
        {"an emptied field matches nothing", [](TBaza& o) { o.KodSzukajEdit->clear(); }, {}},
        {"lengths from 1:00 to 3:00", [](TBaza& o) {
             o.CzasOdSzukajComboBox->setCurrentText(QStringLiteral("01:00"));
             o.CzasDoSzukajComboBox->setCurrentText(QStringLiteral("03:00"));
         }, R({1, 3})},
        {"a lower bound above the upper has none", [](TBaza& o) {
             o.CzasOdSzukajComboBox->setCurrentText(QStringLiteral("03:00"));
             o.CzasDoSzukajComboBox->setCurrentText(QStringLiteral("01:00"));
         }, R({1, 5})},
        {"gender by its letter", [](TBaza& o) { o.GenderSzukajComboBox->setCurrentIndex(2); }, R({1})},
        {"type letter in Typ", [](TBaza& o) { o.TypSzukajComboBox->setCurrentIndex(2); }, R({1})},
        {"nationality code", [](TBaza& o) { o.NarodowoscSzukajComboBox->setCurrentIndex(1); }, R({1})},
        {"quality prefix", [](TBaza& o) { o.JakoscSzukajEdit->setText(QStringLiteral("A")); }, R({1})},
        {"keyword", [](TBaza& o) { o.KluczeSzukajEdit->setText(QStringLiteral("plaża")); }, R({1})},
        {"era", [](TBaza& o) { o.EraSzukajComboBox->setCurrentText(QStringLiteral("lata 80")); }, R({1})},
        {"BPM equal", [](TBaza& o) { o.BPMSzukajEdit->setText(QStringLiteral("12")); }, {}},
        {"tempo", [](TBaza& o) { o.TempoSzukajComboBox->setCurrentIndex(5); }, R({1})},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        BazaWidok = WidokBazy{};
        dialogs.Wyczysc();
        otworz([&](TBaza& o) {
            p.formularz(o);
            klawisz(o, Qt::Key_Plus, Qt::KeypadModifier);
            if (p.znalezione.isEmpty()) {
                EXPECT_EQ(infos(), QStringList{QStringLiteral("Nie znaleziono nagrań | ")});
                EXPECT_EQ(BazaWidok.BazaSort, 1);
            } else {
                EXPECT_TRUE(infos().isEmpty());
                EXPECT_EQ(BazaWidok.BazaSort, BazaWidokWynikow);
                EXPECT_EQ(lista(), p.znalezione);
                EXPECT_EQ(o.PrzyciskKomendy(8021)->Stan, 1);
                EXPECT_EQ(o.PrzyciskKomendy(8011)->Stan, 1);  // the order it goes back to
            }
            // Clearing the form goes back to the order.
            klik(o, 8024);
            EXPECT_EQ(BazaWidok.BazaSort, 1);
            EXPECT_EQ(o.TytulSzukajEdit->text(), BazaDowolny);
            klawisz(o, Qt::Key_Escape);
        });
    }
    // Nothing to search by.
    dialogs.Wyczysc();
    otworz([&](TBaza& o) {
        o.TytulSzukajEdit->clear();
        o.WykonawcaSzukajEdit->clear();
        o.KodSzukajEdit->clear();
        klik(o, 8021);
        klawisz(o, Qt::Key_Escape);
    });
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Nie podano tytułu, wykonawcy lub kodu | ")});
}

TEST_F(OknoBazy, CountersShowAndResetBehindThePassword) {
    BEZ_TSAN();
    BazaNagran.BazaLicznikJest = true;
    BazaNagran.BazaLicznikZerujJest = true;
    Nastawy.HasloINIJest = true;
    Nastawy.HasloINITekst = QStringLiteral("tajne");
    BAZARekordTyp& a = add(QStringLiteral("D:\\M\\A1.WAV"), QStringLiteral("Dziś"), QStringLiteral("Abba"));
    a.EmD = 3, a.EmT = 0, a.EmM = 12, a.EmR = 45, a.EmC = 120;
    a.EmO = QStringLiteral("2024-01-05 10:00:00");  // today by the clock
    BAZARekordTyp& b = add(QStringLiteral("D:\\M\\A2.WAV"), QStringLiteral("Wczoraj"), QStringLiteral("Adam"));
    b.EmC = 7;
    b.EmO = QStringLiteral("2024-01-04 10:00:00");
    gotowa();
    EXPECT_EQ(BazaTekstLicznikow(BazaRekordy[1]), QStringLiteral(" 3.  . 12. 45.120"));
    EXPECT_EQ(BazaTekstLicznikow(BazaRekordy[2]), QStringLiteral("  .  .   .   .  7"));

    // Played today shows red, the rest white.
    const auto kolory = [](TBaza& o, int wiersz) {
        QSet<TColor> k;
        const QPoint s = o.PunktWiersza(wiersz);
        for (int x = 20; x < 700; ++x)
            for (int y = s.y() - 5; y <= s.y() + 5; ++y)
                k.insert(o.KolorPiksela(x, y));
        return k;
    };
    const struct {
        const char* nazwa;
        QStringList odpowiedzi;  // text answer (or "-" for cancel), then Tak/Nie
        bool zerowane;
    } przypadki[] = {
        {"a wrong password", {QStringLiteral("zle")}, false},
        {"a cancelled prompt", {QStringLiteral("-")}, false},
        {"the password and Nie", {QStringLiteral("tajne"), QStringLiteral("Nie")}, false},
        {"the password and Tak", {QStringLiteral("tajne"), QStringLiteral("Tak")}, true},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        dialogs.Wyczysc();
        BazaZmieniona = false;
        for (const QString& o : p.odpowiedzi) {
            if (o == QStringLiteral("-"))
                dialogs.OdpowiedzTekst(QString(), OdpowiedzOpusc);
            else if (o == QStringLiteral("Tak") || o == QStringLiteral("Nie"))
                dialogs.Odpowiedz(o == QStringLiteral("Tak") ? OdpowiedzTak : OdpowiedzNie);
            else
                dialogs.OdpowiedzTekst(o);
        }
        otworz([&](TBaza& o) {
            if (!p.zerowane) {
                EXPECT_TRUE(kolory(o, 1).contains(KolorCzerwony));
                EXPECT_FALSE(kolory(o, 2).contains(KolorCzerwony));
            }
            klik(o, 8004);
            klawisz(o, Qt::Key_Escape);
        });
        const auto teksty = dialogs.Zapisy(RodzajDialogu::Tekst);
        ASSERT_EQ(teksty.size(), 1);
        EXPECT_EQ(teksty[0].teksty[0], QStringLiteral("Podaj hasło dostępu"));
        EXPECT_LT(teksty[0].liczba, 0);  // masked
        EXPECT_EQ(dialogs.Pozostalo(), 0);
        EXPECT_EQ(BazaRekordy[1].EmC, p.zerowane ? 0 : 120);
        EXPECT_EQ(BazaRekordy[2].EmC, p.zerowane ? 0 : 7);
        EXPECT_EQ(BazaRekordy[1].EmO, QStringLiteral("2024-01-05 10:00:00"));
        EXPECT_EQ(BazaZmieniona, p.zerowane);
    }
}

TEST_F(OknoBazy, AcceptTakesAMissingRecordingFromItsNetworkTwin) {
    BEZ_TSAN();
    folder.drive(u'i');  // D's network twin with KatSiecStart H
    BazaNagran.BazaBrakKopiuj = true;
    const QByteArray audio = QByteArray("RIFF-audio-") + QByteArray(20000, 'x');
    const struct {
        const char* nazwa;
        QString lokalny;
        bool siec;         // the network twin exists
        quint16 odpowiedz; // to "czy kopiować z sieci?"
        int przerwij;      // the copy's abort percent (-1 none)
        bool wynik;
        QString info, blad;
    } przypadki[] = {
        {"copied with its description and envelope", QStringLiteral("D:\\MUZYKA\\A1.WAV"), true, OdpowiedzTak, -1,
         true, {}, {}},
        {"the operator says no", QStringLiteral("D:\\MUZYKA\\A2.WAV"), true, OdpowiedzNie, -1, false, {}, {}},
        {"no twin either", QStringLiteral("D:\\MUZYKA\\A3.WAV"), false, OdpowiedzTak, -1, false,
         QStringLiteral("Brak nagrania również na dysku sieciowym | "), {}},
        {"an aborted copy", QStringLiteral("D:\\MUZYKA\\A4.WAV"), true, OdpowiedzTak, 0, false, {}, {}},
        {"a copy that fails", QStringLiteral("D:\\BRAK\\A5.WAV"), true, OdpowiedzTak, -1, false, {},
         QStringLiteral("Nie odnaleziono scieżki")},
    };
    QDir().mkpath(fs(QStringLiteral("D:\\MUZYKA")));
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        BazaCzyscWszystko();
        add(p.lokalny, QStringLiteral("Tytuł"), QStringLiteral("Abba"));
        gotowa();
        QString siec = p.lokalny;
        siec[0] = u'I';
        if (p.siec) {
            put(siec, audio);
            put(ZbiorOpisu(siec), QByteArray("Tyt=Tytuł\r\n"));
            put(ZbiorObwiedni(siec), QByteArray(130, 'o'));
        }
        dialogs.Wyczysc();
        dialogs.Odpowiedz(p.odpowiedz);
        dialogs.PrzerwijPrzy(p.przerwij);
        std::optional<DyskDoPrzerwania> dysk;
        if (p.przerwij >= 0) dysk.emplace();
        otworz([&](TBaza& o) { klawisz(o, Qt::Key_Return); });
        dysk.reset();
        dialogs.PrzerwijPrzy(-1);
        EXPECT_EQ(BazaWynikAdres, p.wynik ? p.lokalny : QString());
        EXPECT_EQ(BazaWynikDodatkowy, p.wynik ? NazwaSciezki(p.lokalny) : QString());
        EXPECT_EQ(QFileInfo::exists(fs(p.lokalny)), p.wynik);
        if (p.wynik) {
            EXPECT_EQ(bytes(p.lokalny), audio);
            EXPECT_EQ(bytes(ZbiorOpisu(p.lokalny)), QByteArray("Tyt=Tytuł\r\n"));
            EXPECT_EQ(bytes(ZbiorObwiedni(p.lokalny)), QByteArray(130, 'o'));
        }
        const auto pytania = dialogs.Zapisy(RodzajDialogu::Decyzja);
        ASSERT_EQ(pytania.size(), 1);
        EXPECT_EQ(pytania[0].teksty[0], QStringLiteral("Brak nagrania na dysku lokalnym - czy kopiować z sieci?"));
        EXPECT_EQ(infos(), p.info.isEmpty() ? QStringList() : QStringList{p.info});
        const QStringList b = errors();
        EXPECT_EQ(b.size(), p.blad.isEmpty() ? 0 : 1);
        if (!p.blad.isEmpty() && !b.isEmpty()) {
            EXPECT_TRUE(b[0].startsWith(p.blad)) << b[0].toStdString();
        }
    }
}

TEST_F(OknoBazy, SendCopiesUnderASafeNameAfterAsking) {
    BEZ_TSAN();
    BazaNagran.BazaPrzeslijJest = true;
    BazaNagran.BazaPrzeslijZmienNazwe = true;
    BazaNagran.BAZAPrzeslijKatalog = QStringLiteral("D:\\WYSYLKA");
    QDir().mkpath(fs(QStringLiteral("D:\\WYSYLKA")));
    QDir().mkpath(fs(QStringLiteral("D:\\INNY")));
    const QString zrodlo = QStringLiteral("D:\\M\\A1.MP3");
    put(zrodlo, QByteArray("mp3"));
    put(ZbiorOpisu(zrodlo), QByteArray("Tyt=x\r\n"));
    add(zrodlo, QStringLiteral("Back: in*black"), QStringLiteral("AC/DC"));
    gotowa();
    const QString cel = QStringLiteral("D:\\WYSYLKA\\AC_DC_Back_ in_black.MP3");
    put(cel, QByteArray("stary"));

    dialogs.Odpowiedz(OdpowiedzNie);      // do not replace
    dialogs.Odpowiedz(OdpowiedzTak);      // replace
    dialogs.OdpowiedzKatalog(fs(QStringLiteral("D:\\INNY")));
    otworz([&](TBaza& o) {
        EXPECT_TRUE(o.PrzeslijButton->isVisibleTo(&o));
        EXPECT_EQ(o.PrzeslijKatalogEdit->text(), QStringLiteral("D:\\WYSYLKA"));
        EXPECT_TRUE(o.ZmianaNazwyCheckBox->isChecked());
        o.PrzeslijButton->click();
        EXPECT_EQ(bytes(cel), QByteArray("stary"));
        o.PrzeslijButton->click();
        EXPECT_EQ(bytes(cel), QByteArray("mp3"));
        EXPECT_EQ(bytes(ZbiorOpisu(cel)), QByteArray("Tyt=x\r\n"));
        // The folder picker, then the file's own name.
        o.PrzeslijWybierzKatalogButton->click();
        EXPECT_EQ(o.PrzeslijKatalogEdit->text(), fs(QStringLiteral("D:\\INNY")));
        o.ZmianaNazwyCheckBox->setChecked(false);
        o.PrzeslijButton->click();
        // No folder: said, nothing copied into the working folder.
        o.PrzeslijKatalogEdit->clear();
        o.PrzeslijButton->click();
        klawisz(o, Qt::Key_Escape);
    });
    EXPECT_EQ(infos(), QStringList{QStringLiteral("Nie ma katalogu docelowego przesyłanych zbiorów: | ")});
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath(QStringLiteral("A1.MP3"))));
    const auto pytania = dialogs.Zapisy(RodzajDialogu::Decyzja);
    ASSERT_EQ(pytania.size(), 2);
    EXPECT_EQ(pytania[0].teksty,
              QStringList({QStringLiteral("Zbiór AC_DC_Back_ in_black już jest na dysku"), QStringLiteral("Czy zastąpić?")}));
    const auto katalogi = dialogs.Zapisy(RodzajDialogu::Katalog);
    ASSERT_EQ(katalogi.size(), 1);
    EXPECT_EQ(katalogi[0].teksty[0],
              QStringLiteral("Lokalizacja docelowa przesyłanych zbiorów (*.WAV, *.MP3, *.DAT, *.OBW)"));
    EXPECT_EQ(bytes(QStringLiteral("D:\\INNY\\A1.MP3")), QByteArray("mp3"));
    EXPECT_EQ(dialogs.Pozostalo(), 0);
    EXPECT_TRUE(BazaWynikAdres.isEmpty());

    // Hidden without the setting.
    BazaNagran.BazaPrzeslijJest = false;
    otworz([&](TBaza& o) {
        EXPECT_FALSE(o.PrzeslijButton->isVisibleTo(&o));
        klawisz(o, Qt::Key_Escape);
    });
}

TEST_F(OknoBazy, AnAbortedBuildKeepsTheFilesAndTheCounters) {
    BEZ_TSAN();
    BazaNagran.BazaLicznikJest = true;
    BazaNagran.BAZAKatalogiSzukajJest = true;
    BazaNagran.BAZAKatalogSzukaj[0] = QStringLiteral("D:\\M");
    for (int i = 1; i <= 3; ++i)
        put(QStringLiteral("D:\\M\\A%1.WAV").arg(i), QByteArray("x"));
    BAZARekordTyp& r = add(QStringLiteral("D:\\M\\A1.WAV"), QStringLiteral("T"), QStringLiteral("Abba"));
    r.EmC = 9;
    gotowa();
    BazaZmieniona = true;
    BazaZapisz(false);
    const QByteArray baza = bytes(BazaSciezka());

    // Built, then aborted: the counters file is written before the build;
    // the aborted build saves nothing, nor does a read-back.
    {
        DialogiZPompowaniem przerwij([](int) { StanPrzerwij = true; });
        otworz([&](TBaza& o) {
            klawisz(o, Qt::Key_Insert);
            klawisz(o, Qt::Key_Escape);
        });
        EXPECT_EQ(przerwij.info, QStringList{QStringLiteral("Przerwano tworzenie bazy nagrań")});
        EXPECT_TRUE(przerwij.bledy.isEmpty());
        // What the aborted build found is indexed, so it can be listed.
        ASSERT_GT(BazaLiczba, 0);
        for (int k = 1; k <= BazaLiczba; ++k)
            EXPECT_GE(BazaRekordy[k].Odw[BazaWgCzasu - 1], 1);
    }
    EXPECT_EQ(bytes(BazaSciezka()), baza);
    const QByteArray liczniki = bytes(BazaSciezkaLicznikow());
    EXPECT_TRUE(liczniki.contains("EmC=9"));

    // Pressed again on the partial table: the counters file keeps its
    // counters, and the finished build takes them back.
    dialogs.Wyczysc();
    dialogs.Odpowiedz(OdpowiedzTak);
    otworz([&](TBaza& o) {
        klawisz(o, Qt::Key_Insert);
        klawisz(o, Qt::Key_Escape);
    });
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_EQ(BazaLiczba, 3);
    EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(QStringLiteral("D:\\M\\A1.WAV"))].EmC, 9);
    EXPECT_TRUE(bytes(BazaSciezka()).contains("EmC=9"));
}

// An unmounted share is an empty folder: "Nie" keeps table and file, and the
// counts of what "Tak" drops wait in the counters file for the share.
TEST_F(OknoBazy, AnEmptyPlaceAsksFirstAndItsCountersComeBackWithIt) {
    BEZ_TSAN();
    BazaNagran.BazaLicznikJest = BazaNagran.BAZAKatalogiSzukajJest = true;
    BazaNagran.BAZAKatalogSzukaj = {QStringLiteral("D:\\M"), QStringLiteral("D:\\N")};
    const QString a = QStringLiteral("D:\\M\\A.WAV"), b = QStringLiteral("D:\\N\\B.WAV"), gra = "2024-01-05 12:00";
    const auto utworz = [&] { otworz([](TBaza& o) { klawisz(o, Qt::Key_Insert), klawisz(o, Qt::Key_Escape); }); };
    put(a, "x"), put(b, "x");
    dialogs.Odpowiedz(OdpowiedzTak), utworz();
    BazaDodajOdegranie(a, gra), BazaZapisz(false);
    const QByteArray baza = bytes(BazaSciezka());
    QFile::remove(fs(a));
    dialogs.Odpowiedz(OdpowiedzTak), dialogs.Odpowiedz(OdpowiedzNie), utworz();
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Decyzja).value(2).teksty.value(1), QStringLiteral("D:\\M\\ (0 z 1)"));
    EXPECT_EQ(bytes(BazaSciezka()), baza);
    dialogs.Odpowiedz(OdpowiedzTak), dialogs.Odpowiedz(OdpowiedzTak), utworz();
    BazaDodajOdegranie(b, gra), BazaLicznikiOproznij();  // saved in the background
    put(a, "x"), dialogs.Odpowiedz(OdpowiedzTak), utworz();
    EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(a)].EmO + BazaRekordy[BazaPozycjaAdresu(b)].EmO, gra + gra);
}

// "Aktualizuj" with the share back gives the recordings a short scan left
// out their counts again, and the next counters write keeps every one.
TEST_F(OknoBazy, AnUpdateAfterAShortScanBringsTheCountsBack) {
    BEZ_TSAN();
    BazaNagran.BazaLicznikJest = BazaNagran.BAZAKatalogiSzukajJest = true;
    BazaNagran.BAZAKatalogSzukaj[0] = QStringLiteral("D:\\M");
    const auto komenda = [&](quint16 kod) { otworz([kod](TBaza& o) { klik(o, kod), klawisz(o, Qt::Key_Escape); }); };
    QStringList p;
    for (int i = 1; i <= 8; ++i)
        put(p.emplace_back(QStringLiteral("D:\\M\\A%1.WAV").arg(i)), "x");
    dialogs.Odpowiedz(OdpowiedzTak), komenda(8001);
    for (const QString& a : p)
        BazaDodajOdegranie(a, QStringLiteral("2024-01-05 12:00"));
    BazaLicznikiZapisz();
    const QByteArray lic = bytes(BazaSciezkaLicznikow());
    for (int i = 1; i < 8; ++i)
        QFile::remove(fs(p[i]));
    dialogs.Wyczysc(), dialogs.Odpowiedz(OdpowiedzTak), dialogs.Odpowiedz(OdpowiedzTak), komenda(8001);
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Decyzja).value(1).teksty.value(1), QStringLiteral("D:\\M\\ (1 z 8)"));
    for (int i = 1; i < 8; ++i)
        put(p[i], "x");
    dialogs.Odpowiedz(OdpowiedzTak), komenda(8002);
    BazaLicznikiZapisz();
    EXPECT_EQ(bytes(BazaSciezkaLicznikow()), lic);
    for (const QString& a : p)
        EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(a)].EmC, 1) << a.toStdString();
}

TEST_F(OknoBazy, InfoPlayAndTheNetworkCopyFromTheWindow) {
    BEZ_TSAN();
    Piec();
    gotowa();
    // The middle button opens the description editor on the cursor's
    // recording; the right button previews it (a missing file says so).
    QString podpis;
    otworz([&](TBaza& o) {
        QTimer::singleShot(0, [&] {
            auto* d = dynamic_cast<TDlgOpisNagr*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            podpis = d->windowTitle();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QTest::mouseClick(&o, Qt::MiddleButton, Qt::NoModifier, o.PunktWiersza(1));
        EXPECT_EQ(QApplication::activeModalWidget(), &o);
        QTest::mouseClick(&o, Qt::RightButton, Qt::NoModifier, o.PunktWiersza(1));
        klawisz(o, Qt::Key_Escape);
    });
    EXPECT_EQ(podpis, QStringLiteral("Dane o nagraniu: R1 (Test ustawiania LOOP i HOOK)"));
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Nie ma nagrania |  (D:\\M\\R1.WAV)")});
    // From a network drive only with CzyGranieSiec, as in the folder browser.
    Katalogi.DyskOstatni = QStringLiteral("C");
    dialogs.Wyczysc();
    otworz([&](TBaza& o) { QTest::mouseClick(&o, Qt::RightButton, {}, o.PunktWiersza(1)), klawisz(o, Qt::Key_Escape); });
    EXPECT_EQ(infos() + errors(), QStringList{QStringLiteral("Można słuchać nagrań tylko z dysku lokalnego | ")});

    // "Kopiuj": the network's database read in its place and the search
    // form as on opening.
    BazaNagran.BazaKopiujJest = true;
    BazaNagran.BazaKopiujPytaj = false;
    BazaNagran.BAZAKatalogSiec = QStringLiteral("D:\\SIEC");
    put(QStringLiteral("D:\\SIEC\\BAZA.BAZ"),
        lines({QStringLiteral("WERSJA=2"), QStringLiteral("POZYCJI=1"), QStringLiteral("; -------------------------"),
               QStringLiteral("Tyt=Z sieci"), QStringLiteral("Wyk=Anna"), QStringLiteral("Adr=D:\\M\\S.WAV"),
               QStringLiteral("KONIEC OPISU")}));
    otworz([&](TBaza& o) {
        o.TytulSzukajEdit->setText(QStringLiteral("x"));
        klik(o, 8003);
        EXPECT_EQ(o.TytulSzukajEdit->text(), BazaDowolny);
        EXPECT_EQ(lista(), QStringList{QStringLiteral("D:\\M\\S.WAV")});
        klawisz(o, Qt::Key_Escape);
    });
}

TEST_F(OknoBazy, PictureOfTheWindow) {
    BEZ_TSAN();
    Piec();
    BazaNagran.BazaLicznikJest = true;
    BazaNagran.BazaLicznikZerujJest = true;
    BazaNagran.BazaFiltrJest = true;
    BazaNagran.BazaFiltr = QStringLiteral("POP");
    BazaNagran.BazaPrzeslijJest = true;
    BazaRekordy[1].EmO = QStringLiteral("2024-01-05 08:00:00");
    BazaRekordy[1].EmC = 4;
    BazaRekordy[1].EmD = 1;
    gotowa();
    BazaNagran.BazaSort = 3;
    otworz([&](TBaza& o) {
        klawisz(o, Qt::Key_Down);
        const QString plik = FolderArtefaktow() + QStringLiteral("/TBaza.png");
        EXPECT_TRUE(o.grab().save(plik)) << plik.toStdString();
        // The lit buttons: the order, the letter, the category.
        EXPECT_EQ(o.PrzyciskKomendy(8013)->Stan, 1);
        EXPECT_EQ(o.PrzyciskKomendy(8101)->Stan, 1);
        EXPECT_EQ(o.PrzyciskKomendy(8200)->Stan, 1);
        EXPECT_EQ(o.PrzyciskKomendy(8005)->Tytul, QStringLiteral("POP"));
        const BUTTONType* b = o.PrzyciskKomendy(8013);
        EXPECT_EQ(o.KolorPiksela(b->Rect.Left + 3, b->Rect.Top + 3), KolorCzerwony);
        klawisz(o, Qt::Key_Escape);
    });
    // An empty list says so.
    BazaCzyscWszystko();
    gotowa();
    otworz([&](TBaza& o) {
        EXPECT_EQ(BazaWidok.Kursor(), 0);
        const QString plik = FolderArtefaktow() + QStringLiteral("/TBaza-pusta.png");
        EXPECT_TRUE(o.grab().save(plik));
        klawisz(o, Qt::Key_Return);  // nothing to accept
        EXPECT_TRUE(o.isVisible());
        klawisz(o, Qt::Key_Escape);
    });
}

}  // namespace
