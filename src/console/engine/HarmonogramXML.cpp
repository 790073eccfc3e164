#include "console/engine/HarmonogramXML.h"

#include <QFile>

#include <cmath>

#include "foundation/KestDysk2.h"
#include "foundation/Text.h"
#include "platform/Cp1250.h"
#include "platform/TextFile.h"

const QByteArray ZamkniecieHarmonogramu = QByteArrayLiteral("</Day></GSSchedule>\r\n");

namespace {

// A day file grows by a few hundred bytes per element; anything far larger
// is not ours and is never read whole into memory.
constexpr qint64 MaksRozmiarHarmonogramu = 64LL * 1024 * 1024;

const QString PrefiksGodziny = QStringLiteral("<Hour scheduledTime=\"");

QString wCudzyslowie(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

}  // namespace

QStringList LinieNowegoHarmonogramu(const QDate& dzien) {
    return {
        QStringLiteral("<GSSchedule schemaVersion=\"2.0.0.0\" xmlns:gs_pe=\"PEContentSchemaGS\" "
                       "xmlns:gs_sl=\"SLContentSchemaGS\" xmlns:gs_s=\"SongSchemaGS\" xmlns:gs_l=\"LinkSchemaGS\" "
                       "xmlns:gs_b=\"BreakSchemaGS\" xmlns:gs_err=\"OperationStatusSchemaGS\" xmlns=\"ScheduleSchemaGS\">"),
        QStringLiteral("<Day scheduledDate=") +
            wCudzyslowie(zeroPad(dzien.year(), 4) + QLatin1Char('-') + zeroPad(dzien.month(), 2) + QLatin1Char('-') +
                         zeroPad(dzien.day(), 2)) +
            QLatin1Char('>'),
        QStringLiteral("<Hour scheduledTime=\"0:00:00\" />"),
        QStringLiteral("</Day></GSSchedule>"),
    };
}

QString IdentyfikatorMediow(const QString& mid, const QString& sciezka) {
    if (mid.size() >= 2) return mid;
    return NazwaSciezki(sciezka);
}

bool PoprawnyIdentyfikatorMediow(const QString& id) {
    if (id.isEmpty() || id.size() > 8) return false;
    for (const QChar c : id) {
        const char16_t u = c.unicode();
        const bool ok = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
        if (!ok) return false;
    }
    return true;
}

QString GodzinaZdarzenia(const QString& czasStartu) {
    QString g = czasStartu.left(2);
    if (g.size() == 2 && g[0] == QLatin1Char('0')) g = g.mid(1);
    return g;
}

qint64 CzasTrwaniaZdarzenia(qint64 dlugoscMs, qint32 udzial) {
    const qint64 sekundy = dlugoscMs / 1000;
    return qint64(std::nearbyint(double(sekundy) * double(udzial) / 1000.0));
}

QStringList LinieZdarzenia(const ZdarzenieXML& z, const QString& ostatniaGodzina) {
    QStringList linie;
    const QString godzina = GodzinaZdarzenia(z.CzasEmisji);
    if (godzina != ostatniaGodzina) linie << PrefiksGodziny + godzina + QStringLiteral(":00:00\" />");
    const QString atrybuty = QStringLiteral(" status=\"Happened\" airDate=") + wCudzyslowie(z.DataEmisji) +
                             QStringLiteral(" airTime=") + wCudzyslowie(z.CzasEmisji) + QStringLiteral(" duration=") +
                             wCudzyslowie(QString::number(z.CzasTrwania)) +
                             QStringLiteral(" editCode=\"0\" failureCode=\"0\">");
    const QString id = wCudzyslowie(z.Identyfikator);
    if (z.Piosenka) {
        linie << QStringLiteral("<Event entryType=\"Song\"") + atrybuty;
        linie << QStringLiteral("<ProgramElement><gs_s:Song><gs_pe:Media ID=") + id +
                     QStringLiteral(" /></gs_s:Song></ProgramElement>");
    } else {
        linie << QStringLiteral("<Event entryType=\"Link\"") + atrybuty;
        linie << QStringLiteral("<ProgramElement><gs_l:Link><gs_pe:Media ID=") + id +
                     QStringLiteral(" /></gs_l:Link></ProgramElement>");
    }
    linie << QStringLiteral("</Event>");
    return linie;
}

WynikZdarzeniaXML DopiszZdarzenieXML(const QString& zbior, const ZdarzenieXML& z, QString& ostatniaGodzina,
                                     QString* powod) {
    const auto blad = [&](WynikZdarzeniaXML w, const QString& tekst) {
        if (powod) *powod = tekst;
        return w;
    };
    QByteArray tresc;
    const platform::FileRead odczyt = platform::readWholeFile(zbior, tresc, MaksRozmiarHarmonogramu);
    if (odczyt == platform::FileRead::CannotOpen || odczyt == platform::FileRead::ReadError)
        return blad(WynikZdarzeniaXML::BrakZbioru, qt_error_string(errno));
    if (odczyt != platform::FileRead::Ok || !tresc.endsWith(ZamkniecieHarmonogramu))
        return blad(WynikZdarzeniaXML::ObcyKoniec, QStringLiteral("zbiór nie jest harmonogramem tego programu"));

    const qint64 koniec = tresc.size() - ZamkniecieHarmonogramu.size();
    QByteArray ogon;
    for (const QString& linia : LinieZdarzenia(z, ostatniaGodzina)) {
        ogon += platform::toCp1250(linia);
        ogon += "\r\n";
    }
    ogon += ZamkniecieHarmonogramu;

    platform::WholeFileWriter out(zbior);
    if (out.open()) {
        tresc.truncate(koniec);
        tresc += ogon;
        if (!out.write(tresc) || !out.commit()) return blad(WynikZdarzeniaXML::BladZapisu, out.errorString());
        ostatniaGodzina = GodzinaZdarzenia(z.CzasEmisji);
        return WynikZdarzeniaXML::Zapisano;
    }
    // No temporary file beside it. The file itself may still be writable:
    // the new tail goes over the closing line, the file only grows.
    QFile wMiejscu(zbior);
    if (!wMiejscu.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return blad(WynikZdarzeniaXML::BladZapisu, wMiejscu.errorString());
    if (wMiejscu.size() != tresc.size() || !wMiejscu.seek(koniec))
        return blad(WynikZdarzeniaXML::BladZapisu, QStringLiteral("zbiór zmienił się w czasie zapisu"));
    if (wMiejscu.write(ogon) != ogon.size() || !wMiejscu.flush()) {
        const QString tekst = wMiejscu.errorString();
        // A tail cut short by a full disk: the closing line goes back where
        // it was (those bytes had their place), so the day's later events
        // still find the file whole.
        wMiejscu.unsetError();
        if (wMiejscu.seek(koniec) && wMiejscu.write(ZamkniecieHarmonogramu) == ZamkniecieHarmonogramu.size() &&
            wMiejscu.flush())
            wMiejscu.resize(tresc.size());
        return blad(WynikZdarzeniaXML::BladZapisu, tekst);
    }
    wMiejscu.close();
    ostatniaGodzina = GodzinaZdarzenia(z.CzasEmisji);
    return WynikZdarzeniaXML::ZapisanoWMiejscu;
}

QString OstatniaGodzinaHarmonogramu(const QString& zbior) {
    QByteArray dane;
    if (platform::readWholeFile(zbior, dane, MaksRozmiarHarmonogramu) != platform::FileRead::Ok) return {};
    const QString tresc = platform::fromCp1250(dane);
    const qsizetype p = tresc.lastIndexOf(PrefiksGodziny);
    if (p < 0) return {};
    const qsizetype od = p + PrefiksGodziny.size();
    const qsizetype dwukropek = tresc.indexOf(QLatin1Char(':'), od);
    if (dwukropek < 0 || dwukropek - od > 2) return {};
    return tresc.mid(od, dwukropek - od);
}
