#pragma once

#include <QString>

#include <functional>

// Shows the message of an error that escaped an event handler. The display
// is a dialog by default; tests replace it to observe what would be shown.
class TErrorDisplay
{
public:
    using TShowFunc = std::function<void(const QString &AMessage)>;

    static void Show(const QString &AMessage);
    // Replaces the display; an empty function restores the dialog.
    static void SetDisplay(TShowFunc AShow);

private:
    static inline TShowFunc FShow;
};
