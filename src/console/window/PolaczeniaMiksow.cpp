#include "console/window/PolaczeniaMiksow.h"

#include "console/engine/SilnikEmisji.h"
#include "console/engine/TrybyEmisji.h"
#include "foundation/KestSter2.h"
#include "foundation/KestWej.h"
#include "mixeditor/TEdycjaMiksow.h"
#include "mixeditor/EdycjaPL.h"

void PolaczMiksy(SilnikEmisji& silnik, TimeryKonsoli& timery, TEdycjaMiksow* okno) {
    PolaczeniaEdycji.PlaylistaZmieniona = [&silnik](bool zmieniona) {
        silnik.PlaylistaZmieniona = zmieniona;
        // A take written in as the next element is announced and timed.
        if (!zmieniona) silnik.UstalNastepny(StanPlaylisty.DoGrania, ZmianaNastepnego::Edycja);
    };
    PolaczeniaEdycji.MiksZmiana = [&timery] { timery.MiksZmiana = true; };
    if (okno) {
        okno->Haki.KorektaCzasuJest = [&silnik] { return silnik.Stan.KorektaCzasuJest; };
        okno->Haki.PrzesuniecieCzasu = [&silnik] { return silnik.PrzesuniecieCzasu; };
        okno->SprawdzWejscia = [&silnik] { return silnik.SprawdzWejscia ? silnik.SprawdzWejscia() : SprawdzGPI(); };
        PolaczeniaEdycji.PokazOkno = [okno] { okno->PokazModalnie(); };
        PolaczeniaEdycji.PodgladTrwa = [okno] { return okno->PodgladTrwa(); };
        PolaczeniaEdycji.ZatrzymajPodglad = [okno] { okno->ZatrzymajWszystko(); };
        return;
    }
    PolaczeniaEdycji.PokazOkno = [zgloszone = false]() mutable {
        if (!zgloszone) Log(QStringLiteral("Funkcja niedostępna: okno edytora miksów"));
        zgloszone = true;
    };
}

void OdlaczMiksy() {
    PolaczeniaEdycji.PlaylistaZmieniona = nullptr;
    PolaczeniaEdycji.MiksZmiana = nullptr;
    PolaczeniaEdycji.PokazOkno = nullptr;
    PolaczeniaEdycji.PodgladTrwa = nullptr;
    PolaczeniaEdycji.ZatrzymajPodglad = nullptr;
}
