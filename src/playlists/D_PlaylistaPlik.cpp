#include "playlists/D_PlaylistaPlik.h"

#include <cerrno>

#include "audio/Sygnaly2.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

quint8 FlagaOdczytuPlaylisty = 1;
QString LST1Adres = QStringLiteral(" ");
QString LST1Data = QStringLiteral(" ");
void (*PrzypiszOpisyPoOdczycie)(StanListy& stan) = nullptr;

namespace {

const char* const naglowek[] = {
    "; Lista emisyjna dla programu Tolvane",
    ";",
    "WERSJA=2",
    ";",
    "; Kody w liście (występują tylko ustawione):",
    "; Emi - godzina emisji elementu w formacie hh:mm:ss.ms",
    "; Sel - planowana godzina emisji elementu w formacie hh:mm:ss",
    "; Typ - typ elementu:",
    ";     - SND - nagranie",
    ";     - JNG - jingiel",
    ";     - DJ_ - nagrany DJ",
    ";     - REK - reklama",
    ";     - INF - informacja",
    ";     - BRK - break",
    ";     - ALM - alarm",
    ";     - SPO - sponsor",
    ";     - PRO - promos",
    ";     - AUD - audycja",
    ";     - WHI - whisper",
    "; Trw - czas trwania pozycji    - format: mm:ss.ms",
    "; Int - pozycja intra           - format: mm:ss.ms",
    "; Out - pozycja outra           - format: mm:ss.ms",
    "; NwP - pozycja nowego początku - format: mm:ss.ms",
    "; NwK - pozycja nowego końca    - format: mm:ss.ms",
    "; FIn - pozycja fade in         - format: mm:ss.ms",
    "; FOu - pozycja fade out        - format: mm:ss.ms",
    "; FIT - typ krzywej fade in:  0 - linia",
    "; FOT - typ krzywej fade out: 0 - linia",
    "; Mix - pozycja miksu z następną pozycją - format: mm:ss.ms",
    "; Zak - sposób zakończenia",
    "; Ide - identyfikator pozycji",
    "; Tyt - tytuł pozycji",
    "; Pta - tytuł płyty",
    "; Wyk - wykonawca",
    "; Kom - kompozytor",
    "; Atr - autor",
    "; Pro - producent",
    "; Wyd - wydawca",
    "; Rok - rok wydania",
    "; BPM - bits per minute",
    "; Wzm - wzmocnienie nagrania w 0,01dB",
    "; Kac - poziom kaczki w 0,01dB",
    "; KFI - pozycja wejścia kaczki  - format: mm:ss.ms",
    "; KFO - pozycja wyjścia kaczki  - format: mm:ss.ms",
    "; Adr - adres pozycji",
    ";",
    "; Liczba pozycji w liście",
};

const QString separator = QStringLiteral("; ----------------------------------");

QString czas(qint32 ms) { return PiszCzas(4, ms); }

void piszBlok(QStringList& l, const TElemPListy& e) {
    auto tekst = [&](const char* klucz, const QString& v) {
        if (!v.isEmpty()) l << QLatin1String(klucz) + oneLine(v);
    };
    auto znacznik = [&](const char* klucz, qint32 v) {
        if (v != 0) l << QLatin1String(klucz) + czas(v);
    };
    l << separator;
    l << (e.Emi < 0 ? QStringLiteral("Emi=--------") : QStringLiteral("Emi=") + PiszCzas(6, e.Emi % DobaMs));
    tekst("Sel=", e.Sel);
    if (e.Typ & TypGrajO) l << QStringLiteral("Mod=Graj o");
    const QString kod = KodRodzaju(RodzajElemPListy(e.Typ));
    if (!kod.isEmpty()) l << QStringLiteral("Typ=") + kod;
    l << QStringLiteral("Trw=") + czas(e.Trw);
    znacznik("Int=", e.Int);
    znacznik("Out=", e.Out);
    if (e.Mix != -1) l << QStringLiteral("Mix=") + czas(e.Mix);
    znacznik("NwP=", e.NwP);
    znacznik("FIn=", e.FIn);
    znacznik("NwK=", e.NwK);
    znacznik("FOu=", e.FOu);
    if (FlagaOdczytuPlaylisty == 1) {
        if (e.FIT != 0) l << QStringLiteral("FIT=") + QString::number(e.FIT);
        if (e.FOT != 0) l << QStringLiteral("FOT=") + QString::number(e.FOT);
    }
    tekst("Ide=", e.Ide);
    tekst("MID=", e.MID);
    tekst("Tyt=", e.Tyt);
    tekst("Pta=", e.Pta);
    tekst("Wyk=", e.Wyk);
    tekst("Sol=", e.Sol);
    tekst("Kom=", e.Kom);
    tekst("Atr=", e.Atr);
    tekst("Pro=", e.Pro);
    tekst("Wyd=", e.Wyd);
    tekst("Rok=", e.Rok);
    tekst("BPM=", e.BPM);
    tekst("Zak=", e.Zak);
    tekst("PS1=", e.PS1);
    tekst("PS2=", e.PS2);
    tekst("PS3=", e.PS3);
    tekst("PS4=", e.PS4);
    tekst("ZAA=", e.ZAA);
    tekst("Adr=", e.Adr);
    if (e.Wzm != 0) l << QStringLiteral("Wzm=") + QString::number(e.Wzm);
    if (e.Kac != 0) l << QStringLiteral("Kac=") + QString::number(e.Kac);
    znacznik("KFI=", e.KFI);
    znacznik("KFO=", e.KFO);
    if (e.Aut) l << QStringLiteral("Aut=1");
    l << QStringLiteral("KONIEC OPISU");
}

}  // namespace

