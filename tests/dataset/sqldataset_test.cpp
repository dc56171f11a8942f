// Data sets over statements of a real database.

#include "dataset/connection.h"
#include "dataset/dberror.h"
#include "dataset/sqldataset.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

using ds::FieldType;

namespace {

class SqlDataSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO TERAPEUTA (ID, NOME) VALUES (1, 'Dra. Lúcia')"));
        db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS, TERAPEUTA) "
                               "VALUES (7, 'Zé', '2005-06-10', '2011-03-05', 'A', 1)"));
        db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                               "VALUES (8, 'Ana', '2006-01-01', '2011-03-05', 'A')"));
        conn.settings = db.connectParams();
    }
    TestDatabase db;
    ds::Connection conn;
};

} // namespace

TEST_F(SqlDataSetTest, OpenRunsTheStatementWithItsParametersAndKeepsOriginals)
{
    ds::SqlDataSet therapists(QStringLiteral("t"), &conn, QStringLiteral("select * from TERAPEUTA order by NOME"));
    ds::SqlDataSet q(QStringLiteral("q"), &conn,
                     QStringLiteral("SELECT * FROM PACIENTE\r\nWHERE CADASTRO = :CAD AND ID >= :ID"));
    q.addField(QStringLiteral("ID"), FieldType::Integer, 0, true);
    q.addField(QStringLiteral("NOME"), FieldType::Text, 60, true);
    q.addField(QStringLiteral("TERAPEUTA"), FieldType::Integer);
    q.addLookupField(QStringLiteral("NomeTerapeuta"), QStringLiteral("TERAPEUTA"), &therapists, QStringLiteral("ID"),
                     QStringLiteral("NOME"), 60);
    q.setSortFields({QStringLiteral("NOME")});
    q.paramByName(QStringLiteral("CAD")).setAsDate(QDate(2011, 3, 5));
    q.paramByName(QStringLiteral("ID")).setAsInteger(7);
    q.open();
    EXPECT_TRUE(conn.connected());   // the first open connects
    EXPECT_TRUE(therapists.isActive());
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.fieldByName(QStringLiteral("NOME")).asString(), QStringLiteral("Ana"));
    q.next();
    EXPECT_EQ(q.fieldByName(QStringLiteral("NOME")).asString(), QStringLiteral(u"Zé"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("NomeTerapeuta")).asString(), QStringLiteral(u"Dra. Lúcia"));
    EXPECT_EQ(q.rows()[1]->original, q.rows()[1]->values);
    EXPECT_FALSE(q.hasPendingChanges());
    // Undeclared columns get fields of their own, typed and sized from the table.
    ASSERT_EQ(therapists.fields().size(), 2u);
    EXPECT_EQ(therapists.fields()[1]->size(), 60);
    EXPECT_TRUE(therapists.fields()[1]->required());
    EXPECT_EQ(q.tableName(), QStringLiteral("PACIENTE"));

    q.close();
    q.paramByName(QStringLiteral("ID")).setAsInteger(8);
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_THROW(q.paramByName(QStringLiteral("NADA")), ds::EDatabaseError);
}

TEST_F(SqlDataSetTest, ADeclaredColumnMissingFromTheResultFailsTheOpen)
{
    ds::SqlDataSet q(QStringLiteral("q"), &conn, QStringLiteral("select ID from PACIENTE"));
    q.addField(QStringLiteral("ID"), FieldType::Integer);
    q.addField(QStringLiteral("EMAIL2"), FieldType::Text, 60);
    EXPECT_THROW(q.open(), ds::EDatabaseError);
    EXPECT_FALSE(q.isActive());
}
