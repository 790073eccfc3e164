// The description editor's file work: opening a recording's description and
// envelope, saving it, and the callers' ways in.
#include "library/DOpisNagr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include <algorithm>

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestGraf2.h"
#include "foundation/KestPods2.h"
#include "foundation/Text.h"
#include "library/DOpisNagrWewn.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;
using namespace opis_nagr;

bool TDlgOpisNagr::ShowOpisNagr(const SygnalType& s, bool edytowalny) {
    Zatrzymaj();
    s_ = s;
    if (s_.Nazwa.isEmpty())
        s_.Nazwa = NazwaSciezki(s_.Adres);
    OtworzSygnal(s_, true);
    opis0_ = OpisNagrania;
    setWindowTitle(u"Dane o nagraniu: "_s + s_.Nazwa + u" (Test ustawiania LOOP i HOOK)"_s);

    edytowalny_ = edytowalny;
    for (int i = 0; i < LiczbaPrzyciskow(); ++i) {
        TRect r = Przycisk(i).Rect;
        PoleKolorE(Wciecie(r, -2), KolorTlaPrzycisku);
    }
    BUTTON_SetVisible(Przycisk(akceptuj_), edytowalny);
    BUTTON_SetVisible(Przycisk(czysc_), edytowalny);
    Przycisk(opusc_).Rect = edytowalny ? RectWH(kSzerokosc - 108, 600, 100, 28) : Przycisk(akceptuj_).Rect;
    UstawDomyslny(edytowalny ? akceptuj_ : opusc_);

    WypelnijOpisy();
    WypelnijInformacje();
    plikJest_ = platform::fileExists(s_.Adres);
    dlugosc_ = plikJest_ ? CzasTrwaniaPliku(s_.Adres) : 0;
    // The markers come from the item even without its file, so that a save
    // never carries another recording's.
    for (int z = 0; z < LiczbaZnacznikowEdytora; ++z)
        Znacznik(z) = 0;
    m_.Int = s_.Int;
    m_.Out = s_.Out;
    m_.Mik = s_.Mik;
    m_.Mix = s_.Mix;
    m_.NwP = s_.NwP;
    m_.NwK = s_.NwK;
    m_.FIn = s_.FIn;
    m_.FOu = s_.FOu;
    m_.LpP = std::max(s_.LpP, 0);
    m_.LpK = std::max(s_.LpK, 0);
    m_.FrP = std::max(s_.FrP, 0);
    m_.FrK = std::max(s_.FrK, 0);
    pozycja_ = 0;
    CzytajObwiednie();
    UstawGeometrie();
    m0_ = m_;
    geometria0_ = geometria_;
    Strony->setCurrentWidget(TabSheet2);
    Zmiana();
    mOtwarcie_ = m_;
    polaOtwarcie_.clear();
    for (const PoleEdytora& p : PolaEdytora)
        polaOtwarcie_.push_back(TekstPola(p.pole));
    mixOtwarcie_ = MixEdit->text();
    ptyOtwarcie_ = PTYComboBox->currentIndex();
    zaaOtwarcie_ = ZaakceptowanyCheckBox->isChecked();

    const bool zapisano = PokazModalnie(parentWidget()) == OdpowiedzAkceptuj;
    Zatrzymaj();
    if (!zapisano)
        OpisNagrania = opis0_;
    return zapisano;
}

