// Seeded random edit sequences on a playlist that Automat plays on the
// manual clock: after every edit and every stretch of air the decks, the
// cursor and the next mark point at the elements they stood for, and the
// playlist holds what the edits said.
#include <gtest/gtest.h>

#include "console/commands/KomendyEdycji.h"
#include "console/engine/EdycjaPlaylisty.h"
#include "console/support/SilnikRig.h"
#include "foundation/DialogiTak.h"
#include "foundation/UslugaDialogow.h"

#include <random>

using namespace Qt::StringLiterals;

namespace {

QStringList nazwy() {
    QStringList l;
    for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i) l << Playlista[i].Ide;
    return l;
}

QString nazwa(qint32 n) { return n >= 1 && n <= StanPlaylisty.Ilosc ? QString(Playlista[n].Ide) : QString(); }

enum class Op { Wstaw, Usun, Zmien, Przesun, Blok, Cofnij };

// The mark that stood on `ide` (or was to go there): it, or the first after
// it that may air, since what aired or plays never comes next.
QString pierwszyDoZagrania(const SilnikEmisji& s, const QString& ide) {
    for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i) {
        if (Playlista[i].Ide != ide) continue;
        for (; i <= StanPlaylisty.Ilosc; ++i) {
            bool naDeku = false;
            for (quint8 d = 1; d <= 3; ++d) naDeku = naDeku || (s.SlotZajety(d) && s.Odtwarzacz[d].Element == i);
            if (!(Playlista[i].Typ & TypZagrany) && !naDeku) return Playlista[i].Ide;
        }
    }
    return ide;
}

