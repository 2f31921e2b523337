// The tasks pane's pictures and texts beyond the shared string table.
#pragma once

#define IDB_KTVP_TASKS_PANE 17019           // Back, Forward, Home and Close of the navigation toolbar
#define IDS_KTVP_OTHER_TASKS_PANE 17096     // the pages menu button of a floating tasks pane
