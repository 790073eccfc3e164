#pragma once
// The singles wall: six palettes of twelve jingles that the operator fires
// with F1..F12, a click or in sequence, and the singles sets (.SIN files) the
// palettes are read from and saved to. Its state and operations live here,
// without widgets: a single goes on air through the engine's start of a
// working element, on the singles player or on an idle main player, never
// over what plays on air. The main window draws the wall from this state
// (WidokSciany) and fills the library windows the wall opens
// (OknaBibliotekiSingli); until a window stands its call does nothing.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <set>

struct PrzyciskiKonsoli;
struct SygnalType;
class SilnikEmisji;

constexpr int LiczbaPalet = 6;
constexpr int SlotowPalety = 12;
// Longest title and file path a slot keeps (the playlist element's widths).
constexpr int DlugoscTytuluSingla = 64;
constexpr int DlugoscAdresuSingla = 250;

struct TSingiel {
    QString Tyt = QStringLiteral("----------");  // an empty slot's title
    QString Adr;                                  // full path; empty when unassigned
    qint32 Trw = 0;                               // the file's length, ms
    quint8 Stan = 0;                              // 0 idle, 1 on one of players 1 to 4, 2 asked
};
using PaletaSingli = std::array<TSingiel, SlotowPalety + 1>;  // [1..12]

// Where the wall's buttons sit in PrzyciskiKonsoli::Single.
enum PrzyciskSingli : int {
    PSingielF1 = 0,    // slots 1..12: 0..11
    PPaleta1 = 12,     // palettes 1..6: 12..17
    PSingleX = 18,     // 4010..4020: 18..28
    PSingleKolejno = 28,
    LiczbaPrzyciskowSingli = 29
};
// The button of a wall command (4010..4020, 4201..4212, 4301..4306); -1 for others.
int IndeksPrzyciskuSingli(quint16 id);

// What the window draws when the wall's picture changes. Each call does
// nothing while another view fills the lower panel.
class WidokSciany {
public:
    virtual ~WidokSciany() = default;
    virtual void RysujSingle() {}                        // the whole panel
    virtual void RysujSlotSingla(int slot) {}            // one slot of the palette shown
    virtual void RysujPrzyciskSingli(int indeks) {}      // a palette or mode button
};

// The library windows the wall opens. Each is empty until its window
// stands; an empty one does nothing (its first call is logged once).
struct OknaBibliotekiSingli {
    // A recording for a slot, from the folder browser (insertion source 1)
    // or the database window (2): its name and file; false when none chosen.
    std::function<bool(QString& nazwa, QString& plik)> NagranieZKatalogu;
    std::function<bool(QString& nazwa, QString& plik)> NagranieZBazy;
    // A singles set picked in the folder browser, starting in `katalog`
    // when it is not empty; "" when none was picked.
    std::function<QString(const QString& katalog)> ZestawZKatalogu;
    // The folder to save a set into, starting at `katalog`; "" unless accepted.
    std::function<QString(const QString& katalog)> KatalogZapisu;
    // The description editor on a slot's audio item (opened with its
    // description; OpisNagrania holds it).
    std::function<void(SygnalType& sygnal)> EdytujOpis;
};

class ScianaSingli {
public:
    ScianaSingli(SilnikEmisji& silnik, PrzyciskiKonsoli& przyciski, WidokSciany& widok);

    // ---- state, palettes and slots from 1 ----
    std::array<PaletaSingli, LiczbaPalet + 1> Single;
    std::array<QString, LiczbaPalet + 1> SingleNazwa;  // shown on the palette's button
    std::array<QString, LiczbaPalet + 1> SingleZbior;  // the set file read last
    std::array<bool, LiczbaPalet + 1> SingleZestawFlaga{};    // "Zapytaj": ask before airing
    std::array<bool, LiczbaPalet + 1> SingleKolejnoPaleta{};  // "Kolejno": at most one on
    quint8 SinglePaleta = 1;       // the palette shown
    quint8 SingleTryb = 1;         // what a slot click does: 1 play, 2 assign, 3 clear, 4 description
    bool SingleZmienione = false;  // a slot was assigned since the last reminder
    quint8 SingleOstatni = 0;      // the slot started last: the sequence's cursor
    quint8 SingleOdtwarzacz = 0;   // the player of the last start: 1, 2 or 4
    bool SingleGrany = false;      // a start the sequence follows

    OknaBibliotekiSingli Biblioteka;
    // The preview (PFL) window on a file from a position, ms; the window installs it.
    std::function<void(const QString& plik, qint32 start)> Odsluch;
    // The mouse button of the event that made the current command (1 left,
    // 2 right, 3 middle), 0 for a key; the window sets it before dispatching.
    quint8 PrzyciskMyszy = 0;

