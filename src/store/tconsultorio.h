#pragma once
// The practice as its printed reports and the record export name it:
// entered once in "Dados do consultório", kept in the one row of CONSULTORIO.

#include <QByteArray>
#include <QString>

struct TConsultorio {
    QString Nome;
    QString Endereco;
    QString Telefone;
    QString Registro;   // the professional registration number (CRP 06/123456)
    QByteArray Logotipo; // the logo as a picture file (PNG); empty when there is none

    // Nothing entered: the reports print no heading.
    bool isEmpty() const
    {
        return Nome.trimmed().isEmpty() && Endereco.trimmed().isEmpty() && Telefone.trimmed().isEmpty() &&
               Registro.trimmed().isEmpty() && Logotipo.isEmpty();
    }
    bool operator==(const TConsultorio&) const = default;
};
