#include "foundation/DialogiSkrypt.h"

#include "foundation/DDecyzjaCzas.h"

DialogiSkrypt::DialogiSkrypt() : poprzednia_(&Dialogi()) {
    UstawDialogi(this);
}

DialogiSkrypt::~DialogiSkrypt() {
    UstawDialogi(poprzednia_);
}

void DialogiSkrypt::Odpowiedz(quint16 odp) {
    kolejka_.push_back(Odp{odp, {}, 0, -1, {}});
}

void DialogiSkrypt::OdpowiedzTekst(const QString& tekst, quint16 odp) {
    kolejka_.push_back(Odp{odp, {tekst}, 0, -1, {}});
}

void DialogiSkrypt::OdpowiedzRDS(const QString& tytul, const QString& wykonawca, const QString& informacja,
                                 quint16 odp) {
    kolejka_.push_back(Odp{odp, {tytul, wykonawca, informacja}, 0, -1, {}});
}

void DialogiSkrypt::OdpowiedzTikami(int tiki, std::function<void(int)> przedTikiem) {
    Odp o;
    o.tiki = qMax(0, tiki);
    o.przedTikiem = std::move(przedTikiem);
    kolejka_.push_back(std::move(o));
}

void DialogiSkrypt::OdpowiedzKod(qint32 kod) {
    kolejka_.push_back(Odp{OdpowiedzAkceptuj, {}, kod, -1, {}});
}

void DialogiSkrypt::OdpowiedzCzas(const QString& hhmm, quint16 odp) {
    kolejka_.push_back(Odp{odp, {hhmm}, 0, -1, {}});
}

QVector<ZapisDialogu> DialogiSkrypt::Zapisy(RodzajDialogu rodzaj) const {
    QVector<ZapisDialogu> wynik;
    for (const ZapisDialogu& z : zapisy_)
        if (z.rodzaj == rodzaj)
            wynik.push_back(z);
    return wynik;
}

DialogiSkrypt::Odp DialogiSkrypt::Nastepna(const char* okno) {
    if (kolejka_.empty()) {
        // Leaving is the answer that does least harm.
        bledy_ << QStringLiteral("no answer for %1").arg(QLatin1String(okno));
        return Odp{};
    }
    Odp o = kolejka_.front();
    kolejka_.pop_front();
    return o;
}

void DialogiSkrypt::Blad(const QString& linia1, const QString& linia2) {
    zapisy_.push_back({RodzajDialogu::Blad, {linia1, linia2}, 0});
}

void DialogiSkrypt::Info(const QString& linia1, const QString& linia2) {
    zapisy_.push_back({RodzajDialogu::Info, {linia1, linia2}, 0});
}

quint16 DialogiSkrypt::Tekst(const QString& zacheta, QString& tekst, int maksDlugosc, bool haslo,
                             const std::function<bool(const QString&)>& przyjmij) {
    zapisy_.push_back({RodzajDialogu::Tekst, {zacheta, tekst}, haslo ? -maksDlugosc : maksDlugosc});
    // The window stays open while OK is refused, so each refusal takes the
    // next answer, as an operator would type again.
    for (;;) {
        const Odp o = Nastepna("text input");
        if (o.odp != OdpowiedzAkceptuj && o.odp != OdpowiedzOpusc)
            bledy_ << QStringLiteral("text input has no answer %1").arg(o.odp);
        if (o.odp != OdpowiedzAkceptuj)
            return OdpowiedzOpusc;
        // An edit field takes no more than its length.
        const QString wpisany = o.teksty.value(0).left(maksDlugosc);
        if (!przyjmij || przyjmij(wpisany)) {
            tekst = wpisany;
            return OdpowiedzAkceptuj;
        }
        tekst = wpisany;
    }
}

void DialogiSkrypt::StanOtworz(const OpisStanu& opis) {
    const int wskazniki = opis.wskaznik ? (opis.dwa ? 2 : 1) : 0;
    zapisy_.push_back({RodzajDialogu::Stan, {opis.tekst}, wskazniki + (opis.przerwij ? 10 : 0)});
    stanWidoczny_ = true;
}

void DialogiSkrypt::StanUstaw(int wskaznik, int procent) {
    (wskaznik == 2 ? procenty2_ : procenty1_).push_back(procent);
}

void DialogiSkrypt::StanZamknij() {
    stanWidoczny_ = false;
}

