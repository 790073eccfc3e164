#pragma once
// The time list's commands: reading, saving and clearing lists, inserting,
// deleting and describing entries, checking their files, marking earlier
// entries as refused and the synchronous mode. No widgets: the pickers and
// the description editor come in through Zrodla, the redraws through the
// engine's outputs.
#include "console/engine/SilnikEmisji.h"
#include "console/engine/TrybyEmisji.h"

#include <QString>
#include <functional>

struct SygnalType;

// The time of day typed as "hh:mm:ss" (seconds optional): seconds of the
// day, -1 when the text is too short or out of range (hours up to 24).
qint32 CzytajCzasHMS(const QString& tekst);
// Asks for a time with the prompt and the name, proposing `sekundy` (-1 as
// 0). True with `sekundy` set on a valid answer; a wrong one says
// "Błędnie podany czas" and leaves it.
bool PodajCzasHMS(const QString& zacheta, const QString& nazwa, qint32& sekundy);

class PanelTimelisty {
public:
    PanelTimelisty(SilnikEmisji& silnik, TimeryKonsoli& timery);

    struct ZrodlaType {
        // A list file from the folder browser; false when nothing was picked.
        std::function<bool(QString& plik)> WybierzListe;
        // A folder to save in, starting from the one given.
        std::function<bool(QString& folder)> WybierzFolder;
        // A recording by TrybWstawiania: name and file; false when none.
        std::function<bool(QString& nazwa, QString& plik)> NagranieZPrzegladarki;
        std::function<bool(QString& nazwa, QString& plik)> NagranieZBazy;
        std::function<void(SygnalType& sygnal)> EdytujOpis;
    } Zrodla;

    // Every command of the panel: 5001..5010 and the on-air mode's three.
    void Komenda(quint16 id);

    void Synchro();
    void Czytaj();
    void Zapisz();
    void Czysc();
    void Wstaw();
    void Usun();
    void Info();
    void OznaczWczesniejsze();
    // Durations from the files; a missing file marks its entry (state 200)
    // and puts "Brak reklamy: " + title in the message field; with
    // questions the operator may stop the check.
    void SprawdzPlikiTimelisty(bool pytania);

    bool TimelistaOpcja = false;  // "?" lit

private:
    void odswiez();
    bool pauzaBloku() const;
    void wczytajZDrugaLista(const QString& plik);
    SilnikEmisji& silnik_;
    TimeryKonsoli& timery_;
};
