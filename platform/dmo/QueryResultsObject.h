// The answer of ExecuteWithResults: every result set of the batch, read
// whole, with the last one current.
#pragma once

#include "platform/com/Unknown.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/dmo/ServerLink.h"

namespace tw::dmo {

class QueryResultsObject final : public tw::ComObject<SQLDMO::_QueryResults2> {
public:
    explicit QueryResultsObject(std::vector<ResultSetData> resultSets);

    long GetResultSets() override;
    long GetCurrentResultSet() override;
    void PutCurrentResultSet(long resultSet) override;
    long GetRows() override;
    long GetColumns() override;
    _bstr_t GetColumnName(long column) override;
    long GetColumnMaxLength(long column) override;
    SQLDMO::SQLDMO_QUERY_DATATYPE GetColumnType(long column) override;
    _bstr_t GetColumnString(long row, long column) override;
    long GetColumnLong(long row, long column) override;
    double GetColumnDouble(long row, long column) override;

protected:
    void* FindInterface(REFIID riid) override;

private:
    const ResultSetData& Current() const;
    const ResultColumn& ColumnAt(long column) const;
    const ResultValue& ValueAt(long row, long column) const;

    std::vector<ResultSetData> m_resultSets;
    long m_current = 0; // 1-based; 0 while there is no result set
};

} // namespace tw::dmo
