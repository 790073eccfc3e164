#include "console/window/TTolv.h"

#include "console/engine/EmisjaTimelisty.h"

#include "audio/DMagnet.h"
#include "console/commands/Komendy.h"
#include "console/commands/ObslugiKomend.h"
#include "foundation/PowtorzeniaKlawiszy.h"
#include "foundation/Dialogi.h"
#include "foundation/DialogiQt.h"
#include "foundation/KestSter2.h"
#include "console/window/PanelPlaylisty.h"
#include "console/window/PanelSingli.h"
#include "console/window/PanelyDolne.h"
#include "console/engine/PanelListy.h"
#include "playlists/D_Timelista.h"
#include "library/DBazaOkno.h"
#include "library/DBazaWidok.h"
#include "library/DOpisNagr.h"
#include "playlists/D_Playlista.h"
#include "platform/Paths.h"
#include "playlists/NastawyEmisji.h"
#include "settings/TDlgNastawy.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QWheelEvent>

namespace {

UkladPaska UkladPaskaZNastaw() {
    UkladPaska u;
    u.SatTrybJest = Satelita.SatTrybJest;
    u.CiszaJest = Emisja.CiszaJest;
    u.CzyTrybEmisja = Emisja.CzyTrybEmisja;
    u.PanelPrzyciskSterowanieJest = Emisja.PanelPrzyciskSterowanieJest;
    u.CzyDodatkowaKlawiatura = Emisja.CzyDodatkowaKlawiatura;
    return u;
}

constexpr TColor KolorCienia = 0x808080;

}  // namespace

