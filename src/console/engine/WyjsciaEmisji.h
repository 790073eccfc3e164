#pragma once
// Everything the on-air engine and its timers hand to the rest of the
// console: status datagrams, INFO and RDS files, time-list
// blocks, singles, the advert lists and checks of a fresh playlist, the mix
// editor and the panels' redraws. It is the console's one way for the
// engine to reach a unit built above it: the window installs a subclass
// that overrides what stands (a test installs one that records the calls).
//
// A method nobody has overridden stands for a unit that is not there yet:
// it does nothing, and the first call of each writes one event-log line
// naming it, so an operator (and whoever reads the log) can tell a missing
// unit from a fault.
#include <QString>
#include <QtGlobal>

#include <functional>
#include <set>

// The status field's background: a check runs, a fault was found, idle.
enum class KolorStatusu : quint8 { Czarny, Zielony, Czerwony };

class WyjsciaEmisji {
public:
    virtual ~WyjsciaEmisji() = default;

    // ---- status datagrams ----
    // Event datagram of a player 0..5 ("START", "STOP", "FADE").
    virtual void WyslijStanOdtwarzacza(quint8 odtwarzacz, const QString& zdarzenie);
    // Datagram about a playlist element ("DO GRANIA" .. "DO GRANIA5", player 0).
    virtual void WyslijInfoElementu(quint8 odtwarzacz, const QString& zdarzenie, qint32 element);

    // ---- INFO and RDS files ----
    // RDS files of the element just started on the slot; returns the marker
    // bits written (1 PS, 2 RT, 4 TA, 8 PT), which the record keeps.
    virtual quint8 ZapiszPlikiRDS(quint8 slot);
    // Clears the RDS files of the element ending on the slot whose bits are
    // in `znaczniki` (flag 1 leaves the TA files); returns the bits left set.
    virtual quint8 ZapalPlikiZnacznikow(quint8 slot, quint8 znaczniki, quint8 flaga);
    // The INFO file of the element on air (once per element after 1 000 ms).
    virtual void ZapiszPlikInfo(quint8 slot);
    // The DI file rewritten from RDSInformacja.
    virtual void ZapiszPlikDI();

    // ---- time list and singles ----
    // Plays the time-list block at the time-list cursor on a player.
    virtual void EmitujPozycjeTimelisty(quint8 odtwarzacz, int tryb);
    // Reads a singles set into the current palette.
    virtual void CzytajZestawSingli(const QString& plik);
    // The singles wall's step to the next single of the sequence.
    virtual void SingleKolejno();

    // ---- a freshly read playlist ----
    // An advert list picked by the operator, starting in `katalog`; "" when
    // nothing was picked.
    virtual QString WybierzListeReklam(const QString& katalog);
    // The time list's entries checked against their files (with questions
    // the operator may stop the check).
    virtual void SprawdzTimeliste(bool pytania);

    // ---- the mix editor ----
    // Whether it stands; Miksy runs only then.
    virtual bool EdytorMiksowJest();
    // Runs it modally.
    virtual void EdytorMiksow() {}

    // ---- redraws of the window's panels ----
    virtual void OdswiezPlayliste();
    virtual void OdswiezTimeliste();
    virtual void OdswiezOdtwarzacze();
    virtual void OdswiezKomunikat();
    virtual void OdswiezNazwe();
    virtual void KasujPoleStatusu();

    // ---- the status field of the long checks ----
    virtual void UstawStatus(const QString& tekst, KolorStatusu kolor);
    // Progress at element n of the count the check set as the maximum.
    virtual void UstawPostepStatusu(qint64 n);
    virtual void UstawMaksimumStatusu(qint64 maksimum);
    // A file the station depends on cannot be written (`trwa`, red, shown
    // again whenever the field goes idle), or writing works again.
    virtual void PokazBladZapisu(const QString& tekst, bool trwa);
    // The same for a share that does not answer (`trwa`), or answers again.
    virtual void PokazBladUdzialu(const QString& tekst, bool trwa);

protected:
    // One log line the first time `co` is asked for.
    void Brak(const char* co);

private:
    std::set<QString> zgloszone_;
};
