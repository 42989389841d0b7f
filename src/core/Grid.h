#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

// A fixed-size array indexed from 1 in every dimension, so code reads like the data model:
// c.Pupil(p).ViewRate(t, k, v). An index out of range is a bug: it asserts in debug builds, and in
// release builds it never reaches outside the array (reads and writes go to a scratch element).
template <typename T, int... Dims> class Grid {
    static_assert(sizeof...(Dims) > 0);
    static constexpr std::array<int, sizeof...(Dims)> kDims{Dims...};
    static constexpr std::size_t kSize = (std::size_t(1) * ... * std::size_t(Dims));

public:
    template <typename... I> T& operator()(I... idx) {
        static_assert(sizeof...(I) == sizeof...(Dims), "wrong number of indices");
        const std::ptrdiff_t at = offset({static_cast<int>(idx)...});
        if (at < 0)
            return scratch();
        return m_items[static_cast<std::size_t>(at)];
    }
    template <typename... I> const T& operator()(I... idx) const {
        static_assert(sizeof...(I) == sizeof...(Dims), "wrong number of indices");
        const std::ptrdiff_t at = offset({static_cast<int>(idx)...});
        if (at < 0)
            return scratch();
        return m_items[static_cast<std::size_t>(at)];
    }

    void fill(const T& value) { m_items.fill(value); }
    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    bool operator==(const Grid&) const = default;

private:
    // Last index fastest in memory; the file layouts never depend on this order.
    static std::ptrdiff_t offset(std::array<int, sizeof...(Dims)> idx) {
        std::ptrdiff_t at = 0;
        for (std::size_t d = 0; d < idx.size(); ++d) {
            if (idx[d] < 1 || idx[d] > kDims[d]) {
                Q_ASSERT_X(false, "Grid", "index out of range");
                return -1;
            }
            at = at * kDims[d] + (idx[d] - 1);
        }
        return at;
    }
    static T& scratch() {
        static thread_local T s{};
        s = T{};
        return s;
    }

    std::array<T, kSize> m_items{};
};
