// The voice-track recorder: a file-fed input stepped block by block, the
// manual clock, scripted dialogs and a window that only records what it was
// asked to do.
#include "mixeditor/MiksFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "foundation/KestSter2.h"
#include "mixeditor/NagrywarkaDJ.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/InputDevice.h"

using namespace Qt::StringLiterals;

namespace {

const Elem A{u"SND"_s, EmiA, TrwA};
const Elem B{u"SND"_s, EmiB, TrwB};
constexpr int Blok = NagrywarkaDJ::RozmiarBufora;

class OknoTestowe final : public OknoNagrywania {
public:
    bool podglad = false;
    bool zamykanie = false;
    int zakonczone = 0;
    int restarty = 0;
    int kaczka = -1;
    QStringList pliki;  // "n:path" of every file a preview player was given
    bool PodgladTrwa() const override { return podglad; }
    void RestartPodgladu() override { ++restarty; }
    void RozmiescZnaczniki() override {}
    void OdswiezSlad(int) override {}
    void OtworzPlikSladu(int n, const QString& sciezka) override { pliki << QString::number(n) + u':' + sciezka; }
    void ZatrzymajOdtwarzaczSladu(int) override {}
    void PokazKaczke(int dB) override { kaczka = dB; }
    bool Zamykanie() const override { return zamykanie; }
    void ZakonczOkno() override { ++zakonczone; }
};

quint32 u32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 u16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

}  // namespace

class NagrywarkaTest : public MiksTest {
protected:
    void SetUp() override {
        MiksTest::SetUp();
        Nastawy.Numer = 3;
        Nastawy.LOGZbiorJest = true;
        Nastawy.LOGKatalog = folder.path();
        QDir(folder.path()).mkpath(u"dj"_s);
        QDir(folder.path()).mkpath(u"siec"_s);
        Wgrywanie.WgrajKatalogLok = folder.path() + u"/dj"_s;
        Wgrywanie.WgrajKatalogSiec = folder.path() + u"/siec"_s;
        Wgrywanie.WgrajKopiujJest = false;
        pcm = fixtures::tone16(44100, 2, 440, 3000, 0.25);
        folder.write(u"feed.wav"_s, fixtures::wavFile(44100, 2, 16, pcm));
        hub().useVirtualDevices({u"Default"_s}, true);
        hub().setCaptureFile(folder.file(u"feed.wav"_s));
        czytaj({A, B});
        UstawMiks();
        rec.Podlacz(&okno);
        rec.Zainstaluj();
        rec.Przegladarka = [this](KatStan& k) {
            stanPrzegladarki = k;
            k.WybranaSciezka = wybrany;
            k.Wybrany = QFileInfo(wybrany).completeBaseName();
        };
    }
    void TearDown() override {
        hub().setCaptureFile({});
        NastawyDomyslne();
        MiksTest::TearDown();
    }
    static platform::DeviceHub& hub() { return platform::DeviceHub::instance(); }
    platform::FileInput* wejscie() { return hub().openVirtualInput().get(); }
    QString dj(const QString& nazwa) const { return folder.path() + u"/dj/"_s + nazwa; }
    void otworz() {
        rec.OtworzWejscie();
        rec.NastepnaNazwaWgrania();
    }
    void bloki(int n) {
        wejscie()->stepBlocks(n);
        rec.Tik();
    }
    void nagraj(int n) {
        rec.WgrajDJ();
        rec.StartWgrywania();
        bloki(n);
        rec.ZakonczWgrywanie();
    }
    QStringList log() const {
        return platform::fromCp1250(folder.read(QFileInfo(LogZbior()).fileName())).split(u'\n', Qt::SkipEmptyParts);
    }
    QStringList bledy() const {
        QStringList t;
        for (const ZapisDialogu& z : dialogi.Zapisy(RodzajDialogu::Blad)) t << z.teksty.join(u'/');
        return t;
    }
    // A recording on drive D of the given length.
    QString nagranie(const QString& nazwa, int ms) const {
        fixtures::writeFile(folder.path() + u"/drives/d/"_s + nazwa,
                            fixtures::wavFile(8000, 1, 16, QByteArray(16 * ms, '\0')));
        return folder.path() + u"/drives/d/"_s + nazwa;
    }

