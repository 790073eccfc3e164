#pragma once
// The settings dialog "Nastawy programu": the settings of every section on
// tabbed pages, copied back when accepted, and the whole-file save.
//
// Every control is one row of a binding table: page, group, caption, kind of
// control and its range name a key of a section table; the variable, its
// type and the owner's range come from that table, so the dialog, the
// defaults, the reader and the writer walk the same description.
#include <QDialog>
#include <QHash>
#include <QStringList>

#include <memory>
#include <vector>

#include "foundation/TabelaNastaw.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

enum class RodzajKontrolki {
    Pole,       // check box; a bool
    Liczba,     // number field; a byte or a number
    Tekst,      // edit field; a text
    Katalog,    // edit field with a "..." folder button; a text
    Suwak,      // track bar with its number field; a number or the text of one
    Wyjscie,    // list of the output devices; the device's name
    Wejscie,    // list of the recording inputs; the entry's index
    Opcje,      // radio buttons; a number, the first button meaning `minimum`
    ZbiorBazy,  // folder and name fields of the database file
    TypyBazy,   // the "WAV", "MP2", "MP3" boxes of the database's types
};

struct PowiazanieNastawy {
    QString strona;
    QString grupa;   // "" an untitled group
    QString podpis;  // caption ("" none)
    RodzajKontrolki kontrolka = RodzajKontrolki::Pole;
    // The owner's table; null for a control of the dialog alone, bound to no
    // setting (its `klucz` then only names the widget).
    const OpisSekcji& (*sekcja)() = nullptr;
    QString klucz;
    // Number field or track bar range; maksimum < minimum: the owner's range.
    qint32 minimum = 0;
    qint32 maksimum = -1;
    qint32 krok = 1;   // track bar: its position rounded down to a multiple
    qint32 skala = 1;  // the variable holds the shown value times this
    int dlugosc = 0;   // text: the most characters the field takes (0: the key's limit)
    // Folder button: the picker's title; "%1" takes the text of the field of
    // the key `kluczNazwy`.
    QString tytul;
    QString kluczNazwy;
    QStringList opcje;  // radio buttons' captions
    bool obok = false;  // on the previous control's row
};

// The dialog's controls in page, group and row order.
const std::vector<PowiazanieNastawy>& PowiazaniaNastaw();
// The key a binding names in its owner's table when it stands there and
// its variable fits the control; otherwise null.
const OpisKlucza* KluczPowiazania(const PowiazanieNastawy& p);

class KontrolkaNastawy;

class TDlgNastawy final : public QDialog {
public:
    // Made once, by the main window at start-up, with the names of the output
    // devices and recording inputs it found.
    TDlgNastawy(const QStringList& wyjscia, const QStringList& wejscia, QWidget* oknoGlowne = nullptr);
    ~TDlgNastawy() override;

    // FormShow and the modal window; the modal result: QDialog::Accepted
    // after "Akceptuj" (answer 20), 2 after "Opuść" (answer 10).
    int Pokaz();
    // Every control from its variable.
    void FormShow();
    // The progress window, the changed controls into their variables, the
    // whole-file save when its box is ticked; answer 20.
    void AkceptujButtonClick();
    // Nothing copied; answer 10.
    void OpuscButtonClick();

    // Where the dialog opens (its client area): its own size where the
    // screen has room, else the screen's free area `wolny` less the window
    // manager's frame `ramka`, never below `najmniejszy` (its layout's
    // least); centred on `srodek` and moved, frame and all, into the free
    // area. The pages scroll, so every control stays within reach.
    static QRect Geometria(const QSize& najmniejszy, const QRect& wolny, const QMargins& ramka, const QPoint& srodek);
    static constexpr QSize RozmiarWlasny{1180, 740};

    const QStringList& Wyjscia() const { return wyjscia_; }
    const QStringList& Wejscia() const { return wejscia_; }

    QTabWidget* Strony = nullptr;
    QCheckBox* ZapisCheckBox = nullptr;  // "Zapis zbioru konfiguracji TOLVANE.INI po wyborze Akceptuj"
    QPushButton* AkceptujButton = nullptr;
    QPushButton* OpuscButton = nullptr;
    QLabel* XPLabel1 = nullptr;  // shown in place of the outputs in XP compatibility mode
    QLabel* XPLabel2 = nullptr;

protected:
    void reject() override;  // Esc and the window's close button leave as "Opuść"
    void showEvent(QShowEvent* event) override;

private:
    // Fits the dialog into the free area of its opener's screen, with the
    // frame it has (or, before it was ever framed, the frame its opener
    // has); with `gdyWystaje` only when its frame reaches past that area.
    void DopasujDoEkranu(bool gdyWystaje);
    void ZbudujStrone(const QString& strona, const std::vector<const PowiazanieNastawy*>& wiersze);
    std::unique_ptr<KontrolkaNastawy> Utworz(const PowiazanieNastawy& p);
    QString TytulKatalogu(const PowiazanieNastawy& p) const;

    QStringList wyjscia_;
    QStringList wejscia_;
    std::vector<std::unique_ptr<KontrolkaNastawy>> kontrolki_;
    QHash<QString, KontrolkaNastawy*> wgKlucza_;
    QWidget* grupaWyjsc_ = nullptr;
};

// The program's settings dialog (the first one made); null before.
TDlgNastawy* DlgNastawy();
