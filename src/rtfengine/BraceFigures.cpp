#include "rtfengine/BraceFigures.h"

namespace rtfengine {

namespace {

// The codes a value, call group or cleared call writes after its value.
bool writesCodes(InstrKind kind) {
    switch (kind) {
    case InstrKind::Literal:
    case InstrKind::Variable:
    case InstrKind::DotField:
    case InstrKind::ColonField:
    case InstrKind::RowDotField:
    case InstrKind::RowColonField:
    case InstrKind::ClearedCall:
    case InstrKind::CallGroupHead:
        return true;
    default:
        return false;
    }
}

// The template text a text or raw group instruction copies.
std::string_view copiedText(const TemplateProgram& program, std::string_view templateBytes,
                            size_t place) {
    const size_t from = place > 0 ? program[place - 1].position : 0;
    const size_t to = program[place].position;
    if (to <= from || from >= templateBytes.size())
        return {};
    return templateBytes.substr(from, to - from);
}

} // namespace

int collectBraces(std::string_view text, std::string* braces) {
    int balance = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c != '{' && c != '}') || (i > 0 && text[i - 1] == '\\'))
            continue;
        balance += c == '{' ? 1 : -1;
        if (braces)
            *braces += c;
    }
    return balance;
}

std::string dropEmptyGroups(std::string_view braces) {
    std::string out;
    for (size_t i = 0; i < braces.size(); ++i) {
        if (braces[i] == '{' && i + 1 < braces.size() && braces[i + 1] == '}') {
            ++i;
            continue;
        }
        out += braces[i];
    }
    return out;
}

void computeBraceFigures(const TemplateProgram& program, std::string_view templateBytes,
                         TScans& scans, TScanInfo& scan) {
    // Skeleton: every brace the block could write, its nested blocks included.
    std::string braces;
    collectBraces(program[scan.scanInstruction].trailingCodes, &braces);
    for (size_t i = scan.scanInstruction + 1; i < scan.endInstruction; ++i) {
        const Instruction& in = program[i];
        if (in.kind == InstrKind::Text || in.kind == InstrKind::RawGroup) {
            collectBraces(copiedText(program, templateBytes, i), &braces);
        } else if (writesCodes(in.kind)) {
            collectBraces(in.value.codes, &braces);
        } else if (isScanCommand(in.kind)) {
            collectBraces(in.value.codes, &braces);
            collectBraces(in.trailingCodes, &braces);
        }
    }
    scan.skeleton = dropEmptyGroups(braces);

    // Pass balance: what one pass writes from its start to the footer or end of scan;
    // a nested block counts only with what it writes around its own passes.
    const size_t last = scan.hasFooter ? scan.footerInstruction : scan.endInstruction;
    int balance = collectBraces(program[scan.passStartInstruction].trailingCodes);
    for (size_t i = scan.passStartInstruction + 1; i <= last && i < program.size(); ++i) {
        const Instruction& in = program[i];
        if (in.kind == InstrKind::Text || in.kind == InstrKind::RawGroup) {
            balance += collectBraces(copiedText(program, templateBytes, i));
        } else if (writesCodes(in.kind)) {
            balance += collectBraces(in.value.codes);
        } else if (in.kind == InstrKind::Scan || in.kind == InstrKind::WhileScan) {
            const TScanInfo* nested = scans.byId(in.scanId);
            balance += collectBraces(in.value.codes);
            if (nested && nested->endInstruction > i) {
                i = nested->endInstruction;
                balance += collectBraces(program[i].trailingCodes);
            }
        } else if (i == last) {
            balance += collectBraces(in.value.codes);
        }
    }
    scan.passBalance = balance;
    scan.figuresComputed = true;
}

} // namespace rtfengine
