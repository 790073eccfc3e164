// The mix editor's time line: layout of the named shapes, drawing, and the
// mouse (clicks, drags, the wheel).
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

QString nazwaPudelka(int n) {
    if (n == SladGlosuPoprzedni) return QStringLiteral("WykresDJPoprzedniPaintBox");
    if (n == SladGlosuNastepny) return QStringLiteral("WykresDJNastepnyPaintBox");
    return QStringLiteral("WykresNagrania%1PaintBox").arg(n);
}
QString nazwa(const char* wzor, int n) { return QString::fromLatin1(wzor).arg(n); }

// Which track a shape belongs to, and what it is, from its name.
int sladKsztaltu(const QString& k) {
    for (int n = 1; n <= LiczbaSladowMiksu; ++n)
        if (k == nazwaPudelka(n)) return n;
    for (const char* p : {"Nagranie", "Kaczka", "Wzmocnienie"})
        if (k.startsWith(QLatin1String(p))) return k.mid(int(qstrlen(p)), 1).toInt();
    if (k.startsWith(QLatin1String("Outro"))) return SladPiosenki1;
    if (k.startsWith(QLatin1String("Intro"))) return SladPiosenki2;
    return 0;
}

// Every time mark of a track moves together.
void przesunSlad(SladMiksuTyp& s, qint32 d) {
    for (qint32* t : {&s.Emisja, &s.Intro, &s.Outro, &s.KoniecFadeIn, &s.NowyPoczatek, &s.PoczatekFadeOut, &s.NowyKoniec,
                      &s.KoniecKaczkiWe, &s.PoczatekKaczkiWy})
        *t += d;
}

int px(qint64 t) { return CzasNaPiksel(qint32(t)); }
qint32 msNaPiksel() { return 10 * std::max(ZoomMiksu, 1); }
// The time of a mark at `t0` whose handle moved to pixel x: whole pixels
// from where it was, so a handle that did not move keeps its exact time.
qint32 przesuniety(qint32 t0, int x) { return t0 + (x - px(t0)) * msNaPiksel(); }

}  // namespace

WykresMiksu::WykresMiksu(TEdycjaMiksow& okno) : QWidget(&okno), okno_(okno) {
    setObjectName(QStringLiteral("WykresMiksu"));
    setMouseTracking(false);
    auto dodaj = [this](const QString& n) {
        auto* l = new QLabel(this);
        l->setObjectName(n);
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(p);
        l->hide();
        etykiety_[n] = l;
    };
    for (int n = 1; n <= 4; ++n) {
        dodaj(nazwa("TytulNagrania%1Label", n));
        dodaj(nazwa("AutorNagrania%1Label", n));
    }
    for (int n = 2; n <= 4; ++n) dodaj(nazwa("GodzinaEmisji%1Label", n));
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

QRect WykresMiksu::Prostokat(const QString& n) const {
    auto it = ksztalty_.find(n);
    return it == ksztalty_.end() ? QRect() : it->second.r;
}

bool WykresMiksu::Widoczny(const QString& n) const {
    auto it = ksztalty_.find(n);
    if (it != ksztalty_.end()) return it->second.widoczny;
    auto e = etykiety_.find(n);
    return e != etykiety_.end() && !e->second->isHidden();
}

QLabel* WykresMiksu::Etykieta(const QString& n) const {
    auto it = etykiety_.find(n);
    return it == etykiety_.end() ? nullptr : it->second;
}

QString WykresMiksu::Trafienie(QPoint p) const {
    QString wynik;
    int z = NieTrafiany;
    for (const auto& [n, k] : ksztalty_)
        if (k.widoczny && k.z > z && k.r.contains(p)) {
            wynik = n;
            z = k.z;
        }
    return wynik;
}

void WykresMiksu::ustaw(const QString& n, QRect r, bool widoczny, int z) { ksztalty_[n] = Ksztalt{r, widoczny, z}; }

void WykresMiksu::ukryjSlad(int n) {
    for (auto& [nazwa, k] : ksztalty_)
        if (sladKsztaltu(nazwa) == n) k.widoczny = false;
    ustaw(nazwaPudelka(n), QRect(), false, Pudelko);
    for (const char* e : {"TytulNagrania%1Label", "AutorNagrania%1Label", "GodzinaEmisji%1Label"})
        if (QLabel* l = Etykieta(nazwa(e, n))) l->hide();
}

void WykresMiksu::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Rozmiesc();
}

