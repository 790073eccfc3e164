// The mix editor window: controls, commands and keys, showing and closing,
// and the three timers.
#include "mixeditor/TEdycjaMiksow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <exception>

#include "foundation/DDecyzjaCzas.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestGraf2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/KestWej.h"
#include "mixeditor/EdycjaPL.h"
#include "mixeditor/OdtwarzaczeEdytora.h"
#include "mixeditor/PodgladMiksu.h"
#include "mixeditor/WykresMiksu.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

std::array<int, 4> TEdycjaMiksow::Granice = {220, 60, 645, 550};

namespace {

constexpr int OdstepMixy = 30;
constexpr int WysokoscSterowania = 156;

struct KlawiszKomendy {
    quint16 klawisz;
    quint16 komenda;
};
constexpr KlawiszKomendy TablicaKlawiszy[] = {
    {283, KomendaOpusc},          {7181, KomendaAkceptuj},       {14624, KomendaPlay},
    {20992, KomendaWgrajDJ},      {21248, KomendaUsunDJ},        {20480, KomendaKursorMinus10},
    {19200, KomendaKursorMinus1000}, {18432, KomendaKursorPlus10}, {19712, KomendaKursorPlus1000},
    {18688, KomendaZoomPlus},     {20736, KomendaZoomMinus},     {15104, KomendaPoczatekWgrania},
    {15360, KomendaKoniecWgrania}, {16128, KomendaFOut},         {11520, KomendaPocz},
    {14625, KomendaNastepnyMiks},
};

// Song players get their fade envelopes; voice players are ducked against.
bool sladPiosenki(int n) { return n == SladPiosenki1 || n == SladPiosenki2 || n == SladPrzed || n == SladPo; }

QPushButton* przycisk(QWidget* rodzic, const char* nazwa, const QString& tekst, int szer) {
    auto* b = new QPushButton(tekst, rodzic);
    b->setObjectName(QLatin1String(nazwa));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setFixedSize(szer, 25);
    return b;
}

QLabel* etykieta(QWidget* rodzic, const char* nazwa, const QString& tekst) {
    auto* l = new QLabel(tekst, rodzic);
    l->setObjectName(QLatin1String(nazwa));
    return l;
}

}  // namespace

