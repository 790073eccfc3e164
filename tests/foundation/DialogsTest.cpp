// The dialog procedures through the scripted service: answers, shared
// results, the input-event record and the texts shown.
#include <gtest/gtest.h>

#include "common/TempFolder.h"
#include "foundation/Dialogi.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/Zdarzenie.h"
#include "platform/Cp1250.h"

namespace {

void UstawZdarzenie(quint16 rodzaj, quint16 kod) {
    Zdarzenie.Rodzaj = rodzaj;
    Zdarzenie.Kod = kod;
}

bool Odpowiedz(quint16 kod) {
    return Zdarzenie.Rodzaj == ZdarzenieKomenda && Zdarzenie.Kod == kod;
}

}  // namespace

TEST(ErrorDialog, CodeTablesDetailAndGivenText) {
    DialogiSkrypt s;
    PokazBladKod(104, QString(), QStringLiteral("A.MIX"));
    PokazBladKod(2, QStringLiteral("Własny tekst"), QString());
    PokazBladKod(999);
    PokazBlad2(303);
    PokazBlad2(101, QStringLiteral("x"));  // outside 301..305: the first table
    PokazBlad2(305);
    const auto z = s.Zapisy(RodzajDialogu::Blad);
    ASSERT_EQ(z.size(), 6);
    EXPECT_EQ(z[0].teksty, QStringList({QStringLiteral("Plik nie jest otwarty do odczytu"), QStringLiteral(" (A.MIX)")}));
    EXPECT_EQ(z[1].teksty, QStringList({QStringLiteral("Własny tekst"), QString()}));
    EXPECT_EQ(z[2].teksty.at(0), QStringLiteral("Przepraszamy, nie ma komentarza"));
    EXPECT_EQ(z[3].teksty.at(0), QStringLiteral("Zbiór obecnie edytowany - nie można go skasować"));
    EXPECT_EQ(z[4].teksty, QStringList({QStringLiteral("Błąd w zapisie dysku"), QStringLiteral(" (x)")}));
    EXPECT_EQ(z[5].teksty.at(0), QStringLiteral("Operacja niemożliwa do wykonania - źle ustawione kanały"));
    EXPECT_EQ(TekstBleduIO(3), QStringLiteral("Nie odnaleziono scieżki"));
    EXPECT_EQ(TekstBleduIO(215), QStringLiteral("Nieprawidłowy format zbioru"));
    EXPECT_EQ(TekstBleduIO(0), QStringLiteral("Przepraszamy, nie ma komentarza"));
    EXPECT_TRUE(s.Bledy().isEmpty());
}

// A report that arrives while one is shown (a timer inside the modal loop)
// is dropped; the information dialog has its own flag.
class ZagniezdzoneDialogi final : public UslugaDialogow {
public:
    DialogiSkrypt& s;
    explicit ZagniezdzoneDialogi(DialogiSkrypt& skrypt) : s(skrypt) {}
    void Blad(const QString& a, const QString& b) override {
        s.Blad(a, b);
        PokazBlad(QStringLiteral("drugi"));
        PokazInfo(QStringLiteral("info w błędzie"));
    }
    void Info(const QString& a, const QString& b) override {
        s.Info(a, b);
        PokazInfo(QStringLiteral("drugie info"));
    }
    quint16 Tekst(const QString& a, QString& b, int c, bool d, const std::function<bool(const QString&)>& e) override {
        return s.Tekst(a, b, c, d, e);
    }
    void StanOtworz(const OpisStanu& o) override { s.StanOtworz(o); }
    void StanUstaw(int w, int p) override { s.StanUstaw(w, p); }
    void StanZamknij() override { s.StanZamknij(); }
    void Pompuj() override { s.Pompuj(); }
    quint16 Decyzja(const QString& a, const QString& b, int z) override { return s.Decyzja(a, b, z); }
    void Raport(const QString& a, const QStringList& b) override { s.Raport(a, b); }
    void BlokadaEkranu() override { s.BlokadaEkranu(); }
    quint16 RDS(QString& a, QString& b, QString& c) override { return s.RDS(a, b, c); }
    qint32 Kod() override { return s.Kod(); }
    quint16 Czas(const QString& a, bool b, QString& c) override { return s.Czas(a, b, c); }
    quint16 DecyzjaCzas(const QString& a, const QString& b, const QString& c, int z, StanDecyzjiCzas& st) override {
        return s.DecyzjaCzas(a, b, c, z, st);
    }
    bool WybierzKatalog(const QString& t, QString& k) override { return s.WybierzKatalog(t, k); }
};

