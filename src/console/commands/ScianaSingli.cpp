// The singles wall: its buttons, commands, airing and refresh.
#include "console/commands/ScianaSingli.h"

#include "audio/OdtwarzaczeSlotow.h"
#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "console/commands/Komendy.h"
#include "console/commands/PrzyciskiKonsoli.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/TrybyEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/DDecyzjaCzas.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestPods2.h"
#include "foundation/Text.h"
#include "foundation/KestSter2.h"
#include "library/DKatalogNastawy.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

namespace {

constexpr TColor KolorZielony = 0x008000;
constexpr TColor KolorOliwkowy = 0x008080;
constexpr TColor KolorGranatowy = 0x800000;
const QString NieMa = QStringLiteral("Nie ma opisu");

// Two stored paths name the same file; an empty one names none.
bool tenSamPlik(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() && upperPL(a) == upperPL(b);
}

void ustaw(BUTTONType& b, int lewy, int gorny, int szer, int wys, const QString& tytul, quint16 kod, TColor kolor) {
    TRect r;
    ProstokatSkalaWH(r, lewy, gorny, szer, wys);
    UstawPrzycisk(b, r, tytul, kod);
    b.Kolor = kolor;
}

}  // namespace

void WyczyscSingiel(TSingiel& g) { g = TSingiel{}; }

bool NazwaZestawuZastrzezona(const QString& nazwa) {
    return nazwa.trimmed().isEmpty() || upperPL(nazwa) == QStringLiteral("NIE_MA");
}

int IndeksPrzyciskuSingli(quint16 id) {
    if (id >= KomSingielF1 && id <= KomSingielF12) return PSingielF1 + (id - KomSingielF1);
    if (id >= KomPaletaCtrlF1 && id <= KomPaletaCtrlF6) return PPaleta1 + (id - KomPaletaCtrlF1);
    if (id >= KomSingleOd && id <= KomSingleDo) return PSingleX + (id - KomSingleOd);
    return -1;
}

ScianaSingli::ScianaSingli(SilnikEmisji& silnik, PrzyciskiKonsoli& przyciski, WidokSciany& widok)
    : silnik_(silnik), przyciski_(przyciski), widok_(widok) {
    postep_.fill(-1);
    Start();
}

void ScianaSingli::Start() {
    for (int p = 1; p <= LiczbaPalet; ++p) {
        oprozniPalete(p);
        SingleNazwa[size_t(p)] = QString::number(p);
        SingleZbior[size_t(p)].clear();
        SingleZestawFlaga[size_t(p)] = Emisja.SingleInitZapytajJest;
        SingleKolejnoPaleta[size_t(p)] = p == 1 && Emisja.SingleInitKolejnoJest;
        naAntenie_[size_t(p)] = false;
    }
    SinglePaleta = 1;
    SingleTryb = 1;
    SingleZmienione = false;
    SingleOstatni = 0;
    SingleOdtwarzacz = 0;
    SingleGrany = false;
    postep_.fill(-1);
}

void ScianaSingli::oprozniPalete(int paleta) {
    for (TSingiel& g : Single[size_t(paleta)]) WyczyscSingiel(g);
}

