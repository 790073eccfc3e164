#include "mixeditor/NagrywarkaDJ.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <limits>

#include "audio/MP3export.h"
#include "audio/Maksymalizacja.h"
#include "audio/Obwiednia.h"
#include "audio/OpisNagrania.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "library/DKatalogNastawy.h"
#include "mixeditor/EdycjaPL.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/InputDevice.h"

namespace {

constexpr int RozmiarNaglowka = SygnalWAVType::Rozmiar;
constexpr int MaksNumerNazwy = 9999;

QString nazwaZRozszerzeniem(const QString& sciezka) {
    QString k, n, r;
    RozbijSciezke(sciezka, k, n, r);
    return n + r;
}

void usun(const QString& sciezka) {
    if (!sciezka.isEmpty()) QFile::remove(platform::resolvePath(sciezka));
}

// The WAV holds no audio: missing, or the header alone.
bool bezDzwieku(const QString& wav) {
    const QFileInfo w(platform::resolvePath(wav));
    return !w.exists() || (w.isFile() && w.size() <= RozmiarNaglowka);
}

// A take name is free when its WAV holds no audio and no MP3 of it exists:
// a file with audio is never truncated.
bool wolnaNazwa(const QString& wav) {
    return bezDzwieku(wav) && !QFileInfo::exists(platform::resolvePath(ZmienRozszerzenie(wav, QStringLiteral(".MP3"))));
}

int strumienKompresji() {
    const QString& t = Wgrywanie.WgrajKompresujStrumien;
    qint64 v = 0;
    if (parseInteger(t, v) && (v == 64 || v == 128 || v == 256)) return int(v);
    return 256;
}

bool wKopii(const SladMiksuTyp& s) { return s.Element >= 1 && s.Element <= LiczbaPozycjiMiksu; }

// Resets a flag when the guarded call leaves, by any path.
struct Straz {
    bool& flaga;
    explicit Straz(bool& f) : flaga(f) { flaga = true; }
    ~Straz() { flaga = false; }
};

}  // namespace

NagrywarkaDJ::NagrywarkaDJ(QObject* rodzic) : QObject(rodzic), blok_(RozmiarBufora, '\0') {
    timer_.setInterval(OkresTimeraMs);
    connect(&timer_, &QTimer::timeout, this, &NagrywarkaDJ::Tik);
    Przegladarka = [](KatStan& k) { PokazKatalog(k); };
    KatStanWstaw.Tytul = QStringLiteral("Wstaw DJa");
}

NagrywarkaDJ::~NagrywarkaDJ() {
    PolaczeniaEdycji.OtworzWejscie = {};
    PolaczeniaEdycji.NastepnaNazwaWgrania = {};
    PolaczeniaEdycji.WyczyscNazweWgrania = {};
    PolaczeniaEdycji.KopiujWgraniaDoSieci = {};
}

void NagrywarkaDJ::Zainstaluj() {
    PolaczeniaEdycji.OtworzWejscie = [this] { OtworzWejscie(); };
    PolaczeniaEdycji.NastepnaNazwaWgrania = [this] { NastepnaNazwaWgrania(); };
    PolaczeniaEdycji.WyczyscNazweWgrania = [this] { WyczyscNazweWgrania(); };
    PolaczeniaEdycji.KopiujWgraniaDoSieci = [this] { KopiujWgraniaDoSieci(); };
}

// ---- the input ----

void NagrywarkaDJ::OtworzWejscie() {
    timer_.stop();
    wejscie_.reset();
    wejscieOtwarte_ = false;
    kolejka_ = 0;
    poziom_ = 0;
    zamknij_ = false;
    czasZamykania_ = -1;

    auto& hub = platform::DeviceHub::instance();
    const platform::PcmFormat format{Wgrywanie.WgrajProbkowanieHz, Wgrywanie.WgrajKanalyNr, 16};
    int nr = Wgrywanie.WgrajWejcieNr;
    if (nr >= hub.inputNames().size()) nr = 0;
    if (!hub.isInputFormatSupported(nr, format))
        PokazBlad(QStringLiteral("Błąd wejścia nagrywania"), QStringLiteral("format nagrywania nie jest obsługiwany"));
    QString blad;
    wejscie_ = hub.openInput(nr, format, &blad);
    if (!wejscie_) {
        Log(QStringLiteral("Wejście nagrywania nie otwarte: ") + blad);
        PokazBlad(QStringLiteral("Błąd wejścia nagrywania"), QStringLiteral("nie można otworzyć wejścia"));
        return;
    }
    kolejka_ = LiczbaBuforow;
    wejscieOtwarte_ = true;
    ostatniBlok_ = platform::clock().monotonicMs();
    timer_.start();
}

