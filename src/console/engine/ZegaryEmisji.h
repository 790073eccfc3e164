#pragma once
// The clock display without a window: the clocks, the date, the deviation
// of the broadcast from the playlist and the mode labels' colours. The
// display refresh works them out; the window only draws what they say.
#include <QDate>
#include <QString>
#include <QtGlobal>

class SilnikEmisji;

enum class KolorOdchylenia : quint8 { Silver, Green, Lime, Maroon, Red };

// Warns at 10 and 60 seconds either way.
KolorOdchylenia KolorOdchyleniaDla(qint32 ms);

// Actual minus planned time of the element on air, with the midnight rule;
// false when there is nothing to measure (no elements, the playlist being
// moved, nothing playing and nothing next, an untimed reference).
bool LiczPrzesuniecie(const SilnikEmisji& silnik, qint64 terazMS, qint32& wynik);

// The deviation at the playlist's next hour boundary (an element whose `Sel`
// is a full hour), or at the end of the playlist rounded up to the hour.
bool LiczOdchylenieGodziny(const SilnikEmisji& silnik, qint32 przesuniecie, bool korekta, qint32& wynik);

// Actual minus planned with a day's wrap at midnight.
qint64 RoznicaPrzezPolnoc(qint64 rzeczywisty, qint64 planowany);

struct WskazaniaZegarow {
    QString Czas24;  // "05:38:21"
    QString Czas2;   // the second zone
    QString Czas12;  // "5:38:21"
    QString AmPm;    // "AM" / "PM"
    QString Data;
    QString Odchylenie = QStringLiteral("00:00");
    KolorOdchylenia Kolor = KolorOdchylenia::Silver;
    bool APCzerwona = false;
    bool ATCzerwona = false;
    bool ASCzerwona = false;
    bool SerwisWidoczny = false;
};

// One refresh of the clocks at `terazMS` (ms of the day) on `data`: sets the
// engine's PrzesuniecieCzasu and OdchylenieWyswietlane, switches the
// automatic-loading timer with AP and AT, and returns what the labels show.
WskazaniaZegarow OdswiezZegary(SilnikEmisji& silnik, QDate data, qint64 terazMS);

// The clock label's click: the cursor to the first element whose air time
// is later than `terazMS`; false when the cursor did not move.
bool KursorNaTeraz(qint64 terazMS);
