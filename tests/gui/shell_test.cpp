// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixture.h"

#include "app/AppDelegate.h"
#include "app/CrossfadeStoryboard.h"

#include <QApplication>
#include <QFileInfo>
#include <QVBoxLayout>

TEST(Shell, CrossfadeSwapsTheViewAndSizesTheWindow) {
    QWidget window;
    window.setGeometry(100, 100, 400, 300);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* source = new QWidget;
    layout->addWidget(source);
    auto* destination = new QWidget;
    destination->resize(320, 200);
    window.show();

    CrossfadeStoryboard segue("swap", source, destination);
    const QRect before = window.geometry();
    segue.perform();

    ASSERT_EQ(layout->count(), 1);
    EXPECT_EQ(layout->itemAt(0)->widget(), destination);
    EXPECT_EQ(destination->parentWidget(), &window);
    EXPECT_EQ(source->parentWidget(), nullptr);
    EXPECT_EQ(source->size(), QSize(320, 200));
    layout->activate();
    EXPECT_EQ(destination->size(), QSize(320, 222));
    EXPECT_EQ(window.geometry().size(), QSize(320, 222));
    EXPECT_EQ(window.geometry().left(), before.left());
    EXPECT_EQ(window.geometry().bottom(), before.bottom());
    delete source;
}

class Help : public GuiTest {};

TEST_F(Help, OpensTheShippedPageOnce) {
    const std::string before = vc().selectedOrgan;
    widget<QAction>("actionHowToGenerateADiagnosis")->trigger();
    ASSERT_EQ(dialogs.openedUrls.size(), 1);
    const QUrl url = dialogs.openedUrls[0];
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_TRUE(QFileInfo::exists(url.toLocalFile())) << url.toString().toStdString();
    EXPECT_EQ(vc().selectedOrgan, before);
    EXPECT_TRUE(dialogs.alerts.isEmpty());
}

TEST(StartUp, UnusableCatalogueStopsBeforeAnyWindow) {
    TempDir dir;
    writeFile(dir / "Database.plist", plistDocument("<key>Flu</key><string>x</string>"));
    ScriptedDialogs dialogs;
    const int status = AppDelegate().run(*qApp, dialogs, dir / "Database.plist");
    EXPECT_EQ(status, 1);
    ASSERT_EQ(dialogs.alerts.size(), 1);
    EXPECT_TRUE(dialogs.alerts[0].text.contains("Database.plist"));
    EXPECT_TRUE(dialogs.alerts[0].text.contains("\"Flu\""));
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(),
                             QApplication::topLevelWidgets().end(),
                             [](QWidget* w) { return w->isVisible(); }));
}