    // ---- start-up and layout ----
    // Every palette emptied and named by its number, no set files; the ask
    // flags and the first palette's sequence flag as the settings start them.
    void Start();
    // The wall's buttons on the current screen scale; the extra keyboard
    // colours them.
    void UstawPrzyciski(bool dodatkowaKlawiatura);

    // ---- commands ----
    // Any command of the wall; nothing while another view fills the lower panel.
    void Komenda(quint16 id);
    // Slot s of the palette shown on air (a second press on the singles
    // player stops it); `prawy` previews it instead. `jest`: a worker has
    // just found its file, which is not looked for again.
    void GrajSingiel(int s, bool prawy = false, bool jest = false);
    // The 300 ms sequence tick: the next slot with a file once the last
    // single has ended; never past slot 12.
    void SingleKolejno();
    // The display tick while the wall is shown: which slots are on a player,
    // and the progress of those that play.
    void OdswiezSingle();
    // The palette, mode and flag buttons as the state says; only those that
    // change are drawn.
    void PodswietlPrzyciski();
    // After a profile replaced the palettes: one palette at most plays in
    // sequence (the first that asks), the sequence timer runs only when the
    // palette shown has it, and the wall is redrawn when shown.
    void PoProfilu();

    // ---- singles sets ----
    // Reads a set into the palette shown; without a file the operator picks
    // one. Missing recordings are asked about and cleared, network ones
    // copied to the local disk when the settings ask for it.
    void CzytajZestawSingli(const QString& plik);
    // Saves the palette shown under a name the operator gives.
    void ZapiszZestawSingli();
    // The set file into the palette shown (emptied first); false, with
    // BladIO, when it cannot be read, and the palette is left as it was.
    bool CzytajPlikSIN(const QString& plik);
    // The palette shown as a set file: 24 lines, written whole or not at
    // all; false with BladIO on failure.
    bool ZapiszPlikSIN(const QString& plik) const;

    // ---- what the picture needs ----
    const TSingiel& Slot(int s) const { return Single[SinglePaleta][size_t(s)]; }
    // Progress of slot s of the palette shown in thousandths while it plays, else -1.
    qint32 Postep(int s) const { return postep_[size_t(s)]; }
    // The slot being handled by a click (drawn pressed), 0 none.
    int Wcisniety() const { return wcisniety_; }
    // A palette with a slot on a player has its button framed in red.
    bool PaletaNaAntenie(int paleta) const { return naAntenie_[size_t(paleta)]; }
    // A file on a drive past the last local one.
    static bool Sieciowy(const QString& adres);

private:
    void klikSlotu(int s);
    void wybierzPalete(int paleta);
    void przelaczTryb(quint8 tryb);
    void przelaczKolejno();
    void nowaPaleta();
    void wstaw(TSingiel& g);
    void opis(const TSingiel& g);
    void oprozniPalete(int paleta);
    // The working element from a slot, for the engine's start.
    void zbudujElement(const TSingiel& g) const;
    // Whether the singles' read-ahead has read slot `s` of palette `p`; if
    // not, the press is late and made again, after the tick, once it has.
    bool przeczytany(quint8 p, int s, const TSingiel& g);
    // Starts the working element on a player and waits, bounded, until it
    // plays; a start that fails is logged and shown.
    bool uruchom(quint8 odtwarzacz, const QString& adres);
    bool pytaj(int s, const TSingiel& g);
    bool gra(quint8 odtwarzacz) const;
    // A single on the decks' output finds both decks playing: nothing airs,
    // and the operator is told why in the status field and the log.
    void odmowaObaGraja(const TSingiel& g);
    quint8 stanSlotu(const TSingiel& g) const;
    QString katalogZestawow() const;
    void sprawdzObecnosc();
    void kopiujNaDyskLokalny();
    // Logs once that a library window is not there yet.
    void brak(const char* co);

    SilnikEmisji& silnik_;
    PrzyciskiKonsoli& przyciski_;
    WidokSciany& widok_;
    std::array<qint32, SlotowPalety + 1> postep_{};
    std::array<bool, LiczbaPalet + 1> naAntenie_{};
    int wcisniety_ = 0;
    bool startuje_ = false;  // a start waits for its player
    std::set<QString> zgloszone_;
    // The sequence's look for its next slot, made by the singles' worker.
    struct KolejnySingiel {
        quint8 paleta = 0;
        int od = 0;          // the first slot looked at
        QStringList adresy;  // slots od..12 as they were asked
        int znaleziony = 0;  // the first of them with a file; 0 none
        std::atomic<bool> gotowe{false};
    };
    std::shared_ptr<KolejnySingiel> kolejny_;
};

// A slot of an empty palette.
void WyczyscSingiel(TSingiel& g);
// Names a set cannot take: none, and "Nie_ma" in any case.
bool NazwaZestawuZastrzezona(const QString& nazwa);
