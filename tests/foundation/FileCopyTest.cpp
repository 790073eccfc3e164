// File copy with progress and abort, and the free-name question.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

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
    EXPECT_TRUE(s.Procenty1().isEmpty());  // no block: the gauge never moves

    EXPECT_EQ(KopiujZbior(folder.file(QStringLiteral("blok")), folder.path() + QStringLiteral("/blok2"), przerwane,
                          false, wynik),
              0);
    EXPECT_EQ(folder.read(QStringLiteral("blok2")), Wzor(BlokKopii));
    EXPECT_EQ(s.Procenty1(), QVector<int>({100}));

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
    // The disk takes nothing past half the file until the abort button was
    // pressed, so the abort lands at half however fast the machine is.
    std::atomic<bool> nacisniety{false};
    std::atomic<qint64> zapisane{0};
    const auto najdluzej = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    UstawZapisKopii([&](int fd, const char* bufor, size_t n) -> ssize_t {
        while (zapisane >= 128 * BlokKopii && !nacisniety && std::chrono::steady_clock::now() < najdluzej)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const ssize_t r = ::write(fd, bufor, n);
        if (r > 0)
            zapisane += r;
        return r;
    });
    QTimer przycisk;
    przycisk.setInterval(1);
    QObject::connect(&przycisk, &QTimer::timeout, [&] { nacisniety = nacisniety || StanPrzerwij; });
    przycisk.start();
    bool przerwane = false;
    int wynik = -1;
    EXPECT_EQ(KopiujZbior(folder.file(QStringLiteral("zr/nowy.wav")), folder.file(QStringLiteral("cel/stary.wav")),
                          przerwane, false, wynik),
              0);
    UstawZapisKopii({});
    EXPECT_TRUE(przerwane);
    EXPECT_TRUE(StanPrzerwij);
    EXPECT_EQ(folder.read(QStringLiteral("cel/stary.wav")), QByteArray("stara zawartość"));
    EXPECT_EQ(Zbiory(folder.path() + QStringLiteral("/cel")), QStringList{QStringLiteral("stary.wav")});
    EXPECT_EQ(s.Procenty1().back(), 50);
    EXPECT_LE(zapisane, 130 * BlokKopii);  // it stopped right after the button
    EXPECT_FALSE(s.StanWidoczny());

    // A new copy clears the flag and runs to the end.
    s.PrzerwijPrzy(-1);
    EXPECT_EQ(KopiujZbior(folder.file(QStringLiteral("zr/nowy.wav")), folder.file(QStringLiteral("cel/stary.wav")),
                          przerwane, false, wynik),
              0);
    EXPECT_FALSE(przerwane);
    EXPECT_EQ(folder.read(QStringLiteral("cel/stary.wav")), Wzor(2 * 1024 * 1024));
}

// Whatever the disk says when a write fails, the operator is told of a
// write error, and the old target stays.
TEST(FileCopy, WriteErrorLeavesTheOldTarget) {
    TempProgramFolder folder;
    DialogiSkrypt s;
    folder.write(QStringLiteral("zr.wav"), Wzor(3 * 1024 * 1024));
    folder.write(QStringLiteral("cel/stary.wav"), "stara zawartość");
    bool przerwane = false;
    int wynik = -1;
    auto kopiuj = [&] {
        return KopiujZbior(folder.file(QStringLiteral("zr.wav")), folder.file(QStringLiteral("cel/stary.wav")),
                           przerwane, false, wynik);
    };
    auto sprawdz = [&](int kod, const char* jak) {
        EXPECT_EQ(kod, 101) << jak;
        EXPECT_EQ(wynik, 101) << jak;
        EXPECT_EQ(BladIO, 101) << jak;
        EXPECT_FALSE(przerwane) << jak;
        EXPECT_EQ(folder.read(QStringLiteral("cel/stary.wav")), QByteArray("stara zawartość")) << jak;
        EXPECT_EQ(Zbiory(folder.path() + QStringLiteral("/cel")), QStringList{QStringLiteral("stary.wav")}) << jak;
        EXPECT_FALSE(s.StanWidoczny()) << jak;
    };

    // A file-size limit makes the writes fail part way, as a full disk would.
    rlimit stary{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &stary), 0);
    auto staryHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit maly = stary;
    maly.rlim_cur = 1024 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &maly), 0);
    const int kod = kopiuj();
    setrlimit(RLIMIT_FSIZE, &stary);
    std::signal(SIGXFSZ, staryHandler);
    sprawdz(kod, "file too large");

    // A disk that fails with an I/O error: a write error, not "Błąd w odczycie dysku".
    std::atomic<int> zapisy{0};
    UstawZapisKopii([&](int fd, const char* bufor, size_t n) -> ssize_t {
        if (++zapisy > 100) {
            errno = EIO;
            return -1;
        }
        return ::write(fd, bufor, n);
    });
    const int kodIO = kopiuj();
    UstawZapisKopii({});
    sprawdz(kodIO, "I/O error");
    EXPECT_EQ(TekstBleduIO(kodIO), QStringLiteral("Błąd w zapisie dysku"));
}