void ScianaSingli::UstawPrzyciski(bool dodatkowa) {
    auto& b = przyciski_.Single;
    const TColor szary = KolorSzary;
    static const int lewe[4] = {10, 120, 230, 339};
    for (int s = 1; s <= SlotowPalety; ++s)
        ustaw(b[size_t(PSingielF1 + s - 1)], lewe[(s - 1) % 4], 344 + 27 * ((s - 1) / 4), 104, 23,
              QStringLiteral("F") + QString::number(s), quint16(KomSingielF1 + s - 1),
              dodatkowa ? KolorZielony : szary);
    static const int palety[LiczbaPalet] = {10, 82, 156, 230, 302, 374};
    for (int p = 1; p <= LiczbaPalet; ++p) {
        BUTTONType& x = b[size_t(PPaleta1 + p - 1)];
        ustaw(x, palety[p - 1], 320, 68, 20, SingleNazwa[size_t(p)], quint16(KomPaletaCtrlF1 + p - 1),
              dodatkowa ? KolorGranatowy : szary);
        x.Klawisz = 0;  // a set's name is no hot key
    }
    const TColor granat = dodatkowa ? KolorGranatowy : szary;
    const TColor oliwka = dodatkowa ? KolorOliwkowy : szary;
    auto przycisk = [&](quint16 id) -> BUTTONType& { return b[size_t(IndeksPrzyciskuSingli(id))]; };
    ustaw(przycisk(4018), 10, 424, 104, 20, QStringLiteral("Autostop"), 4018, granat);
    ustaw(przycisk(4017), 120, 424, 214, 20, QStringLiteral("K A C Z K A"), 4017, granat);
    ustaw(przycisk(4019), 339, 424, 50, 20, QStringLiteral("Zapytaj"), 4019, granat);
    ustaw(przycisk(4020), 393, 424, 50, 20, QStringLiteral("Kolejno"), 4020, granat);
    ustaw(przycisk(4010), 10, 452, 18, 20, QStringLiteral("x"), 4010, szary);
    ustaw(przycisk(4011), 30, 452, 48, 20, QStringLiteral("Nowy"), 4011, szary);
    ustaw(przycisk(4012), 83, 452, 68, 20, QStringLiteral("Czytaj"), 4012, oliwka);
    ustaw(przycisk(4013), 156, 452, 68, 20, QStringLiteral("Zapisz"), 4013, szary);
    ustaw(przycisk(4014), 229, 452, 68, 20, QStringLiteral("Wstaw"), 4014, oliwka);
    ustaw(przycisk(4015), 302, 452, 68, 20, QStringLiteral("Usuń"), 4015, szary);
    ustaw(przycisk(4016), 375, 452, 68, 20, QStringLiteral("Info"), 4016, szary);
}

// ---- commands ----

void ScianaSingli::Komenda(quint16 id) {
    if (silnik_.Stan.PanelDolny != PanelSingle) return;
    if (id >= KomSingielF1 && id <= KomSingielF12) {
        klikSlotu(id - KomSingielF1 + 1);
    } else if (id >= KomPaletaCtrlF1 && id <= KomPaletaCtrlF6) {
        wybierzPalete(id - KomPaletaCtrlF1 + 1);
    } else {
        switch (id) {
        case KomSingleLewo: wybierzPalete(SinglePaleta - 1); break;
        case KomSinglePrawo: wybierzPalete(SinglePaleta + 1); break;
        case 4010:
            oprozniPalete(SinglePaleta);
            SingleNazwa[SinglePaleta] = QString::number(SinglePaleta);
            widok_.RysujSingle();
            break;
        case 4011: nowaPaleta(); break;
        case 4012: CzytajZestawSingli(QString()); break;
        case 4013: ZapiszZestawSingli(); break;
        case 4014: case 4015: case 4016: przelaczTryb(quint8(id - 4012)); break;
        case 4017: silnik_.SingleKaczkaJest = !silnik_.SingleKaczkaJest; break;
        case 4018:
            silnik_.SingleAutostopJest = !silnik_.SingleAutostopJest;
            if (Emisja.AutoStopWspolnyJest) silnik_.AutostopJest = silnik_.SingleAutostopJest;
            break;
        case 4019: SingleZestawFlaga[SinglePaleta] = !SingleZestawFlaga[SinglePaleta]; break;
        case 4020: przelaczKolejno(); break;
        default: break;
        }
    }
    PodswietlPrzyciski();
    KasujZdarzenie();
}

