// The name import: any file is decoded, split and applied to a full class without harm; every
// name taken fits the class files.

#include "FuzzCheck.h"
#include "core/VOXA1.h"
#include "platform/Cp932.h"
#include "roster/NameImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = NameImport::decode(FuzzCheck::bytes(data, size));
    const QStringList fields = NameImport::fields(text);
    for (const QString& f : fields)
        for (const QChar ch : {QChar(u'\r'), QChar(u'\n'), QChar(u'\t'), QChar(u'\0'), QChar(u'\x1a')})
            FuzzCheck::require(!f.contains(ch), "no line end, tab, NUL or EOF mark in a field");
    VOXA1 c;
    c.ClassSize = 42;
    if (!NameImport::unstorableName(fields, c.ClassSize).isEmpty())
        return 0;
    const int taken = NameImport::apply(c, fields);
    FuzzCheck::require(taken >= 0 && taken <= 42, "at most 42 names");
    for (int i = 1; i <= taken; ++i) {
        FuzzCheck::require(Cp932::firstUnencodable(c.Pupil(i).PName.str()).isEmpty(), "name storable");
        FuzzCheck::require(c.Pupil(i).Sex == u"0" || c.Pupil(i).Sex == u"1" || c.Pupil(i).Sex == u"2",
                           "sex 0, 1 or 2");
    }
    return 0;
}
