// File copy with progress and abort, and the free-name question.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

#include <csignal>
#include <sys/resource.h>

#include "common/TempFolder.h"
#include "foundation/Dialogi.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/Zdarzenie.h"

namespace {

QByteArray Wzor(qint64 rozmiar) {
    QByteArray b(rozmiar, Qt::Uninitialized);
    quint32 x = 12345;
    for (qint64 i = 0; i < rozmiar; ++i) {
        x = x * 1103515245u + 12345u;
        b[i] = char(x >> 24);
    }
    return b;
}

void UstawDate(const QString& plik, const QDateTime& czas) {
    QFile f(plik);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(czas, QFileDevice::FileModificationTime));
}

QDateTime Data(const QString& plik) {
    return QFileInfo(plik).lastModified().toUTC();
}

// Only the files the test made: no temporary copy left behind.
QStringList Zbiory(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace

TEST(FileCopy, MultiMegabyteCopyIsIdenticalAndKeepsTheDate) {
    TempProgramFolder folder;
    DialogiSkrypt s;
    const QByteArray dane = Wzor(3 * 1024 * 1024 + 123);
    folder.write(QStringLiteral("drives/d/MUZYKA/Łąka.wav"), dane);
    const QDateTime data(QDate(2021, 3, 4), QTime(5, 6, 7), Qt::UTC);
    UstawDate(folder.file(QStringLiteral("drives/d/MUZYKA/Łąka.wav")), data);
    folder.drive(QLatin1Char('c'));

    bool przerwane = true;
    int wynik = -1;
    BladIO = 77;
    EXPECT_EQ(KopiujZbior(QStringLiteral("D:\\MUZYKA\\Łąka.wav"), QStringLiteral("C:\\kopia.wav"), przerwane, false,
                          wynik),
              0);
    EXPECT_EQ(wynik, 0);
    EXPECT_EQ(BladIO, 0);
    EXPECT_FALSE(przerwane);
    EXPECT_EQ(folder.read(QStringLiteral("drives/c/kopia.wav")), dane);
    EXPECT_EQ(Data(folder.file(QStringLiteral("drives/c/kopia.wav"))), data);
    EXPECT_EQ(Zbiory(folder.drive(QLatin1Char('c'))), QStringList{QStringLiteral("kopia.wav")});

    const auto stan = s.Zapisy(RodzajDialogu::Stan);
    ASSERT_EQ(stan.size(), 1);
    EXPECT_EQ(stan[0].teksty.at(0), QStringLiteral("Kopiowanie zbioru ŁĄKA.WAV - proszę czekać"));
    EXPECT_EQ(stan[0].liczba, 11);
    EXPECT_FALSE(s.StanWidoczny());
    EXPECT_EQ(s.Procenty1().back(), 100);
    EXPECT_EQ(s.Pompowania(), 384);  // one pump per whole block

    // Without the date flag the copy is new.
    EXPECT_EQ(KopiujZbior(QStringLiteral("D:\\MUZYKA\\Łąka.wav"), QStringLiteral("C:\\bez.wav"), przerwane, true,
                          wynik),
              0);
    EXPECT_NE(Data(folder.file(QStringLiteral("drives/c/bez.wav"))), data);
}

TEST(FileCopy, EmptyExactBlockAndSelfCopy) {
    TempProgramFolder folder;
    DialogiSkrypt s;
    folder.write(QStringLiteral("pusty"), QByteArray());
    folder.write(QStringLiteral("blok"), Wzor(BlokKopii));
    bool przerwane = false;
    int wynik = -1;
    EXPECT_EQ(KopiujZbior(folder.file(QStringLiteral("pusty")), folder.path() + QStringLiteral("/pusty2"), przerwane,
                          false, wynik),
              0);
    EXPECT_TRUE(QFileInfo::exists(folder.path() + QStringLiteral("/pusty2")));
    EXPECT_EQ(QFileInfo(folder.path() + QStringLiteral("/pusty2")).size(), 0);
    EXPECT_EQ(s.Pompowania(), 0);

    EXPECT_EQ(KopiujZbior(folder.file(QStringLiteral("blok")), folder.path() + QStringLiteral("/blok2"), przerwane,
                          false, wynik),
              0);
    EXPECT_EQ(folder.read(QStringLiteral("blok2")), Wzor(BlokKopii));
    EXPECT_EQ(s.Pompowania(), 1);

    // A file copied onto itself, under another spelling of its name, stays whole.
    folder.drive(QLatin1Char('e'));
    folder.write(QStringLiteral("drives/e/A.MIX"), "lista");
    EXPECT_EQ(KopiujZbior(QStringLiteral("E:\\A.MIX"), QStringLiteral("e:\\a.mix"), przerwane, false, wynik), 0);
    EXPECT_EQ(folder.read(QStringLiteral("drives/e/A.MIX")), QByteArray("lista"));
}

TEST(FileCopy, AbortAtHalfLeavesTheOldTarget) {
    TempProgramFolder folder;
    DialogiSkrypt s;
    folder.write(QStringLiteral("zr/nowy.wav"), Wzor(2 * 1024 * 1024));
    folder.write(QStringLiteral("cel/stary.wav"), "stara zawartość");
    s.PrzerwijPrzy(50);
    bool przerwane = false;
    int wynik = -1;
    EXPECT_EQ(KopiujZbior(folder.file(QStringLiteral("zr/nowy.wav")), folder.file(QStringLiteral("cel/stary.wav")),
                          przerwane, false, wynik),
              0);
    EXPECT_TRUE(przerwane);
    EXPECT_TRUE(StanPrzerwij);
    EXPECT_EQ(folder.read(QStringLiteral("cel/stary.wav")), QByteArray("stara zawartość"));
    EXPECT_EQ(Zbiory(folder.path() + QStringLiteral("/cel")), QStringList{QStringLiteral("stary.wav")});
    EXPECT_EQ(s.Procenty1().back(), 50);
    EXPECT_FALSE(s.StanWidoczny());

    // A new copy clears the flag and runs to the end.
    s.PrzerwijPrzy(-1);
    EXPECT_EQ(KopiujZbior(folder.file(QStringLiteral("zr/nowy.wav")), folder.file(QStringLiteral("cel/stary.wav")),
                          przerwane, false, wynik),
              0);
    EXPECT_FALSE(przerwane);
    EXPECT_EQ(folder.read(QStringLiteral("cel/stary.wav")), Wzor(2 * 1024 * 1024));
}

TEST(FileCopy, WriteErrorLeavesTheOldTarget) {
    TempProgramFolder folder;
    DialogiSkrypt s;
    folder.write(QStringLiteral("zr.wav"), Wzor(3 * 1024 * 1024));
    folder.write(QStringLiteral("cel/stary.wav"), "stara zawartość");
    bool przerwane = false;
    int wynik = -1;

    // A file-size limit makes the writes fail part way, as a full disk would.
    rlimit stary{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &stary), 0);
    auto staryHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit maly = stary;
    maly.rlim_cur = 1024 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &maly), 0);
    const int kod = KopiujZbior(folder.file(QStringLiteral("zr.wav")), folder.file(QStringLiteral("cel/stary.wav")),
                                przerwane, false, wynik);
    setrlimit(RLIMIT_FSIZE, &stary);
    std::signal(SIGXFSZ, staryHandler);

    EXPECT_EQ(kod, 101);
    EXPECT_EQ(wynik, 101);
    EXPECT_EQ(BladIO, 101);
    EXPECT_FALSE(przerwane);
    EXPECT_EQ(folder.read(QStringLiteral("cel/stary.wav")), QByteArray("stara zawartość"));
    EXPECT_EQ(Zbiory(folder.path() + QStringLiteral("/cel")), QStringList{QStringLiteral("stary.wav")});
    EXPECT_FALSE(s.StanWidoczny());
}

