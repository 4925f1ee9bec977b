// notavell2-themes preview FILE [--theme NAME | --index N] -o OUT.png
// notavell2-themes preview FILE --all -o SHEET.png
// Renders the designer's own preview note, headless, for one theme of a set
// or for all of them on a labelled sheet.
#include "CliCommand.h"
#include "CliConsole.h"
#include "CliThemeSet.h"

#include "app/frmMain.h"
#include "model/ColorThemes.h"
#include "platform/DarkStyle.h"

#include <QApplication>
#include <QComboBox>
#include <QImageWriter>
#include <QPainter>
#include <QWindow>

#include <optional>

namespace {

constexpr int SheetColumns = 3;
constexpr int SheetMargin = 12;
constexpr int LabelHeight = 22;

struct TPreviewArgs
{
    QString Input;
    QString Output;
    QString ThemeName;
    std::optional<int> Index;
    bool All = false;
};

// Parses the arguments; an error text when they do not make sense.
QString Parse(const QStringList &AArgs, TPreviewArgs &AResult)
{
    for (qsizetype i = 0; i < AArgs.size(); ++i) {
        const QString &arg = AArgs.at(i);
        const bool hasValue = i + 1 < AArgs.size();
        if (arg == QLatin1String("-o") || arg == QLatin1String("--theme") || arg == QLatin1String("--index")) {
            if (!hasValue)
                return QStringLiteral("%1 needs a value").arg(arg);
            const QString value = AArgs.at(++i);
            if (arg == QLatin1String("-o")) {
                AResult.Output = value;
            } else if (arg == QLatin1String("--theme")) {
                AResult.ThemeName = value;
            } else {
                bool ok = false;
                const int index = value.toInt(&ok);
                if (!ok || index < 0)
                    return QStringLiteral("--index needs a number from 0");
                AResult.Index = index;
            }
        } else if (arg == QLatin1String("--all")) {
            AResult.All = true;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            return QStringLiteral("unknown option %1").arg(arg);
        } else if (AResult.Input.isEmpty()) {
            AResult.Input = arg;
        } else {
            return QStringLiteral("only one input file is taken");
        }
    }
    if (AResult.Input.isEmpty())
        return QStringLiteral("no file given");
    if (AResult.Output.isEmpty())
        return QStringLiteral("-o OUT.png is needed");
    if (int(AResult.All) + int(!AResult.ThemeName.isEmpty()) + int(AResult.Index.has_value()) > 1)
        return QStringLiteral("choose one of --theme, --index and --all");
    return QString();
}

QWidget *PreviewOf(TfrmMain &AWindow)
{
    return AWindow.findChild<QWidget *>(QStringLiteral("layoutPreviewBase"));
}

QImage RenderPreview(TfrmMain &AWindow, int AIndex)
{
    AWindow.findChild<QComboBox *>(QStringLiteral("cmbbxThemes"))->setCurrentIndex(AIndex);
    QCoreApplication::processEvents();
    return PreviewOf(AWindow)->grab().toImage();
}

QImage RenderSheet(TfrmMain &AWindow)
{
    const QSize cell = PreviewOf(AWindow)->size() + QSize(0, LabelHeight);
    const int count = TColorThemes::Count();
    const int columns = std::min(count, SheetColumns);
    const int rows = (count + SheetColumns - 1) / SheetColumns;
    QImage sheet(SheetMargin + columns * (cell.width() + SheetMargin), SheetMargin + rows * (cell.height() + SheetMargin),
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(qApp->palette().color(QPalette::Window));
    QPainter painter(&sheet);
    painter.setPen(qApp->palette().color(QPalette::WindowText));
    for (int i = 0; i < count; ++i) {
        const QPoint at(SheetMargin + (i % SheetColumns) * (cell.width() + SheetMargin),
                        SheetMargin + (i / SheetColumns) * (cell.height() + SheetMargin));
        painter.drawText(QRect(at, QSize(cell.width(), LabelHeight)), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1  %2").arg(i).arg(TColorThemes::Items(i).FName));
        painter.drawImage(at + QPoint(0, LabelHeight), RenderPreview(AWindow, i));
    }
    return sheet;
}

int RunPreview(const QStringList &AArgs)
{
    TPreviewArgs args;
    const QString usage = Parse(AArgs, args);
    if (!usage.isEmpty()) {
        CliConsole::PrintError(QStringLiteral("preview: %1").arg(usage));
        return TCliCommand::ExitUsage;
    }
    const QString error = CliThemeSet::Load(args.Input);
    if (!error.isEmpty()) {
        CliConsole::PrintError(QStringLiteral("%1: %2").arg(args.Input, error));
        return TCliCommand::ExitFailure;
    }
    if (TColorThemes::Count() == 0) {
        CliConsole::PrintError(QStringLiteral("%1: the set holds no theme").arg(args.Input));
        return TCliCommand::ExitFailure;
    }
    int index = args.Index.value_or(0);
    if (!args.ThemeName.isEmpty())
        index = TColorThemes::IndexOf(args.ThemeName);
    if (index < 0 || index >= TColorThemes::Count()) {
        CliConsole::PrintError(args.ThemeName.isEmpty()
                                   ? QStringLiteral("preview: the set has no theme %1").arg(index)
                                   : QStringLiteral("preview: the set has no theme named \"%1\"").arg(args.ThemeName));
        return TCliCommand::ExitFailure;
    }

    TDarkStyle::Apply(*qApp);
    TfrmMain window;
    // Shown (offscreen unless a platform was chosen) so that every style is
    // applied as in the designer.
    window.show();
    QCoreApplication::processEvents();
    const QImage picture = args.All ? RenderSheet(window) : RenderPreview(window, index);

    QImageWriter writer(args.Output, "png");
    if (!writer.write(picture)) {
        CliConsole::PrintError(QStringLiteral("%1: %2").arg(args.Output, writer.errorString()));
        return TCliCommand::ExitFailure;
    }
    return TCliCommand::ExitOk;
}

const TCliCommand::TRegistration registration({
    QStringLiteral("preview"),
    QStringLiteral("FILE [--theme NAME | --index N | --all] -o OUT.png"),
    QStringLiteral("Renders the designer's preview note for one theme of a set (the first unless --theme names it "
                   "or --index gives its position from 0) as a PNG picture, or with --all a labelled sheet of "
                   "every theme."),
    &RunPreview,
    true,
});

} // namespace
