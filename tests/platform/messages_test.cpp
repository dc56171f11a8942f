#include "platform/messages.h"
#include "support/modaldriver.h"
#include "support/scriptedmessages.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using platform::MsgButton;
using platform::MsgType;

namespace {

struct SeenBox {
    QString title;
    QStringList buttons;
    QString defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Shows the request through the Qt service, reads the box back, then closes
// it with Esc or by clicking the button with the given caption.
MsgButton showAndAnswer(const platform::MessageRequest& request, SeenBox& seen, const QString& click = {})
{
    ModalDriver driver([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == click) {
                b->click();
                return;
            }
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    const MsgButton answer = platform::MessageService::instance().show(request);
    EXPECT_TRUE(driver.acted());
    return answer;
}

TEST(MessagesTest, TypedBoxesCarryTheirTitleIconAndPortugueseButtons)
{
    struct BoxCase {
        MsgType type;
        QString title;
        QMessageBox::Icon icon;
    };
    const BoxCase cases[] = {
        {MsgType::Plain, QStringLiteral(u"Marvok"), QMessageBox::NoIcon},
        {MsgType::Warning, QStringLiteral(u"Atenção"), QMessageBox::Warning},
        {MsgType::Error, QStringLiteral(u"Erro"), QMessageBox::Critical},
        {MsgType::Information, QStringLiteral(u"Informação"), QMessageBox::Information},
        {MsgType::Confirmation, QStringLiteral(u"Confirmação"), QMessageBox::Question},
    };
    for (const BoxCase& c : cases) {
        platform::MessageRequest request;
        request.type = c.type;
        request.text = QStringLiteral(u"Texto");
        request.buttons = {MsgButton::Yes, MsgButton::No, MsgButton::Ok, MsgButton::Cancel};
        request.defaultButton = MsgButton::Cancel;
        SeenBox seen;
        showAndAnswer(request, seen, QStringLiteral(u"OK"));
        EXPECT_EQ(seen.title, c.title);
        EXPECT_EQ(seen.icon, c.icon);
        seen.buttons.sort();
        EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral(u"&Não"), QStringLiteral(u"&Sim"), QStringLiteral(u"Cancelar"),
                                             QStringLiteral(u"OK")}));
        EXPECT_EQ(seen.defaultButton, QStringLiteral(u"Cancelar"));
    }
}

TEST(MessagesTest, EscAnswersCancelThenNoThenOk)
{
    struct EscCase {
        QList<MsgButton> buttons;
        MsgButton answer;
    };
    const EscCase cases[] = {
        {{MsgButton::Yes, MsgButton::No}, MsgButton::No},
        // Closing "Salvar alterações?" keeps the change pending.
        {{MsgButton::Yes, MsgButton::No, MsgButton::Cancel}, MsgButton::Cancel},
        {{MsgButton::Ok, MsgButton::Cancel}, MsgButton::Cancel},
        {{MsgButton::Ok}, MsgButton::Ok},
    };
    for (const EscCase& c : cases) {
        platform::MessageRequest request;
        request.type = MsgType::Confirmation;
        request.buttons = c.buttons;
        request.defaultButton = c.buttons.first();
        SeenBox seen;
        EXPECT_EQ(showAndAnswer(request, seen), c.answer);
        EXPECT_EQ(platform::escapeAnswer(request), c.answer);
    }
}

TEST(MessagesTest, ClickedButtonIsTheAnswer)
{
    SeenBox seen;
    platform::MessageRequest request;
    request.buttons = {MsgButton::Yes, MsgButton::No};
    request.defaultButton = MsgButton::No;
    EXPECT_EQ(showAndAnswer(request, seen, QStringLiteral(u"&Sim")), MsgButton::Yes);
    EXPECT_EQ(seen.defaultButton, QStringLiteral(u"&Não"));
}

TEST(MessagesTest, ScriptedServiceRecordsRequestsAnswersFromItsQueueAndStepsAside)
{
    platform::MessageService* before = &platform::MessageService::instance();
    {
        ScriptedMessages script;
        script.answers.enqueue(MsgButton::No);
        EXPECT_EQ(platform::askYesNo(QStringLiteral(u"Excluir?")), MsgButton::No);
        EXPECT_EQ(platform::askYesNo(QStringLiteral(u"De novo?"), MsgButton::No), MsgButton::No); // the default
        platform::showError(QStringLiteral(u"Falhou"));
        ASSERT_EQ(script.requests.size(), 3);
        EXPECT_EQ(script.requests[0].type, MsgType::Confirmation);
        EXPECT_EQ(script.requests[0].buttons, (QList<MsgButton>{MsgButton::Yes, MsgButton::No}));
        EXPECT_EQ(script.requests[2].type, MsgType::Error);
        EXPECT_EQ(script.requests[2].text, QStringLiteral(u"Falhou"));
    }
    EXPECT_EQ(&platform::MessageService::instance(), before);
}

} // namespace
