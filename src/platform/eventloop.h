#pragma once
// What every Marvok process does around the making of its application object.

namespace platform {

// Before it: Qt's own event loop in place of GLib's, and Qt's own file
// dialogs, which need no GLib loop. GLib's loop wakes itself with a system
// call for every event posted to it, and showing a page posts one for each of
// its widgets. An environment that names the loop itself (QT_NO_GLIB) is left
// as it is.
void prepareEventLoop();

// After it: the programs Marvok starts (a browser, a mail program) get the
// environment Marvok was started with.
void eventLoopMade();

} // namespace platform
