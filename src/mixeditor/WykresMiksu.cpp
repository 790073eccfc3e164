// The mix editor's time line: layout of the shapes, drawing, and the mouse
// (clicks, drags, the wheel).
#include "mixeditor/WykresMiksu.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <climits>

#include "foundation/KestGraf2.h"
#include "mixeditor/PodgladMiksu.h"
#include "mixeditor/TEdycjaMiksow.h"

namespace {

enum Warstwa : int {
    NieTrafiany = -1,  // lines the mouse passes through
    Tlo = 0,
    Pudelko = 10,
    Linia = 25,
    Uchwyt = 30,
    Kwadrat = 31,
    UchwytWzmocnienia = 32,
};

constexpr TColor KolorSrebrny = 0xC0C0C0;

using Rodzaj = WykresMiksu::Rodzaj;
using Id = WykresMiksu::Id;

Id pudelko(int n) { return {Rodzaj::Pudelko, n}; }
bool glos(int n) { return n == SladGlosu1 || n == SladGlosu2; }

int px(qint64 t) { return CzasNaPiksel(qint32(t)); }
qint32 msNaPiksel() { return 10 * std::max(ZoomMiksu, 1); }
// The time of a mark at `t0` whose handle moved to pixel x: whole pixels
// from where it was, so a handle that did not move keeps its exact time.
qint32 przesuniety(qint32 t0, int x) { return t0 + (x - px(t0)) * msNaPiksel(); }

}  // namespace

WykresMiksu::WykresMiksu(TEdycjaMiksow& okno) : QWidget(&okno), okno_(okno) {
    setObjectName(QStringLiteral("WykresMiksu"));
    setMouseTracking(false);
    auto dodaj = [this](const char* wzor, int n) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(wzor).arg(n));
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(p);
        l->hide();
        return l;
    };
    for (int n = SladPiosenki1; n <= SladGlosu2; ++n) {
        tytul_[n] = dodaj("TytulNagrania%1Label", n);
        autor_[n] = dodaj("AutorNagrania%1Label", n);
    }
    for (int n = SladPiosenki2; n <= SladGlosu2; ++n) godzina_[n] = dodaj("GodzinaEmisji%1Label", n);

    auto ksztalt = [this](Rodzaj r, int n = 0) { ksztalty_.push_back(Ksztalt{Id{r, n}, QRect()}); };
    ksztalt(Rodzaj::ZakresDJKoniec);
    ksztalt(Rodzaj::ZakresDJPoczatek);
    ksztalt(Rodzaj::Intro, SladPiosenki2);
    ksztalt(Rodzaj::IntroKwadrat, SladPiosenki2);
    for (int n : {SladGlosu1, SladGlosu2}) {
        ksztalt(Rodzaj::KaczkaWe, n);
        ksztalt(Rodzaj::KaczkaWy, n);
    }
    ksztalt(Rodzaj::Kursor);
    for (int l = 1; l <= 3; ++l) ksztalt(Rodzaj::LiniaPasa, l);
    for (int n = SladPiosenki1; n <= SladGlosu2; ++n)
        for (Rodzaj r : {Rodzaj::FadeIn, Rodzaj::FadeOut, Rodzaj::NowyKoniec, Rodzaj::NowyPoczatek}) ksztalt(r, n);
    ksztalt(Rodzaj::Outro, SladPiosenki1);
    ksztalt(Rodzaj::OutroKwadrat, SladPiosenki1);
    ksztalt(Rodzaj::Tlo);
    ksztalt(Rodzaj::WgrajKoniec);
    ksztalt(Rodzaj::WgrajPoczatek);
    ksztalt(Rodzaj::ZakresWgraniaKoniec);
    ksztalt(Rodzaj::ZakresWgraniaPoczatek);
    for (int n : {SladGlosuNastepny, SladGlosuPoprzedni, SladPiosenki1, SladPiosenki2, SladGlosu1, SladGlosu2, SladPrzed, SladPo})
        ksztalt(Rodzaj::Pudelko, n);
    for (int n = SladPiosenki1; n <= SladGlosu2; ++n) ksztalt(Rodzaj::Wzmocnienie, n);
}

