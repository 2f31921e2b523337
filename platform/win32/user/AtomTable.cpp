#include "platform/win32/user/AtomTable.h"

#include <mutex>
#include <strings.h>
#include <vector>

namespace tw::user {

namespace atom_table_detail {

std::mutex g_mutex;
std::vector<std::string> g_names;  // index i is atom 0xC000 + i
constexpr UINT kFirstAtom = 0xC000;
constexpr UINT kLastAtom = 0xFFFF;

}  // namespace atom_table_detail

AtomTable& AtomTable::Instance()
{
    static AtomTable table;
    return table;
}

UINT AtomTable::Register(const char* name)
{
    namespace d = atom_table_detail;
    if (!name || !*name)
        return 0;
    std::lock_guard lock(d::g_mutex);
    for (size_t i = 0; i < d::g_names.size(); ++i) {
        if (strcasecmp(d::g_names[i].c_str(), name) == 0)
            return d::kFirstAtom + static_cast<UINT>(i);
    }
    if (d::kFirstAtom + d::g_names.size() > d::kLastAtom)
        return 0;
    d::g_names.emplace_back(name);
    return d::kFirstAtom + static_cast<UINT>(d::g_names.size() - 1);
}

std::string AtomTable::NameOf(UINT atom) const
{
    namespace d = atom_table_detail;
    std::lock_guard lock(d::g_mutex);
    if (atom < d::kFirstAtom || atom - d::kFirstAtom >= d::g_names.size())
        return {};
    return d::g_names[atom - d::kFirstAtom];
}

}  // namespace tw::user
