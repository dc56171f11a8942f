#pragma once
// A panel with a lowered outer and a raised inner bevel, one pixel each: the
// framed look of the about box's panel. Its face takes the palette's window
// colour.

#include <QFrame>

class BevelPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kBevelWidth = 2;

    explicit BevelPanel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
