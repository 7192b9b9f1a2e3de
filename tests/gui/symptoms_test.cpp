// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixture.h"

#include "model/Messages.h"

#include <QLineEdit>

namespace {
QString text(std::string_view message) {
    return QString::fromUtf8(message.data(), message.size());
}
} // namespace

class Symptoms : public GuiTest {};

TEST_F(Symptoms, AddNewSymptom) {
    add("Chest pain", 60);
    EXPECT_TRUE(dialogs.alerts.isEmpty());
    EXPECT_EQ(column(symptomTable(), 0), QStringList{"Chest pain"});
    EXPECT_EQ(cell(symptomTable(), 0, 1), "High");
    EXPECT_EQ(cellColour(symptomTable(), 0, 1), rgb(1.0, 200.0 / 255.0, 0.0));
    EXPECT_EQ(title(), "Sanoria*");
    add("Fatigue", 20);
    EXPECT_EQ(title(), "Sanoria*");
    EXPECT_EQ(column(symptomTable(), 0), (QStringList{"Chest pain", "Fatigue"}));
}

TEST_F(Symptoms, CriticalWarningComesAfterTheRowIsShown) {
    int rowsWhenWarned = -1;
    QString titleWhenWarned;
    dialogs.onAlert = [&](const ScriptedDialogs::Alert&) {
        rowsWhenWarned = symptomTable()->model()->rowCount();
        titleWhenWarned = title();
    };
    add("Chest pain", 80);
    ASSERT_EQ(dialogs.alerts.size(), 1);
    EXPECT_EQ(dialogs.alerts[0].text, text(messages::kCriticalSymptom));
    EXPECT_EQ(dialogs.alerts[0].buttons, QStringList{"OK"});
    EXPECT_EQ(rowsWhenWarned, 1);
    EXPECT_EQ(titleWhenWarned, "Sanoria*");
    EXPECT_EQ(cell(symptomTable(), 0, 1), "Very High");
    EXPECT_EQ(cellColour(symptomTable(), 0, 1), rgb(1.0, 0.6, 30.0 / 255.0));

    // A critical name typed with other capitals is another symptom, and not critical.
    add("chest pain", 100);
    EXPECT_EQ(dialogs.alerts.size(), 1);
    EXPECT_EQ(symptomTable()->model()->rowCount(), 2);
    EXPECT_EQ(cell(symptomTable(), 1, 1), "Extremely High");
    EXPECT_EQ(cellColour(symptomTable(), 1, 1), rgb(1.0, 30.0 / 255.0, 0.0));
}

TEST_F(Symptoms, SameSymptomAgain) {
    add("Palpitations", 80);
    dialogs.alerts.clear();
    vc().setProfileTitle("/tmp/clean.snp");
    add("Palpitations", 80);
    EXPECT_EQ(dialogs.alertTexts(), QStringList{text(messages::kAlreadySelected)});
    EXPECT_EQ(title(), "Sanoria - clean"); // nothing changed, no mark

    // Another intensity: "No" changes nothing.
    dialogs.alerts.clear();
    dialogs.alertAnswers = {1};
    add("Palpitations", 40);
    ASSERT_EQ(dialogs.alerts.size(), 1);
    EXPECT_EQ(dialogs.alerts[0].text, text(messages::kUpdateIntensity));
    EXPECT_EQ(dialogs.alerts[0].buttons, (QStringList{"Yes", "No"}));
    EXPECT_EQ(cell(symptomTable(), 0, 1), "Very High");
    EXPECT_EQ(title(), "Sanoria - clean");

    // "Yes" updates in place, marks the title, and warns again at 80 or more.
    add("Fatigue", 20);
    vc().setProfileTitle("/tmp/clean.snp");
    dialogs.alerts.clear();
    dialogs.alertAnswers = {0};
    add("Palpitations", 100);
    EXPECT_EQ(dialogs.alertTexts(),
              (QStringList{text(messages::kUpdateIntensity), text(messages::kCriticalSymptom)}));
    EXPECT_EQ(column(symptomTable(), 0), (QStringList{"Palpitations", "Fatigue"}));
    EXPECT_EQ(cell(symptomTable(), 0, 1), "Extremely High");
    EXPECT_EQ(title(), "Sanoria - clean*");

    // Down to "Moderate": no warning.
    dialogs.alerts.clear();
    dialogs.alertAnswers = {0};
    add("Palpitations", 40);
    EXPECT_EQ(dialogs.alertTexts(), QStringList{text(messages::kUpdateIntensity)});
    EXPECT_EQ(cell(symptomTable(), 0, 1), "Moderate");
}

