// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "app/MainWindow.h"
#include "controller/ViewController.h"

#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

// The real main window over a small catalogue, with scripted dialogs. Tests
// reach the widgets by their object names, as a user finds them on screen.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <typename T> T* widget(const char* name) const {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    ViewController& vc() const { return *window->viewController(); }
    QTableView* symptomTable() const { return widget<QTableView>("TableViewSymptom"); }
    QTableView* diagnosticTable() const { return widget<QTableView>("TableViewDiagnostic"); }
    QPushButton* button(const char* name) const { return widget<QPushButton>(name); }
    QToolButton* organ(const char* name) const { return widget<QToolButton>(name); }

    // Picks or types a symptom, sets the slider to a level (20 ... 100) and adds it.
    void add(const QString& name, int intensity);
    void setIntensity(int intensity);
    QStringList comboItems() const;
    QString cell(QTableView* table, int row, int column) const;
    QColor cellColour(QTableView* table, int row, int column) const;
    QStringList column(QTableView* table, int column) const;
    static QColor rgb(double r, double g, double b) { return QColor::fromRgbF(r, g, b); }
    static QColor textColour(const QLabel* label);
    // A level label is a badge: the level's colour fills it behind its word.
    static QColor levelColour(const QLabel* label);
    QString title() const { return window->windowTitle(); }

    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};
