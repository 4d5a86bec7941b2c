#include "platform/framework/TempMap.h"

#include <vector>

namespace afxinternal {

namespace {
std::vector<void (*)()>& Cleaners()
{
    static std::vector<void (*)()> cleaners;
    return cleaners;
}
} // namespace

void RegisterTempMapCleaner(void (*cleaner)()) { Cleaners().push_back(cleaner); }

void DeleteAllTempMaps()
{
    for (auto* cleaner : Cleaners()) cleaner();
}

} // namespace afxinternal

void AfxDeleteTempMaps() { afxinternal::DeleteAllTempMaps(); }
