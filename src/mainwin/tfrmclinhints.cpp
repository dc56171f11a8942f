// Hints: the age texts of the date boxes of "Ficha" and "Família", the
// looked-up texts of the lookup boxes, and the school box's hint that shows
// only when its text does not fit.

#include "mainwin/tfrmclin.h"

#include "core/clock.h"
#include "store/agetext.h"

#include <QStyle>

namespace {

const QChar kLineBreak = u'\r';

// The date in a field of the current record; invalid when the field or the record has none.
QDate dateOf(const ds::DataSet& data, const char* field)
{
    if (!data.isActive() || data.isEmpty())
        return {};
    const ds::Field* f = data.findField(QString::fromLatin1(field));
    return f && !f->isNull() ? f->asDate() : QDate();
}

// "Idade Atual: " and the parent's age, or nothing for a parent without a birth date.
QString parentAge(const ds::DataSet& parent)
{
    const QDate born = dateOf(parent, "NASCIMENTO");
    return born.isValid() ? QStringLiteral("Idade Atual: ") + TfrmClin::CalcIdade(born, Clock::today()) : QString();
}

} // namespace

QString TfrmClin::CalcIdade(const QDate& start, const QDate& end)
{
    return store::ageText(start, end, QStringLiteral(u" mêses"));
}

void TfrmClin::ApplicationEvents1Hint()
{
    if (!dm.ZConnection1.connected())
        return;
    const QDate today = Clock::today();
    if (m_visiblePage == 0) {
        const ds::DataSet& p = dm.qryPaciente;
        const QDate born = dateOf(p, "NASCIMENTO");
        const QDate registered = dateOf(p, "CADASTRO");
        const QDate left = dateOf(p, "SAIDA");
        if (born.isValid()) {
            DBEdit3->setToolTip(QStringLiteral("Idade Atual: ") + CalcIdade(born, today));
            // A record not registered yet has no age at registration to tell.
            DBEdit4->setToolTip(registered.isValid() ? QStringLiteral("Idade no Registro: ") +
                                                           CalcIdade(born, registered) + kLineBreak +
                                                           QStringLiteral("Data do Registro: ") +
                                                           CalcIdade(registered, today)
                                                     : QString());
        } else {
            DBEdit3->setToolTip(QString());
            DBEdit4->setToolTip(QString());
        }
        if (!left.isValid()) {
            DBEdit5->setToolTip(QString());
        } else {
            QString hint = QStringLiteral(u"Data de Saída: ") + CalcIdade(left, today);
            // Without a birth date there is no age at leaving to tell.
            if (born.isValid())
                hint += kLineBreak + QStringLiteral("com ") + CalcIdade(born, left);
            DBEdit5->setToolTip(hint);
        }
    } else if (m_visiblePage == 1) {
        DBEdit13->setToolTip(parentAge(dm.qryPai));
        DBEdit16->setToolTip(parentAge(dm.qryMae));
    }
}

void TfrmClin::UpdateLookupHints()
{
    const std::pair<controls::LookupComboBox*, const char*> boxes[] = {{DBLookupComboBox1, "DescrInstrucao"},
                                                                      {DBLookupComboBox2, "DescrEscola"},
                                                                      {DBLookupComboBox3, "NomeTerapeuta"},
                                                                      {DBLookupComboBox4, "DescrCarater"}};
    const ds::DataSet& p = dm.qryPaciente;
    for (const auto& [box, field] : boxes) {
        const ds::Field* f = p.isActive() && !p.isEmpty() ? p.findField(QString::fromLatin1(field)) : nullptr;
        box->setToolTip(f ? f->displayText() : QString());
    }
}

void TfrmClin::UpdateClippedHint(QComboBox* box)
{
    const QString shown = box->currentText();
    box->setToolTip(shown);
    const int frame = box->style()->pixelMetric(QStyle::PM_ComboBoxFrameWidth, nullptr, box);
    const int innerWidth = box->width() - 2 * frame;
    box->setProperty("ShowHint", QFontMetrics(font()).horizontalAdvance(shown) > innerWidth - 20);
}
