#pragma once
// The period of the period reports; a null date means no date is set.

#include <QDate>

struct TPeriodo {
    QDate Inicio;
    QDate Fim;
};
