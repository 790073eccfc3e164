#include "foundation/KestGraf2.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "foundation/KestPods2.h"

float SkalaPozioma = 1.0f;
float SkalaPionowa = 1.0f;
double SiatkaKolumna = 8.0;
double SiatkaWiersz = 4 * 4.8;
double SiatkaOdstep = 8 / 2;

QColor KolorQt(TColor kolor) {
    return QColor(int(kolor & 0xFF), int((kolor >> 8) & 0xFF), int((kolor >> 16) & 0xFF));
}

void UstawSkale(int szerokosc, int wysokosc) {
    SkalaPozioma = float(szerokosc) / float(SzerokoscSiatki);
    SkalaPionowa = float(wysokosc) / float(WysokoscSiatki);
}

int SkalaX(int x) { return int(float(x) * SkalaPozioma); }
int SkalaY(int y) { return int(float(y) * SkalaPionowa); }

void ProstokatSkala(TRect& r, int lewy, int gorny, int prawy, int dolny) {
    r = {SkalaX(lewy), SkalaY(gorny), SkalaX(prawy), SkalaY(dolny)};
}

void ProstokatSkalaWH(TRect& r, int lewy, int gorny, int szerokosc, int wysokosc) {
    ProstokatSkala(r, lewy, gorny, lewy + szerokosc, gorny + wysokosc);
}

void Prostokat(TRect& r, int lewy, int gorny, int prawy, int dolny) { r = {lewy, gorny, prawy, dolny}; }

void ProstokatWH(TRect& r, int lewy, int gorny, int szerokosc, int wysokosc) {
    r = {lewy, gorny, lewy + szerokosc, gorny + wysokosc};
}

TRect RectWH(int lewy, int gorny, int szerokosc, int wysokosc) {
    return {lewy, gorny, lewy + szerokosc - 1, gorny + wysokosc - 1};
}

TRect Wciecie(const TRect& r, int d) { return {r.Left + d, r.Top + d, r.Right - d, r.Bottom - d}; }

int SzerokoscProstokata(const TRect& r) { return r.Right - r.Left + 1; }
int WysokoscProstokata(const TRect& r) { return r.Bottom - r.Top + 1; }

QRect NaQRect(const TRect& r) { return QRect(r.Left, r.Top, SzerokoscProstokata(r), WysokoscProstokata(r)); }

void SiatkaTekstuInit() {
    SiatkaKolumna = 8.0;
    SiatkaWiersz = 4 * 4.8;
    SiatkaOdstep = 8 / 2;
}

quint16 KlawiszTytulu(const QString& tytul) {
    const qsizetype i = tytul.indexOf(QLatin1Char('~'));
    if (i < 0 || i + 1 >= tytul.size()) return 0;
    const char16_t c = tytul.at(i + 1).unicode();
    int litera = 0;
    if (c >= u'a' && c <= u'z') litera = c - u'a' + 'A';
    else if (c >= u'A' && c <= u'Z') litera = c;
    else return 0;
    const quint16 kod = VkNaKodBios(litera, 4);
    return kod == 0xFFFF ? 0 : kod;
}

QString TytulBezTyldy(const QString& tytul) {
    QString t = tytul;
    const qsizetype i = t.indexOf(QLatin1Char('~'));
    if (i >= 0) t.remove(i, 1);
    return t;
}

namespace {

// Pixel positions are truncated; a hair added so that 5 x 19.2 stays 96.
int obetnij(double v) { return int(std::floor(v + 1e-9)); }

}  // namespace

