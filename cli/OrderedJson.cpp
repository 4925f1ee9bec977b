#include "OrderedJson.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>
#include <cmath>

TOrderedJson &TOrderedJson::Add(const QString &AName, const QString &AJsonText)
{
    FMembers.append({AName, AJsonText});
    return *this;
}

TOrderedJson &TOrderedJson::Add(const QString &AName, const TOrderedJson &AObject)
{
    FMembers.append({AName, AObject});
    return *this;
}

TOrderedJson &TOrderedJson::Add(const QString &AName, const QList<TOrderedJson> &AObjects)
{
    FMembers.append({AName, AObjects});
    return *this;
}

QString TOrderedJson::ToString(int AIndent) const
{
    if (FMembers.isEmpty())
        return QStringLiteral("{}");
    const QString inner(AIndent + 2, u' ');
    QStringList members;
    for (const auto &[name, value] : FMembers) {
        QString text;
        if (const auto *scalar = std::get_if<QString>(&value)) {
            text = *scalar;
        } else if (const auto *object = std::get_if<TOrderedJson>(&value)) {
            text = object->ToString(AIndent + 2);
        } else {
            const auto &objects = std::get<QList<TOrderedJson>>(value);
            QStringList items;
            for (const TOrderedJson &item : objects)
                items << QString(AIndent + 4, u' ') + item.ToString(AIndent + 4);
            text = items.isEmpty() ? QStringLiteral("[]")
                                   : QStringLiteral("[\n") + items.join(QStringLiteral(",\n")) + u'\n' + inner + u']';
        }
        members << inner + String(name) + QStringLiteral(": ") + text;
    }
    return QStringLiteral("{\n") + members.join(QStringLiteral(",\n")) + u'\n' + QString(AIndent, u' ') + u'}';
}

QString TOrderedJson::String(const QString &AValue)
{
    // Qt's writer does the escaping; the array brackets are cut off.
    const QByteArray text = QJsonDocument(QJsonArray{AValue}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

QString TOrderedJson::Bool(bool AValue)
{
    return AValue ? QStringLiteral("true") : QStringLiteral("false");
}

QString TOrderedJson::Integer(qint64 AValue)
{
    return QString::number(AValue);
}

QString TOrderedJson::Single(float AValue)
{
    if (!std::isfinite(AValue))
        return QStringLiteral("null");
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, AValue);
    return QString::fromLatin1(text, result.ptr - text);
}

QString TOrderedJson::Array(const QStringList &AJsonTexts)
{
    return u'[' + AJsonTexts.join(QStringLiteral(", ")) + u']';
}