int WykresMiksu::Slad(Id k) {
    return k.rodzaj >= Rodzaj::Pudelko && k.rodzaj <= Rodzaj::OutroKwadrat ? k.n : 0;
}

QString WykresMiksu::Nazwa(Id k) {
    const auto z = [&k](const char* wzor) {
        const QString t = QString::fromLatin1(wzor);
        return t.contains(QLatin1String("%1")) ? t.arg(k.n) : t;
    };
    switch (k.rodzaj) {
    case Rodzaj::Brak: return QString();
    case Rodzaj::Tlo: return z("TloWykresuShape");
    case Rodzaj::LiniaPasa: return z("LiniaWykres%1Shape");
    case Rodzaj::Pudelko:
        if (k.n == SladGlosuPoprzedni) return z("WykresDJPoprzedniPaintBox");
        if (k.n == SladGlosuNastepny) return z("WykresDJNastepnyPaintBox");
        return z("WykresNagrania%1PaintBox");
    case Rodzaj::FadeIn: return z("Nagranie%1FadeInShape");
    case Rodzaj::FadeOut: return z("Nagranie%1FadeOutShape");
    case Rodzaj::NowyPoczatek: return z("Nagranie%1NowyPoczatekShape");
    case Rodzaj::NowyKoniec: return z("Nagranie%1NowyKoniecShape");
    case Rodzaj::KaczkaWe: return z("Kaczka%1FadeInShape");
    case Rodzaj::KaczkaWy: return z("Kaczka%1FadeOutShape");
    case Rodzaj::Wzmocnienie: return z("Wzmocnienie%1Shape");
    case Rodzaj::Intro: return z("Intro%1Shape");
    case Rodzaj::IntroKwadrat: return z("IntroKwadratShape");
    case Rodzaj::Outro: return z("Outro%1Shape");
    case Rodzaj::OutroKwadrat: return z("OutroKwadratShape");
    case Rodzaj::Kursor: return z("KursorShape");
    case Rodzaj::WgrajPoczatek: return z("WgrajPoczatekKursorShape");
    case Rodzaj::WgrajKoniec: return z("WgrajKoniecKursorShape");
    case Rodzaj::ZakresWgraniaPoczatek: return z("WgrajZakresPoczatekShape");
    case Rodzaj::ZakresWgraniaKoniec: return z("WgrajZakresKoniecShape");
    case Rodzaj::ZakresDJPoczatek: return z("DJZakresPoczatekShape");
    case Rodzaj::ZakresDJKoniec: return z("DJZakresKoniecShape");
    }
    return QString();
}

WykresMiksu::Pasy WykresMiksu::PasyDla(int wysokosc) {
    Pasy p;
    p.s = wysokosc / 6;
    p.linia[1] = p.s + 4;
    p.linia[2] = 3 * p.s;
    p.linia[3] = 5 * p.s - 4;
    return p;
}

int WykresMiksu::PasSladu(int n) {
    if (n >= SladGlosu1 && n <= SladGlosuNastepny) return 3;
    // Audio-bearing elements alternate: odd ordinals take the second lane.
    return (SladyMiksu[n].Kolejny % 2) != 0 ? 2 : 1;
}

WykresMiksu::Ksztalt* WykresMiksu::znajdz(Id k) {
    for (Ksztalt& s : ksztalty_)
        if (s.id == k) return &s;
    return nullptr;
}

const WykresMiksu::Ksztalt* WykresMiksu::znajdz(Id k) const { return const_cast<WykresMiksu*>(this)->znajdz(k); }

QRect WykresMiksu::Prostokat(Id k) const {
    const Ksztalt* s = znajdz(k);
    return s ? s->r : QRect();
}

bool WykresMiksu::Widoczny(Id k) const {
    const Ksztalt* s = znajdz(k);
    return s && s->widoczny;
}

QLabel* WykresMiksu::GodzinaEmisji(int n) const { return n >= 0 && n < int(godzina_.size()) ? godzina_[n] : nullptr; }

QRect WykresMiksu::Prostokat(const QString& nazwa) const {
    for (const Ksztalt& s : ksztalty_)
        if (Nazwa(s.id) == nazwa) return s.r;
    return QRect();
}

