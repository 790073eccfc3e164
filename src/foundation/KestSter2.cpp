#include "foundation/KestSter2.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

#include "foundation/KestDysk2.h"
#include "foundation/KestGraf2.h"
#include "foundation/KestPods2.h"
#include "foundation/TabelaNastaw.h"
#include "foundation/Text.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

NastawyProgramu Nastawy;
QString NazwaProgramu = QStringLiteral("Tolvane");
QString KatalogStartowy;
QString KonfiguracjaZbior;
QString LogNazwa;
QString KonfiguracjaOdrzucona;

namespace {

const QString kSekcja = QStringLiteral("Nastawy programu");

}  // namespace

const OpisSekcji& SekcjaNastaw() {
    static const OpisSekcji s = [] {
        OpisSekcji t;
        t.nazwa = kSekcja;
        t.tytul = QStringLiteral("PODSTAWOWE NASTAWY PROGRAMU");
        NastawyProgramu& n = Nastawy;
        t.klucze.push_back(KluczLiczba(QStringLiteral("Numer"), &n.Numer, 1, 9, 0, 0, QStringLiteral("Numer stanowiska")));
        OpisKlucza id = KluczTekst(QStringLiteral("Id"), &n.Id, QStringLiteral("Użytkownik?"),
                                   QStringLiteral("Identyfikator użytkownika (do 12 znaków, np. imię)"), 15);
        id.pustyDomyslny = true;
        t.klucze.push_back(id);
        t.klucze.push_back(KluczBool(QStringLiteral("IdZbioryJest"), &n.IdZbioryJest, false,
                                     QStringLiteral("Czy identyfikator użytkownika w nazwach zbiorow - np. LOG (0 - nie, 1 - tak) ?")));
        t.klucze.push_back(KluczKatalog(QStringLiteral("Katalog"), &n.Katalog,
                                        QStringLiteral("Katalog informacyjny (PROGRAM - katalog programu):"), false));
        t.klucze.push_back(KluczBool(QStringLiteral("CzyGlosnik"), &n.CzyGlosnik, true,
                                     QStringLiteral("Czy sygnalizacja dzwiekowa przez glosnik PC (0 - nie, 1 - tak) ?")));
        t.klucze.push_back(KluczBajt(QStringLiteral("ModulStart"), &n.ModulStart, 1, 9, 0, 0,
                                     QStringLiteral("Modul uruchamiany po starcie (0 - Single, 1 - Dluga playlista, 2 - Info, 3 - Wieloslad)")));
        t.klucze.push_back(KluczBool(QStringLiteral("ZgodnoscDOS"), &n.ZgodnoscDOS, false,
                                     QStringLiteral("Czy zgodność z wersja DOS (0 - nie, 1 - tak)")));
        t.klucze.push_back(KluczBool(QStringLiteral("HasloINIJest"), &n.HasloINIJest, false,
                                     QStringLiteral("Czy konfiguracja zabezpieczona haslem (0 - nie, 1 - tak)")));
        OpisKlucza haslo = KluczTekst(QStringLiteral("HasloINITekst"), &n.HasloINITekst, QStringLiteral("WQXE"),
                                      QStringLiteral("Tekst hasla konfiguracji"));
        haslo.pustyZostawia = true;
        // The password is compared as it was typed: a blank at its end counts.
        haslo.doslowny = true;
        t.klucze.push_back(haslo);
        t.klucze.push_back(KluczBool(QStringLiteral("LOGZbiorJest"), &n.LOGZbiorJest, false,
                                     QStringLiteral("Czy jest tworzony zbiór LOG (0 - nie, 1 - tak)")));
        t.klucze.push_back(KluczKatalog(QStringLiteral("LOGKatalog"), &n.LOGKatalog,
                                        QStringLiteral("Katalog zbiorów LOG (PROGRAM - katalog programu):")));
        t.klucze.push_back(KluczKatalog(QStringLiteral("RoboczyKatalog"), &n.RoboczyKatalog,
                                        QStringLiteral("Katalog roboczy programu (PROGRAM - katalog programu):")));
        t.klucze.push_back(KluczLiczba(QStringLiteral("Panel2StrefaRoznicaH"), &n.Panel2StrefaRoznicaH, -12, 12, 0, 0,
                                       QStringLiteral("Różnica czasu 2. strefy w godzinach")));
        t.klucze.push_back(KluczBajt(QStringLiteral("OknoStanStart"), &n.OknoStanStart, 0, 2, 2, 1,
                                     QStringLiteral("Stan okna programu po uruchomieniu (0 - normalny, 1 - zmaksymal., 2 - zmaksymal. + ontop)")));
        return t;
    }();
    return s;
}

