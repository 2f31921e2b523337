#include "tests/support/ui/KtvStoredValue.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/frames/KtvPRegistry.h"

namespace ktvtest {

std::optional<std::string> StoredHex(const char* key, const char* value)
{
    CKtvPRegistry reg(FALSE, TRUE);
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!reg.Open(key) || !reg.Read(value, &pData, &nBytes))
        return std::nullopt;
    std::string hex;
    for (UINT i = 0; i < nBytes; i++) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", pData[i]);
        hex += (i == 0 ? "" : " ") + std::string(byte);
    }
    delete[] pData;
    return hex;
}

void StoreHex(const char* key, const char* value, const std::string& hex)
{
    std::vector<BYTE> bytes;
    for (size_t i = 0; i < hex.size();) {
        if (hex[i] == ' ') {
            i++;
            continue;
        }
        bytes.push_back(static_cast<BYTE>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
        i += 2;
    }
    CKtvPRegistry reg(FALSE, FALSE);
    reg.CreateKey(key);
    reg.Write(value, bytes.data(), static_cast<UINT>(bytes.size()));
}

void ForgetKey(const char* key)
{
    CKtvPRegistry reg(FALSE, FALSE);
    reg.DeleteKey(key);
}

void StoredStateTest::SetUp()
{
    KtvPrepareUiTest();
    ForgetKey(StateKey());
}

}  // namespace ktvtest
