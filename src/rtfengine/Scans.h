// The scan list of a run: one TScanInfo per scan command of the template, handed
// to the scan events, and the selection of the current scan while the program runs.
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
    size_t bodyTextPosition = 0;
    size_t scanInstruction = 0;
    int scanId = 0;
    int level = 0;
    size_t passStartInstruction = 0;
    size_t passStartTextPosition = 0;
    bool hasEntry = false;
    size_t footerInstruction = 0;
    size_t footerTextPosition = 0;
    bool hasFooter = false;
    Dataset* dataSet = nullptr;
    bool page = false;
    bool noEof = false;
    bool ended = false;
    bool firstPass = false;
    bool isWhile = false;
    std::string conditionText;
    bool figuresComputed = false;
    int32_t passBalance = 0;
    std::string skeleton;
};

class TScans {
public:
    explicit TScans(TRtfEngine* owner) : m_owner(owner) {}

    // Creates the next scan; its ID is the number of scans created so far.
    TScanInfo& create();
    // Makes the scan with this ID current (0: none).
    void select(int id) { m_currentId = id; }
    // The current scan, or nullptr when no scan is current.
    TScanInfo* current();
    TScanInfo* byId(int id);
    int count() const { return static_cast<int>(m_scans.size()); }

private:
    TRtfEngine* m_owner;
    std::vector<std::unique_ptr<TScanInfo>> m_scans;
    int m_currentId = 0;
};

} // namespace rtfengine