// A read-only target is not replaced, though only its folder's permission
// would be needed to rename a copy over it.
TEST(FileCopy, ReadOnlyTargetIsRefused) {
    TempProgramFolder folder;
    DialogiSkrypt s;
    folder.write(QStringLiteral("nowy.wav"), Wzor(3 * BlokKopii));
    folder.write(QStringLiteral("cel/chroniony.wav"), "chroniony");
    const QString cel = folder.file(QStringLiteral("cel/chroniony.wav"));
    ASSERT_TRUE(QFile::setPermissions(cel, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_TRUE(JestTylkoDoOdczytu(cel));
    bool przerwane = false;
    int wynik = -1;
    EXPECT_EQ(KopiujZbior(folder.file(QStringLiteral("nowy.wav")), cel, przerwane, false, wynik), 5);
    EXPECT_EQ(wynik, 5);
    EXPECT_EQ(BladIO, 5);
    EXPECT_EQ(TekstBleduIO(wynik), QStringLiteral("Dostęp do zbioru zabroniony"));
    EXPECT_EQ(folder.read(QStringLiteral("cel/chroniony.wav")), QByteArray("chroniony"));
    EXPECT_TRUE(JestTylkoDoOdczytu(cel));
    EXPECT_EQ(Zbiory(folder.path() + QStringLiteral("/cel")), QStringList{QStringLiteral("chroniony.wav")});
    EXPECT_FALSE(s.StanWidoczny());
    QFile::setPermissions(cel, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// The copy's disk work never holds up the thread that runs the on-air loop:
// a 30 ms timer keeps its beat through a 200 MB copy to a disk that stalls.
// Measured on the monotonic clock because what is tested is the event
// loop's response itself.
TEST(FileCopy, TheOnAirTimerKeepsTickingThroughALargeCopyToASlowDisk) {
    TempProgramFolder folder;
    DialogiSkrypt s;
    constexpr qint64 rozmiar = 200LL * 1024 * 1024;
    {
        QFile zrodlo(folder.file(QStringLiteral("duzy.wav")));  // sparse: takes no disk
        ASSERT_TRUE(zrodlo.open(QIODevice::WriteOnly));
        ASSERT_TRUE(zrodlo.resize(rozmiar));
    }
    // A slow target: after every 20 MB it stalls, as a network mount
    // flushing would, until the on-air timer has ticked three more times
    // (at most 5 s), and keeps nothing. A copy that held the program's
    // thread would stall the timer with it, and its stalls would run out.
    constexpr qint64 co = 20LL * 1024 * 1024;
    std::atomic<int> tiki{0};
    std::atomic<int> zastoje{0}, bezTikow{0};
    UstawZapisKopii([&, zapisane = qint64(0)](int, const char*, size_t n) mutable -> ssize_t {
        zapisane += qint64(n);
        if (zapisane % co == 0) {
            ++zastoje;
            const int od = tiki;
            const auto najdluzej = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (tiki < od + 3 && std::chrono::steady_clock::now() < najdluzej)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (tiki < od + 3) ++bezTikow;
        }
        return ssize_t(n);
    });

    QElapsedTimer zegar;
    zegar.start();
    qint64 ostatni = 0, przerwa = 0;
    QTimer tik;
    tik.setTimerType(Qt::PreciseTimer);
    tik.setInterval(30);
    QObject::connect(&tik, &QTimer::timeout, [&] {
        const qint64 t = zegar.elapsed();
        przerwa = qMax(przerwa, t - ostatni);
        ostatni = t;
        ++tiki;
    });
    tik.start();
    ostatni = zegar.elapsed();
    bool przerwane = false;
    int wynik = -1;
    const int kod = KopiujZbior(folder.file(QStringLiteral("duzy.wav")), folder.path() + QStringLiteral("/kopia.wav"),
                                przerwane, false, wynik);
    const qint64 koniec = zegar.elapsed();
    tik.stop();
    UstawZapisKopii({});

    EXPECT_EQ(kod, 0);
    EXPECT_FALSE(przerwane);
    EXPECT_EQ(zastoje, 10);
    EXPECT_EQ(bezTikow, 0) << "the timer stood still while the disk stalled";
    // The gaps themselves depend on the machine's load; on a quiet machine
    // none is over 60 ms. Only a gross stall fails here.
    przerwa = qMax(przerwa, koniec - ostatni);
    EXPECT_LE(przerwa, 1000) << tiki << " ticks in " << koniec << " ms";
    EXPECT_EQ(s.Procenty1().back(), 100);
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
