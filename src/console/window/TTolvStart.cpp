// Start-up and shutdown of the main window.
#include "console/window/TTolv.h"

#include "audio/DMagnet.h"
#include "audio/Obwiednia.h"
#include "audio/OpisNagrania.h"
#include "audio/cbDSMixer.h"
#include "console/links/TelnetGPI.h"
#include "console/window/PolaczeniaMiksow.h"
#include "console/window/ZamykanieProgramu.h"
#include "foundation/A1761DRIVER.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/KestWej.h"
#include "foundation/Zdarzenie.h"
#include "library/DBaza.h"
#include "library/DBazaOkno.h"
#include "library/DOpisNagr.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/audio/DeviceHub.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_PlaylistaPorzadki.h"
#include "playlists/NastawyEmisji.h"
#include "settings/Konfiguracja.h"
#include "settings/TDlgNastawy.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <optional>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QShowEvent>

const QString TTolv::WersjaProgramu = QStringLiteral("v.21.08.27");

TTolv::~TTolv() {
    if (utworzono_) FormDestroy();
    // The database outlives the window: nothing may ask a gone window.
    BazaOdtwarzaczeGraja = nullptr;
    KatalogZbiorWUzyciu = nullptr;
    // The engine and the modes outlive nothing of the window's.
    silnik_.UstawWyjscia(nullptr);
    if (&Zegary() == &zegary_) UstawZegary(nullptr);
    OdlaczMiksy();
    edycjaMiksow_.reset();
    nagrywarka_.reset();
    graczeEdytora_.reset();
}

