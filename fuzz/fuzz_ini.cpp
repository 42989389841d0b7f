// voxa.ini: any bytes give settings; written out, they read back the same.

#include "FuzzCheck.h"
#include "core/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const IniFile::Settings s = IniFile::parse(FuzzCheck::bytes(data, size));
    FuzzCheck::require(s.PassHidden == 0 || s.PassHidden == 1, "PassHidden 0 or 1");
    const IniFile::Settings back = IniFile::parse(IniFile::bytes(s));
    FuzzCheck::require(back.PassHidden == s.PassHidden, "PassHidden read back");
    FuzzCheck::require(IniFile::bytes(back) == IniFile::bytes(s), "ini stable after one write");
    return 0;
}
