// The category labels, compiled to Shift_JIS (code page 932). They name the
// rows of the window and are the keys of the tally file. This file holds only
// the table, so that builds whose compiler cannot produce Shift_JIS can take
// it from one that can.
namespace tally {

extern const char* const CategoryLabels[13] = {
    "ハンドガン",
    "ショットガン",
    "サブマシンガン",
    "アサルトライフル",
    "マシンガン",
    "スナイパーライフル",
    "ミサイル",
    "投擲武器",
    "設置武器",
    "スタンロッド",
    "CQC",
    "無効化累計",
    "殺害累計",
};

}  // namespace tally
