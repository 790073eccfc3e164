#include "library/DBazaOkno.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWheelEvent>

#include <algorithm>

#include "audio/DMagnet.h"
#include "audio/Obwiednia.h"
#include "audio/OpisNagrania.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestKopia.h"
#include "foundation/KestPods2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "foundation/UslugaDialogow.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DBazaWewn.h"
#include "library/DBazaWidok.h"
#include "library/DKatalogNastawy.h"
#include "library/DOpisNagr.h"
#include "library/SlownikiOpisu.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

namespace {

QPointer<TBaza> oknoProgramu;

constexpr int kSzerokosc = 920;
constexpr int kWysokosc = 640;
// The list: 20 rows 15 pixels apart.
constexpr int kListaLewy = 8, kListaGora = 92, kListaPrawy = 715, kListaDol = 403;
constexpr int kWiersze = kListaGora + 4;
constexpr int kWysokoscWiersza = 15;
constexpr int kPasekLewy = 720, kPasekPrawy = 737;
constexpr TColor kTloListy = 0x800000;  // navy
constexpr TColor kCiemny = 0x404040;

const QString kCzasZero = u"00:00"_s;

struct OpisPrzycisku {
    quint16 kod;
    const char16_t* tytul;
    int lewy, gora, szerokosc, wysokosc;
};

// Everything but the letters, the categories and the filter word.
const OpisPrzycisku Przyciski[] = {
    {8011, u"~Wykonawca", 8, 8, 90, 22},   {8012, u"~Tytuł", 102, 8, 90, 22},  {8013, u"Cz~as", 196, 8, 90, 22},
    {8014, u"Kod", 290, 8, 90, 22},        {8021, u"Szuka~j", 394, 8, 90, 22}, {8024, u"Kasuj", 488, 8, 90, 22},
    {8022, u"~Info", 592, 8, 70, 22},      {8023, u"~Play", 666, 8, 70, 22},   {8035, u"1", 742, 92, 70, 22},
    {8033, u"PgUp", 742, 118, 70, 22},     {8034, u"PgDn", 742, 144, 70, 22},  {8036, u"o", 742, 170, 70, 22},
    {8001, u"~Utwórz", 820, 92, 92, 22},   {8002, u"Aktualizuj", 820, 118, 92, 22},
    {8003, u"Kopiuj", 820, 144, 92, 22},   {8004, u"Zeruj licz.", 820, 170, 92, 22},
    {10, u"Opuść", 716, 606, 94, 26},      {20, u"Akceptuj", 818, 606, 94, 26},
};

const char16_t* const Kategorie[] = {u"Wszyst~kie", u"~Muzyka", u"Ji~ngiel", u"~Reklama", u"~DJ",    u"W~hisper",
                                     u"~Sponsor",   u"Pr~omos", u"Aud~ycja", u"Sweeper",  u"Loop",   u"Efekt"};

// The database window's key map; 0 for a key without a command.
quint16 KomendaKlawisza(quint16 k) {
    switch (k) {
    case 0x011B: return 10;
    case 0x1C0D: return 20;
    case 0x5200: return 8001;
    case 0x3921: return 8010;
    case 0x4E2B: return 8021;
    case 0x4800: return 8031;
    case 0x5000: return 8032;
    case 0x4900: return 8033;
    case 0x5100: return 8034;
    case 0x4700: return 8035;
    case 0x4F00: return 8036;
    case 0x4B00: return 8041;
    case 0x4D00: return 8042;
    default: break;
    }
    // A letter or a digit with its scan code; Ctrl + a letter has none.
    const char16_t c = char16_t(k & 0xFF);
    if ((k >> 8) == 0)
        return 0;
    if (c >= u'a' && c <= u'z')
        return quint16(8101 + (c - u'a'));
    if (c >= u'A' && c <= u'Z')
        return quint16(8101 + (c - u'A'));
    if (c >= u'0' && c <= u'9')
        return 8127;
    return 0;
}

QComboBox* Lista(QWidget* rodzic, const QStringList& pozycje, bool edytowalna) {
    auto* c = new QComboBox(rodzic);
    c->setEditable(edytowalna);
    c->addItem(QString());
    c->addItems(pozycje);
    return c;
}

QStringList CzasyListy() {
    QStringList l;
    for (int m : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 15, 20, 30, 45, 59})
        l << zeroPad(m, 2) + u":00"_s;
    return l;
}

