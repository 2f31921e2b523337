// A window on what the server's connections send: while a BatchRecorder lives,
// every batch a client session hands to Session::Execute is noted, in the
// order the server received them, with the spid and the database current when
// it arrived. Meant for tests that drive the program (through ADO or SQL-DMO)
// and must see the exact statement texts it sent.
//
// Several recorders may live at once; each notes the batches that arrive in
// its own lifetime. Safe to use from any thread. With no recorder alive the
// sessions note nothing. Batches the server runs for itself (building the
// sample database) and statements run inside a batch (EXEC of a string,
// procedures) are not noted: they are not sent by a connection.
#pragma once

#include <string>
#include <vector>

namespace tw::server {

struct ReceivedBatch {
    int spid = 0;
    std::string login;
    std::string program;  // the client's program name (ADO's "Application Name")
    std::string database; // current database when the batch arrived
    std::string text;     // the batch exactly as sent
};

class BatchRecorder {
public:
    BatchRecorder();
    ~BatchRecorder();
    BatchRecorder(const BatchRecorder&) = delete;
    BatchRecorder& operator=(const BatchRecorder&) = delete;

    // Everything noted so far, in arrival order.
    std::vector<ReceivedBatch> Batches() const;
    // The texts of every connection, in arrival order.
    std::vector<std::string> Texts() const;
    // The texts one connection sent, in order.
    std::vector<std::string> TextsOf(int spid) const;
    // The spids that sent something, in the order of their first batch.
    std::vector<int> Spids() const;
    // Forgets what was noted; recording goes on.
    void Clear();

    // Called by the sessions as a batch arrives.
    static bool Active();
    static void Note(const ReceivedBatch& batch);

private:
    std::vector<ReceivedBatch> batches_;
};

} // namespace tw::server
