// The whole-class reader: the input is the settings, the index and the pupil file, separated by
// the lines "--eix--" and "--dat--" (a missing part is a missing file).

#include "FuzzClass.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray in = FuzzCheck::bytes(data, size);
    static const QByteArray eixMark("\n--eix--\n");
    static const QByteArray datMark("\n--dat--\n");
    ClassFiles::ClassBytes files;
    const qsizetype e = in.indexOf(eixMark);
    const qsizetype d = in.indexOf(datMark, e < 0 ? 0 : e + eixMark.size());
    const qsizetype sdtEnd = e >= 0 ? e : (d >= 0 ? d : in.size());
    files.sdt = in.left(sdtEnd);
    if (e >= 0)
        files.eix = in.mid(e + eixMark.size(), (d >= 0 ? d : in.size()) - e - eixMark.size());
    if (d >= 0)
        files.dat = in.mid(d + datMark.size());
    FuzzClass::readAndCheck(files);
    return 0;
}
