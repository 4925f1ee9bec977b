#include "model/ThemeSetJsonReader.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// Thrown inside the reader only; Parse turns it into a TJsonReadError.
struct TParseFailure
{
    const char *Message;
    qsizetype Offset;
};

// A JSON number as read: its value, and whether it was written as a plain
// non-negative integer that fits 64 bits (then Integer is exact).
struct TNumber
{
    double Value = 0;
    bool PlainInteger = false;
    quint64 Integer = 0;
};

// Matches AName against a lower-case ASCII member name, ignoring ASCII case.
bool SameName(QStringView AName, QLatin1StringView AKey)
{
    if (AName.size() != AKey.size())
        return false;
    for (qsizetype i = 0; i < AName.size(); ++i) {
        char16_t c = AName[i].unicode();
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + (u'a' - u'A'));
        if (c != char16_t(AKey[i].unicode()))
            return false;
    }
    return true;
}

class TReader
{
public:
    explicit TReader(QStringView AText) : FBegin(AText.data()), FEnd(AText.data() + AText.size()), FPos(FBegin) {}

    void ReadDocument(TColorThemesJSON &AResult)
    {
        if (FPos < FEnd && *FPos == QChar(0xFEFF))
            ++FPos;
        SkipSpace();
        if (FPos == FEnd)
            Fail("the text is empty");
        if (*FPos != u'{')
            Fail("the document must be an object");
        ReadRoot(AResult);
        SkipSpace();
        if (FPos != FEnd)
            Fail("unexpected text after the end of the document");
    }

private:
    const QChar *FBegin;
    const QChar *FEnd;
    const QChar *FPos;
    QString FKey;

    [[noreturn]] void Fail(const char *AMessage) const { throw TParseFailure{AMessage, FPos - FBegin}; }
    // At the end of the text the fault is always that the text stops early.
    [[noreturn]] void FailExpecting(const char *AMessage) const
    {
        Fail(FPos >= FEnd ? "unexpected end of text" : AMessage);
    }
    [[noreturn]] void FailAt(const QChar *APos, const char *AMessage) const
    {
        throw TParseFailure{AMessage, APos - FBegin};
    }

    void SkipSpace()
    {
        while (FPos < FEnd) {
            const char16_t c = FPos->unicode();
            if (c != u' ' && c != u'\n' && c != u'\r' && c != u'\t')
                return;
            ++FPos;
        }
    }

    char16_t Peek() const { return FPos < FEnd ? FPos->unicode() : 0; }

    void Expect(char16_t AChar, const char *AMessage)
    {
        SkipSpace();
        if (FPos >= FEnd || *FPos != AChar)
            FailExpecting(AMessage);
        ++FPos;
    }

    // Iterates the members of an object whose '{' is at FPos: calls
    // AOnMember(name) with FPos at the value, which the callback consumes.
    template <typename F>
    void ForEachMember(F AOnMember)
    {
        ++FPos;
        SkipSpace();
        if (Peek() == u'}') {
            ++FPos;
            return;
        }
        for (;;) {
            SkipSpace();
            if (Peek() != u'"')
                FailExpecting("expected a member name");
            const QStringView name = ReadName();
            Expect(u':', "expected ':'");
            SkipSpace();
            AOnMember(name);
            SkipSpace();
            if (Peek() == u',') {
                ++FPos;
                continue;
            }
            if (Peek() == u'}') {
                ++FPos;
                return;
            }
            FailExpecting("expected ',' or '}'");
        }
    }

    // A member name, viewed in the text itself when it holds no escape (no
    // allocation per member), else in FKey. Valid until the next name.
    QStringView ReadName()
    {
        const QChar *start = FPos + 1;
        const QChar *p = start;
        while (p < FEnd && *p != u'"' && *p != u'\\' && p->unicode() >= 0x20)
            ++p;
        if (p < FEnd && *p == u'"') {
            FPos = p + 1;
            return QStringView(start, p - start);
        }
        ReadString(FKey);
        return FKey;
    }

    bool TakeNull()
    {
        if (FEnd - FPos >= 4 && FPos[0] == u'n' && FPos[1] == u'u' && FPos[2] == u'l' && FPos[3] == u'l') {
            FPos += 4;
            return true;
        }
        return false;
    }

