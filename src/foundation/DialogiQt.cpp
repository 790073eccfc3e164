#include "foundation/DialogiQt.h"

#include "foundation/DDecyzjaCzas.h"
#include "foundation/Dialogi.h"
#include "foundation/KestPods2.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QTreeView>

#include <vector>

namespace {

UslugaDialogow* zainstalowana = nullptr;

constexpr TColor KolorWskaznika = 0x800000;  // navy
constexpr int WysokoscPrzycisku = 24;

quint16 KodKlawisza(int klawisz, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    return KodBIOS(klawisz, mod);
}

// The hot letter of a title (after its "~"), upper-cased; null when none.
QChar LiteraTytulu(const QString& tytul) {
    const qsizetype t = tytul.indexOf(QLatin1Char('~'));
    if (t < 0 || t + 1 >= tytul.size())
        return {};
    return tytul.at(t + 1).toUpper();
}

// The width rule of the one- and two-line windows.
int SzerokoscOkna(int szerokoscTekstu) {
    return qMax(400, szerokoscTekstu + 90);
}

QFont CzcionkaPunkty(const QFont& baza, int punkty) {
    QFont f = baza;
    f.setPointSize(punkty);
    return f;
}

// The window a dialog opens in front of: the modal window the operator
// works in, else the one given (the main window).
QWidget* Otwierajacy(QWidget* oknoGlowne, const QWidget* ten) {
    QWidget* modalne = QApplication::activeModalWidget();
    if (modalne && modalne != ten && modalne->isVisible()) return modalne;
    return oknoGlowne ? oknoGlowne->window() : nullptr;
}

bool ZawszeNaWierzchu(const QWidget* okno) {
    return okno && okno->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

}  // namespace

UslugaDialogow& Dialogi() {
    return zainstalowana ? *zainstalowana : DialogiProgramu();
}

void UstawDialogi(UslugaDialogow* usluga) {
    zainstalowana = usluga == &DialogiProgramu() ? nullptr : usluga;
}

DialogiQt& DialogiProgramu() {
    static DialogiQt dialogi;
    return dialogi;
}

// ---- the drawn window ----

OknoDialogu::OknoDialogu(const QString& tytul, int szerokosc, int wysokosc) {
    setWindowFlag(Qt::Dialog);
    setWindowTitle(tytul);
    setFixedSize(szerokosc, wysokosc);
    // The canvas is made in the window's background colour when something is
    // first drawn: a window never opened holds no picture of its size.
}

OknoDialogu::~OknoDialogu() {
    if (petla_)
        petla_->quit();
}

int OknoDialogu::DodajPrzycisk(const TRect& r, const QString& tytul, quint16 odpowiedz) {
    BUTTONType b;
    BUTTON_Init(b, r, tytul, odpowiedz);
    przyciski_.push_back(b);
    klawisze_.push_back(0);
    return int(przyciski_.size()) - 1;
}

int OknoDialogu::IndeksKodu(quint16 kod) const {
    for (int i = 0; i < przyciski_.size(); ++i)
        if (przyciski_[i].Kod == kod)
            return i;
    return -1;
}

void OknoDialogu::CzyscMiejscaPrzyciskow() {
    for (const BUTTONType& b : przyciski_) {
        TRect r = b.Rect;
        r.Left -= 2;
        r.Top -= 2;
        r.Right += 2;
        r.Bottom += 2;
        PoleKolorE(r, KolorTlaPrzycisku);
    }
}

void OknoDialogu::RysujPasekPrzewijania(const TRect& pasek, int kursor, int liczba) {
    constexpr TColor ciemny = 0x404040;
    constexpr int kciuk = 16;
    PoleWklesleE(pasek, KolorTlaPrzycisku, KolorBialy, ciemny);
    const int wysokosc = pasek.Bottom - pasek.Top - 4;
    const int y = pasek.Top + 2 + (liczba > 1 ? (kursor - 1) * (wysokosc - kciuk) / (liczba - 1) : 0);
    TRect r;
    Prostokat(r, pasek.Left + 2, y, pasek.Right - 2, y + kciuk);
    PoleWypukleE(r, KolorSzary, ciemny, KolorBialy);
}

QString OknoDialogu::Dopasuj(const QString& tekst, int szerokosc) const {
    QString t = tekst;
    while (!t.isEmpty() && SzerokoscTekstu(t) > szerokosc)
        t.chop(1);
    return t;
}

void OknoDialogu::UstawKlawiszPrzycisku(int i, quint16 kodBios) {
    klawisze_[i] = kodBios;
}

void OknoDialogu::UstawDomyslny(int i) {
    domyslny_ = i;
    RysujPrzyciski();
}

void OknoDialogu::RysujPrzyciski() {
    for (int i = 0; i < przyciski_.size(); ++i) {
        const BUTTONType& b = przyciski_[i];
        if (b.Widoczny != 1)
            continue;
        BUTTON_Draw(b);
        // The button that Enter presses wears a black frame.
        TRect ramka = b.Rect;
        ramka.Left -= 2;
        ramka.Top -= 2;
        ramka.Right += 2;
        ramka.Bottom += 2;
        ProstokatKasujE(ramka, i == domyslny_ ? KolorCzarny : KolorTlaPrzycisku);
    }
}

void OknoDialogu::Wysrodkuj(QWidget* oknoGlowne) {
    QRect obszar;
    if (oknoGlowne && oknoGlowne->isVisible())
        obszar = oknoGlowne->frameGeometry();
    else if (QScreen* ekran = QGuiApplication::primaryScreen())
        obszar = ekran->availableGeometry();
    if (obszar.isValid())
        move(obszar.center() - QPoint(width() / 2, height() / 2));
}

QWidget* OknoDialogu::Przypnij(QWidget* oknoGlowne) {
    QWidget* otwierajacy = Otwierajacy(oknoGlowne, this);
    // Without a parent the window manager stacks a dialog anywhere, behind
    // a main window that stays on top too.
    if (otwierajacy && !parentWidget())
        setParent(otwierajacy, windowFlags() | Qt::Dialog);
    // A box that no shown window of the program opened (a second start's
    // refusal) would open behind whatever the operator looks at, the
    // running console first: it goes on top of them.
    const bool sam = !parentWidget() || !parentWidget()->isVisible();
    if ((sam || ZawszeNaWierzchu(otwierajacy)) && !ZawszeNaWierzchu(this))
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return otwierajacy;
}

namespace {
// The windows shown while the on-air list is held, the innermost last.
std::vector<OknoDialogu*> oknaTrzymajacych;
}  // namespace

quint16 OknoDialogu::odpowiedzAnuluj() const {
    return anuluj_ >= 0 ? quint16(anuluj_) : quint16(OdpowiedzOpusc);
}

void ZamknijOknaTrzymajacych() {
    for (OknoDialogu* o : oknaTrzymajacych) o->Zamknij(o->odpowiedzAnuluj());
}

quint16 OknoDialogu::PokazModalnie(QWidget* oknoGlowne) {
    // Work giving way to a read asks nothing more before it ends.
    if (OknoUstepuje()) return odpowiedz_ = odpowiedzAnuluj();
    const bool trzyma = ListaTrzymana();
    if (trzyma) oknaTrzymajacych.push_back(this);
    const auto zwolnij = qScopeGuard([this, trzyma] {
        if (trzyma) std::erase(oknaTrzymajacych, this);
    });
    QPointer<QWidget> otwierajacy = Przypnij(oknoGlowne);
    setWindowModality(Qt::ApplicationModal);
    RysujPrzyciski();
    Wysrodkuj(otwierajacy);
    show();
    if (!otwierajacy || !otwierajacy->isVisible())
        raise();
    activateWindow();
    if (!focusWidget())
        setFocus();
    QEventLoop petla;
    petla_ = &petla;
    const StrazPetli straz;
    petla.exec(QEventLoop::DialogExec);
    petla_ = nullptr;
    hide();
    // The keys go back to the window the operator was working in.
    if (otwierajacy && otwierajacy->isVisible())
        otwierajacy->activateWindow();
    return odpowiedz_;
}

void OknoDialogu::PokazBezCzekania(QWidget* oknoGlowne) {
    QWidget* otwierajacy = Przypnij(oknoGlowne);
    RysujPrzyciski();
    Wysrodkuj(otwierajacy);
    show();
}

void OknoDialogu::Zamknij(quint16 odpowiedz) {
    odpowiedz_ = odpowiedz;
    if (petla_)
        petla_->quit();
}

void OknoDialogu::closeEvent(QCloseEvent* event) {
    if (petla_ && anuluj_ >= 0) {
        Zamknij(quint16(anuluj_));
        event->accept();
        return;
    }
    event->ignore();
}

void OknoDialogu::ObsluzZdarzenie() {
    if (Zdarzenie.Rodzaj == ZdarzenieKlawisz) {
        const quint16 k = Zdarzenie.Kod;
        if (k == KodKlawisza(Qt::Key_Return) || k == KodKlawisza(Qt::Key_Enter)) {
            if (domyslny_ >= 0 && przyciski_[domyslny_].Widoczny == 1)
                Wybrano(domyslny_);
            return;
        }
        if (k == KodKlawisza(Qt::Key_Escape)) {
            if (anulujKlawiszem_ && anuluj_ >= 0)
                Zamknij(quint16(anuluj_));
            return;
        }
        for (int i = 0; i < przyciski_.size(); ++i) {
            if (przyciski_[i].Widoczny == 1 && klawisze_[i] != 0 && k == klawisze_[i]) {
                Wybrano(i);
                return;
            }
        }
    }
    for (int i = 0; i < przyciski_.size(); ++i) {
        if (BUTTON_Selected(przyciski_[i])) {
            Wybrano(i);
            return;
        }
    }
}

void OknoDialogu::keyPressEvent(QKeyEvent* event) {
    // Alt+F4 is the close command even where no window manager turns it into
    // one (a kiosk session): the screen lock has no other way out.
    if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::AltModifier) {
        event->accept();
        if (petla_ && anuluj_ >= 0)
            Zamknij(quint16(anuluj_));
        return;
    }
    // Tab and Alt + letter have no key code of the program: they are the
    // window system's ways through a dialog, handled here.
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::NoModifier) {
        for (int n = 1; n <= przyciski_.size(); ++n) {
            const int i = (qMax(domyslny_, 0) + n) % int(przyciski_.size());
            if (przyciski_[i].Widoczny == 1) {
                UstawDomyslny(i);
                break;
            }
        }
        event->accept();
        return;
    }
    if (event->modifiers() == Qt::AltModifier && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
        const QChar litera(QLatin1Char(char('A' + (event->key() - Qt::Key_A))));
        for (int i = 0; i < przyciski_.size(); ++i) {
            if (przyciski_[i].Widoczny == 1 && LiteraTytulu(przyciski_[i].Tytul) == litera) {
                event->accept();
                Wybrano(i);
                return;
            }
        }
    }
    TRForm::keyPressEvent(event);
}

