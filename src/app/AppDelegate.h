#pragma once

#include <filesystem>

class Dialogs;
class QApplication;

// Start-up and shut-down of the desktop program.
class AppDelegate {
public:
    AppDelegate() = default;

    // Loads the catalogue and shows the main window; on a catalogue that cannot
    // be used, says why and ends with status 1 before any window opens.
    int run(QApplication& application, Dialogs& dialogs);
    int run(QApplication& application, Dialogs& dialogs, const std::filesystem::path& catalogue);
};
