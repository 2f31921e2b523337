// Compiles a script held in the test and picks out one resource's bytes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/rc/RcParser.h"

namespace tw::rc::test {

inline const RcResource* FindCompiled(const std::vector<RcResource>& resources, WORD typeId, WORD nameId)
{
    for (const RcResource& resource : resources) {
        if (resource.typeId == typeId && resource.typeName.empty() && resource.nameId == nameId &&
            resource.nameText.empty())
            return &resource;
    }
    return nullptr;
}

inline std::vector<BYTE> CompileOne(const std::string& script, WORD typeId, WORD nameId)
{
    const std::vector<RcResource> resources = CompileScriptText(script, "test.rc");
    const RcResource* found = FindCompiled(resources, typeId, nameId);
    EXPECT_NE(found, nullptr) << "type " << typeId << " name " << nameId << " not compiled";
    return found ? found->data : std::vector<BYTE>{};
}

inline std::vector<BYTE> Bytes(std::initializer_list<int> values)
{
    std::vector<BYTE> out;
    for (int v : values)
        out.push_back(static_cast<BYTE>(v));
    return out;
}

// UTF-16 bytes of ASCII text with the terminating zero.
inline std::vector<BYTE> Wide(const char* text)
{
    std::vector<BYTE> out;
    for (const char* p = text; *p; ++p) {
        out.push_back(static_cast<BYTE>(*p));
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(0);
    return out;
}

inline std::vector<BYTE> Join(std::initializer_list<std::vector<BYTE>> parts)
{
    std::vector<BYTE> out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

}  // namespace tw::rc::test