bool WykresMiksu::Widoczny(const QString& nazwa) const {
    for (const Ksztalt& s : ksztalty_)
        if (Nazwa(s.id) == nazwa) return s.widoczny;
    const QLabel* l = Etykieta(nazwa);
    return l && !l->isHidden();
}

QLabel* WykresMiksu::Etykieta(const QString& nazwa) const {
    for (const auto* rzad : {&tytul_, &autor_, &godzina_})
        for (QLabel* l : *rzad)
            if (l && l->objectName() == nazwa) return l;
    return nullptr;
}

Id WykresMiksu::Trafienie(QPoint p) const {
    Id wynik;
    int z = NieTrafiany;
    for (const Ksztalt& k : ksztalty_)
        if (k.widoczny && k.z > z && k.r.contains(p)) {
            wynik = k.id;
            z = k.z;
        }
    return wynik;
}

void WykresMiksu::ustaw(Id k, QRect r, bool widoczny, int z) {
    Ksztalt* s = znajdz(k);
    if (!s) s = &ksztalty_.emplace_back(Ksztalt{k, QRect()});
    s->r = r;
    s->widoczny = widoczny;
    s->z = z;
}

void WykresMiksu::ukryjSlad(int n) {
    for (Ksztalt& k : ksztalty_)
        if (Slad(k.id) == n) k.widoczny = false;
    ustaw(pudelko(n), QRect(), false, Pudelko);
    if (n < int(tytul_.size()))
        for (QLabel* l : {tytul_[n], autor_[n], godzina_[n]})
            if (l) l->hide();
}

void WykresMiksu::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Rozmiesc();
}

void WykresMiksu::Rozmiesc() {
    const Pasy p = PasyDla(height());
    const int w = width(), h = height();
    ustaw({Rodzaj::Tlo}, QRect(0, 0, w, h), true, Tlo);
    for (int l = 1; l <= 3; ++l) ustaw({Rodzaj::LiniaPasa, l}, QRect(0, p.linia[l], w, 1), true, NieTrafiany);
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) rozmiescSlad(n, p);
    const auto& Z = Zakresy;
    const bool oba = SladyMiksu[SladPiosenki1].Uzyty && SladyMiksu[SladPiosenki2].Uzyty;
    auto pion = [&](Rodzaj r, qint32 t) { ustaw({r}, QRect(px(t), 0, 2, h), oba, NieTrafiany); };
    pion(Rodzaj::WgrajPoczatek, Z.PoczatekWgrania);
    pion(Rodzaj::WgrajKoniec, Z.KoniecWgrania);
    pion(Rodzaj::ZakresWgraniaPoczatek, Z.GranicaLewa);
    pion(Rodzaj::ZakresWgraniaKoniec, Z.GranicaPrawa);
    pion(Rodzaj::ZakresDJPoczatek, Z.PoczatekZakresuDJ);
    pion(Rodzaj::ZakresDJKoniec, Z.KoniecZakresuDJ);
    PrzesunKursor();
    update();
}

void WykresMiksu::PrzesunKursor() {
    const QRect r(px(Zakresy.KursorPodgladu), 0, 1, height());
    const Ksztalt* k = znajdz({Rodzaj::Kursor});
    if (k && k->r == r) return;
    ustaw({Rodzaj::Kursor}, r, true, NieTrafiany);
    update();
}

void WykresMiksu::RozmiescSlad(int n) {
    const QRect przed = Prostokat(pudelko(n));
    rozmiescSlad(n, PasyDla(height()));
    if (Prostokat(pudelko(n)) != przed) update();
}

