#include "audio/PlayerSloty.h"

#include "audio/cbDSMixer.h"
#include "audio/uDirectShowPlayer.h"
#include "foundation/KestSter2.h"
#include "platform/CaptureVolume.h"
#include "platform/audio/DeviceHub.h"

#include <QMetaObject>
#include <QObject>

#include <algorithm>

PlayerSloty::PlayerSloty(int liczba) : liczba_(std::clamp(liczba, 1, MaksSlotow)) {}

// A mixer frees the channels still registered with it, so the players go
// first and nothing is freed twice.
PlayerSloty::~PlayerSloty() {
    if (pokazAwarii_) {
        platform::DeviceHub::instance().setNoticeHandler(nullptr);
        platform::DeviceHub::instance().stopWatching();
    }
    for (int s = 1; s <= liczba_; ++s) ZwolnijOdtwarzacz(quint8(s));
    ZwolnijMiksery();
}

void PlayerSloty::UtworzMiksery() {
    if (!opcje_.CzyPlayerZgodnoscWinXP) return;
    for (int n = 1; n <= liczba_; ++n) {
        if (miksery_[n]) continue;
        auto mikser = std::make_unique<TcbDSMixer>();
        // An index outside the device list leaves device 0, the default.
        mikser->SetDevice(opcje_.Kanal[n]);
        miksery_[n] = std::move(mikser);
    }
}

void PlayerSloty::ZwolnijMiksery() {
    // The channels live on the mixers: free them before their mixer, or the
    // mixer would free them under the slots.
    for (int s = 1; s <= liczba_; ++s) {
        kanaly_[s].reset();
        wolneKanaly_[s].reset();
    }
    for (int n = liczba_; n >= 1; --n) miksery_[n].reset();
}

void PlayerSloty::UtworzOdtwarzacz(quint8 slot) {
    if (!poprawny(slot)) return;
    ZwolnijOdtwarzacz(slot);
    if (odnow_[slot]) {
        // Nothing of the slot plays now: its player and its mixer go, and
        // the new ones open the devices as listed now.
        odnow_[slot] = false;
        wolneKanaly_[slot].reset();
        wolneOdtwarzacze_[slot].reset();
        if (miksery_[slot]) {
            miksery_[slot] = std::make_unique<TcbDSMixer>();
            miksery_[slot]->SetDevice(opcje_.Kanal[slot]);
        }
    }
    if (opcje_.CzyPlayerZgodnoscWinXP) {
        // Without its mixer (before UtworzMiksery or after ZwolnijMiksery)
        // the slot stays empty rather than hold a channel on nothing.
        if (!miksery_[slot]) return;
        kanaly_[slot] = wolneKanaly_[slot] ? std::move(wolneKanaly_[slot])
                                           : std::make_unique<TcbDSMixerChannel>(miksery_[slot].get());
    } else {
        // An empty name is the default device (the player treats it so).
        odtwarzacze_[slot] = wolneOdtwarzacze_[slot] ? std::move(wolneOdtwarzacze_[slot])
                                                     : std::make_unique<TBasicPlayer>(opcje_.KanalNazwa[slot]);
    }
}

void PlayerSloty::ZwolnijOdtwarzacz(quint8 slot) {
    if (!poprawny(slot)) return;
    // Stopped and emptied as a new player would be, then kept.
    if (kanaly_[slot]) {
        kanaly_[slot]->Stop();
        kanaly_[slot]->Open(QString());
        wolneKanaly_[slot] = std::move(kanaly_[slot]);
    }
    if (odtwarzacze_[slot]) {
        odtwarzacze_[slot]->Stop();
        odtwarzacze_[slot]->SetFileName(QString());
        odtwarzacze_[slot]->SetVolume(0);
        wolneOdtwarzacze_[slot] = std::move(odtwarzacze_[slot]);
    }
}

bool PlayerSloty::OdtwarzaczIstnieje(quint8 slot) const {
    return poprawny(slot) && (kanaly_[slot] || odtwarzacze_[slot]);
}

