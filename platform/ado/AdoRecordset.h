// The Recordset object. Every result is held on the client once executed, so
// all cursor types move freely; what differs is what may be changed and when
// changes reach the server (at Update for optimistic locking, at UpdateBatch
// for batch-optimistic). An asynchronous Open runs the batch on a thread of
// its own, which fires ExecuteComplete there.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/ado/AdoConnection.h"
#include "platform/ado/AdoFields.h"
#include "platform/ado/RecordCursor.h"

namespace tw::ado {

class RecordsetObject final : public AdoObject<ADODB::_Recordset> {
public:
    RecordsetObject();

    HRESULT get_AbsolutePosition(long* pl) override;
    HRESULT put_AbsolutePosition(long l) override;
    HRESULT putref_ActiveConnection(IDispatch* pvar) override;
    HRESULT put_ActiveConnection(VARIANT pvar) override;
    HRESULT get_ActiveConnection(VARIANT* pvar) override;
    HRESULT get_BOF(VARIANT_BOOL* pb) override;
    HRESULT get_Bookmark(VARIANT* pvBookmark) override;
    HRESULT put_Bookmark(VARIANT vBookmark) override;
    HRESULT get_CacheSize(long* pl) override;
    HRESULT put_CacheSize(long pl) override;
    HRESULT get_CursorType(ADODB::CursorTypeEnum* plCursorType) override;
    HRESULT put_CursorType(ADODB::CursorTypeEnum plCursorType) override;
    HRESULT get_EOF(VARIANT_BOOL* pb) override;
    HRESULT get_Fields(ADODB::Fields** ppvObject) override;
    HRESULT get_LockType(ADODB::LockTypeEnum* plLockType) override;
    HRESULT put_LockType(ADODB::LockTypeEnum plLockType) override;
    HRESULT get_RecordCount(long* pl) override;
    HRESULT get_Source(VARIANT* pvSource) override;
    HRESULT put_Source(BSTR pvSource) override;
    HRESULT raw_AddNew(VARIANT FieldList, VARIANT Values) override;
    HRESULT raw_CancelUpdate() override;
    HRESULT raw_Close() override;
    HRESULT raw_Delete(ADODB::AffectEnum AffectRecords) override;
    HRESULT raw_Move(long NumRecords, VARIANT Start) override;
    HRESULT raw_MoveNext() override;
    HRESULT raw_MovePrevious() override;
    HRESULT raw_MoveFirst() override;
    HRESULT raw_MoveLast() override;
    HRESULT raw_Open(VARIANT Source, VARIANT ActiveConnection, ADODB::CursorTypeEnum CursorType,
                     ADODB::LockTypeEnum LockType, long Options) override;
    HRESULT raw_Requery(long Options) override;
    HRESULT raw_Resync(ADODB::AffectEnum AffectRecords, ADODB::ResyncEnum ResyncValues) override;
    HRESULT raw_Update(VARIANT Fields, VARIANT Values) override;
    HRESULT get_EditMode(ADODB::EditModeEnum* pl) override;
    HRESULT get_Filter(VARIANT* Criteria) override;
    HRESULT put_Filter(VARIANT Criteria) override;
    HRESULT get_Sort(BSTR* Criteria) override;
    HRESULT put_Sort(BSTR Criteria) override;
    HRESULT get_State(long* plObjState) override;
    HRESULT raw_NextRecordset(VARIANT* RecordsAffected, ADODB::_Recordset** ppiRs) override;
    HRESULT raw_Supports(ADODB::CursorOptionEnum CursorOptions, VARIANT_BOOL* pb) override;
    HRESULT get_Collect(VARIANT Index, VARIANT* pvar) override;
    HRESULT put_Collect(VARIANT Index, VARIANT pvar) override;
    HRESULT raw_UpdateBatch(ADODB::AffectEnum AffectRecords) override;
    HRESULT raw_CancelBatch(ADODB::AffectEnum AffectRecords) override;
    HRESULT get_CursorLocation(ADODB::CursorLocationEnum* plCursorLoc) override;
    HRESULT put_CursorLocation(ADODB::CursorLocationEnum plCursorLoc) override;
    HRESULT raw_Cancel() override;
    HRESULT raw_Save(VARIANT Destination, ADODB::PersistFormatEnum PersistFormat) override;

