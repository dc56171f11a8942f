// Renaming a file for good: a name that is taken is never replaced by the
// rename that must replace nothing.

#include "backup/durablefiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void write(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

TEST(DurableFiles, RenameTakesAFreeNameAndLeavesATakenOneAlone)
{
    QTemporaryDir dir;
    const QString from = dir.filePath(QStringLiteral("novo.bak"));
    const QString to = dir.filePath(QStringLiteral("marvok.bak"));

    write(from, "novo");
    EXPECT_EQ(durable::rename(from, to), QString());
    EXPECT_FALSE(QFile::exists(from));
    EXPECT_EQ(read(to), "novo");

    // A taken name, by a file or by a link that leads nowhere.
    write(from, "outro");
    EXPECT_NE(durable::rename(from, to), QString());
    EXPECT_EQ(read(from), "outro");
    EXPECT_EQ(read(to), "novo");

    const QString link = dir.filePath(QStringLiteral("link.bak"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), link));
    EXPECT_NE(durable::rename(from, link), QString());
    EXPECT_EQ(read(from), "outro");

    // replace() is the one that may take a taken name.
    EXPECT_EQ(durable::replace(from, to), QString());
    EXPECT_EQ(read(to), "outro");
}
