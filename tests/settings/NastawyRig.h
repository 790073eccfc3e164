#pragma once
// What the settings tests share: a program folder on drive C with the
// settings file in it, the scripted dialogs, and walks over the six section
// tables that set every variable and take a picture of all of them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>

#include <limits>
#include <ostream>

#include "common/TempFolder.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestSter2.h"
#include "foundation/TabelaNastaw.h"
#include "library/DBazaNastawy.h"
#include "library/DKatalogNastawy.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Paths.h"
#include "playlists/NastawyEmisji.h"
#include "settings/Konfiguracja.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// The six tables in the order the file holds them.
inline std::vector<const OpisSekcji*> SekcjeNastaw() {
    return {&SekcjaNastaw(),    &SekcjaKatalogow(),  &SekcjaEmisji(),
            &SekcjaWgrywania(), &SekcjaBazyNagran(), &SekcjaSatelity()};
}

// What a variable holds, as text (not as the writer would put it: a level in
// hundredths of a dB stays in hundredths).
inline QString Surowa(const OpisKlucza& k) {
    if (const bool* v = k.jako<bool>()) return *v ? QStringLiteral("1") : QStringLiteral("0");
    if (const quint8* v = k.jako<quint8>()) return QString::number(*v);
    if (const qint32* v = k.jako<qint32>()) return QString::number(*v);
    if (const QString* v = k.jako<QString>()) return *v;
    return WartoscKlucza(k);
}

// Every variable of the six sections, by "section/key".
inline QMap<QString, QString> Migawka() {
    QMap<QString, QString> m;
    for (const OpisSekcji* s : SekcjeNastaw())
        for (const OpisKlucza& k : s->klucze) m.insert(s->nazwa + QLatin1Char('/') + k.klucz, Surowa(k));
    return m;
}

// Sets every variable by `wartosc(key, index)`, which answers with a text
// for a text, "0"/"1" for a flag and a number for a number.
template <class F>
void UstawWszystkie(F wartosc) {
    int i = 0;
    for (const OpisSekcji* s : SekcjeNastaw()) {
        for (const OpisKlucza& k : s->klucze) {
            if (k.tylkoCzytany) continue;
            const QString w = wartosc(k, i++);
            if (bool* v = k.jako<bool>()) *v = w == QLatin1String("1");
            if (quint8* v = k.jako<quint8>()) *v = quint8(w.toInt());
            if (qint32* v = k.jako<qint32>()) *v = w.toInt();
            if (QString* v = k.jako<QString>()) *v = w;
        }
    }
}

// A value other than the default that the key's reader gives back as it is
// (the folder C:\MUZYKA and the database C:\MUZYKA\NOWA.BAZ must exist).
inline QString Niedomyslna(const OpisKlucza& k) {
    static const QMap<QString, QString> wlasne{
        {QStringLiteral("PoziomStop"), QStringLiteral("4500")},
        {QStringLiteral("BazaZbior"), QStringLiteral("C:\\MUZYKA\\NOWA.BAZ")},
        {QStringLiteral("BazaTypy"), QStringLiteral(".MP3:.WAV")},
        {QStringLiteral("BazaLitera"), QStringLiteral("5")},
        {QStringLiteral("DyskOstatni"), QStringLiteral("Y")},
        {QStringLiteral("KatSiecStart"), QStringLiteral("K")},
        {QStringLiteral("WgrajKompresujStrumien"), QStringLiteral("128")},
        {QStringLiteral("WgrajDJPoziomdB"), QStringLiteral("45")},
        {QStringLiteral("Id"), QStringLiteral("Łódź")},
        {QStringLiteral("HasloINITekst"), QStringLiteral(" tajne ")},  // read back as typed
    };
    if (wlasne.contains(k.klucz)) return wlasne[k.klucz];
    switch (k.typ()) {
    case TypKlucza::Bool: return k.domyslnaLiczba ? QStringLiteral("0") : QStringLiteral("1");
    case TypKlucza::Bajt:
    case TypKlucza::Liczba: return QString::number(k.domyslnaLiczba != k.maksimum ? k.maksimum : k.minimum);
    case TypKlucza::Katalog: return QStringLiteral("C:\\MUZYKA");
    default: return QStringLiteral("T") + k.klucz.toUpper();
    }
}

class NastawyRig : public ::testing::Test {
protected:
    void SetUp() override {
        poprzedniStart_ = KatalogStartowy;
        QDir().mkpath(folder_.drive(QLatin1Char('C')) + QStringLiteral("/TOLVANE"));
        QDir().mkpath(folder_.drive(QLatin1Char('C')) + QStringLiteral("/MUZYKA"));
        folder_.write(QStringLiteral("drives/c/MUZYKA/NOWA.BAZ"), "");
        KatalogStartowy = QStringLiteral("C:\\TOLVANE");
        KonfiguracjaZbior = QStringLiteral("C:\\TOLVANE\\TOLVANE.INI");
        DomyslneKonfiguracji();
    }
    void TearDown() override {
        DomyslneKonfiguracji();
        KatalogStartowy = poprzedniStart_;
    }
    QString Sciezka() const { return platform::resolvePath(KonfiguracjaZbior); }
    QByteArray Zbior() const {
        QFile f(Sciezka());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempProgramFolder folder_;
    DialogiSkrypt dialogi_;

private:
    QString poprzedniStart_;
};
