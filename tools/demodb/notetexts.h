#pragma once
// The texts of the demo notes, put together from the phrases of
// demowords.txt and told in the child's gender.

#include "rng.h"

#include <QString>
#include <QStringList>

namespace notes {

struct Child {
    QString name;   // first name
    bool girl = false;
};

// toys: the names of the toys used in the session (may be empty).
QString session(Rng& rng, const Child& child, const QStringList& toys);
QString reevaluation(Rng& rng, const Child& child, int sessions);
// type: the guidance type's place in table.TIPO_ORIENTACAO.
QString guidance(Rng& rng, const Child& child, int type);
// One phrase of a list of demowords.txt: "referral", "history.first", ...
QString phrase(Rng& rng, const Child& child, const char* key);

} // namespace notes
