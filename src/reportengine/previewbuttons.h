#pragma once
// The commands a definition lets its preview offer. The engine has no
// designer: a definition may carry pbTools and pbEdit, and the preview then
// offers nothing for them.

#include <QFlags>

namespace report {

enum class PreviewButton {
    pbPrint = 0x1,
    pbLoad = 0x2,
    pbSave = 0x4,
    pbExport = 0x8,
    pbZoom = 0x10,
    pbFind = 0x20,
    pbOutline = 0x40,
    pbPageSetup = 0x80,
    pbTools = 0x100,
    pbEdit = 0x200,
    pbNavigator = 0x400,
    pbExportQuick = 0x800,
};
Q_DECLARE_FLAGS(PreviewButtons, PreviewButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(PreviewButtons)

inline constexpr PreviewButtons kAllPreviewButtons = PreviewButtons(0xFFF);

} // namespace report
