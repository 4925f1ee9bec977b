#include "model/ThemeSetJsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Appends to one UTF-16 buffer that grows only when a reservation demands it.
class TTextBuffer
{
public:
    explicit TTextBuffer(qsizetype ACapacity) { FText.resize(ACapacity); FData = FText.data(); }

    void Reserve(qsizetype AMore)
    {
        if (FLength + AMore <= FText.size())
            return;
        FText.resize(qMax(FText.size() * 2, FLength + AMore));
        FData = FText.data();
    }
    // ASCII only; the caller has reserved room.
    void Ascii(const char *AText, qsizetype ALength)
    {
        for (qsizetype i = 0; i < ALength; ++i)
            FData[FLength + i] = QChar(char16_t(AText[i]));
        FLength += ALength;
    }
    template <qsizetype N>
    void Ascii(const char (&AText)[N]) { Ascii(AText, N - 1); }
    void Char(char16_t AChar) { FData[FLength++] = QChar(AChar); }
    void Chars(const QChar *AText, qsizetype ALength)
    {
        std::memcpy(static_cast<void *>(FData + FLength), AText, size_t(ALength) * sizeof(QChar));
        FLength += ALength;
    }

    QString Take()
    {
        FText.truncate(FLength);
        return std::move(FText);
    }

private:
    QString FText;
    QChar *FData = nullptr;
    qsizetype FLength = 0;
};

bool NeedsEscape(char16_t AChar)
{
    return AChar < 0x20 || AChar == u'"' || AChar == u'\\' || AChar == 0x85 || AChar == 0x2028 || AChar == 0x2029;
}

// Characters AText takes when written, at most: an escape is two or six.
qsizetype WrittenLength(const QString &AText)
{
    qsizetype length = AText.size() + 2;
    for (const QChar c : AText)
        if (NeedsEscape(c.unicode()))
            length += 5;
    return length;
}

void WriteString(TTextBuffer &AOut, const QString &AText)
{
    // Worst case: every character becomes a six-character \u escape.
    AOut.Reserve(AText.size() * 6 + 2);
    AOut.Char(u'"');
    const QChar *p = AText.constData();
    const QChar *end = p + AText.size();
    while (p < end) {
        const QChar *run = p;
        while (p < end && !NeedsEscape(p->unicode()))
            ++p;
        AOut.Chars(run, p - run);
        if (p == end)
            break;
        const char16_t c = p->unicode();
        switch (c) {
        case u'"': AOut.Ascii("\\\""); break;
        case u'\\': AOut.Ascii("\\\\"); break;
        case u'\b': AOut.Ascii("\\b"); break;
        case u'\t': AOut.Ascii("\\t"); break;
        case u'\n': AOut.Ascii("\\n"); break;
        case u'\f': AOut.Ascii("\\f"); break;
        case u'\r': AOut.Ascii("\\r"); break;
        default: {
            static const char hex[] = "0123456789ABCDEF";
            const char escape[6] = {'\\', 'u', hex[(c >> 12) & 0xF], hex[(c >> 8) & 0xF], hex[(c >> 4) & 0xF],
                                    hex[c & 0xF]};
            AOut.Ascii(escape, 6);
        }
        }
        ++p;
    }
    AOut.Char(u'"');
}

// A member line start: CR LF is written after the previous member.
template <qsizetype N>
void MemberName(TTextBuffer &AOut, const char (&AIndentedName)[N])
{
    AOut.Reserve(N + 64);
    AOut.Ascii(AIndentedName);
}

void WriteColor(TTextBuffer &AOut, TAlphaColor AColor)
{
    char digits[10];
    const auto result = std::to_chars(digits, digits + sizeof digits, AColor);
    AOut.Ascii(digits, result.ptr - digits);
}

