#pragma once

class QApplication;

// What both programs do before their first window: the icon of every window, Qt's own Japanese
// texts for the standard file, folder and print dialogs, and the substitute of the page font.
namespace Desktop {
// Before the application object is made: the dates of the standard dialogs in Japanese.
void preferJapanese();
void setUp(QApplication& app);
} // namespace Desktop
