#include "library/DKatalog.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "audio/Obwiednia.h"
#include "audio/OpisNagrania.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "library/DBazaOkno.h"
#include "library/DBazaWidok.h"
#include "library/DKatalogNastawy.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

namespace {

QPointer<TKatalog> oknoProgramu;

constexpr TColor kTloListy = 0x800000;  // navy
constexpr TColor kCiemny = 0x404040;
constexpr TColor kZnaczony = 0x00FFFF;  // yellow
constexpr TColor kKatalog = 0xFFFF80;   // light cyan
constexpr int kGora = 40;

struct OpisPrzycisku {
    quint16 kod;
    const char16_t* tytul;
};

// Along the top.
const OpisPrzycisku Gorne[] = {{1411, u"~Nazwa"}, {1412, u"~Typ"},   {1413, u"~Data"},  {1414, u"~Rozmiar"},
                               {1400, u"Tryb"},    {210, u"~Szukaj"}, {214, u"FILTR"},    {213, u"~Baza"},
                               {215, u"Powiększ"}};
// Down the right.
const OpisPrzycisku Prawe[] = {{101, u"1"},        {152, u"PgUp"},   {153, u"PgDn"}, {104, u"~o"},
                               {211, u"Katalo~g .."}, {4, u"~Kasuj"}, {3, u"~Zmień"}, {1511, u""},
                               {1512, u""},         {1513, u""}};

quint16 KomendaKlawisza(quint16 k) {
    switch (k) {
    case 0x011B: return 10;
    case 0x1C0D: return 20;
    case 0x5200: return 3;
    case 0x5300: return 4;
    case 0x4700: return 101;
    case 0x4D00: return 102;
    case 0x4B00: return 103;
    case 0x4F00: return 104;
    case 0x4800: return 150;
    case 0x5000: return 151;
    case 0x4900: return 152;
    case 0x5100: return 153;
    case 0x3920: return 202;
    case 0x4A2D: return 203;
    case 0x2106: return 210;
    case 0x3921: return 1400;
    case 0x4E2B: return 1514;
    default: break;
    }
    if (k >= 0x3B00 && k <= 0x4100 && (k & 0xFF) == 0)
        return quint16(1601 + ((k >> 8) - 0x3B));
    return 0;
}

const char16_t* const NazwySortowania[] = {u"nazwa", u"typ", u"data", u"rozmiar"};

QString TekstDaty(qint32 d, bool zGodzina) {
    const quint32 v = quint32(d);
    QString t = zeroPad((v >> 25) + 1980, 4) + u'-' + zeroPad((v >> 21) & 15, 2) + u'-' + zeroPad((v >> 16) & 31, 2);
    if (zGodzina)
        t += u"  "_s + zeroPad((v >> 11) & 31, 2) + u':' + zeroPad((v >> 5) & 63, 2);
    return t;
}

// The folder above ("C:\MUZYKA" gives "C:", "/tmp/x" gives "/tmp").
QString Nadrzedny(const QString& k) {
    const qsizetype i = std::max(k.lastIndexOf(u'\\'), k.lastIndexOf(u'/'));
    if (i < 0)
        return k;
    if (i == 2 && KatalogGlowny(k.left(2)))
        return k.left(2);
    return i == 0 ? k.left(1) : k.left(i);
}

// One listing handed to a worker. Shared, because the operator may stop
// waiting (Esc) and leave the worker to finish alone on a share that hangs.
struct Odczyt {
    ListaKatalogu lista;
    QString typy;
    int sortowanie = 1;
    bool dobrze = false, dysk = false;
    // The browser opening: a start folder that is not one gives the
    // program's default folder.
    bool zDomyslnym = false;
    int kod = 0;
    qint64 zajete = 0, wolne = 0;
    // The GUI thread's own: the listing is in, the wait was given up, the
    // progress window is shown, the loop that waits.
    bool gotowe = false, porzucony = false, stan = false;
    QEventLoop* petla = nullptr;
};

std::mutex robotnicyMutex;
std::condition_variable robotnicyKoniec;
int robotnicy = 0;
int czekania = 0;

void UruchomOdczyt(const std::shared_ptr<Odczyt>& o) {
    {
        const std::lock_guard l(robotnicyMutex);
        ++robotnicy;
    }
    // Everything the worker posts runs on the GUI thread, and only while
    // that listing is still waited for.
    const auto naGui = [o](auto krok) {
        if (QCoreApplication* a = QCoreApplication::instance())
            QMetaObject::invokeMethod(a, [o, krok] { krok(*o); }, Qt::QueuedConnection);
    };
    std::thread([o, naGui, hak = KatalogPrzedOdczytem] {
        if (hak)
            hak(o->lista.Katalog);
        if (o->zDomyslnym) {
            const QString& k = o->lista.Katalog;
            if (k.isEmpty() || !JestKatalog(KatalogGlowny(k) ? k + u'\\' : k)) {
                const QString d = KatalogDomyslny();
                o->lista.Katalog = platform::hasDriveLetter(d) ? d.left(2) : d;
            }
        }
        o->dobrze = KatalogCzytajKod(o->lista, o->typy, o->sortowanie, o->kod, [naGui](bool poczatek) {
            naGui([poczatek](Odczyt& x) {
                if (x.porzucony)
                    return;
                x.stan = poczatek;
                if (poczatek)
                    PokazStan(u"Odczyt zbiorów - proszę czekać"_s, QString(), false);
                else
                    ZamknijStan();
            });
        });
        const QString& k = o->lista.Katalog;
        o->dysk = platform::hasDriveLetter(k) && platform::driveSpace(k[0].toUpper(), o->zajete, o->wolne);
        naGui([](Odczyt& x) {
            x.gotowe = true;
            if (x.petla)
                x.petla->quit();
        });
        {
            const std::lock_guard l(robotnicyMutex);
            --robotnicy;
        }
        robotnicyKoniec.notify_all();
    }).detach();
}

// While a listing is waited for: Esc ends the wait, whichever window has
// the keys (on opening it is still the window the browser was opened from);
// whatever else comes to the browser is dropped, so nothing typed meanwhile
// acts on the list that comes in. A modal window opened over the wait keeps
// its own keys.
class FiltrCzekania final : public QObject {
public:
    explicit FiltrCzekania(TKatalog& okno) : okno_(okno), modalny_(QApplication::activeModalWidget()) {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* cel, QEvent* e) override {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel: break;
        default: return false;
        }
        const QWidget* modalny = QApplication::activeModalWidget();
        if (modalny != modalny_ && modalny != &okno_)
            return false;
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            okno_.PrzerwijCzytanie();
            return true;
        }
        if (const auto* w = qobject_cast<QWidget*>(cel))
            return w->window() == &okno_;
        return cel == okno_.windowHandle();
    }