bool OknoDialogu::focusNextPrevChild(bool next) {
    // Tab on the window itself walks its drawn buttons; from a field it
    // moves on as usual.
    if (focusWidget() == nullptr || focusWidget() == this)
        return false;
    return TRForm::focusNextPrevChild(next);
}

// ---- windows with fields ----

namespace {

class OknoTekstu final : public OknoDialogu {
public:
    OknoTekstu(const QString& zacheta, const QString& tekst, int maks, bool haslo,
               const std::function<bool(const QString&)>& przyjmij)
        : OknoDialogu(QStringLiteral("Wpisz"), 400, 130), przyjmij_(przyjmij) {
        PiszxyKolorE(20, 12, zacheta, KolorCzarny);
        pole_ = new QLineEdit(this);
        pole_->setGeometry(20, 38, 360, 24);
        pole_->setMaxLength(maks);
        if (haslo)
            pole_->setEchoMode(QLineEdit::Password);
        pole_->setText(tekst);
        pole_->selectAll();
        UstawDomyslny(DodajPrzycisk(RectWH(100, 85, 90, WysokoscPrzycisku), QStringLiteral("~OK"), OdpowiedzAkceptuj));
        DodajPrzycisk(RectWH(210, 85, 90, WysokoscPrzycisku), QStringLiteral("~Anuluj"), OdpowiedzOpusc);
        UstawAnuluj(OdpowiedzOpusc);
        pole_->setFocus();
    }
    QString Tekst() const { return pole_->text(); }

protected:
    void Wybrano(int i) override {
        if (Przycisk(i).Kod == OdpowiedzAkceptuj && przyjmij_ && !przyjmij_(pole_->text())) {
            pole_->setFocus();
            return;
        }
        OknoDialogu::Wybrano(i);
    }

private:
    QLineEdit* pole_;
    std::function<bool(const QString&)> przyjmij_;
};

}  // namespace