TEdycjaMiksow::TEdycjaMiksow(OdtwarzaczeEdytora& gracze, Nagrywanie* nagrywanie, QWidget* parent)
    : QDialog(parent), g_(gracze), nagr_(nagrywanie) {
    setObjectName(QStringLiteral("EdycjaMiksow"));
    setWindowTitle(QStringLiteral("Edycja playlisty"));
    setModal(true);
    setMinimumSize(645, 300);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setAutoFillBackground(true);
    SprawdzWejscia = [] { return SprawdzGPI(); };

    wykres_ = new WykresMiksu(*this);

    auto* rodzic = this;
    pozycja_ = etykieta(rodzic, "PoczatekWykresuLabel", QStringLiteral("Pozycja: "));
    calosc_ = etykieta(rodzic, "CaloscCzasLabel", QStringLiteral("Całość: "));
    koniecListy_ = etykieta(rodzic, "KoniecPlaylistyLabel", QStringLiteral("Koniec listy: "));
    czasBloku_ = etykieta(rodzic, "CzasBlokuLabel", QStringLiteral("Blok: "));
    for (auto [nazwa, tekst] : {std::pair{"Label1", "0dB"}, {"Label2", "-20"}, {"Label3", "-10"}})
        etykieta(rodzic, nazwa, QString::fromUtf8(tekst));
    wgraj_ = etykieta(rodzic, "WgrajLabel", QString());
    QFont f = wgraj_->font();
    f.setPointSize(18);
    f.setBold(true);
    wgraj_->setFont(f);
    wgraj_->setAutoFillBackground(true);

    play_ = przycisk(rodzic, "PlaySpeedButton", QStringLiteral("Play"), 60);
    auto* poczatek = przycisk(rodzic, "PoczatekSpeedButton", QStringLiteral("Początek"), 60);
    auto* koniec = przycisk(rodzic, "KoniecSpeedButton", QStringLiteral("Koniec"), 60);
    auto* fout = przycisk(rodzic, "FOutSpeedButton", QStringLiteral("FOut"), 60);
    auto* pocz = przycisk(rodzic, "PoczSpeedButton", QStringLiteral("Pocz"), 60);
    auto* poczFout = przycisk(rodzic, "FoutNPoczSpeedButton", QStringLiteral("Pocz=FOut"), 75);
    auto* poczKon = przycisk(rodzic, "PoczKonSpeedButton", QStringLiteral("Pocz=Kon"), 75);
    auto* zoomMinus = przycisk(rodzic, "ZoomMinusSpeedButton", QStringLiteral("Zoom -"), 60);
    auto* zoomPlus = przycisk(rodzic, "ZoomPlusSpeedButton", QStringLiteral("Zoom +"), 60);
    auto* zoom1 = przycisk(rodzic, "Zoom1SpeedButton", QStringLiteral("Zoom 1"), 60);
    auto* reset = przycisk(rodzic, "ResetSpeedButton", QStringLiteral("Reset"), 60);
    poprzedni_ = przycisk(rodzic, "poprzedniMiksSpeedButton", QStringLiteral("< MIX"), 60);
    nastepny_ = przycisk(rodzic, "NastepnyMiksSpeedButton", QStringLiteral("MIX >"), 60);
    wgrajDJ_ = przycisk(rodzic, "WgrajDJSpeedButton", QStringLiteral("Wgraj DJ"), 75);
    wstawDJ_ = przycisk(rodzic, "WstawDJSpeedButton", QStringLiteral("Wstaw DJ"), 75);
    usunDJ_ = przycisk(rodzic, "UsunDJSpeedButton", QStringLiteral("Usuń DJ"), 75);
    auto* akceptuj = przycisk(rodzic, "AkceptujSpeedButton", QStringLiteral("Akceptuj"), 75);
    auto* opusc = przycisk(rodzic, "OpuscSpeedButton", QStringLiteral("Opuść"), 75);

    auto komenda = [this](QPushButton* b, quint16 k) { connect(b, &QPushButton::clicked, this, [this, k] { Komenda(k); }); };
    komenda(play_, KomendaPlay);
    komenda(poczatek, KomendaPoczatekWgrania);
    komenda(koniec, KomendaKoniecWgrania);
    komenda(fout, KomendaFOut);
    komenda(pocz, KomendaPocz);
    komenda(zoomMinus, KomendaZoomMinus);
    komenda(zoomPlus, KomendaZoomPlus);
    komenda(nastepny_, KomendaNastepnyMiks);
    komenda(wgrajDJ_, KomendaWgrajDJ);
    komenda(usunDJ_, KomendaUsunDJ);
    komenda(akceptuj, KomendaAkceptuj);
    komenda(opusc, KomendaOpusc);
    connect(poczFout, &QPushButton::clicked, this, &TEdycjaMiksow::PoczRownaFOut);
    connect(poczKon, &QPushButton::clicked, this, &TEdycjaMiksow::PoczRownaKon);
    connect(zoom1, &QPushButton::clicked, this, &TEdycjaMiksow::Zoom1);
    connect(reset, &QPushButton::clicked, this, &TEdycjaMiksow::Reset);
    connect(poprzedni_, &QPushButton::clicked, this, &TEdycjaMiksow::PoprzedniMiksOkna);
    connect(wstawDJ_, &QPushButton::clicked, this, &TEdycjaMiksow::WstawDJ);

    kaczka_ = new QSlider(Qt::Horizontal, rodzic);
    kaczka_->setObjectName(QStringLiteral("KaczkaTrackBar"));
    kaczka_->setRange(0, 30);
    kaczka_->installEventFilter(this);
    connect(kaczka_, &QSlider::valueChanged, this, [this](int p) {
        if (!ustawiamKaczke_) UstawKaczke(p);
    });
    przedbieg_ = new QSpinBox(rodzic);
    przedbieg_->setObjectName(QStringLiteral("SpinEdit1"));
    przedbieg_->setRange(0, 30);
    przedbieg_->installEventFilter(this);
    connect(przedbieg_, &QSpinBox::valueChanged, this, &TEdycjaMiksow::UstawPrzedbieg);
    poziom_ = new QProgressBar(rodzic);
    poziom_->setObjectName(QStringLiteral("WgrajProgressBar"));
    poziom_->setRange(-60, 0);
    poziom_->setValue(-60);
    poziom_->setTextVisible(false);

    mixy_.setObjectName(QStringLiteral("MixyTimer"));
    mixy_.setInterval(OdstepMixy);
    wykresT_.setObjectName(QStringLiteral("WykresTimer"));
    wykresT_.setInterval(100);
    sterowanie_.setObjectName(QStringLiteral("SterowanieTimer"));
    sterowanie_.setInterval(200);
    timer1_.setObjectName(QStringLiteral("Timer1"));
    connect(&mixy_, &QTimer::timeout, this, &TEdycjaMiksow::MixyTimerTick);
    connect(&wykresT_, &QTimer::timeout, this, &TEdycjaMiksow::WykresTimerTick);
    connect(&sterowanie_, &QTimer::timeout, this, &TEdycjaMiksow::SterowanieTimerTick);

    g_.EdUtworzMiksery();
    for (quint8 n = 1; n <= LiczbaSladowMiksu; ++n) g_.EdUtworzOdtwarzacz(n);
    if (nagr_) nagr_->Podlacz(this);
    resize(Granice[2], Granice[3]);
    ukladaj();
}