void WykresMiksu::rozmiescSlad(int n, const Pasy& p) {
    const SladMiksuTyp& s = SladyMiksu[n];
    if (!s.Uzyty && n != okno_.SladNagrywany()) {
        ukryjSlad(n);
        return;
    }
    const int gora = p.gora(PasSladu(n)), wys = p.wysokosc(), dol = gora + wys - 1, u = uchwyt_;
    int x0 = px(s.Emisja), x1 = px(qint64(s.Emisja) + s.Czas);
    if (n >= SladGlosu1) x0 = std::max(x0, 0);
    if (n == SladPrzed) x1 = std::min(x1, 1024);
    if (n == SladPo) x1 = std::min(x1, 5024);
    const QRect box(QPoint(x0, gora), QPoint(std::max(x1, x0), dol));
    ustaw(pudelko(n), box, true, Pudelko);

    // Handles: a start mark at the handle's left edge, an end mark at its right.
    auto lewy = [&](Rodzaj r, qint32 t, int y) { ustaw({r, n}, QRect(px(t), y, u, u), true, Uchwyt); };
    auto prawy = [&](Rodzaj r, qint32 t, int y) { ustaw({r, n}, QRect(px(t) - u + 1, y, u, u), true, Uchwyt); };
    if (n == SladPiosenki1 || n == SladPiosenki2) {
        lewy(Rodzaj::FadeIn, s.KoniecFadeIn, gora);
        lewy(Rodzaj::NowyPoczatek, s.NowyPoczatek, dol - u + 1);
        prawy(Rodzaj::FadeOut, s.PoczatekFadeOut, gora);
        prawy(Rodzaj::NowyKoniec, s.NowyKoniec, dol - u + 1);
        const bool pierwsza = n == SladPiosenki1;
        const int xm = px(pierwsza ? s.Outro : s.Intro);
        ustaw({pierwsza ? Rodzaj::Outro : Rodzaj::Intro, n}, QRect(xm, gora, 2, wys), true, Linia);
        ustaw({pierwsza ? Rodzaj::OutroKwadrat : Rodzaj::IntroKwadrat, n},
              QRect(xm - u / 4, gora + wys / 2 - u / 4, u / 2, u / 2), true, Kwadrat);
    }
    if (glos(n)) {
        lewy(Rodzaj::NowyPoczatek, s.NowyPoczatek, dol - u + 1);
        prawy(Rodzaj::NowyKoniec, s.NowyKoniec, dol - u + 1);
        lewy(Rodzaj::KaczkaWe, s.KoniecKaczkiWe, gora);
        prawy(Rodzaj::KaczkaWy, s.PoczatekKaczkiWy, gora);
    }
    if (n <= SladGlosu2) {
        const int srodek = (std::max(x0, 0) + std::min(x1, width())) / 2;
        const int y = gora + int(qint64(-s.Wzmocnienie) * wys / 3000);
        ustaw({Rodzaj::Wzmocnienie, n}, QRect(srodek - u / 2, std::min(y, dol - u + 1), u, u), true, UchwytWzmocnienia);
        // Labels ride on the box's visible start.
        const int xl = std::max(x0, 0) + u + 2;
        // A label shows only where it fits between the box's handles.
        const auto miesci = [&](const QLabel* l) { return xl + l->width() < box.right() - u; };
        auto pokaz = [&](QLabel* l, const QString& t, int y) {
            if (!l) return;
            if (l->text() != t) l->setText(t);
            l->adjustSize();
            l->move(xl, y);
            l->setVisible(miesci(l));
        };
        pokaz(tytul_[n], s.TytulEtykieta, gora + 2);
        pokaz(autor_[n], s.AutorEtykieta, gora + 18);
        if (n >= SladPiosenki2) {
            QLabel* g = godzina_[n];
            if (g) {
                g->adjustSize();
                g->move(xl, dol - g->height() - 1);
                g->setVisible(miesci(g));
            }
        }
    }
}

// ---------------------------------------------------------------- drawing