// One file copy, written to the named log first. True when it was copied;
// a failure is shown, an abort is not.
bool KopiujZLogiem(const QString& zrodlo, const QString& cel) {
    LogNazwany(u"Kopiowanie zbioru "_s + zrodlo);
    bool przerwane = false;
    return KopiujZglaszajac(zrodlo, cel, u"Kopiowanie zbioru nieudane: "_s, przerwane);
}

// The description and the envelope that go with a recording, where they exist.
void KopiujTowarzyszace(const QString& zrodlo, const QString& cel) {
    const QString pary[][2] = {{ZbiorOpisu(zrodlo), ZbiorOpisu(cel)}, {ZbiorObwiedni(zrodlo), ZbiorObwiedni(cel)}};
    for (const auto& [z, c] : pary)
        if (platform::fileExists(z) && !KopiujZLogiem(z, c))
            return;
}

}  // namespace

TBaza* OknoBazy() { return oknoProgramu.data(); }

TBaza::TBaza(QWidget* oknoGlowne) : OknoDialogu(u"Baza nagrań"_s, kSzerokosc, kWysokosc) {
    if (oknoGlowne)
        setParent(oknoGlowne, windowFlags());
    if (!oknoProgramu)
        oknoProgramu = this;
    UstawAnuluj(OdpowiedzOpusc, false);

    for (const OpisPrzycisku& p : Przyciski)
        DodajPrzycisk(RectWH(p.lewy, p.gora, p.szerokosc, p.wysokosc), QString::fromUtf16(p.tytul), p.kod);
    for (int i = 0; i < 28; ++i) {
        const QString tytul = i < 26 ? QString(QChar(u'A' + i)) : i == 26 ? u"0..9"_s : u"__"_s;
        DodajPrzycisk(RectWH(8 + i * 31, 36, 28, 20), tytul, quint16(8101 + i));
    }
    for (int i = 0; i < 12; ++i)
        DodajPrzycisk(RectWH(8 + i * 74, 62, 70, 20), QString::fromUtf16(Kategorie[i]), quint16(8200 + i));
    DodajPrzycisk(RectWH(820, 196, 92, 22), QString(), 8005);

    const auto pole = [this](int x, int y, int w) {
        auto* e = new QLineEdit(this);
        e->setGeometry(x, y, w, 22);
        return e;
    };
    const auto lista = [this](int x, int y, int w, const QStringList& l, bool edytowalna) {
        QComboBox* c = Lista(this, l, edytowalna);
        c->setGeometry(x, y, w, 22);
        return c;
    };
    TytulSzukajEdit = pole(96, 412, 220);
    WykonawcaSzukajEdit = pole(96, 438, 220);
    KodSzukajEdit = pole(96, 464, 220);
    JakoscSzukajEdit = pole(96, 490, 220);
    KluczeSzukajEdit = pole(96, 516, 220);
    GenderSzukajComboBox = lista(420, 412, 200, SlownikGender, false);
    TypSzukajComboBox = lista(420, 438, 200, SlownikTyp, false);
    NarodowoscSzukajComboBox = lista(420, 464, 200, SlownikNarodowosc, false);
    EraSzukajComboBox = lista(420, 490, 200, {}, false);
    TempoSzukajComboBox = lista(420, 516, 200, SlownikTempo, false);
    BPMSzukajEdit = pole(712, 412, 90);
    CzasOdSzukajComboBox = lista(712, 438, 90, CzasyListy(), true);
    CzasDoSzukajComboBox = lista(712, 464, 90, CzasyListy(), true);
    Edit1 = pole(712, 490, 90);
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::NoFocus);
    const auto pole2 = [this](int x, int w, const QString& t) {
        auto* c = new QCheckBox(t, this);
        c->setGeometry(x, 546, w, 22);
        QObject::connect(c, &QCheckBox::toggled, this, [this] { Odswiez(); });
        return c;
    };
    PreselekcjaKodCheckBox = pole2(8, 170, u"Preselekcja kodu"_s);
    PreselekcjaOpisZaakceptowanyCheckBox = pole2(190, 180, u"Opis zaakceptowany"_s);
    PreselekcjaOpisBezAkceptacjiCheckBox = pole2(380, 190, u"Opis bez akceptacji"_s);
    PrzeslijKatalogEdit = pole(96, 574, 360);
    PrzeslijWybierzKatalogButton = new QPushButton(u"..."_s, this);
    PrzeslijWybierzKatalogButton->setGeometry(460, 574, 30, 22);
    ZmianaNazwyCheckBox = new QCheckBox(u"Zmiana nazwy"_s, this);
    ZmianaNazwyCheckBox->setGeometry(498, 574, 130, 22);
    PrzeslijButton = new QPushButton(u"Prześlij"_s, this);
    PrzeslijButton->setGeometry(636, 574, 90, 22);
    QObject::connect(PrzeslijButton, &QPushButton::clicked, this, [this] { Przeslij(); });
    QObject::connect(PrzeslijWybierzKatalogButton, &QPushButton::clicked, this, [this] { WybierzKatalog(); });

    UstawKolorCzcionki(KolorCzarny);
    const std::pair<int, const char16_t*> etykiety[] = {
        {412, u"Tytuł"}, {438, u"Wykonawca"}, {464, u"Kod"}, {490, u"Jakość"}, {516, u"Klucze"}};
    for (const auto& [y, t] : etykiety)
        PiszxyE(8, y + 3, QString::fromUtf16(t));
    const std::pair<int, const char16_t*> etykiety2[] = {
        {412, u"Gender"}, {438, u"Typ"}, {464, u"Narodowość"}, {490, u"Era"}, {516, u"Tempo"}};
    for (const auto& [y, t] : etykiety2)
        PiszxyE(330, y + 3, QString::fromUtf16(t));
    const std::pair<int, const char16_t*> etykiety3[] = {
        {412, u"BPM"}, {438, u"Czas od"}, {464, u"Czas do"}, {490, u"Pozycji"}};
    for (const auto& [y, t] : etykiety3)
        PiszxyE(636, y + 3, QString::fromUtf16(t));

    BazaWidok.ZNastaw();
    ResetujFormularz();
}

