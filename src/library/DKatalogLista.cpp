// The folder browser's listing: reading a folder, sorting it and the size
// text. No window here, so the benchmark and the tests read folders alone.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/Text.h"
#include "library/DKatalog.h"
#include "library/DKatalogNastawy.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

QStringList KatalogWynikZbiory;
QStringList KatalogWynikTeksty;
int KatalogWynikLiczba = 0;
std::function<bool(const QString& sciezka)> KatalogZbiorWUzyciu;

namespace {

qint32 DataDOS(const QDateTime& t) {
    const QDate d = t.date();
    const QTime h = t.time();
    if (d.year() < 1980)
        return 0;
    return qint32((quint32(d.year() - 1980) << 25) | (quint32(d.month()) << 21) | (quint32(d.day()) << 16) |
                  (quint32(h.hour()) << 11) | (quint32(h.minute()) << 5) | quint32(h.second() / 2));
}

// ASCII upper case: the order of folder names and extensions.
QString DuzeASCII(const QString& s) {
    QString t = s;
    for (QChar& c : t)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return t;
}

TInfoZb Pozycja(const QFileInfo& fi, const QString& nazwa, const QString& rozszerzenie) {
    TInfoZb p;
    p.Nazwa = nazwa;
    p.Rozszerzenie = rozszerzenie;
    p.Data = DataDOS(fi.lastModified());
    p.Rozmiar = fi.isDir() ? 0 : fi.size();
    p.Atrybuty = (fi.isDir() ? AtrybutKatalogu : 0) | (fi.isWritable() ? 0 : 1);
    return p;
}

}  // namespace

bool KatalogGlowny(const QString& katalog) { return katalog.size() == 2 && platform::hasDriveLetter(katalog); }

QString KatalogZNazwa(const QString& katalog, const QString& nazwa) {
    if (platform::hasDriveLetter(katalog))
        return katalog.endsWith(u'\\') || katalog.endsWith(u'/') ? katalog + nazwa : katalog + u'\\' + nazwa;
    // A Linux folder: the path goes into playlists and logs, so it is formed
    // as stored (a drive's folder however reached as X:\..., else "/" only).
    return platform::storedPath(katalog + u'/' + nazwa);
}

bool DyskLokalny(const QString& sciezka) {
    if (!platform::hasDriveLetter(sciezka))
        return true;
    const QString ostatni = Katalogi.DyskOstatni.isEmpty() ? u"C"_s : Katalogi.DyskOstatni;
    return sciezka[0].toUpper() <= ostatni[0];
}

void TekstRozmiaru(qint64 bajty, QString& liczba, QString& jednostka) {
    static const std::pair<qint64, const char16_t*> jednostki[] = {
        {1LL << 40, u" TB"}, {1LL << 30, u" GB"}, {1LL << 20, u" MB"}, {1LL << 10, u" KB"}};
    qint64 calosc = bajty;
    qint64 tysieczne = 0;
    jednostka = u" B"_s;
    for (const auto& [u, tekst] : jednostki) {
        if (bajty >= u) {
            calosc = bajty / u;
            tysieczne = qint64(std::nearbyint(double(bajty % u) * 1000.0 / double(u)));
            // 999.9995 thousandths round into the next whole count.
            if (tysieczne == 1000) {
                ++calosc;
                tysieczne = 0;
            }
            jednostka = QString::fromUtf16(tekst);
            break;
        }
    }
    QString t;
    if (calosc == 0 && tysieczne == 0)
        t = u"0"_s;
    else if (tysieczne == 0)
        t = QString::number(calosc);
    else if (calosc == 0)
        t = u"0,"_s + zeroPad(tysieczne, 3);
    else
        t = QString::number(calosc) + u',' + zeroPad(tysieczne, 3);
    liczba = padLeft(t, 8);
}

bool KatalogCzytaj(ListaKatalogu& lista, const QString& typy, int sortowanie, const std::function<void(bool)>& postep) {
    int kod = 0;
    const bool dobrze = KatalogCzytajKod(lista, typy, sortowanie, kod, postep);
    BladIO = kod;
    return dobrze;
}

