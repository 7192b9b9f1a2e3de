// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

class CellTableModel;
class Dialogs;
class QComboBox;
class QLabel;
class QSlider;
class QTableView;
class QToolButton;
namespace Ui {
class ViewController;
}

// The main window's content: it holds the whole working state and handles
// every user action.
class ViewController : public QWidget {
    Q_OBJECT
public:
    ViewController(DiseaseList diseases, Dialogs& dialogs, QWidget* parent = nullptr);
    ~ViewController() override;

    // State, read by the window and by tests.
    DiseaseList diseasesList;
    SymptomList symptomsList;
    std::string selectedOrgan;
    DiagnosticList diagnosticsList;
    const std::vector<std::string> riskSymptomsList;
    QString currentProfilePath;

    // The window's controls, under the names the rest of the program uses.
    QComboBox* comboSymptom;
    QSlider* sliderSymptomIntensity;
    QLabel* labelSymptomIntensity;
    QTableView* tableViewSymptom;
    QTableView* tableViewDiagnostic;
    std::array<QToolButton*, 11> organButtons;

    void resetSession();
    void fillSymptomCombo();

    // Document state, carried by the window title.
    bool hasUnsavedChanges() const;
    void markModified();
    void setProfileTitle(const QString& path);
    bool confirmDiscardChanges(const QString& question);
    void saveProfile();
    // Open without the panel (command line, a drop, Open Recent): the question
    // where Open asks it, then the reading. False when stopped or unreadable.
    bool openProfileFile(const QString& path);
    // The reading steps of Open, with their failure alert.
    bool loadProfile(const QString& path);
    // Asked before the window closes; false keeps it open.
    bool windowShouldClose();
    // Starts answering the close requests of the window that holds this view.
    void watchWindow();

public slots:
    void OnBrain();
    void OnThroat();
    void OnLungs();
    void OnHeart();
    void OnStomach();
    void OnLiver();
    void OnIntestines();
    void OnKidneys();
    void OnUterus();
    void OnBladder();
    void OnMusclesAndBones();

    void OnSymptomIntensityChanged();
    void OnAddSymptom();
    void OnRemoveSymptom();
    void OnClearSymptoms();
    void OnGenerateDiagnostic();
    void OnInfo();

    void OnFileNew();
    void OnLoadProfile();
    void OnSaveProfile();
    void OnSaveProfileAs();
    void OnAppQuit();
    void OnHowToGenerateADiagnosis();

signals:
    // A profile was read from or written to this path.
    void profileUsed(const QString& path);
    // A profile could not be read from this path.
    void profileUnreadable(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void organAction(std::size_t organ);
    void setOrganImage(std::size_t organ, bool selected);
    float sliderValue() const;
    void setSliderValue(float value);
    bool isCritical(const std::string& name, float intensity) const;
    void reloadSymptoms();
    void reloadDiagnostics();
    void updateCommandStates();
    int selectedRow(QTableView* table) const;
    QWidget* ownWindow() const;
    void showAlert(const QString& text);

    std::unique_ptr<Ui::ViewController> ui;
    Dialogs& dialogs;
    CellTableModel* symptomModel = nullptr;
    CellTableModel* diagnosticModel = nullptr;
    bool closeConfirmed = false;
};
