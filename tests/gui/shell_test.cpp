// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixture.h"

#include "app/AppDelegate.h"
#include "app/CrossfadeStoryboard.h"

#include "model/Messages.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <QVBoxLayout>

#include <new>
#include <stdexcept>

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

TEST_F(GuiTest, AnActionThatFailsIsReportedAndTheWindowGoesOn) {
    add("Fatigue", 40);
    const QString titleBefore = title();
    // A control whose action fails as an exhausted heap would, then as an
    // unforeseen error would; clicked as a user clicks, through events.
    auto* trap = new QPushButton(QStringLiteral("trap"), window.get());
    int failures = 0;
    QObject::connect(trap, &QPushButton::clicked, [&failures] {
        if (failures++ == 0) {
            throw std::bad_alloc();
        }
        throw std::runtime_error("an unforeseen fault");
    });
    trap->show();
    QTest::mouseClick(trap, Qt::LeftButton);
    QTest::mouseClick(trap, Qt::LeftButton);
    ASSERT_EQ(failures, 2);
    ASSERT_EQ(dialogs.alerts.size(), 2);
    EXPECT_EQ(dialogs.alerts[0].text, QString::fromUtf8(messages::kOutOfMemory));
    EXPECT_EQ(dialogs.alerts[0].buttons, QStringList{kOk});
    EXPECT_TRUE(dialogs.alerts[1].text.startsWith(QString::fromUtf8(messages::kActionFailed)));
    EXPECT_TRUE(dialogs.alerts[1].text.contains(QStringLiteral("an unforeseen fault")));

    // The document is as it was, and the window still takes actions.
    EXPECT_EQ(column(symptomTable(), 0), QStringList{QStringLiteral("Fatigue")});
    EXPECT_EQ(title(), titleBefore);
    add("Chest pain", 60);
    EXPECT_EQ(symptomTable()->model()->rowCount(), 2);
}
