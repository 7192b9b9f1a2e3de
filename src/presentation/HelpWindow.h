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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The page's pictures are as wide as the window; a browser does this with
    // the page's style, which QTextBrowser does not read.
    void fitPictures();

    QTextBrowser* browser_;
};
