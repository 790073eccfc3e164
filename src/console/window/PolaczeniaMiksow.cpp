#include "console/window/PolaczeniaMiksow.h"

#include "console/engine/SilnikEmisji.h"
#include "console/engine/TrybyEmisji.h"
#include "mixeditor/EdycjaPL.h"

void PolaczMiksy(SilnikEmisji& silnik, TimeryKonsoli& timery) {
    PolaczeniaEdycji.PlaylistaZmieniona = [&silnik](bool zmieniona) { silnik.PlaylistaZmieniona = zmieniona; };
    PolaczeniaEdycji.MiksZmiana = [&timery] { timery.MiksZmiana = true; };
}

void OdlaczMiksy() {
    PolaczeniaEdycji.PlaylistaZmieniona = nullptr;
    PolaczeniaEdycji.MiksZmiana = nullptr;
}
