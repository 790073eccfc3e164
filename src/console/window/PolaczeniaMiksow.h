#pragma once
// What the mix editor needs from the console: its window, shown modally,
// with the clock's correction and the desk poll; the engine's flag that holds
// automatic starts while the playlist is copied, and the display timer's
// flag that redraws the playlist after a mix was written or stepped to. The
// players' element numbers reach the editor through the playlist's undo
// seam, which the engine installs itself.
class SilnikEmisji;
class TimeryKonsoli;
class TEdycjaMiksow;

// Installed at start-up; all must outlive the installation. Without the
// editor window "Miksy" builds the mix and logs that no window shows it.
void PolaczMiksy(SilnikEmisji& silnik, TimeryKonsoli& timery, TEdycjaMiksow* okno = nullptr);
// Takes the calls away again (the window's end).
void OdlaczMiksy();