class OknoStanu final : public OknoDialogu {
public:
    OknoStanu(const OpisStanu& opis, int wysokosc)
        : OknoDialogu(QStringLiteral("Stan pracy"), 400, wysokosc), opis_(opis) {
        PiszxyKolorE(20, 12, opis.tekst, KolorCzarny);
        if (opis.wskaznik) {
            Rysuj(1, 0);
            if (opis.dwa)
                Rysuj(2, 0);
        }
        if (opis.przerwij) {
            const int odDolu = opis.dwa ? 25 : 35;
            UstawDomyslny(DodajPrzycisk(RectWH(150, wysokosc - odDolu, 100, WysokoscPrzycisku - 2),
                                        QStringLiteral("~Przerwij"), OdpowiedzOpusc));
        }
    }
    void Rysuj(int wskaznik, int procent) {
        if (!opis_.wskaznik)
            return;
        const TRect r = RectWH(20, wskaznik == 1 ? 38 : 64, 360, 20);
        PoleWklesleE(r, KolorBialy, KolorCzarny, KolorBialy);
        const int w = (r.Right - r.Left - 1) * procent / 100;
        if (w > 0) {
            TRect pasek = r;
            pasek.Left += 1;
            pasek.Top += 1;
            pasek.Right = r.Left + w;
            pasek.Bottom -= 1;
            PoleKolorE(pasek, KolorWskaznika);
        }
        const QString tekst = QString::number(procent) + QStringLiteral(" %");
        PiszxyKolorE((r.Left + r.Right - SzerokoscTekstu(tekst)) / 2, r.Top + 2, tekst,
                     procent >= 50 ? KolorBialy : KolorCzarny);
    }

protected:
    // The abort button asks the running loop to stop; the loop closes us.
    void Wybrano(int) override { StanPrzerwij = true; }

private:
    OpisStanu opis_;
};

