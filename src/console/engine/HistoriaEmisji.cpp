#include "console/engine/HistoriaEmisji.h"

#include <QFile>

#include <algorithm>

#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "platform/Clock.h"
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

bool KategoriaDoHistorii(quint8 rodzaj, bool zPlaylisty) {
    bool tak;
    if (rodzaj == RodzajSND && Emisja.HSTSNDZapisJest)
        tak = true;
    else if (rodzaj == RodzajREK && Emisja.HSTREKZapisJest)
        tak = true;
    else
        tak = Emisja.HSTInneZapisJest;
    if (Emisja.HSTTylkoPLista && !zPlaylisty) tak = false;
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

NazwyDnia NazwyPlikowDnia(const QDate& dzien) {
    NazwyDnia n;
    if (!Emisja.CzyHST || !dzien.isValid()) return n;
    n.Dzien = dzien;
    n.DzienTekst = TekstDniaHistorii(dzien);
    // The Id is typed by whoever set the station up; a "/" or ":" in it
    // must not put the day files into another folder.
    const QString prefiks = Nastawy.IdZbioryJest ? BezpiecznaNazwaZbioru(Nastawy.Id) : QString();
    n.ZbiorHST = joinPath(Emisja.KatHST, prefiks + n.DzienTekst + QStringLiteral(".HST"));
    if (Emisja.CzyHSTXML) n.ZbiorXML = joinPath(Emisja.KatHST, prefiks + n.DzienTekst + QStringLiteral(".XML"));
    return n;
}

PlikiHistorii::PlikiHistorii() : Loguj([](const QString& t) { Log(t); }) {}

void PlikiHistorii::OtworzPlikiHistorii(const QDate& dzien) { Otworz(NazwyPlikowDnia(dzien)); }

void PlikiHistorii::Otworz(const NazwyDnia& n) {
    if (n.ZbiorHST.isEmpty()) return;
    ZbiorHST = n.ZbiorHST;
    ZbiorXML = n.ZbiorXML;
    DzienTekst = n.DzienTekst;
    Dzien = n.Dzien;

    // Opening never truncates: a file already there keeps every line.
    const QString hst = platform::resolvePath(ZbiorHST);
    if (!QFile::exists(hst)) {
        QFile f(hst);
        const bool ok = f.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        if (!ok) Loguj(QStringLiteral("Nie można utworzyć zbioru historii ") + ZbiorHST + QStringLiteral(": ") + f.errorString());
        ZglosZapis(ZbiorStacji::Historia, ZbiorHST, ok ? QString() : f.errorString());
    }
    if (!ZbiorXML.isEmpty()) {
        const QString xml = platform::resolvePath(ZbiorXML);
        if (!QFile::exists(xml)) {
            QString powod;
            if (platform::writeTextFileAtomic(xml, LinieNowegoHarmonogramu(Dzien), &powod))
                OstatniaGodzina = QStringLiteral("0");
            else
                Loguj(QStringLiteral("Nie można utworzyć zbioru XML ") + ZbiorXML + QStringLiteral(": ") + powod);
            ZglosZapis(ZbiorStacji::XML, ZbiorXML, powod);
        } else {
            // Going on in a file written before (a restart, or an element
            // that began on the previous day): its own last hour line counts.
            OstatniaGodzina = OstatniaGodzinaHarmonogramu(xml);
        }
    }
}

void PlikiHistorii::upewnijSieDnia(const NazwyDnia& n) {
    if (n.ZbiorHST != ZbiorHST || n.ZbiorXML != ZbiorXML || n.Dzien != Dzien) Otworz(n);
}

bool PlikiHistorii::DopiszLinie(const QDate& dzien, const QString& czasStartu, const QString& sciezka,
                                const QString& tekst) {
    return DopiszLinie(NazwyPlikowDnia(dzien), czasStartu, sciezka, tekst);
}

bool PlikiHistorii::DopiszLinie(const NazwyDnia& n, const QString& czasStartu, const QString& sciezka,
                                const QString& tekst) {
    if (tekst.isEmpty() || n.ZbiorHST.isEmpty()) return false;
    upewnijSieDnia(n);
    const QString linia = czasStartu + QStringLiteral("; ") + sciezka + QStringLiteral("; ") + tekst;
    // A last line cut short (a crash, a full disk) gets its end first, so
    // the new line is never glued onto it.
    QString powod;
    const bool ok = platform::appendTextLines(platform::resolvePath(ZbiorHST), {linia}, &powod);
    ZglosZapis(ZbiorStacji::Historia, ZbiorHST, powod);
    if (!ok) Loguj(QStringLiteral("Błąd zapisu do zbioru historii ") + ZbiorHST + QStringLiteral(", linia ") + czasStartu +
                   QStringLiteral(" pominięta: ") + powod);
    return ok;
}

bool PlikiHistorii::DopiszZdarzenie(const QDate& dzien, const ZdarzenieXML& z) {
    return DopiszZdarzenie(NazwyPlikowDnia(dzien), z);
}

bool PlikiHistorii::DopiszZdarzenie(const NazwyDnia& n, const ZdarzenieXML& z) {
    if (n.ZbiorXML.isEmpty()) return false;
    // Those kept go first, so the file keeps the order the events aired in;
    // while they cannot, this one waits behind them.
    const bool wolne = ZapiszZalegle();
    const Zapis w = wolne ? zapiszZdarzenie(n, z, false) : Zapis::Zachowano;
    if (w != Zapis::Zachowano) return w == Zapis::Zapisano;
    if (!wolne)
        Loguj(QStringLiteral("XML: zdarzenie ") + z.CzasEmisji +
              QStringLiteral(" zachowane do ponownego zapisu zbioru ") + n.ZbiorXML);
    if (zalegle_.size() >= size_t(MaksZaleglych)) {
        Loguj(QStringLiteral("XML: za dużo zachowanych zdarzeń, zdarzenie ") + zalegle_.front().second.CzasEmisji +
              QStringLiteral(" pominięte"));
        zalegle_.erase(zalegle_.begin());
    }
    zalegle_.emplace_back(n, z);
    return false;
}

bool PlikiHistorii::ZapiszZalegle() {
    size_t k = 0;
    int zapisane = 0;
    for (; k < zalegle_.size(); ++k) {
        const Zapis w = zapiszZdarzenie(zalegle_[k].first, zalegle_[k].second, true);
        if (w == Zapis::Zachowano) break;
        if (w == Zapis::Zapisano) ++zapisane;
    }
    if (k > 0) {
        zalegle_.erase(zalegle_.begin(), zalegle_.begin() + qsizetype(k));
        if (zapisane > 0)
            Loguj(QStringLiteral("XML: zachowane zdarzenia zapisane (%1) do zbioru ").arg(zapisane) + ZbiorXML);
    }
    return zalegle_.empty();
}

PlikiHistorii::Zapis PlikiHistorii::zapiszZdarzenie(const NazwyDnia& n, const ZdarzenieXML& z, bool zalegle) {
    upewnijSieDnia(n);
    QString powod;
    const WynikZdarzeniaXML wynik = DopiszZdarzenieXML(platform::resolvePath(ZbiorXML), z, OstatniaGodzina, &powod);
    const bool zapisano = wynik == WynikZdarzeniaXML::Zapisano || wynik == WynikZdarzeniaXML::ZapisanoWMiejscu;
    ZglosZapis(ZbiorStacji::XML, ZbiorXML, zapisano ? QString() : powod);
    const QString pominiete = QStringLiteral(", zdarzenie ") + z.CzasEmisji + QStringLiteral(" pominięte: ") + powod;
    switch (wynik) {
    case WynikZdarzeniaXML::Zapisano:
        wMiejscuZgloszony_.clear();
        return Zapis::Zapisano;
    case WynikZdarzeniaXML::ZapisanoWMiejscu:
        // Said once per file; said again if it comes back after a safe write.
        if (wMiejscuZgloszony_ != ZbiorXML)
            Loguj(QStringLiteral("XML: bezpieczny zapis zbioru ") + ZbiorXML +
                  QStringLiteral(" niemożliwy (nie można utworzyć zbioru tymczasowego), zdarzenia dopisywane w miejscu"));
        wMiejscuZgloszony_ = ZbiorXML;
        return Zapis::Zapisano;
    case WynikZdarzeniaXML::BrakZbioru:
        Loguj(QStringLiteral("XML: brak zbioru ") + ZbiorXML + pominiete);
        break;
    case WynikZdarzeniaXML::ObcyKoniec:
        Loguj(QStringLiteral("XML: zbiór ") + ZbiorXML + QStringLiteral(" nie kończy się zamknięciem dnia") + pominiete);
        break;
    case WynikZdarzeniaXML::BladZapisu:
        // Space or the share may come back: kept, and said once.
        if (!zalegle)
            Loguj(QStringLiteral("XML: błąd zapisu zbioru ") + ZbiorXML + QStringLiteral(", zdarzenie ") +
                  z.CzasEmisji + QStringLiteral(" zachowane do ponownego zapisu: ") + powod);
        return Zapis::Zachowano;
    }
    return Zapis::Pominieto;
}

// ------------------------------------------------------------------ the writer

HistoriaWTle::HistoriaWTle() {
    pliki_.Loguj = [this](const QString& t) {
        std::lock_guard<std::mutex> blokada(mutex_);
        komunikaty_ << t;
        saKomunikaty_.store(true, std::memory_order_release);
    };
}

HistoriaWTle::~HistoriaWTle() {
    // One more try for the events kept; what still cannot be written is said.
    dodaj([](PlikiHistorii& p) {
        if (!p.ZapiszZalegle())
            p.Loguj(QStringLiteral("XML: %1 zachowanych zdarzeń nie zapisano do zbioru ").arg(p.Zalegle()) +
                    p.ZbiorXML);
    });
    Oproznij();
}

void HistoriaWTle::dodaj(std::function<void(PlikiHistorii&)> praca) {
    pisarz_.post([this, praca = std::move(praca)] { praca(pliki_); });
}

void HistoriaWTle::OtworzPlikiHistorii(const QDate& dzien) {
    const NazwyDnia n = NazwyPlikowDnia(dzien);
    if (n.ZbiorHST.isEmpty()) return;
    dodaj([n](PlikiHistorii& p) { p.Otworz(n); });
}

void HistoriaWTle::DopiszLinie(const QDate& dzien, const QString& czasStartu, const QString& sciezka,
                               const QString& tekst) {
    const NazwyDnia n = NazwyPlikowDnia(dzien);
    if (tekst.isEmpty() || n.ZbiorHST.isEmpty()) return;
    dodaj([n, czasStartu, sciezka, tekst](PlikiHistorii& p) { p.DopiszLinie(n, czasStartu, sciezka, tekst); });
}

void HistoriaWTle::DopiszZdarzenie(const QDate& dzien, const ZdarzenieXML& z) {
    const NazwyDnia n = NazwyPlikowDnia(dzien);
    if (n.ZbiorXML.isEmpty()) return;
    dodaj([this, n, z](PlikiHistorii& p) {
        p.DopiszZdarzenie(n, z);
        saZalegle_.store(p.Zalegle() > 0, std::memory_order_release);
    });
}

void HistoriaWTle::PonowZalegle() {
    if (!saZalegle_.load(std::memory_order_acquire)) return;
    const qint64 teraz = platform::clock().monotonicMs();
    if (teraz - ostatniePonowienie_ < PonowienieMs || ponowienieTrwa_.load(std::memory_order_acquire)) return;
    ostatniePonowienie_ = teraz;
    ponowienieTrwa_.store(true, std::memory_order_release);
    dodaj([this](PlikiHistorii& p) {
        p.ZapiszZalegle();
        saZalegle_.store(p.Zalegle() > 0, std::memory_order_release);
        ponowienieTrwa_.store(false, std::memory_order_release);
    });
}

void HistoriaWTle::Zlec(std::function<QString()> praca) {
    dodaj([praca = std::move(praca)](PlikiHistorii& p) {
        const QString t = praca();
        if (!t.isEmpty()) p.Loguj(t);
    });
}

void HistoriaWTle::Oproznij() {
    pisarz_.flush();
    // What it said may go to the event log through this writer too.
    if (!saKomunikaty_.load(std::memory_order_acquire)) return;
    ZglosKomunikaty();
    pisarz_.flush();
}

void HistoriaWTle::ZglosKomunikaty() {
    if (!saKomunikaty_.load(std::memory_order_acquire)) return;
    QStringList teksty;
    {
        std::lock_guard<std::mutex> blokada(mutex_);
        teksty.swap(komunikaty_);
        saKomunikaty_.store(false, std::memory_order_relaxed);
    }
    for (const QString& t : teksty) Log(t);
}
