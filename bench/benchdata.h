#pragma once
// The benchmarks' data: a database holding many patients.

#include "support/testdatabase.h"

namespace bench {

// Patients 1 to count, with every column of the registration filled in.
inline void fillPatients(const TestDatabase& db, int count)
{
    db.exec(QStringLiteral(
                "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= %1) DO BEGIN "
                "INSERT INTO PACIENTE (ID, NOME, EMAIL, NASCIMENTO, CADASTRO, STATUS, FONE, ENDERECO, BAIRRO, CIDADE, "
                "UF, CEP) VALUES (:I, 'Paciente ' || (MOD(:I * 7919, %1)), 'p' || :I || '@exemplo.com.br', "
                "DATEADD(MOD(:I, 4000) DAY TO DATE '2000-01-01'), DATE '2011-03-05', 'A', '1133334444', "
                "'Rua das Acácias, ' || :I, 'Centro', 'São Paulo', 'SP', '01234567'); I = I + 1; END END")
                .arg(count));
}

} // namespace bench
