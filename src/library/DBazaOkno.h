#pragma once
// The database window: the operator finds a recording in the recordings
// database by letter, order, category, filters or a search over its
// description, previews it, opens its description, builds, updates or copies
// the database, resets the play counters and sends files to another folder.
// It is modal; the caller reads BazaWynikAdres and BazaWynikDodatkowy
// (DBazaWidok.h) afterwards.
#include <QtGlobal>

#include "foundation/DialogiQt.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class TBaza final : public OknoDialogu {
public:
    // Made once, by the main window at start-up (its parent).
    explicit TBaza(QWidget* oknoGlowne = nullptr);
    ~TBaza() override;

    // Opens the database when it is not read yet, shows the window modally
    // and returns when it closes.
    void Baza();
    // One command of the window (its buttons, keys and clicks end here).
    void Komenda(quint16 kod);

    // ---- the search form and the send controls ----
    QLineEdit* TytulSzukajEdit = nullptr;
    QLineEdit* WykonawcaSzukajEdit = nullptr;
    QLineEdit* KodSzukajEdit = nullptr;
    QComboBox* GenderSzukajComboBox = nullptr;
    QComboBox* TypSzukajComboBox = nullptr;
    QComboBox* NarodowoscSzukajComboBox = nullptr;
    QLineEdit* JakoscSzukajEdit = nullptr;
    QLineEdit* KluczeSzukajEdit = nullptr;
    QComboBox* EraSzukajComboBox = nullptr;
    QLineEdit* BPMSzukajEdit = nullptr;
    QComboBox* TempoSzukajComboBox = nullptr;
    QComboBox* CzasOdSzukajComboBox = nullptr;
    QComboBox* CzasDoSzukajComboBox = nullptr;
    QCheckBox* PreselekcjaKodCheckBox = nullptr;
    QCheckBox* PreselekcjaOpisZaakceptowanyCheckBox = nullptr;
    QCheckBox* PreselekcjaOpisBezAkceptacjiCheckBox = nullptr;
    QLineEdit* PrzeslijKatalogEdit = nullptr;
    QPushButton* PrzeslijWybierzKatalogButton = nullptr;
    QCheckBox* ZmianaNazwyCheckBox = nullptr;
    QPushButton* PrzeslijButton = nullptr;
    QLineEdit* Edit1 = nullptr;  // the number of listed records

    // ---- where things are drawn, for tests ----
    TRect ProstokatListy() const;
    TRect ProstokatPaska() const;
    // The middle of a shown row (1..20 from the top of the page).
    QPoint PunktWiersza(int wiersz) const;
    // The drawn button of a command; nullptr when there is none.
    const BUTTONType* PrzyciskKomendy(quint16 kod);

protected:
    void ObsluzZdarzenie() override;
    void showEvent(QShowEvent* zdarzenie) override;
    void wheelEvent(QWheelEvent* zdarzenie) override;

private:
    void UstawPrzyciski();
    void ResetujFormularz();
    void Odswiez();
    void RysujListe();
    void RysujPrzyciskiStanu();

    void Akceptuj();
    bool KopiujBrakujace(const QString& adres);
    void Przeslij();
    void WybierzKatalog();
    void Szukaj();
    void Kasuj();
    void Utworz();
    void Aktualizuj();
    void KopiujBaze();
    void Zeruj();
    void Info();
    void Play();
    // The record at the cursor, 0 when there is none.
    int PozycjaKursora() const;
};

// The window the main window made (null before it did).
TBaza* OknoBazy();
// The callers' way in: the main window's database window, or one of its own
// when there is none yet.
void Baza();
