#include "controls/menubutton.h"

#include <QCursor>
#include <QMenu>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QTimer>

namespace controls {

namespace {
constexpr int kArrowWidth = 7;
constexpr int kArrowHeight = 4;
constexpr int kArrowGap = 3;
constexpr int kMargin = 4;
// The caption moves left by half the arrow's room, so that the two stand
// centred together under the icon.
constexpr int kShift = (kArrowWidth + kArrowGap) / 2;
} // namespace

MenuButton::MenuButton(QMenu* menu, QWidget* parent) : QToolButton(parent)
{
    setMenu(menu);
    setPopupMode(QToolButton::InstantPopup);
    // The menu takes the pointer while it is open: the button never hears
    // that the pointer left it.
    connect(menu, &QMenu::aboutToHide, this, [this] { QTimer::singleShot(0, this, &MenuButton::menuClosed); });
}

void MenuButton::menuClosed()
{
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
        setAttribute(Qt::WA_UnderMouse, false);
        update();
    }
}

int MenuButton::captionWidth() const { return fontMetrics().horizontalAdvance(QString(text()).remove(u'&')); }

int MenuButton::neededWidth() const { return captionWidth() + 2 * (kArrowWidth + kArrowGap) + 2 * kMargin; }

QRect MenuButton::captionRect() const
{
    // Under the icon, as the style places a caption: a line below the
    // icon's room, centred in what is left of the button's height.
    const int top = iconSize().height() + 3;
    const int room = height() - 1 - top;
    const int line = fontMetrics().height();
    const int width = captionWidth();
    return {(this->width() - width) / 2 - kShift, top + (room - line) / 2, width, line};
}

QRect MenuButton::arrowRect() const
{
    const QRect caption = captionRect();
    return {caption.right() + 1 + kArrowGap, caption.center().y() - kArrowHeight / 2 + 1, kArrowWidth, kArrowHeight};
}

void MenuButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    // The style would put its arrow in the corner, over a long caption or far
    // from a short one: the button draws the caption and its arrow itself.
    option.features &= ~QStyleOptionToolButton::HasMenu;
    option.subControls &= ~QStyle::SC_ToolButtonMenu;
    option.text.clear();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    const int mnemonic = style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) ? Qt::TextShowMnemonic
                                                                                          : Qt::TextHideMnemonic;
    painter.drawItemText(captionRect(), Qt::AlignCenter | mnemonic, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
    // A small solid triangle in the caption's colour.
    const QRectF a = arrowRect();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawPolygon(QPolygonF{a.topLeft(), a.topRight(), QPointF(a.center().x(), a.bottom())});
}

} // namespace controls
