#include "dialogs/backupprogressdialog.h"

#include "platform/showpainted.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

BackupProgressDialog::BackupProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_step(new QLabel(this)),
      m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("BackupProgressDialog"));
    setWindowModality(Qt::ApplicationModal);
    m_step->setObjectName(QStringLiteral("lblPasso"));
    m_bar->setObjectName(QStringLiteral("pbTabelas"));
    m_bar->setFormat(QStringLiteral("%v de %m tabelas"));
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_step);
    layout->addWidget(m_bar);
    setMinimumWidth(420);
}

void BackupProgressDialog::begin(const QString& title)
{
    setWindowTitle(title);
    // The tool runs with no events running: the window is painted whole now,
    // and again at every step.
    platform::showPainted(*this);
    raise();
    activateWindow();
}

void BackupProgressDialog::setProgress(const BackupProgress& progress)
{
    m_step->setText(progress.step);
    m_bar->setRange(0, std::max(1, progress.total));
    m_bar->setValue(std::clamp(progress.done, 0, std::max(1, progress.total)));
    // Steps between runs of the tool come while no event loop runs.
    repaint();
}

void BackupProgressDialog::reject() {}

void BackupProgressDialog::closeEvent(QCloseEvent* event) { event->ignore(); }
