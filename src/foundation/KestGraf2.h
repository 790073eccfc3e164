#pragma once
// The drawn form base. The program's screens do not use standard controls:
// they draw everything themselves on a persistent canvas (so a timer or a
// command can redraw one field at any moment, not only on paint) and take
// all input through the one input-event record.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <QtGlobal>

#include "foundation/KestGrafTypy.h"

// Colours are the program's 0x00BBGGRR values; Qt wants its own.
QColor KolorQt(TColor kolor);

// Drawing is cheap enough for a screen redrawn every 100 ms beside the
// on-air tick: all the primitives drawn before control returns to the event
// loop share one painter on the canvas (a frame), and when the frame ends
// only the rectangles it changed are repainted on the screen.
class TRForm : public QWidget {
public:
    explicit TRForm(QWidget* parent = nullptr);

    // The canvas everything is drawn on; paint copies it to the screen.
    // It follows the form's size (kept content, new area in the face colour).
    // Reading it ends the frame being drawn, so it shows everything drawn.
    QImage& Plotno();
    // Colour of one canvas pixel (0x00BBGGRR); 0 outside the canvas.
    TColor KolorPiksela(int x, int y) const;

    // Canvas state used by linia and the text operations.
    void UstawKolorPiora(TColor kolor) { kolorPiora_ = kolor; }
    void UstawKolorPedzla(TColor kolor) { kolorPedzla_ = kolor; }
    void UstawKolorCzcionki(TColor kolor) { kolorCzcionki_ = kolor; }
    TColor KolorPiora() const { return kolorPiora_; }
    TColor KolorPedzla() const { return kolorPedzla_; }
    TColor KolorCzcionki() const { return kolorCzcionki_; }
    bool TrybXor() const { return xor_; }

    // Text metrics of the canvas font.
    int SzerokoscTekstu(const QString& tekst) const;
    int WysokoscTekstu() const;
    // The text cut at its end so that it takes at most `szerokosc` pixels.
    QString PrzytnijDoSzerokosci(QString tekst, int szerokosc) const;

    // ---- pen modes ----
    void g_xorput();
    void g_copyput();
    void g_solidln1();
    void g_solidln3();
    void g_dottedln1();
    void g_dashedln1();  // kept for callers; changes nothing

    void linia(int x1, int y1, int x2, int y2);

    // ---- text at pixels (top-left of the text) ----
    void PiszxyE(int x, int y, const QString& tekst);
    void PiszxyKolorE(int x, int y, const QString& tekst, TColor kolor);
    void PiszxyCienE(int x, int y, const QString& tekst);
    void PiszxyCienKolorE(int x, int y, const QString& tekst, TColor kolor);

    // ---- text on the character grid (column and row from 1, fractional) ----
    void Piszxy(const QString& tekst, double kolumna, double wiersz);
    void PiszxyKolor(const QString& tekst, TColor kolor, double kolumna, double wiersz);
    void PiszxyCien(const QString& tekst, TColor kolor, double kolumna, double wiersz);
    void PiszxyCienKolor(const QString& tekst, TColor kolor, double kolumna, double wiersz);

    // ---- lines ----
    void LiniaHKolorE(int x1, int x2, int y, TColor kolor);
    void LiniaVKolorE(int x, int y1, int y2, TColor kolor);
    void LiniaHCienE(int x1, int x2, int y, TColor kolor1, TColor kolor2);
    void LiniaVCienE(int x, int y1, int y2, TColor kolor1, TColor kolor2);

    // ---- frames ----
    void ProstokatKolorE(const TRect& r, TColor kolor);
    void ProstokatKasujE(const TRect& r, TColor kolor);
    void Prostokat2KolorE(const TRect& r, TColor kolor1, TColor kolor2);
    void ProstokatWypuklyE(const TRect& r, TColor ciemny, TColor jasny);
    void ProstokatWkleslyE(const TRect& r, TColor ciemny, TColor jasny);
    void ProstokatPonadE(const TRect& r, TColor kolor1, TColor kolor2);
    void ProstokatWewnatrzE(const TRect& r, TColor ciemny, TColor jasny);

