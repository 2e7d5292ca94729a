// Identifiers of the library's resources, shared by the resource script and the code.
#pragma once

#define IDD_SCORE_TITLE 101        // the Edit Title dialog of the small score view
#define IDC_SCORE_TITLE_EDIT 1001  // its edit control
