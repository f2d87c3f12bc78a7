// The scan list of a run: one TScanInfo per scan command of the template, handed
// to the scan events; a stack of open blocks while the template is translated, and
// the selection of the current scan while the program runs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rtfengine {

class Dataset;
class TRtfEngine;

struct TScanInfo {
    TRtfEngine* owner = nullptr;
    size_t bodyTextPosition = 0; // right after the scan command and its swallowed paragraph
    size_t scanInstruction = 0;
    int scanId = 0;
    int level = 0; // 1 for an outermost block
    size_t passStartInstruction = 0;
    size_t passStartTextPosition = 0;
    bool hasEntry = false;
    size_t footerInstruction = 0;
    size_t footerTextPosition = 0;
    bool hasFooter = false;
    // The block's end-of-scan instruction, where a left-out block resumes.
    size_t endInstruction = 0;
    Dataset* dataSet = nullptr;
    bool page = false;
    bool noEof = false;
    bool ended = false;
    bool firstPass = false;
    bool isWhile = false;
    std::string conditionText;  // lower case
    bool passCondition = false; // the condition's value when the current pass started
    bool figuresComputed = false;
    int32_t passBalance = 0; // net group depth one pass writes
    std::string skeleton;    // the braces written when the block is left out
};

class TScans {
public:
    explicit TScans(TRtfEngine* owner) : m_owner(owner) {}

    // Translation: opens a new innermost block and returns it; its ID is the number
    // of scans created so far.
    TScanInfo& push(size_t instruction, size_t textPosition, std::string conditionText,
                    bool isWhile, bool noEof, bool page, Dataset* dataSet);
    // The innermost open block, or nullptr outside any block.
    TScanInfo* innermost();
    int innermostId() { return innermost() ? innermost()->scanId : 0; }
    void recordEntry(size_t instruction, size_t textPosition);
    void recordFooter(size_t instruction, size_t textPosition);
    // Closes the innermost block at its end-of-scan instruction.
    void pop(size_t endInstruction);
    int openCount() const { return static_cast<int>(m_open.size()); }

    // Running: makes the scan with this ID current (0: none).
    void select(int id);
    // The current scan, or nullptr when no scan is current.
    TScanInfo* current() { return byId(m_currentId); }
    TScanInfo* byId(int id);
    int count() const { return static_cast<int>(m_scans.size()); }

private:
    TRtfEngine* m_owner;
    std::vector<std::unique_ptr<TScanInfo>> m_scans;
    std::vector<int> m_open; // IDs of the open blocks by level while translating
    int m_currentId = 0;
};

} // namespace rtfengine
