#pragma once
// Whether every text a window shows fits its control: a check for the tests
// of every window.
//
// Looks at the window and every control in it that is shown with it (hidden
// ones are skipped): the window's title, labels, push buttons, tool buttons,
// check boxes, radio buttons, group box titles, the tabs of tab bars and the
// columns of grids. Each text is measured in the control's own font, the way
// the style lays it out:
//   - a window's title takes its width in a bold face of the window's font and
//     room for the title bar's icon and buttons; a window's layout must not ask
//     for more room than the window has;
//   - a grid's column must hold its title and the widest value of its rows
//     between the cell's margins, except a last column that takes the rest of
//     the grid's width (it cuts long values at the grid's edge by design);
//   - a label's one line must fit its height as well as its width;
//   - "&" marks an access key and takes no room (in labels only when they
//     have a buddy, as QLabel draws them);
//   - an icon beside the text adds its width and the style's spacing, an
//     icon above it (tool buttons with the text under the icon) only counts
//     when it is the wider of the two;
//   - the style's own parts are added: check box and radio indicators, button
//     margins and frames (a tool button's label keeps a pixel clear of its
//     frame), tab padding, group box title margins;
//   - a word-wrapped text (QLabel::wordWrap, or any control with a true
//     "wordWrap" property) is wrapped to the room it has and must fit the
//     control's height, with no single word wider than that room;
//   - rich text in a label is measured as laid out.
//
// Show the window first (the offscreen platform will do), so that layouts
// and style sheets have placed and polished the controls.
//
//     EXPECT_TRUE(cutTexts(window).isEmpty()) << describeCutTexts(cutTexts(window));

#include <QList>
#include <QString>

class QWidget;

struct CutText {
    QWidget* widget;   // the control (for a tab, its tab bar)
    QString text;      // the text as set, "&" included
    int needed;        // pixels the text takes: width, or height for a word-wrapped text
    int available;     // pixels the control gives it, in the same direction
};

// The texts of the window that do not fit their controls, in the order of
// the window's children.
QList<CutText> cutTexts(const QWidget& window);

// One line per cut text, for a failure message:
// QToolButton "ToolButton1" "Primeiro": needs 47 px, has 41 px
QString describeCutTexts(const QList<CutText>& cut);
