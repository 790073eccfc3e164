// Every row of the key table and every button of the bar and of the singles
// wall, as real key and mouse events to the real main window offscreen, with
// the handlers the program installs: each has its effect in the engine, the
// picture or the event log.
#include <gtest/gtest.h>

#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "console/commands/Komendy.h"
#include "console/support/KonsolaTestPomoc.h"
#include "console/support/OknoTestPomoc.h"
#include "console/window/TTolv.h"
#include "library/DKatalog.h"
#include "settings/TDlgNastawy.h"
#include "foundation/PowtorzeniaKlawiszy.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestPods2.h"
#include "foundation/KestWej.h"
#include "mixeditor/EdycjaPL.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/InputDevice.h"
#include "platform/TextFile.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_Timelista.h"
#include "console/engine/PanelListy.h"
#include "console/window/PanelPlaylisty.h"
#include "playlists/NastawyEmisji.h"

#include <QLineEdit>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QRegularExpression>
#include <QTest>
#include <QWheelEvent>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>

using namespace Qt::StringLiterals;

namespace {

QPoint srodek(const BUTTONType& b) { return QPoint((b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2); }

// The rows' checks reach everything of the stand.
class KeysAndBar : public StanowiskoOkna {
public:
    void SetUp() override {
        for (int i = 1; i <= 3; ++i)
            folder.write(u"E%1.WAV"_s.arg(i), fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 5000)));
        okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s,
                                    u"LOGZbiorJest=1"_s, u"LOGKatalog="_s + folder.path(), u"OknoStanStart=0"_s,
                                    u"[Emisja MIX]"_s, u"PanelPrzyciskSterowanieJest=1"_s, u"CiszaJest=1"_s,
                                    u"Kanal4=2"_s, u"StartEnter=1"_s, u"StopSpacja=1"_s,
                                    u"StopSpacjapotwierdzenie=1"_s, u"CzyHST=0"_s, u"[Satelita]"_s,
                                    u"SatTrybJest=1"_s});
    }
    void TearDown() override {
        okno.reset();
        SlowoGPI = SlowoGPIPoprzednie = 0;
        WyczyscPlayliste();
        UstawSkale(SzerokoscSiatki, WysokoscSiatki);
    }

    SilnikEmisji& silnik() { return okno->Silnik(); }
    ScianaSingli& sciana() { return okno->Sciana(); }
    const BUTTONType& przycisk(int indeks) { return okno->Przyciski().Pasek[size_t(indeks)]; }
    bool naObrazie(const BUTTONType& b) { return okno->KolorPiksela(b.Rect.Left + 3, b.Rect.Top + 3) == KolorCzerwony; }
    bool wcisniety(int indeks) {
        const BUTTONType& b = przycisk(indeks);
        EXPECT_EQ(naObrazie(b), b.Stan == 1) << "picture and state of bar button " << indeks;
        return naObrazie(b);
    }
    // A button of the singles wall by its command.
    bool wcisnietySingli(quint16 id) {
        const BUTTONType& b = okno->Przyciski().Single[size_t(IndeksPrzyciskuSingli(id))];
        EXPECT_EQ(naObrazie(b), b.Stan == 1) << "picture and state of wall button " << id;
        return naObrazie(b);
    }
    QStringList logi() const { return Logi(); }
    static bool jest(const QStringList& linie, const QString& fragment) {
        for (const QString& l : linie)
            if (l.contains(fragment)) return true;
        return false;
    }

    // Every row starts from three elements of 5 s at the cursor, nothing on
    // air, every mode off.
    void odNowa() {
        SilnikEmisji& s = silnik();
        s.StopWszystko();
        if (s.SlotZajety(4)) s.KoniecEmisji(4, PowodProg);
        if (s.SatWlaczony) s.PrzelaczSat();
        s.Stan.TrybPrzesuwania = s.Stan.TrybBloku = false;
        s.Stan.TrybWstawiania = 1;
        s.AutostopJest = s.StolSterowanie = false;
        Emisja.CiszaGra = false;
        okno->dyspozytor().UstawPanelDolny(PanelSingle);
        // The wall as start-up leaves it, its first palette holding E1..E3.
        s.SingleAutostopJest = s.SingleKaczkaJest = false;
        sciana().Start();
        sciana().Biblioteka = {};
        for (int i = 1; i <= 3; ++i) {
            sciana().Single[1][size_t(i)].Tyt = u"E%1"_s.arg(i);
            sciana().Single[1][size_t(i)].Adr = folder.file(u"E%1.WAV"_s.arg(i));
        }
        okno->RysujOkno();
        okno->SingleKolejnoTimer->stop();
        WyczyscPlayliste();
        for (int i = 1; i <= 3; ++i) {
            TElemPListy& e = Playlista[i];
            InitElemPListy(e);
            e.Typ = RodzajSND;
            e.Ide = u"E%1"_s.arg(i);
            e.Adr = folder.file(u"E%1.WAV"_s.arg(i));
            e.Emi = 12 * 3'600'000 + (i - 1) * 5000;
            e.Trw = e.NwK = e.FOu = 5000;
        }
        StanPlaylisty.Ilosc = 3;
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
        PlaylistaNazwa = u"Test"_s;
        okno->PodswietlTryby();
        KasujZdarzenie();
    }
    void grajPierwszy() {
        StanPlaylisty.Kursor = 1;
        silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
        poStarcie();
        ASSERT_TRUE(silnik().SlotZajety(1));
    }
    // A late start airs by the next tick; what it left runs after.
    void poStarcie() {
        if (silnik().StartCzeka()) StartPoPrzygotowaniu(silnik()), silnik().PoTiku();
    }

    // The settings dialog is modal: when it shows, note it (and whether
    // "Konf." is lit meanwhile) and close it.
    void zamknijNastawy() {
        nastawyPokazane = konfLitMeanwhile = false;
        QTimer::singleShot(0, [this] {
            if (QWidget* w = QApplication::activeModalWidget(); w && w == DlgNastawy()) {
                nastawyPokazane = true;
                konfLitMeanwhile = przycisk(PKonfiguracja).Stan == 1;
                w->close();
            }
        });
    }
    bool nastawyPokazane = false;
    bool konfLitMeanwhile = false;
    // The folder browser, when it opens: noted and closed. It lists its
    // folder before it shows.
    void zamknijPrzegladarke() {
        przegladarkaPokazana = false;
        QTimer::singleShot(0, &kontekst_, [this] { szukajPrzegladarki(); });
    }
    void szukajPrzegladarki() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w && OknoKatalogu() && OknoKatalogu()->Czyta()) {
            QTimer::singleShot(0, &kontekst_, [this] { szukajPrzegladarki(); });
            return;
        }
        przegladarkaPokazana = dynamic_cast<TKatalog*>(w) != nullptr;
        if (w) w->close();
    }
    bool przegladarkaPokazana = false;
    QObject kontekst_;

};

