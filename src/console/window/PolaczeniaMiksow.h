#pragma once
// What the mix editor needs from the console: the engine's flag that holds
// automatic starts while the playlist is copied, and the display timer's
// flag that redraws the playlist after a mix was written or stepped to. The
// players' element numbers reach the editor through the playlist's undo
// seam, which the engine installs itself.
class SilnikEmisji;
class TimeryKonsoli;

// Installed at start-up; both must outlive the installation.
void PolaczMiksy(SilnikEmisji& silnik, TimeryKonsoli& timery);
// Takes the calls away again (the window's end).
void OdlaczMiksy();
