#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

// A control dressed by a named style of the style registry. The style is
// applied before the control is first shown and again on every call of
// ApplyStyle; each application replaces the objects of the previous one and
// then raises OnApplyStyleLookup.
class TStyledControl : public QWidget
{
    Q_OBJECT

public:
    explicit TStyledControl(QWidget *AParent = nullptr);

    QString StyleLookup() const { return FStyleLookup; }
    void SetStyleLookup(const QString &AName) { FStyleLookup = AName; }

    void ApplyStyle();
    bool IsStyleApplied() const { return FStyleRoot != nullptr; }
    // The object of the applied style named AName, or nullptr.
    template<typename T>
    T *FindStyleResource(const QString &AName) const
    {
        return FStyleRoot ? FStyleRoot->findChild<T *>(AName) : nullptr;
    }

    std::function<void(TStyledControl *ASender)> OnApplyStyleLookup;

protected:
    bool event(QEvent *AEvent) override;
    void resizeEvent(QResizeEvent *AEvent) override;

private:
    QString FStyleLookup;
    QPointer<QWidget> FStyleRoot;
};
