// A grid showing an ADO recordset: the recordset's fields become the
// dataset's, its rows are read in as text, and every change made in the grid
// (a cell, an appended or a deleted row) is made in the recordset at once.
// With batch-optimistic locking the recordset keeps the changes until Save
// sends them (UpdateBatch); Refresh reads the rows again.
#pragma once

#include <string>
#include <vector>

#include "platform/ado/AdoInterfaces.h"
#include "platform/controls/grid/GridModel.h"

namespace tw::grid {

class GridRecordsetBinding final : public GridRecordWriter {
public:
    explicit GridRecordsetBinding(GridModel& model) : model_(model) {}
    ~GridRecordsetBinding() override;
    GridRecordsetBinding(const GridRecordsetBinding&) = delete;
    GridRecordsetBinding& operator=(const GridRecordsetBinding&) = delete;

    // The recordset must be open; on failure the grid is left unbound and
    // error says why.
    bool Bind(ADODB::_Recordset* recordset, std::string& error);
    void Unbind();
    bool IsBound() const { return recordset_ != nullptr; }
    ADODB::_Recordset* Recordset() const { return recordset_; }

    // Sends the changes the recordset holds to the server.
    bool Save(std::string& error);
    // Drops the rows and reads them again from the server.
    bool Refresh(std::string& error);

    bool StoreValue(int row, int field, std::optional<std::string_view> value) override;
    bool AppendRecord() override;
    bool DeleteRecord(int row) override;

private:
    bool Load(std::string& error);
    bool MoveToRow(int row);

    GridModel& model_;
    ADODB::_RecordsetPtr recordset_;
    // Each grid row's record, by the recordset's bookmark.
    std::vector<_variant_t> bookmarks_;
};

}  // namespace tw::grid
