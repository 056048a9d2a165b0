#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

// Signed integers kept in as few bytes each as the widest value so far needs
// (1, 2, 4 or 8): a column of small codes or amounts costs a byte or two a row
// instead of eight. Growing to a wider form copies what is there once.
class PackedIntegers
{
public:
    void push_back(int64_t v);
    int64_t operator[](size_t i) const;
    size_t size() const { return size_; }
    // Room for this many values at the present width.
    void reserve(size_t n);
    // Gives back large unused room.
    void shrink();

private:
    void widen(unsigned width);
    void resize(size_t bytes);

    // Grown with realloc and never cleared ahead: room reserved and not yet
    // written costs no memory.
    struct Free
    {
        void operator()(unsigned char *p) const { std::free(p); }
    };
    std::unique_ptr<unsigned char, Free> bytes_;
    size_t capacity_ = 0; // in bytes
    unsigned width_ = 1;
    size_t size_ = 0;
};