TEST_F(Symptoms, CaseDifferentNamesAndEmptyName) {
    add("Nausea", 40);
    add("nausea", 40);
    EXPECT_EQ(column(symptomTable(), 0), (QStringList{"Nausea", "nausea"}));
    EXPECT_TRUE(dialogs.alerts.isEmpty());
    add("", 40);
    add("", 40);
    EXPECT_EQ(symptomTable()->model()->rowCount(), 3);
    EXPECT_EQ(dialogs.alertTexts(), QStringList{text(messages::kAlreadySelected)});
}

TEST_F(Symptoms, NameCannotHoldALineBreak) {
    auto* edit = widget<QComboBox>("comboSymptom")->lineEdit();
    edit->clear();
    edit->insert("Chest\npain");
    EXPECT_FALSE(edit->text().contains('\n'));
    for (const QChar breakChar :
         {QChar(0x0B), QChar(0x0C), QChar(0x0D), QChar(0x85), QChar(0x2028), QChar(0x2029)}) {
        edit->setText("Cough");
        edit->insert(QString("a") + breakChar + "b");
        EXPECT_EQ(edit->text(), "Cough");
    }
}

TEST_F(Symptoms, RemoveAndClear) {
    add("Chest pain", 60);
    add("Fatigue", 40);
    add("Sweating", 20);
    EXPECT_FALSE(button("buttonRemoveSymptom")->isEnabled());
    vc().OnRemoveSymptom(); // nothing selected: nothing happens
    EXPECT_EQ(symptomTable()->model()->rowCount(), 3);

    symptomTable()->selectRow(1);
    EXPECT_TRUE(button("buttonRemoveSymptom")->isEnabled());
    vc().setProfileTitle("/tmp/kept.snp");
    button("buttonRemoveSymptom")->click();
    EXPECT_EQ(column(symptomTable(), 0), (QStringList{"Chest pain", "Sweating"}));
    EXPECT_FALSE(button("buttonRemoveSymptom")->isEnabled());
    EXPECT_EQ(title(), "Sanoria - kept*"); // a removal is a change to save

    button("buttonGenerateDiagnostic")->click();
    const QStringList results = column(diagnosticTable(), 0);
    ASSERT_FALSE(results.isEmpty());
    vc().setProfileTitle("/tmp/kept.snp");
    button("buttonClearSymptom")->click();
    EXPECT_EQ(symptomTable()->model()->rowCount(), 0);
    EXPECT_EQ(column(diagnosticTable(), 0), results); // results stay until the next run
    EXPECT_EQ(title(), "Sanoria - kept*");

    // Clearing an empty list changes nothing, so it marks nothing.
    vc().setProfileTitle("/tmp/kept.snp");
    button("buttonClearSymptom")->click();
    EXPECT_EQ(title(), "Sanoria - kept");
}

TEST_F(Symptoms, Generate) {
    button("buttonGenerateDiagnostic")->click();
    EXPECT_EQ(dialogs.alertTexts(), QStringList{text(messages::kNoSymptoms)});
    EXPECT_EQ(diagnosticTable()->model()->rowCount(), 0);

    add("Chest pain", 100);
    add("Sweating", 60);
    dialogs.alerts.clear();
    button("buttonGenerateDiagnostic")->click();
    EXPECT_TRUE(dialogs.alerts.isEmpty());
    EXPECT_EQ(column(diagnosticTable(), 0), (QStringList{"Angina", "Heart attack"}));
    EXPECT_EQ(column(diagnosticTable(), 1), (QStringList{"45.4%", "44.4%"}));
    EXPECT_FALSE(cellColour(diagnosticTable(), 0, 1).isValid());
    EXPECT_EQ(title(), "Sanoria*"); // unchanged by generating

    // An empty list again: the warning, and the results stay.
    button("buttonClearSymptom")->click();
    dialogs.alerts.clear();
    button("buttonGenerateDiagnostic")->click();
    EXPECT_EQ(dialogs.alertTexts(), QStringList{text(messages::kNoSymptoms)});
    EXPECT_EQ(diagnosticTable()->model()->rowCount(), 2);

    // Symptoms that match nothing empty the table without a word.
    add("Unheard of", 60);
    dialogs.alerts.clear();
    button("buttonGenerateDiagnostic")->click();
    EXPECT_TRUE(dialogs.alerts.isEmpty());
    EXPECT_EQ(diagnosticTable()->model()->rowCount(), 0);
}