WynikZapisuMIX ZapiszPlaylisteMIX(const QString& plik, int od, int doElementu) {
    if (Emisja.PlaylistaFormat != 1)
        return WynikZapisuMIX::InnyFormat;
    od = std::max(od, 1);
    doElementu = std::min(doElementu, MaksPlaylisty);

    QStringList l;
    l.reserve(50 + std::max(0, doElementu - od + 1) * 24);
    for (const char* n : naglowek) l << QString::fromUtf8(n);
    l << QStringLiteral("POZYCJI=") + QString::number(StanPlaylisty.Ilosc);
    l << QStringLiteral(";");
    l << QStringLiteral("; Pozycje:");
    for (int i = od; i <= doElementu; ++i) {
        piszBlok(l, Playlista[i]);
        UstawStan(i);
    }

    errno = 0;
    QString blad;
    if (!platform::writeTextFileAtomic(platform::resolvePath(plik), l, &blad)) {
        BladIO = errno ? KodBleduZErrno(errno) : 101;
        if (BladIO == 0) BladIO = 101;
        Log(QStringLiteral("Zapis playlisty nieudany: ") + plik + QStringLiteral(" (") + blad + QLatin1Char(')'));
        return WynikZapisuMIX::Blad;
    }
    BladIO = 0;
    return WynikZapisuMIX::Zapisano;
}

// ------------------------------------------------------------------ reader

