// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtDialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QUrl>

namespace {

bool isReport(const QString& extension) {
    return extension == QLatin1String("pdf");
}

QString filterFor(const QString& extension) {
    return isReport(extension) ? QObject::tr("PDF documents (*.pdf)")
                               : QObject::tr("Sanoria profiles (*.%1)").arg(extension);
}

} // namespace

std::unique_ptr<QMessageBox> QtDialogs::makeAlert(QWidget* parent, const QString& text,
                                                  const QStringList& buttons, const QString& detail,
                                                  QList<QAbstractButton*>* order) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(QStringLiteral("Sanoria"));
    box->setText(QString());
    // The detail (which file, and why) is part of what the user must read,
    // so it stands under the message rather than behind "Show Details".
    box->setInformativeText(detail.isEmpty() ? text : text + QStringLiteral("\n\n") + detail);
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        // With no main text the box would shrink to a narrow column of words.
        label->setMinimumWidth(360);
        // File names and reasons are shown as written, never as markup.
        label->setTextFormat(Qt::PlainText);
    }
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        // The first button is the default; the last is what Escape means.
        const auto role = i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
        added.append(box->addButton(buttons[i], role));
    }
    if (!added.isEmpty()) {
        box->setDefaultButton(qobject_cast<QPushButton*>(added.first()));
        box->setEscapeButton(added.last());
    }
    if (order) {
        *order = added;
    }
    return box;
}

int QtDialogs::alert(QWidget* parent, const QString& text, const QStringList& buttons,
                     const QString& detail) {
    QList<QAbstractButton*> added;
    const auto box = makeAlert(parent, text, buttons, detail, &added);
    box->exec();
    const int chosen = static_cast<int>(added.indexOf(box->clickedButton()));
    return chosen >= 0 ? chosen : static_cast<int>(buttons.size()) - 1;
}

std::optional<QString> QtDialogs::openFile(QWidget* parent, const QString& extension) {
    const QString path = QFileDialog::getOpenFileName(parent, QObject::tr("Open profile"),
                                                      QString(), filterFor(extension));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const QString& suggestedName,
                                           const QString& extension) {
    QFileDialog dialog(parent, isReport(extension) ? QObject::tr("Export report")
                                                   : QObject::tr("Save profile"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filterFor(extension));
    dialog.setDefaultSuffix(extension);
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

void QtDialogs::runModal(QDialog& dialog) {
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.exec();
}

bool QtDialogs::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

void QtDialogs::about(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::about(parent, title, text);
}

bool QtDialogs::printDocument(QWidget* parent, QTextDocument& document) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QObject::tr("Print report"));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    document.print(&printer);
    return true;
}
