#pragma once
// Showing a window that must be seen painted while the program is busy and
// runs no events (the splash while the program connects, the progress of a
// backup while the server's tool runs).

class QWidget;

namespace platform {

// Shows the window, waits until the window system has put it on the screen
// (a second at most) and paints it whole.
void showPainted(QWidget& window);

} // namespace platform