TEdycjaMiksow::~TEdycjaMiksow() {
    mixy_.stop();
    wykresT_.stop();
    sterowanie_.stop();
    if (nagr_) nagr_->Podlacz(nullptr);
    for (quint8 n = LiczbaSladowMiksu; n >= 1; --n) g_.EdZwolnijOdtwarzacz(n);
    g_.EdZwolnijMiksery();
}

// ---------------------------------------------------------------- layout

void TEdycjaMiksow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    ukladaj();
}

void TEdycjaMiksow::ukladaj() {
    const int w = width();
    const int h = std::max(height() - WysokoscSterowania, 0);
    wykres_->UstawRozmiarUchwytu(w < 801 || height() <= 600 ? 16 : 32);
    wykres_->setGeometry(0, 0, w, h);
    SzerokoscWidoku = w;
    CentrujWidok();

    auto rzad = [this](int y, std::initializer_list<const char*> nazwy) {
        int x = 4;
        for (const char* n : nazwy) {
            QWidget* c = findChild<QWidget*>(QLatin1String(n), Qt::FindDirectChildrenOnly);
            if (!c) continue;
            c->move(x, y);
            x += c->width() + 2;
        }
    };
    int x = 4;
    for (QLabel* l : {pozycja_, calosc_, koniecListy_, czasBloku_}) {
        l->setGeometry(x, h + 4, l == koniecListy_ ? 154 : 150, 18);
        x += l->width() + 4;
    }
    rzad(h + 26, {"PlaySpeedButton", "PoczatekSpeedButton", "KoniecSpeedButton", "FOutSpeedButton", "PoczSpeedButton",
                  "FoutNPoczSpeedButton", "PoczKonSpeedButton"});
    rzad(h + 54, {"ZoomMinusSpeedButton", "ZoomPlusSpeedButton", "Zoom1SpeedButton", "ResetSpeedButton",
                  "poprzedniMiksSpeedButton", "NastepnyMiksSpeedButton"});
    rzad(h + 82, {"WgrajDJSpeedButton", "WstawDJSpeedButton", "UsunDJSpeedButton", "AkceptujSpeedButton", "OpuscSpeedButton"});
    kaczka_->setGeometry(4, h + 120, 150, 24);
    przedbieg_->setGeometry(158, h + 120, 60, 24);
    poziom_->setGeometry(222, h + 130, 154, 14);
    // Each label stands centred over its level on the -60..0 dB bar.
    const std::pair<const char*, int> skala[] = {{"Label2", -20}, {"Label3", -10}, {"Label1", 0}};
    for (const auto& [nazwa, dB] : skala) {
        auto* l = findChild<QLabel*>(QLatin1String(nazwa));
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(poziom_->x() + (dB + 60) * poziom_->width() / 60 - 15, h + 114, 30, 14);
    }
    wgraj_->setGeometry(w - 174, h + 54, 170, 34);
    if (przygotowany_) RozmiescZnaczniki();
}

void TEdycjaMiksow::RozmiescZnaczniki() {
    // The texts first: the time line shows each label only where it fits.
    if (!korekta())
        for (int n : {SladPiosenki2, SladGlosu1, SladGlosu2})
            ustawCzas(n, SladyMiksu[n].NowyPoczatek);
    wykres_->Rozmiesc();
    // The block: from the song that shares song 2's type byte.
    const auto& S = SladyMiksu;
    qint64 blok = 0;
    if (S[SladPrzed].Uzyty && S[SladPrzed].Typ == S[SladPiosenki2].Typ)
        blok = qint64(S[SladPiosenki2].NowyKoniec) - S[SladPrzed].NowyPoczatek;
    else if (S[SladPiosenki1].Typ == S[SladPiosenki2].Typ)
        blok = qint64(S[SladPiosenki2].NowyKoniec) - S[SladPiosenki1].NowyPoczatek;
    ustawTekst(czasBloku_, QStringLiteral("Blok: ") + PiszCzasDoby(std::max<qint64>(blok, 0), 6));
}

void TEdycjaMiksow::OdswiezSlad(int) { RozmiescZnaczniki(); }

void TEdycjaMiksow::ustawTekst(QLabel* l, const QString& t) {
    if (l && l->text() != t) l->setText(t);
}

void TEdycjaMiksow::ustawCzas(int n, qint32 t) {
    QLabel* l = wykres_->GodzinaEmisji(n);
    const QString tekst = PiszCzasDoby(t, 6);
    if (!l || l->text() == tekst) return;
    // The time line sized the label for its old text (empty when first shown).
    l->setText(tekst);
    l->adjustSize();
}

// ---------------------------------------------------------------- showing and closing

void TEdycjaMiksow::PokazModalnie() { exec(); }

