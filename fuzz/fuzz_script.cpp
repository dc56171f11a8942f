// The report script: any text is parsed into procedures or refused with an
// error naming the line, and a parsed script runs its main block and its
// procedures over the objects it names.

#include "core/eerror.h"
#include "fuzzsupport.h"
#include "reportengine/reportobject.h"
#include "reportengine/script.h"

#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes bytes(data, size);
    static std::vector<std::unique_ptr<report::ReportObject>> objects = [] {
        std::vector<std::unique_ptr<report::ReportObject>> list;
        for (const char* name : {"Memo1", "Memo2", "Shape1", "Line1"})
            list.push_back(std::make_unique<report::ReportObject>(report::ReportObject::Kind::Text,
                                                                  QString::fromLatin1(name), QRectF()));
        return list;
    }();
    const auto resolve = [](const QString& name) -> report::ReportObject* {
        for (const auto& o : objects)
            if (o->name().compare(name, Qt::CaseInsensitive) == 0)
                return o.get();
        return nullptr;
    };
    const QString procedure = bytes.text();
    report::Script script;
    try {
        script = report::Script::parse(bytes.rest(), resolve);
    } catch (const EError& e) {
        if (e.message().isEmpty())
            fuzz::fail("a refused script gives no message");
        return 0;
    }
    script.runMain();
    for (const QString& name : {procedure, QStringLiteral("MasterData1OnAfterPrint")}) {
        if (script.hasProcedure(name))
            script.run(name);
        else {
            try {
                script.run(name);
                fuzz::fail("an unknown procedure ran", name);
            } catch (const EError&) {
            }
        }
    }
    return 0;
}
