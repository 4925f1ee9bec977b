#pragma once

#include <QPointF>

#include <memory>

// Where the mouse pointer is, in screen coordinates. Controls take it from
// the service registry, so that tests can move a pointer of their own.
class IMouseService
{
public:
    static constexpr const char *IID = "{A6B1C3E2-5D47-4F08-9E21-7C0B93D4F615}";

    virtual ~IMouseService() = default;
    virtual QPointF GetMousePos() = 0;

    // The registered service, or one that reads the system's cursor.
    static std::shared_ptr<IMouseService> Current();
};
