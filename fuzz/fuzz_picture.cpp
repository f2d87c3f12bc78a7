// Decodes fuzzed picture data as a file and as a field would be (BMP, JPEG, PNG,
// EMF, placeable WMF) and writes what decodes into the document in every form.
// Checks: a decoded bitmap holds exactly width x height pixels within the caps,
// and the picture group written is balanced.
#include "FuzzInput.h"
#include "RtfCheck.h"

#include "rtfengine/Picture.h"
#include "rtfengine/PictureWriter.h"

using namespace rtfengine;

namespace {

// Writing is linear in the pixels; bigger pictures are only decoded, so that one
// run stays well inside the fuzzer's time limit.
constexpr uint64_t kMaxWrittenPixels = 1 << 20;

void checkAndWrite(const Picture& picture, uint8_t choice) {
    if (picture.kind() == Picture::Kind::Bitmap) {
        const ImageBitmap& b = picture.bitmap();
        if (b.width == 0 || b.height == 0 || b.width > kMaxImageSide || b.height > kMaxImageSide ||
            b.rgb.size() != uint64_t(b.width) * b.height * 3)
            fuzz::broken();
        if (uint64_t(b.width) * b.height > kMaxWrittenPixels)
            return;
    }
    PictureSettings settings;
    settings.wmfCompatible = choice & 1;
    settings.binary = choice & 2;
    if (choice & 4)
        settings.onImageFormat = [choice](int, TImageFormat& format) {
            format.ScaleX = static_cast<uint16_t>(choice * 7);
            format.SetBorder(choice % 8, choice % 17, float(choice % 5));
        };
    DocumentTables tables;
    std::string out;
    writePicture(out, picture, choice >> 4, settings, tables, "\\par ");
    if (!fuzz::wellFormed(out))
        fuzz::broken();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const uint8_t choice = input.byte();
    const std::string_view bytes = input.rest();
    try {
        checkAndWrite(decodePicture(bytes), choice);
    } catch (const EPictureError&) {
    }
    try {
        checkAndWrite(decodeFieldPicture(bytes), choice);
    } catch (const EPictureError&) {
    }
    return 0;
}
