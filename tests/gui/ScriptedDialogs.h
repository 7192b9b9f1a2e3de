// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QUrl>
#include <deque>
#include <functional>

// Answers every dialog from a script and records what was asked.
class ScriptedDialogs : public Dialogs {
public:
    struct Alert {
        QString text;
        QStringList buttons;
        QString detail;
    };

    // Answers, taken in order; an alert with no answer left takes its first
    // button; a panel with none left, or an empty answer, is cancelled.
    std::deque<int> alertAnswers;
    QStringList openAnswers;
    QStringList saveAnswers;
    // Called while an alert or a modal window is up, to look at the screen then.
    std::function<void(const Alert&)> onAlert;
    std::function<void(QDialog&)> onModal;

    QList<Alert> alerts;
    QList<QString> savePanelNames;
    QStringList savePanelExtensions;
    // Print requests: the document's text, and whether to print (true) or cancel.
    std::deque<bool> printAnswers;
    QStringList printedTexts;
    std::function<void(QTextDocument&)> onPrint;
    int openPanels = 0;
    int modalRuns = 0;
    QList<QUrl> openedUrls;
    struct About {
        QString title;
        QString text;
    };
    QList<About> abouts;
    // What openUrl answers: false as on a system with no browser.
    bool openUrlResult = true;

    int alert(QWidget* parent, const QString& text, const QStringList& buttons,
              const QString& detail) override;
    std::optional<QString> openFile(QWidget* parent, const QString& extension) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& suggestedName,
                                    const QString& extension) override;
    void runModal(QDialog& dialog) override;
    bool openUrl(const QUrl& url) override;
    void about(QWidget* parent, const QString& title, const QString& text) override;
    bool printDocument(QWidget* parent, QTextDocument& document) override;

    QStringList alertTexts() const;
};
