#include "library/DOpisNagr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "audio/DMagnet.h"
#include "audio/Obwiednia.h"
#include "audio/uDirectShowPlayer.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "library/DOpisNagrWewn.h"
#include "library/SlownikiOpisu.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

namespace {

QPointer<TDlgOpisNagr> oknoProgramu;

}  // namespace

using namespace opis_nagr;

// ---- arithmetic ----

GeometriaPanelu GeometriaCalosci(int szerokosc, qint64 dlugosc) {
    GeometriaPanelu g;
    g.Szerokosc = std::max(szerokosc, 0);
    g.Zoom = int(std::max<qint64>(dlugosc, 0) / 10 / std::max(szerokosc - 20, 1) + 1);
    g.Offset = (dlugosc - g.Rozpietosc()) / 2;
    return g;
}

int GlosnoscPodgladu(qint64 p, const ZnacznikiOpisu& z) {
    if (p < z.NwP || p > z.NwK)
        return -10000;
    double v = 0;
    if (p < z.FIn)
        v = (p - z.NwP) * 5000.1 / double(z.FIn - z.NwP) - 5001;
    else if (p >= z.FOu && z.NwK > z.FOu)
        v = (p - z.FOu) * -5000.1 / double(z.NwK - z.FOu);
    return std::clamp(int(std::nearbyint(v)), -10000, 0);
}

QString CzasMSSM(qint64 ms) {
    if (ms < 0)
        ms = 0;
    return QString::number(ms / 60000) + u':' + zeroPad(ms / 1000 % 60, 2) + u'.' + QString::number(ms / 100 % 10);
}

// ---- a waveform pane ----

class PanelFali final : public QWidget {
public:
    PanelFali(TDlgOpisNagr& dialog, int nr, QWidget* rodzic) : QWidget(rodzic), d_(dialog), nr_(nr) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    // The envelope or the geometry changed: the waveform is drawn anew.
    void Uniewaznij() {
        fala_ = QImage();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const GeometriaPanelu& g = d_.Geometria(nr_);
        if (fala_.size() != size() || g.Zoom != g_.Zoom || g.Offset != g_.Offset || g.Szerokosc != g_.Szerokosc)
            RysujFale();
        QPainter p(this);
        p.drawImage(0, 0, fala_);
        const int h = height();
        for (int z = 0; z < LiczbaZnacznikowEdytora; ++z) {
            const QPoint u = d_.Uchwyt(nr_, z);
            if (u.x() < 0)
                continue;
            const QColor kolor = QColor::fromRgb(OpisyZnacznikow[z].kolor);
            p.setPen(kolor);
            p.drawLine(u.x(), 0, u.x(), h - 1);
            p.fillRect(u.x() - 4, u.y() - 5, 9, 10, kolor);
            p.drawText(u.x() + 6, u.y() + 5, QString::fromUtf16(OpisyZnacznikow[z].znak));
        }
        const qint64 t = d_.Pozycja();
        if (t >= g.Offset && g.X(t) < g.Szerokosc) {
            p.setPen(Qt::white);
            p.drawLine(g.X(t), 0, g.X(t), h - 1);
        }
    }

    void mousePressEvent(QMouseEvent* e) override {
        const QPoint m = e->position().toPoint();
        if (e->button() == Qt::LeftButton) {
            for (int z = 0; z < LiczbaZnacznikowEdytora; ++z) {
                const QPoint u = d_.Uchwyt(nr_, z);
                if (u.x() >= 0 && std::abs(m.x() - u.x()) <= 4 && std::abs(m.y() - u.y()) <= 5) {
                    ciagniety_ = z;
                    xNacisku_ = m.x();
                    xKsztaltu_ = u.x();
                    e->accept();
                    return;
                }
            }
        }
        if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton)
            d_.NacisnijPanel(nr_, m.x(), e->button() == Qt::RightButton);
        e->accept();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (ciagniety_ >= 0 && (e->buttons() & Qt::LeftButton))
            d_.PrzeciagnijZnacznik(nr_, ciagniety_, xKsztaltu_ + int(e->position().x()) - xNacisku_);
        e->accept();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        ciagniety_ = -1;
        e->accept();
    }