bool NagrywarkaDJ::Zamykanie() const { return zamknij_ || (okno_ && okno_->Zamykanie()); }

void NagrywarkaDJ::ZamknijWejscie() {
    timer_.stop();
    wejscie_.reset();
    wejscieOtwarte_ = false;
    kolejka_ = 0;
    if (okno_) okno_->ZakonczOkno();
}

void NagrywarkaDJ::Zamknij() {
    zamknij_ = true;
    // A take being written is finished (and an armed one dropped) before the
    // input drains.
    if (wgrywanieTrwa_ || uzbrojone_) ZakonczWgrywanie();
    if (!wejscieOtwarte_) {
        if (okno_) okno_->ZakonczOkno();
        return;
    }
    if (czasZamykania_ < 0) czasZamykania_ = platform::clock().monotonicMs();
}

void NagrywarkaDJ::Tik() {
    if (!wejscie_) return;
    const qint64 teraz = platform::clock().monotonicMs();
    // While a take is finished its dialogs pump events: the blocks only move
    // the level meter (none of them may wait for the next take), and the
    // window is not ended under it.
    if (konczenie_) {
        while (wejscie_->takeBlock(blok_.data())) PrzyjmijBlok(blok_.constData());
        ostatniBlok_ = teraz;
        return;
    }
    while (wejscieOtwarte_ && wejscie_->takeBlock(blok_.data())) {
        ostatniBlok_ = teraz;
        ObsluzBuforWejscia(blok_.constData());
    }
    if (!wejscieOtwarte_ || !Zamykanie()) return;
    if (czasZamykania_ < 0) czasZamykania_ = teraz;
    if (teraz - std::max(czasZamykania_, ostatniBlok_) >= CzasOproznianiaMs) ZamknijWejscie();
}

void NagrywarkaDJ::ObsluzBuforWejscia(const char* blok) {
    if (!wejscieOtwarte_) return;
    --kolejka_;
    PrzyjmijBlok(blok);
    if (!Zamykanie()) ++kolejka_;
    if (kolejka_ <= 0) ZamknijWejscie();
}

void NagrywarkaDJ::PrzyjmijBlok(const char* blok) {
    // Samples 1 to 819: the first 1 640 bytes without sample 0.
    qint16 szczyt = std::numeric_limits<qint16>::min();
    for (int i = 1; i < 820; ++i) szczyt = std::max(szczyt, qFromLittleEndian<qint16>(blok + 2 * i));
    poziom_ = szczyt;

    if (wgrywanieTrwa_ && plik_) {
        const qint64 przed = plik_->size();
        if (plik_->write(blok, RozmiarBufora) == RozmiarBufora) {
            dzwiek_ = dzwiek_ || std::any_of(blok, blok + RozmiarBufora, [](char b) { return b != 0; });
            const qint64 bajtyNaSekunde = qint64(sygnal_.Kanaly) * 2 * sygnal_.Probkowanie;
            const qint32 czas = bajtyNaSekunde > 0 ? qint32((przed + RozmiarBufora) * 1000 / bajtyNaSekunde) : 0;
            SladMiksuTyp& s = SladyMiksu[slad_];
            s.Czas = czas;
            s.NowyKoniec = s.Emisja + czas;
        } else if (!bladZapisu_) {
            bladZapisu_ = true;
            Log(QStringLiteral("Błąd zapisu wgrania: ") + zbior_);
        }
    }
}

// ---- take files ----

