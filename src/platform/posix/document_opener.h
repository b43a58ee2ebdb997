#pragma once

#include <string>

namespace balvix {

// The desktop's opener of documents on a POSIX system (xdg-open; open on
// macOS).

// True when there is a graphical session to show a document in: DISPLAY or
// WAYLAND_DISPLAY is set and not empty.
bool graphicalSession();

// Hands the file at `path` to the desktop's opener, its output thrown away,
// and waits up to ten seconds for its verdict. False when the opener could
// not start or ended reporting a failure; true when it handed the file on,
// when it still runs after the wait (some run the viewer in their place), or
// when it can no longer be waited for.
bool handToOpener(std::string path);

} // namespace balvix