private:
    // The level bytes of each pixel's span, the loudest of them drawn; time
    // before the file or past the envelope buffer has none.
    void RysujFale() {
        g_ = d_.Geometria(nr_);
        fala_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        fala_.fill(Qt::black);
        QPainter p(&fala_);
        const int h = height();
        const int srodek = h / 2;
        const double skala = h / 260.0;
        const QByteArray& b = d_.Obwiednia();
        const auto* poziomy = reinterpret_cast<const unsigned char*>(b.constData());
        const qint64 rozmiar = b.size();
        const qint64 dlugosc = d_.Dlugosc();
        const QColor teal(0, 128, 128), poza(40, 40, 40);
        for (int x = 0; x < width(); ++x) {
            const qint64 t = g_.Czas(x);
            if (t < 0 || t >= dlugosc) {
                p.setPen(poza);
                p.drawLine(x, 0, x, h - 1);
                continue;
            }
            const qint64 od = t / 10;
            const qint64 doIndeksu = std::min<qint64>(od + g_.Zoom, rozmiar);
            int poziom = 0;
            for (qint64 i = od; i < doIndeksu; ++i)
                poziom = std::max<int>(poziom, poziomy[i]);
            const int v = int(std::lround(poziom * skala));
            p.setPen(teal);
            p.drawLine(x, srodek - v, x, srodek + v);
        }
        p.setPen(teal);
        p.drawLine(0, srodek, width() - 1, srodek);
    }

    TDlgOpisNagr& d_;
    const int nr_;
    QImage fala_;
    GeometriaPanelu g_;
    int ciagniety_ = -1;
    int xNacisku_ = 0;
    int xKsztaltu_ = 0;
};

// ---- the dialog ----

TDlgOpisNagr* DlgOpisNagr() { return oknoProgramu.data(); }

TDlgOpisNagr::TDlgOpisNagr(QWidget* oknoGlowne)
    : OknoDialogu(u"Dane o nagraniu"_s, kSzerokosc, kWysokosc), obwiednia_(RozmiarBuforaObwiedni, '\0') {
    if (oknoGlowne)
        setParent(oknoGlowne, windowFlags());
    if (!oknoProgramu)
        oknoProgramu = this;

    Strony = new QTabWidget(this);
    Strony->setGeometry(8, 8, kSzerokosc - 16, 584);
    TabSheet2 = new QWidget;
    TabSheet1 = new QWidget;
    Strony->addTab(TabSheet2, u"Opisy"_s);
    Strony->addTab(TabSheet1, u"Czasy"_s);
    Rozmiesc();

    akceptuj_ = DodajPrzycisk(RectWH(8, 600, 100, 28), u"~Akceptuj"_s, OdpowiedzAkceptuj);
    czysc_ = DodajPrzycisk(RectWH(116, 600, 100, 28), u"~Czyść"_s, kKodCzysc);
    poczatkowe_ = DodajPrzycisk(RectWH(224, 600, 110, 28), u"~Początkowe"_s, kKodPoczatkowe);
    opusc_ = DodajPrzycisk(RectWH(kSzerokosc - 108, 600, 100, 28), u"~Opuść"_s, OdpowiedzOpusc);
    UstawAnuluj(OdpowiedzOpusc);

    WykresTimer = new QTimer(this);
    WykresTimer->setInterval(kTikWykresu);
    QObject::connect(WykresTimer, &QTimer::timeout, this, [this] { WykresTimerTimer(); });
    PlayTimer = new QTimer(this);
    PlayTimer->setInterval(kTikGrania);
    QObject::connect(PlayTimer, &QTimer::timeout, this, [this] { PlayTimerTimer(); });
}

TDlgOpisNagr::~TDlgOpisNagr() = default;