void NagrywarkaDJ::NastepnaNazwaWgrania() {
    // A name prepared and never recorded into is used again. Only the name:
    // the file is made when a take starts, so that an editor opened and left
    // leaves none behind.
    if (!zbior_.isEmpty() && wolnaNazwa(zbior_)) return;
    const NastawyWgrywania& W = Wgrywanie;
    QString P;
    if (W.WgrajPrzedrostekZNazwyPL) {
        P = charsFromTo(PlaylistaNazwa, 1, 3);
        qint64 liczba = 0;
        if (parseInteger(P, liczba)) P.clear();
    }
    const QString S = QString::number(qAbs(Nastawy.Numer) % 10);
    const QString przedrostek = W.WgrajNazwaPrzedrostek.isEmpty() ? QStringLiteral("DJ_") : W.WgrajNazwaPrzedrostek;
    const QDateTime teraz = platform::clock().now();
    const QString D = teraz.toString(QStringLiteral("MMdd"));
    const QString T = teraz.toString(QStringLiteral("HHmmss"));

    QString kandydat;
    bool wolny = false;
    if (W.WgrajNazwaTyp == 0) {
        for (int n = 1; n <= MaksNumerNazwy && !wolny; ++n) {
            kandydat = ZbiorWKataloguWgrywania(W.WgrajKatalogLok,
                                               P + przedrostek + S + zeroPad(n, 4) + QStringLiteral(".WAV"));
            wolny = wolnaNazwa(kandydat);
        }
    } else {
        QString nazwa;
        if (W.WgrajNazwaTyp == 1)
            nazwa = QStringLiteral("DJ") + S + QLatin1Char('_') + D + T;
        else if (W.WgrajNazwaTyp == 2)
            nazwa = charsFromTo(PlaylistaNazwa, 3, 6) + QLatin1Char('_') + T;
        else
            nazwa = przedrostek + S + D + T;
        const QString baza = ZbiorWKataloguWgrywania(W.WgrajKatalogLok, P + nazwa);
        kandydat = baza + QStringLiteral(".WAV");
        wolny = wolnaNazwa(kandydat);
        for (int n = 2; n <= MaksNumerNazwy && !wolny; ++n) {
            kandydat = baza + QLatin1Char('_') + QString::number(n) + QStringLiteral(".WAV");
            wolny = wolnaNazwa(kandydat);
        }
    }
    if (!wolny) {
        // Every name is taken by a recording: none of them is overwritten.
        zbior_.clear();
        Log(QStringLiteral("Brak wolnej nazwy wgrania: ") + kandydat);
        PokazBlad(QStringLiteral("Brak wolnej nazwy nagrania DJa"), W.WgrajKatalogLok);
        return;
    }
    zbior_ = kandydat;
}

void NagrywarkaDJ::UtworzZbiorWgrania() {
    KasujOpis(OpisNagrania);
    PustySygnal(sygnal_);
    sygnal_.Rodzaj = RodzajWAV;
    sygnal_.Kanaly = Wgrywanie.WgrajKanalyNr;
    sygnal_.Probkowanie = Wgrywanie.WgrajProbkowanieHz;
    sygnal_.Bity = 16;
    sygnal_.Adres = zbior_;
    sygnal_.Nazwa = NazwaSciezki(zbior_);
    sygnal_.Dlugosc = 0;
    ZapiszPustyNaglowek(sygnal_);
    if (BladIO != 0) {
        PokazBladKod(BladIO, QString(), zbior_);
        return;
    }
    ZapiszSygnal(sygnal_);
}

// ---- arming, writing, finishing ----

int NagrywarkaDJ::CelWgrania(qint32 czas) const {
    int cel = 0;
    for (int v : {SladGlosu1, SladGlosu2}) {
        const SladMiksuTyp& s = SladyMiksu[v];
        if (s.Uzyty && czas >= s.Emisja && czas <= s.Emisja + s.Czas) cel = v;
    }
    return cel;
}

// Whether applying the mix would find room in the working copy for the
// elements of the voice tracks, `slad` among them.
bool NagrywarkaDJ::MiejsceNaGlos(int slad) const {
    qint32 nowe = 0;
    for (int v : {SladGlosu1, SladGlosu2}) {
        const SladMiksuTyp& s = SladyMiksu[v];
        if ((v == slad || s.Uzyty) && !wKopii(s)) ++nowe;
    }
    return LiczbaPozycjiMiksu + nowe <= MaksPlaylisty;
}