void PlayerSloty::OtworzPlikOdtwarzacza(quint8 slot, const QString& sciezka) {
    if (!poprawny(slot)) return;
    if (kanaly_[slot]) kanaly_[slot]->Open(sciezka);
    else if (odtwarzacze_[slot]) odtwarzacze_[slot]->SetFileName(sciezka);
}

bool PlayerSloty::OtworzPrzygotowany(quint8 slot, std::shared_ptr<TPreparedFile> plik) {
    if (!poprawny(slot)) return false;
    if (kanaly_[slot]) kanaly_[slot]->OpenPrepared(std::move(plik));
    else if (odtwarzacze_[slot]) odtwarzacze_[slot]->SetPrepared(std::move(plik));
    else return false;
    return true;
}

QString PlayerSloty::PlikOdtwarzacza(quint8 slot) const {
    if (!poprawny(slot)) return {};
    if (kanaly_[slot]) return kanaly_[slot]->FileName();
    if (odtwarzacze_[slot]) return odtwarzacze_[slot]->FileName();
    return {};
}

void PlayerSloty::UstawPozycjeOdtwarzacza(quint8 slot, qint64 ms) {
    if (!poprawny(slot)) return;
    if (kanaly_[slot]) kanaly_[slot]->SetPosition(ms);
    else if (odtwarzacze_[slot]) odtwarzacze_[slot]->SetPosition(ms);
}

qint64 PlayerSloty::PozycjaOdtwarzacza(quint8 slot) {
    if (!poprawny(slot)) return 0;
    if (kanaly_[slot]) return kanaly_[slot]->GetPosition();
    if (odtwarzacze_[slot]) return odtwarzacze_[slot]->GetPosition();
    return 0;
}

qint64 PlayerSloty::DlugoscOdtwarzacza(quint8 slot) const {
    if (!poprawny(slot)) return 0;
    if (kanaly_[slot]) return kanaly_[slot]->Length();
    if (odtwarzacze_[slot]) return odtwarzacze_[slot]->Duration();
    return 0;
}

void PlayerSloty::GrajOdtwarzacz(quint8 slot) {
    if (!poprawny(slot) || StanOdtwarzacza(slot) == 1) return;
    if (kanaly_[slot]) kanaly_[slot]->Play();
    else if (odtwarzacze_[slot]) odtwarzacze_[slot]->Play();
}

void PlayerSloty::ZatrzymajOdtwarzacz(quint8 slot) {
    if (!poprawny(slot)) return;
    if (kanaly_[slot]) kanaly_[slot]->Stop();
    else if (odtwarzacze_[slot]) odtwarzacze_[slot]->Stop();
}

quint8 PlayerSloty::StanOdtwarzacza(quint8 slot) const {
    if (!poprawny(slot)) return 0;
    if (kanaly_[slot]) return kanaly_[slot]->State();
    if (odtwarzacze_[slot]) return odtwarzacze_[slot]->State();
    return 0;
}

qint64 PlayerSloty::BrakDanychOdtwarzacza(quint8 slot) const {
    if (!poprawny(slot)) return 0;
    if (kanaly_[slot]) return kanaly_[slot]->StarvedMs();
    if (odtwarzacze_[slot]) return odtwarzacze_[slot]->StarvedMs();
    return 0;
}

void PlayerSloty::UstawGlosnoscOdtwarzacza(quint8 slot, int glosnosc) {
    if (!poprawny(slot)) return;
    if (kanaly_[slot]) kanaly_[slot]->SetVolume(glosnosc);
    else if (odtwarzacze_[slot]) odtwarzacze_[slot]->SetVolume(glosnosc);
}

int PlayerSloty::GlosnoscOdtwarzacza(quint8 slot) const {
    if (!poprawny(slot)) return 0;
    if (kanaly_[slot]) return kanaly_[slot]->Volume();
    if (odtwarzacze_[slot]) return odtwarzacze_[slot]->Volume();
    return 0;
}

void PlayerSloty::UstawGlosnoscSystemowa(int poziom) {
    if (wejscie_) wejscie_->setLevel(poziom / 65500.0);
}

TcbDSMixer* PlayerSloty::Mikser(quint8 slot) const { return poprawny(slot) ? miksery_[slot].get() : nullptr; }

