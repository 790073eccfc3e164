// The console's entry: one instance per program folder, the main window
// created and set up before it shows, the message loop, the end.
#include "console/window/BlokadaProgramu.h"
#include "console/window/TTolv.h"
#include "console/window/ZamykanieProgramu.h"
#include "foundation/Dialogi.h"
#include "foundation/KestSter2.h"
#include "foundation/UslugaDialogow.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "platform/Paths.h"
#include "platform/SerialWorker.h"
#include "platform/TextFile.h"
#include "playlists/NastawyEmisji.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <ctime>

namespace {

// TOLVANE_CLOSE_AFTER_S=N (for the end-to-end tests): after N seconds, once
// a player plays, the program first tries to close through its own close
// path and says on stderr whether that was refused; then it stops what
// plays and closes the same way, with its question answered yes, and a
// message nobody answered does not keep it running. Every other dialog goes
// to the windows as usual; the texts of errors and information also go to
// standard error, so that a test sees what the operator was shown.
class ZamkniecieAutomatyczne final : public UslugaDialogow {
public:
    explicit ZamkniecieAutomatyczne(UslugaDialogow& okna) : okna_(okna) {}
    bool Uzbrojone = false;

    void Blad(const QString& a, const QString& b) override {
        drukuj("Błąd", a, b);
        okna_.Blad(a, b);
    }
    void Info(const QString& a, const QString& b) override {
        drukuj("Informacja", a, b);
        okna_.Info(a, b);
    }
    quint16 Tekst(const QString& z, QString& t, int m, bool h, const std::function<bool(const QString&)>& p) override {
        return okna_.Tekst(z, t, m, h, p);
    }
    void StanOtworz(const OpisStanu& o) override { okna_.StanOtworz(o); }
    void StanUstaw(int w, int p) override { okna_.StanUstaw(w, p); }
    void StanZamknij() override { okna_.StanZamknij(); }
    void Pompuj() override { okna_.Pompuj(); }
    quint16 Decyzja(const QString& a, const QString& b, int z) override {
        if (Uzbrojone) return quint16(WynikTak);
        return okna_.Decyzja(a, b, z);
    }
    void Raport(const QString& t, const QStringList& l) override { okna_.Raport(t, l); }
    void BlokadaEkranu() override { okna_.BlokadaEkranu(); }
    quint16 RDS(QString& a, QString& b, QString& c) override { return okna_.RDS(a, b, c); }
    qint32 Kod() override { return okna_.Kod(); }
    quint16 Czas(const QString& t, bool d, QString& h) override { return okna_.Czas(t, d, h); }
    quint16 DecyzjaCzas(const QString& l, const QString& t, const QString& d, int z, StanDecyzjiCzas& s) override {
        return okna_.DecyzjaCzas(l, t, d, z, s);
    }
    bool WybierzKatalog(const QString& t, QString& k) override { return okna_.WybierzKatalog(t, k); }

private:
    static void drukuj(const char* rodzaj, const QString& a, const QString& b) {
        std::fprintf(stderr, "%s: %s | %s\n", rodzaj, qUtf8Printable(a), qUtf8Printable(b));
    }
    UslugaDialogow& okna_;
};

// Where the program rewrites whole files, as the settings name them: the
// program folder (settings, profiles, the emergency playlist, the relay
// card's files), the day files', the RDS folder, the playlists', the lists',
// the singles sets' and the work folder; and the folders of the settings
// file, the database and its counters.
struct MiejscaZapisow {
    QStringList foldery, zbiory;
};
MiejscaZapisow Zapisywane() {
    return {{platform::programFolder(), Emisja.KatHST, Emisja.KatRDSZbior, Emisja.KatAutomat, Emisja.KatLista1,
             Emisja.KatLista2, Emisja.KatSingleZapis, Nastawy.RoboczyKatalog},
            {KonfiguracjaZbior, BazaNagran.BazaZbior, BazaSciezkaLicznikow()}};
}

// What saves cut short by an earlier end of the program left behind (a
// temporary per save, as big as the file it was to replace): removed once
// the settings have named the folders, on a thread of its own, since any of
// them may be a network folder; only temporaries older than this start, so
// a save running now is never touched. How many goes to the log.
void UsunTymczasowe(platform::SerialWorker& watek, QObject& okno, const timespec& start) {
    watek.post([m = Zapisywane(), start, &okno] {
        QStringList foldery;
        for (const QString& f : m.foldery)
            if (!f.isEmpty()) foldery << platform::resolvePath(f);
        for (const QString& z : m.zbiory)
            if (!z.isEmpty()) foldery << QFileInfo(platform::resolvePath(z)).absolutePath();
        QStringList sprawdzone;
        int usuniete = 0;
        for (const QString& f : foldery) {
            const QString folder = QDir::cleanPath(f);
            if (sprawdzone.contains(folder)) continue;
            sprawdzone << folder;
            usuniete += platform::removeStaleTemporaries(folder, start.tv_sec, start.tv_nsec);
        }
        if (usuniete > 0)
            QMetaObject::invokeMethod(&okno, [usuniete] {
                Log(QStringLiteral("Usunięte zbiory tymczasowe przerwanych zapisów: ") + QString::number(usuniete));
            }, Qt::QueuedConnection);
    });
}

}  // namespace

