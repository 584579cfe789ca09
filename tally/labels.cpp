// The category labels, compiled to Shift_JIS (code page 932). They name the
// rows of the window and are the keys of the tally file. This file holds only
// the table, so that builds whose compiler cannot produce Shift_JIS can take
// it from one that can.
//
// Beside each label is its UTF-8 spelling: the tally file is Shift_JIS, but a
// text editor may save it back as UTF-8, and its counts are still the
// player's. A u8 literal stays UTF-8 whatever the execution character set.
namespace tally {

extern const char* const CategoryLabels[13][2] = {
    {"ハンドガン", u8"ハンドガン"},                  // 0 handgun
    {"ショットガン", u8"ショットガン"},              // 1 shotgun
    {"サブマシンガン", u8"サブマシンガン"},          // 2 submachine gun
    {"アサルトライフル", u8"アサルトライフル"},      // 3 assault rifle
    {"マシンガン", u8"マシンガン"},                  // 4 machine gun
    {"スナイパーライフル", u8"スナイパーライフル"},  // 5 sniper rifle
    {"ミサイル", u8"ミサイル"},                      // 6 missile
    {"投擲武器", u8"投擲武器"},                      // 7 thrown weapons
    {"設置武器", u8"設置武器"},                      // 8 placed weapons
    {"スタンロッド", u8"スタンロッド"},              // 9 stun rod
    {"CQC", u8"CQC"},                                // 10 close-quarters combat
    {"無効化累計", u8"無効化累計"},                  // 11 neutralisations in all (A)
    {"殺害累計", u8"殺害累計"},                      // 12 kills in all
};

}  // namespace tally
