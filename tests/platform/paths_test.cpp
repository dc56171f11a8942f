// Where the help collection and the language file are found: beside the
// program in a build folder, in the standard data folders once installed.

#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Points the standard data folders into a folder of the test's own.
class DataFolders {
public:
    DataFolders() : m_dirs(qgetenv("XDG_DATA_DIRS")), m_home(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(path(QStringLiteral("home"))));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(path(QStringLiteral("local")) + u':' + path(QStringLiteral("share"))));
    }
    ~DataFolders()
    {
        qputenv("XDG_DATA_DIRS", m_dirs);
        qputenv("XDG_DATA_HOME", m_home);
    }
    QString path(const QString& folder) const { return m_root.path() + u'/' + folder; }
    void put(const QString& file) const
    {
        QDir().mkpath(QFileInfo(path(file)).path());
        QFile f(path(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

private:
    QTemporaryDir m_root;
    QByteArray m_dirs, m_home;
};

} // namespace

TEST(Paths, ABuildFolderReadsItsOwnFilesAndNothingInstalled)
{
    DataFolders data;
    data.put(QStringLiteral("share/marvok/help/Marvok.qhc"));
    const QString program = QCoreApplication::applicationDirPath();
    EXPECT_TRUE(platform::runsFromBuildFolder());
    EXPECT_EQ(platform::dataFile(QStringLiteral("help/Marvok.qhc")), program + QStringLiteral("/help/Marvok.qhc"));
    EXPECT_EQ(platform::dataFile(QStringLiteral("Brazil.frc")), program + QStringLiteral("/Brazil.frc"));
}

TEST(Paths, AnInstalledProgramReadsTheFirstStandardDataFolderThatHoldsTheFile)
{
    DataFolders data;
    QTemporaryDir bin;   // like /usr/bin: nothing of the program's beside it
    data.put(QStringLiteral("share/marvok/help/Marvok.qhc"));
    data.put(QStringLiteral("share/marvok/Brazil.frc"));
    data.put(QStringLiteral("local/marvok/Brazil.frc"));
    EXPECT_EQ(platform::dataFile(QStringLiteral("help/Marvok.qhc"), bin.path()),
              data.path(QStringLiteral("share/marvok/help/Marvok.qhc")));
    EXPECT_EQ(platform::dataFile(QStringLiteral("Brazil.frc"), bin.path()), data.path(QStringLiteral("local/marvok/Brazil.frc")));
    // Missing: where the system's data folder would hold it, for the message.
    EXPECT_EQ(platform::dataFile(QStringLiteral("nada.txt"), bin.path()), data.path(QStringLiteral("share/marvok/nada.txt")));
}
