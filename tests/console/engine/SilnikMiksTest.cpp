// Two elements in Automat through the real player slots on two stepped
// virtual sound cards: the second starts at its mix point on the other
// player and what each card played follows the volumes the loop set.
#include "console/support/SilnikRig.h"

#include <QRegularExpression>
#include <QTime>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <optional>

#include "audio/PlayerSloty.h"
#include "audio/Sygnaly2.h"
#include "common/DyskStojacy.h"
#include "console/commands/KomendyEdycji.h"
#include "console/commands/KomendyPlaylisty.h"
#include "console/engine/TrybyEmisji.h"
#include "platform/AudioFixtures.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/VirtualDevice.h"

namespace {

struct KartyWirtualne {
    KartyWirtualne() { platform::DeviceHub::instance().useVirtualDevices({"Karta A", "Karta B"}, true); }
    ~KartyWirtualne() { platform::DeviceHub::instance().useVirtualDevices({"Virtual"}, true); }
};

// RMS of channel 0 of 16-bit interleaved samples [od, do_) in frames.
double rms(const QByteArray& pcm, int kanaly, qint64 od, qint64 do_) {
    const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
    const qint64 ramek = pcm.size() / 2 / kanaly;
    double suma = 0;
    qint64 n = 0;
    for (qint64 i = qMax<qint64>(od, 0); i < qMin(do_, ramek); ++i, ++n) suma += double(s[i * kanaly]) * s[i * kanaly];
    return n ? std::sqrt(suma / double(n)) : 0;
}

}  // namespace