void TDlgOpisNagr::Rozmiesc() {
    // ---- "Opisy" ----
    auto* siatka = new QGridLayout(TabSheet2);
    siatka->setVerticalSpacing(3);
    int wiersz[3] = {0, 0, 0};
    const auto dodaj = [&](int kolumna, const QString& etykieta, QWidget* pole) {
        siatka->addWidget(new QLabel(etykieta), wiersz[kolumna], kolumna * 2);
        siatka->addWidget(pole, wiersz[kolumna]++, kolumna * 2 + 1);
    };
    const auto informacja = [&](const QString& etykieta) {
        auto* e = new QLineEdit;
        e->setReadOnly(true);
        dodaj(2, etykieta, e);
        return e;
    };
    for (const PoleEdytora& p : PolaEdytora) {
        QWidget* w = nullptr;
        if (p.rodzaj == RodzajPola::Lista || p.rodzaj == RodzajPola::Era) {
            auto* c = new QComboBox;
            c->setEditable(true);
            if (p.slownik)
                c->addItems(*p.slownik);
            w = c;
        } else {
            auto* e = new QLineEdit;
            e->setMaxLength(p.szerokosc);
            e->setReadOnly(p.rodzaj == RodzajPola::Informacja);
            if (p.pole == &O::Tyt)
                e->setPlaceholderText(BrakOpisu);
            w = e;
        }
        dodaj(p.kolumna, QString::fromUtf16(p.etykieta), w);
        pola_.push_back(w);
    }
    PTYComboBox = new QComboBox;
    PTYComboBox->addItems(SlownikPTY);
    dodaj(1, u"PTY"_s, PTYComboBox);
    TypInfo = informacja(u"Typ zbioru"_s);
    ProbkowanieInfo = informacja(u"Próbkowanie"_s);
    TrybInfo = informacja(u"Tryb"_s);
    CzasInfo = informacja(u"Czas"_s);
    const auto czas = [&](const QString& etykieta) {
        auto* e = new QLineEdit;
        e->setMaxLength(5);
        dodaj(2, etykieta, e);
        return e;
    };
    IntroEdit = czas(u"Intro [s]"_s);
    OutroEdit = czas(u"Outro [s]"_s);
    MixEdit = czas(u"Mix [s]"_s);
    ZaakceptowanyCheckBox = new QCheckBox(u"Opis zaakceptowany"_s);
    siatka->addWidget(ZaakceptowanyCheckBox, wiersz[2]++, 5);
    AdresInfo = new QLineEdit;
    AdresInfo->setReadOnly(true);
    const int dol = std::max({wiersz[0], wiersz[1], wiersz[2]});
    siatka->addWidget(new QLabel(u"Adres"_s), dol, 0);
    siatka->addWidget(AdresInfo, dol, 1, 1, 5);
    siatka->setRowStretch(dol + 1, 1);
    for (QLineEdit* e : {IntroEdit, OutroEdit, MixEdit}) {
        QObject::connect(e, &QLineEdit::editingFinished, this, [this] { ZastosujPolaCzasu(); });
    }

    // ---- "Czasy" ----
    QWidget* s = TabSheet1;
    const QRect panele[LiczbaPaneli] = {{8, 8, 800, 110}, {8, 128, 396, 110}, {412, 128, 396, 110}};
    for (int i = 0; i < LiczbaPaneli; ++i) {
        auto* p = new PanelFali(*this, i, s);
        p->setGeometry(panele[i]);
        panele_[size_t(i)] = p;
    }
    CaloscPaintBox = panele_[PCalosc];
    PoczatekPaintBox = panele_[PPoczatek];
    KoniecPaintBox = panele_[PKoniec];
    for (int i : {PPoczatek, PKoniec}) {
        auto* pasek = new QScrollBar(Qt::Horizontal, s);
        pasek->setGeometry(panele[i].x(), 240, panele[i].width(), 16);
        QObject::connect(pasek, &QScrollBar::valueChanged, this, [this, i](int v) {
            geometria_[size_t(i)].Offset = v;
            static_cast<PanelFali*>(panele_[size_t(i)])->Uniewaznij();
        });
        paski_[size_t(i)] = pasek;
        const std::pair<const char16_t*, int> zoomy[] = {{u"Zoom +", 1}, {u"Zoom -", -1}, {u"Zoom 1", 0}};
        int x = panele[i].x();
        for (const auto& [tytul, zmiana] : zoomy) {
            auto* b = new QPushButton(QString::fromUtf16(tytul), s);
            b->setGeometry(x, 260, 70, 24);
            b->setFocusPolicy(Qt::NoFocus);
            QObject::connect(b, &QPushButton::clicked, this, [this, i, z = zmiana] { Zoom(i, z); });
            x += 74;
        }
    }
    PoczatekScrollBar = paski_[PPoczatek];
    KoniecScrollBar = paski_[PKoniec];

    const auto etykieta = [s](int x, int y, int w) {
        auto* l = new QLabel(s);
        l->setGeometry(x, y, w, 18);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    // Two rows of marker buttons, each with its time under it.
    const int rzad1[] = {ZIntro, ZOutro, ZMix, ZNowyPoczatek, ZNowyKoniec, ZFadeIn, ZFadeOut};
    const int rzad2[] = {ZLoopP, ZLoopK, -1, ZHookP, ZHookK, -2};
    const auto przycisk = [&](int z, int x, int y) {
        auto* b = new QPushButton(QString::fromUtf16(OpisyZnacznikow[z].tytul), s);
        b->setObjectName(QLatin1StringView(OpisyZnacznikow[z].przycisk));
        b->setGeometry(x, y, 110, 24);
        b->setFocusPolicy(Qt::NoFocus);
        QObject::connect(b, &QPushButton::clicked, this, [this, z] { PrzyciskZnacznika(z); });
        PrzyciskiZnacznikow[size_t(z)] = b;
        QLabel* l = etykieta(x, y + 26, 110);
        l->installEventFilter(this);
        EtykietyZnacznikow[size_t(z)] = l;
        // A click on the time shows the marker in the start pane (and a
        // loop's or hook's end in the end pane).
        l->setProperty("znacznik", z);
    };
    for (int i = 0; i < 7; ++i)
        przycisk(rzad1[i], 8 + i * 114, 296);
    for (int i = 0; i < 6; ++i) {
        const int x = 8 + i * 114;
        if (rzad2[i] >= 0) {
            przycisk(rzad2[i], x, 348);
            continue;
        }
        auto* b = new QPushButton(rzad2[i] == -1 ? u"Loop Play"_s : u"Hook Play"_s, s);
        b->setGeometry(x, 348, 110, 24);
        b->setFocusPolicy(Qt::NoFocus);
        (rzad2[i] == -1 ? LoopPlayButton : HookPlayButton) = b;
    }
    // "Hook Play" stops a running preview; "Loop Play" does nothing.
    QObject::connect(HookPlayButton, &QPushButton::clicked, this, [this] {
        if (podglad_)
            Zatrzymaj();
    });
    PlayButton = new QPushButton(kGraj, s);
    PlayButton->setGeometry(8, 404, 200, 40);
    PlayButton->setFocusPolicy(Qt::NoFocus);
    QObject::connect(PlayButton, &QPushButton::clicked, this, [this] {
        if (podglad_)
            Zatrzymaj();
        else
            Graj();
    });
    const std::pair<const char16_t*, QLabel**> czasy[] = {{u"Pozycja", &PozycjaLabel},
                                                          {u"Intro", &IntroCzasLabel},
                                                          {u"Outro", &OutroCzasLabel},
                                                          {u"Mix", &MixCzasLabel},
                                                          {u"Granie", &GranieCzasLabel}};
    int x = 220;
    for (const auto& [tytul, l] : czasy) {
        etykieta(x, 404, 110)->setText(QString::fromUtf16(tytul));
        *l = etykieta(x, 424, 110);
        x += 114;
    }
}

qint32& TDlgOpisNagr::Znacznik(int znacznik) { return m_.*OpisyZnacznikow[znacznik].pole; }

QPoint TDlgOpisNagr::Uchwyt(int panel, int znacznik) const {
    const GeometriaPanelu& g = geometria_[size_t(panel)];
    const qint64 t = m_.*OpisyZnacznikow[znacznik].pole;
    if (znacznik == ZMix && t < 0)
        return QPoint(-1, -1);
    if (t < g.Offset || g.X(t) >= g.Szerokosc)
        return QPoint(-1, -1);
    const int h = panele_[size_t(panel)]->height();
    return QPoint(g.X(t), OpisyZnacznikow[znacznik].pasmo * h / kPasma + 7);
}

// ---- opening ----

void TDlgOpisNagr::CzytajObwiednie() {
    std::memset(obwiednia_.data(), 0, size_t(obwiednia_.size()));
    if (plikJest_) {
        QFile f(platform::resolvePath(ZbiorObwiedni(s_.Adres)));
        // Only a regular file: a FIFO would hold the dialog for ever.
        if (QFileInfo(f.fileName()).isFile() && f.open(QIODevice::ReadOnly)) {
            const QByteArray b = f.read(RozmiarBuforaObwiedni);
            if (b.size() > RozmiarNaglowkaObwiedni)
                std::memcpy(obwiednia_.data(), b.constData() + RozmiarNaglowkaObwiedni,
                            size_t(b.size() - RozmiarNaglowkaObwiedni));
        }
    }
    for (QWidget* p : panele_)
        static_cast<PanelFali*>(p)->Uniewaznij();
}

void TDlgOpisNagr::UstawGeometrie() {
    geometria_[PCalosc] = GeometriaCalosci(panele_[PCalosc]->width(), dlugosc_);
    for (int i : {PPoczatek, PKoniec}) {
        GeometriaPanelu& g = geometria_[size_t(i)];
        g.Szerokosc = panele_[size_t(i)]->width();
        g.Zoom = 1;
        // The new start a little from the left, the new end a little from the right.
        g.Offset = i == PPoczatek ? m_.NwP - g.Rozpietosc() / 8 : m_.NwK - g.Rozpietosc() * 7 / 8;
        UstawPasek(i);
    }
}

void TDlgOpisNagr::UstawPasek(int panel) {
    QScrollBar* pasek = paski_[size_t(panel)];
    if (!pasek)
        return;
    GeometriaPanelu& g = geometria_[size_t(panel)];
    const qint64 pol = g.Rozpietosc() / 2;
    const qint64 od = -pol, doCzasu = std::max(-pol, qint64(dlugosc_) - pol);
    g.Offset = std::clamp(g.Offset, od, doCzasu);
    const QSignalBlocker blokada(pasek);
    pasek->setRange(int(od), int(doCzasu));
    pasek->setPageStep(int(g.Rozpietosc()));
    pasek->setSingleStep(int(std::max<qint64>(g.Rozpietosc() / 10, 1)));
    pasek->setValue(int(g.Offset));
}

void TDlgOpisNagr::Przewin(int panel, qint64 czas) {
    GeometriaPanelu& g = geometria_[size_t(panel)];
    g.Offset = czas - g.Rozpietosc() / 2;
    UstawPasek(panel);
    static_cast<PanelFali*>(panele_[size_t(panel)])->Uniewaznij();
}

void TDlgOpisNagr::Zoom(int panel, int zmiana) {
    GeometriaPanelu& g = geometria_[size_t(panel)];
    const qint64 srodek = g.Offset + g.Rozpietosc() / 2;
    g.Zoom = zmiana > 0 ? std::max(g.Zoom / 2, 1) : zmiana < 0 ? std::min(g.Zoom * 2, kZoomMaks) : 1;
    Przewin(panel, srodek);
}

void TDlgOpisNagr::showEvent(QShowEvent* zdarzenie) {
    OknoDialogu::showEvent(zdarzenie);
    WykresTimer->start();
}

void TDlgOpisNagr::hideEvent(QHideEvent* zdarzenie) {
    WykresTimer->stop();
    Zatrzymaj();
    OknoDialogu::hideEvent(zdarzenie);
}

bool TDlgOpisNagr::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    if (zdarzenie->type() == QEvent::MouseButtonPress && obiekt->property("znacznik").isValid()) {
        const int z = obiekt->property("znacznik").toInt();
        Przewin(PPoczatek, Znacznik(z));
        const int koniec = z == ZLoopP ? ZLoopK : z == ZHookP ? ZHookK : z == ZLoopK || z == ZHookK ? z : -1;
        if (koniec >= 0)
            Przewin(PKoniec, Znacznik(koniec));
        return true;
    }
    return OknoDialogu::eventFilter(obiekt, zdarzenie);
}

