#include "graphics/GIFLZWDecoderFactory.h"

#include "graphics/GIFLZWDecoder.h"
#include "platform/ServiceRegistry.h"

std::shared_ptr<ILZWDecoder> TGIFLZWDecoderFactory::CreateLZWDecoder()
{
    return std::make_shared<TGIFLZWDecoder>();
}

void TGIFLZWDecoderFactory::Register()
{
    TServiceRegistry::AddService<ILZWDecoderFactory>(std::make_shared<TGIFLZWDecoderFactory>());
}