int main(int argc, char** argv) {
    // A write past a file-size limit fails (EFBIG) and takes its writer's
    // failure path, which keeps the old file and says so, instead of the
    // signal ending the program on air.
    std::signal(SIGXFSZ, SIG_IGN);
    timespec start{};
    clock_gettime(CLOCK_REALTIME, &start);
    // Qt's own event loop rather than GLib's: GLib walks its sources on every
    // wake, a good part of what the idle console costs 33 times a second, and
    // nothing here needs it (the program's dialogs are Qt's own).
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    // The program folder is the start folder: relative names and "PROGRAM"
    // in the settings mean it.
    QDir::setCurrent(platform::programFolder());

    BlokadaProgramu blokada(platform::programFolder());
    QString brakBlokady;
    if (!blokada.MoznaStartowac(brakBlokady)) {
        const QString tekst = blokada.Powod();
        std::fprintf(stderr, "%s\n", qUtf8Printable(tekst));
        PokazBlad(tekst, QStringLiteral("Drugie uruchomienie nie jest możliwe"));
        return 1;
    }
    if (!brakBlokady.isEmpty()) std::fprintf(stderr, "%s\n", qUtf8Printable(brakBlokady));

    // A service stop or a shutdown closes the program as its window does.
    // Made before the window, so that its countdown stands over the window's
    // end too.
    TTolv* oknoProgramu = nullptr;
    ZamykanieProgramu zamykanie([&oknoProgramu](int sygnal) {
        if (oknoProgramu)
            oknoProgramu->ZamknijNaSygnal(sygnal);
        else
            QCoreApplication::exit(0);
    });
    if (blokada.Zajeta()) zamykanie.UsunPrzyKoncu(blokada.Sciezka());

    TTolv okno;
    oknoProgramu = &okno;
    // The operator's close is bounded too: its database and counters go to
    // a share that may hang.
    okno.PrzedZakonczeniem = [&zamykanie] { zamykanie.Odliczaj(ZamykanieProgramu::ZamykanieMs); };
    okno.UstawBrakBlokady(brakBlokady);
    okno.FormCreate(app.arguments().mid(1));
    // After FormCreate: a missing translation goes into the day's log.
    TTolv::TlumaczeniaQt();
    // Ends (finishing its work) before the window goes.
    platform::SerialWorker sprzatanie;
    UsunTymczasowe(sprzatanie, okno, start);

    ZamkniecieAutomatyczne dialogi(Dialogi());
    bool ok = false;
    const int poSekundach = qEnvironmentVariableIntValue("TOLVANE_CLOSE_AFTER_S", &ok);
    QTimer zamknij;
    bool odmowaSprawdzona = false;
    if (ok && poSekundach > 0) {
        UstawDialogi(&dialogi);
        zamknij.setInterval(500);
        QObject::connect(&zamknij, &QTimer::timeout, &okno, [&] {
            dialogi.Uzbrojone = true;
            if (!odmowaSprawdzona) {
                bool gra = false;
                for (quint8 slot = 1; slot <= 3; ++slot) gra = gra || okno.Silnik().SlotZajety(slot);
                if (gra) {
                    odmowaSprawdzona = true;
                    okno.close();
                    std::fprintf(stderr, "%s\n",
                                 okno.isVisible() ? "Zamknięcie odrzucone: odtwarzacz gra" : "Zamknięto mimo grania");
                }
            } else {
                okno.Silnik().StopWszystko();
                // A message still open has its own event loop: quitting ends it too.
                if (okno.close()) QCoreApplication::quit();
            }
            dialogi.Uzbrojone = false;
        });
        QTimer::singleShot(poSekundach * 1000, &zamknij, qOverload<>(&QTimer::start));
    }

    okno.show();
    // A signal during the showing (a question of the start-up) has ended the
    // window already: no loop runs it again.
    const int wynik = okno.Zakonczony() ? 0 : app.exec();
    zamknij.stop();
    // The close has begun: whatever a worker stuck on a share holds, the
    // process ends in time. First the program's own files: what was on air
    // in the history, the last lines in the log; then the lock goes, and
    // what is left (threads, memory) has a short while.
    zamykanie.Odliczaj(ZamykanieProgramu::ZamykanieMs);
    okno.FormDestroy();
    OproznijLog();
    // The countdown forgets the lock before it goes: by then it may be
    // another program's.
    zamykanie.UsunPrzyKoncu(QString());
    blokada.Zwolnij();
    zamykanie.Odliczaj(ZamykanieProgramu::PoZapisachMs);
    zamykanie.ZostawDoKonca();
    UstawDialogi(nullptr);
    return wynik;
}