void ScianaSingli::klikSlotu(int s) {
    // A start waiting for its player pumps events: another press then must
    // not start a second single over it (nor this one twice).
    if (startuje_) return;
    TSingiel& g = Single[SinglePaleta][size_t(s)];
    wcisniety_ = s;
    widok_.RysujSlotSingla(s);
    switch (SingleTryb) {
    case 2: wstaw(g); break;
    case 3: WyczyscSingiel(g); break;  // not a change the reminder saves
    case 4: opis(g); break;
    default: GrajSingiel(s, PrzyciskMyszy == 2); break;
    }
    wcisniety_ = 0;
    if (SingleTryb != 1 && !Emisja.SinglePamietajTrybJest) SingleTryb = 1;
    widok_.RysujSlotSingla(s);
}

void ScianaSingli::przelaczTryb(quint8 tryb) {
    SingleTryb = SingleTryb == tryb ? 1 : tryb;
}

void ScianaSingli::przelaczKolejno() {
    const bool wlacz = !SingleKolejnoPaleta[SinglePaleta];
    SingleKolejnoPaleta.fill(false);
    SingleKolejnoPaleta[SinglePaleta] = wlacz;
    Zegary().Wlacz(TimerKonsoli::SingleKolejno, wlacz);
}

void ScianaSingli::PoProfilu() {
    bool jest = false;
    for (int p = 1; p <= LiczbaPalet; ++p) {
        bool& kolejno = SingleKolejnoPaleta[size_t(p)];
        kolejno = kolejno && !jest;
        jest = jest || kolejno;
    }
    Zegary().Wlacz(TimerKonsoli::SingleKolejno, SingleKolejnoPaleta[SinglePaleta]);
    postep_.fill(-1);
    widok_.RysujSingle();
    PodswietlPrzyciski();
}

void ScianaSingli::wybierzPalete(int paleta) {
    if (paleta > LiczbaPalet) paleta = 1;
    if (paleta < 1) paleta = LiczbaPalet;
    if (paleta != SinglePaleta) {
        Zegary().Wlacz(TimerKonsoli::SingleKolejno, false);
        // The reminder saves the palette being left, not the one coming.
        if (Emisja.SingleCzyPrzypominanieZapis && SingleZmienione) {
            ZapiszZestawSingli();
            SingleZmienione = false;
        }
        SinglePaleta = quint8(paleta);
        postep_.fill(-1);
    }
    widok_.RysujSingle();
}

QString ScianaSingli::katalogZestawow() const {
    return Emisja.SingleZapisKatalogiJest ? Emisja.SingleKatAdres[size_t(SinglePaleta - 1)] : Nastawy.RoboczyKatalog;
}

void ScianaSingli::nowaPaleta() {
    QString nazwa = SingleNazwa[SinglePaleta];
    if (WolnaNazwa(QStringLiteral("Nazwę palety singli "), katalogZestawow(), nazwa, QStringLiteral(".SIN")) !=
        OdpowiedzAkceptuj)
        return;
    if (NazwaZestawuZastrzezona(nazwa)) {
        PokazBlad2(302, QStringLiteral(" Inną od \"Nie_ma\" "));
        return;
    }
    // The name shown is the one later saves propose.
    SingleNazwa[SinglePaleta] = upperPL(nazwa);
    oprozniPalete(SinglePaleta);
    widok_.RysujSingle();
}

void ScianaSingli::brak(const char* co) {
    const QString tekst = QString::fromUtf8(co);
    if (zgloszone_.insert(tekst).second) Log(QStringLiteral("Funkcja niedostępna: ") + tekst);
}