bool KatalogCzytajKod(ListaKatalogu& lista, const QString& typy, int sortowanie, int& kod,
                      const std::function<void(bool)>& postep) {
    auto& P = lista.Pozycje;
    P.assign(1, TInfoZb{});
    P.reserve(1024);
    lista.Dyski = lista.KoniecKatalogow = lista.Liczba = 0;
    kod = 0;
    const QString& katalog = lista.Katalog;

    if (KatalogGlowny(katalog) && Katalogi.CzyDyski) {
        const QChar biezacy = katalog[0].toUpper();
        for (const QChar d : platform::driveLetters()) {
            if (d == biezacy || d < u'C')
                continue;
            TInfoZb p;
            p.Nazwa = QString(d) + u':';
            p.Atrybuty = AtrybutKatalogu;
            P.push_back(p);
        }
    }
    lista.Dyski = int(P.size()) - 1;

    const QString sciezka = platform::resolvePath(KatalogGlowny(katalog) ? katalog + u'\\' : katalog);
    const QDir dir(sciezka);
    if (!dir.exists()) {
        kod = 3;
        lista.KoniecKatalogow = lista.Liczba = lista.Dyski;
        return false;
    }
    const QFileInfoList wszystkie =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDot, QDir::NoSort);

    std::vector<TInfoZb> katalogi;
    if (Katalogi.CzyNadkatalog || Katalogi.CzyPodkatalogi) {
        for (const QFileInfo& fi : wszystkie) {
            if (!fi.isDir())
                continue;
            const QString n = fi.fileName();
            if (n == u".."_s) {
                // A drive root has nothing above it.
                if (!Katalogi.CzyNadkatalog || KatalogGlowny(katalog) || katalog == u"/"_s)
                    continue;
            } else if (!Katalogi.CzyPodkatalogi) {
                continue;
            }
            katalogi.push_back(Pozycja(fi, n, QString()));
        }
    }
    // Folders by name in ASCII upper case, ".." first.
    std::vector<std::pair<QString, int>> klucze;
    klucze.reserve(katalogi.size());
    for (int i = 0; i < int(katalogi.size()); ++i)
        klucze.emplace_back(katalogi[i].Nazwa == u".."_s ? QString() : DuzeASCII(katalogi[i].Nazwa), i);
    std::sort(klucze.begin(), klucze.end());
    for (const auto& [k, i] : klucze)
        if (int(P.size()) <= KatalogPozycje)
            P.push_back(std::move(katalogi[i]));
    lista.KoniecKatalogow = int(P.size()) - 1;

    // Up to six types, each in list order; the file system's order within
    // a type does not matter, the files are sorted below.
    QStringList rozszerzenia = typy.split(u':', Qt::SkipEmptyParts);
    if (rozszerzenia.size() > 6)
        rozszerzenia = rozszerzenia.mid(0, 6);
    const QString filtr = lista.FiltrWlaczony ? upperPL(lista.Filtr) : QString();
    std::vector<std::vector<TInfoZb>> grupy(rozszerzenia.size());
    for (const QFileInfo& fi : wszystkie) {
        if (fi.isDir())
            continue;
        const QString n = fi.fileName();
        const qsizetype kropka = n.lastIndexOf(u'.');
        if (kropka < 0)
            continue;
        const QString ext = n.mid(kropka);
        for (int t = 0; t < rozszerzenia.size(); ++t) {
            if (ext.compare(rozszerzenia[t], Qt::CaseInsensitive) != 0)
                continue;
            const QString nazwa = n.left(kropka);
            if (!filtr.isEmpty() && !upperPL(nazwa).contains(filtr))
                break;
            grupy[t].push_back(Pozycja(fi, nazwa, ext));
            break;
        }
    }
    for (auto& g : grupy)
        for (auto& p : g) {
            if (int(P.size()) > KatalogPozycje)
                break;
            P.push_back(std::move(p));
        }
    lista.Liczba = int(P.size()) - 1;

    const bool dlugo = lista.Liczba > 5000 && postep;
    if (dlugo)
        postep(true);
    const auto pliki = P.begin() + lista.KoniecKatalogow + 1;
    switch (sortowanie) {
    case 2:
        std::stable_sort(pliki, P.end(), [](const TInfoZb& a, const TInfoZb& b) {
            const int r = a.Rozszerzenie.compare(b.Rozszerzenie, Qt::CaseInsensitive);
            return r != 0 ? r < 0 : a.Nazwa.compare(b.Nazwa, Qt::CaseInsensitive) < 0;
        });
        break;
    case 3:
        std::stable_sort(pliki, P.end(), [](const TInfoZb& a, const TInfoZb& b) { return quint32(a.Data) < quint32(b.Data); });
        break;
    case 4:
        std::stable_sort(pliki, P.end(), [](const TInfoZb& a, const TInfoZb& b) { return a.Rozmiar < b.Rozmiar; });
        break;
    default:
        std::stable_sort(pliki, P.end(), [](const TInfoZb& a, const TInfoZb& b) {
            return a.Nazwa.compare(b.Nazwa, Qt::CaseInsensitive) < 0;
        });
        break;
    }
    if (dlugo)
        postep(false);
    return true;
}