TTolv::TTolv(QWidget* parent)
    : TRForm(parent), dyspozytor_(silnik_.Stan, przyciski_, *this) {
    if (const QScreen* e = screen()) setMinimumSize(NajmniejszyRozmiar(e->availableGeometry().size()));
    setMouseTracking(true);
    FiltrujPowtorzeniaKlawiszy();
    // Every dialog opens in front of this window, centred on it.
    DialogiProgramu().UstawOknoGlowne(this);

    Timer1 = zegar("Timer1", 30);
    TimerWyswietlacz = new ZegarNaTiku(QStringLiteral("TimerWyswietlacz"), 100, [this] { TimerWyswietlaczTimer(); }, this);
    TListaSynchroKolejnoTimer = zegar("TListaSynchroKolejnoTimer", 31);
    GrajBlokReklamy = zegar("GrajBlokReklamy", 100);
    SingleKolejnoTimer = zegar("SingleKolejnoTimer", 300);
    AutomatTimer = zegar("AutomatTimer", 311);
    PListaAutoodczytTimer = zegar("PListaAutoodczytTimer", 300);
    SERWISTimer = zegar("SERWISTimer", 500);
    SatPlusTimer = zegar("SatPlusTimer", 5000);
    SATPLMWyciszTimer = zegar("SATPLMWyciszTimer", 1000);

    datagramy_ = std::make_unique<Datagramy>(zrodloPakietow_);
    wyjscia_ = std::make_unique<WyjsciaOkna>(*datagramy_, rds_, [this] { RysujOdtwarzacze(); });
    silnik_.UstawWyjscia(wyjscia_.get());
    wyjscia_->PanelPL = [this] { OdswiezPlayliste(); };
    wyjscia_->PanelTL = [this] { OdswiezTimeliste(); };
    wyjscia_->PoleKom = [this] {
        MalujPoleKomunikatu(*this, silnik_.Komunikat, false);
        komunikatNaEkranie_.reset();
    };
    wyjscia_->PoleNazwy = [this] { RysujNazwePlaylisty(*this); };
    // The lists start empty; their rectangles follow the window's size.
    UstawStanListy(StanPlaylisty, QStringLiteral("Emisja:"), {}, MaksPlaylisty, 7);
    InitTimelista(StanTimelisty, QStringLiteral("Emisja: Tyt:"), {}, MaksTimelisty, 7);
    TimelistaZbior = TimelistaNazwa = QStringLiteral("Nie_ma");
    PolaczZegary();
    // What the engine keeps out of its tick (its dialogs, the emergency
    // start) runs once the current event is done.
    silnik_.ZaplanujPoTiku = [this] {
        QTimer::singleShot(0, this, [this] {
            silnik_.PoTiku();
            PodswietlTryby();
        });
    };

    ZarejestrujObslugi(dyspozytor_, silnik_);
    // The settings dialog is a window: the window opens it.
    dyspozytor_.UstawObsluge(KomKonfiguracja, KomKonfiguracja, [this](quint16) { Konfiguracja(); });
    dyspozytor_.UstawObsluge(KomCzytajProfil, KomCzytajProfil, [this](quint16) { profil_.CzytajProfil(); });
    dyspozytor_.UstawObsluge(KomZapiszProfil, KomZapiszProfil, [this](quint16) { profil_.ZapiszProfil(); });
    dyspozytor_.UstawObsluge(KomWielosladOd, KomWielosladDo, [this](quint16 id) { KomendaWielosladu(id); });
    UtworzEtykiety();
    ZarejestrujObslugiSingli(dyspozytor_, sciana_);
    ZarejestrujObslugiTimelisty(dyspozytor_, timelista_);
    wyjscia_->UstawSciane(&sciana_);
    sciana_.Odsluch = [](const QString& plik, qint32 start) { PokazMagnetofon(plik, start, 1, 0, 0, 0); };
    // The wall assigns from the database window or the folder browser and
    // describes in the description editor.
    sciana_.Biblioteka.NagranieZBazy = [](QString& nazwa, QString& plik) {
        Baza();
        if (BazaWynikAdres.isEmpty()) return false;
        nazwa = BazaWynikDodatkowy;
        plik = BazaWynikAdres;
        return true;
    };
    sciana_.Biblioteka.EdytujOpis = [](SygnalType& sygnal) { ShowOpisNagr(sygnal, true); };
    // The time list inserts from the database window and describes in the
    // same editor; its list, folder and recording pickers are the browser's.
    timelista_.Zrodla.NagranieZBazy = sciana_.Biblioteka.NagranieZBazy;
    timelista_.Zrodla.EdytujOpis = sciana_.Biblioteka.EdytujOpis;
    PolaczScianeZKatalogiem(sciana_.Biblioteka, katalogi_);
    PolaczTimelisteZKatalogiem(timelista_, katalogi_);
    PolaczProfilZKatalogiem(profil_, katalogi_);
    ZarejestrujObslugiPlaylisty(dyspozytor_, playlisty_);
    status_ = std::make_unique<PoleStatusuOkna>(this);
    status_->StatusLabel->Klik = [this] { StatusLabelClick(); };
    // A double click stops the running check.
    status_->StatusLabel->PodwojnyKlik = [] { StanPrzerwij = true; };
    wyjscia_->Status = status_.get();
    PolaczPlaylisteZKatalogiem(playlisty_, katalogi_);
    PolaczReklamyZKatalogiem(*wyjscia_, katalogi_);
    wyjscia_->PlikiTimelisty = [this](bool pytania) { timelista_.SprawdzPlikiTimelisty(pytania); };
    // Editing picks from the database window and the browser, describes in
    // the description editor, and plays time-list entries now.
    ZarejestrujObslugiEdycji(dyspozytor_, edycja_, silnik_);
    edycja_.Zrodla.NagranieZBazy = sciana_.Biblioteka.NagranieZBazy;
    edycja_.Zrodla.EdytujOpis = sciana_.Biblioteka.EdytujOpis;
    PolaczEdycjeZKatalogiem(edycja_, katalogi_);
    wyjscia_->GrajTeraz = [this](quint8 odtwarzacz, int zrodlo) {
        EmitujPozycjeTimelisty(silnik_, odtwarzacz, quint8(zrodlo), timelista_.TimelistaOpcja);
    };
    Rozmiesc();
}

void TTolv::StatusLabelClick() {
    if (platform::fileExists(LogNazwa) && !silnik_.Stan.CzytaniePlaylisty) {
        status_->StatusGauge->setValue(0);
        PokazRaport(LogNazwa);
        return;
    }
    status_->UstawStatus(QStringLiteral("OK"), KolorStatusu::Czarny);
}

