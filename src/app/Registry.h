#pragma once

struct VOXA1;
class Forms;

// Makes every window of the grade book known to Forms by its tag.
void registerWindows(VOXA1& c, Forms& forms);
