#include "settings/TDlgNastawy.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "foundation/Text.h"
#include "foundation/UslugaDialogow.h"
#include "foundation/Zdarzenie.h"
#include "playlists/NastawyEmisji.h"
#include "settings/Konfiguracja.h"

using namespace Qt::StringLiterals;

namespace {

QPointer<TDlgNastawy> dialogProgramu;

// A group that would make its column taller than this (in pixels, a row
// and a group's frame estimated) starts the page's next column.
constexpr int kWysokoscKolumny = 630;
constexpr int kWysokoscWiersza = 27;
constexpr int kRamkaGrupy = 38;
constexpr int kSzerokoscKatalogu = 180;

qint64 LiczbaZmiennej(const OpisKlucza& k) {
    if (const qint32* v = k.jako<qint32>()) return *v;
    if (const quint8* v = k.jako<quint8>()) return *v;
    qint64 n = 0;
    if (const QString* v = k.jako<QString>()) parseInteger(*v, n);
    return n;
}

void UstawLiczbe(const OpisKlucza& k, qint64 n) {
    if (qint32* v = k.jako<qint32>()) *v = qint32(std::clamp<qint64>(n, std::numeric_limits<qint32>::min(),
                                                                    std::numeric_limits<qint32>::max()));
    else if (quint8* v = k.jako<quint8>()) *v = quint8(std::clamp<qint64>(n, 0, 255));
    else if (QString* v = k.jako<QString>()) *v = QString::number(n);
}

}  // namespace

// One control bound to one variable. Showing records what the control shows;
// accepting copies back only a control whose state differs from that, so a
// value the control cannot show (beyond its range, not in its list) survives
// an untouched dialog.
class KontrolkaNastawy {
public:
    KontrolkaNastawy(const PowiazanieNastawy& p, const OpisKlucza* k) : p(p), k(k) {}
    virtual ~KontrolkaNastawy() = default;
    KontrolkaNastawy(const KontrolkaNastawy&) = delete;
    KontrolkaNastawy& operator=(const KontrolkaNastawy&) = delete;

    virtual void Pokaz() = 0;
    virtual QVariant Stan() const = 0;
    virtual void Przyjmij() = 0;
    void Zapamietaj() { pokazany_ = Stan(); }
    bool Zmieniona() const { return Stan() != pokazany_; }

    const PowiazanieNastawy& p;
    const OpisKlucza* k;      // null: a control of the dialog alone
    QList<QWidget*> widzety;  // in row order

protected:
    template <class W>
    W* Widzet(W* w, const QString& nazwa) {
        w->setObjectName(nazwa);
        widzety << w;
        return w;
    }
    QLineEdit* PoleKatalogu(const QString& nazwa, std::function<QString()> tytul) {
        auto* pole = Widzet(new QLineEdit, nazwa);
        pole->setMinimumWidth(kSzerokoscKatalogu);
        auto* przycisk = Widzet(new QToolButton, nazwa + u"Przycisk"_s);
        przycisk->setText(u"..."_s);
        QObject::connect(przycisk, &QToolButton::clicked, pole, [pole, tytul = std::move(tytul)] {
            QString katalog = pole->text();
            if (Dialogi().WybierzKatalog(tytul(), katalog)) pole->setText(katalog);
        });
        return pole;
    }

private:
    QVariant pokazany_;
};

