#pragma once
// Qt's own windows and texts in Brazilian Portuguese, as in every Qt program
// in Portuguese: the file and print dialogs, the standard buttons and the
// line edits' menus through Qt's translations, dates and numbers that Qt
// writes itself through the Brazilian locale.

namespace platform {

// Loads Qt's translations once per process and makes the Brazilian locale the
// default. False when Qt's translations are not installed (the texts stay English).
bool loadQtTranslations();

} // namespace platform