void TTolv::FormCreate(const QStringList& argumenty) {
    utworzono_ = true;
    // Until the settings are read the same few folders are asked about again
    // and again (the default folder, the folder keys): each is looked at once.
    std::optional<JednoSpojrzenie> raz(std::in_place);
    // 1. Start-up defaults. The button bars and the lower panels were laid
    // out when the window was made.
    StartProgramu();
    PrzygotujStanyKatalogow(katalogi_);
    PolaczMiksy(silnik_, timery_);
    setWindowTitle(NazwaProgramu + QLatin1Char(' ') + WersjaProgramu);
    FlagaOdczytuPlaylisty = 1;
    // Every .MIX read ends with the descriptions pass.
    PrzypiszOpisyPoOdczycie = PrzypiszOpisyNagraniom;
    silnik_.Stan.Zegar12h = false;
    silnik_.Stan.OdtwarzaczZajety.fill(0);
    for (quint8 slot = 1; slot <= LiczbaOdtwarzaczy; ++slot) silnik_.ZerujOdtwarzacz(slot);

    // 2. Settings: every section's defaults, then its reader when the file is
    // the program's; otherwise every setting keeps its default.
    CzytajKonfiguracje(argumenty);
    StanyKatalogowPoNastawach(katalogi_);
    raz.reset();
    // The modes start as the settings (or their defaults) say, and so do
    // the singles wall's palettes.
    silnik_.TrybyStartowe();
    sciana_.Start();
    // The mix editor with its preview players, on the back-end just read,
    // and its voice-track recorder.
    graczeEdytora_ = std::make_unique<OdtwarzaczeEdytora>();
    nagrywarka_ = std::make_unique<NagrywarkaDJ>();
    nagrywarka_->Zainstaluj();
    edycjaMiksow_ = std::make_unique<TEdycjaMiksow>(*graczeEdytora_, nagrywarka_.get(), this);
    PolaczMiksy(silnik_, timery_, edycjaMiksow_.get());

    // 3. Output device names.
    NazwyUrzadzen();
    // 4. The lower panel.
    UstawPanelStartowy(Nastawy.ModulStart);
    // 5. Caption.
    setWindowTitle(windowTitle() + QStringLiteral("           Stanowisko nr: ") + QString::number(Nastawy.Numer) +
                   QStringLiteral(" - ") + Nastawy.Id + ZnakKonfiguracji() +
                   (brakBlokady_.isEmpty() ? QString() : QStringLiteral("   [BRAK BLOKADY KATALOGU]")));
    // 6. UDP senders.
    UstawNadawcowUDP();
    // 7. The day's history and XML files.
    OtworzPlikiHistorii();
    // 8. The I/O node.
    if (Satelita.GPI1Jest) {
        telnet_ = std::make_unique<TelnetGPI>(this);
        telnet_->Start();
    }
    // 9. The first log lines.
    Log(QString(60, QLatin1Char('#')));
    Log(QStringLiteral("Uruchomienie programu ") + windowTitle());
    Log(QStringLiteral("Katalog początkowy: ") + KatalogStartowy);
    if (!brakBlokady_.isEmpty()) Log(brakBlokady_ + QStringLiteral(" - praca bez blokady katalogu"));
    for (const QString& brak : brakiUrzadzen_) Log(brak);
    // 10. The emergency flag file.
    AwariaFlagaZbior = joinPath(platform::programFolder(), QStringLiteral("TolvaneAwaria.FLG"));
    // 11. The player slots.
    silnik_.Sloty.UstawOpcje(OpcjeOdtwarzaczyZNastaw());
    silnik_.Sloty.UtworzMiksery();
    // A sound card that does not play is logged and shown in the caption
    // until it plays again.
    silnik_.Sloty.UstawPokazAwarii([this, tytul = windowTitle()](const QString& awaria) {
        setWindowTitle(awaria.isEmpty() ? tytul : tytul + QStringLiteral("   !!! ") + awaria);
    });
    silnik_.SlotGra.fill(0);
    silnik_.SlotGralo.fill(0);
    if (platform::DeviceHub::instance().isVirtual())
        Log(QStringLiteral("Brak karty dźwiękowej - odtwarzanie na urządzeniu wirtualnym"));
    // 12. Dates and times are written with explicit formats; the locale is
    // set for whatever Qt formats by itself.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    // 13. The relay card, outputs cleared. The card and the input word see
    // the settings through OpcjeGPI, which the section readers keep.
    OtworzKarte();
    ZapiszPrzekazniki(0);
    // The preview window, made once; it sees its settings through OpcjePFL.
    OpcjePFL.KanalPFLNazwa = Emisja.KanalPFLNazwa;
    OpcjePFL.CzyPlayerPFLBlokuje = Emisja.CzyPlayerPFLBlokuje;
    if (!DMagnetofon()) new TDMagnetofon(this);
    // The settings dialog, made once, offers the devices found above.
    if (!DlgNastawy()) new TDlgNastawy(nazwyWyjsc_, nazwyWejsc_, this);
    // The library's windows, made once. The database is never rebuilt under
    // the on-air decks.
    if (!OknoBazy()) new TBaza(this);
    if (!DlgOpisNagr()) new TDlgOpisNagr(this);
    BazaOdtwarzaczeGraja = [this] { return silnik_.SlotZajety(1) || silnik_.SlotZajety(2); };
    // The browser deletes and renames no file a player or the preview holds:
    // Linux would unlink it under them without a word.
    if (!OknoKatalogu()) new TKatalog(this);
    KatalogZbiorWUzyciu = [this](const QString& sciezka) {
        const QString plik = platform::resolvePath(sciezka);
        // A recording's description and envelope go with it: its titles,
        // marks and waveform must outlive a deletion as surely as its sound.
        const QString r = RozszerzenieSciezki(sciezka);
        const bool towarzyszacy = r == QStringLiteral(".DAT") || r == QStringLiteral(".OBW");
        const auto jego = [&](const QString& adres) {
            if (adres.isEmpty()) return false;
            if (platform::resolvePath(adres) == plik) return true;
            return towarzyszacy && (platform::resolvePath(ZbiorOpisu(adres)) == plik ||
                                    platform::resolvePath(ZbiorObwiedni(adres)) == plik);
        };
        for (quint8 slot = 1; slot <= LiczbaOdtwarzaczy; ++slot)
            if (jego(silnik_.Odtwarzacz[slot].SygnalSlotu.Adres)) return true;
        const TDMagnetofon* podglad = DMagnetofon();
        if (podglad && podglad->isVisible() && jego(podglad->Plik())) return true;
        // Nor one the playlist is still to play, from the next mark on.
        for (qint32 n = std::max(StanPlaylisty.DoGrania, 1); n <= StanPlaylisty.Ilosc; ++n)
            if (jego(Playlista[size_t(n)].Adr)) return true;
        return false;
    };
    // 14. The capture control of the satellite fade (none: the fade sets nothing).
    silnik_.Wejscie = platform::openCaptureVolume();
    silnik_.Sloty.UstawWejscie(silnik_.Wejscie.get());
    // 15. The window mode.
    UstawTrybOkna(Nastawy.OknoStanStart);
    // The bar as the settings laid it out, with the modes they started.
    Rozmiesc();
    PodswietlTryby();
}

