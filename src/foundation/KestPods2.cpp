#include "foundation/KestPods2.h"

#include <QKeyEvent>
#include <array>
#include <cmath>
#include <cstdlib>

#include "foundation/Text.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"

namespace {

constexpr qint64 kDayS = 86'400;
constexpr qint64 kDayMs = 86'400'000;

QString two(qint64 v) { return zeroPad(v, 2); }
QString hoursBlank(qint64 h) { return padLeft(QString::number(h), 2); }

// A field read from fixed places; false when it is missing or not a number.
bool field(const QString& text, int first, int last, qint64& v) {
    if (text.size() < last) return false;
    return parseInteger(charsFromTo(text, first, last), v);
}

// A fraction from `first` to the end: missing means 0, short ones are filled
// with "0" on the right ("5" is 500 ms), longer ones keep their first three digits.
bool fraction(const QString& text, int first, qint64& v) {
    if (text.size() < first) {
        v = 0;
        return true;
    }
    QString f = charsFromTo(text, first, int(text.size())).left(3);
    while (f.size() < 3) f += QLatin1Char('0');
    if (!parseInteger(f, v) || f.startsWith(QLatin1Char(' '))) return false;
    return v >= 0;
}

bool checked(qint64& h, qint64& m, qint64& s, qint64 f) {
    if (m >= 60) {
        m = 59;
        s = 59;
    }
    return h >= 0 && h <= 24 && m >= 0 && m <= 59 && s >= 0 && s <= 59 && f >= 0 && f <= 999;
}

qint32 parse(const QString& t, int format) {
    if (t.isEmpty()) return -1;
    qint64 h = 0, m = 0, s = 0, f = 0;
    switch (format) {
    case 1:
        if (!field(t, 1, 2, h) || !field(t, 4, 5, m) || !field(t, 7, 8, s)) return -1;
        if (!checked(h, m, s, 0)) return -1;
        return qint32(h * 3600 + m * 60 + s);
    case 3:
        if (!field(t, 1, 2, m) || !field(t, 4, 5, s)) return -1;
        if (!checked(h, m, s, 0)) return -1;
        return qint32(m * 60 + s);
    case 4: {
        if (t.size() == 12) return parse(t, 5);
        bool negative = false;
        if (t[0] == QLatin1Char('-')) {
            negative = true;
            if (!field(t, 2, 3, m) || !field(t, 5, 6, s) || !fraction(t, 8, f)) return -1;
        } else if (t[0] == QLatin1Char(':')) {
            if (!field(t, 2, 3, s) || !fraction(t, 5, f)) return -1;
        } else if (t.size() < 2 || t[1] != QLatin1Char(':')) {
            if (!field(t, 1, 2, m) || !field(t, 4, 5, s) || !fraction(t, 7, f)) return -1;
        } else {
            if (!field(t, 1, 1, m) || !field(t, 3, 4, s) || !fraction(t, 6, f)) return -1;
        }
        if (!checked(h, m, s, f)) return -1;
        const qint64 v = m * 60'000 + s * 1000 + f;
        return qint32(negative ? -v : v);
    }
    case 5:
        if (!field(t, 1, 2, h) || !field(t, 4, 5, m) || !field(t, 7, 8, s)) return -1;
        if (t.size() > 9) {
            if (!fraction(t, 10, f)) return -1;
        }
        if (!checked(h, m, s, f)) return -1;
        return qint32(h * 3'600'000 + m * 60'000 + s * 1000 + f);
    default:
        return -1;
    }
}

}  // namespace

void DataIDzienTygodnia(int& rok, int& miesiac, int& dzien, int& dzienTygodnia) {
    const QDate d = platform::clock().date();
    rok = d.year();
    miesiac = d.month();
    dzien = d.day();
    dzienTygodnia = d.dayOfWeek() % 7 + 1;  // Qt: 7 = Sunday; here 1 = Sunday
}

void CzasCzesci(int& godzina, int& minuta, int& sekunda) {
    const qint64 s = platform::clock().msOfDay() / 1000;
    godzina = int(s / 3600);
    minuta = int(s / 60 % 60);
    sekunda = int(s % 60);
}

QString DataTekst() { return DataTekst(platform::clock().date()); }
QString DataTekst(const QDate& dzien) { return dzien.toString(QStringLiteral("yyyy-MM-dd")); }

void PiszCzas(QString& tekst, int format, qint64 wartosc) { tekst = PiszCzas(format, wartosc); }

QString PiszCzas(int format, qint64 wartosc) {
    const qint64 a = wartosc < 0 ? -wartosc : wartosc;
    switch (format) {
    case 1:
        return hoursBlank(a / 3600) + QLatin1Char(':') + two(a / 60 % 60) + QLatin1Char(':') + two(a % 60);
    case 2:
        return hoursBlank(a / 3600) + QLatin1Char(':') + two(a / 60 % 60);
    case 3:
        return two(a / 60 % 60) + QLatin1Char(':') + two(a % 60);
    case 4: {
        if (wartosc == -1) return QString();
        const QString sign = wartosc < 0 ? QStringLiteral("-") : QString();
        if (a / 3'600'000 != 0) return sign + PiszCzas(6, a);
        return sign + two(a / 60'000 % 60) + QLatin1Char(':') + two(a / 1000 % 60) + QLatin1Char('.') + zeroPad(a % 1000, 3);
    }
    case 5:
        return hoursBlank(a / 3600) + QLatin1Char(':') + two(a / 60 % 60) + QLatin1Char('.') + two(a % 60);
    case 6:
        return two(a / 3'600'000) + QLatin1Char(':') + two(a / 60'000 % 60) + QLatin1Char(':') + two(a / 1000 % 60) +
               QLatin1Char('.') + zeroPad(a % 1000, 3);
    default:
        return QString();
    }
}

void PiszCzasDoby(qint64 wartosc, QString& tekst, int format) { tekst = PiszCzasDoby(wartosc, format); }

QString PiszCzasDoby(qint64 wartosc, int format) {
    const qint64 day = (format == 4 || format == 6) ? kDayMs : kDayS;
    return PiszCzas(format, wartosc % day);
}

QString CzasZegara24(qint64 msDoby) { return PiszCzasDoby(msDoby, 6).left(8); }

void CzytajCzas(const QString& tekst, qint32& wartosc, int format) { wartosc = parse(tekst, format); }
qint32 CzytajCzas(const QString& tekst, int format) { return parse(tekst, format); }

void MsNaCzesci(qint64 ms, QString& minuty, QString& sekundy, QString& ulamek) {
    const qint64 s = ms / 1000;
    const qint64 m = s / 60;
    if (m < 100) {
        minuty = padLeft(QString::number(m), 2);
        sekundy = zeroPad(s % 60, 2);
        ulamek = zeroPad(ms % 1000, 3);
    } else {
        minuty = padLeft(QString::number(m), 3);
        sekundy = padLeft(QString::number(s % 60), 2);
        ulamek = padLeft(QString::number(ms % 1000), 2).left(2);
    }
}

QString MsTekst(qint64 ms) {
    const QString sign = ms < 0 ? QStringLiteral("-") : QString();
    const qint64 a = ms < 0 ? -ms : ms;
    return sign + zeroPad(a / 60'000, 2) + QLatin1Char(':') + two(a / 1000 % 60) + QLatin1Char('.') + zeroPad(a % 1000, 3);
}

void LiczbaZKropkami(QString& tekst, int szerokosc) {
    qint64 v = 0;
    if (!parseInteger(tekst, v)) return;
    QString digits = tekst.trimmed();
    QString sign;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        if (digits[0] == QLatin1Char('-')) sign = QStringLiteral("-");
        digits.remove(0, 1);
    }
    const qsizetype n = digits.size();
    qsizetype first = n % 3;
    if (first == 0) first = 3;
    QString out = digits.left(first);
    for (qsizetype i = first; i < n; i += 3) out += QLatin1Char('.') + digits.mid(i, 3);
    tekst = padLeft(sign + out, szerokosc);
}

void DuzeLiteryPL(QString& tekst) { tekst = upperPL(tekst); }
QString DuzeLiteryPL(const QString& tekst) { return upperPL(tekst); }

void DuzeLitery(QString& tekst) {
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        const char16_t c = tekst[i].unicode();
        if (c >= u'a' && c <= u'z') tekst[i] = QChar(char16_t(c - 32));
    }
}

void Transliteruj(int zWiersza, int doWiersza, const QString& tekst, QString& wynik) {
    static constexpr unsigned char kTable[4][18] = {
        {0x41, 0x43, 0x45, 0x4C, 0x4E, 0x4F, 0x53, 0x5A, 0x5A, 0x61, 0x63, 0x65, 0x6C, 0x6E, 0x6F, 0x73, 0x7A, 0x7A},
        {0x8F, 0x95, 0x90, 0x9C, 0xA5, 0xA3, 0x98, 0xA1, 0xA0, 0x86, 0x8D, 0x91, 0x92, 0xA4, 0xA2, 0x9E, 0xA7, 0xA6},
        {0xA4, 0x8F, 0xA8, 0x9D, 0xE3, 0xE0, 0x97, 0xBD, 0x8D, 0xA5, 0x86, 0xA9, 0x88, 0xE4, 0xA2, 0x98, 0xBE, 0xAB},
        {0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0xAF, 0x8F, 0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0xBF, 0x9F},
    };
    if (zWiersza < 0 || zWiersza > 3 || doWiersza < 0 || doWiersza > 3) {
        wynik = tekst;
        return;
    }
    // The rows are bytes of other code pages: work on the bytes the text
    // would have on disk.
    QByteArray b = platform::toCp1250(tekst);
    for (char& ch : b) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) continue;
        for (int i = 0; i < 18; ++i) {
            if (kTable[zWiersza][i] == c) {
                ch = static_cast<char>(kTable[doWiersza][i]);
                break;
            }
        }
    }
    wynik = platform::fromCp1250(b);
}