void TEdycjaMiksow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) przygotuj();
}

void TEdycjaMiksow::przygotuj() {
    // ZmianyMiksu stays as the build left it: a build may start it at 1.
    ZoomMiksu = 8;
    PrzesuniecieWidoku = 0;
    zamykanie_ = false;
    setGeometry(Granice[0], Granice[1], Granice[2], Granice[3]);
    przygotowany_ = true;
    ukladaj();
    oknoGlowneBylo_ = OknoGlowneAktywne;
    OknoGlowneAktywne = 0;
    {
        // Showing the recorder's pre-roll does not round it to whole seconds.
        const QSignalBlocker cisza(przedbieg_);
        przedbieg_->setValue(nagr_ ? nagr_->PrzedbiegWgrania() / 1000 : 0);
    }
    pokazKaczkeMiksu();
    wykresT_.start();
    sterowanie_.start();
    OtworzPlikiSladow();
    WykresTimerTick();
}

void TEdycjaMiksow::done(int r) {
    if (przygotowany_) zamknij();
    QDialog::done(r);
}

void TEdycjaMiksow::zamknij() {
    przygotowany_ = false;
    zatrzymajWgranie();
    ZatrzymajPodglad();
    ZamknijPlikiSladow();
    wykresT_.stop();
    sterowanie_.stop();
    OknoGlowneAktywne = oknoGlowneBylo_;
    if (!zamykanie_) {
        zamykanie_ = true;
        if (nagr_) nagr_->Zamknij();
    }
    const QRect g = geometry();
    Granice = {g.x(), g.y(), g.width(), g.height()};
}

void TEdycjaMiksow::ZakonczOkno() {
    if (isVisible()) done(QDialog::Rejected);
}

void TEdycjaMiksow::OtworzPlikiSladow() {
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) {
        const SladMiksuTyp& s = SladyMiksu[n];
        const QString adres = (s.Uzyty && !s.Przerwa && platform::fileExists(s.Adres)) ? QString(s.Adres) : QString();
        if (g_.EdPlikOdtwarzacza(quint8(n)) != adres) OtworzPlikSladu(n, adres);
    }
}

void TEdycjaMiksow::ZamknijPlikiSladow() {
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) OtworzPlikSladu(n, QString());
}

void TEdycjaMiksow::OtworzPlikSladu(int n, const QString& sciezka) {
    if (n < 1 || n > LiczbaSladowMiksu) return;
    const bool otwarty = bezpiecznie(n, sciezka, [&] {
        g_.EdOtworzPlikOdtwarzacza(quint8(n), sciezka);
        ostatnia_[n] = g_.EdGlosnoscOdtwarzacza(quint8(n));
    });
    if (otwarty && !sciezka.isEmpty()) bladZgloszony_[n] = false;
}

template <class F>
bool TEdycjaMiksow::bezpiecznie(int n, const QString& sciezka, F&& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        if (!bladZgloszony_[n])
            Log(QStringLiteral("Podgląd miksu: ślad ") + QString::number(n) + QStringLiteral(" bez nagrania ") + sciezka +
                QStringLiteral(" (") + QString::fromLocal8Bit(e.what()) + QLatin1Char(')'));
        bladZgloszony_[n] = true;
    }
    // The track stays without a file: the preview passes it by.
    try {
        g_.EdOtworzPlikOdtwarzacza(quint8(n), QString());
    } catch (const std::exception&) {
    }
    return false;
}

bool TEdycjaMiksow::MaPlik(int n) const { return !g_.EdPlikOdtwarzacza(quint8(n)).isEmpty(); }

void TEdycjaMiksow::ZatrzymajOdtwarzaczSladu(int n) { g_.EdZatrzymajOdtwarzacz(quint8(n)); }

void TEdycjaMiksow::PokazKaczke(int dB) {
    ustawiamKaczke_ = true;
    kaczka_->setValue(dB);
    ustawiamKaczke_ = false;
}

// ---------------------------------------------------------------- input

quint16 TEdycjaMiksow::KomendaKlawisza(quint16 kod) {
    for (const auto& k : TablicaKlawiszy)
        if (k.klawisz == kod) return k.komenda;
    return 0;
}

bool TEdycjaMiksow::Klawisz(quint16 kod) {
    const quint16 k = KomendaKlawisza(kod);
    if (k == 0) return false;
    Komenda(k);
    return true;
}