void ScianaSingli::wstaw(TSingiel& g) {
    QString nazwa, plik;
    bool wybrane = false;
    if (silnik_.Stan.TrybWstawiania == 2) {
        if (Biblioteka.NagranieZBazy) wybrane = Biblioteka.NagranieZBazy(nazwa, plik);
        else brak("okno bazy nagrań");
    } else {
        if (Biblioteka.NagranieZKatalogu) wybrane = Biblioteka.NagranieZKatalogu(nazwa, plik);
        else brak("okno katalogu nagrań");
    }
    if (!wybrane || plik.trimmed().isEmpty()) return;
    // A file the players cannot play is never put on the wall (the check says why).
    if (!SprawdzOdtwarzalny(plik)) return;
    SygnalType sygnal;
    PustySygnal(sygnal);
    sygnal.Adres = plik;
    OpisNagraniaTyp opis;
    OtworzSygnal(sygnal, true, opis);
    g.Adr = plik.left(DlugoscAdresuSingla);
    g.Tyt = (opis.Tyt.isEmpty() || opis.Tyt == NieMa ? nazwa : opis.Tyt).left(DlugoscTytuluSingla);
    g.Trw = CzasTrwaniaPliku(plik);
    g.Stan = 0;
    SingleZmienione = true;
}

void ScianaSingli::opis(const TSingiel& g) {
    if (g.Adr.isEmpty()) return;
    if (!Biblioteka.EdytujOpis) {
        brak("edytor opisu nagrania");
        return;
    }
    SygnalType sygnal;
    PustySygnal(sygnal);
    sygnal.Nazwa = g.Tyt;
    sygnal.Adres = g.Adr;
    OtworzSygnal(sygnal, true);
    Biblioteka.EdytujOpis(sygnal);
}

// ---- airing ----

void ScianaSingli::odmowaObaGraja(const TSingiel& g) {
    const QString tekst = QStringLiteral("Singiel nie zagrał - oba odtwarzacze grają na wyjściu singli: ") + g.Tyt;
    Log(tekst);
    silnik_.Wyjscia().UstawStatus(tekst, KolorStatusu::Czerwony);
}

bool ScianaSingli::gra(quint8 odtwarzacz) const {
    if (odtwarzacz < 1 || odtwarzacz > LiczbaOdtwarzaczy) return false;
    try {
        return silnik_.Odtwarzacze().StanOdtwarzacza(odtwarzacz) == 1;
    } catch (...) {
        return false;  // a player that cannot say is stopped
    }
}

void ScianaSingli::zbudujElement(const TSingiel& g) const {
    InitElemPListy(ElemPListyRob);
    // The history and the STOP line name a single by its file, as a
    // recording picked in the browser is named.
    ElemPListyRob.Ide = NazwaSciezki(g.Adr);
    ElemPListyRob.Adr = g.Adr;
    SygnalType sygnal;
    OpisNagraniaTyp opis;
    // As the singles' read-ahead found it; a header it could not read
    // leaves the element empty, and its start says why.
    if (!silnik_.PrzygotowanySingiel(g.Adr, ElemPListyRob.Ide, &sygnal, &opis)) {
        PustySygnal(sygnal);
        sygnal.Adres = g.Adr;
        opis = OpisNagraniaTyp{};
    }
    WypelnijElemZOpisu(ElemPListyRob, opis, sygnal);
    // A recording without a description keeps the slot's title on air.
    if (opis.Tyt.isEmpty() || opis.Tyt == NieMa) ElemPListyRob.Tyt = g.Tyt;
}

bool ScianaSingli::przeczytany(quint8 p, int s, const TSingiel& g) {
    return silnik_.GotowyDoStartu(0, g.Adr, NazwaSciezki(g.Adr), -1, ZrodloKlaw, [this, p, s, adres = g.Adr] {
        // The tick asks no question: the press is made right after it, on
        // the slot still shown with the same file.
        silnik_.ZlecPoTiku([this, p, s, adres] {
            if (SinglePaleta == p && Single[p][size_t(s)].Adr == adres) GrajSingiel(s);
        });
    });
}

bool ScianaSingli::uruchom(quint8 odtwarzacz, const QString& adres) {
    // The sequence's tick may come while this waits: it must not start the next.
    const bool startowal = startuje_;
    startuje_ = true;
    silnik_.GrajKolejny(odtwarzacz, TrybRoboczy, ZrodloKlaw);
    // The start's outcome is known when it returns: a failed one has freed
    // the slot and said why; a player that takes the file and then never
    // moves is caught by the tick's watch of fresh starts. Nothing waits here.
    startuje_ = startowal;
    if (silnik_.Stan.OdtwarzaczZajety[odtwarzacz] && gra(odtwarzacz)) return true;
    Log(QStringLiteral("Singiel nie zagrał: ") + adres);
    PokazBlad(QStringLiteral("Nie można odtworzyć singla"), adres);
    return false;
}