bool TTolv::TlumaczeniaQt() {
    static QTranslator* tlumacz = nullptr;
    if (tlumacz) return true;
    auto* t = new QTranslator(qApp);
    if (!t->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        Log(QStringLiteral("Brak tłumaczenia Qt (qtbase_pl.qm) - okna Qt po angielsku"));
        return false;
    }
    QCoreApplication::installTranslator(t);
    tlumacz = t;
    return true;
}

void TTolv::NazwyUrzadzen() {
    nazwyWyjsc_ = TcbDSMixer::DeviceDescriptions();
    nazwyWejsc_ = TcbDSMixer::CaptureDescriptions();
    const QStringList& urzadzenia = nazwyWyjsc_;
    // Where the virtual device was asked for, device numbers mean nothing.
    platform::DeviceHub& hub = platform::DeviceHub::instance();
    const bool liczySieNumer = !hub.isVirtual() || hub.isCardless();
    brakiUrzadzen_.clear();
    const auto nazwa = [&](QString& n, quint8 numer, const char* klucz) {
        if (!n.isEmpty()) return;
        if (urzadzenia.size() > numer) n = urzadzenia[numer];
        else if (liczySieNumer)
            brakiUrzadzen_ << QStringLiteral("Nie ma urządzenia dźwiękowego nr %1 (%2) - gra urządzenie domyślne \"%3\"")
                                  .arg(numer)
                                  .arg(QLatin1String(klucz), urzadzenia.value(0));
    };
    nazwa(Emisja.Kanal1Nazwa, Emisja.Kanal1, "Kanal1");
    nazwa(Emisja.Kanal2Nazwa, Emisja.Kanal2, "Kanal2");
    nazwa(Emisja.Kanal3Nazwa, Emisja.Kanal3, "Kanal3");
    nazwa(Emisja.Kanal4Nazwa, Emisja.Kanal4, "Kanal4");
    nazwa(Emisja.Kanal5Nazwa, Emisja.Kanal5, "Kanal5");
    nazwa(Emisja.KanalPFLNazwa, Emisja.KanalPFL, "KanalPFL");
}

void TTolv::UstawNadawcowUDP() {
    // Intervals, hosts and ports; a timer whose interval is 0 stays stopped.
    datagramy_->UstawNadawcow();
}

void TTolv::OtworzPlikiHistorii() { silnik_.OtworzPlikiHistorii(); }

QSize TTolv::NajmniejszyRozmiar(const QSize& miejsce) {
    return QSize(MinimalnaSzerokosc, MinimalnaWysokosc).boundedTo(miejsce);
}

QRect TTolv::GeometriaStartowa(quint8 tryb, const QRect& dostepny, const QRect& ekran, const QMargins& ramka) {
    if (tryb == 2) return ekran;
    const QRect wolny = dostepny.marginsRemoved(ramka);
    QSize s = wolny.size();
    if (tryb != 1) s = QSize(SzerokoscSiatki, WysokoscSiatki).scaled(s, Qt::KeepAspectRatio);
    QRect r(QPoint(0, 0), s.expandedTo(NajmniejszyRozmiar(wolny.size())));
    r.moveCenter(wolny.center());
    return r;
}

void TTolv::UstawTrybOkna(quint8 tryb) {
    trybOkna_ = tryb;
    // Without a layout Qt would size the window from its children, and
    // without a window manager nothing maximises it or makes it full
    // screen: the geometry comes first, the state after it.
    if (const QScreen* e = screen()) {
        setMinimumSize(NajmniejszyRozmiar((tryb == 2 ? e->geometry() : e->availableGeometry()).size()));
        setGeometry(GeometriaStartowa(tryb, e->availableGeometry(), e->geometry()));
    }
    switch (tryb) {
        case 0: setWindowState(Qt::WindowNoState); break;
        case 1: setWindowState(Qt::WindowMaximized); break;
        case 2:
            UkryjPasekZadan();
            setWindowFlag(Qt::WindowStaysOnTopHint, true);
            setWindowState(Qt::WindowFullScreen);
            // The windows made once (settings, library, mix editor) stay in
            // front of it; the dialogs made for one showing follow it.
            for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (w->isWindow()) w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
            break;
        default: break;
    }
}