bool NagrywarkaDJ::WybierzCel(qint32 czas, const QString& dwaWgrania, int& cel) {
    cel = CelWgrania(czas);
    const bool oba = SladyMiksu[SladGlosu1].Uzyty && SladyMiksu[SladGlosu2].Uzyty;
    if (!cel && oba) {
        PokazBlad(dwaWgrania);
        return false;
    }
    const int docelowy = cel ? cel : (SladyMiksu[SladGlosu1].Uzyty ? SladGlosu2 : SladGlosu1);
    if (!MiejsceNaGlos(docelowy)) {
        PokazInfo(QStringLiteral("Brak pamięci"),
                  QStringLiteral(" (Dopuszczalna liczba elementów: ") + QString::number(MaksPlaylisty) + QLatin1Char(')'));
        return false;
    }
    if (cel && !SladyMiksu[cel].Przerwa &&
        Decyzja(QStringLiteral("Czy zastąpić istniejącego DJa?"), QString(), 2) != WynikTak)
        return false;
    // The question pumps events: the editor may have begun to close.
    return !Zamykanie();
}

void NagrywarkaDJ::WgrajDJ() {
    if (uzbrajanie_ || konczenie_ || wgrywanieTrwa_ || uzbrojone_) return;
    if (okno_ && okno_->PodgladTrwa()) return;
    Straz straz(uzbrajanie_);
    int cel = 0;
    if (!WybierzCel(Zakresy.PoczatekWgrania, QStringLiteral("Nie można wgrać DJa - są już dwa wgrania!"), cel)) return;
    if (cel) UsunSlad(cel);
    const int t = SladyMiksu[SladGlosu1].Uzyty ? SladGlosu2 : SladGlosu1;
    const int inny = SladGlosu1 + SladGlosu2 - t;
    SladMiksuTyp& s = SladyMiksu[t];
    SladyMiksu[inny].Wybrany = 0;
    if (okno_) okno_->OdswiezSlad(inny);
    s.PoziomKaczki = -100 * Wgrywanie.KaczkaPoziomdB;
    if (okno_) okno_->PokazKaczke(Wgrywanie.KaczkaPoziomdB);
    s.Wybrany = 1;
    s.Kolor = KolorSladuDJ;
    s.Przerwa = 0;
    s.Emisja = Zakresy.PoczatekWgrania;
    s.Czas = 0;  // the box starts empty and grows with the take
    s.NowyPoczatek = s.NowyKoniec = s.Emisja;
    s.KoniecKaczkiWe = s.PoczatekKaczkiWy = s.Emisja;
    // Track 4 is marked used now so that the window draws it; track 3 only
    // when the take ends. A take that never starts unmarks it again.
    if (t == SladGlosu2) s.Uzyty = 1;
    slad_ = t;
    uzbrojone_ = true;
    Zakresy.KursorPodgladu = Zakresy.PoczatekWgrania - przedbieg_;
    if (okno_) {
        okno_->OdswiezSlad(t);
        okno_->RestartPodgladu();
    }
}

void NagrywarkaDJ::StartWgrywania() {
    uzbrojone_ = false;
    if (slad_ == 0 || wgrywanieTrwa_ || konczenie_) return;
    // The name was chosen when the editor opened: taken since by a file with
    // audio, it gives way to the next free one.
    if (zbior_.isEmpty() || !bezDzwieku(zbior_)) {
        zbior_.clear();
        NastepnaNazwaWgrania();
    }
    bladZapisu_ = false;
    dzwiek_ = false;
    if (!zbior_.isEmpty()) {
        UtworzZbiorWgrania();
        plik_ = std::make_unique<QFile>(platform::resolvePath(zbior_));
        // Unbuffered: what was captured is on disk even if the program dies.
        if (plik_->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
            if (plik_->size() < RozmiarNaglowka) plik_->resize(RozmiarNaglowka);
        } else {
            Log(QStringLiteral("Błąd zapisu wgrania: ") + zbior_);
            plik_.reset();
        }
    }
    przepelnienia_ = wejscie_ ? wejscie_->overruns() : 0;
    // Without a file or an input the take simply stays empty.
    wgrywanieTrwa_ = true;
}

void NagrywarkaDJ::OdrzucUzbrojone() {
    if (slad_ != SladGlosu1 && slad_ != SladGlosu2) return;
    SladMiksuTyp& s = SladyMiksu[slad_];
    // Nothing was recorded: no empty voice track is left to be applied.
    s.Uzyty = 0;
    s.Czas = 0;
    s.NowyKoniec = s.NowyPoczatek;
    if (okno_) {
        okno_->OdswiezSlad(slad_);
        okno_->RozmiescZnaczniki();
    }
}

