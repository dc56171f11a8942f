#include "platform/fileversion.h"
#include "platform/versionrecord_p.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray marker()
{
    QByteArray text;
    for (unsigned char masked : platform::versionrecord::kMaskedMarker)
        text += char(masked ^ platform::versionrecord::kMask);
    return text;
}

TEST(FileVersionTest, ProgramFileThatCarriesTheRecordReadsItsVersion)
{
    EXPECT_EQ(platform::fileVersionText(QCoreApplication::applicationFilePath()), QStringLiteral("1.2.0.0"));
}

// The library holds the reader; were the marker spelled out in it, every
// program would seem to carry a version.
TEST(FileVersionTest, ReaderCodeItselfCarriesNoRecord)
{
    EXPECT_EQ(platform::fileVersionText(QStringLiteral(MARVOK_PLATFORM_LIBRARY)), QString());
}

TEST(FileVersionTest, FilesWithoutACompleteRecordGiveAnEmptyText)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    struct FileCase {
        const char* name;
        QByteArray content;
        QString version;
    };
    const QByteArray numbers("\x01\x00\x02\x00\x03\x00\x10\x27", 8);
    const FileCase cases[] = {
        {"record", QByteArray("garbage") + marker() + numbers + "tail", QStringLiteral("1.2.3.10000")},
        {"truncated", QByteArray("garbage") + marker() + numbers.left(5), QString()},
        {"plain", QByteArray("no record in here"), QString()},
        {"empty", QByteArray(), QString()},
    };
    for (const FileCase& c : cases) {
        QFile file(folder.filePath(QLatin1String(c.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
        file.close();
        EXPECT_EQ(platform::fileVersionText(file.fileName()), c.version) << c.name;
    }
    EXPECT_EQ(platform::fileVersionText(folder.filePath(QStringLiteral("missing"))), QString());
}

} // namespace