private:
    TKatalog& okno_;
    const QWidget* modalny_;
};

}  // namespace

std::function<void(const QString& katalog)> KatalogPrzedOdczytem;

bool KatalogCzeka() { return czekania > 0; }

void KatalogOproznij() {
    std::unique_lock l(robotnicyMutex);
    robotnicyKoniec.wait(l, [] { return robotnicy == 0; });
}

TKatalog* OknoKatalogu() { return oknoProgramu.data(); }

TKatalog::TKatalog(QWidget* oknoGlowne) : OknoDialogu(u"Nagrania"_s, 796, 542) {
    if (oknoGlowne)
        setParent(oknoGlowne, windowFlags());
    if (!oknoProgramu)
        oknoProgramu = this;
    UstawAnuluj(10, false);
    for (const OpisPrzycisku& p : Gorne)
        DodajPrzycisk(RectWH(0, 0, 1, 1), QString::fromUtf16(p.tytul), p.kod);
    for (const OpisPrzycisku& p : Prawe)
        DodajPrzycisk(RectWH(0, 0, 1, 1), QString::fromUtf16(p.tytul), p.kod);
    for (int i = 0; i < LiczbaKatalogowPrzyciskowych; ++i)
        DodajPrzycisk(RectWH(0, 0, 1, 1), QString(), quint16(1601 + i));
    DodajPrzycisk(RectWH(0, 0, 1, 1), u"Opuść"_s, 10);
    DodajPrzycisk(RectWH(0, 0, 1, 1), u"Akceptuj"_s, 20);
}

TKatalog::~TKatalog() = default;

int TKatalog::IndeksPrzycisku(quint16 kod) {
    // Accept answers 1514 in folder mode.
    const int i = IndeksKodu(kod);
    return i < 0 && kod == 20 ? IndeksKodu(1514) : i;
}

const BUTTONType* TKatalog::PrzyciskKomendy(quint16 kod) {
    const int i = IndeksPrzycisku(kod);
    return i < 0 ? nullptr : &Przycisk(i);
}

bool TKatalog::FolderMode() const { return stan_.Typy.contains(u".KAT"_s, Qt::CaseInsensitive); }

int TKatalog::WysokoscWiersza() const { return powiekszone_ ? 25 : 20; }

TRect TKatalog::ProstokatListy() const {
    TRect r;
    Prostokat(r, 8, kGora, width() - 118, height() - 136);
    return r;
}

TRect TKatalog::ProstokatPaska() const {
    TRect r;
    Prostokat(r, width() - 114, kGora, width() - 96, height() - 136);
    return r;
}

int TKatalog::WierszyStrony() const {
    const TRect r = ProstokatListy();
    return std::max(1, (r.Bottom - r.Top - 8) / WysokoscWiersza());
}

QPoint TKatalog::PunktWiersza(int wiersz) const {
    const TRect r = ProstokatListy();
    return QPoint((r.Left + r.Right) / 2, r.Top + 4 + (wiersz - 1) * WysokoscWiersza() + WysokoscWiersza() / 2);
}

// ---- opening ----

void TKatalog::Rozmiesc() {
    const bool czternascie = Katalogi.Czy14Katalogow;
    const int w = powiekszone_ ? 1164 : 796;
    const int h = (powiekszone_ ? 714 : 542) + (czternascie ? (powiekszone_ ? 44 : 26) : 0);
    QFont f = powiekszone_ ? QFont(u"Arial"_s, 12) : QFont(u"MS Sans Serif"_s, 8);
    f.setStyleStrategy(QFont::NoAntialias);
    setFont(f);
    setFixedSize(w, h);
    TRect calosc;
    Prostokat(calosc, 0, 0, w - 1, h - 1);
    PoleKolorE(calosc, KolorTlaPrzycisku);
    const int bw = (w - 16) / int(std::size(Gorne));
    const int bh = powiekszone_ ? 28 : 24;
    int i = 0;
    for (; i < int(std::size(Gorne)); ++i)
        BUTTON_Rect(Przycisk(i), RectWH(8 + i * bw, 8, bw - 4, bh));
    for (int j = 0; j < int(std::size(Prawe)); ++j, ++i)
        BUTTON_Rect(Przycisk(i), RectWH(w - 88, kGora + j * (bh + 4), 80, bh));
    const TRect lista = ProstokatListy();
    const int kw = (w - 16) / 7;
    for (int j = 0; j < LiczbaKatalogowPrzyciskowych; ++j, ++i)
        BUTTON_Rect(Przycisk(i), RectWH(8 + (j % 7) * kw, lista.Bottom + 14 + 2 * WysokoscWiersza() + (j / 7) * (bh + 2), kw - 4, bh));
    BUTTON_Rect(Przycisk(i++), RectWH(w - 200, h - bh - 8, 92, bh));
    BUTTON_Rect(Przycisk(i), RectWH(w - 100, h - bh - 8, 92, bh));
}