    platform::ManualClock zegar{QDate(2024, 3, 5), (7 * 3600 + 8 * 60 + 9) * 1000};
    platform::ScopedClock zakresZegara{&zegar};
    QByteArray pcm;
    OknoTestowe okno;
    NagrywarkaDJ rec;
    KatStan stanPrzegladarki;
    QString wybrany;
};

TEST_F(NagrywarkaTest, TakeNamesNeverReuseAFileWithAudio) {
    otworz();
    // Stored as every path is: a Linux folder with "/" only.
    EXPECT_EQ(rec.ZbiorWgrania(), dj(u"DJ_30001.WAV"_s));
    EXPECT_TRUE(QDir(folder.path() + u"/dj"_s).isEmpty()) << "a name only, no file until a take starts";
    // Never recorded into: the same file again.
    rec.NastepnaNazwaWgrania();
    EXPECT_TRUE(rec.ZbiorWgrania().endsWith(u"/DJ_30001.WAV"_s));
    rec.WyczyscNazweWgrania();
    rec.NastepnaNazwaWgrania();
    EXPECT_TRUE(rec.ZbiorWgrania().endsWith(u"/DJ_30001.WAV"_s));

    // A WAV with audio, or an MP3 of the name, takes the name.
    fixtures::writeFile(dj(u"DJ_30001.WAV"_s), fixtures::wavFile(44100, 2, 16, QByteArray(400, '\1')));
    fixtures::writeFile(dj(u"DJ_30002.MP3"_s), QByteArray(10, '\0'));
    rec.NastepnaNazwaWgrania();
    EXPECT_TRUE(rec.ZbiorWgrania().endsWith(u"/DJ_30003.WAV"_s));
    EXPECT_EQ(QFileInfo(dj(u"DJ_30001.WAV"_s)).size(), 444);

    struct Przypadek {
        quint8 typ;
        QString playlista;
        bool zPlaylisty;
        QString nazwa;
    };
    const Przypadek przypadki[] = {
        {1, u"Nie_ma"_s, false, u"DJ3_0305070809.WAV"_s},
        {1, u"Nie_ma"_s, false, u"DJ3_0305070809_2.WAV"_s},  // the first is taken below
        {2, u"PL0305"_s, false, u"0305_070809.WAV"_s},
        {3, u"Nie_ma"_s, false, u"XY30305070809.WAV"_s},
        {3, u"POP_1"_s, true, u"POPXY30305070809.WAV"_s},
        {3, u"123ABC"_s, true, u"XY30305070809_2.WAV"_s},  // a number is no prefix
    };
    Wgrywanie.WgrajNazwaPrzedrostek = u"XY"_s;
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa.toStdString());
        Wgrywanie.WgrajNazwaTyp = p.typ;
        Wgrywanie.WgrajPrzedrostekZNazwyPL = p.zPlaylisty;
        PlaylistaNazwa = p.playlista;
        rec.WyczyscNazweWgrania();
        rec.NastepnaNazwaWgrania();
        EXPECT_EQ(QFileInfo(rec.ZbiorWgrania()).fileName().section(u'\\', -1), p.nazwa);
        // Taken with audio, so that the next case must step past it.
        fixtures::writeFile(platform::resolvePath(rec.ZbiorWgrania()), QByteArray(100, '\1'));
    }
    PlaylistaNazwa = u"Nie_ma"_s;
}

