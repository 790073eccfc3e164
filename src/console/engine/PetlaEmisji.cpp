// The on-air loop: one Timer1 tick, in the order the day depends on.
#include "console/engine/SerwisyEmisji.h"
#include "console/engine/SilnikEmisji.h"

#include "audio/OdtwarzaczeSlotow.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/DDecyzjaCzas.h"  // OknoGlowneAktywne: the decision window takes the inputs over
#include "foundation/KestSter2.h"
#include "foundation/KestWej.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "playlists/D_Crossfade.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

namespace {

constexpr qint32 Cisza = -10'000;

qint32 przytnij(qint64 v, qint64 od, qint64 do_) {
    return qint32(qBound(od, v, do_));
}

// a - b on the circle of a day, in [-12 h, 12 h): an element planned just
// before midnight is still "a few seconds ago" just after it.
qint64 roznicaDoby(qint64 a, qint64 b) {
    qint64 d = (a - b) % DobaMs;
    if (d < 0)
        d += DobaMs;
    if (d >= DobaMs / 2)
        d -= DobaMs;
    return d;
}

bool wNastepnej(qint32 n) {
    return n >= 1 && n <= StanPlaylisty.Ilosc;
}

// Releases a re-entry guard however the tick ends.
struct Straznik {
    bool& flaga;
    ~Straznik() { flaga = false; }
};

}  // namespace

void SilnikEmisji::Timer1Timer() {
    if (Timer1Zajety)
        return;
    // What the day-file writer said since the last tick goes to the log here,
    // and a file that could not be written to the status field.
    Historia.ZglosKomunikaty();
    PokazZapisy();
    // Reading a playlist does not belong inside the tick: it runs right after.
    if (Emisja.AwariaStartJest && !AwariaWykonana)
        awariaCzeka_ = true;
    Timer1Zajety = true;
    wTiku_ = true;
    {
        // A folder changed since its names were listed is listed again by a
        // background thread; nothing in the tick waits for it.
        const platform::NoListingWait bezListowania;
        Straznik s1{Timer1Zajety};
        Straznik s2{wTiku_};
        try {
            KoniecPoStanie();
            FlagiSemiAutomatu();
            const qint32 t = CzasDoby();
            ZastojStartu();
            const qint32 tk = Korekta(t);
            // Clock colour: waiting in Automat, ducked by the microphone, normal.
            if ((SemiAutomatJest || Stan.TrybAutomat) && WolneGlowne()) {
                if (KolorZegaraEmisji != KolorZegara::Czerwony) {
                    KolorZegaraEmisji = KolorZegara::Czerwony;
                    CzasCiszy = 0;
                }
                CzasCiszy += InterwalTimer1;
            } else {
                KolorZegaraEmisji = KaczkaPoziom < 0 ? KolorZegara::Zolty : KolorZegara::Bialy;
                CzasCiszy = 0;
            }
            SprawdzNastepny();
            PrzygotujNastepne();
            PominZnanyNieudany();
            AutomatycznyStart(tk);
            const qint32 d = KaczkaOdtwarzacza3();
            DuckingOdtwarzacza3 = d;
            KaczkaMikrofonu();
            GlosnosciGlownych(d);
            KoniecPoPozycji();
            SilnikFade();
            FadeSatelity();
            WejsciaStolu();
        } catch (const std::exception& e) {
            Log(QStringLiteral("Błąd pętli emisji: ") + QString::fromUtf8(e.what()));
        } catch (...) {
            Log(QStringLiteral("Błąd pętli emisji"));
        }
    }
    if ((awariaCzeka_ || !KomunikatyOczekujace.isEmpty() || !zlecone_.isEmpty()) && !poTikuZaplanowane_ &&
        ZaplanujPoTiku) {
        poTikuZaplanowane_ = true;
        ZaplanujPoTiku();
    }
}

void SilnikEmisji::KoniecPoStanie() {
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) {
        quint8 gra = 0;
        try {
            gra = odtwarzacze_.StanOdtwarzacza(s) == 1 ? 1 : 0;
        } catch (...) {
            gra = 0;  // a slot that cannot say is stopped
        }
        SlotGra[s] = gra;
        if (!gra && SlotGralo[s])
            KoniecEmisji(s, PowodProg);
        SlotGralo[s] = SlotGra[s];
    }
}

