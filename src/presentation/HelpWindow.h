// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

// The shipped help page in a window of the program's own, for systems
// where no browser opens it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showPage(const QUrl& page);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};