void TTolv::Konfiguracja() {
    TDlgNastawy* dialog = DlgNastawy();
    if (!dialog) return;
    dyspozytor_.WcisnijPrzycisk(PKonfiguracja, true);
    if (Nastawy.HasloINIJest) {
        // The field takes the whole password, however long it was set.
        const int dlugosc = qMax(10, int(Nastawy.HasloINITekst.size()));
        TekstPodany.clear();
        const bool dobre = PodajTekst(QStringLiteral("Podaj hasło dostępu"), dlugosc * 100, 9) == WynikTak &&
                           TekstPodany == Nastawy.HasloINITekst;
        TekstPodany.clear();
        if (!dobre) {
            dyspozytor_.WcisnijPrzycisk(PKonfiguracja, false);
            return;
        }
    }
    dialog->Pokaz();
    dyspozytor_.WcisnijPrzycisk(PKonfiguracja, false);
    // The console's keys work at once after the dialog.
    activateWindow();
    setFocus();
}

void TTolv::PolaczZegary() {
    zegary_.Przypisz(TimerKonsoli::SingleKolejno, SingleKolejnoTimer);
    zegary_.Przypisz(TimerKonsoli::AutomatTimer, AutomatTimer);
    zegary_.Przypisz(TimerKonsoli::PListaAutoodczyt, PListaAutoodczytTimer);
    zegary_.Przypisz(TimerKonsoli::SatPlus, SatPlusTimer);
    zegary_.Przypisz(TimerKonsoli::SATPLMWycisz, SATPLMWyciszTimer);
    UstawZegary(&zegary_);

    connect(Timer1, &QTimer::timeout, this, &TTolv::Timer1Timer);
    connect(SingleKolejnoTimer, &QTimer::timeout, this, [this] { timery_.SingleKolejnoTimerTimer(); });
    // These two rest while they have nothing to look at; the tick wakes them.
    connect(GrajBlokReklamy, &QTimer::timeout, this, [this] {
        if (timery_.BlokReklamCzeka())
            timery_.GrajBlokReklamyTimer();
        else
            GrajBlokReklamy->stop();
    });
    connect(TListaSynchroKolejnoTimer, &QTimer::timeout, this, [this] {
        if (timery_.TimelistaCzeka())
            timery_.TListaSynchroKolejnoTimerTimer();
        else
            TListaSynchroKolejnoTimer->stop();
    });
    connect(AutomatTimer, &QTimer::timeout, this, [this] { timery_.AutomatTimerTimer(); });
    connect(PListaAutoodczytTimer, &QTimer::timeout, this, [this] { timery_.PListaAutoodczytTimerTimer(); });
    connect(SatPlusTimer, &QTimer::timeout, this, [this] { timery_.SatPlusTimerTimer(); });
    connect(SATPLMWyciszTimer, &QTimer::timeout, this, [this] { timery_.SATPLMWyciszTimerTimer(); });
    connect(SERWISTimer, &QTimer::timeout, this, [this] { serwisy_.SERWISTimerTimer(); });
}

void TTolv::Timer1Timer() {
    silnik_.Timer1Timer();
    PodswietlTryby();
    // A wake of the GUI thread costs more than these checks: the time-list
    // and advert-block timers run only while there is something to check,
    // and start again from here, within a tick of being given it.
    if (!TListaSynchroKolejnoTimer->isActive() && timery_.TimelistaCzeka()) TListaSynchroKolejnoTimer->start();
    if (!GrajBlokReklamy->isActive() && timery_.BlokReklamCzeka()) GrajBlokReklamy->start();
    // The display refresh has no wake of its own: it rides on this one.
    TimerWyswietlacz->Tik(Timer1->interval());
}

