// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiFixture.h"

#include "model/Messages.h"
#include "presentation/CareBanner.h"
#include "presentation/CareStyle.h"
#include "presentation/ViewControllerInfo.h"

#include <QAccessible>
#include <QImage>
#include <QPixmap>

// Readable failure messages.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

Rgba rgbaOf(const QColor& colour) {
    return {colour.redF(), colour.greenF(), colour.blueF(), colour.alphaF()};
}

} // namespace

class Care : public GuiTest {
protected:
    CareBanner* banner() const { return widget<CareBanner>("careBanner"); }
    QString bannerText(const char* part) const { return widget<QLabel>(part)->text(); }
    bool bannerShown() const { return banner()->isVisibleTo(window.get()); }
    void generate() { button("buttonGenerateDiagnostic")->click(); }
    void startOver() {
        dialogs.alertAnswers = {0}; // discard the unsaved list
        vc().OnFileNew();
    }
};

TEST_F(Care, BannerShowsEachLevelAfterGenerate) {
    struct Case {
        QList<QPair<QString, int>> symptoms;
        QString key;
        QString title;
        QString advice;
        QString reasons;
    };
    const QList<Case> cases{
        {{{"Chest pain", 100}},
         "emergency",
         "Emergency",
         "Call your local emergency number or go to the nearest emergency department now.",
         "\u2022 Chest pain this strong can be a sign of an emergency.\n"
         "\u2022 Heart attack is among the most likely causes and needs emergency care."},
        {{{"Fatigue", 40}},
         "urgent",
         "Urgent",
         "See a doctor today.",
         "\u2022 Angina is among the most likely causes and needs a doctor today."},
        {{{"Jaundice", 60}},
         "doctor",
         "See a doctor",
         "Make an appointment with your doctor in the next few days.",
         "\u2022 Hepatitis is among the most likely causes and should be seen by a doctor within "
         "a few days."},
        {{{"Headache", 100}},
         "self-care",
         "Self-care",
         "This can usually be looked after at home; see a doctor if it gets worse or does not "
         "improve.",
         "\u2022 Migraine is among the most likely causes and can usually be looked after at "
         "home."},
    };
    EXPECT_FALSE(bannerShown()); // nothing to advise on before a diagnosis
    QList<QImage> icons;
    QList<QColor> backgrounds;
    for (const Case& c : cases) {
        startOver();
        EXPECT_FALSE(bannerShown()) << c.key.toStdString();
        for (const auto& [name, intensity] : c.symptoms) {
            add(name, intensity);
        }
        dialogs.alerts.clear();
        generate();
        EXPECT_TRUE(dialogs.alerts.isEmpty()) << "advice is no alert";
        ASSERT_TRUE(bannerShown()) << c.key.toStdString();
        EXPECT_EQ(banner()->property("careLevel").toString(), c.key);
        EXPECT_EQ(bannerText("careBannerTitle"), c.title);
        EXPECT_EQ(bannerText("careBannerAdvice"), c.advice);
        EXPECT_EQ(bannerText("careBannerReasons"), c.reasons);

        // Readable: the colours drawn, not the ones intended.
        const QColor text =
            widget<QLabel>("careBannerTitle")->palette().color(QPalette::WindowText);
        const QColor background = banner()->palette().color(QPalette::Window);
        EXPECT_TRUE(banner()->autoFillBackground());
        EXPECT_GE(contrastRatio(rgbaOf(text), rgbaOf(background)), 4.5) << c.key.toStdString();
        EXPECT_EQ(widget<QLabel>("careBannerReasons")->palette().color(QPalette::WindowText), text);
        EXPECT_FALSE(backgrounds.contains(background)) << c.key.toStdString();
        backgrounds.append(background);
        const QPixmap icon = widget<QLabel>("careBannerIcon")->pixmap();
        ASSERT_FALSE(icon.isNull()) << c.key.toStdString();
        EXPECT_FALSE(icons.contains(icon.toImage())) << c.key.toStdString();
        icons.append(icon.toImage());

        // What a screen reader is given.
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(banner());
        ASSERT_NE(spoken, nullptr);
        EXPECT_EQ(spoken->text(QAccessible::Name), "Care advice: " + c.title);
        const QString description = spoken->text(QAccessible::Description);
        EXPECT_TRUE(description.startsWith(c.advice)) << description.toStdString();
        EXPECT_TRUE(description.contains(c.reasons.section(QStringLiteral("\u2022 "), -1)))
            << description.toStdString();
    }
}

