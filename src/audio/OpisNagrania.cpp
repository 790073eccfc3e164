#include "audio/OpisNagrania.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

OpisNagraniaTyp OpisNagrania;

namespace {

using O = OpisNagraniaTyp;

const PoleOpisu kPola[] = {
    {"Tyt", 64, &O::Tyt}, {"CRD", 10, &O::CRD}, {"ENG", 20, &O::ENG}, {"Klu", 62, &O::Klu},
    {"SFT", 20, &O::SFT}, {"Pta", 50, &O::Pta}, {"Wyk", 64, &O::Wyk}, {"Sol", 40, &O::Sol},
    {"Kom", 60, &O::Kom}, {"Aut", 60, &O::Aut}, {"Zak", 1, &O::Zak},   {"Pro", 40, &O::Pro},
    {"Wyd", 40, &O::Wyd}, {"Rok", 4, &O::Rok},   {"Inf", 40, &O::Inf}, {"Kod", 11, &O::Kod},
    {"BPM", 3, &O::BPM},  {"Ktg", 9, &O::Ktg},   {"Tmc", 20, &O::Tmc}, {"Tmi", 20, &O::Tmi},
    {"Tmo", 20, &O::Tmo}, {"Gen", 20, &O::Gen},  {"Era", 20, &O::Era}, {"Typ", 20, &O::Typ},
    {"Nas", 20, &O::Nas}, {"Nar", 3, &O::Nar},   {"Jak", 4, &O::Jak},  {"PTY", 2, &O::PTY},
    {"PS1", 8, &O::PS1},  {"PS2", 8, &O::PS2},   {"PS3", 8, &O::PS3},  {"PS4", 8, &O::PS4},
    {"PS5", 8, &O::PS5},  {"PS6", 8, &O::PS6},   {"RTT", 64, &O::RTT}, {"OP1", 20, &O::OP1},
    {"OP2", 20, &O::OP2}, {"OP3", 20, &O::OP3},  {"Fil", 18, &O::Fil}, {"Tot", 12, &O::Tot},
    {"Int", 12, &O::Int}, {"Out", 12, &O::Out},  {"Mix", 14, &O::Mix}, {"Mik", 12, &O::Mik},
    {"NwP", 12, &O::NwP}, {"NwK", 12, &O::NwK},  {"FIn", 12, &O::FIn}, {"FOu", 12, &O::FOu},
    {"LpP", 12, &O::LpP}, {"LpK", 12, &O::LpK},  {"FrP", 12, &O::FrP}, {"FrK", 12, &O::FrK},
    {"Zaa", 1, &O::Zaa},
};
constexpr int kLiczbaPol = int(sizeof kPola / sizeof kPola[0]);

const PoleOpisu* pole(const char* klucz) {
    for (const PoleOpisu& p : kPola)
        if (qstrcmp(p.Klucz, klucz) == 0) return &p;
    return nullptr;
}

// The text fields in the order of the file, up to the PLK line and after it.
const char* const kPrzedPLK[] = {"ENG", "CRD", "Tyt", "Pta", "Wyk", "Sol", "Kom", "Aut", "Pro",
                                 "Wyd", "Rok", "Inf", "Kod", "Ktg", "BPM", "Zak", "Tmc", "Tmi",
                                 "Tmo", "Gen", "Era", "Typ", "Nas", "Nar", "Jak", "Klu", "Fil",
                                 "PTY", "PS1", "PS2", "PS3", "PS4", "PS5", "PS6", "RTT"};
const char* const kPoPLK[] = {"OP1", "OP2", "OP3", "Tot", "Int", "Out", "Mix", "Mik", "NwP",
                              "NwK", "FIn", "FOu", "LpP", "LpK", "FrP", "FrK", "Zaa"};

// A .DAT is a couple of kilobytes; anything far larger is not one.
constexpr qint64 kNajwiekszyDAT = 1 << 20;
constexpr int kNajdluzszaLinia = 255;

int kodBleduZapisu(const QString& plik) {
    const QFileInfo katalog(QFileInfo(plik).absolutePath());
    if (!katalog.isDir()) return 3;
    if (!katalog.isWritable()) return 5;
    const QFileInfo f(plik);
    if (f.exists() && !f.isWritable()) return 5;
    return 101;
}

}  // namespace

const PoleOpisu* PolaOpisu(int& liczba) {
    liczba = kLiczbaPol;
    return kPola;
}

void KasujOpis(OpisNagraniaTyp& opis) { opis = OpisNagraniaTyp{}; }