void NagrywarkaDJ::ZakonczWgrywanie() {
    if (konczenie_) return;
    Straz straz(konczenie_);
    if (wgrywanieTrwa_) {
        // Every whole block captured until now belongs to the take.
        if (wejscie_ && plik_)
            while (wejscie_->takeBlock(blok_.data())) PrzyjmijBlok(blok_.constData());
        wgrywanieTrwa_ = false;
        plik_.reset();
        // Pieces the ring had no room for are holes in the take.
        if (wejscie_ && wejscie_->overruns() > przepelnienia_)
            Log(QStringLiteral("Utracone fragmenty wgrania: ") + QString::number(wejscie_->overruns() - przepelnienia_) +
                QStringLiteral(" (") + zbior_ + QLatin1Char(')'));
        const qint64 rozmiar = QFileInfo(platform::resolvePath(zbior_)).size();
        const bool pusty = zbior_.isEmpty() || rozmiar <= RozmiarNaglowka;
        if (pusty || !dzwiek_) {
            // Nothing came in, or silence only (no input signal): the take's
            // file goes and its name stays free; a silent take is refused
            // as an inserted recording without sound is.
            if (!zbior_.isEmpty()) {
                usun(zbior_);
                usun(ZbiorOpisu(zbior_));
            }
            OdrzucUzbrojone();
            if (!pusty) {
                Log(QStringLiteral("Nie wgrano DJa bez dźwięku: ") + zbior_);
                PokazBlad(QStringLiteral("Nie można wgrać DJa - nagranie jest ciszą!"));
            }
        } else {
            sygnal_.Dlugosc = qint32((rozmiar - RozmiarNaglowka) / 2);
            KasujOpis(OpisNagrania);
            // Its description, like its element, is titled by its name.
            OpisNagrania.Tyt = NazwaSciezki(zbior_);
            ZapiszSygnal(sygnal_);
            OpcjeMaksymalizacji opcje;
            opcje.DyskOstatni = Katalogi.DyskOstatni;
            opcje.CzyGranieSiec = Katalogi.CzyGranieSiec;
            MaksymalizujPlik(zbior_, opcje);
            TworzObwiednie(zbior_);
            UmiescWgranie(Kompresuj(zbior_));
            if (okno_) okno_->RozmiescZnaczniki();
            zbior_.clear();
            NastepnaNazwaWgrania();
        }
    } else if (uzbrojone_) {
        OdrzucUzbrojone();
    }
    slad_ = 0;
    uzbrojone_ = false;
}

QString NagrywarkaDJ::Kompresuj(const QString& wav) {
    if (!Wgrywanie.WgrajKompresujJest) return wav;
    if (Wgrywanie.WgrajKompresujPytaj && Decyzja(QStringLiteral("Czy kompresować DJa?"), QString(), 2) != WynikTak)
        return wav;
    zbiorMP3_ = ZmienRozszerzenie(wav, QStringLiteral(".MP3"));
    Log(QStringLiteral("Start kompresji nagrania: ") + wav + QStringLiteral(" -> ") + zbiorMP3_);
    int kod = 0;
    KompresujMP3(wav, zbiorMP3_, strumienKompresji(), kod, Wgrywanie.WgrajKanalyNr);
    Log(QStringLiteral("Stop kompresji"));
    // Only a finished MP3 replaces the WAV; something else by its name
    // does not.
    if (kod == 0 && platform::fileExists(zbiorMP3_)) {
        usun(wav);
        return zbiorMP3_;
    }
    Log(QStringLiteral("Błąd kompresji: ") + QString::number(kod));
    return wav;
}

void NagrywarkaDJ::Kaczka(int n) {
    SladMiksuTyp& s = SladyMiksu[n];
    const qint32 a = s.Emisja;
    const qint32 d = s.Czas;
    // d/2 > limit, without losing the half of an odd length.
    s.KoniecKaczkiWe = qint64(d) > 2 * qint64(Wgrywanie.KaczkaWejscieMS) ? a + Wgrywanie.KaczkaWejscieMS : a;
    s.PoczatekKaczkiWy = qint64(d) > 2 * qint64(Wgrywanie.KaczkaWyjscieMS) ? a + d - Wgrywanie.KaczkaWyjscieMS : a + d;
    s.NowyPoczatek = a;
    s.NowyKoniec = a + d;
}

