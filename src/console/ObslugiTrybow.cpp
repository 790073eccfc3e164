// The mode commands' handlers in the dispatcher. Kept apart from the modes'
// unit: the dispatcher's drawn buttons and the playlist's rectangle type
// cannot meet in one unit.
#include "console/Dyspozytor.h"
#include "console/Komendy.h"
#include "console/SilnikEmisji.h"
#include "console/TrybyEmisji.h"

void UstawObslugiTrybow(Dyspozytor& dyspozytor, SilnikEmisji& silnik) {
    SilnikEmisji* s = &silnik;
    dyspozytor.UstawObsluge(KomAutoStop, KomAutoStop, [s](quint16) { PrzelaczAutoStop(*s); });
    dyspozytor.UstawObsluge(KomSterowanie, KomSterowanie, [s](quint16) { PrzelaczSterowanie(*s); });
    dyspozytor.UstawObsluge(KomSat, KomSat, [s](quint16) { s->PrzelaczSat(); });
    dyspozytor.UstawObsluge(KomAutomat, KomAutomat, [s](quint16) { s->PrzelaczAutomat(); });
    dyspozytor.UstawObsluge(KomCisza, KomCisza, [s](quint16) { PrzelaczCisza(*s); });
    dyspozytor.UstawObsluge(KomMiksy, KomMiksy, [s](quint16) { Miksy(*s); });
}