void WykresMiksu::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.fillRect(rect(), QColor(0x60, 0x60, 0x60));
    g.setPen(Qt::black);
    for (int l = 1; l <= 3; ++l) g.drawRect(Prostokat({Rodzaj::LiniaPasa, l}));
    for (int n : {SladPrzed, SladPo, SladGlosuPoprzedni, SladGlosuNastepny, SladPiosenki1, SladPiosenki2, SladGlosu1, SladGlosu2})
        if (SladyMiksu[n].Uzyty || n == okno_.SladNagrywany()) rysujSlad(g, n);
    auto linia = [&](Rodzaj r, QColor c) {
        if (Widoczny(Id{r})) g.fillRect(Prostokat(Id{r}), c);
    };
    linia(Rodzaj::ZakresWgraniaPoczatek, Qt::magenta);
    linia(Rodzaj::ZakresWgraniaKoniec, Qt::magenta);
    linia(Rodzaj::ZakresDJPoczatek, Qt::blue);
    linia(Rodzaj::ZakresDJKoniec, Qt::blue);
    linia(Rodzaj::WgrajPoczatek, Qt::yellow);
    linia(Rodzaj::WgrajKoniec, Qt::yellow);
    for (const Ksztalt& k : ksztalty_) {
        if (!k.widoczny) continue;
        const Rodzaj r = k.id.rodzaj;
        if (k.z == Uchwyt || k.z == UchwytWzmocnienia) {
            const QColor c = r == Rodzaj::KaczkaWe || r == Rodzaj::KaczkaWy ? QColor(Qt::cyan)
                             : r == Rodzaj::Wzmocnienie                     ? QColor(Qt::yellow)
                                                                            : QColor(Qt::white);
            g.fillRect(k.r, c);
            g.setPen(Qt::black);
            g.drawRect(k.r.adjusted(0, 0, -1, -1));
        } else if (k.z == Linia || k.z == Kwadrat) {
            g.fillRect(k.r, r == Rodzaj::Outro || r == Rodzaj::OutroKwadrat ? Qt::red : Qt::green);
        }
    }
    linia(Rodzaj::Kursor, Qt::white);
}

void WykresMiksu::rysujSlad(QPainter& g, int n) {
    const SladMiksuTyp& s = SladyMiksu[n];
    const QRect r = Prostokat(pudelko(n));
    if (r.isEmpty() || r.right() < 0 || r.left() >= width()) return;
    const QColor kolor = KolorQt(s.Kolor);
    if (n >= SladGlosuPoprzedni) {
        g.fillRect(r, kolor);
        return;
    }
    const int gora = r.top(), dol = r.bottom(), srodek = (gora + dol) / 2, wys = r.height();
    // A voice plays at its gain from its new start to its new end, unfaded:
    // so it is drawn (a take's or an inserted recording's fade marks mean nothing).
    const bool glos = n == SladGlosu1 || n == SladGlosu2;
    // The fade level along the track: 0..1.
    auto poziom = [&](qint64 t) {
        if (glos || t < s.NowyPoczatek || t > s.NowyKoniec) return 1.0;
        if (n == SladPiosenki1 && t < s.KoniecFadeIn)
            return double(t - s.NowyPoczatek) / double(std::max<qint64>(1, qint64(s.KoniecFadeIn) - s.NowyPoczatek));
        return std::clamp((ObwiedniaSladu(s, t) + 5000) / 5000.0, 0.0, 1.0);
    };
    const int xp = px(s.NowyPoczatek), xk = px(s.NowyKoniec);
    const int xf = glos ? xp : px(s.KoniecFadeIn), xo = glos ? xk : px(s.PoczatekFadeOut);
    g.save();
    g.setClipRect(r);
    if (s.ObwiedniaJest && !s.Obwiednia.isEmpty()) {
        const double czynnik = CzynnikWzmocnienia(s.Wzmocnienie);
        const int x0 = px(s.Emisja);
        const auto* b = reinterpret_cast<const quint8*>(s.Obwiednia.constData());
        const qint64 rozmiar = s.Obwiednia.size();
        const QColor srebrny = KolorQt(KolorSrebrny);
        for (int x = std::max(r.left(), 0); x <= std::min(r.right(), width() - 1); ++x) {
            const qint64 i = qint64(x - x0) * std::max(ZoomMiksu, 1);
            if (i < 0 || i >= rozmiar) continue;
            const int pol = int(b[i] * wys / 262 * czynnik * poziom(PikselNaCzas(x)));
            g.setPen(x >= xp && x <= xk ? kolor : srebrny);
            g.drawLine(x, srodek - pol, x, srodek + pol);
        }
    } else {
        const QPolygon ksztalt({QPoint(xp, dol), QPoint(xf, gora), QPoint(xo, gora), QPoint(xk, dol)});
        g.setPen(Qt::NoPen);
        g.setBrush(kolor);
        g.drawPolygon(ksztalt);
        g.setBrush(Qt::NoBrush);
    }
    // The box's frame, then the fade outline over it: a voice track's
    // outline runs along the frame, and the selected one's red must show.
    g.setPen(Qt::black);
    g.drawRect(r.adjusted(0, 0, -1, -1));
    g.setPen(glos && s.Wybrany ? KolorQt(KolorCzerwony) : QColor(Qt::white));
    g.drawPolyline(QPolygon({QPoint(xp, dol), QPoint(xf, gora), QPoint(xo, gora), QPoint(xk, dol)}));
    g.restore();
}

