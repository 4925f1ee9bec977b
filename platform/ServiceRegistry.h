#pragma once

#include <map>
#include <memory>
#include <string_view>

// A process-wide registry of pluggable services, each found under the
// identifier of the interface it implements (the interface's static IID).
// Header-only so that the core library can look services up without
// linking the widgets library.
class TServiceRegistry
{
public:
    // Registers AService under I's identifier, replacing an earlier one.
    template <class I>
    static void AddService(std::shared_ptr<I> AService)
    {
        FServices[I::IID] = std::move(AService);
    }

    template <class I>
    static void RemoveService()
    {
        FServices.erase(I::IID);
    }

    // The service registered under I's identifier, or null.
    template <class I>
    static std::shared_ptr<I> GetService()
    {
        const auto found = FServices.find(I::IID);
        return found == FServices.end() ? nullptr : std::static_pointer_cast<I>(found->second);
    }

private:
    static inline std::map<std::string_view, std::shared_ptr<void>> FServices;
};
