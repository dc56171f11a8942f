#pragma once
// The light gradient that the program's tool bars are drawn with.

class QWidget;

namespace controls {

// Draws the widget's background (not its children's) with the gradient; the
// widget needs an object name.
void setLightGradient(QWidget* bar);

} // namespace controls
