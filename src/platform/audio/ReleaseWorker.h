#pragma once
// Lets go of objects whose end touches the disk (an audio file's close: on a
// network share a round trip, on a share that hangs as long as it hangs) on
// a thread of its own, in the order they were handed over, so that a stop on
// the on-air tick never closes a file itself. Handing over takes no lock and
// never waits; what is handed over is let go of whenever the thread gets to
// it.
#include <memory>

namespace platform {

// Null objects are ignored. Any thread may hand over.
void releaseLater(std::shared_ptr<void> object);
// Returns once everything handed over before the call has been let go of
// (test rigs call it before they look at what was closed).
void flushReleases();

}  // namespace platform
