// The settings reader (.sdt): never crashes; what it accepts, written out and read again, reads
// and writes the same.

#include "FuzzCheck.h"
#include "core/ClassFiles.h"
#include "core/VOXA1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Made once: a class is large, and the reader sets every item of the settings it reads.
    static VOXA1 c;
    static VOXA1 again;
    if (!ClassFiles::readSettingsBytes(FuzzCheck::bytes(data, size), c))
        return 0;
    FuzzCheck::require(c.ClassSize >= 0 && c.ClassSize <= 42, "class size 0..42");
    const QByteArray written = ClassFiles::settingsBytes(c);
    FuzzCheck::require(ClassFiles::readSettingsBytes(written, again), "written settings read back");
    FuzzCheck::require(ClassFiles::settingsBytes(again) == written, "settings stable after one write");
    return 0;
}