void TKatalog::UstawPrzyciski() {
    const auto ustaw = [this](quint16 kod, bool widoczny) { BUTTON_SetVisible(Przycisk(IndeksPrzycisku(kod)), widoczny); };
    for (quint16 k = 1411; k <= 1414; ++k)
        BUTTON_SetState(Przycisk(IndeksPrzycisku(k)), k % 10 == stan_.Sortowanie);
    ustaw(1412, stan_.Typy.size() >= 5);
    ustaw(213, stan_.Typy.contains(u"WAV"_s, Qt::CaseInsensitive));
    ustaw(4, Katalogi.CzyKasZmien && stan_.KasujZmien);
    ustaw(3, Katalogi.CzyKasZmien && stan_.KasujZmien);
    const QString dodatkowe[] = {stan_.Przycisk1, stan_.Przycisk2, stan_.Przycisk3};
    for (int j = 0; j < 3; ++j) {
        BUTTONType& b = Przycisk(IndeksPrzycisku(quint16(1511 + j)));
        BUTTON_SetTitle(b, dodatkowe[j]);
        // The caller's title brings its hot letter ("~Info" is Ctrl+I).
        b.Klawisz = KlawiszTytulu(dodatkowe[j]);
        BUTTON_SetVisible(b, !dodatkowe[j].isEmpty());
    }
    for (int j = 0; j < LiczbaKatalogowPrzyciskowych; ++j) {
        BUTTONType& b = Przycisk(IndeksPrzycisku(quint16(1601 + j)));
        BUTTON_SetTitle(b, Katalogi.KatOpis[size_t(j)]);
        BUTTON_SetVisible(b, j < 7 || Katalogi.Czy14Katalogow);
    }
    BUTTONType& filtr = Przycisk(IndeksPrzycisku(214));
    BUTTON_SetVisible(filtr, Katalogi.CzyKatalogFiltr);
    BUTTON_SetTitle(filtr, lista_.FiltrWlaczony ? charsAt(lista_.Filtr, 1, 11) : u"FILTR"_s);
    BUTTON_SetState(filtr, lista_.FiltrWlaczony);
    BUTTON_SetTitle(Przycisk(IndeksPrzycisku(215)), powiekszone_ ? u"Zmniejsz"_s : u"Powiększ"_s);
    BUTTONType& akceptuj = Przycisk(IndeksPrzycisku(20));
    akceptuj.Kod = FolderMode() ? 1514 : 20;
    CzyscMiejscaPrzyciskow();
}

void TKatalog::PokazKatalog(KatStan& stan) {
    // Opened again by a command that came while it lists: the window is
    // the first caller's.
    if (czyta_) {
        stan.WybranyZRozszerzeniem.clear();
        stan.Wybrany.clear();
        stan.WybranaSciezka.clear();
        return;
    }
    stan_ = stan;
    stan_.Sortowanie = quint8(std::clamp(Katalogi.Sortowanie, 1, 4));
    quint8 tryb = trybOstatni_;
    if (tryb < 1 || tryb > 5)
        tryb = 3;
    if ((tryb == 3 && stan_.Tryb3Tekst.isEmpty()) || (tryb == 4 && stan_.Tryb4Tekst.isEmpty()) ||
        (tryb == 5 && stan_.Tryb5Tekst.isEmpty()))
        tryb = 2;
    stan_.Tryb = tryb;
    if (!uzyte_) {
        lista_.FiltrWlaczony = Katalogi.CzyKatalogFiltrWlaczony;
        lista_.Filtr = Katalogi.KatalogFiltr;
        uzyte_ = true;
    }
    // A drive root is kept as two characters ("C:\" is "C:").
    QString start = stan_.KatalogStart;
    if (start.size() == 3 && KatalogGlowny(start.left(2)) && (start[2] == u'\\' || start[2] == u'/'))
        start = start.left(2);
    // Whether it is a folder is looked at by the listing's worker.
    lista_.Katalog = start;
    setWindowTitle(stan_.Tytul.isEmpty() ? u"Nagrania"_s : charsAt(stan_.Tytul, 1, 27));
    Rozmiesc();
    UstawPrzyciski();
    kursor_ = pierwszy_ = 1;
    if (!Czytaj(QString(), true) && porzucone_) {
        // The operator stopped waiting for the listing: as if he left.
        stan.WybranyZRozszerzeniem.clear();
        stan.Wybrany.clear();
        stan.WybranaSciezka.clear();
        KatalogWynikLiczba = 0;
        return;
    }
    Rysuj();
    if (PokazModalnie(parentWidget()) != 20) {
        stan_.WybranyZRozszerzeniem.clear();
        stan_.Wybrany.clear();
        stan_.WybranaSciezka.clear();
        KatalogWynikLiczba = 0;
    }
    trybOstatni_ = stan_.Tryb;
    Katalogi.Sortowanie = stan_.Sortowanie;
    Katalogi.Tryb = stan_.Tryb;
    stan = stan_;
}

// ---- reading ----

void TKatalog::PrzerwijCzytanie() {
    if (!petlaCzytania_)
        return;
    porzucone_ = true;
    petlaCzytania_->quit();
}

