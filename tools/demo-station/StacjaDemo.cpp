#include "StacjaDemo.h"

#include "Melodie.h"
#include "audio/Obwiednia.h"
#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "library/DKatalogNastawy.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "settings/Konfiguracja.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <vector>

namespace {

struct Nagranie {
    QString Adres;      // stored form, on drive C:
    quint8 Rodzaj;      // element kind
    QString Tytul, Wykonawca;
    qint32 Ms;
    qint32 Intro = -1, Outro = -1, Mix = -1;
};

const char* const TytulyPiosenek[] = {
    "Poranek nad Wisłą", "Złote łąki", "Lato w mieście", "Droga do domu", "Światła Krakowa",
    "Cicha noc w porcie", "Żurawie", "Nad jeziorem", "Wiatr od morza", "Gdzie rosną poziomki",
    "Kolej na nas", "Słoneczny dzień", "Pod niebem", "Wrzesień", "Ostatni tramwaj",
    "Zielone okna", "Balkon", "Śnieg na dachach", "Mazurskie noce", "Dwa serca",
    "Biały latawiec", "Pierwsza kawa", "Księżyc nad Tatrami", "Do zobaczenia",
};
const char* const Wykonawcy[] = {
    "Kapela Tolvane", "Anna Nowak", "Trio Wiślane", "Zespół Pogodny", "Marek Kowalski", "Duet Fala",
};

// A WAV file with the program's canonical 44-byte header. Written to a
// temporary name first so that an interrupted build never leaves a torn file.
bool zapiszWav(const QString& sciezka, const QByteArray& pcm, QString& blad) {
    SygnalType s;
    s.Rodzaj = RodzajWAV;
    s.Probkowanie = demo::Probkowanie;
    s.Kanaly = demo::Kanaly;
    s.Bity = 16;
    s.Dlugosc = qint32(pcm.size() / 2);
    SygnalWAVType h = BudujNaglowekWAV(s);
    h.RozmiarDanych = quint32(pcm.size());
    h.RozmiarRIFF = quint32(36 + pcm.size());
    QSaveFile f(sciezka);
    if (!f.open(QIODevice::WriteOnly) || f.write(h.Bajty()) != SygnalWAVType::Rozmiar || f.write(pcm) != pcm.size() ||
        !f.commit()) {
        blad = QStringLiteral("Nie można zapisać ") + sciezka + QStringLiteral(": ") + f.errorString();
        return false;
    }
    return true;
}

bool utworzMelodie(const Nagranie& n, int ziarno, QString& blad) {
    QByteArray pcm;
    switch (n.Rodzaj) {
        case RodzajJNG: pcm = demo::Dzingiel(ziarno, n.Ms); break;
        case RodzajREK: pcm = demo::Reklama(ziarno, n.Ms); break;
        default: pcm = demo::Piosenka(ziarno, n.Ms); break;
    }
    return zapiszWav(platform::resolvePath(n.Adres), pcm, blad);
}

// The waveform the preview and the editors draw.
bool utworzObwiednie(const Nagranie& n, int, QString& blad) {
    TworzObwiednie(n.Adres);
    if (!QFileInfo::exists(platform::resolvePath(ZbiorObwiedni(n.Adres)))) {
        blad = QStringLiteral("Nie można utworzyć obwiedni ") + ZbiorObwiedni(n.Adres);
        return false;
    }
    return true;
}

bool utworzOpis(const Nagranie& n, int, QString& blad) {
    SygnalType s;
    s.Adres = n.Adres;
    s.Nazwa = NazwaSciezki(n.Adres);
    OpisNagraniaTyp opis;
    if (OtworzSygnal(s, false, opis) != 0) {
        blad = QStringLiteral("Nie można otworzyć ") + n.Adres;
        return false;
    }
    s.Tot = DlugoscSygnaluMs(s);
    s.NwP = 0;
    s.NwK = s.Tot;
    s.FIn = 0;
    s.Int = n.Intro;
    s.Out = n.Outro;
    s.Mix = n.Mix;
    s.FOu = n.Mix > 0 ? s.Tot - n.Mix : s.Tot;
    NowyOpis(opis);
    opis.Tyt = n.Tytul;
    opis.Wyk = n.Wykonawca;
    opis.Kom = QStringLiteral("Tolvane demo");
    opis.Rok = QString::number(QDate::currentDate().year());
    PrzytnijOpis(opis);
    BladIO = 0;
    ZapiszDAT(s, opis);
    if (BladIO != 0) {
        blad = QStringLiteral("Nie można zapisać opisu ") + ZbiorOpisu(n.Adres);
        return false;
    }
    return true;
}

std::vector<Nagranie> nagrania(bool krotkie) {
    std::vector<Nagranie> out;
    const int piosenek = krotkie ? 6 : 24;
    for (int i = 0; i < piosenek; ++i) {
        Nagranie n;
        n.Adres = QStringLiteral("C:\\MUZYKA\\S%1.WAV").arg(i + 1, 2, 10, QLatin1Char('0'));
        n.Rodzaj = RodzajSND;
        n.Tytul = QString::fromUtf8(TytulyPiosenek[i % 24]);
        n.Wykonawca = QString::fromUtf8(Wykonawcy[i % 6]);
        n.Ms = krotkie ? 3000 + (i % 3) * 500 : 30000 + (i * 7919 % 31) * 1000;  // 30..60 s
        n.Intro = krotkie ? 1000 : 6000 + (i % 4) * 1000;
        n.Outro = n.Ms - (krotkie ? 1000 : 8000);
        n.Mix = krotkie ? 500 : 3000;
        out.push_back(n);
    }
    const char* const dzingle[] = {"Tolvane - zawsze na antenie", "Tolvane - muzyka dnia", "Tolvane - godzina",
                                   "Tolvane - już za chwilę", "Tolvane - radio", "Tolvane - przerwa"};
    const int dzingli = krotkie ? 2 : 6;
    for (int i = 0; i < dzingli; ++i) {
        Nagranie n;
        n.Adres = QStringLiteral("C:\\JINGLE\\J%1.WAV").arg(i + 1, 2, 10, QLatin1Char('0'));
        n.Rodzaj = RodzajJNG;
        n.Tytul = QString::fromUtf8(dzingle[i]);
        n.Wykonawca = QStringLiteral("Tolvane");
        n.Ms = krotkie ? 1500 : 3000 + i * 500;
        out.push_back(n);
    }
    const char* const reklamy[] = {"Piekarnia Pod Kłosem", "Salon rowerowy Szprycha"};
    for (int i = 0; i < (krotkie ? 1 : 2); ++i) {
        Nagranie n;
        n.Adres = QStringLiteral("C:\\REKLAMY\\R%1.WAV").arg(i + 1, 2, 10, QLatin1Char('0'));
        n.Rodzaj = RodzajREK;
        n.Tytul = QString::fromUtf8(reklamy[i]);
        n.Wykonawca = QStringLiteral("Reklama");
        n.Ms = krotkie ? 2000 : 20000 + i * 10000;
        out.push_back(n);
    }
    return out;
}

// The day's running order: a jingle, then songs, with an advert block every
// quarter of an hour (jingle, adverts, jingle).
bool zbudujPlayliste(const std::vector<Nagranie>& n, const OpcjeStacjiDemo& o, const QString& plik, QString& blad) {
    std::vector<const Nagranie*> piosenki, dzingle, reklamy;
    for (const auto& x : n) {
        if (x.Rodzaj == RodzajSND) piosenki.push_back(&x);
        else if (x.Rodzaj == RodzajJNG) dzingle.push_back(&x);
        else reklamy.push_back(&x);
    }
    WyczyscPlayliste();
    qint64 czas = o.OdMs;
    // A long station plays until midnight (at least an hour); the short one a dozen elements.
    const qint64 koniec = o.KrotkieElementy ? -1 : std::max<qint64>(DobaMs, o.OdMs + 3'600'000);
    qint64 nastepnyBlok = czas + 15 * 60'000;
    int ip = 0, id = 0, ir = 0, licznik = 0;
    auto dodaj = [&](const Nagranie& x) {
        if (StanPlaylisty.Ilosc >= MaksPlaylisty) return;
        TElemPListy e;
        InitElemPListy(e);
        e.Typ = x.Rodzaj;
        e.Ide = NazwaSciezki(x.Adres).section(QLatin1Char('.'), 0, 0);
        e.Adr = x.Adres;
        SygnalType s;
        s.Adres = x.Adres;
        s.Nazwa = NazwaSciezki(x.Adres);
        OpisNagraniaTyp opis;
        OtworzSygnal(s, true, opis);
        WypelnijElemZOpisu(e, opis, s);
        PoprawCzasyElemPListy(e);
        e.Emi = qint32(czas % DobaMs);
        Playlista[++StanPlaylisty.Ilosc] = e;
        czas += (e.NwK - e.NwP) - std::max(0, e.Mix);
    };
    dodaj(*dzingle[0]);
    while (o.KrotkieElementy ? licznik < 12 : czas < koniec) {
        if (StanPlaylisty.Ilosc >= MaksPlaylisty - 4) break;
        if (!o.KrotkieElementy && czas >= nastepnyBlok) {
            dodaj(*dzingle[id++ % dzingle.size()]);
            for (size_t k = 0; k < reklamy.size(); ++k) dodaj(*reklamy[ir++ % reklamy.size()]);
            dodaj(*dzingle[id++ % dzingle.size()]);
            nastepnyBlok += 15 * 60'000;
        }
        dodaj(*piosenki[ip++ % piosenki.size()]);
        if (o.KrotkieElementy && licznik == 5) dodaj(*reklamy[0]);
        if (++licznik % 3 == 0) dodaj(*dzingle[id++ % dzingle.size()]);
    }
    StanPlaylisty.Kursor = 1;
    PlaylistaNazwa = QStringLiteral("AWARIA");
    BladIO = 0;
    if (ZapiszPlaylisteMIX(plik, 1, StanPlaylisty.Ilosc) != WynikZapisuMIX::Zapisano) {
        blad = QStringLiteral("Nie można zapisać playlisty ") + plik;
        return false;
    }
    return true;
}

// The jingles as a singles set (title and file line per slot, twelve
// slots), which Alt+C reads into the palette.
bool zbudujSingle(const std::vector<Nagranie>& n, QString& blad) {
    QStringList linie;
    for (const auto& x : n)
        if (x.Rodzaj == RodzajJNG && linie.size() < 24) linie << x.Tytul << x.Adres;
    while (linie.size() < 24) linie << QStringLiteral("----------") << QString();
    const QString plik = platform::resolvePath(ZestawSingliDemo);
    if (!platform::writeTextFileAtomic(plik, linie, &blad)) {
        blad = QStringLiteral("Nie można zapisać ") + plik + QStringLiteral(": ") + blad;
        return false;
    }
    return true;
}

// The adverts as a time list due in the next minutes: a block of all of them
// two minutes after the first element, and again three minutes later.
bool zbudujTimeliste(const std::vector<Nagranie>& n, const OpcjeStacjiDemo& o, QString& blad) {
    CzyscTimeliste();
    qint32 ile = 0;
    for (const qint64 poMinutach : {2, 5})
        for (const auto& x : n) {
            if (x.Rodzaj != RodzajREK) continue;
            TElemTListy& e = Timelista[size_t(++ile)];
            e = TElemTListy{};
            e.Tyt = x.Tytul;
            e.Adr = x.Adres;
            e.Czas = qint32((o.OdMs / 1000 + poMinutach * 60) % (DobaMs / 1000));
            e.Trw = x.Ms;
        }
    StanTimelisty.Ilosc = ile;
    if (!ZapiszTimeliste(ListaReklamDemo)) {
        blad = QStringLiteral("Nie można zapisać listy ") + ListaReklamDemo;
        return false;
    }
    return true;
}

}  // namespace

