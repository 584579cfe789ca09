// One Tallimor per folder, so that two windows never commit over each
// other's counts.
#pragma once

// Claims the working directory for this process, or, where another Tallimor
// holds it, brings that one's window forward and returns true: then this
// start opens no window of its own.
bool show_the_folders_window();
