// The settings dialog driven as the technician drives it: controls shown from
// the variables, changed, accepted or left, and the whole file saved.
#include "NastawyRig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "foundation/Zdarzenie.h"
#include "platform/Cp1250.h"
#include "settings/TDlgNastawy.h"

namespace {

class DlgNastawyTest : public NastawyRig {
protected:
    void SetUp() override {
        NastawyRig::SetUp();
        ASSERT_TRUE(ZapiszKonfiguracje(KonfiguracjaZbior));
        plik_ = Zbior();
        dlg_ = std::make_unique<TDlgNastawy>(QStringList{QStringLiteral("Karta 1"), QStringLiteral("Karta 2")},
                                             QStringList{QStringLiteral("Mikrofon"), QStringLiteral("Linia"),
                                                         QStringLiteral("Satelita")});
    }

    template <class T>
    T* W(const QString& nazwa) {
        T* w = dlg_->findChild<T*>(nazwa);
        EXPECT_NE(w, nullptr) << nazwa.toStdString();
        return w;
    }
    // Text typed into a field over what it held.
    void Wpisz(const QString& pole, const QString& tekst) {
        QLineEdit* e = W<QLineEdit>(pole);
        e->selectAll();
        QTest::keyClicks(e, tekst);
    }
    void Akceptuj() { QTest::mouseClick(dlg_->AkceptujButton, Qt::LeftButton); }

