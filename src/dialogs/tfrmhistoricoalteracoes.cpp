#include "dialogs/tfrmhistoricoalteracoes.h"

#include "core/eerror.h"
#include "platform/messages.h"
#include "platform/windowfont.h"
#include "store/tdm.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A value in one line of the list: line breaks as spaces, "…" where it goes on.
QString oneLine(QString value, bool cut)
{
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    return cut && value.size() >= store::kChangePreview ? value + QChar(0x2026) : value;
}

QDateEdit* dateEdit(QWidget* owner, const char* name)
{
    auto* edit = new QDateEdit(owner);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setCalendarPopup(true);
    return edit;
}

QPlainTextEdit* valueBox(QWidget* owner, const char* name)
{
    auto* box = new QPlainTextEdit(owner);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    return box;
}

} // namespace

TfrmHistoricoAlteracoes::TfrmHistoricoAlteracoes(Tdm& dm, int patient, const QString& patientName, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMaximizeButtonHint),
      m_dm(dm), m_patient(patient)
{
    setObjectName(QStringLiteral("frmHistoricoAlteracoes"));
    setWindowTitle(QStringLiteral(u"Histórico de alterações - ") + patientName);
    setFont(platform::windowFont());

    dtpDe = dateEdit(this, "dtpDe");
    dtpAte = dateEdit(this, "dtpAte");
    cbxUsuario = new QComboBox(this);
    cbxUsuario->setObjectName(QStringLiteral("cbxUsuario"));
    cbxUsuario->setMinimumContentsLength(16);
    auto* filters = new QHBoxLayout;
    const auto labelled = [&](const QString& caption, QWidget* control) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(control);
        filters->addWidget(label);
        filters->addWidget(control);
    };
    labelled(QStringLiteral("&De:"), dtpDe);
    labelled(QStringLiteral(u"&Até:"), dtpAte);
    labelled(QStringLiteral(u"&Usuário:"), cbxUsuario);
    filters->addStretch(1);

    lstAlteracoes = new QTreeWidget(this);
    lstAlteracoes->setObjectName(QStringLiteral("lstAlteracoes"));
    lstAlteracoes->setHeaderLabels({QStringLiteral("Data e hora"), QStringLiteral(u"Usuário"), QStringLiteral("Registro"),
                                    QStringLiteral(u"Ação"), QStringLiteral("Campo"), QStringLiteral("Antes"),
                                    QStringLiteral("Depois")});
    lstAlteracoes->setRootIsDecorated(false);
    lstAlteracoes->setAllColumnsShowFocus(true);
    lstAlteracoes->setUniformRowHeights(true);
    lblTotal = new QLabel(this);
    lblTotal->setObjectName(QStringLiteral("lblTotal"));

    memAntes = valueBox(this, "memAntes");
    memDepois = valueBox(this, "memDepois");
    auto* values = new QHBoxLayout;
    for (const auto& [caption, box] : {std::pair{QStringLiteral("Antes:"), memAntes}, std::pair{QStringLiteral("Depois:"), memDepois}}) {
        auto* column = new QVBoxLayout;
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        column->addWidget(label);
        column->addWidget(box);
        values->addLayout(column);
    }

    btnFechar = new QPushButton(QStringLiteral("Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    btnFechar->setAutoDefault(false);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblTotal, 1);
    bottom->addWidget(btnFechar);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(lstAlteracoes, 3);
    layout->addLayout(values, 1);
    layout->addLayout(bottom);
    resize(760, 520);

    const QStringList users = m_dm.ZConnection1.use([&](fb::Connection& c) { return store::changeUsers(c, patient); });
    cbxUsuario->addItem(QStringLiteral("(todos)"));
    cbxUsuario->addItems(users);
    // The window opens on every change there is, the period from the oldest to today.
    list(store::ChangeFilter{patient, {}, {}, {}});
    dtpDe->setDate(m_entries.isEmpty() ? QDate::currentDate() : m_entries.last().when.date());
    dtpAte->setDate(m_entries.isEmpty() ? QDate::currentDate() : std::max(QDate::currentDate(), m_entries.first().when.date()));

    connect(dtpDe, &QDateEdit::dateChanged, this, &TfrmHistoricoAlteracoes::reload);
    connect(dtpAte, &QDateEdit::dateChanged, this, &TfrmHistoricoAlteracoes::reload);
    connect(cbxUsuario, &QComboBox::currentIndexChanged, this, &TfrmHistoricoAlteracoes::reload);
    connect(lstAlteracoes, &QTreeWidget::currentItemChanged, this, &TfrmHistoricoAlteracoes::chosenChanged);
    chosenChanged();
}

void TfrmHistoricoAlteracoes::reload()
{
    list(store::ChangeFilter{m_patient, dtpDe->date(), dtpAte->date(),
                             cbxUsuario->currentIndex() > 0 ? cbxUsuario->currentText() : QString()});
}

void TfrmHistoricoAlteracoes::list(const store::ChangeFilter& filter)
{
    try {
        m_entries = m_dm.ZConnection1.use([&](fb::Connection& c) { return store::changeHistory(c, filter); });
    } catch (const EError& error) {
        m_entries.clear();
        platform::showError(error.message());
    }
    lstAlteracoes->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(m_entries.size());
    for (const store::ChangeEntry& e : m_entries)
        items << new QTreeWidgetItem(QStringList{e.when.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")), e.user,
                                                 store::changeTableLabel(e.table) + u' ' + e.key,
                                                 store::changeActionLabel(e.action), store::changeFieldLabel(e.field),
                                                 oneLine(e.before, e.cut), oneLine(e.after, e.cut)});
    lstAlteracoes->addTopLevelItems(items);
    lblTotal->setText(m_entries.size() == 1 ? QStringLiteral(u"1 alteração")
                                            : QStringLiteral(u"%1 alterações").arg(m_entries.size()));
    for (int c = 0; c < 5; ++c)
        lstAlteracoes->resizeColumnToContents(c);
    if (!items.isEmpty())
        lstAlteracoes->setCurrentItem(items.first());
    chosenChanged();
}

void TfrmHistoricoAlteracoes::chosenChanged()
{
    const int row = lstAlteracoes->currentItem() ? lstAlteracoes->indexOfTopLevelItem(lstAlteracoes->currentItem()) : -1;
    if (row < 0 || row >= m_entries.size()) {
        memAntes->clear();
        memDepois->clear();
        return;
    }
    const store::ChangeEntry& e = m_entries[row];
    std::pair<QString, QString> values{e.before, e.after};
    if (e.cut) {
        try {
            values = m_dm.ZConnection1.use([&](fb::Connection& c) { return store::changeValues(c, e.audit, e.field); });
        } catch (const EError& error) {
            platform::showError(error.message());
        }
    }
    memAntes->setPlainText(values.first);
    memDepois->setPlainText(values.second);
}
