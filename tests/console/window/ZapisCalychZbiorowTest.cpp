// The files rewritten whole (through the text writer, the database's
// writer, the settings save and the XML schedule), saved when the disk cannot take it (a size
// limit, small files included: a buffered writer meets it only at its
// flush): the old file stays, no temporary is left, the failure is the write
// error it is; a save that succeeds keeps the old file's permissions.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "console/engine/HarmonogramXML.h"
#include "console/support/OknoTestPomoc.h"
#include "foundation/KestDysk2.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/NastawyEmisji.h"
#include "settings/Konfiguracja.h"

using namespace Qt::StringLiterals;

namespace {

class ZapisCalychZbiorow : public StanowiskoOkna {
public:
    void TearDown() override {
        okno.reset();
        WyczyscPlayliste();
        BazaCzyscWszystko();
    }
};

QString tekst(int wersja) { return u"Wersja %1 "_s.arg(wersja) + QString(20 * wersja, u'ż'); }

TEST_F(ZapisCalychZbiorow, AFileThatCannotBeWrittenWholeKeepsTheOldOne) {
    QDir().mkpath(folder.path() + u"/drives/c/R"_s);
    okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s, u"OknoStanStart=0"_s});
    Emisja.PlaylistaFormat = 1;
    BazaNagran.BazaZbior = u"C:\\R\\BAZA.BAZ"_s;
    auto kod = [](bool ok) { return ok ? 0 : BladIO; };
    const std::vector<std::pair<QString, std::function<int(int)>>> tabela = {
        {u"A.MIX"_s, [&](int w) {
             Playlista[1].Typ = RodzajSND;
             Playlista[1].Tyt = tekst(w);
             StanPlaylisty.Ilosc = 1;
             return kod(ZapiszPlaylisteMIX(u"C:\\R\\A.MIX"_s, 1, 1) == WynikZapisuMIX::Zapisano);
         }},
        {u"BAZA.BAZ"_s, [&](int w) {
             BazaCzyscWszystko();
             for (int i = 1; i <= 8 * w; ++i) BazaRekordy.Dodaj()->Adr = u"C:\\R\\N%1.WAV"_s.arg(i);
             BazaAdresyZmienione();
             BazaKompletna = BazaZmieniona = true;
             BazaZapisz(false);
             return kod(!BazaZmieniona);
         }},
        {u"TOLVANE.INI"_s, [&](int w) {
             Nastawy.HasloINITekst = tekst(w);
             return kod(ZapiszKonfiguracje(u"C:\\R\\TOLVANE.INI"_s));
         }},
        {u"A.XML"_s, [&](int w) {
             if (w == 1) folder.write(u"drives/c/R/A.XML"_s, "<GSSchedule>\r\n</Day></GSSchedule>\r\n");
             ZdarzenieXML z{true, u"2026-12-06"_s, u"12:00:0%1"_s.arg(w), 1, u"T%1"_s.arg(w)};
             QString godzina = u"0"_s;
             return DopiszZdarzenieXML(folder.file(u"drives/c/R/A.XML"_s), z, godzina) == WynikZdarzeniaXML::Zapisano
                        ? 0 : 101;
         }},
    };
    const QDir r(folder.path() + u"/drives/c/R"_s);
    for (const auto& [nazwa, zapisz] : tabela) {
        SCOPED_TRACE(nazwa.toStdString());
        const QByteArray plik = QFile::encodeName(r.filePath(nazwa));
        ASSERT_EQ(zapisz(1), 0);
        ASSERT_EQ(::chmod(plik.constData(), 0640), 0);
        const QByteArray stary = folder.read(u"drives/c/R/"_s + nazwa);
        const QStringList pliki = r.entryList(QDir::Files | QDir::Hidden);

        rlimit dawny{};
        getrlimit(RLIMIT_FSIZE, &dawny);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit maly = dawny;
        maly.rlim_cur = rlim_t(stary.size() + 8);  // far below the 16 KB a buffered writer holds
        setrlimit(RLIMIT_FSIZE, &maly);
        const int wynik = zapisz(3);
        setrlimit(RLIMIT_FSIZE, &dawny);
        std::signal(SIGXFSZ, handler);

        EXPECT_EQ(wynik, 101) << "a write error, as it is";
        EXPECT_EQ(folder.read(u"drives/c/R/"_s + nazwa), stary);
        EXPECT_EQ(r.entryList(QDir::Files | QDir::Hidden), pliki) << "no temporary file is left";
        ASSERT_EQ(zapisz(3), 0);
        struct stat st {};
        ASSERT_EQ(::stat(plik.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u) << "the new file keeps the old one's permissions";
    }
}

}  // namespace