void TEdycjaMiksow::keyPressEvent(QKeyEvent* e) {
    // Esc and Enter are commands here, not the dialog's own reject and accept.
    if (!Klawisz(KodBIOS(*e)) && e->key() != Qt::Key_Escape && e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
        QDialog::keyPressEvent(e);
}

bool TEdycjaMiksow::eventFilter(QObject* o, QEvent* e) {
    if ((o == kaczka_ || o == przedbieg_) && e->type() == QEvent::KeyPress) {
        // Keys on the duck and pre-roll controls are the window's commands:
        // the arrows move the cursor, never the slider.
        return Klawisz(KodBIOS(*static_cast<QKeyEvent*>(e)));
    }
    return QDialog::eventFilter(o, e);
}

void TEdycjaMiksow::Komenda(quint16 kod) {
    auto& Z = Zakresy;
    auto& S = SladyMiksu;
    const auto kursorNa = [this](qint32 t) {
        Zakresy.KursorPodgladu = t;
        wykres_->PrzesunKursor();
    };
    // The time of the cursor line's pixel.
    const qint32 tKursora = PikselNaCzas(CzasNaPiksel(Z.KursorPodgladu));
    switch (kod) {
    case KomendaOpusc: Opusc(); break;
    case KomendaAkceptuj: Akceptuj(); break;
    case KomendaPlay:
        if (PodgladTrwa())
            ZatrzymajWszystko();
        else
            RestartPodgladu();
        break;
    case KomendaWgrajDJ:
        if (nagr_ && !PodgladTrwa()) nagr_->WgrajDJ();
        break;
    case KomendaUsunDJ:
        if (nagr_ && !PodgladTrwa()) nagr_->UsunDJ();
        break;
    case KomendaKursorMinus10: kursorNa(Z.KursorPodgladu - 10); break;
    case KomendaKursorMinus1000: kursorNa(Z.KursorPodgladu - 1000); break;
    case KomendaKursorPlus10: kursorNa(Z.KursorPodgladu + 10); break;
    case KomendaKursorPlus1000: kursorNa(Z.KursorPodgladu + 1000); break;
    case KomendaZoomPlus:
    case KomendaZoomMinus:
        if (kod == KomendaZoomPlus && ZoomMiksu > 1) ZoomMiksu /= 2;
        if (kod == KomendaZoomMinus && ZoomMiksu < 128) ZoomMiksu *= 2;
        CentrujWidok();
        RozmiescZnaczniki();
        break;
    case KomendaPoczatekWgrania:
        Z.PoczatekWgrania = tKursora;
        Z.KoniecWgrania = std::max(Z.KoniecWgrania, Z.PoczatekWgrania);
        Zmieniono();
        break;
    case KomendaKoniecWgrania:
        Z.KoniecWgrania = tKursora;
        Z.PoczatekWgrania = std::min(Z.KoniecWgrania, Z.PoczatekWgrania);
        Zmieniono();
        break;
    case KomendaFOut:
        if (Z.KursorPodgladu < S[SladPiosenki1].NowyKoniec) {
            wykres_->UstawFadeOut1(Z.KursorPodgladu);
            Zmieniono();
        }
        break;
    case KomendaPocz: {
        PrzesunPiosenke2(std::max(Z.KursorPodgladu, Z.GranicaLewa) - S[SladPiosenki2].NowyPoczatek, false);
        ZatrzymajPodglad();
        Zmieniono();
        Z.KursorPodgladu = std::min(S[SladPiosenki2].NowyPoczatek, S[SladPiosenki1].PoczatekFadeOut) - 1000;
        RestartPodgladu();
        break;
    }
    case KomendaNastepnyMiks: NastepnyMiksOkna(); break;
    default: break;
    }
}

void TEdycjaMiksow::Zmieniono() {
    ZmianyMiksu = true;
    RozmiescZnaczniki();
}

void TEdycjaMiksow::PoczRownaFOut() {
    PrzesunPiosenke2(SladyMiksu[SladPiosenki1].PoczatekFadeOut - SladyMiksu[SladPiosenki2].NowyPoczatek, false);
    Zmieniono();
}

void TEdycjaMiksow::PoczRownaKon() {
    PrzesunPiosenke2(SladyMiksu[SladPiosenki1].NowyKoniec - SladyMiksu[SladPiosenki2].NowyPoczatek, false);
    Zmieniono();
}

void TEdycjaMiksow::Zoom1() {
    ZoomMiksu = 8;
    PrzesuniecieWidoku = 0;
    CentrujWidok();
    RozmiescZnaczniki();
}

void TEdycjaMiksow::Reset() {
    // A take still armed or written would land on a track the backup
    // empties, at the backup's air time: it ends first.
    zatrzymajWgranie();
    PrzywrocKopieMiksu();
    OtworzPlikiSladow();
    CentrujWidok();
    Zmieniono();
    pokazKaczkeMiksu();
}

void TEdycjaMiksow::KlikTla(qint32 t, bool lewy) {
    ZatrzymajPodglad();
    Zakresy.KursorPodgladu = t;
    wykres_->PrzesunKursor();
    if (lewy) StartPodgladu();
}

void TEdycjaMiksow::OknoWgraniaZeSladu(int n) {
    const SladMiksuTyp& s = SladyMiksu[n];
    if (!s.Uzyty) return;
    Zakresy.PoczatekWgrania = s.Emisja;
    Zakresy.KoniecWgrania = s.Emisja + s.Czas;
    Zmieniono();
}

void TEdycjaMiksow::WybierzGlos(int n) {
    const int inny = n == SladGlosu1 ? SladGlosu2 : SladGlosu1;
    SladyMiksu[n].Wybrany = 1;
    SladyMiksu[inny].Wybrany = 0;
    PokazKaczke(-SladyMiksu[n].PoziomKaczki / 100);
    wykres_->update();
}

void TEdycjaMiksow::UstawKaczke(int p) {
    // Only a level that changed is a change to write.
    for (int n : {SladGlosu1, SladGlosu2}) {
        SladMiksuTyp& s = SladyMiksu[n];
        if (!s.Uzyty || !s.Wybrany || s.PoziomKaczki == -p * 100) continue;
        s.PoziomKaczki = -p * 100;
        ZmianyMiksu = true;
    }
    if (kaczka_->hasFocus()) setFocus();
}

void TEdycjaMiksow::UstawPrzedbieg(int s) {
    if (nagr_) nagr_->UstawPrzedbiegWgrania(s * 1000);
}

void TEdycjaMiksow::CyklKrzywej(int n) {
    SladMiksuTyp& s = SladyMiksu[n];
    quint8& k = n == SladPiosenki1 ? s.KrzywaFadeOut : s.KrzywaFadeIn;
    k = quint8((k + 1) % 3);
    Zmieniono();
}

void TEdycjaMiksow::GlosnoscGlosuTeraz(int n) {
    if (n != SladGlosu1 && n != SladGlosu2) return;
    const int v = SladyMiksu[n].Wzmocnienie;
    g_.EdUstawGlosnoscOdtwarzacza(quint8(n), v);
    ostatnia_[n] = v;
}

void TEdycjaMiksow::Opusc() {
    if (nagr_ && nagr_->WgrywanieTrwa()) return;
    ZatrzymajPodglad();
    zamknijPoNagrywaniu();
}

void TEdycjaMiksow::Akceptuj() {
    ZatrzymajPodglad();
    zatrzymajWgranie();
    switch (AkceptujMiks(3)) {
    case WynikAkceptacji::Anulowano: return;
    case WynikAkceptacji::Niezapisano:
        // The mix was built again from the playlist as it is now.
        poStepieMiksu();
        return;
    default: break;
    }
    zamknijPoNagrywaniu();
}

void TEdycjaMiksow::zamknijPoNagrywaniu() {
    zamykanie_ = true;
    if (nagr_)
        nagr_->Zamknij();
    else
        ZakonczOkno();
}

void TEdycjaMiksow::zatrzymajWgranie() {
    if (SladNagrywany() == 0) return;
    nagr_->ZakonczWgrywanie();
    // A dropped take's box goes, a finished one stands as its track.
    RozmiescZnaczniki();
}

void TEdycjaMiksow::poStepieMiksu() {
    OtworzPlikiSladow();
    CentrujWidok();
    RozmiescZnaczniki();
    pokazKaczkeMiksu();
}

void TEdycjaMiksow::pokazKaczkeMiksu() {
    int dB = 0;  // a mix without a voice ducks nothing
    for (int n : {SladGlosu2, SladGlosu1})
        if (SladyMiksu[n].Uzyty && SladyMiksu[n].Wybrany) dB = -SladyMiksu[n].PoziomKaczki / 100;
    PokazKaczke(dB);
}

// A take outlives a preview stopped by a click on the background: it ends on
// this mix's track before the tracks are built for another mix.
void TEdycjaMiksow::PoprzedniMiksOkna() {
    if (PodgladTrwa()) return;
    zatrzymajWgranie();
    // A step refused has built the mix again, or left it: either way the
    // window shows the mix as it stands.
    PoprzedniMiks();
    poStepieMiksu();
}

void TEdycjaMiksow::NastepnyMiksOkna() {
    if (PodgladTrwa()) return;
    zatrzymajWgranie();
    NastepnyMiks();
    poStepieMiksu();
}

void TEdycjaMiksow::WstawDJ() {
    if (nagr_ && !PodgladTrwa()) nagr_->WstawDJ();
}

// ---------------------------------------------------------------- preview

void TEdycjaMiksow::przyciskiEdycji(bool wlaczone) {
    for (QPushButton* b : {wstawDJ_, wgrajDJ_, usunDJ_, poprzedni_, nastepny_}) b->setEnabled(wlaczone);
}

void TEdycjaMiksow::StartPodgladu() {
    przyciskiEdycji(false);
    play_->setText(QStringLiteral("S T O P"));
    trimy_ = TrimyEmisji();
    gral_.fill(false);
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) ostatnia_[n] = g_.EdGlosnoscOdtwarzacza(quint8(n));
    mixy_.start();
}

