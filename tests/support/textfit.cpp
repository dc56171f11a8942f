#include "support/textfit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>
#include <QHeaderView>
#include <QLayout>
#include <QTabBar>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>

namespace {

constexpr int kUnbounded = 100000;
constexpr int kIconSpacing = 4;   // what Qt's buttons leave between an icon and its text
// Beside a window's title the window manager puts the window's icon and its
// three buttons, about 24 pixels each.
constexpr int kTitleBarParts = 100;

bool wraps(const QWidget& w) { return w.property("wordWrap").toBool(); }

// The size of a plain text in a font, on one line or wrapped to a width.
QSize textSize(const QFontMetrics& fm, QString text, bool mnemonic, int wrapWidth = 0)
{
    // A carriage return breaks the line, as a label lays it out.
    text.replace(u'\r', u'\n');
    const int flags = mnemonic ? Qt::TextShowMnemonic : 0;
    if (wrapWidth <= 0)
        return fm.size(flags, text);
    return fm.boundingRect(QRect(0, 0, wrapWidth, kUnbounded), flags | Qt::TextWordWrap, text).size();
}

// A text wrapped to the room left beside the control's own parts: too tall
// for the control, or with a word wider than the room.
void checkWrapped(QList<CutText>& out, QWidget* w, const QString& text, const QFontMetrics& fm, bool mnemonic,
                  int room, int heightRoom)
{
    const QSize wrapped = textSize(fm, text, mnemonic, room);
    if (wrapped.width() > room)
        out.append({w, text, wrapped.width(), room});
    else if (wrapped.height() > heightRoom)
        out.append({w, text, wrapped.height(), heightRoom});
}

void checkLabel(QList<CutText>& out, QLabel* label)
{
    const QString text = label->text();
    if (text.isEmpty() || !label->pixmap().isNull() || label->movie())
        return;
    const QFontMetrics fm = label->fontMetrics();
    const int margin = label->margin();
    const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    int indent = label->indent();
    if (indent < 0)
        indent = label->frameWidth() > 0 ? fm.horizontalAdvance(u'x') / 2 : 0;
    const int width = room.width() - indent;
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (rich) {
        QTextDocument document;
        document.setDefaultFont(label->font());
        document.setDocumentMargin(0);
        document.setHtml(text);
        if (label->wordWrap()) {
            document.setTextWidth(width);
            const int needed = int(document.size().height());
            if (int(document.idealWidth()) > width)
                out.append({label, text, int(document.idealWidth()), width});
            else if (needed > room.height())
                out.append({label, text, needed, room.height()});
        } else if (int(document.idealWidth()) > width) {
            out.append({label, text, int(document.idealWidth()), width});
        }
        return;
    }
    const bool mnemonic = label->buddy() != nullptr;
    if (label->wordWrap()) {
        checkWrapped(out, label, text, fm, mnemonic, width, room.height());
        return;
    }
    const QSize needed = textSize(fm, text, mnemonic);
    if (needed.width() > width)
        out.append({label, text, needed.width(), width});
    else if (needed.height() > room.height())
        out.append({label, text, needed.height(), room.height()});
}

void checkCheckable(QList<CutText>& out, QAbstractButton* button, QStyle::ContentsType type)
{
    const QString text = button->text();
    if (text.isEmpty())
        return;
    const QFontMetrics fm = button->fontMetrics();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + kIconSpacing;
    // The indicator, its spacing and the label's margins, as the style counts them.
    const int parts = button->style()->sizeFromContents(type, &option, QSize(icon, 0), button).width();
    if (wraps(*button)) {
        checkWrapped(out, button, text, fm, true, button->width() - parts, button->height());
        return;
    }
    const int needed = parts + textSize(fm, text, true).width();
    if (needed > button->width())
        out.append({button, text, needed, button->width()});
}

void checkPushButton(QList<CutText>& out, QPushButton* button)
{
    const QString text = button->text();
    if (text.isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    QStyle* style = button->style();
    // Frame and margin on both sides, and the default button's indicator.
    int parts = style->pixelMetric(QStyle::PM_ButtonMargin, &option, button) +
                2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
    if (button->isDefault() || button->autoDefault())
        parts += 2 * style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, &option, button);
    if (!button->icon().isNull())
        parts += button->iconSize().width() + kIconSpacing;
    if (button->menu())
        parts += style->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, button);
    const int needed = parts + textSize(button->fontMetrics(), text, true).width();
    if (needed > button->width())
        out.append({button, text, needed, button->width()});
}

void checkToolButton(QList<CutText>& out, QToolButton* button)
{
    const Qt::ToolButtonStyle shown = button->toolButtonStyle();
    const QString text = button->text();
    if (text.isEmpty() || shown == Qt::ToolButtonIconOnly)
        return;
    const int textWidth = textSize(button->fontMetrics(), text, true).width();
    const bool icon = !button->icon().isNull() && shown != Qt::ToolButtonTextOnly;
    const int iconWidth = icon ? button->iconSize().width() : 0;
    int contents = textWidth;
    if (icon)
        contents = shown == Qt::ToolButtonTextUnderIcon ? qMax(iconWidth, textWidth) : iconWidth + kIconSpacing + textWidth;
    // The label is drawn inside the button's frame; it keeps a pixel clear of it.
    QStyleOptionToolButton option;
    option.initFrom(button);
    int needed = contents + 2 * (button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button) + 1);
    if (button->popupMode() == QToolButton::MenuButtonPopup && button->menu())
        needed += button->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, button);
    if (needed > button->width())
        out.append({button, text, needed, button->width()});
}