QRect TTolv::Dopasowanie(Qt::WindowStates stan, const QRect& dostepny, const QRect& ekran, const QRect& ramka,
                         const QRect& okno) {
    // Full screen has no frame, a minimised window is not on the screen, and
    // no frame means no window manager: the geometry set at start stands.
    if (stan & (Qt::WindowFullScreen | Qt::WindowMinimized) || ramka == okno || dostepny.contains(ramka)) return {};
    const QMargins marginesy(okno.left() - ramka.left(), okno.top() - ramka.top(), ramka.right() - okno.right(),
                             ramka.bottom() - okno.bottom());
    return GeometriaStartowa(stan & Qt::WindowMaximized ? 1 : 0, dostepny, ekran, marginesy);
}

void TTolv::DopasujDoEkranu() {
    const QScreen* e = screen();
    if (!e || trybOkna_ == 2) return;
    const QRect r = Dopasowanie(windowState(), e->availableGeometry(), e->geometry(), frameGeometry(), geometry());
    if (r.isNull()) return;
    // The least size set at start left no room for the title bar: a window
    // manager that maximises within the free area could not shrink it.
    setMinimumSize(NajmniejszyRozmiar(r.size()));
    if (!(windowState() & Qt::WindowMaximized)) setGeometry(r);
}

void TTolv::showEvent(QShowEvent* event) {
    TRForm::showEvent(event);
    // Showing again (after a minimise, a change of mode) must not start the
    // timers or check the desk a second time.
    if (utworzono_ && !pokazano_ && !event->spontaneous()) {
        pokazano_ = true;
        // The window manager frames the window after it is mapped.
        QTimer::singleShot(300, this, [this] { DopasujDoEkranu(); });
        FormShow();
    }
}

