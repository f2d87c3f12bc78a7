#include "rtfengine/MetafileReader.h"

#include "rtfengine/LittleEndian.h"

#include "rtfengine/Image.h"

#include <cmath>
#include <cstdlib>

namespace rtfengine {
namespace {

constexpr uint32_t kEmfSignature = 0x464D4520;
constexpr uint32_t kEmfMinHeader = 88;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kWmfHeaderSize = 18;
constexpr size_t kFrameAt = 24;

uint32_t pixels(double extent, double unitsPerInch) {
    return uint32_t(std::nearbyint(std::abs(extent) * 96.0 / unitsPerInch));
}

[[noreturn]] void fail(const char* what) {
    throw EPictureError(std::string("Invalid metafile: ") + what + ".");
}

} // namespace

bool looksLikeEmf(std::string_view data) {
    return data.size() >= kEmfMinHeader && u32At(data, 0) == 1 && u32At(data, 40) == kEmfSignature;
}

bool looksLikePlaceableWmf(std::string_view data) {
    return data.size() >= 4 && u32At(data, 0) == kPlaceableKey;
}

MetafileData readEmf(std::string_view data) {
    if (!looksLikeEmf(data))
        fail("the EMF header is missing");
    const uint32_t headerSize = u32At(data, 4);
    const uint32_t total = u32At(data, 48);
    if (headerSize < kEmfMinHeader || headerSize > total || total > data.size())
        fail("the EMF header does not match the data");
    const auto at = [&](size_t i) { return double(int32_t(u32At(data, kFrameAt + 4 * i))); };
    MetafileData emf;
    emf.bytes.assign(data.substr(0, total));
    emf.width = pixels(at(2) - at(0), 2540.0);
    emf.height = pixels(at(3) - at(1), 2540.0);
    checkImageSize(emf.width, emf.height);
    return emf;
}

MetafileData readPlaceableWmf(std::string_view data) {
    if (!looksLikePlaceableWmf(data) || data.size() < kPlaceableSize + kWmfHeaderSize)
        fail("the WMF header is missing");
    const auto coord = [&](size_t at) { return double(int16_t(u16At(data, at))); };
    const uint32_t unitsPerInch = u16At(data, 14);
    if (unitsPerInch == 0)
        fail("the WMF has no units per inch");
    const std::string_view body = data.substr(kPlaceableSize);
    const uint32_t type = u16At(body, 0);
    const uint64_t words = u32At(body, 6);
    if ((type != 1 && type != 2) || u16At(body, 2) != 9 || words * 2 > body.size() ||
        words * 2 < kWmfHeaderSize)
        fail("the WMF header does not match the data");
    MetafileData wmf;
    wmf.bytes.assign(body.substr(0, words * 2));
    wmf.width = pixels(coord(10) - coord(6), unitsPerInch);
    wmf.height = pixels(coord(12) - coord(8), unitsPerInch);
    checkImageSize(wmf.width, wmf.height);
    return wmf;
}

std::string emfWithFrame(std::string_view emf, int32_t width, int32_t height) {
    // The frame keeps its origin, which the drawing's coordinates may depend on.
    std::string out(emf);
    setU32At(out, kFrameAt + 8, u32At(emf, kFrameAt) + uint32_t(width));
    setU32At(out, kFrameAt + 12, u32At(emf, kFrameAt + 4) + uint32_t(height));
    return out;
}

} // namespace rtfengine
