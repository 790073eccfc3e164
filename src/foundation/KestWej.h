#pragma once
// The general-purpose input word: start, stop and mode signals from the
// relay card's inputs or from the I/O node's status text, taken only when
// nine reads in a row agree, so a bouncing contact never starts a player.
#include <QString>
#include <QtGlobal>

// Bits: 0x40 player 1 and 0x08 player 2 start/stop (clear = active),
// 0x10 and 0x20 always set, 0x80 .. 0x1000 card inputs 2 .. 7.
constexpr quint16 SlowoGPISpoczynek = 0x0078;  // all idle
constexpr quint16 MaskaGPI = 0x1FFB;
constexpr quint16 BitGPIPlayer1 = 0x40;
constexpr quint16 BitGPIPlayer2 = 0x08;

extern quint8 GPIWlaczone;            // 1 = polling on (copied from the desk-start setting)
extern QString TekstGPI;              // the node's last status text
extern quint16 SlowoGPIZapisane;      // word built from the node's texts
extern quint16 SlowoGPI;              // the current debounced word; 0 until a poll reads one
extern quint16 SlowoGPIPoprzednie;    // the word before the last poll

// The word from one byte of card inputs (bit n = input n active).
quint16 SlowoZWejscKarty(quint8 wejscia);
// One player's bit of `slowo` set from a node text against a pattern such as
// "GPI1,1,0"; anything that does not match leaves the bit as it was.
quint16 SlowoZTekstuWezla(quint16 slowo, const QString& tekst, const QString& wzorzec, quint16 bit);

// One raw word from the card (when it is used), else the node, else idle.
quint16 CzytajGPI();
// The debounced poll: true when SlowoGPI changed. Edges are SlowoGPI
// against SlowoGPIPoprzednie right after a poll that returned true.
bool SprawdzGPI();
