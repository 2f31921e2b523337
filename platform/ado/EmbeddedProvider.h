// The provider for "Data Source=(embedded)": sessions of the process's
// embedded server, which lives under the working directory's data folder.
#pragma once

#include "platform/ado/Provider.h"

namespace tw::ado {

std::unique_ptr<ProviderSession> OpenEmbeddedSession(const ConnectionString& settings, const std::string& userId,
                                                     const std::string& password);

} // namespace tw::ado