namespace {

// A number of a key; 0 when it is not one or does not fit.
qint32 liczba(const QString& v, qint64 min, qint64 max) {
    qint64 n = 0;
    if (!parseInteger(v, n) || n < min || n > max) return 0;
    return qint32(n);
}

qint64 modDoby(qint64 v) {
    v %= DobaMs;
    return v < 0 ? v + DobaMs : v;
}

// One key of an element block. False when the key is not an element's.
bool czytajKlucz(TElemPListy& e, const QString& k, const QString& v) {
    if (k == QLatin1String("EMI")) e.Emi = v == QLatin1String("--------") ? -1 : CzytajCzas(v, 5);
    else if (k == QLatin1String("SEL")) e.Sel = v;
    // MOD and TYP describe different bits, so their order in a block does not matter.
    else if (k == QLatin1String("MOD")) e.Typ |= TypGrajO;
    else if (k == QLatin1String("TYP")) {
        const quint8 r = RodzajZKodu(v);
        if (r != 0) e.Typ = quint8((e.Typ & ~0x1F) | r);
    } else if (k == QLatin1String("TRW")) {
        // A duration is never negative; a bad one is taken from the file.
        e.Trw = std::max<qint32>(CzytajCzas(v, 4), 0);
    } else if (k == QLatin1String("INT")) {
        e.Int = v.size() < 3 ? liczba(v, -2'000'000, 2'000'000) * 1000 : CzytajCzas(v, 4);
    } else if (k == QLatin1String("OUT")) {
        if (v.size() < 3) {
            qint64 n = 0;
            e.Out = parseInteger(v, n) ? qint32(e.Trw - n * 1000) : 0;
        } else {
            e.Out = CzytajCzas(v, 4);
        }
        // An outro mark in the first half counts from the end.
        if (e.Trw / 2 > e.Out) e.Out = e.Trw - e.Out;
    } else if (k == QLatin1String("MIX")) e.Mix = CzytajCzas(v, 4);
    else if (k == QLatin1String("NWP")) e.NwP = CzytajCzas(v, 4);
    else if (k == QLatin1String("NWK")) e.NwK = CzytajCzas(v, 4);
    else if (k == QLatin1String("FIN")) e.FIn = CzytajCzas(v, 4);
    else if (k == QLatin1String("FOU")) e.FOu = CzytajCzas(v, 4);
    else if (k == QLatin1String("KFI")) e.KFI = CzytajCzas(v, 4);
    else if (k == QLatin1String("KFO")) e.KFO = CzytajCzas(v, 4);
    else if (k == QLatin1String("FIT")) { if (FlagaOdczytuPlaylisty == 1) e.FIT = quint8(liczba(v, 0, 255)); }
    else if (k == QLatin1String("FOT")) { if (FlagaOdczytuPlaylisty == 1) e.FOT = quint8(liczba(v, 0, 255)); }
    else if (k == QLatin1String("WZM")) e.Wzm = liczba(v, INT32_MIN, INT32_MAX);
    else if (k == QLatin1String("KAC")) e.Kac = liczba(v, INT32_MIN, INT32_MAX);
    else if (k == QLatin1String("AUT")) e.Aut = quint8(liczba(v, 0, 255));
    else if (k == QLatin1String("ZAK")) e.Zak = v;
    else if (k == QLatin1String("IDE")) e.Ide = v;
    else if (k == QLatin1String("MID")) e.MID = v;
    else if (k == QLatin1String("TYT")) e.Tyt = v;
    else if (k == QLatin1String("PTA")) e.Pta = v;
    else if (k == QLatin1String("WYK")) e.Wyk = v;
    else if (k == QLatin1String("SOL")) e.Sol = v;
    else if (k == QLatin1String("KOM")) e.Kom = v;
    else if (k == QLatin1String("ATR")) e.Atr = v;
    else if (k == QLatin1String("PRO")) e.Pro = v;
    else if (k == QLatin1String("WYD")) e.Wyd = v;
    else if (k == QLatin1String("ROK")) e.Rok = v;
    else if (k == QLatin1String("BPM")) e.BPM = v;
    else if (k == QLatin1String("PS1")) e.PS1 = v;
    else if (k == QLatin1String("PS2")) e.PS2 = v;
    else if (k == QLatin1String("PS3")) e.PS3 = v;
    else if (k == QLatin1String("PS4")) e.PS4 = v;
    else if (k == QLatin1String("ZAA")) e.ZAA = v;
    else if (k == QLatin1String("ADR")) e.Adr = v;
    else return false;
    return true;
}

bool dalejSaElementy(const PlikTekstowy& f) {
    const QStringList& l = f.Linie();
    for (qsizetype i = f.Pozycja(); i < l.size(); ++i)
        if (!KluczLinii(l[i]).isEmpty()) return true;
    return false;
}

}  // namespace