TRForm::TRForm(QWidget* parent) : QWidget(parent) {
    // A named installed family, not the desktop's, so that pictures are the
    // same on every machine; no antialiasing, as the screens were designed.
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(13);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    // Unhinted glyphs without antialiasing land on whole pixels one by one
    // and open gaps inside words ("Emis ja"); hinted ones keep the word.
    f.setHintingPreference(QFont::PreferFullHinting);
    setFont(f);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TRForm::zapewnijPlotno() const {
    if (plotno_.size() == size() && !plotno_.isNull()) return;
    zakonczMalowanie();
    QImage nowe(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    nowe.fill(KolorQt(KolorTlaPrzycisku));
    if (!plotno_.isNull()) {
        QPainter p(&nowe);
        p.drawImage(0, 0, plotno_);
    }
    plotno_ = nowe;
}

QImage& TRForm::Plotno() {
    zapewnijPlotno();
    zakonczMalowanie();
    return plotno_;
}

TColor TRForm::KolorPiksela(int x, int y) const {
    zapewnijPlotno();
    zakonczMalowanie();
    if (!plotno_.valid(x, y)) return 0;
    const QRgb p = plotno_.pixel(x, y);
    return TColor(qRed(p)) | (TColor(qGreen(p)) << 8) | (TColor(qBlue(p)) << 16);
}

int TRForm::SzerokoscTekstu(const QString& tekst) const { return QFontMetrics(font()).horizontalAdvance(tekst); }

int TRForm::WysokoscTekstu() const { return QFontMetrics(font()).height(); }

QString TRForm::PrzytnijDoSzerokosci(QString tekst, int szerokosc) const {
    while (!tekst.isEmpty() && SzerokoscTekstu(tekst) > szerokosc) tekst.chop(1);
    return tekst;
}

// ---- pen modes ----

void TRForm::g_xorput() { xor_ = true; }
void TRForm::g_copyput() { xor_ = false; }
void TRForm::g_solidln1() {
    grubosc_ = 1;
    kropkowane_ = false;
}
void TRForm::g_solidln3() {
    grubosc_ = 3;
    kropkowane_ = false;
}
void TRForm::g_dottedln1() {
    grubosc_ = 1;
    kropkowane_ = true;
}
void TRForm::g_dashedln1() {}

// ---- primitives ----

QPainter& TRForm::malarz(const QRect& obszar, bool xorTryb) {
    zapewnijPlotno();
    if (!malarz_.isActive()) {
        malarz_.begin(&plotno_);
        malarz_.setFont(font());
        xorMalarza_ = false;
    }
    if (xorTryb != xorMalarza_) {
        malarz_.setCompositionMode(xorTryb ? QPainter::RasterOp_SourceXorDestination
                                           : QPainter::CompositionMode_SourceOver);
        xorMalarza_ = xorTryb;
    }
    // A frame that changes many scattered places repaints their bounding
    // rectangle: a region of many rectangles costs more than it saves.
    if (brudne_.rectCount() >= 16) brudne_ = brudne_.boundingRect();
    brudne_ += obszar;
    if (!klatkaZaplanowana_) {
        klatkaZaplanowana_ = true;
        QMetaObject::invokeMethod(this, [this] { zakonczKlatke(); }, Qt::QueuedConnection);
    }
    return malarz_;
}

void TRForm::zakonczMalowanie() const {
    if (malarz_.isActive()) malarz_.end();
}

void TRForm::zakonczKlatke() {
    klatkaZaplanowana_ = false;
    zakonczMalowanie();
    if (!brudne_.isEmpty()) update(brudne_);
    brudne_ = QRegion();
}

void TRForm::rysujLinie(int x1, int y1, int x2, int y2, TColor kolor) {
    const int g = grubosc_;
    const QRect odcinek(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
    // Frames and 3-D lines are level or upright and 1 pixel thick: their
    // pixels are a rectangle, which fills far faster than a pen draws.
    if (g == 1 && !kropkowane_ && (x1 == x2 || y1 == y2)) {
        malarz(odcinek, xor_).fillRect(odcinek, KolorQt(kolor));
        return;
    }
    QPainter& p = malarz(odcinek.adjusted(-g, -g, g, g), xor_);
    QPen pen(KolorQt(kolor));
    pen.setWidth(g);
    pen.setStyle(kropkowane_ ? Qt::DotLine : Qt::SolidLine);
    // A square cap keeps the end point: lines include both of their ends.
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    if (x1 == x2 && y1 == y2) p.drawPoint(x1, y1);
    else p.drawLine(x1, y1, x2, y2);
}

void TRForm::wypelnij(int lewy, int gorny, int prawy, int dolny, TColor kolor) {
    if (prawy < lewy || dolny < gorny) return;
    const QRect r(QPoint(lewy, gorny), QPoint(prawy, dolny));
    malarz(r).fillRect(r, KolorQt(kolor));
}

void TRForm::rysujTekst(int x, int y, const QString& tekst, TColor kolor) {
    if (tekst.isEmpty()) return;
    const QFontMetrics fm(font());
    // Every character at the widest glyph's advance: never less than the
    // text covers, and needs no layout of the text.
    const QRect obszar(x - 2, y - 2, int(tekst.size()) * fm.maxWidth() + 4, fm.height() + 4);
    QPainter& p = malarz(obszar);
    if (p.font() != font()) p.setFont(font());
    p.setPen(KolorQt(kolor));
    p.drawText(x, y + fm.ascent(), tekst);
}

void TRForm::linia(int x1, int y1, int x2, int y2) { rysujLinie(x1, y1, x2, y2, kolorPiora_); }

// ---- text ----

void TRForm::PiszxyE(int x, int y, const QString& tekst) { rysujTekst(x, y, tekst, kolorCzcionki_); }

void TRForm::PiszxyKolorE(int x, int y, const QString& tekst, TColor kolor) { rysujTekst(x, y, tekst, kolor); }

void TRForm::PiszxyCienE(int x, int y, const QString& tekst) {
    rysujTekst(x + 1, y + 1, tekst, KolorCzarny);
    rysujTekst(x, y, tekst, KolorBialy);
}

void TRForm::PiszxyCienKolorE(int x, int y, const QString& tekst, TColor kolor) {
    kolorCzcionki_ = kolor;
    PiszxyCienE(x, y, tekst);
}

void TRForm::Piszxy(const QString& tekst, double kolumna, double wiersz) {
    PiszxyE(obetnij((kolumna - 1) * SiatkaKolumna), obetnij((wiersz - 1) * SiatkaWiersz + SiatkaOdstep), tekst);
}

void TRForm::PiszxyKolor(const QString& tekst, TColor kolor, double kolumna, double wiersz) {
    PiszxyKolorE(obetnij((kolumna - 1) * SiatkaKolumna), obetnij((wiersz - 1) * SiatkaWiersz + SiatkaOdstep),
                 tekst, kolor);
}

void TRForm::PiszxyCien(const QString& tekst, TColor kolor, double kolumna, double wiersz) {
    const int x = obetnij((kolumna - 1) * SiatkaKolumna);
    const int y = obetnij((wiersz - 1) * SiatkaWiersz + SiatkaOdstep);
    rysujTekst(x + 1, y + 1, tekst, KolorCzarny);
    rysujTekst(x, y, tekst, kolor);
}

void TRForm::PiszxyCienKolor(const QString& tekst, TColor kolor, double kolumna, double wiersz) {
    kolorPedzla_ = kolor;
    PiszxyCien(tekst, kolor, kolumna, wiersz);
}

// ---- lines ----

void TRForm::LiniaHKolorE(int x1, int x2, int y, TColor kolor) { rysujLinie(x1, y, x2, y, kolor); }

void TRForm::LiniaVKolorE(int x, int y1, int y2, TColor kolor) { rysujLinie(x, y1, x, y2, kolor); }

void TRForm::LiniaHCienE(int x1, int x2, int y, TColor kolor1, TColor kolor2) {
    LiniaHKolorE(x1, x2, y, kolor1);
    LiniaHKolorE(x1, x2, y + 1, kolor2);
}

void TRForm::LiniaVCienE(int x, int y1, int y2, TColor kolor1, TColor kolor2) {
    LiniaVKolorE(x, y1, y2, kolor1);
    LiniaVKolorE(x + 1, y1 + 1, y2 + 1, kolor2);
}

// ---- frames: every pixel of a frame is drawn once, so XOR frames undo cleanly ----

void TRForm::ProstokatKolorE(const TRect& r, TColor kolor) {
    LiniaHKolorE(r.Left, r.Right, r.Top, kolor);
    if (r.Bottom != r.Top) LiniaHKolorE(r.Left, r.Right, r.Bottom, kolor);
    if (r.Bottom - r.Top >= 2) {
        LiniaVKolorE(r.Left, r.Top + 1, r.Bottom - 1, kolor);
        if (r.Right != r.Left) LiniaVKolorE(r.Right, r.Top + 1, r.Bottom - 1, kolor);
    }
}

void TRForm::ProstokatKasujE(const TRect& r, TColor kolor) {
    ProstokatKolorE(r, kolor);
    ProstokatKolorE(Wciecie(r, 1), kolor);
}

void TRForm::Prostokat2KolorE(const TRect& r, TColor kolor1, TColor kolor2) {
    if (r.Right > r.Left) LiniaHKolorE(r.Left, r.Right - 1, r.Top, kolor2);
    if (r.Bottom - r.Top >= 2) LiniaVKolorE(r.Left, r.Top + 1, r.Bottom - 1, kolor2);
    if (r.Bottom > r.Top) LiniaHKolorE(r.Left, r.Right, r.Bottom, kolor1);
    LiniaVKolorE(r.Right, r.Top, r.Bottom - 1 < r.Top ? r.Top : r.Bottom - 1, kolor1);
}

void TRForm::ProstokatWypuklyE(const TRect& r, TColor ciemny, TColor jasny) { Prostokat2KolorE(r, ciemny, jasny); }

void TRForm::ProstokatWkleslyE(const TRect& r, TColor ciemny, TColor jasny) { Prostokat2KolorE(r, jasny, ciemny); }

void TRForm::ProstokatPonadE(const TRect& r, TColor kolor1, TColor kolor2) {
    wypelnij(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1, kolor1);
    wypelnij(r.Left, r.Top, r.Right, r.Bottom, kolor2);
}

void TRForm::ProstokatWewnatrzE(const TRect& r, TColor ciemny, TColor jasny) {
    ProstokatWkleslyE(Wciecie(r, -1), ciemny, jasny);
    ProstokatWypuklyE(r, ciemny, jasny);
}

// ---- fields ----

void TRForm::WielokatKolorE(const QPolygon& punkty, TColor kolor) {
    if (punkty.isEmpty()) return;
    QPainter& p = malarz(punkty.boundingRect().adjusted(-1, -1, 1, 1));
    p.setPen(KolorQt(kolor));
    p.setBrush(KolorQt(kolor));
    p.drawPolygon(punkty);
    p.setBrush(Qt::NoBrush);
}

void TRForm::PoleKolorE(const TRect& r, TColor kolor) { wypelnij(r.Left, r.Top, r.Right, r.Bottom, kolor); }

void TRForm::PoleKolorE_1(const TRect& r, TColor kolor) {
    wypelnij(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1, kolor);
}

void TRForm::PoleRamkaE(const TRect& r, TColor wypelnienie, TColor ramka) {
    PoleKolorE_1(r, wypelnienie);
    ProstokatKolorE(r, ramka);
}

void TRForm::PoleWypukleE(const TRect& r, TColor wypelnienie, TColor ciemny, TColor jasny) {
    PoleKolorE_1(r, wypelnienie);
    ProstokatWypuklyE(r, ciemny, jasny);
}

void TRForm::PoleWklesleE(const TRect& r, TColor wypelnienie, TColor ciemny, TColor jasny) {
    PoleKolorE_1(r, wypelnienie);
    ProstokatWkleslyE(r, ciemny, jasny);
}

void TRForm::PoleWewnatrzE(const TRect& r, TColor wypelnienie, TColor kolor1, TColor kolor2) {
    PoleKolorE_1(r, wypelnienie);
    ProstokatWewnatrzE(r, kolor1, kolor2);
}

// ---- text fields ----

namespace {
// Characters that fit a field at 8 pixels each, less one for the ">" (at least 1).
int znakowWPolu(const TRect& r) { return std::max(1, (SzerokoscProstokata(r) - 8) / 8); }
}  // namespace

void TRForm::PiszPoleWklesleE(const TRect& r, TColor wypelnienie, const QString& tekst, TColor ciemny,
                              TColor jasny) {
    PoleWklesleE(r, wypelnienie, ciemny, jasny);
    // A text as wide as the field less 8 pixels, or wider, keeps the longest
    // beginning that fits before a ">" (one character is as short as it
    // gets). Widths grow with the beginning's length, so the cut point is
    // found by halving instead of one character at a time.
    const int miejsce = SzerokoscProstokata(r) - 8;
    QString t = tekst;
    if (t.size() > 1 && SzerokoscTekstu(t) >= miejsce) {
        const QLatin1Char znak('>');
        // Beginnings of 0 .. n - 2 characters are tried; `dobra` fits (or is
        // the empty one), nothing from `za` on is known to.
        qsizetype dobra = 0, za = t.size() - 1;
        while (za - dobra > 1) {
            const qsizetype srodek = (dobra + za) / 2;
            if (SzerokoscTekstu(tekst.left(srodek) + znak) < miejsce) dobra = srodek;
            else za = srodek;
        }
        t = tekst.left(dobra) + znak;
    }
    PiszxyKolorE(r.Left + 5, r.Top + (WysokoscProstokata(r) - WysokoscTekstu()) / 2, t, KolorBialy);
}

void TRForm::PiszPoleWklesleKolorE(const TRect& r, TColor wypelnienie, TColor kolorTekstu, const QString& tekst,
                                   TColor ciemny, TColor jasny) {
    PoleWklesleE(r, wypelnienie, ciemny, jasny);
    QString t = tekst;
    if (SzerokoscTekstu(t) > SzerokoscProstokata(r) - 8) t = t.left(znakowWPolu(r) - 1) + QLatin1Char('>');
    PiszxyKolorE(r.Left + 5, r.Top + (WysokoscProstokata(r) - WysokoscTekstu()) / 2, t, kolorTekstu);
}

void TRForm::PiszPoleWklesleCentrE(const TRect& r, TColor wypelnienie, const QString& tekst, TColor ciemny,
                                   TColor jasny) {
    PoleWklesleE(r, wypelnienie, ciemny, jasny);
    if (SzerokoscProstokata(r) < 8) return;
    QString t = tekst;
    if (SzerokoscTekstu(t) > SzerokoscProstokata(r) - 8) t = t.left(znakowWPolu(r) - 1) + QLatin1Char('>');
    PiszxyCienE(r.Left + (SzerokoscProstokata(r) - SzerokoscTekstu(t)) / 2,
                r.Top + (WysokoscProstokata(r) - WysokoscTekstu()) / 2, t);
}

void TRForm::PiszPoleWklesle3KropkiE(const TRect& r, TColor wypelnienie, const QString& tekst, TColor ciemny,
                                     TColor jasny) {
    PoleWklesleE(r, wypelnienie, ciemny, jasny);
    QString t = tekst;
    const int n = znakowWPolu(r);
    if (SzerokoscTekstu(t) > SzerokoscProstokata(r) - 8 && t.size() > n) {
        const int k = std::max(0, (n - 3) / 2);
        t = t.left(k) + QStringLiteral("...") + t.right(k);
    }
    PiszxyCienE(r.Left + 5, r.Top + (WysokoscProstokata(r) - WysokoscTekstu()) / 2, t);
}

// ---- seven-segment digit ----

void TRForm::CYFRAPisz(const QString& znak, int x, int y, int szerokosc, int wysokosc, TColor kolor) {
    static const struct {
        char16_t znak;
        int maska;
    } maski[] = {{u'0', 0x77}, {u'1', 0x24}, {u'2', 0x5D}, {u'3', 0x6D}, {u'4', 0x2E}, {u'5', 0x6B},
                 {u'6', 0x7B}, {u'7', 0x25}, {u'8', 0x7F}, {u'9', 0x6F}, {u'-', 0x08}};
    int maska = 0;
    if (znak.size() == 1)
        for (const auto& m : maski)
            if (m.znak == znak.at(0).unicode()) maska = m.maska;

    const int pol = wysokosc / 2;
    auto poziomy = [&](int bit, int yy, int i) {
        const int x1 = x + 1 + i, x2 = x + szerokosc - 1 - i;
        if (x1 <= x2) LiniaHKolorE(x1, x2, yy, (maska & bit) ? kolor : KolorCzarny);
    };
    auto pionowy = [&](int bit, int xx, int y1, int y2) {
        if (y1 <= y2) LiniaVKolorE(xx, y1, y2, (maska & bit) ? kolor : KolorCzarny);
    };
    // Three parallel strokes, each one pixel shorter at both ends than the
    // outer one: a bevelled segment three pixels thick.
    for (int i = 0; i < 3; ++i) {
        poziomy(1, y + i, i);
        pionowy(2, x + i, y + 1 + i, y + pol - 1 - i);
        pionowy(4, x + szerokosc - i, y + 1 + i, y + pol - 1 - i);
        poziomy(8, y + pol - 1 + i, i);
        pionowy(16, x + i, y + pol + 1 + i, y + wysokosc - 1 - i);
        pionowy(32, x + szerokosc - i, y + pol + 1 + i, y + wysokosc - 1 - i);
        poziomy(64, y + wysokosc - i, i);
    }
    kolorPiora_ = KolorBialy;
}

// ---- buttons ----

void TRForm::BUTTON_Init(BUTTONType& b, const TRect& r, const QString& tytul, quint16 kod) {
    b.Rect = r;
    b.Tytul = tytul.left(DlugoscTytuluPrzycisku);
    b.Klawisz = KlawiszTytulu(b.Tytul);
    b.Kod = kod;
    b.Widoczny = 1;
    b.Stan = 0;
    b.Kolor = KolorSzary;
}

void TRForm::BUTTON_Rect(BUTTONType& b, const TRect& r) { b.Rect = r; }
void TRForm::BUTTON_SetTitle(BUTTONType& b, const QString& tytul) { b.Tytul = tytul.left(DlugoscTytuluPrzycisku); }
void TRForm::BUTTON_SetVisible(BUTTONType& b, bool widoczny) { b.Widoczny = widoczny ? 1 : 0; }
void TRForm::BUTTON_SetState(BUTTONType& b, bool stan) { b.Stan = stan ? 1 : 0; }
void TRForm::BUTTON_SetColor(BUTTONType& b, TColor kolor) { b.Kolor = kolor; }

void TRForm::BUTTON_Draw(const BUTTONType& b) {
    if (b.Widoczny != 1) return;
    const TRect& r = b.Rect;
    const bool wlaczony = b.Stan == 1;
    if (wlaczony) PoleWklesleE(r, KolorCzerwony, KolorCzarny, KolorBialy);
    else PoleWypukleE(r, b.Kolor, KolorCzarny, KolorBialy);

    const QString tytul = TytulBezTyldy(b.Tytul);
    const int wys = WysokoscTekstu();
    int x = r.Left + (SzerokoscProstokata(r) - SzerokoscTekstu(tytul)) / 2;
    int y = r.Top + (WysokoscProstokata(r) - wys) / 2 - 1;
    if (wlaczony) {
        ++x;
        ++y;
    }
    PiszxyCienE(x, y, tytul);

    const qsizetype tylda = b.Tytul.indexOf(QLatin1Char('~'));
    if (tylda >= 0 && KlawiszTytulu(b.Tytul) != 0) {
        const int x1 = x + SzerokoscTekstu(tytul.left(tylda));
        const int x2 = x1 + SzerokoscTekstu(tytul.mid(tylda, 1)) - 1;
        LiniaHCienE(x1, x2, y + wys, KolorBialy, KolorCzarny);
    }
}

void TRForm::BUTTON_ON(BUTTONType& b) {
    b.Stan = 1;
    BUTTON_Draw(b);
}

void TRForm::BUTTON_OFF(BUTTONType& b) {
    b.Stan = 0;
    BUTTON_Draw(b);
}

bool TRForm::BUTTON_MouseIn(const BUTTONType& b) const {
    return b.Widoczny == 1 && MyszPunkt.x() >= b.Rect.Left && MyszPunkt.x() <= b.Rect.Right &&
           MyszPunkt.y() >= b.Rect.Top && MyszPunkt.y() <= b.Rect.Bottom;
}

bool TRForm::BUTTON_Selected(const BUTTONType& b) {
    if (b.Widoczny != 1) return false;
    const bool klawisz = Zdarzenie.Rodzaj == ZdarzenieKlawisz && b.Klawisz != 0 && Zdarzenie.Kod == b.Klawisz;
    const bool mysz = Zdarzenie.Rodzaj == ZdarzenieMysz && BUTTON_MouseIn(b);
    if (!klawisz && !mysz) return false;
    Zdarzenie.Rodzaj = ZdarzenieKomenda;
    Zdarzenie.Kod = b.Kod;
    return true;
}

// ---- labels ----

void TRForm::OPIS_Init(OPISType& o, const TRect& r, TColor k1, TColor k2, TColor k3, TColor k4, TColor k5,
                       TColor k6, const QString& tekst) {
    o.Rect = r;
    o.RectWew = Wciecie(r, 3);
    o.Kolor[0] = k1;
    o.Kolor[1] = k2;
    o.Kolor[2] = k3;
    o.Kolor[3] = k4;
    o.Kolor[4] = k5;
    o.Kolor[5] = k6;
    o.Tekst = tekst.left(DlugoscTekstuOpisu);
}

void TRForm::OPIS_Draw(const OPISType& o) {
    PoleWypukleE(o.Rect, o.Kolor[0], o.Kolor[1], o.Kolor[2]);
    OPIS_Pisz(o);
}

void TRForm::OPIS_Tekst(OPISType& o, const QString& tekst) { o.Tekst = tekst.left(DlugoscTekstuOpisu); }

void TRForm::OPIS_Pisz(const OPISType& o) {
    PiszPoleWklesleCentrE(o.RectWew, o.Kolor[3], o.Tekst, o.Kolor[1], o.Kolor[2]);
}

// ---- Qt events ----

void TRForm::paintEvent(QPaintEvent* event) {
    zapewnijPlotno();
    zakonczMalowanie();
    QPainter p(this);
    for (const QRect& r : event->region()) p.drawImage(r, plotno_, r);
}

void TRForm::resizeEvent(QResizeEvent* event) {
    zapewnijPlotno();
    QWidget::resizeEvent(event);
}

void TRForm::mousePressEvent(QMouseEvent* event) {
    quint8 przycisk = 0;
    switch (event->button()) {
        case Qt::LeftButton: przycisk = 1; break;
        case Qt::RightButton: przycisk = 2; break;
        case Qt::MiddleButton: przycisk = 3; break;
        default: QWidget::mousePressEvent(event); return;
    }
    const QPoint punkt = event->position().toPoint();
    MyszPunkt = punkt;
    MyszPunktEkranu = event->globalPosition().toPoint();
    MyszPrzycisk = przycisk;
    Zdarzenie.Rodzaj = ZdarzenieMysz;
    Zdarzenie.Kod = 0;
    Zdarzenie.X = punkt.x();
    Zdarzenie.Y = punkt.y();
    event->accept();
    ObsluzZdarzenie();
}

void TRForm::keyPressEvent(QKeyEvent* event) {
    const quint16 kod = KodBIOS(*event);
    if (kod == 0xFFFF) {  // a lone modifier or a key the program has no code for
        QWidget::keyPressEvent(event);
        return;
    }
    Zdarzenie.Rodzaj = ZdarzenieKlawisz;
    Zdarzenie.Kod = kod;
    event->accept();
    ObsluzZdarzenie();
}
