#pragma once

#include <functional>

#include <QString>

#include "common/background.h"

class QWidget;

namespace common {

// Runs slow work (decoding a file, say) on a thread of its own while the
// window goes on answering: a busy pointer, and after a moment a box with
// the text and a Cancel button (Escape too). The window takes no input
// meanwhile; asked to close, it asks whether to stop the work and close.
// True when the work finished;
// false when it was cancelled, and then whatever it captured must outlive
// it (hold results in a shared_ptr). An exception it throws is thrown here.
bool RunAside(QWidget* owner, const QString& text, std::function<void()> work);
// The same for work that looks at its token: once it is cancelled, the
// token asks it to stop.
bool RunAside(QWidget* owner, const QString& text, Job work);

// A wait for such work is in progress: commands, drops and close requests
// are refused meanwhile (the window's Run does nothing).
bool AsideWaiting();

// Some work is still running aside (it was cancelled, or nobody waits for
// it: see Detach): the program must not run its exit-time destructors under
// it.
bool AsideRunning();

}  // namespace common
