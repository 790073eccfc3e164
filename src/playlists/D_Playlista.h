#pragma once
// The playlist element, the on-air playlist with its list state, its
// one-level undo copy, and the small element operations every playlist user
// calls (initialisation, mark validation, swapping, kinds).
#include "foundation/KestGrafTypy.h"  // TColor; TRect: pixel rectangles, edges inclusive
#include <QList>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <compare>
#include <cstddef>
#include <functional>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>

#include "audio/TrimRodzaju.h"
#include "playlists/FixedText.h"

struct SygnalType;
struct OpisNagraniaTyp;

// Element kinds: the low five bits of TElemPListy::Typ.
enum : quint8 {
    RodzajSND = 1,
    RodzajINF = 2,
    RodzajBRK = 3,
    RodzajALR = 4,
    RodzajREK = 5,
    RodzajDJ_ = 6,
    RodzajJNG = 8,
    RodzajPRO = 9,
    RodzajSPO = 10,
    RodzajAUD = 11,
    RodzajWHI = 12,
    RodzajSWE = 13,
    RodzajLOP = 14,
    RodzajEFE = 15,
};
// Bit 7 of Typ: "Mod=Graj o", play at the element's planned time.
constexpr quint8 TypGrajO = 0x80;
// Bit 6 of Typ: the element was played long enough for the history.
constexpr quint8 TypZagrany = 0x40;

constexpr qint32 DobaMs = 86'400'000;

// Which element of the run's lists this is (0: not numbered yet). Given
// when the list is first snapshotted for undo or a mix is built on it, kept
// by every copy and move, never written to a file: a day's list repeats
// songs, and an undo or a mix written back must find the element itself,
// not another copy of its recording. Not part of what an element holds, so
// two elements with the same contents compare equal whatever their numbers.
struct TozsamoscElementu {
    quint64 Numer = 0;
    friend bool operator==(TozsamoscElementu, TozsamoscElementu) { return true; }
};

// One playlist element. Only Ide and MID are of free length; every other
// text is cut to its width whenever it is stored, so elements are copied
// whole by plain assignment (undo, mix editor). The member defaults are the
// state InitElemPListy gives.
struct TElemPListy {
    quint8 Typ = 0;         // kind (low five bits), 0x80 "Graj o", 0x40 played
    quint8 BrakZbioru = 0;  // non-zero when the audio file was found missing
    quint8 Aut = 0;         // semiautomatic: started at the previous element's mix point
    QString Ide = QStringLiteral("--------");
    FixedText<250> Adr;
    qint32 Emi = -1;        // air time, ms of the day; -1 none
    FixedText<8> Sel;       // planned air time "hh:mm:ss" from the scheduler
    QString MID;            // external identifier, kept and written back only
    qint32 Trw = 0;         // duration, ms
    qint32 Trw2 = 0;        // second duration; carried by no file
    qint32 NwP = 0;         // new start, ms from the file start
    qint32 NwK = 0;         // new end
    qint32 FIn = 0;         // end of the fade-in
    qint32 FOu = 0;         // start of the fade-out
    quint8 FIT = 0;         // fade-in curve: 0 linear, 1 sine, 2 quadratic
    quint8 FOT = 0;         // fade-out curve
    qint32 Mix = -1;        // crossfade into the next element, ms; -1 = kind default
    qint32 Int = 0;         // intro mark, 0 none
    qint32 Out = 0;         // outro mark, 0 none
    qint32 Wzm = 0;         // gain, 0.01 dB
    qint32 Kac = 0;         // ducking level, 0.01 dB
    qint32 KFI = 0;         // ducking starts
    qint32 KFO = 0;         // ducking ends
    qint32 Wznow = 0;       // resume point; carried by no file
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
    FixedText<2> PTY;       // carried by no playlist file
    FixedText<8> PS1;
    FixedText<8> PS2;
    FixedText<8> PS3;
    FixedText<8> PS4;
    FixedText<1> ZAA;
    TozsamoscElementu Tozsamosc;

    friend bool operator==(const TElemPListy&, const TElemPListy&) = default;
};

// Display and cursor state of one scrolling list panel; elements are
// numbered from 1, 0 means none.
struct StanListy {
    FixedText<50> Nazwa;
    TRect Panel;
    TRect Lista;     // Panel less the frame and the title row
    TRect Pasek;     // the scroll bar
    qint32 Kursor = 0;
    qint32 DoGrania = 0;  // element started next; 0 after a load
    qint32 Ilosc = 0;
    qint32 Pojemnosc = 0;
    qint32 Pierwszy = 1;  // element shown in the first row
    qint32 Wierszy = 0;   // rows per page
};

