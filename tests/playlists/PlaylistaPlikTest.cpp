#include "playlists/PlaylistFixture.h"

#include <QRegularExpression>

#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "platform/Cp1250.h"

using namespace Qt::StringLiterals;

namespace {

QStringList linie(const QByteArray& bytes) {
    QString t = platform::fromCp1250(bytes);
    EXPECT_FALSE(t.contains(QRegularExpression(u"[^\r]\n"_s))) << "every line ends with CR LF";
    QStringList l = t.split(u"\r\n"_s);
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
}

QByteArray plik(const QStringList& l) { return platform::toCp1250(l.join(u"\r\n"_s) + u"\r\n"_s); }

// A block as the program writes it, one key line per entry.
QStringList blok(const QStringList& klucze) {
    return QStringList{u"; ----------------------------------"_s} + klucze + QStringList{u"KONIEC OPISU"_s};
}

}  // namespace

class MixTest : public PlaylistTest {
protected:
    QString sciezka(const QString& nazwa = u"LISTA.MIX"_s) const { return folder.file(nazwa); }
    void zapiszPlik(const QStringList& l, const QString& nazwa = u"LISTA.MIX"_s) const { folder.write(nazwa, plik(l)); }
};

TEST_F(MixTest, WrittenFileHasTheStationsHeaderAndBlocks) {
    TElemPListy& a = Playlista[1];
    a.Typ = RodzajSND;
    a.Emi = 9 * 3'600'000 + 5 * 60'000;
    a.Trw = 215'300;
    a.Mix = 0;
    a.Ide = u"A123"_s;
    a.Tyt = u"Żółta łódź"_s;
    a.Adr = u"D:\\MUZYKA\\A123.WAV"_s;
    TElemPListy& b = Playlista[2];
    b.Typ = RodzajJNG | TypGrajO;
    b.Trw = 3'725'123;
    b.Sel = u"10:00:00"_s;
    b.NwP = 500;
    b.Wzm = -150;
    b.FIT = 2;
    b.Aut = 1;
    b.PTY = u"10"_s;
    b.BrakZbioru = 1;
    StanPlaylisty.Ilosc = 5;

    ASSERT_EQ(ZapiszPlaylisteMIX(sciezka(), 1, 2), WynikZapisuMIX::Zapisano);
    EXPECT_EQ(BladIO, 0);
    const QByteArray bytes = folder.read(u"LISTA.MIX"_s);
    EXPECT_TRUE(bytes.startsWith("; Lista emisyjna dla programu Tolvane\r\n;\r\nWERSJA=2\r\n;\r\n"));
    EXPECT_TRUE(bytes.contains("; Kody w li\x9c" "cie (wyst\xea" "puj\xb9" " tylko ustawione):\r\n")) << "Windows-1250 on disk";
    const QStringList l = linie(bytes);
    ASSERT_GE(l.size(), 50);
    EXPECT_EQ(l[14], u";     - ALM - alarm"_s);
    EXPECT_EQ(l[44], u"; Adr - adres pozycji"_s);
    EXPECT_EQ(l[46], u"; Liczba pozycji w liście"_s);
    EXPECT_EQ(l[47], u"POZYCJI=5"_s) << "the whole playlist's count, also for a range";
    EXPECT_EQ(l[49], u"; Pozycje:"_s);

    const QStringList bloki = l.mid(50);
    EXPECT_EQ(bloki, blok({u"Emi=09:05:00.000"_s, u"Typ=SND"_s, u"Trw=03:35.300"_s, u"Mix=00:00.000"_s, u"Ide=A123"_s,
                           u"Tyt=Żółta łódź"_s, u"Adr=D:\\MUZYKA\\A123.WAV"_s}) +
                          blok({u"Emi=--------"_s, u"Sel=10:00:00"_s, u"Mod=Graj o"_s, u"Typ=JNG"_s,
                                u"Trw=01:02:05.123"_s, u"NwP=00:00.500"_s, u"FIT=2"_s, u"Ide=--------"_s,
                                u"Wzm=-150"_s, u"Aut=1"_s}));

    // Without the fade-curve flag the curves are left out.
    FlagaOdczytuPlaylisty = 0;
    ZapiszPlaylisteMIX(sciezka(), 2, 2);
    EXPECT_FALSE(folder.read(u"LISTA.MIX"_s).contains("FIT="));
}

