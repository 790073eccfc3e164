#pragma once
// Mix model tests: playlists written as .MIX files line by line and read by
// the playlist reader, recordings as small WAV files on drive D, default
// settings, scripted dialogs and a time line 800 pixels wide at zoom 8.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <vector>

#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestPods2.h"
#include "mixeditor/EdycjaPL.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Cp1250.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

// The transition the tests edit: song A, then song B.
constexpr qint32 EmiA = 36'000'000;  // 10:00:00
constexpr qint32 TrwA = 200'000;
constexpr qint32 EmiB = 36'195'000;
constexpr qint32 TrwB = 180'000;

// One element of a .MIX file: its kind key, air time (-1: none), duration
// and any further key lines. Elements get an identifier, a title, an author
// and an existing recording unless their own lines say otherwise.
struct Elem {
    QString typ;
    qint32 emi;
    qint32 trw;
    QStringList inne = {};
};

class MiksTest : public ::testing::Test {
protected:
    void SetUp() override {
        DomyslneNastawyEmisji();
        WgrywanieDomyslne();
        Wgrywanie.WgrajModyfikacjaPytaj = false;
        WyczyscPlayliste();
        StanTimelisty = StanListy{};
        StanTimelisty.Pojemnosc = MaksTimelisty;
        CzyscTimeliste();
        FlagaOdczytuPlaylisty = 1;
        PrzypiszOpisyPoOdczycie = nullptr;
        UstawNumeryGraczyUndo({});
        PolaczeniaEdycji = {};
        SzerokoscWidoku = 800;
        ZoomMiksu = 8;
        PrzesuniecieWidoku = 0;
        folder.drive(QLatin1Char('d'));
    }
    void TearDown() override { PolaczeniaEdycji = {}; }

    // A recording on drive D; its stored path.
    QString wav(const QString& nazwa) const {
        fixtures::writeFile(folder.path() + QStringLiteral("/drives/d/") + nazwa,
                            fixtures::wavFile(8000, 1, 16, QByteArray(160, '\0')));
        return QStringLiteral("D:\\") + nazwa;
    }
    // Writes the elements as a .MIX file, reads it into the playlist and puts the cursor.
    void czytaj(const std::vector<Elem>& elementy, qint32 kursor = 1) const {
        QStringList l{QStringLiteral("WERSJA=2")};
        int i = 0;
        for (const Elem& e : elementy) {
            ++i;
            l << QStringLiteral("; ----------------------------------")
              << QStringLiteral("Emi=") + (e.emi < 0 ? QStringLiteral("--------") : PiszCzas(6, e.emi))
              << QStringLiteral("Typ=") + e.typ << QStringLiteral("Trw=") + PiszCzas(4, e.trw)
              << QStringLiteral("Ide=E%1").arg(i) << QStringLiteral("Tyt=Tytuł %1").arg(i)
              << QStringLiteral("Wyk=Wykonawca %1").arg(i);
            if (!e.inne.join(QString()).contains(QStringLiteral("Adr=")))
                l << QStringLiteral("Adr=") + wav(QStringLiteral("N%1.WAV").arg(i));
            l << e.inne << QStringLiteral("KONIEC OPISU");
        }
        folder.write(QStringLiteral("LISTA.MIX"), platform::toCp1250(l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        WczytajPlaylisteMIX(folder.file(QStringLiteral("LISTA.MIX")), 0);
        StanPlaylisty.Kursor = kursor;
    }
    // The second lines of the information dialogs shown, in order.
    QStringList informacje() const {
        QStringList t;
        for (const ZapisDialogu& z : dialogi.Zapisy(RodzajDialogu::Info)) t << z.teksty.value(0) + QLatin1Char('/') + z.teksty.value(1);
        return t;
    }

    TempProgramFolder folder;
    DialogiSkrypt dialogi;
};

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
