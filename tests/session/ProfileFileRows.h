// A profile file holding exactly the given rows, for the tests that read it
// through the program.
#pragma once

#include <filesystem>
#include <vector>

#include "platform/win32/kernel/Files.h"
#include "session/ProfileFile.h"

namespace logontest {

inline void WriteProfileRows(const std::vector<CProfileRow>& rows)
{
    std::filesystem::remove(tw::MapPath(kProfileFile));
    ADODB::_RecordsetPtr rs;
    CProfileFile::Open(rs);
    while (rs->GetRecordCount() > 0) {
        rs->MoveFirst();
        rs->Delete(ADODB::adAffectCurrent);
    }
    for (const CProfileRow& row : rows)
        CProfileFile::Append(rs, row);
    CProfileFile::Save(rs);
    CProfileFile::Close(rs);
}

// The rows of the profile file, in file order, as the program reads them.
inline std::vector<CProfileRow> ReadProfileRows()
{
    std::vector<CProfileRow> rows;
    ADODB::_RecordsetPtr rs;
    CProfileFile::Open(rs);
    CProfileFile::Find(rs, [&](const CProfileRow& row) {
        rows.push_back(row);
        return FALSE;
    });
    CProfileFile::Close(rs);
    return rows;
}

}  // namespace logontest
