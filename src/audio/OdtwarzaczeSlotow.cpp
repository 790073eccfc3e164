#include "audio/OdtwarzaczeSlotow.h"

#include "audio/PlayerSloty.h"

void OdtwarzaczeZPlayerSloty::UtworzMiksery() { sloty_.UtworzMiksery(); }
void OdtwarzaczeZPlayerSloty::ZwolnijMiksery() { sloty_.ZwolnijMiksery(); }
void OdtwarzaczeZPlayerSloty::UtworzOdtwarzacz(quint8 slot) { sloty_.UtworzOdtwarzacz(slot); }
void OdtwarzaczeZPlayerSloty::ZwolnijOdtwarzacz(quint8 slot) { sloty_.ZwolnijOdtwarzacz(slot); }
bool OdtwarzaczeZPlayerSloty::OdtwarzaczIstnieje(quint8 slot) const { return sloty_.OdtwarzaczIstnieje(slot); }
void OdtwarzaczeZPlayerSloty::OtworzPlikOdtwarzacza(quint8 slot, const QString& sciezka) {
    sloty_.OtworzPlikOdtwarzacza(slot, sciezka);
}
bool OdtwarzaczeZPlayerSloty::OtworzPrzygotowany(quint8 slot, std::shared_ptr<TPreparedFile> plik) {
    return sloty_.OtworzPrzygotowany(slot, std::move(plik));
}
QString OdtwarzaczeZPlayerSloty::PlikOdtwarzacza(quint8 slot) const { return sloty_.PlikOdtwarzacza(slot); }
void OdtwarzaczeZPlayerSloty::UstawPozycjeOdtwarzacza(quint8 slot, qint64 ms) { sloty_.UstawPozycjeOdtwarzacza(slot, ms); }
qint64 OdtwarzaczeZPlayerSloty::PozycjaOdtwarzacza(quint8 slot) { return sloty_.PozycjaOdtwarzacza(slot); }
qint64 OdtwarzaczeZPlayerSloty::DlugoscOdtwarzacza(quint8 slot) const { return sloty_.DlugoscOdtwarzacza(slot); }
void OdtwarzaczeZPlayerSloty::GrajOdtwarzacz(quint8 slot) { sloty_.GrajOdtwarzacz(slot); }
void OdtwarzaczeZPlayerSloty::ZatrzymajOdtwarzacz(quint8 slot) { sloty_.ZatrzymajOdtwarzacz(slot); }
quint8 OdtwarzaczeZPlayerSloty::StanOdtwarzacza(quint8 slot) const { return sloty_.StanOdtwarzacza(slot); }
qint64 OdtwarzaczeZPlayerSloty::BrakDanychOdtwarzacza(quint8 slot) const { return sloty_.BrakDanychOdtwarzacza(slot); }
void OdtwarzaczeZPlayerSloty::UstawGlosnoscOdtwarzacza(quint8 slot, int glosnosc) {
    sloty_.UstawGlosnoscOdtwarzacza(slot, glosnosc);
}
int OdtwarzaczeZPlayerSloty::GlosnoscOdtwarzacza(quint8 slot) const { return sloty_.GlosnoscOdtwarzacza(slot); }
void OdtwarzaczeZPlayerSloty::UstawGlosnoscSystemowa(int poziom) { sloty_.UstawGlosnoscSystemowa(poziom); }
bool OdtwarzaczeZPlayerSloty::WyjsciaGraja() const { return sloty_.WyjsciaGraja(); }
