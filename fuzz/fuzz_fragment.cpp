// Filters fuzzed RTF documents into a result buffer the way section functions do,
// twice in a row, over document tables that start from a template's own tables.
// Checks: a failed fragment leaves buffer and tables untouched; a filtered one
// closes every group it opens and writes only whole hex escapes, and so do the
// merged tables.
#include "FuzzInput.h"
#include "RtfCheck.h"

#include "rtfengine/DocumentTables.h"
#include "rtfengine/Errors.h"

using namespace rtfengine;

namespace {

DocumentTables templateTables() {
    DocumentTables t;
    t.fonts = {"{\\f0\\fswiss\\fcharset0 Arial;}", "{\\f1\\froman\\fcharset0 Times New Roman;}"};
    t.colors = {";", "\\red0\\green0\\blue0;", "\\red128\\green128\\blue128;"};
    t.styles = {"{\\s0\\sa120 Normal;}", "{\\*\\cs1 Default Paragraph Font;}"};
    t.hasColorTable = true;
    return t;
}

bool sameTables(const DocumentTables& a, const DocumentTables& b) {
    return a.fonts == b.fonts && a.colors == b.colors && a.styles == b.styles;
}

void insertOnce(DocumentTables& tables, bool rowMode, std::string& out, std::string_view fragment,
                bool checkable) {
    const DocumentTables before = tables;
    const std::string outBefore = out;
    try {
        insertRtfFragment(tables, rowMode, out, fragment);
    } catch (const EEngineError&) {
        if (out != outBefore || !sameTables(tables, before))
            fuzz::broken();
        return;
    }
    const std::string_view added = std::string_view(out).substr(outBefore.size());
    if (checkable && !fuzz::wellFormed(added))
        fuzz::broken();
    std::string head;
    writeFontTable(tables, head);
    writeColorTable(tables, head);
    writeStylesheet(tables, head);
    if (checkable && !fuzz::wellFormed(head))
        fuzz::broken();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const bool rowMode = input.flag();
    const std::string_view first = input.text();
    const std::string_view second = input.rest();
    DocumentTables tables = templateTables();
    std::string out = "{\\pard ";
    // Binary data may hold any byte, braces too.
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const bool checkable = all.find("\\bin") == std::string_view::npos;
    insertOnce(tables, rowMode, out, first, checkable);
    insertOnce(tables, rowMode, out, second, checkable);
    return 0;
}
