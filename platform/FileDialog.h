#pragma once

#include <QString>

#include <functional>

class QWidget;

// An open or save file dialog that keeps its own last file name between
// uses. Execute shows the platform's dialog, or asks the chooser that tests
// put in its place.
class TFileDialog
{
public:
    enum class TKind { Open, Save };

    // Gets the dialog as prepared and returns the chosen full path, or an
    // empty string for a cancelled dialog.
    using TChooser = std::function<QString(const TFileDialog &ADialog)>;

    TFileDialog(TKind AKind, const QString &AFilter, const QString &ADefaultExt);

    TKind Kind() const { return FKind; }
    // Filter in "Name|*.ext|Name|*.ext" form.
    QString Filter() const { return FFilter; }
    QString DefaultExt() const { return FDefaultExt; }
    QString FileName() const { return FFileName; }
    void SetFileName(const QString &AFileName) { FFileName = AFileName; }
    QString InitialDir() const { return FInitialDir; }
    void SetInitialDir(const QString &ADir) { FInitialDir = ADir; }

    // True when a file was chosen; FileName then holds its full path.
    bool Execute(QWidget *AParent);

    // Replaces every dialog's platform dialog; an empty chooser restores it.
    static void SetChooser(TChooser AChooser) { FChooser = std::move(AChooser); }

private:
    QString QtFilter() const;

    TKind FKind;
    QString FFilter;
    QString FDefaultExt;
    QString FFileName;
    QString FInitialDir;

    static inline TChooser FChooser;
};
