#include "store/NoteLog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime Friday(QDate(2026, 12, 11), QTime(9, 5, 3));

QByteArray Load(const QString &AName)
{
    QFile file(AName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_NoteLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void timeStamp_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Japanese") << "ja_JP" << "2026/12/11(金) 09:05:03";
        QTest::newRow("German date dots") << "de_DE" << "2026.12.11(Fr.) 09:05:03";
        QTest::newRow("Finnish time dots") << "fi_FI" << "2026.12.11(pe) 09.05.03";
        QTest::newRow("US English, 24-hour clock") << "en_US" << "2026/12/11(Fri) 09:05:03";
    }

    void timeStamp()
    {
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QCOMPARE(TNoteLog::TimeStamp(Friday, QLocale(locale)), expected);
        QCOMPARE(TNoteLog::TimeStamp(QDateTime(QDate(2026, 1, 2), QTime(23, 0, 0)), QLocale(locale)).size(),
                 expected.size());
    }

    void createsLogWithFiveLines()
    {
        QTemporaryDir folder;
        const QString name = folder.filePath(QStringLiteral("NotavellLog.txt"));
        TNoteLog::Append(name, QStringLiteral("メモ"), Friday, QLocale(QStringLiteral("ja_JP")));
        QCOMPARE(Load(name), QByteArray("\xEF\xBB\xBF") + QStringLiteral("\r\n-----------------------\r\n"
                                                                         "2026/12/11(金) 09:05:03\r\n"
                                                                         "-----------------------\r\nメモ\r\n")
                                                                 .toUtf8());
    }

    void appendsKeepingLinesWithCrLf()
    {
        QTemporaryDir folder;
        const QString name = folder.filePath(QStringLiteral("NotavellLog.txt"));
        {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("\xEF\xBB\xBF" "old one\nold two\rold three");
        }
        TNoteLog::Append(name, QStringLiteral("a\nb\r\n"), Friday, QLocale(QStringLiteral("ja_JP")));
        const QByteArray expected = "\xEF\xBB\xBF" "old one\r\nold two\r\nold three\r\n\r\n-----------------------\r\n"
                                    + QStringLiteral("2026/12/11(金) 09:05:03").toUtf8()
                                    + "\r\n-----------------------\r\na\r\nb\r\n\r\n";
        QCOMPARE(Load(name), expected);
    }

    void unwritableLogRaises()
    {
        QTemporaryDir folder;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 TNoteLog::Append(folder.filePath(QStringLiteral("missing/NotavellLog.txt")),
                                                  QStringLiteral("x"), Friday, QLocale()));
    }
};

QTEST_GUILESS_MAIN(tst_NoteLog)
#include "tst_NoteLog.moc"
