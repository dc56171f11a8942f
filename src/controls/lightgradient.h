#pragma once
// The light gradient that the program's tool bars are drawn with.

class QWidget;

namespace controls {

// Draws the widget's background with the gradient, without margins or
// spacing; its children keep the window's font.
void setLightGradient(QWidget* bar);

} // namespace controls