void TTolv::TimerWyswietlaczTimer() {
    if (silnik_.Timer1Zajety) return;
    timery_.RDSEtykieta = rds_.EtykietaRDS ? TekstEtykietyRDS() : QString();
    timery_.TimerWyswietlaczTimer();
    OdswiezZegary();
    OdswiezEtykietyRDS();
    if (silnik_.Stan.PanelDolny == PanelSingle) sciana_.OdswiezSingle();
    if (silnik_.Stan.PanelDolny == PanelWieloslad)
        RysujPasyWielosladu(*this, wieloslad_, StanPlaylisty.Kursor, timery_.TerazMS);
    RysujOdtwarzacze();
    OdswiezWierszeNaTiku();
    // A status text blinks every other second.
    const std::pair komunikat(silnik_.Komunikat, !silnik_.Komunikat.isEmpty() && (timery_.TerazMS / 1000) % 2 == 1);
    if (komunikatNaEkranie_ != komunikat) {
        MalujPoleKomunikatu(*this, komunikat.first, komunikat.second);
        komunikatNaEkranie_ = komunikat;
    }
    // The field shows whole seconds, in its own colour once they run out.
    const qint64 doNastepnej = timery_.DoNastepnejTL;
    const std::pair synch(timery_.TimelistaSynchroJest, doNastepnej <= 0 ? qint64(-1) : doNastepnej / 1000);
    if (synchNaEkranie_ != synch) {
        RysujSynchLabel(*this, doNastepnej, synch.first);
        synchNaEkranie_ = synch;
    }
    PodswietlTryby();
}

void TTolv::OdswiezWierszeNaTiku() {
    if (silnik_.PlaylistaZmieniona) return;
    const bool korekta = silnik_.Stan.KorektaCzasuJest;
    if (!korekta && !Emisja.CzyReklamaJakoBelka) return;
    const StanListy& st = StanPlaylisty;
    for (qint32 n = st.Pierwszy; n < st.Pierwszy + st.Wierszy && n <= st.Ilosc; ++n)
        if (korekta || RodzajElemPListy(Playlista[size_t(n)].Typ) == RodzajREK) RysujWierszPlaylisty(*this, silnik_, n);
}

QTimer* TTolv::zegar(const char* nazwa, int ms) {
    auto* t = new QTimer(this);
    t->setObjectName(QString::fromLatin1(nazwa));
    t->setInterval(ms);
    return t;
}

void TTolv::UstawPanelStartowy(quint8 modulStart) {
    dyspozytor_.UstawPanelDolny(modulStart >= 1 && modulStart <= 3 ? modulStart : quint8(PanelSingle));
}

void TTolv::Rozmiesc() {
    UstawSkale(width(), height());
    UstawPasekPrzyciskow(przyciski_, UkladPaskaZNastaw());
    UstawPrzyciskiGodzin(przyciski_, silnik_.Stan.Zegar12h);
    UstawPrzyciskiWielosladu(przyciski_);
    UstawPrzyciskiTimelisty(przyciski_, Emisja.CzyTrybEmisja, Emisja.TimelistaPrzyciskPytajJest);
    sciana_.UstawPrzyciski(Emisja.CzyDodatkowaKlawiatura);
    TRect r;
    ProstokatSkala(r, 2, 0, 225, 77);
    UkladOdtwarzacza(*this, panelA_, r, 1);
    ProstokatSkala(r, 228, 0, 451, 77);
    UkladOdtwarzacza(*this, panelB_, r, 2);
    UstawPanele();
    RozmiescEtykiety();
    // Below the time list's buttons, clear of the clocks and mode labels.
    if (status_) status_->Rozmiesc(456, 478, 180, 16);
    RysujOkno();
}

void TTolv::RysujOkno() {
    TRect calosc;
    Prostokat(calosc, 0, 0, width() - 1, height() - 1);
    PoleKolorE(calosc, KolorTlaPrzycisku);
    RysujPanelPlaylisty();
    RysujPasekPrzyciskow();
    panelA_.Narysowany.reset();
    panelB_.Narysowany.reset();
    RysujOdtwarzacze();
    RysujTimeliste(*this, silnik_.Stan.Zegar12h);
    RysujNazweTimelisty(*this);
    RysujNazwePlaylisty(*this);
    RysujSynchLabel(*this, timery_.DoNastepnejTL, timery_.TimelistaSynchroJest);
    synchNaEkranie_.reset();
    for (const auto& b : przyciski_.Timelista) BUTTON_Draw(b);
    RysujPanelDolny();
}

