#pragma once
// Every question answered yes, every text as proposed, for as long as it
// lives: a run of edits that asks and is meant to go through.
#include "foundation/UslugaDialogow.h"

class DialogiTak final : public DialogiCiche {
public:
    DialogiTak() : poprzednie_(Dialogi()) { UstawDialogi(this); }
    ~DialogiTak() override { UstawDialogi(&poprzednie_); }
    quint16 Decyzja(const QString&, const QString&, int) override { return OdpowiedzTak; }

private:
    UslugaDialogow& poprzednie_;
};
