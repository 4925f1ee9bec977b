#include "platform/Application.h"

#include "platform/ErrorDisplay.h"

#include <stdexcept>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
}

bool TApplication::notify(QObject *AReceiver, QEvent *AEvent)
{
    bool result = false;
    Guarded([&] { result = QApplication::notify(AReceiver, AEvent); });
    return result;
}

void TApplication::Guarded(const std::function<void()> &AAction)
{
    try {
        AAction();
    } catch (const std::exception &e) {
        TErrorDisplay::Show(QString::fromUtf8(e.what()));
    }
}

QString TApplication::GetVersion()
{
    // The build's project version; an empty or malformed one reads "unknown".
    const QString version = QStringLiteral(NOTAVELL2_VERSION);
    const QStringList parts = version.split(u'.');
    if (parts.size() < 3)
        return QStringLiteral("unknown");
    QStringList numbers;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const int n = parts.at(i).toInt(&ok);
        if (!ok)
            return QStringLiteral("unknown");
        numbers << QString::number(n);
    }
    return numbers.join(u'.');
}
