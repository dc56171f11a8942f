// What keeps the screen current while the user edits: the focus poller and
// the patient number, the note loader, the note boxes' font sizes, the
// guidance types and the e-mail box.

#include "mainwin/tfrmclin.h"

#include "controls/linklabel.h"
#include "mainwin/pagebuilder.h"
#include "platform/shell.h"

#include <QScopeGuard>

namespace {
constexpr int kSmallestNoteFont = 6;
constexpr int kLargestNoteFont = 30;
} // namespace

void TfrmClin::Timer1Timer()
{
    if (!dm.ZConnection1.connected())
        return;
    // While the number box has the focus the bare number is shown; the box
    // takes its text again only when the record, the focus or the edit state changes.
    ds::Field& id = dm.qryPaciente.fieldByName(QStringLiteral("ID"));
    const int focused = DBEdit1->hasFocus() ? 1 : 0;
    if (id.tag() != focused) {
        id.setTag(focused);
        DBEdit1->repaint();
    }
}

void TfrmClin::StartNoteLoader()
{
    // A loader already counting keeps its second.
    if (!tmrObs->isActive())
        tmrObs->start();
}

void TfrmClin::tmrObsTimer()
{
    tmrObs->stop();
    if (!dm.ZConnection1.connected())
        return;
    const std::pair<controls::FieldMemo*, QWidget*> notes[] = {
        {mmoConsulta, tsSessoes}, {mmoReavaliacao, tsAvaliacoes}, {mmoIndicacoes, tsIndicacoes},
        {mmoOrientacao, tsOrientacoes}};
    for (const auto& [memo, onPage] : notes)
        if (onPage->isVisibleTo(PageControl1)) {
            memo->loadMemo();
            return;
        }
}

int TfrmClin::noteFontSize(const controls::FieldMemo* memo) { return memo->font().pointSize(); }

void TfrmClin::ChangeNoteFont(controls::FieldMemo* memo, int step)
{
    const int size = noteFontSize(memo);
    if ((step > 0 && size >= kLargestNoteFont) || (step < 0 && size <= kSmallestNoteFont))
        return;
    QFont f = memo->font();
    f.setPointSize(size + step);
    memo->setFont(f);
}

void TfrmClin::CreateFontButtons(PageBuilder& b, controls::FieldMemo* memo, QPoint at, const char* moreName,
                                 QToolButton*& more, const char* lessName, QToolButton*& less)
{
    more = b.flatButton(moreName, "format-font-size-more", QStringLiteral("Aumentar Fonte"), {at, QSize(25, 25)});
    less = b.flatButton(lessName, "format-font-size-less", QStringLiteral("Diminuir Fonte"),
                        {at + QPoint(26, 0), QSize(25, 25)});
    connect(more, &QToolButton::clicked, this, [this, memo] { ChangeNoteFont(memo, +1); });
    connect(less, &QToolButton::clicked, this, [this, memo] { ChangeNoteFont(memo, -1); });
}

void TfrmClin::FillGuidanceTypes()
{
    ds::DataSet& types = dm.qryTipoOrientacao;
    if (!types.isActive())
        types.open();
    const ds::Bookmark current = types.bookmark();
    const auto back = qScopeGuard([&] {
        if (types.bookmarkValid(current))
            types.gotoBookmark(current);
    });
    const ds::Field& description = types.fieldByName(QStringLiteral("DESCRICAO"));
    const ds::Field& id = types.fieldByName(QStringLiteral("ID"));
    for (types.first(); !types.eof(); types.next())
        cbxTipoOrientacao->addItem(description.asString(), id.asInteger());
    // No type is chosen until the user chooses one.
    cbxTipoOrientacao->setCurrentIndex(-1);
}

void TfrmClin::cbxTipoOrientacaoChange(int item)
{
    m_chosenGuidanceType = cbxTipoOrientacao->itemData(item).toInt();
    dm.chosenGuidanceType = m_chosenGuidanceType;
    const auto searchable = qScopeGuard([this] { btnLocalizarOrientacao->setEnabled(dm.qryOrientacao.isActive()); });
    dm.qryOrientacao.close();
    dm.qryOrientacao.paramByName(QStringLiteral("TIPO")).setAsInteger(m_chosenGuidanceType);
    dm.qryOrientacao.open();
}

void TfrmClin::dbEmailDblClick()
{
    const QString address = dbEmail->text();
    if (address.isEmpty())
        return;
    controls::setTextColor(dbEmail, controls::visitedLinkColor());
    platform::Shell::instance().openUrl(QStringLiteral("mailto:") + address);
}

void TfrmClin::PacienteAfterScroll() { controls::setTextColor(dbEmail, controls::linkColor()); }
