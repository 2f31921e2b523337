// Archives: counts, strings, objects by class name and collections read from
// whatever bytes a damaged file holds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CMemFile.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringArray.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<BYTE> bytes(data, data + size);
    for (int form = 0; form < 3; ++form) {
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        try {
            if (form == 0) {
                CString text;
                ar >> text;
                ar.ReadCount();
                ar.ReadString(text);
            } else if (form == 1) {
                CStringArray strings;
                strings.Serialize(ar);
            } else {
                CObList objects;
                objects.Serialize(ar);
                while (!objects.IsEmpty())
                    delete objects.RemoveHead();
            }
        } catch (CException* e) {
            e->Delete();
        }
        file.Detach();
    }
    return 0;
}