TEST(ErrorDialog, OneReportAtATimeAndOkClearsTheEvent) {
    DialogiSkrypt s;
    ZagniezdzoneDialogi z(s);
    UstawDialogi(&z);
    UstawZdarzenie(ZdarzenieKlawisz, 0x1C0D);
    PokazBlad(QStringLiteral("pierwszy"));
    PokazBlad(QStringLiteral("po zamknięciu"));
    UstawDialogi(&s);
    ASSERT_EQ(s.Zapisy(RodzajDialogu::Blad).size(), 2);
    EXPECT_EQ(s.Zapisy(RodzajDialogu::Blad)[1].teksty.at(0), QStringLiteral("po zamknięciu"));
    // The information inside the error is a different window and is shown,
    // but the second information inside it is not.
    ASSERT_EQ(s.Zapisy(RodzajDialogu::Info).size(), 2);
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieBrak);
}

TEST(QuestionDialog, EveryButtonOfEverySet) {
    DialogiSkrypt s;
    struct P {
        int zestaw;
        quint16 odp;
        int wynik;
    };
    const P przypadki[] = {
        {2, OdpowiedzTak, 6},  {2, OdpowiedzNie, 7},  {12, OdpowiedzTak, 6}, {12, OdpowiedzNie, 7},
        {3, OdpowiedzTak, 6},  {3, OdpowiedzNie, 7},  {3, OdpowiedzOpusc, 2}, {4, OdpowiedzTakWszystkie, 8},
        {4, OdpowiedzTak, 6},  {4, OdpowiedzNie, 7},  {4, OdpowiedzOpusc, 2}, {7, OdpowiedzTak, 6},
    };
    for (const P& p : przypadki) {
        s.Odpowiedz(p.odp);
        EXPECT_EQ(Decyzja(QStringLiteral("Pytanie"), QStringLiteral("drugie"), p.zestaw), p.wynik) << p.zestaw;
        EXPECT_TRUE(Odpowiedz(p.odp)) << p.zestaw << " " << p.odp;
        // An unknown set acts as set 2.
        EXPECT_EQ(s.Zapisy().back().liczba, p.zestaw == 7 ? 2 : p.zestaw);
    }
    EXPECT_TRUE(s.Bledy().isEmpty()) << s.Bledy().join(QLatin1Char('\n')).toStdString();
    // A script answer the window does not offer is a fault of the script.
    s.Odpowiedz(OdpowiedzTakWszystkie);
    EXPECT_EQ(Decyzja(QStringLiteral("x"), QString(), 2), 7);
    EXPECT_EQ(s.Bledy().size(), 1);
}

TEST(TextInput, LengthRuleAcceptCancelAndEmptyText) {
    EXPECT_EQ(DlugoscTekstu(-1607, 0), 16);
    EXPECT_EQ(DlugoscTekstu(0, 0), 16);
    EXPECT_EQ(DlugoscTekstu(2000, 0), 20);
    EXPECT_EQ(DlugoscTekstu(99, 9), 10);
    EXPECT_EQ(DlugoscTekstu(std::numeric_limits<int>::min(), 0), 21474836);

    DialogiSkrypt s;
    TekstPodany = QStringLiteral("POCZATEK");
    s.OdpowiedzTekst(QStringLiteral("Nowa nazwa listy dłuższa niż dwadzieścia"));
    EXPECT_EQ(PodajTekst(QStringLiteral("Nazwa:"), 2000, 0), WynikTak);
    EXPECT_EQ(TekstPodany, QStringLiteral("Nowa nazwa listy dłu"));
    EXPECT_TRUE(Odpowiedz(OdpowiedzAkceptuj));
    EXPECT_EQ(s.Zapisy().back().teksty, QStringList({QStringLiteral("Nazwa:"), QStringLiteral("POCZATEK")}));
    EXPECT_EQ(s.Zapisy().back().liczba, 20);

    s.OdpowiedzTekst(QStringLiteral("x"), OdpowiedzOpusc);
    EXPECT_EQ(PodajTekst(QStringLiteral("Nazwa:")), WynikAnuluj);
    EXPECT_TRUE(TekstPodany.isEmpty());
    EXPECT_TRUE(Odpowiedz(OdpowiedzOpusc));

    TekstPodany = QStringLiteral("stary");
    s.OdpowiedzTekst(QString());  // OK on an empty field acts as cancel
    EXPECT_EQ(PodajTekst(QStringLiteral("Nazwa:")), WynikAnuluj);
    EXPECT_TRUE(TekstPodany.isEmpty());
    EXPECT_TRUE(Odpowiedz(OdpowiedzOpusc));

    s.OdpowiedzTekst(QStringLiteral("tajne"));
    EXPECT_EQ(PodajTekst(QStringLiteral("Hasło:"), 0, 9), WynikTak);
    EXPECT_EQ(s.Zapisy().back().liczba, -10);  // password field of 10 characters
    EXPECT_TRUE(s.Bledy().isEmpty());
}

