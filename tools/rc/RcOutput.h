// Writes compiled resources as a C++ source: one byte array per resource and
// a tw::ResourceTable returned by a function of the given name, which the
// program passes to tw::RegisterResources.
#pragma once

#include <string>
#include <vector>

#include "tools/rc/RcResource.h"

namespace tw::rc {

std::string GenerateTableSource(const std::vector<RcResource>& resources, const std::string& functionName);

// A make-style dependency file naming every file the output was made from.
std::string GenerateDepfile(const std::string& output, const std::vector<std::string>& inputs);

// A valid C++ identifier, or empty.
bool IsIdentifier(const std::string& name);

}  // namespace tw::rc