using Stanowisko = KeysAndBar;
using Sprawdz = std::function<void(Stanowisko&, quint16 id, const QStringList& nowe)>;

struct Wiersz {
    const char* nazwa;
    int klawisz;                       // a Qt key, or 0 for a button
    Qt::KeyboardModifiers modyfikatory;
    int przycisk;                      // bar button index when klawisz is 0
    quint16 id;                        // the command it means
    std::function<void(Stanowisko&)> przygotuj;
    Sprawdz sprawdz;
    bool sciana = false;               // a button of the singles wall (by its id), not of the bar
};

// The playlist's cursor on element k: its row red in the picture.
Sprawdz kursorPL(qint32 k) {
    return [k](Stanowisko& t, quint16, const QStringList& nowe) {
        EXPECT_EQ(StanPlaylisty.Kursor, k);
        EXPECT_TRUE(nowe.isEmpty()) << nowe.join('\n').toStdString();
        const int y = GoraWiersza(StanPlaylisty, k, SkalaY(WierszPlaylistyJ)) + SkalaY(WierszPlaylistyJ) / 2;
        EXPECT_EQ(t.okno->KolorPiksela(StanPlaylisty.Lista.Left + SkalaX(78), y), KolorCzerwony);
    };
}
const std::function<void(Stanowisko&)> naDrugim = [](Stanowisko&) { StanPlaylisty.Kursor = 2; };
// The time list of three entries, its cursor on the second.
const std::function<void(Stanowisko&)> trzyWpisy = [](Stanowisko&) {
    for (int i = 1; i <= 3; ++i) {
        Timelista[size_t(i)] = TElemTListy{};
        Timelista[size_t(i)].Tyt = u"R%1"_s.arg(i);
        Timelista[size_t(i)].Czas = 13 * 3600 + i * 60;
    }
    StanTimelisty.Ilosc = 3;
    StanTimelisty.Kursor = 2;
};
// The time list's cursor on entry k: its row yellow in the picture.
Sprawdz kursorTL(qint32 k) {
    return [k](Stanowisko& t, quint16, const QStringList& nowe) {
        EXPECT_EQ(StanTimelisty.Kursor, k);
        EXPECT_TRUE(nowe.isEmpty()) << nowe.join('\n').toStdString();
        const int y = GoraWiersza(StanTimelisty, k, SkalaY(WierszTimelistyJ)) + 1;
        EXPECT_EQ(t.okno->KolorPiksela(StanTimelisty.Lista.Right - 3, y), 0x00FFFFu);
    };
}
// A playlist command whose folder browser the operator leaves: the
// playlist stays as it was and the button goes dark again.
bool edytorPokazany = false;
const std::function<void(Stanowisko&)> zamykaPrzegladarke = [](Stanowisko& t) { t.zamknijPrzegladarke(); };
Sprawdz przegladarkaBezZmian(int indeks) {
    return [indeks](Stanowisko& t, quint16, const QStringList&) {
        EXPECT_TRUE(t.przegladarkaPokazana);
        EXPECT_EQ(StanPlaylisty.Ilosc, 3);
        EXPECT_EQ(PlaylistaNazwa, u"Test"_s);
        EXPECT_FALSE(t.silnik().Stan.CzytaniePlaylisty);
        EXPECT_FALSE(t.wcisniety(indeks));
    };
}
// A mode button: its mode is on and the button shows it.
Sprawdz wlaczony(std::function<bool(Stanowisko&)> tryb, int indeks) {
    return [tryb, indeks](Stanowisko& t, quint16, const QStringList&) {
        EXPECT_TRUE(tryb(t));
        EXPECT_TRUE(t.wcisniety(indeks));
    };
}
// A button of the singles wall: its flag is on and the button shows it.
Sprawdz wlaczonySingli(std::function<bool(Stanowisko&)> tryb) {
    return [tryb](Stanowisko& t, quint16 id, const QStringList& nowe) {
        EXPECT_TRUE(tryb(t));
        EXPECT_TRUE(t.wcisnietySingli(id));
        EXPECT_TRUE(nowe.isEmpty()) << nowe.join('\n').toStdString();
    };
}
// Slot f of the first palette on the singles player, from key or click.
Sprawdz naOdtwarzaczuSingli(int f) {
    return [f](Stanowisko& t, quint16, const QStringList& nowe) {
        EXPECT_TRUE(t.silnik().SlotZajety(4));
        EXPECT_EQ(t.silnik().Odtwarzacze().PlikOdtwarzacza(4), t.sciana().Single[1][size_t(f)].Adr);
        EXPECT_TRUE(Stanowisko::jest(nowe, u"KLAW START 4 "_s + t.sciana().Single[1][size_t(f)].Adr))
            << nowe.join('\n').toStdString();
        EXPECT_EQ(t.sciana().SingleOstatni, f);
    };
}
// Palette n shown, its button lit.
Sprawdz paleta(int n) {
    return [n](Stanowisko& t, quint16, const QStringList&) {
        EXPECT_EQ(t.sciana().SinglePaleta, n);
        EXPECT_TRUE(t.wcisnietySingli(quint16(4300 + n)));
    };
}
// Slot f of the first palette holds E2.WAV (the others are emptied).
std::function<void(Stanowisko&)> singielNa(int f) {
    return [f](Stanowisko& t) {
        for (int s = 1; s <= 3; ++s) WyczyscSingiel(t.sciana().Single[1][size_t(s)]);
        t.sciana().Single[1][size_t(f)].Tyt = u"E2"_s;
        t.sciana().Single[1][size_t(f)].Adr = t.folder.file(u"E2.WAV"_s);
    };
}

Sprawdz panel(quint8 panelDolny, int indeks) {
    return [panelDolny, indeks](Stanowisko& t, quint16, const QStringList&) {
        EXPECT_EQ(t.silnik().Stan.PanelDolny, panelDolny);
        EXPECT_TRUE(t.wcisniety(indeks));
    };
}

// The cursor element deleted after the question; the button dark again.
Sprawdz usuniety(int indeks) {
    return [indeks](Stanowisko& t, quint16, const QStringList& nowe) {
        EXPECT_EQ(StanPlaylisty.Ilosc, 2);
        EXPECT_EQ(Playlista[1].Ide, u"E2"_s);
        EXPECT_TRUE(Stanowisko::jest(nowe, u"USUŃ       Zakończenie playlisty o "_s));
        EXPECT_FALSE(t.wcisniety(indeks));
    };
}

// Element 1 on air, and the answer to the question that comes.
std::function<void(Stanowisko&)> grajIOdpowiedz(quint16 odpowiedz) {
    return [odpowiedz](Stanowisko& t) {
        t.grajPierwszy();
        t.dialogi.Odpowiedz(odpowiedz);
    };
}

const Qt::KeyboardModifiers Bez = Qt::NoModifier;
const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
const Qt::KeyboardModifiers Alt = Qt::AltModifier;
const Qt::KeyboardModifiers Num = Qt::KeypadModifier;

std::vector<Wiersz> wiersze() {
    // The time list's clear and delete ask first; the answer is yes.
    const auto trzyITak = [](Stanowisko& t) {
        trzyWpisy(t);
        t.dialogi.Odpowiedz(OdpowiedzTak);
    };
    const auto wpisow = [](qint32 ile, qint32 kursor) {
        return [ile, kursor](Stanowisko&, quint16, const QStringList& nowe) {
            EXPECT_EQ(StanTimelisty.Ilosc, ile);
            EXPECT_EQ(StanTimelisty.Kursor, kursor);
            EXPECT_TRUE(nowe.isEmpty()) << nowe.join('\n').toStdString();
        };
    };
    std::vector<Wiersz> w = {
        // ---- the key table ----
        {"Esc in move mode", Qt::Key_Escape, Bez, 0, 10, [](Stanowisko& t) { t.okno->Edycja().RozpocznijPrzesuwanie(); },
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_FALSE(t.silnik().Stan.TrybPrzesuwania);
             EXPECT_FALSE(t.wcisniety(PPrzesun));
             EXPECT_TRUE(nowe.isEmpty());
         }},
        {"Backspace", Qt::Key_Backspace, Bez, 0, 3103, [](Stanowisko&) { Playlista[1].Wznow = 2000; },
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_TRUE(t.silnik().SlotZajety(1));
             EXPECT_EQ(t.silnik().Odtwarzacz[1].Pozycja, Playlista[1].Emi + 2000);
             EXPECT_TRUE(Stanowisko::jest(nowe, u"UNDO START 1 "_s)) << nowe.join('\n').toStdString();
         }},
        {"Ctrl+Q", Qt::Key_Q, Ctrl, 0, 3004, [](Stanowisko& t) { t.silnik().PrzelaczAutomat(); },
         [](Stanowisko& t, quint16, const QStringList&) { EXPECT_EQ(t.dialogi.Zapisy(RodzajDialogu::Blokada).size(), 1); }},
        {"Alt+W", Qt::Key_W, Alt, 0, 4014, {}, wlaczonySingli([](Stanowisko& t) { return t.sciana().SingleTryb == 2; })},
        {"Ctrl+P", Qt::Key_P, Ctrl, 0, 3120, [](Stanowisko&) { StanPlaylisty.Kursor = 3; },
         [](Stanowisko&, quint16, const QStringList& nowe) {
             EXPECT_EQ(StanPlaylisty.DoGrania, 3);
             EXPECT_TRUE(Stanowisko::jest(nowe, u"KLAW DO GRANIA E3 "_s)) << nowe.join('\n').toStdString();
         }},
        {"Ctrl+Enter", Qt::Key_Return, Ctrl, 0, 3120, [](Stanowisko&) { StanPlaylisty.Kursor = 2; },
         [](Stanowisko&, quint16, const QStringList& nowe) {
             EXPECT_EQ(StanPlaylisty.DoGrania, 2);
             EXPECT_TRUE(Stanowisko::jest(nowe, u"KLAW DO GRANIA E2 "_s));
         }},
        {"Enter", Qt::Key_Return, Bez, 0, 3102, [](Stanowisko&) { StanPlaylisty.Kursor = 2; },
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_EQ(t.silnik().Odtwarzacz[1].Element, 2);
             EXPECT_TRUE(Stanowisko::jest(nowe, u"KLAW START 1 "_s + Playlista[2].Adr));
         }},
        {"Enter in move mode", Qt::Key_Return, Bez, 0, 3102,
         [](Stanowisko& t) {
             StanPlaylisty.Kursor = 2;
             t.okno->Edycja().RozpocznijPrzesuwanie();
             StanPlaylisty.Kursor = 3;
             t.dialogi.Odpowiedz(OdpowiedzTak);
         },
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_EQ(Playlista[3].Ide, u"E2"_s);
             EXPECT_FALSE(t.silnik().SlotZajety(1));
             EXPECT_FALSE(t.silnik().Stan.TrybPrzesuwania);
             EXPECT_TRUE(Stanowisko::jest(nowe, u"PRZESUŃ    Zakończenie playlisty o "_s));
         }},
        {"Enter in block mode", Qt::Key_Return, Bez, 0, 3102,
         [](Stanowisko& t) {
             t.okno->Edycja().RozpocznijBlok();
             StanPlaylisty.Kursor = 2;
             t.dialogi.Odpowiedz(OdpowiedzTak);
         },
         [](Stanowisko& t, quint16, const QStringList&) {
             EXPECT_EQ(StanPlaylisty.Ilosc, 2);
             EXPECT_FALSE(t.silnik().Stan.TrybBloku);
             EXPECT_FALSE(t.wcisniety(PBlok));
         }},
        {"Alt+C, no folder browser yet", Qt::Key_C, Alt, 0, 4012, {},
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_EQ(nowe, QStringList{u"Funkcja niedostępna: okno katalogu zestawów singli"_s});
             EXPECT_EQ(t.sciana().SingleNazwa[1], u"1"_s);
         }},
        {"Ctrl+M", Qt::Key_M, Ctrl, 0, 3119, {}, wlaczony([](Stanowisko& t) { return t.silnik().Stan.TrybPrzesuwania; }, PPrzesun)},
        {"Space, confirmed", Qt::Key_Space, Bez, 0, 3101, grajIOdpowiedz(OdpowiedzTak),
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_FALSE(t.silnik().SlotZajety(1));
             EXPECT_EQ(t.dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty.value(0), u"Czy STOP odtwarzania?"_s);
             EXPECT_TRUE(Stanowisko::jest(nowe, u"KLAW STOP  1 E1"_s));
         }},
        {"Space, not confirmed", Qt::Key_Space, Bez, 0, 3101, grajIOdpowiedz(OdpowiedzNie),
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_TRUE(t.silnik().SlotZajety(1));
             EXPECT_TRUE(nowe.isEmpty());
         }},
        {"Ctrl+Space", Qt::Key_Space, Ctrl, 0, 3100,
         [](Stanowisko& t) {
             t.grajPierwszy();
             t.silnik().PrzelaczAutomat();
             t.okno->PodswietlTryby();
         },
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_FALSE(t.silnik().SlotZajety(1));
             EXPECT_FALSE(t.silnik().Stan.TrybAutomat);
             EXPECT_FALSE(t.wcisniety(PAutomat));
             EXPECT_TRUE(Stanowisko::jest(nowe, u"KLAW STOP  1 E1"_s));
         }},
        {"Home", Qt::Key_Home, Bez, 0, 3205, naDrugim, kursorPL(1)},
        {"keypad 7", Qt::Key_7, Num, 0, 5205, trzyWpisy, kursorTL(1)},
        {"Ctrl+F9", Qt::Key_F9, Ctrl, 0, 4018, {}, wlaczonySingli([](Stanowisko& t) { return t.silnik().SingleAutostopJest; })},
        {"Ctrl+F10", Qt::Key_F10, Ctrl, 0, 4017, {}, wlaczonySingli([](Stanowisko& t) { return t.silnik().SingleKaczkaJest; })},
        {"Ctrl+F11", Qt::Key_F11, Ctrl, 0, 4019, {}, wlaczonySingli([](Stanowisko& t) { return t.sciana().SingleZestawFlaga[1]; })},
        {"Ctrl+F12", Qt::Key_F12, Ctrl, 0, 4020, {},
         wlaczonySingli([](Stanowisko& t) { return t.sciana().SingleKolejnoPaleta[1] && t.okno->SingleKolejnoTimer->isActive(); })},
        {"Up", Qt::Key_Up, Bez, 0, 3201, naDrugim, kursorPL(1)},
        {"keypad 8", Qt::Key_8, Num, 0, 5201, trzyWpisy, kursorTL(1)},
        {"PgUp", Qt::Key_PageUp, Bez, 0, 3203, naDrugim, kursorPL(1)},
        {"keypad 9", Qt::Key_9, Num, 0, 5203, trzyWpisy, kursorTL(1)},
        {"keypad -", Qt::Key_Minus, Num, 0, 5004, trzyITak, wpisow(0, 0)},
        {"Left", Qt::Key_Left, Bez, 0, 4101, {}, paleta(6)},
        {"Right", Qt::Key_Right, Bez, 0, 4102, {}, paleta(2)},
        {"keypad +", Qt::Key_Plus, Num, 0, 5007,
         [](Stanowisko& t) {
             trzyWpisy(t);
             Timelista[2].Adr = t.folder.file(u"E3.WAV"_s);
         },
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_EQ(t.silnik().Odtwarzacze().PlikOdtwarzacza(1), t.folder.file(u"E3.WAV"_s));
             EXPECT_EQ(Timelista[2].Stan, StanZagrany);
             EXPECT_TRUE(Stanowisko::jest(nowe, u"KLAW START 1 "_s)) << nowe.join('\n').toStdString();
             t.silnik().Stan.PauzaJest = false;
         }},
        {"End", Qt::Key_End, Bez, 0, 3206, naDrugim, kursorPL(3)},
        {"keypad 1", Qt::Key_1, Num, 0, 5206, trzyWpisy, kursorTL(3)},
        {"Down", Qt::Key_Down, Bez, 0, 3202, naDrugim, kursorPL(3)},
        {"keypad 2", Qt::Key_2, Num, 0, 5202, trzyWpisy, kursorTL(3)},
        {"PgDn", Qt::Key_PageDown, Bez, 0, 3204, naDrugim, kursorPL(3)},
        {"keypad 3", Qt::Key_3, Num, 0, 5204, trzyWpisy, kursorTL(3)},
        {"Ins", Qt::Key_Insert, Bez, 0, 3106, zamykaPrzegladarke, przegladarkaBezZmian(PWstaw)},
        {"keypad 0", Qt::Key_0, Num, 0, 5005, [](Stanowisko& t) { t.zamknijPrzegladarke(); },
         [](Stanowisko& t, quint16, const QStringList&) {
             // The recording is picked in the folder browser (left here).
             EXPECT_TRUE(t.przegladarkaPokazana);
         }},
        {"Del", Qt::Key_Delete, Bez, 0, 3105, [](Stanowisko& t) { t.dialogi.Odpowiedz(OdpowiedzTak); }, usuniety(PUsun)},
        {"keypad .", Qt::Key_Period, Num, 0, 5006, trzyITak, wpisow(2, 2)},

        // ---- the bar, clicked ----
        {"Konf.", 0, Bez, PKonfiguracja, 3121, [](Stanowisko& t) { t.zamknijNastawy(); },
         [](Stanowisko& t, quint16, const QStringList&) {
             EXPECT_TRUE(t.nastawyPokazane);
             EXPECT_TRUE(t.konfLitMeanwhile);
             EXPECT_FALSE(t.wcisniety(PKonfiguracja));
         }},
        {"Czyt.", 0, Bez, PCzytajProfil, 3122, [](Stanowisko& t) { t.zamknijPrzegladarke(); },
         [](Stanowisko& t, quint16, const QStringList&) {
             // The profile is picked in the folder browser (left here): nothing read.
             EXPECT_TRUE(t.przegladarkaPokazana);
             EXPECT_EQ(t.okno->Profil().Sciezka, QString());
             EXPECT_EQ(t.sciana().Single[1][1].Tyt, u"E1"_s);
         }},
        {"Zap.", 0, Bez, PZapiszProfil, 3123, [](Stanowisko& t) { t.dialogi.Odpowiedz(OdpowiedzOpusc); },
         [](Stanowisko& t, quint16, const QStringList&) {
             const ZapisDialogu z = t.dialogi.Zapisy(RodzajDialogu::Tekst).last();
             EXPECT_EQ(z.teksty, QStringList({u"Nazwę zbioru profilu"_s, u"BezNazwy"_s}));
             EXPECT_EQ(t.okno->Profil().Sciezka, QString());
         }},
        {" Ster.", 0, Bez, PSterowanie, 3002, {}, wlaczony([](Stanowisko& t) { return t.silnik().StolSterowanie; }, PSterowanie)},
        {"SAT", 0, Bez, PSat, 3003, {},
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_TRUE(t.silnik().SatWlaczony);
             EXPECT_TRUE(t.wcisniety(PSat));
             EXPECT_EQ(nowe, QStringList{u"SAT ON"_s});
         }},
        {"~AutoStop", 0, Bez, PAutoStop, 3001, {}, wlaczony([](Stanowisko& t) { return t.silnik().AutostopJest; }, PAutoStop)},
        {"Au~to.", 0, Bez, PAutomat, 3021, {}, wlaczony([](Stanowisko& t) { return t.silnik().Stan.TrybAutomat; }, PAutomat)},
        {"Cisza", 0, Bez, PCisza, 3022, {}, wlaczony([](Stanowisko&) { return Emisja.CiszaGra; }, PCisza)},
        {"U~st.", 0, Bez, PUstawStart, 3109, [](Stanowisko& t) { t.dialogi.OdpowiedzTekst(u"13:00:00"_s); },
         [](Stanowisko& t, quint16, const QStringList&) {
             EXPECT_EQ(Playlista[1].Emi, 13 * 3'600'000);
             EXPECT_EQ(Playlista[3].Emi, 13 * 3'600'000 + 10'000);
             EXPECT_FALSE(t.wcisniety(PUstawStart));
         }},
        {"Akt.", 0, Bez, PAktualizacja, 3127, {}, wlaczony([](Stanowisko& t) { return t.silnik().Stan.KorektaCzasuJest; }, PAktualizacja)},
        {"~x", 0, Bez, PUsunPlayliste, 3014, [](Stanowisko& t) { t.dialogi.Odpowiedz(OdpowiedzTak); },
         [](Stanowisko& t, quint16, const QStringList&) {
             EXPECT_EQ(t.dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty.value(0), u"Czy skasować playlistę?"_s);
             EXPECT_EQ(StanPlaylisty.Ilosc, 0);
             EXPECT_EQ(PlaylistaNazwa, u"Nie_ma"_s);
             EXPECT_FALSE(t.wcisniety(PUsunPlayliste));  // released again
         }},
        {"~Doklej", 0, Bez, PDoklej, 3012, zamykaPrzegladarke, przegladarkaBezZmian(PDoklej)},
        {"~Czytaj", 0, Bez, PCzytaj, 3011, zamykaPrzegladarke, przegladarkaBezZmian(PCzytaj)},
        {"~Zapisz", 0, Bez, PZapisz, 3013, [](Stanowisko& t) { t.dialogi.OdpowiedzTekst(u"ZAPIS"_s); },
         [](Stanowisko& t, quint16, const QStringList&) {
             EXPECT_EQ(PlaylistaNazwa, u"ZAPIS"_s);
             EXPECT_TRUE(QFileInfo(platform::resolvePath(PlaylistaZbior)).isFile()) << PlaylistaZbior.toStdString();
             EXPECT_FALSE(t.wcisniety(PZapisz));
         }},
        {"~Wstaw", 0, Bez, PWstaw, 3106, zamykaPrzegladarke, przegladarkaBezZmian(PWstaw)},
        {"~Usuń", 0, Bez, PUsun, 3105, [](Stanowisko& t) { t.dialogi.Odpowiedz(OdpowiedzTak); }, usuniety(PUsun)},
        {"~Info", 0, Bez, PInfo, 3107,
         [](Stanowisko& t) {
             t.okno->Edycja().Zrodla.EdytujOpis = [&t](SygnalType& s) {
                 EXPECT_EQ(s.Adres, Playlista[1].Adr);
                 EXPECT_TRUE(t.wcisniety(PInfo));
                 OpisNagrania.Tyt = u"Opisany"_s;
             };
         },
         [](Stanowisko& t, quint16, const QStringList&) {
             EXPECT_EQ(Playlista[1].Tyt, u"Opisany"_s);
             EXPECT_FALSE(t.wcisniety(PInfo));
         }},
        {"Przes.", 0, Bez, PPrzesun, 3119, {}, wlaczony([](Stanowisko& t) { return t.silnik().Stan.TrybPrzesuwania; }, PPrzesun)},
        {"Blok", 0, Bez, PBlok, 3128, {}, wlaczony([](Stanowisko& t) { return t.silnik().Stan.TrybBloku; }, PBlok)},
        {"~Kod", 0, Bez, PKod, 3110,
         [](Stanowisko& t) {
             t.dialogi.OdpowiedzKod(2);
             t.dialogi.OdpowiedzTekst(u"Komunikat drogowy"_s);
         },
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_EQ(StanPlaylisty.Ilosc, 4);
             EXPECT_EQ(Playlista[2].Tyt, u"Komunikat drogowy"_s);
             EXPECT_TRUE(Stanowisko::jest(nowe, u"KOD        Zakończenie playlisty o "_s));
             EXPECT_FALSE(t.wcisniety(PKod));
         }},
        {"Zmi~eń", 0, Bez, PZmien, 3111,
         [](Stanowisko& t) {
             StanPlaylisty.Kursor = 2;
             Playlista[2].Typ = RodzajINF;
             t.dialogi.OdpowiedzTekst(u"Inny tekst"_s);
             t.dialogi.Odpowiedz(OdpowiedzTak);
         },
         [](Stanowisko& t, quint16, const QStringList& nowe) {
             EXPECT_EQ(Playlista[2].Tyt, u"Inny tekst"_s);
             EXPECT_TRUE(Stanowisko::jest(nowe, u"ZMIEŃ      Zakończenie playlisty o "_s));
             EXPECT_FALSE(t.wcisniety(PZmien));
         }},
        {"~Opis", 0, Bez, POpis, 3124, {}, panel(PanelOpis, POpis)},
        {"Dłu~ga", 0, Bez, PDluga, 3125, {}, panel(PanelDlugaPlaylista, PDluga)},
        {"Wie~loślad", 0, Bez, PWieloslad, 3126, {}, panel(PanelWieloslad, PWieloslad)},
        {"Miks~y", 0, Bez, PMiksy, 3113,
         [](Stanowisko&) {
             // The operator leaves the editor window as soon as it shows.
             QTimer::singleShot(0, [] {
                 for (QWidget* w : QApplication::topLevelWidgets())
                     if (auto* okno = dynamic_cast<TEdycjaMiksow*>(w); okno && okno->isVisible()) {
                         edytorPokazany = true;
                         okno->Komenda(KomendaOpusc);
                         // The recorder's input drains its three blocks in
                         // flight, then the window ends.
                         if (auto wejscie = platform::DeviceHub::instance().openVirtualInput())
                             wejscie->stepBlocks(NagrywarkaDJ::LiczbaBuforow);
                     }
             });
         },
         [](Stanowisko&, quint16, const QStringList&) {
             // The mix between the cursor's two songs is built and shown.
             EXPECT_TRUE(edytorPokazany);
             edytorPokazany = false;
             EXPECT_EQ(PlaylistaMiksu[1].Ide, u"E1"_s);
         }},
        {"U~ndo", 0, Bez, PUndo, 3118,
         [](Stanowisko& t) {
             ZapiszUndoPlaylisty(u"Usuń element"_s);
             StanPlaylisty.Ilosc = 2;
             t.dialogi.Odpowiedz(OdpowiedzTak);
         },
         [](Stanowisko& t, quint16, const QStringList&) {
             EXPECT_EQ(t.dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty.value(0), u"Ostatnia operacja:  Usuń element"_s);
             EXPECT_EQ(StanPlaylisty.Ilosc, 3);
             EXPECT_FALSE(t.wcisniety(PUndo));
         }},
        {"~Baza/Kat.", 0, Bez, PBazaKat, 3114, {},
         wlaczony([](Stanowisko& t) { return t.silnik().Stan.TrybWstawiania == 2; }, PBazaKat)},
    };
    for (int f = 1; f <= 12; ++f) {
        const int qt = Qt::Key_F1 + f - 1;
        w.push_back({"F1..F12", qt, Bez, 0, quint16(4200 + f), singielNa(f), naOdtwarzaczuSingli(f)});
        w.push_back({"slot buttons", 0, Bez, 0, quint16(4200 + f), singielNa(f), naOdtwarzaczuSingli(f), true});
        if (f <= 6) {
            w.push_back({"Ctrl+F1..F6", qt, Ctrl, 0, quint16(4300 + f), {}, paleta(f)});
            w.push_back({"palette buttons", 0, Bez, 0, quint16(4300 + f), {}, paleta(f), true});
        }
    }

    // ---- the singles wall's other buttons, clicked ----
    const auto przyciskSingli = [&](const char* nazwa, quint16 id, std::function<void(Stanowisko&)> przygotuj,
                                    Sprawdz sprawdz) { w.push_back({nazwa, 0, Bez, 0, id, przygotuj, sprawdz, true}); };
    przyciskSingli("x", 4010, [](Stanowisko& t) { t.sciana().SingleNazwa[1] = u"POPRANEK"_s; },
                   [](Stanowisko& t, quint16, const QStringList&) {
                       EXPECT_EQ(t.sciana().SingleNazwa[1], u"1"_s);
                       EXPECT_EQ(t.sciana().Single[1][1].Adr, QString());
                       EXPECT_EQ(t.okno->Przyciski().Single[PPaleta1].Tytul, u"1"_s);
                   });
    przyciskSingli("Nowy", 4011, [](Stanowisko& t) { t.dialogi.OdpowiedzTekst(u"wieczór"_s); },
                   [](Stanowisko& t, quint16, const QStringList&) {
                       EXPECT_EQ(t.sciana().SingleNazwa[1], u"WIECZÓR"_s);
                       EXPECT_EQ(t.sciana().Single[1][1].Adr, QString());
                       EXPECT_EQ(t.okno->Przyciski().Single[PPaleta1].Tytul, u"WIECZÓR"_s);
                   });
    przyciskSingli("Czytaj", 4012,
                   [](Stanowisko& t) {
                       t.folder.write(u"RANEK.SIN"_s, "DZWONEK\r\n" + t.folder.file(u"E3.WAV"_s).toUtf8() + "\r\n");
                       t.sciana().Biblioteka.ZestawZKatalogu = [&t](const QString&) { return t.folder.file(u"RANEK.SIN"_s); };
                   },
                   [](Stanowisko& t, quint16, const QStringList&) {
                       EXPECT_EQ(t.sciana().SingleNazwa[1], u"RANEK"_s);
                       EXPECT_EQ(t.sciana().Single[1][1].Tyt, u"DZWONEK"_s);
                       EXPECT_EQ(t.sciana().Single[1][2].Adr, QString());
                   });
    przyciskSingli("Zapisz", 4013, [](Stanowisko& t) { t.dialogi.OdpowiedzTekst(u"POPOŁUDNIE"_s); },
                   [](Stanowisko& t, quint16, const QStringList&) {
                       EXPECT_EQ(t.sciana().SingleNazwa[1], u"POPOŁUDNIE"_s);
                       EXPECT_EQ(t.folder.read(u"POPOŁUDNIE.SIN"_s).count("\r\n"), 24);
                   });
    przyciskSingli("Wstaw", 4014, {}, wlaczonySingli([](Stanowisko& t) { return t.sciana().SingleTryb == 2; }));
    przyciskSingli("Usuń", 4015, {}, wlaczonySingli([](Stanowisko& t) { return t.sciana().SingleTryb == 3; }));
    przyciskSingli("Info", 4016, {}, wlaczonySingli([](Stanowisko& t) { return t.sciana().SingleTryb == 4; }));
    przyciskSingli("K A C Z K A", 4017, {}, wlaczonySingli([](Stanowisko& t) { return t.silnik().SingleKaczkaJest; }));
    przyciskSingli("Autostop", 4018, {}, wlaczonySingli([](Stanowisko& t) { return t.silnik().SingleAutostopJest; }));
    przyciskSingli("Zapytaj", 4019, {}, wlaczonySingli([](Stanowisko& t) { return t.sciana().SingleZestawFlaga[1]; }));
    przyciskSingli("Kolejno", 4020, {}, wlaczonySingli([](Stanowisko& t) { return t.sciana().SingleKolejnoPaleta[1]; }));
    return w;
}