void WykresMiksu::Rozmiesc() {
    const Pasy p = PasyDla(height());
    const int w = width(), h = height();
    ustaw(QStringLiteral("TloWykresuShape"), QRect(0, 0, w, h), true, Tlo);
    for (int l = 1; l <= 3; ++l) ustaw(nazwa("LiniaWykres%1Shape", l), QRect(0, p.linia[l], w, 1), true, NieTrafiany);
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) rozmiescSlad(n, p);
    const auto& Z = Zakresy;
    const bool oba = SladyMiksu[SladPiosenki1].Uzyty && SladyMiksu[SladPiosenki2].Uzyty;
    auto pion = [&](const char* n, qint32 t) { ustaw(QLatin1String(n), QRect(px(t), 0, 2, h), oba, NieTrafiany); };
    pion("WgrajPoczatekKursorShape", Z.PoczatekWgrania);
    pion("WgrajKoniecKursorShape", Z.KoniecWgrania);
    pion("WgrajZakresPoczatekShape", Z.GranicaLewa);
    pion("WgrajZakresKoniecShape", Z.GranicaPrawa);
    pion("DJZakresPoczatekShape", Z.PoczatekZakresuDJ);
    pion("DJZakresKoniecShape", Z.KoniecZakresuDJ);
    PrzesunKursor();
    update();
}

void WykresMiksu::PrzesunKursor() {
    const QRect r(px(Zakresy.KursorPodgladu), 0, 1, height());
    auto it = ksztalty_.find(QStringLiteral("KursorShape"));
    if (it != ksztalty_.end() && it->second.r == r) return;
    ustaw(QStringLiteral("KursorShape"), r, true, NieTrafiany);
    update();
}

