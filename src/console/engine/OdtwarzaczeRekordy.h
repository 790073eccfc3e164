#pragma once
// The player records: everything about the element a player slot carries,
// on the slot's day axis (times of day, not reduced modulo a day, so points
// stay comparable when an element plays across midnight). Slots 1 and 2 are
// the on-air decks A and B, 3 the DJ and whisper player (deck C, no panel),
// 4 the singles player, 5 the time-list player. No widgets here: the deck
// panels are drawn by the window from these records.
#include <QString>
#include <QtGlobal>

#include <array>

#include "audio/Sygnaly2.h"
#include "playlists/FixedText.h"

constexpr int LiczbaOdtwarzaczy = 5;
// The audio item's name when a slot carries nothing.
inline const QString NazwaPustegoSygnalu = QStringLiteral("Nie_ma");
inline const QString OpisBezczynny = QStringLiteral("-------");

struct MIXMagnetType {
    SygnalType SygnalSlotu;      // name = element Ide, path = element Adr; "Nie_ma" when empty
    qint32 Emi = 0;              // element air time: origin of the day axis
    qint32 DlugoscElementu = 0;  // longest length seen: day NwK - day NwP
    qint32 Pozycja = 0;          // day position: player position + Emi
    qint32 Zagrano = 0;          // furthest played time (ms from NwP)
    qint32 Pozostalo = 0;        // remaining time to NwK
    qint32 Int = 0;
    qint32 Out = 0;
    qint32 NwP = 0;  // day start
    qint32 FIn = 0;  // day end of the fade-in
    qint32 NwK = 0;  // day end
    qint32 FOu = 0;  // day start of the fade-out
    quint8 FIT = 0;
    quint8 FOT = 0;
    qint32 Miks = 0;  // day mix point: day NwK - element Mix
    qint32 Wzm = 0;   // gain, 0.01 dB
    qint32 Kac = 0;   // duck level applied to players 1 and 2, 0.01 dB
    qint32 KFI = 0;   // day end of the duck ramp-in
    qint32 KFO = 0;   // day start of the duck ramp-out
    qint32 Element = 0;  // playlist element carried; 0 none or marked played
    // Started from the playlist: its history line stays when the playlist
    // is cleared under it and the number goes.
    bool ZPlaylisty = false;
    FixedText<24> Opis = OpisBezczynny;
    FixedText<64> Tyt;
    FixedText<50> Pta;
    FixedText<50> Wyk;
    FixedText<40> Sol;
    FixedText<40> Kom;
    FixedText<40> Atr;
    FixedText<40> Pro;
    FixedText<40> Wyd;
    FixedText<4> Rok;
    FixedText<1> Zak;
    FixedText<3> BPM;
    FixedText<20> Gen;
    FixedText<20> Typ;
    FixedText<20> Era;
    FixedText<3> Nar;
    FixedText<2> KodRodzaju;
    FixedText<4> Jak;
    FixedText<20> Nas;
    FixedText<20> Tmc;
    FixedText<2> PTY;
    FixedText<8> PS1;
    FixedText<8> PS2;
    FixedText<8> PS3;
    FixedText<8> PS4;
    FixedText<1> ZAA;
    FixedText<8> Sel;
    QString MID;
    FixedText<8> CzasStartu;   // hh:mm:ss at the start
    qint32 StartMS = -1;       // wall-clock start, ms of day
    FixedText<10> DataStartu;  // the date label's text at the start
    quint8 RodzajElementu = 0;
    quint8 DecyzjaGPIStartu = 0;
    quint8 FadeTrwa = 0;
    quint8 FadeZadanie = 0;
    qint32 FadePoziom = 0;
    qint32 FadeKrok = 0;
    quint8 Znaczniki = 0;  // RDS files written at the start: 1 PS, 2 RT, 4 TA, 8 PT
    qint32 Udzial = 0;     // played share, thousandths; only ever raised
    qint32 UdzialPokazany = 0;
    quint8 HSTZapisany = 0;
    quint8 InfoZapisany = 0;
};

// The records, [1..5]; entry 0 is never used.
using RekordyOdtwarzaczy = std::array<MIXMagnetType, LiczbaOdtwarzaczy + 1>;

// Back to the idle state: empty item, element 0, "-------", texts empty,
// times 0, StartMS -1, every flag 0.
void ZerujOdtwarzacz(MIXMagnetType& r);

bool SlotPusty(const MIXMagnetType& r);

// Two-letter kind code of the player record ("mu" for kinds without one).
QString KodRodzajuOdtwarzacza(quint8 rodzaj);
// Kinds that need an audio file.
bool RodzajDzwiekowy(quint8 rodzaj);
