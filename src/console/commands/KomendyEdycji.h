#pragma once
// The operator's playlist editing commands: insert from the folder browser
// or the database, insert by code, delete, change, set the start time,
// undo, the time-correction mode, the cursor to an hour or to the present,
// the description of the cursor element, and the move and block modes.
// Each refuses what would change the playlist before what is on air, takes
// the named undo snapshot, redraws and writes its log line. No widgets: the
// pickers and the description editor come in through Zrodla.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

class SilnikEmisji;
struct StanKonsoli;
struct SygnalType;
struct TElemPListy;

class KomendyEdycji {
public:
    explicit KomendyEdycji(SilnikEmisji& silnik) : silnik_(silnik) {}

    // What the folder browser gave: one recording, or the marked files
    // (even a single one), which go in without questions.
    struct Wybor {
        QString Nazwa, Plik;
        QStringList Nazwy, Pliki;
    };
    struct ZrodlaType {
        std::function<bool(Wybor& wybor)> NagranieZPrzegladarki;
        std::function<bool(QString& nazwa, QString& plik)> NagranieZBazy;
        // A singles set file for the "PALETA:" element; "" when none.
        std::function<QString()> ZestawSingli;
        // The description editor on an opened item (OpisNagrania holds it).
        std::function<void(SygnalType& sygnal)> EdytujOpis;
    } Zrodla;
    // A bar button lit (true) or dark: the dispatcher's.
    std::function<void(int przycisk, bool wcisniety)> Podswietl;

    void KomendaWstaw();
    void WstawZBazy();
    void WstawKod();
    void KomendaUsun();
    void KomendaZmien();
    void UstawGodzinePlaylisty();
    void CofnijOperacje();
    void PrzelaczTrybCzasu();
    void KursorNaGodzine(int godzina);
    // The cursor on the first element after `terazMS`; redrawn when it moved.
    void KursorNaTeraz(qint64 terazMS);
    void EdytujOpisNagrania();

    void RozpocznijPrzesuwanie();
    void ZakonczPrzesuwanie();
    void PrzesunElement(bool pytaj);
    void RozpocznijBlok();
    void ZakonczBlok();
    void UsunPozaBlokiem(bool pytaj);
    qint32 BlokPoczatek = 0;
    qint32 BlokKoniec = 0;

    // Enter in move or block mode; false when neither is on.
    bool Potwierdz();
    // Esc: leaves the mode that is on.
    void Wyjdz();

private:
    bool przedGrana(const QString& tekst);
    // Each command's refusals, checked before its dialogs and again after
    // them (the air goes on while they are open).
    bool wstawWolno();
    bool usunWolno();
    bool zmienWolno();
    bool ustawWolno();
    bool pelna();
    bool wybierz(Wybor& w);
    bool zNagrania(const QString& nazwa, const QString& plik, quint8 rodzaj, TElemPListy& e);
    bool zKodu(qint32 kod, bool zmiana, QList<TElemPListy>& elementy);
    void usunPozaBlokiem(bool pytaj);
    void odswiez();
    void podswietl(int przycisk, bool wcisniety);
    // A mode on with its status text, or off ("") with the field emptied.
    void tryb(bool StanKonsoli::*flaga, int przycisk, const QString& status);

    SilnikEmisji& silnik_;
    qint32 zrodlo_ = 0;
    QString zrodloIde_;
};