void NagrywarkaDJ::UmiescWgranie(const QString& sciezka) {
    const int t = slad_;
    if (t != SladGlosu1 && t != SladGlosu2) return;
    const int inny = SladGlosu1 + SladGlosu2 - t;
    SladMiksuTyp& s = SladyMiksu[t];
    s.Uzyty = 1;
    s.Wybrany = 1;
    s.Aut = 0;
    s.Sel = QString();
    s.Nagrany = 1;
    s.WlasnyZbior = 1;
    SladyMiksu[inny].Wybrany = 0;
    if (okno_) okno_->OdswiezSlad(inny);
    s.Adres = sciezka;
    // The title the element is written with (a take has no other).
    s.TytulEtykieta = NazwaSciezki(sciezka);
    s.AutorEtykieta.clear();
    ZmianyMiksu = true;
    if (okno_) okno_->OtworzPlikSladu(t, sciezka);
    s.Wzmocnienie = 0;
    Kaczka(t);
    WczytajObwiedniaSladu(t);
    if (okno_) okno_->OdswiezSlad(t);
}

// ---- inserting and deleting ----

void NagrywarkaDJ::WstawDJ() {
    if (uzbrajanie_ || konczenie_ || wgrywanieTrwa_ || uzbrojone_) return;
    if (okno_ && okno_->PodgladTrwa()) return;
    Straz straz(uzbrajanie_);
    const qint32 kursor = Zakresy.KursorPodgladu;
    int cel = 0;
    if (!WybierzCel(kursor, QStringLiteral("Nie można wstawić DJa - są już dwa wgrania!"), cel)) return;

    KatStanWstaw.Typy = QStringLiteral(".WAV:.MP2:.MP3");
    KatStanWstaw.Tryb = 3;
    KatStanWstaw.WybranaSciezka.clear();
    KatStanWstaw.Wybrany.clear();
    if (Przegladarka) Przegladarka(KatStanWstaw);
    const QString plik = KatStanWstaw.WybranaSciezka;
    if (plik.isEmpty() || Zamykanie()) return;
    if (!SprawdzOdtwarzalny(plik)) return;

    SygnalType sygnal = SygnalPliku(plik);
    OpisNagraniaTyp opis;
    OtworzSygnal(sygnal, true, opis);
    const qint32 d = CzasTrwaniaPliku(plik);
    // Nothing to hear: above all the take file prepared for the next take,
    // whose recording would change what was inserted.
    if (d <= 0) {
        Log(QStringLiteral("Nie wstawiono DJa bez dźwięku: ") + plik);
        PokazBlad(QStringLiteral("Nie można wstawić DJa - nagranie jest puste!"));
        return;
    }

    // Checked before the replaced track goes, so that a refusal loses nothing.
    const SladMiksuTyp* jedyny = nullptr;
    int uzyte = 0;
    for (int v : {SladGlosu1, SladGlosu2})
        if (v != cel && SladyMiksu[v].Uzyty) {
            ++uzyte;
            jedyny = &SladyMiksu[v];
        }
    if (uzyte == 1) {
        const qint32 koniec = kursor + d;
        if (koniec > jedyny->Emisja && koniec < jedyny->Emisja + jedyny->Czas) {
            PokazBlad(QStringLiteral("Nie można wstawić DJa - w tym miejscu już jest!"));
            return;
        }
    }
    if (cel) UsunSlad(cel);

    const int t = SladyMiksu[SladGlosu1].Uzyty ? SladGlosu2 : SladGlosu1;
    const int inny = SladGlosu1 + SladGlosu2 - t;
    SladMiksuTyp& s = SladyMiksu[t];
    s.Uzyty = 1;
    s.Wybrany = 1;
    SladyMiksu[inny].Wybrany = 0;
    s.Aut = 0;
    s.Sel = QString();
    s.Adres = plik;
    if (okno_) okno_->OtworzPlikSladu(t, plik);
    s.Identyfikator = KatStanWstaw.Wybrany;
    s.Wzmocnienie = 0;
    s.Przerwa = 0;
    s.Kolor = KolorSladuDJ;
    s.Emisja = kursor;
    s.Czas = d;
    s.TytulEtykieta = opis.Tyt;
    s.AutorEtykieta.clear();
    Kaczka(t);
    s.PoziomKaczki = -100 * Wgrywanie.KaczkaPoziomdB;
    s.Nagrany = 0;
    s.WlasnyZbior = 0;
    s.ObwiedniaJest = 0;
    s.Obwiednia.clear();
    s.DlugoscObwiedni = 0;
    WczytajObwiedniaSladu(t);
    ZmianyMiksu = true;
    if (okno_) {
        okno_->RozmiescZnaczniki();
        okno_->OdswiezSlad(inny);
        okno_->OdswiezSlad(t);
    }
}

