#include "console/engine/PrzebiegiOdczytu.h"

#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/ReklamyLST.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/TestyPlaylisty.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Zdarzenie.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPorzadki.h"
#include "playlists/D_Timelista.h"
#include "playlists/NagraniaPrzebiegu.h"
#include "playlists/NastawyEmisji.h"

#include <QHash>

#include <optional>

namespace {

QString rozszerzenie(const QString& plik) { return DuzeLiteryPL(RozszerzenieSciezki(plik)); }

// One run of the passes. It keeps itself alive through the pieces it hands
// the worker; each piece works on the list set aside, each step between
// them on the program's thread with the new list in place.
class Przebieg : public std::enable_shared_from_this<Przebieg> {
public:
    Przebieg(SilnikEmisji& s, std::shared_ptr<ListaNaBoku> nowa, std::shared_ptr<NagraniaPrzebiegu> nagrania,
             const PrzebiegiListy& co, std::function<void()> dalej)
        : s_(s), nowa_(std::move(nowa)), nagrania_(std::move(nagrania)), co_(co), dalej_(std::move(dalej)) {
        if (!nagrania_) nagrania_ = std::make_shared<NagraniaPrzebiegu>();
    }

    void Start() {
        if (co_.Reklamy) plan_ = PlanujReklamy(s_, co_.Od, co_.Interaktywnie);
        if (!plan_) return kopie();
        zlec([this](TablicaPlaylisty& t, qint32& ilosc) {
            wynikReklam_ = ScalReklamy(*plan_, t, ilosc, *nagrania_, [this](const QString& tekst) { etap(tekst); });
        }, [this] {
            ZglosReklamy(s_, *plan_, wynikReklam_);
            kopie();
        });
    }

private:
    // `praca` on the worker with the list set aside and its count; `potem`
    // on the program's thread with the new list in place again.
    void zlec(std::function<void(TablicaPlaylisty&, qint32&)> praca, std::function<void()> potem) {
        TablicaPlaylisty* t = &nowa_->Odloz();
        auto ilosc = std::make_shared<qint32>(nowa_->IloscOdlozonej());
        s_.Odczyt.Zlec(
            [t, ilosc, praca = std::move(praca)] {
                // A pass looks at each folder once.
                const platform::FolderLooksOnce raz;
                praca(*t, *ilosc);
            },
            [ja = shared_from_this(), ilosc, potem = std::move(potem)] {
                ja->nowa_->UstawIloscOdlozonej(*ilosc);
                ja->nowa_->Wznow();
                potem();
            });
    }
    // The worker's: what it does now and how far it is, for the status field.
    void etap(const QString& tekst) {
        s_.Odczyt.UstawSzukanie(tekst);
        s_.Odczyt.Postep.store(0, std::memory_order_relaxed);
        s_.Odczyt.Maksimum.store(1, std::memory_order_relaxed);
    }
    PostepPrzebiegu postep() {
        OdczytWTle* o = &s_.Odczyt;
        return [o](qint64 i, qint64 maksimum) {
            o->Maksimum.store(int(std::max<qint64>(maksimum, 1)), std::memory_order_relaxed);
            o->Postep.store(int(i), std::memory_order_relaxed);
        };
    }
    // A new stop asked by the operator (a double click on the status field).
    void bezPrzerwania() {
        StanPrzerwij = false;
        s_.Odczyt.PrzerwijSzukanie.store(false);
    }

    void kopie() {
        if (!co_.Kopie || !Emisja.CzyKopiowac || StanPlaylisty.Ilosc <= co_.Od) return opisy();
        if (Emisja.CzyPytac && Decyzja(QStringLiteral("Czy skopiować nagrania na dysk lokalny ?")) != WynikTak)
            return opisy();
        bezPrzerwania();
        LogNazwany(QStringLiteral("KOPIOWANIE NAGRAN"));
        LogNazwany(QStringLiteral("================="));
        kopie_.emplace(true);
        kopie_->DodajElementy(Playlista, co_.Od, StanPlaylisty.Ilosc);
        kopiuj();
    }
    void kopiuj() {
        zlec([this](TablicaPlaylisty&, qint32&) {
            etap(QStringLiteral("Kopiowanie nagrań"));
            const std::atomic<bool>* koniecProgramu = &s_.Odczyt.Przerwij;
            pytanie_ = kopie_->Kopiuj(
                [koniecProgramu](const QString& zrodlo, const QString& cel, bool dzisiaj, bool& przerwane) {
                    return KopiujZbiorTu(zrodlo, cel, dzisiaj, koniecProgramu, przerwane);
                },
                &s_.Odczyt.PrzerwijSzukanie, nagrania_.get(), postep());
        }, [this] {
            for (const auto& [nazwany, tekst] : kopie_->WezLogi()) nazwany ? LogNazwany(tekst) : Log(tekst);
            if (pytanie_ == KopieNagran::Pytanie::Przerwac) {
                const quint16 odp = Decyzja(QStringLiteral("Czy przerwać kopiowanie?"));
                if (odp != WynikTak) bezPrzerwania();
                kopie_->Odpowiedz(pytanie_, odp);
            } else if (pytanie_ == KopieNagran::Pytanie::Zastapic) {
                kopie_->Odpowiedz(pytanie_, Decyzja(QStringLiteral("Zbiór ") + kopie_->Cel() +
                                                        QStringLiteral(" już jest na dysku lokalnym"),
                                                    QStringLiteral("Czy zastąpić go nowym?"), 4));
            }
            if (!kopie_->Koniec()) return kopiuj();
            s_.Wyjscia().UstawStatus(QStringLiteral("OK"), KolorStatusu::Czarny);
            kopie_->ZglosBlad();
            opisy();
        });
    }

    void opisy() {
        if (!co_.Opisy) return obecnosc();
        // A bar's length is its hour's in the time list, which stays this
        // thread's: the worker gets the lengths.
        const bool mix = rozszerzenie(PlaylistaZbior) == QStringLiteral(".MIX");
        const bool belka = mix && Emisja.CzyReklamaJakoBelka;
        auto belki = std::make_shared<QHash<QString, qint64>>();
        if (belka)
            for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i)
                if (const TElemPListy& e = Playlista[size_t(i)]; CzyElemReklama(e))
                    belki->insert(e.Tyt.str(), SumaCzasowGodzinyTListy(e.Tyt));
        zlec([this, mix, belka, belki](TablicaPlaylisty& t, qint32& ilosc) {
            const PostepPrzebiegu p = postep();
            const auto krok = [&](int i) { p(i, ilosc); };
            etap(QStringLiteral("Przypisywanie opisów nagraniom"));
            OdswiezOpisyElementow(t, ilosc, *nagrania_, krok);
            etap(QStringLiteral("Sprawdzenie czasów reklam"));
            std::function<qint64(const TElemPListy&)> blok;
            if (belka) blok = [belki](const TElemPListy& e) { return belki->value(e.Tyt.str()); };
            SprawdzCzasyReklam(t, ilosc, mix, *nagrania_, blok, krok);
        }, [this] { obecnosc(); });
    }

    void obecnosc() {
        if (co_.Obecnosc && StanPlaylisty.Ilosc > 0) {
            s_.Komunikat.clear();
            bezPrzerwania();
            test_ = NowyTestObecnosci(co_.Od, co_.ObecnoscReklam);
            return testuj();
        }
        if (co_.Czasy && StanPlaylisty.Ilosc > 0) {
            s_.Komunikat.clear();
            return zlec([this](TablicaPlaylisty& t, qint32& ilosc) {
                etap(QStringLiteral("Czasy nagrań"));
                CzasyNagran(t, 0, ilosc, *nagrania_, postep());
            }, [this] {
                KoniecStatusu(s_);
                s_.Wyjscia().OdswiezKomunikat();
                koniec();
            });
        }
        koniec();
    }
    void testuj() {
        auto doKonca = std::make_shared<bool>(false);
        zlec([this, doKonca](TablicaPlaylisty& t, qint32& ilosc) {
            etap(QStringLiteral("Obecność nagrań"));
            *doKonca = TestujObecnosc(t, ilosc, *test_, *nagrania_, s_.Odczyt.PrzerwijSzukanie, postep());
        }, [this, doKonca] {
            if (!*doKonca) {
                if (Decyzja(QStringLiteral("Czy przerwać testy?")) != WynikTak) {
                    bezPrzerwania();
                    return testuj();
                }
                test_->Przerwany = true;
                StanPlaylisty.Kursor = test_->Nastepny;
            }
            zlec([this](TablicaPlaylisty& t, qint32& ilosc) {
                DokonczTestObecnosci(t, ilosc, *test_, *nagrania_, [this](const QString& tekst) { etap(tekst); },
                                     postep());
            }, [this] {
                ZglosTestObecnosci(s_, *test_);
                koniec();
            });
        });
    }

    void koniec() {
        nowa_->Wznow();
        if (dalej_) dalej_();
    }

    SilnikEmisji& s_;
    std::shared_ptr<ListaNaBoku> nowa_;
    std::shared_ptr<NagraniaPrzebiegu> nagrania_;
    PrzebiegiListy co_;
    std::function<void()> dalej_;
    std::optional<PlanReklam> plan_;
    WynikReklam wynikReklam_;
    std::optional<KopieNagran> kopie_;
    KopieNagran::Pytanie pytanie_ = KopieNagran::Pytanie::Zadne;
    std::optional<TestObecnosci> test_;
};

}  // namespace

void PrzebiegiPoOdczycie(SilnikEmisji& silnik, std::shared_ptr<ListaNaBoku> nowa,
                         std::shared_ptr<NagraniaPrzebiegu> nagrania, const PrzebiegiListy& co,
                         std::function<void()> dalej) {
    std::make_shared<Przebieg>(silnik, std::move(nowa), std::move(nagrania), co, std::move(dalej))->Start();
}
