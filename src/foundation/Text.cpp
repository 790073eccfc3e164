#include "foundation/Text.h"

#include <limits>

QString charsFromTo(const QString& text, int first, int last) {
    if (first < 1) first = 1;
    if (last > text.size()) last = int(text.size());
    if (last < first) return QString();
    return text.mid(first - 1, last - first + 1);
}

QString charsAt(const QString& text, int first, int count) {
    if (count <= 0) return QString();
    return charsFromTo(text, first, int(std::min<qint64>(qint64(first) + count - 1, std::numeric_limits<int>::max())));
}

int findText(const QString& needle, const QString& text) {
    if (needle.isEmpty()) return 0;
    return int(text.indexOf(needle)) + 1;
}

QString cutTo(const QString& text, int width) {
    if (width < 0) width = 0;
    return text.size() > width ? text.left(width) : text;
}

QString trimRight(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == QLatin1Char(' ')) --n;
    return text.left(n);
}

bool parseInteger(const QString& text, qint64& value) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' ')) ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= n) return false;
    quint64 v = 0;
    constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max()) + 1;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') return false;
        const unsigned d = c - u'0';
        // Checked before the step: a wrapped v * 10 would look small again.
        if (v > (limit - d) / 10) return false;
        v = v * 10 + d;
    }
    if (!negative && v == limit) return false;
    value = negative ? qint64(0 - v) : qint64(v);
    return true;
}

QString upperPL(const QString& text) {
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t c = out[i].unicode();
        char16_t u = c;
        if (c >= u'a' && c <= u'z') u = c - 32;
        else switch (c) {
            case u'ą': u = u'Ą'; break;
            case u'ć': u = u'Ć'; break;
            case u'ę': u = u'Ę'; break;
            case u'ł': u = u'Ł'; break;
            case u'ń': u = u'Ń'; break;
            case u'ó': u = u'Ó'; break;
            case u'ś': u = u'Ś'; break;
            case u'ź': u = u'Ź'; break;
            case u'ż': u = u'Ż'; break;
            default: break;
        }
        if (u != c) out[i] = QChar(u);
    }
    return out;
}

QString padLeft(const QString& text, int width, QChar fill) {
    return text.size() >= width ? text : QString(width - text.size(), fill) + text;
}

QString padRight(const QString& text, int width, QChar fill) {
    return text.size() >= width ? text : text + QString(width - text.size(), fill);
}

QString zeroPad(qint64 value, int digits) {
    const bool negative = value < 0;
    const quint64 mag = negative ? quint64(0) - quint64(value) : quint64(value);
    QString s = padLeft(QString::number(mag), digits, QLatin1Char('0'));
    return negative ? QLatin1Char('-') + s : s;
}

QString oneLine(const QString& text) {
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString w = text;
    w.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return w;
}