void TEdycjaMiksow::ZatrzymajPodglad() {
    mixy_.stop();
    for (quint8 n = 1; n <= LiczbaSladowMiksu; ++n) {
        g_.EdZatrzymajOdtwarzacz(n);
        g_.EdUstawPozycjeOdtwarzacza(n, 0);
    }
    przyciskiEdycji(true);
    play_->setText(QStringLiteral("Play"));
}

void TEdycjaMiksow::RestartPodgladu() {
    ZatrzymajPodglad();
    StartPodgladu();
}

void TEdycjaMiksow::ZatrzymajWszystko() {
    ZatrzymajPodglad();
    zatrzymajWgranie();
}

int TEdycjaMiksow::SladNagrywany() const {
    if (!nagr_ || !(nagr_->WgranieUzbrojone() || nagr_->WgrywanieTrwa())) return 0;
    const int t = nagr_->SladWgrania();
    return t == SladGlosu1 || t == SladGlosu2 ? t : 0;
}

bool TEdycjaMiksow::nagrywaniePrzerwane() {
    // A take may not run into the other voice track (half a second of air between).
    const int t = SladNagrywany();
    if (t == 0) return false;
    const SladMiksuTyp& cel = SladyMiksu[t];
    const SladMiksuTyp& inny = SladyMiksu[t == SladGlosu1 ? SladGlosu2 : SladGlosu1];
    return inny.Uzyty && inny.Emisja > cel.Emisja && qint64(inny.Emisja) < qint64(cel.Emisja) + cel.Czas + 500;
}

