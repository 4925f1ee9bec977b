#pragma once

#include "platform/ButtonEdit.h"

// A colour field: at most eight hexadecimal digits, shown in lower case.
// Other characters are dropped and upper-case letters turned to lower case,
// whether typed or assigned. TextChange fires once for every actual change
// of the text, typed or assigned, after filtering.
class TColorEdit : public TButtonEdit
{
    Q_OBJECT

public:
    static constexpr int MaxDigits = 8;

    explicit TColorEdit(QWidget *AParent = nullptr);

Q_SIGNALS:
    void TextChange();

private:
    void TextChanged(const QString &AText);

    QString FLastText;
};
