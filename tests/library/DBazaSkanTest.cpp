// Building the database by scanning, the network copies of the database file
// and the update of a local folder from its network twin.
#include "BazaFixture.h"

#include <QFile>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "common/WavWriter.h"
#include "foundation/Dialogi.h"
#include "foundation/UslugaDialogow.h"

using namespace Qt::StringLiterals;

namespace {

// Answers every question with yes and presses "Przerwij" at a given pump:
// the scan has no gauge, so the scripted service cannot abort it.
class PrzerwijPoPompowaniach final : public UslugaDialogow {
public:
    explicit PrzerwijPoPompowaniach(int n) : n_(n), poprzednia_(&Dialogi()) { UstawDialogi(this); }
    ~PrzerwijPoPompowaniach() override { UstawDialogi(poprzednia_); }
    QStringList info;
    void Blad(const QString&, const QString&) override {}
    void Info(const QString& a, const QString&) override { info << a; }
    quint16 Tekst(const QString&, QString&, int, bool, const std::function<bool(const QString&)>&) override {
        return OdpowiedzOpusc;
    }
    void StanOtworz(const OpisStanu&) override {}
    void StanUstaw(int, int) override {}
    void StanZamknij() override {}
    void Pompuj() override {
        if (--n_ == 0)
            StanPrzerwij = true;
    }
    quint16 Decyzja(const QString&, const QString&, int) override { return OdpowiedzTak; }
    void Raport(const QString&, const QStringList&) override {}
    void BlokadaEkranu() override {}
    quint16 RDS(QString&, QString&, QString&) override { return OdpowiedzOpusc; }
    qint32 Kod() override { return 0; }
    quint16 Czas(const QString&, bool, QString&) override { return OdpowiedzOpusc; }
    quint16 DecyzjaCzas(const QString&, const QString&, const QString&, int, StanDecyzjiCzas&) override {
        return OdpowiedzOpusc;
    }
    bool WybierzKatalog(const QString&, QString&) override { return false; }

private:
    int n_;
    UslugaDialogow* poprzednia_;
};

class DBazaSkanTest : public BazaTest {
protected:
    // A WAV of `ms` at 8 kHz mono with a description.
    void recording(const QString& stored, int ms, const QString& tyt, const QString& wyk, const QString& kod) {
        put(stored, fixtures::wavFile(8000, 1, 8, fixtures::tone8(8000, 1, 440, ms)));
        SygnalType s;
        s.Adres = stored;
        OpisNagraniaTyp o;
        o.Tyt = tyt;
        o.Wyk = wyk;
        o.Kod = kod;
        o.Ktg = u"MUZYKA"_s;
        ZapiszDAT(s, o);
    }
    void station() {
        recording(u"D:\\MUZYKA\\a.wav"_s, 3600, u"Alfa"_s, u"Zenek"_s, u"K1"_s);
        recording(u"D:\\MUZYKA\\SUB\\B.WAV"_s, 1400, u"Beta"_s, u"Adam"_s, u"K2"_s);
        put(u"D:\\MUZYKA\\C.TXT"_s, "x");
        BazaNagran.BAZAKatalogiSzukajJest = true;
        BazaNagran.BAZAKatalogSzukaj[0] = u"D:\\MUZYKA"_s;
        BazaNagran.BAZAKatalogSzukaj[1] = u"D:\\NIE_MA"_s;
    }
    void setTime(const QString& stored, const QDateTime& t) {
        QFile f(fs(stored));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(t, QFileDevice::FileModificationTime));
    }
};

TEST_F(DBazaSkanTest, CreateScansSortsAndSaves) {
    station();
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Decyzja).at(0).teksty.at(0), u"Czy utworzyć bazę nagrań?"_s);
    ASSERT_EQ(BazaLiczba, 2);
    // Performer order; paths as listed; texts from the descriptions.
    const BAZARekordTyp& b = BazaRekordy[1];
    EXPECT_EQ(b.Adr, u"D:\\MUZYKA\\SUB\\B.WAV"_s);
    EXPECT_EQ(b.Wyk, u"Adam"_s);
    EXPECT_EQ(b.Kod, u"K2"_s);
    EXPECT_EQ(b.Kat, u"MUZYKA"_s);
    EXPECT_EQ(b.Dlugosc, 1400);
    EXPECT_EQ(b.Tot, u" 0:01"_s);
    EXPECT_EQ(BazaRekordy[2].Adr, u"D:\\MUZYKA\\a.wav"_s);
    EXPECT_EQ(BazaRekordy[2].Tot, u" 0:04"_s);
    EXPECT_EQ((std::array<int, 4>{b.Wyx, b.Tyx, b.Czx, b.Kox}), (std::array<int, 4>{1, 2, 1, 2}));
    EXPECT_FALSE(BazaZmieniona);
    EXPECT_TRUE(bytes(u"D:\\RADIO\\BAZA.BAZ"_s).contains("Adr=D:\\MUZYKA\\a.wav\r\n"));
    const auto stan = dialogs.Zapisy(RodzajDialogu::Stan);
    ASSERT_FALSE(stan.isEmpty());
    EXPECT_TRUE(stan[1].teksty.at(0).startsWith(u"Szukanie nagrań w:  D:\\MUZYKA\\"_s));
    EXPECT_EQ(stan[1].liczba, 10) << "abort button, no gauge";
}