TEST_F(NagrywarkaTest, TakeIsWrittenBlockByBlockFinishedAndPlaced) {
    Wgrywanie.KaczkaPoziomdB = 12;
    otworz();
    ASSERT_TRUE(rec.WejscieOtwarte());
    const qint32 a = Zakresy.PoczatekWgrania;
    rec.UstawPrzedbiegWgrania(2000);
    rec.WgrajDJ();
    EXPECT_TRUE(rec.WgranieUzbrojone());
    EXPECT_EQ(rec.SladWgrania(), 3);
    EXPECT_EQ(Zakresy.KursorPodgladu, a - 2000);
    EXPECT_EQ(okno.restarty, 1);
    EXPECT_EQ(okno.kaczka, 12);
    EXPECT_EQ(SladyMiksu[3].PoziomKaczki, -1200);

    // Blocks before the start only move the level meter.
    bloki(2);
    EXPECT_FALSE(QFileInfo::exists(dj(u"DJ_30001.WAV"_s)));
    EXPECT_GT(rec.PoziomWejscia(), 0);
    rec.StartWgrywania();
    EXPECT_TRUE(rec.WgrywanieTrwa());
    bloki(7);
    EXPECT_EQ(SladyMiksu[3].Czas, (44 + 7 * Blok) * 1000LL / 176400);
    // Three more captured but not yet handed over: the stop takes them too.
    wejscie()->stepBlocks(3);
    const QByteArray przed = folder.read(u"dj/DJ_30001.WAV"_s);
    rec.ZakonczWgrywanie();
    EXPECT_FALSE(rec.WgrywanieTrwa());
    EXPECT_EQ(rec.SladWgrania(), 0);

    const QByteArray wav = folder.read(u"dj/DJ_30001.WAV"_s);
    ASSERT_EQ(wav.size(), 44 + 10 * Blok);
    EXPECT_EQ(przed.mid(44), pcm.mid(2 * Blok, 7 * Blok));  // as fed, before normalising
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(u32(wav, 4), quint32(10 * Blok + 36));
    EXPECT_EQ(u32(wav, 24), 44100u);
    EXPECT_EQ(u32(wav, 28), 176400u);
    EXPECT_EQ(u16(wav, 32), 4);
    EXPECT_EQ(u16(wav, 34), 16);
    EXPECT_EQ(u32(wav, 40), quint32(10 * Blok));
    EXPECT_NE(wav.mid(44, 2 * Blok), pcm.mid(2 * Blok, 2 * Blok));  // normalised
    EXPECT_TRUE(QFileInfo::exists(dj(u"DJ_30001.OBW"_s)));

    const SladMiksuTyp& s = SladyMiksu[3];
    EXPECT_EQ(s.Czas, 929);
    EXPECT_EQ(s.Uzyty, 1);
    EXPECT_EQ(s.Nagrany, 1);
    EXPECT_EQ(s.WlasnyZbior, 1);
    EXPECT_EQ(s.Emisja, a);
    EXPECT_EQ(s.NowyKoniec, a + 929);
    EXPECT_EQ(s.ObwiedniaJest, 1);
    EXPECT_TRUE(s.Adres.str().endsWith(u"DJ_30001.WAV"_s));
    EXPECT_TRUE(okno.pliki.last().startsWith(u"3:"_s) && okno.pliki.last().endsWith(u"DJ_30001.WAV"_s));
    EXPECT_TRUE(ZmianyMiksu);
    // The next take is named; a take that got no block leaves no file.
    EXPECT_TRUE(rec.ZbiorWgrania().endsWith(u"/DJ_30002.WAV"_s));
    Zakresy.PoczatekWgrania = a + 5'000;
    nagraj(0);
    EXPECT_EQ(QDir(folder.path() + u"/dj"_s).entryList({u"DJ_30002.*"_s}), QStringList());
    folder.write(u"feed.wav"_s, fixtures::wavFile(44100, 2, 16, QByteArray(4 * Blok, '\0')));
    otworz();
    nagraj(3);
    EXPECT_EQ(bledy(), QStringList{u"Nie można wgrać DJa - nagranie jest ciszą!/"_s}) << "a take of silence";
    EXPECT_EQ(QDir(folder.path() + u"/dj"_s).entryList({u"DJ_30002.*"_s}), QStringList());
    EXPECT_TRUE(dialogi.Bledy().isEmpty()) << dialogi.Bledy().join(u'\n').toStdString();
}

