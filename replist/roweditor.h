#pragma once
// Names of the row editor's run-time components. The dialog of
// TReportListView::EditRowEntries names each component it builds by one of
// these prefixes followed by the column number, finds its editors again by
// them when it ends and frees every component whose name holds the common
// part.

namespace orv {

inline constexpr const char16_t* RowEditorNamePart = u"runtime_rlre_";
inline constexpr const char16_t* RowEditorLabelName = u"runtime_rlre_Label";
inline constexpr const char16_t* RowEditorEditName = u"runtime_rlre_Edit";
inline constexpr const char16_t* RowEditorDatePickerName = u"runtime_rlre_DtPick";
inline constexpr const char16_t* RowEditorComboBoxName = u"runtime_rlre_CBox";
inline constexpr const char16_t* RowEditorNumIOName = u"runtime_rlre_NumIO";

}  // namespace orv