    void ReadRoot(TColorThemesJSON &AResult)
    {
        ForEachMember([&](QStringView AName) {
            if (SameName(AName, QLatin1StringView("version")))
                ReadText(AResult.FVersion, "\"version\" must be a string");
            else if (SameName(AName, QLatin1StringView("name")))
                ReadText(AResult.FName, "\"name\" must be a string");
            else if (SameName(AName, QLatin1StringView("author")))
                ReadText(AResult.FAuthor, "\"author\" must be a string");
            else if (SameName(AName, QLatin1StringView("copyright")))
                ReadText(AResult.FCopyright, "\"copyright\" must be a string");
            else if (SameName(AName, QLatin1StringView("createdate")))
                ReadText(AResult.FCreateDate, "\"createdate\" must be a string");
            else if (SameName(AName, QLatin1StringView("remarks")))
                ReadText(AResult.FRemarks, "\"remarks\" must be a string");
            else if (SameName(AName, QLatin1StringView("themes")))
                ReadThemes(AResult.FThemes);
            else
                SkipValue();
        });
    }

    void ReadThemes(QList<TColorThemeJSON> &AThemes)
    {
        AThemes.clear();
        if (TakeNull())
            return;
        if (Peek() != u'[')
            Fail("\"themes\" must be an array");
        ++FPos;
        SkipSpace();
        if (Peek() == u']') {
            ++FPos;
            return;
        }
        for (;;) {
            SkipSpace();
            if (Peek() != u'{')
                FailExpecting("each theme must be an object");
            ReadTheme(AThemes.emplace_back());
            SkipSpace();
            if (Peek() == u',') {
                ++FPos;
                continue;
            }
            if (Peek() == u']') {
                ++FPos;
                return;
            }
            FailExpecting("expected ',' or ']'");
        }
    }

    void ReadTheme(TColorThemeJSON &ATheme)
    {
        ForEachMember([&](QStringView AName) {
            if (SameName(AName, QLatin1StringView("name")))
                ReadText(ATheme.FName, "\"name\" must be a string");
            else if (SameName(AName, QLatin1StringView("body")))
                ReadColor(ATheme.FBody, "\"body\" must be an integer from 0 to 4294967295");
            else if (SameName(AName, QLatin1StringView("border")))
                ReadColor(ATheme.FBorder, "\"border\" must be an integer from 0 to 4294967295");
            else if (SameName(AName, QLatin1StringView("button")))
                ReadColor(ATheme.FButton, "\"button\" must be an integer from 0 to 4294967295");
            else if (SameName(AName, QLatin1StringView("hover")))
                ReadColor(ATheme.FHover, "\"hover\" must be an integer from 0 to 4294967295");
            else if (SameName(AName, QLatin1StringView("text")))
                ReadColor(ATheme.FText, "\"text\" must be an integer from 0 to 4294967295");
            else if (SameName(AName, QLatin1StringView("titletext")))
                ReadColor(ATheme.FTitleText, "\"titletext\" must be an integer from 0 to 4294967295");
            else if (SameName(AName, QLatin1StringView("link")))
                ReadColor(ATheme.FLink, "\"link\" must be an integer from 0 to 4294967295");
            else if (SameName(AName, QLatin1StringView("backfile")))
                ReadText(ATheme.FBackFile, "\"backfile\" must be a string");
            else if (SameName(AName, QLatin1StringView("backopacity")))
                ReadOpacity(ATheme.FBackOpacity);
            else
                SkipValue();
        });
    }

    void ReadText(QString &AText, const char *ATypeError)
    {
        if (TakeNull()) {
            AText.clear();
            return;
        }
        if (Peek() != u'"')
            FailExpecting(ATypeError);
        ReadString(AText);
    }

    void ReadColor(TAlphaColor &AColor, const char *ATypeError)
    {
        if (TakeNull()) {
            AColor = 0;
            return;
        }
        const QChar *start = FPos;
        const char16_t c = Peek();
        if (c != u'-' && !(c >= u'0' && c <= u'9'))
            FailExpecting(ATypeError);
        const TNumber number = ReadNumber();
        if (number.PlainInteger) {
            if (number.Integer > 0xFFFFFFFFu)
                FailAt(start, ATypeError);
            AColor = TAlphaColor(number.Integer);
            return;
        }
        const double value = number.Value;
        if (!(value >= 0 && value <= 4294967295.0) || std::floor(value) != value)
            FailAt(start, ATypeError);
        AColor = TAlphaColor(value);
    }