    std::unique_ptr<TDlgNastawy> dlg_;
    QByteArray plik_;
};

// Values that no control can show as they are: numbers beyond every range,
// a database that is not there, an output no device has, texts longer
// than their fields.
QString Dziwna(const OpisKlucza& k, int i) {
    static const QMap<QString, QString> wlasne{
        {QStringLiteral("Id"), QStringLiteral("Operator o długiej nazwie")},
        {QStringLiteral("BazaZbior"), QStringLiteral("NIE_MA")},
        {QStringLiteral("BazaTypy"), QStringLiteral(".MP2")},
        {QStringLiteral("WgrajDJPoziomdB"), QStringLiteral("95")},
        {QStringLiteral("Kanal1Nazwa"), QStringLiteral("Karta spoza listy")},
        {QStringLiteral("Kanal2Nazwa"), QStringLiteral("Karta 2")},
        {QStringLiteral("DyskOstatni"), QStringLiteral("XY")},
    };
    if (wlasne.contains(k.klucz)) return wlasne[k.klucz];
    if (k.jako<bool>()) return QString::number(i % 2);
    if (k.jako<quint8>()) return QStringLiteral("250");
    if (k.jako<qint32>())
        return QString::number(k.maksimum == std::numeric_limits<qint32>::max() ? 123456 : k.maksimum + 1000);
    return QStringLiteral("Wartość ") + k.klucz;
}

TEST_F(DlgNastawyTest, AnUntouchedAcceptChangesNoVariableWhateverItHolds) {
    int wlasne = 0;
    for (const PowiazanieNastawy& p : PowiazaniaNastaw()) {
        if (!p.sekcja) {
            ++wlasne;
            continue;
        }
        EXPECT_NE(KluczPowiazania(p), nullptr) << p.strona.toStdString() << " / " << p.klucz.toStdString()
                                               << ": no such key of this type in " << p.sekcja().nazwa.toStdString();
    }
    EXPECT_EQ(wlasne, 6) << "three run-only controls and the three warnings";

    UstawWszystkie(Dziwna);
    const QMap<QString, QString> przed = Migawka();
    dlg_->FormShow();
    Akceptuj();
    const QMap<QString, QString> po = Migawka();
    for (const PowiazanieNastawy& p : PowiazaniaNastaw()) {
        if (!p.sekcja) continue;
        const QString klucz = p.sekcja().nazwa + QLatin1Char('/') + p.klucz;
        EXPECT_EQ(po.value(klucz), przed.value(klucz)) << klucz.toStdString();
    }
    EXPECT_EQ(po, przed);
    EXPECT_EQ(Zbior(), plik_) << "the save box was not ticked";
}

TEST_F(DlgNastawyTest, TrackBarsAndTheirNumberFields) {
    Emisja.CzasCross = 3000;
    Emisja.PoziomStop = 3000;  // 30 dB
    Emisja.CzasStop = 8000;    // beyond its bar
    dlg_->FormShow();
    QSlider* pasek = W<QSlider>(QStringLiteral("CzasCross"));
    QLineEdit* pole = W<QLineEdit>(QStringLiteral("CzasCrossPole"));
    EXPECT_EQ(pasek->value(), 3000);
    EXPECT_EQ(W<QLineEdit>(QStringLiteral("CzasStopPole"))->text(), QStringLiteral("8000"));
    EXPECT_EQ(W<QLineEdit>(QStringLiteral("PoziomStopPole"))->text(), QStringLiteral("30"));

    // A typed number counts when the field is left (Enter here): "6000" is
    // out of the bar's range whole, never "600" on its way there.
    struct Wpis {
        const char* tekst;
        const char* pole;
        int pasek;
    };
    for (const Wpis& w : {Wpis{"1234", "1234", 1234}, Wpis{"6000", "1230", 1234}, Wpis{"12a", "1230", 1234},
                          Wpis{"4990", "4990", 4990}}) {
        const int przed = pasek->value();
        Wpisz(QStringLiteral("CzasCrossPole"), QString::fromLatin1(w.tekst));
        EXPECT_EQ(pasek->value(), przed) << "nothing moves while typing";
        QTest::keyClick(pole, Qt::Key_Return);
        EXPECT_EQ(pole->text(), QString::fromLatin1(w.pole)) << w.tekst;
        EXPECT_EQ(pasek->value(), w.pasek) << w.tekst;
    }
    pasek->setValue(2345);  // dragged
    EXPECT_EQ(pole->text(), QStringLiteral("2340")) << "rounded down to 10 ms";
    Wpisz(QStringLiteral("CzasCrossPole"), QStringLiteral("600"));
    W<QSlider>(QStringLiteral("PoziomStop"))->setValue(45);
    EXPECT_EQ(W<QLineEdit>(QStringLiteral("PoziomStopPole"))->text(), QStringLiteral("45")) << "dB bars are not rounded";
    W<QSlider>(QStringLiteral("WgrajDJPoziomdB"))->setValue(77);
    Wpisz(QStringLiteral("KaczkaPoziomdBPole"), QStringLiteral("90"));
    Wpisz(QStringLiteral("KaczkaWejscieMSPole"), QStringLiteral("2000"));
    Akceptuj();
    EXPECT_EQ(Wgrywanie.KaczkaPoziomdB, 90);
    EXPECT_EQ(Wgrywanie.KaczkaWejscieMS, 2000);
    EXPECT_EQ(Emisja.CzasCross, 600) << "typed and accepted without leaving the field";
    EXPECT_EQ(Emisja.PoziomStop, 4500);
    EXPECT_EQ(Emisja.CzasStop, 8000) << "untouched";
    EXPECT_EQ(Wgrywanie.WgrajDJPoziomdB, QStringLiteral("77"));
}

TEST_F(DlgNastawyTest, DatabaseTypesAndFile) {
    struct Przypadek {
        bool wav, mp2, mp3;
        const char* typy;
    };
    for (const Przypadek& p : {Przypadek{true, false, true, ".WAV:.MP3"}, Przypadek{true, false, false, ".WAV"},
                               Przypadek{false, true, false, ".MP2"}, Przypadek{true, true, true, ".WAV:.MP2:.MP3"},
                               Przypadek{false, false, false, ".WAV"}}) {
        BazaNagran.BazaTypy = QStringLiteral(".MP3");
        dlg_->FormShow();
        W<QCheckBox>(QStringLiteral("BazaTypyWAV"))->setChecked(p.wav);
        W<QCheckBox>(QStringLiteral("BazaTypyMP2"))->setChecked(p.mp2);
        W<QCheckBox>(QStringLiteral("BazaTypyMP3"))->setChecked(p.mp3);
        Akceptuj();
        EXPECT_EQ(BazaNagran.BazaTypy, QString::fromLatin1(p.typy)) << p.wav << p.mp2 << p.mp3;
    }

    BazaNagran.BazaZbior = QStringLiteral("c:\\bazy\\Stara.baz");
    dlg_->FormShow();
    EXPECT_EQ(W<QLineEdit>(QStringLiteral("BazaZbiorKatalog"))->text(), QStringLiteral("C:\\BAZY"));
    EXPECT_EQ(W<QLineEdit>(QStringLiteral("BazaZbiorNazwa"))->text(), QStringLiteral("STARA"));
    for (const char* katalog : {"C:\\BAZY\\", "C:\\BAZY"}) {
        dlg_->FormShow();
        W<QLineEdit>(QStringLiteral("BazaZbiorKatalog"))->setText(QString::fromLatin1(katalog));
        W<QLineEdit>(QStringLiteral("BazaZbiorNazwa"))->setText(QStringLiteral("NOWA"));
        Akceptuj();
        EXPECT_EQ(BazaNagran.BazaZbior, QStringLiteral("C:\\BAZY\\NOWA.BAZ")) << katalog;
    }
    BazaNagran.BazaZbior = QStringLiteral("NIE_MA");
    dlg_->FormShow();
    W<QLineEdit>(QStringLiteral("BazaZbiorNazwa"))->setText(QStringLiteral("NOWA"));
    Akceptuj();
    EXPECT_EQ(BazaNagran.BazaZbior, QStringLiteral("NOWA.BAZ")) << "no folder: no separator in front";
}

TEST_F(DlgNastawyTest, DevicesRadioButtonsAndTheXPMode) {
    Emisja.CzyPlayerZgodnoscWinXP = false;
    Emisja.Kanal1Nazwa = QStringLiteral("Karta 2");
    Emisja.Kanal3Nazwa = QStringLiteral("Karta spoza listy");
    Wgrywanie.WgrajWejcieNr = 1;
    Nastawy.ModulStart = 2;
    Katalogi.Sortowanie = 3;
    dlg_->FormShow();
    QComboBox* wyjscie1 = W<QComboBox>(QStringLiteral("Kanal1Nazwa"));
    ASSERT_EQ(wyjscie1->count(), 2);
    EXPECT_EQ(wyjscie1->currentText(), QStringLiteral("Karta 2"));
    EXPECT_EQ(W<QComboBox>(QStringLiteral("Kanal3Nazwa"))->currentIndex(), -1);
    QComboBox* wejscie = W<QComboBox>(QStringLiteral("WgrajWejcieNr"));
    EXPECT_EQ(wejscie->count(), 3);
    EXPECT_EQ(wejscie->currentText(), QStringLiteral("Linia"));
    EXPECT_TRUE(W<QRadioButton>(QStringLiteral("ModulStart2"))->isChecked());
    EXPECT_TRUE(W<QRadioButton>(QStringLiteral("Sortowanie3"))->isChecked());
    EXPECT_FALSE(W<QGroupBox>(QStringLiteral("Wyjścia audio"))->isHidden());
    EXPECT_TRUE(dlg_->XPLabel1->isHidden());

    wyjscie1->setCurrentIndex(0);
    wejscie->setCurrentIndex(2);
    W<QRadioButton>(QStringLiteral("ModulStart0"))->click();
    W<QRadioButton>(QStringLiteral("Sortowanie4"))->click();
    Akceptuj();
    EXPECT_EQ(Emisja.Kanal1Nazwa, QStringLiteral("Karta 1"));
    EXPECT_EQ(Emisja.Kanal3Nazwa, QStringLiteral("Karta spoza listy"));
    EXPECT_EQ(Wgrywanie.WgrajWejcieNr, 2);
    EXPECT_EQ(Nastawy.ModulStart, 0);
    EXPECT_EQ(Katalogi.Sortowanie, 4);
    Wgrywanie.WgrajWejcieNr = 3;  // past the list: the recorder's input, the first
    dlg_->FormShow();
    EXPECT_EQ(wejscie->currentText(), QStringLiteral("Mikrofon"));

    Emisja.CzyPlayerZgodnoscWinXP = true;
    dlg_->FormShow();
    EXPECT_TRUE(W<QGroupBox>(QStringLiteral("Wyjścia audio"))->isHidden());
    EXPECT_FALSE(dlg_->XPLabel1->isHidden());
    EXPECT_EQ(dlg_->XPLabel2->text(), QStringLiteral("W celu zmiany trybu, w INI wpis: CzyPlayerZgodnoscWinXP=0"));
}

TEST_F(DlgNastawyTest, AnActivePasswordMayNotBeBlank) {
    Nastawy.HasloINIJest = false;
    dlg_->FormShow();
    W<QCheckBox>(QStringLiteral("HasloINIJest"))->setChecked(true);
    W<QLineEdit>(QStringLiteral("HasloINITekst"))->setText(QStringLiteral("   "));
    Akceptuj();
    EXPECT_EQ(dialogi_.Zapisy(RodzajDialogu::Info).value(0).teksty.value(0), QStringLiteral("Hasło nie może być puste"));
    EXPECT_FALSE(Nastawy.HasloINIJest) << "nothing copied, the dialog stays";
}

TEST_F(DlgNastawyTest, FolderButtonsAskThePickerWithTheirTitles) {
    Katalogi.KatOpis[2] = QStringLiteral("JINGLE");
    dlg_->FormShow();
    dialogi_.OdpowiedzKatalog(QStringLiteral("D:\\HST"));
    QTest::mouseClick(W<QWidget>(QStringLiteral("KatHSTPrzycisk")), Qt::LeftButton);
    EXPECT_EQ(W<QLineEdit>(QStringLiteral("KatHST"))->text(), QStringLiteral("D:\\HST"));
    // The catalogue buttons' titles carry the name as the field shows it now.
    W<QLineEdit>(QStringLiteral("KatOpis3"))->setText(QStringLiteral("DŻINGLE"));
    dialogi_.OdpowiedzKatalog(QString(), OdpowiedzOpusc);
    QTest::mouseClick(W<QWidget>(QStringLiteral("KatAdres3Przycisk")), Qt::LeftButton);
    dialogi_.OdpowiedzKatalog(QStringLiteral("E:\\BAZY"));
    QTest::mouseClick(W<QWidget>(QStringLiteral("BazaZbiorKatalogPrzycisk")), Qt::LeftButton);

    const auto zapisy = dialogi_.Zapisy(RodzajDialogu::Katalog);
    ASSERT_EQ(zapisy.size(), 3);
    EXPECT_EQ(zapisy[0].teksty, (QStringList{QStringLiteral("Folder zbiorów dokumentacji emisji"), KatalogStartowy}));
    EXPECT_EQ(zapisy[1].teksty.at(0), QStringLiteral("Folder wybierany przyciskiem [DŻINGLE]"));
    EXPECT_EQ(zapisy[2].teksty.at(0), QStringLiteral("Lokalizacja zbioru bazy nagrań:"));
    EXPECT_EQ(W<QLineEdit>(QStringLiteral("KatAdres3"))->text(), KatalogDomyslny()) << "nothing chosen";
    Akceptuj();
    EXPECT_EQ(Emisja.KatHST, QStringLiteral("D:\\HST"));
    EXPECT_EQ(Katalogi.KatOpis[2], QStringLiteral("DŻINGLE"));
    EXPECT_EQ(Katalogi.KatAdres[2], KatalogDomyslny());
    EXPECT_EQ(BazaNagran.BazaZbior, QStringLiteral("E:\\BAZY\\BAZA.BAZ"));
    EXPECT_TRUE(dialogi_.Bledy().isEmpty()) << dialogi_.Bledy().join(u'\n').toStdString();
}

TEST_F(DlgNastawyTest, LeavingCopiesNothingAndAcceptingWithoutTheBoxKeepsTheFile) {
    Wgrywanie.WgrajWejcieNr = 3;  // no fourth input: showing must not change it
    const QMap<QString, QString> przed = Migawka();
    dlg_->show();
    dlg_->FormShow();
    W<QCheckBox>(QStringLiteral("CzyHST"))->toggle();
    W<QLineEdit>(QStringLiteral("Id"))->setText(QStringLiteral("Inny"));
    W<QComboBox>(QStringLiteral("WgrajWejcieNr"))->setCurrentIndex(0);
    W<QSpinBox>(QStringLiteral("Numer"))->setValue(7);
    W<QCheckBox>(QStringLiteral("PytanieOListeSynch"))->setChecked(true);
    QTest::mouseClick(dlg_->OpuscButton, Qt::LeftButton);
    EXPECT_EQ(dlg_->result(), 2);
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieKomenda);
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzOpusc);
    EXPECT_EQ(Migawka(), przed);
    EXPECT_TRUE(dialogi_.Zapisy(RodzajDialogu::Stan).isEmpty());

    // Accepting without the box: the variables change for the run, the file stays.
    dlg_->ZapisCheckBox->setChecked(false);
    dlg_->FormShow();
    EXPECT_TRUE(W<QCheckBox>(QStringLiteral("PytanieOListeSynch"))->isChecked()) << "kept for the run";
    W<QLineEdit>(QStringLiteral("Id"))->setText(QStringLiteral("Operator spoza limitu"));
    W<QSpinBox>(QStringLiteral("Numer"))->setValue(7);
    Akceptuj();
    EXPECT_EQ(dlg_->result(), QDialog::Accepted);
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzAkceptuj);
    EXPECT_EQ(Nastawy.Id, QStringLiteral("Operator spoza ")) << "cut to 15 characters";
    EXPECT_EQ(Nastawy.Numer, 7);
    EXPECT_EQ(Wgrywanie.WgrajWejcieNr, 3);
    const auto stan = dialogi_.Zapisy(RodzajDialogu::Stan);
    ASSERT_EQ(stan.size(), 1);
    EXPECT_EQ(stan[0].teksty.at(0), QStringLiteral("Zapis konfiguracji programu do zbioru TOLVANE.INI"));
    EXPECT_EQ(stan[0].liczba, 0) << "no gauge, no button";
    EXPECT_FALSE(dialogi_.StanWidoczny());
    EXPECT_EQ(Zbior(), plik_);
}

