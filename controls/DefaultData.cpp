#include "model/DefaultData.h"

#include "store/DataSerializer.h"

TDefaultData *DefaultData = nullptr;

TDefaultData::TDefaultData()
{
    bool read = false;
    // A file that exists but cannot be loaded (locked, unreadable) must not
    // keep the program from starting: it counts as unreadable.
    try {
        read = TDataSerializer::ReadData(this, nullptr, true);
    } catch (const std::exception &) {
        read = false;
    }
    if (!read) {
        FAttr.Init();
        FBounds.Init();
    }
}

void TDefaultData::Assign(IStickyData *AData)
{
    FAttr.Assign(*AData->GetAttr());
    FBounds.Assign(*AData->GetStickyBounds());
    FModified = true;
    TDataSerializer::WriteData(this, true);
}

void TDefaultData::AssignTo(IStickyData *AData)
{
    AData->GetAttr()->Assign(FAttr);
    AData->GetStickyBounds()->Assign(FBounds);
}

void TDefaultData::SetZOrder(TZOrder AZOrder)
{
    FAttr.SetZOrder(AZOrder);
    FModified = true;
    TDataSerializer::WriteData(this, true);
}