double Log10(double x) {
    static const float kLn10 = float(std::log(10.0));
    if (x <= 0) return 0;
    return std::log(x) / kLn10;
}

// ---------------------------------------------------------------- key codes

quint16 VkNaKodBios(int vk, int shift) {
    static constexpr std::array<quint8, 26> kLetterScan = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                                           0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                                           0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    static constexpr std::array<quint16, 10> kPad = {0x5230, 0x4F31, 0x5032, 0x5133, 0x4B34,
                                                     0x4C35, 0x4D36, 0x4737, 0x4838, 0x4939};
    const bool letter = vk >= 65 && vk <= 90;
    const bool fkey = vk >= 112 && vk <= 123;
    if (shift == 0) {
        switch (vk) {
        case 8: return 0x0E08;
        case 13: return 0x1C0D;
        case 27: return 0x011B;
        case 32: return 0x3920;
        case 33: return 0x4900;
        case 34: return 0x5100;
        case 35: return 0x4F00;
        case 36: return 0x4700;
        case 37: return 0x4B00;
        case 38: return 0x4800;
        case 39: return 0x4D00;
        case 40: return 0x5000;
        case 45: return 0x5200;
        case 46: return 0x5300;
        case 107: return 0x4E2B;
        case 109: return 0x4A2D;
        case 110: return 0x532E;
        case 122: return 0x4500;
        case 123: return 0x8600;
        case 192: return 0x3921;
        default: break;
        }
        if (vk == 48) return 0x0B30;
        if (vk >= 49 && vk <= 57) return quint16(((vk - 49 + 2) << 8) | vk);
        if (letter) return quint16((kLetterScan[vk - 65] << 8) | (vk - 65 + 'a'));
        if (vk >= 96 && vk <= 105) return kPad[vk - 96];
        if (vk >= 112 && vk <= 121) return quint16(0x3B00 + ((vk - 112) << 8));
        return 0xFFFF;
    }
    if (shift == 4) {
        switch (vk) {
        case 13: return 0x1C0A;
        case 32: return 0x3922;
        case 33: return 0x8400;
        case 35: return 0x7500;
        case 36: return 0x7700;
        case 37: return 0x7300;
        case 39: return 0x7400;
        case 45: return 0x0400;
        case 46: return 0x0600;
        case 122: return 0x6701;
        case 123: return 0x6702;
        default: break;
        }
        if (letter) return quint16((kLetterScan[vk - 65] << 8) | (vk - 65 + 1));
        if (fkey && vk <= 121) return quint16(0x5E00 + ((vk - 112) << 8));
        return 0xFFFF;
    }
    if (shift == 2) {
        switch (vk) {
        case 13: return 0x1C00;
        case 32: return 0x0200;
        case 67: return 0x2E00;
        case 87: return 0x1100;
        case 88: return 0x2D00;
        case 112: return 0x6800;
        case 113: return 0x6900;
        case 114: return 0x6A00;
        default: return 0xFFFF;
        }
    }
    return 0xFFFF;
}

