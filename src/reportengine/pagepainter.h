#pragma once
// Draws a prepared page with a QPainter on any device (screen, printer, PDF,
// image) at the device's own resolution: millimetres become device units and
// point sizes stay points, so the page has its true size everywhere.

#include "reportengine/preparedpage.h"

class QPainter;

namespace report {

class PagePainter {
public:
    // Draws with the page's top-left corner at the painter's origin; zoom
    // scales positions and fonts alike (the screen preview).
    static void paint(QPainter& painter, const PreparedPage& page, double zoom = 1.0);
    // Device units per millimetre on the painter's device.
    static double unitsPerMm(const QPainter& painter);
};

} // namespace report
