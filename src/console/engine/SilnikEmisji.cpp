#include "console/engine/SilnikEmisji.h"

#include <algorithm>

#include <QFileInfo>

#include "audio/OdtwarzaczeSlotow.h"
#include "console/engine/SerwisyEmisji.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/A1761DRIVER.h"
#include "foundation/Dialogi.h"
#include "foundation/UslugaDialogow.h"
#include "foundation/KestSter2.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/NastawyEmisji.h"

QString SlowoStartu(quint8 zrodlo) {
    static const char* const slowa[12] = {"PROG ", "MYSZ ", "KLAW ", "",      "STOL ", "TONE ",
                                          "CISZ ", "SATL ", "SPLM ", "SVTM ", "SRLM ", "UNDO "};
    return zrodlo < 12 ? QString::fromLatin1(slowa[zrodlo]) : QString();
}

SilnikEmisji::SilnikEmisji() : SilnikEmisji(nullptr) {}

SilnikEmisji::SilnikEmisji(std::nullptr_t)
    : stanWlasny_(std::make_unique<StanKonsoli>()),
      Stan(*stanWlasny_),
      odtwarzacze_(slotyEmisji_),
      wyjscia_(nullptr),
      wyjsciaPuste_(std::make_unique<WyjsciaEmisji>()),
      robocze_(std::make_unique<TElemPListy>()) {
    UstawWyjscia(nullptr);
    for (int s = 1; s <= LiczbaOdtwarzaczy; ++s)
        ZerujOdtwarzacz(quint8(s));
    // The program's engine too: an undo and the mix editor's write move the
    // players' element numbers, and the editor asks what is on air.
    PodlaczNumeryUndo(true);
    lst1DataPorownana_ = LST1Data;
    PodlaczLog();
}

SilnikEmisji::SilnikEmisji(StanKonsoli& stan, OdtwarzaczeSlotow& odtwarzacze, WyjsciaEmisji* wyjscia)
    : Stan(stan),
      odtwarzacze_(odtwarzacze),
      wyjscia_(nullptr),
      wyjsciaPuste_(std::make_unique<WyjsciaEmisji>()),
      robocze_(std::make_unique<TElemPListy>()) {
    UstawWyjscia(wyjscia);
    for (int s = 1; s <= LiczbaOdtwarzaczy; ++s)
        ZerujOdtwarzacz(quint8(s));
    PodlaczNumeryUndo(true);
    lst1DataPorownana_ = LST1Data;
    PodlaczLog();
}

SilnikEmisji::~SilnikEmisji() {
    PodlaczNumeryUndo(false);
    Historia.Oproznij();
    // What the log's writer still holds goes before any line written directly.
    Dziennik.Oproznij();
    ZdejmijKolejkeLogu(this);
}

void SilnikEmisji::PodlaczLog() {
    // The event log has a writer of its own, so a log folder that hangs
    // holds neither the tick nor the history, XML, RDS and INFO files; what
    // the day files' writer has to say goes to the log through it too.
    UstawKolejkeLogu(
        this, [this](std::function<void()> zapis) { Dziennik.Zlec(std::move(zapis)); },
        [this] {
            Historia.Oproznij();
            Dziennik.Oproznij();
        });
}

void SilnikEmisji::PokazUdzial() {
    // The presence worker looks at every folder of the list once a period,
    // and again every period while one does not answer: what a preparation
    // finds, it finds within that period, and a preparation's old finding
    // is not shown after the share is back.
    QString katalog, powod;
    Pliki.Awaria(&katalog, &powod);
    const QString tekst =
        katalog.isEmpty() ? QString() : QStringLiteral("Błąd odczytu katalogu ") + katalog + QStringLiteral(": ") + powod;
    if (tekst == awariaUdzialu_) return;
    if (tekst.isEmpty()) {
        const QString koniec = QStringLiteral("Odczyt katalogu ") + katalogAwarii_ + QStringLiteral(" znów działa");
        Log(koniec);
        wyjscia_->PokazBladUdzialu(koniec, false);
    } else {
        // Another folder or another reason of a fault that stands is shown, not logged again.
        if (awariaUdzialu_.isEmpty()) Log(tekst);
        wyjscia_->PokazBladUdzialu(tekst, true);
    }
    awariaUdzialu_ = tekst;
    katalogAwarii_ = katalog;
}