// Stores the name and the panel, derives the inner rectangles and empties
// the cursor state. The caller resets the list's own elements.
void UstawStanListy(StanListy& stan, const QString& nazwa, const TRect& panel, qint32 pojemnosc, qint32 wierszy);
// The panel and its inner rectangles: the rows from `naglowek` below the
// panel's top to 4 above its bottom, the scroll bar at its right.
void UstawPanelListy(StanListy& stan, const TRect& panel, int naglowek);

// ---- the on-air playlist (elements 1..StanPlaylisty.Ilosc; 0 is never part of it) ----
constexpr int MaksPlaylisty = 10'000;

// Elements 0..MaksPlaylisty of a playlist-sized array (the playlist, its undo
// copy, the mix editor's copies). Storage follows the elements in use: they
// live in blocks made the first time an element of the block is reached for
// writing, so a short list costs a few blocks, not 10 001 elements in each
// array. An element never written reads as a freshly initialised one.
// Blocks never move, so a reference to an element stays good while others
// are added. An index past MaksPlaylisty throws std::out_of_range.
class TablicaPlaylisty {
    static constexpr size_t NaBlok = 64;

public:
    static constexpr size_t Rozmiar = MaksPlaylisty + 1;

    TablicaPlaylisty() = default;
    TablicaPlaylisty(const TablicaPlaylisty& t) { *this = t; }
    TablicaPlaylisty& operator=(const TablicaPlaylisty& t);
    TablicaPlaylisty(TablicaPlaylisty&&) noexcept = default;
    TablicaPlaylisty& operator=(TablicaPlaylisty&&) noexcept = default;

    TElemPListy& operator[](size_t i) {
        std::unique_ptr<Blok>& b = bloki_.at(i / NaBlok);
        if (!b) b = std::make_unique<Blok>();
        return (*b)[i % NaBlok];
    }
    const TElemPListy& operator[](size_t i) const {
        const std::unique_ptr<Blok>& b = bloki_.at(i / NaBlok);
        return b ? (*b)[i % NaBlok] : Pusty();
    }
    static constexpr size_t size() { return Rozmiar; }
    // Every element initial again; the storage is given back.
    void Wyczysc() {
        for (auto& b : bloki_) b.reset();
    }
    // Elements past `ostatni` are initial again; whole blocks past it are
    // given back.
    void Przytnij(size_t ostatni);

    template <bool Staly>
    class Iter {
        using T = std::conditional_t<Staly, const TablicaPlaylisty, TablicaPlaylisty>;

    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = TElemPListy;
        using difference_type = std::ptrdiff_t;
        using reference = std::conditional_t<Staly, const TElemPListy&, TElemPListy&>;
        using pointer = std::conditional_t<Staly, const TElemPListy*, TElemPListy*>;

        Iter() = default;
        Iter(T* t, difference_type i) : t_(t), i_(i) {}
        reference operator*() const { return (*t_)[size_t(i_)]; }
        pointer operator->() const { return &**this; }
        reference operator[](difference_type n) const { return (*t_)[size_t(i_ + n)]; }
        Iter& operator++() { ++i_; return *this; }
        Iter operator++(int) { Iter k = *this; ++i_; return k; }
        Iter& operator--() { --i_; return *this; }
        Iter operator--(int) { Iter k = *this; --i_; return k; }
        Iter& operator+=(difference_type n) { i_ += n; return *this; }
        Iter& operator-=(difference_type n) { i_ -= n; return *this; }
        friend Iter operator+(Iter a, difference_type n) { return a += n; }
        friend Iter operator+(difference_type n, Iter a) { return a += n; }
        friend Iter operator-(Iter a, difference_type n) { return a -= n; }
        friend difference_type operator-(const Iter& a, const Iter& b) { return a.i_ - b.i_; }
        friend bool operator==(const Iter& a, const Iter& b) { return a.i_ == b.i_; }
        friend auto operator<=>(const Iter& a, const Iter& b) { return a.i_ <=> b.i_; }

    private:
        T* t_ = nullptr;
        difference_type i_ = 0;
    };
    using iterator = Iter<false>;
    using const_iterator = Iter<true>;
    iterator begin() { return {this, 0}; }
    iterator end() { return {this, std::ptrdiff_t(Rozmiar)}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, std::ptrdiff_t(Rozmiar)}; }

private:
    using Blok = std::array<TElemPListy, NaBlok>;
    static const TElemPListy& Pusty();
    std::array<std::unique_ptr<Blok>, (Rozmiar + NaBlok - 1) / NaBlok> bloki_;
};