QString PlayerSloty::TekstZgloszenia(const platform::DeviceNotice& n) {
    const QString u = QStringLiteral("\"") + n.device + QStringLiteral("\"");
    switch (n.kind) {
    case platform::DeviceNotice::NoMatch:
        return QStringLiteral("Nie ma urządzenia dźwiękowego ") + u + QStringLiteral(" - gra urządzenie domyślne \"") +
               n.detail + QStringLiteral("\"");
    case platform::DeviceNotice::OpenFailed:
        return QStringLiteral("!!! Nie można otworzyć urządzenia dźwiękowego ") + u + QStringLiteral(": ") + n.detail +
               QStringLiteral(" - ponowna próba co %1 s").arg(platform::DeviceHub::kRetryMs / 1000);
    case platform::DeviceNotice::Stalled:
        return QStringLiteral("!!! Urządzenie dźwiękowe ") + u + QStringLiteral(" przestało odtwarzać - ponowne otwarcie");
    case platform::DeviceNotice::Playing:
        return QStringLiteral("Urządzenie dźwiękowe ") + u + QStringLiteral(" odtwarza (") + n.detail +
               QStringLiteral(" Hz)");
    case platform::DeviceNotice::Underruns:
        return QStringLiteral("Urządzenie dźwiękowe ") + u + QStringLiteral(": przerwy w dźwięku: ") +
               QString::number(n.count);
    case platform::DeviceNotice::CardFound:
        return QStringLiteral("Znaleziono urządzenie dźwiękowe ") + u +
               QStringLiteral(" - odtwarzacze przechodzą na nie z następnym elementem");
    }
    return {};
}

void PlayerSloty::UstawPokazAwarii(std::function<void(const QString&)> pokaz) {
    if (!poczta_) poczta_ = std::make_unique<QObject>();
    pokazAwarii_ = pokaz ? std::move(pokaz) : [](const QString&) {};
    platform::DeviceHub::instance().setNoticeHandler([this](const platform::DeviceNotice& n) { Zglos(n); });
    // No card, and the virtual device not asked for: no sound reaches the
    // air, and that shows until a card is found.
    bezKarty_ = platform::DeviceHub::instance().isCardless();
    if (bezKarty_) pokazAwarii_(TekstAwarii());
    platform::DeviceHub::instance().startWatching();
}

QString PlayerSloty::TekstAwarii() const {
    if (gluche_.isEmpty()) return bezKarty_ ? QStringLiteral("BRAK DŹWIĘKU") : QString();
    return QStringLiteral("BRAK DŹWIĘKU: ") + gluche_.join(QStringLiteral(", "));
}

// The hub speaks on whatever thread noticed; the log and the window are the
// owner's thread's, so notices are queued and handed over. The mutex also
// shows ThreadSanitizer the hand-over that Qt's queue makes.
void PlayerSloty::Zglos(const platform::DeviceNotice& n) {
    std::lock_guard lock(zgloszeniaMutex_);
    zgloszenia_.push_back(n);
    if (zgloszenia_.size() == 1)
        QMetaObject::invokeMethod(poczta_.get(), [this] { RozdajZgloszenia(); }, Qt::QueuedConnection);
}

void PlayerSloty::RozdajZgloszenia() {
    std::vector<platform::DeviceNotice> teraz;
    {
        std::lock_guard lock(zgloszeniaMutex_);
        teraz.swap(zgloszenia_);
    }
    const QString przedtem = TekstAwarii();
    for (const auto& n : teraz) {
        Log(TekstZgloszenia(n));
        if (n.kind == platform::DeviceNotice::CardFound) {
            bezKarty_ = false;
            odnow_.fill(true);
        }
        if (n.kind == platform::DeviceNotice::OpenFailed || n.kind == platform::DeviceNotice::Stalled) {
            if (!gluche_.contains(n.device)) gluche_ << n.device;
        } else if (n.kind == platform::DeviceNotice::Playing) {
            gluche_.removeAll(n.device);
        }
    }
    if (TekstAwarii() != przedtem) pokazAwarii_(TekstAwarii());
}
