#include "support/testdatabase.h"

#include "fb/connection.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "store/schemaversion.h"
#include "support/testusers.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QRegularExpression>
#include <stdexcept>

namespace {

fb::ConnectParams params(const QString& location) { return testusers::serverAdministrator(location); }

} // namespace

QString schemaPath() { return QStringLiteral(MARVOK_SOURCE_DIR "/db/schema.sql"); }

QStringList schemaStatements(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    QString text = QString::fromUtf8(f.readAll());
    text.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"), QRegularExpression::DotMatchesEverythingOption));
    text.remove(QRegularExpression(QStringLiteral("--[^\\n]*")));
    QStringList out;
    for (QString s : text.split(u';')) {
        s = s.trimmed();
        if (s.isEmpty() || s.startsWith(QStringLiteral("SET "), Qt::CaseInsensitive) ||
            s.compare(QStringLiteral("COMMIT"), Qt::CaseInsensitive) == 0)
            continue;
        out << s;
    }
    return out;
}

namespace {

constexpr QFileDevice::Permissions kEveryone =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
    QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther |
    QFileDevice::ExeOther;

QString makeTemplate(const QTemporaryDir& dir, TestDatabase::Layout layout)
{
    // The server runs as its own user and writes the file.
    QFile::setPermissions(dir.path(), kEveryone);
    const QString file = dir.path() + QStringLiteral("/template.fdb");
    fb::Connection c;
    c.create(params(QStringLiteral("localhost:") + file), 8192, false);
    for (const QString& s : schemaStatements(schemaPath())) {
        fb::Transaction tx(c);
        fb::executeSql(tx, s);
        tx.commit();
    }
    if (layout == TestDatabase::Layout::Current)
        store::upgradeSchema(c);
    c.disconnect();
    if (layout == TestDatabase::Layout::Current)
        testusers::makeRunUsers(QStringLiteral("localhost:") + file);
    return file;
}

// Each layout is built once per test program; every test gets a copy of it.
QString templateFile(TestDatabase::Layout layout)
{
    static QTemporaryDir current(QDir::tempPath() + QStringLiteral("/marvok-template-XXXXXX"));
    static QTemporaryDir base(QDir::tempPath() + QStringLiteral("/marvok-template-XXXXXX"));
    if (layout == TestDatabase::Layout::Base) {
        static const QString path = makeTemplate(base, layout);
        return path;
    }
    static const QString path = makeTemplate(current, layout);
    return path;
}

} // namespace

QString templateLocation() { return QStringLiteral("localhost:") + templateFile(TestDatabase::Layout::Current); }

TestDatabase::TestDatabase(const QString& folderName, Layout layout) : m_dir(QDir::tempPath() + u'/' + folderName)
{
    QFile::setPermissions(m_dir.path(), kEveryone);
    const QString file = folder() + QStringLiteral("marvok.fdb");
    if (!QFile::copy(templateFile(layout), file))
        throw std::runtime_error("cannot copy the template database");
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther);
}

TestDatabase::~TestDatabase()
{
    try {
        fb::Connection c;
        c.connect(connectParams());
        c.dropDatabase();
    } catch (...) {
        // Still attached elsewhere (a test that failed midway): the folder goes anyway.
    }
}

QString TestDatabase::folder() const { return m_dir.path() + u'/'; }

fb::ConnectParams TestDatabase::connectParams() const { return params(location()); }

QString TestDatabase::location() const { return QStringLiteral("localhost:") + folder() + QStringLiteral("marvok.fdb"); }

void TestDatabase::exec(const QString& sql) const
{
    fb::Connection c;
    c.connect(connectParams());
    fb::Transaction tx(c);
    fb::executeSql(tx, sql, fb::ParamStyle::Raw);
    tx.commit();
}

QVariant TestDatabase::scalar(const QString& sql) const
{
    const QVariantList values = column(sql);
    return values.isEmpty() ? QVariant() : values.first();
}

QVariantList TestDatabase::column(const QString& sql) const
{
    QVariantList out;
    for (const QVariantList& row : rows(sql))
        out << row.value(0);
    return out;
}

QList<QVariantList> TestDatabase::rows(const QString& sql) const { return selectRows(connectParams(), sql); }

QList<QVariantList> selectRows(const fb::ConnectParams& params, const QString& sql)
{
    fb::Connection c;
    c.connect(params);
    return queryRows(c, sql);
}

QList<QVariantList> queryRows(fb::Connection& connection, const QString& sql)
{
    fb::Transaction tx(connection, fb::TransactionOptions{true, true});
    fb::Statement st(tx, sql);
    st.execute();
    QList<QVariantList> out;
    while (st.fetch())
        out << QVariantList(st.row().begin(), st.row().end());
    return out;
}

void TestDatabase::dropAttachment(fb::Connection& connection) const
{
    qint64 attachment = 0;
    {
        fb::Transaction tx(connection, fb::TransactionOptions{true});
        fb::Statement st(tx, QStringLiteral("select CURRENT_CONNECTION from RDB$DATABASE"));
        st.execute();
        if (st.fetch())
            attachment = st.value(0).toLongLong();
        st.closeCursor();
        tx.commit();
    }
    exec(QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID = %1").arg(attachment));
}
