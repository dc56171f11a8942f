#include "dialogs/tfrmlocalizar.h"

#include "dialogs/hitlistdelegate.h"
#include "platform/windowfont.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <algorithm>

namespace {
constexpr int kSelectToEnd = 1000;
constexpr int kPositionRole = Qt::UserRole;
} // namespace

// Takes the search routine off the field's change notification for its
// lifetime, so that the dialog's own changes of the text run no search, and
// puts back whatever was attached, also when an error interrupts.
class TfrmLocalizar::Detached {
public:
    explicit Detached(TfrmLocalizar& form) : m_form(form), m_saved(form.m_routine) { form.m_routine = nullptr; }
    ~Detached() { m_form.m_routine = m_saved; }
    Detached(const Detached&) = delete;
    Detached& operator=(const Detached&) = delete;

private:
    TfrmLocalizar& m_form;
    Routine m_saved;
};

TfrmLocalizar::TfrmLocalizar(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral(u"Localizar"));
    setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    setFont(platform::windowFont());
    setFixedSize(354, 192);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 338, 136);

    Label1 = new QLabel(QStringLiteral(u"Expressão:"), this);
    Label1->move(24, 27);
    Label1->adjustSize();

    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(88, 24, 242, 21);

    hitLine = new QTextEdit(this);
    hitLine->setGeometry(88, 53, 242, 21);
    hitLine->setReadOnly(true);
    hitLine->setFrameStyle(QFrame::NoFrame);
    hitLine->setFocusPolicy(Qt::NoFocus);
    hitLine->setLineWrapMode(QTextEdit::NoWrap);
    hitLine->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hitLine->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hitLine->document()->setDocumentMargin(0);
    QPalette face = hitLine->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Window));
    hitLine->setPalette(face);

    const auto option = [this](const QString& caption, int top) {
        auto* box = new QCheckBox(caption, this);
        box->move(24, top);
        box->adjustSize();
        connect(box, &QCheckBox::toggled, this, &TfrmLocalizar::chbxProcNoMeioClick);
        return box;
    };
    chbxProcNoMeio = option(QStringLiteral(u"Qualquer parte do texto"), 83);
    chbxMultiResult = option(QStringLiteral(u"Visualizar múltiplos resultados"), 100);
    chbxDifMaiMin = option(QStringLiteral(u"Sensível a maiúsculas/minúsculas"), 117);

    ListBox1 = new QListWidget(this);
    ListBox1->setGeometry(88, 48, 244, 96);
    ListBox1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setItemDelegate(new HitListDelegate([this](const QString& entry) { return hitOf(entry); }, ListBox1));
    ListBox1->hide();

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral(u"OK"), this);
    BitBtn1->setGeometry(88, 156, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral(u"Cancelar"), this);
    BitBtn2->setGeometry(191, 156, 75, 25);

    const QList<QPair<QObject*, const char*>> names{
        {Bevel1, "Bevel1"}, {Label1, "Label1"}, {Edit1, "Edit1"}, {hitLine, "hitLine"},
        {chbxProcNoMeio, "chbxProcNoMeio"}, {chbxMultiResult, "chbxMultiResult"}, {chbxDifMaiMin, "chbxDifMaiMin"},
        {ListBox1, "ListBox1"}, {BitBtn1, "BitBtn1"}, {BitBtn2, "BitBtn2"}};
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));

    connect(Edit1, &QLineEdit::textChanged, this, &TfrmLocalizar::textChanged);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TfrmLocalizar::ListBox1DblClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmLocalizar::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    Edit1->installEventFilter(this);
    ListBox1->installEventFilter(this);

    m_routine = &TfrmLocalizar::Edit1Change;
    Edit1->setFocus();
}

TfrmLocalizar::~TfrmLocalizar() = default;

void TfrmLocalizar::setStrings(const QStringList& strings)
{
    FStrings = strings;
    if (!aux)
        aux = std::make_unique<QStringList>();
    *aux = strings;
}

void TfrmLocalizar::setIndex(int index)
{
    if (index == FIndex)
        return;
    {
        Detached quiet(*this);
        const bool inList = index >= 0 && index < FStrings.size();
        Edit1->setText(inList ? FStrings.at(index) : QString());
        Edit1->selectAll();
    }
    FIndex = index;
}

void TfrmLocalizar::showEvent(QShowEvent* event)
{
    // The caller's prompt at its full width, ending a few pixels before the
    // field when it is longer than the dialog's own.
    Label1->adjustSize();
    Label1->move(std::min(Label1->x(), Edit1->x() - 6 - Label1->width()), Label1->y());
    QDialog::showEvent(event);
}

int TfrmLocalizar::exec()
{
    m_inExec = true;
    const int result = QDialog::exec();
    m_inExec = false;
    // Destroyed only once the caller is back in its event loop, after it has
    // read Index and the field.
    if (m_closed)
        deleteLater();
    return result;
}

void TfrmLocalizar::done(int result)
{
    if (!m_closed)
        FormClose(result);
    QDialog::done(result);
}

void TfrmLocalizar::FormClose(int result)
{
    if (result == Accepted && !ListBox1->isHidden() && ListBox1->hasFocus())
        chooseSelectedRow();
    aux.reset();
    m_closed = true;
    if (!m_inExec)
        deleteLater();
}