int QtKeyNaVk(int k, Qt::KeyboardModifiers mods) {
    const bool keypad = mods.testFlag(Qt::KeypadModifier);
    if (keypad) {
        if (k >= Qt::Key_0 && k <= Qt::Key_9) return 96 + (k - Qt::Key_0);
        if (k == Qt::Key_Plus) return 107;
        if (k == Qt::Key_Minus) return 109;
        if (k == Qt::Key_Period || k == Qt::Key_Comma) return 110;
        if (k == Qt::Key_Asterisk) return 106;
        if (k == Qt::Key_Slash) return 111;
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return 48 + (k - Qt::Key_0);
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 65 + (k - Qt::Key_A);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Clear: return 12;  // keypad 5 with NumLock off
    case Qt::Key_QuoteLeft: return 192;
    default: return 0;
    }
}

quint16 KodBIOS(int qtKey, Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) shift |= 1;
    if (modifiers.testFlag(Qt::AltModifier)) shift |= 2;
    if (modifiers.testFlag(Qt::ControlModifier)) shift |= 4;
    if (modifiers.testFlag(Qt::MetaModifier)) shift |= 8;
    const int vk = QtKeyNaVk(qtKey, modifiers);
    if (vk == 0) return 0xFFFF;
    return VkNaKodBios(vk, shift);
}

quint16 KodBIOS(const QKeyEvent& event) { return KodBIOS(event.key(), event.modifiers()); }