void SilnikEmisji::FlagiSemiAutomatu() {
    const qint32 n = StanPlaylisty.DoGrania;
    const quint8 aut = wNastepnej(n) ? Playlista[n].Aut : 0;
    if (aut == 0)
        SemiAutomatGotowy = false;
    else if (!SemiAutomatGotowy &&
             (Stan.OdtwarzaczZajety[1] || Stan.OdtwarzaczZajety[2] || Stan.OdtwarzaczZajety[3]))
        SemiAutomatGotowy = true;
    SemiAutomatJest = aut == 1 && SemiAutomatGotowy;
    if (NaDeku(n)) {
        SemiAutomatJest = false;
        SemiAutomatGotowy = false;
    }
}

qint32 SilnikEmisji::CzasDoby() {
    // One position read per playing slot serves the time and the day positions.
    std::array<qint64, LiczbaOdtwarzaczy + 1> poz{};
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s)
        if (SlotGra[s] && !ProbujSlot(s, [&] { poz[s] = odtwarzacze_.PozycjaOdtwarzacza(s); }))
            poz[s] = qint64(Odtwarzacz[s].Pozycja) - Odtwarzacz[s].Emi;  // where it was last seen

    qint64 t = CzasAntenowy;
    if (SlotGra[1])
        t = poz[1] + Odtwarzacz[1].Emi;
    else if (SlotGra[2])
        t = poz[2] + Odtwarzacz[2].Emi;
    else if (SlotGra[3])
        t = poz[3] + Odtwarzacz[3].Emi;
    else if (SemiAutomatJest || Stan.TrybAutomat)
        t += InterwalTimer1;
    if (NieGrajaGlowne() && Emisja.CiszaGra)
        t = platform::clock().msOfDay() / 1000 * 1000;  // the clock label's whole seconds
    t %= DobaMs;
    if (t < 0)
        t += DobaMs;
    CzasAntenowy = qint32(t);

    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s)
        if (SlotGra[s])
            Odtwarzacz[s].Pozycja = qint32(poz[s] + Odtwarzacz[s].Emi);
    return CzasAntenowy;
}

qint32 SilnikEmisji::Korekta(qint32 t) {
    if (!Emisja.MIXPLAutomatKorektaJest || !wNastepnej(Stan.KorektaElement) || !Stan.KorektaStart.isValid() ||
        !(Stan.OdtwarzaczZajety[1] || Stan.OdtwarzaczZajety[2] || Stan.OdtwarzaczZajety[3]))
        return t;
    const qint64 uplynelo = Stan.KorektaStart.msecsTo(platform::clock().now());
    const qint32 emi = Playlista[Stan.KorektaElement].Emi;
    qint64 zagrano = qint64(t) - emi;
    if (t < emi)
        zagrano += DobaMs;
    const qint64 roznica = uplynelo - zagrano;
    if (roznica > Satelita.SatPLKorektaMS)
        return qint32((t + roznica) % DobaMs);
    return t;
}