// ---- the service ----

void DialogiQt::Komunikat(const QString& tytul, const QString& linia1, const QString& linia2) {
    const QFontMetrics fm(OknoDialogu(tytul, 1, 1).font());
    const int w = SzerokoscOkna(qMax(fm.horizontalAdvance(linia1), fm.horizontalAdvance(linia2)));
    OknoDialogu okno(tytul, w, 130);
    okno.PiszxyKolorE(30, 18, linia1, KolorCzarny);
    okno.PiszxyKolorE(30, 44, linia2, KolorCzarny);
    okno.UstawDomyslny(
        okno.DodajPrzycisk(RectWH((w - 90) / 2, 88, 90, WysokoscPrzycisku), QStringLiteral("~OK"), OdpowiedzAkceptuj));
    okno.UstawAnuluj(OdpowiedzAkceptuj);
    okno.PokazModalnie(oknoGlowne_);
}

void DialogiQt::Blad(const QString& linia1, const QString& linia2) {
    Komunikat(QStringLiteral("Błąd"), linia1, linia2);
}

void DialogiQt::Info(const QString& linia1, const QString& linia2) {
    Komunikat(QStringLiteral("Informacja"), linia1, linia2);
}

quint16 DialogiQt::Tekst(const QString& zacheta, QString& tekst, int maksDlugosc, bool haslo,
                         const std::function<bool(const QString&)>& przyjmij) {
    OknoTekstu okno(zacheta, tekst, maksDlugosc, haslo, przyjmij);
    const quint16 odp = okno.PokazModalnie(oknoGlowne_);
    tekst = okno.Tekst();
    return odp == OdpowiedzAkceptuj ? OdpowiedzAkceptuj : OdpowiedzOpusc;
}

void DialogiQt::StanOtworz(const OpisStanu& opis) {
    StanZamknij();
    const int wysokosc = opis.dwa ? (opis.wskaznik ? 130 : 80) : (opis.wskaznik ? 120 : 100);
    stan_ = new OknoStanu(opis, wysokosc);
    stan_->PokazBezCzekania(oknoGlowne_);
    QCoreApplication::processEvents();
}

