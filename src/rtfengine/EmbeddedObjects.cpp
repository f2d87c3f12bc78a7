#include "rtfengine/EmbeddedObjects.h"

#include "rtfengine/RtfText.h"

namespace rtfengine {

namespace {

void writeHyperlink(const EmbeddedObject& object, std::string& out) {
    const std::string_view text = object.text;
    const size_t bar = text.find('|');
    const std::string_view address = text.substr(0, bar);
    std::string_view shown =
        bar == std::string_view::npos ? std::string_view() : text.substr(bar + 1);
    if (shown.empty())
        shown = address;
    out += "{\\field{\\*\\fldinst {\\lang";
    out += object.lang;
    out += " HYPERLINK \"";
    appendRtfText(out, address);
    out += "\" }}{\\fldrslt \\lang";
    out += object.lang;
    out += ' ';
    appendRtfText(out, shown);
    out += "}}";
}

} // namespace

void writeEmbeddedObject(TRtfEngine& /*engine*/, DocumentTables& /*tables*/,
                         const EmbeddedObject& object, std::string& out) {
    switch (object.source) {
    case EmbeddedObject::Source::Hyperlink:
        writeHyperlink(object, out);
        break;
    case EmbeddedObject::Source::PictureFile:
    case EmbeddedObject::Source::PictureField:
    case EmbeddedObject::Source::PictureData:
        // Picture writing is not wired in yet: a picture request writes only the
        // command's codes, so the document stays well formed.
        break;
    }
    out += object.codes;
}

} // namespace rtfengine