TEST(FileCopy, MissingSourceAndImpossibleTargetTouchNothing) {
    TempProgramFolder folder;
    DialogiSkrypt s;
    folder.write(QStringLiteral("cel.wav"), "stary");
    folder.write(QStringLiteral("plik"), "to nie folder");
    bool przerwane = false;
    int wynik = -1;
    EXPECT_EQ(KopiujZbior(folder.file(QStringLiteral("cel.wav")), folder.path() + QStringLiteral("/brak/x.wav"),
                          przerwane, false, wynik),
              3);
    EXPECT_EQ(KopiujZbior(folder.path() + QStringLiteral("/brak.wav"), folder.file(QStringLiteral("cel.wav")),
                          przerwane, false, wynik),
              2);
    EXPECT_EQ(folder.read(QStringLiteral("cel.wav")), QByteArray("stary"));
    // The target's folder is a file.
    EXPECT_EQ(KopiujZbior(folder.file(QStringLiteral("cel.wav")), folder.path() + QStringLiteral("/plik/x.wav"),
                          przerwane, false, wynik),
              3);
    EXPECT_EQ(KopiujZbior(folder.path(), folder.path() + QStringLiteral("/x.wav"), przerwane, false, wynik), 5);
    EXPECT_EQ(Zbiory(folder.path()), QStringList({QStringLiteral("cel.wav"), QStringLiteral("plik")}));
}