TEST(TextInput, NoBlankModeKeepsTheWindowOpen) {
    DialogiSkrypt s;
    s.OdpowiedzTekst(QStringLiteral("dwa słowa"));
    s.OdpowiedzTekst(QStringLiteral("jedno"));
    EXPECT_EQ(PodajTekst(QStringLiteral("Id:"), 0, 6), WynikTak);
    EXPECT_EQ(TekstPodany, QStringLiteral("jedno"));
    const auto info = s.Zapisy(RodzajDialogu::Info);
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(info[0].teksty.at(0), QStringLiteral("Nie można wprowadzić - w tekście są spacje"));
    EXPECT_EQ(s.Zapisy(RodzajDialogu::Tekst).size(), 1);  // one window, two attempts
    // Blanks are fine in other modes.
    s.OdpowiedzTekst(QStringLiteral("dwa słowa"));
    EXPECT_EQ(PodajTekst(QStringLiteral("Id:"), 0, 0), WynikTak);
}

TEST(ProgressDialog, GaugesNeverGoBackAndANewRunStartsAgain) {
    DialogiSkrypt s;
    EXPECT_EQ(ProcentStanu(5, 0), 0);
    EXPECT_EQ(ProcentStanu(5, -1), 0);
    EXPECT_EQ(ProcentStanu(1, 3), 33);
    EXPECT_EQ(ProcentStanu(7, 3), 100);
    EXPECT_EQ(ProcentStanu(-7, 3), 0);

    UstawStan(5);  // not open: nothing
    StanPrzerwij = true;
    StanMaksimum = 10;
    PokazStan(QStringLiteral("Kopiowanie"), QStringLiteral("Przerwij"), true);
    EXPECT_FALSE(StanPrzerwij);
    EXPECT_EQ(s.Zapisy().back().liczba, 11);  // one gauge and the abort button
    UstawStan(3);
    UstawStan(2);  // would go back
    UstawStan(3);  // same percent
    UstawStan(20);
    EXPECT_EQ(s.Procenty1(), QVector<int>({30, 100}));
    ZamknijStan();
    EXPECT_FALSE(s.StanWidoczny());
    UstawStan(5);  // closed

    // A second run after a finished one moves again.
    PokazStan(QStringLiteral("Drugi"), QStringLiteral("OK"), false);
    EXPECT_EQ(s.Zapisy().back().liczba, 0);
    UstawStan(5);
    EXPECT_EQ(s.Procenty1(), QVector<int>({30, 100, 50}));
    ZamknijStan();

    StanMaksimum = 0;
    StanMaksimum2 = 4;
    PokazStan2(QStringLiteral("Partia"), QStringLiteral("Przerwij"), true);
    EXPECT_EQ(s.Zapisy().back().liczba, 12);
    UstawStan2(1, 7);  // overall position 1 is 0 %
    UstawStan2(3, 7);
    UstawStan2(2, 7);
    EXPECT_EQ(s.Procenty1(), QVector<int>({30, 100, 50}));  // maximum 0 shows 0
    EXPECT_EQ(s.Procenty2(), QVector<int>({50}));
    ZamknijStan();
    EXPECT_FALSE(StanPrzerwany());
}

