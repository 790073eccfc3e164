#pragma once
// Numbered player slots. The console plays through five: 1 and 2 the on-air
// players, 3 the DJ and whisper player, 4 the singles player, 5 the fifth
// slot; the mix editor previews through eight of its own, all on the preview
// output. One choice made at start puts every slot on the same back-end (a
// streaming channel on the slot's own mixer, or a file player on an output
// device found by name), so nothing above this layer knows which is in use.
//
// Slot numbers outside 1..count do nothing and read as 0 / false / "". Errors of
// the back-ends (EDirectXError, EAudioReadError, the streaming channel's
// plain errors) pass through unchanged to the caller.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class TcbDSMixer;
class TcbDSMixerChannel;
class TBasicPlayer;
struct TPreparedFile;

class QObject;

namespace platform {
class CaptureVolume;
struct DeviceNotice;
}

// What the slots need from the emission settings; the console fills it.
struct OpcjeOdtwarzaczy {
    bool CzyPlayerZgodnoscWinXP = false;  // true: streaming mixers, false: file players
    std::array<int, 9> Kanal{};           // [1..count] device index of slot n's mixer
    std::array<QString, 9> KanalNazwa;    // [1..count] output name (a part of it) for slot n's file player
};

class PlayerSloty {
public:
    static constexpr int LiczbaSlotow = 5;  // the console's
    static constexpr int MaksSlotow = 8;

    // `liczba` slots, 1..MaksSlotow.
    explicit PlayerSloty(int liczba = LiczbaSlotow);
    ~PlayerSloty();
    PlayerSloty(const PlayerSloty&) = delete;
    PlayerSloty& operator=(const PlayerSloty&) = delete;

    // Read once at start; a changed back-end takes effect at the next start.
    void UstawOpcje(const OpcjeOdtwarzaczy& opcje) { opcje_ = opcje; }
    const OpcjeOdtwarzaczy& Opcje() const { return opcje_; }
    // The capture control the satellite fade moves (not owned; null: none).
    void UstawWejscie(platform::CaptureVolume* wejscie) { wejscie_ = wejscie; }

    void UtworzMiksery();
    int Liczba() const { return liczba_; }

    // Frees the slots' players, then the mixers from the last down to 1.
    void ZwolnijMiksery();

    // The console frees and creates a slot's player for every element; the
    // player object, its ring and its refill thread are kept in between
    // and taken again, so a start costs no thread and no allocation.
    void UtworzOdtwarzacz(quint8 slot);
    void ZwolnijOdtwarzacz(quint8 slot);
    bool OdtwarzaczIstnieje(quint8 slot) const;

    // An empty path closes the file. The streaming back-end resets the
    // volume to 0 on opening, so set the volume after opening.
    void OtworzPlikOdtwarzacza(quint8 slot, const QString& sciezka);
    QString PlikOdtwarzacza(quint8 slot) const;
    // A file prepared ahead (PrepareAudioFile) into the slot's streaming
    // channel or file player, positioned; false when the slot has no player.
    bool OtworzPrzygotowany(quint8 slot, std::shared_ptr<TPreparedFile> plik);
    // The streaming back-end stops on a seek; it plays on after GrajOdtwarzacz.
    void UstawPozycjeOdtwarzacza(quint8 slot, qint64 ms);
    qint64 PozycjaOdtwarzacza(quint8 slot);
    qint64 DlugoscOdtwarzacza(quint8 slot) const;
    void GrajOdtwarzacz(quint8 slot);
    void ZatrzymajOdtwarzacz(quint8 slot);
    // 1 playing, 0 stopped.
    quint8 StanOdtwarzacza(quint8 slot) const;
    // How long the slot's player, playing, has had nothing to play (ms).
    qint64 BrakDanychOdtwarzacza(quint8 slot) const;
    // Hundredths of a decibel: 0 full level, -10 000 silence.
    void UstawGlosnoscOdtwarzacza(quint8 slot, int glosnosc);
    int GlosnoscOdtwarzacza(quint8 slot) const;

    // The capture level for the satellite fade: 65 500 full scale, 0
    // silence; nothing without a capture control.
    void UstawGlosnoscSystemowa(int poziom);

    // Mixer of a slot (streaming back-end only; null otherwise).
    TcbDSMixer* Mikser(quint8 slot) const;

    // From now on what the sound devices report (a card that will not open
    // or stopped playing, a name that matches no device, dropouts) goes to
    // the event log, and `pokaz` is told on this thread which devices are
    // silent ("" once all play again); the cards are watched.
    void UstawPokazAwarii(std::function<void(const QString&)> pokaz);
    // The event log's line for a notice.
    static QString TekstZgloszenia(const platform::DeviceNotice& n);
    // False while the devices reported a device that does not play.
    bool WyjsciaGraja() const { return gluche_.isEmpty(); }

private:
    void Zglos(const platform::DeviceNotice& n);  // any thread
    void RozdajZgloszenia();                      // the owner's thread

    bool poprawny(quint8 slot) const { return slot >= 1 && slot <= liczba_; }

    const int liczba_;
    OpcjeOdtwarzaczy opcje_;
    platform::CaptureVolume* wejscie_ = nullptr;
    std::array<std::unique_ptr<TcbDSMixer>, MaksSlotow + 1> miksery_;  // [1..count]
    std::array<std::unique_ptr<TcbDSMixerChannel>, MaksSlotow + 1> kanaly_;  // [1..count] streaming players
    std::array<std::unique_ptr<TBasicPlayer>, MaksSlotow + 1> odtwarzacze_;  // [1..count] file players
    std::array<std::unique_ptr<TcbDSMixerChannel>, MaksSlotow + 1> wolneKanaly_;  // freed, kept for the next element
    std::array<std::unique_ptr<TBasicPlayer>, MaksSlotow + 1> wolneOdtwarzacze_;

    std::function<void(const QString&)> pokazAwarii_;
    std::unique_ptr<QObject> poczta_;  // on the owner's thread: notices are handed over to it
    std::mutex zgloszeniaMutex_;
    std::vector<platform::DeviceNotice> zgloszenia_;
    QStringList gluche_;  // devices that do not play now
    bool bezKarty_ = false;  // no sound device found: the virtual one plays while they are looked for
    // A card came: each slot's player is made anew when the slot next takes
    // an element, so that it opens its device by name again.
    std::array<bool, MaksSlotow + 1> odnow_{};
    QString TekstAwarii() const;
};
