// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/ContainerViewController.h"
#include "app/RecentProfiles.h"
#include "controller/ViewController.h"
#include "model/Messages.h"
#include "model/Version.h"
#include "platform/Dialogs.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");

} // namespace

MainWindow::MainWindow(DiseaseList diseases, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::MainWindow>()), dialogs(dialogs) {
    ui->setupUi(this);
    // The form has no central widget of its own: the container is it.
    container = new ContainerViewController(std::move(diseases), dialogs, this);
    setCentralWidget(container);
    setAcceptDrops(true);
    restoreGeometry(QSettings().value(kGeometryKey).toByteArray());

    ViewController* vc = container->sourceViewController();
    vc->watchWindow();
    connect(ui->actionNew, &QAction::triggered, vc, &ViewController::OnFileNew);
    connect(ui->actionOpen, &QAction::triggered, vc, &ViewController::OnLoadProfile);
    connect(ui->actionSave, &QAction::triggered, vc, &ViewController::OnSaveProfile);
    connect(ui->actionSaveAs, &QAction::triggered, vc, &ViewController::OnSaveProfileAs);
    connect(ui->actionExportReport, &QAction::triggered, vc, &ViewController::OnExportReport);
    connect(ui->actionPrint, &QAction::triggered, vc, &ViewController::OnPrintReport);
    // A report needs a result.
    connect(vc, &ViewController::resultAvailable, ui->actionExportReport, &QAction::setEnabled);
    connect(vc, &ViewController::resultAvailable, ui->actionPrint, &QAction::setEnabled);
    ui->actionExportReport->setEnabled(vc->hasResult());
    ui->actionPrint->setEnabled(vc->hasResult());
    connect(ui->actionQuit, &QAction::triggered, vc, &ViewController::OnAppQuit);
    connect(ui->actionHowToGenerateADiagnosis, &QAction::triggered, vc,
            &ViewController::OnHowToGenerateADiagnosis);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::OnAbout);

    connect(ui->actionClearRecent, &QAction::triggered, this, [this] {
        RecentProfiles().clear();
        rebuildRecentMenu();
    });
    connect(vc, &ViewController::profileUsed, this, [this](const QString& path) {
        RecentProfiles().add(path);
        rebuildRecentMenu();
    });
    connect(vc, &ViewController::profileUnreadable, this, [this](const QString& path) {
        RecentProfiles().remove(path);
        rebuildRecentMenu();
    });
    ui->menuOpenRecent->setToolTipsVisible(true);
    rebuildRecentMenu();
}

MainWindow::~MainWindow() = default;

ViewController* MainWindow::viewController() const {
    return container->sourceViewController();
}

// ---- Open Recent

void MainWindow::rebuildRecentMenu() {
    QMenu* menu = ui->menuOpenRecent;
    for (QAction* action : menu->actions()) {
        if (action != ui->actionClearRecent && !action->isSeparator()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    const QStringList paths = RecentProfiles().paths();
    QAction* before = menu->actions().isEmpty() ? nullptr : menu->actions().constFirst();
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name), menu);
        action->setToolTip(path);
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
        menu->insertAction(before, action);
    }
    menu->setEnabled(!paths.isEmpty());
}

void MainWindow::openRecent(const QString& path) {
    viewController()->openProfileFile(path);
}

// ---- dropped profiles

QString MainWindow::droppedProfile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) {
        return QString();
    }
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile()) {
        return QString();
    }
    const QString path = url.toLocalFile();
    return QFileInfo(path).suffix().compare(QLatin1String("snp"), Qt::CaseInsensitive) == 0
               ? path
               : QString();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedProfile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (!droppedProfile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedProfile(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop is over, so the application it came from is not
    // held up by a question or an alert.
    QMetaObject::invokeMethod(
        this, [this, path] { viewController()->openProfileFile(path); }, Qt::QueuedConnection);
}

// ---- window

void MainWindow::closeEvent(QCloseEvent* event) {
    QSettings().setValue(kGeometryKey, saveGeometry());
    QMainWindow::closeEvent(event);
}

void MainWindow::OnAbout() {
    const std::size_t count = viewController()->diseasesList.size();
    const QString conditions =
        count == 1 ? tr("1 condition") : tr("%1 conditions").arg(static_cast<qulonglong>(count));
    const QString homepage = QString::fromLatin1(kSanoriaHomepage);
    const QString text =
        tr("<h3>Sanoria %1</h3>"
           "<p>A desktop symptom checker. Its catalogue holds %2.</p>"
           "<p><b>%3</b> In an emergency, call your local emergency number.</p>"
           "<p>Copyright © 2026 The Sanoria developers.<br>"
           "Sanoria is free software under the GNU General Public License, version 3 or "
           "later (GPL-3.0-or-later). It comes with no warranty.</p>"
           "<p><a href=\"%4\">%5</a></p>")
            .arg(QString::fromLatin1(kSanoriaVersion), conditions,
                 QString::fromUtf8(messages::kDisclaimer.data(),
                                   static_cast<qsizetype>(messages::kDisclaimer.size())),
                 homepage, QUrl(homepage).host());
    dialogs.about(this, tr("About Sanoria"), text);
}