TEST_F(MixTest, OtherFormatWritesNothingAndSaysSo) {
    Emisja.PlaylistaFormat = 2;
    Playlista[1].Typ = RodzajSND;
    StanPlaylisty.Ilosc = 1;
    BladIO = 2;  // left by an earlier operation
    EXPECT_EQ(ZapiszPlaylisteMIX(sciezka(), 1, 1), WynikZapisuMIX::InnyFormat);
    EXPECT_FALSE(QFile::exists(sciezka()));
    EXPECT_EQ(BladIO, 0) << "no file operation, so no failure to report";

    // A write that cannot be done leaves its code and no file.
    Emisja.PlaylistaFormat = 1;
    EXPECT_EQ(ZapiszPlaylisteMIX(folder.path() + u"/brak/LISTA.MIX"_s, 1, 1), WynikZapisuMIX::Blad);
    EXPECT_NE(BladIO, 0);
}

TEST_F(MixTest, EverythingWrittenReadsBack) {
    const QString dzwiek = wav(u"A.WAV"_s, 2000);
    for (int i = 1; i <= 15; ++i) {
        TElemPListy& e = Playlista[i];
        e.Typ = quint8(i == 7 ? RodzajSND : i) | (i % 3 == 0 ? TypGrajO : 0);
        e.Aut = quint8(i % 2);
        e.Ide = u"ID"_s + QString::number(i);
        e.Adr = i == 1 ? dzwiek : u"D:\\X\\Ą"_s + QString::number(i) + u".MP3"_s;
        e.Emi = i == 2 ? -1 : i * 3'600'000 + 1;
        e.Sel = u"12:00:00"_s;
        e.MID = u"mid"_s + QString::number(i);
        e.Trw = 3'600'000 + i;  // written with hours
        e.NwP = 100 + i;
        e.NwK = 3'500'000 + i;
        e.FIn = 200 + i;
        e.FOu = 3'400'000 + i;
        e.FIT = quint8(i % 3);
        e.FOT = quint8((i + 1) % 3);
        e.Mix = i == 4 ? -1 : 1000 * i;
        e.Int = 10'000 + i;
        e.Out = 3'000'000 + i;  // in the second half, where the reader takes it as it is
        e.Wzm = -100 * i;
        e.Kac = -1000 - i;
        e.KFI = 5000 + i;
        e.KFO = 6000 + i;
        e.Tyt = u"Tytuł "_s + QString::number(i);
        e.Pta = u"Płyta"_s;
        e.Wyk = u"Wykonawca"_s;
        e.Sol = u"Solista"_s;
        e.Kom = u"Kompozytor"_s;
        e.Atr = u"Autor"_s;
        e.Pro = u"Producent"_s;
        e.Wyd = u"Wydawca"_s;
        e.Rok = u"2001"_s;
        e.Zak = u"F"_s;
        e.BPM = u"120"_s;
        e.PS1 = u"PS1"_s;
        e.PS2 = u"PS2"_s;
        e.PS3 = u"PS3"_s;
        e.PS4 = u"PS4"_s;
        e.ZAA = u"1"_s;
    }
    StanPlaylisty.Ilosc = 15;
    ASSERT_EQ(ZapiszPlaylisteMIX(sciezka(), 1, 15), WynikZapisuMIX::Zapisano);
    const TablicaPlaylisty zapisane = Playlista;

    WyczyscPlayliste();
    WczytajPlaylisteMIX(sciezka(), 0);
    EXPECT_EQ(BladIO, 0);
    ASSERT_EQ(StanPlaylisty.Ilosc, 15);
    EXPECT_EQ(StanPlaylisty.Kursor, 1);
    EXPECT_EQ(StanPlaylisty.Pierwszy, 1);
    for (int i = 1; i <= 15; ++i) {
        const TElemPListy& a = zapisane[i];
        const TElemPListy& b = Playlista[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(b.Typ, a.Typ);
        EXPECT_EQ(b.Aut, a.Aut);
        EXPECT_EQ(b.Ide, a.Ide);
        EXPECT_EQ(b.Adr.str(), a.Adr.str());
        EXPECT_EQ(b.Emi, a.Emi);
        EXPECT_EQ(b.Sel.str(), a.Sel.str());
        EXPECT_EQ(b.MID, a.MID);
        for (auto p : {&TElemPListy::Trw, &TElemPListy::NwP, &TElemPListy::NwK, &TElemPListy::FIn, &TElemPListy::FOu,
                       &TElemPListy::Mix, &TElemPListy::Int, &TElemPListy::Out, &TElemPListy::Wzm, &TElemPListy::Kac,
                       &TElemPListy::KFI, &TElemPListy::KFO})
            EXPECT_EQ(b.*p, a.*p);
        EXPECT_EQ(b.FIT, a.FIT);
        EXPECT_EQ(b.FOT, a.FOT);
        for (auto p : {&TElemPListy::Pta, &TElemPListy::Wyk}) EXPECT_EQ((b.*p).str(), (a.*p).str());
        for (auto p : {&TElemPListy::Sol, &TElemPListy::Kom, &TElemPListy::Atr, &TElemPListy::Pro, &TElemPListy::Wyd})
            EXPECT_EQ((b.*p).str(), (a.*p).str());
        for (auto p : {&TElemPListy::PS1, &TElemPListy::PS2, &TElemPListy::PS3, &TElemPListy::PS4})
            EXPECT_EQ((b.*p).str(), (a.*p).str());
        EXPECT_EQ(b.Tyt.str(), a.Tyt.str());
        EXPECT_EQ(b.Rok.str(), a.Rok.str());
        EXPECT_EQ(b.Zak.str(), a.Zak.str());
        EXPECT_EQ(b.BPM.str(), a.BPM.str());
        EXPECT_EQ(b.ZAA.str(), a.ZAA.str());
    }
}

// Times are written and read by the file's own fast paths; at every edge they
// must say what the program's time helpers say.
TEST_F(MixTest, TimesAtTheirEdgesMatchTheTimeHelpersAndRewriteByteForByte) {
    const qint32 czasy[] = {1, 999, 59'999, 60'000, 3'599'999, 3'600'000, 86'400'000, 90'000'000,
                            359'999'999, 360'000'000, INT32_MAX, -1, -5, -3'600'000, -3'599'999};
    const qint32 emi[] = {0, 9 * 3'600'000 + 5 * 60'000, DobaMs - 1, DobaMs, DobaMs + 61'001, INT32_MAX};
    int n = 0;
    for (qint32 c : czasy) {
        TElemPListy& e = Playlista[++n];
        e.Typ = RodzajSND;
        e.Trw = 1;
        e.NwP = c;
        e.Emi = emi[n % std::size(emi)];
    }
    StanPlaylisty.Ilosc = n;
    ASSERT_EQ(ZapiszPlaylisteMIX(sciezka(), 1, n), WynikZapisuMIX::Zapisano);
    const QByteArray bytes = folder.read(u"LISTA.MIX"_s);
    const QStringList l = linie(bytes);
    for (int i = 1; i <= n; ++i) {
        const TElemPListy& e = Playlista[i];
        SCOPED_TRACE(e.NwP);
        EXPECT_TRUE(l.contains(u"NwP="_s + PiszCzas(4, e.NwP)));
        EXPECT_TRUE(l.contains(u"Emi="_s + PiszCzas(6, e.Emi % DobaMs)));
    }

    const TablicaPlaylisty zapisane = Playlista;
    WyczyscPlayliste();
    WczytajPlaylisteMIX(sciezka(), 0);
    ASSERT_EQ(StanPlaylisty.Ilosc, n);
    for (int i = 1; i <= n; ++i) {
        SCOPED_TRACE(zapisane[i].NwP);
        EXPECT_EQ(Playlista[i].NwP, CzytajCzas(PiszCzas(4, zapisane[i].NwP), 4));
        EXPECT_EQ(Playlista[i].Emi, CzytajCzas(PiszCzas(6, zapisane[i].Emi % DobaMs), 5));
    }
    // What was read (times past what the format holds come back as the
    // parser gives them) is a file of the program's own: read and written
    // again, it is the same to the byte.
    ASSERT_EQ(ZapiszPlaylisteMIX(sciezka(u"DRUGA.MIX"_s), 1, n), WynikZapisuMIX::Zapisano);
    WczytajPlaylisteMIX(sciezka(u"DRUGA.MIX"_s), 0);
    ASSERT_EQ(ZapiszPlaylisteMIX(sciezka(u"TRZECIA.MIX"_s), 1, n), WynikZapisuMIX::Zapisano);
    EXPECT_EQ(folder.read(u"TRZECIA.MIX"_s), folder.read(u"DRUGA.MIX"_s));

    // Texts near the written forms read as the time parser reads them.
    const QString bliskie[] = {u"24:00:00.000"_s, u"25:00:00.000"_s, u"00:60:00.000"_s, u"60:00.000"_s,
                               u"59:59.999"_s,    u"5a:00.000"_s,    u"00:00:00.00x"_s, u"00:00-000"_s,
                               u"12:34:56.789"_s, u"1:02.500"_s,     u"-00:01.000"_s};
    QStringList bloki;
    for (const QString& t : bliskie) bloki += blok({u"Emi="_s + t, u"Typ=SND"_s, u"Trw=00:01.000"_s, u"NwK="_s + t});
    zapiszPlik(bloki);
    WczytajPlaylisteMIX(sciezka(), 0);
    ASSERT_EQ(StanPlaylisty.Ilosc, qint32(std::size(bliskie)));
    for (int i = 1; i <= StanPlaylisty.Ilosc; ++i) {
        const QString& t = bliskie[i - 1];
        SCOPED_TRACE(t.toStdString());
        const qint32 emi = CzytajCzas(t, 5);
        EXPECT_EQ(Playlista[i].Emi, emi < 0 ? emi : emi % DobaMs) << "a time of day is below 24:00:00";
        EXPECT_EQ(Playlista[i].NwK, CzytajCzas(t, 4));
    }
}

TEST_F(MixTest, ShortFormsAndKeyOrder) {
    zapiszPlik(QStringList{u"WERSJA=2"_s, u"POZYCJI=x"_s} +
               blok({u"emi =09:05:00.000  "_s, u"Typ=SND"_s, u"Trw=03:00.000"_s, u"Out=5"_s, u"Int=7"_s}) +
               blok({u"Typ=SND"_s, u"Mod=Graj o"_s, u"Trw=03:00.000"_s, u"Out=01:00.000"_s, u"Int=x"_s}) +
               blok({u"Mod=Graj o"_s, u"Typ=SND"_s, u"Typ=SND"_s, u"Trw=03:00.000"_s, u"Out=xy"_s}) +
               blok({u"Typ=JNG"_s, u"Typ=???"_s, u"TRW=00:10.000"_s, u"FIT=2"_s, u"Wzm=abc"_s, u"Sel=12:00:00:00"_s}));
    FlagaOdczytuPlaylisty = 0;
    WczytajPlaylisteMIX(sciezka(), 0);
    ASSERT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(Playlista[1].Emi, 9 * 3'600'000 + 5 * 60'000);
    EXPECT_EQ(Playlista[1].Out, 175'000);
    EXPECT_EQ(Playlista[1].Int, 7000);
    EXPECT_EQ(Playlista[1].Typ, RodzajSND);
    EXPECT_EQ(Playlista[2].Typ, 0x81) << "MOD after TYP keeps the kind";
    EXPECT_EQ(Playlista[2].Out, 120'000) << "an outro in the first half counts from the end";
    EXPECT_EQ(Playlista[2].Int, 0);
    EXPECT_EQ(Playlista[3].Typ, 0x81) << "a repeated TYP does not add up";
    EXPECT_EQ(Playlista[3].Out, 180'000);
    EXPECT_EQ(Playlista[4].Typ, RodzajJNG);
    EXPECT_EQ(Playlista[4].FIT, 0) << "fade curves are read only with the flag";
    EXPECT_EQ(Playlista[4].Wzm, 0);
    EXPECT_EQ(Playlista[4].Sel.str(), u"12:00:00"_s);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Stan).size(), 1);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Stan)[0].teksty, QStringList{u"Odczyt playlisty"_s});
    EXPECT_FALSE(dialogi.StanWidoczny());
}

TEST_F(MixTest, CorruptBlocksAreSkippedAndTheRestKept) {
    const QString dzwiek = wav(u"B.WAV"_s, 1500);
    zapiszPlik(blok({u"Emi=--------"_s, u"Trw=00:05.000"_s, u"Tyt=no kind"_s}) +
               blok({u"Emi=--------"_s, u"Mod=Graj o"_s, u"Tyt=mode only"_s}) +
               blok({u"Emi=garbage"_s, u"Typ=SND"_s, u"Trw=-01:00.000"_s, u"Out=00:00.500"_s, u"NwP=zz"_s, u"Adr="_s + dzwiek,
                     u"Tyt=bad times"_s, u"Int=abc"_s, u"KFO=x:yz"_s, u"Ide="_s}) +
               QStringList{u"; ----------------------------------"_s, u"Emi=10:00:00.000"_s, u"Typ=SND"_s,
                           u"Int=00:09.000"_s, u"Tyt=no end"_s} +
               blok({u"Emi=11:00:00.000"_s, u"Typ=JNG"_s, u"Trw=00:05.000"_s, u"Tyt=after"_s}) +
               QStringList{u"Emi=12:00:00.000"_s, u"Typ=REK"_s, u"Tyt=no end, no separator"_s} +
               QStringList{u"Emi=24:00:00.000"_s, u"Typ=PRO"_s, u"Trw=00:05.000"_s, u"Tyt=last"_s, u"KONIEC"_s} +
               QStringList{u"; trailing comment"_s, u""_s});
    WczytajPlaylisteMIX(sciezka(), 0);
    ASSERT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(Playlista[1].Tyt.str(), u"bad times"_s);
    EXPECT_EQ(Playlista[1].Emi, -1);
    EXPECT_EQ(Playlista[1].Trw, 1500) << "a bad duration is taken from the file";
    EXPECT_EQ(Playlista[1].Out, 1000) << "the outro counts from the end of the duration taken";
    EXPECT_EQ(Playlista[1].NwP, -1);
    EXPECT_EQ(Playlista[2].Tyt.str(), u"after"_s);
    EXPECT_EQ(Playlista[2].Int, 0) << "nothing of the unended block leaks in";
    EXPECT_EQ(Playlista[3].Tyt.str(), u"last"_s);
    EXPECT_EQ(Playlista[3].Typ, RodzajPRO);
    EXPECT_EQ(Playlista[3].Emi, 0) << "midnight, not 24 hours";
    EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Info).isEmpty());

    // What was read is saved, read and saved again to the same bytes; a
    // blank text (an imported list's performer) is not written.
    Playlista[2].Wyk = u" "_s;
    ASSERT_EQ(ZapiszPlaylisteMIX(sciezka(u"RAZ.MIX"_s), 1, 3), WynikZapisuMIX::Zapisano);
    const QByteArray raz = folder.read(u"RAZ.MIX"_s);
    EXPECT_FALSE(raz.contains("Wyk=")) << raz.toStdString();
    WczytajPlaylisteMIX(sciezka(u"RAZ.MIX"_s), 0);
    ASSERT_EQ(ZapiszPlaylisteMIX(sciezka(u"DWA.MIX"_s), 1, 3), WynikZapisuMIX::Zapisano);
    EXPECT_EQ(folder.read(u"DWA.MIX"_s), raz);
}

