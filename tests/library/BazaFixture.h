#pragma once
// A fresh database for each test: empty table, default settings, a temporary
// program folder with drive D, a manual clock and the scripted dialogs.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <memory>

#include "common/TempFolder.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestSter2.h"
#include "foundation/UslugaDialogow.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DKatalogNastawy.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"

// A dialog service whose pumps call the test, as the program's timers run
// while a progress dialog pumps events (the argument counts the pumps from
// 1). Every question is answered yes; reports are kept.
class DialogiZPompowaniem final : public DialogiCiche {
public:
    explicit DialogiZPompowaniem(std::function<void(int)> przyPompowaniu)
        : pompa_(std::move(przyPompowaniu)), poprzednia_(&Dialogi()) {
        UstawDialogi(this);
    }
    ~DialogiZPompowaniem() override { UstawDialogi(poprzednia_); }
    QStringList info, bledy, pytania;
    // Called with each question before it is answered.
    std::function<void(const QString&)> przyDecyzji;

    void Blad(const QString& a, const QString& b) override { bledy << a + QStringLiteral(" | ") + b; }
    void Info(const QString& a, const QString&) override { info << a; }
    void Pompuj() override {
        if (pompa_)
            pompa_(++pompowania_);
    }
    quint16 Decyzja(const QString& a, const QString& b, int) override {
        if (przyDecyzji)
            przyDecyzji(a);
        pytania << a + QStringLiteral(" | ") + b;
        return OdpowiedzTak;
    }

private:
    std::function<void(int)> pompa_;
    int pompowania_ = 0;
    UslugaDialogow* poprzednia_;
};

class BazaTest : public ::testing::Test {
protected:
    void SetUp() override {
        KatalogStartowy = folder.path();
        folder.drive(u'd');
        BazaNastawyDomyslne();
        KatalogNastawyDomyslne();
        BazaCzyscWszystko();
        BazaZmieniona = BazaWczytana = BazaAktualizacja = false;
        BazaDzis = QStringLiteral("2000-00-00");
        BazaOdtwarzaczeGraja = nullptr;
        BazaNagran.BazaZbior = QStringLiteral("D:\\RADIO\\BAZA.BAZ");
        QDir().mkpath(fs("D:\\RADIO"));
    }
    void TearDown() override {
        BazaLicznikiTloStop();
        BazaCzyscWszystko();
        BazaOdtwarzaczeGraja = nullptr;
    }

    // Linux path of a stored-form path.
    QString fs(const QString& stored) const { return platform::resolvePath(stored); }
    QByteArray bytes(const QString& stored) const {
        QFile f(fs(stored));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void put(const QString& stored, const QByteArray& b) const {
        QDir().mkpath(QFileInfo(fs(stored)).absolutePath());
        QFile f(fs(stored));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
    }
    // CR LF lines in Windows-1250.
    static QByteArray lines(const QStringList& l) {
        QByteArray b;
        for (const QString& s : l)
            b += platform::toCp1250(s) + "\r\n";
        return b;
    }
    // Appends a record as a scan would leave it.
    static BAZARekordTyp& add(const QString& adr, const QString& tyt = {}, const QString& wyk = {},
                              const QString& kod = {}, qint32 ms = 0) {
        BAZARekordTyp& r = *BazaRekordy.Dodaj();
        r.Adr = adr;
        r.Tyt = tyt;
        r.Wyk = wyk;
        r.Kod = kod;
        r.Dlugosc = ms;
        r.Tot = BazaTotTekst(ms);
        BazaAdresyZmienione();
        return r;
    }
    QStringList infos() const {
        QStringList l;
        for (const auto& z : dialogs.Zapisy(RodzajDialogu::Info))
            l << z.teksty.join(QStringLiteral(" | "));
        return l;
    }
    QStringList errors() const {
        QStringList l;
        for (const auto& z : dialogs.Zapisy(RodzajDialogu::Blad))
            l << z.teksty.join(QStringLiteral(" | "));
        return l;
    }

    TempProgramFolder folder;
    platform::ManualClock clock{QDate(2024, 1, 5), 12 * 3600 * 1000};
    platform::ScopedClock scoped{&clock};
    DialogiSkrypt dialogs;
};
