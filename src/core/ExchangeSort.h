#pragma once

// The ranking sort of every list: for i = 1..n and, inside, j = 1..n, when key(i) > key(j) the
// entries i and j change places (the key and everything that travels with it). It is not stable,
// and the rankings rely on exactly these exchanges so that pupils with equal keys always come out
// in the same order. The result is descending.
//
// key(i) returns the key of entry i (1-based); swap(i, j) exchanges entries i and j.
template <typename Key, typename Swap> void exchangeSortDescending(int n, Key&& key, Swap&& swap) {
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (key(i) > key(j))
                swap(i, j);
}
