#include "console/window/ZegarNaTiku.h"

#include "platform/Clock.h"

ZegarNaTiku::ZegarNaTiku(const QString& nazwa, int ms, std::function<void()> praca, QObject* rodzic)
    : QObject(rodzic), ms_(ms), praca_(std::move(praca)) {
    setObjectName(nazwa);
}

qint64 ZegarNaTiku::teraz() { return platform::clock().monotonicMs(); }

void ZegarNaTiku::start() {
    aktywny_ = true;
    termin_ = teraz() + ms_;
}

void ZegarNaTiku::stop() { aktywny_ = false; }

void ZegarNaTiku::Tik(int tikMs) {
    if (!aktywny_ || zlecony_ || trwa_) return;
    const qint64 t = teraz();
    if (t + tikMs / 2 < termin_) return;
    // Due times keep their rhythm; after a stall the next comes a period on.
    termin_ += ms_;
    if (termin_ <= t) termin_ = t + ms_;
    zlecony_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            zlecony_ = false;
            if (!aktywny_) return;
            trwa_ = true;
            praca_();
            trwa_ = false;
        },
        Qt::QueuedConnection);
}