namespace {

class Pole final : public KontrolkaNastawy {
public:
    Pole(const PowiazanieNastawy& p, const OpisKlucza* k) : KontrolkaNastawy(p, k) {
        box_ = Widzet(new QCheckBox(p.podpis), p.klucz);
    }
    void Pokaz() override { box_->setChecked(*k->jako<bool>()); }
    QVariant Stan() const override { return box_->isChecked(); }
    void Przyjmij() override { *k->jako<bool>() = box_->isChecked(); }

private:
    QCheckBox* box_;
};

class Liczba final : public KontrolkaNastawy {
public:
    Liczba(const PowiazanieNastawy& p, const OpisKlucza* k) : KontrolkaNastawy(p, k) {
        pole_ = Widzet(new QSpinBox, p.klucz);
        if (p.maksimum >= p.minimum)
            pole_->setRange(p.minimum, p.maksimum);
        else
            pole_->setRange(k->minimum, k->maksimum);
    }
    void Pokaz() override {
        pole_->setValue(int(std::clamp<qint64>(LiczbaZmiennej(*k), std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max())));
    }
    QVariant Stan() const override { return pole_->value(); }
    void Przyjmij() override { UstawLiczbe(*k, pole_->value()); }

private:
    QSpinBox* pole_;
};

// A text, or a folder when a picker's title is given.
class Tekst final : public KontrolkaNastawy {
public:
    Tekst(const PowiazanieNastawy& p, const OpisKlucza* k, std::function<QString()> tytul = {})
        : KontrolkaNastawy(p, k) {
        pole_ = tytul ? PoleKatalogu(p.klucz, std::move(tytul)) : Widzet(new QLineEdit, p.klucz);
        dlugosc_ = p.dlugosc > 0 ? p.dlugosc : k->maxDlugosc;
        if (dlugosc_ > 0) pole_->setMaxLength(dlugosc_);
        if (dlugosc_ > 0 && dlugosc_ < 4) pole_->setMaximumWidth(40);
    }
    void Pokaz() override { pole_->setText(*k->jako<QString>()); }
    QVariant Stan() const override { return pole_->text(); }
    void Przyjmij() override { *k->jako<QString>() = dlugosc_ > 0 ? cutTo(pole_->text(), dlugosc_) : pole_->text(); }
    QString Tresc() const { return pole_->text(); }

private:
    QLineEdit* pole_;
    int dlugosc_ = 0;
};

// A track bar and its number field. The bar writes its position, rounded down
// to its step, into the field. A typed number is checked when the operator
// leaves the field or accepts: a whole number within the bar's range moves
// the bar, anything else puts the bar's value back. (Checked per keystroke,
// "6000" would pass through "600" on its way out of range.)
class Suwak final : public KontrolkaNastawy {
public:
    Suwak(const PowiazanieNastawy& p, const OpisKlucza* k) : KontrolkaNastawy(p, k) {
        pasek_ = Widzet(new QSlider(Qt::Horizontal), p.klucz);
        pasek_->setRange(p.minimum, p.maksimum);
        pasek_->setSingleStep(p.krok);
        pasek_->setPageStep(std::max(p.krok, (p.maksimum - p.minimum) / 10));
        pasek_->setMinimumWidth(160);
        pole_ = Widzet(new QLineEdit, p.klucz + u"Pole"_s);
        pole_->setMaximumWidth(60);
        QObject::connect(pasek_, &QSlider::valueChanged, pole_, [this](int v) { pole_->setText(QString::number(Krok(v))); });
        QObject::connect(pole_, &QLineEdit::editingFinished, pasek_, [this] { Sprawdz(); });
    }
    void Pokaz() override {
        const qint64 v = LiczbaZmiennej(*k) / p.skala;
        const QSignalBlocker cicho(pasek_);
        pasek_->setValue(int(std::clamp<qint64>(v, p.minimum, p.maksimum)));
        pole_->setText(QString::number(v));
    }
    QVariant Stan() const override { return pole_->text(); }
    void Przyjmij() override {
        Sprawdz();
        qint64 n = 0;
        if (!Poprawna(pole_->text(), n)) n = Krok(pasek_->value());
        UstawLiczbe(*k, n * p.skala);
    }

private:
    void Sprawdz() {
        qint64 n = 0;
        if (Poprawna(pole_->text(), n)) {
            const QSignalBlocker cicho(pasek_);
            pasek_->setValue(int(n));
        } else {
            Przywroc();
        }
    }
    int Krok(int v) const { return v / p.krok * p.krok; }
    bool Poprawna(const QString& t, qint64& n) const { return parseInteger(t, n) && n >= p.minimum && n <= p.maksimum; }
    void Przywroc() { pole_->setText(QString::number(Krok(pasek_->value()))); }