TBaza::~TBaza() = default;

const BUTTONType* TBaza::PrzyciskKomendy(quint16 kod) {
    const int i = IndeksKodu(kod);
    return i < 0 ? nullptr : &Przycisk(i);
}

TRect TBaza::ProstokatListy() const {
    TRect r;
    Prostokat(r, kListaLewy, kListaGora, kListaPrawy, kListaDol);
    return r;
}

TRect TBaza::ProstokatPaska() const {
    TRect r;
    Prostokat(r, kPasekLewy, kListaGora, kPasekPrawy, kListaDol);
    return r;
}

QPoint TBaza::PunktWiersza(int wiersz) const {
    return QPoint((kListaLewy + kListaPrawy) / 2, kWiersze + (wiersz - 1) * kWysokoscWiersza + kWysokoscWiersza / 2);
}

// ---- opening ----

void TBaza::ResetujFormularz() {
    TytulSzukajEdit->setText(BazaDowolny);
    WykonawcaSzukajEdit->setText(BazaDowolny);
    if (!PreselekcjaKodCheckBox->isChecked())
        KodSzukajEdit->setText(BazaDowolny);
    for (QLineEdit* e : {JakoscSzukajEdit, KluczeSzukajEdit, BPMSzukajEdit})
        e->clear();
    for (QComboBox* c : {GenderSzukajComboBox, TypSzukajComboBox, NarodowoscSzukajComboBox, EraSzukajComboBox,
                         TempoSzukajComboBox})
        c->setCurrentIndex(0);
    CzasOdSzukajComboBox->setCurrentText(kCzasZero);
    CzasDoSzukajComboBox->setCurrentText(kCzasZero);
}

void TBaza::UstawPrzyciski() {
    const auto& B = BazaNagran;
    const std::pair<quint16, bool> widoczne[] = {{8001, B.BazaUtworzJest},
                                                 {8002, B.BazaAktualizujJest},
                                                 {8003, B.BazaKopiujJest},
                                                 {8004, B.BazaLicznikJest && B.BazaLicznikZerujJest},
                                                 {8005, B.BazaFiltrJest}};
    for (const auto& [kod, widoczny] : widoczne)
        BUTTON_SetVisible(Przycisk(IndeksKodu(kod)), widoczny);
    BUTTON_SetTitle(Przycisk(IndeksKodu(8005)), B.BazaFiltr);
    for (QWidget* w : std::initializer_list<QWidget*>{PrzeslijKatalogEdit, PrzeslijWybierzKatalogButton,
                                                      ZmianaNazwyCheckBox, PrzeslijButton})
        w->setVisible(B.BazaPrzeslijJest);
    PoleKolorE(RectWH(8, 574, 86, 22), KolorTlaPrzycisku);
    if (B.BazaPrzeslijJest)
        PiszxyKolorE(8, 577, u"Prześlij do"_s, KolorCzarny);
    CzyscMiejscaPrzyciskow();
}

