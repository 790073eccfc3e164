#pragma once
// The dialog service of tests: answers from a queue, records every window
// that was asked for. Creating one installs it; destroying it puts back the
// service that was there before. Any subsystem's tests (and the benchmarks)
// may use it; the program itself never links it.
#include "foundation/Dialogi.h"
#include "foundation/UslugaDialogow.h"

#include <QStringList>
#include <QVector>

#include <deque>
#include <functional>

enum class RodzajDialogu { Blad, Info, Tekst, Stan, Decyzja, Raport, Blokada, RDS, Kod, Czas, DecyzjaCzas, Katalog };

// One window as the program asked for it.
struct ZapisDialogu {
    RodzajDialogu rodzaj;
    // What it showed: Blad/Info/Decyzja the two lines; Tekst the prompt and
    // the initial text; Stan the text; Raport the caption then the lines;
    // RDS the three initial texts; Czas the caption; DecyzjaCzas the line,
    // the title, the duration and the last end-of-airing clock; Katalog the
    // title and the folder it opened at.
    QStringList teksty;
    // Decyzja and DecyzjaCzas the button set; Tekst the longest text (negative: password);
    // Stan 1 or 2 gauges (0 none), +10 with the abort button; Czas 24 or 99.
    int liczba = 0;
};

class DialogiSkrypt final : public UslugaDialogow {
public:
    DialogiSkrypt();
    ~DialogiSkrypt() override;
    DialogiSkrypt(const DialogiSkrypt&) = delete;
    DialogiSkrypt& operator=(const DialogiSkrypt&) = delete;

    // ---- the script, consumed in order by the windows that need an answer
    // (text input, question, RDS, kind, time); error, information, report
    // and lock windows take no answer ----
    void Odpowiedz(quint16 odp);
    void OdpowiedzTekst(const QString& tekst, quint16 odp = OdpowiedzAkceptuj);
    void OdpowiedzRDS(const QString& tytul, const QString& wykonawca, const QString& informacja,
                      quint16 odp = OdpowiedzAkceptuj);
    void OdpowiedzKod(qint32 kod);
    void OdpowiedzCzas(const QString& hhmm, quint16 odp = OdpowiedzAkceptuj);
    // The folder picker: the folder chosen, or none with OdpowiedzOpusc.
    void OdpowiedzKatalog(const QString& katalog, quint16 odp = OdpowiedzAkceptuj) { OdpowiedzCzas(katalog, odp); }
    // The timed decision is left to its ticks: before each of at most `tiki`
    // ticks `przedTikiem(n)` runs (the test moves the clock, changes the
    // inputs); the first tick that answers closes it with Tak, and when none
    // does the operator leaves it (Opuść). A button answer is given with
    // Odpowiedz (Esc answers OdpowiedzOpusc with any set).
    void OdpowiedzTikami(int tiki, std::function<void(int)> przedTikiem);
    // The abort button is pressed, once, at the first pump after the first
    // gauge reached this percent (-1: never).
    void PrzerwijPrzy(int procent) { przerwijPrzy_ = procent; }

    // ---- what happened ----
    const QVector<ZapisDialogu>& Zapisy() const { return zapisy_; }
    QVector<ZapisDialogu> Zapisy(RodzajDialogu rodzaj) const;
    void Wyczysc() { zapisy_.clear(); procenty1_.clear(); procenty2_.clear(); }
    // The percents each gauge was moved to, in order.
    const QVector<int>& Procenty1() const { return procenty1_; }
    const QVector<int>& Procenty2() const { return procenty2_; }
    bool StanWidoczny() const { return stanWidoczny_; }
    int Pompowania() const { return pompowania_; }
    // Answers not yet used.
    int Pozostalo() const { return int(kolejka_.size()); }
    // Faults of the script: a window without an answer, an answer that the
    // window does not offer.
    const QStringList& Bledy() const { return bledy_; }

    // ---- the service ----
    void Blad(const QString& linia1, const QString& linia2) override;
    void Info(const QString& linia1, const QString& linia2) override;
    quint16 Tekst(const QString& zacheta, QString& tekst, int maksDlugosc, bool haslo,
                  const std::function<bool(const QString&)>& przyjmij) override;
    void StanOtworz(const OpisStanu& opis) override;
    void StanUstaw(int wskaznik, int procent) override;
    void StanZamknij() override;
    void Pompuj() override;
    quint16 Decyzja(const QString& linia1, const QString& linia2, int zestaw) override;
    void Raport(const QString& tytul, const QStringList& linie) override;
    void BlokadaEkranu() override;
    quint16 RDS(QString& tytul, QString& wykonawca, QString& informacja) override;
    qint32 Kod() override;
    quint16 Czas(const QString& tytul, bool do24, QString& hhmm) override;
    quint16 DecyzjaCzas(const QString& linia, const QString& tytul, const QString& trwa, int zestaw,
                        StanDecyzjiCzas& stan) override;
    bool WybierzKatalog(const QString& tytul, QString& katalog) override;
    // Ticks the last timed decision ran.
    int Tiki() const { return tiki_; }

private:
    struct Odp {
        quint16 odp = OdpowiedzOpusc;
        QStringList teksty;
        qint32 kod = 0;
        int tiki = -1;  // >= 0: answered by ticks
        std::function<void(int)> przedTikiem;
    };
    Odp Nastepna(const char* okno);

    std::deque<Odp> kolejka_;
    QVector<ZapisDialogu> zapisy_;
    QVector<int> procenty1_, procenty2_;
    QStringList bledy_;
    int przerwijPrzy_ = -1;
    bool stanWidoczny_ = false;
    int pompowania_ = 0;
    int tiki_ = 0;
    UslugaDialogow* poprzednia_ = nullptr;
};