TEST_F(DlgNastawyTest, TheSaveWritesEverySectionInItsOrderAndReadsBackEqual) {
    // A station's file with its sections in another order and the desk flags
    // that no control sets.
    QStringList stary{QStringLiteral("[Satelita]"), QStringLiteral("SatTrybJest=1"), QStringLiteral("[Emisja MIX]"),
                      QStringLiteral("StolSterowanie=1"), QStringLiteral("CzyTestPRG=1"),
                      QStringLiteral("[Nastawy programu]"), QStringLiteral("Numer=4"),
                      QStringLiteral("[Nazwa programu]"), QStringLiteral("Nazwa=Tolvane")};
    QByteArray bajty;
    for (const QString& l : stary) bajty += platform::toCp1250(l) + "\r\n";
    folder_.write(QStringLiteral("drives/c/TOLVANE/TOLVANE.INI"), bajty);
    const QString plik = platform::resolvePath(KonfiguracjaZbior);
    QFile::setPermissions(plik, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    ASSERT_TRUE(CzytajKonfiguracje({KonfiguracjaZbior}));
    ASSERT_TRUE(Emisja.StolSterowanie);
    EXPECT_EQ(Nastawy.Numer, 4);
    UstawWszystkie([](const OpisKlucza& k, int) { return Niedomyslna(k); });
    Emisja.StolSterowanie = true;
    const QMap<QString, QString> przed = Migawka();

    dlg_->ZapisCheckBox->setChecked(true);
    dlg_->FormShow();
    Akceptuj();
    EXPECT_TRUE(dlg_->ZapisCheckBox->isChecked()) << "the box keeps its state";

    EXPECT_EQ(QFile::permissions(plik) & 0x0FFF, QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup)
        << "the saved file keeps the old one's permissions";
    const QByteArray zapisany = Zbior();
    ASSERT_TRUE(zapisany.startsWith("; " + QByteArray(79, '#') + "\r\n"));
    EXPECT_EQ(zapisany.count("\n"), zapisany.count("\r\n")) << "CR LF only";
    EXPECT_TRUE(zapisany.contains("\r\nId=\xA3\xF3" "d\x9F\r\n")) << "Windows-1250";
    QStringList naglowki;
    for (const QString& l : platform::fromCp1250(zapisany).split(QStringLiteral("\r\n")))
        if (l.startsWith(QLatin1Char('['))) naglowki << l;
    EXPECT_EQ(naglowki, (QStringList{QStringLiteral("[Nazwa programu]"), QStringLiteral("[Nastawy programu]"),
                                     QStringLiteral("[Katalogi]"), QStringLiteral("[Emisja MIX]"),
                                     QStringLiteral("[Wgrywanie]"), QStringLiteral("[Baza nagran]"),
                                     QStringLiteral("[Satelita]")}));
    EXPECT_TRUE(zapisany.contains("\r\nStolSterowanie=1\r\n"));
    EXPECT_TRUE(zapisany.contains("\r\nCzyTestPRG=1\r\n"));

    DomyslneKonfiguracji();
    ASSERT_TRUE(CzytajKonfiguracje({KonfiguracjaZbior}));
    const QMap<QString, QString> po = Migawka();
    for (auto it = przed.begin(); it != przed.end(); ++it)
        EXPECT_EQ(po.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_TRUE(Emisja.StolSterowanie);
}

}  // namespace
