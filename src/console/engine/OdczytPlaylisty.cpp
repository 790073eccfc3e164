#include "console/engine/OdczytPlaylisty.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>

#include "console/engine/SilnikEmisji.h"
#include "console/engine/TestyPlaylisty.h"
#include "console/engine/TrybyEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "library/DBaza.h"
#include "library/DKatalogNastawy.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_PlaylistaPorzadki.h"
#include "playlists/NagraniaPrzebiegu.h"
#include "playlists/NastawyEmisji.h"

#include <utility>

namespace {

// Schedulers write Polish letters in code page 852; the program keeps
// Windows-1250 (rows of Transliteruj).
constexpr int WierszCP852 = 2;
constexpr int WierszCP1250 = 3;

QString przekoduj(const QString& tekst) {
    QString w;
    Transliteruj(WierszCP852, WierszCP1250, tekst, w);
    return w;
}

// A text of its own for another thread.
QString wlasny(const QString& t) { return QString(t.constData(), t.size()); }

QString zSeparatorem(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('\\');
}

QString mapuj(const QString& sciezka, const QString& siecStart, bool naLokalJest, const QString& naLokal) {
    if (!platform::hasDriveLetter(sciezka) || siecStart.isEmpty())
        return sciezka;
    const QChar litera = DuzeLiteryPL(QString(sciezka.left(1))).at(0);
    const QChar start = DuzeLiteryPL(QString(siecStart.left(1))).at(0);
    if (litera < start || litera > QLatin1Char('Z'))
        return sciezka;
    if (naLokalJest)
        return naLokal + QLatin1Char('\\') + litera + sciezka.mid(2);
    return QChar(char16_t(litera.unicode() - start.unicode() + u'C')) + sciezka.mid(1);
}

// The state of one scheduler's list being read: its settings, its format
// and the folder search. It reads only what it was given.
struct Import {
    const NastawyImportu& n;
    quint8 format = 1;  // 1: "TYP" keys; 2: short keys
    // Shows where the search is; true once the operator stopped it.
    std::function<bool(const QString&)> szukam{};
    // The operator stopped a search: the rest of this read looks no further
    // in the folders (a day's list would otherwise ask again for every element).
    bool przerwane = false;

    struct Szukanie {
        bool znaleziony = false;
        QString nazwa;      // the file name looked for
        QString sciezka;    // the full path found
        QSet<QString> odwiedzone;  // real folders already walked: a link loop ends here
    };

    bool pokazFolder(const QString& folder) {
        if (szukam && szukam(folder))
            przerwane = true;
        return przerwane;
    }

    // The name directly in the folder (the folder text already ends with its
    // separator); the found path keeps the name as the file system has it.
    static void szukajWFolderze(Szukanie& sz, const QString& folder, const QString& nazwa) {
        const QFileInfo fi(platform::resolvePath(folder + nazwa));
        if (fi.isFile()) {
            sz.znaleziony = true;
            sz.sciezka = folder + fi.fileName();
        }
    }

    // Depth first through the sub-folders. After a find it descends no further,
    // but folders still listed above are each tested, and a later find there
    // replaces the path.
    void szukajRekursywnie(Szukanie& sz, const QString& folder) {
        const QFileInfo fi(platform::resolvePath(folder));
        const QString prawdziwy = fi.canonicalFilePath();
        if (prawdziwy.isEmpty() || sz.odwiedzone.contains(prawdziwy))
            return;
        sz.odwiedzone.insert(prawdziwy);
        const QStringList podfoldery =
            QDir(prawdziwy).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
        for (const QString& p : podfoldery) {
            const QString sciezka = zSeparatorem(folder) + p;
            if (pokazFolder(sciezka))
                return;
            szukajWFolderze(sz, sciezka + QLatin1Char('\\'), sz.nazwa);
            if (!sz.znaleziony)
                szukajRekursywnie(sz, sciezka);
        }
    }

    // One folder and its sub-folders; an abort leaves nothing found.
    bool szukajWDrzewie(const QString& folder, const QString& nazwa, QString& wynik) {
        Szukanie sz;
        sz.nazwa = nazwa;
        if (przerwane || pokazFolder(folder))
            return false;
        szukajWFolderze(sz, zSeparatorem(folder), nazwa);
        szukajRekursywnie(sz, folder);
        if (przerwane || !sz.znaleziony)
            return false;
        wynik = sz.sciezka;
        return true;
    }

    QString mapujSiec(const QString& sciezka) const {
        return mapuj(sciezka, n.KatSiecStart, n.KatalogSiecNaLokalJest, n.KatalogSiecNaLokal);
    }

    // A path from an ADRES value (format 1) or an ID value (format 2); "" when
    // a format 2 name without extension exists under none of the tried ones.
    QString sciezkaNagrania(const QString& tekst) const {
        if (format == 1) {
            QString katalog, nazwa, rozszerzenie;
            RozbijSciezke(tekst.trimmed(), katalog, nazwa, rozszerzenie);
            katalog = DuzeLiteryPL(QString(katalog));
            if (katalog.size() > 2 && !katalog.endsWith(QLatin1Char('\\')))
                katalog += QLatin1Char('\\');
            QString nz = DuzeLiteryPL(QString(nazwa));
            while (nz.endsWith(QLatin1Char(' ')))
                nz.chop(1);
            return katalog + nz + DuzeLiteryPL(QString(rozszerzenie));
        }
        QString t = tekst.trimmed();
        t.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (NazwaSciezki(t).contains(QLatin1Char('.')))
            return t;
        for (const char* r : {".MP2", ".01", ".WAV"})
            if (platform::fileExists(t + QLatin1String(r)))
                return t + QLatin1String(r);
        return {};
    }

