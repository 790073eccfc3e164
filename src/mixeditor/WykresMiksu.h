#pragma once
// The mix editor's time line: one widget that lays out, draws and hit-tests
// every shape of the transition (track boxes, envelopes, handles, cursors and
// range markers) as typed rectangles: a kind and the track (or lane) it
// belongs to. Labels that ride on the boxes are real child labels, held by
// track. Each shape and label also has a name ("Nagranie2NowyPoczatekShape",
// "TytulNagrania2Label") by which tests find it.
#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <utility>
#include <vector>

#include "foundation/KestGrafTypy.h"
#include "mixeditor/EdycjaPL.h"

class TEdycjaMiksow;

class WykresMiksu : public QWidget {
public:
    explicit WykresMiksu(TEdycjaMiksow& okno);

    // What a shape is. Kinds from Pudelko to OutroKwadrat belong to track n
    // (Intro is song 2's, Outro song 1's); LiniaPasa's n is the lane 1..3.
    enum class Rodzaj : quint8 {
        Brak,  // no shape (a click beside every shape)
        Tlo,
        LiniaPasa,
        Pudelko,
        FadeIn,
        FadeOut,
        NowyPoczatek,
        NowyKoniec,
        KaczkaWe,
        KaczkaWy,
        Wzmocnienie,
        Intro,
        IntroKwadrat,
        Outro,
        OutroKwadrat,
        Kursor,
        WgrajPoczatek,
        WgrajKoniec,
        ZakresWgraniaPoczatek,
        ZakresWgraniaKoniec,
        ZakresDJPoczatek,
        ZakresDJKoniec,
    };
    struct Id {
        Rodzaj rodzaj = Rodzaj::Brak;
        int n = 0;
        bool operator==(const Id&) const = default;
    };
    // The track a shape belongs to, 0 for none.
    static int Slad(Id k);
    // A shape's name, as tests know it.
    static QString Nazwa(Id k);

    // Geometry of the lanes for a time line `wysokosc` pixels high.
    struct Pasy {
        int s = 0;
        int linia[4] = {0, 0, 0, 0};  // [1..3]
        int gora(int pas) const { return linia[pas] - (s - 18); }
        int wysokosc() const { return 2 * (s - 18) - 3; }
    };
    static Pasy PasyDla(int wysokosc);
    // The lane of track n (1..3).
    static int PasSladu(int n);

    // Places every shape and label from the model; repaints.
    void Rozmiesc();
    void UstawRozmiarUchwytu(int px) { uchwyt_ = px; }
    int RozmiarUchwytu() const { return uchwyt_; }

    // A shape's rectangle (empty when there is none) and whether it shows.
    QRect Prostokat(Id k) const;
    bool Widoczny(Id k) const;
    // The topmost visible shape under a point (Brak when none).
    Id Trafienie(QPoint p) const;
    // The air-time label of track n (2..4), null for another track.
    QLabel* GodzinaEmisji(int n) const;

    // By name, for tests: a shape's rectangle, whether a shape or a label
    // shows, and a label.
    QRect Prostokat(const QString& nazwa) const;
    bool Widoczny(const QString& nazwa) const;
    QLabel* Etykieta(const QString& nazwa) const;

    // Track n alone is placed again (a take's growing box); repaints when it moved.
    void RozmiescSlad(int n);
    // The cursor line alone moves (the 100 ms tick), without a full layout.
    void PrzesunKursor();
    // Song 1's fade-out starts at t, or as near as a drag of its handle may
    // take it; the new end is pushed along.
    void UstawFadeOut1(qint32 t);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    struct Ksztalt {
        Id id;
        QRect r;
        bool widoczny = false;
        int z = 0;  // hit-test order: higher first
    };
    Ksztalt* znajdz(Id k);
    const Ksztalt* znajdz(Id k) const;
    void ustaw(Id k, QRect r, bool widoczny, int z);
    void ukryjSlad(int n);
    void rozmiescSlad(int n, const Pasy& p);
    void rysujSlad(class QPainter& g, int n);
    // The pixels song 1's fade-out handle may stand on: right of its fade-in
    // handle, inside its box, left of the right limit.
    std::pair<int, int> graniceFadeOut1() const;

    // Drags: what was pressed, where, and the model as it was then.
    void nacisniecie(Id k, QPoint p, Qt::MouseButton b);
    void przeciagnij(QPoint p);
    void zwolnij();

    TEdycjaMiksow& okno_;
    // Every shape, in the order they are drawn in and, within one layer, win
    // a click: song 1's outro over its handles, the gain handles over all,
    // the neighbouring mixes' voices ahead of this mix's own.
    std::vector<Ksztalt> ksztalty_;
    // Labels of tracks 1..4 (air times of 2..4 only).
    std::array<QLabel*, 5> tytul_{}, autor_{}, godzina_{};
    int uchwyt_ = 16;

    Id ciagniety_;
    QPoint start_;
    std::array<SladMiksuTyp, LiczbaSladowMiksu + 1> slady0_;
    ZakresyMiksu zakresy0_;
    qint32 przesuniecie0_ = 0;
};