TEST_F(NagrywarkaTest, AcceptedTakeBecomesADjElementWithItsDuckMarks) {
    Wgrywanie.KaczkaPoziomdB = 6;
    Wgrywanie.KaczkaWejscieMS = 800;  // 1 207 ms take: half is not above it
    Wgrywanie.KaczkaWyjscieMS = 200;
    Wgrywanie.WgrajKopiujJest = true;
    Wgrywanie.WgrajKopiujPytaj = true;
    dialogi.Odpowiedz(OdpowiedzTak);  // copy to the network folder
    PolaczeniaEdycji.PokazOkno = [this] {
        nagraj(13);
        EXPECT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    };
    ASSERT_TRUE(EdytujMiksy());
    ASSERT_EQ(StanPlaylisty.Ilosc, 3);
    int nr = 1;
    while (nr < 3 && RodzajElemPListy(Playlista[nr].Typ) != RodzajDJ_) ++nr;
    const TElemPListy& e = Playlista[nr];
    ASSERT_EQ(RodzajElemPListy(e.Typ), RodzajDJ_);
    EXPECT_EQ(e.Trw, 1207);
    EXPECT_EQ(e.KFI, 0);
    EXPECT_EQ(e.KFO, 1007);
    EXPECT_EQ(e.Kac, -600);
    EXPECT_TRUE(e.Adr.str().endsWith(u"DJ_30001.WAV"_s));
    // The take and its envelope on the network folder.
    EXPECT_EQ(folder.read(u"siec/DJ_30001.WAV"_s), folder.read(u"dj/DJ_30001.WAV"_s));
    EXPECT_TRUE(QFileInfo::exists(folder.path() + u"/siec/DJ_30001.OBW"_s));
    EXPECT_TRUE(rec.ZbiorWgrania().isEmpty());  // cleared when the window closed

    // A copy that fails is logged and shown.
    Wgrywanie.WgrajKopiujPytaj = false;
    Wgrywanie.WgrajKatalogSiec = folder.path() + u"/brak/brak"_s;
    SladyMiksu[3].Uzyty = 1;
    SladyMiksu[3].Nagrany = 1;
    SladyMiksu[3].Adres = e.Adr;
    rec.KopiujWgraniaDoSieci();
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 2);  // the take and its envelope
    EXPECT_TRUE(log().filter(u"Błąd kopiowania DJa: "_s).size() == 2);
}

TEST_F(NagrywarkaTest, ArmingPicksItsTrackAndRefusesWhatWouldBeLost) {
    otworz();
    const qint32 a = Zakresy.PoczatekWgrania;
    // An armed take that never starts leaves track 4 unused.
    SladyMiksu[3].Uzyty = 1;
    SladyMiksu[3].Emisja = a - 20'000;
    SladyMiksu[3].Czas = 5'000;
    rec.WgrajDJ();
    EXPECT_EQ(rec.SladWgrania(), 4);
    EXPECT_EQ(SladyMiksu[4].Uzyty, 1);
    EXPECT_EQ(SladyMiksu[3].Wybrany, 0);
    rec.ZakonczWgrywanie();
    EXPECT_EQ(SladyMiksu[4].Uzyty, 0);
    EXPECT_FALSE(rec.WgranieUzbrojone());

    // The preview runs: ignored.
    okno.podglad = true;
    rec.WgrajDJ();
    EXPECT_FALSE(rec.WgranieUzbrojone());
    okno.podglad = false;

    // Both voice tracks used, neither under the start.
    SladyMiksu[4].Uzyty = 1;
    SladyMiksu[4].Emisja = a + 10'000;
    SladyMiksu[4].Czas = 5'000;
    rec.WgrajDJ();
    EXPECT_EQ(bledy(), QStringList{u"Nie można wgrać DJa - są już dwa wgrania!/"_s});
    EXPECT_FALSE(rec.WgranieUzbrojone());

    // A voice under the start is replaced only when the operator agrees.
    SladyMiksu[4].Emisja = a - 1'000;
    dialogi.Odpowiedz(OdpowiedzNie);
    rec.WgrajDJ();
    EXPECT_FALSE(rec.WgranieUzbrojone());
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty.value(0), u"Czy zastąpić istniejącego DJa?"_s);
    dialogi.Odpowiedz(OdpowiedzTak);
    rec.WgrajDJ();
    EXPECT_EQ(rec.SladWgrania(), 4);
    rec.ZakonczWgrywanie();

    // No room left in the working copy for a new voice element.
    SladyMiksu[4] = SladMiksuTyp{};
    const qint32 liczba = LiczbaPozycjiMiksu;
    LiczbaPozycjiMiksu = MaksPlaylisty;
    rec.WgrajDJ();
    LiczbaPozycjiMiksu = liczba;
    EXPECT_FALSE(rec.WgranieUzbrojone());
    EXPECT_EQ(informacje().last(), u"Brak pamięci/ (Dopuszczalna liczba elementów: 10000)"_s);

    // Accepting after a dropped take adds no empty DJ.
    SladyMiksu[3] = SladMiksuTyp{};
    rec.WgrajDJ();
    rec.ZakonczWgrywanie();
    ZastosujMiks();
    EXPECT_EQ(LiczbaPozycjiMiksu, 2);
}

