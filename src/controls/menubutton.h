#pragma once
// A command bar button that drops a menu from its face or its arrow. The
// arrow stands right after the caption, whatever the caption's length, and
// the button gives up its raised look once its menu has closed away from the
// pointer.

#include <QToolButton>

namespace controls {

class MenuButton : public QToolButton {
    Q_OBJECT
public:
    explicit MenuButton(QMenu* menu, QWidget* parent = nullptr);

    // The width the caption, its arrow and the margins take.
    int neededWidth() const;
    // Where the arrow is drawn, in the button's coordinates.
    QRect arrowRect() const;
    // Where the caption is drawn.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int captionWidth() const;
    void menuClosed();
};

} // namespace controls