void WczytajPlaylisteMIX(const QString& plik, int start) {
    PlikTekstowy f;
    if (!f.Otworz(plik))
        return;
    start = std::clamp(start, 0, MaksPlaylisty);

    PokazStan(QStringLiteral("Odczyt playlisty"), QString(), true);

    LST1Adres = QStringLiteral(" ");
    LST1Data = QStringLiteral(" ");
    SzukajKluczaDalej(f, QStringLiteral("WERSJA"));
    QString v = SzukajKluczaDalej(f, QStringLiteral("ADRES1LST"));
    if (!v.isEmpty()) LST1Adres = v;
    v = SzukajKluczaDalej(f, QStringLiteral("DATA1LST"));
    if (!v.isEmpty()) LST1Data = v;

    f.UstawPozycje(0);
    SzukajKluczaDalej(f, QStringLiteral("WERSJA"));
    qint64 pozycji = 0;
    if (!parseInteger(SzukajKluczaDalej(f, QStringLiteral("POZYCJI")), pozycji) || pozycji <= 0)
        pozycji = 2000;
    StanMaksimum = float(pozycji);

    f.UstawPozycje(0);
    int n = start;
    TElemPListy e;
    while (!f.Koniec() && n < MaksPlaylisty) {
        InitElemPListy(e);
        bool tresc = false;  // the block has an element key
        bool emi = false;
        while (!f.Koniec()) {
            const qsizetype pozycjaLinii = f.Pozycja();
            const QString linia = trimRight(f.CzytajLinie());
            if (linia == QLatin1String("KONIEC OPISU") || linia == QLatin1String("KONIEC"))
                break;
            const QString k = KluczLinii(linia);
            // A block that runs into the next one lost its end line: it is
            // dropped whole rather than mixed into its neighbour.
            if (tresc && ((k.isEmpty() && linia.startsWith(QLatin1String("; -----"))) ||
                          (emi && k == QLatin1String("EMI")))) {
                Log(QStringLiteral("Playlista ") + plik + QStringLiteral(": pozycja bez \"KONIEC OPISU\" pominięta"));
                InitElemPListy(e);
                tresc = false;
                emi = false;
                f.UstawPozycje(pozycjaLinii + (k.isEmpty() ? 1 : 0));
                continue;
            }
            if (k.isEmpty()) continue;
            if (czytajKlucz(e, k, WartoscLinii(linia))) {
                tresc = true;
                if (k == QLatin1String("EMI")) emi = true;
            }
        }
        if (RodzajElemPListy(e.Typ) == 0) {
            if (tresc)
                Log(QStringLiteral("Playlista ") + plik + QStringLiteral(": pozycja bez typu pominięta"));
            continue;
        }
        if (e.Trw == 0) {
            const int blad = BladIO;
            e.Trw = CzasTrwaniaPliku(e.Adr);
            BladIO = blad;
        }
        Playlista[++n] = e;
        UstawStan(n - start);
    }

    if (n >= MaksPlaylisty && dalejSaElementy(f))
        PokazInfo(QStringLiteral("Brak pamięci na wczytanie całej listy !"),
                  QStringLiteral("(Maksymalnie ") + QString::number(MaksPlaylisty) + QStringLiteral("  pozycji)"));

    BladIO = 0;
    StanPlaylisty.Ilosc = n;
    StanPlaylisty.Kursor = 1;
    StanPlaylisty.Pierwszy = 1;
    if (start == 0) StanPlaylisty.DoGrania = 0;

    // Appended elements follow element `start` in time. Without an air time
    // of that element there is nothing to follow, so they keep their own.
    if (start > 0 && n > start && Playlista[start].Emi != -1) {
        const TElemPListy& s = Playlista[start];
        const qint64 koniec = modDoby(qint64(s.Emi) + s.Trw - std::max<qint32>(s.Mix, 0));
        const qint64 d = koniec - Playlista[start + 1].Emi;
        for (int i = start + 1; i <= n; ++i)
            Playlista[i].Emi = qint32(modDoby(qint64(Playlista[i].Emi) + DobaMs + d));
    }

    ZamknijStan();
    if (PrzypiszOpisyPoOdczycie) PrzypiszOpisyPoOdczycie(StanPlaylisty);
}
