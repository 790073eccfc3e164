#pragma once
// Shared checks for settings sections described by key tables: a fixture
// with a program folder on drive C, settings files written the way the
// station's files are (Windows-1250, CR LF), and walks over a table that
// check every number key at and beyond its limits.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>
#include <limits>

#include "common/TempFolder.h"
#include "foundation/KestSter2.h"
#include "foundation/TabelaNastaw.h"
#include "platform/Cp1250.h"

// Failures show texts, not their UTF-16 units.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

struct SettingsSection {
    const OpisSekcji& table;
    void (*defaults)();
    void (*read)(const QString&);
    void (*write)(const QString&);
};

class SettingsSectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedStart_ = KatalogStartowy;
        QDir().mkpath(folder_.drive(QLatin1Char('C')) + QStringLiteral("/TOLVANE"));
        KatalogStartowy = QStringLiteral("C:\\TOLVANE");
    }
    void TearDown() override { KatalogStartowy = savedStart_; }

    // A settings file holding these lines; its path.
    QString settingsFile(const QStringList& lines)
    {
        const QString path = folder_.file(QStringLiteral("T%1.INI").arg(++files_));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        for (const QString& l : lines)
            f.write(platform::toCp1250(l) + "\r\n");
        return path;
    }

    // What the writers put into a fresh empty file.
    QByteArray written(const std::vector<std::function<void(const QString&)>>& writers)
    {
        const QString path = folder_.file(QStringLiteral("W%1.INI").arg(++files_));
        QFile(path).open(QIODevice::WriteOnly);
        for (const auto& w : writers)
            w(path);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    QStringList writtenLines(const std::vector<std::function<void(const QString&)>>& writers)
    {
        QStringList lines = platform::fromCp1250(written(writers)).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    // Every number key of the table with its own plain rule, set to a value
    // at or beyond its limits, must read as the value or the fallback.
    void checkNumberLimits(const SettingsSection& s)
    {
        enum Edge { AtMinimum, AtMaximum, BelowMinimum, AboveMaximum, NotANumber };
        for (Edge e : {AtMinimum, AtMaximum, BelowMinimum, AboveMaximum, NotANumber}) {
            QStringList lines{QLatin1Char('[') + s.table.nazwa + QLatin1Char(']')};
            std::vector<std::pair<const OpisKlucza*, qint64>> expected;
            for (const OpisKlucza& k : s.table.klucze) {
                if (k.czytaj || (k.typ() != TypKlucza::Bajt && k.typ() != TypKlucza::Liczba))
                    continue;
                qint64 value = 0;
                QString text;
                qint64 want = k.zastepcza;
                switch (e) {
                case AtMinimum: value = want = k.minimum; break;
                case AtMaximum: value = want = k.maksimum; break;
                case BelowMinimum: value = qint64(k.minimum) - 1; break;
                case AboveMaximum:
                    if (k.maksimum == std::numeric_limits<qint32>::max())
                        continue;
                    value = qint64(k.maksimum) + 1;
                    break;
                case NotANumber: text = QStringLiteral("1x"); break;
                }
                lines << k.klucz + QLatin1Char('=') + (text.isEmpty() ? QString::number(value) : text);
                expected.emplace_back(&k, want);
            }
            s.defaults();
            s.read(settingsFile(lines));
            for (const auto& [k, want] : expected)
                EXPECT_EQ(numberOf(*k), want) << k->klucz.toStdString() << " edge " << e;
        }
    }

    // Booleans: only 1 is true; a missing key keeps what the flag holds.
    void checkBooleans(const SettingsSection& s)
    {
        for (const char* value : {"1", "2", "01", "0", "tak"}) {
            const bool want = QByteArray(value) == "1" || QByteArray(value) == "01";
            QStringList lines{QLatin1Char('[') + s.table.nazwa + QLatin1Char(']')};
            for (const OpisKlucza& k : s.table.klucze)
                if (k.typ() == TypKlucza::Bool && !k.czytaj)
                    lines << k.klucz + QLatin1Char('=') + QLatin1String(value);
            s.defaults();
            s.read(settingsFile(lines));
            for (const OpisKlucza& k : s.table.klucze) {
                if (k.typ() == TypKlucza::Bool && !k.czytaj) {
                    EXPECT_EQ(numberOf(k), want) << k.klucz.toStdString() << "=" << value;
                }
            }
        }
    }

    // Folders: an existing one is kept in upper case; "PROGRAM" and a missing
    // folder give the program folder.
    void checkFolders(const SettingsSection& s)
    {
        QDir().mkpath(folder_.drive(QLatin1Char('C')) + QStringLiteral("/muzyka"));
        auto readAll = [&](const QString& value) {
            QStringList lines{QLatin1Char('[') + s.table.nazwa + QLatin1Char(']')};
            for (const OpisKlucza& k : s.table.klucze)
                if (k.typ() == TypKlucza::Katalog)
                    lines << k.klucz + QLatin1Char('=') + value;
            s.read(settingsFile(lines));
        };
        auto expectAll = [&](const QString& want, const char* what) {
            for (const OpisKlucza& k : s.table.klucze) {
                if (k.typ() == TypKlucza::Katalog) {
                    EXPECT_EQ(*k.jako<QString>(), want) << k.klucz.toStdString() << " " << what;
                }
            }
        };
        s.defaults();
        readAll(QStringLiteral("c:\\muzyka"));
        expectAll(QStringLiteral("C:\\MUZYKA"), "existing");
        readAll(QStringLiteral("program"));
        expectAll(KatalogStartowy, "PROGRAM");
        readAll(QStringLiteral("c:\\muzyka"));
        readAll(QStringLiteral("C:\\NIEMA"));
        expectAll(KatalogStartowy, "missing folder");
    }

    // Every value the writer would write, key by key.
    static QStringList values(const SettingsSection& s)
    {
        QStringList v;
        for (const OpisKlucza& k : s.table.klucze)
            v << k.klucz + QLatin1Char('=') + WartoscKlucza(k);
        return v;
    }

    static qint64 numberOf(const OpisKlucza& k)
    {
        if (const bool* b = k.jako<bool>())
            return *b ? 1 : 0;
        if (const quint8* b = k.jako<quint8>())
            return *b;
        if (const qint32* n = k.jako<qint32>())
            return *n;
        ADD_FAILURE() << "not a number key";
        return 0;
    }

    TempProgramFolder folder_;

private:
    QString savedStart_;
    int files_ = 0;
};
