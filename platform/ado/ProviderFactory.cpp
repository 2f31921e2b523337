#include <strings.h>

#include "platform/ado/AdoEnums.h"
#include "platform/ado/EmbeddedProvider.h"
#include "platform/ado/OdbcProvider.h"

namespace tw::ado {

namespace factorydetail {

bool IsEmbedded(const std::string& dataSource)
{
    return dataSource.empty() || strcasecmp(dataSource.c_str(), "(embedded)") == 0;
}

bool NamesOdbcDirectly(const ConnectionString& settings)
{
    const std::string provider = settings.Get({"Provider"});
    return strncasecmp(provider.c_str(), "MSDASQL", 7) == 0 || (provider.empty() && settings.Has("Driver"));
}

} // namespace factorydetail

std::unique_ptr<ProviderSession> OpenProviderSession(const ConnectionString& settings, const std::string& userId,
                                                     const std::string& password, long loginTimeoutSeconds)
{
    if (factorydetail::NamesOdbcDirectly(settings))
        return OpenOdbcSession(settings.ToText({"Provider"}), loginTimeoutSeconds);
    const std::string dataSource = settings.Get({"Data Source", "Server", "Address"});
    if (factorydetail::IsEmbedded(dataSource))
        return OpenEmbeddedSession(settings, userId, password);
    return OpenTdsSession(settings, userId, password, loginTimeoutSeconds);
}

} // namespace tw::ado
