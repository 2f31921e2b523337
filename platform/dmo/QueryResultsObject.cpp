#include "platform/dmo/QueryResultsObject.h"

#include <cstdlib>

namespace tw::dmo {

namespace results_detail {

const ResultSetData kEmptyResultSet;

} // namespace results_detail

QueryResultsObject::QueryResultsObject(std::vector<ResultSetData> resultSets)
    : m_resultSets(std::move(resultSets)), m_current(static_cast<long>(m_resultSets.size()))
{
}

void* QueryResultsObject::FindInterface(REFIID riid)
{
    if (IsEqualIID(riid, SQLDMO::IID__QueryResults))
        return static_cast<SQLDMO::_QueryResults*>(this);
    return ComObject::FindInterface(riid);
}

const ResultSetData& QueryResultsObject::Current() const
{
    if (m_current == 0)
        return results_detail::kEmptyResultSet;
    return m_resultSets[static_cast<size_t>(m_current - 1)];
}

const ResultColumn& QueryResultsObject::ColumnAt(long column) const
{
    const ResultSetData& set = Current();
    if (column < 1 || column > static_cast<long>(set.columns.size()))
        RaiseDmoError(kDmoIndexOutOfRange, "The column ordinal " + std::to_string(column) + " is out of range.");
    return set.columns[static_cast<size_t>(column - 1)];
}

const ResultValue& QueryResultsObject::ValueAt(long row, long column) const
{
    ColumnAt(column);
    const ResultSetData& set = Current();
    if (row < 1 || row > static_cast<long>(set.rows.size()))
        RaiseDmoError(kDmoIndexOutOfRange, "The row ordinal " + std::to_string(row) + " is out of range.");
    return set.rows[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)];
}

long QueryResultsObject::GetResultSets() { return static_cast<long>(m_resultSets.size()); }

long QueryResultsObject::GetCurrentResultSet() { return m_current; }

void QueryResultsObject::PutCurrentResultSet(long resultSet)
{
    if (resultSet < 1 || resultSet > GetResultSets())
        RaiseDmoError(kDmoIndexOutOfRange, "The result set " + std::to_string(resultSet) + " is out of range.");
    m_current = resultSet;
}

long QueryResultsObject::GetRows() { return static_cast<long>(Current().rows.size()); }

long QueryResultsObject::GetColumns() { return static_cast<long>(Current().columns.size()); }

_bstr_t QueryResultsObject::GetColumnName(long column) { return ColumnAt(column).name.c_str(); }

long QueryResultsObject::GetColumnMaxLength(long column)
{
    size_t longest = ColumnAt(column).name.size();
    for (const auto& row : Current().rows) {
        const ResultValue& value = row[static_cast<size_t>(column - 1)];
        if (value && value->size() > longest)
            longest = value->size();
    }
    return static_cast<long>(longest);
}

SQLDMO::SQLDMO_QUERY_DATATYPE QueryResultsObject::GetColumnType(long column)
{
    return static_cast<SQLDMO::SQLDMO_QUERY_DATATYPE>(ColumnAt(column).serverType);
}

_bstr_t QueryResultsObject::GetColumnString(long row, long column)
{
    const ResultValue& value = ValueAt(row, column);
    return value ? value->c_str() : "";
}

long QueryResultsObject::GetColumnLong(long row, long column)
{
    const ResultValue& value = ValueAt(row, column);
    return value ? std::strtol(value->c_str(), nullptr, 10) : 0;
}

double QueryResultsObject::GetColumnDouble(long row, long column)
{
    const ResultValue& value = ValueAt(row, column);
    return value ? std::strtod(value->c_str(), nullptr) : 0.0;
}

} // namespace tw::dmo
