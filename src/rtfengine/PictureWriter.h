// Writes pictures into the document as RTF \pict groups: header words, size,
// scale and border, then the metafile data in binary or hexadecimal form.
#pragma once

#include "rtfengine/DocumentTables.h"
#include "rtfengine/ImageFormat.h"
#include "rtfengine/Picture.h"

#include <functional>
#include <string>
#include <string_view>

namespace rtfengine {

// Lets the caller adjust a picture's size and border before it is written;
// formatIndex is the command's image format index (first number of FIMG).
using ImageFormatHandler = std::function<void(int formatIndex, TImageFormat& imageFormat)>;

// How the engine writes pictures during one run.
struct PictureSettings {
    bool wmfCompatible = false; // Windows metafiles instead of enhanced ones
    bool binary = true;         // \bin data instead of hexadecimal
    ImageFormatHandler onImageFormat;
};

// The colour number of a colour in the document's colour list, appending it when
// absent (after the automatic colour ";" when the list is empty).
int colorNumber(DocumentTables& tables, PaletteColor color);

// Appends picture bytes and the group's end: "\bin<n> " and the bytes, or a blank
// and upper-case hex pairs; then a carriage return and "}".
void appendPictureData(std::string& out, std::string_view bytes, bool binary);

// Writes the picture (nothing for an empty one), then the command's RTF codes.
void writePicture(std::string& out, const Picture& picture, int formatIndex,
                  const PictureSettings& settings, DocumentTables& tables,
                  std::string_view rtfCodes);

// Loads and writes a picture file. A file that cannot be loaded leaves the text
// "#Can't load file " and its escaped name instead; the run goes on.
void writePictureFromFile(std::string& out, const std::string& fileName, int formatIndex,
                          const PictureSettings& settings, DocumentTables& tables,
                          std::string_view rtfCodes);

// Decodes and writes the picture held in a field's data; raises EPictureError
// when the data cannot be decoded.
void writePictureFromField(std::string& out, std::string_view fieldData, int formatIndex,
                           const PictureSettings& settings, DocumentTables& tables,
                           std::string_view rtfCodes);

} // namespace rtfengine
