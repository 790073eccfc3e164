#include "console/window/KatalogiKonsoli.h"

#include "console/commands/KomendyEdycji.h"
#include "console/commands/KomendyPlaylisty.h"
#include "console/commands/PanelTimelisty.h"
#include "console/window/PolaczeniaOkna.h"

#include "audio/DMagnet.h"
#include "audio/Sygnaly2.h"
#include "console/commands/ProfilOperatora.h"
#include "console/commands/ScianaSingli.h"
#include "foundation/KestSter2.h"
#include "library/DKatalogNastawy.h"
#include "library/DOpisNagr.h"
#include "playlists/NastawyEmisji.h"

namespace {

KatStan Stan(const QString& tytul, const QString& typy) {
    KatStan k;
    k.Tytul = tytul;
    k.Typy = typy;
    k.KatalogStart = KatalogDomyslny();
    return k;
}

// A pick through a caller's state: the chosen path, "" when the operator left.
QString Wybierz(KatStan& k, const QString& katalog) {
    if (!katalog.isEmpty()) k.KatalogStart = katalog;
    PokazKatalog(k);
    return k.WybranaSciezka;
}

}  // namespace

void PrzygotujStanyKatalogow(StanyKatalogow& s) {
    s.Wstaw = Stan(QStringLiteral(" Nagrania "), QStringLiteral(".WAV:.MP2:.MP3:.S48"));
    KatStan& w = s.Wstaw;
    w.KasujZmien = true;
    w.Przycisk1 = QStringLiteral("~Info");
    w.Akcja1 = [](const QString& nazwa, const QString& sciezka) {
        bool zmieniony = false;
        EdytujOpisPliku(nazwa, sciezka, zmieniony);
        return zmieniony;
    };
    w.Przycisk2 = QStringLiteral("~Play");
    w.Akcja2 = [](const QString&, const QString& sciezka, const TRect& r) { OdsluchajPlik(sciezka, r); };
    w.Przycisk3 = QStringLiteral("~Akt.");
    w.Akcja3 = [](const QString& katalog) { KatalogAktualizuj(katalog); };
    w.Tryb3Tekst = QStringLiteral("Opis");
    w.Tryb3 = [](const QString& sciezka) { return TytulPliku(sciezka); };
    w.Tryb4Tekst = QStringLiteral("Par.");
    w.Tryb4 = [](const QString& sciezka) { return OpisFormatu(sciezka); };
    w.Tryb5Tekst = QStringLiteral("Wyk.");
    w.Tryb5 = [](const QString& sciezka) { return WykonawcaITytulPliku(sciezka); };
    s.Zapis = Stan(QStringLiteral("Katalog docelowy"), QStringLiteral(".KAT"));
    s.Playlista = Stan(QStringLiteral("Playlisty"), QStringLiteral(".SEL:.MIX"));
    s.Lista = Stan(QStringLiteral("Listy"), QStringLiteral(".LST"));
    s.Single = Stan(QStringLiteral(" Palety singli "), QStringLiteral(".SIN"));
    s.Profil = Stan(QStringLiteral("Profile"), QStringLiteral(".PRO"));
}

void StanyKatalogowPoNastawach(StanyKatalogow& s) {
    s.Wstaw.KatalogStart = Emisja.KatMuzyka1;
    s.Lista.KatalogStart = Emisja.KatLista1;
    s.Playlista.KatalogStart = Emisja.KatAutomat;
}

void PolaczScianeZKatalogiem(OknaBibliotekiSingli& b, StanyKatalogow& s) {
    b.NagranieZKatalogu = [&s](QString& nazwa, QString& plik) {
        plik = Wybierz(s.Wstaw, QString());
        if (plik.isEmpty()) return false;
        nazwa = s.Wstaw.Wybrany;
        return true;
    };
    b.ZestawZKatalogu = [&s](const QString& katalog) { return Wybierz(s.Single, katalog); };
    b.KatalogZapisu = [&s](const QString& katalog) { return Wybierz(s.Zapis, katalog); };
}

void PolaczTimelisteZKatalogiem(PanelTimelisty& t, StanyKatalogow& s) {
    t.Zrodla.WybierzListe = [&s](QString& plik) {
        plik = Wybierz(s.Lista, QString());
        return !plik.isEmpty();
    };
    t.Zrodla.WybierzFolder = [&s](QString& folder) {
        const QString wybrany = Wybierz(s.Zapis, folder);
        if (wybrany.isEmpty()) return false;
        folder = wybrany;
        return true;
    };
    t.Zrodla.NagranieZPrzegladarki = [&s](QString& nazwa, QString& plik) {
        plik = Wybierz(s.Wstaw, QString());
        if (plik.isEmpty()) return false;
        nazwa = s.Wstaw.Wybrany;
        return true;
    };
}

void PolaczProfilZKatalogiem(ProfilOperatora& p, StanyKatalogow& s) {
    p.WybierzProfil = [&s] { return Wybierz(s.Profil, QString()); };
}

void PolaczReklamyZKatalogiem(WyjsciaOkna& w, StanyKatalogow& s) {
    w.ListaReklam = [&s](const QString& katalog) { return Wybierz(s.Lista, katalog); };
}

void PolaczPlaylisteZKatalogiem(KomendyPlaylisty& k, StanyKatalogow& s) {
    k.WybierzPlayliste = [&s](const QString& filtr) {
        s.Playlista.Typy = filtr;
        return Wybierz(s.Playlista, QString());
    };
    k.WybierzFolder = [&s](QString& folder) {
        const QString wybrany = Wybierz(s.Zapis, folder);
        if (wybrany.isEmpty()) return false;
        folder = wybrany;
        return true;
    };
}

void PolaczEdycjeZKatalogiem(KomendyEdycji& k, StanyKatalogow& s) {
    k.Zrodla.NagranieZPrzegladarki = [&s](KomendyEdycji::Wybor& w) {
        KatalogWynikLiczba = 0;
        w.Plik = Wybierz(s.Wstaw, QString());
        w.Nazwa = s.Wstaw.Wybrany;
        if (KatalogWynikLiczba >= 1) {
            w.Nazwy = KatalogWynikZbiory.mid(0, KatalogWynikLiczba);
            w.Pliki = KatalogWynikTeksty.mid(0, KatalogWynikLiczba);
        }
        KatalogWynikLiczba = 0;
        return !w.Plik.isEmpty() || !w.Pliki.isEmpty();
    };
    k.Zrodla.ZestawSingli = [&s] { return Wybierz(s.Single, QString()); };
}