// The timed decision with the slot drawn yellow; true on yes.
bool ScianaSingli::pytaj(int s, const TSingiel& g) {
    TSingiel& slot = Single[SinglePaleta][size_t(s)];
    slot.Stan = 2;
    widok_.RysujSlotSingla(s);
    const int odpowiedz = DecyzjaOEmisji(QStringLiteral("Czy wyemitować nagranie?"), ElemPListyRob.Tyt, g.Trw, 2);
    if (slot.Stan == 2) slot.Stan = stanSlotu(slot);
    widok_.RysujSlotSingla(s);
    return odpowiedz == WynikTak;
}

void ScianaSingli::GrajSingiel(int s, bool prawy, bool jest) {
    if (s < 1 || s > SlotowPalety) return;
    const quint8 p = SinglePaleta;
    // A copy: a dialog below pumps events, and a set read meanwhile must
    // not change what this press airs.
    const TSingiel g = Single[p][size_t(s)];
    const bool zapytaj = SingleZestawFlaga[p];
    const bool wspolneWyjscie = Emisja.Kanal4 == Emisja.Kanal1 || Emisja.Kanal4 == Emisja.Kanal2;

    if (wspolneWyjscie) {
        if (gra(1) && gra(2)) return odmowaObaGraja(g);
        if (!jest && !platform::fileExists(g.Adr)) {
            if (Emisja.CzyKomunikatBrakNagrania) PokazInfo(QStringLiteral("Nie ma nagrania"), g.Adr);
            return;
        }
        if (!prawy && !przeczytany(p, s, g)) return;
        zbudujElement(g);
        if (prawy) {
            const BUTTONType& b = przyciski_.Single[size_t(PSingielF1 + s - 1)];
            const int od = b.Rect.Left + 30, szerokosc = (b.Rect.Right - 3) - od;
            const qint64 x = qBound(0, MyszPunkt.x() - od, qMax(0, szerokosc));
            if (Odsluch) Odsluch(g.Adr, szerokosc > 0 ? qint32(qint64(g.Trw) * x / szerokosc) : 0);
            return;
        }
        if (!zapytaj) {
            SingleOstatni = quint8(s);
            SingleOdtwarzacz = gra(1) ? 2 : 1;
            SingleGrany = uruchom(SingleOdtwarzacz, g.Adr);
        } else {
            silnik_.FlagaWstawienia = false;
            if (pytaj(s, g)) {
                const quint8 gpi = DecyzjaGPI;
                if (gpi != 0 && gpi == silnik_.SlotEmisjiTeraz) {
                    silnik_.KoniecEmisji(gpi, PowodProg);
                    silnik_.Stan.PauzaJest = false;
                }
                SingleOstatni = quint8(s);
                silnik_.DecyzjaGPIStart = 0;
                if (gra(1) && gra(2)) {
                    SingleGrany = false;
                    odmowaObaGraja(g);
                } else {
                    // A desk input names its player, used only when idle;
                    // input 2 (3) names none of the main players.
                    if ((gpi == 1 || gpi == 2) && !gra(gpi)) SingleOdtwarzacz = gpi;
                    else SingleOdtwarzacz = gra(1) ? 2 : 1;
                    zbudujElement(g);
                    SingleGrany = uruchom(SingleOdtwarzacz, g.Adr);
                }
            } else {
                SingleGrany = false;
            }
            silnik_.FlagaWstawienia = true;
        }
    } else {
        // A second press on a single the singles player plays stops it.
        if (gra(4) && tenSamPlik(silnik_.Odtwarzacze().PlikOdtwarzacza(4), g.Adr)) {
            silnik_.KoniecEmisji(4, PowodProg);
            return;
        }
        if (!jest && !platform::fileExists(g.Adr)) return;
        if (!prawy && !przeczytany(p, s, g)) return;
        zbudujElement(g);
        if (prawy) {
            if (Odsluch) Odsluch(g.Adr, qMax(0, g.Trw - 7000));
            return;
        }
        if (!zapytaj) {
            SingleOstatni = quint8(s);
            // The sequence waits for this player.
            SingleOdtwarzacz = 4;
            SingleGrany = uruchom(4, g.Adr);
        } else {
            silnik_.FlagaWstawienia = false;
            if (pytaj(s, g)) {
                SingleOdtwarzacz = 4;
                if (SingleKolejnoPaleta[p]) {
                    if (DecyzjaGPI != 0) silnik_.DecyzjaGPIStart = 0;
                    else SingleOstatni = quint8(s);
                }
                zbudujElement(g);
                SingleGrany = uruchom(4, g.Adr);
            } else {
                SingleGrany = false;
            }
            silnik_.FlagaWstawienia = true;
        }
    }
    if (SingleKolejnoPaleta[p]) Zegary().Wlacz(TimerKonsoli::SingleKolejno, true);
}

