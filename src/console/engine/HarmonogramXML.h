#pragma once
// The day's XML schedule of what went on air: one GSSchedule document per
// day, created with its four lines and then grown by inserting each event
// in front of the closing line. Only a file whose tail is exactly the
// closing line this program wrote is ever cut; anything else (a hand-edited
// or foreign file) is left alone and the event is not written.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The closing line with its CR LF: what every day file must end with.
extern const QByteArray ZamkniecieHarmonogramu;

// The four lines a new day file is created with.
QStringList LinieNowegoHarmonogramu(const QDate& dzien);

// The media identifier of an element: its MID when that has at least two
// characters, else the file name without extension in upper case.
QString IdentyfikatorMediow(const QString& mid, const QString& sciezka);
// 1 to 8 characters, each 0-9, A-Z or a-z.
bool PoprawnyIdentyfikatorMediow(const QString& id);

// The hour of a start clock text "hh:mm:ss" as the schedule writes it:
// the first two characters without a leading "0" ("09" -> "9", "00" -> "0").
QString GodzinaZdarzenia(const QString& czasStartu);

// The duration attribute: whole seconds of the length times the played share
// (thousandths), rounded to the nearest (halves to even).
qint64 CzasTrwaniaZdarzenia(qint64 dlugoscMs, qint32 udzial);

struct ZdarzenieXML {
    bool Piosenka = false;   // a recording: a Song event; anything else a Link
    QString DataEmisji;      // yyyy-mm-dd
    QString CzasEmisji;      // hh:mm:ss
    qint64 CzasTrwania = 0;  // seconds
    QString Identyfikator;   // a valid media identifier
};

// The lines of one event, with the hour line in front when the event's hour
// differs from the last one written.
QStringList LinieZdarzenia(const ZdarzenieXML& z, const QString& ostatniaGodzina);

enum class WynikZdarzeniaXML {
    Zapisano,
    ZapisanoWMiejscu, // no temporary file could be made beside it: written in place
    BrakZbioru,       // the file is missing or unreadable
    ObcyKoniec,       // the file does not end with the closing line
    BladZapisu,       // the new file could not be written; the old one stays
};

// Inserts the event into the day file at `zbior` (a Linux path). The file is
// rewritten through a temporary file, so a failure leaves it as it was. In a
// folder where files can be written but not created, the event is written in
// place instead: from the closing line on, which is overwritten, so what the
// file held before stays whole. `ostatniaGodzina` is updated when an hour
// line was written; `powod` gets the system's text of a failure.
WynikZdarzeniaXML DopiszZdarzenieXML(const QString& zbior, const ZdarzenieXML& z, QString& ostatniaGodzina,
                                     QString* powod = nullptr);

// The hour of the last hour line in an existing day file ("" when none),
// so that a re-opened file goes on where it stopped.
QString OstatniaGodzinaHarmonogramu(const QString& zbior);
