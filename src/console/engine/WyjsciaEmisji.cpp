#include "console/engine/WyjsciaEmisji.h"

#include "foundation/KestSter2.h"

void WyjsciaEmisji::Brak(const char* co) {
    const QString tekst = QString::fromUtf8(co);
    if (zgloszone_.insert(tekst).second) Log(QStringLiteral("Funkcja niedostępna: ") + tekst);
}

void WyjsciaEmisji::WyslijStanOdtwarzacza(quint8, const QString&) { Brak("datagramy stanu odtwarzaczy"); }
void WyjsciaEmisji::WyslijInfoElementu(quint8, const QString&, qint32) { Brak("datagramy DO GRANIA"); }

quint8 WyjsciaEmisji::ZapiszPlikiRDS(quint8) {
    Brak("pliki RDS");
    return 0;
}
quint8 WyjsciaEmisji::ZapalPlikiZnacznikow(quint8, quint8 znaczniki, quint8) {
    Brak("kasowanie plików RDS");
    return znaczniki;
}
void WyjsciaEmisji::ZapiszPlikInfo(quint8) { Brak("plik INFO"); }
void WyjsciaEmisji::ZapiszPlikDI() { Brak("plik DI"); }

void WyjsciaEmisji::EmitujPozycjeTimelisty(quint8, int) { Brak("emisja pozycji listy synchronicznej"); }
void WyjsciaEmisji::CzytajZestawSingli(const QString&) { Brak("odczyt palety singli"); }
void WyjsciaEmisji::SingleKolejno() { Brak("granie singli kolejno"); }

QString WyjsciaEmisji::WybierzListeReklam(const QString&) {
    Brak("wybór listy reklamowej");
    return {};
}
void WyjsciaEmisji::SprawdzTimeliste(bool) { Brak("test nagrań listy synchronicznej"); }

bool WyjsciaEmisji::EdytorMiksowJest() {
    Brak("edytor miksów");
    return false;
}

void WyjsciaEmisji::OdswiezPlayliste() { Brak("panel playlisty"); }
void WyjsciaEmisji::OdswiezTimeliste() { Brak("panel listy synchronicznej"); }
void WyjsciaEmisji::OdswiezOdtwarzacze() { Brak("panele odtwarzaczy"); }
void WyjsciaEmisji::OdswiezKomunikat() { Brak("pole komunikatu"); }
void WyjsciaEmisji::OdswiezNazwe() { Brak("pole nazwy playlisty"); }
void WyjsciaEmisji::KasujPoleStatusu() { Brak("pole statusu"); }
void WyjsciaEmisji::UstawStatus(const QString&, KolorStatusu) { Brak("pole statusu"); }
void WyjsciaEmisji::UstawPostepStatusu(qint64) { Brak("pole statusu"); }
void WyjsciaEmisji::UstawMaksimumStatusu(qint64) { Brak("pole statusu"); }
void WyjsciaEmisji::PokazBladZapisu(const QString& tekst, bool trwa) {
    UstawStatus(tekst, trwa ? KolorStatusu::Czerwony : KolorStatusu::Czarny);
}
void WyjsciaEmisji::PokazBladUdzialu(const QString& tekst, bool trwa) {
    UstawStatus(tekst, trwa ? KolorStatusu::Czerwony : KolorStatusu::Czarny);
}