    void ReadOpacity(float &AOpacity)
    {
        if (TakeNull()) {
            AOpacity = 0;
            return;
        }
        const QChar *start = FPos;
        const char16_t c = Peek();
        if (c != u'-' && !(c >= u'0' && c <= u'9'))
            FailExpecting("\"backopacity\" must be a number");
        const double value = ReadNumber().Value;
        // Half-way between the largest float and 2^128: anything from here
        // on would round to infinity.
        constexpr double floatLimit = 0x1.ffffffp127;
        if (!(std::fabs(value) < floatLimit))
            FailAt(start, "\"backopacity\" is out of range");
        AOpacity = float(value);
    }

    static bool IsDigit(char16_t AChar) { return AChar >= u'0' && AChar <= u'9'; }

    TNumber ReadNumber()
    {
        const QChar *start = FPos;
        TNumber number;
        bool negative = false;
        if (Peek() == u'-') {
            negative = true;
            ++FPos;
        }
        if (Peek() == u'0') {
            ++FPos;
        } else if (IsDigit(Peek())) {
            while (IsDigit(Peek()))
                ++FPos;
        } else {
            Fail("invalid number");
        }
        const QChar *integerEnd = FPos;
        bool plain = !negative;
        if (Peek() == u'.') {
            plain = false;
            ++FPos;
            if (!IsDigit(Peek()))
                Fail("invalid number");
            while (IsDigit(Peek()))
                ++FPos;
        }
        if (Peek() == u'e' || Peek() == u'E') {
            plain = false;
            ++FPos;
            if (Peek() == u'+' || Peek() == u'-')
                ++FPos;
            if (!IsDigit(Peek()))
                Fail("invalid number");
            while (IsDigit(Peek()))
                ++FPos;
        }
        // Up to 19 digits always fit 64 bits; longer integers go the
        // floating-point way and fail the colour range check.
        if (plain && integerEnd - start <= 19) {
            quint64 value = 0;
            for (const QChar *p = start; p < integerEnd; ++p)
                value = value * 10 + (p->unicode() - u'0');
            number.PlainInteger = true;
            number.Integer = value;
            number.Value = double(value);
            return number;
        }
        number.Value = ToDouble(start, FPos);
        return number;
    }

    // The text between ABegin and AEnd is a valid JSON number (ASCII only).
    // A number that double cannot hold (it would round to 0 or infinity)
    // fails, as in Qt's own reader.
    double ToDouble(const QChar *ABegin, const QChar *AEnd) const
    {
        std::string ascii;
        ascii.reserve(size_t(AEnd - ABegin));
        for (const QChar *p = ABegin; p < AEnd; ++p)
            ascii.push_back(char(p->unicode()));
        double value = 0;
        if (std::from_chars(ascii.data(), ascii.data() + ascii.size(), value).ec != std::errc())
            FailAt(ABegin, "number out of range");
        return value;
    }

    static int HexValue(char16_t AChar)
    {
        if (AChar >= u'0' && AChar <= u'9')
            return AChar - u'0';
        if (AChar >= u'a' && AChar <= u'f')
            return AChar - u'a' + 10;
        if (AChar >= u'A' && AChar <= u'F')
            return AChar - u'A' + 10;
        return -1;
    }

