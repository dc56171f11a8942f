#include "dialogs/tfrmusuarios.h"

#include "core/eerror.h"
#include "dialogs/tfrmsenha.h"
#include "platform/messages.h"
#include "platform/windowfont.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

namespace {

QString roleText(store::UserRole role)
{
    return role == store::UserRole::Administrator ? QStringLiteral("Administrador") : QStringLiteral("Terapeuta");
}

QPushButton* button(QWidget* owner, const QString& caption, const char* name)
{
    auto* b = new QPushButton(caption, owner);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TfrmNovoUsuario::TfrmNovoUsuario(Create create, QWidget* parent)
    : ActionDialog(QStringLiteral(u"Novo usuário"), parent)
{
    setObjectName(QStringLiteral("frmNovoUsuario"));
    edtUsuario = addTextRow(QStringLiteral(u"&Usuário:"), "edtUsuario", false);
    edtSenha = addTextRow(QStringLiteral("&Senha:"), "edtSenha", true);
    edtConfirmacao = addTextRow(QStringLiteral("&Confirme a senha:"), "edtConfirmacao", true);
    cbxPapel = new QComboBox(this);
    cbxPapel->setObjectName(QStringLiteral("cbxPapel"));
    cbxPapel->addItem(roleText(store::UserRole::Therapist), int(store::UserRole::Therapist));
    cbxPapel->addItem(roleText(store::UserRole::Administrator), int(store::UserRole::Administrator));
    addRow(QStringLiteral("&Papel:"), cbxPapel);
    action = [this, create = std::move(create)] {
        requireSamePassword(edtSenha->text(), edtConfirmacao->text());
        create(store::userName(edtUsuario->text()), edtSenha->text(),
               store::UserRole(cbxPapel->currentData().toInt()));
    };
}

TfrmUsuarios::TfrmUsuarios(store::UserAdmin& admin, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_admin(admin)
{
    setObjectName(QStringLiteral("frmUsuarios"));
    setWindowTitle(QStringLiteral(u"Usuários"));
    setFont(platform::windowFont());

    lstUsuarios = new QTreeWidget(this);
    lstUsuarios->setObjectName(QStringLiteral("lstUsuarios"));
    lstUsuarios->setHeaderLabels({QStringLiteral(u"Usuário"), QStringLiteral("Papel"), QStringLiteral(u"Situação")});
    lstUsuarios->setRootIsDecorated(false);
    lstUsuarios->setAllColumnsShowFocus(true);
    lstUsuarios->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lstUsuarios->header()->setStretchLastSection(false);

    btnNovo = button(this, QStringLiteral("&Novo..."), "btnNovo");
    btnSenha = button(this, QStringLiteral("Nova &senha..."), "btnSenha");
    btnAtivo = button(this, QStringLiteral("&Desativar"), "btnAtivo");
    btnPapel = button(this, QStringLiteral("Tornar &administrador"), "btnPapel");
    btnFechar = button(this, QStringLiteral("Fechar"), "btnFechar");
    auto* side = new QVBoxLayout;
    for (QPushButton* b : {btnNovo, btnSenha, btnAtivo, btnPapel})
        side->addWidget(b);
    side->addStretch(1);
    side->addWidget(btnFechar);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lstUsuarios, 1);
    layout->addLayout(side);
    resize(520, 300);

    connect(lstUsuarios, &QTreeWidget::currentItemChanged, this, &TfrmUsuarios::chosenChanged);
    connect(btnNovo, &QPushButton::clicked, this, &TfrmUsuarios::btnNovoClick);
    connect(btnSenha, &QPushButton::clicked, this, &TfrmUsuarios::btnSenhaClick);
    connect(btnAtivo, &QPushButton::clicked, this, &TfrmUsuarios::btnAtivoClick);
    connect(btnPapel, &QPushButton::clicked, this, &TfrmUsuarios::btnPapelClick);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
    reload();
}

QString TfrmUsuarios::chosenUser() const
{
    const QTreeWidgetItem* item = lstUsuarios->currentItem();
    return item ? item->text(0) : QString();
}

void TfrmUsuarios::reload(const QString& choose)
{
    const QString keep = choose.isEmpty() ? chosenUser() : choose;
    m_users = m_admin.users();
    lstUsuarios->clear();
    for (const store::UserEntry& u : m_users) {
        auto* item = new QTreeWidgetItem(lstUsuarios, {u.name, roleText(u.role),
                                                       u.active ? QStringLiteral("Ativo") : QStringLiteral("Desativado")});
        if (u.name == keep)
            lstUsuarios->setCurrentItem(item);
    }
    if (!lstUsuarios->currentItem() && lstUsuarios->topLevelItemCount() > 0)
        lstUsuarios->setCurrentItem(lstUsuarios->topLevelItem(0));
    for (int c = 1; c < lstUsuarios->columnCount(); ++c)
        lstUsuarios->resizeColumnToContents(c);
    chosenChanged();
}

void TfrmUsuarios::chosenChanged()
{
    const int row = lstUsuarios->currentItem() ? lstUsuarios->indexOfTopLevelItem(lstUsuarios->currentItem()) : -1;
    const bool chosen = row >= 0 && row < m_users.size();
    for (QPushButton* b : {btnSenha, btnAtivo, btnPapel})
        b->setEnabled(chosen);
    const bool active = !chosen || m_users[row].active;
    btnAtivo->setText(active ? QStringLiteral("&Desativar") : QStringLiteral("&Ativar"));
    const bool administrator = chosen && m_users[row].role == store::UserRole::Administrator;
    btnPapel->setText(administrator ? QStringLiteral("Tornar &terapeuta") : QStringLiteral("Tornar &administrador"));
}

void TfrmUsuarios::change(const std::function<void(const store::UserEntry&)>& what)
{
    const QString name = chosenUser();
    for (const store::UserEntry& u : m_users)
        if (u.name == name) {
            try {
                what(u);
            } catch (const EError& error) {
                platform::showError(error.message());
            }
            reload(name);
            return;
        }
}

void TfrmUsuarios::btnNovoClick()
{
    QString created;
    const auto dialog = std::make_unique<TfrmNovoUsuario>(
        [this, &created](const QString& name, const QString& password, store::UserRole role) {
            m_admin.create(name, password, role);
            created = name;
        },
        this);
    if (dialog->exec() == QDialog::Accepted)
        reload(created);
}

void TfrmUsuarios::btnSenhaClick()
{
    change([this](const store::UserEntry& u) {
        const auto dialog = std::make_unique<TfrmSenha>(
            QStringLiteral(u"Nova senha de %1").arg(u.name), false,
            [this, &u](const QString&, const QString& next) { m_admin.setPassword(u.name, next); }, this);
        if (dialog->exec() == QDialog::Accepted)
            platform::showInformation(QStringLiteral(u"A senha de %1 foi trocada.").arg(u.name));
    });
}

void TfrmUsuarios::btnAtivoClick()
{
    change([this](const store::UserEntry& u) {
        if (u.active &&
            platform::askYesNo(QStringLiteral(u"Desativar o usuário %1? Ele não poderá mais entrar no Marvok até ser "
                                              u"ativado de novo.")
                                   .arg(u.name),
                               platform::MsgButton::No) != platform::MsgButton::Yes)
            return;
        m_admin.setActive(u.name, !u.active);
    });
}

void TfrmUsuarios::btnPapelClick()
{
    change([this](const store::UserEntry& u) {
        m_admin.setRole(u.name, u.role == store::UserRole::Administrator ? store::UserRole::Therapist
                                                                          : store::UserRole::Administrator);
    });
}