void NagrywarkaDJ::UsunDJ() {
    if (okno_ && okno_->PodgladTrwa()) return;
    if (wgrywanieTrwa_ || uzbrojone_ || konczenie_) return;
    for (int v : {SladGlosu1, SladGlosu2})
        if (SladyMiksu[v].Uzyty && SladyMiksu[v].Wybrany) {
            // A voice on air stays, as the console's own delete keeps it.
            if (GlosGra(v)) {
                PokazInfo(QStringLiteral("Nie można usunąć elementu - obecnie odtwarzany"),
                          QLatin1Char('(') + SladyMiksu[v].TytulEtykieta + QLatin1Char(')'));
                return;
            }
            UsunSlad(v);
            return;
        }
}

void NagrywarkaDJ::UsunSlad(int n) {
    if (n != SladGlosu1 && n != SladGlosu2) return;
    if (okno_) {
        okno_->ZatrzymajOdtwarzaczSladu(n);
        okno_->OtworzPlikSladu(n, QString());
    }
    SladMiksuTyp& s = SladyMiksu[n];
    if (s.WlasnyZbior && !s.Adres.str().isEmpty()) {
        usun(s.Adres);
        usun(ZbiorObwiedni(s.Adres));
        usun(ZbiorOpisu(s.Adres));
    }
    // The element stays in the working copy until applying removes it.
    s.Uzyty = 0;
    s.WlasnyZbior = 0;
    s.Adres = QString();
    s.Emisja = 0;
    s.Czas = 0;
    s.NowyPoczatek = 0;
    s.NowyKoniec = 0;
    s.ObwiedniaJest = 0;
    s.Obwiednia.clear();
    s.DlugoscObwiedni = 0;
    s.TytulEtykieta.clear();
    s.AutorEtykieta.clear();
    if (okno_) okno_->RozmiescZnaczniki();
    const int inny = SladGlosu1 + SladGlosu2 - n;
    SladMiksuTyp& pozostaly = SladyMiksu[inny];
    if (pozostaly.Uzyty) {
        pozostaly.Wybrany = 1;
        if (okno_) {
            okno_->PokazKaczke(-pozostaly.PoziomKaczki / 100);
            okno_->OdswiezSlad(inny);
        }
    } else if (okno_) {
        okno_->PokazKaczke(0);
    }
    if (okno_) okno_->OdswiezSlad(n);
    ZmianyMiksu = true;
}

// ---- the network copy ----

void NagrywarkaDJ::KopiujWgraniaDoSieci() {
    if (!Wgrywanie.WgrajKopiujJest) return;
    const auto nagrany = [](int v) { return SladyMiksu[v].Uzyty && SladyMiksu[v].Nagrany; };
    if (!nagrany(SladGlosu1) && !nagrany(SladGlosu2)) return;
    if (Wgrywanie.WgrajKopiujPytaj &&
        Decyzja(QStringLiteral("Czy skopiować DJa na dysk sieciowy?"), QString(), 2) != WynikTak)
        return;
    const auto kopiuj = [](const QString& zrodlo) {
        const QString cel = ZbiorWKataloguWgrywania(Wgrywanie.WgrajKatalogSiec, nazwaZRozszerzeniem(zrodlo));
        bool przerwane = false;
        // A take missing on the network plays nowhere else: the operator hears of it.
        KopiujZglaszajac(zrodlo, cel, QStringLiteral("Błąd kopiowania DJa: "), przerwane, OknoKopii::Brak);
    };
    for (int v : {SladGlosu1, SladGlosu2}) {
        if (!nagrany(v)) continue;
        const QString adres = SladyMiksu[v].Adres;
        kopiuj(adres);
        if (platform::fileExists(ZbiorObwiedni(adres))) kopiuj(ZbiorObwiedni(adres));
    }
}