TEST_F(MixTest, HeaderKeysOfTheAdvertList) {
    zapiszPlik(QStringList{u"WERSJA=2"_s, u"ADRES1LST=D:\\LST\\R.LST"_s, u"DATA1LST=2026.12.06_10:00:00"_s, u"POZYCJI=1"_s} +
               blok({u"Typ=SND"_s, u"Trw=00:01.000"_s}));
    WczytajPlaylisteMIX(sciezka(), 0);
    EXPECT_EQ(LST1Adres, u"D:\\LST\\R.LST"_s);
    EXPECT_EQ(LST1Data, u"2026.12.06_10:00:00"_s);
    zapiszPlik(QStringList{u"WERSJA=2"_s} + blok({u"Typ=SND"_s, u"Trw=00:01.000"_s}));
    WczytajPlaylisteMIX(sciezka(), 0);
    EXPECT_EQ(LST1Adres, u" "_s);
    EXPECT_EQ(LST1Data, u" "_s);
    // Each key is looked for after the one before it.
    zapiszPlik(QStringList{u"ADRES1LST=D:\\A.LST"_s, u"WERSJA=2"_s, u"DATA1LST=x"_s, u"ADRES1LST=D:\\B.LST"_s} +
               blok({u"Typ=SND"_s, u"Trw=00:01.000"_s}));
    WczytajPlaylisteMIX(sciezka(), 0);
    EXPECT_EQ(LST1Adres, u"D:\\B.LST"_s);
    EXPECT_EQ(LST1Data, u" "_s);
}