namespace {

// The day's log stays open between lines; the named log likewise.
platform::LineAppender& otwartyLog() {
    static platform::LineAppender log;
    return log;
}
platform::LineAppender& otwartyLogNazwany() {
    static platform::LineAppender log;
    return log;
}

struct KolejkaLogu {
    std::mutex mutex;
    const void* wlasciciel = nullptr;
    std::function<void(std::function<void()>)> kolejka;
    std::function<void()> oproznij;
};
KolejkaLogu& kolejkaLogu() {
    static KolejkaLogu k;
    return k;
}

QString liniaLogu(qint64 msOfDay, const QString& tekst) {
    const qint64 s = msOfDay / 1000;
    return zeroPad(s / 3600, 2) + QLatin1Char(':') + zeroPad(s / 60 % 60, 2) + QLatin1Char(':') + zeroPad(s % 60, 2) +
           QStringLiteral("->  ") + tekst;
}

// Appends a made line; how it went is the log's entry among the station's files.
void zapiszLinie(const QString& zbior, const QString& linia) {
    QString powod;
    const bool ok = otwartyLog().append(platform::resolvePath(zbior), linia, &powod);
    ZglosZapis(ZbiorStacji::Dziennik, zbior, ok ? QString() : powod);
}

// A line of `tekst` made now: the file's day and the line's time come from
// one instant (read apart, at midnight a line of one day could go into the
// other day's file), and the name from the settings of the moment, so a new
// day or a new folder takes effect with the next line.
std::function<void()> zadanieLinii(const QString& tekst) {
    const QDateTime teraz = platform::clock().now();
    const QString zbior = LogZbior(teraz.date());
    const QString linia = liniaLogu(teraz.time().msecsSinceStartOfDay(), tekst);
    return [zbior, linia] { zapiszLinie(zbior, linia); };
}

// To the installed queue, or written at once without one.
void doLogu(std::function<void()> zapis) {
    KolejkaLogu& k = kolejkaLogu();
    {
        // Held while queuing so that lines from several threads keep one order.
        std::lock_guard blokada(k.mutex);
        if (k.kolejka) {
            k.kolejka(std::move(zapis));
            return;
        }
    }
    zapis();
}

}  // namespace

QString BezpiecznaNazwaZbioru(const QString& s) {
    QString out = s;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (c.unicode() < 32 || QStringLiteral("\\/:*?\"<>|").contains(c)) out[i] = QLatin1Char('_');
    }
    return out;
}

void NastawyDomyslne() { UstawDomyslne(SekcjaNastaw()); }

void ZapiszNastawy(const QString& plik) {
    const QString hashes79 = QString(79, QLatin1Char('#'));
    const QString line2 = QStringLiteral("###") + QString(48, QLatin1Char(' ')) + QString(28, QLatin1Char('#'));
    PiszKomentarz(plik, hashes79);
    PiszKomentarz(plik, line2);
    PiszKomentarz(plik, cutTo(QStringLiteral("###    Zbior konfiguracyjny programu ") + NazwaProgramu, 52) +
                            QString(7, QLatin1Char(' ')) + QString(28, QLatin1Char('#')));
    PiszKomentarz(plik, QStringLiteral("###  dla komentarzy w pierwszej kolumnie znak ';'  ############################"));
    PiszKomentarz(plik, line2);
    PiszKomentarz(plik, hashes79);
    PiszSekcje(plik, QStringLiteral("Nazwa programu, ktorego dotyczy niniejszy zbior konfiguracyjny"), QStringLiteral("Nazwa programu"));
    PiszKluczZKomentarzem(plik, QStringLiteral("Nazwa programu"), QStringLiteral("Nazwa"), NazwaProgramu);
    ZapiszSekcje(plik, SekcjaNastaw());
}

