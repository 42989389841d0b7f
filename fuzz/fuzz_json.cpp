// voxaclass's JSON reader: what it accepts, written as JSON again, reads back the same.

#include "FuzzCheck.h"
#include "core/VOXA1.h"
#include "voxaclass/ClassJson.h"

#include <QJsonDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QJsonDocument doc = QJsonDocument::fromJson(FuzzCheck::bytes(data, size));
    if (!doc.isObject())
        return 0;
    VOXA1 c;
    if (!ClassJson::fromJson(doc.object(), c).isEmpty())
        return 0;
    FuzzCheck::require(c.ClassSize >= 0 && c.ClassSize <= 42, "class size 0..42");
    const QJsonObject out = ClassJson::toJson(c);
    VOXA1 back;
    FuzzCheck::require(ClassJson::fromJson(out, back).isEmpty(), "own JSON read back");
    FuzzCheck::require(ClassJson::toJson(back) == out, "JSON stable after one write");
    return 0;
}