// The on-air elements, held through a pointer so that a list being read can
// be built in an array of its own and put in place in one step (while the
// operator answers the read's questions the decks play from the old one).
class PlaylistaNaAntenie {
public:
    PlaylistaNaAntenie() : p_(std::make_unique<TablicaPlaylisty>()) {}
    TElemPListy& operator[](size_t i) { return (*p_)[i]; }
    const TElemPListy& operator[](size_t i) const { return (*p_)[i]; }
    auto begin() { return p_->begin(); }
    auto end() { return p_->end(); }
    auto begin() const { return std::as_const(*p_).begin(); }
    auto end() const { return std::as_const(*p_).end(); }
    void Wyczysc() { p_->Wyczysc(); }
    void Przytnij(size_t ostatni) { p_->Przytnij(ostatni); }
    operator TablicaPlaylisty&() { return *p_; }
    operator const TablicaPlaylisty&() const { return *p_; }
    PlaylistaNaAntenie& operator=(const TablicaPlaylisty& t) {
        *p_ = t;
        return *this;
    }
    // Exchanges the array in place with another one; never null.
    void Zamien(std::unique_ptr<TablicaPlaylisty>& inna) {
        if (inna) p_.swap(inna);
    }

private:
    std::unique_ptr<TablicaPlaylisty> p_;
};

extern PlaylistaNaAntenie Playlista;
extern StanListy StanPlaylisty;
extern QString PlaylistaZbior;  // the file the playlist was read from
extern QString PlaylistaNazwa;  // "Nie_ma" when none
extern TElemPListy ElemPListyRob;  // work record of the description refresh, play-now and the mix editor

// ---- one level of undo ----
extern TablicaPlaylisty PlaylistaUndo;
extern StanListy StanPlaylistyUndo;
extern QString PlaylistaZbiorUndo;
extern QString PlaylistaNazwaUndo;
extern bool UndoJest;
extern QString UndoOperacja;

// The players carry element numbers that an undo must move back with the
// playlist. The on-air engine installs these two; until it does, the
// snapshot keeps no numbers.
struct NumeryGraczyUndo {
    std::function<QList<qint32>()> pobierz;            // numbers of the player records, now
    // The records' new numbers, each the element the record plays (0: not
    // known; the record is checked against the list by its file).
    std::function<void(const QList<qint32>&)> ustaw;
};
void UstawNumeryGraczyUndo(NumeryGraczyUndo numery);
// The installed pair (empty until the engine installs it); whoever moves
// elements (the mix editor's write) renumbers the players through it.
const NumeryGraczyUndo& NumeryGraczy();

// Gives every element of the list that has none its identity.
void NumerujPlayliste();
// The same for one element (of the list or about to join it); returns it.
quint64 NumerujElement(TElemPListy& e);
// The element of the list with this identity; 0 when none (or for 0).
qint32 ElementOTozsamosci(quint64 numer);

// Keeps elements 1..count only; a restore resets what an edit added past
// the restored count. The list is numbered first, so the snapshot and the
// list share their elements' identities.
void ZapiszUndoPlaylisty(const QString& operacja);
// Asks first when `pytaj`; true when the playlist was restored.
bool PrzywrocUndoPlaylisty(bool pytaj);

// Empties the playlist, its state, names and undo (a new run's state).
void WyczyscPlayliste();

// ---- element operations ----
void InitElemPListy(TElemPListy& e);
void PoprawCzasyElemPListy(TElemPListy& e);
void ZamienElemPListy(int i, int j);
quint8 RodzajElemPListy(quint8 typ);
bool CzyElemDzwiekowy(const TElemPListy& e);
bool CzyElemReklama(const TElemPListy& e);
bool CzyElemMowiony(const TElemPListy& e);
bool CzyBreakZDzwiekiem(const TElemPListy& e);

// The three-letter key of a kind in playlist files ("" for 0, 7 and above 15)
// and back (0 for an unknown key).
QString KodRodzaju(quint8 rodzaj);
quint8 RodzajZKodu(QStringView kod);

// The colour of an element kind, one palette for the playlist's time boxes,
// the timeline's blocks and the mix editor's tracks. Kind 7 and the kinds
// with no name get `inny`: there each view has a colour of its own.
TColor KolorRodzaju(quint8 rodzaj, TColor inny);

// Fills the element's texts and marks from a recording's description and its
// opened audio item; kind, flags, identifier, address and times stay.
// The mix length a description's Mix text gives: its seconds in ms, -1 when
// they are not a number.
qint32 MixZOpisu(const QString& tekst);
void WypelnijElemZOpisu(TElemPListy& e, const OpisNagraniaTyp& opis, const SygnalType& sygnal);

// The per-kind level trims of the emission settings; INF, BRK, ALR and
// unknown kinds have none.
TrimyRodzajow TrimyEmisji();
