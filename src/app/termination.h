#pragma once

#include <functional>

class QObject;

namespace kansu {

// Runs `end` on the event loop when the desktop asks the program to end
// (SIGTERM at log-out) or the terminal does (SIGINT, Ctrl+C), so that the
// program ends as its own quit button ends it. A second such signal, should
// the first one not be answered, ends the process the default way. Lives as
// long as `owner`; does nothing where these signals do not exist.
void onTerminationRequest(QObject* owner, std::function<void()> end);

} // namespace kansu