// ---------------------------------------------------------------- mouse

void WykresMiksu::mousePressEvent(QMouseEvent* e) {
    nacisniecie(Trafienie(e->position().toPoint()), e->position().toPoint(), e->button());
}

void WykresMiksu::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() & Qt::LeftButton) przeciagnij(e->position().toPoint());
}

void WykresMiksu::mouseReleaseEvent(QMouseEvent*) { zwolnij(); }

void WykresMiksu::mouseDoubleClickEvent(QMouseEvent* e) {
    const Id k = Trafienie(e->position().toPoint());
    const int n = Slad(k);
    if (k == pudelko(n) && glos(n))
        okno_.OknoWgraniaZeSladu(n);
    else if (n == SladPrzed || n == SladGlosuPoprzedni)
        okno_.PoprzedniMiksOkna();
    else if (n == SladPo || n == SladGlosuNastepny)
        okno_.NastepnyMiksOkna();
}

void WykresMiksu::wheelEvent(QWheelEvent* e) {
    okno_.Komenda(e->angleDelta().y() > 0 ? KomendaZoomPlus : KomendaZoomMinus);
}

void WykresMiksu::nacisniecie(Id k, QPoint p, Qt::MouseButton b) {
    ciagniety_ = Id{};
    const int n = Slad(k);
    if (b == Qt::RightButton) {
        if (k == Id{Rodzaj::FadeOut, SladPiosenki1} || k == Id{Rodzaj::FadeIn, SladPiosenki2}) {
            okno_.CyklKrzywej(n);
            return;
        }
    }
    if (k.rodzaj == Rodzaj::Brak || k.rodzaj == Rodzaj::Tlo) {
        okno_.KlikTla(PikselNaCzas(p.x()), b == Qt::LeftButton);
        return;
    }
    if (b != Qt::LeftButton) return;
    if (glos(n)) {
        okno_.WybierzGlos(n);
        if (k == pudelko(n) && SladyMiksu[n].Przerwa) okno_.OknoWgraniaZeSladu(n);
    }
    // The take's own track grows with the take: it is not dragged meanwhile.
    if (glos(n) && n == okno_.SladNagrywany()) return;
    ciagniety_ = k;
    start_ = p;
    slady0_ = SladyMiksu;
    zakresy0_ = Zakresy;
    przesuniecie0_ = PrzesuniecieWidoku;
}

std::pair<int, int> WykresMiksu::graniceFadeOut1() const {
    const SladMiksuTyp& s = SladyMiksu[SladPiosenki1];
    return {px(s.KoniecFadeIn) + uchwyt_, std::min(px(qint64(s.Emisja) + s.Czas), px(Zakresy.GranicaPrawa) - 1)};
}

void WykresMiksu::UstawFadeOut1(qint32 t) {
    SladMiksuTyp& s = SladyMiksu[SladPiosenki1];
    const auto [lo, hi] = graniceFadeOut1();
    const int x = std::max(lo, std::min(px(t), hi));
    s.PoczatekFadeOut = x == px(t) ? t : PikselNaCzas(x);
    s.NowyKoniec = std::max(s.NowyKoniec, s.PoczatekFadeOut);
}