void SilnikEmisji::AutomatycznyStart(qint32 t) {
    if (!(Stan.TrybAutomat || SemiAutomatJest) || PlaylistaZmieniona || Stan.PauzaJest)
        return;
    const qint32 n = StanPlaylisty.DoGrania;
    if (!wNastepnej(n))
        return;
    const TElemPListy& e = Playlista[n];
    // What aired never starts again by itself (a mark left on the last
    // element of a list that ran out).
    if (Zagrany(e))
        return;
    qint64 start = qint64(e.Emi) + e.NwP;
    // Not the element planned to follow what is on air: it starts at the
    // crossfade point of the element on air.
    qint64 punkt = 0;
    if (PrzyMiksie(n) && PunktMiksu(e, t, &punkt))
        start = punkt;
    const qint64 odOkna = roznicaDoby(t, start - Emisja.TOfset);
    const qint64 odStartu = roznicaDoby(t, start);
    if (SemiAutomatJest && WolneGlowne() && (odOkna > 5000 || odStartu <= -5000)) {
        SemiAutomatJest = false;
        SemiAutomatGotowy = false;
    }
    const bool wOknie = odOkna >= 0 && odStartu <= 5000;
    // A late start made earlier in this tick carries its slot already.
    const bool odRazu = !Emisja.CiszaGra && NieGrajaGlowne() && WolneGlowne();
    if (!(wOknie || odRazu) || NaDeku(n))
        return;
    // A news item or programme for an exact hour starts by the clock (the
    // #AKT timer), not by the plan, which may run ahead of it.
    if (serwisy_ && serwisy_->CzekaNaGodzine(n))
        return;
    const quint8 rodzaj = RodzajElemPListy(e.Typ);
    if (Emisja.ReklamaGraNaStyk && rodzaj == RodzajREK) {
        if (NieGrajaGlowne()) {
            ElemPListyRob = e;
            GrajKolejny(0, TrybNastepny, ZrodloProg);
        }
    } else if (rodzaj == RodzajDJ_ || rodzaj == RodzajWHI) {
        ElemPListyRob = e;
        GrajKolejny(3, TrybNastepny, ZrodloProg);
    } else {
        ElemPListyRob = e;
        GrajKolejny(0, TrybNastepny, ZrodloProg);
    }
}

qint32 SilnikEmisji::Obwiednia(const MIXMagnetType& r) const {
    const qint64 p = r.Pozycja;
    qint64 e = 0;
    if (p > 0 && (p < r.NwP || p > r.NwK))
        e = Cisza;
    else if (r.NwP <= p && p < r.FIn)
        e = PoziomFade(p - r.NwP, qint64(r.FIn) - r.NwP, 5000, false, r.FIT) - 5000;
    else if (r.FOu <= p && p < r.NwK)
        e = PoziomFade(p - r.FOu, qint64(r.NwK) - r.FOu, 5000, true, r.FOT) - 5000;
    bool maTrim = false;
    const qint32 trim = TrimyEmisji().Trim(r.RodzajElementu, &maTrim);
    if (maTrim)
        e += trim + r.Wzm;
    return przytnij(e, Cisza, 0);
}

qint32 SilnikEmisji::KaczkaOdtwarzacza3() {
    if (!SlotGra[3])
        return 0;
    const MIXMagnetType& r = Odtwarzacz[3];
    const qint64 p = r.Pozycja;
    qint64 d;
    if (r.KFI <= p && p <= r.KFO)
        d = r.Kac;
    else if (p < r.KFI)
        d = r.KFI == r.NwP ? 0 : (p - r.NwP) * r.Kac / (qint64(r.KFI) - r.NwP);
    else
        d = r.NwK == r.KFO ? 0 : (qint64(r.NwK) - p) * r.Kac / (qint64(r.NwK) - r.KFO);
    return przytnij(d, qMin(r.Kac, 0), 0);
}

void SilnikEmisji::KaczkaMikrofonu() {
    const qint32 l = Wgrywanie.KaczkaPoziomdB;
    if (KaczkaWyjscieStart) {
        KaczkaWyjscieStart = false;
        KaczkaWyjscie = true;
        KaczkaWejscie = false;
        KaczkaPoziom = -100 * l;
    }
    if (KaczkaWyjscie) {
        if (Wgrywanie.KaczkaWyjscieMS <= 0)
            KaczkaPoziom = 0;
        else
            KaczkaPoziom += l * 3000 / Wgrywanie.KaczkaWyjscieMS;
        if (KaczkaPoziom >= 0) {
            KaczkaPoziom = 0;
            KaczkaWyjscie = false;
        }
    }
    if (KaczkaWejscieStart) {
        KaczkaWejscieStart = false;
        KaczkaWejscie = true;
        KaczkaWyjscie = false;
        KaczkaPoziom = 0;
    }
    if (KaczkaWejscie) {
        if (Wgrywanie.KaczkaWejscieMS <= 0)
            KaczkaPoziom = -100 * l;
        else
            KaczkaPoziom -= l * 3000 / Wgrywanie.KaczkaWejscieMS;
        if (KaczkaPoziom <= -100 * l) {
            KaczkaPoziom = -100 * l;
            KaczkaWejscie = false;
        }
    }
}

