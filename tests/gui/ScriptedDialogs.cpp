// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"

#include <QDialog>
#include <QTextDocument>

int ScriptedDialogs::alert(QWidget*, const QString& text, const QStringList& buttons,
                           const QString& detail) {
    const Alert asked{text, buttons, detail};
    alerts.append(asked);
    if (onAlert) {
        onAlert(asked);
    }
    if (alertAnswers.empty()) {
        return 0;
    }
    const int answer = alertAnswers.front();
    alertAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& extension) {
    ++openPanels;
    Q_ASSERT(extension == QLatin1String("snp"));
    if (openAnswers.isEmpty()) {
        return std::nullopt;
    }
    const QString answer = openAnswers.takeFirst();
    if (answer.isEmpty()) {
        return std::nullopt;
    }
    return answer;
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const QString& suggestedName,
                                                 const QString& extension) {
    savePanelNames.append(suggestedName);
    savePanelExtensions.append(extension);
    Q_ASSERT(extension == QLatin1String("snp") || extension == QLatin1String("pdf"));
    if (saveAnswers.isEmpty()) {
        return std::nullopt;
    }
    const QString answer = saveAnswers.takeFirst();
    if (answer.isEmpty()) {
        return std::nullopt;
    }
    return answer;
}

void ScriptedDialogs::runModal(QDialog& dialog) {
    ++modalRuns;
    if (onModal) {
        onModal(dialog);
    }
}

bool ScriptedDialogs::openUrl(const QUrl& url) {
    openedUrls.append(url);
    return openUrlResult;
}

void ScriptedDialogs::about(QWidget*, const QString& title, const QString& text) {
    abouts.append({title, text});
}

QStringList ScriptedDialogs::alertTexts() const {
    QStringList texts;
    for (const auto& a : alerts) {
        texts.append(a.text);
    }
    return texts;
}

bool ScriptedDialogs::printDocument(QWidget*, QTextDocument& document) {
    const bool answer = printAnswers.empty() ? true : printAnswers.front();
    if (!printAnswers.empty()) {
        printAnswers.pop_front();
    }
    if (!answer) {
        return false;
    }
    printedTexts.append(document.toPlainText());
    if (onPrint) {
        onPrint(document);
    }
    return true;
}
