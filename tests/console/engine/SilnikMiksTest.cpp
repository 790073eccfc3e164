// Two elements in Automat through the real player slots on two stepped
// virtual sound cards: the second starts at its mix point on the other
// player and what each card played follows the volumes the loop set.
#include "console/support/SilnikRig.h"

#include <cmath>
#include <cstring>

#include "audio/PlayerSloty.h"
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
