#pragma once

#include "graphics/LZWDecoderFactory.h"

// Makes the default frame decoder, TGIFLZWDecoder.
class TGIFLZWDecoderFactory : public ILZWDecoderFactory
{
public:
    std::shared_ptr<ILZWDecoder> CreateLZWDecoder() override;

    // Puts one factory into the service registry, so that every animator
    // created afterwards gets its own decoder. It stays there until exit.
    static void Register();
};
