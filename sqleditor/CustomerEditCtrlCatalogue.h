// The editor's built-in catalogue of system objects, as groups of names that
// share a completion code. The member lists after a database name use the
// same groups.
#pragma once

#include <span>

namespace tw::sqleditor {

struct BuiltinNameGroup {
    const char* const* names;
    int count;
    // The group's name, as the member list's scratch entry shows it.
    const char* group;
    int code;
};

// Tables, views, extended procedures, functions and procedures, in that order.
std::span<const BuiltinNameGroup> GeneralCatalogue();
// msdb's tables and views.
std::span<const BuiltinNameGroup> MsdbCatalogue();

} // namespace tw::sqleditor
