#include "controls/ColorEdit.h"

#include <QValidator>

#include <cctype>

namespace {

// Keeps only hexadecimal digits, in lower case, and at most MaxDigits.
class THexDigitsFilter : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &AInput, int &APos) const override
    {
        QString kept;
        kept.reserve(AInput.size());
        int pos = 0;
        for (int i = 0; i < AInput.size(); ++i) {
            const QChar c = AInput.at(i).toLower();
            if (c.unicode() > 0x7F || !std::isxdigit(c.unicode()))
                continue;
            if (kept.size() == TColorEdit::MaxDigits)
                break;
            kept.append(c);
            if (i < APos)
                ++pos;
        }
        AInput = kept;
        APos = std::min<int>(pos, kept.size());
        return Acceptable;
    }
};

} // namespace

TColorEdit::TColorEdit(QWidget *AParent) : TButtonEdit(AParent)
{
    setMaxLength(MaxDigits);
    setValidator(new THexDigitsFilter(this));
    connect(this, &QLineEdit::textChanged, this, &TColorEdit::TextChanged);
}

void TColorEdit::TextChanged(const QString &AText)
{
    // The line edit may report a text it is about to filter, or the same
    // text again after filtering a refused character away.
    if (AText == FLastText)
        return;
    FLastText = AText;
    Q_EMIT TextChange();
}