void CzytajNastawy(const QString& plik) { CzytajNastawy(ZbiorNastaw::Wczytaj(plik)); }
void CzytajNastawy(const ZbiorNastaw& zbior) { CzytajSekcje(zbior, SekcjaNastaw()); }

QString LogZbior() { return LogZbior(platform::clock().date()); }

QString LogZbior(const QDate& dzien) {
    const QString prefix = Nastawy.IdZbioryJest ? Nastawy.Id : QString();
    return joinPath(Nastawy.LOGKatalog, BezpiecznaNazwaZbioru(prefix + NazwaProgramu) + QLatin1Char('_') + DataTekst(dzien) + QStringLiteral(".LOG"));
}

void Log(const QString& tekst) {
    // The file stays open between lines, each line written through at once
    // so that other programs read it; a failed line is dropped without
    // stopping the caller, and shows as a fault of the log's file.
    if (Nastawy.LOGZbiorJest) doLogu(zadanieLinii(tekst));
}

void LogWiele(std::function<QStringList()> teksty) {
    if (!Nastawy.LOGZbiorJest) return;
    const QDateTime teraz = platform::clock().now();
    const QString zbior = LogZbior(teraz.date());
    const qint64 ms = teraz.time().msecsSinceStartOfDay();
    doLogu([zbior, ms, teksty = std::move(teksty)] {
        for (const QString& t : teksty()) zapiszLinie(zbior, liniaLogu(ms, t));
    });
}

void UstawKolejkeLogu(const void* wlasciciel, std::function<void(std::function<void()>)> kolejka,
                      std::function<void()> oproznij) {
    KolejkaLogu& k = kolejkaLogu();
    std::lock_guard blokada(k.mutex);
    k.wlasciciel = wlasciciel;
    k.kolejka = std::move(kolejka);
    k.oproznij = std::move(oproznij);
}

void ZdejmijKolejkeLogu(const void* wlasciciel) {
    KolejkaLogu& k = kolejkaLogu();
    std::lock_guard blokada(k.mutex);
    if (k.wlasciciel != wlasciciel) return;
    k.wlasciciel = nullptr;
    k.kolejka = nullptr;
    k.oproznij = nullptr;
}

void OproznijLog() {
    std::function<void()> oproznij;
    {
        KolejkaLogu& k = kolejkaLogu();
        std::lock_guard blokada(k.mutex);
        oproznij = k.oproznij;
    }
    if (oproznij) oproznij();
}

// ------------------------------------------------------------------ the log's writer

PisarzLogu::~PisarzLogu() { zglosPominiete(); }

void PisarzLogu::Zlec(std::function<void()> zapis) {
    zglosPominiete();
    if (!pisarz_.tryPost(std::move(zapis), Miejsca)) pominiete_.fetch_add(1, std::memory_order_relaxed);
}

void PisarzLogu::Oproznij() {
    pisarz_.flush();
    zglosPominiete();
    pisarz_.flush();
}

void PisarzLogu::zglosPominiete() {
    const unsigned long long n = pominiete_.load(std::memory_order_relaxed);
    if (n == 0 || !Nastawy.LOGZbiorJest) return;
    const QString tekst = QStringLiteral("Pominięte linie dziennika (zapis nie nadążał): ") + QString::number(n);
    if (pisarz_.tryPost(zadanieLinii(tekst), Miejsca)) pominiete_.fetch_sub(n, std::memory_order_relaxed);
}

// ------------------------------------------------------------------ the station's files