    QSlider* pasek_;
    QLineEdit* pole_;
};

// A list of devices. An output is kept by its name: the list shows the
// device of that name, and a name no device has shows no entry and stays as
// it was. The recording input is kept by its number in the list.
class Urzadzenie final : public KontrolkaNastawy {
public:
    Urzadzenie(const PowiazanieNastawy& p, const OpisKlucza* k, const QStringList& nazwy)
        : KontrolkaNastawy(p, k), nazwy_(nazwy), poNazwie_(p.kontrolka == RodzajKontrolki::Wyjscie) {
        lista_ = Widzet(new QComboBox, p.klucz);
        lista_->setMinimumWidth(kSzerokoscKatalogu);
    }
    void Pokaz() override {
        lista_->clear();
        lista_->addItems(nazwy_);
        const qint64 nr = poNazwie_ ? nazwy_.indexOf(*k->jako<QString>()) : LiczbaZmiennej(*k);
        // An input number past the list records from the first input: the
        // box shows that one.
        lista_->setCurrentIndex(nr < nazwy_.size() ? int(nr) : 0);
    }
    QVariant Stan() const override { return lista_->currentIndex(); }
    void Przyjmij() override {
        if (lista_->currentIndex() < 0) return;
        if (poNazwie_)
            *k->jako<QString>() = lista_->currentText();
        else
            UstawLiczbe(*k, lista_->currentIndex());
    }

private:
    const QStringList& nazwy_;
    const bool poNazwie_;
    QComboBox* lista_;
};

class Opcje final : public KontrolkaNastawy {
public:
    Opcje(const PowiazanieNastawy& p, const OpisKlucza* k) : KontrolkaNastawy(p, k) {
        grupa_ = new QButtonGroup(nullptr);
        for (int i = 0; i < p.opcje.size(); ++i)
            grupa_->addButton(Widzet(new QRadioButton(p.opcje[i]), p.klucz + QString::number(p.minimum + i)),
                              p.minimum + i);
    }
    ~Opcje() override { delete grupa_; }
    void Pokaz() override {
        // A value no button stands for leaves every button clear.
        grupa_->setExclusive(false);
        for (QAbstractButton* b : grupa_->buttons()) b->setChecked(grupa_->id(b) == LiczbaZmiennej(*k));
        grupa_->setExclusive(true);
    }
    QVariant Stan() const override { return grupa_->checkedId(); }
    void Przyjmij() override {
        if (grupa_->checkedId() != -1) UstawLiczbe(*k, grupa_->checkedId());
    }

private:
    QButtonGroup* grupa_;
};

// The database file as a folder and a name without its extension.
class ZbiorBazy final : public KontrolkaNastawy {
public:
    ZbiorBazy(const PowiazanieNastawy& p, const OpisKlucza* k) : KontrolkaNastawy(p, k) {
        katalog_ = PoleKatalogu(p.klucz + u"Katalog"_s, [t = p.tytul] { return t; });
        nazwa_ = Widzet(new QLineEdit, p.klucz + u"Nazwa"_s);
        Widzet(new QLabel(u".BAZ"_s), QString());
    }
    void Pokaz() override {
        const QString& v = *k->jako<QString>();
        katalog_->setText(KatalogSciezki(v));
        nazwa_->setText(NazwaSciezki(v));
    }
    QVariant Stan() const override { return QStringList{katalog_->text(), nazwa_->text()}; }
    void Przyjmij() override { *k->jako<QString>() = joinPath(katalog_->text(), nazwa_->text() + u".BAZ"_s); }

private:
    QLineEdit* katalog_;
    QLineEdit* nazwa_;
};

// The database's types as three boxes; none ticked gives ".WAV", what the
// reader makes of a value it cannot use.
class TypyBazy final : public KontrolkaNastawy {
public:
    TypyBazy(const PowiazanieNastawy& p, const OpisKlucza* k) : KontrolkaNastawy(p, k) {
        for (const QString& t : kTypy) boxy_ << Widzet(new QCheckBox(t), p.klucz + t);
    }
    void Pokaz() override {
        const QString v = upperPL(*k->jako<QString>());
        for (int i = 0; i < kTypy.size(); ++i) boxy_[i]->setChecked(v.contains(kTypy[i]));
    }
    QVariant Stan() const override {
        QList<QVariant> s;
        for (const QCheckBox* b : boxy_) s << b->isChecked();
        return s;
    }
    void Przyjmij() override {
        QStringList typy;
        for (int i = 0; i < kTypy.size(); ++i)
            if (boxy_[i]->isChecked()) typy << u"."_s + kTypy[i];
        *k->jako<QString>() = typy.isEmpty() ? u".WAV"_s : typy.join(u':');
    }

private:
    inline static const QStringList kTypy{u"WAV"_s, u"MP2"_s, u"MP3"_s};
    QList<QCheckBox*> boxy_;
};

// A control bound to no setting: the operator's choice stays in the widget
// for the run (the dialog is made once) and is neither filled nor read.
class Wlasna final : public KontrolkaNastawy {
public:
    Wlasna(const PowiazanieNastawy& p) : KontrolkaNastawy(p, nullptr) {
        if (p.kontrolka == RodzajKontrolki::Pole) {
            Widzet(new QCheckBox(p.podpis), p.klucz);
        } else {
            auto* pole = Widzet(new QSpinBox, p.klucz);
            pole->setRange(p.minimum, p.maksimum);
        }
    }
    void Pokaz() override {}
    QVariant Stan() const override { return {}; }
    void Przyjmij() override {}
};

using Wiersze = std::vector<const PowiazanieNastawy*>;

// The rows split by a name (page, group), in the order the names first
// appear.
template <class F>
std::vector<std::pair<QString, Wiersze>> Podziel(const Wiersze& wiersze, F nazwa) {
    std::vector<std::pair<QString, Wiersze>> czesci;
    for (const PowiazanieNastawy* p : wiersze) {
        auto c = std::find_if(czesci.begin(), czesci.end(), [&](const auto& x) { return x.first == nazwa(*p); });
        if (c == czesci.end()) c = czesci.insert(czesci.end(), {nazwa(*p), {}});
        c->second.push_back(p);
    }
    return czesci;
}

int Wysokosc(const Wiersze& grupa) {
    const int n = int(std::count_if(grupa.begin(), grupa.end(), [](const PowiazanieNastawy* p) { return !p->obok; }));
    return kRamkaGrupy + n * kWysokoscWiersza;
}

}  // namespace