TEST_F(NagrywarkaTest, CompressionReplacesTheWavOnlyWithAFinishedMp3) {
    Wgrywanie.WgrajKompresujJest = true;
    Wgrywanie.WgrajKompresujPytaj = false;
    Wgrywanie.WgrajKompresujStrumien = u"192"_s;
    otworz();
    nagraj(10);
    const QString wav = rec.ZbiorWgraniaMP3().chopped(4) + u".WAV"_s;
    EXPECT_TRUE(rec.ZbiorWgraniaMP3().endsWith(u"DJ_30001.MP3"_s));
    const QByteArray mp3 = folder.read(u"dj/DJ_30001.MP3"_s);
    ASSERT_GT(mp3.size(), 4);
    int ramka = mp3.indexOf(char(0xFF));
    while (ramka >= 0 && (uchar(mp3[ramka + 1]) & 0xE0) != 0xE0) ramka = mp3.indexOf(char(0xFF), ramka + 1);
    ASSERT_GE(ramka, 0);
    EXPECT_EQ(uchar(mp3[ramka + 2]) >> 4, 13);  // MPEG-1 layer III, 256 kbit/s
    EXPECT_FALSE(QFileInfo::exists(dj(u"DJ_30001.WAV"_s)));
    EXPECT_TRUE(QFileInfo::exists(dj(u"DJ_30001.OBW"_s)));
    EXPECT_TRUE(SladyMiksu[3].Adres.str().endsWith(u"DJ_30001.MP3"_s));
    QStringList l = log();
    ASSERT_GE(l.size(), 2);
    EXPECT_TRUE(l[l.size() - 2].contains(u"Start kompresji nagrania: "_s + wav + u" -> "_s + rec.ZbiorWgraniaMP3()));
    EXPECT_TRUE(l.last().contains(u"Stop kompresji"_s));

    // Something in the MP3's place that is no MP3: the WAV stays.
    SladyMiksu[3] = SladMiksuTyp{};
    QDir(folder.path()).mkpath(u"dj/DJ_30002.MP3"_s);
    nagraj(4);
    EXPECT_EQ(QFileInfo(dj(u"DJ_30002.WAV"_s)).size(), 44 + 4 * Blok);
    EXPECT_TRUE(SladyMiksu[3].Adres.str().endsWith(u"DJ_30002.WAV"_s));
    EXPECT_TRUE(log().last().startsWith(u"Błąd kompresji: "_s) || log().last().contains(u"Błąd kompresji: "_s));
    EXPECT_FALSE(log().last().endsWith(u": 0"_s));
}

