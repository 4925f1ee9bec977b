#include "model/ColorThemes.h"
#include "model/DefaultData.h"
#include "model/NoteData.h"
#include "store/DataSerializer.h"
#include "store/StreamHelper.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

namespace {

QString DataFile(const QString &AName)
{
    return QDir(TDataSerializer::GetDataPath()).filePath(AName);
}

QByteArray Load(const QString &AName)
{
    QFile file(DataFile(AName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Save(const QString &AName, const QByteArray &ABytes)
{
    QFile file(DataFile(AName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ABytes);
}

// A note file as the notes application wrote it in version AVer, built
// field by field. A tag other than "v1".."v5" can be given as ATag.
QByteArray NoteFileBytes(int AVer, const QString &ABody = QStringLiteral("本文\r\n2行目"),
                         const QByteArray &ATag = QByteArray())
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TStreamHelper s(buffer);
    buffer.write("notavell");
    buffer.write(ATag.isEmpty() ? QByteArray("v") + QByteArray::number(AVer) : ATag);
    s.WriteString(QStringLiteral("古いテーマ"));
    for (TAlphaColor color = 0xFF000001; color <= 0xFF000006; ++color)
        s.WriteColor(color);
    if (AVer >= 4)
        s.WriteColor(0xFF0000AA);
    if (AVer >= 3) {
        s.WriteString(QStringLiteral("back.png"));
        s.WriteSingle(0.75f);
    }
    s.WriteString(QStringLiteral("Noto"));
    s.WriteInteger(14);
    s.WriteByte(TFontAttr::fsBold);
    s.WriteByte(quint8(TZOrder::Top));
    s.WriteBoolean(false); // snap
    s.WriteBoolean(true);  // shaded
    s.WriteBoolean(true);  // secret
    s.WriteBoolean(true);  // lock
    if (AVer >= 5)
        s.WriteInteger(60);
    if (AVer >= 2) {
        s.WriteRectF(TRectF{10.5f, 20, 330.5f, 260});
        s.WriteRectF(TRectF{10.5f, 20, 330.5f, 48});
    } else {
        for (qint32 edge : {10, 20, 330, 260, 10, 20, 330, 48})
            s.WriteInteger(edge);
    }
    s.WriteSingle(33);
    s.WriteBoolean(true);
    s.WriteInteger(0);
    s.WriteString(ABody);
    return buffer.data();
}

bool IsRoot()
{
    return ::geteuid() == 0;
}

} // namespace

class tst_NoteFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QDir(TDataSerializer::GetDataPath()).removeRecursively();
        TColorThemes::Finalize();
        TColorThemes::Initialize();
    }

    void readsEveryVersion_data()
    {
        QTest::addColumn<int>("version");
        for (int version = 1; version <= 5; ++version)
            QTest::addRow("v%d", version) << version;
    }

    void readsEveryVersion()
    {
        QFETCH(int, version);
        Save(QStringLiteral("1.nvl"), NoteFileBytes(version));
        TNoteData note(QStringLiteral("1.nvl"));
        const TColorTheme before = note.GetAttr()->Color();
        QVERIFY(TDataSerializer::ReadData(&note, nullptr, false));
        QCOMPARE(TDataSerializer::NoteFileVersion(Load(QStringLiteral("1.nvl"))), version);

        const TStickyAttr &attr = *note.GetAttr();
        QCOMPARE(attr.Color().FName, QStringLiteral("古いテーマ"));
        QCOMPARE(attr.Color().FTitleText, TAlphaColor(0xFF000006));
        QCOMPARE(attr.Color().FLink, version >= 4 ? TAlphaColor(0xFF0000AA) : before.FLink);
        QCOMPARE(attr.Color().FBackFile, version >= 3 ? QStringLiteral("back.png") : before.FBackFile);
        QCOMPARE(attr.Font().FName, QStringLiteral("Noto"));
        QCOMPARE(attr.ZOrder(), TZOrder::Top);
        QCOMPARE(attr.Snap(), false);
        QCOMPARE(attr.Shaded(), true);
        QCOMPARE(attr.Secret(), true);
        QCOMPARE(attr.Lock(), true);
        QCOMPARE(attr.Alpha(), version >= 5 ? 60 : 100);
        const float left = version >= 2 ? 10.5f : 10;
        const float right = version >= 2 ? 330.5f : 330;
        QCOMPARE(note.GetStickyBounds()->NormalBounds(), (TRectF{left, 20, right, 260}));
        QCOMPARE(note.GetStickyBounds()->ShadedBounds(), (TRectF{left, 20, right, 48}));
        QCOMPARE(note.GetStickyBounds()->ImageHeight(), 33.0f);
        QCOMPARE(note.GetContents()->Body(), QStringLiteral("本文\r\n2行目"));
    }

    void unreadableFilesLeftInPlace_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("tag v6") << NoteFileBytes(5, "x", "v6");
        QTest::newRow("tag v9") << NoteFileBytes(5, "x", "v9");
        QTest::newRow("lone v") << NoteFileBytes(5, "x", "vx");
        QTest::newRow("tag V5") << NoteFileBytes(5, "x", "V5");
        QTest::newRow("foreign magic") << QByteArray("NOTAVELL") + NoteFileBytes(5).mid(8);
        QTest::newRow("shorter than the magic") << QByteArray("notav");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("magic only") << QByteArray("notavell");
        QTest::newRow("cut in the bounds") << NoteFileBytes(5).left(120);
        QTest::newRow("impossible body length") << NoteFileBytes(5, QString()).chopped(8) + QByteArray::fromHex("ffffffffffffff00");
    }

