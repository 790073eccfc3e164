#pragma once
// The multitrack timeline without its picture: the elements around the
// cursor as blocks on four lanes against a time scale (grid units), the
// zoom, the searches for breaks and DJ elements, and the click on a block.
#include <QPoint>
#include <QtGlobal>

#include <array>
#include <vector>

class SilnikEmisji;

struct BlokWielosladu {
    qint32 Element = 0;
    quint8 Rodzaj = 0;
    int X1 = 0;    // span on the grid, X2 - X1 at least 4
    int X2 = 0;
    int Gora = 0;  // lane top
    // Silence at the new start, full level from the fade-in's end to the
    // fade-out's start, silence at the new end.
    std::array<QPoint, 4> Wielokat{};
    int XInt = -1;  // intro and outro lines, -1 when unset or outside
    int XOut = -1;
};

class OsCzasu {
public:
    static constexpr int Lewy = 3;
    static constexpr int Prawy = 448;
    static constexpr int XKursora = 223;
    static constexpr qint32 SkalaStartowa = 2000;

    // Milliseconds per grid unit.
    qint32 SkalaTimeline = SkalaStartowa;

    // The blocks of the elements from the cursor - 19 to the cursor + 30;
    // none when the cursor has no air time.
    std::vector<BlokWielosladu> Bloki(qint32 kursor) const;
    // Grid x of a time of day against the cursor element's air time, the
    // signed difference taken within a day; false without a reference.
    bool XCzasu(qint32 kursor, qint64 msDoby, int& x) const;

    // Commands 7001..7010. The result says what to redraw.
    enum class Skutek { Nic, Wieloslad, Playlista };
    Skutek Komenda(quint16 id, SilnikEmisji& silnik);
    // A click at a grid point: the cursor's block runs the mixes, another
    // block becomes the cursor.
    Skutek Klik(QPoint punkt, SilnikEmisji& silnik);
};

// The lane top of element n: recordings alternate 319 / 349, the short
// kinds lie at 379, breaks, alarms, DJ and whistles at 409.
int GoraPasa(qint32 n);