void DialogiQt::StanUstaw(int wskaznik, int procent) {
    if (stan_)
        stan_->Rysuj(wskaznik, procent);
}

void DialogiQt::StanZamknij() {
    delete stan_;
    stan_ = nullptr;
}

void DialogiQt::Pompuj() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

quint16 DialogiQt::Decyzja(const QString& linia1, const QString& linia2, int zestaw) {
    QFont f16, f12;
    {
        OknoDialogu wzor(QString(), 1, 1);
        f16 = CzcionkaPunkty(wzor.font(), 16);
        f12 = CzcionkaPunkty(wzor.font(), 12);
    }
    const int w = SzerokoscOkna(
        qMax(QFontMetrics(f16).horizontalAdvance(linia1), QFontMetrics(f12).horizontalAdvance(linia2)));
    OknoDialogu okno(QStringLiteral("Decyzja"), w, 140);
    const QFont zwykla = okno.font();
    okno.setFont(f16);
    okno.PiszxyKolorE(30, 14, linia1, KolorCzarny);
    okno.setFont(f12);
    okno.PiszxyKolorE(30, 50, linia2, KolorCzarny);
    okno.setFont(zwykla);

    struct P {
        const char* tytul;
        quint16 odp;
    };
    QVector<P> przyciski;
    if (zestaw == 4)
        przyciski.push_back({"Tak ~Wsz.", OdpowiedzTakWszystkie});
    przyciski.push_back({"~Tak", OdpowiedzTak});
    przyciski.push_back({"~Nie", OdpowiedzNie});
    if (zestaw == 3 || zestaw == 4)
        przyciski.push_back({"~Anuluj", OdpowiedzOpusc});
    const int szer = 90, odstep = 12;
    int x = (w - int(przyciski.size()) * szer - (int(przyciski.size()) - 1) * odstep) / 2;
    for (const P& p : przyciski) {
        const int i =
            okno.DodajPrzycisk(RectWH(x, 96, szer, WysokoscPrzycisku), QString::fromUtf8(p.tytul), p.odp);
        if ((zestaw == 12 && p.odp == OdpowiedzNie) || (zestaw != 12 && p.odp == OdpowiedzTak))
            okno.UstawDomyslny(i);
        x += szer + odstep;
    }
    // Without a cancel button, leaving the window is the harmless "no".
    okno.UstawAnuluj((zestaw == 3 || zestaw == 4) ? OdpowiedzOpusc : OdpowiedzNie);
    return okno.PokazModalnie(oknoGlowne_);
}

void DialogiQt::Raport(const QString& tytul, const QStringList& linie) {
    OknoDialogu okno(tytul, 640, 440);
    auto* tekst = new QPlainTextEdit(&okno);
    tekst->setReadOnly(true);
    tekst->setLineWrapMode(QPlainTextEdit::NoWrap);
    tekst->setGeometry(10, 10, 620, 380);
    tekst->setPlainText(linie.join(QLatin1Char('\n')));
    okno.UstawDomyslny(
        okno.DodajPrzycisk(RectWH(275, 404, 90, WysokoscPrzycisku), QStringLiteral("~Opuść"), OdpowiedzOpusc));
    okno.UstawAnuluj(OdpowiedzOpusc);
    okno.PokazModalnie(oknoGlowne_);
}

void DialogiQt::BlokadaEkranu() {
    OknoDialogu okno(QString(), 420, 90);
    okno.setWindowFlag(Qt::FramelessWindowHint);
    okno.setWindowOpacity(140.0 / 255.0);
    const QString napis = QStringLiteral("Odblokowanie ekranu - Alt+F4");
    okno.PiszxyKolorE((420 - okno.SzerokoscTekstu(napis)) / 2, 36, napis, KolorCzerwony);
    // Only the close command (Alt+F4) ends the lock; Esc does not.
    okno.UstawAnuluj(OdpowiedzOpusc, false);
    okno.PokazModalnie(oknoGlowne_);
}

