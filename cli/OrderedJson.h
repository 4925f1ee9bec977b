#pragma once

#include <QList>
#include <QString>

#include <variant>

// A JSON object whose members keep the order they were added in (QJsonObject
// sorts them), written indented by two blanks. Scalar values are given as
// JSON text made by the helpers below.
class TOrderedJson
{
public:
    TOrderedJson &Add(const QString &AName, const QString &AJsonText);
    TOrderedJson &Add(const QString &AName, const TOrderedJson &AObject);
    TOrderedJson &Add(const QString &AName, const QList<TOrderedJson> &AObjects);

    QString ToString(int AIndent = 0) const;

    static QString String(const QString &AValue);
    static QString Bool(bool AValue);
    static QString Integer(qint64 AValue);
    // The shortest decimal that reads back as the same single-precision
    // value ("0.3", not "0.30000001192092896"); null for NaN and infinities.
    static QString Single(float AValue);
    // [a, b, ...] on one line, from JSON texts.
    static QString Array(const QStringList &AJsonTexts);

private:
    using TValue = std::variant<QString, TOrderedJson, QList<TOrderedJson>>;
    QList<std::pair<QString, TValue>> FMembers;
};
