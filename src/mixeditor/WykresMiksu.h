#pragma once
// The mix editor's time line: one widget that lays out, draws and hit-tests
// every shape of the transition (track boxes, envelopes, handles, cursors and
// range markers) as named rectangles, so the window, the drags and the tests
// all speak of the same "Nagranie2NowyPoczatekShape". Labels that ride on the
// boxes are real child labels with their names as objectNames.
#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <map>

#include "foundation/KestGrafTypy.h"
#include "mixeditor/EdycjaPL.h"

class TEdycjaMiksow;

class WykresMiksu : public QWidget {
public:
    explicit WykresMiksu(TEdycjaMiksow& okno);

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

    // A named shape's rectangle (empty when there is none) and whether it shows.
    QRect Prostokat(const QString& nazwa) const;
    bool Widoczny(const QString& nazwa) const;
    // The topmost visible shape under a point ("" when none).
    QString Trafienie(QPoint p) const;
    QLabel* Etykieta(const QString& nazwa) const;

    // Track n alone is placed again (a take's growing box); repaints when it moved.
    void RozmiescSlad(int n);
    // The cursor line alone moves (the 100 ms tick), without a full layout.
    void PrzesunKursor();

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
        QRect r;
        bool widoczny = false;
        int z = 0;  // hit-test order: higher first
    };
    void ustaw(const QString& nazwa, QRect r, bool widoczny, int z);
    void ukryjSlad(int n);
    void rozmiescSlad(int n, const Pasy& p);
    void rysujSlad(class QPainter& g, int n);

    // Drags: what was pressed, where, and the model as it was then.
    void nacisniecie(const QString& nazwa, QPoint p, Qt::MouseButton b);
    void przeciagnij(QPoint p);
    void zwolnij();

    TEdycjaMiksow& okno_;
    std::map<QString, Ksztalt> ksztalty_;
    std::map<QString, QLabel*> etykiety_;
    int uchwyt_ = 16;

    QString ciagniety_;
    QPoint start_;
    std::array<SladMiksuTyp, LiczbaSladowMiksu + 1> slady0_;
    ZakresyMiksu zakresy0_;
    qint32 przesuniecie0_ = 0;
};
