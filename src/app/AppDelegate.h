// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>
#include <memory>

class Dialogs;
class MainWindow;
class QApplication;

// Start-up and shut-down of the desktop program.
class AppDelegate {
public:
    AppDelegate() = default;

    // The names, icon and settings place every run of the program shares.
    static void setUpApplication();

    // Loads the catalogue and shows the main window, with `profile` opened in
    // it when one is given; on a catalogue that cannot be used, says why and
    // ends with status 1 before any window opens.
    int run(QApplication& application, Dialogs& dialogs, const QString& profile = QString());
    int run(QApplication& application, Dialogs& dialogs, const std::filesystem::path& catalogue,
            const QString& profile = QString());

    // The shown window, or nothing when the catalogue cannot be used.
    std::unique_ptr<MainWindow> launch(Dialogs& dialogs, const std::filesystem::path& catalogue,
                                       const QString& profile);
};