void TBaza::Baza() {
    BazaWynikAdres.clear();
    BazaWynikDodatkowy.clear();
    ResetujFormularz();
    PrzeslijKatalogEdit->setText(BazaNagran.BAZAPrzeslijKatalog);
    ZmianaNazwyCheckBox->setChecked(BazaNagran.BazaPrzeslijZmienNazwe);
    EraSzukajComboBox->clear();
    EraSzukajComboBox->addItem(QString());
    EraSzukajComboBox->addItems(SlownikEra());
    // Only where nothing stands under the database's name is a new one made.
    if (!QFileInfo::exists(platform::resolvePath(BazaSciezka()))) {
        BazaUtworz();
        BazaBudujIndeksy();
    }
    if (BazaNagran.BazaOdczytJest)
        BazaWczytana = false;
    if (!BazaWczytana)
        BazaWczytajOdNowa();
    BazaDzis = DataTekst();
    UstawPrzyciski();
    Odswiez();
    if (PokazModalnie(parentWidget()) != OdpowiedzAkceptuj) {
        BazaWynikAdres.clear();
        BazaWynikDodatkowy.clear();
    }
}

// ---- drawing ----

void TBaza::Odswiez() {
    FormularzSzukania& f = BazaWidok.Formularz;
    f.Tytul = TytulSzukajEdit->text();
    f.Wykonawca = WykonawcaSzukajEdit->text();
    f.Kod = KodSzukajEdit->text();
    f.Gender = GenderSzukajComboBox->currentText();
    f.Typ = TypSzukajComboBox->currentText();
    f.Narodowosc = NarodowoscSzukajComboBox->currentText();
    f.Jakosc = JakoscSzukajEdit->text();
    f.Klucze = KluczeSzukajEdit->text();
    f.Era = EraSzukajComboBox->currentText();
    f.BPM = BPMSzukajEdit->text();
    f.Tempo = TempoSzukajComboBox->currentText();
    f.CzasOd = CzasOdSzukajComboBox->currentText();
    f.CzasDo = CzasDoSzukajComboBox->currentText();
    f.PreselekcjaKod = PreselekcjaKodCheckBox->isChecked();
    f.PreselekcjaOpisZaakceptowany = PreselekcjaOpisZaakceptowanyCheckBox->isChecked();
    f.PreselekcjaOpisBezAkceptacji = PreselekcjaOpisBezAkceptacjiCheckBox->isChecked();
    BazaWidok.Odswiez();
    Edit1->setText(QString::number(BazaWidok.Liczba()));
    RysujPrzyciskiStanu();
    RysujListe();
}

void TBaza::RysujPrzyciskiStanu() {
    const WidokBazy& w = BazaWidok;
    for (int i = 0; i < LiczbaPrzyciskow(); ++i) {
        BUTTONType& b = Przycisk(i);
        bool stan = b.Stan != 0;
        if (b.Kod >= 8011 && b.Kod <= 8014)
            stan = b.Kod - 8010 == w.Porzadek;
        else if (b.Kod == 8021)
            stan = w.BazaSort == BazaWidokWynikow;
        else if (b.Kod >= 8101 && b.Kod <= 8128)
            stan = b.Kod % 100 == w.BazaLitera;
        else if (b.Kod >= 8200 && b.Kod <= 8211)
            stan = b.Kod - 8200 == w.BazaKategoria;
        else if (b.Kod == 8005)
            stan = w.BazaFiltrWlaczony;
        b.Stan = stan ? 1 : 0;
    }
    RysujPrzyciski();
}