void WykresMiksu::przeciagnij(QPoint p) {
    if (ciagniety_.rodzaj == Rodzaj::Brak) return;
    const Id k = ciagniety_;
    const Rodzaj r = k.rodzaj;
    const int n = Slad(k);
    const int dx = p.x() - start_.x();
    // Every drag starts again from the model as it was at the press, but
    // only what this drag moves: the preview cursor walks on, and a take
    // grows (or is placed on its track) under a drag meanwhile.
    const bool piosenka2 = k == pudelko(SladPiosenki2);
    const auto cofnijDoNacisniecia = [&] {
        for (int t = 1; t <= LiczbaSladowMiksu; ++t)
            if (t == n || (piosenka2 && (t == SladGlosuNastepny || t == SladPo))) SladyMiksu[t] = slady0_[t];
        if (!piosenka2) return;
        Zakresy.KoniecWgrania = zakresy0_.KoniecWgrania;
        Zakresy.GranicaPrawa = zakresy0_.GranicaPrawa;
        Zakresy.KoniecZakresuDJ = zakresy0_.KoniecZakresuDJ;
    };
    cofnijDoNacisniecia();
    auto& S = SladyMiksu;
    auto& Z = Zakresy;
    SladMiksuTyp& s = S[n];
    const qint32 dt = dx * msNaPiksel();
    const int u = uchwyt_;
    const int xBoxL = std::max(px(s.Emisja), n >= SladGlosu1 ? 0 : INT_MIN);
    const int xBoxR = px(qint64(s.Emisja) + s.Czas);
    auto ogranicz = [](int x, int lo, int hi) { return std::max(lo, std::min(x, hi)); };

    if (k == pudelko(SladPiosenki1)) {
        PrzesuniecieWidoku = przesuniecie0_ - dx * ZoomMiksu * 10;
        CentrujWidok();
        okno_.RozmiescZnaczniki();
        return;
    }
    if (k == Id{Rodzaj::FadeOut, SladPiosenki1}) {
        const auto [lo, hi] = graniceFadeOut1();
        s.PoczatekFadeOut = przesuniety(s.PoczatekFadeOut, ogranicz(px(s.PoczatekFadeOut) + dx, lo, hi));
        s.NowyKoniec = std::max(s.NowyKoniec, s.PoczatekFadeOut);
    } else if (k == Id{Rodzaj::NowyKoniec, SladPiosenki1}) {
        const int x = ogranicz(px(s.NowyKoniec) + dx, px(s.KoniecFadeIn) + u, std::min(xBoxR, px(Z.GranicaPrawa) - 1));
        s.NowyKoniec = przesuniety(s.NowyKoniec, x);
        s.PoczatekFadeOut = std::min(s.PoczatekFadeOut, s.NowyKoniec);
    } else if (k == Id{Rodzaj::FadeIn, SladPiosenki2}) {
        const int x = ogranicz(px(s.KoniecFadeIn) + dx, std::max(xBoxL, px(Z.GranicaLewa) + 2), px(s.PoczatekFadeOut) - u);
        s.KoniecFadeIn = std::max(przesuniety(s.KoniecFadeIn, x), s.Emisja);
        s.NowyPoczatek = std::max(std::min(s.NowyPoczatek, s.KoniecFadeIn), s.Emisja);
    } else if (k == Id{Rodzaj::NowyPoczatek, SladPiosenki2}) {
        const int x = ogranicz(px(s.NowyPoczatek) + dx, std::max(xBoxL, px(Z.GranicaLewa) + 2), px(s.PoczatekFadeOut) - u);
        s.NowyPoczatek = std::max(przesuniety(s.NowyPoczatek, x), s.Emisja);
        s.KoniecFadeIn = std::max(s.KoniecFadeIn, s.NowyPoczatek);
    } else if (piosenka2) {
        PrzesunPiosenke2(dt, true);
        bool cofnij = S[SladPiosenki1].NowyKoniec >= Z.GranicaPrawa || s.NowyPoczatek <= Z.GranicaLewa;
        for (int v : {SladGlosu1, SladGlosu2})
            cofnij = cofnij || (S[v].Uzyty && S[v].Emisja + S[v].Czas >= Z.KoniecZakresuDJ);
        if (cofnij) {
            cofnijDoNacisniecia();
            okno_.RozmiescZnaczniki();
            return;
        }
    } else if (r == Rodzaj::Outro || r == Rodzaj::OutroKwadrat) {
        s.Outro = przesuniety(s.Outro, ogranicz(px(s.Outro) + dx, xBoxL, xBoxR));
    } else if (r == Rodzaj::Intro || r == Rodzaj::IntroKwadrat) {
        s.Intro = przesuniety(s.Intro, ogranicz(px(s.Intro) + dx, xBoxL, xBoxR));
    } else if (k == pudelko(n) && glos(n)) {
        // Within the voice range, right of pixel 1, and up against the other voice track at most.
        qint64 lo = std::max<qint64>(PikselNaCzas(1), Z.PoczatekZakresuDJ);
        qint64 hi = qint64(Z.KoniecZakresuDJ) - s.Czas;
        const SladMiksuTyp& o = S[n == SladGlosu1 ? SladGlosu2 : SladGlosu1];
        if (o.Uzyty) {
            if (s.Emisja < o.Emisja)
                hi = std::min<qint64>(hi, qint64(o.Emisja) - s.Czas);
            else
                lo = std::max<qint64>(lo, qint64(o.Emisja) + o.Czas);
        }
        const qint64 e = std::clamp<qint64>(qint64(s.Emisja) + dt, std::min(lo, qint64(s.Emisja)), std::max(hi, qint64(s.Emisja)));
        PrzesunSlad(s, qint32(e - s.Emisja));
    } else if (r == Rodzaj::NowyPoczatek) {
        const int x = ogranicz(px(s.NowyPoczatek) + dx, xBoxL, px(s.NowyKoniec) - 2 * u);
        s.NowyPoczatek = std::max(przesuniety(s.NowyPoczatek, x), s.Emisja);
        s.KoniecKaczkiWe = std::max(s.KoniecKaczkiWe, s.NowyPoczatek);
        s.PoczatekKaczkiWy = std::max(s.PoczatekKaczkiWy, s.KoniecKaczkiWe);
    } else if (r == Rodzaj::NowyKoniec) {
        const int x = ogranicz(px(s.NowyKoniec) + dx, px(s.NowyPoczatek) + 2 * u, xBoxR);
        s.NowyKoniec = std::min(przesuniety(s.NowyKoniec, x), s.Emisja + s.Czas);
        s.PoczatekKaczkiWy = std::min(s.PoczatekKaczkiWy, s.NowyKoniec);
        s.KoniecKaczkiWe = std::min(s.KoniecKaczkiWe, s.PoczatekKaczkiWy);
    } else if (r == Rodzaj::KaczkaWe) {
        const int x = ogranicz(px(s.KoniecKaczkiWe) + dx, px(s.NowyPoczatek), px(s.PoczatekKaczkiWy));
        s.KoniecKaczkiWe = std::clamp(przesuniety(s.KoniecKaczkiWe, x), s.NowyPoczatek, s.PoczatekKaczkiWy);
    } else if (r == Rodzaj::KaczkaWy) {
        const int x = ogranicz(px(s.PoczatekKaczkiWy) + dx, px(s.KoniecKaczkiWe), px(s.NowyKoniec));
        s.PoczatekKaczkiWy = std::clamp(przesuniety(s.PoczatekKaczkiWy, x), s.KoniecKaczkiWe, s.NowyKoniec);
    } else if (r == Rodzaj::Wzmocnienie) {
        const QRect box = Prostokat(pudelko(n));
        const int y0 = box.top() + int(qint64(-slady0_[n].Wzmocnienie) * box.height() / 3000);
        const int y = ogranicz(y0 + p.y() - start_.y(), box.top(), box.bottom());
        s.Wzmocnienie = WzmocnienieUchwytu(y - box.top(), box.height());
        okno_.GlosnoscGlosuTeraz(n);
    } else {
        return;
    }
    okno_.Zmieniono();
}

void WykresMiksu::zwolnij() {
    const int n = Slad(ciagniety_);
    if (glos(n) && ciagniety_ == pudelko(n)) {
        PrzeliczZakresDJ();
        okno_.RozmiescZnaczniki();
    }
    ciagniety_ = Id{};
}
