// The category labels, compiled to Shift_JIS (code page 932). They name the
// rows of the window and are the keys of the tally file. This file holds only
// the table, so that builds whose compiler cannot produce Shift_JIS can take
// it from one that can.
namespace tally {

extern const char* const CategoryLabels[13] = {
    "ハンドガン",          // 0 handgun
    "ショットガン",        // 1 shotgun
    "サブマシンガン",      // 2 submachine gun
    "アサルトライフル",    // 3 assault rifle
    "マシンガン",          // 4 machine gun
    "スナイパーライフル",  // 5 sniper rifle
    "ミサイル",            // 6 missile
    "投擲武器",            // 7 thrown weapons
    "設置武器",            // 8 placed weapons
    "スタンロッド",        // 9 stun rod
    "CQC",                 // 10 close-quarters combat
    "無効化累計",          // 11 neutralisations in all (A)
    "殺害累計",            // 12 kills in all
};

}  // namespace tally
