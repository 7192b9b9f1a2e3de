// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QTextDocument;
class QUrl;
class QWidget;

// Every modal interaction of the program. The desktop program shows real
// dialogs; tests answer from a script and record what was asked.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A warning with `text` as its message and the buttons in this order. The
    // result is the index of the button chosen; closing the alert counts as the
    // last button. `detail` (which file, and why) is shown below the message.
    virtual int alert(QWidget* parent, const QString& text, const QStringList& buttons,
                      const QString& detail = QString()) = 0;

    // A path chosen for opening, or nothing when cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& extension) = 0;

    // A path chosen for saving, or nothing when cancelled. The extension says
    // what is saved: "snp" a profile, "pdf" a report.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& suggestedName,
                                            const QString& extension) = 0;

    // Runs a window application-modally until it is closed.
    virtual void runModal(QDialog& dialog) = 0;

    virtual bool openUrl(const QUrl& url) = 0;

    // The About box: `text` is rich text (version, licence, catalogue).
    virtual void about(QWidget* parent, const QString& title, const QString& text) = 0;
    // Asks for a printer and prints the document on it; false when cancelled.
    virtual bool printDocument(QWidget* parent, QTextDocument& document) = 0;
};

// The one-button report and the two-button question of the program.
inline const QString kOk = QStringLiteral("OK");
inline const QString kYes = QStringLiteral("Yes");
inline const QString kNo = QStringLiteral("No");