void SilnikEmisji::GlosnosciGlownych(qint32 d) {
    const qint32 k = przytnij(KaczkaPoziom, Cisza, 0);
    for (quint8 s = 1; s <= 2; ++s) {
        if (!SlotGra[s])
            continue;
        const MIXMagnetType& r = Odtwarzacz[s];
        const qint32 poziom = przytnij(qint64(r.FadePoziom) + Obwiednia(r) + d + k, Cisza, 0);
        ProbujSlot(s, [&] {
            if (poziom != odtwarzacze_.GlosnoscOdtwarzacza(s))
                odtwarzacze_.UstawGlosnoscOdtwarzacza(s, poziom);
        });
    }
}

void SilnikEmisji::KoniecPoPozycji() {
    for (quint8 s = 1; s <= LiczbaOdtwarzaczy; ++s) {
        if (!SlotGra[s])
            continue;
        const MIXMagnetType& r = Odtwarzacz[s];
        // A length of 0 is a player that does not know it, not the end.
        qint64 dl = 0;
        ProbujSlot(s, [&] { dl = odtwarzacze_.DlugoscOdtwarzacza(s); });
        if (r.Pozycja >= r.NwK || (dl > 0 && r.Pozycja - r.Emi >= dl))
            KoniecEmisji(s, PowodProg);
    }
}

void SilnikEmisji::FadeSatelity() {
    if (SatWyjscieStart) {
        SatWyjscieStart = false;
        SatWyjscie = true;
        SatWejscie = false;
    }
    if (SatWyjscie) {
        if (Satelita.SatFadeOutMS <= 0)
            SatPoziom = 0;
        else
            SatPoziom -= 1'965'000 / Satelita.SatFadeOutMS;
        if (SatPoziom > 0) {
            odtwarzacze_.UstawGlosnoscSystemowa(SatPoziom);
        } else {
            SatPoziom = 0;
            SatWyjscie = false;
            odtwarzacze_.UstawGlosnoscSystemowa(0);
        }
        KolorZegaraEmisji = KolorZegara::Zielony;
    }
    if (SatWejscieStart) {
        SatWejscieStart = false;
        SatWejscie = true;
        SatWyjscie = false;
        // Six ticks of delay before the input opens.
        SatPoziom = Satelita.SatFadeInMS <= 0 ? 0 : -6 * (1'965'000 / Satelita.SatFadeInMS);
    }
    if (SatWejscie) {
        if (Satelita.SatFadeInMS <= 0)
            SatPoziom = 65'500;
        else
            SatPoziom += 1'965'000 / Satelita.SatFadeInMS;
        if (SatPoziom >= 65'500) {
            SatPoziom = 65'500;
            SatWejscie = false;
        }
        if (SatPoziom >= 0)
            odtwarzacze_.UstawGlosnoscSystemowa(SatPoziom);
        KolorZegaraEmisji = KolorZegara::Czerwony;
    }
}

namespace {

// Edges of the input word right after a poll that changed it.
bool rosnie(quint16 bit) {
    return (SlowoGPI & bit) && !(SlowoGPIPoprzednie & bit);
}
bool opada(quint16 bit) {
    return !(SlowoGPI & bit) && (SlowoGPIPoprzednie & bit);
}

}  // namespace

void SilnikEmisji::WejsciaStolu() {
    if (!OknoGlowneAktywne || !StolSterowanie)
        return;
    auto sprawdz = [this] { return SprawdzWejscia ? SprawdzWejscia() : SprawdzGPI(); };
    // Polled only where the desk may act: a fader opened in move or block
    // mode stays unread, and starts its element when the mode ends.
    if (!SatWlaczony && !Stan.TrybPrzesuwania && !Stan.TrybBloku && sprawdz())
        WejsciaStoluBezSat();
    if (SatWlaczony && sprawdz())
        WejsciaStoluSat();
}

