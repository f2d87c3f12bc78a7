// A picture to be placed in the document: a raster image or a metafile taken as
// it is, with the loaders for picture files and for picture data in fields.
#pragma once

#include "rtfengine/Image.h"
#include "rtfengine/MetafileReader.h"

#include <string>
#include <string_view>
#include <variant>

namespace rtfengine {

class Picture {
public:
    enum class Kind {
        Empty,  // nothing to place
        Bitmap, // decoded pixels (BMP, JPEG, PNG)
        Emf,    // an enhanced metafile
        Wmf,    // a Windows metafile, without its placeable header
    };

    Picture() = default;
    static Picture fromBitmap(ImageBitmap image);
    static Picture fromEmf(MetafileData emf);
    static Picture fromWmf(MetafileData wmf);

    Kind kind() const;
    bool empty() const { return kind() == Kind::Empty; }
    // Size in pixels at 96 pixels per inch; 0 for an empty picture.
    uint32_t width() const;
    uint32_t height() const;

    // Only for the matching kind.
    const ImageBitmap& bitmap() const { return std::get<ImageBitmap>(m_content); }
    const MetafileData& metafile() const;

private:
    struct Emf {
        MetafileData data;
    };
    struct Wmf {
        MetafileData data;
    };
    std::variant<std::monostate, ImageBitmap, Emf, Wmf> m_content;
};

// Decodes picture data by its content: BMP, JPEG, PNG, EMF or placeable WMF.
// Raises EPictureError for damaged data and for every other format.
Picture decodePicture(std::string_view data);

// Loads a picture file (the format follows the content, not the name). Raises
// EPictureError when the file cannot be read or decoded.
Picture loadPictureFile(const std::string& fileName);

// Decodes the data of a picture field. Empty data is an empty picture. Data that
// announces JFIF in its first 20 bytes goes to the JPEG decoder; GIF data is
// refused with a clear error, since no GIF decoder is used; the rest is decoded by
// its content. Raises EPictureError.
Picture decodeFieldPicture(std::string_view data);

} // namespace rtfengine
