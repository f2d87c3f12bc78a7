// Recognises enhanced (EMF) and placeable Windows (WMF) metafile files, checks
// their headers and learns their size; the drawing records are kept as they are.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rtfengine {

// A checked metafile: its records and its size in pixels at 96 per inch.
struct MetafileData {
    std::string bytes;
    uint32_t width = 0;
    uint32_t height = 0;
};

bool looksLikeEmf(std::string_view data);
bool looksLikePlaceableWmf(std::string_view data);

// The EMF as declared by its header (trailing bytes dropped); the size comes from
// its frame. Raises EPictureError for a header that does not fit the data.
MetafileData readEmf(std::string_view data);

// The WMF without its placeable header, as RTF embeds it; the size comes from the
// placeable header's bounding box and units per inch.
MetafileData readPlaceableWmf(std::string_view data);

// A copy of an EMF whose frame (its physical size) is width by height hundredths
// of a millimetre, from the frame's own origin.
std::string emfWithFrame(std::string_view emf, int32_t width, int32_t height);

} // namespace rtfengine
