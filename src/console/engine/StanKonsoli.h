#pragma once
// The console's own state that the command dispatcher reads and the command
// handlers change. It lives in the engine (no widgets here), so a test can
// make a fresh one and drive the dispatcher without a window.
#include <QDateTime>
#include <QtGlobal>
#include <array>

// What the lower-left panel shows.
enum : quint8 {
    PanelSingle = 0,
    PanelDlugaPlaylista = 1,
    PanelOpis = 2,
    PanelWieloslad = 3,
};

struct StanKonsoli {
    quint8 PanelDolny = PanelSingle;
    bool TrybPrzesuwania = false;    // move mode
    bool TrybBloku = false;          // block mode
    bool CzytaniePlaylisty = false;  // a read command is running
    bool PauzaJest = false;          // a time-list block plays
    bool TrybAutomat = false;
    quint8 TrybWstawiania = 1;       // insertion source: 1 folder browser, 2 database
    bool Zegar12h = false;           // the clock shows 24 hours from start
    // The clocks' time correction: planned times shown shifted by the
    // schedule's deviation.
    bool KorektaCzasuJest = false;
    qint32 ElementStartowany = 0;    // element started last through the advert path
    std::array<quint8, 6> OdtwarzaczZajety{};  // [1..5]: 1 while a slot carries an element
    // Reference of the Automat time correction: when and from which element.
    QDateTime KorektaStart;
    qint32 KorektaElement = 0;
    // 1 when the last pointer event came with exactly Alt and the right button.
    quint8 ZdarzenieFlaga = 0;
};