quint16 DialogiQt::RDS(QString& tytul, QString& wykonawca, QString& informacja) {
    OknoDialogu okno(QStringLiteral("Komunikaty RDS"), 460, 200);
    const QString etykiety[3] = {QStringLiteral("Tytuł nagrania:"), QStringLiteral("Wykonawca:"),
                                 QStringLiteral("Informacja:")};
    QString* wartosci[3] = {&tytul, &wykonawca, &informacja};
    QLineEdit* pola[3];
    for (int i = 0; i < 3; ++i) {
        okno.PiszxyKolorE(14, 18 + i * 36, etykiety[i], KolorCzarny);
        pola[i] = new QLineEdit(&okno);
        pola[i]->setGeometry(140, 14 + i * 36, 300, 24);
        pola[i]->setText(*wartosci[i]);
    }
    okno.UstawDomyslny(
        okno.DodajPrzycisk(RectWH(60, 155, 100, WysokoscPrzycisku), QStringLiteral("~OK"), OdpowiedzAkceptuj));
    okno.DodajPrzycisk(RectWH(180, 155, 100, WysokoscPrzycisku), QStringLiteral("~Kasuj RDS"), OdpowiedzNie);
    okno.DodajPrzycisk(RectWH(300, 155, 100, WysokoscPrzycisku), QStringLiteral("~Anuluj"), OdpowiedzOpusc);
    okno.UstawAnuluj(OdpowiedzOpusc);
    pola[0]->setFocus();
    const quint16 odp = okno.PokazModalnie(oknoGlowne_);
    if (odp == OdpowiedzAkceptuj)
        for (int i = 0; i < 3; ++i)
            *wartosci[i] = pola[i]->text();
    return odp;
}

qint32 DialogiQt::Kod() {
    struct R {
        const char* tytul;
        qint32 rodzaj;
        int klawisz;
        const char* nazwa;
    };
    static const R rodzaje[] = {
        {"Nagranie", 1, Qt::Key_F7, "F7"},   {"Info", 2, Qt::Key_F1, "F1"},       {"Break", 3, Qt::Key_F2, "F2"},
        {"Alarm", 4, Qt::Key_F3, "F3"},      {"Reklama", 5, Qt::Key_F4, "F4"},    {"Dzwięk DJ", 6, Qt::Key_F5, "F5"},
        {"Reklama o", 7, Qt::Key_F6, "F6"},  {"Jingiel", 8, Qt::Key_F8, "F8"},    {"Promos", 9, Qt::Key_F10, "F10"},
        {"Sponsor", 10, Qt::Key_F11, "F11"}, {"Audycja", 11, Qt::Key_F12, "F12"}, {"Whisper", 12, Qt::Key_F9, "F9"},
    };
    OknoDialogu okno(QStringLiteral("Kod pozycji playlisty"), 360, 270);
    for (int i = 0; i < 12; ++i) {
        const int x = (i % 2) * 175 + 10, y = (i / 2) * 34 + 12;
        okno.PiszxyKolorE(x, y + 5, QString::fromLatin1(rodzaje[i].nazwa), KolorCzarny);
        const int p = okno.DodajPrzycisk(RectWH(x + 36, y, 120, WysokoscPrzycisku),
                                         QString::fromUtf8(rodzaje[i].tytul), quint16(rodzaje[i].rodzaj));
        okno.UstawKlawiszPrzycisku(p, KodKlawisza(rodzaje[i].klawisz));
    }
    okno.UstawDomyslny(
        okno.DodajPrzycisk(RectWH(130, 226, 100, WysokoscPrzycisku), QStringLiteral("~Opuść"), 0));
    okno.UstawAnuluj(0);
    return okno.PokazModalnie(oknoGlowne_);
}