TEST(FileCopy, BatchCopyWithTwoGaugesOrNone) {
    TempProgramFolder folder;
    DialogiSkrypt s;
    folder.write(QStringLiteral("a.wav"), Wzor(10 * BlokKopii));
    StanMaksimum = 0;
    StanMaksimum2 = 4;
    bool przerwane = true;
    int wynik = -1;
    EXPECT_EQ(KopiujZbior2(3, folder.file(QStringLiteral("a.wav")), folder.path() + QStringLiteral("/b.wav"), true,
                           false, wynik, przerwane),
              0);
    EXPECT_FALSE(przerwane);
    EXPECT_EQ(s.Zapisy(RodzajDialogu::Stan).size(), 1);
    EXPECT_EQ(s.Zapisy(RodzajDialogu::Stan)[0].liczba, 12);
    EXPECT_EQ(s.Procenty2(), QVector<int>({50}));
    EXPECT_EQ(s.Procenty1().front(), 18);  // block 1 counts as 2 of 11
    EXPECT_EQ(s.Procenty1().back(), 100);

    // Hidden: no window, but the batch's abort flag still stops it.
    s.Wyczysc();
    StanPrzerwij = true;
    EXPECT_EQ(KopiujZbior2(4, folder.file(QStringLiteral("a.wav")), folder.path() + QStringLiteral("/c.wav"), false,
                           false, wynik, przerwane),
              0);
    EXPECT_TRUE(przerwane);
    EXPECT_TRUE(s.Zapisy().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder.path() + QStringLiteral("/c.wav")));
    StanPrzerwij = false;
}

TEST(FreeName, FreeTakenRefusedAndLeft) {
    TempProgramFolder folder;
    folder.drive(QLatin1Char('d'));
    folder.write(QStringLiteral("drives/d/LISTY/PONIEDZ.MIX"), "x");
    DialogiSkrypt s;

    // Taken, answered Nie: the input comes back with the typed name.
    QString nazwa = QStringLiteral("START");
    s.OdpowiedzTekst(QStringLiteral("poniedz"));
    s.Odpowiedz(OdpowiedzNie);
    s.OdpowiedzTekst(QStringLiteral("WTOREK"));
    EXPECT_EQ(WolnaNazwa(QStringLiteral("Nazwa playlisty:"), QStringLiteral("D:\\LISTY"), nazwa, QStringLiteral(".MIX")),
              OdpowiedzAkceptuj);
    EXPECT_EQ(nazwa, QStringLiteral("WTOREK"));
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieKomenda);
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzAkceptuj);
    const auto teksty = s.Zapisy(RodzajDialogu::Tekst);
    ASSERT_EQ(teksty.size(), 2);
    EXPECT_EQ(teksty[0].teksty.at(1), QStringLiteral("START"));
    EXPECT_EQ(teksty[1].teksty.at(1), QStringLiteral("poniedz"));
    EXPECT_EQ(teksty[0].liczba, 16);
    const auto pytania = s.Zapisy(RodzajDialogu::Decyzja);
    ASSERT_EQ(pytania.size(), 1);
    EXPECT_EQ(pytania[0].teksty, QStringList({QStringLiteral("Zbiór o tej nazwie już istnieje!"),
                                              QStringLiteral("Czy go skasować?")}));
    EXPECT_EQ(pytania[0].liczba, 2);

    // Taken, answered Tak: accepted for overwriting.
    s.Wyczysc();
    s.OdpowiedzTekst(QStringLiteral("PONIEDZ"));
    s.Odpowiedz(OdpowiedzTak);
    EXPECT_EQ(WolnaNazwa(QStringLiteral("?"), QStringLiteral("D:\\LISTY\\"), nazwa, QStringLiteral(".MIX")),
              OdpowiedzAkceptuj);
    EXPECT_EQ(nazwa, QStringLiteral("PONIEDZ"));
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzAkceptuj);

    // A name that would leave the folder is refused and asked again.
    s.Wyczysc();
    s.OdpowiedzTekst(QStringLiteral("..\\..\\X"));
    s.OdpowiedzTekst(QStringLiteral("C:X"));
    s.OdpowiedzTekst(QStringLiteral("*"));
    s.OdpowiedzTekst(QStringLiteral("x"), OdpowiedzOpusc);
    EXPECT_EQ(WolnaNazwa(QStringLiteral("?"), QStringLiteral("D:\\LISTY"), nazwa, QStringLiteral(".MIX")),
              OdpowiedzOpusc);
    EXPECT_EQ(nazwa, QStringLiteral("PONIEDZ"));
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzOpusc);
    const auto bledy = s.Zapisy(RodzajDialogu::Blad);
    ASSERT_EQ(bledy.size(), 3);
    EXPECT_EQ(bledy[0].teksty.at(0), QStringLiteral("Należy podać inną nazwę"));
    EXPECT_EQ(s.Zapisy(RodzajDialogu::Tekst)[3].teksty.at(1), QStringLiteral("*"));
    EXPECT_TRUE(s.Bledy().isEmpty());
}
