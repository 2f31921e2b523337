// Whole files as byte strings, for the tests of this folder.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace apptest {

inline std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileText(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace apptest