void checkGroupBox(QList<CutText>& out, QGroupBox* box)
{
    const QString title = box->title();
    if (title.isEmpty())
        return;
    // The title stands inside the frame with a margin on each side.
    int needed = textSize(box->fontMetrics(), title, true).width() + 16;
    if (box->isCheckable()) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        needed += box->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, box) +
                  box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, box);
    }
    if (needed > box->width())
        out.append({box, title, needed, box->width()});
}

void checkTabs(QList<CutText>& out, QTabBar* bar)
{
    QStyleOption option;
    option.initFrom(bar);
    const int padding = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, bar);
    for (int i = 0; i < bar->count(); ++i) {
        const QString text = bar->tabText(i);
        if (text.isEmpty())
            continue;
        int needed = textSize(bar->fontMetrics(), text, true).width() + padding;
        if (!bar->tabIcon(i).isNull())
            needed += bar->iconSize().width() + kIconSpacing;
        for (QTabBar::ButtonPosition side : {QTabBar::LeftSide, QTabBar::RightSide})
            if (const QWidget* button = bar->tabButton(i, side))
                needed += button->width();
        const int available = bar->tabRect(i).width();
        if (needed > available)
            out.append({bar, text, needed, available});
    }
}

// Every value of a grid's column at the column's width, as the cell draws
// it between its margins; and the column's title. A last column that takes
// the rest of the grid's width cuts a long value at the grid's edge by design.
void checkGrid(QList<CutText>& out, QTableView* grid)
{
    const QAbstractItemModel* model = grid->model();
    if (!model)
        return;
    QStyleOptionViewItem option;
    option.initFrom(grid);
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, grid) + 1);
    const QFontMetrics fm = grid->fontMetrics();
    const QHeaderView* header = grid->horizontalHeader();
    for (int column = 0; column < model->columnCount(); ++column) {
        if (grid->isColumnHidden(column))
            continue;
        const int available = grid->columnWidth(column);
        if (header->isVisible()) {
            const QString title = model->headerData(column, Qt::Horizontal).toString();
            const int needed = header->fontMetrics().horizontalAdvance(title) + margins;
            if (needed > available)
                out.append({grid, title, needed, available});
        }
        if (header->stretchLastSection() && column == model->columnCount() - 1)
            continue;
        QString widest;
        int needed = 0;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString text = model->index(row, column).data(Qt::DisplayRole).toString();
            if (const int width = fm.horizontalAdvance(text) + margins; width > needed) {
                needed = width;
                widest = text;
            }
        }
        if (needed > available)
            out.append({grid, widest, needed, available});
    }
}

void check(QList<CutText>& out, QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        checkLabel(out, label);
    else if (auto* box = qobject_cast<QCheckBox*>(w))
        checkCheckable(out, box, QStyle::CT_CheckBox);
    else if (auto* radio = qobject_cast<QRadioButton*>(w))
        checkCheckable(out, radio, QStyle::CT_RadioButton);
    else if (auto* push = qobject_cast<QPushButton*>(w))
        checkPushButton(out, push);
    else if (auto* tool = qobject_cast<QToolButton*>(w))
        checkToolButton(out, tool);
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        checkGroupBox(out, group);
    else if (auto* bar = qobject_cast<QTabBar*>(w))
        checkTabs(out, bar);
    else if (auto* grid = qobject_cast<QTableView*>(w))
        checkGrid(out, grid);
}

// A window's title in its title bar, in a bold face of the window's font.
void checkTitle(QList<CutText>& out, QWidget* window)
{
    const QString title = window->windowTitle();
    if (!window->isWindow() || title.isEmpty())
        return;
    QFont bold = window->font();
    bold.setBold(true);
    const int needed = QFontMetrics(bold).horizontalAdvance(title) + kTitleBarParts;
    if (needed > window->width())
        out.append({window, title, needed, window->width()});
}

// A window whose layout asks for more room than the window has cuts the
// controls at its edge (a text that grew while no events ran).
void checkLaidOutWindow(QList<CutText>& out, QWidget* window)
{
    QLayout* layout = window->isWindow() ? window->layout() : nullptr;
    if (!layout)
        return;
    const QSize needed = layout->totalMinimumSize();
    if (needed.height() > window->height())
        out.append({window, QStringLiteral("(layout)"), needed.height(), window->height()});
    else if (needed.width() > window->width())
        out.append({window, QStringLiteral("(layout)"), needed.width(), window->width()});
}

} // namespace

QList<CutText> cutTexts(const QWidget& window)
{
    QList<CutText> out;
    checkTitle(out, const_cast<QWidget*>(&window));
    checkLaidOutWindow(out, const_cast<QWidget*>(&window));
    check(out, const_cast<QWidget*>(&window));
    for (QWidget* w : window.findChildren<QWidget*>())
        if (w->isVisibleTo(&window))
            check(out, w);
    return out;
}

QString describeCutTexts(const QList<CutText>& cut)
{
    QString out;
    for (const CutText& c : cut)
        out += QStringLiteral("%1 \"%2\" \"%3\": needs %4 px, has %5 px\n")
                   .arg(QString::fromLatin1(c.widget->metaObject()->className()), c.widget->objectName(), c.text)
                   .arg(c.needed)
                   .arg(c.available);
    return out;
}