TEST_F(KeysAndBar, EveryKeyOfTheTableAndEveryButtonOfTheBarHasItsEffect) {
    std::set<quint16> kody;
    std::set<int> przyciski, przyciskiSingli;
    for (const Wiersz& w : wiersze()) {
        SCOPED_TRACE(w.nazwa);
        odNowa();
        if (w.przygotuj) w.przygotuj(*this);
        const int przed = int(logi().size());
        if (w.klawisz != 0) {
            const quint16 kod = KodBIOS(w.klawisz, w.modyfikatory);
            ASSERT_EQ(KomendaKlawisza(kod), w.id) << std::hex << kod;
            kody.insert(kod);
            QTest::keyClick(okno.get(), Qt::Key(w.klawisz), w.modyfikatory);
        } else {
            const BUTTONType& b = w.sciana ? okno->Przyciski().Single[size_t(IndeksPrzyciskuSingli(w.id))] : przycisk(w.przycisk);
            ASSERT_EQ(b.Kod, w.id);
            ASSERT_EQ(b.Widoczny, 1);
            (w.sciana ? przyciskiSingli : przyciski).insert(w.sciana ? w.id : w.przycisk);
            QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, srodek(b));
        }
        poStarcie();
        w.sprawdz(*this, w.id, logi().mid(przed));
        EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieBrak);
    }
    EXPECT_TRUE(dialogi.Bledy().isEmpty()) << dialogi.Bledy().join('\n').toStdString();
    // Nothing of either was left out.
    std::set<quint16> tabela;
    for (const WierszKlawisza& k : TabelaKlawiszy) tabela.insert(k.Klawisz);
    EXPECT_EQ(kody, tabela);
    EXPECT_EQ(przyciski.size(), size_t(LiczbaPrzyciskowPaska));
    EXPECT_EQ(przyciskiSingli.size(), size_t(LiczbaPrzyciskowSingli));
}

