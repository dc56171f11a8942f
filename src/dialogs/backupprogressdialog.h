#pragma once
// The window shown while a backup or a restore works: the step, and the
// tables done of all. Modal to the whole program, so that nothing else can be
// done meanwhile, and it cannot be closed: the work is not to be stopped
// halfway. It keeps repainting while the tool runs.

#include "backup/backupevents.h"

#include <QDialog>

class QLabel;
class QProgressBar;

class BackupProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit BackupProgressDialog(QWidget* parent = nullptr);

    // Shows the window with that title.
    void begin(const QString& title);
    // Shows the step and the count at once.
    void setProgress(const BackupProgress& progress);

    QLabel* stepLabel() const { return m_step; }
    QProgressBar* progressBar() const { return m_bar; }

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_step;
    QProgressBar* m_bar;
};
