#include "framework/AfxHandleMap.h"

#include <algorithm>

namespace {

std::vector<CHandleMapBase*>& AllMaps() {
    // Never destroyed, like the maps themselves: objects with static storage reach them to the
    // very end of the process.
    static auto* maps = new std::vector<CHandleMapBase*>();
    return *maps;
}

int g_messageDepth = 0;

} // namespace

CHandleMapBase::CHandleMapBase() {
    AllMaps().push_back(this);
}

CHandleMapBase::~CHandleMapBase() {
    auto& maps = AllMaps();
    maps.erase(std::remove(maps.begin(), maps.end(), this), maps.end());
}

void AfxEnterMessage() {
    ++g_messageDepth;
}

void AfxLeaveMessage() {
    if (--g_messageDepth == 0) {
        for (CHandleMapBase* map : AllMaps()) {
            map->DeleteTemp(true);
        }
    }
}

bool AfxInMessage() {
    return g_messageDepth > 0;
}

void AfxDeleteAllTempMaps() {
    for (CHandleMapBase* map : AllMaps()) {
        map->DeleteTemp(false);
    }
}