void TTolv::FormShow() {
    // 1. The desk check. The input word of a card or node never reads 0, so
    // a desk start with neither an open card nor a node is what "no desk
    // input" means here. Ending goes the normal way out: timers off, card
    // closed, taskbar back, and the window closes.
    // The first poll takes the desk's idle word, so the first tick sees no
    // edges that no fader made.
    SprawdzGPI();
    const bool brakWejsc = !KartaOtwarta() && !OpcjeGPI.GPI1Jest;
    if (Emisja.StartStol && (brakWejsc || CzytajGPI() == 0)) {
        PokazInfo(QStringLiteral("Należy uruchomić program raz jeszcze"), QStringLiteral("Brak sterowania ze stołu"));
        Log(QStringLiteral("Brak sterowania ze stołu"));
        Zakoncz();
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    // 2. and 3.
    Timer1->start();
    TimerWyswietlacz->start();
    GrajBlokReklamy->start();
    TListaSynchroKolejnoTimer->start();
    timery_.WlaczTimeryStartowe();
    // 4. SAT mode at start.
    if (Satelita.SatTrybJest && Satelita.SatStartJest) silnik_.PrzelaczSat();
    // 5. The time-correction mode as the settings ask for it.
    silnik_.Stan.KorektaCzasuJest = Emisja.PListaAktJest;
    // 6. Datagram timers by their settings; a period of 0 stays off.
    datagramy_->WlaczZegary();
    Zegary().Wlacz(TimerKonsoli::SATPLMWycisz, false);
    if (Emisja.SERWISJest) SERWISTimer->start();
    OdswiezEtykieteSerwisu();
    // 7. The database from the network folder; with the counters on, a
    // worker reads it so that the first play already counts.
    BazaKopiujZSieciStart();
    // A signal while its question was open closed the program meanwhile.
    if (zamyka_) return;
    BazaCzytajPrzyStarcie();
    BazaLicznikiTloStart();
    // 8. The running clock: the labels read the time from the start.
    timery_.OdswiezZegary();
    OdswiezZegary();
    PodswietlTryby();
}

QStringList TTolv::ZegaryWKolejnosciZatrzymania() const {
    return {QStringLiteral("Timer1"),           QStringLiteral("TimerWyswietlacz"),
            QStringLiteral("SingleKolejnoTimer"), QStringLiteral("GrajBlokReklamy"),
            QStringLiteral("TListaSynchroKolejnoTimer"), QStringLiteral("AutomatTimer"),
            QStringLiteral("SatPlusTimer"),     QStringLiteral("BroadcastTimer"),
            QStringLiteral("BroadcastTimer2"),  QStringLiteral("SATPLMWyciszTimer"),
            QStringLiteral("PListaAutoodczytTimer"), QStringLiteral("BroadcastMonitorTimer"),
            QStringLiteral("SERWISTimer")};
}

namespace {

ZegarPakietow* zegarPakietow(Datagramy& d, const QString& nazwa) {
    if (nazwa == QLatin1String("BroadcastTimer")) return &d.BroadcastTimer;
    if (nazwa == QLatin1String("BroadcastTimer2")) return &d.BroadcastTimer2;
    if (nazwa == QLatin1String("BroadcastMonitorTimer")) return &d.BroadcastMonitorTimer;
    return nullptr;
}

}  // namespace

bool TTolv::ZegarDziala(const QString& nazwa) const {
    if (const ZegarPakietow* z = zegarPakietow(*datagramy_, nazwa)) return z->Dziala();
    if (const auto* z = findChild<ZegarNaTiku*>(nazwa, Qt::FindDirectChildrenOnly)) return z->isActive();
    const auto* t = findChild<QTimer*>(nazwa, Qt::FindDirectChildrenOnly);
    return t && t->isActive();
}

quint8 TTolv::FormClose() {
    if (zakonczono_) return 2;
    for (quint8 slot = 1; slot <= PlayerSloty::LiczbaSlotow; ++slot) {
        if (!silnik_.SlotZajety(slot)) continue;
        // The window stays: the operator sees why, and the log keeps it.
        const QString tekst = QStringLiteral("Zamknięcie programu odrzucone - zajęty odtwarzacz ") +
                              QString::number(slot) +
                              (silnik_.Stan.TrybAutomat ? QStringLiteral(", Automat włączony") : QString());
        Log(tekst);
        status_->UstawStatus(tekst, KolorStatusu::Czerwony);
        return 0;
    }
    if (Decyzja(QStringLiteral("Czy zakończyć pracę z programem?"), QString(), 2) != WynikTak) return 0;
    Zakoncz();
    return 2;
}

void TTolv::ZamknijNaSygnal(int sygnal) {
    if (!zakonczono_) {
        Log(QStringLiteral("Sygnał ") + ZamykanieProgramu::NazwaSygnalu(sygnal) +
            QStringLiteral(" - zamknięcie programu"));
        silnik_.StopWszystko();
        for (quint8 slot = 4; slot <= PlayerSloty::LiczbaSlotow; ++slot)
            if (silnik_.SlotZajety(slot)) silnik_.KoniecEmisji(slot, PowodProg);
        Zakoncz();
    }
    // Every event loop ends, a modal window's too, and none starts again;
    // a caller that runs no loop of its own has nothing to end.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

void TTolv::Zakoncz() {
    // Once: a signal while the close waits in a question or a write does
    // not start it again.
    if (zamyka_) return;
    zamyka_ = true;
    if (PrzedZakonczeniem) PrzedZakonczeniem();
    // Nothing a handler still running restarts comes back after this.
    zegary_.Zamknij();
    for (const QString& nazwa : ZegaryWKolejnosciZatrzymania()) {
        if (ZegarPakietow* z = zegarPakietow(*datagramy_, nazwa))
            z->Wlacz(false);
        else if (auto* z = findChild<ZegarNaTiku*>(nazwa, Qt::FindDirectChildrenOnly))
            z->stop();
        else if (auto* t = findChild<QTimer*>(nazwa, Qt::FindDirectChildrenOnly))
            t->stop();
    }
    datagramy_->ZatrzymajZegary();
    BazaLicznikiTloStop();
    if (BazaZmieniona) BazaZapisz(false);
    ZamknijKarte();
    PokazPasekZadan();
    zakonczono_ = true;
}

void TTolv::closeEvent(QCloseEvent* event) {
    if (FormClose() == 2)
        event->accept();
    else
        event->ignore();
}

void TTolv::FormDestroy() {
    if (zniszczono_) return;
    zniszczono_ = true;
    silnik_.StopWszystko();
    // The history lines of what was just stopped are on the disk before the
    // last log line says the program ended well.
    silnik_.Historia.Oproznij();
    KoniecProgramu();
    // Whatever way the program ends, the taskbar comes back.
    PokazPasekZadan();
    for (quint8 slot = 1; slot <= PlayerSloty::LiczbaSlotow; ++slot) silnik_.Sloty.ZwolnijOdtwarzacz(slot);
    silnik_.Sloty.ZwolnijMiksery();
    Log(QStringLiteral("Prawidłowy koniec pracy"));
}