    // Fills the element's Adr from its identifier when the settings ask for a
    // search; may set its kind by the folder it was found in.
    void znajdzPlikNagrania(TElemPListy& e) {
        if (!n.CzySzukacNagran)
            return;
        const QString ide = e.Ide.trimmed();
        if (ide.isEmpty())
            return;
        // The database answers by the identifier alone, so it is asked once.
        if (n.CzySzukacWBazie && n.Baza) {
            const QString z = n.Baza->value(DuzeLiteryPL(ide));
            if (!z.isEmpty()) {
                e.Adr = mapujSiec(z);
                return;
            }
        }
        const std::pair<const QString*, quint8> foldery[] = {
            {&n.KatMuzyka1, RodzajSND}, {&n.KatMuzyka2, RodzajSND}, {&n.KatJingle, RodzajJNG},
            {&n.KatDJ, RodzajDJ_},      {&n.KatAudycje, RodzajSND}, {&n.KatInne, RodzajSND},
        };
        for (const char* rozszerzenie : {".MP3", ".MP2", ".WAV"}) {
            const QString nazwa = ide + QLatin1String(rozszerzenie);
            for (const auto& [folder, rodzaj] : foldery) {
                if (folder->trimmed().isEmpty())
                    continue;
                QString znaleziony;
                if (n.CzySzukacWPodkatalogach) {
                    if (szukajWDrzewie(*folder, nazwa, znaleziony))
                        znaleziony = mapujSiec(znaleziony);
                } else if (!n.CzySzukacWBazie) {
                    const QString s = folder->startsWith(QLatin1Char('/'))
                                          ? platform::storedPath(*folder + QLatin1Char('/') + nazwa)
                                          : *folder + QLatin1Char('\\') + nazwa;
                    if (platform::fileExists(s))
                        znaleziony = s;
                }
                if (!znaleziony.isEmpty()) {
                    e.Adr = znaleziony;
                    if (n.CzySzukacNadacKod)
                        e.Typ = rodzaj;
                    return;
                }
            }
        }
    }
};

// ---- key reading ----

// Keys are looked for forward from the current line, but never past the
// first key of the next element: an element that lacks a key is skipped and
// the rest of the file is still read.
class Klucze {
public:
    Klucze(PlikTekstowy& plik, QString pierwszy) : f_(plik), pierwszy_(std::move(pierwszy)) {}

