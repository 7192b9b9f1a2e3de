#pragma once

#include "model/Records.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class CellTableModel;
class Dialogs;
class HelpWindow;
struct IntensityLevel;
class QButtonGroup;
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void organAction(std::size_t organ);
    void setOrganImage(std::size_t organ, bool selected);
    bool moveOrganSelection(QObject* watched, int key);
    void showIntensityLevel(const IntensityLevel& level);
    void symptomTextChanged(const QString& text);
    QString fileProblem(const QString& path, const std::string& reason) const;
    // Every change of the results goes through here: the table hears of it
    // first, and the care advice of the old results goes.
    void changeDiagnostics(const std::function<void()>& change);
    float sliderValue() const;
    void setSliderValue(float value);
    bool isCritical(const std::string& name, float intensity) const;
    void updateCommandStates();
    int selectedRow(QTableView* table) const;
    QWidget* ownWindow() const;
    void showAlert(const QString& text);

    std::unique_ptr<Ui::ViewController> ui;
    Dialogs& dialogs;
    CellTableModel* symptomModel = nullptr;
    CellTableModel* diagnosticModel = nullptr;
    QButtonGroup* organGroup = nullptr;
    QPointer<HelpWindow> helpWindow;
    // Every symptom name of the catalogue, by nameKey, for the unknown-name hint.
    std::unordered_set<std::string> catalogueNames;
    // The symptom text as last accepted: a change that brings a line break is undone.
    QString acceptedSymptomText;
    bool closeConfirmed = false;
};