void NowyOpis(OpisNagraniaTyp& opis) {
    KasujOpis(opis);
    opis.Tyt = QStringLiteral("Bez opisu");
    opis.CRD = cutTo(DataTekst(), 10);
    opis.ENG = cutTo(Nastawy.Id, 20);
    opis.SFT = cutTo(NazwaProgramu, 20);
}

void UstawNowyOpis(OpisNagraniaTyp& opis) { NowyOpis(opis); }

void PrzytnijOpis(OpisNagraniaTyp& opis) {
    for (const PoleOpisu& p : kPola) opis.*p.Pole = cutTo(opis.*p.Pole, p.Szerokosc);
}

QString ZbiorOpisu(const QString& adresAudio) {
    return ZmienRozszerzenie(adresAudio, QStringLiteral(".DAT"));
}

int ZapiszPlikDAT(const SygnalType& s, const OpisNagraniaTyp& opis, QString& powod) {
    OpisNagraniaTyp kopia = opis;
    ZnacznikiNaTekst(s, kopia);
    PrzytnijOpis(kopia);

    QStringList linie;
    auto dodaj = [&](const char* klucz) {
        const PoleOpisu* p = pole(klucz);
        linie << QLatin1String(klucz) + QLatin1Char('=') + kopia.*p->Pole;
    };
    linie << QStringLiteral("Lit=");
    for (const char* k : kPrzedPLK) dodaj(k);
    linie << QStringLiteral("PLK=") + NazwaSciezki(s.Adres);
    for (const char* k : kPoPLK) dodaj(k);

    const QString plik = platform::resolvePath(ZbiorOpisu(s.Adres));
    powod.clear();
    BladIO = platform::writeTextFileAtomic(plik, linie, &powod) ? 0 : kodBleduZapisu(plik);
    return BladIO;
}

void ZapiszDAT(const SygnalType& s, const OpisNagraniaTyp& opis) {
    QString blad;
    if (ZapiszPlikDAT(s, opis, blad) == 0) return;
    const QString dat = ZbiorOpisu(s.Adres);
    Log(QStringLiteral("Zapis opisu nieudany: ") + dat + QStringLiteral(" (") + blad + QLatin1Char(')'));
    PokazBladKod(BladIO, QString(), dat);
}

void CzytajDAT(SygnalType& s, OpisNagraniaTyp& opis) {
    const QString dat = ZbiorOpisu(s.Adres);
    // Its folder's listing tells whether it stands there; the read that
    // follows finds out the rest, without another look of its own.
    if (!platform::regularFiles({dat}).front()) {
        opis.Tyt = QStringLiteral("Nie ma opisu");
        BladIO = 0;
        return;
    }
    const QString plik = platform::resolvePath(dat);
    QStringList linie;
    if (!platform::readTextLines(plik, linie, kNajwiekszyDAT)) {
        // An unreadable description must not cost the recording its place on
        // air: keep what we have and say why in the log.
        BladIO = QFileInfo(plik).size() > kNajwiekszyDAT ? 215 : 100;
        Log(QStringLiteral("Nie można odczytać opisu: ") + dat);
        return;
    }
    for (QString linia : linie) {
        if (linia.size() > kNajdluzszaLinia) linia.truncate(kNajdluzszaLinia);
        if (!linia.isEmpty() && linia.back() == QChar(0)) linia.chop(1);
        const QString klucz = KluczLinii(linia);
        if (!klucz.isEmpty()) {
            const QString wartosc = WartoscLinii(linia);
            const PoleOpisu* cel = nullptr;
            if (klucz == QLatin1String("KEY")) {
                cel = pole("Klu");
            } else {
                for (const PoleOpisu& p : kPola) {
                    if (klucz.compare(QLatin1String(p.Klucz), Qt::CaseInsensitive) == 0) {
                        cel = &p;
                        break;
                    }
                }
            }
            if (cel) opis.*cel->Pole = cutTo(wartosc, cel->Szerokosc);
        }
        // An old form kept the end code on the Mix line: "00:05.000 F".
        const QString& mix = opis.Mix;
        if (mix.contains(QLatin1Char('C')) || mix.contains(QLatin1Char('F')) ||
            mix.contains(QLatin1Char('c')) || mix.contains(QLatin1Char('f'))) {
            opis.Zak = mix.right(1);
            opis.Mix.chop(2);
        }
    }
    BladIO = 0;
    TekstNaZnaczniki(opis, s);
}