    void unreadableFilesLeftInPlace()
    {
        QFETCH(QByteArray, bytes);
        Save(QStringLiteral("1.nvl"), bytes);
        TNoteData note(QStringLiteral("1.nvl"));
        QVERIFY(!TDataSerializer::ReadData(&note, nullptr, false));
        QCOMPARE(Load(QStringLiteral("1.nvl")), bytes);
    }

    void missingFileReadsFalse()
    {
        TNoteData note(QStringLiteral("none.nvl"));
        QVERIFY(!TDataSerializer::ReadData(&note, nullptr, false));
        QVERIFY(!TDataSerializer::ReadData(&note, nullptr, true));
    }

    void defaultModeIgnoresContents()
    {
        Save(QStringLiteral("default.nvl"), NoteFileBytes(5));
        TNoteData note(QStringLiteral("other.nvl"));
        QVERIFY(TDataSerializer::ReadData(&note, nullptr, true));
        QCOMPARE(note.GetAttr()->Alpha(), 60);
        QCOMPARE(note.GetContents()->Body(), QString());
    }

    void writesDefaultNoteFile()
    {
        TNoteData note(QStringLiteral("ignored.nvl"));
        note.GetAttr()->SetAlpha(70);
        QVERIFY(TDataSerializer::WriteData(&note, true));
        QCOMPARE(note.GetModified(), false);
        QBuffer sections;
        sections.open(QIODevice::WriteOnly);
        note.GetAttr()->WriteToStream(sections);
        note.GetStickyBounds()->WriteToStream(sections);
        const QByteArray bytes = Load(QStringLiteral("default.nvl"));
        QCOMPARE(bytes.left(10), QByteArray::fromHex("6e6f746176656c6c 7635"));
        QCOMPARE(bytes.mid(10), sections.data());
        QVERIFY(!QFile::exists(DataFile(QStringLiteral("ignored.nvl"))));
    }

    void writeReadRoundTrip()
    {
        TNoteData note(QStringLiteral("2.nvl"));
        note.GetAttr()->SetZOrder(TZOrder::Bottom);
        note.GetStickyBounds()->SetNormalBounds(TRectF{1.25f, 2, 300, 400});
        TContents *contents = note.GetContents();
        contents->ReadFromStream(*[&] {
            auto *b = new QBuffer(this);
            b->setData(NoteFileBytes(5, QStringLiteral("メモ")).right(8 + 4 + 4));
            b->open(QIODevice::ReadOnly);
            return b;
        }(), 5, nullptr);
        QCOMPARE(contents->Body(), QStringLiteral("メモ"));
        QVERIFY(TDataSerializer::WriteData(&note, false));
        const QByteArray bytes = Load(QStringLiteral("2.nvl"));
        QCOMPARE(bytes, TDataSerializer::BuildNoteFile(&note, false));

        TNoteData back(QStringLiteral("2.nvl"));
        QVERIFY(TDataSerializer::ReadData(&back, nullptr, false));
        QCOMPARE(back.GetAttr()->ZOrder(), TZOrder::Bottom);
        QCOMPARE(back.GetStickyBounds()->NormalBounds(), (TRectF{1.25f, 2, 300, 400}));
        QCOMPARE(back.GetContents()->Body(), QStringLiteral("メモ"));
        QCOMPARE(TDataSerializer::BuildNoteFile(&back, false), bytes);
    }

    void unmodifiedDataLeavesFileAlone()
    {
        Save(QStringLiteral("3.nvl"), "previous");
        const QDateTime written = QFileInfo(DataFile(QStringLiteral("3.nvl"))).lastModified();
        TNoteData note(QStringLiteral("3.nvl"));
        QVERIFY(!note.GetModified());
        QVERIFY(!TDataSerializer::WriteData(&note, false));
        QCOMPARE(Load(QStringLiteral("3.nvl")), QByteArray("previous"));
        QCOMPARE(QFileInfo(DataFile(QStringLiteral("3.nvl"))).lastModified(), written);
    }

