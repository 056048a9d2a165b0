#pragma once

#include <sqlite3.h>

// An owner of one of SQLite's handles: released whatever happens, and never
// copied, so no handle is released twice or used after its release.
template <typename T, int (*liberar)(T *)> class HandleSqlite
{
public:
    HandleSqlite() = default;
    ~HandleSqlite() { liberar(h_); }
    HandleSqlite(const HandleSqlite &) = delete;
    HandleSqlite &operator=(const HandleSqlite &) = delete;

    // Where an open or a prepare writes its new handle; the one held before is released first.
    T **destino()
    {
        liberar(h_);
        h_ = nullptr;
        return &h_;
    }
    T *get() const { return h_; }
    void reset() { destino(); }

private:
    T *h_ = nullptr;
};

// A prepared statement, finalized when its owner goes.
using SentenciaSqlite = HandleSqlite<sqlite3_stmt, sqlite3_finalize>;
// A database connection, closed when its owner goes.
using BaseSqlite = HandleSqlite<sqlite3, sqlite3_close_v2>;