void DialogiSkrypt::Pompuj() {
    ++pompowania_;
    // The operator presses the button once; a loop that goes on after
    // asking must not find it pressed again.
    if (stanWidoczny_ && przerwijPrzy_ >= 0 && !procenty1_.isEmpty() && procenty1_.back() >= przerwijPrzy_) {
        StanPrzerwij = true;
        przerwijPrzy_ = -1;
    }
}

quint16 DialogiSkrypt::Decyzja(const QString& linia1, const QString& linia2, int zestaw) {
    zapisy_.push_back({RodzajDialogu::Decyzja, {linia1, linia2}, zestaw});
    const bool brak = kolejka_.empty();
    const Odp o = Nastepna("question");
    bool oferowana = o.odp == OdpowiedzTak || o.odp == OdpowiedzNie;
    if (zestaw == 3)
        oferowana = oferowana || o.odp == OdpowiedzOpusc;
    if (zestaw == 4)
        oferowana = oferowana || o.odp == OdpowiedzOpusc || o.odp == OdpowiedzTakWszystkie;
    if (oferowana)
        return o.odp;
    if (!brak)
        bledy_ << QStringLiteral("question set %1 has no answer %2").arg(zestaw).arg(o.odp);
    return (zestaw == 3 || zestaw == 4) ? OdpowiedzOpusc : OdpowiedzNie;
}

void DialogiSkrypt::Raport(const QString& tytul, const QStringList& linie) {
    zapisy_.push_back({RodzajDialogu::Raport, QStringList{tytul} + linie, 0});
}

void DialogiSkrypt::BlokadaEkranu() {
    zapisy_.push_back({RodzajDialogu::Blokada, {}, 0});
}

quint16 DialogiSkrypt::RDS(QString& tytul, QString& wykonawca, QString& informacja) {
    zapisy_.push_back({RodzajDialogu::RDS, {tytul, wykonawca, informacja}, 0});
    const Odp o = Nastepna("RDS");
    if (o.odp == OdpowiedzAkceptuj) {
        tytul = o.teksty.value(0);
        wykonawca = o.teksty.value(1);
        informacja = o.teksty.value(2);
    } else if (o.odp != OdpowiedzNie && o.odp != OdpowiedzOpusc) {
        bledy_ << QStringLiteral("RDS has no answer %1").arg(o.odp);
        return OdpowiedzOpusc;
    }
    return o.odp;
}

qint32 DialogiSkrypt::Kod() {
    zapisy_.push_back({RodzajDialogu::Kod, {}, 0});
    return Nastepna("kind").kod;
}

quint16 DialogiSkrypt::Czas(const QString& tytul, bool do24, QString& hhmm) {
    zapisy_.push_back({RodzajDialogu::Czas, {tytul}, do24 ? 24 : 99});
    const Odp o = Nastepna("time");
    if (o.odp != OdpowiedzAkceptuj)
        return OdpowiedzOpusc;
    hhmm = o.teksty.value(0);
    return OdpowiedzAkceptuj;
}

quint16 DialogiSkrypt::DecyzjaCzas(const QString& linia, const QString& tytul, const QString& trwa, int zestaw,
                                   StanDecyzjiCzas& stan) {
    zapisy_.push_back({RodzajDialogu::DecyzjaCzas, {linia, tytul, trwa, KoniecEmisjiTekst(stan.CzasMs())}, zestaw});
    const qsizetype zapis = zapisy_.size() - 1;
    tiki_ = 0;
    const Odp o = Nastepna("timed decision");
    if (o.tiki >= 0) {
        for (int n = 0; n < o.tiki; ++n) {
            if (o.przedTikiem)
                o.przedTikiem(n);
            ++tiki_;
            const bool odpowiedz = stan.Tik();
            zapisy_[zapis].teksty[3] = stan.Koniec();
            if (odpowiedz)
                return OdpowiedzTak;
        }
        return OdpowiedzOpusc;
    }
    // Esc leaves any set; the buttons are those the set shows.
    bool oferowana = o.odp == OdpowiedzOpusc;
    if (zestaw != 4)
        oferowana = oferowana || o.odp == OdpowiedzTak || o.odp == OdpowiedzNie;
    if (!oferowana) {
        bledy_ << QStringLiteral("timed decision set %1 has no answer %2").arg(zestaw).arg(o.odp);
        return OdpowiedzOpusc;
    }
    return o.odp;
}

bool DialogiSkrypt::WybierzKatalog(const QString& tytul, QString& katalog) {
    zapisy_.push_back({RodzajDialogu::Katalog, {tytul, katalog}, 0});
    const Odp o = Nastepna("folder picker");
    if (o.odp != OdpowiedzAkceptuj) return false;
    katalog = o.teksty.value(0);
    return true;
}
