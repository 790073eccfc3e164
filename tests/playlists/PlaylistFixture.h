#pragma once
// A fresh playlist, time list and emission settings in a temporary program
// folder, with scripted dialogs.
#include <gtest/gtest.h>

#include <QString>

#include "common/TempFolder.h"
#include "foundation/DialogiSkrypt.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

class PlaylistTest : public ::testing::Test {
protected:
    void SetUp() override {
        DomyslneNastawyEmisji();
        WyczyscPlayliste();
        StanTimelisty = StanListy{};
        StanTimelisty.Pojemnosc = MaksTimelisty;
        CzyscTimeliste();
        FlagaOdczytuPlaylisty = 1;
        PrzypiszOpisyPoOdczycie = nullptr;
        UstawNumeryGraczyUndo({});
    }

    // A WAV of `ms` milliseconds (8 kHz mono 16-bit) on drive D; its stored path.
    QString wav(const QString& name, int ms) const;

    TempProgramFolder folder;
    DialogiSkrypt dialogi;
};
