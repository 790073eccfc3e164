#include "console/links/DatagramySilnika.h"

#include "console/engine/OdtwarzaczeRekordy.h"
#include "console/engine/PanelListy.h"
#include "audio/OdtwarzaczeSlotow.h"
#include "console/engine/SilnikEmisji.h"
#include "foundation/KestPods2.h"
#include "platform/Clock.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

#include <QDate>

OdtwarzaczPakietu OdtwarzaczPakietuZ(const MIXMagnetType& r, const OdtwarzaczeSlotow& odtwarzacze, quint8 slot) {
    OdtwarzaczPakietu p;
    p.Istnieje = odtwarzacze.OdtwarzaczIstnieje(slot);
    p.Zaladowany = p.Istnieje && !odtwarzacze.PlikOdtwarzacza(slot).isEmpty();
    p.Gra = p.Istnieje && odtwarzacze.StanOdtwarzacza(slot) == 1;
    p.Element = r.Element;
    p.RodzajElementu = r.RodzajElementu;
    p.Ide = r.SygnalSlotu.Nazwa;
    p.Tyt = r.Tyt;
    p.Wyk = r.Wyk;
    p.CzasStartu = r.CzasStartu;
    p.StartMS = r.StartMS;
    p.Emi = r.Emi;
    p.NwP = r.NwP;
    p.NwK = r.NwK;
    p.Zagrano = r.Zagrano;
    p.Int = r.Int;
    p.Out = r.Out;
    p.Udzial = r.Udzial;
    p.PS1 = r.PS1;
    p.PS2 = r.PS2;
    p.PS3 = r.PS3;
    p.PS4 = r.PS4;
    return p;
}

KolorCzasuOdtwarzacza KolorCzasuPakietu(StanCzasuOdtwarzacza stan) {
    switch (stan) {
    case StanCzasuOdtwarzacza::Zatrzymany: return KolorCzasuOdtwarzacza::Teal;
    case StanCzasuOdtwarzacza::Intro: return KolorCzasuOdtwarzacza::Lime;
    case StanCzasuOdtwarzacza::Normalny: return KolorCzasuOdtwarzacza::Aqua;
    case StanCzasuOdtwarzacza::Ostrzezenie: return KolorCzasuOdtwarzacza::Red;
    case StanCzasuOdtwarzacza::Blok: break;
    }
    return KolorCzasuOdtwarzacza::Inny;
}

QString TekstOdchylenia(qint32 ms) {
    if (ms == 0) return QStringLiteral("00:00");
    const qint64 a = qAbs(qint64(ms));
    QString t;
    if (a > 3'600'000)
        t = ms > 0 ? QStringLiteral("> 1h ") : QStringLiteral("> 1h");
    else
        t = QStringLiteral("%1:%2").arg(a / 60'000, 2, 10, QLatin1Char('0')).arg(a / 1000 % 60, 2, 10, QLatin1Char('0'));
    return (ms < 0 ? QStringLiteral("-") : QStringLiteral("+")) + t;
}

QString TekstDaty(const QDate& d) {
    if (Satelita.SatPLNazwaFormat == QStringLiteral("MMDDRRRR")) return d.toString(QStringLiteral("MM/dd/yyyy"));
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

QString ZrodloPakietowSilnika::DataLabel() const { return TekstDaty(platform::clock().date()); }

QString ZrodloPakietowSilnika::Czas24Label() const { return CzasZegara24(platform::clock().msOfDay()); }

QString ZrodloPakietowSilnika::DeltaTLabel() const { return TekstOdchylenia(silnik_.OdchylenieWyswietlane); }

KolorCzasuOdtwarzacza ZrodloPakietowSilnika::MagnetKolor(int deck) const {
    if (deck < 1 || deck > 2) return KolorCzasuOdtwarzacza::Inny;
    return KolorCzasuPakietu(silnik_.Widok[size_t(deck)].Stan);
}

OdtwarzaczPakietu ZrodloPakietowSilnika::Odtwarzacz(int slot) const {
    if (slot < 1 || slot > LiczbaOdtwarzaczy) return {};
    return OdtwarzaczPakietuZ(silnik_.Odtwarzacz[size_t(slot)], silnik_.Odtwarzacze(), quint8(slot));
}

bool ZrodloPakietowSilnika::AutomatJest() const { return silnik_.Stan.TrybAutomat; }
bool ZrodloPakietowSilnika::AutostopJest() const { return silnik_.AutostopJest; }
bool ZrodloPakietowSilnika::StolSterowanie() const { return silnik_.StolSterowanie; }

WierszPaneluPakietu ZrodloPakietowSilnika::WierszPlaylisty(qint32 n) const {
    WierszPaneluPakietu w;
    if (n < 1 || n > StanPlaylisty.Ilosc || n > MaksPlaylisty) return w;
    const TElemPListy& e = Playlista[size_t(n)];
    w.Emisja = e.Emi < 0 ? QStringLiteral("--:--:--")
                         : PiszCzasDoby(qint64(e.Emi) + e.NwP, 6).left(8);
    const TekstyWierszaType t = TekstyWiersza(e);
    w.Wykonawca = t.Gorny;
    w.Tytul = t.Dolny;
    w.Trzecia = t.Dlugosc;
    return w;
}
