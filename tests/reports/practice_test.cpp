// "Dados do consultório": the window of the "Ferramentas" menu, driven
// through its controls, and what it writes into the database.

#include "dialogs/tfrmconsultorio.h"
#include "mainwin/tfrmclin.h"
#include "reportsfixture.h"
#include "support/scriptedfiledialogs.h"
#include "support/textfit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class PracticeTest : public ReportsTest {
protected:
    PracticeTest()
    {
        addPatient57();
        // The practice's data is an administrator's to enter.
        dm.logIn(testusers::administrator().user, testusers::administrator().password);
        dm.qryPaciente.open();
        w = std::make_unique<TfrmClin>(dm);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    ~PracticeTest() override { w.reset(); }

    // A picture file of that size, one colour.
    QString picture(const char* name, QSize size) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = file(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(path));
        return path;
    }

    // Opens the window from the menu and hands it to `act`, which closes it.
    void inWindow(const std::function<void(TfrmConsultorio*)>& act)
    {
        ModalQueue queue({[&](QWidget* modal) {
            auto* dialog = qobject_cast<TfrmConsultorio*>(modal);
            ASSERT_NE(dialog, nullptr);
            act(dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the window stayed open";
                dialog->reject();
            }
        }});
        w->Dadosdoconsultorio1->trigger();
    }

    static void type(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    QVariantList stored() const
    {
        const QList<QVariantList> rows =
            db.rows(QStringLiteral("select NOME, ENDERECO, TELEFONE, REGISTRO, LOGOTIPO from CONSULTORIO"));
        return rows.size() == 1 ? rows[0] : QVariantList{};
    }

    std::unique_ptr<TfrmClin> w;
};

} // namespace

TEST_F(PracticeTest, TheWindowSavesWhatIsTypedAndTheLogoChosenAndCancelKeepsWhatWasSaved)
{
    ScriptedFileDialogs dialogs;
    EXPECT_EQ(w->Dadosdoconsultorio1->text(), QStringLiteral(u"Dados do consultório..."));
    dialogs.answers << picture("logo.png", QSize(1200, 400));
    inWindow([&](TfrmConsultorio* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral(u"Dados do consultório"));
        EXPECT_TRUE(cutTexts(*d).isEmpty()) << describeCutTexts(cutTexts(*d)).toStdString();
        EXPECT_FALSE(d->btnRemoverLogotipo->isEnabled()) << "nothing to remove yet";
        type(d->edtNome, QStringLiteral("Clinica Crescer"));
        type(d->edtEndereco, QStringLiteral("Rua das Flores, 10 - Campinas/SP"));
        type(d->edtTelefone, QStringLiteral("(19) 3232-4545"));
        type(d->edtRegistro, QStringLiteral("CRP 06/123456"));
        QTest::mouseClick(d->btnEscolherLogotipo, Qt::LeftButton);
        EXPECT_FALSE(d->imgLogotipo->pixmap().isNull());
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    const QVariantList row = stored();
    ASSERT_EQ(row.size(), 5);
    EXPECT_EQ(row[0].toString(), QStringLiteral("Clinica Crescer"));
    EXPECT_EQ(row[1].toString(), QStringLiteral("Rua das Flores, 10 - Campinas/SP"));
    EXPECT_EQ(row[2].toString(), QStringLiteral("(19) 3232-4545"));
    EXPECT_EQ(row[3].toString(), QStringLiteral("CRP 06/123456"));
    // A large picture is kept at a size enough for paper, its proportions kept.
    EXPECT_EQ(QImage::fromData(row[4].toByteArray()).size(), QSize(600, 200));

    // Opened again it shows what was saved; Esc leaves it so, and a file that is no picture is refused.
    dialogs.answers << file(QStringLiteral("nota.png"));
    {
        QFile text(file(QStringLiteral("nota.png")));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("isto não é uma imagem");
    }
    inWindow([&](TfrmConsultorio* d) {
        EXPECT_EQ(d->edtNome->text(), QStringLiteral("Clinica Crescer"));
        EXPECT_EQ(d->edtRegistro->text(), QStringLiteral("CRP 06/123456"));
        EXPECT_TRUE(d->btnRemoverLogotipo->isEnabled());
        QTest::mouseClick(d->btnEscolherLogotipo, Qt::LeftButton);
        EXPECT_EQ(d->values().Logotipo, row[4].toByteArray()) << "the logo chosen before stays";
        type(d->edtNome, QStringLiteral("Outro nome"));
        QTest::keyClick(d, Qt::Key_Escape);
    });
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].type, platform::MsgType::Error);
    EXPECT_TRUE(messages.requests[0].text.contains(QStringLiteral(u"não é uma imagem")));
    EXPECT_EQ(stored(), row);

    // Everything emptied and the logo removed: the practice has no data again.
    inWindow([&](TfrmConsultorio* d) {
        for (QLineEdit* box : {d->edtNome, d->edtEndereco, d->edtTelefone, d->edtRegistro}) {
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
        }
        QTest::mouseClick(d->btnRemoverLogotipo, Qt::LeftButton);
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    EXPECT_TRUE(dm.DadosConsultorio().isEmpty());
}