void ScianaSingli::SingleKolejno() {
    const quint8 p = SinglePaleta;
    if (!SingleKolejnoPaleta[p] || !SingleGrany || startuje_ || silnik_.StartCzeka() || DecyzjaOEmisjiWidoczna() ||
        gra(SingleOdtwarzacz))
        return;
    // The slots after the last one are looked at by a worker, a folder at a
    // time; a later tick plays what it found.
    if (!kolejny_) {
        if (SingleOstatni >= SlotowPalety) {
            SingleGrany = false;
            return;
        }
        auto k = std::make_shared<KolejnySingiel>();
        k->paleta = p;
        k->od = SingleOstatni + 1;
        for (int s = k->od; s <= SlotowPalety; ++s) {
            const QString& a = Single[p][size_t(s)].Adr;
            k->adresy << QString(a.constData(), a.size());
        }
        kolejny_ = k;
        silnik_.ZlecSinglom([k] {
            const std::vector<bool> jest = platform::regularFiles(k->adresy);
            for (size_t i = 0; i < jest.size() && k->znaleziony == 0; ++i)
                if (jest[i]) k->znaleziony = k->od + int(i);
            k->gotowe.store(true, std::memory_order_release);
        });
        return;
    }
    if (!kolejny_->gotowe.load(std::memory_order_acquire)) return;
    const std::shared_ptr<KolejnySingiel> k = std::exchange(kolejny_, nullptr);
    // Another palette, a single pressed or a slot changed meanwhile: the
    // next tick looks again.
    if (k->paleta != p || k->od != SingleOstatni + 1 ||
        (k->znaleziony != 0 && Single[p][size_t(k->znaleziony)].Adr != k->adresy[k->znaleziony - k->od]))
        return;
    SingleGrany = false;
    if (k->znaleziony == 0) {
        SingleOstatni = SlotowPalety;
        return;
    }
    SingleOstatni = quint8(k->znaleziony);
    GrajSingiel(SingleOstatni, false, true);
}

// ---- refresh ----

quint8 ScianaSingli::stanSlotu(const TSingiel& g) const {
    if (g.Adr.isEmpty()) return 0;
    for (quint8 q = 1; q <= 4; ++q)
        if (tenSamPlik(silnik_.Odtwarzacze().PlikOdtwarzacza(q), g.Adr)) return 1;
    return 0;
}