TEST(OtherDialogs, ReportRdsKindAndTime) {
    TempProgramFolder folder;
    DialogiSkrypt s;
    folder.write(QStringLiteral("RAP.TXT"), platform::toCp1250(QStringLiteral("brak pliku A.WAV\r\nłódź\r\n")));
    folder.write(QStringLiteral("PUSTY.TXT"), QByteArray());
    EXPECT_EQ(PokazRaport(folder.file(QStringLiteral("RAP.TXT"))), WynikAnuluj);
    EXPECT_TRUE(Odpowiedz(OdpowiedzOpusc));
    PokazRaport(folder.file(QStringLiteral("PUSTY.TXT")));
    PokazRaport(folder.path() + QStringLiteral("/BRAK.TXT"));
    const auto r = s.Zapisy(RodzajDialogu::Raport);
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(r[0].teksty, QStringList({QStringLiteral("Raport: RAP.TXT"), QStringLiteral("brak pliku A.WAV"),
                                        QStringLiteral("łódź")}));
    EXPECT_EQ(r[1].teksty, QStringList({QStringLiteral("Raport: PUSTY.TXT"), QStringLiteral("OK")}));
    EXPECT_EQ(r[2].teksty.at(1), QStringLiteral("Nie ma zbioru raportu"));

    RDSTytul = QStringLiteral("T");
    RDSWykonawca = QStringLiteral("W");
    RDSInformacja = QStringLiteral("I");
    s.OdpowiedzRDS(QStringLiteral("T2"), QStringLiteral("W2"), QStringLiteral("I2"), OdpowiedzOpusc);
    EXPECT_EQ(PokazRDS(), WynikAnuluj);
    EXPECT_EQ(RDSTytul, QStringLiteral("T"));
    s.OdpowiedzRDS(QString(), QString(), QString(), OdpowiedzNie);
    EXPECT_EQ(PokazRDS(), WynikNie);
    EXPECT_TRUE(Odpowiedz(OdpowiedzNie));
    EXPECT_EQ(RDSWykonawca, QStringLiteral("W"));
    s.OdpowiedzRDS(QStringLiteral("T2"), QStringLiteral("W2"), QStringLiteral("I2"));
    EXPECT_EQ(PokazRDS(), WynikTak);
    EXPECT_TRUE(Odpowiedz(OdpowiedzAkceptuj));
    EXPECT_EQ(RDSTytul + RDSWykonawca + RDSInformacja, QStringLiteral("T2W2I2"));
    EXPECT_EQ(s.Zapisy(RodzajDialogu::RDS).back().teksty, QStringList({"T", "W", "I"}));

    KodWybrany = 5;
    s.OdpowiedzKod(9);
    qint32 kod = -1;
    EXPECT_EQ(PodajKod(kod), 9);
    EXPECT_EQ(kod, 9);
    s.OdpowiedzKod(0);  // "Opuść"
    EXPECT_EQ(PodajKod(), 0);
    EXPECT_EQ(KodWybrany, 0);

    CzasWybrany = QStringLiteral("01:00");
    s.OdpowiedzCzas(QStringLiteral("23:59"));
    EXPECT_EQ(PodajCzas(QStringLiteral("Godzina"), QStringLiteral("24:00")), WynikTak);
    EXPECT_EQ(CzasWybrany, QStringLiteral("23:59"));
    EXPECT_EQ(s.Zapisy().back().liczba, 24);
    s.OdpowiedzCzas(QStringLiteral("11:11"), OdpowiedzOpusc);
    EXPECT_EQ(PodajCzas(QStringLiteral("Godzina"), QStringLiteral("99:59")), WynikAnuluj);
    EXPECT_TRUE(Odpowiedz(OdpowiedzOpusc));
    EXPECT_EQ(CzasWybrany, QStringLiteral("23:59"));
    EXPECT_EQ(s.Zapisy().back().liczba, 99);

    PokazBlokadeEkranu();
    EXPECT_EQ(s.Zapisy().back().rodzaj, RodzajDialogu::Blokada);
    EXPECT_EQ(s.Pozostalo(), 0);
    EXPECT_TRUE(s.Bledy().isEmpty());
}

TEST(TimeEntry, TwentyFourHourLimit) {
    ModelCzasu m(true);
    EXPECT_EQ(m.Tekst(), QStringLiteral("00:00"));
    m.Nacisnij(0, 2);
    m.Nacisnij(1, 5);  // 20 then 5: the tens go to 0
    EXPECT_EQ(m.Tekst(), QStringLiteral("05:00"));
    m.Nacisnij(0, 2);  // 20 while 5 is down: the units go to 0
    EXPECT_EQ(m.Tekst(), QStringLiteral("20:00"));
    m.Nacisnij(1, 3);
    m.Nacisnij(2, 5);
    m.Nacisnij(3, 9);
    EXPECT_EQ(m.Tekst(), QStringLiteral("23:59"));
    m.Nacisnij(0, 3);  // hidden under the limit
    m.Nacisnij(2, 6);  // no 60 minutes
    EXPECT_EQ(m.Tekst(), QStringLiteral("23:59"));
    EXPECT_FALSE(m.Widoczny(0, 3));

    ModelCzasu bez(false);
    bez.Nacisnij(0, 9);
    bez.Nacisnij(1, 9);
    EXPECT_EQ(bez.Tekst(), QStringLiteral("99:00"));
}

TEST(ScriptedDialogs, MissingAnswerIsReportedAndLeaves) {
    DialogiSkrypt s;
    EXPECT_EQ(Decyzja(QStringLiteral("?"), QString(), 3), WynikAnuluj);
    EXPECT_EQ(s.Bledy().size(), 1);
    {
        DialogiSkrypt wewnetrzny;
        EXPECT_EQ(&Dialogi(), &wewnetrzny);
    }
    EXPECT_EQ(&Dialogi(), &s);
}
