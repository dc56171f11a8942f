#include "dialogs/hitlistdelegate.h"

#include <QPainter>

HitListDelegate::HitListDelegate(Highlight highlight, QObject* parent)
    : QStyledItemDelegate(parent), m_highlight(std::move(highlight))
{
}

void HitListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QRect row = option.rect;
    const QString entry = index.data(Qt::DisplayRole).toString();
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;

    painter->save();
    painter->setFont(option.font);
    painter->fillRect(row, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect text = row.adjusted(2, 0, 0, 0);
    painter->drawText(text, flags, entry);

    const auto [position, length] = m_highlight(entry);
    if (position > 0) {
        const int offset = option.fontMetrics.horizontalAdvance(entry.left(position - 1));
        const QString match = entry.mid(position - 1, length);
        // Blue on the selection's blue cannot be read: on the selected row
        // the match stands on the list's own background.
        if (selected)
            painter->fillRect(QRect(text.left() + offset, row.top(), option.fontMetrics.horizontalAdvance(match),
                                    row.height()),
                              option.palette.color(QPalette::Base));
        painter->setPen(QColor(0, 0, 255));
        painter->drawText(text.adjusted(offset, 0, 0, 0), flags, match);
    }
    painter->restore();
}

QSize HitListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width(), kRowHeight};
}