// ---- markers ----

void TDlgOpisNagr::Zmiana() {
    for (QWidget* p : panele_)
        p->update();
    WykresTimerTimer();
}

void TDlgOpisNagr::PrzyciskZnacznika(int z) {
    ZnacznikiOpisu& m = m_;
    const qint32 p = qint32(pozycja_);
    const bool gra = podglad_;
    switch (z) {
    case ZMix:
        m.Mik = p;
        if (gra)
            Zatrzymaj();
        break;
    case ZLoopP:
    case ZHookP:
    case ZLoopK:
    case ZHookK: {
        const bool poczatek = z == ZLoopP || z == ZHookP;
        qint32& od = z == ZLoopP || z == ZLoopK ? m.LpP : m.FrP;
        qint32& doCzasu = z == ZLoopP || z == ZLoopK ? m.LpK : m.FrK;
        if (poczatek) {
            if (gra && doCzasu < p) {
                od = doCzasu;
                doCzasu = p;
            } else {
                od = p;
                if (!gra && doCzasu < od)
                    doCzasu = od;
            }
        } else {
            if (gra && od > p) {
                doCzasu = od;
                od = p;
            } else {
                doCzasu = p;
                if (!gra && od > doCzasu)
                    od = doCzasu;
            }
        }
        if (gra)
            Zatrzymaj();
        Przewin(PPoczatek, Znacznik(z));
        break;
    }
    default: {
        if (!gra) {
            // Heard from a little before, where it is now.
            pozycja_ = qint64(Znacznik(z)) - kPrzedZnacznikiem;
            Graj();
            return;
        }
        switch (z) {
        case ZIntro:
            m.Int = p;
            Przewin(PPoczatek, m.Int);
            break;
        case ZOutro: m.Out = p; break;
        case ZNowyPoczatek:
            if (p >= m.FOu)
                return;
            m.NwP = p;
            m.FIn = std::max(m.FIn, p);
            break;
        case ZNowyKoniec:
            if (p < m.FIn)
                return;
            m.NwK = p;
            m.FOu = std::min(m.FOu, p);
            break;
        case ZFadeIn:
            if (p < m.NwP || p > m.FOu)
                return;
            m.FIn = p;
            break;
        case ZFadeOut:
            if (p < m.FIn || p > m.NwK)
                return;
            m.FOu = p;
            break;
        default: break;
        }
        Zatrzymaj();
        break;
    }
    }
    Zmiana();
}

void TDlgOpisNagr::NacisnijPanel(int panel, int x, bool prawy) {
    Zatrzymaj();
    pozycja_ = Geometria(panel).Czas(x);
    if (prawy)
        Graj();
    Zmiana();
}

void TDlgOpisNagr::PrzeciagnijZnacznik(int panel, int z, int x) {
    const GeometriaPanelu& g = Geometria(panel);
    x = std::clamp(x, 0, std::max(g.Szerokosc - 1, 0));
    ZnacznikiOpisu& m = m_;
    Znacznik(z) = qint32(g.Czas(x));
    if (z == ZNowyPoczatek && m.NwP > m.FIn)
        m.FIn = m.NwP;
    if (z == ZNowyKoniec && m.NwK < m.FOu)
        m.FOu = m.NwK;
    for (qint32* t : {&m.NwP, &m.FIn, &m.Int})
        *t = std::max(*t, 0);
    for (qint32* t : {&m.Out, &m.FOu, &m.NwK})
        *t = std::min(*t, dlugosc_);
    Zmiana();
}

void TDlgOpisNagr::WykresTimerTimer() {
    ZnacznikiOpisu& m = m_;
    if (m.Mik < 1)
        m.Mik = -1;
    PozycjaLabel->setText(PiszCzas(4, pozycja_));
    IntroCzasLabel->setText(CzasMSSM(qint64(m.Int) - m.NwP));
    OutroCzasLabel->setText(CzasMSSM(qint64(m.NwK) - m.Out));
    // A description with a mix distance but no mix point shows its distance.
    const bool mix = m.Mik >= 0 || m.Mix >= 0;
    const qint64 odlegloscMiksu = m.Mik >= 0 ? qint64(m.NwK) - m.Mik : m.Mix;
    MixCzasLabel->setText(mix ? CzasMSSM(odlegloscMiksu) : QString());
    GranieCzasLabel->setText(CzasMSSM(qint64(m.NwK) - m.NwP));
    // A field the operator is typing in is left alone.
    const auto pole = [](QLineEdit* e, const QString& t) {
        if (!e->hasFocus() && !e->isModified() && e->text() != t)
            e->setText(t);
    };
    pole(IntroEdit, Sekundy(qint64(m.Int) - m.NwP));
    pole(OutroEdit, Sekundy(qint64(m.NwK) - m.Out));
    pole(MixEdit, mix ? Sekundy(odlegloscMiksu) : QString());
    for (int z = 0; z < LiczbaZnacznikowEdytora; ++z) {
        const qint32 t = Znacznik(z);
        EtykietyZnacznikow[size_t(z)]->setText(z == ZMix && t < 0 ? QString() : PiszCzas(4, t));
    }
    for (QWidget* p : panele_)
        p->update();
}

