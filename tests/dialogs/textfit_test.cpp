// The check that every text of a window fits its control, tried on controls
// sized just to fit and just too small.

#include "platform/windowfont.h"
#include "support/textfit.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QStringList reported(const QWidget& window)
{
    QStringList names;
    for (const CutText& c : cutTexts(window))
        names << c.widget->objectName();
    return names;
}

template <typename W>
W* add(QWidget& window, const char* name, const QString& text)
{
    auto* w = new W(text, &window);
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

TEST(TextFit, ReportsTheControlsTooSmallForTheirTexts)
{
    QDialog window;
    window.setFont(platform::windowFont());
    window.resize(600, 400);
    const QFontMetrics fm(window.font());
    const int nome = fm.size(Qt::TextShowMnemonic, QStringLiteral("&Nome:")).width();

    // The "&" of an access key takes no room, but only a label with a buddy hides it.
    auto* buddy = new QLineEdit(&window);
    auto* keyed = add<QLabel>(window, "keyed", QStringLiteral("&Nome:"));
    keyed->setBuddy(buddy);
    keyed->setGeometry(0, 0, nome, 20);
    add<QLabel>(window, "ampersandShown", QStringLiteral("&Nome:"))->setGeometry(0, 30, nome, 20);

    // A wrapped label must hold all its lines.
    const QString sentence = QStringLiteral("Retornar próxima data se a desejada não for encontrada");
    auto* tall = add<QLabel>(window, "wrappedTall", sentence);
    tall->setWordWrap(true);
    tall->setGeometry(0, 60, 120, 4 * fm.height());
    auto* flat = add<QLabel>(window, "wrappedFlat", sentence);
    flat->setWordWrap(true);
    flat->setGeometry(0, 120, 120, fm.height());

    // A button's icon stands beside its text.
    auto* plain = add<QPushButton>(window, "plainButton", QStringLiteral("Cancelar"));
    plain->setGeometry(200, 0, 75, 25);
    auto* narrow = add<QPushButton>(window, "narrowButton", QStringLiteral("Cancelar"));
    narrow->setGeometry(200, 30, fm.horizontalAdvance(QStringLiteral("Cancelar")), 25);
    auto* iconed = add<QPushButton>(window, "iconButton", QStringLiteral("Cancelar"));
    iconed->setIcon(window.style()->standardIcon(QStyle::SP_DialogCancelButton));
    iconed->setGeometry(200, 60, fm.horizontalAdvance(QStringLiteral("Cancelar")) + 14, 25);

    // A check box's indicator takes room before its caption.
    auto* option = add<QCheckBox>(window, "narrowOption", QStringLiteral("Qualquer parte do texto"));
    option->setGeometry(300, 0, fm.horizontalAdvance(QStringLiteral("Qualquer parte do texto")), 20);

    // A tool button with its text under the icon needs the wider of the two.
    auto* tool = new QToolButton(&window);
    tool->setObjectName(QStringLiteral("toolButton"));
    tool->setText(QStringLiteral("Primeiro"));
    tool->setIcon(window.style()->standardIcon(QStyle::SP_ArrowLeft));
    tool->setIconSize(QSize(16, 16));
    tool->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tool->setGeometry(300, 30, fm.horizontalAdvance(QStringLiteral("Primeiro")), 36);

    // Hidden controls are not looked at.
    add<QLabel>(window, "hidden", sentence)->hide();

    window.show();
    EXPECT_EQ(reported(window), (QStringList{"ampersandShown", "wrappedFlat", "narrowButton", "iconButton",
                                             "narrowOption", "toolButton"}));
    const QString description = describeCutTexts(cutTexts(window));
    EXPECT_TRUE(description.startsWith(QStringLiteral("QLabel \"ampersandShown\" \"&Nome:\": needs ")))
        << description.toStdString();
}