void TBaza::RysujListe() {
    // A table read or rebuilt meanwhile (a timer runs while the window is
    // open) gives a new list; otherwise the cached one is drawn.
    BazaWidok.Odswiez();
    const WidokBazy& w = BazaWidok;
    PoleWklesleE(ProstokatListy(), kTloListy, KolorBialy, kCiemny);
    const bool liczniki = BazaNagran.BazaLicznikJest;
    if (w.Liczba() == 0)
        PiszxyKolorE(kListaLewy + 8, kWiersze, u"Nie ma nagrań"_s, KolorBialy);
    for (int i = 0; i < BazaWierszyStrony; ++i) {
        const int n = w.Pierwszy() + i;
        const int p = w.Pozycja(n);
        if (p == 0)
            break;
        const BAZARekordTyp& r = BazaRekordy[p];
        const int y = kWiersze + i * kWysokoscWiersza;
        const TColor kolor = liczniki && !BazaDzis.isEmpty() && r.EmO.startsWith(BazaDzis) ? KolorCzerwony : KolorBialy;
        PiszxyKolorE(kListaLewy + 6, y, Dopasuj(charsAt(r.Wyk, 1, 30), 240), kolor);
        PiszxyKolorE(kListaLewy + 254, y, Dopasuj(charsAt(r.Tyt, 1, 30), 240), kolor);
        const QString licznikiTekst = BazaTekstLicznikow(r);
        if (liczniki && licznikiTekst.size() < 21) {
            // A character a cell, so the counters of the rows line up.
            for (int i = 0; i < licznikiTekst.size(); ++i)
                PiszxyKolorE(kListaLewy + 502 + i * 8, y, licznikiTekst.mid(i, 1), kolor);
        } else {
            PiszxyKolorE(kListaLewy + 502, y, Dopasuj(r.Kod, 140), kolor);
        }
        PiszxyKolorE(kListaPrawy - 6 - SzerokoscTekstu(r.Tot), y, r.Tot, kolor);
        if (n == w.Kursor()) {
            TRect ramka;
            Prostokat(ramka, kListaLewy + 3, y - 1, kListaPrawy - 3, y + kWysokoscWiersza - 2);
            ProstokatKolorE(ramka, KolorBialy);
        }
    }
    // The scroll bar with its thumb where the cursor is, and the cursor's
    // number over the count beside it.
    const int n = w.Liczba();
    RysujPasekPrzewijania(ProstokatPaska(), w.Kursor(), n);
    TRect licznik;
    Prostokat(licznik, 742, 383, 815, kListaDol);
    PoleKolorE(licznik, KolorTlaPrzycisku);
    const QString tekst = QString::number(w.Kursor()) + u'/' + QString::number(n);
    PiszxyKolorE(815 - SzerokoscTekstu(tekst), 386, tekst, KolorCzarny);
}

// ---- input ----

void TBaza::showEvent(QShowEvent* zdarzenie) {
    OknoDialogu::showEvent(zdarzenie);
    // The keys are the window's (letters, arrows), not a search field's.
    setFocus();
}

void TBaza::wheelEvent(QWheelEvent* zdarzenie) {
    const int krok = zdarzenie->angleDelta().y();
    if (krok == 0) {
        zdarzenie->ignore();
        return;
    }
    Zdarzenie.Rodzaj = ZdarzenieKlawisz;
    Zdarzenie.Kod = krok < 0 ? 0x5000 : 0x4800;
    zdarzenie->accept();
    ObsluzZdarzenie();
}

void TBaza::ObsluzZdarzenie() {
    quint16 kod = 0;
    if (Zdarzenie.Rodzaj == ZdarzenieMysz) {
        // A click on the drawn part gives the keys back to the window.
        setFocus();
        if (MyszPrzycisk == 2) {
            kod = 8023;
        } else if (MyszPrzycisk == 3) {
            kod = 8022;
        } else {
            for (int i = 0; i < LiczbaPrzyciskow() && kod == 0; ++i)
                if (BUTTON_Selected(Przycisk(i)))
                    kod = Zdarzenie.Kod;
            const WidokBazy& w = BazaWidok;
            TRect wiersze = ProstokatListy();
            wiersze.Top = kWiersze;
            wiersze.Bottom = kWiersze + BazaWierszyStrony * kWysokoscWiersza - 1;
            if (kod == 0 && ZdarzenieWProstokacie(wiersze)) {
                const int n = w.Pierwszy() + (Zdarzenie.Y - kWiersze) / kWysokoscWiersza;
                if (n == w.Kursor() && n >= 1)
                    kod = 20;
                else if (n <= w.Liczba()) {
                    BazaWidok.UstawKursor(n);
                    RysujListe();
                }
            } else if (kod == 0 && ZdarzenieWProstokacie(ProstokatPaska())) {
                const TRect p = ProstokatPaska();
                BazaWidok.UstawKursor(1 + qint64(Zdarzenie.Y - p.Top) * w.Liczba() / (p.Bottom - p.Top + 1));
                RysujListe();
            }
        }
    } else if (Zdarzenie.Rodzaj == ZdarzenieKlawisz) {
        for (int i = 0; i < LiczbaPrzyciskow() && kod == 0; ++i)
            if (BUTTON_Selected(Przycisk(i)))
                kod = Zdarzenie.Kod;
        if (kod == 0)
            kod = KomendaKlawisza(Zdarzenie.Kod);
    }
    if (kod != 0)
        Komenda(kod);
    KasujZdarzenie();
}

