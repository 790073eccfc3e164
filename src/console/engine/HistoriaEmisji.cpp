#include "console/engine/HistoriaEmisji.h"

#include <QFile>

#include <algorithm>

#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

int ProcentOdegrania(qint32 udzial) { return std::clamp(udzial, 0, 1000) / 10; }

qint32 PunktWznowienia(qint32 pozostaloMs, qint32 zagranoMs) { return pozostaloMs < 501 ? 0 : zagranoMs; }

OcenaOdegrania OcenOdegranie(int procent, qint32 zagranoMs, quint8 decyzjaGPIStartu, const QString& wykonawca) {
    OcenaOdegrania o;
    o.Zagrany = procent > Emisja.ProcHST && decyzjaGPIStartu == 0;
    o.Dlugi = zagranoMs / 1000 > Emisja.THST;
    if (Emisja.HSTBezKryterium) o.Zagrany = o.Dlugi = true;
    if (Emisja.CzyReklamaJakoBelka && wykonawca == QStringLiteral("Reklama")) o.Zagrany = true;
    return o;
}

bool KategoriaDoHistorii(quint8 rodzaj, qint32 element) {
    bool tak;
    if (rodzaj == RodzajSND && Emisja.HSTSNDZapisJest)
        tak = true;
    else if (rodzaj == RodzajREK && Emisja.HSTREKZapisJest)
        tak = true;
    else
        tak = Emisja.HSTInneZapisJest;
    if (Emisja.HSTTylkoPLista && element == 0) tak = false;
    return tak;
}

QString TekstHistorii(int procent, qint32 dlugoscMs, const PolaHistorii& p, bool pelne, const QString& dzienTekst) {
    const QString sep = QStringLiteral("; ");
    QString t = QString::number(procent) + QStringLiteral("%; ") + PiszCzas(3, dlugoscMs / 1000);
    for (const QString* pole : {&p.Tyt, &p.Pta, &p.Wyk, &p.Sol, &p.Kom, &p.Atr, &p.Pro, &p.Wyd, &p.Rok})
        t += sep + *pole;
    if (!pelne) return t;
    t = dzienTekst + sep + t;
    for (const QString* pole : {&p.Gen, &p.Typ, &p.Era, &p.Nar, &p.KodRodzaju, &p.Jak, &p.Nas, &p.Tmc})
        t += sep + *pole;
    return t;
}

QString TekstDniaHistorii(const QDate& dzien) {
    return zeroPad(dzien.year() % 100, 2) + QLatin1Char('_') + zeroPad(dzien.month(), 2) + QLatin1Char('_') +
           zeroPad(dzien.day(), 2);
}

QDate DataZTekstu(const QString& tekst, const QDate& zapasowa) {
    const QDate d = QDate::fromString(tekst.left(10), QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? d : zapasowa;
}

// ------------------------------------------------------------------ day files

void PlikiHistorii::OtworzPlikiHistorii(const QDate& dzien) {
    if (!Emisja.CzyHST || !dzien.isValid()) return;
    const QString dzienTekst = TekstDniaHistorii(dzien);
    // The Id is typed by whoever set the station up; a "/" or ":" in it
    // must not put the day files into another folder.
    const QString prefiks = Nastawy.IdZbioryJest ? BezpiecznaNazwaZbioru(Nastawy.Id) : QString();
    ZbiorHST = joinPath(Emisja.KatHST, prefiks + dzienTekst + QStringLiteral(".HST"));
    ZbiorXML = joinPath(Emisja.KatHST, prefiks + dzienTekst + QStringLiteral(".XML"));
    DzienTekst = dzienTekst;
    Dzien = dzien;

    // Opening never truncates: a file already there keeps every line.
    const QString hst = platform::resolvePath(ZbiorHST);
    if (!QFile::exists(hst)) {
        QFile f(hst);
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            Log(QStringLiteral("Nie można utworzyć zbioru historii ") + ZbiorHST);
    }
    if (Emisja.CzyHSTXML) {
        const QString xml = platform::resolvePath(ZbiorXML);
        if (!QFile::exists(xml)) {
            if (platform::writeTextFileAtomic(xml, LinieNowegoHarmonogramu(dzien)))
                OstatniaGodzina = QStringLiteral("0");
            else
                Log(QStringLiteral("Nie można utworzyć zbioru XML ") + ZbiorXML);
        } else {
            // Going on in a file written before (a restart, or an element
            // that began on the previous day): its own last hour line counts.
            OstatniaGodzina = OstatniaGodzinaHarmonogramu(xml);
        }
    }
}

void PlikiHistorii::upewnijSieDnia(const QDate& dzien) {
    if (dzien != Dzien || ZbiorHST.isEmpty()) OtworzPlikiHistorii(dzien);
}

bool PlikiHistorii::DopiszLinie(const QDate& dzien, const QString& czasStartu, const QString& sciezka,
                                const QString& tekst) {
    if (tekst.isEmpty()) return false;
    upewnijSieDnia(dzien);
    if (ZbiorHST.isEmpty()) return false;
    const QString linia = czasStartu + QStringLiteral("; ") + sciezka + QStringLiteral("; ") + tekst;
    if (platform::appendTextLines(platform::resolvePath(ZbiorHST), {linia})) return true;
    Log(QStringLiteral("Błąd zapisu do zbioru historii ") + ZbiorHST);
    return false;
}

bool PlikiHistorii::DopiszZdarzenie(const QDate& dzien, const ZdarzenieXML& z) {
    upewnijSieDnia(dzien);
    if (ZbiorXML.isEmpty()) return false;
    switch (DopiszZdarzenieXML(platform::resolvePath(ZbiorXML), z, OstatniaGodzina)) {
    case WynikZdarzeniaXML::Zapisano:
        return true;
    case WynikZdarzeniaXML::BrakZbioru:
        Log(QStringLiteral("XML: brak zbioru ") + ZbiorXML + QStringLiteral(", zdarzenie ") + z.CzasEmisji +
            QStringLiteral(" pominięte"));
        break;
    case WynikZdarzeniaXML::ObcyKoniec:
        Log(QStringLiteral("XML: zbiór ") + ZbiorXML + QStringLiteral(" nie kończy się zamknięciem dnia, zdarzenie ") +
            z.CzasEmisji + QStringLiteral(" pominięte"));
        break;
    case WynikZdarzeniaXML::BladZapisu:
        Log(QStringLiteral("XML: błąd zapisu zbioru ") + ZbiorXML + QStringLiteral(", zdarzenie ") + z.CzasEmisji +
            QStringLiteral(" pominięte"));
        break;
    }
    return false;
}
