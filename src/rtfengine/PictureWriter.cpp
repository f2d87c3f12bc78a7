#include "rtfengine/PictureWriter.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/MetafileWriter.h"
#include "rtfengine/RtfText.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace rtfengine {
namespace {

// Twips per millimetre and hundredths of a millimetre per pixel, as the header
// numbers are computed.
constexpr double kTwipsPerMillimetre = 56.69;
constexpr double kHimetricPerPixel = 26.4596930676;
constexpr uint16_t kLastPaletteIndex = 15;

long long rounded(double v) {
    return static_cast<long long>(std::nearbyint(v));
}

const char* borderWord(uint8_t style) {
    switch (style) {
    case 1:
        return "\\brdrs";
    case 2:
        return "\\brdrdb";
    case 3:
        return "\\brdrth";
    case 4:
        return "\\brdrsh";
    case 5:
        return "\\brdrdot";
    case 6:
        return "\\brdrhair";
    default:
        return "";
    }
}

} // namespace

int colorNumber(DocumentTables& tables, PaletteColor color) {
    const std::string entry = "\\red" + std::to_string(color.red) + "\\green" +
                              std::to_string(color.green) + "\\blue" + std::to_string(color.blue) +
                              ";";
    auto& colors = tables.colors;
    for (size_t i = 0; i < colors.size(); ++i)
        if (equalsIgnoringAsciiCase(colors[i], entry))
            return int(i);
    if (colors.empty())
        colors.emplace_back(";"); // slot 0 stays the automatic colour
    colors.push_back(entry);
    return int(colors.size() - 1);
}

void appendPictureData(std::string& out, std::string_view bytes, bool binary) {
    if (binary) {
        out += "\\bin" + std::to_string(bytes.size()) + " ";
        out += bytes;
    } else {
        static constexpr char kHex[] = "0123456789ABCDEF";
        out += ' ';
        out.reserve(out.size() + bytes.size() * 2 + 2);
        for (unsigned char c : bytes) {
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    out += "\r}";
}

void writePicture(std::string& out, const Picture& picture, int formatIndex,
                  const PictureSettings& settings, DocumentTables& tables,
                  std::string_view rtfCodes) {
    if (!picture.empty()) {
        TImageFormat format =
            TImageFormat::forPixels(uint16_t(picture.width()), uint16_t(picture.height()));
        if (settings.onImageFormat)
            settings.onImageFormat(formatIndex, format);
        if (format.BorderColor > kLastPaletteIndex)
            format.SetBorder(format.BorderStyle, 0, format.BorderWidth);
        const auto frameWidth = int32_t(rounded(format.WidthMM * 100));
        const auto frameHeight = int32_t(rounded(format.HeightMM * 100));

        // The metafile data and its form. A metafile that came from a file keeps
        // its own kind whichever form is asked for, since one kind cannot be turned
        // into the other without drawing it; the header then follows that kind, so
        // that its numbers mean what readers of that kind expect.
        std::string data;
        bool enhanced = !settings.wmfCompatible;
        switch (picture.kind()) {
        case Picture::Kind::Empty:
            break;
        case Picture::Kind::Bitmap:
            data = enhanced ? writeEmf(picture.bitmap(), frameWidth, frameHeight)
                            : writeWmf(picture.bitmap());
            break;
        case Picture::Kind::Emf:
            data = emfWithFrame(picture.metafile().bytes, frameWidth, frameHeight);
            enhanced = true;
            break;
        case Picture::Kind::Wmf:
            data = picture.metafile().bytes;
            enhanced = false;
            break;
        }

        out += "{\\pict\\picscalex";
        if (!enhanced) {
            out += "100\\picscaley100\\piccropl0\\piccropr0\\piccropt0\\piccropb0\\picw" +
                   std::to_string(rounded(format.Width * kHimetricPerPixel)) + "\\pich" +
                   std::to_string(rounded(format.Height * kHimetricPerPixel));
        } else {
            out += std::to_string(format.ScaleX) + "\\picscaley" + std::to_string(format.ScaleY) +
                   "\\piccropl0\\piccropr0\\piccropt0\\piccropb0\\picw" +
                   std::to_string(rounded(format.WidthMM * kTwipsPerMillimetre)) + "\\pich" +
                   std::to_string(rounded(format.HeightMM * kTwipsPerMillimetre));
        }
        out += enhanced ? "\\emfblip" : "\\wmetafile8";
        out += borderWord(format.BorderStyle);
        out += "\\brdrw" + std::to_string(format.borderWidthTwips()) + "\\brdrcf" +
               std::to_string(colorNumber(tables, borderPalette()[format.BorderColor]));
        // Readers take \picw of an enhanced metafile as hundredths of a millimetre,
        // while the number above is in twips; the goal size, in twips by
        // definition, makes them show the picture at its stated size.
        if (enhanced)
            out += "\\picwgoal" + std::to_string(rounded(format.WidthMM * kTwipsPerMillimetre)) +
                   "\\pichgoal" + std::to_string(rounded(format.HeightMM * kTwipsPerMillimetre));
        appendPictureData(out, data, settings.binary);
    }
    out += rtfCodes;
}

void writePictureFromFile(std::string& out, const std::string& fileName, int formatIndex,
                          const PictureSettings& settings, DocumentTables& tables,
                          std::string_view rtfCodes) {
    Picture picture;
    try {
        picture = loadPictureFile(fileName);
    } catch (const std::exception&) {
        // Whatever kept the file from loading, the run goes on with a visible note.
        out += "#Can't load file ";
        appendRtfText(out, fileName);
        out += rtfCodes;
        return;
    }
    writePicture(out, picture, formatIndex, settings, tables, rtfCodes);
}

void writePictureFromField(std::string& out, std::string_view fieldData, int formatIndex,
                           const PictureSettings& settings, DocumentTables& tables,
                           std::string_view rtfCodes) {
    writePicture(out, decodeFieldPicture(fieldData), formatIndex, settings, tables, rtfCodes);
}

} // namespace rtfengine
