#include "foundation/KestWej.h"

#include "foundation/A1761DRIVER.h"
#include "foundation/KestPods2.h"

quint8 GPIWlaczone = 0;
QString TekstGPI;
quint16 SlowoGPIZapisane = SlowoGPISpoczynek;
// Nothing read yet. Without desk polling nothing changes these, and the
// player datagrams, held back only while the word shows both player
// signals idle, go out.
quint16 SlowoGPI = 0;
quint16 SlowoGPIPoprzednie = 0;

quint16 SlowoZWejscKarty(quint8 b) {
    quint16 w = 0x78;
    if (b & 0x01) w = 0x38;
    if (b & 0x02) w = (b & 0x01) ? 0x30 : 0x70;
    for (int i = 2; i < 8; ++i)
        if (b & (1u << i)) w += quint16(0x80u << (i - 2));
    return w;
}

namespace {
bool cyfra(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
}  // namespace

quint16 SlowoZTekstuWezla(quint16 slowo, const QString& tekst, const QString& wzorzec, quint16 bit) {
    // Fixed places of a pattern such as "GPI1,1,0"; a shorter one cannot say
    // which state triggers, so it never matches.
    if (wzorzec.size() < 8) return slowo;
    const QChar urzadzenie = wzorzec.at(3);
    const QChar pin = wzorzec.at(5);
    const QChar wyzwalanie = wzorzec.at(7);
    if (!cyfra(urzadzenie) || !cyfra(pin)) return slowo;
    if (tekst.size() < 5 || tekst.at(4) != urzadzenie) return slowo;
    const int miejsce = pin.digitValue() + 6;  // 1-based place of the pin's state
    if (tekst.size() < miejsce) return slowo;
    const QChar stan = tekst.at(miejsce - 1);
    const bool niskiWyzwala = wyzwalanie == QLatin1Char('0');
    if (stan == QLatin1Char('L')) return niskiWyzwala ? (slowo & ~bit) : (slowo | bit);
    if (stan == QLatin1Char('H')) return niskiWyzwala ? (slowo | bit) : (slowo & ~bit);
    return slowo;
}

quint16 CzytajGPI() {
    if (OpcjeGPI.Advantech1761Jest) {
        quint8 b = 0;
        CzytajWejscia(b);
        return SlowoZWejscKarty(b);
    }
    if (OpcjeGPI.GPI1Jest) {
        quint16 w = SlowoGPIZapisane;
        if (!TekstGPI.isEmpty()) {
            DuzeLiteryPL(TekstGPI);
            w = SlowoZTekstuWezla(w, TekstGPI, OpcjeGPI.GPIPlayer1, BitGPIPlayer1);
            w = SlowoZTekstuWezla(w, TekstGPI, OpcjeGPI.GPIPlayer2, BitGPIPlayer2);
        }
        SlowoGPIZapisane = w;
        return w;
    }
    return SlowoGPISpoczynek;
}

bool SprawdzGPI() {
    if (GPIWlaczone != 1) return false;
    SlowoGPIPoprzednie = SlowoGPI;
    const quint16 w = CzytajGPI() & MaskaGPI;
    int rowne = 0;
    for (int i = 0; i < 8; ++i)
        if ((CzytajGPI() & MaskaGPI) == w) ++rowne;
    if (rowne != 8) return false;
    if (w == SlowoGPI) return false;
    SlowoGPI = w;
    return true;
}
