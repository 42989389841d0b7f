// The index reader (.eix): as many pupils as the input holds index entries, over a pupil file of
// empty records.

#include "FuzzClass.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QByteArray emptyRecords(qsizetype(ClassFiles::kMaxRecordNumber) * ClassFiles::kRecordSize,
                                         '\0');
    const int n = static_cast<int>(qMin<size_t>(42, size / 4));
    FuzzClass::readAndCheck({FuzzClass::settingsFor(n), FuzzCheck::bytes(data, size), emptyRecords});
    return 0;
}
