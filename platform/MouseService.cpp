#include "platform/MouseService.h"

#include "platform/ServiceRegistry.h"

#include <QCursor>

namespace {

class TCursorMouseService : public IMouseService
{
public:
    QPointF GetMousePos() override { return QCursor::pos(); }
};

} // namespace

std::shared_ptr<IMouseService> IMouseService::Current()
{
    if (auto service = TServiceRegistry::GetService<IMouseService>())
        return service;
    return std::make_shared<TCursorMouseService>();
}