void TBaza::Komenda(quint16 kod) {
    const auto& B = BazaNagran;
    switch (kod) {
    case 10:
        BazaWynikAdres.clear();
        BazaWynikDodatkowy.clear();
        Zamknij(OdpowiedzOpusc);
        break;
    case 20: Akceptuj(); break;
    case 8001:
        if (B.BazaUtworzJest)
            Utworz();
        break;
    case 8002:
        if (B.BazaAktualizujJest)
            Aktualizuj();
        break;
    case 8003:
        if (B.BazaKopiujJest)
            KopiujBaze();
        break;
    case 8004:
        if (B.BazaLicznikJest && B.BazaLicznikZerujJest)
            Zeruj();
        break;
    case 8005:
        if (B.BazaFiltrJest) {
            BazaWidok.BazaFiltrWlaczony = !BazaWidok.BazaFiltrWlaczony;
            Odswiez();
        }
        break;
    case 8021: Szukaj(); break;
    case 8022: Info(); break;
    case 8023: Play(); break;
    case 8024: Kasuj(); break;
    default:
        // A cursor move changes the list's rows only.
        if (BazaWidok.Wykonaj(kod)) {
            if (kod >= 8031 && kod <= 8036)
                RysujListe();
            else
                Odswiez();
        }
        break;
    }
    KasujZdarzenie();
}

int TBaza::PozycjaKursora() const { return BazaWidok.Pozycja(BazaWidok.Kursor()); }

// ---- commands ----

void TBaza::Akceptuj() {
    const int p = PozycjaKursora();
    if (p == 0)
        return;
    const QString adres = BazaRekordy[p].Adr;
    BazaWynikAdres = adres;
    BazaWynikDodatkowy = NazwaSciezki(adres);
    bool jest = platform::fileExists(adres);
    if (!jest && !BazaNagran.BazaBrakKopiuj)
        PokazInfo(u"Brak nagrania na dysku"_s);
    else if (!jest)
        jest = KopiujBrakujace(adres);
    if (!jest) {
        BazaWynikAdres.clear();
        BazaWynikDodatkowy.clear();
    }
    Zamknij(OdpowiedzAkceptuj);
}

bool TBaza::KopiujBrakujace(const QString& adres) {
    if (BazaNagran.BazaBrakKopiujPytaj &&
        Decyzja(u"Brak nagrania na dysku lokalnym - czy kopiować z sieci?"_s) != WynikTak)
        return false;
    QString siec;
    if (!SciezkaSieciowa(adres, siec) || !platform::fileExists(siec)) {
        PokazInfo(u"Brak nagrania również na dysku sieciowym"_s);
        return false;
    }
    if (!KopiujZLogiem(siec, adres))
        return false;
    KopiujTowarzyszace(siec, adres);
    return true;
}

void TBaza::Przeslij() {
    const int p = PozycjaKursora();
    if (p == 0)
        return;
    const BAZARekordTyp& r = BazaRekordy[p];
    const QString zrodlo = r.Adr;
    if (!platform::fileExists(zrodlo)) {
        PokazInfo(u"Brak nagrania na dysku"_s);
        return;
    }
    // An empty folder would copy into the working folder unasked.
    const QString folder = PrzeslijKatalogEdit->text().trimmed();
    if (folder.isEmpty() || !JestKatalog(folder)) {
        PokazInfo(u"Nie ma katalogu docelowego przesyłanych zbiorów:"_s, folder);
        return;
    }
    QString katalog, nazwa, rozszerzenie;
    RozbijSciezke(zrodlo, katalog, nazwa, rozszerzenie);
    // Performer and title may hold anything a file name must not.
    if (ZmianaNazwyCheckBox->isChecked())
        nazwa = BezpiecznaNazwaZbioru(charsAt(r.Wyk, 1, 30) + u'_' + charsAt(r.Tyt, 1, 30));
    const QString cel = joinPath(folder, nazwa + rozszerzenie);
    if (platform::fileExists(cel) && Decyzja(u"Zbiór "_s + nazwa + u" już jest na dysku"_s, u"Czy zastąpić?"_s) != WynikTak)
        return;
    if (KopiujZLogiem(zrodlo, cel))
        KopiujTowarzyszace(zrodlo, cel);
}