// ---- the preview ----

void TDlgOpisNagr::Graj() {
    if (!plikJest_ || podglad_)
        return;
    if (!player_) {
        try {
            player_ = std::make_unique<TBasicPlayer>(OpcjePFL.KanalPFLNazwa);
        } catch (...) {
            Log(u"Podgląd opisu nagrania - brak odtwarzacza na wyjściu "_s + OpcjePFL.KanalPFLNazwa);
            return;
        }
    }
    player_->SetFileName(s_.Adres);
    podglad_ = true;
    offsetGrania_ = 0;
    PlayButton->setText(kStop);
    PlayTimer->start();
}

void TDlgOpisNagr::Zatrzymaj() {
    PlayTimer->stop();
    if (player_) {
        player_->Stop();
        player_->SetPosition(0);
        player_->SetFileName(QString());
    }
    podglad_ = false;
    PlayButton->setText(kGraj);
}

void TDlgOpisNagr::PlayTimerTimer() {
    if (!podglad_ || !player_)
        return;
    const ZnacznikiOpisu& m = m_;
    if (player_->State() == 1)
        pozycja_ = player_->GetPosition() + offsetGrania_;
    else
        pozycja_ += kTikGrania;
    if (player_->State() == 0 && pozycja_ >= m.NwP && pozycja_ < m.NwK) {
        player_->SetVolume(-10000);
        player_->SetPosition(pozycja_);
        player_->Play();
    }
    if (player_->State() == 1)
        player_->SetVolume(GlosnoscPodgladu(pozycja_, m));
    // The player stands at the end of its file without stopping.
    const bool koniecPliku = player_->State() == 1 && player_->GetPosition() >= player_->Duration();
    if (pozycja_ > m.NwK || koniecPliku)
        Zatrzymaj();
}