    void failedSaveKeepsDataModified()
    {
        // A read-only note file is not replaced; the changes wait for the
        // next write.
        Save(QStringLiteral("4.nvl"), "previous");
        QFile::setPermissions(DataFile(QStringLiteral("4.nvl")), QFile::ReadOwner | QFile::ReadGroup);
        TNoteData note(QStringLiteral("4.nvl"));
        note.GetAttr()->SetSnap(false);
        QVERIFY(!TDataSerializer::WriteData(&note, false));
        QVERIFY(note.GetModified());
        QCOMPARE(Load(QStringLiteral("4.nvl")), QByteArray("previous"));

        QFile::setPermissions(DataFile(QStringLiteral("4.nvl")), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(TDataSerializer::WriteData(&note, false));
        QVERIFY(!note.GetModified());
        QCOMPARE(Load(QStringLiteral("4.nvl")), TDataSerializer::BuildNoteFile(&note, false));
    }

    void deleteMovesNoteToLast_data()
    {
        QTest::addColumn<bool>("needLog");
        QTest::newRow("with log") << true;
        QTest::newRow("without log") << false;
    }

    void deleteMovesNoteToLast()
    {
        QFETCH(bool, needLog);
        Save(QStringLiteral("last.nvl"), "previously deleted");
        Save(QStringLiteral("5.nvl"), NoteFileBytes(5, QStringLiteral("消す\r\nメモ")));
        const QByteArray noteBytes = Load(QStringLiteral("5.nvl"));
        TNoteData note(QStringLiteral("5.nvl"));
        QVERIFY(TDataSerializer::ReadData(&note, nullptr, false));
        note.ClearModified();

        TDataSerializer::DeleteData(&note, needLog);
        QVERIFY(!QFile::exists(DataFile(QStringLiteral("5.nvl"))));
        QCOMPARE(Load(QStringLiteral("last.nvl")), noteBytes);
        QCOMPARE(QDir(TDataSerializer::GetDataPath()).entryList({QStringLiteral("*.$$$")}, QDir::Files), QStringList());
        const QByteArray log = Load(QStringLiteral("NotavellLog.txt"));
        if (!needLog) {
            QVERIFY(!QFile::exists(DataFile(QStringLiteral("NotavellLog.txt"))));
            return;
        }
        QVERIFY(log.startsWith("\xEF\xBB\xBF"));
        const QList<QByteArray> lines = log.mid(3).split('\n');
        QCOMPARE(lines.size(), 7); // five lines, the text's second line, the final line end
        QCOMPARE(lines.at(0), QByteArray("\r"));
        QCOMPARE(lines.at(1), QByteArray("-----------------------\r"));
        QCOMPARE(lines.at(3), lines.at(1));
        QCOMPARE(QString::fromUtf8(lines.at(4)), QStringLiteral("消す\r"));
        QCOMPARE(QString::fromUtf8(lines.at(5)), QStringLiteral("メモ\r"));
        QCOMPARE(lines.at(6), QByteArray());
    }

    void deleteSavesModifiedNoteFirst()
    {
        TNoteData note(QStringLiteral("6.nvl"));
        note.GetContents()->ReadFromStream(*[&] {
            auto *b = new QBuffer(this);
            b->setData(NoteFileBytes(5, QStringLiteral("未保存")).right(8 + 4 + 6));
            b->open(QIODevice::ReadOnly);
            return b;
        }(), 5, nullptr);
        QVERIFY(note.GetModified());
        TDataSerializer::DeleteData(&note, false);
        TNoteData last(QStringLiteral("last.nvl"));
        QVERIFY(TDataSerializer::ReadData(&last, nullptr, false));
        QCOMPARE(last.GetContents()->Body(), QStringLiteral("未保存"));
        QVERIFY(!QFile::exists(DataFile(QStringLiteral("6.nvl"))));
    }

    void deleteKeepsNoteWhenItCannotBeSaved()
    {
        // The note's latest text cannot be saved: its file stays, the
        // previous "last.nvl" stays, and the caller hears of it.
        Save(QStringLiteral("last.nvl"), "previously deleted");
        Save(QStringLiteral("7.nvl"), NoteFileBytes(5));
        QFile::setPermissions(DataFile(QStringLiteral("7.nvl")), QFile::ReadOwner);
        TNoteData note(QStringLiteral("7.nvl"));
        QVERIFY(TDataSerializer::ReadData(&note, nullptr, false));
        QVERIFY(note.GetModified());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, TDataSerializer::DeleteData(&note, false));
        QCOMPARE(Load(QStringLiteral("7.nvl")), NoteFileBytes(5));
        QCOMPARE(Load(QStringLiteral("last.nvl")), QByteArray("previously deleted"));
        QCOMPARE(QDir(TDataSerializer::GetDataPath()).entryList({QStringLiteral("*.$$$")}, QDir::Files), QStringList());
    }

