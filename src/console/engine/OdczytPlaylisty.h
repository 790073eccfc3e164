#pragma once
// Reading a playlist file into the on-air playlist: the native .MIX goes to
// its own reader, anything else is a scheduler's export (with "TYP" keys, or
// the short-key form), whose identifiers are resolved to audio files through
// the recordings database or a search of the music folders.
//
// The console reads on a worker of its own (OdczytWTle): the file, the
// presence of its recordings and their descriptions are read into an array
// of the read's own while the on-air loop ticks on the old list; the new
// list goes on air in one step, on the program's thread.
#include <QHash>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/SerialWorker.h"
#include "playlists/NagraniaPrzebiegu.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"

class SilnikEmisji;
struct PrzygotowanyStart;
struct TElemPListy;

// Empties the playlist before a fresh read; the decks forget their numbers.
void CzyscPlayliste(SilnikEmisji& silnik);

// The settings a scheduler's list is resolved with, copied on the program's
// thread when the read is asked (texts of their own), and the database's
// answers when it is asked: the worker never looks at the settings or the
// table, which the program's thread may change meanwhile.
struct NastawyImportu {
    bool CzySzukacNagran = false, CzySzukacWBazie = false, CzySzukacWPodkatalogach = false;
    bool CzySzukacNadacKod = false, CzyOpisyZListy = false, CzyNazwaLSTZPozycji = false;
    bool CzyPorownanie8Znakow = false;
    qint32 CzasCross = 0;
    QString KatMuzyka1, KatMuzyka2, KatJingle, KatDJ, KatAudycje, KatInne, KatKopiaProgram;
    QString KatSiecStart, KatalogSiecNaLokal;
    bool KatalogSiecNaLokalJest = false;
    qint32 KaczkaPoziomdB = 0, KaczkaWejscieMS = 0, KaczkaWyjscieMS = 0;
    std::shared_ptr<const QHash<QString, QString>> Baza;  // identifier -> path
};
// Program's thread. Reads the database first when the settings ask for it
// and it was not read yet.
NastawyImportu NastawyImportuTeraz();

// What one read made, on objects of its own: a worker fills it, the
// program's thread takes it once the worker is done.
struct OdczytanaLista {
    QString Plik;
    qint32 Start = 0;  // the elements read follow this one (an append's count)
    // Elements Start + 1 .. Wynik.Ilosc; element Start is the one an append
    // follows in time.
    std::unique_ptr<TablicaPlaylisty> Elementy = std::make_unique<TablicaPlaylisty>();
    WynikOdczytuListy Wynik;
    bool Jest = false;  // a plain file stands there
    QString Nazwa;      // its name without folder and extension
    QString Data;       // its date text (yyyy.MM.dd_hh:mm:ss)
    QString Powod;      // why nothing was read, for the log ("" when read)
    QHash<QString, bool> Obecnosc;  // address -> a plain file stands there, for the elements read
    // What the read found on the disk, for the passes that follow it.
    std::shared_ptr<NagraniaPrzebiegu> Nagrania = std::make_shared<NagraniaPrzebiegu>();
    // A fresh list's first element to play, prepared by the worker.
    std::shared_ptr<PrzygotowanyStart> Pierwszy;
    bool Przeczytana() const { return Jest && Wynik.Otwarty && Wynik.BladIO == 0 && Wynik.Ilosc > Start; }
};

// The read worker. Pieces of work run one after another: `praca` on the
// worker with objects of its own, then `dalej` on the program's thread, in
// the order they were handed over, from whatever window's loop runs then
// (never inside another piece's `dalej`); `dalej` may hand over the next
// piece.
class OdczytWTle {
public:
    OdczytWTle() = default;
    // A read still running is stopped early and dropped.
    ~OdczytWTle();
    OdczytWTle(const OdczytWTle&) = delete;
    OdczytWTle& operator=(const OdczytWTle&) = delete;

    void Zlec(std::function<void()> praca, std::function<void()> dalej);
    // Work handed over whose `dalej` has not run yet.
    bool Trwa() const { return !kolejka_.empty(); }
    // The first piece is done and its `dalej` waits.
    bool Gotowe() const { return Trwa() && kolejka_.front()->gotowe.load(std::memory_order_acquire); }
    // Runs the `dalej` of finished work. While an edit holds the on-air list
    // the edit gives way (UstapListy) and the next call takes the work; true
    // when the work taken had something give way for it.
    bool Odbierz();
    // Waits for the worker and runs what follows, and what that hands over
    // in turn, until nothing is left (test rigs, benchmarks).
    void Oproznij();
    // Waits for the worker without taking its work (test rigs).
    void Czekaj() { watek_.flush(); }

