#pragma once

#include "platform/MouseService.h"

namespace TestSupport {

// A mouse pointer that tests put where they want (screen coordinates).
class TTestMouse : public IMouseService
{
public:
    QPointF GetMousePos() override { return FPos; }
    QPointF FPos;
};

} // namespace TestSupport
