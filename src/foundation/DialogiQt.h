#pragma once
// The program's standard dialogs as drawn windows. Each modal window runs its
// own event loop, so the program's timers keep running while it is shown.
#include "foundation/KestGraf2.h"
#include "foundation/UslugaDialogow.h"

#include <QPointer>
#include <QVector>

class QEventLoop;

// A drawn window with drawn buttons that answer with a code. Keys: the
// buttons' hot letters with Ctrl (the program's drawn-button rule) or Alt,
// Enter the focused button, Tab the next button, Esc the cancel button.
class OknoDialogu : public TRForm {
public:
    OknoDialogu(const QString& tytul, int szerokosc, int wysokosc);
    ~OknoDialogu() override;

    // Adds a drawn button whose press closes the window with `odpowiedz`.
    int DodajPrzycisk(const TRect& r, const QString& tytul, quint16 odpowiedz);
    BUTTONType& Przycisk(int i) { return przyciski_[i]; }
    int LiczbaPrzyciskow() const { return int(przyciski_.size()); }
    void UstawDomyslny(int i);
    int Domyslny() const { return domyslny_; }
    // The answer of the window's close command and, unless `klawiszem` is
    // false, of Esc. Without it neither closes the window.
    void UstawAnuluj(quint16 odpowiedz, bool klawiszem = true) {
        anuluj_ = odpowiedz;
        anulujKlawiszem_ = klawiszem;
    }
    // The function key that presses a button.
    void UstawKlawiszPrzycisku(int i, quint16 kodBios);

    // Shows the window modally in front of the window that opened it (the
    // modal window in front, else `oknoGlowne`), centred on it, and gives
    // that window the keyboard back when it closes; returns the answer.
    quint16 PokazModalnie(QWidget* oknoGlowne);
    // Shows it the same way without waiting.
    void PokazBezCzekania(QWidget* oknoGlowne);
    void Zamknij(quint16 odpowiedz);
    bool Otwarte() const { return petla_ != nullptr; }

    void RysujPrzyciski();

    // ---- for the library's list windows ----
    // The index of the button with a command code; -1 when there is none.
    int IndeksKodu(quint16 kod) const;
    // Clears every button's place (a button hidden since the last opening
    // must not stay on the canvas); RysujPrzyciski draws the visible ones.
    void CzyscMiejscaPrzyciskow();
    // A vertical scroll bar with its thumb where the cursor (1..liczba) is.
    void RysujPasekPrzewijania(const TRect& pasek, int kursor, int liczba);
    // The text cut at its end to fit a width in pixels.
    QString Dopasuj(const QString& tekst, int szerokosc) const;

protected:
    // A button was chosen; the default closes the window with its answer.
    virtual void Wybrano(int i) { Zamknij(przyciski_[i].Kod); }
    // OK on a window with fields may refuse to close.
    void ObsluzZdarzenie() override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void Wysrodkuj(QWidget* oknoGlowne);

private:
    // The opener as this window's parent (a window made once keeps its own)
    // and on top when the opener stays on top (full screen); the opener.
    QWidget* Przypnij(QWidget* oknoGlowne);

    QVector<BUTTONType> przyciski_;
    QVector<quint16> klawisze_;
    int domyslny_ = -1;
    int anuluj_ = -1;
    bool anulujKlawiszem_ = false;
    quint16 odpowiedz_ = 0;
    QEventLoop* petla_ = nullptr;

    friend void ZamknijOknaTrzymajacych();
    quint16 odpowiedzAnuluj() const;
};

class QLineEdit;
class QTimer;
class StanDecyzjiCzas;

// The timed airing decision window. Public so that a test can run its tick
// itself instead of waiting for the 50 ms timer.
class OknoDecyzjiCzas final : public OknoDialogu {
public:
    OknoDecyzjiCzas(const QString& linia, const QString& tytul, const QString& trwa, int zestaw,
                    StanDecyzjiCzas& stan);
    // One tick of DecyzjaTimer: the end clock, then the inputs.
    void Tik();
    QString Koniec() const { return koniec_; }
    QString Tytul() const;
    QTimer* DecyzjaTimer() const { return timer_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void RysujKoniec(const QString& tekst);

    StanDecyzjiCzas& stan_;
    QLineEdit* tytul_ = nullptr;
    QTimer* timer_ = nullptr;
    QString koniec_;
};

class DialogiQt final : public UslugaDialogow {
public:
    // The window the dialogs are centred on (the main window).
    void UstawOknoGlowne(QWidget* okno) { oknoGlowne_ = okno; }

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

private:
    void Komunikat(const QString& tytul, const QString& linia1, const QString& linia2);

    QPointer<QWidget> oknoGlowne_;
    QPointer<class OknoStanu> stan_;
};

// The Qt dialogs the program uses unless another service is installed.
DialogiQt& DialogiProgramu();

// Closes, with their cancel answers, the windows opened while the on-air
// list was held (Dialogi.h: UstapListy).
void ZamknijOknaTrzymajacych();