void TEdycjaMiksow::MixyTimerTick() {
    auto& S = SladyMiksu;
    auto& Z = Zakresy;
    // 1. The time: the first playing player's, else the cursor moves on.
    qint64 t = -1;
    // A player whose back-end fails loses its file and is passed by.
    for (int n : {2, 1, 3, 4, 5, 6, 7, 8}) {
        qint64 poz = 0;
        if (S[n].Uzyty && g_.EdStanOdtwarzacza(quint8(n)) == 1 &&
            bezpiecznie(n, S[n].Adres, [&] { poz = g_.EdPozycjaOdtwarzacza(quint8(n)); })) {
            t = poz + S[n].Emisja;
            break;
        }
    }
    if (t < 0 || Z.KursorPodgladu >= t) t = qint64(Z.KursorPodgladu) + OdstepMixy;
    Z.KursorPodgladu = qint32(t);

    // 2. Players whose track lies under the cursor start, each once a run:
    // a file that ended before its track's end waits for the next run.
    std::array<bool, 9> gra{}, nowy{};
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) {
        const SladMiksuTyp& s = S[n];
        gra[n] = g_.EdStanOdtwarzacza(quint8(n)) == 1;
        if (gra[n] || !s.Uzyty || s.Przerwa || gral_[n] || t < s.NowyPoczatek || t >= s.NowyKoniec || !MaPlik(n)) continue;
        gral_[n] = true;
        if (!bezpiecznie(n, s.Adres, [&] { g_.EdUstawPozycjeOdtwarzacza(quint8(n), t - s.Emisja); })) continue;
        gra[n] = nowy[n] = true;
    }

    // 3-6. Each playing player's volume, set once.
    std::array<qint64, 9> v{};
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) {
        if (!gra[n]) continue;
        const SladMiksuTyp& s = S[n];
        if (n == SladGlosu1 || n == SladGlosu2)
            v[n] = (t >= s.NowyPoczatek && t <= s.NowyKoniec) ? s.Wzmocnienie : CiszaPodgladu;
        else
            v[n] = GlosnoscPiosenki(s, t, trimy_);
    }
    qint64 kaczka = 0;
    for (int n = SladGlosu1; n <= SladGlosuNastepny; ++n)
        if (gra[n]) kaczka += KaczkaSladu(S[n], t);
    if (nagr_ && nagr_->WgrywanieTrwa()) {
        const int cel = nagr_->SladWgrania();
        if (cel == SladGlosu1 || cel == SladGlosu2) kaczka += std::min(S[cel].PoziomKaczki, 0);
    }
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) {
        if (!gra[n]) continue;
        int glosnosc = int(v[n]);
        if (sladPiosenki(n)) glosnosc = ObetnijGlosnosc(v[n] + kaczka);
        bezpiecznie(n, S[n].Adres, [&] {
            if (glosnosc != ostatnia_[n]) {
                g_.EdUstawGlosnoscOdtwarzacza(quint8(n), glosnosc);
                ostatnia_[n] = glosnosc;
            }
            if (nowy[n]) g_.EdGrajOdtwarzacz(quint8(n));
        });
    }

    // 7. An armed take starts at its window's start.
    if (nagr_ && nagr_->WgranieUzbrojone() && t >= Z.PoczatekWgrania) nagr_->StartWgrywania();
    // 8, 9. A take running into the other voice track, or the cursor near the right edge.
    if (nagrywaniePrzerwane() || qint64(PoczatekWidoku) + ZakresWidoku - ZoomMiksu * 200 < Z.KursorPodgladu)
        ZatrzymajWszystko();
}