TEST(SilnikMiks, CrossfadeInAutomatFollowsBothEnvelopesOnTheCards) {
    KartyWirtualne karty;
    SilnikRig r;
    PlayerSloty sloty;
    OpcjeOdtwarzaczy opcje;
    opcje.CzyPlayerZgodnoscWinXP = true;
    opcje.Kanal = {0, 0, 1, 0, 0, 0};  // player 1 on card A, player 2 on card B
    sloty.UstawOpcje(opcje);
    sloty.UtworzMiksery();
    OdtwarzaczeZPlayerSloty gracze(sloty);
    SilnikEmisji silnik(r.stan, gracze, &r.wyjscia);

    auto plik = [&](const QString& nazwa) {
        r.dir.write(nazwa, fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, 1000, 3'000, 0.5)));
        return r.dir.file(nazwa);
    };
    TElemPListy& a = r.dodaj(plik("a.wav"), H12, 3'000);
    a.FOu = 2'000;
    TElemPListy& b = r.dodaj(plik("b.wav"), H12 + 2'000, 3'000);
    b.FIn = 1'000;
    r.dodaj(plik("c.wav"), H12 + 5'000, 3'000);
    StanPlaylisty.Kursor = 1;
    StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;

    auto kartaA = platform::DeviceHub::instance().openVirtual(0);
    // The cards open with their first channel: the first tick starts player 1.
    r.zegar.advance(30);
    silnik.Pliki.Oproznij();
    silnik.OproznijPrzygotowania();
    silnik.Timer1Timer();
    ASSERT_EQ(silnik.Odtwarzacz[1].Element, 1);
    kartaA = platform::DeviceHub::instance().openVirtual(0);
    ASSERT_TRUE(kartaA);
    kartaA->startCapture();
    std::shared_ptr<platform::VirtualDevice> kartaB;

    const int rate = kartaA->format().rate;
    const int kanaly = kartaA->format().channels;
    const int ramekNaTik = rate * 30 / 1000;
    std::vector<int> vA, vB;  // the volumes set after each tick
    int startB = -1;
    for (int t = 0; t < 160; ++t) {
        kartaA->step(ramekNaTik);
        if (kartaB) kartaB->step(ramekNaTik);
        r.zegar.advance(30);
        silnik.Pliki.Oproznij();
        silnik.OproznijPrzygotowania();
        silnik.Timer1Timer();
        if (!kartaB && silnik.Odtwarzacz[2].Element == 2) {
            startB = t;
            // Inside the window: player 1's day position reached 12:00:02.
            EXPECT_GE(silnik.CzasAntenowy, H12 + 2'000);
            EXPECT_LT(silnik.CzasAntenowy, H12 + 2'000 + 60);
            kartaB = platform::DeviceHub::instance().openVirtual(1);
            ASSERT_TRUE(kartaB);
            kartaB->startCapture();
        }
        vA.push_back(gracze.StanOdtwarzacza(1) ? gracze.GlosnoscOdtwarzacza(1) : -10'000);
        vB.push_back(kartaB && gracze.StanOdtwarzacza(2) ? gracze.GlosnoscOdtwarzacza(2) : -10'000);
    }
    ASSERT_GE(startB, 60);
    EXPECT_EQ(r.logiZ("START 2").size(), 1);

    // Compare what each card played in tick window k+1 (after its ramp)
    // with the volume the loop set at tick k.
    const double pelny = 0.5 * 32767 / std::sqrt(2.0);
    const QByteArray pcmA = kartaA->capture();
    const QByteArray pcmB = kartaB->capture();
    int sprawdzone = 0;
    for (int k = startB; k + 1 < int(vA.size()); ++k) {
        struct {
            const QByteArray& pcm;
            int v;
            qint64 okno;
        } karty[2] = {{pcmA, vA[k], qint64(k + 1) * ramekNaTik}, {pcmB, vB[k], qint64(k - startB) * ramekNaTik}};
        for (auto& c : karty) {
            if (c.v < -3000 || c.okno < 0) continue;  // too quiet to measure well
            const double zmierzony = rms(c.pcm, kanaly, c.okno + ramekNaTik / 3, c.okno + ramekNaTik);
            if (zmierzony == 0) continue;  // the element had ended
            EXPECT_NEAR(20 * std::log10(zmierzony / pelny), c.v / 100.0, 1.0) << "tick " << k << " volume " << c.v;
            ++sprawdzone;
        }
    }
    EXPECT_GT(sprawdzone, 40);
    // The envelopes themselves: A falls over its last second, B rises over its first.
    EXPECT_EQ(vA[startB - 5], 0);
    EXPECT_LT(vA[startB + 10], -1000);
    EXPECT_GT(vB[startB + 30], -1000);
}

namespace {

// The engine on the real player slots of one back-end, on two virtual cards.
struct NaKartach {
    explicit NaKartach(bool strumien) {
        OpcjeOdtwarzaczy opcje;
        opcje.CzyPlayerZgodnoscWinXP = strumien;
        sloty.UstawOpcje(opcje);
        sloty.UtworzMiksery();
        silnik.emplace(r.stan, gracze, &r.wyjscia);
    }
    // A tick after the cards played 30 ms (unless they stand still) and the workers caught up.
    void tik(bool karty = true) {
        for (int k = 0; k < 2 && karty; ++k)
            if (auto d = platform::DeviceHub::instance().openVirtual(k)) d->stepMs(30);
        r.zegar.advance(30);
        silnik->Pliki.Oproznij();
        silnik->OproznijPrzygotowania();
        silnik->Timer1Timer();
    }
    KartyWirtualne karty;
    SilnikRig r;
    PlayerSloty sloty;
    OdtwarzaczeZPlayerSloty gracze{sloty};
    std::optional<SilnikEmisji> silnik;
};

// A 24-bit WAV as common tools write it: WAVE_FORMAT_EXTENSIBLE with a
// 40-byte fmt chunk (PCM subformat) and a fact chunk before the data.
QByteArray rozszerzony(const QByteArray& dane) {
    QByteArray w = fixtures::wavFile(48000, 2, 24, dane, {{"fact", QByteArray("\0\xB8\0\0", 4)}});
    w.replace(16, 6, QByteArray::fromHex("28000000feff"));
    w.insert(36, QByteArray::fromHex("16001800030000000100000000001000800000aa00389b71"));
    qToLittleEndian<quint32>(quint32(w.size() - 8), w.data() + 4);
    return w;
}

}  // namespace

// Files a station meets, each first in Automat with every deck idle and a
// good file after it, on both back-ends through the real slots: what the
// players play goes on air and moves; what they cannot is refused by the
// playable check as by the start, logged once with its reason, shown red,
// and the next element is on air by the first tick; a player that never
// moves from its start is a failed start too. A length is not guessed for a
// file that cannot play.
TEST(SilnikMiks, FormatsAStationMeetsPlayOrAreSkippedWithTheirReasonByTheNextTick) {
    const QByteArray sekunda48k = fixtures::tone16(48000, 2, 440, 1'000);
    QByteArray id3 = "ID3";
    id3 += QByteArray::fromHex("030000") + QByteArray::fromHex("00000201") + QByteArray(257, '\0');
    QByteArray zlyTag = fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, 440, 1'000));
    zlyTag.replace(8, 4, "WAVX");
    QByteArray plywak = fixtures::wavFile(44100, 2, 32, QByteArray(352'800, '\0'));
    plywak[20] = 3;  // IEEE float
    const struct {
        const char* nazwa;
        QByteArray bajty;
        const char* powod;  // nullptr: it plays
        bool sprawdzenie = false;  // the check lets it in (everything it lets in plays)
        bool karta = true;         // false: the card stands still, the player never moves
    } wiersze[] = {
        {"s48k.wav", fixtures::wavFile(48000, 2, 16, sekunda48k), nullptr, true},
        {"mono.wav", fixtures::wavFile(44100, 1, 16, fixtures::tone16(44100, 1, 440, 1'000)), nullptr, true},
        {"id3.mp3", id3 + fixtures::mp3Tone(44100, 2, 440, 1'000), nullptr, true},
        {"cut.wav", fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, 440, 1'000)).left(150'000), nullptr, true},
        // Kept out of new playlists, but one already listed still plays.
        {"pcm8.wav", fixtures::wavFile(44100, 2, 8, fixtures::tone8(44100, 2, 440, 1'000)), nullptr},
        {"pcm24.wav", fixtures::wavFile(48000, 2, 24, QByteArray(288'000, '\1')), "16 bitowe"},
        {"pcm32.wav", fixtures::wavFile(44100, 2, 32, QByteArray(352'800, '\1')), "16 bitowe"},
        {"float.wav", plywak, "w formacie PCM"},
        {"ext24.wav", rozszerzony(QByteArray(288'000, '\1')), "w formacie PCM"},
        {"head.wav", fixtures::wavFile(44100, 2, 16, sekunda48k).left(30), "nagłówek"},
        {"empty.wav", {}, "Zbiór jest pusty"},
        {"wavx.wav", zlyTag, "!!! "},
        {"stoi.wav", fixtures::wavFile(44100, 1, 16, fixtures::tone16(44100, 1, 440, 1'000)), "stoi od startu", true,
         false},
    };
    for (const bool strumien : {true, false}) {
        for (const auto& w : wiersze) {
            SCOPED_TRACE(std::string(w.nazwa) + (strumien ? " streaming" : " file player"));
            NaKartach k(strumien);
            SilnikRig& r = k.r;
            SilnikEmisji& silnik = *k.silnik;
            OdtwarzaczeZPlayerSloty& gracze = k.gracze;
            r.dir.write(w.nazwa, w.bajty);
            const QString plik = r.dir.file(w.nazwa);
            r.dodaj(plik, H12, 1'000);
            r.dodaj(r.wav("dobry.wav", 3'000), H12 + 1'000, 3'000);
            StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
            r.stan.TrybAutomat = true;

            const bool gra = w.powod == nullptr;
            EXPECT_EQ(SprawdzOdtwarzalny(plik), w.sprawdzenie);
            EXPECT_EQ(r.dialogi.Zapisy().isEmpty(), w.sprawdzenie);
            if (QString(w.nazwa) == "ext24.wav") EXPECT_EQ(CzasTrwaniaPliku(plik), 0);
            // Ticks until the next element is on air (at most 30); a row's
            // card may stand still.
            int tiki = 0;
            while (silnik.Odtwarzacz[1].Element != 2 && tiki < (gra ? 20 : 30)) {
                k.tik(w.karta);
                ++tiki;
            }
            if (gra) {
                EXPECT_EQ(silnik.Odtwarzacz[1].Element, 1);
                EXPECT_GT(gracze.PozycjaOdtwarzacza(1), 200);
                EXPECT_TRUE(r.logiZ("BŁĄD ODCZYTU").isEmpty());
            } else {
                // Known from its read-ahead, it is passed over by the first
                // tick, which starts the next element in its place.
                EXPECT_EQ(tiki, w.karta ? 1 : 1 + int(SilnikEmisji::ZastojStartuMs / 30));
                const QStringList bledy = r.logiZ("!!! BŁĄD ODCZYTU NAGRANIA !!!");
                ASSERT_EQ(bledy.size(), 1);
                EXPECT_TRUE(bledy[0].contains(w.nazwa) && bledy[0].contains(w.powod)) << bledy[0].toStdString();
                EXPECT_EQ(r.wyjscia.zdarzenia.filter("STATUS czerwony").size(), 1);
            }
        }
    }
}


// A song on air in Automat, then an element that cannot play, then a song,
// on both back-ends: the bad one (known from its read-ahead, or missing) is
// passed over long before its time with its reason, once, and the song after
// it starts at the mix point of the song on air (12:00:02, 1 s before its end).
TEST(SilnikMiks, AnElementThatCannotPlayIsPassedOverAndTheNextStartsAtTheMixPointOfTheSongOnAir) {
    for (const bool strumien : {true, false}) {
        for (const char* powod : {"16 bitowe", "Zbiór jest pusty", "BRAK NAGRANIA"}) {
            SCOPED_TRACE(std::string(powod) + (strumien ? " streaming" : " file player"));
            NaKartach k(strumien);
            SilnikRig& r = k.r;
            SilnikEmisji& silnik = *k.silnik;
            OdtwarzaczeZPlayerSloty& gracze = k.gracze;
            Emisja.TOfset = 0;
            r.dodaj(r.wav("g1.wav", 3'000), H12, 3'000).Mix = 1'000;
            const QString zly = powod[0] == 'B' ? r.wav("zly.wav", 2'000) : r.dir.file("zly.wav");
            if (powod[0] == '1') r.dir.write("zly.wav", fixtures::wavFile(48000, 2, 24, QByteArray(288'000, '\1')));
            if (powod[0] == 'Z') r.dir.write("zly.wav", QByteArray());
            r.dodaj(zly, H12 + 2'000, 2'000);
            r.dodaj(r.wav("g2.wav", 3'000), H12 + 3'000, 3'000);
            StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
            r.stan.TrybAutomat = true;
            qint64 pominiety = -1, start = -1;
            for (int t = 0; t < 150 && start < 0; ++t) {
                k.tik();
                if (t == 0 && powod[0] == 'B') QFile::remove(zly);  // deleted once listed
                if (pominiety < 0 && StanPlaylisty.DoGrania == 3) pominiety = gracze.PozycjaOdtwarzacza(1);
                if (silnik.Odtwarzacz[2].Element == 3) start = gracze.PozycjaOdtwarzacza(1);
            }
            EXPECT_TRUE(pominiety >= 0 && pominiety < 1'000) << pominiety;
            EXPECT_TRUE(start >= 2'000 && start < 2'060) << start;
            EXPECT_EQ(r.logiZ(powod).filter("PROG START ").size(), 1);
        }
    }
}

// A share that hangs under the song on air: once its deck has had nothing to
// play for a second (its ring of 4 s played out), the log and the status
// field say so, the element ends, and the next one, prepared, starts at
// once on that deck, its refill thread not the one stuck on the share.
TEST(SilnikMiks, ADeckStarvedByAShareThatHangsSaysSoAndTheNextElementStartsAtOnce) {
    auto udzial = std::make_shared<Gate>();
    udzial->most = std::chrono::seconds(30);
    DiskOnGate naUdziale(udzial, [](const platform::PcmFormat& f) { return f.rate == 22050; });
    NaKartach k(true);
    SilnikRig& r = k.r;
    SilnikEmisji& silnik = *k.silnik;
    r.dir.write("udzial.wav", fixtures::wavFile(22050, 2, 16, fixtures::tone16(22050, 2, 440, 20'000)));
    r.dodaj(r.dir.file("udzial.wav"), H12, 20'000);
    r.dodaj(r.wav("lokalny.wav", 3'000), H12 + 20'000, 3'000);
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;
    k.tik();
    ASSERT_EQ(silnik.Odtwarzacz[1].Element, 1);
    udzial->set(false);
    // The refill thread's next read, due once a tenth of the ring has played,
    // waits at the gate.
    int tiki = 0;
    for (; tiki < 15; ++tiki) k.tik();
    ASSERT_TRUE(CzekajNa([&] { return udzial->count(&Gate::reading) == 1; }));
    for (; silnik.Odtwarzacz[1].Element != 2 && tiki < 250; ++tiki) {
        k.tik();
        silnik.OdswiezOdtwarzacze();
    }
    EXPECT_NEAR(tiki * 30, 5'000, 200);
    const QStringList brak = r.logiZ("!!! BRAK DANYCH Z DYSKU !!!");
    ASSERT_EQ(brak.size(), 1);
    EXPECT_TRUE(brak[0].contains("udzial.wav")) << brak[0].toStdString();
    EXPECT_EQ(r.wyjscia.zdarzenia.filter("STATUS czerwony Odtwarzacz 1: brak danych").size(), 1);
    EXPECT_EQ(r.logiZ("PROG STOP  1 E1").size(), 1);
    for (int i = 0; i < 10; ++i) k.tik();
    EXPECT_GT(k.gracze.PozycjaOdtwarzacza(1), 200);
    udzial->set(true);
    EXPECT_TRUE(CzekajNa([&] { return udzial->count(&Gate::reading) == 0; }));
}

// Every way the next element changes while Automat plays tones of 4 s with a
// 1 s mix, on both back-ends: the element that comes next starts at the
// crossfade point of the one on air (its player 3 s in), nothing airs twice,
// and no start is late.
TEST(SilnikMiks, EveryWayTheNextElementChangesKeepsTheCrossfade) {
    using Akcja = std::function<void(SilnikRig&, SilnikEmisji&, int)>;
    KomendyEdycji* edycje = nullptr;
    KomendyPlaylisty* odczyt = nullptr;
    TimeryKonsoli* timery = nullptr;
    const auto usun = [&](SilnikRig& r, qint32 n) {
        StanPlaylisty.Kursor = n;
        r.dialogi.Odpowiedz(OdpowiedzTak);
        edycje->KomendaUsun();
    };
    const auto cofnij = [&](SilnikRig& r) {
        r.dialogi.Odpowiedz(OdpowiedzTak);
        edycje->CofnijOperacje();
    };
    const struct {
        const char* nazwa;
        int elementow;  // G1.. on air
        Akcja akcja;
        QStringList starty;  // in order; what airs after them is not looked at
    } wiersze[] = {
        {"missing since launch", 5, [](SilnikRig& r, SilnikEmisji&, int t) {
             if (t == 0) QFile::remove(Playlista[3].Adr.str());
         }, {"G1", "G2", "G4", "G5"}},
        {"deleted before it is announced", 5, [](SilnikRig&, SilnikEmisji&, int t) {
             if (t == 60) QFile::remove(Playlista[3].Adr.str());
         }, {"G1", "G2", "G4"}},
        {"read while a song plays", 3, [&](SilnikRig&, SilnikEmisji&, int t) {
             if (t == 20) odczyt->KomendaCzytajPlayliste();
         }, {"G1", "H1", "H2"}},
        {"Ctrl+P", 6, [](SilnikRig&, SilnikEmisji& s, int t) {
             if (t != 20) return;
             StanPlaylisty.Kursor = 5;
             s.KursorNaNastepny();
         }, {"G1", "G5", "G6"}},
        {"delete then undo", 4, [&](SilnikRig& r, SilnikEmisji&, int t) {
             if (t == 20) usun(r, 2);
             if (t == 30) cofnij(r);
         }, {"G1", "G2", "G3"}},
        {"move, undo, three starts", 6, [&](SilnikRig& r, SilnikEmisji&, int t) {
             if (t == 50) {
                 edycje->RozpocznijPrzesuwanie();
                 StanPlaylisty.Kursor = 3;
                 edycje->PrzesunElement(false);
             }
             if (t == 300) cofnij(r);  // G2 on air, G1 aired, G3 moved away
         }, {"G1", "G3", "G2", "G4", "G5", "G6"}},
        {"Automat on at the end of the list", 2, [](SilnikRig&, SilnikEmisji& s, int t) {
             if (t == 250) s.PrzelaczAutomat();
         }, {"G1", "G2"}},
        // The day's list is read at midnight while G4 plays across it; its
        // first element starts as soon as it is read, prepared.
        {"the midnight load", 4, [&](SilnikRig&, SilnikEmisji&, int t) {
             if (t % 10 == 1) timery->PListaAutoodczytTimerTimer();
         }, {"G1", "G2", "G3", "G4", "H1", "H2"}},
    };
    for (const bool strumien : {true, false}) {
        for (const auto& w : wiersze) {
            SCOPED_TRACE(std::string(w.nazwa) + (strumien ? " streaming" : " file player"));
            NaKartach k(strumien);
            SilnikRig& r = k.r;
            SilnikEmisji& s = *k.silnik;
            KomendyEdycji e(s);
            KomendyPlaylisty p(s);
            TimeryKonsoli tm(s);
            edycje = &e;
            odczyt = &p;
            timery = &tm;
            Emisja.TOfset = 0;
            Emisja.NastPoPlay = true;
            const bool polnoc = w.starty.contains("H1") && w.starty.size() > 3;
            const qint32 poczatek = polnoc ? DobaMs - 12'000 : H12;
            const auto lista = [&](const char* przedrostek, int ile, qint32 od) {
                for (int i = 1; i <= ile; ++i) {
                    const QString ide = przedrostek + QString::number(i);
                    // Within the players' 4 s of read-ahead: on the stepped
                    // cards their refill threads keep the wall clock.
                    r.dir.write(ide + ".wav", fixtures::wavFile(44100, 2, 16, fixtures::tone16(44100, 2, 440, 4'000, 0.5)));
                    TElemPListy& x = r.dodaj(r.dir.file(ide + ".wav"), od + (i - 1) * 3'000, 4'000);
                    x.Ide = ide;
                    x.Mix = 1'000;
                }
            };
            // The list a read brings: the operator's, or the next day's.
            lista("H", 3, 0);
            const QString jutro = r.dir.file(polnoc ? "20261207.MIX" : "jutro.mix");
            ASSERT_EQ(ZapiszPlaylisteMIX(jutro, 1, 3), WynikZapisuMIX::Zapisano);
            p.WybierzPlayliste = [&](const QString&) { return jutro; };
            Satelita.SatPLJest = polnoc;
            Satelita.SatPLKatalog = r.dir.path();
            Satelita.SatPLNazwaFormat = "RRRRMMDD";
            WyczyscPlayliste();
            r.zegar.set(QDate(2026, 12, 6), poczatek - SilnikEmisji::InterwalTimer1);
            lista("G", w.elementow, poczatek);
            StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
            r.stan.TrybAutomat = true;

            QStringList starty;
            for (int t = 0; t < 1'000 && starty.size() < w.starty.size(); ++t) {
                const qsizetype przed = r.wyjscia.zdarzenia.size();
                w.akcja(r, s, t);
                s.Odczyt.Oproznij();
                k.tik();
                for (const QString& z : r.wyjscia.zdarzenia.mid(przed)) {
                    const quint8 slot = quint8(z.left(1).toInt());
                    if (!z.endsWith(" START") || slot > 2) continue;
                    starty << s.Odtwarzacz[slot].SygnalSlotu.Nazwa;
                    const quint8 inny = slot == 1 ? 2 : 1;
                    if (starty.size() == 1 || (starty.last() == "H1" && polnoc)) continue;
                    // The one on air was 3 s in, at its crossfade point.
                    const qint64 poz = k.gracze.StanOdtwarzacza(inny) == 1 ? k.gracze.PozycjaOdtwarzacza(inny) : -1;
                    EXPECT_TRUE(poz >= 3'000 && poz < 3'060) << starty.last().toStdString() << " at " << poz;
                }
            }
            EXPECT_EQ(starty, w.starty);
            // Automat switched on over the last element went off again and
            // started nothing.
            for (int t = 0; t < 100 && w.elementow == 2; ++t) k.tik();
            // The day's log (after midnight the new day's, from H1 on): each
            // START line's planned time is when it went on air, so what the
            // list and DO GRANIA said agreed; H1 at midnight exactly.
            const QStringList linie = r.logi().filter(QRegularExpression(" START [12] "));
            EXPECT_EQ(linie.size(), polnoc ? 2 : w.starty.size());
            for (const QString& l : linie.mid(polnoc ? 0 : 1)) {  // the first: on-air time from nothing
                const QStringList c = l.split(' ', Qt::SkipEmptyParts);
                const int roznica = QTime::fromString(c.value(c.size() - 2), "hh:mm:ss.zzz")
                                        .msecsTo(QTime::fromString(c.last(), "hh:mm:ss.zzz"));
                EXPECT_LE(std::abs(roznica), 60) << l.toStdString();
            }
            EXPECT_TRUE(r.logiZ("NIEGOTOWE").isEmpty());
            if (polnoc) EXPECT_EQ(r.logiZ("H1.wav 00:00:00.000  00:00:00.000").size(), 1);
        }
    }
}