namespace {

class OknoCzasu final : public OknoDialogu {
public:
    OknoCzasu(const QString& tytul, bool do24) : OknoDialogu(tytul, 420, 250), model_(do24) {
        for (int g = 0; g < 4; ++g) {
            for (int c = 0; c < 10; ++c) {
                if (g == 2 && c > 5)
                    break;
                const int mnoznik = (g == 0 || g == 2) ? 10 : 1;
                const int i = DodajPrzycisk(RectWH(10 + c * 40, 12 + g * 34, 36, WysokoscPrzycisku),
                                            QString::number(c * mnoznik), quint16(1000 + g * 10 + c));
                BUTTON_SetVisible(Przycisk(i), model_.Widoczny(g, c));
            }
        }
        UstawDomyslny(DodajPrzycisk(RectWH(190, 204, 90, WysokoscPrzycisku), QStringLiteral("~OK"), OdpowiedzAkceptuj));
        DodajPrzycisk(RectWH(300, 204, 90, WysokoscPrzycisku), QStringLiteral("~Anuluj"), OdpowiedzOpusc);
        UstawAnuluj(OdpowiedzOpusc);
        Odswiez();
    }
    QString Tekst() const { return model_.Tekst(); }

protected:
    void Wybrano(int i) override {
        const quint16 kod = Przycisk(i).Kod;
        if (kod < 1000) {
            OknoDialogu::Wybrano(i);
            return;
        }
        model_.Nacisnij((kod - 1000) / 10, (kod - 1000) % 10);
        Odswiez();
    }

private:
    void Odswiez() {
        for (int i = 0; i < LiczbaPrzyciskow(); ++i) {
            const quint16 kod = Przycisk(i).Kod;
            if (kod >= 1000)
                BUTTON_SetState(Przycisk(i), model_.Cyfra((kod - 1000) / 10) == (kod - 1000) % 10);
        }
        RysujPrzyciski();
        PiszxyKolorE(14, 208, QStringLiteral("HH:MM"), KolorCzarny);
        PiszPoleWklesleCentrE(RectWH(70, 202, 90, 28), KolorCzarny, model_.Tekst(), KolorCzarny, KolorBialy);
    }

    ModelCzasu model_;
};

}  // namespace

quint16 DialogiQt::Czas(const QString& tytul, bool do24, QString& hhmm) {
    OknoCzasu okno(tytul, do24);
    const quint16 odp = okno.PokazModalnie(oknoGlowne_);
    if (odp == OdpowiedzAkceptuj)
        hhmm = okno.Tekst();
    return odp == OdpowiedzAkceptuj ? OdpowiedzAkceptuj : OdpowiedzOpusc;
}

// ---- timed airing decision ----

OknoDecyzjiCzas::OknoDecyzjiCzas(const QString& linia, const QString& tytul, const QString& trwa, int zestaw,
                                 StanDecyzjiCzas& stan)
    : OknoDialogu(QStringLiteral("Decyzja o emisji"), 420, 200), stan_(stan) {
    // Linia1Label, TytulEdit, TrwaLabel and CzasLabel.
    PiszxyKolorE(20, 12, linia, KolorCzarny);
    tytul_ = new QLineEdit(this);
    tytul_->setGeometry(20, 36, 380, 24);
    tytul_->setReadOnly(true);
    tytul_->setFocusPolicy(Qt::NoFocus);
    tytul_->setText(tytul);
    PiszxyKolorE(20, 76, QStringLiteral("Czas trwania:"), KolorCzarny);
    PiszPoleWklesleCentrE(RectWH(20, 96, 170, 28), KolorBialy, trwa, KolorCzarny, KolorBialy);
    PiszxyKolorE(230, 76, QStringLiteral("Koniec emisji:"), KolorCzarny);
    RysujKoniec(KoniecEmisjiTekst(stan.CzasMs()));

    if (zestaw != 3 && zestaw != 4)
        zestaw = 2;
    struct P {
        const char* tytul;
        quint16 odp;
    };
    QVector<P> przyciski;
    if (zestaw != 4) {
        przyciski.push_back({"~Tak", OdpowiedzTak});
        przyciski.push_back({"~Nie", OdpowiedzNie});
    }
    if (zestaw == 3)
        przyciski.push_back({"~Opuść", OdpowiedzOpusc});
    const int szer = 90, odstep = 12;
    int x = (420 - int(przyciski.size()) * szer - (int(przyciski.size()) - 1) * odstep) / 2;
    for (const P& p : przyciski) {
        const int i = DodajPrzycisk(RectWH(x, 150, szer, WysokoscPrzycisku), QString::fromUtf8(p.tytul), p.odp);
        if (p.odp == OdpowiedzTak)
            UstawDomyslny(i);
        x += szer + odstep;
    }
    // Leaving is always possible, even with no buttons and the desk inputs
    // off or dead: an operator is never locked in front of a modal window.
    UstawAnuluj(OdpowiedzOpusc);

    timer_ = new QTimer(this);
    timer_->setInterval(50);
    QObject::connect(timer_, &QTimer::timeout, this, [this] { Tik(); });
}

