// The bound multi-line box and its loading on demand.

#include "controls/errorhandler.h"
#include "controls/fieldmemo.h"
#include "dataset/dataset.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

struct Sessions : ds::DataSet {
    Sessions()
    {
        addField(QStringLiteral("OBSERVACOES"), ds::FieldType::Memo).setDisplayLabel(QStringLiteral(u"OBSERVAÇÕES"));
        open();
        for (const char* note : {"primeira\r\nlinha dois", "segunda"}) {
            append();
            fieldByName(QStringLiteral("OBSERVACOES")).setValue(QString::fromLatin1(note));
            post();
        }
        first();
    }
    QString note() { return fieldByName(QStringLiteral("OBSERVACOES")).asString(); }
};

class FieldMemoTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        memo = new controls::FieldMemo(&window);
        other = new QLineEdit(&window);
        layout->addWidget(memo);
        layout->addWidget(other);
        memo->setDataSource(&source);
        memo->setDataField(QStringLiteral("OBSERVACOES"));
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    Sessions data;
    ds::DataSource source{&data};
    QWidget window;
    controls::FieldMemo* memo = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(FieldMemoTest, WithoutAutomaticDisplayTheTextWaitsForLoading)
{
    memo->setAutoDisplay(false);
    const QString placeholder = QStringLiteral(u"(OBSERVAÇÕES)");
    EXPECT_EQ(memo->toPlainText(), placeholder);
    EXPECT_TRUE(memo->isReadOnly());
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("x"));
    EXPECT_EQ(memo->toPlainText(), placeholder);
    EXPECT_EQ(data.state(), ds::DataSetState::Browse);

    memo->loadMemo();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("primeira\nlinha dois"));
    EXPECT_FALSE(memo->isReadOnly());

    data.next();
    EXPECT_EQ(memo->toPlainText(), placeholder);
    QTest::keyClick(memo, Qt::Key_Return);   // Enter loads, and types nothing
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("segunda"));
    data.first();
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("primeira\nlinha dois"));
    EXPECT_EQ(data.state(), ds::DataSetState::Browse);
}

TEST_F(FieldMemoTest, TypedTextGoesIntoTheFieldWhenLeavingAndBeforeAPost)
{
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("!"));
    EXPECT_EQ(data.state(), ds::DataSetState::Edit);
    other->setFocus();
    EXPECT_EQ(data.note(), QStringLiteral("primeira\nlinha dois!"));

    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("?"));
    data.post();
    EXPECT_EQ(data.note(), QStringLiteral("primeira\nlinha dois!?"));

    // Loading alone writes nothing back.
    data.next();
    data.first();
    EXPECT_FALSE(data.modified());
    EXPECT_EQ(data.state(), ds::DataSetState::Browse);
}

} // namespace
