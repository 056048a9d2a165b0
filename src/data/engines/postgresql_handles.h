#pragma once

#include <libpq-fe.h>
#include <utility>

// A result of libpq, cleared when its owner goes; moved, never copied, so never cleared twice.
class ResultadoPg
{
public:
    explicit ResultadoPg(PGresult *r) : r_(r) { }
    ~ResultadoPg() { PQclear(r_); }
    ResultadoPg(const ResultadoPg &) = delete;
    ResultadoPg &operator=(const ResultadoPg &) = delete;
    ResultadoPg(ResultadoPg &&otro) noexcept : r_(std::exchange(otro.r_, nullptr)) { }
    ResultadoPg &operator=(ResultadoPg &&otro) noexcept
    {
        std::swap(r_, otro.r_);
        return *this;
    }

    PGresult *get() const { return r_; }
    ExecStatusType estado() const { return PQresultStatus(r_); }

private:
    PGresult *r_;
};
