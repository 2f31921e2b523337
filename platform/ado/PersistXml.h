// Recordsets persisted as XML in the published rowset layout: an s:Schema of
// s:ElementType and s:AttributeType elements, then rs:data with one z:row per
// record, so that files made elsewhere read as well as our own.
#pragma once

#include <string>

#include "platform/ado/Rowset.h"

namespace tw::ado {

// Throws AdoFailure when the file is missing or is not such a rowset.
Rowset LoadRowsetXml(const std::string& path);
Rowset ParseRowsetXml(const std::string& text);

std::string RowsetToXml(const Rowset& rowset);
// Replaces the file whole (private to its owner, since it may hold
// passwords); throws AdoFailure when it cannot be written.
void SaveRowsetXml(const Rowset& rowset, const std::string& path);

} // namespace tw::ado
