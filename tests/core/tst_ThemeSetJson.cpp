#include "model/ColorThemes.h"
#include "model/ColorThemesJSON.h"
#include "model/ThemeSetJsonWriter.h"
#include "store/DataSerializer.h"
#include "store/ThemeSetFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

// The layout text with LF line ends turned into the CR LF that AsJSON writes.
QString Crlf(const char *AText)
{
    return QString::fromUtf8(AText).replace(u'\n', QStringLiteral("\r\n"));
}

// The first theme's fields in a compact, comparable form.
QString FirstTheme()
{
    if (TColorThemes::Count() == 0)
        return QStringLiteral("none");
    const TColorTheme t = TColorThemes::Items(0);
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10")
        .arg(t.FName)
        .arg(t.FBody, 8, 16, QChar(u'0'))
        .arg(t.FBorder, 8, 16, QChar(u'0'))
        .arg(t.FButton, 8, 16, QChar(u'0'))
        .arg(t.FHover, 8, 16, QChar(u'0'))
        .arg(t.FText, 8, 16, QChar(u'0'))
        .arg(t.FTitleText, 8, 16, QChar(u'0'))
        .arg(t.FLink, 8, 16, QChar(u'0'))
        .arg(t.FBackFile)
        .arg(double(t.FBackOpacity));
}

void SetTexts(const QString &AValue)
{
    TColorThemes::Name = AValue;
    TColorThemes::Author = AValue;
    TColorThemes::Copyright = AValue;
    TColorThemes::CreateDate = AValue;
    TColorThemes::Remarks = AValue;
}

QString Texts()
{
    return QStringList({TColorThemes::Name, TColorThemes::Author, TColorThemes::Copyright, TColorThemes::CreateDate,
                        TColorThemes::Remarks})
        .join(u'|');
}

void WriteBytes(const QString &APath, const QByteArray &ABytes)
{
    QFile file(APath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(ABytes), ABytes.size());
}

} // namespace