void SilnikEmisji::PokazZapisy() {
    Historia.PonowZalegle();
    if (!SaZmianyZapisu()) return;
    const QList<ZmianaZapisu> zmiany = ZmianyZapisu();
    if (zmiany.isEmpty()) return;
    for (const ZmianaZapisu& z : zmiany) Log(z.Tekst);
    const QString blad = TrwajacyBladZapisu();
    wyjscia_->PokazBladZapisu(blad.isEmpty() ? zmiany.last().Tekst : blad, !blad.isEmpty());
}

void SilnikEmisji::UstawWyjscia(WyjsciaEmisji* wyjscia) {
    wyjscia_ = wyjscia ? wyjscia : wyjsciaPuste_.get();
}

TElemPListy& SilnikEmisji::Robocze() {
    return *robocze_;
}

void SilnikEmisji::ZerujOdtwarzacz(quint8 slot) {
    if (slot < 1 || slot > LiczbaOdtwarzaczy)
        return;
    ::ZerujOdtwarzacz(Odtwarzacz[slot]);
}

QString SilnikEmisji::FlagiLogu() const {
    auto b = [](bool v) { return v ? QStringLiteral("1 ") : QStringLiteral("0 "); };
    QString t = b(StolSterowanie) + b(SatWlaczony) + b(AutostopJest) + b(Stan.TrybAutomat);
    for (quint8 s = 1; s <= 3; ++s) {
        bool gra = false;
        try {
            gra = odtwarzacze_.StanOdtwarzacza(s) == 1;
        } catch (...) {
            // a player that cannot say is stopped
        }
        t += gra ? QStringLiteral("P ") : QStringLiteral("S ");
    }
    return t;
}

bool RodzajReklamy(quint8 rodzaj) {
    return rodzaj == (Emisja.CzyLista2LSTPromosy ? RodzajPRO : RodzajREK);
}

bool SilnikEmisji::PlikElementu(qint32 numer, const QString& adres) const {
    switch (Pliki.StanElementu(numer, adres)) {
    case ObecnoscPlikow::Jest:
        return true;
    case ObecnoscPlikow::Brak:
        return false;
    case ObecnoscPlikow::BezOdpowiedzi:
        // Its share could not tell: it may air, and waits for the share.
        return true;
    case ObecnoscPlikow::Nieznany:
        break;
    }
    return ObecnyBezSprawdzenia(adres);
}

bool SilnikEmisji::SlotZajety(quint8 slot) const {
    if (slot < 1 || slot > LiczbaOdtwarzaczy)
        return false;
    if (Stan.OdtwarzaczZajety[slot])
        return true;
    try {
        return odtwarzacze_.StanOdtwarzacza(slot) == 1;
    } catch (...) {
        return false;  // a player that cannot say is stopped
    }
}

bool SilnikEmisji::WolneGlowne() const {
    return !Stan.OdtwarzaczZajety[1] && !Stan.OdtwarzaczZajety[2] && !Stan.OdtwarzaczZajety[3];
}

bool SilnikEmisji::NieGrajaGlowne() const {
    return !SlotGra[1] && !SlotGra[2] && !SlotGra[3];
}

bool SilnikEmisji::NaDeku(qint32 element) const {
    return element == Odtwarzacz[1].Element || element == Odtwarzacz[2].Element || element == Odtwarzacz[3].Element;
}

bool SilnikEmisji::KursorPrzedGranaPozycja() const {
    if (Emisja.MIXPLEdycjaPrzedGranaJest) return false;
    for (quint8 slot = 1; slot <= 3; ++slot)
        if (SlotZajety(slot) && Odtwarzacz[slot].Element > StanPlaylisty.Kursor) return true;
    return false;
}