bool TKatalog::Czytaj(QString zachowaj, bool zDomyslnym) {
    // The GUI thread runs the on-air tick: the disk is read on a worker while
    // it goes on serving events (the console's keys too), and the window
    // takes the new list after.
    auto o = std::make_shared<Odczyt>();
    o->lista.Katalog = lista_.Katalog;
    o->lista.FiltrWlaczony = lista_.FiltrWlaczony;
    o->lista.Filtr = lista_.Filtr;
    o->typy = FolderMode() ? QString() : stan_.Typy;
    o->sortowanie = stan_.Sortowanie;
    o->zDomyslnym = zDomyslnym;
    UruchomOdczyt(o);
    czyta_ = true;
    porzucone_ = false;
    ++czekania;
    {
        QEventLoop petla;
        o->petla = petlaCzytania_ = &petla;
        const FiltrCzekania filtr(*this);
        if (!o->gotowe)
            petla.exec();
        o->petla = petlaCzytania_ = nullptr;
    }
    --czekania;
    czyta_ = false;
    if (!o->gotowe) {
        // The worker's list, when it comes, is dropped; an open window shows
        // the list it had, read as it was read.
        o->porzucony = true;
        if (o->stan)
            ZamknijStan();
        if (Otwarte()) {
            lista_.Katalog = przeczytany_.katalog;
            lista_.Filtr = przeczytany_.filtr;
            lista_.FiltrWlaczony = przeczytany_.filtrWlaczony;
            stan_.Sortowanie = przeczytany_.sortowanie;
            stan_.Tryb = przeczytany_.tryb;
        }
        return false;
    }
    porzucone_ = false;
    const bool dobrze = o->dobrze;
    const qint64 wolne = o->wolne;
    BladIO = o->kod;
    lista_ = std::move(o->lista);
    dyskJest_ = o->dysk;
    zajete_ = o->zajete;
    wolne_ = wolne;
    przeczytany_ = {lista_.Katalog, lista_.Filtr, lista_.FiltrWlaczony, stan_.Sortowanie, stan_.Tryb};
    teksty_.assign(size_t(lista_.Liczba) + 1, QString());
    tekstyJest_.assign(size_t(lista_.Liczba) + 1, false);
    if (!dobrze) {
        PokazBladKod(BladIO, QString(), lista_.Katalog);
        return false;
    }
    if (DyskLokalny(lista_.Katalog)) {
        const int pliki = lista_.Liczba - lista_.KoniecKatalogow;
        if (Katalogi.MaxNum >= 1 && pliki > Katalogi.MaxNum)
            PokazInfo(u"Liczba zbiorów w katalogu ("_s + QString::number(pliki) + u")większa od założonej ("_s +
                          QString::number(Katalogi.MaxNum) + u')',
                      u"Proszę uporządkować katalog"_s);
        if (Katalogi.MinRozm >= 1 && dyskJest_) {
            const qint64 mb = qint64(std::nearbyint(double(wolne) / 1048576.0));
            if (mb < Katalogi.MinRozm)
                PokazInfo(u"Wolny rozmiar dysku ("_s + QString::number(mb) + u"MB) mniejszy od założonego ("_s +
                              QString::number(Katalogi.MinRozm),
                          u"Proszę uporządkować katalog"_s);
        }
    }
    int n = 1;
    if (!zachowaj.isEmpty())
        for (int i = 1; i <= lista_.Liczba; ++i)
            if (lista_.Pozycje[size_t(i)].Nazwa.compare(zachowaj, Qt::CaseInsensitive) == 0) {
                n = i;
                break;
            }
    pierwszy_ = 1;
    UstawKursor(n);
    return true;
}

// ---- drawing ----

QString TKatalog::SciezkaPozycji(int n) const {
    const TInfoZb& p = lista_.Pozycje[size_t(n)];
    return KatalogZNazwa(lista_.Katalog, p.Nazwa + p.Rozszerzenie);
}

QString TKatalog::TekstWiersza(int n) {
    const TInfoZb& p = lista_.Pozycje[size_t(n)];
    if (n <= lista_.Dyski)
        return p.Nazwa;
    if (p.Katalog())
        return stan_.Tryb == 1 ? p.Nazwa : p.Nazwa + u"\t\t<KATALOG>\t"_s + TekstDaty(p.Data, true);
    if (stan_.Tryb == 1)
        return p.Nazwa;
    QString liczba, jednostka;
    TekstRozmiaru(p.Rozmiar, liczba, jednostka);
    if (stan_.Tryb == 2)
        return p.Nazwa + u'\t' + p.Rozszerzenie + u'\t' + liczba + jednostka + u'\t' + TekstDaty(p.Data, true);
    // The providers read the file: only rows drawn ask, once per read.
    if (!tekstyJest_[size_t(n)]) {
        const QString s = SciezkaPozycji(n);
        QString t;
        ++wywolania_;
        if (stan_.Tryb == 3 && stan_.Tryb3) {
            t = stan_.Tryb3(s);
            if (t.trimmed().isEmpty())
                t = u"Nie ma opisu"_s;
            t = p.Nazwa + u'\t' + p.Rozszerzenie + u'\t' + t + u'\t' + TekstDaty(p.Data, false);
        } else if (stan_.Tryb == 4 && stan_.Tryb4) {
            const OpisFormatuTyp o = stan_.Tryb4(s);
            t = p.Nazwa + u'\t' + p.Rozszerzenie + u'\t' + o.Czas + u"  "_s + o.Przeplywnosc + u"  "_s + o.Bity +
                u"  "_s + o.Kanaly + u"  "_s + o.Probkowanie;
        } else if (stan_.Tryb == 5 && stan_.Tryb5) {
            t = stan_.Tryb5(s);
            t = t.trimmed().isEmpty() ? p.Nazwa + u" - Nie ma opisu"_s : t;
        }
        teksty_[size_t(n)] = t;
        tekstyJest_[size_t(n)] = true;
    }
    return teksty_[size_t(n)];
}

void TKatalog::Rysuj() {
    UstawPrzyciski();
    RysujPrzyciski();
    RysujListe();
}

