// Commands typed in a template between two backslashes: finding them in the RTF,
// collecting their bytes through the quote states of raw template text, and
// cleaning them into expression text and RTF codes.
#pragma once

#include "rtfengine/TemplateText.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rtfengine {

// The quote that closes a quote character of cleaned expression text, or 0 for a
// byte that opens no quote.
char quotePartner(char c);

// The command text between the markers, as read, and where reading goes on.
struct CollectedCommand {
    std::string raw;
    size_t end = 0; // just after the closing marker
};

// Whether a command marker ("\\" not followed by "*", or "\'5c") stands at `pos`;
// `afterMarker` receives the position just after it.
bool isMarkerAt(const TemplateText& text, size_t pos, size_t* afterMarker = nullptr);

// Reads a command from just after its opening marker. Nothing when the command is
// abandoned (too long, runs into a paragraph, row, field or picture, or the end).
std::optional<CollectedCommand> collectCommand(const TemplateText& text, size_t afterMarker);

// A command split into what the author typed and the formatting around it.
struct CleanCommand {
    std::string expression;
    std::string codes;
};
CleanCommand cleanCommand(std::string_view raw);

// The braces and control words of a command's RTF codes, each control word with
// the blank that ends it, and the "\*" of a destination. The typed characters that
// cleaning put among the codes (";", "<", "=", ">", "\-" ...) are left out. A
// command that vanishes from the document keeps only this much of itself, so that
// its groups and formatting stay as they were.
std::string formattingOf(std::string_view codes);

} // namespace rtfengine