// ---- dialogs: queued, shown by the window after the current event ----

void SilnikEmisji::Zapytaj(const KomunikatEmisji& k) {
    for (const KomunikatEmisji& q : KomunikatyOczekujace)
        if (q.rodzaj == k.rodzaj && q.linia1 == k.linia1 && q.linia2 == k.linia2)
            return;  // the same message is already waiting
    KomunikatyOczekujace.append(k);
    if (!wTiku_ && !Timer1Zajety && !poTikuZaplanowane_ && ZaplanujPoTiku) {
        poTikuZaplanowane_ = true;
        ZaplanujPoTiku();
    }
}

namespace {

// Clears a flag however the work ends.
struct Zwolnienie {
    bool& flaga;
    ~Zwolnienie() { flaga = false; }
};

// The dialogs of work that runs while the on-air loop waits for it: an
// information or error goes to the engine's queue, shown when the work is
// done; nothing pumps events; a question (none is expected) is left.
class DialogiOdroczone final : public DialogiCiche {
public:
    explicit DialogiOdroczone(std::function<void(const KomunikatEmisji&)> kolejka)
        : kolejka_(std::move(kolejka)), poprzednie_(Dialogi()) {
        UstawDialogi(this);
    }
    ~DialogiOdroczone() override { UstawDialogi(&poprzednie_); }
    DialogiOdroczone(const DialogiOdroczone&) = delete;
    DialogiOdroczone& operator=(const DialogiOdroczone&) = delete;

    void Blad(const QString& a, const QString& b) override { kolejka_({KomunikatEmisji::Informacja, a, b}); }
    void Info(const QString& a, const QString& b) override { kolejka_({KomunikatEmisji::Informacja, a, b}); }

private:
    std::function<void(const KomunikatEmisji&)> kolejka_;
    UslugaDialogow& poprzednie_;
};

}  // namespace

void SilnikEmisji::PoTiku() {
    poTikuZaplanowane_ = false;
    if (awariaCzeka_ && !Timer1Zajety) {
        awariaCzeka_ = false;
        Timer1Zajety = true;
        const Zwolnienie zwolnij{Timer1Zajety};
        DialogiOdroczone odroczone([this](const KomunikatEmisji& k) { Zapytaj(k); });
        StartAwaryjny();
    }
    while (!zlecone_.isEmpty() && !Timer1Zajety) zlecone_.takeFirst()();
    // A dialog already open (this call came from inside it) shows the rest
    // one after another when it closes.
    if (!pokazuje_)
        PokazKomunikaty();
}

void SilnikEmisji::ZlecPoTiku(std::function<void()> praca) {
    zlecone_.append(std::move(praca));
    if (!wTiku_ && !Timer1Zajety && !poTikuZaplanowane_ && ZaplanujPoTiku) {
        poTikuZaplanowane_ = true;
        ZaplanujPoTiku();
    }
}

void SilnikEmisji::PokazKomunikaty() {
    pokazuje_ = true;
    const Zwolnienie zwolnij{pokazuje_};
    // A dialog pumps events, so ticks (and new messages) may arrive while one
    // is open: take them one at a time off the front.
    while (!KomunikatyOczekujace.isEmpty()) {
        const KomunikatEmisji k = KomunikatyOczekujace.takeFirst();
        switch (k.rodzaj) {
        case KomunikatEmisji::Informacja:
        case KomunikatEmisji::BrakZbioruPalety:
            PokazInfo(k.linia1, k.linia2);
            break;
        case KomunikatEmisji::PytaniePaleta:
            if (Decyzja(k.linia1, k.linia2, 2) == WynikTak)
                wyjscia_->CzytajZestawSingli(k.linia2);
            break;
        case KomunikatEmisji::PytanieSerwis: {
            const TrzymanieListy trzymanie;
            if (serwisy_ && Decyzja(k.linia1, k.linia2, 2) == WynikTak)
                serwisy_->WstawPoPytaniu(k.element, k.linia2);
            break;
        }
        }
    }
}

