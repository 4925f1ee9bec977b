#include "store/DataSerializer.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString ConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

void Touch(const QString &APath)
{
    QFile file(APath);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class tst_DataSerializer : public QObject
{
    Q_OBJECT

private:
    QString FData;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(!ConfigFolder().isEmpty());
        QDir(ConfigFolder() + "/zeb").removeRecursively();
        FData = ConfigFolder() + "/zeb/Notavell2";
    }

    void dataPathIsCreatedOnFirstUse()
    {
        QVERIFY(!QDir(FData).exists());
        QCOMPARE(TDataSerializer::GetThemesFile(), FData + "/themes.json");
        QVERIFY(QDir(FData).exists());
        QCOMPARE(TDataSerializer::GetDataPath(), FData);
        QCOMPARE(TDataSerializer::GetIniFile(), FData + "/notavell2.ini");
        QCOMPARE(TDataSerializer::GetLastFile(), FData + "/last.nvl");
        QCOMPARE(TDataSerializer::GetLogFile(), FData + "/NotavellLog.txt");
        QVERIFY(!QFile::exists(TDataSerializer::GetThemesFile()));
    }

    void relativePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        const QString data = ConfigFolder() + "/zeb/Notavell2";
        const QString config = ConfigFolder();
        const int depth = int(config.count(u'/'));
        QString toRoot;
        for (int i = 0; i < depth + 2; ++i)
            toRoot += "../";
        QTest::newRow("in data folder") << data + "/pic.png" << "pic.png";
        QTest::newRow("in sub-folder") << data + "/images/pic.png" << "images/pic.png";
        QTest::newRow("sibling of data folder") << config + "/zeb/other/pic.png" << "../other/pic.png";
        // A top folder the test's data folder never lies in (it may lie in /tmp).
        QTest::newRow("elsewhere on same drive") << "/elsewhere/pic.png" << toRoot + "elsewhere/pic.png";
        QTest::newRow("root file") << "/pic.png" << toRoot + "pic.png";
        QTest::newRow("another drive") << "D:\\pics\\pic.png" << "D:\\pics\\pic.png";
        QTest::newRow("already relative") << "images/pic.png" << "images/pic.png";
        QTest::newRow("parent steps kept") << "../pic.png" << "../pic.png";
        QTest::newRow("empty") << "" << "";
        // Linux file names are case-sensitive: a differently spelt folder is
        // another folder, so the path must climb out of the data folder.
        QTest::newRow("other case is another folder")
            << config + "/zeb/NOTAVELL2/pic.png" << "../NOTAVELL2/pic.png";
    }

    void relativePath()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(TDataSerializer::GetRelativePath(path), expected);
    }

    void absolutePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        const QString data = ConfigFolder() + "/zeb/Notavell2";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("file name") << "pic.png" << data + "/pic.png";
        QTest::newRow("sub-folder") << "images/pic.png" << data + "/images/pic.png";
        QTest::newRow("dot steps resolved") << "./images/../pic.png" << data + "/pic.png";
        QTest::newRow("parent step") << "../pic.png" << ConfigFolder() + "/zeb/pic.png";
    }

    void absolutePath()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QDir::setCurrent(QDir::tempPath());
        QCOMPARE(TDataSerializer::GetAbsolutePath(path), expected);
        // The working directory moves to the data folder and stays there.
        QCOMPARE(QDir::currentPath(), FData);
    }

    void absolutePathLeavesAbsoluteAlone()
    {
        QDir::setCurrent(QDir::tempPath());
        QCOMPARE(TDataSerializer::GetAbsolutePath("/tmp/../pic.png"), QStringLiteral("/tmp/../pic.png"));
        QCOMPARE(TDataSerializer::GetAbsolutePath("C:\\pic.png"), QStringLiteral("C:\\pic.png"));
        QCOMPARE(QDir::currentPath(), QDir(QDir::tempPath()).canonicalPath());
    }

    void relativeAndBackRoundTrip()
    {
        const QString path = ConfigFolder() + "/elsewhere/pic.png";
        QCOMPARE(TDataSerializer::GetAbsolutePath(TDataSerializer::GetRelativePath(path)), path);
    }

    void dataFilesSkipFixedNotes()
    {
        for (const char *name : {"1.nvl", "default.nvl", "last.nvl", "Default.nvl", "notes.txt", "2.nvl"})
            Touch(FData + "/" + name);
        QDir(FData).mkdir("sub.nvl");
        QStringList files = TDataSerializer::GetDataFiles();
        files.sort();
        QCOMPARE(files, QStringList({FData + "/1.nvl", FData + "/2.nvl", FData + "/Default.nvl"}));
    }

    void deleteLastFile()
    {
        const QString last = TDataSerializer::GetLastFile();
        Touch(last);
        TDataSerializer::DeleteLastFile();
        QVERIFY(!QFile::exists(last));
        TDataSerializer::DeleteLastFile(); // no file: nothing happens
    }

    void filenameAt_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("expected");
        QTest::newRow("2022-01-31 midnight") << QDateTime(QDate(2022, 1, 31), QTime(0, 0)) << "63779270400000.nvl";
        QTest::newRow("one millisecond later")
            << QDateTime(QDate(2022, 1, 31), QTime(0, 0, 0, 1)) << "63779270400001.nvl";
        QTest::newRow("first day of year 1") << QDateTime(QDate(1, 1, 1), QTime(0, 0)) << "86400000.nvl";
        QTest::newRow("1900 has 14 digits") << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << "59926694400000.nvl";
    }

    void filenameAt()
    {
        QFETCH(QDateTime, time);
        QFETCH(QString, expected);
        QCOMPARE(TDataSerializer::FilenameAt(time), expected);
    }

    void createFilenameAvoidsExistingFile()
    {
        TDataSerializer::Randomize();
        const QString first = TDataSerializer::CreateFilename();
        QVERIFY(first.endsWith(".nvl"));
        QCOMPARE(first.size(), 18);
        Touch(FData + "/" + first);
        const QString second = TDataSerializer::CreateFilename();
        QVERIFY(second != first);
        QVERIFY(second.chopped(4).toLongLong() > first.chopped(4).toLongLong());
    }

    void unavailableDataFolder()
    {
        // A configuration "folder" that is a file: the data folder cannot be made.
        QTemporaryDir dir;
        const QString blocker = dir.filePath("file");
        Touch(blocker);
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", blocker.toLocal8Bit());
        QCOMPARE(TDataSerializer::GetDataPath(), QString());
        QCOMPARE(TDataSerializer::GetThemesFile(), QString());
        QCOMPARE(TDataSerializer::GetDataFiles(), QStringList());
        QCOMPARE(TDataSerializer::CreateFilename(), QString());
        QCOMPARE(TDataSerializer::GetRelativePath("/tmp/pic.png"), QStringLiteral("/tmp/pic.png"));
        QCOMPARE(TDataSerializer::GetAbsolutePath("pic.png"), QStringLiteral("pic.png"));
        TDataSerializer::DeleteLastFile();
        qputenv("XDG_CONFIG_HOME", saved);
    }
};

QTEST_GUILESS_MAIN(tst_DataSerializer)
#include "tst_DataSerializer.moc"