TDlgNastawy* DlgNastawy() { return dialogProgramu.data(); }

TDlgNastawy::TDlgNastawy(const QStringList& wyjscia, const QStringList& wejscia, QWidget* oknoGlowne)
    : QDialog(oknoGlowne), wyjscia_(wyjscia), wejscia_(wejscia) {
    if (!dialogProgramu) dialogProgramu = this;
    setWindowTitle(u"Nastawy programu"_s);
    setObjectName(u"DlgNastawy"_s);

    Strony = new QTabWidget(this);
    XPLabel1 = new QLabel(u"Tryb zgodności z XP - wybór wyjść audio tylko w pliku INI (numery)"_s);
    XPLabel2 = new QLabel(u"W celu zmiany trybu, w INI wpis: CzyPlayerZgodnoscWinXP=0"_s);

    Wiersze wszystkie;
    for (const PowiazanieNastawy& p : PowiazaniaNastaw()) wszystkie.push_back(&p);
    for (const auto& [strona, wiersze] : Podziel(wszystkie, [](const PowiazanieNastawy& p) { return p.strona; }))
        ZbudujStrone(strona, wiersze);

    ZapisCheckBox = new QCheckBox(u"Zapis zbioru konfiguracji TOLVANE.INI po wyborze Akceptuj"_s);
    AkceptujButton = new QPushButton(u"Akceptuj"_s);
    OpuscButton = new QPushButton(u"Opuść"_s);
    // Return accepts from any field (a typed number is checked on the way);
    // on a focused button it presses that button.
    AkceptujButton->setDefault(true);
    connect(AkceptujButton, &QPushButton::clicked, this, [this] { AkceptujButtonClick(); });
    connect(OpuscButton, &QPushButton::clicked, this, [this] { OpuscButtonClick(); });

    auto* dol = new QHBoxLayout;
    dol->addWidget(ZapisCheckBox);
    dol->addStretch(1);
    dol->addWidget(AkceptujButton);
    dol->addWidget(OpuscButton);
    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(Strony, 1);
    uklad->addLayout(dol);
    resize(RozmiarWlasny);
}

QRect TDlgNastawy::Geometria(const QSize& najmniejszy, const QRect& wolny, const QMargins& ramka,
                             const QPoint& srodek) {
    const QRect miejsce = wolny.marginsRemoved(ramka);
    QRect r(QPoint(), RozmiarWlasny.boundedTo(miejsce.size()).expandedTo(najmniejszy));
    r.moveCenter(srodek);
    // Past the area's far edge it moves back; past its near edge (a dialog
    // larger than the area) the top left stays on the screen.
    r.moveLeft(std::max(miejsce.left(), std::min(r.left(), miejsce.right() + 1 - r.width())));
    r.moveTop(std::max(miejsce.top(), std::min(r.top(), miejsce.bottom() + 1 - r.height())));
    return r;
}

namespace {

QMargins RamkaOkna(const QWidget* w) {
    const QRect ramka = w->frameGeometry(), okno = w->geometry();
    return {okno.left() - ramka.left(), okno.top() - ramka.top(), ramka.right() - okno.right(),
            ramka.bottom() - okno.bottom()};
}

}  // namespace

