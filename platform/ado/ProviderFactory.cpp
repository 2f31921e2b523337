#include <strings.h>

#include "platform/ado/AdoEnums.h"
#include "platform/ado/EmbeddedProvider.h"

namespace tw::ado {

namespace factorydetail {

bool IsEmbedded(const std::string& dataSource)
{
    return dataSource.empty() || strcasecmp(dataSource.c_str(), "(embedded)") == 0;
}

} // namespace factorydetail

std::unique_ptr<ProviderSession> OpenProviderSession(const ConnectionString& settings, const std::string& userId,
                                                     const std::string& password)
{
    const std::string dataSource = settings.Get({"Data Source", "Server", "Address"});
    if (factorydetail::IsEmbedded(dataSource))
        return OpenEmbeddedSession(settings, userId);
    (void)password;
    ProviderMessage message;
    message.hr = kProviderFailure;
    message.severity = 16;
    message.sqlState = "08001";
    message.source = "ADODB.Connection";
    message.text = "The server '" + dataSource + "' cannot be reached: this build has no provider for servers other than "
                   "(embedded).";
    throw ProviderFailure{kProviderFailure, {message}};
}

} // namespace tw::ado
