#pragma once
// The one way to the screen for every standard dialog. The procedures of
// Dialogi.h keep the program's rules and call this service only to show a
// window and get the operator's raw answer; the program installs the Qt
// windows (DialogiQt), tests install a script (DialogiSkrypt).
//
// Modal methods return only when the window is closed; their nested event
// loop keeps the program's timers running.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

class StanDecyzjiCzas;

// What the progress window shows when it opens.
struct OpisStanu {
    QString tekst;
    bool przerwij = false;   // the "Przerwij" button is shown
    bool wskaznik = false;   // gauges shown
    bool dwa = false;        // the two-gauge form
};

class UslugaDialogow {
public:
    virtual ~UslugaDialogow() = default;

    // Error ("Błąd") and information ("Informacja"): two lines and OK.
    virtual void Blad(const QString& linia1, const QString& linia2) = 0;
    virtual void Info(const QString& linia1, const QString& linia2) = 0;

    // Text input ("Wpisz"). `tekst` starts the field and carries the typed
    // text back. On OK the window asks `przyjmij`; when it refuses, the window
    // stays open. Returns OdpowiedzAkceptuj or OdpowiedzOpusc.
    virtual quint16 Tekst(const QString& zacheta, QString& tekst, int maksDlugosc, bool haslo,
                          const std::function<bool(const QString&)>& przyjmij) = 0;

    // Progress ("Stan pracy"), not modal: the caller's loop keeps running and
    // calls Pompuj between steps so that the window and its abort button live.
    virtual void StanOtworz(const OpisStanu& opis) = 0;
    virtual void StanUstaw(int wskaznik, int procent) = 0;  // wskaznik 1 or 2
    virtual void StanZamknij() = 0;
    virtual void Pompuj() = 0;

    // Question ("Decyzja") with a button set of 2, 12, 3 or 4.
    // Returns OdpowiedzTak, OdpowiedzNie, OdpowiedzTakWszystkie or OdpowiedzOpusc.
    virtual quint16 Decyzja(const QString& linia1, const QString& linia2, int zestaw) = 0;

    // Report viewer; closed with "Opuść".
    virtual void Raport(const QString& tytul, const QStringList& linie) = 0;

    // The screen lock; returns when the window system closes it.
    virtual void BlokadaEkranu() = 0;

    // RDS texts: OdpowiedzAkceptuj (fields carry the edited texts back),
    // OdpowiedzNie (Kasuj RDS) or OdpowiedzOpusc.
    virtual quint16 RDS(QString& tytul, QString& wykonawca, QString& informacja) = 0;

    // Element kind: 1..12, or 0 when left.
    virtual qint32 Kod() = 0;

    // Time entry; `do24` limits the hours to 23. On OdpowiedzAkceptuj `hhmm` holds
    // the "HH:MM" shown; otherwise OdpowiedzOpusc.
    virtual quint16 Czas(const QString& tytul, bool do24, QString& hhmm) = 0;

    // Timed airing decision ("Decyzja o emisji"): the line, the title and the
    // duration text, button set 2, 3 or 4. The window calls stan.Tik() every
    // 50 ms and shows stan.Koniec(); when a tick answers, it closes with
    // OdpowiedzTak. Returns OdpowiedzTak, OdpowiedzNie or OdpowiedzOpusc.
    virtual quint16 DecyzjaCzas(const QString& linia, const QString& tytul, const QString& trwa, int zestaw,
                                StanDecyzjiCzas& stan) = 0;

    // The platform's folder picker with its title, opened at `katalog`
    // (stored form). True, with the folder chosen in `katalog` (stored form
    // where it lies on a drive folder), when one was chosen.
    virtual bool WybierzKatalog(const QString& tytul, QString& katalog) = 0;
};

// A service that shows nothing and answers every window as left (Opuść,
// no folder, no kind): the base of the services that stand in for the
// screen where nobody can answer (work that must not open a window, tests).
class DialogiCiche : public UslugaDialogow {
public:
    void Blad(const QString&, const QString&) override {}
    void Info(const QString&, const QString&) override {}
    quint16 Tekst(const QString&, QString&, int, bool, const std::function<bool(const QString&)>&) override;
    void StanOtworz(const OpisStanu&) override {}
    void StanUstaw(int, int) override {}
    void StanZamknij() override {}
    void Pompuj() override {}
    quint16 Decyzja(const QString&, const QString&, int) override;
    void Raport(const QString&, const QStringList&) override {}
    void BlokadaEkranu() override {}
    quint16 RDS(QString&, QString&, QString&) override;
    qint32 Kod() override { return 0; }
    quint16 Czas(const QString&, bool, QString&) override;
    quint16 DecyzjaCzas(const QString&, const QString&, const QString&, int, StanDecyzjiCzas&) override;
    bool WybierzKatalog(const QString&, QString&) override { return false; }
};

// The installed service: the Qt windows unless something else was installed.
UslugaDialogow& Dialogi();
// nullptr puts the Qt windows back. The caller keeps ownership.
void UstawDialogi(UslugaDialogow* usluga);

// The four toggle groups of the time entry and their rules, kept apart from
// the window so that the rules do not depend on a screen.
class ModelCzasu {
public:
    explicit ModelCzasu(bool do24) : do24_(do24) {}
    bool Do24() const { return do24_; }
    // Group 0 hour tens (0..9 meaning 0..90), 1 hour units, 2 minute tens
    // (0..5 meaning 0..50), 3 minute units. Out-of-range presses are ignored.
    void Nacisnij(int grupa, int cyfra);
    int Cyfra(int grupa) const { return cyfry_[grupa]; }
    // Whether a button of a group is offered at all.
    bool Widoczny(int grupa, int cyfra) const;
    QString Tekst() const;  // "HH:MM"

private:
    bool do24_;
    int cyfry_[4] = {0, 0, 0, 0};
};
