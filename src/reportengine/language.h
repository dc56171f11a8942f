#pragma once
// The language of the engine's own windows. Its built-in texts are English;
// a language file (a Qt translation) turns them into another language.

#include <QString>

namespace report {

// Loads the language file of that name as given: a bare name is looked up in
// the working directory. Also turns Qt's own print and page setup dialogs into
// Brazilian Portuguese. When there is no such file nothing happens, silently;
// returns whether a file was loaded.
bool loadLanguageFile(const QString& name);

// The program's own language file, "Brazil.frc", by its bare name in the
// working directory; an installed program then takes the one in its data
// folder (/usr/share/marvok). Silently absent otherwise. The main routine
// calls it right after creating the data module.
bool loadProgramLanguage();

// Back to the engine's built-in texts (Qt's own dialogs stay Portuguese).
void unloadLanguageFile();

} // namespace report
