#include "foundation/KestSter2.h"

#include <QDir>
#include <QFile>

#include <mutex>

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
    if (!Nastawy.LOGZbiorJest) return;
    // The name is made for every line, so a new day or a new folder takes
    // effect with the next line; the file stays open in between, each line
    // written through at once so that other programs read it. A failed line
    // is dropped without stopping the caller. The file's day and the line's
    // time come from one instant: read apart, at midnight a line of one day
    // could go into the other day's file.
    const QDateTime teraz = platform::clock().now();
    const QString zbior = LogZbior(teraz.date());
    const QString linia = liniaLogu(teraz.time().msecsSinceStartOfDay(), tekst);
    KolejkaLogu& k = kolejkaLogu();
    {
        // Held while queuing so that lines from several threads keep one order.
        std::lock_guard blokada(k.mutex);
        if (k.kolejka) {
            k.kolejka([zbior, linia] { otwartyLog().append(platform::resolvePath(zbior), linia); });
            return;
        }
    }
    otwartyLog().append(platform::resolvePath(zbior), linia);
}

void LogWiele(std::function<QStringList()> teksty) {
    if (!Nastawy.LOGZbiorJest) return;
    const QDateTime teraz = platform::clock().now();
    const QString zbior = LogZbior(teraz.date());
    const qint64 ms = teraz.time().msecsSinceStartOfDay();
    auto zapisz = [zbior, ms, teksty = std::move(teksty)] {
        const QString plik = platform::resolvePath(zbior);
        for (const QString& t : teksty()) otwartyLog().append(plik, liniaLogu(ms, t));
    };
    KolejkaLogu& k = kolejkaLogu();
    {
        std::lock_guard blokada(k.mutex);
        if (k.kolejka) {
            k.kolejka(std::move(zapisz));
            return;
        }
    }
    zapisz();
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