TEST_F(DBazaSkanTest, UpdateAddsOnlyNewPathsAndCountersSurviveARebuild) {
    station();
    BazaNagran.BazaLicznikJest = true;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    BazaWczytajOdNowa();  // paths upper-cased as loaded
    ASSERT_EQ(BazaLiczba, 2);
    BazaRekordy[2].EmC = 5;
    BazaRekordy[2].Tyt = u"Poprawiony"_s;

    recording(u"D:\\MUZYKA\\C.WAV"_s, 500, u"Gamma"_s, u"Basia"_s, u"K3"_s);
    BazaAktualizacja = true;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    BazaAktualizacja = false;
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Decyzja).last().teksty.at(0), u"Czy aktualizować bazę nagrań?"_s);
    ASSERT_EQ(BazaLiczba, 3);
    const int a = BazaPozycjaAdresu(u"D:\\MUZYKA\\A.WAV"_s);
    EXPECT_EQ(BazaRekordy[a].Tyt, u"Poprawiony"_s);
    EXPECT_EQ(BazaRekordy[a].EmC, 5);

    // The window's create: counters out, table anew, counters back in.
    BazaLicznikiZapisz();
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(u"D:\\MUZYKA\\A.WAV"_s)].EmC, 0);
    BazaLicznikiCzytaj();
    EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(u"D:\\MUZYKA\\A.WAV"_s)].EmC, 5);
    EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(u"D:\\MUZYKA\\A.WAV"_s)].Adr, u"D:\\MUZYKA\\a.wav"_s);
}

TEST_F(DBazaSkanTest, AbortedCreateSavesNothingAndRefusesLaterSaves) {
    station();
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    const QByteArray dobry = bytes(u"D:\\RADIO\\BAZA.BAZ"_s);
    ASSERT_FALSE(dobry.isEmpty());

    {
        PrzerwijPoPompowaniach przerwij(1);
        BazaUtworz();
        EXPECT_EQ(przerwij.info, QStringList{u"Przerwano tworzenie bazy nagrań"_s});
    }
    EXPECT_LT(BazaLiczba, 2);
    BazaZmieniona = true;
    BazaZapisz(false);
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), dobry);
}

TEST_F(DBazaSkanTest, WhatIsSearched) {
    station();
    // Playing players: nothing at all, not even the question.
    BazaOdtwarzaczeGraja = [] { return true; };
    BazaUtworz();
    EXPECT_TRUE(dialogs.Zapisy().isEmpty());
    BazaOdtwarzaczeGraja = nullptr;

    // Only six extensions of the list are taken.
    BazaNagran.BazaTypy = u".A1:.A2:.A3:.A4:.A5:.A6:.WAV"_s;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_EQ(BazaLiczba, 0);

    // A drive with a path searches only that tree; drive C does not exist.
    BazaNagran.BazaTypy = u".WAV"_s;
    BazaNagran.BAZAKatalogiSzukajJest = false;
    BazaNagran.BazaDyski = u"D:\\MUZYKA\\SUB"_s;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    ASSERT_EQ(BazaLiczba, 1);
    EXPECT_EQ(BazaRekordy[1].Adr, u"D:\\MUZYKA\\SUB\\B.WAV"_s);

    BazaNagran.BazaDyski = u"C,D"_s;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_EQ(BazaLiczba, 2);
    EXPECT_EQ(BazaRekordy[1].Adr, u"D:\\MUZYKA\\SUB\\B.WAV"_s);
}

