// tw_rc: compiles resource scripts into a C++ source holding their table.
//
//   tw_rc -o table.cpp -n FunctionName [-d table.d] [-I folder]... script.rc...
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/rc/RcOutput.h"
#include "tools/rc/RcParser.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: tw_rc -o output.cpp -n FunctionName [-d depfile] [-I folder]... script.rc...\n");
    return 2;
}

// Writes through a temporary file so a failed run leaves no half file behind.
bool WriteFileAtomically(const std::string& path, const std::string& content)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out || !(out << content) || !out.flush())
            return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string output, depfile, functionName;
    std::vector<std::string> includeDirs, scripts;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= argc)
                return false;
            target = argv[++i];
            return true;
        };
        if (arg == "-o") {
            if (!value(output))
                return Usage();
        } else if (arg == "-d") {
            if (!value(depfile))
                return Usage();
        } else if (arg == "-n") {
            if (!value(functionName))
                return Usage();
        } else if (arg == "-I") {
            std::string dir;
            if (!value(dir))
                return Usage();
            includeDirs.push_back(dir);
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else {
            scripts.push_back(arg);
        }
    }
    if (output.empty() || scripts.empty() || !tw::rc::IsIdentifier(functionName))
        return Usage();
    try {
        std::vector<std::string> filesRead;
        const auto resources = tw::rc::CompileScriptFiles(scripts, includeDirs, &filesRead);
        if (!WriteFileAtomically(output, tw::rc::GenerateTableSource(resources, functionName))) {
            std::fprintf(stderr, "tw_rc: cannot write %s\n", output.c_str());
            return 1;
        }
        if (!depfile.empty() && !WriteFileAtomically(depfile, tw::rc::GenerateDepfile(output, filesRead))) {
            std::fprintf(stderr, "tw_rc: cannot write %s\n", depfile.c_str());
            return 1;
        }
    } catch (const tw::rc::RcError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