void TTolv::RysujPasekPrzyciskow() {
    TRect r;
    ProstokatSkalaWH(r, 454, 0, 186, 77);
    PoleWypukleE(r, KolorTlaPrzycisku, KolorCienia, KolorBialy);
    ProstokatSkalaWH(r, 454, 78, 186, 236);
    PoleWypukleE(r, KolorTlaPrzycisku, KolorCienia, KolorBialy);
    for (int y : {109, 159, 210, 238, 266})
        LiniaHCienE(SkalaX(456), SkalaX(638), SkalaY(y), KolorCienia, KolorBialy);

    for (const auto& b : przyciski_.Pasek) BUTTON_Draw(b);
    for (const auto& b : przyciski_.Godziny) BUTTON_Draw(b);
}

qint32 TTolv::KursorPlaylisty() const { return StanPlaylisty.Kursor; }

void TTolv::OdmowaPodczasCzytania() { ::OdmowaPodczasCzytania(silnik_); }

void TTolv::RysujPrzycisk(const BUTTONType& b) { BUTTON_Draw(b); }

void TTolv::RysujPanelDolny() {
    const quint8 panel = silnik_.Stan.PanelDolny;
    // The long playlist takes the lower area; leaving it gives the area back.
    if (UstawDlugaPlayliste(panel == PanelDlugaPlaylista)) {
        // The two panels' edges fall on different pixels at most scales:
        // nothing of the other layout may stay between them.
        TRect obszar;
        ProstokatSkala(obszar, 0, 78, 453, 480);
        PoleKolorE(obszar, KolorTlaPrzycisku);
        PrzewinDoKursora(StanPlaylisty);
        RysujPanelPlaylisty();  // draws a description or a timeline after it
        if (panel == PanelSingle) RysujWidokDolny();
        return;
    }
    RysujWidokDolny();
}

void TTolv::RysujWidokDolny() {
    switch (silnik_.Stan.PanelDolny) {
    case PanelSingle: RysujPanelSingli(*this, sciana_, przyciski_); break;
    case PanelOpis: RysujOpisElementu(*this, StanPlaylisty.Kursor); break;
    case PanelWieloslad: RysujWieloslad(*this, wieloslad_, przyciski_, StanPlaylisty.Kursor, timery_.TerazMS); break;
    default: break;  // the long playlist draws with the playlist panel
    }
}

void TTolv::KomendaWielosladu(quint16 id) {
    // The button is lit while its command runs.
    BUTTONType* przycisk = nullptr;
    for (auto& b : przyciski_.Wieloslad)
        if (b.Kod == id) przycisk = &b;
    if (przycisk) BUTTON_ON(*przycisk);
    switch (wieloslad_.Komenda(id, silnik_)) {
    case OsCzasu::Skutek::Playlista: OdswiezPlayliste(); break;  // the timeline follows
    case OsCzasu::Skutek::Wieloslad: RysujWidokDolny(); break;
    case OsCzasu::Skutek::Nic: break;
    }
    if (przycisk) BUTTON_OFF(*przycisk);
}

void TTolv::KlikWielosladu() {
    const QPoint siatka(qRound(MyszPunkt.x() / SkalaPozioma), qRound(MyszPunkt.y() / SkalaPionowa));
    if (wieloslad_.Klik(siatka, silnik_) == OsCzasu::Skutek::Playlista) OdswiezPlayliste();
    PodswietlTryby();
}

void TTolv::RysujSingle() {
    if (silnik_.Stan.PanelDolny == PanelSingle) RysujPanelDolny();
}

void TTolv::RysujSlotSingla(int slot) {
    if (silnik_.Stan.PanelDolny != PanelSingle) return;
    ::RysujSlotSingla(*this, sciana_, przyciski_, slot);
}

void TTolv::RysujPrzyciskSingli(int indeks) {
    if (silnik_.Stan.PanelDolny != PanelSingle) return;
    ::RysujPrzyciskSingli(*this, sciana_, przyciski_, indeks);
}

void TTolv::RysujOdtwarzacze() {
    RysujOdtwarzacz(*this, panelA_, silnik_.Odtwarzacz[1], silnik_.Widok[1]);
    RysujOdtwarzacz(*this, panelB_, silnik_.Odtwarzacz[2], silnik_.Widok[2]);
}