void TKatalog::RysujListe() {
    const TRect r = ProstokatListy();
    PoleWklesleE(r, kTloListy, KolorBialy, kCiemny);
    const int h = WysokoscWiersza();
    const int strona = WierszyStrony();
    const double skala = width() / 796.0;
    const int kolumny[] = {6, int(230 * skala), int(280 * skala), int(500 * skala)};
    // On the row after the folders, and only while that row is on the page:
    // the list box is all that a redraw clears.
    const int wierszPusty = lista_.Liczba - pierwszy_ + 1;
    if (lista_.Liczba == lista_.KoniecKatalogow && wierszPusty >= 0 && wierszPusty < strona)
        PiszxyKolorE(r.Left + 8, r.Top + 4 + wierszPusty * h, u"W katalogu nie ma zbiorów"_s, KolorBialy);
    for (int i = 0; i < strona; ++i) {
        const int n = pierwszy_ + i;
        if (n > lista_.Liczba)
            break;
        const int y = r.Top + 4 + i * h;
        const TInfoZb& p = lista_.Pozycje[size_t(n)];
        const TColor kolor = p.Znak ? kZnaczony : p.Katalog() ? kKatalog : KolorBialy;
        const QStringList pola = TekstWiersza(n).split(u'\t');
        for (int k = 0; k < pola.size() && k < 4; ++k) {
            const int x = r.Left + kolumny[k];
            const int do_ = k + 1 < 4 && k + 1 < pola.size() ? r.Left + kolumny[k + 1] - 8 : r.Right - 8;
            PiszxyKolorE(x, y + 2, Dopasuj(pola[k], do_ - x), kolor);
        }
        if (n == kursor_) {
            TRect ramka;
            Prostokat(ramka, r.Left + 3, y, r.Right - 3, y + h - 1);
            ProstokatKolorE(ramka, KolorBialy);
        }
    }
    RysujPasekPrzewijania(ProstokatPaska(), kursor_, lista_.Liczba);
    RysujStatus();
}

void TKatalog::RysujStatus() {
    const TRect l = ProstokatListy();
    TRect r;
    Prostokat(r, 8, l.Bottom + 6, width() - 96, l.Bottom + 8 + 2 * WysokoscWiersza());
    PoleWklesleE(r, KolorTlaPrzycisku, KolorBialy, kCiemny);
    // Measured with the listing: a cursor key asks the disk nothing.
    const bool dysk = dyskJest_;
    QString zl, zj, wl, wj;
    TekstRozmiaru(zajete_, zl, zj);
    TekstRozmiaru(wolne_, wl, wj);
    const QString dyskTekst = platform::hasDriveLetter(lista_.Katalog)
                                  ? (DyskLokalny(lista_.Katalog) ? u"lok.: "_s : u"sieć: "_s) + lista_.Katalog.left(2)
                                  : QString();
    QString linia1 = u"Zbiorów: "_s + QString::number(lista_.Liczba - lista_.KoniecKatalogow);
    if (dysk)
        linia1 += u"   "_s + dyskTekst + u"   Zajęte: "_s + zl.trimmed() + zj + u"   Wolne: "_s + wl.trimmed() + wj;
    linia1 += u"   Sortowanie: "_s + QString::fromUtf16(NazwySortowania[stan_.Sortowanie - 1]) + u"   Filtr: "_s +
              (lista_.FiltrWlaczony ? lista_.Filtr : u"-"_s);
    QString linia2 = lista_.Katalog;
    if (kursor_ >= 1 && kursor_ <= lista_.Liczba) {
        const TInfoZb& p = lista_.Pozycje[size_t(kursor_)];
        QString opis;
        if (kursor_ <= lista_.Dyski)
            opis = DyskLokalny(p.Nazwa) ? u"napęd dyskowy lokalny"_s : u"napęd dyskowy sieciowy"_s;
        else if (p.Nazwa == u".."_s)
            opis = u"katalog nadrzędny"_s;
        else if (p.Katalog())
            opis = u"podkatalog"_s;
        else
            opis = (p.Atrybuty & 1) ? u"zbiór tylko do odczytu"_s : u"zbiór do odczytu i zapisu"_s;
        linia2 += u"   "_s + p.Nazwa + p.Rozszerzenie + u" - "_s + opis;
    }
    PiszxyKolorE(r.Left + 6, r.Top + 4, Dopasuj(linia1, r.Right - r.Left - 12), KolorCzarny);
    PiszxyKolorE(r.Left + 6, r.Top + 4 + (r.Bottom - r.Top) / 2, Dopasuj(linia2, r.Right - r.Left - 12),
                 KolorCzarny);
}

// ---- input ----

void TKatalog::showEvent(QShowEvent* zdarzenie) {
    OknoDialogu::showEvent(zdarzenie);
    setFocus();
}

void TKatalog::wheelEvent(QWheelEvent* zdarzenie) {
    const int krok = zdarzenie->angleDelta().y();
    if (krok == 0) {
        zdarzenie->ignore();
        return;
    }
    zdarzenie->accept();
    Komenda(krok < 0 ? 151 : 150);
}

