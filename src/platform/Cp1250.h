#pragma once
// Windows-1250 text: what every file and datagram of the program holds.
// Lossless for all 256 byte values: a byte with no character in the code
// page maps to the control character of the same value and back.
#include <QByteArray>
#include <QString>

namespace platform {

QByteArray toCp1250(const QString& text);
QString fromCp1250(const QByteArray& bytes);
QString fromCp1250(const char* bytes, qsizetype size);
// The Windows-1250 byte of one character ('?' when it has none).
unsigned char cp1250Byte(QChar c);
QChar cp1250Char(unsigned char b);

}  // namespace platform