bool TTolv::PaneleOdtwarzaczy() {
    // Keys belong to the key table (Esc is "Wyjdź" there); the decks take clicks.
    if (Zdarzenie.Rodzaj != ZdarzenieMysz) return false;
    return ObsluzPrzyciskiOdtwarzacza(*this, panelA_, silnik_, 1) ||
           ObsluzPrzyciskiOdtwarzacza(*this, panelB_, silnik_, 2);
}

void TTolv::ObsluzZdarzenie() {
    // A right click on a single previews it: the wall needs the button.
    sciana_.PrzyciskMyszy = Zdarzenie.Rodzaj == ZdarzenieMysz ? MyszPrzycisk : 0;
    if (!PaneleOdtwarzaczy()) dyspozytor_.Dyspozytuj();
    PodswietlTryby();
}

void TTolv::PodswietlTryby() {
    dyspozytor_.WcisnijPrzycisk(PSterowanie, silnik_.StolSterowanie);
    dyspozytor_.WcisnijPrzycisk(PSat, silnik_.SatWlaczony);
    dyspozytor_.WcisnijPrzycisk(PAutoStop, silnik_.AutostopJest);
    dyspozytor_.WcisnijPrzycisk(PAutomat, silnik_.Stan.TrybAutomat);
    dyspozytor_.WcisnijPrzycisk(PCisza, Emisja.CiszaGra);
    dyspozytor_.WcisnijPrzycisk(PAktualizacja, silnik_.Stan.KorektaCzasuJest);
    dyspozytor_.WcisnijPrzycisk(PPrzesun, silnik_.Stan.TrybPrzesuwania);
    dyspozytor_.WcisnijPrzycisk(PBlok, silnik_.Stan.TrybBloku);
    dyspozytor_.WcisnijPrzycisk(PBazaKat, silnik_.Stan.TrybWstawiania == 2);
    sciana_.PodswietlPrzyciski();
    const auto zapal = [this](int indeks, bool stan) {
        BUTTONType& b = przyciski_.Timelista[size_t(indeks)];
        if (b.Stan == (stan ? 1 : 0)) return;
        b.Stan = stan ? 1 : 0;
        BUTTON_Draw(b);
    };
    zapal(PTSynchro, timery_.TimelistaSynchroJest);
    zapal(PTPytaj, timelista_.TimelistaOpcja);
    // "^": the time list's block plays its entries one after another.
    zapal(PTKolejno, silnik_.Stan.PauzaJest);
}

void TTolv::resizeEvent(QResizeEvent* event) {
    TRForm::resizeEvent(event);
    Rozmiesc();
}

void TTolv::mousePressEvent(QMouseEvent* event) {
    silnik_.Stan.ZdarzenieFlaga =
        (event->button() == Qt::RightButton && event->modifiers() == Qt::AltModifier) ? 1 : 0;
    TRForm::mousePressEvent(event);
}

void TTolv::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Zdarzenie.X = p.x();
    Zdarzenie.Y = p.y();
    // The thumb of the bar last pressed follows the pointer while the left
    // button is held.
    if (przeciagany_ && (event->buttons() & Qt::LeftButton)) {
        StanListy& st = *przeciagany_;
        st.Pierwszy = PierwszyDlaSuwaka(st, p.y() - st.Pasek.Top, st.Pasek.Bottom - st.Pasek.Top);
        if (przeciagany_ == &StanPlaylisty) {
            RysujPanelPlaylisty();
        } else {
            RysujTimeliste(*this, silnik_.Stan.Zegar12h);
            synchNaEkranie_.reset();
        }
    } else {
        przeciagany_ = nullptr;
    }
    TRForm::mouseMoveEvent(event);
}

void TTolv::wheelEvent(QWheelEvent* event) {
    const int kroki = event->angleDelta().y();
    if (kroki == 0) {
        event->ignore();
        return;
    }
    event->accept();
    dyspozytor_.Kolko(kroki < 0, event->position().toPoint());
    PodswietlTryby();
}
