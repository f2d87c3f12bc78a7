// Translates and runs a fuzzed template over datasets holding every kind of value,
// with functions of every result type, and writes the document to a temp file.
// Besides the sanitizers it checks that a run, failed or not, leaves every
// dataset's controls as it found them.
#include "FuzzInput.h"

#include "rtfengine/Errors.h"
#include "rtfengine/FormatSettings.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/UdfList.h"
#include "support/MemoryDataset.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace rtfengine;
using testsupport::MemoryDataset;

namespace {

// A 2 by 2 pixel 24-bit bitmap.
const unsigned char kBmp[] = {
    0x42, 0x4d, 0x46, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00,
    0x28, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00,
    0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0xc4, 0x0e, 0x00, 0x00,
    0xc4, 0x0e, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0x00,
    0x00, 0xff, 0xff, 0xff, 0x00, 0x00, 0x00, 0x00, 0xff, 0x00, 0xff, 0x00, 0x00, 0x00};

struct Workspace {
    Workspace() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vcfuzzXXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            fuzz::broken();
        dir = pattern;
        in = (dir / "template.rtf").string();
        out = (dir / "out.doc").string();
        std::ofstream(dir / "photo.bmp", std::ios::binary)
            .write(reinterpret_cast<const char*>(kBmp), sizeof kBmp);
        FormatSettings::setCurrent(FormatSettings::usEnglish());
    }
    ~Workspace() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::filesystem::path dir;
    std::string in;
    std::string out;
};

// Three rows of a name, an amount, a flag, a date, a date and time and a picture, the
// last row blank but for its amount.
MemoryDataset makePeople() {
    const std::string bmp(reinterpret_cast<const char*>(kBmp), sizeof kBmp);
    return MemoryDataset(
        "people", {"Name", "Amount", "Flag", "Born", "Stamp", "Photo"},
        {{"Ann {x}\\", "1234.5", "True", "1990-05-17", "2001-01-02 23:59:58.999", bmp},
         {"Zo\xC3\xAB\r\nLee", "-0.004", "False", "2000-02-29", "9999-12-31", "GIF89a"},
         {"", "1e300", "", "", "", ""}},
        {FieldKind::Other, FieldKind::Other, FieldKind::Boolean, FieldKind::Date,
         FieldKind::DateTime, FieldKind::Graphic});
}

void addFunctions(TUdfList& udfs, const std::string& picturePath) {
    // Each argument's text as an RTF document to splice in.
    udfs.add("Frag", 0, 3, udfrTMemoryStream,
             [](TRtfEngine& sender, const TUdfArgs& args, std::string& result) {
                 for (const TUdfArg& a : args)
                     sender.insertRtfFragment(result, a.asString());
             });
    udfs.add("Echo", 0, 9, udfrTReportVariable,
             [](TRtfEngine&, const TUdfArgs& args, std::string& result) {
                 for (const TUdfArg& a : args)
                     result += a.asString();
             });
    udfs.add("Pic", 0, 1, udfrTPicture,
             [picturePath](TRtfEngine&, const TUdfArgs& args, std::string& result) {
                 if (args.empty()) {
                     std::ifstream in(picturePath, std::ios::binary);
                     result.assign(std::istreambuf_iterator<char>(in), {});
                     return;
                 }
                 result = args[0].asString();
             });
    udfs.add("Nothing", 0, 0, udfrNil, [](TRtfEngine&, const TUdfArgs&, std::string&) {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Workspace workspace;
    fuzz::FuzzInput input(data, size);
    const uint8_t options = input.byte();
    const std::string_view templateText = input.rest();
    {
        std::ofstream file(workspace.in, std::ios::binary | std::ios::trunc);
        file.write(templateText.data(), static_cast<std::streamsize>(templateText.size()));
    }

    MemoryDataset people = makePeople();
    MemoryDataset empty("empty", {"Name"});

    TUdfList udfs;
    addFunctions(udfs, (workspace.dir / "photo.bmp").string());
    TRtfEngine engine;
    engine.setUdfList(&udfs);
    engine.setOptions(TRtfOptions::fromBits(options));
    engine.setLang(1033);
    engine.setVarList({"Total=12", "YearFormat=yyyy", "Link=http://x.org|Site",
                       "Empty=", "Photo=" + (workspace.dir / "photo.bmp").string()});
    engine.setInFile(workspace.in);
    engine.setOutFile(workspace.out);
    try {
        engine.generate({&people, &empty});
    } catch (const EEngineError&) {
    }
    if (people.disabledDepth() != 0 || empty.disabledDepth() != 0)
        fuzz::broken();
    return 0;
}