TEST_F(MixTest, MoreThanTenThousandElementsKeepTheFirstTenThousand) {
    QStringList l{u"WERSJA=2"_s, u"POZYCJI=10001"_s};
    for (int i = 1; i <= MaksPlaylisty + 1; ++i)
        l += blok({u"Emi=--------"_s, u"Typ=SND"_s, u"Trw=00:01.000"_s, u"Tyt="_s + QString::number(i)});
    zapiszPlik(l);
    WczytajPlaylisteMIX(sciezka(), 0);
    EXPECT_EQ(StanPlaylisty.Ilosc, MaksPlaylisty);
    EXPECT_EQ(Playlista[MaksPlaylisty].Tyt.str(), u"10000"_s);
    const auto info = dialogi.Zapisy(RodzajDialogu::Info);
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(info[0].teksty,
              (QStringList{u"Brak pamięci na wczytanie całej listy !"_s, u"(Maksymalnie 10000  pozycji)"_s}));

    // Exactly ten thousand: no message.
    l.erase(l.end() - 6, l.end());
    zapiszPlik(l);
    dialogi.Wyczysc();
    WczytajPlaylisteMIX(sciezka(), 0);
    EXPECT_EQ(StanPlaylisty.Ilosc, MaksPlaylisty);
    EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Info).isEmpty());
}

