#include "rtfengine/Scans.h"

namespace rtfengine {

TScanInfo& TScans::create() {
    m_scans.push_back(std::make_unique<TScanInfo>());
    TScanInfo& info = *m_scans.back();
    info.owner = m_owner;
    info.scanId = static_cast<int>(m_scans.size());
    return info;
}

TScanInfo* TScans::current() {
    return byId(m_currentId);
}

TScanInfo* TScans::byId(int id) {
    if (id <= 0 || id > static_cast<int>(m_scans.size()))
        return nullptr;
    return m_scans[static_cast<size_t>(id) - 1].get();
}

} // namespace rtfengine
