#pragma once
// The player-slot operations the on-air engine (slots 1..5) and the mix
// editor's preview (players 1..8) call, by number. The program plays through
// PlayerSloty (OdtwarzaczeZPlayerSloty below); a test may put a deterministic
// player in their place, so the caller never knows which back-end, device or
// clock stands behind a number.
#include <QString>
#include <QtGlobal>

#include <memory>

class PlayerSloty;
struct TPreparedFile;

class OdtwarzaczeSlotow {
public:
    virtual ~OdtwarzaczeSlotow() = default;

    // The output devices' objects of the streaming back-end: made before the
    // players, freed after them (from the last down to the first). Players
    // with no devices of their own do nothing here.
    virtual void UtworzMiksery() {}
    virtual void ZwolnijMiksery() {}

    virtual void UtworzOdtwarzacz(quint8 slot) = 0;
    virtual void ZwolnijOdtwarzacz(quint8 slot) = 0;
    virtual bool OdtwarzaczIstnieje(quint8 slot) const = 0;
    // May throw the back-end's errors (a file that cannot be opened or decoded).
    virtual void OtworzPlikOdtwarzacza(quint8 slot, const QString& sciezka) = 0;
    virtual QString PlikOdtwarzacza(quint8 slot) const = 0;
    // Hands the slot a file opened, positioned and decoded ahead on a worker;
    // false when the slot's player cannot take one (then the caller opens
    // and seeks as usual).
    virtual bool OtworzPrzygotowany(quint8, std::shared_ptr<TPreparedFile>) { return false; }
    virtual void UstawPozycjeOdtwarzacza(quint8 slot, qint64 ms) = 0;
    virtual qint64 PozycjaOdtwarzacza(quint8 slot) = 0;
    virtual qint64 DlugoscOdtwarzacza(quint8 slot) const = 0;
    virtual void GrajOdtwarzacz(quint8 slot) = 0;
    virtual void ZatrzymajOdtwarzacz(quint8 slot) = 0;
    // 1 playing, 0 stopped.
    virtual quint8 StanOdtwarzacza(quint8 slot) const = 0;
    // How long a playing player has had nothing to play, its file's data
    // held up (a share that does not answer): the device plays silence in
    // its place. 0 while data comes, and for players that always have it.
    virtual qint64 BrakDanychOdtwarzacza(quint8) const { return 0; }
    virtual void UstawGlosnoscOdtwarzacza(quint8 slot, int glosnosc) = 0;
    virtual int GlosnoscOdtwarzacza(quint8 slot) const = 0;
    // The satellite input level: 65 500 full scale, 0 silence.
    virtual void UstawGlosnoscSystemowa(int poziom) = 0;
    // False while a sound device is known not to play (it will not open,
    // or its stream stopped): a player standing still is then the card's
    // fault, not its file's.
    virtual bool WyjsciaGraja() const { return true; }
};

class OdtwarzaczeZPlayerSloty final : public OdtwarzaczeSlotow {
public:
    explicit OdtwarzaczeZPlayerSloty(PlayerSloty& sloty) : sloty_(sloty) {}

    void UtworzMiksery() override;
    void ZwolnijMiksery() override;
    void UtworzOdtwarzacz(quint8 slot) override;
    void ZwolnijOdtwarzacz(quint8 slot) override;
    bool OdtwarzaczIstnieje(quint8 slot) const override;
    void OtworzPlikOdtwarzacza(quint8 slot, const QString& sciezka) override;
    QString PlikOdtwarzacza(quint8 slot) const override;
    bool OtworzPrzygotowany(quint8 slot, std::shared_ptr<TPreparedFile> plik) override;
    void UstawPozycjeOdtwarzacza(quint8 slot, qint64 ms) override;
    qint64 PozycjaOdtwarzacza(quint8 slot) override;
    qint64 DlugoscOdtwarzacza(quint8 slot) const override;
    void GrajOdtwarzacz(quint8 slot) override;
    void ZatrzymajOdtwarzacz(quint8 slot) override;
    quint8 StanOdtwarzacza(quint8 slot) const override;
    qint64 BrakDanychOdtwarzacza(quint8 slot) const override;
    void UstawGlosnoscOdtwarzacza(quint8 slot, int glosnosc) override;
    int GlosnoscOdtwarzacza(quint8 slot) const override;
    void UstawGlosnoscSystemowa(int poziom) override;
    bool WyjsciaGraja() const override;

private:
    PlayerSloty& sloty_;
};
