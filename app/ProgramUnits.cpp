#include "app/ProgramUnits.h"

#include "graphics/GIFLZWDecoderFactory.h"
#include "model/ColorThemes.h"
#include "model/DefaultData.h"
#include "store/DataSerializer.h"

void TProgramUnits::Initialize()
{
    // In this order: the GIF frame decoder factory registers itself, the
    // data store seeds the random generator, the theme registry loads the
    // theme set, then the default note data reads the default note.
    TGIFLZWDecoderFactory::Register();
    TDataSerializer::Randomize();
    TColorThemes::Initialize();
    DefaultData = new TDefaultData;
}

void TProgramUnits::Finalize()
{
    delete DefaultData;
    DefaultData = nullptr;
    TColorThemes::Finalize();
}