// Writes the opacity into AText (room for 32 characters), returns the length.
qsizetype OpacityChars(float AValue, char *AText)
{
    const double value = double(AValue);
    if (!std::isfinite(value) || value == 0) {
        AText[0] = '0';
        return 1;
    }
    // Correctly rounded to 15 significant digits: "d.dddddddddddddde±x".
    char scientific[32];
    const auto result = std::to_chars(scientific, scientific + sizeof scientific, value,
                                      std::chars_format::scientific, 14);
    const std::string_view text(scientific, size_t(result.ptr - scientific));
    const bool negative = text.front() == '-';
    const size_t ePos = text.find('e');
    std::string_view mantissa = text.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+'), text.data() + text.size(), exponent);
    char digits[16];
    int count = 0;
    for (char c : mantissa)
        if (c != '.')
            digits[count++] = c;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    qsizetype length = 0;
    if (negative)
        AText[length++] = '-';
    if (exponent < -5 || exponent >= 15) {
        AText[length++] = digits[0];
        if (count > 1) {
            AText[length++] = '.';
            for (int i = 1; i < count; ++i)
                AText[length++] = digits[i];
        }
        AText[length++] = 'E';
        const auto e = std::to_chars(AText + length, AText + 32, exponent);
        return e.ptr - AText;
    }
    if (exponent < 0) {
        AText[length++] = '0';
        AText[length++] = '.';
        for (int i = -1; i > exponent; --i)
            AText[length++] = '0';
        for (int i = 0; i < count; ++i)
            AText[length++] = digits[i];
        return length;
    }
    for (int i = 0; i <= exponent; ++i)
        AText[length++] = i < count ? digits[i] : '0';
    if (count > exponent + 1) {
        AText[length++] = '.';
        for (int i = exponent + 1; i < count; ++i)
            AText[length++] = digits[i];
    }
    return length;
}

void WriteOpacity(TTextBuffer &AOut, float AValue)
{
    char text[32];
    AOut.Ascii(text, OpacityChars(AValue, text));
}

void WriteTheme(TTextBuffer &AOut, const TColorThemeJSON &ATheme)
{
    MemberName(AOut, "        {\r\n            \"name\": ");
    WriteString(AOut, ATheme.FName);
    MemberName(AOut, ",\r\n            \"body\": ");
    WriteColor(AOut, ATheme.FBody);
    MemberName(AOut, ",\r\n            \"border\": ");
    WriteColor(AOut, ATheme.FBorder);
    MemberName(AOut, ",\r\n            \"button\": ");
    WriteColor(AOut, ATheme.FButton);
    MemberName(AOut, ",\r\n            \"hover\": ");
    WriteColor(AOut, ATheme.FHover);
    MemberName(AOut, ",\r\n            \"text\": ");
    WriteColor(AOut, ATheme.FText);
    MemberName(AOut, ",\r\n            \"titletext\": ");
    WriteColor(AOut, ATheme.FTitleText);
    MemberName(AOut, ",\r\n            \"link\": ");
    WriteColor(AOut, ATheme.FLink);
    MemberName(AOut, ",\r\n            \"backfile\": ");
    WriteString(AOut, ATheme.FBackFile);
    MemberName(AOut, ",\r\n            \"backopacity\": ");
    WriteOpacity(AOut, ATheme.FBackOpacity);
    MemberName(AOut, "\r\n        }");
}

} // namespace

QString TThemeSetJsonWriter::FormatOpacity(float AValue)
{
    char text[32];
    return QString::fromLatin1(text, OpacityChars(AValue, text));
}

QString TThemeSetJsonWriter::Write(const TColorThemesJSON &ASet)
{
    // One buffer of the largest size the text can take: at most 160
    // characters of root layout and 370 per theme besides the texts. Growing
    // a buffer of megabytes would copy it and touch fresh memory again.
    qsizetype size = 160;
    for (const QString *text : {&ASet.FVersion, &ASet.FName, &ASet.FAuthor, &ASet.FCopyright, &ASet.FCreateDate,
                                &ASet.FRemarks})
        size += WrittenLength(*text);
    for (const TColorThemeJSON &theme : ASet.FThemes)
        size += 370 + WrittenLength(theme.FName) + WrittenLength(theme.FBackFile);
    TTextBuffer out(size);

    MemberName(out, "{\r\n    \"version\": ");
    WriteString(out, ASet.FVersion);
    MemberName(out, ",\r\n    \"name\": ");
    WriteString(out, ASet.FName);
    MemberName(out, ",\r\n    \"author\": ");
    WriteString(out, ASet.FAuthor);
    MemberName(out, ",\r\n    \"copyright\": ");
    WriteString(out, ASet.FCopyright);
    MemberName(out, ",\r\n    \"createdate\": ");
    WriteString(out, ASet.FCreateDate);
    MemberName(out, ",\r\n    \"remarks\": ");
    WriteString(out, ASet.FRemarks);
    if (ASet.FThemes.isEmpty()) {
        MemberName(out, ",\r\n    \"themes\": []\r\n}");
        return out.Take();
    }
    MemberName(out, ",\r\n    \"themes\": [\r\n");
    for (qsizetype i = 0; i < ASet.FThemes.size(); ++i) {
        if (i > 0)
            MemberName(out, ",\r\n");
        WriteTheme(out, ASet.FThemes.at(i));
    }
    MemberName(out, "\r\n    ]\r\n}");
    return out.Take();
}