void ScianaSingli::OdswiezSingle() {
    // The palette shown is opened, positioned and decoded ahead, so that a
    // press reads nothing but the file's presence.
    for (int s = 1; s <= SlotowPalety; ++s) {
        const TSingiel& g = Single[SinglePaleta][size_t(s)];
        if (!g.Adr.trimmed().isEmpty()) silnik_.Przygotuj(0, g.Adr, NazwaSciezki(g.Adr), -1);
    }
    // Each player's file once; an idle player has none and matches nothing.
    std::array<QString, LiczbaOdtwarzaczy + 1> pliki;
    std::array<bool, LiczbaOdtwarzaczy + 1> graja{};
    for (quint8 q = 1; q <= LiczbaOdtwarzaczy; ++q) {
        pliki[q] = upperPL(silnik_.Odtwarzacze().PlikOdtwarzacza(q));
        graja[q] = gra(q);
    }
    for (int p = 1; p <= LiczbaPalet; ++p) {
        bool naAntenie = false;
        for (int s = 1; s <= SlotowPalety; ++s) {
            TSingiel& g = Single[size_t(p)][size_t(s)];
            const QString adres = g.Adr.isEmpty() ? QString() : upperPL(g.Adr);
            qint32 postep = -1;
            quint8 stan = 0;
            for (quint8 q = 1; q <= LiczbaOdtwarzaczy && !adres.isEmpty(); ++q) {
                if (pliki[q] != adres) continue;
                if (q <= 4) stan = 1;
                if (graja[q]) postep = qBound(0, silnik_.Odtwarzacz[q].Udzial, 1000);
            }
            bool rysuj = false;
            if (g.Stan != 2 && g.Stan != stan) {
                g.Stan = stan;
                rysuj = true;
            }
            naAntenie = naAntenie || g.Stan == 1;
            if (p != SinglePaleta) continue;
            // A playing slot moves on every tick; one that stopped is drawn idle once.
            rysuj = rysuj || postep >= 0 || postep_[size_t(s)] >= 0;
            postep_[size_t(s)] = postep;
            if (rysuj) widok_.RysujSlotSingla(s);
        }
        if (naAntenie_[size_t(p)] != naAntenie) {
            naAntenie_[size_t(p)] = naAntenie;
            widok_.RysujPrzyciskSingli(PPaleta1 + p - 1);
        }
    }
}

void ScianaSingli::PodswietlPrzyciski() {
    auto& b = przyciski_.Single;
    const auto ustawStan = [&](int i, bool wlaczony) {
        const quint8 stan = wlaczony ? 1 : 0;
        if (b[size_t(i)].Stan == stan) return;
        b[size_t(i)].Stan = stan;
        widok_.RysujPrzyciskSingli(i);
    };
    for (int p = 1; p <= LiczbaPalet; ++p) {
        BUTTONType& x = b[size_t(PPaleta1 + p - 1)];
        // Asked on every tick: the title is copied only when it changed.
        const QStringView tytul = QStringView(SingleNazwa[size_t(p)]).left(DlugoscTytuluPrzycisku);
        if (x.Tytul != tytul) {
            x.Tytul = tytul.toString();
            widok_.RysujPrzyciskSingli(PPaleta1 + p - 1);
        }
        ustawStan(PPaleta1 + p - 1, p == SinglePaleta);
    }
    for (quint8 tryb = 2; tryb <= 4; ++tryb) ustawStan(IndeksPrzyciskuSingli(quint16(4012 + tryb)), SingleTryb == tryb);
    ustawStan(IndeksPrzyciskuSingli(4017), silnik_.SingleKaczkaJest);
    ustawStan(IndeksPrzyciskuSingli(4018), silnik_.SingleAutostopJest);
    ustawStan(IndeksPrzyciskuSingli(4019), SingleZestawFlaga[SinglePaleta]);
    ustawStan(IndeksPrzyciskuSingli(4020), SingleKolejnoPaleta[SinglePaleta]);
}

bool ScianaSingli::Sieciowy(const QString& adres) {
    if (!platform::hasDriveLetter(adres) || Katalogi.DyskOstatni.isEmpty()) return false;
    return upperPL(adres.left(1)) > upperPL(Katalogi.DyskOstatni.left(1));
}
