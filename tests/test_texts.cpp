// The program's texts are Shift_JIS bytes wherever they leave the core: the
// labels, the journal lines and the tally file.
#include <gtest/gtest.h>

#include "store/tally_file.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "tally/controls.h"
#include "tally/history.h"
#include "tally/sheet.h"

using namespace tally;
using fake::bytes;

TEST(Texts, LabelsAreShiftJis)
{
    const char* expected[kCounters] = {
        "83 6E 83 93 83 68 83 4B 83 93",                          // handgun
        "83 56 83 87 83 62 83 67 83 4B 83 93",                    // shotgun
        "83 54 83 75 83 7D 83 56 83 93 83 4B 83 93",              // submachine gun
        "83 41 83 54 83 8B 83 67 83 89 83 43 83 74 83 8B",        // assault rifle
        "83 7D 83 56 83 93 83 4B 83 93",                          // machine gun
        "83 58 83 69 83 43 83 70 81 5B 83 89 83 43 83 74 83 8B",  // sniper rifle
        "83 7E 83 54 83 43 83 8B",                                // missile
        "93 8A 9D B1 95 90 8A ED",                                // thrown weapons
        "90 DD 92 75 95 90 8A ED",                                // placed weapons
        "83 58 83 5E 83 93 83 8D 83 62 83 68",                    // stun rod
        "43 51 43",                                               // CQC
        "96 B3 8C F8 89 BB 97 DD 8C 76",                          // neutralisation total
        "8E 45 8A 51 97 DD 8C 76",                                // kill total
    };
    for (int i = 0; i < kCounters; ++i)
        EXPECT_EQ(label(i), bytes(expected[i])) << "label " << i;
}

TEST(Texts, JournalLinesAndTallyFileAreShiftJis)
{
    fake::TempDir dir;
    fake::start();
    command(kPlusOneRadio, 0);
    command(kKillButton + 10, 0);
    command(kNeutraliseButton + 7, 0);
    command(kCommitButton, 0);
    EXPECT_EQ(fake::pane.text,
              bytes("43 51 43 20 8E 45 8A 51 20 2B 31 0A "                       // CQC 殺害 +1
                    "93 8A 9D B1 95 90 8A ED 20 96 B3 97 CD 89 BB 20 2B 31 0A "  // 投擲武器 無力化 +1
                    "2D 2D 2D 2D 20 8A 6D 92 E8 20 2D 2D 2D 2D 0A"));            // ---- 確定 ----
    std::string file = fake::read_file(store::kFileName);
    EXPECT_NE(file.find(bytes("0D 0A 31 20 93 8A 9D B1 95 90 8A ED 0D 0A")), std::string::npos);
    EXPECT_EQ(file.substr(file.size() - 12), bytes("31 20 8E 45 8A 51 97 DD 8C 76 0D 0A"));
}