TEST_F(Care, CrisisWordingComesFirst) {
    add("Thoughts of self-harm or suicide", 20);
    generate();
    EXPECT_EQ(banner()->property("careLevel").toString(), "emergency");
    EXPECT_EQ(bannerText("careBannerReasons"),
              "\u2022 If you are thinking about harming yourself, call your local emergency "
              "number or a crisis line now.");
}

TEST_F(Care, BannerGoesWithTheResults) {
    add("Chest pain", 100);
    generate();
    ASSERT_TRUE(bannerShown());

    // Changing the list keeps the last diagnosis on screen, and its advice.
    button("buttonClearSymptom")->click();
    EXPECT_TRUE(bannerShown());
    // Generating from an empty list is refused and changes nothing.
    generate();
    EXPECT_EQ(dialogs.alertTexts().last(),
              QString::fromUtf8(messages::kNoSymptoms.data(), messages::kNoSymptoms.size()));
    EXPECT_EQ(banner()->property("careLevel").toString(), "emergency");

    // Regenerated: the new advice replaces the old, nothing of it is left.
    add("Headache", 100);
    generate();
    EXPECT_EQ(banner()->property("careLevel").toString(), "self-care");
    EXPECT_FALSE(bannerText("careBannerReasons").contains("Chest pain"));

    // Symptoms that match nothing: the table empties, and the advice says so.
    add("Itchy elbow", 40);
    button("buttonClearSymptom")->click();
    add("Itchy elbow", 40);
    generate();
    EXPECT_EQ(diagnosticTable()->model()->rowCount(), 0);
    EXPECT_EQ(banner()->property("careLevel").toString(), "doctor");

    // New empties the results, and the banner with them.
    startOver();
    EXPECT_FALSE(bannerShown());
    EXPECT_EQ(bannerText("careBannerTitle"), "");
    EXPECT_EQ(bannerText("careBannerReasons"), "");
    EXPECT_EQ(banner()->property("careLevel").toString(), "");
    EXPECT_EQ(banner()->accessibleDescription(), "");

    // So does opening a profile.
    add("Chest pain", 100);
    generate();
    ASSERT_TRUE(bannerShown());
    TempDir dir;
    writeFile(dir / "p.snp", "Headache\n60.0\n");
    dialogs.alertAnswers = {0};
    dialogs.openAnswers = {QString::fromStdString((dir / "p.snp").string())};
    vc().OnLoadProfile();
    EXPECT_EQ(column(symptomTable(), 0), QStringList{"Headache"});
    EXPECT_FALSE(bannerShown());
}

TEST_F(Care, HospitalWarningStaysAtAdd) {
    add("Chest pain", 100);
    const QString warning =
        QString::fromUtf8(messages::kCriticalSymptom.data(), messages::kCriticalSymptom.size());
    EXPECT_EQ(dialogs.alertTexts(), QStringList{warning});
    EXPECT_FALSE(bannerShown()); // advice waits for the diagnosis
    generate();
    EXPECT_EQ(dialogs.alertTexts(), QStringList{warning}); // no second alert
    EXPECT_TRUE(bannerShown());
}

TEST_F(Care, InformationWindowShowsTheCareLevel) {
    add("Fatigue", 40);
    generate();
    QStringList shown;
    dialogs.onModal = [&](QDialog& dialog) {
        auto& info = dynamic_cast<ViewControllerInfo&>(dialog);
        shown.append(info.labelName->text() + ": " + info.labelCareLevel->text());
    };
    for (int row = 0; row < diagnosticTable()->model()->rowCount(); ++row) {
        diagnosticTable()->selectRow(row);
        button("buttonInfo")->click();
    }
    EXPECT_EQ(shown, (QStringList{"Hepatitis: See a doctor. Make an appointment with your doctor "
                                  "in the next few days.",
                                  "Angina: Urgent. See a doctor today."}));
}
