#include "playlists/D_Timelista.h"

#include <cerrno>
#include <utility>

#include "audio/Sygnaly2.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

std::array<TElemTListy, MaksTimelisty + 1> Timelista;
StanListy StanTimelisty;
QString TimelistaZbior;
QString TimelistaNazwa;

namespace {

const QString bezCzasu = QStringLiteral("--:--:--");

bool wZakresie(int i) { return i >= 0 && i <= MaksTimelisty; }

// One entry from the file's current place; `f` is left after its address line.
TElemTListy czytajWpis(PlikTekstowy& f) {
    TElemTListy w;
    const QString linia = f.CzytajLinie();
    const QString czas = charsFromTo(linia, 1, 8);
    w.Czas = czas == bezCzasu ? -1 : CzytajCzas(czas, 1);
    w.Tyt = charsFromTo(linia, 10, int(linia.size()));
    w.Adr = f.CzytajLinie();
    if (w.Tyt.isEmpty()) w.Tyt = QStringLiteral(" ");
    if (w.Adr.isEmpty()) w.Adr = QStringLiteral(" ");
    w.Stan = 0;
    w.Trw = 0;
    if (w.Adr != QLatin1String(" ")) {
        const int blad = BladIO;
        w.Trw = CzasTrwaniaPliku(w.Adr);
        BladIO = blad;
    }
    return w;
}

// Whether anything but blank lines is left: a blank tail is no entry.
bool saWpisy(const PlikTekstowy& f) {
    const QStringList& l = f.Linie();
    for (qsizetype i = f.Pozycja(); i < l.size(); ++i)
        if (!trimRight(l[i]).isEmpty()) return true;
    return false;
}

void komunikatLimitu() {
    PokazInfo(QStringLiteral("Brak pamięci na wczytanie całej listy !"),
              QStringLiteral("(Maksymalnie ") + QString::number(MaksTimelisty) + QStringLiteral("\t pozycji)"));
}

}  // namespace

void WyczyscElemTListy(int i) {
    if (wZakresie(i)) Timelista[i] = TElemTListy{};
}

void ZamienElemTListy(int i, int j) {
    if (!wZakresie(i) || !wZakresie(j)) return;
    TElemTListy t = Timelista[i];
    Timelista[i] = Timelista[j];
    Timelista[j] = t;
}

void InitTimelista(StanListy& stan, const QString& nazwa, const TRect& panel, qint32 pojemnosc, qint32 wierszy) {
    UstawStanListy(stan, nazwa, panel, pojemnosc, wierszy);
    for (int i = 1; i <= std::min<qint32>(pojemnosc, MaksTimelisty); ++i) WyczyscElemTListy(i);
}

void CzyscTimeliste() {
    // Every entry, whatever capacity the list state was given (a list read
    // before any panel set it must leave nothing of the previous one).
    for (int i = 1; i <= MaksTimelisty; ++i) WyczyscElemTListy(i);
}

bool ZapiszTimeliste(const QString& plik) {
    QStringList l;
    const int n = std::clamp<qint32>(StanTimelisty.Ilosc, 0, MaksTimelisty);
    l.reserve(2 * n);
    for (int i = 1; i <= n; ++i) {
        const TElemTListy& w = Timelista[i];
        const QString czas = w.Czas < 0 ? bezCzasu : PiszCzas(1, w.Czas);
        l << czas + QLatin1Char(' ') + oneLine(w.Tyt);
        l << oneLine(w.Adr);
    }
    errno = 0;
    QString blad;
    if (!platform::writeTextFileAtomic(platform::resolvePath(plik), l, &blad)) {
        BladIO = errno ? KodBleduZErrno(errno) : 101;
        if (BladIO == 0) BladIO = 101;
        Log(QStringLiteral("Zapis timelisty nieudany: ") + plik + QStringLiteral(" (") + blad + QLatin1Char(')'));
        return false;
    }
    BladIO = 0;
    return true;
}

void WczytajTimeliste(const QString& plik) {
    PlikTekstowy f;
    if (!f.Otworz(plik)) return;
    int n = 0;
    while (n < MaksTimelisty && saWpisy(f)) Timelista[++n] = czytajWpis(f);
    if (n >= MaksTimelisty && saWpisy(f)) komunikatLimitu();
    BladIO = 0;
    StanTimelisty.Ilosc = n;
    StanTimelisty.Kursor = 1;
    StanTimelisty.Pierwszy = 1;
}

void DoklejTimeliste(const QString& plik) {
    PlikTekstowy f;
    if (!f.Otworz(plik)) return;
    int n = std::clamp<qint32>(StanTimelisty.Ilosc, 0, MaksTimelisty);
    while (n < MaksTimelisty && saWpisy(f)) {
        TElemTListy w = czytajWpis(f);
        w.Stan = StanDoklejony;
        // After the last entry that is not later: equal times keep the old
        // entries first, then the appended ones in file order.
        int po = 0;
        for (int i = n; i >= 1; --i)
            if (Timelista[i].Czas <= w.Czas) {
                po = i;
                break;
            }
        for (int i = n; i > po; --i) Timelista[i + 1] = std::move(Timelista[i]);
        Timelista[po + 1] = std::move(w);
        ++n;
    }
    if (n >= MaksTimelisty && saWpisy(f)) komunikatLimitu();
    BladIO = 0;
    StanTimelisty.Ilosc = n;
    StanTimelisty.Pierwszy = 1;
}

qint32 GodzinaTytulu(const QString& tekst) {
    const int dwukropek = findText(QStringLiteral(":"), tekst);
    if (dwukropek < 3) return -1;
    const QString hhmm = charsAt(tekst, dwukropek - 2, 5);
    if (hhmm.size() != 5) return -1;
    return CzytajCzas(hhmm + QStringLiteral(":00"), 1);
}

int ZnajdzGodzineTListy(const QString& tekst) {
    const qint32 t = GodzinaTytulu(tekst);
    if (t < 0) return 0;
    const int n = std::clamp<qint32>(StanTimelisty.Ilosc, 0, MaksTimelisty);
    for (int i = 1; i <= n; ++i)
        if (Timelista[i].Czas == t) return i;
    return 0;
}

int SzukajGodzinyTListy(const QString& tekst) { return ZnajdzGodzineTListy(tekst); }

qint64 SumaCzasowGodzinyTListy(const QString& tekst) {
    const qint32 t = GodzinaTytulu(tekst);
    if (t < 0) return 0;
    const int n = std::clamp<qint32>(StanTimelisty.Ilosc, 0, MaksTimelisty);
    qint64 suma = 0;
    for (int i = 1; i <= n; ++i)
        if (Timelista[i].Czas == t) suma += Timelista[i].Trw;
    return suma;
}

void ZerujStanGodzinyTListy() {
    const int n = std::clamp<qint32>(StanTimelisty.Ilosc, 0, MaksTimelisty);
    const int k = StanTimelisty.Kursor;
    if (n == 0 || k < 1 || k > n) return;
    const qint32 t = Timelista[k].Czas;
    for (int i = k; i <= n; ++i)
        if (Timelista[i].Czas == t) Timelista[i].Stan = quint8(Timelista[i].Stan / 100 * 100);
}