// ---------------------------------------------------------------- display

bool TEdycjaMiksow::korekta() const { return Haki.KorektaCzasuJest && Haki.KorektaCzasuJest(); }

qint32 TEdycjaMiksow::przesuniecie() const {
    return korekta() && Haki.PrzesuniecieCzasu ? Haki.PrzesuniecieCzasu() : 0;
}

void TEdycjaMiksow::WykresTimerTick() {
    const auto& S = SladyMiksu;
    // 1. The input meter.
    poziom_->setValue(PoziomMiernika(nagr_ ? nagr_->PoziomWejscia() : 0));
    // 2. Air times as the console's corrected clock will show them.
    const qint32 p = przesuniecie();
    if (korekta()) {
        for (int n : {SladPiosenki2, SladGlosu1, SladGlosu2}) ustawCzas(n, S[n].NowyPoczatek + p);
    }
    // 3. The cursor.
    wykres_->PrzesunKursor();
    ustawTekst(pozycja_,
               QStringLiteral("Pozycja: ") + PiszCzasDoby(qint64(Zakresy.KursorPodgladu) + p + DobaMs, 6));
    // 4. The end of the list, moved by as much as song 2 has moved.
    if (LiczbaPozycjiMiksu >= 1 && S[SladPiosenki2].Element >= 1) {
        const TElemPListy& ost = PlaylistaMiksu[LiczbaPozycjiMiksu];
        const TElemPListy& pierwszy = PlaylistaMiksu[1];
        const qint64 przesuniecie2 = qint64(S[SladPiosenki2].Emisja) - PlaylistaMiksu[S[SladPiosenki2].Element].Emi;
        const qint64 koniec = qint64(ost.Emi) + DobaMs + (ost.NwK != 0 ? ost.NwK : ost.Trw) + przesuniecie2;
        ustawTekst(koniecListy_,
                   QStringLiteral("Koniec listy: ") + PiszCzasDoby((koniec + p) % DobaMs, 6));
        // Across midnight the whole lasts into the next day, never less than nothing.
        qint64 calosc = koniec % DobaMs - (qint64(pierwszy.Emi) + pierwszy.NwP);
        while (calosc < 0) calosc += DobaMs;
        ustawTekst(calosc_, QStringLiteral("Całość: ") + PiszCzasDoby(calosc, 6));
    }
    // 5. The recording window's time.
    wgrajLabel();
}

void TEdycjaMiksow::wgrajLabel() {
    const auto& Z = Zakresy;
    const qint64 okno = std::abs(qint64(Z.KoniecWgrania) - Z.PoczatekWgrania);
    qint64 czas = okno;
    TColor kolor = 0xFFFF00;
    if (nagr_ && nagr_->WgrywanieTrwa()) {
        const int cel = SladNagrywany();
        const qint64 dlugosc = cel ? SladyMiksu[cel].Czas : 0;
        czas = std::abs(okno - dlugosc);
        kolor = 0x0000FF;
        // The take's box grows with what was written; its handles ride on it.
        if (cel) wykres_->RozmiescSlad(cel);
    } else if (nagr_ && nagr_->WgranieUzbrojone()) {
        czas = qint64(Z.PoczatekWgrania) - Z.KursorPodgladu;
        kolor = 0x00FF00;
    }
    ustawTekst(wgraj_, PiszCzas(4, czas));
    const QColor q = KolorQt(kolor);
    if (wgraj_->palette().color(QPalette::WindowText) != q) {
        QPalette pal = wgraj_->palette();
        pal.setColor(QPalette::WindowText, q);
        pal.setColor(QPalette::Window, Qt::black);
        wgraj_->setPalette(pal);
    }
}

void TEdycjaMiksow::SterowanieTimerTick() {
    if (!SprawdzWejscia || !SprawdzWejscia() || !Emisja.SterDJWgraj || !GPIWlaczone) return;
    const bool teraz = SlowoGPI & 0x80;
    const bool przedtem = SlowoGPIPoprzednie & 0x80;
    if (teraz && !przedtem && !PodgladTrwa()) {
        if (nagr_) nagr_->WgrajDJ();
    } else if (!teraz && przedtem && PodgladTrwa() && nagr_ && nagr_->WgrywanieTrwa()) {
        ZatrzymajWszystko();
    }
}