class tst_ThemeSetJson : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { TColorThemes::Finalize(); }

    void pinkThemeText()
    {
        TColorThemes::Add(TColorThemes::DefaultThemes().first());
        // Byte for byte as the notes application writes it (CR LF, no final line end).
        QFile expected(TestSupport::DataPath("json/pink-theme.json"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QCOMPARE(TColorThemes::AsJSON().toUtf8(), expected.readAll());
    }

    void emptyRegistryAndTwoThemes()
    {
        TColorThemes::Name = "set";
        QCOMPARE(TColorThemes::AsJSON(), Crlf("{\n"
                                               "    \"version\": \"1.1\",\n"
                                               "    \"name\": \"set\",\n"
                                               "    \"author\": \"\",\n"
                                               "    \"copyright\": \"\",\n"
                                               "    \"createdate\": \"\",\n"
                                               "    \"remarks\": \"\",\n"
                                               "    \"themes\": []\n"
                                               "}"));
        TColorTheme a;
        a.Create("a", 0, 1, 2, 3, 4, 5, 0xFFFFFFFF);
        a.FBackFile = "pics\\a.png";
        TColorThemes::Add(a);
        a.FName = "b";
        a.FBackOpacity = 1;
        TColorThemes::Add(a);
        const QString text = TColorThemes::AsJSON();
        QVERIFY(text.contains(Crlf("\n"
                                   "            \"link\": 4294967295,\n"
                                   "            \"backfile\": \"pics\\\\a.png\",\n"
                                   "            \"backopacity\": 0.5\n"
                                   "        },\n"
                                   "        {\n"
                                   "            \"name\": \"b\",\n"
                                   "            \"body\": 0,")));
        QVERIFY(text.endsWith(Crlf("\"backopacity\": 1\n        }\n    ]\n}")));
    }

    void escapes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("quote and backslash") << "a\"b\\c" << "\"a\\\"b\\\\c\"";
        QTest::newRow("named controls") << "\b\t\n\f\r" << "\"\\b\\t\\n\\f\\r\"";
        QTest::newRow("other controls") << QString(QChar(0x01)) + QChar(0x1F) + QChar(0x0B) << "\"\\u0001\\u001F\\u000B\"";
        QTest::newRow("line separators") << QString(QChar(0x85)) + QChar(0x2028) + QChar(0x2029) << "\"\\u0085\\u2028\\u2029\"";
        QTest::newRow("kept as they are") << "日本語 ' / \u007F \u00A0" << "\"日本語 ' / \u007F \u00A0\"";
    }

    void escapes()
    {
        QFETCH(QString, text);
        QFETCH(QString, written);
        TColorThemes::Remarks = text;
        const QString json = TColorThemes::AsJSON();
        QVERIFY2(json.contains("\"remarks\": " + written + ",\r\n"), qPrintable(json));
        TColorThemes::Remarks.clear();
        QVERIFY(!TColorThemes::ReadFromJSONChecked(json));
        QCOMPARE(TColorThemes::Remarks, text);
    }

    void opacityText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("0") << 0.0f << "0";
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("0.5") << 0.5f << "0.5";
        QTest::newRow("1") << 1.0f << "1";
        QTest::newRow("0.3") << 0.3f << "0.300000011920929";
        QTest::newRow("-0.75") << -0.75f << "-0.75";
        QTest::newRow("0.0001 stays fixed") << 0.0001f << "0.0000999999974737875";
        QTest::newRow("below 0.00001 uses exponent") << 0.00001f << "9.99999974737875E-6";
        QTest::newRow("2^-20") << std::ldexp(1.0f, -20) << "9.5367431640625E-7";
        QTest::newRow("2^-40") << std::ldexp(1.0f, -40) << "9.09494701772928E-13";
        QTest::newRow("123456") << 123456.0f << "123456";
        QTest::newRow("2^50 uses exponent") << std::ldexp(1.0f, 50) << "1.12589990684262E15";
        QTest::newRow("2^40 fixed") << std::ldexp(1.0f, 40) << "1099511627776";
        QTest::newRow("largest float") << std::numeric_limits<float>::max() << "3.40282346638529E38";
        // Not representable in JSON: written as 0 so a saved file still loads.
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << "0";
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << "0";
    }

    void opacityText()
    {
        QFETCH(float, value);
        QFETCH(QString, written);
        QCOMPARE(TThemeSetJsonWriter::FormatOpacity(value), written);
        if (!std::isfinite(value))
            return;
        // Written text reads back as the same float.
        TColorTheme theme;
        theme.FName = "t";
        theme.FBackOpacity = value;
        TColorThemes::Add(theme);
        QVERIFY(!TColorThemes::ReadFromJSONChecked(TColorThemes::AsJSON()));
        QCOMPARE(TColorThemes::Items(0).FBackOpacity, value);
    }

    void reading_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        const QString pinkNew = "{\"version\":\"1.1\",\"themes\":[{\"name\":\"p\",\"body\":16711680}]}";
        QTest::newRow("version keeps alpha, link 0 becomes blue")
            << pinkNew << 1 << "p 00ff0000 00000000 00000000 00000000 00000000 00000000 ff0f83fd  0";
        QTest::newRow("old file makes colours opaque, missing link black")
            << "{\"themes\":[{\"name\":\"p\",\"body\":16711680}]}" << 1
            << "p ffff0000 ff000000 ff000000 ff000000 ff000000 ff000000 ff000000  0";
        QTest::newRow("empty version is an old file")
            << "{\"version\":\"\",\"themes\":[{\"body\":1}]}" << 1
            << " ff000001 ff000000 ff000000 ff000000 ff000000 ff000000 ff000000  0";
        QTest::newRow("version 2 like 1.1")
            << "{\"version\":\"2\",\"themes\":[{\"body\":16711680,\"link\":255}]}" << 1
            << " 00ff0000 00000000 00000000 00000000 00000000 00000000 000000ff  0";
        QTest::newRow("capital member names")
            << "{\"VERSION\":\"1.1\",\"Themes\":[{\"NAME\":\"c\",\"Body\":1,\"BORDER\":2,\"bUtToN\":3,\"Hover\":4,"
               "\"TEXT\":5,\"TitleText\":6,\"LINK\":7,\"BackFile\":\"x.png\",\"BACKOPACITY\":0.25}]}"
            << 1 << "c 00000001 00000002 00000003 00000004 00000005 00000006 00000007 x.png 0.25";
        QTest::newRow("unknown members skipped")
            << "{\"extra\":{\"a\":[1,{\"b\":null},true,false,\"s\"]},\"themes\":[{\"name\":\"u\",\"x\":[[]],"
               "\"link\":1}],\"version\":\"1.1\",\"more\":-1.5e3}"
            << 1 << "u 00000000 00000000 00000000 00000000 00000000 00000000 00000001  0";
        QTest::newRow("null members are empty")
            << "{\"version\":null,\"name\":null,\"themes\":[{\"name\":null,\"body\":null,\"backfile\":null,"
               "\"backopacity\":null}]}"
            << 1 << " ff000000 ff000000 ff000000 ff000000 ff000000 ff000000 ff000000  0";
        QTest::newRow("null themes") << "{\"version\":\"1.1\",\"themes\":null}" << 0 << "none";
        QTest::newRow("empty themes") << "{\"version\":\"1.1\",\"themes\":[]}" << 0 << "none";
        QTest::newRow("no themes member") << "{}" << 0 << "none";
        QTest::newRow("integral colour in exponent form")
            << "{\"version\":\"1\",\"themes\":[{\"body\":4.294967295E9,\"border\":1.0e1,\"link\":-0}]}" << 1
            << " ffffffff 0000000a 00000000 00000000 00000000 00000000 ff0f83fd  0";
        QTest::newRow("last of duplicate members wins")
            << "{\"version\":\"1\",\"themes\":[{\"name\":\"a\",\"Name\":\"b\",\"link\":1}]}" << 1
            << "b 00000000 00000000 00000000 00000000 00000000 00000000 00000001  0";
        QTest::newRow("escaped member name")
            << "{\"version\":\"1\",\"themes\":[{\"n\\u0061me\":\"e\\/\\u65E5\",\"link\":1}]}" << 1
            << "e/日 00000000 00000000 00000000 00000000 00000000 00000000 00000001  0";
        QTest::newRow("byte-order mark and any whitespace")
            << "\uFEFF \r\n\t{\r\"version\" :\n\"1\" , \"themes\" : [ { \"link\" : 1 } ] }\r\n" << 1
            << " 00000000 00000000 00000000 00000000 00000000 00000000 00000001  0";
        QTest::newRow("duplicate and empty names stay") << "{\"version\":\"1\",\"themes\":[{},{},{\"name\":\"\"}]}"
                                                         << 3
                                                         << " 00000000 00000000 00000000 00000000 00000000 00000000 ff0f83fd  0";
        QTest::newRow("smallest double opacity is 0 as a float")
            << "{\"version\":\"1\",\"themes\":[{\"backopacity\":4.9e-324}]}" << 1
            << " 00000000 00000000 00000000 00000000 00000000 00000000 ff0f83fd  0";
    }

    void reading()
    {
        QFETCH(QString, json);
        QFETCH(int, count);
        QFETCH(QString, first);
        TColorThemes::AddDefaultThemes();
        SetTexts("old");
        const auto error = TColorThemes::ReadFromJSONChecked(json);
        QVERIFY2(!error, error ? qPrintable(error->ToString()) : "");
        QCOMPARE(TColorThemes::Count(), count);
        QCOMPARE(FirstTheme(), first);
        QVERIFY(Texts() != "old|old|old|old|old");
    }

    void failures_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::newRow("empty text") << "" << "the text is empty" << 1 << 1;
        QTest::newRow("only spaces") << "  \r\n " << "the text is empty" << 2 << 2;
        QTest::newRow("not JSON") << "themes" << "the document must be an object" << 1 << 1;
        QTest::newRow("array root") << "[]" << "the document must be an object" << 1 << 1;
        QTest::newRow("cut off") << "{\"themes\":[{\"name\":\"a\"" << "unexpected end of text" << 1 << 23;
        QTest::newRow("unterminated string") << "{\"name\":\"abc" << "unterminated string" << 1 << 13;
        QTest::newRow("missing comma on line 3")
            << "{\n  \"name\": \"a\"\n  \"author\": \"b\"\n}" << "expected ',' or '}'" << 3 << 3;
        QTest::newRow("CR line ends count") << "{\r\r\n\r\"name\" 1}" << "expected ':'" << 4 << 8;
        QTest::newRow("trailing comma") << "{\"name\":\"a\",}" << "expected a member name" << 1 << 13;
        QTest::newRow("text after document") << "{} {}" << "unexpected text after the end of the document" << 1 << 4;
        QTest::newRow("raw line break in string") << "{\"name\":\"a\nb\"}" << "control character in string" << 1 << 11;
        QTest::newRow("bad escape") << "{\"name\":\"\\x\"}" << "invalid escape sequence" << 1 << 11;
        QTest::newRow("short unicode escape") << "{\"name\":\"\\u12\"}" << "invalid escape sequence" << 1 << 11;
        QTest::newRow("leading zero") << "{\"x\":01}" << "expected ',' or '}'" << 1 << 7;
        QTest::newRow("bare fraction") << "{\"x\":1.}" << "invalid number" << 1 << 8;
        QTest::newRow("plus sign") << "{\"x\":+1}" << "invalid value" << 1 << 6;
        QTest::newRow("bad literal") << "{\"x\":nul}" << "invalid value" << 1 << 9;
        QTest::newRow("name is a number") << "{\"name\":1}" << "\"name\" must be a string" << 1 << 9;
        QTest::newRow("version is a number") << "{\"version\":1.1}" << "\"version\" must be a string" << 1 << 12;
        QTest::newRow("themes is an object") << "{\"themes\":{}}" << "\"themes\" must be an array" << 1 << 11;
        QTest::newRow("theme is a string") << "{\"themes\":[\"a\"]}" << "each theme must be an object" << 1 << 12;
        QTest::newRow("theme is null") << "{\"themes\":[null]}" << "each theme must be an object" << 1 << 12;
        QTest::newRow("colour as string")
            << "{\"themes\":[{\"body\":\"1\"}]}" << "\"body\" must be an integer from 0 to 4294967295" << 1 << 20;
        QTest::newRow("colour above 32 bits")
            << "{\"themes\":[{\"link\":4294967296}]}" << "\"link\" must be an integer from 0 to 4294967295" << 1 << 20;
        QTest::newRow("colour with 30 digits")
            << "{\"themes\":[{\"text\":123456789012345678901234567890}]}"
            << "\"text\" must be an integer from 0 to 4294967295" << 1 << 20;
        QTest::newRow("negative colour")
            << "{\"themes\":[{\"hover\":-1}]}" << "\"hover\" must be an integer from 0 to 4294967295" << 1 << 21;
        QTest::newRow("fraction in colour")
            << "{\"themes\":[{\"border\":1.5}]}" << "\"border\" must be an integer from 0 to 4294967295" << 1 << 22;
        QTest::newRow("colour true")
            << "{\"themes\":[{\"button\":true}]}" << "\"button\" must be an integer from 0 to 4294967295" << 1 << 22;
        QTest::newRow("opacity as string")
            << "{\"themes\":[{\"backopacity\":\"1\"}]}" << "\"backopacity\" must be a number" << 1 << 27;
        QTest::newRow("opacity beyond float")
            << "{\"themes\":[{\"backopacity\":3.5e38}]}" << "\"backopacity\" is out of range" << 1 << 27;
        QTest::newRow("opacity beyond double")
            << "{\"themes\":[{\"backopacity\":-1e400}]}" << "number out of range" << 1 << 27;
        QTest::newRow("number below double in unknown member")
            << "{\"x\":[0, 2e-324]}" << "number out of range" << 1 << 10;
        QTest::newRow("deep nesting in unknown member")
            << "{\"x\":" + QString(600, u'[') + QString(600, u']') + "}" << "nesting too deep" << 1 << 518;
    }

    void failures()
    {
        QFETCH(QString, json);
        QFETCH(QString, message);
        QFETCH(int, line);
        QFETCH(int, column);
        TColorThemes::AddDefaultThemes();
        SetTexts("kept");
        const auto error = TColorThemes::ReadFromJSONChecked(json);
        QVERIFY(error);
        QCOMPARE(error->Message, message);
        QCOMPARE(error->Line, line);
        QCOMPARE(error->Column, column);
        QCOMPARE(TColorThemes::Count(), 0);
        QCOMPARE(Texts(), QStringLiteral("kept|kept|kept|kept|kept"));

        // The swallowing form does the same, silently.
        TColorThemes::AddDefaultThemes();
        TColorThemes::ReadFromJSON(json);
        QCOMPARE(TColorThemes::Count(), 0);
        QCOMPARE(Texts(), QStringLiteral("kept|kept|kept|kept|kept"));
    }

    void largestOpacityReadsBack()
    {
        // The largest float, written with 15 digits, is slightly above it
        // and must still read as that float.
        QVERIFY(!TColorThemes::ReadFromJSONChecked("{\"themes\":[{\"backopacity\":3.40282346638529E38}]}"));
        QCOMPARE(TColorThemes::Items(0).FBackOpacity, std::numeric_limits<float>::max());
    }

    void roundTrip()
    {
        TColorThemes::Name = "テーマ集 \"引用\"";
        TColorThemes::Author = "作者\\名";
        TColorThemes::Copyright = "(c) 2026";
        TColorThemes::CreateDate = "2026/12/11";
        TColorThemes::Remarks = "一行目\r\n二行目\t/";
        TColorTheme a;
        a.Create("桜", 0x00FF0000, 0x80112233, 0xFFFFFFFF, 0, 1, 0x7FFFFFFF, 0);
        a.FBackFile = "C:\\Users\\名前\\背景.png";
        a.FBackOpacity = 0.3f;
        TColorTheme b = a;
        b.FName = "桜";  // a duplicate name stays a second theme
        b.FLink = 0x000000FF;
        b.FBackFile = "../pics/b.gif";
        b.FBackOpacity = 1e-7f;
        TColorThemes::Add(a);
        TColorThemes::Add(TColorThemes::DefaultThemes().at(7));
        TColorThemes::SetItems(TColorThemes::Add(TColorThemes::DefaultThemes().at(0)), b);
        const QList<TColorTheme> before = {TColorThemes::Items(0), TColorThemes::Items(1), TColorThemes::Items(2)};
        const QString beforeTexts = Texts();

        const QString json = TColorThemes::AsJSON();
        QVERIFY(json.contains("\"name\": \"桜\""));
        TColorThemes::Finalize();
        QVERIFY(!TColorThemes::ReadFromJSONChecked(json));
        QCOMPARE(TColorThemes::Count(), 3);
        QCOMPARE(Texts(), beforeTexts);
        TColorTheme expected = before.at(0);
        expected.FLink = 0xFF0F83FD;
        QCOMPARE(TColorThemes::Items(0), expected);
        QCOMPARE(TColorThemes::Items(1), before.at(1));
        QCOMPARE(TColorThemes::Items(2), before.at(2));
        QString rewritten = json;
        rewritten.replace("\"link\": 0,", "\"link\": 4279206909,");
        QCOMPARE(TColorThemes::AsJSON(), rewritten);
    }

    void assignJsonLinkRule_data()
    {
        QTest::addColumn<TAlphaColor>("link");
        QTest::addColumn<TAlphaColor>("expected");
        QTest::newRow("0 becomes blue") << TAlphaColor(0) << TAlphaColor(0xFF0F83FD);
        QTest::newRow("transparent blue stays") << TAlphaColor(0x000000FF) << TAlphaColor(0x000000FF);
        QTest::newRow("opaque black stays") << TAlphaColor(0xFF000000) << TAlphaColor(0xFF000000);
    }

    void assignJsonLinkRule()
    {
        QFETCH(TAlphaColor, link);
        QFETCH(TAlphaColor, expected);
        const TColorThemeJSON json{"n", 1, 2, 3, 4, 5, 6, link, "f.png", 0.75f};
        TColorTheme theme;
        theme.AssignJson(json);
        QCOMPARE(theme.FName, QStringLiteral("n"));
        QCOMPARE(theme.FTitleText, TAlphaColor(6));
        QCOMPARE(theme.FLink, expected);
        QCOMPARE(theme.FBackFile, QStringLiteral("f.png"));
        QCOMPARE(theme.FBackOpacity, 0.75f);
    }

    void fileBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CR LF text") << "{\r\n}" << QByteArray("\xEF\xBB\xBF{\r\n}\r\n");
        QTest::newRow("LF and CR become CR LF") << "a\nb\rc\r\n" << QByteArray("\xEF\xBB\xBF" "a\r\nb\r\nc\r\n");
        QTest::newRow("empty lines kept") << "a\n\n" << QByteArray("\xEF\xBB\xBF" "a\r\n\r\n");
        QTest::newRow("UTF-8") << "桜" << QByteArray("\xEF\xBB\xBF\xE6\xA1\x9C\r\n");
        QTest::newRow("empty") << "" << QByteArray("\xEF\xBB\xBF");
    }

    void fileBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(TThemeSetFile::Encode(text), bytes);
    }

    void fileWriteAndRead()
    {
        const QString path = QDir::temp().filePath("tst_ThemeSetJson-write.json");
        TColorThemes::AddDefaultThemes();
        TThemeSetFile::Write(path, TColorThemes::AsJSON());
        const QString text = TThemeSetFile::ReadText(path);
        QCOMPARE(text, TColorThemes::AsJSON() + "\r\n");
        QFile::remove(path);

        QVERIFY_THROWS_EXCEPTION(std::runtime_error, TThemeSetFile::Write("/nonexistent-folder/x.json", text));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, TThemeSetFile::ReadText("/nonexistent-folder/x.json"));
    }

    void startupWithoutFile()
    {
        TColorThemes::Initialize();
        QCOMPARE(TColorThemes::Count(), 8);
        QCOMPARE(TColorThemes::Filename, QStringLiteral("(default)"));
        QCOMPARE(TColorThemes::Loaded, false);
        QCOMPARE(Texts(), QStringLiteral("||||"));
        QCOMPARE(TColorThemes::StartupError, QString());
    }

    void startupLoad_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("fromFile");
        QTest::addColumn<QString>("texts");
        QTest::newRow("empty themes array")
            << QByteArray("{\"version\":\"1.1\",\"name\":\"n\",\"author\":\"a\",\"themes\":[]}") << 8 << false << "n|a|||";
        QTest::newRow("two themes with mark")
            << QByteArray("\xEF\xBB\xBF{\"version\":\"1.1\",\"remarks\":\"r\",\"themes\":[{\"name\":\"x\"},{\"name\":\"y\"}]}\r\n")
            << 2 << true << "||||r";
        QTest::newRow("not JSON") << QByteArray("garbage") << 8 << false << "||||";
        QTest::newRow("empty file") << QByteArray() << 8 << false << "||||";
    }

    void startupLoad()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(bool, fromFile);
        QFETCH(QString, texts);
        const QString path = TDataSerializer::GetThemesFile();
        WriteBytes(path, bytes);
        TColorThemes::Initialize();
        QFile::remove(path);
        QCOMPARE(TColorThemes::Count(), count);
        QCOMPARE(TColorThemes::Loaded, true);
        QCOMPARE(TColorThemes::Filename, fromFile ? path : QStringLiteral("(default)"));
        QCOMPARE(Texts(), texts);
        if (fromFile)
            QCOMPARE(TColorThemes::Items(1).FName, QStringLiteral("y"));
    }

    void startupWithUnreadableFile()
    {
        // Larger than any theme set is allowed to be (sparse, so cheap).
        const QString path = TDataSerializer::GetThemesFile();
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(TThemeSetFile::MaxFileSize + 1));
        }
        TColorThemes::Initialize();
        QFile::remove(path);
        QCOMPARE(TColorThemes::Count(), 8);
        QCOMPARE(TColorThemes::Filename, QStringLiteral("(default)"));
        QCOMPARE(TColorThemes::Loaded, false);
        QVERIFY(TColorThemes::StartupError.startsWith(path + ": "));
    }

    void startupIgnoresFolderNamedLikeTheFile()
    {
        const QString path = TDataSerializer::GetThemesFile();
        QVERIFY(QDir().mkpath(path));
        TColorThemes::Initialize();
        QDir().rmdir(path);
        QCOMPARE(TColorThemes::Count(), 8);
        QCOMPARE(TColorThemes::Loaded, false);
        QCOMPARE(TColorThemes::StartupError, QString());
    }
};

QTEST_GUILESS_MAIN(tst_ThemeSetJson)
#include "tst_ThemeSetJson.moc"
