// tolvane-demo-station FOLDER [--short] [--udp-port PORT]
// Builds a demo station in FOLDER that the console can be started on
// (TOLVANE_HOME=FOLDER). --short makes elements of a few seconds;
// --udp-port sends the status datagrams to that port of 127.0.0.1.
#include "StacjaDemo.h"

#include "foundation/UslugaDialogow.h"
#include "platform/Clock.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// The program's writers report failures through the dialog service; a
// command-line tool prints them and answers every question with "leave".
class DialogiKonsoli final : public UslugaDialogow {
public:
    void Blad(const QString& a, const QString& b) override { drukuj(a, b); }
    void Info(const QString& a, const QString& b) override { drukuj(a, b); }
    quint16 Tekst(const QString&, QString&, int, bool, const std::function<bool(const QString&)>&) override { return 10; }
    void StanOtworz(const OpisStanu&) override {}
    void StanUstaw(int, int) override {}
    void StanZamknij() override {}
    void Pompuj() override {}
    quint16 Decyzja(const QString& a, const QString& b, int) override {
        drukuj(a, b);
        return 10;
    }
    void Raport(const QString&, const QStringList&) override {}
    void BlokadaEkranu() override {}
    quint16 RDS(QString&, QString&, QString&) override { return 10; }
    qint32 Kod() override { return 0; }
    quint16 Czas(const QString&, bool, QString&) override { return 10; }
    quint16 DecyzjaCzas(const QString&, const QString&, const QString&, int, StanDecyzjiCzas&) override { return 10; }
    bool WybierzKatalog(const QString&, QString&) override { return false; }

private:
    static void drukuj(const QString& a, const QString& b) {
        std::fprintf(stderr, "%s %s\n", qUtf8Printable(a), qUtf8Printable(b));
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    OpcjeStacjiDemo o;
    o.KrotkieElementy = args.removeAll(QStringLiteral("--short")) > 0;
    bool dobryPort = true;
    if (const qsizetype i = args.indexOf(QStringLiteral("--udp-port")); i >= 0) {
        const uint port = i + 1 < args.size() ? args[i + 1].toUInt(&dobryPort) : 0;
        dobryPort = dobryPort && port >= 1 && port <= 65535;
        o.PortUDP = quint16(dobryPort ? port : 0);
        args.remove(i, qMin<qsizetype>(2, args.size() - i));
    }
    if (!dobryPort || args.size() != 1 || args[0].startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: tolvane-demo-station FOLDER [--short] [--udp-port PORT]\n");
        return 2;
    }
    o.Folder = args[0];
    o.OdMs = platform::clock().msOfDay() / 60'000 * 60'000;
    o.Postep = [](const QString& etap) {
        std::printf("%s...\n", qUtf8Printable(etap));
        std::fflush(stdout);
    };

    DialogiKonsoli dialogi;
    UstawDialogi(&dialogi);
    QString blad;
    const bool ok = ZbudujStacjeDemo(o, blad);
    UstawDialogi(nullptr);
    if (!ok) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(blad));
        return 1;
    }
    std::printf("Demo station ready in %s\n", qUtf8Printable(o.Folder));
    return 0;
}