    // What the worker reports while it reads.
    std::atomic<int> Postep{0};
    std::atomic<int> Maksimum{0};
    std::atomic<bool> PrzerwijSzukanie{false};  // the operator stopped the folder search
    std::atomic<bool> Przerwij{false};           // the program ends
    // What it does now, for the status field ("" while it reads the file).
    void UstawSzukanie(const QString& tekst);
    QString Szukanie() const;
    // The program's thread's: the status field shows the read; a take is
    // asked for after the current event.
    bool StatusPokazany = false;
    QString TekstStatusu;
    bool OdbiorZlecony = false;

private:
    struct Praca {
        std::function<void()> dalej;
        std::atomic<bool> gotowe{false};
    };
    void odbierz();
    std::deque<std::shared_ptr<Praca>> kolejka_;
    bool wDalej_ = false;     // a piece's `dalej` runs (and may have a window open)
    bool ustapiono_ = false;  // an edit was asked to give way for the first piece
    mutable std::mutex mutex_;
    QString szukanie_;
    // Last: it ends (and waits for its job) before the rest is gone.
    platform::SerialWorker watek_;
};

// Reads `plik` after element `start` on the engine's read worker (with the
// presence and descriptions of its recordings); `dalej` gets the finished
// read on the program's thread. Element `start` of the on-air list is copied
// for an append to follow.
void CzytajWTle(SilnikEmisji& silnik, const QString& plik, qint32 start,
                std::function<void(OdczytanaLista&)> dalej);
// The display refresh: the status field follows the read, and a finished
// piece of work is taken right after the current event.
void OdczytNaWyswietlaczu(SilnikEmisji& silnik);
// What a finished read says beside its elements: its log lines, the advert
// list it names (.MIX) and, unless `bezInformacji`, its dialog.
void ZglosOdczyt(const OdczytanaLista& odczyt, bool bezInformacji = false);
// Whether a file is there as a read found it (`obecnosc`, which must outlive
// the answer); one it did not look at (an advert merged in since) is taken
// as ObecnyBezSprawdzenia takes it.
std::function<bool(const QString&)> ObecnoscZOdczytu(const QHash<QString, bool>& obecnosc);

// A playlist being read (or appended), built in an array of its own. While
// it lives the new list stands in place for the program's thread's steps
// between the passes (their questions, what they found), and the on-air
// list is put back whenever a dialog lets the timers run, and while the new
// one is set aside for the worker's passes (adverts, copies, checks,
// PrzebiegiOdczytu): the decks and Automat carry on from the old list until
// the new one is put in place, in one step, by Zatwierdz. Dropped without
// it, the new list is gone and the on-air list was never touched.
class ListaNaBoku {
public:
    // The elements the worker read. An append starts from the on-air ones
    // as they are now; what was read follows them.
    ListaNaBoku(SilnikEmisji& silnik, OdczytanaLista& odczyt, bool doklejana);
    ~ListaNaBoku();
    ListaNaBoku(const ListaNaBoku&) = delete;
    ListaNaBoku& operator=(const ListaNaBoku&) = delete;
    // The new list goes on air. An append keeps the on-air elements it
    // started from as they are now (marks of what aired, the cursor, the
    // next to play) and adds what was read after them; a fresh read finds the
    // decks' elements again in the new list.
    void Zatwierdz();
    // The on-air list's state, whichever list stands in place now.
    const StanListy& StanNaAntenie() const { return nowaWMiejscu_ ? stanInny_ : StanPlaylisty; }
    // The on-air list back in place while the worker has the new one: its
    // elements and count, until Wznow puts it in place again.
    TablicaPlaylisty& Odloz();
    qint32 IloscOdlozonej() const { return stanInny_.Ilosc; }
    // A pass on the worker changed the count of the list set aside.
    void UstawIloscOdlozonej(qint32 ilosc);
    void Wznow();

private:
    void zamien();
    void straz();
    SilnikEmisji& silnik_;
    bool doklejana_;
    qint32 iloscStara_ = 0;
    std::unique_ptr<TablicaPlaylisty> inna_;
    StanListy stanInny_;
    QString zbiorInny_, nazwaInna_;
    std::shared_ptr<PrzygotowanyStart> pierwszy_;
    bool nowaWMiejscu_ = false;
};

// A path found in the database or on the network folders as this station
// reaches it: network drive letters (from KatSiecStart on) become local
// ones, or the local copy of the network folders when one is set. Local
// letters, UNC and relative paths are kept.
QString MapujSciezkeSieciowa(const QString& sciezka);

// Two stored paths of the same file (Polish upper case compared).
bool TenSamPlik(const QString& a, const QString& b);
// A name in a folder, with one separator between them.
QString WFolderze(const QString& folder, const QString& nazwa);
