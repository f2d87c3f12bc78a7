#include "rtfengine/EmbeddedObjects.h"

#include "rtfengine/Dataset.h"
#include "rtfengine/Hyperlink.h"
#include "rtfengine/PictureWriter.h"
#include "rtfengine/RtfEngine.h"

namespace rtfengine {

void writeEmbeddedObject(TRtfEngine& engine, DocumentTables& tables, const EmbeddedObject& object,
                         std::string& out) {
    if (object.source == EmbeddedObject::Source::Hyperlink) {
        writeHyperlink(out, object.text, object.lang, object.codes);
        return;
    }

    PictureSettings settings;
    settings.wmfCompatible = engine.options().has(TRtfOption::eoGraphicsWmfCompatible);
    settings.binary = engine.options().has(TRtfOption::eoGraphicsBinary);
    if (engine.OnImageFormat)
        settings.onImageFormat = [&engine](int formatIndex, TImageFormat& imageFormat) {
            engine.OnImageFormat(engine, formatIndex, imageFormat);
        };
    // The image format index is FIMG's first number; without FIMG it is 0.
    const int formatIndex = object.format.id == FormatId::FIMG ? object.format.param1 : 0;

    switch (object.source) {
    case EmbeddedObject::Source::PictureFile:
        writePictureFromFile(out, std::string(object.text), formatIndex, settings, tables,
                             object.codes);
        break;
    case EmbeddedObject::Source::PictureField:
        writePictureFromField(out, object.field->asBytes(), formatIndex, settings, tables,
                              object.codes);
        break;
    case EmbeddedObject::Source::PictureData: {
        // A function that left its result empty places no picture.
        const Picture picture = object.text.empty() ? Picture() : decodePicture(object.text);
        writePicture(out, picture, formatIndex, settings, tables, object.codes);
        break;
    }
    case EmbeddedObject::Source::Hyperlink:
        break;
    }
}

} // namespace rtfengine