void TKatalog::ObsluzZdarzenie() {
    if (czyta_) {
        KasujZdarzenie();
        return;
    }
    quint16 kod = 0;
    if (Zdarzenie.Rodzaj == ZdarzenieMysz) {
        setFocus();
        for (int i = 0; i < LiczbaPrzyciskow() && kod == 0; ++i)
            if (BUTTON_Selected(Przycisk(i)))
                kod = Zdarzenie.Kod;
        TRect wiersze = ProstokatListy();
        wiersze.Top += 4;
        wiersze.Bottom = wiersze.Top + WierszyStrony() * WysokoscWiersza() - 1;
        if (kod == 0 && ZdarzenieWProstokacie(wiersze)) {
            const int n = pierwszy_ + (Zdarzenie.Y - wiersze.Top) / WysokoscWiersza();
            if (n == kursor_ && n <= lista_.Liczba)
                kod = MyszPrzycisk == 2 ? 1512 : 20;
            else if (n <= lista_.Liczba) {
                kursor_ = n;
                RysujListe();
            }
        } else if (kod == 0 && ZdarzenieWProstokacie(ProstokatPaska()) && lista_.Liczba > 0) {
            const TRect p = ProstokatPaska();
            UstawKursor(1 + int(qint64(Zdarzenie.Y - p.Top) * lista_.Liczba / (p.Bottom - p.Top + 1)));
            RysujListe();
        }
    } else if (Zdarzenie.Rodzaj == ZdarzenieKlawisz) {
        kod = KomendaKlawisza(Zdarzenie.Kod);
        for (int i = 0; i < LiczbaPrzyciskow() && kod == 0; ++i)
            if (BUTTON_Selected(Przycisk(i)))
                kod = Zdarzenie.Kod;
        if (kod == 0 && (Zdarzenie.Kod & 0xFF) > 32 && (Zdarzenie.Kod & 0xFF) < 127) {
            const QChar c(Zdarzenie.Kod & 0xFF);
            KasujZdarzenie();
            SkokLitery(c);
            return;
        }
    }
    KasujZdarzenie();
    if (kod != 0)
        Komenda(kod);
}

void TKatalog::UstawKursor(int n) {
    const int strona = WierszyStrony();
    kursor_ = std::clamp(n, 1, std::max(1, lista_.Liczba));
    if (kursor_ < pierwszy_ || kursor_ >= pierwszy_ + strona)
        pierwszy_ = ((kursor_ - 1) / strona) * strona + 1;
}

void TKatalog::Komenda(quint16 kod) {
    if (czyta_)
        return;
    const int strona = WierszyStrony();
    const int ostatniaStrona = lista_.Liczba > 0 ? ((lista_.Liczba - 1) / strona) * strona + 1 : 1;
    switch (kod) {
    case 10:
        stan_.WybranyZRozszerzeniem.clear();
        stan_.Wybrany.clear();
        stan_.WybranaSciezka.clear();
        KatalogWynikLiczba = 0;
        Zamknij(10);
        return;
    case 20: Akceptuj(); return;
    case 1514:
        if (FolderMode()) {
            stan_.KatalogStart = stan_.WybranaSciezka = lista_.Katalog;
            Zamknij(20);
        }
        return;
    case 101: UstawKursor(1); break;
    case 104:
        kursor_ = std::max(1, lista_.Liczba);
        pierwszy_ = ostatniaStrona;
        break;
    case 102:
    case 151: UstawKursor(kursor_ + 1); break;
    case 103:
    case 150: UstawKursor(kursor_ - 1); break;
    case 152:
        pierwszy_ = std::max(1, pierwszy_ - strona);
        kursor_ = pierwszy_;
        break;
    case 153:
        pierwszy_ = std::min(ostatniaStrona, pierwszy_ + strona);
        kursor_ = std::min(pierwszy_, std::max(1, lista_.Liczba));
        break;
    case 202:
        if (kursor_ > lista_.KoniecKatalogow && kursor_ <= lista_.Liczba) {
            quint8& z = lista_.Pozycje[size_t(kursor_)].Znak;
            z = z ? 0 : 1;
        }
        break;
    case 203:
        for (int i = lista_.KoniecKatalogow + 1; i <= lista_.Liczba; ++i)
            lista_.Pozycje[size_t(i)].Znak = 0;
        break;
    case 1400: NastepnyTryb(); break;
    case 1411:
    case 1412:
    case 1413:
    case 1414:
        stan_.Sortowanie = quint8(kod % 10);
        Czytaj();
        break;
    case 211: Gora(); break;
    case 210: Szukaj(); break;
    case 214: Filtr(); break;
    case 213: BazaWybierz(); return;
    case 215:
        powiekszone_ = !powiekszone_;
        Rozmiesc();
        UstawKursor(kursor_);
        break;
    case 4: Kasuj(); break;
    case 3: Zmien(); break;
    case 1511:
    case 1512:
    case 1513: Dodatkowy(kod); break;
    default:
        if (kod >= 1601 && kod <= 1614)
            PrzyciskKatalogu(kod - 1600);
        else
            return;
        break;
    }
    if (isVisible() || Otwarte())
        Rysuj();
}

// ---- commands ----

void TKatalog::Akceptuj() {
    if (kursor_ < 1 || kursor_ > lista_.Liczba)
        return;
    const TInfoZb p = lista_.Pozycje[size_t(kursor_)];
    if (p.Katalog()) {
        Wejdz(kursor_ <= lista_.Dyski ? p.Nazwa
              : p.Nazwa == u".."_s   ? Nadrzedny(lista_.Katalog)
                                     : KatalogZNazwa(lista_.Katalog, p.Nazwa));
        Rysuj();
        return;
    }
    stan_.KatalogStart = lista_.Katalog;
    stan_.WybranyZRozszerzeniem = p.Nazwa + p.Rozszerzenie;
    stan_.Wybrany = p.Nazwa;
    stan_.WybranaSciezka = SciezkaPozycji(kursor_);
    KatalogWynikZbiory.clear();
    KatalogWynikTeksty.clear();
    for (int i = lista_.KoniecKatalogow + 1; i <= lista_.Liczba && KatalogWynikZbiory.size() < KatalogWynikMaks; ++i)
        if (lista_.Pozycje[size_t(i)].Znak) {
            KatalogWynikZbiory << lista_.Pozycje[size_t(i)].Nazwa;
            KatalogWynikTeksty << SciezkaPozycji(i);
        }
    KatalogWynikLiczba = int(KatalogWynikZbiory.size());
    Zamknij(20);
}