namespace {

QString nazwaZbioruStacji(ZbiorStacji r) {
    switch (r) {
    case ZbiorStacji::Historia: return QStringLiteral("historii");
    case ZbiorStacji::XML: return QStringLiteral("XML");
    case ZbiorStacji::Dziennik: return QStringLiteral("dziennika");
    case ZbiorStacji::Liczniki: return QStringLiteral("liczników");
    case ZbiorStacji::RDS: return QStringLiteral("RDS");
    case ZbiorStacji::Info: return QStringLiteral("INFO");
    case ZbiorStacji::Przekazniki: return QStringLiteral("przekaźników");
    }
    return QString();
}

struct RejestrZapisow {
    struct Blad {
        QString powod;
        QString tekst;
        quint64 kolejnosc;
    };
    std::mutex mutex;
    std::map<std::pair<ZbiorStacji, QString>, Blad> bledy;
    QList<ZmianaZapisu> zmiany;
    quint64 licznik = 0;
    std::atomic<bool> saBledy{false};
    std::atomic<bool> saZmiany{false};
};
RejestrZapisow& rejestrZapisow() {
    static RejestrZapisow r;
    return r;
}

}  // namespace

void ZglosZapis(ZbiorStacji rodzaj, const QString& zbior, const QString& powod) {
    RejestrZapisow& r = rejestrZapisow();
    // A write that worked while nothing fails, the usual case, costs one read.
    if (powod.isEmpty() && !r.saBledy.load(std::memory_order_acquire)) return;
    const QString zbiorTekst = QStringLiteral("zbioru ") + nazwaZbioruStacji(rodzaj) + QLatin1Char(' ') + zbior;
    // One file of each kind at a time (the day files change name at
    // midnight, and a new day's file that works ends the old one's fault),
    // except the RDS files, each of its own.
    const qsizetype folder = std::max(zbior.lastIndexOf(QLatin1Char('\\')), zbior.lastIndexOf(QLatin1Char('/')));
    const QString nazwa = rodzaj == ZbiorStacji::RDS ? zbior.mid(folder + 1) : QString();
    std::lock_guard blokada(r.mutex);
    const auto klucz = std::pair(rodzaj, nazwa);
    const auto it = r.bledy.find(klucz);
    if (powod.isEmpty()) {
        if (it == r.bledy.end()) return;
        r.bledy.erase(it);
        r.zmiany << ZmianaZapisu{QStringLiteral("Zapis ") + zbiorTekst + QStringLiteral(" znów działa"), false};
    } else {
        if (it != r.bledy.end() && it->second.powod == powod) return;
        const QString tekst = QStringLiteral("Błąd zapisu ") + zbiorTekst + QStringLiteral(": ") + powod;
        r.bledy[klucz] = {powod, tekst, ++r.licznik};
        r.zmiany << ZmianaZapisu{tekst, true};
    }
    // Nobody may be reading them (no on-air loop): the oldest go.
    while (r.zmiany.size() > 100) r.zmiany.removeFirst();
    r.saBledy.store(!r.bledy.empty(), std::memory_order_release);
    r.saZmiany.store(true, std::memory_order_release);
}

bool SaZmianyZapisu() { return rejestrZapisow().saZmiany.load(std::memory_order_acquire); }

QList<ZmianaZapisu> ZmianyZapisu() {
    RejestrZapisow& r = rejestrZapisow();
    std::lock_guard blokada(r.mutex);
    r.saZmiany.store(false, std::memory_order_relaxed);
    return std::exchange(r.zmiany, {});
}

QString TrwajacyBladZapisu() {
    RejestrZapisow& r = rejestrZapisow();
    std::lock_guard blokada(r.mutex);
    const RejestrZapisow::Blad* ostatni = nullptr;
    for (const auto& [klucz, b] : r.bledy)
        if (!ostatni || b.kolejnosc > ostatni->kolejnosc) ostatni = &b;
    return ostatni ? ostatni->tekst : QString();
}

void NowyLogNazwany(const QString& nazwa) {
    LogNazwa = joinPath(Nastawy.RoboczyKatalog, nazwa + QStringLiteral(".LOG"));
    QFile f(platform::resolvePath(LogNazwa));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.close();
}

void LogNazwany(const QString& tekst) {
    if (LogNazwa.isEmpty()) return;
    otwartyLogNazwany().append(platform::resolvePath(LogNazwa), liniaLogu(platform::clock().msOfDay(), tekst));
}

void StartProgramu() {
    Log10(1);  // computes the logarithm constant once
    KatalogStartowy = QDir::currentPath();
    SiatkaTekstuInit();
}

void KoniecProgramu() { QDir::setCurrent(platform::resolvePath(KatalogStartowy)); }
