#include "dialogs/wrappedcheckbox.h"

#include <QPainter>
#include <QStyleOptionButton>

WrappedCheckBox::WrappedCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

void WrappedCheckBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    style()->drawControl(QStyle::CE_CheckBox, &option, &painter, this);

    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    const QRect captionArea = rect().adjusted(indicator.right() + 4, 0, 0, 0);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(captionArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, caption);
}

bool WrappedCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }
