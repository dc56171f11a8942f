#pragma once
// "Dados do consultório": the practice's name, address, telephone,
// professional registration and logo, which every printed report and the
// record export carry above their title. OK saves them at once; Cancel and
// Esc leave them as they were.

#include "store/tconsultorio.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Tdm;

class TfrmConsultorio : public QDialog {
    Q_OBJECT
public:
    // Reads the practice's data from the database; throws EError when it cannot.
    explicit TfrmConsultorio(Tdm& dm, QWidget* parent = nullptr);

    // What the window holds now.
    TConsultorio values() const;

    QLineEdit* edtNome;
    QLineEdit* edtEndereco;
    QLineEdit* edtTelefone;
    QLineEdit* edtRegistro;
    QLabel* imgLogotipo;
    QPushButton* btnEscolherLogotipo;
    QPushButton* btnRemoverLogotipo;
    QPushButton* btnOK;
    QPushButton* btnCancel;

    void accept() override;

private:
    void btnEscolherLogotipoClick();
    void setLogo(const QByteArray& picture);

    Tdm& m_dm;
    QByteArray m_logo;
};
