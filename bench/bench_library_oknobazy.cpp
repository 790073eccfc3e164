// The database window at full size: 60 000 generated records, the window's
// own commands with their redraw. Goal: each under 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

#include "foundation/DialogiSkrypt.h"
#include "foundation/KestSter2.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaOkno.h"
#include "library/DBazaWidok.h"
#include "platform/Paths.h"

namespace {

struct Stacja {
    QTemporaryDir dir;
    DialogiSkrypt dialogi;
    std::unique_ptr<TBaza> okno;
    Stacja() {
        platform::setProgramFolder(dir.path());
        KatalogStartowy = dir.path();
        BazaNastawyDomyslne();
        BazaNagran.BazaLicznikJest = true;
        const char* const kategorie[] = {"MUZYKA", "MUZYKA", "MUZYKA", "JINGIEL", "REKLAMA", "DJ"};
        for (int i = 1; i <= BazaMaks; ++i) {
            BAZARekordTyp& r = *BazaRekordy.Dodaj();
            const qint64 j = i;
            const QString n = QString::number((j * 7919) % BazaMaks);
            r.Tyt = QChar(u'A' + int(j * 31 % 26)) + QStringLiteral("ytuł nagrania ") + n;
            r.Wyk = QChar(u'A' + int(j * 17 % 26)) + QStringLiteral("ykonawca ") + QString::number((j * 104729) % 5000);
            r.Kod = QStringLiteral("K") + n;
            r.Dlugosc = qint32(60000 + (j * 31337) % 400000);
            r.Tot = BazaTotTekst(r.Dlugosc);
            r.Adr = QStringLiteral("D:\\MUZYKA\\A") + QString::number(i) + QStringLiteral(".MP3");
            r.Kat = QString::fromLatin1(kategorie[i % 6]);
            r.Gen = QStringLiteral("F - Female");
            r.EmC = quint16(i % 50);
            r.EmO = QStringLiteral("2024-01-05 12:00:00");
        }
        BazaAdresyZmienione();
        BazaBudujIndeksy();
        BazaWczytana = true;
        okno = std::make_unique<TBaza>();
    }
};

Stacja& stacja() {
    static Stacja s;
    return s;
}

// The view, the letter and the category every benchmark starts from.
TBaza& Okno(int sort) {
    TBaza& o = *stacja().okno;
    BazaWidok.BazaKategoria = 0;
    BazaWidok.BazaLitera = 1;
    o.Komenda(quint16(8010 + sort));
    return o;
}

// The whole list made again after the table changed (a build, a read, a
// copy): every record walked in the length order, then the page drawn.
void BM_ListaOdNowa(benchmark::State& state) {
    TBaza& o = Okno(3);
    for (auto _ : state) {
        BazaRekordy.Zmieniona();
        o.Komenda(8035);
    }
    state.counters["wiersze"] = BazaWidok.Liczba();
}
BENCHMARK(BM_ListaOdNowa)->Unit(benchmark::kMillisecond);

void BM_ZmianaLitery(benchmark::State& state) {
    TBaza& o = Okno(1);
    for (auto _ : state)
        o.Komenda(8042);
}
BENCHMARK(BM_ZmianaLitery)->Unit(benchmark::kMillisecond);

void BM_StronaNizej(benchmark::State& state) {
    TBaza& o = Okno(3);
    for (auto _ : state) {
        if (BazaWidok.Kursor() >= BazaWidok.Liczba())
            o.Komenda(8035);
        o.Komenda(8034);
    }
}
BENCHMARK(BM_StronaNizej)->Unit(benchmark::kMillisecond);

void BM_Szukaj(benchmark::State& state) {
    TBaza& o = Okno(1);
    o.TytulSzukajEdit->setText(QStringLiteral("nagrania 12"));
    for (auto _ : state)
        o.Komenda(8021);
    state.counters["znalezione"] = BazaWidok.Liczba();
    o.TytulSzukajEdit->setText(BazaDowolny);
}
BENCHMARK(BM_Szukaj)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    stacja().okno.reset();  // a window goes before the application
    return 0;
}