void TDlgOpisNagr::Akceptuj() {
    Zatrzymaj();
    ZastosujPolaCzasu();
    if (s_.Rodzaj == RodzajS48) {
        PokazInfo(u"Opisu nagrania S48 nie można zapisać"_s, s_.Adres);
        return;
    }
    if (Decyzja(u"Czy zapisać zmiany?"_s) != WynikTak)
        return;
    // Only what the operator changed is taken from the dialog; everything
    // else keeps the text it was read with (an unset loop stays unset, a
    // mix distance without a mix point stays).
    OpisNagraniaTyp& o = OpisNagrania;
    if (o.Tyt == BrakOpisu)
        o.Tyt.clear();  // the hint the field showed, not a title
    ZnacznikiNaTekst(s_, o);
    for (size_t i = 0; i < std::size(PolaEdytora); ++i) {
        const PoleEdytora& p = PolaEdytora[i];
        const QString t = TekstPola(p.pole);
        if (p.pole == &O::SFT || (i < polaOtwarcie_.size() && t == polaOtwarcie_[i]))
            continue;
        o.*p.pole = cutTo(t, p.szerokosc);
        for (QString O::* ps : {&O::PS1, &O::PS2, &O::PS3, &O::PS4})
            if (p.pole == ps && !(o.*ps).isEmpty())
                o.*ps = cutTo(padRight(o.*ps, 8), 8);
    }
    qint64 mix = 0;
    // Whole seconds of the mix distance, as a time text ("01:15.000").
    if (MixEdit->text() != mixOtwarcie_)
        o.Mix = LiczbaPola(MixEdit->text(), mix) ? PiszCzas(4, mix * 1000) : u"-00:00.001"_s;
    if (PTYComboBox->currentIndex() != ptyOtwarcie_)
        o.PTY = PTYComboBox->currentIndex() >= 0 ? QString::number(PTYComboBox->currentIndex()) : QString();
    if (ZaakceptowanyCheckBox->isChecked() != zaaOtwarcie_)
        o.Zaa = ZaakceptowanyCheckBox->isChecked() ? u"1"_s : QString();
    TekstNaZnaczniki(o, s_);
    static constexpr std::pair<qint32 ZnacznikiOpisu::*, qint32 SygnalType::*> znaczniki[] = {
        {&ZnacznikiOpisu::Int, &SygnalType::Int}, {&ZnacznikiOpisu::Out, &SygnalType::Out},
        {&ZnacznikiOpisu::Mik, &SygnalType::Mik}, {&ZnacznikiOpisu::NwP, &SygnalType::NwP},
        {&ZnacznikiOpisu::NwK, &SygnalType::NwK}, {&ZnacznikiOpisu::FIn, &SygnalType::FIn},
        {&ZnacznikiOpisu::FOu, &SygnalType::FOu}, {&ZnacznikiOpisu::LpP, &SygnalType::LpP},
        {&ZnacznikiOpisu::LpK, &SygnalType::LpK}, {&ZnacznikiOpisu::FrP, &SygnalType::FrP},
        {&ZnacznikiOpisu::FrK, &SygnalType::FrK}};
    for (const auto& [m, s] : znaczniki)
        if (m_.*m != mOtwarcie_.*m)
            s_.*s = m_.*m;
    ZapiszSygnal(s_);
    // The record the callers read holds the markers just saved.
    ZnacznikiNaTekst(s_, o);
    Zamknij(OdpowiedzAkceptuj);
}

bool ShowOpisNagr(const SygnalType& s, bool edytowalny) {
    if (TDlgOpisNagr* okno = DlgOpisNagr())
        return okno->ShowOpisNagr(s, edytowalny);
    TDlgOpisNagr okno;
    return okno.ShowOpisNagr(s, edytowalny);
}

void EdytujOpisPliku(const QString& nazwa, const QString& sciezka, bool& zmieniony) {
    zmieniony = false;
    const QString r = RozszerzenieSciezki(sciezka);
    if (r != u".WAV"_s && r != u".MP2"_s && r != u".MP3"_s)
        return;
    if (!SprawdzOdtwarzalny(sciezka))
        return;
    SygnalType s;
    PustySygnal(s);
    s.Nazwa = nazwa;
    s.Adres = sciezka;
    OtworzSygnal(s, true);
    const QString przed = OpisNagrania.Tyt;
    ShowOpisNagr(s, true);
    zmieniony = OpisNagrania.Tyt != przed;
}
