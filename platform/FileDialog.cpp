#include "platform/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

TFileDialog::TFileDialog(TKind AKind, const QString &AFilter, const QString &ADefaultExt)
    : FKind(AKind), FFilter(AFilter), FDefaultExt(ADefaultExt)
{
}

QString TFileDialog::QtFilter() const
{
    // "Json|*.json|txt|*.txt" becomes "Json (*.json);;txt (*.txt)".
    const QStringList parts = FFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(u';', u' '));
    return entries.join(QStringLiteral(";;"));
}

bool TFileDialog::Execute(QWidget *AParent)
{
    QString chosen;
    if (FChooser) {
        chosen = FChooser(*this);
    } else {
        QFileDialog dialog(AParent);
        dialog.setAcceptMode(FKind == TKind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(FKind == TKind::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setNameFilter(QtFilter());
        dialog.setDefaultSuffix(QString(FDefaultExt).remove(0, FDefaultExt.startsWith(u'.') ? 1 : 0));
        // Saving replaces an existing file without a question.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!FInitialDir.isEmpty())
            dialog.setDirectory(FInitialDir);
        if (!FFileName.isEmpty())
            dialog.selectFile(QFileInfo(FFileName).fileName());
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().constFirst();
    }
    if (chosen.isEmpty())
        return false;
    FFileName = QFileInfo(chosen).absoluteFilePath();
    return true;
}