void TDlgNastawy::DopasujDoEkranu(bool gdyWystaje) {
    const QWidget* otwierajacy = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* e = otwierajacy ? otwierajacy->screen() : screen();
    if (!e) return;
    const QRect wolny = e->availableGeometry();
    if (gdyWystaje && wolny.contains(frameGeometry())) return;
    QMargins ramka = RamkaOkna(this);
    if (ramka.isNull() && otwierajacy) ramka = RamkaOkna(otwierajacy);
    // At a fractional scale the frame's size is known only to a pixel.
    if (!ramka.isNull() && e->devicePixelRatio() != std::round(e->devicePixelRatio())) ramka += QMargins(1, 1, 1, 1);
    const QPoint srodek = otwierajacy && otwierajacy->isVisible() ? otwierajacy->frameGeometry().center()
                                                                   : wolny.center();
    setGeometry(Geometria(minimumSizeHint(), wolny, ramka, srodek));
}

void TDlgNastawy::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The frame a dialog never shown was given is known now, or, from a
    // window manager, once it has framed the mapped window: one that reaches
    // past the free area (a full-screen console has no frame to go by) is
    // fitted in then.
    DopasujDoEkranu(true);
    QTimer::singleShot(300, this, [this] {
        if (isVisible()) DopasujDoEkranu(true);
    });
}

TDlgNastawy::~TDlgNastawy() {
    // The pages go before the controls that their signals still reach.
    delete Strony;
}

QString TDlgNastawy::TytulKatalogu(const PowiazanieNastawy& p) const {
    if (p.kluczNazwy.isEmpty()) return p.tytul;
    const auto* nazwa = dynamic_cast<const Tekst*>(wgKlucza_.value(p.kluczNazwy));
    return p.tytul.arg(nazwa ? nazwa->Tresc() : QString());
}

std::unique_ptr<KontrolkaNastawy> TDlgNastawy::Utworz(const PowiazanieNastawy& p) {
    if (!p.sekcja) return std::make_unique<Wlasna>(p);
    const OpisKlucza* k = KluczPowiazania(p);
    if (!k) return nullptr;  // a key its owner does not have (the tests name it)
    switch (p.kontrolka) {
    case RodzajKontrolki::Pole: return std::make_unique<Pole>(p, k);
    case RodzajKontrolki::Liczba: return std::make_unique<Liczba>(p, k);
    case RodzajKontrolki::Tekst: return std::make_unique<Tekst>(p, k);
    case RodzajKontrolki::Katalog: return std::make_unique<Tekst>(p, k, [this, &p] { return TytulKatalogu(p); });
    case RodzajKontrolki::Suwak: return std::make_unique<Suwak>(p, k);
    case RodzajKontrolki::Wyjscie: return std::make_unique<Urzadzenie>(p, k, wyjscia_);
    case RodzajKontrolki::Wejscie: return std::make_unique<Urzadzenie>(p, k, wejscia_);
    case RodzajKontrolki::Opcje: return std::make_unique<Opcje>(p, k);
    case RodzajKontrolki::ZbiorBazy: return std::make_unique<ZbiorBazy>(p, k);
    case RodzajKontrolki::TypyBazy: return std::make_unique<TypyBazy>(p, k);
    }
    return nullptr;
}