void SilnikEmisji::WejsciaStoluBezSat() {
    auto wolny = [&](int s) { return Stan.OdtwarzaczZajety[s] == 0; };
    auto korekta = [&] {
        if (Emisja.MIXPLAutomatKorektaJest) {
            Stan.KorektaStart = platform::clock().now();
            Stan.KorektaElement = StanPlaylisty.DoGrania;
        }
    };
    auto fadeGlownych = [&] {
        for (quint8 s = 1; s <= 3; ++s)
            ZadanieFade(s);
    };
    if (Emisja.StartStol) {
        DecyzjaGPIStart = (SlowoGPI & 0x20) ? 0 : 1;
        if ((!Stan.TrybAutomat && !SemiAutomatJest && FlagaWstawienia) ||
            (Emisja.CzySterowanieAutomat && FlagaWstawienia)) {
            if (rosnie(0x0001) && (wolny(1) || wolny(2))) {
                StartZeStolu = true;
                fadeGlownych();
                korekta();
                GrajKolejny(0, TrybNastepny, ZrodloStol);
            }
            // A player's fader opens: its bit falls. The other fader may stop it.
            for (const auto& [bit, slot] : {std::pair<quint16, quint8>{0x0040, 1}, {0x0008, 2}}) {
                if (!opada(bit) || !wolny(slot))
                    continue;
                StartZeStolu = true;
                korekta();
                GrajKolejny(slot, TrybNastepny, ZrodloStol);
                StolStop1 = slot == 2;
                StolStop2 = slot == 1;
            }
            if (rosnie(0x0800) && (wolny(1) || wolny(2))) {
                StartZeStolu = true;
                GrajKolejny(0, TrybNastepny, ZrodloStol);
            }
            if (rosnie(0x1000))
                PrzelaczAutomat();
            if (opada(0x0020)) {
                if (Stan.TrybAutomat)
                    PrzelaczAutomat();
                fadeGlownych();
                if (!SatWlaczony)
                    PrzelaczSat();
                Log(QStringLiteral(" TONE_Z"));
            }
        }
        if (FlagaWstawienia) {
            if (rosnie(0x0002))
                KaczkaWejscieStart = true;
            if ((Stan.TrybAutomat || SemiAutomatJest) && opada(0x0020)) {
                if (Stan.TrybAutomat)
                    PrzelaczAutomat();
                fadeGlownych();
                if (!SatWlaczony)
                    PrzelaczSat();
            }
        }
    }
    if (Emisja.StopStol) {
        const bool reczny = !Stan.TrybAutomat && !SemiAutomatJest && FlagaWstawienia;
        // A stop signal of an idle deck does nothing.
        for (const auto& [bit, slot] : {std::pair<quint16, quint8>{0x0040, 1}, {0x0008, 2}}) {
            if (!rosnie(bit) || !SlotZajety(slot))
                continue;
            bool& stolStop = slot == 1 ? StolStop1 : StolStop2;
            if (reczny) {
                KoniecEmisji(slot, PowodStol);
                if (SlotEmisjiTeraz == slot)
                    Stan.PauzaJest = false;
                SemiAutomatJest = false;
            } else if (SemiAutomatJest && stolStop) {
                KoniecEmisji(slot, PowodProg);
                stolStop = false;
            }
        }
        if (opada(0x0002))
            KaczkaWyjscieStart = true;
        if (rosnie(0x0080) && !Stan.TrybAutomat)
            PrzelaczAutomat();
        else if (opada(0x0080) && Stan.TrybAutomat)
            PrzelaczAutomat();
    }
}

void SilnikEmisji::WejsciaStoluSat() {
    // SAT mode: only the tone input that hands the air back to the playlist.
    if (Emisja.StartStol && !Stan.TrybAutomat && !SemiAutomatJest && FlagaWstawienia && rosnie(0x0080) &&
        Stan.OdtwarzaczZajety[1] == 0) {
        Log(QStringLiteral(" TONE_R"));
        StartZeStolu = true;
        const qint32 n = StanPlaylisty.DoGrania;
        if (wNastepnej(n) && !(Playlista[n].Typ & (TypZagrany | TypGrajO)))
            GrajKolejny(1, TrybNastepny, ZrodloTone);
        StolStop1 = false;
        StolStop2 = true;
    }
}
