#include "rtfengine/Picture.h"

#include "rtfengine/BmpReader.h"
#include "rtfengine/JpegDecoder.h"
#include "rtfengine/PngDecoder.h"

#include <fstream>
#include <iterator>

namespace rtfengine {
namespace {

// A picture file beyond this is not read at all.
constexpr std::streamoff kMaxPictureFileSize = 256LL << 20;

} // namespace

Picture Picture::fromBitmap(ImageBitmap image) {
    Picture p;
    p.m_content = std::move(image);
    return p;
}

Picture Picture::fromEmf(MetafileData emf) {
    Picture p;
    p.m_content = Emf{std::move(emf)};
    return p;
}

Picture Picture::fromWmf(MetafileData wmf) {
    Picture p;
    p.m_content = Wmf{std::move(wmf)};
    return p;
}

Picture::Kind Picture::kind() const {
    switch (m_content.index()) {
    case 1:
        return Kind::Bitmap;
    case 2:
        return Kind::Emf;
    case 3:
        return Kind::Wmf;
    default:
        return Kind::Empty;
    }
}

namespace {

// A side of the picture, read alike from a bitmap and a metafile.
template <class Read> uint32_t sideOf(const Picture& picture, Read read) {
    switch (picture.kind()) {
    case Picture::Kind::Empty:
        return 0;
    case Picture::Kind::Bitmap:
        return read(picture.bitmap());
    case Picture::Kind::Emf:
    case Picture::Kind::Wmf:
        return read(picture.metafile());
    }
    return 0;
}

} // namespace

uint32_t Picture::width() const {
    return sideOf(*this, [](const auto& content) { return content.width; });
}

uint32_t Picture::height() const {
    return sideOf(*this, [](const auto& content) { return content.height; });
}

const MetafileData& Picture::metafile() const {
    if (const auto* emf = std::get_if<Emf>(&m_content))
        return emf->data;
    return std::get<Wmf>(m_content).data;
}

Picture decodePicture(std::string_view data) {
    if (looksLikeJpeg(data))
        return Picture::fromBitmap(decodeJpeg(data));
    if (looksLikePng(data))
        return Picture::fromBitmap(decodePng(data));
    if (looksLikeBmp(data))
        return Picture::fromBitmap(readBmp(data));
    if (looksLikeEmf(data))
        return Picture::fromEmf(readEmf(data));
    if (looksLikePlaceableWmf(data))
        return Picture::fromWmf(readPlaceableWmf(data));
    if (data.substr(0, 4) == "GIF8")
        throw EPictureError("GIF pictures are not supported; use PNG or JPEG.");
    throw EPictureError("Unknown picture format.");
}

Picture loadPictureFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary | std::ios::ate);
    if (!file)
        throw EPictureError("Can't open picture file " + fileName);
    const std::streamoff size = file.tellg();
    if (size < 0 || size > kMaxPictureFileSize)
        throw EPictureError("Picture file too large: " + fileName);
    std::string data(size_t(size), '\0');
    file.seekg(0);
    if (!file.read(data.data(), size))
        throw EPictureError("Can't read picture file " + fileName);
    return decodePicture(data);
}

Picture decodeFieldPicture(std::string_view data) {
    if (data.empty())
        return {};
    const std::string_view head = data.substr(0, 20);
    if (head.find("JFIF") != std::string_view::npos)
        return Picture::fromBitmap(decodeJpeg(data));
    if (head.find("GIF8") != std::string_view::npos)
        throw EPictureError("GIF pictures are not supported; use PNG or JPEG.");
    return decodePicture(data);
}

} // namespace rtfengine