void TDlgNastawy::ZbudujStrone(const QString& strona, const std::vector<const PowiazanieNastawy*>& wiersze) {
    const auto grupy = Podziel(wiersze, [](const PowiazanieNastawy& p) { return p.grupa; });

    auto* tresc = new QWidget;
    auto* pionowy = new QVBoxLayout(tresc);
    auto* kolumny = new QHBoxLayout;
    pionowy->addLayout(kolumny);
    // Each group goes into the first column it fits in, so that short groups
    // fill what a tall one left.
    std::vector<std::pair<QVBoxLayout*, int>> zajete;
    for (const auto& [nazwa, grupa] : grupy) {
        const int n = Wysokosc(grupa);
        auto miejsce = std::find_if(zajete.begin(), zajete.end(),
                                    [n](const auto& k) { return k.second + n <= kWysokoscKolumny; });
        if (miejsce == zajete.end()) {
            auto* nowa = new QVBoxLayout;
            kolumny->addLayout(nowa);
            zajete.emplace_back(nowa, 0);
            miejsce = zajete.end() - 1;
        }
        miejsce->second += n;
        QVBoxLayout* kolumna = miejsce->first;

        auto* box = new QGroupBox(nazwa);
        box->setObjectName(nazwa);
        // Rows: a control and those placed beside it. A row of check boxes
        // alone keeps them together; other rows align in the group's grid.
        std::vector<std::vector<const KontrolkaNastawy*>> rzedy;
        for (const PowiazanieNastawy* p : grupa) {
            std::unique_ptr<KontrolkaNastawy> c = Utworz(*p);
            if (!c) continue;
            if (!p->obok || rzedy.empty()) rzedy.emplace_back();
            rzedy.back().push_back(c.get());
            wgKlucza_.insert(p->klucz, c.get());
            kontrolki_.push_back(std::move(c));
        }
        auto* siatka = new QGridLayout(box);
        for (int w = 0; w < int(rzedy.size()); ++w) {
            if (std::all_of(rzedy[w].begin(), rzedy[w].end(),
                            [](const KontrolkaNastawy* c) { return c->p.kontrolka == RodzajKontrolki::Pole; })) {
                auto* rzad = new QHBoxLayout;
                for (const KontrolkaNastawy* c : rzedy[w])
                    for (QWidget* widzet : c->widzety) rzad->addWidget(widzet);
                rzad->addStretch(1);
                siatka->addLayout(rzad, w, 0, 1, -1);
                continue;
            }
            int kol = 0;
            for (const KontrolkaNastawy* c : rzedy[w]) {
                if (!c->p.podpis.isEmpty() && c->p.kontrolka != RodzajKontrolki::Pole)
                    siatka->addWidget(new QLabel(c->p.podpis), w, kol++);
                for (QWidget* widzet : c->widzety) siatka->addWidget(widzet, w, kol++);
            }
        }
        siatka->setColumnStretch(siatka->columnCount(), 1);
        kolumna->addWidget(box);
        if (nazwa == u"Wyjścia audio"_s) {
            // XP compatibility mode shows these in place of the outputs.
            grupaWyjsc_ = box;
            kolumna->addWidget(XPLabel1);
            kolumna->addWidget(XPLabel2);
        }
    }
    for (const auto& k : zajete) k.first->addStretch(1);
    kolumny->addStretch(1);
    if (strona == u"Program"_s)
        pionowy->addWidget(new QLabel(u"Wszystkie nastawy obowiązują po ponownym uruchomieniu programu"_s));
    pionowy->addStretch(1);

    auto* przewijana = new QScrollArea;
    przewijana->setWidgetResizable(true);
    przewijana->setFrameShape(QFrame::NoFrame);
    przewijana->setWidget(tresc);
    Strony->addTab(przewijana, strona);
}

int TDlgNastawy::Pokaz() {
    FormShow();
    DopasujDoEkranu(false);
    return exec();
}

void TDlgNastawy::FormShow() {
    for (const auto& c : kontrolki_) {
        if (!c->k) continue;
        c->Pokaz();
        c->Zapamietaj();
    }
    const bool xp = Emisja.CzyPlayerZgodnoscWinXP;
    if (grupaWyjsc_) grupaWyjsc_->setVisible(!xp);
    XPLabel1->setVisible(xp);
    XPLabel2->setVisible(xp);
}

void TDlgNastawy::AkceptujButtonClick() {
    // An active password of nothing but blanks would lock the technician out
    // (the prompt takes no such answer, and an empty value read back keeps
    // the default).
    const auto* haslo = findChild<QCheckBox*>(u"HasloINIJest"_s);
    auto* tekst = findChild<QLineEdit*>(u"HasloINITekst"_s);
    if (haslo && tekst && haslo->isChecked() && tekst->text().trimmed().isEmpty()) {
        PokazInfo(u"Hasło nie może być puste"_s, u"Należy wpisać hasło albo wyłączyć \"Aktywne\""_s);
        tekst->setFocus();
        return;
    }
    PokazStan(u"Zapis konfiguracji programu do zbioru TOLVANE.INI"_s, QString(), false);
    for (const auto& c : kontrolki_)
        if (c->k && c->Zmieniona()) c->Przyjmij();
    // The relay card and the input word follow the desk settings.
    UstawOpcjeGPI();
    if (ZapisCheckBox->isChecked()) ZapiszKonfiguracje(KonfiguracjaZbior);
    ZamknijStan();
    Zdarzenie.Rodzaj = ZdarzenieKomenda;
    Zdarzenie.Kod = OdpowiedzAkceptuj;
    done(QDialog::Accepted);
}

void TDlgNastawy::OpuscButtonClick() {
    Zdarzenie.Rodzaj = ZdarzenieKomenda;
    Zdarzenie.Kod = OdpowiedzOpusc;
    done(WynikAnuluj);
}

void TDlgNastawy::reject() { OpuscButtonClick(); }
