// The pupil file reader (.dat): the first byte gives the roster (1 to 4 pupils), the next ones
// their record numbers, the rest is the pupil file.

#include "FuzzClass.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int n = data[0] % 4 + 1;
    if (size < size_t(1 + n))
        return 0;
    QList<int> records;
    for (int i = 1; i <= n; ++i)
        records.append(data[i] % ClassFiles::kMaxRecordNumber + 1);
    FuzzClass::readAndCheck({FuzzClass::settingsFor(n), FuzzClass::indexFor(records),
                             FuzzCheck::bytes(data + 1 + n, size - 1 - n)});
    return 0;
}