    // For Connection.Execute and OpenSchema. Throw AdoFailure.
    void OpenOnConnection(ConnectionObject* connection, const std::string& text, ADODB::CursorTypeEnum cursorType,
                          ADODB::LockTypeEnum lockType, long options);
    void OpenResults(ConnectionObject* connection, std::vector<ResultItem> items);
    long FirstRecordsAffected() const { return m_firstRecordsAffected.load(); }
    // For an Execute whose results nobody can read: the next open runs the
    // whole batch before it returns instead of streaming it.
    void RunWhole() { m_runWhole = true; }

private:
    ~RecordsetObject() override;

    enum class Outcome { Succeeded, Failed, Cancelled };
    struct ExecutionResult {
        Outcome outcome = Outcome::Succeeded;
        std::vector<ProviderMessage> errors;
    };

    void OpenFromFile(const std::string& path, ADODB::LockTypeEnum lockType);
    void OpenDisconnected(ADODB::LockTypeEnum lockType);
    ExecutionResult Execute();
    // Forward-only read-only results stream: the batch runs on a thread of
    // its own and its first item is here when this returns.
    std::vector<ResultItem> StartStreaming(ConnectionObject* connection, const ADODB::_ConnectionPtr& keep,
                                           const std::string& source);
    bool Streams() const;
    // The next result: taken first, else the streamed batch's next, waiting for it.
    // At the end of the batch, `trailing` (when given) takes the informational
    // messages that came after the last item.
    bool TakeNextItem(ResultItem& item, std::vector<ProviderMessage>* trailing = nullptr);
    // The connection's Errors show what the step just taken brought.
    void ShowStepMessages(const std::vector<ProviderMessage>& messages);
    [[noreturn]] void RaiseErrors(const std::vector<ProviderMessage>& errors);
    void AbandonBatch();
    void StartAsync();
    void CancelExecution(ConnectionObject* connection);
    std::thread StartTimeoutWatch(ConnectionObject* connection);
    // Takes the next pending result into the cursor; the records affected of
    // a count, -1 for rows; throws the errors of a failure.
    long ApplyNextResult();
    void CloseCursor();
    // Makes `connection` the one this recordset uses; caller holds m_mutex.
    void UseConnection(ConnectionObject* connection);
    void RequireOpen() const;
    int FieldIndexOf(const VARIANT& index) const;
    void MoveTo(long position);
    void RaiseFetchErrors();
    // The nearest record at or after (step 1) or before (step -1) that is not deleted.
    long Visible(long from, int step) const;
    void ApplyFieldValues(const VARIANT& fields, const VARIANT& values);
    void WriteThrough(Record& record);
    void WriteRecordToServer(const Record& record);
    std::string BuildWriteStatement(const Record& record) const;

    std::shared_ptr<RecordCursor> m_cursor;
    ADODB::FieldsPtr m_fields;

    mutable std::mutex m_mutex;
    ADODB::_ConnectionPtr m_connectionPtr;
    std::atomic<ConnectionObject*> m_connection{nullptr};
    std::string m_source;
    std::atomic<long> m_options{ADODB::adCmdText};
    std::atomic<bool> m_fromFile{false};
    std::deque<ResultItem> m_pending;
    std::shared_ptr<const std::atomic<uint64_t>> m_period;
    uint64_t m_readInPeriod = 0;
    std::string m_filter;
    std::string m_sort;

    mutable std::atomic<long> m_state{ADODB::adStateClosed};
    std::atomic<int> m_cursorType{ADODB::adOpenForwardOnly};
    std::atomic<int> m_cursorLocation{ADODB::adUseServer};
    std::atomic<long> m_cacheSize{1};
    std::atomic<long> m_firstRecordsAffected{-1};
    std::atomic<bool> m_cancelRequested{false};
    std::atomic<bool> m_timedOut{false};
    std::atomic<bool> m_runWhole{false};

    // Whether a batch runs for this recordset; shared with the thread that
    // reads a streamed batch, which may outlive the recordset.
    struct RunState {
        std::mutex mutex;
        std::condition_variable done;
        // The execution and, for a streamed batch, its reading thread.
        int running = 0;
        bool firstArrived = false; // the command timeout no longer applies
        // The batch of this execution, once made: what a Cancel stops.
        std::shared_ptr<BatchCollector> batch;
    };
    std::shared_ptr<RunState> m_run = std::make_shared<RunState>();
    // A streamed batch still producing; null once every item was taken.
    std::shared_ptr<BatchCollector> m_batch;
};

} // namespace tw::ado
