// Turns what a provider streams into the results a recordset walks: one item
// per result set (with its rows), per statement count, and per failure, in
// the order the batch produced them. Messages are also handed to a callback
// as they arrive, for the connection's InfoMessage event.
//
// Kept whole, the items are taken once the batch is over (TakeItems).
// Streamed, a reader on another thread takes each item as soon as it is
// known (NextItem), and a result's rows reach it page by page through the
// item's RowStream while the provider goes on.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <memory>
#include <vector>

#include "platform/ado/Provider.h"
#include "platform/ado/RowStream.h"
#include "platform/ado/Rowset.h"

namespace tw::ado {

struct ResultItem {
    enum class Kind { Rows, Count, Failure };
    Kind kind = Kind::Count;
    std::shared_ptr<Rowset> rowset;
    // The rows still arriving, when streamed; `rowset` then holds the fields.
    std::shared_ptr<RowStream> stream;
    long recordsAffected = -1;
    std::vector<ProviderMessage> errors;
    // Informational messages (PRINT, low-severity RAISERROR) the server sent
    // before this item, so a reader can show them in order among the results.
    std::vector<ProviderMessage> notes;
};

class BatchCollector final : public tw::server::ResultSink {
public:
    using MessageCallback = std::function<void(const ProviderMessage&)>;

    enum class Mode { Whole, Streamed };
    BatchCollector(std::string source, MessageCallback onMessage, Mode mode = Mode::Whole);

    void BeginResultSet(const std::vector<tw::server::ColumnInfo>& columns) override;
    bool RowFetched(const tw::server::Row& row) override;
    void EndResultSet() override;
    void RowsFailed() override;
    void RowsAffected(int64_t count, tw::server::RowCountOf of) override;
    void MessageReceived(const tw::server::Message& message) override;
    void ReturnStatus(int status) override;
    void OutputParameter(const std::string& name, const tw::server::Value& value) override;

    // Adds messages a provider reports itself (ODBC diagnostics).
    void AddMessage(const ProviderMessage& message);
    // Stops taking rows: the provider ends the statement.
    void StopFetching() { m_stopped = true; }
    // Someone asked for this batch to stop; one that has not started yet never starts.
    void RequestCancel() { m_cancelRequested = true; }
    bool CancelRequested() const { return m_cancelRequested.load(); }

    std::vector<ResultItem> TakeItems();
    // Streamed batches show their messages step by step, as the reader takes each item.
    bool StreamsItems() const { return Streamed(); }
    const std::vector<ProviderMessage>& Messages() const { return m_messages; }

    // Streamed. The provider's side: the batch is over, nothing more comes.
    void FinishBatch();
    // The reader's side: the next item; false when the batch is over and all
    // were taken. Blocks until one or the other.
    bool NextItem(ResultItem& item);
    // The reader wants nothing more: rows still coming are dropped.
    void AbandonStreams();
    // The informational messages sent after the last item; once the batch is over.
    std::vector<ProviderMessage> TakeTrailingNotes();
    // The provider stops waiting for the reader (see RowStream::Unbind).
    void UnbindStreams();

private:
    void AddItem(ResultItem item);
    void AddError(const ProviderMessage& message);
    // Hands the page to the reader; false when it gave the result up.
    bool FlushPage();
    // Ends the rows of the last result, with the errors of a failed row.
    void FinishStream();
    bool Streamed() const { return m_mode == Mode::Streamed; }

    std::string m_source;
    MessageCallback m_onMessage;
    const Mode m_mode;
    std::vector<ResultItem> m_items;
    std::vector<ProviderMessage> m_messages;
    bool m_inResultSet = false;
    std::atomic<bool> m_stopped{false};
    std::atomic<bool> m_cancelRequested{false};

    // Streamed: items up to m_published may be taken, from m_taken on.
    std::mutex m_itemsMutex;
    std::condition_variable m_itemsChanged;
    size_t m_published = 0;
    size_t m_taken = 0;
    bool m_batchOver = false;
    std::vector<std::shared_ptr<RowStream>> m_streams;
    std::shared_ptr<RowStream> m_stream; // of the result whose rows arrive
    std::shared_ptr<const Rowset> m_fields; // its field descriptions
    std::vector<Record> m_page;
    size_t m_pageLimit = 0;
    std::chrono::steady_clock::time_point m_pageStarted;
    long m_nextBookmark = 1;
    bool m_rowsFailed = false;
    std::vector<ProviderMessage> m_fetchErrors;
    // Informational messages waiting for the next item (under m_itemsMutex).
    std::vector<ProviderMessage> m_notes;
};

} // namespace tw::ado
