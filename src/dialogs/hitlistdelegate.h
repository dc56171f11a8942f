#pragma once
// Draws a row of the search dialog's hit list: the entry as stored, with the
// part that matches the typed text drawn over in blue.

#include <QStyledItemDelegate>
#include <functional>

class HitListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 13;
    // Gives the 1-based position and the length of the part of an entry to
    // draw in blue; position 0 draws nothing over the entry.
    using Highlight = std::function<QPair<int, int>(const QString& entry)>;

    HitListDelegate(Highlight highlight, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    Highlight m_highlight;
};