TEST(EdycjaLosowa, DecksCursorAndNextFollowTheirElementsThroughSeededEdits) {
    SilnikRig r;
    DialogiTak tak;
    KomendyEdycji k{*r.silnik};
    const QStringList pliki{r.wav(u"A.WAV"_s, 1500), r.wav(u"B.WAV"_s, 2500), r.wav(u"C.WAV"_s, 4000)};
    int nowych = 0;
    std::mt19937 g;
    k.Zrodla.NagranieZPrzegladarki = [&](KomendyEdycji::Wybor& w) {
        w.Plik = pliki[int(g() % 3)];
        w.Nazwa = u"N%1"_s.arg(++nowych);
        return true;
    };
    const auto los = [&](int od, int do_) { return od + int(g() % unsigned(do_ - od + 1)); };
    const auto doZagrania = [&](const QString& ide) { return pierwszyDoZagrania(*r.silnik, ide); };

    int wykonane[6] = {};
    for (unsigned seed = 1; seed <= 150; ++seed) {
        g.seed(seed);
        SCOPED_TRACE(seed);
        r.silnik->StopWszystko();
        WyczyscPlayliste();
        // Half of the sequences may edit before what is on air as well.
        Emisja.MIXPLEdycjaPrzedGranaJest = seed % 2 == 0;
        for (int i = 1; i <= 6; ++i)
            r.dodaj(pliki[los(0, 2)], H12 + i * 4000, 4000).Ide = u"S%1_%2"_s.arg(seed).arg(i);
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
        r.silnik->GrajKolejny(0, TrybNastepny, ZrodloKlaw);
        if (!r.stan.TrybAutomat) r.silnik->PrzelaczAutomat();
        QStringList model = nazwy(), modelUndo;
        bool undo = false;

        for (int krok = 0; krok < 20; ++krok) {
            if (!r.stan.TrybAutomat && StanPlaylisty.Ilosc > 1) {
                r.silnik->GrajKolejny(0, TrybNastepny, ZrodloKlaw);
                r.silnik->PrzelaczAutomat();
            }
            r.tik(los(0, 30));
            ASSERT_EQ(nazwy(), model) << "the air changed the playlist";
            const qint32 ilosc = StanPlaylisty.Ilosc;
            if (ilosc == 0) break;
            StanPlaylisty.Kursor = los(1, ilosc);
            const qint32 c = StanPlaylisty.Kursor;
            const QString nastepny = nazwa(StanPlaylisty.DoGrania);
            const qint32 nastepnyPrzed = StanPlaylisty.DoGrania;
            const QStringList przed = nazwy();
            const Op op = Op(los(0, 5));
            // A snapshot taken tells an edit that was made from one refused.
            UndoJest = op == Op::Cofnij && undo;
            const int nowyPrzed = nowych;
            qint32 cel = 0, blokOd = 0;
            switch (op) {
            case Op::Wstaw: k.KomendaWstaw(); break;
            case Op::Usun: k.KomendaUsun(); break;
            case Op::Zmien: k.KomendaZmien(); break;
            case Op::Przesun:
                k.RozpocznijPrzesuwanie();
                StanPlaylisty.Kursor = cel = los(1, ilosc);
                if (r.stan.TrybPrzesuwania) k.PrzesunElement(true);
                k.Wyjdz();
                break;
            case Op::Blok:
                // A block is marked with decks A and B idle: now and then
                // the operator stops them for it, and Automat goes on after.
                if (los(0, 1)) r.silnik->StopWszystko();
                blokOd = c;
                k.RozpocznijBlok();
                StanPlaylisty.Kursor = cel = los(1, ilosc);
                if (r.stan.TrybBloku) k.UsunPozaBlokiem(true);
                break;
            case Op::Cofnij: k.CofnijOperacje(); break;
            }
            EXPECT_FALSE(r.stan.TrybPrzesuwania || r.stan.TrybBloku);
            EXPECT_FALSE(r.silnik->PlaylistaZmieniona);
            const bool zrobione = op == Op::Cofnij ? undo && !UndoJest : UndoJest;
            if (zrobione) {
                ++wykonane[int(op)];
                // What the playlist must now hold.
                QStringList m = przed;
                switch (op) {
                case Op::Wstaw: m.insert(c, u"N%1"_s.arg(nowych)); break;
                case Op::Usun: m.removeAt(c - 1); break;
                case Op::Zmien: m[c - 1] = u"N%1"_s.arg(nowych); break;
                case Op::Przesun: m.move(c - 1, cel - 1); break;
                case Op::Blok: m = m.mid(std::min(blokOd, cel) - 1, std::abs(cel - blokOd) + 1); break;
                case Op::Cofnij: m = modelUndo; break;
                }
                // An undo may put a restored element after what aired in its
                // place since: the same elements, not always the same order.
                const auto porzadek = [op](QStringList l) {
                    if (op == Op::Cofnij) l.sort();
                    return l;
                };
                ASSERT_EQ(porzadek(nazwy()), porzadek(m)) << int(op) << " at " << c << " to " << cel;
                undo = op != Op::Cofnij;
                if (undo) modelUndo = przed;
                // The next mark stays on its element unless that one went.
                const qint32 n = StanPlaylisty.DoGrania;
                const bool przedBlokiem = op == Op::Blok && przed.indexOf(nastepny) < std::min(blokOd, cel) - 1;
                // A moved next passes the mark to the element that followed it.
                const bool przesunietyNastepny = op == Op::Przesun && przed.value(c - 1) == nastepny && c < przed.size();
                if (op == Op::Cofnij && nastepnyPrzed >= 1) {
                    // An undo brings back an order of its own; what aired or
                    // plays does not come next.
                    EXPECT_EQ(nazwa(n), pierwszyDoZagrania(*r.silnik, nazwa(n)));
                } else if ((op == Op::Wstaw || (op == Op::Przesun && !przesunietyNastepny)) && m.contains(nastepny) &&
                           m.indexOf(nastepny) >= 1 && przed.indexOf(nastepny) >= 0 &&
                           m[m.indexOf(nastepny) - 1] == (op == Op::Wstaw ? u"N%1"_s.arg(nowych) : przed.value(c - 1))) {
                    // Put right before the next one, an element is the next one.
                    EXPECT_EQ(nazwa(n), doZagrania(m[m.indexOf(nastepny) - 1])) << int(op);
                } else if (przesunietyNastepny) {
                    EXPECT_EQ(nazwa(n), doZagrania(przed[c]));
                } else if (!nastepny.isEmpty() && m.contains(nastepny) && !przedBlokiem) {
                    EXPECT_EQ(nazwa(n), doZagrania(nastepny)) << int(op);
                }
                if (op == Op::Wstaw) {
                    EXPECT_EQ(nazwa(StanPlaylisty.Kursor), u"N%1"_s.arg(nowych));
                }
            } else {
                EXPECT_EQ(nazwy(), przed) << "a refused edit changed the playlist " << int(op);
                nowych = std::max(nowych, nowyPrzed);
                UndoJest = undo;
            }
            model = nazwy();
            EXPECT_GE(StanPlaylisty.Kursor, StanPlaylisty.Ilosc > 0 ? 1 : 0);
            EXPECT_LE(StanPlaylisty.Kursor, StanPlaylisty.Ilosc);
            EXPECT_LE(StanPlaylisty.DoGrania, StanPlaylisty.Ilosc);
            // Each deck's number is the element its player carries.
            for (quint8 s = 1; s <= 3; ++s) {
                const MIXMagnetType& d = r.silnik->Odtwarzacz[s];
                if (d.Element != 0) {
                    EXPECT_EQ(nazwa(d.Element), d.SygnalSlotu.Nazwa) << "deck " << int(s) << " op " << int(op);
                }
            }
            if (HasFailure()) return;
        }
    }
    // The sequences made every kind of edit, not only refusals.
    for (int w : wykonane) EXPECT_GT(w, 50);
}

}  // namespace
