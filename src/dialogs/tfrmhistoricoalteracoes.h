#pragma once
// "Histórico de alterações": who changed what in one patient's record and
// when, newest first, each changed field with its old and new value, read
// from the database's audit trail; filtered by period and user. The whole
// old and new text of the chosen change shows below the list.

#include "store/changehistory.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class Tdm;

class TfrmHistoricoAlteracoes : public QDialog {
    Q_OBJECT
public:
    // Reads the patient's changes at once; throws EError when it cannot.
    TfrmHistoricoAlteracoes(Tdm& dm, int patient, const QString& patientName, QWidget* parent = nullptr);

    QDateEdit* dtpDe;
    QDateEdit* dtpAte;
    QComboBox* cbxUsuario;    // first "(todos)", then each user who changed the record
    QTreeWidget* lstAlteracoes;
    QLabel* lblTotal;
    QPlainTextEdit* memAntes;
    QPlainTextEdit* memDepois;
    QPushButton* btnFechar;

    // The changes the list shows, in its order.
    const QList<store::ChangeEntry>& entries() const { return m_entries; }

private:
    // Lists the changes the filter controls let through.
    void reload();
    // Reads the changes that filter lets through and lists them, the newest chosen.
    void list(const store::ChangeFilter& filter);
    void chosenChanged();

    Tdm& m_dm;
    int m_patient;
    QList<store::ChangeEntry> m_entries;
};