    // The value of the next line with one of the keys (" " when empty), ""
    // when the element has no more of them. `ktory` gets the key found.
    QString czytaj(std::initializer_list<const char*> klucze, QString* ktory = nullptr) {
        if (brak_)
            return {};
        while (!f_.Koniec()) {
            const qsizetype p = f_.Pozycja();
            const QString linia = f_.CzytajLinie();
            const QString k = KluczLinii(linia);
            if (k.isEmpty())
                continue;
            for (const char* szukany : klucze)
                if (k == QLatin1String(szukany)) {
                    if (ktory)
                        *ktory = k;
                    const QString v = WartoscLinii(linia);
                    return v.isEmpty() ? QStringLiteral(" ") : v;
                }
            if (k == pierwszy_ && !poczatek_) {
                f_.UstawPozycje(p);
                break;
            }
        }
        brak_ = true;
        brakujacy_ = QString::fromLatin1(*klucze.begin());
        return {};
    }
    QString czytaj(const char* klucz) { return czytaj({klucz}); }
    // The next line with a key, whatever it is.
    QString nastepny(QString& klucz) {
        if (brak_)
            return {};
        while (!f_.Koniec()) {
            const qsizetype p = f_.Pozycja();
            const QString linia = f_.CzytajLinie();
            klucz = KluczLinii(linia);
            if (klucz.isEmpty())
                continue;
            if (klucz == pierwszy_) {
                f_.UstawPozycje(p);
                break;
            }
            const QString v = WartoscLinii(linia);
            return v.isEmpty() ? QStringLiteral(" ") : v;
        }
        brak_ = true;
        brakujacy_ = QStringLiteral("?");
        return {};
    }
    // A new element begins: its own first key may be read.
    void nowyElement() {
        brak_ = false;
        brakujacy_.clear();
    }
    // While the element's first key is looked for, it is no boundary.
    void szukamPoczatku(bool tak) { poczatek_ = tak; }
    bool brak() const { return brak_; }
    const QString& brakujacy() const { return brakujacy_; }

private:
    PlikTekstowy& f_;
    QString pierwszy_;
    bool brak_ = false;
    bool poczatek_ = false;
    QString brakujacy_;
};

qint32 czasDoby(const QString& tekst) {
    if (tekst.trimmed() == QLatin1String("--:--:--"))
        return -1;
    const qint32 s = CzytajCzas(tekst.trimmed(), 1);
    return s < 0 || s >= 86'400 ? -1 : s * 1000;
}

qint32 czasTrwania(const QString& tekst) {
    const qint32 ms = CzytajCzas(tekst.trimmed(), 4);
    return ms < 0 ? 0 : ms;
}

qint32 sekundy(const QString& tekst) {
    qint64 s = 0;
    if (!parseInteger(tekst.trimmed(), s) || s < 0 || s > 86'400)
        return 0;
    return qint32(s * 1000);
}

// ---- format 1 ("TYP" keys) ----

struct Format1 {
    Klucze& k;
    Import& imp;
    QString nazwaListy;  // "@" + the file's name, or "" without the suffix

    void adres(TElemPListy& e) {
        const QString v = k.czytaj("ADRES");
        if (e.Adr.size() < 5 && !v.isEmpty())
            e.Adr = imp.sciezkaNagrania(v);
    }
    void identyfikator(TElemPListy& e) {
        const QString v = k.czytaj("ID");
        e.Ide = v;
        e.MID = v;
    }
    void jakJingiel(TElemPListy& e, quint8 rodzaj) {
        e.Typ = rodzaj;
        e.Trw = czasTrwania(k.czytaj("TTRWA"));
        identyfikator(e);
        e.Tyt = k.czytaj({"INFO", "TYTUL"});
        imp.znajdzPlikNagrania(e);
        adres(e);
    }
    void blok(TElemPListy& e, quint8 rodzaj, const QString& poczatek, const QString& typ, const QString& temisja) {
        e.Typ = rodzaj;
        e.Trw = czasTrwania(k.czytaj("TTRWA"));
        k.czytaj("INFO");
        e.Tyt = poczatek + temisja.left(3) + charsFromTo(typ, 5, 6) + nazwaListy;
    }

    void czytaj(TElemPListy& e, const QString& typ) {
        const QString temisja = k.czytaj("TEMISJA");
        if (k.brak())
            return;
        e.Emi = czasDoby(temisja);
        e.Sel = temisja.left(8);
        QString kod = typ.left(3);
        if (typ.size() < 3 && !temisja.isEmpty())
            kod = QStringLiteral("SND");
        const bool dlugi = typ.trimmed().size() > 3;
        const NastawyImportu& n = imp.n;

        if (kod == QLatin1String("SND")) {
            e.Typ = RodzajSND;
            e.Trw = czasTrwania(k.czytaj("TTRWA"));
            if (n.CzyOpisyZListy) {
                e.Int = sekundy(charsFromTo(k.czytaj("TINTRO"), 4, 5));
                const QString mix = k.czytaj("TMIX");
                e.Mix = mix.trimmed().size() >= 2 ? sekundy(mix) : n.CzasCross;
                e.Zak = k.czytaj("KONIEC").left(1);
            }
            identyfikator(e);
            e.Tyt = k.czytaj("TYTUL");
            e.Wyk = k.czytaj("ARTYSTA");
            imp.znajdzPlikNagrania(e);
            adres(e);
            if (e.Adr.size() < 3 && n.CzySzukacNagran)
                folderLitery(e);
            if (e.Tyt.str().startsWith(QLatin1Char('$'))) {
                e.Typ = RodzajREK;
                e.Tyt = QStringLiteral("Reklama o ") + charsFromTo(e.Tyt, 12, 16);
            } else if (e.Tyt.str().startsWith(QLatin1Char('#'))) {
                e.Typ = RodzajBRK;
            }
        } else if (kod == QLatin1String("REK") && !dlugi) {
            e.Typ = RodzajREK;
            e.Trw = czasTrwania(k.czytaj("TTRWA"));
            QString klucz;
            const QString v = k.nastepny(klucz);
            if (klucz == QLatin1String("ID")) {
                e.Ide = v;
                e.MID = v;
                e.Tyt = k.czytaj({"INFO", "TYTUL"});
                e.Adr = k.czytaj("ADRES");
            } else if (klucz == QLatin1String("INFO")) {
                e.Tyt = QStringLiteral("Reklama o ") + temisja.left(3) + QStringLiteral("00");
            }
        } else if (kod == QLatin1String("REK")) {
            blok(e, RodzajREK, QStringLiteral("Reklama o "), typ, temisja);
        } else if (kod == QLatin1String("INF") || kod == QLatin1String("ALR")) {
            e.Typ = kod == QLatin1String("INF") ? RodzajINF : RodzajALR;
            e.Tyt = k.czytaj("INFO");
        } else if (kod == QLatin1String("BRK")) {
            e.Typ = RodzajBRK;
            e.Trw = czasTrwania(k.czytaj("TTRWA"));
            e.Tyt = k.czytaj("INFO");
            const QString duze = DuzeLiteryPL(e.Tyt);
            if (duze.startsWith(QLatin1String("REKLAMA"))) {
                e.Typ = RodzajREK;
                e.Tyt = QStringLiteral("Miejsce na REKLAME");
            } else if (duze.startsWith(QLatin1String("PROMOS"))) {
                e.Typ = RodzajPRO;
                e.Tyt = QStringLiteral("Promos o ") + temisja.left(3) + charsFromTo(duze, 8, 9);
            }
        } else if (kod == QLatin1String("DJ_")) {
            e.Typ = RodzajDJ_;
            e.Trw = czasTrwania(k.czytaj("TTRWA"));
            identyfikator(e);
            e.Tyt = przekoduj(k.czytaj("TYTUL"));
            imp.znajdzPlikNagrania(e);
            adres(e);
            if (n.KaczkaPoziomdB != 0) {
                e.Kac = -100 * n.KaczkaPoziomdB;
                e.KFI = n.KaczkaWejscieMS;
                e.KFO = std::max(e.Trw - n.KaczkaWyjscieMS, 0);
            }
        } else if (kod == QLatin1String("JNG") || kod == QLatin1String("EFE")) {
            jakJingiel(e, kod == QLatin1String("JNG") ? RodzajJNG : RodzajEFE);
        } else if (kod == QLatin1String("LOP") || kod == QLatin1String("WHI") || kod == QLatin1String("SWE") ||
                   kod == QLatin1String("PRM")) {
            jakJingiel(e, kod == QLatin1String("LOP")   ? RodzajLOP
                          : kod == QLatin1String("WHI") ? RodzajWHI
                          : kod == QLatin1String("SWE") ? RodzajSWE
                                                        : RodzajPRO);
        } else if (kod == QLatin1String("PRO") && !dlugi) {
            e.Typ = RodzajPRO;
            e.Trw = czasTrwania(k.czytaj("TTRWA"));
            e.Tyt = k.czytaj("INFO");
            e.Ide = DuzeLiteryPL(e.Tyt);
            imp.znajdzPlikNagrania(e);
        } else if (kod == QLatin1String("PRO")) {
            blok(e, RodzajPRO, QStringLiteral("Promos o "), typ, temisja);
        } else if (kod == QLatin1String("DZW")) {
            e.Typ = RodzajSND;
            e.Trw = czasTrwania(k.czytaj("TTRWA"));
            const QString info = k.czytaj("INFO");
            e.Tyt = info.mid(8);
            e.Ide = DuzeLiteryPL(info.left(7));
            imp.znajdzPlikNagrania(e);
        } else if (kod == QLatin1String("SPO") || kod == QLatin1String("AUD")) {
            e.Typ = kod == QLatin1String("SPO") ? RodzajSPO : RodzajAUD;
            e.Trw = czasTrwania(k.czytaj("TTRWA"));
            identyfikator(e);
            e.Tyt = przekoduj(k.czytaj("TYTUL"));
            e.Wyk = przekoduj(k.czytaj("ARTYSTA"));
            imp.znajdzPlikNagrania(e);
            adres(e);
        }
    }

    // A song without a file: the identifier's first letter names its folder.
    void folderLitery(TElemPListy& e) const {
        const NastawyImportu& n = imp.n;
        const QString litera = DuzeLiteryPL(e.Ide.left(1));
        QString folder = n.KatKopiaProgram;
        quint8 rodzaj = e.Typ;
        if (litera == QLatin1String("A")) folder = n.KatMuzyka1, rodzaj = RodzajSND;
        else if (litera == QLatin1String("S")) folder = n.KatMuzyka2, rodzaj = RodzajSND;
        else if (litera == QLatin1String("J")) folder = n.KatJingle, rodzaj = RodzajJNG;
        else if (litera == QLatin1String("D")) folder = n.KatDJ, rodzaj = RodzajDJ_;
        else if (litera == QLatin1String("P")) folder = n.KatAudycje, rodzaj = RodzajSND;
        const QString nazwa = e.Ide + QStringLiteral(".MP3");
        // A Linux folder is stored as a drive path where it lies in one, else
        // with "/" only; a folder in the program's form keeps "\\".
        e.Adr = folder.startsWith(QLatin1Char('/')) ? platform::storedPath(folder + QLatin1Char('/') + nazwa)
                                                    : folder + QLatin1Char('\\') + nazwa;
        e.Typ = rodzaj;
    }
};

// ---- format 2 (short keys) ----

void czytajFormat2(Klucze& k, const Import& imp, TElemPListy& e, const QString& kod) {
    const QString ah = k.czytaj("AH");
    if (k.brak())
        return;
    e.Emi = czasDoby(ah);
    auto tiJakoIde = [&] {
        const QString ti = k.czytaj("TI");
        e.Ide = ti;
        e.Tyt = przekoduj(ti);
    };
    auto id = [&] { e.Adr = imp.sciezkaNagrania(k.czytaj("ID")); };
    if (kod == QLatin1String("SND")) {
        e.Typ = RodzajSND;
        e.Trw = czasTrwania(k.czytaj("RT"));
        e.Int = sekundy(k.czytaj("I3"));
        tiJakoIde();
        e.Wyk = przekoduj(k.czytaj("AR"));
        id();
    } else if (kod == QLatin1String("REK")) {
        e.Typ = RodzajREK;
        e.Trw = czasTrwania(k.czytaj("RT"));
        e.Tyt = k.czytaj("TI");
        QString bl = k.czytaj("BL");
        if (bl.size() < 6)
            bl = ah.left(3) + bl;
        e.Kom = bl;
        e.Emi = czasDoby(bl);
        const QString v = k.czytaj("ID");
        if (v.size() >= 5)
            e.Adr = imp.sciezkaNagrania(v);
        else
            e.Tyt = QStringLiteral("Miejsce na REKLAME");
    } else if (kod == QLatin1String("INF") || kod == QLatin1String("ALR")) {
        e.Typ = kod == QLatin1String("INF") ? RodzajINF : RodzajALR;
        e.Tyt = k.czytaj("RX");
    } else if (kod == QLatin1String("DJ_")) {
        e.Typ = RodzajDJ_;
        e.Trw = czasTrwania(k.czytaj("RT"));
        e.Tyt = przekoduj(k.czytaj("TI"));
        id();
    } else {
        const quint8 r = kod == QLatin1String("BRK")   ? RodzajBRK
                         : kod == QLatin1String("JNG") ? RodzajJNG
                         : kod == QLatin1String("PRO") ? RodzajPRO
                         : kod == QLatin1String("SPO") ? RodzajSPO
                         : kod == QLatin1String("AUD") ? RodzajAUD
                                                       : 0;
        if (r == 0)
            return;
        e.Typ = r;
        e.Trw = czasTrwania(k.czytaj("RT"));
        tiJakoIde();
        id();
    }
}

// Which form the file is in: 1 when a line has the key "TYP".
quint8 wykryjFormat(const PlikTekstowy& f) {
    for (const QString& l : f.Linie())
        if (KluczLinii(l) == QLatin1String("TYP"))
            return 1;
    return 2;
}

// The scheduler's list read into `lista` after element `start`; nothing
// shared is touched and nothing shown.
WynikOdczytuListy importuj(const QString& plik, qint32 start, TablicaPlaylisty& lista, Import& imp,
                           const std::function<void(int, int)>& postep, const std::atomic<bool>* przerwij) {
    WynikOdczytuListy w;
    PlikTekstowy f;
    if (!OtworzListe(plik, start, f, w))
        return w;
    imp.format = wykryjFormat(f);
    const QString pierwszy = imp.format == 1 ? QStringLiteral("TYP") : QStringLiteral("ME");
    Klucze k(f, pierwszy);

    if (imp.format == 1) {
        k.czytaj("WERSJA");
        k.nowyElement();
        qint64 pozycji = 0;
        if (parseInteger(k.czytaj("POZYCJI").trimmed(), pozycji) && pozycji > 0)
            w.Zapowiedziane = int(std::min<qint64>(pozycji, MaksPlaylisty));
        k.nowyElement();
        f.UstawPozycje(0);
    }
    if (postep) postep(0, w.Zapowiedziane);

    QString nazwaListy;
    if (imp.n.CzyNazwaLSTZPozycji) {
        QString nazwa = DuzeLiteryPL(QFileInfo(NazwaSciezki(plik)).completeBaseName());
        if (imp.n.CzyPorownanie8Znakow)
            nazwa = nazwa.left(8);
        nazwaListy = QLatin1Char('@') + nazwa;
    }
    Format1 f1{k, imp, nazwaListy};

    int& n = w.Ilosc;
    int pominiete = 0;
    while (!f.Koniec() && n < MaksPlaylisty) {
        if (przerwij && przerwij->load(std::memory_order_relaxed))
            break;
        TElemPListy e;
        k.nowyElement();
        k.szukamPoczatku(true);
        const QString typ = k.czytaj(imp.format == 1 ? "TYP" : "ME");
        k.szukamPoczatku(false);
        if (k.brak())
            break;  // no element further on
        if (imp.format == 1)
            f1.czytaj(e, typ);
        else
            czytajFormat2(k, imp, e, typ.trimmed());
        if (k.brak() || RodzajElemPListy(e.Typ) == 0) {
            ++pominiete;
            w.Logi << QStringLiteral("Playlista ") + plik + QStringLiteral(": pozycja \"") + typ.trimmed().left(20) +
                          QStringLiteral("\" pominięta") +
                          (k.brak() ? QStringLiteral(" (brak klucza ") + k.brakujacy() + QLatin1Char(')') : QString());
            continue;
        }
        lista[size_t(++n)] = std::move(e);
        if (postep) postep(n - start, w.Zapowiedziane);
    }
    // More elements than the playlist takes?
    if (n >= MaksPlaylisty) {
        k.nowyElement();
        k.szukamPoczatku(true);
        k.czytaj(imp.format == 1 ? "TYP" : "ME");
        if (!k.brak())
            w.Informacja = {QStringLiteral("Brak pamięci na wczytanie całej listy !"),
                            QStringLiteral("(Maksymalnie ") + QString::number(MaksPlaylisty) +
                                QStringLiteral(" pozycji)")};
    }
    if (pominiete > 0)
        w.Logi << QStringLiteral("Playlista ") + plik + QStringLiteral(": pominięto pozycji: ") + QString::number(pominiete);
    w.BladIO = 0;
    return w;
}

bool czyMIX(const QString& plik) {
    return DuzeLiteryPL(QFileInfo(QString(plik).replace(QLatin1Char('\\'), QLatin1Char('/'))).suffix()) ==
           QStringLiteral("MIX");
}

// The whole read on the worker: the file, then the presence and the
// descriptions of its recordings.
void czytajNaWatku(OdczytanaLista& r, const NastawyImportu* n, OdczytWTle& o) {
    const platform::FolderLooksOnce raz;
    const QFileInfo fi(platform::resolvePath(r.Plik));
    r.Jest = fi.isFile();
    r.Nazwa = fi.completeBaseName();
    if (!r.Jest) {
        r.Powod = !fi.exists() && !fi.isSymLink() ? TekstBleduIO(2)
                  : fi.isDir()                    ? QStringLiteral("zbiór jest katalogiem")
                                                  : QStringLiteral("nie jest zwykłym zbiorem");
        return;
    }
    r.Data = fi.lastModified().toString(QStringLiteral("yyyy.MM.dd_hh:mm:ss"));
    const auto postep = [&o](int i, int maksimum) {
        o.Maksimum.store(maksimum, std::memory_order_relaxed);
        o.Postep.store(i, std::memory_order_relaxed);
    };
    if (!n) {
        r.Wynik = CzytajMIX(r.Plik, r.Start, *r.Elementy, postep, &o.Przerwij, r.Nagrania.get());
    } else {
        Import imp{*n};
        imp.szukam = [&o](const QString& folder) {
            o.UstawSzukanie(QStringLiteral("Szukanie nagrań w: ") + folder.left(50));
            return o.PrzerwijSzukanie.load(std::memory_order_relaxed);
        };
        r.Wynik = importuj(r.Plik, r.Start, *r.Elementy, imp, postep, &o.Przerwij);
    }
    if (r.Wynik.Otwarty && r.Wynik.BladIO == 0 && !o.Przerwij.load()) {
        // Whether each file is there, a folder at a time: one look at a
        // folder answers for all its recordings, and every later pass of the
        // read asks the same look.
        NagraniaPrzebiegu& nagrania = *r.Nagrania;
        QStringList adresy;
        for (qint32 i = r.Start + 1; i <= r.Wynik.Ilosc; ++i) adresy << (*r.Elementy)[size_t(i)].Adr.str();
        nagrania.Sprawdz(adresy);
        // A file whose folder did not answer is left out: not known missing.
        for (const QString& a : adresy)
            if (!nagrania.BezOdpowiedzi(a)) r.Obecnosc.insert(a, nagrania.Jest(a));
        o.UstawSzukanie(QStringLiteral("Przypisywanie opisów nagraniom"));
        const int ile = r.Wynik.Ilosc - r.Start;
        PrzypiszOpisyNagraniom(*r.Elementy, r.Start + 1, r.Wynik.Ilosc, ListaZewnetrzna(r.Plik), nagrania,
                               [&](int i) { postep(i - r.Start, ile); });
    }
    if (!r.Przeczytana())
        r.Powod = PowodBrakuPozycji(r.Plik, r.Wynik.BladIO);
}

// The first element a fresh list will start with, opened and decoded ahead
// while the worker is at it: it starts on time and with no late start. An
// advert placeholder first plays its block and needs nothing.
void przygotujPierwszy(OdczytanaLista& r, bool belka, const std::atomic<bool>& przerwij) {
    if (r.Start != 0 || !r.Przeczytana() || przerwij.load())
        return;
    for (qint32 i = 1; i <= r.Wynik.Ilosc; ++i) {
        const TElemPListy& e = (*r.Elementy)[size_t(i)];
        if (belka && CzyElemReklama(e) && e.Tyt.str().startsWith(QStringLiteral("Reklama o")))
            return;
        if (!RodzajDzwiekowy(RodzajElemPListy(e.Typ)) || !r.Obecnosc.value(e.Adr.str(), true))
            continue;
        r.Pierwszy = PrzygotujStart(i, e.Adr, e.Ide, qMax(0, e.NwP));
        return;
    }
}

}  // namespace

QString MapujSciezkeSieciowa(const QString& sciezka) {
    return mapuj(sciezka, Katalogi.KatSiecStart, Katalogi.KatalogSiecNaLokalJest, Katalogi.KatalogSiecNaLokal);
}

NastawyImportu NastawyImportuTeraz() {
    const NastawyEmisjiMIX& e = Emisja;
    NastawyImportu n;
    n.CzySzukacNagran = e.CzySzukacNagran;
    n.CzySzukacWBazie = e.CzySzukacWBazie;
    n.CzySzukacWPodkatalogach = e.CzySzukacWPodkatalogach;
    n.CzySzukacNadacKod = e.CzySzukacNadacKod;
    n.CzyOpisyZListy = e.CzyOpisyZListy;
    n.CzyNazwaLSTZPozycji = e.CzyNazwaLSTZPozycji;
    n.CzyPorownanie8Znakow = e.CzyPorownanie8Znakow;
    n.CzasCross = e.CzasCross;
    n.KatMuzyka1 = wlasny(e.KatMuzyka1);
    n.KatMuzyka2 = wlasny(e.KatMuzyka2);
    n.KatJingle = wlasny(e.KatJingle);
    n.KatDJ = wlasny(e.KatDJ);
    n.KatAudycje = wlasny(e.KatAudycje);
    n.KatInne = wlasny(e.KatInne);
    n.KatKopiaProgram = wlasny(e.KatKopiaProgram);
    n.KatSiecStart = wlasny(Katalogi.KatSiecStart);
    n.KatalogSiecNaLokal = wlasny(Katalogi.KatalogSiecNaLokal);
    n.KatalogSiecNaLokalJest = Katalogi.KatalogSiecNaLokalJest;
    n.KaczkaPoziomdB = Wgrywanie.KaczkaPoziomdB;
    n.KaczkaWejscieMS = Wgrywanie.KaczkaWejscieMS;
    n.KaczkaWyjscieMS = Wgrywanie.KaczkaWyjscieMS;
    // The table stays this thread's: the worker asks a copy of its answers.
    if (n.CzySzukacNagran && n.CzySzukacWBazie) {
        if (!BazaWczytana)
            BazaWczytajOdNowa();
        n.Baza = std::make_shared<const QHash<QString, QString>>(BazaMigawkaAdresow());
    }
    return n;
}

// ---- the read worker ----

OdczytWTle::~OdczytWTle() { Przerwij.store(true); }

void OdczytWTle::Zlec(std::function<void()> praca, std::function<void()> dalej) {
    auto p = std::make_shared<Praca>();
    p->dalej = std::move(dalej);
    kolejka_.push_back(p);
    watek_.post([p = p.get(), praca = std::move(praca)] {
        // A read that fails on the way is a read that gave nothing.
        try {
            praca();
        } catch (...) {
        }
        p->gotowe.store(true, std::memory_order_release);
    });
}

bool OdczytWTle::Odbierz() {
    // A modal window's loop runs the same ticks: a read goes on air under
    // any window but an edit's, which holds element numbers across it.
    if (!Gotowe() || wDalej_) return false;
    if (ListaTrzymana()) {
        UstapListy();
        ustapiono_ = true;
        return false;
    }
    const bool ustapiono = std::exchange(ustapiono_, false);
    odbierz();
    return ustapiono;
}

void OdczytWTle::odbierz() {
    const std::shared_ptr<Praca> p = kolejka_.front();
    kolejka_.pop_front();
    UstawSzukanie(QString());
    wDalej_ = true;
    const auto koniec = qScopeGuard([this] { wDalej_ = false; });
    if (p->dalej) p->dalej();
}

void OdczytWTle::Oproznij() {
    while (Trwa()) {
        watek_.flush();
        odbierz();
    }
}

void OdczytWTle::UstawSzukanie(const QString& tekst) {
    const std::lock_guard blokada(mutex_);
    szukanie_ = tekst;
}

QString OdczytWTle::Szukanie() const {
    const std::lock_guard blokada(mutex_);
    return QString(szukanie_.constData(), szukanie_.size());
}

void CzytajWTle(SilnikEmisji& s, const QString& plik, qint32 start, std::function<void(OdczytanaLista&)> dalej) {
    auto r = std::make_shared<OdczytanaLista>();
    r->Plik = wlasny(plik);
    r->Start = std::clamp(start, 0, MaksPlaylisty);
    if (r->Start > 0) {
        // What an append follows in time; the worker needs nothing else of the on-air list.
        const TElemPListy& z = Playlista[size_t(r->Start)];
        TElemPListy& e = (*r->Elementy)[size_t(r->Start)];
        e.Emi = z.Emi;
        e.Trw = z.Trw;
        e.Mix = z.Mix;
    }
    std::shared_ptr<const NastawyImportu> n;
    if (!czyMIX(plik))
        n = std::make_shared<const NastawyImportu>(NastawyImportuTeraz());
    OdczytWTle& o = s.Odczyt;
    o.Postep.store(0);
    o.Maksimum.store(0);
    o.PrzerwijSzukanie.store(false);
    StanPrzerwij = false;
    o.Zlec(
        [r = r.get(), n, &o, belka = Emisja.CzyReklamaJakoBelka] {
            czytajNaWatku(*r, n.get(), o);
            przygotujPierwszy(*r, belka, o.Przerwij);
        },
        [r, dalej = std::move(dalej)] { dalej(*r); });
}

void OdczytNaWyswietlaczu(SilnikEmisji& s) {
    OdczytWTle& o = s.Odczyt;
    WyjsciaEmisji& w = s.Wyjscia();
    if (!o.Trwa()) {
        if (o.StatusPokazany) {
            o.StatusPokazany = false;
            KoniecStatusu(s);
        }
        return;
    }
    // A double click on the status field stops the folder search.
    if (StanPrzerwij) o.PrzerwijSzukanie.store(true);
    // The status field shows a read once its file has opened: a look for a
    // file that is not there yet (the next day's) leaves it alone.
    if (const int maksimum = o.Maksimum.load(std::memory_order_relaxed); maksimum > 0) {
        QString t = o.Szukanie();
        if (t.isEmpty()) t = QStringLiteral("Odczyt playlisty");
        if (!o.StatusPokazany || t != o.TekstStatusu) w.UstawStatus(t, KolorStatusu::Zielony);
        o.TekstStatusu = t;
        w.UstawMaksimumStatusu(maksimum);
        w.UstawPostepStatusu(o.Postep.load(std::memory_order_relaxed));
        o.StatusPokazany = true;
    }
    if (o.Gotowe() && !o.OdbiorZlecony) {
        o.OdbiorZlecony = true;
        s.ZlecPoTiku([&s] {
            s.Odczyt.OdbiorZlecony = false;
            if (!s.Odczyt.Odbierz()) return;
            // An edit's window closed for the read: the operator learns why,
            // and the field keeps it after the read.
            const QString t = QStringLiteral("Okno zamknięte - wczytano nową playlistę");
            Log(t);
            s.Wyjscia().UstawStatus(t, KolorStatusu::Czerwony);
            s.Odczyt.StatusPokazany = false;
        });
    }
}

std::function<bool(const QString&)> ObecnoscZOdczytu(const QHash<QString, bool>& obecnosc) {
    return [&obecnosc](const QString& adres) { return obecnosc.value(adres, ObecnyBezSprawdzenia(adres)); };
}

void ZglosOdczyt(const OdczytanaLista& r, bool bezInformacji) {
    for (const QString& l : r.Wynik.Logi) Log(l);
    if (r.Wynik.Otwarty && czyMIX(r.Plik)) {
        LST1Adres = r.Wynik.LST1Adres;
        LST1Data = r.Wynik.LST1Data;
    }
    if (!bezInformacji && !r.Wynik.Informacja.isEmpty())
        PokazInfo(r.Wynik.Informacja.value(0), r.Wynik.Informacja.value(1));
}

// ---- the new list beside the on-air one ----

ListaNaBoku::ListaNaBoku(SilnikEmisji& silnik, OdczytanaLista& odczyt, bool doklejana)
    : silnik_(silnik), doklejana_(doklejana), iloscStara_(StanPlaylisty.Ilosc) {
    inna_ = std::move(odczyt.Elementy);
    if (!inna_) inna_ = std::make_unique<TablicaPlaylisty>();
    if (!doklejana) pierwszy_ = odczyt.Pierwszy;
    qint32 ilosc = std::clamp(odczyt.Wynik.Ilosc, 0, MaksPlaylisty);
    if (doklejana) {
        // The on-air list may have changed while the worker read: what was
        // read follows it as it stands now.
        TablicaPlaylisty& t = *inna_;
        const qint32 od = std::clamp(odczyt.Start, 0, ilosc);
        const qint32 ile = std::clamp(ilosc - od, 0, MaksPlaylisty - iloscStara_);
        const auto z = t.begin() + od + 1;
        if (iloscStara_ > od)
            std::move_backward(z, z + ile, t.begin() + iloscStara_ + 1 + ile);
        else if (iloscStara_ < od)
            std::move(z, z + ile, t.begin() + iloscStara_ + 1);
        ilosc = iloscStara_ + ile;
        t.Przytnij(size_t(ilosc));
        std::copy(Playlista.begin() + 1, Playlista.begin() + 1 + iloscStara_, t.begin() + 1);
    }
    stanInny_ = StanPlaylisty;
    stanInny_.Ilosc = ilosc;
    stanInny_.Kursor = 1;
    stanInny_.Pierwszy = 1;
    if (!doklejana) stanInny_.DoGrania = 0;
    zbiorInny_ = PlaylistaZbior;
    nazwaInna_ = PlaylistaNazwa;
    zamien();
    straz();
}

ListaNaBoku::~ListaNaBoku() {
    if (!inna_) return;  // committed
    UstawStrazPetli({}, {});
    if (nowaWMiejscu_) zamien();
}

void ListaNaBoku::straz() {
    UstawStrazPetli([this] { if (nowaWMiejscu_) zamien(); }, [this] { if (!nowaWMiejscu_) zamien(); });
}

TablicaPlaylisty& ListaNaBoku::Odloz() {
    UstawStrazPetli({}, {});
    if (nowaWMiejscu_) zamien();
    return *inna_;
}

void ListaNaBoku::UstawIloscOdlozonej(qint32 ilosc) { stanInny_.Ilosc = std::clamp(ilosc, 0, MaksPlaylisty); }

void ListaNaBoku::Wznow() {
    if (!nowaWMiejscu_) zamien();
    straz();
}

void ListaNaBoku::zamien() {
    Playlista.Zamien(inna_);
    std::swap(StanPlaylisty, stanInny_);
    std::swap(PlaylistaZbior, zbiorInny_);
    std::swap(PlaylistaNazwa, nazwaInna_);
    nowaWMiejscu_ = !nowaWMiejscu_;
}

void ListaNaBoku::Zatwierdz() {
    if (!inna_) return;
    UstawStrazPetli({}, {});
    if (!nowaWMiejscu_) zamien();
    // The panel's layout is the window's, as it is on air now; an append
    // also keeps the on-air cursor and next element.
    StanListy stan = stanInny_;
    stan.Ilosc = StanPlaylisty.Ilosc;
    if (doklejana_) {
        // The on-air elements may have aired while the operator answered.
        const qint32 ile = std::min(iloscStara_, StanPlaylisty.Ilosc);
        for (qint32 i = 1; i <= ile; ++i) Playlista[size_t(i)] = std::move((*inna_)[size_t(i)]);
    } else {
        stan.Kursor = StanPlaylisty.Kursor;
        stan.DoGrania = StanPlaylisty.DoGrania;
        stan.Pierwszy = StanPlaylisty.Pierwszy;
    }
    StanPlaylisty = stan;
    inna_.reset();
    nowaWMiejscu_ = false;
    if (!doklejana_) {
        silnik_.PrzemapujElementyOdtwarzaczy();
        silnik_.PrzyjmijPrzygotowany(pierwszy_);
    }
}

void CzyscPlayliste(SilnikEmisji& silnik) {
    for (quint8 s = 1; s <= 3; ++s)
        silnik.Odtwarzacz[s].Element = 0;
    Playlista.Przytnij(0);
    StanPlaylisty.Ilosc = 0;
    StanPlaylisty.Kursor = 0;
    StanPlaylisty.DoGrania = 0;
    StanPlaylisty.Pierwszy = 1;
}

bool TenSamPlik(const QString& a, const QString& b) {
    return DuzeLiteryPL(a) == DuzeLiteryPL(b);
}

QString WFolderze(const QString& folder, const QString& nazwa) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder + nazwa;
    return folder + QLatin1Char('\\') + nazwa;
}
