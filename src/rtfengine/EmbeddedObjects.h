// The one place where the engine hands pictures and hyperlinks over to be written:
// pictures named by a value, stored in a field or returned by a function, and
// hyperlinks made from a value or a field's text.
#pragma once

#include "rtfengine/Expression.h"

#include <string>
#include <string_view>

namespace rtfengine {

class Field;
class TRtfEngine;
struct DocumentTables;

struct EmbeddedObject {
    enum class Source {
        PictureFile,  // `text` is the name of a picture file
        PictureField, // `field` holds picture data
        PictureData,  // `text` holds the bytes of a picture (a function's result)
        Hyperlink,    // `text` is "address|shown text" or an address
    };
    Source source = Source::Hyperlink;
    std::string_view text;
    Field* field = nullptr;
    // The command's format; param1 is the image format index of FIMG.
    FormatRecord format;
    // The command's RTF codes, written after the object.
    std::string_view codes;
    // Lang in decimal.
    std::string_view lang;
};

// Writes the object and then the command's codes. The engine supplies the options,
// the palette and OnImageFormat; `tables` receives colours the object needs.
void writeEmbeddedObject(TRtfEngine& engine, DocumentTables& tables, const EmbeddedObject& object,
                         std::string& out);

} // namespace rtfengine
