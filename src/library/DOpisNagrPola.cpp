// The description editor's fields: the record's texts into the fields and
// back, the recording's facts, and the typed intro, outro and mix lengths.
#include "library/DOpisNagr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "foundation/Text.h"
#include "library/DOpisNagrWewn.h"
#include "library/SlownikiOpisu.h"

using namespace Qt::StringLiterals;
using namespace opis_nagr;

QWidget* TDlgOpisNagr::Pole(QString O::* pole) const {
    for (size_t i = 0; i < std::size(PolaEdytora); ++i)
        if (PolaEdytora[i].pole == pole)
            return pola_[i];
    return nullptr;
}

QString TDlgOpisNagr::TekstPola(QString O::* pole) const {
    QWidget* w = Pole(pole);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    return QString();
}

void TDlgOpisNagr::UstawTekstPola(QString O::* pole, const QString& tekst) {
    QWidget* w = Pole(pole);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(tekst);
    else if (auto* c = qobject_cast<QComboBox*>(w))
        c->setCurrentText(tekst);
}

void TDlgOpisNagr::WypelnijOpisy() {
    const OpisNagraniaTyp& o = OpisNagrania;
    for (const PoleEdytora& p : PolaEdytora) {
        if (p.rodzaj == RodzajPola::Era) {
            auto* c = static_cast<QComboBox*>(Pole(p.pole));
            c->clear();
            c->addItems(SlownikEra());
        }
        UstawTekstPola(p.pole, p.pole == &O::Tyt && o.Tyt == BrakOpisu ? QString() : o.*p.pole);
    }
    bool ok = false;
    const int pty = o.PTY.trimmed().toInt(&ok);
    PTYComboBox->setCurrentIndex(ok && pty >= 0 && pty < SlownikPTY.size() ? pty : -1);
    ZaakceptowanyCheckBox->setChecked(o.Zaa == u"1"_s);
}

void TDlgOpisNagr::WypelnijInformacje() {
    const SygnalType& s = s_;
    QString typ = u"nieznany"_s;
    if (s.Rodzaj == RodzajWAV)
        typ = u"liniowy PCM    "_s + padLeft(QString::number(s.Bity), 2) + u" bitów"_s;
    else if (s.Rodzaj == RodzajMPEG || s.Rodzaj == RodzajMP3)
        typ = (s.Rodzaj == RodzajMPEG ? u"kompresja MPEG-2,    "_s : u"kompresja MPEG-3,    "_s) +
              padLeft(QString::number(s.Przeplywnosc), 3) + u"kB/s"_s;
    TypInfo->setText(typ);
    ProbkowanieInfo->setText(padLeft(QString::number(s.Probkowanie), 5) + u" Hz"_s);
    TrybInfo->setText(s.Kanaly == 1 ? u"mono"_s : u"stereo"_s);
    AdresInfo->setText(s.Adres);
    const qint64 sek = std::max(s.Tot, 0) / 1000;
    CzasInfo->setText(QString::number(sek / 60) + u'm' + QString::number(sek % 60) + u's');
}

void TDlgOpisNagr::ZastosujPolaCzasu() {
    ZnacznikiOpisu& m = m_;
    qint64 s = 0;
    if (IntroEdit->isModified() && LiczbaPola(IntroEdit->text(), s))
        m.Int = qint32(s * 1000 + m.NwP);
    if (OutroEdit->isModified() && LiczbaPola(OutroEdit->text(), s))
        m.Out = qint32(m.NwK - s * 1000);
    if (MixEdit->isModified()) {
        if (MixEdit->text().trimmed().isEmpty())
            m.Mik = m.Mix = -1;
        else if (LiczbaPola(MixEdit->text(), s))
            m.Mik = qint32(m.NwK - s * 1000);
    }
    for (QLineEdit* e : {IntroEdit, OutroEdit, MixEdit})
        e->setModified(false);
    Zmiana();
}
