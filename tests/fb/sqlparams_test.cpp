#include "fb/sqlparams.h"

#include <gtest/gtest.h>

TEST(NamedParams, ReplacesNamesAndKeepsEverythingElse)
{
    struct Case {
        const char* sql;
        const char* positional;
        QStringList names;
    } cases[] = {
        {"SELECT * FROM PAIS \r\nWHERE PACIENTE = :PACIENTE AND\r\n             TIPO = 'P'",
         "SELECT * FROM PAIS \r\nWHERE PACIENTE = ? AND\r\n             TIPO = 'P'", {"PACIENTE"}},
        {"where A = :id and B = :Id", "where A = ? and B = ?", {"ID", "ID"}},
        {"select ':X', \"a:b\" from T where c = :C -- :Y\n/* :Z */", "select ':X', \"a:b\" from T where c = ? -- :Y\n/* :Z */",
         {"C"}},
        {"select 'it''s :no' from T where d between :INICIO and :FINAL",
         "select 'it''s :no' from T where d between ? and ?", {"INICIO", "FINAL"}},
        {"select 1 from RDB$DATABASE", "select 1 from RDB$DATABASE", {}},
    };
    for (const Case& c : cases) {
        const fb::ParsedSql p = fb::parseNamedParams(QString::fromUtf8(c.sql));
        EXPECT_EQ(p.sql, QString::fromUtf8(c.positional)) << c.sql;
        EXPECT_EQ(p.names, c.names) << c.sql;
    }
}