TEST_F(DBazaSkanTest, DatabaseCopiedFromTheNetwork) {
    auto& B = BazaNagran;
    B.BAZAKatalogSiec = u"D:\\SIEC"_s;
    B.BazaKopiujJest = true;
    put(u"D:\\SIEC\\BAZA.BAZ"_s,
        lines({u"WERSJA=2"_s, u"POZYCJI=1"_s, u"Adr=D:\\X.WAV"_s, u"KONIEC OPISU"_s}));
    put(u"D:\\RADIO\\BAZA.BAZ"_s, lines({u"WERSJA=2"_s, u"POZYCJI=0"_s}));
    setTime(u"D:\\SIEC\\BAZA.BAZ"_s, QDateTime(QDate(2020, 1, 1), QTime(0, 0)));

    // Older network file: both questions; "no" to the second leaves the local file.
    dialogs.Odpowiedz(OdpowiedzTak);
    dialogs.Odpowiedz(OdpowiedzNie);
    EXPECT_FALSE(BazaKopiujZSieci());
    const auto d = dialogs.Zapisy(RodzajDialogu::Decyzja);
    ASSERT_EQ(d.size(), 2);
    EXPECT_EQ(d[0].teksty.at(0), u"Czy kopiować bazę nagrań?"_s);
    EXPECT_EQ(d[1].teksty.at(0), u"Zbiór starszy od bazy lokalnej - czy kopiować?"_s);

    dialogs.Odpowiedz(OdpowiedzTak);
    dialogs.Odpowiedz(OdpowiedzTak);
    EXPECT_TRUE(BazaKopiujZSieci());
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), bytes(u"D:\\SIEC\\BAZA.BAZ"_s));
    EXPECT_EQ(BazaLiczba, 1);
    EXPECT_TRUE(BazaWczytana);
    EXPECT_EQ(BazaDzis, u"2024-01-05"_s);

    // At start-up: no questions when the network file is newer.
    dialogs.Wyczysc();
    B.BazaStartKopiuj = true;
    put(u"D:\\SIEC\\BAZA.BAZ"_s, lines({u"WERSJA=2"_s, u"POZYCJI=0"_s}));
    setTime(u"D:\\RADIO\\BAZA.BAZ"_s, QDateTime(QDate(2019, 1, 1), QTime(0, 0)));
    BazaKopiujZSieciStart();
    EXPECT_TRUE(dialogs.Zapisy(RodzajDialogu::Decyzja).isEmpty());
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), bytes(u"D:\\SIEC\\BAZA.BAZ"_s));

    QFile::remove(fs(u"D:\\SIEC\\BAZA.BAZ"_s));
    BazaKopiujZSieciStart();
    EXPECT_EQ(infos().last(), u"Nie znaleziono sieciowego zbioru bazy nagrań | D:\\SIEC\\BAZA.BAZ"_s);
}

TEST_F(DBazaSkanTest, FolderUpdateFromTheNetworkTwin) {
    folder.drive(u'i');  // D's twin with KatSiecStart H
    const QDateTime stary(QDate(2020, 1, 1), QTime(0, 0)), nowy(QDate(2021, 1, 1), QTime(0, 0));
    put(u"I:\\MUZYKA\\NOWY.WAV"_s, "nowy");
    put(u"I:\\MUZYKA\\SAME.MP3"_s, "siec");
    put(u"D:\\MUZYKA\\SAME.MP3"_s, "loka");
    setTime(u"I:\\MUZYKA\\SAME.MP3"_s, stary);
    setTime(u"D:\\MUZYKA\\SAME.MP3"_s, stary);
    put(u"I:\\MUZYKA\\ROZMIAR.DAT"_s, "dluzszy");
    put(u"D:\\MUZYKA\\ROZMIAR.DAT"_s, "krotki");
    put(u"I:\\MUZYKA\\DATA.MIX"_s, "nowa");
    put(u"D:\\MUZYKA\\data.mix"_s, "star");
    setTime(u"I:\\MUZYKA\\DATA.MIX"_s, nowy);
    setTime(u"D:\\MUZYKA\\data.mix"_s, stary);
    put(u"I:\\MUZYKA\\INNY.TXT"_s, "txt");
    put(u"D:\\MUZYKA\\ZNIKNAL.OBW"_s, "x");
    put(u"D:\\MUZYKA\\LOKALNY.TXT"_s, "x");

    // Without CzyAktUsun nothing local is deleted.
    dialogs.Odpowiedz(OdpowiedzTak);
    KatalogAktualizuj(u"D:\\MUZYKA"_s);
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Decyzja).at(0).teksty.at(0), u"Czy aktualizować katalog?"_s);
    EXPECT_EQ(bytes(u"D:\\MUZYKA\\NOWY.WAV"_s), "nowy");
    EXPECT_EQ(bytes(u"D:\\MUZYKA\\SAME.MP3"_s), "loka") << "same size, not older: kept";
    EXPECT_EQ(bytes(u"D:\\MUZYKA\\ROZMIAR.DAT"_s), "dluzszy");
    EXPECT_EQ(bytes(u"D:\\MUZYKA\\data.mix"_s), "nowa") << "older local file, name matched without case";
    EXPECT_FALSE(QFileInfo::exists(fs(u"D:\\MUZYKA\\INNY.TXT"_s)));
    EXPECT_TRUE(QFileInfo::exists(fs(u"D:\\MUZYKA\\ZNIKNAL.OBW"_s)));

    Katalogi.CzyAktUsun = true;
    dialogs.Odpowiedz(OdpowiedzTak);
    KatalogAktualizuj(u"D:\\MUZYKA\\"_s);
    EXPECT_FALSE(QFileInfo::exists(fs(u"D:\\MUZYKA\\ZNIKNAL.OBW"_s)));
    EXPECT_TRUE(QFileInfo::exists(fs(u"D:\\MUZYKA\\LOKALNY.TXT"_s))) << "only the listed types are deleted";
    EXPECT_TRUE(errors().isEmpty());

    // No twin folder: said, nothing changed.
    QDir().mkpath(fs(u"D:\\INNE"_s));
    KatalogAktualizuj(u"D:\\INNE"_s);
    EXPECT_EQ(infos().last(), u"Nie ma katalogu sieciowego: | I:\\INNE"_s);
    KatalogAktualizuj(u"/tmp"_s);
    EXPECT_EQ(infos().last(), u"Nie ma katalogu sieciowego: | /tmp"_s);
}

}  // namespace