void WykresMiksu::RozmiescSlad(int n) {
    const QString pudelko = nazwaPudelka(n);
    const QRect przed = Prostokat(pudelko);
    rozmiescSlad(n, PasyDla(height()));
    if (Prostokat(pudelko) != przed) update();
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
    const QRect pudelko(QPoint(x0, gora), QPoint(std::max(x1, x0), dol));
    ustaw(nazwaPudelka(n), pudelko, true, Pudelko);

    // Handles: a start mark at the handle's left edge, an end mark at its right.
    auto lewy = [&](const QString& k, qint32 t, int y) { ustaw(k, QRect(px(t), y, u, u), true, Uchwyt); };
    auto prawy = [&](const QString& k, qint32 t, int y) { ustaw(k, QRect(px(t) - u + 1, y, u, u), true, Uchwyt); };
    if (n == SladPiosenki1 || n == SladPiosenki2) {
        lewy(nazwa("Nagranie%1FadeInShape", n), s.KoniecFadeIn, gora);
        lewy(nazwa("Nagranie%1NowyPoczatekShape", n), s.NowyPoczatek, dol - u + 1);
        prawy(nazwa("Nagranie%1FadeOutShape", n), s.PoczatekFadeOut, gora);
        prawy(nazwa("Nagranie%1NowyKoniecShape", n), s.NowyKoniec, dol - u + 1);
        const bool pierwsza = n == SladPiosenki1;
        const int xm = px(pierwsza ? s.Outro : s.Intro);
        ustaw(pierwsza ? QStringLiteral("Outro1Shape") : QStringLiteral("Intro2Shape"), QRect(xm, gora, 2, wys), true, Linia);
        ustaw(pierwsza ? QStringLiteral("OutroKwadratShape") : QStringLiteral("IntroKwadratShape"),
              QRect(xm - u / 4, gora + wys / 2 - u / 4, u / 2, u / 2), true, Kwadrat);
    }
    if (n == SladGlosu1 || n == SladGlosu2) {
        lewy(nazwa("Nagranie%1NowyPoczatekShape", n), s.NowyPoczatek, dol - u + 1);
        prawy(nazwa("Nagranie%1NowyKoniecShape", n), s.NowyKoniec, dol - u + 1);
        lewy(nazwa("Kaczka%1FadeInShape", n), s.KoniecKaczkiWe, gora);
        prawy(nazwa("Kaczka%1FadeOutShape", n), s.PoczatekKaczkiWy, gora);
    }
    if (n <= SladGlosu2) {
        const int srodek = (std::max(x0, 0) + std::min(x1, width())) / 2;
        const int y = gora + int(qint64(-s.Wzmocnienie) * wys / 3000);
        ustaw(nazwa("Wzmocnienie%1Shape", n), QRect(srodek - u / 2, std::min(y, dol - u + 1), u, u), true, UchwytWzmocnienia);
        // Labels ride on the box's visible start.
        const int xl = std::max(x0, 0) + u + 2;
        // A label shows only where it fits between the box's handles.
        const auto miesci = [&](const QLabel* l) { return xl + l->width() < pudelko.right() - u; };
        auto pokaz = [&](const char* wzor, const QString& t, int y) {
            QLabel* l = Etykieta(nazwa(wzor, n));
            if (!l) return;
            if (l->text() != t) l->setText(t);
            l->adjustSize();
            l->move(xl, y);
            l->setVisible(miesci(l));
        };
        pokaz("TytulNagrania%1Label", s.TytulEtykieta, gora + 2);
        pokaz("AutorNagrania%1Label", s.AutorEtykieta, gora + 18);
        if (n >= SladPiosenki2) {
            QLabel* g = Etykieta(nazwa("GodzinaEmisji%1Label", n));
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
    for (int l = 1; l <= 3; ++l) g.drawRect(Prostokat(nazwa("LiniaWykres%1Shape", l)));
    for (int n : {SladPrzed, SladPo, SladGlosuPoprzedni, SladGlosuNastepny, SladPiosenki1, SladPiosenki2, SladGlosu1, SladGlosu2})
        if (SladyMiksu[n].Uzyty || n == okno_.SladNagrywany()) rysujSlad(g, n);
    auto linia = [&](const char* n, QColor c) {
        if (Widoczny(QLatin1String(n))) g.fillRect(Prostokat(QLatin1String(n)), c);
    };
    linia("WgrajZakresPoczatekShape", Qt::magenta);
    linia("WgrajZakresKoniecShape", Qt::magenta);
    linia("DJZakresPoczatekShape", Qt::blue);
    linia("DJZakresKoniecShape", Qt::blue);
    linia("WgrajPoczatekKursorShape", Qt::yellow);
    linia("WgrajKoniecKursorShape", Qt::yellow);
    for (const auto& [n, k] : ksztalty_) {
        if (!k.widoczny) continue;
        if (k.z == Uchwyt || k.z == UchwytWzmocnienia) {
            const QColor c = n.startsWith(QLatin1String("Kaczka"))        ? QColor(Qt::cyan)
                             : n.startsWith(QLatin1String("Wzmocnienie")) ? QColor(Qt::yellow)
                                                                          : QColor(Qt::white);
            g.fillRect(k.r, c);
            g.setPen(Qt::black);
            g.drawRect(k.r.adjusted(0, 0, -1, -1));
        } else if (k.z == Linia) {
            g.fillRect(k.r, n.startsWith(QLatin1String("Outro")) ? Qt::red : Qt::green);
        } else if (k.z == Kwadrat) {
            g.fillRect(k.r, n.startsWith(QLatin1String("Outro")) ? Qt::red : Qt::green);
        }
    }
    linia("KursorShape", Qt::white);
}

void WykresMiksu::rysujSlad(QPainter& g, int n) {
    const SladMiksuTyp& s = SladyMiksu[n];
    const QRect r = Prostokat(nazwaPudelka(n));
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
    const QString k = Trafienie(e->position().toPoint());
    const int n = sladKsztaltu(k);
    if (k == nazwaPudelka(n) && (n == SladGlosu1 || n == SladGlosu2))
        okno_.OknoWgraniaZeSladu(n);
    else if (n == SladPrzed || n == SladGlosuPoprzedni)
        okno_.PoprzedniMiksOkna();
    else if (n == SladPo || n == SladGlosuNastepny)
        okno_.NastepnyMiksOkna();
}

void WykresMiksu::wheelEvent(QWheelEvent* e) {
    okno_.Komenda(e->angleDelta().y() > 0 ? KomendaZoomPlus : KomendaZoomMinus);
}

void WykresMiksu::nacisniecie(const QString& k, QPoint p, Qt::MouseButton b) {
    ciagniety_.clear();
    const int n = sladKsztaltu(k);
    if (b == Qt::RightButton) {
        if (k == QLatin1String("Nagranie1FadeOutShape") || k == QLatin1String("Nagranie2FadeInShape")) {
            okno_.CyklKrzywej(n);
            return;
        }
    }
    if (k.isEmpty() || k == QLatin1String("TloWykresuShape")) {
        okno_.KlikTla(PikselNaCzas(p.x()), b == Qt::LeftButton);
        return;
    }
    if (b != Qt::LeftButton) return;
    if (n == SladGlosu1 || n == SladGlosu2) {
        okno_.WybierzGlos(n);
        if (k == nazwaPudelka(n) && SladyMiksu[n].Przerwa) okno_.OknoWgraniaZeSladu(n);
    }
    // The take's own track grows with the take: it is not dragged meanwhile.
    if ((n == SladGlosu1 || n == SladGlosu2) && n == okno_.SladNagrywany()) return;
    ciagniety_ = k;
    start_ = p;
    slady0_ = SladyMiksu;
    zakresy0_ = Zakresy;
    przesuniecie0_ = PrzesuniecieWidoku;
}

void WykresMiksu::przeciagnij(QPoint p) {
    if (ciagniety_.isEmpty()) return;
    const QString& k = ciagniety_;
    const int n = sladKsztaltu(k);
    const int dx = p.x() - start_.x();
    // Every drag starts again from the model as it was at the press, but
    // only what this drag moves: the preview cursor walks on, and a take
    // grows (or is placed on its track) under a drag meanwhile.
    const bool piosenka2 = k == QLatin1String("WykresNagrania2PaintBox");
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

    if (k == QLatin1String("WykresNagrania1PaintBox")) {
        PrzesuniecieWidoku = przesuniecie0_ - dx * ZoomMiksu * 10;
        CentrujWidok();
        okno_.RozmiescZnaczniki();
        return;
    }
    if (k == QLatin1String("Nagranie1FadeOutShape")) {
        const int x = ogranicz(px(s.PoczatekFadeOut) + dx, px(s.KoniecFadeIn) + u, std::min(xBoxR, px(Z.GranicaPrawa) - 1));
        s.PoczatekFadeOut = przesuniety(s.PoczatekFadeOut, x);
        s.NowyKoniec = std::max(s.NowyKoniec, s.PoczatekFadeOut);
    } else if (k == QLatin1String("Nagranie1NowyKoniecShape")) {
        const int x = ogranicz(px(s.NowyKoniec) + dx, px(s.KoniecFadeIn) + u, std::min(xBoxR, px(Z.GranicaPrawa) - 1));
        s.NowyKoniec = przesuniety(s.NowyKoniec, x);
        s.PoczatekFadeOut = std::min(s.PoczatekFadeOut, s.NowyKoniec);
    } else if (k == QLatin1String("Nagranie2FadeInShape")) {
        const int x = ogranicz(px(s.KoniecFadeIn) + dx, std::max(xBoxL, px(Z.GranicaLewa) + 2), px(s.PoczatekFadeOut) - u);
        s.KoniecFadeIn = std::max(przesuniety(s.KoniecFadeIn, x), s.Emisja);
        s.NowyPoczatek = std::max(std::min(s.NowyPoczatek, s.KoniecFadeIn), s.Emisja);
    } else if (k == QLatin1String("Nagranie2NowyPoczatekShape")) {
        const int x = ogranicz(px(s.NowyPoczatek) + dx, std::max(xBoxL, px(Z.GranicaLewa) + 2), px(s.PoczatekFadeOut) - u);
        s.NowyPoczatek = std::max(przesuniety(s.NowyPoczatek, x), s.Emisja);
        s.KoniecFadeIn = std::max(s.KoniecFadeIn, s.NowyPoczatek);
    } else if (piosenka2) {
        for (int t : {SladPiosenki2, SladGlosuNastepny, SladPo})
            if (t == SladPiosenki2 || S[t].Uzyty) przesunSlad(S[t], dt);
        if (Z.KoniecWgrania != 0) Z.KoniecWgrania += dt;
        Z.GranicaPrawa += dt;
        Z.KoniecZakresuDJ += dt;
        bool cofnij = S[SladPiosenki1].NowyKoniec >= Z.GranicaPrawa || s.NowyPoczatek <= Z.GranicaLewa;
        for (int v : {SladGlosu1, SladGlosu2})
            cofnij = cofnij || (S[v].Uzyty && S[v].Emisja + S[v].Czas >= Z.KoniecZakresuDJ);
        if (cofnij) {
            cofnijDoNacisniecia();
            okno_.RozmiescZnaczniki();
            return;
        }
    } else if (k == QLatin1String("Outro1Shape") || k == QLatin1String("OutroKwadratShape")) {
        s.Outro = przesuniety(s.Outro, ogranicz(px(s.Outro) + dx, xBoxL, xBoxR));
    } else if (k == QLatin1String("Intro2Shape") || k == QLatin1String("IntroKwadratShape")) {
        s.Intro = przesuniety(s.Intro, ogranicz(px(s.Intro) + dx, xBoxL, xBoxR));
    } else if (k == nazwaPudelka(n) && (n == SladGlosu1 || n == SladGlosu2)) {
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
        przesunSlad(s, qint32(e - s.Emisja));
    } else if (k == nazwa("Nagranie%1NowyPoczatekShape", n)) {
        const int x = ogranicz(px(s.NowyPoczatek) + dx, xBoxL, px(s.NowyKoniec) - 2 * u);
        s.NowyPoczatek = std::max(przesuniety(s.NowyPoczatek, x), s.Emisja);
        s.KoniecKaczkiWe = std::max(s.KoniecKaczkiWe, s.NowyPoczatek);
        s.PoczatekKaczkiWy = std::max(s.PoczatekKaczkiWy, s.KoniecKaczkiWe);
    } else if (k == nazwa("Nagranie%1NowyKoniecShape", n)) {
        const int x = ogranicz(px(s.NowyKoniec) + dx, px(s.NowyPoczatek) + 2 * u, xBoxR);
        s.NowyKoniec = std::min(przesuniety(s.NowyKoniec, x), s.Emisja + s.Czas);
        s.PoczatekKaczkiWy = std::min(s.PoczatekKaczkiWy, s.NowyKoniec);
        s.KoniecKaczkiWe = std::min(s.KoniecKaczkiWe, s.PoczatekKaczkiWy);
    } else if (k == nazwa("Kaczka%1FadeInShape", n)) {
        const int x = ogranicz(px(s.KoniecKaczkiWe) + dx, px(s.NowyPoczatek), px(s.PoczatekKaczkiWy));
        s.KoniecKaczkiWe = std::clamp(przesuniety(s.KoniecKaczkiWe, x), s.NowyPoczatek, s.PoczatekKaczkiWy);
    } else if (k == nazwa("Kaczka%1FadeOutShape", n)) {
        const int x = ogranicz(px(s.PoczatekKaczkiWy) + dx, px(s.KoniecKaczkiWe), px(s.NowyKoniec));
        s.PoczatekKaczkiWy = std::clamp(przesuniety(s.PoczatekKaczkiWy, x), s.KoniecKaczkiWe, s.NowyKoniec);
    } else if (k == nazwa("Wzmocnienie%1Shape", n)) {
        const QRect box = Prostokat(nazwaPudelka(n));
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
    const int n = sladKsztaltu(ciagniety_);
    if ((n == SladGlosu1 || n == SladGlosu2) && ciagniety_ == nazwaPudelka(n)) {
        PrzeliczZakresDJ();
        okno_.RozmiescZnaczniki();
    }
    ciagniety_.clear();
}