    // ---- fields ----
    void PoleKolorE(const TRect& r, TColor kolor);
    void PoleKolorE_1(const TRect& r, TColor kolor);
    void PoleRamkaE(const TRect& r, TColor wypelnienie, TColor ramka);
    // Raised: `ciemny` bottom-right, `jasny` top-left; sunken: the other way round.
    void PoleWypukleE(const TRect& r, TColor wypelnienie, TColor ciemny, TColor jasny);
    void PoleWklesleE(const TRect& r, TColor wypelnienie, TColor ciemny, TColor jasny);
    void PoleWewnatrzE(const TRect& r, TColor wypelnienie, TColor kolor1, TColor kolor2);

    // A filled polygon in one colour (its outline included).
    void WielokatKolorE(const QPolygon& punkty, TColor kolor);

    // ---- text fields ----
    void PiszPoleWklesleE(const TRect& r, TColor wypelnienie, const QString& tekst, TColor ciemny, TColor jasny);
    void PiszPoleWklesleKolorE(const TRect& r, TColor wypelnienie, TColor kolorTekstu, const QString& tekst,
                               TColor ciemny, TColor jasny);
    void PiszPoleWklesleCentrE(const TRect& r, TColor wypelnienie, const QString& tekst, TColor ciemny, TColor jasny);
    void PiszPoleWklesle3KropkiE(const TRect& r, TColor wypelnienie, const QString& tekst, TColor ciemny,
                                 TColor jasny);

    // ---- seven-segment digit ----
    void CYFRAPisz(const QString& znak, int x, int y, int szerokosc, int wysokosc, TColor kolor);

    // ---- drawn buttons ----
    void BUTTON_Init(BUTTONType& b, const TRect& r, const QString& tytul, quint16 kod);
    void BUTTON_Rect(BUTTONType& b, const TRect& r);
    void BUTTON_SetTitle(BUTTONType& b, const QString& tytul);
    void BUTTON_SetVisible(BUTTONType& b, bool widoczny);
    void BUTTON_SetState(BUTTONType& b, bool stan);
    void BUTTON_SetColor(BUTTONType& b, TColor kolor);
    void BUTTON_Draw(const BUTTONType& b);
    void BUTTON_ON(BUTTONType& b);
    void BUTTON_OFF(BUTTONType& b);
    bool BUTTON_MouseIn(const BUTTONType& b) const;
    // A key equal to the hot key, or a press inside a visible button, becomes
    // the button's command (kind 256, its code). True when it did.
    bool BUTTON_Selected(const BUTTONType& b);

    // ---- drawn labels ----
    void OPIS_Init(OPISType& o, const TRect& r, TColor k1, TColor k2, TColor k3, TColor k4, TColor k5, TColor k6,
                   const QString& tekst);
    void OPIS_Draw(const OPISType& o);
    void OPIS_Tekst(OPISType& o, const QString& tekst);
    void OPIS_Pisz(const OPISType& o);

protected:
    // Called after a mouse press or a key has become the current event.
    // Screens override it and dispatch on Zdarzenie.
    virtual void ObsluzZdarzenie() {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rysujTekst(int x, int y, const QString& tekst, TColor kolor);
    void rysujLinie(int x1, int y1, int x2, int y2, TColor kolor);
    void wypelnij(int lewy, int gorny, int prawy, int dolny, TColor kolor);
    void zapewnijPlotno() const;
    // The frame's painter, opened on first use; `obszar` is what the caller
    // is about to change, repainted when the frame ends.
    QPainter& malarz(const QRect& obszar, bool xorTryb = false);
    // Ends the painter (the canvas then holds every pixel drawn).
    void zakonczMalowanie() const;
    // The end of a frame, once control is back in the event loop.
    void zakonczKlatke();

    mutable QImage plotno_;
    mutable QPainter malarz_;  // destroyed before the canvas it paints on
    bool xorMalarza_ = false;
    QRegion brudne_;           // changed since the last repaint was asked for
    bool klatkaZaplanowana_ = false;
    TColor kolorPiora_ = KolorCzarny;
    TColor kolorPedzla_ = KolorBialy;
    TColor kolorCzcionki_ = KolorCzarny;
    bool xor_ = false;
    int grubosc_ = 1;
    bool kropkowane_ = false;
};