bool TKatalog::Wejdz(const QString& katalog) {
    QString k = katalog;
    if (k.size() == 3 && KatalogGlowny(k.left(2)))
        k = k.left(2);
    if (!JestKatalog(KatalogGlowny(k) ? k + u'\\' : k)) {
        PokazBladKod(3, QString(), k);
        return false;
    }
    const QString stary = lista_.Katalog;
    lista_.Katalog = k;
    // Going up puts the cursor on the folder just left.
    const QString zachowaj = stary.size() > k.size() && stary.startsWith(k, Qt::CaseInsensitive)
                                 ? stary.mid(std::max(stary.lastIndexOf(u'\\'), stary.lastIndexOf(u'/')) + 1)
                                 : QString();
    if (!Czytaj(zachowaj)) {
        if (!porzucone_) {
            lista_.Katalog = stary;
            Czytaj();
        }
        return false;
    }
    if (FolderMode())
        stan_.KatalogStart = lista_.Katalog;
    return true;
}

void TKatalog::Gora() {
    if (KatalogGlowny(lista_.Katalog)) {
        PokazInfo(u"Nie można wyjść z katalogu"_s, u"(katalog główny dysku)"_s);
        return;
    }
    if (!Katalogi.CzyNadkatalog) {
        PokazInfo(u"Nie można wyjść z katalogu"_s, u"(nastawa w zbiorze INI)"_s);
        return;
    }
    Wejdz(Nadrzedny(lista_.Katalog));
}

void TKatalog::NastepnyTryb() {
    const bool t3 = !stan_.Tryb3Tekst.isEmpty(), t4 = !stan_.Tryb4Tekst.isEmpty(), t5 = !stan_.Tryb5Tekst.isEmpty();
    switch (stan_.Tryb) {
    case 1: stan_.Tryb = 2; break;
    case 2: stan_.Tryb = t3 ? 3 : t4 ? 4 : 1; break;
    case 3: stan_.Tryb = t4 ? 4 : 1; break;
    case 4: stan_.Tryb = t5 ? 5 : 1; break;
    default: stan_.Tryb = 1; break;
    }
    const QString nazwa = kursor_ <= lista_.Liczba ? lista_.Pozycje[size_t(kursor_)].Nazwa : QString();
    Czytaj(nazwa);
}

void TKatalog::SkokLitery(QChar znak) {
    const QChar c = znak.unicode() >= u'a' && znak.unicode() <= u'z' ? QChar(znak.unicode() - 32) : znak;
    const auto pierwsza = [&](int n) {
        const QString& nazwa = lista_.Pozycje[size_t(n)].Nazwa;
        const QChar z = nazwa.isEmpty() ? QChar(u' ') : nazwa[0];
        return (z.unicode() >= u'a' && z.unicode() <= u'z' ? QChar(z.unicode() - 32) : z) == c;
    };
    if (lista_.Liczba == 0)
        return;
    int od = kursor_ >= 1 && kursor_ <= lista_.Liczba && pierwsza(kursor_) ? kursor_ + 1 : lista_.Dyski + 1;
    for (int n = od; n <= lista_.Liczba; ++n)
        if (pierwsza(n)) {
            UstawKursor(n);
            RysujListe();
            return;
        }
}

void TKatalog::Szukaj() {
    if (lista_.Liczba == lista_.KoniecKatalogow)
        return;
    TekstPodany.clear();
    if (PodajTekst(u"Nazwę (fragment) szukanego zbioru:"_s) != WynikTak || TekstPodany.isEmpty())
        return;
    const QString szukany = upperPL(TekstPodany);
    int pierwszyTrafiony = 0;
    for (int i = lista_.KoniecKatalogow + 1; i <= lista_.Liczba; ++i) {
        TInfoZb& p = lista_.Pozycje[size_t(i)];
        p.Znak = upperPL(p.Nazwa).contains(szukany) ? 1 : 0;
        if (p.Znak && pierwszyTrafiony == 0)
            pierwszyTrafiony = i;
    }
    if (pierwszyTrafiony)
        UstawKursor(pierwszyTrafiony);
}

void TKatalog::Filtr() {
    if (lista_.FiltrWlaczony) {
        lista_.FiltrWlaczony = false;
        Czytaj();
        return;
    }
    TekstPodany = lista_.Filtr;
    if (PodajTekst(u"Nazwę (fragment) szukanego zbioru:"_s) != WynikTak)
        return;
    lista_.Filtr = Katalogi.KatalogFiltr = upperPL(TekstPodany);
    lista_.FiltrWlaczony = true;
    Czytaj();
}

bool TKatalog::SprawdzPlik(bool kasowanie) {
    if (!(Katalogi.CzyKasZmien && stan_.KasujZmien))
        return false;
    if (kursor_ < 1 || kursor_ > lista_.Liczba || lista_.Pozycje[size_t(kursor_)].Katalog()) {
        PokazBladKod(kasowanie ? 213 : 214);
        return false;
    }
    if (!DyskLokalny(lista_.Katalog) && !Katalogi.CzyKasZmienSiec) {
        PokazInfo(kasowanie ? u"Można kasować zbiory tylko z dysku lokalnego"_s
                            : u"Można zmieniać nazwy zbiorów tylko z dysku lokalnego"_s);
        return false;
    }
    // Linux would unlink or rename a file being played without a word.
    const QString sciezka = SciezkaPozycji(kursor_);
    const QString r = platform::resolvePath(sciezka);
    const bool uzywany = (!stan_.WybranaSciezka.isEmpty() && platform::resolvePath(stan_.WybranaSciezka) == r) ||
                         (KatalogZbiorWUzyciu && KatalogZbiorWUzyciu(sciezka));
    if (uzywany) {
        PokazBladKod(kasowanie ? 210 : 211, QString(), sciezka);
        return false;
    }
    return true;
}