TEST_F(NagrywarkaTest, InsertingTakesTheBrowsersChoiceWhereThereIsRoom) {
    Wgrywanie.KaczkaPoziomdB = 3;
    const QString piec = nagranie(u"PIEC.WAV"_s, 5'000);
    const qint32 k = EmiA + 150'000;
    Zakresy.KursorPodgladu = k;
    // Left without a choice: nothing.
    rec.WstawDJ();
    EXPECT_EQ(stanPrzegladarki.Typy, u".WAV:.MP2:.MP3"_s);
    EXPECT_EQ(stanPrzegladarki.Tryb, 3);
    EXPECT_EQ(SladyMiksu[3].Uzyty, 0);
    // A recording without sound (as a take file is while it waits) is not inserted.
    wybrany = nagranie(u"PUSTY.WAV"_s, 0);
    rec.WstawDJ();
    EXPECT_EQ(SladyMiksu[3].Uzyty, 0);
    EXPECT_EQ(bledy(), QStringList{u"Nie można wstawić DJa - nagranie jest puste!/"_s});
    dialogi.Wyczysc();

    wybrany = piec;
    rec.WstawDJ();
    const SladMiksuTyp& s3 = SladyMiksu[3];
    EXPECT_EQ(s3.Uzyty, 1);
    EXPECT_EQ(s3.Emisja, k);
    EXPECT_EQ(s3.Czas, 5'000);
    EXPECT_EQ(s3.NowyKoniec, k + 5'000);
    EXPECT_EQ(s3.PoziomKaczki, -300);
    EXPECT_EQ(s3.Identyfikator.str(), u"PIEC"_s);
    EXPECT_EQ(s3.Nagrany, 0);
    EXPECT_EQ(s3.WlasnyZbior, 0);

    // Ending inside the only voice track: refused.
    Zakresy.KursorPodgladu = k - 3'000;
    rec.WstawDJ();
    EXPECT_EQ(bledy(), QStringList{u"Nie można wstawić DJa - w tym miejscu już jest!/"_s});
    EXPECT_EQ(SladyMiksu[4].Uzyty, 0);
    // Clear of it: track 4, which is selected now.
    Zakresy.KursorPodgladu = k + 10'000;
    rec.WstawDJ();
    EXPECT_EQ(SladyMiksu[4].Uzyty, 1);
    EXPECT_EQ(SladyMiksu[4].Wybrany, 1);
    EXPECT_EQ(SladyMiksu[3].Wybrany, 0);
    // Outside both: no third.
    Zakresy.KursorPodgladu = k + 30'000;
    rec.WstawDJ();
    EXPECT_EQ(bledy().last(), u"Nie można wstawić DJa - są już dwa wgrania!/"_s);

    // Deleting an inserted recording keeps its file; an own take goes with
    // its envelope and description.
    rec.UsunDJ();
    EXPECT_EQ(SladyMiksu[4].Uzyty, 0);
    EXPECT_EQ(SladyMiksu[3].Wybrany, 1);
    EXPECT_TRUE(QFileInfo::exists(piec));
    rec.UsunDJ();
    otworz();
    Zakresy.PoczatekWgrania = k;
    nagraj(3);
    ASSERT_TRUE(QFileInfo::exists(dj(u"DJ_30001.OBW"_s)));
    rec.UsunDJ();
    EXPECT_EQ(SladyMiksu[3].Uzyty, 0);
    for (const char* r : {"WAV", "OBW", "DAT"})
        EXPECT_FALSE(QFileInfo::exists(dj(u"DJ_30001."_s + QLatin1String(r)))) << r;
}

TEST_F(NagrywarkaTest, ClosingFinishesTheTakeThenDrainsTheInput) {
    otworz();
    rec.WgrajDJ();
    rec.StartWgrywania();
    bloki(3);
    // The GUI fell behind: the ring filled (all but one 10 ms piece) and
    // dropped the rest, which the log tells.
    wejscie()->stepBlocks(platform::InputDevice::kRingBlocks + 2);
    okno.zamykanie = true;
    rec.Zamknij();
    // Finished before the drain.
    EXPECT_FALSE(rec.WgrywanieTrwa());
    EXPECT_EQ(SladyMiksu[3].Uzyty, 1);
    EXPECT_EQ(QFileInfo(dj(u"DJ_30001.WAV"_s)).size(), 44 + (3 + platform::InputDevice::kRingBlocks - 1) * Blok);
    EXPECT_EQ(log().filter(u"Utracone fragmenty wgrania: "_s).size(), 1);
    EXPECT_EQ(okno.zakonczone, 0);
    bloki(2);
    EXPECT_EQ(okno.zakonczone, 0);
    EXPECT_EQ(rec.Zakolejkowane(), 1);
    bloki(1);
    EXPECT_EQ(okno.zakonczone, 1);
    EXPECT_FALSE(rec.WejscieOtwarte());

    // Blocks that stop coming: the window ends after the time-out.
    okno.zamykanie = false;
    rec.OtworzWejscie();
    okno.zamykanie = true;
    rec.Zamknij();
    zegar.advance(NagrywarkaDJ::CzasOproznianiaMs - 1);
    rec.Tik();
    EXPECT_EQ(okno.zakonczone, 1);
    zegar.advance(1);
    rec.Tik();
    EXPECT_EQ(okno.zakonczone, 2);

    // An input that never opened: told, and the window ends at once.
    okno.zamykanie = false;
    hub().setStreamGate([](const QString&, int) { return false; });
    rec.OtworzWejscie();
    hub().setStreamGate(nullptr);
    EXPECT_FALSE(rec.WejscieOtwarte());
    EXPECT_EQ(bledy(), (QStringList{u"Błąd wejścia nagrywania/ (format nagrywania nie jest obsługiwany)"_s,
                                    u"Błąd wejścia nagrywania/ (nie można otworzyć wejścia)"_s}));
    okno.zamykanie = true;
    rec.Zamknij();
    EXPECT_EQ(okno.zakonczone, 3);
}
