// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/HelpWindow.h"

#include <QDialogButtonBox>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Sanoria Help"));
    // The program still ends when its main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(true);
    layout->addWidget(browser_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    layout->addWidget(buttons);
    // Wide enough for the page's pictures of the window, where the screen allows.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(1260, screen.width() * 9 / 10), std::min(860, screen.height() * 9 / 10));
}

void HelpWindow::showPage(const QUrl& page) {
    browser_->setSource(page);
    browser_->setAccessibleName(browser_->documentTitle());
    show();
    raise();
    activateWindow();
}
