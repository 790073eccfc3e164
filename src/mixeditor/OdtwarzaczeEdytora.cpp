#include "mixeditor/OdtwarzaczeEdytora.h"

#include "playlists/NastawyEmisji.h"

OpcjeOdtwarzaczy OpcjeOdtwarzaczyPodgladu() {
    OpcjeOdtwarzaczy o;
    o.CzyPlayerZgodnoscWinXP = Emisja.CzyPlayerZgodnoscWinXP;
    for (int n = 1; n <= OdtwarzaczeEdytora::LiczbaOdtwarzaczy; ++n) {
        o.Kanal[n] = Emisja.KanalPFL;
        o.KanalNazwa[n] = Emisja.KanalPFLNazwa;
    }
    return o;
}

namespace {
std::unique_ptr<PlayerSloty> slotyPodgladu() {
    auto s = std::make_unique<PlayerSloty>(OdtwarzaczeEdytora::LiczbaOdtwarzaczy);
    s->UstawOpcje(OpcjeOdtwarzaczyPodgladu());
    return s;
}
}  // namespace

OdtwarzaczeEdytora::OdtwarzaczeEdytora()
    : sloty_(slotyPodgladu()), wlasne_(std::make_unique<OdtwarzaczeZPlayerSloty>(*sloty_)), g_(*wlasne_) {}

OdtwarzaczeEdytora::OdtwarzaczeEdytora(OdtwarzaczeSlotow& gracze) : g_(gracze) {}

// The slots free what the window left: players, then mixers.
OdtwarzaczeEdytora::~OdtwarzaczeEdytora() = default;

void OdtwarzaczeEdytora::EdUtworzMiksery() { g_.UtworzMiksery(); }
void OdtwarzaczeEdytora::EdZwolnijMiksery() { g_.ZwolnijMiksery(); }

void OdtwarzaczeEdytora::EdUtworzOdtwarzacz(quint8 n) {
    if (poprawny(n)) g_.UtworzOdtwarzacz(n);
}
void OdtwarzaczeEdytora::EdZwolnijOdtwarzacz(quint8 n) {
    if (poprawny(n)) g_.ZwolnijOdtwarzacz(n);
}
void OdtwarzaczeEdytora::EdOtworzPlikOdtwarzacza(quint8 n, const QString& sciezka) {
    if (poprawny(n)) g_.OtworzPlikOdtwarzacza(n, sciezka);
}
QString OdtwarzaczeEdytora::EdPlikOdtwarzacza(quint8 n) const { return poprawny(n) ? g_.PlikOdtwarzacza(n) : QString(); }
void OdtwarzaczeEdytora::EdUstawPozycjeOdtwarzacza(quint8 n, qint64 ms) {
    if (poprawny(n)) g_.UstawPozycjeOdtwarzacza(n, ms);
}
qint64 OdtwarzaczeEdytora::EdPozycjaOdtwarzacza(quint8 n) { return poprawny(n) ? g_.PozycjaOdtwarzacza(n) : 0; }
void OdtwarzaczeEdytora::EdGrajOdtwarzacz(quint8 n) {
    if (poprawny(n)) g_.GrajOdtwarzacz(n);
}
void OdtwarzaczeEdytora::EdZatrzymajOdtwarzacz(quint8 n) {
    if (poprawny(n)) g_.ZatrzymajOdtwarzacz(n);
}
quint8 OdtwarzaczeEdytora::EdStanOdtwarzacza(quint8 n) const { return poprawny(n) ? g_.StanOdtwarzacza(n) : 0; }
void OdtwarzaczeEdytora::EdUstawGlosnoscOdtwarzacza(quint8 n, int glosnosc) {
    if (poprawny(n)) g_.UstawGlosnoscOdtwarzacza(n, glosnosc);
}
int OdtwarzaczeEdytora::EdGlosnoscOdtwarzacza(quint8 n) const { return poprawny(n) ? g_.GlosnoscOdtwarzacza(n) : 0; }
