#pragma once
// Text rules of the program that QString does not have as such: 1-based
// character places, bounded number parsing, cutting to field widths.
#include <QString>
#include <QtGlobal>

// Characters first..last (1-based, inclusive); shorter past the end, never throws.
QString charsFromTo(const QString& text, int first, int last);
// `count` characters from 1-based place `first` (Pascal's Copy).
QString charsAt(const QString& text, int first, int count);
// 1-based place of `needle` in `text`, 0 when absent; an empty needle is never found.
int findText(const QString& needle, const QString& text);
// The text cut to at most `width` characters (fixed-width record fields).
QString cutTo(const QString& text, int width);
// Removes trailing blanks.
QString trimRight(const QString& text);
// A whole number: leading blanks and one sign accepted, trailing junk (blanks
// included) rejected, empty rejected. Values outside the signed 64-bit range are rejected.
bool parseInteger(const QString& text, qint64& value);
// Polish upper case for comparisons (ASCII letters and ą ć ę ł ń ó ś ź ż).
QString upperPL(const QString& text);
// Text padded on the left (right) with blanks to `width`; never cut.
QString padLeft(const QString& text, int width, QChar fill = QLatin1Char(' '));
QString padRight(const QString& text, int width, QChar fill = QLatin1Char(' '));
// The text with every CR and LF made a blank: a field written on its own
// line must never end early and let the rest be read as keys or records.
QString oneLine(const QString& text);
// A number with at least `digits` digits, "0"-padded (sign in front).
QString zeroPad(qint64 value, int digits);
