// The steps that bring a database up to the program's version. A new step
// goes at the end with the next number; a step already released never
// changes, since databases in use have run it.

#include "store/schemaversion.h"

namespace store {

const std::vector<SchemaStep>& schemaSteps()
{
    static const std::vector<SchemaStep> steps = {
        {1,
         QStringLiteral(u"e-mail do paciente"),
         // The first databases had no e-mail; those made later have it already.
         {QStringLiteral("EXECUTE BLOCK AS\n"
                         "BEGIN\n"
                         "  IF (NOT EXISTS (SELECT 1 FROM RDB$RELATION_FIELDS\n"
                         "                  WHERE RDB$RELATION_NAME = 'PACIENTE' AND RDB$FIELD_NAME = 'EMAIL')) THEN\n"
                         "    EXECUTE STATEMENT 'ALTER TABLE PACIENTE ADD EMAIL VARCHAR(60)';\n"
                         "END")}},
    };
    return steps;
}

} // namespace store