// ---- deck refresh (display timer) ----

qint64 SilnikEmisji::ZagranoOdtwarzacza(quint8 slot) {
    const MIXMagnetType& r = Odtwarzacz[slot];
    if (!odtwarzacze_.OdtwarzaczIstnieje(slot) || odtwarzacze_.PlikOdtwarzacza(slot).isEmpty() ||
        odtwarzacze_.StanOdtwarzacza(slot) != 1)
        return 0;
    return odtwarzacze_.PozycjaOdtwarzacza(slot) - (qint64(r.NwP) - r.Emi);
}

qint64 SilnikEmisji::PozostaloOdtwarzacza(quint8 slot) {
    const MIXMagnetType& r = Odtwarzacz[slot];
    if (!odtwarzacze_.OdtwarzaczIstnieje(slot) || odtwarzacze_.PlikOdtwarzacza(slot).isEmpty() ||
        odtwarzacze_.StanOdtwarzacza(slot) != 1)
        return 0;
    return (qint64(r.NwK) - r.Emi) - odtwarzacze_.PozycjaOdtwarzacza(slot);
}

void SilnikEmisji::OdswiezOdtwarzacze() {
    if (Timer1Zajety)
        return;
    Pliki.ObserwujCzesc();
    ZamowNastepne();
    OdtwarzaczeBezDanych();
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s)
        ProbujSlot(s, [&] { OdswiezOdtwarzacz(s); });
}

void SilnikEmisji::OdtwarzaczeBezDanych() {
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) {
        if (!SlotZajety(s))
            continue;
        qint64 ms = 0;
        ProbujSlot(s, [&] { ms = odtwarzacze_.BrakDanychOdtwarzacza(s); });
        if (ms < BrakDanychMs)
            continue;
        const QString adres = Odtwarzacz[s].SygnalSlotu.Adres;
        Log(QStringLiteral("!!! BRAK DANYCH Z DYSKU !!! Odtwarzacz %1: %2 - nic do grania od %3 ms, koniec elementu")
                .arg(s)
                .arg(adres)
                .arg(ms));
        wyjscia_->UstawStatus(QStringLiteral("Odtwarzacz %1: brak danych z dysku - %2").arg(s).arg(adres),
                              KolorStatusu::Czerwony);
        KoniecEmisji(s, PowodProg);
    }
}

void SilnikEmisji::BladSlotu(quint8 slot, const QString& powod) {
    const MIXMagnetType& r = Odtwarzacz[slot];
    const QString element = r.SygnalSlotu.Nazwa + QLatin1Char('@') + QString::number(r.StartMS);
    if (bladSlotu_[slot] == element)
        return;
    bladSlotu_[slot] = element;
    Log(QStringLiteral("Błąd odtwarzacza ") + QString::number(slot) + QLatin1Char(' ') + r.SygnalSlotu.Nazwa +
        QStringLiteral(": ") + powod);
}