void TKatalog::Kasuj() {
    if (!SprawdzPlik(true))
        return;
    const TInfoZb p = lista_.Pozycje[size_t(kursor_)];
    const QString sciezka = SciezkaPozycji(kursor_);
    if (Decyzja(u"Czy skasować zbiór?"_s, p.Nazwa + p.Rozszerzenie) != WynikTak)
        return;
    const QString ext = p.Rozszerzenie.toUpper();
    if (ext == u".MP3"_s || ext == u".MP2"_s || ext == u".WAV"_s)
        for (const QString& t : {ZbiorOpisu(sciezka), ZbiorObwiedni(sciezka)})
            if (platform::fileExists(t))
                QFile::remove(platform::resolvePath(t));
    const bool usuniety = QFile::remove(platform::resolvePath(sciezka));
    platform::clearPathCache();
    if (!usuniety)
        PokazBladKod(5, QString(), sciezka);
    const int n = kursor_;
    Czytaj();
    UstawKursor(n);
}

void TKatalog::Zmien() {
    if (!SprawdzPlik(false))
        return;
    const TInfoZb p = lista_.Pozycje[size_t(kursor_)];
    TekstPodany = p.Nazwa;
    if (PodajTekst(u"Nową nazwę zbioru:"_s) != WynikTak)
        return;
    const QString nowa = TekstPodany.trimmed();
    if (nowa.isEmpty() || nowa == p.Nazwa)
        return;
    if (!NazwaZbioruDozwolona(nowa)) {
        PokazBlad2(304, nowa);
        return;
    }
    const QString cel = KatalogZNazwa(lista_.Katalog, nowa + p.Rozszerzenie);
    // A name differing only in case is the same file to the program; a
    // folder of that name takes it as surely as a file.
    if ((platform::fileExists(cel) || JestKatalog(cel)) && nowa.compare(p.Nazwa, Qt::CaseInsensitive) != 0) {
        PokazBladKod(212, QString(), cel);
        return;
    }
    const QString zrodlo = platform::resolvePath(SciezkaPozycji(kursor_));
    const QString docel = QFileInfo(zrodlo).absolutePath() + u'/' + nowa + p.Rozszerzenie;
    const bool zmieniony = QFile::rename(zrodlo, docel);
    platform::clearPathCache();
    if (!zmieniony) {
        PokazBladKod(5, QString(), cel);
        return;
    }
    Czytaj(nowa);
}

void TKatalog::BazaWybierz() {
    Baza();
    setFocus();
    if (BazaWynikAdres.isEmpty()) {
        Rysuj();
        return;
    }
    stan_.WybranaSciezka = BazaWynikAdres;
    stan_.Wybrany = NazwaSciezki(BazaWynikAdres);
    stan_.WybranyZRozszerzeniem = stan_.Wybrany + RozszerzenieSciezki(BazaWynikAdres);
    KatalogWynikLiczba = 0;
    Zamknij(20);
}

void TKatalog::Dodatkowy(quint16 kod) {
    if (lista_.Liczba < 1 || kursor_ < 1 || kursor_ > lista_.Liczba)
        return;
    // A copy: the routines and the re-read below rebuild the list.
    const TInfoZb p = lista_.Pozycje[size_t(kursor_)];
    const QString sciezka = SciezkaPozycji(kursor_);
    if (kod == 1511 && stan_.Akcja1 && !p.Katalog()) {
        if (stan_.Akcja1(p.Nazwa, sciezka))
            Czytaj(p.Nazwa);
    } else if (kod == 1512 && stan_.Akcja2 && !p.Katalog() && OdsluchDozwolony(sciezka)) {
        const QPoint w = mapToGlobal(PunktWiersza(kursor_ - pierwszy_ + 1));
        TRect r;
        Prostokat(r, mapToGlobal(QPoint(ProstokatListy().Left, 0)).x(), w.y() + WysokoscWiersza() / 2,
                  mapToGlobal(QPoint(ProstokatListy().Right, 0)).x(), w.y() + WysokoscWiersza() / 2 + 100);
        stan_.Akcja2(p.Nazwa, sciezka, r);
    } else if (kod == 1513 && stan_.Akcja3) {
        stan_.Akcja3(lista_.Katalog);
        Czytaj(p.Nazwa);
    }
    setFocus();
}

void TKatalog::PrzyciskKatalogu(int numer) {
    if (numer > 7 && !Katalogi.Czy14Katalogow)
        return;
    QString k = Katalogi.KatAdres[size_t(numer - 1)];
    const QString zachowaj = kursor_ >= 1 && kursor_ <= lista_.Liczba ? lista_.Pozycje[size_t(kursor_)].Nazwa : QString();
    while (k.size() > 2 && (k.endsWith(u'\\') || k.endsWith(u'/')))
        k.chop(1);
    if (!JestKatalog(KatalogGlowny(k) ? k + u'\\' : k)) {
        PokazBladKod(3, QString(), k);
        return;
    }
    const QString stary = lista_.Katalog;
    lista_.Katalog = k;
    if (!Czytaj(zachowaj)) {
        if (!porzucone_) {
            lista_.Katalog = stary;
            Czytaj();
        }
        return;
    }
    if (FolderMode())
        stan_.KatalogStart = lista_.Katalog;
}

void PokazKatalog(KatStan& stan) {
    if (TKatalog* okno = OknoKatalogu()) {
        okno->PokazKatalog(stan);
        return;
    }
    TKatalog okno;
    okno.PokazKatalog(stan);
}
