// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixture.h"

#include <QFile>

namespace {

struct OrganRow {
    const char* button;
    const char* key;
    const char* image;
    const char* tooltip;
};

const OrganRow kOrganRows[] = {
    {"buttonBrain", "Brain", "Brain", "Brain"},
    {"buttonThroat", "Throat", "Trachea", "Throat"},
    {"buttonLungs", "Lungs", "Lungs", "Lungs"},
    {"buttonHeart", "Heart", "Heart", "Heart"},
    {"buttonStomach", "Stomach", "Stomach", "Stomach"},
    {"buttonLiver", "Liver", "Liver", "Liver"},
    {"buttonIntestines", "Intestines", "Intestins", "Intestines"},
    {"buttonKidneys", "Kidneys", "Kidneys", "Kidneys"},
    {"buttonUterus", "Uterus", "Uterus", "Uterus / Testicles"},
    {"buttonBladder", "Bladder", "Bladder", "Bladder"},
    {"buttonMusclesAndBones", "Muscles & Bones", "Bones", "Skin, Muscles & Bones"},
};

} // namespace

class Window : public GuiTest {
protected:
    // Exactly one organ on, with its selected picture; the rest off and plain.
    void expectSelected(const char* selectedButton) {
        for (const auto& row : kOrganRows) {
            const bool on = std::string(row.button) == selectedButton;
            QToolButton* b = organ(row.button);
            EXPECT_EQ(b->isChecked(), on) << row.button;
            const QString image = QString(row.image) + (on ? "-Selected" : "");
            EXPECT_EQ(b->property("image").toString(), image) << row.button;
            EXPECT_TRUE(QFile::exists(":/icons/" + image + ".svg")) << image.toStdString();
            EXPECT_FALSE(b->icon().isNull());
        }
    }
};

TEST_F(Window, InitialState) {
    EXPECT_EQ(title(), "Sanoria");
    expectSelected("buttonHeart");
    EXPECT_EQ(vc().selectedOrgan, "Heart");
    for (const auto& row : kOrganRows) {
        EXPECT_EQ(organ(row.button)->toolTip(), row.tooltip);
        EXPECT_EQ(organ(row.button)->accessibleName(), row.tooltip);
    }
    EXPECT_EQ(comboItems(),
              (QStringList{"Chest pain", "Fatigue", "Nausea", "Palpitations", "Sweating"}));
    EXPECT_EQ(widget<QComboBox>("comboSymptom")->currentText(), "Chest pain");
    EXPECT_EQ(widget<QSlider>("sliderSymptomIntensity")->value(), 3);
    auto* label = widget<QLabel>("labelSymptomIntensity");
    EXPECT_EQ(label->text(), "High");
    EXPECT_EQ(levelColour(label), rgb(1.0, 200.0 / 255.0, 0.0));
    EXPECT_EQ(symptomTable()->model()->rowCount(), 0);
    EXPECT_EQ(diagnosticTable()->model()->rowCount(), 0);
    EXPECT_FALSE(button("buttonRemoveSymptom")->isEnabled());
    EXPECT_FALSE(button("buttonInfo")->isEnabled());
    EXPECT_EQ(vc().riskSymptomsList.size(), 15u);
    EXPECT_EQ(vc().riskSymptomsList.front(), "Difficulty speaking");
    EXPECT_EQ(vc().riskSymptomsList.back(), "Joint swelling");
    EXPECT_TRUE(widget<QLabel>("labelDisclaimer")->text().contains("emergency"));
    EXPECT_EQ(symptomTable()->model()->headerData(0, Qt::Horizontal).toString(), "Symptom");
}

TEST_F(Window, OrganSwitching) {
    organ("buttonLiver")->click();
    expectSelected("buttonLiver");
    EXPECT_EQ(vc().selectedOrgan, "Liver");
    EXPECT_EQ(comboItems(), (QStringList{"Fatigue", "Jaundice", "nausea"}));

    // Clicking the selected organ keeps it and starts the list again.
    widget<QComboBox>("comboSymptom")->setCurrentIndex(2);
    organ("buttonLiver")->click();
    expectSelected("buttonLiver");
    EXPECT_EQ(widget<QComboBox>("comboSymptom")->currentText(), "Fatigue");

    organ("buttonIntestines")->click();
    expectSelected("buttonIntestines");
    EXPECT_EQ(vc().selectedOrgan, "Intestines");
    EXPECT_TRUE(comboItems().isEmpty());
    EXPECT_EQ(widget<QComboBox>("comboSymptom")->currentIndex(), -1);

    organ("buttonMusclesAndBones")->click();
    EXPECT_EQ(vc().selectedOrgan, "Muscles & Bones");
    organ("buttonLungs")->click();
    EXPECT_EQ(comboItems(), (QStringList{"Cough", "Difficulty breathing", "Wheezing"}));

    // Switching organs leaves the symptom list and the slider alone.
    add("Cough", 40);
    organ("buttonBrain")->click();
    EXPECT_EQ(symptomTable()->model()->rowCount(), 1);
    EXPECT_EQ(widget<QLabel>("labelSymptomIntensity")->text(), "Moderate");
}

TEST_F(Window, SliderShowsTheFiveLevels) {
    auto* label = widget<QLabel>("labelSymptomIntensity");
    const struct {
        int value;
        const char* word;
        QColor colour;
    } levels[] = {{20, "Low", rgb(0.2, 0.8, 0.2)},
                  {40, "Moderate", rgb(0.6, 0.8, 0.0)},
                  {60, "High", rgb(1.0, 200.0 / 255.0, 0.0)},
                  {80, "Very High", rgb(1.0, 0.6, 30.0 / 255.0)},
                  {100, "Extremely High", rgb(1.0, 0.2, 0.0)}};
    for (int i : {4, 0, 2, 1, 3}) {
        setIntensity(levels[i].value);
        EXPECT_EQ(label->text(), levels[i].word);
        EXPECT_EQ(levelColour(label), levels[i].colour) << levels[i].word;
        EXPECT_EQ(textColour(label), QColor(Qt::black)) << levels[i].word;
    }
    auto* slider = widget<QSlider>("sliderSymptomIntensity");
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 5);

    // New puts the slider back on "High".
    organ("buttonLiver")->click();
    vc().OnFileNew();
    EXPECT_EQ(slider->value(), 3);
    EXPECT_EQ(label->text(), "High");
    EXPECT_EQ(levelColour(label), rgb(1.0, 200.0 / 255.0, 0.0));
    expectSelected("buttonHeart");
}