void SilnikEmisji::OdswiezOdtwarzacz(quint8 slot) {
    if (slot < 1 || slot > LiczbaOdtwarzaczy)
        return;
    MIXMagnetType& r = Odtwarzacz[slot];
    WidokOdtwarzacza& w = Widok[slot];
    const bool gra = odtwarzacze_.OdtwarzaczIstnieje(slot) && odtwarzacze_.StanOdtwarzacza(slot) == 1;
    const bool plik = odtwarzacze_.OdtwarzaczIstnieje(slot) && !odtwarzacze_.PlikOdtwarzacza(slot).isEmpty();

    // The peak meters belong to the window's sound view; the engine keeps them at rest.
    w.VuLewy = 0;
    w.VuPrawy = 0;

    const qint64 z = ZagranoOdtwarzacza(slot);
    const qint64 pozostalo = PozostaloOdtwarzacza(slot);
    if (plik)
        r.DlugoscElementu = qMax<qint64>(r.DlugoscElementu, qint64(r.NwK) - r.NwP);
    r.Zagrano = qint32(qMax<qint64>(r.Zagrano, z));
    r.Pozostalo = qint32(pozostalo);
    if (r.DlugoscElementu > 0)
        r.Udzial = qMax<qint32>(r.Udzial, qint32(qMin<qint64>(1000, z * 1000 / r.DlugoscElementu)));

    qint64 czas = 0;
    StanCzasuOdtwarzacza stan = StanCzasuOdtwarzacza::Zatrzymany;
    if (gra) {
        const qint64 intro = qint64(r.Int) - (qint64(r.NwP) - r.Emi);
        if (z < intro) {
            czas = intro - z;
            stan = StanCzasuOdtwarzacza::Intro;
        } else {
            czas = pozostalo;
            // An element without an outro mark (0) has no outro to mark:
            // it is warned like any other, by CzasZnacz.
            const qint64 ostrzezenie = Emisja.CzyZnaczOutro && r.Out > 0 ? qint64(r.NwK) - r.Emi - r.Out
                                                                         : qint64(Emisja.CzasZnacz) * 1000;
            stan = (pozostalo < ostrzezenie && pozostalo > 500) ? StanCzasuOdtwarzacza::Ostrzezenie
                                                                : StanCzasuOdtwarzacza::Normalny;
        }
    }
    qint64 dlugosc = r.DlugoscElementu;
    qint64 zagrano = z;
    if (gra && Emisja.CzyReklamaJakoBelka && Stan.PauzaJest && SlotEmisjiTeraz == slot) {
        // A time-list block: its totals stand for the element's.
        const qint64 blok = BlokDlugosc;
        czas = pozostalo + blok - BlokPrzesuniecie - r.DlugoscElementu;
        zagrano = z + BlokPrzesuniecie;
        dlugosc = blok;
        r.Element = Stan.ElementStartowany;
        if (dlugosc > 0)
            r.Udzial = qMax<qint32>(r.Udzial, qint32(qMin<qint64>(1000, zagrano * 1000 / dlugosc)));
        stan = StanCzasuOdtwarzacza::Blok;
        // Relay 1 marks the block on air.
        quint8 przekazniki = 0;
        CzytajPrzekazniki(przekazniki);
        if (przekazniki == 0)
            ZapiszPrzekazniki(1);
    }
    w.Stan = stan;
    w.Czas = czas;
    w.Zagrano = zagrano;
    w.Dlugosc = dlugosc;
    w.FOutWcisniety = plik && r.FadeTrwa;

    if (Emisja.CzyInfoZbiorJest && !r.InfoZapisany && z > 1000) {
        r.InfoZapisany = 1;
        wyjscia_->ZapiszPlikInfo(slot);
    }
}

void SilnikEmisji::PrzyciskStop(quint8 slot) {
    // A stray click on an idle deck does nothing: no log line, and in SAT
    // mode no second fade-in of the feed.
    if (!SlotZajety(slot))
        return;
    if (RodzajReklamy(Odtwarzacz[slot].RodzajElementu) && !Stan.TrybAutomat)
        ReklamaNaOdtwarzaczu = false;
    KoniecEmisji(slot, PowodMysz);
    SemiAutomatJest = false;
    SemiAutomatGotowy = false;
}

void SilnikEmisji::PrzyciskFOut(quint8 slot) {
    ZadanieFade(slot);
}

OpcjeOdtwarzaczy OpcjeOdtwarzaczyZNastaw() {
    OpcjeOdtwarzaczy o;
    o.CzyPlayerZgodnoscWinXP = Emisja.CzyPlayerZgodnoscWinXP;
    o.Kanal = {0, Emisja.Kanal1, Emisja.Kanal2, Emisja.Kanal3, Emisja.Kanal4, Emisja.Kanal5};
    o.KanalNazwa = {QString(), Emisja.Kanal1Nazwa, Emisja.Kanal2Nazwa, Emisja.Kanal3Nazwa,
                    Emisja.Kanal4Nazwa, Emisja.Kanal5Nazwa};
    return o;
}