void TfrmLocalizar::textChanged()
{
    if (m_routine)
        (this->*m_routine)();
}

QString TfrmLocalizar::comparisonForm(const QString& text) const
{
    if (chbxDifMaiMin->isChecked())
        return text;
    // One character for one, so that positions found in the comparison form
    // are positions in the entry as stored.
    QString upper = text;
    for (QChar& c : upper)
        c = c.toUpper();
    return upper;
}

int TfrmLocalizar::containsAt(const QString& expression, const QString& entry) const
{
    if (expression.isEmpty())
        return 0;
    return int(comparisonForm(entry).indexOf(comparisonForm(expression))) + 1;
}

QPair<int, int> TfrmLocalizar::hitOf(const QString& entry) const
{
    const QString expression = Edit1->text();
    return {containsAt(expression, entry), int(expression.size())};
}

void TfrmLocalizar::Edit1Change()
{
    Detached quiet(*this);
    if (entryCount() == 0)
        return;
    const int caret = Edit1->hasSelectedText() ? Edit1->selectionStart() : Edit1->cursorPosition();
    const QString prefix = comparisonForm(Edit1->text().left(caret));
    for (int i = 0; i < entryCount(); ++i) {
        if (comparisonForm(aux->at(i)).startsWith(prefix)) {
            Edit1->setText(aux->at(i));
            Edit1->setSelection(caret, kSelectToEnd);
            FIndex = i;
            return;
        }
    }
    Edit1->setText(Edit1->text().left(caret));
    Edit1->setCursorPosition(caret);
    FIndex = -1;
}

void TfrmLocalizar::FindAnywhere()
{
    if (entryCount() == 0)
        return;
    const QString expression = Edit1->text();
    hitLine->clear();
    FIndex = -1;
    for (int i = 0; i < entryCount(); ++i) {
        const QString& entry = aux->at(i);
        const int at = containsAt(expression, entry);
        if (at == 0)
            continue;
        QTextCursor cursor(hitLine->document());
        QTextCharFormat hit;
        hit.setFontWeight(QFont::Bold);
        hit.setForeground(QColor(0, 0, 255));
        cursor.insertText(entry.left(at - 1), QTextCharFormat());
        cursor.insertText(entry.mid(at - 1, expression.size()), hit);
        cursor.insertText(entry.mid(at - 1 + expression.size()), QTextCharFormat());
        FIndex = i;
        return;
    }
}

void TfrmLocalizar::FindMultiple()
{
    const QString expression = Edit1->text();
    const QString typed = comparisonForm(expression);
    const bool anywhere = chbxProcNoMeio->isChecked();
    const int limit = ListBox1->contentsRect().height() / HitListDelegate::kRowHeight;
    ListBox1->clear();
    for (int i = 0; i < entryCount() && ListBox1->count() < limit; ++i) {
        const QString& entry = aux->at(i);
        if (anywhere ? containsAt(expression, entry) > 0 : comparisonForm(entry).startsWith(typed)) {
            auto* row = new QListWidgetItem(entry, ListBox1);
            row->setData(kPositionRole, i);
        }
    }
    hitLine->clear();
    ListBox1->setCurrentItem(nullptr);
    ListBox1->clearSelection();
}

void TfrmLocalizar::chbxProcNoMeioClick()
{
    if (chbxMultiResult->isChecked())
        m_routine = &TfrmLocalizar::FindMultiple;
    else if (chbxProcNoMeio->isChecked())
        m_routine = &TfrmLocalizar::FindAnywhere;
    else
        m_routine = &TfrmLocalizar::Edit1Change;
    hitLine->clear();
    ListBox1->setVisible(chbxMultiResult->isChecked());
    Edit1->clear();
    Edit1->setFocus();
}

bool TfrmLocalizar::Edit1KeyDown(int key)
{
    if (key == Qt::Key_Backspace) {
        const int caret = Edit1->hasSelectedText() ? Edit1->selectionStart() : Edit1->cursorPosition();
        if (caret > 0)
            Edit1->setSelection(caret - 1, kSelectToEnd);
        return false;
    }
    if (key == Qt::Key_Down && !ListBox1->isHidden() && ListBox1->count() > 0) {
        ListBox1->setCurrentRow(0);
        ListBox1->setFocus();
        return true;
    }
    return false;
}

bool TfrmLocalizar::ListBox1KeyDown(int key)
{
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && ListBox1->count() > 0) {
        ListBox1DblClick();
        return true;
    }
    return false;
}

bool TfrmLocalizar::chooseSelectedRow()
{
    const QListWidgetItem* row = ListBox1->currentItem();
    if (!row || !row->isSelected())
        return false;
    FIndex = row->data(kPositionRole).toInt();
    return true;
}

void TfrmLocalizar::ListBox1DblClick()
{
    if (chooseSelectedRow())
        done(Accepted);
}

void TfrmLocalizar::BitBtn1Click()
{
    if (!ListBox1->isHidden() && ListBox1->count() > 0)
        chooseSelectedRow();
    accept();
}

bool TfrmLocalizar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == Edit1)
            return Edit1KeyDown(key);
        if (watched == ListBox1)
            return ListBox1KeyDown(key);
    }
    return QDialog::eventFilter(watched, event);
}