QString OknoDecyzjiCzas::Tytul() const {
    return tytul_->text();
}

void OknoDecyzjiCzas::RysujKoniec(const QString& tekst) {
    koniec_ = tekst;
    PiszPoleWklesleCentrE(RectWH(230, 96, 170, 28), KolorBialy, tekst, KolorCzarny, KolorBialy);
}

void OknoDecyzjiCzas::Tik() {
    const bool odpowiedz = stan_.Tik();
    if (stan_.KoniecZmieniony() && stan_.Koniec() != koniec_)
        RysujKoniec(stan_.Koniec());
    if (odpowiedz)
        Zamknij(OdpowiedzTak);
}

void OknoDecyzjiCzas::showEvent(QShowEvent* event) {
    timer_->start();
    OknoDialogu::showEvent(event);
}

void OknoDecyzjiCzas::hideEvent(QHideEvent* event) {
    timer_->stop();
    OknoDialogu::hideEvent(event);
}

quint16 DialogiQt::DecyzjaCzas(const QString& linia, const QString& tytul, const QString& trwa, int zestaw,
                               StanDecyzjiCzas& stan) {
    OknoDecyzjiCzas okno(linia, tytul, trwa, zestaw, stan);
    return okno.PokazModalnie(oknoGlowne_);
}

namespace {

// Qt's picker writes its dates in the system locale ("7 Dec 2026" on a
// machine without one); the program writes every date one way.
class DatyKatalogow final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& i, int rola) const override {
        const auto* pliki = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (pliki && i.column() == 3 && rola == Qt::DisplayRole)
            return pliki->lastModified(mapToSource(i)).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        return QIdentityProxyModel::data(i, rola);
    }
};

}  // namespace

bool DialogiQt::WybierzKatalog(const QString& tytul, QString& katalog) {
    const QString start = katalog.isEmpty() ? QString() : platform::resolvePath(katalog);
    // Qt's own dialog (it speaks the program's language), in front of the
    // window that asked, on top with it.
    QWidget* otwierajacy = Otwierajacy(oknoGlowne_, nullptr);
    QFileDialog okno(otwierajacy, tytul, start);
    okno.setFileMode(QFileDialog::Directory);
    okno.setOption(QFileDialog::ShowDirsOnly);
    okno.setOption(QFileDialog::DontUseNativeDialog);
    okno.setProxyModel(new DatyKatalogow(&okno));
    // Qt sizes the date column for a shorter date of its own: ours, with the
    // cell's margins, would be cut in the middle.
    if (auto* drzewo = okno.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        const QFontMetrics fm = drzewo->fontMetrics();
        const int margines = 2 * (drzewo->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, drzewo) + 1);
        QHeaderView* naglowek = drzewo->header();
        naglowek->resizeSection(3, qMax(naglowek->sectionSizeHint(3),
                                        fm.horizontalAdvance(QStringLiteral("0000-00-00 00:00 ")) + margines));
    }
    if (ZawszeNaWierzchu(otwierajacy)) okno.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const bool wybrano = okno.exec() == QDialog::Accepted && !okno.selectedFiles().isEmpty();
    if (otwierajacy && otwierajacy->isVisible()) otwierajacy->activateWindow();
    const QString wybrany = wybrano ? okno.selectedFiles().constFirst() : QString();
    if (wybrany.isEmpty()) return false;
    katalog = platform::storedPath(wybrany);
    return true;
}

quint16 DialogiCiche::Tekst(const QString&, QString&, int, bool, const std::function<bool(const QString&)>&) {
    return OdpowiedzOpusc;
}
quint16 DialogiCiche::Decyzja(const QString&, const QString&, int) { return OdpowiedzOpusc; }
quint16 DialogiCiche::RDS(QString&, QString&, QString&) { return OdpowiedzOpusc; }
quint16 DialogiCiche::Czas(const QString&, bool, QString&) { return OdpowiedzOpusc; }
quint16 DialogiCiche::DecyzjaCzas(const QString&, const QString&, const QString&, int, StanDecyzjiCzas&) {
    return OdpowiedzOpusc;
}
