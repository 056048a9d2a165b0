#include "packed_integers.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

unsigned widthFor(int64_t v)
{
    if (v >= std::numeric_limits<int8_t>::min() && v <= std::numeric_limits<int8_t>::max())
        return 1;
    if (v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max())
        return 2;
    if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
        return 4;
    return 8;
}

template <typename T> int64_t load(const unsigned char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

int64_t read(const unsigned char *p, unsigned width)
{
    switch (width) {
    case 1:
        return load<int8_t>(p);
    case 2:
        return load<int16_t>(p);
    case 4:
        return load<int32_t>(p);
    default:
        return load<int64_t>(p);
    }
}

void write(unsigned char *p, unsigned width, int64_t v)
{
    const int8_t v1 = int8_t(v);
    const int16_t v2 = int16_t(v);
    const int32_t v4 = int32_t(v);
    switch (width) {
    case 1:
        std::memcpy(p, &v1, 1);
        break;
    case 2:
        std::memcpy(p, &v2, 2);
        break;
    case 4:
        std::memcpy(p, &v4, 4);
        break;
    default:
        std::memcpy(p, &v, 8);
    }
}

} // namespace

void PackedIntegers::resize(size_t bytes)
{
    auto *p = static_cast<unsigned char *>(std::realloc(bytes_.get(), bytes ? bytes : 1));
    if (!p)
        throw std::bad_alloc();
    (void)bytes_.release();
    bytes_.reset(p);
    capacity_ = bytes;
}

void PackedIntegers::push_back(int64_t v)
{
    const unsigned w = widthFor(v);
    if (w > width_)
        widen(w);
    if ((size_ + 1) * width_ > capacity_)
        resize(std::max<size_t>(64, capacity_ * 2));
    write(bytes_.get() + size_ * width_, width_, v);
    ++size_;
}

int64_t PackedIntegers::operator[](size_t i) const
{
    return read(bytes_.get() + i * width_, width_);
}

void PackedIntegers::reserve(size_t n)
{
    if (n * width_ > capacity_)
        resize(n * width_);
}

void PackedIntegers::widen(unsigned width)
{
    // The room kept for the values to come grows with them.
    const size_t capacity = capacity_ / width_ * width;
    if (capacity > capacity_)
        resize(capacity);
    // From the last value back, so that none is overwritten before it is read.
    for (size_t i = size_; i-- > 0;)
        write(bytes_.get() + i * width, width, read(bytes_.get() + i * width_, width_));
    width_ = width;
}

void PackedIntegers::shrink()
{
    if (capacity_ - size_ * width_ > 65536)
        resize(size_ * width_);
}
