// Control IDs of the main window. The commands are keyed by them, and the
// window finds its fields by them.
#pragma once

namespace tally {

constexpr int kCancel = 2;              // IDCANCEL: close box and Esc
constexpr int kNeutraliseButton = 100;  // + row, rows 0-10
constexpr int kKillButton = 111;        // + row
constexpr int kClearButton = 122;
constexpr int kCommitButton = 123;
constexpr int kRedoButton = 124;
constexpr int kUndoButton = 125;
constexpr int kLabelField = 126;   // + row
constexpr int kCountField = 137;   // + row
constexpr int kMarginField = 148;  // A - B
constexpr int kBField = 149;
constexpr int kJournalPane = 150;
constexpr int kAField = 151;
constexpr int kRatioField = 152;  // + row
constexpr int kIncrementBox = 163;
constexpr int kPlusOneRadio = 164;
constexpr int kCustomRadio = 165;

constexpr int kEnUpdate = 0x0400;  // EN_UPDATE from the increment box

}  // namespace tally