    void defaultDataWithoutFile()
    {
        TDefaultData data;
        QCOMPARE(data.GetAttr()->ZOrder(), TZOrder::Normal);
        QCOMPARE(data.GetAttr()->Snap(), true);
        QCOMPARE(data.GetAttr()->Alpha(), 100);
        QCOMPARE(data.GetStickyBounds()->NormalBounds(), TStickyBounds().NormalBounds());
        QCOMPARE(data.GetModified(), false);
        QVERIFY(!QFile::exists(DataFile(QStringLiteral("default.nvl"))));
    }

    void defaultDataAssignSurvivesRestart()
    {
        TNoteData note(QStringLiteral("8.nvl"));
        note.GetAttr()->SetAlpha(55);
        note.GetAttr()->SetLock(true);
        note.GetStickyBounds()->SetNormalBounds(TRectF{100, 200, 400, 500});
        note.GetStickyBounds()->SetShadedBounds(TRectF{700, 10, 750, 40});
        {
            TDefaultData data;
            data.Assign(&note);
            QCOMPARE(data.GetModified(), false);
        }
        QVERIFY(QFile::exists(DataFile(QStringLiteral("default.nvl"))));
        TDefaultData restarted;
        QCOMPARE(restarted.GetAttr()->Alpha(), 55);
        QCOMPARE(restarted.GetAttr()->Lock(), true);
        QCOMPARE(restarted.GetStickyBounds()->NormalBounds(), (TRectF{100, 200, 400, 500}));
        QCOMPARE(restarted.GetStickyBounds()->ShadedBounds(), (TRectF{100, 200, 400, 230}));
        QCOMPARE(restarted.GetModified(), false);

        TNoteData fresh;
        restarted.AssignTo(&fresh);
        QCOMPARE(fresh.GetAttr()->Alpha(), 55);
        QCOMPARE(fresh.GetStickyBounds()->ShadedBounds(), (TRectF{100, 200, 400, 230}));
    }

    void defaultDataRejectsDamagedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("foreign magic") << QByteArray("NOTAVELLv5") + NoteFileBytes(5).mid(10);
        QByteArray badName = NoteFileBytes(5);
        badName.replace(10, 8, QByteArray::fromHex("ffffffff7f000000"));
        QTest::newRow("impossible theme name length") << badName;
        QTest::newRow("cut in the bounds") << NoteFileBytes(5).left(130);
    }

    void defaultDataRejectsDamagedFile()
    {
        QFETCH(QByteArray, bytes);
        Save(QStringLiteral("default.nvl"), bytes);
        TDefaultData data;
        QCOMPARE(data.GetAttr()->ZOrder(), TZOrder::Normal);
        QCOMPARE(data.GetAttr()->Snap(), true);
        QCOMPARE(data.GetAttr()->Color().FName, TColorThemes::Items(0).FName);
        QCOMPARE(data.GetStickyBounds()->NormalBounds(), TStickyBounds().NormalBounds());
        QCOMPARE(Load(QStringLiteral("default.nvl")), bytes);
    }

    void defaultDataUnloadableFileStillStarts()
    {
        if (IsRoot())
            QSKIP("root reads files without read permission");
        Save(QStringLiteral("default.nvl"), NoteFileBytes(5));
        QFile::setPermissions(DataFile(QStringLiteral("default.nvl")), QFileDevice::Permissions());
        TDefaultData data;
        QCOMPARE(data.GetAttr()->Alpha(), 100);
    }

    void defaultDataIgnoresContentsAndSetZOrderRewrites()
    {
        Save(QStringLiteral("default.nvl"), NoteFileBytes(5));
        TDefaultData data;
        QCOMPARE(data.GetAttr()->ZOrder(), TZOrder::Top);
        QCOMPARE(data.GetContents()->Body(), QString());
        QVERIFY(!data.GetContents()->HasImage());

        QFile::remove(DataFile(QStringLiteral("default.nvl")));
        int fired = 0;
        data.GetAttr()->OnZOrderChange = [&](TStickyAttr *) { ++fired; };
        data.SetZOrder(TZOrder::Top);
        QCOMPARE(fired, 0);
        const QByteArray bytes = Load(QStringLiteral("default.nvl"));
        QCOMPARE(bytes, TDataSerializer::BuildNoteFile(&data, true));
        data.SetZOrder(TZOrder::Bottom);
        QCOMPARE(fired, 1);
        TDefaultData restarted;
        QCOMPARE(restarted.GetAttr()->ZOrder(), TZOrder::Bottom);
    }
};

QTEST_MAIN(tst_NoteFile)
#include "tst_NoteFile.moc"
