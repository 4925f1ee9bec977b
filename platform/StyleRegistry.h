#pragma once

#include <QHash>
#include <QString>

#include <functional>

class QWidget;

// The program's own named styles. A style is a builder that dresses a
// control: it adds the style's objects as children of the control (named so
// the control's owner can find them) or sets the control up. A control asks
// for its style by name; an unknown name leaves the control undressed.
class TStyleRegistry
{
public:
    using TBuilder = std::function<void(QWidget *AControl)>;

    static void Register(const QString &AName, TBuilder ABuilder);
    // Runs the builder named AName on AControl; false when there is none.
    static bool Apply(const QString &AName, QWidget *AControl);
    static bool Contains(const QString &AName) { return FBuilders.contains(AName); }

private:
    static inline QHash<QString, TBuilder> FBuilders;
};