// ---- the drawn buttons ----

void TDlgOpisNagr::Wybrano(int i) {
    switch (Przycisk(i).Kod) {
    case OdpowiedzAkceptuj: Akceptuj(); break;
    case kKodCzysc: Czysc(); break;
    case kKodPoczatkowe: Poczatkowe(); break;
    default: OknoDialogu::Wybrano(i); break;
    }
}

void TDlgOpisNagr::Czysc() {
    if (Strony->currentWidget() == TabSheet1) {
        if (Decyzja(u"Czy zerować ustawienia?"_s) != WynikTak)
            return;
        ZnacznikiOpisu& m = m_;
        m.NwP = m.FIn = m.Int = m.Mik = 0;
        m.Out = m.FOu = m.NwK = dlugosc_;
        m.LpP = m.LpK = m.FrP = m.FrK = 0;
    } else {
        if (Decyzja(u"Czy skasować pola informacji?"_s) != WynikTak)
            return;
        KasujOpis(OpisNagrania);
        m_.Mix = -1;
        WypelnijOpisy();
        m_.Int = m_.NwP;
        m_.Out = m_.NwK;
        IntroEdit->setText(u"00"_s);
        OutroEdit->setText(u"00"_s);
        MixEdit->clear();
    }
    Zmiana();
}

void TDlgOpisNagr::Poczatkowe() {
    if (Strony->currentWidget() == TabSheet1) {
        if (Decyzja(u"Czy przywrócić początkowe ustawienia?"_s) != WynikTak)
            return;
        m_ = m0_;
        geometria_ = geometria0_;
        for (int i : {PPoczatek, PKoniec})
            UstawPasek(i);
        CzytajObwiednie();
    } else {
        if (Decyzja(u"Czy przywrócić początkowe dane?"_s) != WynikTak)
            return;
        OpisNagrania = opis0_;
        m_.Mix = m0_.Mix;
        WypelnijOpisy();
    }
    Zmiana();
}

