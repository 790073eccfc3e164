#include "playlists/D_PlaylistaPlik.h"
#include "playlists/NagraniaPrzebiegu.h"

#include <QHash>
#include <QStringView>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>

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

// A full playlist is about 240 000 lines: the file is built as one text and
// encoded once, never as a string per line.
void koniecLinii(QString& o) { o += QLatin1String("\r\n"); }

void linia(QString& o, QLatin1StringView tekst) {
    o += tekst;
    koniecLinii(o);
}

// The digits of a non-negative number, "0"-padded to at least `cyfr`.
void cyfry(QString& o, qint64 v, int cyfr) {
    char16_t d[20];
    int n = 0;
    do {
        d[n++] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    for (int i = n; i < cyfr; ++i) o += QLatin1Char('0');
    while (n > 0) o += QChar(d[--n]);
}

// A time as the program writes it (PiszCzas format 4: minutes, seconds and
// milliseconds, with the hours in front from one hour on, or always with
// `godziny`, format 6); nothing for -1.
void czas(QString& o, qint64 ms, bool godziny = false) {
    if (ms == -1 && !godziny) return;
    if (ms < 0) o += QLatin1Char('-');
    const qint64 a = ms < 0 ? -ms : ms;
    if (godziny || a >= 3'600'000) {
        cyfry(o, a / 3'600'000, 2);
        o += QLatin1Char(':');
    }
    cyfry(o, a / 60'000 % 60, 2);
    o += QLatin1Char(':');
    cyfry(o, a / 1000 % 60, 2);
    o += QLatin1Char('.');
    cyfry(o, a % 1000, 3);
}

void piszBlok(QString& o, const TElemPListy& e) {
    // Written as the reader gives it back: without trailing blanks, and not
    // at all when nothing else is left (an imported list's blank performer).
    auto tekst = [&](const char* klucz, const QString& v) {
        QString t = oneLine(v);
        while (t.endsWith(QLatin1Char(' '))) t.chop(1);
        if (t.isEmpty()) return;
        o += QLatin1String(klucz);
        o += t;
        koniecLinii(o);
    };
    auto czasKlucza = [&](const char* klucz, qint32 v) {
        o += QLatin1String(klucz);
        czas(o, v);
        koniecLinii(o);
    };
    auto znacznik = [&](const char* klucz, qint32 v) {
        if (v != 0) czasKlucza(klucz, v);
    };
    // An intro or outro that did not read as a time (-1) has no text, and
    // their empty value reads back as 0: not written, so the next save
    // writes the same.
    auto znacznikSekund = [&](const char* klucz, qint32 v) {
        if (v != -1) znacznik(klucz, v);
    };
    auto liczba = [&](const char* klucz, qint32 v) {
        if (v == 0) return;
        o += QLatin1String(klucz);
        o += QString::number(v);
        koniecLinii(o);
    };
    linia(o, QLatin1String("; ----------------------------------"));
    if (e.Emi < 0) {
        linia(o, QLatin1String("Emi=--------"));
    } else {
        o += QLatin1String("Emi=");
        czas(o, e.Emi % DobaMs, true);
        koniecLinii(o);
    }
    tekst("Sel=", e.Sel);
    if (e.Typ & TypGrajO) linia(o, QLatin1String("Mod=Graj o"));
    tekst("Typ=", KodRodzaju(RodzajElemPListy(e.Typ)));
    czasKlucza("Trw=", e.Trw);
    znacznikSekund("Int=", e.Int);
    znacznikSekund("Out=", e.Out);
    if (e.Mix != -1) czasKlucza("Mix=", e.Mix);
    znacznik("NwP=", e.NwP);
    znacznik("FIn=", e.FIn);
    znacznik("NwK=", e.NwK);
    znacznik("FOu=", e.FOu);
    if (FlagaOdczytuPlaylisty == 1) {
        liczba("FIT=", e.FIT);
        liczba("FOT=", e.FOT);
    }
    // No identifier reads back as the default one: written so, the file
    // reads and saves to the same bytes.
    static const QString bezIdentyfikatora = TElemPListy{}.Ide;
    tekst("Ide=", e.Ide.trimmed().isEmpty() ? bezIdentyfikatora : e.Ide);
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
    liczba("Wzm=", e.Wzm);
    liczba("Kac=", e.Kac);
    znacznik("KFI=", e.KFI);
    znacznik("KFO=", e.KFO);
    if (e.Aut) linia(o, QLatin1String("Aut=1"));
    linia(o, QLatin1String("KONIEC OPISU"));
}

}  // namespace

WynikZapisuMIX ZapiszPlaylisteMIX(const QString& plik, int od, int doElementu) {
    if (Emisja.PlaylistaFormat != 1) {
        // Not this format's file to write: no file operation, so no failure
        // of an earlier one may be left for the caller to report.
        BladIO = 0;
        return WynikZapisuMIX::InnyFormat;
    }
    od = std::max(od, 1);
    doElementu = std::min(doElementu, MaksPlaylisty);

    QString o;
    o.reserve(4096 + qsizetype(std::max(0, doElementu - od + 1)) * 400);
    for (const char* n : naglowek) {
        o += QString::fromUtf8(n);
        koniecLinii(o);
    }
    o += QLatin1String("POZYCJI=");
    o += QString::number(StanPlaylisty.Ilosc);
    koniecLinii(o);
    linia(o, QLatin1String(";"));
    linia(o, QLatin1String("; Pozycje:"));
    for (int i = od; i <= doElementu; ++i) {
        piszBlok(o, Playlista[i]);
        UstawStan(i);
    }
    // The text writer ends every line it is given with CR LF: the whole text
    // goes as one line without its last line end.
    o.chop(2);

    errno = 0;
    QString blad;
    if (!platform::writeTextFileAtomic(platform::resolvePath(plik), QStringList{o}, &blad)) {
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

enum class Klucz : quint8 {
    Brak,   // no key: a comment, a line without "=", an empty key
    Inny,   // a key no playlist has
    Wersja, Adres1LST, Data1LST, Pozycji,
    Emi, Sel, Mod, Typ, Trw, Int, Out, Mix, NwP, NwK, FIn, FOu, KFI, KFO, FIT, FOT, Wzm, Kac, Aut,
    Zak, Ide, MID, Tyt, Pta, Wyk, Sol, Kom, Atr, Pro, Wyd, Rok, BPM, PS1, PS2, PS3, PS4, ZAA, Adr,
};

// Every key is ASCII of at most 9 characters, so its upper case packs into
// one number (7 bits a character) and a line's key is one hash probe.
quint64 kodKlucza(QStringView k) {
    if (k.isEmpty() || k.size() > 9) return 0;
    quint64 kod = 0;
    for (QChar ch : k) {
        char16_t c = ch.unicode();
        if (c >= u'a' && c <= u'z') c = char16_t(c - 32);
        // Upper-cased Polish letters stay outside ASCII: no key has them.
        if (c == 0 || c >= 0x80) return 0;
        kod = kod << 7 | c;
    }
    return kod;
}

const QHash<quint64, Klucz>& tabelaKluczy() {
    static const QHash<quint64, Klucz> t = [] {
        const std::pair<const char16_t*, Klucz> klucze[] = {
            {u"WERSJA", Klucz::Wersja}, {u"ADRES1LST", Klucz::Adres1LST}, {u"DATA1LST", Klucz::Data1LST},
            {u"POZYCJI", Klucz::Pozycji}, {u"EMI", Klucz::Emi}, {u"SEL", Klucz::Sel}, {u"MOD", Klucz::Mod},
            {u"TYP", Klucz::Typ}, {u"TRW", Klucz::Trw}, {u"INT", Klucz::Int}, {u"OUT", Klucz::Out},
            {u"MIX", Klucz::Mix}, {u"NWP", Klucz::NwP}, {u"NWK", Klucz::NwK}, {u"FIN", Klucz::FIn},
            {u"FOU", Klucz::FOu}, {u"KFI", Klucz::KFI}, {u"KFO", Klucz::KFO}, {u"FIT", Klucz::FIT},
            {u"FOT", Klucz::FOT}, {u"WZM", Klucz::Wzm}, {u"KAC", Klucz::Kac}, {u"AUT", Klucz::Aut},
            {u"ZAK", Klucz::Zak}, {u"IDE", Klucz::Ide}, {u"MID", Klucz::MID}, {u"TYT", Klucz::Tyt},
            {u"PTA", Klucz::Pta}, {u"WYK", Klucz::Wyk}, {u"SOL", Klucz::Sol}, {u"KOM", Klucz::Kom},
            {u"ATR", Klucz::Atr}, {u"PRO", Klucz::Pro}, {u"WYD", Klucz::Wyd}, {u"ROK", Klucz::Rok},
            {u"BPM", Klucz::BPM}, {u"PS1", Klucz::PS1}, {u"PS2", Klucz::PS2}, {u"PS3", Klucz::PS3},
            {u"PS4", Klucz::PS4}, {u"ZAA", Klucz::ZAA}, {u"ADR", Klucz::Adr},
        };
        QHash<quint64, Klucz> h;
        for (const auto& [nazwa, k] : klucze) h.insert(kodKlucza(QStringView(nazwa)), k);
        return h;
    }();
    return t;
}

// The key and value of a line already cut of its trailing blanks, by the
// settings-line rules: the key is the text before the first "=" without its
// trailing blanks, compared in upper case; comment lines have none.
Klucz kluczLinii(QStringView linia, QStringView& wartosc) {
    if (linia.startsWith(u';')) return Klucz::Brak;
    const qsizetype eq = linia.indexOf(u'=');
    if (eq < 0) return Klucz::Brak;
    QStringView k = linia.left(eq);
    while (!k.isEmpty() && k.back() == u' ') k.chop(1);
    if (k.isEmpty()) return Klucz::Brak;
    wartosc = linia.mid(eq + 1);
    return tabelaKluczy().value(kodKlucza(k), Klucz::Inny);
}

QStringView bezSpacjiNaKoncu(QStringView t) {
    while (!t.isEmpty() && t.back() == u' ') t.chop(1);
    return t;
}

// A number of a key; 0 when it is not one or does not fit.
qint32 liczba(QStringView v, qint64 min, qint64 max) {
    qint64 n = 0;
    if (!parseInteger(v.toString(), n) || n < min || n > max) return 0;
    return qint32(n);
}

// A time of a key. The two forms the writer produces ("mm:ss.mmm" and
// "hh:mm:ss.mmm") are taken here without building a text: a full playlist
// holds some 70 000 of them. Anything else goes through the program's parser.
qint32 czasKlucza(QStringView v, int format) {
    auto cyfra = [&](qsizetype i) { return v[i] >= u'0' && v[i] <= u'9'; };
    auto liczba2 = [&](qsizetype i) { return (v[i].unicode() - u'0') * 10 + (v[i + 1].unicode() - u'0'); };
    auto ulamek = [&](qsizetype i) { return liczba2(i) * 10 + (v[i + 2].unicode() - u'0'); };
    const bool krotki = format == 4 && v.size() == 9 && v[2] == u':' && v[5] == u'.';
    const bool dlugi = (format == 4 || format == 5) && v.size() == 12 && v[2] == u':' && v[5] == u':' && v[8] == u'.';
    if (krotki || dlugi) {
        bool cyfry = true;
        for (qsizetype i = 0; i < v.size(); ++i)
            if (i != 2 && i != 5 && !(dlugi && i == 8)) cyfry = cyfry && cyfra(i);
        if (cyfry) {
            const qsizetype p = krotki ? 0 : 3;
            const int h = krotki ? 0 : liczba2(0);
            const int m = liczba2(p);
            const int s = liczba2(p + 3);
            if (h <= 24 && m <= 59 && s <= 59) return qint32(h * 3'600'000 + m * 60'000 + s * 1000 + ulamek(p + 6));
        }
    }
    return CzytajCzas(v.toString(), format);
}

// A fixed-width field takes only what it holds: a long value is never copied whole.
template <int N>
void tekst(FixedText<N>& pole, QStringView v) { pole = v.left(N).toString(); }

qint64 modDoby(qint64 v) {
    v %= DobaMs;
    return v < 0 ? v + DobaMs : v;
}

// One key of an element block. False when the key is not an element's.
bool czytajKlucz(TElemPListy& e, Klucz k, QStringView v) {
    switch (k) {
    // A time of day: 24:00:00 is the midnight it names, as it is written.
    case Klucz::Emi: {
        const qint32 t = v == u"--------" ? -1 : czasKlucza(v, 5);
        e.Emi = t < 0 ? t : qint32(modDoby(t));
        break;
    }
    case Klucz::Sel: tekst(e.Sel, v); break;
    // MOD and TYP describe different bits, so their order in a block does not matter.
    case Klucz::Mod: e.Typ |= TypGrajO; break;
    case Klucz::Typ: {
        const quint8 r = RodzajZKodu(v);
        if (r != 0) e.Typ = quint8((e.Typ & ~0x1F) | r);
        break;
    }
    // A duration is never negative; a bad one is taken from the file.
    case Klucz::Trw: e.Trw = std::max<qint32>(czasKlucza(v, 4), 0); break;
    case Klucz::Int: e.Int = v.size() < 3 ? liczba(v, -2'000'000, 2'000'000) * 1000 : czasKlucza(v, 4); break;
    case Klucz::Out:
        if (v.size() < 3) {
            qint64 n = 0;
            e.Out = parseInteger(v.toString(), n) ? qint32(e.Trw - n * 1000) : 0;
        } else {
            e.Out = czasKlucza(v, 4);
        }
        // An outro mark in the first half counts from the end.
        if (e.Trw / 2 > e.Out) e.Out = e.Trw - e.Out;
        break;
    case Klucz::Mix: e.Mix = czasKlucza(v, 4); break;
    case Klucz::NwP: e.NwP = czasKlucza(v, 4); break;
    case Klucz::NwK: e.NwK = czasKlucza(v, 4); break;
    case Klucz::FIn: e.FIn = czasKlucza(v, 4); break;
    case Klucz::FOu: e.FOu = czasKlucza(v, 4); break;
    case Klucz::KFI: e.KFI = czasKlucza(v, 4); break;
    case Klucz::KFO: e.KFO = czasKlucza(v, 4); break;
    case Klucz::FIT: if (FlagaOdczytuPlaylisty == 1) e.FIT = quint8(liczba(v, 0, 255)); break;
    case Klucz::FOT: if (FlagaOdczytuPlaylisty == 1) e.FOT = quint8(liczba(v, 0, 255)); break;
    case Klucz::Wzm: e.Wzm = liczba(v, INT32_MIN, INT32_MAX); break;
    case Klucz::Kac: e.Kac = liczba(v, INT32_MIN, INT32_MAX); break;
    case Klucz::Aut: e.Aut = quint8(liczba(v, 0, 255)); break;
    case Klucz::Zak: tekst(e.Zak, v); break;
    case Klucz::Ide: e.Ide = v.toString(); break;
    case Klucz::MID: e.MID = v.toString(); break;
    case Klucz::Tyt: tekst(e.Tyt, v); break;
    case Klucz::Pta: tekst(e.Pta, v); break;
    case Klucz::Wyk: tekst(e.Wyk, v); break;
    case Klucz::Sol: tekst(e.Sol, v); break;
    case Klucz::Kom: tekst(e.Kom, v); break;
    case Klucz::Atr: tekst(e.Atr, v); break;
    case Klucz::Pro: tekst(e.Pro, v); break;
    case Klucz::Wyd: tekst(e.Wyd, v); break;
    case Klucz::Rok: tekst(e.Rok, v); break;
    case Klucz::BPM: tekst(e.BPM, v); break;
    case Klucz::PS1: tekst(e.PS1, v); break;
    case Klucz::PS2: tekst(e.PS2, v); break;
    case Klucz::PS3: tekst(e.PS3, v); break;
    case Klucz::PS4: tekst(e.PS4, v); break;
    case Klucz::ZAA: tekst(e.ZAA, v); break;
    case Klucz::Adr: tekst(e.Adr, v); break;
    default: return false;
    }
    return true;
}

// The header keys, each looked for after the one before it, as a reader
// searching forward would find them: WERSJA, then ADRES1LST, then DATA1LST;
// and POZYCJI after WERSJA. They are taken in the same pass as the elements.
struct Naglowek {
    WynikOdczytuListy& wynik;
    bool wersja = false;
    bool adres = false;
    bool data = false;
    bool pozycji = false;

    void klucz(Klucz k, QStringView v) {
        // An empty value reads as a blank, which is what the variables hold when unset.
        auto wartosc = [&] { return v.isEmpty() ? QStringLiteral(" ") : v.toString(); };
        if (!wersja) {
            wersja = k == Klucz::Wersja;
            return;
        }
        if (k == Klucz::Adres1LST && !adres) {
            adres = true;
            wynik.LST1Adres = wartosc();
        } else if (k == Klucz::Data1LST && adres && !data) {
            data = true;
            wynik.LST1Data = wartosc();
        } else if (k == Klucz::Pozycji && !pozycji) {
            pozycji = true;
            qint64 n = 0;
            // The gauge's end: the count the file announces.
            if (parseInteger(v.toString(), n) && n > 0) wynik.Zapowiedziane = int(std::min<qint64>(n, INT_MAX));
        }
    }
};

}  // namespace

bool OtworzListe(const QString& plik, int& start, PlikTekstowy& f, WynikOdczytuListy& wynik) {
    start = std::clamp(start, 0, MaksPlaylisty);
    wynik.Ilosc = start;
    wynik.Otwarty = f.Otworz(plik);
    wynik.BladIO = BladIO;
    return wynik.Otwarty;
}

WynikOdczytuListy CzytajMIX(const QString& plik, int start, TablicaPlaylisty& lista,
                          const std::function<void(int, int)>& postep, const std::atomic<bool>* przerwij,
                          NagraniaPrzebiegu* nagrania) {
    WynikOdczytuListy wynik;
    PlikTekstowy f;
    if (!OtworzListe(plik, start, f, wynik))
        return wynik;
    if (postep) postep(0, wynik.Zapowiedziane);

    // One pass over the lines: header keys, element blocks, and past the
    // limit only whether more elements follow.
    Naglowek naglowek{wynik};
    int& n = wynik.Ilosc;
    TElemPListy e;
    bool tresc = false;  // the block has an element key
    bool emi = false;
    // The outro counts from the end of the duration; it is taken once the
    // block's duration is known (a TRW after it, or the file's length), so
    // what is read and saved reads back the same.
    QStringView outro;
    auto nowyBlok = [&] {
        InitElemPListy(e);
        tresc = false;
        emi = false;
        outro = {};
    };
    auto koniecBloku = [&] {
        if (RodzajElemPListy(e.Typ) == 0) {
            if (tresc)
                wynik.Logi << QStringLiteral("Playlista ") + plik + QStringLiteral(": pozycja bez typu pominięta");
        } else {
            if (e.Trw == 0) e.Trw = nagrania ? nagrania->Trwanie(e.Adr) : CzasTrwaniaPliku(e.Adr);
            if (!outro.isNull()) czytajKlucz(e, Klucz::Out, outro);
            lista[size_t(++n)] = std::move(e);
            if (postep) postep(n - start, wynik.Zapowiedziane);
        }
        nowyBlok();
    };

    const QStringList& linie = f.Linie();
    for (const QString& calaLinia : linie) {
        if (przerwij && przerwij->load(std::memory_order_relaxed)) break;
        const QStringView linia = bezSpacjiNaKoncu(calaLinia);
        QStringView v;
        const Klucz k = kluczLinii(linia, v);
        if (k != Klucz::Brak) naglowek.klucz(k, v);
        if (n >= MaksPlaylisty) {
            if (k != Klucz::Brak && wynik.Informacja.isEmpty())
                wynik.Informacja = {QStringLiteral("Brak pamięci na wczytanie całej listy !"),
                                    QStringLiteral("(Maksymalnie ") + QString::number(MaksPlaylisty) +
                                        QStringLiteral("  pozycji)")};
            continue;
        }
        if (linia == u"KONIEC OPISU" || linia == u"KONIEC") {
            koniecBloku();
            continue;
        }
        // A block that runs into the next one lost its end line: it is
        // dropped whole rather than mixed into its neighbour.
        if (tresc && ((k == Klucz::Brak && linia.startsWith(u"; -----")) || (emi && k == Klucz::Emi))) {
            wynik.Logi << QStringLiteral("Playlista ") + plik + QStringLiteral(": pozycja bez \"KONIEC OPISU\" pominięta");
            nowyBlok();
            if (k == Klucz::Brak) continue;
        }
        if (k == Klucz::Out) {
            outro = v.isNull() ? QStringView(u"") : v;
            tresc = true;
        } else if (czytajKlucz(e, k, v)) {
            tresc = true;
            if (k == Klucz::Emi) emi = true;
        }
    }
    // The last block may end with the file.
    if (n < MaksPlaylisty) koniecBloku();
    wynik.BladIO = 0;

    // Appended elements follow element `start` in time. Without an air time
    // of that element there is nothing to follow, so they keep their own.
    if (start > 0 && n > start && lista[size_t(start)].Emi != -1) {
        const TElemPListy& s = lista[size_t(start)];
        const qint64 koniec = modDoby(qint64(s.Emi) + s.Trw - std::max<qint32>(s.Mix, 0));
        const qint64 d = koniec - lista[size_t(start + 1)].Emi;
        for (int i = start + 1; i <= n; ++i)
            lista[size_t(i)].Emi = qint32(modDoby(qint64(lista[size_t(i)].Emi) + DobaMs + d));
    }
    return wynik;
}

void WczytajPlaylisteMIX(const QString& plik, int start) {
    // The progress window opens once the file has opened.
    const WynikOdczytuListy w = CzytajMIX(plik, start, Playlista, [](int n, int maksimum) {
        if (n == 0) PokazStan(QStringLiteral("Odczyt playlisty"), QString(), true);
        StanMaksimum = float(maksimum);
        UstawStan(n);
    });
    BladIO = w.BladIO;
    if (!w.Otwarty) return;
    LST1Adres = w.LST1Adres;
    LST1Data = w.LST1Data;
    for (const QString& l : w.Logi) Log(l);
    if (!w.Informacja.isEmpty()) PokazInfo(w.Informacja.value(0), w.Informacja.value(1));

    StanPlaylisty.Ilosc = w.Ilosc;
    StanPlaylisty.Kursor = 1;
    StanPlaylisty.Pierwszy = 1;
    if (std::clamp(start, 0, MaksPlaylisty) == 0) StanPlaylisty.DoGrania = 0;
    ZamknijStan();
    if (PrzypiszOpisyPoOdczycie) PrzypiszOpisyPoOdczycie(StanPlaylisty);
}
