// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <memory>

class QAbstractButton;
class QMessageBox;

class QtDialogs : public Dialogs {
public:
    // The alert as it is shown: the message, then the detail below it in
    // plain view, both as plain text; buttons in the order given.
    static std::unique_ptr<QMessageBox> makeAlert(QWidget* parent, const QString& text,
                                                  const QStringList& buttons, const QString& detail,
                                                  QList<QAbstractButton*>* added = nullptr);

    int alert(QWidget* parent, const QString& text, const QStringList& buttons,
              const QString& detail) override;
    std::optional<QString> openFile(QWidget* parent, const QString& extension) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& suggestedName,
                                    const QString& extension) override;
    void runModal(QDialog& dialog) override;
    bool openUrl(const QUrl& url) override;
    void about(QWidget* parent, const QString& title, const QString& text) override;
    bool printDocument(QWidget* parent, QTextDocument& document) override;
};