const QString ZestawSingliDemo = QStringLiteral("C:\\JINGLE\\JINGLE.SIN");
const QString ListaReklamDemo = QStringLiteral("C:\\REKLAMY\\REKLAMY.LST");

bool ZbudujStacjeDemo(const OpcjeStacjiDemo& o, QString& blad) {
    QDir d;
    const QString folder = QDir(o.Folder).absolutePath();
    for (const char* k : {"audio/MUZYKA", "audio/JINGLE", "audio/REKLAMY", "drives"})
        if (!d.mkpath(folder + QLatin1Char('/') + QLatin1String(k))) {
            blad = QStringLiteral("Nie można utworzyć katalogu ") + folder + QLatin1Char('/') + QLatin1String(k);
            return false;
        }
    // Drive C: of the station is its audio folder (relative, so the folder can move).
    const QString c = folder + QStringLiteral("/drives/c");
    if (!QFileInfo::exists(c) && !QFile::link(QStringLiteral("../audio"), c)) {
        blad = QStringLiteral("Nie można utworzyć ") + c;
        return false;
    }
    platform::setProgramFolder(folder);
    platform::clearPathCache();

    // Every folder setting is "PROGRAM" (the program folder), so the station
    // works wherever it is put. The demo's own values follow the defaults.
    KatalogStartowy = QStringLiteral("PROGRAM");
    DomyslneKonfiguracji();
    Nastawy.Numer = 1;
    Nastawy.Id = QStringLiteral("Demo");
    Nastawy.LOGZbiorJest = true;
    Nastawy.OknoStanStart = 1;
    Emisja.CzyHST = true;
    Emisja.CzyHSTXML = true;
    Emisja.PlaylistaFormat = 1;
    // AutoStop is on (its default), and Automat mixes by the playlist's own
    // mixes rather than fading the other deck at every start.
    Emisja.AutomatBezAutoStop = true;
    if (o.KrotkieElementy) {
        // Elements of a few seconds, crossfaded, still count for the history.
        Emisja.THST = 1;
        Emisja.ProcHST = 50;
    }
    // Streaming mixers on the default (or virtual) output for every slot.
    Emisja.CzyPlayerZgodnoscWinXP = true;
    // The emergency playlist below starts by itself: the demo plays at once.
    Emisja.AwariaStartJest = true;
    // The relay card, which the console opens as the simulated card only
    // when started with TOLVANE_RELAY=simulated (as ./run.sh does here): its
    // outputs and inputs are then the files relay-outputs.txt and relay-inputs.txt.
    Emisja.Advantech1761Jest = true;
    if (o.PortUDP > 0) {
        const QString adres = QStringLiteral("127.0.0.1");
        Satelita.UDPBroadcastJest = true;
        Satelita.UDPBroadcastAdres = adres;
        Satelita.UDPBroadcastPort = o.PortUDP;
        Satelita.UDPBroadcastInterwalS = 1;
        Satelita.UDPBroadcast2Jest = true;
        Satelita.UDPBroadcast2Adres = adres;
        Satelita.UDPBroadcast2Port = o.PortUDP;
        Satelita.UDPBroadcast2InterwalS = 1;
        Satelita.UDPBroadcastMonitorJest = true;
        Satelita.UDPBroadcastMonitorAdres = adres;
        Satelita.UDPBroadcastMonitorPort = o.PortUDP;
        Satelita.UDPBroadcastMonitorInterwalS = 10;
    }
    for (quint8* k : {&Emisja.Kanal1, &Emisja.Kanal2, &Emisja.Kanal3, &Emisja.Kanal4, &Emisja.Kanal5, &Emisja.KanalPFL})
        *k = 0;
    // The browsers open on the station's drive: recordings at its root, the
    // singles set and the time list in their folders, one button per folder.
    Emisja.KatMuzyka1 = QStringLiteral("C:\\");
    Emisja.KatLista1 = QStringLiteral("C:\\REKLAMY");
    Emisja.SingleOdczytKatalogiJest = true;
    Emisja.SingleKatAdres[0] = QStringLiteral("C:\\JINGLE");
    const char* const foldery[] = {"MUZYKA", "JINGLE", "REKLAMY"};
    for (size_t i = 0; i < std::size(foldery); ++i) {
        Katalogi.KatOpis[i] = QLatin1String(foldery[i]);
        Katalogi.KatAdres[i] = QStringLiteral("C:\\") + QLatin1String(foldery[i]);
    }

    // A full station takes about a minute: one line per stage says it works.
    const auto postep = [&](const char* etap) {
        if (o.Postep) o.Postep(QString::fromUtf8(etap));
    };
    const auto lista = nagrania(o.KrotkieElementy);
    using Etap = bool (*)(const Nagranie&, int, QString&);
    const std::pair<const char*, Etap> etapy[] = {
        {"Composing the melodies", utworzMelodie},
        {"Drawing their waveforms", utworzObwiednie},
        {"Writing their descriptions", utworzOpis},
    };
    for (const auto& [nazwa, etap] : etapy) {
        postep(nazwa);
        for (size_t i = 0; i < lista.size(); ++i)
            if (!etap(lista[i], int(i) + 1, blad)) return false;
    }
    postep("Building today's playlist");
    if (!zbudujPlayliste(lista, o, folder + QStringLiteral("/AWARIA.MIX"), blad)) return false;
    postep("Writing the singles set and the time list");
    if (!zbudujSingle(lista, blad) || !zbudujTimeliste(lista, o, blad)) return false;

    QSaveFile flaga(folder + QStringLiteral("/TolvaneAwaria.FLG"));
    if (!flaga.open(QIODevice::WriteOnly) || flaga.write("1\r\n") != 3 || !flaga.commit()) {
        blad = QStringLiteral("Nie można zapisać TolvaneAwaria.FLG");
        return false;
    }
    if (!ZapiszKonfiguracje(folder + QStringLiteral("/TOLVANE.INI"))) {
        blad = QStringLiteral("Nie można zapisać ") + folder + QStringLiteral("/TOLVANE.INI");
        return false;
    }
    return true;
}