    // FPos is at the opening quotation mark.
    void ReadString(QString &AText)
    {
        ++FPos;
        const QChar *start = FPos;
        while (FPos < FEnd && *FPos != u'"' && *FPos != u'\\' && FPos->unicode() >= 0x20)
            ++FPos;
        if (FPos < FEnd && *FPos == u'"') {
            AText = QString(start, FPos - start);
            ++FPos;
            return;
        }
        AText = QString(start, FPos - start);
        for (;;) {
            if (FPos >= FEnd)
                Fail("unterminated string");
            const char16_t c = FPos->unicode();
            if (c == u'"') {
                ++FPos;
                return;
            }
            if (c < 0x20)
                Fail("control character in string");
            if (c != u'\\') {
                const QChar *run = FPos;
                while (FPos < FEnd && *FPos != u'"' && *FPos != u'\\' && FPos->unicode() >= 0x20)
                    ++FPos;
                AText.append(run, FPos - run);
                continue;
            }
            ++FPos;
            if (FPos >= FEnd)
                Fail("unterminated string");
            switch (FPos->unicode()) {
            case u'"': AText.append(u'"'); break;
            case u'\\': AText.append(u'\\'); break;
            case u'/': AText.append(u'/'); break;
            case u'b': AText.append(u'\b'); break;
            case u'f': AText.append(u'\f'); break;
            case u'n': AText.append(u'\n'); break;
            case u'r': AText.append(u'\r'); break;
            case u't': AText.append(u'\t'); break;
            case u'u': {
                if (FEnd - FPos < 5)
                    Fail("invalid escape sequence");
                int code = 0;
                for (int i = 1; i <= 4; ++i) {
                    const int digit = HexValue(FPos[i].unicode());
                    if (digit < 0)
                        Fail("invalid escape sequence");
                    code = code * 16 + digit;
                }
                AText.append(QChar(char16_t(code)));
                FPos += 4;
                break;
            }
            default:
                Fail("invalid escape sequence");
            }
            ++FPos;
        }
    }

    void ReadLiteral(const char *AWord)
    {
        for (const char *p = AWord; *p; ++p, ++FPos)
            if (FPos >= FEnd || FPos->unicode() != char16_t(*p))
                Fail("invalid value");
    }

    // Skips one value of any kind, checking its syntax, without recursion.
    void SkipValue()
    {
        QString scratch;
        std::string containers; // '{' or '[' per open level
        for (;;) {
            // A value is expected here.
            SkipSpace();
            switch (Peek()) {
            case u'{':
            case u'[':
                if (containers.size() >= size_t(TThemeSetJsonReader::MaxSkipDepth))
                    Fail("nesting too deep");
                containers.push_back(char(Peek()));
                ++FPos;
                SkipSpace();
                if (Peek() == (containers.back() == '{' ? u'}' : u']')) {
                    ++FPos;
                    containers.pop_back();
                } else if (containers.back() == '{') {
                    ExpectMemberName(scratch);
                    continue;
                } else {
                    continue;
                }
                break;
            case u'"': ReadString(scratch); break;
            case u't': ReadLiteral("true"); break;
            case u'f': ReadLiteral("false"); break;
            case u'n': ReadLiteral("null"); break;
            default:
                if (Peek() == u'-' || IsDigit(Peek()))
                    ReadNumber();
                else
                    FailExpecting("invalid value");
            }
            // After a value: continue or close the enclosing containers.
            for (;;) {
                if (containers.empty())
                    return;
                SkipSpace();
                const bool inObject = containers.back() == '{';
                if (Peek() == u',') {
                    ++FPos;
                    if (inObject)
                        ExpectMemberName(scratch);
                    break;
                }
                if (Peek() == (inObject ? u'}' : u']')) {
                    ++FPos;
                    containers.pop_back();
                    continue;
                }
                FailExpecting(inObject ? "expected ',' or '}'" : "expected ',' or ']'");
            }
        }
    }

    void ExpectMemberName(QString &AScratch)
    {
        SkipSpace();
        if (Peek() != u'"')
            FailExpecting("expected a member name");
        ReadString(AScratch);
        Expect(u':', "expected ':'");
    }
};

// 1-based line and column of AOffset; CR, LF and CR LF each end a line.
void Locate(QStringView AText, qsizetype AOffset, TJsonReadError &AError)
{
    int line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < AOffset && i < AText.size(); ++i) {
        const char16_t c = AText[i].unicode();
        if (c == u'\n' || (c == u'\r' && (i + 1 >= AText.size() || AText[i + 1] != u'\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    AError.Line = line;
    AError.Column = int(qMin<qsizetype>(AOffset - lineStart + 1, INT_MAX));
}

} // namespace

std::optional<TJsonReadError> TThemeSetJsonReader::Parse(QStringView AText, TColorThemesJSON &AResult)
{
    TColorThemesJSON parsed;
    try {
        TReader(AText).ReadDocument(parsed);
    } catch (const TParseFailure &failure) {
        TJsonReadError error;
        error.Message = QString::fromLatin1(failure.Message);
        Locate(AText, failure.Offset, error);
        return error;
    }
    AResult = std::move(parsed);
    return std::nullopt;
}
