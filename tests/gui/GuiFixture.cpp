// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixture.h"

#include "app/AppDelegate.h"
#include "model/DatabaseTools.h"

#include "app/Application.h"

#include <QApplication>
#include <QPalette>
#include <QSettings>

void GuiTest::SetUp() {
    QSettings().clear(); // each test starts with no recent profiles, no window place
    window = std::make_unique<MainWindow>(
        DatabaseTools::loadDiseases(testData("catalogues/gui.plist")), dialogs);
    window->show();
    static_cast<Application*>(QCoreApplication::instance())->setDialogs(&dialogs);
}

void GuiTest::TearDown() {
    static_cast<Application*>(QCoreApplication::instance())->setDialogs(nullptr);
    window.reset();
}

void GuiTest::setIntensity(int intensity) {
    widget<QSlider>("sliderSymptomIntensity")->setValue(intensity / 20);
}

void GuiTest::add(const QString& name, int intensity) {
    widget<QComboBox>("comboSymptom")->setEditText(name);
    setIntensity(intensity);
    button("buttonAddSymptom")->click();
}

QStringList GuiTest::comboItems() const {
    QStringList items;
    auto* combo = widget<QComboBox>("comboSymptom");
    for (int i = 0; i < combo->count(); ++i) {
        items.append(combo->itemText(i));
    }
    return items;
}

QString GuiTest::cell(QTableView* table, int row, int column) const {
    return table->model()->index(row, column).data(Qt::DisplayRole).toString();
}

QColor GuiTest::cellColour(QTableView* table, int row, int column) const {
    return table->model()->index(row, column).data(Qt::ForegroundRole).value<QColor>();
}

QStringList GuiTest::column(QTableView* table, int column) const {
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        texts.append(cell(table, row, column));
    }
    return texts;
}

QColor GuiTest::textColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

QColor GuiTest::levelColour(const QLabel* label) {
    EXPECT_TRUE(label->autoFillBackground());
    return label->palette().color(QPalette::Window);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Settings go to a folder of the test's own, never the user's.
    const TempDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().c_str());
    Application application(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(settingsHome.path().string()));
    AppDelegate::setUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
