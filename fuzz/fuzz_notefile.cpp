// libFuzzer target: decodes arbitrary bytes as a whole note file, both as a
// note and as the default note, through the in-memory path of ReadData.
#include "model/NoteData.h"
#include "store/DataSerializer.h"

#include <QApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Note images are widgets; they need an application, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *AData, size_t ASize)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(AData), qsizetype(ASize));
    for (bool asDefault : {false, true}) {
        TNoteData note(QStringLiteral("fuzz.nvl"));
        TDataSerializer::ReadDataFrom(bytes, &note, nullptr, asDefault);
        // Whatever was read must write out again.
        TDataSerializer::BuildNoteFile(&note, asDefault);
    }
    return 0;
}