// A held key repeats cursor moves only: a repeated Return starts nothing in
// the window, and in a text field it does not accept while letters repeat.
TEST_F(KeysAndBar, AHeldKeyRepeatsOnlyCursorMovesAndTyping) {
    odNowa();
    const auto powtorzony = [](QObject* cel, Qt::Key k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(cel, &e);
    };
    powtorzony(okno.get(), Qt::Key_Down);
    EXPECT_EQ(StanPlaylisty.Kursor, 2);
    powtorzony(okno.get(), Qt::Key_Return);
    powtorzony(okno.get(), Qt::Key_Delete);
    EXPECT_FALSE(silnik().SlotZajety(1) || silnik().StartCzeka());
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    QTest::keyClick(okno.get(), Qt::Key_Return);
    poStarcie();
    EXPECT_TRUE(silnik().SlotZajety(1) || silnik().SlotZajety(2));
    QLineEdit pole;
    EXPECT_TRUE(PowtorzenieDozwolone(Qt::Key_A, &pole));
    EXPECT_FALSE(PowtorzenieDozwolone(Qt::Key_Return, &pole));
}

// The browser opened by Ins waits for a listing that does not come (a share
// that does not answer): meanwhile Enter and STOP act on the decks at once,
// Ins opens nothing over it, and Esc ends the wait without a browser; the
// listing that comes at last changes nothing.
TEST_F(KeysAndBar, AListingThatNeverEndsLeavesTheDeckKeysActing) {
    odNowa();
    silnik().OproznijPrzygotowania();  // E1 read ahead, as on air
    std::mutex m;
    std::condition_variable cv;
    bool puszczony = false;
    int listingi = 0;
    KatalogPrzedOdczytem = [&](const QString&) {
        std::unique_lock l(m);
        ++listingi;
        cv.wait(l, [&] { return puszczony; });
    };
    const auto pusc = [&] {
        std::lock_guard l(m);
        puszczony = true;
        cv.notify_all();
    };
    // Should the wait not end, the listing is let go and what opens closed.
    QTimer bezpiecznik;
    QObject::connect(&bezpiecznik, &QTimer::timeout, [&] {
        ADD_FAILURE() << "the wait for the listing did not end";
        pusc();
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    bool czekal = false;
    QTimer::singleShot(0, &kontekst_, [&] {
        czekal = KatalogCzeka();
        QTest::keyClick(okno.get(), Qt::Key_Return);
        EXPECT_EQ(silnik().Odtwarzacz[1].Element, 1);
        QTest::keyClick(okno.get(), Qt::Key_Insert);
        QTest::keyClick(okno.get(), Qt::Key_Space, Qt::ControlModifier);
        EXPECT_FALSE(silnik().SlotZajety(1));
        QTest::keyClick(okno.get(), Qt::Key_Escape);
    });
    bezpiecznik.start(5000);
    const int przed = int(logi().size());
    QTest::keyClick(okno.get(), Qt::Key_Insert);
    bezpiecznik.stop();
    EXPECT_TRUE(czekal);
    EXPECT_FALSE(KatalogCzeka());
    const QStringList nowe = logi().mid(przed);
    EXPECT_TRUE(jest(nowe, u"KLAW START 1 "_s + Playlista[1].Adr)) << nowe.join('\n').toStdString();
    EXPECT_TRUE(jest(nowe, u"KLAW STOP  1 E1"_s)) << nowe.join('\n').toStdString();
    pusc();
    KatalogOproznij();
    QCoreApplication::processEvents();
    KatalogPrzedOdczytem = nullptr;
    EXPECT_EQ(listingi, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
}

TEST_F(KeysAndBar, HourButtonsTheWheelAndAltWithTheRightButton) {
    odNowa();
    // The elements stand at noon: only hour 12 moves the cursor.
    for (int g = 0; g < 24; ++g) {
        StanPlaylisty.Kursor = 2;
        QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, srodek(okno->Przyciski().Godziny[size_t(g)]));
        EXPECT_EQ(StanPlaylisty.Kursor, g == 12 ? 1 : 2) << g;
    }
    StanPlaylisty.Kursor = 1;
    // The wheel moves the playlist cursor, and over the time list's rows
    // the time list's.
    trzyWpisy(*this);
    const TRect& tl = StanTimelisty.Lista;
    for (const QPointF p : {QPointF(300, 300), QPointF((tl.Left + tl.Right) / 2, tl.Top + 5)}) {
        std::vector<qint32> kursory;
        for (int kroki : {-120, -120, 120}) {
            QWheelEvent e(p, okno->mapToGlobal(p), QPoint(), QPoint(0, kroki), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(okno.get(), &e);
            kursory.push_back(p.x() == 300 ? StanPlaylisty.Kursor : StanTimelisty.Kursor);
        }
        EXPECT_EQ(kursory, (std::vector<qint32>{p.x() == 300 ? 2 : 3, 3, 2}));
    }
    // Alt with the right button is flagged for the playlist's right-click actions.
    QTest::mouseClick(okno.get(), Qt::RightButton, Qt::AltModifier, QPoint(200, 500));
    EXPECT_EQ(silnik().Stan.ZdarzenieFlaga, 1);
    QTest::mouseClick(okno.get(), Qt::RightButton, Qt::NoModifier, QPoint(200, 500));
    EXPECT_EQ(silnik().Stan.ZdarzenieFlaga, 0);
}

// The README's table of what the event log gets: each row's keys pressed as
// the rows above prepare them, and each log text it shows (in backticks) in a
// line they wrote, blanks run together; "no line" means none at all.
TEST_F(KeysAndBar, TheReadmesEventLogTableIsWhatTheLogGets) {
    QFile plik(QStringLiteral(TOLVANE_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    const QString tekst = QString::fromUtf8(plik.readAll());
    const qsizetype od = tekst.indexOf(u"\n## The event log"_s);
    const QRegularExpression kod(u"`([^`]+)`"_s);
    const std::vector<Wiersz> tabela = wiersze();
    int sprawdzone = 0;
    for (const QString& linia : tekst.mid(od, tekst.indexOf(u"\n## "_s, od + 5) - od).split(u'\n')) {
        const QStringList k = linia.split(u'|');
        if (od < 0 || k.size() < 4 || !k[1].contains(u'`')) continue;
        for (const auto& m : kod.globalMatch(k[1])) {
            SCOPED_TRACE(linia.toStdString());
            const auto kc = QKeySequence::fromString(m.captured(1).replace(u"PgDn"_s, u"PgDown"_s))[0];
            const auto w = std::find_if(tabela.begin(), tabela.end(), [&](const Wiersz& x) {
                return x.klawisz && KodBIOS(x.klawisz, x.modyfikatory) == KodBIOS(int(kc.key()), kc.keyboardModifiers());
            });
            odNowa();
            if (w != tabela.end() && w->przygotuj) w->przygotuj(*this);
            silnik().OproznijPrzygotowania();  // the read-ahead had its time
            const qsizetype przed = logi().size();
            if (w != tabela.end()) QTest::keyClick(okno.get(), Qt::Key(w->klawisz), w->modyfikatory);
            else QTest::keyClick(okno.get(), kc.key(), kc.keyboardModifiers());
            poStarcie();
            const QString nowe = logi().mid(przed).join(u'\n').replace(QRegularExpression(u" +"_s), u" "_s);
            if (k[2].contains(u"no line"_s)) EXPECT_TRUE(nowe.isEmpty()) << nowe.toStdString();
            for (const auto& t : kod.globalMatch(k[2]))
                EXPECT_TRUE(nowe.contains(t.captured(1))) << t.captured(1).toStdString() << " in\n" << nowe.toStdString();
            ++sprawdzone;
        }
    }
    EXPECT_GE(sprawdzone, 15);
}

TEST_F(KeysAndBar, ModeButtonsFollowTheirModesWhoeverSwitchesThem) {
    odNowa();
    // A hot key.
    QTest::keyClick(okno.get(), Qt::Key_A, Qt::ControlModifier);  // "~AutoStop"
    EXPECT_TRUE(wcisniety(PAutoStop));
    // A shared AutoStop: the playlist's and the singles' buttons follow each other.
    Emisja.AutoStopWspolnyJest = true;
    QTest::keyClick(okno.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(wcisnietySingli(4018));
    QTest::keyClick(okno.get(), Qt::Key_F9, Qt::ControlModifier);  // the singles' "Autostop"
    EXPECT_TRUE(silnik().AutostopJest);
    EXPECT_TRUE(wcisniety(PAutoStop));
    EXPECT_TRUE(wcisnietySingli(4018));
    // The loop: the emergency playlist starts by itself and switches Automat on.
    folder.write(u"TolvaneAwaria.FLG"_s, "");
    ASSERT_EQ(ZapiszPlaylisteMIX(folder.file(u"AWARIA.MIX"_s), 1, 3), WynikZapisuMIX::Zapisano);
    Emisja.AwariaStartJest = true;
    ASSERT_FALSE(wcisniety(PAutomat));
    okno->Silnik().Pliki.Oproznij();
    okno->Silnik().OproznijPrzygotowania();
    okno->Timer1Timer();
    QCoreApplication::processEvents();  // the start runs right after the tick
    okno->Silnik().Odczyt.Oproznij();   // and the list goes on air once read
    okno->TimerWyswietlaczTimer();
    EXPECT_TRUE(silnik().Stan.TrybAutomat);
    EXPECT_TRUE(wcisniety(PAutomat));
    // The desk's tone input hands the air to the satellite: Automat off, SAT on.
    silnik().StolSterowanie = true;
    Emisja.StartStol = true;
    SlowoGPI = SlowoGPISpoczynek;
    silnik().SprawdzWejscia = [] {
        SlowoGPIPoprzednie = SlowoGPI;
        SlowoGPI = SlowoGPISpoczynek & ~0x0020;
        return SlowoGPIPoprzednie != SlowoGPI;
    };
    zegar.advance(30);
    okno->Silnik().Pliki.Oproznij();
    okno->Silnik().OproznijPrzygotowania();
    okno->Timer1Timer();
    EXPECT_TRUE(silnik().SatWlaczony);
    EXPECT_TRUE(wcisniety(PSat));
    EXPECT_FALSE(wcisniety(PAutomat));
    EXPECT_TRUE(wcisniety(PSterowanie));
    // The display refresh shows a mode switched by anyone else too.
    silnik().Stan.KorektaCzasuJest = true;
    okno->TimerWyswietlaczTimer();
    EXPECT_TRUE(wcisniety(PAktualizacja));
    // "^" is lit while a time-list block plays its entries one by one.
    silnik().Stan.PauzaJest = true;
    okno->TimerWyswietlaczTimer();
    EXPECT_EQ(okno->Przyciski().Timelista[PTKolejno].Stan, 1);
    silnik().Stan.PauzaJest = false;
}

}  // namespace

// The settings lock: a wrong password opens nothing and says nothing; the
// right one, however long, opens the dialog; without the lock it opens at once.
TEST_F(KeysAndBar, TheSettingsDialogBehindItsPassword) {
    struct Przypadek {
        const char* co;
        bool blokada;
        QString wpisane;
        bool otwiera;
    };
    const QString haslo = u"Dwanascie12!"_s;
    const Przypadek przypadki[] = {
        {"lock off", false, {}, true},
        {"wrong password", true, u"WQXE"_s, false},
        {"cancelled", true, {}, false},
        {"right 12-character password", true, haslo, true},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.co);
        Nastawy.HasloINIJest = p.blokada;
        Nastawy.HasloINITekst = haslo;
        const qsizetype przed = dialogi.Zapisy().size();
        if (p.blokada) {
            if (p.wpisane.isEmpty())
                dialogi.Odpowiedz(OdpowiedzOpusc);
            else
                dialogi.OdpowiedzTekst(p.wpisane);
        }
        zamknijNastawy();
        QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(przycisk(PKonfiguracja).Rect.Left + 3, przycisk(PKonfiguracja).Rect.Top + 3));
        QCoreApplication::processEvents();
        EXPECT_EQ(nastawyPokazane, p.otwiera);
        if (p.otwiera) EXPECT_TRUE(konfLitMeanwhile);
        EXPECT_FALSE(wcisniety(PKonfiguracja));
        int teksty = 0, komunikaty = 0;
        for (const ZapisDialogu& z : dialogi.Zapisy().mid(przed)) {
            if (z.rodzaj == RodzajDialogu::Tekst) {
                ++teksty;
                EXPECT_EQ(z.teksty.value(0), u"Podaj hasło dostępu"_s);
                EXPECT_LE(z.liczba, -haslo.size()) << "the field takes the whole password, masked";
            }
            if (z.rodzaj == RodzajDialogu::Blad || z.rodzaj == RodzajDialogu::Info) ++komunikaty;
        }
        EXPECT_EQ(teksty, p.blokada ? 1 : 0);
        EXPECT_EQ(komunikaty, 0);
    }
    Nastawy.HasloINIJest = false;
}