TEST_F(MixTest, AppendFollowsTheStartElement) {
    Playlista[1].Typ = RodzajSND;
    Playlista[1].Emi = 86'400'000 - 60'000;  // 23:59:00
    Playlista[1].Trw = 180'000;
    Playlista[1].Mix = 5000;
    StanPlaylisty.Ilosc = 1;
    StanPlaylisty.DoGrania = 1;
    zapiszPlik(blok({u"Emi=08:00:00.000"_s, u"Typ=SND"_s, u"Trw=01:00.000"_s}) +
               blok({u"Emi=08:01:00.000"_s, u"Typ=JNG"_s, u"Trw=00:05.000"_s}) +
               blok({u"Emi=--------"_s, u"Typ=SND"_s, u"Trw=00:05.000"_s}));
    WczytajPlaylisteMIX(sciezka(), 1);
    ASSERT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(StanPlaylisty.DoGrania, 1);
    EXPECT_EQ(Playlista[2].Emi, 115'000) << "00:01:55, across midnight";
    EXPECT_EQ(Playlista[3].Emi, 175'000);
    EXPECT_EQ(Playlista[4].Emi, 115'000 - 8 * 3'600'000 - 1 + 86'400'000);

    // A Mix of -1 counts as 0; without the start element's air time nothing moves.
    Playlista[1].Mix = -1;
    StanPlaylisty.Ilosc = 1;
    WczytajPlaylisteMIX(sciezka(), 1);
    EXPECT_EQ(Playlista[2].Emi, 120'000);
    Playlista[1].Emi = -1;
    StanPlaylisty.Ilosc = 1;
    WczytajPlaylisteMIX(sciezka(), 1);
    EXPECT_EQ(Playlista[2].Emi, 8 * 3'600'000);
    EXPECT_EQ(Playlista[4].Emi, -1);

    // An append that does not fit stops at the limit with the message.
    StanPlaylisty.Ilosc = MaksPlaylisty - 1;
    WczytajPlaylisteMIX(sciezka(), MaksPlaylisty - 1);
    EXPECT_EQ(StanPlaylisty.Ilosc, MaksPlaylisty);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info).size(), 1);
}

TEST_F(MixTest, UnreadableFileChangesNothing) {
    Playlista[1].Typ = RodzajSND;
    StanPlaylisty.Ilosc = 1;
    bool przypisano = false;
    static bool* flaga = nullptr;
    flaga = &przypisano;
    PrzypiszOpisyPoOdczycie = [](StanListy&) { *flaga = true; };
    WczytajPlaylisteMIX(sciezka(u"BRAK.MIX"_s), 0);
    EXPECT_EQ(BladIO, 2);
    EXPECT_EQ(StanPlaylisty.Ilosc, 1);
    EXPECT_FALSE(przypisano);

    zapiszPlik(blok({u"Typ=SND"_s}));
    WczytajPlaylisteMIX(sciezka(), 0);
    EXPECT_TRUE(przypisano) << "descriptions are assigned after a read";
}
