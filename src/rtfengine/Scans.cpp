#include "rtfengine/Scans.h"

namespace rtfengine {

TScanInfo& TScans::push(size_t instruction, size_t textPosition, std::string conditionText,
                        bool isWhile, bool noEof, bool page, Dataset* dataSet) {
    m_scans.push_back(std::make_unique<TScanInfo>());
    TScanInfo& info = *m_scans.back();
    info.owner = m_owner;
    info.scanId = static_cast<int>(m_scans.size());
    info.scanInstruction = instruction;
    info.bodyTextPosition = textPosition;
    info.passStartInstruction = instruction;
    info.passStartTextPosition = textPosition;
    info.conditionText = std::move(conditionText);
    info.isWhile = isWhile;
    info.noEof = noEof;
    info.page = page;
    info.dataSet = dataSet;
    m_open.push_back(info.scanId);
    info.level = static_cast<int>(m_open.size());
    return info;
}

TScanInfo* TScans::innermost() {
    return m_open.empty() ? nullptr : byId(m_open.back());
}

void TScans::recordEntry(size_t instruction, size_t textPosition) {
    TScanInfo* scan = innermost();
    scan->hasEntry = true;
    scan->passStartInstruction = instruction;
    scan->passStartTextPosition = textPosition;
}

void TScans::recordFooter(size_t instruction, size_t textPosition) {
    TScanInfo* scan = innermost();
    scan->hasFooter = true;
    scan->footerInstruction = instruction;
    scan->footerTextPosition = textPosition;
}

void TScans::pop(size_t endInstruction) {
    innermost()->endInstruction = endInstruction;
    m_open.pop_back();
}

void TScans::select(int id) {
    m_currentId = id;
}

TScanInfo* TScans::byId(int id) {
    if (id <= 0 || id > static_cast<int>(m_scans.size()))
        return nullptr;
    return m_scans[static_cast<size_t>(id) - 1].get();
}

} // namespace rtfengine
