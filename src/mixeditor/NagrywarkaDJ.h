#pragma once
// The voice-track recorder: the capture input of the mix editor, the take
// files and their names, arming, writing and finishing a take (header,
// normalisation, envelope, optional MP3), placing it on voice track 3 or 4,
// inserting and deleting voice tracks, and the copy of the takes to the
// network folder.
//
// Everything runs on the GUI thread. The input's stream only fills a ring;
// a GUI timer takes whole 16 384-byte blocks from it in order, and the
// recorder keeps the count of three buffers "queued" at the input, so that
// closing the editor drains exactly as many blocks as were in flight.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QtGlobal>

#include <functional>
#include <memory>

#include "audio/Sygnaly2.h"
#include "library/DKatalog.h"
#include "mixeditor/HakiNagrywania.h"

namespace platform {
class InputDevice;
}

class NagrywarkaDJ final : public QObject, public Nagrywanie {
    Q_OBJECT
public:
    static constexpr int RozmiarBufora = 16384;
    static constexpr int LiczbaBuforow = 3;
    static constexpr int OkresTimeraMs = 20;
    // While the editor closes, an input that has sent nothing for this long
    // is closed anyway (a card that stopped would keep the window open).
    static constexpr int CzasOproznianiaMs = 500;

    explicit NagrywarkaDJ(QObject* rodzic = nullptr);
    ~NagrywarkaDJ() override;

    // Fills the model's recorder hooks (PolaczeniaEdycji) with this object.
    void Zainstaluj();

    // ---- Nagrywanie ----
    void Podlacz(OknoNagrywania* okno) override { okno_ = okno; }
    bool WgrywanieTrwa() const override { return wgrywanieTrwa_; }
    bool WgranieUzbrojone() const override { return uzbrojone_; }
    int SladWgrania() const override { return slad_; }
    qint32 PrzedbiegWgrania() const override { return przedbieg_; }
    void UstawPrzedbiegWgrania(qint32 ms) override { przedbieg_ = qBound(0, ms, 30'000); }
    int PoziomWejscia() const override { return poziom_; }
    bool WejscieOtwarte() const override { return wejscieOtwarte_; }
    void WgrajDJ() override;
    void StartWgrywania() override;
    void ZakonczWgrywanie() override;
    void WstawDJ() override;
    void UsunDJ() override;
    void Zamknij() override;

    // ---- the model's side ----
    void OtworzWejscie();
    void NastepnaNazwaWgrania();
    void WyczyscNazweWgrania() { zbior_.clear(); }
    void KopiujWgraniaDoSieci();
    void UsunSlad(int n);

    // One block returned by the input (RozmiarBufora bytes).
    void ObsluzBuforWejscia(const char* blok);
    // The timer's work: every whole block captured so far, in order, then
    // the drain's time-out.
    void Tik();

    // ---- state, for the window and tests ----
    const QString& ZbiorWgrania() const { return zbior_; }
    const QString& ZbiorWgraniaMP3() const { return zbiorMP3_; }
    const SygnalType& SygnalWgrania() const { return sygnal_; }
    int Zakolejkowane() const { return kolejka_; }
    const platform::InputDevice* Wejscie() const { return wejscie_.get(); }

    // The folder browser's state of this caller, kept for the run.
    KatStan KatStanWstaw;
    // Shows the folder browser; PokazKatalog unless replaced.
    std::function<void(KatStan&)> Przegladarka;

private:
    bool Zamykanie() const;
    // The level and, while a take is written, the append; no queue count
    // (the blocks taken when a take ends are not buffers the drain waits for).
    void PrzyjmijBlok(const char* blok);
    void ZamknijWejscie();
    int CelWgrania(qint32 czas) const;
    bool MiejsceNaGlos(int slad) const;
    bool WybierzCel(qint32 czas, const QString& dwaWgrania, int& cel);
    void Kaczka(int n);
    void OdrzucUzbrojone();
    void UmiescWgranie(const QString& sciezka);
    QString Kompresuj(const QString& wav);
    void UtworzZbiorWgrania();

    OknoNagrywania* okno_ = nullptr;
    std::shared_ptr<platform::InputDevice> wejscie_;
    QTimer timer_;
    QByteArray blok_;
    int kolejka_ = 0;
    bool wejscieOtwarte_ = false;
    bool zamknij_ = false;          // Zamknij was called for this opening
    qint64 czasZamykania_ = -1;     // monotonic ms the drain began
    qint64 ostatniBlok_ = 0;        // monotonic ms of the last block
    int poziom_ = 0;

    QString zbior_;
    QString zbiorMP3_;
    SygnalType sygnal_;
    std::unique_ptr<class QFile> plik_;  // the take file while blocks are appended
    bool bladZapisu_ = false;
    quint64 przepelnienia_ = 0;  // the input's overruns when the take started
    bool dzwiek_ = false;        // the take holds a sample other than silence
    bool wgrywanieTrwa_ = false;
    bool uzbrojone_ = false;
    int slad_ = 0;
    qint32 przedbieg_ = 0;

    // Their dialogs, the normalising and the MP3 encoder pump events: a
    // timer, a key or the desk may call in again meanwhile.
    bool uzbrajanie_ = false;  // arming or inserting
    bool konczenie_ = false;
};
