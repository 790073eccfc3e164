#include "console/window/PolaczeniaMiksow.h"

#include "console/engine/SilnikEmisji.h"
#include "console/engine/TrybyEmisji.h"
#include "foundation/KestSter2.h"
#include "mixeditor/EdycjaPL.h"

void PolaczMiksy(SilnikEmisji& silnik, TimeryKonsoli& timery) {
    PolaczeniaEdycji.PlaylistaZmieniona = [&silnik](bool zmieniona) { silnik.PlaylistaZmieniona = zmieniona; };
    PolaczeniaEdycji.MiksZmiana = [&timery] { timery.MiksZmiana = true; };
    // The mix is built and checked; the window that shows and edits it is
    // not there yet, and the log says so once.
    PolaczeniaEdycji.PokazOkno = [zgloszone = false]() mutable {
        if (!zgloszone) Log(QStringLiteral("Funkcja niedostępna: okno edytora miksów"));
        zgloszone = true;
    };
}

void OdlaczMiksy() {
    PolaczeniaEdycji.PlaylistaZmieniona = nullptr;
    PolaczeniaEdycji.MiksZmiana = nullptr;
    PolaczeniaEdycji.PokazOkno = nullptr;
}