void TBaza::WybierzKatalog() {
    QString katalog = PrzeslijKatalogEdit->text();
    if (Dialogi().WybierzKatalog(u"Lokalizacja docelowa przesyłanych zbiorów (*.WAV, *.MP3, *.DAT, *.OBW)"_s, katalog))
        PrzeslijKatalogEdit->setText(katalog);
}

void TBaza::Szukaj() {
    Odswiez();
    switch (BazaWidok.Szukaj()) {
    case WynikSzukania::BrakTekstu: PokazBlad(u"Nie podano tytułu, wykonawcy lub kodu"_s); return;
    case WynikSzukania::NicNieZnaleziono: PokazInfo(u"Nie znaleziono nagrań"_s); break;
    case WynikSzukania::Znaleziono: break;
    }
    Odswiez();
}

void TBaza::Kasuj() {
    const bool wyniki = BazaWidok.BazaSort == BazaWidokWynikow;
    ResetujFormularz();
    BazaWidok.BazaSort = BazaWidok.Porzadek;
    if (PreselekcjaKodCheckBox->isChecked() && wyniki)
        Szukaj();
    BazaWidok.UstawPierwszy(1);
    BazaWidok.UstawKursor(1);
    Odswiez();
}

void TBaza::Utworz() {
    {
        // A play that ends while the table is rebuilt is counted once the
        // counters file is read back, which would otherwise overwrite it.
        BazaWUzyciu zajeta;
        // The counters survive a build through the counters file. Only a
        // table that holds every record may write it: a partial one (a cut
        // read, an aborted build) would leave the file without the others'
        // counters.
        if (BazaKompletna)
            BazaLicznikiZapisz();
        BazaAktualizacja = false;
        const bool zbudowana = BazaUtworz();
        // An aborted build leaves part of a table: it is listed too.
        BazaBudujIndeksy();
        BazaWidok.UstawPierwszy(1);
        BazaWidok.UstawKursor(1);
        if (zbudowana)
            BazaLicznikiCzytaj();
    }
    Odswiez();
}

void TBaza::Aktualizuj() {
    BazaAktualizacja = true;
    BazaUtworz();
    BazaBudujIndeksy();
    BazaAktualizacja = false;
    BazaWidok.UstawPierwszy(1);
    BazaWidok.UstawKursor(1);
    Odswiez();
}

void TBaza::KopiujBaze() {
    BUTTONType& b = Przycisk(IndeksKodu(8003));
    BUTTON_ON(b);
    if (BazaKopiujZSieci())
        ResetujFormularz();
    BUTTON_OFF(b);
    Odswiez();
}

void TBaza::Zeruj() {
    if (Nastawy.HasloINIJest) {
        TekstPodany.clear();
        const int szerokosc = int(std::max<qsizetype>(Nastawy.HasloINITekst.size(), 10)) * 100;
        if (PodajTekst(u"Podaj hasło dostępu"_s, szerokosc, 9) != WynikTak || TekstPodany != Nastawy.HasloINITekst)
            return;
    }
    if (Decyzja(u"Czy zerować liczniki emisji nagrań?"_s) != WynikTak)
        return;
    BazaWidok.ZerujLiczniki();
    Odswiez();
}

void TBaza::Info() {
    const int p = PozycjaKursora();
    if (p == 0)
        return;
    const QString adres = BazaRekordy[p].Adr;
    SygnalType s = SygnalPliku(adres);
    ShowOpisNagr(s, true);
    setFocus();
}

void TBaza::Play() {
    const int p = PozycjaKursora();
    if (p == 0)
        return;
    // A copy: the table may change while the preview is open.
    const QString adres = BazaRekordy[p].Adr;
    if (OdsluchDozwolony(adres))
        PokazMagnetofon(adres, 0, 1, 0, 0, 0);
    setFocus();
}

void Baza() {
    if (TBaza* okno = OknoBazy()) {
        okno->Baza();
        return;
    }
    TBaza okno;
    okno.Baza();
}
