#include "platform/StyleRegistry.h"

void TStyleRegistry::Register(const QString &AName, TBuilder ABuilder)
{
    FBuilders.insert(AName, std::move(ABuilder));
}

bool TStyleRegistry::Apply(const QString &AName, QWidget *AControl)
{
    const auto found = FBuilders.constFind(AName);
    if (found == FBuilders.cend())
        return false;
    (*found)(AControl);
    return true;
}
