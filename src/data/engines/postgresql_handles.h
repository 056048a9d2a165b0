#pragma once

#include <libpq-fe.h>

// A result of libpq, cleared when its owner goes; never copied, so never cleared twice.
class ResultadoPg
{
public:
    explicit ResultadoPg(PGresult *r) : r_(r) { }
    ~ResultadoPg() { PQclear(r_); }
    ResultadoPg(const ResultadoPg &) = delete;
    ResultadoPg &operator=(const ResultadoPg &) = delete;

    PGresult *get() const { return r_; }
    ExecStatusType estado() const { return PQresultStatus(r_); }

private:
    PGresult *r_;
};
