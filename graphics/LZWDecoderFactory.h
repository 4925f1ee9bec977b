#pragma once

#include "graphics/LZWDecoder.h"

#include <memory>

// Makes frame decoders; an animator finds one in the service registry.
class ILZWDecoderFactory
{
public:
    static constexpr const char *IID = "{B7AB292D-A820-486F-A606-C133E1992142}";

    virtual ~ILZWDecoderFactory() = default;
    virtual std::shared_ptr<ILZWDecoder> CreateLZWDecoder() = 0;
};
