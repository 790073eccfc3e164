#pragma once
// Level trims by element kind, in hundredths of a decibel. Whoever plays an
// element (the on-air engine, the mix editor's preview players) fills the
// table from its settings, so the players need not know the settings' owner.
#include <QtGlobal>

#include <array>

class TrimyRodzajow {
public:
    // The trim of kind `rodzaj` (the element type's low five bits) in dB.
    void Ustaw(quint8 rodzaj, qint32 db) {
        const quint8 r = rodzaj & 31;
        db_[r] = db * 100;
        jest_ |= 1u << r;
    }
    // The trim in hundredths of a dB; 0 and `maTrim` false for a kind with none.
    qint32 Trim(quint8 rodzaj, bool* maTrim = nullptr) const {
        const quint8 r = rodzaj & 31;
        const bool jest = (jest_ >> r) & 1u;
        if (maTrim) *maTrim = jest;
        return jest ? db_[r] : 0;
    }

private:
    std::array<qint32, 32> db_{};
    quint32 jest_ = 0;
};
