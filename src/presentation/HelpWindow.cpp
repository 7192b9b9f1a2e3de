// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/HelpWindow.h"

#include <QDialogButtonBox>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextFrame>
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
    browser_->viewport()->installEventFilter(this);
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
    fitPictures();
    show();
    raise();
    activateWindow();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == browser_->viewport() && event->type() == QEvent::Resize) {
        fitPictures();
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::fitPictures() {
    QTextDocument* document = browser_->document();
    const QTextFrameFormat page = document->rootFrame()->frameFormat();
    const qreal width = browser_->viewport()->width() - 2 * document->documentMargin() -
                        page.leftMargin() - page.rightMargin() - 2 * page.padding() - 8;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const qreal room =
            width - block.blockFormat().leftMargin() - block.blockFormat().rightMargin();
        if (room <= 0) {
            continue;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            if (!image.isValid() || image.width() == room) {
                continue;
            }
            image.setWidth(room); // the height follows, keeping the proportions
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}
