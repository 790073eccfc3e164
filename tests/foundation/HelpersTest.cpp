#include <gtest/gtest.h>

#include <QFileInfo>
#include <QKeyEvent>

#include <limits>

#include "common/TempFolder.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "platform/Clock.h"

TEST(TimeFormatter, EveryFormatWithNegativesLongHoursAndMinusOne) {
    EXPECT_EQ(PiszCzas(1, 3725), QStringLiteral(" 1:02:05"));
    EXPECT_EQ(PiszCzas(1, 25509), QStringLiteral(" 7:05:09"));
    EXPECT_EQ(PiszCzas(1, 30 * 3600 + 1), QStringLiteral("30:00:01"));  // hours not limited to 23
    EXPECT_EQ(PiszCzas(1, 123 * 3600), QStringLiteral("123:00:00"));
    EXPECT_EQ(PiszCzas(1, -3725), QStringLiteral(" 1:02:05"));          // no sign outside format 4
    EXPECT_EQ(PiszCzas(1, -1), QStringLiteral(" 0:00:01"));
    EXPECT_EQ(PiszCzas(2, 3725), QStringLiteral(" 1:02"));
    EXPECT_EQ(PiszCzas(2, 25 * 3600), QStringLiteral("25:00"));
    EXPECT_EQ(PiszCzas(3, 3725), QStringLiteral("02:05"));
    EXPECT_EQ(PiszCzas(3, -65), QStringLiteral("01:05"));
    EXPECT_EQ(PiszCzas(5, 3725), QStringLiteral(" 1:02.05"));
    EXPECT_EQ(PiszCzas(4, 65432), QStringLiteral("01:05.432"));
    EXPECT_EQ(PiszCzas(4, -65432), QStringLiteral("-01:05.432"));
    EXPECT_EQ(PiszCzas(4, -1), QString());
    EXPECT_EQ(PiszCzas(4, 0), QStringLiteral("00:00.000"));
    EXPECT_EQ(PiszCzas(4, 3'600'000), QStringLiteral("01:00:00.000"));
    EXPECT_EQ(PiszCzas(4, 3'725'123), QStringLiteral("01:02:05.123"));
    EXPECT_EQ(PiszCzas(6, 3'725'123), QStringLiteral("01:02:05.123"));
    EXPECT_EQ(PiszCzas(6, 100 * 3'600'000LL), QStringLiteral("100:00:00.000"));
    EXPECT_EQ(PiszCzas(6, -3'725'123), QStringLiteral("01:02:05.123"));
    EXPECT_EQ(PiszCzasDoby(86'400 + 61, 1), QStringLiteral(" 0:01:01"));
    EXPECT_EQ(PiszCzasDoby(86'400'000LL + 1500, 4), QStringLiteral("00:01.500"));
    EXPECT_EQ(PiszCzasDoby(-1500, 4), QStringLiteral("-00:01.500"));  // remainder keeps the sign
}

TEST(TimeParser, GoodShortAndMalformedTexts) {
    EXPECT_EQ(CzytajCzas(QStringLiteral("24:00:00"), 1), 86'400);
    EXPECT_EQ(CzytajCzas(QStringLiteral(" 7:05:09"), 1), 25'509);
    EXPECT_EQ(CzytajCzas(QStringLiteral("25:00:00"), 1), -1);
    EXPECT_EQ(CzytajCzas(QStringLiteral("75:10"), 3), 3'599);  // minutes 60+ read as 59:59
    EXPECT_EQ(CzytajCzas(QStringLiteral("12:60:00"), 1), 12 * 3600 + 59 * 60 + 59);
    EXPECT_EQ(CzytajCzas(QStringLiteral("1:02.5"), 4), 62'500);
    EXPECT_EQ(CzytajCzas(QStringLiteral(":07.25"), 4), 7'250);
    EXPECT_EQ(CzytajCzas(QStringLiteral("-00:01.500"), 4), -1'500);
    // The minus shape fills a short fraction like the others.
    EXPECT_EQ(CzytajCzas(QStringLiteral("-00:01.5"), 4), -1'500);
    EXPECT_EQ(CzytajCzas(QStringLiteral("-00:01.05"), 4), -1'050);
    EXPECT_EQ(CzytajCzas(QStringLiteral("-00:01"), 4), -1'000);
    EXPECT_EQ(CzytajCzas(QStringLiteral("01:02:03.004"), 4), 3'723'004);
    EXPECT_EQ(CzytajCzas(QStringLiteral("03:35.300"), 4), 215'300);
    EXPECT_EQ(CzytajCzas(QStringLiteral("03:35"), 4), 215'000);        // missing fraction counts as 0
    EXPECT_EQ(CzytajCzas(QStringLiteral("09:05:00.000"), 5), 32'700'000);
    EXPECT_EQ(CzytajCzas(QStringLiteral("09:05:00"), 5), 32'700'000);
    EXPECT_EQ(CzytajCzas(QStringLiteral("09:05:00.5"), 5), 32'700'500);
    // Short texts: a required field missing gives -1, never a read past the end.
    EXPECT_EQ(CzytajCzas(QString(), 1), -1);
    EXPECT_EQ(CzytajCzas(QStringLiteral("12:3"), 1), -1);
    EXPECT_EQ(CzytajCzas(QStringLiteral("1"), 3), -1);
    EXPECT_EQ(CzytajCzas(QStringLiteral("-0"), 4), -1);
    EXPECT_EQ(CzytajCzas(QStringLiteral(":"), 4), -1);
    EXPECT_EQ(CzytajCzas(QStringLiteral("09:05"), 5), -1);
    // Malformed texts.
    EXPECT_EQ(CzytajCzas(QStringLiteral("ab:cd:ef"), 1), -1);
    EXPECT_EQ(CzytajCzas(QStringLiteral("01:02.xx"), 4), -1);
    EXPECT_EQ(CzytajCzas(QStringLiteral("--------"), 5), -1);
    EXPECT_EQ(CzytajCzas(QStringLiteral("12:00:00"), 2), -1);  // no such parser format
    // What the formatter writes, the parser reads back.
    for (qint64 ms : {0LL, 999LL, 61'001LL, 3'599'999LL}) EXPECT_EQ(CzytajCzas(PiszCzas(4, ms), 4), ms);
    for (qint64 ms : {3'600'000LL, 86'399'999LL}) EXPECT_EQ(CzytajCzas(PiszCzas(6, ms), 5), ms);
}

TEST(NumbersAndText, StopwatchSeparatorsCaseAndTransliteration) {
    QString m, s, f;
    MsNaCzesci(65'432, m, s, f);
    EXPECT_EQ(m + QLatin1Char('|') + s + QLatin1Char('|') + f, QStringLiteral(" 1|05|432"));
    MsNaCzesci(100 * 60'000 + 5'123, m, s, f);
    EXPECT_EQ(m + QLatin1Char('|') + s + QLatin1Char('|') + f, QStringLiteral("100| 5|12"));
    MsNaCzesci(100 * 60'000 + 7, m, s, f);
    EXPECT_EQ(f, QStringLiteral(" 7"));
    EXPECT_EQ(MsTekst(307'009), QStringLiteral("05:07.009"));
    EXPECT_EQ(MsTekst(6'000'000), QStringLiteral("100:00.000"));

    QString n = QStringLiteral("-1234567");
    LiczbaZKropkami(n, 12);
    EXPECT_EQ(n, QStringLiteral("  -1.234.567"));
    n = QStringLiteral("123");
    LiczbaZKropkami(n, 6);
    EXPECT_EQ(n, QStringLiteral("   123"));
    n = QStringLiteral("123456");
    LiczbaZKropkami(n, 0);
    EXPECT_EQ(n, QStringLiteral("123.456"));
    n = QStringLiteral("12a");
    LiczbaZKropkami(n, 10);
    EXPECT_EQ(n, QStringLiteral("12a"));

    EXPECT_EQ(DuzeLiteryPL(QStringLiteral("żółć abc ü")), QStringLiteral("ŻÓŁĆ ABC ü"));
    QString a = QStringLiteral("żółć abc");
    DuzeLitery(a);
    EXPECT_EQ(a, QStringLiteral("żółć ABC"));

    QString out;
    Transliteruj(3, 0, QStringLiteral("Łóźd"), out);
    EXPECT_EQ(out, QStringLiteral("Lozd"));
    Transliteruj(0, 3, QStringLiteral("Lozd"), out);
    EXPECT_EQ(out, QStringLiteral("Lozd"));
    Transliteruj(3, 2, QStringLiteral("ą"), out);
    EXPECT_EQ(out, QString(QChar(0x0104)));  // CP852 byte A5 read back as Windows-1250
    EXPECT_NEAR(Log10(1000.0), 3.0, 1e-6);
    EXPECT_EQ(Log10(0), 0);
    EXPECT_EQ(Log10(-5), 0);
}

TEST(TextHelpers, PlacesParsingAndCuts) {
    EXPECT_EQ(charsFromTo(QStringLiteral("abcdef"), 2, 4), QStringLiteral("bcd"));
    EXPECT_EQ(charsFromTo(QStringLiteral("abc"), 2, 10), QStringLiteral("bc"));
    EXPECT_EQ(charsFromTo(QStringLiteral("abc"), 5, 10), QString());
    EXPECT_EQ(charsAt(QStringLiteral("abc"), 0, 2), QStringLiteral("a"));
    EXPECT_EQ(findText(QString(), QStringLiteral("abc")), 0);
    EXPECT_EQ(findText(QStringLiteral("c"), QStringLiteral("abc")), 3);
    qint64 v = 0;
    EXPECT_TRUE(parseInteger(QStringLiteral("  -42"), v));
    EXPECT_EQ(v, -42);
    EXPECT_FALSE(parseInteger(QStringLiteral("42 "), v));
    EXPECT_FALSE(parseInteger(QStringLiteral("4x"), v));
    EXPECT_FALSE(parseInteger(QStringLiteral(""), v));
    EXPECT_FALSE(parseInteger(QStringLiteral("-"), v));
    EXPECT_FALSE(parseInteger(QStringLiteral("99999999999999999999"), v));
    EXPECT_TRUE(parseInteger(QStringLiteral("-9223372036854775808"), v));
}

// A number too long for 64 bits is refused, never wrapped into a small one
// that a range check would pass; the readers then take their fallback.
TEST(TextHelpers, NumbersBeyondTheRangeAreRefusedNotWrapped) {
    const struct {
        const char* tekst;
        bool dobry;
        qint64 wartosc;
    } przypadki[] = {
        {"9223372036854775807", true, std::numeric_limits<qint64>::max()},
        {"-9223372036854775808", true, std::numeric_limits<qint64>::min()},
        {"  +000000000000000000000042", true, 42},
        {"9223372036854775808", false, 0},
        {"-9223372036854775809", false, 0},
        {"18446744073709551616", false, 0},   // 2^64: wrapped to 0
        {"20000000000000000000", false, 0},   // wrapped to 1 553 255 926 290 448 384
        {"99999999999999999999", false, 0},
    };
    for (const auto& p : przypadki) {
        qint64 v = -7;
        EXPECT_EQ(parseInteger(QString::fromLatin1(p.tekst), v), p.dobry) << p.tekst;
        EXPECT_EQ(v, p.dobry ? p.wartosc : -7) << p.tekst;
    }

    TempProgramFolder folder;
    folder.write(QStringLiteral("T.INI"),
                 "[S]\r\nBajt=18446744073709551617\r\nLiczba=18446744073709551617\r\nFlaga=20000000000000000001\r\n");
    const QString ini = folder.file(QStringLiteral("T.INI"));
    quint8 b = 7;
    CzytajBajt(ini, QStringLiteral("S"), QStringLiteral("Bajt"), b, 0, 100, 9);
    EXPECT_EQ(b, 9);
    qint32 l = 7;
    CzytajLiczbe(ini, QStringLiteral("S"), QStringLiteral("Liczba"), l, 0, 100, 9);
    EXPECT_EQ(l, 9);
    bool f = true;
    CzytajBool(ini, QStringLiteral("S"), QStringLiteral("Flaga"), f);
    EXPECT_FALSE(f);
}

TEST(KeyCodes, TablesAndModifiers) {
    const auto none = Qt::NoModifier;
    const auto ctrl = Qt::ControlModifier;
    const auto alt = Qt::AltModifier;
    const auto pad = Qt::KeypadModifier;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(KodBIOS(Qt::Key_F1 + i, none), 0x3B00 + (i << 8));
    EXPECT_EQ(KodBIOS(Qt::Key_F11, none), 0x4500);
    EXPECT_EQ(KodBIOS(Qt::Key_F12, none), 0x8600);
    EXPECT_EQ(KodBIOS(Qt::Key_F1, ctrl), 0x5E00);
    EXPECT_EQ(KodBIOS(Qt::Key_F10, ctrl), 0x6700);
    EXPECT_EQ(KodBIOS(Qt::Key_F11, ctrl), 0x6701);
    EXPECT_EQ(KodBIOS(Qt::Key_F12, ctrl), 0x6702);
    EXPECT_EQ(KodBIOS(Qt::Key_F3, alt), 0x6A00);
    EXPECT_EQ(KodBIOS(Qt::Key_F4, alt), 0xFFFF);
    // Keypad with NumLock on: digits; with NumLock off Qt sends the navigation keys.
    const quint16 padCodes[10] = {0x5230, 0x4F31, 0x5032, 0x5133, 0x4B34, 0x4C35, 0x4D36, 0x4737, 0x4838, 0x4939};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(KodBIOS(Qt::Key_0 + i, pad), padCodes[i]);
    EXPECT_EQ(KodBIOS(Qt::Key_Home, pad), 0x4700);
    EXPECT_EQ(KodBIOS(Qt::Key_PageDown, pad), 0x5100);
    EXPECT_EQ(KodBIOS(Qt::Key_Plus, pad), 0x4E2B);
    EXPECT_EQ(KodBIOS(Qt::Key_Minus, pad), 0x4A2D);
    EXPECT_EQ(KodBIOS(Qt::Key_Period, pad), 0x532E);
    EXPECT_EQ(KodBIOS(Qt::Key_0, none), 0x0B30);
    EXPECT_EQ(KodBIOS(Qt::Key_1, none), 0x0231);
    EXPECT_EQ(KodBIOS(Qt::Key_9, none), 0x0A39);
    EXPECT_EQ(KodBIOS(Qt::Key_Return, none), 0x1C0D);
    EXPECT_EQ(KodBIOS(Qt::Key_Enter, pad), 0x1C0D);
    EXPECT_EQ(KodBIOS(Qt::Key_Return, ctrl), 0x1C0A);
    EXPECT_EQ(KodBIOS(Qt::Key_Return, alt), 0x1C00);
    EXPECT_EQ(KodBIOS(Qt::Key_Left, none), 0x4B00);
    EXPECT_EQ(KodBIOS(Qt::Key_Up, none), 0x4800);
    EXPECT_EQ(KodBIOS(Qt::Key_Right, ctrl), 0x7400);
    EXPECT_EQ(KodBIOS(Qt::Key_Down, ctrl), 0xFFFF);
    EXPECT_EQ(KodBIOS(Qt::Key_A, none), 0x1E61);
    EXPECT_EQ(KodBIOS(Qt::Key_Z, none), 0x2C7A);
    EXPECT_EQ(KodBIOS(Qt::Key_A, ctrl), 0x1E01);
    EXPECT_EQ(KodBIOS(Qt::Key_Z, ctrl), 0x2C1A);
    EXPECT_EQ(KodBIOS(Qt::Key_C, alt), 0x2E00);
    EXPECT_EQ(KodBIOS(Qt::Key_W, alt), 0x1100);
    EXPECT_EQ(KodBIOS(Qt::Key_X, alt), 0x2D00);
    EXPECT_EQ(KodBIOS(Qt::Key_A, alt), 0xFFFF);
    EXPECT_EQ(KodBIOS(Qt::Key_QuoteLeft, none), 0x3921);
    EXPECT_EQ(KodBIOS(Qt::Key_Space, ctrl), 0x3922);
    // Shift, two modifiers, unmapped keys.
    EXPECT_EQ(KodBIOS(Qt::Key_A, Qt::ShiftModifier), 0xFFFF);
    EXPECT_EQ(KodBIOS(Qt::Key_A, ctrl | alt), 0xFFFF);
    EXPECT_EQ(KodBIOS(Qt::Key_PageDown, ctrl), 0xFFFF);
    EXPECT_EQ(KodBIOS(Qt::Key_Print, none), 0xFFFF);
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_EQ(KodBIOS(e), 0x011B);
}

TEST(DateTexts, FromTheInjectedClock) {
    platform::ManualClock c(QDate(2026, 12, 6), 7 * 3'600'000 + 8 * 60'000 + 9'000);
    platform::ScopedClock scoped(&c);
    EXPECT_EQ(DataTekst(), QStringLiteral("2026-12-06"));
    int y, mo, d, dow, h, mi, s;
    DataIDzienTygodnia(y, mo, d, dow);
    EXPECT_EQ(dow, 1);  // 6 December 2026 is a Sunday
    CzasCzesci(h, mi, s);
    EXPECT_EQ(h * 10000 + mi * 100 + s, 70809);
}

// Every reading of this clock is a new instant, 1 ms after the last one.
class ZegarBiegnacy final : public platform::Clock {
public:
    explicit ZegarBiegnacy(QDateTime start) : teraz_(start) {}
    QDateTime now() const override {
        const QDateTime t = teraz_;
        teraz_ = teraz_.addMSecs(1);
        return t;
    }
    qint64 monotonicMs() const override { return 0; }

private:
    mutable QDateTime teraz_;
};

// A log line written in the last millisecond of a day belongs to that day's
// file with that day's time: date and time come from one reading.
TEST(DateTexts, TheLogReadsDateAndTimeAtOneInstant) {
    TempProgramFolder home;
    ZegarBiegnacy zegar(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59, 999), Qt::UTC));
    platform::ScopedClock scoped(&zegar);
    NastawyDomyslne();
    Nastawy.LOGZbiorJest = true;
    Nastawy.LOGKatalog = home.path();
    Log(QStringLiteral("ostatnia"));
    EXPECT_EQ(home.read(QStringLiteral("Tolvane_2026-12-06.LOG")), QByteArray("23:59:59->  ostatnia\r\n"));
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("Tolvane_2026-12-07.LOG"))));
    EXPECT_EQ(zegar.now(), QDateTime(QDate(2026, 12, 7), QTime(0, 0, 0, 0), Qt::UTC));  // one reading was taken
    Nastawy.LOGZbiorJest = false;
}
